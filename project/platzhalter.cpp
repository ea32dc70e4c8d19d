// Stand-ins of the project manager's services (see platzhalter.h).
#include "project/platzhalter.h"

#include <cstdio>
#include <filesystem>

#include "config/datwache.h"
#include "config/verzeich.h"
#include "platform/shell.h"
#include "support/texte.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"

namespace {
std::vector<std::string> phAufrufe;
char phHilfe[21] = "";
}  // namespace

std::vector<std::string>& PhProjektAufrufe() { return phAufrufe; }

void HilfeSchluesselSetzen(const char* schluessel) { strkopie(phHilfe, schluessel ? schluessel : "", 20); }
const char* PhHilfeSchluessel() { return phHilfe; }

// A command whose dialog is not built yet says so instead of doing nothing.
void HandbuchInit() {}
void HandbuchEnde() {}
void HilfeKontext() { wiInfo("Die Hilfe ist noch nicht verf\xFCgbar."); }
void HilfePdfOeffnen() { wiInfo("Das Handbuch ist noch nicht verf\xFCgbar."); }
void HandbuchOeffnen() { wiInfo("Das Handbuch ist noch nicht verf\xFCgbar."); }
void BauteilDokuOeffnen() { wiInfo("Die Bauteil-Dokumentation ist noch nicht verf\xFCgbar."); }
void InfoOeffnen() { wiInfo("Die Programminformation ist noch nicht verf\xFCgbar."); }
void InternetOeffnen() { wiInfo("Die Internetseite von Velmo ist noch nicht verf\xFCgbar."); }
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
void RsRasterAnmelden(int, int, RsZelleHolenFn, RsZelleSetzenFn, void (*)()) {}
int RsPruefenAktiv() { return 0; }
int RsUnbekannteDa(int) { return 0; }
int RsNachricht(UINT, WPARAM, LPARAM) { return 0; }
int RsPruefen(int, int folge)
{
    if (folge != 0) PostMessage(wiDlgFenster(), WM_COMMAND, static_cast<WPARAM>(folge), 0);
    return 0;
}
// ---- end zeiops ----
// ---- Called by the project manager page (proverw) ------------------------------------------------

void ExportOeffnen()
{
    wiInfo("Der Export von Zeichnungen ist noch nicht verf\xFCgbar.");
    phAufrufe.push_back("ExportOeffnen()");
}
