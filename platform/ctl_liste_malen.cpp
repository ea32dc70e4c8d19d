// The LISTBOX control: layout (rows, columns, variable heights), scroll bars,
// painting and the owner-draw messages. See ctl_liste.h. May call:
// fenster.h, nachricht.h, gdi.h, systemwerte.h, stil3d.h, ctl_scroll.h.
#include <algorithm>

#include "platform/ctl_liste_int.h"
#include "platform/ctl_scroll.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"
#include "platform/klasseint.h"

namespace {

RECT lbClient(const LbZustand& z)
{
    RECT c{0, 0, 0, 0};
    GetClientRect(z.h, &c);
    return c;
}

bool lbSpalten(const LbZustand& z)
{
    return (lbStil(z) & LBS_MULTICOLUMN) != 0;
}

bool lbVariabel(const LbZustand& z)
{
    return (lbStil(z) & LBS_OWNERDRAWVARIABLE) != 0 && !lbSpalten(z);
}

int lbSpaltenBreite(const LbZustand& z)
{
    return z.spaltenBreite > 0 ? z.spaltenBreite : 16 * z.itemHoehe / 2;
}

UINT lbZustandBits(const LbZustand& z, int i)
{
    UINT s = 0;
    if (i >= 0 && lbIstGewaehlt(z, i)) s |= ODS_SELECTED;
    bool fokus = z.fokus || (z.combo && IsWindowVisible(z.h) && !(GetWindowLong(z.h, GWL_STYLE) & WS_CHILD));
    if (fokus && i == z.caret) s |= ODS_FOCUS;
    if (!IsWindowEnabled(z.h)) s |= ODS_DISABLED;
    return s;
}

HBRUSH lbFarben(LbZustand& z, HDC hdc)
{
    HWND ziel = z.combo ? GetParent(z.combo) : GetParent(z.h);
    HBRUSH br = 0;
    if (ziel)
        br = static_cast<HBRUSH>(SendMessage(ziel, WM_CTLCOLORLISTBOX, static_cast<WPARAM>(hdc),
                                             static_cast<LPARAM>(z.combo ? z.combo : z.h)));
    if (!br) {
        SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(hdc, GetSysColor(COLOR_WINDOW));
        br = GetSysColorBrush(COLOR_WINDOW);
    }
    return br;
}

void lbEintragMalen(LbZustand& z, HDC hdc, int i, UINT aktion, HBRUSH hintergrund)
{
    RECT r;
    if (i >= 0 && !lbRechteck(z, i, &r)) return;
    if (i < 0 && !lbRechteck(z, 0, &r)) {
        RECT c = lbClient(z);
        r = RECT{0, 0, c.right, z.itemHoehe};
    }
    if (lbEigenMalen(z)) {
        HWND ziel = lbZiel(z);
        if (!ziel) return;
        DRAWITEMSTRUCT di{};
        di.CtlType = lbArt(z);
        di.CtlID = lbId(z);
        di.itemID = static_cast<UINT>(i);
        di.itemAction = aktion;
        di.itemState = lbZustandBits(z, i);
        di.hwndItem = lbItemFenster(z);
        di.hDC = hdc;
        di.rcItem = r;
        di.itemData = i >= 0 ? z.e[static_cast<size_t>(i)].daten : 0;
        SendMessage(ziel, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
        return;
    }
    bool gewaehlt = i >= 0 && lbIstGewaehlt(z, i);
    FillRect(hdc, &r, gewaehlt ? GetSysColorBrush(COLOR_HIGHLIGHT) : hintergrund);
    if (i >= 0) {
        COLORREF altT = GetTextColor(hdc);
        if (gewaehlt) SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        if (!IsWindowEnabled(z.h)) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
        const std::string& t = z.e[static_cast<size_t>(i)].text;
        RECT tr{r.left + 2, r.top, r.right, r.bottom};
        UINT fmt = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
        if (lbStil(z) & LBS_USETABSTOPS) fmt |= DT_EXPANDTABS;
        DrawText(hdc, t.c_str(), static_cast<int>(t.size()), &tr, fmt);
        SetTextColor(hdc, altT);
    }
    bool fokus = z.fokus || (z.combo && !(GetWindowLong(z.h, GWL_STYLE) & WS_CHILD));
    if (fokus && i == z.caret) DrawFocusRect(hdc, &r);
}

void lbDcVorbereiten(LbZustand& z, HDC hdc, HBRUSH* br)
{
    SelectObject(hdc, z.font ? z.font : GetStockObject(SYSTEM_FONT));
    *br = lbFarben(z, hdc);
    SetBkMode(hdc, TRANSPARENT);
}

}  // namespace

// ---- Layout ------------------------------------------------------------------------------------

int lbHoeheVon(const LbZustand& z, int i)
{
    if (lbVariabel(z) && i >= 0 && i < lbAnzahl(z)) return std::max(1, z.e[static_cast<size_t>(i)].hoehe);
    return std::max(1, z.itemHoehe);
}

int lbZeilenProSpalte(const LbZustand& z)
{
    RECT c = lbClient(z);
    return std::max(1, static_cast<int>(c.bottom / std::max(1, z.itemHoehe)));
}

int lbSichtbar(const LbZustand& z)
{
    RECT c = lbClient(z);
    if (lbSpalten(z)) return lbZeilenProSpalte(z) * std::max(1, static_cast<int>(c.right / lbSpaltenBreite(z)));
    if (!lbVariabel(z)) return std::max(1, static_cast<int>(c.bottom / std::max(1, z.itemHoehe)));
    int n = 0, y = 0;
    for (int i = z.oben; i < lbAnzahl(z); ++i) {
        y += lbHoeheVon(z, i);
        if (y > c.bottom) break;
        ++n;
    }
    return std::max(1, n);
}

bool lbRechteck(const LbZustand& z, int i, RECT* r)
{
    int n = lbAnzahl(z);
    if (i < 0 || (i >= n && !(i == 0 && n == 0))) return false;
    RECT c = lbClient(z);
    if (lbSpalten(z)) {
        int zeilen = lbZeilenProSpalte(z), d = i - z.oben;
        int spalte = d >= 0 ? d / zeilen : -((-d + zeilen - 1) / zeilen);
        int zeile = d - spalte * zeilen;
        int b = lbSpaltenBreite(z);
        *r = RECT{spalte * b, zeile * z.itemHoehe, spalte * b + b, (zeile + 1) * z.itemHoehe};
        return true;
    }
    int y = 0;
    if (i >= z.oben)
        for (int k = z.oben; k < i; ++k) y += lbHoeheVon(z, k);
    else
        for (int k = i; k < z.oben; ++k) y -= lbHoeheVon(z, k);
    *r = RECT{0, y, std::max<LONG>(c.right, z.horizontal), y + lbHoeheVon(z, i)};
    return true;
}

int lbItemBei(const LbZustand& z, POINT p, bool* ausserhalb)
{
    RECT c = lbClient(z);
    bool aus = p.x < 0 || p.y < 0 || p.x >= c.right || p.y >= c.bottom;
    int n = lbAnzahl(z);
    int i;
    if (lbSpalten(z)) {
        int zeilen = lbZeilenProSpalte(z), b = lbSpaltenBreite(z);
        int spalte = std::max<int>(0, p.x) / b;
        int zeile = std::clamp<int>(p.y / std::max(1, z.itemHoehe), 0, zeilen - 1);
        i = z.oben + spalte * zeilen + zeile;
    } else {
        i = z.oben;
        int y = 0;
        if (p.y < 0) {
            i = std::max(0, z.oben - 1);
        } else {
            while (i < n - 1 && y + lbHoeheVon(z, i) <= p.y) y += lbHoeheVon(z, i++);
        }
    }
    if (i >= n) {
        i = n - 1;
        aus = true;
    }
    if (ausserhalb) *ausserhalb = aus;
    return i;
}

void lbSchriftMessen(LbZustand& z)
{
    plSchriftMessen(z.h, z.font, [&z](HDC, const TEXTMETRIC& tm) {
        if (!lbEigenMalen(z)) z.itemHoehe = std::max<int>(1, tm.tmHeight);
    });
}

void lbMessen(LbZustand& z, int i)
{
    HWND ziel = lbZiel(z);
    if (!ziel) return;
    RECT c = lbClient(z);
    MEASUREITEMSTRUCT mi{};
    mi.CtlType = lbArt(z);
    mi.CtlID = lbId(z);
    mi.itemID = static_cast<UINT>(i);
    mi.itemWidth = static_cast<UINT>(c.right);
    mi.itemHeight = static_cast<UINT>(z.itemHoehe);
    if (i >= 0 && i < lbAnzahl(z)) {
        const LbEintrag& e = z.e[static_cast<size_t>(i)];
        mi.itemData = lbMitText(z) ? reinterpret_cast<ULONG_PTR>(e.text.c_str()) : e.daten;
    }
    HWND h = z.h;
    SendMessage(ziel, WM_MEASUREITEM, mi.CtlID, reinterpret_cast<LPARAM>(&mi));
    if (lbVon(h) != &z) return;
    int hoehe = std::clamp<int>(static_cast<int>(mi.itemHeight), 1, 255);
    if (i >= 0 && i < lbAnzahl(z) && lbVariabel(z))
        z.e[static_cast<size_t>(i)].hoehe = hoehe;
    else
        z.itemHoehe = hoehe;
}

// ---- Scrolling ------------------------------------------------------------------------------------

void lbScrollLeisten(LbZustand& z)
{
    DWORD stil = lbStil(z);
    UINT maske = SIF_RANGE | SIF_PAGE | SIF_POS | ((stil & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
    int n = lbAnzahl(z);
    if (lbSpalten(z)) {
        if (!z.leisteH) return;
        int zeilen = lbZeilenProSpalte(z);
        int spalten = (n + zeilen - 1) / zeilen;
        SCROLLINFO si{sizeof si, maske, 0, std::max(0, spalten - 1), static_cast<UINT>(lbSichtbar(z) / zeilen),
                      z.oben / zeilen, 0};
        SetScrollInfo(z.h, SB_HORZ, &si, z.malen);
        return;
    }
    if (z.leisteV) {
        SCROLLINFO si{sizeof si, maske, 0, std::max(0, n - 1), static_cast<UINT>(lbSichtbar(z)), z.oben, 0};
        SetScrollInfo(z.h, SB_VERT, &si, z.malen);
    }
}

void lbObenSetzen(LbZustand& z, int oben)
{
    int n = lbAnzahl(z);
    int max;
    if (lbSpalten(z)) {
        int zeilen = lbZeilenProSpalte(z);
        int spalten = (n + zeilen - 1) / zeilen;
        int sichtSpalten = std::max(1, lbSichtbar(z) / zeilen);
        max = std::max(0, spalten - sichtSpalten) * zeilen;
        oben = (std::max(0, oben) / zeilen) * zeilen;
    } else if (lbVariabel(z)) {
        // The last items that fill the box from the bottom.
        RECT c = lbClient(z);
        int y = 0, i = n;
        while (i > 0 && y + lbHoeheVon(z, i - 1) <= c.bottom) y += lbHoeheVon(z, --i);
        max = std::min(i, std::max(0, n - 1));
    } else {
        max = std::max(0, n - lbSichtbar(z));
    }
    oben = std::clamp(oben, 0, max);
    if (oben == z.oben) return;
    z.oben = oben;
    lbScrollLeisten(z);
    lbNeuMalen(z);
}

void lbZeigen(LbZustand& z, int i)
{
    if (i < 0 || i >= lbAnzahl(z)) return;
    if (i < z.oben) {
        lbObenSetzen(z, i);
        return;
    }
    if (lbSpalten(z)) {
        int sicht = lbSichtbar(z), zeilen = lbZeilenProSpalte(z);
        if (i >= z.oben + sicht) lbObenSetzen(z, (i / zeilen) * zeilen - (sicht - zeilen));
        return;
    }
    RECT c = lbClient(z);
    int oben = z.oben, y = 0;
    for (int k = oben; k <= i; ++k) y += lbHoeheVon(z, k);
    while (y > c.bottom && oben < i) y -= lbHoeheVon(z, oben++);
    lbObenSetzen(z, oben);
}

// ---- Painting -----------------------------------------------------------------------------------

void lbNeuMalen(LbZustand& z)
{
    if (z.malen) InvalidateRect(z.h, nullptr, TRUE);
}

void lbItemMalen(LbZustand& z, int i, UINT aktion)
{
    if (!z.malen || !IsWindowVisible(z.h)) return;
    RECT r, c = lbClient(z);
    if (i >= 0 && (!lbRechteck(z, i, &r) || r.bottom <= 0 || r.top >= c.bottom || r.right <= 0 || r.left >= c.right))
        return;
    HDC hdc = GetDC(z.h);
    if (!hdc) return;
    IntersectClipRect(hdc, 0, 0, c.right, c.bottom);
    HBRUSH br;
    lbDcVorbereiten(z, hdc, &br);
    lbEintragMalen(z, hdc, i, aktion, br);
    ReleaseDC(z.h, hdc);
}

void lbMalen(LbZustand& z)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(z.h, &ps);
    if (!hdc) return;
    RECT c = lbClient(z);
    HBRUSH br;
    lbDcVorbereiten(z, hdc, &br);
    FillRect(hdc, &c, br);
    int n = lbAnzahl(z);
    HWND h = z.h;
    for (int i = z.oben; i < n; ++i) {
        RECT r;
        lbRechteck(z, i, &r);
        if (r.top >= c.bottom || r.left >= c.right) {
            if (!lbSpalten(z)) break;
            if (r.left >= c.right) break;
            continue;
        }
        lbEintragMalen(z, hdc, i, ODA_DRAWENTIRE, br);
        if (lbVon(h) != &z) return;  // an owner destroyed the box while drawing
        n = lbAnzahl(z);
    }
    if (n == 0 && z.fokus) lbEintragMalen(z, hdc, -1, ODA_FOCUS, br);
    EndPaint(z.h, &ps);
}
