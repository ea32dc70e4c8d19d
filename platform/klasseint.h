// Registration of the window classes the platform layer brings itself
// (controls, dialogs, menus) and the steps their procedures share: shared
// by their files, implemented in fenster.cpp. Nothing outside platform/
// includes it.
#pragma once

#include <functional>

#include "platform/winconst.h"
#include "platform/windef.h"

// Registers a class of the layer's own (no instance; a system cursor) unless
// one of that name is registered already.
void plKlasseSichern(LPCSTR name, WNDPROC proc, UINT stil, int fensterExtra, LPCSTR cursor = IDC_ARROW);

// Measures `font` (the system font when 0) for control `h`: `messen` gets a
// DC of the control with the font selected and the font's metrics. Nothing
// happens when no DC can be had.
void plSchriftMessen(HWND h, HFONT font, const std::function<void(HDC, const TEXTMETRIC&)>& messen);

// Draws a control's whole client through `malen` between BeginPaint and
// EndPaint: the answer to WM_PAINT of a control that paints itself.
LRESULT plKlasseMalen(HWND h, void (*malen)(HWND, HDC));

// The rest of a simple control's procedure (button, static): its font kept
// in the window slot `schriftSlot`, a repaint when its text or enabled state
// changes, no separate erase (painting covers the client), painting through
// `malen`; any other message goes to DefWindowProc.
LRESULT plSchlichtProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, int schriftSlot, void (*malen)(HWND, HDC));
