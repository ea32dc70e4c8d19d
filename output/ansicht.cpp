// Drawing view (see ansicht.h).
#include "output/ansicht.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/guck.h"
#include "output/schrift.h"
#include "output/strich.h"
#include "platform/ctl_scroll.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "winlib/dialog.h"

namespace {

// Timer of the view window that makes up a paint or a refit skipped while
// another drawing target was current.
constexpr UINT_PTR ANSTIMER = 0x4E41;
constexpr UINT ANSTIMERMS = 50;

struct AnsZustand {
    HWND dlg = 0, fenster = 0, vbar = 0, hbar = 0, ecke = 0;
    int zoom = 100, cx = 50, cy = 50;
    double x0 = 0, y0 = 0, x1 = 210, y1 = 297;  // sheet
    double kx = 20, ky = 260;                   // cursor point
    double startX = 20, startY = 260;
    double schrittX = 5, schrittY = 5;
    int rahmen = 1;
    int w = 0, h = 0;                           // view pixel size
    int dlgW = 0, dlgH = 0;                     // dialog client size
    AnsichtHakenFn taste = nullptr, maus = nullptr;
    AnsichtMalFn malen = nullptr;
    int eckBefehl = 0;
    int mausVerfolgen = 0, tasteUnten = 0, daumen = 0, malt = 0, groesseGesperrt = 0;
    int eigenesZiel = 0;                        // a DC of AnsichtDCHolen is the target
    int ziehen = 0;                             // 0 idle, 1 button down, 2 dragging
    POINT start{0, 0}, ende{0, 0};
    int nachMalen = 0, nachEinpassen = 0, timer = 0;
    int sperren = 0, freigeben = 0;
    GDIABBILDUNG abb{0, 0, 1, 1, 1, 1, 0, 0, 1, 1};  // the view's own mapping
} ans;

int ansZoom(long z) { return static_cast<int>(std::clamp<long>(z, ANSICHTZOOMMIN, ANSICHTZOOMMAX)); }
int ansProz(long p) { return static_cast<int>(std::clamp<long>(p, 0, 100)); }

// A value in percent of the range a..b, truncated and held to 0..100; 50 for
// an empty range.
int ansProzent(double v, double a, double b)
{
    if (!(b != a)) return 50;
    const double p = 100 * (v - a) / (b - a);
    if (!(p > 0)) return 0;
    return p >= 100 ? 100 : static_cast<int>(p);
}

// Another drawing target (printer, bitmap, metafile, or a window DC not
// ours) is current: the view must neither draw nor map.
bool ansFremdesZiel() { return GdiZielArt() != GDI_KEIN && !ans.eigenesZiel && !ans.malt; }

void CALLBACK ansTimerProz(HWND, UINT, UINT_PTR, DWORD);

void ansNachholen(int malen, int einpassen)
{
    ans.nachMalen |= malen;
    ans.nachEinpassen |= einpassen;
    if (!ans.timer && ans.fenster) ans.timer = SetTimer(ans.fenster, ANSTIMER, ANSTIMERMS, ansTimerProz) != 0;
}

void CALLBACK ansTimerProz(HWND, UINT, UINT_PTR, DWORD)
{
    if (ansFremdesZiel()) return;
    if (ans.fenster) KillTimer(ans.fenster, ANSTIMER);
    ans.timer = 0;
    const int einpassen = ans.nachEinpassen, malen = ans.nachMalen;
    ans.nachEinpassen = ans.nachMalen = 0;
    if (einpassen) AnsichtEinpassen();
    else if (malen && ans.fenster) InvalidateRect(ans.fenster, nullptr, FALSE);
}

// The view's mapping into the drawing layer (and kept here for the queries
// that must not depend on another target's mapping).
void ansAbbilden()
{
    if (AbbildungSetzenProp(ans.x0 - 5, ans.y0 - 7, ans.x1 + 7, ans.y1 + 5, ans.w, ans.h, 0, 0, ans.zoom, ans.cx,
                            ans.cy) == 0)
        ans.abb = *Abbildung();
}

// Pixel of a world point in the view's mapping (the drawing layer's rule).
int ansGanz(double v)
{
    if (!(v > -1e9)) return -1000000000;
    return v > 1e9 ? 1000000000 : static_cast<int>(v);
}
int ansPixelX(double x) { return ansGanz((x - ans.abb.x0) * ans.abb.sx + 0.5) + ans.abb.ox; }
int ansPixelY(double y) { return ans.abb.h + ans.abb.oy - ansGanz((y - ans.abb.y0) * ans.abb.sy + 0.5); }
double ansWeltX(int px) { return (px - ans.abb.ox) / ans.abb.sx + ans.abb.x0; }
double ansWeltY(int py) { return (ans.abb.h + ans.abb.oy - py) / ans.abb.sy + ans.abb.y0; }

// The cross cursor to the pixel of the cursor point.
void ansKreuzAufPunkt()
{
    if (!ans.fenster) return;
    GuckZeigen(ans.fenster, 0);
    GuckPosition(ans.fenster, ansPixelX(ans.kx), ansPixelY(ans.ky));
    GuckZeigen(ans.fenster, 1);
}

void AnsichtMessen()
{
    RECT r{0, 0, 0, 0};
    if (ans.fenster) GetClientRect(ans.fenster, &r);
    ans.w = r.right - r.left;
    ans.h = r.bottom - r.top;
    RECT d{0, 0, 0, 0};
    if (ans.dlg) GetClientRect(ans.dlg, &d);
    ans.dlgW = d.right - d.left;
    ans.dlgH = d.bottom - d.top;
}

void ansKlemmen(double* x, double* y)
{
    *x = std::clamp(*x, std::min(ans.x0, ans.x1), std::max(ans.x0, ans.x1));
    *y = std::clamp(*y, std::min(ans.y0, ans.y1), std::max(ans.y0, ans.y1));
}

void ansMitteVerschieben(int dx, int dy)
{
    ans.cx = ansProz(static_cast<long>(ans.cx) + dx);
    ans.cy = ansProz(static_cast<long>(ans.cy) + dy);
    AnsichtEinpassen();
}

// Up to n blank-separated numbers (decimal point or comma); missing ones 0.
void ansZahlen(const char* text, double* aus, int n)
{
    for (int i = 0; i < n; ++i) aus[i] = 0;
    const char* p = text;
    for (int i = 0; i < n && *p; ++i) {
        while (*p == ' ' || *p == '\t') ++p;
        const char* e = p;
        while (*e && *e != ' ' && *e != '\t') ++e;
        char wort[64];
        const size_t l = std::min<size_t>(static_cast<size_t>(e - p), sizeof wort - 1);
        std::memcpy(wort, p, l);
        wort[l] = '\0';
        std::replace(wort, wort + l, ',', '.');
        double v = 0;
        const char* anf = wort[0] == '+' ? wort + 1 : wort;
        if (std::from_chars(anf, wort + l, v).ec == std::errc() && std::isfinite(v)) aus[i] = v;
        p = e;
    }
}

long ansGanzzahl(const char* text)
{
    double v = 0;
    ansZahlen(text, &v, 1);
    return static_cast<long>(std::clamp(v, -1e6, 1e6));
}

void ansZiehRahmen()
{
    AnsichtGummiband(0, ans.start.x, ans.start.y, ans.ende.x, ans.ende.y);
}

HWND ansItem(int id) { return ans.dlg ? GetDlgItem(ans.dlg, id) : 0; }

void ansVerschieben(int id, int dx, int dy, int dw, int dh)
{
    HWND f = ansItem(id);
    if (f == 0) return;
    RECT r = AnsichtItemRect(id);
    MoveWindow(f, r.left + dx, r.top + dy, r.right - r.left + dw, r.bottom - r.top + dh, TRUE);
}

}  // namespace

// ---- Attaching -----------------------------------------------------------------------------

namespace {
// The zoom and centre each window had when the view was taken from it.
std::map<HWND, std::array<int, 3>> ansZuletzt;
}  // namespace

bool AnsichtZoomZuletzt(HWND fenster, int* zoom, int* cx, int* cy)
{
    const auto it = ansZuletzt.find(fenster);
    if (fenster == 0 || it == ansZuletzt.end()) return false;
    *zoom = it->second[0];
    *cx = it->second[1];
    *cy = it->second[2];
    return true;
}

int AnsichtAnbinden()
{
    HWND dlg = wiDlgFenster();
    HWND f = dlg ? GetDlgItem(dlg, ANSICHT_FENSTER) : 0;
    if (f == 0) return -1;
    if (ans.fenster != 0 && ans.fenster != f) ansZuletzt[ans.fenster] = {ans.zoom, ans.cx, ans.cy};
    ans.dlg = dlg;
    ans.fenster = f;
    ans.vbar = GetDlgItem(dlg, ANSICHT_VSCROLL);
    ans.hbar = GetDlgItem(dlg, ANSICHT_HSCROLL);
    ans.ecke = GetDlgItem(dlg, ANSICHT_ECKE);
    ans.ziehen = 0;
    ans.tasteUnten = 0;
    ans.mausVerfolgen = GetFocus() == f;  // a focus taken before the view was attached
    ans.timer = 0;
    ans.nachMalen = ans.nachEinpassen = 0;
    AnsichtMessen();
    AnsichtA4();
    return 0;
}

void AnsichtLoesen()
{
    if (ans.fenster) {
        ansZuletzt[ans.fenster] = {ans.zoom, ans.cx, ans.cy};
        if (GetCapture() == ans.fenster) ReleaseCapture();
        if (ans.timer) KillTimer(ans.fenster, ANSTIMER);
    }
    ans.timer = 0;
    ans.dlg = ans.fenster = ans.vbar = ans.hbar = ans.ecke = 0;
    ans.ziehen = 0;
    ans.tasteUnten = 0;
    ans.mausVerfolgen = 0;
}

HWND AnsichtFenster() { return ans.fenster; }

void AnsichtNeuMessen()
{
    if (!ans.fenster) return;
    AnsichtMessen();
    AnsichtEinpassen();
}

RECT AnsichtItemRect(int id)
{
    RECT r{0, 0, 0, 0};
    HWND f = ansItem(id);
    if (f == 0) return r;
    GetWindowRect(f, &r);
    MapWindowPoints(0, ans.dlg, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void AnsichtItemSetzen(int id, int x1, int y1, int x2, int y2)
{
    if (HWND f = ansItem(id)) MoveWindow(f, x1, y1, x2 - x1, y2 - y1, TRUE);
}

void AnsichtMausFangen(int an)
{
    if (!ans.fenster) return;
    if (an) SetCapture(ans.fenster);
    else if (GetCapture() == ans.fenster) ReleaseCapture();
}

void AnsichtFokus()
{
    if (ans.fenster) SetFocus(ans.fenster);
}

void AnsichtHaken(AnsichtHakenFn taste, AnsichtHakenFn maus, int eckBefehl)
{
    ans.taste = taste;
    ans.maus = maus;
    ans.eckBefehl = eckBefehl;
}

void AnsichtMalHaken(AnsichtMalFn malen) { ans.malen = malen; }
void AnsichtGroesseSperren(int flag) { ans.groesseGesperrt = flag; }
void AnsichtZiehenVerfolgen(int flag) { ans.daumen = flag; }

void AnsichtMausVerfolgen(HWND fenster, int flag)
{
    if (fenster != 0 && fenster == ans.fenster) ans.mausVerfolgen = flag;
}

void AnsichtTasteUnten(int flag) { ans.tasteUnten = flag; }

void AnsichtRahmenSetzen(int flag)
{
    ans.rahmen = flag;
    AnsichtNeuZeichnen();
}

void AnsichtHintergrund(int r, int g, int b)
{
    GdiHintergrundSetzen(r, g, b);
    if (ans.fenster) {
        GuckFarbe(ans.fenster, RGB(r & 0xFF, g & 0xFF, b & 0xFF));
        AnsichtNeuZeichnen();
    }
}

// ---- Sheet and start ------------------------------------------------------------------------

void AnsichtWeltSetzen(double x0, double y0, double x1, double y1)
{
    ans.x0 = x0, ans.y0 = y0, ans.x1 = x1, ans.y1 = y1;
    AnsichtStart();
}

void AnsichtBlattSetzen(double w, double h) { AnsichtWeltSetzen(0, 0, w, h); }
void AnsichtA4() { AnsichtBlattSetzen(210, 297); }
// A3 lies landscape, as drawings on it are laid out.
void AnsichtA3() { AnsichtBlattSetzen(420, 297); }

void AnsichtStart()
{
    ans.zoom = 100;
    ans.cx = ans.cy = 50;
    ans.kx = ans.startX;
    ans.ky = ans.startY;
    AnsichtEinpassen();
}

void AnsichtStartpunktSetzen(double x, double y)
{
    ans.startX = x;
    ans.startY = y;
}

void AnsichtSchrittSetzen(double dx, double dy)
{
    ans.schrittX = dx;
    ans.schrittY = dy;
}

void AnsichtBlattStandard()
{
    ans.startX = 20, ans.startY = 260;
    ans.schrittX = ans.schrittY = 5;
    AnsichtA4();
}

void AnsichtRandHolen(double r[4])
{
    r[0] = ans.x0, r[1] = ans.y0, r[2] = ans.x1, r[3] = ans.y1;
}

// ---- Zoom and centre ------------------------------------------------------------------------

void AnsichtZoom(int p)
{
    ans.zoom = ansZoom(p);
    AnsichtEinpassen();
}

void AnsichtZoomFaktor(int p)
{
    ans.zoom = ansZoom(static_cast<long>(ans.zoom) * p / 100);
    AnsichtEinpassen();
}

void AnsichtMitteX(int p)
{
    ans.cx = ansProz(p);
    AnsichtEinpassen();
}

void AnsichtMitteXPlus(int d) { ansMitteVerschieben(d, 0); }

void AnsichtMitteY(int p)
{
    ans.cy = ansProz(p);
    AnsichtEinpassen();
}

void AnsichtMitteYPlus(int d) { ansMitteVerschieben(0, d); }

void AnsichtZoomSetzen3(int zoom, int cx, int cy)
{
    ans.zoom = ansZoom(zoom);
    ans.cx = ansProz(cx);
    ans.cy = ansProz(cy);
    AnsichtEinpassen();
}

void AnsichtZoomSetzenFeld(const int v[3]) { AnsichtZoomSetzen3(v[0], v[1], v[2]); }

void AnsichtZoomHolen(int* zoom, int* cx, int* cy)
{
    *zoom = ans.zoom;
    *cx = ans.cx;
    *cy = ans.cy;
}

void AnsichtZoomRechteck(double x1, double y1, double x2, double y2)
{
    const double l = std::min(x1, x2), r = std::max(x1, x2), u = std::min(y1, y2), o = std::max(y1, y2);
    ans.cx = ansProzent((l + r) / 2, ans.x0, ans.x1);
    ans.cy = ansProzent((u + o) / 2, ans.y0, ans.y1);
    if (r - l >= 5 && o - u >= 5) {
        const double zx = std::trunc(100 * std::fabs(ans.x1 - ans.x0) / (r - l));
        const double zy = std::trunc(100 * std::fabs(ans.y1 - ans.y0) / (o - u));
        ans.zoom = ansZoom(static_cast<long>(std::clamp(std::min(zx, zy), 0.0, 1e6)));
    } else {
        ans.zoom = ANSICHTZOOMMAX;
    }
    AnsichtEinpassen();
}

void AnsichtZoomBefehl(const char* text)
{
    if (text == nullptr) return;
    char art = 0;
    if (*text == 'C' || *text == 'c' || *text == 'F' || *text == 'f') art = static_cast<char>(*text++ & ~0x20);
    const char c = *text;
    if (c >= '0' && c <= '9') {
        const int d = std::clamp(static_cast<int>(ansGanzzahl(text)), 0, 5);
        ans.zoom = ansZoom(100L << d);
    } else if (c == '+') {
        ans.zoom = ansZoom(ans.zoom * 2L);
    } else if (c == '-') {
        ans.zoom = ansZoom(ans.zoom / 2);
    } else if (c != '=') {
        return;
    }
    if (art != 'F') {
        ans.cx = ansProzent(ans.kx, ans.x0, ans.x1);
        ans.cy = ansProzent(ans.ky, ans.y0, ans.y1);
    }
    AnsichtEinpassen();
}

void AnsichtBefehl(const char* text)
{
    static const int voreinstellung[10][3] = {{100, 50, 50}, {200, 25, 25}, {200, 50, 25}, {200, 75, 25},
                                              {200, 25, 50}, {200, 50, 50}, {200, 75, 50}, {200, 25, 75},
                                              {200, 50, 75}, {200, 75, 75}};
    if (text == nullptr) return;
    const char c = text[0];
    const char* ab3 = std::strlen(text) >= 2 ? text + 2 : "";
    if (c >= '0' && c <= '9') {
        AnsichtZoomSetzenFeld(voreinstellung[std::clamp(static_cast<int>(ansGanzzahl(text)), 0, 9)]);
    } else if (c == '+') {
        AnsichtZoom(ans.zoom * 2);
    } else if (c == '-') {
        AnsichtZoom(ans.zoom / 2);
    } else if (c == 'X' || c == 'x') {
        AnsichtMitteXPlus(static_cast<int>(ansGanzzahl(text + 1)));
    } else if (c == 'Y' || c == 'y') {
        AnsichtMitteYPlus(static_cast<int>(ansGanzzahl(text + 1)));
    } else if (c == '.') {
        double v[3];
        ansZahlen(ab3, v, 3);
        auto ganz = [](double d) { return static_cast<int>(std::clamp(d, -1e6, 1e6)); };
        AnsichtZoomSetzen3(ganz(v[0]), ganz(v[1]), ganz(v[2]));
    } else if (c == '=') {
        double v[4];
        ansZahlen(ab3, v, 4);
        AnsichtZoomRechteck(v[0], v[1], v[2], v[3]);
    } else if (c == '*') {
        AnsichtEinpassen();
    }
}

void AnsichtEinpassen()
{
    if (!ans.fenster) return;
    if (ansFremdesZiel()) {
        // Another target holds the drawing layer's mapping: done once it ended.
        ansNachholen(1, 1);
        AnsichtRollbalken();
        return;
    }
    ansAbbilden();
    InvalidateRect(ans.fenster, nullptr, FALSE);
    AnsichtRollbalken();
    ansKreuzAufPunkt();
}

// ---- Cursor point ------------------------------------------------------------------------------

void AnsichtMitteSetzen(double x, double y)
{
    ansKlemmen(&x, &y);
    AnsichtKreuzWelt(x, y);
}

void AnsichtKreuzWelt(double x, double y)
{
    ans.kx = x;
    ans.ky = y;
    ansKreuzAufPunkt();
}

void AnsichtPunktSchieben(int nx, int ny) { AnsichtMitteSetzen(ans.kx + nx * ans.schrittX, ans.ky + ny * ans.schrittY); }

void AnsichtKreuzRaster(double x0, double sx, double y0, double sy)
{
    AnsichtKreuzWelt(RasterRunden(x0, sx, ans.kx), RasterRunden(y0, sy, ans.ky));
}

void AnsichtKreuzSetzen(int px, int py)
{
    if (!ans.fenster) return;
    GuckZeigen(ans.fenster, 0);
    GuckPosition(ans.fenster, px, py);
    GuckZeigen(ans.fenster, 1);
}

void AnsichtKreuzZeigen(int an)
{
    if (ans.fenster) GuckZeigen(ans.fenster, an);
}

void AnsichtCaretModus(int an)
{
    if (ans.fenster) GuckMenueModus(ans.fenster, an);
}

void AnsichtFadenkreuz(int an)
{
    if (ans.fenster) GuckFadenkreuzModus(ans.fenster, an);
}

void AnsichtFadenkreuzZeigen(int an)
{
    if (ans.fenster) GuckFadenkreuzZeigen(ans.fenster, an);
}

// ---- Queries --------------------------------------------------------------------------------------

int AnsichtPunktSichtbar(double x, double y)
{
    // Without a view there is nothing to scroll to: every point counts as shown.
    if (!ans.fenster) return 1;
    return ans.abb.x0 <= x && x <= ans.abb.x1 && ans.abb.y0 <= y && y <= ans.abb.y1;
}

int AnsichtPunktImBlatt(double x, double y)
{
    return std::min(ans.x0, ans.x1) <= x && x <= std::max(ans.x0, ans.x1) && std::min(ans.y0, ans.y1) <= y &&
           y <= std::max(ans.y0, ans.y1);
}

void AnsichtMitteHolen(double* x, double* y)
{
    *x = ans.kx;
    *y = ans.ky;
}

void AnsichtPixelGroesse(int* w, int* h)
{
    *w = ans.w;
    *h = ans.h;
}

int TasteGedrueckt(int welche)
{
    static const int vk[3] = {VK_SHIFT, VK_CONTROL, VK_MENU};
    return GetKeyState(vk[std::clamp(welche, 0, 2)]) < 0 ? 1 : 0;
}

// ---- Drawing ----------------------------------------------------------------------------------------

void AnsichtNeuZeichnen()
{
    if (ans.fenster) InvalidateRect(ans.fenster, nullptr, FALSE);
}

void AnsichtRechteckNeu(int x1, int y1, int x2, int y2)
{
    if (!ans.fenster) return;
    RECT r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
    InvalidateRect(ans.fenster, &r, FALSE);
}

HDC AnsichtDCHolen()
{
    if (!ans.fenster || ans.malt || ans.eigenesZiel || GdiZielArt() != GDI_KEIN) return 0;
    HDC dc = GetDC(ans.fenster);
    if (dc == 0) return 0;
    if (GdiFensterBeginn(dc) != 0) {
        ReleaseDC(ans.fenster, dc);
        return 0;
    }
    ans.eigenesZiel = 1;
    ansAbbilden();
    return dc;
}

void AnsichtDCFreigeben(HDC dc)
{
    if (dc == 0 || !ans.eigenesZiel) return;
    GdiFensterEnde();
    ans.eigenesZiel = 0;
    ReleaseDC(ans.fenster, dc);
}

int AnsichtMalenAufschieben(HWND fenster)
{
    if (fenster == 0 || fenster != ans.fenster) return 0;
    // A printer, bitmap or metafile target (or a direct drawing) holds the
    // drawing layer: paint once it has ended.
    if (!ansFremdesZiel() && !ans.eigenesZiel && !ans.malt) return 0;
    ansNachholen(1, 0);
    return 1;
}

void AnsichtMalen(HWND fenster, HDC dc)
{
    if (fenster == 0 || fenster != ans.fenster || AnsichtMalenAufschieben(fenster)) return;
    StrichZustandSichern();
    if (GdiFensterBeginn(dc) != 0) {
        StrichZustandWieder();
        ansNachholen(1, 0);
        return;
    }
    ans.malt = 1;
    ansAbbilden();
    if (ans.rahmen) GdiBlattRahmen(ans.x0, ans.y0, ans.x1, ans.y1, ANSICHTSCHATTEN);
    if (ans.malen) ans.malen();
    else ZeiFensterZeichnen();
    GdiFensterEnde();
    ans.malt = 0;
    StrichZustandWieder();
}

void AnsichtRahmenMalen()
{
    HDC dc = AnsichtDCHolen();
    if (dc == 0) return;
    GdiBlattRahmen(ans.x0, ans.y0, ans.x1, ans.y1, ANSICHTSCHATTEN);
    AnsichtDCFreigeben(dc);
}

void AnsichtGummiband(int modus, int x1, int y1, int x2, int y2)
{
    HDC dc = AnsichtDCHolen();
    if (dc == 0) return;
    GdiGummiband(modus, x1, y1, x2, y2);
    AnsichtDCFreigeben(dc);
}

// ---- Input ------------------------------------------------------------------------------------------

void AnsichtHScroll(int code, int pos)
{
    switch (code) {
    case SB_LINELEFT: ansMitteVerschieben(-1, 0); break;
    case SB_LINERIGHT: ansMitteVerschieben(1, 0); break;
    case SB_PAGELEFT: ansMitteVerschieben(-10, 0); break;
    case SB_PAGERIGHT: ansMitteVerschieben(10, 0); break;
    case SB_LEFT: ansMitteVerschieben(-100, 0); break;
    case SB_RIGHT: ansMitteVerschieben(100, 0); break;
    case SB_THUMBTRACK:
        if (!ans.daumen) break;
        [[fallthrough]];
    case SB_THUMBPOSITION: AnsichtMitteX(pos + 2500 / ans.zoom); break;
    default: break;
    }
}

void AnsichtVScroll(int code, int pos)
{
    switch (code) {
    case SB_LINEUP: ansMitteVerschieben(0, 1); break;
    case SB_LINEDOWN: ansMitteVerschieben(0, -1); break;
    case SB_PAGEUP: ansMitteVerschieben(0, 10); break;
    case SB_PAGEDOWN: ansMitteVerschieben(0, -10); break;
    case SB_TOP: ansMitteVerschieben(0, 100); break;
    case SB_BOTTOM: ansMitteVerschieben(0, -100); break;
    case SB_THUMBTRACK:
        if (!ans.daumen) break;
        [[fallthrough]];
    case SB_THUMBPOSITION: AnsichtMitteY(100 - pos - 2500 / ans.zoom); break;
    default: break;
    }
}

void AnsichtRollbalken()
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = 100;
    si.nPage = static_cast<UINT>(5000 / ans.zoom);
    if (ans.hbar) {
        si.nPos = ans.cx - 2500 / ans.zoom;
        SetScrollInfo(ans.hbar, SB_CTL, &si, TRUE);
    }
    if (ans.vbar) {
        si.nPos = 100 - (2500 / ans.zoom + ans.cy);
        SetScrollInfo(ans.vbar, SB_CTL, &si, TRUE);
    }
}

void AnsichtAnpassen(int breite, int hoehe)
{
    if (!ans.fenster) return;
    const int dx = breite - ans.dlgW, dy = hoehe - ans.dlgH;
    if (dx != 0 || dy != 0) {
        ansVerschieben(ANSICHT_FENSTER, 0, 0, dx, dy);
        ansVerschieben(ANSICHT_VSCROLL, dx, 0, 0, dy);
        ansVerschieben(ANSICHT_HSCROLL, 0, dy, dx, 0);
        ansVerschieben(ANSICHT_ECKE, dx, dy, 0, 0);
        ansVerschieben(ANSICHT_UNTEN, 0, dy, 0, 0);
        ansVerschieben(ANSICHT_UNTENBREIT, 0, dy, dx, 0);
    }
    AnsichtMessen();
    ans.dlgW = breite;
    ans.dlgH = hoehe;
    AnsichtEinpassen();
}

void AnsichtMaus(UINT nachricht, WPARAM wp, LPARAM lp)
{
    const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (nachricht) {
    case WM_LBUTTONDOWN:
        ans.ziehen = 1;
        ans.tasteUnten = 1;
        ans.start = ans.ende = p;
        break;
    case WM_MOUSEMOVE:
        if (ans.ziehen == 1) {
            if (std::abs(p.x - ans.start.x) >= ANSICHTZIEHEN || std::abs(p.y - ans.start.y) >= ANSICHTZIEHEN) {
                ans.ende = p;
                ansZiehRahmen();
                ans.ziehen = 2;
                SetCapture(ans.fenster);
            }
        } else if (ans.ziehen == 2) {
            ansZiehRahmen();
            ans.ende = p;
            ansZiehRahmen();
        }
        break;
    case WM_LBUTTONUP:
        if (ans.ziehen == 2) {
            ansZiehRahmen();
            if (GetCapture() == ans.fenster) ReleaseCapture();
            ans.ende = p;
            if (std::abs(p.x - ans.start.x) > ANSICHTZIEHZOOM && std::abs(p.y - ans.start.y) > ANSICHTZIEHZOOM) {
                AnsichtZoomRechteck(ansWeltX(ans.start.x), ansWeltY(ans.start.y), ansWeltX(p.x), ansWeltY(p.y));
            } else {
                AnsichtMitteSetzen(ansWeltX(p.x), ansWeltY(p.y));
            }
        } else {
            AnsichtMitteSetzen(ansWeltX(p.x), ansWeltY(p.y));
        }
        ans.ziehen = 0;
        ans.tasteUnten = 0;
        break;
    case WM_MOUSEWHEEL: {
        const int n = GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
        if (n == 0) break;
        const int tasten = LOWORD(wp);
        if ((tasten & MK_CONTROL) || TasteGedrueckt(1)) {
            long z = ans.zoom;
            for (int i = 0; i < std::abs(n); ++i) z = ansZoom(z * (n > 0 ? 110 : 90) / 100);
            AnsichtZoom(static_cast<int>(z));
        } else if ((tasten & MK_SHIFT) || TasteGedrueckt(0)) {
            ansMitteVerschieben(-5 * n, 0);
        } else {
            ansMitteVerschieben(0, 5 * n);
        }
        break;
    }
    default: break;
    }
}

void AnsichtZeichen(int zeichen)
{
    if (zeichen >= '0' && zeichen <= '9') {
        const char text[2] = {static_cast<char>(zeichen), '\0'};
        AnsichtBefehl(text);
    } else if (zeichen == '+') {
        AnsichtZoomBefehl("C+");
    } else if (zeichen == '-') {
        AnsichtZoomBefehl("C-");
    }
}

void AnsichtPfeil(int vk)
{
    switch (vk) {
    case VK_LEFT: AnsichtPunktSchieben(-1, 0); break;
    case VK_RIGHT: AnsichtPunktSchieben(1, 0); break;
    case VK_UP: AnsichtPunktSchieben(0, 1); break;
    case VK_DOWN: AnsichtPunktSchieben(0, -1); break;
    default: break;
    }
}

int AnsichtNachricht(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (!ans.fenster) return 0;
    switch (nachricht) {
    case WM_HSCROLL:
        if (static_cast<HWND>(lp) != ans.hbar || ans.hbar == 0) return 0;
        AnsichtHScroll(LOWORD(wp), static_cast<short>(HIWORD(wp)));
        return 1;
    case WM_VSCROLL:
        if (static_cast<HWND>(lp) != ans.vbar || ans.vbar == 0) return 0;
        AnsichtVScroll(LOWORD(wp), static_cast<short>(HIWORD(wp)));
        return 1;
    case WM_SIZE:
        if (wp != SIZE_MINIMIZED && !ans.groesseGesperrt && !IsIconic(ans.dlg)) AnsichtAnpassen(LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_SYSKEYDOWN:
        if (wp == VK_F4) return 0;
        [[fallthrough]];
    case WM_KEYDOWN:
        if (ans.taste) return ans.taste(nachricht, wp, lp);
        if (wp != VK_LEFT && wp != VK_RIGHT && wp != VK_UP && wp != VK_DOWN) return 0;
        GuckZeigen(ans.fenster, 0);
        AnsichtPfeil(static_cast<int>(wp));
        GuckZeigen(ans.fenster, 1);
        return 1;
    case WM_CHAR:
        if (ans.taste) return ans.taste(nachricht, wp, lp);
        AnsichtZeichen(static_cast<int>(wp));
        return 1;
    case WM_MOUSEMOVE:
        if (!(ans.mausVerfolgen && ans.tasteUnten)) return 0;
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
        if (ans.maus) return ans.maus(nachricht, wp, lp);
        GuckZeigen(ans.fenster, 0);
        AnsichtMaus(nachricht, wp, lp);
        if (ans.fenster) GuckZeigen(ans.fenster, 1);
        return 1;
    case WM_COMMAND:
        if (LOWORD(wp) != ANSICHT_ECKE) return 0;
        if (ans.eckBefehl == 0) {
            AnsichtStart();
            AnsichtFokus();
        } else {
            PostMessage(ans.dlg, WM_COMMAND, static_cast<WPARAM>(ans.eckBefehl), 0);
        }
        return 1;
    default: return 0;
    }
}

// ---- Printing ----------------------------------------------------------------------------------------

void DruckAbbildungSetzen(int pw, int ph, double ww, double wh, int dx, int dy)
{
    AbbildungSetzenFrei(0, 0, ww, wh, pw, ph, -dx, -dy, 100, 50, 50);
}

// ---- Services ---------------------------------------------------------------------------------------

void AnsichtKlasseAnmelden()
{
    GuckRegistrieren();
    GuckMetrikStart();
}

void AnsichtKlasseAbmelden()
{
    GuckAbmelden();
    GuckHintergrundFrei();
}

void AusgabeInit()
{
    AnsichtDiensteEintragen();
    ElemDiensteEintragen();
}

void AusgabeEnde() { SchriftEnde(); }

void AnsichtHolen(int* zoom, int* cx, int* cy) { AnsichtZoomHolen(zoom, cx, cy); }
void AnsichtFenster(double x1, double y1, double x2, double y2) { AnsichtWeltSetzen(x1, y1, x2, y2); }
void CursorMarkeSetzen(double x, double y) { AnsichtMitteSetzen(x, y); }
void AnsichtBereichNeuZeichnen(int x1, int y1, int x2, int y2) { AnsichtRechteckNeu(x1, y1, x2, y2); }

int AnsichtPunktImFenster(double x, double y)
{
    if (!ans.fenster) return 0;
    const int px = ansPixelX(x), py = ansPixelY(y);
    return px >= 0 && px < ans.w && py >= 0 && py < ans.h;
}

void AnsichtSichtbarHolen(double* x1, double* y1, double* x2, double* y2)
{
    *x1 = ans.abb.x0;
    *y1 = ans.abb.y0;
    *x2 = ans.abb.x1;
    *y2 = ans.abb.y1;
}

void RasterPunktZeichnen(double x, double y, int stift)
{
    // Pen 0 (the drawing window's grid): a grey mark that never reads as ink.
    int rgb[3] = {128, 128, 128};
    if (stift > 0) {
        const VISTIFT* s = &ViEinst()->stift[std::clamp(stift, 1, VISTIFTSUP) - 1];
        rgb[0] = s->r, rgb[1] = s->g, rgb[2] = s->b;
    }
    GdiPixel(x, y, rgb);
}

void AnsichtAusgabeSperren(int flag)
{
    if (ans.fenster) ans.sperren = flag;
}

void AnsichtAusgabeFreigeben(int flag)
{
    if (ans.fenster) ans.freigeben = flag;
}

void AnsichtAusgabeSchalter(int* sperren, int* freigeben)
{
    *sperren = ans.sperren;
    *freigeben = ans.freigeben;
}

void AnsichtDiensteEintragen()
{
    EdHaken h;
    h.AnsichtAusgabeSperren = AnsichtAusgabeSperren;
    h.AnsichtAusgabeFreigeben = AnsichtAusgabeFreigeben;
    h.AnsichtBereichNeuZeichnen = AnsichtBereichNeuZeichnen;
    h.AnsichtNeuZeichnen = AnsichtNeuZeichnen;
    h.AnsichtPunktImFenster = AnsichtPunktImFenster;
    h.AnsichtPunktSichtbar = AnsichtPunktSichtbar;
    h.AnsichtSichtbarHolen = AnsichtSichtbarHolen;
    h.AnsichtFenster = static_cast<void (*)(double, double, double, double)>(AnsichtFenster);
    h.WeltZuPixelX = ansPixelX;
    h.WeltZuPixelY = ansPixelY;
    h.CursorMarkeSetzen = CursorMarkeSetzen;
    h.RasterPunktZeichnen = RasterPunktZeichnen;
    EdHakenSetzen(h);
}
