// The classic 3D look of the standard controls, in one place: edges,
// frame controls (push button, check box, radio button, scroll arrows, size
// grip, caption close, menu marks), the focus rectangle, button faces and
// sunken fields. Every control of the layer draws its borders through here.
// DrawEdge and DrawFrameControl have the documented Windows values and
// meaning; the pl... helpers are the project's own shorthands. Prefix
// `plStil`. Calls only the GDI (gdi.h) and the system colours.
//
// Colours: raised edges have COLOR_3DLIGHT / COLOR_BTNHIGHLIGHT at top-left
// and COLOR_3DDKSHADOW / COLOR_BTNSHADOW at bottom-right; sunken edges the
// reverse. Every line is a one-pixel FillRect, so nothing depends on pen
// end-point rules or anti-aliasing.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef DFC_CAPTION
#define DFC_CAPTION 1
#define DFC_MENU 2
#define DFC_SCROLL 3
#define DFC_BUTTON 4
#define DFC_POPUPMENU 5

#define DFCS_CAPTIONCLOSE 0x0000
#define DFCS_CAPTIONMIN 0x0001
#define DFCS_CAPTIONMAX 0x0002
#define DFCS_CAPTIONRESTORE 0x0003
#define DFCS_CAPTIONHELP 0x0004

#define DFCS_MENUARROW 0x0000
#define DFCS_MENUCHECK 0x0001
#define DFCS_MENUBULLET 0x0002
#define DFCS_MENUARROWRIGHT 0x0004

#define DFCS_SCROLLUP 0x0000
#define DFCS_SCROLLDOWN 0x0001
#define DFCS_SCROLLLEFT 0x0002
#define DFCS_SCROLLRIGHT 0x0003
#define DFCS_SCROLLCOMBOBOX 0x0005
#define DFCS_SCROLLSIZEGRIP 0x0008
#define DFCS_SCROLLSIZEGRIPRIGHT 0x0010

#define DFCS_BUTTONCHECK 0x0000
#define DFCS_BUTTONRADIOIMAGE 0x0001
#define DFCS_BUTTONRADIOMASK 0x0002
#define DFCS_BUTTONRADIO 0x0004
#define DFCS_BUTTON3STATE 0x0008
#define DFCS_BUTTONPUSH 0x0010

#define DFCS_INACTIVE 0x0100
#define DFCS_PUSHED 0x0200
#define DFCS_CHECKED 0x0400
#define DFCS_TRANSPARENT 0x0800
#define DFCS_HOT 0x1000
#define DFCS_ADJUSTRECT 0x2000
#define DFCS_FLAT 0x4000
#define DFCS_MONO 0x8000
#endif

// Draws the edges `edge` (BDR_... / EDGE_...) on the sides `flags` (BF_...)
// of `rc`; BF_ADJUST shrinks `rc` to the inside, BF_MIDDLE fills the inside
// with the button face, BF_FLAT and BF_MONO draw one-colour borders.
BOOL DrawEdge(HDC hdc, LPRECT rc, UINT edge, UINT flags);
// Draws a frame control of `type` (DFC_...) in `state` (DFCS_...) into rc.
// Check and radio boxes are drawn 13 x 13 pixels, centred in rc.
BOOL DrawFrameControl(HDC hdc, LPRECT rc, UINT type, UINT state);

// ---- Shorthands of the layer ---------------------------------------------------
// The focus rectangle (dotted, XOR) inside `rc` shrunk by `einzug` pixels.
void plStilFokus(HDC hdc, const RECT* rc, int einzug);
// A push-button face over the whole of `rc`: raised (or pushed), with the
// black outer frame of the default button when `standard`; fills the face.
// `innen` (may be nullptr) receives the area for the caption.
void plStilKnopf(HDC hdc, const RECT* rc, bool gedrueckt, bool standard, RECT* innen);
// A sunken field (the client edge of edit and list boxes) around `rc`,
// filled with `fuellung` (0: no fill); `innen` (may be nullptr) receives the
// inside.
void plStilFeld(HDC hdc, const RECT* rc, HBRUSH fuellung, RECT* innen);
// The etched frame of a group box along `rc`.
void plStilRille(HDC hdc, const RECT* rc);
// Text as DrawText does it, but embossed (highlight under shadow) when
// `frei` is false, as disabled controls show it. Returns the text height.
int plStilText(HDC hdc, const char* text, int n, RECT* rc, UINT format, bool frei);
// A filled triangle arrow centred in `rc`: richtung 0 up, 1 down, 2 left,
// 3 right; `farbe` COLORREF.
void plStilPfeil(HDC hdc, const RECT* rc, int richtung, COLORREF farbe);
// Fills `rc` with a system colour (COLOR_...).
void plStilFlaeche(HDC hdc, const RECT* rc, int sysFarbe);

// ---- Rectangle helpers of the window system (documented semantics) ------------
// Shared by every control; here because the look module is what all of them
// include.
BOOL SetRect(LPRECT rc, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rc);
BOOL CopyRect(LPRECT dst, const RECT* src);
BOOL IsRectEmpty(const RECT* rc);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL OffsetRect(LPRECT rc, int dx, int dy);
BOOL InflateRect(LPRECT rc, int dx, int dy);
BOOL PtInRect(const RECT* rc, POINT pt);
BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b);
BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b);
BOOL SubtractRect(LPRECT dst, const RECT* a, const RECT* b);
// (a * b) / c rounded half away from zero in 64 bits; -1 when c is 0.
int MulDiv(int a, int b, int c);
