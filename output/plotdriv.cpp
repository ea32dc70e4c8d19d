// HPGL plot output (see plotdriv.h). The renderer core applies the plotter
// placement, so the primitives here work on placed sheet millimetres; the
// state cache leaves out pen moves, pen selections, line types and label
// sizes that would repeat what the plotter already has. Every command text
// goes through one output function (`HpglSchreiben`); a failed write anywhere
// drops the whole output.
#include "output/plotdriv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/reaktion.h"
#include "config/vorgaben.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/geometri.h"
#include "model/stndtext.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "output/element.h"
#include "output/schrift.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"
#include "winlib/wiwerk.h"

namespace {

constexpr char ETX = 3;
constexpr int PLOTLABELSUP = 2048;  // bytes of one converted label
// Hatch lines of one shape and rings of one filled ellipse: a sheet of
// 1189 x 841 mm at the finest spacing (0.1 mm) needs 11,890 lines and
// 6,000 rings; a shape far beyond the sheet must not write without end.
constexpr int PLOTSCHRAFFURSUP = 12000;
constexpr int PLOTRINGSUP = 6000;

struct HpglZustand {
    BDAT datei;
    int fehler = 0;
    int walkFehler = 0;   // the drawing could not be walked
    PlotterSatz p{};
    PlotterWerte w{};
    uint8_t benutzt[PLOTPENSUP + 1] = {};
    int passStift = 0;
    int abbruch = 0;
    int stift = 1;        // pen of the element being drawn (hatch spacing)
    // state cache
    bool posBekannt = false;
    double px = 0, py = 0;
    int aktStift = -1;
    int ltArt = -1;
    double ltLaenge = -1;
    bool schriftBekannt = false;
    int sWinkel = 0;
    double sHoehe = 0, sFaktor = 0;
    std::string siBreite;  // character width of the last SI, as written
    int sFont = 0;         // font number of the texts being drawn
};

HpglZustand pl;

void HpglSchreiben(const std::string& t)
{
    if (t.empty()) return;
    if (bdwrite(&pl.datei, t.data(), static_cast<int32_t>(t.size())) < 0) pl.fehler = 1;
    if ((t.back() == ';' || t.back() == ETX) && bdwrite(&pl.datei, "\r\n", 2) < 0) pl.fehler = 1;
}

void HpglZustandLoeschen()
{
    pl.posBekannt = false;
    pl.aktStift = -1;
    pl.ltArt = -1;
    pl.ltLaenge = -1;
    pl.schriftBekannt = false;
}

// Plotter units of a length (truncated); values beyond the integer range
// are held at its ends, and a value that is not a number is 0.
int hpglEinheit(double mm)
{
    const double u = 40.0 * mm;
    if (u >= 2147483647.0) return 2147483647;
    if (u <= -2147483647.0) return -2147483647;
    return u == u ? static_cast<int>(u) : 0;
}

// The integer part of a count of hatch lines, within 0..PLOTSCHRAFFURSUP.
int hpglAnzahl(double v)
{
    if (!(v >= 0)) return 0;
    return v >= PLOTSCHRAFFURSUP ? PLOTSCHRAFFURSUP : static_cast<int>(v);
}

std::string hpglFest(double v, int stellen)
{
    char t[64];
    auto r = std::to_chars(t, t + sizeof t - 1, v, std::chars_format::fixed, stellen);
    *r.ptr = '\0';
    return t;
}

// ---- primitives on placed millimetres ----

void hpglBewegen(double x, double y, const char* art)
{
    if (pl.posBekannt && pl.px == x && pl.py == y) return;
    pl.posBekannt = true;
    pl.px = x;
    pl.py = y;
    HpglSchreiben(std::string(art) + ";PA" + std::to_string(hpglEinheit(x)) + "," + std::to_string(hpglEinheit(y)) + ";");
}

void HpglPu(double x, double y) { hpglBewegen(x, y, "PU"); }
void HpglPd(double x, double y) { hpglBewegen(x, y, "PD"); }

void HpglStift(int n)
{
    n = std::clamp(n, 1, 8);
    if (n == pl.aktStift) return;
    pl.aktStift = n;
    HpglSchreiben(pl.p.stift[n]);
}

void HpglLinienart(int typ, double laenge)
{
    typ = std::clamp(typ, 1, 7);
    if (laenge < 0.1) laenge = 10.0;
    if (typ == pl.ltArt && laenge == pl.ltLaenge) return;
    pl.ltArt = typ;
    pl.ltLaenge = laenge;
    if (typ == 7) HpglSchreiben("LT;");
    else HpglSchreiben("LT" + std::to_string(typ) + "," + hpglFest(JusMass(&pl.p.jus, laenge), 1) + ";");
}

void HpglSchrift(int winkel, double hoehe, double faktor)
{
    if (pl.schriftBekannt && winkel == pl.sWinkel && hoehe == pl.sHoehe && faktor == pl.sFaktor) return;
    pl.schriftBekannt = true;
    pl.sWinkel = winkel;
    pl.sHoehe = hoehe;
    pl.sFaktor = faktor;
    pl.siBreite = hpglFest(2 * hoehe * faktor / 3 / 10, 3);
    HpglSchreiben("DI" + std::to_string(ICos(100, winkel)) + "," + std::to_string(ISin(100, winkel)) + ";SI" +
         pl.siBreite + "," + hpglFest(hoehe / 10, 3) + ";");
}

void HpglText(const char* text)
{
    char t[PLOTLABELSUP];
    HpglTextUmsetzen(text, pl.p.kum, t, sizeof t);
    HpglSchreiben(std::string("PU;LB") + t + ETX);
    pl.posBekannt = false;
}

void HpglKreis(double r) { HpglSchreiben("PU;CI" + std::to_string(hpglEinheit(r)) + ";"); }

void HpglBogenBefehl(double dx, double dy, int spanne)
{
    HpglSchreiben("PD;AR" + std::to_string(hpglEinheit(dx)) + "," + std::to_string(hpglEinheit(dy)) + "," +
         std::to_string(spanne / 10) + "." + std::to_string(spanne % 10) + ";PU;");
    // The pen stands at the arc's end now.
    pl.posBekannt = false;
}

// Degrees per polyline step for radii summing to s.
int hpglSchritt(double s) { return s > 400 ? 1 : s > 200 ? 2 : s > 100 ? 3 : 5; }

void hpglEllipsenPunkt(double cx, double cy, double rx, double ry, int t, int zehntel, double* x, double* y)
{
    double dx = rx * CosZehntel(zehntel), dy = ry * SinZehntel(zehntel);
    Drehen(t, &dx, &dy);
    *x = cx + dx;
    *y = cy + dy;
}

double hpglAbstand(double a) { return a >= 0.1 ? a : 1.0; }

void HpglEllipse(double cx, double cy, double rx, double ry, int t, int gefuellt, double sa)
{
    sa = hpglAbstand(sa);
    HpglPu(cx, cy);
    for (int ring = 0; ring < PLOTRINGSUP; ++ring) {
        if (pl.p.kkr && rx == ry) {
            HpglKreis(rx);
        } else {
            const int schritt = hpglSchritt(rx + ry) * 10;
            for (int phi = 0; phi <= 3600; phi += schritt) {
                double x, y;
                hpglEllipsenPunkt(cx, cy, rx, ry, t, phi, &x, &y);
                if (phi == 0) HpglPu(x, y);
                else HpglPd(x, y);
            }
        }
        rx -= sa;
        ry -= sa;
        if (!gefuellt || !(rx > 0 && ry > 0)) break;
    }
    HpglPu(cx, cy);
}

void HpglBogen(double cx, double cy, double rx, double ry, int t, int modus, int anfang, int ende)
{
    if (modus != 0) std::swap(anfang, ende);
    // As on screen, the start comes below a whole turn with the end moved
    // alike, and an end below the start is raised once: ends that then meet
    // draw nothing (3600 to 0 included), 0 to 3600 is a whole turn.
    const int runden = anfang >= 3600 ? anfang / 3600 : 0;
    const bool leer = ende - 3600 * runden + (ende - 3600 * runden < anfang - 3600 * runden ? 3600 : 0) == anfang - 3600 * runden;
    // Angles of any size come to 0..3599, so an arc is at most one turn.
    anfang = (anfang % 3600 + 3600) % 3600;
    ende = (ende % 3600 + 3600) % 3600;
    if (ende <= anfang) ende += 3600;
    if (leer) {
        double x, y;
        hpglEllipsenPunkt(cx, cy, rx, ry, t, anfang, &x, &y);
        HpglPu(x, y);
        HpglPu(cx, cy);
        return;
    }
    if (pl.p.kkr && t == 0 && rx == ry) {
        const double ox = rx * CosZehntel(anfang), oy = ry * SinZehntel(anfang);
        HpglPu(cx + ox, cy + oy);
        HpglBogenBefehl(-ox, -oy, ende - anfang);
        HpglPu(cx, cy);
        return;
    }
    const int schritt = hpglSchritt(rx + ry) * 10;
    double x, y;
    bool erster = true;
    for (int phi = anfang; phi < ende; phi += schritt) {
        hpglEllipsenPunkt(cx, cy, rx, ry, t, phi, &x, &y);
        if (erster) HpglPu(x, y);
        else HpglPd(x, y);
        erster = false;
    }
    hpglEllipsenPunkt(cx, cy, rx, ry, t, ende, &x, &y);
    if (erster) HpglPu(x, y);
    else HpglPd(x, y);
    HpglPu(cx, cy);
}

void HpglRechteck(double x1, double y1, double x2, double y2, int gefuellt, double sa)
{
    sa = hpglAbstand(sa);
    HpglPu(x1, y1);
    HpglPd(x2, y1);
    HpglPd(x2, y2);
    HpglPd(x1, y2);
    HpglPd(x1, y1);
    if (gefuellt) {
        const double oben = std::max(y1, y2), unten = std::min(y1, y2);
        const int n = hpglAnzahl((oben - unten) / sa);
        const double schritt = (oben - unten) / (n + 1);
        for (int k = 1; k <= n; ++k) {
            const double y = oben - k * schritt;
            const double a = k % 2 ? x1 : x2, b = k % 2 ? x2 : x1;
            if (k == 1) HpglPu(a, y);
            else HpglPd(a, y);
            HpglPd(b, y);
        }
    }
    HpglPu(x1, y1);
}

void HpglPolygon(const double* p, int n, int gefuellt, double sa)
{
    if (n < 1) return;
    sa = hpglAbstand(sa);
    HpglPu(p[0], p[1]);
    for (int i = 1; i < n; ++i) HpglPd(p[2 * i], p[2 * i + 1]);
    HpglPd(p[0], p[1]);
    if (!gefuellt || n != 4) return;
    const double ux = p[2] - p[0], uy = p[3] - p[1];
    const int m = hpglAnzahl(std::hypot(ux, uy) / sa) + 1;
    HpglPu(p[0], p[1]);
    for (int i = 1; i < m; ++i) {
        const double f = static_cast<double>(i) / m;
        const double ax = p[0] + f * ux, ay = p[1] + f * uy, bx = p[6] + f * ux, by = p[7] + f * uy;
        if (i % 2) {
            HpglPd(ax, ay);
            HpglPd(bx, by);
        } else {
            HpglPd(bx, by);
            HpglPd(ax, ay);
        }
    }
    HpglPu(p[0], p[1]);
}

void HpglDreieck(const double* p, int gefuellt, double sa)
{
    sa = hpglAbstand(sa);
    HpglPu(p[0], p[1]);
    HpglPd(p[2], p[3]);
    HpglPd(p[4], p[5]);
    HpglPd(p[0], p[1]);
    if (!gefuellt) return;
    const double mx = (p[2] + p[4]) / 2, my = (p[3] + p[5]) / 2;
    const int m = hpglAnzahl(std::hypot(mx - p[0], my - p[1]) / sa) + 1;
    const double ux = (p[2] - p[0]) / m, uy = (p[3] - p[1]) / m, vx = (p[4] - p[0]) / m, vy = (p[5] - p[1]) / m;
    HpglPu(p[0], p[1]);
    for (int i = 1; i < m; ++i) {
        if (i % 2) {
            HpglPd(p[0] + i * ux, p[1] + i * uy);
            HpglPd(p[0] + i * vx, p[1] + i * vy);
        } else {
            HpglPd(p[0] + i * vx, p[1] + i * vy);
            HpglPd(p[0] + i * ux, p[1] + i * uy);
        }
    }
    HpglPu(p[0], p[1]);
}

// Hatch spacing of the element's pen: the settings hold pens 1..8, higher
// pens plot with pen 8 and hatch with its spacing.
double hpglStiftAbstand() { return JusMass(&pl.p.jus, pl.w.sa[std::clamp(pl.stift, 1, 8) - 1]); }

// ---- the device over the renderer core ----

int HpglElemStift(void*, int n, const STT* s)
{
    n = std::clamp(n, 1, PLOTPENSUP);
    pl.benutzt[n] = 1;
    if (pl.passStift != 0 && pl.passStift != n) return 0;
    pl.stift = n;
    HpglStift(n);
    // The pattern's length is a percentage of the P1-P2 diagonal, which
    // "IP0,0,1,4000" makes 100 mm long: the dash length in millimetres
    // repeats the pattern as often as on screen.
    HpglLinienart(s->sa, s->sl * s->mass);
    double x = s->x, y = s->y;
    JusPunkt(&pl.p.jus, &x, &y);
    HpglPu(x, y);
    return 1;
}

void hpglElemLinie(void*, double x1, double y1, double x2, double y2)
{
    HpglPu(x1, y1);
    HpglPd(x2, y2);
}

// A filled shape is solid on the sheet whatever its line type: its hatch
// and outline are plotted solid, and the line type comes back for what
// follows. A dotted hatch would leave the area nearly empty.
template <class F>
void hpglFlaeche(int gefuellt, F zeichnen)
{
    const int art = pl.ltArt;
    const double laenge = pl.ltLaenge;
    if (gefuellt) HpglLinienart(7, laenge);
    zeichnen();
    if (gefuellt && art >= 1) HpglLinienart(art, laenge);
}

void hpglElemRechteck(void*, double x1, double y1, double x2, double y2, int f)
{
    hpglFlaeche(f, [&] { HpglRechteck(x1, y1, x2, y2, f, hpglStiftAbstand()); });
}

void hpglElemPolygon(void*, const double* p, int n, int f)
{
    hpglFlaeche(f, [&] {
        if (n == 3) HpglDreieck(p, f, hpglStiftAbstand());
        else HpglPolygon(p, n, f, hpglStiftAbstand());
    });
}

void hpglElemEllipse(void*, double x1, double y1, double x2, double y2, int f)
{
    hpglFlaeche(f, [&] {
        HpglEllipse((x1 + x2) / 2, (y1 + y2) / 2, std::fabs(x2 - x1) / 2, std::fabs(y2 - y1) / 2, 0, f, hpglStiftAbstand());
    });
}

void hpglElemEllipseGedreht(void*, double cx, double cy, double rx, double ry, int t, int f)
{
    hpglFlaeche(f, [&] { HpglEllipse(cx, cy, std::fabs(rx), std::fabs(ry), t, f, hpglStiftAbstand()); });
}

void hpglElemBogen(void*, double cx, double cy, double rx, double ry, int t, int m, int a0, int a1)
{
    HpglBogen(cx, cy, rx, ry, t, m, a0, a1);
}

void hpglElemSchrift(void*, int font, int winkel, double hoehe, double faktor)
{
    pl.sFont = font;
    HpglStift(pl.stift);
    HpglLinienart(7, 10.0);
    HpglSchrift(winkel, hoehe, faktor);
}

// A label spans the width the text-width model gives it, as on screen: the
// plotter's cell (1.5 character widths a letter) is narrowed or widened to
// it, for proportional fonts label by label.
void hpglTextGroesse(void*, const char* t, double* breite, double* hoehe)
{
    *breite = SchriftTextBreite(pl.sFont, t, pl.sHoehe, pl.sFaktor);
    *hoehe = pl.sHoehe;
}

// The character cells a converted label takes: a character set switch
// ("ETX CSn;LB") takes none, a backspace one back.
int hpglZellen(const char* label)
{
    int n = 0;
    for (const char* p = label; *p; ++p) {
        if (*p == '\x03') {
            const char* e = std::strstr(p, ";LB");
            if (!e) break;
            p = e + 2;
        } else {
            n += *p == '\b' ? -1 : 1;
        }
    }
    return n;
}

void hpglLabel(double x, double y, const char* t)
{
    char umgesetzt[PLOTLABELSUP];
    HpglTextUmsetzen(t, pl.p.kum, umgesetzt, sizeof umgesetzt);
    const int n = hpglZellen(umgesetzt);
    if (n > 0 && pl.schriftBekannt) {
        const std::string b = hpglFest(SchriftTextBreite(pl.sFont, t, pl.sHoehe, pl.sFaktor) / 1.5 / n / 10, 3);
        if (b != pl.siBreite) {
            pl.siBreite = b;
            HpglSchreiben("SI" + b + "," + hpglFest(pl.sHoehe / 10, 3) + ";");
        }
    }
    HpglPu(x, y);
    HpglText(t);
}

// Standard texts: the pieces between tabs or runs of blanks, each at its
// own column, as on screen.
void hpglElemTextZeile(void*, double x, double y, const char* t, int stdtext)
{
    if (!stdtext) {
        // A tab is a control to the plotter (half a backspace), never a
        // gap: the pieces between tabs go as labels of their own, each
        // behind the width of what comes before it, as the sheet sets it.
        const std::string z(t);
        for (size_t ab = 0;;) {
            const size_t e = z.find('\t', ab);
            const std::string stueck = z.substr(ab, e == std::string::npos ? std::string::npos : e - ab);
            if (!stueck.empty() || (ab == 0 && e == std::string::npos)) {
                const double d = SchriftTextBreite(pl.sFont, z.substr(0, ab).c_str(), pl.sHoehe, pl.sFaktor);
                hpglLabel(x + d * CosZehntel(pl.sWinkel), y + d * SinZehntel(pl.sWinkel), stueck.c_str());
            }
            if (e == std::string::npos) break;
            ab = e + 1;
        }
        return;
    }
    const int n = static_cast<int>(std::strlen(t));
    for (int ab = 0; ab < n;) {
        char stueck[PLOTLABELSUP];
        int anfang = 0, ende = 0;
        StrAbschnitt(t + ab, stueck, sizeof stueck, &anfang, &ende);
        if (ende <= anfang) break;
        const double d = (ab + anfang) * pl.sHoehe * pl.sFaktor;
        hpglLabel(x + d * CosZehntel(pl.sWinkel), y + d * SinZehntel(pl.sWinkel), stueck);
        ab += ende;
    }
}

int hpglElemBild(void*, double, double, double, double, int, const char*) { return 0; }

// Members in the order of ELEMGERAET: no too-small test, texts measured by
// the text-width model, the plotter's placement, layer switching honoured.
ELEMGERAET hpglGeraet = {nullptr,          HpglElemStift,   hpglElemLinie,          hpglElemRechteck,
                         hpglElemPolygon,  hpglElemEllipse, hpglElemEllipseGedreht, hpglElemBogen,
                         hpglElemSchrift,  nullptr,         hpglTextGroesse,        hpglElemTextZeile,
                         nullptr,          hpglElemBild,    ELEM_PLATZ_JUS,         nullptr,
                         0,                1,               {}};

// ---- sheet ----

// Plot start: the user's start sequence, the plotter switched on, the
// scaling set, nothing known about the plotter's state.
void HpglStart()
{
    if (pl.w.aseq[0]) HpglSchreiben(pl.w.aseq);
    if (pl.w.euas) HpglSchreiben("\x1b.Y");
    HpglSchreiben("IN;IP0,0,1,4000;");
    HpglZustandLoeschen();
}

void HpglBlattBeginnen(int passStift)
{
    pl.passStift = passStift;
    ElemLayerAnfang(&hpglGeraet);
    HpglStart();
    pl.abbruch = 0;
}

// After a pass the plotter's pen and position are not what the cache says
// for the next pen's pass.
void HpglPassEnde() { HpglZustandLoeschen(); }

void HpglBlattEnde(int istA4)
{
    double x = pl.p.rlx, y = pl.p.rly;
    JusPunkt(&pl.p.jus, &x, &y);
    HpglPu(x, y);
    if (pl.p.kvs) HpglSchreiben(istA4 ? pl.p.va4 : pl.p.va3);
    HpglPu(x, y);
    HpglZustandLoeschen();
    if (pl.w.euas) HpglSchreiben("\x1b.Z");
    if (pl.w.eseq[0]) HpglSchreiben(pl.w.eseq);
}

// One walk; a drawing that cannot be read makes the whole plot fail.
void hpglDurchlaufen(const char* zeichnung)
{
    // Every pass starts from the layers shown, not from where the last
    // pass's layer switches left them.
    ElemLayerAnfang(&hpglGeraet);
    STT s;
    SttInit(&s, nullptr);
    if (ZeiDurchlaufen(zeichnung, &s, HpglRueckruf) < 0) pl.walkFehler = 1;
}

// Table A: OEM code and its byte in character set 7.
const uint8_t hpglTabA[][2] = {{0x80, 0x34}, {0x81, 0x4F}, {0x82, 0x45}, {0x83, 0x40}, {0x84, 0x4C}, {0x85, 0x48},
                           {0x86, 0x54}, {0x87, 0x35}, {0x88, 0x41}, {0x89, 0x4D}, {0x8A, 0x49}, {0x8B, 0x5D},
                           {0x8C, 0x51}, {0x8D, 0x59}, {0x8E, 0x58}, {0x8F, 0x50}, {0x90, 0x5C}, {0x91, 0x53},
                           {0x93, 0x42}, {0x94, 0x4E}, {0x95, 0x4A}, {0x96, 0x43}, {0x97, 0x4B}, {0x98, 0x6F},
                           {0x99, 0x5A}, {0x9A, 0x5B}, {0x9B, 0x3F}, {0x9C, 0x2F}, {0x9D, 0x3C}, {0xA0, 0x44},
                           {0xA1, 0x55}, {0xA2, 0x46}, {0xA3, 0x47}, {0xA4, 0x37}, {0xA5, 0x36}, {0xB0, 0x33}};

// Table B: OEM code and one or two bytes in character set 2.
const uint8_t hpglTabB[][3] = {
    {0x80, 0x5C, 0},    {0x81, 0x75, 0x7D}, {0x82, 0x65, 0x27}, {0x83, 0x61, 0x5E}, {0x84, 0x61, 0x7D},
    {0x85, 0x61, 0x60}, {0x86, 0x61, 0x7C}, {0x87, 0x5C, 0},    {0x88, 0x65, 0x5E}, {0x89, 0x65, 0x7D},
    {0x8A, 0x65, 0x60}, {0x8B, 0x69, 0x7B}, {0x8C, 0x69, 0x5E}, {0x8D, 0x69, 0x60}, {0x8E, 0x41, 0x7B},
    {0x8F, 0x41, 0x7C}, {0x90, 0x45, 0x27}, {0x91, 0x41, 0},    {0x92, 0x46, 0},    {0x93, 0x6F, 0x5E},
    {0x94, 0x6F, 0x7D}, {0x95, 0x6F, 0x60}, {0x96, 0x75, 0x5E}, {0x97, 0x75, 0x60}, {0x98, 0x79, 0x7D},
    {0x99, 0x4F, 0x7B}, {0x9A, 0x55, 0x7B}, {0x9B, 0x20, 0},    {0x9C, 0x23, 0},    {0x9D, 0x20, 0},
    {0xA0, 0x61, 0x27}, {0xA1, 0x69, 0x27}, {0xA2, 0x6F, 0x27}, {0xA3, 0x75, 0x27}, {0xA4, 0x20, 0},
    {0xA5, 0x20, 0},    {0xE1, 0x20, 0},    {0xB0, 0x20, 0x7C}};

// Characters of the sheets' code page that the plotter's character sets of
// the tables hold no letter for (a table gives them a blank, or they are no
// OEM code at all): the nearest a plotter's ASCII set holds.
const char* HpglNaechstes(unsigned char c)
{
    switch (c) {
    case 0xDF: return "ss";   // sharp s
    case 0xD8: return "O";    // O with stroke
    case 0xF8: return "o";
    case 0xB5: return "u";    // micro
    case 0xB1: return "+-";
    case 0xB2: return "2";
    case 0xB3: return "3";
    case 0xB9: return "1";
    case 0xB0: return "o";    // degree
    case 0xD7: return "x";
    case 0xF7: return ":";
    case 0xB7: return ".";
    case 0xA7: return "S";    // section
    case 0x80: return "EUR";
    case 0x96:
    case 0x97: return "-";
    case 0x91:
    case 0x92: return "'";
    case 0x84:
    case 0x93:
    case 0x94: return "\"";
    case 0xA0: return " ";
    default: return nullptr;
    }
}

}  // namespace

void HpglTextUmsetzen(const char* text, int kum, char* aus, int kap)
{
    if (kap <= 0) return;
    std::string r;
    for (const unsigned char* q = reinterpret_cast<const unsigned char*>(text); *q; ++q) {
        const unsigned char c = *q;
        // The modes with character-set tables write 7-bit text only; the
        // OEM and raw modes leave the bytes to the plotter.
        if (kum != 2 && kum != 3 && c >= 0x80) {
            if (const char* n = HpglNaechstes(c)) {
                r += n;
                continue;
            }
            if (c < 192) {
                r += '?';  // no OEM code of the tables: never a raw 8-bit byte
                continue;
            }
        }
        const unsigned char o = c >= 192 ? ZeichenAnsiOem(c) : c;
        if (kum == 3) {
            r += static_cast<char>(c);
        } else if (kum == 2) {
            r += static_cast<char>(o);
        } else if (kum == 1) {
            const auto* e = std::find_if(std::begin(hpglTabA), std::end(hpglTabA), [o](const uint8_t* z) { return z[0] == o; });
            if (e != std::end(hpglTabA)) {
                r += "\x03" "CS7;LB";
                r += static_cast<char>((*e)[1]);
                r += "\x03" "CS0;LB";
            } else {
                r += o >= 0x80 ? '?' : static_cast<char>(o);
            }
        } else {
            const auto* e = std::find_if(std::begin(hpglTabB), std::end(hpglTabB), [o](const uint8_t* z) { return z[0] == o; });
            if (e != std::end(hpglTabB)) {
                r += "\x03" "CS2;LB";
                r += static_cast<char>((*e)[1]);
                if ((*e)[2]) r += static_cast<char>((*e)[2]);
                r += "\x03" "CS0;LB";
            } else {
                r += o >= 0x80 ? '?' : static_cast<char>(o);
            }
        }
    }
    strkopie(aus, static_cast<size_t>(kap), r.c_str(), std::min(static_cast<int>(r.size()), kap - 1));
}

void HpglEinstellungen(int istA4, PlotterSatz* p, PlotterWerte* w)
{
    *p = PlotterSatz{};
    *w = PlotterWerte{};
    VgbOeffnen();
    VgbPraefix("PlX");
    VgbText40("Name", p->name);
    p->kvs = static_cast<uint8_t>(VgbInt("kvs") != 0);
    p->kum = static_cast<uint8_t>(std::clamp(VgbInt("kum"), 0, 255));
    p->kkr = static_cast<uint8_t>(VgbInt("kkr") != 0);
    for (int n = 0; n < 8; ++n) {
        char k[16];
        std::snprintf(k, sizeof k, "sa%d", n);
        w->sa[n] = VgbZehntel(k);
    }
    char t[PLOTTEXTSUP + 1];
    VgbText40("VA3", t);
    std::snprintf(p->va3, sizeof p->va3, "PU;%s", t);
    VgbText40("VA4", t);
    std::snprintf(p->va4, sizeof p->va4, "PU;%s", t);
    w->sez = VgbInt("sez");
    VgbText40("aseq", w->aseq);
    VgbText40("eseq", w->eseq);
    w->euas = VgbInt("euas");
    VgbPraefix(istA4 ? "PlA4" : "PlA3");
    JusLesen(&p->jus);
    p->rlx = VgbZehntel("RlX");
    p->rly = VgbZehntel("RlY");
    // Pen 1 until a value says otherwise: a plot without a pen selection
    // draws nothing on most plotters and readers.
    strkopie(p->stift[1], sizeof p->stift[1], "PU;SP1;", PLOTTEXTSUP);
    for (int n = 1; n <= PLOTSTIFTSUP; ++n) {
        char k[16];
        std::snprintf(k, sizeof k, "St%d", n - 1);
        VgbText40(k, t);
        if (t[0] >= '0' && t[0] <= '9') std::snprintf(p->stift[n], sizeof p->stift[n], "PU;SP%d;", std::atoi(t));
        else if (t[0] != '\0') strkopie(p->stift[n], sizeof p->stift[n], t, PLOTTEXTSUP);
        else if (n > 1) strkopie(p->stift[n], sizeof p->stift[n], p->stift[1], PLOTTEXTSUP);
    }
    strkopie(p->stift[0], sizeof p->stift[0], p->stift[1], PLOTTEXTSUP);
    VgbPraefix("");
    VgbSchliessen();
    if (TestOption('I')) {
        wiDebug("plotter %s kvs %d kum %d kkr %d sez %d euas %d\n", p->name, p->kvs, p->kum, p->kkr, w->sez, w->euas);
        wiDebug("parken %.1f %.1f va3 %s va4 %s aseq %s eseq %s\n", p->rlx, p->rly, p->va3, p->va4, w->aseq, w->eseq);
        for (int n = 1; n <= 8; ++n) wiDebug("stift %d %s sa %.1f\n", n, p->stift[n], w->sa[n - 1]);
    }
}

int HpglNaechsterStift(int p)
{
    if (p == 0) {
        std::fill(std::begin(pl.benutzt), std::end(pl.benutzt), 0);
        pl.benutzt[1] = 1;
    }
    for (int q = std::max(p, 0) + 1; q <= PLOTPENSUP; ++q) {
        if (pl.benutzt[q]) {
            pl.passStift = q;
            return q;
        }
    }
    return 0;
}

int HpglRueckruf(const BEF* b, const STT* s)
{
    if (pl.abbruch) return 0;
    if (!wiLangPumpe()) {
        pl.abbruch = 1;
        return 0;
    }
    if (ElemLayerSchalten(&hpglGeraet, b)) return 0;
    if (ElemLayerAn(&hpglGeraet, s)) ElemZeichnen(&hpglGeraet, b, s);
    return 0;
}

int HpglPlot(const char* zeichnung, const char* ausgabe)
{
    ZeiDatei z;
    if (ZeiDateiLesend(&z, zeichnung) != 0) {
        wiMeldung("Kann Zeichnung %s nicht \xf6" "ffnen.", zeichnung);
        return -1;
    }
    const int istA4 = ZeiFormat(&z) == BEF_ZA4;
    HpglEinstellungen(istA4, &pl.p, &pl.w);
    ZeiDateiSchliessen(&z);
    if (bdmake(&pl.datei, ausgabe) < 0) {
        wiMeldung("Kann Ausgabedatei %s nicht anlegen.", ausgabe);
        return -1;
    }
    pl.fehler = 0;
    pl.walkFehler = 0;
    hpglGeraet.jus = &pl.p.jus;
    hpglGeraet.textAus = 0;
    ZeiAktSetzen(zeichnung);
    if (!pl.w.sez) {
        HpglBlattBeginnen(0);
        hpglDurchlaufen(zeichnung);
    } else {
        int p = HpglNaechsterStift(0);
        HpglBlattBeginnen(p);
        while (p >= 1 && p <= PLOTPENSUP) {
            hpglDurchlaufen(zeichnung);
            HpglPassEnde();
            p = HpglNaechsterStift(p);
        }
    }
    HpglBlattEnde(istA4);
    BauBibSchliessen();
    StndTextSchliessen();
    if (pl.fehler || pl.walkFehler) pl.datei.fehler = 1;
    const int zu = bdclose(&pl.datei);
    if (pl.walkFehler) {
        wiMeldung("Kann Zeichnung %s nicht \xf6" "ffnen.", zeichnung);
        return -1;
    }
    if (zu < 0) {
        wiMeldung("Kann Ausgabedatei %s nicht anlegen.", ausgabe);
        return -1;
    }
    return 0;
}
