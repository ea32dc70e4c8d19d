// GDI drawing layer: the screen and printer device of the element renderer.
// Maps world coordinates (millimetres of the sheet, y upwards) onto the
// pixels of one drawing target (window, bitmap, Windows metafile, enhanced
// metafile, printer), keeps that target's pen, brush and font, and draws
// lines, rectangles, polygons, ellipses, arcs, points, texts and pictures
// with the dash patterns of output/strich. Prefixes `Gdi`, `Abbildung`,
// `Welt...`/`Pixel...`; file-static helpers `gdi`. Calls platform/ (GDI,
// metafiles, global memory), model/ (pen style record, angles), winlib/
// (text pieces), and output/ (strich, schrift, bilder).
//
// State (GUI thread only): one current mapping and one saved copy
// (`AbbildungSichern`/`Wieder`, one level); one current target with its pen,
// brush and font cache. Invariants:
//  1. At most one target is current; a second `Gdi...Beginn` while one is
//     current is refused (-1) so that a nested paint cannot steal a bitmap
//     or printer target.
//  2. Between begin and end every object this layer created is selected in
//     the target or deleted; the end selects back what was there before.
//  3. Pen width 0 means "no pen chosen on this target": the pen primitives
//     draw nothing until `GdiStiftSetzen`.
//  4. The mapping has finite, positive factors: a request that would make
//     them infinite or zero leaves the mapping as it was.
#pragma once

#include <cstdint>

#include "platform/windef.h"

struct VISTIFT;

// Polygons take at most this many points (more are ignored).
inline constexpr int GDIPOLYSUP = 50;
// Characters of a text line that get their own advances.
inline constexpr int GDITEXTSUP = 2000;

// Target kinds.
inline constexpr int GDI_KEIN = -1;
inline constexpr int GDI_FENSTER = 0;
inline constexpr int GDI_BITMAP = 1;
inline constexpr int GDI_WMF = 2;
inline constexpr int GDI_EMF = 3;

struct GDIABBILDUNG {
    double x0, y0, x1, y1;  // visible world rectangle
    int32_t w, h;           // pixel size of the drawing area
    int32_t ox, oy;         // pixel offset of the area in the target
    double sx, sy;          // pixels per world unit
};

// ---- Mapping -------------------------------------------------------------------------------
// The world rectangle (x0, y0)-(x1, y1) onto w x h pixels at (ox, oy), zoomed
// (percent) about the centre given in percent of the rectangle; with `prop`
// the aspect is kept by widening one range. 0, or -1 (mapping unchanged)
// for equal corners, an empty view or a zoom of 0 or less.
int AbbildungSetzen(int prop, double x0, double y0, double x1, double y1, int w, int h, int ox, int oy,
                    double zoom, double mitteX, double mitteY);
int AbbildungSetzenProp(double x0, double y0, double x1, double y1, int w, int h, int ox, int oy, double zoom,
                        double mitteX, double mitteY);
int AbbildungSetzenFrei(double x0, double y0, double x1, double y1, int w, int h, int ox, int oy, double zoom,
                        double mitteX, double mitteY);
const GDIABBILDUNG* Abbildung();
void AbbildungSichern();
void AbbildungWieder();

int WeltZuPixelX(double x);
int WeltZuPixelY(double y);
double PixelZuWeltX(int px);
double PixelZuWeltY(int py);
// x lengths truncate; y lengths round and turn the sign (pixel y grows down).
int WeltZuPixelLaenge(double l);
double PixelZuWeltLaenge(int l);
int WeltZuPixelHoehe(double l);
double PixelZuWeltHoehe(int l);
double WeltZuPixelHoeheD(double l);
int WeltPunktSichtbar(double x, double y);
// x1, y1, x2, y2 of the visible world rectangle.
void WeltFensterHolen(double r[4]);
void PixelGroesseHolen(int* w, int* h);
// 1 when the pixel lies within one area size around the drawing area.
int PixelNahe(int px, int py);

// ---- Targets -------------------------------------------------------------------------------
// Each begin returns 0, or -1 when another target is current or the target
// cannot be made; each end does nothing without its kind of target.
int GdiFensterBeginn(HDC dc);
void GdiFensterEnde();
int GdiDruckBeginn(HDC dc);
void GdiDruckEnde();
// A white w x h bitmap filled with rgb (null: white).
int GdiBitmapBeginn(int w, int h, const int rgb[3]);
// The bitmap drawn; the caller owns it. 0 without a bitmap target.
HBITMAP GdiBitmapEnde();
int GdiWmfBeginn(int w, int h);
// The metafile bits in a new fixed, zero-filled global block; 0 on failure.
HGLOBAL GdiWmfEnde();
// Bounds in millimetres; file null: a memory metafile.
int GdiEmfBeginn(const char* datei, double links, double rechts, double oben, double unten);
HENHMETAFILE GdiEmfEnde();
void GdiEmfLoeschen(HENHMETAFILE mf);
// Forgets every realised value, so the next primitive sets pen, brush and
// font again (after someone else drew on the DC).
void GdiZielNeu();
int GdiIstDrucker();
// GDI_KEIN or the kind of the current target.
int GdiZielArt();
// The device context of the current target; 0 when none.
HDC GdiDC();
void GdiHintergrundSetzen(int r, int g, int b);
void GdiHintergrundFrei();
// Fills the drawing area with the background (white without one).
void GdiFlaecheLoeschen();

// ---- Pen -----------------------------------------------------------------------------------
// Width 1..99 (above: 100), line type 1..7 (two-colour solid: 8), dash term
// in tenths of a pixel per period, 1..100000.
void GdiStiftSetzen(const VISTIFT* stift, int typ, int term);
void GdiStrichEinheit(int einheit);
// On: every pen takes this colour (window and bitmap targets only).
void GdiFarbeUeberschreiben(int an, const int rgb[3]);
// Colour 1 or 2 of a two-colour pen.
void GdiFarbeWechseln(int n);
// The values in force (tests, devices): width, type, colour.
int GdiStiftBreite();
int GdiStiftTyp();
COLORREF GdiStiftFarbe();

// ---- Primitives in world units ---------------------------------------------------------------
void GdiLinie(double x1, double y1, double x2, double y2);
void GdiRechteck(double x1, double y1, double x2, double y2);
void GdiRechteckGefuellt(double x1, double y1, double x2, double y2);
// pts: n points as x, y pairs.
void GdiPolygon(const double* pts, int n);
void GdiPolygonGefuellt(const double* pts, int n);
void GdiEllipse(double x1, double y1, double x2, double y2, int gefuellt);
void GdiEllipseGedreht(double cx, double cy, double rx, double ry, int drehung, int gefuellt);
void GdiBogen(double cx, double cy, double rx, double ry, int drehung, int modus, int anfang, int ende);
// Squares centred on the pixel of a world point; rgb null: the pen colour.
void GdiPunkt(double x, double y, const int rgb[3]);
void GdiPunkt(double x, double y);
void GdiPunktGroesse(double x, double y, int groesse, const int rgb[3]);
void GdiPixel(double x, double y, const int rgb[3]);
// A picture file into the box, turned (tenths).
void GdiBild(double x1, double y1, double x2, double y2, int drehung, const char* datei);
// Sheet outline with a grey shadow of `schatten` world units.
void GdiBlattRahmen(double x1, double y1, double x2, double y2, double schatten);

// ---- Text ----------------------------------------------------------------------------------
// Font number, angle (tenths), height and width factor in world units.
void GdiSchriftSetzen(int font, int winkel, double hoehe, double faktor);
// True when the text would be too small to read: draw its box instead.
int GdiSchriftZuKlein();
// Width and height of a text in world units. The width is the text-width
// model's (SchriftTextBreite), as in every other output; on a target it is
// cut to whole pixels along the run, which the drawn text then fills.
void GdiTextGroesse(const char* text, double* breite, double* hoehe);
void GdiTextZeile(double x, double y, const char* text, int stdtext);
void GdiTextStueck(double x, double y, int index, const char* text);

// ---- Pixel operations ------------------------------------------------------------------------
// The dragging rectangle in pixels: mode 0 inverts, 1 XOR yellow, 2 XOR
// cyan; the raster operation stays set.
void GdiGummiband(int modus, int x1, int y1, int x2, int y2);
