// Tests of the dimension lines: the settings, the points with the worked
// example, text direction and anchor, the offset setter, dragged handles at
// a scale and direction, and the expansion into primitives.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "config/vorgaben.h"
#include "model/befehl.h"
#include "model/dienste.h"
#include "model/geometri.h"
#include "model/masslin.h"
#include "model/zerleg.h"
#include "model/zustand.h"
#include "modelltest.h"

using namespace modh;  // the model's calls through its service tables

namespace {

BEF zml(std::vector<int> ints, std::vector<double> reals, const char* text = "")
{
    BEF b{};
    b.code = 96;
    for (size_t i = 0; i < ints.size(); ++i) b.iarg[i] = ints[i];
    for (size_t i = 0; i < reals.size(); ++i) b.darg[i] = reals[i];
    BefTextSetzen(&b, text);
    return b;
}

STT zustand(double x, double y, double mass = 1, int richtung = 0)
{
    STT s{};
    s.mass = s.msf = mass;
    s.msm = 1;
    s.richtung = richtung;
    s.layer = 1;
    s.x = x;
    s.y = y;
    s.st = 1;
    s.tg = 2.5;
    return s;
}

struct Teil {
    int code;
    int i0, i1;
    double x, y;     // state position
    double d0, d1;
    int st, tr;
    double tg;
    std::string text;
};
std::vector<Teil> teile;

int sammeln(const BEF* b, const STT* s)
{
    teile.push_back({b->code, b->iarg[0], b->iarg[1], s->x, s->y, b->darg[0], b->darg[1], s->st, s->tr, s->tg, b->text});
    return 0;
}

double ziehPunktX = 1e9, ziehPunktY = 1e9;
void startXY(double x, double y)
{
    ziehPunktX = x;
    ziehPunktY = y;
}

struct Mass : ::testing::Test {
    void SetUp() override
    {
        VgbFehlMeldung(0);
        VgbSetSetzen("Masslinien", mtFixture("Mass.vgb").c_str());
        MassEinstLesen(nullptr);
        teile.clear();
        GenauigkeitSetzen(3);
    }
    void TearDown() override
    {
        VgbFehlMeldung(1);
        ModDiensteStandard();
        GenauigkeitSetzen(1);
        MassEinstStandard();
    }
    static void punkt(const BEF& b, const STT* s, int k, double x, double y)
    {
        double px, py;
        MassPunkt(&b, s, k, &px, &py);
        EXPECT_NEAR(px, x, 1e-9) << "point " << k;
        EXPECT_NEAR(py, y, 1e-9) << "point " << k;
    }
};

TEST_F(Mass, SettingsFromTheDefaultsSet)
{
    const MASSEINST* m = MassEinst();
    EXPECT_EQ(m->pfeil, 3.0);
    EXPECT_EQ(m->ueberstand, 2.0);
    EXPECT_EQ(m->punktradius, 1.5);
    EXPECT_EQ(m->fakp, 1);  // a first part of 0 becomes 1
    EXPECT_EQ(m->fakq, 4);
    EXPECT_EQ(m->nk, 2);
    EXPECT_EQ(m->pfl, 1);
    EXPECT_EQ(m->flab, 1.0);
    EXPECT_EQ(m->txab, 2.5);
    EXPECT_EQ(m->tg, 35);
    EXPECT_EQ(m->st, 7);
    VgbOeffnen();
    VgbSetzen("EdmlFAK", "3");
    MASSEINST ohne{};
    MassEinstLesen(&ohne);
    VgbSchliessen();
    EXPECT_EQ(ohne.fakp, 1);  // without ':' 1:1
    EXPECT_EQ(ohne.fakq, 1);
}

TEST_F(Mass, PointsOfTheWorkedExample)
{
    BEF b = zml({1}, {100, 0, 10, 0, 4, 0, 6, 7});
    b.iarg[4] = b.iarg[7] = 1;
    struct Fall {
        int k;
        double x, y;
    } faelle[] = {
        {0, 0, -10}, {1, 100, -10}, {2, 50, -7.5}, {3, 50, -10}, {4, 0, -6},  {5, 0, -10},
        {6, 100, -10}, {7, 100, -17}, {8, 3, -10}, {9, 97, -10}, {10, 1.5, 3},
    };
    for (const Fall& f : faelle) punkt(b, nullptr, f.k, f.x, f.y);
    // A text shifted beyond the end draws the line out to it.
    BEF weit = zml({1}, {100, 0, 0, 70});
    punkt(weit, nullptr, 9, 120, 0);
    punkt(weit, nullptr, 2, 120, 2.5);
}

TEST_F(Mass, ExpansionOfTheWorkedExample)
{
    BEF b = zml({1}, {100, 0, 10}, "100");
    STT s = zustand(5, 5);
    BefZerlegen(&b, &s, sammeln);
    ASSERT_EQ(teile.size(), 5u);
    EXPECT_EQ(teile[0].code, 96);
    EXPECT_EQ(teile[1].code, BEF_ZL);  // the dimension line from (3, -10)
    EXPECT_EQ(teile[1].x, 8.0);
    EXPECT_EQ(teile[1].y, -5.0);
    EXPECT_EQ(teile[1].d0, 94.0);
    EXPECT_EQ(teile[1].d1, 0.0);
    EXPECT_EQ(teile[2].code, 63);  // arrow head at point 0
    EXPECT_EQ(teile[2].i0, 1);
    EXPECT_EQ(teile[2].i1, 1800);
    EXPECT_EQ(teile[2].x, 5.0);
    EXPECT_EQ(teile[2].y, -5.0);
    EXPECT_EQ(teile[2].d0, 1.5);
    EXPECT_EQ(teile[3].code, 63);  // and at point 1
    EXPECT_EQ(teile[3].i1, 0);
    EXPECT_EQ(teile[3].x, 105.0);
    EXPECT_EQ(teile[4].code, 51);  // text in the middle
    EXPECT_EQ(teile[4].text, "100");
    EXPECT_EQ(teile[4].tg, 3.5);
    EXPECT_EQ(s.x, 105.0);  // the caller's state moves by v only
    EXPECT_EQ(s.y, 5.0);
    EXPECT_EQ(s.st, 1);
}

TEST_F(Mass, EndKindsAndExtensionLines)
{
    struct Fall {
        int art;
        std::vector<int> codes;
    } faelle[] = {
        {0, {96, 40, 40, 51}},
        {3, {96, 40, 40, 63, 63, 51}},
        {6, {96, 40, 40, 67, 67, 51}},
    };
    for (const Fall& f : faelle) {
        teile.clear();
        BEF b = zml({f.art, 1, 1, 0, 1, 0, 0, 0}, {40, 0, 5, 0, 4, 0, 0, 0}, "40");
        STT s = zustand(0, 0);
        BefZerlegen(&b, &s, sammeln);
        std::vector<int> codes;
        for (const Teil& t : teile) codes.push_back(t.code);
        EXPECT_EQ(codes, f.codes) << f.art;
        EXPECT_EQ(teile[2].st, 7) << "extension line pen";
        if (f.art == 3) {
            EXPECT_EQ(teile[3].i1, 0) << "outside arrows turn";
        }
        if (f.art == 6) {
            EXPECT_EQ(teile[3].i0, 0);
        }
    }
}

TEST_F(Mass, ZeroVectorAndTextAnchor)
{
    BEF b = zml({1}, {0, 0, 10, 5}, "x");
    for (int k = 0; k < 10; ++k) punkt(b, nullptr, k, 0, 0);
    EXPECT_EQ(MassTextArt(&b, nullptr), 0);  // TFA
    b.darg[3] = 0;
    EXPECT_EQ(MassTextArt(&b, nullptr), 1);  // TFM
    EXPECT_EQ(MassTextRichtung(&b, nullptr), 0);

    struct Fall {
        double vx, d3;
        int richtung, tr, art;
    } faelle[] = {
        {100, 5, 0, 0, 2},
        {100, -5, 0, 0, 0},
        {-100, 5, 0, 0, 0},  // pointing left: text turned to 0
        {-100, -5, 0, 0, 2},
        {100, 5, 1800, 0, 0},
    };
    for (const Fall& f : faelle) {
        BEF c = zml({1}, {f.vx, 0, 0, f.d3});
        STT s = zustand(0, 0, 1, f.richtung);
        EXPECT_EQ(MassTextRichtung(&c, &s), f.tr) << f.vx << " " << f.d3;
        EXPECT_EQ(MassTextArt(&c, &s), f.art) << f.vx << " " << f.d3;
    }
    BEF links = zml({1}, {-100, 0, 0, 0});
    punkt(links, nullptr, 2, -50, 2.5);  // the text normal is negated
}

TEST_F(Mass, TextUnderADirectionTurnsOnce)
{
    BEF b = zml({0}, {100, 0, 0, 0}, "t");
    STT s = zustand(0, 0, 1, 900);
    BefZerlegen(&b, &s, sammeln);
    ASSERT_EQ(teile.back().code, 51);
    EXPECT_EQ(teile.back().tr, 0);  // 900 + 0 when drawn
}

TEST_F(Mass, OffsetSetter)
{
    BEF b = zml({0}, {10, 0});
    MassAbstandSetzen(&b, -5);
    EXPECT_EQ(b.darg[2], -5.0);
    EXPECT_EQ(b.darg[5], 4.0);
    EXPECT_EQ(b.darg[7], 4.0);
    EXPECT_EQ(b.darg[4], 2.0);
    EXPECT_EQ(b.darg[6], 2.0);
    MassAbstandSetzen(&b, 6);
    EXPECT_EQ(b.darg[4], 5.0);
    EXPECT_EQ(b.darg[5], 2.0);
    MassAbstandSetzen(&b, 0);
    EXPECT_EQ(b.darg[2], 0.0);
    EXPECT_EQ(b.darg[4], 5.0);
}

// A handle dragged to the drawing position of a point lands there, at
// every scale and direction.
TEST_F(Mass, DraggedHandlesFollowThePointer)
{
    ModDienste d{};
    d.BaubfStartXY = startXY;
    ModDiensteSetzen(d);
    struct Fall {
        double mass;
        int richtung;
    } faelle[] = {{1, 0}, {2, 900}, {0.5, 300}};
    for (const Fall& f : faelle) {
        for (int k : {2, 3, 4, 5, 6, 7}) {
            BEF b = zml({1, 1, 1, 0, 1, 1, 1, 1}, {40, 0, 5, 0, 3, 3, 3, 3});
            STT s = zustand(10, 20, f.mass, f.richtung);
            // Where the pointer is: point k of a target record, in drawing units.
            BEF ziel = b;
            if (k == 2) MassAbstandSetzen(&ziel, 8);
            if (k == 3) ziel.darg[3] = 6;
            if (k >= 4) ziel.darg[k] = 9;
            // Handle 2 puts the dimension line through the pointer.
            double x, y;
            MassPunkt(&ziel, &s, k == 2 ? 3 : k, &x, &y);
            Drehen(f.richtung, &x, &y);
            MassGriffZiehen(&b, &s, k, x * f.mass, y * f.mass);
            EXPECT_TRUE(BefGleich(&b, &ziel)) << f.mass << " " << f.richtung << " k" << k;
        }
        // Handle 1 sets the measured vector.
        BEF b = zml({1}, {40, 0, 5});
        STT s = zustand(10, 20, f.mass, f.richtung);
        double x = 30, y = 12;
        Drehen(f.richtung, &x, &y);
        MassGriffZiehen(&b, &s, 1, x * f.mass, y * f.mass);
        EXPECT_NEAR(b.darg[0], 30, 1e-9);
        EXPECT_NEAR(b.darg[1], 12, 1e-9);
    }
    // Handle 8 turns about the middle: the middle stays where it was.
    BEF b = zml({0}, {40, 0});
    STT s = zustand(10, 20, 2, 900);
    MassGriffZiehen(&b, &s, 8, 0, 0);  // pointer at the middle's left side
    double mx = ziehPunktX, my = ziehPunktY;
    double hx = b.darg[0] / 2 * 2, hy = b.darg[1] / 2 * 2;
    Drehen(900, &hx, &hy);
    EXPECT_NEAR(mx + hx, 10 + 0, 1e-9);
    EXPECT_NEAR(my + hy, 20 + 40, 1e-9);
}

}  // namespace
