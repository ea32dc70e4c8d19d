// Window manager: state, classes, creation and destruction of windows, long
// values, relations, texts, search and enumeration. See fenster.h and the
// invariants in fensterint.h. File-static helpers: prefix `fenster`.
// May call: the other window-manager files through fensterint.h, gdi.h,
// systemwerte.h, backend.h.
//
// Creation sends, in this order: WM_GETMINMAXINFO (top-level windows with a
// caption or sizing frame), WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE,
// WM_MOVE, WM_PARENTNOTIFY to the parents of a child; then, for WS_VISIBLE,
// the show sequence of ShowWindow (fensterplatz.cpp).
// Destruction: owned windows first (each completely), WM_PARENTNOTIFY, the
// window hidden (activation and focus move on), then WM_DESTROY top-down to
// the window and all its descendants, then WM_NCDESTROY bottom-up, each
// window leaving the table after its WM_NCDESTROY.
#include <cstring>
#include <functional>

#include "platform/backend.h"
#include "platform/eingabe.h"
#include "platform/fensterint.h"
#include "platform/menue.h"
#include "platform/gdi.h"
#include "platform/gdiint.h"
#include "platform/systemwerte.h"
#include "platform/klasseint.h"

namespace {

plWmZustand* wmZustand = nullptr;

LRESULT fensterDesktopProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_ERASEBKGND) return 1;
    return DefWindowProc(h, msg, wp, lp);
}

void fensterStart(plWmZustand& wm)
{
    wm.gestartet = true;
    plBackendWaehlen();
    // Only after the backend: its start sets environment variables, and the
    // font map's fontconfig thread reads the environment while it loads.
    gdiSchriftenVorbereiten();
    auto k = std::make_unique<plKlasse>();
    k->name = "#32769";
    k->proc = fensterDesktopProc;
    k->atom = 32769;
    plKlasse* kp = k.get();
    wm.klassen.push_back(std::move(k));
    auto d = std::make_unique<plFenster>();
    d->klasse = kp;
    d->proc = kp->proc;
    d->stil = WS_VISIBLE | WS_CLIPCHILDREN | WS_POPUP;
    int b = PL_BILDSCHIRM_BREITE, hh = PL_BILDSCHIRM_HOEHE, dpi = PL_BILDSCHIRM_DPI;
    plBeBildschirm(&b, &hh, &dpi);
    d->rect = RECT{0, 0, b, hh};
    if (b != PL_BILDSCHIRM_BREITE || hh != PL_BILDSCHIRM_HOEHE || dpi != PL_BILDSCHIRM_DPI) {
        GdiGeraet g = gdiBildschirm();
        g.horzres = b;
        g.vertres = hh;
        g.logpixelsx = g.logpixelsy = dpi;
        g.horzsize = b * 254 / (dpi * 10);
        g.vertsize = hh * 254 / (dpi * 10);
        gdiBildschirmSetzen(g);
    }
    d->erstellt = true;
    kp->fenster++;
    wm.desktop = wm.fenster.anlegen(std::move(d));
    wm.fenster.finden(wm.desktop)->h = wm.desktop;
}

char fensterKlein(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

plKlasse* fensterKlasseFinden(LPCSTR name)
{
    plWmZustand& wm = plWm();
    if (!name) return nullptr;
    if (IS_INTRESOURCE(name)) {
        ATOM a = static_cast<ATOM>(reinterpret_cast<uintptr_t>(name));
        for (auto& k : wm.klassen)
            if (k->atom == a) return k.get();
        return nullptr;
    }
    for (auto& k : wm.klassen)
        if (plTextGleich(k->name.c_str(), name)) return k.get();
    return nullptr;
}

// Where a new window goes in its parent's list: children at the bottom (so
// the first created is the first of GW_CHILD and of the tab order), top-level
// windows on top.
void fensterEinhaengen(plFenster* w)
{
    plFenster* p = plFensterOderDesktop(w->eltern ? w->eltern : plWm().desktop);
    if (w->eltern)
        p->kinder.push_back(w->h);
    else
        p->kinder.insert(p->kinder.begin(), w->h);
}

void fensterAushaengen(plFenster* w)
{
    plFenster* p = plFensterOderDesktop(w->eltern ? w->eltern : plWm().desktop);
    if (!p) return;
    auto& k = p->kinder;
    for (auto it = k.begin(); it != k.end(); ++it)
        if (*it == w->h) {
            k.erase(it);
            return;
        }
}

void fensterElternMelden(HWND h, UINT ereignis)
{
    plFenster* w = plFensterVon(h);
    if (!w || !w->eltern || (w->exStil & WS_EX_NOPARENTNOTIFY)) return;
    WPARAM wp = MAKEWPARAM(ereignis, static_cast<WORD>(w->id));
    HWND p = w->eltern;
    while (p) {
        plFenster* pw = plFensterVon(p);
        if (!pw) break;
        HWND weiter = pw->eltern;
        bool melden = !(pw->exStil & WS_EX_NOPARENTNOTIFY);
        SendMessage(p, WM_PARENTNOTIFY, wp, static_cast<LPARAM>(h));
        if (!melden) break;
        p = weiter;
    }
}

void fensterStandardPlatz(DWORD stil, int& x, int& y, int& cx, int& cy)
{
    plWmZustand& wm = plWm();
    RECT arbeit;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &arbeit, 0);
    if (x == CW_USEDEFAULT) {
        int n = wm.nextDefaultPos++ % 8;
        x = 26 * n;
        y = 26 * n;
        if (cx == CW_USEDEFAULT && !(stil & WS_POPUP)) {
            cx = (arbeit.right - arbeit.left) * 3 / 4;
            cy = (arbeit.bottom - arbeit.top) * 3 / 4;
        }
    }
    if (cx == CW_USEDEFAULT) {
        cx = (stil & WS_POPUP) ? 0 : (arbeit.right - arbeit.left) * 3 / 4;
        cy = (stil & WS_POPUP) ? 0 : (arbeit.bottom - arbeit.top) * 3 / 4;
    }
    if (y == CW_USEDEFAULT) y = 0;
}

void fensterMinMax(HWND h, int& cx, int& cy)
{
    MINMAXINFO mm{};
    mm.ptMaxSize = POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    mm.ptMaxPosition = POINT{-GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME)};
    mm.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mm.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm));
    if (cx > mm.ptMaxTrackSize.x) cx = mm.ptMaxTrackSize.x;
    if (cy > mm.ptMaxTrackSize.y) cy = mm.ptMaxTrackSize.y;
    if (cx < mm.ptMinTrackSize.x) cx = mm.ptMinTrackSize.x;
    if (cy < mm.ptMinTrackSize.y) cy = mm.ptMinTrackSize.y;
}

void fensterFreigeben(HWND h)
{
    plWmZustand& wm = plWm();
    plFenster* w = plFensterVon(h);
    if (!w) return;
    plNachrichtTimerWeg(h);
    plCaretFensterWeg(h);
    plFensterDcsFrei(h);
    fensterAushaengen(w);
    if (!w->eltern) {
        plBeFensterZerstoeren(h);
        plFensterFlaecheFrei(w);
    }
    if (w->klasse) w->klasse->fenster--;
    if (wm.fokus == h) wm.fokus = 0;
    if (wm.aktiv == h) wm.aktiv = 0;
    if (wm.capture == h) wm.capture = 0;
    wm.fenster.freigeben(h);
}

void fensterDestroyRek(HWND h)
{
    if (!plFensterVon(h)) return;
    SendMessage(h, WM_DESTROY, 0, 0);
    plFenster* w = plFensterVon(h);
    if (!w) return;
    std::vector<HWND> kinder = w->kinder;
    for (HWND k : kinder) {
        plFenster* kw = plFensterVon(k);
        if (kw) kw->zerstoerung = true;
        fensterDestroyRek(k);
    }
}

void fensterNcDestroyRek(HWND h)
{
    plFenster* w = plFensterVon(h);
    if (!w) return;
    std::vector<HWND> kinder = w->kinder;
    for (HWND k : kinder) fensterNcDestroyRek(k);
    SendMessage(h, WM_NCDESTROY, 0, 0);
    // A top-level window takes its menu bar with it, as on Windows.
    if (plFenster* nw = plFensterVon(h); nw && nw->menue) {
        HMENU m = nw->menue;
        nw->menue = 0;
        DestroyMenu(m);
    }
    fensterFreigeben(h);
}

void fensterMarkieren(plFenster* w)
{
    w->zerstoerung = true;
    for (HWND k : w->kinder)
        if (plFenster* kw = plFensterVon(k)) fensterMarkieren(kw);
}

bool fensterExtraOk(const std::vector<uint8_t>& v, int index, size_t n)
{
    return index >= 0 && static_cast<size_t>(index) + n <= v.size();
}

LONG_PTR fensterLongHolen(HWND hwnd, int index, size_t breite)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return 0;
    if (index >= 0) {
        if (!fensterExtraOk(w->extra, index, breite)) return 0;
        if (breite == sizeof(LONG)) {
            LONG v;
            std::memcpy(&v, w->extra.data() + index, sizeof v);
            return v;
        }
        LONG_PTR v;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        return v;
    }
    switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE: return static_cast<LONG_PTR>(w->instanz);
    case GWL_HWNDPARENT: return static_cast<LONG_PTR>(w->eltern ? w->eltern : w->besitzer);
    case GWL_ID: return w->id;
    case GWL_STYLE: return static_cast<LONG>(w->stil);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStil);
    case GWL_USERDATA: return w->benutzer;
    default: return 0;
    }
}

void fensterStilSetzen(HWND hwnd, int index, DWORD neu)
{
    plFenster* w = plFensterVon(hwnd);
    STYLESTRUCT ss{index == GWL_STYLE ? w->stil : w->exStil, neu};
    SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    w = plFensterVon(hwnd);
    if (!w) return;
    if (index == GWL_STYLE)
        w->stil = ss.styleNew;
    else
        w->exStil = ss.styleNew;
    ss.styleOld = neu;
    SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
}

LONG_PTR fensterLongSetzen(HWND hwnd, int index, LONG_PTR wert, size_t breite)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return 0;
    LONG_PTR alt = fensterLongHolen(hwnd, index, breite);
    if (index >= 0) {
        if (!fensterExtraOk(w->extra, index, breite)) return 0;
        if (breite == sizeof(LONG)) {
            LONG v = static_cast<LONG>(wert);
            std::memcpy(w->extra.data() + index, &v, sizeof v);
        } else {
            std::memcpy(w->extra.data() + index, &wert, sizeof wert);
        }
        return alt;
    }
    switch (index) {
    case GWL_WNDPROC:
        if (wert) w->proc = reinterpret_cast<WNDPROC>(wert);
        break;
    case GWL_HINSTANCE: w->instanz = static_cast<HINSTANCE>(wert); break;
    case GWL_HWNDPARENT:
        if (!w->eltern) {
            HWND b = static_cast<HWND>(wert);
            w->besitzer = (b && plFensterVon(b)) ? plFensterOben(b) : 0;
        }
        break;
    case GWL_ID: w->id = wert; break;
    case GWL_STYLE:
    case GWL_EXSTYLE: fensterStilSetzen(hwnd, index, static_cast<DWORD>(wert)); break;
    case GWL_USERDATA: w->benutzer = wert; break;
    default: return 0;
    }
    return alt;
}

bool fensterKlassePasst(const plFenster* w, LPCSTR klasse)
{
    if (!klasse) return true;
    if (IS_INTRESOURCE(klasse)) return w->klasse && w->klasse->atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(klasse));
    return w->klasse && plTextGleich(w->klasse->name.c_str(), klasse);
}

void fensterAlleNachkommen(const plFenster* w, std::vector<HWND>& aus)
{
    for (HWND k : w->kinder) {
        aus.push_back(k);
        if (const plFenster* kw = plFensterVon(k)) fensterAlleNachkommen(kw, aus);
    }
}

}  // namespace

void plFensterMinMax(HWND h, int& cx, int& cy)
{
    fensterMinMax(h, cx, cy);
}

// ---- State -------------------------------------------------------------------------------

plWmZustand& plWm()
{
    if (!wmZustand) {
        wmZustand = new plWmZustand();
        fensterStart(*wmZustand);
    }
    return *wmZustand;
}

int plFensterSystemStart()
{
    plWm();
    return plBackendWaehlen();
}

void plFensterSystemEnde()
{
    if (!wmZustand) return;
    plWmZustand& wm = *wmZustand;
    std::vector<HWND> oben = plFensterOderDesktop(wm.desktop)->kinder;
    for (HWND h : oben) DestroyWindow(h);
    plNachrichtEnde();
    plEingabeEnde();
    plFokusEnde();
    plCursorEnde();
    plFensterMalEnde();
    plSystemEnde();
    wm.fenster.leeren();
    delete wmZustand;
    wmZustand = nullptr;
}

bool plTextGleich(const char* a, const char* b)
{
    if (!a || !b) return a == b;
    while (*a && *b) {
        if (fensterKlein(*a) != fensterKlein(*b)) return false;
        ++a;
        ++b;
    }
    return *a == *b;
}

plFenster* plFensterVon(HWND h)
{
    plWmZustand& wm = plWm();
    if (h == wm.desktop) return nullptr;
    return wm.fenster.finden(h);
}

plFenster* plFensterOderDesktop(HWND h)
{
    return plWm().fenster.finden(h);
}

bool plFensterIstOben(const plFenster* w)
{
    return w && w->eltern == 0;
}

HWND plFensterOben(HWND h)
{
    plFenster* w = plFensterVon(h);
    while (w && w->eltern) w = plFensterVon(w->eltern);
    return w ? w->h : 0;
}

LRESULT plFensterRufen(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    plFenster* w = plFensterVon(h);
    if (!w) {
        if (h && h == plWm().desktop) return fensterDesktopProc(h, msg, wp, lp);
        return 0;
    }
    WNDPROC p = w->proc;
    if (!p) return DefWindowProc(h, msg, wp, lp);
    return p(h, msg, wp, lp);
}

// ---- Classes -------------------------------------------------------------------------------

ATOM RegisterClassEx(const WNDCLASSEX* wc)
{
    plWmZustand& wm = plWm();
    if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
    if (wc->cbClsExtra < 0 || wc->cbWndExtra < 0 || wc->cbClsExtra > PL_FENSTER_EXTRASUP ||
        wc->cbWndExtra > PL_FENSTER_EXTRASUP)
        return 0;
    if (IS_INTRESOURCE(wc->lpszClassName) || fensterKlasseFinden(wc->lpszClassName)) return 0;
    auto k = std::make_unique<plKlasse>();
    k->name = wc->lpszClassName;
    k->stil = wc->style;
    k->proc = wc->lpfnWndProc;
    k->clsExtra = wc->cbClsExtra;
    k->wndExtra = wc->cbWndExtra;
    k->instanz = wc->hInstance;
    k->icon = wc->hIcon;
    k->iconKlein = wc->hIconSm;
    k->cursor = wc->hCursor;
    k->hintergrund = wc->hbrBackground;
    if (wc->lpszMenuName) {
        k->menueIstZahl = IS_INTRESOURCE(wc->lpszMenuName);
        k->menueName = k->menueIstZahl ? std::to_string(reinterpret_cast<uintptr_t>(wc->lpszMenuName))
                                       : std::string(wc->lpszMenuName);
    }
    k->extra.assign(static_cast<size_t>(wc->cbClsExtra), 0);
    // Atoms of the string-atom range, never reused while the program runs.
    static ATOM naechstesAtom = 0xC000;
    if (naechstesAtom == 0xFFFF) return 0;
    k->atom = naechstesAtom++;
    ATOM a = k->atom;
    wm.klassen.push_back(std::move(k));
    return a;
}

void plKlasseSichern(LPCSTR name, WNDPROC proc, UINT stil, int fensterExtra, LPCSTR cursor)
{
    WNDCLASS wc{};
    if (GetClassInfo(0, name, &wc)) return;
    wc.style = stil;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = fensterExtra;
    wc.hCursor = plCursorSystem(cursor);
    wc.lpszClassName = name;
    RegisterClass(&wc);
}

void plSchriftMessen(HWND h, HFONT font, const std::function<void(HDC, const TEXTMETRIC&)>& messen)
{
    HDC hdc = GetDC(h);
    if (!hdc) return;
    HGDIOBJ alt = SelectObject(hdc, font ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRIC tm{};
    GetTextMetrics(hdc, &tm);
    messen(hdc, tm);
    SelectObject(hdc, alt);
    ReleaseDC(h, hdc);
}

LRESULT plKlasseMalen(HWND h, void (*malen)(HWND, HDC))
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(h, &ps);
    if (hdc) malen(h, hdc);
    EndPaint(h, &ps);
    return 0;
}

LRESULT plSchlichtProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, int schriftSlot, void (*malen)(HWND, HDC))
{
    switch (msg) {
    case WM_SETFONT:
        SetWindowLongPtr(h, schriftSlot, static_cast<LONG_PTR>(wp));
        if (LOWORD(lp)) InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return GetWindowLongPtr(h, schriftSlot);
    case WM_SETTEXT: {
        LRESULT r = DefWindowProc(h, msg, wp, lp);
        InvalidateRect(h, nullptr, TRUE);
        return r;
    }
    case WM_ENABLE: InvalidateRect(h, nullptr, TRUE); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return plKlasseMalen(h, malen);
    default: return DefWindowProc(h, msg, wp, lp);
    }
}

ATOM RegisterClass(const WNDCLASS* wc)
{
    if (!wc) return 0;
    WNDCLASSEX ex{};
    ex.cbSize = sizeof ex;
    ex.style = wc->style;
    ex.lpfnWndProc = wc->lpfnWndProc;
    ex.cbClsExtra = wc->cbClsExtra;
    ex.cbWndExtra = wc->cbWndExtra;
    ex.hInstance = wc->hInstance;
    ex.hIcon = wc->hIcon;
    ex.hCursor = wc->hCursor;
    ex.hbrBackground = wc->hbrBackground;
    ex.lpszMenuName = wc->lpszMenuName;
    ex.lpszClassName = wc->lpszClassName;
    return RegisterClassEx(&ex);
}

BOOL UnregisterClass(LPCSTR name, HINSTANCE)
{
    plWmZustand& wm = plWm();
    plKlasse* k = fensterKlasseFinden(name);
    if (!k || k->fenster > 0 || k->name == "#32769") return FALSE;
    for (auto it = wm.klassen.begin(); it != wm.klassen.end(); ++it)
        if (it->get() == k) {
            wm.klassen.erase(it);
            return TRUE;
        }
    return FALSE;
}

BOOL GetClassInfoEx(HINSTANCE, LPCSTR name, WNDCLASSEX* wc)
{
    plKlasse* k = fensterKlasseFinden(name);
    if (!k || !wc) return FALSE;
    wc->cbSize = sizeof *wc;
    wc->style = k->stil;
    wc->lpfnWndProc = k->proc;
    wc->cbClsExtra = k->clsExtra;
    wc->cbWndExtra = k->wndExtra;
    wc->hInstance = k->instanz;
    wc->hIcon = k->icon;
    wc->hCursor = k->cursor;
    wc->hbrBackground = k->hintergrund;
    wc->lpszMenuName = k->menueName.empty() ? nullptr : k->menueName.c_str();
    wc->lpszClassName = name;
    wc->hIconSm = k->iconKlein;
    return k->atom;
}

BOOL GetClassInfo(HINSTANCE inst, LPCSTR name, WNDCLASS* wc)
{
    WNDCLASSEX ex;
    if (!wc || !GetClassInfoEx(inst, name, &ex)) return FALSE;
    wc->style = ex.style;
    wc->lpfnWndProc = ex.lpfnWndProc;
    wc->cbClsExtra = ex.cbClsExtra;
    wc->cbWndExtra = ex.cbWndExtra;
    wc->hInstance = ex.hInstance;
    wc->hIcon = ex.hIcon;
    wc->hCursor = ex.hCursor;
    wc->hbrBackground = ex.hbrBackground;
    wc->lpszMenuName = ex.lpszMenuName;
    wc->lpszClassName = ex.lpszClassName;
    return TRUE;
}

int GetClassName(HWND hwnd, LPSTR buf, int size)
{
    plFenster* w = plFensterOderDesktop(hwnd);
    if (!w || !w->klasse || !buf || size <= 0) return 0;
    size_t n = std::min(w->klasse->name.size(), static_cast<size_t>(size - 1));
    std::memcpy(buf, w->klasse->name.data(), n);
    buf[n] = '\0';
    return static_cast<int>(n);
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w || !w->klasse) return 0;
    plKlasse* k = w->klasse;
    if (index >= 0) {
        if (!fensterExtraOk(k->extra, index, sizeof(LONG_PTR))) return 0;
        ULONG_PTR v;
        std::memcpy(&v, k->extra.data() + index, sizeof v);
        return v;
    }
    switch (index) {
    case GCL_HBRBACKGROUND: return k->hintergrund;
    case GCL_HCURSOR: return k->cursor;
    case GCL_HICON: return k->icon;
    case GCL_HICONSM: return k->iconKlein;
    case GCL_WNDPROC: return reinterpret_cast<ULONG_PTR>(k->proc);
    case GCL_STYLE: return k->stil;
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(k->wndExtra);
    case GCL_CBCLSEXTRA: return static_cast<ULONG_PTR>(k->clsExtra);
    case GCLP_HMODULE: return k->instanz;
    default: return 0;
    }
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w || !w->klasse) return 0;
    plKlasse* k = w->klasse;
    ULONG_PTR alt = GetClassLongPtr(hwnd, index);
    if (index >= 0) {
        if (!fensterExtraOk(k->extra, index, sizeof(LONG_PTR))) return 0;
        std::memcpy(k->extra.data() + index, &value, sizeof value);
        return alt;
    }
    switch (index) {
    case GCL_HBRBACKGROUND: k->hintergrund = static_cast<HBRUSH>(value); break;
    case GCL_HCURSOR: k->cursor = static_cast<HCURSOR>(value); break;
    case GCL_HICON: k->icon = static_cast<HICON>(value); break;
    case GCL_HICONSM: k->iconKlein = static_cast<HICON>(value); break;
    case GCL_WNDPROC: k->proc = reinterpret_cast<WNDPROC>(value); break;
    case GCL_STYLE: k->stil = static_cast<UINT>(value); break;
    default: return 0;
    }
    return alt;
}

DWORD GetClassLong(HWND hwnd, int index)
{
    return static_cast<DWORD>(GetClassLongPtr(hwnd, index));
}

DWORD SetClassLong(HWND hwnd, int index, LONG value)
{
    return static_cast<DWORD>(SetClassLongPtr(hwnd, index, value));
}

// ---- Creation and destruction ---------------------------------------------------------------------

// Long because it is one ordered sequence of messages (see the top of the
// file); every step re-fetches the window, as any message may destroy it.
HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR name, DWORD style, int x, int y, int w, int h,
                    HWND parent, HMENU menu, HINSTANCE inst, LPVOID param)
{
    plWmZustand& wm = plWm();
    plKlasse* k = fensterKlasseFinden(className);
    if (!k || k->name == "#32769") return 0;
    bool kind = (style & WS_CHILD) != 0;
    HWND besitzer = 0;
    if (kind) {
        plFenster* p = plFensterVon(parent);
        if (!p || p->zerstoerung) return 0;
    } else if (parent && parent != wm.desktop) {
        plFenster* p = plFensterVon(parent);
        if (!p || p->zerstoerung) return 0;
        besitzer = plFensterOben(parent);
    }
    if (kind) {
        if (x == CW_USEDEFAULT) x = y = 0;
        if (w == CW_USEDEFAULT) w = h = 0;
    } else {
        fensterStandardPlatz(style, x, y, w, h);
    }

    auto neu = std::make_unique<plFenster>();
    neu->klasse = k;
    neu->proc = k->proc;
    neu->stil = style & ~static_cast<DWORD>(WS_VISIBLE);
    neu->exStil = exStyle;
    neu->eltern = kind ? parent : 0;
    neu->besitzer = besitzer;
    if (kind)
        neu->id = static_cast<LONG_PTR>(menu);
    else
        neu->menue = menu;
    neu->instanz = inst;
    neu->extra.assign(static_cast<size_t>(k->wndExtra), 0);
    neu->text = name ? name : "";
    neu->rect = RECT{x, y, x + std::max(w, 0), y + std::max(h, 0)};
    neu->normalRect = neu->rect;
    // A top-level window with a caption and no WS_POPUP has a caption even
    // when the style says WS_OVERLAPPED (0): Windows gives it one.
    if (!kind && !(style & WS_POPUP)) neu->stil |= WS_CAPTION | WS_CLIPSIBLINGS;
    HWND hwnd = wm.fenster.anlegen(std::move(neu));
    if (!hwnd) return 0;
    plFenster* fw = wm.fenster.finden(hwnd);
    fw->h = hwnd;
    k->fenster++;
    fensterEinhaengen(fw);
    if (!kind) {
        plFensterFlaecheAnpassen(fw);
        plBeFensterAnlegen(hwnd, &fw->rect, fw->stil, fw->exStil, besitzer);
        plBeFensterTitel(hwnd, fw->text.c_str());
        if (!(fw = plFensterVon(hwnd))) return 0;
        plFensterWmRahmenHolen(fw);
    }

    CREATESTRUCT cs{};
    cs.lpCreateParams = param;
    cs.hInstance = inst;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.x = x;
    cs.y = y;
    cs.cx = w;
    cs.cy = h;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = name;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;

    if (!kind && (style & (WS_CAPTION | WS_THICKFRAME))) {
        int cx = w, cy = h;
        fensterMinMax(hwnd, cx, cy);
        if ((fw = plFensterVon(hwnd)) == nullptr) return 0;
        if (cx != w || cy != h) {
            fw->rect.right = fw->rect.left + cx;
            fw->rect.bottom = fw->rect.top + cy;
            fw->normalRect = fw->rect;
            plFensterFlaecheAnpassen(fw);
            plBeFensterPlatz(hwnd, &fw->rect);
            cs.cx = cx;
            cs.cy = cy;
        }
    }
    if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (plFensterVon(hwnd)) {
            fensterMarkieren(plFensterVon(hwnd));
            fensterNcDestroyRek(hwnd);
        }
        return 0;
    }
    if (!plFensterVon(hwnd)) return 0;
    RECT nc = plFensterVon(hwnd)->rect;
    SendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&nc));
    if (!plFensterVon(hwnd)) return 0;
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return 0;
    }
    if (!(fw = plFensterVon(hwnd))) return 0;
    fw->erstellt = true;
    RECT c = plFensterClient(fw);
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right, c.bottom));
    if (!(fw = plFensterVon(hwnd))) return 0;
    POINT o = fw->eltern ? POINT{fw->rect.left + plFensterRaender(fw).links, fw->rect.top + plFensterRaender(fw).oben}
                         : plFensterClientBildschirm(fw);
    SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(o.x, o.y));
    fensterElternMelden(hwnd, WM_CREATE);
    if (!plFensterVon(hwnd)) return 0;
    if (style & WS_VISIBLE) {
        if (!kind && (style & WS_MAXIMIZE))
            ShowWindow(hwnd, SW_SHOWMAXIMIZED);
        else if (!kind && (style & WS_MINIMIZE))
            ShowWindow(hwnd, SW_SHOWMINIMIZED);
        else
            plFensterZeigenIntern(hwnd, true, !kind && !(exStyle & WS_EX_NOACTIVATE));
    }
    return plFensterVon(hwnd) ? hwnd : 0;
}

BOOL DestroyWindow(HWND hwnd)
{
    plWmZustand& wm = plWm();
    plFenster* w = plFensterVon(hwnd);
    if (!w) return FALSE;
    if (w->zerstoerung) return TRUE;
    if (!w->eltern) {
        std::vector<HWND> besessen;
        for (HWND o : plFensterOderDesktop(wm.desktop)->kinder) {
            plFenster* ow = plFensterVon(o);
            if (ow && ow->besitzer == hwnd) besessen.push_back(o);
        }
        for (HWND o : besessen) DestroyWindow(o);
        if (!(w = plFensterVon(hwnd)) || w->zerstoerung) return TRUE;
    } else {
        // Its held paints need it alive (headless).
        plFensterMalVorWeg(hwnd, true);
        if (!(w = plFensterVon(hwnd)) || w->zerstoerung) return TRUE;
    }
    fensterElternMelden(hwnd, WM_DESTROY);
    if (!(w = plFensterVon(hwnd)) || w->zerstoerung) return TRUE;
    fensterMarkieren(w);
    if (w->stil & WS_VISIBLE) plFensterZeigenIntern(hwnd, false, false);
    plFokusFensterWeg(hwnd);
    fensterDestroyRek(hwnd);
    fensterNcDestroyRek(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd)
{
    return plFensterOderDesktop(hwnd) != nullptr;
}

HWND GetDesktopWindow()
{
    return plWm().desktop;
}

// ---- Long values -------------------------------------------------------------------------------

LONG GetWindowLong(HWND hwnd, int index)
{
    return static_cast<LONG>(fensterLongHolen(hwnd, index, sizeof(LONG)));
}

LONG SetWindowLong(HWND hwnd, int index, LONG value)
{
    return static_cast<LONG>(fensterLongSetzen(hwnd, index, value, sizeof(LONG)));
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
    return fensterLongHolen(hwnd, index, sizeof(LONG_PTR));
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    return fensterLongSetzen(hwnd, index, value, sizeof(LONG_PTR));
}

WORD GetWindowWord(HWND hwnd, int index)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w || !fensterExtraOk(w->extra, index, sizeof(WORD))) return 0;
    WORD v;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
}

WORD SetWindowWord(HWND hwnd, int index, WORD value)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w || !fensterExtraOk(w->extra, index, sizeof(WORD))) return 0;
    WORD alt;
    std::memcpy(&alt, w->extra.data() + index, sizeof alt);
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return alt;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (!proc) return 0;
    return proc(hwnd, msg, wp, lp);
}

// ---- Relations -----------------------------------------------------------------------------------

HWND GetParent(HWND hwnd)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return 0;
    if (w->eltern) return w->eltern;
    return (w->stil & WS_POPUP) ? w->besitzer : 0;
}

HWND SetParent(HWND child, HWND newParent)
{
    plWmZustand& wm = plWm();
    plFenster* w = plFensterVon(child);
    if (!w || w->zerstoerung) return 0;
    if (newParent == wm.desktop) newParent = 0;
    if (newParent) {
        plFenster* p = plFensterVon(newParent);
        if (!p || p->zerstoerung || newParent == child || IsChild(child, newParent)) return 0;
    }
    plFensterMalVorWeg(child, false);
    if (!(w = plFensterVon(child)) || w->zerstoerung) return 0;
    HWND alt = w->eltern ? w->eltern : wm.desktop;
    bool sichtbar = (w->stil & WS_VISIBLE) != 0;
    if (sichtbar && w->eltern) {
        plFenster* p = plFensterVon(w->eltern);
        RECT r = w->rect;
        if (p) plFensterUngueltig(p, &r, true, true);
    }
    bool warOben = w->eltern == 0;
    fensterAushaengen(w);
    w->eltern = newParent;
    if (newParent) {
        plFenster* p = plFensterVon(newParent);
        p->kinder.insert(p->kinder.begin(), child);
        if (warOben) {
            plBeFensterZerstoeren(child);
            plFensterFlaecheFrei(w);
            w->malSpur.clear();
            if (wm.aktiv == child) wm.aktiv = plFensterOben(newParent);
        }
    } else {
        plFensterOderDesktop(wm.desktop)->kinder.insert(plFensterOderDesktop(wm.desktop)->kinder.begin(), child);
        if (!warOben) {
            plFensterFlaecheAnpassen(w);
            plBeFensterAnlegen(child, &w->rect, w->stil, w->exStil, w->besitzer);
            plBeFensterTitel(child, w->text.c_str());
            w->wmRahmen = false;
            plFensterWmRahmenHolen(w);
            if (sichtbar) plBeFensterZeigen(child, 1);
        }
    }
    plFensterNcUngueltig(w);
    plFensterUngueltig(w, nullptr, true, true);
    return alt;
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
    plWmZustand& wm = plWm();
    plFenster* w = plFensterVon(hwnd);
    if (!w) return 0;
    switch (flags) {
    case GA_PARENT: return w->eltern ? w->eltern : wm.desktop;
    case GA_ROOT: return plFensterOben(hwnd);
    case GA_ROOTOWNER: {
        HWND r = plFensterOben(hwnd);
        for (;;) {
            HWND o = GetParent(r);
            if (!o) return r;
            r = plFensterOben(o);
        }
    }
    default: return 0;
    }
}

HWND GetWindow(HWND hwnd, UINT cmd)
{
    plWmZustand& wm = plWm();
    plFenster* w = plFensterOderDesktop(hwnd);
    if (!w) return 0;
    if (cmd == GW_CHILD) return w->kinder.empty() ? 0 : w->kinder.front();
    if (cmd == GW_OWNER) return w->besitzer;
    if (hwnd == wm.desktop) return 0;
    const std::vector<HWND>& ges = plFensterOderDesktop(w->eltern ? w->eltern : wm.desktop)->kinder;
    size_t i = 0;
    while (i < ges.size() && ges[i] != hwnd) ++i;
    if (i == ges.size()) return 0;
    switch (cmd) {
    case GW_HWNDFIRST: return ges.front();
    case GW_HWNDLAST: return ges.back();
    case GW_HWNDNEXT: return i + 1 < ges.size() ? ges[i + 1] : 0;
    case GW_HWNDPREV: return i > 0 ? ges[i - 1] : 0;
    default: return 0;
    }
}

HWND GetTopWindow(HWND hwnd)
{
    return GetWindow(hwnd ? hwnd : plWm().desktop, GW_CHILD);
}

HWND GetNextWindow(HWND hwnd, UINT cmd)
{
    return GetWindow(hwnd, cmd);
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w || !parent) return FALSE;
    while (w && w->eltern) {
        if (w->eltern == parent) return TRUE;
        w = plFensterVon(w->eltern);
    }
    return FALSE;
}

int GetDlgCtrlID(HWND hwnd)
{
    plFenster* w = plFensterVon(hwnd);
    return (w && w->eltern) ? static_cast<int>(w->id) : 0;
}

HWND FindWindowEx(HWND parent, HWND after, LPCSTR className, LPCSTR title)
{
    plWmZustand& wm = plWm();
    plFenster* p = plFensterOderDesktop(parent ? parent : wm.desktop);
    if (!p) return 0;
    bool suchen = after == 0;
    for (HWND k : p->kinder) {
        if (!suchen) {
            suchen = k == after;
            continue;
        }
        plFenster* w = plFensterVon(k);
        if (!w || w->zerstoerung) continue;
        if (fensterKlassePasst(w, className) && (!title || w->text == title)) return k;
    }
    return 0;
}

plSysBefehlFn plFensterSysBefehlHook = nullptr;
plFremdFensterFn plFensterFremdHook = nullptr;

void plFensterSysBefehlHookSetzen(plSysBefehlFn f)
{
    plFensterSysBefehlHook = f;
}

void plFensterFremdHookSetzen(plFremdFensterFn f)
{
    plFensterFremdHook = f;
}

HWND FindWindow(LPCSTR className, LPCSTR title)
{
    HWND h = FindWindowEx(0, 0, className, title);
    if (!h && className && plFensterFremdHook) h = plFensterFremdHook(className, title);
    return h;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lp)
{
    plFenster* p = plFensterOderDesktop(parent ? parent : plWm().desktop);
    if (!p || !proc) return FALSE;
    std::vector<HWND> alle;
    fensterAlleNachkommen(p, alle);
    for (HWND h : alle) {
        if (!plFensterVon(h)) continue;
        if (!proc(h, lp)) break;
    }
    return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lp)
{
    if (!proc) return FALSE;
    std::vector<HWND> oben = plFensterOderDesktop(plWm().desktop)->kinder;
    for (HWND h : oben) {
        if (!plFensterVon(h)) continue;
        if (!proc(h, lp)) break;
    }
    return TRUE;
}

// ---- Text and menu ---------------------------------------------------------------------------------

BOOL SetWindowText(HWND hwnd, LPCSTR text)
{
    if (!plFensterVon(hwnd)) return FALSE;
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, LPSTR buf, int size)
{
    if (!buf || size <= 0) return 0;
    buf[0] = '\0';
    if (!plFensterVon(hwnd)) return 0;
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buf)));
}

int GetWindowTextLength(HWND hwnd)
{
    if (!plFensterVon(hwnd)) return 0;
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

HMENU GetMenu(HWND hwnd)
{
    plFenster* w = plFensterVon(hwnd);
    return (w && !w->eltern) ? w->menue : 0;
}

BOOL SetMenu(HWND hwnd, HMENU menu)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w || w->eltern) return FALSE;
    RECT vorher = plFensterClient(w);
    w->menue = menu;
    RECT nachher = plFensterClient(w);
    plFensterNcUngueltig(w);
    if (vorher.bottom != nachher.bottom || vorher.right != nachher.right) {
        plFensterUngueltig(w, nullptr, true, true);
        SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(nachher.right, nachher.bottom));
    }
    return TRUE;
}
