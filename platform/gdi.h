// GDI of the platform layer: device contexts, pens, brushes, fonts, regions,
// bitmaps, drawing, text and raster operations, shaped like the Windows calls
// of the same names (documented values and semantics). Drawn over Cairo and
// Pango: window and memory DCs are image surfaces drawn without
// anti-aliasing, printer DCs draw vectors, metafile DCs record.
// Implemented in gdiobj.cpp (objects, regions), gdidc.cpp (DC state,
// mapping, clipping), gdimalen.cpp (the pixel rules, drawing, raster
// operations), gdibild.cpp (bitmaps, DIBs, blits) and gditext.cpp (fonts
// and text). GetSysColor/GetSysColorBrush belong to the
// window manager; this layer only makes the brushes for it.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

// ---- Structures not in windef.h ---------------------------------------------
struct EXTLOGPEN {
    DWORD elpPenStyle;
    DWORD elpWidth;
    UINT elpBrushStyle;
    COLORREF elpColor;
    ULONG_PTR elpHatch;
    DWORD elpNumEntries;
    DWORD elpStyleEntry[1];
};

struct DIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3];
    HANDLE dshSection;
    DWORD dsOffset;
};

#define LF_FULLFACESIZE 64
struct ENUMLOGFONT {
    LOGFONT elfLogFont;
    BYTE elfFullName[LF_FULLFACESIZE];
    BYTE elfStyle[LF_FACESIZE];
};
struct ENUMLOGFONTEX {
    LOGFONT elfLogFont;
    BYTE elfFullName[LF_FULLFACESIZE];
    BYTE elfStyle[LF_FACESIZE];
    BYTE elfScript[LF_FACESIZE];
};
// TEXTMETRIC with the outline font's own sizes after it, laid out as one.
struct NEWTEXTMETRIC : TEXTMETRIC {
    DWORD ntmFlags;
    UINT ntmSizeEM;
    UINT ntmCellHeight;
    UINT ntmAvgWidth;
};
struct FONTSIGNATURE {
    DWORD fsUsb[4];
    DWORD fsCsb[2];
};
struct NEWTEXTMETRICEX {
    NEWTEXTMETRIC ntmTm;
    FONTSIGNATURE ntmFontSig;
};
typedef int (*FONTENUMPROC)(const LOGFONT* lf, const TEXTMETRIC* tm, DWORD fontType, LPARAM lParam);

struct DRAWTEXTPARAMS {
    UINT cbSize;
    int iTabLength;
    int iLeftMargin;
    int iRightMargin;
    UINT uiLengthDrawn;
};

// ExtCreatePen needs no values beyond winconst.h; these complete the sets.
#ifndef DIB_PAL_INDICES
#define DIB_PAL_INDICES 2
#endif
#define AD_COUNTERCLOCKWISE 1
#define AD_CLOCKWISE 2
#define CLIP_TO_PATH 0
#define DT_TABSTOP_DEFAULT 8

// ---- Device contexts ----------------------------------------------------------
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
// Marks a DC of a control's own back bitmap as drawing user interface: its
// text is rendered as the desktop's UI text, as on the control's window DC.
void plDcOberflaeche(HDC hdc);
// Marks a raster DC as showing a drawing on screen (on) or not (off, the
// start): lines, shapes and text drawn with the plain copy operation are
// smoothed in grey levels; every other raster operation stays exact pixel
// for pixel, so that XOR drawn twice restores the pixels. The previous value.
int plDcGlaetten(HDC hdc, int an);
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int nSavedDC);
int GetDeviceCaps(HDC hdc, int index);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);

// ---- Objects --------------------------------------------------------------------
HGDIOBJ GetStockObject(int i);
BOOL DeleteObject(HGDIOBJ obj);
// Told of a font just before DeleteObject frees it (one receiver; null:
// none): a control holding drawing for later draws what needs the font.
typedef void (*plSchriftFreiFn)(HFONT schrift);
void plSchriftFreiHookSetzen(plSchriftFreiFn f);
int GetObject(HGDIOBJ obj, int size, LPVOID out);
DWORD GetObjectType(HGDIOBJ obj);
HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* lp);
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* lb, DWORD nStyle, const DWORD* styles);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreatePatternBrush(HBITMAP bm);
HBRUSH CreateBrushIndirect(const LOGBRUSH* lb);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, LPCSTR face);
HFONT CreateFontIndirect(const LOGFONT* lf);

// ---- Attributes -------------------------------------------------------------------
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
int SetROP2(HDC hdc, int rop2);
int GetROP2(HDC hdc);
int SetPolyFillMode(HDC hdc, int mode);
int GetPolyFillMode(HDC hdc);
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT old);
COLORREF SetDCPenColor(HDC hdc, COLORREF color);
COLORREF SetDCBrushColor(HDC hdc, COLORREF color);

// ---- Coordinates --------------------------------------------------------------------
int SetMapMode(HDC hdc, int mode);
int GetMapMode(HDC hdc);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old);
BOOL GetWindowOrgEx(HDC hdc, LPPOINT pt);
BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE old);
BOOL GetWindowExtEx(HDC hdc, LPSIZE sz);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old);
BOOL GetViewportOrgEx(HDC hdc, LPPOINT pt);
BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE old);
BOOL GetViewportExtEx(HDC hdc, LPSIZE sz);
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, LPPOINT old);
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT old);
int SetGraphicsMode(HDC hdc, int mode);
int GetGraphicsMode(HDC hdc);
BOOL SetWorldTransform(HDC hdc, const XFORM* xf);
BOOL GetWorldTransform(HDC hdc, XFORM* xf);
BOOL ModifyWorldTransform(HDC hdc, const XFORM* xf, DWORD mode);
BOOL LPtoDP(HDC hdc, LPPOINT pts, int n);
BOOL DPtoLP(HDC hdc, LPPOINT pts, int n);

// ---- Regions and clipping --------------------------------------------------------------
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rc);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* rc);
BOOL EqualRgn(HRGN a, HRGN b);
int GetRgnBox(HRGN rgn, LPRECT rc);
int SelectClipRgn(HDC hdc, HRGN rgn);
int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int GetClipBox(HDC hdc, LPRECT rc);
int GetClipRgn(HDC hdc, HRGN rgn);
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* rc);

// ---- Lines and shapes ----------------------------------------------------------------------
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old);
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT pt);
BOOL LineTo(HDC hdc, int x, int y);
BOOL Polyline(HDC hdc, const POINT* pts, int n);
BOOL Polygon(HDC hdc, const POINT* pts, int n);
BOOL PolyPolygon(HDC hdc, const POINT* pts, const INT* counts, int polys);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int w, int h);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL Arc(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
BOOL Pie(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
BOOL Chord(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
int FillRect(HDC hdc, const RECT* rc, HBRUSH br);
int FrameRect(HDC hdc, const RECT* rc, HBRUSH br);
BOOL InvertRect(HDC hdc, const RECT* rc);
BOOL DrawFocusRect(HDC hdc, const RECT* rc);
BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH br);
BOOL PaintRgn(HDC hdc, HRGN rgn);
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);

// ---- Bitmaps ---------------------------------------------------------------------------------
HBITMAP CreateCompatibleBitmap(HDC hdc, int w, int h);
HBITMAP CreateBitmap(int w, int h, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* bmi, UINT usage, void** bits, HANDLE section, DWORD offset);
HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* bih, DWORD init, const void* bits, const BITMAPINFO* bmi,
                       UINT usage);
#define CBM_INIT 0x04
int GetDIBits(HDC hdc, HBITMAP bm, UINT start, UINT lines, void* bits, BITMAPINFO* bmi, UINT usage);
int SetDIBits(HDC hdc, HBITMAP bm, UINT start, UINT lines, const void* bits, const BITMAPINFO* bmi, UINT usage);
BOOL GetBitmapDimensionEx(HBITMAP bm, LPSIZE sz);
BOOL BitBlt(HDC hdc, int x, int y, int w, int h, HDC src, int xs, int ys, DWORD rop);
BOOL StretchBlt(HDC hdc, int x, int y, int w, int h, HDC src, int xs, int ys, int ws, int hs, DWORD rop);
int StretchDIBits(HDC hdc, int x, int y, int w, int h, int xs, int ys, int ws, int hs, const void* bits,
                  const BITMAPINFO* bmi, UINT usage, DWORD rop);
int SetDIBitsToDevice(HDC hdc, int x, int y, DWORD w, DWORD h, int xs, int ys, UINT startScan, UINT lines,
                      const void* bits, const BITMAPINFO* bmi, UINT usage);
BOOL GdiFlush();

// ---- Fonts and text -------------------------------------------------------------------------
BOOL TextOut(HDC hdc, int x, int y, LPCSTR text, int n);
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rc, LPCSTR text, UINT n, const INT* dx);
int DrawText(HDC hdc, LPCSTR text, int n, LPRECT rc, UINT format);
int DrawTextEx(HDC hdc, LPSTR text, int n, LPRECT rc, UINT format, DRAWTEXTPARAMS* params);
BOOL GetTextExtentPoint32(HDC hdc, LPCSTR text, int n, LPSIZE sz);
BOOL GetTextExtentExPoint(HDC hdc, LPCSTR text, int n, int maxExtent, int* fit, int* dx, LPSIZE sz);
BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* tm);
BOOL GetCharWidth32(HDC hdc, UINT first, UINT last, int* widths);
int GetTextFace(HDC hdc, int n, LPSTR face);
int EnumFontFamilies(HDC hdc, LPCSTR family, FONTENUMPROC proc, LPARAM lParam);
int EnumFontFamiliesEx(HDC hdc, const LOGFONT* lf, FONTENUMPROC proc, LPARAM lParam, DWORD flags);
int SetTextCharacterExtra(HDC hdc, int extra);
