// Stand-ins for equipment modules still to come (see platzhalter.h). Each
// group is replaced, and deleted here, by its own module. Prefix `Ph`.
#include "equipment/platzhalter.h"
#include "equipment/lagerart.h"
#include "equipment/app.h"

#include <cstring>

#include "equipment/bmhilf.h"
#include "support/bdatei.h"
#include "support/texte.h"

namespace {

std::vector<std::string> phAufrufe;

PhHulStand phHul;

}  // namespace

const std::vector<std::string>& PhAufrufe() { return phAufrufe; }
void PhAufrufeLoeschen() { phAufrufe.clear(); }

// --- component list display ----------------------------------------------
const PhHulStand& PhHul()
{
    phHul.spalten = HulTextSpalten() - 1;
    for (int i = 0; i < 5; ++i) phHul.quelle[i] = HulSpalteQuelle(i);
    phHul.suchmodus = HulSuchModus();
    return phHul;
}
// --- services of the frame's start-up, shut-down and folder change -----
void PhAppAktivSetzen(int aktiv) { AppAktivSetzen(aktiv); }
void KopfPoolInit() {}
void KopfPoolFrei() {}
void PruefPoolInit() {}
void PruefPoolFrei() {}
void LagerNeuOeffnen() { LagerLaden(); }
