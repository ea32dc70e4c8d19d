// Item functions of dialogs (GetDlgItem, texts, numbers, buttons); see
// dialog.h. Prefix `dlgItem` for file helpers. Calls the window manager's
// public calls only.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"

HWND GetDlgItem(HWND dlg, int id)
{
    if (!IsWindow(dlg)) return 0;
    for (HWND k = GetWindow(dlg, GW_CHILD); k; k = GetWindow(k, GW_HWNDNEXT))
        if (GetDlgCtrlID(k) == id) return k;
    return 0;
}

BOOL SetDlgItemText(HWND dlg, int id, LPCSTR text)
{
    HWND c = GetDlgItem(dlg, id);
    if (!c) return FALSE;
    return SendMessage(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

UINT GetDlgItemText(HWND dlg, int id, LPSTR buf, int size)
{
    if (!buf || size <= 0) return 0;
    buf[0] = '\0';
    HWND c = GetDlgItem(dlg, id);
    if (!c) return 0;
    return static_cast<UINT>(SendMessage(c, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buf)));
}

BOOL SetDlgItemInt(HWND dlg, int id, UINT value, BOOL vorzeichen)
{
    char t[16];
    if (vorzeichen)
        std::snprintf(t, sizeof t, "%d", static_cast<int>(value));
    else
        std::snprintf(t, sizeof t, "%u", value);
    return SetDlgItemText(dlg, id, t);
}

// As on Windows: leading blanks skipped, an optional sign (signed only),
// digits, trailing blanks allowed; anything else or an overflow fails.
UINT GetDlgItemInt(HWND dlg, int id, BOOL* ok, BOOL vorzeichen)
{
    if (ok) *ok = FALSE;
    char t[64];
    if (!GetDlgItem(dlg, id)) return 0;
    GetDlgItemText(dlg, id, t, sizeof t);
    const char* p = t;
    while (*p == ' ' || *p == '\t') ++p;
    bool minus = false;
    if (vorzeichen && (*p == '-' || *p == '+')) minus = *p++ == '-';
    const char* ende = p + std::strlen(p);
    while (ende > p && (ende[-1] == ' ' || ende[-1] == '\t')) --ende;
    if (p == ende) return 0;
    unsigned long long v = 0;
    auto [q, ec] = std::from_chars(p, ende, v);
    if (ec != std::errc() || q != ende) return 0;
    if (vorzeichen) {
        if (minus ? v > 2147483648ull : v > 2147483647ull) return 0;
        if (ok) *ok = TRUE;
        return static_cast<UINT>(minus ? -static_cast<long long>(v) : static_cast<long long>(v));
    }
    if (v > 0xFFFFFFFFull) return 0;
    if (ok) *ok = TRUE;
    return static_cast<UINT>(v);
}

BOOL CheckDlgButton(HWND dlg, int id, UINT check)
{
    HWND c = GetDlgItem(dlg, id);
    if (!c) return FALSE;
    SendMessage(c, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dlg, int id)
{
    HWND c = GetDlgItem(dlg, id);
    if (!c) return 0;
    return static_cast<UINT>(SendMessage(c, BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND dlg, int first, int last, int check)
{
    if (!IsWindow(dlg)) return FALSE;
    for (int id = first; id <= last; ++id)
        if (HWND c = GetDlgItem(dlg, id)) SendMessage(c, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}

LRESULT SendDlgItemMessage(HWND dlg, int id, UINT msg, WPARAM wp, LPARAM lp)
{
    HWND c = GetDlgItem(dlg, id);
    return c ? SendMessage(c, msg, wp, lp) : 0;
}
