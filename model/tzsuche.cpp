// Walks of the drawing store by area, area painting (fills first, in
// drawing order), the nearest-object search and the pick ring. Prefix `Tz`.
// Calls the store internals (tzint.h), the layer visibility of the
// settings, the geometry and the editor hooks.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/geometri.h"
#include "model/tempzeic.h"
#include "model/tzint.h"

using namespace modh;  // the model's calls through its service tables

namespace {

bool tzTrifft(const double e[4], const double r[4])
{
    double ex1 = std::min(e[0], e[2]), ex2 = std::max(e[0], e[2]);
    double ey1 = std::min(e[1], e[3]), ey2 = std::max(e[1], e[3]);
    return ex1 <= r[2] && ex2 >= r[0] && ey1 <= r[3] && ey2 >= r[1];
}

bool tzIstFuellung(const BEF* b)
{
    return b->code == BEF_GRF || ((b->code == 63 || b->code == BEF_KRE || b->code == BEF_RTK) && b->iarg[0] != 0);
}

// Search state of the nearest-object search.
struct TzSuche {
    double x = 0, y = 0;
    int best = -1;
    double abstand = 1000.0;
    int prio = 3;
    int bestMark = 0;
    int art = 0;
    int nurMarkiert = 0;
    int ohne[TZOHNESUP];
    int ohneAnzahl = 0;
    // The object being offered.
    int id = -1;
    int mark = 0;
    const STT* stt = nullptr;
} tzSuche;

// Offers a point in drawing coordinates.
void tzKandidat(double X, double Y, int prio)
{
    TzSuche& s = tzSuche;
    double d = std::hypot(X - s.x, Y - s.y);
    bool gewinnt;
    if (std::fabs(d - s.abstand) <= 0.1) {
        gewinnt = prio < s.prio || (s.mark == 1 && s.bestMark != 1);
    } else {
        gewinnt = d < s.abstand;
    }
    if (gewinnt) {
        s.best = s.id;
        s.abstand = d;
        s.prio = prio;
        s.bestMark = s.mark == 1;
    }
}

void tzKandidatLokal(double x, double y, int prio)
{
    double X, Y;
    SttPunkt(tzSuche.stt, x, y, &X, &Y);
    tzKandidat(X, Y, prio);
}

void tzFangpunkt(int art, double x, double y) { tzKandidatLokal(x, y, art == 0 ? 0 : 2); }

int tzSuchen(double x, double y, int art)
{
    TzSuche& s = tzSuche;
    s.x = x;
    s.y = y;
    s.best = -1;
    s.abstand = 1000.0;
    s.prio = 3;
    s.bestMark = 0;
    s.art = art;
    double r[4] = {x - 20.0, y - 20.0, x + 20.0, y + 20.0};
    TzBereichDurchlaufen(r, [](int id, const STT* st, const BEF* b) {
        TzSuche& s = tzSuche;
        if (!LayerSichtbar(st->layer)) return;
        for (int i = 0; i < s.ohneAnzahl; ++i) {
            if (s.ohne[i] == id) return;
        }
        if (s.art && !(b->code == s.art || (BefIstText(b->code) && BefIstText(s.art)) ||
                       (BefIstZB(b->code) && BefIstZB(s.art))))
            return;
        int mark = TzMarkHolen(id);
        if (s.nurMarkiert && mark == 0) return;
        s.id = id;
        s.mark = mark;
        s.stt = st;
        if (s.nurMarkiert) {
            tzKandidatLokal(0, 0, 0);
            return;
        }
        if (BefIstZB(b->code)) {
            BEF ganz;
            STT vor, nach;
            double box[4];
            TzObjHolenGanz(id, &ganz, &vor, &nach, box);
            double X, Y;
            SttPunkt(st, b->darg[0], b->darg[1], &X, &Y);
            tzKandidat(X, Y, 0);
            tzKandidat(nach.x, nach.y, 1);
            tzKandidat((X + nach.x) / 2, (Y + nach.y) / 2, 2);
        } else if (BefIstText(b->code)) {
            double box[4];
            TzObjHolenGanz(id, nullptr, nullptr, nullptr, box);
            tzKandidat(box[0], box[1], 1);
            tzKandidat(box[2], box[1], 1);
            tzKandidat(box[0], box[3], 1);
            tzKandidat(box[2], box[3], 1);
            tzKandidat((box[0] + box[2]) / 2, (box[1] + box[3]) / 2, 1);
        }
        BefFangpunkte(b, tzFangpunkt);
    });
    return s.best;
}

// Pick ring.
struct TzPick {
    int id;
    int anzahl;
};
TzPick tzPicks[TZPICKSUP] = {};
int tzPickPos = 0;

}  // namespace

namespace {

// The walk of both area walks: `jeObjekt` gets basket n's slot of each
// object of kind `art` (-1: any) whose extent meets the area, with the
// packed object, or without (nullptr) when `ohneObjekt` and the extent
// kept in memory shows that it meets the area.
template <bool ohneObjekt, class F>
void tzBereichGehen(const double rechteck[4], int art, F&& jeObjekt)
{
    double r[4] = {std::min(rechteck[0], rechteck[2]), std::min(rechteck[1], rechteck[3]),
                   std::max(rechteck[0], rechteck[2]), std::max(rechteck[1], rechteck[3])};
    const TzKorbSuche suche(r, art);
    const TzSlotSuche slots(r, art);
    // Basket by basket in ascending order; the next one is looked for after
    // the callback, which may fill a new basket. A basket is loaded only
    // when one of its slots may meet the area; after a callback that
    // changed the store its slots are looked at again from the next one on.
    for (int n = tzKorbNaechster(suche, 0); n >= 0; n = tzKorbNaechster(suche, n + 1)) {
        uint32_t offen = tzKorbSlots(n, slots);
        uint32_t sicher = ohneObjekt && offen ? tzKorbSlotsSicher(n, slots) : 0;
        unsigned stand = tzKorbStand();
        while (offen) {
            const int slot = __builtin_ctz(offen);
            offen &= offen - 1;
            if (sicher >> slot & 1) {
                jeObjekt(n, slot, nullptr);
            } else {
                if (tzKorbWechseln(n) != 0) break;
                const objekt* o = &tzKorbInhalt()[slot];
                if (!tzTrifft(o->ext, r)) continue;
                jeObjekt(n, slot, o);
            }
            if (tzKorbStand() != stand) {
                stand = tzKorbStand();
                offen = slot + 1 < KOINSUP ? tzKorbSlots(n, slots) & (~uint32_t{0} << (slot + 1)) : 0;
                if (ohneObjekt) sicher = tzKorbSlotsSicher(n, slots);
            }
        }
    }
}

}  // namespace

void TzBereichDurchlaufen(const double rechteck[4], const TzDurchlaufFn& fn, int art)
{
    tzBereichGehen<false>(rechteck, art, [&](int, int, const objekt* o) {
        BEF b;
        STT s;
        tzEntpacken(o, &b, &s, nullptr, nullptr);
        fn(static_cast<int>(o->id), &s, &b);
    });
}

void TzBereichPunkte(const double rechteck[4], int art, const TzPunkteFn& fn)
{
    // The slots met are gathered first and their entries fetched ahead:
    // they lie apart in memory, and their reads then overlap.
    constexpr int PUFFER = 256;
    struct Treffer {
        int korb, slot;
    } treffer[PUFFER];
    int anzahl = 0;
    auto abgeben = [&] {
        for (int i = 0; i < anzahl; ++i) {
            const double* p = tzSlotLage(treffer[i].korb, treffer[i].slot);
            fn(tzSlotId(treffer[i].korb, treffer[i].slot), p[0], p[1], p[2], p[3]);
        }
        anzahl = 0;
    };
    tzBereichGehen<true>(rechteck, art, [&](int n, int slot, const objekt*) {
        __builtin_prefetch(tzSlotLage(n, slot));
        treffer[anzahl++] = {n, slot};
        if (anzahl == PUFFER) abgeben();
    });
    abgeben();
}

void TzBereichZeichnen(const double rechteck[4])
{
    struct Fuellung {
        int id;
        int pos;
        BEF b;
        STT s;
    };
    std::vector<Fuellung> fuell;
    TzBereichDurchlaufen(rechteck, [&](int id, const STT* s, const BEF* b) {
        if (tzIstFuellung(b) && TzBearbeitungHolen(id) == 0) fuell.push_back({id, 0, *b, *s});
    });
    if (!fuell.empty()) {
        std::vector<int> pos(static_cast<size_t>(seqHoch()), -1);
        int neu = TzNeueId(), p = 0;
        for (int id = TzNaechstes(-1); id < TZENDE && id != neu; id = TzNaechstes(id)) {
            if (id >= 0 && id < static_cast<int>(pos.size())) pos[id] = p++;
        }
        for (auto& f : fuell) f.pos = pos[f.id];
        std::sort(fuell.begin(), fuell.end(), [](const Fuellung& a, const Fuellung& b) { return a.pos < b.pos; });
        for (const auto& f : fuell) ObjZeichnen(&f.b, &f.s, TzMarkHolen(f.id) == 1);
    }
    TzBereichDurchlaufen(rechteck, [](int id, const STT* s, const BEF* b) {
        if (!tzIstFuellung(b) && TzBearbeitungHolen(id) == 0) ObjZeichnen(b, s, TzMarkHolen(id) == 1);
    });
}

int TzSucheNahe(double x, double y, int art)
{
    tzSuche.ohneAnzahl = 0;
    tzSuche.nurMarkiert = 0;
    return tzSuchen(x, y, art);
}

int TzSucheNaheOhne(double x, double y, int art, int ohne)
{
    if (tzSuche.ohneAnzahl < TZOHNESUP) tzSuche.ohne[tzSuche.ohneAnzahl++] = ohne;
    tzSuche.nurMarkiert = 0;
    return tzSuchen(x, y, art);
}

int TzSucheMarkiert(double x, double y, int art)
{
    tzSuche.ohneAnzahl = 0;
    tzSuche.nurMarkiert = 1;
    int r = tzSuchen(x, y, art);
    tzSuche.nurMarkiert = 0;
    return r;
}

int TzPickMerken(int id)
{
    tzPickPos = (tzPickPos + 1) % TZPICKSUP;
    tzPicks[tzPickPos] = id == -1 ? TzPick{-1, 0} : TzPick{id, 1};
    tzPicks[(tzPickPos + 1) % TZPICKSUP] = {-1, 0};
    return tzPickPos + 1;
}

void TzPickDazu(int griff, int id)
{
    int h = griff - 1;
    if (h < 0 || h >= TZPICKSUP) return;
    int e = (h + tzPicks[h].anzahl) % TZPICKSUP;
    tzPicks[e].id = id;
    tzPicks[(e + 1) % TZPICKSUP] = {-1, 0};
    ++tzPicks[h].anzahl;
}

int TzPickAnzahl(int griff)
{
    return (griff >= 1 && griff <= TZPICKSUP) ? tzPicks[griff - 1].anzahl : 0;
}

int TzPickHolen(int griff, int k)
{
    if (griff < 1 || griff > TZPICKSUP) return -1;
    return tzPicks[((griff - 1 + k) % TZPICKSUP + TZPICKSUP) % TZPICKSUP].id;
}

int TzPickEnthalten(int griff, int id)
{
    if (griff < 1 || griff > TZPICKSUP) return 0;
    for (int i = 0; i < TZPICKSUP; ++i) {
        int v = tzPicks[(griff - 1 + i) % TZPICKSUP].id;
        if (v == -1) return 0;
        if (v == id) return 1;
    }
    return 0;
}
