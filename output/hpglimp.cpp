// HPGL import; see hpglimp.h. One run at a time: the plotter state, the
// tokenizer, the two graphic states and the open drawing are file-static and
// live from HpglImport's start to its end. Calls the model (befehl, zustand,
// justage, geometri, zeichnun), config (defaults set), support (buffered
// files, bounded copies) and winlib (progress dialog, warning box).
//
// Bounds: every number read from the plot file is limited to +-2^30 (the
// plotter's own coordinate range) and integers to +-10^6, and a scaling
// range must not be empty, so every coordinate, length and angle built from
// them stays finite and every integer fits its record slot.
#include "output/hpglimp.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "config/vorgaben.h"
#include "model/befehl.h"
#include "model/geometri.h"
#include "model/justage.h"
#include "model/zeichnun.h"
#include "model/zustand.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"

namespace {

constexpr double HPGLZAHLMAX = 1073741824.0;  // 2^30
constexpr int HPGLINTMAX = 1000000;
constexpr int HPGLANZEIGESUP = 30;            // characters of a command shown in the progress dialog
constexpr char HPGLETX = 3;
constexpr char HPGLESC = 27;

struct HpglPunkt {
    double x, y;
};

// The plotter state of the running import (millimetres unless stated).
struct HpglPlotter {
    HpglPunkt stift;     // pen position
    int unten;           // pen down
    int relativ;         // PR in force
    HpglPunkt p1, p2;
    double diagonale;
    int skaliert;        // SC in force
    double xmin, xmax, ymin, ymax;
    char symbol;         // SM character, 0 none
    double tp, tn;       // tick lengths in percent
    double zeichenhoehe;
    int richtung;        // text direction in tenths
    int satzStandard, satzAlternativ;
    int alternativ;      // alternate set selected
    char endezeichen;    // label terminator
    char label[HPGLPUFFERSUP + 1];
    int labelLaenge;
};

struct HpglLeser {
    char puffer[HPGLPUFFERSUP + 1];
    int laenge;
    int labelModus;
    int paar;            // 0 none, 1 after PA/PR/PU/PD, 2 after the first separator
    int zitat;           // inside a quoted text of a command (a CO comment)
};

HpglPlotter hpglP;
HpglLeser hpglL;
STT hpglAktuell, hpglGeschrieben;
ZeiDatei hpglZei;
int hpglOffen = 0;       // a drawing is being written
int hpglFehler = 0;      // a record could not be written

JusTrafo hpglTrafo = {0, 0.0, 0.0, 1.0};
double hpglFenster[4] = {-1e300, -1e300, 1e300, 1e300};

// ---- records ----------------------------------------------------------------

BEF hpglNeu(int code)
{
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(code);
    return b;
}

int hpglSchreiben(const BEF* b)
{
    if (!hpglOffen) {
        return 0;
    }
    if (ZeiBefSchreiben(&hpglZei, b) < 0) {
        hpglFehler = 1;
        return ERROR;
    }
    return 0;
}

// State records of SttDifferenz; a relative move too small to matter is
// left out.
int hpglDifferenzAusgabe(const BEF* b)
{
    if (b->code == 20 && std::fabs(b->darg[0]) < 0.001 && std::fabs(b->darg[1]) < 0.001) {
        return 0;
    }
    return hpglSchreiben(b);
}

void HpglImpBefAusgeben(const BEF* b)
{
    if (BefIstObjekt(b->code)) {
        SttDifferenz(&hpglGeschrieben, &hpglAktuell, hpglDifferenzAusgabe);
        hpglGeschrieben = hpglAktuell;
        hpglSchreiben(b);
    }
    SttAnwenden(b, &hpglAktuell);
    if (b->code == BEF_ZL) {
        hpglGeschrieben = hpglAktuell;
    }
}

void hpglInt(int code, int wert)
{
    BEF b = hpglNeu(code);
    b.iarg[0] = wert;
    HpglImpBefAusgeben(&b);
}

void hpglReal(int code, double wert)
{
    if (!std::isfinite(wert)) {
        return;
    }
    BEF b = hpglNeu(code);
    b.darg[0] = wert;
    HpglImpBefAusgeben(&b);
}

// _BA at the transformed point.
void hpglPosition(HpglPunkt p)
{
    JusPunkt(&hpglTrafo, &p.x, &p.y);
    BEF b = hpglNeu(21);
    b.darg[0] = p.x;
    b.darg[1] = p.y;
    HpglImpBefAusgeben(&b);
}

// ---- parameters and units -----------------------------------------------------

// One number up to a blank, ',' or ';' (the text is advanced past it); 0 when
// missing or not a number. Locale-free; a leading '+' is allowed.
double HpglImpZahl(const char** text)
{
    const char* p = *text;
    while (*p == ' ') ++p;
    const char* anfang = p;
    while (*p != '\0' && *p != ' ' && *p != ',' && *p != ';') ++p;
    const char* ende = p;
    *text = *p != '\0' ? p + 1 : p;
    if (anfang < ende && *anfang == '+') ++anfang;
    double v = 0;
    auto r = std::from_chars(anfang, ende, v);
    if (r.ec != std::errc() || !std::isfinite(v)) {
        return 0;
    }
    return v > HPGLZAHLMAX ? HPGLZAHLMAX : v < -HPGLZAHLMAX ? -HPGLZAHLMAX : v;
}

int HpglImpInt(const char** text)
{
    double v = std::trunc(HpglImpZahl(text));
    return static_cast<int>(v > HPGLINTMAX ? HPGLINTMAX : v < -HPGLINTMAX ? -HPGLINTMAX : v);
}

bool hpglWeitere(const char* text)
{
    while (*text == ' ') ++text;
    return *text != '\0';
}

double HpglImpKoordX(double v)
{
    return hpglP.skaliert ? (v - hpglP.xmin) * (hpglP.p2.x - hpglP.p1.x) / (hpglP.xmax - hpglP.xmin) + hpglP.p1.x
                          : v / 40;
}

double HpglImpKoordY(double v)
{
    return hpglP.skaliert ? (v - hpglP.ymin) * (hpglP.p2.y - hpglP.p1.y) / (hpglP.ymax - hpglP.ymin) + hpglP.p1.y
                          : v / 40;
}

double HpglImpMassX(double v)
{
    return hpglP.skaliert ? v * (hpglP.p2.x - hpglP.p1.x) / (hpglP.xmax - hpglP.xmin) : v / 40;
}

double HpglImpMassY(double v)
{
    return hpglP.skaliert ? v * (hpglP.p2.y - hpglP.p1.y) / (hpglP.ymax - hpglP.ymin) : v / 40;
}

double HpglImpProzentX(double p) { return (hpglP.p2.x - hpglP.p1.x) / 100 * p; }
double HpglImpProzentY(double p) { return (hpglP.p2.y - hpglP.p1.y) / 100 * p; }

bool hpglImFenster(HpglPunkt p)
{
    return p.x >= hpglFenster[0] && p.x <= hpglFenster[2] && p.y >= hpglFenster[1] && p.y <= hpglFenster[3];
}

// ---- geometry -------------------------------------------------------------------

// Clips a segment to the window, x first, then y; false when nothing remains.
bool HpglImpKappen(HpglPunkt* a, HpglPunkt* b)
{
    const double xl = hpglFenster[0], yu = hpglFenster[1], xr = hpglFenster[2], yo = hpglFenster[3];
    if ((a->x < xl && b->x < xl) || (a->x > xr && b->x > xr) || (a->y < yu && b->y < yu) ||
        (a->y > yo && b->y > yo)) {
        return false;
    }
    auto aufX = [](HpglPunkt* p, const HpglPunkt* q, double kante) {
        p->y += (q->y - p->y) * (kante - p->x) / (q->x - p->x);
        p->x = kante;
    };
    auto aufY = [](HpglPunkt* p, const HpglPunkt* q, double kante) {
        p->x += (q->x - p->x) * (kante - p->y) / (q->y - p->y);
        p->y = kante;
    };
    for (HpglPunkt* p : {a, b}) {
        const HpglPunkt* q = p == a ? b : a;
        if (p->x < xl) aufX(p, q, xl);
        else if (p->x > xr) aufX(p, q, xr);
    }
    // Moved along the segment, the ends may now both lie beyond one y edge.
    if ((a->y < yu && b->y < yu) || (a->y > yo && b->y > yo)) {
        return false;
    }
    for (HpglPunkt* p : {a, b}) {
        const HpglPunkt* q = p == a ? b : a;
        if (p->y < yu) aufY(p, q, yu);
        else if (p->y > yo) aufY(p, q, yo);
    }
    return true;
}

void HpglImpLinie(HpglPunkt p0, HpglPunkt p1)
{
    if (p0.x == p1.x && p0.y == p1.y) {
        return;
    }
    if (!HpglImpKappen(&p0, &p1)) {
        return;
    }
    hpglPosition(p0);
    double x0 = p0.x, y0 = p0.y, x1 = p1.x, y1 = p1.y;
    JusPunkt(&hpglTrafo, &x0, &y0);
    JusPunkt(&hpglTrafo, &x1, &y1);
    BEF b = hpglNeu(BEF_ZL);
    b.darg[0] = x1 - x0;
    b.darg[1] = y1 - y0;
    HpglImpBefAusgeben(&b);
    if (hpglP.symbol != 0) {
        BEF s = hpglNeu(53);
        s.text[0] = hpglP.symbol;
        HpglImpBefAusgeben(&s);
    }
}

void HpglImpPunkte(const char* par, int relativ)
{
    while (hpglWeitere(par)) {
        double x = HpglImpZahl(&par);
        double y = HpglImpZahl(&par);
        HpglPunkt neu;
        if (relativ) {
            neu = {hpglP.stift.x + HpglImpMassX(x), hpglP.stift.y + HpglImpMassY(y)};
        } else {
            neu = {HpglImpKoordX(x), HpglImpKoordY(y)};
        }
        if (hpglP.unten) {
            HpglImpLinie(hpglP.stift, neu);
        }
        hpglP.stift = neu;
        hpglPosition(hpglP.stift);
    }
}

// Angle of a vector in radians, 0 up to 2 pi.
double HpglImpWinkel(double dx, double dy)
{
    double a = std::atan2(dy, dx);
    return a < 0 ? a + 2 * M_PI : a;
}

// Arc about c by s tenths from the pen; the pen moves to its end. More than
// a full turn draws one full turn.
void HpglImpBogen(HpglPunkt c, int s)
{
    if (!hpglImFenster(hpglP.stift)) {
        return;
    }
    s = s > 3600 ? 3600 : s < -3600 ? -3600 : s;
    const double dx = hpglP.stift.x - c.x, dy = hpglP.stift.y - c.y;
    const double r = std::sqrt(dx * dx + dy * dy);
    const double a = HpglImpWinkel(dx, dy);
    const int a1 = JusWinkel(&hpglTrafo, static_cast<int>(a * 1800 / M_PI));
    const double e = a + s * M_PI / 1800;
    hpglP.stift = {c.x + r * std::cos(e), c.y + r * std::sin(e)};
    hpglPosition(c);
    BEF b = hpglNeu(64);
    b.iarg[0] = a1;
    b.iarg[1] = a1 + s;
    b.darg[0] = b.darg[1] = JusMass(&hpglTrafo, r);
    HpglImpBefAusgeben(&b);
    hpglPosition(hpglP.stift);
}

void HpglImpRechteck(int gefuellt, HpglPunkt p1)
{
    const HpglPunkt p0 = hpglP.stift;
    if (p0.x == p1.x && p0.y == p1.y) {
        return;
    }
    if (!hpglImFenster(p0) && !hpglImFenster(p1) && !hpglImFenster({p0.x, p1.y}) && !hpglImFenster({p1.x, p0.y})) {
        return;
    }
    hpglPosition(p0);
    double x0 = p0.x, y0 = p0.y, x1 = p1.x, y1 = p1.y;
    JusPunkt(&hpglTrafo, &x0, &y0);
    JusPunkt(&hpglTrafo, &x1, &y1);
    BEF b = hpglNeu(BEF_RTK);
    b.iarg[0] = gefuellt;
    b.darg[0] = x1 - x0;
    b.darg[1] = y1 - y0;
    HpglImpBefAusgeben(&b);
}

// Radii turned by a quarter turn stay radii: their sizes, not their signs.
void hpglRadien(double* rx, double* ry)
{
    JusVektor(&hpglTrafo, rx, ry);
    *rx = std::fabs(*rx);
    *ry = std::fabs(*ry);
}

void HpglImpKeil(double rx, double ry, int a1, int a2)
{
    if (!hpglImFenster(hpglP.stift)) {
        return;
    }
    double cx = hpglP.stift.x, cy = hpglP.stift.y;
    JusPunkt(&hpglTrafo, &cx, &cy);
    hpglRadien(&rx, &ry);
    const int b1 = JusWinkel(&hpglTrafo, a1), b2 = JusWinkel(&hpglTrafo, a2);
    BEF ba = hpglNeu(21);
    ba.darg[0] = cx;
    ba.darg[1] = cy;
    HpglImpBefAusgeben(&ba);
    BEF t = hpglNeu(64);
    t.iarg[0] = b1;
    t.iarg[1] = b2;
    t.darg[0] = rx;
    t.darg[1] = ry;
    HpglImpBefAusgeben(&t);
    for (int w : {b1, b2}) {
        HpglImpBefAusgeben(&ba);
        BEF z = hpglNeu(BEF_ZL);
        z.darg[0] = CosZehntel(w) * rx;
        z.darg[1] = SinZehntel(w) * ry;
        HpglImpBefAusgeben(&z);
    }
    HpglImpBefAusgeben(&ba);
}

void HpglImpKreis(const char* par)
{
    const double r = HpglImpZahl(&par);
    double rx = HpglImpMassX(r), ry = HpglImpMassY(r);
    if (!hpglImFenster(hpglP.stift)) {
        return;
    }
    hpglRadien(&rx, &ry);
    BEF b = hpglNeu(BEF_KRE);
    b.darg[0] = rx;
    b.darg[1] = ry;
    HpglImpBefAusgeben(&b);
}

// ---- labels ---------------------------------------------------------------------

// Character c (0..127) of set n as code page 1252.
unsigned char HpglImpUebersetzen(int satz, unsigned char c)
{
    static const unsigned char satz7[128 - 33] = {
        192, 194, 200, 202, 203, 206, 207, 39, 96, 94, 32, 126, 217, 219, 163,          // 33..47
        32, 32, 32, 32, 199, 231, 209, 241, 161, 191, 164, 163, 165, 167, 32, 162,      // 48..63
        226, 234, 244, 251, 225, 233, 243, 250, 224, 232, 242, 249, 228, 235, 246, 252, // 64..79
        197, 206, 216, 198, 229, 237, 248, 230, 196, 204, 214, 220, 201, 239, 223, 212, // 80..95
        193, 195, 227, 208, 240, 73, 73, 79, 79, 79, 111, 83, 115, 85, 89, 121,        // 96..111
        112, 112, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32,                   // 112..126
    };
    if (c >= 128) {
        return c;  // the tables end at 127
    }
    switch (satz) {
    case 1:
        return c == 92 || (c >= 123 && c <= 125) ? ' ' : c;
    case 2:
        return c == 92 ? 231 : c >= 123 && c <= 126 ? ' ' : c;
    case 3:
        return (c >= 91 && c <= 94) || (c >= 123 && c <= 126) ? ' ' : c;
    case 33:
        switch (c) {
        case 64: return 167;
        case 91: return 196;
        case 92: return 214;
        case 93: return 220;
        case 123: return 228;
        case 124: return 246;
        case 125: return 252;
        case 126: return 223;
        default: return c;
        }
    case 34:
        switch (c) {
        case 35: return 163;
        case 64: return 224;
        case 91: return ' ';
        case 92: return 231;
        case 93: return 167;
        case 123: return 233;
        case 124: return 249;
        case 125: return 232;
        case 126: return ' ';
        default: return c;
        }
    case 7:
        return c >= 33 && c <= 126 ? satz7[c - 33] : c;
    default:
        return c;
    }
}

void hpglLabelAnhaengen(char c)
{
    if (hpglP.labelLaenge < HPGLPUFFERSUP) {
        hpglP.label[hpglP.labelLaenge++] = c;
        hpglP.label[hpglP.labelLaenge] = '\0';
    }
}

void HpglImpTextReset()
{
    hpglP.satzStandard = hpglP.satzAlternativ = 0;
    hpglP.alternativ = 0;
    hpglP.endezeichen = HPGLETX;
    hpglP.label[0] = '\0';
    hpglP.labelLaenge = 0;
}

void HpglImpLabelAusgeben()
{
    if (hpglP.labelLaenge > 0 && hpglImFenster(hpglP.stift)) {
        hpglPosition(hpglP.stift);
        BEF b = hpglNeu(50);
        BefTextSetzen(&b, hpglP.label);
        HpglImpBefAusgeben(&b);
        hpglPosition(hpglP.stift);
    }
    hpglP.label[0] = '\0';
    hpglP.labelLaenge = 0;
}

void HpglImpTextBefehl(const char* m, const char* par)
{
    if (std::strncmp(m, "CA", 2) == 0 || std::strncmp(m, "CS", 2) == 0) {
        (m[1] == 'A' ? hpglP.satzAlternativ : hpglP.satzStandard) = HpglImpInt(&par);
    } else if (std::strncmp(m, "SA", 2) == 0 || std::strncmp(m, "SS", 2) == 0) {
        hpglP.alternativ = m[1] == 'A';
    } else if (std::strncmp(m, "DT", 2) == 0) {
        hpglP.endezeichen = *par != '\0' && *par != ';' ? *par : HPGLETX;
    } else if (std::strncmp(m, "LB", 2) == 0) {
        const int satz = hpglP.alternativ ? hpglP.satzAlternativ : hpglP.satzStandard;
        for (const char* p = par; *p != '\0'; ++p) {
            hpglLabelAnhaengen(static_cast<char>(HpglImpUebersetzen(satz, static_cast<unsigned char>(*p))));
        }
        if (hpglP.endezeichen != HPGLETX) {
            hpglLabelAnhaengen(hpglP.endezeichen);
        }
    } else if (std::strncmp(m, "CP", 2) == 0) {
        for (int n = HpglImpInt(&par); n > 0 && hpglP.labelLaenge < HPGLPUFFERSUP; --n) {
            hpglLabelAnhaengen(' ');
        }
    }
}

// ---- commands -------------------------------------------------------------------

void hpglDiagonale()
{
    hpglP.diagonale = std::hypot(hpglP.p2.x - hpglP.p1.x, hpglP.p2.y - hpglP.p1.y);
}

// The character cell of a plotter after IN: 0.75 % of the default P1-P2
// width and 1.5 % of its height.
void hpglStandardSchrift()
{
    const double w = std::fabs(1043.0 - 43.0) * 0.75 / 10;
    const double h = std::fabs(740.0 - 20.0) * 1.5 / 10;
    hpglP.zeichenhoehe = h * 10;
    hpglReal(30, JusMass(&hpglTrafo, hpglP.zeichenhoehe));
    hpglReal(32, w * 1.5 / h);
}

void HpglImpInit()
{
    hpglP.stift = {0, 0};
    hpglP.p1 = {43, 20};
    hpglP.p2 = {1043, 740};
    hpglDiagonale();
    hpglP.skaliert = 0;
    hpglP.symbol = 0;
    hpglP.tp = hpglP.tn = 0.5;
    hpglP.unten = 0;
    hpglP.relativ = 0;
    hpglPosition(hpglP.stift);
    hpglInt(25, 1);
    hpglInt(26, 7);
    hpglReal(27, JusMass(&hpglTrafo, 4 * hpglP.diagonale / 100));
    hpglP.richtung = 0;
    hpglInt(31, JusWinkel(&hpglTrafo, 0));
    hpglStandardSchrift();
    HpglImpTextReset();
}

// Text size and width factor from a character cell; a cell without height
// keeps the width factor.
void hpglSchrift(double w, double h, double hoehe)
{
    hpglP.zeichenhoehe = hoehe;
    hpglReal(30, JusMass(&hpglTrafo, hoehe));
    if (h != 0) {
        hpglReal(32, 1.5 * w / h);
    }
}

void hpglRichtung(double lauf, double steigung)
{
    hpglP.richtung = VektorWinkel(lauf, steigung);
    hpglInt(31, JusWinkel(&hpglTrafo, hpglP.richtung));
}

}  // namespace

void HpglImpEinstellen(const JusTrafo* trafo, const double fenster[4])
{
    hpglTrafo = *trafo;
    for (int i = 0; i < 4; ++i) {
        hpglFenster[i] = fenster[i];
    }
}

void HpglImpEinstLesen(JusTrafo* trafo, double fenster[4])
{
    VgbPraefix("HI");
    JusLesen(trafo);
    VgbOeffnen();
    fenster[0] = VgbZehntel("Flux");
    fenster[1] = VgbZehntel("Fluy");
    fenster[2] = VgbZehntel("Frox");
    fenster[3] = VgbZehntel("Froy");
    VgbSchliessen();
    VgbPraefix("");
}

void HpglImpBefehl(const char* befehl)
{
    if (std::strlen(befehl) < 2) {
        return;
    }
    const char m[3] = {befehl[0], befehl[1], '\0'};
    const char* par = befehl + 2;
    static const char* const textBefehle[] = {"CA", "CP", "CS", "DT", "LB", "SA", "SS"};
    for (const char* t : textBefehle) {
        if (std::strcmp(m, t) == 0) {
            HpglImpTextBefehl(m, par);
            return;
        }
    }
    HpglImpLabelAusgeben();
    // Two numbers written with decimal commas: "0,25,0,35".
    char zahlen[HPGLPUFFERSUP + 1];
    if (!std::strcmp(m, "SI") || !std::strcmp(m, "SR") || !std::strcmp(m, "DI") || !std::strcmp(m, "DR")) {
        strkopie(zahlen, sizeof zahlen, par, HPGLPUFFERSUP);
        char* komma[4];
        int n = 0;
        for (char* p = zahlen; *p != '\0'; ++p) {
            if (*p == ',') {
                if (n < 4) komma[n] = p;
                ++n;
            }
        }
        if (n == 3) {
            *komma[0] = '.';
            *komma[2] = '.';
        }
        par = zahlen;
    }
    const bool ohne = !hpglWeitere(par);
    if (!std::strcmp(m, "IN") || !std::strcmp(m, "DF")) {
        HpglImpInit();
    } else if (!std::strcmp(m, "IP")) {
        if (hpglP.skaliert) return;
        if (ohne) {
            hpglP.p1 = {43, 20};
            hpglP.p2 = {1043, 740};
        } else {
            hpglP.p1.x = HpglImpZahl(&par) / 40;
            hpglP.p1.y = HpglImpZahl(&par) / 40;
            if (hpglWeitere(par)) {
                hpglP.p2.x = HpglImpZahl(&par) / 40;
                hpglP.p2.y = HpglImpZahl(&par) / 40;
            }
        }
        hpglDiagonale();
    } else if (!std::strcmp(m, "SC")) {
        hpglP.skaliert = 0;
        if (!ohne) {
            hpglP.xmin = HpglImpZahl(&par);
            hpglP.xmax = HpglImpZahl(&par);
            hpglP.ymin = HpglImpZahl(&par);
            hpglP.ymax = HpglImpZahl(&par);
            // An empty range would divide by zero: scaling stays off.
            hpglP.skaliert = std::fabs(hpglP.xmax - hpglP.xmin) >= 1e-9 && std::fabs(hpglP.ymax - hpglP.ymin) >= 1e-9;
        }
    } else if (!std::strcmp(m, "SP")) {
        const int n = HpglImpInt(&par);
        if (n != 0) hpglInt(25, n < 1 ? 1 : n > 8 ? 8 : n);
    } else if (!std::strcmp(m, "LT")) {
        const int n = HpglImpInt(&par);
        const double laenge = HpglImpZahl(&par);
        if (n == 0) {
            hpglInt(26, 7);
        } else {
            hpglInt(26, std::abs(n) > 7 ? 7 : std::abs(n));
            if (laenge > 0) hpglReal(27, JusMass(&hpglTrafo, laenge * hpglP.diagonale / 100));
        }
    } else if (!std::strcmp(m, "SM")) {
        hpglP.symbol = *par;
    } else if ((!std::strcmp(m, "SI") || !std::strcmp(m, "SR")) && ohne) {
        // Without parameters both go back to the default cell.
        hpglStandardSchrift();
    } else if (!std::strcmp(m, "SI")) {
        const double w = HpglImpZahl(&par), h = HpglImpZahl(&par);
        hpglSchrift(w, h, h * 10);
    } else if (!std::strcmp(m, "SR")) {
        const double w = std::fabs(hpglP.p2.x - hpglP.p1.x) * HpglImpZahl(&par) / 100;
        const double h = std::fabs(hpglP.p2.y - hpglP.p1.y) * HpglImpZahl(&par) / 100;
        hpglSchrift(w, h, 0.25 * h);
    } else if (!std::strcmp(m, "DI")) {
        const double lauf = HpglImpZahl(&par);
        hpglRichtung(lauf, HpglImpZahl(&par));
    } else if (!std::strcmp(m, "DR")) {
        const double lauf = HpglImpZahl(&par) * (hpglP.p2.x - hpglP.p1.x) / 100;
        hpglRichtung(lauf, HpglImpZahl(&par) * (hpglP.p2.y - hpglP.p1.y) / 100);
    } else if (!std::strcmp(m, "PU") || !std::strcmp(m, "PD")) {
        hpglP.unten = m[1] == 'D';
        HpglImpPunkte(par, hpglP.relativ);
    } else if (!std::strcmp(m, "PA") || !std::strcmp(m, "PR")) {
        hpglP.relativ = m[1] == 'R';
        HpglImpPunkte(par, hpglP.relativ);
    } else if (!std::strcmp(m, "CI")) {
        HpglImpKreis(par);
    } else if (!std::strcmp(m, "AA") || !std::strcmp(m, "AR")) {
        const double x = HpglImpZahl(&par), y = HpglImpZahl(&par);
        const int a = HpglImpInt(&par);
        HpglPunkt c = m[1] == 'A' ? HpglPunkt{HpglImpKoordX(x), HpglImpKoordY(y)}
                                  : HpglPunkt{hpglP.stift.x + HpglImpMassX(x), hpglP.stift.y + HpglImpMassY(y)};
        HpglImpBogen(c, a * 10);
    } else if (!std::strcmp(m, "EA") || !std::strcmp(m, "RA")) {
        const double x = HpglImpZahl(&par), y = HpglImpZahl(&par);
        HpglImpRechteck(m[0] == 'R', {HpglImpKoordX(x), HpglImpKoordY(y)});
    } else if (!std::strcmp(m, "ER") || !std::strcmp(m, "RR")) {
        const double x = HpglImpZahl(&par), y = HpglImpZahl(&par);
        HpglImpRechteck(m[0] == 'R', {hpglP.stift.x + HpglImpMassX(x), hpglP.stift.y + HpglImpMassY(y)});
    } else if (!std::strcmp(m, "TL")) {
        hpglP.tp = ohne ? 0.5 : HpglImpZahl(&par);
        hpglP.tn = ohne ? 0.5 : HpglImpZahl(&par);
    } else if (!std::strcmp(m, "XT")) {
        const HpglPunkt s = hpglP.stift;
        HpglImpLinie({s.x, s.y + HpglImpProzentY(hpglP.tp)}, {s.x, s.y - HpglImpProzentY(hpglP.tn)});
        hpglPosition(s);  // the position in force is the pen's again
    } else if (!std::strcmp(m, "YT")) {
        const HpglPunkt s = hpglP.stift;
        HpglImpLinie({s.x + HpglImpProzentX(hpglP.tp), s.y}, {s.x - HpglImpProzentX(hpglP.tn), s.y});
        hpglPosition(s);
    } else if (!std::strcmp(m, "EW") || !std::strcmp(m, "WG")) {
        const double r = HpglImpZahl(&par);
        const int a = HpglImpInt(&par), s = HpglImpInt(&par);
        HpglImpKeil(HpglImpMassX(r), HpglImpMassY(r), a * 10, (a + s) * 10);
    }
}

namespace {

// ---- tokenizer --------------------------------------------------------------------

void hpglLeserReset()
{
    hpglL.puffer[0] = '\0';
    hpglL.laenge = 0;
    hpglL.labelModus = 0;
    hpglL.paar = 0;
    hpglL.zitat = 0;
}

void hpglAusfuehren()
{
    if (hpglL.laenge == 0) {
        return;
    }
    char anzeige[HPGLANZEIGESUP + 1];
    strkopie(anzeige, sizeof anzeige, hpglL.puffer, HPGLANZEIGESUP);
    wiLangText(anzeige);
    HpglImpBefehl(hpglL.puffer);
}

void hpglLeerenAuf(int laenge)
{
    hpglL.laenge = laenge;
    hpglL.puffer[laenge] = '\0';
}

void hpglZeichen(char c)
{
    if (c == '\r' || c == '\n' || c == '\0') {
        return;
    }
    if (c == ' ' && hpglL.laenge < 2) {
        return;
    }
    if (hpglL.laenge > 0 && hpglL.puffer[0] == HPGLESC) {
        if (c == ':') {
            hpglLeerenAuf(0);
            hpglL.labelModus = 0;
            return;
        }
        if (c == HPGLESC) {
            hpglLeerenAuf(0);
            hpglL.labelModus = 0;
        }
    }
    // The quoted text of a comment (CO "...") belongs to it: its letters
    // start no command and its ';' ends none.
    const bool kommentar = hpglL.laenge >= 2 && !std::strncmp(hpglL.puffer, "CO", 2);
    if (!hpglL.labelModus && (hpglL.zitat || (c == '"' && kommentar))) {
        if (c == '"') hpglL.zitat = !hpglL.zitat;
        if (hpglL.laenge < HPGLPUFFERSUP) {
            hpglL.puffer[hpglL.laenge++] = c;
            hpglL.puffer[hpglL.laenge] = '\0';
        }
        return;
    }
    const bool buchstabe = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!hpglL.labelModus && hpglL.laenge > 2 && buchstabe) {
        hpglAusfuehren();
        hpglLeerenAuf(0);
        hpglL.paar = 0;
        hpglZeichen(c);  // the letter starts the next command
        return;
    }
    if ((c == ',' || c == ' ') && hpglL.paar == 2) {
        hpglAusfuehren();
        hpglLeerenAuf(2);
        hpglL.paar = 1;
        return;
    }
    if ((!hpglL.labelModus && c == ';') || (hpglL.labelModus && c == hpglP.endezeichen)) {
        hpglAusfuehren();
        hpglL.labelModus = 0;
        hpglLeerenAuf(0);
        hpglL.paar = 0;
        return;
    }
    // A separator right after a move's mnemonic ("PD 10,20") separates
    // nothing; counted, it would split every later pair.
    if ((c == ',' || c == ' ') && hpglL.paar == 1 && hpglL.laenge == 2) {
        return;
    }
    if (hpglL.laenge < HPGLPUFFERSUP) {
        hpglL.puffer[hpglL.laenge++] = c;
        hpglL.puffer[hpglL.laenge] = '\0';
    }
    if ((c == ',' || c == ' ') && hpglL.paar == 1) {
        hpglL.paar = 2;
    }
    if (hpglL.laenge == 2 && !(hpglL.labelModus)) {
        for (int i = 0; i < 2; ++i) {
            char& z = hpglL.puffer[i];
            if (z >= 'a' && z <= 'z') z = static_cast<char>(z - 'a' + 'A');
        }
        const char* p = hpglL.puffer;
        if (!std::strcmp(p, "LB")) {
            hpglL.labelModus = 1;
            hpglL.paar = 0;
        } else if (!std::strcmp(p, "PA") || !std::strcmp(p, "PR") || !std::strcmp(p, "PU") || !std::strcmp(p, "PD")) {
            hpglL.paar = 1;
        } else {
            hpglL.paar = 0;
        }
    }
}

int HpglImpZeichnungAnlegen(const char* zeichnung, const STT* s)
{
    if (ZeiDateiAnlegen(&hpglZei, zeichnung) != 0) {
        return ERROR;
    }
    hpglAktuell = *s;
    hpglGeschrieben = *s;
    hpglOffen = 1;
    hpglFehler = 0;
    // Positions are written absolute but sizes in millimetres, which every
    // walk multiplies by the scale it starts with ("ZvMS"): an absolute scale
    // of 1 first keeps both in the same unit whatever that setting is.
    BEF ms = hpglNeu(13);
    ms.darg[0] = 1.0;
    hpglSchreiben(&ms);
    SttAnwenden(&ms, &hpglAktuell);
    SttAnwenden(&ms, &hpglGeschrieben);
    return hpglFehler ? ERROR : 0;
}

}  // namespace

int HpglImport(const char* plotdatei, const char* zeichnung)
{
    BDAT plot;
    if (bdopenlesen(&plot, plotdatei) < 0) {
        wiMeldung("Kann %s nicht lesen", plotdatei);
        return ERROR;
    }
    wiLangStart("HPGL-Import");
    STT s;
    std::memset(&s, 0, sizeof s);
    SttInit(&s, nullptr);
    if (HpglImpZeichnungAnlegen(zeichnung, &s) != 0) {
        bdclose(&plot);
        wiLangEnde();
        wiMeldung("Kann %s nicht anlegen", zeichnung);
        return ERROR;
    }
    hpglLeserReset();
    HpglImpInit();
    for (int c = bdgetc(&plot); c >= 0; c = bdgetc(&plot)) {
        hpglZeichen(static_cast<char>(c));
    }
    // The buffered reader ends a failed read like the end of the file.
    const bool lesefehler = bdlesefehler(&plot) != 0;
    // A last command without its terminator still runs, and a label not yet
    // drawn is drawn; a label whose terminator never came is dropped.
    if (!hpglL.labelModus && hpglL.laenge > 0 && hpglL.puffer[0] != HPGLESC) {
        hpglAusfuehren();
    }
    hpglLeserReset();
    HpglImpLabelAusgeben();
    ZeiFormatSetzen(&hpglZei, BEF_ZA3);
    hpglOffen = 0;
    int r = 0;
    if (hpglFehler || lesefehler) {
        ZeiDateiVerwerfen(&hpglZei);
        r = ERROR;
    } else if (ZeiDateiSchliessen(&hpglZei) != 0) {
        r = ERROR;
    }
    bdclose(&plot);
    wiLangEnde();
    if (lesefehler) {
        wiMeldung("Kann %s nicht lesen", plotdatei);
    } else if (r != 0) {
        wiMeldung("Kann %s nicht anlegen", zeichnung);
    }
    return r;
}
