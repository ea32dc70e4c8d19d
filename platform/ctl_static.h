// The STATIC control class of the layer: left, centred and right text
// (word-wrapped, or one line for SS_LEFTNOWORDWRAP / SS_SIMPLE, ellipses,
// SS_NOPREFIX), bitmaps and icons (STM_SETIMAGE, STM_SETICON; SS_CENTERIMAGE),
// the text of an SS_ICON / SS_BITMAP control from a template names the
// resource loaded at creation from the creating module,
// black/grey/white rectangles and frames, etched lines and frames, SS_SUNKEN,
// owner-drawn statics, and SS_NOTIFY (STN_CLICKED, STN_DBLCLK; without it
// the control is transparent to the mouse). Prefix `plStatik`. May call:
// fenster.h, nachricht.h, gdi.h, bildlader.h, stil3d.h, dialog.h.
#pragma once

#include "platform/windef.h"

#define WC_STATIC "Static"

void plStatikKlasseRegistrieren();
