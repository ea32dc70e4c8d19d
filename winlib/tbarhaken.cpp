// The toolbar hook table of the window library; see tbarhaken.h. File
// helpers `th`.
#include "winlib/tbarhaken.h"
#include "support/dienst.h"

#include "config/apstil.h"
#include "model/tempzeic.h"

namespace {

constexpr TbarGroessen thVorher{12, 12, 10, 10};
TbarGroessen thGroessen = thVorher;
HMODULE thModul = 0;

// No module: each build starts from the sizes before set-up; no faces.
void thGroesseSetzen() { thGroessen = thVorher; }
void thBildSetzen(HWND, const char*) {}
void thKnopfBild(int) {}
int thKnopfHoehe() { return thGroessen.leisteX + (ApTbarStil1() ? 8 : 0); }
HMODULE thBildModul() { return thModul; }
int thMarkAnzahl() { return TzMarkAnzahl(); }

const WiTbarHaken thOhne{thGroesseSetzen, thBildSetzen, thKnopfBild, thKnopfHoehe, thBildModul, thMarkAnzahl};
WiTbarHaken thHaken = thOhne;

}  // namespace

void wiTbarHakenSetzen(const WiTbarHaken& haken)
{
    using H = WiTbarHaken;
    DienstUebernehmen(thHaken, haken, thOhne, &H::groesseSetzen, &H::bildSetzen, &H::knopfBild, &H::knopfHoehe,
                      &H::bildModul, &H::markAnzahl);
}

void wiTbarHakenZuruecksetzen()
{
    thHaken = thOhne;
    thGroessen = thVorher;
    thModul = 0;
}

void TbarGroesseSetzen() { thHaken.groesseSetzen(); }
void TbarBildSetzen(HWND knopf, const char* name) { thHaken.bildSetzen(knopf, name); }
void TbarKnopfBild(int index) { thHaken.knopfBild(index); }
int TbarKnopfHoehe() { return thHaken.knopfHoehe(); }
HMODULE TbarBildModul() { return thHaken.bildModul(); }
int wiTbarMarkAnzahl() { return thHaken.markAnzahl(); }

TbarGroessen& TbarGroesse() { return thGroessen; }
void TbarBildModulSetzen(HMODULE modul) { thModul = modul; }
