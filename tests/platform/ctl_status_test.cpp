// Tests of the status bar and the tooltip control: parts, texts, placement
// along the parent, clicks as WM_NOTIFY; tools by window with subclassing
// and by rectangle with relayed mouse messages, texts asked by WM_NOTIFY,
// tips shown while another window is active. Headless backend.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ctl_button.h"
#include "platform/ctl_status.h"
#include "platform/ctl_tooltip.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/fensterint.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/uhr.h"

namespace {

struct Meldung {
    UINT code;
    UINT_PTR id;
    LONG_PTR teil;
};
std::vector<Meldung> meldungen;

LRESULT CALLBACK elternProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NOTIFY) {
        const NMHDR* n = reinterpret_cast<const NMHDR*>(lp);
        LONG_PTR teil = -2;
        if (n->code == NM_CLICK || n->code == NM_DBLCLK)
            teil = static_cast<LONG_PTR>(reinterpret_cast<const NMMOUSE*>(lp)->dwItemSpec);
        if (n->code == TTN_GETDISPINFO) {
            auto* di = reinterpret_cast<NMTTDISPINFO*>(lp);
            std::snprintf(di->szText, sizeof di->szText, "%s", "Schalter setzen");
        }
        meldungen.push_back(Meldung{n->code, n->idFrom, teil});
        return 0;
    }
    return DefWindowProc(h, msg, wp, lp);
}

class StatusTest : public ::testing::Test {
protected:
    HWND eltern = 0;
    void SetUp() override
    {
        // A fixed clock: timers, double clicks and delays are exact.
        plUhrFestsetzen(1767254400000);
        meldungen.clear();
        InitCommonControls();
        WNDCLASS wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = elternProc;
        wc.lpszClassName = "StatusEltern";
        RegisterClass(&wc);
        eltern = CreateWindow("StatusEltern", "Haupt", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 640, 400, 0, 0,
                              0, 0);
        ASSERT_NE(eltern, 0u);
    }
    void TearDown() override
    {
        plFensterSystemEnde();
        plUhrFreigeben();
    }
};

TEST_F(StatusTest, PartsTextsAndPlacement)
{
    HWND bar = CreateStatusWindow(WS_VISIBLE | SBARS_SIZEGRIP, "", eltern, 3000);
    ASSERT_NE(bar, 0u);
    // "48 72 60" in dialog units: running sums as right edges and a last part to the edge.
    int kanten[4] = {plDialogPixel(48), plDialogPixel(120), plDialogPixel(180), -1};
    ASSERT_TRUE(SendMessage(bar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(kanten)));
    int zurueck[8] = {};
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(zurueck)), 4);
    EXPECT_EQ(zurueck[1], plDialogPixel(120));
    EXPECT_EQ(zurueck[3], -1);
    RECT pc, br, teil;
    GetClientRect(eltern, &pc);
    GetWindowRect(bar, &br);
    POINT o{br.left, br.top};
    ScreenToClient(eltern, &o);
    EXPECT_EQ(o.x, 0);
    EXPECT_EQ(br.right - br.left, pc.right);
    EXPECT_EQ(o.y + (br.bottom - br.top), pc.bottom);
    ASSERT_TRUE(SendMessage(bar, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&teil)));
    EXPECT_EQ(teil.right, pc.right);
    ASSERT_TRUE(SendMessage(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&teil)));
    EXPECT_EQ(teil.right, plDialogPixel(120));
    // The bar follows the parent's size when told.
    int hoehe = br.bottom - br.top;
    MoveWindow(eltern, 100, 100, 500, 300, TRUE);
    SendMessage(bar, WM_SIZE, 0, 0);
    GetClientRect(eltern, &pc);
    GetWindowRect(bar, &br);
    EXPECT_EQ(br.right - br.left, pc.right);
    EXPECT_EQ(br.bottom - br.top, hoehe);
    // Texts with their kind in the high word.
    SendMessage(bar, SB_SETTEXT, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>("Zeichnung 1"));
    char t[64] = {};
    LRESULT r = SendMessage(bar, SB_GETTEXT, 1, reinterpret_cast<LPARAM>(t));
    EXPECT_STREQ(t, "Zeichnung 1");
    EXPECT_EQ(LOWORD(r), 11);
    EXPECT_EQ(HIWORD(r), SBT_POPOUT);
    EXPECT_EQ(LOWORD(SendMessage(bar, SB_GETTEXTLENGTH, 1, 0)), 11);
    EXPECT_FALSE(SendMessage(bar, SB_SETTEXT, 7, reinterpret_cast<LPARAM>("x")));  // no such part
}

TEST_F(StatusTest, ClicksAreNotifiedWithThePart)
{
    HWND bar = CreateStatusWindow(WS_VISIBLE, "", eltern, 3000);
    int kanten[3] = {100, 200, -1};
    SendMessage(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(kanten));
    plHeadlessPumpen();
    POINT p = plHeadlessPunkt(bar, 150, 8);
    plHeadlessKlick(p.x, p.y);
    plHeadlessKlick(p.x, p.y);
    plHeadlessPumpen();
    std::vector<UINT> codes;
    for (const Meldung& m : meldungen) {
        codes.push_back(m.code);
        EXPECT_EQ(m.id, 3000u);
        EXPECT_EQ(m.teil, 1);
    }
    EXPECT_EQ(codes, (std::vector<UINT>{NM_CLICK, NM_DBLCLK, NM_CLICK}));
}

class TippTest : public StatusTest {
protected:
    HWND knopf = 0, tipp = 0;
    void SetUp() override
    {
        StatusTest::SetUp();
        knopf = CreateWindow(WC_BUTTON, "Schalter", WS_CHILD | WS_VISIBLE, 20, 20, 100, 30, eltern,
                             static_cast<HMENU>(10), 0, 0);
        tipp = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, 0, 0, 0,
                              0);
        ASSERT_NE(tipp, 0u);
        plHeadlessPumpen();
    }
    std::vector<UINT> codes()
    {
        std::vector<UINT> v;
        for (const Meldung& m : meldungen) v.push_back(m.code);
        return v;
    }
};

TEST_F(TippTest, ToolByWindowWithSubclassAsksItsTextAndShowsWhileAnotherWindowIsActive)
{
    LONG_PTR proc = GetWindowLongPtr(knopf, GWLP_WNDPROC);
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = eltern;
    ti.uId = knopf;
    ti.lpszText = LPSTR_TEXTCALLBACK;
    ASSERT_TRUE(SendMessage(tipp, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(SendMessage(tipp, TTM_GETTOOLCOUNT, 0, 0), 1);
    // Another top-level window is active: the tip shows all the same.
    HWND anderes = CreateWindow("StatusEltern", "Anderes", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 900, 100, 300, 200, 0,
                                0, 0, 0);
    ASSERT_EQ(GetActiveWindow(), anderes);
    POINT p = plHeadlessPunkt(knopf, 10, 10);
    plHeadlessMausBewegen(p.x, p.y);
    plHeadlessPumpen();
    EXPECT_FALSE(IsWindowVisible(tipp));
    plHeadlessZeitVor(PL_TIPP_ANFANG + 10);
    EXPECT_TRUE(IsWindowVisible(tipp));
    char t[64];
    GetWindowText(tipp, t, sizeof t);
    EXPECT_STREQ(t, "Schalter setzen");
    EXPECT_EQ(GetActiveWindow(), anderes);
    ASSERT_FALSE(meldungen.empty());
    EXPECT_EQ(meldungen[0].code, TTN_GETDISPINFO);
    EXPECT_EQ(meldungen[0].id, static_cast<UINT_PTR>(knopf));
    EXPECT_EQ(codes(), (std::vector<UINT>{TTN_GETDISPINFO, TTN_SHOW}));
    // Leaving the control takes the tip away.
    POINT weg = plHeadlessPunkt(eltern, 300, 200);
    plHeadlessMausBewegen(weg.x, weg.y);
    plHeadlessZeitVor(150);
    EXPECT_FALSE(IsWindowVisible(tipp));
    EXPECT_EQ(codes().back(), TTN_POP);
    // Removing the tool puts the control's procedure back.
    SendMessage(tipp, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(GetWindowLongPtr(knopf, GWLP_WNDPROC), proc);
    EXPECT_EQ(SendMessage(tipp, TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(TippTest, ToolByRectangleWithRelayedMessagesGoesAfterThePopDelayAndOnAClick)
{
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = eltern;
    ti.uId = 7;
    ti.rect = RECT{200, 100, 300, 150};
    char text[] = "Feld";
    ti.lpszText = text;
    SendMessage(tipp, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    auto bewegen = [&](int x, int y, UINT msg = WM_MOUSEMOVE) {
        POINT s = plHeadlessPunkt(eltern, x, y);
        plHeadlessMausBewegen(s.x, s.y);
        plHeadlessPumpen();
        MSG m{eltern, msg, 0, MAKELPARAM(x, y), 0, s};
        SendMessage(tipp, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    };
    bewegen(50, 300);  // outside
    plHeadlessZeitVor(PL_TIPP_ANFANG + 10);
    EXPECT_FALSE(IsWindowVisible(tipp));
    bewegen(250, 120);
    plHeadlessZeitVor(PL_TIPP_ANFANG + 10);
    EXPECT_TRUE(IsWindowVisible(tipp));
    plHeadlessZeitVor(PL_TIPP_DAUER);
    EXPECT_FALSE(IsWindowVisible(tipp));
    bewegen(251, 121);
    plHeadlessZeitVor(PL_TIPP_ANFANG + 10);
    EXPECT_TRUE(IsWindowVisible(tipp));
    bewegen(251, 121, WM_LBUTTONDOWN);
    EXPECT_FALSE(IsWindowVisible(tipp));
    EXPECT_EQ(codes(), (std::vector<UINT>{TTN_SHOW, TTN_POP, TTN_SHOW, TTN_POP}));
}

TEST_F(TippTest, DestroyingTheTooltipReleasesSubclassedWindows)
{
    LONG_PTR proc = GetWindowLongPtr(knopf, GWLP_WNDPROC);
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = eltern;
    ti.uId = knopf;
    char text[] = "Hilfe";
    ti.lpszText = text;
    SendMessage(tipp, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_NE(GetWindowLongPtr(knopf, GWLP_WNDPROC), proc);
    DestroyWindow(tipp);
    EXPECT_EQ(GetWindowLongPtr(knopf, GWLP_WNDPROC), proc);
    // The button still works.
    SendMessage(knopf, BM_CLICK, 0, 0);
}

}  // namespace
