// The BUTTON control; see ctl_button.h. Prefix `knopf` for file helpers.
// State lives in the window's extra bytes: check and push state, the font
// and the image. Calls the window manager, the GDI and the look module.
#include "platform/ctl_button.h"

#include <algorithm>
#include <cstring>

#include "platform/bildlader.h"
#include "platform/dialog.h"
#include "platform/dialoginterna.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"
#include "platform/klasseint.h"

namespace {

// Extra bytes: state flags, font, image.
constexpr int KNOPF_ZUSTAND = 0;
constexpr int KNOPF_SCHRIFT = static_cast<int>(sizeof(LONG_PTR));
constexpr int KNOPF_BILD = 2 * static_cast<int>(sizeof(LONG_PTR));
constexpr int KNOPF_EXTRA = 3 * static_cast<int>(sizeof(LONG_PTR));

// State flags (BST_ values for the check state and BST_PUSHED, BST_FOCUS).
constexpr LONG_PTR KNOPF_CHECKMASKE = 3;
constexpr LONG_PTR KNOPF_MAUS = 0x100;   // button held with the mouse (captured)
constexpr LONG_PTR KNOPF_TASTE = 0x200;  // held with the space bar

DWORD knopfArt(HWND h)
{
    return static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)) & BS_TYPEMASK;
}

LONG_PTR knopfZustand(HWND h)
{
    return GetWindowLongPtr(h, KNOPF_ZUSTAND);
}

void knopfZustandSetzen(HWND h, LONG_PTR z)
{
    if (z == knopfZustand(h)) return;
    SetWindowLongPtr(h, KNOPF_ZUSTAND, z);
    InvalidateRect(h, nullptr, FALSE);
}

bool knopfIstCheck(DWORD art)
{
    return art == BS_CHECKBOX || art == BS_AUTOCHECKBOX || art == BS_3STATE || art == BS_AUTO3STATE;
}

bool knopfIstRadio(DWORD art)
{
    return art == BS_RADIOBUTTON || art == BS_AUTORADIOBUTTON;
}

bool knopfIstPush(DWORD art)
{
    return art == BS_PUSHBUTTON || art == BS_DEFPUSHBUTTON || art == BS_USERBUTTON || art == BS_PUSHBOX;
}

void knopfMelden(HWND h, WORD code)
{
    HWND p = GetParent(h);
    if (p) SendMessage(p, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), code), static_cast<LPARAM>(h));
}

HFONT knopfSchrift(HWND h)
{
    HFONT f = static_cast<HFONT>(GetWindowLongPtr(h, KNOPF_SCHRIFT));
    return f ? f : plDialogSystemSchrift();
}

// The automatic part of a click, then BN_CLICKED.
void knopfKlick(HWND h)
{
    DWORD art = knopfArt(h);
    LONG_PTR z = knopfZustand(h);
    if (art == BS_AUTOCHECKBOX) {
        knopfZustandSetzen(h, (z & ~KNOPF_CHECKMASKE) | ((z & BST_CHECKED) ? 0 : BST_CHECKED));
    } else if (art == BS_AUTO3STATE) {
        LONG_PTR c = z & KNOPF_CHECKMASKE;
        knopfZustandSetzen(h, (z & ~KNOPF_CHECKMASKE) | (c == BST_UNCHECKED ? BST_CHECKED
                                                         : c == BST_CHECKED ? BST_INDETERMINATE
                                                                            : BST_UNCHECKED));
    } else if (art == BS_AUTORADIOBUTTON) {
        HWND p = GetParent(h);
        // The other automatic radio buttons of the group go off.
        if (p)
            for (HWND k = GetNextDlgGroupItem(p, h, FALSE); k && k != h; k = GetNextDlgGroupItem(p, k, FALSE)) {
                char klasse[16];
                GetClassName(k, klasse, sizeof klasse);
                if ((GetWindowLong(k, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
                    std::strlen(klasse) == 6 && (klasse[0] == 'B' || klasse[0] == 'b'))
                    SendMessage(k, BM_SETCHECK, BST_UNCHECKED, 0);
            }
        SendMessage(h, BM_SETCHECK, BST_CHECKED, 0);
    }
    knopfMelden(h, BN_CLICKED);
}

HBRUSH knopfHintergrund(HWND h, HDC hdc, DWORD art)
{
    HWND p = GetParent(h);
    UINT msg = knopfIstPush(art) ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC;
    HBRUSH b = p ? static_cast<HBRUSH>(SendMessage(p, msg, static_cast<WPARAM>(hdc), static_cast<LPARAM>(h)))
                 : 0;
    if (!b) b = static_cast<HBRUSH>(DefWindowProc(h, msg, static_cast<WPARAM>(hdc), static_cast<LPARAM>(h)));
    return b;
}

UINT knopfTextFormat(DWORD stil, bool push)
{
    UINT f = (stil & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (stil & BS_CENTER) {
    case BS_LEFT: f |= DT_LEFT; break;
    case BS_RIGHT: f |= DT_RIGHT; break;
    case BS_CENTER: f |= DT_CENTER; break;
    default: f |= push ? DT_CENTER : DT_LEFT; break;
    }
    if (!(stil & BS_MULTILINE)) {
        switch (stil & BS_VCENTER) {
        case BS_TOP: f |= DT_TOP; break;
        case BS_BOTTOM: f |= DT_BOTTOM; break;
        default: f |= DT_VCENTER; break;
        }
    }
    return f;
}

// The caption of a button (text or image) inside `rc`; `fokusRc` receives
// what the focus rectangle surrounds.
void knopfInhalt(HWND h, HDC hdc, RECT rc, DWORD stil, bool push, bool frei, RECT* fokusRc)
{
    HANDLE bild = static_cast<HANDLE>(GetWindowLongPtr(h, KNOPF_BILD));
    if ((stil & BS_ICON) && bild) {
        int g = GetSystemMetrics(SM_CXICON);
        int x = rc.left + (rc.right - rc.left - g) / 2, y = rc.top + (rc.bottom - rc.top - g) / 2;
        DrawIconEx(hdc, x, y, bild, g, g, 0, 0, DI_NORMAL);
        if (fokusRc) *fokusRc = RECT{x - 1, y - 1, x + g + 1, y + g + 1};
        return;
    }
    if ((stil & BS_BITMAP) && bild) {
        BITMAP bm{};
        if (GetObject(bild, sizeof bm, &bm)) {
            HDC mem = CreateCompatibleDC(hdc);
            HGDIOBJ alt = SelectObject(mem, bild);
            int x = rc.left + (rc.right - rc.left - bm.bmWidth) / 2;
            int y = rc.top + (rc.bottom - rc.top - bm.bmHeight) / 2;
            BitBlt(hdc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
            SelectObject(mem, alt);
            DeleteDC(mem);
            if (fokusRc) *fokusRc = RECT{x - 1, y - 1, x + bm.bmWidth + 1, y + bm.bmHeight + 1};
        }
        return;
    }
    char text[512];
    int n = GetWindowText(h, text, sizeof text);
    UINT f = knopfTextFormat(stil, push);
    HGDIOBJ alt = SelectObject(hdc, knopfSchrift(h));
    RECT mass = rc;
    DrawText(hdc, text, n, &mass, (f & ~static_cast<UINT>(DT_VCENTER | DT_BOTTOM | DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
    int tw = mass.right - mass.left, th = mass.bottom - mass.top;
    // Place the measured block as the format asks, so the focus frame fits it.
    RECT ziel = rc;
    if (f & DT_CENTER) ziel.left = rc.left + (rc.right - rc.left - tw) / 2;
    else if (f & DT_RIGHT) ziel.left = rc.right - tw;
    if (f & DT_VCENTER || f & DT_WORDBREAK) ziel.top = rc.top + (rc.bottom - rc.top - th) / 2;
    else if (f & DT_BOTTOM) ziel.top = rc.bottom - th;
    ziel.right = ziel.left + tw;
    ziel.bottom = ziel.top + th;
    if (n > 0) plStilText(hdc, text, n, &ziel, (f & ~static_cast<UINT>(DT_VCENTER | DT_BOTTOM)) | DT_NOCLIP, frei);
    SelectObject(hdc, alt);
    if (fokusRc) {
        *fokusRc = ziel;
        InflateRect(fokusRc, 1, 1);
        IntersectRect(fokusRc, fokusRc, &rc);
        if (n == 0) *fokusRc = rc;
    }
}

void knopfEigenMalen(HWND h, HDC hdc, UINT aktion)
{
    LONG_PTR z = knopfZustand(h);
    DRAWITEMSTRUCT di{};
    di.CtlType = ODT_BUTTON;
    di.CtlID = static_cast<UINT>(GetDlgCtrlID(h));
    di.itemAction = aktion;
    di.itemState = ((z & BST_PUSHED) ? ODS_SELECTED : 0) | ((z & BST_FOCUS) ? ODS_FOCUS : 0) |
                   (IsWindowEnabled(h) ? 0 : ODS_DISABLED);
    di.hwndItem = h;
    di.hDC = hdc;
    GetClientRect(h, &di.rcItem);
    HWND p = GetParent(h);
    if (p) SendMessage(p, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
}

void knopfMalen(HWND h, HDC hdc)
{
    DWORD stil = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
    DWORD art = stil & BS_TYPEMASK;
    LONG_PTR z = knopfZustand(h);
    bool frei = IsWindowEnabled(h) != 0;
    bool fokus = (z & BST_FOCUS) != 0;
    RECT rc;
    GetClientRect(h, &rc);
    if (art == BS_OWNERDRAW) {
        knopfEigenMalen(h, hdc, ODA_DRAWENTIRE);
        return;
    }
    HBRUSH hg = knopfHintergrund(h, hdc, art);
    if (knopfIstPush(art) || ((stil & BS_PUSHLIKE) && (knopfIstCheck(art) || knopfIstRadio(art)))) {
        bool gedrueckt = (z & BST_PUSHED) || ((stil & BS_PUSHLIKE) && (z & BST_CHECKED));
        RECT innen;
        plStilKnopf(hdc, &rc, gedrueckt, art == BS_DEFPUSHBUTTON, &innen);
        if (gedrueckt) OffsetRect(&innen, 1, 1);
        RECT fr;
        SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
        InflateRect(&innen, -2, -1);
        knopfInhalt(h, hdc, innen, stil, true, frei, &fr);
        if (fokus) {
            RECT f = rc;
            InflateRect(&f, -4, -4);
            plStilFokus(hdc, &f, 0);
        }
        return;
    }
    FillRect(hdc, &rc, hg);
    if (art == BS_GROUPBOX) {
        HGDIOBJ alt = SelectObject(hdc, knopfSchrift(h));
        TEXTMETRIC tm{};
        GetTextMetrics(hdc, &tm);
        char text[256];
        int n = GetWindowText(h, text, sizeof text);
        RECT rahmen{rc.left, rc.top + tm.tmHeight / 2, rc.right, rc.bottom};
        plStilRille(hdc, &rahmen);
        if (n > 0) {
            RECT t{rc.left + 8, rc.top, rc.right - 8, rc.top + tm.tmHeight};
            RECT m = t;
            DrawText(hdc, text, n, &m, DT_SINGLELINE | DT_CALCRECT);
            RECT feld{t.left - 2, t.top, std::min(t.left + (m.right - m.left) + 2, t.right), t.bottom};
            FillRect(hdc, &feld, hg);
            plStilText(hdc, text, n, &t, DT_SINGLELINE | DT_LEFT | DT_TOP, frei);
        }
        SelectObject(hdc, alt);
        return;
    }
    // Check box and radio button: the box, then the text beside it.
    bool rechts = (stil & BS_LEFTTEXT) != 0;
    RECT kasten{rc.left, rc.top, rc.left + 13, rc.bottom};
    if (rechts) kasten = RECT{rc.right - 13, rc.top, rc.right, rc.bottom};
    UINT dfc = knopfIstRadio(art) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    LONG_PTR c = z & KNOPF_CHECKMASKE;
    if (c == BST_CHECKED) dfc |= DFCS_CHECKED;
    if (c == BST_INDETERMINATE) dfc |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (z & BST_PUSHED) dfc |= DFCS_PUSHED;
    if (!frei) dfc |= DFCS_INACTIVE;
    if (stil & BS_FLAT) dfc |= DFCS_FLAT;
    DrawFrameControl(hdc, &kasten, DFC_BUTTON, dfc);
    RECT text = rc;
    if (rechts)
        text.right = kasten.left - 4;
    else
        text.left = kasten.right + 4;
    RECT fr;
    knopfInhalt(h, hdc, text, stil, false, frei, &fr);
    if (fokus) plStilFokus(hdc, &fr, 0);
}

LRESULT knopfDlgCode(HWND h)
{
    DWORD art = knopfArt(h);
    switch (art) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
    case BS_USERBUTTON:
    case BS_PUSHBOX: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
    }
}

LRESULT knopfProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD art = knopfArt(h);
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtr(h, KNOPF_ZUSTAND, 0);
        return DefWindowProc(h, msg, wp, lp);
    case WM_GETDLGCODE: return knopfDlgCode(h);
    case WM_NCHITTEST:
        if (art == BS_GROUPBOX) return HTTRANSPARENT;
        return DefWindowProc(h, msg, wp, lp);
    case WM_SETFOCUS:
        knopfZustandSetzen(h, knopfZustand(h) | BST_FOCUS);
        // In a dialog a push button with the focus shows itself as the default.
        if (knopfIstPush(art) && plDialogIst(GetParent(h))) plDialogStandardAnpassen(GetParent(h), h);
        if (GetWindowLong(h, GWL_STYLE) & BS_NOTIFY) knopfMelden(h, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS: {
        LONG_PTR z = knopfZustand(h);
        knopfZustandSetzen(h, z & ~(BST_FOCUS | BST_PUSHED | KNOPF_TASTE));
        if ((z & KNOPF_MAUS) && GetCapture() == h) ReleaseCapture();
        if (GetWindowLong(h, GWL_STYLE) & BS_NOTIFY) knopfMelden(h, BN_KILLFOCUS);
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        if (knopfIstRadio(art) || art == BS_OWNERDRAW || (GetWindowLong(h, GWL_STYLE) & BS_NOTIFY)) {
            knopfMelden(h, BN_DOUBLECLICKED);
            return 0;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        if (art == BS_GROUPBOX) return 0;
        SetCapture(h);
        if (GetFocus() != h) SetFocus(h);
        knopfZustandSetzen(h, knopfZustand(h) | BST_PUSHED | KNOPF_MAUS);
        return 0;
    case WM_MOUSEMOVE:
        if ((knopfZustand(h) & KNOPF_MAUS) && GetCapture() == h) {
            RECT rc;
            GetClientRect(h, &rc);
            bool innen = PtInRect(&rc, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}) != 0;
            LONG_PTR z = knopfZustand(h);
            knopfZustandSetzen(h, innen ? (z | BST_PUSHED) : (z & ~static_cast<LONG_PTR>(BST_PUSHED)));
        }
        return 0;
    case WM_LBUTTONUP: {
        LONG_PTR z = knopfZustand(h);
        if (!(z & KNOPF_MAUS)) return 0;
        RECT rc;
        GetClientRect(h, &rc);
        bool innen = PtInRect(&rc, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}) != 0;
        knopfZustandSetzen(h, z & ~(BST_PUSHED | KNOPF_MAUS));
        if (GetCapture() == h) ReleaseCapture();
        if (innen && IsWindow(h)) knopfKlick(h);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (knopfZustand(h) & KNOPF_MAUS) knopfZustandSetzen(h, knopfZustand(h) & ~(BST_PUSHED | KNOPF_MAUS));
        return 0;
    case WM_KEYDOWN:
        if (wp == VK_SPACE && art != BS_GROUPBOX) {
            knopfZustandSetzen(h, knopfZustand(h) | BST_PUSHED | KNOPF_TASTE);
            return 0;
        }
        return DefWindowProc(h, msg, wp, lp);
    case WM_KEYUP:
        if (wp == VK_SPACE && (knopfZustand(h) & KNOPF_TASTE)) {
            knopfZustandSetzen(h, knopfZustand(h) & ~(BST_PUSHED | KNOPF_TASTE));
            knopfKlick(h);
            return 0;
        }
        return DefWindowProc(h, msg, wp, lp);
    case BM_GETCHECK:
        if (!knopfIstCheck(art) && !knopfIstRadio(art)) return BST_UNCHECKED;
        return knopfZustand(h) & KNOPF_CHECKMASKE;
    case BM_SETCHECK: {
        if (!knopfIstCheck(art) && !knopfIstRadio(art)) return 0;
        LONG_PTR c = static_cast<LONG_PTR>(wp) & KNOPF_CHECKMASKE;
        if (c == BST_INDETERMINATE && art != BS_3STATE && art != BS_AUTO3STATE) c = BST_CHECKED;
        knopfZustandSetzen(h, (knopfZustand(h) & ~KNOPF_CHECKMASKE) | c);
        // Tab reaches a radio group at its checked button, as on Windows.
        if (knopfIstRadio(art)) {
            LONG s = GetWindowLong(h, GWL_STYLE);
            SetWindowLong(h, GWL_STYLE, c == BST_CHECKED ? (s | WS_TABSTOP) : (s & ~static_cast<LONG>(WS_TABSTOP)));
        }
        return 0;
    }
    case BM_GETSTATE: return knopfZustand(h) & (KNOPF_CHECKMASKE | BST_PUSHED | BST_FOCUS);
    case BM_SETSTATE: {
        LONG_PTR z = knopfZustand(h);
        knopfZustandSetzen(h, wp ? (z | BST_PUSHED) : (z & ~static_cast<LONG_PTR>(BST_PUSHED)));
        if (art == BS_OWNERDRAW) {
            HDC hdc = GetDC(h);
            if (hdc) knopfEigenMalen(h, hdc, ODA_SELECT);
            ReleaseDC(h, hdc);
        }
        return 0;
    }
    case BM_SETSTYLE: {
        DWORD s = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
        SetWindowLong(h, GWL_STYLE, static_cast<LONG>((s & 0xFFFF0000u) | (static_cast<DWORD>(wp) & 0xFFFFu)));
        if (lp) InvalidateRect(h, nullptr, TRUE);
        return 0;
    }
    case BM_CLICK:
        if (art != BS_GROUPBOX && IsWindowEnabled(h)) knopfKlick(h);
        return 0;
    case BM_GETIMAGE: return GetWindowLongPtr(h, KNOPF_BILD);
    case BM_SETIMAGE: {
        LONG_PTR alt = GetWindowLongPtr(h, KNOPF_BILD);
        SetWindowLongPtr(h, KNOPF_BILD, lp);
        InvalidateRect(h, nullptr, TRUE);
        return alt;
    }
    default: return plSchlichtProc(h, msg, wp, lp, KNOPF_SCHRIFT, knopfMalen);
    }
}

}  // namespace

void plKnopfKlasseRegistrieren() { plKlasseSichern(WC_BUTTON, knopfProc, CS_DBLCLKS, KNOPF_EXTRA); }
