// Drawing store core: packing of objects, the two name tables, the baskets
// under their spatial keys with the working basket and the basket swap file,
// insert, remove, replace, reads, marks, the repaint accumulator and the
// changed flag. Prefix `Tz` (internals `tz`). Calls the text heap and the
// order (tzint.h), the journal, the command generation, the editor hooks,
// the settings (drawing area, "ZeiRAM"), the defaults set ("EdZeiKoerbe")
// and support/.
//
// Invariants:
//  1. A basket with count 0 is empty whatever its key; slots 0..count-1
//     are in use and their objects carry the basket's key.
//  2. tzRaum[k] holds exactly the baskets of key k with 1..31 objects and
//     tzLeer the baskets with 0, so the placement basket (the first of the
//     same key with room, else the first empty one) is the first element
//     of a set, as a scan of all baskets would find it.
//  3. The working basket's content lies in korbinha: a basket held in
//     memory is worked on in its own block, a swapped one in the working
//     buffer, which, when dirty, differs from the swap file and is written
//     back before another basket is loaded. A failed write-back keeps it
//     working.
//  4. Baskets 0..R-1 lie in memory blocks unless "ZeiRAM" is 0; all others
//     at block (n - R), or n with "ZeiRAM" 0, of the basket swap file. R is
//     the defaults key "EdZeiKoerbe" (empty or 0: every basket, so a drawing
//     never swaps; at most KOKOSUP), read at TzInit; a basket's memory block
//     is taken when it is first worked on.
//  5. Beside each slot in use lie its kind, its extent in floats (exact
//     bit), its id and its position before and after; a basket's cells
//     cover all its objects, its line cells (once made) all its lines, and
//     the line lists (once made) hold every line once in each cell its end
//     points' rectangle covers.
#include "model/tempzeic.h"

#include <fcntl.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "config/vorgaben.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tzint.h"
#include "model/undo.h"
#include "platform/dateisys.h"
#include "support/basis.h"
#include "support/speicher.h"

using namespace modh;  // the model's calls through its service tables

// The cells of each basket (`korb`), and for each grid cell the baskets
// whose cells cover it, in ascending order: the bits of `korb` read by
// cell. A walk over a small area looks at the baskets of its cells only,
// not at every basket in use. During a load the lists lag behind the bits
// (tzZellenOffen) and are made whole before any walk reads them.
struct TzZellSatz {
    int raster;                // cells a side
    int worte;                 // words of a basket's mask: raster * raster / 64
    uint64_t* bits;            // KOKOSUP masks
    std::vector<int>* zelle;   // raster * raster lists
    double lo[2], schritt[2];  // the grid over the drawing area
    uint64_t* korb(int n) const { return bits + static_cast<size_t>(n) * static_cast<size_t>(worte); }
};

namespace {

struct korb {
    uint32_t schluessel;
    uint32_t anzahl;
};

constexpr long KORBBYTES = static_cast<long>(KOINSUP) * static_cast<long>(sizeof(objekt));

korb* korblist = nullptr;
// The extent of everything put into each basket since it was last empty:
// an area walk skips a basket whose extent misses the area without loading
// it. It only grows while the basket holds objects, so it always covers them.
double tzKorbRahmen[KOKOSUP][4];
int tzKorbHoch = 0;  // baskets from here on have been empty since the store was cleared
unsigned tzKorbStandZahl = 0;  // counts the changes of any basket's content
// Finer than the extent: which cells of a 32 x 32 grid over the drawing
// area the objects put into the basket cover (the border cells take what
// lies beyond), one bit a cell. A basket's objects come from wherever its
// key's places were free, so its extent alone often spans the key's whole
// quarter; the cells keep a walk over a small area to the few baskets that
// really have something there.
constexpr int TZRASTER = 32;
constexpr int TZRASTERWORTE = TZRASTER * TZRASTER / 64;
// Lines are short: their grid is finer.
constexpr int TZRASTERLINIEN = 64;
constexpr int TZLINIENWORTE = TZRASTERLINIEN * TZRASTERLINIEN / 64;
static_assert(TZLINIENWORTE <= TzKorbSuche::TZMASKENWORTE, "a walk's mask holds the finest grid");
// The record code of each slot, beside the packed objects: a walk for one
// kind of object looks at the objects of that kind only.
uint8_t tzKorbArten[KOKOSUP][KOINSUP];
// Each slot's extent (x1, y1, x2, y2 ordered), rounded outward to float,
// beside the kinds: an area walk tests the slots without touching the
// packed objects (or loading a swapped basket) and reads an object only
// when its extent may meet the area.
// Kept by coordinate (x1 of every slot, then y1, ...) so that four slots
// are tested in one step.
alignas(16) float tzSlotRahmen[KOKOSUP][4][KOINSUP];
// One bit a slot: its extent is held exactly by the floats (drawings on a
// grid mostly are), so that touching the area's edge tells as well.
uint32_t tzSlotExakt[KOKOSUP];
// Each slot's id and the position before and after its object (x0, y0,
// x1, y1), beside the extents: a walk for end points reads neither the
// packed objects nor a swapped basket.
struct TzLage {
    double punkte[4];
    int32_t id;
};
TzLage tzSlotLagen[KOKOSUP][KOINSUP];

float tzAbwaerts(double v)
{
    float f = static_cast<float>(v);
    if (f > v) f = std::nextafter(f, -HUGE_VALF);
    return f;
}

float tzAufwaerts(double v)
{
    float f = static_cast<float>(v);
    if (f < v) f = std::nextafter(f, HUGE_VALF);
    return f;
}

void tzSlotRahmenSetzen(int n, int slot, const double box[4])
{
    float(*f)[KOINSUP] = tzSlotRahmen[n];
    const double e[4] = {std::min(box[0], box[2]), std::min(box[1], box[3]), std::max(box[0], box[2]),
                         std::max(box[1], box[3])};
    f[0][slot] = tzAbwaerts(e[0]);
    f[1][slot] = tzAbwaerts(e[1]);
    f[2][slot] = tzAufwaerts(e[2]);
    f[3][slot] = tzAufwaerts(e[3]);
    const bool exakt = f[0][slot] == e[0] && f[1][slot] == e[1] && f[2][slot] == e[2] && f[3][slot] == e[3];
    const uint32_t bit = uint32_t{1} << slot;
    tzSlotExakt[n] = exakt ? tzSlotExakt[n] | bit : tzSlotExakt[n] & ~bit;
}

// The cells of every object, and, on a finer grid, those of the lines
// alone: the walks for lines (gaps, attached lines) are the editor's most
// frequent, and a basket's texts and components reach over many more
// cells than its lines. The lines' cells are made at the first walk for
// lines after the store was cleared (loading a drawing does not pay for
// them) and kept from then on.
uint64_t tzBitsAlle[KOKOSUP][TZRASTERWORTE], tzBitsLinien[KOKOSUP][TZLINIENWORTE];
std::vector<int> tzListenAlle[TZRASTER * TZRASTER], tzListenLinien[TZRASTERLINIEN * TZRASTERLINIEN];
TzZellSatz tzZellenAlle{TZRASTER, TZRASTERWORTE, &tzBitsAlle[0][0], tzListenAlle, {0, 0}, {1, 1}};
TzZellSatz tzZellenLinien{TZRASTERLINIEN, TZLINIENWORTE, &tzBitsLinien[0][0], tzListenLinien, {0, 0}, {1, 1}};
bool tzLinienZellenDa = false;

// The cells of an area on one grid: the words of the grid's mask that
// are not 0, ascending.
struct TzZellen {
    int anzahl = 0;
    int worte[TZLINIENWORTE];
    uint64_t masken[TZLINIENWORTE];
};

// While a drawing loads, only the baskets' cells are kept: the cell lists
// are made from them once at the end (or before anything reads them), not
// by an ordered insert for every object.
bool tzZellenOffen = false;

// Adds the cells `m` to basket n's and n to the lists of the cells new to it.
void tzZellenDazu(TzZellSatz& z, int n, const TzZellen& m)
{
    uint64_t* k = z.korb(n);
    if (tzZellenOffen) {
        for (int i = 0; i < m.anzahl; ++i) k[m.worte[i]] |= m.masken[i];
        return;
    }
    for (int i = 0; i < m.anzahl; ++i) {
        const int w = m.worte[i];
        for (uint64_t neu = m.masken[i] & ~k[w]; neu; neu &= neu - 1) {
            std::vector<int>& l = z.zelle[w * 64 + __builtin_ctzll(neu)];
            // The basket being filled mostly is the newest of the cell.
            if (l.empty() || l.back() < n)
                l.push_back(n);
            else
                l.insert(std::lower_bound(l.begin(), l.end(), n), n);
        }
        k[w] |= m.masken[i];
    }
}

// Basket n has become empty: it leaves the lists of its cells (lists that
// lag behind are made afresh from the cells without it).
void tzZellenWeg(int n)
{
    for (TzZellSatz* z : {&tzZellenAlle, &tzZellenLinien}) {
        uint64_t* k = z->korb(n);
        for (int w = 0; w < z->worte; ++w) {
            for (uint64_t b = k[w]; b; b &= b - 1) {
                std::vector<int>& l = z->zelle[w * 64 + __builtin_ctzll(b)];
                const auto it = std::lower_bound(l.begin(), l.end(), n);
                if (it != l.end() && *it == n) l.erase(it);
            }
            k[w] = 0;
        }
    }
}

// Each cell's list from the cells of the baskets in use, ascending as the
// inserts keep them.
void tzZellenListenMachen(TzZellSatz& z)
{
    for (int c = 0; c < z.raster * z.raster; ++c) z.zelle[c].clear();
    for (int n = 0; n < tzKorbHoch; ++n) {
        if (korblist[n].anzahl == 0) continue;
        const uint64_t* k = z.korb(n);
        for (int w = 0; w < z.worte; ++w)
            for (uint64_t b = k[w]; b; b &= b - 1) z.zelle[w * 64 + __builtin_ctzll(b)].push_back(n);
    }
}

int tzRasterZelle(const TzZellSatz& g, double v, int achse)
{
    const double z = (v - g.lo[achse]) / g.schritt[achse];
    if (!(z >= 0)) return 0;  // below, and NaN
    return z >= g.raster ? g.raster - 1 : static_cast<int>(z);
}

// The cells of {x1, y1, x2, y2} (any order) on g's grid. A row of the
// grid lies in one word.
static_assert(64 % TZRASTER == 0 && 64 % TZRASTERLINIEN == 0, "a row in one word");
void tzRasterMaske(const TzZellSatz& g, const double r[4], TzZellen* m)
{
    const int x1 = tzRasterZelle(g, std::min(r[0], r[2]), 0), x2 = tzRasterZelle(g, std::max(r[0], r[2]), 0);
    const int y1 = tzRasterZelle(g, std::min(r[1], r[3]), 1), y2 = tzRasterZelle(g, std::max(r[1], r[3]), 1);
    const uint64_t reihe = (x2 - x1 == 63 ? ~uint64_t{0} : ((uint64_t{1} << (x2 - x1 + 1)) - 1)) << (x1 % 64);
    m->anzahl = 0;
    for (int y = y1; y <= y2; ++y) {
        const int i = y * g.raster;
        const int w = i / 64;
        if (m->anzahl == 0 || m->worte[m->anzahl - 1] != w) {
            m->worte[m->anzahl] = w;
            m->masken[m->anzahl++] = 0;
        }
        m->masken[m->anzahl - 1] |= reihe << (i % 64);
    }
}

// Every line by the cells of the lines' grid that the rectangle of its end
// points covers: its id, start and end as stored, and that cell range.
// Made at the first search for lines near a gap after the store was
// cleared (loading a drawing does not pay for it) and kept from then on.
struct TzLinienEintrag {
    int32_t id;
    uint8_t x1, y1, x2, y2;
    double punkte[4];
};
std::vector<TzLinienEintrag> tzLinienListen[TZRASTERLINIEN * TZRASTERLINIEN];
bool tzLinienListenDa = false;

TzLinienEintrag tzLinienEintrag(int id, const double p[4])
{
    const TzZellSatz& g = tzZellenLinien;
    TzLinienEintrag e{id,
                      static_cast<uint8_t>(tzRasterZelle(g, std::min(p[0], p[2]), 0)),
                      static_cast<uint8_t>(tzRasterZelle(g, std::min(p[1], p[3]), 1)),
                      static_cast<uint8_t>(tzRasterZelle(g, std::max(p[0], p[2]), 0)),
                      static_cast<uint8_t>(tzRasterZelle(g, std::max(p[1], p[3]), 1)),
                      {p[0], p[1], p[2], p[3]}};
    return e;
}

void tzLinieDazu(int id, const double p[4])
{
    const TzLinienEintrag e = tzLinienEintrag(id, p);
    for (int y = e.y1; y <= e.y2; ++y)
        for (int x = e.x1; x <= e.x2; ++x) tzLinienListen[y * TZRASTERLINIEN + x].push_back(e);
}

void tzLinieWeg(int id, const double p[4])
{
    const TzLinienEintrag e = tzLinienEintrag(id, p);
    for (int y = e.y1; y <= e.y2; ++y)
        for (int x = e.x1; x <= e.x2; ++x) {
            std::vector<TzLinienEintrag>& l = tzLinienListen[y * TZRASTERLINIEN + x];
            for (size_t k = 0; k < l.size(); ++k)
                if (l[k].id == id) {
                    l[k] = l.back();
                    l.pop_back();
                    break;
                }
        }
}

objekt* korbpuffer = nullptr;  // the working buffer of swapped baskets
objekt* korbinha = nullptr;    // content of the working basket: korbpuffer or its memory block
objekt* cache[KOKOSUP] = {};
int tzImSpeicher = TZCACHESUP;  // R of invariant 4
long tzAuslagerungen = 0;       // reads and writes of the basket swap file
int tzHandle = -1;
int tzArbeit = -1;
bool tzDreckig = false;
// The working basket needs no clearing before its first object: just
// cleared, or a new memory block (whose slots are written before read).
bool tzArbeitNull = false;
int tzZeiRam = 1;
int tzZeiRamVorgabe = -1;  // tests: -1 reads the setting
std::set<int> tzRaum[TZSCHLUESSEL];
std::set<int> tzLeer;
std::vector<std::string> tzName1, tzName2;
double tzQx[3], tzQy[3];  // q1, m, q3
bool tzGeaendert = false;
bool tzZuViele = false;

// Repaint accumulator.
int tzAkku = 0;
std::vector<int> tzAkkuIds;
double tzAkkuBox[4];

int tzSpalte(double v, const double q[3])
{
    if (v < q[0]) return 0;
    if (v < q[1]) return 1;
    if (v < q[2]) return 2;
    return 3;
}

int tzZelle(double x, double y) { return tzSpalte(x, tzQx) + 4 * tzSpalte(y, tzQy); }

bool tzIn(int z, const int (&menge)[4])
{
    for (int m : menge) {
        if (m == z) return true;
    }
    return false;
}

void tzKorbZaehlen(int n, uint32_t anzahl, uint32_t schluessel)
{
    korb& k = korblist[n];
    // Still partly filled under the same key: the sets stay as they are
    // (most objects of a load go in so).
    if (k.anzahl > 0 && k.anzahl < KOINSUP && anzahl > 0 && anzahl < KOINSUP && k.schluessel == schluessel) {
        k.anzahl = anzahl;
        return;
    }
    if (k.anzahl == 0) {
        tzLeer.erase(n);
    } else if (k.anzahl < KOINSUP) {
        tzRaum[k.schluessel].erase(n);
    }
    k.anzahl = anzahl;
    k.schluessel = schluessel;
    if (anzahl == 0) {
        double* r = tzKorbRahmen[n];
        r[0] = r[1] = 1e300;
        r[2] = r[3] = -1e300;
        tzZellenWeg(n);
        tzLeer.insert(n);
    } else if (anzahl < KOINSUP) {
        tzRaum[schluessel].insert(n);
    }
}

void tzKorbeLeeren()
{
    for (auto& r : tzRaum) r.clear();
    tzLeer.clear();
    for (int n = 0; n < KOKOSUP; ++n) {
        korblist[n] = {0, 0};
        tzLeer.insert(tzLeer.end(), n);
        double* r = tzKorbRahmen[n];
        r[0] = r[1] = 1e300;
        r[2] = r[3] = -1e300;
    }
    for (TzZellSatz* z : {&tzZellenAlle, &tzZellenLinien}) {
        std::memset(z->bits, 0, sizeof(uint64_t) * KOKOSUP * static_cast<size_t>(z->worte));
        for (int c = 0; c < z->raster * z->raster; ++c) z->zelle[c].clear();
    }
    tzLinienZellenDa = false;
    for (auto& l : tzLinienListen) l.clear();
    tzLinienListenDa = false;
    tzKorbHoch = 0;
    ++tzKorbStandZahl;
    tzArbeit = -1;
    tzDreckig = false;
}

off_t tzDateiOrt(int n)
{
    int block = tzZeiRam ? n - tzImSpeicher : n;
    return static_cast<off_t>(block) * KORBBYTES;
}

int tzZurueckschreiben()
{
    if (tzArbeit < 0 || !tzDreckig) return 0;
    if (tzZeiRam && tzArbeit < tzImSpeicher) {
        // worked on in place
    } else if (++tzAuslagerungen, plDsSchreibenAb(tzHandle, korbinha, KORBBYTES, tzDateiOrt(tzArbeit)) != KORBBYTES) {
        tzStatus("Fehler beim Schreiben der Auslagerungsdatei");
        return -1;
    }
    tzDreckig = false;
    return 0;
}

// Index of a name in its table, appended when new; -1 when the table is
// full. `letzter` is the index found last: consecutive objects mostly
// name the same files, so it is tried first.
bool tzNameGleich(const std::string& a, const char* b)
{
    // Names are a few characters: compared in place, not by a call.
    const char* p = a.c_str();
    while (*p && *p == *b) ++p, ++b;
    return *p == *b;
}

int tzNameIndex(std::vector<std::string>& t, const char* name, size_t& letzter)
{
    if (letzter < t.size() && tzNameGleich(t[letzter], name)) return static_cast<int>(letzter);
    for (size_t i = 0; i < t.size(); ++i) {
        if (std::strcmp(t[i].c_str(), name) == 0) return static_cast<int>(letzter = i);
    }
    if (t.size() >= TZNAMENSUP) return -1;
    t.emplace_back(name);
    return static_cast<int>(letzter = t.size() - 1);
}

const char* tzName(const std::vector<std::string>& t, uint8_t i)
{
    return i < t.size() ? t[i].c_str() : "";
}

// Into a cleared field of `groesse` bytes, cut to fit (a walk unpacks
// every object it meets: no formatting call for a plain copy).
void tzNameKopie(char* ziel, size_t groesse, const char* name)
{
    std::memcpy(ziel, name, strnlen(name, groesse - 1));
}

// The name-table entries of an object's states before and after it,
// appended when new; false when a table is full (with a message).
struct TzNamen {
    uint8_t name1vor, name2vor, name1nach, name2nach;
};
bool tzNamenHolen(const STT* vor, const STT* nach, TzNamen* n)
{
    static size_t letzter1 = 0, letzter2 = 0;
    int n1v = tzNameIndex(tzName1, vor->bd, letzter1);
    int n2v = tzNameIndex(tzName2, vor->td, letzter2);
    int n1n = tzNameIndex(tzName1, nach->bd, letzter1);
    int n2n = tzNameIndex(tzName2, nach->td, letzter2);
    if (n1v < 0 || n2v < 0 || n1n < 0 || n2n < 0) {
        tzStatus("Zu viele Bauteil- oder Normtextdateien in der Zeichnung");
        return false;
    }
    *n = {static_cast<uint8_t>(n1v), static_cast<uint8_t>(n2v), static_cast<uint8_t>(n1n), static_cast<uint8_t>(n2n)};
    return true;
}

// Packs into o, which is cleared first: the object is written straight
// into its slot (a load fills some 37 MB of slots).
void tzPacken(const BEF* b, const STT* vor, const STT* nach, const double box[4], const TzNamen& namen, objekt* o)
{
    std::memset(o, 0, sizeof *o);
    std::memcpy(o->vor, vor, TZSTTNUM);
    std::memcpy(o->nach, nach, TZSTTNUM);
    o->name1vor = namen.name1vor;
    o->name2vor = namen.name2vor;
    o->name1nach = namen.name1nach;
    o->name2nach = namen.name2nach;
    std::memcpy(o->kopf, b, TZBEFKOPF);
    size_t l = strnlen(b->text, sizeof b->text - 1);
    if (l <= TZKURZSUP) {
        std::memcpy(o->kurz, b->text, l);
        o->heap = -1;
    } else {
        char text[sizeof b->text];
        std::memcpy(text, b->text, l);
        text[l] = '\0';
        o->heap = thNeu(text);
    }
    std::memcpy(o->ext, box, sizeof o->ext);
}

int tzPlatzKorb(int schluessel)
{
    if (!tzRaum[schluessel].empty()) return *tzRaum[schluessel].begin();
    if (!tzLeer.empty()) return *tzLeer.begin();
    return -1;
}

// Removes the object of id from its basket and the order.
int tzEntfernenKern(int id, int halten)
{
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0) return -1;
    if (tzKorbWechseln(e.korb) != 0) return -1;
    korb& k = korblist[e.korb];
    thWeg(korbinha[e.slot].heap);
    if (tzLinienListenDa && tzKorbArten[e.korb][e.slot] == BEF_ZL) tzLinieWeg(id, tzSlotLagen[e.korb][e.slot].punkte);
    // The slots above move down by one.
    const uint32_t unten = (uint32_t{1} << e.slot) - 1;
    tzSlotExakt[e.korb] = (tzSlotExakt[e.korb] & unten) | ((tzSlotExakt[e.korb] >> 1) & ~unten);
    for (uint32_t s = static_cast<uint32_t>(e.slot) + 1; s < k.anzahl; ++s) {
        korbinha[s - 1] = korbinha[s];
        tzKorbArten[e.korb][s - 1] = tzKorbArten[e.korb][s];
        for (auto& achse : tzSlotRahmen[e.korb]) achse[s - 1] = achse[s];
        tzSlotLagen[e.korb][s - 1] = tzSlotLagen[e.korb][s];
        sequenz m;
        int mid = static_cast<int>(korbinha[s - 1].id);
        if (seqHolen(mid, &m) == 0) {
            m.slot = static_cast<int32_t>(s - 1);
            seqSetzen(mid, &m);
        }
    }
    std::memset(&korbinha[k.anzahl - 1], 0, sizeof(objekt));
    tzKorbZaehlen(e.korb, k.anzahl - 1, k.schluessel);
    ++tzKorbStandZahl;
    tzDreckig = true;
    seqFrei(id, halten);
    tzGeaendert = true;
    return 0;
}

int tzNamenFrei(const STT* a, const STT* b)
{
    auto passt = [](const std::vector<std::string>& t, const char* n) {
        for (const auto& s : t) {
            if (s == n) return 0;
        }
        return 1;
    };
    size_t neu1 = passt(tzName1, a->bd) + (std::strcmp(a->bd, b->bd) ? passt(tzName1, b->bd) : 0);
    size_t neu2 = passt(tzName2, a->td) + (std::strcmp(a->td, b->td) ? passt(tzName2, b->td) : 0);
    return tzName1.size() + neu1 <= TZNAMENSUP && tzName2.size() + neu2 <= TZNAMENSUP;
}

// Replace keeping id, place in the order and mark; the stamp is set.
int tzErsetzenKern(int id, const BEF* b, const STT* s, const double box[4], const STT* nach, int stempel)
{
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0) return -1;
    if (!tzNamenFrei(s, nach)) {
        tzStatus("Zu viele Bauteil- oder Normtextdateien in der Zeichnung");
        return -1;
    }
    int naechstes = e.next;
    if (tzEntfernenKern(id, 1) != 0) return -1;
    int nid = tzEinfuegenKern(naechstes >= TZENDE ? -1 : naechstes, b, s, box, nach);
    if (nid < 0) return -1;
    sequenz n;
    seqHolen(nid, &n);
    n.mark = e.mark;
    n.bearb = e.bearb;
    n.stempel = stempel;
    if (n.mark == 1) seqMarkiertAendern(1);
    seqSetzen(nid, &n);
    return 0;
}

int tzEinfuegenVoll(int vor, const BEF* b, const STT* s, int app)
{
    double box[4];
    STT nach;
    BefAusdehnung(b, s, box, &nach);
    int id = tzEinfuegenKern(vor, b, s, box, &nach);
    if (id < 0) return -1;
    UndoObjekt(UNDO_INS, 0, static_cast<uint32_t>(BefGeneration()), id, nullptr, nullptr, b, s);
    TzZeichnenMerken(id, box);
    if (app) AppObjektNeu(b, s);
    BauDefObjMerken(id);
    ObjPrimitivHook(id, b, s);
    return id;
}

int tzErsetzenVoll(int id, const BEF* b, const STT* s, int app)
{
    BEF ab;
    STT as, an;
    double abox[4];
    if (TzObjHolenGanz(id, &ab, &as, &an, abox) != 0) return -1;
    if (BefGleich(&ab, b) && SttGleich(&as, s)) return 0;
    int astempel = TzStempel(id);
    double box[4];
    STT nach;
    BefAusdehnung(b, s, box, &nach);
    if (!tzNamenFrei(s, &nach)) {
        tzStatus("Zu viele Bauteil- oder Normtextdateien in der Zeichnung");
        return -1;
    }
    UndoObjekt(UNDO_CHG, static_cast<uint32_t>(astempel), static_cast<uint32_t>(BefGeneration()), id, &ab, &as, b, s);
    TzZeichnenMerken(-1, abox);
    if (tzErsetzenKern(id, b, s, box, &nach, BefGeneration()) != 0) return -1;
    TzZeichnenMerken(id, box);
    if (app) AppObjektGeaendert(id, &ab, &as, b, s);
    return 0;
}

}  // namespace

void tzStatus(const char* text) { StatusMeldung(text); }

void tzZellenAufschieben() { tzZellenOffen = true; }

void tzZellenNachholen()
{
    if (!tzZellenOffen) return;
    tzZellenOffen = false;
    tzZellenListenMachen(tzZellenAlle);
    if (tzLinienZellenDa) tzZellenListenMachen(tzZellenLinien);
}

objekt* tzKorbInhalt() { return korbinha; }
int tzKorbListeAnzahl(int n) { return (n >= 0 && n < KOKOSUP && korblist) ? static_cast<int>(korblist[n].anzahl) : 0; }
int tzKorbGrenze() { return tzKorbHoch; }
const uint8_t* tzKorbArt(int n) { return tzKorbArten[n]; }
bool tzKorbTrifft(int n, const double r[4])
{
    const double* k = tzKorbRahmen[n];
    return !(k[0] > r[2] || k[2] < r[0] || k[1] > r[3] || k[3] < r[1]);
}

// The lines' cells of every basket, from the slots' extents kept in memory
// (rounded outward: they cover at least the cells of the exact extents).
void tzLinienZellenMachen()
{
    tzLinienZellenDa = true;
    for (int n = 0; n < tzKorbHoch; ++n)
        for (uint32_t slot = 0; slot < korblist[n].anzahl; ++slot) {
            if (tzKorbArten[n][slot] != BEF_ZL) continue;
            const float(*f)[KOINSUP] = tzSlotRahmen[n];
            const double box[4] = {f[0][slot], f[1][slot], f[2][slot], f[3][slot]};
            TzZellen m;
            tzRasterMaske(tzZellenLinien, box, &m);
            uint64_t* k = tzZellenLinien.korb(n);
            for (int i = 0; i < m.anzahl; ++i) k[m.worte[i]] |= m.masken[i];
        }
    tzZellenListenMachen(tzZellenLinien);
}

TzKorbSuche::TzKorbSuche(const double r[4], int art)
    : satz(art == BEF_ZL ? &tzZellenLinien : &tzZellenAlle)
{
    tzZellenNachholen();
    if (art == BEF_ZL && !tzLinienZellenDa) tzLinienZellenMachen();
    std::memcpy(rechteck, r, sizeof rechteck);
    schluessel = TzSchluessel(r);
    TzZellen m;
    tzRasterMaske(*satz, r, &m);
    anzahl = m.anzahl;
    std::copy(m.worte, m.worte + m.anzahl, worte);
    std::copy(m.masken, m.masken + m.anzahl, masken);
    // The cell lists pay when the area covers few cells whose lists are
    // shorter together than the scan of every basket in use.
    size_t zusammen = 0;
    for (int i = 0; i < anzahl; ++i)
        for (uint64_t b = masken[i]; b; b &= b - 1) {
            const int c = worte[i] * 64 + __builtin_ctzll(b);
            if (zellAnzahl == TZSUCHZELLEN) {
                zellAnzahl = 0;
                return;
            }
            zellen[zellAnzahl++] = c;
            zusammen += satz->zelle[c].size();
        }
    if (zusammen >= static_cast<size_t>(tzKorbHoch)) zellAnzahl = 0;
}

int tzKorbNaechster(const TzKorbSuche& s, int ab)
{
    ab = std::max(ab, 0);
    if (s.zellAnzahl > 0) {
        // The lowest basket from `ab` on in the lists of the area's cells
        // that passes the key and extent tests; being in a cell's list
        // stands for the cell test. The lists are gathered into one bit
        // set, again when a basket changed since the last call.
        if (!s.begonnen || s.stand != tzKorbStandZahl) {
            s.begonnen = true;
            s.stand = tzKorbStandZahl;
            s.bitWorte = (tzKorbHoch + 63) / 64;
            std::memset(s.bits, 0, sizeof(uint64_t) * static_cast<size_t>(s.bitWorte));
            // The baskets' entries a walk reads next are fetched ahead:
            // they lie apart in memory, and their reads then overlap.
            for (int i = 0; i < s.zellAnzahl; ++i)
                for (const int n : s.satz->zelle[s.zellen[i]]) {
                    s.bits[n / 64] |= uint64_t{1} << (n % 64);
                    __builtin_prefetch(tzKorbRahmen[n]);
                    __builtin_prefetch(tzKorbArten[n]);
                    __builtin_prefetch(tzSlotRahmen[n][0]);
                    __builtin_prefetch(tzSlotRahmen[n][2]);
                }
        }
        for (int w = ab / 64; w < s.bitWorte; ++w) {
            uint64_t b = s.bits[w];
            if (w == ab / 64) b &= ~uint64_t{0} << (ab % 64);
            for (; b; b &= b - 1) {
                const int n = w * 64 + __builtin_ctzll(b);
                if (TzTeilen(static_cast<int>(korblist[n].schluessel), s.schluessel) && tzKorbTrifft(n, s.rechteck))
                    return n;
            }
        }
        return -1;
    }
    for (int n = ab; n < tzKorbHoch; ++n) {
        const korb& k = korblist[n];
        if (k.anzahl == 0 || !TzTeilen(static_cast<int>(k.schluessel), s.schluessel) || !tzKorbTrifft(n, s.rechteck))
            continue;
        for (int i = 0; i < s.anzahl; ++i)
            if (s.satz->korb(n)[s.worte[i]] & s.masken[i]) return n;
    }
    return -1;
}
unsigned tzKorbStand() { return tzKorbStandZahl; }

TzSlotSuche::TzSlotSuche(const double r[4], int a) : art(a)
{
    rechteck[0] = tzAbwaerts(r[0]);
    rechteck[1] = tzAbwaerts(r[1]);
    rechteck[2] = tzAufwaerts(r[2]);
    rechteck[3] = tzAufwaerts(r[3]);
    innen[0] = tzAufwaerts(r[0]);
    innen[1] = tzAufwaerts(r[1]);
    innen[2] = tzAbwaerts(r[2]);
    innen[3] = tzAbwaerts(r[3]);
}

int tzSlotId(int n, int slot) { return tzSlotLagen[n][slot].id; }
const double* tzSlotLage(int n, int slot) { return tzSlotLagen[n][slot].punkte; }

uint32_t tzKorbSlotsSicher(int n, const TzSlotSuche& s)
{
    // A slot's x1 is the largest float not above the object's, so the
    // object's lies below the next float: x1 < (r's x2 rounded down)
    // makes it at most r's x2; an exact x1 may equal it. Likewise for
    // the other sides.
    const float(*f)[KOINSUP] = tzSlotRahmen[n];
    uint32_t streng = 0, beruehrt = 0;
#if defined(__SSE2__)
    const __m128 x1 = _mm_set1_ps(s.innen[0]), y1 = _mm_set1_ps(s.innen[1]);
    const __m128 x2 = _mm_set1_ps(s.innen[2]), y2 = _mm_set1_ps(s.innen[3]);
    for (int i = 0; i < KOINSUP; i += 4) {
        const __m128 a = _mm_load_ps(&f[0][i]), b = _mm_load_ps(&f[1][i]), c = _mm_load_ps(&f[2][i]),
                     d = _mm_load_ps(&f[3][i]);
        const __m128 ja = _mm_and_ps(_mm_and_ps(_mm_cmplt_ps(a, x2), _mm_cmpgt_ps(c, x1)),
                                     _mm_and_ps(_mm_cmplt_ps(b, y2), _mm_cmpgt_ps(d, y1)));
        const __m128 an = _mm_and_ps(_mm_and_ps(_mm_cmple_ps(a, x2), _mm_cmpge_ps(c, x1)),
                                     _mm_and_ps(_mm_cmple_ps(b, y2), _mm_cmpge_ps(d, y1)));
        streng |= static_cast<uint32_t>(_mm_movemask_ps(ja)) << i;
        beruehrt |= static_cast<uint32_t>(_mm_movemask_ps(an)) << i;
    }
#else
    for (int slot = 0; slot < KOINSUP; ++slot) {
        const bool ja = f[0][slot] < s.innen[2] && f[2][slot] > s.innen[0] && f[1][slot] < s.innen[3] &&
                        f[3][slot] > s.innen[1];
        const bool an = f[0][slot] <= s.innen[2] && f[2][slot] >= s.innen[0] && f[1][slot] <= s.innen[3] &&
                        f[3][slot] >= s.innen[1];
        streng |= static_cast<uint32_t>(ja) << slot;
        beruehrt |= static_cast<uint32_t>(an) << slot;
    }
#endif
    return streng | (beruehrt & tzSlotExakt[n]);
}

uint32_t tzKorbSlots(int n, const TzSlotSuche& s)
{
    static_assert(KOINSUP == 32, "one bit a slot");
    const uint8_t* arten = tzKorbArten[n];
    const float(*f)[KOINSUP] = tzSlotRahmen[n];
    const uint32_t anzahl = korblist[n].anzahl;
    uint32_t m = anzahl >= 32 ? ~uint32_t{0} : (uint32_t{1} << anzahl) - 1;
#if defined(__SSE2__)
    // Kind first, then x, then y, each only while slots are left: most
    // baskets a walk looks into have none in a small area, and the y rows
    // are then not read.
    if (s.art >= 0) {
        const __m128i art = _mm_set1_epi8(static_cast<char>(s.art));
        const auto* a = reinterpret_cast<const __m128i*>(arten);
        m &= static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(a), art))) |
             static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(a + 1), art))) << 16;
    }
    auto achse = [&](const float* lo, const float* hi, float bis, float ab) {
        const __m128 b = _mm_set1_ps(bis), a = _mm_set1_ps(ab);
        uint32_t r = 0;
        for (int i = 0; i < KOINSUP; i += 4) {
            const __m128 ja = _mm_and_ps(_mm_cmple_ps(_mm_load_ps(lo + i), b), _mm_cmpge_ps(_mm_load_ps(hi + i), a));
            r |= static_cast<uint32_t>(_mm_movemask_ps(ja)) << i;
        }
        return r;
    };
    if (m) m &= achse(f[0], f[2], s.rechteck[2], s.rechteck[0]);
    if (m) m &= achse(f[1], f[3], s.rechteck[3], s.rechteck[1]);
#else
    for (int slot = 0; slot < KOINSUP; ++slot) {
        const bool ja = (s.art < 0 || arten[slot] == static_cast<uint8_t>(s.art)) && f[0][slot] <= s.rechteck[2] &&
                        f[2][slot] >= s.rechteck[0] && f[1][slot] <= s.rechteck[3] && f[3][slot] >= s.rechteck[1];
        m &= ~(static_cast<uint32_t>(!ja) << slot);
    }
#endif
    return m;
}

bool tzZellenStimmen()
{
    for (const TzZellSatz* z : {&tzZellenAlle, &tzZellenLinien})
        for (int c = 0; c < z->raster * z->raster; ++c) {
            std::vector<int> soll;
            for (int n = 0; n < KOKOSUP; ++n)
                if (korblist[n].anzahl > 0 && (z->korb(n)[c / 64] >> (c % 64) & 1)) soll.push_back(n);
            if (soll != z->zelle[c]) return false;
        }
    // Once made, a basket's line cells cover each of its lines.
    for (int n = 0; tzLinienZellenDa && n < KOKOSUP; ++n) {
        if (korblist[n].anzahl == 0 || !cache[n]) continue;
        for (uint32_t slot = 0; slot < korblist[n].anzahl; ++slot) {
            if (tzKorbArten[n][slot] != BEF_ZL) continue;
            TzZellen m;
            tzRasterMaske(tzZellenLinien, cache[n][slot].ext, &m);
            for (int i = 0; i < m.anzahl; ++i)
                if (m.masken[i] & ~tzZellenLinien.korb(n)[m.worte[i]]) return false;
        }
    }
    return true;
}

int tzKorbListeSchluessel(int n) { return (n >= 0 && n < KOKOSUP && korblist) ? static_cast<int>(korblist[n].schluessel) : 0; }

int tzKorbWechseln(int n)
{
    if (n == tzArbeit) return 0;
    if (tzZurueckschreiben() != 0) return -1;
    tzArbeit = -1;
    tzDreckig = false;
    tzArbeitNull = false;
    if (tzZeiRam && n < tzImSpeicher) {
        if (!cache[n]) {
            // Not cleared: every object is packed whole into its slot and
            // no slot past the count is read, so a new block needs no
            // clearing (a load fills some 37 MB of them).
            cache[n] = static_cast<objekt*>(fmallocRoh(KOINSUP, sizeof(objekt)));
            if (!cache[n]) wiAssert("tempzeic", __LINE__, "( cache[i] = fmalloc( KOINSUP,sizeof(struct objekt))) != NULL");
            tzArbeitNull = true;
        }
        korbinha = cache[n];
    } else {
        korbinha = korbpuffer;
        if (korblist[n].anzahl == 0) {
            std::memset(korbinha, 0, KORBBYTES);
            tzArbeitNull = true;
        } else if (++tzAuslagerungen, plDsLesenAb(tzHandle, korbinha, KORBBYTES, tzDateiOrt(n)) != KORBBYTES) {
            tzStatus("Fehler beim Lesen der Auslagerungsdatei");
            return -1;
        }
    }
    tzArbeit = n;
    return 0;
}

void tzEntpacken(const objekt* o, BEF* b, STT* vor, STT* nach, double box[4])
{
    if (b) {
        std::memset(b, 0, sizeof *b);
        std::memcpy(b, o->kopf, TZBEFKOPF);
        const char* t = o->heap >= 0 ? thText(o->heap) : o->kurz;
        size_t l = strnlen(t, sizeof b->text - 1);
        std::memcpy(b->text, t, l);
    }
    if (vor) {
        std::memset(vor, 0, sizeof *vor);
        std::memcpy(vor, o->vor, TZSTTNUM);
        tzNameKopie(vor->bd, sizeof vor->bd, tzName(tzName1, o->name1vor));
        tzNameKopie(vor->td, sizeof vor->td, tzName(tzName2, o->name2vor));
    }
    if (nach) {
        std::memset(nach, 0, sizeof *nach);
        std::memcpy(nach, o->nach, TZSTTNUM);
        tzNameKopie(nach->bd, sizeof nach->bd, tzName(tzName1, o->name1nach));
        tzNameKopie(nach->td, sizeof nach->td, tzName(tzName2, o->name2nach));
    }
    if (box) std::memcpy(box, o->ext, sizeof o->ext);
}

int tzEinfuegenKern(int vor, const BEF* b, const STT* s, const double box[4], const STT* nach)
{
    tzGeaendert = true;
    TzNamen namen;
    if (!tzNamenHolen(s, nach, &namen)) return -1;
    int schluessel = TzSchluessel(box);
    int n = tzPlatzKorb(schluessel);
    if (n < 0) {
        if (!tzZuViele) tzStatus("Zu viele Zeichnungsobjekte");
        tzZuViele = true;
        return -1;
    }
    if (tzKorbWechseln(n) != 0) return -1;
    korb& k = korblist[n];
    int slot = static_cast<int>(k.anzahl);
    if (slot == 0 && !tzArbeitNull) std::memset(korbinha, 0, KORBBYTES);
    tzArbeitNull = false;
    int id = seqNeu(vor, n, slot);
    if (id < 0) return -1;
    tzPacken(b, s, nach, box, namen, &korbinha[slot]);
    korbinha[slot].id = static_cast<uint32_t>(id);
    tzKorbArten[n][slot] = b->code;
    tzKorbZaehlen(n, k.anzahl + 1, static_cast<uint32_t>(schluessel));
    tzKorbHoch = std::max(tzKorbHoch, n + 1);
    double* r = tzKorbRahmen[n];
    r[0] = std::min({r[0], box[0], box[2]});
    r[1] = std::min({r[1], box[1], box[3]});
    r[2] = std::max({r[2], box[0], box[2]});
    r[3] = std::max({r[3], box[1], box[3]});
    tzSlotRahmenSetzen(n, slot, box);
    tzSlotLagen[n][slot] = {{s->x, s->y, nach->x, nach->y}, id};
    if (tzLinienListenDa && b->code == BEF_ZL) tzLinieDazu(id, tzSlotLagen[n][slot].punkte);
    TzZellen zellen;
    tzRasterMaske(tzZellenAlle, box, &zellen);
    tzZellenDazu(tzZellenAlle, n, zellen);
    if (b->code == BEF_ZL && tzLinienZellenDa) {
        tzRasterMaske(tzZellenLinien, box, &zellen);
        tzZellenDazu(tzZellenLinien, n, zellen);
    }
    ++tzKorbStandZahl;
    tzDreckig = true;
    // The next object mostly goes into the next slot: its lines are fetched
    // for writing while the next record is read.
    if (slot + 1 < KOINSUP) {
        const char* p = reinterpret_cast<const char*>(&korbinha[slot + 1]);
        for (size_t i = 0; i < sizeof(objekt); i += 64) __builtin_prefetch(p + i, 1);
        __builtin_prefetch(p + sizeof(objekt) - 1, 1);
    }
    return id;
}

void TzZeiRamVorgeben(int wert) { tzZeiRamVorgabe = wert; }
int TzKoerbeImSpeicher() { return tzZeiRam ? tzImSpeicher : 0; }
long TzAuslagerungen() { return tzAuslagerungen; }

int TzKoerbeVorgabe()
{
    VgbOeffnen();
    VgbFehlMeldung(0);
    const int r = VgbInt("EdZeiKoerbe");
    VgbFehlMeldung(1);
    VgbSchliessen();
    return r <= 0 || r > KOKOSUP ? KOKOSUP : r;
}
void TzLaufBeginn() { tzZuViele = false; }

void TzInit()
{
    if (tzHandle < 0) {
        tzHandle = tzTempOeffnen("tzk");
        if (tzHandle < 0) wiAssert("tempzeic", __LINE__, "( tzhandle = doscrt( tzname ) ) != ERROR");
    }
    if (!korblist) {
        korblist = static_cast<korb*>(fmalloc(KOKOSUP, sizeof(korb)));
        if (!korblist) wiAssert("tempzeic", __LINE__, "( korblist = fmalloc( KOKOSUP, sizeof(struct korb))) != NULL");
    }
    if (!korbpuffer) {
        korbpuffer = static_cast<objekt*>(fmalloc(KOINSUP, sizeof(objekt)));
        if (!korbpuffer) wiAssert("tempzeic", __LINE__, "( korbinha = fmalloc( KOINSUP, sizeof(struct objekt))) != NULL");
    }
    if (tzZeiRamVorgabe >= 0) {
        tzZeiRam = tzZeiRamVorgabe;
    } else {
        char wert[40] = "";
        ProfilLesen("ZVKEdit", "ZeiRAM", wert, sizeof wert);
        tzZeiRam = wert[0] ? std::atoi(wert) : 1;
    }
    tzImSpeicher = TzKoerbeVorgabe();
    korbinha = korbpuffer;
    tzKorbeLeeren();
    tzGeaendert = false;
    thInit();
    seqInit();
    tzName1.clear();
    tzName2.clear();
    UndoInit();
    const VIEINST* v = ViEinst();
    double lo[2] = {v->flux, v->fluy}, hi[2] = {v->frox, v->froy};
    double* q[2] = {tzQx, tzQy};
    for (int i = 0; i < 2; ++i) {
        for (TzZellSatz* z : {&tzZellenAlle, &tzZellenLinien}) {
            z->lo[i] = std::min(lo[i], hi[i]);
            z->schritt[i] = std::max(std::fabs(hi[i] - lo[i]) / z->raster, 1e-9);
        }
        double m = (lo[i] + hi[i]) / 2;
        q[i][0] = (lo[i] + m) / 2;
        q[i][1] = m;
        q[i][2] = (hi[i] + m) / 2;
    }
    tzAkku = 0;
    tzAkkuIds.clear();
}

void TzEnde()
{
    UndoFrei();
    if (tzHandle >= 0) plDsSchliessen(tzHandle);
    tzHandle = -1;
    seqEnde();
    thFrei();
    for (auto& c : cache) {
        ffree(c);
        c = nullptr;
    }
    if (korbpuffer) ffree(korbpuffer);
    if (korblist) ffree(korblist);
    korbpuffer = nullptr;
    korbinha = nullptr;
    korblist = nullptr;
    for (auto& r : tzRaum) r.clear();
    tzLeer.clear();
    tzArbeit = -1;
    tzDreckig = false;
}

int TzLeeren()
{
    thLeeren();
    seqReset();
    tzName1.clear();
    tzName2.clear();
    tzKorbeLeeren();
    UndoLeeren();
    int g = tzGeaendert ? 1 : 0;
    tzGeaendert = false;
    return g;
}

int TzSchluessel(const double box[4])
{
    int a = tzZelle(box[0], box[1]);
    int b = tzZelle(box[2], box[3]);
    if (a == b) return a;
    static const int q16[4] = {0, 1, 4, 5}, q17[4] = {2, 3, 6, 7}, q18[4] = {8, 9, 12, 13},
                     q19[4] = {10, 11, 14, 15}, q20[4] = {5, 6, 9, 10};
    if (tzIn(a, q16) && tzIn(b, q16)) return 16;
    if (tzIn(a, q17) && tzIn(b, q17)) return 17;
    if (tzIn(a, q18) && tzIn(b, q18)) return 18;
    if (tzIn(a, q19) && tzIn(b, q19)) return 19;
    if (tzIn(a, q20) && tzIn(b, q20)) return 20;
    return 21;
}

int TzTeilen(int a, int b)
{
    if (a == b) return 1;
    int gr = a > b ? a : b, kl = a > b ? b : a;
    if (gr == 21) return 1;
    if (gr >= 16 && gr <= 19) {
        static const int bl[4][4] = {{0, 1, 4, 5}, {2, 3, 6, 7}, {8, 9, 12, 13}, {10, 11, 14, 15}};
        return tzIn(kl, bl[gr - 16]) ? 1 : 0;
    }
    if (gr == 20) {
        return (kl == 5 || kl == 6 || kl == 9 || kl == 10 || (kl >= 16 && kl <= 19)) ? 1 : 0;
    }
    return 0;
}

int TzEinfuegen(const BEF* b, const STT* s) { return tzEinfuegenVoll(-1, b, s, 1); }
int TzEinfuegenRoh(const BEF* b, const STT* s) { return tzEinfuegenVoll(-1, b, s, 0); }
int TzEinfuegenVor(int vor, const BEF* b, const STT* s) { return tzEinfuegenVoll(vor, b, s, 1); }

int TzEinfuegenMitStempel(int stempel, const BEF* b, const STT* s)
{
    if (!b || !s) wiAssert("tmpzei", __LINE__, "b != NULL && i != NULL");
    double box[4];
    STT nach;
    BefAusdehnung(b, s, box, &nach);
    int id = tzEinfuegenKern(-1, b, s, box, &nach);
    if (id < 0) return -1;
    sequenz e;
    seqHolen(id, &e);
    e.stempel = stempel ? stempel : BefGeneration();
    seqSetzen(id, &e);
    TzZeichnenMerken(id, box);
    return id;
}

void TzLoeschen(int id)
{
    BEF b;
    STT s;
    double box[4];
    if (TzObjHolenGanz(id, &b, &s, nullptr, box) != 0) return;
    UndoObjekt(UNDO_DEL, static_cast<uint32_t>(TzStempel(id)), static_cast<uint32_t>(BefGeneration()), id, &b, &s,
               nullptr, nullptr);
    if (tzEntfernenKern(id, 0) != 0) return;
    TzZeichnenMerken(-1, box);
    AppObjektGeloescht(&b, &s);
}

void TzEntfernen(int id)
{
    double box[4];
    if (TzObjHolenGanz(id, nullptr, nullptr, nullptr, box) != 0) return;
    if (tzEntfernenKern(id, 0) == 0) TzZeichnenMerken(-1, box);
}

int TzErsetzen(int id, const BEF* b, const STT* s) { return tzErsetzenVoll(id, b, s, 1); }
int TzErsetzenRoh(int id, const BEF* b, const STT* s) { return tzErsetzenVoll(id, b, s, 0); }

int TzFortsetzen(int id, const BEF* b, const STT* s)
{
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0) return -1;
    double box[4];
    STT nach;
    BefAusdehnung(b, s, box, &nach);
    UndoFortsetzen(static_cast<uint32_t>(e.stempel), static_cast<uint32_t>(BefGeneration()), id, b, s);
    if (tzErsetzenKern(id, b, s, box, &nach, e.stempel) != 0) return -1;
    TzZeichnenMerken(id, box);
    return 0;
}

int TzSetzenMitStempel(int stempel, int id, const BEF* b, const STT* s)
{
    if (!b || !s) wiAssert("tmpzei", __LINE__, "b != NULL && i != NULL");
    double abox[4];
    if (TzObjHolenGanz(id, nullptr, nullptr, nullptr, abox) != 0) return -1;
    double box[4];
    STT nach;
    BefAusdehnung(b, s, box, &nach);
    if (tzErsetzenKern(id, b, s, box, &nach, stempel ? stempel : BefGeneration()) != 0) return -1;
    TzZeichnenMerken(-1, abox);
    TzZeichnenMerken(id, box);
    return 0;
}

int TzObjHolenGanz(int id, BEF* b, STT* vor, STT* nach, double box[4])
{
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0) return -1;
    if (tzKorbWechseln(e.korb) != 0) return -1;
    tzEntpacken(&korbinha[e.slot], b, vor, nach, box);
    return 0;
}

int TzObjHolen(int id, BEF* b, STT* s) { return TzObjHolenGanz(id, b, s, nullptr, nullptr); }

int TzObjAenderbar(int id)
{
    BEF b;
    STT s;
    if (TzObjHolen(id, &b, &s) != 0) return 1;
    return TzAenderbarPruefen(&b, &s);
}

int TzAnzahl() { return seqAnzahl(); }
int TzMarkAnzahl() { return seqMarkiert(); }

int SeqMarkAnzahl()
{
    int n = 0;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        if (TzMarkHolen(id) == 1) ++n;
    }
    return n;
}

int TzNaechstes(int id)
{
    if (id == -1) return seqErster() >= 0 ? seqErster() : TZENDE;
    if (id >= TZENDE) return TZENDE;
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0) return TZENDE;
    return e.next;
}

int TzVorheriges(int id)
{
    if (id >= TZENDE) return seqLetzter();
    if (id < 0) return -1;
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0) return -1;
    return e.prev;
}

void TzMarkSetzen(int id, int zustand)
{
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0) return;
    if (e.mark == 1 && zustand != 1) seqMarkiertAendern(-1);
    if (e.mark != 1 && zustand == 1) seqMarkiertAendern(1);
    e.mark = zustand;
    if (zustand != 1) e.bearb = 0;
    e.stempel = BefGeneration();
    seqSetzen(id, &e);
}

int TzMarkHolen(int id)
{
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0) return 0;
    return e.mark;
}

int TzIstMarkiert(int id) { return TzMarkHolen(id) == 1; }

int TzExistiert(int id)
{
    sequenz e;
    return seqHolen(id, &e) == 0 && e.korb >= 0;
}

int TzStempel(int id)
{
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0) return 0;
    return e.stempel;
}

void TzInBearbeitung(int id, int wert)
{
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0 || e.mark != 1) return;
    e.bearb = wert;
    seqSetzen(id, &e);
}

int TzBearbeitungHolen(int id)
{
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0) return 0;
    return e.bearb;
}

int TzNeueId() { return seqFreiKopf() >= 0 ? seqFreiKopf() : seqAnzahl(); }

void TzZeichnenMerken(int id, const double box[4])
{
    auto erweitern = [&] {
        tzAkkuBox[0] = dmini(tzAkkuBox[0], dmini(box[0], box[2]));
        tzAkkuBox[1] = dmini(tzAkkuBox[1], dmini(box[1], box[3]));
        tzAkkuBox[2] = dmaxi(tzAkkuBox[2], dmaxi(box[0], box[2]));
        tzAkkuBox[3] = dmaxi(tzAkkuBox[3], dmaxi(box[1], box[3]));
    };
    switch (tzAkku) {
    case 0:
        tzAkkuBox[0] = dmini(box[0], box[2]);
        tzAkkuBox[1] = dmini(box[1], box[3]);
        tzAkkuBox[2] = dmaxi(box[0], box[2]);
        tzAkkuBox[3] = dmaxi(box[1], box[3]);
        if (id >= 0) {
            tzAkku = 1;
            tzAkkuIds.assign(1, id);
        } else {
            tzAkku = 2;
        }
        break;
    case 1:
        // An old place (id -1) is only known as a box, which state 1 never
        // hands out: switch to the box so that the old place is repainted.
        if (id >= 0 && tzAkkuIds.size() < 10) {
            tzAkkuIds.push_back(id);
        } else {
            tzAkku = 2;
        }
        erweitern();
        break;
    case 2:
        erweitern();
        break;
    default:
        break;
    }
}

int TzZeichnenHolen(int* id, double box[4])
{
    switch (tzAkku) {
    case 1:
        *id = tzAkkuIds.back();
        tzAkkuIds.pop_back();
        if (tzAkkuIds.empty()) tzAkku = 0;
        return 1;
    case 2:
        std::memcpy(box, tzAkkuBox, sizeof tzAkkuBox);
        tzAkku = 0;
        return 2;
    case 3:
        tzAkku = 0;
        return 3;
    default:
        return 0;
    }
}

int TzZeichnenOffen() { return tzAkku != 0; }
void TzZeichnenLeeren()
{
    tzAkku = 0;
    tzAkkuIds.clear();
}
void TzZeichnenAlles() { tzAkku = 3; }

int TzIstGeaendert() { return tzGeaendert ? 1 : 0; }
void TzGeaendertSetzen() { tzGeaendert = true; }
int TzGeaendertReset()
{
    int g = tzGeaendert ? 1 : 0;
    tzGeaendert = false;
    return g;
}

void TzLinienNahe(const double rechteck[4], const TzPunkteFn& fn)
{
    if (!tzLinienListenDa) {
        tzLinienListenDa = true;
        for (int n = 0; n < tzKorbHoch; ++n)
            for (uint32_t slot = 0; slot < korblist[n].anzahl; ++slot)
                if (tzKorbArten[n][slot] == BEF_ZL) tzLinieDazu(tzSlotLagen[n][slot].id, tzSlotLagen[n][slot].punkte);
    }
    const TzZellSatz& g = tzZellenLinien;
    const int x1 = tzRasterZelle(g, std::min(rechteck[0], rechteck[2]), 0);
    const int x2 = tzRasterZelle(g, std::max(rechteck[0], rechteck[2]), 0);
    const int y1 = tzRasterZelle(g, std::min(rechteck[1], rechteck[3]), 1);
    const int y2 = tzRasterZelle(g, std::max(rechteck[1], rechteck[3]), 1);
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            for (const TzLinienEintrag& e : tzLinienListen[y * TZRASTERLINIEN + x]) {
                // A line in several of these cells is handed out in the
                // first of them only.
                if (x != std::max<int>(x1, e.x1) || y != std::max<int>(y1, e.y1)) continue;
                fn(e.id, e.punkte[0], e.punkte[1], e.punkte[2], e.punkte[3]);
            }
}

int TzKorbVon(int id, int* slot)
{
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0) {
        if (slot) *slot = -1;
        return -1;
    }
    if (slot) *slot = e.slot;
    return e.korb;
}

int TzKorbSchluessel(int n) { return tzKorbListeSchluessel(n); }
int TzKorbAnzahl(int n) { return tzKorbListeAnzahl(n); }
int TzHeapAnzahl() { return thAnzahl(); }
