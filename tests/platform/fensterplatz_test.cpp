// Geometry: moving and sizing with their messages and repaints, z-order of
// top-level and owned windows, hit testing, placement round trips.
#include "tests/platform/fenster_pruef.h"

using namespace pruef;
using V = std::vector<std::string>;

namespace {

class Platz : public Fixture {};

TEST_F(Platz, MoveAndSizeSendOnlyWhatChangedAndRepaintByClassStyle)
{
    HWND a = fenster("A", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
    HWND h = fenster("H", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, a, 1, "Rec");         // CS_DBLCLKS only
    plHeadlessPumpen();
    beachtet = {WM_SIZE, WM_MOVE, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_PAINT};
    nimm();
    MoveWindow(h, 20, 10, 100, 50, TRUE);
    EXPECT_EQ(nimm(), (V{"H:WINDOWPOSCHANGING", "H:WINDOWPOSCHANGED", "H:MOVE"}));
    MoveWindow(h, 20, 10, 120, 60, TRUE);
    EXPECT_EQ(nimm(), (V{"H:WINDOWPOSCHANGING", "H:WINDOWPOSCHANGED", "H:SIZE"}));
    plHeadlessPumpen();
    nimm();
    // Growing a class without CS_HREDRAW/CS_VREDRAW repaints only the new
    // strips; with them, everything.
    PAINTSTRUCT ps{};
    eingriff = [&ps, a](HWND w, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m != WM_PAINT || w != a) return false;
        BeginPaint(w, &ps);
        EndPaint(w, &ps);
        return true;
    };
    SetWindowPos(a, 0, 0, 0, 340, 200, SWP_NOMOVE | SWP_NOZORDER);
    plHeadlessPumpen();
    EXPECT_EQ(ps.rcPaint.left, 300);
    EXPECT_EQ(ps.rcPaint.right, 340);
    SetClassLongPtr(a, GCL_STYLE, CS_HREDRAW | CS_VREDRAW);
    SetWindowPos(a, 0, 0, 0, 360, 200, SWP_NOMOVE | SWP_NOZORDER);
    plHeadlessPumpen();
    EXPECT_EQ(ps.rcPaint.left, 0);
    EXPECT_EQ(ps.rcPaint.right, 360);
    // A WINDOWPOSCHANGING handler may change the request.
    eingriff = [](HWND, UINT m, WPARAM, LPARAM lp, LRESULT&) {
        if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lp)->cx = 77;
        return false;
    };
    MoveWindow(h, 0, 0, 500, 30, FALSE);
    RECT r;
    GetClientRect(h, &r);
    EXPECT_EQ(r.right, 77);
}

TEST_F(Platz, ZOrderKeepsOwnedWindowsAboveTheirOwnerAndDecidesHitTests)
{
    HWND a = fenster("A", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400);
    HWND o = fenster("O", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, a);
    HWND b = fenster("B", WS_POPUP | WS_VISIBLE, 20, 20, 400, 400);
    plHeadlessPumpen();
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), b);
    EXPECT_EQ(GetActiveWindow(), b);
    SetActiveWindow(a);  // the owner comes up with its owned window above it
    EXPECT_EQ(GetTopWindow(0), o);
    EXPECT_EQ(GetWindow(o, GW_HWNDNEXT), a);
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), o);
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), a);
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindow(b, GW_HWNDLAST), a);
    SetWindowPos(o, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    BringWindowToTop(b);
    EXPECT_EQ(GetTopWindow(0), o);  // topmost stays above
    ShowWindow(o, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), b);
    // Children: hit test and ChildWindowFromPoint.
    HWND k = fenster("K", WS_CHILD | WS_VISIBLE, 10, 10, 30, 30, b, 3);
    HWND v = fenster("V", WS_CHILD, 50, 10, 30, 30, b, 4);
    POINT pk = plHeadlessPunkt(k, 1, 1);
    EXPECT_EQ(WindowFromPoint(pk), k);
    EXPECT_EQ(ChildWindowFromPoint(b, POINT{55, 15}), v);
    EXPECT_EQ(ChildWindowFromPointEx(b, POINT{55, 15}, CWP_SKIPINVISIBLE), b);
    EXPECT_EQ(ChildWindowFromPoint(b, POINT{-1, 15}), 0u);
    POINT pts[2] = {{0, 0}, {5, 5}};
    MapWindowPoints(k, b, pts, 2);
    EXPECT_EQ(pts[0].x, 10);
    EXPECT_EQ(pts[1].y, 15);
}

TEST_F(Platz, PlacementRoundTripOfAMaximisedWindow)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 500, 400);
    ShowWindow(a, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(a));
    RECT r;
    GetClientRect(a, &r);
    EXPECT_EQ(r.right, 1920);
    WINDOWPLACEMENT wp{};
    ASSERT_TRUE(GetWindowPlacement(a, &wp));
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.rcNormalPosition.left, 100);
    EXPECT_EQ(wp.rcNormalPosition.bottom, 480);
    DestroyWindow(a);
    HWND b = fenster("B", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100);
    ASSERT_TRUE(SetWindowPlacement(b, &wp));
    EXPECT_TRUE(IsZoomed(b));
    EXPECT_TRUE(IsWindowVisible(b));
    ShowWindow(b, SW_RESTORE);
    GetWindowRect(b, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right, 600);
    ShowWindow(b, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(b));
    GetWindowPlacement(b, &wp);
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
    EXPECT_EQ(wp.rcNormalPosition.left, 100);
}

}  // namespace

// A placement stored on a larger screen, or left of or below this one,
// comes back whole on the work area.
TEST_F(Platz, AStoredPlacementComesBackOnTheWorkArea)
{
    RECT a;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &a, 0);
    struct Fall {
        RECT gespeichert, erwartet;
    } faelle[] = {
        {{100, 80, 600, 480}, {100, 80, 600, 480}},
        {{a.right + 200, 50, a.right + 700, 450}, {a.right - 500, 50, a.right, 450}},
        {{-900, -300, -100, 100}, {0, 0, 800, 400}},
        {{-10, 20, a.right + 50, a.bottom + 90}, {0, 0, a.right, a.bottom}},
    };
    for (const Fall& f : faelle) {
        HWND w = fenster("P", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100);
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        wp.showCmd = SW_SHOWNORMAL;
        wp.rcNormalPosition = f.gespeichert;
        ASSERT_TRUE(SetWindowPlacement(w, &wp));
        RECT r;
        GetWindowRect(w, &r);
        EXPECT_EQ(r.left, f.erwartet.left);
        EXPECT_EQ(r.top, f.erwartet.top);
        EXPECT_EQ(r.right, f.erwartet.right);
        EXPECT_EQ(r.bottom, f.erwartet.bottom);
        DestroyWindow(w);
    }
}

TEST_F(Platz, AHiddenOrMovedChildLeavesItsOldPlaceToBeRepaintedInAFramedParent)
{
    // Caption and frame must not shift the strip the child uncovers.
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200);
    HWND k = fenster("K", WS_CHILD | WS_VISIBLE, 40, 30, 50, 20, a, 1);
    plHeadlessPumpen();
    RECT u;
    ASSERT_FALSE(GetUpdateRect(a, &u, FALSE));
    ShowWindow(k, SW_HIDE);
    ASSERT_TRUE(GetUpdateRect(a, &u, FALSE));
    EXPECT_EQ(u.left, 40);
    EXPECT_EQ(u.top, 30);
    EXPECT_EQ(u.right, 90);
    EXPECT_EQ(u.bottom, 50);
    plHeadlessPumpen();
    ShowWindow(k, SW_SHOW);
    plHeadlessPumpen();
    SetWindowPos(k, HWND{}, 100, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(GetUpdateRect(a, &u, FALSE));
    EXPECT_LE(u.left, 40);
    EXPECT_LE(u.top, 30);
    EXPECT_GE(u.bottom, 50);
}
