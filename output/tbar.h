// The toolbar image module: one of six image libraries "Toolbar1.dll" ..
// "Toolbar6.dll" (resource modules resources/toolbar1/ .. toolbar6/) chosen
// by the workstation bitmap style "AP-ZvBmpStil", the button sizes of that
// style, and the button faces by name. Fills every member of the window
// library's toolbar hooks (winlib/tbarhaken.h), through which the builders,
// the dialogs and the lists call TbarGroesseSetzen, TbarBildSetzen,
// TbarKnopfBild, TbarKnopfHoehe and TbarBildModul. Prefix `Tbar` (file
// helpers `tb`). Calls winlib (libraries, bitmaps, the shared toolbar
// table), config (defaults store, workstation styles) and the drawing
// store's mark count.
//
// Sizes live in winlib's TbarGroesse(): leisteX, leisteY the large button
// height and width, knopfB, knopfH the small width and height, dialog units.
#pragma once

#include "platform/windef.h"
#include "winlib/tbarhaken.h"

// Once until TbarEnde: loads the library of the current style, sets the
// sizes, marks it loaded and remembers the style.
void TbarInit();
// When loaded: clears the mark and frees the library.
void TbarEnde();
// While loaded: reloads when the style differs from the one remembered at the last
// set-up, so that a changed style takes effect.
void TbarNeu();
// The sizes of the remembered style: 2 or 5 16, 16, 14, 14; 3 or 6 14, 14,
// 12, 12; any other 18, 18, 16, 16 (large height and width, small width and
// height). What TbarGroesseSetzen calls. The name is also winlib's size
// record: a file including this header names that type `struct TbarGroessen`.
void TbarGroessen();
int TbarKnopfBreite();
int TbarKnopfHoeheKlein();
int TbarKnopfBreiteKlein();
// The library's file name for a style: 1..6 their own, any other the first.
const char* TbarBibName(int stil);
// The workstation bitmap style as the defaults store holds it now.
int TbarStilLesen();

// The frame's start, settings change and end: the library set up, the
// shared toolbar table emptied and enabled; and disabled, library freed.
void ToolbarBibLaden();
void ToolbarBibFrei();

// Installs the toolbar hooks of the window library.
void TbarHakenEintragen();
