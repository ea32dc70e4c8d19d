// Scroll bars: the shared bar core (values, geometry, drawing, the modal
// tracking loop) and the SCROLLBAR control class. Prefix `scr` for helpers.
// See ctl_scroll.h for the rules. May call: fenster.h, nachricht.h,
// eingabe.h, gdi.h, systemwerte.h, stil3d.h.
#include <algorithm>
#include <cstdint>

#include "platform/ctl_scroll_int.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"

namespace {

constexpr UINT_PTR SCR_TIMER = 0xFFFF5C01u;
constexpr int SCR_DAUMEN_MIN = 8;

// ---- Drawing helpers ----------------------------------------------------------------------
// The look comes from the style module: arrows are DFC_SCROLL frame
// controls, the thumb a raised edge.

void scrPfeil(HDC hdc, const RECT& r, int richtung, bool gedrueckt, bool aus)
{
    static const UINT arten[] = {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT};
    RECT rr = r;
    DrawFrameControl(hdc, &rr, DFC_SCROLL,
                     arten[richtung] | (gedrueckt ? DFCS_PUSHED | DFCS_FLAT : 0) | (aus ? DFCS_INACTIVE : 0));
}

// The shaft in the classic checker of highlight and button face (the scroll
// bar colour alone when that differs from the face).
void scrSchaft(HDC hdc, const RECT& r)
{
    if (GetSysColor(COLOR_SCROLLBAR) != GetSysColor(COLOR_BTNFACE)) {
        FillRect(hdc, &r, GetSysColorBrush(COLOR_SCROLLBAR));
        return;
    }
    static const WORD karo[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP bm = CreateBitmap(8, 8, 1, 1, karo);
    HBRUSH br = bm ? CreatePatternBrush(bm) : 0;
    if (!br) {
        FillRect(hdc, &r, GetSysColorBrush(COLOR_SCROLLBAR));
    } else {
        COLORREF t = SetTextColor(hdc, GetSysColor(COLOR_BTNFACE));
        COLORREF b = SetBkColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
        FillRect(hdc, &r, br);
        SetTextColor(hdc, t);
        SetBkColor(hdc, b);
        DeleteObject(br);
    }
    if (bm) DeleteObject(bm);
}

void scrDaumen(HDC hdc, const RECT& r)
{
    RECT rr = r;
    DrawEdge(hdc, &rr, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

// A rectangle of the bar from `anf` to `ende` along its axis.
RECT scrStueck(const RECT& rc, bool vertikal, int anf, int ende)
{
    if (vertikal) return RECT{rc.left, rc.top + anf, rc.right, rc.top + ende};
    return RECT{rc.left + anf, rc.top, rc.left + ende, rc.bottom};
}

int scrPosAusDaumen(const plScrollGeo& g, const plScrollWerte& w, int daumenAnf)
{
    int schaft = g.gesamt - 2 * g.pfeil;
    int weg = schaft - g.daumenLaenge;
    int posMax = plScrollPosMax(w);
    if (weg <= 0 || posMax <= w.min) return w.min;
    int64_t t = std::clamp(daumenAnf - g.pfeil, 0, weg);
    int64_t spanne = static_cast<int64_t>(posMax) - w.min;
    return static_cast<int>(w.min + (t * spanne + weg / 2) / weg);
}

// ---- The control class -------------------------------------------------------------------

plScrollWerte* scrWerte(HWND h)
{
    return reinterpret_cast<plScrollWerte*>(GetWindowLongPtr(h, 0));
}

bool scrVertikal(HWND h)
{
    return (GetWindowLong(h, GWL_STYLE) & SBS_VERT) != 0;
}

void scrSenden(HWND h, int code, int pos)
{
    HWND eltern = GetParent(h);
    if (!eltern) eltern = GetWindow(h, GW_OWNER);
    if (!eltern) return;
    WORD p = (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) ? static_cast<WORD>(pos) : 0;
    SendMessage(eltern, scrVertikal(h) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, p), static_cast<LPARAM>(h));
}

void scrNeuMalen(HWND h)
{
    InvalidateRect(h, nullptr, FALSE);
    UpdateWindow(h);
}

int scrTasteCode(WPARAM vk, bool vertikal)
{
    switch (vk) {
    case VK_UP: return vertikal ? SB_LINEUP : -1;
    case VK_DOWN: return vertikal ? SB_LINEDOWN : -1;
    case VK_LEFT: return vertikal ? -1 : SB_LINELEFT;
    case VK_RIGHT: return vertikal ? -1 : SB_LINERIGHT;
    case VK_PRIOR: return SB_PAGEUP;
    case VK_NEXT: return SB_PAGEDOWN;
    case VK_HOME: return SB_TOP;
    case VK_END: return SB_BOTTOM;
    default: return -1;
    }
}

LRESULT scrSetzenUndMalen(HWND h, plScrollWerte* w, const SCROLLINFO* si, BOOL redraw)
{
    int pos = plScrollSetzen(*w, si);
    if (si && (si->fMask & SIF_DISABLENOSCROLL) && (si->fMask & (SIF_RANGE | SIF_PAGE))) {
        bool noetig = plScrollNoetig(*w);
        if (!noetig) {
            w->pfeileAus = ESB_DISABLE_BOTH;
            w->infoGesperrt = true;
        } else if (w->infoGesperrt || w->pfeileAus == ESB_DISABLE_BOTH) {
            w->pfeileAus = 0;
            w->infoGesperrt = false;
        }
    }
    if (redraw) scrNeuMalen(h);
    return pos;
}

LRESULT CALLBACK scrProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    plScrollWerte* w = scrWerte(h);
    if (!w && msg != WM_NCCREATE && msg != WM_CREATE) return DefWindowProc(h, msg, wp, lp);
    switch (msg) {
    case WM_CREATE: {
        auto* neu = new plScrollWerte();
        neu->max = 0;  // a scroll bar control starts with an empty range
        SetWindowLongPtr(h, 0, reinterpret_cast<LONG_PTR>(neu));
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtr(h, 0, 0);
        delete w;
        return DefWindowProc(h, msg, wp, lp);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(h, &ps);
        if (hdc) {
            RECT rc;
            GetClientRect(h, &rc);
            DWORD stil = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
            if (stil & SBS_SIZEGRIP)
                DrawFrameControl(hdc, &rc, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
            else if (stil & SBS_SIZEBOX)
                FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
            else
                plScrollMalen(hdc, rc, (stil & SBS_VERT) != 0, *w, IsWindowEnabled(h) != FALSE);
            EndPaint(h, &ps);
        }
        return 0;
    }
    case WM_ENABLE: scrNeuMalen(h); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (GetWindowLong(h, GWL_STYLE) & (SBS_SIZEBOX | SBS_SIZEGRIP)) return 0;
        if ((GetWindowLong(h, GWL_STYLE) & WS_TABSTOP) && GetFocus() != h) SetFocus(h);
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(h, &p);
        plScrollVerfolgung v;
        v.capture = h;
        v.vertikal = scrVertikal(h);
        v.bildschirm = [h]() {
            RECT r{0, 0, 0, 0};
            GetClientRect(h, &r);
            POINT o{0, 0};
            ClientToScreen(h, &o);
            return RECT{o.x, o.y, o.x + r.right, o.y + r.bottom};
        };
        v.werte = [h]() { return IsWindow(h) ? scrWerte(h) : nullptr; };
        v.frei = [h]() { return IsWindowEnabled(h) != FALSE; };
        v.senden = [h](int code, int pos) { scrSenden(h, code, pos); };
        v.neuMalen = [h]() { scrNeuMalen(h); };
        plScrollVerfolgen(v, p);
        return 0;
    }
    case WM_KEYDOWN: {
        int code = scrTasteCode(wp, scrVertikal(h));
        if (code < 0 || w->pfeileAus == ESB_DISABLE_BOTH || !IsWindowEnabled(h)) return 0;
        scrSenden(h, code, 0);
        return 0;
    }
    case WM_KEYUP:
        if (scrTasteCode(wp, scrVertikal(h)) >= 0 && w->pfeileAus != ESB_DISABLE_BOTH) scrSenden(h, SB_ENDSCROLL, 0);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(h, nullptr, FALSE); return 0;
    case SBM_SETPOS: {
        int alt = w->pos;
        SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, static_cast<int>(wp), 0};
        scrSetzenUndMalen(h, w, &si, static_cast<BOOL>(lp));
        return alt;
    }
    case SBM_GETPOS: return w->pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        int alt = w->pos;
        SCROLLINFO si{sizeof si, SIF_RANGE, static_cast<int>(wp), static_cast<int>(lp), 0, 0, 0};
        scrSetzenUndMalen(h, w, &si, msg == SBM_SETRANGEREDRAW);
        return alt;
    }
    case SBM_GETRANGE:
        if (wp) *reinterpret_cast<int*>(wp) = w->min;
        if (lp) *reinterpret_cast<int*>(lp) = w->max;
        return 0;
    case SBM_ENABLE_ARROWS: {
        UINT neu = static_cast<UINT>(wp) & ESB_DISABLE_BOTH;
        if (neu == w->pfeileAus) return FALSE;
        w->pfeileAus = neu;
        w->infoGesperrt = false;
        scrNeuMalen(h);
        return TRUE;
    }
    case SBM_SETSCROLLINFO:
        return scrSetzenUndMalen(h, w, reinterpret_cast<const SCROLLINFO*>(lp), static_cast<BOOL>(wp));
    case SBM_GETSCROLLINFO:
        plScrollHolen(*w, reinterpret_cast<SCROLLINFO*>(lp));
        return TRUE;
    default: return DefWindowProc(h, msg, wp, lp);
    }
}

}  // namespace

// ---- Values ---------------------------------------------------------------------------------

int plScrollPosMax(const plScrollWerte& w)
{
    int64_t m = static_cast<int64_t>(w.max) - std::max<int64_t>(static_cast<int64_t>(w.page) - 1, 0);
    return static_cast<int>(std::max<int64_t>(m, w.min));
}

bool plScrollNoetig(const plScrollWerte& w)
{
    if (w.max <= w.min) return false;
    return static_cast<int64_t>(w.page) <= static_cast<int64_t>(w.max) - w.min;
}

int plScrollSetzen(plScrollWerte& w, const SCROLLINFO* si)
{
    if (!si) return w.pos;
    if (si->fMask & SIF_RANGE) {
        w.min = si->nMin;
        w.max = std::max(si->nMin, si->nMax);
    }
    if (si->fMask & SIF_PAGE) w.page = si->nPage;
    int64_t spanne = static_cast<int64_t>(w.max) - w.min + 1;
    if (static_cast<int64_t>(w.page) > spanne) w.page = static_cast<UINT>(spanne);
    if (si->fMask & SIF_POS) w.pos = si->nPos;
    w.pos = std::clamp(w.pos, w.min, plScrollPosMax(w));
    return w.pos;
}

void plScrollHolen(const plScrollWerte& w, SCROLLINFO* si)
{
    if (!si) return;
    if (si->fMask & SIF_RANGE) {
        si->nMin = w.min;
        si->nMax = w.max;
    }
    if (si->fMask & SIF_PAGE) si->nPage = w.page;
    if (si->fMask & SIF_POS) si->nPos = w.pos;
    if (si->fMask & SIF_TRACKPOS) si->nTrackPos = w.verfolgt ? w.trackPos : w.pos;
}

// ---- Geometry and drawing --------------------------------------------------------------

plScrollGeo plScrollGeometrie(const RECT& rc, bool vertikal, const plScrollWerte& w, bool frei)
{
    plScrollGeo g{};
    g.gesamt = vertikal ? rc.bottom - rc.top : rc.right - rc.left;
    g.quer = vertikal ? rc.right - rc.left : rc.bottom - rc.top;
    g.pfeil = std::max(0, std::min(g.quer, g.gesamt / 2));
    int schaft = g.gesamt - 2 * g.pfeil;
    g.daumenAnf = g.pfeil;
    g.daumenLaenge = 0;
    if (!frei || w.pfeileAus == ESB_DISABLE_BOTH || !plScrollNoetig(w) || schaft <= 0) return g;
    int64_t spanne = static_cast<int64_t>(w.max) - w.min + 1;
    int laenge = w.page ? static_cast<int>(schaft * static_cast<int64_t>(w.page) / spanne)
                        : GetSystemMetrics(vertikal ? SM_CYVTHUMB : SM_CXHTHUMB);
    laenge = std::max(laenge, std::min(SCR_DAUMEN_MIN, g.quer));
    if (laenge > schaft) return g;
    g.daumenLaenge = laenge;
    int posMax = plScrollPosMax(w);
    int p = w.verfolgt ? w.trackPos : w.pos;
    if (posMax > w.min) {
        int64_t weg = schaft - laenge;
        g.daumenAnf = g.pfeil + static_cast<int>((static_cast<int64_t>(std::clamp(p, w.min, posMax)) - w.min) * weg /
                                                 (static_cast<int64_t>(posMax) - w.min));
    }
    return g;
}

int plScrollTeilBei(const plScrollGeo& g, int entlang)
{
    if (entlang < 0 || entlang >= g.gesamt) return PL_SCROLL_NICHTS;
    if (entlang < g.pfeil) return PL_SCROLL_PFEIL_AUF;
    if (entlang >= g.gesamt - g.pfeil) return PL_SCROLL_PFEIL_AB;
    if (!g.daumenLaenge) return PL_SCROLL_NICHTS;
    if (entlang < g.daumenAnf) return PL_SCROLL_SEITE_AUF;
    if (entlang < g.daumenAnf + g.daumenLaenge) return PL_SCROLL_DAUMEN;
    return PL_SCROLL_SEITE_AB;
}

void plScrollMalen(HDC hdc, const RECT& rc, bool vertikal, const plScrollWerte& w, bool frei)
{
    plScrollGeo g = plScrollGeometrie(rc, vertikal, w, frei);
    if (g.gesamt <= 0 || g.quer <= 0) return;
    bool aufAus = !frei || (w.pfeileAus & ESB_DISABLE_LTUP) || !plScrollNoetig(w);
    bool abAus = !frei || (w.pfeileAus & ESB_DISABLE_RTDN) || !plScrollNoetig(w);
    scrPfeil(hdc, scrStueck(rc, vertikal, 0, g.pfeil), vertikal ? 0 : 2, w.gedrueckt == PL_SCROLL_PFEIL_AUF, aufAus);
    scrPfeil(hdc, scrStueck(rc, vertikal, g.gesamt - g.pfeil, g.gesamt), vertikal ? 1 : 3,
             w.gedrueckt == PL_SCROLL_PFEIL_AB, abAus);
    RECT schaft = scrStueck(rc, vertikal, g.pfeil, g.gesamt - g.pfeil);
    scrSchaft(hdc, schaft);
    if (!g.daumenLaenge) return;
    int dEnde = g.daumenAnf + g.daumenLaenge;
    if (w.gedrueckt == PL_SCROLL_SEITE_AUF) {
        RECT r = scrStueck(rc, vertikal, g.pfeil, g.daumenAnf);
        FillRect(hdc, &r, GetSysColorBrush(COLOR_3DDKSHADOW));
    } else if (w.gedrueckt == PL_SCROLL_SEITE_AB) {
        RECT r = scrStueck(rc, vertikal, dEnde, g.gesamt - g.pfeil);
        FillRect(hdc, &r, GetSysColorBrush(COLOR_3DDKSHADOW));
    }
    scrDaumen(hdc, scrStueck(rc, vertikal, g.daumenAnf, dEnde));
}

// ---- Tracking --------------------------------------------------------------------------------

void plScrollVerfolgen(const plScrollVerfolgung& v, POINT start)
{
    plScrollWerte* w = v.werte();
    if (!w || !v.frei()) return;
    auto entlangVon = [&v](POINT p) {
        RECT r = v.bildschirm();
        return v.vertikal ? p.y - r.top : p.x - r.left;
    };
    auto geo = [&v](const plScrollWerte& ww) {
        RECT r = v.bildschirm();
        return plScrollGeometrie(RECT{0, 0, r.right - r.left, r.bottom - r.top}, v.vertikal, ww, true);
    };
    plScrollGeo g = geo(*w);
    int teil = plScrollTeilBei(g, entlangVon(start));
    if (teil == PL_SCROLL_NICHTS) return;
    if (teil == PL_SCROLL_PFEIL_AUF && (w->pfeileAus & ESB_DISABLE_LTUP)) return;
    if (teil == PL_SCROLL_PFEIL_AB && (w->pfeileAus & ESB_DISABLE_RTDN)) return;
    if (w->pfeileAus == ESB_DISABLE_BOTH) return;

    auto code = [](int t) {
        switch (t) {
        case PL_SCROLL_PFEIL_AUF: return SB_LINEUP;
        case PL_SCROLL_SEITE_AUF: return SB_PAGEUP;
        case PL_SCROLL_SEITE_AB: return SB_PAGEDOWN;
        default: return SB_LINEDOWN;
        }
    };
    SetCapture(v.capture);
    int versatz = 0;
    if (teil == PL_SCROLL_DAUMEN) {
        w->verfolgt = true;
        w->trackPos = w->pos;
        versatz = entlangVon(start) - g.daumenAnf;
        v.neuMalen();
    } else {
        w->gedrueckt = teil;
        v.neuMalen();
        v.senden(code(teil), 0);
        SetTimer(v.capture, SCR_TIMER, PL_SCROLL_VERZOEGERUNG, nullptr);
    }
    POINT maus = start;
    for (;;) {
        if (!(w = v.werte()) || GetCapture() != v.capture) break;
        MSG m;
        if (!PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
            if (!WaitMessage()) break;
            continue;
        }
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (m.message == WM_LBUTTONUP) break;
        if (m.message == WM_MOUSEMOVE) {
            maus = m.pt;
            if (teil == PL_SCROLL_DAUMEN) {
                plScrollGeo gg = geo(*w);
                int neu = scrPosAusDaumen(gg, *w, entlangVon(maus) - versatz);
                if (neu != w->trackPos) {
                    w->trackPos = neu;
                    v.neuMalen();
                    v.senden(SB_THUMBTRACK, neu);
                }
            } else {
                int unter = plScrollTeilBei(geo(*w), entlangVon(maus));
                int zeigen = unter == teil ? teil : 0;
                if (zeigen != w->gedrueckt) {
                    w->gedrueckt = zeigen;
                    v.neuMalen();
                }
            }
            continue;
        }
        if (m.message == WM_TIMER && m.hwnd == v.capture && m.wParam == SCR_TIMER) {
            // A release that never arrives as a message (the button went up
            // elsewhere) must not repeat for ever.
            if (GetAsyncKeyState(VK_LBUTTON) >= 0) break;
            if (teil != PL_SCROLL_DAUMEN && plScrollTeilBei(geo(*w), entlangVon(maus)) == teil) v.senden(code(teil), 0);
            if (v.werte()) SetTimer(v.capture, SCR_TIMER, PL_SCROLL_WIEDERHOLUNG, nullptr);
            continue;
        }
        if ((m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ||
            (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST))
            continue;  // input belongs to the drag while it lasts
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    if (IsWindow(v.capture)) KillTimer(v.capture, SCR_TIMER);
    if (GetCapture() == v.capture) ReleaseCapture();
    if (!(w = v.werte())) return;
    if (teil == PL_SCROLL_DAUMEN) {
        v.senden(SB_THUMBPOSITION, w->trackPos);
        if (!(w = v.werte())) return;
        w->verfolgt = false;
    }
    w->gedrueckt = 0;
    v.senden(SB_ENDSCROLL, 0);
    if (v.werte()) v.neuMalen();
}

// ---- Registration --------------------------------------------------------------------------

void plScrollAnmelden()
{
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoEx(0, "SCROLLBAR", &wc)) return;
    plScrollFensterLeeren();
    plScrollNcHookSetzen();
    wc = WNDCLASSEX{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = scrProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hCursor = plCursorSystem(IDC_ARROW);
    wc.lpszClassName = "SCROLLBAR";
    RegisterClassEx(&wc);
}
