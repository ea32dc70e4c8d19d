// Internal interface of the GDI layer for the other modules of platform/
// (window manager, metafiles, printing). Prefix `gdi`. Nothing outside
// platform/ includes this header; the rest of the program uses gdi.h.
//
// It offers: device contexts over a caller's cairo image surface (window
// DCs), over a cairo vector surface (printer DCs) and recording DCs whose
// every call goes to a GdiRecorder (metafile DCs); access to objects' data
// for recorders and players. Stable once published: members are only added
// at the end of GdiRecorder.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/windef.h"

// ---- Device capabilities --------------------------------------------------
// What GetDeviceCaps answers for a DC. Sizes in device pixels, millimetres and
// dots per inch as the GDI constants name them.
struct GdiGeraet {
    int technik = DT_RASDISPLAY;  // TECHNOLOGY
    int horzres = 1920;           // HORZRES, pixels
    int vertres = 1080;           // VERTRES
    int horzsize = 508;           // HORZSIZE, mm
    int vertsize = 286;           // VERTSIZE
    int logpixelsx = 96;          // LOGPIXELSX
    int logpixelsy = 96;          // LOGPIXELSY
    int bitspixel = 32;           // BITSPIXEL
    int planes = 1;               // PLANES
    int physicalwidth = 0;        // PHYSICALWIDTH (0: printers only)
    int physicalheight = 0;       // PHYSICALHEIGHT
    int physicaloffsetx = 0;      // PHYSICALOFFSETX
    int physicaloffsety = 0;      // PHYSICALOFFSETY
};

// The screen's capabilities (headless: 1920x1080 at 96 dpi). The window
// manager may set them once at start from its backend.
const GdiGeraet& gdiBildschirm();
void gdiBildschirmSetzen(const GdiGeraet& g);
// Makes the font map at once: fontconfig then reads its configuration on a
// thread of its own while the window system starts, not when the first
// text is measured.
void gdiSchriftenVorbereiten();

// ---- Window DCs -------------------------------------------------------------
// A DC drawing into `surface` (CAIRO_FORMAT_ARGB32 or RGB24 image surface;
// the DC holds a reference) with its device point (0,0) at `ursprung` in
// surface pixels, clipped to `clip` given in the DC's device coordinates
// (nullptr: the whole surface). Anti-aliasing is off; pixels are exact.
// The DC reports the screen's capabilities. Returns 0 on failure.
HDC gdiDcFensterErzeugen(cairo_surface_t* surface, POINT ursprung, const RECT* clip);
// Same, clipped to a set of rectangles (device coordinates), e.g. a visible
// region minus children. An empty set clips everything away.
HDC gdiDcFensterErzeugenRegion(cairo_surface_t* surface, POINT ursprung, const std::vector<RECT>& clip);
// Marks a DC as drawing user interface (its text rendered as the desktop's
// UI text; memory DCs made compatible with it inherit the mark).
void gdiDcOberflaecheSetzen(HDC hdc, bool ja);
// GetTextMetrics' tmHeight of the DC's font, without the widest character
// (which lays out every character of the font); 0 without a DC.
int gdiTextZellHoehe(HDC hdc);
// Frees a DC made by any gdiDc...Erzeugen; the objects selected into it are
// not deleted. FALSE for an unknown handle.
BOOL gdiDcFreigeben(HDC hdc);

// ---- Printer (vector) DCs ---------------------------------------------------
// A DC drawing vectors into `surface` (a cairo PDF or PostScript surface; the
// DC holds a reference). Device pixels are 1/geraet.logpixelsx inch; the DC
// scales them to the surface's points. Device (0,0) is the corner of the
// printable area, physicaloffsetx/y device pixels from the paper's edge. `geraet` sets what GetDeviceCaps says
// (technik DT_RASPRINTER). Anti-aliasing stays on. Returns 0 on failure.
HDC gdiDcVektorErzeugen(cairo_surface_t* surface, const GdiGeraet& geraet);
// Changes the capabilities (ResetDC: orientation or paper changed). The
// caller resizes the surface for the next page itself
// (cairo_pdf_surface_set_size / cairo_ps_surface_set_size) before drawing.
BOOL gdiDcGeraetSetzen(HDC hdc, const GdiGeraet& geraet);
// Ends the current page (cairo_show_page). The DC's state (objects, colours,
// mapping) is kept; the clip is reset to the whole page.
BOOL gdiDcSeiteBeenden(HDC hdc);
// Flushes and finishes the surface (no more drawing after it).
BOOL gdiDcVektorAbschliessen(HDC hdc);

// ---- Recording (metafile) DCs ------------------------------------------------
// One member per GDI call that draws, changes the DC's state, selects or
// deletes objects; each has the call's own arguments (the metafile DC first).
// A recording DC keeps its state (so Get... calls answer) and calls the
// member instead of drawing; a member returning FALSE makes the call fail.
// Text measuring on a recording DC uses a screen reference DC. All members
// must be set. `DeleteObject` is called for every live recording DC when an
// object is deleted, so a recorder can write its deletion.
struct GdiRecorder {
    // state
    BOOL (*SaveDC)(HDC hdc);
    BOOL (*RestoreDC)(HDC hdc, int nSavedDC);
    BOOL (*SetTextColor)(HDC hdc, COLORREF color);
    BOOL (*SetBkColor)(HDC hdc, COLORREF color);
    BOOL (*SetBkMode)(HDC hdc, int mode);
    BOOL (*SetROP2)(HDC hdc, int rop2);
    BOOL (*SetPolyFillMode)(HDC hdc, int mode);
    BOOL (*SetStretchBltMode)(HDC hdc, int mode);
    BOOL (*SetTextAlign)(HDC hdc, UINT align);
    BOOL (*SetMapMode)(HDC hdc, int mode);
    BOOL (*SetWindowOrgEx)(HDC hdc, int x, int y);
    BOOL (*SetWindowExtEx)(HDC hdc, int x, int y);
    BOOL (*SetViewportOrgEx)(HDC hdc, int x, int y);
    BOOL (*SetViewportExtEx)(HDC hdc, int x, int y);
    BOOL (*OffsetWindowOrgEx)(HDC hdc, int dx, int dy);
    BOOL (*OffsetViewportOrgEx)(HDC hdc, int dx, int dy);
    BOOL (*SetGraphicsMode)(HDC hdc, int mode);
    BOOL (*SetWorldTransform)(HDC hdc, const XFORM* xf);
    BOOL (*ModifyWorldTransform)(HDC hdc, const XFORM* xf, DWORD mode);
    BOOL (*SetBrushOrgEx)(HDC hdc, int x, int y);
    BOOL (*MoveToEx)(HDC hdc, int x, int y);
    // objects
    BOOL (*SelectObject)(HDC hdc, HGDIOBJ obj);
    BOOL (*DeleteObject)(HDC hdc, HGDIOBJ obj);
    // clipping
    BOOL (*SelectClipRgn)(HDC hdc, HRGN rgn);
    BOOL (*IntersectClipRect)(HDC hdc, int left, int top, int right, int bottom);
    BOOL (*ExcludeClipRect)(HDC hdc, int left, int top, int right, int bottom);
    // drawing
    BOOL (*LineTo)(HDC hdc, int x, int y);
    BOOL (*Polyline)(HDC hdc, const POINT* pts, int n);
    BOOL (*Polygon)(HDC hdc, const POINT* pts, int n);
    BOOL (*PolyPolygon)(HDC hdc, const POINT* pts, const INT* counts, int polys);
    BOOL (*Rectangle)(HDC hdc, int left, int top, int right, int bottom);
    BOOL (*RoundRect)(HDC hdc, int left, int top, int right, int bottom, int w, int h);
    BOOL (*Ellipse)(HDC hdc, int left, int top, int right, int bottom);
    BOOL (*Arc)(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
    BOOL (*Pie)(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
    BOOL (*Chord)(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
    BOOL (*FillRect)(HDC hdc, const RECT* rc, HBRUSH br);
    BOOL (*FrameRect)(HDC hdc, const RECT* rc, HBRUSH br);
    BOOL (*InvertRect)(HDC hdc, const RECT* rc);
    BOOL (*DrawFocusRect)(HDC hdc, const RECT* rc);
    BOOL (*FillRgn)(HDC hdc, HRGN rgn, HBRUSH br);
    BOOL (*PatBlt)(HDC hdc, int x, int y, int w, int h, DWORD rop);
    BOOL (*SetPixel)(HDC hdc, int x, int y, COLORREF color);
    // Text: TextOut and DrawText arrive as ExtTextOut calls (DrawText measures
    // and places lines itself, so a recorder sees positioned runs only).
    BOOL (*ExtTextOut)(HDC hdc, int x, int y, UINT options, const RECT* rc, LPCSTR text, UINT n, const INT* dx);
    // bitmaps: the source is a DC, so the recorder reads its pixels with
    // GetDIBits of GetCurrentObject(src, OBJ_BITMAP) or gdiDcPixel.
    BOOL (*BitBlt)(HDC hdc, int x, int y, int w, int h, HDC src, int xs, int ys, DWORD rop);
    BOOL (*StretchBlt)(HDC hdc, int x, int y, int w, int h, HDC src, int xs, int ys, int ws, int hs, DWORD rop);
    BOOL (*StretchDIBits)(HDC hdc, int x, int y, int w, int h, int xs, int ys, int ws, int hs,
                          const void* bits, const BITMAPINFO* bmi, UINT usage, DWORD rop);
};

// A recording DC: `art` is OBJ_METADC or OBJ_ENHMETADC; `kontext` is the
// recorder's own data, found again with gdiDcRecorderKontext. The DC's
// capabilities are the screen's (a metafile is made for the screen).
HDC gdiDcRecorderErzeugen(const GdiRecorder* rec, void* kontext, int art);
void* gdiDcRecorderKontext(HDC hdc);

// ---- Object data for recorders and players ------------------------------------
// The rectangles of a region (device or logical units as stored), top to
// bottom, left to right; FALSE for an unknown handle.
BOOL gdiRgnRechtecke(HRGN rgn, std::vector<RECT>& aus);
// A region from rectangles (player side).
HRGN gdiRgnAusRechtecken(const std::vector<RECT>& rects);

// The raster surface behind a raster DC (window or memory DC) and the DC's
// device origin within it; nullptr for vector and recording DCs or a memory
// DC without a bitmap. The window manager uses it to save windows as PNG.
cairo_surface_t* gdiDcOberflaeche(HDC hdc, POINT* ursprung);

// Marks an object as permanent like a stock object: DeleteObject on it
// succeeds and does nothing (system-colour brushes of the window manager).
BOOL gdiObjektDauerhaft(HGDIOBJ obj);

// Kind of a DC handle (OBJ_DC, OBJ_MEMDC, OBJ_METADC, OBJ_ENHMETADC), 0 when
// not a DC. Printer DCs answer OBJ_DC as on Windows.
int gdiDcArt(HDC hdc);

// The installed family that draws a LOGFONT's face: the Windows faces map to
// their stand-ins (Arial -> Liberation Sans, Times New Roman -> Liberation
// Serif, Courier New -> Liberation Mono, MS Sans Serif/System -> DejaVu
// Sans, ...); an unknown face goes by pitch and family.
void gdiSchriftLoesen(const LOGFONT& lf, std::string& familie);

// Switches the fast paths of raster blits (on at start); the general loop
// gives the same pixels, so tests compare the two.
void gdiBltSchnellSetzen(bool an);

// Frees every GDI object and DC (end of program or of a test).
void gdiAllesFreigeben();
