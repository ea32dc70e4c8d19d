// Drawing of the GDI layer over Cairo: lines, shapes, fills, pixels and the
// raster operations. Prefix `gdi`. Calls cairo, the DC state of gdidc.cpp
// and the window manager's GetSysColor (brushes given as COLOR_xxx + 1);
// blits and bitmaps (gdibild.cpp) use its raster operations.
//
// Pixel rules (decided here, once):
//  1. Device pixel (x, y) is the square [x, x+1) x [y, y+1) of the surface;
//     integer device coordinates name pixels. Logical coordinates are mapped
//     to device coordinates and rounded to the nearest integer (GM_COMPATIBLE
//     shapes), so every shape of a window or memory DC lands on whole pixels.
//  2. Window and memory DCs draw without anti-aliasing; a pixel belongs to a
//     filled shape when its centre lies inside the shape.
//  3. One-pixel pens (width 0 or 1 after mapping) draw lines with the layer's
//     own Bresenham walk: the start pixel is drawn, the end pixel is not
//     (LineTo's rule); a Polyline's inner points are drawn once. Styled
//     one-pixel pens step their pattern per pixel (dash 18 on 6 off, dot 3/3,
//     dash-dot 9/6/3/6, dash-dot-dot 9/3/3/3/3/3, alternate 1/1); gaps take the
//     background colour in OPAQUE mode and stay untouched in TRANSPARENT.
//     Wider pens are stroked by cairo centred on the pixel centres, with
//     round caps and joins unless the pen says otherwise.
//  4. Rectangle(l, t, r, b) covers pixels l..r-1 and t..b-1 (right and bottom
//     excluded); its frame is the outermost pixel ring; with the null pen the
//     interior is one pixel smaller at right and bottom, as on Windows.
//     FillRect fills l..r-1 x t..b-1. Ellipse and arcs are inscribed in the
//     same box; arcs run counter-clockwise on the screen from the start ray.
//  5. Text is placed with its reference point on the baseline (TA_BASELINE),
//     the top of the cell (TA_TOP) or the bottom of the cell (TA_BOTTOM);
//     see gditext.cpp.
//  6. Raster operations: R2_COPYPEN and SRCCOPY draw straight with cairo.
//     Every other operation renders the shape's coverage into a scratch
//     ARGB surface with cairo and combines it with the target bitwise per
//     pixel (gdiRop2/gdiRop3 below), never with cairo operators. Text ignores
//     the ROP2 mode, as on Windows.
//  7. Printer (vector) DCs keep fractional device coordinates, anti-aliasing
//     and real curves; bitwise operations have no vector equivalent there and
//     are drawn as plain copies (R2_NOP and null pens draw nothing).
// Every cairo_save has its cairo_restore in the same function.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

#include "platform/gdimalen.h"
#include "platform/systemwerte.h"

// ---- Raster operations ----------------------------------------------------------------
uint32_t gdiRop2(int rop2, uint32_t p, uint32_t d)
{
    uint32_t r;
    switch (rop2) {
    case R2_BLACK: r = 0; break;
    case R2_NOTMERGEPEN: r = ~(p | d); break;
    case R2_MASKNOTPEN: r = ~p & d; break;
    case R2_NOTCOPYPEN: r = ~p; break;
    case R2_MASKPENNOT: r = p & ~d; break;
    case R2_NOT: r = ~d; break;
    case R2_XORPEN: r = p ^ d; break;
    case R2_NOTMASKPEN: r = ~(p & d); break;
    case R2_MASKPEN: r = p & d; break;
    case R2_NOTXORPEN: r = ~(p ^ d); break;
    case R2_NOP: r = d; break;
    case R2_MERGENOTPEN: r = ~p | d; break;
    case R2_COPYPEN: r = p; break;
    case R2_MERGEPENNOT: r = p | ~d; break;
    case R2_MERGEPEN: r = p | d; break;
    default: r = 0xFFFFFFFFu; break;  // R2_WHITE
    }
    return r | 0xFF000000u;
}

uint32_t gdiRop3(DWORD rop, uint32_t p, uint32_t s, uint32_t d)
{
    uint32_t r;
    switch (rop) {
    case SRCCOPY: r = s; break;
    case SRCPAINT: r = s | d; break;
    case SRCAND: r = s & d; break;
    case SRCINVERT: r = s ^ d; break;
    case SRCERASE: r = s & ~d; break;
    case NOTSRCCOPY: r = ~s; break;
    case NOTSRCERASE: r = ~(s | d); break;
    case MERGECOPY: r = p & s; break;
    case MERGEPAINT: r = ~s | d; break;
    case PATCOPY: r = p; break;
    case PATPAINT: r = p | ~s | d; break;
    case PATINVERT: r = p ^ d; break;
    case DSTINVERT: r = ~d; break;
    case BLACKNESS: r = 0; break;
    case WHITENESS: r = 0xFFFFFFFFu; break;
    default: {
        // The operation's index byte is the truth table over P (0xF0),
        // S (0xCC) and D (0xAA): evaluate it bit-parallel.
        unsigned t = (rop >> 16) & 0xFF;
        r = 0;
        for (unsigned i = 0; i < 8; ++i)
            if (t & (1u << i)) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        break;
    }
    }
    return r | 0xFF000000u;
}

bool gdiRop3MitQuelle(DWORD rop) { return ((((rop >> 2) ^ rop) & 0x330000u) != 0); }
bool gdiRop3MitMuster(DWORD rop) { return ((((rop >> 4) ^ rop) & 0x0F0000u) != 0); }

// ---- Brushes as pixel sources -------------------------------------------------------------
namespace {

bool gdiSchraffurGesetzt(ULONG_PTR art, int x, int y)
{
    x &= 7, y &= 7;
    switch (art) {
    case HS_HORIZONTAL: return y == 0;
    case HS_VERTICAL: return x == 0;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x == 7 - y;
    case HS_CROSS: return x == 0 || y == 0;
    default: return x == y || x == 7 - y;  // HS_DIAGCROSS
    }
}

}  // namespace

GdiMuster gdiMusterVon(GdiDc* dc, HBRUSH h)
{
    GdiMuster m;
    if (h >= 1 && h <= 31) {  // (HBRUSH)(COLOR_xxx + 1)
        m.art = GdiMuster::Farbe;
        m.farbe = gdiPixelAus(GetSysColor(static_cast<int>(h) - 1));
        return m;
    }
    GdiPinsel* p = gdiPinsel().finden(h);
    if (!p || p->lb.lbStyle == BS_NULL) return m;
    bool mono = gdiIstMono(dc);
    auto farbe = [&](COLORREF c) { uint32_t px = gdiPixelAus(c); return mono ? gdiMonoAus(px) : px; };
    m.ox = dc->z.pinselOrg.x + dc->ursprung.x;
    m.oy = dc->z.pinselOrg.y + dc->ursprung.y;
    if (p->dcPinsel) {
        m.art = GdiMuster::Farbe;
        m.farbe = farbe(dc->z.dcPinselFarbe);
    } else if (p->lb.lbStyle == BS_SOLID) {
        m.art = GdiMuster::Farbe;
        m.farbe = farbe(p->lb.lbColor);
    } else if (p->lb.lbStyle == BS_HATCHED) {
        m.art = GdiMuster::Schraffur;
        m.schraffur = p->lb.lbHatch;
        m.farbe = farbe(p->lb.lbColor);
        m.hinten = farbe(dc->z.bkFarbe);
        m.hintenDeckend = dc->z.bkModus == OPAQUE;
    } else if (p->muster) {
        m.art = GdiMuster::Bild;
        m.bild = p->muster;
        m.mono = p->musterMono;
        // A monochrome pattern takes the DC's text (0) and background (1) colours.
        m.farbe = farbe(dc->z.textFarbe);
        m.hinten = farbe(dc->z.bkFarbe);
        m.daten = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(p->muster));
        m.stride = cairo_image_surface_get_stride(p->muster) / 4;
        m.bw = cairo_image_surface_get_width(p->muster);
        m.bh = cairo_image_surface_get_height(p->muster);
        if (mono && !m.mono) m.zuMono = true;
    }
    return m;
}

// The pattern pixel at surface pixel (x, y); false where a transparent hatch
// leaves the target alone.
bool gdiMusterPixel(const GdiMuster& m, int x, int y, uint32_t& px)
{
    switch (m.art) {
    case GdiMuster::Farbe: px = m.farbe; return true;
    case GdiMuster::Schraffur:
        if (gdiSchraffurGesetzt(m.schraffur, x - m.ox, y - m.oy)) {
            px = m.farbe;
            return true;
        }
        px = m.hinten;
        return m.hintenDeckend;
    case GdiMuster::Bild: {
        int bx = ((x - m.ox) % m.bw + m.bw) % m.bw, by = ((y - m.oy) % m.bh + m.bh) % m.bh;
        uint32_t q = m.daten[by * m.stride + bx] | 0xFF000000u;
        if (m.mono) px = (q & 0xFFFFFF) ? m.hinten : m.farbe;
        else px = m.zuMono ? gdiMonoAus(q) : q;
        return true;
    }
    default: return false;
    }
}

// A cairo source painting the pattern (ARGB; transparent where a hatch leaves
// the target alone). The caller destroys it.
cairo_pattern_t* gdiMusterCairo(const GdiMuster& m, double skala)
{
    if (m.art == GdiMuster::Farbe) {
        return cairo_pattern_create_rgb(((m.farbe >> 16) & 0xFF) / 255.0, ((m.farbe >> 8) & 0xFF) / 255.0,
                                        (m.farbe & 0xFF) / 255.0);
    }
    int w = m.art == GdiMuster::Bild ? m.bw : 8, h = m.art == GdiMuster::Bild ? m.bh : 8;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_flush(s);
    auto* d = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s));
    int stride = cairo_image_surface_get_stride(s) / 4;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t px;
            d[y * stride + x] = gdiMusterPixel(m, x + m.ox, y + m.oy, px) ? (px | 0xFF000000u) : 0;
        }
    cairo_surface_mark_dirty(s);
    cairo_pattern_t* p = cairo_pattern_create_for_surface(s);
    cairo_surface_destroy(s);
    cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(p, CAIRO_FILTER_NEAREST);
    cairo_matrix_t mm;
    cairo_matrix_init_scale(&mm, 1 / skala, 1 / skala);
    cairo_matrix_translate(&mm, -m.ox, -m.oy);
    cairo_pattern_set_matrix(p, &mm);
    return p;
}

// ---- Target access -----------------------------------------------------------------------
GdiZiel gdiZiel(GdiDc* dc)
{
    GdiZiel z;
    cairo_surface_flush(dc->flaeche);
    z.daten = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(dc->flaeche));
    z.stride = cairo_image_surface_get_stride(dc->flaeche) / 4;
    z.w = cairo_image_surface_get_width(dc->flaeche);
    z.h = cairo_image_surface_get_height(dc->flaeche);
    return z;
}

GdiZeichnung::GdiZeichnung(GdiDc* d) : dc(d)
{
    if (gdiIstRaster(dc)) gdiDibEinlesen(dc);
}
GdiZeichnung::~GdiZeichnung()
{
    if (!gdiIstRaster(dc)) return;
    if (dc->art == GdiDcArt::Speicher)
        if (GdiBitmap* bm = gdiBitmaps().finden(dc->z.bitmap))
            if (bm->dib && static_cast<int64_t>(bm->breite) * bm->hoehe >= GDI_DIBSOFORTSUP) {
                bm->flaecheVorn = true;  // catches up later (see GdiBitmap)
                return;
            }
    gdiDibAusgeben(dc);
}

// Runs `bau` (which sets a source and fills or strokes in surface pixels)
// with the raster operation: straight for R2_COPYPEN (smoothed on a `glatt`
// DC), through a scratch surface and the bitwise combination otherwise,
// never smoothed (a grey edge would not XOR back). `kasten` bounds the shape.
void gdiFormMalen(GdiDc* dc, int rop2, cairo_rectangle_int_t kasten, const std::function<void(cairo_t*)>& bau)
{
    if (rop2 == R2_NOP && gdiIstRaster(dc)) return;
    if (!gdiIstRaster(dc) || rop2 == R2_COPYPEN) {
        cairo_t* cr = gdiCairo(dc);
        cairo_save(cr);
        if (gdiGlatt(dc, rop2)) cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
        bau(cr);
        cairo_restore(cr);
        cairo_new_path(cr);
        if (gdiIstRaster(dc)) cairo_surface_flush(dc->flaeche);
        return;
    }
    cairo_region_t* clip = gdiWirkClip(dc);
    cairo_region_t* r = cairo_region_create_rectangle(&kasten);
    cairo_region_intersect(r, clip);
    cairo_rectangle_int_t e;
    cairo_region_get_extents(r, &e);
    if (e.width <= 0 || e.height <= 0) {
        cairo_region_destroy(r);
        return;
    }
    cairo_surface_t* t = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, e.width, e.height);
    cairo_t* tcr = cairo_create(t);
    cairo_set_antialias(tcr, CAIRO_ANTIALIAS_NONE);
    cairo_translate(tcr, -e.x, -e.y);
    int n = cairo_region_num_rectangles(r);
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t q;
        cairo_region_get_rectangle(r, i, &q);
        cairo_rectangle(tcr, q.x, q.y, q.width, q.height);
    }
    cairo_clip(tcr);
    bau(tcr);
    cairo_destroy(tcr);
    cairo_surface_flush(t);
    const auto* td = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(t));
    int ts = cairo_image_surface_get_stride(t) / 4;
    GdiZiel z = gdiZiel(dc);
    bool mono = gdiIstMono(dc);
    for (int y = 0; y < e.height; ++y) {
        int zy = e.y + y;
        if (zy < 0 || zy >= z.h) continue;
        for (int x = 0; x < e.width; ++x) {
            uint32_t q = td[y * ts + x];
            int zx = e.x + x;
            if ((q >> 24) != 0xFF || zx < 0 || zx >= z.w) continue;
            uint32_t& d = z.daten[zy * z.stride + zx];
            uint32_t v = gdiRop2(rop2, q, d);
            d = mono ? ((v & 0xFFFFFF) ? 0xFFFFFFFFu : 0xFF000000u) : v;
        }
    }
    cairo_surface_mark_dirty(dc->flaeche);
    cairo_surface_destroy(t);
    cairo_region_destroy(r);
}

// ---- One-pixel lines -----------------------------------------------------------------------
namespace {

// Style patterns of one-pixel pens: lengths of on/off runs in pixels.
const std::vector<int>& gdiStilMuster(DWORD stil, const std::vector<DWORD>& benutzer, std::vector<int>& eigen)
{
    static const std::vector<int> strich{18, 6}, punkt{3, 3}, strichPunkt{9, 6, 3, 6},
        strichPunktPunkt{9, 3, 3, 3, 3, 3}, wechsel{1, 1}, leer;
    switch (stil & PS_STYLE_MASK) {
    case PS_DASH: return strich;
    case PS_DOT: return punkt;
    case PS_DASHDOT: return strichPunkt;
    case PS_DASHDOTDOT: return strichPunktPunkt;
    case PS_ALTERNATE: return wechsel;
    case PS_USERSTYLE:
        eigen.clear();
        for (DWORD v : benutzer) eigen.push_back(static_cast<int>(std::clamp<DWORD>(v, 1, 10000)));
        return eigen;
    default: return leer;
    }
}

}  // namespace

void gdiLinienStart(GdiDc* dc, GdiLinie& l, const GdiStiftInfo& s)
{
    l.dc = dc;
    l.s = &s;
    l.z = gdiZiel(dc);
    l.clip = gdiWirkClip(dc);
    l.einfach = cairo_region_num_rectangles(l.clip) == 1;
    cairo_region_get_extents(l.clip, &l.ce);
    if (l.ce.x < 0) l.ce.width += l.ce.x, l.ce.x = 0;
    if (l.ce.y < 0) l.ce.height += l.ce.y, l.ce.y = 0;
    l.ce.width = std::min(l.ce.width, l.z.w - l.ce.x);
    l.ce.height = std::min(l.ce.height, l.z.h - l.ce.y);
    l.muster = &gdiStilMuster(s.stil, s.benutzer, l.eigen);
    l.stufe = 0;
    l.rest = l.muster->empty() ? 0 : (*l.muster)[0];
    l.mono = gdiIstMono(dc);
}

void gdiLinienEnde(GdiLinie& l) { cairo_surface_mark_dirty(l.dc->flaeche); }

namespace {

inline void gdiPunkt(GdiLinie& l, int x, int y)
{
    bool an = true;
    if (!l.muster->empty()) {
        an = (l.stufe & 1) == 0;
        if (--l.rest <= 0) {
            l.stufe = (l.stufe + 1) % static_cast<int>(l.muster->size());
            l.rest = (*l.muster)[static_cast<size_t>(l.stufe)];
        }
    }
    if (static_cast<unsigned>(x - l.ce.x) >= static_cast<unsigned>(l.ce.width) ||
        static_cast<unsigned>(y - l.ce.y) >= static_cast<unsigned>(l.ce.height))
        return;
    if (!l.einfach && !cairo_region_contains_point(l.clip, x, y)) return;
    uint32_t p;
    if (an) p = l.s->farbe;
    else if (l.s->bkDeckend) p = l.s->hinten;
    else return;
    uint32_t& d = l.z.daten[y * l.z.stride + x];
    if (l.s->rop2 == R2_COPYPEN) {
        d = p;
    } else {
        uint32_t v = gdiRop2(l.s->rop2, p, d);
        d = l.mono ? ((v & 0xFFFFFF) ? 0xFFFFFFFFu : 0xFF000000u) : v;
    }
}

}  // namespace

namespace {

// Skips n pixels of the style pattern (the part of a line outside the clip).
void gdiMusterSchritte(GdiLinie& l, int64_t n)
{
    if (l.muster->empty() || n <= 0) return;
    int64_t periode = 0;
    for (int v : *l.muster) periode += v;
    n %= periode;
    while (n >= l.rest) {
        n -= l.rest;
        l.stufe = (l.stufe + 1) % static_cast<int>(l.muster->size());
        l.rest = (*l.muster)[static_cast<size_t>(l.stufe)];
    }
    l.rest -= static_cast<int>(n);
}

int64_t gdiAufDiv(int64_t a, int64_t b)  // ceil(a / b), b > 0
{
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

}  // namespace

// Bresenham from (x0, y0) to (x1, y1), the end pixel excluded. Pixel i of
// the walk (i = 0 .. n-1 along the major axis) lies k(i) = floor((2 i b + a
// - t) / 2a) minor steps off the start (a, b the major and minor deltas;
// t = 0 rounds ties away from the start when the major axis runs forward,
// t = 1 otherwise), so the walk starts right at the clip box and stops when
// it leaves: far-off end points cost nothing and draw the same pixels.
void gdiLinieZiehen(GdiLinie& l, int64_t x0, int64_t y0, int64_t x1, int64_t y1)
{
    int64_t dx = x1 > x0 ? x1 - x0 : x0 - x1, dy = y1 > y0 ? y1 - y0 : y0 - y1;
    bool xHaupt = dx >= dy;
    int64_t a = xHaupt ? dx : dy, b = xHaupt ? dy : dx;
    if (a == 0) return;
    int sMaj = (xHaupt ? x0 < x1 : y0 < y1) ? 1 : -1;
    int sMin = (xHaupt ? y0 < y1 : x0 < x1) ? 1 : -1;
    int64_t p0 = xHaupt ? x0 : y0, q0 = xHaupt ? y0 : x0;
    int64_t t = sMaj > 0 ? 0 : 1;
    // Steps whose major coordinate lies in the clip box.
    int64_t lo = xHaupt ? l.ce.x : l.ce.y, hi = lo + (xHaupt ? l.ce.width : l.ce.height);
    int64_t i0 = sMaj > 0 ? lo - p0 : p0 - (hi - 1), i1 = sMaj > 0 ? hi - p0 : p0 - lo + 1;
    // ... and whose minor coordinate does: k(i) in [kLo, kHi).
    int64_t mlo = xHaupt ? l.ce.y : l.ce.x, mhi = mlo + (xHaupt ? l.ce.height : l.ce.width);
    int64_t kLo = sMin > 0 ? mlo - q0 : q0 - (mhi - 1), kHi = sMin > 0 ? mhi - q0 : q0 - mlo + 1;
    if (b == 0) {
        if (kLo > 0 || kHi <= 0) i1 = i0;
    } else {
        i0 = std::max(i0, gdiAufDiv(2 * a * kLo - a + t, 2 * b));
        i1 = std::min(i1, gdiAufDiv(2 * a * kHi - a + t, 2 * b));
    }
    i0 = std::max<int64_t>(i0, 0);
    i1 = std::min(i1, a);
    if (i0 >= i1) {
        gdiMusterSchritte(l, a);
        return;
    }
    gdiMusterSchritte(l, i0);
    int64_t k = (2 * i0 * b + a - t) / (2 * a);
    int64_t err = 2 * b - a + 2 * b * i0 - 2 * a * k;
    int64_t p = p0 + sMaj * i0, q = q0 + sMin * k;
    // Fast path: a solid copy pen on a simple clip needs no pattern step.
    bool schnell = l.muster->empty() && l.s->rop2 == R2_COPYPEN && l.einfach;
    for (int64_t i = i0; i < i1; ++i) {
        int x = static_cast<int>(xHaupt ? p : q), y = static_cast<int>(xHaupt ? q : p);
        if (schnell) {
            if (static_cast<unsigned>(x - l.ce.x) < static_cast<unsigned>(l.ce.width) &&
                static_cast<unsigned>(y - l.ce.y) < static_cast<unsigned>(l.ce.height))
                l.z.daten[y * l.z.stride + x] = l.s->farbe;
        } else {
            gdiPunkt(l, x, y);
        }
        if (err > 0 || (err == 0 && t == 0)) {
            q += sMin;
            err -= 2 * a;
        }
        err += 2 * b;
        p += sMaj;
    }
    gdiMusterSchritte(l, a - i1);
}

// ---- Pens -------------------------------------------------------------------------------------
GdiStiftInfo gdiStiftInfo(GdiDc* dc)
{
    GdiStiftInfo i;
    GdiStift* s = gdiStifte().finden(dc->z.stift);
    if (!s || (s->stil & PS_STYLE_MASK) == PS_NULL) {
        i.leer = true;
        return i;
    }
    bool mono = gdiIstMono(dc);
    auto farbe = [&](COLORREF c) { uint32_t px = gdiPixelAus(c); return mono ? gdiMonoAus(px) : px; };
    i.stil = s->stil;
    i.farbe = farbe(s->dcStift ? dc->z.dcStiftFarbe : s->farbe);
    i.hinten = farbe(dc->z.bkFarbe);
    i.bkDeckend = dc->z.bkModus == OPAQUE;
    i.rop2 = dc->z.rop2;
    i.benutzer = s->muster;
    bool geometrisch = s->erweitert && (s->stil & PS_TYPE_MASK) == PS_GEOMETRIC;
    i.breite = s->breite <= 1 && !geometrisch ? 1.0 : gdiLaengeNachDp(dc, s->breite);
    if (!gdiIstRaster(dc)) {
        // Cosmetic pens on a printer stay thin: one screen pixel's width.
        if (!geometrisch && s->breite <= 1) i.breite = dc->geraet.logpixelsx / 96.0;
        i.breite = std::max(i.breite, 1.0);
    }
    i.dick = gdiIstRaster(dc) ? std::lround(i.breite) > 1 : true;
    i.geometrisch = geometrisch;
    i.innen = (s->stil & PS_STYLE_MASK) == PS_INSIDEFRAME;
    return i;
}

void gdiStiftSetzen(cairo_t* cr, GdiDc* dc, const GdiStiftInfo& s)
{
    cairo_set_source_rgb(cr, ((s.farbe >> 16) & 0xFF) / 255.0, ((s.farbe >> 8) & 0xFF) / 255.0,
                         (s.farbe & 0xFF) / 255.0);
    double w = gdiIstRaster(dc) ? static_cast<double>(std::max(1L, std::lround(s.breite))) : s.breite;
    cairo_set_line_width(cr, w);
    cairo_line_cap_t cap = CAIRO_LINE_CAP_ROUND;
    cairo_line_join_t join = CAIRO_LINE_JOIN_ROUND;
    if (s.geometrisch) {
        switch (s.stil & PS_ENDCAP_MASK) {
        case PS_ENDCAP_SQUARE: cap = CAIRO_LINE_CAP_SQUARE; break;
        case PS_ENDCAP_FLAT: cap = CAIRO_LINE_CAP_BUTT; break;
        default: break;
        }
        switch (s.stil & PS_JOIN_MASK) {
        case PS_JOIN_BEVEL: join = CAIRO_LINE_JOIN_BEVEL; break;
        case PS_JOIN_MITER: join = CAIRO_LINE_JOIN_MITER; break;
        default: break;
        }
    }
    cairo_set_line_cap(cr, cap);
    cairo_set_line_join(cr, join);
    // Wide cosmetic pens are solid (as documented); geometric and printer
    // pens scale their style with the width.
    std::vector<int> eigen;
    const std::vector<int>& m = gdiStilMuster(s.stil, s.benutzer, eigen);
    if (!m.empty() && (s.geometrisch || !gdiIstRaster(dc))) {
        double f = s.geometrisch ? w / 3.0 : dc->geraet.logpixelsx / 96.0;
        if ((s.stil & PS_STYLE_MASK) == PS_USERSTYLE) f = s.geometrisch ? 1.0 : f;
        std::vector<double> d;
        for (int v : m) d.push_back(v * f);
        cairo_set_dash(cr, d.data(), static_cast<int>(d.size()), 0);
    } else {
        cairo_set_dash(cr, nullptr, 0, 0);
    }
}

// ---- Coordinates ---------------------------------------------------------------------------
namespace {

struct GdiPunktD {
    double x, y;
};

// Device coordinates stay within +-2^29 pixels, so that the integer walks
// of the layer never overflow (a point that far off is off any page).
constexpr double GDI_DPSUP = double(1 << 29);

GdiPunktD gdiDp(GdiDc* dc, int x, int y)
{
    GdiPunktD p;
    gdiLpNachDp(dc, x, y, p.x, p.y);
    p.x = std::clamp(p.x, -GDI_DPSUP, GDI_DPSUP);
    p.y = std::clamp(p.y, -GDI_DPSUP, GDI_DPSUP);
    if (gdiIstRaster(dc)) p.x = std::floor(p.x + 0.5), p.y = std::floor(p.y + 0.5);
    return p;
}

// Pixel centre of a device point (raster) or the point itself (vector).
double gdiMitte(GdiDc* dc) { return gdiIstRaster(dc) ? 0.5 : 0.0; }

cairo_rectangle_int_t gdiKasten(const std::vector<GdiPunktD>& p, double rand)
{
    double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
    for (const GdiPunktD& q : p) {
        x0 = std::min(x0, q.x), x1 = std::max(x1, q.x);
        y0 = std::min(y0, q.y), y1 = std::max(y1, q.y);
    }
    auto b = [](double v) { return std::clamp(v, -1e8, 1e8); };
    int l = static_cast<int>(std::floor(b(x0 - rand))), t = static_cast<int>(std::floor(b(y0 - rand)));
    int r = static_cast<int>(std::ceil(b(x1 + rand))) + 1, u = static_cast<int>(std::ceil(b(y1 + rand))) + 1;
    return cairo_rectangle_int_t{l, t, r - l, u - t};
}

void gdiFarbeQuelle(cairo_t* cr, uint32_t px)
{
    cairo_set_source_rgb(cr, ((px >> 16) & 0xFF) / 255.0, ((px >> 8) & 0xFF) / 255.0, (px & 0xFF) / 255.0);
}

// Cairo holds path coordinates as 24.8 fixed-point numbers: paths that
// reach beyond +-2^21 pixels (a drawing zoomed far in) are first cut to the
// clip box, widened by a margin, so that what is visible stays exact.
constexpr double GDI_CAIROSUP = double(1 << 21);

struct GdiBoxD {
    double l, t, r, b;
};

bool gdiRiesig(const std::vector<GdiPunktD>& p)
{
    for (const GdiPunktD& q : p)
        if (std::fabs(q.x) > GDI_CAIROSUP || std::fabs(q.y) > GDI_CAIROSUP) return true;
    return false;
}

GdiBoxD gdiKappBox(GdiDc* dc, double rand)
{
    cairo_rectangle_int_t e;
    cairo_region_get_extents(gdiWirkClip(dc), &e);
    return GdiBoxD{e.x - rand, e.y - rand, e.x + e.width + rand, e.y + e.height + rand};
}

// Sutherland-Hodgman: the part of a closed ring inside the box.
std::vector<GdiPunktD> gdiRingKappen(const std::vector<GdiPunktD>& ring, const GdiBoxD& b)
{
    std::vector<GdiPunktD> aus = ring;
    for (int kante = 0; kante < 4 && !aus.empty(); ++kante) {
        auto innen = [&](const GdiPunktD& q) {
            switch (kante) {
            case 0: return q.x >= b.l;
            case 1: return q.x <= b.r;
            case 2: return q.y >= b.t;
            default: return q.y <= b.b;
            }
        };
        auto schnitt = [&](const GdiPunktD& a, const GdiPunktD& e) {
            double t;
            switch (kante) {
            case 0: t = (b.l - a.x) / (e.x - a.x); break;
            case 1: t = (b.r - a.x) / (e.x - a.x); break;
            case 2: t = (b.t - a.y) / (e.y - a.y); break;
            default: t = (b.b - a.y) / (e.y - a.y); break;
            }
            return GdiPunktD{a.x + t * (e.x - a.x), a.y + t * (e.y - a.y)};
        };
        std::vector<GdiPunktD> ein;
        ein.swap(aus);
        for (size_t i = 0; i < ein.size(); ++i) {
            const GdiPunktD& a = ein[(i + ein.size() - 1) % ein.size()];
            const GdiPunktD& e = ein[i];
            if (innen(e)) {
                if (!innen(a)) aus.push_back(schnitt(a, e));
                aus.push_back(e);
            } else if (innen(a)) {
                aus.push_back(schnitt(a, e));
            }
        }
    }
    return aus;
}

// Liang-Barsky: the part of a segment inside the box; false when none.
bool gdiStreckeKappen(GdiPunktD& a, GdiPunktD& e, const GdiBoxD& b)
{
    double t0 = 0, t1 = 1, dx = e.x - a.x, dy = e.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy}, q[4] = {a.x - b.l, b.r - a.x, a.y - b.t, b.b - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        double r = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, r);
        else t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    GdiPunktD a2{a.x + t0 * dx, a.y + t0 * dy}, e2{a.x + t1 * dx, a.y + t1 * dy};
    a = a2, e = e2;
    return true;
}

// A rectangle far larger than the clip box, cut to it (exact for what shows).
void gdiKastenKappen(GdiDc* dc, double& l, double& t, double& r, double& b, double rand)
{
    if (std::max({std::fabs(l), std::fabs(t), std::fabs(r), std::fabs(b)}) <= GDI_CAIROSUP) return;
    GdiBoxD k = gdiKappBox(dc, rand);
    l = std::clamp(l, k.l, k.r), r = std::clamp(r, k.l, k.r);
    t = std::clamp(t, k.t, k.b), b = std::clamp(b, k.t, k.b);
}

// Strokes a device-space polyline with the pen (wide pens, vector DCs).
void gdiZugMalen(GdiDc* dc, const GdiStiftInfo& s, const std::vector<GdiPunktD>& p, bool zu)
{
    if (p.size() < 2) return;
    double c = gdiMitte(dc);
    if (gdiRiesig(p)) {
        // Each segment cut to the box on its own (joins out there are not seen).
        GdiBoxD b = gdiKappBox(dc, s.breite + 4);
        std::vector<GdiPunktD> stuecke;
        size_t n = p.size() + (zu ? 1 : 0);
        for (size_t i = 1; i < n; ++i) {
            GdiPunktD a = p[i - 1], e = p[i % p.size()];
            if (gdiStreckeKappen(a, e, b)) stuecke.push_back(a), stuecke.push_back(e);
        }
        if (stuecke.empty()) return;
        gdiFormMalen(dc, s.rop2, gdiKasten(stuecke, s.breite), [&](cairo_t* cr) {
            gdiStiftSetzen(cr, dc, s);
            for (size_t i = 0; i + 1 < stuecke.size(); i += 2) {
                cairo_move_to(cr, stuecke[i].x + c, stuecke[i].y + c);
                cairo_line_to(cr, stuecke[i + 1].x + c, stuecke[i + 1].y + c);
            }
            cairo_stroke(cr);
        });
        return;
    }
    gdiFormMalen(dc, s.rop2, gdiKasten(p, s.breite), [&](cairo_t* cr) {
        gdiStiftSetzen(cr, dc, s);
        cairo_move_to(cr, p[0].x + c, p[0].y + c);
        for (size_t i = 1; i < p.size(); ++i) cairo_line_to(cr, p[i].x + c, p[i].y + c);
        if (zu) cairo_close_path(cr);
        cairo_stroke(cr);
    });
}

// Draws a device-space polyline with the DC's pen; `zu` closes it.
void gdiLinienzug(GdiDc* dc, const std::vector<GdiPunktD>& p, bool zu)
{
    GdiStiftInfo s = gdiStiftInfo(dc);
    if (s.leer || p.size() < 2) return;
    // A smoothed DC strokes solid thin lines too (the walk below has no
    // grey levels); styled thin pens keep their pixel pattern.
    const bool glatt = gdiGlatt(dc, s.rop2) && (s.stil & PS_STYLE_MASK) == PS_SOLID;
    if (s.dick || !gdiIstRaster(dc) || glatt) {
        gdiZugMalen(dc, s, p, zu);
        return;
    }
    GdiLinie l;
    gdiLinienStart(dc, l, s);
    for (size_t i = 1; i < p.size(); ++i)
        gdiLinieZiehen(l, static_cast<int64_t>(p[i - 1].x), static_cast<int64_t>(p[i - 1].y),
                       static_cast<int64_t>(p[i].x), static_cast<int64_t>(p[i].y));
    if (zu)
        gdiLinieZiehen(l, static_cast<int64_t>(p.back().x), static_cast<int64_t>(p.back().y),
                       static_cast<int64_t>(p[0].x), static_cast<int64_t>(p[0].y));
    gdiLinienEnde(l);
}

// Fills a device path built by `pfad` with a brush, ignoring ROP2 when
// `kopie` (FillRect and friends), else with the DC's ROP2.
void gdiFlaecheFuellen(GdiDc* dc, const GdiMuster& m, cairo_rectangle_int_t kasten, bool gerade, int rop2,
                       const std::function<void(cairo_t*)>& pfad)
{
    if (m.art == GdiMuster::Leer) return;
    gdiFormMalen(dc, rop2, kasten, [&](cairo_t* cr) {
        cairo_pattern_t* q = gdiMusterCairo(m, gdiIstRaster(dc) ? 1.0 : dc->geraet.logpixelsx / 96.0);
        cairo_set_source(cr, q);
        pfad(cr);
        cairo_set_fill_rule(cr, gerade ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_fill(cr);
        cairo_pattern_destroy(q);
    });
}

struct GdiKastenD {
    double l, t, r, b;
};

// A logical box in device space, ordered; raster boxes land on whole pixels.
GdiKastenD gdiBox(GdiDc* dc, int l, int t, int r, int b)
{
    GdiPunktD a = gdiDp(dc, l, t), c = gdiDp(dc, r, b);
    return GdiKastenD{std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
}

bool gdiStart(GdiDc* dc)
{
    if (dc->art == GdiDcArt::Vektor && dc->abgeschlossen) return false;
    return dc->flaeche != nullptr;
}

}  // namespace

// ---- Lines ------------------------------------------------------------------------------------
BOOL LineTo(HDC hdc, int x, int y)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) {
        if (!dc->rec->LineTo(hdc, x, y)) return FALSE;
        dc->z.pos = POINT{x, y};
        return TRUE;
    }
    if (!gdiStart(dc)) return FALSE;
    GdiZeichnung g(dc);
    std::vector<GdiPunktD> p{gdiDp(dc, dc->z.pos.x, dc->z.pos.y), gdiDp(dc, x, y)};
    gdiLinienzug(dc, p, false);
    dc->z.pos = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* pts, int n)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !pts || n < 2) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->Polyline(hdc, pts, n);
    if (!gdiStart(dc)) return FALSE;
    GdiZeichnung g(dc);
    std::vector<GdiPunktD> p;
    p.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) p.push_back(gdiDp(dc, pts[i].x, pts[i].y));
    gdiLinienzug(dc, p, false);
    return TRUE;
}

namespace {

BOOL gdiPolygone(GdiDc* dc, const POINT* pts, const INT* counts, int polys)
{
    GdiZeichnung g(dc);
    std::vector<std::vector<GdiPunktD>> ringe;
    std::vector<GdiPunktD> alle;
    int k = 0;
    for (int i = 0; i < polys; ++i) {
        std::vector<GdiPunktD> r;
        for (int j = 0; j < counts[i]; ++j, ++k) r.push_back(gdiDp(dc, pts[k].x, pts[k].y));
        alle.insert(alle.end(), r.begin(), r.end());
        ringe.push_back(std::move(r));
    }
    if (alle.empty()) return TRUE;
    double c = gdiMitte(dc);
    GdiMuster m = gdiMusterVon(dc, dc->z.pinsel);
    std::vector<std::vector<GdiPunktD>> flaechen = ringe;
    if (gdiRiesig(alle)) {
        GdiBoxD b = gdiKappBox(dc, 4);
        alle.clear();
        for (auto& r : flaechen) {
            r = gdiRingKappen(r, b);
            alle.insert(alle.end(), r.begin(), r.end());
        }
    }
    if (!alle.empty())
    gdiFlaecheFuellen(dc, m, gdiKasten(alle, 1), dc->z.fuellModus == ALTERNATE, dc->z.rop2, [&](cairo_t* cr) {
        for (const auto& r : flaechen) {
            if (r.size() < 2) continue;
            cairo_move_to(cr, r[0].x + c, r[0].y + c);
            for (size_t i = 1; i < r.size(); ++i) cairo_line_to(cr, r[i].x + c, r[i].y + c);
            cairo_close_path(cr);
        }
    });
    for (const auto& r : ringe) gdiLinienzug(dc, r, true);
    return TRUE;
}

}  // namespace

BOOL Polygon(HDC hdc, const POINT* pts, int n)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !pts || n < 2) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->Polygon(hdc, pts, n);
    if (!gdiStart(dc)) return FALSE;
    return gdiPolygone(dc, pts, &n, 1);
}

BOOL PolyPolygon(HDC hdc, const POINT* pts, const INT* counts, int polys)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !pts || !counts || polys <= 0) return FALSE;
    for (int i = 0; i < polys; ++i)
        if (counts[i] < 2) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->PolyPolygon(hdc, pts, counts, polys);
    if (!gdiStart(dc)) return FALSE;
    return gdiPolygone(dc, pts, counts, polys);
}

// ---- Rectangles ---------------------------------------------------------------------------
namespace {

// A closed shape: the interior path filled with the brush, then the frame
// with the pen. `pfad(cr, einzug)` builds the path in surface pixels,
// `einzug` pixels inside the box's pixel edges.
BOOL gdiFigur(GdiDc* dc, GdiKastenD k, const std::function<void(cairo_t*, double)>& pfad)
{
    GdiStiftInfo s = gdiStiftInfo(dc);
    GdiMuster m = gdiMusterVon(dc, dc->z.pinsel);
    bool raster = gdiIstRaster(dc);
    std::vector<GdiPunktD> ecken{{k.l, k.t}, {k.r, k.b}};
    cairo_rectangle_int_t kasten = gdiKasten(ecken, s.leer ? 1 : s.breite);
    double w = s.leer ? 0 : (raster ? static_cast<double>(std::max(1L, std::lround(s.breite))) : s.breite);
    // The frame's path runs through the outer ring's pixel centres (or w/2
    // inside for PS_INSIDEFRAME); the fill stops where the frame begins, so
    // a bitwise operation touches each pixel once.
    double innen = s.leer ? 0 : (s.innen ? w / 2 : (raster ? 0.5 : 0));
    double fuellEinzug = s.leer ? 0 : (raster ? innen + w / 2 : innen);
    // Smoothed, fill and frame would leave a light seam where their grey
    // edges meet: the fill runs on under the frame.
    if (gdiGlatt(dc, dc->z.rop2)) fuellEinzug = innen;
    gdiFlaecheFuellen(dc, m, kasten, true, dc->z.rop2, [&](cairo_t* cr) { pfad(cr, fuellEinzug); });
    if (s.leer) return TRUE;
    gdiFormMalen(dc, s.rop2, kasten, [&](cairo_t* cr) {
        gdiStiftSetzen(cr, dc, s);
        cairo_set_line_width(cr, w);
        pfad(cr, innen);
        cairo_stroke(cr);
    });
    return TRUE;
}

}  // namespace

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->Rectangle(hdc, left, top, right, bottom);
    if (!gdiStart(dc)) return FALSE;
    GdiZeichnung g(dc);
    if (!gdiAchsentreu(dc)) {
        POINT p[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
        int n = 4;
        return gdiPolygone(dc, p, &n, 1);
    }
    GdiKastenD k = gdiBox(dc, left, top, right, bottom);
    GdiStiftInfo s = gdiStiftInfo(dc);
    gdiKastenKappen(dc, k.l, k.t, k.r, k.b, (s.leer ? 0 : s.breite) + 4);
    if (gdiIstRaster(dc) && !s.leer && !s.dick) {
        // One-pixel frame: the outermost ring of pixels l..r-1, t..b-1.
        GdiMuster m = gdiMusterVon(dc, dc->z.pinsel);
        if (k.r - k.l > 2 && k.b - k.t > 2) {
            gdiFlaecheFuellen(dc, m, gdiKasten({{k.l, k.t}, {k.r, k.b}}, 1), true, dc->z.rop2,
                              [&](cairo_t* cr) { cairo_rectangle(cr, k.l + 1, k.t + 1, k.r - k.l - 2, k.b - k.t - 2); });
        }
        if (k.r > k.l && k.b > k.t) {
            std::vector<GdiPunktD> p{{k.l, k.t}, {k.r - 1, k.t}, {k.r - 1, k.b - 1}, {k.l, k.b - 1}};
            if (k.r - k.l == 1 || k.b - k.t == 1) {
                // A degenerate frame is drawn as a filled strip, each pixel once.
                GdiMuster f;
                f.art = GdiMuster::Farbe;
                f.farbe = s.farbe;
                gdiFlaecheFuellen(dc, f, gdiKasten(p, 1), true, s.rop2,
                                  [&](cairo_t* cr) { cairo_rectangle(cr, k.l, k.t, k.r - k.l, k.b - k.t); });
            } else {
                gdiLinienzug(dc, p, true);
            }
        }
        return TRUE;
    }
    if (gdiIstRaster(dc) && s.leer) {
        // The null pen leaves the interior one pixel short at right and bottom.
        GdiMuster m = gdiMusterVon(dc, dc->z.pinsel);
        gdiFlaecheFuellen(dc, m, gdiKasten({{k.l, k.t}, {k.r, k.b}}, 1), true, dc->z.rop2,
                          [&](cairo_t* cr) { cairo_rectangle(cr, k.l, k.t, k.r - k.l - 1, k.b - k.t - 1); });
        return TRUE;
    }
    return gdiFigur(dc, k, [&](cairo_t* cr, double e) {
        cairo_rectangle(cr, k.l + e, k.t + e, std::max(0.0, k.r - k.l - 2 * e), std::max(0.0, k.b - k.t - 2 * e));
    });
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int w, int h)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->RoundRect(hdc, left, top, right, bottom, w, h);
    if (!gdiStart(dc)) return FALSE;
    GdiZeichnung g(dc);
    GdiKastenD k = gdiBox(dc, left, top, right, bottom);
    double rx = std::fabs(gdiLaengeNachDp(dc, w)) / 2, ry = std::fabs(gdiLaengeNachDp(dc, h)) / 2;
    return gdiFigur(dc, k, [&](cairo_t* cr, double e) {
        double l = k.l + e, t = k.t + e, r = k.r - e, b = k.b - e;
        // Corners shrink with the inset, so frame and fill stay concentric.
        double ax = std::min(rx - e, (r - l) / 2), ay = std::min(ry - e, (b - t) / 2);
        if (ax <= 0 || ay <= 0) {
            cairo_rectangle(cr, l, t, r - l, b - t);
            return;
        }
        auto ecke = [&](double cx, double cy, double a0) {
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_scale(cr, ax, ay);
            cairo_arc(cr, 0, 0, 1, a0, a0 + M_PI / 2);
            cairo_restore(cr);
        };
        cairo_new_sub_path(cr);
        ecke(r - ax, t + ay, -M_PI / 2);
        ecke(r - ax, b - ay, 0);
        ecke(l + ax, b - ay, M_PI / 2);
        ecke(l + ax, t + ay, M_PI);
        cairo_close_path(cr);
    });
}

// ---- Ellipses and arcs -------------------------------------------------------------------
namespace {

enum class GdiBogen { Ellipse, Bogen, Torte, Sehne };

BOOL gdiBogenMalen(GdiDc* dc, GdiBogen art, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye)
{
    GdiZeichnung g(dc);
    bool welt = dc->z.grafikModus == GM_ADVANCED && !gdiAchsentreu(dc);
    // In world-transform mode the curve is built in logical space under the
    // matrix; otherwise in device space on whole pixels.
    GdiKastenD k;
    double as = 0, ae = 0;
    if (welt) {
        k = GdiKastenD{double(std::min(left, right)), double(std::min(top, bottom)), double(std::max(left, right)),
                       double(std::max(top, bottom))};
    } else {
        k = gdiBox(dc, left, top, right, bottom);
    }
    double cx = (k.l + k.r) / 2, cy = (k.t + k.b) / 2;
    double rx = (k.r - k.l) / 2, ry = (k.b - k.t) / 2;
    if (rx <= 0 || ry <= 0) return TRUE;
    if (art != GdiBogen::Ellipse) {
        GdiPunktD s{double(xs), double(ys)}, e{double(xe), double(ye)};
        if (!welt) {
            gdiLpNachDp(dc, xs, ys, s.x, s.y);
            gdiLpNachDp(dc, xe, ye, e.x, e.y);
        }
        as = std::atan2((s.y - cy) / ry, (s.x - cx) / rx);
        ae = std::atan2((e.y - cy) / ry, (e.x - cx) / rx);
        // Counter-clockwise on the screen is the negative direction in cairo.
        while (ae >= as) ae -= 2 * M_PI;
        if (as - ae > 2 * M_PI - 1e-9) ae = as - 2 * M_PI;
    }
    if (!welt && gdiRiesig({{k.l, k.t}, {k.r, k.b}})) {
        // Too large for cairo's paths: the curve as points (within 1/8 pixel
        // of it), filled and drawn through the cut polygon and line code.
        double spanne = art == GdiBogen::Ellipse ? 2 * M_PI : as - ae;
        double n = std::clamp(std::ceil(spanne * std::sqrt(std::max(rx, ry))), 16.0, 400000.0);
        bool raster = gdiIstRaster(dc);
        std::vector<GdiPunktD> p;
        if (art == GdiBogen::Torte) p.push_back(raster ? GdiPunktD{std::floor(cx), std::floor(cy)} : GdiPunktD{cx, cy});
        for (int i = 0; i <= static_cast<int>(n); ++i) {
            double a = art == GdiBogen::Ellipse ? 2 * M_PI * i / n : as - spanne * i / n;
            // Raster: the ring through the outer pixels' centres, as pixel indices.
            double e = raster ? 0.5 : 0;
            GdiPunktD q{cx + (rx - e) * std::cos(a), cy + (ry - e) * std::sin(a)};
            if (raster) q.x = std::floor(q.x), q.y = std::floor(q.y);
            p.push_back(q);
        }
        if (art != GdiBogen::Bogen) {
            std::vector<GdiPunktD> ring = gdiRingKappen(p, gdiKappBox(dc, 4));
            double c = gdiMitte(dc);
            if (!ring.empty())
                gdiFlaecheFuellen(dc, gdiMusterVon(dc, dc->z.pinsel), gdiKasten(ring, 1), true, dc->z.rop2,
                                  [&](cairo_t* cr) {
                                      cairo_move_to(cr, ring[0].x + c, ring[0].y + c);
                                      for (size_t i = 1; i < ring.size(); ++i) cairo_line_to(cr, ring[i].x + c, ring[i].y + c);
                                      cairo_close_path(cr);
                                  });
        }
        gdiLinienzug(dc, p, art != GdiBogen::Bogen);
        return TRUE;
    }
    auto pfad = [&](cairo_t* cr, double einzug) {
        cairo_matrix_t alt;
        cairo_get_matrix(cr, &alt);
        if (welt) {
            cairo_matrix_t m = gdiMatrix(dc);
            cairo_matrix_t r;
            cairo_matrix_multiply(&r, &m, &alt);
            cairo_set_matrix(cr, &r);
            einzug = 0;
        }
        double ex = std::max(rx - einzug, 0.01), ey = std::max(ry - einzug, 0.01);
        cairo_new_path(cr);
        if (art == GdiBogen::Torte) cairo_move_to(cr, cx, cy);
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, ex, ey);
        if (art == GdiBogen::Ellipse) cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        else cairo_arc_negative(cr, 0, 0, 1, as, ae);
        cairo_restore(cr);
        if (art != GdiBogen::Bogen) cairo_close_path(cr);
        cairo_set_matrix(cr, &alt);
    };
    GdiStiftInfo s = gdiStiftInfo(dc);
    std::vector<GdiPunktD> ecken{{k.l, k.t}, {k.r, k.b}};
    if (welt) {
        ecken.clear();
        for (GdiPunktD q : {GdiPunktD{k.l, k.t}, GdiPunktD{k.r, k.t}, GdiPunktD{k.r, k.b}, GdiPunktD{k.l, k.b}}) {
            GdiPunktD d;
            gdiLpNachDp(dc, q.x, q.y, d.x, d.y);
            ecken.push_back(d);
        }
    }
    cairo_rectangle_int_t kasten = gdiKasten(ecken, s.leer ? 1 : s.breite + 1);
    bool raster = gdiIstRaster(dc);
    double w = s.leer ? 0 : (raster ? static_cast<double>(std::max(1L, std::lround(s.breite))) : s.breite);
    if (art != GdiBogen::Bogen) {
        GdiMuster m = gdiMusterVon(dc, dc->z.pinsel);
        // The fill stops where the frame's ring begins (bitwise operations
        // touch each pixel once).
        double e = s.leer ? 0 : (s.innen ? w : (raster ? 0.5 + w / 2 : 0));
        if (!s.leer && gdiGlatt(dc, dc->z.rop2)) e = s.innen ? w / 2 : 0.5;  // under the frame (see gdiFigur)
        gdiFlaecheFuellen(dc, m, kasten, true, dc->z.rop2, [&](cairo_t* cr) { pfad(cr, e); });
    }
    if (s.leer) return TRUE;
    double einzug = s.innen ? w / 2 : (raster ? 0.5 : 0);
    gdiFormMalen(dc, s.rop2, kasten, [&](cairo_t* cr) {
        gdiStiftSetzen(cr, dc, s);
        cairo_set_line_width(cr, w);
        pfad(cr, einzug);
        cairo_stroke(cr);
    });
    return TRUE;
}

}  // namespace

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->Ellipse(hdc, left, top, right, bottom);
    if (!gdiStart(dc)) return FALSE;
    return gdiBogenMalen(dc, GdiBogen::Ellipse, left, top, right, bottom, 0, 0, 0, 0);
}

BOOL Arc(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->Arc(hdc, left, top, right, bottom, xs, ys, xe, ye);
    if (!gdiStart(dc)) return FALSE;
    return gdiBogenMalen(dc, GdiBogen::Bogen, left, top, right, bottom, xs, ys, xe, ye);
}

BOOL Pie(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->Pie(hdc, left, top, right, bottom, xs, ys, xe, ye);
    if (!gdiStart(dc)) return FALSE;
    return gdiBogenMalen(dc, GdiBogen::Torte, left, top, right, bottom, xs, ys, xe, ye);
}

BOOL Chord(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->Chord(hdc, left, top, right, bottom, xs, ys, xe, ye);
    if (!gdiStart(dc)) return FALSE;
    return gdiBogenMalen(dc, GdiBogen::Sehne, left, top, right, bottom, xs, ys, xe, ye);
}

// ---- Rectangle fills ------------------------------------------------------------------------
namespace {

// Fills device rectangles with a brush as a plain copy (FillRect's rule).
void gdiRechteckeFuellen(GdiDc* dc, const GdiMuster& m, std::vector<GdiKastenD> ks)
{
    if (ks.empty()) return;
    std::vector<GdiPunktD> alle;
    for (GdiKastenD& k : ks) {
        gdiKastenKappen(dc, k.l, k.t, k.r, k.b, 2);
        alle.push_back({k.l, k.t}), alle.push_back({k.r, k.b});
    }
    gdiFlaecheFuellen(dc, m, gdiKasten(alle, 1), false, R2_COPYPEN, [&](cairo_t* cr) {
        for (const GdiKastenD& k : ks) cairo_rectangle(cr, k.l, k.t, k.r - k.l, k.b - k.t);
    });
}

}  // namespace

void gdiRechteckFarbe(GdiDc* dc, int l, int t, int r, int b, uint32_t pixel)
{
    GdiMuster m;
    m.art = GdiMuster::Farbe;
    m.farbe = pixel;
    gdiRechteckeFuellen(dc, m, {GdiKastenD{double(l), double(t), double(r), double(b)}});
}

int FillRect(HDC hdc, const RECT* rc, HBRUSH br)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !rc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->FillRect(hdc, rc, br);
    if (!gdiStart(dc)) return FALSE;
    GdiZeichnung g(dc);
    GdiMuster m = gdiMusterVon(dc, br);
    if (m.art == GdiMuster::Leer) return br >= 1 && br <= 31 ? TRUE : gdiPinsel().gueltig(br);
    if (!gdiAchsentreu(dc)) {
        POINT p[4] = {{rc->left, rc->top}, {rc->right, rc->top}, {rc->right, rc->bottom}, {rc->left, rc->bottom}};
        std::vector<GdiPunktD> q;
        for (const POINT& a : p) q.push_back(gdiDp(dc, a.x, a.y));
        gdiFlaecheFuellen(dc, m, gdiKasten(q, 1), false, R2_COPYPEN, [&](cairo_t* cr) {
            cairo_move_to(cr, q[0].x, q[0].y);
            for (int i = 1; i < 4; ++i) cairo_line_to(cr, q[i].x, q[i].y);
            cairo_close_path(cr);
        });
        return TRUE;
    }
    gdiRechteckeFuellen(dc, m, {gdiBox(dc, rc->left, rc->top, rc->right, rc->bottom)});
    return TRUE;
}

int FrameRect(HDC hdc, const RECT* rc, HBRUSH br)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !rc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->FrameRect(hdc, rc, br);
    if (!gdiStart(dc)) return FALSE;
    GdiZeichnung g(dc);
    GdiMuster m = gdiMusterVon(dc, br);
    GdiKastenD k = gdiBox(dc, rc->left, rc->top, rc->right, rc->bottom);
    if (k.r <= k.l || k.b <= k.t) return TRUE;
    double e = gdiIstRaster(dc) ? 1 : dc->geraet.logpixelsx / 96.0;
    std::vector<GdiKastenD> ks{{k.l, k.t, k.r, k.t + e}, {k.l, k.b - e, k.r, k.b}};
    if (k.b - k.t > 2 * e) ks.push_back({k.l, k.t + e, k.l + e, k.b - e}), ks.push_back({k.r - e, k.t + e, k.r, k.b - e});
    gdiRechteckeFuellen(dc, m, ks);
    return TRUE;
}

namespace {

// Inverts device pixels of a box (all, or every other one on its frame).
void gdiInvertieren(GdiDc* dc, GdiKastenD k, bool nurRahmenPunkte)
{
    if (!gdiIstRaster(dc)) return;  // nothing to invert on paper
    int l = static_cast<int>(k.l), t = static_cast<int>(k.t), r = static_cast<int>(k.r), b = static_cast<int>(k.b);
    if (r <= l || b <= t) return;
    GdiZiel z = gdiZiel(dc);
    cairo_region_t* clip = gdiWirkClip(dc);
    bool mono = gdiIstMono(dc);
    auto kippen = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= z.w || y >= z.h || !cairo_region_contains_point(clip, x, y)) return;
        uint32_t& d = z.daten[y * z.stride + x];
        d = (~d & 0xFFFFFFu) | 0xFF000000u;
        if (mono) d = (d & 0xFFFFFF) ? 0xFFFFFFFFu : 0xFF000000u;
    };
    if (!nurRahmenPunkte) {
        cairo_rectangle_int_t e{l, t, r - l, b - t};
        cairo_region_t* rr = cairo_region_create_rectangle(&e);
        cairo_region_intersect(rr, clip);
        int n = cairo_region_num_rectangles(rr);
        for (int i = 0; i < n; ++i) {
            cairo_rectangle_int_t q;
            cairo_region_get_rectangle(rr, i, &q);
            for (int y = std::max(q.y, 0); y < std::min(q.y + q.height, z.h); ++y)
                for (int x = std::max(q.x, 0); x < std::min(q.x + q.width, z.w); ++x) {
                    uint32_t& d = z.daten[y * z.stride + x];
                    d = (~d & 0xFFFFFFu) | 0xFF000000u;
                }
        }
        cairo_region_destroy(rr);
    } else {
        // The focus rectangle: every other pixel of the frame, counted along
        // it, so that drawing it twice restores the target.
        // Only the part of the frame on the surface is walked.
        int x0 = std::max(l, 0), x1 = std::min(r, z.w), y0 = std::max(t + 1, 0), y1 = std::min(b - 1, z.h);
        for (int x = x0; x < x1; ++x) {
            if (((int64_t{x} - l) & 1) == 0) kippen(x, t);
            if (b - 1 > t && ((int64_t{x} - l + b - 1 - t) & 1) == 0) kippen(x, b - 1);
        }
        for (int y = y0; y < y1; ++y) {
            if (((int64_t{y} - t) & 1) == 0) kippen(l, y);
            if (r - 1 > l && ((int64_t{y} - t + r - 1 - l) & 1) == 0) kippen(r - 1, y);
        }
    }
    cairo_surface_mark_dirty(dc->flaeche);
}

}  // namespace

BOOL InvertRect(HDC hdc, const RECT* rc)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !rc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->InvertRect(hdc, rc);
    if (!gdiStart(dc)) return FALSE;
    GdiZeichnung g(dc);
    gdiInvertieren(dc, gdiBox(dc, rc->left, rc->top, rc->right, rc->bottom), false);
    return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rc)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !rc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->DrawFocusRect(hdc, rc);
    if (!gdiStart(dc)) return FALSE;
    GdiZeichnung g(dc);
    gdiInvertieren(dc, gdiBox(dc, rc->left, rc->top, rc->right, rc->bottom), true);
    return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH br)
{
    GdiDc* dc = gdiDc(hdc);
    GdiRegion* g = gdiRegionen().finden(rgn);
    if (!dc || !g) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->FillRgn(hdc, rgn, br);
    if (!gdiStart(dc)) return FALSE;
    GdiZeichnung z(dc);
    GdiMuster m = gdiMusterVon(dc, br);
    std::vector<GdiKastenD> ks;
    int n = cairo_region_num_rectangles(g->r);
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t e;
        cairo_region_get_rectangle(g->r, i, &e);
        ks.push_back(gdiBox(dc, e.x, e.y, e.x + e.width, e.y + e.height));
    }
    gdiRechteckeFuellen(dc, m, ks);
    return TRUE;
}

BOOL PaintRgn(HDC hdc, HRGN rgn)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    return FillRgn(hdc, rgn, dc->z.pinsel);
}

// ---- Pixels -----------------------------------------------------------------------------------
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return CLR_INVALID;
    color = gdiFarbeRein(color);
    if (dc->art == GdiDcArt::Recorder) return dc->rec->SetPixel(hdc, x, y, color) ? color : CLR_INVALID;
    if (!gdiStart(dc)) return CLR_INVALID;
    GdiZeichnung g(dc);
    GdiPunktD p = gdiDp(dc, x, y);
    uint32_t px = gdiPixelAus(color);
    if (gdiIstMono(dc)) px = gdiMonoAus(px);
    if (!gdiIstRaster(dc)) {
        double e = dc->geraet.logpixelsx / 96.0;
        cairo_t* cr = gdiCairo(dc);
        gdiFarbeQuelle(cr, px);
        cairo_rectangle(cr, p.x, p.y, e, e);
        cairo_fill(cr);
        return color;
    }
    int ix = static_cast<int>(p.x), iy = static_cast<int>(p.y);
    GdiZiel z = gdiZiel(dc);
    if (ix < 0 || iy < 0 || ix >= z.w || iy >= z.h || !cairo_region_contains_point(gdiWirkClip(dc), ix, iy))
        return CLR_INVALID;
    z.daten[iy * z.stride + ix] = px;
    cairo_surface_mark_dirty(dc->flaeche);
    return gdiFarbeAus(px);
}

COLORREF GetPixel(HDC hdc, int x, int y)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !gdiIstRaster(dc) || !dc->flaeche) return CLR_INVALID;
    GdiZeichnung g(dc);
    GdiPunktD p = gdiDp(dc, x, y);
    int ix = static_cast<int>(p.x), iy = static_cast<int>(p.y);
    GdiZiel z = gdiZiel(dc);
    if (ix < 0 || iy < 0 || ix >= z.w || iy >= z.h || !cairo_region_contains_point(gdiWirkClip(dc), ix, iy))
        return CLR_INVALID;
    return gdiFarbeAus(z.daten[iy * z.stride + ix]);
}
