// Equipment items: ids, the capacity, inserting in id order, the nearest
// item and removing unused items.
#include <cstdio>
#include <cstring>

#include "bmtest.h"
#include "equipment/btl.h"
#include "equipment/ges.h"

using namespace bmtest;

namespace {

struct Ges : BmTest {
    void SetUp() override
    {
        BmTest::SetUp();
        PhDefinition d;
        d.bauteil = "MOT";
        d.typ = "Motor";
        d.kenn1 = "-M";
        d.kenn2 = "=M";
        d.kurz = "Mot";
        d.zahl1 = 4;
        d.zahl2 = 9;
        PhDefinitionenSetzen({d});
        BMStart();
    }
};

std::vector<uint32_t> ids()
{
    std::vector<uint32_t> v;
    GesDurchlaufen([](const appgeraet* g, void* u) { static_cast<std::vector<uint32_t>*>(u)->push_back(g->id); }, &v);
    return v;
}

TEST_F(Ges, NewIdsFollowTheLastItem)
{
    struct Fall {
        const char* fall;
        std::vector<uint32_t> loeschen;
        uint32_t neu;
    } faelle[] = {
        {"empty list", {}, 4},
        {"last deleted: its id returns", {3}, 3},
        {"middle deleted: not reused", {2}, 4},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        BMListenVerwerfen();
        for (uint32_t i = 1; i <= 3; ++i) ASSERT_EQ(GesAnlegen(0, "t"), i);
        for (uint32_t id : f.loeschen) GesLoeschen(id);
        EXPECT_EQ(GesAnlegen(0, "t"), f.neu);
    }
    appgeraet g;
    ASSERT_EQ(GesHolen(1, &g), 0);
    EXPECT_EQ(g.n1, 4);
    EXPECT_EQ(g.n2, 9);
    EXPECT_STREQ(g.tt, "Motor");
    // The definition's letters numbered past the highest number they carry.
    EXPECT_STREQ(g.kg, "-M1");
    EXPECT_STREQ(g.kz, "=M1");
    EXPECT_STREQ(g.lt, "t");
    ASSERT_EQ(GesHolen(4, &g), 0);
    EXPECT_STREQ(g.kg, "-M4");
    std::snprintf(g.ft, sizeof g.ft, "-m12");
    ASSERT_EQ(GesAendern(4, &g), 0);
    ASSERT_EQ(GesHolen(GesAnlegen(0, "t"), &g), 0);
    EXPECT_STREQ(g.kg, "-M13") << "an identifier given as text counts, in any case";
}

TEST_F(Ges, TheTenThousandthItemIsRefused)
{
    for (int i = 1; i <= 9999; ++i) ASSERT_EQ(GesAnlegen(0, ""), static_cast<uint32_t>(i));
    EXPECT_EQ(GesAnlegen(0, ""), 0u);
    EXPECT_EQ(GesKopieren(1, ""), 0u);
    appgeraet g{};
    g.id = 20000;
    EXPECT_EQ(GesEinfuegen(&g), -1);
    EXPECT_EQ(GesAnzahl(), 9999);
}

TEST_F(Ges, InsertKeepsIdOrderAndRefusesPresentIds)
{
    appgeraet g{};
    for (uint32_t id : {1u, 2u, 5u}) {
        g.id = id;
        ASSERT_EQ(GesEinfuegen(&g), 0);
    }
    g.id = 3;
    std::strcpy(g.lt, "drei");
    ASSERT_EQ(GesEinfuegen(&g), 0);
    EXPECT_EQ(ids(), (std::vector<uint32_t>{1, 2, 3, 5}));
    appgeraet h;
    ASSERT_EQ(GesHolen(3, &h), 0);
    EXPECT_STREQ(h.lt, "drei");
    g.id = 2;
    EXPECT_EQ(GesEinfuegen(&g), -1);
    EXPECT_EQ(GesAnlegen(0, ""), 6u);
}

TEST_F(Ges, ItemsReadOutOfIdOrderAreFoundAndWrittenInOrder)
{
    BMZuruecksetzen();
    schreiben(pfad("BMittel.zvk"), "zvkA\n)S Ges\n0005\x1c" "0\x1c" "F\n0002\x1c" "0\x1cZ\n)S Btl\n)S Gtx\n)S Ztx\n)S Wse\n)S Vgb\n)E\n");
    BMStart();
    appgeraet g;
    ASSERT_EQ(GesHolen(2, &g), 0);
    EXPECT_STREQ(g.tt, "Z");
    EXPECT_EQ(ids(), (std::vector<uint32_t>{2, 5}));
}

TEST_F(Ges, NearestItemOnTheDrawing)
{
    // Items 1..4: main components on "001" at (10,10), (12,10), (10,12) and
    // on "ABC" at (10,10).
    const struct {
        const char* zeichnung;
        double x, y;
    } orte[] = {{"Z.001", 10, 10}, {"Z.001", 12, 10}, {"Z.001", 10, 12}, {"Z.ABC", 10, 10}};
    for (const auto& o : orte) {
        const uint32_t id = GesAnlegen(0, "");
        ASSERT_EQ(BtlHauptAnlegen(id, 0, o.zeichnung, o.x, o.y, "", ""), 0);
    }
    const struct {
        uint32_t ohne;
        const char* schluessel;
        double x, y, toleranz;
        uint32_t id;
    } faelle[] = {
        {0, "001", 11, 10, 5, 1},   // 1 and 2 equally near: the earlier wins
        {1, "001", 11, 10, 5, 2},   // 1 skipped
        {0, "001", 10, 11.5, 5, 3},
        {0, "abc", 10, 10, 5, 0},   // the key's case counts
        {0, "ABC", 10, 10, 5, 4},
        {0, "001", 20, 20, 1, 0},   // outside the tolerance
    };
    for (const auto& f : faelle) EXPECT_EQ(GesNaechstesSuchen(f.ohne, f.schluessel, f.x, f.y, f.toleranz), f.id);
}

TEST_F(Ges, UnusedItemsAreCountedAndRemovedWithTheirEntries)
{
    const uint32_t a = GesAnlegen(0, ""), b = GesAnlegen(0, ""), c = GesAnlegen(0, "");
    BtlHauptAnlegen(a, 0, "Z.001", 1, 1, "", "");
    BtlZusatzAnlegen(b, "Typ", "D", "DISPO");
    BtlZusatzAnlegen(c, "Typ", "D", "DISPO");
    EXPECT_EQ(GesUnbenutzteEntfernen(0), 2);
    EXPECT_EQ(ids(), (std::vector<uint32_t>{a, b, c}));
    GtxHauptTextNeu(b, 1, "b");
    GtxHauptTextNeu(c, 1, "c");
    ZtxAnfuegen(b, "H", 0, "5");
    EXPECT_EQ(GesUnbenutzteEntfernen(1), 2);
    EXPECT_EQ(ids(), (std::vector<uint32_t>{a}));
    EXPECT_EQ(BtlAnzahl(), 1);
    // The removed items' texts go with them.
    EXPECT_EQ(GtxAnzahl(b, "H", 0) + GtxAnzahl(c, "H", 0), 0);
    EXPECT_EQ(ZtxNaechsteNummer(b), 1);
}

}  // namespace
