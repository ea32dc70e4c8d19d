// Class core of the custom controls (see ctlkern.h): registration, the flat
// look, library fonts, state records, owner rule, frames, notification
// packing, escape-command word readers, text cells, bitmap and metafile
// files. Prefix `ctl`. Calls platform/, support/speicher, config/konfhaken,
// winlib/ (frame record, bitmap and metafile readers) and the edit control's
// registration.
#include "controls/ctlkern.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "config/konfhaken.h"
#include "controls/ctlklassen.h"
#include "controls/elzeile.h"
#include "controls/orvaedit.h"
#include "platform/bildlader.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/shell.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/wibild.h"

namespace {

struct CtlSchriftEintrag {
    int hoehe;
    char name[CTLSCHRIFTNAMESUP + 1];
    HFONT schrift;
    bool eigen;  // made here, so deleted here
};

bool ctlAngemeldet = false;
int ctlFlach = 0;
CtlSchriftEintrag ctlSchriften[CTLSCHRIFTSUP] = {};

struct CtlKlasse {
    const char* name;
    UINT stil;
    WNDPROC proc;
};

// ORVAEDIT registers through the edit control's own function.
const CtlKlasse ctlKlassen[] = {
    {CTLDISPKLASSE, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_GLOBALCLASS, ctlDispProc},
    {CTLSHOWKLASSE, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_GLOBALCLASS, ctlShowProc},
    {CTLGRBUKLASSE, CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS, ctlGrbuProc},
    {CTLMKALKLASSE, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_GLOBALCLASS, ctlMkalProc},
    {CTLSLDRKLASSE, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_GLOBALCLASS, ctlSldrProc},
};

HINSTANCE ctlInstanz()
{
    HINSTANCE i = anwInstanz();
    return i != 0 ? i : GetModuleHandle(nullptr);
}

void ctlKlassenWeg(int bis)
{
    for (int i = bis - 1; i >= 0; --i) UnregisterClass(ctlKlassen[i].name, ctlInstanz());
}

void ctlSchriftFrei(CtlSchriftEintrag& e)
{
    if (e.schrift != 0 && e.eigen) DeleteObject(e.schrift);
    e.schrift = 0;
    e.eigen = false;
}

// The receiver of the configuration layer's workstation fonts; the list
// colours, stripes and path mode go to the record lists' receivers.
void ctlSchriftHaken(int n, HFONT schrift)
{
    ctlSchriftEmpfangen(n, schrift);
}

void ctlLinie(HDC dc, int x1, int y1, int x2, int y2, COLORREF farbe)
{
    // one-pixel strips as fills: no pen end-point rule to think about
    ctlFlaeche(dc, x1, y1, x2 + 1, y2 + 1, farbe);
}

void ctlKasten(HDC dc, int l, int o, int r, int u, COLORREF farbe)
{
    // frame of the inclusive box (l, o)..(r, u)
    ctlLinie(dc, l, o, r, o, farbe);
    ctlLinie(dc, l, u, r, u, farbe);
    ctlLinie(dc, l, o, l, u, farbe);
    ctlLinie(dc, r, o, r, u, farbe);
}

}  // namespace

// ---- Notifications ------------------------------------------------------------------------------

WPARAM ctlMeldungsWort(int id, int code)
{
    return static_cast<WPARAM>((static_cast<DWORD>(id) & 0xFFFFu) | (static_cast<DWORD>(code) << 16));
}

void ctlMelden(HWND fenster, int code, LPARAM lParam)
{
    SendMessage(GetParent(fenster), WM_COMMAND, ctlMeldungsWort(GetDlgCtrlID(fenster), code), lParam);
}

LPARAM ctlPunktImEltern(HWND fenster, int x, int y)
{
    POINT p{x, y};
    HWND eltern = GetParent(fenster);
    if (eltern != 0) MapWindowPoints(fenster, eltern, &p, 1);
    DWORD wort = (static_cast<DWORD>(p.x) & 0xFFFFu) | ((static_cast<DWORD>(p.y) & 0xFFFFu) << 16);
    return static_cast<LPARAM>(wort);
}

void ctlGestePosten(HWND fenster, int befehl, int x, int y)
{
    PostMessage(GetParent(fenster), WM_COMMAND, static_cast<WPARAM>(befehl), ctlPunktImEltern(fenster, x, y));
}

// ---- Registration, look -------------------------------------------------------------------------

int ctlKlassenAnmelden()
{
    WNDCLASS da{};
    // A restarted window manager (tests) has forgotten the classes.
    if (ctlAngemeldet && GetClassInfo(ctlInstanz(), CTLDISPKLASSE, &da)) return 0;
    ctlAngemeldet = false;
    const int anzahl = static_cast<int>(sizeof ctlKlassen / sizeof ctlKlassen[0]);
    for (int i = 0; i < anzahl; ++i) {
        WNDCLASS wc{};
        wc.style = ctlKlassen[i].stil;
        wc.lpfnWndProc = ctlKlassen[i].proc;
        wc.cbWndExtra = static_cast<int>(sizeof(LONG_PTR));
        wc.hInstance = ctlInstanz();
        wc.hCursor = LoadCursor(0, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = ctlKlassen[i].name;
        if (RegisterClass(&wc) == 0) {
            ctlKlassenWeg(i);
            return -1;
        }
    }
    ctlEditKlasseAnmelden();
    for (const CtlKlasse& k : ctlKlassen) plKlasseOberflaeche(k.name);
    plKlasseOberflaeche(CTLEDITKLASSE);
    ctlAngemeldet = true;
    OSVERSIONINFO v{};
    v.dwOSVersionInfoSize = sizeof v;
    ctlFlach = GetVersionEx(&v) ? ctlFlachAusVersion(static_cast<int>(v.dwMajorVersion),
                                                      static_cast<int>(v.dwMinorVersion))
                                : 0;
    // The configuration layer hands the workstation settings to us from now
    // on; the other members stay as they are.
    KonfHaken h = konfHaken();
    h.schriftEmpfangen = ctlSchriftHaken;
    h.listenFarben = ElzFarbenEmpfangen;
    h.zebra = ElzZebraEmpfangen;
    h.pfadModus = ElzPfadEmpfangen;
    konfHakenSetzen(h);
    return 0;
}

void ctlKlassenAbmelden()
{
    if (!ctlAngemeldet) return;
    ctlKlassenWeg(static_cast<int>(sizeof ctlKlassen / sizeof ctlKlassen[0]));
    ctlEditKlasseAbmelden();
    ctlAngemeldet = false;
    // The configuration layer gets its stand-in receivers back; the fonts go.
    KonfHaken h = konfHaken();
    h.schriftEmpfangen = nullptr;
    h.listenFarben = nullptr;
    h.zebra = nullptr;
    h.pfadModus = nullptr;
    konfHakenSetzen(h);
    for (CtlSchriftEintrag& e : ctlSchriften) {
        ctlSchriftFrei(e);
        e.hoehe = 0;
        e.name[0] = '\0';
    }
}

bool ctlKlassenAngemeldet()
{
    return ctlAngemeldet;
}

int ctlFlachAusVersion(int major, int minor)
{
    // Numbers, not bytes: a two-digit major version is newer, not older.
    return (major > 5 || (major == 5 && minor >= 1)) ? 1 : 0;
}

int ctlFlachStil()
{
    return ctlFlach;
}

void ctlFlachStilSetzen(int flach)
{
    ctlFlach = flach != 0 ? 1 : 0;
}

COLORREF ctlFlachFarbe()
{
    return ctlFlach == 1 ? RGB(127, 157, 185) : 0;
}

// ---- Library fonts ------------------------------------------------------------------------------

HFONT ctlSchrift(int n)
{
    if (n >= 0 && n < CTLSCHRIFTSUP && ctlSchriften[n].schrift != 0) return ctlSchriften[n].schrift;
    switch (n) {
    case 1: return static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
    case 2: return static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    case 3: return static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    default: return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    }
}

void ctlSchriftSetzen(int n, int hoehe, const char* name)
{
    if (n < 0 || n >= CTLSCHRIFTSUP) return;
    CtlSchriftEintrag& e = ctlSchriften[n];
    ctlSchriftFrei(e);
    e.hoehe = hoehe;
    ctlKopie(e.name, name ? name : "", sizeof e.name);
    e.schrift = CreateFont(hoehe, 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, e.name);
    e.eigen = e.schrift != 0;
}

void ctlSchriftEmpfangen(int n, HFONT schrift)
{
    if (n < 0 || n >= CTLSCHRIFTSUP) return;
    CtlSchriftEintrag& e = ctlSchriften[n];
    ctlSchriftFrei(e);
    e.schrift = schrift;
    e.eigen = false;
    e.hoehe = 0;
    e.name[0] = '\0';
    LOGFONT lf{};
    if (schrift != 0 && GetObject(schrift, sizeof lf, &lf) != 0) {
        e.hoehe = lf.lfHeight;
        ctlKopie(e.name, lf.lfFaceName, sizeof e.name);
    }
}

const char* ctlSchriftName(int n)
{
    return (n >= 0 && n < CTLSCHRIFTSUP) ? ctlSchriften[n].name : "";
}

int ctlSchriftHoehe(int n)
{
    return (n >= 0 && n < CTLSCHRIFTSUP) ? ctlSchriften[n].hoehe : 0;
}

// ---- Per-window state ---------------------------------------------------------------------------

void* ctlZustandAnlegen(HWND fenster, long groesse)
{
    void* z = fmalloc(1, groesse);
    SetWindowLongPtr(fenster, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(z));
    return z;
}

void* ctlZustand(HWND fenster)
{
    return reinterpret_cast<void*>(GetWindowLongPtr(fenster, GWLP_USERDATA));
}

void ctlZustandFrei(HWND fenster)
{
    void* z = ctlZustand(fenster);
    SetWindowLongPtr(fenster, GWLP_USERDATA, 0);
    ffree(z);
}

HWND ctlBesitzer(HWND fenster)
{
    HWND eltern = GetParent(fenster);
    if (eltern != 0 && (static_cast<DWORD>(GetWindowLong(eltern, GWL_STYLE)) & WS_CAPTION) == WS_CAPTION) {
        return eltern;
    }
    return anwHauptfenster();
}

bool ctlBesitzerAktiv(HWND besitzer)
{
    return besitzer != 0 && GetActiveWindow() == besitzer;
}

bool ctlSchwebenPruefen(HWND fenster, HWND besitzer, int x, int y, bool* schwebend, bool* gefangen, bool ziehen,
                        bool* gedrueckt)
{
    if (!ctlBesitzerAktiv(besitzer)) return false;
    POINT p{x, y};
    ClientToScreen(fenster, &p);
    bool jetzt = WindowFromPoint(p) == fenster;
    if (jetzt == *schwebend) return false;
    *schwebend = jetzt;
    if (jetzt) {
        if (!*gefangen) {
            SetCapture(fenster);
            *gefangen = true;
        }
    } else if (!ziehen) {
        *gedrueckt = false;
        if (*gefangen) {
            *gefangen = false;
            ReleaseCapture();
        }
    }
    return true;
}

// ---- Painting -----------------------------------------------------------------------------------

void ctlFlaeche(HDC dc, int x1, int y1, int x2, int y2, COLORREF farbe)
{
    if (x2 <= x1 || y2 <= y1) return;
    HBRUSH pinsel = CreateSolidBrush(farbe);
    RECT r{x1, y1, x2, y2};
    FillRect(dc, &r, pinsel);
    DeleteObject(pinsel);
}

COLORREF ctlHintergrundFarbe(DWORD stil)
{
    return GetSysColor((stil & 8) ? COLOR_BTNFACE : COLOR_WINDOW);
}

void ctlHintergrundMalen(HDC dc, int breite, int hoehe, DWORD stil, COLORREF farbe)
{
    int rand = (stil & 3) != 0 ? 1 : 0;
    ctlFlaeche(dc, rand, rand, breite - rand, hoehe - rand, farbe);
}

void ctlRahmenMalen(HDC dc, int breite, int hoehe, DWORD stil)
{
    const int r = breite - 1;
    const int u = hoehe - 1;
    if (r < 0 || u < 0) return;
    switch (stil & 3) {
    case 1:
        ctlKasten(dc, 0, 0, r, u, RGB(0, 0, 0));
        break;
    case 2:
        ctlLinie(dc, 0, 0, r, 0, RGB(255, 255, 255));
        ctlLinie(dc, 0, 0, 0, u, RGB(255, 255, 255));
        ctlLinie(dc, 0, u, r, u, RGB(0, 0, 0));
        ctlLinie(dc, r, 0, r, u, RGB(0, 0, 0));
        break;
    case 3:
        if (ctlFlach == 1) {
            ctlKasten(dc, 0, 0, r, u, RGB(127, 157, 185));
            break;
        }
        ctlLinie(dc, 0, 0, r, 0, RGB(128, 128, 128));
        ctlLinie(dc, 0, 0, 0, u, RGB(128, 128, 128));
        ctlLinie(dc, 0, u, r, u, RGB(255, 255, 255));
        ctlLinie(dc, r, 0, r, u, RGB(255, 255, 255));
        ctlLinie(dc, 1, 1, r - 1, 1, RGB(0, 0, 0));
        ctlLinie(dc, 1, 1, 1, u - 1, RGB(0, 0, 0));
        ctlLinie(dc, 1, u - 1, r - 1, u - 1, RGB(192, 192, 192));
        ctlLinie(dc, r - 1, 1, r - 1, u - 1, RGB(192, 192, 192));
        break;
    default:
        break;
    }
}

void ctlKnopfRahmenMalen(HDC dc, int breite, int hoehe, bool gedrueckt, bool schwebend)
{
    const int r = breite - 1;
    const int u = hoehe - 1;
    if (r < 2 || u < 2) return;
    if (ctlFlach != 1) {
        COLORREF hell = gedrueckt ? RGB(0, 0, 0) : RGB(255, 255, 255);
        COLORREF dunkel = gedrueckt ? RGB(255, 255, 255) : RGB(0, 0, 0);
        ctlLinie(dc, 0, 0, r, 0, hell);
        ctlLinie(dc, 0, 0, 0, u, hell);
        ctlLinie(dc, 0, u, r, u, dunkel);
        ctlLinie(dc, r, 0, r, u, dunkel);
        return;
    }
    if (gedrueckt) {
        COLORREF aussen = RGB(229, 151, 0);
        ctlLinie(dc, 1, 0, r - 1, 0, aussen);
        ctlLinie(dc, 1, u, r - 1, u, aussen);
        ctlLinie(dc, 0, 1, 0, u - 1, aussen);
        ctlLinie(dc, r, 1, r, u - 1, aussen);
        ctlKasten(dc, 1, 1, r - 1, u - 1, RGB(253, 216, 137));
        ctlKasten(dc, 2, 2, r - 2, u - 2, RGB(253, 216, 137));
    } else if (schwebend) {
        COLORREF aussen = RGB(100, 149, 237);
        ctlLinie(dc, 1, 0, r - 1, 0, aussen);
        ctlLinie(dc, 1, u, r - 1, u, aussen);
        ctlLinie(dc, 0, 1, 0, u - 1, aussen);
        ctlLinie(dc, r, 1, r, u - 1, aussen);
        COLORREF ecke = RGB(172, 199, 247);
        SetPixel(dc, 1, 1, ecke);
        SetPixel(dc, r - 1, 1, ecke);
        SetPixel(dc, 1, u - 1, ecke);
        SetPixel(dc, r - 1, u - 1, ecke);
    }
}

// ---- Escape commands, texts ---------------------------------------------------------------------

int ctlZahlLesen(const char** text)
{
    const char* p = *text;
    while (*p == ' ') ++p;
    int wert = std::atoi(p);
    while (*p != '\0' && *p != ' ') ++p;
    *text = p;
    return wert;
}

void ctlKopie(char* ziel, const char* quelle, size_t groesse)
{
    if (groesse == 0) return;
    size_t n = 0;
    if (quelle != nullptr) {
        while (n + 1 < groesse && quelle[n] != '\0') {
            ziel[n] = quelle[n];
            ++n;
        }
    }
    ziel[n] = '\0';
}

void ctlWortLesen(const char** text, char* puffer, int groesse)
{
    const char* p = *text;
    while (*p == ' ') ++p;
    int n = 0;
    while (*p != '\0' && *p != ' ') {
        if (n < groesse - 1) puffer[n++] = *p;
        ++p;
    }
    if (groesse > 0) puffer[n] = '\0';
    *text = p;
}

COLORREF ctlFarbeLesen(const char* text, const char** rest)
{
    const char* p = text;
    // mod 256 as the low byte: a negative value wraps like the byte cast
    int r = ctlZahlLesen(&p) & 0xFF;
    int g = ctlZahlLesen(&p) & 0xFF;
    int b = ctlZahlLesen(&p) & 0xFF;
    if (rest) *rest = p;
    return RGB(r, g, b);
}

CtlZellen ctlZellenMessen(HFONT schrift, int breite, int hoehe, int hoechstens)
{
    CtlZellen z{8, 16, 0, 0};
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(dc, schrift);
    TEXTMETRIC tm{};
    if (GetTextMetrics(dc, &tm)) {
        z.breite = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 1;
        z.hoehe = tm.tmHeight;
    }
    SelectObject(dc, alt);
    DeleteDC(dc);
    z.sichtbar = (breite - 8) / z.breite;
    if (z.sichtbar < 0) z.sichtbar = 0;
    if (z.sichtbar > hoechstens) z.sichtbar = hoechstens;
    z.oben = (hoehe - z.hoehe) / 2;
    return z;
}

// ---- Bitmap and metafile files ------------------------------------------------------------------

HBITMAP bmpDateiLaden(HDC, const char* datei, RECT* box)
{
    HBITMAP b = datei ? wiBmpDateiLaden(datei) : 0;
    if (box) {
        *box = RECT{0, 0, 0, 0};
        BITMAP bm{};
        if (b != 0 && GetObject(b, sizeof bm, &bm) != 0) *box = RECT{0, 0, bm.bmWidth, bm.bmHeight};
    }
    return b;
}

HBITMAP bmpResLaden(const char* name, HMODULE modul)
{
    return LoadBitmap(modul != 0 ? modul : ctlInstanz(), name);
}

HBITMAP bmpHintergrund(HBITMAP quelle, COLORREF farbe)
{
    BITMAP bm{};
    if (quelle == 0 || GetObject(quelle, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) return 0;
    const int w = bm.bmWidth;
    const int h = bm.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> punkte(static_cast<size_t>(w) * static_cast<size_t>(h));
    HDC schirm = GetDC(0);
    HBITMAP ziel = 0;
    if (GetDIBits(schirm, quelle, 0, static_cast<UINT>(h), punkte.data(), &bi, DIB_RGB_COLORS) != 0) {
        // DIB pixels are 0x00RRGGBB; the key RGB(240, 240, 240) reads the same either way
        const uint32_t schluessel = 0x00F0F0F0u;
        const uint32_t ersatz = (static_cast<uint32_t>(GetRValue(farbe)) << 16) |
                                (static_cast<uint32_t>(GetGValue(farbe)) << 8) | GetBValue(farbe);
        for (uint32_t& p : punkte) {
            if ((p & 0x00FFFFFFu) == schluessel) p = ersatz;
        }
        ziel = CreateCompatibleBitmap(schirm, w, h);
        if (ziel != 0) SetDIBits(schirm, ziel, 0, static_cast<UINT>(h), punkte.data(), &bi, DIB_RGB_COLORS);
    }
    ReleaseDC(0, schirm);
    return ziel;
}

HGLOBAL wmfDateiLaden(const char* datei, RECT* box)
{
    int b[4] = {0, 0, 0, 0};
    HGLOBAL block = datei ? wiMetaDateiLaden(datei, b) : 0;
    if (box) *box = block != 0 ? RECT{b[0], b[1], b[2], b[3]} : RECT{0, 0, 0, 0};
    return block;
}

HMETAFILE wmfAbspielbar(HGLOBAL block)
{
    return block != 0 ? wiMetaAusSpeicher(block) : 0;
}
