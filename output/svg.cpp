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
#include "platform/pdfbib.h"
#include "support/bdatei.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int SVGTEXTSUP = 1024;   // characters of one text piece

struct SvgZustand {
    BDAT datei;
    int fehler = 0;         // a write failed: the output is dropped
    double hoehe = 297;     // sheet height H
    VISTIFT stift{};        // current pen
    int linienart = 7;
    std::string strich;     // dash attribute, empty when solid
    char font[SCHRIFTNAMESUP + 1] = {};
    int fontNr = 0;
    double em = 1;          // font-size per unit of text size
    int winkel = 0;         // text angle in tenths
    double groesse = 0;     // text size in mm
    double faktor = 1;      // width factor
    int abbruch = 0;
};

SvgZustand svg;

// ---- numbers and texts ----

std::string svgZahlText(double v)
{
    char t[40];
    SvgZahl(v, t, sizeof t);
    return t;
}

std::string svgZahl1(double v)
{
    char t[64];
    auto r = std::to_chars(t, t + sizeof t - 1, v, std::chars_format::fixed, 1);
    *r.ptr = '\0';
    return t;
}

std::string svgXml(const char* t, int attribut)
{
    std::vector<char> puffer(std::strlen(t) * 8 + 1);
    SvgText(t, attribut, puffer.data(), puffer.size());
    return puffer.data();
}

void svgZeile(const std::string& z)
{
    if (bdputsmodus(&svg.datei, z.c_str(), 0) < 0) svg.fehler = 1;
}

double svgY(double y) { return svg.hoehe - y; }

// ---- styles ----

std::string svgFarbe()
{
    char t[48];
    std::snprintf(t, sizeof t, "rgb(%d,%d,%d)", svg.stift.r, svg.stift.g, svg.stift.b);
    return t;
}

// A pen's width is in tenths of a millimetre, but no line is thinner than
// the thinnest pen on paper (and in the PDF): 0.25 mm. At 0.1 mm a reader
// draws lines light grey and dots as specks.
constexpr double SVGSTRICHMIN = 0.25;

double svgStrichBreite() { return std::max(svg.stift.breite * 0.1, SVGSTRICHMIN); }

// An outline takes the line type as the screen draws it; a filled shape's
// fill covers its outline, so it stays solid.
std::string SvgStilFlaeche(int gefuellt)
{
    const std::string f = svgFarbe();
    return "fill=\"" + (gefuellt ? f : std::string("none")) + "\" stroke=\"" + f + "\" stroke-width=\"" +
           svgZahlText(svgStrichBreite()) + "\"" + (gefuellt || svg.strich.empty() ? "" : " " + svg.strich);
}

std::string SvgStilStrich()
{
    return "stroke=\"" + svgFarbe() + "\" stroke-width=\"" + svgZahlText(svgStrichBreite()) + "\" " + svg.strich;
}

std::string SvgStilFuellung() { return "fill=\"" + svgFarbe() + "\""; }

// The dash values of a line type for one period k (mm): strokes and gaps of
// the pattern at a period of 100 units, scaled to k; a dot is the line's width.
void SvgStiftSetzen(const VISTIFT& pen, int linienart, double k)
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
        const double w = seg.art == 'P' ? svgStrichBreite() : seg.laenge * k / 100.0;
        if (!werte.empty()) werte += ',';
        werte += svgZahlText(w);
    }
    svg.strich = "stroke-dasharray=\"" + werte + "\"";
}

// ---- primitives ----

int SvgElemStift(void*, int stil, const STT* s)
{
    VISTIFT pen;
    StilHolen(stil - 1, &pen);
    // One period of the pattern spans the dash length, as on screen.
    SvgStiftSetzen(pen, s->sa, JusMass(&StilSatz()->jus, s->sl * s->mass));
    return 1;
}

void SvgLinie(void*, double x1, double y1, double x2, double y2)
{
    svgZeile("  <line " + SvgStilStrich() + " x1=\"" + svgZahlText(x1) + "\" y1=\"" + svgZahlText(svgY(y1)) + "\" x2=\"" + svgZahlText(x2) +
          "\" y2=\"" + svgZahlText(svgY(y2)) + "\"/>");
}

void SvgRechteck(void*, double x1, double y1, double x2, double y2, int gefuellt)
{
    svgZeile("  <rect " + SvgStilFlaeche(gefuellt) + " x=\"" + svgZahlText(std::fmin(x1, x2)) + "\" y=\"" +
          svgZahlText(std::fmin(svgY(y1), svgY(y2))) + "\" width=\"" + svgZahlText(std::fabs(x2 - x1)) + "\" height=\"" +
          svgZahlText(std::fabs(y2 - y1)) + "\"/>");
}

void SvgPolygon(void*, const double* p, int n, int gefuellt)
{
    std::string z = "  <polygon " + SvgStilFlaeche(gefuellt) + " points=\"";
    for (int i = 0; i < n; ++i) z += " " + svgZahlText(p[2 * i]) + "," + svgZahlText(svgY(p[2 * i + 1]));
    svgZeile(z + "\"/>");
}

void SvgEllipse(void*, double x1, double y1, double x2, double y2, int gefuellt)
{
    svgZeile("  <ellipse " + SvgStilFlaeche(gefuellt) + " cx=\"" + svgZahlText((x1 + x2) / 2) + "\" cy=\"" +
          svgZahlText(svg.hoehe - (y1 + y2) / 2) + "\" rx=\"" + svgZahlText(std::fabs(x2 - x1) / 2) + "\" ry=\"" +
          svgZahlText(std::fabs(y2 - y1) / 2) + "\"/>");
}

std::string svgDrehung(int t, double x, double y)
{
    return "transform=\"rotate(" + std::to_string(360 - t / 10) + " " + svgZahlText(x) + " " + svgZahlText(svgY(y)) + ")\"";
}

void SvgEllipseGedreht(void*, double cx, double cy, double rx, double ry, int t, int gefuellt)
{
    svgZeile("  <ellipse " + SvgStilFlaeche(gefuellt) + " " + svgDrehung(t, cx, cy) + " cx=\"" + svgZahlText(cx) + "\" cy=\"" +
          svgZahlText(svgY(cy)) + "\" rx=\"" + svgZahlText(std::fabs(rx)) + "\" ry=\"" + svgZahlText(std::fabs(ry)) + "\"/>");
}

// The point of an ellipse of radii (rx, ry), turned by t, at angle a.
void svgBogenPunkt(double cx, double cy, double rx, double ry, int t, int a, double* x, double* y)
{
    double dx = rx * CosZehntel(a), dy = ry * SinZehntel(a);
    Drehen(t, &dx, &dy);
    *x = cx + dx;
    *y = cy + dy;
}

void SvgBogen(void*, double cx, double cy, double rx, double ry, int t, int modus, int anfang, int ende)
{
    if (modus != 0) std::swap(anfang, ende);
    anfang = (anfang % 3600 + 3600) % 3600;
    ende = (ende % 3600 + 3600) % 3600;
    int spanne = ((ende - anfang) % 3600 + 3600) % 3600;
    if (spanne == 0) spanne = 3600;
    const std::string radien = svgZahlText(rx) + "," + svgZahlText(ry) + " " + std::to_string(360 - t / 10);
    double x0, y0, x1, y1;
    svgBogenPunkt(cx, cy, rx, ry, t, anfang, &x0, &y0);
    std::string d = "M" + svgZahlText(x0) + "," + svgZahlText(svgY(y0));
    if (spanne == 3600) {
        // An arc whose end is its start draws nothing in SVG: two halves.
        double xm, ym;
        svgBogenPunkt(cx, cy, rx, ry, t, anfang + 1800, &xm, &ym);
        d += " A" + radien + " 0 0," + svgZahlText(xm) + "," + svgZahlText(svgY(ym));
        x1 = x0;
        y1 = y0;
        d += " A" + radien + " 0 0," + svgZahlText(x1) + "," + svgZahlText(svgY(y1));
    } else {
        svgBogenPunkt(cx, cy, rx, ry, t, ende, &x1, &y1);
        d += " A" + radien + " " + (spanne > 1799 ? "1" : "0") + " 0," + svgZahlText(x1) + "," + svgZahlText(svgY(y1));
    }
    svgZeile("  <path " + SvgStilStrich() + " fill=\"none\" d=\"" + d + "\"/>");
}

void SvgSchriftSetzen(void*, int font, int winkel, double hoehe, double faktor)
{
    SchriftName(font, svg.font, sizeof svg.font);
    svg.fontNr = font;
    // Letters as tall as on screen, whose font cell makes the ascent above
    // the internal leading (cell = em + internal leading) 1.1 times the
    // text size.
    double kappe = 0, oben = 0;
    SchriftMetrik(font, &kappe, &oben);
    svg.em = kappe > 0.1 && oben > 0.1 ? 1.1 * (1 - oben + kappe) / kappe : 1.0;
    svg.winkel = winkel;
    svg.groesse = hoehe;
    svg.faktor = faktor;
}

extern ELEMGERAET svgGeraet;

double SvgBreite(const char* text) { return SchriftTextBreite(svg.fontNr, text, svg.groesse, svg.faktor); }

void SvgTextGroesse(void*, const char* text, double* breite, double* hoehe)
{
    *breite = SvgBreite(text);
    *hoehe = svg.groesse;
}

// A piece at column `spalte` of the line starting at (x, y), aligned by the
// renderer on the left end, the middle or the right end of its model width.
// Readers set the characters in their own font and many leave `textLength`
// aside, so the family named first is the one the text is measured in here,
// and a horizontal scale about the start widens or narrows that font's own
// width to the model width; `textLength` names that font's width, which a
// reader that honours it keeps. A scaled text starts at its left end: under
// a scale librsvg shifts an anchored text by its unscaled width. A text that
// needs no scale keeps its anchor (`text-anchor`), so a reader with a
// narrower or wider font still holds it at its symbol.
void SvgTextSchreiben(double x, double y, int spalte, const char* stueck, int ausrichtung)
{
    const double l = SvgBreite(stueck);
    const double groesse = svg.groesse * svg.em;
    std::string familie;
    const double eigen = pdfbibGesichtBreite(svg.font, groesse, stueck, &familie);
    const double sk = eigen > 1e-6 && l > 1e-6 ? l / eigen : 1.0;
    const bool skaliert = std::fabs(sk - 1) > 0.0005;
    if (skaliert) ausrichtung = 0;
    const double d = spalte * svg.groesse * svg.faktor + (ausrichtung == 1 ? l / 2 : ausrichtung == 2 ? l : 0);
    const int t = svg.winkel;
    // Along the text's own direction, whatever its angle.
    const double ax = x + d * CosZehntel(t), ay = y + d * SinZehntel(t);
    std::string namen = svgXml(familie.empty() ? svg.font : familie.c_str(), 1);
    if (!familie.empty() && familie != svg.font) namen += ", " + svgXml(svg.font, 1);
    std::string z = "  <text " + SvgStilFuellung() + " font-family=\"" + namen + "\" font-size=\"" +
                    svgZahlText(groesse) + "\" ";
    if (ausrichtung == 1) z += "text-anchor=\"middle\" ";
    else if (ausrichtung == 2) z += "text-anchor=\"end\" ";
    std::string tr;
    if (t != 0) tr = "rotate(" + std::to_string(360 - t / 10) + " " + svgZahlText(ax) + " " + svgZahlText(svgY(ay)) + ")";
    if (skaliert) {
        char m[160];
        std::snprintf(m, sizeof m, "matrix(%.5g 0 0 1 %.5g 0)", sk, ax * (1 - sk));
        tr += (tr.empty() ? "" : " ") + std::string(m);
    }
    if (!tr.empty()) z += "transform=\"" + tr + "\" ";
    z += "x=\"" + svgZahlText(ax) + "\" y=\"" + svgZahlText(svgY(ay)) + "\" textLength=\"" +
         svgZahlText(l / sk) + "\" lengthAdjust=\"spacingAndGlyphs\">" + svgXml(stueck, 0) + "</text>";
    svgZeile(z);
}

void SvgTextZeile(void*, double x, double y, const char* t, int stdtext)
{
    if (!stdtext) {
        SvgTextSchreiben(x, y, 0, t, svgGeraet.ausrichtung);
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
        SvgTextSchreiben(x, y, ab + anfang, stueck, 0);
        ab += ende;
    }
}

int SvgBild(void*, double x1, double y1, double x2, double y2, int, const char* datei)
{
    svgZeile("  <image x=\"" + svgZahlText(std::fmin(x1, x2)) + "\" y=\"" + svgZahlText(std::fmin(svgY(y1), svgY(y2))) + "\" width=\"" +
          svgZahlText(std::fabs(x2 - x1)) + "\" height=\"" + svgZahlText(std::fabs(y2 - y1)) + "\"");
    std::string name = datei + pfadlang(datei);
    const size_t punkt = name.rfind('.');
    if (punkt != std::string::npos) {
        std::string ext = name.substr(punkt + 1);
        for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext == "emf" || ext == "wmf" || ext == "bmp") name = name.substr(0, punkt + 1) + "png";
    }
    svgZeile("  xlink:href=\"" + svgXml(name.c_str(), 1) + "\"/>");
    return 0;
}

// Members in the order of ELEMGERAET: no too-small test, texts measured by
// the text-width model, the style set's placement, layer switching honoured.
ELEMGERAET svgGeraet = {nullptr,   SvgElemStift,   SvgLinie,      SvgRechteck, SvgPolygon,
                        SvgEllipse, SvgEllipseGedreht, SvgBogen,  SvgSchriftSetzen,  nullptr,
                        SvgTextGroesse, SvgTextZeile, nullptr,   SvgBild,     ELEM_PLATZ_JUS,
                        nullptr,   0,              1,             {}};

void SvgKopfSchreiben(double w, double h)
{
    svgZeile("<?xml version=\"1.0\" encoding=\"iso-8859-1\" standalone=\"no\"?>");
    svgZeile("<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.0//EN\" "
          "\"http://www.w3.org/TR/2001/REC-SVG-20010904/DTD/svg10.dtd\">");
    svgZeile("<svg width=\"" + svgZahl1(w) + "mm\" height=\"" + svgZahl1(h) + "mm\"");
    svgZeile("     viewBox=\"0 0 " + svgZahl1(w) + " " + svgZahl1(h) + "\"");
    // The picture references need the xlink namespace, or readers refuse the file.
    svgZeile("     xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\">");
}

void SvgBlattBeginnen(int istA4)
{
    // Every other format is a landscape sheet of up to A3 (0..420 x 0..297):
    // an A4-landscape page would cut it at the top and the right.
    const double w = istA4 ? 210 : 420, h = 297;
    StilLaden(istA4 ? "SvgA4" : "SvgA3");
    svgGeraet.jus = &StilSatz()->jus;
    svgGeraet.textAus = 0;
    ElemLayerAnfang(&svgGeraet);
    svg.hoehe = h;
    svg.abbruch = 0;
    svg.stift = VISTIFT{};
    svg.stift.breite = 1;
    svg.strich.clear();
    SvgKopfSchreiben(w, h);
}

void svgWarnen(const char* format, const char* pfad) { wiMeldung(format, pfad); }

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

namespace {

void SvgFussSchreiben() { svgZeile("</svg>"); }

}  // namespace

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
        svgWarnen("Kann Zeichnung %s nicht \xf6" "ffnen.", zeichnung);
        return -1;
    }
    const int istA4 = ZeiFormat(&z) == BEF_ZA4;
    ZeiDateiSchliessen(&z);
    if (bdmake(&svg.datei, ausgabe) < 0) {
        svgWarnen("Kann Ausgabedatei %s nicht anlegen.", ausgabe);
        return -1;
    }
    svg.fehler = 0;
    ZeiAktSetzen(zeichnung);
    SvgBlattBeginnen(istA4);
    STT s;
    SttInit(&s, nullptr);
    const int gelaufen = ZeiDurchlaufen(zeichnung, &s, SvgRueckruf);
    SvgFussSchreiben();
    BauBibSchliessen();
    StndTextSchliessen();
    // A failed write or walk leaves nothing: the temporary file is dropped.
    if (svg.fehler || gelaufen < 0) svg.datei.fehler = 1;
    const int zu = bdclose(&svg.datei);
    if (gelaufen < 0) {
        svgWarnen("Kann Zeichnung %s nicht \xf6" "ffnen.", zeichnung);
        return -1;
    }
    if (zu < 0) {
        svgWarnen("Kann Ausgabedatei %s nicht anlegen.", ausgabe);
        return -1;
    }
    return 0;
}
