// Mouse and key handling; see knopf.h.
#include "editor/knopf.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "config/inidatei.h"
#include "config/reaktion.h"
#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/mehrfach.h"
#include "editor/objwahl.h"
#include "editor/kontext.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/tempzeic.h"
#include "output/ansicht.h"
#include "output/gdi.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/orte.h"
#include "platform/winconst.h"
#include "platform/zeichen.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"

namespace {

enum : int {
    K_BW = 20, K_BA = 21, K_ZL = 40, K_CPV = 149, K_CPR = 150, K_RLG = 146, K_RZT = 147, K_CFM = 148,
    K_FEN = 155, K_LUP = 156, K_BME = 157, K_BST = 159, K_SUP = 166, K_SUV = 167, K_WH = 180, K_BWE = 181,
    K_LE = 182, K_LER = 183, K_SUE = 185, K_SUA = 186, K_BER = 189, K_ELM = 190, K_LME = 191, K_ZAK = 193,
    K_ZAE = 194, K_ZAA = 196, K_UDB = 199, K_MFL = 176,
};

struct MausZ {
    int zustand = 0;  // 0 idle, 1 pressed, 2 dragging
    int art = 0;      // left gesture kind
    int rechts = 0;
    int mitte = 0;
    int px = 0, py = 0;  // press point
    int cx = 0, cy = 0;  // current point
};
MausZ mz;

std::unique_ptr<knopf[]> knolis;
int knoAnzahl = 0;
int ed45 = 0;
std::string knoPfad;  // the key file read last

int knoX(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int knoY(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }
double knoWeltX(int px) { return PixelZuWeltX(px); }
double knoWeltY(int py) { return PixelZuWeltY(py); }

void knoDruck(int x, int y)
{
    mz.px = mz.cx = x;
    mz.py = mz.cy = y;
}

bool knoLinienModus() { return BefFlags()->czl != 0; }

void knoUdb(int an) { BefEinreihenInt(K_UDB, an); }

// A pixel outside the drawing window (a captured drag may leave it).
bool knoAusserhalb(int x, int y)
{
    int w = 0, h = 0;
    AnsichtPixelGroesse(&w, &h);
    return w > 0 && h > 0 && (x < 0 || y < 0 || x >= w || y >= h);
}

void knoZiehenEnde()
{
    knoUdb(0);
    AnsichtMausFangen(0);
    if (mz.art >= 5 && mz.art <= 7) anwCursor(0);
}

// One coordinate on the grid in thousandths; no grid for a step below
// half a thousandth.
double knoRaster(double wert, double schritt)
{
    const long long s = std::llround(schritt * 1000);
    if (s == 0) return wert;
    const long long v = std::llround(wert * 1000);
    const long long r = (v >= 0 ? (v + s / 2) : (v - s / 2)) / s * s;
    return static_cast<double>(r) / 1000.0;
}

// A coordinate of a dragged handle: kept while less than one step from
// the grabbed coordinate, else on the grid from the origin.
double knoGriffRaster(double wert, double fest, double ursprung, double schritt)
{
    if (std::fabs(wert - fest) < schritt) return fest;
    return RasterRunden(ursprung, schritt, wert);
}

// A Shift drag point: snapped; a line from the current position while
// lines are drawn and nothing is under construction, else a move.
void knoShiftPunkt(double x, double y, int shift, int control, bool linieErlaubt)
{
    if (control) PunktFangenZeiger(&x, &y);
    PunktRasten(&x, &y, shift, control);
    if (linieErlaubt && !BaubfAktiv()) {
        LinieNach(x, y);
    } else {
        BefEinreihenIntXY(K_BA, BaubfAktiv() ? 0 : 1, x, y);
    }
}

void knoLinksKlick(int px, int py, int shift, int control)
{
    double x = knoWeltX(px), y = knoWeltY(py);
    if (control) PunktFangenZeiger(&x, &y);
    PunktRasten(&x, &y, shift, control);
    if (!shift) {
        BefEinreihenIntXY(K_BA, 1, x, y);
        return;
    }
    BefEinreihenIntXY(K_BA, 0, x, y);
    if (BaubfCode() == K_ZL) {
        BefAbarbeiten();
        BefEinreihenInt(K_BST, 1);
    } else if (!BaubfAktiv()) {
        BefAbarbeiten();
        BefEinreihenInt2(K_BST, 5, K_ZL);
        BefEinreihenInt2(K_BST, 6, 1);
    }
}

void knoRechtsKlick(int px, int py, int shift, int control)
{
    double x = knoWeltX(px), y = knoWeltY(py);
    if (shift) {
        PunktRasten(&x, &y, 0, 0);
        BefEinreihenXY(K_SUA, x, y);
    } else if (control) {
        BefEinreihenIntXY(K_SUE, BefFlags()->sumatx ? -3 : -1, x, y);
    } else {
        KontextMenueZeigen(px, py);
    }
}

void knoRechteck(double r[4])
{
    const double x1 = knoWeltX(mz.px), y1 = knoWeltY(mz.py), x2 = knoWeltX(mz.cx), y2 = knoWeltY(mz.cy);
    r[0] = std::fmin(x1, x2);
    r[1] = std::fmin(y1, y2);
    r[2] = std::fmax(x1, x2);
    r[3] = std::fmax(y1, y2);
}

void knoLinksLos(int shift, int control)
{
    if (mz.zustand == 2) {
        knoZiehenEnde();
        switch (mz.art) {
        case 2: {
            AnsichtGummiband(0, mz.px, mz.py, mz.cx, mz.cy);
            if (std::abs(mz.cx - mz.px) > KNOGUMMIGRENZE && std::abs(mz.cy - mz.py) > KNOGUMMIGRENZE) {
                double r[4];
                knoRechteck(r);
                char t[120];
                std::snprintf(t, sizeof t, "= %.1f %.1f %.1f %.1f", r[0], r[1], r[2], r[3]);
                BefEinreihenText(K_FEN, t);
            } else {
                ZeiNeuZeichnen();
            }
            break;
        }
        case 6:
            BaubfGriffWahl(-1, nullptr, nullptr);
            break;
        case 7:
            ObjPunktZiehen(-1, nullptr, nullptr);
            break;
        default:
            break;
        }
    } else if (mz.zustand == 1 && mz.art != 0) {
        knoLinksKlick(mz.px, mz.py, shift, control);
    }
    mz.art = 0;
    mz.zustand = 0;
}

void knoRechtsLos(int shift, int control)
{
    if (mz.zustand == 2) {
        knoZiehenEnde();
        AnsichtGummiband(0, mz.px, mz.py, mz.cx, mz.cy);
        double r[4];
        knoRechteck(r);
        BefEinreihenXYXY(K_BER, r[0], r[1], r[2], r[3]);
    } else if (mz.zustand == 1) {
        knoRechtsKlick(mz.px, mz.py, shift, control);
    }
    mz.rechts = 0;
    mz.zustand = 0;
}

// The drag begins: its kind is chosen from what lies under the press point.
void knoZiehenBeginn(int shift, int control)
{
    if (mz.art == 1) {
        const double x = knoWeltX(mz.px), y = knoWeltY(mz.py);
        int h = BaubfGriffSuchen(x, y);
        int obj, buendel = -1;
        if (h >= 0) {
            mz.art = 6;
            BaubfGriffWahl(h, &mz.px, &mz.py);
        } else if (!BaubfAktiv() && (buendel = MflFinden(x, y)) >= 0) {
            // The bundle's end becomes the press point; the drag continues
            // the bundle from there.
            mz.art = 5;
            MflWaehlen(buendel);
            const mflende& e = MflBuendel(buendel)->ende[0];
            mz.px = ::WeltZuPixelX(e.x);
            mz.py = ::WeltZuPixelY(e.y);
        } else if (!BaubfAktiv() && (obj = ObjPunktSuchen(x, y)) >= 0) {
            mz.art = 7;
            ObjPunktZiehen(obj, &mz.px, &mz.py);
        } else {
            mz.art = 2;
            AnsichtGummiband(1, mz.px, mz.py, mz.cx, mz.cy);
        }
    } else if (mz.art == 3) {
        mz.art = 4;
        knoShiftPunkt(knoWeltX(mz.px), knoWeltY(mz.py), shift, control, knoLinienModus());
    }
    knoUdb(1);
    AnsichtMausFangen(1);
    if (mz.art >= 5 && mz.art <= 7) anwCursor(5);
    mz.zustand = 2;
}

void knoZiehen(int shift, int control)
{
    if (mz.art == 2 || mz.rechts) {
        AnsichtGummiband(2, mz.px, mz.py, mz.cx, mz.cy);
        return;
    }
    if (mz.art == 4) {
        knoShiftPunkt(knoWeltX(mz.cx), knoWeltY(mz.cy), shift, control, knoLinienModus() || shift);
        return;
    }
    if (mz.art < 5 || mz.art > 7) return;
    anwCursor(5);
    int x = mz.cx, y = mz.cy;
    const int achse = mz.art == 6 ? BaubfAchse(-1) : mz.art == 5 ? MflZustand() : ObjPunktAchse();
    if (achse == 1 && std::abs(x - mz.px) <= KNOACHSGRENZE) x = mz.px;
    if (achse == 2 && std::abs(y - mz.py) <= KNOACHSGRENZE) y = mz.py;
    const BEFRASTER* r = BefRasterWerte();
    double wx = knoWeltX(x), wy = knoWeltY(y);
    if (mz.art == 5) {
        knoShiftPunkt(wx, wy, 0, 0, knoLinienModus());
        BefEinreihenInt(K_MFL, 2);
        return;
    }
    if (mz.art == 6) {
        const double gx = knoWeltX(mz.px), gy = knoWeltY(mz.py);
        wx = knoGriffRaster(wx, gx, r->x0, r->swx);
        wy = knoGriffRaster(wy, gy, r->y0, r->swy);
    } else {
        wx = ObjPunktX(wx);
        wy = ObjPunktY(wy);
    }
    BewegenNach(wx, wy);
}

// A step of the cursor by (nx, ny) grid steps: a line while Shift or the
// line mode is on and nothing is under construction, else a move.
void knoSchritt(int nx, int ny, int shift)
{
    const BEFRASTER* r = BefRasterWerte();
    const double dx = nx * r->swx, dy = ny * r->swy;
    if (!BaubfAktiv() && (shift || knoLinienModus())) BefEinreihenXY(K_ZL, dx, dy);
    else BefEinreihenIntXY(K_BW, BaubfAktiv() ? 0 : 1, dx, dy);
}

bool knoDiagonal(int code, int control, int shift, int erweitert)
{
    int nx, ny, ctl;
    switch (code) {
    case VK_HOME: nx = -1, ny = 1, ctl = K_RLG; break;
    case VK_END: nx = -1, ny = -1, ctl = K_RZT; break;
    case VK_PRIOR: nx = 1, ny = 1, ctl = K_LUP; break;
    case VK_NEXT: nx = 1, ny = -1, ctl = K_CFM; break;
    default: return false;
    }
    if (ed45 == 0 || !erweitert) {
        if (!control) knoSchritt(nx, ny, shift);
        else if (ctl == K_LUP) BefEinreihenInt2(K_LUP, 0, 0);
        else BefEinreihenCode(ctl);
        return true;
    }
    switch (code) {
    case VK_HOME:
        if (control) BefEinreihenCode(K_RLG);
        else AnsichtBefehl("0");
        break;
    case VK_END:
        if (control) BefEinreihenCode(K_RZT);
        else AnsichtBefehl("C1");
        break;
    case VK_PRIOR:
        if (control) AnsichtZoomFaktor(110);
        else if (shift) AnsichtMitteXPlus(-5);
        else AnsichtMitteYPlus(5);
        break;
    default:
        if (control) AnsichtZoomFaktor(90);
        else if (shift) AnsichtMitteXPlus(5);
        else AnsichtMitteYPlus(-5);
        break;
    }
    return true;
}

bool knoLeer(const char* t)
{
    for (; *t; ++t) {
        if (*t != ' ' && *t != '\t') return false;
    }
    return true;
}

// One line of the key file into `e`; false when it is rejected.
bool knoZeile(char* z, knopf* e)
{
    std::memset(e, 0, sizeof *e);
    char* gt = z[0] != 0 ? std::strchr(z + 1, '>') : nullptr;
    if (gt != nullptr) {
        *gt = 0;
        char h[KNOZEILESUP + 1];
        strkopie(h, sizeof h, gt + 1, KNOZEILESUP);
        strtrim(h);
        strkopie(e->hinweis, sizeof e->hinweis, h, KNOHINWEISSUP);
        strtrim(z);
    }
    char* p = z;
    char* ende = p;
    while (*ende && *ende != ' ' && *ende != '\t') ++ende;
    char* rest = ende;
    while (*rest == ' ' || *rest == '\t') ++rest;
    *ende = 0;
    if (*p == 'S' || *p == 's') {
        e->shift = 1;
        ++p;
    }
    if (*p == 'C' || *p == 'c') {
        e->control = 1;
        ++p;
    }
    if (*p == '-') ++p;
    if (p[0] == 'F' && p[1] >= '0' && p[1] <= '9') {
        e->taste = std::atoi(p + 1) + 111;
    } else if (*p >= 'A' && *p <= 'Z') {
        e->taste = *p;
    } else {
        return false;
    }
    strkopie(e->befehl, sizeof e->befehl, rest, KNOBEFEHLSUP);
    strtrim(e->befehl);
    return true;
}

std::string knoFeld(const std::string& t)
{
    char f[KNOHILFEFELD + 1];
    strbreite(f, sizeof f, t.c_str(), KNOHILFEFELD);
    return f;
}

std::string knoTastenName(int taste)
{
    if (taste >= 112) {
        char t[20];
        std::snprintf(t, sizeof t, TextNr(1062), taste - 111);
        return t;
    }
    return std::string(1, static_cast<char>(taste));
}

// The input field under the drawing window.
HWND knoEingabeFeld()
{
    HWND v = AnsichtFenster();
    return v != 0 ? GetDlgItem(GetParent(v), ANSICHT_UNTENBREIT) : 0;
}

// Key handler of the drawing window: key-downs go to the key table and the
// built-in keys; of the characters, Enter, Escape and Space are special,
// Tab moves to the input field and printable ones are typed there.
int knoTastenHaken(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_KEYDOWN || nachricht == WM_SYSKEYDOWN) {
        TasteMeldung(nachricht, wp, lp);
        return 1;
    }
    if (nachricht != WM_CHAR) return 0;
    const int zeichen = static_cast<int>(wp);
    if (zeichen == VK_RETURN || zeichen == VK_ESCAPE || zeichen == VK_SPACE) return TasteSonder(zeichen);
    HWND feld = knoEingabeFeld();
    if (feld == 0) return 0;
    if (zeichen == VK_TAB) {
        SetFocus(feld);
        return 1;
    }
    if (zeichen < 33 || zeichen > 255) return 0;
    SetFocus(feld);
    PostMessage(feld, WM_CHAR, wp, lp);
    PostMessage(feld, WM_KEYDOWN, VK_END, 0);
    return 1;
}

// Mouse handler of the drawing window: a press takes the keyboard focus to
// the drawing; the view follows the pointer while a button is down.
int knoMausHaken(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_LBUTTONDOWN || nachricht == WM_RBUTTONDOWN || nachricht == WM_MBUTTONDOWN) AnsichtFokus();
    MausMeldung(nachricht, wp, lp);
    AnsichtTasteUnten(mz.zustand != 0);
    return 1;
}

}  // namespace

// ---- key table

int KnopfDateiLesen(const char* pfad)
{
    if (!knolis) knolis = std::make_unique<knopf[]>(KNOSUP);
    knoAnzahl = 0;
    knoPfad = pfad != nullptr ? pfad : "";
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return 0;
    char z[KNOZEILESUP + 1];
    int zeile = 0;
    while (knoAnzahl < KNOSUP && bdgets(&d, z, KNOZEILESUP) >= 0) {
        ++zeile;
        zeilenendeweg(z);
        strtrim(z);
        if (z[0] == 0 || z[0] == ';') continue;
        knopf e;
        if (!knoZeile(z, &e)) continue;
        e.zeile = zeile;
        knolis[knoAnzahl++] = e;
    }
    const bool kurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (kurz) {
        // Half a key table would leave keys doing nothing without a word.
        knoAnzahl = 0;
        StatusTextf("Kann %s nicht lesen.", pfad);
        return -1;
    }
    return knoAnzahl;
}

void KnopfHakenSetzen() { AnsichtHaken(knoTastenHaken, knoMausHaken, KNOECKBEFEHL); }

int KnopfInit()
{
    AnsichtHaken(knoTastenHaken, knoMausHaken, KNOECKBEFEHL);
    ed45 = ProfilZahlLesen("ArbPlatz", "Ed45Taste");
    KnopfZuruecksetzen();
    std::string p = plOrtAnwendung() + "/EditKey.txt";
    BDAT d;
    if (bdopenlesen(&d, p.c_str()) < 0) p = plOrtDaten() + "/EditKey.txt";
    else bdclose(&d);
    return KnopfDateiLesen(p.c_str());
}

std::vector<std::string> KnopfDateiZeilen()
{
    std::vector<std::string> v;
    BDAT d;
    if (knoPfad.empty() || bdopenlesen(&d, knoPfad.c_str()) < 0) return v;
    char z[KNOZEILESUP + 1];
    while (static_cast<int>(v.size()) < KNOSUP && bdgets(&d, z, KNOZEILESUP) >= 0) {
        zeilenendeweg(z);
        v.push_back(z);
    }
    // The lines' numbers run the table's entries: none from a file read short.
    if (bdlesefehler(&d)) v.clear();
    bdclose(&d);
    return v;
}

void KnopfDateiZeigen(HWND liste)
{
    SendMessage(liste, LB_RESETCONTENT, 0, 0);
    for (const std::string& z : KnopfDateiZeilen()) {
        SendMessage(liste, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(z.c_str()));
    }
}

void KnopfFrei()
{
    knolis.reset();
    knoAnzahl = 0;
}

int KnopfAnzahl() { return knoAnzahl; }
const knopf* KnopfEintrag(int n) { return n >= 0 && n < knoAnzahl ? &knolis[n] : nullptr; }
void KnopfEd45Setzen(int wert) { ed45 = wert; }

int KnopfAusfuehren(int code, int shift, int control)
{
    for (int k = 0; k < knoAnzahl; ++k) {
        const knopf& e = knolis[k];
        if (e.taste == code && e.shift == (shift ? 1 : 0) && e.control == (control ? 1 : 0)) {
            BefehlsTextAusfuehren(e.befehl);
            return 1;
        }
    }
    return 0;
}

int KnopfZeileAusfuehren(int n)
{
    for (int k = 0; k < knoAnzahl; ++k) {
        const knopf& e = knolis[k];
        if (e.zeile == n + 1 && !knoLeer(e.befehl)) {
            BefehlsTextAusfuehren(e.befehl);
            return 1;
        }
    }
    return 0;
}

std::vector<std::string> KnopfHilfeZeilen()
{
    std::vector<std::string> v;
    const std::string alt = TextNr(1067);
    v.push_back(knoFeld("F1") + knoFeld("") + TextNr(1063));
    v.push_back(knoFeld("F10") + knoFeld("") + TextNr(1064));
    v.push_back(knoFeld(alt + "F4") + knoFeld("") + TextNr(1065));
    v.push_back(knoFeld(alt + "F6") + knoFeld("") + TextNr(1066));
    for (int k = 0; k < knoAnzahl; ++k) {
        const knopf& e = knolis[k];
        std::string taste;
        if (e.shift) taste += TextNr(1060);
        if (e.control) taste += TextNr(1061);
        taste += knoTastenName(e.taste);
        v.push_back(knoFeld(taste) + knoFeld(e.befehl) + e.hinweis);
    }
    return v;
}

void KnopfHilfeFuellen(HWND liste)
{
    SendMessage(liste, LB_RESETCONTENT, 0, 0);
    for (const std::string& z : KnopfHilfeZeilen()) {
        SendMessage(liste, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(z.c_str()));
    }
}

void KnopfHilfeAusfuehren(const char* zeile)
{
    if (zeile == nullptr || std::strlen(zeile) <= KNOHILFEFELD) return;
    char b[KNOHILFEFELD + 1];
    strkopie(b, sizeof b, zeile + KNOHILFEFELD, KNOHILFEFELD);
    strtrim(b);
    if (b[0] != 0) BefehlsTextAusfuehren(b);
}

// ---- snapping

void PunktRasten(double* x, double* y, int shift, int control)
{
    if (control && !shift) {
        PunktFangenZeiger(x, y);
        return;
    }
    if (control) return;
    const BEFRASTER* r = BefRasterWerte();
    if (!r->aus) {
        *x = knoRaster(*x, r->swx);
        *y = knoRaster(*y, r->swy);
    }
    if (!shift) {
        const STT* a = BefAktZustand();
        if (std::fabs(*x - a->x) < r->swx) *x = a->x;
        if (std::fabs(*y - a->y) < r->swy) *y = a->y;
    }
}

// ---- mouse

void MausMeldung(UINT nachricht, WPARAM flags, LPARAM xy)
{
    const int shift = (flags & MK_SHIFT) ? 1 : 0, control = (flags & MK_CONTROL) ? 1 : 0;
    const int x = knoX(xy), y = knoY(xy);
    switch (nachricht) {
    case WM_LBUTTONDOWN:
        mz.art = shift ? (BaubfAktiv() ? 1 : 3) : 1;
        mz.zustand = 1;
        knoDruck(x, y);
        break;
    case WM_RBUTTONDOWN:
        mz.rechts = 1;
        mz.zustand = 1;
        knoDruck(x, y);
        break;
    case WM_MBUTTONDOWN:
        mz.mitte = 1;
        knoDruck(x, y);
        break;
    case WM_MOUSEMOVE:
        mz.cx = x;
        mz.cy = y;
        if (mz.zustand == 2 && mz.art != 0 && (!(flags & MK_LBUTTON) || (mz.art >= 5 && knoAusserhalb(x, y)))) {
            knoLinksLos(shift, control);
            break;
        }
        if (mz.zustand == 2 && mz.rechts && !(flags & MK_RBUTTON)) {
            knoZiehenEnde();
            mz.rechts = 0;
            mz.zustand = 0;
            break;
        }
        if (mz.zustand == 1 && (mz.art != 0 || mz.rechts)) {
            if (std::abs(x - mz.px) > KNOZIEHGRENZE || std::abs(y - mz.py) > KNOZIEHGRENZE) {
                knoZiehenBeginn(shift, control);
            }
        } else if (mz.zustand == 2) {
            knoZiehen(shift, control);
        }
        break;
    case WM_LBUTTONUP:
        if (mz.art != 0) knoLinksLos(shift, control);
        break;
    case WM_RBUTTONUP:
        if (mz.rechts) knoRechtsLos(shift, control);
        break;
    case WM_MBUTTONUP:
        if (mz.mitte) BaubfFertig();
        mz.mitte = 0;
        break;
    case WM_MBUTTONDBLCLK:
        if (BaubfCode() == K_ZL) BaubfAbbrechen();
        break;
    case WM_LBUTTONDBLCLK:
        if (shift || control) break;
        if (BaubfAktiv()) {
            BefEinreihenInt(K_BST, 1);
        } else if (!(BefFlags()->beweg && TzMarkAnzahl() > 0)) {
            BefEinreihenInt2(K_BST, 5, K_ZL);
            BefEinreihenInt2(K_BST, 6, 1);
        }
        break;
    case WM_RBUTTONDBLCLK:
        if (control) {
            double wx = knoWeltX(x), wy = knoWeltY(y);
            PunktRasten(&wx, &wy, shift, control);
            BefEinreihenIntXY(K_SUE, -2, wx, wy);
        }
        break;
    case WM_MOUSEWHEEL: {
        const int kf = LOWORD(flags);
        const int raster = static_cast<short>(HIWORD(flags)) / 120;
        for (int k = 0; k < std::abs(raster); ++k) {
            const bool hoch = raster > 0;
            if (kf & MK_CONTROL) AnsichtZoomFaktor(hoch ? 110 : 90);
            else if (kf & MK_SHIFT) AnsichtMitteXPlus(hoch ? -5 : 5);
            else AnsichtMitteYPlus(hoch ? 5 : -5);
        }
        break;
    }
    default:
        break;
    }
}

int MausZustand() { return mz.zustand; }
int MausArt() { return mz.art; }
void KnopfZuruecksetzen() { mz = MausZ{}; }

// ---- keys

void TasteMeldung(UINT nachricht, WPARAM code, LPARAM daten)
{
    if (nachricht != WM_KEYDOWN && nachricht != WM_SYSKEYDOWN) return;
    const int erweitert = (daten >> 24) & 1;
    const int alt = (daten >> 29) & 1;
    TasteGedrueckt(static_cast<int>(code), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, alt, erweitert);
}

void TasteGedrueckt(int code, int shift, int control, int alt, int erweitert)
{
    if (modh::MeldungOffen()) return;
    int nx = 0, ny = 0;
    bool pfeil = true;
    switch (code) {
    case VK_LEFT: nx = -1; break;
    case VK_UP: ny = 1; break;
    case VK_RIGHT: nx = 1; break;
    case VK_DOWN: ny = -1; break;
    default: pfeil = false; break;
    }
    if (pfeil) {
        static const int strg[] = {K_CPR, K_SUP, K_CPV, K_SUV};
        if (alt) BefEinreihenInt2(K_BME, nx, ny);
        else if (control) BefEinreihenCode(strg[code - VK_LEFT]);
        else knoSchritt(nx, ny, shift);
        KnopfAusfuehren(code, shift, control);
        return;
    }
    if (alt) return;
    switch (code) {
    case VK_INSERT:
        if (control) {
            BefEinreihenCode(K_ZAK);
            BefEinreihenInt(K_ELM, 1);
        } else if (shift) {
            BefEinreihenCode(K_ZAE);
        } else {
            BefEinreihenCode(K_WH);
        }
        return;
    case VK_DELETE:
        if (control) break;
        BefEinreihenCode(shift ? K_ZAA : K_LME);
        return;
    case VK_BACK:
        if (control) break;
        BefEinreihenInt(shift ? K_LER : K_LE, 0);
        return;
    case VK_APPS: {
        const STT* a = BefAktZustand();
        knoRechtsKlick(modh::WeltZuPixelX(a->x), modh::WeltZuPixelY(a->y), 0, 0);
        return;
    }
    case '0':
        if (control) {
            BefEinreihenText(K_FEN, "0");
            return;
        }
        break;
    case VK_OEM_PLUS:
    case VK_OEM_MINUS:
        if (control) {
            AnsichtZoomFaktor(code == VK_OEM_PLUS ? 110 : 90);
            return;
        }
        break;
    default:
        if (knoDiagonal(code, control, shift, erweitert)) return;
        break;
    }
    KnopfAusfuehren(code, shift, control);
}

int TasteSonder(int zeichen)
{
    switch (zeichen) {
    case VK_RETURN:
        if (GetKeyState(VK_CONTROL) < 0) {
            const STT* a = BefAktZustand();
            BefEinreihenIntXY(K_SUE, BefFlags()->sumatx ? -3 : -1, a->x, a->y);
            return 1;
        }
        if (BaubfAktiv()) {
            BefEinreihenInt(K_BST, 1);
            return 1;
        }
        return 0;
    case VK_ESCAPE:
        if (BaubfAktiv()) {
            BefEinreihenInt2(K_BST, 6, 0);
            BefEinreihenInt(K_BST, 0);
            return 1;
        }
        if (MflAnzahl() > 0) {
            BefEinreihenInt(K_MFL, 3);
            return 1;
        }
        if (BefFlags()->beweg) {
            BefEinreihenInt(K_BWE, 0);
            return 1;
        }
        if (TzMarkAnzahl() > 0) {
            BefEinreihenInt(K_ELM, 1);
            return 1;
        }
        return 0;
    case VK_SPACE:
        if (!BaubfAktiv()) return 0;
        BaubfNaechsterSchritt();
        return 1;
    default:
        return 0;
    }
}
