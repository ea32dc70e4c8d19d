// Line gaps and attached lines on the real store.
#include "editor/linien.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/editor/eqtexttest.h"

namespace {

constexpr int UNT = 95;

using LinienTest = EqTextTest;

TEST_F(LinienTest, GapsOutOfALine)
{
    struct Fall {
        double x0, y0, x1, y1;
        std::vector<std::string> bleiben;
    } faelle[] = {
        {40, 0, 60, 0, {"0,0..40,0", "60,0..100,0"}},
        {60, 0, 40, 0, {"0,0..40,0", "60,0..100,0"}},
        {-5, 0, 30, 0, {"30,0..100,0"}},
        {70, 0, 105, 0, {"0,0..70,0"}},
        {-20, 0, -15, 0, {"0,0..100,0"}},
        {-20, 0, 120, 0, {"0,0..100,0"}},
        {40, 0.2, 60, 0, {"0,0..100,0"}},   // off the line
        // Within the slack of an end but off the line: not lengthened.
        {-8, 0, -2, 0, {"0,0..100,0"}},
        // Within the slack of both ends: no reversed stub.
        {-5, 0, 105, 0, {"0,0..100,0"}},
        {50, 0, 50, 0, {"0,0..100,0"}},
    };
    for (const Fall& f : faelle) {
        TzLeeren();
        linie(0, 0, 100, 0);
        LinienTrennen(f.x0, f.y0, f.x1, f.y1);
        EXPECT_EQ(strecken(), f.bleiben) << f.x0 << "," << f.y0 << " " << f.x1 << "," << f.y1;
    }
    // A scaled and turned line is cut in the drawing's units.
    TzLeeren();
    BEF b = tzRec(TZ_ZL, {5, 0});
    STT s = bei(10, 0);
    s.mass = s.msf = 2;
    s.richtung = 900;
    TzEinfuegen(&b, &s);
    LinienTrennen(10, 2, 10, 4);
    EXPECT_EQ(strecken(), (std::vector<std::string>{"10,0..10,2", "10,4..10,10"}));
}

// LinienTrennen looks only at the lines near the gap that can be cut:
// on many lines close to gaps of every direction (short ones, nearly in
// line, just off it, along x or y by a hair) it cuts exactly what cutting
// every line of the widened area one by one cuts, in the same order (the
// same ids for the same pieces).
TEST_F(LinienTest, GapsCutWhatCuttingEveryLineNearByCuts)
{
    unsigned zufall = 99;
    auto wuerfel = [&](double a, double b) {
        zufall = zufall * 1103515245u + 12345u;
        return a + (b - a) * ((zufall >> 8) % 100000) / 100000.0;
    };
    struct Satz {
        double x, y, dx, dy;
    };
    auto stand = [] {
        std::vector<std::string> v;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            BEF b;
            STT s;
            TzObjHolen(id, &b, &s);
            char t[128];
            std::snprintf(t, sizeof t, "%d %.17g %.17g %.17g %.17g", id, s.x, s.y, b.darg[0], b.darg[1]);
            v.push_back(t);
        }
        return v;
    };
    for (int fall = 0; fall < 24; ++fall) {
        // A gap along x, along y, slanted, or of a hair's length.
        const double x0 = wuerfel(50, 60), y0 = wuerfel(50, 60);
        const double w = fall % 4 == 3 ? wuerfel(0.05, 0.2) : wuerfel(1, 8);
        const double a = fall % 4 == 0 ? 0 : fall % 4 == 1 ? 1.5707963267948966 : wuerfel(0, 6.3);
        const double x1 = x0 + w * std::cos(a), y1 = y0 + w * std::sin(a);
        std::vector<Satz> saetze;
        for (int i = 0; i < 400; ++i) {
            // Lines on the gap's line or beside it, of any length from a
            // hair to beyond the widened area, now and then turned a little.
            // Lines barely longer than 0.1 pass as in line up to 1 off.
            const bool kurz = i % 11 == 0;
            const double t = wuerfel(-0.5, 1.5);
            const double neben = kurz ? wuerfel(-1.05, 1.05) : i % 3 == 0 ? 0 : wuerfel(-1.5, 1.5) * (i % 2 ? 1 : 0.01);
            const double sx = x0 + (x1 - x0) * t - std::sin(a) * neben, sy = y0 + (y1 - y0) * t + std::cos(a) * neben;
            const double l = kurz ? wuerfel(0.1, 0.11) : i % 5 == 0 ? wuerfel(0.05, 0.3) : wuerfel(0.3, 12);
            const double b = a + (i % 7 == 0 ? wuerfel(-0.05, 0.05) : 0) + (i % 2 ? 3.141592653589793 : 0);
            saetze.push_back({sx, sy, l * std::cos(b), l * std::sin(b)});
        }
        std::vector<std::string> ergebnis[2];
        for (int weise = 0; weise < 2; ++weise) {
            TzLeeren();
            for (const Satz& z : saetze) linie(z.x, z.y, z.dx, z.dy);
            auto trennen = [&](double a0, double b0, double a1, double b1) {
                if (weise == 0) {
                    LinienTrennen(a0, b0, a1, b1);
                    return;
                }
                struct Linie {
                    int id;
                    STT s;
                    BEF b;
                };
                std::vector<Linie> v;
                const double r[4] = {std::min(a0, a1) - 5, std::min(b0, b1) - 5, std::max(a0, a1) + 5,
                                     std::max(b0, b1) + 5};
                TzBereichDurchlaufen(
                    r, [&](int id, const STT* s, const BEF* b) { v.push_back({id, *s, *b}); }, TZ_ZL);
                for (const Linie& l : v) LochSchneiden(l.id, &l.s, &l.b, a0, b0, a1, b1);
            };
            trennen(x0, y0, x1, y1);
            // The store changed since: lines cut, some deleted, more drawn;
            // the same gap a little further on cuts again.
            for (int id = 0; id < 60; id += 7) TzLoeschen(id);
            for (size_t i = 0; i < saetze.size(); i += 9)
                linie(saetze[i].x + 0.5 * (x1 - x0), saetze[i].y + 0.5 * (y1 - y0), saetze[i].dx, saetze[i].dy);
            trennen(x0 + 0.5 * (x1 - x0), y0 + 0.5 * (y1 - y0), x1 + 0.5 * (x1 - x0), y1 + 0.5 * (y1 - y0));
            ergebnis[weise] = stand();
        }
        EXPECT_EQ(ergebnis[0], ergebnis[1]) << fall;
        EXPECT_GT(ergebnis[0].size(), saetze.size()) << fall;  // some were cut in two
    }
}

TEST_F(LinienTest, ABreakCutsTheHorizontalAndVerticalLinesItCrosses)
{
    linie(0, 0, 100, 0);
    linie(50, -20, 0, 40);
    linie(0, 30, 100, 0);   // outside the rectangle
    BEF unt = tzRec(UNT, {10, 10});
    STT s = bei(45, -5);
    UnterbrechungSetzen(&unt, &s);
    EXPECT_EQ(strecken(), (std::vector<std::string>{"0,0..45,0", "0,30..100,30", "50,-20..50,-5", "50,5..50,20",
                                                    "55,0..100,0"}));
    // Not at a multiple of 90 degrees, or of no length: nothing.
    const std::vector<std::string> vorher = strecken();
    s.richtung = 450;
    UnterbrechungSetzen(&unt, &s);
    BEF null = tzRec(UNT, {0.05, 0});
    STT t = bei(20, 0);
    UnterbrechungSetzen(&null, &t);
    EXPECT_EQ(strecken(), vorher);
}

TEST_F(LinienTest, AttachedLinesFollowAStraightMove)
{
    // A component's extent (40, 40)..(60, 50); lines end at its lower edge.
    const double box[4] = {40, 40, 60, 50};
    linie(45, 40, 0, -40);     // down from the edge: stretched
    linie(55, 30.05, 0, 9.95); // up to the edge: left 0.05 long, deleted
    linie(70, 40, 0, -10);     // outside the extent's x range
    linie(50, 40, 10, 0);      // horizontal
    const int obj = text(50, 45, "K");

    // A move in both directions is left alone.
    AnhangZuruecksetzen();
    AnhangVerschieben(obj, 0, 50, 40, 45, 30, box);
    AnhangVerschieben(obj, 1, 50, 40, 45, 30, box);
    const std::vector<std::string> vorher = strecken();
    EXPECT_EQ(vorher.size(), 4u);

    AnhangZuruecksetzen();
    AnhangVerschieben(obj, 0, 50, 40, 50, 30, box);
    AnhangVerschieben(obj, 1, 50, 40, 50, 30, box);
    EXPECT_EQ(strecken(), (std::vector<std::string>{"45,30..45,0", "50,40..60,40", "70,40..70,30"}));

    // Along x: a horizontal line ending at the left edge follows it.
    TzLeeren();
    linie(0, 45, 40, 0);
    const int k = text(50, 45, "K");
    AnhangZuruecksetzen();
    AnhangVerschieben(k, 0, 40, 45, 30, 45, box);
    AnhangVerschieben(k, 1, 40, 45, 30, 45, box);
    EXPECT_EQ(strecken(), (std::vector<std::string>{"0,45..30,45"}));

    // A further move without a reset in between: the first move's entry
    // was used up and does not turn the horizontal line.
    const double box2[4] = {30, 40, 50, 50};
    AnhangVerschieben(k, 0, 50, 45, 50, 50, box2);
    AnhangVerschieben(k, 1, 50, 45, 50, 50, box2);
    EXPECT_EQ(strecken(), (std::vector<std::string>{"0,45..30,45"}));
}

}  // namespace
