// Tests of scroll bars on the headless backend: the value rules, window bars
// that hide or disable when not needed, the control's arrows, page areas,
// repeat, thumb tracking with 32-bit positions, keys and disabled arrows,
// and a window bar driven through its non-client press.
#include <string>

#include "platform/systemwerte.h"
#include "tests/platform/ctl_pruef.h"

using namespace ctlpruef;
using V = std::vector<std::string>;

namespace {

class Scroll : public Fixture {
protected:
    HWND leiste(DWORD stil = SBS_VERT, int b = 17, int h = 200)
    {
        HWND s = kind("SCROLLBAR", stil, 300, 20, b, h, 90);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 50, 0};
        SetScrollInfo(s, SB_CTL, &si, TRUE);
        plHeadlessPumpen();
        rollen.clear();
        return s;
    }
    static V nimmRollen()
    {
        V v;
        v.swap(rollen);
        return v;
    }
};

TEST_F(Scroll, ValuesAreKeptInRange)
{
    HWND s = kind("SCROLLBAR", SBS_HORZ, 10, 10, 200, 17, 91);
    EXPECT_EQ(GetScrollPos(s, SB_CTL), 0);
    int mn = -1, mx = -1;
    GetScrollRange(s, SB_CTL, &mn, &mx);
    EXPECT_EQ(mx, 0);  // a scroll bar control starts with an empty range
    struct Fall {
        int min, max;
        UINT page;
        int pos;
        int erwartetPos;
        UINT erwartetPage;
    } faelle[] = {
        {0, 100, 10, 95, 91, 10},   {0, 100, 0, 150, 100, 0},       {10, 20, 0, 5, 10, 0},
        {0, 10, 50, 5, 0, 11},      {0, 200000, 0, 70000, 70000, 0}, {-50, 50, 1, -60, -50, 1},
    };
    for (auto& f : faelle) {
        SCROLLINFO si{sizeof si, SIF_ALL, f.min, f.max, f.page, f.pos, 0};
        EXPECT_EQ(SetScrollInfo(s, SB_CTL, &si, FALSE), f.erwartetPos) << f.min << ".." << f.max;
        SCROLLINFO aus{sizeof aus, SIF_ALL, 0, 0, 0, 0, 0};
        ASSERT_TRUE(GetScrollInfo(s, SB_CTL, &aus));
        EXPECT_EQ(aus.nPos, f.erwartetPos);
        EXPECT_EQ(aus.nPage, f.erwartetPage);
        EXPECT_EQ(aus.nTrackPos, f.erwartetPos);
    }
    EXPECT_EQ(SetScrollPos(s, SB_CTL, 7, FALSE), -50);
    EXPECT_EQ(SendMessage(s, SBM_GETPOS, 0, 0), 7);
}

TEST_F(Scroll, WindowBarHidesOrDisablesWhenNotNeeded)
{
    HWND w = kind("CtlEltern", WS_VSCROLL | WS_BORDER, 10, 10, 200, 150, 92);
    RECT c0;
    GetClientRect(w, &c0);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 10, 20, 0, 0};
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    RECT c1;
    GetClientRect(w, &c1);
    EXPECT_FALSE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(c1.right - c0.right, GetSystemMetrics(SM_CXVSCROLL));

    si.nPage = 5;  // needed again: shown
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);

    si.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    si.nPage = 20;
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(EnableScrollBar(w, SB_VERT, ESB_DISABLE_BOTH));  // already disabled
    si.nPage = 5;
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    EXPECT_TRUE(EnableScrollBar(w, SB_VERT, ESB_DISABLE_BOTH));  // was enabled again

    EXPECT_TRUE(ShowScrollBar(w, SB_BOTH, FALSE));
    EXPECT_FALSE(GetWindowLong(w, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
    ShowScrollBar(w, SB_HORZ, TRUE);
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_HSCROLL);
    // Window bars start with the range 0..100.
    SCROLLINFO h{sizeof h, SIF_RANGE, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(w, SB_HORZ, &h));
    EXPECT_EQ(h.nMax, 100);
}

TEST_F(Scroll, ArrowsAndPageAreasSendTheirCodesToTheParent)
{
    HWND s = leiste();
    LPARAM gesehen = 0;
    eingriff = [&gesehen](UINT msg, WPARAM, LPARAM lp) -> LRESULT {
        if (msg == WM_VSCROLL) gesehen = lp;
        return -12345;
    };
    klick(s, 8, 5);
    klick(s, 8, 195);
    klick(s, 8, 25);   // above the thumb
    klick(s, 8, 170);  // below it
    EXPECT_EQ(nimmRollen(), (V{"V:0:0", "V:8:0", "V:1:0", "V:8:0", "V:2:0", "V:8:0", "V:3:0", "V:8:0"}));
    EXPECT_EQ(gesehen, static_cast<LPARAM>(s));
    EXPECT_EQ(GetScrollPos(s, SB_CTL), 50);  // the bar never moves itself
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(Scroll, HeldArrowRepeats)
{
    HWND s = leiste();
    int zaehler = 0;
    eingriff = [&zaehler](UINT msg, WPARAM wp, LPARAM) -> LRESULT {
        if (msg == WM_VSCROLL && LOWORD(wp) == SB_LINEDOWN && ++zaehler == 4) plHeadlessMausLoslassen(0);
        return -12345;
    };
    POINT p = plHeadlessPunkt(s, 8, 195);
    plHeadlessMausBewegen(p.x, p.y);
    plHeadlessMausDruecken(0);
    plHeadlessPumpen();
    EXPECT_EQ(nimmRollen(), (V{"V:1:0", "V:1:0", "V:1:0", "V:1:0", "V:8:0"}));
}

TEST_F(Scroll, ThumbTrackingReportsTheThirtyTwoBitTrackPosition)
{
    HWND s = leiste();
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 200000, 0, 100000, 0};
    SetScrollInfo(s, SB_CTL, &si, TRUE);
    std::vector<int> spur;
    bool stimmt = true;
    eingriff = [&](UINT msg, WPARAM wp, LPARAM) -> LRESULT {
        if (msg != WM_VSCROLL || (LOWORD(wp) != SB_THUMBTRACK && LOWORD(wp) != SB_THUMBPOSITION)) return -12345;
        SCROLLINFO t{sizeof t, SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0, 0};
        GetScrollInfo(s, SB_CTL, &t);
        spur.push_back(t.nTrackPos);
        stimmt = stimmt && HIWORD(wp) == static_cast<WORD>(t.nTrackPos) && t.nPos == 100000;
        return -12345;
    };
    // The thumb sits in the middle of the shaft.
    int y = 100;
    POINT a = plHeadlessPunkt(s, 8, y), b = plHeadlessPunkt(s, 8, y + 40);
    plHeadlessZiehen(a.x, a.y, b.x, b.y, 0, 4);
    plHeadlessPumpen();
    ASSERT_GE(spur.size(), 2u);
    EXPECT_TRUE(stimmt);
    for (size_t i = 1; i < spur.size(); ++i) EXPECT_GE(spur[i], spur[i - 1]);
    EXPECT_GT(spur.back(), 65535 + 100000 / 2);
    V r = nimmRollen();
    ASSERT_GE(r.size(), 3u);
    EXPECT_EQ(r[r.size() - 2].substr(0, 4), "V:4:");  // SB_THUMBPOSITION
    EXPECT_EQ(r.back(), "V:8:0");
    EXPECT_EQ(GetScrollPos(s, SB_CTL), 100000);
    SCROLLINFO t{sizeof t, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(s, SB_CTL, &t);
    EXPECT_EQ(t.nTrackPos, 100000);  // outside a drag the track position is the position
}

TEST_F(Scroll, KeysAndDisabledArrows)
{
    HWND s = leiste(SBS_VERT | WS_TABSTOP);
    SetFocus(s);
    taste(VK_DOWN);
    taste(VK_NEXT);
    taste(VK_HOME);
    taste(VK_LEFT);  // not a key of a vertical bar
    EXPECT_EQ(nimmRollen(), (V{"V:1:0", "V:8:0", "V:3:0", "V:8:0", "V:6:0", "V:8:0"}));

    EXPECT_TRUE(EnableScrollBar(s, SB_CTL, ESB_DISABLE_LTUP));
    klick(s, 8, 5);
    klick(s, 8, 195);
    EXPECT_EQ(nimmRollen(), (V{"V:1:0", "V:8:0"}));
    EXPECT_TRUE(EnableScrollBar(s, SB_CTL, ESB_DISABLE_BOTH));
    klick(s, 8, 195);
    taste(VK_DOWN);
    EXPECT_TRUE(nimmRollen().empty());
    // With SIF_DISABLENOSCROLL a range that is not needed disables the bar.
    EnableScrollBar(s, SB_CTL, ESB_ENABLE_BOTH);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    SetScrollInfo(s, SB_CTL, &si, TRUE);
    klick(s, 8, 195);
    EXPECT_TRUE(nimmRollen().empty());
}

TEST_F(Scroll, WindowBarPressRunsTheTrackingLoop)
{
    HWND e = eltern;
    eingriff = [e](UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_NCLBUTTONDOWN && plScrollNcKlick(e, msg, wp, lp)) return 0;
        return -12345;
    };
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 50, 10, 20, 0};
    SetScrollInfo(e, SB_VERT, &si, TRUE);
    ASSERT_TRUE(GetWindowLong(e, GWL_STYLE) & WS_VSCROLL);
    RECT c;
    GetClientRect(e, &c);
    POINT p = plHeadlessPunkt(e, c.right + 8, c.bottom - 5);
    plHeadlessKlick(p.x, p.y);
    plHeadlessPumpen();
    EXPECT_EQ(nimmRollen(), (V{"V:1:0", "V:8:0"}));
    p = plHeadlessPunkt(e, c.right + 8, 5);
    plHeadlessKlick(p.x, p.y);
    plHeadlessPumpen();
    EXPECT_EQ(nimmRollen(), (V{"V:0:0", "V:8:0"}));
    // The system command of the press does the same.
    eingriff = [e](UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_NCLBUTTONDOWN && wp == HTVSCROLL) return SendMessage(e, WM_SYSCOMMAND, SC_VSCROLL | HTVSCROLL, lp);
        if (msg == WM_SYSCOMMAND && plScrollNcKlick(e, msg, wp, lp)) return 0;
        return -12345;
    };
    p = plHeadlessPunkt(e, c.right + 8, c.bottom - 5);
    plHeadlessKlick(p.x, p.y);
    plHeadlessPumpen();
    EXPECT_EQ(nimmRollen(), (V{"V:1:0", "V:8:0"}));
    // A window that leaves both to the default procedure scrolls as well.
    eingriff = [](UINT, WPARAM, LPARAM) -> LRESULT { return -12345; };
    p = plHeadlessPunkt(e, c.right + 8, 5);
    plHeadlessKlick(p.x, p.y);
    plHeadlessPumpen();
    EXPECT_EQ(nimmRollen(), (V{"V:0:0", "V:8:0"}));
}

}  // namespace
