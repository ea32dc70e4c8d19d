// Geometry: exact angles, rotation, tolerances, element points, snap
// points, text boxes, outlines and extents; the placement transform.
#include "model/geometri.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "model/befehl.h"
#include "model/justage.h"
#include "model/zustand.h"

namespace {

BEF rec(int code, std::vector<int> ints, std::vector<double> reals)
{
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(code);
    for (size_t i = 0; i < ints.size(); ++i) b.iarg[i] = ints[i];
    for (size_t i = 0; i < reals.size(); ++i) b.darg[i] = reals[i];
    return b;
}

STT zustand(double x = 0, double y = 0, double mass = 1, int richtung = 0)
{
    STT s;
    std::memset(&s, 0, sizeof s);
    s.mass = s.msf = mass;
    s.msm = 1;
    s.x = x;
    s.y = y;
    s.richtung = richtung;
    s.tg = 2;
    s.tv = 1;
    s.th = 1;
    return s;
}

TEST(Geometrie, AnglesComeFromTheTableAtWholeDegrees)
{
    EXPECT_EQ(SinZehntel(300), 0.5);
    EXPECT_EQ(CosZehntel(600), 0.5);
    EXPECT_EQ(CosZehntel(900), 0.0);
    EXPECT_EQ(SinZehntel(-900), -1.0);
    EXPECT_EQ(SinZehntel(3600 + 900), 1.0);
    EXPECT_EQ(SinZehntel(15), std::sin(15 * 3.141592653589793 / 1800));
    EXPECT_EQ(ISin(10, 300), 5);
    EXPECT_EQ(ISin(10, 2100), -5);
    EXPECT_EQ(ICos(7, 450), 4);

    struct Fall {
        double x, y;
        int winkel;
    } faelle[] = {{0, -5, 2700}, {-1, 0, 1800}, {0.05, 0.05, 0}, {1, 1, 450}, {-1, -1, 2250}, {3, 0, 0}};
    for (const Fall& f : faelle) {
        EXPECT_EQ(VektorWinkel(f.x, f.y), f.winkel) << f.x << " " << f.y;
    }
    EXPECT_EQ(WinkelSumme(3000, 900), 300);
    EXPECT_EQ(IstRechtwinklig(-900), 1);
    EXPECT_EQ(IstRechtwinklig(450), 0);
    EXPECT_EQ(Quadrant(-1, 0), 1);
    EXPECT_EQ(Quadrant(0, -1), 3);

    double x = 1, y = 0;
    Drehen(2700, &x, &y);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, -1.0);
    x = 0, y = 1;
    Drehen(1800, &x, &y);
    EXPECT_TRUE(std::signbit(x));  // -0.0 is kept
    EXPECT_EQ(y, -1.0);
    x = 2, y = 0;
    Drehen(300, &x, &y);
    EXPECT_EQ(y, 1.0);
}

TEST(Geometrie, TolerancesAndRounding)
{
    EXPECT_FALSE(IstNull(0.1));
    EXPECT_TRUE(IstNull(0.09));
    EXPECT_TRUE(IstNull(-0.09));
    EXPECT_EQ(VergleichTol(1.0, 1.1), -1);
    EXPECT_EQ(VergleichTol(1.0, 1.05), 0);
    GenauigkeitSetzen(3);
    EXPECT_EQ(Genauigkeit(), 3);
    EXPECT_DOUBLE_EQ(Runden(1.23456), 1.235);
    EXPECT_DOUBLE_EQ(Runden(-1.23456), -1.235);  // half away from zero
    EXPECT_DOUBLE_EQ(Runden(-0.0005), -0.001);
    EXPECT_TRUE(IstNull(0.0009));
    EXPECT_FALSE(IstNull(0.001));
    GenauigkeitSetzen(1);
    EXPECT_DOUBLE_EQ(Runden(2.25), 2.3);
    EXPECT_EQ(RundenAuf(2.5, 1), 2.0);  // "%.0f" rounds ties to even
    EXPECT_EQ(RundenAuf(1.26, 10), 1.3);
    EXPECT_EQ(Vorzeichen(0.0005), 0.0);
    EXPECT_EQ(Vorzeichen(-0.002), -1.0);
    EXPECT_TRUE(KleinerTol(1.00005, 1.0));
    EXPECT_FALSE(GroesserTol(0.9998, 1.0));
}

TEST(Geometrie, ElementPoints)
{
    GeoPunkt d[3];
    BEF dre = rec(63, {0, 0, 0}, {4, 10});
    DreEcken(&dre, d);
    EXPECT_EQ(d[0].x, 0.0);
    EXPECT_DOUBLE_EQ(d[1].x, -10);
    EXPECT_DOUBLE_EQ(d[1].y, -2);
    EXPECT_DOUBLE_EQ(d[2].x, -10);
    EXPECT_DOUBLE_EQ(d[2].y, 2);
    BEF pfeil = rec(63, {0, 900, 1}, {4, 10});
    DreEcken(&pfeil, d);
    EXPECT_NEAR(d[1].x, 4 * std::cos(2400 * M_PI / 1800), 1e-12);
    EXPECT_NEAR(d[2].y, 4 * std::sin(3000 * M_PI / 1800), 1e-12);

    GeoPunkt k[8];
    BEF kre = rec(67, {0, 900}, {10, 5});
    KreEcken(&kre, k);
    EXPECT_EQ(k[0].x, 0.0);
    EXPECT_EQ(k[0].y, 10.0);
    EXPECT_EQ(k[1].x, -5.0);

    GeoPunkt r[4] = {{9, 9}, {9, 9}, {9, 9}, {9, 9}};
    BEF grf = rec(69, {0, 0}, {5, 3});
    RtkEcken(&grf, r);
    EXPECT_EQ(r[1].x, 9.0);  // only RTK
    BEF rtk = rec(68, {0, 900}, {5, 3});
    RtkEcken(&rtk, r);
    EXPECT_EQ(r[0].x, 0.0);
    EXPECT_EQ(r[1].x, 0.0);
    EXPECT_EQ(r[1].y, 5.0);
    EXPECT_EQ(r[2].x, -3.0);

    double box[4];
    STT s = zustand(100, 50);
    TextRahmen(50, 4, 1, &s, box);  // left: 8 wide, 2 high
    EXPECT_EQ(std::vector<double>(box, box + 4), (std::vector<double>{100, 50, 108, 52}));
    TextRahmen(53, 4, 2, &s, box);  // centred both ways over two lines
    EXPECT_EQ(std::vector<double>(box, box + 4), (std::vector<double>{96, 47, 104, 53}));
    s.richtung = 900;
    TextRahmen(52, 4, 1, &s, box);
    EXPECT_EQ(std::vector<double>(box, box + 4), (std::vector<double>{98, 42, 100, 50}));
}

TEST(Geometrie, OutlinesHaveBoundsAndEndExactly)
{
    std::vector<GeoPunkt> b = BogenPunkte(0, 0, 10, 10, 0, 0, 3500, 100, 50);
    ASSERT_EQ(b.size(), 5u);
    int winkel[] = {3500, 3550, 3600, 3650, 3700};
    for (int i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(b[i].x, 10 * CosZehntel(winkel[i]));
        EXPECT_DOUBLE_EQ(b[i].y, 10 * SinZehntel(winkel[i]));
    }
    EXPECT_EQ(BogenPunkte(0, 0, 10, 10, 0, 1, 0, 900, 1000).size(), 4u);  // 900, 1900, 2900, 3600
    EXPECT_TRUE(BogenPunkte(0, 0, 10, 10, 0, 0, 0, 900, 0).empty());
    EXPECT_TRUE(BogenPunkte(0, 0, 0.05, 0.05, 0, 0, 0, 900, 10).empty());

    std::vector<GeoPunkt> e = EllipsePunkte(1, 2, 10, 5, 900, 900);
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].x, 1.0);   // (10, 0) turned a quarter, plus (1, 2)
    EXPECT_EQ(e[0].y, 12.0);
    EXPECT_TRUE(EllipsePunkte(0, 0, 10, 5, 0, 0).empty());
    EXPECT_TRUE(EllipsePunkte(0, 0, 10, 5, 0, -10).empty());
}

std::vector<GeoPunkt> fangPunkte;
void fangMerken(int art, double x, double y)
{
    if (art == 2) fangPunkte.push_back({x, y});
}

TEST(Geometrie, SnapPoints)
{
    struct Fall {
        BEF b;
        std::vector<GeoPunkt> punkte;
    } faelle[] = {
        {rec(40, {}, {10, 4}), {{10, 4}, {5, 2}}},
        {rec(64, {0, 900}, {10, 5}), {{10, 0}, {0, 5}, {10 * CosZehntel(450), 5 * SinZehntel(450)}}},
        {rec(64, {3500, 100}, {10, 10}), {{10 * CosZehntel(3500), 10 * SinZehntel(3500)},
                                          {10 * CosZehntel(100), 10 * SinZehntel(100)},
                                          {10, 0}, {10, 0}}},
        {rec(65, {0, 900, 0}, {10, 10}), {{-10, 0}, {0, 0}, {-10, 10}, {-10 + 10 * CosZehntel(450), 10 * SinZehntel(450)}}},
        {rec(68, {0, 0}, {4, 2}), {{4, 0}, {4, 2}, {0, 2}, {2, 1}, {2, 0}, {0, 1}, {4, 1}, {2, 2}}},
        {rec(92, {0}, {4, 2, 7, 8}), {{2, 1}, {4, 0}, {0, 2}, {4, 2}, {7, 8}}},
        {rec(15, {3}, {}), {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(BefName(f.b.code));
        fangPunkte.clear();
        BefFangpunkte(&f.b, fangMerken);
        ASSERT_EQ(fangPunkte.size(), f.punkte.size());
        for (size_t i = 0; i < f.punkte.size(); ++i) {
            EXPECT_NEAR(fangPunkte[i].x, f.punkte[i].x, 1e-12) << i;
            EXPECT_NEAR(fangPunkte[i].y, f.punkte[i].y, 1e-12) << i;
        }
    }
}

TEST(Geometrie, ExtentsStartAtThePositionAndEndAtTheNext)
{
    double box[4];
    STT nach;
    STT s = zustand(1, 2);
    BEF bw = rec(20, {}, {10, 5});  // draws nothing
    BefAusdehnungRoh(&bw, &s, box, &nach);
    EXPECT_EQ(std::vector<double>(box, box + 4), (std::vector<double>{0.5, 1.5, 11.5, 7.5}));
    EXPECT_EQ(nach.x, 11.0);
    BefAusdehnungGeo(&bw, &s, box, nullptr);
    EXPECT_EQ(std::vector<double>(box, box + 4), (std::vector<double>{1, 2, 11, 7}));

    STT d = zustand(0, 0, 2, 900);
    BEF rtk = rec(68, {0, 0}, {4, 2});
    BefAusdehnungEng(&rtk, &d, box, nullptr);
    EXPECT_EQ(std::vector<double>(box, box + 4), (std::vector<double>{-4, 0, 0, 8}));

    BEF tfa = rec(50, {}, {});
    BefTextSetzen(&tfa, "ABCD");
    BefAusdehnungEng(&tfa, &s, box, nullptr);
    EXPECT_EQ(std::vector<double>(box, box + 4), (std::vector<double>{1, 2, 9, 4}));
    BefAusdehnungGeo(&tfa, &s, box, nullptr);
    EXPECT_EQ(std::vector<double>(box, box + 4), (std::vector<double>{1, 2, 1, 2}));

    BEF unt = rec(95, {}, {3, -3});
    EXPECT_EQ(BefUntAusdehnung(&unt, &s, box, nullptr), 1);
    EXPECT_EQ(std::vector<double>(box, box + 4), (std::vector<double>{1, -1, 4, 2}));
    EXPECT_EQ(BefUntAusdehnung(&rtk, &s, box, nullptr), 0);
}

TEST(Geometrie, DefaultsOfNewElements)
{
    BEF zl = rec(40, {}, {});
    BefVorbelegen(&zl);
    EXPECT_EQ(zl.darg[1], -10.0);
    BEF zml = rec(96, {}, {});
    BefVorbelegen(&zml);
    EXPECT_EQ(zml.darg[0], 10.0);
    EXPECT_EQ(zml.iarg[0], 0);  // kind 0
    EXPECT_EQ(zml.iarg[1], 1);  // factor 1:1
    EXPECT_EQ(zml.iarg[2], 1);
    EXPECT_EQ(zml.iarg[3], 0);  // 0 decimals
    EXPECT_EQ(zml.iarg[7], 1);
    EXPECT_EQ(zml.darg[7], 0.0);  // overshoot 0
    BEF qvb = rec(92, {}, {});
    BefVorbelegen(&qvb);
    EXPECT_EQ(qvb.darg[3], -10.0);
}

TEST(Justage, TransformAndRectangles)
{
    JusTrafo t = {1, 10, 0, 2};
    double x = 1, y = 0;
    EXPECT_EQ(JusPunkt(&t, &x, &y), 1);
    EXPECT_EQ(x, 10.0);
    EXPECT_EQ(y, 2.0);
    JusTrafo drei = {3, 0, 0, 1};
    EXPECT_EQ(JusWinkel(&drei, 1000), 100);
    x = 1, y = 2;
    JusVektor(&drei, &x, &y);
    EXPECT_EQ(x, 2.0);
    EXPECT_EQ(y, -1.0);
    EXPECT_EQ(JusMassZurueck(&t, JusMass(&t, 3)), 3.0);

    double a[4] = {0, 0, 10, 10}, b[4] = {10, 5, 20, 6}, c[4] = {10.1, 0, 20, 1};
    EXPECT_EQ(RechteckUeberlappt(a, b), 1);
    EXPECT_EQ(RechteckUeberlappt(a, c), 0);
    RechteckVereinigen(a, c);
    EXPECT_EQ(std::vector<double>(a, a + 4), (std::vector<double>{0, 0, 20, 10}));
    EXPECT_EQ(Kollinear(0, 0, 10, 0, -5, 0.005), 1);
    EXPECT_EQ(Kollinear(0, 0, 10, 0, 5, 0.5), 0);
    EXPECT_EQ(LinienParameter(0, 0, 0, 10, 0, 5), 0.5);
    EXPECT_EQ(LinienParameter(0, 0, 4, 0, 1, 7), 0.25);
    EXPECT_EQ(LinienParameter(0, 0, 0.05, 0.05, 1, 1), 0.0);
}

}  // namespace
