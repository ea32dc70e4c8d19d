// Stand-ins of the equipment list's and evaluations' services (see
// platzhalter.h).
#include "lists/platzhalter.h"

#include "output/platzhalter.h"

namespace {
std::vector<std::string> phAufrufe;
HWND phAuswert = 0;
}

std::vector<std::string>& PhListenAufrufe() { return phAufrufe; }

void AuswertOeffnen()
{
    phAufrufe.push_back("AuswertOeffnen()");
    PhSeiteOeffnen(&phAuswert, "AUSWERTNEU", nullptr);
}
void AuswertNeu()
{
    phAufrufe.push_back("AuswertNeu()");
    PhSeitePost(&phAuswert, 2590);
}
void AuswertNamenNeu()
{
    phAufrufe.push_back("AuswertNamenNeu()");
    PhSeitePost(&phAuswert, 2590);
}
void AuswertStatus(char* puffer)
{
    if (puffer != nullptr) puffer[0] = '\0';
}
