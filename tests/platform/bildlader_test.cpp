// Tests of bitmaps, icons and cursors from modules and files (platform/bildlader).
#include "platform/bildlader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/bild_le.h"
#include "platform/eingabe.h"
#include "platform/gdi.h"

namespace {

const HINSTANCE kModul = 0x14000001;  // any non-zero module id

plBild einfarbig(int b, int h, COLORREF c)
{
    plBild bild;
    bild.breite = b;
    bild.hoehe = h;
    bild.pixel.assign(static_cast<size_t>(b) * h, plBildPixel(c));
    return bild;
}

// An ICO (typ 1) or CUR (typ 2) file: a 32 x 32, 4-bit BMP entry (left half
// red, right half blue; its top-left 8 x 8 corner transparent through the
// AND mask) and a 16 x 16 green PNG entry.
std::vector<uint8_t> icoBauen(uint16_t typ, uint16_t hx = 0, uint16_t hy = 0)
{
    plLeSchreiber dib;
    dib.u32(40); dib.i32(32); dib.i32(64); dib.u16(1); dib.u16(4); dib.u32(BI_RGB); dib.u32(0);
    dib.i32(0); dib.i32(0); dib.u32(2); dib.u32(0);
    dib.u32(0x00FF0000); dib.u32(0x000000FF);  // index 0 red, 1 blue (B, G, R, 0)
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 16; ++x) dib.u8(x < 8 ? 0x00 : 0x11);
    for (int zeile = 0; zeile < 32; ++zeile) {  // bottom-up: the top rows come last
        int y = 31 - zeile;
        dib.u8(y < 8 ? 0xFF : 0x00);
        dib.u8(0); dib.u8(0); dib.u8(0);
    }
    std::vector<uint8_t> png;
    plPngSchreiben(einfarbig(16, 16, RGB(0, 200, 0)), png);
    plLeSchreiber f;
    f.u16(0); f.u16(typ); f.u16(2);
    uint32_t off = 6 + 32;
    f.u8(32); f.u8(32); f.u8(2); f.u8(0); f.u16(typ == 2 ? hx : 1); f.u16(typ == 2 ? hy : 4);
    f.u32(static_cast<uint32_t>(dib.groesse())); f.u32(off);
    f.u8(16); f.u8(16); f.u8(0); f.u8(0); f.u16(typ == 2 ? hx / 2 : 1); f.u16(typ == 2 ? hy / 2 : 32);
    f.u32(static_cast<uint32_t>(png.size())); f.u32(off + static_cast<uint32_t>(dib.groesse()));
    f.bytes(dib.daten.data(), dib.groesse());
    f.bytes(png.data(), png.size());
    return f.daten;
}

std::vector<uint8_t> bmpVon(const plBild& b, int bits = 24)
{
    std::vector<uint8_t> v;
    plBmpSchreiben(b, bits, v);
    return v;
}

class BildLader : public testing::Test {
protected:
    void TearDown() override
    {
        plBildRessourcenLeeren();
        plBildLaderSetzen(nullptr);
        plIconsFreigeben();
    }
};

COLORREF pixelVon(HBITMAP bm, int x, int y)
{
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(dc, bm);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, alt);
    DeleteDC(dc);
    return c;
}

TEST_F(BildLader, BitmapsLoadByNameOrNumberFromBmpAndPng)
{
    plBild b = einfarbig(6, 4, RGB(10, 20, 30));
    b.at(5, 3) = plBildPixel(RGB(255, 0, 0));
    plBildRessourceAnmelden(kModul, "Werkzeug", IMAGE_BITMAP, bmpVon(b));
    std::vector<uint8_t> png;
    plPngSchreiben(b, png);
    plBildRessourceAnmelden(kModul, MAKEINTRESOURCE(301), IMAGE_BITMAP, png);

    for (LPCSTR name : {static_cast<LPCSTR>("WERKZEUG"), static_cast<LPCSTR>("werkzeug"), MAKEINTRESOURCE(301)}) {
        HBITMAP bm = LoadBitmap(kModul, name);
        ASSERT_NE(bm, 0u);
        BITMAP info{};
        ASSERT_GT(GetObject(bm, sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, 6);
        EXPECT_EQ(info.bmHeight, 4);
        EXPECT_EQ(pixelVon(bm, 0, 0), RGB(10, 20, 30));
        EXPECT_EQ(pixelVon(bm, 5, 3), RGB(255, 0, 0));
        DeleteObject(bm);
    }
    EXPECT_EQ(LoadBitmap(kModul, "Fehlt"), 0u);
    EXPECT_EQ(LoadBitmap(kModul, MAKEINTRESOURCE(302)), 0u);
    EXPECT_EQ(LoadBitmap(0, "Werkzeug"), 0u);  // the system has no bitmap of that name
    plBildRessourceAnmelden(kModul, "Kaputt", IMAGE_BITMAP, {'B', 'M', 1, 2, 3});
    EXPECT_EQ(LoadBitmap(kModul, "Kaputt"), 0u);
}

TEST_F(BildLader, OneBitBitmapsAndMonochromeLoadsGiveMonochromeBitmaps)
{
    plBild b = einfarbig(9, 2, RGB(255, 255, 255));
    b.at(0, 0) = plBildPixel(RGB(0, 0, 0));
    b.at(8, 1) = plBildPixel(RGB(0, 0, 0));
    // A 1-bit BMP with a black-and-white table, written by hand.
    plLeSchreiber f;
    f.u16(0x4D42); f.u32(14 + 40 + 8 + 8); f.u32(0); f.u32(14 + 40 + 8);
    f.u32(40); f.i32(9); f.i32(2); f.u16(1); f.u16(1); f.u32(BI_RGB); f.u32(8); f.i32(0); f.i32(0); f.u32(2); f.u32(0);
    f.u32(0); f.u32(0x00FFFFFF);
    const uint8_t zeilen[8] = {0xFF, 0x00, 0, 0, 0x7F, 0x80, 0, 0};  // bottom row first
    f.bytes(zeilen, 8);
    plBildRessourceAnmelden(kModul, "Maske", IMAGE_BITMAP, f.daten);
    std::string pfad = testing::TempDir() + "bildlader_" + std::to_string(getpid()) + ".bmp";
    std::vector<uint8_t> farbig = bmpVon(b);
    ASSERT_EQ(plBildDateiSchreiben(pfad.c_str(), farbig.data(), farbig.size()), 0);

    HBITMAP eins = LoadBitmap(kModul, "Maske");
    HBITMAP mono = static_cast<HBITMAP>(LoadImage(0, pfad.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_MONOCHROME));
    HBITMAP doppelt = static_cast<HBITMAP>(LoadImage(0, pfad.c_str(), IMAGE_BITMAP, 18, 4, LR_LOADFROMFILE));
    for (HBITMAP bm : {eins, mono}) {
        ASSERT_NE(bm, 0u);
        BITMAP info{};
        GetObject(bm, sizeof info, &info);
        EXPECT_EQ(info.bmBitsPixel, 1);
        EXPECT_EQ(pixelVon(bm, 0, 0), RGB(0, 0, 0));
        EXPECT_EQ(pixelVon(bm, 1, 0), RGB(255, 255, 255));
        EXPECT_EQ(pixelVon(bm, 8, 1), RGB(0, 0, 0));
        DeleteObject(bm);
    }
    BITMAP info{};
    ASSERT_NE(doppelt, 0u);
    GetObject(doppelt, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 18);
    EXPECT_EQ(info.bmHeight, 4);
    DeleteObject(doppelt);
    EXPECT_EQ(LoadImage(0, (pfad + ".fehlt").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), 0u);
    std::remove(pfad.c_str());
}

TEST_F(BildLader, IconsPickTheirSizeAndKeepTransparency)
{
    plBildRessourceAnmelden(kModul, "Haupt", IMAGE_ICON, icoBauen(1));
    HICON gross = LoadIcon(kModul, "Haupt");
    ASSERT_NE(gross, 0u);
    const plBild* b = plIconBild(gross);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->breite, 32);
    EXPECT_EQ(b->at(2, 2) >> 24, 0u);  // masked corner
    EXPECT_EQ(b->at(10, 2), plBildPixel(RGB(255, 0, 0)));
    EXPECT_EQ(b->at(10, 20), plBildPixel(RGB(255, 0, 0)));
    EXPECT_EQ(b->at(20, 20), plBildPixel(RGB(0, 0, 255)));
    HICON klein = static_cast<HICON>(LoadImage(kModul, "Haupt", IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(klein, 0u);
    EXPECT_EQ(plIconBild(klein)->breite, 16);
    EXPECT_EQ(plIconBild(klein)->at(3, 3), plBildPixel(RGB(0, 200, 0)));  // the PNG entry

    // Drawn onto a white memory DC the transparent corner keeps the white.
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bm = CreateBitmap(40, 40, 1, 32, nullptr);
    HGDIOBJ alt = SelectObject(dc, bm);
    PatBlt(dc, 0, 0, 40, 40, WHITENESS);
    ASSERT_TRUE(DrawIcon(dc, 4, 4, gross));
    EXPECT_EQ(GetPixel(dc, 6, 6), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 14, 6), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 30, 30), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 37, 37), RGB(255, 255, 255));
    SelectObject(dc, alt);
    DeleteObject(bm);
    DeleteDC(dc);

    EXPECT_TRUE(DestroyIcon(gross));
    EXPECT_FALSE(DestroyIcon(gross));
    EXPECT_EQ(plIconBild(gross), nullptr);
    // System icons: drawn once, the same handle every time.
    HICON fehler = LoadIcon(0, IDI_ERROR);
    ASSERT_NE(fehler, 0u);
    EXPECT_EQ(LoadIcon(0, IDI_HAND), fehler);
    EXPECT_EQ(plIconBild(fehler)->breite, 32);
    EXPECT_NE(LoadIcon(0, IDI_QUESTION), fehler);
    EXPECT_EQ(LoadIcon(0, MAKEINTRESOURCE(5)), 0u);
}

TEST_F(BildLader, CursorsKeepTheirHotSpotAndSystemCursorsComeFromTheWindowManager)
{
    plBildRessourceAnmelden(kModul, MAKEINTRESOURCE(7), IMAGE_CURSOR, icoBauen(2, 5, 9));
    HCURSOR c = LoadCursor(kModul, MAKEINTRESOURCE(7));
    ASSERT_NE(c, 0u);
    plCursorBild info{};
    ASSERT_TRUE(plCursorBeschreibung(c, &info));
    EXPECT_EQ(info.systemId, 0);
    EXPECT_EQ(info.breite, 32);
    EXPECT_EQ(info.hx, 5);
    EXPECT_EQ(info.hy, 9);
    EXPECT_EQ(info.argb[0] >> 24, 0u);
    // A PNG as a cursor: hot spot at the top-left corner.
    std::vector<uint8_t> png;
    plPngSchreiben(einfarbig(32, 32, RGB(1, 2, 3)), png);
    plBildRessourceAnmelden(kModul, "Stift", IMAGE_CURSOR, png);
    HCURSOR p = LoadCursor(kModul, "Stift");
    ASSERT_TRUE(plCursorBeschreibung(p, &info));
    EXPECT_EQ(info.hx, 0);
    EXPECT_EQ(info.hy, 0);
    EXPECT_EQ(LoadCursor(0, IDC_ARROW), plCursorSystem(IDC_ARROW));
    EXPECT_EQ(LoadCursor(kModul, "Fehlt"), 0u);
    DestroyCursor(c);
    DestroyCursor(p);
}

int fremderLader(HINSTANCE modul, LPCSTR name, int art, std::vector<uint8_t>& bytes)
{
    if (modul != 0x14000002 || art != IMAGE_BITMAP || IS_INTRESOURCE(name) || std::string(name) != "Logo") return -1;
    plBmpSchreiben(einfarbig(3, 3, RGB(0, 0, 255)), 24, bytes);
    return 0;
}

TEST_F(BildLader, AnInstalledLoaderReplacesTheStandIn)
{
    plBildRessourceAnmelden(kModul, "Logo", IMAGE_BITMAP, bmpVon(einfarbig(2, 2, RGB(0, 0, 0))));
    plBildLaderSetzen(fremderLader);
    EXPECT_EQ(LoadBitmap(kModul, "Logo"), 0u);
    HBITMAP bm = LoadBitmap(0x14000002, "Logo");
    ASSERT_NE(bm, 0u);
    EXPECT_EQ(pixelVon(bm, 1, 1), RGB(0, 0, 255));
    DeleteObject(bm);
    plBildLaderSetzen(nullptr);
    bm = LoadBitmap(kModul, "Logo");
    EXPECT_NE(bm, 0u);
    DeleteObject(bm);
}

TEST_F(BildLader, CutAndFlippedIconFilesAreRefusedOrDecodedSafely)
{
    std::vector<uint8_t> ico = icoBauen(1);
    for (size_t n = 0; n < ico.size(); ++n) {
        std::vector<uint8_t> cut(ico.begin(), ico.begin() + static_cast<long>(n));
        plBild b;
        int hx, hy;
        int r = plIcoLesen(cut.data(), cut.size(), 32, b, hx, hy);
        EXPECT_EQ(r, -1) << n;
    }
    for (size_t i = 0; i < 80; ++i)
        for (uint8_t m : {0x01, 0x80, 0xFF}) {
            std::vector<uint8_t> v = ico;
            v[i] ^= m;
            plBild b;
            int hx, hy;
            if (plIcoLesen(v.data(), v.size(), 32, b, hx, hy) == 0) {
                EXPECT_EQ(b.pixel.size(), static_cast<size_t>(b.breite) * b.hoehe);
            }
        }
}

}  // namespace
