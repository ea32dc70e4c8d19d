// Dash patterns: set-up of the seven line types for a term, the carried
// tenths, the largest gap on windows, the end-stroke lengths, and the
// walking of lines and polygons on pixels and in world units into a target
// that records what it is asked to draw.
#include "output/strich.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// The segments handed out for one period and a half (first period marked).
std::string folge(int typ, int term, int anzahl)
{
    StrichMuster(typ, term);
    std::string s;
    for (int i = 0; i < anzahl; ++i) {
        STRICHSEG seg;
        bool neu = StrichNaechstes(&seg);
        s += std::string(neu ? "|" : "") + seg.art + std::to_string(seg.laenge) + " ";
    }
    return s;
}

struct Muster : ::testing::Test {
    void SetUp() override
    {
        StrichUmgebung(0, 0);
        StrichMaxSetzen(0);
        StrichFarbModus(1);
    }
    void TearDown() override { StrichMaxSetzen(0); }
};

TEST_F(Muster, TheSevenLineTypesAtTermThousand)
{
    struct Fall {
        int typ;
        const char* folge;
    } const faelle[] = {
        {1, "|P0 A33 P0 A33 P0 A34 |P0 A33 P0 A33 P0 A34 "},
        {2, "|S50 A50 |S50 A50 "},
        {3, "|S70 A30 |S70 A30 "},
        {4, "|S80 A10 P0 A10 |S80 A10 P0 A10 "},
        {5, "|S70 A10 S10 A10 |S70 A10 S10 A10 "},
        {6, "|S50 A10 S10 A10 S10 A10 |S50 A10 S10 A10 S10 A10 "},
        {7, "|S100 |S100 "},
        {0, "|P0 A33 P0 A33 P0 A34 |P0 A33 P0 A33 P0 A34 "},  // clamped to 1
        {9, "|S100 |S100 "},          // clamped to 7
    };
    for (const Fall& f : faelle) {
        int n = 0;
        for (const char* p = f.folge; *p; ++p) n += *p == ' ';
        EXPECT_EQ(folge(f.typ, 1000, n), f.folge) << f.typ;
    }
    StrichMuster(4, 1000);
    EXPECT_TRUE(StrichHatStrich());
    EXPECT_TRUE(StrichHatLuecke());
    StrichMuster(7, 1000);
    EXPECT_FALSE(StrichHatLuecke());
    StrichMuster(1, 1000);
    EXPECT_FALSE(StrichHatStrich());
    EXPECT_EQ(StrichTerm(), 1000);
}

TEST_F(Muster, ShortTermsAndCarriedTenths)
{
    // Term 20: both segments 10 tenths, stepped as the minimum of 3.
    EXPECT_EQ(folge(2, 20, 2), "|S3 A3 ");
    // Term 125: 63 and 62 tenths; the tenths carry into every fourth step.
    EXPECT_EQ(folge(2, 125, 4), "|S6 A6 |S6 A7 ");
    // Term 0: strokes and gaps keep their minimum, a point stays 0.
    EXPECT_EQ(folge(4, 0, 4), "|S3 A3 P0 A3 ");
    // A restart begins a period and drops the carried tenths.
    StrichMuster(2, 125);
    STRICHSEG s;
    StrichNaechstes(&s);
    StrichAnfang();
    EXPECT_TRUE(StrichNaechstes(&s));
}

TEST_F(Muster, TheTypeAtTheIndexEndsWithZero)
{
    StrichMuster(4, 1000);
    StrichAnfang();
    std::string arten;
    for (int i = 0; i < STRICHSEGSUP && StrichArt() != 0; ++i) {
        arten += static_cast<char>(StrichArt());
        STRICHSEG s;
        StrichNaechstes(&s);
    }
    EXPECT_EQ(arten, "SAPA");
}

TEST_F(Muster, TheLargestGapLimitsDottedPatternsOnWindowsOnly)
{
    struct Fall {
        int max, fenster, typ;
        const char* folge;
    } const faelle[] = {
        {5, 1, 1, "|P0 A5 "},     // dotted on a window: the gap is capped
        {5, 0, 1, "|P0 A33 "},    // printer, bitmap, metafile: not
        {5, 1, 2, "|S50 A50 "},   // a pattern with strokes: not
        {0, 1, 1, "|P0 A33 "},    // 0: no limit
        {-4, 1, 1, "|P0 A33 "},   // below 0: no limit either
        {1, 1, 1, "|P0 A1 "},
    };
    for (const Fall& f : faelle) {
        StrichMaxSetzen(f.max);
        StrichUmgebung(0, f.fenster);
        EXPECT_EQ(folge(f.typ, 1000, 2), f.folge) << f.max << " " << f.fenster;
    }
}

TEST_F(Muster, EndStrokeLengths)
{
    struct Fall {
        int term, einheit, kappe;
        double welt;
    } const faelle[] = {
        {1000, 5000, 5, 0.25},    // min(500, 50) / 10
        {100, 100000, 5, 0.25},   // min(50, 1000) / 10
        {20, 100, 2, 0.005},      // at least 2 pixels
    };
    for (const Fall& f : faelle) {
        StrichMuster(2, f.term);
        StrichUmgebung(f.einheit, 1);
        EXPECT_EQ(StrichKappe(), f.kappe) << f.term;
        EXPECT_DOUBLE_EQ(StrichKappeWelt(), f.welt) << f.term;
    }
}

// ---- walking on pixels -----------------------------------------------------------

std::vector<std::string> aufrufe;

void bewegen(void*, int x, int y) { aufrufe.push_back("B" + std::to_string(x) + "," + std::to_string(y)); }
void ziehen(void*, int x, int y) { aufrufe.push_back("Z" + std::to_string(x) + "," + std::to_string(y)); }
void punkt(void*, int x, int y) { aufrufe.push_back("P" + std::to_string(x) + "," + std::to_string(y)); }
void farbe(void*, int n) { aufrufe.push_back("F" + std::to_string(n)); }

const STRICHZIEL ziel{bewegen, ziehen, punkt, farbe, nullptr};

std::string alle()
{
    std::string s;
    for (const std::string& a : aufrufe) s += a + " ";
    return s;
}

struct Pixel : Muster {
    void SetUp() override
    {
        Muster::SetUp();
        PixStrichZielSetzen(&ziel);
        StrichUmgebung(1000, 1);  // end strokes of 2 pixels
        aufrufe.clear();
    }
    void TearDown() override
    {
        PixStrichZielSetzen(nullptr);
        Muster::TearDown();
    }
};

TEST_F(Pixel, ADashedLineEndsWithAShortStrokeInEitherDirection)
{
    StrichMuster(2, 100);  // 5 pixels stroke, 5 gap
    PixStrichStrecke(0, 0, 30, 0);
    EXPECT_EQ(alle(), "B0,0 Z5,0 B10,0 Z15,0 B20,0 Z25,0 B30,0 B28,0 Z30,0 ");
    aufrufe.clear();
    PixStrichStrecke(30, 0, 0, 0);
    EXPECT_EQ(alle(), "B30,0 Z25,0 B20,0 Z15,0 B10,0 Z5,0 B0,0 B2,0 Z0,0 ");
}

TEST_F(Pixel, AnInterruptingWalkBetweenSaveAndRestoreLeavesNoTrace)
{
    // A dashed two-colour polyline in two pieces.
    auto erste = [] {
        StrichFarbModus(2);
        StrichMuster(5, 230);
        PixStrichStart(0, 0);
        PixStrichLinie(41, 7);
    };
    auto rest = [] {
        PixStrichLinie(90, -13);
        PixStrichEnde();
    };
    erste();
    rest();
    const std::string ohne = alle();
    // The same, with another walk of another pattern between the pieces;
    // its own calls are taken out before comparing.
    aufrufe.clear();
    erste();
    const long ersteAnzahl = static_cast<long>(aufrufe.size());
    StrichZustandSichern();
    StrichFarbModus(1);
    StrichMuster(1, 60);
    StrichUmgebung(40, 0);
    PixStrichStrecke(200, 200, 260, 230);
    const long stoerung = static_cast<long>(aufrufe.size());
    StrichZustandWieder();
    rest();
    aufrufe.erase(aufrufe.begin() + ersteAnzahl, aufrufe.begin() + stoerung);
    EXPECT_EQ(alle(), ohne);
    // A restore without a saved state changes nothing.
    StrichMuster(2, 100);
    StrichZustandWieder();
    EXPECT_EQ(StrichTerm(), 100);
}

TEST_F(Pixel, ASolidLineIsOneStroke)
{
    StrichMuster(7, 1000);
    PixStrichStrecke(0, 0, 30, 40);
    EXPECT_EQ(alle(), "B0,0 Z30,40 ");
    aufrufe.clear();
    PixStrichStrecke(5, 5, 5, 5);  // nothing to walk: the end stroke is a point
    EXPECT_EQ(alle(), "B5,5 B5,5 Z5,5 ");
}

TEST_F(Pixel, DiagonalStepsStayOnTheLine)
{
    StrichMuster(5, 200);  // 14, 3, 3, 3 pixels
    const int tx = 97, ty = -61;
    PixStrichStart(0, 0);
    PixStrichLinie(tx, ty);
    ASSERT_GT(aufrufe.size(), 8u);
    int letzteX = 0;
    for (size_t i = 1; i < aufrufe.size(); ++i) {
        int x = 0, y = 0;
        ASSERT_EQ(std::sscanf(aufrufe[i].c_str() + 1, "%d,%d", &x, &y), 2) << aufrufe[i];
        EXPECT_LE(std::fabs(y - static_cast<double>(x) * ty / tx), 0.5) << aufrufe[i];
        EXPECT_GE(x, letzteX) << aufrufe[i];
        letzteX = x;
    }
    EXPECT_EQ(aufrufe.back().substr(1), "97,-61");
}

TEST_F(Pixel, DottedLinesSetPointsAndAlwaysReachTheirEnd)
{
    struct Fall {
        int max, term;
        size_t punkte;
    } const faelle[] = {
        // The lead-in sets a dot at the start, the end one at the end.
        {0, 100, 11},  // 0 twice, then three dots every 10: 3, 6, 10, 13, ... 30
        {2, 100, 16},  // gaps of 2 pixels on a window: 0 twice, 2 .. 26, 30
        {0, 0, 11},    // term 0: the minimum gap of 3
    };
    for (const Fall& f : faelle) {
        aufrufe.clear();
        StrichMaxSetzen(f.max);
        StrichMuster(1, f.term);
        PixStrichStrecke(0, 0, 30, 0);
        size_t punkte = 0;
        for (const std::string& a : aufrufe) punkte += a[0] == 'P';
        EXPECT_EQ(punkte, f.punkte) << f.max << " " << f.term << ": " << alle();
        EXPECT_EQ(aufrufe.back(), "P30,0") << alle();
    }
}

TEST_F(Pixel, TwoColourPensBeginWithTheSecondColour)
{
    StrichFarbModus(2);
    StrichMuster(7, 100);  // periods of 10 pixels
    PixStrichStart(0, 0);
    PixStrichLinie(30, 0);
    EXPECT_EQ(alle(), "B0,0 F2 Z10,0 F1 Z20,0 F2 Z30,0 F1 ");
    aufrufe.clear();
    StrichFarbModus(1);  // a one-colour pen is never switched
    PixStrichStrecke(0, 0, 30, 0);
    EXPECT_EQ(alle().find('F'), std::string::npos);
}

TEST_F(Pixel, RectangleSidesEachGetALeadInAndAnEnd)
{
    StrichMuster(2, 100);
    const int x[] = {0, 7, 7, 0};
    const int y[] = {0, 0, 12, 12};
    PixStrichPolygon(x, y, 4);
    const std::string s = alle();
    // The first side ends in its stroke; the second begins in a gap: a
    // lead-in of 2 pixels, back to the corner, then on.
    EXPECT_EQ(s, "B0,0 Z7,0 Z7,2 B7,0 B7,5 Z7,12 Z5,12 B7,12 B0,12 B2,12 Z0,12 Z0,7 B0,0 B0,2 Z0,0 ");
}

// ---- walking in world units -------------------------------------------------------

std::vector<std::string> welt;

std::string zahl(double v)
{
    char t[32];
    std::snprintf(t, sizeof t, "%g", std::round(v * 1000) / 1000);
    return t;
}

void wLinie(void*, double x1, double y1, double x2, double y2)
{
    welt.push_back("L" + zahl(x1) + "," + zahl(y1) + "-" + zahl(x2) + "," + zahl(y2));
}
void wPunkt(void*, double x, double y) { welt.push_back("P" + zahl(x) + "," + zahl(y)); }
void wFarbe(void*, int n) { welt.push_back("F" + std::to_string(n)); }
void wSchalten(void*, int an) { welt.push_back("S" + std::to_string(an)); }
double wZehntel(void*, double l) { return l / 10; }  // pattern units are tenths of a world unit

const WELTSTRICHZIEL wZiel{wLinie, wPunkt, wFarbe, wSchalten, wZehntel, nullptr};

std::string weltAlle()
{
    std::string s;
    for (const std::string& a : welt) s += a + " ";
    return s;
}

struct Welt : Muster {
    void SetUp() override
    {
        Muster::SetUp();
        WeltStrichZielSetzen(&wZiel);
        StrichUmgebung(20000, 0);
        welt.clear();
    }
    void TearDown() override
    {
        WeltStrichZielSetzen(nullptr);
        Muster::TearDown();
    }
};

TEST_F(Welt, ATwoColourLineInWorldUnits)
{
    StrichFarbModus(2);
    StrichMuster(2, 500);  // 25 and 25 units: 2.5 and 2.5 world units
    WeltStrichStart(0, 0);
    WeltStrichAnfang(10, 0);
    WeltStrichLinie(10, 0);
    WeltStrichEnde();
    // Periods of 5 alternate the colours; the gap at the end gets an end
    // stroke of StrichKappeWelt = min(200, 250) / 200 = 1.
    EXPECT_EQ(weltAlle(), "F2 L0,0-2.5,0 F1 L5,0-7.5,0 F2 L9,0-10,0 ");
}

TEST_F(Welt, ALongDottedLineIsWalkedToItsEnd)
{
    StrichMuster(1, 0);  // gaps of the minimum 3 units: 0.3 world units
    WeltStrichStart(0, 0);
    WeltStrichAnfang(0, 3000);
    WeltStrichLinie(0, 3000);
    WeltStrichEnde();
    EXPECT_GT(welt.size(), 10000u);
    EXPECT_EQ(welt.back(), "P0,3000");
    for (const std::string& a : welt) ASSERT_EQ(a[0], 'P') << a;
}

TEST_F(Welt, ShortSolidEndsOfLinesWithGaps)
{
    StrichMuster(2, 1000);  // StrichKappeWelt = min(200, 500) / 200 = 1
    ASSERT_DOUBLE_EQ(StrichKappeWelt(), 1.0);
    WeltStrichKurz(0, 0, 3, 3);  // within 4 x 1: thirds at both ends
    EXPECT_EQ(weltAlle(), "S0 L0,0-1,1 L2,2-3,3 S1 ");
    welt.clear();
    WeltStrichKurz(0, 0, 10, -5);  // longer: 1 along x, y in proportion
    EXPECT_EQ(weltAlle(), "S0 L0,0-1,-0.5 L9,-4.5-10,-5 S1 ");
    welt.clear();
    StrichMuster(1, 1000);  // no strokes: half the length
    WeltStrichKurz(0, 0, 10, 0);
    EXPECT_EQ(weltAlle(), "S0 L0,0-0.5,0 L9.5,0-10,0 S1 ");
    welt.clear();
    StrichMuster(7, 1000);  // no gaps: nothing
    WeltStrichKurz(0, 0, 10, 0);
    EXPECT_TRUE(welt.empty());
}

}  // namespace
