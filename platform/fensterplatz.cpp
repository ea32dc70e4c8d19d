// Window manager: geometry, non-client insets, showing and hiding, z-order,
// SetWindowPos, placement and point mapping. See fenster.h.
// Helpers: prefix `platz`.
//
// SetWindowPos sends WM_WINDOWPOSCHANGING (the receiver may change the
// WINDOWPOS), applies it, then sends WM_WINDOWPOSCHANGED, whose default
// handling sends WM_SIZE and WM_MOVE for what really changed. Showing sends
// WM_SHOWWINDOW first; activation of a top-level window falls between the
// two WINDOWPOS messages, as on Windows.
#include <algorithm>

#include "platform/backend.h"
#include "platform/fensterint.h"
#include "platform/systemwerte.h"

namespace {

plMenueLeisteHoeheFn menueHoeheHook = nullptr;

constexpr int PLATZ_MIN_X = -32000;  // where minimised windows go, as on Windows
constexpr int PLATZ_MIN_BREITE = 160;

void platzSiblings(plFenster* w, std::vector<HWND>*& liste)
{
    liste = &plFensterOderDesktop(w->eltern ? w->eltern : plWm().desktop)->kinder;
}

void platzEntfernen(std::vector<HWND>& l, HWND h)
{
    auto it = std::find(l.begin(), l.end(), h);
    if (it != l.end()) l.erase(it);
}

// Insertion into a top-level list: topmost windows stay above the others.
void platzObenEinfuegen(std::vector<HWND>& l, plFenster* w)
{
    size_t i = 0;
    if (!(w->exStil & WS_EX_TOPMOST))
        while (i < l.size()) {
            plFenster* o = plFensterVon(l[i]);
            if (!o || !(o->exStil & WS_EX_TOPMOST)) break;
            ++i;
        }
    l.insert(l.begin() + static_cast<long>(i), w->h);
}

void platzInvalidierenBeiEltern(plFenster* w, const RECT& r)
{
    if (!w->eltern) return;
    plFenster* p = plFensterVon(w->eltern);
    if (!p) return;
    // A child's rectangle is already in its parent's client coordinates.
    plFensterUngueltig(p, &r, true, true);
}

}  // namespace

// ---- Insets and coordinates -----------------------------------------------------------------

plRaender plFensterRaender(const plFenster* w)
{
    plRaender r{};
    if (!w) return r;
    DWORD s = w->stil;
    if (!w->eltern && w->wmRahmen) {
        r.aussenLinks = w->wmAusmass.left;
        r.aussenOben = w->wmAusmass.top;
        r.aussenRechts = w->wmAusmass.right;
        r.aussenUnten = w->wmAusmass.bottom;
    } else {
        if (s & WS_THICKFRAME)
            r.rahmen = GetSystemMetrics(SM_CXFRAME);
        else if ((s & WS_DLGFRAME) || (w->exStil & WS_EX_DLGMODALFRAME))
            r.rahmen = GetSystemMetrics(SM_CXDLGFRAME);
        else if (s & WS_BORDER)
            r.rahmen = GetSystemMetrics(SM_CXBORDER);
        if ((s & WS_CAPTION) == WS_CAPTION)
            r.beschriftung = (w->exStil & WS_EX_TOOLWINDOW) ? GetSystemMetrics(SM_CYSMCAPTION) : GetSystemMetrics(SM_CYCAPTION);
        r.aussenLinks = r.aussenRechts = r.aussenUnten = r.rahmen;
        r.aussenOben = r.rahmen + r.beschriftung;
    }
    if (!w->eltern && w->menue) {
        int breite = static_cast<int>(w->rect.right - w->rect.left) - r.aussenLinks - r.aussenRechts;
        r.menue = menueHoeheHook ? menueHoeheHook(w->h, w->menue, breite) : GetSystemMetrics(SM_CYMENU);
    }
    if (w->exStil & WS_EX_CLIENTEDGE) r.kante += GetSystemMetrics(SM_CXEDGE);
    if (w->exStil & WS_EX_STATICEDGE) r.kante += GetSystemMetrics(SM_CXBORDER);
    r.links = r.aussenLinks + r.kante;
    r.rechts = r.aussenRechts + r.kante + ((s & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    r.oben = r.aussenOben + r.menue + r.kante;
    r.unten = r.aussenUnten + r.kante + ((s & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    return r;
}

void plFensterWmRahmenHolen(plFenster* w)
{
    RECT aus{0, 0, 0, 0};
    if (!w || w->eltern || !plBeRahmen(w->h, w->stil, w->exStil, &aus)) return;
    w->wmRahmen = true;
    w->wmAusmass = aus;
}

void plFensterVomDesktop(HWND h, const RECT* rc)
{
    plFenster* w = plFensterVon(h);
    if (!w || w->eltern || !rc) return;
    int cx = rc->right - rc->left, cy = rc->bottom - rc->top;
    // A window the desktop resized keeps the limits its procedure gives, as
    // in a sizing loop; a maximised or minimised one is the desktop's.
    if (w->zeigeZustand == SW_SHOWNORMAL && (w->stil & (WS_CAPTION | WS_THICKFRAME)) &&
        (cx != w->rect.right - w->rect.left || cy != w->rect.bottom - w->rect.top)) {
        plFensterMinMax(h, cx, cy);
        if (!plFensterVon(h)) return;
    }
    SetWindowPos(h, 0, rc->left, rc->top, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void plFensterRahmenNeu(HWND h, const RECT* aus, const RECT* rc)
{
    plFenster* w = plFensterVon(h);
    if (!w || w->eltern || !aus) return;
    RECT altClient = plFensterClient(w);
    w->wmRahmen = true;
    w->wmAusmass = *aus;
    // Without a rectangle the window stays where the layer has it (the
    // desktop's state may be ahead of the layer's, a maximise or restore on
    // its way as a system command): only its client part changes.
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    RECT neu = rc ? *rc : w->rect;
    if (!rc) flags |= SWP_NOMOVE | SWP_NOSIZE;
    SetWindowPos(h, 0, neu.left, neu.top, neu.right - neu.left, neu.bottom - neu.top, flags);
    if (rc || !(w = plFensterVon(h))) return;
    RECT c = plFensterClient(w);
    if (c.right != altClient.right || c.bottom != altClient.bottom) {
        WPARAM art = w->zeigeZustand == SW_SHOWMAXIMIZED ? SIZE_MAXIMIZED : SIZE_RESTORED;
        if (w->zeigeZustand != SW_SHOWMINIMIZED) SendMessage(h, WM_SIZE, art, MAKELPARAM(c.right, c.bottom));
    }
}

void plFensterMenueHoeheHookSetzen(plMenueLeisteHoeheFn f)
{
    menueHoeheHook = f;
}

RECT plFensterClient(const plFenster* w)
{
    if (!w) return RECT{0, 0, 0, 0};
    plRaender r = plFensterRaender(w);
    LONG b = std::max<LONG>(0, w->rect.right - w->rect.left - r.links - r.rechts);
    LONG h = std::max<LONG>(0, w->rect.bottom - w->rect.top - r.oben - r.unten);
    return RECT{0, 0, b, h};
}

POINT plFensterClientBildschirm(const plFenster* w)
{
    if (!w) return POINT{0, 0};
    plRaender r = plFensterRaender(w);
    POINT p{w->rect.left + r.links, w->rect.top + r.oben};
    if (w->eltern) {
        POINT q = plFensterClientBildschirm(plFensterVon(w->eltern));
        p.x += q.x;
        p.y += q.y;
    }
    return p;
}

POINT plFensterInOben(const plFenster* w)
{
    POINT p{0, 0};
    while (w && w->eltern) {
        p.x += w->rect.left;
        p.y += w->rect.top;
        const plFenster* e = plFensterVon(w->eltern);
        plRaender r = plFensterRaender(e);
        p.x += r.links;
        p.y += r.oben;
        w = e;
    }
    return p;
}

POINT plFensterClientInOben(const plFenster* w)
{
    POINT p = plFensterInOben(w);
    plRaender r = plFensterRaender(w);
    return POINT{p.x + r.links, p.y + r.oben};
}

bool plFensterSichtbar(const plFenster* w)
{
    while (w) {
        if (!(w->stil & WS_VISIBLE) || w->zeigeZustand == SW_SHOWMINIMIZED || !w->neuZeichnen) return false;
        if (!w->eltern) return true;
        w = plFensterVon(w->eltern);
    }
    return false;
}

bool plFensterFrei(const plFenster* w)
{
    while (w) {
        if (w->stil & WS_DISABLED) return false;
        if (!w->eltern) return true;
        w = plFensterVon(w->eltern);
    }
    return false;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rc)
{
    plWmZustand& wm = plWm();
    if (!rc) return FALSE;
    if (hwnd == wm.desktop) {
        *rc = plFensterOderDesktop(hwnd)->rect;
        return TRUE;
    }
    plFenster* w = plFensterVon(hwnd);
    if (!w) return FALSE;
    POINT o{0, 0};
    if (w->eltern) o = plFensterClientBildschirm(plFensterVon(w->eltern));
    *rc = plRechteckVerschoben(w->rect, o.x, o.y);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rc)
{
    if (!rc) return FALSE;
    plWmZustand& wm = plWm();
    if (hwnd == wm.desktop) {
        RECT r = plFensterOderDesktop(hwnd)->rect;
        *rc = RECT{0, 0, r.right - r.left, r.bottom - r.top};
        return TRUE;
    }
    plFenster* w = plFensterVon(hwnd);
    if (!w) return FALSE;
    *rc = plFensterClient(w);
    return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rc, DWORD style, BOOL menu, DWORD exStyle)
{
    if (!rc) return FALSE;
    plFenster t;
    t.stil = style & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL);  // as on Windows: scroll bars not counted
    t.exStil = exStyle;
    t.eltern = (style & WS_CHILD) ? 1 : 0;
    t.menue = menu ? 1 : 0;
    t.rect = *rc;
    if (!t.eltern) {
        RECT aus{0, 0, 0, 0};
        if (plBeRahmen(0, style, exStyle, &aus)) {
            t.wmRahmen = true;
            t.wmAusmass = aus;
        }
    }
    plRaender r = plFensterRaender(&t);
    rc->left -= r.links;
    rc->top -= r.oben;
    rc->right += r.rechts;
    rc->bottom += r.unten;
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rc, DWORD style, BOOL menu)
{
    return AdjustWindowRectEx(rc, style, menu, 0);
}

static bool platzUrsprung(HWND h, POINT& o)
{
    plWmZustand& wm = plWm();
    if (!h || h == wm.desktop) {
        o = POINT{0, 0};
        return true;
    }
    plFenster* w = plFensterVon(h);
    if (!w) return false;
    o = plFensterClientBildschirm(w);
    return true;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt)
{
    POINT o;
    if (!pt || !platzUrsprung(hwnd, o) || !hwnd) return FALSE;
    pt->x += o.x;
    pt->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt)
{
    POINT o;
    if (!pt || !platzUrsprung(hwnd, o) || !hwnd) return FALSE;
    pt->x -= o.x;
    pt->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT n)
{
    POINT a, b;
    if (!platzUrsprung(from, a) || !platzUrsprung(to, b)) return 0;
    LONG dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; pts && i < n; ++i) {
        pts[i].x += dx;
        pts[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

// The deepest visible window under a screen point; with `nurFreie`, disabled
// children are passed over (their parent gets the point) as WindowFromPoint
// does.
HWND plFensterUnterPunkt(POINT pt, bool nurFreie)
{
    plWmZustand& wm = plWm();
    for (HWND h : plFensterOderDesktop(wm.desktop)->kinder) {
        plFenster* w = plFensterVon(h);
        if (!w || !(w->stil & WS_VISIBLE) || w->zeigeZustand == SW_SHOWMINIMIZED) continue;
        if (pt.x < w->rect.left || pt.x >= w->rect.right || pt.y < w->rect.top || pt.y >= w->rect.bottom) continue;
        HWND treffer = h;
        for (;;) {
            plFenster* p = plFensterVon(treffer);
            POINT c = plFensterClientBildschirm(p);
            RECT cr = plFensterClient(p);
            POINT q{pt.x - c.x, pt.y - c.y};
            if (q.x < 0 || q.y < 0 || q.x >= cr.right || q.y >= cr.bottom) break;
            HWND tiefer = 0;
            for (HWND k : p->kinder) {
                plFenster* kw = plFensterVon(k);
                if (!kw || !(kw->stil & WS_VISIBLE)) continue;
                if (nurFreie && (kw->stil & WS_DISABLED)) continue;
                if (q.x >= kw->rect.left && q.x < kw->rect.right && q.y >= kw->rect.top && q.y < kw->rect.bottom) {
                    tiefer = k;
                    break;
                }
            }
            if (!tiefer) break;
            treffer = tiefer;
        }
        return treffer;
    }
    return 0;
}

HWND WindowFromPoint(POINT pt)
{
    return plFensterUnterPunkt(pt, true);
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags)
{
    plFenster* p = plFensterOderDesktop(parent);
    if (!p) return 0;
    RECT cr = parent == plWm().desktop ? plFensterOderDesktop(parent)->rect : plFensterClient(p);
    if (pt.x < cr.left || pt.y < cr.top || pt.x >= cr.right || pt.y >= cr.bottom) return 0;
    for (HWND k : p->kinder) {
        plFenster* kw = plFensterVon(k);
        if (!kw) continue;
        if ((flags & CWP_SKIPINVISIBLE) && !(kw->stil & WS_VISIBLE)) continue;
        if ((flags & CWP_SKIPDISABLED) && (kw->stil & WS_DISABLED)) continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (kw->exStil & WS_EX_TRANSPARENT)) continue;
        if (pt.x >= kw->rect.left && pt.x < kw->rect.right && pt.y >= kw->rect.top && pt.y < kw->rect.bottom) return k;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt)
{
    return ChildWindowFromPointEx(parent, pt, CWP_ALL);
}

// ---- Z-order ------------------------------------------------------------------------------------

void plFensterNachOben(HWND h)
{
    plFenster* w = plFensterVon(h);
    if (!w) return;
    std::vector<HWND>* l;
    platzSiblings(w, l);
    platzEntfernen(*l, h);
    if (w->eltern) {
        l->insert(l->begin(), h);
        return;
    }
    platzObenEinfuegen(*l, w);
    // Owned windows stay above their owner.
    std::vector<HWND> besessen;
    for (HWND o : *l) {
        plFenster* ow = plFensterVon(o);
        if (ow && ow->besitzer == h) besessen.push_back(o);
    }
    for (auto it = besessen.rbegin(); it != besessen.rend(); ++it) plFensterNachOben(*it);
}

static void platzZOrdnung(plFenster* w, HWND nach)
{
    std::vector<HWND>* l;
    platzSiblings(w, l);
    if (nach == HWND_TOPMOST) {
        w->exStil |= WS_EX_TOPMOST;
        plFensterNachOben(w->h);
    } else if (nach == HWND_NOTOPMOST) {
        w->exStil &= ~static_cast<DWORD>(WS_EX_TOPMOST);
        plFensterNachOben(w->h);
    } else if (nach == HWND_TOP) {
        plFensterNachOben(w->h);
    } else if (nach == HWND_BOTTOM) {
        platzEntfernen(*l, w->h);
        l->push_back(w->h);
    } else {
        auto it = std::find(l->begin(), l->end(), nach);
        if (it == l->end() || nach == w->h) return;
        platzEntfernen(*l, w->h);
        it = std::find(l->begin(), l->end(), nach);
        l->insert(it + 1, w->h);
    }
}

BOOL BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// ---- Showing -----------------------------------------------------------------------------------

void plFensterZeigenIntern(HWND h, bool zeigen, bool aktivieren)
{
    plFenster* w = plFensterVon(h);
    if (!w) return;
    bool war = (w->stil & WS_VISIBLE) != 0;
    if (war == zeigen) {
        if (zeigen && aktivieren && !w->eltern) plFokusAktivieren(h, WA_ACTIVE);
        return;
    }
    SendMessage(h, WM_SHOWWINDOW, zeigen ? TRUE : FALSE, 0);
    if (!(w = plFensterVon(h))) return;
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (zeigen ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (!aktivieren) flags |= SWP_NOACTIVATE;
    WINDOWPOS wp{h, 0, w->rect.left, w->rect.top, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top, flags};
    SendMessage(h, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = plFensterVon(h))) return;
    if (zeigen) {
        w->stil |= WS_VISIBLE;
        if (!w->eltern) {
            // The desktop asks the procedure (limits, icon), which may
            // destroy the window.
            plBeFensterZeigen(h, 1);
            if (!(w = plFensterVon(h))) return;
        }
        plFensterNcUngueltig(w);
        plFensterUngueltig(w, nullptr, true, true);
        if (aktivieren && !w->eltern) plFokusAktivieren(h, WA_ACTIVE);
    } else {
        plFokusFensterWeg(h);
        if (!(w = plFensterVon(h))) return;
        w->stil &= ~static_cast<DWORD>(WS_VISIBLE);
        if (!w->eltern)
            plBeFensterZeigen(h, 0);
        else
            platzInvalidierenBeiEltern(w, w->rect);
    }
    if (!(w = plFensterVon(h))) return;
    wp.flags = flags;
    SendMessage(h, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
}

static RECT platzMaxRect(const plFenster* w)
{
    RECT a;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &a, 0);
    int r = plFensterRaender(w).rahmen;
    if (w->eltern) {
        plFenster* p = plFensterVon(w->eltern);
        a = plFensterClient(p);
    }
    return RECT{a.left - r, a.top - r, a.right + r, a.bottom + r};
}

BOOL ShowWindow(HWND hwnd, int cmd)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return FALSE;
    BOOL war = (w->stil & WS_VISIBLE) ? TRUE : FALSE;
    bool oben = !w->eltern;
    switch (cmd) {
    case SW_HIDE: plFensterZeigenIntern(hwnd, false, false); break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
    case SW_SHOWNOACTIVATE: {
        bool akt = oben && cmd != SW_SHOWNOACTIVATE;
        if (w->zeigeZustand != SW_SHOWNORMAL) {
            w->zeigeZustand = SW_SHOWNORMAL;
            RECT n = w->normalRect;
            SetWindowPos(hwnd, 0, n.left, n.top, n.right - n.left, n.bottom - n.top,
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        plFensterZeigenIntern(hwnd, true, akt);
        break;
    }
    case SW_SHOW: plFensterZeigenIntern(hwnd, true, oben); break;
    case SW_SHOWNA: plFensterZeigenIntern(hwnd, true, false); break;
    case SW_SHOWMAXIMIZED: {
        if (w->zeigeZustand == SW_SHOWNORMAL) w->normalRect = w->rect;
        w->zeigeZustand = SW_SHOWMAXIMIZED;
        RECT m = platzMaxRect(w);
        SetWindowPos(hwnd, 0, m.left, m.top, m.right - m.left, m.bottom - m.top, SWP_NOZORDER | SWP_NOACTIVATE);
        plFensterZeigenIntern(hwnd, true, oben);
        break;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE: {
        if (w->zeigeZustand == SW_SHOWNORMAL) w->normalRect = w->rect;
        bool warAktiv = plWm().aktiv == hwnd;
        if (!war) plFensterZeigenIntern(hwnd, true, false);
        if (!(w = plFensterVon(hwnd))) return war;
        w->zeigeZustand = SW_SHOWMINIMIZED;
        SetWindowPos(hwnd, 0, PLATZ_MIN_X, PLATZ_MIN_X, PLATZ_MIN_BREITE, GetSystemMetrics(SM_CYCAPTION) + 8,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (warAktiv && cmd != SW_SHOWMINIMIZED) plFokusFensterWeg(hwnd);
        break;
    }
    default: return war;
    }
    return war;
}

BOOL IsWindowVisible(HWND hwnd)
{
    if (hwnd == plWm().desktop) return TRUE;
    plFenster* w = plFensterVon(hwnd);
    while (w) {
        if (!(w->stil & WS_VISIBLE)) return FALSE;
        if (!w->eltern) return TRUE;
        w = plFensterVon(w->eltern);
    }
    return FALSE;
}

BOOL IsIconic(HWND hwnd)
{
    plFenster* w = plFensterVon(hwnd);
    return (w && w->zeigeZustand == SW_SHOWMINIMIZED) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd)
{
    plFenster* w = plFensterVon(hwnd);
    return (w && w->zeigeZustand == SW_SHOWMAXIMIZED) ? TRUE : FALSE;
}

// ---- SetWindowPos -------------------------------------------------------------------------------

BOOL SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return FALSE;
    if (flags & SWP_NOSIZE) {
        cx = w->rect.right - w->rect.left;
        cy = w->rect.bottom - w->rect.top;
    }
    if (flags & SWP_NOMOVE) {
        x = w->rect.left;
        y = w->rect.top;
    }
    cx = std::max(cx, 0);
    cy = std::max(cy, 0);
    WINDOWPOS wp{hwnd, after, x, y, cx, cy, flags};
    if (!(flags & SWP_NOSENDCHANGING)) {
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        if (!(w = plFensterVon(hwnd))) return FALSE;
    }
    RECT alt = w->rect;
    RECT altClient = plFensterClient(w);
    RECT neu{wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0)};
    bool groesse = (neu.right - neu.left) != (alt.right - alt.left) || (neu.bottom - neu.top) != (alt.bottom - alt.top);
    bool lage = neu.left != alt.left || neu.top != alt.top;
    w->rect = neu;
    if (w->zeigeZustand == SW_SHOWNORMAL) w->normalRect = neu;
    if (!(wp.flags & SWP_NOZORDER)) platzZOrdnung(w, wp.hwndInsertAfter);
    if (!w->eltern && (groesse || lage)) plBeFensterPlatz(hwnd, &w->rect);
    if (groesse && !w->eltern) plFensterFlaecheAnpassen(w);
    RECT neuClient = plFensterClient(w);
    bool clientAnders = neuClient.right != altClient.right || neuClient.bottom != altClient.bottom;
    if (wp.flags & SWP_FRAMECHANGED) {
        RECT nc = w->rect;
        SendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&nc));
        if (!(w = plFensterVon(hwnd))) return FALSE;
    }
    if (!(wp.flags & SWP_NOREDRAW) && (w->stil & WS_VISIBLE)) {
        if (groesse || lage) platzInvalidierenBeiEltern(w, alt);
        if (groesse || (wp.flags & SWP_FRAMECHANGED)) plFensterNcUngueltig(w);
        UINT ks = w->klasse ? w->klasse->stil : 0;
        bool ganz = (w->eltern && lage) || (wp.flags & SWP_FRAMECHANGED) ||
                    ((ks & CS_HREDRAW) && neuClient.right != altClient.right) ||
                    ((ks & CS_VREDRAW) && neuClient.bottom != altClient.bottom);
        if (ganz) {
            plFensterUngueltig(w, nullptr, true, true);
        } else if (clientAnders) {
            RECT r1{altClient.right, 0, neuClient.right, neuClient.bottom};
            RECT r2{0, altClient.bottom, neuClient.right, neuClient.bottom};
            plFensterUngueltig(w, &r1, true, true);
            plFensterUngueltig(w, &r2, true, true);
        }
        if (w->eltern && (groesse || lage)) platzInvalidierenBeiEltern(w, w->rect);
    }
    if (wp.flags & SWP_SHOWWINDOW) plFensterZeigenIntern(hwnd, true, !(wp.flags & SWP_NOACTIVATE) && !w->eltern);
    if (wp.flags & SWP_HIDEWINDOW) plFensterZeigenIntern(hwnd, false, false);
    if (!(w = plFensterVon(hwnd))) return TRUE;
    if (!w->eltern && !(wp.flags & (SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_HIDEWINDOW)) && (w->stil & WS_VISIBLE))
        plFokusAktivieren(hwnd, WA_ACTIVE);
    if (!(w = plFensterVon(hwnd))) return TRUE;
    WINDOWPOS fertig = wp;
    if (!groesse && !clientAnders) fertig.flags |= SWP_NOSIZE;
    if (!lage) fertig.flags |= SWP_NOMOVE;
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&fertig));
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int w, int h, BOOL repaint)
{
    return SetWindowPos(hwnd, 0, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

// ---- Placement ----------------------------------------------------------------------------------

// A stored placement from another screen (or from before a change of
// resolution) comes back whole on the work area: too large shrinks to it,
// outside moves in.
static RECT platzAufBildschirm(RECT r)
{
    RECT a;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &a, 0);
    LONG b = std::min(r.right - r.left, a.right - a.left);
    LONG h = std::min(r.bottom - r.top, a.bottom - a.top);
    LONG x = std::clamp(r.left, a.left, a.right - b);
    LONG y = std::clamp(r.top, a.top, a.bottom - h);
    return RECT{x, y, x + b, y + h};
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* wp)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w || !wp) return FALSE;
    wp->length = sizeof *wp;
    wp->flags = w->platzFlags;
    wp->showCmd = static_cast<UINT>(w->zeigeZustand);
    wp->ptMinPosition = w->minPos;
    wp->ptMaxPosition = w->maxPos;
    wp->rcNormalPosition = w->zeigeZustand == SW_SHOWNORMAL ? w->rect : w->normalRect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* wp)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w || !wp) return FALSE;
    w->platzFlags = wp->flags;
    w->minPos = wp->ptMinPosition;
    w->maxPos = wp->ptMaxPosition;
    w->normalRect = wp->rcNormalPosition;
    if (!w->eltern) w->normalRect = platzAufBildschirm(w->normalRect);
    if (w->zeigeZustand == SW_SHOWNORMAL) {
        RECT n = w->normalRect;
        SetWindowPos(hwnd, 0, n.left, n.top, n.right - n.left, n.bottom - n.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!plFensterVon(hwnd)) return FALSE;
    int cmd = static_cast<int>(wp->showCmd);
    if (cmd == SW_HIDE) {
        ShowWindow(hwnd, SW_HIDE);
    } else {
        ShowWindow(hwnd, cmd);
    }
    return TRUE;
}
