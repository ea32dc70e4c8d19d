// Stand-ins of the project manager's services (see platzhalter.h).
#include "project/platzhalter.h"

#include "output/platzhalter.h"
#include "support/texte.h"

namespace {
std::vector<std::string> phAufrufe;
char phHilfe[21] = "";
HWND phSeite = 0;
}  // namespace

std::vector<std::string>& PhProjektAufrufe() { return phAufrufe; }

void PvwOeffnen()
{
    phAufrufe.push_back("PvwOeffnen()");
    PhSeiteOeffnen(&phSeite, "PROVERW", nullptr);
}
void PvwBefehl(int id)
{
    phAufrufe.push_back("PvwBefehl(" + std::to_string(id) + ")");
    PhSeitePost(&phSeite, id);
}
void PvwListeNeu()
{
    phAufrufe.push_back("PvwListeNeu()");
    PhSeitePost(&phSeite, 2590);
}
HWND PvwDlgFenster() { return PhSeite(&phSeite); }
void HilfeSchluesselSetzen(const char* schluessel) { strkopie(phHilfe, schluessel ? schluessel : "", 20); }
const char* PhHilfeSchluessel() { return phHilfe; }
int PvwLetzterOrdner(int, char* puffer)
{
    if (puffer != nullptr) puffer[0] = '\0';
    return 0;
}

void HandbuchInit() {}
void HandbuchEnde() {}
void HilfeKontext() {}
void HilfePdfOeffnen() {}
void HandbuchOeffnen() {}
void BauteilDokuOeffnen() {}
void InfoOeffnen() {}
void InternetOeffnen() {}
void PvwOrdnerLaden() {}
void PvwOrdnerSichern() {}
void PvwOrdnerMerken(const char*) {}
void PvwLetzteOrdnerMenu() {}
void PvwChkLstMenu() {}
void PvwTitelCacheSchliessen() {}
void PvwTitelVorbereiten() {}
void PvwZeiWaehlen(const char*) {}
void PvwTitelDialog() {}
void PvwUntertitelDialog(const char*) {}
void PvwUntertitelImport() {}
void PvwDateiUpdate() {}
void PvwKurztexteImport() {}
void PvwKurztexteExport() {}
void PvwProjektliste() {}
void PvwOrdnerWahl() {}
void PvwStartDialog() {}
void PvwNeuesProjekt() {}
void PvwSichern() {}
void PvwCheckliste(int) {}
void SpellEinstLesen() {}
void SpellEnde() {}
