// Dash patterns and their walking; see strich.h. Owns the one dash state and
// the two walkers' positions. The walkers draw nothing without a target.
//
// Walker invariants (pixels and world alike):
//  1. The current point is where the next piece starts; the device's pen
//     position equals it after every piece (lead-in and end strokes move
//     back to it).
//  2. `rest` is what is left of the current segment; a 'P' segment has no
//     length and is taken whole.
//  3. Every pass of the line loop either reaches the target or moves along
//     the major axis, or drops a segment; a bound on the passes guards
//     against a pattern that could not move.
#include "output/strich.h"

#include <cmath>
#include <cstdlib>

namespace {

// Line types 1..7: segments (type, percent of the period). The dotted line
// sets three dots a period, as a dotted line on paper reads as a line: one
// dot a dash length left a few specks.
const STRICHSEG strMuster[STRICHTYPSUP][STRICHSEGSUP] = {
    {{'P', 0}, {'A', 33}, {'P', 0}, {'A', 33}, {'P', 0}, {'A', 34}},
    {{'S', 50}, {'A', 50}},
    {{'S', 70}, {'A', 30}},
    {{'S', 80}, {'A', 10}, {'P', 0}, {'A', 10}},
    {{'S', 70}, {'A', 10}, {'S', 10}, {'A', 10}},
    {{'S', 50}, {'A', 10}, {'S', 10}, {'A', 10}, {'S', 10}, {'A', 10}},
    {{'S', 100}},
};

constexpr int STRMINDEST = 3;   // strokes and gaps are at least this long
constexpr int STRNAHE = 3;      // a step this close to the target ends there
constexpr int STRREST = 4;      // a segment rest below this is dropped

struct StrZustand {
    STRICHSEG seg[STRICHSEGSUP + 1];  // ends with type 0
    int index = 0;
    int zehntel = 0;
    bool hatStrich = false;
    bool hatLuecke = false;
    int term = 100;
    int einheit = 0;
    bool fenster = false;
    int max = 0;
    int farbModus = 1;
    bool zweifarbig = false;
} strZ;

// Fetches the next segment and alternates the colour at a new period.
template <typename Farbe>
bool strHolen(STRICHSEG* s, Farbe farbe)
{
    bool neu = StrichNaechstes(s);
    if (neu) {
        int n = strZ.farbModus == 2 ? 2 : 1;
        strZ.farbModus = n == 2 ? 1 : 2;
        if (strZ.zweifarbig) farbe(n);
    }
    return neu;
}

int strVorzeichen(long v) { return v < 0 ? -1 : 1; }

// The step along the major axis towards the target (`rest` away) for a
// segment reaching `q`: the whole rest when the segment ends near the target
// or past it, else the segment. A segment cut off at the target keeps what
// is left in `segRest`. True when the segment is used up. Shared by both
// walkers: long on pixels, double in world units.
template <typename T>
bool strSchritt(T rest, T q, T nahe, T restMin, T* segRest, T* schritt)
{
    if (std::abs(rest - q) <= nahe) {
        *schritt = rest;
        return true;
    }
    if (std::abs(q) < std::abs(rest)) {
        *schritt = q;
        return true;
    }
    *schritt = rest;
    *segRest = (std::abs(q) - std::abs(rest)) * *segRest / std::abs(q);
    return *segRest < restMin;
}

// The end of a step from (x, y) along the line from (sx, sy) by (dx, dy):
// the major coordinate moves by `schritt`, the minor one follows the line
// (`runden` gives the pixels' rounding); an end near the target snaps to it.
template <typename P, typename D, typename Runden>
void strEndpunkt(bool xHaupt, P x, P y, P sx, P sy, D dx, D dy, D schritt, P tx, P ty, P nahe, Runden runden,
                 P* ex, P* ey)
{
    if (xHaupt) {
        *ex = static_cast<P>(x + schritt);
        *ey = static_cast<P>(sy + runden(static_cast<double>(*ex - sx) * dy / dx));
    } else {
        *ey = static_cast<P>(y + schritt);
        *ex = static_cast<P>(sx + runden(static_cast<double>(*ey - sy) * dx / dy));
    }
    if (std::abs(*ex - tx) <= nahe && std::abs(*ey - ty) <= nahe) {
        *ex = tx;
        *ey = ty;
    }
}

// The end-stroke offset for the direction (vx, vy): the whole offset when it
// is near or the cap (from `kappe`) would reach past it.
template <typename T, typename Kappe>
void strKappeBegrenzt(T vx, T vy, T nahe, Kappe kappe, T* sx, T* sy)
{
    *sx = vx;
    *sy = vy;
    if (std::abs(vx) > nahe || std::abs(vy) > nahe) {
        kappe(vx, vy, sx, sy);
        if (std::abs(*sx) > std::abs(vx) || std::abs(*sy) > std::abs(vy)) {
            *sx = vx;
            *sy = vy;
        }
    }
}

// ---- pixels ----

struct PixZustand {
    const STRICHZIEL* ziel = nullptr;
    int x = 0, y = 0;      // current point
    int lx = 0, ly = 0;    // end of the last stroke drawn
    STRICHSEG seg{0, 0};
    long rest = 0;
    char letzte = 0;       // type drawn last
} pix;

void pixBewegen(int x, int y)
{
    if (pix.ziel && pix.ziel->bewegen) pix.ziel->bewegen(pix.ziel->benutzer, x, y);
}

void pixZiehen(int x, int y)
{
    if (pix.ziel && pix.ziel->ziehen) pix.ziel->ziehen(pix.ziel->benutzer, x, y);
}

void pixPunkt(int x, int y)
{
    if (pix.ziel && pix.ziel->punkt) pix.ziel->punkt(pix.ziel->benutzer, x, y);
}

void pixHolen()
{
    strHolen(&pix.seg, [](int n) {
        if (pix.ziel && pix.ziel->farbe) pix.ziel->farbe(pix.ziel->benutzer, n);
    });
    pix.rest = pix.seg.laenge;
}

// A vector of `k` along the major axis of (vx, vy), the minor one in
// proportion (rounded half away from zero), signs from (vx, vy).
void pixKappe(long vx, long vy, long k, long* sx, long* sy)
{
    if (std::labs(vx) >= std::labs(vy)) {
        *sx = strVorzeichen(vx) * k;
        *sy = vx == 0 ? 0 : std::lround(static_cast<double>(k) * vy / std::labs(vx));
    } else {
        *sy = strVorzeichen(vy) * k;
        *sx = std::lround(static_cast<double>(k) * vx / std::labs(vy));
    }
}

void pixKappeAktuell(long vx, long vy, long* sx, long* sy) { pixKappe(vx, vy, StrichKappe(), sx, sy); }

// ---- world units ----

struct WeltZustand {
    const WELTSTRICHZIEL* ziel = nullptr;
    double x = 0, y = 0;
    double lx = 0, ly = 0;
    STRICHSEG seg{0, 0};
    double rest = 0;
    char letzte = 0;
} welt;

double weltEinheiten(double l)
{
    if (welt.ziel && welt.ziel->umrechnen) return welt.ziel->umrechnen(welt.ziel->benutzer, l);
    return l;
}

void weltLinie(double x1, double y1, double x2, double y2)
{
    if (welt.ziel && welt.ziel->linie) welt.ziel->linie(welt.ziel->benutzer, x1, y1, x2, y2);
}

void weltPunkt(double x, double y)
{
    if (welt.ziel && welt.ziel->punkt) welt.ziel->punkt(welt.ziel->benutzer, x, y);
}

void weltSchalten(int an)
{
    if (welt.ziel && welt.ziel->schalten) welt.ziel->schalten(welt.ziel->benutzer, an);
}

void weltHolen()
{
    strHolen(&welt.seg, [](int n) {
        if (welt.ziel && welt.ziel->farbe) welt.ziel->farbe(welt.ziel->benutzer, n);
    });
    welt.rest = weltEinheiten(welt.seg.laenge);
}

void weltKappe(double vx, double vy, double k, double* sx, double* sy)
{
    if (std::fabs(vx) >= std::fabs(vy)) {
        *sx = (vx < 0 ? -k : k);
        *sy = vx == 0 ? 0 : k * vy / std::fabs(vx);
    } else {
        *sy = (vy < 0 ? -k : k);
        *sx = k * vx / std::fabs(vy);
    }
}

void weltKappeAktuell(double vx, double vy, double* sx, double* sy)
{
    weltKappe(vx, vy, StrichKappeWelt(), sx, sy);
}

}  // namespace

// ---- the pattern ------------------------------------------------------------------

void StrichMuster(int typ, int term)
{
    typ = typ < 1 ? 1 : typ > STRICHTYPSUP ? STRICHTYPSUP : typ;
    const STRICHSEG* m = strMuster[typ - 1];
    strZ.hatStrich = strZ.hatLuecke = false;
    long long summe = 0;
    int i = 0;
    for (; i < STRICHSEGSUP && m[i].art != 0; ++i) {
        long long vorher = (static_cast<long long>(term) * summe + 50) / 100;
        summe += m[i].laenge;
        long long jetzt = (static_cast<long long>(term) * summe + 50) / 100;
        long long l = jetzt - vorher;
        if (m[i].art != 'P' && l < STRMINDEST) l = STRMINDEST;
        strZ.seg[i] = STRICHSEG{m[i].art, static_cast<int32_t>(l)};
        strZ.hatStrich = strZ.hatStrich || m[i].art == 'S';
        strZ.hatLuecke = strZ.hatLuecke || m[i].art == 'A';
    }
    for (; i <= STRICHSEGSUP; ++i) strZ.seg[i] = STRICHSEG{0, 0};
    strZ.index = 0;
    strZ.zehntel = 0;
    strZ.term = term;
}

void StrichUmgebung(int einheit, int fenster)
{
    strZ.einheit = einheit;
    strZ.fenster = fenster != 0;
}

void StrichAnfang()
{
    strZ.index = 0;
    strZ.zehntel = 0;
}

bool StrichNaechstes(STRICHSEG* seg)
{
    if (strZ.seg[strZ.index].art == 0) strZ.index = 0;
    STRICHSEG s = strZ.seg[strZ.index++];
    int32_t l = s.laenge / 10;
    strZ.zehntel += s.laenge % 10;
    if (strZ.zehntel > 9) {
        strZ.zehntel -= 10;
        ++l;
    }
    if (s.art != 'P' && l < STRMINDEST) l = STRMINDEST;
    if (strZ.max > 0 && strZ.fenster && !strZ.hatStrich && s.art != 'P' && l > strZ.max) l = strZ.max;
    *seg = STRICHSEG{s.art, l};
    return strZ.index == 1;
}

int StrichArt() { return strZ.seg[strZ.index].art; }
int StrichTerm() { return strZ.term; }
bool StrichHatStrich() { return strZ.hatStrich; }
bool StrichHatLuecke() { return strZ.hatLuecke; }

int StrichKappe()
{
    int k = strZ.term / 2 < strZ.einheit / 100 ? strZ.term / 2 : strZ.einheit / 100;
    k /= 10;
    return k < 2 ? 2 : k;
}

double StrichKappeWelt()
{
    double a = strZ.einheit / 100;
    double b = strZ.term * 0.5;
    return (a < b ? a : b) / 10.0 / 20.0;
}

void StrichMaxSetzen(int n) { strZ.max = n > 0 ? n : 0; }
int StrichMax() { return strZ.max; }

namespace {
// One saved copy of the whole dash state (pattern, both walkers).
struct StrSicherung {
    StrZustand z;
    PixZustand p;
    WeltZustand w;
    bool gesetzt = false;
} strGesichert;
}  // namespace

void StrichZustandSichern()
{
    strGesichert.z = strZ;
    strGesichert.p = pix;
    strGesichert.w = welt;
    strGesichert.gesetzt = true;
}

void StrichZustandWieder()
{
    if (!strGesichert.gesetzt) return;
    strZ = strGesichert.z;
    pix = strGesichert.p;
    welt = strGesichert.w;
    strGesichert.gesetzt = false;
}

void StrichFarbModus(int modus)
{
    strZ.farbModus = modus == 2 ? 2 : 1;
    strZ.zweifarbig = modus == 2;
}

// ---- walking on pixels ------------------------------------------------------------

void PixStrichZielSetzen(const STRICHZIEL* ziel) { pix.ziel = ziel; }

void PixStrichStart(int x, int y)
{
    pixBewegen(x, y);
    StrichAnfang();
    pixHolen();
    pix.x = pix.lx = x;
    pix.y = pix.ly = y;
    pix.letzte = 0;
}

void PixStrichLinie(int tx, int ty)
{
    const int sx = pix.x, sy = pix.y;
    const long dx = tx - sx, dy = ty - sy;
    if (dx == 0 && dy == 0) return;
    const bool xHaupt = std::labs(dx) >= std::labs(dy);
    const double w = std::atan2(static_cast<double>(dy), static_cast<double>(dx));
    const double anteil = xHaupt ? std::cos(w) : std::sin(w);
    long schranke = 4 * (std::labs(dx) + std::labs(dy)) + 64;
    while ((pix.x != tx || pix.y != ty) && schranke-- > 0) {
        if (pix.seg.art == 'P') {
            pixPunkt(pix.x, pix.y);
            pix.letzte = 'P';
            pixHolen();
            continue;
        }
        const long rest = xHaupt ? tx - pix.x : ty - pix.y;
        const long q = std::lround(pix.rest * anteil);
        long schritt;
        const bool naechstes = strSchritt<long>(rest, q, STRNAHE, STRREST, &pix.rest, &schritt);
        int ex, ey;
        strEndpunkt<int, long>(xHaupt, pix.x, pix.y, sx, sy, dx, dy, schritt, tx, ty, STRNAHE,
                               [](double v) { return std::lround(v); }, &ex, &ey);
        if (pix.seg.art == 'A') {
            pixBewegen(ex, ey);
        } else {
            pixZiehen(ex, ey);
            pix.lx = ex;
            pix.ly = ey;
        }
        pix.letzte = pix.seg.art;
        pix.x = ex;
        pix.y = ey;
        if (naechstes) pixHolen();
    }
    if (pix.x != tx || pix.y != ty) {  // guard only: a pattern that cannot move
        pixBewegen(tx, ty);
        pix.x = tx;
        pix.y = ty;
    }
}

void PixStrichAnfang(int tx, int ty)
{
    if (pix.seg.art == 'S') return;
    if (!StrichHatStrich()) {
        pixPunkt(pix.x, pix.y);
        pix.letzte = 'P';
        return;
    }
    long sx, sy;
    strKappeBegrenzt<long>(tx - pix.x, ty - pix.y, STRNAHE, pixKappeAktuell, &sx, &sy);
    pixZiehen(static_cast<int>(pix.x + sx), static_cast<int>(pix.y + sy));
    pixBewegen(pix.x, pix.y);
    pix.lx = static_cast<int>(pix.x + sx);
    pix.ly = static_cast<int>(pix.y + sy);
    pix.letzte = 'S';
}

void PixStrichEnde()
{
    if (pix.letzte != 'S') {
        if (StrichHatStrich()) {
            // Past the last stroke's end the whole offset is enough.
            long sx, sy;
            strKappeBegrenzt<long>(pix.lx - pix.x, pix.ly - pix.y, STRNAHE, pixKappeAktuell, &sx, &sy);
            pixBewegen(static_cast<int>(pix.x + sx), static_cast<int>(pix.y + sy));
            pixZiehen(pix.x, pix.y);
            pix.lx = pix.x;
            pix.ly = pix.y;
        } else {
            pixPunkt(pix.x, pix.y);
        }
    }
    pix.letzte = 'S';
}

void PixStrichStrecke(int x1, int y1, int x2, int y2)
{
    PixStrichStart(x1, y1);
    PixStrichAnfang(x2, y2);
    PixStrichLinie(x2, y2);
    PixStrichEnde();
}

void PixStrichPolygon(const int* x, const int* y, int n)
{
    if (n < 1) return;
    PixStrichStart(x[0], y[0]);
    for (int i = 1; i <= n; ++i) {
        int k = i < n ? i : 0;
        PixStrichAnfang(x[k], y[k]);
        PixStrichLinie(x[k], y[k]);
        PixStrichEnde();
    }
}

void PixStrichPfad(const int* x, const int* y, int n, bool mitEnde)
{
    if (n < 1) return;
    PixStrichStart(x[0], y[0]);
    for (int i = 1; i < n; ++i) PixStrichLinie(x[i], y[i]);
    if (mitEnde) PixStrichEnde();
}

// ---- walking in world units -------------------------------------------------------

void WeltStrichZielSetzen(const WELTSTRICHZIEL* ziel) { welt.ziel = ziel; }

void WeltStrichStart(double x, double y)
{
    StrichAnfang();
    weltHolen();
    welt.x = welt.lx = x;
    welt.y = welt.ly = y;
    welt.letzte = 0;
}

void WeltStrichLinie(double tx, double ty)
{
    const double null = weltEinheiten(0.1);
    const double nahe = weltEinheiten(STRNAHE);
    const double restMin = weltEinheiten(STRREST);
    const double sx = welt.x, sy = welt.y;
    const double dx = tx - sx, dy = ty - sy;
    if (std::fabs(dx) < null && std::fabs(dy) < null) return;
    const bool xHaupt = std::fabs(dx) >= std::fabs(dy);
    const double w = std::atan2(dy, dx);
    const double anteil = xHaupt ? std::cos(w) : std::sin(w);
    // Every stroke or gap moves at least its minimum along the major axis.
    const double schritt1 = weltEinheiten(1.0);
    double passe = schritt1 > 0 ? 4 * (std::fabs(dx) + std::fabs(dy)) / schritt1 + 64 : 64;
    long schranke = passe > 1e7 ? 10000000L : static_cast<long>(passe);
    while (schranke-- > 0) {
        const double rest = xHaupt ? tx - welt.x : ty - welt.y;
        if (std::fabs(rest) < null) break;
        if (welt.seg.art == 'P') {
            weltPunkt(welt.x, welt.y);
            welt.letzte = 'P';
            weltHolen();
            continue;
        }
        const double q = welt.rest * anteil;
        double schritt;
        const bool naechstes = strSchritt(rest, q, nahe, restMin, &welt.rest, &schritt);
        double ex, ey;
        strEndpunkt<double, double>(xHaupt, welt.x, welt.y, sx, sy, dx, dy, schritt, tx, ty, nahe,
                                    [](double v) { return v; }, &ex, &ey);
        if (welt.seg.art != 'A') {
            weltLinie(welt.x, welt.y, ex, ey);
            welt.lx = ex;
            welt.ly = ey;
        }
        welt.letzte = welt.seg.art;
        welt.x = ex;
        welt.y = ey;
        if (naechstes) weltHolen();
    }
    welt.x = tx;
    welt.y = ty;
}

void WeltStrichAnfang(double tx, double ty)
{
    if (welt.seg.art == 'S') return;
    if (!StrichHatStrich()) {
        weltPunkt(welt.x, welt.y);
        welt.letzte = 'P';
        return;
    }
    double sx, sy;
    strKappeBegrenzt(tx - welt.x, ty - welt.y, weltEinheiten(STRNAHE), weltKappeAktuell, &sx, &sy);
    weltLinie(welt.x, welt.y, welt.x + sx, welt.y + sy);
    welt.lx = welt.x + sx;
    welt.ly = welt.y + sy;
    welt.letzte = 'S';
}

void WeltStrichEnde()
{
    if (welt.letzte != 'S') {
        if (StrichHatStrich()) {
            double sx, sy;
            strKappeBegrenzt(welt.lx - welt.x, welt.ly - welt.y, weltEinheiten(STRNAHE), weltKappeAktuell, &sx,
                             &sy);
            weltLinie(welt.x + sx, welt.y + sy, welt.x, welt.y);
            welt.lx = welt.x;
            welt.ly = welt.y;
        } else {
            weltPunkt(welt.x, welt.y);
        }
    }
    welt.letzte = 'S';
}

void WeltStrichKurz(double x1, double y1, double x2, double y2)
{
    if (!StrichHatLuecke()) return;
    const double k = StrichKappeWelt();
    const double dx = x2 - x1, dy = y2 - y1;
    weltSchalten(0);
    if (std::fabs(dx) <= 4 * k && std::fabs(dy) <= 4 * k) {
        weltLinie(x1, y1, x1 + dx / 3, y1 + dy / 3);
        weltLinie(x2 - dx / 3, y2 - dy / 3, x2, y2);
    } else {
        double sx, sy;
        weltKappe(dx, dy, StrichHatStrich() ? k : k / 2, &sx, &sy);
        weltLinie(x1, y1, x1 + sx, y1 + sy);
        weltLinie(x2 - sx, y2 - sy, x2, y2);
    }
    weltSchalten(1);
}
