// Stand-ins of the editor dialogs' services (see platzhalter.h).
#include "editdlg/platzhalter.h"

// --- equipment list and master data ---------------------------------------------
namespace {
std::vector<std::string> phEdDlg;
}

std::vector<std::string>& PhEdDlgAufrufe() { return phEdDlg; }
