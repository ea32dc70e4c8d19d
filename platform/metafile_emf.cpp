// Enhanced metafiles: the recorder behind CreateEnhMetaFile (a GdiRecorder
// writing EMF records) and the player PlayEnhMetaFile. Prefix `emf` for
// file-static helpers. Calls the public GDI calls, gdiint.h for recording
// DCs and the screen's capabilities, metafile_gemeinsam.h (the recording and
// the steps shared with WMF), metafile_format.h and bild.h.
//
// The player keeps the metafile's own mapping (map mode, window and viewport,
// world transform, with a stack for SaveDC/RestoreDC) and draws through one
// world transform on the target: metafile world, metafile page, then the
// frame fitted to the target rectangle, then the target's own world
// transform. The target's page mapping stays as the caller set it.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include <cairo.h>

#include "platform/bild.h"
#include "platform/gdiint.h"
#include "platform/metafile_gemeinsam.h"

namespace {

struct emfAufnahme : metaAufnahme {
    plEmfSchreiber w;
    bool mitFrame = false;
    RECT frame{};
    std::string beschreibung;
    SIZEL pixel{1920, 1080};
    SIZEL mm{508, 286};
    std::vector<HGDIOBJ> handles{0};  // index 0 stands for the metafile itself
    bool boundsLeer = true;
    RECTL bounds{0, 0, -1, -1};

    BOOL auswaehlen(HGDIOBJ h) override;
    BOOL patBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) override;
    BOOL dib(HDC hdc, const metaDibAuftrag& d) override;
    std::vector<uint8_t> fertig() override;
};

emfAufnahme* emfRec(HDC hdc) { return static_cast<emfAufnahme*>(metaRec(hdc)); }

// Grows the bounds by logical points of the recording DC; returns their
// device box for the record's own bounds field.
RECTL emfBounds(HDC hdc, emfAufnahme* a, std::vector<POINT> p)
{
    RECTL r{0, 0, -1, -1};
    if (p.empty() || !LPtoDP(hdc, p.data(), static_cast<int>(p.size()))) return r;
    r = {p[0].x, p[0].y, p[0].x, p[0].y};
    for (const POINT& q : p) {
        r.left = std::min(r.left, q.x);
        r.top = std::min(r.top, q.y);
        r.right = std::max(r.right, q.x);
        r.bottom = std::max(r.bottom, q.y);
    }
    if (a->boundsLeer) {
        a->bounds = r;
        a->boundsLeer = false;
    } else {
        a->bounds.left = std::min(a->bounds.left, r.left);
        a->bounds.top = std::min(a->bounds.top, r.top);
        a->bounds.right = std::max(a->bounds.right, r.right);
        a->bounds.bottom = std::max(a->bounds.bottom, r.bottom);
    }
    return r;
}
RECTL emfBoundsBox(HDC hdc, emfAufnahme* a, int l, int t, int r, int b)
{
    return emfBounds(hdc, a, {{l, t}, {r, t}, {l, b}, {r, b}});
}
void emfRect(plLeSchreiber& s, const RECTL& r)
{
    s.i32(r.left);
    s.i32(r.top);
    s.i32(r.right);
    s.i32(r.bottom);
}

BOOL emfWerte(HDC hdc, uint32_t typ, std::initializer_list<int32_t> werte)
{
    emfAufnahme* a = emfRec(hdc);
    if (!a) return FALSE;
    plLeSchreiber& s = a->w.beginnen(typ);
    for (int32_t v : werte) s.i32(v);
    a->w.beenden();
    return TRUE;
}

void emfXform(plLeSchreiber& s, const XFORM& x)
{
    for (FLOAT f : {x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy}) s.f32(f);
}

// Index of the object in the handle table, writing its create record when
// it is new; stock objects answer their stock index with the high bit.
int64_t emfIndex(emfAufnahme* a, HGDIOBJ h)
{
    int stock = metaStockIndex(h);
    if (stock >= 0) return static_cast<int64_t>(0x80000000u | static_cast<uint32_t>(stock));
    for (size_t i = 1; i < a->handles.size(); ++i)
        if (a->handles[i] == h) return static_cast<int64_t>(i);
    metaObjekt o;
    if (!metaObjektLesen(h, o)) return -1;
    auto frei = std::find(a->handles.begin() + 1, a->handles.end(), HGDIOBJ{0});
    if (frei == a->handles.end()) frei = a->handles.insert(a->handles.end(), HGDIOBJ{0});
    uint32_t ih = static_cast<uint32_t>(frei - a->handles.begin());
    switch (o.art) {
    case OBJ_PEN: {
        plLeSchreiber& s = a->w.beginnen(EMR_CREATEPEN);
        s.u32(ih);
        s.u32(o.stift.lopnStyle);
        s.i32(o.stift.lopnWidth.x);
        s.i32(0);
        s.u32(o.stift.lopnColor);
        break;
    }
    case OBJ_EXTPEN: {
        plLeSchreiber& s = a->w.beginnen(EMR_EXTCREATEPEN);
        s.u32(ih);
        for (int i = 0; i < 4; ++i) s.u32(0);  // no brush bitmap
        s.u32(o.stiftStil);
        s.u32(static_cast<uint32_t>(o.stift.lopnWidth.x));
        s.u32(BS_SOLID);
        s.u32(o.stift.lopnColor);
        s.u32(0);
        s.u32(0);
        break;
    }
    case OBJ_BRUSH:
        if (!o.musterDib.empty()) {
            size_t kopf = plDibKopfGroesse(o.musterDib.data(), o.musterDib.size());
            plLeSchreiber& s = a->w.beginnen(EMR_CREATEDIBPATTERNBRUSHPT);
            s.u32(ih);
            s.u32(DIB_RGB_COLORS);
            s.u32(32);
            s.u32(static_cast<uint32_t>(kopf));
            s.u32(static_cast<uint32_t>(32 + kopf));
            s.u32(static_cast<uint32_t>(o.musterDib.size() - kopf));
            s.bytes(o.musterDib.data(), o.musterDib.size());
        } else {
            plLeSchreiber& s = a->w.beginnen(EMR_CREATEBRUSHINDIRECT);
            UINT stil = metaPinselStil(o.pinsel.lbStyle);
            s.u32(ih);
            s.u32(stil);
            s.u32(o.pinsel.lbColor);
            s.u32(stil == BS_HATCHED ? static_cast<uint32_t>(o.pinsel.lbHatch) : 0);
        }
        break;
    case OBJ_FONT: {
        const LOGFONT& f = o.schrift;
        plLeSchreiber& s = a->w.beginnen(EMR_EXTCREATEFONTINDIRECTW);
        s.u32(ih);
        for (LONG v : {f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight}) s.i32(v);
        metaSchriftBytesSchreiben(s, f);
        size_t n = strnlen(f.lfFaceName, LF_FACESIZE - 1);
        std::vector<uint16_t> name = metaNach16(f.lfFaceName, n);
        name.resize(LF_FACESIZE, 0);
        for (uint16_t u : name) s.u16(u);
        break;
    }
    default:
        return -1;
    }
    a->w.beenden();
    *frei = h;
    return ih;
}

BOOL emfAuswaehlen(emfAufnahme* a, HGDIOBJ h)
{
    int64_t i = emfIndex(a, h);
    if (i < 0) return FALSE;
    a->w.beginnen(EMR_SELECTOBJECT).u32(static_cast<uint32_t>(i));
    a->w.beenden();
    return TRUE;
}

BOOL emfAufnahme::auswaehlen(HGDIOBJ h) { return emfAuswaehlen(this, h); }

// A BitBlt record without a bitmap.
BOOL emfAufnahme::patBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    RECTL b = emfBoundsBox(hdc, this, x, y, x + w, y + h);
    plLeSchreiber& s = this->w.beginnen(EMR_BITBLT);
    emfRect(s, b);
    for (int v : {x, y, w, h}) s.i32(v);
    s.u32(rop);
    s.i32(0);
    s.i32(0);
    emfXform(s, XFORM{1, 0, 0, 1, 0, 0});
    for (int i = 0; i < 6; ++i) s.u32(0);  // background colour, usage, no bitmap
    this->w.beenden();
    return TRUE;
}

// A StretchDIBits record.
BOOL emfAufnahme::dib(HDC hdc, const metaDibAuftrag& d)
{
    RECTL b = emfBoundsBox(hdc, this, d.x, d.y, d.x + d.w, d.y + d.h);
    plLeSchreiber& s = w.beginnen(EMR_STRETCHDIBITS);
    emfRect(s, b);
    for (int v : {d.x, d.y, d.xs, d.ys, d.ws, d.hs}) s.i32(v);
    uint32_t offKopf = 80;
    uint32_t offBits = static_cast<uint32_t>(offKopf + ((d.nKopf + 3) & ~size_t{3}));
    s.u32(offKopf);
    s.u32(static_cast<uint32_t>(d.nKopf));
    s.u32(offBits);
    s.u32(static_cast<uint32_t>(d.nBits));
    s.u32(DIB_RGB_COLORS);
    s.u32(d.rop);
    s.i32(d.w);
    s.i32(d.h);
    s.bytes(d.kopf, d.nKopf);
    while ((s.groesse() - w.datensatzAnfang()) % 4) s.u8(0);
    s.bytes(d.bits, d.nBits);
    w.beenden();
    return TRUE;
}

// The frame is the caller's, else the bounds of what was drawn in 0.01 mm of
// the reference device.
std::vector<uint8_t> emfAufnahme::fertig()
{
    RECTL rahmen;
    if (mitFrame) {
        rahmen = {frame.left, frame.top, frame.right, frame.bottom};
    } else if (boundsLeer) {
        rahmen = {0, 0, -1, -1};
    } else {
        auto mmx = [&](LONG v) { return static_cast<LONG>(std::lround(v * 100.0 * mm.cx / pixel.cx)); };
        auto mmy = [&](LONG v) { return static_cast<LONG>(std::lround(v * 100.0 * mm.cy / pixel.cy)); };
        rahmen = {mmx(bounds.left), mmy(bounds.top), mmx(bounds.right), mmy(bounds.bottom)};
    }
    return w.fertig(bounds, rahmen, pixel, mm, static_cast<uint16_t>(std::min<size_t>(handles.size(), 0xFFFF)),
                    beschreibung);
}

// ---- The recorder's members ---------------------------------------------------------

BOOL emfSaveDC(HDC hdc) { return emfWerte(hdc, EMR_SAVEDC, {}); }
BOOL emfRestoreDC(HDC hdc, int n) { return emfWerte(hdc, EMR_RESTOREDC, {n}); }
BOOL emfSetTextColor(HDC hdc, COLORREF c) { return emfWerte(hdc, EMR_SETTEXTCOLOR, {static_cast<int32_t>(c)}); }
BOOL emfSetBkColor(HDC hdc, COLORREF c) { return emfWerte(hdc, EMR_SETBKCOLOR, {static_cast<int32_t>(c)}); }
BOOL emfSetBkMode(HDC hdc, int m) { return emfWerte(hdc, EMR_SETBKMODE, {m}); }
BOOL emfSetROP2(HDC hdc, int m) { return emfWerte(hdc, EMR_SETROP2, {m}); }
BOOL emfSetPolyFillMode(HDC hdc, int m) { return emfWerte(hdc, EMR_SETPOLYFILLMODE, {m}); }
BOOL emfSetStretchBltMode(HDC hdc, int m) { return emfWerte(hdc, EMR_SETSTRETCHBLTMODE, {m}); }
BOOL emfSetTextAlign(HDC hdc, UINT m) { return emfWerte(hdc, EMR_SETTEXTALIGN, {static_cast<int32_t>(m)}); }
BOOL emfSetMapMode(HDC hdc, int m) { return emfWerte(hdc, EMR_SETMAPMODE, {m}); }
BOOL emfSetWindowOrgEx(HDC hdc, int x, int y) { return emfWerte(hdc, EMR_SETWINDOWORGEX, {x, y}); }
BOOL emfSetWindowExtEx(HDC hdc, int x, int y) { return emfWerte(hdc, EMR_SETWINDOWEXTEX, {x, y}); }
BOOL emfSetViewportOrgEx(HDC hdc, int x, int y) { return emfWerte(hdc, EMR_SETVIEWPORTORGEX, {x, y}); }
BOOL emfSetViewportExtEx(HDC hdc, int x, int y) { return emfWerte(hdc, EMR_SETVIEWPORTEXTEX, {x, y}); }
// EMF has no offset records: the new origin is recorded (the DC still holds the old one).
BOOL emfOffsetWindowOrgEx(HDC hdc, int x, int y)
{
    POINT p{};
    GetWindowOrgEx(hdc, &p);
    return emfWerte(hdc, EMR_SETWINDOWORGEX, {p.x + x, p.y + y});
}
BOOL emfOffsetViewportOrgEx(HDC hdc, int x, int y)
{
    POINT p{};
    GetViewportOrgEx(hdc, &p);
    return emfWerte(hdc, EMR_SETVIEWPORTORGEX, {p.x + x, p.y + y});
}
BOOL emfSetGraphicsMode(HDC, int) { return TRUE; }
BOOL emfSetWorldTransform(HDC hdc, const XFORM* xf)
{
    emfAufnahme* a = emfRec(hdc);
    if (!a || !xf) return FALSE;
    emfXform(a->w.beginnen(EMR_SETWORLDTRANSFORM), *xf);
    a->w.beenden();
    return TRUE;
}
BOOL emfModifyWorldTransform(HDC hdc, const XFORM* xf, DWORD mode)
{
    emfAufnahme* a = emfRec(hdc);
    if (!a) return FALSE;
    XFORM x = xf ? *xf : XFORM{1, 0, 0, 1, 0, 0};
    plLeSchreiber& s = a->w.beginnen(EMR_MODIFYWORLDTRANSFORM);
    emfXform(s, x);
    s.u32(mode);
    a->w.beenden();
    return TRUE;
}
BOOL emfSetBrushOrgEx(HDC hdc, int x, int y) { return emfWerte(hdc, EMR_SETBRUSHORGEX, {x, y}); }
BOOL emfMoveToEx(HDC hdc, int x, int y) { return emfWerte(hdc, EMR_MOVETOEX, {x, y}); }

BOOL emfSelectObject(HDC hdc, HGDIOBJ h)
{
    emfAufnahme* a = emfRec(hdc);
    if (!a) return FALSE;
    switch (GetObjectType(h)) {
    case OBJ_BITMAP:
    case OBJ_PAL:
    case OBJ_REGION:  // SelectObject of a region arrives as SelectClipRgn
        return TRUE;
    default:
        return emfAuswaehlen(a, h);
    }
}

BOOL emfDeleteObject(HDC hdc, HGDIOBJ h)
{
    emfAufnahme* a = emfRec(hdc);
    if (!a) return FALSE;
    for (size_t i = 1; i < a->handles.size(); ++i)
        if (a->handles[i] == h) {
            a->w.beginnen(EMR_DELETEOBJECT).u32(static_cast<uint32_t>(i));
            a->w.beenden();
            a->handles[i] = 0;
        }
    return TRUE;
}

BOOL emfSelectClipRgn(HDC hdc, HRGN rgn)
{
    emfAufnahme* a = emfRec(hdc);
    if (!a) return FALSE;
    std::vector<RECT> r;
    if (rgn && !gdiRgnRechtecke(rgn, r)) return FALSE;
    plLeSchreiber& s = a->w.beginnen(EMR_EXTSELECTCLIPRGN);
    if (!rgn) {
        s.u32(0);
        s.u32(RGN_COPY);
    } else {
        RECT box{0, 0, 0, 0};
        for (size_t i = 0; i < r.size(); ++i) {
            const RECT& q = r[i];
            if (i == 0) box = q;
            box.left = std::min(box.left, q.left);
            box.top = std::min(box.top, q.top);
            box.right = std::max(box.right, q.right);
            box.bottom = std::max(box.bottom, q.bottom);
        }
        s.u32(static_cast<uint32_t>(32 + 16 * r.size()));
        s.u32(RGN_COPY);
        s.u32(32);
        s.u32(1);  // RDH_RECTANGLES
        s.u32(static_cast<uint32_t>(r.size()));
        s.u32(static_cast<uint32_t>(16 * r.size()));
        emfRect(s, RECTL{box.left, box.top, box.right, box.bottom});
        for (const RECT& q : r) emfRect(s, RECTL{q.left, q.top, q.right, q.bottom});
    }
    a->w.beenden();
    return TRUE;
}
BOOL emfIntersectClipRect(HDC hdc, int l, int t, int r, int b) { return emfWerte(hdc, EMR_INTERSECTCLIPRECT, {l, t, r, b}); }
BOOL emfExcludeClipRect(HDC hdc, int l, int t, int r, int b) { return emfWerte(hdc, EMR_EXCLUDECLIPRECT, {l, t, r, b}); }
BOOL emfLineTo(HDC hdc, int x, int y)
{
    emfAufnahme* a = emfRec(hdc);
    if (!a) return FALSE;
    POINT p{};
    GetCurrentPositionEx(hdc, &p);
    emfBounds(hdc, a, {p, {x, y}});
    return emfWerte(hdc, EMR_LINETO, {x, y});
}

BOOL emfPoly(HDC hdc, uint32_t typ, const POINT* p, const INT* anz, int polys, int n)
{
    emfAufnahme* a = emfRec(hdc);
    if (!a || !p || n < 0 || polys < 0) return FALSE;
    RECTL b = emfBounds(hdc, a, std::vector<POINT>(p, p + n));
    plLeSchreiber& s = a->w.beginnen(typ);
    emfRect(s, b);
    if (anz) s.u32(static_cast<uint32_t>(polys));
    s.u32(static_cast<uint32_t>(n));
    if (anz)
        for (int i = 0; i < polys; ++i) s.u32(static_cast<uint32_t>(anz[i]));
    for (int i = 0; i < n; ++i) {
        s.i32(p[i].x);
        s.i32(p[i].y);
    }
    a->w.beenden();
    return TRUE;
}
BOOL emfPolyline(HDC hdc, const POINT* p, int n) { return emfPoly(hdc, EMR_POLYLINE, p, nullptr, 0, n); }
BOOL emfPolygon(HDC hdc, const POINT* p, int n) { return emfPoly(hdc, EMR_POLYGON, p, nullptr, 0, n); }
BOOL emfPolyPolygon(HDC hdc, const POINT* p, const INT* anz, int polys)
{
    if (!anz || polys < 0) return FALSE;
    long n = 0;
    for (int i = 0; i < polys; ++i) {
        if (anz[i] < 0) return FALSE;
        n += anz[i];
    }
    return emfPoly(hdc, EMR_POLYPOLYGON, p, anz, polys, static_cast<int>(n));
}

BOOL emfKasten(HDC hdc, uint32_t typ, int l, int t, int r, int b, std::initializer_list<int32_t> mehr)
{
    emfAufnahme* a = emfRec(hdc);
    if (!a) return FALSE;
    emfBoundsBox(hdc, a, l, t, r, b);
    plLeSchreiber& s = a->w.beginnen(typ);
    for (int32_t v : {l, t, r, b}) s.i32(v);
    for (int32_t v : mehr) s.i32(v);
    a->w.beenden();
    return TRUE;
}
BOOL emfRectangle(HDC hdc, int l, int t, int r, int b) { return emfKasten(hdc, EMR_RECTANGLE, l, t, r, b, {}); }
BOOL emfRoundRect(HDC hdc, int l, int t, int r, int b, int w, int h) { return emfKasten(hdc, EMR_ROUNDRECT, l, t, r, b, {w, h}); }
BOOL emfEllipse(HDC hdc, int l, int t, int r, int b) { return emfKasten(hdc, EMR_ELLIPSE, l, t, r, b, {}); }
BOOL emfArc(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) { return emfKasten(hdc, EMR_ARC, l, t, r, b, {xs, ys, xe, ye}); }
BOOL emfPie(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) { return emfKasten(hdc, EMR_PIE, l, t, r, b, {xs, ys, xe, ye}); }
BOOL emfChord(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) { return emfKasten(hdc, EMR_CHORD, l, t, r, b, {xs, ys, xe, ye}); }
BOOL emfSetPixel(HDC hdc, int x, int y, COLORREF c)
{
    emfAufnahme* a = emfRec(hdc);
    if (!a) return FALSE;
    emfBounds(hdc, a, {{x, y}});
    return emfWerte(hdc, EMR_SETPIXELV, {x, y, static_cast<int32_t>(c)});
}

BOOL emfExtTextOut(HDC hdc, int x, int y, UINT opt, const RECT* rc, LPCSTR text, UINT n, const INT* dx)
{
    emfAufnahme* a = emfRec(hdc);
    if (!a || (!text && n)) return FALSE;
    // The text's box from its extent and the alignment (vertically generous:
    // a cell above and below the reference point).
    SIZE sz{};
    GetTextExtentPoint32(hdc, text ? text : "", static_cast<int>(n), &sz);
    UINT ausr = GetTextAlign(hdc);
    int links = (ausr & TA_CENTER) == TA_CENTER ? x - sz.cx / 2 : (ausr & TA_RIGHT) ? x - sz.cx : x;
    RECTL b = emfBoundsBox(hdc, a, links, y - sz.cy, links + sz.cx, y + sz.cy);
    std::vector<uint16_t> t = metaNach16(text ? text : "", n);
    plLeSchreiber& s = a->w.beginnen(EMR_EXTTEXTOUTW);
    emfRect(s, b);
    s.u32(GM_COMPATIBLE);
    s.f32(0);
    s.f32(0);
    s.i32(x);
    s.i32(y);
    s.u32(n);
    uint32_t offText = 76;
    uint32_t offDx = dx ? static_cast<uint32_t>(offText + ((2 * n + 3) & ~3u)) : 0;
    s.u32(offText);
    s.u32(opt);
    RECTL r = rc ? RECTL{rc->left, rc->top, rc->right, rc->bottom} : RECTL{0, 0, -1, -1};
    emfRect(s, r);
    s.u32(offDx);
    for (uint16_t u : t) s.u16(u);
    while ((s.groesse() - a->w.datensatzAnfang()) % 4) s.u8(0);
    if (dx)
        for (UINT i = 0; i < n; ++i) s.i32(dx[i]);
    a->w.beenden();
    return TRUE;
}

const GdiRecorder kEmfRecorder = META_RECORDER(emf);

}  // namespace

HDC CreateEnhMetaFile(HDC ref, LPCSTR file, const RECT* frame, LPCSTR desc)
{
    auto a = std::make_unique<emfAufnahme>();
    if (frame) {
        a->mitFrame = true;
        a->frame = *frame;
    }
    if (desc) a->beschreibung = desc;
    if (ref) {
        a->pixel = {GetDeviceCaps(ref, HORZRES), GetDeviceCaps(ref, VERTRES)};
        a->mm = {GetDeviceCaps(ref, HORZSIZE), GetDeviceCaps(ref, VERTSIZE)};
    } else {
        const GdiGeraet& g = gdiBildschirm();
        a->pixel = {g.horzres, g.vertres};
        a->mm = {g.horzsize, g.vertsize};
    }
    if (a->pixel.cx <= 0 || a->pixel.cy <= 0 || a->mm.cx <= 0 || a->mm.cy <= 0) return 0;
    return metaAufnahmeBeginnen(std::move(a), file, kEmfRecorder, OBJ_ENHMETADC);
}

HENHMETAFILE CloseEnhMetaFile(HDC hdc)
{
    std::vector<uint8_t> bits;
    if (!metaAufnahmeSchliessen(hdc, OBJ_ENHMETADC, bits)) return 0;
    return metaEmfAnlegen(std::move(bits));
}

// ---- Player ------------------------------------------------------------------------------

namespace {

struct emfAbbildung {
    int modus = MM_TEXT;
    POINT wOrg{0, 0}, vOrg{0, 0};
    SIZE wExt{1, 1}, vExt{1, 1};
    cairo_matrix_t welt;
    emfAbbildung() { cairo_matrix_init_identity(&welt); }
};

struct emfSpiel {
    HDC hdc = 0;
    bool malen = false;
    ENHMETAHEADER kopf{};
    std::vector<HGDIOBJ> tabelle;
    emfAbbildung a;
    std::vector<emfAbbildung> stapel;
    cairo_matrix_t passung;    // reference device pixels -> target logical (the frame fit)
    cairo_matrix_t welt0;      // the target's own world transform
    cairo_matrix_t zielSeite;  // the target's own page mapping: logical -> device
    bool zielErweitert = false;
    // The target's page mapping as the caller set it.
    int zielModus = MM_TEXT;
    POINT zielWOrg{0, 0}, zielVOrg{0, 0};
    SIZE zielWExt{1, 1}, zielVExt{1, 1};
    bool seitePfad = false;  // the target's page mapping currently carries the whole transform
    bool entartet = false;   // the current transform is singular or out of scale: nothing is drawn
    cairo_matrix_t voll;     // metafile logical -> target device, for the range check
    int gesichert = 0;       // the player's own SaveDC level
};

// Scale of the page mapping used for axis-parallel transforms: extents are
// integers, so the window extent is this and the viewport extent the scale
// times it.
constexpr double kEmfSeitenEinheit = 16384.0;

cairo_matrix_t emfAusXform(const XFORM& x)
{
    cairo_matrix_t m;
    cairo_matrix_init(&m, x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy);
    return m;
}
XFORM emfNachXform(const cairo_matrix_t& m)
{
    return XFORM{static_cast<FLOAT>(m.xx), static_cast<FLOAT>(m.yx), static_cast<FLOAT>(m.xy),
                 static_cast<FLOAT>(m.yy), static_cast<FLOAT>(m.x0), static_cast<FLOAT>(m.y0)};
}

// The metafile's page mapping: logical -> reference device pixels.
cairo_matrix_t emfSeite(const emfSpiel& sp)
{
    const emfAbbildung& a = sp.a;
    double pxmm_x = static_cast<double>(sp.kopf.szlDevice.cx) / std::max<LONG>(sp.kopf.szlMillimeters.cx, 1);
    double pxmm_y = static_cast<double>(sp.kopf.szlDevice.cy) / std::max<LONG>(sp.kopf.szlMillimeters.cy, 1);
    double sx = 1, sy = 1;
    switch (a.modus) {
    case MM_LOMETRIC: sx = pxmm_x / 10; sy = -pxmm_y / 10; break;
    case MM_HIMETRIC: sx = pxmm_x / 100; sy = -pxmm_y / 100; break;
    case MM_LOENGLISH: sx = pxmm_x * 0.254; sy = -pxmm_y * 0.254; break;
    case MM_HIENGLISH: sx = pxmm_x * 0.0254; sy = -pxmm_y * 0.0254; break;
    case MM_TWIPS: sx = pxmm_x * 25.4 / 1440; sy = -pxmm_y * 25.4 / 1440; break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
        sx = a.wExt.cx ? static_cast<double>(a.vExt.cx) / a.wExt.cx : 1;
        sy = a.wExt.cy ? static_cast<double>(a.vExt.cy) / a.wExt.cy : 1;
        if (a.modus == MM_ISOTROPIC) {
            double k = std::min(std::fabs(sx), std::fabs(sy));
            sx = std::copysign(k, sx);
            sy = std::copysign(k, sy);
        }
        break;
    default: break;
    }
    cairo_matrix_t m;
    cairo_matrix_init(&m, sx, 0, 0, sy, a.vOrg.x - a.wOrg.x * sx, a.vOrg.y - a.wOrg.y * sy);
    return m;
}

void emfZielSeiteWieder(emfSpiel& sp)
{
    HDC dc = sp.hdc;
    SetMapMode(dc, sp.zielModus);
    if (sp.zielModus == MM_ANISOTROPIC || sp.zielModus == MM_ISOTROPIC) {
        SetWindowExtEx(dc, sp.zielWExt.cx, sp.zielWExt.cy, nullptr);
        SetViewportExtEx(dc, sp.zielVExt.cx, sp.zielVExt.cy, nullptr);
    }
    SetWindowOrgEx(dc, sp.zielWOrg.x, sp.zielWOrg.y, nullptr);
    SetViewportOrgEx(dc, sp.zielVOrg.x, sp.zielVOrg.y, nullptr);
}

// Puts the current metafile transform on the target. Without turn or shear
// (and a target in compatible mode) it goes into the target's page mapping,
// so the target draws with the same pixel rules as a direct drawing; else
// into the target's world transform over its own page mapping.
void emfTransformSetzen(emfSpiel& sp)
{
    HDC dc = sp.hdc;
    cairo_matrix_t seite = emfSeite(sp), m1, m2;
    cairo_matrix_multiply(&m1, &sp.a.welt, &seite);
    cairo_matrix_multiply(&m2, &m1, &sp.passung);  // metafile logical -> target logical
    // A singular transform (Windows refuses those) or one that scales beyond
    // a millionfold either way leaves the drawing records without effect.
    double sx = std::hypot(m2.xx, m2.yx), sy = std::hypot(m2.xy, m2.yy);
    double det = m2.xx * m2.yy - m2.xy * m2.yx;
    sp.entartet = !std::isfinite(m2.x0) || !std::isfinite(m2.y0) || !(sx >= 1e-6 && sx <= 1e6) ||
                  !(sy >= 1e-6 && sy <= 1e6) || !(std::fabs(det) >= 1e-12);
    if (sp.entartet) return;
    cairo_matrix_t w, v;
    cairo_matrix_multiply(&w, &m2, &sp.welt0);
    cairo_matrix_multiply(&v, &w, &sp.zielSeite);
    sp.voll = v;
    if (!sp.zielErweitert && m2.xy == 0 && m2.yx == 0) {
        cairo_matrix_t t;
        cairo_matrix_multiply(&t, &m2, &sp.zielSeite);
        ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
        SetGraphicsMode(dc, GM_COMPATIBLE);
        auto ext = [](double s) {
            long v = std::lround(s * kEmfSeitenEinheit);
            return static_cast<int>(v ? v : (s < 0 ? -1 : 1));
        };
        // Unscaled (the usual case of a picture played at its own size):
        // plain pixel mapping, so it draws exactly as a direct drawing.
        bool eins = std::fabs(t.xx - 1) < 1e-9 && std::fabs(t.yy - 1) < 1e-9;
        SetMapMode(dc, eins ? MM_TEXT : MM_ANISOTROPIC);
        if (!eins) {
            SetWindowExtEx(dc, static_cast<int>(kEmfSeitenEinheit), static_cast<int>(kEmfSeitenEinheit), nullptr);
            SetViewportExtEx(dc, ext(t.xx), ext(t.yy), nullptr);
        }
        SetWindowOrgEx(dc, 0, 0, nullptr);
        SetViewportOrgEx(dc, static_cast<int>(std::lround(t.x0)), static_cast<int>(std::lround(t.y0)), nullptr);
        sp.seitePfad = true;
        return;
    }
    if (sp.seitePfad) {
        emfZielSeiteWieder(sp);
        sp.seitePfad = false;
    }
    cairo_matrix_t m3;
    cairo_matrix_multiply(&m3, &m2, &sp.welt0);
    SetGraphicsMode(dc, GM_ADVANCED);
    XFORM x = emfNachXform(m3);
    SetWorldTransform(dc, &x);
}

// The target's page mapping, read exactly from its mapping mode, origins and
// extents; the fixed metric modes are measured through LPtoDP.
void emfZielSeiteLesen(emfSpiel& sp)
{
    HDC dc = sp.hdc;
    sp.zielModus = GetMapMode(dc);
    GetWindowOrgEx(dc, &sp.zielWOrg);
    GetViewportOrgEx(dc, &sp.zielVOrg);
    GetWindowExtEx(dc, &sp.zielWExt);
    GetViewportExtEx(dc, &sp.zielVExt);
    double sx = 1, sy = 1;
    if (sp.zielModus == MM_ANISOTROPIC || sp.zielModus == MM_ISOTROPIC) {
        sx = sp.zielWExt.cx ? static_cast<double>(sp.zielVExt.cx) / sp.zielWExt.cx : 1;
        sy = sp.zielWExt.cy ? static_cast<double>(sp.zielVExt.cy) / sp.zielWExt.cy : 1;
    } else if (sp.zielModus != MM_TEXT) {
        XFORM alt{1, 0, 0, 1, 0, 0};
        if (sp.zielErweitert) {
            GetWorldTransform(dc, &alt);
            ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
        }
        const int k = 1 << 16;
        POINT p[3] = {{sp.zielWOrg.x, sp.zielWOrg.y}, {sp.zielWOrg.x + k, sp.zielWOrg.y}, {sp.zielWOrg.x, sp.zielWOrg.y + k}};
        LPtoDP(dc, p, 3);
        sx = static_cast<double>(p[1].x - p[0].x) / k;
        sy = static_cast<double>(p[2].y - p[0].y) / k;
        if (sp.zielErweitert) SetWorldTransform(dc, &alt);
    }
    cairo_matrix_init(&sp.zielSeite, sx, 0, 0, sy, sp.zielVOrg.x - sp.zielWOrg.x * sx, sp.zielVOrg.y - sp.zielWOrg.y * sy);
}

bool emfObjektNeu(emfSpiel& sp, uint32_t ih, HGDIOBJ h)
{
    if (ih == 0 || ih >= sp.tabelle.size()) {
        if (h) DeleteObject(h);
        return false;
    }
    if (sp.tabelle[ih]) DeleteObject(sp.tabelle[ih]);
    sp.tabelle[ih] = h;
    return true;
}

bool emfDibZeichnen(emfSpiel& sp, const plEmfDatensatz& d, uint32_t offKopf, uint32_t nKopf, uint32_t offBits,
                    uint32_t nBits, int x, int y, int w, int h, int xs, int ys, int ws, int hs, DWORD rop)
{
    if (static_cast<uint64_t>(offKopf) + nKopf > d.laenge || static_cast<uint64_t>(offBits) + nBits > d.laenge) return false;
    plBild bild;
    if (plDibLesen(d.daten + offKopf, nKopf, d.daten + offBits, nBits, bild) != 0) return false;
    if (sp.malen) metaDibMalen(sp.hdc, d.daten + offKopf, nKopf, bild, x, y, w, h, xs, ys, ws, hs, rop);
    return true;
}

// GDI's coordinate space is 27 bits: a point of a drawing record that lands
// outside it on the target (a damaged or hostile file) makes the record draw
// nothing, rather than asking the target for billions of pixels.
constexpr double kEmfReichweite = 134217727.0;
bool emfDa(const emfSpiel& sp, std::initializer_list<int64_t> xy)
{
    for (auto it = xy.begin(); it != xy.end(); it += 2) {
        double x = static_cast<double>(it[0]), y = static_cast<double>(it[1]);
        cairo_matrix_transform_point(&sp.voll, &x, &y);
        if (!(std::fabs(x) <= kEmfReichweite && std::fabs(y) <= kEmfReichweite)) return false;
    }
    return true;
}

// Records that put something on the target (as opposed to state and objects).
bool emfZeichnet(uint32_t typ)
{
    switch (typ) {
    case EMR_LINETO: case EMR_SETPIXELV: case EMR_RECTANGLE: case EMR_ELLIPSE: case EMR_ROUNDRECT: case EMR_ARC:
    case EMR_PIE: case EMR_CHORD: case EMR_POLYLINE: case EMR_POLYGON: case EMR_POLYLINE16: case EMR_POLYGON16:
    case EMR_POLYPOLYGON: case EMR_POLYPOLYGON16: case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW: case EMR_BITBLT:
    case EMR_STRETCHBLT: case EMR_STRETCHDIBITS:
        return true;
    default:
        return false;
    }
}

// One record: checks its fields (and offsets inside it) and, with sp.malen,
// draws. False: inconsistent.
// One switch over the record kinds, longer than the usual function: each case
// is a few lines reading and checking one record's fields next to the call
// it makes, so the format stays in one place.
bool emfDatensatz(emfSpiel& sp, const plEmfDatensatz& d)
{
    plLeLeser l(d.daten, d.laenge);
    l.ueberspringen(8);
    HDC dc = sp.hdc;
    const bool m = sp.malen && !(sp.entartet && emfZeichnet(d.typ));
    int32_t v[12];
    auto werte = [&](int n) {
        for (int i = 0; i < n; ++i) v[i] = l.i32();
        return l.gut;
    };
    auto transform = [&] {
        if (m) emfTransformSetzen(sp);
    };
    switch (d.typ) {
    case EMR_HEADER:
    case EMR_EOF:
        return true;
    case EMR_SAVEDC:
        if (m) {
            SaveDC(dc);
            sp.stapel.push_back(sp.a);
        }
        return true;
    case EMR_RESTOREDC: {
        if (!werte(1)) return false;
        if (!m) return true;
        int n = v[0];
        size_t tiefe = sp.stapel.size();
        size_t ziel;  // stack size after the restore
        if (n < 0 && static_cast<size_t>(-static_cast<int64_t>(n)) <= tiefe) ziel = tiefe - static_cast<size_t>(-static_cast<int64_t>(n));
        else if (n > 0 && static_cast<size_t>(n) <= tiefe) ziel = static_cast<size_t>(n) - 1;
        else return true;  // nothing to restore to: ignored
        RestoreDC(dc, sp.gesichert + static_cast<int>(ziel) + 1);
        sp.a = sp.stapel[ziel];
        sp.stapel.resize(ziel);
        transform();
        return true;
    }
    case EMR_SETMAPMODE: if (!werte(1)) return false; sp.a.modus = v[0]; transform(); return true;
    case EMR_SETWINDOWORGEX: if (!werte(2)) return false; sp.a.wOrg = {v[0], v[1]}; transform(); return true;
    case EMR_SETVIEWPORTORGEX: if (!werte(2)) return false; sp.a.vOrg = {v[0], v[1]}; transform(); return true;
    case EMR_SETWINDOWEXTEX:
        if (!werte(2)) return false;
        if (v[0] && v[1] && (sp.a.modus == MM_ANISOTROPIC || sp.a.modus == MM_ISOTROPIC)) sp.a.wExt = {v[0], v[1]};
        transform();
        return true;
    case EMR_SETVIEWPORTEXTEX:
        if (!werte(2)) return false;
        if (v[0] && v[1] && (sp.a.modus == MM_ANISOTROPIC || sp.a.modus == MM_ISOTROPIC)) sp.a.vExt = {v[0], v[1]};
        transform();
        return true;
    case EMR_SETWORLDTRANSFORM:
    case EMR_MODIFYWORLDTRANSFORM: {
        XFORM x{l.f32(), l.f32(), l.f32(), l.f32(), l.f32(), l.f32()};
        DWORD modus = d.typ == EMR_SETWORLDTRANSFORM ? 0 : l.u32();
        if (!l.gut) return false;
        cairo_matrix_t neu = emfAusXform(x), r;
        if (d.typ == EMR_SETWORLDTRANSFORM) {
            sp.a.welt = neu;
        } else if (modus == MWT_IDENTITY) {
            cairo_matrix_init_identity(&sp.a.welt);
        } else if (modus == MWT_LEFTMULTIPLY) {
            cairo_matrix_multiply(&r, &neu, &sp.a.welt);
            sp.a.welt = r;
        } else if (modus == MWT_RIGHTMULTIPLY) {
            cairo_matrix_multiply(&r, &sp.a.welt, &neu);
            sp.a.welt = r;
        }
        transform();
        return true;
    }
    case EMR_SETBKMODE: if (!werte(1)) return false; if (m) SetBkMode(dc, v[0]); return true;
    case EMR_SETPOLYFILLMODE: if (!werte(1)) return false; if (m) SetPolyFillMode(dc, v[0]); return true;
    case EMR_SETROP2: if (!werte(1)) return false; if (m) SetROP2(dc, v[0]); return true;
    case EMR_SETSTRETCHBLTMODE: if (!werte(1)) return false; if (m) SetStretchBltMode(dc, v[0]); return true;
    case EMR_SETTEXTALIGN: if (!werte(1)) return false; if (m) SetTextAlign(dc, static_cast<UINT>(v[0])); return true;
    case EMR_SETTEXTCOLOR: if (!werte(1)) return false; if (m) SetTextColor(dc, static_cast<COLORREF>(v[0])); return true;
    case EMR_SETBKCOLOR: if (!werte(1)) return false; if (m) SetBkColor(dc, static_cast<COLORREF>(v[0])); return true;
    case EMR_SETBRUSHORGEX: if (!werte(2)) return false; if (m) SetBrushOrgEx(dc, v[0], v[1], nullptr); return true;
    case EMR_MOVETOEX: if (!werte(2)) return false; if (m && emfDa(sp, {v[0], v[1]})) MoveToEx(dc, v[0], v[1], nullptr); return true;
    case EMR_LINETO: if (!werte(2)) return false; if (m && emfDa(sp, {v[0], v[1]})) LineTo(dc, v[0], v[1]); return true;
    case EMR_SETPIXELV: if (!werte(3)) return false; if (m && emfDa(sp, {v[0], v[1]})) SetPixel(dc, v[0], v[1], static_cast<COLORREF>(v[2])); return true;
    case EMR_INTERSECTCLIPRECT: if (!werte(4)) return false; if (m && emfDa(sp, {v[0], v[1], v[2], v[3]})) IntersectClipRect(dc, v[0], v[1], v[2], v[3]); return true;
    case EMR_EXCLUDECLIPRECT: if (!werte(4)) return false; if (m && emfDa(sp, {v[0], v[1], v[2], v[3]})) ExcludeClipRect(dc, v[0], v[1], v[2], v[3]); return true;
    case EMR_RECTANGLE: if (!werte(4)) return false; if (m && emfDa(sp, {v[0], v[1], v[2], v[3]})) Rectangle(dc, v[0], v[1], v[2], v[3]); return true;
    case EMR_ELLIPSE: if (!werte(4)) return false; if (m && emfDa(sp, {v[0], v[1], v[2], v[3]})) Ellipse(dc, v[0], v[1], v[2], v[3]); return true;
    case EMR_ROUNDRECT: if (!werte(6)) return false; if (m && emfDa(sp, {v[0], v[1], v[2], v[3], int64_t{v[0]} + v[4], int64_t{v[1]} + v[5]})) RoundRect(dc, v[0], v[1], v[2], v[3], v[4], v[5]); return true;
    case EMR_ARC:
    case EMR_PIE:
    case EMR_CHORD:
        if (!werte(8)) return false;
        if (m && emfDa(sp, {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]}))
            (d.typ == EMR_ARC ? Arc : d.typ == EMR_PIE ? Pie : Chord)(dc, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
        return true;
    case EMR_POLYLINE:
    case EMR_POLYGON:
    case EMR_POLYLINE16:
    case EMR_POLYGON16:
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYGON16: {
        bool kurz = d.typ == EMR_POLYLINE16 || d.typ == EMR_POLYGON16 || d.typ == EMR_POLYPOLYGON16;
        bool viele = d.typ == EMR_POLYPOLYGON || d.typ == EMR_POLYPOLYGON16;
        l.ueberspringen(16);
        uint32_t polys = viele ? l.u32() : 1;
        uint32_t n = l.u32();
        if (!l.gut || polys > d.laenge / 4 || n > d.laenge / (kurz ? 4 : 8)) return false;
        std::vector<INT> anz(polys);
        uint64_t summe = 0;
        if (viele) {
            for (auto& a : anz) summe += (a = static_cast<INT>(l.u32()));
            if (!l.gut || summe != n) return false;
        } else {
            anz[0] = static_cast<INT>(n);
        }
        if (!l.hat(static_cast<size_t>(n) * (kurz ? 4 : 8))) return false;
        if (!m) return true;
        std::vector<POINT> p(n);
        for (auto& q : p) {
            q.x = kurz ? l.i16() : l.i32();
            q.y = kurz ? l.i16() : l.i32();
            if (!emfDa(sp, {static_cast<int64_t>(q.x), static_cast<int64_t>(q.y)})) return true;
        }
        if (viele) PolyPolygon(dc, p.data(), anz.data(), static_cast<int>(polys));
        else if (d.typ == EMR_POLYLINE || d.typ == EMR_POLYLINE16) Polyline(dc, p.data(), static_cast<int>(n));
        else Polygon(dc, p.data(), static_cast<int>(n));
        return true;
    }
    case EMR_SELECTOBJECT:
    case EMR_DELETEOBJECT: {
        uint32_t ih = l.u32();
        if (!l.gut) return false;
        if (ih & 0x80000000u) {
            if (d.typ == EMR_SELECTOBJECT && m) SelectObject(dc, GetStockObject(static_cast<int>(ih & 0x7FFFFFFFu)));
            return true;
        }
        if (ih == 0 || ih >= sp.tabelle.size()) return false;
        if (!m) return true;
        HGDIOBJ h = sp.tabelle[ih];
        if (d.typ == EMR_SELECTOBJECT) {
            if (h) SelectObject(dc, h);
        } else if (h) {
            metaObjektLoeschen(dc, h);
            sp.tabelle[ih] = 0;
        }
        return true;
    }
    case EMR_CREATEPEN: {
        uint32_t ih = l.u32();
        if (!werte(4) || ih == 0 || ih >= sp.tabelle.size()) return false;
        if (m) emfObjektNeu(sp, ih, CreatePen(v[0], v[1], static_cast<COLORREF>(v[3])));
        return true;
    }
    case EMR_EXTCREATEPEN: {
        uint32_t ih = l.u32();
        l.ueberspringen(16);
        DWORD stil = l.u32(), breite = l.u32(), pstil = l.u32(), farbe = l.u32();
        if (!l.gut || ih == 0 || ih >= sp.tabelle.size()) return false;
        if (!m) return true;
        LOGBRUSH lb{pstil == BS_NULL ? static_cast<UINT>(BS_NULL) : static_cast<UINT>(BS_SOLID), farbe, 0};
        HPEN p = ExtCreatePen(stil, breite, &lb, 0, nullptr);
        if (!p) p = CreatePen(static_cast<int>(stil & PS_STYLE_MASK), static_cast<int>(breite), farbe);
        emfObjektNeu(sp, ih, p);
        return true;
    }
    case EMR_CREATEBRUSHINDIRECT: {
        uint32_t ih = l.u32();
        LOGBRUSH lb{};
        lb.lbStyle = l.u32();
        lb.lbColor = l.u32();
        lb.lbHatch = l.u32();
        if (!l.gut || ih == 0 || ih >= sp.tabelle.size()) return false;
        lb.lbStyle = metaPinselStil(lb.lbStyle);
        if (m) emfObjektNeu(sp, ih, CreateBrushIndirect(&lb));
        return true;
    }
    case EMR_CREATEDIBPATTERNBRUSHPT: {
        uint32_t ih = l.u32();
        uint32_t usage = l.u32(), offK = l.u32(), nK = l.u32(), offB = l.u32(), nB = l.u32();
        if (!l.gut || ih == 0 || ih >= sp.tabelle.size()) return false;
        if (static_cast<uint64_t>(offK) + nK > d.laenge || static_cast<uint64_t>(offB) + nB > d.laenge) return false;
        plBild bild;
        if (plDibLesen(d.daten + offK, nK, d.daten + offB, nB, bild) != 0) return false;
        if (m) emfObjektNeu(sp, ih, metaMusterPinsel(bild, usage));
        return true;
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
        uint32_t ih = l.u32();
        LOGFONT lf{};
        lf.lfHeight = l.i32();
        lf.lfWidth = l.i32();
        lf.lfEscapement = l.i32();
        lf.lfOrientation = l.i32();
        lf.lfWeight = l.i32();
        metaSchriftBytesLesen(l, lf);
        uint16_t name[LF_FACESIZE];
        for (auto& u : name) u = l.u16();
        if (!l.gut || ih == 0 || ih >= sp.tabelle.size()) return false;
        size_t n = 0;
        while (n < LF_FACESIZE - 1 && name[n]) ++n;
        std::string s = metaAus16(name, n);
        std::memcpy(lf.lfFaceName, s.data(), s.size());
        if (m) emfObjektNeu(sp, ih, CreateFontIndirect(&lf));
        return true;
    }
    case EMR_EXTSELECTCLIPRGN: {
        uint32_t n = l.u32();
        int32_t modus = l.i32();
        if (!l.gut) return false;
        if (n == 0) {
            if (m && modus == RGN_COPY) SelectClipRgn(dc, 0);
            return true;
        }
        if (!l.hat(n) || n < 32) return false;
        l.ueberspringen(8);
        uint32_t anzahl = l.u32();
        l.ueberspringen(20);
        if (!l.gut || static_cast<uint64_t>(anzahl) * 16 > n - 32) return false;
        if (!m) return true;
        // Region data are reference device pixels: through the frame fit,
        // the target's own world transform and page mapping into device units.
        cairo_matrix_t a1, a2;
        cairo_matrix_multiply(&a1, &sp.passung, &sp.welt0);
        cairo_matrix_multiply(&a2, &a1, &sp.zielSeite);
        std::vector<RECT> r;
        for (uint32_t i = 0; i < anzahl; ++i) {
            double x1 = l.i32(), y1 = l.i32(), x2 = l.i32(), y2 = l.i32();
            cairo_matrix_transform_point(&a2, &x1, &y1);
            cairo_matrix_transform_point(&a2, &x2, &y2);
            r.push_back({static_cast<LONG>(std::lround(std::min(x1, x2))), static_cast<LONG>(std::lround(std::min(y1, y2))),
                         static_cast<LONG>(std::lround(std::max(x1, x2))), static_cast<LONG>(std::lround(std::max(y1, y2)))});
        }
        HRGN rgn = gdiRgnAusRechtecken(r);
        if (rgn) {
            ExtSelectClipRgn(dc, rgn, modus);
            DeleteObject(rgn);
        }
        return true;
    }
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW: {
        l.ueberspringen(16 + 12);
        int32_t x = l.i32(), y = l.i32();
        uint32_t n = l.u32(), offText = l.u32(), opt = l.u32();
        RECT rc{l.i32(), l.i32(), l.i32(), l.i32()};
        uint32_t offDx = l.u32();
        bool breit = d.typ == EMR_EXTTEXTOUTW;
        if (!l.gut || static_cast<uint64_t>(offText) + static_cast<uint64_t>(n) * (breit ? 2 : 1) > d.laenge) return false;
        if (offDx && static_cast<uint64_t>(offDx) + static_cast<uint64_t>(n) * 4 > d.laenge) return false;
        if (!m) return true;
        std::string text;
        if (breit) {
            std::vector<uint16_t> u(n);
            plLeLeser t(d.daten + offText, static_cast<size_t>(n) * 2);
            for (auto& c : u) c = t.u16();
            text = metaAus16(u.data(), n);
        } else {
            text.assign(reinterpret_cast<const char*>(d.daten + offText), n);
        }
        std::vector<INT> dx;
        if (offDx && n) {
            plLeLeser t(d.daten + offDx, static_cast<size_t>(n) * 4);
            dx.resize(n);
            for (auto& a : dx) a = t.i32();
        }
        bool mitRect = (opt & (ETO_OPAQUE | ETO_CLIPPED)) && rc.right >= rc.left;
        if (!emfDa(sp, {static_cast<int64_t>(x), static_cast<int64_t>(y)}) ||
            (mitRect && !emfDa(sp, {static_cast<int64_t>(rc.left), static_cast<int64_t>(rc.top), static_cast<int64_t>(rc.right),
                                    static_cast<int64_t>(rc.bottom)})))
            return true;
        ExtTextOut(dc, x, y, opt, mitRect ? &rc : nullptr, text.data(), n, dx.empty() ? nullptr : dx.data());
        return true;
    }
    case EMR_BITBLT:
    case EMR_STRETCHBLT: {
        l.ueberspringen(16);
        if (!werte(5)) return false;
        int x = v[0], y = v[1], w = v[2], h = v[3];
        DWORD rop = static_cast<DWORD>(v[4]);
        int32_t xs = l.i32(), ys = l.i32();
        l.ueberspringen(24 + 4);
        uint32_t usage = l.u32(), offK = l.u32(), nK = l.u32(), offB = l.u32(), nB = l.u32();
        int32_t ws = w, hs = h;
        if (d.typ == EMR_STRETCHBLT) {
            ws = l.i32();
            hs = l.i32();
        }
        if (!l.gut) return false;
        if (m && !emfDa(sp, {static_cast<int64_t>(x), static_cast<int64_t>(y), static_cast<int64_t>(x) + w, static_cast<int64_t>(y) + h}))
            return true;
        if (nK == 0) {
            if (m) PatBlt(dc, x, y, w, h, rop);
            return true;
        }
        if (usage != DIB_RGB_COLORS) return true;
        return emfDibZeichnen(sp, d, offK, nK, offB, nB, x, y, w, h, xs, ys, ws, hs, rop);
    }
    case EMR_STRETCHDIBITS: {
        l.ueberspringen(16);
        if (!werte(6)) return false;
        uint32_t offK = l.u32(), nK = l.u32(), offB = l.u32(), nB = l.u32(), usage = l.u32();
        DWORD rop = l.u32();
        int32_t w = l.i32(), h = l.i32();
        if (!l.gut) return false;
        if (usage != DIB_RGB_COLORS) return true;
        if (m && !emfDa(sp, {static_cast<int64_t>(v[0]), static_cast<int64_t>(v[1]), static_cast<int64_t>(v[0]) + w,
                             static_cast<int64_t>(v[1]) + h}))
            return true;
        return emfDibZeichnen(sp, d, offK, nK, offB, nB, v[0], v[1], w, h, v[2], v[3], v[4], v[5], rop);
    }
    default:
        return true;  // unknown records are skipped
    }
}

}  // namespace

BOOL PlayEnhMetaFile(HDC hdc, HENHMETAFILE hemf, const RECT* rc)
{
    metaFehlerLoeschen();
    const metaDatei* d = metaEmfFinden(hemf);
    if (!d || !hdc || !rc) return FALSE;
    emfSpiel sp;
    std::vector<plEmfDatensatz> saetze;
    std::string fehler;
    if (plEmfPruefen(d->bits.data(), d->bits.size(), sp.kopf, saetze, &fehler) != 0) return metaFehler(fehler);
    sp.hdc = hdc;
    sp.tabelle.assign(sp.kopf.nHandles, 0);
    if (!metaAllePruefen(saetze, [&](const plEmfDatensatz& s) { return emfDatensatz(sp, s); })) return FALSE;

    // Frame (0.01 mm) in reference pixels, fitted to the target rectangle.
    const ENHMETAHEADER& k = sp.kopf;
    double pxx = static_cast<double>(k.szlDevice.cx) / std::max<LONG>(k.szlMillimeters.cx, 1) / 100.0;
    double pxy = static_cast<double>(k.szlDevice.cy) / std::max<LONG>(k.szlMillimeters.cy, 1) / 100.0;
    double fl = k.rclFrame.left * pxx, fr = k.rclFrame.right * pxx;
    double ft = k.rclFrame.top * pxy, fb = k.rclFrame.bottom * pxy;
    double sx = fr != fl ? (rc->right - rc->left) / (fr - fl) : 1.0;
    double sy = fb != ft ? (rc->bottom - rc->top) / (fb - ft) : 1.0;
    cairo_matrix_init(&sp.passung, sx, 0, 0, sy, rc->left - fl * sx, rc->top - ft * sy);
    XFORM w0{1, 0, 0, 1, 0, 0};
    sp.zielErweitert = GetGraphicsMode(hdc) == GM_ADVANCED;
    if (sp.zielErweitert) GetWorldTransform(hdc, &w0);
    sp.welt0 = emfAusXform(w0);
    emfZielSeiteLesen(sp);

    sp.gesichert = SaveDC(hdc);
    if (sp.gesichert <= 0) return FALSE;
    // The check above walked the mapping records too: start afresh.
    sp.a = emfAbbildung{};
    sp.stapel.clear();
    sp.malen = true;
    emfTransformSetzen(sp);
    for (const plEmfDatensatz& s : saetze) emfDatensatz(sp, s);
    RestoreDC(hdc, sp.gesichert);
    for (HGDIOBJ h : sp.tabelle)
        if (h) DeleteObject(h);
    return TRUE;
}
