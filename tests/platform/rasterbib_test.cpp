// Tests of the raster image library (platform/rasterbib): info calls, loads,
// round trips, resize, rotate90, convertrgbtopal, GDI drawing into an image's
// bitmap, hostile files and failed writes. Fixtures in
// tests/data/platform/raster (made with ImageMagick): "muster" is 4 x 2,
// top row red, green, blue, white; bottom row black, yellow, red, green.
#include "platform/rasterbib.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/fehlersim.h"
#include "platform/gdi.h"
#include "tests/platform/bildpruef.h"

namespace {

using namespace bildpruef;

const COLORREF kMuster[2][4] = {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)},
                                {RGB(0, 0, 0), RGB(255, 255, 0), RGB(255, 0, 0), RGB(0, 255, 0)}};

std::string fixture(const std::string& name) { return std::string(VELMO_TEST_DATA) + "/platform/raster/" + name; }

int eintraege(const std::string& ordner)
{
    int n = 0;
    DIR* d = opendir(ordner.c_str());
    while (dirent* e = d ? readdir(d) : nullptr)
        if (e->d_name[0] != '.') ++n;
    if (d) closedir(d);
    return n;
}

void setzen(imgdes& img, int x, int y, COLORREF c)
{
    uint8_t* z = img.ibuff + static_cast<size_t>(img.bmh->biHeight - 1 - y) * img.buffwidth + 3 * x;
    z[0] = GetBValue(c), z[1] = GetGValue(c), z[2] = GetRValue(c);
}

using InfoFn = int (*)(const char*, imginfo*);
using LadeFn = int (*)(const char*, imgdes*);
using SpeicherFn = int (*)(const char*, const imgdes*, int);

class Raster : public ::testing::Test {
protected:
    void SetUp() override
    {
        char muster[] = "/tmp/rasterbibXXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner = muster;
        lebend = rasterbibLebend();
    }
    void TearDown() override
    {
        EXPECT_EQ(rasterbibLebend(), lebend) << "an image was not freed";
        std::string befehl = "rm -rf '" + ordner + "'";
        EXPECT_EQ(std::system(befehl.c_str()), 0);
    }
    std::string pfad(const std::string& name) const { return ordner + "/" + name; }

    // Info, allocimage of the file's size and bits, and the load.
    int laden(InfoFn info, LadeFn lade, const std::string& datei, imgdes& img)
    {
        imginfo i;
        int rc = info(datei.c_str(), &i);
        if (rc != RB_OK) return rc;
        rc = allocimage(&img, i.width, i.height, i.bpp);
        if (rc != RB_OK) return rc;
        rc = lade(datei.c_str(), &img);
        if (rc != RB_OK) freeimage(&img);
        return rc;
    }

    std::string ordner;
    int lebend = 0;
};

TEST_F(Raster, InfoGivesSizeAndBitsOfEachKind)
{
    // A path with '\' and another case is found through the file-system boundary.
    std::string verdreht = std::string(VELMO_TEST_DATA) + "/platform\\RASTER\\Muster24.BMP";
    struct Fall {
        InfoFn fn;
        std::string datei;
        int w, h, bpp;
    } faelle[] = {
        {bmpinfo, fixture("muster24.bmp"), 4, 2, 24}, {bmpinfo, fixture("muster4.bmp"), 4, 2, 4},
        {bmpinfo, fixture("farben8.bmp"), 6, 3, 8},   {bmpinfo, verdreht, 4, 2, 24},
        {pnginfo, fixture("muster.png"), 4, 2, 24},   {pnginfo, fixture("alpha.png"), 2, 2, 32},
        {pnginfo, fixture("pal.png"), 1, 8, 8},       {pnginfo, fixture("grau.png"), 1, 8, 8},
        {jpeginfo, fixture("grau.jpg"), 8, 4, 8},     {jpeginfo, fixture("farbe.jpg"), 16, 8, 24},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.datei);
        imginfo i;
        ASSERT_EQ(f.fn(f.datei.c_str(), &i), RB_OK) << rasterbibFehlertext();
        EXPECT_EQ(i.width, f.w);
        EXPECT_EQ(i.height, f.h);
        EXPECT_EQ(i.bpp, f.bpp);
    }
    imginfo i;
    EXPECT_EQ(pnginfo(pfad("fehlt.png").c_str(), &i), RB_FEHLER_DATEI);
    EXPECT_EQ(pnginfo(fixture("muster24.bmp").c_str(), &i), RB_FEHLER_FORMAT);
    EXPECT_EQ(i.width, 0);
}

TEST_F(Raster, LoadsGiveTheFilesPixelsInABottomUpDib)
{
    struct Fall {
        InfoFn info;
        LadeFn lade;
        const char* datei;
        int bits;  // of the image allocimage makes for the file
    } faelle[] = {
        {bmpinfo, loadbmp, "muster24.bmp", 24},
        {bmpinfo, loadbmp, "muster4.bmp", 8},
        {pnginfo, loadpng, "muster.png", 24},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.datei);
        imgdes img;
        ASSERT_EQ(laden(f.info, f.lade, fixture(f.datei), img), RB_OK) << rasterbibFehlertext();
        EXPECT_EQ(img.bits, f.bits);
        EXPECT_EQ(img.bmh->biHeight, 2);  // bottom-up
        EXPECT_EQ(img.bmh->biBitCount, f.bits);
        EXPECT_EQ(img.buffwidth, f.bits == 8 ? 4 : 12);
        EXPECT_EQ(img.endx, 3);
        EXPECT_EQ(img.endy, 1);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x) EXPECT_EQ(pixel(img, x, y), kMuster[y][x]) << x << "," << y;
        EXPECT_EQ(freeimage(&img), RB_OK);
    }

    imgdes img;
    ASSERT_EQ(laden(bmpinfo, loadbmp, fixture("farben8.bmp"), img), RB_OK);
    EXPECT_EQ(pixel(img, 4, 0), RGB(10, 20, 30));
    EXPECT_EQ(pixel(img, 5, 2), RGB(17, 18, 19));
    freeimage(&img);

    // Transparent pixels are laid on white.
    ASSERT_EQ(laden(pnginfo, loadpng, fixture("alpha.png"), img), RB_OK);
    EXPECT_EQ(img.bits, 24);
    EXPECT_EQ(pixel(img, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(pixel(img, 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(pixel(img, 1, 1), RGB(255, 0, 0));
    freeimage(&img);

    // Palette and grey PNGs into 8-bit images: a ramp from white to black.
    for (const char* datei : {"pal.png", "grau.png"}) {
        SCOPED_TRACE(datei);
        ASSERT_EQ(laden(pnginfo, loadpng, fixture(datei), img), RB_OK) << rasterbibFehlertext();
        EXPECT_EQ(img.bits, 8);
        EXPECT_EQ(pixel(img, 0, 0), RGB(255, 255, 255));
        EXPECT_EQ(pixel(img, 0, 3), RGB(145, 145, 145));
        EXPECT_EQ(pixel(img, 0, 7), RGB(0, 0, 0));
        freeimage(&img);
    }

    ASSERT_EQ(laden(jpeginfo, loadjpg, fixture("grau.jpg"), img), RB_OK);
    EXPECT_EQ(img.bits, 8);
    EXPECT_TRUE(nahe(pixel(img, 0, 0), RGB(255, 255, 255), 12));
    EXPECT_TRUE(nahe(pixel(img, 0, 3), RGB(0, 0, 0), 12));
    freeimage(&img);

    ASSERT_EQ(laden(jpeginfo, loadjpg, fixture("farbe.jpg"), img), RB_OK);
    EXPECT_TRUE(nahe(pixel(img, 7, 3), RGB(200, 40, 40), 6));
    freeimage(&img);

    // A colour file does not go into an 8-bit image.
    ASSERT_EQ(allocimage(&img, 16, 8, 8), RB_OK);
    EXPECT_EQ(loadjpg(fixture("farbe.jpg").c_str(), &img), RB_FEHLER_BITS);
    freeimage(&img);
}

TEST_F(Raster, SaveAndLoadAgainKeepThePixels)
{
    struct Fall {
        const char* quelle;  // a BMP fixture
        SpeicherFn speichern;
        int param;
        InfoFn info;
        LadeFn lade;
        const char* ziel;
        int abstand;  // JPEG is lossy
    } faelle[] = {
        {"muster24.bmp", savepng, 0, pnginfo, loadpng, "a.png", 0},
        {"muster24.bmp", savebmp, 1, bmpinfo, loadbmp, "a.bmp", 0},
        {"farben8.bmp", savepng, 0, pnginfo, loadpng, "b.png", 0},
        {"farben8.bmp", savebmp, 1, bmpinfo, loadbmp, "b.bmp", 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.quelle) + " -> " + f.ziel);
        imgdes a, b;
        ASSERT_EQ(laden(bmpinfo, loadbmp, fixture(f.quelle), a), RB_OK);
        ASSERT_EQ(f.speichern(pfad(f.ziel).c_str(), &a, f.param), RB_OK) << rasterbibFehlertext();
        ASSERT_EQ(laden(f.info, f.lade, pfad(f.ziel), b), RB_OK) << rasterbibFehlertext();
        EXPECT_EQ(b.bits, a.bits);
        ASSERT_EQ(b.endx, a.endx);
        ASSERT_EQ(b.endy, a.endy);
        for (int y = 0; y <= a.endy; ++y)
            for (int x = 0; x <= a.endx; ++x) EXPECT_EQ(pixel(b, x, y), pixel(a, x, y)) << x << "," << y;
        freeimage(&a);
        freeimage(&b);
    }

    // JPEG: a flat colour comes back close; an 8-bit image is written in colour.
    imgdes a, b;
    ASSERT_EQ(laden(jpeginfo, loadjpg, fixture("farbe.jpg"), a), RB_OK);
    ASSERT_EQ(savejpg(pfad("c.jpg").c_str(), &a, 75), RB_OK);
    ASSERT_EQ(laden(jpeginfo, loadjpg, pfad("c.jpg"), b), RB_OK);
    EXPECT_TRUE(nahe(pixel(b, 5, 5), pixel(a, 5, 5), 8));
    freeimage(&b);
    EXPECT_EQ(savejpg(pfad("d.jpg").c_str(), &a, 0), RB_FEHLER_ARGUMENT);
    freeimage(&a);
    ASSERT_EQ(laden(bmpinfo, loadbmp, fixture("farben8.bmp"), a), RB_OK);
    ASSERT_EQ(savejpg(pfad("e.jpg").c_str(), &a, 95), RB_OK);
    imginfo i;
    ASSERT_EQ(jpeginfo(pfad("e.jpg").c_str(), &i), RB_OK);
    EXPECT_EQ(i.bpp, 24);
    freeimage(&a);

    // Only the working area is written.
    ASSERT_EQ(laden(bmpinfo, loadbmp, fixture("muster24.bmp"), a), RB_OK);
    a.stx = 1, a.endx = 2, a.sty = 1;
    ASSERT_EQ(savepng(pfad("f.png").c_str(), &a, 0), RB_OK);
    ASSERT_EQ(laden(pnginfo, loadpng, pfad("f.png"), b), RB_OK);
    EXPECT_EQ(b.endx, 1);
    EXPECT_EQ(b.endy, 0);
    EXPECT_EQ(pixel(b, 0, 0), RGB(255, 255, 0));
    EXPECT_EQ(pixel(b, 1, 0), RGB(255, 0, 0));
    freeimage(&a);
    freeimage(&b);
}

TEST_F(Raster, ResizeToHalfKeepsAColourPattern)
{
    // 8 x 4 of four 4 x 2 blocks, scaled to 2 x 2 (8-bit: the same through the palette).
    const COLORREF bloecke[2][2] = {{RGB(255, 0, 0), RGB(0, 0, 255)}, {RGB(0, 255, 0), RGB(255, 255, 255)}};
    imgdes q, z, q8, z8;
    ASSERT_EQ(allocimage(&q, 8, 4, 24), RB_OK);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) setzen(q, x, y, bloecke[y / 2][x / 4]);
    ASSERT_EQ(allocimage(&z, 2, 2, 24), RB_OK);
    ASSERT_EQ(resize(&q, &z), RB_OK);
    ASSERT_EQ(allocimage(&q8, 8, 4, 8), RB_OK);
    ASSERT_EQ(convertrgbtopal(256, &q, &q8), RB_OK);
    ASSERT_EQ(allocimage(&z8, 2, 2, 8), RB_OK);
    ASSERT_EQ(resize(&q8, &z8), RB_OK);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(pixel(z, x, y), bloecke[y][x]) << x << "," << y;
            EXPECT_EQ(pixel(z8, x, y), bloecke[y][x]) << x << "," << y;
        }
    // Growing repeats pixels; mixed bits are refused.
    imgdes g;
    ASSERT_EQ(allocimage(&g, 16, 8, 24), RB_OK);
    ASSERT_EQ(resize(&q, &g), RB_OK);
    EXPECT_EQ(pixel(g, 15, 7), RGB(255, 255, 255));
    EXPECT_EQ(pixel(g, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(resize(&q8, &g), RB_FEHLER_BITS);
    for (imgdes* b : {&q, &z, &q8, &z8, &g}) EXPECT_EQ(freeimage(b), RB_OK);
}

TEST_F(Raster, Rotate90MovesAMarkedCorner)
{
    // Source 3 x 2, white with one red pixel; target 2 x 3.
    struct Fall {
        int richtung, qx, qy, zx, zy;
    } faelle[] = {
        {1, 2, 0, 0, 0},  // counter-clockwise: top-right becomes top-left
        {1, 0, 0, 0, 2},  // top-left becomes bottom-left
        {0, 0, 0, 1, 0},  // clockwise: top-left becomes top-right
        {0, 2, 1, 0, 2},  // bottom-right becomes bottom-left
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.richtung);
        imgdes q, z;
        ASSERT_EQ(allocimage(&q, 3, 2, 24), RB_OK);
        std::fill(q.ibuff, q.ibuff + q.buffwidth * 2, 0xFF);
        setzen(q, f.qx, f.qy, RGB(255, 0, 0));
        ASSERT_EQ(allocimage(&z, 2, 3, 24), RB_OK);
        ASSERT_EQ(rotate90(f.richtung, &q, &z), RB_OK);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 2; ++x)
                EXPECT_EQ(pixel(z, x, y), x == f.zx && y == f.zy ? RGB(255, 0, 0) : RGB(255, 255, 255)) << x << "," << y;
        freeimage(&q);
        freeimage(&z);
    }
    imgdes q, z;
    ASSERT_EQ(allocimage(&q, 3, 2, 24), RB_OK);
    ASSERT_EQ(allocimage(&z, 3, 2, 24), RB_OK);
    EXPECT_EQ(rotate90(1, &q, &z), RB_FEHLER_GROESSE);
    EXPECT_EQ(rotate90(2, &q, &z), RB_FEHLER_ARGUMENT);
    freeimage(&q);
    freeimage(&z);
}

TEST_F(Raster, ConvertRgbToPalKeepsFewColoursExactly)
{
    imgdes q, z;
    ASSERT_EQ(allocimage(&q, 5, 3, 24), RB_OK);
    const COLORREF drei[3] = {RGB(12, 34, 56), RGB(255, 255, 255), RGB(200, 0, 100)};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) setzen(q, x, y, drei[(x + y) % 3]);
    ASSERT_EQ(allocimage(&z, 5, 3, 8), RB_OK);
    HBITMAP vorher = z.hBitmap;
    ASSERT_EQ(convertrgbtopal(256, &q, &z), RB_OK);
    EXPECT_EQ(z.bits, 8);
    EXPECT_EQ(z.colors, 3);
    EXPECT_NE(z.hBitmap, vorher);  // a new table needs a new DIB section
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(pixel(z, x, y), drei[(x + y) % 3]);
    // The palette file keeps the three colours.
    ASSERT_EQ(savebmp(pfad("p.bmp").c_str(), &z, 1), RB_OK);
    imginfo i;
    ASSERT_EQ(bmpinfo(pfad("p.bmp").c_str(), &i), RB_OK);
    EXPECT_EQ(i.bpp, 8);

    // More colours than allowed: each pixel near its own colour.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) setzen(q, x, y, RGB(x * 60, y * 120, 255 - x * 50));
    ASSERT_EQ(convertrgbtopal(8, &q, &z), RB_OK);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_TRUE(nahe(pixel(z, x, y), RGB(x * 60, y * 120, 255 - x * 50), 128));
    EXPECT_EQ(convertrgbtopal(256, &z, &q), RB_FEHLER_BITS);
    EXPECT_EQ(convertrgbtopal(300, &q, &z), RB_FEHLER_ARGUMENT);
    freeimage(&q);
    freeimage(&z);
}

TEST_F(Raster, GdiDrawingIntoTheBitmapIsWhatIsSaved)
{
    imgdes img;
    ASSERT_EQ(allocimage(&img, 20, 10, 24), RB_OK);
    HDC dc = CreateCompatibleDC(0);
    ASSERT_NE(dc, HDC{0});
    HGDIOBJ alt = SelectObject(dc, img.hBitmap);
    ASSERT_NE(alt, HGDIOBJ{0});
    RECT r{0, 0, 20, 10};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ altStift = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, 0, 5, nullptr);
    LineTo(dc, 20, 5);
    // The buffer is the bitmap: a pixel written there is what GDI reads.
    setzen(img, 2, 8, RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 8), RGB(255, 0, 0));
    SelectObject(dc, altStift);
    SelectObject(dc, alt);
    DeleteDC(dc);

    ASSERT_EQ(savepng(pfad("gdi.png").c_str(), &img, 0), RB_OK);
    imgdes b;
    ASSERT_EQ(laden(pnginfo, loadpng, pfad("gdi.png"), b), RB_OK);
    EXPECT_EQ(pixel(b, 3, 5), RGB(0, 0, 0));
    EXPECT_EQ(pixel(b, 19, 5), RGB(0, 0, 0));
    EXPECT_EQ(pixel(b, 3, 2), RGB(255, 255, 255));
    EXPECT_EQ(pixel(b, 2, 8), RGB(255, 0, 0));
    freeimage(&b);

    // The header with its colour table behind it is a whole BITMAPINFO: an
    // 8-bit image drawn by StretchDIBits shows its palette colours.
    imgdes acht;
    ASSERT_EQ(laden(bmpinfo, loadbmp, fixture("farben8.bmp"), acht), RB_OK);
    dc = CreateCompatibleDC(0);
    alt = SelectObject(dc, img.hBitmap);
    EXPECT_NE(StretchDIBits(dc, 0, 0, 6, 3, 0, 0, 6, 3, acht.ibuff, reinterpret_cast<const BITMAPINFO*>(acht.bmh),
                            DIB_RGB_COLORS, SRCCOPY),
              0);
    SelectObject(dc, alt);
    DeleteDC(dc);
    EXPECT_EQ(pixel(img, 4, 0), RGB(10, 20, 30));
    EXPECT_EQ(pixel(img, 5, 2), RGB(17, 18, 19));
    EXPECT_EQ(pixel(img, 1, 1), RGB(255, 255, 0));
    freeimage(&acht);
    freeimage(&img);
}

TEST_F(Raster, BitmapIsWrittenAsThePngOfItsPixels)
{
    // A bitmap drawn on (odd width: BGR rows are padded, the bitmap's are
    // not) gives the bytes savepngbgr makes of its pixels read out.
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bm = CreateBitmap(37, 11, 1, 32, nullptr);
    HGDIOBJ alt = SelectObject(dc, bm);
    ASSERT_NE(alt, HGDIOBJ{0});
    RECT r{0, 0, 37, 11};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ altStift = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, 0, 5, nullptr);
    LineTo(dc, 37, 9);
    SetPixel(dc, 2, 1, RGB(200, 30, 7));
    SetPixel(dc, 36, 10, RGB(0, 90, 250));
    SelectObject(dc, altStift);
    SelectObject(dc, alt);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 37;
    bi.bmiHeader.biHeight = -11;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    const size_t zeile = (37 * 3 + 3) & ~size_t{3};
    std::vector<uint8_t> bgr(zeile * 11);
    ASSERT_EQ(GetDIBits(dc, bm, 0, 11, bgr.data(), &bi, DIB_RGB_COLORS), 11);
    DeleteDC(dc);
    ASSERT_EQ(savepngbgr(pfad("bgr.png").c_str(), bgr.data(), 37, 11, zeile), RB_OK);
    ASSERT_EQ(savepngbitmap(pfad("bitmap.png").c_str(), bm), RB_OK) << rasterbibFehlertext();
    DeleteObject(bm);
    EXPECT_EQ(bytesLesen(pfad("bitmap.png")), bytesLesen(pfad("bgr.png")));
    imgdes b;
    ASSERT_EQ(laden(pnginfo, loadpng, pfad("bitmap.png"), b), RB_OK);
    EXPECT_EQ(pixel(b, 2, 1), RGB(200, 30, 7));
    EXPECT_EQ(pixel(b, 36, 10), RGB(0, 90, 250));
    EXPECT_EQ(pixel(b, 0, 5), RGB(0, 0, 0));
    EXPECT_EQ(pixel(b, 20, 0), RGB(255, 255, 255));
    freeimage(&b);

    // An image's DIB section: what was written into its bits is written.
    imgdes img;
    ASSERT_EQ(laden(bmpinfo, loadbmp, fixture("muster24.bmp"), img), RB_OK);
    setzen(img, 1, 1, RGB(1, 2, 3));
    ASSERT_EQ(savepng(pfad("bild.png").c_str(), &img, 0), RB_OK);
    ASSERT_EQ(savepngbitmap(pfad("bildbitmap.png").c_str(), img.hBitmap), RB_OK);
    EXPECT_EQ(bytesLesen(pfad("bildbitmap.png")), bytesLesen(pfad("bild.png")));
    freeimage(&img);

    EXPECT_EQ(savepngbitmap(pfad("keine.png").c_str(), HBITMAP{0}), RB_FEHLER_ARGUMENT);
    EXPECT_FALSE(gibtEs(pfad("keine.png")));
}

TEST_F(Raster, HostileAndTruncatedFilesAreRefused)
{
    auto le32 = [](std::vector<uint8_t> d, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) d[at + i] = static_cast<uint8_t>(v >> (8 * i));
        return d;
    };
    auto kurz = [](std::vector<uint8_t> d, size_t n) {
        d.resize(std::min(n, d.size()));
        return d;
    };
    const auto bmp = bytesLesen(fixture("muster24.bmp"));
    const auto bmp8 = bytesLesen(fixture("farben8.bmp"));
    const auto png = bytesLesen(fixture("muster.png"));
    const auto jpg = bytesLesen(fixture("farbe.jpg"));
    // Cut inside the compressed data: after the IDAT chunk's header, after
    // the JPEG's start-of-scan header.
    auto suchen = [](const std::vector<uint8_t>& d, std::vector<uint8_t> was) {
        return static_cast<size_t>(std::search(d.begin(), d.end(), was.begin(), was.end()) - d.begin());
    };
    const size_t idat = suchen(png, {'I', 'D', 'A', 'T'}) + 8;
    const size_t sos = suchen(jpg, {0xFF, 0xDA}) + 16;
    ASSERT_LT(idat, png.size());
    ASSERT_LT(sos, jpg.size());
    auto png2 = png;
    png2[24] = 3;  // bit depth 3
    struct Fall {
        const char* was;
        InfoFn info;
        LadeFn lade;
        std::vector<uint8_t> daten;
        bool infoGeht;  // the header alone is sound
    } faelle[] = {
        {"bmp negative width", bmpinfo, loadbmp, le32(bmp, 18, static_cast<uint32_t>(-5)), false},
        {"bmp huge width", bmpinfo, loadbmp, le32(bmp, 18, 0x7FFFFFFF), false},
        {"bmp huge height", bmpinfo, loadbmp, le32(bmp, 22, 0x40000000), false},
        {"bmp zero height", bmpinfo, loadbmp, le32(bmp, 22, 0), false},
        {"bmp bit count 7", bmpinfo, loadbmp, le32(bmp, 26, 0x00070001), false},
        {"bmp huge palette", bmpinfo, loadbmp, le32(bmp8, 46, 0x10000000), false},
        {"bmp bits beyond the file", bmpinfo, loadbmp, le32(bmp, 10, 0xFFFFFF00), false},
        {"bmp truncated", bmpinfo, loadbmp, kurz(bmp, 60), false},
        {"bmp empty", bmpinfo, loadbmp, {}, false},
        {"png truncated in the header", pnginfo, loadpng, kurz(png, 20), false},
        {"png bad bit depth", pnginfo, loadpng, png2, false},
        {"png zero width", pnginfo, loadpng, le32(png, 16, 0), false},
        {"png truncated in the data", pnginfo, loadpng, kurz(png, idat), true},
        {"jpeg truncated", jpeginfo, loadjpg, kurz(jpg, sos), true},
        {"jpeg only its start", jpeginfo, loadjpg, kurz(jpg, 3), false},
        {"jpeg of a png", jpeginfo, loadjpg, png, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        std::string datei = pfad("feind");
        bytesSchreiben(datei, f.daten);
        imginfo i;
        int rc = f.info(datei.c_str(), &i);
        if (f.infoGeht) EXPECT_EQ(rc, RB_OK) << rasterbibFehlertext();
        else EXPECT_LT(rc, 0);
        imgdes img;
        ASSERT_EQ(allocimage(&img, 16, 8, 24), RB_OK);
        EXPECT_LT(f.lade(datei.c_str(), &img), 0);
        EXPECT_NE(std::string(rasterbibFehlertext()), "");
        freeimage(&img);
    }

    // Stray bytes between two markers leave the picture whole: it loads.
    auto streu = jpg;
    streu.insert(streu.begin() + static_cast<long>(sos - 16), {0x12, 0x34, 0x56});
    bytesSchreiben(pfad("streu.jpg"), streu);
    imgdes img;
    ASSERT_EQ(laden(jpeginfo, loadjpg, pfad("streu.jpg"), img), RB_OK) << rasterbibFehlertext();
    EXPECT_TRUE(nahe(pixel(img, 3, 3), RGB(200, 40, 40), 6));
    freeimage(&img);

    // Sizes beyond the limits never reach the allocator.
    EXPECT_EQ(allocimage(&img, 30001, 1, 24), RB_FEHLER_GROESSE);
    EXPECT_EQ(allocimage(&img, 8192, 8193, 8), RB_FEHLER_GROESSE);
    EXPECT_EQ(allocimage(&img, 0, 5, 24), RB_FEHLER_GROESSE);
    EXPECT_EQ(img.ibuff, nullptr);
}

TEST_F(Raster, FailedWritesLeaveNoFile)
{
    struct Fall {
        SpeicherFn speichern;
        int param;
        PlFehlerArt art;
    } faelle[] = {
        {savepng, 0, PlFehlerArt::Schreiben},
        {savebmp, 1, PlFehlerArt::Umbenennen},
        {savejpg, 75, PlFehlerArt::Oeffnen},
        {savejpg, 75, PlFehlerArt::Schreiben},
    };
    imgdes img;
    ASSERT_EQ(allocimage(&img, 4, 4, 24), RB_OK);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(static_cast<int>(f.art));
        std::string datei = pfad("neu.bild");
        {
            PlFehlerScope scope;
            plFehlerSetzen(f.art, 1, true);
            EXPECT_EQ(f.speichern(datei.c_str(), &img, f.param), RB_FEHLER_SCHREIBEN);
        }
        EXPECT_FALSE(gibtEs(datei));
        EXPECT_EQ(eintraege(ordner), 0);  // no temporary file left behind
    }
    // An old file survives a failed replacement.
    ASSERT_EQ(savepng(pfad("alt.png").c_str(), &img, 0), RB_OK);
    auto vorher = bytesLesen(pfad("alt.png"));
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Umbenennen, 1);
        EXPECT_EQ(savebmp(pfad("alt.png").c_str(), &img, 1), RB_FEHLER_SCHREIBEN);
    }
    EXPECT_EQ(bytesLesen(pfad("alt.png")), vorher);
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 1);
        EXPECT_EQ(loadpng(pfad("alt.png").c_str(), &img), RB_FEHLER_DATEI);
    }
    freeimage(&img);
}

TEST_F(Raster, DescriptorsAreCheckedBeforeUse)
{
    imgdes a, kopie;
    ASSERT_EQ(allocimage(&a, 4, 4, 24), RB_OK);
    ASSERT_EQ(copyimgdes(&a, &kopie), RB_OK);
    EXPECT_EQ(kopie.ibuff, a.ibuff);
    EXPECT_EQ(kopie.hBitmap, a.hBitmap);
    // Handing over: free one copy; the other is then stale and refused.
    EXPECT_EQ(freeimage(&kopie), RB_OK);
    EXPECT_EQ(kopie.ibuff, nullptr);
    EXPECT_EQ(freeimage(&a), RB_FEHLER_BILD);
    EXPECT_EQ(savepng(pfad("x.png").c_str(), &a, 0), RB_FEHLER_BILD);
    EXPECT_FALSE(gibtEs(pfad("x.png")));

    ASSERT_EQ(allocimage(&a, 4, 4, 24), RB_OK);
    a.endx = 4;  // area past the image
    EXPECT_EQ(savepng(pfad("x.png").c_str(), &a, 0), RB_FEHLER_BILD);
    a.endx = 3;
    EXPECT_EQ(freeimage(&a), RB_OK);

    EXPECT_EQ(allocimage(&a, 4, 4, 12), RB_FEHLER_BITS);
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Speicher, 1);
        EXPECT_EQ(allocimage(&a, 4, 4, 24), RB_FEHLER_SPEICHER);
    }
    EXPECT_EQ(allocimage(nullptr, 4, 4, 24), RB_FEHLER_ARGUMENT);

    // Release at exit frees what is left.
    int vorher = rasterbibLebend();
    ASSERT_EQ(allocimage(&a, 2, 2, 8), RB_OK);
    ASSERT_EQ(allocimage(&kopie, 2, 2, 24), RB_OK);
    EXPECT_EQ(rasterbibFreigeben(), vorher + 2);
    EXPECT_EQ(rasterbibLebend(), 0);
    EXPECT_EQ(rasterbibLaden(), RB_OK);
    lebend = 0;
}

}  // namespace
