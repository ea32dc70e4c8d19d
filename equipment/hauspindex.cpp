// Identifier counting and the identifier rows (see hauspindex.h).
// Prefix `Hbk`.
#include "equipment/hauspindex.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "equipment/bm.h"
#include "equipment/nartikel.h"
#include "equipment/nhuliste.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

std::vector<hbkenn> hbkIndex;
bool hbkDa = false;

// The identifier text of an item as the model's BMKennung gives it.
void HbkKennung(const appgeraet* g, char (&aus)[HBKKENNSUP + 1])
{
    ModGeraet m{};
    m.id = g->id;
    m.art = g->n1;
    strkopie(m.kg, g->kg, MODTEXTSUP);
    strkopie(m.kz, g->kz, MODTEXTSUP);
    strkopie(aus, BMKennung(&m), HBKKENNSUP);
}

int HbkVergleich(const hbkenn& a, const hbkenn& b)
{
    if (a.spalte != b.spalte) return a.spalte < b.spalte ? -1 : 1;
    if (const int k = std::strcmp(a.kenn, b.kenn)) return k;
    if (a.y != b.y) return a.y < b.y ? -1 : 1;
    if (a.x != b.x) return a.x < b.x ? -1 : 1;
    return 0;
}

// "Before": greater y, or equal y and smaller x.
bool HbkDavor(double x, double y, double hx, double hy) { return y > hy || (y == hy && x < hx); }

int HbkErgebnis(int gleich, int davor) { return gleich < 2 ? 0 : davor + 1; }

struct HbkWalk {
    const char* kenn;
    uint32_t id;
    int spalte;
    double x, y;
    int gleich, davor;
};

void HbkOhneIndex(const appbteil* b, void* benutzer)
{
    auto* w = static_cast<HbkWalk*>(benutzer);
    if (b->platziert == 0 || b->nr != 0) return;
    if (b->id == w->id) {
        ++w->gleich;
        return;
    }
    if (ZeiSpalteNr(b->ze, b->x) != w->spalte) return;
    appgeraet g;
    if (GesHolen(b->id, &g) != 0) return;
    char kenn[HBKKENNSUP + 1];
    HbkKennung(&g, kenn);
    if (std::strcmp(kenn, w->kenn) != 0) return;
    ++w->gleich;
    if (HbkDavor(b->x, b->y, w->x, w->y)) ++w->davor;
}

// ---- identifier rows ------------------------------------------------------
// The rows are sorted in memory in the external sort's own order (equal
// keys included), so the overview reads as it always did without run files.
std::vector<hbkzeile> hbkZeilen;
bool hbkSortOffen = false;
int hbkModus = 0;
// Mode 2: BMKennung of every row's item by id, made once per walk rather
// than twice per comparison.
struct HbkRoh {
    char kenn[HBKKENNSUP + 1];
};
std::vector<HbkRoh> hbkRoh;

int HbkZeilenVergleich(const void* pa, const void* pb)
{
    const auto* a = static_cast<const hbkzeile*>(pa);
    const auto* b = static_cast<const hbkzeile*>(pb);
    if (hbkModus == 0) {
        if (const int k = strvglzahl(a->kenn, b->kenn)) return k;
    } else if (hbkModus == 2) {
        if (const int k = strvglzahl(hbkRoh[a->geraet.id].kenn, hbkRoh[b->geraet.id].kenn)) return k;
    }
    return BtlPosVergleich(a->haupt.ze, a->haupt.x, a->haupt.y, b->haupt.ze, b->haupt.x, b->haupt.y);
}

}  // namespace

void HbkIndexAufbauen()
{
    hbkIndex.clear();
    hbkIndex.reserve(static_cast<size_t>(GesAnzahl()));
    GesDurchlaufen(
        [](const appgeraet* g, void*) {
            hbkenn e{};
            e.id = g->id;
            HbkKennung(g, e.kenn);
            appbteil h;
            if (BtlSuchen(g->id, "H", 0, &h)) {
                e.spalte = ZeiSpalteFortl(h.ze, h.x);
                e.x = h.x;
                e.y = h.y;
            } else {
                e.spalte = ZeiSpalteFortl("", 0.0);
            }
            hbkIndex.push_back(e);
        },
        nullptr);
    std::sort(hbkIndex.begin(), hbkIndex.end(), [](const hbkenn& a, const hbkenn& b) { return HbkVergleich(a, b) < 0; });
    hbkDa = true;
}

void HbkIndexFrei()
{
    hbkIndex.clear();
    hbkIndex.shrink_to_fit();
    hbkDa = false;
}

int HbkIndexAnzahl() { return hbkDa ? static_cast<int>(hbkIndex.size()) : 0; }

int HbkZaehlen(const appgeraet* g, const appbteil* haupt)
{
    if (!BMVerwendet() || haupt == nullptr || haupt->platziert == 0) return 0;
    char kenn[HBKKENNSUP + 1];
    HbkKennung(g, kenn);
    return HbkZaehlen(g, haupt, kenn);
}

int HbkZaehlen(const appgeraet* g, const appbteil* haupt, const char* kenn)
{
    if (!BMVerwendet() || haupt == nullptr || haupt->platziert == 0) return 0;
    if (hbkDa && !hbkIndex.empty()) {
        const int32_t spalte = ZeiSpalteFortl(haupt->ze, haupt->x);
        // The (column, identifier) group, sorted by y then x: its start by
        // one binary search, its end by steps doubling from there (groups
        // are mostly one or a few entries).
        auto gruppeVor = [spalte, kenn](const hbkenn& e) {
            return e.spalte != spalte ? e.spalte < spalte : std::strcmp(e.kenn, kenn) < 0;
        };
        auto inGruppe = [spalte, kenn](const hbkenn& e) { return e.spalte == spalte && std::strcmp(e.kenn, kenn) == 0; };
        const auto von = std::partition_point(hbkIndex.begin(), hbkIndex.end(), gruppeVor);
        const auto rest = hbkIndex.end() - von;
        std::ptrdiff_t schritt = 1, sicher = 0;  // [von, von + sicher) lies in the group
        while (schritt <= rest && inGruppe(von[schritt - 1])) {
            sicher = schritt;
            schritt *= 2;
        }
        const auto bis = std::partition_point(von + sicher, von + std::min(schritt, rest), inGruppe);
        // Before: greater y (after every entry of y <= hy), or equal y and smaller x.
        const auto ueber = std::upper_bound(von, bis, haupt->y, [](double y, const hbkenn& e) { return y < e.y; });
        const auto gleichY = std::lower_bound(von, bis, haupt->y, [](const hbkenn& e, double y) { return e.y < y; });
        const auto links =
            std::lower_bound(gleichY, ueber, haupt->x, [](const hbkenn& e, double x) { return e.x < x; });
        if (links == ueber || links->x != haupt->x) return 0;  // the entry itself is not indexed
        const int gleich = static_cast<int>(bis - von);
        const int davor = static_cast<int>(bis - ueber) + static_cast<int>(links - gleichY);
        return HbkErgebnis(gleich, davor);
    }
    HbkWalk w{kenn, g->id, ZeiSpalteNr(haupt->ze, haupt->x), haupt->x, haupt->y, 0, 0};
    BtlHauptAufZeichnung(haupt->ze, HbkOhneIndex, &w);
    return HbkErgebnis(w.gleich, w.davor);
}

int HbkListeSortieren(int modus)
{
    hbkZeilen.clear();
    hbkZeilen.reserve(static_cast<size_t>(std::max(GesAnzahl(), 0)));
    hbkModus = std::clamp(modus, 0, 2);
    hbkSortOffen = true;
    return 0;
}

int HbkListeDazu(const appgeraet* g)
{
    if (!hbkSortOffen) return -1;
    hbkzeile& z = hbkZeilen.emplace_back();
    std::memset(&z, 0, sizeof z);
    z.geraet = *g;
    BtlSuchen(g->id, "H", 0, &z.haupt);
    NhuKennungHolen(z.kenn, sizeof z.kenn, g->id);
    if (z.haupt.platziert != 0) QvwPosText(z.pos, sizeof z.pos, z.haupt.ze, z.haupt.x, z.haupt.y);
    return 0;
}

int HbkListeDurchlaufen(HBKZEILEFN fn, void* benutzer)
{
    if (!hbkSortOffen) return -1;
    hbkSortOffen = false;
    std::vector<hbkzeile> zeilen;
    zeilen.swap(hbkZeilen);
    if (hbkModus == 2) {
        uint32_t hoechste = 0;
        for (const hbkzeile& z : zeilen) hoechste = std::max(hoechste, z.geraet.id);
        hbkRoh.assign(static_cast<size_t>(hoechste) + 1, {});
        for (const hbkzeile& z : zeilen) HbkKennung(&z.geraet, hbkRoh[z.geraet.id].kenn);
    }
    MsortWieExtern(zeilen.data(), static_cast<int32_t>(zeilen.size()), static_cast<int32_t>(sizeof(hbkzeile)),
                   HbkZeilenVergleich);
    hbkRoh.clear();
    hbkRoh.shrink_to_fit();
    for (const hbkzeile& z : zeilen)
        if (fn(&z, benutzer) == 0) break;
    return 0;
}
