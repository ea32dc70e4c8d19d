// Private state of the GDI layer, shared only by gdiobj.cpp, gdidc.cpp,
// gdimalen.cpp and gditext.cpp (prefix `gdi`). Nothing else includes it.
// Objects and DCs live in handle tables (platform/handle.h); a handle that is
// stale or of another kind is refused, never dereferenced.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/gdiint.h"
#include "platform/handle.h"

// ---- Objects ------------------------------------------------------------------
struct GdiObjektKopf {
    bool dauerhaft = false;  // stock or system object: DeleteObject does nothing
    int gewaehlt = 0;        // how many DCs have it selected now
};

struct GdiStift : GdiObjektKopf {
    DWORD stil = PS_SOLID;       // full style word (PS_GEOMETRIC, caps, joins, kind)
    int breite = 0;              // logical width
    COLORREF farbe = 0;
    bool erweitert = false;      // made by ExtCreatePen
    UINT pinselStil = BS_SOLID;  // ExtCreatePen's brush style
    ULONG_PTR schraffur = 0;
    std::vector<DWORD> muster;   // PS_USERSTYLE entries
    bool dcStift = false;        // DC_PEN: the DC's pen colour
};

struct GdiPinsel : GdiObjektKopf {
    LOGBRUSH lb{};                           // as created (lbHatch: the bitmap for BS_PATTERN)
    cairo_surface_t* muster = nullptr;       // BS_PATTERN: RGB24 copy of the bitmap
    bool musterMono = false;                 // pattern from a monochrome bitmap
    bool dcPinsel = false;                   // DC_BRUSH: the DC's brush colour
    ~GdiPinsel();
};

struct GdiSchrift : GdiObjektKopf {
    LOGFONT lf{};
};

constexpr int64_t GDI_DIBSOFORTSUP = int64_t{1} << 20;  // pixels of a DIB section kept in step at once

struct GdiBitmap : GdiObjektKopf {
    cairo_surface_t* flaeche = nullptr;  // RGB24 pixels, w x h (mono: only 0 and 0xFFFFFF)
    int breite = 0;
    int hoehe = 0;
    int bpp = 32;                        // bits per pixel as reported (1 = monochrome)
    // DIB section: the caller's view of the pixels; kept in step with `flaeche`
    // before and after every drawing call on a DC holding it. A large
    // section (GDI_DIBSOFORTSUP pixels and more) catches up only at
    // GdiFlush, when it leaves its DC and when the layer hands its pixels
    // out, as Windows asks (GdiFlush before the bits are touched): copying
    // a page-sized picture twice per line drawn made a raster export take
    // minutes. `flaecheVorn`: drawn on since it last caught up.
    bool dib = false;
    bool flaecheVorn = false;
    std::vector<uint8_t> dibSpeicher;
    BITMAPINFOHEADER dibKopf{};
    std::vector<RGBQUAD> dibFarben;
    HDC inDc = 0;                        // the memory DC it is selected into
    ~GdiBitmap();
};

struct GdiRegion : GdiObjektKopf {
    cairo_region_t* r = nullptr;
    GdiRegion();
    ~GdiRegion();
};

struct GdiPalette : GdiObjektKopf {};

plHandleTabelle<GdiStift>& gdiStifte();
plHandleTabelle<GdiPinsel>& gdiPinsel();
plHandleTabelle<GdiSchrift>& gdiSchriften();
plHandleTabelle<GdiBitmap>& gdiBitmaps();
plHandleTabelle<GdiRegion>& gdiRegionen();
plHandleTabelle<GdiPalette>& gdiPaletten();

GdiObjektKopf* gdiObjektKopf(HGDIOBJ h);
HBITMAP gdiStandardBitmap();  // the 1x1 monochrome bitmap of a fresh memory DC
cairo_surface_t* gdiBildNeu(int w, int h);  // RGB24 surface cleared to black, never null-sized

// ---- Device contexts ------------------------------------------------------------
enum class GdiDcArt { Fenster, Speicher, Vektor, Recorder };

struct GdiZustand {
    HPEN stift = 0;
    HBRUSH pinsel = 0;
    HFONT schrift = 0;
    HBITMAP bitmap = 0;
    COLORREF textFarbe = 0;
    COLORREF bkFarbe = 0xFFFFFF;
    int bkModus = OPAQUE;
    int rop2 = R2_COPYPEN;
    int fuellModus = ALTERNATE;
    int dehnModus = BLACKONWHITE;
    UINT ausrichtung = TA_LEFT | TA_TOP;
    int abbildung = MM_TEXT;
    POINT fOrg{0, 0};
    SIZE fExt{1, 1};
    POINT vOrg{0, 0};
    SIZE vExt{1, 1};
    int grafikModus = GM_COMPATIBLE;
    XFORM welt{1, 0, 0, 1, 0, 0};
    POINT pos{0, 0};
    POINT pinselOrg{0, 0};
    cairo_region_t* clip = nullptr;  // the DC's own clip in device coordinates; nullptr: none
    int zeichenAbstand = 0;
    COLORREF dcStiftFarbe = 0;
    COLORREF dcPinselFarbe = 0xFFFFFF;
};

struct GdiDc {
    GdiDcArt art = GdiDcArt::Speicher;
    GdiZustand z;
    std::vector<GdiZustand> stapel;
    cairo_surface_t* flaeche = nullptr;  // raster: image surface; vector: PDF/PS surface
    POINT ursprung{0, 0};                // device (0,0) within the surface
    cairo_region_t* sysClip = nullptr;   // device coordinates; nullptr: none
    cairo_t* cr = nullptr;
    GdiGeraet geraet;
    const GdiRecorder* rec = nullptr;
    void* recKontext = nullptr;
    int recArt = 0;
    bool abgeschlossen = false;  // vector surface finished
    // The DC draws the user interface (a control, dialog, menu, status bar
    // or toolbar): its text is shaped and smoothed as the desktop's own UI
    // text. Drawings (sheets, previews, exports) never are.
    bool oberflaeche = false;
    // The DC shows a drawing on screen (plDcGlaetten): plain-copy drawing
    // is smoothed in grey levels, bitwise raster operations stay exact.
    bool glatt = false;

    // caches, rebuilt when the state they depend on changes
    cairo_matrix_t m{};             // logical -> surface pixels (raster) / device pixels (vector)
    bool mGueltig = false;
    cairo_region_t* wirkClip = nullptr;  // effective clip in surface pixels
    bool clipGueltig = false;
    bool crClipGueltig = false;
    PangoLayout* layout = nullptr;
    PangoLayout* layoutGlatt = nullptr;  // the smoothed text of a `glatt` DC
    uint64_t layoutGlattNummer = 0;
    uint64_t layoutNummer = 0;  // the resolved font the layout is set to
    ~GdiDc();
};

plHandleTabelle<GdiDc>& gdiDcs();
extern int gdiRecorderAnzahl;  // live recording DCs (DeleteObject tells them)
GdiDc* gdiDc(HDC h);

// State changes that invalidate caches.
void gdiAbbildungGeaendert(GdiDc* dc);
void gdiClipGeaendert(GdiDc* dc);
const cairo_matrix_t& gdiMatrix(GdiDc* dc);
bool gdiAchsentreu(GdiDc* dc);           // no rotation or shear
cairo_region_t* gdiWirkClip(GdiDc* dc);  // surface pixels; never null for raster/vector DCs
cairo_t* gdiCairo(GdiDc* dc);            // clipped, identity (raster) / dpi-scaled (vector) matrix
bool gdiIstRaster(const GdiDc* dc);
bool gdiIstMono(const GdiDc* dc);        // a memory DC holding a monochrome bitmap
// Plain-copy drawing on this DC is smoothed (a `glatt` raster DC that is
// not monochrome, with R2_COPYPEN).
bool gdiGlatt(const GdiDc* dc, int rop2);
void gdiDibEinlesen(GdiDc* dc);          // DIB section memory -> pixels
void gdiDibAusgeben(GdiDc* dc);          // pixels -> DIB section memory
void gdiDibEinlesenBitmap(GdiBitmap* bm);
void gdiDibAusgebenBitmap(GdiBitmap* bm);
GdiDc* gdiReferenzDc();                  // a screen memory DC for measuring

// Logical -> device (surface) coordinates.
void gdiLpNachDp(GdiDc* dc, double x, double y, double& dx, double& dy);
double gdiLaengeNachDp(GdiDc* dc, double l);  // a length (pen width, font height)
void gdiMatrixBauen(GdiDc* dc, cairo_matrix_t& m, bool mitUrsprung);

// ---- Colours ----------------------------------------------------------------------
// COLORREF is 0x00BBGGRR, cairo's RGB24 pixel 0x??RRGGBB.
inline uint32_t gdiPixelAus(COLORREF c)
{
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
inline COLORREF gdiFarbeAus(uint32_t p)
{
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}
// Palette-relative and palette-index colours are taken as plain RGB.
inline COLORREF gdiFarbeRein(COLORREF c) { return c & 0x00FFFFFFu; }
// The monochrome rule for colours meeting a monochrome bitmap: light is white.
inline uint32_t gdiMonoAus(uint32_t p)
{
    unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return (r * 30 + g * 59 + b * 11) >= 128 * 100 ? 0xFFFFFFFFu : 0xFF000000u;
}

// ---- Drawing internals shared with text -------------------------------------------------
// Fills the rectangle (surface pixels, right/bottom excluded) with a colour,
// clipped, as plain copy.
void gdiRechteckFarbe(GdiDc* dc, int l, int t, int r, int b, uint32_t pixel);

// ---- Text ------------------------------------------------------------------------
PangoContext* gdiPangoKontext(bool raster);
// The context of UI text (raster DCs marked `oberflaeche`): the desktop's
// anti-aliasing, hint style and sub-pixel order, hinted (whole-pixel) metrics.
PangoContext* gdiPangoKontextOberflaeche();
// The context of the text of a `glatt` raster DC: the raster DCs' hinted
// metrics, rasterised in grey levels.
PangoContext* gdiPangoKontextGlatt();
void gdiTextFreigeben();
// Texts GetTextExtentPoint32 has laid out so far (a remembered width costs
// none; tests).
long gdiTexteGemessen();
// Off: the cell-height search loads every size on its way instead of
// working the steps out from the face (tests compare the two).
void gdiZellSchaetzungSetzen(bool an);
// Off: the cell ratio of a face comes from loading it at em 1000 through
// Pango instead of from fontconfig's match read directly (tests compare).
void gdiGesichtDirektSetzen(bool an);
