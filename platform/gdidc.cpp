// Device contexts: creation for windows, memory bitmaps, printers and
// recorders; the DC's attributes, SaveDC/RestoreDC, SelectObject, mapping
// modes and world transforms, clipping and GetDeviceCaps. Prefix `gdi` for
// internals. Calls cairo and the object tables of gdiobj.cpp.
//
// Coordinates: logical -> (world transform, GM_ADVANCED only) -> page ->
// (window/viewport mapping) -> device -> (+ DC origin) -> surface pixels.
// The whole chain is one cairo matrix, rebuilt when any link changes.
// Clipping: the DC's own clip (SelectClipRgn & co., device coordinates)
// meets the system clip of a window DC and the surface's bounds; the result
// is kept in surface pixels and set on the cairo context only when changed.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/gdiimpl.h"

GdiDc::~GdiDc()
{
    if (layout) g_object_unref(layout);
    if (layoutGlatt) g_object_unref(layoutGlatt);
    if (cr) cairo_destroy(cr);
    if (flaeche) cairo_surface_destroy(flaeche);
    if (sysClip) cairo_region_destroy(sysClip);
    if (wirkClip) cairo_region_destroy(wirkClip);
    if (z.clip) cairo_region_destroy(z.clip);
    for (GdiZustand& s : stapel)
        if (s.clip) cairo_region_destroy(s.clip);
}

plHandleTabelle<GdiDc>& gdiDcs()
{
    static plHandleTabelle<GdiDc> t(plHandleArt::Dc);
    return t;
}

GdiDc* gdiDc(HDC h) { return gdiDcs().finden(h); }

int gdiRecorderAnzahl;

namespace {

GdiGeraet gdiSchirm;

void gdiWaehlen(HGDIOBJ h, int d)
{
    if (GdiObjektKopf* k = gdiObjektKopf(h)) k->gewaehlt = std::max(0, k->gewaehlt + d);
}

// Every DC starts with the stock objects selected.
void gdiGrundzustand(GdiDc* dc)
{
    dc->z.stift = GetStockObject(BLACK_PEN);
    dc->z.pinsel = GetStockObject(WHITE_BRUSH);
    dc->z.schrift = GetStockObject(SYSTEM_FONT);
}

HDC gdiDcAnlegen(std::unique_ptr<GdiDc> dc)
{
    gdiGrundzustand(dc.get());
    return gdiDcs().anlegen(std::move(dc));
}

cairo_region_t* gdiRegionAus(const std::vector<RECT>& rects)
{
    cairo_region_t* r = cairo_region_create();
    for (const RECT& rc : rects) {
        if (rc.right <= rc.left || rc.bottom <= rc.top) continue;
        cairo_rectangle_int_t e{rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
        cairo_region_union_rectangle(r, &e);
    }
    return r;
}

// "Everything" for clip arithmetic on a DC without a clip of its own.
cairo_region_t* gdiAlles()
{
    cairo_rectangle_int_t e{-(1 << 26), -(1 << 26), 1 << 27, 1 << 27};
    return cairo_region_create_rectangle(&e);
}

}  // namespace

const GdiGeraet& gdiBildschirm() { return gdiSchirm; }
void gdiBildschirmSetzen(const GdiGeraet& g) { gdiSchirm = g; }

bool gdiIstRaster(const GdiDc* dc) { return dc->art == GdiDcArt::Fenster || dc->art == GdiDcArt::Speicher; }

bool gdiIstMono(const GdiDc* dc)
{
    if (dc->art != GdiDcArt::Speicher) return false;
    GdiBitmap* bm = gdiBitmaps().finden(dc->z.bitmap);
    return bm && bm->bpp == 1;
}

// ---- Creation ------------------------------------------------------------------------
HDC gdiDcFensterErzeugen(cairo_surface_t* surface, POINT ursprung, const RECT* clip)
{
    if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return 0;
    std::vector<RECT> r;
    if (clip) r.push_back(*clip);
    HDC h = gdiDcFensterErzeugenRegion(surface, ursprung, r);
    if (h && !clip) {
        GdiDc* dc = gdiDc(h);
        cairo_region_destroy(dc->sysClip);
        dc->sysClip = nullptr;
    }
    return h;
}

HDC gdiDcFensterErzeugenRegion(cairo_surface_t* surface, POINT ursprung, const std::vector<RECT>& clip)
{
    if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return 0;
    auto dc = std::make_unique<GdiDc>();
    dc->art = GdiDcArt::Fenster;
    dc->flaeche = cairo_surface_reference(surface);
    dc->ursprung = ursprung;
    dc->sysClip = gdiRegionAus(clip);
    dc->geraet = gdiSchirm;
    return gdiDcAnlegen(std::move(dc));
}

HDC gdiDcVektorErzeugen(cairo_surface_t* surface, const GdiGeraet& geraet)
{
    if (!surface || geraet.logpixelsx <= 0 || geraet.logpixelsy <= 0) return 0;
    auto dc = std::make_unique<GdiDc>();
    dc->art = GdiDcArt::Vektor;
    dc->flaeche = cairo_surface_reference(surface);
    dc->geraet = geraet;
    return gdiDcAnlegen(std::move(dc));
}

BOOL gdiDcGeraetSetzen(HDC hdc, const GdiGeraet& geraet)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || dc->art != GdiDcArt::Vektor || geraet.logpixelsx <= 0 || geraet.logpixelsy <= 0) return FALSE;
    dc->geraet = geraet;
    if (dc->cr) {
        cairo_destroy(dc->cr);
        dc->cr = nullptr;
    }
    gdiAbbildungGeaendert(dc);
    gdiClipGeaendert(dc);
    return TRUE;
}

BOOL gdiDcSeiteBeenden(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || dc->art != GdiDcArt::Vektor || dc->abgeschlossen) return FALSE;
    cairo_show_page(gdiCairo(dc));
    // The next page may have another size: the context is made anew.
    cairo_destroy(dc->cr);
    dc->cr = nullptr;
    gdiClipGeaendert(dc);
    return cairo_surface_status(dc->flaeche) == CAIRO_STATUS_SUCCESS;
}

BOOL gdiDcVektorAbschliessen(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || dc->art != GdiDcArt::Vektor || dc->abgeschlossen) return FALSE;
    if (dc->cr) {
        cairo_destroy(dc->cr);
        dc->cr = nullptr;
    }
    cairo_surface_finish(dc->flaeche);
    dc->abgeschlossen = true;
    return cairo_surface_status(dc->flaeche) == CAIRO_STATUS_SUCCESS;
}

HDC gdiDcRecorderErzeugen(const GdiRecorder* rec, void* kontext, int art)
{
    if (!rec || (art != OBJ_METADC && art != OBJ_ENHMETADC)) return 0;
    auto dc = std::make_unique<GdiDc>();
    dc->art = GdiDcArt::Recorder;
    dc->rec = rec;
    dc->recKontext = kontext;
    dc->recArt = art;
    dc->geraet = gdiSchirm;
    HDC h = gdiDcAnlegen(std::move(dc));
    if (h) ++gdiRecorderAnzahl;
    return h;
}

void* gdiDcRecorderKontext(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    return dc && dc->art == GdiDcArt::Recorder ? dc->recKontext : nullptr;
}

int gdiDcArt(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return 0;
    switch (dc->art) {
    case GdiDcArt::Speicher: return OBJ_MEMDC;
    case GdiDcArt::Recorder: return dc->recArt;
    default: return OBJ_DC;
    }
}

cairo_surface_t* gdiDcOberflaeche(HDC hdc, POINT* ursprung)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !gdiIstRaster(dc) || !dc->flaeche) return nullptr;
    gdiDibAusgeben(dc);
    if (ursprung) *ursprung = dc->ursprung;
    return dc->flaeche;
}

void gdiDcOberflaecheSetzen(HDC hdc, bool ja)
{
    if (GdiDc* dc = gdiDc(hdc)) dc->oberflaeche = ja;
}

void plDcOberflaeche(HDC hdc)
{
    gdiDcOberflaecheSetzen(hdc, true);
}

int plDcGlaetten(HDC hdc, int an)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return 0;
    const int alt = dc->glatt ? 1 : 0;
    dc->glatt = an != 0;
    return alt;
}

bool gdiGlatt(const GdiDc* dc, int rop2)
{
    return dc->glatt && rop2 == R2_COPYPEN && gdiIstRaster(dc) && !gdiIstMono(dc);
}

BOOL gdiDcFreigeben(HDC hdc)
{
    std::unique_ptr<GdiDc> dc = gdiDcs().herausnehmen(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) --gdiRecorderAnzahl;
    gdiWaehlen(dc->z.stift, -1);
    gdiWaehlen(dc->z.pinsel, -1);
    gdiWaehlen(dc->z.schrift, -1);
    for (const GdiZustand& z : dc->stapel) {
        gdiWaehlen(z.stift, -1);
        gdiWaehlen(z.pinsel, -1);
        gdiWaehlen(z.schrift, -1);
    }
    if (dc->art == GdiDcArt::Speicher) {
        gdiDibAusgeben(dc.get());
        if (GdiBitmap* bm = gdiBitmaps().finden(dc->z.bitmap)) {
            bm->inDc = 0;
            bm->gewaehlt = std::max(0, bm->gewaehlt - 1);
        }
    }
    return TRUE;
}

HDC CreateCompatibleDC(HDC hdc)
{
    GdiDc* vorlage = hdc ? gdiDc(hdc) : nullptr;
    if (hdc && !vorlage) return 0;
    auto dc = std::make_unique<GdiDc>();
    dc->art = GdiDcArt::Speicher;
    // A memory DC answers for the device it is compatible with (a printer's
    // resolution for one made from a printer DC); recorders count as the screen.
    dc->geraet = vorlage && vorlage->art != GdiDcArt::Recorder ? vorlage->geraet : gdiSchirm;
    dc->oberflaeche = vorlage && vorlage->oberflaeche;
    HBITMAP bm = gdiStandardBitmap();
    dc->z.bitmap = bm;
    GdiBitmap* b = gdiBitmaps().finden(bm);
    dc->flaeche = cairo_surface_reference(b->flaeche);
    return gdiDcAnlegen(std::move(dc));
}

BOOL DeleteDC(HDC hdc) { return gdiDcFreigeben(hdc); }

GdiDc* gdiReferenzDc()
{
    static HDC ref;
    GdiDc* dc = gdiDc(ref);
    if (!dc) {
        ref = CreateCompatibleDC(0);
        dc = gdiDc(ref);
    }
    return dc;
}

// ---- DIB sections kept in step ----------------------------------------------------------
void gdiDibEinlesen(GdiDc* dc)
{
    if (dc->art != GdiDcArt::Speicher) return;
    if (GdiBitmap* bm = gdiBitmaps().finden(dc->z.bitmap)) gdiDibEinlesenBitmap(bm);
}
void gdiDibAusgeben(GdiDc* dc)
{
    if (dc->art != GdiDcArt::Speicher) return;
    if (GdiBitmap* bm = gdiBitmaps().finden(dc->z.bitmap)) gdiDibAusgebenBitmap(bm);
}

// ---- SelectObject ------------------------------------------------------------------------
namespace {

HGDIOBJ gdiTauschen(HGDIOBJ& platz, HGDIOBJ neu)
{
    HGDIOBJ alt = platz;
    gdiWaehlen(alt, -1);
    gdiWaehlen(neu, +1);
    platz = neu;
    return alt;
}

HGDIOBJ gdiBitmapWaehlen(GdiDc* dc, HDC hdc, HBITMAP h)
{
    if (dc->art != GdiDcArt::Speicher) return 0;
    GdiBitmap* neu = gdiBitmaps().finden(h);
    if (!neu) return 0;
    if (neu->inDc && neu->inDc != hdc) return 0;  // one DC at a time
    if (h == dc->z.bitmap) return h;
    gdiDibAusgeben(dc);
    HBITMAP alt = dc->z.bitmap;
    if (GdiBitmap* a = gdiBitmaps().finden(alt)) {
        a->inDc = 0;
        a->gewaehlt = std::max(0, a->gewaehlt - 1);
    }
    if (!(neu->dauerhaft)) neu->inDc = hdc;
    neu->gewaehlt++;
    dc->z.bitmap = h;
    if (dc->cr) {
        cairo_destroy(dc->cr);
        dc->cr = nullptr;
    }
    cairo_surface_destroy(dc->flaeche);
    dc->flaeche = cairo_surface_reference(neu->flaeche);
    gdiClipGeaendert(dc);
    return alt;
}

}  // namespace

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return 0;
    HGDIOBJ alt = 0;
    switch (plHandleArtVon(obj)) {
    case plHandleArt::Stift:
        if (!gdiStifte().gueltig(obj)) return 0;
        alt = gdiTauschen(dc->z.stift, obj);
        break;
    case plHandleArt::Pinsel:
        if (!gdiPinsel().gueltig(obj)) return 0;
        alt = gdiTauschen(dc->z.pinsel, obj);
        break;
    case plHandleArt::Schrift:
        if (!gdiSchriften().gueltig(obj)) return 0;
        alt = gdiTauschen(dc->z.schrift, obj);
        break;
    case plHandleArt::Bitmap:
        alt = gdiBitmapWaehlen(dc, hdc, obj);
        if (!alt) return 0;
        break;
    case plHandleArt::Region: {
        int r = SelectClipRgn(hdc, obj);
        return r == RGN_ERROR ? static_cast<HGDIOBJ>(GDI_ERROR) : static_cast<HGDIOBJ>(r);
    }
    default:
        return 0;
    }
    if (dc->art == GdiDcArt::Recorder) dc->rec->SelectObject(hdc, obj);
    return alt;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return 0;
    switch (type) {
    case OBJ_PEN: return dc->z.stift;
    case OBJ_BRUSH: return dc->z.pinsel;
    case OBJ_FONT: return dc->z.schrift;
    case OBJ_BITMAP: return dc->z.bitmap;
    case OBJ_PAL: return GetStockObject(DEFAULT_PALETTE);
    default: return 0;
    }
}

// ---- SaveDC / RestoreDC ----------------------------------------------------------------------
int SaveDC(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return 0;
    if (dc->art == GdiDcArt::Recorder && !dc->rec->SaveDC(hdc)) return 0;
    GdiZustand s = dc->z;
    if (s.clip) s.clip = cairo_region_copy(s.clip);
    dc->stapel.push_back(s);
    // Saved states hold their objects like a selection does.
    gdiWaehlen(s.stift, +1);
    gdiWaehlen(s.pinsel, +1);
    gdiWaehlen(s.schrift, +1);
    return static_cast<int>(dc->stapel.size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    int n = static_cast<int>(dc->stapel.size());
    int ziel = nSavedDC < 0 ? n + nSavedDC + 1 : nSavedDC;  // the SaveDC result to return to
    if (ziel < 1 || ziel > n) return FALSE;
    if (dc->art == GdiDcArt::Recorder && !dc->rec->RestoreDC(hdc, nSavedDC)) return FALSE;
    while (static_cast<int>(dc->stapel.size()) > ziel) {
        GdiZustand& s = dc->stapel.back();
        gdiWaehlen(s.stift, -1);
        gdiWaehlen(s.pinsel, -1);
        gdiWaehlen(s.schrift, -1);
        if (s.clip) cairo_region_destroy(s.clip);
        dc->stapel.pop_back();
    }
    GdiZustand s = dc->stapel.back();
    dc->stapel.pop_back();
    // The saved state's selections move to the current state.
    gdiWaehlen(dc->z.stift, -1);
    gdiWaehlen(dc->z.pinsel, -1);
    gdiWaehlen(dc->z.schrift, -1);
    if (dc->z.clip) cairo_region_destroy(dc->z.clip);
    HBITMAP bm = s.bitmap;
    s.bitmap = dc->z.bitmap;
    dc->z = s;
    if (dc->art == GdiDcArt::Speicher && bm != dc->z.bitmap && gdiBitmaps().gueltig(bm)) gdiBitmapWaehlen(dc, hdc, bm);
    gdiAbbildungGeaendert(dc);
    gdiClipGeaendert(dc);
    return TRUE;
}

// ---- Attributes ------------------------------------------------------------------------------
#define GDI_SETZEN(feld, glied, typ, fehler)                                  \
    GdiDc* dc = gdiDc(hdc);                                                  \
    if (!dc) return fehler;                                                  \
    if (dc->art == GdiDcArt::Recorder && !dc->rec->glied(hdc, wert)) return fehler; \
    typ alt = dc->z.feld;                                                    \
    dc->z.feld = wert;                                                       \
    return alt

COLORREF SetTextColor(HDC hdc, COLORREF wert) { GDI_SETZEN(textFarbe, SetTextColor, COLORREF, CLR_INVALID); }
COLORREF SetBkColor(HDC hdc, COLORREF wert) { GDI_SETZEN(bkFarbe, SetBkColor, COLORREF, CLR_INVALID); }

int SetBkMode(HDC hdc, int wert)
{
    if (wert != TRANSPARENT && wert != OPAQUE) return 0;
    GDI_SETZEN(bkModus, SetBkMode, int, 0);
}
int SetROP2(HDC hdc, int wert)
{
    if (wert < R2_BLACK || wert > R2_WHITE) return 0;
    GDI_SETZEN(rop2, SetROP2, int, 0);
}
int SetPolyFillMode(HDC hdc, int wert)
{
    if (wert != ALTERNATE && wert != WINDING) return 0;
    GDI_SETZEN(fuellModus, SetPolyFillMode, int, 0);
}
int SetStretchBltMode(HDC hdc, int wert)
{
    if (wert < BLACKONWHITE || wert > HALFTONE) return 0;
    GDI_SETZEN(dehnModus, SetStretchBltMode, int, 0);
}
UINT SetTextAlign(HDC hdc, UINT wert) { GDI_SETZEN(ausrichtung, SetTextAlign, UINT, GDI_ERROR); }

COLORREF GetTextColor(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    return dc ? dc->z.textFarbe : CLR_INVALID;
}
COLORREF GetBkColor(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    return dc ? dc->z.bkFarbe : CLR_INVALID;
}
int GetBkMode(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    return dc ? dc->z.bkModus : 0;
}
int GetROP2(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    return dc ? dc->z.rop2 : 0;
}
int GetPolyFillMode(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    return dc ? dc->z.fuellModus : 0;
}
int GetStretchBltMode(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    return dc ? dc->z.dehnModus : 0;
}
UINT GetTextAlign(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    return dc ? dc->z.ausrichtung : GDI_ERROR;
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT old)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder && !dc->rec->SetBrushOrgEx(hdc, x, y)) return FALSE;
    if (old) *old = dc->z.pinselOrg;
    dc->z.pinselOrg = POINT{x, y};
    return TRUE;
}

COLORREF SetDCPenColor(HDC hdc, COLORREF c)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF alt = dc->z.dcStiftFarbe;
    dc->z.dcStiftFarbe = gdiFarbeRein(c);
    return alt;
}
COLORREF SetDCBrushColor(HDC hdc, COLORREF c)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF alt = dc->z.dcPinselFarbe;
    dc->z.dcPinselFarbe = gdiFarbeRein(c);
    return alt;
}

int GetDeviceCaps(HDC hdc, int index)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return 0;
    const GdiGeraet& g = dc->geraet;
    bool drucker = dc->art == GdiDcArt::Vektor;
    switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return dc->art == GdiDcArt::Recorder ? DT_METAFILE : g.technik;
    case HORZSIZE: return g.horzsize;
    case VERTSIZE: return g.vertsize;
    case HORZRES: return g.horzres;
    case VERTRES: return g.vertres;
    case BITSPIXEL: return gdiIstMono(dc) ? 1 : g.bitspixel;
    case PLANES: return g.planes;
    case NUMCOLORS: return -1;
    case NUMBRUSHES: return -1;
    case NUMPENS: return -1;
    case NUMFONTS: return 0;
    case ASPECTX: return 36;
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX: return g.logpixelsx;
    case LOGPIXELSY: return g.logpixelsy;
    case SIZEPALETTE: return 0;
    case NUMRESERVED: return 20;
    case COLORRES: return 24;
    case PHYSICALWIDTH: return drucker ? g.physicalwidth : 0;
    case PHYSICALHEIGHT: return drucker ? g.physicalheight : 0;
    case PHYSICALOFFSETX: return drucker ? g.physicaloffsetx : 0;
    case PHYSICALOFFSETY: return drucker ? g.physicaloffsety : 0;
    case SCALINGFACTORX:
    case SCALINGFACTORY: return 0;
    case RASTERCAPS: return 0x7E99;  // bitblt, bitmap64, dibtodev, stretchblt, stretchdib, ...
    case CURVECAPS: return 0xFF;
    case LINECAPS: return 0xFE;
    case POLYGONALCAPS: return 0xFF;
    case TEXTCAPS: return 0x7807;
    case CLIPCAPS: return 1;
    default: return 0;
    }
}

// ---- Mapping ----------------------------------------------------------------------------------
void gdiAbbildungGeaendert(GdiDc* dc)
{
    dc->mGueltig = false;
}

namespace {

// The fixed mapping modes: window extent in their units for the device's size.
void gdiFesteAbbildung(GdiDc* dc)
{
    GdiZustand& z = dc->z;
    const GdiGeraet& g = dc->geraet;
    double mmX = g.horzsize, mmY = g.vertsize;
    double einheiten = 0;  // units per millimetre
    switch (z.abbildung) {
    case MM_LOMETRIC: einheiten = 10; break;
    case MM_HIMETRIC: einheiten = 100; break;
    case MM_LOENGLISH: einheiten = 100 / 25.4; break;
    case MM_HIENGLISH: einheiten = 1000 / 25.4; break;
    case MM_TWIPS: einheiten = 1440 / 25.4; break;
    default: return;
    }
    z.fExt = SIZE{static_cast<LONG>(std::lround(mmX * einheiten)), static_cast<LONG>(std::lround(mmY * einheiten))};
    z.vExt = SIZE{g.horzres, -g.vertres};
}

// MM_ISOTROPIC keeps one scale: the viewport extent shrinks on the larger axis.
void gdiIsotrop(GdiDc* dc)
{
    GdiZustand& z = dc->z;
    if (z.abbildung != MM_ISOTROPIC || z.fExt.cx == 0 || z.fExt.cy == 0) return;
    double sx = std::fabs(static_cast<double>(z.vExt.cx) / z.fExt.cx);
    double sy = std::fabs(static_cast<double>(z.vExt.cy) / z.fExt.cy);
    if (sx > sy) {
        long v = std::lround(std::fabs(static_cast<double>(z.fExt.cx)) * sy);
        z.vExt.cx = z.vExt.cx < 0 ? -v : v;
    } else if (sy > sx) {
        long v = std::lround(std::fabs(static_cast<double>(z.fExt.cy)) * sx);
        z.vExt.cy = z.vExt.cy < 0 ? -v : v;
    }
}

}  // namespace

void gdiMatrixBauen(GdiDc* dc, cairo_matrix_t& m, bool mitUrsprung)
{
    const GdiZustand& z = dc->z;
    if (z.grafikModus == GM_ADVANCED)
        cairo_matrix_init(&m, z.welt.eM11, z.welt.eM12, z.welt.eM21, z.welt.eM22, z.welt.eDx, z.welt.eDy);
    else
        cairo_matrix_init_identity(&m);
    double sx = 1, sy = 1;
    if (z.abbildung != MM_TEXT && z.fExt.cx != 0 && z.fExt.cy != 0) {
        sx = static_cast<double>(z.vExt.cx) / z.fExt.cx;
        sy = static_cast<double>(z.vExt.cy) / z.fExt.cy;
    }
    cairo_matrix_t seite;
    cairo_matrix_init(&seite, sx, 0, 0, sy, z.vOrg.x - z.fOrg.x * sx, z.vOrg.y - z.fOrg.y * sy);
    if (mitUrsprung) seite.x0 += dc->ursprung.x, seite.y0 += dc->ursprung.y;
    cairo_matrix_t r;
    cairo_matrix_multiply(&r, &m, &seite);  // world first, then page
    m = r;
}

const cairo_matrix_t& gdiMatrix(GdiDc* dc)
{
    if (!dc->mGueltig) {
        gdiMatrixBauen(dc, dc->m, true);
        dc->mGueltig = true;
    }
    return dc->m;
}

bool gdiAchsentreu(GdiDc* dc)
{
    const cairo_matrix_t& m = gdiMatrix(dc);
    return m.xy == 0 && m.yx == 0;
}

void gdiLpNachDp(GdiDc* dc, double x, double y, double& dx, double& dy)
{
    const cairo_matrix_t& m = gdiMatrix(dc);
    dx = m.xx * x + m.xy * y + m.x0;
    dy = m.yx * x + m.yy * y + m.y0;
}

double gdiLaengeNachDp(GdiDc* dc, double l)
{
    const cairo_matrix_t& m = gdiMatrix(dc);
    return l * std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx));
}

int SetMapMode(HDC hdc, int mode)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
    if (dc->art == GdiDcArt::Recorder && !dc->rec->SetMapMode(hdc, mode)) return 0;
    int alt = dc->z.abbildung;
    dc->z.abbildung = mode;
    if (mode == MM_TEXT) {
        dc->z.fExt = dc->z.vExt = SIZE{1, 1};
    } else if (mode == MM_ISOTROPIC) {
        // Starts from MM_LOMETRIC's extents, as documented.
        dc->z.abbildung = MM_LOMETRIC;
        gdiFesteAbbildung(dc);
        dc->z.abbildung = mode;
    } else if (mode != MM_ANISOTROPIC) {
        gdiFesteAbbildung(dc);
    }  // MM_ANISOTROPIC keeps the extents it finds
    gdiAbbildungGeaendert(dc);
    return alt;
}

int GetMapMode(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    return dc ? dc->z.abbildung : 0;
}

namespace {

LONG* gdiPaar(POINT& p) { return &p.x; }
LONG* gdiPaar(SIZE& s) { return &s.cx; }

// Sets (or moves) an origin or an extent; extents only count in the two
// free mapping modes and are never 0.
template <typename T, typename R>
BOOL gdiPaarSetzen(HDC hdc, T GdiZustand::*feld, int x, int y, T* old, R aufnahme, bool istAusdehnung, bool versetzen)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    // A metafile records the call whatever its mode: the picture's extents
    // are read when it is played, typically under MM_ANISOTROPIC.
    if (dc->art == GdiDcArt::Recorder) {
        if (istAusdehnung && (x == 0 || y == 0)) return FALSE;
        if (!aufnahme(hdc, x, y)) return FALSE;
    }
    if (istAusdehnung && dc->z.abbildung != MM_ISOTROPIC && dc->z.abbildung != MM_ANISOTROPIC) {
        if (old) *old = dc->z.*feld;
        return TRUE;  // the other modes fix their extents; Windows ignores the call
    }
    if (istAusdehnung && (x == 0 || y == 0)) return FALSE;
    T& f = dc->z.*feld;
    if (old) *old = f;
    LONG* w = gdiPaar(f);
    auto sat = [](int64_t v) { return static_cast<LONG>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    w[0] = versetzen ? sat(int64_t{w[0]} + x) : x;
    w[1] = versetzen ? sat(int64_t{w[1]} + y) : y;
    gdiIsotrop(dc);
    gdiAbbildungGeaendert(dc);
    return TRUE;
}

BOOL gdiPaarLesen(HDC hdc, const LONG* quelle, LONG* ziel)
{
    if (!quelle || !ziel) return FALSE;
    ziel[0] = quelle[0];
    ziel[1] = quelle[1];
    (void)hdc;
    return TRUE;
}

}  // namespace

#define GDI_REC(glied) [](HDC h, int a, int b) { return gdiDc(h)->rec->glied(h, a, b); }

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old)
{
    return gdiPaarSetzen<POINT>(hdc, &GdiZustand::fOrg, x, y, old, GDI_REC(SetWindowOrgEx), false, false);
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old)
{
    return gdiPaarSetzen<POINT>(hdc, &GdiZustand::vOrg, x, y, old, GDI_REC(SetViewportOrgEx), false, false);
}
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, LPPOINT old)
{
    return gdiPaarSetzen<POINT>(hdc, &GdiZustand::fOrg, dx, dy, old, GDI_REC(OffsetWindowOrgEx), false, true);
}
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT old)
{
    return gdiPaarSetzen<POINT>(hdc, &GdiZustand::vOrg, dx, dy, old, GDI_REC(OffsetViewportOrgEx), false, true);
}
BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE old)
{
    return gdiPaarSetzen<SIZE>(hdc, &GdiZustand::fExt, x, y, old, GDI_REC(SetWindowExtEx), true, false);
}
BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE old)
{
    return gdiPaarSetzen<SIZE>(hdc, &GdiZustand::vExt, x, y, old, GDI_REC(SetViewportExtEx), true, false);
}

BOOL GetWindowOrgEx(HDC hdc, LPPOINT pt)
{
    GdiDc* dc = gdiDc(hdc);
    return dc && gdiPaarLesen(hdc, &dc->z.fOrg.x, pt ? &pt->x : nullptr);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT pt)
{
    GdiDc* dc = gdiDc(hdc);
    return dc && gdiPaarLesen(hdc, &dc->z.vOrg.x, pt ? &pt->x : nullptr);
}
BOOL GetWindowExtEx(HDC hdc, LPSIZE sz)
{
    GdiDc* dc = gdiDc(hdc);
    return dc && gdiPaarLesen(hdc, &dc->z.fExt.cx, sz ? &sz->cx : nullptr);
}
BOOL GetViewportExtEx(HDC hdc, LPSIZE sz)
{
    GdiDc* dc = gdiDc(hdc);
    return dc && gdiPaarLesen(hdc, &dc->z.vExt.cx, sz ? &sz->cx : nullptr);
}

int SetGraphicsMode(HDC hdc, int mode)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || (mode != GM_COMPATIBLE && mode != GM_ADVANCED)) return 0;
    int alt = dc->z.grafikModus;
    // Leaving the advanced mode needs the identity transform, as documented.
    if (mode == GM_COMPATIBLE && alt == GM_ADVANCED) {
        const XFORM& w = dc->z.welt;
        if (w.eM11 != 1 || w.eM12 != 0 || w.eM21 != 0 || w.eM22 != 1 || w.eDx != 0 || w.eDy != 0) return 0;
    }
    if (dc->art == GdiDcArt::Recorder && !dc->rec->SetGraphicsMode(hdc, mode)) return 0;
    dc->z.grafikModus = mode;
    gdiAbbildungGeaendert(dc);
    return alt;
}

int GetGraphicsMode(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    return dc ? dc->z.grafikModus : 0;
}

namespace {

// A world transform must be finite and invertible, with a scale that keeps
// device coordinates meaningful (1e-9 .. 1e9).
bool gdiWeltOk(const XFORM& x)
{
    double w[6] = {x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy};
    for (double v : w)
        if (!std::isfinite(v) || std::fabs(v) > 1e9) return false;
    double det = w[0] * w[3] - w[1] * w[2];
    return std::isfinite(det) && std::fabs(det) > 1e-18;
}

}  // namespace

BOOL SetWorldTransform(HDC hdc, const XFORM* xf)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !xf || dc->z.grafikModus != GM_ADVANCED) return FALSE;
    if (!gdiWeltOk(*xf)) return FALSE;  // not invertible or out of range
    if (dc->art == GdiDcArt::Recorder && !dc->rec->SetWorldTransform(hdc, xf)) return FALSE;
    dc->z.welt = *xf;
    gdiAbbildungGeaendert(dc);
    return TRUE;
}

BOOL GetWorldTransform(HDC hdc, XFORM* xf)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !xf) return FALSE;
    *xf = dc->z.welt;
    return TRUE;
}

namespace {

XFORM gdiMal(const XFORM& a, const XFORM& b)  // a then b
{
    XFORM r;
    r.eM11 = a.eM11 * b.eM11 + a.eM12 * b.eM21;
    r.eM12 = a.eM11 * b.eM12 + a.eM12 * b.eM22;
    r.eM21 = a.eM21 * b.eM11 + a.eM22 * b.eM21;
    r.eM22 = a.eM21 * b.eM12 + a.eM22 * b.eM22;
    r.eDx = a.eDx * b.eM11 + a.eDy * b.eM21 + b.eDx;
    r.eDy = a.eDx * b.eM12 + a.eDy * b.eM22 + b.eDy;
    return r;
}

}  // namespace

BOOL ModifyWorldTransform(HDC hdc, const XFORM* xf, DWORD mode)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || dc->z.grafikModus != GM_ADVANCED) return FALSE;
    XFORM neu;
    switch (mode) {
    case MWT_IDENTITY: neu = XFORM{1, 0, 0, 1, 0, 0}; break;
    case MWT_LEFTMULTIPLY:
        if (!xf) return FALSE;
        neu = gdiMal(*xf, dc->z.welt);
        break;
    case MWT_RIGHTMULTIPLY:
        if (!xf) return FALSE;
        neu = gdiMal(dc->z.welt, *xf);
        break;
    default: return FALSE;
    }
    if (!gdiWeltOk(neu)) return FALSE;
    if (dc->art == GdiDcArt::Recorder && !dc->rec->ModifyWorldTransform(hdc, xf, mode)) return FALSE;
    dc->z.welt = neu;
    gdiAbbildungGeaendert(dc);
    return TRUE;
}

BOOL LPtoDP(HDC hdc, LPPOINT pts, int n)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || (!pts && n > 0)) return FALSE;
    cairo_matrix_t m;
    gdiMatrixBauen(dc, m, false);
    for (int i = 0; i < n; ++i) {
        double x = pts[i].x, y = pts[i].y;
        cairo_matrix_transform_point(&m, &x, &y);
        pts[i] = POINT{static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))};
    }
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT pts, int n)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || (!pts && n > 0)) return FALSE;
    cairo_matrix_t m;
    gdiMatrixBauen(dc, m, false);
    if (cairo_matrix_invert(&m) != CAIRO_STATUS_SUCCESS) return FALSE;
    for (int i = 0; i < n; ++i) {
        double x = pts[i].x, y = pts[i].y;
        cairo_matrix_transform_point(&m, &x, &y);
        pts[i] = POINT{static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))};
    }
    return TRUE;
}

// ---- Clipping ---------------------------------------------------------------------------------
void gdiClipGeaendert(GdiDc* dc)
{
    dc->clipGueltig = false;
    dc->crClipGueltig = false;
}

cairo_region_t* gdiWirkClip(GdiDc* dc)
{
    if (dc->clipGueltig && dc->wirkClip) return dc->wirkClip;
    if (dc->wirkClip) cairo_region_destroy(dc->wirkClip);
    cairo_region_t* r;
    if (gdiIstRaster(dc)) {
        int w = cairo_image_surface_get_width(dc->flaeche), h = cairo_image_surface_get_height(dc->flaeche);
        cairo_rectangle_int_t e{-dc->ursprung.x, -dc->ursprung.y, w, h};  // in device coordinates
        r = cairo_region_create_rectangle(&e);
    } else {
        cairo_rectangle_int_t e{-dc->geraet.physicaloffsetx, -dc->geraet.physicaloffsety,
                                std::max(dc->geraet.physicalwidth, dc->geraet.horzres),
                                std::max(dc->geraet.physicalheight, dc->geraet.vertres)};
        r = cairo_region_create_rectangle(&e);
    }
    if (dc->sysClip) cairo_region_intersect(r, dc->sysClip);
    if (dc->z.clip) cairo_region_intersect(r, dc->z.clip);
    cairo_region_translate(r, dc->ursprung.x, dc->ursprung.y);
    dc->wirkClip = r;
    dc->clipGueltig = true;
    return r;
}

cairo_t* gdiCairo(GdiDc* dc)
{
    if (dc->cr && cairo_status(dc->cr) != CAIRO_STATUS_SUCCESS) {
        // A context in error stays so for good: start a fresh one.
        cairo_destroy(dc->cr);
        dc->cr = nullptr;
    }
    if (!dc->cr) {
        dc->cr = cairo_create(dc->flaeche);
        if (gdiIstRaster(dc)) {
            cairo_set_antialias(dc->cr, CAIRO_ANTIALIAS_NONE);
        }
        dc->crClipGueltig = false;
    }
    if (!dc->crClipGueltig) {
        cairo_t* cr = dc->cr;
        cairo_identity_matrix(cr);
        cairo_reset_clip(cr);
        cairo_region_t* r = gdiWirkClip(dc);
        if (!gdiIstRaster(dc)) {
            // Printer pixels to points; device (0,0) is the printable
            // area's corner, the physical offset away from the paper's edge.
            cairo_scale(cr, 72.0 / dc->geraet.logpixelsx, 72.0 / dc->geraet.logpixelsy);
            cairo_translate(cr, dc->geraet.physicaloffsetx, dc->geraet.physicaloffsety);
        }
        cairo_new_path(cr);
        int n = cairo_region_num_rectangles(r);
        for (int i = 0; i < n; ++i) {
            cairo_rectangle_int_t e;
            cairo_region_get_rectangle(r, i, &e);
            cairo_rectangle(cr, e.x, e.y, e.width, e.height);
        }
        cairo_clip(cr);
        dc->crClipGueltig = true;
    }
    return dc->cr;
}

namespace {

// The DC's own clip, made on first use from "everything".
cairo_region_t* gdiEigenerClip(GdiDc* dc)
{
    if (!dc->z.clip) dc->z.clip = gdiAlles();
    return dc->z.clip;
}

int gdiClipErgebnis(GdiDc* dc)
{
    gdiClipGeaendert(dc);
    cairo_region_t* r = gdiWirkClip(dc);
    int n = cairo_region_num_rectangles(r);
    return n == 0 ? NULLREGION : (n == 1 ? SIMPLEREGION : COMPLEXREGION);
}

// A logical rectangle in device coordinates (axis-aligned bounds).
cairo_rectangle_int_t gdiGeraeteRechteck(GdiDc* dc, int l, int t, int r, int b)
{
    cairo_matrix_t m;
    gdiMatrixBauen(dc, m, false);
    double xs[4] = {double(l), double(r), double(l), double(r)}, ys[4] = {double(t), double(t), double(b), double(b)};
    double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
    for (int i = 0; i < 4; ++i) {
        cairo_matrix_transform_point(&m, &xs[i], &ys[i]);
        x0 = std::min(x0, xs[i]), x1 = std::max(x1, xs[i]);
        y0 = std::min(y0, ys[i]), y1 = std::max(y1, ys[i]);
    }
    auto rund = [](double v) { return static_cast<int>(std::lround(std::clamp(v, -1e8, 1e8))); };
    return cairo_rectangle_int_t{rund(x0), rund(y0), rund(x1) - rund(x0), rund(y1) - rund(y0)};
}

}  // namespace

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return RGN_ERROR;
    GdiRegion* g = gdiRegionen().finden(rgn);
    if (!g && !(mode == RGN_COPY && rgn == 0)) return RGN_ERROR;
    if (mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
    if (dc->art == GdiDcArt::Recorder && mode == RGN_COPY && !dc->rec->SelectClipRgn(hdc, rgn)) return RGN_ERROR;
    if (mode == RGN_COPY) {
        if (dc->z.clip) cairo_region_destroy(dc->z.clip);
        dc->z.clip = g ? cairo_region_copy(g->r) : nullptr;
        return gdiClipErgebnis(dc);
    }
    cairo_region_t* c = gdiEigenerClip(dc);
    switch (mode) {
    case RGN_AND: cairo_region_intersect(c, g->r); break;
    case RGN_OR: cairo_region_union(c, g->r); break;
    case RGN_XOR: cairo_region_xor(c, g->r); break;
    case RGN_DIFF: cairo_region_subtract(c, g->r); break;
    default: break;
    }
    return gdiClipErgebnis(dc);
}

int SelectClipRgn(HDC hdc, HRGN rgn) { return ExtSelectClipRgn(hdc, rgn, RGN_COPY); }

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return RGN_ERROR;
    if (dc->art == GdiDcArt::Recorder && !dc->rec->IntersectClipRect(hdc, left, top, right, bottom)) return RGN_ERROR;
    cairo_rectangle_int_t e = gdiGeraeteRechteck(dc, left, top, right, bottom);
    cairo_region_intersect_rectangle(gdiEigenerClip(dc), &e);
    return gdiClipErgebnis(dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return RGN_ERROR;
    if (dc->art == GdiDcArt::Recorder && !dc->rec->ExcludeClipRect(hdc, left, top, right, bottom)) return RGN_ERROR;
    cairo_rectangle_int_t e = gdiGeraeteRechteck(dc, left, top, right, bottom);
    cairo_region_subtract_rectangle(gdiEigenerClip(dc), &e);
    return gdiClipErgebnis(dc);
}

int GetClipBox(HDC hdc, LPRECT rc)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !rc) return RGN_ERROR;
    cairo_region_t* r;
    cairo_region_t* eigen = nullptr;
    if (dc->art == GdiDcArt::Recorder) {
        eigen = dc->z.clip ? cairo_region_copy(dc->z.clip) : gdiAlles();
        r = eigen;
    } else {
        r = gdiWirkClip(dc);
    }
    cairo_rectangle_int_t e;
    cairo_region_get_extents(r, &e);
    int n = cairo_region_num_rectangles(r);
    if (eigen) cairo_region_destroy(eigen);
    int ox = dc->art == GdiDcArt::Recorder ? 0 : dc->ursprung.x, oy = dc->art == GdiDcArt::Recorder ? 0 : dc->ursprung.y;
    POINT p[2] = {{e.x - ox, e.y - oy}, {e.x - ox + e.width, e.y - oy + e.height}};
    DPtoLP(hdc, p, 2);
    *rc = RECT{std::min(p[0].x, p[1].x), std::min(p[0].y, p[1].y), std::max(p[0].x, p[1].x), std::max(p[0].y, p[1].y)};
    return n == 0 ? NULLREGION : (n == 1 ? SIMPLEREGION : COMPLEXREGION);
}

int GetClipRgn(HDC hdc, HRGN rgn)
{
    GdiDc* dc = gdiDc(hdc);
    GdiRegion* g = gdiRegionen().finden(rgn);
    if (!dc || !g) return -1;
    if (!dc->z.clip) return 0;
    cairo_region_destroy(g->r);
    g->r = cairo_region_copy(dc->z.clip);
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || dc->art == GdiDcArt::Recorder) return dc != nullptr;
    double dx, dy;
    gdiLpNachDp(dc, x, y, dx, dy);
    return cairo_region_contains_point(gdiWirkClip(dc), static_cast<int>(std::floor(dx)), static_cast<int>(std::floor(dy)));
}

BOOL RectVisible(HDC hdc, const RECT* rc)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !rc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return TRUE;
    cairo_rectangle_int_t e = gdiGeraeteRechteck(dc, rc->left, rc->top, rc->right, rc->bottom);
    e.x += dc->ursprung.x;
    e.y += dc->ursprung.y;
    return cairo_region_contains_rectangle(gdiWirkClip(dc), &e) != CAIRO_REGION_OVERLAP_OUT;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder && !dc->rec->MoveToEx(hdc, x, y)) return FALSE;
    if (old) *old = dc->z.pos;
    dc->z.pos = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT pt)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !pt) return FALSE;
    *pt = dc->z.pos;
    return TRUE;
}
