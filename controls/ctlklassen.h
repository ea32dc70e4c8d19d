// Window procedures of the control classes registered by ctlKlassenAnmelden,
// and the small services the class files share inside controls/. Nothing
// outside controls/ includes this file.
#pragma once

#include "platform/windef.h"

LRESULT CALLBACK ctlDispProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp);
// Drawing commands a display not shown holds until it is painted or asked
// (tests).
int ctlDispOffen(HWND fenster);
// Whether a display holds a back bitmap: a cleared one makes it at its
// first drawing (tests).
bool ctlDispBildDa(HWND fenster);
LRESULT CALLBACK ctlShowProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp);
LRESULT CALLBACK ctlGrbuProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp);
LRESULT CALLBACK ctlMkalProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp);
LRESULT CALLBACK ctlSldrProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp);

// Fills a rectangle (right and bottom excluded) with a solid colour.
void ctlFlaeche(HDC dc, int x1, int y1, int x2, int y2, COLORREF farbe);
// The hover rule of the display control and the graphic button: while the
// owner is active, hover = the window under the cursor (at the client point
// x, y of the mouse message) is this control;
// entering captures the mouse, leaving releases it unless `ziehen`. Returns
// true when hover changed; *gefangen follows the capture.
bool ctlSchwebenPruefen(HWND fenster, HWND besitzer, int x, int y, bool* schwebend, bool* gefangen, bool ziehen,
                        bool* gedrueckt);
