// Stand-ins for equipment modules still to come (see platzhalter.h). Each
// group is replaced, and deleted here, by its own module. Prefix `Ph`.
#include "equipment/platzhalter.h"

#include <cstring>

#include "equipment/bmhilf.h"
#include "support/bdatei.h"
#include "support/texte.h"

namespace {

std::vector<std::string> phAufrufe;

void PhMerken(const std::string& aufruf) { phAufrufe.push_back(aufruf); }

std::string PhSchluessel(const char* name, uint32_t id, const char* code, int nr)
{
    std::string s = name;
    s += '(';
    BmhHex(s, id);
    s += ", ";
    s += code != nullptr ? code : "";
    s += ", ";
    BmhInt(s, nr);
    return s;
}

// A section kept as its lines: read until a line beginning with ')' (which
// is consumed), trimmed, empty and ';' lines skipped; written back as read.
struct PhAbschnitt {
    const char* kopf;
    std::vector<std::string> zeilen;
};
PhAbschnitt phGtx{")S Gtx", {}};
PhAbschnitt phZtx{")S Ztx", {}};
PhAbschnitt phWse{")S Wse", {}};
PhAbschnitt phVgb{")S Vgb", {}};

int PhLesen(PhAbschnitt& a, BDAT* d)
{
    a.zeilen.clear();
    static char zeile[BMZEILESUP];
    while (bdgets(d, zeile, BMZEILESUP - 1) >= 0) {
        strtrim(zeile);
        if (zeile[0] == ')') break;
        if (zeile[0] == 0 || zeile[0] == ';') continue;
        a.zeilen.emplace_back(zeile);
    }
    return 0;
}

int PhSchreiben(const PhAbschnitt& a, BDAT* d)
{
    int r = bdputs(d, a.kopf);
    for (const auto& z : a.zeilen)
        if (bdputs(d, z.c_str()) < 0) r = -1;
    return r < 0 ? -1 : 0;
}

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

// --- generated texts -----------------------------------------------------
void GtxInit() { phGtx.zeilen.clear(); }
void GtxFrei() { phGtx.zeilen.clear(); }
int GtxGeaendert() { return 0; }
int GtxAbschnittLesen(BDAT* d) { return PhLesen(phGtx, d); }
int GtxAbschnittSchreiben(BDAT* d) { return PhSchreiben(phGtx, d); }

void GtxTextNeu(uint32_t id, const char* code, int nr, int zeile, const char* text)
{
    std::string s = PhSchluessel("GtxTextNeu", id, code, nr) + ", ";
    BmhInt(s, zeile);
    PhMerken(s + ", " + (text != nullptr ? text : "") + ")");
}

void GtxTextRoh(uint32_t, const char*, int, int, char* aus, size_t kap)
{
    if (aus != nullptr && kap > 0) aus[0] = 0;
}

void GtxBauteilLoeschen(uint32_t id, const char* code, int nr) { PhMerken(PhSchluessel("GtxBauteilLoeschen", id, code, nr) + ")"); }

void GtxLoeschen(uint32_t id)
{
    std::string s = "GtxLoeschen(";
    BmhHex(s, id);
    PhMerken(s + ")");
}

// --- attached texts ------------------------------------------------------
void ZtxInit() { phZtx.zeilen.clear(); }
void ZtxFrei() { phZtx.zeilen.clear(); }
int ZtxGeaendert() { return 0; }
int ZtxAbschnittLesen(BDAT* d) { return PhLesen(phZtx, d); }
int ZtxAbschnittSchreiben(BDAT* d) { return PhSchreiben(phZtx, d); }
void ZtxBauteilLoeschen(uint32_t id, const char* code, int nr) { PhMerken(PhSchluessel("ZtxBauteilLoeschen", id, code, nr) + ")"); }

void ZtxLoeschen(uint32_t id)
{
    std::string s = "ZtxLoeschen(";
    BmhHex(s, id);
    PhMerken(s + ")");
}

// --- unassigned placements -----------------------------------------------
void WseInit() { phWse.zeilen.clear(); }
void WseFrei() { phWse.zeilen.clear(); }
void WseCacheInit() {}
void WseCacheFrei() {}
void WseCacheLeeren() {}
int WseGeaendert() { return 0; }
int WseAbschnittLesen(BDAT* d) { return PhLesen(phWse, d); }
int WseAbschnittSchreiben(BDAT* d) { return PhSchreiben(phWse, d); }
void WseMarkenBestaetigen() {}

// --- start point, section Vgb --------------------------------------------
void VgbInit() { phVgb.zeilen.clear(); }
int VgbAbschnittLesen(BDAT* d) { return PhLesen(phVgb, d); }
int VgbAbschnittSchreiben(BDAT* d) { return PhSchreiben(phVgb, d); }
void VgbNachLesen() {}
void VgbProjektWechsel() {}

// --- component list display ----------------------------------------------
const PhHulStand& PhHul()
{
    phHul.spalten = HulTextSpalten() - 1;
    for (int i = 0; i < 5; ++i) phHul.quelle[i] = HulSpalteQuelle(i);
    phHul.suchmodus = HulSuchModus();
    return phHul;
}
