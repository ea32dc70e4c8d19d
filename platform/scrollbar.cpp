// Window scroll bars (WS_HSCROLL / WS_VSCROLL) in the non-client area and the
// scroll-bar calls for all three kinds of bar (SB_HORZ, SB_VERT, SB_CTL).
// Prefix `sbf` for helpers. The bars' values live in a table of this file
// keyed by window; the window manager paints them through its non-client
// hook and hands presses on them to plScrollNcKlick. See ctl_scroll.h.
// May call: fenster.h, nachricht.h, eingabe.h, gdi.h, systemwerte.h.
#include <algorithm>
#include <map>

#include "platform/ctl_scroll_int.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"

namespace {

struct SbfFenster {
    plScrollWerte horz;
    plScrollWerte vert;
};

std::map<HWND, SbfFenster> sbfTabelle;

SbfFenster* sbfFinden(HWND h, bool anlegen)
{
    auto it = sbfTabelle.find(h);
    if (it != sbfTabelle.end()) return &it->second;
    if (!anlegen || !IsWindow(h)) return nullptr;
    // Forget bars of windows that are gone before the table grows.
    for (auto i = sbfTabelle.begin(); i != sbfTabelle.end();)
        i = IsWindow(i->first) ? std::next(i) : sbfTabelle.erase(i);
    return &sbfTabelle[h];
}

plScrollWerte* sbfWerte(HWND h, int bar, bool anlegen)
{
    SbfFenster* f = sbfFinden(h, anlegen);
    if (!f) return nullptr;
    return bar == SB_HORZ ? &f->horz : &f->vert;
}

// The rectangle of a window bar in window coordinates (empty when the
// window lacks the style).
RECT sbfRechteck(HWND h, int bar)
{
    RECT leer{0, 0, 0, 0};
    DWORD stil = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
    if (bar == SB_VERT && !(stil & WS_VSCROLL)) return leer;
    if (bar == SB_HORZ && !(stil & WS_HSCROLL)) return leer;
    RECT w, c;
    GetWindowRect(h, &w);
    GetClientRect(h, &c);
    POINT o{0, 0};
    ClientToScreen(h, &o);
    int x0 = o.x - w.left, y0 = o.y - w.top;
    if (bar == SB_VERT) return RECT{x0 + c.right, y0, x0 + c.right + GetSystemMetrics(SM_CXVSCROLL), y0 + c.bottom};
    return RECT{x0, y0 + c.bottom, x0 + c.right, y0 + c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
}

void sbfMalenIn(HWND h, HDC hdc)
{
    DWORD stil = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
    bool frei = IsWindowEnabled(h) != FALSE;
    plScrollWerte standard;
    for (int bar : {SB_VERT, SB_HORZ}) {
        RECT r = sbfRechteck(h, bar);
        if (r.right <= r.left || r.bottom <= r.top) continue;
        plScrollWerte* w = sbfWerte(h, bar, false);
        plScrollMalen(hdc, r, bar == SB_VERT, w ? *w : standard, frei);
    }
    if ((stil & WS_VSCROLL) && (stil & WS_HSCROLL)) {
        RECT v = sbfRechteck(h, SB_VERT), hz = sbfRechteck(h, SB_HORZ);
        RECT ecke{v.left, hz.top, v.right, hz.bottom};
        FillRect(hdc, &ecke, GetSysColorBrush(COLOR_BTNFACE));
    }
}

void sbfNcMalen(HWND h, HDC hdc)
{
    sbfMalenIn(h, hdc);
}

void sbfNeuMalen(HWND h)
{
    if (!IsWindowVisible(h)) return;
    HDC hdc = GetWindowDC(h);
    if (!hdc) return;
    sbfMalenIn(h, hdc);
    ReleaseDC(h, hdc);
}

void sbfStil(HWND h, DWORD bits, bool an)
{
    DWORD stil = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
    DWORD neu = an ? (stil | bits) : (stil & ~bits);
    if (neu == stil) return;
    SetWindowLong(h, GWL_STYLE, static_cast<LONG>(neu));
    SetWindowPos(h, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

DWORD sbfBit(int bar)
{
    return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
}

void sbfSenden(HWND h, int bar, int code, int pos)
{
    WORD p = (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) ? static_cast<WORD>(pos) : 0;
    SendMessage(h, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, p), 0);
}

}  // namespace

void plScrollFensterLeeren()
{
    sbfTabelle.clear();
}

void plScrollNcHookSetzen()
{
    plFensterNcExtrasHook(sbfNcMalen);
}

// ---- The calls ---------------------------------------------------------------------------------

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* si, BOOL redraw)
{
    plScrollAnmelden();
    if (!si || !IsWindow(hwnd)) return 0;
    if (bar == SB_CTL) return static_cast<int>(SendMessage(hwnd, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(si)));
    if (bar != SB_HORZ && bar != SB_VERT) return 0;
    plScrollWerte* w = sbfWerte(hwnd, bar, true);
    if (!w) return 0;
    int pos = plScrollSetzen(*w, si);
    if (si->fMask & (SIF_RANGE | SIF_PAGE)) {
        bool noetig = plScrollNoetig(*w);
        if (si->fMask & SIF_DISABLENOSCROLL) {
            if (!noetig) {
                w->pfeileAus = ESB_DISABLE_BOTH;
                w->infoGesperrt = true;
                sbfStil(hwnd, sbfBit(bar), true);
            } else if (w->infoGesperrt || w->pfeileAus == ESB_DISABLE_BOTH) {
                w->pfeileAus = 0;
                w->infoGesperrt = false;
            }
        } else if (w->infoGesperrt && noetig) {
            w->pfeileAus = 0;
            w->infoGesperrt = false;
        }
        if (!(si->fMask & SIF_DISABLENOSCROLL) || noetig) sbfStil(hwnd, sbfBit(bar), noetig);
    }
    if (redraw) sbfNeuMalen(hwnd);
    return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* si)
{
    plScrollAnmelden();
    if (!si || !IsWindow(hwnd)) return FALSE;
    if (bar == SB_CTL) return static_cast<BOOL>(SendMessage(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(si)));
    if (bar != SB_HORZ && bar != SB_VERT) return FALSE;
    plScrollWerte standard;
    plScrollWerte* w = sbfWerte(hwnd, bar, false);
    if (!w && !(GetWindowLong(hwnd, GWL_STYLE) & sbfBit(bar))) return FALSE;
    plScrollHolen(w ? *w : standard, si);
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    int alt = GetScrollPos(hwnd, bar);
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, &si, redraw);
    return alt;
}

int GetScrollPos(HWND hwnd, int bar)
{
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hwnd, bar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw)
{
    if (!IsWindow(hwnd)) return FALSE;
    SCROLLINFO si{sizeof si, SIF_RANGE, min, max, 0, 0, 0};
    SetScrollInfo(hwnd, bar, &si, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max)
{
    SCROLLINFO si{sizeof si, SIF_RANGE, 0, 0, 0, 0, 0};
    BOOL ok = GetScrollInfo(hwnd, bar, &si);
    if (min) *min = ok ? si.nMin : 0;
    if (max) *max = ok ? si.nMax : 0;
    return ok;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
    plScrollAnmelden();
    if (!IsWindow(hwnd)) return FALSE;
    if (bar == SB_CTL) return static_cast<BOOL>(SendMessage(hwnd, SBM_ENABLE_ARROWS, arrows, 0));
    BOOL geaendert = FALSE;
    for (int b : {SB_HORZ, SB_VERT}) {
        if (bar != SB_BOTH && static_cast<int>(bar) != b) continue;
        plScrollWerte* w = sbfWerte(hwnd, b, true);
        if (!w) continue;
        UINT neu = arrows & ESB_DISABLE_BOTH;
        if (w->pfeileAus != neu) geaendert = TRUE;
        w->pfeileAus = neu;
        w->infoGesperrt = false;
    }
    if (geaendert) sbfNeuMalen(hwnd);
    return geaendert;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    plScrollAnmelden();
    if (!IsWindow(hwnd)) return FALSE;
    if (bar == SB_CTL) {
        ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    if (bar != SB_BOTH && bar != SB_HORZ && bar != SB_VERT) return FALSE;
    sbfFinden(hwnd, true);
    sbfStil(hwnd, bits, show != FALSE);
    return TRUE;
}

LRESULT plScrollNcKlick(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    int bar;
    if (msg == WM_SYSCOMMAND && ((wp & 0xFFF0) == SC_VSCROLL || (wp & 0xFFF0) == SC_HSCROLL))
        bar = (wp & 0xFFF0) == SC_VSCROLL ? SB_VERT : SB_HORZ;
    else if ((msg == WM_NCLBUTTONDOWN || msg == WM_NCLBUTTONDBLCLK) && (wp == HTHSCROLL || wp == HTVSCROLL))
        bar = wp == HTVSCROLL ? SB_VERT : SB_HORZ;
    else
        return 0;
    plScrollAnmelden();
    if (!IsWindow(hwnd) || !IsWindowEnabled(hwnd)) return 1;
    sbfWerte(hwnd, bar, true);
    plScrollVerfolgung v;
    v.capture = hwnd;
    v.vertikal = bar == SB_VERT;
    v.bildschirm = [hwnd, bar]() {
        RECT r = sbfRechteck(hwnd, bar);
        RECT w;
        GetWindowRect(hwnd, &w);
        return RECT{r.left + w.left, r.top + w.top, r.right + w.left, r.bottom + w.top};
    };
    v.werte = [hwnd, bar]() { return IsWindow(hwnd) ? sbfWerte(hwnd, bar, false) : nullptr; };
    v.frei = [hwnd]() { return IsWindowEnabled(hwnd) != FALSE; };
    v.senden = [hwnd, bar](int code, int pos) { sbfSenden(hwnd, bar, code, pos); };
    v.neuMalen = [hwnd]() { sbfNeuMalen(hwnd); };
    plScrollVerfolgen(v, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    return 1;
}
