// Stand-ins of the equipment list's and evaluations' services (see
// platzhalter.h).
#include "lists/platzhalter.h"

namespace {
std::vector<std::string> phAufrufe;
}

std::vector<std::string>& PhListenAufrufe() { return phAufrufe; }

void BmlBearbOeffnen() { phAufrufe.push_back("BmlBearbOeffnen()"); }
void AuswertOeffnen() { phAufrufe.push_back("AuswertOeffnen()"); }
void AuswertNeu() { phAufrufe.push_back("AuswertNeu()"); }
void AuswertNamenNeu() { phAufrufe.push_back("AuswertNamenNeu()"); }
void AuswertStatus(char* puffer)
{
    if (puffer != nullptr) puffer[0] = '\0';
}
int BmlIstExtern() { return 0; }
int BmlRahmenBefehl(int, LPARAM) { return 0; }
void BmlPost(int, LPARAM) {}
void BmEinfrieren() {}
void BmPruefen() {}
void BmVerschmelzen() {}
void StammdatenOeffnen(int) {}
