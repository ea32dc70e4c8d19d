// Stand-ins of the equipment list's and evaluations' services (see
// platzhalter.h).
#include "lists/platzhalter.h"

#include "output/platzhalter.h"

namespace {
std::vector<std::string> phAufrufe;
}

std::vector<std::string>& PhListenAufrufe() { return phAufrufe; }

