// Pixel rules of the GDI layer's drawing: line end points, rectangles,
// ellipses and arcs, dashed pens, the binary raster operations, mapping
// modes and world transforms. Goldens fix whole scenes; the explicit checks
// name the rule each scene rests on.
#include <algorithm>
#include <cmath>

#include "tests/platform/gdi_pruef.h"

namespace {

constexpr COLORREF WEISS = RGB(255, 255, 255);
constexpr COLORREF SCHWARZ = RGB(0, 0, 0);

struct StiftWahl {
    HDC dc;
    HGDIOBJ alt;
    HGDIOBJ neu;
    StiftWahl(HDC d, HGDIOBJ o) : dc(d), alt(SelectObject(d, o)), neu(o) {}
    ~StiftWahl()
    {
        SelectObject(dc, alt);
        DeleteObject(neu);
    }
};

TEST(GdiLinien, EndPointIsNotDrawnAndStartPointIs)
{
    struct Fall {
        int x0, y0, x1, y1;
    } faelle[] = {{2, 2, 8, 2}, {8, 4, 2, 4}, {2, 6, 2, 12}, {5, 12, 5, 6}, {10, 2, 16, 8}, {16, 10, 10, 16}, {20, 2, 23, 12}};
    for (const Fall& f : faelle) {
        GdiLeinwand l(32, 20);
        MoveToEx(l.dc, f.x0, f.y0, nullptr);
        LineTo(l.dc, f.x1, f.y1);
        EXPECT_EQ(l.px(f.x0, f.y0), SCHWARZ) << f.x0 << "," << f.y0;
        EXPECT_EQ(l.px(f.x1, f.y1), WEISS) << f.x1 << "," << f.y1;
        // Exactly max(|dx|, |dy|) pixels, all inside the line's box.
        int n = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 32; ++x) n += l.px(x, y) == SCHWARZ;
        EXPECT_EQ(n, std::max(std::abs(f.x1 - f.x0), std::abs(f.y1 - f.y0)));
        POINT p;
        GetCurrentPositionEx(l.dc, &p);
        EXPECT_EQ(p.x, f.x1);
        EXPECT_EQ(p.y, f.y1);
    }
}

// A line whose ends lie far outside draws the same pixels inside as the
// whole line drawn on a canvas large enough to hold it; dashes keep their phase.
TEST(GdiLinien, FarOffEndPointsAreClippedWithoutChangingPixels)
{
    struct Fall {
        int x0, y0, x1, y1, stil;
    } faelle[] = {{-700, -300, 900, 350, PS_SOLID}, {900, 350, -700, -300, PS_SOLID}, {-50, 800, 60, -900, PS_DASH},
                  {30, -1000, 31, 1000, PS_DOT},    {-999, 20, 999, 21, PS_DASHDOT}, {800, -800, -800, 800, PS_SOLID}};
    for (const Fall& f : faelle) {
        GdiLeinwand klein(64, 48), gross(2200, 2200);
        SetViewportOrgEx(gross.dc, 1100, 1100, nullptr);
        for (HDC dc : {klein.dc, gross.dc}) {
            HPEN p = CreatePen(f.stil, 1, RGB(0, 0, 0));
            HGDIOBJ alt = SelectObject(dc, p);
            SetBkMode(dc, TRANSPARENT);
            MoveToEx(dc, f.x0, f.y0, nullptr);
            LineTo(dc, f.x1, f.y1);
            SelectObject(dc, alt);
            DeleteObject(p);
        }
        int anders = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) anders += gdiTestPixel(klein.s, x, y) != gdiTestPixel(gross.s, 1100 + x, 1100 + y);
        EXPECT_EQ(anders, 0) << f.x0 << "," << f.y0 << " -> " << f.x1 << "," << f.y1;
        EXPECT_NE(gdiTestTinte(klein.s).right, 0);
    }
    // Ends a billion pixels away: drawn at once, nothing past the canvas touched.
    GdiLeinwand l(64, 48);
    MoveToEx(l.dc, -1000000000, 24, nullptr);
    LineTo(l.dc, 1000000000, 24);
    EXPECT_EQ(l.px(0, 24), RGB(0, 0, 0));
    EXPECT_EQ(l.px(63, 24), RGB(0, 0, 0));
    EXPECT_EQ(l.px(63, 23), RGB(255, 255, 255));
}

TEST(GdiLinien, PolylineDrawsInnerPointsOnceAndGoldenStar)
{
    GdiLeinwand l(48, 48);
    SetROP2(l.dc, R2_XORPEN);
    SelectObject(l.dc, GetStockObject(WHITE_PEN));
    POINT zug[] = {{4, 4}, {20, 4}, {20, 20}, {4, 20}};
    Polyline(l.dc, zug, 4);
    // XOR would clear a corner drawn twice: every corner but the last is black.
    EXPECT_EQ(l.px(20, 4), SCHWARZ);
    EXPECT_EQ(l.px(20, 20), SCHWARZ);
    EXPECT_EQ(l.px(4, 20), WEISS);
    SetROP2(l.dc, R2_COPYPEN);
    SelectObject(l.dc, GetStockObject(BLACK_PEN));
    for (int i = 0; i < 16; ++i) {
        double a = i * M_PI / 8;
        MoveToEx(l.dc, 34, 34, nullptr);
        LineTo(l.dc, 34 + static_cast<int>(std::lround(12 * std::cos(a))), 34 + static_cast<int>(std::lround(12 * std::sin(a))));
    }
    {
        StiftWahl s(l.dc, CreatePen(PS_SOLID, 3, RGB(200, 0, 0)));
        MoveToEx(l.dc, 4, 30, nullptr);
        LineTo(l.dc, 18, 44);
    }
    EXPECT_TRUE(gdiTestGolden(l.s, "linien"));
}

TEST(GdiRechtecke, RightAndBottomAreExcluded)
{
    GdiLeinwand l(40, 30);
    HBRUSH grau = CreateSolidBrush(RGB(128, 128, 128));
    HGDIOBJ alt = SelectObject(l.dc, grau);
    Rectangle(l.dc, 2, 2, 12, 10);
    EXPECT_EQ(l.px(2, 2), SCHWARZ);
    EXPECT_EQ(l.px(11, 9), SCHWARZ);
    EXPECT_EQ(l.px(12, 5), WEISS);
    EXPECT_EQ(l.px(5, 10), WEISS);
    EXPECT_EQ(l.px(3, 3), RGB(128, 128, 128));
    EXPECT_EQ(l.px(10, 8), RGB(128, 128, 128));
    // With the null pen the fill stops one pixel short at right and bottom.
    SelectObject(l.dc, GetStockObject(NULL_PEN));
    Rectangle(l.dc, 20, 2, 30, 10);
    EXPECT_EQ(l.px(20, 2), RGB(128, 128, 128));
    EXPECT_EQ(l.px(28, 8), RGB(128, 128, 128));
    EXPECT_EQ(l.px(29, 5), WEISS);
    EXPECT_EQ(l.px(25, 9), WEISS);
    // FillRect covers left..right-1, top..bottom-1.
    RECT rc{2, 14, 6, 18};
    FillRect(l.dc, &rc, grau);
    EXPECT_EQ(gdiTestTinte(l.s).bottom, 18);
    EXPECT_EQ(l.px(5, 17), RGB(128, 128, 128));
    EXPECT_EQ(l.px(6, 17), WEISS);
    SelectObject(l.dc, alt);
    DeleteObject(grau);
}

TEST(GdiRechtecke, GoldenFramesFillsInversionAndFocus)
{
    GdiLeinwand l(64, 48);
    HBRUSH rot = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH schraffur = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 255));
    SelectObject(l.dc, rot);
    Rectangle(l.dc, 2, 2, 20, 14);
    {
        StiftWahl s(l.dc, CreatePen(PS_SOLID, 3, RGB(0, 128, 0)));
        Rectangle(l.dc, 24, 2, 42, 14);
        StiftWahl t(l.dc, CreatePen(PS_INSIDEFRAME, 3, RGB(0, 128, 0)));
        Rectangle(l.dc, 44, 2, 62, 14);
    }
    SelectObject(l.dc, schraffur);
    SetBkColor(l.dc, RGB(255, 255, 0));
    Rectangle(l.dc, 2, 18, 20, 30);
    SetBkMode(l.dc, TRANSPARENT);
    Rectangle(l.dc, 24, 18, 42, 30);
    RECT rc{44, 18, 62, 30};
    FrameRect(l.dc, &rc, rot);
    rc = RECT{2, 34, 30, 46};
    InvertRect(l.dc, &rc);
    rc = RECT{34, 34, 62, 46};
    DrawFocusRect(l.dc, &rc);
    EXPECT_TRUE(gdiTestGolden(l.s, "rechtecke"));
    // Drawing the focus rectangle again takes it away.
    DrawFocusRect(l.dc, &rc);
    for (int x = 34; x < 62; ++x) EXPECT_EQ(l.px(x, 34), WEISS) << x;
    SelectObject(l.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(rot);
    DeleteObject(schraffur);
}

TEST(GdiEllipsen, InscribedInTheBoxAndGoldenArcs)
{
    GdiLeinwand l(64, 48);
    Ellipse(l.dc, 2, 2, 22, 14);
    RECT t = gdiTestTinte(l.s);
    EXPECT_EQ(t.left, 2);
    EXPECT_EQ(t.top, 2);
    EXPECT_EQ(t.right, 22);
    EXPECT_EQ(t.bottom, 14);
    HBRUSH gruen = CreateSolidBrush(RGB(0, 160, 0));
    SelectObject(l.dc, gruen);
    // Counter-clockwise from the start ray: this pie is the upper right quarter.
    Pie(l.dc, 26, 2, 46, 22, 46, 12, 36, 2);
    EXPECT_EQ(l.px(40, 7), RGB(0, 160, 0));
    EXPECT_EQ(l.px(31, 17), WEISS);
    Chord(l.dc, 48, 2, 62, 22, 48, 2, 62, 22);
    Arc(l.dc, 2, 24, 30, 46, 30, 35, 2, 35);  // upper half
    EXPECT_EQ(l.px(15, 24), SCHWARZ);
    EXPECT_EQ(l.px(15, 45), WEISS);
    RoundRect(l.dc, 34, 26, 62, 46, 10, 10);
    EXPECT_TRUE(gdiTestGolden(l.s, "ellipsen"));
    SelectObject(l.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(gruen);
}

TEST(GdiStriche, OnePixelStylesFollowTheirPatternsAndBackground)
{
    GdiLeinwand l(80, 44);
    struct Fall {
        int stil;
        int an, aus;  // first on and off run
    } faelle[] = {{PS_DASH, 18, 6}, {PS_DOT, 3, 3}, {PS_DASHDOT, 9, 6}, {PS_DASHDOTDOT, 9, 3}};
    int y = 2;
    for (const Fall& f : faelle) {
        StiftWahl s(l.dc, CreatePen(f.stil, 1, RGB(0, 0, 200)));
        SetBkMode(l.dc, TRANSPARENT);
        MoveToEx(l.dc, 2, y, nullptr);
        LineTo(l.dc, 78, y);
        for (int x = 2; x < 2 + f.an; ++x) EXPECT_EQ(l.px(x, y), RGB(0, 0, 200)) << f.stil << " x " << x;
        for (int x = 2 + f.an; x < 2 + f.an + f.aus; ++x) EXPECT_EQ(l.px(x, y), WEISS) << f.stil << " x " << x;
        // OPAQUE fills the gaps with the background colour.
        SetBkMode(l.dc, OPAQUE);
        SetBkColor(l.dc, RGB(255, 200, 0));
        MoveToEx(l.dc, 2, y + 4, nullptr);
        LineTo(l.dc, 78, y + 4);
        EXPECT_EQ(l.px(2 + f.an, y + 4), RGB(255, 200, 0));
        y += 10;
    }
    EXPECT_TRUE(gdiTestGolden(l.s, "striche"));
}

// Every binary raster operation, bitwise on each channel.
TEST(GdiRop2, AllSixteenOperationsCombinePenAndTargetBitwise)
{
    const uint32_t P = 0x00C0F00F, D = 0x00A05A33;  // COLORREF values
    struct Fall {
        int rop;
        uint32_t erwartet;
    } faelle[] = {
        {R2_BLACK, 0},           {R2_NOTMERGEPEN, ~(P | D)}, {R2_MASKNOTPEN, ~P & D}, {R2_NOTCOPYPEN, ~P},
        {R2_MASKPENNOT, P & ~D}, {R2_NOT, ~D},               {R2_XORPEN, P ^ D},      {R2_NOTMASKPEN, ~(P & D)},
        {R2_MASKPEN, P & D},     {R2_NOTXORPEN, ~(P ^ D)},   {R2_NOP, D},             {R2_MERGENOTPEN, ~P | D},
        {R2_COPYPEN, P},         {R2_MERGEPENNOT, P | ~D},   {R2_MERGEPEN, P | D},    {R2_WHITE, 0xFFFFFF},
    };
    for (const Fall& f : faelle) {
        GdiLeinwand l(12, 12, D);
        SetROP2(l.dc, f.rop);
        // A one-pixel line and a filled rectangle both follow the operation.
        StiftWahl s(l.dc, CreatePen(PS_SOLID, 1, P));
        MoveToEx(l.dc, 0, 0, nullptr);
        LineTo(l.dc, 4, 0);
        HBRUSH b = CreateSolidBrush(P);
        HGDIOBJ alt = SelectObject(l.dc, b);
        SelectObject(l.dc, GetStockObject(NULL_PEN));
        Rectangle(l.dc, 2, 4, 8, 10);
        SelectObject(l.dc, alt);
        DeleteObject(b);
        EXPECT_EQ(l.px(1, 0), f.erwartet & 0xFFFFFF) << "line, rop " << f.rop;
        EXPECT_EQ(l.px(4, 6), f.erwartet & 0xFFFFFF) << "fill, rop " << f.rop;
        EXPECT_EQ(l.px(10, 10), D) << "untouched, rop " << f.rop;
    }
}

TEST(GdiRop2, XorAndNotDrawnTwiceRestoreTheTargetForEveryShape)
{
    for (int rop : {R2_XORPEN, R2_NOT}) {
        GdiLeinwand l(64, 48);
        RECT rc{10, 10, 50, 40};
        HBRUSH b = CreateSolidBrush(RGB(30, 140, 220));
        FillRect(l.dc, &rc, b);
        cairo_surface_t* vorher = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 64, 48);
        cairo_t* cr = cairo_create(vorher);
        cairo_set_source_surface(cr, l.s, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        SetROP2(l.dc, rop);
        HGDIOBJ alt = SelectObject(l.dc, b);
        StiftWahl s(l.dc, CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
        POINT poly[] = {{5, 5}, {40, 12}, {20, 44}};
        for (int mal = 0; mal < 2; ++mal) {
            MoveToEx(l.dc, 3, 3, nullptr);
            LineTo(l.dc, 60, 30);
            Rectangle(l.dc, 5, 20, 30, 45);
            Ellipse(l.dc, 30, 5, 60, 35);
            Polygon(l.dc, poly, 3);
            if (mal == 0) {
                EXPECT_NE(gdiTestPixel(l.s, 5, 20), gdiTestPixel(vorher, 5, 20));
                if (rop == R2_XORPEN) {
                    EXPECT_TRUE(gdiTestGolden(l.s, "xor"));
                }
            }
        }
        SelectObject(l.dc, alt);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) ASSERT_EQ(gdiTestPixel(l.s, x, y), gdiTestPixel(vorher, x, y)) << x << "," << y;
        cairo_surface_destroy(vorher);
        DeleteObject(b);
    }
}

TEST(GdiAbbildung, AnisotropicMapsWindowToViewportAndGolden)
{
    GdiLeinwand l(64, 48);
    SetMapMode(l.dc, MM_ANISOTROPIC);
    SetWindowOrgEx(l.dc, 0, 0, nullptr);
    SetWindowExtEx(l.dc, 1000, 1000, nullptr);
    SetViewportOrgEx(l.dc, 4, 44, nullptr);
    SetViewportExtEx(l.dc, 40, -40, nullptr);  // y upwards, 25 units per pixel
    struct Fall {
        int lx, ly, dx, dy;
    } faelle[] = {{0, 0, 4, 44}, {1000, 1000, 44, 4}, {500, 250, 24, 34}, {-100, 0, 0, 44}};
    for (const Fall& f : faelle) {
        POINT p{f.lx, f.ly};
        LPtoDP(l.dc, &p, 1);
        EXPECT_EQ(p.x, f.dx);
        EXPECT_EQ(p.y, f.dy);
        DPtoLP(l.dc, &p, 1);
        EXPECT_EQ(p.x, f.lx);
        EXPECT_EQ(p.y, f.ly);
    }
    Rectangle(l.dc, 0, 0, 1000, 1000);
    // The box lands on (4,4)-(44,44) in device pixels; its right and bottom
    // are excluded there, whichever way the logical y runs.
    EXPECT_EQ(gdiTestPixel(l.s, 4, 43), SCHWARZ);
    EXPECT_EQ(gdiTestPixel(l.s, 4, 44), WEISS);
    EXPECT_EQ(gdiTestPixel(l.s, 44, 20), WEISS);
    EXPECT_EQ(gdiTestPixel(l.s, 43, 20), SCHWARZ);
    MoveToEx(l.dc, 0, 0, nullptr);
    LineTo(l.dc, 1000, 1000);
    HBRUSH b = CreateSolidBrush(RGB(220, 0, 0));
    SelectObject(l.dc, b);
    Ellipse(l.dc, 1100, 600, 1500, 200);
    SelectObject(l.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(b);
    EXPECT_TRUE(gdiTestGolden(l.s, "anisotrop"));
}

TEST(GdiAbbildung, WorldTransformRotatesShapesAndGolden)
{
    GdiLeinwand l(64, 64);
    EXPECT_FALSE(SetWorldTransform(l.dc, nullptr));
    XFORM dreh{0.8660254f, 0.5f, -0.5f, 0.8660254f, 32, 32};  // 30 degrees about (32,32)
    EXPECT_FALSE(SetWorldTransform(l.dc, &dreh));  // needs GM_ADVANCED
    SetGraphicsMode(l.dc, GM_ADVANCED);
    EXPECT_TRUE(SetWorldTransform(l.dc, &dreh));
    POINT p{10, 0};
    LPtoDP(l.dc, &p, 1);
    EXPECT_EQ(p.x, 41);
    EXPECT_EQ(p.y, 37);
    HBRUSH b = CreateSolidBrush(RGB(0, 0, 220));
    SelectObject(l.dc, b);
    Rectangle(l.dc, -20, -10, 20, 10);
    XFORM schieb{1, 0, 0, 1, 0, 18};
    ModifyWorldTransform(l.dc, &schieb, MWT_LEFTMULTIPLY);
    Ellipse(l.dc, -12, -5, 12, 5);
    // Back to compatible mode only with the identity transform.
    EXPECT_EQ(SetGraphicsMode(l.dc, GM_COMPATIBLE), 0);
    ModifyWorldTransform(l.dc, nullptr, MWT_IDENTITY);
    EXPECT_EQ(SetGraphicsMode(l.dc, GM_COMPATIBLE), GM_ADVANCED);
    SelectObject(l.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(b);
    EXPECT_TRUE(gdiTestGolden(l.s, "welt"));
}

}  // namespace

namespace {

TEST(GdiPolygon, FillModeDecidesTheInnerPentagonOfAStar)
{
    POINT stern[5];
    for (int i = 0; i < 5; ++i) {
        double a = -M_PI / 2 + i * 4 * M_PI / 5;
        stern[i] = POINT{20 + static_cast<LONG>(std::lround(18 * std::cos(a))), 20 + static_cast<LONG>(std::lround(18 * std::sin(a)))};
    }
    struct Fall {
        int modus;
        COLORREF mitte;
    } faelle[] = {{ALTERNATE, RGB(255, 255, 255)}, {WINDING, RGB(0, 0, 0)}};
    for (const Fall& f : faelle) {
        GdiLeinwand l(40, 40);
        SelectObject(l.dc, GetStockObject(BLACK_BRUSH));
        SetPolyFillMode(l.dc, f.modus);
        Polygon(l.dc, stern, 5);
        EXPECT_EQ(l.px(20, 21), f.mitte) << f.modus;
        EXPECT_EQ(l.px(20, 4), RGB(0, 0, 0)) << f.modus;  // a point of the star
        SelectObject(l.dc, GetStockObject(WHITE_BRUSH));
    }
}

}  // namespace

namespace {

// Shapes of a drawing zoomed far in reach millions of pixels past the
// window; what shows must still be exact.
TEST(GdiRiesig, HugeShapesDrawTheirVisiblePartExactly)
{
    GdiLeinwand l(64, 48);
    HBRUSH grau = CreateSolidBrush(RGB(128, 128, 128));
    SelectObject(l.dc, grau);
    // A circle of radius three million whose right edge crosses the canvas at x = 29.
    Ellipse(l.dc, -6000000, 24 - 3000000, 30, 24 + 3000000);
    for (int y : {0, 24, 47}) {
        EXPECT_EQ(l.px(29, y), RGB(0, 0, 0)) << y;
        EXPECT_EQ(l.px(28, y), RGB(128, 128, 128)) << y;
        EXPECT_EQ(l.px(30, y), RGB(255, 255, 255)) << y;
    }
    GdiLeinwand p(64, 48);
    SelectObject(p.dc, grau);
    SelectObject(p.dc, GetStockObject(NULL_PEN));
    POINT drei[] = {{-100000000, -100000000}, {100000000, 100000000}, {-100000000, 100000000}};
    Polygon(p.dc, drei, 3);
    EXPECT_EQ(p.px(10, 30), RGB(128, 128, 128));
    EXPECT_EQ(p.px(30, 10), RGB(255, 255, 255));
    RECT rc{-1000000000, -1000000000, 20, 1000000000};
    GdiLeinwand r(64, 48);
    FillRect(r.dc, &rc, grau);
    EXPECT_EQ(gdiTestTinte(r.s).right, 20);
    EXPECT_EQ(gdiTestTinte(r.s).bottom, 48);
    HPEN breit = CreatePen(PS_SOLID, 5, RGB(0, 0, 0));
    SelectObject(r.dc, breit);
    MoveToEx(r.dc, -1000000000, 30, nullptr);
    LineTo(r.dc, 1000000000, 30);
    EXPECT_EQ(r.px(40, 28), RGB(0, 0, 0));
    EXPECT_EQ(r.px(40, 32), RGB(0, 0, 0));
    EXPECT_EQ(r.px(40, 33), RGB(255, 255, 255));
    SelectObject(r.dc, GetStockObject(BLACK_PEN));
    DeleteObject(breit);
    SelectObject(l.dc, GetStockObject(WHITE_BRUSH));
    SelectObject(p.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(grau);
}

}  // namespace

namespace {

// A grey level strictly between the pen's black and the white ground.
bool gdiTestZwischen(COLORREF c)
{
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    return r == g && g == b && r > 0 && r < 255;
}

int gdiTestZwischenZahl(cairo_surface_t* s)
{
    int n = 0;
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y)
        for (int x = 0; x < cairo_image_surface_get_width(s); ++x) n += gdiTestZwischen(gdiTestPixel(s, x, y));
    return n;
}

}  // namespace

// A DC showing a drawing is smoothed where it copies (slanted lines, curves,
// text get grey edges; straight lines stay one crisp pixel) and stays exact
// for every bitwise operation: XOR and NOT give the same pixels as on a
// plain DC and drawn twice restore the target.
TEST(GdiGlatt, CopyIsSmoothedBitwiseOperationsStayExact)
{
    GdiLeinwand glatt(64, 48), eben(64, 48);
    EXPECT_EQ(plDcGlaetten(glatt.dc, 1), 0);
    for (GdiLeinwand* l : {&glatt, &eben}) {
        StiftWahl s(l->dc, CreatePen(PS_SOLID, 1, SCHWARZ));
        MoveToEx(l->dc, 3, 3, nullptr);
        LineTo(l->dc, 60, 30);
        MoveToEx(l->dc, 3, 40, nullptr);
        LineTo(l->dc, 60, 40);
        HGDIOBJ alt = SelectObject(l->dc, GetStockObject(HOLLOW_BRUSH));
        Ellipse(l->dc, 30, 5, 60, 35);
        SelectObject(l->dc, alt);
    }
    EXPECT_EQ(gdiTestZwischenZahl(eben.s), 0);
    EXPECT_GT(gdiTestZwischenZahl(glatt.s), 40);
    for (int x = 4; x < 59; ++x) {  // the straight line: one row of black, nothing beside it
        ASSERT_EQ(gdiTestPixel(glatt.s, x, 40), SCHWARZ) << x;
        ASSERT_EQ(gdiTestPixel(glatt.s, x, 39), WEISS) << x;
        ASSERT_EQ(gdiTestPixel(glatt.s, x, 41), WEISS) << x;
    }
    // Off again: the pixels are exact.
    EXPECT_EQ(plDcGlaetten(glatt.dc, 0), 1);
    {
        GdiLeinwand l(64, 48);
        plDcGlaetten(l.dc, 1);
        plDcGlaetten(l.dc, 0);
        StiftWahl s(l.dc, CreatePen(PS_SOLID, 1, SCHWARZ));
        MoveToEx(l.dc, 3, 3, nullptr);
        LineTo(l.dc, 60, 30);
        EXPECT_EQ(gdiTestZwischenZahl(l.s), 0);
    }

    for (int rop : {R2_XORPEN, R2_NOT, R2_NOTXORPEN}) {
        GdiLeinwand a(64, 48), b(64, 48);
        plDcGlaetten(a.dc, 1);
        cairo_surface_t* vorher = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 64, 48);
        for (GdiLeinwand* l : {&a, &b}) {
            RECT rc{10, 10, 50, 40};
            HBRUSH pinsel = CreateSolidBrush(RGB(30, 140, 220));
            FillRect(l->dc, &rc, pinsel);
            if (l == &a) {
                cairo_t* cr = cairo_create(vorher);
                cairo_set_source_surface(cr, a.s, 0, 0);
                cairo_paint(cr);
                cairo_destroy(cr);
            }
            SetROP2(l->dc, rop);
            HGDIOBJ alt = SelectObject(l->dc, pinsel);
            StiftWahl s(l->dc, CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
            POINT poly[] = {{5, 5}, {40, 12}, {20, 44}};
            MoveToEx(l->dc, 3, 3, nullptr);
            LineTo(l->dc, 60, 30);
            Rectangle(l->dc, 5, 20, 30, 45);
            Ellipse(l->dc, 30, 5, 60, 35);
            Polygon(l->dc, poly, 3);
            PatBlt(l->dc, 0, 24, 64, 1, DSTINVERT);  // the cross cursor's way
            SelectObject(l->dc, alt);
            DeleteObject(pinsel);
        }
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) ASSERT_EQ(gdiTestPixel(a.s, x, y), gdiTestPixel(b.s, x, y)) << rop << " " << x << "," << y;
        // The same once more on the smoothed DC restores it.
        {
            HBRUSH pinsel = CreateSolidBrush(RGB(30, 140, 220));
            HGDIOBJ alt = SelectObject(a.dc, pinsel);
            StiftWahl s(a.dc, CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
            POINT poly[] = {{5, 5}, {40, 12}, {20, 44}};
            MoveToEx(a.dc, 3, 3, nullptr);
            LineTo(a.dc, 60, 30);
            Rectangle(a.dc, 5, 20, 30, 45);
            Ellipse(a.dc, 30, 5, 60, 35);
            Polygon(a.dc, poly, 3);
            PatBlt(a.dc, 0, 24, 64, 1, DSTINVERT);
            SelectObject(a.dc, alt);
            DeleteObject(pinsel);
        }
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) ASSERT_EQ(gdiTestPixel(a.s, x, y), gdiTestPixel(vorher, x, y)) << rop << " " << x << "," << y;
        cairo_surface_destroy(vorher);
    }
}

// Text on a smoothed DC gets grey edges and measures as on a plain DC, so
// layouts computed on either fit both.
TEST(GdiGlatt, TextIsSmoothedAndMeasuresAsOnAPlainDc)
{
    GdiLeinwand glatt(120, 40), eben(120, 40);
    plDcGlaetten(glatt.dc, 1);
    SIZE g{}, e{};
    TEXTMETRIC tg{}, te{};
    for (GdiLeinwand* l : {&glatt, &eben}) {
        HFONT f = CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS,
                             DRAFT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Courier New");
        HGDIOBJ alt = SelectObject(l->dc, f);
        SetBkMode(l->dc, TRANSPARENT);
        TextOut(l->dc, 4, 4, "-F3 -F5 -X1 3/5", 15);
        GetTextExtentPoint32(l->dc, "-F3 -F5 -X1 3/5", 15, l == &glatt ? &g : &e);
        GetTextMetrics(l->dc, l == &glatt ? &tg : &te);
        SelectObject(l->dc, alt);
        DeleteObject(f);
    }
    EXPECT_EQ(gdiTestZwischenZahl(eben.s), 0);
    EXPECT_GT(gdiTestZwischenZahl(glatt.s), 30);
    EXPECT_EQ(g.cx, e.cx);
    EXPECT_EQ(g.cy, e.cy);
    EXPECT_EQ(tg.tmAscent, te.tmAscent);
    EXPECT_EQ(tg.tmAveCharWidth, te.tmAveCharWidth);
    // The ink of both lies in the same place, within a pixel.
    const RECT a = gdiTestTinte(glatt.s), b = gdiTestTinte(eben.s);
    EXPECT_NEAR(a.left, b.left, 1);
    EXPECT_NEAR(a.right, b.right, 1);
    EXPECT_NEAR(a.top, b.top, 1);
    EXPECT_NEAR(a.bottom, b.bottom, 1);
}
