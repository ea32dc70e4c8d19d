// The LISTBOX control: items, selection, keyboard, mouse and the message
// switch. Layout and painting are in ctl_liste_malen.cpp, LB_DIR and
// DlgDirList in ctl_liste_dir.cpp. See ctl_liste.h for the rules. May call:
// fenster.h, nachricht.h, eingabe.h, gdi.h, ctl_scroll.h.
#include <algorithm>
#include <cstring>
#include <strings.h>

#include "platform/ctl_liste_int.h"
#include "platform/ctl_scroll.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/zeichen.h"
#include "platform/klasseint.h"

// The combo box's handling of its dropped list (ctl_combo.cpp): true when
// it took the message.
bool cbListeNachricht(LbZustand& z, UINT msg, WPARAM wp, LPARAM lp, LRESULT* ergebnis);

namespace {

int lbVergleichText(const std::string& a, const std::string& b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = plZeichenGross(static_cast<unsigned char>(a[i]));
        unsigned char y = plZeichenGross(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool lbBeginntMit(const std::string& t, const char* p)
{
    size_t n = std::strlen(p);
    if (t.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (plZeichenGross(static_cast<unsigned char>(t[i])) != plZeichenGross(static_cast<unsigned char>(p[i])))
            return false;
    return true;
}

int lbVergleichDaten(LbZustand& z, int i, ULONG_PTR daten)
{
    HWND ziel = lbZiel(z);
    if (!ziel) return 0;
    COMPAREITEMSTRUCT ci{};
    ci.CtlType = lbArt(z);
    ci.CtlID = lbId(z);
    ci.hwndItem = lbItemFenster(z);
    ci.itemID1 = static_cast<UINT>(i);
    ci.itemData1 = z.e[static_cast<size_t>(i)].daten;
    ci.itemID2 = static_cast<UINT>(-1);
    ci.itemData2 = daten;
    return static_cast<int>(SendMessage(ziel, WM_COMPAREITEM, ci.CtlID, reinterpret_cast<LPARAM>(&ci)));
}

void lbLoeschMelden(LbZustand& z, int i)
{
    const LbEintrag& e = z.e[static_cast<size_t>(i)];
    if (!lbEigenMalen(z) && e.daten == 0) return;
    HWND ziel = lbZiel(z);
    if (!ziel) return;
    DELETEITEMSTRUCT di{lbArt(z), lbId(z), static_cast<UINT>(i), lbItemFenster(z), e.daten};
    SendMessage(ziel, WM_DELETEITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
}

LRESULT lbEinfuegen(LbZustand& z, int index, LPARAM lp, bool sortiert)
{
    int n = lbAnzahl(z);
    if (n >= PL_LISTE_EINTRAEGESUP) return LB_ERRSPACE;
    if (index < 0 || index > n) index = n;
    LbEintrag neu;
    if (lbMitText(z)) {
        const char* t = reinterpret_cast<const char*>(lp);
        neu.text = t ? t : "";
    } else {
        neu.daten = static_cast<ULONG_PTR>(lp);
    }
    HWND h = z.h;
    if (sortiert) {
        int lo = 0, hi = n;
        while (lo < hi) {
            int mitte = (lo + hi) / 2;
            int v = lbMitText(z) ? lbVergleichText(z.e[static_cast<size_t>(mitte)].text, neu.text)
                                 : lbVergleichDaten(z, mitte, neu.daten);
            if (lbVon(h) != &z) return LB_ERR;
            if (v <= 0)
                lo = mitte + 1;
            else
                hi = mitte;
        }
        index = lo;
    }
    z.e.insert(z.e.begin() + index, std::move(neu));
    if (z.wahl >= index) ++z.wahl;
    if (z.caret >= index && z.caret >= 0) ++z.caret;
    if (z.caret < 0) z.caret = 0;
    if (z.anker >= index) ++z.anker;
    if (lbEigenMalen(z) && (lbStil(z) & LBS_OWNERDRAWVARIABLE)) {
        lbMessen(z, index);
        if (lbVon(h) != &z) return LB_ERR;
    }
    lbScrollLeisten(z);
    lbNeuMalen(z);
    return index;
}

LRESULT lbEntfernen(LbZustand& z, int i)
{
    if (i < 0 || i >= lbAnzahl(z)) return LB_ERR;
    HWND h = z.h;
    lbLoeschMelden(z, i);
    if (lbVon(h) != &z || i >= lbAnzahl(z)) return LB_ERR;
    z.e.erase(z.e.begin() + i);
    int n = lbAnzahl(z);
    if (z.wahl == i)
        z.wahl = -1;
    else if (z.wahl > i)
        --z.wahl;
    if (z.caret > i || z.caret >= n) --z.caret;
    if (n > 0 && z.caret < 0) z.caret = 0;
    if (z.anker == i)
        z.anker = -1;
    else if (z.anker > i)
        --z.anker;
    z.oben = std::clamp(z.oben, 0, std::max(0, n - 1));
    lbScrollLeisten(z);
    lbObenSetzen(z, z.oben);
    lbNeuMalen(z);
    return n;
}

void lbLeeren(LbZustand& z)
{
    HWND h = z.h;
    for (int i = 0; i < lbAnzahl(z); ++i) {
        lbLoeschMelden(z, i);
        if (lbVon(h) != &z) return;
    }
    z.e.clear();
    z.wahl = -1;
    z.caret = -1;
    z.anker = -1;
    z.oben = 0;
    lbScrollLeisten(z);
    lbNeuMalen(z);
}

// Multiple selection: sets item i; redraws it when it changed.
bool lbMarkSetzen(LbZustand& z, int i, bool an)
{
    LbEintrag& e = z.e[static_cast<size_t>(i)];
    if (e.sel == an) return false;
    e.sel = an;
    lbItemMalen(z, i, ODA_SELECT);
    return true;
}

// Extended selection: exactly anker..bis selected (plus what was selected
// before when `dazu`).
bool lbBereich(LbZustand& z, int anker, int bis, bool dazu)
{
    int a = std::min(anker, bis), b = std::max(anker, bis);
    bool anders = false;
    for (int i = 0; i < lbAnzahl(z); ++i) {
        bool drin = i >= a && i <= b;
        if (drin)
            anders |= lbMarkSetzen(z, i, true);
        else if (!dazu)
            anders |= lbMarkSetzen(z, i, false);
    }
    return anders;
}

int lbSuchen(const LbZustand& z, int start, const char* text, bool genau)
{
    int n = lbAnzahl(z);
    if (n == 0) return LB_ERR;
    if (start < -1 || start >= n) start = -1;
    for (int k = 1; k <= n; ++k) {
        int i = (start + k) % n;
        const LbEintrag& e = z.e[static_cast<size_t>(i)];
        if (!lbMitText(z)) {
            if (e.daten == reinterpret_cast<ULONG_PTR>(text)) return i;
            continue;
        }
        if (!text) return LB_ERR;
        if (genau ? lbVergleichText(e.text, text) == 0 : lbBeginntMit(e.text, text)) return i;
    }
    return LB_ERR;
}

// The user moved to item `ziel` (keys, type-ahead): selection by mode.
void lbGehen(LbZustand& z, int ziel, bool shift, bool strg)
{
    int n = lbAnzahl(z);
    if (n == 0) return;
    ziel = std::clamp(ziel, 0, n - 1);
    DWORD stil = lbStil(z);
    HWND h = z.h;
    if (stil & LBS_NOSEL) {
        lbCaretSetzen(z, ziel);
        lbZeigen(z, ziel);
        return;
    }
    if (!lbMehrfach(z)) {
        bool anders = ziel != z.wahl;
        lbWahlSetzen(z, ziel);
        lbZeigen(z, ziel);
        if (anders) lbMelden(z, LBN_SELCHANGE);
        return;
    }
    if (stil & LBS_EXTENDEDSEL) {
        lbCaretSetzen(z, ziel);
        bool anders = false;
        if (shift) {
            if (z.anker < 0) z.anker = ziel;
            anders = lbBereich(z, z.anker, ziel, strg);
        } else if (!strg) {
            z.anker = ziel;
            anders = lbBereich(z, ziel, ziel, false);
        }
        if (lbVon(h) != &z) return;
        lbZeigen(z, ziel);
        if (anders) lbMelden(z, LBN_SELCHANGE);
        return;
    }
    lbCaretSetzen(z, ziel);
    lbZeigen(z, ziel);
}

void lbTaste(LbZustand& z, WPARAM vk)
{
    HWND h = z.h;
    int ziel = z.caret;
    if (lbStil(z) & LBS_WANTKEYBOARDINPUT) {
        HWND eltern = GetParent(h);
        LRESULT r = eltern ? SendMessage(eltern, WM_VKEYTOITEM, MAKEWPARAM(vk, std::max(0, z.caret)), static_cast<LPARAM>(h))
                           : -1;
        if (lbVon(h) != &z || r == -2) return;
        if (r >= 0 && r < lbAnzahl(z)) {
            lbGehen(z, static_cast<int>(r), false, false);
            return;
        }
    }
    bool shift = GetKeyState(VK_SHIFT) < 0, strg = GetKeyState(VK_CONTROL) < 0;
    int seite = std::max(1, lbSichtbar(z) - 1);
    int zeilen = (lbStil(z) & LBS_MULTICOLUMN) ? lbZeilenProSpalte(z) : 1;
    switch (vk) {
    case VK_UP: ziel = ziel - 1; break;
    case VK_DOWN: ziel = ziel + 1; break;
    case VK_LEFT: ziel = ziel - zeilen; break;
    case VK_RIGHT: ziel = ziel + zeilen; break;
    case VK_PRIOR: ziel = ziel - seite; break;
    case VK_NEXT: ziel = ziel + seite; break;
    case VK_HOME: ziel = 0; break;
    case VK_END: ziel = lbAnzahl(z) - 1; break;
    case VK_SPACE: {
        if (z.caret < 0 || (lbStil(z) & LBS_NOSEL)) return;
        DWORD stil = lbStil(z);
        bool anders = false;
        if (stil & LBS_MULTIPLESEL) {
            anders = lbMarkSetzen(z, z.caret, !z.e[static_cast<size_t>(z.caret)].sel);
        } else if (stil & LBS_EXTENDEDSEL) {
            if (strg) {
                anders = lbMarkSetzen(z, z.caret, !z.e[static_cast<size_t>(z.caret)].sel);
                z.anker = z.caret;
            } else {
                lbGehen(z, z.caret, shift, false);
                return;
            }
        }
        if (anders) lbMelden(z, LBN_SELCHANGE);
        return;
    }
    default: return;
    }
    lbGehen(z, ziel, shift, strg);
}

void lbZeichen(LbZustand& z, unsigned char c)
{
    HWND h = z.h;
    if ((lbStil(z) & LBS_WANTKEYBOARDINPUT) && !lbMitText(z)) {
        HWND eltern = GetParent(h);
        LRESULT r = eltern ? SendMessage(eltern, WM_CHARTOITEM, MAKEWPARAM(c, std::max(0, z.caret)), static_cast<LPARAM>(h))
                           : -1;
        if (lbVon(h) != &z || r == -2) return;
        if (r >= 0 && r < lbAnzahl(z)) lbGehen(z, static_cast<int>(r), false, false);
        return;
    }
    if (!lbMitText(z) || c < 0x20) return;
    char p[2] = {static_cast<char>(c), 0};
    int i = lbSuchen(z, z.caret, p, false);
    if (i >= 0) lbGehen(z, i, false, false);
}

void lbMaus(LbZustand& z, UINT msg, WPARAM wp, LPARAM lp)
{
    HWND h = z.h;
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    DWORD stil = lbStil(z);
    bool shift = (wp & MK_SHIFT) != 0, strg = (wp & MK_CONTROL) != 0;
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        if (GetFocus() != h) SetFocus(h);
        if (lbVon(h) != &z) return;
        bool aus = false;
        int i = lbItemBei(z, p, &aus);
        if (i < 0 || aus) return;
        if (stil & LBS_NOSEL) {
            lbCaretSetzen(z, i);
        } else if (!lbMehrfach(z)) {
            bool anders = i != z.wahl;
            lbWahlSetzen(z, i);
            if (anders) lbMelden(z, LBN_SELCHANGE);
        } else if (stil & LBS_EXTENDEDSEL) {
            lbCaretSetzen(z, i);
            bool anders;
            if (shift) {
                if (z.anker < 0) z.anker = i;
                anders = lbBereich(z, z.anker, i, strg);
            } else if (strg) {
                anders = lbMarkSetzen(z, i, !z.e[static_cast<size_t>(i)].sel);
                z.anker = i;
            } else {
                z.anker = i;
                anders = lbBereich(z, i, i, false);
            }
            if (lbVon(h) != &z) return;
            if (anders) lbMelden(z, LBN_SELCHANGE);
            z.ziehenStrg = strg;
        } else {
            lbCaretSetzen(z, i);
            if (lbMarkSetzen(z, i, !z.e[static_cast<size_t>(i)].sel)) lbMelden(z, LBN_SELCHANGE);
        }
        if (lbVon(h) != &z) return;
        if (msg == WM_LBUTTONDBLCLK) {
            lbMelden(z, LBN_DBLCLK);
            return;
        }
        if (!(stil & LBS_MULTIPLESEL)) {
            z.ziehen = true;
            SetCapture(h);
        }
        return;
    }
    if (msg == WM_MOUSEMOVE && z.ziehen) {
        bool aus = false;
        int i = lbItemBei(z, p, &aus);
        if (i < 0) return;
        lbZeigen(z, i);
        if (!lbMehrfach(z)) {
            if (i != z.wahl) {
                lbWahlSetzen(z, i);
                lbMelden(z, LBN_SELCHANGE);
            }
        } else if (i != z.caret) {
            lbCaretSetzen(z, i);
            if (lbBereich(z, z.anker < 0 ? i : z.anker, i, z.ziehenStrg)) lbMelden(z, LBN_SELCHANGE);
        }
        return;
    }
    if (msg == WM_LBUTTONUP && z.ziehen) {
        z.ziehen = false;
        if (GetCapture() == h) ReleaseCapture();
    }
}

void lbScrollNachricht(LbZustand& z, UINT msg, WPARAM wp)
{
    bool spalten = (lbStil(z) & LBS_MULTICOLUMN) != 0;
    if (spalten != (msg == WM_HSCROLL)) return;
    int schritt = spalten ? lbZeilenProSpalte(z) : 1;
    int seite = spalten ? std::max(schritt, lbSichtbar(z) - schritt) : std::max(1, lbSichtbar(z) - 1);
    switch (LOWORD(wp)) {
    case SB_LINEUP: lbObenSetzen(z, z.oben - schritt); break;
    case SB_LINEDOWN: lbObenSetzen(z, z.oben + schritt); break;
    case SB_PAGEUP: lbObenSetzen(z, z.oben - seite); break;
    case SB_PAGEDOWN: lbObenSetzen(z, z.oben + seite); break;
    case SB_TOP: lbObenSetzen(z, 0); break;
    case SB_BOTTOM: lbObenSetzen(z, lbAnzahl(z)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(z.h, spalten ? SB_HORZ : SB_VERT, &si);
        lbObenSetzen(z, si.nTrackPos * schritt);
        break;
    }
    default: break;
    }
}

LRESULT lbText(const LbZustand& z, int i, char* buf)
{
    if (i < 0 || i >= lbAnzahl(z) || !buf) return LB_ERR;
    const LbEintrag& e = z.e[static_cast<size_t>(i)];
    if (!lbMitText(z)) {
        std::memcpy(buf, &e.daten, sizeof e.daten);
        return sizeof e.daten;
    }
    std::memcpy(buf, e.text.c_str(), e.text.size() + 1);
    return static_cast<LRESULT>(e.text.size());
}

LRESULT lbNachricht(LbZustand& z, UINT msg, WPARAM wp, LPARAM lp);

// Applies the whole-items height again (after the item height changed).
void lbGanzeHoehe(LbZustand& z)
{
    if (lbStil(z) & (LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE)) return;
    RECT w;
    GetWindowRect(z.h, &w);
    SetWindowPos(z.h, 0, 0, 0, w.right - w.left, w.bottom - w.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK lbProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* z = new LbZustand();
        z->h = h;
        SetWindowLongPtr(h, 0, reinterpret_cast<LONG_PTR>(z));
        return DefWindowProc(h, msg, wp, lp);
    }
    LbZustand* z = lbVon(h);
    if (!z) return DefWindowProc(h, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(h, 0, 0);
        delete z;
        return DefWindowProc(h, msg, wp, lp);
    }
    if (z->combo) {
        LRESULT r = 0;
        if (cbListeNachricht(*z, msg, wp, lp, &r)) return r;
        if (!(z = lbVon(h))) return 0;
    }
    return lbNachricht(*z, msg, wp, lp);
}

LRESULT lbNachricht(LbZustand& z, UINT msg, WPARAM wp, LPARAM lp)
{
    HWND h = z.h;
    int n = lbAnzahl(z);
    int i = static_cast<int>(wp);
    switch (msg) {
    case WM_CREATE: {
        const CREATESTRUCT* cs = reinterpret_cast<const CREATESTRUCT*>(lp);
        char kl[16] = {};
        GetClassName(h, kl, sizeof kl);
        if (cs && strcasecmp(kl, "ComboLBox") == 0) z.combo = static_cast<HWND>(reinterpret_cast<uintptr_t>(cs->lpCreateParams));
        if (lbStil(z) & LBS_NOREDRAW) z.malen = false;
        z.leisteV = (lbStil(z) & WS_VSCROLL) != 0;
        z.leisteH = (lbStil(z) & WS_HSCROLL) != 0;
        lbSchriftMessen(z);
        if (lbEigenMalen(z) && !(lbStil(z) & LBS_OWNERDRAWVARIABLE)) lbMessen(z, 0);
        if (lbVon(h) != &z) return 0;
        lbScrollLeisten(z);
        lbGanzeHoehe(z);
        return 0;
    }
    case WM_DESTROY: lbLeeren(z); return 0;
    case WM_WINDOWPOSCHANGING: {
        // Without LBS_NOINTEGRALHEIGHT the box shows whole items only.
        WINDOWPOS* p = reinterpret_cast<WINDOWPOS*>(lp);
        DWORD stil = lbStil(z);
        if (!p || (p->flags & SWP_NOSIZE) || (stil & (LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE))) return 0;
        RECT w, c;
        GetWindowRect(h, &w);
        GetClientRect(h, &c);
        int rand = (w.bottom - w.top) - c.bottom;
        int innen = p->cy - rand;
        if (innen > z.itemHoehe) p->cy = rand + innen / z.itemHoehe * z.itemHoehe;
        return 0;
    }
    case WM_CANCELMODE:
        z.ziehen = false;
        return DefWindowProc(h, msg, wp, lp);
    case WM_SIZE:
        lbScrollLeisten(z);
        lbObenSetzen(z, z.oben);
        lbNeuMalen(z);
        return 0;
    case WM_SETFONT:
        z.font = static_cast<HFONT>(wp);
        lbSchriftMessen(z);
        lbGanzeHoehe(z);
        lbScrollLeisten(z);
        if (LOWORD(lp)) lbNeuMalen(z);
        return 0;
    case WM_GETFONT: return static_cast<LRESULT>(z.font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: lbMalen(z); return 0;
    case WM_ENABLE: lbNeuMalen(z); return 0;
    case WM_SETREDRAW:
        z.malen = wp != 0;
        DefWindowProc(h, msg, wp, lp);
        if (z.malen) lbScrollLeisten(z);
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
        z.fokus = true;
        if (z.caret >= 0) lbItemMalen(z, z.caret, ODA_FOCUS);
        else lbNeuMalen(z);
        lbMelden(z, LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        z.fokus = false;
        z.ziehen = false;
        if (z.caret >= 0) lbItemMalen(z, z.caret, ODA_FOCUS);
        else lbNeuMalen(z);
        lbMelden(z, LBN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN: lbTaste(z, wp); return 0;
    case WM_CHAR: lbZeichen(z, static_cast<unsigned char>(wp)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: lbMaus(z, msg, wp, lp); return 0;
    case WM_CAPTURECHANGED: z.ziehen = false; return 0;
    case WM_MOUSEWHEEL: {
        int stufen = static_cast<short>(HIWORD(wp)) / WHEEL_DELTA;
        int schritt = (lbStil(z) & LBS_MULTICOLUMN) ? lbZeilenProSpalte(z) : 3;
        lbObenSetzen(z, z.oben - stufen * schritt);
        return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (lp == 0) lbScrollNachricht(z, msg, wp);
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (plScrollNcKlick(h, msg, wp, lp)) return 0;
        return DefWindowProc(h, msg, wp, lp);

    case LB_ADDSTRING: return lbEinfuegen(z, n, lp, (lbStil(z) & LBS_SORT) != 0);
    case LB_INSERTSTRING:
        if (i > n) return LB_ERR;
        return lbEinfuegen(z, i, lp, false);
    case LB_DELETESTRING: return lbEntfernen(z, i);
    case LB_RESETCONTENT: lbLeeren(z); return 0;
    case LB_GETCOUNT: return n;
    case LB_GETTEXT: return lbText(z, i, reinterpret_cast<char*>(lp));
    case LB_GETTEXTLEN:
        if (i < 0 || i >= n) return LB_ERR;
        return lbMitText(z) ? static_cast<LRESULT>(z.e[static_cast<size_t>(i)].text.size()) : sizeof(ULONG_PTR);
    case LB_GETITEMDATA:
        if (i < 0 || i >= n) return LB_ERR;
        return static_cast<LRESULT>(z.e[static_cast<size_t>(i)].daten);
    case LB_SETITEMDATA:
        if (i < 0 || i >= n) return LB_ERR;
        z.e[static_cast<size_t>(i)].daten = static_cast<ULONG_PTR>(lp);
        return TRUE;
    case LB_SETCURSEL:
        if (lbMehrfach(z)) return LB_ERR;
        if (i < 0 || i >= n) {
            lbWahlSetzen(z, -1);
            return LB_ERR;
        }
        lbWahlSetzen(z, i);
        lbZeigen(z, i);
        return i;
    case LB_GETCURSEL:
        if (lbMehrfach(z)) return z.caret;
        return z.wahl >= 0 ? z.wahl : LB_ERR;
    case LB_SETSEL: {
        if (!lbMehrfach(z)) return LB_ERR;
        int idx = static_cast<int>(lp);
        if (idx == -1) {
            for (int k = 0; k < n; ++k) lbMarkSetzen(z, k, wp != 0);
            return 0;
        }
        if (idx < 0 || idx >= n) return LB_ERR;
        lbMarkSetzen(z, idx, wp != 0);
        if (wp) {
            lbCaretSetzen(z, idx);
            z.anker = idx;
            lbZeigen(z, idx);
        }
        return 0;
    }
    case LB_GETSEL:
        if (i < 0 || i >= n) return LB_ERR;
        return lbIstGewaehlt(z, i) ? 1 : 0;
    case LB_GETSELCOUNT: {
        if (!lbMehrfach(z)) return LB_ERR;
        return std::count_if(z.e.begin(), z.e.end(), [](const LbEintrag& e) { return e.sel; });
    }
    case LB_GETSELITEMS: {
        if (!lbMehrfach(z)) return LB_ERR;
        int* aus = reinterpret_cast<int*>(lp);
        int k = 0;
        for (int j = 0; j < n && k < i && aus; ++j)
            if (z.e[static_cast<size_t>(j)].sel) aus[k++] = j;
        return k;
    }
    case LB_SELITEMRANGE:
    case LB_SELITEMRANGEEX: {
        if (!lbMehrfach(z)) return LB_ERR;
        int a, b;
        bool an;
        if (msg == LB_SELITEMRANGE) {
            a = LOWORD(lp);
            b = HIWORD(lp);
            an = wp != 0;
        } else {
            a = static_cast<int>(wp);
            b = static_cast<int>(lp);
            an = a <= b;
            if (!an) std::swap(a, b);
        }
        for (int k = std::max(0, a); k <= std::min(b, n - 1); ++k) lbMarkSetzen(z, k, an);
        return 0;
    }
    case LB_SELECTSTRING: {
        int k = lbSuchen(z, i, reinterpret_cast<const char*>(lp), false);
        if (k < 0) return LB_ERR;
        if (lbMehrfach(z)) {
            lbMarkSetzen(z, k, true);
            lbCaretSetzen(z, k);
        } else {
            lbWahlSetzen(z, k);
        }
        lbZeigen(z, k);
        return k;
    }
    case LB_FINDSTRING: return lbSuchen(z, i, reinterpret_cast<const char*>(lp), false);
    case LB_FINDSTRINGEXACT: return lbSuchen(z, i, reinterpret_cast<const char*>(lp), true);
    case LB_GETTOPINDEX: return z.oben;
    case LB_SETTOPINDEX:
        if (i < 0 || (i >= n && n > 0)) return LB_ERR;
        lbObenSetzen(z, i);
        return 0;
    case LB_GETITEMRECT: {
        RECT* r = reinterpret_cast<RECT*>(lp);
        if (!r || !lbRechteck(z, i, r)) return LB_ERR;
        return 1;
    }
    case LB_ITEMFROMPOINT: {
        if (n == 0) return MAKELRESULT(0, 1);
        bool aus = false;
        int k = lbItemBei(z, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, &aus);
        return MAKELRESULT(static_cast<WORD>(std::max(0, k)), aus ? 1 : 0);
    }
    case LB_SETITEMHEIGHT: {
        int hoehe = LOWORD(lp);
        if (hoehe <= 0 || hoehe > 255) return LB_ERR;
        if ((lbStil(z) & LBS_OWNERDRAWVARIABLE) && !(lbStil(z) & LBS_MULTICOLUMN)) {
            if (i < 0 || i >= n) return LB_ERR;
            z.e[static_cast<size_t>(i)].hoehe = hoehe;
        } else {
            z.itemHoehe = hoehe;
        }
        lbScrollLeisten(z);
        lbNeuMalen(z);
        return 0;
    }
    case LB_GETITEMHEIGHT:
        if (n > 0 && (i < 0 || i >= n)) return LB_ERR;
        return lbHoeheVon(z, i);
    case LB_SETCOLUMNWIDTH:
        z.spaltenBreite = std::max(1, i);
        lbScrollLeisten(z);
        lbNeuMalen(z);
        return 0;
    case LB_SETHORIZONTALEXTENT: z.horizontal = std::max(0, i); return 0;
    case LB_GETHORIZONTALEXTENT: return z.horizontal;
    case LB_SETCARETINDEX:
        if (i < 0 || i >= n) return LB_ERR;
        lbCaretSetzen(z, i);
        lbZeigen(z, i);
        return 0;
    case LB_GETCARETINDEX: return z.caret;
    case LB_SETANCHORINDEX:
        if (i < 0 || i >= n) return LB_ERR;
        z.anker = i;
        return 0;
    case LB_GETANCHORINDEX: return z.anker;
    case LB_DIR: return lbVerzeichnis(h, static_cast<UINT>(wp), reinterpret_cast<const char*>(lp));
    case LB_SETTABSTOPS: return TRUE;
    case LB_INITSTORAGE: return n;
    case LB_SETCOUNT: return LB_ERR;
    case LB_SETLOCALE:
    case LB_GETLOCALE: return 0;
    default: return DefWindowProc(h, msg, wp, lp);
    }
}

}  // namespace

// ---- Shared helpers ----------------------------------------------------------------------------

LbZustand* lbVon(HWND h)
{
    return reinterpret_cast<LbZustand*>(GetWindowLongPtr(h, 0));
}

DWORD lbStil(const LbZustand& z)
{
    return static_cast<DWORD>(GetWindowLong(z.h, GWL_STYLE));
}

int lbAnzahl(const LbZustand& z)
{
    return static_cast<int>(z.e.size());
}

bool lbMehrfach(const LbZustand& z)
{
    return (lbStil(z) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

bool lbEigenMalen(const LbZustand& z)
{
    return (lbStil(z) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

bool lbMitText(const LbZustand& z)
{
    return !lbEigenMalen(z) || (lbStil(z) & LBS_HASSTRINGS);
}

bool lbIstGewaehlt(const LbZustand& z, int i)
{
    if (i < 0 || i >= lbAnzahl(z)) return false;
    return lbMehrfach(z) ? z.e[static_cast<size_t>(i)].sel : i == z.wahl;
}

HWND lbZiel(const LbZustand& z)
{
    return GetParent(z.combo ? z.combo : z.h);
}

UINT lbArt(const LbZustand& z)
{
    return z.combo ? ODT_COMBOBOX : ODT_LISTBOX;
}

UINT lbId(const LbZustand& z)
{
    return static_cast<UINT>(GetDlgCtrlID(z.combo ? z.combo : z.h));
}

HWND lbItemFenster(const LbZustand& z)
{
    return z.combo ? z.combo : z.h;
}

void lbWahlSetzen(LbZustand& z, int i)
{
    int alt = z.wahl;
    if (i == alt) return;
    z.wahl = i;
    int altCaret = z.caret;
    if (i >= 0) z.caret = i;
    if (alt >= 0) lbItemMalen(z, alt, ODA_SELECT);
    if (altCaret >= 0 && altCaret != alt && altCaret != z.caret) lbItemMalen(z, altCaret, ODA_FOCUS);
    if (i >= 0) lbItemMalen(z, i, ODA_SELECT);
}

void lbCaretSetzen(LbZustand& z, int i)
{
    int alt = z.caret;
    if (i == alt) return;
    z.caret = i;
    if (!z.fokus) return;
    if (alt >= 0) lbItemMalen(z, alt, ODA_FOCUS);
    if (i >= 0) lbItemMalen(z, i, ODA_FOCUS);
}

void lbMelden(LbZustand& z, int code)
{
    HWND ziel = z.combo ? z.combo : GetParent(z.h);
    if (!ziel) return;
    bool immer = code == LBN_SETFOCUS || code == LBN_KILLFOCUS || code == LBN_ERRSPACE;
    if (!z.combo && !immer && !(lbStil(z) & LBS_NOTIFY)) return;
    SendMessage(ziel, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(z.h), code), static_cast<LPARAM>(z.h));
}

void plListeAnmelden()
{
    plScrollAnmelden();
    plKlasseSichern("LISTBOX", lbProc, CS_DBLCLKS | CS_GLOBALCLASS, sizeof(LONG_PTR));
    plKlasseSichern("ComboLBox", lbProc, CS_DBLCLKS | CS_GLOBALCLASS | CS_SAVEBITS, sizeof(LONG_PTR));
}
