// The line through two points and the work matrix of Gauss-Jordan
// elimination: systems solved with row swaps, the meeting point of two
// lines, a zero pivot for parallel lines, and the bounds of the matrix.
#include "model/gleichung.h"

#include <gtest/gtest.h>

namespace {

double wert(const GeoGerade& g, GeoPunkt p) { return g.a * p.x + g.b * p.y + g.c; }

TEST(Gleichung, TheLineHoldsBothPoints)
{
    const GeoPunkt faelle[][2] = {{{0, 0}, {2, 0}}, {{1, 1}, {1, 5}}, {{-3, 2}, {4, -7}}};
    for (const auto& f : faelle) {
        GeoGerade g;
        GeradeDurchPunkte(&g, f[0], f[1]);
        EXPECT_EQ(wert(g, f[0]), 0);
        EXPECT_EQ(wert(g, f[1]), 0);
        EXPECT_NE(wert(g, {f[0].x + f[1].y - f[0].y, f[0].y - f[1].x + f[0].x}), 0) << "not every point";
    }
}

// Meeting point of two lines through the matrix, as the circle through
// three points takes it: row i = (c, a, b).
int schnitt(const GeoGerade& l1, const GeoGerade& l2, GeoPunkt* p)
{
    MatrixAnlegen(5);
    const GeoGerade* l[] = {&l1, &l2};
    for (int i = 0; i < 2; ++i) {
        MatrixAddieren(i + 1, 0, l[i]->c);
        MatrixAddieren(i + 1, 1, l[i]->a);
        MatrixAddieren(i + 1, 2, l[i]->b);
    }
    const int r = MatrixLoesen();
    *p = {MatrixWert(1), MatrixWert(2)};
    MatrixFreigeben();
    return r;
}

TEST(Gleichung, TwoBisectorsMeetInTheCircumcentreAndParallelLinesNot)
{
    GeoGerade g1, g2;
    Mittelsenkrechte(&g1, {0, 0}, {2, 0});
    Mittelsenkrechte(&g2, {2, 0}, {2, 2});
    GeoPunkt p;
    ASSERT_EQ(schnitt(g1, g2, &p), 0);
    EXPECT_NEAR(p.x, 1, 1e-12);
    EXPECT_NEAR(p.y, 1, 1e-12);
    // The first line has no x term: the rows are swapped.
    GeradeDurchPunkte(&g1, {0, 3}, {5, 3});
    GeradeDurchPunkte(&g2, {1, 0}, {2, 1});
    ASSERT_EQ(schnitt(g1, g2, &p), 0);
    EXPECT_NEAR(p.x, 4, 1e-12);
    EXPECT_NEAR(p.y, 3, 1e-12);
    GeradeDurchPunkte(&g1, {0, 0}, {1, 1});
    GeradeDurchPunkte(&g2, {0, 1}, {1, 2});
    EXPECT_EQ(schnitt(g1, g2, &p), -1) << "parallel lines give no point";
    GeoPunkt q;
    EXPECT_EQ(GeradenSchnitt(&q, &g1, &g2), -1);
}

TEST(Gleichung, AThreeByThreeSystem)
{
    // x + y + z = 6, 2y + 5z = -4, 2x + 5y - z = 27: (5, 3, -2).
    const double zeilen[3][4] = {{-6, 1, 1, 1}, {4, 0, 2, 5}, {-27, 2, 5, -1}};
    ASSERT_EQ(MatrixAnlegen(3), 0);
    for (int i = 0; i < 3; ++i)
        for (int s = 0; s < 4; ++s) ASSERT_EQ(MatrixAddieren(i + 1, s, zeilen[i][s]), 0);
    EXPECT_EQ(MatrixZeilen(), 4);
    ASSERT_EQ(MatrixLoesen(), 0);
    EXPECT_NEAR(MatrixWert(1), 5, 1e-12);
    EXPECT_NEAR(MatrixWert(2), 3, 1e-12);
    EXPECT_NEAR(MatrixWert(3), -2, 1e-12);
    MatrixFreigeben();
}

TEST(Gleichung, TheMatrixKeepsToItsSide)
{
    struct Fall {
        int n, seite;
    } faelle[] = {{0, 50}, {1, 2}, {5, 6}, {49, 50}, {80, 50}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.n);
        ASSERT_EQ(MatrixAnlegen(f.n), 0);
        EXPECT_EQ(MatrixAddieren(f.seite - 1, f.seite - 1, 2), 0);
        EXPECT_EQ(MatrixAddieren(f.seite, 0, 1), -1);
        EXPECT_EQ(MatrixAddieren(0, f.seite, 1), -1);
        EXPECT_EQ(MatrixAddieren(-1, 0, 1), -1);
        EXPECT_EQ(MatrixWert(f.seite), 0.0);
        EXPECT_EQ(MatrixWert(-1), 0.0);
        EXPECT_EQ(MatrixZeilen(), f.seite);
    }
    // Adding adds; a new matrix starts at zero.
    MatrixAnlegen(2);
    MatrixAddieren(1, 0, 1.5);
    MatrixAddieren(1, 0, 2);
    EXPECT_EQ(MatrixWert(1), 3.5);
    MatrixAnlegen(2);
    EXPECT_EQ(MatrixWert(1), 0.0);
    EXPECT_EQ(MatrixAnlegen(-1), -1);
    EXPECT_EQ(MatrixAddieren(0, 0, 1), -1) << "no matrix";
    EXPECT_EQ(MatrixLoesen(), -1);
    MatrixFreigeben();
}

}  // namespace
