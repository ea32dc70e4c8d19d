// Drag buttons on plain windows: what a press, moves and a release post to
// the parent, the 5-pixel threshold, the 100 slots; and a drag that never
// reached the drawing.
#include "editor/ziehknopf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "tests/editor/bautest.h"

namespace {

struct ZiehKnopfTest : BauTest {
    HWND eltern = 0;
    std::vector<HWND> knoepfe;
    void SetUp() override
    {
        BauTest::SetUp();
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "ZiehEltern";
        RegisterClass(&wc);
        eltern = CreateWindow("ZiehEltern", "", WS_VISIBLE, 0, 0, 400, 400, 0, 0, 0, nullptr);
        for (int i = 0; i < 101; ++i)
            knoepfe.push_back(CreateWindow("ZiehEltern", "", WS_CHILD | WS_VISIBLE, i, 0, 20, 20, eltern,
                                           static_cast<HMENU>(3000 + i), 0, nullptr));
    }
    void TearDown() override
    {
        for (int i = 0; i < 101; ++i) ZiehKnopfAbmelden(3000 + i);
        DestroyWindow(eltern);
        BauTest::TearDown();
    }
    // The codes posted to the parent for command 77.
    std::vector<int> gepostet()
    {
        std::vector<int> v;
        MSG m;
        while (PeekMessage(&m, eltern, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            if (LOWORD(m.wParam) == 77) v.push_back(static_cast<int>(m.lParam));
        return v;
    }
};

TEST_F(ZiehKnopfTest, APressBecomesADragOnlyAfterFivePixels)
{
    ZiehKnopfAnmelden(eltern, 3000, 77);
    struct Fall {
        const char* name;
        std::vector<POINT> zuege;
        std::vector<int> codes;
    } faelle[] = {
        {"4 pixels each way: moves and the end, no start", {{12, 12}, {14, 14}}, {2, 2, 3}},
        {"5 pixels across: the start, then every move", {{15, 10}, {16, 11}}, {1, 2, 2, 3}},
        {"5 pixels down", {{10, 15}}, {1, 2, 3}},
        {"a click", {}, {3}},
    };
    HWND k = knoepfe[0];
    for (const Fall& f : faelle) {
        SendMessage(k, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        for (POINT p : f.zuege) SendMessage(k, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        const POINT ende = f.zuege.empty() ? POINT{10, 10} : f.zuege.back();
        SendMessage(k, WM_LBUTTONUP, 0, MAKELPARAM(ende.x, ende.y));
        EXPECT_EQ(gepostet(), f.codes) << f.name;
        EXPECT_EQ(GetCapture(), 0u) << f.name;
    }
    // Moves without a press post nothing; the last point is kept.
    SendMessage(k, WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    EXPECT_TRUE(gepostet().empty());
    EXPECT_EQ(ZiehKnopfPos(3000).x, 10);
}

TEST_F(ZiehKnopfTest, AHundredSlotsThenPlainButtons)
{
    for (int i = 0; i < 101; ++i) ZiehKnopfAnmelden(eltern, 3000 + i, 77);
    EXPECT_EQ(ZiehKnopfAnzahl(), ZIEHKNOPFSUP);
    HWND letzter = knoepfe[100];
    SendMessage(letzter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessage(letzter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessage(letzter, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(gepostet().empty()) << "the 101st is not registered";
    ZiehKnopfAbmelden(3005);
    EXPECT_EQ(ZiehKnopfAnzahl(), ZIEHKNOPFSUP - 1);
}

TEST_F(ZiehKnopfTest, ADragThatNeverReachedTheDrawingEndsWithNothing)
{
    ZiehenAnfang(1, "ZL");
    ZiehenUeberFenster(eltern, 5, 5);
    EXPECT_EQ(ZiehenAktiv(), 0);
    EXPECT_EQ(ZiehenEnde(), 0);
    EXPECT_EQ(ZiehenEnde(), 0) << "no drag any more";
    ZiehenAnfang(2, "");
    EXPECT_EQ(ZiehenEnde(), 0) << "an empty name ends the drag at once";
    EXPECT_TRUE(schlange().empty());
}

}  // namespace
