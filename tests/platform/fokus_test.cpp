// Focus, activation, enabling and capture: a table of cases, each on a fresh
// pair of windows, with the messages that result.
#include "tests/platform/fenster_pruef.h"

using namespace pruef;
using V = std::vector<std::string>;

namespace {

// A: main window with children A1, A2 (A1 has the focus, A is active).
// B: a window owned by A with a child B1, inactive.
struct Welt {
    HWND a, a1, a2, b, b1;
};

struct FokusFall {
    const char* satz;
    std::function<void(const Welt&)> vorher;  // not logged
    std::function<void(const Welt&)> tun;
    V erwartet;
    std::function<void(const Welt&)> danach;  // further checks
};

POINT mitte(HWND h)
{
    RECT r;
    GetWindowRect(h, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void klickAuf(HWND h)
{
    POINT p = mitte(h);
    plHeadlessKlick(p.x, p.y);
    plHeadlessPumpen();
}

class Fokus : public Fixture {
protected:
    Welt bauen()
    {
        Welt w{};
        w.a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300);
        w.a1 = fenster("A1", WS_CHILD | WS_VISIBLE, 10, 10, 100, 30, w.a, 1);
        w.a2 = fenster("A2", WS_CHILD | WS_VISIBLE, 10, 50, 100, 30, w.a, 2);
        w.b = fenster("B", WS_OVERLAPPEDWINDOW, 600, 100, 300, 200, w.a);
        w.b1 = fenster("B1", WS_CHILD | WS_VISIBLE, 10, 10, 100, 30, w.b, 1);
        ShowWindow(w.b, SW_SHOWNOACTIVATE);
        SetFocus(w.a1);
        plHeadlessPumpen();
        return w;
    }
};

TEST_F(Fokus, TableOfFocusActivationEnablingAndCaptureCases)
{
    const std::set<UINT> standard = {WM_ACTIVATE, WM_NCACTIVATE, WM_ACTIVATEAPP, WM_SETFOCUS, WM_KILLFOCUS,
                                     WM_MOUSEACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_CAPTURECHANGED,
                                     WM_ENABLE, WM_CANCELMODE};
    const FokusFall faelle[] = {
        {"a click on a child of an inactive window activates it; the child gets the click, its window the focus",
         nullptr, [](const Welt& w) { klickAuf(w.b1); },
         V{"B1:MOUSEACTIVATE", "B:MOUSEACTIVATE", "A:NCACTIVATE", "A:ACTIVATE", "B:NCACTIVATE", "B:ACTIVATE",
           "A1:KILLFOCUS", "B:SETFOCUS", "B1:LBUTTONDOWN", "B1:LBUTTONUP"},
         [](const Welt& w) {
             EXPECT_EQ(GetActiveWindow(), w.b);
             EXPECT_EQ(GetFocus(), w.b);
         }},
        {"a click on a disabled child goes to its parent", [](const Welt& w) { EnableWindow(w.a2, FALSE); },
         [](const Welt& w) { klickAuf(w.a2); }, V{"A:LBUTTONDOWN", "A:LBUTTONUP"}, nullptr},
        {"a click on a window whose top-level window is disabled only asks for the cursor with HTERROR",
         [](const Welt& w) {
             SetActiveWindow(w.b);
             EnableWindow(w.a, FALSE);
             beachtet.insert(WM_SETCURSOR);
         },
         [](const Welt& w) { klickAuf(w.a1); }, V{"A1:SETCURSOR", "A:SETCURSOR"},
         [](const Welt& w) { EXPECT_EQ(GetActiveWindow(), w.b); }},
        {"a disabled window cannot take the focus", [](const Welt& w) { EnableWindow(w.a2, FALSE); },
         [](const Welt& w) { EXPECT_EQ(SetFocus(w.a2), 0u); }, V{},
         [](const Welt& w) { EXPECT_EQ(GetFocus(), w.a1); }},
        {"disabling the focus window cancels its mode and takes its focus away", nullptr,
         [](const Welt& w) { EXPECT_FALSE(EnableWindow(w.a1, FALSE)); },
         V{"A1:CANCELMODE", "A1:KILLFOCUS", "A1:ENABLE"},
         [](const Welt& w) {
             EXPECT_EQ(GetFocus(), 0u);
             EXPECT_FALSE(IsWindowEnabled(w.a1));
             EXPECT_TRUE(EnableWindow(w.a1, TRUE));  // it was disabled
         }},
        {"with capture a click on another window goes to the capturing window", nullptr,
         [](const Welt& w) {
             SetCapture(w.a1);
             klickAuf(w.b1);
         },
         V{"A1:LBUTTONDOWN", "A1:LBUTTONUP"}, [](const Welt& w) { EXPECT_EQ(GetActiveWindow(), w.a); }},
        {"capture moving between windows and released tells each loser", nullptr,
         [](const Welt& w) {
             SetCapture(w.a1);
             SetCapture(w.b1);
             ReleaseCapture();
         },
         V{"A1:CAPTURECHANGED", "B1:CAPTURECHANGED"}, [](const Welt&) { EXPECT_EQ(GetCapture(), 0u); }},
        {"destroying a window holding the capture releases it", nullptr,
         [](const Welt& w) {
             SetCapture(w.a2);
             DestroyWindow(w.a2);
         },
         V{"A2:CAPTURECHANGED"}, [](const Welt&) { EXPECT_EQ(GetCapture(), 0u); }},
        {"destroying the active owned window activates its owner", [](const Welt& w) { SetActiveWindow(w.b); },
         [](const Welt& w) { DestroyWindow(w.b); },
         V{"B:NCACTIVATE", "B:ACTIVATE", "A:NCACTIVATE", "A:ACTIVATE", "B:KILLFOCUS", "A:SETFOCUS"},
         [](const Welt& w) { EXPECT_EQ(GetActiveWindow(), w.a); }},
        {"destroying the last window deactivates the program", [](const Welt& w) { DestroyWindow(w.b); },
         [](const Welt& w) { DestroyWindow(w.a); },
         V{"A:NCACTIVATE", "A:ACTIVATE", "A:ACTIVATEAPP", "A1:KILLFOCUS"},
         [](const Welt&) {
             EXPECT_EQ(GetActiveWindow(), 0u);
             EXPECT_EQ(GetFocus(), 0u);
         }},
        {"a disabled window cannot be activated", [](const Welt& w) { EnableWindow(w.b, FALSE); },
         [](const Welt& w) { EXPECT_EQ(SetActiveWindow(w.b), 0u); }, V{},
         [](const Welt& w) { EXPECT_EQ(GetActiveWindow(), w.a); }},
        {"hiding the focused child gives the focus to its parent", nullptr,
         [](const Welt& w) { ShowWindow(w.a1, SW_HIDE); }, V{"A1:KILLFOCUS", "A:SETFOCUS"}, nullptr},
        {"focus into another window's child activates that window first", nullptr,
         [](const Welt& w) { SetFocus(w.b1); },
         V{"A:NCACTIVATE", "A:ACTIVATE", "B:NCACTIVATE", "B:ACTIVATE", "A1:KILLFOCUS", "B:SETFOCUS", "B:KILLFOCUS",
           "B1:SETFOCUS"},
         nullptr},
    };
    for (const FokusFall& f : faelle) {
        SCOPED_TRACE(f.satz);
        plFensterSystemEnde();
        SetUp();
        Welt w = bauen();
        if (f.vorher) f.vorher(w);
        plHeadlessPumpen();
        nimm();
        beachtet.insert(standard.begin(), standard.end());
        f.tun(w);
        EXPECT_EQ(nimm(), f.erwartet);
        if (f.danach) f.danach(w);
    }
}

TEST_F(Fokus, CapturedMouseGetsClientCoordinatesOfTheCapturingWindow)
{
    Welt w = bauen();
    SetCapture(w.a1);
    POINT p = plHeadlessPunkt(w.a1, -5, 200);
    std::vector<LPARAM> lps;
    eingriff = [&lps](HWND, UINT m, WPARAM, LPARAM lp, LRESULT&) {
        if (m == WM_LBUTTONDOWN) lps.push_back(lp);
        return false;
    };
    plHeadlessKlick(p.x, p.y);
    plHeadlessPumpen();
    ASSERT_EQ(lps.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(lps[0]), -5);
    EXPECT_EQ(GET_Y_LPARAM(lps[0]), 200);
}

}  // namespace
