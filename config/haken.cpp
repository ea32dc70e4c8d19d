// The three hook tables (see haken.h). The assertion names the module
// "statusanzeige" with line 35 for the status table and 36 for the others,
// as the registrants' tests expect.
#include "config/haken.h"

#include "support/basis.h"
#include "support/texte.h"

namespace {

struct HakenTabelle {
    HAKEN eintrag[HAKSUP];
    int lisanz = 0;
};

HakenTabelle hakStatus, hakAufwischen, hakReaktion;

void hakAnmelden(HakenTabelle& t, int zeile, HAKENFN funktion, int32_t argument, const char* name)
{
    if (!(t.lisanz < HAKSUP)) {
        wiAssert("statusanzeige", zeile, "lisanz < LISSUP");
    }
    HAKEN& h = t.eintrag[t.lisanz];
    h.funktion = funktion;
    h.argument = argument;
    h.name[0] = '\0';
    if (name != nullptr) {
        strkopie(h.name, sizeof h.name, name, HAKENNAMESUP);
    }
    ++t.lisanz;
}

void hakAusloesen(const HakenTabelle& t)
{
    for (int i = 0; i < t.lisanz; ++i) {
        const HAKEN& h = t.eintrag[i];
        if (h.funktion != nullptr) {
            h.funktion(h.argument, h.name);
        }
    }
}

}  // namespace

void StatusAnmelden(HAKENFN funktion, int32_t argument, const char* name)
{
    hakAnmelden(hakStatus, 35, funktion, argument, name);
}

void StatusAusloesen()
{
    hakAusloesen(hakStatus);
}

void AufwischenAnmelden(HAKENFN funktion, int32_t argument, const char* name)
{
    hakAnmelden(hakAufwischen, 36, funktion, argument, name);
}

void Aufwischen()
{
    hakAusloesen(hakAufwischen);
}

void ReaktionAnmelden(HAKENFN funktion, int32_t argument, const char* name)
{
    hakAnmelden(hakReaktion, 36, funktion, argument, name);
}

void ReaktionAusloesen()
{
    hakAusloesen(hakReaktion);
}

int HakenAnzahl(int tabelle)
{
    switch (tabelle) {
    case 0: return hakStatus.lisanz;
    case 1: return hakAufwischen.lisanz;
    case 2: return hakReaktion.lisanz;
    default: return 0;
    }
}

void HakenZuruecksetzen()
{
    hakStatus.lisanz = 0;
    hakAufwischen.lisanz = 0;
    hakReaktion.lisanz = 0;
}
