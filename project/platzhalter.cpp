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
