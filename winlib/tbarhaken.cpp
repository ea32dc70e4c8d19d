// The toolbar hook table of the window library and its stand-ins. Prefix
// `Tbar`, `wiTbarHaken` (file helpers `th`). May call winlib/wibild.h,
// config/apstil.h and the drawing store's mark count of model/.
#include "winlib/tbarhaken.h"

#include "config/apstil.h"
#include "model/tempzeic.h"
#include "winlib/wibild.h"

namespace {

TbarGroessen thGroessen{12, 12, 12, 12};
HMODULE thModul = 0;
int thStil = 0;

void thGroesseSetzen()
{
    if (thStil == 2 || thStil == 5) thGroessen = {16, 16, 14, 14};
    else if (thStil == 3 || thStil == 6) thGroessen = {14, 14, 12, 12};
    else thGroessen = {18, 18, 16, 16};
}

void thBildSetzen(HWND knopf, const char* name)
{
    if (!name || !*name) return;
    if (name[0] == '.') wiFensterBitmapLaden(knopf, name + 1);
    else if (thModul) wiModulBitmapSenden(thModul, knopf, name);
}

// The stand-in holds no toolbar table of its own; the toolbars register
// the real one.
void thKnopfBild(int) {}

int thKnopfHoehe() { return thGroessen.leisteY + (ApTbarStil1() ? 8 : 0); }

HMODULE thBildModul() { return thModul; }

// The number of marked objects of the drawing store.
int thMarkAnzahl() { return TzMarkAnzahl(); }

const WiTbarHaken thStandard{thGroesseSetzen, thBildSetzen, thKnopfBild, thKnopfHoehe, thBildModul, thMarkAnzahl};
WiTbarHaken thHaken = thStandard;

}  // namespace

void wiTbarHakenSetzen(const WiTbarHaken& haken)
{
    thHaken.groesseSetzen = haken.groesseSetzen ? haken.groesseSetzen : thStandard.groesseSetzen;
    thHaken.bildSetzen = haken.bildSetzen ? haken.bildSetzen : thStandard.bildSetzen;
    thHaken.knopfBild = haken.knopfBild ? haken.knopfBild : thStandard.knopfBild;
    thHaken.knopfHoehe = haken.knopfHoehe ? haken.knopfHoehe : thStandard.knopfHoehe;
    thHaken.bildModul = haken.bildModul ? haken.bildModul : thStandard.bildModul;
    thHaken.markAnzahl = haken.markAnzahl ? haken.markAnzahl : thStandard.markAnzahl;
}

void wiTbarHakenZuruecksetzen()
{
    thHaken = thStandard;
    thGroessen = {12, 12, 12, 12};
    thModul = 0;
    thStil = 0;
}

void TbarGroesseSetzen() { thHaken.groesseSetzen(); }
void TbarBildSetzen(HWND knopf, const char* name) { thHaken.bildSetzen(knopf, name); }
void TbarKnopfBild(int index) { thHaken.knopfBild(index); }
int TbarKnopfHoehe() { return thHaken.knopfHoehe(); }
HMODULE TbarBildModul() { return thHaken.bildModul(); }
int wiTbarMarkAnzahl() { return thHaken.markAnzahl(); }

TbarGroessen& TbarGroesse() { return thGroessen; }
void TbarBildModulSetzen(HMODULE modul) { thModul = modul; }
void TbarBildStilSetzen(int stil) { thStil = stil; }
