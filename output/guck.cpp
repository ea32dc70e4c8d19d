// ORVAGUCK, the drawing view's window class (see guck.h).
#include "output/guck.h"

#include <vector>

#include "controls/ctlkern.h"
#include "output/ansicht.h"
#include "output/gdi.h"
#include "output/schrift.h"
#include "platform/bildlader.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"

namespace {

struct GuckSatz {
    HWND fenster;          // 0: free slot
    int breite, hoehe;
    DWORD stil;            // bits 0..1 frame kind, bit 3 button-face background
    COLORREF farbe;        // 0: the system colour
    int x, y;              // cursor centre
    int fokus;
    int caretGemacht, caretGezeigt;
    int bitmapGezeigt;
    int gesichert, sx, sy;
    int kreuzModus, kreuzGezeigt;
    int kreuzAus;          // lines taken off with the cursor, to come back with it
    int verborgen;         // hidden by GuckZeigen(off): a paint leaves it hidden
    HBITMAP sicherung;     // the 21 x 21 pixels under the bitmap cursor
};

std::vector<GuckSatz> guckSaetze;
HBITMAP guckCaret = 0;
int guckGesperrt = 0;
bool guckAngemeldet = false;

HINSTANCE guckInstanz()
{
    HINSTANCE i = anwInstanz();
    return i != 0 ? i : GetModuleHandle(nullptr);
}

// The "CARET" bitmap, loaded when it is missing or its handle went with a
// restarted window system.
void guckCaretLaden()
{
    BITMAP bm{};
    if (guckCaret != 0 && GetObject(guckCaret, sizeof bm, &bm)) return;
    guckCaret = LoadBitmap(guckInstanz(), "CARET");
}

// The record of a view window through the id in its extra bytes.
GuckSatz* guckSatz(HWND fenster)
{
    if (fenster == 0 || !IsWindow(fenster)) return nullptr;
    const LONG id = GetWindowLong(fenster, 0);
    if (id <= 0 || static_cast<size_t>(id) > guckSaetze.size()) return nullptr;
    GuckSatz* s = &guckSaetze[static_cast<size_t>(id) - 1];
    return s->fenster == fenster ? s : nullptr;
}

// A zeroed record; its id (1-based) or 0 when the table is full.
LONG guckAnlegen(HWND fenster)
{
    for (size_t i = 0; i < guckSaetze.size(); ++i) {
        if (guckSaetze[i].fenster == 0) {
            guckSaetze[i] = GuckSatz{};
            guckSaetze[i].fenster = fenster;
            return static_cast<LONG>(i + 1);
        }
    }
    if (guckSaetze.size() >= static_cast<size_t>(GUCKSATZSUP)) return 0;
    guckSaetze.push_back(GuckSatz{});
    guckSaetze.back().fenster = fenster;
    return static_cast<LONG>(guckSaetze.size());
}

// ---- the bitmap cursor (always through an unclipped window DC) ----

void guckBlt(HWND fenster, int x, int y, HBITMAP bm, DWORD rop, bool zumFenster)
{
    HDC dc = GetDC(fenster);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ alt = SelectObject(mem, bm);
    if (zumFenster) BitBlt(dc, x, y, GUCKKREUZ, GUCKKREUZ, mem, 0, 0, rop);
    else BitBlt(mem, 0, 0, GUCKKREUZ, GUCKKREUZ, dc, x, y, SRCCOPY);
    SelectObject(mem, alt);
    DeleteDC(mem);
    ReleaseDC(fenster, dc);
}

void guckBitmapZeigen(GuckSatz* s)
{
    if (s->bitmapGezeigt || guckCaret == 0 || s->sicherung == 0) return;
    s->sx = s->x - GUCKKREUZ / 2;
    s->sy = s->y - GUCKKREUZ / 2;
    guckBlt(s->fenster, s->sx, s->sy, s->sicherung, SRCCOPY, false);
    s->gesichert = 1;
    guckBlt(s->fenster, s->sx, s->sy, guckCaret, SRCINVERT, true);
    s->bitmapGezeigt = 1;
}

void guckBitmapWeg(GuckSatz* s)
{
    if (s->bitmapGezeigt && s->gesichert) guckBlt(s->fenster, s->sx, s->sy, s->sicherung, SRCCOPY, true);
    s->bitmapGezeigt = 0;
    s->gesichert = 0;
}

void guckCaretZeigen(GuckSatz* s)
{
    if (!s->caretGemacht || s->caretGezeigt) return;
    SetCaretPos(s->x - GUCKKREUZ / 2, s->y - GUCKKREUZ / 2);
    ShowCaret(s->fenster);
    s->caretGezeigt = 1;
}

void guckCaretWeg(GuckSatz* s)
{
    if (s->caretGezeigt) HideCaret(s->fenster);
    s->caretGezeigt = 0;
}

// Inverts the four parts of the cross-hair lines that have a positive length.
void guckKreuzInvertieren(GuckSatz* s)
{
    HDC dc = GetDC(s->fenster);
    const int x = s->x, y = s->y, w = s->breite, h = s->hoehe;
    const int halb = GUCKKREUZ / 2;
    if (x - halb > 0) PatBlt(dc, 0, y, x - halb, 1, DSTINVERT);
    if (w - (x + halb + 1) > 0) PatBlt(dc, x + halb + 1, y, w - (x + halb + 1), 1, DSTINVERT);
    if (y - halb > 0) PatBlt(dc, x, 0, 1, y - halb, DSTINVERT);
    if (h - (y + halb + 1) > 0) PatBlt(dc, x, y + halb + 1, 1, h - (y + halb + 1), DSTINVERT);
    ReleaseDC(s->fenster, dc);
}

// The cursor and, when they went with it, the cross-hair lines (which
// follow the cursor's position).
void guckZeigen(GuckSatz* s)
{
    if (s->kreuzAus) {
        s->kreuzAus = 0;
        guckKreuzInvertieren(s);
        s->kreuzGezeigt = 1;
    }
    if (s->fokus) guckCaretZeigen(s);
    else guckBitmapZeigen(s);
}

void guckVerstecken(GuckSatz* s)
{
    guckCaretWeg(s);
    guckBitmapWeg(s);
    if (s->kreuzGezeigt) {
        guckKreuzInvertieren(s);
        s->kreuzGezeigt = 0;
        s->kreuzAus = 1;
    }
}

// ---- painting ----

void guckFlaeche(HDC dc, int l, int t, int r, int b, COLORREF farbe)
{
    if (r <= l || b <= t) return;
    RECT rc{l, t, r, b};
    HBRUSH p = CreateSolidBrush(farbe);
    FillRect(dc, &rc, p);
    DeleteObject(p);
}

// A frame ring of one pixel: top and left in `ol`, bottom and right in `ur`.
void guckRing(HDC dc, int l, int t, int r, int b, COLORREF ol, COLORREF ur)
{
    guckFlaeche(dc, l, t, r, t + 1, ol);
    guckFlaeche(dc, l, t, l + 1, b, ol);
    guckFlaeche(dc, l, b - 1, r, b, ur);
    guckFlaeche(dc, r - 1, t, r, b, ur);
}

void guckRahmen(HDC dc, const GuckSatz* s)
{
    const int w = s->breite, h = s->hoehe;
    switch (s->stil & 3) {
    case 1: guckRing(dc, 0, 0, w, h, RGB(0, 0, 0), RGB(0, 0, 0)); break;
    case 2: guckRing(dc, 0, 0, w, h, RGB(255, 255, 255), RGB(0, 0, 0)); break;
    case 3:
        if (ctlFlachStil() == 0) {
            guckRing(dc, 0, 0, w, h, RGB(128, 128, 128), RGB(255, 255, 255));
            guckRing(dc, 1, 1, w - 1, h - 1, RGB(0, 0, 0), RGB(192, 192, 192));
        } else if (ctlFlachStil() == 1) {
            guckRing(dc, 0, 0, w, h, RGB(127, 157, 185), RGB(127, 157, 185));
        }
        break;
    default: break;
    }
}

void guckMalen(HWND fenster, GuckSatz* s)
{
    // Suppressed, or the view waits for another target: what the window
    // shows stays as it is until the view paints again.
    if (guckGesperrt || AnsichtMalenAufschieben(fenster)) {
        ValidateRect(fenster, nullptr);
        return;
    }
    // 1: the cursor and the lines off the window, before anything paints.
    guckVerstecken(s);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(fenster, &ps);
    // 2: background.
    COLORREF grund = s->farbe != 0 ? s->farbe : GetSysColor((s->stil & 8) ? COLOR_BTNFACE : COLOR_WINDOW);
    const int rand = (s->stil & 3) != 0 ? 1 : 0;
    guckFlaeche(dc, rand, rand, s->breite - rand, s->hoehe - rand, grund);
    // 3: the sheet.
    AnsichtMalen(fenster, dc);
    // 4: frame.
    guckRahmen(dc, s);
    EndPaint(fenster, &ps);
    // 5, 6: lines and cursor again.
    if (!s->verborgen) guckZeigen(s);
}

LRESULT guckErzeugen(HWND fenster, const CREATESTRUCT* cs)
{
    // Loaded again here when the registration came before the display did.
    guckCaretLaden();
    const LONG id = guckAnlegen(fenster);
    if (id == 0) return -1;
    SetWindowLong(fenster, 0, id);
    GuckSatz* s = &guckSaetze[static_cast<size_t>(id) - 1];
    s->breite = cs->cx;
    s->hoehe = cs->cy;
    s->stil = static_cast<DWORD>(cs->style);
    s->x = s->breite / 2;
    s->y = s->hoehe / 2;
    HDC dc = GetDC(0);
    s->sicherung = CreateCompatibleBitmap(dc, GUCKKREUZ, GUCKKREUZ);
    ReleaseDC(0, dc);
    if (s->sicherung == 0) {
        s->fenster = 0;
        return -1;
    }
    HDC mem = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(mem, s->sicherung);
    PatBlt(mem, 0, 0, GUCKKREUZ, GUCKKREUZ, WHITENESS);
    SelectObject(mem, alt);
    DeleteDC(mem);
    return 0;
}

LRESULT CALLBACK GuckFensterProz(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_CREATE) return guckErzeugen(fenster, reinterpret_cast<const CREATESTRUCT*>(lp));
    GuckSatz* s = guckSatz(fenster);
    if (s == nullptr) return DefWindowProc(fenster, nachricht, wp, lp);
    switch (nachricht) {
    case WM_DESTROY:
        if (s->caretGemacht) DestroyCaret();
        if (s->sicherung) DeleteObject(s->sicherung);
        *s = GuckSatz{};
        SetWindowLong(fenster, 0, 0);
        return 1;
    case WM_SIZE:
        s->breite = LOWORD(lp);
        s->hoehe = HIWORD(lp);
        return 1;
    case WM_SETFOCUS:
        guckBitmapWeg(s);
        s->fokus = 1;
        if (guckCaret != 0 && CreateCaret(fenster, guckCaret, 0, 0)) s->caretGemacht = 1;
        if (!s->verborgen) guckCaretZeigen(s);
        AnsichtMausVerfolgen(fenster, 1);
        return 1;
    case WM_KILLFOCUS:
        guckCaretWeg(s);
        if (s->caretGemacht) DestroyCaret();
        s->caretGemacht = 0;
        s->fokus = 0;
        if (!s->verborgen) guckBitmapZeigen(s);
        AnsichtMausVerfolgen(fenster, 0);
        return 1;
    case WM_SETTEXT: return 1;
    case WM_GETTEXT:
        if (wp > 0 && lp != 0) *reinterpret_cast<char*>(lp) = '\0';
        return 0;
    case WM_GETTEXTLENGTH: return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills the background itself
    case WM_PAINT: guckMalen(fenster, s); return 1;
    case WM_GETDLGCODE: return 129;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetFocus(fenster);
        SendMessage(GetParent(fenster), nachricht, wp, lp);
        return 1;
    case WM_SYSKEYDOWN:
        // Alt with a key reaches the page like any key; Alt+F4 stays the
        // window system's.
        if (wp == VK_F4) return DefWindowProc(fenster, nachricht, wp, lp);
        SendMessage(GetParent(fenster), nachricht, wp, lp);
        return 1;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_COMMAND:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
        SendMessage(GetParent(fenster), nachricht, wp, lp);
        return 1;
    default: return DefWindowProc(fenster, nachricht, wp, lp);
    }
}

}  // namespace

int GuckRegistrieren()
{
    WNDCLASS da{};
    // A restarted window manager (tests) has forgotten the class.
    if (guckAngemeldet && GetClassInfo(guckInstanz(), GUCKKLASSE, &da)) return 0;
    WNDCLASS wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = GuckFensterProz;
    wc.cbWndExtra = 4;
    wc.hInstance = guckInstanz();
    wc.hCursor = LoadCursor(0, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = GUCKKLASSE;
    if (RegisterClass(&wc) == 0) return -1;
    guckCaretLaden();
    guckAngemeldet = true;
    return 0;
}

void GuckAbmelden()
{
    if (!guckAngemeldet) return;
    UnregisterClass(GUCKKLASSE, guckInstanz());
    if (guckCaret != 0) DeleteObject(guckCaret);
    guckCaret = 0;
    guckAngemeldet = false;
}

void GuckMetrikStart() { GdiSchriftMetrikStart(0); }
void GuckHintergrundFrei() { GdiHintergrundFrei(); }

void GuckMalenSperren(int flag) { guckGesperrt = flag; }

void GuckFarbe(HWND fenster, COLORREF farbe)
{
    if (GuckSatz* s = guckSatz(fenster)) s->farbe = farbe;
}

void GuckPosition(HWND fenster, int x, int y)
{
    if (GuckSatz* s = guckSatz(fenster)) {
        s->x = x;
        s->y = y;
    }
}

void GuckZeigen(HWND fenster, int an)
{
    GuckSatz* s = guckSatz(fenster);
    if (s == nullptr) return;
    s->verborgen = !an;
    if (an) guckZeigen(s);
    else guckVerstecken(s);
}

void GuckMenueModus(HWND fenster, int an)
{
    GuckSatz* s = guckSatz(fenster);
    if (s == nullptr) return;
    if (an) {
        guckCaretWeg(s);
        guckBitmapZeigen(s);
    } else {
        guckBitmapWeg(s);
        guckCaretZeigen(s);
    }
}

void GuckFadenkreuzModus(HWND fenster, int an)
{
    if (GuckSatz* s = guckSatz(fenster)) s->kreuzModus = an;
}

void GuckFadenkreuzZeigen(HWND fenster, int an)
{
    GuckSatz* s = guckSatz(fenster);
    if (s == nullptr || !s->kreuzModus) return;
    if (!an) s->kreuzAus = 0;
    if ((an != 0) == (s->kreuzGezeigt != 0)) return;
    if (an && s->kreuzAus) return;  // comes back with the cursor
    guckKreuzInvertieren(s);
    s->kreuzGezeigt = an != 0;
}

bool GuckStandHolen(HWND fenster, GuckStand* aus)
{
    const GuckSatz* s = guckSatz(fenster);
    if (s == nullptr) return false;
    *aus = GuckStand{s->x, s->y, s->fokus, s->caretGezeigt, s->bitmapGezeigt, s->kreuzGezeigt};
    return true;
}
