// Line gaps and attached lines on the real store.
#include "editor/linien.h"

#include <algorithm>
#include <cmath>

#include "tests/editor/eqtexttest.h"

namespace {

constexpr int UNT = 95;

using LinienTest = EqTextTest;

TEST_F(LinienTest, GapsOutOfALine)
{
    struct Fall {
        double x0, y0, x1, y1;
        std::vector<std::string> bleiben;
    } faelle[] = {
        {40, 0, 60, 0, {"0,0..40,0", "60,0..100,0"}},
        {60, 0, 40, 0, {"0,0..40,0", "60,0..100,0"}},
        {-5, 0, 30, 0, {"30,0..100,0"}},
        {70, 0, 105, 0, {"0,0..70,0"}},
        {-20, 0, -15, 0, {"0,0..100,0"}},
        {-20, 0, 120, 0, {"0,0..100,0"}},
        {40, 0.2, 60, 0, {"0,0..100,0"}},   // off the line
        // Within the slack of an end but off the line: not lengthened.
        {-8, 0, -2, 0, {"0,0..100,0"}},
        // Within the slack of both ends: no reversed stub.
        {-5, 0, 105, 0, {"0,0..100,0"}},
        {50, 0, 50, 0, {"0,0..100,0"}},
    };
    for (const Fall& f : faelle) {
        TzLeeren();
        linie(0, 0, 100, 0);
        LinienTrennen(f.x0, f.y0, f.x1, f.y1);
        EXPECT_EQ(strecken(), f.bleiben) << f.x0 << "," << f.y0 << " " << f.x1 << "," << f.y1;
    }
    // A scaled and turned line is cut in the drawing's units.
    TzLeeren();
    BEF b = tzRec(TZ_ZL, {5, 0});
    STT s = bei(10, 0);
    s.mass = s.msf = 2;
    s.richtung = 900;
    TzEinfuegen(&b, &s);
    LinienTrennen(10, 2, 10, 4);
    EXPECT_EQ(strecken(), (std::vector<std::string>{"10,0..10,2", "10,4..10,10"}));
}

TEST_F(LinienTest, ABreakCutsTheHorizontalAndVerticalLinesItCrosses)
{
    linie(0, 0, 100, 0);
    linie(50, -20, 0, 40);
    linie(0, 30, 100, 0);   // outside the rectangle
    BEF unt = tzRec(UNT, {10, 10});
    STT s = bei(45, -5);
    UnterbrechungSetzen(&unt, &s);
    EXPECT_EQ(strecken(), (std::vector<std::string>{"0,0..45,0", "0,30..100,30", "50,-20..50,-5", "50,5..50,20",
                                                    "55,0..100,0"}));
    // Not at a multiple of 90 degrees, or of no length: nothing.
    const std::vector<std::string> vorher = strecken();
    s.richtung = 450;
    UnterbrechungSetzen(&unt, &s);
    BEF null = tzRec(UNT, {0.05, 0});
    STT t = bei(20, 0);
    UnterbrechungSetzen(&null, &t);
    EXPECT_EQ(strecken(), vorher);
}

TEST_F(LinienTest, AttachedLinesFollowAStraightMove)
{
    // A component's extent (40, 40)..(60, 50); lines end at its lower edge.
    const double box[4] = {40, 40, 60, 50};
    linie(45, 40, 0, -40);     // down from the edge: stretched
    linie(55, 30.05, 0, 9.95); // up to the edge: left 0.05 long, deleted
    linie(70, 40, 0, -10);     // outside the extent's x range
    linie(50, 40, 10, 0);      // horizontal
    const int obj = text(50, 45, "K");

    // A move in both directions is left alone.
    AnhangZuruecksetzen();
    AnhangVerschieben(obj, 0, 50, 40, 45, 30, box);
    AnhangVerschieben(obj, 1, 50, 40, 45, 30, box);
    const std::vector<std::string> vorher = strecken();
    EXPECT_EQ(vorher.size(), 4u);

    AnhangZuruecksetzen();
    AnhangVerschieben(obj, 0, 50, 40, 50, 30, box);
    AnhangVerschieben(obj, 1, 50, 40, 50, 30, box);
    EXPECT_EQ(strecken(), (std::vector<std::string>{"45,30..45,0", "50,40..60,40", "70,40..70,30"}));

    // Along x: a horizontal line ending at the left edge follows it.
    TzLeeren();
    linie(0, 45, 40, 0);
    const int k = text(50, 45, "K");
    AnhangZuruecksetzen();
    AnhangVerschieben(k, 0, 40, 45, 30, 45, box);
    AnhangVerschieben(k, 1, 40, 45, 30, 45, box);
    EXPECT_EQ(strecken(), (std::vector<std::string>{"0,45..30,45"}));

    // A further move without a reset in between: the first move's entry
    // was used up and does not turn the horizontal line.
    const double box2[4] = {30, 40, 50, 50};
    AnhangVerschieben(k, 0, 50, 45, 50, 50, box2);
    AnhangVerschieben(k, 1, 50, 45, 50, 50, box2);
    EXPECT_EQ(strecken(), (std::vector<std::string>{"0,45..30,45"}));
}

}  // namespace
