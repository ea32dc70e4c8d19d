// Pictures of the editor dialogs: the component preview (a component of a
// library drawn by the editor's renderer into a square bitmap, with the
// current position and the insertion point marked) and the samples of
// line styles and pens. Prefix none (the system's names), `Vsc` for the
// module's own. Calls the editor's renderer and graphic state, the GDI
// layer and mapping of output/, winlib (dialog items, pictures), config
// (list fonts) and model (pen table, names).
//
// The samples are built once on first use and belong to this module (the
// caller never deletes them); VscFrei frees them at the end.
#pragma once

#include "platform/windef.h"

// The component `name` of library `bib` (nullptr or "": the current `BD`)
// drawn into a seite x seite bitmap (at least 20), background `grund`, every
// pen in `farbe` when given; red square: the state's position, green: the
// component's insertion point. The caller owns the bitmap; 0 on failure.
HBITMAP BtlBitmap(const char* name, int seite, const COLORREF* farbe, COLORREF grund, const char* bib);

// Hands the control an empty picture in the window colour.
void VorschauLeeren(int id);
// Draws the component into control `id` of the current dialog (as wide as
// the control minus 4 pixels), with the editor's first two display
// switches set to opt1/opt2 for the drawing.
void BtlVorschauZeichnen(const char* name, const char* bib, int id, int opt1, int opt2);
// The same for a window sized from its client area (wiBitmapSenden).
void BtlVorschauFenster(const char* name, const char* bib, HWND fenster, int opt1, int opt2);

// Samples: line style n (clamped 1..7) as bitmap and as a number-and-bitmap
// sample; pen n (clamped 1..99) as a line and as a list sample.
HBITMAP LinienartBitmap(int n);
HBITMAP LinienartMuster(int n);
HBITMAP StiftBitmap(int n);
HBITMAP StiftListeBitmap(int n);
void VscFrei();
