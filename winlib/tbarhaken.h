// Upward calls of the window library to the toolbar image module (output/
// tbar) and the drawing store, as one hook table, and the button sizes that
// module sets and the builders read. Prefix `Tbar` (the names the callers
// use) and `wiTbarHaken`. Until the image module registers, the table
// answers as with no module: sizes as before set-up, no faces, no module
// handle (unless set for tests of the layers below), and the store's mark
// count. May call config/apstil.h and the drawing store of model/.
#pragma once

#include "platform/windef.h"

// The four toolbar sizes in dialog units: large button height and width,
// small button width and height.
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

// Installs the members that are not NULL; NULL members keep the answer of
// no module.
void wiTbarHakenSetzen(const WiTbarHaken& haken);
// Back to no module: hooks, sizes and the test handle.
void wiTbarHakenZuruecksetzen();

void TbarGroesseSetzen();
void TbarBildSetzen(HWND knopf, const char* name);
void TbarKnopfBild(int index);
int TbarKnopfHoehe();
HMODULE TbarBildModul();
int wiTbarMarkAnzahl();

// The sizes in force; 12, 12, 10, 10 before the image module sets them.
TbarGroessen& TbarGroesse();
// The handle TbarBildModul answers while no image module is registered
// (tests of the lists, which live below it).
void TbarBildModulSetzen(HMODULE modul);
