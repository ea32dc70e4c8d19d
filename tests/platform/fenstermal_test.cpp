// The paint protocol: erase with the class brush, children clipped into the
// top-level surface, drawing outside WM_PAINT, WM_SETREDRAW, scrolling, the
// non-client frame, carets and saving a window as PNG.
#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>

#include "platform/gdi.h"
#include "tests/platform/fenster_pruef.h"

using namespace pruef;
using V = std::vector<std::string>;

namespace {

class Malen : public Fixture {};

const COLORREF ROT = RGB(255, 0, 0);

// Paints its client area red when its user data says so.
bool rotMalen(HWND h, UINT m, WPARAM, LPARAM, LRESULT&)
{
    if (m != WM_PAINT || GetWindowLongPtr(h, GWLP_USERDATA) != 1) return false;
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(h, &ps);
    HBRUSH b = CreateSolidBrush(ROT);
    RECT c;
    GetClientRect(h, &c);
    FillRect(hdc, &c, b);
    DeleteObject(b);
    EndPaint(h, &ps);
    return true;
}

TEST_F(Malen, EraseUsesClassBrushAndChildrenPaintClippedIntoTheParent)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 300, 200);
    HWND k = fenster("K", WS_CHILD | WS_VISIBLE, 250, 20, 100, 40, a, 1, "RecEinfach");
    SetWindowLongPtr(a, GWLP_USERDATA, 1);
    eingriff = rotMalen;
    plHeadlessPumpen();
    RECT c;
    GetClientRect(a, &c);
    EXPECT_EQ(plFensterPixel(a, 5, 5), ROT);
    // The child has the button-face class brush; its part outside the
    // parent's client area is cut off, and the red parent did not paint
    // over it (WS_CLIPCHILDREN).
    EXPECT_EQ(plFensterPixel(k, 5, 5), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(plFensterPixel(a, 255, 25), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(plFensterPixel(a, 249, 25), ROT);
    EXPECT_EQ(plFensterPixel(a, c.right, 5), CLR_INVALID);
    // A parent without WS_CLIPCHILDREN covers its children, so they are
    // painted again after it.
    SetWindowLong(a, GWL_STYLE, GetWindowLong(a, GWL_STYLE) & ~WS_CLIPCHILDREN);
    beachtet = {WM_PAINT};
    nimm();
    InvalidateRect(a, nullptr, TRUE);
    EXPECT_EQ(pumpen(), (V{"A:PAINT", "K:PAINT"}));
    EXPECT_EQ(plFensterPixel(a, 255, 25), GetSysColor(COLOR_BTNFACE));
}

TEST_F(Malen, DrawingOutsidePaintAndSetRedraw)
{
    HWND a = fenster("A", WS_POPUP | WS_VISIBLE, 10, 10, 100, 80);
    plHeadlessPumpen();
    EXPECT_EQ(plFensterPixel(a, 50, 50), GetSysColor(COLOR_WINDOW));
    HDC hdc = GetDC(a);
    ASSERT_NE(hdc, 0u);
    EXPECT_EQ(WindowFromDC(hdc), a);
    SetPixel(hdc, 50, 50, ROT);
    EXPECT_EQ(ReleaseDC(a, hdc), 1);
    EXPECT_EQ(ReleaseDC(a, hdc), 0);
    EXPECT_EQ(plFensterPixel(a, 50, 50), ROT);
    // With redraw off nothing is painted; switched on, the pending region is.
    beachtet = {WM_PAINT};
    nimm();
    SendMessage(a, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(a, nullptr, TRUE);
    EXPECT_EQ(pumpen(), V{});
    hdc = GetDC(a);  // drawing into a window with redraw off shows nothing
    SetPixel(hdc, 60, 60, ROT);
    ReleaseDC(a, hdc);
    EXPECT_EQ(plFensterPixel(a, 60, 60), GetSysColor(COLOR_WINDOW));
    SendMessage(a, WM_SETREDRAW, TRUE, 0);
    EXPECT_EQ(pumpen(), V{"A:PAINT"});
    EXPECT_EQ(plFensterPixel(a, 50, 50), GetSysColor(COLOR_WINDOW));
}

TEST_F(Malen, UpdateWindowAndRedrawWindowPaintAtOnce)
{
    HWND a = fenster("A", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 200, 100);
    HWND k = fenster("K", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, a, 1);
    plHeadlessPumpen();
    beachtet = {WM_PAINT, WM_ERASEBKGND};
    nimm();
    InvalidateRect(a, nullptr, FALSE);
    UpdateWindow(a);
    EXPECT_EQ(nimm(), V{"A:PAINT"});
    UpdateWindow(a);
    EXPECT_EQ(nimm(), V{});
    RedrawWindow(a, nullptr, 0, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(nimm(), (V{"A:PAINT", "A:ERASEBKGND", "K:PAINT", "K:ERASEBKGND"}));
    RECT r;
    EXPECT_FALSE(GetUpdateRect(k, &r, FALSE));
    RedrawWindow(a, nullptr, 0, RDW_INVALIDATE | RDW_ALLCHILDREN);
    RedrawWindow(a, nullptr, 0, RDW_VALIDATE | RDW_ALLCHILDREN);
    EXPECT_EQ(pumpen(), V{});
}

// A window gets its surface when its pixels are first read: measuring in
// it and sizing it while hidden, and painting it while no one looks, make
// none; what was drawn on it is kept through a hidden resize.
TEST_F(Malen, AHiddenWindowGetsItsSurfaceWhenReadAndKeepsWhatWasDrawn)
{
    HWND a = fenster("A", WS_POPUP, 10, 10, 100, 80);
    HDC hdc = GetDC(a);
    ASSERT_NE(hdc, 0u);
    TEXTMETRIC tm{};
    EXPECT_TRUE(GetTextMetrics(hdc, &tm));
    EXPECT_GT(tm.tmHeight, 0);
    SetPixel(hdc, 5, 5, ROT);  // clipped away: the window is hidden
    ReleaseDC(a, hdc);
    SetWindowPos(a, 0, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(plFensterVon(a)->flaeche, nullptr);
    ShowWindow(a, SW_SHOW);
    plHeadlessPumpen();
    EXPECT_EQ(plFensterVon(a)->flaeche, nullptr);
    EXPECT_EQ(plFensterPixel(a, 5, 5), GetSysColor(COLOR_WINDOW));
    cairo_surface_t* fl = plFensterVon(a)->flaeche;
    ASSERT_NE(fl, nullptr);
    EXPECT_EQ(cairo_image_surface_get_width(fl), 300);
    EXPECT_EQ(cairo_image_surface_get_height(fl), 200);
    EXPECT_EQ(plFensterPixel(a, 295, 195), GetSysColor(COLOR_WINDOW));
    hdc = GetDC(a);
    SetPixel(hdc, 20, 30, ROT);
    ReleaseDC(a, hdc);
    ShowWindow(a, SW_HIDE);
    SetWindowPos(a, 0, 0, 0, 150, 120, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(plFensterPixel(a, 20, 30), ROT);
    EXPECT_EQ(plFensterPixel(a, 140, 110), GetSysColor(COLOR_WINDOW));
}

// Painting no one reads goes nowhere; the first read paints the whole
// window again (frame, client area, children), so it shows what painting
// all along would have, while what was still pending stays pending. A DC
// from GetDC reads too: its drawing lands on the painted window and stays.
TEST_F(Malen, PaintingNoOneReadIsDoneAtTheFirstRead)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 300, 200);
    HWND k = fenster("K", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, 100, 40, a, 1, "RecEinfach");
    HWND b = fenster("B", WS_POPUP | WS_VISIBLE, 400, 10, 100, 80);
    SetWindowLongPtr(a, GWLP_USERDATA, 1);
    SetWindowLongPtr(b, GWLP_USERDATA, 1);
    eingriff = rotMalen;
    plHeadlessPumpen();
    EXPECT_EQ(plFensterVon(a)->flaeche, nullptr);
    EXPECT_EQ(plFensterVon(b)->flaeche, nullptr);
    // Pending when the pixels are read: painted later by the loop, once.
    InvalidateRect(k, nullptr, TRUE);
    beachtet = {WM_PAINT};
    nimm();
    const std::string pfad = (std::filesystem::temp_directory_path() / "velmo_nachholen.png").string();
    ASSERT_EQ(plFensterPng(a, pfad.c_str()), 0);
    EXPECT_EQ(nimm(), (V{"A:PAINT", "K:PAINT"}));
    cairo_surface_t* s = cairo_image_surface_create_from_png(pfad.c_str());
    ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
    auto pixel = [s](int x, int y) {
        uint32_t v;
        std::memcpy(&v, cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s) + x * 4, 4);
        return RGB((v >> 16) & 0xff, (v >> 8) & 0xff, v & 0xff);
    };
    POINT o{0, 0};
    ClientToScreen(a, &o);
    RECT r;
    GetWindowRect(a, &r);
    int cx = o.x - r.left, cy = o.y - r.top;
    EXPECT_EQ(pixel(cx + 5, cy + 5), ROT);
    EXPECT_EQ(pixel(cx + 30, cy + 30), GetSysColor(COLOR_BTNFACE));  // the child
    EXPECT_EQ(pixel(cx + 20, cy + 20), GetSysColor(COLOR_WINDOWFRAME));  // its border
    EXPECT_EQ(pixel(cx + 100, cy / 2), GetSysColor(COLOR_INACTIVECAPTION)) << "caption (B is active)";
    cairo_surface_destroy(s);
    std::remove(pfad.c_str());
    RECT u;
    EXPECT_TRUE(GetUpdateRect(k, &u, FALSE));
    EXPECT_EQ(pumpen(), V{"K:PAINT"});
    EXPECT_EQ(plFensterPixel(k, 10, 10), GetSysColor(COLOR_BTNFACE));
    HDC hdc = GetDC(b);
    ASSERT_NE(hdc, 0u);
    EXPECT_EQ(nimm(), V{"B:PAINT"});
    SetPixel(hdc, 50, 50, RGB(0, 0, 255));
    ReleaseDC(b, hdc);
    EXPECT_EQ(pumpen(), V{});
    EXPECT_EQ(plFensterPixel(b, 50, 50), RGB(0, 0, 255));
    EXPECT_EQ(plFensterPixel(b, 5, 5), ROT);
}

// The whole surface of a top-level window, as values.
std::vector<uint32_t> flaecheLesen(HWND a)
{
    EXPECT_NE(plFensterPixel(a, 0, 0), CLR_INVALID);  // a read: held paints are made
    cairo_surface_t* fl = plFensterVon(a)->flaeche;
    std::vector<uint32_t> v;
    if (!fl) return v;
    cairo_surface_flush(fl);
    const int b = cairo_image_surface_get_width(fl), h = cairo_image_surface_get_height(fl);
    const int stride = cairo_image_surface_get_stride(fl);
    const unsigned char* d = cairo_image_surface_get_data(fl);
    v.push_back(static_cast<uint32_t>(b));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < b; ++x) {
            uint32_t p;
            std::memcpy(&p, d + y * stride + x * 4, 4);
            v.push_back(p & 0xffffff);
        }
    return v;
}

// Held painting leaves the pixels that painting at once leaves, whatever
// happened between the paints: a child painted at once while its parent's
// erase was pending and then painted over by the parent (no
// WS_CLIPCHILDREN) stays painted over; a destroyed child's pixels are
// painted over by its parent; a moved child; a window made smaller and
// larger again.
TEST_F(Malen, HeldPaintingLeavesThePixelsOfPaintingAtOnce)
{
    struct Fall {
        const char* name;
        std::function<void(HWND a, HWND k)> schritte;
    } faelle[] = {
        {"child painted before its parent's erase",
         [](HWND a, HWND k) {
             InvalidateRect(a, nullptr, TRUE);
             SetWindowLongPtr(k, GWLP_USERDATA, 1);
             InvalidateRect(k, nullptr, FALSE);
             UpdateWindow(k);
             plHeadlessPumpen();
         }},
        {"child destroyed", [](HWND, HWND k) { DestroyWindow(k); plHeadlessPumpen(); }},
        {"child moved",
         [](HWND, HWND k) {
             SetWindowPos(k, 0, 120, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
             plHeadlessPumpen();
         }},
        {"window made smaller and larger",
         [](HWND a, HWND) {
             SetWindowPos(a, 0, 0, 0, 150, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
             plHeadlessPumpen();
             SetWindowPos(a, 0, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
             plHeadlessPumpen();
         }},
    };
    eingriff = rotMalen;
    for (const Fall& f : faelle) {
        std::vector<uint32_t> bild[2];
        for (int gehalten = 0; gehalten < 2; ++gehalten) {
            HWND a = fenster("A", WS_POPUP | WS_VISIBLE | WS_BORDER, 10, 10, 300, 200);
            if (!gehalten) ReleaseDC(a, GetDC(a));  // read once: painted at once from here on
            HWND k = fenster("K", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, 100, 40, a, 1, "RecEinfach");
            plHeadlessPumpen();
            f.schritte(a, k);
            if (gehalten) {
                EXPECT_EQ(plFensterVon(a)->flaeche, nullptr) << f.name;
            }
            bild[gehalten] = flaecheLesen(a);
            DestroyWindow(a);
        }
        ASSERT_FALSE(bild[0].empty()) << f.name;
        EXPECT_EQ(bild[0], bild[1]) << f.name;
    }
}

TEST_F(Malen, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip)
{
    HWND a = fenster("A", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    plHeadlessPumpen();
    HDC hdc = GetDC(a);
    SetPixel(hdc, 10, 50, ROT);
    ReleaseDC(a, hdc);
    ScrollWindowEx(a, 0, -20, nullptr, nullptr, 0, nullptr, SW_INVALIDATE);
    EXPECT_EQ(plFensterPixel(a, 10, 30), ROT);
    EXPECT_NE(plFensterPixel(a, 10, 50), ROT);
    RECT u;
    ASSERT_TRUE(GetUpdateRect(a, &u, FALSE));
    EXPECT_EQ(u.top, 80);
    EXPECT_EQ(u.bottom, 100);
    EXPECT_EQ(u.left, 0);
    EXPECT_EQ(u.right, 100);
}

TEST_F(Malen, FrameGeometryAndCaptionColourFollowStyleAndActivation)
{
    struct Fall {
        DWORD stil, exStil;
        int links, oben;
    };
    const Fall faelle[] = {
        {WS_OVERLAPPEDWINDOW, 0, 4, 4 + 19},
        {WS_POPUP | WS_CAPTION, 0, 3, 3 + 19},
        {WS_POPUP | WS_BORDER, 0, 1, 1},
        {WS_POPUP, WS_EX_CLIENTEDGE, 2, 2},
        {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, 3, 3 + 15},
    };
    for (const Fall& f : faelle) {
        HWND w = fenster("W", f.stil, 100, 100, 200, 150, 0, 0, "Rec", f.exStil);
        RECT wr, cr;
        GetWindowRect(w, &wr);
        GetClientRect(w, &cr);
        POINT o{0, 0};
        ClientToScreen(w, &o);
        EXPECT_EQ(o.x - wr.left, f.links) << f.stil;
        EXPECT_EQ(o.y - wr.top, f.oben) << f.stil;
        RECT adj = cr;
        AdjustWindowRectEx(&adj, f.stil, FALSE, f.exStil);
        EXPECT_EQ(adj.right - adj.left, 200);
        EXPECT_EQ(adj.bottom - adj.top, 150);
        DestroyWindow(w);
    }
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200);
    HWND b = fenster("B", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 0, 300, 200);
    plHeadlessPumpen();
    std::string pfad = ::testing::TempDir() + "fenster_rahmen.png";
    ASSERT_EQ(plFensterPng(a, pfad.c_str()), 0);
    cairo_surface_t* s = cairo_image_surface_create_from_png(pfad.c_str());
    ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(s), 300);
    EXPECT_EQ(cairo_image_surface_get_height(s), 200);
    const unsigned char* d = cairo_image_surface_get_data(s);
    uint32_t px;
    std::memcpy(&px, d + 10 * cairo_image_surface_get_stride(s) + 100 * 4, 4);
    // A is inactive now (B came later): its caption is the inactive colour.
    COLORREF inaktiv = GetSysColor(COLOR_INACTIVECAPTION);
    EXPECT_EQ(px & 0xFFFFFF, (static_cast<uint32_t>(GetRValue(inaktiv)) << 16) |
                                 (static_cast<uint32_t>(GetGValue(inaktiv)) << 8) | GetBValue(inaktiv));
    cairo_surface_destroy(s);
    std::remove(pfad.c_str());
    EXPECT_EQ(plFensterPng(0x4711u, pfad.c_str()), -1);
    EXPECT_FALSE(std::filesystem::exists(pfad));
    EXPECT_EQ(GetActiveWindow(), b);
}

TEST_F(Malen, CaretBlinksByTimerAndIsTakenOffForPainting)
{
    HWND a = fenster("A", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    plHeadlessPumpen();
    ASSERT_TRUE(CreateCaret(a, 0, 2, 10));
    SetCaretPos(20, 20);
    EXPECT_FALSE(plCaretAbfragen().sichtbar);
    ShowCaret(a);
    COLORREF weiss = GetSysColor(COLOR_WINDOW);
    COLORREF invers = RGB(255 - GetRValue(weiss), 255 - GetGValue(weiss), 255 - GetBValue(weiss));
    EXPECT_EQ(plFensterPixel(a, 20, 20), invers);
    plHeadlessZeitVor(GetCaretBlinkTime());
    EXPECT_EQ(plFensterPixel(a, 20, 20), weiss);
    plHeadlessZeitVor(GetCaretBlinkTime());
    EXPECT_EQ(plFensterPixel(a, 20, 20), invers);
    // A repaint does not leave a stale caret behind.
    InvalidateRect(a, nullptr, TRUE);
    plHeadlessPumpen();
    EXPECT_EQ(plFensterPixel(a, 20, 20), invers);
    EXPECT_EQ(plFensterPixel(a, 22, 20), weiss);
    HideCaret(a);
    EXPECT_EQ(plFensterPixel(a, 20, 20), weiss);
    DestroyCaret();
    EXPECT_EQ(plCaretAbfragen().fenster, 0u);
    // Only the blink timer is left: a loop does not spin on it.
    MSG m;
    CreateCaret(a, 0, 2, 10);
    ShowCaret(a);
    EXPECT_TRUE(plCaretAbfragen().sichtbar);
    EXPECT_EQ(GetMessage(&m, 0, 0, 0), FALSE);
}

}  // namespace
