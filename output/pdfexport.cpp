// PDF export (see pdfexport.h): the PDF copy of the element renderer. The
// core works out the geometry and applies the style set's placement; the
// members here turn millimetres into points and call the library. Dashes
// are the library's own, with solid end strokes added; two-colour pens go
// through the world-unit dash stepping in points.
#include "output/pdfexport.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/vorgaben.h"
#include "model/bauteil.h"
#include "model/einstell.h"
#include "model/geometri.h"
#include "model/stndtext.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "model/zeilauf.h"
#include "model/zerleg.h"
#include "output/bilder.h"
#include "output/element.h"
#include "output/pdfbind.h"
#include "output/pdfint.h"
#include "output/schrift.h"
#include "output/stil.h"
#include "output/strich.h"
#include "platform/dateisys.h"
#include "platform/pdfbib.h"
#include "support/fileload.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/meldung.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int PDFSTDSUP = 12;         // standard font slots
constexpr int PDFFACESUP = 80;        // characters of a TrueType face name
constexpr int PDFBILDNAMESUP = 250;   // characters of a cached image name
constexpr int PDFSTUECKSUP = 1024;    // characters of one text piece

struct Seitengroesse {
    const wchar_t* name;
    double wPt, hPt, wMm, hMm;
};
constexpr Seitengroesse seitengroessen[4] = {
    {L"A4", 595.3, 841.9, 210, 297},
    {L"A4 Landscape", 841.9, 595.3, 297, 210},
    {L"A3", 841.9, 1190.6, 297, 420},
    {L"A3 Landscape", 1190.6, 841.9, 420, 297},
};

struct TTFace {
    std::string name;
    int id;
};
struct BildEintrag {
    std::string name;
    int id;
};

struct PdfGeraet {
    Seitengroesse groesse = seitengroessen[0];
    // pen cache
    VISTIFT stift{};
    int linienart = -1;
    double term = -1;
    int zweiFarben = 0;
    double linienBreite = 0;   // points
    std::wstring strich;       // current dash string
    // text cache
    int font = -1;
    int winkel = -1;
    double tcos = 1, tsin = 0;
    double hoehe = -1, faktor = -1;
    std::string face;
    int attribut = 0;
    double faktorF = 1;        // size factor of the face
    double skalierung = 100;   // standing scaling
    // fonts and images
    int standard[PDFSTDSUP] = {};
    std::vector<TTFace> tt;
    std::vector<BildEintrag> bilder;
    void (*protokoll)(const std::string&) = nullptr;
};

PdfGeraet pg;
PdfExport pz;

double pt(double mm) { return PdfMmZuPt(mm); }

// A number with a point whatever the process locale.
std::string zahl2(double v)
{
    char t[64];
    auto r = std::to_chars(t, t + sizeof t - 1, v, std::chars_format::fixed, 2);
    *r.ptr = '\0';
    return t;
}

std::string schmal(const std::wstring& w)
{
    return pdfbibSchmal(w.c_str(), w.size() * 4 + 1);
}

void cachesLeeren()
{
    pg.stift = VISTIFT{};
    pg.stift.breite = -1;
    pg.linienart = -1;
    pg.term = -1;
    pg.zweiFarben = 0;
    pg.font = -1;
    pg.winkel = -1;
    pg.hoehe = -1;
    pg.faktor = -1;
    pg.face.clear();
}

bool gleichOhneFall(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool enthaeltOhneFall(const std::string& s, const char* teil)
{
    std::string a = s, b = teil;
    for (char& c : a) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : b) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return a.find(b) != std::string::npos;
}

// ---- pens ----

// Line width, colours and dash string of one colour of the pen.
void PdfLinienart(int r, int g, int b, int breite, int typ, double term)
{
    pg.linienBreite = pt(breite / 100.0);
    DPLSetLineWidth(pz.inst, pg.linienBreite);
    if (pg.protokoll) pdfLog("DPLSetLineWidth %s", zahl2(pg.linienBreite).c_str());
    DPLSetLineColor(pz.inst, r / 255.0, g / 255.0, b / 255.0);
    DPLSetFillColor(pz.inst, r / 255.0, g / 255.0, b / 255.0);
    DPLSetTextColor(pz.inst, r / 255.0, g / 255.0, b / 255.0);
    if (pg.protokoll) pdfLog("DPLSetLineColor %d %d %d", r, g, b);
    std::string s;
    if (typ != 7) {
        // The pattern in percent of its period; one period spans the dash
        // length (a tenth of the term), as on screen.
        StrichMuster(typ, 1000);
        StrichAnfang();
        const double periode = pt(term) / 10;
        for (int n = 0; n < STRICHSEGSUP && StrichArt() != 0; ++n) {
            STRICHSEG seg;
            StrichNaechstes(&seg);
            if (!s.empty()) s += ' ';
            s += zahl2(seg.art == 'P' ? pg.linienBreite : seg.laenge * periode / 100.0);
        }
    }
    pg.strich = pdfbibBreit(s);
    DPLSetLineDashEx(pz.inst, pg.strich.c_str());
    if (pg.protokoll) pdfLog("DPLSetLineDashEx \"%s\"", s.c_str());
}

void PdfStrichSchalten(int an)
{
    const std::wstring leer;
    DPLSetLineDashEx(pz.inst, an ? pg.strich.c_str() : leer.c_str());
    if (pg.protokoll) pdfLog("DPLSetLineDashEx \"%s\"", an ? schmal(pg.strich).c_str() : "");
}

void PdfStift(const VISTIFT& e, int typ, double term)
{
    typ = std::clamp(typ, 1, 7);
    const int cacheTyp = e.zweit && typ == 7 ? 8 : typ;
    if (std::memcmp(&e, &pg.stift, sizeof e) == 0 && cacheTyp == pg.linienart && term == pg.term) return;
    pg.stift = e;
    pg.linienart = cacheTyp;
    pg.term = term;
    pg.zweiFarben = e.zweit != 0;
    if (!pg.zweiFarben) {
        PdfLinienart(e.r, e.g, e.b, e.breite, typ, term);
        StrichMuster(typ, static_cast<int>(std::lround(pt(term))));
    } else {
        PdfLinienart(e.r, e.g, e.b, e.breite, 7, term);
        StrichMuster(typ, static_cast<int>(std::lround(pt(term))));
    }
}

// World-unit stepping in points: the drawing calls of the two-colour pens
// and of the solid end strokes.
void weltLinie(void*, double x1, double y1, double x2, double y2)
{
    DPLDrawLine(pz.inst, x1, y1, x2, y2);
    if (pg.protokoll) pdfLog("DPLDrawLine %s %s %s %s", zahl2(x1).c_str(), zahl2(y1).c_str(), zahl2(x2).c_str(), zahl2(y2).c_str());
}
void weltPunkt(void*, double x, double y)
{
    DPLDrawCircle(pz.inst, x, y, pg.linienBreite / 2, 2);
    if (pg.protokoll) pdfLog("DPLDrawCircle %s %s %s 2", zahl2(x).c_str(), zahl2(y).c_str(), zahl2(pg.linienBreite / 2).c_str());
}
void weltFarbe(void*, int n)
{
    const VISTIFT& e = pg.stift;
    if (n == 2) PdfLinienart(e.r2, e.g2, e.b2, e.breite, 7, pg.term);
    else PdfLinienart(e.r, e.g, e.b, e.breite, 7, pg.term);
}
void weltSchalten(void*, int an) { PdfStrichSchalten(an); }

const WELTSTRICHZIEL weltZiel = {weltLinie, weltPunkt, weltFarbe, weltSchalten, nullptr, nullptr};

// A polyline (mm) through the world-unit stepping.
void pdfGestrichelt(const double* p, int n, bool zu)
{
    if (n < 2) return;
    WeltStrichZielSetzen(&weltZiel);
    StrichFarbModus(2);
    WeltStrichStart(pt(p[0]), pt(p[1]));
    const int kanten = zu ? n : n - 1;
    for (int i = 1; i <= kanten; ++i) {
        const int k = i % n;
        WeltStrichAnfang(pt(p[2 * k]), pt(p[2 * k + 1]));
        WeltStrichLinie(pt(p[2 * k]), pt(p[2 * k + 1]));
    }
    WeltStrichEnde();
    StrichFarbModus(1);
}

void pdfKurz(double x1, double y1, double x2, double y2)
{
    WeltStrichZielSetzen(&weltZiel);
    WeltStrichKurz(pt(x1), pt(y1), pt(x2), pt(y2));
}

// ---- members ----

int pdfElemStift(void*, int stil, const STT* s)
{
    VISTIFT e;
    StilHolen(stil - 1, &e);
    // Term and unit in points as the screen's are in pixels: one period of
    // the pattern spans the dash length, as on screen.
    const double term = StilMass(10 * s->sl * s->mass);
    PdfStift(e, s->sa, term);
    const double u = StilMass(1000 * s->mass);
    StrichUmgebung(static_cast<int>(std::lround(pt(u))), 0);
    return 1;
}

void pdfLinie(void*, double x0, double y0, double x1, double y1)
{
    if (pg.zweiFarben) {
        const double p[4] = {x0, y0, x1, y1};
        pdfGestrichelt(p, 2, false);
        return;
    }
    weltLinie(nullptr, pt(x0), pt(y0), pt(x1), pt(y1));
    pdfKurz(x0, y0, x1, y1);
}

void pdfPfad(const double* p, int n, int gefuellt)
{
    if (n < 2) return;
    if (pg.zweiFarben && !gefuellt) {
        pdfGestrichelt(p, n, true);
        return;
    }
    DPLStartPath(pz.inst, pt(p[0]), pt(p[1]));
    for (int i = 1; i < n; ++i) DPLAddLineToPath(pz.inst, pt(p[2 * i]), pt(p[2 * i + 1]));
    DPLClosePath(pz.inst);
    DPLDrawPath(pz.inst, gefuellt ? 2 : 0);
    if (pg.protokoll) pdfLog("DPLDrawPath %d %d", n, gefuellt ? 2 : 0);
    if (!gefuellt) {
        for (int i = 0; i < n; ++i) {
            const int k = (i + 1) % n;
            pdfKurz(p[2 * i], p[2 * i + 1], p[2 * k], p[2 * k + 1]);
        }
    }
}

void pdfRechteck(void*, double x0, double y0, double x1, double y1, int gefuellt)
{
    const double l = std::min(x0, x1), r = std::max(x0, x1), o = std::max(y0, y1), u = std::min(y0, y1);
    if (pg.zweiFarben && !gefuellt) {
        const double p[8] = {l, o, r, o, r, u, l, u};
        pdfGestrichelt(p, 4, true);
        return;
    }
    DPLDrawBox(pz.inst, pt(l), pt(o), pt(r - l), pt(o - u), gefuellt ? 2 : 0);
    if (pg.protokoll) pdfLog("DPLDrawBox %s %s %s %s %d", zahl2(pt(l)).c_str(), zahl2(pt(o)).c_str(), zahl2(pt(r - l)).c_str(),
           zahl2(pt(o - u)).c_str(), gefuellt ? 2 : 0);
    if (!gefuellt) {
        pdfKurz(l, o, r, o);
        pdfKurz(r, o, r, u);
        pdfKurz(r, u, l, u);
        pdfKurz(l, u, l, o);
    }
}

void pdfPolygon(void*, const double* p, int n, int gefuellt) { pdfPfad(p, n, gefuellt); }

void pdfEllipse(void*, double x0, double y0, double x1, double y1, int gefuellt)
{
    if (x0 == x1 && y0 == y1) return;
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    if (pg.zweiFarben && !gefuellt) {
        const auto pts = EllipsePunkte(cx, cy, std::fabs(x1 - x0) / 2, std::fabs(y1 - y0) / 2, 0, 20);
        std::vector<double> p;
        for (const GeoPunkt& q : pts) {
            p.push_back(q.x);
            p.push_back(q.y);
        }
        pdfGestrichelt(p.data(), static_cast<int>(pts.size()), true);
        return;
    }
    DPLDrawEllipse(pz.inst, pt(cx), pt(cy), pt(std::fabs(x1 - x0)), pt(std::fabs(y1 - y0)), gefuellt ? 2 : 0);
    if (pg.protokoll) pdfLog("DPLDrawEllipse %s %s %s %s %d", zahl2(pt(cx)).c_str(), zahl2(pt(cy)).c_str(),
           zahl2(pt(std::fabs(x1 - x0))).c_str(), zahl2(pt(std::fabs(y1 - y0))).c_str(), gefuellt ? 2 : 0);
}

void pdfBogen(void*, double cx, double cy, double rx, double ry, int drehung, int modus, int anfang, int ende)
{
    if (rx == 0 && ry == 0) return;
    if (modus != 0) std::swap(anfang, ende);
    if (drehung == 0 && !pg.zweiFarben) {
        anfang += 2700;
        ende += 2700;
        if (anfang > 3599) {
            anfang -= 3600;
            ende -= 3600;
        }
        auto bogen = [&](int a, int e) {
            DPLDrawEllipticArc(pz.inst, pt(cx), pt(cy), pt(2 * std::fabs(rx)), pt(2 * std::fabs(ry)), a / 10.0,
                               e / 10.0, 0, 0);
            if (pg.protokoll) pdfLog("DPLDrawEllipticArc %s %s %s %s %s %s", zahl2(pt(cx)).c_str(), zahl2(pt(cy)).c_str(),
                   zahl2(pt(2 * std::fabs(rx))).c_str(), zahl2(pt(2 * std::fabs(ry))).c_str(), zahl2(a / 10.0).c_str(),
                   zahl2(e / 10.0).c_str());
        };
        bogen(anfang, ende);
        int spanne = ende - anfang;
        if (spanne <= 0) spanne += 3600;
        const int k = spanne <= 40 ? spanne / 3 : 40;
        PdfStrichSchalten(0);
        bogen(ende - k, ende);
        PdfStrichSchalten(1);
        return;
    }
    const auto pts = BogenPunkte(cx, cy, rx, ry, drehung, 0, anfang, ende, 20);
    std::vector<double> p;
    for (const GeoPunkt& q : pts) {
        p.push_back(q.x);
        p.push_back(q.y);
    }
    pdfGestrichelt(p.data(), static_cast<int>(pts.size()), false);
}

void pdfEllipseGedreht(void* b, double cx, double cy, double rx, double ry, int drehung, int gefuellt)
{
    if (!gefuellt) {
        pdfBogen(b, cx, cy, rx, ry, drehung, 0, 0, 3600);
        return;
    }
    const auto pts = EllipsePunkte(cx, cy, rx, ry, drehung, 20);
    std::vector<double> p;
    for (const GeoPunkt& q : pts) {
        p.push_back(q.x);
        p.push_back(q.y);
    }
    pdfPfad(p.data(), static_cast<int>(pts.size()), 1);
}

// ---- texts ----

void PdfSchriftenAnlegen()
{
    static constexpr int nummern[PDFSTDSUP] = {0, 1, 3, 2, 4, 5, 7, 6, 8, 9, 10, 11};
    for (int i = 0; i < PDFSTDSUP; ++i) pg.standard[i] = DPLAddStandardFont(pz.inst, nummern[i]);
    if (pg.protokoll) pdfLog("DPLAddStandardFont 0 -> %d", pg.standard[0]);
    pg.tt.clear();
}

void PdfSchriftWaehlen(const std::string& face)
{
    if (!pg.face.empty() && gleichOhneFall(face, pg.face)) return;
    pg.face = face;
    pg.faktorF = face.rfind("Mono", 0) == 0 && face.find("821") != std::string::npos ? 1.08 : 1.0;
    int id = 0;
    if (enthaeltOhneFall(face, "Courier")) id = pg.standard[0];
    else if (enthaeltOhneFall(face, "Arial")) id = pg.standard[4];
    else if (enthaeltOhneFall(face, "Times")) id = pg.standard[8];
    else {
        for (const TTFace& t : pg.tt)
            if (gleichOhneFall(t.name, face)) id = t.id;
        if (id == 0 && static_cast<int>(pg.tt.size()) < PDFTTSUP) {
            const std::string name = face.substr(0, PDFFACESUP);
            id = DPLAddTrueTypeFont(pz.inst, pdfbibBreit(name).c_str(), 1);
            if (pg.protokoll) pdfLog("DPLAddTrueTypeFont \"%s\" -> %d", name.c_str(), id);
            if (id != 0) pg.tt.push_back({name, id});
        }
        // A face the library cannot make, or one beyond the table, is set
        // in the first standard font.
        if (id == 0) id = pg.standard[0];
    }
    DPLSelectFont(pz.inst, id);
    if (pg.protokoll) pdfLog("DPLSelectFont %d", id);
}

void PdfSchriftGroesse(double h, double w, int attribut)
{
    DPLSetTextSize(pz.inst, 100);
    DPLSetTextScaling(pz.inst, 100);
    const double A = DPLGetTextAscent(pz.inst);
    double M = DPLGetFontMetrics(pz.inst, 6) / 10.0;
    if (M == 0) M = DPLGetTextWidth(pz.inst, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789") / 62;
    // Letters as tall as on screen, whose font cell makes the ascent above
    // the internal leading 1.1 times the text height: the ascent is the
    // height times 1.1 times the face's ascent over that part.
    double kappe = 0, oben = 0;
    SchriftMetrik(pg.font, &kappe, &oben);
    const double zelle = kappe > 0.1 && oben > 0.1 ? 1.1 * oben / kappe : 1.0;
    if (A >= 10) h = h * 100 / A * zelle;
    double S = M <= 0.1 ? 100 : 100 * (w * 100 / M);
    S = A / 100 * S;
    if (attribut == 0) S = 100;
    const double groesse = pt(h) * pg.faktorF;
    DPLSetTextSize(pz.inst, groesse);
    DPLSetTextScaling(pz.inst, S / pg.faktorF);
    DPLSetTextAlign(pz.inst, 0);
    if (pg.protokoll) pdfLog("DPLSetTextSize %s", zahl2(groesse).c_str());
    if (pg.protokoll) pdfLog("DPLSetTextScaling %s", zahl2(S / pg.faktorF).c_str());
    pg.skalierung = S / pg.faktorF;
}

void PdfTextSchrift(void*, int font, int winkel, double hoehe, double faktor)
{
    if (font == pg.font && winkel == pg.winkel && hoehe == pg.hoehe && faktor == pg.faktor) return;
    if (font != pg.font) {
        char name[SCHRIFTNAMESUP + 1];
        SchriftName(font, name, sizeof name);
        pg.attribut = SchriftArt(font);
        pg.font = font;
        PdfSchriftWaehlen(name);
    }
    pg.winkel = winkel;
    pg.tcos = CosZehntel(winkel);
    pg.tsin = SinZehntel(winkel);
    pg.hoehe = hoehe;
    pg.faktor = faktor;
    PdfSchriftGroesse(hoehe, faktor, pg.attribut);
}

// Width of a text in millimetres of the sheet.
double PdfTextBreite(const char* text)
{
    return SchriftTextBreite(pg.font, text, pg.hoehe, pg.faktor);
}

void pdfTextGroesse(void*, const char* text, double* breite, double* hoehe)
{
    *breite = PdfTextBreite(text);
    *hoehe = pg.hoehe;
}

void pdfStueck(double x, double y, int spalte, const char* stueck)
{
    const double d = spalte * pg.hoehe * pg.faktor;
    switch (pg.winkel) {
    case 0: x += d; break;
    case 900: y += d; break;
    case 1800: x -= d; break;
    case 2700: y -= d; break;
    default:
        x += d * pg.tcos;
        y += d * pg.tsin;
    }
    // Every piece spans exactly the width of the text-width model, whatever
    // the face's own advances: proportional and column texts alike, so the
    // page shows the sheet's layout and the letters keep their advance.
    const std::wstring w = pdfbibBreit(stueck);
    DPLSetTextScaling(pz.inst, 100);
    const double m = DPLGetTextWidth(pz.inst, w.c_str());
    DPLSetTextScaling(pz.inst, m > 0.1 ? pt(PdfTextBreite(stueck)) * 100 / m : pg.skalierung);
    if (pg.winkel == 0) {
        DPLDrawText(pz.inst, pt(x), pt(y), w.c_str());
        if (pg.protokoll) pdfLog("DPLDrawText %s %s \"%s\"", zahl2(pt(x)).c_str(), zahl2(pt(y)).c_str(), stueck);
    } else {
        DPLDrawRotatedText(pz.inst, pt(x), pt(y), pg.winkel / 10.0, w.c_str());
        if (pg.protokoll) pdfLog("DPLDrawRotatedText %s %s %s \"%s\"", zahl2(pt(x)).c_str(), zahl2(pt(y)).c_str(),
               zahl2(pg.winkel / 10.0).c_str(), stueck);
    }
    DPLSetTextScaling(pz.inst, pg.skalierung);
}

void PdfTextZeile(void*, double x, double y, const char* t, int stuecke)
{
    if (!stuecke) {
        pdfStueck(x, y, 0, t);
        return;
    }
    int ab = 0;
    const int n = static_cast<int>(std::strlen(t));
    while (ab < n) {
        char stueck[PDFSTUECKSUP];
        int anfang = 0, ende = 0;
        StrAbschnitt(t + ab, stueck, sizeof stueck, &anfang, &ende);
        if (ende <= anfang || stueck[0] == '\0') break;
        pdfStueck(x, y, ab + anfang, stueck);
        ab += ende;
    }
}

// The text box of the first line (world, before placement): its corners go
// with the link of an "@Y" text.
void pdfErsteZeile(void*, const char* zeile, double x0, double y0, const STT* s)
{
    if (!pz.wartend) return;
    const int T = WinkelNormal(s->richtung + s->tr);
    const double h = s->mass * s->tg;
    const double w = pg.hoehe > 0 && pg.faktor > 0 ? StilMassZurueck(PdfTextBreite(zeile)) : h;
    const double rel[4][2] = {{0, h}, {0, 0}, {w, 0}, {w, h}};
    double ecken[4][2];
    for (int i = 0; i < 4; ++i) {
        double vx = rel[i][0], vy = rel[i][1];
        Drehen(T, &vx, &vy);
        ecken[i][0] = x0 + vx;
        ecken[i][1] = y0 + vy;
    }
    PdfVerweisMerken(s->x, s->y, zeile, ecken);
}

// ---- pictures ----

void PdfBild(double l, double o, double r, double u, int drehung, const std::string& datei)
{
    int id = 0;
    for (const BildEintrag& e : pg.bilder)
        if (gleichOhneFall(e.name, datei)) id = e.id;
    if (id == 0) {
        id = DPLAddImageFromFile(pz.inst, pdfbibBreit(datei).c_str(), 0);
        if (pg.protokoll) pdfLog("DPLAddImageFromFile \"%s\" -> %d", datei.c_str(), id);
        if (id == 0) return;
        if (static_cast<int>(pg.bilder.size()) < PDFBILDSUP) pg.bilder.push_back({datei.substr(0, PDFBILDNAMESUP), id});
    }
    DPLSelectImage(pz.inst, id);
    const double w = r - l, h = o - u;
    switch (drehung) {
    case 0:
    case 3600:
        DPLDrawImage(pz.inst, pt(l), pt(o), pt(w), pt(h));
        if (pg.protokoll) pdfLog("DPLDrawImage %s %s %s %s", zahl2(pt(l)).c_str(), zahl2(pt(o)).c_str(), zahl2(pt(w)).c_str(),
               zahl2(pt(h)).c_str());
        break;
    case 900:
        // The library anchors the lower left corner of the turned picture:
        // at a quarter turn that is the box's lower right corner.
        DPLDrawRotatedImage(pz.inst, pt(r), pt(u), pt(h), pt(w), 90.0);
        if (pg.protokoll) pdfLog("DPLDrawRotatedImage %s %s %s %s 90", zahl2(pt(r)).c_str(), zahl2(pt(u)).c_str(),
               zahl2(pt(h)).c_str(), zahl2(pt(w)).c_str());
        break;
    case 1800:
        DPLDrawRotatedImage(pz.inst, pt(r), pt(o), pt(w), pt(h), 180.0);
        if (pg.protokoll) pdfLog("DPLDrawRotatedImage %s %s %s %s 180", zahl2(pt(r)).c_str(), zahl2(pt(o)).c_str(),
               zahl2(pt(w)).c_str(), zahl2(pt(h)).c_str());
        break;
    case 2700:
        DPLDrawRotatedImage(pz.inst, pt(l), pt(o), pt(h), pt(w), 270.0);
        if (pg.protokoll) pdfLog("DPLDrawRotatedImage %s %s %s %s 270", zahl2(pt(l)).c_str(), zahl2(pt(o)).c_str(),
               zahl2(pt(h)).c_str(), zahl2(pt(w)).c_str());
        break;
    default: break;
    }
}

std::string endungKlein(const char* datei)
{
    const char* p = std::strrchr(datei, '.');
    std::string e = p ? p + 1 : "";
    for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return e;
}

int PdfBildDatei(void*, double x0, double y0, double x1, double y1, int drehung, const char* datei)
{
    double box[4] = {x0, y0, x1, y1};
    const std::string ext = endungKlein(datei);
    const int art = ext == "png" ? BILD_PNG : ext == "bmp" ? BILD_BMP : ext == "jpg" ? BILD_JPG : -1;
    if (art >= 0) {
        int bw = 0, bh = 0;
        if (BildGroesse(datei, art, &bw, &bh) == 0 && bw > 0 && bh > 0) {
            if (drehung == 900 || drehung == 2700) BildEinpassenD(box, bh, bw);
            else BildEinpassenD(box, bw, bh);
        }
    }
    const double l = std::min(box[0], box[2]), r = std::max(box[0], box[2]);
    const double u = std::min(box[1], box[3]), o = std::max(box[1], box[3]);
    if (ext == "wmf" || ext == "emf") {
        // A metafile is played into the page as vectors, fitted and turned
        // in its box as on screen.
        const std::string d = datei;
        const bool wmf = ext == "wmf";
        const int ok = pdfbibVektorZeichnen(pz.inst, pt(l), pt(o), pt(r - l), pt(o - u),
                                            [&d, wmf, drehung](HDC dc, const int b[4]) {
                                                if (wmf) WmfZeichnenDC(dc, b, drehung, d.c_str());
                                                else EmfZeichnenDC(dc, b, drehung, d.c_str());
                                            });
        if (pg.protokoll) pdfLog("pdfbibVektorZeichnen %s %s %s %s \"%s\" -> %d", zahl2(pt(l)).c_str(), zahl2(pt(o)).c_str(),
               zahl2(pt(r - l)).c_str(), zahl2(pt(o - u)).c_str(), datei, ok);
        return 0;
    }
    if (art == BILD_BMP) {
        char temp[PFADSUP + 1];
        if (tempname(temp) != 0) return 0;
        std::string png = temp;
        const size_t punkt = png.rfind('.');
        png = (punkt == std::string::npos ? png : png.substr(0, punkt)) + ".png";
        const int seite = static_cast<int>(std::max(std::lround(std::fabs(r - l) * pz.dpi / 25.4),
                                                    std::lround(std::fabs(o - u) * pz.dpi / 25.4)));
        if (pg.protokoll) pdfLog("BildBmpNachPng %d", seite);
        if (BildBmpNachPng(datei, png.c_str(), seite)) PdfBild(l, o, r, u, drehung, png);
        plDsLoeschen(png.c_str());
        return 0;
    }
    PdfBild(l, o, r, u, drehung, datei);
    return 0;
}

ELEMGERAET pdfGeraet = {nullptr,        pdfElemStift,      pdfLinie,  pdfRechteck,    pdfPolygon,
                        pdfEllipse,     pdfEllipseGedreht, pdfBogen,  PdfTextSchrift,     nullptr,
                        pdfTextGroesse, PdfTextZeile,      pdfErsteZeile, PdfBildDatei, ELEM_PLATZ_STIL,
                        nullptr,        0,                 1,         {}};

// The settings set the drawing settings were last read from in this export
// (its change count); -1: not read yet.
int pdfGrundGelesen = -1;

// Layer flags from the drawing settings' display switches. The settings
// are read at the first page of an export and again only when another set
// was chosen or the set was written since: every drawing of a run shares
// them, and reading them (with the workstation keys looked up in the ini
// file) cost as much as laying out a page's texts.
void pdfLayerAnfang()
{
    const int zaehler = VgbAenderZaehler();
    if (zaehler != pdfGrundGelesen) {
        GrundEinstLesen(nullptr);
        pdfGrundGelesen = zaehler;
    }
    const GRUNDEINST* g = GrundEinst();
    pdfGeraet.layer[0] = 1;
    for (int n = 1; n <= ELEMLAYERSUP; ++n) pdfGeraet.layer[n] = g->layanz[n - 1] != 0;
}

int pdfRueckruf(const BEF* b, const STT* s, bool bilder)
{
    if (ElemLayerSchalten(&pdfGeraet, b)) return 0;
    if (!ElemLayerAn(&pdfGeraet, s)) return 0;
    if ((b->code == 69) != bilder) return 0;
    ElemZeichnen(&pdfGeraet, b, s);
    return 0;
}

void PdfSeiteBeginnen(int lage)
{
    if (!pz.seiteFrei) {
        const int neu = DPLNewPage(pz.inst);
        DPLSelectPage(pz.inst, neu);
        if (pg.protokoll) pdfLog("DPLNewPage -> %d", neu);
    }
    pz.seiteFrei = 1;
    if (lage >= 0) PdfSeitenformat(lage);
}

}  // namespace

PdfExport& pdfZustand() { return pz; }

// Callers ask `pg.protokoll` first: formatting the numbers of every line
// costs about as much as drawing it, and the trace is mostly off.
void pdfLog(const char* format, ...)
{
    if (!pg.protokoll) return;
    char t[1024];
    va_list a;
    va_start(a, format);
    std::vsnprintf(t, sizeof t, format, a);
    va_end(a);
    pg.protokoll(t);
}

void PdfProtokollSetzen(void (*fn)(const std::string& zeile)) { pg.protokoll = fn; }

void PdfPapier(int format)
{
    if (format == pz.format) return;
    pz.format = format;
    StilLaden(format == BEF_ZA4 ? "PaA4" : "PaA3");
}

void pdfBilderFrei()
{
    for (const BildEintrag& e : pg.bilder) DPLReleaseImage(pz.inst, e.id);
    pg.bilder.clear();
}

void PdfSeitenformat(int index)
{
    if (index < 0 || index > 3) return;
    pg.groesse = seitengroessen[index];
    if (pz.inst) {
        DPLSetPageSize(pz.inst, pg.groesse.name);
        if (pg.protokoll) pdfLog("DPLSetPageSize \"%s\"", schmal(pg.groesse.name).c_str());
    }
}

double PdfMmZuPt(double mm) { return mm * pg.groesse.wPt / pg.groesse.wMm; }

int PdfRueckrufBild(const BEF* b, const STT* s) { return pdfRueckruf(b, s, true); }
int PdfRueckrufRest(const BEF* b, const STT* s) { return pdfRueckruf(b, s, false); }

namespace {

// The document in the PDF library; 0 when the library is missing.
int PdfDokumentAnlegen(const char* datei)
{
    pz.datei = datei;
    pz.seiteFrei = 1;
    pz.inst = PdfLibHolen();
    if (pz.inst == 0) {
        pz.offen = 0;
        return 0;
    }
    pz.dokument = DPLNewDocument(pz.inst);
    if (pg.protokoll) pdfLog("DPLNewDocument -> %d", pz.dokument);
    return 1;
}

// Pictures first, then the rest with the cross-reference targets recorded;
// -1 when the drawing could not be walked.
int PdfZeichnungLaufen(const char* zeichnung)
{
    int fehler = 0;
    pdfLayerAnfang();
    pdfGeraet.textAus = 0;
    STT s;
    SttInit(&s, nullptr);
    if (ZeiDurchlaufen(zeichnung, &s, PdfRueckrufBild) < 0) fehler = -1;
    BefHakenSetzen(PdfYRefMerken);
    SttInit(&s, nullptr);
    if (ZeiDurchlaufen(zeichnung, &s, PdfRueckrufRest) < 0) fehler = -1;
    BefHakenSetzen(nullptr);
    return fehler;
}

}  // namespace

int PdfExportStart(const char* datei)
{
    VgbOeffnen();
    const int dpi = VgbInt("Pa34DPI");
    pz.vrwMrk = VgbInt("Pa34VrwMrk");
    pz.vrwUnt = VgbInt("Pa34VrwUnt");
    pz.vrwFrb = VgbInt("Pa34VrwFrb");
    VgbSchliessen();
    pz.format = 0;
    pdfGrundGelesen = -1;
    if (!PdfDokumentAnlegen(datei)) return 0;
    pg.groesse = seitengroessen[0];
    cachesLeeren();
    pz.dpi = dpi == 0 ? 100 : dpi;
    PdfSchriftenAnlegen();
    pg.bilder.clear();
    pz.anhang.clear();
    pz.eltern = 0;
    pz.wartend = false;
    pz.offen = 1;
    pz.seite = 0;
    pz.seiten.clear();
    pz.links.clear();
    return 1;
}

int PdfSeite(const char* zeichnung)
{
    if (!pz.offen) return -1;
    char ext[16] = {};
    ZeiExtHolen(zeichnung, ext);
    pz.schluessel = ext;
    ++pz.seite;
    ZeiAktSetzen(zeichnung);
    pz.zeichnung = zeichnung;
    ZeiDatei z;
    if (ZeiDateiLesend(&z, zeichnung) == 0) {
        const int format = ZeiFormat(&z);
        ZeiDateiSchliessen(&z);
        PdfPapier(format);
    }
    cachesLeeren();
    PdfSeiteBeginnen(StilBlattLage());
    const int fehler = PdfZeichnungLaufen(zeichnung);
    pz.wartend = false;
    BauBibSchliessen();
    StndTextSchliessen();
    const int ziel = DPLNewDestination(pz.inst, pz.seite, 0, 2, 0, 0, 0, 0);
    pz.seiten.push_back({pz.seite, pz.schluessel, ziel, 0, pz.format});
    pz.seiteFrei = 0;
    if (fehler) wiMeldung("Kann Zeichnung %s nicht \xf6" "ffnen.", zeichnung);
    return fehler;
}
