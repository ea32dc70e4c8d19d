// Tests of the drawing layer (output/gdi): the mapping's truncations and
// refusals, targets (bitmap, WMF, EMF, one at a time), the pen's clamps and
// colour override, the polygon cap, arcs and ellipses, texts measured by
// their ink, rubber bands, and goldens of line types, arcs and the sheet
// frame in tests/data/output/gdi.
#include "output/gdi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "model/einstell.h"
#include "output/schrift.h"
#include "platform/globalmem.h"
#include "platform/metafile.h"
#include "tests/output/gdigold.h"
#include "tests/output/stiltest.h"

namespace {

const COLORREF WEISS = RGB(255, 255, 255), ROT = RGB(255, 0, 0), BLAU = RGB(0, 0, 255);

VISTIFT stift(int r, int g, int b, int breite = 1)
{
    VISTIFT s{};
    s.r = r, s.g = g, s.b = b, s.breite = breite;
    return s;
}

// A bitmap target of w x h pixels showing world 0..w/2 x 0..h/2 (2 pixels
// per unit, y up); ended (and its pixels read) by `ende`.
struct Bitmap {
    int w, h;
    Bitmap(int w_ = 200, int h_ = 120, const int* grund = nullptr) : w(w_), h(h_)
    {
        EXPECT_EQ(GdiBitmapBeginn(w, h, grund), 0);
        EXPECT_EQ(AbbildungSetzenFrei(0, 0, w / 2.0, h / 2.0, w, h, 0, 0, 100, 50, 50), 0);
    }
    GdiBildPixel ende()
    {
        HBITMAP bm = GdiBitmapEnde();
        GdiBildPixel p = gdiBildLesen(bm);
        DeleteObject(bm);
        return p;
    }
    ~Bitmap()
    {
        if (GdiZielArt() == GDI_BITMAP) DeleteObject(GdiBitmapEnde());
    }
};

// Term and unit the renderer passes for a dash length in world units.
void stiftMitMuster(const VISTIFT& s, int typ, double laenge)
{
    GdiStiftSetzen(&s, typ, WeltZuPixelLaenge(10 * laenge));
    GdiStrichEinheit(WeltZuPixelLaenge(1000));
}

// ---- Mapping -----------------------------------------------------------------------------------

TEST(GdiAbbildung, SheetsOntoPixels)
{
    // Aspect kept: the x range widens to the sheet's height.
    ASSERT_EQ(AbbildungSetzenProp(0, 0, 210, 297, 420, 420, 0, 0, 100, 50, 50), 0);
    const GDIABBILDUNG* a = Abbildung();
    EXPECT_DOUBLE_EQ(a->x1 - a->x0, 297);
    EXPECT_DOUBLE_EQ(a->x0, 105 - 148.5);
    EXPECT_DOUBLE_EQ(a->sx, a->sy);
    EXPECT_DOUBLE_EQ(a->sx, 420 / 297.0);

    // Stretched, zoom 200 about 25 % / 25 %: the lower left quarter.
    ASSERT_EQ(AbbildungSetzenFrei(0, 0, 210, 297, 400, 300, 10, 20, 200, 25, 25), 0);
    double r[4];
    WeltFensterHolen(r);
    EXPECT_DOUBLE_EQ(r[0], 0);
    EXPECT_DOUBLE_EQ(r[1], 0);
    EXPECT_DOUBLE_EQ(r[2], 105);
    EXPECT_DOUBLE_EQ(r[3], 148.5);
    EXPECT_EQ(WeltZuPixelX(0), 10);         // X0 -> ox
    EXPECT_EQ(WeltZuPixelY(0), 300 + 20);   // Y0 -> h + oy
    EXPECT_EQ(WeltZuPixelX(105), 410);
    EXPECT_EQ(WeltZuPixelY(148.5), 20);
    EXPECT_DOUBLE_EQ(PixelZuWeltX(410), 105);
    EXPECT_DOUBLE_EQ(PixelZuWeltY(20), 148.5);
    EXPECT_TRUE(WeltPunktSichtbar(105, 148.5));
    EXPECT_FALSE(WeltPunktSichtbar(105.1, 0));
}

TEST(GdiAbbildung, LengthsTruncateInXAndRoundInY)
{
    ASSERT_EQ(AbbildungSetzenFrei(0, 0, 100, 100, 100, 100, 0, 0, 100, 50, 50), 0);
    struct Fall {
        double l;
        int x, y;
    } const faelle[] = {{1.99, 1, -2}, {2.5, 2, -3}, {-1.6, -1, 1}, {0.4, 0, 0}};
    for (const Fall& f : faelle) {
        EXPECT_EQ(WeltZuPixelLaenge(f.l), f.x) << f.l;
        EXPECT_EQ(WeltZuPixelHoehe(f.l), f.y) << f.l;
    }
    EXPECT_DOUBLE_EQ(PixelZuWeltHoehe(3), -3);
    // A point far off the sheet does not overflow the conversion.
    EXPECT_LT(WeltZuPixelX(-1e300), -1000000);
    EXPECT_GT(WeltZuPixelY(-1e300), 1000000);
    EXPECT_TRUE(PixelNahe(-100, 199));
    EXPECT_FALSE(PixelNahe(-101, 0));
}

TEST(GdiAbbildung, RefusedRequestsLeaveTheMapping)
{
    ASSERT_EQ(AbbildungSetzenFrei(0, 0, 210, 297, 420, 594, 0, 0, 100, 50, 50), 0);
    const GDIABBILDUNG vorher = *Abbildung();
    struct Fall {
        const char* was;
        double x0, y0, x1, y1;
        int w, h;
        double zoom;
    } const faelle[] = {
        {"equal x corners", 10, 0, 10, 297, 420, 594, 100},
        {"equal y corners", 0, 5, 210, 5, 420, 594, 100},
        {"zero width", 0, 0, 210, 297, 0, 594, 100},
        {"zero height", 0, 0, 210, 297, 420, 0, 100},
        {"zoom 0", 0, 0, 210, 297, 420, 594, 0},
    };
    for (const Fall& f : faelle) {
        for (int prop = 0; prop < 2; ++prop) {
            EXPECT_EQ(AbbildungSetzen(prop, f.x0, f.y0, f.x1, f.y1, f.w, f.h, 0, 0, f.zoom, 50, 50), -1) << f.was;
            EXPECT_EQ(std::memcmp(Abbildung(), &vorher, sizeof vorher), 0) << f.was;
        }
    }
    // One saved level.
    AbbildungSichern();
    ASSERT_EQ(AbbildungSetzenFrei(0, 0, 1, 1, 10, 10, 0, 0, 100, 50, 50), 0);
    AbbildungWieder();
    EXPECT_EQ(std::memcmp(Abbildung(), &vorher, sizeof vorher), 0);
}

// ---- Targets and pen -------------------------------------------------------------------------

TEST(GdiZiel, OneTargetAtATime)
{
    EXPECT_EQ(GdiZielArt(), GDI_KEIN);
    EXPECT_EQ(GdiDC(), 0u);
    {
        Bitmap b(20, 20);
        EXPECT_EQ(GdiZielArt(), GDI_BITMAP);
        EXPECT_NE(GdiDC(), 0u);
        EXPECT_EQ(GdiWmfBeginn(10, 10), -1);
        EXPECT_EQ(GdiEmfBeginn(nullptr, 0, 10, 0, 10), -1);
        EXPECT_EQ(GdiBitmapBeginn(5, 5, nullptr), -1);
        GdiFensterEnde();  // not a window: ignored
        EXPECT_EQ(GdiZielArt(), GDI_BITMAP);
        // Before any pen nothing is drawn.
        GdiLinie(0, 5, 10, 5);
        GdiRechteckGefuellt(0, 0, 10, 10);
        GdiPunkt(5, 5);
        EXPECT_EQ(b.ende().anzahl(WEISS), 400);
    }
    EXPECT_EQ(GdiZielArt(), GDI_KEIN);
    EXPECT_EQ(GdiBitmapEnde(), 0u);
}

TEST(GdiZiel, MetafileTargets)
{
    ASSERT_EQ(GdiWmfBeginn(100, 50), 0);
    AbbildungSetzenFrei(0, 0, 100, 50, 100, 50, 0, 0, 100, 50, 50);
    VISTIFT s = stift(255, 0, 0);
    GdiStiftSetzen(&s, 7, 100);
    GdiLinie(0, 0, 100, 50);
    HGLOBAL block = GdiWmfEnde();
    ASSERT_NE(block, 0u);
    std::vector<BYTE> bits(GlobalSize(block));
    std::memcpy(bits.data(), GlobalLock(block), bits.size());
    GlobalUnlock(block);
    GlobalFree(block);
    HMETAFILE mf = SetMetaFileBitsEx(static_cast<UINT>(bits.size()), bits.data());
    EXPECT_NE(mf, 0u) << "the block holds a readable metafile";
    DeleteMetaFile(mf);

    ASSERT_EQ(GdiEmfBeginn(nullptr, 1.5, 210.257, 2, 297.999), 0);
    HENHMETAFILE emf = GdiEmfEnde();
    ASSERT_NE(emf, 0u);
    ENHMETAHEADER kopf{};
    GetEnhMetaFileHeader(emf, sizeof kopf, &kopf);
    EXPECT_EQ(kopf.rclFrame.left, 150);
    EXPECT_EQ(kopf.rclFrame.top, 200);
    EXPECT_EQ(kopf.rclFrame.right, 21025);
    EXPECT_EQ(kopf.rclFrame.bottom, 29799);
    GdiEmfLoeschen(emf);
}

TEST(GdiStift, WidthTypeAndColourClamps)
{
    Bitmap b(20, 20);
    struct Fall {
        int breite, typ, zweit;
        int sollBreite, sollTyp;
    } const faelle[] = {
        {150, 3, 0, 100, 3}, {0, 0, 0, 1, 1}, {99, 8, 0, 99, 7}, {100, 7, 0, 100, 7}, {-4, -2, 0, 1, 1},
        {2, 7, 1, 2, 8},  // a two-colour solid pen
        {2, 3, 1, 2, 3},
    };
    for (const Fall& f : faelle) {
        VISTIFT s = stift(255, 0, 0, f.breite);
        s.zweit = f.zweit;
        s.b2 = 255;
        GdiStiftSetzen(&s, f.typ, 100);
        EXPECT_EQ(GdiStiftBreite(), f.sollBreite) << f.breite;
        EXPECT_EQ(GdiStiftTyp(), f.sollTyp) << f.typ;
    }
}

TEST(GdiStift, OverrideOnBitmapsNotOnEnhancedMetafiles)
{
    const int blau[3] = {0, 0, 255};
    VISTIFT rot = stift(255, 0, 0, 3);
    {
        Bitmap b(40, 20);
        GdiFarbeUeberschreiben(1, blau);
        GdiStiftSetzen(&rot, 7, 100);
        GdiLinie(0, 5, 20, 5);
        GdiFarbeUeberschreiben(0, nullptr);
        GdiStiftSetzen(&rot, 7, 100);
        GdiLinie(0, 2, 20, 2);
        GdiBildPixel p = b.ende();
        EXPECT_EQ(p.an(10, WeltZuPixelY(5)), BLAU);
        EXPECT_EQ(p.an(10, WeltZuPixelY(2)), ROT);
    }
    ASSERT_EQ(GdiEmfBeginn(nullptr, 0, 10, 0, 10), 0);
    GdiFarbeUeberschreiben(1, blau);
    GdiStiftSetzen(&rot, 7, 100);
    EXPECT_EQ(GdiStiftFarbe(), ROT);
    GdiEmfLoeschen(GdiEmfEnde());
}

TEST(GdiStift, LineTypeZeroDrawsDotted)
{
    std::vector<uint32_t> bilder[3];
    for (int typ : {0, 1, 7}) {
        Bitmap b(200, 20);
        stiftMitMuster(stift(0, 0, 0), typ, 4);
        GdiLinie(5, 5, 95, 5);
        bilder[typ == 7 ? 2 : typ] = b.ende().p;
    }
    EXPECT_EQ(bilder[0], bilder[1]);
    int schwarz = 0, linie = 0;
    for (uint32_t v : bilder[0]) schwarz += v == 0;
    for (uint32_t v : bilder[2]) linie += v == 0;
    EXPECT_GT(schwarz, 5);
    EXPECT_LT(schwarz, linie / 2) << "dots, not a line";
}

// ---- Shapes ----------------------------------------------------------------------------------

TEST(GdiFormen, PolygonsTakeFiftyPoints)
{
    // Points 0..49 zigzag in the left half; points 50..59 lie in the right
    // half, so any of them drawn would ink it.
    std::vector<double> p;
    for (int i = 0; i < 50; ++i) p.insert(p.end(), {5.0 + i, i % 2 ? 10.0 : 40.0});
    for (int i = 0; i < 10; ++i) p.insert(p.end(), {150.0 + i * 4, i % 2 ? 10.0 : 50.0});
    for (int gefuellt = 0; gefuellt < 2; ++gefuellt) {
        Bitmap b(400, 120);
        VISTIFT s = stift(0, 0, 0);
        GdiStiftSetzen(&s, 7, 100);
        if (gefuellt) GdiPolygonGefuellt(p.data(), 60);
        else GdiPolygon(p.data(), 60);
        RECT r = b.ende().tinte();
        EXPECT_EQ(r.left, 10) << gefuellt;
        EXPECT_LE(r.right, 110) << gefuellt;
    }
}

TEST(GdiFormen, RotatedFilledEllipseIsFilledWhole)
{
    Bitmap b(400, 240);
    VISTIFT s = stift(255, 0, 0);
    GdiStiftSetzen(&s, 7, 100);
    // 80 x 40 pixel radii: far more than 50 steps around.
    GdiEllipseGedreht(100, 60, 40, 20, 300, 1);
    GdiBildPixel p = b.ende();
    const int cx = 200, cy = 120;
    for (int a = 0; a < 3600; a += 150) {
        // Points at 90 % of the radius along every direction of the ellipse.
        double ex = 0.9 * 80 * std::cos(a * M_PI / 1800), ey = 0.9 * 40 * std::sin(a * M_PI / 1800);
        double c = std::cos(300 * M_PI / 1800), sn = std::sin(300 * M_PI / 1800);
        int x = cx + static_cast<int>(std::lround(ex * c - ey * sn));
        int y = cy - static_cast<int>(std::lround(ex * sn + ey * c));
        EXPECT_EQ(p.an(x, y), ROT) << a;
    }
    EXPECT_EQ(p.an(cx + 80, cy), WEISS);
}

TEST(GdiFormen, ArcsStartOnTheirStartPoints)
{
    // Centre pixel (100, 60), radius 40 pixels.
    struct Fall {
        int modus, a0, a1;
        int sx, sy;   // pixel of the start point
        int w, h;     // ink box
    } const faelle[] = {
        {0, 0, 900, 140, 60, 41, 41},           // a quarter counter-clockwise
        {1, 0, 900, 100, 20, 81, 81},           // mode 1 swaps: from 90 round to 360
        {0, 3600 + 1800, 2700, 60, 60, 41, 41}, // start brought below 3600 with its end
        {0, 2700, 900, 100, 100, 41, 81},       // an end below the start goes once round
    };
    for (const Fall& f : faelle) {
        Bitmap b(200, 120);
        VISTIFT s = stift(0, 0, 0);
        GdiStiftSetzen(&s, 7, 100);
        GdiBogen(50, 30, 20, 20, 0, f.modus, f.a0, f.a1);
        GdiBildPixel p = b.ende();
        EXPECT_EQ(p.an(f.sx, f.sy), RGB(0, 0, 0)) << f.a0 << " " << f.modus;
        RECT r = p.tinte();
        EXPECT_NEAR(r.right - r.left, f.w, 1) << f.a0 << " " << f.modus;
        EXPECT_NEAR(r.bottom - r.top, f.h, 1) << f.a0 << " " << f.modus;
    }
}

// ---- Text ------------------------------------------------------------------------------------

struct GdiText : ::testing::Test {
    StOrdner ordner;
    void SetUp() override
    {
        SchriftNeuLaden();
        SchriftSetzen(1, "Liberation Sans", 0);
    }
    void TearDown() override
    {
        SchriftSetzen(1, "Schriftart 1", 0);
        SchriftNeuLaden();
        SchriftEnde();
    }
};

TEST_F(GdiText, TooSmallAndFixedColumns)
{
    Bitmap b(200, 120);
    struct Fall {
        double h, f;
        int klein;
    } const faelle[] = {{2, 1, 1}, {2.5, 1, 0}, {10, 0.1, 1}, {10, 0.15, 0}, {2.2, 1, 1}};
    for (const Fall& f : faelle) {
        GdiSchriftSetzen(1, 0, f.h, f.f);  // 2 pixels per unit
        EXPECT_EQ(GdiSchriftZuKlein(), f.klein) << f.h << " " << f.f;
    }
    GdiSchriftSetzen(1, 0, 2, 1);
    GdiTextZeile(10, 30, "nicht lesbar", 0);
    double w, h;
    GdiTextGroesse("abcd", &w, &h);  // too small: the model's width, for the box drawn instead
    EXPECT_DOUBLE_EQ(w, SchriftTextBreite(1, "abcd", 2, 1));
    EXPECT_DOUBLE_EQ(h, 2);
    GdiSchriftSetzen(0, 0, 10, 0.5);  // font 0 is set in fixed columns
    GdiTextGroesse("abcd", &w, &h);
    EXPECT_DOUBLE_EQ(w, 20);
    EXPECT_DOUBLE_EQ(h, 10);
    EXPECT_EQ(b.ende().anzahl(WEISS), 200 * 120);
}

// The screen gives a text the width of the one text-width model (the width
// the PDF, SVG and print give it), also where a small size is drawn in the
// standard face and where the mapping stretches x against y: the size
// reported and the ink drawn both lie within a pixel or two of it.
TEST_F(GdiText, ScreenWidthIsTheModelsWidth)
{
    SchriftSetzen(2, "Liberation Serif", 0);
    SchriftSetzen(4, "DejaVu Sans", 0);
    struct Mass {
        double sx, sy;  // pixels per mm
    } const masse[] = {{2.4, 2.4}, {4, 4}, {8, 8}, {3, 4}};
    const char* const texte[] = {"-F3", "-X1 3/5", "+24 V", "Blatt 10", "iiiiii", "MWMW", "Verteiler HV1.09"};
    for (const Mass& m : masse)
        for (int font : {0, 1, 2, 4})
            for (double hoehe : {2.5, 3.5, 5.0})
                for (const char* t : texte) {
                    SCOPED_TRACE(::testing::Message() << m.sx << "x" << m.sy << " font " << font << " " << hoehe << " \"" << t << "\"");
                    const int bw = 720, bh = 60;
                    ASSERT_EQ(GdiBitmapBeginn(bw, bh, nullptr), 0);
                    ASSERT_EQ(AbbildungSetzenFrei(0, 0, bw / m.sx, bh / m.sy, bw, bh, 0, 0, 100, 50, 50), 0);
                    VISTIFT s = stift(0, 0, 0);
                    GdiStiftSetzen(&s, 7, 100);
                    GdiSchriftSetzen(font, 0, hoehe, 1);
                    const double modell = SchriftTextBreite(font, t, hoehe, 1);
                    double w = 0, h = 0;
                    GdiTextGroesse(t, &w, &h);
                    EXPECT_NEAR(w * m.sx, modell * m.sx, 1.0);
                    const bool lesbar = !GdiSchriftZuKlein();
                    GdiTextZeile(10 / m.sx, 10 / m.sy, t, 0);
                    HBITMAP bm = GdiBitmapEnde();
                    GdiBildPixel p = gdiBildLesen(bm);
                    DeleteObject(bm);
                    // (The letters follow the height's scale: on a stretched
                    // mapping only the size reported is the model's.)
                    if (!lesbar || m.sx != m.sy) continue;
                    // The ink starts at the text's point; the last letter
                    // starts where the model puts it and ends within its
                    // advance or, where a small size is set in the standard
                    // face, within that face's letter (as wide as high).
                    const RECT r = p.tinte();
                    const double hp = hoehe * m.sy, rechts = 10 + modell * m.sx;
                    const double letzter = SchriftTextBreite(font, t + std::strlen(t) - 1, hoehe, 1) * m.sx;
                    EXPECT_GE(r.left, 10 - 1);
                    EXPECT_LE(r.left, 10 + std::max(2.0, 0.4 * hp));
                    EXPECT_GE(r.right, rechts - letzter - 1);
                    EXPECT_LE(r.right, rechts - letzter + std::max(letzter, hp) + 2);
                }
}

TEST_F(GdiText, InkOfTextsAtThreeAngles)
{
    struct Fall {
        int winkel;
        const char* name;
    } const faelle[] = {{0, "text_0"}, {900, "text_900"}, {450, "text_450"}};
    for (const Fall& f : faelle) {
        Bitmap b(240, 240);
        VISTIFT s = stift(0, 0, 0);
        GdiStiftSetzen(&s, 7, 100);
        GdiSchriftSetzen(1, f.winkel, 10, 1);  // 20 pixels high
        ASSERT_FALSE(GdiSchriftZuKlein());
        double w, h;
        GdiTextGroesse("Velmo", &w, &h);
        GdiTextZeile(20, 20, "Velmo", 0);
        const int px = WeltZuPixelX(20), py = WeltZuPixelY(20), lw = static_cast<int>(w * 2), lh = static_cast<int>(h * 2);
        GdiBildPixel p = b.ende();
        RECT r = p.tinte();
        EXPECT_NEAR(lh, 20, 3) << f.name;
        EXPECT_GT(lw, 60) << f.name;
        switch (f.winkel) {
        case 0:
            EXPECT_NEAR(r.left, px, 3) << f.name;
            EXPECT_NEAR(r.bottom, py, 2) << f.name;
            EXPECT_NEAR(r.top, py - lh, 3) << f.name;
            EXPECT_NEAR(r.right - r.left, lw, 6) << f.name;
            break;
        case 900:
            EXPECT_NEAR(r.right, px, 2) << f.name;
            EXPECT_NEAR(r.bottom, py, 3) << f.name;
            EXPECT_NEAR(r.left, px - lh, 3) << f.name;
            EXPECT_NEAR(r.bottom - r.top, lw, 6) << f.name;
            break;
        default: {
            // Within the measured box turned by 45 degrees, and filling most of it.
            const double d = std::sqrt(0.5);
            const double l = px - lh * d, rechts = px + lw * d, oben = py - (lw + lh) * d;
            EXPECT_GE(r.left, l - 3) << f.name;
            EXPECT_LE(r.right, rechts + 3) << f.name;
            EXPECT_GE(r.top, oben - 3) << f.name;
            EXPECT_LE(r.bottom, py + 3) << f.name;
            EXPECT_GT(r.right - r.left, 0.75 * (rechts - l)) << f.name;
            EXPECT_GT(r.bottom - r.top, 0.75 * (py - oben)) << f.name;
        }
        }
    }
}

TEST_F(GdiText, AFontChosenBeforeTheTargetIsMadeOnFirstUse)
{
    AbbildungSetzenFrei(0, 0, 100, 30, 200, 60, 0, 0, 100, 50, 50);
    GdiSchriftSetzen(1, 0, 8, 1);
    Bitmap b(200, 60);
    VISTIFT s = stift(0, 0, 0);
    GdiStiftSetzen(&s, 7, 100);
    GdiTextZeile(5, 10, "Velmo", 0);
    RECT r = b.ende().tinte();
    EXPECT_NEAR(r.bottom - r.top, 16, 2) << "letters of the font chosen, not the stock font";
}

TEST_F(GdiText, StandardTextPiecesKeepTheirColumns)
{
    // Pieces after two blanks start at their own column: the same ink as
    // the pieces drawn one by one.
    std::vector<uint32_t> bilder[2];
    for (int k = 0; k < 2; ++k) {
        Bitmap b(400, 60);
        VISTIFT s = stift(0, 0, 0);
        GdiStiftSetzen(&s, 7, 100);
        GdiSchriftSetzen(1, 0, 8, 1);
        if (k == 0) {
            GdiTextZeile(5, 10, "  ab  cd\tef", 1);
        } else {
            GdiTextStueck(5, 10, 2, "ab");
            GdiTextStueck(5, 10, 6, "cd");
            GdiTextStueck(5, 10, 9, "ef");
        }
        bilder[k] = b.ende().p;
    }
    EXPECT_EQ(bilder[0], bilder[1]);
}

// ---- Goldens ---------------------------------------------------------------------------------

TEST(GdiGolden, LineTypesAndTwoColourPen)
{
    Bitmap b(300, 180);
    for (int typ = 1; typ <= 7; ++typ) {
        stiftMitMuster(stift(0, 0, 0, typ == 7 ? 3 : 1), typ, 8);
        GdiLinie(10, 88 - typ * 10, 140, 88 - typ * 10);
    }
    VISTIFT zwei = stift(255, 0, 0, 2);
    zwei.zweit = 1;
    zwei.b2 = 255;
    stiftMitMuster(zwei, 7, 8);
    GdiLinie(10, 8, 140, 8);
    stiftMitMuster(stift(0, 128, 0), 2, 6);
    GdiRechteck(100, 20, 140, 40);
    GdiLinie(10, 12, 60, 40);
    EXPECT_TRUE(gdiGolden(b.ende(), "linientypen"));
}

TEST(GdiGolden, ArcsAndEllipses)
{
    Bitmap b(300, 180);
    stiftMitMuster(stift(0, 0, 0), 7, 8);
    GdiBogen(30, 60, 20, 20, 0, 0, 0, 3600);
    GdiBogen(80, 60, 20, 10, 300, 0, 0, 1800);
    GdiBogen(80, 60, 20, 10, 300, 1, 0, 1800);
    stiftMitMuster(stift(0, 0, 255), 2, 6);
    GdiEllipse(110, 40, 145, 80, 0);
    GdiEllipseGedreht(30, 20, 20, 8, 450, 0);
    stiftMitMuster(stift(255, 0, 0), 7, 8);
    GdiEllipse(70, 5, 100, 25, 1);
    GdiEllipseGedreht(125, 20, 15, 6, 1350, 1);
    GdiBogen(140, 85, 1, 1, 0, 0, 0, 900);  // below 3 pixels: a straight piece
    EXPECT_TRUE(gdiGolden(b.ende(), "boegen"));
}

TEST(GdiGolden, SheetFrame)
{
    const int grau[3] = {220, 220, 220};
    Bitmap b(300, 200, grau);
    GdiBlattRahmen(10, 10, 140, 90, 3);
    GdiBildPixel p = b.ende();
    EXPECT_EQ(p.an(WeltZuPixelX(10), WeltZuPixelY(90)), RGB(0, 0, 0));
    EXPECT_EQ(p.an(WeltZuPixelX(140) + 3, WeltZuPixelY(10) + 3), RGB(128, 128, 128));
    EXPECT_TRUE(gdiGolden(p, "blattrahmen"));
}

// The current target's pixels as they stand.
GdiBildPixel zielPixel(int w, int h)
{
    GdiBildPixel p;
    p.w = w;
    p.h = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = GetPixel(GdiDC(), x, y);
            p.p.push_back(static_cast<uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c));
        }
    return p;
}

TEST(GdiGolden, RubberBandsUndoThemselves)
{
    const int grau[3] = {200, 200, 200};
    Bitmap b(200, 120, grau);
    VISTIFT s = stift(255, 0, 0);
    GdiStiftSetzen(&s, 7, 100);
    GdiRechteckGefuellt(20, 20, 60, 50);
    const GdiBildPixel grund = zielPixel(200, 120);
    auto baender = [](int modus) { GdiGummiband(modus, 10 + modus * 30, 10 + modus * 10, 150 - modus * 20, 100); };
    for (int modus = 0; modus < 3; ++modus) baender(modus);
    EXPECT_NE(GetROP2(GdiDC()), R2_COPYPEN) << "the raster operation stays set";
    EXPECT_TRUE(gdiGolden(zielPixel(200, 120), "gummiband"));
    // Drawn again in reverse order, the bands are gone.
    for (int modus = 2; modus >= 0; --modus) baender(modus);
    EXPECT_EQ(zielPixel(200, 120).p, grund.p);
    // With copying set again, a pen primitive draws with its own pen.
    SetROP2(GdiDC(), R2_COPYPEN);
    GdiLinie(0, 2, 100, 2);
    EXPECT_EQ(GetPixel(GdiDC(), 50, WeltZuPixelY(2)), ROT);
}

}  // namespace
