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

void HandbuchInit() {}
void HandbuchEnde() {}
void HilfeKontext() {}
void HilfePdfOeffnen() {}
void HandbuchOeffnen() {}
void BauteilDokuOeffnen() {}
void InfoOeffnen() {}
void InternetOeffnen() {}
void PvwChkLstMenu() {}
void PvwTitelCacheSchliessen() {}
void PvwTitelVorbereiten() {}
void PvwZeiWaehlen(const char*) {}
void PvwTitelDialog() {}
void PvwUntertitelDialog(const char*) {}
void PvwUntertitelImport() {}
void PvwDateiUpdate() {}
void PvwProjektliste() {}
void PvwOrdnerWahl() {}
void PvwStartDialog() {}
void PvwNeuesProjekt() {}
void PvwSichern() {}
void PvwCheckliste(int) {}
void SpellEinstLesen() {}
void SpellEnde() {}

// ---- zeiops: spell-check registry stand-ins ----
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "winlib/dialog.h"

int RsStarten() { return 0; }
int RsSofort() { return 0; }
void RsFeldAnmelden(int, const char*, int) {}
void RsFelderAbmelden() {}
int RsNachricht(UINT, WPARAM, LPARAM) { return 0; }
int RsPruefen(int, int folge)
{
    if (folge != 0) PostMessage(wiDlgFenster(), WM_COMMAND, static_cast<WPARAM>(folge), 0);
    return 0;
}
// ---- end zeiops ----
