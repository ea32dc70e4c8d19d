// The position ring and the cursor commands through the queue.
#include "editor/posring.h"

#include "editor/befausf.h"
#include "tests/model/tztest.h"

namespace {

struct PosRingTest : TzTest {
    void SetUp() override
    {
        TzTest::SetUp();
        BefAusfInit();
        BefAusfHakenSetzen();
        STT s = tzStart();
        ZustandSetzen(&s);
        PosRingLeeren();
    }
    double x(int i)
    {
        double a, b;
        PosRingHolen(i, &a, &b);
        return a;
    }
    // Runs one cursor command; the position it moved to.
    double schritt(int code)
    {
        lauf([&] { befehle({tzRec(code)}); });
        return BefAktZustand()->x;
    }
};

TEST_F(PosRingTest, RecordingKeepsTheNewestLastAndSwapsAKnownPosition)
{
    for (int i = 1; i <= 22; ++i) PosRingMerken(i, 0);
    EXPECT_EQ(x(POSRINGSUP - 1), 22);
    EXPECT_EQ(x(0), 3);  // 1 and 2 dropped
    lauf([&] { befehle({tzRec(149)}); });  // CPV moves the cursor
    int cursor = PosRingCursor();
    PosRingMerken(10, 0);  // already there: swapped with the newest, nothing dropped
    EXPECT_EQ(x(POSRINGSUP - 1), 10);
    EXPECT_EQ(x(7), 22);
    EXPECT_EQ(x(0), 3);
    EXPECT_EQ(PosRingCursor(), cursor);
}

TEST_F(PosRingTest, CursorCommandsSkipEmptyEntriesAndTheCurrentPosition)
{
    EXPECT_EQ(schritt(150), 0);  // CPR on an empty ring queues nothing
    EXPECT_EQ(BefAnzahl(), 0);
    PosRingMerken(5, 0);
    PosRingMerken(7, 0);
    STT s = *BefAktZustand();
    s.x = 7;
    ZustandSetzen(&s);
    EXPECT_EQ(schritt(150), 5);  // back from 0: 19 is (7, 0), the current one; 18 is (5, 0)
    EXPECT_EQ(schritt(150), 7);
    EXPECT_EQ(schritt(149), 5);  // forward wraps through the empty entries
}

TEST_F(PosRingTest, DrawnElementsRecordTheirPositions)
{
    lauf([&] { befehle({tzRec(TZ_ZL, {10, 0}), tzRec(TZ_ZL, {0, 5})}); });
    EXPECT_EQ(x(POSRINGSUP - 1), 10);
    double a, b;
    PosRingHolen(POSRINGSUP - 1, &a, &b);
    EXPECT_EQ(b, 5);
}

}  // namespace
