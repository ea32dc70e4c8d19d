// Contact mirrors over an equipment fixture and a small symbol library.
#include "editor/kspiegel.h"

#include "tests/editor/eqtexttest.h"

namespace {

struct KspiegelTest : EqDatenTest {
    KSPEINST alt;
    void SetUp() override
    {
        EqDatenTest::SetUp();
        alt = *KspEinst();
        // "RELK": a "@Q" and a position text; "SCHK": a cross reference
        // point with a "@Q" beside it.
        bauteil("RELK", {tzRec(TZ_ZL, {0, -4}), tzRec(ET_BW, {2, 0}), tzRec(TZ_TEXT, {}, "@Q"),
                         tzRec(ET_BW, {2, 0}), tzRec(TZ_TEXT, {}, "@P"), tzRec(ET_BW, {-4, -6})});
        bauteil("SCHK", {tzRec(ET_QVW, {}, nullptr, {0}), tzRec(ET_BW, {3, 0}), tzRec(TZ_TEXT, {}, "@Q"),
                         tzRec(ET_BW, {-3, -8})});
        geraet(1, 0);
        eintrag(1, "H", 0, "MOT", "", "S1", 10, 10);
        eintrag(1, "Ua", 0, "REL", "");       // blank symbol field: "RELK"
        eintrag(1, "Ub", 0, "X", "FEHLT");    // missing symbol: skipped
        eintrag(1, "Uc", 0, "X", "SCHK");
        eintrag(1, "Ud", 2, "REL", "");       // unplaced with a count: not a contact
        geraet(2, 2);
        eintrag(2, "Ua", 0, "REL", "");
    }
    void TearDown() override
    {
        *KspEinst() = alt;
        EqDatenTest::TearDown();
    }
    void erzeugen(uint32_t id, int modus)
    {
        StartpunktSetzen(100, 200);
        lauf([&] {
            BefAbarbeiten();
            KspiegelErzeugen(id, modus);
            BefAbarbeiten();
        });
    }
};

TEST_F(KspiegelTest, VerticalMirrorHeaderColumnThenSymbols)
{
    KspEinst()->zeilen[0] = 2;
    erzeugen(1, 0);
    EXPECT_EQ(textOrte(), (std::vector<std::string>{"@Y0001T1@(100,200)", "@Y0001T2@(100,195)", "@Y0001B@(102,186)",
                                                    "@Y0001Pa@(104,186)", "@Y0001B@(103,175)",
                                                    "@Y0001Pc@(100,175)"}));
    // RELK ends 10 below its start, then the symbol spacing; SCHK's lone
    // "@Q" leaves its cross-reference point to the position reference.
    EXPECT_EQ(bauteile(), (std::vector<std::string>{"RELK@(100,190)", "SCHK@(100,175)"}));
    EXPECT_EQ(BefAktZustand()->x, 100);
    EXPECT_EQ(BefAktZustand()->y, 200);
}

TEST_F(KspiegelTest, LineSettingsByKindAndHorizontalChain)
{
    // Kind 0 without sub components takes the last setting; kind 2 its own.
    KspEinst()->zeilen[0] = 3;
    KspEinst()->zeilen[5] = 1;
    KspEinst()->zeilen[2] = 0;
    geraet(3, 0);
    erzeugen(3, 0);
    EXPECT_EQ(textOrte(), (std::vector<std::string>{"@Y0003T1@(100,200)"}));
    TzLeeren();
    erzeugen(2, 0);  // no header column, only the symbol
    EXPECT_EQ(bauteile(), (std::vector<std::string>{"RELK@(100,200)"}));
    EXPECT_EQ(textOrte().size(), 2u);

    // Any other mode: no header, each symbol where the previous one ended.
    TzLeeren();
    erzeugen(1, 1);
    EXPECT_EQ(bauteile(), (std::vector<std::string>{"RELK@(100,200)", "SCHK@(100,190)"}));
}

}  // namespace
