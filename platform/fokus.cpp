// Window manager: keyboard focus, activation, enabling and mouse capture.
// See eingabe.h. Helpers: prefix `fokus`.
//
// Transitions (each made by the function named):
//  - activation A -> B (plFokusAktivieren): A gets WM_NCACTIVATE(FALSE) and
//    WM_ACTIVATE(WA_INACTIVE, B); when no window was active, every top-level
//    window gets WM_ACTIVATEAPP(TRUE); B goes on top and gets
//    WM_NCACTIVATE(TRUE) and WM_ACTIVATE(WA_ACTIVE or WA_CLICKACTIVE, A),
//    whose default handling gives B the focus (WM_KILLFOCUS to the old
//    focus, WM_SETFOCUS to B). A focus left outside B is taken away.
//  - a window hidden or destroyed (plFokusFensterWeg): capture inside it is
//    released (WM_CAPTURECHANGED), focus inside a child goes to its parent,
//    and when it was the active window its owner, else the topmost visible
//    enabled top-level window, is activated; when there is none, the last
//    one gets WM_NCACTIVATE(FALSE), WM_ACTIVATE(WA_INACTIVE, 0), and every
//    top-level window WM_ACTIVATEAPP(FALSE).
//  - focus (SetFocus): WM_KILLFOCUS(new) to the old window, then
//    WM_SETFOCUS(old) to the new one; a disabled window is refused.
//  - enabling (EnableWindow): WM_CANCELMODE when disabling, focus and
//    capture inside a disabled window are dropped, then WM_ENABLE.
#include "platform/backend.h"
#include "platform/fensterint.h"

namespace {

void fokusAppMelden(BOOL aktiv)
{
    std::vector<HWND> oben = plFensterOderDesktop(plWm().desktop)->kinder;
    for (HWND h : oben)
        if (plFensterVon(h)) SendMessage(h, WM_ACTIVATEAPP, aktiv, static_cast<LPARAM>(GetCurrentThreadId()));
}

bool fokusIn(HWND fenster, HWND f)
{
    return f && (f == fenster || IsChild(fenster, f));
}

void fokusWeg()
{
    plWmZustand& wm = plWm();
    HWND alt = wm.fokus;
    if (!alt) return;
    wm.fokus = 0;
    SendMessage(alt, WM_KILLFOCUS, 0, 0);
}

void fokusAllesDeaktivieren()
{
    plWmZustand& wm = plWm();
    HWND alt = wm.aktiv;
    if (!alt) return;
    wm.aktiv = 0;
    SendMessage(alt, WM_NCACTIVATE, FALSE, 0);
    SendMessage(alt, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(alt) ? 1 : 0), 0);
    fokusAppMelden(FALSE);
    fokusWeg();
}

bool fokusAktivierbar(const plFenster* w, HWND ausser)
{
    return w && w->h != ausser && !w->zerstoerung && !w->eltern && (w->stil & WS_VISIBLE) && !(w->stil & WS_DISABLED) &&
           w->zeigeZustand != SW_SHOWMINIMIZED && !(w->exStil & WS_EX_NOACTIVATE);
}

void fokusCaptureWeg()
{
    plWmZustand& wm = plWm();
    HWND alt = wm.capture;
    if (!alt) return;
    wm.capture = 0;
    SendMessage(alt, WM_CAPTURECHANGED, 0, 0);
}

}  // namespace

bool plFokusAktivieren(HWND h, int wa)
{
    plWmZustand& wm = plWm();
    plFenster* w = plFensterVon(h);
    if (!w || w->eltern || w->zerstoerung || (w->stil & WS_DISABLED)) return false;
    if (wm.aktiv == h) {
        plFensterNachOben(h);
        return true;
    }
    HWND alt = wm.aktiv;
    if (alt && plFensterVon(alt)) {
        SendMessage(alt, WM_NCACTIVATE, FALSE, 0);
        SendMessage(alt, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(alt) ? 1 : 0), static_cast<LPARAM>(h));
    } else {
        fokusAppMelden(TRUE);
    }
    if (!(w = plFensterVon(h)) || w->zerstoerung) return false;
    wm.aktiv = h;
    plFensterNachOben(h);
    plBeFensterAktivieren(h);
    SendMessage(h, WM_NCACTIVATE, TRUE, 0);
    SendMessage(h, WM_ACTIVATE, MAKEWPARAM(static_cast<WORD>(wa), IsIconic(h) ? 1 : 0), static_cast<LPARAM>(alt));
    if (wm.aktiv == h && wm.fokus && !fokusIn(h, wm.fokus)) fokusWeg();
    return true;
}

void plFokusFensterWeg(HWND h)
{
    plWmZustand& wm = plWm();
    plFenster* w = plFensterVon(h);
    if (!w) return;
    if (fokusIn(h, wm.capture)) fokusCaptureWeg();
    if (!(w = plFensterVon(h))) return;
    if (w->eltern && fokusIn(h, wm.fokus)) {
        plFenster* p = plFensterVon(w->eltern);
        if (p && !p->zerstoerung && plFensterFrei(p))
            SetFocus(w->eltern);
        else
            fokusWeg();
    }
    if (wm.aktiv != h) return;
    plFenster* o = plFensterVon(w->besitzer);
    if (fokusAktivierbar(o, h) && plFokusAktivieren(o->h, WA_ACTIVE)) return;
    std::vector<HWND> oben = plFensterOderDesktop(wm.desktop)->kinder;
    for (HWND k : oben)
        if (fokusAktivierbar(plFensterVon(k), h) && plFokusAktivieren(k, WA_ACTIVE)) return;
    if (wm.aktiv == h) fokusAllesDeaktivieren();
}

void plFokusProgrammInaktiv()
{
    fokusAllesDeaktivieren();
}

void plFokusEnde()
{
    plWmZustand& wm = plWm();
    wm.aktiv = 0;
    wm.fokus = 0;
    wm.capture = 0;
}

// ---- Focus and activation -------------------------------------------------------------------------

HWND SetFocus(HWND hwnd)
{
    plWmZustand& wm = plWm();
    HWND alt = wm.fokus;
    if (!hwnd) {
        fokusWeg();
        return alt;
    }
    plFenster* w = plFensterVon(hwnd);
    if (!w || w->zerstoerung || !plFensterFrei(w)) return 0;
    if (hwnd == alt) return alt;
    HWND oben = plFensterOben(hwnd);
    if (oben != wm.aktiv && !plFokusAktivieren(oben, WA_ACTIVE)) return 0;
    if (!plFensterVon(hwnd) || wm.fokus == hwnd) return alt;
    HWND vorher = wm.fokus;
    wm.fokus = hwnd;
    if (vorher) SendMessage(vorher, WM_KILLFOCUS, static_cast<WPARAM>(hwnd), 0);
    if (wm.fokus == hwnd && plFensterVon(hwnd)) SendMessage(hwnd, WM_SETFOCUS, static_cast<WPARAM>(vorher), 0);
    return alt;
}

HWND GetFocus()
{
    return plWm().fokus;
}

HWND SetActiveWindow(HWND hwnd)
{
    plWmZustand& wm = plWm();
    HWND alt = wm.aktiv;
    if (!plFensterVon(hwnd)) return 0;
    if (!plFokusAktivieren(plFensterOben(hwnd), WA_ACTIVE)) return 0;
    return alt;
}

HWND GetActiveWindow()
{
    return plWm().aktiv;
}

BOOL SetForegroundWindow(HWND hwnd)
{
    if (!plFensterVon(hwnd)) return FALSE;
    return plFokusAktivieren(plFensterOben(hwnd), WA_ACTIVE) ? TRUE : FALSE;
}

HWND GetForegroundWindow()
{
    return plWm().aktiv;
}

// ---- Enabling ----------------------------------------------------------------------------------------

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    plWmZustand& wm = plWm();
    plFenster* w = plFensterVon(hwnd);
    if (!w) return FALSE;
    BOOL warAus = (w->stil & WS_DISABLED) ? TRUE : FALSE;
    if ((enable != 0) == !warAus) return warAus;
    if (!enable) {
        SendMessage(hwnd, WM_CANCELMODE, 0, 0);
        if (!(w = plFensterVon(hwnd))) return warAus;
        w->stil |= WS_DISABLED;
        if (fokusIn(hwnd, wm.fokus)) fokusWeg();
        if (fokusIn(hwnd, wm.capture)) fokusCaptureWeg();
    } else {
        w->stil &= ~static_cast<DWORD>(WS_DISABLED);
    }
    if (plFensterVon(hwnd)) SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return warAus;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    plFenster* w = plFensterVon(hwnd);
    return (w && !(w->stil & WS_DISABLED)) ? TRUE : FALSE;
}

// ---- Capture ------------------------------------------------------------------------------------------

HWND SetCapture(HWND hwnd)
{
    plWmZustand& wm = plWm();
    HWND alt = wm.capture;
    plFenster* w = plFensterVon(hwnd);
    if (!w || w->zerstoerung) return alt;
    if (alt == hwnd) return alt;
    wm.capture = hwnd;
    if (alt && plFensterVon(alt)) SendMessage(alt, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(hwnd));
    return alt;
}

BOOL ReleaseCapture()
{
    fokusCaptureWeg();
    return TRUE;
}

HWND GetCapture()
{
    return plWm().capture;
}
