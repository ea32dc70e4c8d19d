// Stand-ins of the drawing editor's services (see platzhalter.h).
#include "editor/platzhalter.h"

#include <cstdio>
#include <cstdlib>

#include "config/reaktion.h"
#include "editor/edmeld.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/textvar.h"
#include "model/tempzeic.h"
#include "model/befehl.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/winconst.h"
#include "platform/nachrichtbox.h"
#include "support/texte.h"
#include "winlib/dialog.h"

namespace {
std::vector<std::string> phAufrufe;
}  // namespace

std::vector<std::string>& PhEditorAufrufe() { return phAufrufe; }

