// The toolbar image module; see tbar.h.
#include "output/tbar.h"

#include "config/apstil.h"
#include "config/vorgaben.h"
#include "model/tempzeic.h"
#include "winlib/toolbar.h"
#include "winlib/wibild.h"
#include "winlib/winbib.h"

namespace {

HMODULE tbModul = 0;
int tbGeladen = 0;
int tbStil = 0;  // remembered at the last set-up

int tbZusatz() { return ApTbarStil1() ? TBARGROSSPLUS : 0; }

void TbarBibLaden() { tbModul = wiLoadLibrary(TbarBibName(tbStil)); }

void TbarBibFrei()
{
    if (tbModul) wiFreeLibrary(tbModul);
    tbModul = 0;
}

// A name beginning with '.' is the program's own bitmap, even while a
// library is loaded; any other comes from the library.
void tbBildSetzen(HWND knopf, const char* name)
{
    if (!name || !*name) return;
    if (name[0] == '.') {
        wiFensterBitmapLaden(knopf, name + 1);
    } else if (tbGeladen && tbModul) {
        wiModulBitmapSenden(tbModul, knopf, name);
    }
}

int tbKnopfHoehe() { return TbarGroesse().leisteX + tbZusatz(); }

HMODULE tbBildModul() { return tbGeladen ? tbModul : 0; }

}  // namespace

const char* TbarBibName(int stil)
{
    static const char* const namen[] = {"Toolbar1.dll", "Toolbar1.dll", "Toolbar2.dll", "Toolbar3.dll",
                                        "Toolbar4.dll", "Toolbar5.dll", "Toolbar6.dll"};
    return stil >= 1 && stil <= 6 ? namen[stil] : namen[1];
}

int TbarStilLesen()
{
    VgbOeffnen();
    const int stil = VgbInt("AP-ZvBmpStil");
    VgbSchliessen();
    return stil;
}

void TbarGroessen()
{
    auto& g = TbarGroesse();
    if (tbStil == 2 || tbStil == 5) g = {16, 16, 14, 14};
    else if (tbStil == 3 || tbStil == 6) g = {14, 14, 12, 12};
    else g = {18, 18, 16, 16};
}

void TbarInit()
{
    if (tbGeladen) return;
    tbStil = TbarStilLesen();
    TbarBibLaden();
    TbarGroessen();
    tbGeladen = 1;
}

void TbarEnde()
{
    if (!tbGeladen) return;
    tbGeladen = 0;
    TbarBibFrei();
}

void TbarNeu()
{
    if (!tbGeladen || TbarStilLesen() == tbStil) return;
    TbarEnde();
    TbarInit();
}

int TbarKnopfBreite() { return TbarGroesse().leisteY; }
int TbarKnopfHoeheKlein() { return TbarGroesse().knopfH + tbZusatz(); }
int TbarKnopfBreiteKlein() { return TbarGroesse().knopfB; }

void ToolbarBibLaden()
{
    if (wiTbarTabelleIstFrei()) return;
    TbarInit();
    wiTbarTabelleLeeren();
    wiTbarTabelleFrei(1);
}

void ToolbarBibFrei()
{
    if (!wiTbarTabelleIstFrei()) return;
    wiTbarTabelleFrei(0);
    TbarEnde();
}

void TbarHakenEintragen()
{
    WiTbarHaken h{};
    h.groesseSetzen = TbarGroessen;
    h.bildSetzen = tbBildSetzen;
    h.knopfBild = wiTbarKnopfBild;
    h.knopfHoehe = tbKnopfHoehe;
    h.bildModul = tbBildModul;
    h.markAnzahl = TzMarkAnzahl;
    wiTbarHakenSetzen(h);
}
