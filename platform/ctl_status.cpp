// The status bar control; see ctl_status.h. Prefix `status` for file
// helpers. Parts and texts live in a table keyed by window, dropped at
// WM_NCDESTROY. Calls the window manager, the GDI and the look module.
#include "platform/ctl_status.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fensterint.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"
#include "platform/klasseint.h"

namespace {

struct StatusTeil {
    int rechts = -1;
    std::string text;
    UINT art = 0;  // SBT_ bits
};

struct StatusZustand {
    std::vector<StatusTeil> teile{StatusTeil{}};
    bool einfach = false;
    StatusTeil einfachTeil;
    HFONT schrift = 0;
    int minHoehe = 0;
};

std::map<HWND, StatusZustand> statusTabelle;

StatusZustand* statusVon(HWND h)
{
    auto it = statusTabelle.find(h);
    return it == statusTabelle.end() ? nullptr : &it->second;
}

int statusHoehe(HWND h, StatusZustand* z)
{
    HDC dc = GetDC(h);
    HGDIOBJ alt = SelectObject(dc, z->schrift ? z->schrift : plDialogSystemSchrift());
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, alt);
    ReleaseDC(h, dc);
    return std::max(tm.tmHeight + 8, z->minHoehe);
}

// Along the bottom (or top) of the parent at full width.
void statusPlatzieren(HWND h)
{
    StatusZustand* z = statusVon(h);
    HWND p = GetParent(h);
    LONG stil = GetWindowLong(h, GWL_STYLE);
    if (!z || !p || (stil & CCS_NOPARENTALIGN)) return;
    RECT pc;
    GetClientRect(p, &pc);
    int hh = statusHoehe(h, z);
    int y = (stil & CCS_BOTTOM) == CCS_TOP ? 0 : pc.bottom - hh;
    RECT wr;
    GetWindowRect(h, &wr);
    POINT o{wr.left, wr.top};
    ScreenToClient(p, &o);
    if (o.x != 0 || o.y != y || wr.right - wr.left != pc.right || wr.bottom - wr.top != hh)
        SetWindowPos(h, 0, 0, y, pc.right, hh, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool statusGriff(HWND h)
{
    if (!(GetWindowLong(h, GWL_STYLE) & SBARS_SIZEGRIP)) return false;
    HWND p = GetParent(h);
    HWND oben = p ? GetAncestor(p, GA_ROOT) : 0;
    if (oben && IsZoomed(oben)) return false;
    // A window the desktop's manager frames is sized by that frame; a grip
    // of the window's own would promise what it cannot do there.
    const plFenster* f = oben ? plFensterVon(oben) : nullptr;
    return !(f && f->wmRahmen);
}

// The rectangle of part i (client coordinates).
RECT statusTeilRechteck(HWND h, const StatusZustand* z, int i)
{
    RECT c;
    GetClientRect(h, &c);
    if (z->einfach) return RECT{0, 2, c.right, c.bottom};
    int links = i == 0 ? 0 : z->teile[static_cast<size_t>(i - 1)].rechts + 2;
    int rechts = z->teile[static_cast<size_t>(i)].rechts;
    if (rechts < 0 || rechts > c.right) rechts = c.right;
    if (i > 0 && z->teile[static_cast<size_t>(i - 1)].rechts < 0) links = c.right;
    return RECT{links, 2, std::max(links, rechts), c.bottom};
}

void statusTextMalen(HDC hdc, RECT r, const std::string& text)
{
    // Up to three pieces: left, after one tab centred, after two right.
    std::string teil[3];
    size_t k = 0;
    for (char c : text) {
        if (c == '\t' && k < 2)
            ++k;
        else
            teil[k] += c;
    }
    UINT f = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    InflateRect(&r, -3, 0);
    if (!teil[0].empty()) DrawText(hdc, teil[0].c_str(), static_cast<int>(teil[0].size()), &r, f | DT_LEFT);
    if (!teil[1].empty()) DrawText(hdc, teil[1].c_str(), static_cast<int>(teil[1].size()), &r, f | DT_CENTER);
    if (!teil[2].empty()) DrawText(hdc, teil[2].c_str(), static_cast<int>(teil[2].size()), &r, f | DT_RIGHT);
}

void statusMalen(HWND h, HDC hdc)
{
    StatusZustand* z = statusVon(h);
    if (!z) return;
    RECT c;
    GetClientRect(h, &c);
    plStilFlaeche(hdc, &c, COLOR_BTNFACE);
    HGDIOBJ alt = SelectObject(hdc, z->schrift ? z->schrift : plDialogSystemSchrift());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    int n = z->einfach ? 1 : static_cast<int>(z->teile.size());
    for (int i = 0; i < n; ++i) {
        const StatusTeil& t = z->einfach ? z->einfachTeil : z->teile[static_cast<size_t>(i)];
        RECT r = statusTeilRechteck(h, z, i);
        if (r.right <= r.left) continue;
        RECT innen = r;
        if (!(t.art & SBT_NOBORDERS))
            DrawEdge(hdc, &innen, (t.art & SBT_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        if (t.art & SBT_OWNERDRAW) {
            DRAWITEMSTRUCT di{};
            di.CtlID = static_cast<UINT>(GetDlgCtrlID(h));
            di.itemID = static_cast<UINT>(i);
            di.hwndItem = h;
            di.hDC = hdc;
            di.rcItem = innen;
            di.itemData = reinterpret_cast<ULONG_PTR>(t.text.c_str());
            if (HWND p = GetParent(h)) SendMessage(p, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
        } else {
            statusTextMalen(hdc, innen, t.text);
        }
    }
    SelectObject(hdc, alt);
    if (statusGriff(h)) {
        int g = GetSystemMetrics(SM_CXVSCROLL);
        RECT gr{c.right - g, c.bottom - g, c.right, c.bottom};
        DrawFrameControl(hdc, &gr, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
}

int statusTeilBei(HWND h, const StatusZustand* z, POINT p)
{
    if (z->einfach) return SB_SIMPLEID;
    for (int i = 0; i < static_cast<int>(z->teile.size()); ++i) {
        RECT r = statusTeilRechteck(h, z, i);
        if (p.x >= r.left && p.x < r.right) return i;
    }
    return -1;
}

void statusMelden(HWND h, UINT code, LPARAM lp)
{
    StatusZustand* z = statusVon(h);
    HWND p = GetParent(h);
    if (!z || !p) return;
    NMMOUSE nm{};
    nm.hdr.hwndFrom = h;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(h));
    nm.hdr.code = code;
    nm.pt = POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    nm.dwItemSpec = static_cast<DWORD_PTR>(static_cast<LONG_PTR>(statusTeilBei(h, z, nm.pt)));
    SendMessage(p, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

LRESULT statusTextHolen(const StatusTeil& t, char* puffer, size_t platz)
{
    if (puffer) {
        if (platz == 0) return MAKELONG(static_cast<WORD>(t.text.size()), static_cast<WORD>(t.art));
        size_t n = std::min(t.text.size(), platz - 1);
        std::copy_n(t.text.data(), n, puffer);
        puffer[n] = '\0';
    }
    return MAKELONG(static_cast<WORD>(t.text.size()), static_cast<WORD>(t.art));
}

LRESULT statusProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    StatusZustand* z = statusVon(h);
    switch (msg) {
    case WM_NCCREATE: {
        StatusZustand& neu = statusTabelle[h];
        const CREATESTRUCT* cs = reinterpret_cast<const CREATESTRUCT*>(lp);
        if (cs && cs->lpszName) neu.teile[0].text = cs->lpszName;
        return DefWindowProc(h, msg, wp, lp);
    }
    case WM_CREATE:
        statusPlatzieren(h);
        return 0;
    case WM_NCDESTROY:
        statusTabelle.erase(h);
        return DefWindowProc(h, msg, wp, lp);
    case WM_SIZE:
        // The parent forwards its own WM_SIZE: follow it.
        statusPlatzieren(h);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_SETFONT:
        if (z) z->schrift = static_cast<HFONT>(wp);
        if (LOWORD(lp)) InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return z ? static_cast<LRESULT>(z->schrift) : 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return plKlasseMalen(h, statusMalen);
    case WM_SETTEXT:
        if (z) {
            z->teile[0].text = lp ? reinterpret_cast<const char*>(lp) : "";
            InvalidateRect(h, nullptr, FALSE);
        }
        return DefWindowProc(h, msg, wp, lp);
    case WM_LBUTTONUP: statusMelden(h, NM_CLICK, lp); return 0;
    case WM_LBUTTONDBLCLK: statusMelden(h, NM_DBLCLK, lp); return 0;
    case WM_RBUTTONUP: statusMelden(h, NM_RCLICK, lp); return 0;
    case WM_RBUTTONDBLCLK: statusMelden(h, NM_RDBLCLK, lp); return 0;
    case SB_SETPARTS: {
        if (!z || wp == 0 || wp > PL_STATUS_TEILESUP || !lp) return FALSE;
        const int* kanten = reinterpret_cast<const int*>(lp);
        z->teile.resize(wp);
        for (size_t i = 0; i < wp; ++i) z->teile[i].rechts = kanten[i];
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    }
    case SB_GETPARTS: {
        if (!z) return 0;
        int* aus = reinterpret_cast<int*>(lp);
        for (size_t i = 0; aus && i < z->teile.size() && i < wp; ++i) aus[i] = z->teile[i].rechts;
        return static_cast<LRESULT>(z->teile.size());
    }
    case SB_SETTEXT: {
        if (!z) return FALSE;
        size_t teil = wp & 0xFF;
        StatusTeil* t = teil == SB_SIMPLEID ? &z->einfachTeil : (teil < z->teile.size() ? &z->teile[teil] : nullptr);
        if (!t) return FALSE;
        t->art = static_cast<UINT>(wp) & 0xFF00;
        t->text = lp ? reinterpret_cast<const char*>(lp) : "";
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    }
    case SB_GETTEXT:
    case SB_GETTEXTLENGTH: {
        if (!z) return 0;
        size_t teil = wp & 0xFF;
        const StatusTeil* t =
            teil == SB_SIMPLEID ? &z->einfachTeil : (teil < z->teile.size() ? &z->teile[teil] : nullptr);
        if (!t) return 0;
        // SB_GETTEXT trusts the caller's buffer to hold the text (as on
        // Windows); SB_GETTEXTLENGTH tells the size to allocate first.
        if (msg == SB_GETTEXT) return statusTextHolen(*t, reinterpret_cast<char*>(lp), t->text.size() + 1);
        return statusTextHolen(*t, nullptr, 0);
    }
    case SB_GETRECT: {
        RECT* r = reinterpret_cast<RECT*>(lp);
        if (!z || !r || (!z->einfach && wp >= z->teile.size())) return FALSE;
        *r = statusTeilRechteck(h, z, static_cast<int>(wp));
        return TRUE;
    }
    case SB_GETBORDERS: {
        int* b = reinterpret_cast<int*>(lp);
        if (b) {
            b[0] = 0;
            b[1] = 2;
            b[2] = 2;
        }
        return TRUE;
    }
    case SB_SETMINHEIGHT:
        if (z) z->minHoehe = static_cast<int>(wp);
        return 0;
    case SB_SIMPLE:
        if (z) {
            z->einfach = wp != 0;
            InvalidateRect(h, nullptr, FALSE);
        }
        return 0;
    case SB_ISSIMPLE: return z && z->einfach;
    default: return DefWindowProc(h, msg, wp, lp);
    }
}

}  // namespace

HWND CreateStatusWindow(LONG style, LPCSTR text, HWND parent, UINT id)
{
    plStatusKlasseRegistrieren();
    return CreateWindowEx(0, STATUSCLASSNAME, text, static_cast<DWORD>(style) | WS_CHILD, 0, 0, 0, 0, parent,
                          static_cast<HMENU>(id), 0, nullptr);
}

void plStatusKlasseRegistrieren() { plKlasseSichern(STATUSCLASSNAME, statusProc, CS_DBLCLKS, 0); }
