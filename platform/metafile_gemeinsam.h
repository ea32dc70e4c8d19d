// What the WMF and EMF modules (metafile_wmf.cpp, metafile_emf.cpp) have in
// common beyond metafile_int.h: the recording every metafile DC keeps, its
// start and close, the recorder members that only combine a format's own
// primitives, and the player steps that do not depend on the format.
// Nothing else includes this header. Prefix `meta`. May call: gdi.h,
// gdiint.h (recording DCs), bild.h, metafile_int.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/bild.h"
#include "platform/gdi.h"
#include "platform/gdiint.h"
#include "platform/metafile_int.h"

// ---- Recording ---------------------------------------------------------------------

// A DIB to record: the source rectangle (xs, ys, ws, hs) of the DIB with the
// header `kopf` and the pixels `bits`, stretched to (x, y, w, h).
struct metaDibAuftrag {
    int x, y, w, h, xs, ys, ws, hs;
    const uint8_t* kopf;
    size_t nKopf;
    const uint8_t* bits;
    size_t nBits;
    DWORD rop;
};

// The recording behind one metafile DC. A format derives from it and gives
// the few steps that write its own records; the members both formats share
// (brush fills, blits) are built on those steps.
struct metaAufnahme {
    virtual ~metaAufnahme() = default;
    std::string datei;  // written at close when mitDatei
    bool mitDatei = false;
    int art = 0;  // OBJ_METADC or OBJ_ENHMETADC

    // Makes `h` the DC's current object of its kind in the recording.
    virtual BOOL auswaehlen(HGDIOBJ h) = 0;
    // A PatBlt record.
    virtual BOOL patBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) = 0;
    // A record drawing a DIB.
    virtual BOOL dib(HDC hdc, const metaDibAuftrag& d) = 0;
    // The finished bits (called once, at close).
    virtual std::vector<uint8_t> fertig() = 0;
};

// The recording of a recording DC (nullptr for any other DC).
metaAufnahme* metaRec(HDC hdc);

// A recording DC of kind `art` drawing through `rec` into `a`, which is kept
// until the DC is closed; `datei` (may be nullptr) is the file written at
// close. 0 when no DC can be made.
HDC metaAufnahmeBeginnen(std::unique_ptr<metaAufnahme> a, LPCSTR datei, const GdiRecorder& rec, int art);
// Ends the recording of `hdc`, a DC of kind `art`: frees the DC (either way
// when it was a live recording), finishes the bits and writes them to the
// recording's file when it has one. False when `hdc` is no live recording of
// that kind or the file cannot be written (then with the reason recorded).
bool metaAufnahmeSchliessen(HDC hdc, int art, std::vector<uint8_t>& bits);

// Recorder members both formats write alike, through the steps above.
BOOL metaFillRect(HDC hdc, const RECT* rc, HBRUSH br);
BOOL metaFrameRect(HDC hdc, const RECT* rc, HBRUSH br);
BOOL metaInvertRect(HDC hdc, const RECT* rc);
BOOL metaDrawFocusRect(HDC hdc, const RECT* rc);
BOOL metaFillRgn(HDC hdc, HRGN rgn, HBRUSH br);
BOOL metaPatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
BOOL metaBitBlt(HDC hdc, int x, int y, int w, int h, HDC src, int xs, int ys, DWORD rop);
BOOL metaStretchBlt(HDC hdc, int x, int y, int w, int h, HDC src, int xs, int ys, int ws, int hs, DWORD rop);
BOOL metaStretchDIBits(HDC hdc, int x, int y, int w, int h, int xs, int ys, int ws, int hs, const void* bits,
                       const BITMAPINFO* bmi, UINT usage, DWORD rop);

// The recorder table of a format whose members are named `p` + the GDI
// call (emfLineTo, wmfLineTo, ...), with the members written alike above.
#define META_RECORDER(p)                                                                                            \
    {                                                                                                               \
        p##SaveDC, p##RestoreDC, p##SetTextColor, p##SetBkColor, p##SetBkMode, p##SetROP2, p##SetPolyFillMode,     \
            p##SetStretchBltMode, p##SetTextAlign, p##SetMapMode, p##SetWindowOrgEx, p##SetWindowExtEx,             \
            p##SetViewportOrgEx, p##SetViewportExtEx, p##OffsetWindowOrgEx, p##OffsetViewportOrgEx,                 \
            p##SetGraphicsMode, p##SetWorldTransform, p##ModifyWorldTransform, p##SetBrushOrgEx, p##MoveToEx,       \
            p##SelectObject, p##DeleteObject, p##SelectClipRgn, p##IntersectClipRect, p##ExcludeClipRect,          \
            p##LineTo, p##Polyline, p##Polygon, p##PolyPolygon, p##Rectangle, p##RoundRect, p##Ellipse, p##Arc,     \
            p##Pie, p##Chord, metaFillRect, metaFrameRect, metaInvertRect, metaDrawFocusRect, metaFillRgn,          \
            metaPatBlt, p##SetPixel, p##ExtTextOut, metaBitBlt, metaStretchBlt, metaStretchDIBits,                  \
    }

// Brush styles a metafile's brush record holds; any other becomes solid.
inline UINT metaPinselStil(UINT stil)
{
    return stil == BS_SOLID || stil == BS_NULL || stil == BS_HATCHED ? stil : static_cast<UINT>(BS_SOLID);
}

// The eight one-byte fields of a LOGFONT (italic .. pitch and family), which
// both formats store alike, in this order.
void metaSchriftBytesSchreiben(plLeSchreiber& s, const LOGFONT& f);
void metaSchriftBytesLesen(plLeLeser& l, LOGFONT& f);

// The header of a top-down 32-bit RGB DIB of breite x hoehe pixels, the
// form in which pixels are read from a bitmap and handed to a target.
BITMAPINFO metaBmi32(int breite, int hoehe);

// ---- Playing -----------------------------------------------------------------------

// Runs `pruefen` over every record before anything is drawn. False, with the
// number of the first inconsistent record as the reason, when one fails.
template <typename Datensatz, typename Pruefen>
bool metaAllePruefen(const std::vector<Datensatz>& saetze, Pruefen pruefen)
{
    for (size_t i = 0; i < saetze.size(); ++i)
        if (!pruefen(saetze[i])) return metaFehler("record " + std::to_string(i + 1) + " inconsistent"), false;
    return true;
}

// The brush of a pattern-brush record: the pattern for RGB colours, else (or
// when it cannot be made) black, so the record's index still holds a brush.
HGDIOBJ metaMusterPinsel(const plBild& bild, UINT usage);
// Deletes an object the player made; the DC may still hold it, so a stock
// object of its kind is selected first.
void metaObjektLoeschen(HDC dc, HGDIOBJ h);
// Draws a checked DIB record's pixels (`bild`, decoded from the DIB whose
// header is `kopf`) as a 32-bit top-down DIB, so the drawing side only ever
// sees sound input. The source rectangle of a bottom-up DIB counts rows from
// the bottom; it is turned into rows from the top.
void metaDibMalen(HDC dc, const uint8_t* kopf, size_t nKopf, const plBild& bild, int x, int y, int w, int h, int xs,
                  int ys, int ws, int hs, DWORD rop);
