// Undo journal; see undo.h. Records live in a record array (`ChgListe`);
// its capacity is the array's limit (saplatz). Records are found through
// two maps kept beside the array, as a scan of a full journal for each
// object of a large command would make it quadratic: the object records by
// the name they go by (`undoNachId`, `undoNachProxy`) and each command's
// state records.
#include "model/undo.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/tempzeic.h"
#include "support/basis.h"
#include "support/struarr.h"

using namespace modh;  // the model's calls through its service tables

namespace {

SARR ChgListe;
uint32_t GenListe[GENLISTESUP];
int undoPos = 0;
bool undoAktiv = false;
bool undoUeberlauf = false;
bool undoGeaendert = false;
uint32_t undoProxy = 1;
// The records of each generation in ChgListe: dropping a generation that
// has none scans nothing, and the scan for one that has some stops at its
// last record (the oldest generations lie at the front).
std::unordered_map<uint32_t, int32_t> undoGenZahl;

int32_t& undoZahl(uint32_t g) { return undoGenZahl[g]; }

// The state records (STT, MFL, APP) of each generation: at most one of a
// kind per generation, and records never move while they exist.
std::unordered_map<uint32_t, std::array<CHGSATZ*, 3>> undoZustandSaetze;

// The object records (INS, CHG, DEL) by the name they go by: a proxy, or
// their id while they have none. Each such record is in exactly one list
// (records with a negative id in none: the store gives none, and they are
// found by a scan); records never move while they exist. Tables indexed by
// proxy and id, as most objects have a single record: adding one costs no
// hashing and no allocation on the way of every insert.
struct UndoListe {
    CHGSATZ* erster = nullptr;
    std::vector<CHGSATZ*> weitere;
};
std::vector<UndoListe> undoNachId, undoNachProxy;

UndoListe* undoListe(uint32_t proxy, int id, bool anlegen)
{
    if (proxy == 0 && id < 0) return nullptr;
    std::vector<UndoListe>& tabelle = proxy != 0 ? undoNachProxy : undoNachId;
    const size_t k = proxy != 0 ? proxy : static_cast<size_t>(id);
    if (k >= tabelle.size()) {
        if (!anlegen) return nullptr;
        tabelle.resize(std::max(k + 1, tabelle.size() * 2));
    }
    return &tabelle[k];
}

void undoNameDazu(CHGSATZ* c)
{
    UndoListe* l = undoListe(c->stellvertreter, c->id, true);
    if (l == nullptr) return;
    if (l->erster == nullptr)
        l->erster = c;
    else
        l->weitere.push_back(c);
}

void undoNameWeg(const CHGSATZ* c)
{
    UndoListe* l = undoListe(c->stellvertreter, c->id, false);
    if (l == nullptr) return;
    if (l->erster == c) {
        l->erster = l->weitere.empty() ? nullptr : l->weitere.back();
        if (!l->weitere.empty()) l->weitere.pop_back();
        return;
    }
    auto wo = std::find(l->weitere.begin(), l->weitere.end(), c);
    if (wo != l->weitere.end()) l->weitere.erase(wo);
}

// Every record of list `von` goes to the name `setzen` gives it.
template <class F> void undoUmbenennen(UndoListe* von, F&& setzen)
{
    if (von == nullptr || von->erster == nullptr) return;
    std::vector<CHGSATZ*> saetze = std::move(von->weitere);
    saetze.push_back(von->erster);
    von->erster = nullptr;
    von->weitere.clear();
    for (CHGSATZ* c : saetze) {
        setzen(c);
        undoNameDazu(c);
    }
}

const char undoArtName[6][5] = {"CHG", "INS", "DEL", "STT", "MFL", "APP"};

CHGSATZ* undoSatz(int i) { return static_cast<CHGSATZ*>(saadr(&ChgListe, i)); }

void undoGenReset()
{
    undoGenZahl.clear();
    undoZustandSaetze.clear();
    undoNachId.clear();
    undoNachProxy.clear();
    std::memset(GenListe, 0, sizeof GenListe);
    undoPos = 0;
    undoGeaendert = true;
}

uint32_t undoNeuerProxy()
{
    ++undoProxy;
    if (undoProxy > 100000) undoProxy = 1;
    return undoProxy;
}

// Drops the records of generation g. They are first moved, keeping the
// order of the others, to the end of the array's index (its public order
// of records), so that each deletion shifts nothing: one pass instead of a
// shift of the whole index per record of a large generation. The pass
// ends at the generation's last record.
void undoGenEntfernen(uint32_t g)
{
    if (g == 0) return;
    int32_t& zahl = undoZahl(g);
    if (zahl == 0) return;
    undoZustandSaetze.erase(g);
    const int n = saanzahl(&ChgListe);
    char** index = ChgListe.inhalt;
    std::vector<char*> weg;
    weg.reserve(static_cast<size_t>(zahl));
    int i = 0, behalten = 0;
    for (; i < n && static_cast<int32_t>(weg.size()) < zahl; ++i) {
        if (reinterpret_cast<const CHGSATZ*>(index[i])->generation == g)
            weg.push_back(index[i]);
        else
            index[behalten++] = index[i];
    }
    std::memmove(index + behalten, index + i, sizeof(char*) * static_cast<size_t>(n - i));
    std::copy(weg.begin(), weg.end(), index + (n - static_cast<int>(weg.size())));
    for (const char* p : weg) {
        const auto* c = reinterpret_cast<const CHGSATZ*>(p);
        if (c->art <= UNDO_DEL) undoNameWeg(c);
    }
    for (int k = n - 1; k >= n - static_cast<int>(weg.size()); --k) saloeschen(&ChgListe, k);
    zahl = 0;
}

void undoPlatzMachen()
{
    if (saplatz(&ChgListe)) return;
    for (int k = GENLISTESUP - 1; k >= 1; --k) {
        uint32_t g = GenListe[k];
        if (g == 0) continue;
        int vorher = saanzahl(&ChgListe);
        undoGenEntfernen(g);
        if (saanzahl(&ChgListe) != vorher) break;
    }
}

// Appends a record, making room by dropping the oldest generations first;
// with no room left the journal is marked overflowed (and nullptr comes
// back), else the record in the journal.
CHGSATZ* undoAnhaengen(const CHGSATZ& c)
{
    undoPlatzMachen();
    if (!saplatz(&ChgListe)) {
        undoUeberlauf = true;
        return nullptr;
    }
    CHGSATZ* neu = undoSatz(saanhaengen(&ChgListe, &c));
    ++undoZahl(c.generation);
    return neu;
}

// Appends a cleared record and returns it to be filled in place (a
// record is large, and most of an insert's is empty); nullptr when the
// journal has no room left (then marked overflowed).
CHGSATZ* undoNeuerSatz(uint32_t art, uint32_t stempel, uint32_t generation)
{
    static const CHGSATZ leer{};
    undoPlatzMachen();
    if (!saplatz(&ChgListe)) {
        undoUeberlauf = true;
        return nullptr;
    }
    CHGSATZ* c = undoSatz(saanhaengen(&ChgListe, &leer));
    c->art = art;
    c->stempel = stempel;
    c->generation = generation;
    ++undoZahl(generation);
    return c;
}

void undoRueckgaengigVerwerfen()
{
    for (int p = undoPos; p > 0; --p) {
        undoGenEntfernen(GenListe[0]);
        std::memmove(GenListe, GenListe + 1, (GENLISTESUP - 1) * sizeof GenListe[0]);
        GenListe[GENLISTESUP - 1] = 0;
    }
    undoPos = 0;
}

void undoGenEintragen(uint32_t g)
{
    if (GenListe[0] == g) return;
    undoGenEntfernen(GenListe[GENLISTESUP - 1]);
    std::memmove(GenListe + 1, GenListe, (GENLISTESUP - 1) * sizeof GenListe[0]);
    GenListe[0] = g;
}

// The object's records are named by `proxy` from now on.
void undoNeuVerschluesseln(int id, uint32_t proxy)
{
    auto setzen = [&](CHGSATZ* c) {
        c->id = 0;
        c->stellvertreter = proxy;
    };
    if (id >= 0) {
        undoUmbenennen(undoListe(0, id, false), setzen);
        return;
    }
    for (int i = 0; i < saanzahl(&ChgListe); ++i) {
        CHGSATZ* c = undoSatz(i);
        if (c->art <= UNDO_DEL && c->stellvertreter == 0 && c->id == id) {
            setzen(c);
            undoNameDazu(c);
        }
    }
}

// The records named by `proxy` name the object `id` (not negative) from
// now on.
void undoProxyAufloesen(uint32_t proxy, int id)
{
    if (proxy == 0 || id < 0) return;
    undoUmbenennen(undoListe(proxy, 0, false), [&](CHGSATZ* c) {
        c->id = id;
        c->stellvertreter = 0;
    });
}

// The position of a record in the array; the records searched for are
// mostly of the newest generations, at the end.
int undoStelle(const CHGSATZ* c)
{
    for (int i = saanzahl(&ChgListe) - 1; i >= 0; --i)
        if (ChgListe.inhalt[i] == reinterpret_cast<const char*>(c)) return i;
    return -1;
}

// The first record, in the array's order, of generation g naming object
// id by its id; nullptr when there is none.
CHGSATZ* undoSuchen(uint32_t g, int id)
{
    auto scan = [&]() -> CHGSATZ* {
        for (int i = 0; i < saanzahl(&ChgListe); ++i) {
            CHGSATZ* d = undoSatz(i);
            if (d->art <= UNDO_DEL && d->generation == g && d->stellvertreter == 0 && d->id == id) return d;
        }
        return nullptr;
    };
    if (id < 0) return scan();
    const UndoListe* l = undoListe(0, id, false);
    if (l == nullptr || l->erster == nullptr) return nullptr;
    CHGSATZ* gefunden = l->erster->generation == g ? l->erster : nullptr;
    for (CHGSATZ* c : l->weitere) {
        if (c->generation != g) continue;
        // Two (a continued record met one of its new generation): the
        // first in the array's order, as a scan finds it.
        if (gefunden != nullptr) return scan();
        gefunden = c;
    }
    return gefunden;
}

int undoZustand(uint32_t art, uint32_t vorher, uint32_t g, int alt, int neu)
{
    if (!undoAktiv) return 0;
    if (art == UNDO_MFL) undoGeaendert = true;
    CHGSATZ* gefunden = nullptr;
    if (auto it = undoZustandSaetze.find(g); it != undoZustandSaetze.end()) gefunden = it->second[art - UNDO_STT];
    if (gefunden) {
        gefunden->neuwert = neu;
    } else {
        CHGSATZ c;
        std::memset(&c, 0, sizeof c);
        c.art = art;
        c.stempel = vorher;
        c.generation = g;
        c.altwert = alt;
        c.neuwert = neu;
        if (CHGSATZ* neuer = undoAnhaengen(c)) undoZustandSaetze[g][art - UNDO_STT] = neuer;
    }
    undoRueckgaengigVerwerfen();
    undoGenEintragen(g);
    return 1;
}

// Replays generation g: undo with the old values, redo with the new.
void undoAbspielen(uint32_t g, bool redo)
{
    int wert[3] = {-1, -1, -1};  // STT, MFL, APP
    for (int i = 0; i < saanzahl(&ChgListe); ++i) {
        CHGSATZ* c = undoSatz(i);
        if (c->generation != g) continue;
        const BEF* b = redo ? &c->neubef : &c->altbef;
        const STT* s = redo ? &c->neustt : &c->altstt;
        switch (c->art) {
        case UNDO_CHG:
            if (c->stellvertreter == 0) TzSetzenMitStempel(static_cast<int>(c->stempel), c->id, b, s);
            break;
        case UNDO_INS:
        case UNDO_DEL:
            if ((c->art == UNDO_INS) != redo) {
                // The object goes: it is named by proxy from now on.
                if (c->stellvertreter == 0) {
                    int id = c->id;
                    TzEntfernen(id);
                    undoNeuVerschluesseln(id, undoNeuerProxy());
                }
            } else {
                int id = TzEinfuegenMitStempel(static_cast<int>(c->stempel), b, s);
                if (id >= 0) undoProxyAufloesen(c->stellvertreter, id);
            }
            break;
        default:
            wert[c->art - UNDO_STT] = redo ? c->neuwert : c->altwert;
            break;
        }
    }
    AppZustandHolen(wert[2]);
    MflGenWieder(wert[1]);
    if (wert[0] >= 0 && wert[0] < ZUSTANDSUP) ZustandHolen(wert[0]);
}

}  // namespace

void UndoInit()
{
    if (undoAktiv) safrei(&ChgListe);
    sainit(&ChgListe, sizeof(CHGSATZ));
    undoGenReset();
    undoUeberlauf = false;
    undoAktiv = true;
}

void UndoFrei()
{
    if (!undoAktiv) return;
    undoAktiv = false;
    safrei(&ChgListe);
    undoGenReset();
}

void UndoLeeren()
{
    if (!undoAktiv) return;
    saleeren(&ChgListe);
    undoGenReset();
    undoUeberlauf = false;
}

void UndoUeberlaufPruefen()
{
    if (undoAktiv && undoUeberlauf) UndoLeeren();
}

int UndoGeaendert(int loeschen)
{
    int g = undoGeaendert ? 1 : 0;
    if (loeschen) undoGeaendert = false;
    return g;
}

int UndoVerfuegbar(int redo)
{
    if (!undoAktiv) return 0;
    if (redo) return undoPos < 1 ? 0 : static_cast<int>(GenListe[undoPos - 1]);
    if (undoPos > 17) return 0;
    return GenListe[undoPos + 1] == 0 ? 0 : static_cast<int>(GenListe[undoPos]);
}

void UndoObjekt(uint32_t art, uint32_t stempel, uint32_t g, int id, const BEF* ab, const STT* as, const BEF* nb,
                const STT* ns)
{
    if (!undoAktiv) return;
    undoGeaendert = true;
    CHGSATZ* da = (art == UNDO_CHG || art == UNDO_DEL) ? undoSuchen(g, id) : nullptr;
    if (art == UNDO_CHG && da && nb) {
        da->neubef = *nb;
        if (ns) da->neustt = *ns;
    } else if (art == UNDO_DEL && da) {
        if (da->art == UNDO_INS) {
            --undoZahl(da->generation);
            undoNameWeg(da);
            saloeschen(&ChgListe, undoStelle(da));
        } else {
            // Changed, then deleted in one generation: one DEL with the
            // oldest values, so that undo brings the object back.
            da->art = UNDO_DEL;
            std::memset(&da->neubef, 0, sizeof da->neubef);
            std::memset(&da->neustt, 0, sizeof da->neustt);
        }
    } else if (CHGSATZ* c = undoNeuerSatz(art, stempel, g)) {
        c->id = id;
        if (ab) c->altbef = *ab;
        if (as) c->altstt = *as;
        if (nb) c->neubef = *nb;
        if (ns) c->neustt = *ns;
        if (art <= UNDO_DEL) undoNameDazu(c);
    }
    if (art == UNDO_DEL) undoNeuVerschluesseln(id, undoNeuerProxy());
    undoRueckgaengigVerwerfen();
    undoGenEintragen(g);
}

void UndoFortsetzen(uint32_t altstempel, uint32_t g, int id, const BEF* nb, const STT* ns)
{
    if (!undoAktiv) return;
    undoGeaendert = true;
    if (CHGSATZ* c = undoSuchen(altstempel, id)) {
        --undoZahl(c->generation);
        ++undoZahl(g);
        c->generation = g;
        c->neubef = *nb;
        c->neustt = *ns;
    }
    undoRueckgaengigVerwerfen();
    undoGenEintragen(g);
}

int UndoSttMerken(uint32_t v, uint32_t g, int a, int n) { return undoZustand(UNDO_STT, v, g, a, n); }
int UndoMflMerken(uint32_t v, uint32_t g, int a, int n) { return undoZustand(UNDO_MFL, v, g, a, n); }
int UndoAppMerken(uint32_t v, uint32_t g, int a, int n) { return undoZustand(UNDO_APP, v, g, a, n); }

void UndoSchritt()
{
    if (!undoAktiv) return;
    if (!(undoPos < 18 && GenListe[undoPos] != 0 && GenListe[undoPos + 1] != 0)) return;
    uint32_t g = GenListe[undoPos];
    ++undoPos;
    undoAbspielen(g, false);
}

void RedoSchritt()
{
    if (!undoAktiv) return;
    if (!(undoPos > 0 && GenListe[undoPos - 1] != 0)) return;
    uint32_t g = GenListe[undoPos - 1];
    --undoPos;
    undoAbspielen(g, true);
}

void UndoDump()
{
    if (!undoAktiv) return;
    wiDebug("GenListe %d\n", undoPos);
    for (int i = 0; i < GENLISTESUP; ++i) {
        if (GenListe[i]) wiDebug("G%3d %5u %s\n", i, GenListe[i], i == undoPos ? "<<" : "");
    }
    wiDebug("ChgListe %d\n", saanzahl(&ChgListe));
    for (int i = 0; i < saanzahl(&ChgListe); ++i) {
        const CHGSATZ* c = undoSatz(i);
        char kopf[96];
        snprintf(kopf, sizeof kopf, "C%3d %u %s %3u %3u %5d %5u", i, c->art, undoArtName[c->art % 6], c->stempel,
                 c->generation, c->id, c->stellvertreter);
        char alt[64], neu[64], idx[32];
        snprintf(alt, sizeof alt, " %5s %5.1f %5.1f ", "", c->altstt.x, c->altstt.y);
        snprintf(neu, sizeof neu, " %5s %5.1f %5.1f ", "", c->neustt.x, c->neustt.y);
        snprintf(idx, sizeof idx, " %5s idx %2d > %2d", "", c->altwert, c->neuwert);
        wiDebug("%s%s%s%s%s%s\n", kopf, alt, BefZuText(&c->altbef).c_str(), neu, BefZuText(&c->neubef).c_str(), idx);
    }
}

int UndoAnzahl() { return undoAktiv ? saanzahl(&ChgListe) : 0; }
const CHGSATZ* UndoSatz(int i) { return undoAktiv ? undoSatz(i) : nullptr; }
uint32_t UndoGen(int i) { return (i >= 0 && i < GENLISTESUP) ? GenListe[i] : 0; }
int UndoPosition() { return undoPos; }
int UndoUeberlauf() { return undoUeberlauf ? 1 : 0; }

int UndoNamenStimmen()
{
    std::unordered_set<const CHGSATZ*> offen;
    for (int i = 0; undoAktiv && i < saanzahl(&ChgListe); ++i) {
        const CHGSATZ* c = undoSatz(i);
        if (c->art <= UNDO_DEL && (c->stellvertreter != 0 || c->id >= 0)) offen.insert(c);
    }
    for (const std::vector<UndoListe>* tabelle : {&undoNachId, &undoNachProxy}) {
        const bool perProxy = tabelle == &undoNachProxy;
        for (size_t k = 0; k < tabelle->size(); ++k) {
            const UndoListe& l = (*tabelle)[k];
            if (l.erster == nullptr && !l.weitere.empty()) return 0;
            std::vector<const CHGSATZ*> alle(l.weitere.begin(), l.weitere.end());
            if (l.erster) alle.push_back(l.erster);
            for (const CHGSATZ* c : alle) {
                // Each once, a record of the journal, under its own name.
                if (offen.erase(c) != 1) return 0;
                if ((c->stellvertreter != 0) != perProxy) return 0;
                if ((perProxy ? c->stellvertreter : static_cast<uint32_t>(c->id)) != k) return 0;
            }
        }
    }
    return offen.empty() ? 1 : 0;
}
