// The layer's standard control classes, registered on demand for dialogs
// and by InitCommonControls; see dialoginterna.h. Calls the control
// modules' registration functions, which do nothing for a class already
// registered.
#include "platform/ctl_button.h"
#include "platform/ctl_combo.h"
#include "platform/ctl_edit.h"
#include "platform/ctl_liste.h"
#include "platform/ctl_scroll.h"
#include "platform/ctl_static.h"
#include "platform/ctl_status.h"
#include "platform/ctl_tooltip.h"
#include "platform/dialoginterna.h"

void plDialogEigeneKlassen()
{
    plKnopfKlasseRegistrieren();
    plStatikKlasseRegistrieren();
    plEditAnmelden();
    plListeAnmelden();
    plComboAnmelden();
    plScrollAnmelden();
    plStatusKlasseRegistrieren();
    plTippKlasseRegistrieren();
}

void InitCommonControls()
{
    plDialogKlassenSichern();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc)
{
    if (!icc || icc->dwSize < sizeof(INITCOMMONCONTROLSEX)) return FALSE;
    plDialogKlassenSichern();
    return TRUE;
}
