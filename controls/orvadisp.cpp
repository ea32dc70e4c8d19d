// ORVADISP, the display-list surface: one keyword command per window text
// draws into the control's back bitmap (exactly width x height, compatible
// with the screen); paint copies it to the screen. Questions ("GET ...") are
// answered through get-text. Mouse, keys, wheel and focus become WM_COMMAND
// notifications to the parent; gestures 2062-2064 are posted.
// Prefix `disp`. Calls the class core (ctlkern) and platform/.
//
// Drag state machine: 0 idle -> (left down) 1 -> (move >= 5 px in x or y)
// 2 dragging -> (left up) 0; left up from 1 returns to 0 without drag
// notifications; losing the focus returns to 0.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "controls/ctlkern.h"
#include "controls/ctlklassen.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/kopierdaten.h"
#include "platform/metafile.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

constexpr int DISPBEFEHLSUP = 100;  // characters of a command taken
constexpr int DISPANTWORTSUP = 204;
constexpr int DISPZIEHSCHWELLE = 5;

struct DispOffen;

struct DispZustand {
    int breite;
    int hoehe;
    DWORD stil;
    HFONT schrift;
    COLORREF farbe;
    COLORREF hintergrund;
    HBITMAP bild;
    // Cleared and not drawn on since: the back bitmap is made at the first
    // drawing, and painting shows the plain background. A list cleared,
    // sized and cleared again, or a display never drawn on, allocates and
    // fills no bitmap.
    bool leer;
    COLORREF leerFarbe;  // the background at the clear
    bool fokus;
    int fokusBox[4];
    int textBox[4];
    int klickX, klickY;
    int textUnten;
    char antwort[DISPANTWORTSUP];
    bool knopf;
    bool gedrueckt;
    bool gefangen;
    bool schwebend;
    int zeichenMeldung;
    int tastenMeldung;
    int ziehZustand;
    int ziehStartX, ziehStartY;
    int ziehPunktX, ziehPunktY;
    HWND besitzer;
    // Drawing commands held while the window is not shown, or shown where
    // no one has looked at its pixels yet (null: none), carried out when
    // it is painted or asked: a list filled and cleared again before it is
    // seen then draws its rows once, and a run without a screen that never
    // reads the window draws none.
    std::vector<DispOffen>* offen;
};

// ---- Back bitmap -------------------------------------------------------------------------------

void dispBildMachen(DispZustand* z);

// A drawing context on the back bitmap; restores everything on scope end.
struct DispDC {
    HDC dc = 0;
    HGDIOBJ altBild = 0;
    explicit DispDC(DispZustand* z)
    {
        dispBildMachen(z);
        dc = CreateCompatibleDC(0);
        plDcOberflaeche(dc);  // list and display texts are UI text
        if (z->bild != 0) altBild = SelectObject(dc, z->bild);
    }
    ~DispDC()
    {
        if (altBild != 0) SelectObject(dc, altBild);
        DeleteDC(dc);
    }
    DispDC(const DispDC&) = delete;
    DispDC& operator=(const DispDC&) = delete;
};

void dispLeeren(DispZustand* z)
{
    // A bitmap of the size stays for the next drawing: a list cleared for
    // every repaint draws on memory it has, not on fresh pages.
    BITMAP bm{};
    if (z->bild != 0 && (GetObject(z->bild, sizeof bm, &bm) == 0 || bm.bmWidth != std::max(z->breite, 1) ||
                         bm.bmHeight != std::max(z->hoehe, 1))) {
        DeleteObject(z->bild);
        z->bild = 0;
    }
    z->leer = true;
    z->leerFarbe = ctlHintergrundFarbe(z->stil);  // the system colour itself, not the background field
}

// The cleared back bitmap, made (or wiped) when something is drawn on it.
void dispBildMachen(DispZustand* z)
{
    if (!z->leer) return;
    z->leer = false;
    const bool neu = z->bild == 0;
    if (neu) {
        HDC schirm = GetDC(0);
        z->bild = CreateCompatibleBitmap(schirm, std::max(z->breite, 1), std::max(z->hoehe, 1));
        ReleaseDC(0, schirm);
        if (z->bild == 0) return;
    }
    DispDC d(z);
    // a new bitmap is black, which the frame ring keeps
    if (!neu && (z->stil & 3) != 0) ctlFlaeche(d.dc, 0, 0, z->breite, z->hoehe, RGB(0, 0, 0));
    ctlHintergrundMalen(d.dc, z->breite, z->hoehe, z->stil, z->leerFarbe);
}

// ---- Arguments ---------------------------------------------------------------------------------

int dispX(const DispZustand* z, int x) { return x < 0 ? z->breite + x : x; }
int dispY(const DispZustand* z, int y) { return y < 0 ? z->hoehe + y : y; }

void dispBoxLesen(const char** p, int b[4])
{
    for (int i = 0; i < 4; ++i) b[i] = ctlZahlLesen(p);
}

void dispBoxFern(const DispZustand* z, int b[4])
{
    b[0] = dispX(z, b[0]);
    b[1] = dispY(z, b[1]);
    b[2] = dispX(z, b[2]);
    b[3] = dispY(z, b[3]);
}

void dispNormal(int b[4])
{
    if (b[0] > b[2]) std::swap(b[0], b[2]);
    if (b[1] > b[3]) std::swap(b[1], b[3]);
}

const char* dispLeerWeg(const char* p)
{
    while (*p == ' ') ++p;
    return p;
}

// ---- Drawing commands --------------------------------------------------------------------------

void dispLinie(DispZustand* z, const char* p)
{
    int b[4];
    dispBoxLesen(&p, b);
    dispBoxFern(z, b);
    DispDC d(z);
    HPEN stift = CreatePen(PS_SOLID, 1, z->farbe);
    HGDIOBJ alt = SelectObject(d.dc, stift);
    MoveToEx(d.dc, b[0], b[1], nullptr);
    LineTo(d.dc, b[2], b[3]);
    SelectObject(d.dc, alt);
    DeleteObject(stift);
}

void dispKasten(DispZustand* z, const char* p, bool fuellen)
{
    int b[4];
    dispBoxLesen(&p, b);
    dispBoxFern(z, b);
    dispNormal(b);
    DispDC d(z);
    RECT r{b[0], b[1], b[2], b[3]};
    HBRUSH pinsel = CreateSolidBrush(z->farbe);
    if (fuellen) {
        FillRect(d.dc, &r, pinsel);
    } else {
        FrameRect(d.dc, &r, pinsel);
    }
    DeleteObject(pinsel);
}

// Ellipse and pie: filled in the drawing colour, outlined in black; the
// box is taken as given (no counting from the far edge).
void dispRundung(DispZustand* z, const char* p, bool tortenStueck)
{
    int b[4];
    dispBoxLesen(&p, b);
    int w = ctlZahlLesen(&p);
    (void)w;  // read and ignored
    int prozent = ctlZahlLesen(&p);
    DispDC d(z);
    HBRUSH pinsel = CreateSolidBrush(z->farbe);
    HPEN stift = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ altP = SelectObject(d.dc, pinsel);
    HGDIOBJ altS = SelectObject(d.dc, stift);
    if (!tortenStueck) {
        dispNormal(b);
        Ellipse(d.dc, b[0], b[1], b[2], b[3]);
    } else {
        const double a = prozent * 2.0 * M_PI / 100.0;
        const double r = (b[2] - b[0]) / 2.0;
        int xs = b[0] + static_cast<int>(std::trunc((std::sin(a) + 1.0) * r));
        int ys = b[1] + static_cast<int>(std::trunc((1.0 - std::cos(a)) * r));
        int xe = b[0] + static_cast<int>(std::trunc(r));
        int ye = b[1];
        Pie(d.dc, b[0], b[1], b[2], b[3], xs, ys, xe, ye);
    }
    SelectObject(d.dc, altS);
    SelectObject(d.dc, altP);
    DeleteObject(stift);
    DeleteObject(pinsel);
}

void dispText(DispZustand* z, const char* p, UINT ausrichtung)
{
    int x = dispX(z, ctlZahlLesen(&p));
    int y = dispY(z, ctlZahlLesen(&p));
    p = dispLeerWeg(p);
    if (*p == 2) ++p;
    DispDC d(z);
    HGDIOBJ alt = SelectObject(d.dc, z->schrift);
    SetTextAlign(d.dc, TA_BASELINE | ausrichtung);
    SetBkMode(d.dc, TRANSPARENT);
    SetTextColor(d.dc, z->farbe);
    TextOut(d.dc, x, y, p, static_cast<int>(std::strlen(p)));
    SelectObject(d.dc, alt);
}

void dispBbx(DispZustand* z, const char* p)
{
    char seite[8];
    char op[8];
    ctlWortLesen(&p, seite, sizeof seite);
    ctlWortLesen(&p, op, sizeof op);
    int n = ctlZahlLesen(&p);
    strgross(seite);
    int i;
    if (std::strcmp(seite, "LOX") == 0) {
        i = 0;
    } else if (std::strcmp(seite, "LOY") == 0) {
        i = 1;
    } else if (std::strcmp(seite, "RUX") == 0) {
        i = 2;
    } else if (std::strcmp(seite, "RUY") == 0) {
        i = 3;
    } else {
        return;
    }
    switch (op[0]) {
    case '+': z->textBox[i] += n; break;
    case '.': z->textBox[i] = n + z->textUnten; break;
    case '=': z->textBox[i] = n; break;
    default: break;
    }
}

void dispBoxText(DispZustand* z, const char* text)
{
    DispDC d(z);
    HGDIOBJ alt = SelectObject(d.dc, z->schrift);
    SetBkMode(d.dc, TRANSPARENT);
    SetTextColor(d.dc, z->farbe);
    RECT r{z->textBox[0], z->textBox[1], z->textBox[2], z->textBox[3]};
    int h = DrawText(d.dc, text, static_cast<int>(std::strlen(text)), &r, DT_WORDBREAK | DT_NOPREFIX | DT_LEFT);
    SelectObject(d.dc, alt);
    z->textUnten = z->textBox[1] + h;
}

// Steps 1-4 of fitting a picture of bw x bh into the box b, aspect kept.
void dispEinpassen(int b[4], int bw, int bh)
{
    double boxQ = b[3] == b[1] ? 1.0 : static_cast<double>(b[2] - b[0]) / (b[3] - b[1]);
    if (boxQ < 0.1) boxQ = 1.0;
    double bildQ = bh == 0 ? 1.0 : static_cast<double>(bw) / bh;
    if (bildQ < 0.1) bildQ = 1.0;
    if (bildQ > boxQ) {
        int m = static_cast<int>(std::trunc(((b[3] - b[1]) - (b[2] - b[0]) / bildQ) / 2.0));
        b[1] += m;
        b[3] -= m;
    } else if (boxQ > bildQ) {
        int m = static_cast<int>(std::trunc(((b[2] - b[0]) - bildQ * (b[3] - b[1])) / 2.0));
        b[0] += m;
        b[2] -= m;
    }
}

void dispBildSetzen(DispZustand* z, HBITMAP bild, int x, int y, int w, int h, bool strecken)
{
    BITMAP bm{};
    if (bild == 0 || GetObject(bild, sizeof bm, &bm) == 0) return;
    DispDC d(z);
    HDC quelle = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(quelle, bild);
    if (strecken) {
        SetStretchBltMode(d.dc, COLORONCOLOR);
        StretchBlt(d.dc, x, y, w, h, quelle, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    } else {
        BitBlt(d.dc, x, y, bm.bmWidth, bm.bmHeight, quelle, 0, 0, SRCCOPY);
    }
    SelectObject(quelle, alt);
    DeleteDC(quelle);
}

// "name" or "name(module handle)"; 0 or no parentheses: the program's module.
HBITMAP dispResBild(const char* text)
{
    char name[DISPBEFEHLSUP + 1];
    ctlKopie(name, text, sizeof name);
    HMODULE modul = 0;
    char* klammer = std::strchr(name, '(');
    if (klammer != nullptr) {
        modul = static_cast<HMODULE>(std::strtoul(klammer + 1, nullptr, 10));
        *klammer = '\0';
    }
    strtrim(name);
    return bmpResLaden(name, modul);
}

// BMP, BMPS, BMPRC, BMPFI.
void dispBitmap(DispZustand* z, const char* p, const char* wort)
{
    const bool natur = std::strcmp(wort, "BMP") == 0;
    const bool schluessel = std::strcmp(wort, "BMPRC") == 0 || std::strcmp(wort, "BMPFI") == 0;
    int b[4] = {0, 0, 0, 0};
    if (natur) {
        b[0] = dispX(z, ctlZahlLesen(&p));
        b[1] = dispY(z, ctlZahlLesen(&p));
    } else {
        dispBoxLesen(&p, b);
        dispBoxFern(z, b);
    }
    p = dispLeerWeg(p);
    HBITMAP bild = std::strcmp(wort, "BMPRC") == 0 ? dispResBild(p) : bmpDateiLaden(0, p, nullptr);
    if (bild == 0) return;
    if (schluessel) {
        HBITMAP ersetzt = bmpHintergrund(bild, z->hintergrund);
        DeleteObject(bild);
        bild = ersetzt;
        if (bild == 0) return;
    }
    BITMAP bm{};
    GetObject(bild, sizeof bm, &bm);
    if (natur) {
        dispBildSetzen(z, bild, b[0], b[1], 0, 0, false);
    } else {
        if (schluessel && b[2] == 0 && b[3] == 0) {
            b[2] = b[0] + bm.bmWidth;
            b[3] = b[1] + bm.bmHeight;
        }
        dispEinpassen(b, bm.bmWidth, bm.bmHeight);
        dispBildSetzen(z, bild, b[0], b[1], b[2] - b[0], b[3] - b[1], true);
    }
    DeleteObject(bild);
}

void dispMetafile(DispZustand* z, const char* p)
{
    int b[4];
    dispBoxLesen(&p, b);
    dispBoxFern(z, b);
    p = dispLeerWeg(p);
    RECT kopf{};
    HGLOBAL block = wmfDateiLaden(p, &kopf);
    if (block == 0) return;
    HMETAFILE mf = wmfAbspielbar(block);
    GlobalFree(block);
    if (mf == 0) return;
    int mw = kopf.right - kopf.left;
    int mh = kopf.bottom - kopf.top;
    if (mw != 0 && mh != 0) dispEinpassen(b, std::abs(mw), std::abs(mh));
    DispDC d(z);
    int gesichert = SaveDC(d.dc);
    SetMapMode(d.dc, MM_ANISOTROPIC);
    SetViewportOrgEx(d.dc, b[0], b[1], nullptr);
    SetViewportExtEx(d.dc, b[2] - b[0], b[3] - b[1], nullptr);
    PlayMetaFile(d.dc, mf);
    RestoreDC(d.dc, gesichert);
    DeleteMetaFile(mf);
}

void dispFrage(DispZustand* z, const char* p)
{
    char was[16];
    ctlWortLesen(&p, was, sizeof was);
    strgross(was);
    char* a = z->antwort;
    const size_t n = sizeof z->antwort;
    if (std::strcmp(was, "SIZE") == 0) {
        std::snprintf(a, n, "%d %d", z->breite, z->hoehe);
    } else if (std::strcmp(was, "CLICK") == 0) {
        std::snprintf(a, n, "%d %d", z->klickX, z->klickY);
    } else if (std::strcmp(was, "BBX") == 0) {
        std::snprintf(a, n, "%d %d %d %d", z->textBox[0], z->textBox[1], z->textBox[2], z->textBox[3]);
    } else if (std::strcmp(was, "DRAGSTART") == 0) {
        std::snprintf(a, n, "%d %d", z->ziehStartX, z->ziehStartY);
    } else if (std::strcmp(was, "DRAGSTOP") == 0) {
        std::snprintf(a, n, "%d %d", z->ziehPunktX, z->ziehPunktY);
    }
}

// Commands held while the window is not shown: those that draw, and those
// that set what drawing uses. The others (input settings, the focus box,
// questions) act at once.
enum class DispArt : uint8_t {
    Sofort,      // acts at once
    Bild,        // leaves only pixels, which a later clear wipes
    Farbe,       // the settings below outlive a clear
    Hintergrund,
    Schrift,
    Box,
    BoxText,     // measures with the font
};

DispArt dispZeichnend(const char* wort)
{
    static const char* const nurBild[] = {"CLEAR", "LINE",  "RECT",  "FILL", "ELLIPSE", "PIE", "TEXT", "LTEXT",
                                          "CTEXT", "RTEXT", "BMP",   "BMPS", "BMPRC",   "BMPFI", "WMF", "PAINT"};
    for (const char* w : nurBild)
        if (std::strcmp(wort, w) == 0) return DispArt::Bild;
    if (std::strcmp(wort, "COLOR") == 0) return DispArt::Farbe;
    if (std::strcmp(wort, "BGCOLOR") == 0) return DispArt::Hintergrund;
    if (std::strcmp(wort, "FONT") == 0) return DispArt::Schrift;
    if (std::strcmp(wort, "BBX") == 0) return DispArt::Box;
    if (std::strcmp(wort, "BBXTEXT") == 0) return DispArt::BoxText;
    return DispArt::Sofort;
}

// A held command; a font is held as the font itself (FONT n as the font n
// named when it was given, WM_SETFONT's font), not its command.
struct DispOffen {
    DispArt art;
    std::string befehl;
    HFONT schrift = 0;
};

void dispBefehlAusfuehren(HWND fenster, DispZustand* z, const char* voll);

// The displays holding commands: a font they hold is drawn with before it
// is deleted.
std::vector<HWND> dispHaltende;

// Carries out the held commands (in their order).
void dispNachholen(HWND fenster, DispZustand* z)
{
    if (z->offen == nullptr) return;
    std::vector<DispOffen> befehle;
    befehle.swap(*z->offen);
    delete z->offen;
    z->offen = nullptr;
    std::erase(dispHaltende, fenster);
    for (const DispOffen& b : befehle) {
        if (b.art == DispArt::Schrift) {
            z->schrift = b.schrift;
        } else {
            dispBefehlAusfuehren(fenster, z, b.befehl.c_str());
        }
    }
}

void dispSchriftFrei(HFONT schrift)
{
    const std::vector<HWND> haltende = dispHaltende;
    for (HWND h : haltende) {
        auto* z = ctlZustandVon<DispZustand>(h);
        if (z == nullptr || z->offen == nullptr) {
            std::erase(dispHaltende, h);
            continue;
        }
        bool braucht = z->schrift == schrift;
        for (const DispOffen& b : *z->offen) braucht = braucht || b.schrift == schrift;
        if (braucht) dispNachholen(h, z);
    }
}

// A clear (or a new size) wipes the pixels of the held commands before it;
// what they set stays, and of a setting given again only the last counts
// (a font only up to a text box measured with it): a list cleared for
// every repaint holds its last rows, not every row it ever drew.
void dispOffenWischen(DispZustand* z)
{
    if (z->offen == nullptr) return;
    std::vector<DispOffen>& v = *z->offen;
    bool farbe = false, hintergrund = false, schrift = false;
    for (size_t i = v.size(); i-- > 0;) {
        bool weg = false;
        switch (v[i].art) {
        case DispArt::Bild: weg = true; break;
        case DispArt::Farbe: weg = std::exchange(farbe, true); break;
        case DispArt::Hintergrund: weg = std::exchange(hintergrund, true); break;
        case DispArt::Schrift: weg = std::exchange(schrift, true); break;
        case DispArt::BoxText: schrift = false; break;
        default: break;
        }
        if (weg) v[i].art = DispArt::Sofort;  // marked, removed below
    }
    std::erase_if(v, [](const DispOffen& b) { return b.art == DispArt::Sofort; });
}

constexpr size_t DISPOFFENSUP = 4096;  // held commands; more are carried out

void dispHalten(HWND fenster, DispZustand* z, DispOffen b)
{
    if (z->offen == nullptr) {
        z->offen = new std::vector<DispOffen>;
        dispHaltende.push_back(fenster);
        plSchriftFreiHookSetzen(dispSchriftFrei);
    }
    z->offen->push_back(std::move(b));
    if (z->offen->size() >= DISPOFFENSUP) dispNachholen(fenster, z);
}

// The font a FONT command names (0: none; the command then does nothing).
HFONT dispSchriftVon(const char* voll)
{
    char puffer[DISPBEFEHLSUP + 1];
    ctlKopie(puffer, voll, sizeof puffer);
    const char* p = dispLeerWeg(puffer);
    char wort[16];
    ctlWortLesen(&p, wort, sizeof wort);
    char rest[DISPBEFEHLSUP + 1];
    ctlKopie(rest, p, sizeof rest);
    strtrim(rest);
    const char* a = rest;
    const int n = ctlZahlLesen(&a);
    return n >= 0 && n < CTLSCHRIFTSUP ? ctlSchrift(n) : 0;
}

void dispBefehl(HWND fenster, DispZustand* z, const char* voll)
{
    char wort[16];
    const char* p = dispLeerWeg(voll);
    ctlWortLesen(&p, wort, sizeof wort);
    strgross(wort);
    const DispArt art = dispZeichnend(wort);
    if (art == DispArt::Sofort) {
        if (std::strcmp(wort, "GET") == 0) dispNachholen(fenster, z);  // answers as after drawing
        dispBefehlAusfuehren(fenster, z, voll);
        return;
    }
    const bool sichtbar = IsWindowVisible(fenster);
    if (sichtbar && !plFensterUngesehen(fenster)) {
        dispNachholen(fenster, z);
        dispBefehlAusfuehren(fenster, z, voll);
        return;
    }
    if (std::strcmp(wort, "PAINT") == 0) {
        // Shown where no one looks yet: the paint takes its place among the
        // window's held paints and draws the held commands when it is made.
        if (sichtbar) dispBefehlAusfuehren(fenster, z, voll);
        return;  // not shown: painting comes with showing
    }
    if (std::strcmp(wort, "CLEAR") == 0) dispOffenWischen(z);
    if (art == DispArt::Schrift) {
        if (HFONT f = dispSchriftVon(voll)) dispHalten(fenster, z, DispOffen{art, {}, f});
        return;
    }
    dispHalten(fenster, z, DispOffen{art, voll});
}

void dispBefehlAusfuehren(HWND fenster, DispZustand* z, const char* voll)
{
    char puffer[DISPBEFEHLSUP + 1];
    ctlKopie(puffer, voll, sizeof puffer);
    const char* p = dispLeerWeg(puffer);
    char wort[16];
    ctlWortLesen(&p, wort, sizeof wort);
    strgross(wort);
    // the rest, trimmed at both ends
    char rest[DISPBEFEHLSUP + 1];
    ctlKopie(rest, p, sizeof rest);
    strtrim(rest);
    const char* a = rest;

    if (std::strcmp(wort, "KNOPF") == 0) {
        z->knopf = true;
    } else if (std::strcmp(wort, "CHARMESSAGE") == 0) {
        z->zeichenMeldung = ctlZahlLesen(&a);
    } else if (std::strcmp(wort, "KEYMESSAGE") == 0) {
        z->tastenMeldung = ctlZahlLesen(&a);
    } else if (std::strcmp(wort, "CLEAR") == 0) {
        dispLeeren(z);
    } else if (std::strcmp(wort, "COLOR") == 0) {
        z->farbe = strvgl(rest, "BTNFACE") == 0 ? GetSysColor(COLOR_BTNFACE) : ctlFarbeLesen(a);
    } else if (std::strcmp(wort, "BGCOLOR") == 0) {
        z->hintergrund = ctlFarbeLesen(a);
    } else if (std::strcmp(wort, "FONT") == 0) {
        if (HFONT f = dispSchriftVon(voll)) z->schrift = f;
    } else if (std::strcmp(wort, "LINE") == 0) {
        dispLinie(z, a);
    } else if (std::strcmp(wort, "RECT") == 0) {
        dispKasten(z, a, false);
    } else if (std::strcmp(wort, "FILL") == 0) {
        dispKasten(z, a, true);
    } else if (std::strcmp(wort, "ELLIPSE") == 0) {
        dispRundung(z, a, false);
    } else if (std::strcmp(wort, "PIE") == 0) {
        dispRundung(z, a, true);
    } else if (std::strcmp(wort, "TEXT") == 0 || std::strcmp(wort, "LTEXT") == 0) {
        dispText(z, a, TA_LEFT);
    } else if (std::strcmp(wort, "CTEXT") == 0) {
        dispText(z, a, TA_CENTER);
    } else if (std::strcmp(wort, "RTEXT") == 0) {
        dispText(z, a, TA_RIGHT);
    } else if (std::strcmp(wort, "BBX") == 0) {
        dispBbx(z, a);
    } else if (std::strcmp(wort, "BBXTEXT") == 0) {
        // the full text, not the 100-character copy
        const char* q = dispLeerWeg(voll);
        while (*q != '\0' && *q != ' ') ++q;
        dispBoxText(z, dispLeerWeg(q));
    } else if (std::strcmp(wort, "BMP") == 0 || std::strcmp(wort, "BMPS") == 0 ||
               std::strcmp(wort, "BMPRC") == 0 || std::strcmp(wort, "BMPFI") == 0) {
        dispBitmap(z, a, wort);
    } else if (std::strcmp(wort, "WMF") == 0) {
        dispMetafile(z, a);
    } else if (std::strcmp(wort, "FOCUS") == 0) {
        dispBoxLesen(&a, z->fokusBox);
    } else if (std::strcmp(wort, "GET") == 0) {
        dispFrage(z, a);
    } else if (std::strcmp(wort, "PAINT") == 0) {
        InvalidateRect(fenster, nullptr, FALSE);
        UpdateWindow(fenster);
    }
}

// ---- Messages ----------------------------------------------------------------------------------

void dispMalen(HWND fenster, DispZustand* z)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(fenster, &ps);
    if (z->leer) {
        // what the cleared bitmap holds: black under the 1-pixel edge, the
        // background inside it
        if ((z->stil & 3) != 0) ctlFlaeche(dc, 0, 0, z->breite, z->hoehe, RGB(0, 0, 0));
        ctlHintergrundMalen(dc, z->breite, z->hoehe, z->stil, z->leerFarbe);
    } else if (z->bild != 0) {
        HDC quelle = CreateCompatibleDC(dc);
        HGDIOBJ alt = SelectObject(quelle, z->bild);
        BitBlt(dc, 0, 0, z->breite, z->hoehe, quelle, 0, 0, SRCCOPY);
        SelectObject(quelle, alt);
        DeleteDC(quelle);
    } else {
        ctlFlaeche(dc, 0, 0, z->breite, z->hoehe, RGB(255, 255, 255));
    }
    const int* f = z->fokusBox;
    if (z->fokus && (f[0] | f[1] | f[2] | f[3]) != 0) {
        RECT r{f[0], f[1], f[2], f[3]};
        DrawFocusRect(dc, &r);
    }
    if (z->knopf) {
        ctlKnopfRahmenMalen(dc, z->breite, z->hoehe, z->gedrueckt, z->schwebend);
    } else {
        ctlRahmenMalen(dc, z->breite, z->hoehe, z->stil);
    }
    EndPaint(fenster, &ps);
}

void dispMelden(HWND fenster, LPARAM ereignis)
{
    SendMessage(GetParent(fenster), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(fenster)), ereignis);
}

bool dispGedrueckt(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// The key letter of a virtual key, or 0.
int dispTastenBuchstabe(int vk, bool strg, bool umsch)
{
    switch (vk) {
    case 13: return 'C';
    case 32: return 'S';
    case 33: return 'P';
    case 34: return 'N';
    case 35: return 'E';
    case 36: return 'H';
    case 37: return 'L';
    case 38: return 'U';
    case 39: return 'R';
    case 40: return 'D';
    case 45: return umsch ? 'v' : (strg ? 'c' : 'i');
    case 46: return umsch ? 'x' : 'd';
    case 93: return 'M';
    case 65: case 97: return strg ? 'a' : 0;
    case 67: case 99: return strg ? 'c' : 0;
    case 86: case 118: return strg ? 'v' : 0;
    case 88: case 120: return strg ? 'x' : 0;
    default: return 0;
    }
}

void dispTaste(HWND fenster, DispZustand* z, int vk)
{
    const int id = GetDlgCtrlID(fenster);
    const bool strg = dispGedrueckt(VK_CONTROL);
    const bool umsch = dispGedrueckt(VK_SHIFT);
    if (vk >= 13 && vk <= 120) {
        int buchstabe = dispTastenBuchstabe(vk, strg, umsch);
        if (buchstabe == 'M') {
            z->klickX = (z->fokusBox[0] + z->fokusBox[2]) / 2;
            z->klickY = (z->fokusBox[1] + z->fokusBox[3]) / 2;
        }
        if (buchstabe != 0 && id > 0) dispMelden(fenster, (static_cast<LPARAM>(buchstabe) << 16) + (umsch ? 2 : 1));
    }
    if (z->tastenMeldung != 0) {
        SendMessage(GetParent(fenster), WM_COMMAND, static_cast<WPARAM>(z->tastenMeldung), vk);
    }
}

void dispKnopfRunter(HWND fenster, DispZustand* z, WPARAM wp, int x, int y)
{
    const int id = GetDlgCtrlID(fenster);
    z->gedrueckt = true;
    if (!z->gefangen) {
        SetCapture(fenster);
        z->gefangen = true;
    }
    z->klickX = z->ziehStartX = x;
    z->klickY = z->ziehStartY = y;
    z->ziehZustand = 1;
    const bool strg = (wp & MK_CONTROL) != 0;
    const bool umsch = (wp & MK_SHIFT) != 0;
    if (id > 0) dispMelden(fenster, strg ? 0x310005 : (umsch ? 0x310004 : 0x310003));
    if (!strg && !umsch) ctlGestePosten(fenster, CTLGESTEANFANG, x, y);
    if (z->knopf) InvalidateRect(fenster, nullptr, FALSE);
}

void dispBewegen(HWND fenster, DispZustand* z, int x, int y)
{
    if (ctlSchwebenPruefen(fenster, z->besitzer, x, y, &z->schwebend, &z->gefangen, z->ziehZustand == 2,
                           &z->gedrueckt) &&
        z->knopf) {
        InvalidateRect(fenster, nullptr, FALSE);
    }
    ctlGestePosten(fenster, CTLGESTEZUG, x, y);
    z->ziehPunktX = x;
    z->ziehPunktY = y;
    if (z->ziehZustand == 2) {
        dispMelden(fenster, 0x310008);
    } else if (z->ziehZustand == 1 &&
               (std::abs(x - z->ziehStartX) >= DISPZIEHSCHWELLE || std::abs(y - z->ziehStartY) >= DISPZIEHSCHWELLE)) {
        z->ziehZustand = 2;
        dispMelden(fenster, 0x310007);
    }
}

void dispKnopfHoch(HWND fenster, DispZustand* z, int x, int y)
{
    const bool war = z->gedrueckt;
    z->gedrueckt = false;
    z->schwebend = false;
    if (z->gefangen) {
        z->gefangen = false;
        ReleaseCapture();
    }
    if (z->knopf) {
        InvalidateRect(fenster, nullptr, FALSE);
        if (war && GetDlgCtrlID(fenster) > 0) dispMelden(fenster, 0x31000a);
    }
    ctlGestePosten(fenster, CTLGESTEENDE, x, y);
    if (z->ziehZustand == 2) {
        z->ziehPunktX = x;
        z->ziehPunktY = y;
        dispMelden(fenster, 0x310009);
    }
    z->ziehZustand = 0;
}

LRESULT dispAnlegen(HWND fenster, const CREATESTRUCT* cs)
{
    auto* z = static_cast<DispZustand*>(ctlZustandAnlegen(fenster, sizeof(DispZustand)));
    if (z == nullptr) return -1;
    z->breite = cs->cx;
    z->hoehe = cs->cy;
    z->stil = static_cast<DWORD>(cs->style);
    z->schrift = ctlSchrift(0);
    z->hintergrund = ctlHintergrundFarbe(z->stil);
    z->fokusBox[0] = 2;
    z->fokusBox[1] = 2;
    z->fokusBox[2] = z->breite - 2;
    z->fokusBox[3] = z->hoehe - 2;
    z->besitzer = ctlBesitzer(fenster);
    dispLeeren(z);
    return 0;
}

void dispBildKopie(HWND fenster, DispZustand* z, const COPYDATASTRUCT* cd)
{
    if (cd == nullptr || cd->dwData != 1 || cd->cbData < 4 || cd->lpData == nullptr) return;
    uint32_t h = 0;
    std::memcpy(&h, cd->lpData, 4);
    BITMAP bm{};
    if (h == 0 || GetObject(static_cast<HBITMAP>(h), sizeof bm, &bm) == 0) return;
    dispBildSetzen(z, static_cast<HBITMAP>(h), (z->breite - bm.bmWidth) / 2, (z->hoehe - bm.bmHeight) / 2, 0, 0,
                   false);
    InvalidateRect(fenster, nullptr, FALSE);
    UpdateWindow(fenster);
}

int dispAntwortHolen(const DispZustand* z, char* puffer, int groesse)
{
    if (puffer == nullptr || groesse <= 0) return 0;
    ctlKopie(puffer, z->antwort, static_cast<size_t>(groesse));
    int n = static_cast<int>(std::strlen(puffer));
    while (n > 0 && (puffer[n - 1] == ' ' || puffer[n - 1] == '\t' || puffer[n - 1] == '\r' ||
                     puffer[n - 1] == '\n')) {
        puffer[--n] = '\0';
    }
    return n;
}

}  // namespace

int ctlDispOffen(HWND fenster)
{
    const auto* z = ctlZustandVon<DispZustand>(fenster);
    return z && z->offen ? static_cast<int>(z->offen->size()) : 0;
}

bool ctlDispBildDa(HWND fenster)
{
    const auto* z = ctlZustandVon<DispZustand>(fenster);
    return z && z->bild != 0;
}

LRESULT CALLBACK ctlDispProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_CREATE) return dispAnlegen(fenster, reinterpret_cast<const CREATESTRUCT*>(lp));
    auto* z = ctlZustandVon<DispZustand>(fenster);
    if (z == nullptr) return DefWindowProc(fenster, nachricht, wp, lp);
    const int x = GET_X_LPARAM(lp);
    const int y = GET_Y_LPARAM(lp);
    switch (nachricht) {
    case WM_DESTROY:
        delete z->offen;
        std::erase(dispHaltende, fenster);
        if (z->bild != 0) DeleteObject(z->bild);
        ctlZustandFrei(fenster);
        return 1;
    case WM_SIZE:
        dispOffenWischen(z);  // cleared below
        z->breite = LOWORD(lp);
        z->hoehe = HIWORD(lp);
        dispLeeren(z);
        InvalidateRect(fenster, nullptr, FALSE);
        return 1;
    case WM_PAINT:
        // A paint no one sees yet draws nowhere: the bitmap can wait for
        // the paint that is made when the pixels are first read.
        if (!plFensterUngesehen(fenster)) dispNachholen(fenster, z);
        dispMalen(fenster, z);
        return 1;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        // held in order after what is held: a held FONT before it must not win
        if (z->offen != nullptr) {
            dispHalten(fenster, z, DispOffen{DispArt::Schrift, {}, static_cast<HFONT>(wp)});
        } else {
            z->schrift = static_cast<HFONT>(wp);
        }
        return 1;
    case WM_SETTEXT:
        if (lp != 0) dispBefehl(fenster, z, reinterpret_cast<const char*>(lp));
        return 1;
    case WM_GETTEXT:
        return dispAntwortHolen(z, reinterpret_cast<char*>(lp), static_cast<int>(wp));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(std::strlen(z->antwort));
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
        z->fokus = true;
        InvalidateRect(fenster, nullptr, FALSE);
        dispMelden(fenster, 0x1000000);
        return 1;
    case WM_KILLFOCUS:
        z->fokus = z->gedrueckt = z->schwebend = false;
        if (z->gefangen) {
            z->gefangen = false;
            ReleaseCapture();
        }
        z->ziehZustand = 0;
        InvalidateRect(fenster, nullptr, FALSE);
        dispMelden(fenster, 0x2000000);
        return 1;
    case WM_COPYDATA:
        dispNachholen(fenster, z);
        dispBildKopie(fenster, z, reinterpret_cast<const COPYDATASTRUCT*>(lp));
        return 1;
    case WM_CAPTURECHANGED:
        if (z->knopf) {
            z->gedrueckt = z->gefangen = z->schwebend = false;
            InvalidateRect(fenster, nullptr, FALSE);
        } else if (static_cast<HWND>(lp) != fenster) {
            z->gefangen = false;
        }
        return 1;
    case WM_LBUTTONDOWN:
        dispKnopfRunter(fenster, z, wp, x, y);
        return 1;
    case WM_MOUSEMOVE:
        dispBewegen(fenster, z, x, y);
        return 1;
    case WM_LBUTTONUP:
        dispKnopfHoch(fenster, z, x, y);
        return 1;
    case WM_LBUTTONDBLCLK:
        z->klickX = x;
        z->klickY = y;
        if (GetDlgCtrlID(fenster) > 0) dispMelden(fenster, 0x310006);
        return 1;
    case WM_RBUTTONDOWN:
        z->klickX = x;
        z->klickY = y;
        if (GetDlgCtrlID(fenster) > 0) dispMelden(fenster, 0x320003);
        return 1;
    case WM_MOUSEWHEEL: {
        // the sign gives the direction: part of a notch still counts
        const int delta = GET_WHEEL_DELTA_WPARAM(wp);
        if (GetDlgCtrlID(fenster) > 0 && delta != 0) dispMelden(fenster, delta > 0 ? 0x3c0001 : 0x3e0001);
        return 1;
    }
    case WM_KEYDOWN:
        dispTaste(fenster, z, static_cast<int>(wp));
        return 1;
    case WM_CHAR:
        if (z->zeichenMeldung != 0 && !dispGedrueckt(VK_CONTROL)) {
            SendMessage(GetParent(fenster), WM_COMMAND, static_cast<WPARAM>(z->zeichenMeldung),
                        static_cast<LPARAM>(static_cast<unsigned char>(wp)));
        }
        return 1;
    default:
        return DefWindowProc(fenster, nachricht, wp, lp);
    }
}
