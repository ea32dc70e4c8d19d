// Element construction on the real store, queue and journal.
#include "editor/baubf.h"

#include <cmath>

#include "editor/edmarke.h"
#include "editor/edtseite.h"
#include "editor/mehrfach.h"
#include "model/dienste.h"
#include "model/masslin.h"
#include "tests/editor/bautest.h"

namespace {

constexpr int DRE = 63, BOG = 65, KRE = 67, RTK = 68, ZBW = 81, QVB = 92, ZML = 96, ZB = 80, TEXT = 50;

struct BaubfTest : BauTest {
    // Starts `code` at (x, y) with the record `b` taken over, queue emptied.
    void baue(int code, double x, double y, const BEF& b)
    {
        BaubfStartenBei(code, x, y);
        BaubfKopieren(&b);
        BefLeeren();
    }
    // The editor's position moves to (x, y) and the element follows, as the
    // editor's glue makes it follow.
    void maus(double x, double y)
    {
        position(x, y);
        EdtMausBewegt();
    }
};

TEST_F(BaubfTest, HandlesLieAtStartPlusScaledOffsetPerCode)
{
    struct Fall {
        const char* name;
        BEF b;
        int n;
        double x, y;  // offset of handle n
    } faelle[] = {
        {"line", tzRec(TZ_ZL, {3, 4}), 1, 3, 4},
        {"triangle: height along a1 + 180 degrees", tzRec(DRE, {5, 2}, nullptr, {0, 900}), 1, 0, -2},
        {"arc end", tzRec(BOG, {2, 3}, nullptr, {900, 1800}), 1, -2, -3},
        {"rectangle turned by a1", tzRec(RTK, {4, 2}, nullptr, {0, 900}), 1, -2, 4},
        {"circle radius handle", tzRec(KRE, {4, 2}, nullptr, {0, 900}), 2, 0, 4},
        {"component with offset turned by a0", tzRec(ZBW, {0, -10}, nullptr, {900}), 1, 10, 0},
        {"reference box second pair", tzRec(QVB, {1, 2, 7, 8}), 2, 7, 8},
        {"one-handle code", tzRec(ZB, {5, 5}), 1, 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        double x, y;
        BaubfGriffOffset(&f.b, f.n, &x, &y);
        EXPECT_NEAR(x, f.x, 1e-9);
        EXPECT_NEAR(y, f.y, 1e-9);
    }
    EXPECT_EQ(BaubfGriffAnzahl(ZML), 9);
    EXPECT_EQ(BaubfGriffAnzahl(KRE), 3);
    EXPECT_EQ(BaubfGriffAnzahl(TEXT), 1);

    // Dimension handles 2..8 come from the dimension geometry; 2 and 8 share
    // its point 0.
    BEF m = tzRec(ZML, {20, 0, 5, 0});
    for (int n = 2; n <= 8; ++n) {
        SCOPED_TRACE(n);
        double x, y, ex, ey;
        BaubfGriffOffset(&m, n, &x, &y);
        MassPunkt(&m, nullptr, (n == 2 || n == 8) ? 0 : n, &ex, &ey);
        EXPECT_DOUBLE_EQ(x, ex);
        EXPECT_DOUBLE_EQ(y, ey);
    }
}

TEST_F(BaubfTest, HandleSearchIsStrictAndPrefersTheLowestNumber)
{
    BefAktZustand()->mass = 2.0;
    baue(TZ_ZL, 10, 10, tzRec(TZ_ZL, {0.5, 0}));  // handle 1 at (11, 10)
    EXPECT_EQ(BaubfGriffSuchen(12.0, 10), 1) << "exactly 2.0 from handle 0";
    BefLeeren();
    // Both handles within 2.0: the lower number wins and a move to it is queued.
    EXPECT_EQ(BaubfGriffSuchen(10.9, 10.5), 0);
    EXPECT_EQ(schlange(), std::vector<std::string>{"BW 1 5 5"});
    EXPECT_EQ(BaubfGriffSuchen(12.5, 10), 1);
    EXPECT_EQ(BaubfGriffSuchen(13.0, 10), -1) << "exactly 2.0 from handle 1";
    EXPECT_EQ(BaubfGriffSuchen(11, 8.0), -1);
}

TEST_F(BaubfTest, StartingKeepsARunningElementsStartAndPushesTheStepPoint)
{
    position(5, 6);
    BaubfStarten(TZ_ZL);
    EXPECT_EQ(schlange(), (std::vector<std::string>{"_BA 0 5 6", "0"}));
    EXPECT_EQ(BaubfSchrittHolen(), 1);
    position(30, 40);
    BefAktZustand()->st = 7;
    BaubfStarten(RTK);
    STT s = BaubfZustandHolen();
    EXPECT_EQ(s.x, 5);
    EXPECT_EQ(s.y, 6);
    EXPECT_EQ(s.st, 1) << "the first element's state stays";
    EXPECT_EQ(BaubfCode(), RTK);
    BaubfAbbrechen();
    // Texts and components start on the whole element (step 0).
    schlange();
    BaubfStartenBei(TEXT, 1, 1);
    EXPECT_EQ(BaubfSchrittHolen(), 0);
    EXPECT_EQ(schlange(), (std::vector<std::string>{"0"}));
}

TEST_F(BaubfTest, MouseShapesTheElementByCode)
{
    struct Fall {
        const char* name;
        BEF b;
        int schritt;
        double cx, cy;
        BEF erwartet;
    } faelle[] = {
        {"line", tzRec(TZ_ZL), 1, 3, -4, tzRec(TZ_ZL, {3, -4})},
        {"partial circle takes magnitudes", tzRec(64), 1, -3, -4, tzRec(64, {3, 4})},
        {"rectangle turned back by -a1", tzRec(RTK, {}, nullptr, {0, 900}), 1, 0, 5, tzRec(RTK, {5, 0}, nullptr, {0, 900})},
        {"rectangle step 2 sets the direction", tzRec(RTK, {5, 1}), 2, 0, 5, tzRec(RTK, {5, 1}, nullptr, {0, 900})},
        {"reference box second pair", tzRec(QVB, {1, 1}), 2, 6, 7, tzRec(QVB, {1, 1, 6, 7})},
        {"component turned", tzRec(ZBW, {0, -10}), 1, 10, 0, tzRec(ZBW, {0, -10}, nullptr, {900})},
        // Triangle: the height changes by more than 1.0, the base scales along.
        {"triangle base scales", tzRec(DRE, {4, 2}, nullptr, {0, 0}), 1, 0, -4, tzRec(DRE, {8, 4}, nullptr, {0, 900})},
        // Base within 0.1 of half the height becomes exactly half.
        {"triangle base snaps to half", tzRec(DRE, {1.03, 2}, nullptr, {0, 900}), 1, 0, -4, tzRec(DRE, {2, 4}, nullptr, {0, 900})},
        {"equilateral triangle", tzRec(DRE, {1, 2}, nullptr, {0, 900, 1}), 1, 0, -4, tzRec(DRE, {4 / 0.866, 4}, nullptr, {0, 900, 1})},
        // Height change of 1.0 or less keeps the base; an angle change below
        // 3 tenths keeps the angle.
        {"triangle small change", tzRec(DRE, {4, 3.5}, nullptr, {0, 901}), 1, -0.01, -4.4, tzRec(DRE, {4, 3.5}, nullptr, {0, 901})},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        baue(f.b.code, 0, 0, f.b);
        BaubfSchritt(f.schritt);
        maus(f.cx, f.cy);
        BEF ist = BaubfHolen();
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(ist.darg[i], f.erwartet.darg[i], 1e-6) << i;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(ist.iarg[i], f.erwartet.iarg[i]) << i;
        BaubfZuruecksetzen();
        position(0, 0);
    }
}

TEST_F(BaubfTest, ArcTurnsByQuartersToTheCursorsQuadrantThenTakesItsRadii)
{
    // End-point direction of (0, 1800): (cos 180 + cos 180, ...) = (-2, 0):
    // quadrant 1. The cursor in quadrant 0 turns it three times.
    struct Fall {
        double cx, cy;
        int a0, a1;
        double d0, d1;
    } faelle[] = {
        {-4, 2, 0, 1800, 2, 1},      // left: no turn, radii from both axes
        {4, 6, 1800, 3600, 2, 1},    // two turns; y's direction sum is 0: kept
        {4, -6, 900, 2700, 1, 3},
        {0, 0, 0, 1800, 1, 1},       // no movement: nothing
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.cx << "," << f.cy);
        baue(BOG, 0, 0, tzRec(BOG, {1, 1}, nullptr, {0, 1800}));
        maus(f.cx, f.cy);
        BEF b = BaubfHolen();
        EXPECT_EQ(b.iarg[0], f.a0);
        EXPECT_EQ(b.iarg[1], f.a1);
        EXPECT_NEAR(b.darg[0], f.d0, 1e-9);
        EXPECT_NEAR(b.darg[1], f.d1, 1e-9);
        BaubfZuruecksetzen();
        position(0, 0);
    }
}

TEST_F(BaubfTest, NextStepCyclesPerCode)
{
    struct Fall {
        int code;
        std::vector<int> folge;
    } faelle[] = {
        {RTK, {2, 0, 1, 2}},
        {QVB, {2, 0, 1}},
        {ZML, {2, 3, 4, 5, 6, 7, 8, 0, 1}},
        {TZ_ZL, {0, 1, 0}},
        {TEXT, {0, 0}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.code);
        BaubfStartenBei(f.code, 0, 0);
        for (int s : f.folge) {
            BaubfNaechsterSchritt();
            EXPECT_EQ(BaubfSchrittHolen(), s);
        }
        BaubfZuruecksetzen();
    }
}

TEST_F(BaubfTest, FinishCommitsAndContinuesALineButCancelsAZeroLine)
{
    baue(TZ_ZL, 1, 2, tzRec(TZ_ZL, {0.05, -0.09}));
    BaubfFertig();
    EXPECT_EQ(schlange(), std::vector<std::string>{"LUP -1 1"});
    EXPECT_EQ(BaubfAktiv(), 0);

    baue(TZ_ZL, 1, 2, tzRec(TZ_ZL, {3, 0}));
    position(4, 2);
    BaubfFertig();
    EXPECT_EQ(schlange(), (std::vector<std::string>{"_BA 0 1 2", "ZL 3 0", "_BA 0 4 2", "0"}));
    EXPECT_EQ(BaubfCode(), TZ_ZL) << "a new line follows";
    EXPECT_EQ(BaubfZustandHolen().x, 4);

    // The records build the drawing: one line in the store, one undo group.
    BaubfZuruecksetzen();
    baue(TZ_ZL, 1, 2, tzRec(TZ_ZL, {3, 0}));
    lauf([&] {
        BaubfFertig();
        BefAbarbeiten();
    });
    ASSERT_EQ(TzAnzahl(), 1);
    BEF b;
    STT s;
    TzObjHolen(TzNaechstes(-1), &b, &s);
    EXPECT_EQ(kurz(b), "ZL 3 0");
    EXPECT_EQ(s.x, 1);
}

TEST_F(BaubfTest, ArcCommitContinuesAtItsEnd)
{
    BefAktZustand()->mass = 2;
    baue(BOG, 10, 0, tzRec(BOG, {1, 1}, nullptr, {0, 1800}));
    BaubfAbsetzen();
    EXPECT_EQ(schlange(), (std::vector<std::string>{"_BA 0 10 0", "BOG 0 1800 0 1 1", "_BA 0 6 0"}));
}

TEST_F(BaubfTest, ReEditWithAGroupMovesTheGroupAlongAndUnflagsIt)
{
    int o = linie(10, 10, 5, 0);
    int g1 = linie(20, 20, 1, 1);
    int g2 = text(30, 30, "A");
    for (int id : {o, g1, g2}) TzMarkSetzen(id, 1);
    position(10, 10);
    BaubfStarten(TZ_ZL);
    BEF alt;
    STT as;
    TzObjHolen(o, &alt, &as);
    BaubfKopieren(&alt);
    BaubfObjektSetzen(o);
    int liste = TzPickMerken(g1);
    TzPickDazu(liste, g2);
    BaubfGruppeSetzen(liste);
    EXPECT_EQ(TzBearbeitungHolen(g1), 1);
    BaubfSchritt(0);
    maus(13, 14);  // the whole element follows: displacement (3, 4)
    BaubfAbsetzen();
    STT s;
    BEF b;
    TzObjHolen(g1, &b, &s);
    EXPECT_EQ(s.x, 23);
    EXPECT_EQ(s.y, 24);
    TzObjHolen(g2, &b, &s);
    EXPECT_EQ(s.x, 33);
    EXPECT_EQ(TzBearbeitungHolen(g1), 0);
    EXPECT_EQ(TzBearbeitungHolen(g2), 0);
    EXPECT_EQ(BaubfObjekt(), -1);

    // A re-edit whose object loses its mark ends at the next mouse move.
    TzMarkSetzen(o, 1);
    BaubfStartenBei(TZ_ZL, 10, 10);
    BaubfObjektSetzen(o);
    TzMarkSetzen(o, 0);
    schlange();
    maus(50, 50);
    EXPECT_EQ(BaubfAktiv(), 0);
    EXPECT_EQ(schlange(), std::vector<std::string>{"LUP -1 1"});
}

TEST_F(BaubfTest, SubCommandsAndSetRecord)
{
    BEF st = tzRec(159, {}, nullptr, {5, RTK});
    BaubfBefehl(&st);
    EXPECT_EQ(BaubfCode(), RTK);
    st = tzRec(159, {}, nullptr, {6, 2});
    BaubfBefehl(&st);
    EXPECT_EQ(BaubfSchrittHolen(), 2);
    schlange();
    // A component record with offset whose record causes no displacement
    // gets the default offset downwards.
    BaubfZuruecksetzen();
    BaubfStartenBei(ZBW, 0, 0);
    BEF z = tzRec(ZBW, {}, "FEHLT");
    BaubfSetzen(&z);
    EXPECT_EQ(BaubfHolen().darg[1], -10.0);
    st = tzRec(159, {}, nullptr, {0});
    BaubfBefehl(&st);
    EXPECT_EQ(BaubfAktiv(), 0) << "a new component is cancelled by the end";

    // The model's dimension handles and the executor's component insertion
    // reach this module through their service tables.
    BaubfHakenSetzen();
    BaubfStartenBei(TZ_ZL, 0, 0);
    modh::BaubfStartXY(3, 4);
    EXPECT_EQ(BaubfZustandHolen().x, 3);
    EXPECT_EQ(BaubfZustandHolen().y, 4);
    BauHistLeeren();
    BEF zb = tzRec(ZB, {}, "M1");
    STT s = tzStart();
    modh::BauHistEintragen(&zb, &s);
    EXPECT_EQ(BauHistZaehler(), 1);
    ModDiensteStandard();
}

TEST_F(BaubfTest, OverlayDrawsTheElementAndMarksItsHandles)
{
    baue(RTK, 0, 0, tzRec(RTK, {4, 2}));
    EXPECT_EQ(BaubfGeaendert(), 1);
    static std::vector<int> marken;
    marken.clear();
    EdmMalerSetzen([](double, double, int pixel, const int*) { marken.push_back(pixel); });
    BaubfZeigen();
    EdmMalerSetzen(nullptr);
    EXPECT_EQ(marken, (std::vector<int>{7, 5, 5}));
    EXPECT_EQ(BaubfGeaendert(), 0);
}

// The editor page's overlay after a repaint: the element with its handles
// and the markers of the parallel lines; busy while either differs from
// what was drawn last.
TEST_F(BaubfTest, ThePagesOverlayDrawsTheElementAndTheParallelLineMarkers)
{
    static std::vector<int> marken;
    MflInit();
    MflBefehl(1);
    EdmMalerSetzen([](double, double, int pixel, const int*) { marken.push_back(pixel); });
    EdtVorschauZeigen();
    marken.clear();
    EXPECT_EQ(EdtBeschaeftigt(), 0) << "nothing new to draw";
    baue(RTK, 0, 0, tzRec(RTK, {4, 2}));
    EXPECT_EQ(EdtBeschaeftigt(), 1);
    EdtVorschauZeigen();
    EXPECT_EQ(marken, (std::vector<int>{7, 5, 5}));
    EXPECT_EQ(EdtBeschaeftigt(), 0);

    BaubfZuruecksetzen();
    EdtVorschauZeigen();
    marken.clear();
    MflSerie(0, 100, 2, 0, 5, BefAktZustand());
    EXPECT_EQ(EdtBeschaeftigt(), 1);
    EdtVorschauZeigen();
    EXPECT_EQ(marken.size(), 2u) << "one marker per line end";
    EXPECT_EQ(EdtBeschaeftigt(), 0);
    EdmMalerSetzen(nullptr);
    MflInit();
}

TEST_F(BaubfTest, RecentComponentsKeepAHundredMostRecentFirstPerFile)
{
    BauHistLeeren();
    auto merke = [](const char* name, const char* datei) {
        BEF b = tzRec(ZB, {}, name);
        STT s = tzStart();
        std::snprintf(s.bd, sizeof s.bd, "%s", datei);
        BauHistMerken(&b, &s);
    };
    for (int i = 0; i < 101; ++i) merke(("B" + std::to_string(i)).c_str(), "LIB");
    char n[BAUHISTNAMESUP + 1];
    ASSERT_EQ(BauHistName(0, n, "lib"), 0);
    EXPECT_STREQ(n, "B100");
    ASSERT_EQ(BauHistName(99, n, "LIB"), 0);
    EXPECT_STREQ(n, "B1") << "B0 was dropped";
    EXPECT_EQ(BauHistName(100, n, "LIB"), -1);

    merke("b50", "lib");  // found ignoring case: moves to the front, counted
    ASSERT_EQ(BauHistName(0, n, "LIB"), 0);
    EXPECT_STREQ(n, "B50");
    EXPECT_EQ(BauHistAnzahl(0), 2);
    merke("ANDER", "ZWEI");
    ASSERT_EQ(BauHistName(0, n, "ZWEI"), 0);
    EXPECT_STREQ(n, "ANDER");
    EXPECT_EQ(BauHistName(1, n, "ZWEI"), -1);
    ASSERT_EQ(BauHistName(0, n, "LIB"), 0);
    EXPECT_STREQ(n, "B50");

    // Names are cut to 20 characters.
    merke("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "LIB");
    ASSERT_EQ(BauHistName(0, n, "LIB"), 0);
    EXPECT_STREQ(n, "ABCDEFGHIJKLMNOPQRST");

    BauHistLeeren();
    for (int i = 0; i < BAUZAEHLERSUP; ++i) merke("X", "L");
    EXPECT_EQ(BauHistZaehler(), 9999);
    merke("X", "L");
    EXPECT_EQ(BauHistZaehler(), 1);
}

}  // namespace
