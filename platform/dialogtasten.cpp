// The dialog keyboard interface: tab and group order and IsDialogMessage
// (Tab, arrows in groups, Enter, Esc, mnemonics), each control asked first
// through WM_GETDLGCODE; see dialog.h. Prefix `dlgTaste` for file helpers.
// Calls the window manager's public calls and dialoginterna.h.
#include <vector>

#include "platform/dialoginterna.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"

namespace {

std::vector<HWND> dlgTasteKinder(HWND dlg)
{
    std::vector<HWND> v;
    for (HWND k = GetWindow(dlg, GW_CHILD); k; k = GetWindow(k, GW_HWNDNEXT)) v.push_back(k);
    return v;
}

// Own style bits, not the ancestors': a dialog being built is still hidden.
bool dlgTasteNutzbar(HWND k)
{
    LONG s = GetWindowLong(k, GWL_STYLE);
    return (s & WS_VISIBLE) && !(s & WS_DISABLED);
}

int dlgTasteIndex(const std::vector<HWND>& v, HWND k)
{
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i] == k) return static_cast<int>(i);
    return -1;
}

// The direct child of the dialog that holds `h` (the control itself, or
// the control a window inside it belongs to).
HWND dlgTasteSteuer(HWND dlg, HWND h)
{
    while (h && GetParent(h) != dlg) h = GetParent(h);
    return h;
}

unsigned char dlgTasteGross(unsigned char c)
{
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    return c;
}

// The character marked by '&' in a control text, 0 when none.
unsigned char dlgTasteMnemonik(const char* t)
{
    for (; *t; ++t)
        if (*t == '&') {
            if (t[1] == '&') {
                ++t;
                continue;
            }
            return dlgTasteGross(static_cast<unsigned char>(t[1]));
        }
    return 0;
}

bool dlgTasteMnemonikAusfuehren(HWND dlg, HWND ziel, unsigned char zeichen)
{
    unsigned char gesucht = dlgTasteGross(zeichen);
    if (!gesucht) return false;
    std::vector<HWND> v = dlgTasteKinder(dlg);
    int n = static_cast<int>(v.size());
    if (!n) return false;
    int start = dlgTasteIndex(v, dlgTasteSteuer(dlg, ziel));
    for (int i = 1; i <= n; ++i) {
        HWND k = v[static_cast<size_t>(((start < 0 ? -1 : start) + i) % n)];
        if (!dlgTasteNutzbar(k)) continue;
        LRESULT code = SendMessage(k, WM_GETDLGCODE, 0, 0);
        if (!(code & (DLGC_STATIC | DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_RADIOBUTTON)))
            continue;
        if ((code & DLGC_STATIC) && (GetWindowLong(k, GWL_STYLE) & SS_NOPREFIX)) continue;
        char text[256];
        GetWindowText(k, text, sizeof text);
        if (dlgTasteMnemonik(text) != gesucht) continue;
        if (code & DLGC_STATIC) {
            // A label (or a group box) hands the focus to the control after it.
            int j = dlgTasteIndex(v, k);
            for (int m = 1; m < n; ++m) {
                HWND f = v[static_cast<size_t>((j + m) % n)];
                if (dlgTasteNutzbar(f) && !(SendMessage(f, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) {
                    plDialogFokus(dlg, f);
                    break;
                }
            }
        } else if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
            SendMessage(k, BM_CLICK, 0, 0);
        } else {
            plDialogFokus(dlg, k);
            SendMessage(k, BM_CLICK, 0, 0);
        }
        return true;
    }
    return false;
}

}  // namespace

HWND GetNextDlgTabItem(HWND dlg, HWND ctl, BOOL previous)
{
    if (!IsWindow(dlg)) return 0;
    std::vector<HWND> v = dlgTasteKinder(dlg);
    int n = static_cast<int>(v.size());
    if (!n) return 0;
    int start = dlgTasteIndex(v, dlgTasteSteuer(dlg, ctl));
    if (start < 0) start = previous ? n : -1;
    for (int i = 1; i <= n; ++i) {
        int idx = ((start + (previous ? -i : i)) % n + n) % n;
        HWND k = v[static_cast<size_t>(idx)];
        if (dlgTasteNutzbar(k) && (GetWindowLong(k, GWL_STYLE) & WS_TABSTOP)) return k;
    }
    return ctl;
}

HWND GetNextDlgGroupItem(HWND dlg, HWND ctl, BOOL previous)
{
    if (!IsWindow(dlg)) return 0;
    std::vector<HWND> v = dlgTasteKinder(dlg);
    int n = static_cast<int>(v.size());
    int idx = dlgTasteIndex(v, dlgTasteSteuer(dlg, ctl));
    if (idx < 0) {
        for (HWND k : v)
            if (dlgTasteNutzbar(k)) return k;
        return 0;
    }
    // The group runs from the last WS_GROUP control at or before idx to the
    // control before the next WS_GROUP one.
    int anfang = idx;
    while (anfang > 0 && !(GetWindowLong(v[static_cast<size_t>(anfang)], GWL_STYLE) & WS_GROUP)) --anfang;
    int ende = idx + 1;
    while (ende < n && !(GetWindowLong(v[static_cast<size_t>(ende)], GWL_STYLE) & WS_GROUP)) ++ende;
    int laenge = ende - anfang;
    for (int i = 1; i < laenge; ++i) {
        int j = anfang + (((idx - anfang) + (previous ? -i : i)) % laenge + laenge) % laenge;
        if (dlgTasteNutzbar(v[static_cast<size_t>(j)])) return v[static_cast<size_t>(j)];
    }
    return v[static_cast<size_t>(idx)];
}

BOOL IsDialogMessage(HWND dlg, LPMSG msg)
{
    if (!msg || !IsWindow(dlg)) return FALSE;
    HWND ziel = msg->hwnd;
    if (!ziel || (ziel != dlg && !IsChild(dlg, ziel))) return FALSE;
    switch (msg->message) {
    case WM_KEYDOWN: {
        LRESULT code = SendMessage(ziel, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (code & DLGC_WANTMESSAGE) break;
        HWND steuer = dlgTasteSteuer(dlg, ziel);
        switch (msg->wParam) {
        case VK_TAB: {
            if (code & DLGC_WANTTAB) break;
            HWND f = GetNextDlgTabItem(dlg, steuer == dlg ? 0 : steuer, GetKeyState(VK_SHIFT) < 0);
            if (f) plDialogFokus(dlg, f);
            return TRUE;
        }
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: {
            if (code & DLGC_WANTARROWS) break;
            if (!steuer || steuer == dlg) return TRUE;
            HWND f = GetNextDlgGroupItem(dlg, steuer, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
            if (f && f != steuer) {
                plDialogFokus(dlg, f);
                if (SendMessage(f, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) SendMessage(f, BM_CLICK, 0, 0);
            }
            return TRUE;
        }
        case VK_RETURN: plDialogEingabe(dlg); return TRUE;
        case VK_ESCAPE: plDialogKlick(dlg, IDCANCEL); return TRUE;
        default: break;
        }
        break;
    }
    case WM_CHAR: {
        LRESULT code = SendMessage(ziel, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) break;
        if (msg->wParam == '\t' && (code & DLGC_WANTTAB)) break;
        if (dlgTasteMnemonikAusfuehren(dlg, ziel, static_cast<unsigned char>(msg->wParam))) return TRUE;
        break;
    }
    case WM_SYSCHAR: {
        LRESULT code = SendMessage(ziel, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (code & DLGC_WANTMESSAGE) break;
        if (dlgTasteMnemonikAusfuehren(dlg, ziel, static_cast<unsigned char>(msg->wParam))) return TRUE;
        break;
    }
    default: break;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    // A click may have moved the focus off a push button: the default
    // button shows as such again.
    if ((msg->message == WM_LBUTTONDOWN || msg->message == WM_RBUTTONDOWN) && IsWindow(dlg))
        plDialogStandardAnpassen(dlg, GetFocus());
    return TRUE;
}
