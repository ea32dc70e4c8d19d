// Geometry of the drawing model; see geometri.h. Process-wide state: the
// adjustable tolerance and the extent box with its working state (one extent
// computation at a time, on the one GUI thread). Calls the command table,
// the graphic state, the record expander (zerleg.h) and the dimension points
// (masslin.h).
#include "model/geometri.h"

#include <array>
#include <cmath>
#include <cstring>

#include "model/befehl.h"
#include "model/masslin.h"
#include "model/zerleg.h"
#include "model/zustand.h"

namespace {

constexpr double geoPi = 3.141592653589793;

std::array<double, 91> geoTabelleBauen()
{
    std::array<double, 91> t{};
    for (int i = 0; i <= 90; ++i) {
        t[i] = std::cos(i * geoPi / 180.0);
    }
    t[0] = 1.0;
    t[60] = 0.5;
    t[90] = 0.0;
    return t;
}

const std::array<double, 91>& geoTabelle()
{
    static const std::array<double, 91> t = geoTabelleBauen();
    return t;
}

int geoDezimalen = 1;
double geoLo = -0.1;
double geoHi = 0.1;

GeoPunkt geoEllipse(int a, double rx, double ry)
{
    return {CosZehntel(a) * rx, SinZehntel(a) * ry};
}

}  // namespace

// ---- angles and vectors -------------------------------------------------

int WinkelNormal(int a)
{
    a %= 3600;
    return a < 0 ? a + 3600 : a;
}

double SinZehntel(int a)
{
    if (a % 10 != 0) {
        return std::sin(a * geoPi / 1800.0);
    }
    const auto& t = geoTabelle();
    int d = (a / 10) % 360;
    if (d < 0) {
        d += 360;
    }
    if (d < 90) return t[90 - d];
    if (d < 180) return t[d - 90];
    if (d < 270) return -t[270 - d];
    return -t[d - 270];
}

double CosZehntel(int a)
{
    if (a % 10 != 0) {
        return std::cos(a * geoPi / 1800.0);
    }
    const auto& t = geoTabelle();
    int d = (a / 10) % 360;
    if (d < 0) {
        d += 360;
    }
    if (d < 90) return t[d];
    if (d < 180) return -t[180 - d];
    if (d < 270) return -t[d - 180];
    return t[360 - d];
}

int ISin(int n, int a) { return static_cast<int>(n * SinZehntel(a)); }
int ICos(int n, int a) { return static_cast<int>(n * CosZehntel(a)); }

void Drehen(int a, double* x, double* y)
{
    a = WinkelNormal(a);
    double x0 = *x, y0 = *y;
    switch (a) {
    case 0:
        return;
    case 900:
        *x = -y0;
        *y = x0;
        return;
    case 1800:
        *x = -x0;
        *y = -y0;
        return;
    case 2700:
        *x = y0;
        *y = -x0;
        return;
    default: {
        double c = CosZehntel(a), s = SinZehntel(a);
        *x = x0 * c - y0 * s;
        *y = x0 * s + y0 * c;
        return;
    }
    }
}

int WinkelSumme(int a, int b) { return WinkelNormal(a + b); }

int IstRechtwinklig(int a)
{
    a = WinkelNormal(a);
    return a == 0 || a == 900 || a == 1800 || a == 2700;
}

double VektorLaenge(double x, double y) { return std::sqrt(x * x + y * y); }

int VektorWinkel(double x, double y)
{
    if (VektorLaenge(x, y) < 0.1) {
        return 0;
    }
    double ax = std::fabs(x), ay = std::fabs(y);
    double r = ax <= ay ? ax / ay : ay / ax;
    int t = static_cast<int>(std::atan(r) * 1800.0 / geoPi + 0.5);
    if (ax <= ay) t = 900 - t;
    if (y < 0) t = 3600 - t;
    if (x < 0) t = 1800 - t;
    return WinkelNormal(t);
}

int Quadrant(double x, double y)
{
    if (x >= 0) return y >= 0 ? 0 : 3;
    return y >= 0 ? 1 : 2;
}

// ---- state transform ----------------------------------------------------

void SttPunkt(const STT* s, double x, double y, double* X, double* Y)
{
    Drehen(s->richtung, &x, &y);
    *X = x * s->mass + s->x;
    *Y = y * s->mass + s->y;
}

void SttPunktZurueck(const STT* s, double X, double Y, double* x, double* y)
{
    double u = (X - s->x) / s->mass, v = (Y - s->y) / s->mass;
    Drehen(-s->richtung, &u, &v);
    *x = u;
    *y = v;
}

// ---- numeric helpers and tolerances ---------------------------------------

double dabs(double x) { return x < 0 ? -x : x; }
double dmax(double x, double y) { return y > x ? y : x; }
double dmin(double x, double y) { return y < x ? y : x; }
double Vorzeichen(double x) { return x > 0.001 ? 1.0 : x < -0.001 ? -1.0 : 0.0; }
int IstNullGenau(double x) { return -0.0001 < x && x < 0.0001; }
int KleinerTol(double x, double y) { return x < y + 0.0001; }
int GroesserTol(double x, double y) { return x > y - 0.0001; }
int InnerhalbEins(double x) { return -1 < x && x < 1; }
double Zehntel(int n) { return n / 10.0; }

double RundenAuf(double x, double f)
{
    // "%.0f" of the product: round to nearest, ties to even.
    return std::nearbyint(x * f) / f;
}

int IstNull(double x) { return geoLo < x && x < geoHi; }
int ImBereich(double x, double y) { return -y < x && x < y; }

int VergleichTol(double x, double y)
{
    double d = x - y;
    if (d <= geoLo) return -1;
    if (d >= geoHi) return 1;
    return 0;
}

void GenauigkeitSetzen(int n)
{
    geoDezimalen = n;
    double lo = -1.0, hi = 1.0;
    for (int i = 0; i < n; ++i) {
        lo /= 10;
        hi /= 10;
    }
    geoLo = lo;
    geoHi = hi;
}

int Genauigkeit() { return geoDezimalen; }

double Runden(double x)
{
    double f = 1.0;
    for (int i = 0; i < geoDezimalen; ++i) {
        f *= 10;
    }
    // Half away from zero, so negative values round like positive ones.
    double r = std::trunc(std::fabs(x) * f + 0.5) / f;
    return x < 0 ? -r : r;
}

// ---- element geometry -----------------------------------------------------

void DreEcken(const BEF* b, GeoPunkt p[3])
{
    if (b->code != 63) {
        return;
    }
    p[0] = {0.0, 0.0};
    int a = b->iarg[1];
    if (b->iarg[2] == 0) {
        double w = b->darg[0] / 2, l = b->darg[1];
        double bx = l * CosZehntel(WinkelSumme(a, 1800)), by = l * SinZehntel(WinkelSumme(a, 1800));
        double qx = w * CosZehntel(WinkelSumme(a, 2700)), qy = w * SinZehntel(WinkelSumme(a, 2700));
        p[1] = {bx + qx, by + qy};
        p[2] = {bx - qx, by - qy};
    } else {
        double d = b->darg[0];
        p[1] = {d * CosZehntel(WinkelSumme(a, 1500)), d * SinZehntel(WinkelSumme(a, 1500))};
        p[2] = {d * CosZehntel(WinkelSumme(a, 2100)), d * SinZehntel(WinkelSumme(a, 2100))};
    }
}

void KreEcken(const BEF* b, GeoPunkt p[8])
{
    double rx = b->darg[0], ry = b->darg[1];
    p[0] = {rx, 0.0};
    p[1] = {0.0, ry};
    p[2] = {-rx, 0.0};
    p[3] = {0.0, -ry};
    int w = 450;
    for (int i = 4; i < 8; ++i, w += 900) {
        p[i] = geoEllipse(w, rx, ry);
    }
    if (b->iarg[1] != 0) {
        for (int i = 0; i < 8; ++i) {
            Drehen(b->iarg[1], &p[i].x, &p[i].y);
        }
    }
}

void TextRahmen(int code, int zeichen, int zeilen, const STT* s, double box[4])
{
    double w = zeichen * s->tg * s->tv;
    double e = -2.0 * (zeilen - 1) * s->th * s->tg;
    double ax = 0.0, ay = s->tg, bx = w, by = e;
    double ox = 0.0, oy = 0.0;
    switch (code) {
    case 51: case 55: ox = -w / 2; break;
    case 52: case 56: ox = -w; break;
    case 53: case 57: ox = -w / 2; oy = -(e + s->tg) / 2; break;
    default: break;
    }
    int r = WinkelSumme(s->richtung, s->tr);
    Drehen(r, &ax, &ay);
    Drehen(r, &bx, &by);
    Drehen(r, &ox, &oy);
    double x1 = (ax + ox) * s->mass + s->x, y1 = (ay + oy) * s->mass + s->y;
    double x2 = (bx + ox) * s->mass + s->x, y2 = (by + oy) * s->mass + s->y;
    box[0] = dmin(x1, x2);
    box[1] = dmin(y1, y2);
    box[2] = dmax(x1, x2);
    box[3] = dmax(y1, y2);
}

std::vector<GeoPunkt> EllipsePunkte(double cx, double cy, double rx, double ry, int drehung,
                                    int schritt)
{
    std::vector<GeoPunkt> v;
    if ((rx < 0.1 && ry < 0.1) || schritt <= 0) {
        return v;
    }
    for (int a = 0; a < 3600; a += schritt) {
        GeoPunkt p = geoEllipse(a, rx, ry);
        Drehen(drehung, &p.x, &p.y);
        v.push_back({p.x + cx, p.y + cy});
    }
    return v;
}

std::vector<GeoPunkt> BogenPunkte(double cx, double cy, double rx, double ry, int drehung,
                                  int umgekehrt, int a0, int a1, int schritt)
{
    std::vector<GeoPunkt> v;
    if ((rx < 0.1 && ry < 0.1) || schritt <= 0) {
        return v;
    }
    int start = umgekehrt ? a1 : a0;
    int ende = umgekehrt ? a0 : a1;
    while (start > 3599) {
        start -= 3600;
        ende -= 3600;
    }
    if (ende < start) {
        ende += 3600;
    }
    for (int a = start;; a = a + schritt < ende ? a + schritt : ende) {
        GeoPunkt p = geoEllipse(a, rx, ry);
        Drehen(drehung, &p.x, &p.y);
        v.push_back({p.x + cx, p.y + cy});
        if (a >= ende) {
            break;
        }
    }
    return v;
}

void BefVorbelegen(BEF* b)
{
    double* d = b->darg;
    int32_t* i = b->iarg;
    switch (b->code) {
    case 40: d[1] = -10; break;
    case 41: i[0] = 1800; d[0] = 10; break;
    case 63: i[1] = 900; d[0] = 5; d[1] = 10; break;
    case 64: i[0] = 0; i[1] = 900; d[0] = d[1] = 10; break;
    case 65: i[0] = 0; i[1] = 900; i[2] = 0; d[0] = d[1] = 10; break;
    case 67: d[0] = d[1] = 10; break;
    case 68: d[0] = 5; d[1] = -10; break;
    case 69: d[0] = 10; d[1] = -10; break;
    case 92: d[0] = 10; d[1] = -5; d[2] = 20; d[3] = -10; break;
    case 95: d[0] = 20; d[1] = -10; break;
    case 96: {
        const MASSEINST* m = MassEinst();
        d[0] = 10;
        d[1] = 0;
        for (int k = 4; k < 8; ++k) {
            d[k] = m->ueberstand;
            i[k] = 1;
        }
        i[0] = m->pfl;
        i[1] = m->fakp;
        i[2] = m->fakq;
        i[3] = m->nk;
        break;
    }
    default: break;
    }
}

// ---- snap points ------------------------------------------------------------

namespace {

// The middle and the quarter points of an arc from a0 to a1 (point(a) plus c).
void geoBogenPunkte(FangpunktFn fn, GeoPunkt c, int a0, int a1, double rx, double ry)
{
    int mitte = (a0 + a1) / 2 + (a1 < a0 ? 1800 : 0);
    GeoPunkt p = geoEllipse(mitte, rx, ry);
    fn(2, c.x + p.x, c.y + p.y);
    int ende = a1 < a0 ? a1 + 3600 : a1;
    int m = static_cast<int>(std::floor(a0 / 900.0) + 1) * 900;
    for (; m < ende; m += 900) {
        p = geoEllipse(m, rx, ry);
        fn(2, c.x + p.x, c.y + p.y);
    }
}

}  // namespace

void BefFangpunkte(const BEF* b, FangpunktFn fn)
{
    const double* d = b->darg;
    const int32_t* i = b->iarg;
    fn(0, 0.0, 0.0);
    switch (b->code) {
    case 40:
    case 175:
        fn(2, d[0], d[1]);
        fn(2, d[0] / 2, d[1] / 2);
        break;
    case 63: {
        GeoPunkt p[3];
        DreEcken(b, p);
        for (auto& q : p) fn(2, q.x, q.y);
        fn(2, (p[0].x + p[1].x + p[2].x) / 3, (p[0].y + p[1].y + p[2].y) / 3);
        fn(2, (p[0].x + p[1].x) / 2, (p[0].y + p[1].y) / 2);
        fn(2, (p[1].x + p[2].x) / 2, (p[1].y + p[2].y) / 2);
        fn(2, (p[0].x + p[2].x) / 2, (p[0].y + p[2].y) / 2);
        break;
    }
    case 64: {
        GeoPunkt p = geoEllipse(i[0], d[0], d[1]);
        fn(2, p.x, p.y);
        p = geoEllipse(i[1], d[0], d[1]);
        fn(2, p.x, p.y);
        geoBogenPunkte(fn, {0.0, 0.0}, i[0], i[1], d[0], d[1]);
        break;
    }
    case 65: {
        GeoPunkt c = {-CosZehntel(i[0]) * d[0], -SinZehntel(i[0]) * d[1]};
        fn(2, c.x, c.y);
        GeoPunkt p = geoEllipse(i[0], d[0], d[1]);
        fn(2, c.x + p.x, c.y + p.y);
        p = geoEllipse(i[1], d[0], d[1]);
        fn(2, c.x + p.x, c.y + p.y);
        if (i[2] == 0) {
            geoBogenPunkte(fn, c, i[0], i[1], d[0], d[1]);
        } else {
            geoBogenPunkte(fn, c, i[1], i[0], d[0], d[1]);
        }
        break;
    }
    case 67: {
        GeoPunkt p[8];
        KreEcken(b, p);
        for (auto& q : p) fn(2, q.x, q.y);
        break;
    }
    case 68:
    case 69:
    case 95: {
        GeoPunkt c1 = {d[0], 0.0}, c2 = {d[0], d[1]}, c3 = {0.0, d[1]};
        if (b->code != 95) {
            Drehen(i[1], &c1.x, &c1.y);
            Drehen(i[1], &c2.x, &c2.y);
            Drehen(i[1], &c3.x, &c3.y);
        }
        fn(2, c1.x, c1.y);
        fn(2, c2.x, c2.y);
        fn(2, c3.x, c3.y);
        fn(2, c2.x / 2, c2.y / 2);
        fn(2, c1.x / 2, c1.y / 2);
        fn(2, c3.x / 2, c3.y / 2);
        fn(2, (c1.x + c2.x) / 2, (c1.y + c2.y) / 2);
        fn(2, (c3.x + c2.x) / 2, (c3.y + c2.y) / 2);
        break;
    }
    case 92:
        fn(2, d[0] / 2, d[1] / 2);
        fn(2, d[0], 0.0);
        fn(2, 0.0, d[1]);
        fn(2, d[0], d[1]);
        fn(2, d[2], d[3]);
        break;
    case 96: {
        fn(2, d[0], d[1]);
        fn(2, d[0] / 2, d[1] / 2);
        for (int k : {0, 1, 3, 4, 5, 6, 7}) {
            double x = 0, y = 0;
            MassPunkt(b, nullptr, k, &x, &y);
            fn(2, x, y);
        }
        break;
    }
    default:
        break;
    }
}

// ---- extents ------------------------------------------------------------------

namespace {

enum class GeoArt { Roh, Eng, Geo, Unt };

struct GeoAusdehnung {
    double box[4];
    const STT* stt;  // working state of the record being measured
    GeoArt art;
    int unt;         // an UNT element was met
};

GeoAusdehnung geoAus;

void geoPunktDazu(double X, double Y)
{
    geoAus.box[0] = dmin(geoAus.box[0], X);
    geoAus.box[1] = dmin(geoAus.box[1], Y);
    geoAus.box[2] = dmax(geoAus.box[2], X);
    geoAus.box[3] = dmax(geoAus.box[3], Y);
}

void geoFangDazu(int, double x, double y)
{
    double X, Y;
    SttPunkt(geoAus.stt, x, y, &X, &Y);
    geoPunktDazu(X, Y);
}

int geoTeilDazu(const BEF* b, const STT* s)
{
    geoAus.stt = s;
    int c = b->code;
    switch (geoAus.art) {
    case GeoArt::Roh:
    case GeoArt::Eng:
        BefFangpunkte(b, geoFangDazu);
        if (BefIstText(c)) {
            double t[4];
            TextRahmen(c, static_cast<int>(strnlen(b->text, BEFTEXTSUP)), 1, s, t);
            geoPunktDazu(t[0], t[1]);
            geoPunktDazu(t[2], t[3]);
        }
        break;
    case GeoArt::Geo:
        if (c == 40 || c == 63 || c == 64 || c == 65 || c == 67 || c == 68 || c == 69 || c == 95) {
            BefFangpunkte(b, geoFangDazu);
        }
        break;
    case GeoArt::Unt:
        if (c == 95) {
            BefFangpunkte(b, geoFangDazu);
            geoAus.unt = 1;
        }
        break;
    }
    return 0;
}

void geoAusdehnung(GeoArt art, const BEF* b, const STT* s, double box[4], STT* nachher)
{
    geoAus.art = art;
    geoAus.unt = 0;
    geoAus.box[0] = geoAus.box[2] = s->x;
    geoAus.box[1] = geoAus.box[3] = s->y;
    // The expansion works in the caller's state after the record (s is not
    // read again), so that state is not copied twice.
    STT eigen;
    STT& arbeit = nachher ? *nachher : eigen;
    if (&arbeit != s) arbeit = *s;
    geoAus.stt = &arbeit;
    BefZerlegen(b, &arbeit, geoTeilDazu);
    geoPunktDazu(arbeit.x, arbeit.y);
    if (art == GeoArt::Roh) {
        geoAus.box[0] -= 0.5;
        geoAus.box[1] -= 0.5;
        geoAus.box[2] += 0.5;
        geoAus.box[3] += 0.5;
    }
    std::memcpy(box, geoAus.box, sizeof geoAus.box);
}

}  // namespace

void BefAusdehnungRoh(const BEF* b, const STT* s, double box[4], STT* nachher)
{
    geoAusdehnung(GeoArt::Roh, b, s, box, nachher);
}

void BefAusdehnungEng(const BEF* b, const STT* s, double box[4], STT* nachher)
{
    geoAusdehnung(GeoArt::Eng, b, s, box, nachher);
}

void BefAusdehnungGeo(const BEF* b, const STT* s, double box[4], STT* nachher)
{
    geoAusdehnung(GeoArt::Geo, b, s, box, nachher);
}

int BefUntAusdehnung(const BEF* b, const STT* s, double box[4], STT* nachher)
{
    geoAusdehnung(GeoArt::Unt, b, s, box, nachher);
    return geoAus.unt;
}

// ---- plane lines ----

void Mittelsenkrechte(GeoGerade* aus, GeoPunkt p1, GeoPunkt p2)
{
    const double mx = (p1.x + p2.x) / 2, my = (p1.y + p2.y) / 2;
    // Direction (y1 - y2, x2 - x1); the line's normal is the segment p1 p2.
    aus->a = p2.x - p1.x;
    aus->b = p2.y - p1.y;
    aus->c = -(aus->a * mx + aus->b * my);
}

int GeradenSchnitt(GeoPunkt* aus, const GeoGerade* l1, const GeoGerade* l2)
{
    const double det = l1->a * l2->b - l2->a * l1->b;
    // Parallel within rounding: the determinant vanishes against its terms.
    const double groesse = std::fabs(l1->a * l2->b) + std::fabs(l2->a * l1->b);
    if (!(std::fabs(det) > 1e-12 * groesse)) return -1;
    const double x = (l1->b * l2->c - l2->b * l1->c) / det;
    const double y = (l2->a * l1->c - l1->a * l2->c) / det;
    if (!std::isfinite(x) || !std::isfinite(y)) return -1;
    aus->x = x;
    aus->y = y;
    return 0;
}
