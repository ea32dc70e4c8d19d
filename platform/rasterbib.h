// The raster image library of the platform layer: reads, scales, turns,
// reduces and writes BMP, JPEG and PNG pictures under the call names the
// program uses (`bmpinfo`, `allocimage`, `loadpng`, `savejpg`, ...); file
// prefix `rasterbib`. Owns the images made by `allocimage` (a table of live
// images) and nothing else. Calls platform/bild (its bounds-checked BMP
// reader and whole-file helpers, so all file access goes through the
// file-system boundary, with '\' and ignore-case lookup and atomic
// replacement), platform/gdi (the DIB section behind every image), libpng and
// libjpeg(-turbo).
//
// Return codes: RB_OK (0, also NO_ERROR) on success, a negative RB_FEHLER_...
// value on failure; callers test for 0. `rasterbibFehlertext` gives the
// reason of the last failure as a short English text (for logs).
//
// The image descriptor `imgdes`:
//  - `ibuff` are the bits of a bottom-up DIB section (`hBitmap`, a real GDI
//    bitmap): the buffer IS the bitmap's memory, so what GDI draws into the
//    bitmap (select it into a memory DC) is in `ibuff`, and what is written
//    into `ibuff` is what the bitmap shows. Rows are `buffwidth` bytes
//    (padded to 4), the last picture row first.
//  - 24 bits: blue, green, red per pixel. 8 bits: palette indices; `palette`
//    has 256 entries (the unused ones black), `colors` of them are the
//    picture's colours.
//  - `bmh` is the BITMAPINFOHEADER of the DIB, followed by the colour table,
//    so `(BITMAPINFO*)bmh` is a complete BITMAPINFO for StretchDIBits.
//  - stx, sty, endx, endy: the area every operation works on, inclusive,
//    columns from the left and rows from the top; `allocimage` sets the whole
//    image. Loads place the file's top-left corner at (stx, sty), clipped to
//    the area; a palette file loaded into an 8-bit image gives the whole
//    image the file's palette.
//  - `id` ties the descriptor to the library's table: a copy made by
//    `copyimgdes` describes the same image; once either copy is freed, the
//    other is refused (RB_FEHLER_BILD), never followed into freed memory.
//    Changing an 8-bit image's palette (a load of a palette file,
//    `convertrgbtopal`) makes a new DIB section: `ibuff` and `hBitmap` of
//    the passed descriptor change and older copies become stale.
//
// `allocimage` takes 24 or 8 bits, and also a file's own bit count from an
// info call: 1, 4 and 8 make an 8-bit palette image; 16, 32 (and 48/64 of
// some PNGs) make a 24-bit image. Transparent pixels are laid on white.
// Limits: each side at most RASTERBIB_KANTESUP, at most RASTERBIB_PIXELSUP
// pixels (what a GDI bitmap holds), at most RASTERBIB_BYTESUP bytes of
// pixels; beyond them RB_FEHLER_GROESSE.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gdi.h"
#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef NO_ERROR
#define NO_ERROR 0
#endif

inline constexpr int RB_OK = 0;
inline constexpr int RB_FEHLER_DATEI = -1;      // file cannot be opened or read
inline constexpr int RB_FEHLER_FORMAT = -2;     // not a valid file of the kind, or truncated
inline constexpr int RB_FEHLER_GROESSE = -3;    // sizes beyond the limits, or not matching
inline constexpr int RB_FEHLER_SPEICHER = -4;   // memory or bitmap cannot be had
inline constexpr int RB_FEHLER_BITS = -5;       // bit count not handled, or source and target differ
inline constexpr int RB_FEHLER_BILD = -6;       // descriptor not a live image, or its area outside it
inline constexpr int RB_FEHLER_SCHREIBEN = -7;  // the file cannot be written (no file is left)
inline constexpr int RB_FEHLER_ARGUMENT = -8;   // a null pointer or a value out of range

inline constexpr int RASTERBIB_KANTESUP = 30000;
inline constexpr int64_t RASTERBIB_PIXELSUP = int64_t{1} << 26;
inline constexpr int64_t RASTERBIB_BYTESUP = int64_t{512} * 1024 * 1024;

struct imgdes {
    unsigned char* ibuff = nullptr;  // pixel buffer, bottom-up DIB rows
    int stx = 0, sty = 0;            // working area: first column and row (rows from the top)
    int endx = 0, endy = 0;          // last column and row, inclusive
    int buffwidth = 0;               // bytes per buffer row (padded to 4)
    int bits = 0;                    // 8 or 24
    int colors = 0;                  // palette entries in use (8 bits), else 0
    RGBQUAD* palette = nullptr;      // 256 entries for 8 bits, else null
    BITMAPINFOHEADER* bmh = nullptr; // header of the DIB, colour table behind it
    HBITMAP hBitmap = 0;             // the DIB section whose bits are ibuff
    uint32_t id = 0;                 // the library's own: which live image
};

// What an info call reads from a file's header.
struct imginfo {
    int width = 0;
    int height = 0;
    int bpp = 0;  // bits per pixel of the file (PNG: depth x channels)
};

// Load and release of the library (at start and exit). Freeing releases every
// image still alive and says how many there were.
int rasterbibLaden();
int rasterbibFreigeben();
int rasterbibLebend();  // images alive now
const char* rasterbibFehlertext();

int bmpinfo(const char* pfad, imginfo* info);
int jpeginfo(const char* pfad, imginfo* info);
int pnginfo(const char* pfad, imginfo* info);

int allocimage(imgdes* img, int breite, int hoehe, int bits);
int freeimage(imgdes* img);
int copyimgdes(const imgdes* quelle, imgdes* ziel);

int loadbmp(const char* pfad, imgdes* img);
int loadjpg(const char* pfad, imgdes* img);
int loadpng(const char* pfad, imgdes* img);

// Area of `quelle` scaled into the area of `ziel` (same bits; box average
// when shrinking, nearest pixel when growing; 8 bits: nearest, palette
// copied).
int resize(const imgdes* quelle, imgdes* ziel);
// Area of `quelle` turned by a quarter into the area of `ziel`, whose size
// must be the swapped one; `richtung` 1 counter-clockwise, 0 clockwise.
int rotate90(int richtung, const imgdes* quelle, imgdes* ziel);
// A 24-bit area into an 8-bit one of the same size with at most `farben`
// (2..256) palette colours: the picture's own colours when they fit, else a
// fixed colour cube with the nearest colour per pixel.
int convertrgbtopal(int farben, const imgdes* quelle, imgdes* ziel);

// Writers of the working area. savebmp: uncompressed BI_RGB whatever
// `kompression` (every reader takes it); 8-bit images keep their 256-entry
// palette. savejpg: `qualitaet` 1..100 (8-bit images are written in
// colour). savepng: `modus` 0 (the default compression; other values are
// taken as 0); 8-bit images become palette PNGs.
int savebmp(const char* pfad, const imgdes* img, int kompression);
int savejpg(const char* pfad, const imgdes* img, int qualitaet);
int savepng(const char* pfad, const imgdes* img, int modus);
// Writes w x h BGR pixels (rows `zeile` bytes apart, top row first) as the
// PNG savepng makes of the same pixels, without an image of the library in
// between: for a picture drawn elsewhere, written once.
int savepngbgr(const char* pfad, const uint8_t* bgr, int breite, int hoehe, size_t zeile);
// Writes a GDI bitmap's pixels as the PNG savepngbgr makes of the same
// pixels, encoded straight from the bitmap's own memory: a picture drawn
// into a bitmap is written without reading it back first.
int savepngbitmap(const char* pfad, HBITMAP bitmap);
