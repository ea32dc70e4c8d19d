// The recording, recorder members and player steps the WMF and EMF modules
// share; see metafile_gemeinsam.h. Prefix `meta`. Calls the public GDI
// calls, gdiint.h for recording DCs, bild.h and metafile_int.h.
#include "platform/metafile_gemeinsam.h"

#include <map>

namespace {

// The recordings of live metafile DCs. A DC deleted without being closed
// (DeleteDC) leaves its entry, which the next start of a recording sweeps
// away.
std::map<HDC, std::unique_ptr<metaAufnahme>>& metaAufnahmen()
{
    static std::map<HDC, std::unique_ptr<metaAufnahme>> m;
    return m;
}
void metaFegen()
{
    auto& m = metaAufnahmen();
    for (auto it = m.begin(); it != m.end();)
        it = gdiDcArt(it->first) == it->second->art && metaRec(it->first) == it->second.get() ? std::next(it) : m.erase(it);
}

// PatBlt rectangles with brush `br`, then the DC's own brush again.
BOOL metaMitPinsel(HDC hdc, HBRUSH br, const std::vector<RECT>& rechtecke, DWORD rop)
{
    metaAufnahme* a = metaRec(hdc);
    if (!a) return FALSE;
    if (br && !a->auswaehlen(br)) return FALSE;
    BOOL ok = TRUE;
    for (const RECT& r : rechtecke)
        if (!a->patBlt(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, rop)) ok = FALSE;
    HGDIOBJ eigen = GetCurrentObject(hdc, OBJ_BRUSH);
    if (br && eigen && eigen != br) a->auswaehlen(eigen);
    return ok;
}

// The four one-pixel edges of a rectangle, without overlap (so an inverting
// frame inverts each pixel once).
std::vector<RECT> metaRahmen(const RECT& r)
{
    return {{r.left, r.top, r.right, r.top + 1}, {r.left, r.bottom - 1, r.right, r.bottom},
            {r.left, r.top + 1, r.left + 1, r.bottom - 1}, {r.right - 1, r.top + 1, r.right, r.bottom - 1}};
}

}  // namespace

// ---- Recording ---------------------------------------------------------------------

metaAufnahme* metaRec(HDC hdc) { return static_cast<metaAufnahme*>(gdiDcRecorderKontext(hdc)); }

HDC metaAufnahmeBeginnen(std::unique_ptr<metaAufnahme> a, LPCSTR datei, const GdiRecorder& rec, int art)
{
    if (datei) {
        a->datei = datei;
        a->mitDatei = true;
    }
    a->art = art;
    HDC hdc = gdiDcRecorderErzeugen(&rec, a.get(), art);
    if (!hdc) return 0;
    metaFegen();
    metaAufnahmen()[hdc] = std::move(a);
    return hdc;
}

bool metaAufnahmeSchliessen(HDC hdc, int art, std::vector<uint8_t>& bits)
{
    bits.clear();
    if (gdiDcArt(hdc) != art) return false;
    auto it = metaAufnahmen().find(hdc);
    if (it == metaAufnahmen().end()) return false;
    std::unique_ptr<metaAufnahme> a = std::move(it->second);
    metaAufnahmen().erase(it);
    gdiDcFreigeben(hdc);
    bits = a->fertig();
    if (a->mitDatei && metaDateiSchreiben(a->datei, bits) != 0) {
        bits.clear();
        return metaFehler("file cannot be written"), false;
    }
    return true;
}

BOOL metaFillRect(HDC hdc, const RECT* rc, HBRUSH br) { return rc && br ? metaMitPinsel(hdc, br, {*rc}, PATCOPY) : FALSE; }
BOOL metaFrameRect(HDC hdc, const RECT* rc, HBRUSH br) { return rc && br ? metaMitPinsel(hdc, br, metaRahmen(*rc), PATCOPY) : FALSE; }
BOOL metaInvertRect(HDC hdc, const RECT* rc) { return rc ? metaMitPinsel(hdc, 0, {*rc}, DSTINVERT) : FALSE; }
BOOL metaDrawFocusRect(HDC hdc, const RECT* rc) { return rc ? metaMitPinsel(hdc, 0, metaRahmen(*rc), DSTINVERT) : FALSE; }
BOOL metaFillRgn(HDC hdc, HRGN rgn, HBRUSH br)
{
    std::vector<RECT> r;
    if (!br || !gdiRgnRechtecke(rgn, r)) return FALSE;
    return metaMitPinsel(hdc, br, r, PATCOPY);
}
BOOL metaPatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    metaAufnahme* a = metaRec(hdc);
    return a ? a->patBlt(hdc, x, y, w, h, rop) : FALSE;
}

// Blits from a DC record the source pixels as a DIB; without a source they
// are a PatBlt.
BOOL metaStretchBlt(HDC hdc, int x, int y, int w, int h, HDC src, int xs, int ys, int ws, int hs, DWORD rop)
{
    if (!src) return metaPatBlt(hdc, x, y, w, h, rop);
    std::vector<uint8_t> dib;
    if (!metaDibAusDc(src, xs, ys, ws, hs, GetTextColor(hdc), GetBkColor(hdc), dib)) return FALSE;
    metaAufnahme* a = metaRec(hdc);
    if (!a) return FALSE;
    size_t kopf = plDibKopfGroesse(dib.data(), dib.size());
    return a->dib(hdc, {x, y, w, h, 0, 0, ws, hs, dib.data(), kopf, dib.data() + kopf, dib.size() - kopf, rop});
}
BOOL metaBitBlt(HDC hdc, int x, int y, int w, int h, HDC src, int xs, int ys, DWORD rop)
{
    return metaStretchBlt(hdc, x, y, w, h, src, xs, ys, w, h, rop);
}
BOOL metaStretchDIBits(HDC hdc, int x, int y, int w, int h, int xs, int ys, int ws, int hs, const void* bits,
                       const BITMAPINFO* bmi, UINT usage, DWORD rop)
{
    size_t kopf, n;
    if (!bits || usage != DIB_RGB_COLORS || !metaDibGroessen(bmi, usage, kopf, n)) return FALSE;
    metaAufnahme* a = metaRec(hdc);
    if (!a) return FALSE;
    return a->dib(hdc, {x, y, w, h, xs, ys, ws, hs, reinterpret_cast<const uint8_t*>(bmi), kopf,
                        static_cast<const uint8_t*>(bits), n, rop});
}

void metaSchriftBytesSchreiben(plLeSchreiber& s, const LOGFONT& f)
{
    for (BYTE b : {f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision,
                   f.lfQuality, f.lfPitchAndFamily})
        s.u8(b);
}
void metaSchriftBytesLesen(plLeLeser& l, LOGFONT& f)
{
    for (BYTE* b : {&f.lfItalic, &f.lfUnderline, &f.lfStrikeOut, &f.lfCharSet, &f.lfOutPrecision, &f.lfClipPrecision,
                    &f.lfQuality, &f.lfPitchAndFamily})
        *b = l.u8();
}

// ---- Playing -----------------------------------------------------------------------

HGDIOBJ metaMusterPinsel(const plBild& bild, UINT usage)
{
    HGDIOBJ br = 0;
    if (usage == DIB_RGB_COLORS) {
        HBITMAP bm = CreateBitmap(bild.breite, bild.hoehe, 1, 32, bild.pixel.data());
        br = bm ? CreatePatternBrush(bm) : 0;
        if (bm) DeleteObject(bm);
    }
    return br ? br : CreateSolidBrush(RGB(0, 0, 0));
}

void metaObjektLoeschen(HDC dc, HGDIOBJ h)
{
    DWORD art = GetObjectType(h);
    if (GetCurrentObject(dc, art) == h)
        SelectObject(dc, GetStockObject(art == OBJ_BRUSH ? WHITE_BRUSH : art == OBJ_FONT ? SYSTEM_FONT : BLACK_PEN));
    DeleteObject(h);
}

void metaDibMalen(HDC dc, const uint8_t* kopf, size_t nKopf, const plBild& bild, int x, int y, int w, int h, int xs,
                  int ys, int ws, int hs, DWORD rop)
{
    plLeLeser l(kopf, nKopf);
    bool vonUnten = l.u32() == 12 || (l.u32(), l.i32() > 0);
    if (vonUnten) ys = bild.hoehe - ys - hs;
    BITMAPINFO bmi = metaBmi32(bild.breite, bild.hoehe);
    StretchDIBits(dc, x, y, w, h, xs, ys, ws, hs, bild.pixel.data(), &bmi, DIB_RGB_COLORS, rop);
}
