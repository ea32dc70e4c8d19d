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
}  // namespace

std::vector<std::string>& PhProjektAufrufe() { return phAufrufe; }

const char* PhHilfeSchluessel() { return HilfeSchluessel(); }

// ---- Called by the project manager page (proverw) ------------------------------------------------
namespace {
int phDruckAbbruch = 0, phDruckDuplex = 0;
std::string phText(const char* t) { return t != nullptr ? t : ""; }
}  // namespace

void ExportOeffnen()
{
    wiInfo("Der Export von Zeichnungen ist noch nicht verf\xFCgbar.");
    phAufrufe.push_back("ExportOeffnen()");
}
int DruckStart()
{
    wiInfo("Das Drucken ist noch nicht verf\xFCgbar.");
    phAufrufe.push_back("DruckStart()");
    return phDruckAbbruch ? 0 : 1;
}
int DruckSatzAnzahl() { return 1; }
int DruckDuplex() { return phDruckDuplex; }
int ZeichnungDrucken(const char* datei)
{
    std::string d = phText(datei);
    size_t s = d.find_last_of("/\\");
    phAufrufe.push_back("ZeichnungDrucken(" + (s == std::string::npos ? d : d.substr(s + 1)) + ")");
    return 0;
}
int DruckLeerseite()
{
    phAufrufe.push_back("DruckLeerseite()");
    return 0;
}
void DruckEnde() { phAufrufe.push_back("DruckEnde()"); }
void PhDruckAbbruch(int abbruch) { phDruckAbbruch = abbruch; }
void PhDruckDuplex(int duplex) { phDruckDuplex = duplex; }
