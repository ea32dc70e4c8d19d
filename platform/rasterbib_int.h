// Internals of the raster image library shared by rasterbib.cpp (images and
// operations) and rasterbib_datei.cpp (file formats); prefix `rb`. Nothing
// outside these two files includes it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rasterbib.h"

// A picture outside any descriptor: `w` x `h`, top row first, rows packed
// without padding; 24 bits blue, green, red, or 8 bits indices into `pal`.
struct RbRaster {
    int w = 0;
    int h = 0;
    int bits = 24;
    std::vector<uint8_t> px;
    std::vector<RGBQUAD> pal;

    size_t zeile() const { return static_cast<size_t>(w) * (bits == 8 ? 1u : 3u); }
    uint8_t* reihe(int y) { return px.data() + static_cast<size_t>(y) * zeile(); }
    const uint8_t* reihe(int y) const { return px.data() + static_cast<size_t>(y) * zeile(); }
};

// Records `text` as the reason of the last failure and gives `code`.
int rbFehler(int code, const char* text);
// RB_OK when a picture of w x h pixels is within the library's limits.
int rbGroessePruefen(int64_t w, int64_t h);
// RB_OK when `img` is a live image of this library and its area lies inside.
int rbPruefen(const imgdes* img);
// The area of `img` as a raster (24 or 8 bits, palette copied).
int rbAusschneiden(const imgdes* img, RbRaster& r);
// Places the raster's top-left corner at (stx, sty) of `img`, clipped to the
// area. An 8-bit raster into an 8-bit image takes over the raster's palette;
// into a 24-bit image it is expanded; a 24-bit raster into an 8-bit image is
// RB_FEHLER_BITS.
int rbAblegen(const RbRaster& r, imgdes* img);
