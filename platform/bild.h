// Raster pictures of the platform layer: the bounds-checked BMP/DIB reader
// and writer and PNG reading and writing (through Cairo). Prefix `plBild`,
// `plBmp`, `plDib`, `plPng`. Every reader takes a byte range and never reads
// outside it; anything inconsistent (sizes, offsets, colour indices, RLE runs
// past a row, masks) is refused with -1 and a reason, never guessed at.
// May call: platform/windef.h, platform/winconst.h, Cairo, the standard
// library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/winconst.h"
#include "platform/windef.h"

// Largest picture the readers accept: a side of 32767 pixels (what 16-bit
// metafile coordinates can address) and 64 Mi pixels in all (256 MiB decoded).
inline constexpr int32_t PL_BILD_KANTESUP = 32767;
inline constexpr uint64_t PL_BILD_PIXELSUP = 64ull * 1024 * 1024;

// A decoded picture: `breite` x `hoehe` pixels, top row first, each pixel
// 0xAARRGGBB with premultiplied alpha (Cairo's ARGB32 in native order), so a
// Cairo image surface can use the rows as they are. `bits` and `farben` keep
// what the source was (bits per pixel, colour table), so a caller can make a
// monochrome bitmap of a 1-bit source.
struct plBild {
    int32_t breite = 0;
    int32_t hoehe = 0;
    int bits = 32;
    std::vector<RGBQUAD> farben;
    std::vector<uint32_t> pixel;

    uint32_t& at(int32_t x, int32_t y) { return pixel[static_cast<size_t>(y) * static_cast<size_t>(breite) + static_cast<size_t>(x)]; }
    uint32_t at(int32_t x, int32_t y) const { return pixel[static_cast<size_t>(y) * static_cast<size_t>(breite) + static_cast<size_t>(x)]; }
};

// An opaque pixel of colour `c` (COLORREF 0x00BBGGRR) and back.
inline uint32_t plBildPixel(COLORREF c)
{
    return 0xFF000000u | (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}
inline COLORREF plBildFarbe(uint32_t px)
{
    return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}
// Straight (not premultiplied) components of a pixel.
void plBildEntmultiplizieren(uint32_t px, uint8_t& r, uint8_t& g, uint8_t& b, uint8_t& a);

// A BMP file (BITMAPFILEHEADER then a core, info or V4/V5 header): 0 and the
// picture, or -1 with the reason in `fehler` (when given).
int plBmpLesen(const uint8_t* daten, size_t laenge, plBild& bild, std::string* fehler = nullptr);

// A device-independent bitmap whose header (with masks and colour table) is in
// [kopf, kopf + kopfLaenge) and whose pixel bits are in [bits, bits +
// bitsLaenge) (the two ranges may be parts of one block, as in metafile
// records).
int plDibLesen(const uint8_t* kopf, size_t kopfLaenge, const uint8_t* bits, size_t bitsLaenge, plBild& bild,
               std::string* fehler = nullptr);
// A packed DIB: header, masks, colour table and bits in one block (CF_DIB,
// the bitmaps inside Windows metafile records).
int plDibGepacktLesen(const uint8_t* daten, size_t laenge, plBild& bild, std::string* fehler = nullptr);
// Size in bytes of the header, masks and colour table of the DIB whose header
// starts at `kopf` (so the bits of a packed DIB start there); 0 when the
// header is not a valid one.
size_t plDibKopfGroesse(const uint8_t* kopf, size_t kopfLaenge);

// Writers. `bits` is 24 or 32 (BI_RGB, bottom-up; 32 keeps straight alpha in
// the fourth byte) or 8 (a colour table of the picture's own colours; -1 when
// it has more than 256). The file form has the 14-byte file header; the DIB
// form is a packed DIB with a BITMAPINFOHEADER. Both -1 for an empty picture
// or another bit count.
int plBmpSchreiben(const plBild& bild, int bits, std::vector<uint8_t>& aus);
int plDibSchreiben(const plBild& bild, int bits, std::vector<uint8_t>& aus);

// PNG through Cairo: 0 or -1 (a PNG that Cairo refuses, a picture beyond the
// limits above).
int plPngLesen(const uint8_t* daten, size_t laenge, plBild& bild, std::string* fehler = nullptr);
int plPngSchreiben(const plBild& bild, std::vector<uint8_t>& aus);

// Reads a BMP or a PNG, told apart by their first bytes.
int plBildLesen(const uint8_t* daten, size_t laenge, plBild& bild, std::string* fehler = nullptr);

// Whole-file helpers: a file's bytes (-1 when it cannot be read, or is larger
// than `hoechstens`), and writing bytes to a temporary name in the same
// folder that is renamed over `pfad` (-1 when anything fails, leaving no
// temporary file behind).
inline constexpr size_t PL_BILD_DATEISUP = 512u * 1024 * 1024;
int plBildDateiLesen(const char* pfad, std::vector<uint8_t>& aus, size_t hoechstens = PL_BILD_DATEISUP);
int plBildDateiSchreiben(const char* pfad, const uint8_t* daten, size_t laenge);
