// Bitmaps and blits of the GDI layer: the ternary raster operations,
// monochrome and colour meeting, stretching, DIBs both ways and DIB
// sections kept in step with drawing.
#include <cstring>
#include <vector>

#include "platform/systemwerte.h"
#include "tests/platform/gdi_pruef.h"

namespace {

constexpr COLORREF WEISS = RGB(255, 255, 255);
constexpr COLORREF SCHWARZ = RGB(0, 0, 0);

// A memory DC with a colour bitmap filled with one colour.
struct Speicher {
    HDC dc;
    HBITMAP bm;
    HGDIOBJ alt;
    Speicher(int w, int h, COLORREF farbe, bool mono = false)
    {
        dc = CreateCompatibleDC(0);
        bm = CreateBitmap(w, h, 1, mono ? 1 : 32, nullptr);
        alt = SelectObject(dc, bm);
        RECT rc{0, 0, w, h};
        HBRUSH b = CreateSolidBrush(farbe);
        FillRect(dc, &rc, b);
        DeleteObject(b);
    }
    ~Speicher()
    {
        SelectObject(dc, alt);
        DeleteDC(dc);
        DeleteObject(bm);
    }
};

// A new bitmap is black in every pixel, small or page-sized, also where the
// memory of a white one of the same size was given back just before.
TEST(GdiBitmap, ANewBitmapIsBlackEvenInMemoryUsedBefore)
{
    for (SIZE g : {SIZE{1, 1}, SIZE{37, 5}, SIZE{256, 256}, SIZE{1920, 1080}}) {
        SCOPED_TRACE(g.cx);
        { Speicher weiss(g.cx, g.cy, WEISS); }
        HDC dc = CreateCompatibleDC(0);
        HBITMAP bm = CreateCompatibleBitmap(dc, g.cx, g.cy);
        HGDIOBJ alt = SelectObject(dc, bm);
        for (POINT p : {POINT{0, 0}, POINT{g.cx - 1, 0}, POINT{g.cx / 2, g.cy / 2}, POINT{g.cx - 1, g.cy - 1}})
            EXPECT_EQ(GetPixel(dc, p.x, p.y), SCHWARZ);
        std::vector<uint32_t> bits(static_cast<size_t>(g.cx) * g.cy, 0xFFFFFFFF);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), g.cx, -g.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        SelectObject(dc, alt);
        ASSERT_EQ(GetDIBits(dc, bm, 0, g.cy, bits.data(), &bi, DIB_RGB_COLORS), g.cy);
        for (uint32_t b : bits)
            if ((b & 0xFFFFFF) != 0) {
                ADD_FAILURE() << "a pixel not black: " << std::hex << b;
                break;
            }
        DeleteObject(bm);
        DeleteDC(dc);
    }
}

TEST(GdiBlt, RasterOperationsCombinePatternSourceAndTargetBitwise)
{
    const COLORREF S = RGB(0xC3, 0x5A, 0x0F), D = RGB(0xA5, 0xF0, 0x33), P = RGB(0x0F, 0x3C, 0xAA);
    auto op = [](COLORREF v) { return v & 0xFFFFFF; };
    struct Fall {
        DWORD rop;
        COLORREF erwartet;
    } faelle[] = {
        {SRCCOPY, S},        {SRCAND, S & D},          {SRCPAINT, S | D},       {SRCINVERT, S ^ D},
        {NOTSRCCOPY, op(~S)}, {DSTINVERT, op(~D)},     {PATCOPY, P},            {PATINVERT, P ^ D},
        {WHITENESS, WEISS},  {BLACKNESS, SCHWARZ},     {SRCERASE, S & op(~D)},  {MERGECOPY, P & S},
        {0x00B8074Au, (P & ~S) | (D & S)},  // a rop named only by its code: D where S, else P
    };
    Speicher quelle(8, 8, S);
    for (const Fall& f : faelle) {
        GdiLeinwand l(16, 16, D);
        HBRUSH b = CreateSolidBrush(P);
        HGDIOBJ alt = SelectObject(l.dc, b);
        ASSERT_TRUE(BitBlt(l.dc, 4, 4, 8, 8, quelle.dc, 0, 0, f.rop));
        EXPECT_EQ(l.px(6, 6), op(f.erwartet)) << std::hex << f.rop;
        EXPECT_EQ(l.px(12, 12), D) << std::hex << f.rop;
        EXPECT_EQ(l.px(3, 3), D) << std::hex << f.rop;
        SelectObject(l.dc, alt);
        DeleteObject(b);
    }
}

TEST(GdiBlt, MonochromeMeetsColourThroughTextAndBackgroundColours)
{
    // A 2x1 monochrome bitmap: left black (0), right white (1).
    const BYTE bits[2] = {0x40, 0};
    HBITMAP mono = CreateBitmap(2, 1, 1, 1, bits);
    HDC m = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(m, mono);
    GdiLeinwand l(4, 4);
    SetTextColor(l.dc, RGB(200, 0, 0));
    SetBkColor(l.dc, RGB(0, 0, 200));
    BitBlt(l.dc, 0, 0, 2, 1, m, 0, 0, SRCCOPY);
    EXPECT_EQ(l.px(0, 0), RGB(200, 0, 0));  // 0 -> text colour
    EXPECT_EQ(l.px(1, 0), RGB(0, 0, 200));  // 1 -> background colour

    // Colour to monochrome: the source DC's background colour becomes white.
    GdiLeinwand bunt(4, 1, RGB(10, 20, 30));
    SetPixel(bunt.dc, 1, 0, RGB(250, 250, 250));
    SetBkColor(bunt.dc, RGB(10, 20, 30));
    BitBlt(m, 0, 0, 2, 1, bunt.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(m, 0, 0), WEISS);
    EXPECT_EQ(GetPixel(m, 1, 0), SCHWARZ);
    EXPECT_EQ(GetDeviceCaps(m, BITSPIXEL), 1);
    // A compatible bitmap of a DC holding a monochrome bitmap is monochrome.
    HBITMAP auchMono = CreateCompatibleBitmap(m, 4, 4);
    BITMAP info;
    ASSERT_EQ(GetObject(auchMono, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 1);
    DeleteObject(auchMono);
    SelectObject(m, alt);
    DeleteDC(m);
    DeleteObject(mono);
}

TEST(GdiBlt, TransparentMaskIdiomAndGolden)
{
    // The classic mask blit: AND a mask, then OR (or XOR) the image.
    GdiLeinwand l(48, 24, RGB(0, 160, 160));
    const BYTE maske[8 * 2] = {0xFF, 0, 0x81, 0, 0x81, 0, 0x81, 0, 0x81, 0, 0x81, 0, 0x81, 0, 0xFF, 0};
    HBITMAP hm = CreateBitmap(8, 8, 1, 1, maske);  // white frame (1), black inside (0)
    HDC m = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(m, hm);
    Speicher bild(8, 8, RGB(255, 220, 0));
    SetTextColor(l.dc, SCHWARZ);
    SetBkColor(l.dc, WEISS);
    for (int i = 0; i < 4; ++i) {
        StretchBlt(l.dc, 2 + i * 11, 2 + i * 3, 8 + i * 1, 8 + i * 2, m, 0, 0, 8, 8, SRCAND);
        StretchBlt(l.dc, 2 + i * 11, 2 + i * 3, 8 + i * 1, 8 + i * 2, bild.dc, 0, 0, 8, 8, SRCPAINT);
    }
    EXPECT_TRUE(gdiTestGolden(l.s, "maske"));
    SelectObject(m, alt);
    DeleteDC(m);
    DeleteObject(hm);
}

TEST(GdiBlt, GoldenRasterOperationsMonochromeAndStretchedDib)
{
    GdiLeinwand l(80, 40);
    // Target stripes, a source square with a cross, a hatched brush.
    for (int i = 0; i < 8; ++i) {
        RECT rc{i * 10, 0, i * 10 + 5, 40};
        HBRUSH b = CreateSolidBrush(RGB(40 * i, 255 - 30 * i, 128));
        FillRect(l.dc, &rc, b);
        DeleteObject(b);
    }
    Speicher q(8, 8, RGB(255, 0, 0));
    SelectObject(q.dc, GetStockObject(WHITE_PEN));
    MoveToEx(q.dc, 0, 4, nullptr);
    LineTo(q.dc, 8, 4);
    MoveToEx(q.dc, 4, 0, nullptr);
    LineTo(q.dc, 4, 8);
    SelectObject(q.dc, GetStockObject(BLACK_PEN));
    HBRUSH h = CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
    HGDIOBJ alt = SelectObject(l.dc, h);
    const DWORD ops[] = {SRCCOPY, SRCAND, SRCPAINT, SRCINVERT, NOTSRCCOPY, DSTINVERT, PATCOPY, PATINVERT};
    for (int i = 0; i < 8; ++i) BitBlt(l.dc, 1 + i * 10, 2, 8, 8, q.dc, 0, 0, ops[i]);
    // Monochrome source in two colour pairs.
    const BYTE bits[8 * 2] = {0x18, 0, 0x3C, 0, 0x7E, 0, 0xFF, 0, 0xFF, 0, 0x7E, 0, 0x3C, 0, 0x18, 0};
    HBITMAP mono = CreateBitmap(8, 8, 1, 1, bits);
    HDC m = CreateCompatibleDC(0);
    HGDIOBJ altM = SelectObject(m, mono);
    SetTextColor(l.dc, RGB(0, 0, 160));
    SetBkColor(l.dc, RGB(255, 255, 0));
    BitBlt(l.dc, 2, 14, 8, 8, m, 0, 0, SRCCOPY);
    SetTextColor(l.dc, RGB(255, 255, 255));
    SetBkColor(l.dc, RGB(0, 0, 0));
    StretchBlt(l.dc, 14, 14, 16, 16, m, 0, 0, 8, 8, SRCCOPY);
    // A 24-bit bottom-up DIB, stretched.
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 2;
    bmi.bmiHeader.biHeight = 2;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    const BYTE dib[2 * 8] = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
    StretchDIBits(l.dc, 36, 14, 24, 24, 0, 0, 2, 2, dib, &bmi, DIB_RGB_COLORS, SRCCOPY);
    StretchDIBits(l.dc, 76, 14, -12, 12, 0, 0, 2, 2, dib, &bmi, DIB_RGB_COLORS, SRCCOPY);
    EXPECT_TRUE(gdiTestGolden(l.s, "blt"));
    SelectObject(m, altM);
    DeleteDC(m);
    DeleteObject(mono);
    SelectObject(l.dc, alt);
    DeleteObject(h);
}

TEST(GdiBlt, StretchingEnlargesMirrorsAndShrinksByMode)
{
    Speicher q(2, 2, WEISS);
    SetPixel(q.dc, 0, 0, RGB(255, 0, 0));
    SetPixel(q.dc, 1, 1, SCHWARZ);
    GdiLeinwand l(16, 8);
    StretchBlt(l.dc, 0, 0, 8, 8, q.dc, 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(l.px(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(l.px(4, 3), WEISS);
    EXPECT_EQ(l.px(7, 7), SCHWARZ);
    // A negative width mirrors; the box is 7..14 (x + w up to x, right excluded).
    StretchBlt(l.dc, 15, 0, -8, 8, q.dc, 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(l.px(14, 0), RGB(255, 0, 0));
    EXPECT_EQ(l.px(15, 0), WEISS);
    EXPECT_EQ(l.px(7, 7), SCHWARZ);
    EXPECT_EQ(l.px(11, 0), RGB(255, 0, 0));
    EXPECT_EQ(l.px(10, 0), WEISS);

    // Shrinking a black-on-white line: BLACKONWHITE keeps it, COLORONCOLOR may drop it.
    Speicher gross(8, 1, WEISS);
    SetPixel(gross.dc, 5, 0, SCHWARZ);
    GdiLeinwand k(2, 2);
    SetStretchBltMode(k.dc, BLACKONWHITE);
    StretchBlt(k.dc, 0, 0, 2, 1, gross.dc, 0, 0, 8, 1, SRCCOPY);
    EXPECT_EQ(k.px(1, 0), SCHWARZ);
    SetStretchBltMode(k.dc, WHITEONBLACK);
    StretchBlt(k.dc, 0, 1, 2, 1, gross.dc, 0, 0, 8, 1, SRCCOPY);
    EXPECT_EQ(k.px(1, 1), WEISS);
}

// A 24-bit bottom-up DIB of 3x2 pixels: rows padded to 12 bytes, the last
// row of the buffer is the top row of the picture.
std::vector<BYTE> dib24(BITMAPINFO& bmi)
{
    std::memset(&bmi, 0, sizeof bmi);
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 3;
    bmi.bmiHeader.biHeight = 2;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    return {
        // bottom row: blue, green, red (BGR bytes)
        255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0,
        // top row: white, black, grey
        255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0,
    };
}

TEST(GdiDib, StretchDIBitsReadsBottomUpRowsAndScales)
{
    BITMAPINFO bmi;
    std::vector<BYTE> bits = dib24(bmi);
    GdiLeinwand l(12, 8, RGB(1, 2, 3));
    ASSERT_EQ(StretchDIBits(l.dc, 0, 0, 6, 4, 0, 0, 3, 2, bits.data(), &bmi, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(l.px(0, 0), WEISS);
    EXPECT_EQ(l.px(2, 1), SCHWARZ);
    EXPECT_EQ(l.px(5, 0), RGB(128, 128, 128));
    EXPECT_EQ(l.px(0, 3), RGB(0, 0, 255));
    EXPECT_EQ(l.px(3, 2), RGB(0, 255, 0));
    EXPECT_EQ(l.px(5, 3), RGB(255, 0, 0));
    EXPECT_EQ(l.px(6, 0), RGB(1, 2, 3));
    // A source box counts from the bottom row in a bottom-up DIB: (0,0,1,1) is the blue pixel.
    StretchDIBits(l.dc, 8, 0, 2, 2, 0, 0, 1, 1, bits.data(), &bmi, DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(l.px(9, 1), RGB(0, 0, 255));
    // Headers that cannot be read are refused, never read past.
    BITMAPINFO schlecht = bmi;
    schlecht.bmiHeader.biBitCount = 7;
    EXPECT_EQ(StretchDIBits(l.dc, 0, 0, 6, 4, 0, 0, 3, 2, bits.data(), &schlecht, DIB_RGB_COLORS, SRCCOPY), 0);
    schlecht = bmi;
    schlecht.bmiHeader.biWidth = 1 << 24;
    EXPECT_EQ(StretchDIBits(l.dc, 0, 0, 6, 4, 0, 0, 3, 2, bits.data(), &schlecht, DIB_RGB_COLORS, SRCCOPY), 0);
    schlecht = bmi;
    schlecht.bmiHeader.biCompression = BI_RLE8;
    EXPECT_EQ(StretchDIBits(l.dc, 0, 0, 6, 4, 0, 0, 3, 2, bits.data(), &schlecht, DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(GdiDib, GetDIBitsAndSetDIBitsRoundTripInEachFormat)
{
    BITMAPINFO bmi;
    std::vector<BYTE> bits = dib24(bmi);
    HDC ref = CreateCompatibleDC(0);
    HBITMAP bm = CreateDIBitmap(ref, &bmi.bmiHeader, CBM_INIT, bits.data(), &bmi, DIB_RGB_COLORS);
    ASSERT_NE(bm, 0u);
    // Asking with biBitCount 0 fills in the bitmap's own header.
    BITMAPINFO frage{};
    frage.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_EQ(GetDIBits(ref, bm, 0, 2, nullptr, &frage, DIB_RGB_COLORS), 2);
    EXPECT_EQ(frage.bmiHeader.biWidth, 3);
    EXPECT_EQ(frage.bmiHeader.biHeight, 2);
    EXPECT_EQ(frage.bmiHeader.biBitCount, 32);
    // 24 bits, bottom-up: the same bytes come back.
    std::vector<BYTE> zurueck(bits.size(), 0xEE);
    BITMAPINFO b24 = bmi;
    EXPECT_EQ(GetDIBits(ref, bm, 0, 2, zurueck.data(), &b24, DIB_RGB_COLORS), 2);
    EXPECT_EQ(zurueck, bits);
    // 32 bits top-down: the first pixel is the top-left one.
    BITMAPINFO b32 = bmi;
    b32.bmiHeader.biBitCount = 32;
    b32.bmiHeader.biHeight = -2;
    std::vector<BYTE> z32(3 * 2 * 4);
    EXPECT_EQ(GetDIBits(ref, bm, 0, 2, z32.data(), &b32, DIB_RGB_COLORS), 2);
    EXPECT_EQ(z32[0], 255);
    EXPECT_EQ(z32[4 + 0], 0);
    EXPECT_EQ(z32[12 + 2], 0);  // bottom-left: blue has no red
    EXPECT_EQ(z32[12 + 0], 255);
    // 1 bit: black and white table, light pixels 1.
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD farben[2];
    } b1{};
    b1.h = bmi.bmiHeader;
    b1.h.biBitCount = 1;
    std::vector<BYTE> z1(2 * 4);
    EXPECT_EQ(GetDIBits(ref, bm, 0, 2, z1.data(), reinterpret_cast<BITMAPINFO*>(&b1), DIB_RGB_COLORS), 2);
    EXPECT_EQ(b1.farben[1].rgbRed, 255);
    EXPECT_EQ(z1[4] & 0xE0, 0xA0);  // top row (last in the buffer): white, black, grey 128 (nearer white)
    EXPECT_EQ(z1[0] & 0xE0, 0x00);  // blue, green, red are nearer black
    DeleteObject(bm);
    DeleteDC(ref);
}

TEST(GdiDib, DibSectionBitsAndDrawingStayInStep)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 4;
    bmi.bmiHeader.biHeight = -2;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    HBITMAP bm = CreateDIBSection(0, &bmi, DIB_RGB_COLORS, &p, 0, 0);
    ASSERT_NE(bm, 0u);
    ASSERT_NE(p, nullptr);
    auto* px = static_cast<uint32_t*>(p);
    px[1] = 0x0000FF00;  // green at (1,0), written by the caller
    HDC m = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(m, bm);
    EXPECT_EQ(GetPixel(m, 1, 0), RGB(0, 255, 0));
    SetPixel(m, 3, 1, RGB(255, 0, 0));
    EXPECT_EQ(px[4 + 3] & 0xFFFFFF, 0x00FF0000u);
    DIBSECTION ds;
    EXPECT_EQ(GetObject(bm, sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmBits, p);
    EXPECT_EQ(ds.dsBmih.biBitCount, 32);
    // A 24-bit bottom-up section: the top row is the last in memory.
    BITMAPINFO b24 = bmi;
    b24.bmiHeader.biBitCount = 24;
    b24.bmiHeader.biHeight = 2;
    void* q = nullptr;
    HBITMAP unten = CreateDIBSection(0, &b24, DIB_RGB_COLORS, &q, 0, 0);
    ASSERT_NE(unten, 0u);
    auto* bytes = static_cast<BYTE*>(q);
    bytes[12 + 2] = 255;  // (0,0): red, in the second stored row (rows of 12 bytes)
    HDC m2 = CreateCompatibleDC(0);
    HGDIOBJ alt2 = SelectObject(m2, unten);
    EXPECT_EQ(GetPixel(m2, 0, 0), RGB(255, 0, 0));
    SetPixel(m2, 1, 1, RGB(0, 0, 255));
    EXPECT_EQ(bytes[3], 255);  // (1,1) is the first stored row: blue byte first
    SelectObject(m2, alt2);
    DeleteDC(m2);
    DeleteObject(unten);
    // A bitmap is in one DC at a time and is not deleted while selected.
    HDC zweiter = CreateCompatibleDC(0);
    EXPECT_EQ(SelectObject(zweiter, bm), 0u);
    EXPECT_FALSE(DeleteObject(bm));
    SelectObject(m, alt);
    EXPECT_EQ(SelectObject(zweiter, bm), alt);
    SelectObject(zweiter, alt);
    DeleteDC(zweiter);
    DeleteDC(m);
    EXPECT_TRUE(DeleteObject(bm));
}

TEST(GdiBlt, PatternBrushTilesFromTheBrushOrigin)
{
    const BYTE schach[2 * 2] = {0x80, 0, 0x40, 0};  // 2x2: white black / black white
    HBITMAP hb = CreateBitmap(2, 2, 1, 1, schach);
    HBRUSH br = CreatePatternBrush(hb);
    DeleteObject(hb);  // the brush keeps its own copy
    GdiLeinwand l(8, 8);
    SetTextColor(l.dc, RGB(0, 0, 255));
    SetBkColor(l.dc, RGB(255, 255, 0));
    RECT rc{0, 0, 8, 8};
    FillRect(l.dc, &rc, br);
    EXPECT_EQ(l.px(0, 0), RGB(255, 255, 0));  // 1 bits take the background colour
    EXPECT_EQ(l.px(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(l.px(5, 5), RGB(255, 255, 0));
    SetBrushOrgEx(l.dc, 1, 0, nullptr);
    FillRect(l.dc, &rc, br);
    EXPECT_EQ(l.px(0, 0), RGB(0, 0, 255));
    // A system colour given as COLOR_xxx + 1 is a brush too.
    RECT sys{4, 4, 6, 6};
    FillRect(l.dc, &sys, static_cast<HBRUSH>(COLOR_HIGHLIGHT + 1));
    EXPECT_EQ(l.px(5, 5), GetSysColor(COLOR_HIGHLIGHT));
    HGDIOBJ alt = SelectObject(l.dc, br);
    PatBlt(l.dc, 0, 0, 2, 1, PATINVERT);
    EXPECT_EQ(l.px(0, 0), SCHWARZ);  // pattern xor itself
    SelectObject(l.dc, alt);
    DeleteObject(br);
}

}  // namespace
