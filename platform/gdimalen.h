// Drawing internals of the GDI layer shared by gdimalen.cpp (shapes, the
// pixel rules and raster operations), gdibild.cpp (blits) and gditext.cpp.
// Prefix `gdi`. Nothing outside these files includes it.
#pragma once

#include <functional>
#include <vector>

#include "platform/gdiimpl.h"

// Bitwise raster operations on pixels (0x??RRGGBB); the result is opaque.
uint32_t gdiRop2(int rop2, uint32_t pen, uint32_t dst);
uint32_t gdiRop3(DWORD rop, uint32_t pat, uint32_t src, uint32_t dst);
bool gdiRop3MitQuelle(DWORD rop);
bool gdiRop3MitMuster(DWORD rop);

// A brush resolved for one DC: colours already in the DC's pixel terms.
struct GdiMuster {
    enum Art { Leer, Farbe, Schraffur, Bild } art = Leer;
    uint32_t farbe = 0;           // solid, hatch line, or pattern's 0 bits (mono)
    uint32_t hinten = 0;          // hatch background, pattern's 1 bits (mono)
    bool hintenDeckend = false;   // hatch background drawn (OPAQUE)
    ULONG_PTR schraffur = 0;
    cairo_surface_t* bild = nullptr;
    const uint32_t* daten = nullptr;
    int stride = 0, bw = 0, bh = 0;
    bool mono = false;            // the pattern is a monochrome bitmap
    bool zuMono = false;          // a colour pattern on a monochrome target
    int ox = 0, oy = 0;           // brush origin in surface pixels
};
GdiMuster gdiMusterVon(GdiDc* dc, HBRUSH h);
bool gdiMusterPixel(const GdiMuster& m, int x, int y, uint32_t& px);
cairo_pattern_t* gdiMusterCairo(const GdiMuster& m, double skala);

// The DC's pen resolved for drawing.
struct GdiStiftInfo {
    bool leer = false;
    DWORD stil = PS_SOLID;
    uint32_t farbe = 0, hinten = 0;
    bool bkDeckend = false;
    int rop2 = R2_COPYPEN;
    double breite = 1;           // device pixels
    bool dick = false;           // stroked by cairo
    bool geometrisch = false;
    bool innen = false;          // PS_INSIDEFRAME
    std::vector<DWORD> benutzer;
};
GdiStiftInfo gdiStiftInfo(GdiDc* dc);
void gdiStiftSetzen(cairo_t* cr, GdiDc* dc, const GdiStiftInfo& s);

// The pixels of a raster DC's surface.
struct GdiZiel {
    uint32_t* daten = nullptr;
    int stride = 0;
    int w = 0, h = 0;
};
GdiZiel gdiZiel(GdiDc* dc);

// One-pixel line walk over a raster DC.
struct GdiLinie {
    GdiDc* dc = nullptr;
    const GdiStiftInfo* s = nullptr;
    GdiZiel z;
    cairo_region_t* clip = nullptr;
    cairo_rectangle_int_t ce{};
    bool einfach = true;
    const std::vector<int>* muster = nullptr;
    std::vector<int> eigen;
    int stufe = 0, rest = 0;
    bool mono = false;
};

// Keeps a DIB section's memory in step around one drawing call.
struct GdiZeichnung {
    explicit GdiZeichnung(GdiDc* d);
    ~GdiZeichnung();
    GdiZeichnung(const GdiZeichnung&) = delete;
    GdiZeichnung& operator=(const GdiZeichnung&) = delete;
    GdiDc* dc;
};

void gdiFormMalen(GdiDc* dc, int rop2, cairo_rectangle_int_t kasten, const std::function<void(cairo_t*)>& bau);
void gdiLinienStart(GdiDc* dc, GdiLinie& l, const GdiStiftInfo& s);
void gdiLinieZiehen(GdiLinie& l, int64_t x0, int64_t y0, int64_t x1, int64_t y1);
void gdiLinienEnde(GdiLinie& l);

// Reads a DIB (1/4/8/16/24/32 bits, BI_RGB or BI_BITFIELDS, either row
// order) into a new RGB24 surface, top row first; null when the header is
// not readable. `bppAus` gets the DIB's bit count.
cairo_surface_t* gdiDibLesen(const BITMAPINFO* bmi, const void* bits, UINT usage, int* bppAus);
