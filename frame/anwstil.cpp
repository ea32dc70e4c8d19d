// The dialog-initialisation hook of the frame: every dialog gets the
// refreshed dialog texts, list font style 2 and the workstation's list
// style. Prefix `anw`. Kept apart from anw.cpp because the list display's
// header and the hook tables' header both name a LISSUP. May call config/,
// controls/ and winlib/.
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
