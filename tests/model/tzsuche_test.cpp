// Walks of the drawing store by area, painting with fills first, the
// nearest-object search and the pick ring.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "model/zerleg.h"
#include "tests/model/tztest.h"
#include "tests/model/edprotokoll.h"

namespace {

struct Suche : TzTest {
    std::vector<int> gelaufen(const double r[4])
    {
        std::vector<int> v;
        TzBereichDurchlaufen(r, [&](int id, const STT*, const BEF*) { v.push_back(id); });
        return v;
    }
};

TEST_F(Suche, AnExtentThatOnlyTouchesTheRectangleIsWalked)
{
    int id = linie(10, 10, 10, 0);
    double box[4];
    ASSERT_EQ(TzObjHolenGanz(id, nullptr, nullptr, nullptr, box), 0);
    double rechts[4] = {box[2], box[1], box[2] + 5, box[3] + 5};
    double oben[4] = {box[0] - 5, box[3], box[2], box[3] + 1};
    double daneben[4] = {box[2] + 0.001, box[1], box[2] + 5, box[3]};
    EXPECT_EQ(gelaufen(rechts), std::vector<int>{id});
    EXPECT_EQ(gelaufen(oben), std::vector<int>{id});
    EXPECT_TRUE(gelaufen(daneben).empty());
}

TEST_F(Suche, WalksGoInBasketThenSlotOrder)
{
    linie(10, 10, 5, 0);    // 0: key 0, basket 0
    linie(350, 350, 5, 0);  // 1: key 15, basket 1
    linie(20, 20, 5, 0);    // 2: key 0, basket 0 slot 1
    double alles[4] = {0, 0, 400, 400};
    EXPECT_EQ(gelaufen(alles), (std::vector<int>{0, 2, 1}));
    double links[4] = {0, 0, 50, 50};
    EXPECT_EQ(gelaufen(links), (std::vector<int>{0, 2}));
    // A callback may read other objects: the walk goes on in its basket.
    std::vector<int> v;
    TzBereichDurchlaufen(alles, [&](int id, const STT*, const BEF*) {
        BEF b;
        STT s;
        TzObjHolen(1, &b, &s);
        v.push_back(id);
    });
    EXPECT_EQ(v, (std::vector<int>{0, 2, 1}));
}

// The baskets an area walk visits come from the grid cells' basket lists
// for small areas and from every basket for large ones: after inserts,
// removals and moves, with baskets in memory or in the swap file, a walk
// gives exactly the objects a scan of all objects finds, in basket then
// slot order.
TEST_F(Suche, AreaWalksMatchAFullScanAfterInsertsRemovalsAndMoves)
{
    for (const int zeiRam : {1, 0}) {
        SCOPED_TRACE(zeiRam);
        starten(zeiRam);
        unsigned zufall = 4711;
        auto wuerfel = [&](int n) {
            zufall = zufall * 1103515245u + 12345u;
            return static_cast<int>((zufall >> 8) % static_cast<unsigned>(n));
        };
        // Objects from just beyond the drawing area on both sides, clustered
        // as an editor draws, of three kinds.
        auto objekt = [&](BEF* b, STT* s) {
            const double x = wuerfel(460) - 30, y = wuerfel(460) - 30;
            switch (wuerfel(3)) {
            case 0: *b = tzRec(TZ_ZL, {static_cast<double>(wuerfel(40)) - 20, static_cast<double>(wuerfel(6))}); break;
            case 1: *b = tzRec(TZ_TEXT, {}, "Beschriftung"); break;
            default: *b = tzRec(67, {1.0 + wuerfel(5)}); break;
            }
            *s = tzStt(x, y);
            // Turned and scaled: the end points of the point walk are the
            // stored ones and must equal those the record draws to.
            s->richtung = (static_cast<int>(x) * 70 + 3600) % 3600;
            if (static_cast<int>(y) % 2) s->mass = s->msf = 1.5;
        };
        auto vergleichen = [&](const char* wann) {
            SCOPED_TRACE(wann);
            std::vector<int> ids;
            for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) ids.push_back(id);
            for (int k = 0; k < 24; ++k) {
                const double w = k % 3 == 0 ? 300 : k % 3 == 1 ? 30 : 4;  // many cells, a few, one
                const double x = wuerfel(500) - 50, y = wuerfel(500) - 50;
                const double r[4] = {x, y, x + w, y + w * 0.7};
                const int art = k % 2 ? TZ_ZL : -1;
                std::vector<std::pair<std::pair<int, int>, int>> soll;
                for (int id : ids) {
                    BEF b;
                    double e[4];
                    ASSERT_EQ(TzObjHolenGanz(id, &b, nullptr, nullptr, e), 0);
                    if (art >= 0 && b.code != art) continue;
                    if (std::min(e[0], e[2]) > r[2] || std::max(e[0], e[2]) < r[0] || std::min(e[1], e[3]) > r[3] ||
                        std::max(e[1], e[3]) < r[1])
                        continue;
                    int slot = -1;
                    const int korb = TzKorbVon(id, &slot);
                    soll.push_back({{korb, slot}, id});
                }
                std::sort(soll.begin(), soll.end());
                std::vector<int> erwartet;
                for (const auto& e : soll) erwartet.push_back(e.second);
                std::vector<int> v;
                TzBereichDurchlaufen(r, [&](int id, const STT*, const BEF*) { v.push_back(id); }, art);
                EXPECT_EQ(v, erwartet) << "area " << r[0] << " " << r[1] << " " << r[2] << " " << r[3] << " kind " << art;
                // The walk of end points meets the same objects in the same
                // order, each from where it starts to where it leaves the
                // position, exactly.
                std::vector<int> p;
                TzBereichPunkte(r, art, [&](int id, double x0, double y0, double x1, double y1) {
                    p.push_back(id);
                    BEF b;
                    STT s;
                    ASSERT_EQ(TzObjHolen(id, &b, &s), 0);
                    EXPECT_EQ(x0, s.x);
                    EXPECT_EQ(y0, s.y);
                    BefZerlegen(&b, &s, nullptr);
                    EXPECT_EQ(x1, s.x) << id;
                    EXPECT_EQ(y1, s.y) << id;
                });
                EXPECT_EQ(p, erwartet);
                // The lines near the area: each line whose end points'
                // rectangle meets it, once, as stored (a few more may come).
                if (art != TZ_ZL) continue;
                std::vector<int> nahe;
                TzLinienNahe(r, [&](int id, double x0, double y0, double x1, double y1) {
                    nahe.push_back(id);
                    BEF b;
                    STT s;
                    ASSERT_EQ(TzObjHolen(id, &b, &s), 0);
                    EXPECT_EQ(b.code, TZ_ZL);
                    EXPECT_EQ(x0, s.x);
                    EXPECT_EQ(y0, s.y);
                    BefZerlegen(&b, &s, nullptr);
                    EXPECT_EQ(x1, s.x) << id;
                    EXPECT_EQ(y1, s.y) << id;
                });
                std::sort(nahe.begin(), nahe.end());
                EXPECT_EQ(std::adjacent_find(nahe.begin(), nahe.end()), nahe.end());
                for (int id : ids) {
                    BEF b;
                    STT s;
                    ASSERT_EQ(TzObjHolen(id, &b, &s), 0);
                    if (b.code != TZ_ZL) continue;
                    STT n = s;
                    BefZerlegen(&b, &n, nullptr);
                    if (std::min(s.x, n.x) > r[2] || std::max(s.x, n.x) < r[0] || std::min(s.y, n.y) > r[3] ||
                        std::max(s.y, n.y) < r[1])
                        continue;
                    EXPECT_TRUE(std::binary_search(nahe.begin(), nahe.end(), id)) << id;
                }
            }
        };
        std::vector<int> lebend;
        auto neues = [&] {
            BEF b;
            STT s;
            objekt(&b, &s);
            return TzEinfuegen(&b, &s);
        };
        for (int i = 0; i < 2500; ++i) {
            const int id = neues();
            ASSERT_GE(id, 0);
            lebend.push_back(id);
        }
        EXPECT_GT(TzKorbVon(lebend.back(), nullptr), 60);
        vergleichen("filled");
        for (int runde = 0; runde < 3; ++runde) {
            for (int i = 0; i < 400 && !lebend.empty(); ++i) {
                const size_t k = static_cast<size_t>(wuerfel(static_cast<int>(lebend.size())));
                const int op = wuerfel(3);
                if (op == 0) {  // removed
                    TzLoeschen(lebend[k]);
                    lebend.erase(lebend.begin() + static_cast<long>(k));
                } else if (op == 1) {  // moved elsewhere
                    BEF b;
                    STT s;
                    ASSERT_EQ(TzObjHolen(lebend[k], &b, &s), 0);
                    s.x = wuerfel(460) - 30;
                    s.y = wuerfel(460) - 30;
                    ASSERT_EQ(TzErsetzen(lebend[k], &b, &s), 0);
                } else {  // a new one
                    const int id = neues();
                    ASSERT_GE(id, 0);
                    lebend.push_back(id);
                }
            }
            vergleichen("changed");
        }
        // Emptied baskets leave their cells; refilled ones come back.
        for (size_t i = 0; i < lebend.size(); i += 2) TzLoeschen(lebend[i]);
        vergleichen("half removed");
        for (int i = 0; i < 300; ++i) {
            BEF b;
            STT s;
            objekt(&b, &s);
            ASSERT_GE(TzEinfuegen(&b, &s), 0);
        }
        vergleichen("refilled");
    }
}

// A callback that changes the store in the middle of a walk: the walk goes
// on from the next slot of the changed basket (where the removal moved the
// following objects up) and meets the object put into the freed room.
TEST_F(Suche, AWalkSeesWhatItsCallbackChanged)
{
    std::vector<int> ids;
    for (int i = 0; i < 40; ++i) ids.push_back(linie(10 + i % 5, 10, 1, 0));  // baskets 0 and 1
    const double r[4] = {0, 0, 30, 30};
    std::vector<int> v;
    bool einmal = false;
    TzBereichDurchlaufen(r, [&](int id, const STT*, const BEF*) {
        v.push_back(id);
        if (!einmal) {
            einmal = true;
            TzLoeschen(ids[1]);                  // slot 1 goes, the rest moves up
            ids.push_back(linie(12, 12, 1, 0));  // basket 0's last slot
        }
    });
    std::vector<int> erwartet{ids[0]};
    for (size_t i = 2; i < 32; ++i) erwartet.push_back(ids[i]);
    erwartet.push_back(ids.back());
    for (size_t i = 32; i < 40; ++i) erwartet.push_back(ids[i]);
    EXPECT_EQ(v, erwartet);
}

TEST_F(Suche, NearestSearchTiesPreferTheLowerPriorityThenTheMarkedObject)
{
    // Ends at distance 3: B's end point (priority 2), A's origin (priority 0).
    int b = linie(87, 100, 10, 0);
    int a = linie(103, 100, 10, 0);
    EXPECT_EQ(TzSucheNahe(100, 100, 0), a);
    TzLeeren();
    a = linie(103, 100, 10, 0);
    b = linie(87, 100, 10, 0);
    EXPECT_EQ(TzSucheNahe(100, 100, 0), a);
    // Equal priorities: the first found, unless a later one is marked.
    TzLeeren();
    a = linie(103, 100, 0, 10);
    b = linie(97.05, 100, 0, -10);
    EXPECT_EQ(TzSucheNahe(100, 100, 0), a);
    TzMarkSetzen(b, 1);
    EXPECT_EQ(TzSucheNahe(100, 100, 0), b);
    // A clearly nearer point wins whatever its priority.
    int c = linie(101, 100, 0, 10);
    EXPECT_EQ(TzSucheNahe(100, 100, 0), c);
    // Nothing within reach.
    EXPECT_EQ(TzSucheNahe(300, 300, 0), -1);
}

TEST_F(Suche, HiddenLayersExcludedIdsKindsAndMarks)
{
    int a = linie(101, 100, 0, 10);
    int b = linie(102, 100, 0, 10);
    int t = text(104, 100, "T");
    EXPECT_EQ(TzSucheNahe(100, 100, 0), a);
    EXPECT_EQ(TzSucheNaheOhne(100, 100, 0, a), b);
    EXPECT_EQ(TzSucheNaheOhne(100, 100, 0, b), t);  // the list lasts
    EXPECT_EQ(TzSucheNahe(100, 100, 0), a);         // and is emptied here
    EXPECT_EQ(TzSucheNahe(100, 100, TZ_TEXT), t);
    EXPECT_EQ(TzSucheNahe(100, 100, 55), t);        // any text kind
    LayerSichtSetzen(1, 0);
    EXPECT_EQ(TzSucheNahe(100, 100, 0), -1);
    LayerSichtSetzen(1, 1);
    EXPECT_EQ(TzSucheMarkiert(100, 100, 0), -1);
    TzMarkSetzen(b, 1);
    EXPECT_EQ(TzSucheMarkiert(100, 100, 0), b);
}

TEST_F(Suche, PickGroups)
{
    int h = TzPickMerken(5);
    TzPickDazu(h, 7);
    TzPickDazu(h, 9);
    EXPECT_EQ(TzPickAnzahl(h), 3);
    EXPECT_EQ(TzPickHolen(h, 0), 5);
    EXPECT_EQ(TzPickHolen(h, 2), 9);
    EXPECT_TRUE(TzPickEnthalten(h, 9));
    EXPECT_FALSE(TzPickEnthalten(h, 8));
    int g = TzPickMerken(-1);
    EXPECT_EQ(TzPickAnzahl(g), 0);
    EXPECT_FALSE(TzPickEnthalten(g, 5));
    // The ring wraps after 1000 picks.
    for (int i = 0; i < TZPICKSUP; ++i) h = TzPickMerken(i);
    EXPECT_EQ(h, g);
    TzPickDazu(h, 4711);
    EXPECT_EQ(TzPickHolen(h, 1), 4711);
    EXPECT_TRUE(TzPickEnthalten(h, 4711));
}

TEST_F(Suche, PaintingSendsEveryFillInDrawingOrderBeforeTheRest)
{
    const int n = 1100;
    for (int i = 0; i < n; ++i) {
        // Fills alternate between two keys, so basket order is not drawing order.
        BEF k = tzRec(BEF_KRE, {1 + i * 0.001, 1}, nullptr, {1});
        STT s = tzStt(i % 2 ? 350 : 20, 20 + (i % 50));
        ASSERT_GE(TzEinfuegen(&k, &s), 0);
        if (i % 100 == 0) linie(30, 30, 1 + i, 0);
    }
    BEF offen = tzRec(BEF_KRE, {5, 5}, nullptr, {0});  // not filled
    STT s = tzStt(200, 200);
    TzEinfuegen(&offen, &s);
    int bearbeitet = text(40, 40, "in Arbeit");
    TzMarkSetzen(bearbeitet, 1);
    TzInBearbeitung(bearbeitet, 1);
    double alles[4] = {-100, -100, 500, 500};
    TzBereichZeichnen(alles);
    const auto& g = EdProtokollHolen().gemalt;
    ASSERT_EQ(g.size(), static_cast<size_t>(n + 11 + 1));
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(g[i].code, BEF_KRE) << i;
        ASSERT_DOUBLE_EQ(g[i].d0, 1 + i * 0.001) << i;
    }
    for (size_t i = n; i < g.size(); ++i) EXPECT_TRUE(g[i].code == TZ_ZL || g[i].d0 == 5) << i;
}

}  // namespace
