// Articles, parts lists, placeholders and the stock lookup.
#include <algorithm>
#include <cstring>
#include <random>

#include "equipment/lagerart.h"
#include "equipment/nartikel.h"
#include "tests/equipment/bmtest.h"

using namespace bmtest;

namespace {

struct Artikel : BmTest {
    void SetUp() override
    {
        BmTest::SetUp();
        LagerInit();
    }
    void TearDown() override
    {
        LagerFrei();
        BmTest::TearDown();
    }
};

const std::string S = "\x1c";

std::string artikelDatei(const std::vector<std::string>& artikel)
{
    std::string t = "zvkL\n)S Art\n";
    for (const std::string& a : artikel) t += a + S + "Text " + a + "\n";
    return t + ")S Stl\nS1" + S + "A1" + S + "A2\n)E\n";
}

TEST_F(Artikel, SamePathInOtherCaseIsNotReadAgain)
{
    schreiben(pfad("art.zvk"), artikelDatei({"A2", "A1"}));
    ASSERT_EQ(ArtDateiLesen(pfad("art.zvk").c_str()), 0);
    EXPECT_EQ(ArtAnzahl(), 2);
    artikel a;
    ASSERT_TRUE(ArtSuchen("A1", &a));
    EXPECT_STREQ(a.text[0], "Text A1");
    EXPECT_FALSE(ArtSuchen("A3", &a));
    EXPECT_STREQ(a.nr, "A3");
    stueckliste s;
    ASSERT_TRUE(StlSuchen("S1", &s));
    EXPECT_STREQ(s.art[1], "A2");
    schreiben(pfad("art.zvk"), artikelDatei({"A1", "A2", "A3"}));
    EXPECT_EQ(ArtDateiLesen(pfad("ART.ZVK").c_str()), 0);
    EXPECT_EQ(ArtAnzahl(), 2);
    // Written back: every parts-list field is written.
    ASSERT_EQ(ArtDateiSchreiben(), 0);
    const std::string t = lesen(pfad("art.zvk"));
    const std::string stl = t.substr(t.find(")S Stl\n") + 7);
    EXPECT_EQ(std::count(stl.begin(), stl.end(), '\x1c'), 50);
    EXPECT_EQ(t.substr(0, 12), "zvkL\n)S Art\n");
}

TEST_F(Artikel, FailedReadOfAnotherFileLeavesItUntouched)
{
    const std::string fremd = "Dies ist keine Artikeldatei\nzweite Zeile\n";
    schreiben(pfad("fremd.txt"), fremd);
    EXPECT_EQ(ArtDateiLesen(pfad("fremd.txt").c_str()), -1);
    EXPECT_EQ(ArtAnzahl(), 0);
    EXPECT_EQ(ArtDateiSchreiben(), -1);
    EXPECT_EQ(lesen(pfad("fremd.txt")), fremd);
    // With an article file loaded before, the write goes to that one.
    schreiben(pfad("art.zvk"), artikelDatei({"A1"}));
    ASSERT_EQ(ArtDateiLesen(pfad("art.zvk").c_str()), 0);
    EXPECT_EQ(ArtDateiLesen(pfad("fremd.txt").c_str()), -1);
    EXPECT_EQ(ArtDateiSchreiben(), 0);
    EXPECT_EQ(lesen(pfad("fremd.txt")), fremd);
    EXPECT_EQ(std::string(ArtDateiName()), pfad("art.zvk"));
    // A second try of the same file still reads it.
    schreiben(pfad("fremd.txt"), artikelDatei({"B1"}));
    EXPECT_EQ(ArtDateiLesen(pfad("fremd.txt").c_str()), 0);
    EXPECT_EQ(ArtAnzahl(), 1);
}

TEST_F(Artikel, StockTextFilesGiveArticlesAndPartsLists)
{
    const std::string z39 = "STL-" + std::string(35, 'x');
    const std::string z40 = "A-200           Schalter~Zweiter Text 12";  // 15 + 1 + 24
    ASSERT_EQ(z39.size(), 39u);
    ASSERT_EQ(z40.size(), 40u);
    schreiben(pfad("lager.txt"), "A-100           Motor~Drehstrom~~Vier\n\n");
    schreiben(pfad("stl.txt"), z39 + "\n" + z40 + "\nA-100           doppelt~xxxxxxxxxxxxxxxxxxxxx\n");
    LagerSchluesselLaenge(15);
    ASSERT_EQ(ArtAusTextdateien((wurzel_ / "projekt").c_str(), "lager.txt", "stl.txt"), 0);
    EXPECT_EQ(ArtAnzahl(), 2);
    artikel a;
    ASSERT_TRUE(ArtSuchen("A-100", &a));
    EXPECT_EQ(std::string(a.text[0]) + "|" + a.text[1] + "|" + a.text[2] + "|" + a.text[3], "Motor|Drehstrom||Vier");
    ASSERT_TRUE(ArtSuchen("A-200", &a));
    EXPECT_STREQ(a.text[1], "Zweiter Text 12");
    ASSERT_EQ(StlAnzahl(), 1);
    stueckliste s;
    StlHolen(0, &s);
    EXPECT_EQ(std::string(s.nr), z39.substr(0, 20));
    EXPECT_STREQ(s.art[0], "A-200");
    EXPECT_STREQ(s.art[1], "A-100");
}

TEST_F(Artikel, PlaceholderTokensBecomeReferences)
{
    struct Fall {
        const char* ein;
        int q, bk;
        const char* aus;
    } faelle[] = {
        {"@BU2", 0, 0, "@Y0001T2a3"},  {"@Q", 0, 0, "@Q"},          {"@Q", 1, 0, "@Y0001B"},
        {"x @BK y", 0, 1, "x @Y0001K y"}, {"@BK", 0, 0, "@Y0001B"}, {"@B12", 0, 0, "@Y0001Z12"},
        {"@BC", 0, 0, "@Y0001T3"},     {"@BF", 0, 0, "@Y0001FH"},   {"@BT7", 0, 0, "@Y0001T7"},
        {"@B", 0, 0, "@Y0001T1"},      {"@U", 0, 0, "@Y0001PH"},    {"@VP", 0, 0, "@Y0001P<Pa3"},
        {"@FS", 0, 0, "@Y0001P>Sa3"},  {"@PB", 0, 0, "@Y0001P^PH"}, {"@SB", 0, 0, "@Y0001P^SH"},
        {"@X", 0, 0, "@X"},            {"@BA @BB", 0, 0, "@Y0001T1 @Y0001T2"},
    };
    for (const Fall& f : faelle) {
        std::string t = f.ein;
        ArtKuerzelErsetzen(t, 1, "Ua", 3, f.q, f.bk);
        EXPECT_EQ(t, f.aus) << f.ein;
    }
    // Only the first 80 characters are looked at; growth moves that limit.
    std::string t = std::string(80, 'x') + "@BA";
    EXPECT_EQ(ArtKuerzelErsetzen(t, 1, "", 0, 0, 0), 0);
    t = "@BA" + std::string(70, '-') + "@BB";
    EXPECT_EQ(ArtKuerzelErsetzen(t, 1, "", 0, 0, 0), 1);
    EXPECT_EQ(t, "@Y0001T1" + std::string(70, '-') + "@Y0001T2");
    // A bounded text is cut to its capacity.
    char kurz[8] = "@Q";
    ArtKuerzelErsetzen(kurz, sizeof kurz, 0x1234, "", 0, 1, 0);
    EXPECT_STREQ(kurz, "@Y1234B");
    EXPECT_FALSE(PlatzhalterText("@PA", 0));
    EXPECT_TRUE(PlatzhalterText("@PA", 1));
    EXPECT_TRUE(PlatzhalterText("@VS1", 0));
    char v[40] = "@Y0001T2a3";
    ArtVerweisFeldSetzen(v, sizeof v, "B");
    EXPECT_STREQ(v, "@Y0001B");
}

TEST_F(Artikel, KeyLengthFromTheSettings)
{
    for (auto [ein, aus] : {std::pair{0, 15}, {1, 15}, {3, 5}, {30, 20}, {12, 12}}) {
        LagerSchluesselLaenge(ein);
        EXPECT_EQ(LagerSchluessel(), aus) << ein;
    }
    vorgaben("BMuse 1\nLaLang 3\nLaDatei lager.txt\n");
    schreiben(pfad("lager.txt"), "K0001 Erster~Text\n");
    LagerLaden();
    EXPECT_EQ(LagerSchluessel(), 5);
    artikel a;
    ASSERT_TRUE(ArtSuchen("K0001", &a));
    EXPECT_STREQ(a.text[0], "Erster");
    char k[32], z[256];
    EXPECT_EQ(LagerSuchen(0, "K0001", k, sizeof k, z, sizeof z), 1);
    EXPECT_STREQ(z, "K0001 Erster~Text");
}

TEST_F(Artikel, EveryKeyOfAThousandLineStockFileIsFoundEndsIncluded)
{
    std::vector<std::string> zeilen;
    for (int i = 0; i < 1000; ++i) {
        char k[8];
        std::snprintf(k, sizeof k, "K%04d", i * 2);
        zeilen.push_back(std::string(k) + " Artikel " + std::to_string(i));
    }
    std::mt19937 zufall(7);
    std::shuffle(zeilen.begin(), zeilen.end(), zufall);
    std::string t;
    for (const std::string& z : zeilen) t += z + "\r\n";
    schreiben(pfad("lager.txt"), t);
    ASSERT_EQ(LagerOeffnen(pfad("lager.txt").c_str(), "", 5), 0);
    char k[32], z[256];
    for (int i = 0; i < 1000; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "K%04d", i * 2);
        ASSERT_EQ(LagerSuchen(0, key, k, sizeof k, z, sizeof z), 1) << key;
        EXPECT_EQ(std::string(z), std::string(key) + " Artikel " + std::to_string(i));
    }
    for (const char* fehlt : {"K0001", "A0000", "Z9999"}) {
        EXPECT_EQ(LagerSuchen(0, fehlt, k, sizeof k, z, sizeof z), 0) << fehlt;
        EXPECT_STREQ(z, fehlt);
    }
}

TEST_F(Artikel, GroupKeysGiveTheirMemberLines)
{
    schreiben(pfad("lager.txt"), "K0001 Einzel\r\n");
    schreiben(pfad("ober.txt"), "GRP01\r\nM0001 Erstes Mitglied\r\nM0002 Zweites Mitglied\r\nGRP02\r\nM0003 x\r\n");
    ASSERT_EQ(LagerOeffnen(pfad("lager.txt").c_str(), pfad("ober.txt").c_str(), 5), 0);
    char k[32], z[256];
    ASSERT_EQ(LagerSuchen(0, "GRP01", k, sizeof k, z, sizeof z), 1);
    EXPECT_STREQ(z, "M0001 Erstes Mitglied");
    EXPECT_STREQ(k, "M0001");
    ASSERT_EQ(LagerSuchen(1, "GRP01", k, sizeof k, z, sizeof z), 1);
    EXPECT_STREQ(z, "M0002 Zweites Mitglied");
    EXPECT_EQ(LagerSuchen(2, "GRP01", k, sizeof k, z, sizeof z), 0);  // "GRP02" is no member
    EXPECT_EQ(LagerSuchen(0, "GRP02", k, sizeof k, z, sizeof z), 1);
    EXPECT_EQ(LagerSuchen(1, "K0001", k, sizeof k, z, sizeof z), 0);
}

}  // namespace
