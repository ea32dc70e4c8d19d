// The STATIC control class of the layer: left, centred and right text
// (word-wrapped, or one line for SS_LEFTNOWORDWRAP / SS_SIMPLE, ellipses,
// SS_NOPREFIX), bitmaps and icons (STM_SETIMAGE, STM_SETICON; SS_CENTERIMAGE),
// black/grey/white rectangles and frames, etched lines and frames, SS_SUNKEN,
// owner-drawn statics, and SS_NOTIFY (STN_CLICKED, STN_DBLCLK; without it
// the control is transparent to the mouse). Prefix `plStatik`. May call:
// fenster.h, nachricht.h, gdi.h, stil3d.h, dialog.h.
#pragma once

#include "platform/windef.h"

#define WC_STATIC "Static"

// Draws an icon handle into a DC; the layer's icon module installs it. The
// default draws nothing. Used by static controls with SS_ICON.
typedef void (*plStatikIconMalenFn)(HDC hdc, int x, int y, int breite, int hoehe, HICON icon);
void plStatikIconHaken(plStatikIconMalenFn malen);

void plStatikKlasseRegistrieren();
