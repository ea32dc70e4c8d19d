// Stand-ins for equipment modules still to come (see platzhalter.h). Each
// group is replaced, and deleted here, by its own module. Prefix `Ph`.
#include "equipment/platzhalter.h"

#include <cstring>

#include "equipment/bmhilf.h"
#include "support/bdatei.h"
#include "support/texte.h"

namespace {

std::vector<std::string> phAufrufe;

std::vector<PhDefinition> phDefs;
PhHulStand phHul;

const PhDefinition* PhDef(int n)
{
    if (n < 0 || n >= static_cast<int>(phDefs.size())) return nullptr;
    return &phDefs[static_cast<size_t>(n)];
}

void PhText41(char* ziel, const std::string& quelle)
{
    if (ziel != nullptr) strkopie(ziel, DEFTEXTSUP + 1, quelle.c_str(), DEFTEXTSUP);
}

}  // namespace

const std::vector<std::string>& PhAufrufe() { return phAufrufe; }
void PhAufrufeLoeschen() { phAufrufe.clear(); }

// --- definitions ---------------------------------------------------------
void PhDefinitionenSetzen(const std::vector<PhDefinition>& defs) { phDefs = defs; }
void DefInit() {}
void DefFrei() {}
void DefDateienSetzen() {}

void DefFelderHolen(int n, char* bauteil, char* typ, char* kenn1, char* kenn2, char* kurz)
{
    static const PhDefinition leer;
    const PhDefinition* d = PhDef(n);
    if (d == nullptr) d = &leer;
    PhText41(bauteil, d->bauteil);
    PhText41(typ, d->typ);
    PhText41(kenn1, d->kenn1);
    PhText41(kenn2, d->kenn2);
    PhText41(kurz, d->kurz);
}

int DefZahlHolen(int n)
{
    const PhDefinition* d = PhDef(n);
    return d != nullptr ? d->zahl1 : 0;
}

int DefZahl2Holen(int n)
{
    const PhDefinition* d = PhDef(n);
    return d != nullptr ? d->zahl2 : 0;
}

void DefUnterDurchlaufen(int n, DEFUNTERFN fn, void* benutzer)
{
    const PhDefinition* d = PhDef(n);
    if (d == nullptr) return;
    for (const auto& z : d->unter) {
        char zeile[BMZEILESUP];
        strkopie(zeile, z.c_str(), BMZEILESUP - 1);
        strtrim(zeile);
        fn(zeile, benutzer);
    }
}

// --- component list display ----------------------------------------------
const PhHulStand& PhHul()
{
    phHul.spalten = HulTextSpalten() - 1;
    for (int i = 0; i < 5; ++i) phHul.quelle[i] = HulSpalteQuelle(i);
    phHul.suchmodus = HulSuchModus();
    return phHul;
}
