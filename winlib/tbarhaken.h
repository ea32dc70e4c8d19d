// Upward calls of the window library to the toolbar image module and the
// drawing store, as one hook table with stand-ins. Prefix `Tbar` (the names
// the callers use) and `wiTbarHaken`. The stand-ins do what the callers
// expect of the image module: sizes by the workstation bitmap style, '.'
// names as program bitmaps through wiFensterBitmapLaden, other names from a
// loaded toolbar image module (none: nothing), no module handle, and no
// marked objects. The image module and the drawing store register over them
// at start-up. May call: winlib/wibild.h, config/apstil.h.
#pragma once

#include "platform/windef.h"

// The four toolbar sizes in dialog units.
struct TbarGroessen {
    int leisteX;
    int leisteY;
    int knopfB;
    int knopfH;
};

struct WiTbarHaken {
    void (*groesseSetzen)();                        // TbarGroesseSetzen
    void (*bildSetzen)(HWND knopf, const char* name);  // TbarBildSetzen
    void (*knopfBild)(int index);                   // TbarKnopfBild
    int (*knopfHoehe)();                            // TbarKnopfHoehe
    HMODULE (*bildModul)();                         // TbarBildModul
    int (*markAnzahl)();                            // marked objects of the drawing store
};

// Installs the members that are not NULL; NULL members get the stand-in.
void wiTbarHakenSetzen(const WiTbarHaken& haken);
void wiTbarHakenZuruecksetzen();

void TbarGroesseSetzen();
void TbarBildSetzen(HWND knopf, const char* name);
void TbarKnopfBild(int index);
int TbarKnopfHoehe();
HMODULE TbarBildModul();
int wiTbarMarkAnzahl();

// The sizes the stand-in of TbarGroesseSetzen set (and any module may set):
// bitmap style 2 or 5: 16, 16, 14, 14; 3 or 6: 14, 14, 12, 12; else 18, 18,
// 16, 16. Before the first setting the button height is 12.
TbarGroessen& TbarGroesse();
// The stand-in's image module (0: none), set by whoever loads one.
void TbarBildModulSetzen(HMODULE modul);
// The workstation bitmap style the stand-in of TbarGroesseSetzen reads.
void TbarBildStilSetzen(int stil);
