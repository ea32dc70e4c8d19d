// Line gaps and attached lines; see linien.h.
//
// A cut keeps the gap parameters within [0, 1]: a gap reaching past an end
// only shortens the line, and an empty gap or one covering the whole line
// leaves it as it is (no reversed or lengthened pieces).
#include "editor/linien.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/geometri.h"
#include "model/tempzeic.h"
#include "model/zerleg.h"

namespace {

constexpr double LN_NULL = 0.1;      // near zero, strictly
constexpr double LN_KOLLINEAR = 0.1; // cross product
constexpr double LN_RAND = 0.1;      // allowance of extent tests
constexpr double LN_UNT = 0.0001;    // allowance of the break rectangle
constexpr double LN_WEG = 5.0;       // widening of the walks

bool lnNull(double v) { return v > -LN_NULL && v < LN_NULL; }

struct LnLinie {
    int id;
    STT s;
    BEF b;
    double sx, sy, ex, ey;
};

LnLinie lnLinie(int id, const STT* s, const BEF* b)
{
    LnLinie l{id, *s, *b, s->x, s->y, 0, 0};
    STT n = *s;
    BefZerlegen(b, &n, nullptr);
    l.ex = n.x;
    l.ey = n.y;
    return l;
}

// The lines whose extent meets the rectangle (ordered corners), widened.
std::vector<LnLinie> lnLinien(double x1, double y1, double x2, double y2)
{
    std::vector<LnLinie> v;
    const double r[4] = {x1 - LN_WEG, y1 - LN_WEG, x2 + LN_WEG, y2 + LN_WEG};
    TzBereichDurchlaufen(r, [&](int id, const STT* s, const BEF* b) {
        if (b->code == BEF_ZL) v.push_back(lnLinie(id, s, b));
    });
    return v;
}

double lnParameter(const LnLinie& l, double px, double py)
{
    const double dx = l.ex - l.sx, dy = l.ey - l.sy;
    if (std::fabs(dx) > LN_NULL) return (px - l.sx) / dx;
    if (std::fabs(dy) > LN_NULL) return (py - l.sy) / dy;
    return 0;
}

bool lnKollinear(const LnLinie& l, double px, double py)
{
    const double k = (l.ex - l.sx) * (py - l.sy) - (l.ey - l.sy) * (px - l.sx);
    return std::fabs(k) <= LN_KOLLINEAR;
}

// Writes a line from world point (x, y) along world vector (dx, dy).
void lnSetzen(int id, const LnLinie& l, double x, double y, double dx, double dy, bool neu)
{
    STT s = l.s;
    s.x = x;
    s.y = y;
    BEF b = l.b;
    const double m = s.mass != 0 ? s.mass : 1.0;
    dx /= m;
    dy /= m;
    Drehen(-s.richtung, &dx, &dy);
    b.darg[0] = dx;
    b.darg[1] = dy;
    if (neu)
        TzEinfuegen(&b, &s);
    else
        TzErsetzen(id, &b, &s);
}

struct LnAnhang {
    int objekt;
    LnLinie l;
};
std::vector<LnAnhang> lnAnhang;

}  // namespace

int LochSchneiden(int id, const STT* s, const BEF* b, double x0, double y0, double x1, double y1)
{
    if (b->code != BEF_ZL) return 0;
    const LnLinie l = lnLinie(id, s, b);
    if (!lnKollinear(l, x0, y0) || !lnKollinear(l, x1, y1)) return 0;
    const double t0 = lnParameter(l, x0, y0), t1 = lnParameter(l, x1, y1);
    double tmin = std::min(t0, t1), tmax = std::max(t0, t1);
    if (tmax < -0.1 || tmin > 1.1 || (tmin < -0.1 && tmax > 1.1)) return 0;
    tmin = std::clamp(tmin, 0.0, 1.0);
    tmax = std::clamp(tmax, 0.0, 1.0);
    if (tmax - tmin <= 0 || (tmin <= 0 && tmax >= 1)) return 0;
    const double dx = l.ex - l.sx, dy = l.ey - l.sy;
    const double g1x = l.sx + dx * tmin, g1y = l.sy + dy * tmin;
    const double g2x = l.sx + dx * tmax, g2y = l.sy + dy * tmax;
    if (tmin > 0 && tmax < 1) {
        lnSetzen(id, l, g2x, g2y, l.ex - g2x, l.ey - g2y, false);
        lnSetzen(id, l, l.sx, l.sy, g1x - l.sx, g1y - l.sy, true);
    } else if (tmin > 0) {
        lnSetzen(id, l, l.sx, l.sy, g1x - l.sx, g1y - l.sy, false);
    } else {
        lnSetzen(id, l, g2x, g2y, l.ex - g2x, l.ey - g2y, false);
    }
    return 1;
}

void LinienTrennen(double x0, double y0, double x1, double y1)
{
    if (TzAnzahl() == 0) return;
    for (const LnLinie& l : lnLinien(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)))
        LochSchneiden(l.id, &l.s, &l.b, x0, y0, x1, y1);
}

void UnterbrechungSetzen(const BEF* b, const STT* s)
{
    if (s->richtung % 900 != 0) return;
    double vx = b->darg[0], vy = b->darg[1];
    switch (((s->richtung / 900) % 4 + 4) % 4) {
    case 1: std::swap(vx, vy), vx = -vx; break;
    case 2: vx = -vx, vy = -vy; break;
    case 3: std::swap(vx, vy), vy = -vy; break;
    default: break;
    }
    vx *= s->mass;
    vy *= s->mass;
    if (lnNull(vx) && lnNull(vy)) return;
    const double rx1 = std::min(s->x, s->x + vx), rx2 = std::max(s->x, s->x + vx);
    const double ry1 = std::min(s->y, s->y + vy), ry2 = std::max(s->y, s->y + vy);
    struct loch {
        LnLinie l;
        double x1, y1, x2, y2;
    };
    std::vector<loch> ll;
    for (const LnLinie& l : lnLinien(rx1, ry1, rx2, ry2)) {
        if (static_cast<int>(ll.size()) >= LLSUP) break;
        if (std::fabs(l.sy - l.ey) <= LN_NULL && l.sy >= ry1 - LN_UNT && l.sy <= ry2 + LN_UNT)
            ll.push_back({l, rx1, l.sy, rx2, l.sy});
        else if (std::fabs(l.sx - l.ex) <= LN_NULL && l.sx >= rx1 - LN_UNT && l.sx <= rx2 + LN_UNT)
            ll.push_back({l, l.sx, ry1, l.sx, ry2});
    }
    for (const loch& g : ll) LochSchneiden(g.l.id, &g.l.s, &g.l.b, g.x1, g.y1, g.x2, g.y2);
}

void AnhangZuruecksetzen() { lnAnhang.clear(); }

void AnhangVerschieben(int objekt, int phase, double x0, double y0, double x1, double y1, const double box[4])
{
    if (TzAnzahl() == 0) return;
    const bool nachY = lnNull(x0 - x1), nachX = lnNull(y0 - y1);
    if (nachY == nachX) return;  // no move, or one in both directions
    if (phase == 0) {
        for (const LnLinie& l : lnLinien(box[0], box[1], box[2], box[3])) {
            if (static_cast<int>(lnAnhang.size()) >= ANHANGSUP) break;
            if (TzIstMarkiert(l.id)) continue;
            const bool passt = nachY ? std::fabs(l.sx - l.ex) <= LN_NULL && (lnNull(l.sy - y0) || lnNull(l.ey - y0)) &&
                                           l.sx >= box[0] - LN_RAND && l.sx <= box[2] + LN_RAND
                                     : std::fabs(l.sy - l.ey) <= LN_NULL && (lnNull(l.sx - x0) || lnNull(l.ex - x0)) &&
                                           l.sy >= box[1] - LN_RAND && l.sy <= box[3] + LN_RAND;
            if (passt) lnAnhang.push_back({objekt, l});
        }
        return;
    }
    for (const LnAnhang& a : lnAnhang) {
        if (a.objekt != objekt) continue;
        const LnLinie& l = a.l;
        double sx = l.sx, sy = l.sy, ex = l.ex, ey = l.ey;
        if (nachY) {
            if (lnNull(sy - y0))
                sy = y1;
            else if (lnNull(ey - y0))
                ey = y1;
            ex = sx;
        } else {
            if (lnNull(sx - x0))
                sx = x1;
            else if (lnNull(ex - x0))
                ex = x1;
            ey = sy;
        }
        if (lnNull(nachY ? ey - sy : ex - sx))
            TzLoeschen(l.id);
        else
            lnSetzen(l.id, l, sx, sy, ex - sx, ey - sy, false);
    }
}
