// The fast paths of raster blits give exactly the pixels of the general
// loop: every case runs once with them and once without, on noise, and the
// targets must match pixel for pixel (clipped, overlapping, partly outside
// the source, window DCs with an origin, and cases the fast paths leave to
// the general loop).
#include <cstdint>
#include <functional>
#include <vector>

#include "tests/platform/gdi_pruef.h"

namespace {

constexpr int ZW = 64, ZH = 48, QW = 40, QH = 30;

void rauschen(HDC dc, HBITMAP bm, int w, int h, uint32_t saat)
{
    std::vector<uint32_t> p(static_cast<size_t>(w) * h);
    for (uint32_t& v : p) {
        saat = saat * 1664525u + 1013904223u;
        v = saat >> 8;
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    SetDIBits(dc, bm, 0, static_cast<UINT>(h), p.data(), &bi, DIB_RGB_COLORS);
}

struct Speicher {
    HDC dc;
    HBITMAP bm;
    HGDIOBJ alt;
    int w, h;
    Speicher(int w_, int h_, uint32_t saat, bool mono = false) : w(w_), h(h_)
    {
        dc = CreateCompatibleDC(0);
        bm = CreateBitmap(w, h, 1, mono ? 1 : 32, nullptr);
        alt = SelectObject(dc, bm);
        rauschen(dc, bm, w, h, saat);
    }
    ~Speicher()
    {
        SelectObject(dc, alt);
        DeleteDC(dc);
        DeleteObject(bm);
    }
    std::vector<COLORREF> pixel() const
    {
        std::vector<COLORREF> v;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) v.push_back(GetPixel(dc, x, y));
        return v;
    }
};

struct Fall {
    const char* was;
    std::function<void(HDC ziel, HDC quelle)> blit;
    bool mono = false;
};

std::vector<COLORREF> lauf(const Fall& f, bool schnell)
{
    gdiBltSchnellSetzen(schnell);
    Speicher ziel(ZW, ZH, 11, f.mono), quelle(QW, QH, 77);
    f.blit(ziel.dc, quelle.dc);
    gdiBltSchnellSetzen(true);
    return ziel.pixel();
}

void mitPinsel(HDC dc, HBRUSH b, const std::function<void()>& tun)
{
    HGDIOBJ alt = SelectObject(dc, b);
    tun();
    SelectObject(dc, alt);
    DeleteObject(b);
}

TEST(GdiBltSchnell, SamePixelsAsTheGeneralLoop)
{
    const std::vector<Fall> faelle = {
        {"SRCCOPY", [](HDC z, HDC q) { BitBlt(z, 3, 4, 30, 20, q, 5, 6, SRCCOPY); }},
        {"SRCCOPY partly outside source and target",
         [](HDC z, HDC q) { BitBlt(z, -5, 30, 60, 40, q, 20, -4, SRCCOPY); }},
        {"SRCINVERT", [](HDC z, HDC q) { BitBlt(z, 10, 2, 40, 30, q, 0, 0, SRCINVERT); }},
        {"SRCAND", [](HDC z, HDC q) { BitBlt(z, 1, 1, 40, 30, q, 2, 3, SRCAND); }},
        {"SRCPAINT", [](HDC z, HDC q) { BitBlt(z, 20, 10, 40, 30, q, 0, 0, SRCPAINT); }},
        {"SRCCOPY onto itself, overlapping (scrolling)", [](HDC z, HDC) { BitBlt(z, 4, 3, 50, 40, z, 0, 0, SRCCOPY); }},
        {"SRCCOPY onto itself, backwards", [](HDC z, HDC) { BitBlt(z, 0, 0, 50, 40, z, 5, 2, SRCCOPY); }},
        {"SRCCOPY through a clip of two rectangles",
         [](HDC z, HDC q) {
             HRGN a = CreateRectRgn(0, 0, 20, 20), b = CreateRectRgn(30, 10, 60, 40);
             CombineRgn(a, a, b, RGN_OR);
             SelectClipRgn(z, a);
             BitBlt(z, 2, 2, 60, 40, q, 0, 0, SRCCOPY);
             DeleteObject(a);
             DeleteObject(b);
         }},
        {"SRCCOPY through a moved viewport origin",
         [](HDC z, HDC q) {
             SetViewportOrgEx(z, 7, -3, nullptr);
             SetViewportOrgEx(q, -2, 1, nullptr);
             BitBlt(z, 0, 0, 40, 30, q, 0, 0, SRCCOPY);
         }},
        {"SRCCOPY stretched by 1.5 (general loop)", [](HDC z, HDC q) { StretchBlt(z, 0, 0, 60, 45, q, 0, 0, 40, 30, SRCCOPY); }},
        {"SRCCOPY mirrored (general loop)", [](HDC z, HDC q) { StretchBlt(z, 40, 0, -40, 30, q, 0, 0, 40, 30, SRCCOPY); }},
        {"SRCCOPY onto a monochrome target (general loop)", [](HDC z, HDC q) { BitBlt(z, 0, 0, 40, 30, q, 0, 0, SRCCOPY); }, true},
        {"PATCOPY solid", [](HDC z, HDC) { mitPinsel(z, CreateSolidBrush(RGB(1, 2, 3)), [&] { PatBlt(z, 5, 5, 40, 30, PATCOPY); }); }},
        {"PATCOPY hatched (general loop)",
         [](HDC z, HDC) { mitPinsel(z, CreateHatchBrush(HS_CROSS, RGB(200, 0, 0)), [&] { PatBlt(z, 0, 0, 64, 48, PATCOPY); }); }},
        {"PATCOPY with the null brush",
         [](HDC z, HDC) {
             SelectObject(z, GetStockObject(NULL_BRUSH));
             PatBlt(z, 5, 5, 40, 30, PATCOPY);
         }},
        {"PATINVERT solid", [](HDC z, HDC) { mitPinsel(z, CreateSolidBrush(RGB(0x5A, 0xA5, 0x0F)), [&] { PatBlt(z, -3, 10, 80, 20, PATINVERT); }); }},
        {"BLACKNESS", [](HDC z, HDC) { PatBlt(z, 10, 10, 20, 20, BLACKNESS); }},
        {"WHITENESS", [](HDC z, HDC) { PatBlt(z, 10, 10, 70, 70, WHITENESS); }},
        {"DSTINVERT", [](HDC z, HDC) { PatBlt(z, 0, 5, 64, 30, DSTINVERT); }},
        {"DSTINVERT mirrored (general loop)", [](HDC z, HDC) { PatBlt(z, 60, 40, -30, -20, DSTINVERT); }},
        {"NOTSRCCOPY (general loop)", [](HDC z, HDC q) { BitBlt(z, 0, 0, 40, 30, q, 0, 0, NOTSRCCOPY); }},
    };
    for (const Fall& f : faelle) EXPECT_EQ(lauf(f, true), lauf(f, false)) << f.was;
}

TEST(GdiBltSchnell, WindowDcWithOriginAndClip)
{
    for (DWORD rop : {SRCCOPY, SRCINVERT, SRCAND, SRCPAINT, DSTINVERT, PATINVERT}) {
        std::vector<COLORREF> bilder[2];
        for (int k = 0; k < 2; ++k) {
            gdiBltSchnellSetzen(k == 0);
            cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 80, 60);
            RECT clip{2, 3, 50, 40};
            HDC z = gdiDcFensterErzeugen(s, POINT{10, 8}, &clip);
            Speicher hinten(80, 60, 5), quelle(QW, QH, 9);
            BitBlt(z, -10, -8, 80, 60, hinten.dc, 0, 0, SRCCOPY);  // noise under the window
            HBRUSH b = CreateSolidBrush(RGB(0x33, 0xCC, 0x99));
            HGDIOBJ alt = SelectObject(z, b);
            BitBlt(z, -4, 1, 45, 35, quelle.dc, 1, 2, rop);
            SelectObject(z, alt);
            DeleteObject(b);
            for (int y = 0; y < 60; ++y)
                for (int x = 0; x < 80; ++x) bilder[k].push_back(gdiTestPixel(s, x, y));
            gdiDcFreigeben(z);
            cairo_surface_destroy(s);
        }
        gdiBltSchnellSetzen(true);
        EXPECT_EQ(bilder[0], bilder[1]) << std::hex << rop;
    }
}

}  // namespace
