// Shared helpers of the raster image and picture file tests: whole files as
// bytes, whether a path exists, and the colour of one pixel of an image.
// Header-only, namespace bildpruef; uses only platform headers.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/rasterbib.h"
#include "platform/windef.h"

namespace bildpruef {

inline std::vector<uint8_t> bytesLesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void bytesSchreiben(const std::string& pfad, const std::vector<uint8_t>& d)
{
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(d.data()), static_cast<std::streamsize>(d.size()));
}

inline bool gibtEs(const std::string& pfad)
{
    struct stat st;
    return stat(pfad.c_str(), &st) == 0;
}

// Pixel (x, y from the top) of an image, through the palette for 8 bits.
inline COLORREF pixel(const imgdes& img, int x, int y)
{
    const uint8_t* z = img.ibuff + static_cast<size_t>(img.bmh->biHeight - 1 - y) * img.buffwidth;
    if (img.bits == 8) {
        const RGBQUAD& f = img.palette[z[x]];
        return RGB(f.rgbRed, f.rgbGreen, f.rgbBlue);
    }
    return RGB(z[3 * x + 2], z[3 * x + 1], z[3 * x]);
}

// Each channel within `abstand` (lossy formats and scaling blur colours).
inline bool nahe(COLORREF a, COLORREF b, int abstand = 40)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= abstand && std::abs(GetGValue(a) - GetGValue(b)) <= abstand &&
           std::abs(GetBValue(a) - GetBValue(b)) <= abstand;
}

}  // namespace bildpruef
