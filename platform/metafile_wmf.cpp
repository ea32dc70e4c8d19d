// Windows metafiles: the recorder behind CreateMetaFile (a GdiRecorder that
// writes WMF records) and the player PlayMetaFile. Prefix `wmf` for
// file-static helpers. Calls the public GDI calls, gdiint.h for recording
// DCs, metafile_gemeinsam.h (the recording and the steps shared with EMF),
// metafile_format.h and bild.h.
//
// Recording rules:
//  - WMF coordinates are 16-bit: a call with a value outside -32768..32767
//    fails (returns FALSE) instead of being cut;
//  - objects enter the metafile's object table when first selected (lowest
//    free index, as players expect) and leave it when deleted;
//  - calls WMF has no record for (world transforms, clip regions other than
//    "none") fail, so a caller sees that the metafile cannot hold them;
//  - FillRect, FrameRect, InvertRect and FillRgn become brush selections and
//    PatBlt records; blits from a DC become DIB records of the source pixels.
// Playing checks the whole metafile and every record's parameters first;
// then it runs the records on the DC between SaveDC and RestoreDC and deletes
// the objects the metafile created.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "platform/bild.h"
#include "platform/gdiint.h"
#include "platform/metafile_gemeinsam.h"

namespace {

struct wmfAufnahme : metaAufnahme {
    plWmfSchreiber w;
    std::vector<HGDIOBJ> slots;  // object table: index -> object, 0 free

    BOOL auswaehlen(HGDIOBJ h) override;
    BOOL patBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) override;
    BOOL dib(HDC hdc, const metaDibAuftrag& d) override;
    std::vector<uint8_t> fertig() override;
};

wmfAufnahme* wmfRec(HDC hdc) { return static_cast<wmfAufnahme*>(metaRec(hdc)); }

bool wmfPasst(long v) { return v >= -32768 && v <= 32767; }
template <typename... T>
bool wmfPassen(T... v) { return (wmfPasst(static_cast<long>(v)) && ...); }

int wmfSlotSuchen(const wmfAufnahme* a, HGDIOBJ h)
{
    for (size_t i = 0; i < a->slots.size(); ++i)
        if (a->slots[i] == h) return static_cast<int>(i);
    return -1;
}

// The object's index in the table, writing its create record first when it
// is not there yet; -1 for an object WMF cannot hold.
int wmfSlot(wmfAufnahme* a, HGDIOBJ h)
{
    int i = wmfSlotSuchen(a, h);
    if (i >= 0) return i;
    metaObjekt o;
    if (!metaObjektLesen(h, o)) return -1;
    switch (o.art) {
    case OBJ_PEN:
    case OBJ_EXTPEN: {
        if (!wmfPassen(o.stift.lopnWidth.x)) return -1;
        plLeSchreiber& s = a->w.beginnen(META_CREATEPENINDIRECT);
        s.u16(static_cast<uint16_t>(o.stift.lopnStyle));
        s.i16(static_cast<int16_t>(o.stift.lopnWidth.x));
        s.i16(0);
        s.u32(o.stift.lopnColor);
        break;
    }
    case OBJ_BRUSH:
        if (!o.musterDib.empty()) {
            plLeSchreiber& s = a->w.beginnen(META_DIBCREATEPATTERNBRUSH);
            s.u16(BS_DIBPATTERNPT);
            s.u16(DIB_RGB_COLORS);
            s.bytes(o.musterDib.data(), o.musterDib.size());
        } else {
            plLeSchreiber& s = a->w.beginnen(META_CREATEBRUSHINDIRECT);
            UINT stil = metaPinselStil(o.pinsel.lbStyle);
            s.u16(static_cast<uint16_t>(stil));
            s.u32(o.pinsel.lbColor);
            s.u16(static_cast<uint16_t>(stil == BS_HATCHED ? o.pinsel.lbHatch : 0));
        }
        break;
    case OBJ_FONT: {
        const LOGFONT& f = o.schrift;
        if (!wmfPassen(f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight)) return -1;
        plLeSchreiber& s = a->w.beginnen(META_CREATEFONTINDIRECT);
        s.i16(static_cast<int16_t>(f.lfHeight));
        s.i16(static_cast<int16_t>(f.lfWidth));
        s.i16(static_cast<int16_t>(f.lfEscapement));
        s.i16(static_cast<int16_t>(f.lfOrientation));
        s.i16(static_cast<int16_t>(f.lfWeight));
        metaSchriftBytesSchreiben(s, f);
        char name[LF_FACESIZE] = {};
        std::memcpy(name, f.lfFaceName, LF_FACESIZE - 1);
        s.bytes(name, LF_FACESIZE);
        break;
    }
    default:
        return -1;
    }
    a->w.beenden();
    auto frei = std::find(a->slots.begin(), a->slots.end(), HGDIOBJ{0});
    if (frei == a->slots.end()) frei = a->slots.insert(a->slots.end(), HGDIOBJ{0});
    *frei = h;
    a->w.objekteSetzen(static_cast<uint16_t>(std::max<size_t>(a->slots.size(), 1)));
    return static_cast<int>(frei - a->slots.begin());
}

BOOL wmfAuswaehlen(wmfAufnahme* a, HGDIOBJ h)
{
    int i = wmfSlot(a, h);
    if (i < 0) return FALSE;
    a->w.beginnen(META_SELECTOBJECT).u16(static_cast<uint16_t>(i));
    a->w.beenden();
    return TRUE;
}

// Records with one 16-bit value (and a reserved word, as writers add it).
BOOL wmfWert(HDC hdc, uint16_t f, int v, bool reserviert)
{
    wmfAufnahme* a = wmfRec(hdc);
    if (!a) return FALSE;
    plLeSchreiber& s = a->w.beginnen(f);
    s.u16(static_cast<uint16_t>(v));
    if (reserviert) s.u16(0);
    a->w.beenden();
    return TRUE;
}
BOOL wmfFarbe(HDC hdc, uint16_t f, COLORREF c)
{
    wmfAufnahme* a = wmfRec(hdc);
    if (!a) return FALSE;
    a->w.beginnen(f).u32(c);
    a->w.beenden();
    return TRUE;
}
// Records whose parameters are 16-bit values, written in reverse order as
// the format stores them.
BOOL wmfWorte(HDC hdc, uint16_t f, std::initializer_list<long> werte)
{
    wmfAufnahme* a = wmfRec(hdc);
    if (!a) return FALSE;
    for (long v : werte)
        if (!wmfPasst(v)) return FALSE;
    plLeSchreiber& s = a->w.beginnen(f);
    for (auto it = std::rbegin(werte); it != std::rend(werte); ++it) s.i16(static_cast<int16_t>(*it));
    a->w.beenden();
    return TRUE;
}

BOOL wmfPatBltRec(wmfAufnahme* a, int x, int y, int w, int h, DWORD rop)
{
    if (!wmfPassen(x, y, w, h)) return FALSE;
    plLeSchreiber& s = a->w.beginnen(META_PATBLT);
    s.u32(rop);
    s.i16(static_cast<int16_t>(h));
    s.i16(static_cast<int16_t>(w));
    s.i16(static_cast<int16_t>(y));
    s.i16(static_cast<int16_t>(x));
    a->w.beenden();
    return TRUE;
}

BOOL wmfAufnahme::auswaehlen(HGDIOBJ h) { return wmfAuswaehlen(this, h); }
BOOL wmfAufnahme::patBlt(HDC, int x, int y, int w, int h, DWORD rop) { return wmfPatBltRec(this, x, y, w, h, rop); }

// A StretchDIB record; the header and pixels follow each other as a packed DIB.
BOOL wmfAufnahme::dib(HDC, const metaDibAuftrag& d)
{
    if (!wmfPassen(d.x, d.y, d.w, d.h, d.xs, d.ys, d.ws, d.hs)) return FALSE;
    plLeSchreiber& s = w.beginnen(META_STRETCHDIB);
    s.u32(d.rop);
    s.u16(DIB_RGB_COLORS);
    for (int v : {d.hs, d.ws, d.ys, d.xs, d.h, d.w, d.y, d.x}) s.i16(static_cast<int16_t>(v));
    s.bytes(d.kopf, d.nKopf);
    s.bytes(d.bits, d.nBits);
    w.beenden();
    return TRUE;
}

// A metafile made for a file says so in its header.
std::vector<uint8_t> wmfAufnahme::fertig()
{
    if (mitDatei) w.typSetzen(2);
    return w.fertig();
}

// ---- The recorder's members ---------------------------------------------------------

BOOL wmfSaveDC(HDC hdc)
{
    wmfAufnahme* a = wmfRec(hdc);
    if (!a) return FALSE;
    a->w.beginnen(META_SAVEDC);
    a->w.beenden();
    return TRUE;
}
BOOL wmfRestoreDC(HDC hdc, int n) { return wmfWorte(hdc, META_RESTOREDC, {n}); }
BOOL wmfSetTextColor(HDC hdc, COLORREF c) { return wmfFarbe(hdc, META_SETTEXTCOLOR, c); }
BOOL wmfSetBkColor(HDC hdc, COLORREF c) { return wmfFarbe(hdc, META_SETBKCOLOR, c); }
BOOL wmfSetBkMode(HDC hdc, int m) { return wmfWert(hdc, META_SETBKMODE, m, true); }
BOOL wmfSetROP2(HDC hdc, int m) { return wmfWert(hdc, META_SETROP2, m, true); }
BOOL wmfSetPolyFillMode(HDC hdc, int m) { return wmfWert(hdc, META_SETPOLYFILLMODE, m, true); }
BOOL wmfSetStretchBltMode(HDC hdc, int m) { return wmfWert(hdc, META_SETSTRETCHBLTMODE, m, true); }
BOOL wmfSetTextAlign(HDC hdc, UINT m) { return wmfWert(hdc, META_SETTEXTALIGN, static_cast<int>(m), true); }
BOOL wmfSetMapMode(HDC hdc, int m) { return wmfWert(hdc, META_SETMAPMODE, m, false); }
BOOL wmfSetWindowOrgEx(HDC hdc, int x, int y) { return wmfWorte(hdc, META_SETWINDOWORG, {x, y}); }
BOOL wmfSetWindowExtEx(HDC hdc, int x, int y) { return wmfWorte(hdc, META_SETWINDOWEXT, {x, y}); }
BOOL wmfSetViewportOrgEx(HDC hdc, int x, int y) { return wmfWorte(hdc, META_SETVIEWPORTORG, {x, y}); }
BOOL wmfSetViewportExtEx(HDC hdc, int x, int y) { return wmfWorte(hdc, META_SETVIEWPORTEXT, {x, y}); }
BOOL wmfOffsetWindowOrgEx(HDC hdc, int x, int y) { return wmfWorte(hdc, META_OFFSETWINDOWORG, {x, y}); }
BOOL wmfOffsetViewportOrgEx(HDC hdc, int x, int y) { return wmfWorte(hdc, META_OFFSETVIEWPORTORG, {x, y}); }
BOOL wmfSetGraphicsMode(HDC, int) { return TRUE; }  // nothing to record; transforms themselves fail
BOOL wmfSetWorldTransform(HDC, const XFORM*) { return FALSE; }
BOOL wmfModifyWorldTransform(HDC, const XFORM*, DWORD mode) { return mode == MWT_IDENTITY ? TRUE : FALSE; }
BOOL wmfSetBrushOrgEx(HDC, int, int) { return TRUE; }
BOOL wmfMoveToEx(HDC hdc, int x, int y) { return wmfWorte(hdc, META_MOVETO, {x, y}); }

BOOL wmfSelectObject(HDC hdc, HGDIOBJ h)
{
    wmfAufnahme* a = wmfRec(hdc);
    if (!a) return FALSE;
    switch (GetObjectType(h)) {
    case OBJ_BITMAP:
    case OBJ_PAL:
        return TRUE;
    case OBJ_REGION:
        return FALSE;
    default:
        return wmfAuswaehlen(a, h);
    }
}

BOOL wmfDeleteObject(HDC hdc, HGDIOBJ h)
{
    wmfAufnahme* a = wmfRec(hdc);
    if (!a) return FALSE;
    int i = wmfSlotSuchen(a, h);
    if (i < 0) return TRUE;
    a->w.beginnen(META_DELETEOBJECT).u16(static_cast<uint16_t>(i));
    a->w.beenden();
    a->slots[static_cast<size_t>(i)] = 0;
    return TRUE;
}

BOOL wmfSelectClipRgn(HDC, HRGN rgn) { return rgn ? FALSE : TRUE; }
BOOL wmfIntersectClipRect(HDC hdc, int l, int t, int r, int b) { return wmfWorte(hdc, META_INTERSECTCLIPRECT, {l, t, r, b}); }
BOOL wmfExcludeClipRect(HDC hdc, int l, int t, int r, int b) { return wmfWorte(hdc, META_EXCLUDECLIPRECT, {l, t, r, b}); }
BOOL wmfLineTo(HDC hdc, int x, int y) { return wmfWorte(hdc, META_LINETO, {x, y}); }

BOOL wmfPunkte(HDC hdc, uint16_t f, const POINT* p, int n)
{
    wmfAufnahme* a = wmfRec(hdc);
    if (!a || !p || n < 0 || n > 16000) return FALSE;
    for (int i = 0; i < n; ++i)
        if (!wmfPassen(p[i].x, p[i].y)) return FALSE;
    plLeSchreiber& s = a->w.beginnen(f);
    s.i16(static_cast<int16_t>(n));
    for (int i = 0; i < n; ++i) {
        s.i16(static_cast<int16_t>(p[i].x));
        s.i16(static_cast<int16_t>(p[i].y));
    }
    a->w.beenden();
    return TRUE;
}
BOOL wmfPolyline(HDC hdc, const POINT* p, int n) { return wmfPunkte(hdc, META_POLYLINE, p, n); }
BOOL wmfPolygon(HDC hdc, const POINT* p, int n) { return wmfPunkte(hdc, META_POLYGON, p, n); }

BOOL wmfPolyPolygon(HDC hdc, const POINT* p, const INT* anz, int polys)
{
    wmfAufnahme* a = wmfRec(hdc);
    if (!a || !p || !anz || polys < 0 || polys > 8000) return FALSE;
    long gesamt = 0;
    for (int i = 0; i < polys; ++i) {
        if (anz[i] < 0) return FALSE;
        gesamt += anz[i];
    }
    if (gesamt > 16000) return FALSE;
    for (long i = 0; i < gesamt; ++i)
        if (!wmfPassen(p[i].x, p[i].y)) return FALSE;
    plLeSchreiber& s = a->w.beginnen(META_POLYPOLYGON);
    s.u16(static_cast<uint16_t>(polys));
    for (int i = 0; i < polys; ++i) s.u16(static_cast<uint16_t>(anz[i]));
    for (long i = 0; i < gesamt; ++i) {
        s.i16(static_cast<int16_t>(p[i].x));
        s.i16(static_cast<int16_t>(p[i].y));
    }
    a->w.beenden();
    return TRUE;
}

BOOL wmfRectangle(HDC hdc, int l, int t, int r, int b) { return wmfWorte(hdc, META_RECTANGLE, {l, t, r, b}); }
BOOL wmfRoundRect(HDC hdc, int l, int t, int r, int b, int w, int h) { return wmfWorte(hdc, META_ROUNDRECT, {l, t, r, b, w, h}); }
BOOL wmfEllipse(HDC hdc, int l, int t, int r, int b) { return wmfWorte(hdc, META_ELLIPSE, {l, t, r, b}); }
BOOL wmfArc(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) { return wmfWorte(hdc, META_ARC, {l, t, r, b, xs, ys, xe, ye}); }
BOOL wmfPie(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) { return wmfWorte(hdc, META_PIE, {l, t, r, b, xs, ys, xe, ye}); }
BOOL wmfChord(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) { return wmfWorte(hdc, META_CHORD, {l, t, r, b, xs, ys, xe, ye}); }
BOOL wmfSetPixel(HDC hdc, int x, int y, COLORREF c)
{
    wmfAufnahme* a = wmfRec(hdc);
    if (!a || !wmfPassen(x, y)) return FALSE;
    plLeSchreiber& s = a->w.beginnen(META_SETPIXEL);
    s.u32(c);
    s.i16(static_cast<int16_t>(y));
    s.i16(static_cast<int16_t>(x));
    a->w.beenden();
    return TRUE;
}

BOOL wmfExtTextOut(HDC hdc, int x, int y, UINT opt, const RECT* rc, LPCSTR text, UINT n, const INT* dx)
{
    wmfAufnahme* a = wmfRec(hdc);
    if (!a || (!text && n) || n > 8000 || !wmfPassen(x, y)) return FALSE;
    bool mitRect = rc && (opt & (ETO_OPAQUE | ETO_CLIPPED));
    if (mitRect && !wmfPassen(rc->left, rc->top, rc->right, rc->bottom)) return FALSE;
    if (dx)
        for (UINT i = 0; i < n; ++i)
            if (!wmfPasst(dx[i])) return FALSE;
    plLeSchreiber& s = a->w.beginnen(META_EXTTEXTOUT);
    s.i16(static_cast<int16_t>(y));
    s.i16(static_cast<int16_t>(x));
    s.i16(static_cast<int16_t>(n));
    s.u16(static_cast<uint16_t>(mitRect ? opt : (opt & ~(ETO_OPAQUE | ETO_CLIPPED))));
    if (mitRect)
        for (LONG v : {rc->left, rc->top, rc->right, rc->bottom}) s.i16(static_cast<int16_t>(v));
    s.bytes(text, n);
    if (n & 1) s.u8(0);
    if (dx)
        for (UINT i = 0; i < n; ++i) s.i16(static_cast<int16_t>(dx[i]));
    a->w.beenden();
    return TRUE;
}

const GdiRecorder kWmfRecorder = META_RECORDER(wmf);

}  // namespace

HDC CreateMetaFile(LPCSTR file)
{
    return metaAufnahmeBeginnen(std::make_unique<wmfAufnahme>(), file, kWmfRecorder, OBJ_METADC);
}

HMETAFILE CloseMetaFile(HDC hdc)
{
    std::vector<uint8_t> bits;
    if (!metaAufnahmeSchliessen(hdc, OBJ_METADC, bits)) return 0;
    return metaWmfAnlegen(std::move(bits));
}

// ---- Player ------------------------------------------------------------------------------

namespace {

// The table of the player: object or empty; `belegt` also for objects this
// player cannot make (their index must stay taken).
struct wmfSlotSpiel {
    HGDIOBJ h = 0;
    bool belegt = false;
};

struct wmfSpiel {
    HDC hdc = 0;
    bool malen = false;
    std::vector<wmfSlotSpiel> tabelle;
};

// Low byte of the function identifies a record; the high byte (its parameter
// count) varies between writers.
uint16_t wmfKanonisch(uint16_t f)
{
    static const uint16_t bekannt[] = {
        META_SAVEDC, META_SETBKMODE, META_SETMAPMODE, META_SETROP2, META_SETPOLYFILLMODE, META_SETSTRETCHBLTMODE,
        META_RESTOREDC, META_SELECTCLIPREGION, META_SELECTOBJECT, META_SETTEXTALIGN, META_DIBCREATEPATTERNBRUSH,
        META_DELETEOBJECT, META_CREATEPATTERNBRUSH, META_SETBKCOLOR, META_SETTEXTCOLOR, META_SETWINDOWORG,
        META_SETWINDOWEXT, META_SETVIEWPORTORG, META_SETVIEWPORTEXT, META_OFFSETWINDOWORG, META_OFFSETVIEWPORTORG,
        META_LINETO, META_MOVETO, META_CREATEPENINDIRECT, META_CREATEFONTINDIRECT, META_CREATEBRUSHINDIRECT,
        META_POLYGON, META_POLYLINE, META_EXCLUDECLIPRECT, META_INTERSECTCLIPRECT, META_ELLIPSE, META_RECTANGLE,
        META_SETPIXEL, META_TEXTOUT, META_POLYPOLYGON, META_ROUNDRECT, META_PATBLT, META_ARC, META_PIE, META_CHORD,
        META_DIBBITBLT, META_EXTTEXTOUT, META_DIBSTRETCHBLT, META_STRETCHDIB, META_CREATEPALETTE,
        META_CREATEREGION,
    };
    for (uint16_t b : bekannt)
        if ((b & 0xFF) == (f & 0xFF)) return b;
    return 0xFFFF;
}

bool wmfNeuesObjekt(wmfSpiel& sp, HGDIOBJ h)
{
    for (auto& s : sp.tabelle)
        if (!s.belegt) {
            s.h = h;
            s.belegt = true;
            return true;
        }
    if (h) DeleteObject(h);
    return false;  // table full: the file is inconsistent
}

// GDI's coordinate space is 27 bits: a point of a drawing record that the
// target's mapping (as the metafile and the caller set it) puts outside it
// makes the record draw nothing, rather than asking the target for billions
// of pixels. The bound is estimated from the mapping's scale and origins.
struct wmfGrenze {
    double sx = 1, sy = 1, ox = 0, oy = 0, welt = 1;
    explicit wmfGrenze(HDC dc)
    {
        int modus = GetMapMode(dc);
        POINT wo{}, vo{};
        GetWindowOrgEx(dc, &wo);
        GetViewportOrgEx(dc, &vo);
        if (modus == MM_ANISOTROPIC || modus == MM_ISOTROPIC) {
            SIZE we{1, 1}, ve{1, 1};
            GetWindowExtEx(dc, &we);
            GetViewportExtEx(dc, &ve);
            sx = we.cx ? std::fabs(static_cast<double>(ve.cx) / we.cx) : 1;
            sy = we.cy ? std::fabs(static_cast<double>(ve.cy) / we.cy) : 1;
        } else if (modus != MM_TEXT) {
            sx = sy = 10;  // the metric modes stay below ten dots a unit up to 600 dpi
        }
        double ex = 0, ey = 0;
        if (GetGraphicsMode(dc) == GM_ADVANCED) {
            XFORM x{1, 0, 0, 1, 0, 0};
            GetWorldTransform(dc, &x);
            welt = std::max(std::fabs(x.eM11) + std::fabs(x.eM21), std::fabs(x.eM12) + std::fabs(x.eM22));
            ex = std::fabs(x.eDx);
            ey = std::fabs(x.eDy);
        }
        ox = (ex + std::abs(wo.x)) * sx + std::abs(vo.x);
        oy = (ey + std::abs(wo.y)) * sy + std::abs(vo.y);
    }
    bool da(long x, long y) const
    {
        constexpr double grenze = 134217727.0;
        return std::fabs(x) * welt * sx + ox <= grenze && std::fabs(y) * welt * sy + oy <= grenze;
    }
    bool da(const int* v, int paare) const
    {
        for (int i = 0; i < paare; ++i)
            if (!da(v[2 * i], v[2 * i + 1])) return false;
        return true;
    }
};

// A packed DIB of a record: decoded with the checking reader (false when it
// is unsound), drawn only where the target can reach.
bool wmfDibZeichnen(wmfSpiel& sp, const uint8_t* dib, size_t n, int x, int y, int w, int h, int xs, int ys, int ws,
                    int hs, DWORD rop)
{
    plBild bild;
    if (plDibGepacktLesen(dib, n, bild) != 0) return false;
    if (!sp.malen) return true;
    wmfGrenze g(sp.hdc);
    if (!g.da(x, y) || !g.da(static_cast<long>(x) + w, static_cast<long>(y) + h)) return true;
    metaDibMalen(sp.hdc, dib, n, bild, x, y, w, h, xs, ys, ws, hs, rop);
    return true;
}

// One record: with sp.malen false it only checks the parameters; true it
// also draws. False: the record is inconsistent.
// One switch over the record kinds, longer than the usual function: each case
// is a few lines reading and checking one record's fields next to the call
// it makes, so the format stays in one place.
bool wmfDatensatz(wmfSpiel& sp, const plWmfDatensatz& d)
{
    plLeLeser l(d.param, d.laenge);
    HDC dc = sp.hdc;
    const bool m = sp.malen;
    auto worte = [&](int n, int* v) {
        for (int i = 0; i < n; ++i) v[i] = l.i16();
        return l.gut;
    };
    int v[10];
    switch (wmfKanonisch(d.funktion)) {
    case META_SAVEDC: if (m) SaveDC(dc); return true;
    case META_RESTOREDC: if (!worte(1, v)) return false; if (m) RestoreDC(dc, v[0]); return true;
    case META_SETBKMODE: if (!worte(1, v)) return false; if (m) SetBkMode(dc, v[0]); return true;
    case META_SETMAPMODE: if (!worte(1, v)) return false; if (m) SetMapMode(dc, v[0]); return true;
    case META_SETROP2: if (!worte(1, v)) return false; if (m) SetROP2(dc, v[0]); return true;
    case META_SETPOLYFILLMODE: if (!worte(1, v)) return false; if (m) SetPolyFillMode(dc, v[0]); return true;
    case META_SETSTRETCHBLTMODE: if (!worte(1, v)) return false; if (m) SetStretchBltMode(dc, v[0]); return true;
    case META_SETTEXTALIGN: {
        uint16_t a = l.u16();
        if (!l.gut) return false;
        if (m) SetTextAlign(dc, a);
        return true;
    }
    case META_SETBKCOLOR:
    case META_SETTEXTCOLOR: {
        COLORREF c = l.u32();
        if (!l.gut) return false;
        if (m) (wmfKanonisch(d.funktion) == META_SETBKCOLOR ? SetBkColor : SetTextColor)(dc, c);
        return true;
    }
    case META_SETWINDOWORG: if (!worte(2, v)) return false; if (m) SetWindowOrgEx(dc, v[1], v[0], nullptr); return true;
    case META_SETWINDOWEXT: if (!worte(2, v)) return false; if (m) SetWindowExtEx(dc, v[1], v[0], nullptr); return true;
    case META_SETVIEWPORTORG: if (!worte(2, v)) return false; if (m) SetViewportOrgEx(dc, v[1], v[0], nullptr); return true;
    case META_SETVIEWPORTEXT: if (!worte(2, v)) return false; if (m) SetViewportExtEx(dc, v[1], v[0], nullptr); return true;
    case META_OFFSETWINDOWORG: if (!worte(2, v)) return false; if (m) OffsetWindowOrgEx(dc, v[1], v[0], nullptr); return true;
    case META_OFFSETVIEWPORTORG: if (!worte(2, v)) return false; if (m) OffsetViewportOrgEx(dc, v[1], v[0], nullptr); return true;
    case META_LINETO: if (!worte(2, v)) return false; if (m && wmfGrenze(dc).da(v, 1)) LineTo(dc, v[1], v[0]); return true;
    case META_MOVETO: if (!worte(2, v)) return false; if (m && wmfGrenze(dc).da(v, 1)) MoveToEx(dc, v[1], v[0], nullptr); return true;
    case META_EXCLUDECLIPRECT: if (!worte(4, v)) return false; if (m && wmfGrenze(dc).da(v, 2)) ExcludeClipRect(dc, v[3], v[2], v[1], v[0]); return true;
    case META_INTERSECTCLIPRECT: if (!worte(4, v)) return false; if (m && wmfGrenze(dc).da(v, 2)) IntersectClipRect(dc, v[3], v[2], v[1], v[0]); return true;
    case META_RECTANGLE: if (!worte(4, v)) return false; if (m && wmfGrenze(dc).da(v, 2)) Rectangle(dc, v[3], v[2], v[1], v[0]); return true;
    case META_ELLIPSE: if (!worte(4, v)) return false; if (m && wmfGrenze(dc).da(v, 2)) Ellipse(dc, v[3], v[2], v[1], v[0]); return true;
    case META_ROUNDRECT: if (!worte(6, v)) return false; if (m && wmfGrenze(dc).da(v, 3)) RoundRect(dc, v[5], v[4], v[3], v[2], v[1], v[0]); return true;
    case META_ARC:
    case META_PIE:
    case META_CHORD: {
        if (!worte(8, v)) return false;
        if (!m || !wmfGrenze(dc).da(v, 4)) return true;
        auto f = wmfKanonisch(d.funktion) == META_ARC ? Arc : wmfKanonisch(d.funktion) == META_PIE ? Pie : Chord;
        f(dc, v[7], v[6], v[5], v[4], v[3], v[2], v[1], v[0]);
        return true;
    }
    case META_SETPIXEL: {
        COLORREF c = l.u32();
        if (!worte(2, v)) return false;
        if (m && wmfGrenze(dc).da(v, 1)) SetPixel(dc, v[1], v[0], c);
        return true;
    }
    case META_PATBLT: {
        DWORD rop = l.u32();
        if (!worte(4, v)) return false;
        if (m && wmfGrenze(dc).da(v, 2)) PatBlt(dc, v[3], v[2], v[1], v[0], rop);
        return true;
    }
    case META_POLYLINE:
    case META_POLYGON: {
        int n = l.i16();
        if (!l.gut || n < 0 || !l.hat(static_cast<size_t>(n) * 4)) return false;
        if (!m) return true;
        std::vector<POINT> p(static_cast<size_t>(n));
        wmfGrenze g(dc);
        for (auto& q : p) {
            q.x = l.i16();
            q.y = l.i16();
            if (!g.da(q.x, q.y)) return true;
        }
        (wmfKanonisch(d.funktion) == META_POLYLINE ? Polyline : Polygon)(dc, p.data(), n);
        return true;
    }
    case META_POLYPOLYGON: {
        uint16_t polys = l.u16();
        if (!l.gut || !l.hat(static_cast<size_t>(polys) * 2)) return false;
        std::vector<INT> anz(polys);
        size_t gesamt = 0;
        for (auto& a : anz) gesamt += static_cast<size_t>(a = l.u16());
        if (!l.hat(gesamt * 4)) return false;
        if (!m) return true;
        std::vector<POINT> p(gesamt);
        wmfGrenze g(dc);
        for (auto& q : p) {
            q.x = l.i16();
            q.y = l.i16();
            if (!g.da(q.x, q.y)) return true;
        }
        PolyPolygon(dc, p.data(), anz.data(), polys);
        return true;
    }
    case META_TEXTOUT: {
        int n = l.i16();
        if (!l.gut || n < 0) return false;
        const uint8_t* t = l.bytes(static_cast<size_t>(n + (n & 1)));
        if (!t || !worte(2, v)) return false;
        if (m && wmfGrenze(dc).da(v, 1)) TextOut(dc, v[1], v[0], reinterpret_cast<const char*>(t), n);
        return true;
    }
    case META_EXTTEXTOUT: {
        if (!worte(3, v)) return false;
        uint16_t opt = l.u16();
        int n = v[2];
        if (!l.gut || n < 0) return false;
        RECT rc{};
        bool mitRect = opt & (ETO_OPAQUE | ETO_CLIPPED);
        if (mitRect) {
            int r[4];
            if (!worte(4, r)) return false;
            rc = {r[0], r[1], r[2], r[3]};
        }
        const uint8_t* t = l.bytes(static_cast<size_t>(n + (n & 1)));
        if (!t) return false;
        std::vector<INT> dx;
        if (l.hat(static_cast<size_t>(n) * 2) && n > 0) {
            dx.resize(static_cast<size_t>(n));
            for (auto& a : dx) a = l.i16();
        }
        if (m && wmfGrenze(dc).da(v, 1) && (!mitRect || (wmfGrenze(dc).da(rc.left, rc.top) && wmfGrenze(dc).da(rc.right, rc.bottom))))
            ExtTextOut(dc, v[1], v[0], opt, mitRect ? &rc : nullptr, reinterpret_cast<const char*>(t),
                       static_cast<UINT>(n), dx.empty() ? nullptr : dx.data());
        return true;
    }
    case META_STRETCHDIB: {
        DWORD rop = l.u32();
        uint16_t usage = l.u16();
        if (!worte(8, v)) return false;
        if (usage != DIB_RGB_COLORS) return true;  // palette-index DIBs are skipped
        return wmfDibZeichnen(sp, d.param + l.pos, l.rest(), v[7], v[6], v[5], v[4], v[3], v[2], v[1], v[0], rop);
    }
    case META_DIBSTRETCHBLT:
    case META_DIBBITBLT: {
        bool dehnen = wmfKanonisch(d.funktion) == META_DIBSTRETCHBLT;
        DWORD rop = l.u32();
        // Without a bitmap the record is one word longer than its fixed part
        // and carries a reserved word: a PatBlt.
        if (d.laenge == (dehnen ? 22u : 18u)) {
            l.u16();
            int n = dehnen ? 8 : 6;
            if (!worte(n, v)) return false;
            if (m) PatBlt(dc, v[n - 1], v[n - 2], v[n - 3], v[n - 4], rop);
            return true;
        }
        if (dehnen) {
            if (!worte(8, v)) return false;
            return wmfDibZeichnen(sp, d.param + l.pos, l.rest(), v[7], v[6], v[5], v[4], v[3], v[2], v[1], v[0], rop);
        }
        if (!worte(6, v)) return false;
        return wmfDibZeichnen(sp, d.param + l.pos, l.rest(), v[5], v[4], v[3], v[2], v[1], v[0], v[3], v[2], rop);
    }
    case META_SELECTOBJECT:
    case META_DELETEOBJECT:
    case META_SELECTCLIPREGION: {
        uint16_t i = l.u16();
        if (!l.gut || i >= sp.tabelle.size()) return false;
        if (!m) return true;
        wmfSlotSpiel& s = sp.tabelle[i];
        uint16_t f = wmfKanonisch(d.funktion);
        if (f == META_DELETEOBJECT) {
            if (s.h) metaObjektLoeschen(dc, s.h);
            s = wmfSlotSpiel{};
        } else if (f == META_SELECTCLIPREGION) {
            if (s.h) SelectClipRgn(dc, s.h);  // regions this player cannot make leave the clip alone
        } else if (s.h) {
            SelectObject(dc, s.h);
        }
        return true;
    }
    case META_CREATEPENINDIRECT: {
        uint16_t stil = l.u16();
        int w = l.i16();
        l.i16();
        COLORREF c = l.u32();
        if (!l.gut) return false;
        if (m) wmfNeuesObjekt(sp, CreatePen(stil, w, c));
        return true;
    }
    case META_CREATEBRUSHINDIRECT: {
        LOGBRUSH lb{};
        lb.lbStyle = l.u16();
        lb.lbColor = l.u32();
        lb.lbHatch = l.u16();
        if (!l.gut) return false;
        lb.lbStyle = metaPinselStil(lb.lbStyle);
        if (m) wmfNeuesObjekt(sp, CreateBrushIndirect(&lb));
        return true;
    }
    case META_DIBCREATEPATTERNBRUSH: {
        l.u16();
        uint16_t usage = l.u16();
        plBild bild;
        if (!l.gut || plDibGepacktLesen(d.param + l.pos, l.rest(), bild) != 0) return false;
        if (m) wmfNeuesObjekt(sp, metaMusterPinsel(bild, usage));
        return true;
    }
    case META_CREATEFONTINDIRECT: {
        LOGFONT lf{};
        lf.lfHeight = l.i16();
        lf.lfWidth = l.i16();
        lf.lfEscapement = l.i16();
        lf.lfOrientation = l.i16();
        lf.lfWeight = l.i16();
        metaSchriftBytesLesen(l, lf);
        if (!l.gut) return false;
        // The face name may be shorter than 32 bytes; it ends at its NUL or the record.
        size_t n = std::min<size_t>(l.rest(), LF_FACESIZE - 1);
        std::memcpy(lf.lfFaceName, d.param + l.pos, n);
        lf.lfFaceName[n] = 0;
        if (m) wmfNeuesObjekt(sp, CreateFontIndirect(&lf));
        return true;
    }
    case META_CREATEPATTERNBRUSH:
    case META_CREATEPALETTE:
    case META_CREATEREGION:
        // Objects this player does not make still take their index.
        if (m && !wmfNeuesObjekt(sp, 0)) return true;
        return true;
    default:
        return true;  // unknown records are skipped
    }
}

}  // namespace

BOOL PlayMetaFile(HDC hdc, HMETAFILE hmf)
{
    metaFehlerLoeschen();
    const metaDatei* d = metaWmfFinden(hmf);
    if (!d || !hdc) return FALSE;
    plWmfKopf kopf;
    std::vector<plWmfDatensatz> saetze;
    std::string fehler;
    if (plWmfPruefen(d->bits.data(), d->bits.size(), kopf, saetze, &fehler) != 0) return metaFehler(fehler);
    wmfSpiel sp;
    sp.hdc = hdc;
    sp.tabelle.resize(kopf.objekte);
    if (!metaAllePruefen(saetze, [&](const plWmfDatensatz& s) { return wmfDatensatz(sp, s); })) return FALSE;
    int gesichert = SaveDC(hdc);
    if (gesichert <= 0) return FALSE;
    sp.malen = true;
    for (const plWmfDatensatz& s : saetze) wmfDatensatz(sp, s);
    RestoreDC(hdc, gesichert);
    for (auto& s : sp.tabelle)
        if (s.h) DeleteObject(s.h);
    return TRUE;
}
