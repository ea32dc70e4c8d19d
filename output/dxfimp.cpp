// DXF import; see dxfimp.h. One run at a time: the run state below lives
// from DxfLesen's start to its end, the two graphic states and the drawing
// from DxfImport's start to its end.
//
// The file is read once into memory. Group-code pairs are read through a
// cursor; a table entry or block is "reopened" by a second cursor at the
// offset its name line was indexed at, so entries stay unparsed until used.
//
// Invariants of a run:
//  1. Every number taken from the file is finite (anything else reads 0) and
//     every record written holds finite doubles only; angles become
//     integers only after they are brought into one turn.
//  2. Names (layers, line types, styles, blocks) are kept whole; texts and
//     types are cut to their fields.
//  3. The block depth is restored on every way out of a block, and the work
//     of block expansion is bounded by the size of the file (a block that
//     inserts itself many times cannot run away).
//  4. The drawing is written under a temporary name and appears only when
//     the whole run succeeded.
#include "output/dxfimp.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

#include "config/vorgaben.h"
#include "model/befehl.h"
#include "model/geometri.h"
#include "model/justage.h"
#include "model/zeichnun.h"
#include "model/zustand.h"
#include "output/dxfkonf.h"
#include "support/basis.h"
#include "support/fileload.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"

namespace {

constexpr double DXFZAHLMAX = 1e12;   // numbers beyond are cut to it
constexpr int DXFINTMAX = 1000000;
constexpr long DXFPUMPE = 4096;       // lines between two runs of the progress pump
constexpr long DXFBLOCKBUDGET = 64;   // block pairs read per pair of the file

// ---- numbers ----

std::string_view dxfTrim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// A value into a field of kap bytes: cut, NUL-terminated.
void dxfFeld(char* ziel, size_t kap, std::string_view w)
{
    const size_t n = std::min(w.size(), kap - 1);
    if (n > 0) std::memcpy(ziel, w.data(), n);
    ziel[n] = '\0';
}

double dxfZahl(std::string_view s)
{
    s = dxfTrim(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double v = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || !std::isfinite(v)) return 0;
    return v > DXFZAHLMAX ? DXFZAHLMAX : v < -DXFZAHLMAX ? -DXFZAHLMAX : v;
}

int dxfGanz(std::string_view s)
{
    double v = std::trunc(dxfZahl(s));
    return static_cast<int>(v > DXFINTMAX ? DXFINTMAX : v < -DXFINTMAX ? -DXFINTMAX : v);
}

// Degrees to tenths within one turn.
int dxfZehntel(double grad)
{
    if (!std::isfinite(grad)) return 0;
    return static_cast<int>(std::trunc(std::fmod(grad, 360.0) * 10));
}

// "%.4f" without the process locale.
std::string dxfF(double v)
{
    char t[400];
    auto r = std::to_chars(t, t + sizeof t - 1, v, std::chars_format::fixed, 4);
    return std::string(t, r.ptr);
}

// ---- records and run state ----

struct DxfElement {
    char text[DXFIMPTEXTSUP + 1];
    double p[4][3];
    double w[4];        // values 40..43
    double winkel[2];   // angles 50, 51 (degrees)
    int farbe, folge, flags;
    char typ[DXFTYPSUP + 1];
    std::string layer, ltype, style, block;
    double basisX, basisY;
};

void DxfElementLeeren(DxfElement* e)
{
    std::memset(e->p, 0, sizeof e->p);
    std::memset(e->w, 0, sizeof e->w);
    e->winkel[0] = e->winkel[1] = 0;
    e->farbe = e->folge = e->flags = 0;
    e->basisX = e->basisY = 0;
    std::strcpy(e->text, " ");
    e->typ[0] = '\0';
    e->layer = e->ltype = e->style = " ";
    e->block.clear();
}

bool dxfGegeben(const std::string& name) { return name != " "; }

enum { DXF_BLOCK, DXF_LAYER, DXF_STYLE, DXF_LTYPE, DXF_INDEXSUP };

struct DxfCursor {
    const char* p;
    const char* ende;
};

struct DxfLauf {
    const char* daten;
    long laenge;
    DxfZeileFn fn;
    std::unordered_map<std::string, long> index[DXF_INDEXSUP];
    // table cache: the last entry read of each kind
    std::string cacheLayer, cacheLayerLtype, cacheLtype, cacheStyle;
    int cacheLayerFarbe, cacheLayerFlags;
    std::string ltype, style;  // current
    int farbe, pdmode;
    int letzteFarbe;
    std::string letzteLtype, letzterStyle;
    int tiefe;
    bool begonnen;
    bool header, tables, table, inLayer, inLtype, inStyle, blocks, inBlock, entities;
    std::string headerVar;
    bool poly, polyZu, polyErster, naechsteZu;
    double fx, fy, vx, vy, vb;
    DxfElement rec[DXFTIEFESUP + 1];
    long budget;
};

DxfLauf* dxfL = nullptr;
JusTrafo dxfJus = {0, 0.0, 0.0, 1.0};

// Reads one pair; false at the end of the data. A code line that is no
// number gives code -1, which no rule takes.
bool dxfPaar(DxfCursor* c, int* code, std::string_view* wert)
{
    auto zeile = [c](std::string_view* z) {
        if (c->p >= c->ende) return false;
        const char* lf = static_cast<const char*>(std::memchr(c->p, '\n', static_cast<size_t>(c->ende - c->p)));
        const char* e = lf ? lf : c->ende;
        std::string_view s(c->p, static_cast<size_t>(e - c->p));
        if (!s.empty() && s.back() == '\r') s.remove_suffix(1);
        *z = s;
        c->p = lf ? lf + 1 : c->ende;
        return true;
    };
    std::string_view k, w;
    if (!zeile(&k)) return false;
    if (!zeile(&w)) w = std::string_view("", 0);  // a code line at the very end
    k = dxfTrim(k);
    int v = 0;
    auto r = std::from_chars(k.data(), k.data() + k.size(), v);
    *code = (r.ec == std::errc() && r.ptr == k.data() + k.size()) ? v : -1;
    // Texts keep their blanks; every other value is trimmed.
    *wert = *code == 1 ? w : dxfTrim(w);
    return true;
}

// ---- lines ----
//
// Every generated line goes to the line callback. Lines, positions, arcs and
// circles, the bulk of a file, skip their text form when the callback is
// the import's own: their record is built as TextZuBef would build it from
// the line (each number passes through the same four-decimal text), and
// handed on directly. DxfDirektPruefen compares both ways for the tests.

void dxfBefUebernehmen(const BEF* b);

int dxfPruefen = 0;
long dxfAbweichungen = 0;

bool dxfDirekt() { return dxfL->fn == DxfZeileUebernehmen; }

void dxfAus(const std::string& zeile) { dxfL->fn(zeile.c_str()); }

// A number as the text form carries it: its text and its value read back.
double dxfZahl4(double v, std::string* text)
{
    *text = dxfF(v);
    double r = 0;
    std::from_chars(text->data(), text->data() + text->size(), r);
    return r;
}

// Hands a built record on; the line is made only when it is needed.
void dxfHeiss(const BEF& b, const std::string& zeile)
{
    if (dxfPruefen) {
        BEF t;
        TextZuBef(&t, zeile.c_str());
        if (std::memcmp(&t, &b, sizeof t) != 0) ++dxfAbweichungen;
    }
    dxfBefUebernehmen(&b);
}

BEF dxfLeer(int code)
{
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(code);
    return b;
}

// A coordinate as the text form carries it (four decimals).
double dxfRund(double v) { return std::round(v * 10000) / 10000; }

void dxfZwei(int code, const char* name, double x, double y)
{
    std::string tx, ty;
    BEF b = dxfLeer(code);
    b.darg[0] = dxfZahl4(x, &tx);
    b.darg[1] = dxfZahl4(y, &ty);
    if (dxfDirekt()) {
        dxfHeiss(b, dxfPruefen ? std::string(name) + " " + tx + " " + ty : std::string());
    } else {
        dxfAus(std::string(name) + " " + tx + " " + ty);
    }
}

// "TR n" (whole degrees, a record in tenths), "TG h", "TV w".
void dxfEins(int code, const char* name, int n, double v)
{
    BEF b = dxfLeer(code);
    std::string t;
    if (code == 31) {
        b.iarg[0] = n * 10;
        t = std::to_string(n);
    } else {
        b.darg[0] = dxfZahl4(v, &t);
    }
    if (dxfDirekt()) {
        dxfHeiss(b, dxfPruefen ? std::string(name) + " " + t : std::string());
    } else {
        dxfAus(std::string(name) + " " + t);
    }
}

void dxfBa(double x, double y)
{
    JusPunkt(&dxfJus, &x, &y);
    dxfZwei(21, "_BA", dxfRund(x), dxfRund(y));
}

// ZL from a to b, both through the placement. The vector is taken between
// the points as "_BA" writes them, so that a chain of segments ends where
// the next one starts and no rounding adds up along it.
void dxfZl(double ax, double ay, double bx, double by)
{
    JusPunkt(&dxfJus, &ax, &ay);
    JusPunkt(&dxfJus, &bx, &by);
    dxfZwei(BEF_ZL, "ZL", dxfRund(bx) - dxfRund(ax), dxfRund(by) - dxfRund(ay));
}

// "TKR a b r r" (whole degrees) or "KRE 0 r r".
void dxfRund2(int code, int a, int e, double r)
{
    std::string tr;
    BEF b = dxfLeer(code);
    b.darg[0] = b.darg[1] = dxfZahl4(r, &tr);
    std::string zeile;
    if (code == 64) {
        b.iarg[0] = a * 10;
        b.iarg[1] = e * 10;
        if (!dxfDirekt() || dxfPruefen) zeile = "TKR " + std::to_string(a) + " " + std::to_string(e) + " " + tr + " " + tr;
    } else if (!dxfDirekt() || dxfPruefen) {
        zeile = "KRE 0 " + tr + " " + tr;
    }
    if (dxfDirekt()) {
        dxfHeiss(b, zeile);
    } else {
        dxfAus(zeile);
    }
}

void dxfTkr(double cx, double cy, int a, int b, double r)
{
    dxfBa(cx, cy);
    dxfRund2(64, JusWinkel(&dxfJus, a) / 10, JusWinkel(&dxfJus, b) / 10, JusMass(&dxfJus, std::fabs(r)));
}

// ---- tables ----

void DxfTabEintragLesen(int art, const std::string& name)
{
    DxfLauf& L = *dxfL;
    const std::string& cache = art == DXF_LAYER ? L.cacheLayer : art == DXF_LTYPE ? L.cacheLtype : L.cacheStyle;
    if (cache == name) return;
    auto it = L.index[art].find(name);
    if (it == L.index[art].end()) {
        DxfLog(art == DXF_LAYER ? "Layer %s nicht gefunden" : art == DXF_LTYPE ? "Ltype %s nicht gefunden"
                                                                              : "Style %s nicht gefunden",
               name.c_str());
        return;
    }
    DxfCursor c = {L.daten + it->second, L.daten + L.laenge};
    int code;
    std::string_view w;
    if (art == DXF_LAYER) {
        L.cacheLayer = name;
        L.cacheLayerLtype.clear();
        L.cacheLayerFarbe = 0;
        L.cacheLayerFlags = 0;
    } else if (art == DXF_LTYPE) {
        L.cacheLtype = name;
    } else {
        L.cacheStyle = name;
    }
    while (dxfPaar(&c, &code, &w) && code != 0) {
        if (art != DXF_LAYER) continue;
        if (code == 6) L.cacheLayerLtype = std::string(w);
        if (code == 62) L.cacheLayerFarbe = dxfGanz(w);
        if (code == 70) L.cacheLayerFlags = dxfGanz(w);
    }
    if (art == DXF_LAYER) {
        // The layer's colour and line type are the current ones.
        L.farbe = L.cacheLayerFarbe;
        if (!L.cacheLayerLtype.empty()) L.ltype = L.cacheLayerLtype;
    }
}

void dxfIndex(int art, std::string_view name, long pos)
{
    dxfL->index[art].emplace(std::string(name), pos);  // the first entry of a name stays
}

// ---- blocks and entities ----

int DxfGruppe(int stufe, int code, std::string_view wert);

void DxfBlockLesen(const std::string& name)
{
    DxfLauf& L = *dxfL;
    if (L.tiefe >= DXFTIEFESUP) return;
    auto it = L.index[DXF_BLOCK].find(name);
    if (it == L.index[DXF_BLOCK].end()) {
        DxfLog("Block %s nicht gefunden", name.c_str());
        return;
    }
    if (L.budget <= 0) {
        DxfLog("Block %s nicht eingefuegt (zu viele Einfuegungen)", name.c_str());
        return;
    }
    ++L.tiefe;
    const int stufe = L.tiefe;
    DxfCursor c = {L.daten + it->second, L.daten + L.laenge};
    DxfElement& e = L.rec[stufe];
    DxfElementLeeren(&e);
    int code;
    std::string_view w;
    bool typDa = false;
    while (dxfPaar(&c, &code, &w)) {
        if (--L.budget < 0) break;
        if (code == 0 && (w == "ENDSEC" || w == "EOF")) break;  // a block without ENDBLK
        if (!typDa) {
            if (code == 10) L.rec[stufe - 1].basisX = dxfZahl(w);
            if (code == 20) L.rec[stufe - 1].basisY = dxfZahl(w);
            if (code == 0) {
                dxfFeld(e.typ, sizeof e.typ, w);
                typDa = true;
            }
            continue;
        }
        if (DxfGruppe(stufe, code, w) == 1) break;
    }
    --L.tiefe;
}

void dxfTransform(int n)
{
    DxfLauf& L = *dxfL;
    DxfElement& e = L.rec[n];
    for (int l = n - 1; l >= 0; --l) {
        const DxfElement& ins = L.rec[l];
        if (std::strcmp(ins.typ, "DIMENSION") == 0) break;
        const double sx = ins.w[1], sy = ins.w[2], sz = ins.w[3], rot = ins.winkel[0];
        for (auto& p : e.p) {
            p[0] -= ins.basisX;
            p[1] -= ins.basisY;
            if (sx != 0) p[0] *= sx;
            if (sy != 0) p[1] *= sy;
        }
        if (sz != 0) e.w[0] *= sz;
        if (sx >= 0) {
            e.winkel[0] += rot;
            e.winkel[1] += rot;
        } else {
            const double a0 = e.winkel[0];
            e.winkel[0] = 180 - e.winkel[1] + rot;
            e.winkel[1] = 180 - a0 + rot;
        }
        const int r = dxfZehntel(rot);
        for (auto& p : e.p) {
            if (r != 0 && (p[0] != 0 || p[1] != 0)) Drehen(r, &p[0], &p[1]);
            p[0] += ins.p[0][0];
            p[1] += ins.p[0][1];
        }
        if (e.w[0] != 0 && sx != 0) e.w[0] *= sx;
    }
}

// The arc of a polyline segment with a bulge: centre, radius and angles
// (tenths). false when the ends coincide or the circle has no centre.
bool DxfBogenAusWoelbung(GeoPunkt p0, GeoPunkt p1, double b, GeoPunkt* c, double* r, int* a, int* e)
{
    if (p0.x == p1.x && p0.y == p1.y) return false;
    const GeoPunkt m = {(p0.x + p1.x) / 2, (p0.y + p1.y) / 2};
    const GeoPunkt s = {m.x + b / 2 * (p1.y - p0.y), m.y + b / 2 * (p0.x - p1.x)};
    GeoGerade g1, g2;
    Mittelsenkrechte(&g1, p0, s);
    Mittelsenkrechte(&g2, s, p1);
    if (GeradenSchnitt(c, &g1, &g2) != 0) return false;
    *r = VektorLaenge(p0.x - c->x, p0.y - c->y);
    *a = VektorWinkel(p0.x - c->x, p0.y - c->y);
    *e = VektorWinkel(p1.x - c->x, p1.y - c->y);
    if (b < 0) std::swap(*a, *e);
    return std::isfinite(*r);
}

void dxfSegment(double x0, double y0, double x1, double y1, double bulge)
{
    if (bulge == 0) {
        dxfBa(x0, y0);
        dxfZl(x0, y0, x1, y1);
        return;
    }
    GeoPunkt c;
    double r;
    int a, e;
    if (!DxfBogenAusWoelbung({x0, y0}, {x1, y1}, bulge, &c, &r, &a, &e)) return;
    dxfTkr(c.x, c.y, a, e, r);
}

void DxfVertexZeilen(const DxfElement& e)
{
    DxfLauf& L = *dxfL;
    if (!L.poly) return;
    const double x = e.p[0][0], y = e.p[0][1];
    if (L.polyErster) {
        L.fx = x;
        L.fy = y;
        L.polyErster = false;
    } else {
        dxfSegment(L.vx, L.vy, x, y, L.vb);
    }
    L.vx = x;
    L.vy = y;
    L.vb = e.w[2];
}

void DxfPolylinieSchliessen()
{
    DxfLauf& L = *dxfL;
    if (L.polyZu && !L.polyErster) dxfSegment(L.vx, L.vy, L.fx, L.fy, L.vb);
    L.poly = L.polyZu = false;
    L.polyErster = true;
}

void dxfText(const DxfElement& e)
{
    std::string t;
    for (const char* p = e.text; *p; ++p) {
        if (*p == '"') {
            t += ' ';
        } else if (p[0] == '%' && p[1] == '%' && (p[2] == 'c' || p[2] == 'C')) {
            t += static_cast<char>(0xF8);
            p += 2;
        } else {
            t += *p;
        }
    }
    if (t.size() > static_cast<size_t>(DXFTEXTZEIGSUP)) t.resize(DXFTEXTZEIGSUP);
    dxfBa(e.p[0][0], e.p[0][1]);
    dxfEins(31, "TR", JusWinkel(&dxfJus, dxfZehntel(e.winkel[0])) / 10, 0);
    dxfEins(30, "TG", 0, JusMass(&dxfJus, std::fabs(e.w[0])));
    dxfEins(32, "TV", 0, e.w[1] == 0 ? 1.0 : e.w[1]);
    dxfAus("TFA \"" + t + "\"");
}

void DxfElementAusgeben(int n)
{
    DxfLauf& L = *dxfL;
    DxfElement& e = L.rec[n];
    const int farbe = e.farbe >= 1 ? e.farbe : L.farbe;
    if (farbe != L.letzteFarbe) {
        L.letzteFarbe = farbe;
        int stil, layer;
        DxfFarbeImp(farbe, &stil, &layer);
        dxfAus("ST " + std::to_string(stil));
        dxfAus("LAY " + std::to_string(layer));
    }
    const std::string& ltype = dxfGegeben(e.ltype) ? e.ltype : L.ltype;
    if (ltype != L.letzteLtype) {
        L.letzteLtype = ltype;
        dxfAus("SA " + std::to_string(DxfStrichartImp(ltype.c_str())));
    }
    if (L.style != L.letzterStyle) {
        dxfAus("TS  " + std::to_string(DxfSchriftImp(L.style.c_str())));
        L.letzterStyle = L.style;
    }
    if (n > 0) dxfTransform(n);
    const std::string typ = e.typ;
    if (typ != "VERTEX" && L.poly) DxfPolylinieSchliessen();
    const double x1 = e.p[0][0], y1 = e.p[0][1];
    if (typ == "POLYLINE") {
        L.poly = true;
        L.polyZu = (e.flags & 1) != 0;
        L.polyErster = true;
    } else if (typ == "VERTEX") {
        DxfVertexZeilen(e);
    } else if (typ == "LINE") {
        dxfBa(x1, y1);
        dxfZl(x1, y1, e.p[1][0], e.p[1][1]);
    } else if (typ == "CIRCLE") {
        dxfBa(x1, y1);
        dxfRund2(67, 0, 0, JusMass(&dxfJus, std::fabs(e.w[0])));
    } else if (typ == "ARC") {
        dxfTkr(x1, y1, dxfZehntel(e.winkel[0]), dxfZehntel(e.winkel[1]), e.w[0]);
    } else if (typ == "TEXT" || (typ == "ATTRIB" && !(e.flags & 1)) ||
               (typ == "ATTDEF" && n == 0 && !(e.flags & 1))) {
        dxfText(e);
    } else if (typ == "POINT") {
        dxfBa(x1, y1);
        dxfAus("ZB \"PUNKT" + std::to_string(L.pdmode) + "\"");
    } else if (typ == "SOLID") {
        const auto& p = e.p;
        dxfBa(x1, y1);
        dxfZl(p[0][0], p[0][1], p[1][0], p[1][1]);
        dxfZl(p[1][0], p[1][1], p[3][0], p[3][1]);
        if (p[2][0] != p[3][0] || p[2][1] != p[3][1]) dxfZl(p[3][0], p[3][1], p[2][0], p[2][1]);
        dxfZl(p[2][0], p[2][1], p[0][0], p[0][1]);
    }
}

void dxfNameSetzen(std::string* ziel, std::string_view w) { *ziel = std::string(w); }


int DxfGruppe(int stufe, int code, std::string_view wert)
{
    DxfLauf& L = *dxfL;
    DxfElement& e = L.rec[stufe];
    if (code >= 10 && code <= 13) e.p[code - 10][0] = dxfZahl(wert);
    else if (code >= 20 && code <= 23) e.p[code - 20][1] = dxfZahl(wert);
    else if (code >= 30 && code <= 33) e.p[code - 30][2] = dxfZahl(wert);
    else if (code >= 40 && code <= 43) e.w[code - 40] = dxfZahl(wert);
    else if (code == 50 || code == 51) e.winkel[code - 50] = dxfZahl(wert);
    else if (code == 66) e.folge = dxfGanz(wert);
    else if (code == 70) e.flags = dxfGanz(wert);
    else if (code == 1) dxfFeld(e.text, sizeof e.text, wert);
    else if (code == 2) dxfNameSetzen(&e.block, wert);
    else if (code == 6) {
        if (wert != "BYBLOCK" && wert != "BYLAYER") {
            dxfNameSetzen(&e.ltype, wert);
            DxfTabEintragLesen(DXF_LTYPE, e.ltype);
        }
    } else if (code == 7) {
        dxfNameSetzen(&e.style, wert);
        L.style = e.style;
        DxfTabEintragLesen(DXF_STYLE, e.style);
    } else if (code == 8) {
        dxfNameSetzen(&e.layer, wert);
        if (e.layer != L.cacheLayer) {
            DxfTabEintragLesen(DXF_LAYER, e.layer);
            if (!L.cacheLayerLtype.empty() && L.cacheLayer == e.layer) {
                e.ltype = L.cacheLayerLtype;
                DxfTabEintragLesen(DXF_LTYPE, e.ltype);
            }
        }
    } else if (code == 62) {
        if (wert != "BYBLOCK" && wert != "BYLAYER") e.farbe = dxfGanz(wert);
    } else if (code == 0) {
        if (stufe == 0 && !L.begonnen) {
            L.begonnen = true;
            dxfFeld(e.typ, sizeof e.typ, wert);
            return 0;
        }
        if (std::strcmp(e.typ, "INSERT") == 0 || std::strcmp(e.typ, "DIMENSION") == 0) {
            char anzeige[80];
            std::snprintf(anzeige, sizeof anzeige, "Block %.40s / %d", e.block.c_str(), stufe);
            wiLangText(anzeige);
            DxfBlockLesen(e.block);
            DxfElementLeeren(&e);
        } else if (std::strcmp(e.typ, "ENDBLK") == 0) {
            DxfElementLeeren(&e);
            return 1;
        } else {
            // A layer that is off (negative colour) or frozen (bit 1) hides it.
            const bool aus = L.farbe < 0 || (e.layer == L.cacheLayer && (L.cacheLayerFlags & 1));
            if (!aus) DxfElementAusgeben(stufe);
            DxfElementLeeren(&e);
        }
        if (wert == "ENDBLK") return 1;
        if (wert == "ENDSEC" && stufe == 0) {
            L.entities = false;
            return 0;
        }
        dxfFeld(e.typ, sizeof e.typ, wert);
    }
    return 0;
}

void DxfHeader(int code, std::string_view wert)
{
    DxfLauf& L = *dxfL;
    if (code == 9) {
        L.headerVar = std::string(wert);
    } else if (code == 0 && wert == "ENDSEC") {
        L.header = false;
    } else if (code == 6 && L.headerVar == "$CELTYPE") {
        L.ltype = std::string(wert);
    } else if (code == 7 && L.headerVar == "$TEXTSTYLE") {
        L.style = std::string(wert);
    } else if (code == 62 && L.headerVar == "$CECOLOR") {
        L.farbe = dxfGanz(wert);
    } else if (code == 70 && L.headerVar == "$PDMODE") {
        L.pdmode = dxfGanz(wert);
    }
}

void DxfTabIndex(int art, int code, std::string_view wert, long pos)
{
    DxfLauf& L = *dxfL;
    if (art == DXF_BLOCK) {
        if (code == 0 && wert == "ENDSEC") L.blocks = false;
        if (code == 0) L.inBlock = wert == "BLOCK";
        else if (code == 2 && L.inBlock) dxfIndex(DXF_BLOCK, wert, pos);
        return;
    }
    if (code == 0 && (wert == "ENDTAB" || wert == "ENDSEC")) {
        L.table = L.inLayer = L.inLtype = L.inStyle = false;
        if (wert == "ENDSEC") L.tables = false;
    } else if (code == 2) {
        dxfIndex(art, wert, pos);
    }
}

void dxfTabellenZeile(int code, std::string_view w, long pos)
{
    DxfLauf& L = *dxfL;
    if (L.table) {
        if (L.inLayer) DxfTabIndex(DXF_LAYER, code, w, pos);
        else if (L.inLtype) DxfTabIndex(DXF_LTYPE, code, w, pos);
        else if (L.inStyle) DxfTabIndex(DXF_STYLE, code, w, pos);
    }
    if (!L.tables) return;
    if (L.table) {
        if (code == 0 && (w == "LAYER" || w == "STYLE" || w == "LTYPE")) {
            L.inLayer = w == "LAYER";
            L.inStyle = w == "STYLE";
            L.inLtype = w == "LTYPE";
        } else if (code == 0 && w == "ENDTAB") {
            L.table = L.inLayer = L.inLtype = L.inStyle = false;
        }
    } else if (code == 0) {
        if (w == "TABLE") L.table = true;
        else if (w == "ENDSEC") L.tables = false;
    }
}

void dxfLaufStart(DxfLauf* L, const char* daten, long laenge, DxfZeileFn fn)
{
    L->daten = daten;
    L->laenge = laenge;
    L->fn = fn;
    L->ltype = "CONTINUOUS";
    L->style = "STANDARD";
    L->farbe = L->pdmode = L->letzteFarbe = 0;
    L->tiefe = 0;
    L->polyErster = true;
    L->budget = DXFBLOCKBUDGET * (laenge / 4 + 1);
    for (DxfElement& e : L->rec) DxfElementLeeren(&e);
}

}  // namespace

void DxfPlatzierungSetzen(const JusTrafo* t) { dxfJus = *t; }

int DxfLesen(const char* dxf, DxfZeileFn fn)
{
    char* block = nullptr;
    long laenge = 0;
    if (dateiladen(dxf, &block, &laenge) != 0) {
        wiMeldung("DXF-Datei %s nicht gefunden.", dxf);
        return ERROR;
    }
    auto* L = new DxfLauf();
    dxfLaufStart(L, block, laenge, fn);
    dxfL = L;
    DxfLogOeffnen(dxf);
    DxfLog("%s", dxf);
    wiLangStart("Import DXF-Datei");
    DxfCursor c = {block, block + laenge};
    int code;
    std::string_view w;
    long zeilen = 0, gezeigt = -1;
    while (dxfPaar(&c, &code, &w)) {
        const long pos = static_cast<long>(c.p - block);
        const long prozent = laenge > 0 ? static_cast<long>(static_cast<long long>(pos) * 100 / laenge) : 100;
        if (prozent != gezeigt && prozent % 10 == 0) {
            gezeigt = prozent;
            char t[32];
            std::snprintf(t, sizeof t, "%ld %%", prozent);
            wiLangText(t);
            wiLangPumpe();
        } else if (++zeilen % DXFPUMPE == 0) {
            wiLangPumpe();
        }
        if (code == 0 && w == "EOF") break;
        if (L->blocks) DxfTabIndex(DXF_BLOCK, code, w, pos);
        if (L->header) {
            DxfHeader(code, w);
        } else if (L->entities) {
            DxfGruppe(0, code, w);
        } else if (L->tables) {
            dxfTabellenZeile(code, w, pos);
        } else if (!L->blocks && code == 2) {
            if (w == "HEADER") L->header = true;
            else if (w == "BLOCKS") L->blocks = true;
            else if (w == "TABLES") L->tables = true;
            else if (w == "ENTITIES") {
                L->entities = true;
                DxfElementLeeren(&L->rec[0]);
            }
        }
    }
    // The last entity of a file cut before ENDSEC or EOF is still complete.
    if (L->entities) DxfGruppe(0, 0, "ENDSEC");
    if (L->poly) DxfPolylinieSchliessen();
    wiLangEnde();
    DxfLogSchliessen();
    dxfL = nullptr;
    delete L;
    ffree(block);
    return 0;
}

// ---- writing the drawing ----

namespace {

STT dxfAktuell, dxfGeschrieben;
ZeiDatei dxfZei;
int dxfOffen = 0;
int dxfFehler = 0;

int dxfBefSchreiben(const BEF* b)
{
    if (!dxfOffen) return 0;
    if (ZeiBefSchreiben(&dxfZei, b) < 0) {
        dxfFehler = 1;
        return ERROR;
    }
    return 0;
}

// State records of SttDifferenz; a relative move too small to matter is
// left out.
int DxfZustandSchreiben(const BEF* b)
{
    if (b->code == 20 && std::fabs(b->darg[0]) < 0.001 && std::fabs(b->darg[1]) < 0.001) return 0;
    return dxfBefSchreiben(b);
}

bool dxfEntartet(const BEF* b)
{
    const bool klein = std::fabs(b->darg[0]) < 0.1 && std::fabs(b->darg[1]) < 0.1;
    switch (b->code) {
    case 40:
    case 63:
    case 67:
    case 68: return klein;
    case 64:
    case 65: return b->iarg[0] == b->iarg[1] || std::fabs(b->darg[0]) < 0.1 || std::fabs(b->darg[1]) < 0.1;
    default: return false;
    }
}

}  // namespace

namespace {

void dxfBefUebernehmen(const BEF* b)
{
    if (dxfEntartet(b)) return;
    for (double d : b->darg) {
        if (!std::isfinite(d)) return;
    }
    if (BefIstObjekt(b->code)) {
        SttDifferenz(&dxfGeschrieben, &dxfAktuell, DxfZustandSchreiben);
        dxfGeschrieben = dxfAktuell;
        dxfBefSchreiben(b);
    }
    SttAnwenden(b, &dxfAktuell);
    if (b->code == BEF_ZL) dxfGeschrieben = dxfAktuell;
}

}  // namespace

void DxfZeileUebernehmen(const char* zeile)
{
    BEF b;
    if (TextZuBef(&b, zeile) != 0 || b.code == 0) {
        wiMeldung(">%s< nicht verstanden.", zeile);
        return;
    }
    dxfBefUebernehmen(&b);
}

void DxfDirektPruefen(int an)
{
    dxfPruefen = an;
    dxfAbweichungen = 0;
}

long DxfDirektAbweichungen() { return dxfAbweichungen; }

namespace {

int DxfImportLauf(const char* dxf, const char* zeichnung)
{
    if (ZeiDateiAnlegen(&dxfZei, zeichnung) != 0) {
        wiMeldung("Kann %s nicht anlegen", zeichnung);
        return ERROR;
    }
    dxfOffen = 1;
    dxfFehler = 0;
    std::memset(&dxfAktuell, 0, sizeof dxfAktuell);
    SttInit(&dxfAktuell, nullptr);
    // Positions are written absolute, sizes in millimetres: the drawing's
    // scale must be 1 whatever the settings start it at.
    BEF ms;
    std::memset(&ms, 0, sizeof ms);
    ms.code = 13;
    ms.darg[0] = 1.0;
    dxfBefSchreiben(&ms);
    SttAnwenden(&ms, &dxfAktuell);
    dxfGeschrieben = dxfAktuell;
    const int gelesen = DxfLesen(dxf, DxfZeileUebernehmen);
    dxfOffen = 0;
    if (gelesen != 0) {
        ZeiDateiVerwerfen(&dxfZei);
        return ERROR;
    }
    if (dxfFehler) {
        ZeiDateiVerwerfen(&dxfZei);
        wiMeldung("Kann %s nicht anlegen", zeichnung);
        return ERROR;
    }
    if (ZeiDateiSchliessen(&dxfZei) != 0) {
        wiMeldung("Kann %s nicht anlegen", zeichnung);
        return ERROR;
    }
    return 0;
}

}  // namespace

int DxfImport(const char* dxf, const char* zeichnung)
{
    JusTrafo t;
    VgbOeffnen();
    VgbPraefix("DI");
    JusLesen(&t);
    VgbPraefix("");
    VgbSchliessen();
    DxfPlatzierungSetzen(&t);
    if (DxfImpKonfig() != 0) return ERROR;
    DxfLogLoeschen(dxf);
    if (DxfImportLauf(dxf, zeichnung) != 0) return ERROR;
    ZeiKopf k;
    if (ZeiKopfLesen(zeichnung, &k) == 0) ZeiKopfSchreiben(zeichnung, &k);
    return 0;
}
