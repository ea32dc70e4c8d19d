// Helpers of the drawing-layer tests: the pixels of a bitmap, their ink box,
// and the comparison with a golden PNG in tests/data/output/gdi/<name>.png.
// VELMO_GOLDEN_SCHREIBEN=1 rewrites the golden (look at it before checking
// it in), by the goldens' one rule in tests/platform/golden_pruef.h.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "tests/platform/golden_pruef.h"

// The pixels of a bitmap, top row first, 0x00RRGGBB.
struct GdiBildPixel {
    int w = 0, h = 0;
    std::vector<uint32_t> p;
    COLORREF an(int x, int y) const
    {
        uint32_t v = p[static_cast<size_t>(y) * w + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Box of the pixels other than `grund` (right, bottom excluded); all 0 when none.
    RECT tinte(COLORREF grund = RGB(255, 255, 255)) const
    {
        RECT r{w, h, 0, 0};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (an(x, y) != grund) {
                    r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        if (r.right == 0) r = RECT{0, 0, 0, 0};
        return r;
    }
    int anzahl(COLORREF farbe) const
    {
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) n += an(x, y) == farbe;
        return n;
    }
};

inline GdiBildPixel gdiBildLesen(HBITMAP bm)
{
    BITMAP b{};
    GetObject(bm, sizeof b, &b);
    GdiBildPixel r;
    r.w = b.bmWidth;
    r.h = b.bmHeight;
    r.p.assign(static_cast<size_t>(r.w) * r.h, 0);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = r.w;
    bi.bmiHeader.biHeight = -r.h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(0);
    GetDIBits(dc, bm, 0, static_cast<UINT>(r.h), r.p.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    for (uint32_t& v : r.p) v &= 0xFFFFFF;
    return r;
}

inline std::string gdiGoldPfad(const std::string& name)
{
    return std::string(VELMO_TEST_DATA) + "/output/gdi/" + name + ".png";
}

inline bool gdiGoldSchreiben(const GdiBildPixel& b, const std::string& pfad)
{
    std::vector<uint32_t> d = b.p;
    cairo_surface_t* s = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(d.data()),
                                                             CAIRO_FORMAT_RGB24, b.w, b.h, b.w * 4);
    bool ok = cairo_surface_write_to_png(s, pfad.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

inline bool gdiGoldLesen(const std::string& pfad, GdiBildPixel* b)
{
    cairo_surface_t* g = cairo_image_surface_create_from_png(pfad.c_str());
    bool ok = cairo_surface_status(g) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        cairo_surface_flush(g);
        b->w = cairo_image_surface_get_width(g);
        b->h = cairo_image_surface_get_height(g);
        int stride = cairo_image_surface_get_stride(g) / 4;
        const auto* d = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(g));
        b->p.resize(static_cast<size_t>(b->w) * b->h);
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) b->p[static_cast<size_t>(y) * b->w + x] = d[y * stride + x] & 0xFFFFFF;
    }
    cairo_surface_destroy(g);
    return ok;
}

inline ::testing::AssertionResult gdiGolden(const GdiBildPixel& ist, const std::string& name)
{
    const std::string pfad = gdiGoldPfad(name);
    if (golden::neuSchreiben()) {
        if (!gdiGoldSchreiben(ist, pfad)) return ::testing::AssertionFailure() << "cannot write " << pfad;
        return ::testing::AssertionSuccess();
    }
    GdiBildPixel soll;
    if (!gdiGoldLesen(pfad, &soll)) return ::testing::AssertionFailure() << "golden missing: " << pfad;
    if (soll.w != ist.w || soll.h != ist.h) return ::testing::AssertionFailure() << "size differs: " << pfad;
    int anders = 0, ax = -1, ay = -1;
    for (size_t i = 0; i < ist.p.size(); ++i)
        if (ist.p[i] != soll.p[i] && anders++ == 0) ax = static_cast<int>(i % ist.w), ay = static_cast<int>(i / ist.w);
    if (anders == 0) return ::testing::AssertionSuccess();
    const std::string neu = "/tmp/gdi_" + name + "_ist.png";
    gdiGoldSchreiben(ist, neu);
    return ::testing::AssertionFailure() << anders << " pixels differ from " << pfad << ", first at " << ax << ","
                                         << ay << "; this run: " << neu;
}
