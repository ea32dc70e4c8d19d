// The menu bar (layout, painting), popup menu windows and the tracking loop
// shared by the bar and TrackPopupMenu; the system commands that start it.
// See menue.h.
//
// Tracking state (one menu is tracked at a time; `vf`):
//  1. `aktiv` from the start of the loop until its windows are gone;
//     `ebenen` are the open popups, outermost first; with a bar, `leisteSel`
//     is the bar item selected (-1 none) and ebenen[0] is its popup.
//  2. Transitions: leisteWaehlen (bar selection, opening its popup),
//     ebeneOeffnen / ebenenSchliessen (popups), auswahlSetzen (selection in
//     a popup), punktAusfuehren (open a submenu or choose a command: `ende`).
//  3. While tracking, every key and mouse message is the menu's; other
//     messages are dispatched, so painting, timers and posted messages go on.
//  4. Headless, the loop never waits for input that cannot come: when
//     nothing waits, the observer looks first (it may inject input); a
//     program timer due within PL_MENUE_LEERLAUF_MS of the menu's opening
//     is waited for (it may drive the menu); else the next scripted answer
//     is taken, or the menu closes as by Escape.
#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/backend.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/gdiint.h"
#include "platform/menue_int.h"
#include "platform/nachricht.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"
#include "platform/uhr.h"
#include "platform/zeichen.h"
#include "platform/klasseint.h"

namespace {

inline constexpr int PL_MENUE_LEISTE_RAND = 6;    // blank left and right of a bar text
inline constexpr int PL_MENUE_POPUP_RAND = 3;     // popup frame
inline constexpr int PL_MENUE_HAKEN_SPALTE = 18;  // check-mark column
inline constexpr int PL_MENUE_PFEIL_SPALTE = 18;  // submenu-arrow column
inline constexpr int PL_MENUE_KUERZEL_ABSTAND = 16;
inline constexpr int PL_MENUE_TRENNER = 8;        // height of a separator
const char* const PL_MENUE_KLASSE = "plMenuePopup";
inline constexpr UINT PL_MENUE_NC_LETZTE = 0x00A9;  // WM_NCMBUTTONDBLCLK
inline constexpr int64_t PL_MENUE_LEERLAUF_MS = 2000;  // virtual time an idle menu waits for timers

struct plMenueEbene {
    HMENU menu = 0;
    HWND fenster = 0;
    int sel = -1;
    RECT bild{0, 0, 0, 0};       // screen
    std::vector<RECT> punkte;   // client coordinates of the popup
};

struct plMenueVerfolgung {
    bool aktiv = false;
    HWND besitzer = 0;
    HMENU leiste = 0;        // 0: a popup alone
    HWND leisteFenster = 0;  // window of the bar
    int leisteSel = -1;
    std::vector<plMenueEbene> ebenen;
    UINT flags = 0;
    bool ende = false;
    bool gewaehlt = false;
    bool systemBefehl = false;
    UINT befehl = 0;
    int64_t anfang = 0;  // clock at the opening (invariant 4)
};

plMenueVerfolgung vf;
std::deque<UINT> menueSkript;           // headless answers of idle loops
plMenueBeobachterFn menueBeobachter = nullptr;

// ---- Texts and measuring ---------------------------------------------------------------------

// Label and shortcut of an item text (split at the first '\t').
void textTeilen(const std::string& t, std::string& label, std::string& kuerzel)
{
    size_t tab = t.find('\t');
    label = t.substr(0, tab);
    kuerzel = tab == std::string::npos ? std::string() : t.substr(tab + 1);
}

// Width of a label as shown (without the '&' marks).
int textBreite(HDC hdc, const std::string& label)
{
    std::string s;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size()) ++i;
        s += label[i];
    }
    SIZE sz{0, 0};
    if (!s.empty()) GetTextExtentPoint32(hdc, s.c_str(), static_cast<int>(s.size()), &sz);
    return sz.cx;
}

HFONT menueSchrift()
{
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Measures as the bar and the popups are drawn: with the user interface's
// text (their DCs are the window frame's and the popup class's), so the
// menus load the one UI font, not a drawing font of their own beside it.
HDC messDcMachen()
{
    HDC dc = CreateCompatibleDC(0);
    gdiDcOberflaecheSetzen(dc, true);
    return dc;
}

struct plMessDc {
    HDC dc;
    HGDIOBJ alt;
    plMessDc() : dc(messDcMachen()), alt(SelectObject(dc, menueSchrift())) {}
    ~plMessDc()
    {
        SelectObject(dc, alt);
        DeleteDC(dc);
    }
};

int zeilenHoehe(HDC hdc)
{
    TEXTMETRIC tm{};
    GetTextMetrics(hdc, &tm);
    return std::max<int>(tm.tmHeight + 5, 17);
}

// ---- Bar layout -----------------------------------------------------------------------------------

// Width of a bar label in the menu font, remembered: the bar is laid out
// on every question about a window's client area, its labels seldom
// change and the font never does.
int leisteTextBreite(const std::string& label)
{
    static std::unordered_map<std::string, int> breiten;
    auto it = breiten.find(label);
    if (it != breiten.end()) return it->second;
    plMessDc mess;
    int b = textBreite(mess.dc, label);
    if (breiten.size() >= 4096) breiten.clear();  // bounded, whatever the program sets
    breiten.emplace(label, b);
    return b;
}

// Item rectangles of a bar `breite` pixels wide, relative to the strip;
// the number of rows (at least 1).
int leisteLayout(HMENU menu, int breite, std::vector<RECT>& r)
{
    r.clear();
    plMenueObjekt* m = plMenueVon(menu);
    if (!m) return 1;
    int hoehe = GetSystemMetrics(SM_CYMENU);
    int x = 0, zeile = 0;
    for (const plMenuePunkt& p : m->punkte) {
        std::string label, kuerzel;
        textTeilen(p.text, label, kuerzel);
        int b = (p.flags & MF_SEPARATOR) ? PL_MENUE_LEISTE_RAND : leisteTextBreite(label) + 2 * PL_MENUE_LEISTE_RAND;
        if (x > 0 && (x + b > breite || (p.flags & (MF_MENUBREAK | MF_MENUBARBREAK)))) {
            x = 0;
            ++zeile;
        }
        r.push_back(RECT{x, zeile * hoehe, x + b, (zeile + 1) * hoehe});
        x += b;
    }
    return zeile + 1;
}

int leisteHoehe(HWND, HMENU menu, int breite)
{
    std::vector<RECT> r;
    return leisteLayout(menu, breite, r) * GetSystemMetrics(SM_CYMENU);
}

// The bar strip of a window in screen coordinates.
bool leisteStreifen(HWND hwnd, HMENU menu, RECT& streifen)
{
    if (!menu || !IsWindow(hwnd)) return false;
    RECT wr;
    GetWindowRect(hwnd, &wr);
    POINT c{0, 0};
    ClientToScreen(hwnd, &c);
    int kante = (GetWindowLong(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0;
    int rahmen = c.x - wr.left - kante;
    int breite = (wr.right - rahmen) - (wr.left + rahmen);
    int hoehe = leisteHoehe(hwnd, menu, breite);
    streifen = RECT{wr.left + rahmen, c.y - kante - hoehe, wr.right - rahmen, c.y - kante};
    return true;
}

bool leisteBildschirm(HWND hwnd, HMENU menu, std::vector<RECT>& r)
{
    RECT s;
    if (!leisteStreifen(hwnd, menu, s)) return false;
    leisteLayout(menu, s.right - s.left, r);
    for (RECT& x : r) OffsetRect(&x, s.left, s.top);
    return true;
}

void textMalen(HDC hdc, const std::string& label, RECT rc, UINT format, const plMenuePunkt& p, bool markiert)
{
    bool grau = (p.flags & MF_GRAYED) != 0;
    if (grau && !markiert) {
        plStilText(hdc, label.c_str(), static_cast<int>(label.size()), &rc, format, false);
        return;
    }
    SetTextColor(hdc, GetSysColor(grau ? COLOR_GRAYTEXT : markiert ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    DrawText(hdc, label.c_str(), static_cast<int>(label.size()), &rc, format);
}

void leisteMalen(HWND hwnd, HMENU menu, HDC hdc, const RECT* rc)
{
    FillRect(hdc, rc, GetSysColorBrush(COLOR_MENU));
    plMenueObjekt* m = plMenueVon(menu);
    if (!m) return;
    std::vector<RECT> r;
    leisteLayout(menu, rc->right - rc->left, r);
    HGDIOBJ alt = SelectObject(hdc, menueSchrift());
    int altModus = SetBkMode(hdc, TRANSPARENT);
    for (size_t i = 0; i < m->punkte.size(); ++i) {
        const plMenuePunkt& p = m->punkte[i];
        if (p.flags & MF_SEPARATOR) continue;
        RECT x = r[i];
        OffsetRect(&x, rc->left, rc->top);
        bool markiert = vf.aktiv && vf.leisteFenster == hwnd && vf.leisteSel == static_cast<int>(i);
        if (markiert) FillRect(hdc, &x, GetSysColorBrush(COLOR_HIGHLIGHT));
        std::string label, kuerzel;
        textTeilen(p.text, label, kuerzel);
        textMalen(hdc, label, x, DT_SINGLELINE | DT_VCENTER | DT_CENTER, p, markiert);
    }
    SetBkMode(hdc, altModus);
    SelectObject(hdc, alt);
}

void leisteNeuMalen()
{
    if (vf.leisteFenster && IsWindow(vf.leisteFenster))
        RedrawWindow(vf.leisteFenster, nullptr, 0, RDW_FRAME | RDW_INVALIDATE);
}

// ---- Popup windows --------------------------------------------------------------------------------

int ebeneVon(HWND fenster)
{
    for (size_t i = 0; i < vf.ebenen.size(); ++i)
        if (vf.ebenen[i].fenster == fenster) return static_cast<int>(i);
    return -1;
}

void popupMalen(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT c;
    GetClientRect(hwnd, &c);
    FillRect(hdc, &c, GetSysColorBrush(COLOR_MENU));
    RECT rand = c;
    DrawEdge(hdc, &rand, EDGE_RAISED, BF_RECT);
    int e = ebeneVon(hwnd);
    plMenueObjekt* m = e >= 0 ? plMenueVon(vf.ebenen[static_cast<size_t>(e)].menu) : nullptr;
    if (m) {
        const plMenueEbene& eb = vf.ebenen[static_cast<size_t>(e)];
        HGDIOBJ alt = SelectObject(hdc, menueSchrift());
        int altModus = SetBkMode(hdc, TRANSPARENT);
        for (size_t i = 0; i < m->punkte.size() && i < eb.punkte.size(); ++i) {
            const plMenuePunkt& p = m->punkte[i];
            RECT x = eb.punkte[i];
            if (p.flags & MF_SEPARATOR) {
                RECT linie{x.left + 1, (x.top + x.bottom) / 2 - 1, x.right - 1, (x.top + x.bottom) / 2 + 1};
                DrawEdge(hdc, &linie, EDGE_ETCHED, BF_TOP);
                continue;
            }
            bool markiert = eb.sel == static_cast<int>(i);
            if (markiert) FillRect(hdc, &x, GetSysColorBrush(COLOR_HIGHLIGHT));
            if (p.flags & MF_CHECKED) {
                RECT h{x.left, x.top, x.left + PL_MENUE_HAKEN_SPALTE, x.bottom};
                DrawFrameControl(hdc, &h, DFC_MENU, DFCS_MENUCHECK | DFCS_TRANSPARENT);
            }
            std::string label, kuerzel;
            textTeilen(p.text, label, kuerzel);
            RECT t{x.left + PL_MENUE_HAKEN_SPALTE, x.top, x.right - PL_MENUE_PFEIL_SPALTE, x.bottom};
            textMalen(hdc, label, t, DT_SINGLELINE | DT_VCENTER | DT_LEFT, p, markiert);
            if (!kuerzel.empty())
                textMalen(hdc, kuerzel, t, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX, p, markiert);
            if (p.flags & MF_POPUP) {
                RECT a{x.right - PL_MENUE_PFEIL_SPALTE, x.top, x.right, x.bottom};
                plStilPfeil(hdc, &a, 3, GetSysColor(markiert ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
            }
        }
        SetBkMode(hdc, altModus);
        SelectObject(hdc, alt);
    }
    EndPaint(hwnd, &ps);
}

LRESULT popupProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: popupMalen(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProc(hwnd, msg, wp, lp);
    }
}

void klasseSichern() { plKlasseSichern(PL_MENUE_KLASSE, popupProc, CS_SAVEBITS, 0); }

// Item rectangles and size of a popup.
SIZE popupLayout(HMENU menu, std::vector<RECT>& r)
{
    r.clear();
    plMenueObjekt* m = plMenueVon(menu);
    plMessDc mess;
    int zh = zeilenHoehe(mess.dc);
    int label = 0, kuerzel = 0;
    for (const plMenuePunkt& p : m->punkte) {
        std::string l, k;
        textTeilen(p.text, l, k);
        label = std::max(label, textBreite(mess.dc, l));
        if (!k.empty()) kuerzel = std::max(kuerzel, textBreite(mess.dc, k));
    }
    int breite = PL_MENUE_HAKEN_SPALTE + label + (kuerzel ? PL_MENUE_KUERZEL_ABSTAND + kuerzel : 0) +
                 PL_MENUE_PFEIL_SPALTE;
    int y = PL_MENUE_POPUP_RAND;
    for (const plMenuePunkt& p : m->punkte) {
        int h = (p.flags & MF_SEPARATOR) ? PL_MENUE_TRENNER : zh;
        r.push_back(RECT{PL_MENUE_POPUP_RAND, y, PL_MENUE_POPUP_RAND + breite, y + h});
        y += h;
    }
    return SIZE{breite + 2 * PL_MENUE_POPUP_RAND, y + PL_MENUE_POPUP_RAND};
}

// ---- Notifications ----------------------------------------------------------------------------------

bool melden()
{
    return !(vf.flags & TPM_NONOTIFY) && IsWindow(vf.besitzer);
}

void auswahlMelden(HMENU menu, int pos, bool maus)
{
    if (!melden()) return;
    plMenueObjekt* m = plMenueVon(menu);
    if (!m || pos < 0 || static_cast<size_t>(pos) >= m->punkte.size()) return;
    const plMenuePunkt& p = m->punkte[static_cast<size_t>(pos)];
    UINT flags = (p.flags & 0xFFFF) | MF_HILITE | (maus ? MF_MOUSESELECT : 0) | (m->system ? MF_SYSMENU : 0);
    UINT item = (p.flags & MF_POPUP) ? static_cast<UINT>(pos) : p.id;
    SendMessage(vf.besitzer, WM_MENUSELECT, MAKEWPARAM(item, flags), static_cast<LPARAM>(menu));
}

// ---- Transitions --------------------------------------------------------------------------------------

void ebenenSchliessen(size_t ab)
{
    while (vf.ebenen.size() > ab) {
        HWND f = vf.ebenen.back().fenster;
        vf.ebenen.pop_back();
        if (IsWindow(f)) DestroyWindow(f);
    }
}

bool waehlbar(const plMenuePunkt& p)
{
    return !(p.flags & MF_SEPARATOR);
}

int ersterWaehlbarer(HMENU menu)
{
    plMenueObjekt* m = plMenueVon(menu);
    if (!m) return -1;
    for (size_t i = 0; i < m->punkte.size(); ++i)
        if (waehlbar(m->punkte[i])) return static_cast<int>(i);
    return -1;
}

void auswahlSetzen(size_t ebene, int sel, bool maus)
{
    plMenueEbene& e = vf.ebenen[ebene];
    if (e.sel == sel) return;
    e.sel = sel;
    if (IsWindow(e.fenster)) InvalidateRect(e.fenster, nullptr, TRUE);
    auswahlMelden(e.menu, sel, maus);
}

// Opens `menu` as a popup at screen point `pt` (flags: TPM alignment);
// `index` is its position in the parent for WM_INITMENUPOPUP.
bool ebeneOeffnen(HMENU menu, int index, POINT pt, UINT ausrichtung)
{
    plMenueObjekt* m = plMenueVon(menu);
    if (!m) return false;
    if (melden())
        SendMessage(vf.besitzer, WM_INITMENUPOPUP, static_cast<WPARAM>(menu),
                    MAKELPARAM(index, m->system ? 1 : 0));
    if (!(m = plMenueVon(menu)) || m->punkte.empty()) return false;
    plMenueEbene e;
    e.menu = menu;
    SIZE sz = popupLayout(menu, e.punkte);
    int x = pt.x, y = pt.y;
    if (ausrichtung & TPM_RIGHTALIGN) x -= sz.cx;
    else if (ausrichtung & TPM_CENTERALIGN) x -= sz.cx / 2;
    if (ausrichtung & TPM_BOTTOMALIGN) y -= sz.cy;
    else if (ausrichtung & TPM_VCENTERALIGN) y -= sz.cy / 2;
    int sb = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    x = std::clamp<int>(x, 0, std::max<int>(0, sb - sz.cx));
    y = std::clamp<int>(y, 0, std::max<int>(0, sh - sz.cy));
    e.bild = RECT{x, y, x + sz.cx, y + sz.cy};
    klasseSichern();
    e.fenster = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, PL_MENUE_KLASSE, "", WS_POPUP, x, y, sz.cx, sz.cy,
                               vf.besitzer, 0, 0, nullptr);
    if (!e.fenster) return false;
    vf.ebenen.push_back(std::move(e));
    ShowWindow(vf.ebenen.back().fenster, SW_SHOWNOACTIVATE);
    return true;
}

// Selects bar item `pos`; with `oeffnen` its popup opens (with its first
// item selected when `ersten`).
void leisteWaehlen(int pos, bool oeffnen, bool ersten, bool maus)
{
    ebenenSchliessen(0);
    if (vf.leisteSel != pos) {
        vf.leisteSel = pos;
        leisteNeuMalen();
        auswahlMelden(vf.leiste, pos, maus);
    }
    if (!oeffnen || pos < 0) return;
    HMENU unter = GetSubMenu(vf.leiste, pos);
    if (!unter) return;
    std::vector<RECT> r;
    if (!leisteBildschirm(vf.leisteFenster, vf.leiste, r) || static_cast<size_t>(pos) >= r.size()) return;
    const RECT& x = r[static_cast<size_t>(pos)];
    if (ebeneOeffnen(unter, pos, POINT{x.left, x.bottom}, 0) && ersten)
        auswahlSetzen(0, ersterWaehlbarer(unter), false);
}

// Runs item `pos` of `menu` (at depth `ebene`, -1 the bar): a submenu opens,
// an enabled command ends the loop with it; a greyed item does nothing.
void punktAusfuehren(int ebene, HMENU menu, int pos, bool maus)
{
    plMenueObjekt* m = plMenueVon(menu);
    if (!m || pos < 0 || static_cast<size_t>(pos) >= m->punkte.size()) return;
    const plMenuePunkt p = m->punkte[static_cast<size_t>(pos)];
    if (p.flags & MF_SEPARATOR) return;
    if (p.flags & MF_POPUP) {
        if (ebene < 0) {
            leisteWaehlen(pos, true, !maus, maus);
            return;
        }
        size_t e = static_cast<size_t>(ebene);
        ebenenSchliessen(e + 1);
        auswahlSetzen(e, pos, maus);
        const RECT& r = vf.ebenen[e].punkte[static_cast<size_t>(pos)];
        const RECT& b = vf.ebenen[e].bild;
        if (ebeneOeffnen(p.unter, pos, POINT{b.left + r.right, b.top + r.top - PL_MENUE_POPUP_RAND}, 0) && !maus)
            auswahlSetzen(e + 1, ersterWaehlbarer(p.unter), false);
        return;
    }
    if (p.flags & (MF_GRAYED | MF_DISABLED)) return;
    vf.befehl = p.id;
    vf.systemBefehl = m->system;
    vf.gewaehlt = true;
    vf.ende = true;
}

// The menu the keyboard works on: the innermost popup, or the bar.
int tiefsteEbene()
{
    return static_cast<int>(vf.ebenen.size()) - 1;
}

void schrittInEbene(size_t e, int richtung)
{
    plMenueObjekt* m = plMenueVon(vf.ebenen[e].menu);
    if (!m || m->punkte.empty()) return;
    int n = static_cast<int>(m->punkte.size());
    int sel = vf.ebenen[e].sel;
    for (int k = 0; k < n; ++k) {
        sel = sel < 0 ? (richtung > 0 ? 0 : n - 1) : (sel + richtung + n) % n;
        if (waehlbar(m->punkte[static_cast<size_t>(sel)])) {
            ebenenSchliessen(e + 1);
            auswahlSetzen(e, sel, false);
            return;
        }
    }
}

void leisteSchritt(int richtung)
{
    plMenueObjekt* m = plMenueVon(vf.leiste);
    if (!m || m->punkte.empty()) return;
    int n = static_cast<int>(m->punkte.size());
    bool offen = !vf.ebenen.empty();
    int sel = vf.leisteSel;
    for (int k = 0; k < n; ++k) {
        sel = sel < 0 ? 0 : (sel + richtung + n) % n;
        if (waehlbar(m->punkte[static_cast<size_t>(sel)])) break;
    }
    leisteWaehlen(sel, offen, offen, false);
}

void tasteVerarbeiten(UINT vk, bool* verbraucht)
{
    *verbraucht = true;
    int e = tiefsteEbene();
    switch (vk) {
    case VK_MENU:
    case VK_F10: vf.ende = true; return;
    case VK_ESCAPE:
        if (e < 0 || (e == 0 && !vf.leiste)) {
            vf.ende = true;
        } else {
            ebenenSchliessen(static_cast<size_t>(e));
        }
        return;
    case VK_LEFT:
        if (e > 0) {
            ebenenSchliessen(static_cast<size_t>(e));
        } else if (vf.leiste) {
            leisteSchritt(-1);
        }
        return;
    case VK_RIGHT:
        if (e >= 0) {
            const plMenueEbene& eb = vf.ebenen[static_cast<size_t>(e)];
            if (eb.sel >= 0 && GetSubMenu(eb.menu, eb.sel)) {
                punktAusfuehren(e, eb.menu, eb.sel, false);
                return;
            }
        }
        if (vf.leiste) leisteSchritt(1);
        return;
    case VK_UP:
    case VK_DOWN:
        if (e < 0) {
            if (vf.leiste && vf.leisteSel >= 0) leisteWaehlen(vf.leisteSel, true, true, false);
            return;
        }
        schrittInEbene(static_cast<size_t>(e), vk == VK_DOWN ? 1 : -1);
        return;
    case VK_RETURN:
        if (e < 0) {
            if (vf.leiste && vf.leisteSel >= 0) punktAusfuehren(-1, vf.leiste, vf.leisteSel, false);
            return;
        }
        punktAusfuehren(e, vf.ebenen[static_cast<size_t>(e)].menu, vf.ebenen[static_cast<size_t>(e)].sel, false);
        return;
    default: *verbraucht = false; return;
    }
}

void zeichenVerarbeiten(unsigned char c)
{
    int e = tiefsteEbene();
    HMENU menu = e >= 0 ? vf.ebenen[static_cast<size_t>(e)].menu : vf.leiste;
    plMenueObjekt* m = plMenueVon(menu);
    if (!m) return;
    unsigned char gross = plZeichenGross(c);
    for (size_t i = 0; i < m->punkte.size(); ++i) {
        if (plMenueMnemonic(m->punkte[i].text) != gross) continue;
        if (e < 0) {
            punktAusfuehren(-1, menu, static_cast<int>(i), false);
        } else {
            auswahlSetzen(static_cast<size_t>(e), static_cast<int>(i), false);
            punktAusfuehren(e, menu, static_cast<int>(i), false);
        }
        return;
    }
    if (!melden()) return;
    LRESULT r = SendMessage(vf.besitzer, WM_MENUCHAR, MAKEWPARAM(c, e >= 0 ? MF_POPUP : 0),
                            static_cast<LPARAM>(menu));
    int pos = LOWORD(r);
    switch (HIWORD(r)) {
    case MNC_CLOSE: vf.ende = true; break;
    case MNC_EXECUTE: punktAusfuehren(e, menu, pos, false); break;
    case MNC_SELECT:
        if (e >= 0) auswahlSetzen(static_cast<size_t>(e), pos, false);
        else leisteWaehlen(pos, false, false, false);
        break;
    default: break;
    }
}

// Where a screen point lies: popup depth and item (item -1 between items),
// or the bar (depth -1, item, -1 when off the bar); false when outside all.
bool treffer(POINT pt, int* ebene, int* pos)
{
    for (int e = tiefsteEbene(); e >= 0; --e) {
        const plMenueEbene& eb = vf.ebenen[static_cast<size_t>(e)];
        if (!PtInRect(&eb.bild, pt)) continue;
        *ebene = e;
        *pos = -1;
        POINT c{pt.x - eb.bild.left, pt.y - eb.bild.top};
        for (size_t i = 0; i < eb.punkte.size(); ++i)
            if (PtInRect(&eb.punkte[i], c)) *pos = static_cast<int>(i);
        return true;
    }
    std::vector<RECT> r;
    if (vf.leiste && leisteBildschirm(vf.leisteFenster, vf.leiste, r)) {
        for (size_t i = 0; i < r.size(); ++i)
            if (PtInRect(&r[i], pt)) {
                *ebene = -1;
                *pos = static_cast<int>(i);
                return true;
            }
    }
    return false;
}

bool istMaus(UINT msg)
{
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= PL_MENUE_NC_LETZTE);
}

void mausVerarbeiten(const MSG& m)
{
    POINT pt{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
    bool nc = m.message >= WM_NCMOUSEMOVE && m.message <= PL_MENUE_NC_LETZTE;
    if (!nc) ClientToScreen(m.hwnd, &pt);
    UINT msg = nc ? m.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE : m.message;
    bool runter = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
                  msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK;
    bool hoch = msg == WM_LBUTTONUP || (msg == WM_RBUTTONUP && (!vf.leiste && (vf.flags & TPM_RIGHTBUTTON)));
    int e = 0, pos = -1;
    bool drin = treffer(pt, &e, &pos);
    if (!drin) {
        if (runter) vf.ende = true;
        return;
    }
    if (e < 0) {
        // The bar: a press toggles the item's popup; moving switches popups
        // while one is open.
        if (runter) {
            if (pos == vf.leisteSel && !vf.ebenen.empty())
                vf.ende = true;  // the open item again: the menu closes
            else
                punktAusfuehren(-1, vf.leiste, pos, true);
        } else if (msg == WM_MOUSEMOVE && pos != vf.leisteSel && !vf.ebenen.empty()) {
            punktAusfuehren(-1, vf.leiste, pos, true);
        }
        return;
    }
    plMenueEbene& eb = vf.ebenen[static_cast<size_t>(e)];
    if (pos < 0) return;
    if (msg == WM_MOUSEMOVE || runter) {
        if (GetSubMenu(eb.menu, pos)) {
            if (eb.sel != pos || static_cast<size_t>(e) + 1 >= vf.ebenen.size())
                punktAusfuehren(e, eb.menu, pos, true);
        } else {
            ebenenSchliessen(static_cast<size_t>(e) + 1);
            auswahlSetzen(static_cast<size_t>(e), pos, true);
        }
        return;
    }
    if (hoch && !GetSubMenu(eb.menu, pos)) punktAusfuehren(e, eb.menu, pos, true);
}

// Chooses the item with command `id` in the open popups (innermost first);
// false when none is open or it is greyed.
bool befehlWaehlen(UINT id)
{
    for (int e = tiefsteEbene(); e >= 0; --e) {
        plMenueObjekt* m = plMenueVon(vf.ebenen[static_cast<size_t>(e)].menu);
        if (!m) continue;
        for (size_t i = 0; i < m->punkte.size(); ++i) {
            const plMenuePunkt& p = m->punkte[i];
            if ((p.flags & (MF_POPUP | MF_SEPARATOR)) || p.id != id) continue;
            auswahlSetzen(static_cast<size_t>(e), static_cast<int>(i), false);
            punktAusfuehren(e, vf.ebenen[static_cast<size_t>(e)].menu, static_cast<int>(i), false);
            return vf.gewaehlt;
        }
    }
    return false;
}

// Headless with nothing waiting (invariant 4); false when a timer is to
// be waited for.
bool leerlauf()
{
    if (menueBeobachter) {
        menueBeobachter(vf.ebenen.empty() ? 0 : vf.ebenen.back().fenster);
        if (plNachrichtArbeitWartet() || vf.ende) return true;
    }
    const int64_t timer = plNachrichtNaechsterTimer(false);
    if (timer >= 0 && plUhrJetztMs() + timer - vf.anfang <= PL_MENUE_LEERLAUF_MS) return false;
    if (!menueSkript.empty()) {
        UINT id = menueSkript.front();
        menueSkript.pop_front();
        if (id != 0 && befehlWaehlen(id)) return true;
    }
    vf.ende = true;
    return true;
}

bool headless()
{
    return std::strcmp(plBackendName(), "headless") == 0;
}

// The loop: runs until a command is chosen or the menu is dismissed.
void schleife()
{
    while (!vf.ende) {
        if (headless() && !plNachrichtArbeitWartet() && leerlauf()) continue;
        MSG m;
        BOOL r = GetMessage(&m, 0, 0, 0);
        if (r <= 0) {
            // The program is ending: leave the quit for the outer loop.
            if (r == 0) PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (!IsWindow(vf.besitzer)) break;
        switch (m.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            bool verbraucht;
            tasteVerarbeiten(static_cast<UINT>(m.wParam), &verbraucht);
            if (!verbraucht && !vf.ende) TranslateMessage(&m);
            continue;
        }
        case WM_CHAR:
        case WM_SYSCHAR: zeichenVerarbeiten(static_cast<unsigned char>(m.wParam)); continue;
        case WM_KEYUP:
        case WM_SYSKEYUP: continue;
        default: break;
        }
        if (istMaus(m.message)) {
            mausVerarbeiten(m);
            continue;
        }
        DispatchMessage(&m);
    }
}

// Common start and end of tracking; the chosen command (0 none).
UINT verfolgen(HWND besitzer, HMENU leiste, HWND leisteFenster, HMENU popup, UINT flags,
               const std::function<void()>& anfang)
{
    vf = plMenueVerfolgung{};
    vf.aktiv = true;
    vf.besitzer = besitzer;
    vf.leiste = leiste;
    vf.leisteFenster = leisteFenster;
    vf.flags = flags;
    vf.anfang = plUhrJetztMs();
    if (melden()) {
        SendMessage(besitzer, WM_ENTERMENULOOP, leiste ? FALSE : TRUE, 0);
        if (melden()) SendMessage(besitzer, WM_INITMENU, static_cast<WPARAM>(leiste ? leiste : popup), 0);
    }
    anfang();
    // The menu takes every click, also outside its windows (which dismisses
    // it): the mouse is captured to the owner while the loop runs.
    if (!vf.ende && (vf.leiste || !vf.ebenen.empty())) {
        SetCapture(besitzer);
        schleife();
        if (GetCapture() == besitzer) ReleaseCapture();
    }
    ebenenSchliessen(0);
    bool gewaehlt = vf.gewaehlt;
    bool system = vf.systemBefehl;
    UINT befehl = vf.befehl;
    HWND ziel = vf.besitzer;
    vf.leisteSel = -1;
    leisteNeuMalen();
    if (melden()) {
        SendMessage(ziel, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        SendMessage(ziel, WM_EXITMENULOOP, leiste ? FALSE : TRUE, 0);
    }
    vf = plMenueVerfolgung{};
    if (!gewaehlt) return 0;
    if (!(flags & TPM_RETURNCMD) && IsWindow(ziel)) {
        if (system)
            PostMessage(ziel, WM_SYSCOMMAND, befehl, 0);
        else
            PostMessage(ziel, WM_COMMAND, MAKEWPARAM(befehl, 0), 0);
    }
    return befehl;
}

void leisteTastatur(HWND hwnd, unsigned char c)
{
    HMENU leiste = GetMenu(hwnd);
    plMenueObjekt* m = plMenueVon(leiste);
    if (vf.aktiv || !m || m->punkte.empty()) return;
    int start = -1;
    if (c) {
        unsigned char gross = plZeichenGross(c);
        for (size_t i = 0; i < m->punkte.size() && start < 0; ++i)
            if (plMenueMnemonic(m->punkte[i].text) == gross) start = static_cast<int>(i);
        if (start < 0) {
            SendMessage(hwnd, WM_MENUCHAR, MAKEWPARAM(c, MF_SYSMENU), static_cast<LPARAM>(leiste));
            return;
        }
    }
    verfolgen(hwnd, leiste, hwnd, 0, 0, [&] {
        if (c)
            punktAusfuehren(-1, leiste, start, false);
        else
            leisteWaehlen(0, false, false, false);
    });
}

void leisteMaus(HWND hwnd, POINT pt)
{
    HMENU leiste = GetMenu(hwnd);
    if (vf.aktiv || !plMenueVon(leiste)) return;
    std::vector<RECT> r;
    if (!leisteBildschirm(hwnd, leiste, r)) return;
    int pos = -1;
    for (size_t i = 0; i < r.size(); ++i)
        if (PtInRect(&r[i], pt)) pos = static_cast<int>(i);
    if (pos < 0) return;
    verfolgen(hwnd, leiste, hwnd, 0, 0, [&] { punktAusfuehren(-1, leiste, pos, true); });
}

void systemMenueZeigen(HWND hwnd)
{
    HMENU sys = GetSystemMenu(hwnd, FALSE);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    int y = wr.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    if (vf.aktiv || !sys) return;
    verfolgen(hwnd, 0, 0, sys, 0, [&] {
        if (ebeneOeffnen(sys, 0, POINT{wr.left, y}, 0)) auswahlSetzen(0, ersterWaehlbarer(sys), false);
    });
}

bool schliessenGesperrt(HWND hwnd)
{
    // Only a system menu that exists can have been changed.
    HMENU sys = plMenueSystemVorhanden(hwnd);
    UINT z = sys ? GetMenuState(sys, SC_CLOSE, MF_BYCOMMAND) : 0xFFFFFFFFu;
    return z != 0xFFFFFFFFu && (z & (MF_GRAYED | MF_DISABLED));
}

// WM_SYSCOMMAND, offered by DefWindowProc before it acts.
BOOL sysBefehl(HWND hwnd, WPARAM wp, LPARAM lp)
{
    switch (wp & 0xFFF0) {
    case SC_KEYMENU:
        if ((lp & 0xFF) == ' ')
            systemMenueZeigen(hwnd);
        else
            leisteTastatur(hwnd, static_cast<unsigned char>(lp & 0xFF));
        return TRUE;
    case SC_MOUSEMENU: leisteMaus(hwnd, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return TRUE;
    case SC_CLOSE: return schliessenGesperrt(hwnd) ? TRUE : FALSE;
    default: return FALSE;
    }
}

// Installed with the module, so that system commands find the menus before
// any menu exists (menu creation installs the hooks again after the window
// manager's end dropped the bar hooks).
void hooksBeimStart();
const bool hooksGesetzt = (hooksBeimStart(), true);

}  // namespace

// ---- Hooks, bar, tracking API ------------------------------------------------------------------------

void plMenueHooksSetzen()
{
    (void)hooksGesetzt;
    plFensterMenueHooks(leisteHoehe, leisteMalen);
    plFensterSysBefehlHookSetzen(sysBefehl);
}

namespace {
void hooksBeimStart()
{
    plMenueHooksSetzen();
}
}  // namespace

BOOL DrawMenuBar(HWND hwnd)
{
    if (!IsWindow(hwnd) || !GetMenu(hwnd)) return FALSE;
    plMenueHooksSetzen();
    SetWindowPos(hwnd, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS*)
{
    if (vf.aktiv || !plMenueVon(menu) || !IsWindow(owner)) return FALSE;
    bool geoeffnet = false;
    UINT befehl = verfolgen(owner, 0, 0, menu, flags, [&] {
        geoeffnet = ebeneOeffnen(menu, 0, POINT{x, y}, flags);
        if (!geoeffnet) vf.ende = true;
    });
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(befehl);
    return geoeffnet ? TRUE : FALSE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*)
{
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu()
{
    if (!vf.aktiv) return FALSE;
    vf.ende = true;
    return TRUE;
}

// ---- Tests ---------------------------------------------------------------------------------------------

void plMenueAntwort(UINT id)
{
    menueSkript.push_back(id);
}

void plMenueSkriptLeeren()
{
    menueSkript.clear();
}

void plMenueBeobachter(plMenueBeobachterFn fn)
{
    menueBeobachter = fn;
}

HMENU plMenueVerfolgt()
{
    if (!vf.aktiv) return 0;
    return vf.leiste ? vf.leiste : (vf.ebenen.empty() ? 0 : vf.ebenen[0].menu);
}

HWND plMenuePopupFenster(int ebene)
{
    if (ebene < 0 || static_cast<size_t>(ebene) >= vf.ebenen.size()) return 0;
    return vf.ebenen[static_cast<size_t>(ebene)].fenster;
}

int plMenueAuswahl(int ebene)
{
    if (!vf.aktiv) return -1;
    if (ebene < 0) return vf.leisteSel;
    if (static_cast<size_t>(ebene) >= vf.ebenen.size()) return -1;
    return vf.ebenen[static_cast<size_t>(ebene)].sel;
}

BOOL plMenuePopupPunkt(int ebene, int pos, RECT* rc)
{
    if (!rc || ebene < 0 || static_cast<size_t>(ebene) >= vf.ebenen.size()) return FALSE;
    const plMenueEbene& e = vf.ebenen[static_cast<size_t>(ebene)];
    if (pos < 0 || static_cast<size_t>(pos) >= e.punkte.size()) return FALSE;
    *rc = e.punkte[static_cast<size_t>(pos)];
    OffsetRect(rc, e.bild.left, e.bild.top);
    return TRUE;
}

BOOL plMenueLeistenPunkt(HWND hwnd, int pos, RECT* rc)
{
    std::vector<RECT> r;
    if (!rc || !leisteBildschirm(hwnd, GetMenu(hwnd), r) || pos < 0 || static_cast<size_t>(pos) >= r.size())
        return FALSE;
    *rc = r[static_cast<size_t>(pos)];
    return TRUE;
}
