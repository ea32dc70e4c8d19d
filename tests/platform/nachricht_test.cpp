// Scenario tests of the message model on the headless backend: creation
// order, send inside send, post order against input and timers, WM_PAINT
// only when the queue is empty, nested loops, destroy order, subclassing.
#include "tests/platform/fenster_pruef.h"

using namespace pruef;
using V = std::vector<std::string>;

namespace {

class Nachricht : public Fixture {};

TEST_F(Nachricht, CreationOfVisibleTopLevelAndChildFollowsWindowsOrder)
{
    beachtet = {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
                WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE,
                WM_SETFOCUS, WM_PARENTNOTIFY};
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
    ASSERT_NE(a, 0u);
    EXPECT_EQ(nimm(), (V{"A:GETMINMAXINFO", "A:NCCREATE", "A:NCCALCSIZE", "A:CREATE", "A:SIZE", "A:MOVE",
                         "A:SHOWWINDOW", "A:WINDOWPOSCHANGING", "A:ACTIVATEAPP", "A:NCACTIVATE", "A:ACTIVATE",
                         "A:SETFOCUS", "A:WINDOWPOSCHANGED"}));
    HWND k = fenster("K", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, a, 7);
    ASSERT_NE(k, 0u);
    EXPECT_EQ(nimm(), (V{"K:NCCREATE", "K:NCCALCSIZE", "K:CREATE", "K:SIZE", "K:MOVE", "A:PARENTNOTIFY",
                         "K:SHOWWINDOW", "K:WINDOWPOSCHANGING", "K:WINDOWPOSCHANGED"}));
    EXPECT_EQ(GetParent(k), a);
    EXPECT_EQ(GetDlgCtrlID(k), 7);
    EXPECT_EQ(GetWindow(a, GW_CHILD), k);
    RECT c;
    GetClientRect(k, &c);
    EXPECT_EQ(c.right, 50);
    EXPECT_EQ(c.bottom, 20);
}

TEST_F(Nachricht, CreateRefusedByNcCreateOrCreateLeavesNoWindow)
{
    for (UINT verweigert : {static_cast<UINT>(WM_NCCREATE), static_cast<UINT>(WM_CREATE)}) {
        eingriff = [verweigert](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
            if (m != verweigert) return false;
            r = m == WM_NCCREATE ? FALSE : -1;
            return true;
        };
        beachtet = {WM_DESTROY, WM_NCDESTROY};
        HWND a = fenster("A", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
        EXPECT_EQ(a, 0u);
        V erwartet = verweigert == WM_CREATE ? V{"A:DESTROY", "A:NCDESTROY"} : V{"A:NCDESTROY"};
        EXPECT_EQ(nimm(), erwartet);
        EXPECT_EQ(FindWindow("Rec", nullptr), 0u);
        namen.clear();
    }
}

TEST_F(Nachricht, SendInsideSendIsReentrantAndReturnsEachResult)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    HWND b = fenster("B", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    beachtet = {WM_USER, WM_USER + 1, WM_USER + 2};
    eingriff = [a, b](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (h == a && m == WM_USER) {
            r = SendMessage(b, WM_USER + 1, 0, 0) + 1;
            protokoll.push_back("A:USER fertig");
            return true;
        }
        if (h == b && m == WM_USER + 1) {
            r = SendMessage(a, WM_USER + 2, 0, 0) * 10;
            return true;
        }
        if (h == a && m == WM_USER + 2) {
            r = 4;
            return true;
        }
        return false;
    };
    nimm();
    EXPECT_EQ(SendMessage(a, WM_USER, 0, 0), 41);
    EXPECT_EQ(nimm(), (V{"A:USER", "B:USER1", "A:USER2", "A:USER fertig"}));
}

TEST_F(Nachricht, PostedBeforeInputBeforeQuitPaintAndTimer)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100);
    plHeadlessPumpen();
    nimm();
    beachtet = {WM_USER, WM_USER + 1, WM_USER + 2, WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_PAINT, WM_TIMER};
    eingriff = [a](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        // A message posted while input is handled comes before the next input.
        if (h == a && m == WM_KEYDOWN) PostMessage(a, WM_USER + 2, 0, 0);
        return false;
    };
    SetTimer(a, 1, 10, nullptr);
    plUhrVorruecken(10);
    InvalidateRect(a, nullptr, TRUE);
    plHeadlessTaste('Q');
    PostMessage(a, WM_USER, 0, 0);
    PostMessage(a, WM_USER + 1, 0, 0);
    V erwartet{"A:USER", "A:USER1", "A:KEYDOWN", "A:CHAR", "A:USER2", "A:KEYUP", "A:PAINT", "A:TIMER"};
    V ist;
    MSG m;
    while (GetMessage(&m, 0, 0, 0)) {
        TranslateMessage(&m);
        DispatchMessage(&m);
        for (auto& s : nimm()) ist.push_back(s);
        if (m.message == WM_TIMER) break;
    }
    EXPECT_EQ(ist, erwartet);
}

TEST_F(Nachricht, PaintComesOnlyWhenNothingElseWaitsAndOnceUntilInvalidAgain)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100);
    plHeadlessPumpen();
    nimm();
    beachtet = {WM_USER, WM_PAINT, WM_ERASEBKGND, WM_NCPAINT};
    InvalidateRect(a, nullptr, TRUE);
    PostMessage(a, WM_USER, 0, 0);
    EXPECT_EQ(pumpen(), (V{"A:USER", "A:PAINT", "A:ERASEBKGND"}));
    EXPECT_EQ(pumpen(), V{});
    // Validated regions make no paint; a partial invalidation paints only it.
    RECT r{10, 10, 20, 20};
    InvalidateRect(a, &r, FALSE);
    ValidateRect(a, &r);
    EXPECT_EQ(pumpen(), V{});
    PAINTSTRUCT ps{};
    eingriff = [&ps](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m != WM_PAINT) return false;
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        return true;
    };
    InvalidateRect(a, &r, FALSE);
    RECT r2{30, 5, 40, 15};
    InvalidateRect(a, &r2, FALSE);
    EXPECT_EQ(pumpen(), V{"A:PAINT"});
    EXPECT_EQ(ps.rcPaint.left, 10);
    EXPECT_EQ(ps.rcPaint.top, 5);
    EXPECT_EQ(ps.rcPaint.right, 40);
    EXPECT_EQ(ps.rcPaint.bottom, 20);
    EXPECT_FALSE(ps.fErase);
}

TEST_F(Nachricht, NestedLoopInsideSentMessageRunsAndReturns)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    beachtet = {WM_USER, WM_USER + 1, WM_USER + 2, WM_USER + 3};
    nimm();
    int tiefe = 0;
    eingriff = [a, &tiefe](HWND h, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
        if (h != a) return false;
        if (m == WM_USER) {
            // A modal loop run from inside a send; USER3 ends it.
            ++tiefe;
            PostMessage(a, WM_USER + 1, static_cast<WPARAM>(tiefe), 0);
            MSG x;
            while (GetMessage(&x, 0, 0, 0)) {
                DispatchMessage(&x);
                if (x.message == WM_USER + 3) break;
            }
            --tiefe;
            r = 99;
            return true;
        }
        if (m == WM_USER + 1) {
            if (wp == 1) SendMessage(a, WM_USER, 0, 0);  // a second loop inside the first
            PostMessage(a, WM_USER + 3, 0, 0);
            return true;
        }
        return m == WM_USER + 2;
    };
    PostMessage(a, WM_USER + 2, 0, 0);
    EXPECT_EQ(SendMessage(a, WM_USER, 0, 0), 99);
    EXPECT_EQ(tiefe, 0);
    EXPECT_EQ(nimm(), (V{"A:USER", "A:USER2", "A:USER1", "A:USER", "A:USER1", "A:USER3", "A:USER3"}));
    // The quit message ends an inner loop and stays visible to the outer one.
    PostQuitMessage(3);
    MSG q;
    EXPECT_EQ(GetMessage(&q, 0, 0, 0), FALSE);
    EXPECT_EQ(q.wParam, 3u);
}

TEST_F(Nachricht, DestroyTakesOwnedWindowsFirstThenDestroyTopDownNcDestroyBottomUp)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300);
    HWND k1 = fenster("K1", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, a, 1);
    HWND k2 = fenster("K2", WS_CHILD | WS_VISIBLE, 60, 0, 50, 50, a, 2);
    HWND e = fenster("E", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, k1, 3);
    HWND o = fenster("O", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, a);
    ASSERT_TRUE(a && k1 && k2 && e && o);
    EXPECT_EQ(GetWindow(o, GW_OWNER), a);
    EXPECT_EQ(GetParent(o), a);
    SetTimer(k1, 1, 100, nullptr);
    SetTimer(o, 2, 100, nullptr);
    beachtet = {WM_DESTROY, WM_NCDESTROY};
    nimm();
    EXPECT_TRUE(DestroyWindow(a));
    EXPECT_EQ(plNachrichtTimerAnzahl(), 0);
    EXPECT_EQ(nimm(), (V{"O:DESTROY", "O:NCDESTROY", "A:DESTROY", "K1:DESTROY", "E:DESTROY", "K2:DESTROY",
                         "E:NCDESTROY", "K1:NCDESTROY", "K2:NCDESTROY", "A:NCDESTROY"}));
    for (HWND h : {a, k1, k2, e, o}) {
        EXPECT_FALSE(IsWindow(h));
        EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 0);
        EXPECT_FALSE(PostMessage(h, WM_USER, 0, 0));
        EXPECT_EQ(GetWindowLongPtr(h, GWL_STYLE), 0);
    }
    EXPECT_FALSE(DestroyWindow(a));
    // A brush handle or a made-up id is no window either.
    EXPECT_FALSE(IsWindow(GetSysColorBrush(COLOR_WINDOW)));
    EXPECT_FALSE(IsWindow(0x12345678u));
}

TEST_F(Nachricht, DestroyInsideDestroyHandlerAndChildDestroyNotifiesParent)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300);
    HWND k = fenster("K", WS_CHILD, 0, 0, 50, 50, a, 4);
    beachtet = {WM_DESTROY, WM_NCDESTROY, WM_PARENTNOTIFY};
    eingriff = [a, k](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_DESTROY && h == a) DestroyWindow(a);  // no second round
        if (m == WM_PARENTNOTIFY && h == a) {
            EXPECT_TRUE(IsWindow(k));
        }
        return false;
    };
    nimm();
    DestroyWindow(k);
    EXPECT_EQ(nimm(), (V{"A:PARENTNOTIFY", "K:DESTROY", "K:NCDESTROY"}));
    DestroyWindow(a);
    EXPECT_EQ(nimm(), (V{"A:DESTROY", "A:NCDESTROY"}));
}

LRESULT CALLBACK sub1(HWND h, UINT m, WPARAM wp, LPARAM lp);
LRESULT CALLBACK sub2(HWND h, UINT m, WPARAM wp, LPARAM lp);
WNDPROC vorSub1 = nullptr, vorSub2 = nullptr;

LRESULT CALLBACK sub1(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_USER) protokoll.push_back("sub1");
    if (m == WM_USER + 1) return 11;  // eaten here
    return CallWindowProc(vorSub1, h, m, wp, lp);
}

LRESULT CALLBACK sub2(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_USER) protokoll.push_back("sub2");
    return CallWindowProc(vorSub2, h, m, wp, lp) + (m == WM_USER ? 100 : 0);
}

TEST_F(Nachricht, SubclassingChainsCallInOrderAndUnwind)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    beachtet = {WM_USER, WM_USER + 1};
    eingriff = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        r = 1;
        return m == WM_USER;
    };
    vorSub1 = reinterpret_cast<WNDPROC>(SetWindowLongPtr(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sub1)));
    vorSub2 = reinterpret_cast<WNDPROC>(SetWindowLongPtr(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sub2)));
    EXPECT_EQ(vorSub1, benennender);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtr(a, GWLP_WNDPROC)), sub2);
    nimm();
    EXPECT_EQ(SendMessage(a, WM_USER, 0, 0), 101);
    EXPECT_EQ(nimm(), (V{"sub2", "sub1", "A:USER"}));
    EXPECT_EQ(SendMessage(a, WM_USER + 1, 0, 0), 11);
    EXPECT_EQ(nimm(), V{});
    // Unhooking in reverse order restores the original procedure.
    SetWindowLongPtr(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(vorSub2));
    SetWindowLongPtr(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(vorSub1));
    EXPECT_EQ(SendMessage(a, WM_USER, 0, 0), 1);
    EXPECT_EQ(nimm(), V{"A:USER"});
}

TEST_F(Nachricht, TimersFireOncePerExpiryOnTheVirtualClock)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    beachtet = {WM_TIMER};
    nimm();
    EXPECT_EQ(SetTimer(a, 7, 100, nullptr), 7u);
    plHeadlessZeitVor(350);
    EXPECT_EQ(nimm(), (V{"A:TIMER", "A:TIMER", "A:TIMER"}));
    // A late loop gets one WM_TIMER, not a pile.
    plUhrVorruecken(1000);
    plHeadlessPumpen();
    EXPECT_EQ(nimm(), V{"A:TIMER"});
    // Re-setting replaces the timer; 1 ms periods work.
    SetTimer(a, 7, 1, nullptr);
    plHeadlessZeitVor(5);
    EXPECT_EQ(nimm().size(), 5u);
    EXPECT_TRUE(KillTimer(a, 7));
    EXPECT_FALSE(KillTimer(a, 7));
    plHeadlessZeitVor(500);
    EXPECT_EQ(nimm(), V{});
}

int timerProcAufrufe = 0;
void CALLBACK zaehlProc(HWND, UINT m, UINT_PTR, DWORD)
{
    if (m == WM_TIMER) ++timerProcAufrufe;
}

TEST_F(Nachricht, GetMessageWaitsForTheNextTimerAndTimerProcsRun)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    timerProcAufrufe = 0;
    UINT_PTR ohne = SetTimer(0, 0, 250, zaehlProc);
    EXPECT_NE(ohne, 0u);
    SetTimer(a, 2, 1000, nullptr);
    DWORD start = GetTickCount();
    MSG m;
    int fensterTimer = 0;
    while (fensterTimer == 0 && GetMessage(&m, 0, 0, 0)) {
        if (m.message == WM_TIMER && m.hwnd == a) ++fensterTimer;
        DispatchMessage(&m);
    }
    EXPECT_EQ(GetTickCount() - start, 1000u);
    EXPECT_EQ(timerProcAufrufe, 4);
    EXPECT_EQ(static_cast<DWORD>(GetMessageTime()), GetTickCount());
    KillTimer(0, ohne);
    KillTimer(a, 2);
    // Nothing left to wait for: the loop ends instead of hanging.
    EXPECT_EQ(GetMessage(&m, 0, 0, 0), FALSE);
}

TEST_F(Nachricht, PeekWithRangeAndNoRemoveLeavesOtherMessages)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100);
    plHeadlessPumpen();
    PostMessage(a, WM_USER, 1, 0);
    PostMessage(a, WM_COMMAND, 2, 0);
    plHeadlessTaste(VK_ESCAPE);
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, 0, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(VK_ESCAPE));
    ASSERT_TRUE(PeekMessage(&m, 0, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(m.wParam, 2u);
    V reihe;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) reihe.push_back(nachrichtName(m.message));
    EXPECT_EQ(reihe, (V{"USER", "KEYDOWN", "KEYUP"}));
    EXPECT_EQ(PeekMessage(&m, 0x7777u, 0, 0, PM_REMOVE), FALSE);
    EXPECT_EQ(GetMessage(&m, 0x7777u, 0, 0), -1);
}

TEST_F(Nachricht, LongValuesExtraBytesAndStyleChanges)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    EXPECT_EQ(SetWindowLongPtr(a, 8, 0x1234), 0);
    EXPECT_EQ(GetWindowLongPtr(a, 8), 0x1234);
    EXPECT_EQ(GetWindowLong(a, 12), 0);
    EXPECT_EQ(GetWindowLongPtr(a, 9), 0);   // would reach past the 16 extra bytes
    EXPECT_EQ(SetWindowLongPtr(a, 16, 5), 0);
    EXPECT_EQ(SetWindowLongPtr(a, GWLP_USERDATA, 77), 0);
    EXPECT_EQ(GetWindowLongPtr(a, GWLP_USERDATA), 77);
    beachtet = {};
    eingriff = [](HWND, UINT m, WPARAM wp, LPARAM lp, LRESULT&) {
        if (m == WM_STYLECHANGING && wp == static_cast<WPARAM>(GWL_STYLE))
            reinterpret_cast<STYLESTRUCT*>(lp)->styleNew |= WS_VSCROLL;
        return false;
    };
    SetWindowLong(a, GWL_STYLE, WS_OVERLAPPEDWINDOW | WS_HSCROLL);
    EXPECT_EQ(GetWindowLong(a, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
    char buf[8];
    SetWindowText(a, "Ein langer Titel");
    EXPECT_EQ(GetWindowTextLength(a), 16);
    EXPECT_EQ(GetWindowText(a, buf, sizeof buf), 7);
    EXPECT_STREQ(buf, "Ein lan");
    EXPECT_EQ(FindWindow("REC", "Ein langer Titel"), a);
    EXPECT_EQ(FindWindow("rec", "anders"), 0u);
    EXPECT_FALSE(UnregisterClass("Rec", 0));  // a window of it lives
}

TEST_F(Nachricht, SetParentMovesAWindowBetweenChildAndTopLevel)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
    HWND s = fenster("S", WS_CHILD | WS_VISIBLE, 10, 20, 100, 50, a, 5);
    POINT p{0, 0};
    ClientToScreen(s, &p);
    POINT ca{0, 0};
    ClientToScreen(a, &ca);
    EXPECT_EQ(p.x, ca.x + 10);
    EXPECT_EQ(p.y, ca.y + 20);
    // Undock: style to a popup, parent to the desktop.
    SetWindowLong(s, GWL_STYLE, (GetWindowLong(s, GWL_STYLE) & ~WS_CHILD) | WS_POPUP | WS_CAPTION);
    EXPECT_EQ(SetParent(s, 0), a);
    EXPECT_EQ(GetAncestor(s, GA_PARENT), GetDesktopWindow());
    EXPECT_FALSE(IsChild(a, s));
    RECT r;
    GetWindowRect(s, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    plHeadlessPumpen();
    // Dock again.
    SetWindowLong(s, GWL_STYLE, (GetWindowLong(s, GWL_STYLE) & ~(WS_POPUP | WS_CAPTION)) | WS_CHILD);
    EXPECT_EQ(SetParent(s, a), GetDesktopWindow());
    EXPECT_TRUE(IsChild(a, s));
    EXPECT_EQ(SetParent(a, s), 0u);  // no cycles
    int n = 0;
    EnumChildWindows(
        a, [](HWND, LPARAM lp) -> BOOL { ++*reinterpret_cast<int*>(lp); return TRUE; }, reinterpret_cast<LPARAM>(&n));
    EXPECT_EQ(n, 1);
    plHeadlessPumpen();
}

}  // namespace
