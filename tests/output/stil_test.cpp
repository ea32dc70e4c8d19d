// Device style sets from a defaults-set fixture: the pen style table per
// paper section (definition, width and colour keys, colour names, two-colour
// pens, copies of style 1), the placement transform, "BlOri" and "Font", and
// the trace under the test letter 'I'.
#include "output/stil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/reaktion.h"
#include "config/vorgaben.h"
#include "output/farbe.h"
#include "support/basis.h"
#include "tests/output/stiltest.h"

namespace {

struct Stile : ::testing::Test {
    StOrdner ordner;
    void SetUp() override
    {
        std::filesystem::copy_file(stFixture("rgb.txt"), StOrdner::anwendung("rgb.txt"));
        RgbVergessen();
        VgbFehlMeldung(0);
        VgbSetSetzen("Stifttest", stFixture("Stil.vgb").c_str());
    }
    void TearDown() override
    {
        VgbFehlMeldung(1);
        RgbVergessen();
    }
};

bool operator==(const VISTIFT& a, const VISTIFT& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b && a.breite == b.breite && a.zweit == b.zweit &&
           a.r2 == b.r2 && a.g2 == b.g2 && a.b2 == b.b2;
}

std::string text(const VISTIFT& s)
{
    return std::to_string(s.r) + " " + std::to_string(s.g) + " " + std::to_string(s.b) + " w" +
           std::to_string(s.breite) + " z" + std::to_string(s.zweit) + " " + std::to_string(s.r2) + " " +
           std::to_string(s.g2) + " " + std::to_string(s.b2);
}

// A missing numbered key of the defaults set reads key 0 of its name, so
// the width and colour keys count where the definition is present and empty.
TEST_F(Stile, PenStylesOfThePrinterSection)
{
    StilLaden("DrA4");
    const VISTIFT erster{10, 20, 30, 2, 0, 0, 0, 0};
    struct Fall {
        int n;  // entry, pen style n + 1
        VISTIFT soll;
    } const faelle[] = {
        {0, erster},
        {1, erster},                          // no keys: like style 1
        {4, {0, 0, 0, 1, 0, 0, 0, 0}},
        {5, {255, 0, 0, 3, 0, 0, 0, 0}},      // style 6: red, 3 pixels
        {7, {0, 0, 255, 2, 0, 0, 0, 0}},      // empty definition: width and colour name
        {8, {0, 128, 0, 4, 0, 0, 0, 0}},      // empty definition: width and numbers
        {9, {255, 0, 0, 4, 1, 0, 0, 255}},    // two names: a two-colour pen
        {10, {128, 192, 255, 2, 1, 0, 0, 255}},
        {11, {0, 255, 0, 1, 0, 0, 0, 0}},     // width 0 is 1
        {12, {0, 0, 0, 1, 0, 0, 0, 0}},       // negative width, unknown name
        {13, {0, 0, 0, 5, 0, 0, 0, 0}},       // empty definition, width alone
        {14, {0, 0, 0, 6, 0, 0, 0, 0}},
        {39, erster},                         // style 40
        {98, erster},
    };
    for (const Fall& f : faelle) {
        VISTIFT s;
        StilHolen(f.n, &s);
        EXPECT_TRUE(s == f.soll) << f.n << ": " << text(s);
    }
    VISTIFT a, b;
    StilHolen(-5, &a);
    StilHolen(0, &b);
    EXPECT_TRUE(a == b);
    StilHolen(500, &a);
    StilHolen(98, &b);
    EXPECT_TRUE(a == b);

    EXPECT_EQ(StilBlattLage(), 2);
    char font[STILFONTSUP + 1];
    StilFont(font, sizeof font);
    EXPECT_STREQ(font, "Arial");

    // The prefix is off again: "BlOri" reads the unprefixed key.
    VgbOeffnen();
    EXPECT_EQ(VgbInt("BlOri"), 7);
    VgbSchliessen();
}

TEST_F(Stile, PlacementTransformOfTheSection)
{
    StilLaden("DrA4");
    double x = 1, y = 2;
    StilPunkt(&x, &y);  // x2, a quarter turn, then (10, -5)
    EXPECT_DOUBLE_EQ(x, 6.0);
    EXPECT_DOUBLE_EQ(y, -3.0);
    x = 1, y = 2;
    StilVektor(&x, &y);
    EXPECT_DOUBLE_EQ(x, -4.0);
    EXPECT_DOUBLE_EQ(y, 2.0);
    EXPECT_DOUBLE_EQ(StilMass(3), 6.0);
    EXPECT_DOUBLE_EQ(StilMassZurueck(6), 3.0);
    EXPECT_EQ(StilWinkel(3500), 800);
}

TEST_F(Stile, AnotherSectionReplacesTheSet)
{
    StilLaden("DrA4");
    StilLaden("PaA3");
    VISTIFT s;
    StilHolen(0, &s);  // style 1 without keys: width 1, black
    EXPECT_TRUE((s == VISTIFT{0, 0, 0, 1, 0, 0, 0, 0})) << text(s);
    StilHolen(1, &s);
    EXPECT_TRUE((s == VISTIFT{255, 255, 0, 1, 0, 0, 0, 0})) << text(s);
    StilHolen(5, &s);
    EXPECT_TRUE((s == VISTIFT{0, 0, 0, 1, 0, 0, 0, 0})) << text(s);
    EXPECT_EQ(StilBlattLage(), 0);
    char font[STILFONTSUP + 1];
    StilFont(font, sizeof font);
    EXPECT_EQ(std::string(font), std::string("Eine sehr lange Schriftbezeichnung ueber vierzig Zeichen").substr(0, 40));
    double x = 1, y = 2;
    StilPunkt(&x, &y);  // no placement keys: unchanged
    EXPECT_DOUBLE_EQ(x, 1.0);
    EXPECT_DOUBLE_EQ(y, 2.0);
}

std::string spur;
void spurMerken(const char* t) { spur += t; }

TEST_F(Stile, TraceUnderTestLetterI)
{
    const char* argumente[] = {"velmo", "-T=I"};
    plOrtArgumenteSetzen(2, argumente);
    TestOptionLesen();
    WiDebugSenke alt = wiDebugSenkeSetzen(spurMerken);
    spur.clear();
    StilLaden("DrA4");
    wiDebugSenkeSetzen(alt);
    const char* keine[] = {"velmo"};
    plOrtArgumenteSetzen(1, keine);
    TestOptionLesen();
    EXPECT_NE(spur.find("dr\n10 20 30 2\n10 20 30 2\n"), std::string::npos) << spur;
    EXPECT_NE(spur.find("\n255 0 0 3\n"), std::string::npos);
    EXPECT_EQ(spur.substr(spur.size() - 8), "\nArial\n\n");
}

}  // namespace
