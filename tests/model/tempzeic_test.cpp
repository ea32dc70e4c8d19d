// The drawing store: texts inline and on the heap, placement in baskets,
// the order and its ids, replacing, name tables, swap files and their
// failures, the repaint accumulator.
#include "model/tempzeic.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "config/vorgaben.h"
#include "tests/model/tztest.h"
#include "tests/model/edprotokoll.h"

namespace {

struct Store : TzTest {};

TEST_F(Store, TextsOfTenCharactersStayInlineLongerOnesGoToTheHeap)
{
    struct Fall {
        const char* text;
        int heap;
    } faelle[] = {{"", 0}, {"0123456789", 0}, {"0123456789A", 1}, {nullptr, 1}};
    std::string lang(200, 'x');
    faelle[3].text = lang.c_str();
    for (const auto& f : faelle) {
        TzLeeren();
        int id = text(10, 10, f.text);
        ASSERT_EQ(id, 0) << f.text;
        EXPECT_EQ(TzHeapAnzahl(), f.heap) << f.text;
        BEF b;
        STT s;
        ASSERT_EQ(TzObjHolen(id, &b, &s), 0);
        EXPECT_STREQ(b.text, f.text);
        TzLoeschen(id);
        EXPECT_EQ(TzHeapAnzahl(), 0);
    }
}

TEST_F(Store, ManyLongTextsAreAllKept)
{
    std::vector<std::string> soll;
    for (int i = 0; i < 5000; ++i) {
        std::string t = "Text " + std::to_string(i) + std::string(40 - 5 - std::to_string(i).size(), '#');
        ASSERT_EQ(t.size(), 40u);
        ASSERT_GE(text(10 + i % 300, 10 + (i / 300) * 20, t.c_str()), 0);
        soll.push_back(t);
    }
    // Removing texts keeps the heap compact and the others intact.
    for (int id = 0; id < 5000; id += 7) TzLoeschen(id);
    for (int id = 0; id < 5000; ++id) {
        BEF b;
        STT s;
        if (id % 7 == 0) {
            EXPECT_NE(TzObjHolen(id, &b, &s), 0);
            continue;
        }
        ASSERT_EQ(TzObjHolen(id, &b, &s), 0);
        ASSERT_EQ(soll[id], b.text) << id;
    }
}

TEST_F(Store, PlacementFillsTheFirstBasketOfTheKeyThenTheFirstEmptyOne)
{
    int a = linie(350, 350, 5, 0);  // key 15 in basket 0
    std::vector<int> ids;
    for (int i = 0; i < 33; ++i) ids.push_back(linie(10, 10 + i, 5, 0));  // key 0
    int slot;
    EXPECT_EQ(TzKorbVon(a, &slot), 0);
    EXPECT_EQ(TzKorbSchluessel(0), 15);
    EXPECT_EQ(TzKorbVon(ids[0], &slot), 1);
    EXPECT_EQ(TzKorbVon(ids[31], &slot), 1);
    EXPECT_EQ(slot, 31);
    EXPECT_EQ(TzKorbVon(ids[32], &slot), 2);  // the 33rd opens the first empty basket
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(TzKorbAnzahl(1), 32);

    // A basket emptied by deletions takes the next object of any key.
    TzLoeschen(a);
    int b = linie(220, 10, 5, 0);  // key 2
    EXPECT_EQ(TzKorbVon(b, &slot), 0);
    EXPECT_EQ(TzKorbSchluessel(0), 2);

    // A slot freed inside a basket is refilled at the end, the others move up.
    TzLoeschen(ids[3]);
    EXPECT_EQ(TzKorbVon(ids[4], &slot), 1);
    EXPECT_EQ(slot, 3);
    int c = linie(10, 100 - 10, 5, 0);
    EXPECT_EQ(TzKorbVon(c, &slot), 1);
    EXPECT_EQ(slot, 31);
}

TEST_F(Store, SpatialKeysAndSharing)
{
    struct Fall {
        double box[4];
        int schluessel;
    } faelle[] = {
        {{10, 10, 20, 20}, 0},     {{350, 350, 360, 360}, 15}, {{10, 10, 150, 150}, 16},
        {{150, 150, 10, 150}, 16}, {{250, 10, 350, 150}, 17},  {{10, 250, 150, 350}, 18},
        {{250, 250, 350, 350}, 19}, {{150, 150, 250, 250}, 20}, {{10, 10, 350, 350}, 21},
        {{150, 10, 250, 10}, 21},
    };
    for (const auto& f : faelle) EXPECT_EQ(TzSchluessel(f.box), f.schluessel) << f.box[0] << " " << f.box[2];
    struct Teilen {
        int a, b, ja;
    } teilen[] = {{3, 3, 1}, {0, 16, 1}, {2, 16, 0}, {5, 20, 1}, {4, 20, 0}, {16, 20, 1}, {0, 21, 1}, {0, 1, 0}, {16, 17, 0}};
    for (const auto& t : teilen) {
        EXPECT_EQ(TzTeilen(t.a, t.b), t.ja) << t.a << " " << t.b;
        EXPECT_EQ(TzTeilen(t.b, t.a), t.ja) << t.a << " " << t.b;
    }
}

TEST_F(Store, OrderIdsAndTheirReuse)
{
    EXPECT_EQ(TzNaechstes(-1), TZENDE);
    EXPECT_EQ(TzVorheriges(TZENDE), -1);
    EXPECT_EQ(TzNaechstes(TZENDE), TZENDE);
    EXPECT_EQ(TzVorheriges(-1), -1);
    for (int i = 0; i < 4; ++i) ASSERT_EQ(linie(10, 10, 1 + i, 0), i);
    EXPECT_EQ(TzVorheriges(TZENDE), 3);
    TzLoeschen(1);
    EXPECT_EQ(TzNaechstes(0), 2);
    EXPECT_EQ(TzVorheriges(2), 0);
    EXPECT_FALSE(TzExistiert(1));
    EXPECT_EQ(linie(10, 10, 9, 0), 1);  // the free entry first
    EXPECT_EQ(TzVorheriges(TZENDE), 1);  // at the end of the order
    // Inserted before an id.
    BEF b = tzRec(TZ_ZL, {7, 0});
    STT s = tzStt(10, 10);
    EXPECT_EQ(TzEinfuegenVor(0, &b, &s), 4);
    EXPECT_EQ(TzNaechstes(-1), 4);
    EXPECT_EQ(TzNaechstes(4), 0);
    // Deleting the last object resets the order: the next insert gets 0.
    for (int id : {0, 2, 3, 1, 4}) TzLoeschen(id);
    EXPECT_EQ(TzAnzahl(), 0);
    EXPECT_EQ(TzNaechstes(-1), TZENDE);
    EXPECT_EQ(linie(10, 10, 1, 0), 0);
    EXPECT_EQ(TzAnzahl(), 1);
}

TEST_F(Store, ReplacingKeepsIdPlaceAndMarkEvenForTheOnlyObject)
{
    linie(10, 10, 1, 0);
    linie(20, 10, 1, 0);
    linie(30, 10, 1, 0);
    TzMarkSetzen(1, 1);
    BEF b = tzRec(TZ_ZL, {0, 50});
    STT s = tzStt(300, 300);
    ASSERT_EQ(TzErsetzen(1, &b, &s), 0);
    EXPECT_EQ(TzNaechstes(0), 1);
    EXPECT_EQ(TzNaechstes(1), 2);
    EXPECT_EQ(TzMarkHolen(1), 1);
    EXPECT_EQ(TzMarkAnzahl(), 1);
    EXPECT_EQ(SeqMarkAnzahl(), 1);
    BEF g;
    STT gs;
    ASSERT_EQ(TzObjHolen(1, &g, &gs), 0);
    EXPECT_EQ(g.darg[1], 50);
    EXPECT_EQ(gs.x, 300);

    // The only remaining object, with an id above 0, keeps its id.
    TzLoeschen(0);
    TzLoeschen(2);
    ASSERT_EQ(TzAnzahl(), 1);
    b.darg[1] = 60;
    ASSERT_EQ(TzErsetzen(1, &b, &s), 0);
    EXPECT_TRUE(TzExistiert(1));
    EXPECT_EQ(TzAnzahl(), 1);
    EXPECT_EQ(TzNaechstes(-1), 1);
    EXPECT_EQ(TzMarkAnzahl(), 1);
    ASSERT_EQ(TzObjHolen(1, &g, &gs), 0);
    EXPECT_EQ(g.darg[1], 60);
}

TEST_F(Store, MarksEditValuesAndStamps)
{
    linie(10, 10, 1, 0);
    TzInBearbeitung(0, 5);  // ignored: not marked
    EXPECT_EQ(TzBearbeitungHolen(0), 0);
    TzMarkSetzen(0, 1);
    TzInBearbeitung(0, 5);
    EXPECT_EQ(TzBearbeitungHolen(0), 5);
    TzMarkSetzen(0, 2);  // any mark but 1 clears the edit value
    EXPECT_EQ(TzBearbeitungHolen(0), 0);
    EXPECT_EQ(TzMarkAnzahl(), 0);
    BefGruppeSchliessen();
    TzMarkSetzen(0, 1);
    EXPECT_EQ(TzStempel(0), BefGeneration());
    EXPECT_EQ(TzStempel(7), 0);
    EXPECT_FALSE(TzExistiert(-1));
}

TEST_F(Store, NameTablesGrowTo254AndThenRefuseTheInsert)
{
    for (int i = 0; i < TZNAMENSUP; ++i) {
        BEF b = tzRec(TZ_ZL, {1, 0});
        STT s = tzStt(10, 10);
        snprintf(s.td, sizeof s.td, "NORM%d", i);
        ASSERT_EQ(TzEinfuegen(&b, &s), i);
        STT g;
        ASSERT_EQ(TzObjHolen(i, &b, &g), 0);
        ASSERT_STREQ(g.td, s.td);
    }
    BEF b = tzRec(TZ_ZL, {1, 0});
    STT s = tzStt(10, 10);
    snprintf(s.td, sizeof s.td, "NEU");
    EdProtokollHolen().status.clear();
    EXPECT_EQ(TzEinfuegen(&b, &s), -1);
    EXPECT_EQ(TzAnzahl(), TZNAMENSUP);
    EXPECT_EQ(EdProtokollHolen().status.size(), 1u);
    EXPECT_EQ(UndoAnzahl(), TZNAMENSUP);  // the refused insert left no record
}

TEST_F(Store, ObjectsKeepTheirNamesWhenNamesAlternateAndReturn)
{
    const std::vector<std::pair<const char*, const char*>> namen = {
        {"A", "N1"}, {"A", "N1"}, {"B", "N1"}, {"A", "N2"}, {"", "N2"}, {"B", ""}, {"C", "N1"}, {"A", "N3"}};
    for (int runde = 0; runde < 2; ++runde) {
        SCOPED_TRACE(runde);
        for (size_t i = 0; i < namen.size(); ++i) {
            BEF b = tzRec(TZ_ZL, {1, 0});
            STT s = tzStt(10, 10);
            snprintf(s.bd, sizeof s.bd, "%s", namen[i].first);
            snprintf(s.td, sizeof s.td, "%s", namen[i].second);
            ASSERT_EQ(TzEinfuegen(&b, &s), static_cast<int>(i));
        }
        for (size_t i = 0; i < namen.size(); ++i) {
            BEF b;
            STT g;
            ASSERT_EQ(TzObjHolen(static_cast<int>(i), &b, &g), 0);
            EXPECT_STREQ(g.bd, namen[i].first) << i;
            EXPECT_STREQ(g.td, namen[i].second) << i;
        }
        // Emptied, the tables start again from the first name.
        TzLeeren();
    }
}

// (basket, slot, id) of every object after a fixed sequence of changes.
std::vector<std::tuple<int, int, int>> ablauf(TzTest& t)
{
    for (int i = 0; i < 34000; ++i) t.linie(10 + (i % 7) * 50, 10 + (i % 11) * 30, 1 + i % 3, 0);
    for (int id = 0; id < 34000; id += 5) TzLoeschen(id);
    for (int i = 0; i < 3000; ++i) t.linie(380, 380, 1, 1);
    std::vector<std::tuple<int, int, int>> v;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        int slot;
        int korb = TzKorbVon(id, &slot);
        BEF b;
        STT s;
        EXPECT_EQ(TzObjHolen(id, &b, &s), 0);
        v.emplace_back(korb, slot, id);
    }
    return v;
}

// A defaults set of its own holding "EdZeiKoerbe" (empty: the default),
// chosen for the store's next start; the set without it after the test.
struct KoerbeSet {
    std::string pfad = (std::filesystem::temp_directory_path() / ("koerbe" + std::to_string(getpid()) + ".vgb")).string();
    explicit KoerbeSet(const std::string& wert)
    {
        std::ofstream(pfad, std::ios::binary | std::ios::trunc)
            << ";Test\r\nName            Koerbe\r\nEdZeiKoerbe     " << wert << "\r\n";
        VgbFehlMeldung(0);
        VgbSetSetzen("Koerbe", pfad.c_str());
    }
    ~KoerbeSet()
    {
        std::ofstream(pfad, std::ios::binary | std::ios::trunc) << ";Test\r\nName            Koerbe\r\n";
        VgbSetSetzen("Koerbe", pfad.c_str());
        VgbFehlMeldung(1);
        std::filesystem::remove(pfad);
    }
};

// The resident basket count comes from the defaults set: with every
// basket resident a large drawing never touches the swap file; with a few
// it does, and the placement stays the same whatever the count or "ZeiRAM".
TEST_F(Store, TheResidentBasketCountOfTheDefaultsSetIsHonoured)
{
    std::vector<std::tuple<int, int, int>> standard;
    {
        KoerbeSet set("");
        starten(1);
        EXPECT_EQ(TzKoerbeImSpeicher(), KOKOSUP);
        const long vorher = TzAuslagerungen();
        standard = ablauf(*this);
        EXPECT_EQ(TzAuslagerungen(), vorher);
        int korbMax = 0;
        for (auto& e : standard) korbMax = std::max(korbMax, std::get<0>(e));
        EXPECT_GT(korbMax, TZCACHESUP);
    }
    for (const char* wert : {"2", "1000", "0", "99999"}) {
        SCOPED_TRACE(wert);
        KoerbeSet set(wert);
        starten(1);
        const int erwartet = std::atoi(wert) == 2 ? 2 : std::atoi(wert) == 1000 ? 1000 : KOKOSUP;
        EXPECT_EQ(TzKoerbeImSpeicher(), erwartet);
        const long vorher = TzAuslagerungen();
        EXPECT_EQ(ablauf(*this), standard);
        if (erwartet < KOKOSUP) EXPECT_GT(TzAuslagerungen(), vorher);
        else EXPECT_EQ(TzAuslagerungen(), vorher);
    }
    starten(0);
    EXPECT_EQ(TzKoerbeImSpeicher(), 0);
    EXPECT_EQ(ablauf(*this), standard);
}

TEST_F(Store, SwapFileFailuresAreReportedAndKeepTheBasket)
{
    starten(0);  // every basket in the swap file
    int a = linie(10, 10, 1, 0);
    ASSERT_EQ(a, 0);
    {
        PlFehlerScope f;
        plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
        EdProtokollHolen().status.clear();
        EXPECT_EQ(linie(350, 350, 1, 0), -1);  // needs another basket: write-back fails
        EXPECT_EQ(EdProtokollHolen().status.size(), 1u);
        EXPECT_EQ(UndoAnzahl(), 1);
    }
    BEF b;
    STT s;
    EXPECT_EQ(TzObjHolen(a, &b, &s), 0);  // the basket stayed in memory
    EXPECT_EQ(b.darg[0], 1);
    ASSERT_EQ(linie(350, 350, 1, 0), 1);  // now written back
    {
        PlFehlerScope f;
        plFehlerSetzen(PlFehlerArt::Lesen, 1, true);
        EXPECT_EQ(TzObjHolen(a, &b, &s), -1);  // a failed read hands out no basket
    }
    EXPECT_EQ(TzObjHolen(a, &b, &s), 0);
    EXPECT_EQ(b.darg[0], 1);
}

TEST_F(Store, RepaintAccumulator)
{
    double b1[4] = {0, 0, 10, 10}, b2[4] = {20, 20, 30, 30};
    int id;
    double box[4];
    // Ids are handed out last first, then idle.
    TzZeichnenMerken(1, b1);
    TzZeichnenMerken(2, b2);
    EXPECT_EQ(TzZeichnenHolen(&id, box), 1);
    EXPECT_EQ(id, 2);
    EXPECT_EQ(TzZeichnenHolen(&id, box), 1);
    EXPECT_EQ(id, 1);
    EXPECT_EQ(TzZeichnenHolen(&id, box), 0);
    // An old place in state 1 switches to the box that covers it.
    TzZeichnenMerken(1, b1);
    TzZeichnenMerken(-1, b2);
    EXPECT_EQ(TzZeichnenHolen(&id, box), 2);
    EXPECT_EQ(std::vector<double>(box, box + 4), (std::vector<double>{0, 0, 30, 30}));
    // More than 10 ids become the box.
    for (int i = 0; i < 11; ++i) TzZeichnenMerken(i, b1);
    EXPECT_EQ(TzZeichnenHolen(&id, box), 2);
    TzZeichnenAlles();
    TzZeichnenMerken(1, b1);
    EXPECT_TRUE(TzZeichnenOffen());
    EXPECT_EQ(TzZeichnenHolen(&id, box), 3);
    EXPECT_FALSE(TzZeichnenOffen());
}

TEST_F(Store, ChangedFlagAndClearing)
{
    EXPECT_FALSE(TzIstGeaendert());
    linie(10, 10, 1, 0);
    EXPECT_TRUE(TzIstGeaendert());
    EXPECT_EQ(TzGeaendertReset(), 1);
    EXPECT_FALSE(TzIstGeaendert());
    linie(10, 10, 1, 0);
    EXPECT_EQ(TzLeeren(), 1);
    EXPECT_EQ(TzAnzahl(), 0);
    EXPECT_EQ(UndoAnzahl(), 0);
    EXPECT_EQ(linie(10, 10, 1, 0), 0);
}

TEST_F(Store, SwapFilesLeaveNoNameBehind)
{
    // Both swap files are unlinked as soon as they are open.
    int offen = 0;
    for (auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        auto ziel = std::filesystem::read_symlink(e.path(), ec);
        if (!ec && ziel.string().find("(deleted)") != std::string::npos &&
            (ziel.filename().string().rfind("tzk", 0) == 0 || ziel.filename().string().rfind("tzs", 0) == 0))
            ++offen;
    }
    EXPECT_EQ(offen, 2);
}

}  // namespace
