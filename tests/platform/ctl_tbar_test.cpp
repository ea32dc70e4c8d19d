// Tests of the tool bar control: layout along the top of the parent, item
// rectangles with separators, images drawn from the strips, clicks sent to
// the parent and ignored on disabled buttons, one tooltip tool per button.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ctl_tbar.h"
#include "platform/ctl_tooltip.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/uhr.h"

namespace {

std::vector<WPARAM> befehle;

LRESULT CALLBACK elternProz(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COMMAND) befehle.push_back(wp);
    return DefWindowProc(h, m, wp, lp);
}

HBITMAP streifen()
{
    HDC s = GetDC(0);
    HBITMAP b = CreateCompatibleBitmap(s, 32, 16);
    HDC dc = CreateCompatibleDC(s);
    HGDIOBJ alt = SelectObject(dc, b);
    RECT l{0, 0, 16, 16}, r{16, 0, 32, 16};
    HBRUSH rot = CreateSolidBrush(RGB(255, 0, 0)), blau = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &l, rot);
    FillRect(dc, &r, blau);
    DeleteObject(rot);
    DeleteObject(blau);
    SelectObject(dc, alt);
    DeleteDC(dc);
    ReleaseDC(0, s);
    return b;
}

TEST(Werkzeugleiste, ButtonsLayOutDrawAndClick)
{
    plFensterSystemEnde();
    plUhrFestsetzen(1767254400000);
    befehle.clear();
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = elternProz;
    wc.lpszClassName = "LeisteEltern";
    ASSERT_NE(RegisterClassEx(&wc), 0);
    HWND eltern = CreateWindowEx(0, "LeisteEltern", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, 0, nullptr);
    plTbarKlasseRegistrieren();
    HWND t = CreateWindowEx(0, TOOLBARCLASSNAME, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0, 0,
                            eltern, static_cast<HMENU>(1), 0, nullptr);
    ASSERT_NE(t, 0u);
    SendMessage(t, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessage(t, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    SendMessage(t, TB_SETBUTTONSIZE, 0, MAKELPARAM(24, 22));
    HBITMAP b = streifen();
    TBADDBITMAP ab{0, b};
    EXPECT_EQ(SendMessage(t, TB_ADDBITMAP, 2, reinterpret_cast<LPARAM>(&ab)), 0);
    TBBUTTON k[3] = {{0, 101, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
                     {0, 0, 0, TBSTYLE_SEP, {}, 0, 0},
                     {1, 102, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0}};
    ASSERT_TRUE(SendMessage(t, TB_ADDBUTTONS, 3, reinterpret_cast<LPARAM>(k)));
    EXPECT_EQ(SendMessage(t, TB_BUTTONCOUNT, 0, 0), 3);
    SendMessage(t, TB_AUTOSIZE, 0, 0);

    RECT r{};
    GetWindowRect(t, &r);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 22 + 2 * PL_TBAR_RAND);
    RECT p{};
    ASSERT_TRUE(SendMessage(t, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&p)));
    EXPECT_EQ(p.left, 24 + PL_TBAR_LUECKE);
    EXPECT_EQ(p.right, 48 + PL_TBAR_LUECKE);

    plHeadlessPumpen();
    EXPECT_EQ(plFensterPixel(t, 12, 2 + 11), RGB(255, 0, 0));
    EXPECT_EQ(plFensterPixel(t, p.left + 12, 2 + 11), RGB(0, 0, 255));

    POINT mitte = plHeadlessPunkt(t, p.left + 12, 10);
    plHeadlessKlick(mitte.x, mitte.y);
    plHeadlessPumpen();
    ASSERT_EQ(befehle.size(), 1u);
    EXPECT_EQ(LOWORD(befehle[0]), 102);
    SendMessage(t, TB_ENABLEBUTTON, 102, MAKELPARAM(FALSE, 0));
    EXPECT_FALSE(SendMessage(t, TB_ISBUTTONENABLED, 102, 0));
    plHeadlessKlick(mitte.x, mitte.y);
    plHeadlessPumpen();
    EXPECT_EQ(befehle.size(), 1u);

    HWND tipp = static_cast<HWND>(SendMessage(t, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tipp, 0u);
    EXPECT_EQ(SendMessage(tipp, TTM_GETTOOLCOUNT, 0, 0), 2);
    DestroyWindow(eltern);
    DeleteObject(b);
    plFensterSystemEnde();
    plUhrFreigeben();
}

}  // namespace
