// The STATIC control; see ctl_static.h. Prefix `statik` for file helpers.
// Font and image live in the window's extra bytes. Calls the window
// manager, the GDI and the look module.
#include "platform/ctl_static.h"

#include "platform/bildlader.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"
#include "platform/klasseint.h"

namespace {

constexpr int STATIK_SCHRIFT = 0;
constexpr int STATIK_BILD = static_cast<int>(sizeof(LONG_PTR));
constexpr int STATIK_EXTRA = 2 * static_cast<int>(sizeof(LONG_PTR));

DWORD statikArt(HWND h)
{
    return static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)) & SS_TYPEMASK;
}

void statikMelden(HWND h, WORD code)
{
    HWND p = GetParent(h);
    if (p) SendMessage(p, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), code), static_cast<LPARAM>(h));
}

HBRUSH statikHintergrund(HWND h, HDC hdc)
{
    HWND p = GetParent(h);
    HBRUSH b = p ? static_cast<HBRUSH>(
                       SendMessage(p, WM_CTLCOLORSTATIC, static_cast<WPARAM>(hdc), static_cast<LPARAM>(h)))
                 : 0;
    if (!b)
        b = static_cast<HBRUSH>(
            DefWindowProc(h, WM_CTLCOLORSTATIC, static_cast<WPARAM>(hdc), static_cast<LPARAM>(h)));
    return b;
}

void statikText(HWND h, HDC hdc, RECT rc, DWORD stil, DWORD art)
{
    char text[1024];
    int n = GetWindowText(h, text, sizeof text);
    if (n <= 0) return;
    UINT f = DT_EXPANDTABS;
    switch (art) {
    case SS_CENTER: f |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: f |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE: f |= DT_LEFT | DT_SINGLELINE; break;
    default: f |= DT_LEFT | DT_WORDBREAK; break;
    }
    if (stil & SS_NOPREFIX) f |= DT_NOPREFIX;
    if ((stil & SS_CENTERIMAGE) && (f & DT_SINGLELINE)) f |= DT_VCENTER;
    else if (stil & SS_CENTERIMAGE) {
        f = (f & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
    }
    switch (stil & SS_WORDELLIPSIS) {
    case SS_ENDELLIPSIS: f |= DT_END_ELLIPSIS; break;
    case SS_PATHELLIPSIS: f |= DT_PATH_ELLIPSIS; break;
    case SS_WORDELLIPSIS: f |= DT_WORD_ELLIPSIS; break;
    default: break;
    }
    HFONT schrift = static_cast<HFONT>(GetWindowLongPtr(h, STATIK_SCHRIFT));
    HGDIOBJ alt = SelectObject(hdc, schrift ? schrift : plDialogSystemSchrift());
    plStilText(hdc, text, n, &rc, f, IsWindowEnabled(h) != 0);
    SelectObject(hdc, alt);
}

void statikBild(HWND h, HDC hdc, RECT rc, DWORD stil, DWORD art)
{
    HANDLE bild = static_cast<HANDLE>(GetWindowLongPtr(h, STATIK_BILD));
    if (!bild) return;
    if (art == SS_ICON) {
        int g = GetSystemMetrics(SM_CXICON);
        int x = rc.left, y = rc.top;
        if (stil & SS_CENTERIMAGE) {
            x = rc.left + (rc.right - rc.left - g) / 2;
            y = rc.top + (rc.bottom - rc.top - g) / 2;
        }
        DrawIconEx(hdc, x, y, bild, g, g, 0, 0, DI_NORMAL);
        return;
    }
    BITMAP bm{};
    if (!GetObject(bild, sizeof bm, &bm)) return;
    int x = rc.left, y = rc.top;
    if (stil & SS_CENTERIMAGE) {
        x = rc.left + (rc.right - rc.left - bm.bmWidth) / 2;
        y = rc.top + (rc.bottom - rc.top - bm.bmHeight) / 2;
    }
    HDC mem = CreateCompatibleDC(hdc);
    HGDIOBJ alt = SelectObject(mem, bild);
    BitBlt(hdc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    SelectObject(mem, alt);
    DeleteDC(mem);
}

void statikMalen(HWND h, HDC hdc)
{
    DWORD stil = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
    DWORD art = stil & SS_TYPEMASK;
    RECT rc;
    GetClientRect(h, &rc);
    if (art == SS_OWNERDRAW) {
        DRAWITEMSTRUCT di{};
        di.CtlType = ODT_STATIC;
        di.CtlID = static_cast<UINT>(GetDlgCtrlID(h));
        di.itemAction = ODA_DRAWENTIRE;
        di.itemState = IsWindowEnabled(h) ? 0 : ODS_DISABLED;
        di.hwndItem = h;
        di.hDC = hdc;
        di.rcItem = rc;
        if (HWND p = GetParent(h)) SendMessage(p, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
        return;
    }
    HBRUSH hg = statikHintergrund(h, hdc);
    switch (art) {
    case SS_BLACKRECT: plStilFlaeche(hdc, &rc, COLOR_3DDKSHADOW); return;
    case SS_GRAYRECT: plStilFlaeche(hdc, &rc, COLOR_BTNSHADOW); return;
    case SS_WHITERECT: plStilFlaeche(hdc, &rc, COLOR_BTNHIGHLIGHT); return;
    case SS_BLACKFRAME: FrameRect(hdc, &rc, GetSysColorBrush(COLOR_3DDKSHADOW)); return;
    case SS_GRAYFRAME: FrameRect(hdc, &rc, GetSysColorBrush(COLOR_BTNSHADOW)); return;
    case SS_WHITEFRAME: FrameRect(hdc, &rc, GetSysColorBrush(COLOR_BTNHIGHLIGHT)); return;
    case SS_ETCHEDHORZ: {
        RECT l{rc.left, rc.top, rc.right, rc.top + 2};
        DrawEdge(hdc, &l, EDGE_ETCHED, BF_TOP);
        return;
    }
    case SS_ETCHEDVERT: {
        RECT l{rc.left, rc.top, rc.left + 2, rc.bottom};
        DrawEdge(hdc, &l, EDGE_ETCHED, BF_LEFT);
        return;
    }
    case SS_ETCHEDFRAME: DrawEdge(hdc, &rc, EDGE_ETCHED, BF_RECT); return;
    default: break;
    }
    FillRect(hdc, &rc, hg);
    RECT innen = rc;
    if (stil & SS_SUNKEN) DrawEdge(hdc, &innen, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (art == SS_ICON || art == SS_BITMAP || art == SS_ENHMETAFILE)
        statikBild(h, hdc, innen, stil, art);
    else
        statikText(h, hdc, innen, stil, art);
}

LRESULT statikProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: {
        // An image static names its picture in the text.
        const CREATESTRUCT* cs = reinterpret_cast<const CREATESTRUCT*>(lp);
        DWORD art = statikArt(h);
        if (cs && cs->lpszName && *cs->lpszName && (art == SS_ICON || art == SS_BITMAP)) {
            HANDLE b = art == SS_ICON ? static_cast<HANDLE>(LoadIcon(cs->hInstance, cs->lpszName))
                                      : static_cast<HANDLE>(LoadBitmap(cs->hInstance, cs->lpszName));
            SetWindowLongPtr(h, STATIK_BILD, static_cast<LONG_PTR>(b));
        }
        return 0;
    }
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_SETTEXT: {
        DWORD art = statikArt(h);
        if (art == SS_ICON || art == SS_BITMAP) return TRUE;  // the text names a resource
        return plSchlichtProc(h, msg, wp, lp, STATIK_SCHRIFT, statikMalen);
    }
    case WM_NCHITTEST:
        if (!(GetWindowLong(h, GWL_STYLE) & SS_NOTIFY)) return HTTRANSPARENT;
        return DefWindowProc(h, msg, wp, lp);
    case WM_LBUTTONDOWN:
        if (GetWindowLong(h, GWL_STYLE) & SS_NOTIFY) statikMelden(h, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (GetWindowLong(h, GWL_STYLE) & SS_NOTIFY) statikMelden(h, STN_DBLCLK);
        return 0;
    case STM_SETIMAGE:
    case STM_SETICON: {
        LONG_PTR alt = GetWindowLongPtr(h, STATIK_BILD);
        SetWindowLongPtr(h, STATIK_BILD, msg == STM_SETICON ? static_cast<LONG_PTR>(wp) : lp);
        InvalidateRect(h, nullptr, TRUE);
        return alt;
    }
    case STM_GETIMAGE:
    case STM_GETICON: return GetWindowLongPtr(h, STATIK_BILD);
    default: return plSchlichtProc(h, msg, wp, lp, STATIK_SCHRIFT, statikMalen);
    }
}

}  // namespace

void plStatikKlasseRegistrieren() { plKlasseSichern(WC_STATIC, statikProc, CS_DBLCLKS, STATIK_EXTRA); }
