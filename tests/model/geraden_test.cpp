// Plane lines of the geometry: the perpendicular bisector and the meeting
// point of two lines, which together give the circle through three points;
// parallel lines have no meeting point.
#include <gtest/gtest.h>

#include <cmath>

#include "model/geometri.h"

namespace {

// Signed distance-like value of a point against a line.
double wert(const GeoGerade& g, GeoPunkt p) { return g.a * p.x + g.b * p.y + g.c; }

TEST(Geraden, TheBisectorHoldsEveryPointAsFarFromBothEnds)
{
    const GeoPunkt faelle[][2] = {{{0, 0}, {2, 0}}, {{1, 1}, {1, 5}}, {{-3, 2}, {4, -7}}, {{1e6, 1e6}, {1e6 + 1, 1e6}}};
    for (const auto& f : faelle) {
        GeoGerade g;
        Mittelsenkrechte(&g, f[0], f[1]);
        const GeoPunkt m = {(f[0].x + f[1].x) / 2, (f[0].y + f[1].y) / 2};
        EXPECT_NEAR(wert(g, m), 0, 1e-6);
        // m + (y1 - y2, x2 - x1) lies on it too: it is perpendicular.
        EXPECT_NEAR(wert(g, {m.x + f[0].y - f[1].y, m.y + f[1].x - f[0].x}), 0, 1e-6);
    }
}

TEST(Geraden, TwoBisectorsMeetInTheCircumcentre)
{
    struct Fall {
        GeoPunkt p[3];
        GeoPunkt mitte;
    } faelle[] = {
        {{{0, 0}, {1, -1}, {2, 0}}, {1, 0}},        // half circle of a bulge 1
        {{{5, 0}, {0, 5}, {-5, 0}}, {0, 0}},
        {{{10, 10}, {13, 14}, {10, 18}}, {53.0 / 6, 14}},
        {{{0, 0}, {2, 0}, {2, 2}}, {1, 1}},
    };
    for (const Fall& f : faelle) {
        GeoGerade g1, g2;
        Mittelsenkrechte(&g1, f.p[0], f.p[1]);
        Mittelsenkrechte(&g2, f.p[1], f.p[2]);
        GeoPunkt c = {-1, -1};
        ASSERT_EQ(GeradenSchnitt(&c, &g1, &g2), 0);
        EXPECT_NEAR(c.x, f.mitte.x, 1e-9);
        EXPECT_NEAR(c.y, f.mitte.y, 1e-9);
    }
}

TEST(Geraden, ParallelLinesHaveNoMeetingPoint)
{
    // Three points on one line, and two equal points: parallel or equal bisectors.
    const GeoPunkt faelle[][3] = {{{0, 0}, {1, 1}, {2, 2}}, {{3, 3}, {3, 3}, {5, 1}}, {{0, 0}, {1e-9, 0}, {2e-9, 0}}};
    for (const auto& f : faelle) {
        GeoGerade g1, g2;
        Mittelsenkrechte(&g1, f[0], f[1]);
        Mittelsenkrechte(&g2, f[1], f[2]);
        GeoPunkt c = {7, 8};
        EXPECT_EQ(GeradenSchnitt(&c, &g1, &g2), -1);
        EXPECT_EQ(c.x, 7);  // untouched
        EXPECT_EQ(c.y, 8);
    }
}

}  // namespace
