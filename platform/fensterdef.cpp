// Window manager: DefWindowProc, the default handling of messages that the
// window procedures pass on. Prefix `def` for its helpers. Calls the other
// files of the window manager only through fensterint.h and the public
// calls.
#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/ctl_scroll.h"
#include "platform/fensterint.h"
#include "platform/gdi.h"
#include "platform/systemwerte.h"

namespace {

// Hit test of a screen point against the non-client parts of a window.
LRESULT defTreffer(const plFenster* w, POINT pt)
{
    RECT wr;
    GetWindowRect(w->h, &wr);
    if (pt.x < wr.left || pt.y < wr.top || pt.x >= wr.right || pt.y >= wr.bottom) return HTNOWHERE;
    plRaender rd = plFensterRaender(w);
    int x = pt.x - wr.left, y = pt.y - wr.top;
    int b = wr.right - wr.left, h = wr.bottom - wr.top;
    RECT c = plFensterClient(w);
    if (x >= rd.links && y >= rd.oben && x < rd.links + c.right && y < rd.oben + c.bottom) return HTCLIENT;
    if (rd.rahmen && (x < rd.rahmen || y < rd.rahmen || x >= b - rd.rahmen || y >= h - rd.rahmen)) {
        if (!(w->stil & WS_THICKFRAME)) return HTBORDER;
        int ecke = GetSystemMetrics(SM_CYCAPTION);
        bool l = x < ecke, r = x >= b - ecke, o = y < ecke, u = y >= h - ecke;
        if (y < rd.rahmen) return l ? HTTOPLEFT : r ? HTTOPRIGHT : HTTOP;
        if (y >= h - rd.rahmen) return l ? HTBOTTOMLEFT : r ? HTBOTTOMRIGHT : HTBOTTOM;
        if (x < rd.rahmen) return o ? HTTOPLEFT : u ? HTBOTTOMLEFT : HTLEFT;
        return o ? HTTOPRIGHT : u ? HTBOTTOMRIGHT : HTRIGHT;
    }
    if (rd.beschriftung && y < rd.rahmen + rd.beschriftung) {
        int kh = rd.beschriftung - 5;
        if (x >= b - rd.rahmen - 4 - kh) return HTCLOSE;
        return HTCAPTION;
    }
    if (rd.menue && y >= rd.aussenOben && y < rd.aussenOben + rd.menue) return HTMENU;
    int cx = rd.links + c.right, cy = rd.oben + c.bottom;
    if ((w->stil & WS_VSCROLL) && x >= cx && y < cy) return HTVSCROLL;
    if ((w->stil & WS_HSCROLL) && y >= cy && x < cx) return HTHSCROLL;
    if ((w->stil & WS_VSCROLL) && (w->stil & WS_HSCROLL) && x >= cx && y >= cy) return HTSIZE;
    return HTBORDER;
}

LPCSTR defCursorFuer(int treffer)
{
    switch (treffer) {
    case HTLEFT:
    case HTRIGHT: return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM: return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return IDC_SIZENESW;
    default: return IDC_ARROW;
    }
}

LRESULT defSetCursor(HWND h, WPARAM wp, LPARAM lp)
{
    plFenster* w = plFensterVon(h);
    if (!w) return FALSE;
    // The parent may decide first.
    if (w->eltern && SendMessage(w->eltern, WM_SETCURSOR, wp, lp)) return TRUE;
    if (!(w = plFensterVon(h))) return FALSE;
    int treffer = static_cast<short>(LOWORD(lp));
    if (treffer == HTCLIENT) {
        if (w->klasse && w->klasse->cursor) {
            SetCursor(w->klasse->cursor);
            return TRUE;
        }
        return FALSE;
    }
    if (treffer == HTERROR) return FALSE;
    SetCursor(plCursorSystem(defCursorFuer(treffer)));
    return FALSE;
}

LRESULT defText(plFenster* w, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SETTEXT: {
        const char* t = reinterpret_cast<const char*>(lp);
        w->text = t ? t : "";
        if (!w->eltern) {
            plBeFensterTitel(w->h, w->text.c_str());
            plFensterNcUngueltig(w);
        }
        return TRUE;
    }
    case WM_GETTEXT: {
        char* buf = reinterpret_cast<char*>(lp);
        if (!buf || wp == 0) return 0;
        size_t n = std::min(w->text.size(), static_cast<size_t>(wp - 1));
        std::memcpy(buf, w->text.data(), n);
        buf[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    default: return 0;
    }
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE: return TRUE;
    case WM_NCCALCSIZE: return 0;
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return defText(w, msg, wp, lp);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_NCPAINT: return plFensterNcMalen(hwnd);
    case WM_ERASEBKGND: return plFensterHintergrund(hwnd, static_cast<HDC>(wp));
    case WM_NCACTIVATE:
        w->ncAktiv = wp != 0;
        if (!w->eltern && plFensterRaender(w).beschriftung) {
            plFensterNcUngueltig(w);
            if (plFensterSichtbar(w)) {
                w->ncMalen = false;
                plFensterNcMalen(hwnd);
            }
        }
        return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE && !IsIconic(hwnd)) SetFocus(hwnd);
        return 0;
    case WM_MOUSEACTIVATE:
        if (plFenster* oben = plFensterVon(plFensterOben(hwnd)); oben && (oben->exStil & WS_EX_NOACTIVATE))
            return MA_NOACTIVATE;
        if (w->eltern) {
            LRESULT r = SendMessage(w->eltern, WM_MOUSEACTIVATE, wp, lp);
            if (r) return r;
        }
        return MA_ACTIVATE;
    case WM_SETCURSOR: return defSetCursor(hwnd, wp, lp);
    case WM_NCHITTEST: return defTreffer(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    case WM_MOUSEWHEEL:
        if (w->eltern) return SendMessage(w->eltern, msg, wp, lp);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const WINDOWPOS* p = reinterpret_cast<const WINDOWPOS*>(lp);
        if (!p) return 0;
        if (!(p->flags & SWP_NOSIZE)) {
            RECT c = plFensterClient(w);
            WPARAM art = w->zeigeZustand == SW_SHOWMAXIMIZED   ? SIZE_MAXIMIZED
                         : w->zeigeZustand == SW_SHOWMINIMIZED ? SIZE_MINIMIZED
                                                               : SIZE_RESTORED;
            if (art == SIZE_MINIMIZED) c = RECT{0, 0, 0, 0};
            SendMessage(hwnd, WM_SIZE, art, MAKELPARAM(c.right, c.bottom));
            if (!(w = plFensterVon(hwnd))) return 0;
        }
        if (!(p->flags & SWP_NOMOVE)) {
            POINT o{0, 0};
            plRaender rd = plFensterRaender(w);
            if (w->eltern)
                o = POINT{w->rect.left + rd.links, w->rect.top + rd.oben};
            else
                o = plFensterClientBildschirm(w);
            SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(o.x, o.y));
        }
        return 0;
    }
    case WM_GETMINMAXINFO:
    case WM_WINDOWPOSCHANGING:
    case WM_SHOWWINDOW:
        return 0;
    case WM_SETREDRAW:
        w->neuZeichnen = wp != 0;
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == hwnd) ReleaseCapture();
        return 0;
    case WM_SYSCOMMAND:
        if (plFensterSysBefehlHook && plFensterSysBefehlHook(hwnd, wp, lp)) return 0;
        switch (wp & 0xFFF0) {
        case SC_CLOSE:
            if (!w->klasse || !(w->klasse->stil & CS_NOCLOSE)) SendMessage(hwnd, WM_CLOSE, 0, 0);
            return 0;
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
        case SC_HSCROLL:
        case SC_VSCROLL: plScrollNcKlick(hwnd, msg, wp, lp); return 0;
        default: return 0;
        }
    case WM_NCLBUTTONDOWN:
        // A press on a window scroll bar becomes the system command, so that a
        // window procedure may still take it over.
        if (wp == HTVSCROLL) SendMessage(hwnd, WM_SYSCOMMAND, SC_VSCROLL, lp);
        if (wp == HTHSCROLL) SendMessage(hwnd, WM_SYSCOMMAND, SC_HSCROLL, lp);
        if (wp == HTCLOSE) PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lp);
        if (wp == HTMENU) SendMessage(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU, lp);
        return 0;
    case WM_RBUTTONUP: {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(hwnd, &p);
        SendMessage(hwnd, WM_CONTEXTMENU, hwnd, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
        return 0;
    }
    case WM_CONTEXTMENU:
        if (w->eltern) SendMessage(w->eltern, msg, wp, lp);
        return 0;
    case WM_SYSKEYUP:
        if ((wp == VK_MENU || wp == VK_F10) && plWm().menueTasteAllein) {
            plWm().menueTasteAllein = false;
            SendMessage(plFensterOben(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
        }
        return 0;
    case WM_SYSCHAR:
        if ((HIWORD(lp) & KF_ALTDOWN) && wp != VK_SPACE)
            SendMessage(plFensterOben(hwnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wp));
        return 0;
    case WM_NCLBUTTONDBLCLK:
        if (wp == HTVSCROLL) SendMessage(hwnd, WM_SYSCOMMAND, SC_VSCROLL, lp);
        if (wp == HTHSCROLL) SendMessage(hwnd, WM_SYSCOMMAND, SC_HSCROLL, lp);
        if (wp == HTCAPTION && (w->stil & WS_MAXIMIZEBOX))
            PostMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lp);
        return 0;
    case WM_SYSKEYDOWN:
        if (wp == VK_F4 && (HIWORD(lp) & KF_ALTDOWN)) PostMessage(plFensterOben(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_GETICON: return wp == ICON_BIG ? w->iconGross : w->iconKlein;
    case WM_SETICON: {
        HICON alt = wp == ICON_BIG ? w->iconGross : w->iconKlein;
        (wp == ICON_BIG ? w->iconGross : w->iconKlein) = static_cast<HICON>(lp);
        return alt;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        HDC hdc = static_cast<HDC>(wp);
        bool fenster = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
        SetTextColor(hdc, GetSysColor(fenster ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
        SetBkColor(hdc, GetSysColor(fenster ? COLOR_WINDOW : COLOR_BTNFACE));
        return static_cast<LRESULT>(GetSysColorBrush(fenster ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_QUERYENDSESSION: return TRUE;
    default: return 0;
    }
}
