// Component entries: counted instances, moving and freeing placements, the
// sort order, entries from a definition, a full list, the position match
// and the drawing key logged at every save.
#include <cstring>

#include "bmtest.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/nhuliste.h"

using namespace bmtest;

namespace {

struct Btl : BmTest {
    void SetUp() override
    {
        BmTest::SetUp();
        BMStart();
    }
    // An unplaced counted entry of item id.
    void gezaehlt(uint32_t id, const char* cd, int anzahl, const char* bl = "KON")
    {
        appbteil b{};
        b.id = id;
        std::strcpy(b.cd, cd);
        std::strcpy(b.bl, bl);
        b.nr = anzahl;
        ASSERT_EQ(BtlEintragAnhaengen(&b), 0);
    }
};

std::vector<appbteil> alle()
{
    std::vector<appbteil> v;
    BtlDurchlaufen(0, [](const appbteil* b, void* u) { static_cast<std::vector<appbteil>*>(u)->push_back(*b); }, &v);
    return v;
}

TEST(BtlCodes, LetterCodesAndKindPredicates)
{
    const struct {
        const char* code;
        int nr;
    } faelle[] = {{"a", 0}, {"z", 25}, {"aa", 26}, {"az", 51}, {"ba", 52}, {"zz", 701}};
    for (const auto& f : faelle) {
        EXPECT_EQ(BtlBuchstabenNr(f.code), f.nr) << f.code;
        char t[4];
        BtlBuchstabenCode(t, sizeof t, f.nr);
        EXPECT_STREQ(t, f.code);
    }
    char eng[2];
    BtlBuchstabenCode(eng, sizeof eng, 27);  // cut to the capacity
    EXPECT_STREQ(eng, "a");
    EXPECT_TRUE(BtlIstHaupt("H"));
    EXPECT_FALSE(BtlIstHaupt("U"));
    for (const char* u : {"U", "Uab", "a", "zz"}) EXPECT_TRUE(NhuIstUnter(u)) << u;
    for (const char* n : {"H", "D", "P", "", "A"}) EXPECT_FALSE(NhuIstUnter(n)) << n;
}

TEST_F(Btl, CountedEntrySplitsIntoInstancesAndMergesBack)
{
    gezaehlt(1, "Ua", 3);
    EXPECT_EQ(BtlPlatzieren(1, "Ua", "Z.001", 10, 10), 1);
    EXPECT_EQ(BtlPlatzieren(1, "Ua", "Z.001", 20, 10), 2);
    EXPECT_EQ(BtlPlatzieren(1, "Ua", "Z.001", 30, 10), 3);
    appbteil b;
    EXPECT_EQ(BtlFreieSuchen(1, "Ua", -1, "", &b), 0);  // the last became instance 3 itself
    EXPECT_EQ(BtlAnzahl(), 3);

    EXPECT_EQ(BtlPlatzFreigeben("KON", "Z.001", 20.5, 10.2, &b), 1);
    EXPECT_EQ(b.nr, 2);
    ASSERT_EQ(BtlFreieSuchen(1, "Ua", -1, "", &b), 1);
    EXPECT_EQ(b.nr, 1);  // count 1
    EXPECT_EQ(BtlPlatzieren(1, "Ua", "Z.001", 40, 10), 4);  // largest placed + 1
    EXPECT_EQ(BtlFreieSuchen(1, "Ua", -1, "", &b), 0);

    // Freeing instance 4 with no counted entry left turns it into one.
    EXPECT_EQ(BtlPlatzFreigeben("KON", "Z.001", 40, 10, &b), 1);
    ASSERT_EQ(BtlFreieSuchen(1, "Ua", -1, "", &b), 1);
    EXPECT_EQ(b.nr, 1);
    EXPECT_STREQ(b.ze, "");
    EXPECT_EQ(BtlAnzahl(), 3);
}

TEST_F(Btl, FreeingTheLastPlacementOfAnItemGivesTwo)
{
    gezaehlt(1, "Ua", 2);
    BtlPlatzieren(1, "Ua", "Z.001", 10, 10);
    BtlPlatzieren(1, "Ua", "Z.001", 20, 10);
    appbteil b;
    EXPECT_EQ(BtlPlatzFreigeben("KON", "Z.001", 10, 10, &b), 1);
    EXPECT_EQ(BtlPlatzFreigeben("KON", "Z.001", 20, 10, &b), 2);
    EXPECT_EQ(BtlPlatzFreigeben("KON", "Z.001", 20, 10, &b), 0);
    EXPECT_EQ(BtlPlatziertAnzahl(1), 0);
}

TEST_F(Btl, TwoSymbolsAtOneSpotMoveTwoEntriesInOneCommand)
{
    gezaehlt(1, "Ua", 2);
    BtlPlatzieren(1, "Ua", "Z.001", 10, 10);
    BtlPlatzieren(1, "Ua", "Z.001", 10, 10);
    appbteil a, b;
    EXPECT_EQ(BtlPlatzVerschieben(11, "KON", "Z.001", 10, 10, 50, 50, &a), 1);
    EXPECT_EQ(BtlPlatzVerschieben(12, "KON", "Z.001", 10, 10, 50, 50, &b), 1);
    EXPECT_NE(a.nr, b.nr);
    EXPECT_EQ(BtlPlatzVerschieben(13, "KON", "Z.001", 10, 10, 50, 50, &b), -1);
    BMBefehlEnde();
    for (const auto& e : alle()) {
        EXPECT_EQ(e.platziert, 1);
        EXPECT_DOUBLE_EQ(e.x, 50);
    }
}

TEST_F(Btl, PositionMatch)
{
    gezaehlt(1, "Ua", 1, "KON");
    BtlPlatzieren(1, "Ua", "Plan.Abc", 10, 10);
    const struct {
        const char* bl;
        const char* zeichnung;
        double x, y;
        uint32_t id;
    } faelle[] = {
        {"KON", "X.aBC", 10.9, 9.1, 1},  // key ignoring case, within 1
        {"kon", "X.ABC", 10, 10, 0},     // name exact
        {"KON", "X.ABC", 11, 10, 0},     // |dx| < 1 strictly
        {"KON", "X.ABD", 10, 10, 0},
    };
    for (const auto& f : faelle) EXPECT_EQ(BtlAnPositionId(f.bl, f.zeichnung, f.x, f.y), f.id) << f.bl << f.x;
}

TEST_F(Btl, SortOrder)
{
    const struct {
        uint32_t id;
        const char* cd;
        int nr, platziert;
        const char* ze;
        double x, y;
    } eintraege[] = {
        {2, "H", 0, 1, "001", 0, 0},     {1, "P", 0, 0, "", 0, 0},       {1, "Ua", 1, 0, "", 0, 0},
        {1, "D", 0, 0, "", 0, 0},        {1, "U", 2, 1, "010", 5, 5},    {1, "U", 1, 1, "002", 5, 5},
        {1, "U", 3, 1, "002", 5, 9},     {1, "U", 4, 2, "099", 0, 0},    {1, "H", 0, 1, "001", 0, 0},
        {1, "Ub", 1, 0, "", 0, 0},       {1, "U", 5, 0, "", 0, 0},
    };
    for (const auto& e : eintraege) {
        appbteil b{};
        b.id = e.id;
        std::strcpy(b.cd, e.cd);
        b.nr = e.nr;
        b.platziert = e.platziert;
        std::strcpy(b.ze, e.ze);
        b.x = e.x;
        b.y = e.y;
        ASSERT_EQ(BtlEintragAnhaengen(&b), 0);
    }
    BtlSortieren();
    std::vector<std::string> folge;
    for (const auto& b : alle()) folge.push_back(std::to_string(b.id) + b.cd + std::to_string(b.nr));
    // H; U by mark 2, 1, 0, placed ones by drawing (natural order), x, then
    // y downwards; D; then P and the letter codes by letter index, number.
    EXPECT_EQ(folge, (std::vector<std::string>{"1H0", "1U4", "1U3", "1U1", "1U2", "1U5", "1D0", "1P0", "1Ua1",
                                               "1Ub1", "2H0"}));
    EXPECT_LT(BtlVergleich(&alle()[3], &alle()[1]), 0);  // the dialogs' order: mark ascending
}

TEST_F(Btl, EntriesFromADefinition)
{
    std::string zeile = "Ua\xc4 ~M1~T~3~kb";  // "UaÄ" in code page 1252
    for (int f = 6; f <= 47; ++f) zeile += "~ f" + std::to_string(f) + " ";
    PhDefinition d;
    d.bauteil = "MOT";
    d.typ = "Motor";
    d.kurz = "Kurz";
    d.unter = {zeile, "UB ~X~Y~1~z", "Ub ~N~T2~0~"};
    PhDefinitionenSetzen({d});
    ASSERT_EQ(BtlHauptAnlegen(7, 0, "Plan.001", 5, 6, "DIS", " "), 0);
    const auto v = alle();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_STREQ(v[0].cd, "H");
    EXPECT_STREQ(v[0].bl, "MOT");
    EXPECT_STREQ(v[0].kb, "Kurz");
    EXPECT_STREQ(v[0].ze, "001");
    EXPECT_STREQ(v[1].cd, "D");
    EXPECT_STREQ(v[1].bl, "DIS");
    EXPECT_STREQ(v[1].tt, "Motor");
    EXPECT_STREQ(v[2].cd, "Ua\xe4");
    EXPECT_STREQ(v[2].bl, "M1");
    EXPECT_STREQ(v[2].tt, "T");
    EXPECT_EQ(v[2].nr, 3);
    EXPECT_STREQ(v[2].kb, "kb");
    EXPECT_EQ(v[2].platziert, 0);
    EXPECT_STREQ(v[3].cd, "Ub");
    // Text lines 0..4 from fields 6..10, 5..39 from 13..47, trimmed.
    std::vector<std::string> erwartet, texte;
    for (int z = 0; z < 40; ++z) erwartet.push_back(std::to_string(z) + " f" + std::to_string(z < 5 ? 6 + z : 8 + z));
    GtxDurchlaufen(7, "Ua\xe4", 0, 0, [](const appgtext* t, void* p) {
        static_cast<std::vector<std::string>*>(p)->push_back(std::to_string(t->zeile) + " " + t->text);
    }, &texte);
    EXPECT_EQ(texte, erwartet);
}

TEST_F(Btl, FullListRefusesASplitUnchangedAndEndsCreationSilently)
{
    gezaehlt(1, "Ua", 2);
    for (int i = 1; i < BTLSUP - 1; ++i) gezaehlt(100, "Ub", 1);
    ASSERT_EQ(BtlAnzahl(), BTLSUP - 1);
    EXPECT_EQ(BtlPlatzieren(1, "Ua", "Z.001", 1, 1), -1);
    appbteil b;
    ASSERT_EQ(BtlFreieSuchen(1, "Ua", -1, "", &b), 1);
    EXPECT_EQ(b.nr, 2);
    EXPECT_EQ(BtlAnzahl(), BTLSUP - 1);
    // A count of 1 needs no room: the entry itself becomes the instance.
    EXPECT_EQ(BtlPlatzieren(100, "Ub", "Z.001", 1, 1), 1);
    PhDefinition d;
    d.unter = {"Ua ~A~B~1"};
    PhDefinitionenSetzen({d});
    EXPECT_EQ(BtlHauptAnlegen(2, 0, "Z.001", 1, 1, "D1", ""), 0);
    EXPECT_EQ(BtlAnzahl(), BTLSUP - 1);
}

TEST_F(Btl, LongDrawingKeyIsWrittenWholeAndLoggedAtEverySave)
{
    BtlHauptAnlegen(1, 0, "Plan.ABCDEFGHIJKLMNO", 1, 2, "", "");
    ASSERT_EQ(BMDateiSchreiben(), 0);
    ASSERT_EQ(BMDateiSchreiben(), 0);
    EXPECT_NE(lesen(pfad("BMittel.zvk")).find("\x1c" "ABCDEFGHIJKLMNO\n"), std::string::npos);
    const std::string block = "B 0001 0\n  cd 1 H                   \n  tt 0                     \n"
                              "  bl 0                     \n  kb 0                     \n"
                              "  bs 0                     \n  ze 15 ABCDEFGHIJKLMNO     \n";
    EXPECT_EQ(lesen(pfad("fehler.txt")), block + block);
}

TEST_F(Btl, CopyingAnItemPlacesItsMainComponentAndLeavesTheRestUnplaced)
{
    PhDefinition d;
    d.bauteil = "MOT";
    d.typ = "Motor";
    d.unter = {"Ua ~KON~Kontakt~2~k"};
    PhDefinitionenSetzen({d});
    BtlHauptAnlegen(1, 0, "Z.001", 10, 20, "", "");
    BtlPlatzieren(1, "Ua", "Z.001", 30, 20);
    ASSERT_EQ(BtlHauptKopieren(2, 1, "Z.002", 5, 6, "DIS", ""), 0);
    std::vector<std::string> zwei;
    BtlDurchlaufen(
        2,
        [](const appbteil* b, void* u) {
            static_cast<std::vector<std::string>*>(u)->push_back(std::string(b->cd) + std::to_string(b->nr) + "/" +
                                                                 std::to_string(b->platziert) + "/" + b->ze + "/" +
                                                                 b->tt);
        },
        &zwei);
    EXPECT_EQ(zwei, (std::vector<std::string>{"H0/1/002/Motor", "D0/0//Motor", "Ua1/0//Kontakt", "Ua1/0//Kontakt"}));
}

TEST_F(Btl, UndoSnapshotRestoresTheListAndMarksItChanged)
{
    gezaehlt(1, "Ua", 2);
    BtlPlatzieren(1, "Ua", "Z.001", 10, 10);
    std::vector<char> puffer(static_cast<size_t>(BtlPacken(nullptr)));
    BtlPacken(puffer.data());
    const auto vorher = alle();
    BtlEintraegeLoeschen(1);
    ASSERT_EQ(BtlAnzahl(), 0);
    BMDateiSchreiben();  // clears the marks
    ASSERT_EQ(BtlGeaendert(), 0);
    BtlEntpacken(puffer.data());
    const auto nachher = alle();
    ASSERT_EQ(nachher.size(), vorher.size());
    EXPECT_EQ(std::memcmp(nachher.data(), vorher.data(), sizeof(appbteil) * vorher.size()), 0);
    EXPECT_EQ(BtlGeaendert(), 1);
    appbteil b;
    ASSERT_EQ(BtlSuchen(1, "Ua", 1, &b), 1);  // the id index follows the restore
    EXPECT_DOUBLE_EQ(b.x, 10);
}

TEST_F(Btl, RemovingADrawingUnplacesAndMergesItsEntries)
{
    gezaehlt(1, "Ua", 2);
    BtlHauptAnlegen(1, 0, "Z.001", 1, 1, "", "");
    BtlPlatzieren(1, "Ua", "Z.001", 10, 10);
    BtlPlatzieren(1, "Ua", "Z.002", 10, 10);
    BtlZeichnungEntfernen("Z.001");
    appbteil b;
    ASSERT_EQ(BtlFreieSuchen(1, "Ua", -1, "", &b), 1);
    EXPECT_EQ(b.nr, 1);
    ASSERT_EQ(BtlSuchen(1, "H", 0, &b), 1);
    EXPECT_EQ(b.platziert, 0);
    EXPECT_EQ(BtlPlatziertAnzahl(1), 1);
}

// A cross reference names where a part is placed, shows "-" for a part
// not placed and nothing for one that does not exist.
TEST_F(Btl, CrossReferencesOfPlacedUnplacedAndMissingParts)
{
    PhDefinition d;
    d.bauteil = "MOT";
    d.typ = "Motor";
    PhDefinitionenSetzen({d});
    BtlHauptAnlegen(1, 0, "Z.001", 10, 20, "", "");
    ASSERT_EQ(BtlHauptKopieren(2, 1, "Z.002", 5, 6, "DIS", ""), 0);
    struct Fall {
        const char* code;
        uint32_t id;
        const char* verweis;
        const char* seite;
        const char* spalte;
    };
    const Fall faelle[] = {
        {"H", 2, "2-0", "2", "0"},  // drawing 2, column 0
        {"D", 2, "-", "-", "-"},
        {"H", 3, "", "", ""},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.code) + std::to_string(f.id));
        char t[40] = "x";
        HulVerweisText(t, sizeof t, f.id, f.code, 0);
        EXPECT_STREQ(t, f.verweis);
        HulSeitenText(t, sizeof t, f.id, f.code, 0, 1);
        EXPECT_STREQ(t, f.seite);
        HulSeitenText(t, sizeof t, f.id, f.code, 0, 0);
        EXPECT_STREQ(t, f.spalte);
    }
}

}  // namespace
