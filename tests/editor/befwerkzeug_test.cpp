// The executor's edit commands on the real queue and store: searches,
// deleting and restoring, parallel lines, exchanges, dimensions and gaps.
#include <string>
#include <vector>

#include "editor/bauausf.h"
#include "editor/edtaufrufe.h"
#include "editor/geloesch.h"
#include "editor/history.h"
#include "editor/mehrfach.h"
#include "model/undo.h"
#include "tests/editor/edtaufrufprotokoll.h"
#include "tests/editor/eqtexttest.h"

namespace {

constexpr int SUT = 165, SUQ = 174, LE = 182, LER = 183, LME = 191, MFL = 176, MFS = 178;
constexpr int TAU = 195, TAR = 37, ZML = 175, UNT = 95, TSZ = 57, TSE = 56;

struct BefWerkzeugTest : EqTextTest {
    void SetUp() override
    {
        EqTextTest::SetUp();
        UndoInit();
        PhantomInit();
        MflInit();
    }
    void TearDown() override
    {
        MflInit();
        UndoFrei();
        EqTextTest::TearDown();
    }
    void laufe(const std::vector<BEF>& v) { lauf([&] { befehle(v); }); }
    void nach(double x, double y)
    {
        STT s = bei(x, y);
        ZustandSetzen(&s);
    }
};

TEST_F(BefWerkzeugTest, SearchesPutTheFoundTextIntoTheInputLineAndMoveThere)
{
    text(103, 100, "Nah");
    text(105, 100, "K1");
    BEF qvw = tzRec(ET_QVW, {}, nullptr, {12});
    STT s = bei(105, 100);
    TzEinfuegen(&qvw, &s);
    struct Fall {
        int code;
        std::string eingabe;
        double x;
    } faelle[] = {{SUQ, "K1 <12>", 105}, {SUT, "Nah", 103}};
    for (const Fall& f : faelle) {
        nach(100, 100);
        EingabeFeldSetzen("");
        laufe({tzRec(f.code)});
        EXPECT_EQ(EingabeFeld(), f.eingabe) << f.code;
        EXPECT_EQ(BefAktZustand()->x, f.x) << f.code;
    }
}

TEST_F(BefWerkzeugTest, DeletionsKeepEachObjectOnceAndLerPutsThemBack)
{
    nach(0, 0);
    laufe({tzRec(TZ_ZL, {10, 0}), tzRec(TZ_ZL, {0, 10}), tzRec(TZ_ZL, {-10, 0})});
    ASSERT_EQ(TzAnzahl(), 3);

    // Without marks: the last object only, the state back at its start.
    laufe({tzRec(LE, {}, nullptr, {0})});
    EXPECT_EQ(TzAnzahl(), 2);
    EXPECT_EQ(PhantomIndex(), 1);
    EXPECT_EQ(BefAktZustand()->x, 10);
    EXPECT_EQ(BefAktZustand()->y, 10);
    // Otherwise every object of the newest generation.
    laufe({tzRec(LE, {}, nullptr, {1})});
    EXPECT_EQ(TzAnzahl(), 0);
    EXPECT_EQ(PhantomIndex(), 3);

    // -1 brings back the last deleting command's objects, 0 one more.
    laufe({tzRec(LER, {}, nullptr, {-1})});
    EXPECT_EQ(strecken(), (std::vector<std::string>{"0,0..10,0", "10,0..10,10"}));
    laufe({tzRec(LER, {}, nullptr, {0})});
    EXPECT_EQ(TzAnzahl(), 3);
    EXPECT_EQ(PhantomIndex(), 0);

    // Marked objects go through the marking's delete, kept once each.
    TzMarkSetzen(TzNaechstes(-1), 1);
    laufe({tzRec(LME)});
    EXPECT_EQ(TzAnzahl(), 2);
    EXPECT_EQ(PhantomIndex(), 1);
    TzMarkSetzen(TzNaechstes(-1), 1);
    laufe({tzRec(LE, {}, nullptr, {1})});
    EXPECT_EQ(TzAnzahl(), 1);
    EXPECT_EQ(PhantomIndex(), 2);
}

TEST_F(BefWerkzeugTest, ParallelLineCommandsAndSeries)
{
    nach(100, 100);
    // Three ends 5 apart along x; then along y.
    laufe({tzRec(MFL, {}, nullptr, {1}), tzRec(MFS, {5}, nullptr, {3, 0})});
    ASSERT_EQ(MflAnzahl(), 1);
    const mfl* m = MflBuendel(0);
    ASSERT_EQ(m->anzahl, 3);
    EXPECT_EQ(m->ende[2].x, 110);
    EXPECT_EQ(m->ende[2].y, 100);
    laufe({tzRec(MFS, {5}, nullptr, {2, 1})});
    ASSERT_EQ(MflAnzahl(), 2);
    m = MflBuendel(1);
    ASSERT_EQ(m->anzahl, 2);
    EXPECT_EQ(m->ende[1].x, 100);
    EXPECT_EQ(m->ende[1].y, 105);
    laufe({tzRec(MFL, {}, nullptr, {3})});
    EXPECT_EQ(MflAnzahl(), 0);
    // Without a count the start-point dialog asks for it.
    laufe({tzRec(MFS, {}, nullptr, {0})});
    EXPECT_EQ(EdtAufrufProtokoll(), std::vector<std::string>{"DB1345Oeffnen()"});
}

TEST_F(BefWerkzeugTest, ExportWithoutANameOrAKnownKindAsksInItsDialog)
{
    constexpr int EXP = 192;
    BauAusfHakenSetzen();  // the construction and export actions follow the dispatchers
    laufe({tzRec(EXP, {}, nullptr, {-1}), tzRec(EXP, {}, "bild.png", {-1}), tzRec(EXP, {}, "bild.xyz", {0}),
           tzRec(EXP, {}, "", {4})});
    EXPECT_EQ(EdtAufrufProtokoll(), std::vector<std::string>(4, "DB1006Oeffnen()"));
}

TEST_F(BefWerkzeugTest, ExchangeTextKindDimensionAndBreakRunFromTheQueue)
{
    text(10, 10, "1");
    laufe({tzRec(TAU, {}, "TFA 1 2")});
    EXPECT_EQ(texte(), std::vector<std::string>{"2"});

    TzLeeren();
    BEF t = tzRec(TSZ, {}, "T");
    STT s = bei(10, 10);
    TzMarkSetzen(TzEinfuegen(&t, &s), 1);
    laufe({tzRec(TAR, {}, nullptr, {3})});
    BEF b;
    TzObjHolen(TzNaechstes(-1), &b, &s);
    EXPECT_EQ(b.code, TSE);

    // A dimension line of style 5 draws its line and its text.
    TzLeeren();
    nach(100, 50);
    laufe({tzRec(ZML, {10, 0}, "12", {5})});
    EXPECT_EQ(strecken(), std::vector<std::string>{"100,50..110,50"});
    EXPECT_EQ(textOrte().size(), 1u);

    // A break cuts the line it crosses.
    TzLeeren();
    linie(0, 0, 100, 0);
    nach(45, -5);
    laufe({tzRec(UNT, {10, 10})});
    EXPECT_EQ(strecken(), (std::vector<std::string>{"0,0..45,0", "55,0..100,0"}));
}

TEST_F(BefWerkzeugTest, APlacedComponentCutsTheLinesItSitsOnAndItsBreaks)
{
    bauteil("K", {tzRec(TZ_ZL, {20, 0})});
    bauteil("U", {tzRec(UNT, {4, 10})});
    struct Fall {
        const char* name;
        double x, y;
        std::vector<std::string> bleiben;
    } faelle[] = {
        {"K", 40, 0, {"0,0..40,0", "60,0..100,0"}},
        {"U", 40, -5, {"0,0..40,0", "44,0..100,0"}},
    };
    for (const Fall& f : faelle) {
        TzLeeren();
        linie(0, 0, 100, 0);
        nach(f.x, f.y);
        laufe({tzRec(TZ_ZB, {}, f.name)});
        EXPECT_EQ(strecken(), f.bleiben) << f.name;
    }
}

}  // namespace
