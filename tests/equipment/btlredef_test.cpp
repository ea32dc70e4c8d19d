// Redefinition: stock matching in two passes with counts, the change list
// and its limit, and the rewriting of "@Y" references.
#include "equipment/btlredef.h"
#include "equipment/nartikel.h"
#include "kennung_test.h"

using namespace kenntest;

namespace {

struct Redef : KennTest {
    void SetUp() override
    {
        KennTest::SetUp();
        starten("");
    }
    void TearDown() override
    {
        RedefEnde();
        KennTest::TearDown();
    }
    appbteil platziert(uint32_t id, const char* cd, int nr, const char* tt, const char* bl, double x)
    {
        appbteil r{};
        r.id = id;
        std::strcpy(r.cd, cd);
        r.nr = nr;
        std::strcpy(r.tt, tt);
        std::strcpy(r.bl, bl);
        r.platziert = 1;
        r.x = x;
        r.y = 5;
        std::strcpy(r.ze, "001");
        std::strcpy(r.bs, "7");
        return r;
    }
};

TEST_F(Redef, CountedStockTakesTwoAndRefusesAThird)
{
    const uint32_t ziel = geraet("NEU");
    eintrag(ziel, "Ua", "KON", "", 0, 0, 2);
    RedefStart(ziel, 0);
    ASSERT_EQ(RedefVorratAnzahl(), 1);
    const appbteil r1 = platziert(9, "Ub", 1, "", "KON", 10);
    const appbteil r2 = platziert(9, "Ub", 2, "", "KON", 20);
    const appbteil r3 = platziert(9, "Ub", 3, "", "KON", 30);
    EXPECT_EQ(RedefZuordnen(&r1, 1), 0);
    EXPECT_EQ(RedefZuordnen(&r2, 1), 0);
    EXPECT_EQ(RedefZuordnen(&r3, 1), -1);
    EXPECT_EQ(BtlPlatziertAnzahl(ziel), 2);
    ASSERT_EQ(RedefAenderungAnzahl(), 2);
    const aenderung* a = RedefAenderung(1);
    EXPECT_EQ(a->altid, 9u);
    EXPECT_STREQ(a->altcd, "Ub");
    EXPECT_EQ(a->altnr, 2);
    EXPECT_EQ(a->neuid, ziel);
    EXPECT_STREQ(a->neucd, "Ua");
    EXPECT_EQ(a->neunr, 2);
    appbteil e;
    ASSERT_TRUE(BtlSuchen(ziel, "Ua", 2, &e));
    EXPECT_EQ(e.x, 20);
    EXPECT_STREQ(e.bs, "7");
}

TEST_F(Redef, TypeMismatchMatchesOnlyInTheSecondPass)
{
    const uint32_t ziel = geraet("NEU");
    eintrag(ziel, "Ua", "KON", "", 0, 0);  // single entry, type ""
    eintrag(ziel, "Ub", "KON", "", 0, 0);
    appbteil b;
    BtlSuchen(ziel, "Ub", 0, &b);
    std::strcpy(b.tt, "TYP");
    BtlEintragAendern(ziel, "Ub", 0, &b);
    RedefStart(ziel, 0);
    // Type "TYP": pass 1 finds Ub (same type), although Ua stands first.
    const appbteil r = platziert(9, "Ux", 0, "TYP", "KON", 10);
    EXPECT_EQ(RedefZuordnen(&r, 0), 0);
    EXPECT_EQ(RedefVorrat(1)->benutzt, 1);
    EXPECT_EQ(RedefVorrat(0)->benutzt, 0);
    // Type "ANDERS": only pass 2, by name: takes Ua.
    const appbteil s = platziert(9, "Uy", 0, "ANDERS", "KON", 20);
    EXPECT_EQ(RedefZuordnen(&s, 0), 0);
    EXPECT_EQ(RedefVorrat(0)->benutzt, 1);
    // Equivalent names (equal ignoring case) count in pass 1 only for equal
    // codes; the stock entry takes the placed name.
    RedefVorratReset();
    const appbteil t = platziert(9, "Ub", 0, "TYP", "kon", 30);
    EXPECT_EQ(RedefZuordnen(&t, 1), 0);
    ASSERT_TRUE(BtlSuchen(ziel, "Ub", 0, &b));
    EXPECT_STREQ(b.bl, "kon");
    EXPECT_EQ(b.platziert, 1);
}

TEST_F(Redef, ReferencesGetTheNewIdAndCode)
{
    RedefStart(geraet("NEU"), 0);
    appbteil alt{}, neu{};
    alt.id = 0x12;
    std::strcpy(alt.cd, "Ua");
    alt.nr = 3;
    neu.id = 0x34;
    std::strcpy(neu.cd, "Uc");
    neu.nr = 1;
    ASSERT_EQ(RedefAenderungMerken(&neu, &alt), 0);
    std::string aus;
    const struct {
        const char* text;
        int ausweichen;
        int ergebnis;
        const char* erwartet;
    } faelle[] = {
        {"@Y0012B", 0, 1, "@Y0034B"},   // no sub letters: only the id
        {"@Y0012Z2", 0, 1, "@Y0034Z2"},
        {"@Y0013B", 0, 0, ""},          // no change of that item
        {"@Y0012Ba5", 1, 1, "@Y0034Ba5"},  // letters without a change: fallback id only
        {"@Y0012Ba5", 0, 0, ""},
    };
    for (const auto& f : faelle) {
        aus.clear();
        EXPECT_EQ(RedefVerweiseAnpassen(f.text, aus, f.ausweichen), f.ergebnis) << f.text;
        EXPECT_EQ(aus, f.erwartet) << f.text;
    }
    // With the letters of a change: the new code (without its 'U') and number.
    aus.clear();
    EXPECT_EQ(RedefVerweiseAnpassen("@Y0012Ba3", aus, 0), 1);
    std::string erwartet;
    ArtVerweisText(erwartet, 0x34, "B", 0, "c", 1);
    EXPECT_EQ(aus, erwartet);
    EXPECT_NE(aus.find("0034"), std::string::npos);
}

TEST_F(Redef, TheThousandAndFirstChangeIsRefused)
{
    const uint32_t ziel = geraet("NEU");
    RedefStart(ziel, 2);  // mode 2: add instead of match
    appbteil r = platziert(9, "Ua", 0, "", "KON", 0);
    for (int i = 0; i < CHGSUP; ++i) {
        r.nr = i;
        ASSERT_EQ(RedefZuordnen(&r, 1), 0) << i;
    }
    r.nr = CHGSUP;
    EXPECT_EQ(RedefZuordnen(&r, 1), -1);
    EXPECT_EQ(RedefAenderungAnzahl(), CHGSUP);
    EXPECT_EQ(BtlUnterAnzahl(ziel), CHGSUP);  // nothing moved for the refused one
    EXPECT_EQ(RedefAenderungMerken(&r, &r), -1);
}

}  // namespace
