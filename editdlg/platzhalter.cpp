// Stand-ins of the editor dialogs' services (see platzhalter.h).
#include "editdlg/platzhalter.h"

// --- equipment list and master data ---------------------------------------------
namespace {
std::vector<std::string> phEdDlg;
}

std::vector<std::string>& PhEdDlgAufrufe() { return phEdDlg; }
void TextDateiExtern(const char* pfad) { phEdDlg.push_back(std::string("TextDateiExtern(") + pfad + ")"); }
void BautOeffnen(const char* pfad) { phEdDlg.push_back(std::string("BautOeffnen(") + pfad + ")"); }
