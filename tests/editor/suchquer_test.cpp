// Cross-reference search and nearest text on the real store.
#include "editor/suchquer.h"

#include "editor/history.h"

#include "tests/editor/eqtexttest.h"

namespace {

constexpr int QVB = 92;

struct SuchquerTest : EqTextTest {
    void SetUp() override
    {
        EqTextTest::SetUp();
        STT s = bei(100, 100);
        ZustandSetzen(&s);
    }
    void marke(int code, double x, double y, int nr, std::vector<double> r = {})
    {
        BEF b = tzRec(code, r, nullptr, {nr});
        STT s = bei(x, y);
        TzEinfuegen(&b, &s);
    }
    // The input line and the start point queued (after the input line's
    // refresh record).
    std::string ergebnis()
    {
        std::string r = EingabeFeld();
        BEF b;
        for (; BefAnzahl() > 0; BefEntfernen()) {
            BefVorne(&b);
            if (b.code == 0) continue;
            r += " " + BefZuText(&b);
            break;
        }
        BefLeeren();
        EingabeFeldSetzen("");
        return r;
    }
};

TEST_F(SuchquerTest, TheNearestTextAtAMarkerShowsWithItsNumber)
{
    text(103, 100, "Nah");
    text(105, 100, "K1");
    marke(TZ_ZB + 11, 105, 100, 12);  // QVW at the second text
    QuerverweisSuchen();
    EXPECT_EQ(ergebnis(), "K1 <12> _BA 105,0000 100,0000");
    TextNaechster();
    EXPECT_EQ(ergebnis(), "Nah _BA 103,0000 100,0000");
}

TEST_F(SuchquerTest, MarkerPointsAndLimits)
{
    // A QVB's point is its third and fourth doubles under its state.
    text(110, 100, "K2");
    marke(QVB, 100, 100, 7, {1, 1, 10, 0});
    QuerverweisSuchen();
    EXPECT_EQ(ergebnis(), "K2 <7> _BA 110,0000 100,0000");

    // 0.2 away in x gives no number; beyond 20 units nothing is seen.
    TzLeeren();
    text(105, 100, "K3");
    marke(TZ_ZB + 11, 105.2, 100, 12);
    text(125, 100, "Fern");
    marke(TZ_ZB + 11, 125, 100, 13);
    QuerverweisSuchen();
    EXPECT_EQ(ergebnis(), "");
    TzLeeren();
    text(121, 100, "Fern");
    TextNaechster();
    EXPECT_EQ(ergebnis(), "");
}

}  // namespace
