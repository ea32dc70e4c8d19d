// GDI objects: pens, brushes, fonts, bitmaps, regions and palettes in their
// handle tables; stock objects; GetObject/DeleteObject; region arithmetic over
// cairo regions. Prefix `gdi` for internals. Calls cairo and the handle
// tables only. Stock and system objects are permanent: DeleteObject on them
// succeeds and does nothing. An object selected into a DC is not deleted
// (DeleteObject answers FALSE), so no DC ever holds a dead handle.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/gdiimpl.h"

GdiPinsel::~GdiPinsel()
{
    if (muster) cairo_surface_destroy(muster);
}
GdiBitmap::~GdiBitmap()
{
    if (flaeche) cairo_surface_destroy(flaeche);
}
GdiRegion::GdiRegion() : r(cairo_region_create()) {}
GdiRegion::~GdiRegion()
{
    if (r) cairo_region_destroy(r);
}

plHandleTabelle<GdiStift>& gdiStifte()
{
    static plHandleTabelle<GdiStift> t(plHandleArt::Stift);
    return t;
}
plHandleTabelle<GdiPinsel>& gdiPinsel()
{
    static plHandleTabelle<GdiPinsel> t(plHandleArt::Pinsel);
    return t;
}
plHandleTabelle<GdiSchrift>& gdiSchriften()
{
    static plHandleTabelle<GdiSchrift> t(plHandleArt::Schrift);
    return t;
}
plHandleTabelle<GdiBitmap>& gdiBitmaps()
{
    static plHandleTabelle<GdiBitmap> t(plHandleArt::Bitmap);
    return t;
}
plHandleTabelle<GdiRegion>& gdiRegionen()
{
    static plHandleTabelle<GdiRegion> t(plHandleArt::Region);
    return t;
}
plHandleTabelle<GdiPalette>& gdiPaletten()
{
    static plHandleTabelle<GdiPalette> t(plHandleArt::Palette);
    return t;
}

GdiObjektKopf* gdiObjektKopf(HGDIOBJ h)
{
    switch (plHandleArtVon(h)) {
    case plHandleArt::Stift: return gdiStifte().finden(h);
    case plHandleArt::Pinsel: return gdiPinsel().finden(h);
    case plHandleArt::Schrift: return gdiSchriften().finden(h);
    case plHandleArt::Bitmap: return gdiBitmaps().finden(h);
    case plHandleArt::Region: return gdiRegionen().finden(h);
    case plHandleArt::Palette: return gdiPaletten().finden(h);
    default: return nullptr;
    }
}

cairo_surface_t* gdiBildNeu(int w, int h)
{
    // A fresh bitmap is black, as a compatible bitmap on Windows: zeroed
    // memory from calloc, whose fresh pages cost nothing until drawn on,
    // rather than a pass over every pixel. The surface frees it.
    static cairo_user_data_key_t gdiBildSpeicher;
    w = std::max(w, 1);
    h = std::max(h, 1);
    int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, w);
    if (stride > 0 && w <= 32767 && h <= 32767) {
        if (void* daten = std::calloc(static_cast<size_t>(stride) * static_cast<size_t>(h), 1)) {
            cairo_surface_t* s = cairo_image_surface_create_for_data(static_cast<unsigned char*>(daten),
                                                                     CAIRO_FORMAT_RGB24, w, h, stride);
            if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS &&
                cairo_surface_set_user_data(s, &gdiBildSpeicher, daten, std::free) == CAIRO_STATUS_SUCCESS)
                return s;
            cairo_surface_destroy(s);
            std::free(daten);
        }
    }
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) return s;  // the caller checks the status
    cairo_surface_flush(s);
    std::memset(cairo_image_surface_get_data(s), 0,
                static_cast<size_t>(cairo_image_surface_get_stride(s)) * std::max(h, 1));
    cairo_surface_mark_dirty(s);
    return s;
}

// ---- Stock objects ------------------------------------------------------------------
namespace {

constexpr int GDI_STOCKSUP = 20;
HGDIOBJ gdiStock[GDI_STOCKSUP];
HBITMAP gdiStockBitmap;
bool gdiStockFertig;

HPEN gdiStockStift(COLORREF c, int stil)
{
    auto s = std::make_unique<GdiStift>();
    s->stil = static_cast<DWORD>(stil);
    s->farbe = c;
    s->dauerhaft = true;
    return gdiStifte().anlegen(std::move(s));
}
HBRUSH gdiStockPinsel(COLORREF c, UINT stil)
{
    auto p = std::make_unique<GdiPinsel>();
    p->lb.lbStyle = stil;
    p->lb.lbColor = c;
    p->dauerhaft = true;
    return gdiPinsel().anlegen(std::move(p));
}
HFONT gdiStockSchrift(int hoehe, int gewicht, BYTE pitch, const char* face)
{
    auto f = std::make_unique<GdiSchrift>();
    f->lf.lfHeight = hoehe;
    f->lf.lfWeight = gewicht;
    f->lf.lfPitchAndFamily = pitch;
    std::snprintf(f->lf.lfFaceName, LF_FACESIZE, "%s", face);
    f->dauerhaft = true;
    return gdiSchriften().anlegen(std::move(f));
}

void gdiStockAnlegen()
{
    if (gdiStockFertig) return;
    gdiStockFertig = true;
    gdiStock[WHITE_BRUSH] = gdiStockPinsel(RGB(255, 255, 255), BS_SOLID);
    gdiStock[LTGRAY_BRUSH] = gdiStockPinsel(RGB(192, 192, 192), BS_SOLID);
    gdiStock[GRAY_BRUSH] = gdiStockPinsel(RGB(128, 128, 128), BS_SOLID);
    gdiStock[DKGRAY_BRUSH] = gdiStockPinsel(RGB(64, 64, 64), BS_SOLID);
    gdiStock[BLACK_BRUSH] = gdiStockPinsel(RGB(0, 0, 0), BS_SOLID);
    gdiStock[NULL_BRUSH] = gdiStockPinsel(0, BS_NULL);
    gdiStock[WHITE_PEN] = gdiStockStift(RGB(255, 255, 255), PS_SOLID);
    gdiStock[BLACK_PEN] = gdiStockStift(RGB(0, 0, 0), PS_SOLID);
    gdiStock[NULL_PEN] = gdiStockStift(0, PS_NULL);
    gdiStock[OEM_FIXED_FONT] = gdiStockSchrift(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Terminal");
    gdiStock[ANSI_FIXED_FONT] = gdiStockSchrift(13, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier");
    gdiStock[ANSI_VAR_FONT] = gdiStockSchrift(13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
    gdiStock[SYSTEM_FONT] = gdiStockSchrift(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System");
    gdiStock[DEVICE_DEFAULT_FONT] = gdiStockSchrift(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System");
    gdiStock[SYSTEM_FIXED_FONT] = gdiStockSchrift(15, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Fixedsys");
    gdiStock[DEFAULT_GUI_FONT] = gdiStockSchrift(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg");
    {
        auto p = std::make_unique<GdiPalette>();
        p->dauerhaft = true;
        gdiStock[DEFAULT_PALETTE] = gdiPaletten().anlegen(std::move(p));
    }
    {
        auto p = std::make_unique<GdiPinsel>();
        p->lb.lbStyle = BS_SOLID;
        p->dcPinsel = true;
        p->dauerhaft = true;
        gdiStock[DC_BRUSH] = gdiPinsel().anlegen(std::move(p));
        auto s = std::make_unique<GdiStift>();
        s->dcStift = true;
        s->dauerhaft = true;
        gdiStock[DC_PEN] = gdiStifte().anlegen(std::move(s));
    }
    auto bm = std::make_unique<GdiBitmap>();
    bm->flaeche = gdiBildNeu(1, 1);
    bm->breite = bm->hoehe = 1;
    bm->bpp = 1;
    bm->dauerhaft = true;
    gdiStockBitmap = gdiBitmaps().anlegen(std::move(bm));
}

}  // namespace

HGDIOBJ GetStockObject(int i)
{
    gdiStockAnlegen();
    if (i < 0 || i >= GDI_STOCKSUP) return 0;
    return gdiStock[i];
}

HBITMAP gdiStandardBitmap()
{
    gdiStockAnlegen();
    return gdiStockBitmap;
}

BOOL gdiObjektDauerhaft(HGDIOBJ obj)
{
    GdiObjektKopf* k = gdiObjektKopf(obj);
    if (!k) return FALSE;
    k->dauerhaft = true;
    return TRUE;
}

// ---- Creation -----------------------------------------------------------------------
HPEN CreatePen(int style, int width, COLORREF color)
{
    LOGPEN lp{static_cast<UINT>(style), {width, 0}, color};
    return CreatePenIndirect(&lp);
}

HPEN CreatePenIndirect(const LOGPEN* lp)
{
    if (!lp) return 0;
    UINT stil = lp->lopnStyle & PS_STYLE_MASK;
    if (stil > PS_INSIDEFRAME) return 0;
    auto s = std::make_unique<GdiStift>();
    s->stil = stil;
    s->breite = std::max<LONG>(lp->lopnWidth.x, 0);
    s->farbe = gdiFarbeRein(lp->lopnColor);
    return gdiStifte().anlegen(std::move(s));
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* lb, DWORD nStyle, const DWORD* styles)
{
    if (!lb) return 0;
    DWORD art = style & PS_STYLE_MASK;
    bool geometrisch = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
    if (art == PS_USERSTYLE) {
        if (nStyle == 0 || nStyle > 16 || !styles) return 0;
    } else if (nStyle != 0) {
        return 0;
    }
    if (!geometrisch && width != 1) return 0;  // cosmetic pens are one pixel wide
    if (art == PS_ALTERNATE && geometrisch) return 0;
    auto s = std::make_unique<GdiStift>();
    s->stil = style;
    s->breite = static_cast<int>(std::min<DWORD>(width, 1u << 20));
    s->farbe = gdiFarbeRein(lb->lbColor);
    s->erweitert = true;
    s->pinselStil = lb->lbStyle;
    s->schraffur = lb->lbHatch;
    if (art == PS_USERSTYLE) s->muster.assign(styles, styles + nStyle);
    if (lb->lbStyle == BS_NULL) s->stil = (style & ~PS_STYLE_MASK) | PS_NULL;
    return gdiStifte().anlegen(std::move(s));
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    LOGBRUSH lb{BS_SOLID, color, 0};
    return CreateBrushIndirect(&lb);
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color)
{
    LOGBRUSH lb{BS_HATCHED, color, static_cast<ULONG_PTR>(hatch)};
    return CreateBrushIndirect(&lb);
}

HBRUSH CreatePatternBrush(HBITMAP bm)
{
    LOGBRUSH lb{BS_PATTERN, 0, bm};
    return CreateBrushIndirect(&lb);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb)
{
    if (!lb) return 0;
    auto p = std::make_unique<GdiPinsel>();
    p->lb = *lb;
    p->lb.lbColor = gdiFarbeRein(lb->lbColor);
    switch (lb->lbStyle) {
    case BS_SOLID:
    case BS_NULL:
        p->lb.lbHatch = 0;
        break;
    case BS_HATCHED:
        if (lb->lbHatch > HS_DIAGCROSS) return 0;
        break;
    case BS_PATTERN: {
        // The brush keeps its own copy: the bitmap may be deleted afterwards.
        GdiBitmap* bm = gdiBitmaps().finden(static_cast<HBITMAP>(lb->lbHatch));
        if (!bm) return 0;
        gdiDibEinlesenBitmap(bm);
        cairo_surface_t* s = gdiBildNeu(bm->breite, bm->hoehe);
        cairo_t* cr = cairo_create(s);
        cairo_set_source_surface(cr, bm->flaeche, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(s);
        p->muster = s;
        p->musterMono = bm->bpp == 1;
        break;
    }
    default:
        return 0;  // DIB pattern brushes are not used by the program
    }
    return gdiPinsel().anlegen(std::move(p));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, LPCSTR face)
{
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic != 0);
    lf.lfUnderline = static_cast<BYTE>(underline != 0);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut != 0);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (face) std::snprintf(lf.lfFaceName, LF_FACESIZE, "%s", face);
    return CreateFontIndirect(&lf);
}

HFONT CreateFontIndirect(const LOGFONT* lf)
{
    if (!lf) return 0;
    auto f = std::make_unique<GdiSchrift>();
    f->lf = *lf;
    f->lf.lfFaceName[LF_FACESIZE - 1] = 0;  // a face name without terminator is cut, never overread
    return gdiSchriften().anlegen(std::move(f));
}

// ---- Query and deletion -----------------------------------------------------------------
DWORD GetObjectType(HGDIOBJ obj)
{
    switch (plHandleArtVon(obj)) {
    case plHandleArt::Stift: {
        GdiStift* s = gdiStifte().finden(obj);
        return s ? (s->erweitert ? OBJ_EXTPEN : OBJ_PEN) : 0;
    }
    case plHandleArt::Pinsel: return gdiPinsel().gueltig(obj) ? OBJ_BRUSH : 0;
    case plHandleArt::Schrift: return gdiSchriften().gueltig(obj) ? OBJ_FONT : 0;
    case plHandleArt::Bitmap: return gdiBitmaps().gueltig(obj) ? OBJ_BITMAP : 0;
    case plHandleArt::Region: return gdiRegionen().gueltig(obj) ? OBJ_REGION : 0;
    case plHandleArt::Palette: return gdiPaletten().gueltig(obj) ? OBJ_PAL : 0;
    case plHandleArt::Dc: return static_cast<DWORD>(gdiDcArt(obj));
    default: return 0;
    }
}

namespace {

int gdiKopieren(const void* quelle, int groesse, int size, LPVOID out)
{
    if (!out) return groesse;
    int n = std::min(groesse, size);
    if (n <= 0) return 0;
    std::memcpy(out, quelle, static_cast<size_t>(n));
    return n;
}

}  // namespace

int GetObject(HGDIOBJ obj, int size, LPVOID out)
{
    if (GdiStift* s = gdiStifte().finden(obj)) {
        if (s->erweitert) {
            // EXTLOGPEN holds its style entries at its end.
            size_t n = offsetof(EXTLOGPEN, elpStyleEntry) + sizeof(DWORD) * std::max<size_t>(s->muster.size(), 1);
            std::vector<uint8_t> puffer(n, 0);
            auto* e = reinterpret_cast<EXTLOGPEN*>(puffer.data());
            e->elpPenStyle = s->stil;
            e->elpWidth = static_cast<DWORD>(s->breite);
            e->elpBrushStyle = s->pinselStil;
            e->elpColor = s->farbe;
            e->elpHatch = s->schraffur;
            e->elpNumEntries = static_cast<DWORD>(s->muster.size());
            for (size_t i = 0; i < s->muster.size(); ++i) e->elpStyleEntry[i] = s->muster[i];
            return gdiKopieren(puffer.data(), static_cast<int>(n), size, out);
        }
        LOGPEN lp{s->stil, {s->breite, 0}, s->farbe};
        return gdiKopieren(&lp, sizeof lp, size, out);
    }
    if (GdiPinsel* p = gdiPinsel().finden(obj)) return gdiKopieren(&p->lb, sizeof p->lb, size, out);
    if (GdiSchrift* f = gdiSchriften().finden(obj)) return gdiKopieren(&f->lf, sizeof f->lf, size, out);
    if (GdiBitmap* b = gdiBitmaps().finden(obj)) {
        DIBSECTION ds{};
        ds.dsBm.bmType = 0;
        ds.dsBm.bmWidth = b->breite;
        ds.dsBm.bmHeight = b->hoehe;
        ds.dsBm.bmPlanes = 1;
        ds.dsBm.bmBitsPixel = static_cast<WORD>(b->bpp);
        ds.dsBm.bmWidthBytes = ((b->breite * b->bpp + 15) / 16) * 2;
        if (b->dib) {
            ds.dsBm.bmWidthBytes = ((b->breite * b->bpp + 31) / 32) * 4;
            ds.dsBm.bmBits = b->dibSpeicher.data();
            ds.dsBmih = b->dibKopf;
            if (size >= static_cast<int>(sizeof(DIBSECTION))) return gdiKopieren(&ds, sizeof ds, size, out);
        }
        return gdiKopieren(&ds.dsBm, sizeof ds.dsBm, size, out);
    }
    return 0;
}

namespace {
plSchriftFreiFn gdiSchriftFreiHook = nullptr;
}  // namespace

void plSchriftFreiHookSetzen(plSchriftFreiFn f)
{
    gdiSchriftFreiHook = f;
}

// Counts of selections are kept by SelectObject (gdidc.cpp).
BOOL DeleteObject(HGDIOBJ obj)
{
    GdiObjektKopf* k = gdiObjektKopf(obj);
    if (!k) return FALSE;
    if (k->dauerhaft) return TRUE;
    if (k->gewaehlt > 0) return FALSE;
    if (gdiSchriftFreiHook && plHandleArtVon(obj) == plHandleArt::Schrift) {
        gdiSchriftFreiHook(static_cast<HFONT>(obj));
        // what the receiver drew selected and released the font again
        if (!(k = gdiObjektKopf(obj)) || k->gewaehlt > 0) return FALSE;
    }
    // Recording DCs note the deletion of objects they may have written.
    for (HDC h : gdiRecorderAnzahl > 0 ? gdiDcs().alle() : std::vector<HDC>{}) {
        GdiDc* dc = gdiDcs().finden(h);
        if (dc && dc->art == GdiDcArt::Recorder && dc->rec && dc->rec->DeleteObject) dc->rec->DeleteObject(h, obj);
    }
    switch (plHandleArtVon(obj)) {
    case plHandleArt::Stift: return gdiStifte().freigeben(obj);
    case plHandleArt::Pinsel: return gdiPinsel().freigeben(obj);
    case plHandleArt::Schrift: return gdiSchriften().freigeben(obj);
    case plHandleArt::Bitmap: return gdiBitmaps().freigeben(obj);
    case plHandleArt::Region: return gdiRegionen().freigeben(obj);
    case plHandleArt::Palette: return gdiPaletten().freigeben(obj);
    default: return FALSE;
    }
}

// ---- Regions ----------------------------------------------------------------------------
namespace {

cairo_rectangle_int_t gdiRechteck(int l, int t, int r, int b)
{
    // Corners within +-2^29, so that sizes fit an int; Windows orders them.
    constexpr int grenze = 1 << 29;
    l = std::clamp(l, -grenze, grenze), t = std::clamp(t, -grenze, grenze);
    r = std::clamp(r, -grenze, grenze), b = std::clamp(b, -grenze, grenze);
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    return cairo_rectangle_int_t{l, t, r - l, b - t};
}

int gdiRgnArt(const cairo_region_t* r)
{
    int n = cairo_region_num_rectangles(r);
    return n == 0 ? NULLREGION : (n == 1 ? SIMPLEREGION : COMPLEXREGION);
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    auto g = std::make_unique<GdiRegion>();
    cairo_rectangle_int_t rc = gdiRechteck(left, top, right, bottom);
    if (rc.width > 0 && rc.height > 0) cairo_region_union_rectangle(g->r, &rc);
    return gdiRegionen().anlegen(std::move(g));
}

HRGN CreateRectRgnIndirect(const RECT* rc)
{
    if (!rc) return 0;
    return CreateRectRgn(rc->left, rc->top, rc->right, rc->bottom);
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom)
{
    GdiRegion* g = gdiRegionen().finden(rgn);
    if (!g) return FALSE;
    cairo_region_destroy(g->r);
    cairo_rectangle_int_t rc = gdiRechteck(left, top, right, bottom);
    g->r = (rc.width > 0 && rc.height > 0) ? cairo_region_create_rectangle(&rc) : cairo_region_create();
    return TRUE;
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode)
{
    GdiRegion* d = gdiRegionen().finden(dst);
    GdiRegion* a = gdiRegionen().finden(src1);
    GdiRegion* b = mode == RGN_COPY ? a : gdiRegionen().finden(src2);
    if (!d || !a || !b || mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
    cairo_region_t* r = cairo_region_copy(a->r);
    cairo_status_t st = CAIRO_STATUS_SUCCESS;
    switch (mode) {
    case RGN_AND: st = cairo_region_intersect(r, b->r); break;
    case RGN_OR: st = cairo_region_union(r, b->r); break;
    case RGN_XOR: st = cairo_region_xor(r, b->r); break;
    case RGN_DIFF: st = cairo_region_subtract(r, b->r); break;
    default: break;
    }
    if (st != CAIRO_STATUS_SUCCESS) {
        cairo_region_destroy(r);
        return RGN_ERROR;
    }
    cairo_region_destroy(d->r);
    d->r = r;
    return gdiRgnArt(r);
}

int OffsetRgn(HRGN rgn, int dx, int dy)
{
    GdiRegion* g = gdiRegionen().finden(rgn);
    if (!g) return RGN_ERROR;
    cairo_region_translate(g->r, dx, dy);
    return gdiRgnArt(g->r);
}

BOOL PtInRegion(HRGN rgn, int x, int y)
{
    GdiRegion* g = gdiRegionen().finden(rgn);
    return g && cairo_region_contains_point(g->r, x, y);
}

BOOL RectInRegion(HRGN rgn, const RECT* rc)
{
    GdiRegion* g = gdiRegionen().finden(rgn);
    if (!g || !rc) return FALSE;
    cairo_rectangle_int_t r = gdiRechteck(rc->left, rc->top, rc->right, rc->bottom);
    return cairo_region_contains_rectangle(g->r, &r) != CAIRO_REGION_OVERLAP_OUT;
}

BOOL EqualRgn(HRGN a, HRGN b)
{
    GdiRegion* x = gdiRegionen().finden(a);
    GdiRegion* y = gdiRegionen().finden(b);
    return x && y && cairo_region_equal(x->r, y->r);
}

int GetRgnBox(HRGN rgn, LPRECT rc)
{
    GdiRegion* g = gdiRegionen().finden(rgn);
    if (!g || !rc) return RGN_ERROR;
    cairo_rectangle_int_t e;
    cairo_region_get_extents(g->r, &e);
    *rc = RECT{e.x, e.y, e.x + e.width, e.y + e.height};
    return gdiRgnArt(g->r);
}

BOOL gdiRgnRechtecke(HRGN rgn, std::vector<RECT>& aus)
{
    aus.clear();
    GdiRegion* g = gdiRegionen().finden(rgn);
    if (!g) return FALSE;
    int n = cairo_region_num_rectangles(g->r);
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t e;
        cairo_region_get_rectangle(g->r, i, &e);
        aus.push_back(RECT{e.x, e.y, e.x + e.width, e.y + e.height});
    }
    return TRUE;
}

HRGN gdiRgnAusRechtecken(const std::vector<RECT>& rects)
{
    auto g = std::make_unique<GdiRegion>();
    for (const RECT& r : rects) {
        cairo_rectangle_int_t rc = gdiRechteck(r.left, r.top, r.right, r.bottom);
        if (rc.width > 0 && rc.height > 0) cairo_region_union_rectangle(g->r, &rc);
    }
    return gdiRegionen().anlegen(std::move(g));
}

void gdiAllesFreigeben()
{
    for (HDC h : gdiDcs().alle()) gdiDcFreigeben(h);
    gdiDcs().leeren();
    gdiRecorderAnzahl = 0;
    gdiStifte().leeren();
    gdiPinsel().leeren();
    gdiSchriften().leeren();
    gdiBitmaps().leeren();
    gdiRegionen().leeren();
    gdiPaletten().leeren();
    gdiStockFertig = false;
    gdiTextFreigeben();
}
