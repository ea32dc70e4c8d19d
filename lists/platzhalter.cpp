// Stand-ins of the equipment list's and evaluations' services (see
// platzhalter.h).
#include "lists/platzhalter.h"

#include "output/platzhalter.h"
#include "winlib/meldung.h"

namespace {
std::vector<std::string> phAufrufe;
HWND phBml = 0;
}

std::vector<std::string>& PhListenAufrufe() { return phAufrufe; }

void BmlBearbOeffnen()
{
    phAufrufe.push_back("BmlBearbOeffnen()");
    PhSeiteOeffnen(&phBml, "BMLBEARB_INT", nullptr);
}
int BmlIstExtern() { return 0; }
int BmlRahmenBefehl(int, LPARAM) { return 0; }
void BmlPost(int, LPARAM) {}
// A command whose dialog is not built yet says so instead of doing nothing.
void BmEinfrieren() { wiInfo("Das Einfrieren der Kennungen ist noch nicht verf\xFCgbar."); }
void BmPruefen() { wiInfo("Die Pr\xFC""fung der Betriebsmittel ist noch nicht verf\xFCgbar."); }
void BmVerschmelzen() { wiInfo("Das Verschmelzen von Betriebsmitteln ist noch nicht verf\xFCgbar."); }
void StammdatenOeffnen(int) { wiInfo("Die Stammdaten sind noch nicht verf\xFCgbar."); }
