// The layer's standard control classes, registered on demand for dialogs;
// see dialoginterna.h. Calls the control modules' registration functions,
// which do nothing for a class already registered.
#include "platform/ctl_button.h"
#include "platform/ctl_edit.h"
#include "platform/ctl_scroll.h"
#include "platform/ctl_static.h"
#include "platform/dialoginterna.h"

void plDialogEigeneKlassen()
{
    plKnopfKlasseRegistrieren();
    plStatikKlasseRegistrieren();
    plEditAnmelden();
    plScrollAnmelden();
}
