// ORVAGUCK, the window class of the drawing view (control 5000 of the
// editor's and the viewer's pages): paints its background, lets the drawing
// view paint the sheet into it, draws an optional frame and shows a 21 x 21
// cross cursor, the caret made from the bitmap "CARET" while the window has
// the focus, else that bitmap XORed onto the window over saved pixels, with
// optional full-window cross-hair lines. Every input message goes on to the
// parent dialog. Prefix `Guck`; file-static helpers `guck`. Calls
// platform/ (window manager, GDI, caret), controls/ (the flat look),
// output/gdi (the view's background brush, the font metrics) and
// output/ansicht (the paint and the mouse-move tracking of the view).
//
// State: the "CARET" bitmap and the paint-suppressed flag, shared; one record
// per window in a table of this module, whose 32-bit id (never a pointer)
// the window keeps in its 4 extra bytes. Invariants:
//  1. The inverted bitmap is on the window exactly while `bitmapGezeigt`;
//     then the 21 x 21 pixels under it are held in the save bitmap.
//  2. The caret exists only while the window has the focus.
//  3. Cross-hair lines are inverted pixels; drawing them twice removes them.
//  4. Cursor drawing uses an unclipped window DC, so a paint of part of the
//     window never leaves half a cursor or a half-saved copy behind.
#pragma once

#include "platform/windef.h"

inline constexpr const char* GUCKKLASSE = "ORVAGUCK";
inline constexpr int GUCKKREUZ = 21;   // cursor side in pixels
inline constexpr int GUCKSATZSUP = 64; // view windows alive at once

// The class and the "CARET" bitmap; 0, or -1 when the class could not be
// registered. A second call does nothing.
int GuckRegistrieren();
void GuckAbmelden();
// Font metrics of the drawing layer, measured once at start.
void GuckMetrikStart();
// The background brush of the drawing layer.
void GuckHintergrundFrei();

// While set, paint messages only validate the window (printing).
void GuckMalenSperren(int flag);

// Per window. RGB 0 = the system colour.
void GuckFarbe(HWND fenster, COLORREF farbe);
// Stores the cursor centre; callers hide before and show after.
void GuckPosition(HWND fenster, int x, int y);
void GuckZeigen(HWND fenster, int an);
// On: the bitmap cursor in place of the caret (a popup menu takes the
// focus); off: the caret again.
void GuckMenueModus(HWND fenster, int an);
void GuckFadenkreuzModus(HWND fenster, int an);
void GuckFadenkreuzZeigen(HWND fenster, int an);

// State of a view window for tests: cursor centre, focus, caret shown,
// bitmap shown, cross-hair shown. False for a window of another class.
struct GuckStand {
    int x, y;
    int fokus, caretGezeigt, bitmapGezeigt, kreuzGezeigt;
};
bool GuckStandHolen(HWND fenster, GuckStand* aus);
