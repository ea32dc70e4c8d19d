// Version-7 import: items, components, "Z" records as attached texts,
// unassigned placements, lookups in an unsorted item file, and the upgrade
// that deletes the old files only after the store was written.
#include "equipment/appzv7.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "kennung_test.h"
#include "platform/fehlersim.h"

using namespace kenntest;

namespace {

struct Zv7 : KennTest {
    void SetUp() override
    {
        KennTest::SetUp();
        for (const char* n : {"BMHAUPT.ZVK", "BMUNTER.ZVK", "BMOHNEH.ZVK"}) kopieren(std::string("zv7/") + n, n);
        starten("");
        BMDateiAktuell(1);
    }
};

TEST_F(Zv7, UnsortedItemFileGivesWorkingLookups)
{
    Zv7HauptInit(pfad("BMHAUPT.ZVK").c_str());
    Zv7UnterInit(pfad("BMUNTER.ZVK").c_str());
    EXPECT_EQ(Zv7HauptAnzahl(), 2);  // the line after ")E" is not read
    zv7haupt h;
    ASSERT_EQ(Zv7HauptSuchen(1, &h), 1);
    EXPECT_STREQ(h.typ, "TYP1");
    EXPECT_STREQ(h.kenn, "FEST");
    EXPECT_EQ(h.defnr, 1);
    ASSERT_EQ(Zv7HauptSuchen(2, &h), 1);
    EXPECT_STREQ(h.text0, "Zeile 0");
    EXPECT_EQ(Zv7HauptSuchen(3, &h), 0);
    EXPECT_EQ(Zv7UnterZahl(1), 1);
    std::vector<uint32_t> ohne;
    Zv7HauptDurchlaufen(2, [](const zv7haupt* z, void* u) { static_cast<std::vector<uint32_t>*>(u)->push_back(z->id); }, &ohne);
    EXPECT_EQ(ohne, std::vector<uint32_t>{2});
    Zv7HauptFrei();
    Zv7UnterFrei();
}

TEST_F(Zv7, ImportConvertsEveryRecordKind)
{
    Zv7BmImport();
    appgeraet g;
    ASSERT_EQ(GesHolen(1, &g), 0);
    EXPECT_STREQ(g.tt, "TYP1");
    EXPECT_STREQ(g.ft, "FEST");
    EXPECT_STREQ(g.lt, "HALLE");
    EXPECT_STREQ(g.kg, "-M1");
    EXPECT_EQ(g.n1, 1);
    char t[41];
    GtxHauptTextRoh(1, 0, t, sizeof t);
    EXPECT_STREQ(t, "Motor");
    EXPECT_EQ(GtxAnzahl(1, "H", 0), 1);  // the blank line 1 is not taken

    appbteil b;
    ASSERT_TRUE(BtlSuchen(1, "Ua", 1, &b));
    EXPECT_STREQ(b.bs, "K1");
    EXPECT_EQ(b.x, 30);
    ASSERT_TRUE(BtlSuchen(1, "H", 0, &b));
    EXPECT_STREQ(b.kb, "KB");
    EXPECT_STREQ(b.ze, "001");
    ASSERT_TRUE(BtlSuchen(2, "D", 0, &b));  // other codes unchanged
    EXPECT_STREQ(b.bl, "DIS");

    // "Z" with type "b12" hangs on Ub 12, a blank type on H 0.
    ZtxTextHolen(1, "Ub", 12, 2, t, sizeof t);
    EXPECT_STREQ(t, "13-14");
    ZtxTextHolen(1, "H", 0, 1, t, sizeof t);
    EXPECT_STREQ(t, "KOPF");

    ASSERT_EQ(WseAnzahl(), 1);
    appwaise w;
    WseNrHolen(0, &w);
    EXPECT_STREQ(w.name, "WAISE");
    EXPECT_EQ(w.x, 12.5);
    EXPECT_STREQ(w.ze, "003");
}

TEST_F(Zv7, UpgradeDeletesTheOldFilesOnlyAfterTheWrite)
{
    Zv7BmImport();
    // A failing write keeps the three files and reports it.
    plFehlerSetzen(PlFehlerArt::Umbenennen, 2);
    EXPECT_EQ(Zv7DateienLoeschen(), -1);
    plFehlerAllesAus();
    for (const char* n : {"BMHAUPT.ZVK", "BMUNTER.ZVK", "BMOHNEH.ZVK"}) EXPECT_TRUE(bmtest::fs::exists(pfad(n))) << n;
    EXPECT_EQ(Zv7DateiVorhanden(), 1);

    EXPECT_EQ(Zv7DateienLoeschen(), 0);
    for (const char* n : {"BMHAUPT.ZVK", "BMUNTER.ZVK", "BMOHNEH.ZVK", "BMHAUPT.ZV7"})
        EXPECT_FALSE(bmtest::fs::exists(pfad(n))) << n;
    const std::string inhalt = bmtest::lesen(pfad("BMittel.zvk"));
    EXPECT_NE(inhalt.find("FEST"), std::string::npos);
    EXPECT_NE(inhalt.find("13-14"), std::string::npos);
    EXPECT_NE(inhalt.find("WAISE"), std::string::npos);
}

}  // namespace
