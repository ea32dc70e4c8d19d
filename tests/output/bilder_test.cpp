// Tests of the picture files module (output/bilder): aspect fit, sizes of
// every kind, drawing into a memory DC at the four turns, conversions that
// round-trip through the raster image library, placeable metafile files, and
// unreadable or hostile files. Raster fixtures in tests/data/output/bilder
// (made with ImageMagick): "ecke" is 40 x 20, green with a red 10 x 10 square
// in its top-left corner; "kaputt.png" is it cut after 60 bytes (header
// whole, pixels missing), "kopf.png" cut inside the header. Metafiles with the same picture (400 x 200 units)
// are recorded by the platform's own recorder into a temporary folder.
#include "output/bilder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "output/gdi.h"
#include "platform/fehlersim.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/metafile.h"
#include "platform/metafile_format.h"
#include "tests/platform/bildpruef.h"

namespace {

using namespace bildpruef;

const COLORREF ROT = RGB(255, 0, 0), GRUEN = RGB(0, 255, 0), WEISS = RGB(255, 255, 255);

std::string fixture(const std::string& name) { return std::string(VELMO_TEST_DATA) + "/output/bilder/" + name; }

// The picture of the fixtures as Windows metafile bits, 400 x 200 units.
std::vector<uint8_t> wmfBits()
{
    HDC dc = CreateMetaFile(nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, 400, 200, nullptr);
    HBRUSH gruen = CreateSolidBrush(GRUEN), rot = CreateSolidBrush(ROT);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, gruen);
    Rectangle(dc, 0, 0, 401, 201);
    SelectObject(dc, rot);
    Rectangle(dc, 0, 0, 101, 101);
    HMETAFILE mf = CloseMetaFile(dc);
    DeleteObject(gruen);
    DeleteObject(rot);
    std::vector<uint8_t> bits(GetMetaFileBitsEx(mf, 0, nullptr));
    GetMetaFileBitsEx(mf, static_cast<UINT>(bits.size()), bits.data());
    DeleteMetaFile(mf);
    return bits;
}

HGLOBAL wmfBlock()
{
    std::vector<uint8_t> b = wmfBits();
    return plGlobalAus(b.data(), b.size());
}

class BilderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        BildBibLaden();
        char muster[] = "/tmp/bilder_testXXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner_ = muster;
        // Pictures reach the drawing layer's current target: a real bitmap one.
        ASSERT_EQ(GdiBitmapBeginn(100, 100, nullptr), 0);
        dc_ = GdiDC();
        leeren();
    }
    void TearDown() override
    {
        DeleteObject(GdiBitmapEnde());
        EXPECT_EQ(rasterbibLebend(), 0) << "an image was not freed";
        BildBibFreigeben();
        std::string befehl = "rm -rf '" + ordner_ + "'";
        EXPECT_EQ(std::system(befehl.c_str()), 0);
    }
    std::string pfad(const std::string& name) const { return ordner_ + "/" + name; }
    void leeren()
    {
        RECT r = {0, 0, 100, 100};
        FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        GdiFlush();
    }
    COLORREF an(int x, int y)
    {
        GdiFlush();
        return GetPixel(dc_, x, y);
    }
    bool leer()
    {
        GdiFlush();
        for (int y = 0; y < 100; y += 3)
            for (int x = 0; x < 100; x += 3)
                if (GetPixel(dc_, x, y) != WEISS) return false;
        return true;
    }
    std::string wmfDatei(const std::string& name)
    {
        HGLOBAL b = wmfBlock();
        EXPECT_EQ(MetaDateiSchreibenBox(pfad(name).c_str(), b, 400, 200, 1440), 0);
        BildSpeicherFrei(b);
        return pfad(name);
    }
    // The frame: as given, or (nullptr) the bounds of what is drawn.
    std::string emfDatei(const std::string& name, const RECT* rahmen = nullptr)
    {
        HDC dc = CreateEnhMetaFile(0, pfad(name).c_str(), rahmen, "Test");
        HBRUSH gruen = CreateSolidBrush(GRUEN), rot = CreateSolidBrush(ROT);
        RECT g = {0, 0, 400, 200}, r = {0, 0, 100, 100};
        FillRect(dc, &g, gruen);
        FillRect(dc, &r, rot);
        DeleteEnhMetaFile(CloseEnhMetaFile(dc));
        DeleteObject(gruen);
        DeleteObject(rot);
        return pfad(name);
    }

    std::string ordner_;
    HDC dc_ = 0;
};

// ---- Aspect fit ----------------------------------------------------------------------------------

TEST(BildEinpassen, FitsCentredAndOrdersCorners)
{
    struct Fall {
        int box[4], w, h, erwartet[4];
    } faelle[] = {
        {{0, 0, 200, 200}, 400, 100, {0, 75, 200, 125}},    // flatter picture
        {{200, 200, 0, 0}, 400, 100, {0, 75, 200, 125}},    // corners given the other way round
        {{0, 0, 200, 200}, 100, 400, {75, 0, 125, 200}},    // narrower picture
        {{0, 0, 200, 100}, 5, 100, {50, 0, 150, 100}},      // aspect below 0.1: square
        {{0, 0, 200, 100}, 40, 0, {50, 0, 150, 100}},       // no height: square
        {{0, 0, 200, 100}, 2, 1, {0, 0, 200, 100}},         // same aspect: unchanged
        {{0, 0, 200, 0}, 400, 100, {0, -25, 200, 25}},      // no height: box aspect 1
        {{0, 0, 10, 10}, 3, 1, {0, 3, 10, 7}},              // margin cut to whole pixels
    };
    for (const Fall& f : faelle) {
        int b[4] = {f.box[0], f.box[1], f.box[2], f.box[3]};
        BildEinpassen(b, f.w, f.h);
        EXPECT_EQ(std::vector<int>(b, b + 4), std::vector<int>(f.erwartet, f.erwartet + 4))
            << f.w << " x " << f.h << " in " << f.box[0] << "," << f.box[1] << "," << f.box[2] << "," << f.box[3];
    }
}

TEST(BildEinpassen, DoublesKeepTheFraction)
{
    double b[4] = {10, 10, 0, 0};
    BildEinpassenD(b, 3, 1);
    EXPECT_DOUBLE_EQ(b[0], 0);
    EXPECT_DOUBLE_EQ(b[1], (10 - 10 / 3.0) * 0.5);
    EXPECT_DOUBLE_EQ(b[2], 10);
    EXPECT_DOUBLE_EQ(b[3], 10 - (10 - 10 / 3.0) * 0.5);
}

// ---- Sizes ---------------------------------------------------------------------------------------

TEST_F(BilderTest, RasterSizesByKind)
{
    struct Fall {
        const char* datei;
        int art, rc, w, h;
    } faelle[] = {
        {"ecke.png", BILD_PNG, 0, 40, 20},  {"ecke.bmp", BILD_BMP, 0, 40, 20},
        {"ecke.jpg", BILD_JPG, 0, 40, 20},  {"kaputt.png", BILD_PNG, 0, 40, 20},  // data cut, header whole
        {"kopf.png", BILD_PNG, -1, 0, 0},
        {"text.jpg", BILD_JPG, -1, 0, 0},   {"fehlt.bmp", BILD_BMP, -1, 0, 0},
        {"ecke.png", BILD_JPG, -1, 0, 0},   {"ecke.png", 7, -1, 0, 0},
    };
    for (const Fall& f : faelle) {
        int w = 99, h = 99;
        EXPECT_EQ(BildGroesse(fixture(f.datei).c_str(), f.art, &w, &h), f.rc) << f.datei << " " << f.art;
        EXPECT_EQ(w, f.w) << f.datei;
        EXPECT_EQ(h, f.h) << f.datei;
    }
}

TEST_F(BilderTest, WmfSizeFromThePlaceableHeader)
{
    struct Fall {
        int box[4], upi;
        double w, h;
    } faelle[] = {
        {{0, 0, 1440, 720}, 1440, 25.4, 12.7},
        {{0, 0, 1440, 720}, 0, 144, 72},
        {{100, 50, 354, 304}, 254, 25.4, 25.4},
    };
    HGLOBAL b = wmfBlock();
    for (const Fall& f : faelle) {
        ASSERT_EQ(MetaDateiSchreiben(pfad("g.wmf").c_str(), b, f.box, f.upi), 0);
        double w = 0, h = 0;
        EXPECT_EQ(WmfGroesse(pfad("g.wmf").c_str(), &w, &h), 0);
        EXPECT_NEAR(w, f.w, 1e-9);
        EXPECT_NEAR(h, f.h, 1e-9);
    }
    BildSpeicherFrei(b);

    // Without the key, cut inside the header, missing: -1 and both 0.
    std::vector<uint8_t> bare = wmfBits();
    bytesSchreiben(pfad("bare.wmf"), bare);
    std::vector<uint8_t> kurz = bytesLesen(wmfDatei("voll.wmf"));
    kurz.resize(15);
    bytesSchreiben(pfad("kurz.wmf"), kurz);
    for (const char* n : {"bare.wmf", "kurz.wmf", "fehlt.wmf"}) {
        double w = 9, h = 9;
        EXPECT_EQ(WmfGroesse(pfad(n).c_str(), &w, &h), -1) << n;
        EXPECT_EQ(w, 0);
        EXPECT_EQ(h, 0);
    }
}

TEST_F(BilderTest, EmfSizeFromTheFrameInMillimetres)
{
    double w = 0, h = 0;
    const RECT rahmen = {0, 0, 5000, 2500};
    ASSERT_EQ(EmfGroesse(emfDatei("g.emf", &rahmen).c_str(), &w, &h), 0);
    EXPECT_NEAR(w, 50, 0.01);
    EXPECT_NEAR(h, 25, 0.01);

    std::vector<uint8_t> b = bytesLesen(pfad("g.emf"));
    b.resize(b.size() / 2);  // its records reach past the end now
    bytesSchreiben(pfad("halb.emf"), b);
    for (const std::string& n : {pfad("halb.emf"), fixture("text.jpg"), pfad("fehlt.emf")}) {
        w = h = 9;
        EXPECT_EQ(EmfGroesse(n.c_str(), &w, &h), -1) << n;
        EXPECT_EQ(w, 0);
        EXPECT_EQ(h, 0);
    }
}

// ---- Drawing at the four turns -------------------------------------------------------------------

// Where the red corner, a green point and an untouched point are after a
// 40 x 20 picture with a red top-left corner is drawn into (0, 0, 100, 100).
struct Lage {
    int drehung;
    POINT rot, gruen, weiss;
};
const Lage kLagen[] = {
    {0, {10, 35}, {80, 65}, {50, 10}},     // fitted to (0, 25, 100, 75)
    {1800, {90, 65}, {20, 35}, {50, 90}},  // both axes mirrored
    {900, {35, 90}, {65, 10}, {10, 50}},   // counter-clockwise, fitted to (25, 0, 75, 100)
    {2700, {65, 10}, {35, 90}, {90, 50}},  // clockwise
};

TEST_F(BilderTest, RasterFilesAtTheFourTurns)
{
    for (const char* datei : {"ecke.png", "ecke.bmp", "ecke.jpg"}) {
        for (const Lage& l : kLagen) {
            leeren();
            // Corners given the other way round are ordered first.
            BildZeichnen(100, 100, 0, 0, l.drehung, fixture(datei).c_str());
            EXPECT_TRUE(nahe(an(l.rot.x, l.rot.y), ROT)) << datei << " at " << l.drehung;
            EXPECT_TRUE(nahe(an(l.gruen.x, l.gruen.y), GRUEN)) << datei << " at " << l.drehung;
            EXPECT_EQ(an(l.weiss.x, l.weiss.y), WEISS) << datei << " at " << l.drehung;
        }
    }
}

TEST_F(BilderTest, RasterOtherTurnsDrawUnturned)
{
    for (int drehung : {450, 3600, -900}) {
        leeren();
        BildZeichnen(0, 0, 100, 100, drehung, fixture("ecke.jpg").c_str());
        EXPECT_TRUE(nahe(an(10, 35), ROT)) << drehung;
        EXPECT_TRUE(nahe(an(80, 65), GRUEN)) << drehung;
    }
}

TEST_F(BilderTest, MetafilesAtTheFourTurnsLandInTheBox)
{
    std::string wmf = wmfDatei("ecke.wmf"), emf = emfDatei("ecke.emf");
    for (const std::string& datei : {wmf, emf}) {
        for (const Lage& l : kLagen) {
            leeren();
            BildZeichnen(0, 0, 100, 100, l.drehung, datei.c_str());
            EXPECT_EQ(an(l.rot.x, l.rot.y), ROT) << datei << " at " << l.drehung;
            EXPECT_EQ(an(l.gruen.x, l.gruen.y), GRUEN) << datei << " at " << l.drehung;
            EXPECT_EQ(an(l.weiss.x, l.weiss.y), WEISS) << datei << " at " << l.drehung;
        }
    }
}

TEST_F(BilderTest, MetafileAtAnOddAngleTurnsAboutTheTopLeftCorner)
{
    // 450: the picture swings up about (0, 25), the top-left of the fitted
    // box: its top-left corner stays red, the box's lower part stays white.
    std::string wmf = wmfDatei("ecke.wmf");
    int box[4] = {0, 0, 100, 100};
    WmfZeichnenDC(dc_, box, 450, wmf.c_str());
    EXPECT_EQ(an(4, 24), ROT);
    EXPECT_EQ(an(50, 90), WEISS);
    EXPECT_FALSE(leer());
}

TEST_F(BilderTest, ExtensionPicksTheKindIgnoringCase)
{
    std::vector<uint8_t> png = bytesLesen(fixture("ecke.png"));
    bytesSchreiben(pfad("Gross.PNG"), png);
    bytesSchreiben(pfad("bild.gif"), png);
    bytesSchreiben(pfad("ohne"), png);
    BildZeichnen(0, 0, 100, 100, 0, pfad("Gross.PNG").c_str());
    EXPECT_EQ(an(10, 35), ROT);
    leeren();
    BildZeichnen(0, 0, 100, 100, 0, pfad("bild.gif").c_str());
    BildZeichnen(0, 0, 100, 100, 0, pfad("ohne").c_str());
    BildZeichnen(0, 0, 100, 100, 0, nullptr);
    EXPECT_TRUE(leer());
}

TEST_F(BilderTest, UnreadableAndHostileFilesDrawNothing)
{
    std::vector<uint8_t> voll = bytesLesen(wmfDatei("voll.wmf"));
    bytesSchreiben(pfad("bare.wmf"), wmfBits());  // no placeable key: no size, not drawn
    std::vector<uint8_t> kaputt(voll.begin(), voll.begin() + 40);
    bytesSchreiben(pfad("kaputt.wmf"), kaputt);   // records cut off
    std::vector<uint8_t> gross = voll;             // a record claiming 2^31 words
    gross[22 + 18 + 0] = 0xFF, gross[22 + 18 + 1] = 0xFF, gross[22 + 18 + 2] = 0xFF, gross[22 + 18 + 3] = 0x7F;
    bytesSchreiben(pfad("gross.wmf"), gross);
    bytesSchreiben(pfad("text.emf"), {'E', 'M', 'F', ' ', 0, 0});
    bytesSchreiben(pfad("kaputt.bmp"), {'B', 'M', 0xFF, 0xFF, 0xFF, 0x7F});
    // A whole BMP header claiming 60000 x 60000 pixels: more than an image may hold.
    std::vector<uint8_t> riesig = bytesLesen(fixture("ecke.bmp"));
    riesig[18] = 0x60, riesig[19] = 0xEA, riesig[22] = 0x60, riesig[23] = 0xEA;
    bytesSchreiben(pfad("riesig.bmp"), riesig);
    for (const std::string& n : {pfad("bare.wmf"), pfad("kaputt.wmf"), pfad("gross.wmf"), pfad("text.emf"),
                                 pfad("fehlt.emf"), fixture("kaputt.png"), fixture("text.jpg"), pfad("kaputt.bmp"),
                                 pfad("riesig.bmp"), pfad("fehlt.png")}) {
        BildZeichnen(0, 0, 100, 100, 900, n.c_str());
        EXPECT_TRUE(leer()) << n;
    }
    int box[4] = {0, 0, 100, 100};
    EXPECT_EQ(RasterPngZeichnen(dc_, fixture("kaputt.png").c_str(), box, 0), -1);
    EXPECT_EQ(RasterJpgZeichnen(dc_, fixture("text.jpg").c_str(), box, 0), -1);
    EXPECT_EQ(RasterBmpZeichnen(dc_, pfad("fehlt.bmp").c_str(), box, 0), -1);
    EXPECT_EQ(RasterBmpZeichnen(dc_, pfad("riesig.bmp").c_str(), box, 0), -1);
    EXPECT_EQ(RasterBmpZeichnen(0, fixture("ecke.bmp").c_str(), box, 0), -1);
    EXPECT_EQ(RasterBmpZeichnen(dc_, fixture("ecke.bmp").c_str(), box, 0), 0);
}

// ---- Conversions ---------------------------------------------------------------------------------

TEST_F(BilderTest, MetafilePictureSavedAsPngBmpJpeg)
{
    HGLOBAL b = wmfBlock();
    HMETAFILE mf = SetMetaFileBitsEx(static_cast<UINT>(GlobalSize(b)), static_cast<const BYTE*>(GlobalLock(b)));
    GlobalUnlock(b);
    ASSERT_NE(mf, 0u);
    struct Fall {
        int art;
        const char* name;
        int (*info)(const char*, imginfo*);
        int (*laden)(const char*, imgdes*);
        int bits;
    } faelle[] = {{BILD_PNG, "m.png", pnginfo, loadpng, 24},
                  {BILD_BMP, "m.bmp", bmpinfo, loadbmp, 8},
                  {BILD_JPG, "m.jpg", jpeginfo, loadjpg, 24}};
    for (const Fall& f : faelle) {
        ASSERT_EQ(MetaBildSpeichern(pfad(f.name).c_str(), mf, f.art, 80, 40), 0) << f.name;
        imginfo i;
        ASSERT_EQ(f.info(pfad(f.name).c_str(), &i), 0) << f.name;
        EXPECT_EQ(i.width, 80);
        EXPECT_EQ(i.height, 40);
        EXPECT_EQ(i.bpp, f.bits) << f.name;
        imgdes bild;
        ASSERT_EQ(allocimage(&bild, i.width, i.height, i.bpp), 0);
        ASSERT_EQ(f.laden(pfad(f.name).c_str(), &bild), 0);
        EXPECT_TRUE(nahe(pixel(bild, 5, 5), ROT)) << f.name;
        EXPECT_TRUE(nahe(pixel(bild, 70, 30), GRUEN)) << f.name;
        freeimage(&bild);
    }
    // No size, no metafile, a failed write: -1 and no file.
    EXPECT_EQ(MetaBildSpeichern(pfad("null.png").c_str(), mf, BILD_PNG, 0, 40), -1);
    EXPECT_EQ(MetaBildSpeichern(pfad("null.png").c_str(), 0, BILD_PNG, 80, 40), -1);
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
        EXPECT_EQ(MetaBildSpeichern(pfad("null.png").c_str(), mf, BILD_PNG, 80, 40), -1);
    }
    EXPECT_FALSE(gibtEs(pfad("null.png")));
    DeleteMetaFile(mf);
    BildSpeicherFrei(b);
}

// The PNG of a metafile is drawn into one bitmap and encoded from it; the
// bytes are those of the long way: a 24-bit image of the raster library
// (a DIB section) drawn on white and written by savepng.
TEST_F(BilderTest, MetafilePngHasTheBytesOfTheRasterImageRoute)
{
    HDC rec = CreateMetaFile(nullptr);
    SetWindowOrgEx(rec, 0, 0, nullptr);
    SetWindowExtEx(rec, 400, 200, nullptr);
    HPEN stift = CreatePen(PS_SOLID, 3, RGB(0, 0, 200));
    HBRUSH rot = CreateSolidBrush(ROT);
    SelectObject(rec, stift);
    SelectObject(rec, rot);
    Ellipse(rec, 20, 20, 180, 150);
    MoveToEx(rec, 0, 199, nullptr);
    LineTo(rec, 399, 0);
    SetTextColor(rec, RGB(10, 120, 30));
    TextOut(rec, 200, 120, "Klemme X1", 9);
    HMETAFILE mf = CloseMetaFile(rec);
    DeleteObject(stift);
    DeleteObject(rot);
    ASSERT_NE(mf, 0u);
    const int w = 203, h = 101;  // rows not a multiple of four bytes

    imgdes bild;
    ASSERT_EQ(allocimage(&bild, w, h, 24), 0);
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(dc, bild.hBitmap);
    RECT r = {0, 0, w, h};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int gesichert = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetTextAlign(dc, 0);
    SetStretchBltMode(dc, COLORONCOLOR);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetViewportExtEx(dc, w, h, nullptr);
    PlayMetaFile(dc, mf);
    RestoreDC(dc, gesichert);
    GdiFlush();
    SelectObject(dc, alt);
    DeleteDC(dc);
    ASSERT_EQ(savepng(pfad("lang.png").c_str(), &bild, 0), 0);
    freeimage(&bild);

    ASSERT_EQ(MetaBildSpeichern(pfad("kurz.png").c_str(), mf, BILD_PNG, w, h), 0);
    DeleteMetaFile(mf);
    auto lesen = [](const std::string& p) {
        std::vector<char> d;
        if (std::FILE* f = std::fopen(p.c_str(), "rb")) {
            char puffer[4096];
            for (size_t n; (n = std::fread(puffer, 1, sizeof puffer, f)) > 0;) d.insert(d.end(), puffer, puffer + n);
            std::fclose(f);
        }
        return d;
    };
    const std::vector<char> lang = lesen(pfad("lang.png")), kurz = lesen(pfad("kurz.png"));
    ASSERT_GT(lang.size(), 100u);
    EXPECT_TRUE(lang == kurz) << lang.size() << " and " << kurz.size() << " bytes";
}

TEST_F(BilderTest, BmpToPngScaledToTheLargestSide)
{
    struct Fall {
        int w, h, l, ew, eh;
    } faelle[] = {
        {1000, 500, 200, 200, 100},   // w > h
        {500, 1000, 200, 100, 200},   // w < h
        {300, 300, 200, 200, 200},    // w = h
        {1000, 500, 2000, 1000, 500}, // smaller than the limit: kept
        {1000, 500, 0, 1000, 500},    // no limit
        {1000, 2, 200, 200, 1},       // thin: at least one pixel across
    };
    for (const Fall& f : faelle) {
        imgdes q;
        ASSERT_EQ(allocimage(&q, f.w, f.h, 24), 0);
        // Red left half, green right half: the scaled picture keeps the split.
        for (int y = 0; y < f.h; ++y)
            for (int x = 0; x < f.w; ++x) {
                uint8_t* p = q.ibuff + static_cast<size_t>(y) * q.buffwidth + 3 * x;
                p[0] = 0, p[1] = x < f.w / 2 ? 0 : 255, p[2] = x < f.w / 2 ? 255 : 0;
            }
        ASSERT_EQ(savebmp(pfad("q.bmp").c_str(), &q, 1), 0);
        freeimage(&q);
        ASSERT_EQ(BildBmpNachPng(pfad("q.bmp").c_str(), pfad("z.png").c_str(), f.l), 1) << f.w << "x" << f.h;
        imginfo i;
        ASSERT_EQ(pnginfo(pfad("z.png").c_str(), &i), 0);
        EXPECT_EQ(i.width, f.ew) << f.w << "x" << f.h << " L " << f.l;
        EXPECT_EQ(i.height, f.eh) << f.w << "x" << f.h << " L " << f.l;
        imgdes z;
        ASSERT_EQ(allocimage(&z, i.width, i.height, i.bpp), 0);
        ASSERT_EQ(loadpng(pfad("z.png").c_str(), &z), 0);
        EXPECT_TRUE(nahe(pixel(z, 0, 0), ROT));
        EXPECT_TRUE(nahe(pixel(z, i.width - 1, i.height - 1), GRUEN));
        freeimage(&z);
    }
}

TEST_F(BilderTest, BmpToPngFailuresGiveZeroAndFreeEverything)
{
    EXPECT_EQ(BildBmpNachPng(pfad("fehlt.bmp").c_str(), pfad("z.png").c_str(), 100), 0);
    EXPECT_EQ(BildBmpNachPng(fixture("text.jpg").c_str(), pfad("z.png").c_str(), 100), 0);
    EXPECT_EQ(BildBmpNachPng(fixture("ecke.png").c_str(), pfad("z.png").c_str(), 100), 0);
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Umbenennen, 1, true);
        EXPECT_EQ(BildBmpNachPng(fixture("ecke.bmp").c_str(), pfad("z.png").c_str(), 10), 0);
    }
    EXPECT_FALSE(gibtEs(pfad("z.png")));
    EXPECT_EQ(BildBmpNachPng(fixture("ecke.bmp").c_str(), pfad("z.png").c_str(), 10), 1);
    int w = 0, h = 0;
    EXPECT_EQ(BildGroesse(pfad("z.png").c_str(), BILD_PNG, &w, &h), 0);
    EXPECT_EQ(w, 10);
    EXPECT_EQ(h, 5);
}

TEST_F(BilderTest, MetafileIntoANewBitmap)
{
    HGLOBAL b = wmfBlock();
    HMETAFILE mf = SetMetaFileBitsEx(static_cast<UINT>(GlobalSize(b)), static_cast<const BYTE*>(GlobalLock(b)));
    GlobalUnlock(b);
    HBITMAP bm = MetaZuBitmap(mf, 80, 40);
    ASSERT_NE(bm, 0u);
    BITMAP info;
    ASSERT_NE(GetObject(bm, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 80);
    EXPECT_EQ(info.bmHeight, 40);
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(dc, bm);
    EXPECT_EQ(GetPixel(dc, 5, 5), ROT);
    EXPECT_EQ(GetPixel(dc, 70, 30), GRUEN);
    SelectObject(dc, alt);
    DeleteDC(dc);
    DeleteObject(bm);
    EXPECT_EQ(MetaZuBitmap(0, 80, 40), 0u);
    EXPECT_EQ(MetaZuBitmap(mf, 0, 40), 0u);
    DeleteMetaFile(mf);
    BildSpeicherFrei(b);
}

// ---- Metafile files ------------------------------------------------------------------------------

TEST_F(BilderTest, MetafileFileWithHeaderRoundTrips)
{
    std::vector<uint8_t> bits = wmfBits();
    HGLOBAL b = plGlobalAus(bits.data(), bits.size());
    bytesSchreiben(pfad("m.wmf"), std::vector<uint8_t>(5000, 0xAA));  // replaced as a whole
    const int box[4] = {-10, 20, 390, 220};
    ASSERT_EQ(MetaDateiSchreiben(pfad("m.wmf").c_str(), b, box, 1440), 0);
    std::vector<uint8_t> d = bytesLesen(pfad("m.wmf"));
    ASSERT_EQ(d.size(), 22 + bits.size());
    EXPECT_EQ(std::vector<uint8_t>(d.begin() + 22, d.end()), bits);
    plWmfPlatziert k;
    ASSERT_EQ(plWmfPlatziertLesen(d.data(), d.size(), k), 0);
    EXPECT_EQ(k.links, -10);
    EXPECT_EQ(k.oben, 20);
    EXPECT_EQ(k.rechts, 390);
    EXPECT_EQ(k.unten, 220);
    EXPECT_EQ(k.einheitenProZoll, 1440);
    EXPECT_EQ(plWmfPruefsumme(d.data()), d[20] | (d[21] << 8));
    EXPECT_EQ(d[4] | d[5], 0);                                // handle
    EXPECT_EQ(d[16] | d[17] | d[18] | d[19], 0);              // reserved

    ASSERT_EQ(MetaDateiSchreibenBox(pfad("box.wmf").c_str(), b, 400, 200, 254), 0);
    double w = 0, h = 0;
    EXPECT_EQ(WmfGroesse(pfad("box.wmf").c_str(), &w, &h), 0);
    EXPECT_NEAR(w, 40, 1e-9);
    EXPECT_NEAR(h, 20, 1e-9);

    ASSERT_EQ(MetaDateiSchreiben(pfad("bar.wmf").c_str(), b, nullptr, 1440), 0);
    EXPECT_EQ(bytesLesen(pfad("bar.wmf")), bits);
    BildSpeicherFrei(b);
}

TEST_F(BilderTest, MetafileFileRefusalsLeaveNoFile)
{
    HGLOBAL b = wmfBlock();
    const int weit[4] = {0, 0, 40000, 200};
    EXPECT_EQ(MetaDateiSchreiben(pfad("weit.wmf").c_str(), b, weit, 1440), -1);
    EXPECT_EQ(MetaDateiSchreibenBox(pfad("weit.wmf").c_str(), b, 400, 200, 70000), -1);
    EXPECT_FALSE(gibtEs(pfad("weit.wmf")));
    EXPECT_EQ(MetaDateiSchreibenBox(pfad("null.wmf").c_str(), 0, 400, 200, 1440), -1);
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
        EXPECT_EQ(MetaDateiSchreibenBox(pfad("w.wmf").c_str(), b, 400, 200, 1440), -1);
    }
    EXPECT_FALSE(gibtEs(pfad("w.wmf")));
    size_t vorher = plGlobalAnzahl();
    BildSpeicherFrei(b);
    EXPECT_EQ(plGlobalAnzahl(), vorher - 1);
    BildSpeicherFrei(0);
}

}  // namespace
