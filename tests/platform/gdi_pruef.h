// Helpers of the GDI tests: a canvas (a window DC over an RGB24 image
// surface), pixel reads, ink bounds and golden PNG comparison. Goldens live
// in tests/data/platform/gdi_<name>.png; VELMO_GOLDEN_SCHREIBEN=1 rewrites
// them (look at them before checking them in).
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/gdi.h"
#include "platform/gdiint.h"
#include "tests/platform/golden_pruef.h"

struct GdiLeinwand {
    cairo_surface_t* s = nullptr;
    HDC dc = 0;
    GdiLeinwand(int w, int h, COLORREF grund = RGB(255, 255, 255))
    {
        s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        dc = gdiDcFensterErzeugen(s, POINT{0, 0}, nullptr);
        RECT rc{0, 0, w, h};
        HBRUSH b = CreateSolidBrush(grund);
        FillRect(dc, &rc, b);
        DeleteObject(b);
    }
    ~GdiLeinwand()
    {
        gdiDcFreigeben(dc);
        cairo_surface_destroy(s);
    }
    GdiLeinwand(const GdiLeinwand&) = delete;
    GdiLeinwand& operator=(const GdiLeinwand&) = delete;
    COLORREF px(int x, int y) const { return GetPixel(dc, x, y); }
};

// Pixels of a surface as COLORREF (no clip involved).
inline COLORREF gdiTestPixel(cairo_surface_t* s, int x, int y)
{
    cairo_surface_flush(s);
    const auto* d = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s));
    uint32_t p = d[y * (cairo_image_surface_get_stride(s) / 4) + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// The bounding box of pixels differing from `grund` (right/bottom excluded);
// an empty box (0,0,0,0) when there is none.
inline RECT gdiTestTinte(cairo_surface_t* s, COLORREF grund = RGB(255, 255, 255))
{
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    RECT r{w, h, 0, 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (gdiTestPixel(s, x, y) != grund) {
                r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (r.right == 0) r = RECT{0, 0, 0, 0};
    return r;
}

// Compares a surface with its golden PNG pixel by pixel.
inline ::testing::AssertionResult gdiTestGolden(cairo_surface_t* s, const std::string& name)
{
    std::string pfad = std::string(VELMO_TEST_DATA) + "/platform/gdi_" + name + ".png";
    if (golden::neuSchreiben()) {
        cairo_surface_write_to_png(s, pfad.c_str());
        return ::testing::AssertionSuccess() << "rewritten";
    }
    cairo_surface_t* g = cairo_image_surface_create_from_png(pfad.c_str());
    if (cairo_surface_status(g) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(g);
        return ::testing::AssertionFailure() << "golden missing: " << pfad;
    }
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    if (cairo_image_surface_get_width(g) != w || cairo_image_surface_get_height(g) != h) {
        cairo_surface_destroy(g);
        return ::testing::AssertionFailure() << "golden size differs: " << pfad;
    }
    int anders = 0, ax = -1, ay = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (gdiTestPixel(s, x, y) != gdiTestPixel(g, x, y)) {
                if (anders++ == 0) ax = x, ay = y;
            }
    cairo_surface_destroy(g);
    if (anders == 0) return ::testing::AssertionSuccess();
    std::string neu = "/tmp/gdi_" + name + "_ist.png";
    cairo_surface_write_to_png(s, neu.c_str());
    return ::testing::AssertionFailure() << anders << " pixels differ from " << pfad << ", first at " << ax << ","
                                         << ay << "; this run's picture: " << neu;
}
