// Stand-ins of the drawing editor's services (see platzhalter.h).
#include "editor/platzhalter.h"

#include <cstdio>

#include "config/reaktion.h"
#include "editor/edmeld.h"
#include "editor/macro.h"
#include "equipment/btl.h"
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


namespace {
void phMerken(const std::string& s) { phAufrufe.push_back(s); }
}  // namespace

void MarkierteAnreihen(int nx, double dx, int ny, double dy)
{
    char t[120];
    std::snprintf(t, sizeof t, "MarkierteAnreihen(%d %g %d %g)", nx, dx, ny, dy);
    phMerken(t);
}
void PunktMarkeZeichnen(double, double, int groesse) { phMerken("PunktMarkeZeichnen(" + std::to_string(groesse) + ")"); }

void DB1345Oeffnen() { phMerken("DB1345Oeffnen()"); }

void MakroEingabeDialog(const char* name)
{
    phMerken(std::string("MakroEingabeDialog(") + name + ")");
    MakroStarten(name, 0);
}

void UbzPlatzieren(const appbteil* b) { phMerken(std::string("UbzPlatzieren(") + (b ? b->bl : "") + ")"); }
