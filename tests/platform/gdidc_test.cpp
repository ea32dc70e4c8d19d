// Objects and DC state of the GDI layer: stock objects, GetObject, deletion
// rules, stale handles, SaveDC/RestoreDC, clipping and regions, device
// capabilities, printer DCs and recording DCs.
#include <cairo-pdf.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/platform/gdi_pruef.h"

namespace {

constexpr COLORREF WEISS = RGB(255, 255, 255);
constexpr COLORREF SCHWARZ = RGB(0, 0, 0);

TEST(GdiObjekte, GetObjectReturnsWhatWasCreated)
{
    HPEN p = CreatePen(PS_DASH, 3, RGB(1, 2, 3));
    LOGPEN lp{};
    EXPECT_EQ(GetObject(p, sizeof lp, &lp), static_cast<int>(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    EXPECT_EQ(GetObjectType(p), static_cast<DWORD>(OBJ_PEN));
    HBRUSH b = CreateHatchBrush(HS_CROSS, RGB(4, 5, 6));
    LOGBRUSH lb{};
    EXPECT_EQ(GetObject(b, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
    HFONT f = CreateFont(-13, 0, 900, 900, FW_BOLD, 1, 0, 1, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    LOGFONT lf{};
    EXPECT_EQ(GetObject(f, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfStrikeOut, 1);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    // A size query and a short buffer.
    EXPECT_EQ(GetObject(f, 0, nullptr), static_cast<int>(sizeof lf));
    char kurz[4];
    EXPECT_EQ(GetObject(f, sizeof kurz, kurz), 4);
    LOGBRUSH ext{BS_SOLID, RGB(9, 9, 9), 0};
    DWORD stil[] = {4, 2};
    HPEN e = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 5, &ext, 2, stil);
    EXPECT_EQ(GetObjectType(e), static_cast<DWORD>(OBJ_EXTPEN));
    EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 3, &ext, 0, nullptr), 0u);  // cosmetic pens are 1 wide
    for (HGDIOBJ o : {static_cast<HGDIOBJ>(p), static_cast<HGDIOBJ>(b), static_cast<HGDIOBJ>(f), static_cast<HGDIOBJ>(e)})
        EXPECT_TRUE(DeleteObject(o));
}

TEST(GdiObjekte, StaleForeignAndSelectedHandlesAreRefused)
{
    GdiLeinwand l(4, 4);
    HPEN p = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    ASSERT_TRUE(DeleteObject(p));
    // A deleted handle, a handle of another kind, a made-up number.
    EXPECT_EQ(SelectObject(l.dc, p), 0u);
    EXPECT_EQ(GetObject(p, 0, nullptr), 0);
    EXPECT_FALSE(DeleteObject(p));
    EXPECT_EQ(SelectObject(l.dc, l.dc), 0u);
    EXPECT_EQ(GetTextColor(0x12345678u), CLR_INVALID);
    EXPECT_FALSE(LineTo(p, 1, 1));
    // Stock objects survive DeleteObject.
    HGDIOBJ w = GetStockObject(WHITE_BRUSH);
    EXPECT_TRUE(DeleteObject(w));
    EXPECT_EQ(GetObjectType(w), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetStockObject(99), 0u);
    // A selected object is kept until it is deselected.
    HBRUSH b = CreateSolidBrush(RGB(1, 1, 1));
    HGDIOBJ alt = SelectObject(l.dc, b);
    EXPECT_EQ(alt, GetStockObject(WHITE_BRUSH));
    EXPECT_FALSE(DeleteObject(b));
    EXPECT_EQ(SelectObject(l.dc, alt), b);
    EXPECT_TRUE(DeleteObject(b));
}

TEST(GdiZustand, SaveAndRestoreBringBackObjectsColoursMappingAndClip)
{
    GdiLeinwand l(20, 20);
    HPEN rot = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    int n1 = SaveDC(l.dc);
    EXPECT_EQ(n1, 1);
    SelectObject(l.dc, rot);
    SetTextColor(l.dc, RGB(1, 2, 3));
    SetMapMode(l.dc, MM_ANISOTROPIC);
    SetViewportOrgEx(l.dc, 5, 5, nullptr);
    IntersectClipRect(l.dc, 0, 0, 2, 2);
    int n2 = SaveDC(l.dc);
    EXPECT_EQ(n2, 2);
    SetTextColor(l.dc, RGB(7, 7, 7));
    // A pen held by a saved state is not deleted while the state lives.
    SelectObject(l.dc, GetStockObject(BLACK_PEN));
    EXPECT_FALSE(DeleteObject(rot));
    EXPECT_TRUE(RestoreDC(l.dc, -1));
    EXPECT_EQ(GetTextColor(l.dc), RGB(1, 2, 3));
    EXPECT_EQ(GetCurrentObject(l.dc, OBJ_PEN), rot);
    EXPECT_TRUE(RestoreDC(l.dc, n1));
    EXPECT_EQ(GetTextColor(l.dc), SCHWARZ);
    EXPECT_EQ(GetMapMode(l.dc), MM_TEXT);
    EXPECT_EQ(GetCurrentObject(l.dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    RECT box;
    EXPECT_EQ(GetClipBox(l.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 20);
    EXPECT_FALSE(RestoreDC(l.dc, 1));  // nothing left to restore
    EXPECT_TRUE(DeleteObject(rot));
    // Freeing a DC lets go of the objects of its saved states too.
    HDC m = CreateCompatibleDC(0);
    HPEN blau = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    SelectObject(m, blau);
    SaveDC(m);
    SelectObject(m, GetStockObject(BLACK_PEN));
    EXPECT_FALSE(DeleteObject(blau));
    DeleteDC(m);
    EXPECT_TRUE(DeleteObject(blau));
}

TEST(GdiClip, RectanglesRegionsAndTheClipBox)
{
    GdiLeinwand l(30, 20);
    struct Fall {
        const char* was;
        int x, y;
        COLORREF erwartet;
    };
    IntersectClipRect(l.dc, 5, 5, 25, 15);
    ExcludeClipRect(l.dc, 10, 8, 14, 12);
    RECT rc{0, 0, 30, 20};
    FillRect(l.dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    Fall faelle[] = {{"outside", 2, 2, WEISS}, {"inside", 6, 6, SCHWARZ}, {"excluded", 11, 9, WEISS},
                     {"right edge", 24, 14, SCHWARZ}, {"past right", 25, 14, WEISS}};
    for (const Fall& f : faelle) EXPECT_EQ(gdiTestPixel(l.s, f.x, f.y), f.erwartet) << f.was;
    RECT box;
    EXPECT_EQ(GetClipBox(l.dc, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 5);
    EXPECT_EQ(box.right, 25);
    EXPECT_EQ(box.bottom, 15);
    // SelectClipRgn replaces; the region is copied; NULL removes the clip.
    HRGN r = CreateRectRgn(0, 0, 3, 3);
    HRGN r2 = CreateRectRgn(27, 0, 30, 3);
    EXPECT_EQ(CombineRgn(r, r, r2, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(r, 28, 1));
    EXPECT_FALSE(PtInRegion(r, 5, 1));
    SelectClipRgn(l.dc, r);
    DeleteObject(r);
    SetPixel(l.dc, 1, 1, RGB(9, 9, 9));
    SetPixel(l.dc, 15, 1, RGB(9, 9, 9));
    EXPECT_EQ(gdiTestPixel(l.s, 1, 1), RGB(9, 9, 9));
    EXPECT_EQ(gdiTestPixel(l.s, 15, 1), WEISS);
    HRGN aus = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(GetClipRgn(l.dc, aus), 1);
    EXPECT_TRUE(PtInRegion(aus, 28, 2));
    SelectClipRgn(l.dc, 0);
    EXPECT_EQ(GetClipRgn(l.dc, aus), 0);
    EXPECT_EQ(OffsetRgn(aus, 10, 10), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(aus, 38, 12));
    CombineRgn(aus, aus, r2, RGN_DIFF);
    RECT rb;
    EXPECT_EQ(GetRgnBox(aus, &rb), COMPLEXREGION);
    EXPECT_EQ(rb.left, 10);
    EXPECT_EQ(rb.right, 40);
    DeleteObject(aus);
    DeleteObject(r2);
}

TEST(GdiClip, WindowDcClipAndOriginFromTheWindowManager)
{
    // A child window at (10,5) of its top-level surface, visible part 8x4.
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 40, 20);
    RECT sicht{0, 0, 8, 4};
    HDC dc = gdiDcFensterErzeugen(s, POINT{10, 5}, &sicht);
    RECT rc{-5, -5, 50, 50};
    HBRUSH rot = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &rc, rot);
    DeleteObject(rot);
    RECT t = gdiTestTinte(s, 0);
    EXPECT_EQ(t.left, 10);
    EXPECT_EQ(t.top, 5);
    EXPECT_EQ(t.right, 18);
    EXPECT_EQ(t.bottom, 9);
    // ARGB surfaces stay opaque where drawn.
    cairo_surface_flush(s);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s))[5 * 40 + 10], 0xFFFF0000u);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 8, 0), CLR_INVALID);
    RECT box;
    GetClipBox(dc, &box);
    EXPECT_EQ(box.right, 8);
    POINT u;
    EXPECT_EQ(gdiDcOberflaeche(dc, &u), s);
    EXPECT_EQ(u.x, 10);
    gdiDcFreigeben(dc);
    cairo_surface_destroy(s);
}

TEST(GdiGeraet, CapabilitiesOfScreenMemoryAndPrinter)
{
    GdiLeinwand l(4, 4);
    struct Fall {
        int index, wert;
    } schirm[] = {{LOGPIXELSX, 96}, {LOGPIXELSY, 96}, {HORZRES, 1920}, {VERTRES, 1080},
                  {BITSPIXEL, 32},  {TECHNOLOGY, DT_RASDISPLAY}, {PHYSICALOFFSETX, 0}};
    for (const Fall& f : schirm) EXPECT_EQ(GetDeviceCaps(l.dc, f.index), f.wert) << f.index;
    HDC m = CreateCompatibleDC(l.dc);
    EXPECT_EQ(GetDeviceCaps(m, BITSPIXEL), 1);  // holds the 1x1 monochrome bitmap
    EXPECT_EQ(GetDeviceCaps(m, LOGPIXELSX), 96);
    DeleteDC(m);

    std::string pfad = "/tmp/gdidc_test_drucker.pdf";
    cairo_surface_t* pdf = cairo_pdf_surface_create(pfad.c_str(), 595.28, 841.89);
    GdiGeraet g;
    g.technik = DT_RASPRINTER;
    g.logpixelsx = g.logpixelsy = 600;
    g.horzres = 4760;
    g.vertres = 6814;
    g.horzsize = 202;
    g.vertsize = 289;
    g.physicalwidth = 4960;
    g.physicalheight = 7014;
    g.physicaloffsetx = g.physicaloffsety = 100;
    HDC d = gdiDcVektorErzeugen(pdf, g);
    ASSERT_NE(d, 0u);
    Fall drucker[] = {{LOGPIXELSX, 600}, {HORZRES, 4760}, {PHYSICALWIDTH, 4960}, {PHYSICALOFFSETY, 100},
                      {TECHNOLOGY, DT_RASPRINTER}, {HORZSIZE, 202}};
    for (const Fall& f : drucker) EXPECT_EQ(GetDeviceCaps(d, f.index), f.wert) << f.index;
    EXPECT_EQ(GetPixel(d, 1, 1), CLR_INVALID);  // no pixels to read on paper
    Rectangle(d, 600, 600, 1800, 1200);
    HFONT f = CreateFont(-100, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    SelectObject(d, f);
    TextOut(d, 600, 1400, "Seite 1", 7);
    EXPECT_TRUE(gdiDcSeiteBeenden(d));
    cairo_pdf_surface_set_size(pdf, 841.89, 595.28);
    std::swap(g.horzres, g.vertres);
    EXPECT_TRUE(gdiDcGeraetSetzen(d, g));
    EXPECT_EQ(GetDeviceCaps(d, HORZRES), 6814);
    TextOut(d, 600, 600, "Seite 2", 7);
    EXPECT_TRUE(gdiDcVektorAbschliessen(d));
    EXPECT_FALSE(LineTo(d, 5, 5));  // finished: nothing more is drawn
    SelectObject(d, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
    gdiDcFreigeben(d);
    cairo_surface_destroy(pdf);
    FILE* fp = std::fopen(pfad.c_str(), "rb");
    ASSERT_NE(fp, nullptr);
    char kopf[5] = {};
    EXPECT_EQ(std::fread(kopf, 1, 4, fp), 4u);
    std::fclose(fp);
    EXPECT_STREQ(kopf, "%PDF");
    std::remove(pfad.c_str());
}

// A recorder that writes down the calls it gets.
std::vector<std::string> gdiProtokoll;
#define GDI_MERKEN(name, ...)                      \
    [](HDC, __VA_ARGS__) -> BOOL {                 \
        gdiProtokoll.emplace_back(name);           \
        return TRUE;                               \
    }

GdiRecorder gdiTestRecorder()
{
    GdiRecorder r{};
    r.SaveDC = [](HDC) -> BOOL { gdiProtokoll.emplace_back("SaveDC"); return TRUE; };
    r.RestoreDC = GDI_MERKEN("RestoreDC", int);
    r.SetTextColor = GDI_MERKEN("SetTextColor", COLORREF);
    r.SetBkColor = GDI_MERKEN("SetBkColor", COLORREF);
    r.SetBkMode = GDI_MERKEN("SetBkMode", int);
    r.SetROP2 = GDI_MERKEN("SetROP2", int);
    r.SetPolyFillMode = GDI_MERKEN("SetPolyFillMode", int);
    r.SetStretchBltMode = GDI_MERKEN("SetStretchBltMode", int);
    r.SetTextAlign = GDI_MERKEN("SetTextAlign", UINT);
    r.SetMapMode = GDI_MERKEN("SetMapMode", int);
    r.SetWindowOrgEx = GDI_MERKEN("SetWindowOrgEx", int, int);
    r.SetWindowExtEx = GDI_MERKEN("SetWindowExtEx", int, int);
    r.SetViewportOrgEx = GDI_MERKEN("SetViewportOrgEx", int, int);
    r.SetViewportExtEx = GDI_MERKEN("SetViewportExtEx", int, int);
    r.OffsetWindowOrgEx = GDI_MERKEN("OffsetWindowOrgEx", int, int);
    r.OffsetViewportOrgEx = GDI_MERKEN("OffsetViewportOrgEx", int, int);
    r.SetGraphicsMode = GDI_MERKEN("SetGraphicsMode", int);
    r.SetWorldTransform = GDI_MERKEN("SetWorldTransform", const XFORM*);
    r.ModifyWorldTransform = GDI_MERKEN("ModifyWorldTransform", const XFORM*, DWORD);
    r.SetBrushOrgEx = GDI_MERKEN("SetBrushOrgEx", int, int);
    r.MoveToEx = GDI_MERKEN("MoveToEx", int, int);
    r.SelectObject = GDI_MERKEN("SelectObject", HGDIOBJ);
    r.DeleteObject = GDI_MERKEN("DeleteObject", HGDIOBJ);
    r.SelectClipRgn = GDI_MERKEN("SelectClipRgn", HRGN);
    r.IntersectClipRect = GDI_MERKEN("IntersectClipRect", int, int, int, int);
    r.ExcludeClipRect = GDI_MERKEN("ExcludeClipRect", int, int, int, int);
    r.LineTo = GDI_MERKEN("LineTo", int, int);
    r.Polyline = GDI_MERKEN("Polyline", const POINT*, int);
    r.Polygon = GDI_MERKEN("Polygon", const POINT*, int);
    r.PolyPolygon = GDI_MERKEN("PolyPolygon", const POINT*, const INT*, int);
    r.Rectangle = GDI_MERKEN("Rectangle", int, int, int, int);
    r.RoundRect = GDI_MERKEN("RoundRect", int, int, int, int, int, int);
    r.Ellipse = GDI_MERKEN("Ellipse", int, int, int, int);
    r.Arc = GDI_MERKEN("Arc", int, int, int, int, int, int, int, int);
    r.Pie = GDI_MERKEN("Pie", int, int, int, int, int, int, int, int);
    r.Chord = GDI_MERKEN("Chord", int, int, int, int, int, int, int, int);
    r.FillRect = GDI_MERKEN("FillRect", const RECT*, HBRUSH);
    r.FrameRect = GDI_MERKEN("FrameRect", const RECT*, HBRUSH);
    r.InvertRect = GDI_MERKEN("InvertRect", const RECT*);
    r.DrawFocusRect = GDI_MERKEN("DrawFocusRect", const RECT*);
    r.FillRgn = GDI_MERKEN("FillRgn", HRGN, HBRUSH);
    r.PatBlt = GDI_MERKEN("PatBlt", int, int, int, int, DWORD);
    r.SetPixel = GDI_MERKEN("SetPixel", int, int, COLORREF);
    r.ExtTextOut = GDI_MERKEN("ExtTextOut", int, int, UINT, const RECT*, LPCSTR, UINT, const INT*);
    r.BitBlt = GDI_MERKEN("BitBlt", int, int, int, int, HDC, int, int, DWORD);
    r.StretchBlt = GDI_MERKEN("StretchBlt", int, int, int, int, HDC, int, int, int, int, DWORD);
    r.StretchDIBits = GDI_MERKEN("StretchDIBits", int, int, int, int, int, int, int, int, const void*,
                                 const BITMAPINFO*, UINT, DWORD);
    return r;
}

TEST(GdiRecorder, CallsGoToTheRecorderAndStateIsKept)
{
    static const GdiRecorder rec = gdiTestRecorder();
    int kontext = 7;
    HDC m = gdiDcRecorderErzeugen(&rec, &kontext, OBJ_ENHMETADC);
    ASSERT_NE(m, 0u);
    EXPECT_EQ(gdiDcRecorderKontext(m), &kontext);
    EXPECT_EQ(gdiDcArt(m), OBJ_ENHMETADC);
    EXPECT_EQ(GetObjectType(m), static_cast<DWORD>(OBJ_ENHMETADC));
    gdiProtokoll.clear();
    SetTextColor(m, RGB(1, 2, 3));
    HPEN p = CreatePen(PS_SOLID, 1, 0);
    SelectObject(m, p);
    MoveToEx(m, 1, 1, nullptr);
    LineTo(m, 5, 5);
    TextOut(m, 0, 0, "Hallo", 5);
    RECT rc{0, 0, 100, 40};
    DrawText(m, "Zeile", -1, &rc, DT_LEFT | DT_SINGLELINE);
    SelectObject(m, GetStockObject(BLACK_PEN));
    DeleteObject(p);
    std::vector<std::string> erwartet{"SetTextColor", "SelectObject", "MoveToEx", "LineTo",   "ExtTextOut",
                                      "SetTextAlign", "ExtTextOut",   "SetTextAlign", "SelectObject", "DeleteObject"};
    EXPECT_EQ(gdiProtokoll, erwartet);
    EXPECT_EQ(GetTextColor(m), RGB(1, 2, 3));
    POINT pos;
    GetCurrentPositionEx(m, &pos);
    EXPECT_EQ(pos.x, 5);
    // Measuring works on a recording DC (as on the screen).
    SIZE sz{};
    EXPECT_TRUE(GetTextExtentPoint32(m, "Hallo", 5, &sz));
    EXPECT_GT(sz.cx, 10);
    EXPECT_TRUE(gdiDcFreigeben(m));
    EXPECT_EQ(gdiDcRecorderKontext(m), nullptr);
}

}  // namespace

namespace {

// Random calls with extreme arguments on every kind of DC: nothing may
// crash, hang or trip the sanitizers.
TEST(GdiRobust, RandomCallsWithExtremeArgumentsOnEveryKindOfDc)
{
    uint32_t z = 4711;
    auto zufall = [&](int n) {
        z = z * 1664525u + 1013904223u;
        return static_cast<int>((z >> 8) % static_cast<uint32_t>(n));
    };
    const int werte[] = {0, 1, -1, 7, 63, -64, 100000, -100000, 2147483647, -2147483647 - 1, 1 << 30, 40};
    auto w = [&]() { return zufall(3) == 0 ? werte[zufall(12)] : zufall(90) - 10; };
    cairo_surface_t* bild = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 64, 48);
    HDC fenster = gdiDcFensterErzeugen(bild, POINT{3, 2}, nullptr);
    HDC mono = CreateCompatibleDC(0);
    HDC speicher = CreateCompatibleDC(0);
    HBITMAP bm = CreateBitmap(40, 30, 1, 32, nullptr);
    SelectObject(speicher, bm);
    cairo_surface_t* pdf = cairo_pdf_surface_create("/tmp/gdirobust.pdf", 200, 200);
    GdiGeraet g;
    g.technik = DT_RASPRINTER;
    g.logpixelsx = g.logpixelsy = 300;
    HDC drucker = gdiDcVektorErzeugen(pdf, g);
    HDC dcs[] = {fenster, mono, speicher, drucker};
    HPEN stifte[] = {CreatePen(PS_DASH, 1, RGB(1, 2, 3)), CreatePen(PS_SOLID, 9, RGB(200, 0, 0)),
                     CreatePen(PS_INSIDEFRAME, 3, 0)};
    HBRUSH pinsel[] = {CreateHatchBrush(HS_CROSS, RGB(0, 0, 255)), CreateSolidBrush(RGB(9, 9, 9))};
    HFONT schrift = CreateFont(-1000000, 5000000, 3333, 0, 5000, 1, 1, 1, 0, 0, 0, 0, 0, "Arial");
    for (int i = 0; i < 1500; ++i) {
        HDC dc = dcs[zufall(4)];
        RECT rc{w(), w(), w(), w()};
        POINT pts[4] = {{w(), w()}, {w(), w()}, {w(), w()}, {w(), w()}};
        switch (zufall(22)) {
        case 0: SelectObject(dc, stifte[zufall(3)]); break;
        case 1: SelectObject(dc, pinsel[zufall(2)]); break;
        case 2: SetROP2(dc, 1 + zufall(16)); break;
        case 3: MoveToEx(dc, w(), w(), nullptr), LineTo(dc, w(), w()); break;
        case 4: Rectangle(dc, w(), w(), w(), w()); break;
        case 5: Ellipse(dc, w(), w(), w(), w()); break;
        case 6: Pie(dc, w(), w(), w(), w(), w(), w(), w(), w()); break;
        case 7: Polygon(dc, pts, 1 + zufall(4)); break;
        case 8: FillRect(dc, &rc, pinsel[zufall(2)]); break;
        case 9: BitBlt(dc, w(), w(), w(), w(), dcs[zufall(4)], w(), w(), zufall(2) ? SRCINVERT : (0x00010000u * zufall(256)) | 0x20); break;
        case 10: StretchBlt(dc, w(), w(), w(), w(), dcs[zufall(4)], w(), w(), w(), w(), SRCCOPY); break;
        case 11: SelectObject(dc, zufall(2) ? schrift : GetStockObject(SYSTEM_FONT)); break;
        case 12: TextOut(dc, w(), w(), "Probe \x80\xE4", 8); break;
        case 13: DrawText(dc, "a&b\tc\r\nzweite Zeile", -1, &rc, static_cast<UINT>(zufall(1 << 18))); break;
        case 14: SetMapMode(dc, zufall(2) ? MM_ANISOTROPIC : MM_TEXT), SetWindowExtEx(dc, w(), w(), nullptr),
                 SetViewportExtEx(dc, w(), w(), nullptr), SetViewportOrgEx(dc, w(), w(), nullptr); break;
        case 15: {
            SetGraphicsMode(dc, GM_ADVANCED);
            XFORM x{static_cast<FLOAT>(w()), static_cast<FLOAT>(w()), static_cast<FLOAT>(w()), static_cast<FLOAT>(w()),
                    static_cast<FLOAT>(w()), static_cast<FLOAT>(w())};
            SetWorldTransform(dc, &x);
            break;
        }
        case 16: ModifyWorldTransform(dc, nullptr, MWT_IDENTITY), SetGraphicsMode(dc, GM_COMPATIBLE); break;
        case 17: IntersectClipRect(dc, w(), w(), w(), w()); break;
        case 18: SelectClipRgn(dc, 0), ExcludeClipRect(dc, w(), w(), w(), w()); break;
        case 19: SaveDC(dc), RestoreDC(dc, w()); break;
        case 20: Arc(dc, w(), w(), w(), w(), w(), w(), w(), w()), Chord(dc, w(), w(), w(), w(), w(), w(), w(), w()); break;
        default: SetPixel(dc, w(), w(), RGB(1, 1, 1)), GetPixel(dc, w(), w()), InvertRect(dc, &rc), DrawFocusRect(dc, &rc); break;
        }
    }
    for (HDC dc : dcs) {
        SelectObject(dc, GetStockObject(BLACK_PEN));
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        while (RestoreDC(dc, -1)) {
        }
        SelectObject(dc, GetStockObject(BLACK_PEN));
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
    }
    gdiDcFreigeben(fenster);
    DeleteDC(mono);
    DeleteDC(speicher);
    gdiDcVektorAbschliessen(drucker);
    gdiDcFreigeben(drucker);
    for (HPEN p : stifte) EXPECT_TRUE(DeleteObject(p));
    for (HBRUSH b : pinsel) EXPECT_TRUE(DeleteObject(b));
    EXPECT_TRUE(DeleteObject(schrift));
    EXPECT_TRUE(DeleteObject(bm));
    cairo_surface_destroy(pdf);
    cairo_surface_destroy(bild);
    std::remove("/tmp/gdirobust.pdf");
}

}  // namespace
