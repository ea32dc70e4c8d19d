// The COMBOBOX control: the selection field, the edit field, the dropped
// list and the CB_ messages. See ctl_combo.h for the rules and the order of
// notifications. May call: fenster.h, nachricht.h, eingabe.h, gdi.h,
// systemwerte.h, stil3d.h, ctl_edit.h, ctl_liste.h (its internals for the
// dropped list).
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/ctl_combo.h"
#include "platform/ctl_edit.h"
#include "platform/ctl_liste_int.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"
#include "platform/klasseint.h"

namespace {

// Rows an opened list shows at least (as many as it has, up to this).
constexpr int CB_MINSICHTBAR = 30;

struct CbZustand {
    HWND h = 0;
    HWND edit = 0;
    HWND liste = 0;
    WNDPROC editProc = nullptr;
    bool offen = false;
    int feldHoehe = 20;      // whole window height of a drop-down kind
    int itemHoehe = 14;      // selection field item height
    int listeHoehe = 100;    // height asked for at creation (list included)
    int listeBreite = 0;     // CB_SETDROPPEDWIDTH
    int gemeldet = -1;       // selection last reported by CBN_SELCHANGE
    HFONT font = 0;
    bool fokus = false;
    bool erweitert = false;  // CB_SETEXTENDEDUI
    bool groesseIntern = false;
    bool feldIntern = false;  // the combo box writes its own edit field
};

CbZustand* cbVon(HWND h)
{
    return reinterpret_cast<CbZustand*>(GetWindowLongPtr(h, 0));
}

DWORD cbStil(const CbZustand& z)
{
    return static_cast<DWORD>(GetWindowLong(z.h, GWL_STYLE));
}

int cbArt(const CbZustand& z)
{
    return static_cast<int>(cbStil(z) & 3);
}

bool cbEinfach(const CbZustand& z)
{
    return cbArt(z) == CBS_SIMPLE;
}

bool cbNurListe(const CbZustand& z)
{
    return cbArt(z) == CBS_DROPDOWNLIST;
}

bool cbEigenMalen(const CbZustand& z)
{
    return (cbStil(z) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

LRESULT cbL(const CbZustand& z, UINT msg, WPARAM wp = 0, LPARAM lp = 0)
{
    return z.liste ? SendMessage(z.liste, msg, wp, lp) : CB_ERR;
}

int cbWahl(const CbZustand& z)
{
    LbZustand* l = z.liste ? lbVon(z.liste) : nullptr;
    return l ? l->wahl : -1;
}

bool cbLebt(HWND h, const CbZustand* z)
{
    return cbVon(h) == z;
}

void cbMelden(CbZustand& z, int code)
{
    HWND eltern = GetParent(z.h);
    if (!eltern) return;
    SendMessage(eltern, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(z.h), code), static_cast<LPARAM>(z.h));
}

std::string cbItemText(const CbZustand& z, int i)
{
    LRESULT n = cbL(z, LB_GETTEXTLEN, static_cast<WPARAM>(i));
    if (n < 0) return "";
    LbZustand* l = lbVon(z.liste);
    if (l && !lbMitText(*l)) return "";
    std::string t(static_cast<size_t>(n) + 1, '\0');
    cbL(z, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t.data()));
    t.resize(static_cast<size_t>(n));
    return t;
}

// The selection field: inside the border, left of the button.
RECT cbFeld(const CbZustand& z)
{
    RECT c;
    GetClientRect(z.h, &c);
    if (cbEinfach(z)) return RECT{0, 0, c.right, z.feldHoehe};
    int knopf = GetSystemMetrics(SM_CXVSCROLL);
    return RECT{2, 2, std::max<LONG>(2, c.right - 2 - knopf), std::max<LONG>(2, z.feldHoehe - 2)};
}

RECT cbKnopf(const CbZustand& z)
{
    RECT c;
    GetClientRect(z.h, &c);
    int knopf = GetSystemMetrics(SM_CXVSCROLL);
    return RECT{std::max<LONG>(2, c.right - 2 - knopf), 2, c.right - 2, std::max<LONG>(2, z.feldHoehe - 2)};
}

// Shows the selected item in the edit field or the selection field.
void cbFeldAuffrischen(CbZustand& z)
{
    if (z.edit) {
        int i = cbWahl(z);
        std::string t = i >= 0 ? cbItemText(z, i) : "";
        HWND h = z.h;
        z.feldIntern = true;
        SendMessage(z.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.c_str()));
        if (!cbLebt(h, &z)) return;
        z.feldIntern = false;
        if (z.fokus) SendMessage(z.edit, EM_SETSEL, 0, -1);
    }
    InvalidateRect(z.h, nullptr, FALSE);
}

void cbLayout(CbZustand& z)
{
    RECT c;
    GetClientRect(z.h, &c);
    if (z.edit) {
        RECT f = cbFeld(z);
        if (cbEinfach(z))
            MoveWindow(z.edit, 0, 0, c.right, z.feldHoehe, TRUE);
        else
            MoveWindow(z.edit, f.left + 1, f.top + 1, std::max<LONG>(0, f.right - f.left - 2),
                       std::max<LONG>(0, f.bottom - f.top - 2), TRUE);
    }
    if (cbEinfach(z) && z.liste) MoveWindow(z.liste, 0, z.feldHoehe, c.right, std::max<LONG>(0, c.bottom - z.feldHoehe), TRUE);
}

void cbHoeheSetzen(CbZustand& z)
{
    z.feldHoehe = z.itemHoehe + 6;
    if (!cbEinfach(z)) {
        RECT w;
        GetWindowRect(z.h, &w);
        z.groesseIntern = true;
        SetWindowPos(z.h, 0, 0, 0, w.right - w.left, z.feldHoehe, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        z.groesseIntern = false;
    }
    cbLayout(z);
}

void cbSchriftMessen(CbZustand& z)
{
    plSchriftMessen(z.h, z.font, [&z](HDC, const TEXTMETRIC& tm) { z.itemHoehe = std::max<int>(1, tm.tmHeight); });
}

void cbFeldMessen(CbZustand& z)
{
    HWND eltern = GetParent(z.h);
    if (!cbEigenMalen(z) || !eltern) return;
    MEASUREITEMSTRUCT mi{};
    mi.CtlType = ODT_COMBOBOX;
    mi.CtlID = static_cast<UINT>(GetDlgCtrlID(z.h));
    mi.itemID = static_cast<UINT>(-1);
    RECT c;
    GetClientRect(z.h, &c);
    mi.itemWidth = static_cast<UINT>(c.right);
    mi.itemHeight = static_cast<UINT>(z.itemHoehe);
    SendMessage(eltern, WM_MEASUREITEM, mi.CtlID, reinterpret_cast<LPARAM>(&mi));
    z.itemHoehe = std::clamp<int>(static_cast<int>(mi.itemHeight), 1, 255);
}

// ---- Opening and closing ------------------------------------------------------------------------

void cbOeffnen(CbZustand& z)
{
    if (z.offen || cbEinfach(z) || !z.liste) return;
    HWND h = z.h;
    z.gemeldet = cbWahl(z);
    cbMelden(z, CBN_DROPDOWN);
    if (!cbLebt(h, &z) || z.offen) return;
    RECT w;
    GetWindowRect(h, &w);
    int breite = std::max<int>(w.right - w.left, z.listeBreite);
    LbZustand* l = lbVon(z.liste);
    int item = l ? lbHoeheVon(*l, 0) : z.itemHoehe;
    // A list shows at least as many rows as it has, up to CB_MINSICHTBAR,
    // however low the height the template gave the box (a box 12 units
    // high would otherwise open on one row and a scroll bar).
    int zeilen = 0;
    for (int i = 0, n = l ? std::min(lbAnzahl(*l), CB_MINSICHTBAR) : 0; i < n; ++i) zeilen += lbHoeheVon(*l, i);
    int hoehe = std::max({item + 2, zeilen + 2, z.listeHoehe - z.feldHoehe});
    int y = w.bottom;
    int schirmH = GetSystemMetrics(SM_CYSCREEN);
    if (y + hoehe > schirmH && w.top - hoehe >= 0) y = w.top - hoehe;
    z.offen = true;
    SetWindowPos(z.liste, HWND_TOPMOST, w.left, y, breite, hoehe, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (!cbLebt(h, &z)) return;
    if (l && (l = lbVon(z.liste))) {
        l->comboMaus = 0;
        if (l->wahl >= 0) lbZeigen(*l, l->wahl);
    }
    SetCapture(z.liste);
    InvalidateRect(h, nullptr, FALSE);
}

// art: 1 with a choice, 0 without (cancelled), 2 by CB_SHOWDROPDOWN(FALSE).
void cbSchliessen(CbZustand& z, int art)
{
    if (!z.offen) return;
    HWND h = z.h;
    z.offen = false;
    if (GetCapture() == z.liste) ReleaseCapture();
    ShowWindow(z.liste, SW_HIDE);
    InvalidateRect(h, nullptr, FALSE);
    int wahl = cbWahl(z);
    if (art == 1) {
        cbMelden(z, CBN_SELENDOK);
        if (!cbLebt(h, &z)) return;
        cbMelden(z, CBN_CLOSEUP);
        if (!cbLebt(h, &z)) return;
        wahl = cbWahl(z);
        if (wahl != z.gemeldet) {
            z.gemeldet = wahl;
            cbFeldAuffrischen(z);
            cbMelden(z, CBN_SELCHANGE);
        }
        return;
    }
    if (wahl != z.gemeldet) {
        if (LbZustand* l = lbVon(z.liste)) lbWahlSetzen(*l, z.gemeldet);
        InvalidateRect(h, nullptr, FALSE);
    }
    if (art == 0) {
        cbMelden(z, CBN_SELENDCANCEL);
        if (!cbLebt(h, &z)) return;
    }
    cbMelden(z, CBN_CLOSEUP);
}

// A key moving the selection, list open or closed.
void cbGehen(CbZustand& z, int ziel)
{
    LbZustand* l = z.liste ? lbVon(z.liste) : nullptr;
    if (!l) return;
    int n = lbAnzahl(*l);
    if (n == 0) return;
    ziel = std::clamp(ziel, 0, n - 1);
    if (ziel == l->wahl && ziel == z.gemeldet) return;
    lbWahlSetzen(*l, ziel);
    lbZeigen(*l, ziel);
    z.gemeldet = ziel;
    cbFeldAuffrischen(z);
    cbMelden(z, CBN_SELCHANGE);
}

// Keys of the combo box and of its edit field. True when taken.
bool cbTaste(CbZustand& z, UINT msg, WPARAM vk)
{
    bool alt = msg == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0;
    if (cbEinfach(z)) {
        if (vk != VK_UP && vk != VK_DOWN && vk != VK_PRIOR && vk != VK_NEXT) return false;
    } else if (vk == VK_F4 || (alt && (vk == VK_UP || vk == VK_DOWN))) {
        if (z.offen)
            cbSchliessen(z, 1);
        else
            cbOeffnen(z);
        return true;
    }
    if (msg == WM_SYSKEYDOWN) return false;
    if (z.offen && vk == VK_RETURN) {
        cbSchliessen(z, 1);
        return true;
    }
    if (z.offen && vk == VK_ESCAPE) {
        cbSchliessen(z, 0);
        return true;
    }
    if (!z.offen && z.erweitert && vk == VK_DOWN) {
        cbOeffnen(z);
        return true;
    }
    LbZustand* l = z.liste ? lbVon(z.liste) : nullptr;
    if (!l) return false;
    int w = l->wahl;
    int seite = std::max(1, lbSichtbar(*l) - 1);
    switch (vk) {
    case VK_UP: cbGehen(z, w < 0 ? 0 : w - 1); return true;
    case VK_DOWN: cbGehen(z, w + 1); return true;
    case VK_PRIOR: cbGehen(z, w - seite); return true;
    case VK_NEXT: cbGehen(z, w + seite); return true;
    case VK_HOME:
        if (z.edit) return false;
        cbGehen(z, 0);
        return true;
    case VK_END:
        if (z.edit) return false;
        cbGehen(z, lbAnzahl(*l) - 1);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
        if (z.edit) return false;
        cbGehen(z, w + (vk == VK_LEFT ? -1 : 1));
        return true;
    default: return false;
    }
}

LRESULT cbDlgCode(const CbZustand& z, LRESULT code, LPARAM lp)
{
    const MSG* m = reinterpret_cast<const MSG*>(lp);
    if (z.offen && m && m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;
    return code;
}

LRESULT CALLBACK cbEditProc(HWND e, UINT msg, WPARAM wp, LPARAM lp)
{
    HWND h = GetParent(e);
    CbZustand* z = h ? cbVon(h) : nullptr;
    if (!z || z->edit != e) return DefWindowProc(e, msg, wp, lp);
    WNDPROC orig = z->editProc;
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (cbTaste(*z, msg, wp)) return 0;
        break;
    case WM_CHAR:
        if (z->offen && (wp == '\r' || wp == 27)) return 0;
        break;
    case WM_GETDLGCODE: return cbDlgCode(*z, CallWindowProc(orig, e, msg, wp, lp), lp);
    default: break;
    }
    return CallWindowProc(orig, e, msg, wp, lp);
}

// ---- Painting --------------------------------------------------------------------------------------

void cbFeldMalen(CbZustand& z, HDC hdc)
{
    RECT f = cbFeld(z);
    int i = cbWahl(z);
    bool markiert = z.fokus && !z.offen;
    HWND eltern = GetParent(z.h);
    if (cbEigenMalen(z)) {
        if (!eltern) return;
        DRAWITEMSTRUCT di{};
        di.CtlType = ODT_COMBOBOX;
        di.CtlID = static_cast<UINT>(GetDlgCtrlID(z.h));
        di.itemID = static_cast<UINT>(i);
        di.itemAction = ODA_DRAWENTIRE;
        di.itemState = ODS_COMBOBOXEDIT | (markiert ? (ODS_SELECTED | ODS_FOCUS) : 0) |
                       (IsWindowEnabled(z.h) ? 0 : ODS_DISABLED);
        di.hwndItem = z.h;
        di.hDC = hdc;
        di.rcItem = f;
        di.itemData = i >= 0 ? static_cast<ULONG_PTR>(cbL(z, LB_GETITEMDATA, static_cast<WPARAM>(i))) : 0;
        SendMessage(eltern, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
        return;
    }
    if (markiert) {
        FillRect(hdc, &f, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    if (!IsWindowEnabled(z.h)) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    if (i >= 0) {
        std::string t = cbItemText(z, i);
        RECT tr{f.left + 2, f.top, f.right, f.bottom};
        DrawText(hdc, t.c_str(), static_cast<int>(t.size()), &tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (markiert) plStilFokus(hdc, &f, 0);
}

void cbMalen(CbZustand& z)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(z.h, &ps);
    if (!hdc) return;
    RECT c;
    GetClientRect(z.h, &c);
    if (cbEinfach(z)) {
        FillRect(hdc, &c, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(z.h, &ps);
        return;
    }
    HGDIOBJ altFont = SelectObject(hdc, z.font ? z.font : GetStockObject(SYSTEM_FONT));
    HWND eltern = GetParent(z.h);
    UINT farbNachricht = cbNurListe(z) ? WM_CTLCOLORLISTBOX : WM_CTLCOLOREDIT;
    HBRUSH br = eltern ? static_cast<HBRUSH>(SendMessage(eltern, farbNachricht, static_cast<WPARAM>(hdc),
                                                         static_cast<LPARAM>(z.h)))
                       : 0;
    if (!br) br = GetSysColorBrush(COLOR_WINDOW);
    if (!IsWindowEnabled(z.h)) br = GetSysColorBrush(COLOR_BTNFACE);
    RECT aussen{0, 0, c.right, z.feldHoehe};
    plStilFeld(hdc, &aussen, br, nullptr);
    RECT k = cbKnopf(z);
    UINT zustand = DFCS_SCROLLCOMBOBOX | (z.offen ? DFCS_PUSHED | DFCS_FLAT : 0) | (IsWindowEnabled(z.h) ? 0 : DFCS_INACTIVE);
    DrawFrameControl(hdc, &k, DFC_SCROLL, zustand);
    SetBkMode(hdc, TRANSPARENT);
    if (cbNurListe(z)) cbFeldMalen(z, hdc);
    SelectObject(hdc, altFont);
    EndPaint(z.h, &ps);
}

// ---- Messages ----------------------------------------------------------------------------------------

void cbAnlegen(CbZustand& z, const CREATESTRUCT* cs)
{
    HWND h = z.h;
    DWORD stil = cbStil(z);
    z.listeHoehe = cs ? cs->cy : 100;
    cbSchriftMessen(z);
    cbFeldMessen(z);
    if (!cbLebt(h, &z)) return;
    HINSTANCE inst = cs ? cs->hInstance : 0;
    if (!cbNurListe(z)) {
        DWORD es = WS_CHILD | WS_VISIBLE | ((stil & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0) |
                   ((stil & CBS_UPPERCASE) ? ES_UPPERCASE : 0) | ((stil & CBS_LOWERCASE) ? ES_LOWERCASE : 0);
        if (cbEinfach(z)) es |= WS_BORDER;
        z.edit = CreateWindowEx(0, "EDIT", "", es, 0, 0, 10, 10, h, static_cast<HMENU>(PL_COMBO_EDIT_ID), inst, nullptr);
        if (z.edit) z.editProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(z.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(cbEditProc)));
    }
    DWORD ls = WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | ((stil & CBS_SORT) ? LBS_SORT : 0) |
               ((stil & CBS_HASSTRINGS) ? LBS_HASSTRINGS : 0) | ((stil & CBS_OWNERDRAWFIXED) ? LBS_OWNERDRAWFIXED : 0) |
               ((stil & CBS_OWNERDRAWVARIABLE) ? LBS_OWNERDRAWVARIABLE : 0) |
               ((stil & CBS_DISABLENOSCROLL) ? LBS_DISABLENOSCROLL : 0);
    LPVOID param = reinterpret_cast<LPVOID>(static_cast<uintptr_t>(h));
    if (cbEinfach(z))
        z.liste = CreateWindowEx(WS_EX_CLIENTEDGE, "ComboLBox", "", ls | WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, h,
                                 static_cast<HMENU>(PL_COMBO_LISTE_ID), inst, param);
    else
        z.liste = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ComboLBox", "", ls | WS_POPUP | WS_BORDER, 0, 0, 10,
                                 10, h, 0, inst, param);
    if (!cbLebt(h, &z)) return;
    cbHoeheSetzen(z);
}

// While the list is open, what is typed into the edit field highlights the
// first item that begins with it (nothing is chosen until the list closes).
void cbListeFolgen(CbZustand& z)
{
    LbZustand* l = z.liste ? lbVon(z.liste) : nullptr;
    if (!l) return;
    int n = GetWindowTextLength(z.edit);
    std::string t(static_cast<size_t>(n) + 1, '\0');
    GetWindowText(z.edit, t.data(), n + 1);
    t.resize(static_cast<size_t>(n));
    LRESULT i = t.empty() ? LB_ERR : cbL(z, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(t.c_str()));
    if (i < 0) return;
    lbWahlSetzen(*l, static_cast<int>(i));
    lbZeigen(*l, static_cast<int>(i));
}

LRESULT cbKind(CbZustand& z, WPARAM wp, LPARAM lp)
{
    HWND von = static_cast<HWND>(lp);
    int code = HIWORD(wp);
    HWND h = z.h;
    if (von && von == z.edit) {
        switch (code) {
        case EN_SETFOCUS:
            if (!z.fokus) {
                z.fokus = true;
                cbMelden(z, CBN_SETFOCUS);
            }
            return 0;
        case EN_KILLFOCUS: {
            HWND neu = GetFocus();
            if (neu == h || neu == z.liste) return 0;
            cbSchliessen(z, 0);
            if (!cbLebt(h, &z)) return 0;
            if (z.fokus) {
                z.fokus = false;
                cbMelden(z, CBN_KILLFOCUS);
            }
            return 0;
        }
        // The combo box's own update of the field (a choice) is no edit.
        case EN_UPDATE:
            if (!z.feldIntern) cbMelden(z, CBN_EDITUPDATE);
            return 0;
        case EN_CHANGE:
            if (z.feldIntern) return 0;
            cbMelden(z, CBN_EDITCHANGE);
            if (cbLebt(h, &z) && z.offen) cbListeFolgen(z);
            return 0;
        default: return 0;
        }
    }
    if (von && von == z.liste) {
        switch (code) {
        case LBN_SELCHANGE:
            if (cbEinfach(z)) {
                cbMelden(z, CBN_SELENDOK);
                if (!cbLebt(h, &z)) return 0;
                z.gemeldet = cbWahl(z);
                cbFeldAuffrischen(z);
                cbMelden(z, CBN_SELCHANGE);
            }
            return 0;
        case LBN_DBLCLK: cbMelden(z, CBN_DBLCLK); return 0;
        case LBN_SETFOCUS:
            if (cbEinfach(z) && !z.fokus) {
                z.fokus = true;
                cbMelden(z, CBN_SETFOCUS);
            }
            return 0;
        case LBN_KILLFOCUS:
            if (cbEinfach(z) && z.fokus && GetFocus() != z.edit && GetFocus() != h) {
                z.fokus = false;
                cbMelden(z, CBN_KILLFOCUS);
            }
            return 0;
        default: return 0;
        }
    }
    return 0;
}

LRESULT cbSetzen(CbZustand& z, int i)
{
    LbZustand* l = z.liste ? lbVon(z.liste) : nullptr;
    if (!l) return CB_ERR;
    bool gueltig = i >= 0 && i < lbAnzahl(*l);
    lbWahlSetzen(*l, gueltig ? i : -1);
    if (gueltig) lbZeigen(*l, i);
    z.gemeldet = l->wahl;
    cbFeldAuffrischen(z);
    return gueltig ? i : CB_ERR;
}

LRESULT cbNachricht(CbZustand& z, UINT msg, WPARAM wp, LPARAM lp)
{
    HWND h = z.h;
    switch (msg) {
    case WM_CREATE: cbAnlegen(z, reinterpret_cast<const CREATESTRUCT*>(lp)); return 0;
    case WM_DESTROY:
        if (z.offen) {
            z.offen = false;
            if (GetCapture() == z.liste) ReleaseCapture();
        }
        if (z.liste && !cbEinfach(z)) DestroyWindow(z.liste);
        z.liste = 0;
        return 0;
    case WM_WINDOWPOSCHANGING: {
        WINDOWPOS* p = reinterpret_cast<WINDOWPOS*>(lp);
        if (p && !(p->flags & SWP_NOSIZE) && !cbEinfach(z) && !z.groesseIntern && p->cy != z.feldHoehe) {
            if (p->cy > z.feldHoehe) z.listeHoehe = p->cy;
            p->cy = z.feldHoehe;
        }
        return 0;
    }
    case WM_SIZE: cbLayout(z); InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_CANCELMODE: cbSchliessen(z, 0); return 0;
    case WM_SETFONT:
        z.font = static_cast<HFONT>(wp);
        if (z.edit) SendMessage(z.edit, WM_SETFONT, wp, lp);
        if (z.liste) SendMessage(z.liste, WM_SETFONT, wp, lp);
        if (!cbEigenMalen(z)) {
            cbSchriftMessen(z);
            cbHoeheSetzen(z);
        }
        if (LOWORD(lp)) InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return static_cast<LRESULT>(z.font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: cbMalen(z); return 0;
    case WM_ENABLE:
        if (z.edit) EnableWindow(z.edit, wp != 0);
        if (z.liste) EnableWindow(z.liste, wp != 0);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_SETTEXT: {
        const char* t = reinterpret_cast<const char*>(lp);
        if (z.edit) {
            SendMessage(z.edit, WM_SETTEXT, 0, lp);
            return TRUE;
        }
        LRESULT i = cbL(z, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lp);
        cbSetzen(z, t && *t ? static_cast<int>(i) : -1);
        return i >= 0 ? TRUE : CB_ERR;
    }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
        if (z.edit) return SendMessage(z.edit, msg, wp, lp);
        int i = cbWahl(z);
        std::string t = i >= 0 ? cbItemText(z, i) : "";
        if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(t.size());
        char* buf = reinterpret_cast<char*>(lp);
        if (!buf || wp == 0) return 0;
        size_t n = std::min(t.size(), static_cast<size_t>(wp - 1));
        std::memcpy(buf, t.data(), n);
        buf[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETDLGCODE: return cbDlgCode(z, DLGC_WANTARROWS | DLGC_WANTCHARS, lp);
    case WM_SETFOCUS:
        if (z.edit) {
            SetFocus(z.edit);
            if (cbLebt(h, &z)) SendMessage(z.edit, EM_SETSEL, 0, -1);
            return 0;
        }
        if (!z.fokus) {
            z.fokus = true;
            InvalidateRect(h, nullptr, FALSE);
            cbMelden(z, CBN_SETFOCUS);
        }
        return 0;
    case WM_KILLFOCUS: {
        HWND neu = static_cast<HWND>(wp);
        if (neu && (neu == z.edit || neu == z.liste)) return 0;
        cbSchliessen(z, 0);
        if (!cbLebt(h, &z)) return 0;
        if (z.fokus) {
            z.fokus = false;
            InvalidateRect(h, nullptr, FALSE);
            cbMelden(z, CBN_KILLFOCUS);
        }
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (cbTaste(z, msg, wp)) return 0;
        return msg == WM_SYSKEYDOWN ? DefWindowProc(h, msg, wp, lp) : 0;
    case WM_CHAR: {
        if (z.edit) return SendMessage(z.edit, msg, wp, lp);
        if (wp < 0x20) return 0;
        char p[2] = {static_cast<char>(wp), 0};
        LRESULT i = cbL(z, LB_FINDSTRING, static_cast<WPARAM>(cbWahl(z)), reinterpret_cast<LPARAM>(p));
        if (i >= 0) cbGehen(z, static_cast<int>(i));
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (cbEinfach(z)) return 0;
        if (GetFocus() != h && GetFocus() != z.edit) SetFocus(h);
        if (!cbLebt(h, &z)) return 0;
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT k = cbKnopf(z);
        bool aufKnopf = p.x >= k.left && p.x < k.right && p.y >= 0 && p.y < z.feldHoehe;
        if (aufKnopf || cbNurListe(z)) {
            if (z.offen)
                cbSchliessen(z, 1);
            else
                cbOeffnen(z);
        }
        return 0;
    }
    case WM_COMMAND: return cbKind(z, wp, lp);
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM: {
        HWND eltern = GetParent(h);
        return eltern ? SendMessage(eltern, msg, wp, lp) : 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
        HWND eltern = GetParent(h);
        return eltern ? SendMessage(eltern, msg, wp, lp) : DefWindowProc(h, msg, wp, lp);
    }

    case CB_ADDSTRING: return cbL(z, LB_ADDSTRING, wp, lp);
    case CB_INSERTSTRING: return cbL(z, LB_INSERTSTRING, wp, lp);
    case CB_DELETESTRING: {
        LRESULT r = cbL(z, LB_DELETESTRING, wp, lp);
        z.gemeldet = cbWahl(z);
        return r;
    }
    case CB_RESETCONTENT:
        cbL(z, LB_RESETCONTENT);
        if (!cbLebt(h, &z)) return 0;
        z.gemeldet = -1;
        if (z.edit) {
            z.feldIntern = true;
            SendMessage(z.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
            if (!cbLebt(h, &z)) return CB_OKAY;
            z.feldIntern = false;
        }
        InvalidateRect(h, nullptr, FALSE);
        return CB_OKAY;
    case CB_GETCOUNT: return cbL(z, LB_GETCOUNT);
    case CB_GETLBTEXT: return cbL(z, LB_GETTEXT, wp, lp);
    case CB_GETLBTEXTLEN: return cbL(z, LB_GETTEXTLEN, wp, lp);
    case CB_FINDSTRING: return cbL(z, LB_FINDSTRING, wp, lp);
    case CB_FINDSTRINGEXACT: return cbL(z, LB_FINDSTRINGEXACT, wp, lp);
    case CB_GETITEMDATA: return cbL(z, LB_GETITEMDATA, wp, lp);
    case CB_SETITEMDATA: return cbL(z, LB_SETITEMDATA, wp, lp);
    case CB_GETTOPINDEX: return cbL(z, LB_GETTOPINDEX);
    case CB_SETTOPINDEX: return cbL(z, LB_SETTOPINDEX, wp) == LB_ERR ? CB_ERR : 0;
    case CB_GETHORIZONTALEXTENT: return cbL(z, LB_GETHORIZONTALEXTENT);
    case CB_SETHORIZONTALEXTENT: cbL(z, LB_SETHORIZONTALEXTENT, wp); return 0;
    case CB_INITSTORAGE: return cbL(z, LB_INITSTORAGE, wp, lp);
    case CB_DIR: return cbL(z, LB_DIR, wp, lp);
    case CB_SETLOCALE:
    case CB_GETLOCALE: return 0;
    case CB_SETCURSEL: return cbSetzen(z, static_cast<int>(wp));
    case CB_GETCURSEL: {
        int i = cbWahl(z);
        return i >= 0 ? i : CB_ERR;
    }
    case CB_SELECTSTRING: {
        LRESULT i = cbL(z, LB_FINDSTRING, wp, lp);
        if (i < 0) return CB_ERR;
        return cbSetzen(z, static_cast<int>(i));
    }
    case CB_SHOWDROPDOWN:
        if (wp)
            cbOeffnen(z);
        else
            cbSchliessen(z, 2);
        return TRUE;
    case CB_GETDROPPEDSTATE: return z.offen ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: {
        RECT* r = reinterpret_cast<RECT*>(lp);
        if (!r) return CB_ERR;
        RECT w;
        GetWindowRect(h, &w);
        *r = RECT{w.left, w.top, std::max<LONG>(w.right, w.left + z.listeBreite), w.top + z.listeHoehe};
        return CB_OKAY;
    }
    case CB_SETDROPPEDWIDTH: z.listeBreite = static_cast<int>(wp); return z.listeBreite;
    case CB_GETDROPPEDWIDTH: {
        RECT w;
        GetWindowRect(h, &w);
        return std::max<LONG>(w.right - w.left, z.listeBreite);
    }
    case CB_SETITEMHEIGHT: {
        int hoehe = static_cast<int>(lp);
        if (hoehe <= 0 || hoehe > 255) return CB_ERR;
        if (static_cast<int>(wp) == -1) {
            z.itemHoehe = hoehe;
            cbHoeheSetzen(z);
            InvalidateRect(h, nullptr, TRUE);
            return 0;
        }
        return cbL(z, LB_SETITEMHEIGHT, wp, hoehe) == LB_ERR ? CB_ERR : 0;
    }
    case CB_GETITEMHEIGHT:
        if (static_cast<int>(wp) == -1) return z.itemHoehe;
        return cbL(z, LB_GETITEMHEIGHT, wp);
    case CB_SETEXTENDEDUI: z.erweitert = wp != 0; return CB_OKAY;
    case CB_GETEXTENDEDUI: return z.erweitert ? TRUE : FALSE;
    case CB_LIMITTEXT:
        if (!z.edit) return FALSE;
        SendMessage(z.edit, EM_LIMITTEXT, wp, 0);
        return TRUE;
    case CB_GETEDITSEL:
        if (!z.edit) return CB_ERR;
        return SendMessage(z.edit, EM_GETSEL, wp, lp);
    case CB_SETEDITSEL:
        if (!z.edit) return CB_ERR;
        SendMessage(z.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lp))), static_cast<short>(HIWORD(lp)));
        return TRUE;
    default: return DefWindowProc(h, msg, wp, lp);
    }
}

LRESULT CALLBACK cbProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* z = new CbZustand();
        z->h = h;
        SetWindowLongPtr(h, 0, reinterpret_cast<LONG_PTR>(z));
        // WS_VSCROLL / WS_HSCROLL of a combo box belong to its list, not to
        // the box's own frame.
        DWORD stil = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
        if (stil & (WS_VSCROLL | WS_HSCROLL))
            SetWindowLong(h, GWL_STYLE, static_cast<LONG>(stil & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL)));
        return DefWindowProc(h, msg, wp, lp);
    }
    CbZustand* z = cbVon(h);
    if (!z) return DefWindowProc(h, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(h, 0, 0);
        delete z;
        return DefWindowProc(h, msg, wp, lp);
    }
    return cbNachricht(*z, msg, wp, lp);
}

}  // namespace

// ---- The dropped list ------------------------------------------------------------------------------

bool cbListeNachricht(LbZustand& l, UINT msg, WPARAM wp, LPARAM lp, LRESULT* ergebnis)
{
    CbZustand* z = l.combo ? cbVon(l.combo) : nullptr;
    if (!z || z->liste != l.h || cbEinfach(*z)) return false;
    *ergebnis = 0;
    HWND lh = l.h;
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    RECT c;
    GetClientRect(lh, &c);
    bool drin = p.x >= 0 && p.y >= 0 && p.x < c.right && p.y < c.bottom;
    switch (msg) {
    case WM_MOUSEACTIVATE: *ergebnis = MA_NOACTIVATE; return true;
    case WM_SETFOCUS:
        // The focus belongs to the combo box.
        SetFocus(z->edit ? z->edit : z->h);
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (!z->offen) return true;
        if (!drin) {
            // A press elsewhere closes the list; on the combo box itself it
            // must not open it again at once.
            cbSchliessen(*z, 0);
            return true;
        }
        l.comboMaus = 1;
        bool aus = false;
        int i = lbItemBei(l, p, &aus);
        if (i >= 0 && !aus) lbWahlSetzen(l, i);
        return true;
    }
    case WM_MOUSEMOVE: {
        if (!z->offen || !drin) return true;
        bool aus = false;
        int i = lbItemBei(l, p, &aus);
        if (i >= 0 && !aus) lbWahlSetzen(l, i);
        return true;
    }
    case WM_LBUTTONUP: {
        if (!z->offen || !drin) return true;
        bool aus = false;
        int i = lbItemBei(l, p, &aus);
        if (i < 0 || aus) return true;
        lbWahlSetzen(l, i);
        cbSchliessen(*z, 1);
        return true;
    }
    case WM_CAPTURECHANGED:
        if (z->offen && static_cast<HWND>(lp) != lh) cbSchliessen(*z, 0);
        return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        cbTaste(*z, msg, wp);
        return true;
    default: return false;
    }
}

void plComboAnmelden()
{
    plEditAnmelden();
    plListeAnmelden();
    plKlasseSichern("COMBOBOX", cbProc, CS_DBLCLKS | CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW, sizeof(LONG_PTR));
}
