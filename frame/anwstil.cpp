// The dialog-initialisation hook of the frame: every dialog gets the
// refreshed dialog texts, list font style 2 and the workstation's list
// style. Prefix `anw`. May call config/, controls/ and winlib/.
#include "config/apstil.h"
#include "controls/lisanzeige.h"
#include "frame/anw.h"
#include "winlib/dialog.h"
#include "winlib/wiwerk.h"

void anwDlgStil(int, const char* const*)
{
    wiDlgTexteAuffrischen(wiDlgFenster());
    LisDlgSchrift("2");
    LisDlgStil(ApOFStil1());
}
