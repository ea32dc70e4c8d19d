// The shared commands of the record-list dialogs (see listdlg.h).
#include "lists/listdlg.h"

#include "controls/elzeile.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"

int LsdBefehl(const LsdRuf& r, int id)
{
    if (id >= 2550 && id <= 2559) {
        ElzBefehl(r.liste, id);
        ElzGeaendertSetzen(r.liste, 1);
        return 1;
    }
    switch (id) {
    case 1:
        if (LisEditFokus(r.liste) || wiGrbuAusloesen()) return 1;
        ElzBefehl(r.liste, 2555);
        ElzGeaendertSetzen(r.liste, 1);
        LisEditStart(r.liste, LisAkt(r.liste), 1, 1, r.zelleText, r.zelleSpeichern);
        return 1;
    case 2:
        if (!LisEditAbbruch(r.liste)) wiDlgSchliessen();
        return 1;
    case 2500:
        if (r.speichern() == 0) wiDlgSchliessen();
        return 1;
    case 2501:
        ElzGeaendertSetzen(r.liste, 0);
        wiDlgSchliessen();
        return 1;
    case 2510:
        if (r.einzeln) r.einzeln(LisAkt(r.liste));
        return r.einzeln != nullptr;
    case 2511:
        ElzGeaendertSetzen(r.liste, 1);
        wiItemAuffrischen(r.liste);
        return 1;
    default: return 0;
    }
}
