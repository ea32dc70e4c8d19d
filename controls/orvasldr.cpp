// ORVASLDR, the two-way slider: a square picker with a knob at an x/y
// position in percent and a zoom n (1..32) that sets the knob size. Text
// "n x y" in and out. Prefix `sldr`. Calls the class core and platform/.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/ctlkern.h"
#include "controls/ctlklassen.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"

namespace {

constexpr int SLDRZOOMSUP = 32;

struct SldrZustand {
    int breite;
    int hoehe;
    DWORD stil;
    bool ziehen;
    bool fokus;
    bool geaendert;
    int x, y;  // percent
    int zoom;
    int griffX, griffY;
    bool bewegt;
};

int sldrGroesse(int zoom) { return zoom > 0 ? std::max(8, 100 / zoom) : 8; }
int sldrRand(int zoom) { return zoom > 0 ? std::max(1, 100 / (2 * zoom)) : 1; }

void sldrKlemmen(SldrZustand* z)
{
    if (z->zoom <= 0) return;
    const int h = sldrRand(z->zoom);
    z->x = std::clamp(z->x, h, 100 - h);
    z->y = std::clamp(z->y, h, 100 - h);
}

// The knob rectangle: s percent of the inner size (client - 8) around the
// position, offset by 4 pixels.
RECT sldrKnopf(const SldrZustand* z)
{
    const int iw = z->breite - 8;
    const int ih = z->hoehe - 8;
    const int s = sldrGroesse(z->zoom);
    const int kw = s * iw / 100;
    const int kh = s * ih / 100;
    const int cx = 4 + z->x * iw / 100;
    const int cy = 4 + z->y * ih / 100;
    return RECT{cx - kw / 2, cy - kh / 2, cx - kw / 2 + kw, cy - kh / 2 + kh};
}

void sldrText(SldrZustand* z, const char* text)
{
    const char* p = text;
    z->zoom = std::clamp(ctlZahlLesen(&p), 0, SLDRZOOMSUP);
    z->x = ctlZahlLesen(&p);
    z->y = ctlZahlLesen(&p);
    sldrKlemmen(z);
}

void sldrGeaendert(HWND fenster, SldrZustand* z)
{
    z->geaendert = true;
    z->bewegt = true;
    InvalidateRect(fenster, nullptr, FALSE);
}

// Places the knob centre at the point (with the grab offset). A divisor of
// 0 or less (a control 10 pixels or smaller) moves nothing.
void sldrZiehen(HWND fenster, SldrZustand* z, int x, int y)
{
    if (x < 4 || y < 4 || x > z->breite - 4 || y > z->hoehe - 4) return;
    const int teilerX = z->breite - 10;
    const int teilerY = z->hoehe - 10;
    if (teilerX <= 0 || teilerY <= 0) return;
    z->x = std::max(0, (x + z->griffX - 5) * 100 / teilerX);
    z->y = std::max(0, (y + z->griffY - 5) * 100 / teilerY);
    sldrKlemmen(z);
    sldrGeaendert(fenster, z);
}

void sldrMalen(HWND fenster, SldrZustand* z)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(fenster, &ps);
    ctlFlaeche(dc, 0, 0, z->breite, z->hoehe, GetSysColor(COLOR_BTNFACE));
    ctlRahmenMalen(dc, z->breite, z->hoehe, z->stil);
    if (z->zoom > 0) {
        RECT k = sldrKnopf(z);
        if (k.right - k.left >= 2 && k.bottom - k.top >= 2) {
            ctlFlaeche(dc, k.left, k.top, k.right, k.top + 1, RGB(255, 255, 255));
            ctlFlaeche(dc, k.left, k.top, k.left + 1, k.bottom, RGB(255, 255, 255));
            ctlFlaeche(dc, k.left, k.bottom - 1, k.right, k.bottom, RGB(0, 0, 0));
            ctlFlaeche(dc, k.right - 1, k.top, k.right, k.bottom, RGB(0, 0, 0));
            if (z->fokus) {
                RECT f{k.left + 2, k.top + 2, k.right - 2, k.bottom - 2};
                if (f.right > f.left && f.bottom > f.top) DrawFocusRect(dc, &f);
            }
        }
    }
    EndPaint(fenster, &ps);
    if (z->geaendert && z->fokus) {
        z->geaendert = false;
        ctlMelden(fenster, CTLGEAENDERT, static_cast<LPARAM>(fenster));
    }
}

void sldrRunter(HWND fenster, SldrZustand* z, int x, int y)
{
    SetFocus(fenster);
    RECT k = sldrKnopf(z);
    POINT p{x, y};
    z->bewegt = false;
    if (z->zoom > 0 && PtInRect(&k, p)) {
        z->ziehen = true;
        SetCapture(fenster);
        z->griffX = (k.left + k.right) / 2 - x;
        z->griffY = (k.top + k.bottom) / 2 - y;
    }
}

void sldrHoch(HWND fenster, SldrZustand* z, int x, int y)
{
    if (z->ziehen) {
        z->ziehen = false;
        ReleaseCapture();
        sldrZiehen(fenster, z, x, y);
        return;
    }
    if (z->zoom <= 0) return;
    // no drag: one step of 10 percent toward the click
    RECT k = sldrKnopf(z);
    if (y < k.top) z->y -= 10;
    if (x < k.left) z->x -= 10;
    if (y >= k.bottom) z->y += 10;
    if (x >= k.right) z->x += 10;
    sldrKlemmen(z);
    sldrGeaendert(fenster, z);
}

void sldrTaste(HWND fenster, SldrZustand* z, WPARAM vk)
{
    switch (vk) {
    case VK_LEFT: z->x -= 10; break;
    case VK_RIGHT: z->x += 10; break;
    case VK_UP: z->y -= 10; break;
    case VK_DOWN: z->y += 10; break;
    default: return;
    }
    sldrKlemmen(z);
    sldrGeaendert(fenster, z);
}

void sldrZeichen(HWND fenster, SldrZustand* z, WPARAM c)
{
    if (c == '+') {
        z->zoom = std::min(SLDRZOOMSUP, std::max(1, z->zoom * 2));
    } else if (c == '-') {
        z->zoom = std::max(1, z->zoom / 2);
    } else {
        return;
    }
    sldrKlemmen(z);
    sldrGeaendert(fenster, z);
}

LRESULT sldrAnlegen(HWND fenster, const CREATESTRUCT* cs)
{
    auto* z = static_cast<SldrZustand*>(ctlZustandAnlegen(fenster, sizeof(SldrZustand)));
    if (z == nullptr) return -1;
    z->breite = cs->cx;
    z->hoehe = cs->cy;
    z->stil = static_cast<DWORD>(cs->style);
    if (cs->lpszName != nullptr) sldrText(z, cs->lpszName);
    return 0;
}

}  // namespace

LRESULT CALLBACK ctlSldrProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_CREATE) return sldrAnlegen(fenster, reinterpret_cast<const CREATESTRUCT*>(lp));
    auto* z = ctlZustandVon<SldrZustand>(fenster);
    if (z == nullptr) return DefWindowProc(fenster, nachricht, wp, lp);
    const int x = GET_X_LPARAM(lp);
    const int y = GET_Y_LPARAM(lp);
    switch (nachricht) {
    case WM_DESTROY:
        ctlZustandFrei(fenster);
        return 0;
    case WM_SIZE:
        z->breite = LOWORD(lp);
        z->hoehe = HIWORD(lp);
        InvalidateRect(fenster, nullptr, FALSE);
        return 0;
    case WM_SETTEXT:
        if (lp != 0) sldrText(z, reinterpret_cast<const char*>(lp));
        InvalidateRect(fenster, nullptr, FALSE);
        return 1;
    case WM_GETTEXT: {
        char* puffer = reinterpret_cast<char*>(lp);
        if (puffer == nullptr || wp == 0) return 0;
        char text[48];
        std::snprintf(text, sizeof text, "%d %d %d", z->zoom, z->x, z->y);
        ctlKopie(puffer, text, static_cast<size_t>(wp));
        return static_cast<LRESULT>(std::strlen(puffer));
    }
    case WM_GETTEXTLENGTH: {
        char text[48];
        return std::snprintf(text, sizeof text, "%d %d %d", z->zoom, z->x, z->y);
    }
    case WM_PAINT:
        sldrMalen(fenster, z);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
        sldrRunter(fenster, z, x, y);
        return 0;
    case WM_MOUSEMOVE:
        if (z->ziehen) sldrZiehen(fenster, z, x, y);
        return 0;
    case WM_LBUTTONUP:
        sldrHoch(fenster, z, x, y);
        return 0;
    case WM_KEYDOWN:
        sldrTaste(fenster, z, wp);
        return 0;
    case WM_CHAR:
        sldrZeichen(fenster, z, wp);
        return 0;
    case WM_SETFOCUS:
        z->fokus = true;
        InvalidateRect(fenster, nullptr, FALSE);
        ctlMelden(fenster, CTLFOKUSEIN, static_cast<LPARAM>(fenster));
        return 0;
    case WM_KILLFOCUS:
        z->fokus = false;
        InvalidateRect(fenster, nullptr, FALSE);
        ctlMelden(fenster, CTLFOKUSAUS, static_cast<LPARAM>(fenster));
        return 0;
    case WM_CAPTURECHANGED:
        if (static_cast<HWND>(lp) != fenster) z->ziehen = false;
        return 0;
    default:
        return DefWindowProc(fenster, nachricht, wp, lp);
    }
}
