// DXF export; see dxfexp.h. One export at a time: the writer state below
// lives from DxfExport's start to its end.
//
// Invariants of a running export:
//  1. The entities go to a temporary file, each table's entries to one of
//     its own; the DXF file is assembled from them only at the end, so the
//     tables can hold exactly what the entities used.
//  2. A table entry is written once: its name is in the table's name set
//     from its first use on (the name of its group 2 line).
//  3. Every write result is kept: one failure makes the run fail, and the
//     DXF file (made by bdmake) is then dropped, never left cut.
#include "output/dxfexp.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
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
#include "output/dxfkonf.h"
#include "output/element.h"
#include "output/schrift.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/fileload.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"
#include "winlib/wiwerk.h"

namespace {

enum { DXF_LTYPE, DXF_LAYER, DXF_STYLE, DXF_TABSUP };
const char* const dxfTabName[DXF_TABSUP] = {"LTYPE", "LAYER", "STYLE"};

struct DxfExpZustand {
    DxfKonfig konf;
    double x, y;          // current point
    int stil, sa, font;   // of the element being written
    double hoehe, winkel, faktor;
    double periode;       // of the dash pattern, as on screen (0: the line type's own)
    double ltLaenge;      // total length of the current line type's pattern
    double passend;       // width the next text spans (0: the reader's own)
    int letzterStil, letzteSa, letzterFont;
    char layer[DXFKNAMESUP + 1];
    char ltype[DXFKNAMESUP + 1];
    char style[DXFKNAMESUP + 1];
    BDAT dxf, ent, tab[DXF_TABSUP];
    int dxfOffen;
    char tmpEnt[1024], tmpTab[DXF_TABSUP][1024];
    std::set<std::string> namen[DXF_TABSUP];
    int fehler;
};

DxfExpZustand* dxfE = nullptr;

// ---- lines (CR LF each; codes "%3d", reals "%f", integers "%6d") ----

void dxfZeile(BDAT* d, const char* text)
{
    if (bdputsmodus(d, text, 1) < 0) dxfE->fehler = 1;
}

void dxfCode(BDAT* d, int code)
{
    char t[16];
    std::snprintf(t, sizeof t, "%3d", code);
    dxfZeile(d, t);
}

// "%f" without the process locale.
std::string dxfRealText(double v)
{
    char t[400];
    auto r = std::to_chars(t, t + sizeof t - 1, v, std::chars_format::fixed, 6);
    *r.ptr = '\0';
    return t;
}

void dxfPaar(BDAT* d, int code, const char* wert)
{
    dxfCode(d, code);
    dxfZeile(d, wert);
}

void dxfReal(BDAT* d, int code, double v) { dxfPaar(d, code, dxfRealText(v).c_str()); }

void dxfInt(BDAT* d, int code, int v)
{
    char t[16];
    std::snprintf(t, sizeof t, "%6d", v);
    dxfPaar(d, code, t);
}

// ---- tables and lookups ----

// Opens a table's entry for name, writing the table head with the first
// one; false when the name is in the table already.
bool dxfTabNeu(int art, const char* name)
{
    if (!dxfE->namen[art].insert(name).second) return false;
    BDAT* d = &dxfE->tab[art];
    if (dxfE->namen[art].size() == 1) {
        dxfPaar(d, 0, "TABLE");
        dxfPaar(d, 2, dxfTabName[art]);
        dxfPaar(d, 70, "     0");
    }
    dxfPaar(d, 0, dxfTabName[art]);
    dxfPaar(d, 2, name);
    dxfPaar(d, 70, "    64");
    return true;
}

// The Strichart row of a name (null when none).
const DxfStrichZeile* dxfStrichZeile(const char* name)
{
    for (const DxfStrichZeile& r : dxfE->konf.strich) {
        if (strvgl(r.name, name) == 0) return &r;
    }
    return nullptr;
}

// The LTYPE entry of a row (a plain one without a row) unless it is there.
void dxfLtypeEintrag(const DxfStrichZeile* z, const char* name)
{
    if (!dxfTabNeu(DXF_LTYPE, name)) return;
    BDAT* d = &dxfE->tab[DXF_LTYPE];
    dxfPaar(d, 3, " ");
    dxfPaar(d, 72, "    65");
    dxfInt(d, 73, z ? z->anzahl : 0);
    dxfReal(d, 40, z ? z->laenge : 0.0);
    for (int i = 0; z && i < z->anzahl; ++i) dxfReal(d, 49, z->element[i]);
}

void DxfFarbeExp(int stil)
{
    if (stil == dxfE->letzterStil) return;
    dxfE->letzterStil = stil;
    const DxfFarbeExpZeile* z = nullptr;
    for (const DxfFarbeExpZeile& r : dxfE->konf.farbeExp) {
        if (r.stil == stil) {
            z = &r;
            break;
        }
    }
    if (z == nullptr) {
        z = &dxfE->konf.farbeExp[0];
        DxfLog("Farbe %d nicht gefunden (%d,%s)", stil, z->farbe, z->layer);
    }
    strkopie(dxfE->layer, z->layer, DXFKNAMESUP);
    if (dxfTabNeu(DXF_LAYER, z->layer)) {
        BDAT* d = &dxfE->tab[DXF_LAYER];
        dxfInt(d, 62, z->farbe);
        dxfPaar(d, 6, "CONTINUOUS");
        // The layer names CONTINUOUS: the LTYPE table must hold it even when
        // no entity of the drawing is drawn solid.
        dxfLtypeEintrag(dxfStrichZeile("CONTINUOUS"), "CONTINUOUS");
    }
}

void DxfStrichartExp(int sa)
{
    if (sa == dxfE->letzteSa) return;
    dxfE->letzteSa = sa;
    const DxfStrichZeile* z = nullptr;
    for (const DxfStrichZeile& r : dxfE->konf.strich) {
        if (r.nr == sa) {
            z = &r;
            break;
        }
    }
    if (z == nullptr) {
        z = &dxfE->konf.strich[0];
        DxfLog("Linientyp %d nicht gefunden (%s)", sa, z->name);
    }
    strkopie(dxfE->ltype, z->name, DXFKNAMESUP);
    dxfE->ltLaenge = z->anzahl > 0 ? z->laenge : 0;
    dxfLtypeEintrag(z, z->name);
}

void DxfSchriftExp(int font)
{
    if (font == dxfE->letzterFont) return;
    dxfE->letzterFont = font;
    const DxfSchriftZeile* z = nullptr;
    for (const DxfSchriftZeile& r : dxfE->konf.schrift) {
        if (r.nr == font) {
            z = &r;
            break;
        }
    }
    if (z == nullptr) {
        z = &dxfE->konf.schrift[0];
        DxfLog("Schrift %d nicht gefunden (%s,%s)", font, z->name, z->datei);
    }
    strkopie(dxfE->style, z->name, DXFKNAMESUP);
    if (dxfTabNeu(DXF_STYLE, z->name)) {
        BDAT* d = &dxfE->tab[DXF_STYLE];
        dxfPaar(d, 40, "0.000000");
        dxfPaar(d, 41, "1.0");
        dxfPaar(d, 50, "0.000000");
        dxfInt(d, 71, 0);
        dxfPaar(d, 42, "1.0");
        dxfPaar(d, 3, z->datei);
        dxfPaar(d, 4, "");
    }
}

// ---- entities ----

BDAT* dxfEnt() { return &dxfE->ent; }

void dxfKopf(const char* typ, bool mitLtype)
{
    BDAT* d = dxfEnt();
    DxfFarbeExp(dxfE->stil);
    dxfPaar(d, 0, typ);
    dxfPaar(d, 8, dxfE->layer);
    if (mitLtype) {
        DxfStrichartExp(dxfE->sa);
        dxfPaar(d, 6, dxfE->ltype);
        // The pattern repeats at the element's dash length, as on screen:
        // the line type scale stretches the table's one period to it.
        if (dxfE->ltLaenge > 0 && dxfE->periode > 0) dxfReal(d, 48, dxfE->periode / dxfE->ltLaenge);
    }
}

void DxfAttribute(int stil, int sa, double hoehe, double winkel, double faktor, int font)
{
    dxfE->stil = stil;
    dxfE->sa = sa;
    dxfE->hoehe = hoehe;
    dxfE->winkel = winkel;
    dxfE->faktor = faktor;
    dxfE->font = font;
}

void DxfPosition(double x, double y)
{
    dxfE->x = x;
    dxfE->y = y;
    wiLangPumpe();
}

void dxfLinie(double dx, double dy)
{
    BDAT* d = dxfEnt();
    dxfKopf("LINE", true);
    dxfReal(d, 10, dxfE->x);
    dxfReal(d, 20, dxfE->y);
    dxfReal(d, 11, dxfE->x + dx);
    dxfReal(d, 21, dxfE->y + dy);
    dxfE->x += dx;
    dxfE->y += dy;
}

void dxfBogen(double cx, double cy, double r, int a1, int a2)
{
    while (a1 > 3599) {
        a1 -= 3600;
        a2 -= 3600;
    }
    BDAT* d = dxfEnt();
    dxfKopf("ARC", true);
    dxfReal(d, 10, cx);
    dxfReal(d, 20, cy);
    dxfReal(d, 40, r);
    dxfReal(d, 50, a1 / 10.0);
    dxfReal(d, 51, a2 / 10.0);
}

// A vertex; a width above 0 is written on the vertex too, since readers
// take a polyline's default width from its head only now and then.
void dxfVertex(double x, double y, bool mitLtype, double breite = 0)
{
    BDAT* d = dxfEnt();
    dxfPaar(d, 0, "VERTEX");
    dxfPaar(d, 8, dxfE->layer);
    if (mitLtype) dxfPaar(d, 6, dxfE->ltype);
    dxfReal(d, 10, x);
    dxfReal(d, 20, y);
    if (breite > 0) {
        dxfReal(d, 40, breite);
        dxfReal(d, 41, breite);
    }
}

void dxfKreis(double cx, double cy, double r, int gefuellt)
{
    BDAT* d = dxfEnt();
    if (!gefuellt) {
        dxfKopf("CIRCLE", true);
        dxfReal(d, 10, cx);
        dxfReal(d, 20, cy);
        dxfReal(d, 40, r);
        return;
    }
    // A closed polyline of two half circles of width r covers the disc.
    dxfKopf("POLYLINE", false);
    dxfPaar(d, 66, "     1");
    dxfPaar(d, 10, "0.000000");
    dxfPaar(d, 20, "0.000000");
    dxfPaar(d, 70, "     1");
    dxfReal(d, 40, r);
    dxfReal(d, 41, r);
    for (double x : {cx - r / 2, cx + r / 2}) {
        dxfVertex(x, cy, false, r);
        dxfPaar(d, 42, "1.0");
    }
    dxfPaar(d, 0, "SEQEND");
}

void dxfPolyKopf(bool geschlossen)
{
    BDAT* d = dxfEnt();
    dxfKopf("POLYLINE", true);
    dxfPaar(d, 66, "     1");
    dxfPaar(d, 10, "0.000000");
    dxfPaar(d, 20, "0.000000");
    if (geschlossen) dxfPaar(d, 70, "     1");
}

void dxfSeqend()
{
    dxfPaar(dxfEnt(), 0, "SEQEND");
    dxfPaar(dxfEnt(), 8, "0");
}

// Closed outline of n points. The closed flag joins the last point to the
// first: repeating the first would add a segment of length zero.
void dxfPolygon(const GeoPunkt* p, int n)
{
    dxfPolyKopf(true);
    for (int i = 0; i < n; ++i) dxfVertex(p[i].x, p[i].y, false);
    dxfSeqend();
}

// SOLID of up to 4 points in the order given.
void dxfSolid(const GeoPunkt* p, int n)
{
    BDAT* d = dxfEnt();
    dxfKopf("SOLID", false);
    for (int i = 0; i < n; ++i) {
        dxfReal(d, 10 + i, p[i].x);
        dxfReal(d, 20 + i, p[i].y);
    }
}

void dxfRechteck(double w, double h, int gefuellt)
{
    const double x = dxfE->x, y = dxfE->y;
    BDAT* d = dxfEnt();
    // Filled: one wide segment. Closed, the way back over it would be a
    // second segment that readers join at a mitre into a notch.
    dxfPolyKopf(!gefuellt);
    if (gefuellt) {
        dxfReal(d, 40, std::fabs(h));
        dxfReal(d, 41, std::fabs(h));
        dxfVertex(x, y + h / 2, false, std::fabs(h));
        dxfVertex(x + w, y + h / 2, false, std::fabs(h));
        dxfE->x = x + w;
        dxfE->y = y + h / 2;
    } else {
        const double p[4][2] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
        for (const auto& q : p) dxfVertex(q[0], q[1], false);
    }
    dxfSeqend();
}

void dxfDreieck(const GeoPunkt e[3], int gefuellt)
{
    if (gefuellt) {
        // A three-cornered SOLID repeats its third corner: its corners run
        // 1, 2, 4, 3, so the first again would fold it to nothing.
        const GeoPunkt p[4] = {e[0], e[1], e[2], e[2]};
        dxfSolid(p, 4);
        return;
    }
    dxfPolyKopf(true);
    for (int i = 0; i < 3; ++i) dxfVertex(e[i].x, e[i].y, true);
    dxfSeqend();
    dxfE->x = e[0].x;
    dxfE->y = e[0].y;
}

// Ellipse polyline about (cx, cy), angles in tenths; the end below the start
// is raised by whole turns. A filled ellipse is filled as the sheet shows
// it: a fan of three-cornered SOLIDs from its centre under the outline.
void DxfElemEllipse(int gefuellt, double cx, double cy, double rx, double ry, int t, int a1, int a2)
{
    const double summe = std::fabs(rx) + std::fabs(ry);
    const int schritt = summe > 400 ? 10 : summe > 200 ? 20 : summe > 100 ? 30 : 50;
    while (a2 < a1) a2 += 3600;
    std::vector<GeoPunkt> p;
    auto punkt = [&](int a) {
        double x = CosZehntel(a) * rx, y = SinZehntel(a) * ry;
        if (t != 0) Drehen(t, &x, &y);
        p.push_back({cx + x, cy + y});
    };
    for (int a = a1; a < a2; a += schritt) punkt(a);
    punkt(a2);
    if (gefuellt) {
        for (size_t i = 0; i + 1 < p.size(); ++i) {
            const GeoPunkt d[4] = {{cx, cy}, p[i], p[i + 1], p[i + 1]};
            dxfSolid(d, 4);
        }
    }
    dxfPolyKopf(false);
    for (const GeoPunkt& q : p) {
        dxfE->x = q.x;
        dxfE->y = q.y;
        dxfVertex(q.x, q.y, true);
    }
    dxfSeqend();
}

void DxfTextSchreiben(const char* text)
{
    char t[DXFTEXTSUP + 1];
    strkopie(t, text, DXFTEXTSUP);
    for (char* p = t; *p; ++p) {
        if (*p == '^') *p = ' ';
    }
    BDAT* d = dxfEnt();
    dxfKopf("TEXT", false);
    dxfReal(d, 10, dxfE->x);
    dxfReal(d, 20, dxfE->y);
    dxfReal(d, 40, dxfE->hoehe);
    dxfReal(d, 41, dxfE->faktor);
    dxfPaar(d, 1, t);
    if (dxfE->winkel != 0) dxfReal(d, 50, dxfE->winkel);
    DxfSchriftExp(dxfE->font);
    dxfPaar(d, 7, dxfE->style);
    if (dxfE->passend > 0) {
        // Fitted between its start and the end the sheet gives it: readers
        // set it in fonts of their own, each of another width.
        const double w = dxfE->winkel * M_PI / 180;
        dxfInt(d, 72, 5);
        dxfReal(d, 11, dxfE->x + dxfE->passend * std::cos(w));
        dxfReal(d, 21, dxfE->y + dxfE->passend * std::sin(w));
    }
}

// ---- members ----

// The point size of PKT in tenths. The renderer keeps the editor's setting
// to itself; until it offers a reader, the export uses the renderer's own
// default.
// The point size the screen and the other devices draw with.
int dxfPktGroesse() { return ElemPunktGroesse(); }

void DxfElemText(const char* text, const STT* s, int a, int b, int c)
{
    // The texts the sheet shows, no more: placeholders and reference texts
    // stay out, attribute texts lose their marker and kind letter.
    const int n = ElemTextZeilen(text, s, a, 0), m = StndTextLaenge();
    if (n == 0 || m == 0) return;
    const double sc = s->mass;
    const double H = sc * s->tg, C = sc * s->tg * s->tv, L = 2 * sc * s->th * s->tg;
    // Aligned on the width the sheet gives the text (its first line, or a
    // block's m letters 'n', under the text-width model), as on screen.
    const std::string mess = n == 1 ? std::string(StndTextZeile(0)) : std::string(std::min(ELEMMESSSUP, m), 'n');
    const double W = SchriftTextBreite(s->ts, mess.c_str(), H, s->tv), D = -L * (n - 1);
    const double dx = b == 1 ? -W / 2 : b == 2 ? -W : 0;
    const double dy = c == 1 ? -(H + D) / 2 : c == 2 ? -(H + D) : 0;
    const int T = s->richtung + s->tr;
    double ox = dx, oy = dy;
    Drehen(T, &ox, &oy);
    const double x0 = s->x + ox, y0 = s->y + oy;
    for (int i = 0; i < n; ++i) {
        const char* zeile = StndTextZeile(i);
        int pos = 0;
        while (zeile[pos] != '\0') {
            char stueck[DXFTEXTSUP + 1];
            int anfang = 0, ende = 0;
            StrAbschnitt(zeile + pos, stueck, sizeof stueck, &anfang, &ende);
            if (ende == anfang) {
                if (zeile[pos + ende] == '\0') break;
                pos += ende + 1;
                continue;
            }
            // A block's pieces stand at their columns; a plain text's piece
            // after a tab where the sheet sets it, behind the width of
            // what comes before it.
            double px = a ? C * (pos + anfang) : SchriftTextBreite(s->ts, std::string(zeile, pos + anfang).c_str(), H, s->tv),
                   py = -L * i;
            Drehen(T, &px, &py);
            DxfPosition(x0 + px, y0 + py);
            dxfE->passend = SchriftTextBreite(s->ts, stueck, H, s->tv);
            DxfTextSchreiben(stueck);
            dxfE->passend = 0;
            pos += ende;
        }
    }
}

void DxfElemBild(const BEF* b, const STT* s)
{
    char pfad[1024];
    ElemBildPfad(b, s, pfad, sizeof pfad);
    DxfLog("Grafikdatei %s nicht exportiert.", pfad);
}

// Scaled and turned vector of a record.
void dxfVektor(const STT* s, int t, double d0, double d1, double* x, double* y)
{
    *x = d0 * s->mass;
    *y = d1 * s->mass;
    Drehen(t, x, y);
}

void dxfTkrBog(const BEF* b, const STT* s)
{
    const double rx = b->darg[0] * s->mass, ry = b->darg[1] * s->mass;
    double cx = s->x, cy = s->y;
    int a = b->iarg[0], e = b->iarg[1];
    if (b->code == 65) {
        // The position is the arc's start point; a mode other than 0 runs
        // the arc the other way, as the screen draws it.
        double ox = CosZehntel(a) * rx, oy = SinZehntel(a) * ry;
        Drehen(s->richtung, &ox, &oy);
        cx -= ox;
        cy -= oy;
        if (b->iarg[2] != 0) std::swap(a, e);
    }
    if (std::fabs(rx) == std::fabs(ry)) {
        if (b->code == 65) DxfPosition(cx, cy);
        dxfBogen(cx, cy, std::fabs(rx), a + s->richtung, e + s->richtung);
    } else {
        // An elliptic arc turns with the drawing's direction; its angles stay
        // those of its own axes.
        DxfElemEllipse(0, cx, cy, rx, ry, s->richtung, a, e);
    }
}

void dxfKre(const BEF* b, const STT* s)
{
    const int t = s->richtung + b->iarg[1];
    if (!IstRechtwinklig(t)) {
        DxfElemEllipse(b->iarg[0], s->x, s->y, b->darg[0] * s->mass, b->darg[1] * s->mass, t, 0, 3600);
        return;
    }
    double rx, ry;
    dxfVektor(s, t, b->darg[0], b->darg[1], &rx, &ry);
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == ry) {
        dxfKreis(s->x, s->y, rx, b->iarg[0]);
    } else {
        DxfElemEllipse(b->iarg[0], s->x, s->y, rx, ry, 0, 0, 3600);
    }
}

void dxfRtk(const BEF* b, const STT* s)
{
    const int t = s->richtung + b->iarg[1];
    if (IstRechtwinklig(t)) {
        double w, h;
        dxfVektor(s, t, b->darg[0], b->darg[1], &w, &h);
        dxfRechteck(w, h, b->iarg[0]);
        return;
    }
    GeoPunkt p[4];
    RtkEcken(b, p);
    for (GeoPunkt& q : p) SttPunkt(s, q.x, q.y, &q.x, &q.y);
    if (b->iarg[0] == 0) {
        dxfPolygon(p, 4);
    } else {
        // A SOLID's third and fourth corners are crossed: corners in the
        // order 1, 2, 4, 3 fill the rectangle, not a bow tie.
        const GeoPunkt q[4] = {p[0], p[1], p[3], p[2]};
        dxfSolid(q, 4);
    }
}

}  // namespace

int DxfElemZeichnen(const BEF* b, const STT* s)
{
    if (dxfE == nullptr || !BefIstObjekt(b->code)) return 0;
    const double sc = s->mass;
    DxfAttribute(ElemStilNummer(b->sub, s), s->sa, s->tg * sc, WinkelNormal(s->richtung + s->tr) / 10.0, s->tv,
                 s->ts);
    dxfE->periode = s->sl * sc;
    DxfPosition(s->x, s->y);
    switch (b->code) {
    case 40: {
        double dx, dy;
        dxfVektor(s, s->richtung, b->darg[0], b->darg[1], &dx, &dy);
        dxfLinie(dx, dy);
        return 1;
    }
    case 50: DxfElemText(b->text, s, 0, 0, 0); return 1;
    case 51: DxfElemText(b->text, s, 0, 1, 0); return 1;
    case 52: DxfElemText(b->text, s, 0, 2, 0); return 1;
    case 53: DxfElemText(b->text, s, 0, 1, 1); return 1;
    case 54: DxfElemText(b->text, s, 1, 0, 0); return 1;
    case 55: DxfElemText(b->text, s, 1, 1, 0); return 1;
    case 56: DxfElemText(b->text, s, 1, 2, 0); return 1;
    case 57: DxfElemText(b->text, s, 1, 1, 1); return 1;
    case 62: dxfKreis(s->x, s->y, Zehntel(dxfPktGroesse()) * sc, 1); return 1;
    case 63: {
        GeoPunkt e[3];
        DreEcken(b, e);
        for (GeoPunkt& q : e) SttPunkt(s, q.x, q.y, &q.x, &q.y);
        dxfDreieck(e, b->iarg[0]);
        return 1;
    }
    case 64:
    case 65: dxfTkrBog(b, s); return 1;
    case 67: dxfKre(b, s); return 1;
    case 68: dxfRtk(b, s); return 1;
    case 69: DxfElemBild(b, s); return 1;
    default: return 0;
    }
}

namespace {

void dxfTmpZu(BDAT* d)
{
    if (bdclose(d) < 0) dxfE->fehler = 1;
}

// Appends a closed temporary file to the DXF file.
void dxfAnhaengen(const char* pfad)
{
    char* block = nullptr;
    long laenge = 0;
    if (dateiladen(pfad, &block, &laenge) != 0) {
        dxfE->fehler = 1;
        return;
    }
    if (laenge > 0 && bdwrite(&dxfE->dxf, block, static_cast<int32_t>(laenge)) < 0) dxfE->fehler = 1;
    ffree(block);
}

int DxfExportBeginn(const char* dxf)
{
    DxfLogOeffnen(dxf);
    DxfLog("%s", dxf);
    if (bdmake(&dxfE->dxf, dxf) < 0) return ERROR;
    dxfE->dxfOffen = 1;
    if (DxfKopf(&dxfE->dxf) < 0) dxfE->fehler = 1;
    if (tempname(dxfE->tmpEnt) < 0 || bdmake(&dxfE->ent, dxfE->tmpEnt) < 0) {
        dxfE->tmpEnt[0] = '\0';
        return ERROR;
    }
    for (int i = 0; i < DXF_TABSUP; ++i) {
        if (tempname(dxfE->tmpTab[i]) < 0 || bdmake(&dxfE->tab[i], dxfE->tmpTab[i]) < 0) {
            dxfE->tmpTab[i][0] = '\0';
            return ERROR;
        }
    }
    dxfE->letzterStil = dxfE->letzteSa = dxfE->letzterFont = -1;
    return 0;
}

// Assembles the tables and the entities into the DXF file and closes it.
// The temporary files that were opened are closed and deleted on every way.
int DxfExportEnde(bool ok)
{
    bool offen[DXF_TABSUP + 1];
    for (int i = 0; i < DXF_TABSUP; ++i) {
        offen[i] = dxfE->tmpTab[i][0] != '\0';
        if (offen[i]) dxfTmpZu(&dxfE->tab[i]);
    }
    offen[DXF_TABSUP] = dxfE->tmpEnt[0] != '\0';
    if (offen[DXF_TABSUP]) dxfTmpZu(&dxfE->ent);
    if (ok && !dxfE->fehler) {
        BDAT* d = &dxfE->dxf;
        for (int i = 0; i < DXF_TABSUP; ++i) {
            dxfAnhaengen(dxfE->tmpTab[i]);
            if (!dxfE->namen[i].empty()) dxfPaar(d, 0, "ENDTAB");
        }
        dxfPaar(d, 0, "ENDSEC");
        dxfPaar(d, 0, "SECTION");
        dxfPaar(d, 2, "ENTITIES");
        dxfAnhaengen(dxfE->tmpEnt);
        dxfPaar(d, 0, "ENDSEC");
        dxfPaar(d, 0, "EOF");
    }
    for (int i = 0; i < DXF_TABSUP; ++i) {
        if (offen[i]) dateiloeschen(dxfE->tmpTab[i]);
    }
    if (offen[DXF_TABSUP]) dateiloeschen(dxfE->tmpEnt);
    return ok && !dxfE->fehler ? 0 : ERROR;
}

}  // namespace

int DxfExport(const char* dxf, const char* zeichnung, const char* aktuell)
{
    if (ZeiDateiPruefen(zeichnung) != 0) {
        wiMeldung("Kann Zeichnung %s nicht \xf6" "ffnen.", zeichnung);
        return ERROR;
    }
    ZeiAktSetzen(aktuell ? aktuell : zeichnung);
    auto* z = new DxfExpZustand();
    std::memset(static_cast<void*>(&z->konf), 0, sizeof z->konf);
    dxfE = z;
    wiLangStart("Export DXF-Datei");
    const bool konfigDa = DxfKonfigLesen(&z->konf, 0) == 0;
    int r = ERROR;
    if (konfigDa) {
        r = DxfExportBeginn(dxf);
        if (r == 0) {
            STT s;
            std::memset(&s, 0, sizeof s);
            SttInit(&s, nullptr);
            if (ZeiDurchlaufen(zeichnung, &s, DxfElemZeichnen) != 0) r = ERROR;
        }
        r = DxfExportEnde(r == 0);
        if (z->dxfOffen) {
            if (r != 0) z->dxf.fehler = 1;  // drops the DXF file
            if (bdclose(&z->dxf) < 0) r = ERROR;
        }
        DxfLogSchliessen();
    }
    BauBibSchliessen();
    StndTextSchliessen();
    wiLangEnde();
    dxfE = nullptr;
    delete z;
    if (konfigDa && r != 0) wiMeldung("Kann Ausgabedatei %s nicht anlegen.", dxf);
    return r;
}
