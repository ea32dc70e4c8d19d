// Definitions on a CR LF definition file: lookups, edits against a golden
// file, the component information, a text past the old 2 MB limit and a
// failed write.
#include <cstring>

#include "config/haken.h"
#include "config/verzeich.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "tests/equipment/bmtest.h"

using namespace bmtest;

namespace {

struct Def : BmTest {
    void SetUp() override
    {
        BmTest::SetUp();
        VerSetzen(2, (wurzel_ / "projekt").c_str());
        kopieren("BMListe.txt", "BMListe.txt");
        DefInit();
        DefDateienSetzen();
    }
    void TearDown() override
    {
        DefFrei();
        VerSetzen(2, "");
        BmTest::TearDown();
    }
};

TEST_F(Def, LookupsOnTheFile)
{
    EXPECT_EQ(DefAnzahl(), 3);  // the definition after Ctrl-Z is not there
    char bl[DEFNAMESUP + 1], tt[DEFNAMESUP + 1], k1[DEFTEXTSUP + 1], k2[DEFTEXTSUP + 1], kurz[DEFNAMESUP + 1];
    char t1[DEFTEXTSUP + 1], t5[DEFTEXTSUP + 1];
    DefFelderHolen(0, bl, tt, k1, k2, kurz, t1, nullptr, nullptr, nullptr, t5);
    EXPECT_STREQ(bl, "MOTOR");
    EXPECT_STREQ(tt, "");
    EXPECT_STREQ(k1, "");
    EXPECT_STREQ(t1, "");
    EXPECT_EQ(DefZahlHolen(0), 0);
    EXPECT_EQ(DefZahl2Holen(0), 0);
    DefFelderHolen(1, bl, tt, k1, k2, kurz, t1, nullptr, nullptr, nullptr, t5);
    EXPECT_EQ(std::string(bl) + "|" + tt + "|" + k1 + "|" + k2 + "|" + kurz + "|" + t1 + "|" + t5,
              "SCHUETZ|DIL|-K|=K|Kurz|Text1|T5");
    EXPECT_EQ(DefZahlHolen(1), 3);
    EXPECT_EQ(DefZahl2Holen(1), 7);
    EXPECT_EQ(DefTypSuchen("dil"), 1);
    EXPECT_EQ(DefTypSuchen("nix"), -1);
    char z[40];
    DefZeileSuchen(1, "D", z, sizeof z);
    EXPECT_STREQ(z, "DISPO");

    struct Fall {
        const char* code;
        int anzahl;
        const char* bauteil;
    } faelle[] = {{"a", 1, "KONTAKT"}, {"Ua", 1, "KONTAKT"}, {"c", 1, "SPULE"}, {"z", 2, "ZET"}, {"b", 0, ""}};
    for (const Fall& f : faelle) {
        int n = -1;
        DefUnterFelder(1, f.code, bl, nullptr, &n, nullptr);
        EXPECT_EQ(n, f.anzahl) << f.code;
        EXPECT_STREQ(bl, f.bauteil) << f.code;
    }
    EXPECT_TRUE(DefInfoVorhanden("KONTAKT"));
    EXPECT_TRUE(DefInfoVorhanden("SPULE"));
    EXPECT_FALSE(DefInfoVorhanden("MOTOR"));
    Aufwischen();  // the program-end clean-up frees the list; a later question rebuilds it
    EXPECT_TRUE(DefInfoVorhanden("KONTAKT"));
}

TEST_F(Def, EditsMatchTheGoldenFile)
{
    const char* b[5] = {"b1", "", "", "", ""};
    const char* a[5] = {"a1", "a2", "", "", ""};
    ASSERT_EQ(DefUnterSchreiben(1, "b", "NEU", "Neu", 1, "n", b), 0);      // between Ua and Uc
    ASSERT_EQ(DefUnterSchreiben(1, "Uaa", "AA", "Aa", 2, "", nullptr), 0); // after Uz
    ASSERT_EQ(DefUnterSchreiben(1, "a", "KONTAKT", "Hilfskontakt", 3, "k", a), 0);
    DEFKOPF k{};
    k.bauteil = "TASTER";
    k.typ = "Tast2";
    k.kenn1 = "-S";
    k.prinzip = "PRI";
    k.zahl1 = 1;
    ASSERT_EQ(DefAendern(2, &k), 0);
    EXPECT_EQ(lesen(pfad("BMListe.txt")), lesen(fixture("BMListe-gold.txt")));
    EXPECT_EQ(DefAnzahl(), 3);
    EXPECT_TRUE(DefInfoVorhanden("NEU"));
}

TEST_F(Def, FailedWriteLeavesFileAndDefinitionsAsTheyWere)
{
    const std::string vorher = lesen(pfad("BMListe.txt"));
    plFehlerSetzen(PlFehlerArt::Umbenennen, 1, true);
    EXPECT_EQ(DefUnterLoeschen(1, "a"), -1);
    EXPECT_EQ(DefLoeschen(0), -1);
    plFehlerAllesAus();
    EXPECT_EQ(lesen(pfad("BMListe.txt")), vorher);
    int n = 0;
    EXPECT_EQ(DefUnterFelder(1, "a", nullptr, nullptr, &n, nullptr), 1);
    EXPECT_EQ(DefAnzahl(), 3);
}

TEST_F(Def, ThreeMegabyteFileKeepsItsTailAfterAnEdit)
{
    std::string t;
    const int anzahl = 120000;  // also past the old index limit of 30,000
    for (int i = 0; i < anzahl; ++i) t += "H ~N" + std::to_string(i) + "~T~\r\n  Ua ~X~Y~\r\n";
    ASSERT_GT(t.size(), 3000000u);
    schreiben(pfad("BMListe.txt"), t);
    stempeln(pfad("BMListe.txt"), 5);
    ++zaehler();
    ASSERT_EQ(DefAnzahl(), anzahl);
    ASSERT_EQ(DefUnterLoeschen(0, "a"), 0);
    const std::string nachher = lesen(pfad("BMListe.txt"));
    EXPECT_EQ(nachher, t.substr(0, 10) + t.substr(10 + 12));
    char bl[DEFNAMESUP + 1];
    DefFelderHolen(anzahl - 1, bl, nullptr, nullptr, nullptr, nullptr);
    EXPECT_STREQ(bl, ("N" + std::to_string(anzahl - 1)).c_str());
}

}  // namespace

// Definitions found in the program folder (the shipped file) are only
// read: the first edit writes the whole text with the change into the
// project folder, where the lookup finds it from then on.
TEST_F(Def, AnEditOfTheShippedFileGoesIntoTheProject)
{
    const fs::path prog = fs::path(pfad("")).parent_path().parent_path() / "prog";
    fs::create_directories(prog);
    fs::copy_file(fixture("BMListe.txt"), prog / "BMListe.txt");
    fs::remove(pfad("BMListe.txt"));
    const std::string geliefert = lesen((prog / "BMListe.txt").string());
    const std::string programm = VerZeiger(0);
    VerSetzen(0, prog.c_str());
    VerSetzen(1, fs::path(pfad("")).parent_path().c_str());
    VerSetzen(2, prog.c_str());
    DefDateienSetzen();
    ASSERT_EQ(DefAnzahl(), 3);
    ASSERT_EQ(fs::path(DefBearbeitungsPfad()), prog / "BMListe.txt");

    EXPECT_EQ(DefKopieren(1), 3);
    EXPECT_EQ(lesen((prog / "BMListe.txt").string()), geliefert) << "the shipped file is only read";
    EXPECT_EQ(fs::path(DefBearbeitungsPfad()), fs::path(pfad("BMListe.txt")));
    EXPECT_EQ(DefAnzahl(), 4);
    EXPECT_EQ(lesen(pfad("BMListe.txt")).substr(0, 40), geliefert.substr(0, 40)) << "the whole text went along";
    VerSetzen(0, programm.c_str());
}
