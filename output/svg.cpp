// SVG export (see svg.h). The renderer core works out the geometry and
// applies the placement of the style set; the primitives here only write.
// Every line goes out with LF whatever the process's line-end mode, and a
// failed write anywhere drops the whole output.
#include "output/svg.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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
#include "output/stil.h"
#include "output/strich.h"
#include "platform/cp1252.h"
#include "support/bdatei.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int SVGTEXTSUP = 1024;   // characters of one text piece

struct SvgAusgabe {
    BDAT datei;
    int fehler = 0;         // a write failed: the output is dropped
    double hoehe = 297;     // sheet height H
    VISTIFT stift{};        // current pen
    int linienart = 7;
    std::string strich;     // dash attribute, empty when solid
    char font[SCHRIFTNAMESUP + 1] = {};
    int winkel = 0;         // text angle in tenths
    double groesse = 0;     // text size in mm
    double faktor = 1;      // width factor
    int abbruch = 0;
};

SvgAusgabe svg;

// ---- numbers and texts ----

std::string zahl(double v)
{
    char t[40];
    SvgZahl(v, t, sizeof t);
    return t;
}

std::string zahl1(double v)
{
    char t[64];
    auto r = std::to_chars(t, t + sizeof t - 1, v, std::chars_format::fixed, 1);
    *r.ptr = '\0';
    return t;
}

std::string text(const char* t, int attribut)
{
    std::vector<char> puffer(std::strlen(t) * 8 + 1);
    SvgText(t, attribut, puffer.data(), puffer.size());
    return puffer.data();
}

void zeile(const std::string& z)
{
    if (bdputsmodus(&svg.datei, z.c_str(), 0) < 0) svg.fehler = 1;
}

double yy(double y) { return svg.hoehe - y; }

// ---- styles ----

std::string farbe()
{
    char t[48];
    std::snprintf(t, sizeof t, "rgb(%d,%d,%d)", svg.stift.r, svg.stift.g, svg.stift.b);
    return t;
}

double strichBreite() { return svg.stift.breite * 0.1; }

std::string stilFlaeche(int gefuellt)
{
    const std::string f = farbe();
    return "fill=\"" + (gefuellt ? f : std::string("none")) + "\" stroke=\"" + f + "\" stroke-width=\"" +
           zahl(strichBreite()) + "\"";
}

std::string stilStrich()
{
    return "stroke=\"" + farbe() + "\" stroke-width=\"" + zahl(strichBreite()) + "\" " + svg.strich;
}

std::string stilFuellung() { return "fill=\"" + farbe() + "\""; }

// The dash values of a line type for one period k: strokes and gaps of the
// pattern at a period of 100 units, scaled to k; a dot is the pen's width.
void stiftSetzen(const VISTIFT& pen, int linienart, double k)
{
    svg.stift = pen;
    svg.linienart = linienart;
    svg.strich.clear();
    if (linienart == 7) return;
    StrichMuster(linienart, 1000);
    std::string werte;
    while (StrichArt() != 0) {
        STRICHSEG seg;
        StrichNaechstes(&seg);
        const double w = seg.art == 'P' ? pen.breite * 0.1 : seg.laenge * k / 100.0;
        if (!werte.empty()) werte += ',';
        werte += zahl(w);
    }
    svg.strich = "stroke-dasharray=\"" + werte + "\"";
}

// ---- primitives ----

int svgStift(void*, int stil, const STT* s)
{
    VISTIFT pen;
    StilHolen(stil - 1, &pen);
    stiftSetzen(pen, s->sa, JusMass(&StilSatz()->jus, 10 * s->sl * s->mass));
    return 1;
}

void svgLinie(void*, double x1, double y1, double x2, double y2)
{
    zeile("  <line " + stilStrich() + " x1=\"" + zahl(x1) + "\" y1=\"" + zahl(yy(y1)) + "\" x2=\"" + zahl(x2) +
          "\" y2=\"" + zahl(yy(y2)) + "\"/>");
}

void svgRechteck(void*, double x1, double y1, double x2, double y2, int gefuellt)
{
    zeile("  <rect " + stilFlaeche(gefuellt) + " x=\"" + zahl(std::fmin(x1, x2)) + "\" y=\"" +
          zahl(std::fmin(yy(y1), yy(y2))) + "\" width=\"" + zahl(std::fabs(x2 - x1)) + "\" height=\"" +
          zahl(std::fabs(y2 - y1)) + "\"/>");
}

void svgPolygon(void*, const double* p, int n, int gefuellt)
{
    std::string z = "  <polygon " + stilFlaeche(gefuellt) + " points=\"";
    for (int i = 0; i < n; ++i) z += " " + zahl(p[2 * i]) + "," + zahl(yy(p[2 * i + 1]));
    zeile(z + "\"/>");
}

void svgEllipse(void*, double x1, double y1, double x2, double y2, int gefuellt)
{
    zeile("  <ellipse " + stilFlaeche(gefuellt) + " cx=\"" + zahl((x1 + x2) / 2) + "\" cy=\"" +
          zahl(svg.hoehe - (y1 + y2) / 2) + "\" rx=\"" + zahl(std::fabs(x2 - x1) / 2) + "\" ry=\"" +
          zahl(std::fabs(y2 - y1) / 2) + "\"/>");
}

std::string drehung(int t, double x, double y)
{
    return "transform=\"rotate(" + std::to_string(360 - t / 10) + " " + zahl(x) + " " + zahl(yy(y)) + ")\"";
}

void svgEllipseGedreht(void*, double cx, double cy, double rx, double ry, int t, int gefuellt)
{
    zeile("  <ellipse " + stilFlaeche(gefuellt) + " " + drehung(t, cx, cy) + " cx=\"" + zahl(cx) + "\" cy=\"" +
          zahl(yy(cy)) + "\" rx=\"" + zahl(std::fabs(rx)) + "\" ry=\"" + zahl(std::fabs(ry)) + "\"/>");
}

// The point of an ellipse of radii (rx, ry), turned by t, at angle a.
void bogenPunkt(double cx, double cy, double rx, double ry, int t, int a, double* x, double* y)
{
    double dx = rx * CosZehntel(a), dy = ry * SinZehntel(a);
    Drehen(t, &dx, &dy);
    *x = cx + dx;
    *y = cy + dy;
}

void svgBogen(void*, double cx, double cy, double rx, double ry, int t, int modus, int anfang, int ende)
{
    if (modus != 0) std::swap(anfang, ende);
    int spanne = ((ende - anfang) % 3600 + 3600) % 3600;
    if (spanne == 0) spanne = 3600;
    const std::string radien = zahl(rx) + "," + zahl(ry) + " " + std::to_string(360 - t / 10);
    double x0, y0, x1, y1;
    bogenPunkt(cx, cy, rx, ry, t, anfang, &x0, &y0);
    std::string d = "M" + zahl(x0) + "," + zahl(yy(y0));
    if (spanne == 3600) {
        // An arc whose end is its start draws nothing in SVG: two halves.
        double xm, ym;
        bogenPunkt(cx, cy, rx, ry, t, anfang + 1800, &xm, &ym);
        d += " A" + radien + " 0 0," + zahl(xm) + "," + zahl(yy(ym));
        x1 = x0;
        y1 = y0;
        d += " A" + radien + " 0 0," + zahl(x1) + "," + zahl(yy(y1));
    } else {
        bogenPunkt(cx, cy, rx, ry, t, ende, &x1, &y1);
        d += " A" + radien + " " + (spanne > 1799 ? "1" : "0") + " 0," + zahl(x1) + "," + zahl(yy(y1));
    }
    zeile("  <path " + stilStrich() + " fill=\"none\" d=\"" + d + "\"/>");
}

void svgSchrift(void*, int font, int winkel, double hoehe, double faktor)
{
    SchriftName(font, svg.font, sizeof svg.font);
    svg.winkel = winkel;
    svg.groesse = hoehe;
    svg.faktor = faktor;
}

void textSchreiben(double x, double y, int spalte, const char* stueck)
{
    const double d = spalte * svg.groesse * svg.faktor;
    const int t = svg.winkel;
    // Along the text's own direction, whatever its angle.
    const double ax = x + d * CosZehntel(t), ay = y + d * SinZehntel(t);
    const double l = static_cast<double>(std::strlen(stueck)) * svg.groesse * svg.faktor;
    std::string z = "  <text " + stilFuellung() + " font-family=\"" + text(svg.font, 1) + "\" font-size=\"" +
                    zahl(svg.groesse) + "\" ";
    if (t != 0) z += drehung(t, ax, ay) + " ";
    z += "x=\"" + zahl(ax) + "\" y=\"" + zahl(yy(ay)) + "\" textLength=\"" + zahl(l) + "\">" + text(stueck, 0) +
         "</text>";
    zeile(z);
}

void svgTextZeile(void*, double x, double y, const char* t, int stdtext)
{
    if (!stdtext) {
        textSchreiben(x, y, 0, t);
        return;
    }
    // Standard texts: the pieces between tabs or runs of blanks, each at its
    // own column.
    int ab = 0;
    const int n = static_cast<int>(std::strlen(t));
    while (ab < n) {
        char stueck[SVGTEXTSUP];
        int anfang = 0, ende = 0;
        StrAbschnitt(t + ab, stueck, sizeof stueck, &anfang, &ende);
        if (ende <= anfang) break;
        textSchreiben(x, y, ab + anfang, stueck);
        ab += ende;
    }
}

int svgBild(void*, double x1, double y1, double x2, double y2, int, const char* datei)
{
    zeile("  <image x=\"" + zahl(std::fmin(x1, x2)) + "\" y=\"" + zahl(std::fmin(yy(y1), yy(y2))) + "\" width=\"" +
          zahl(std::fabs(x2 - x1)) + "\" height=\"" + zahl(std::fabs(y2 - y1)) + "\"");
    std::string name = datei + pfadlang(datei);
    const size_t punkt = name.rfind('.');
    if (punkt != std::string::npos) {
        std::string ext = name.substr(punkt + 1);
        for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext == "emf" || ext == "wmf" || ext == "bmp") name = name.substr(0, punkt + 1) + "png";
    }
    zeile("  xlink:href=\"" + text(name.c_str(), 1) + "\"/>");
    return 0;
}

ELEMGERAET svgGeraet = {nullptr,     svgStift,    svgLinie, svgRechteck,    svgPolygon,
                        svgEllipse,  svgEllipseGedreht,     svgBogen,       svgSchrift,
                        nullptr,     nullptr,     svgTextZeile,        nullptr,
                        svgBild,     ELEM_PLATZ_JUS,        nullptr,        0,
                        1,           {}};

void kopfSchreiben(double w, double h)
{
    zeile("<?xml version=\"1.0\" encoding=\"iso-8859-1\" standalone=\"no\"?>");
    zeile("<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.0//EN\" "
          "\"http://www.w3.org/TR/2001/REC-SVG-20010904/DTD/svg10.dtd\">");
    zeile("<svg width=\"" + zahl1(w) + "mm\" height=\"" + zahl1(h) + "mm\"");
    zeile("     viewBox=\"0 0 " + zahl1(w) + " " + zahl1(h) + "\"");
    // The picture references need the xlink namespace, or readers refuse the file.
    zeile("     xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\">");
}

void blattBeginnen(int istA4)
{
    const double w = istA4 ? 210 : 297, h = istA4 ? 297 : 210;
    StilLaden(istA4 ? "SvgA4" : "SvgA3");
    svgGeraet.jus = &StilSatz()->jus;
    svgGeraet.textAus = 0;
    ElemLayerAnfang(&svgGeraet);
    svg.hoehe = h;
    svg.abbruch = 0;
    svg.stift = VISTIFT{};
    svg.stift.breite = 1;
    svg.strich.clear();
    kopfSchreiben(w, h);
}

void warnen(const char* format, const char* pfad) { wiMeldung(format, pfad); }

}  // namespace

void SvgZahl(double v, char* aus, size_t kap)
{
    if (kap == 0) return;
    if (!std::isfinite(v)) v = 0;
    char t[64];
    auto r = std::to_chars(t, t + sizeof t - 1, v, std::chars_format::general, 4);
    *r.ptr = '\0';
    strkopie(aus, kap, t, static_cast<int>(kap - 1));
}

void SvgText(const char* t, int attribut, char* aus, size_t kap)
{
    if (kap == 0) return;
    std::string r;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(t); *p; ++p) {
        const unsigned char c = *p;
        if (c == '&') r += "&amp;";
        else if (c == '<') r += "&lt;";
        else if (c == '>' && !attribut) r += "&gt;";
        else if (c == '"' && attribut) r += "&quot;";
        else if (c < 0x20 && c != '\t') r += '?';
        else if (c >= 0x80 && c <= 0x9F) {
            const char32_t u = plCpUnicode(c);
            if (u >= 0x80 && u <= 0x9F) r += '?';  // a byte the code page leaves undefined
            else r += "&#" + std::to_string(static_cast<unsigned long>(u)) + ";";
        } else r += static_cast<char>(c);
    }
    strkopie(aus, kap, r.c_str(), static_cast<int>(std::min(r.size(), kap - 1)));
}

int SvgRueckruf(const BEF* b, const STT* s)
{
    if (svg.abbruch) return 0;
    if (!wiLangPumpe()) {
        svg.abbruch = 1;
        return 0;
    }
    if (ElemLayerSchalten(&svgGeraet, b)) return 0;
    if (ElemLayerAn(&svgGeraet, s)) ElemZeichnen(&svgGeraet, b, s);
    return 0;
}

int SvgExport(const char* zeichnung, const char* ausgabe)
{
    ZeiDatei z;
    if (ZeiDateiLesend(&z, zeichnung) != 0) {
        warnen("Kann Zeichnung %s nicht \xf6" "ffnen.", zeichnung);
        return -1;
    }
    const int istA4 = ZeiFormat(&z) == BEF_ZA4;
    ZeiDateiSchliessen(&z);
    if (bdmake(&svg.datei, ausgabe) < 0) {
        warnen("Kann Ausgabedatei %s nicht anlegen.", ausgabe);
        return -1;
    }
    svg.fehler = 0;
    ZeiAktSetzen(zeichnung);
    blattBeginnen(istA4);
    STT s;
    SttInit(&s, nullptr);
    const int gelaufen = ZeiDurchlaufen(zeichnung, &s, SvgRueckruf);
    zeile("</svg>");
    BauBibSchliessen();
    StndTextSchliessen();
    // A failed write or walk leaves nothing: the temporary file is dropped.
    if (svg.fehler || gelaufen < 0) svg.datei.fehler = 1;
    const int zu = bdclose(&svg.datei);
    if (gelaufen < 0) {
        warnen("Kann Zeichnung %s nicht \xf6" "ffnen.", zeichnung);
        return -1;
    }
    if (zu < 0) {
        warnen("Kann Ausgabedatei %s nicht anlegen.", ausgabe);
        return -1;
    }
    return 0;
}
