// Internals shared by the metafile modules (metafile.cpp, metafile_wmf.cpp,
// metafile_emf.cpp); nothing else includes this header. Prefix `meta`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/metafile.h"

// A metafile held by handle: its bits (bare WMF, or a whole EMF) checked once
// when it was made.
struct metaDatei {
    std::vector<uint8_t> bits;
};

// Makes handles for checked bits (0 when the table is full).
HMETAFILE metaWmfAnlegen(std::vector<uint8_t> bits);
HENHMETAFILE metaEmfAnlegen(std::vector<uint8_t> bits);
const metaDatei* metaWmfFinden(HMETAFILE h);
const metaDatei* metaEmfFinden(HENHMETAFILE h);

// Records the reason of a refusal for plMetaFehler; returns FALSE/0.
int metaFehler(const std::string& text);
void metaFehlerLoeschen();

// What a recorder needs to know of a GDI object.
struct metaObjekt {
    DWORD art = 0;  // OBJ_PEN, OBJ_EXTPEN, OBJ_BRUSH, OBJ_FONT, OBJ_REGION, ...; 0 unknown
    LOGPEN stift{};
    DWORD stiftStil = 0;  // full style of an extended pen
    LOGBRUSH pinsel{};
    std::vector<uint8_t> musterDib;  // packed DIB of a pattern brush (empty: none)
    LOGFONT schrift{};
};
bool metaObjektLesen(HGDIOBJ h, metaObjekt& o);
// Index of a stock object (0..19), or -1.
int metaStockIndex(HGDIOBJ h);

// The pixels of the rectangle (xs, ys, ws, hs) of the bitmap selected into
// `src` as a packed 24-bit DIB; a monochrome source takes `text` for black
// and `hinter` for white, as a mono-to-colour blit does. False when `src`
// holds no bitmap or the rectangle misses it.
bool metaDibAusDc(HDC src, int xs, int ys, int ws, int hs, COLORREF text, COLORREF hinter, std::vector<uint8_t>& dib);
// Bytes of a BITMAPINFO (header, masks, colour table) and of its bits.
bool metaDibGroessen(const BITMAPINFO* bmi, UINT usage, size_t& kopf, size_t& bits);

// Code page 1252 <-> UTF-16 units (unmappable units become '?').
std::vector<uint16_t> metaNach16(const char* text, size_t n);
std::string metaAus16(const uint16_t* text, size_t n);

// Writes the recorded bits to `datei` (when given): 0 or -1.
int metaDateiSchreiben(const std::string& datei, const std::vector<uint8_t>& bits);
