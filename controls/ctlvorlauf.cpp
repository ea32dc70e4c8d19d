// Temporary window procedure of the display field until its file lands.
#include "controls/ctlklassen.h"
#include "platform/fenster.h"
LRESULT CALLBACK ctlShowProc(HWND f, UINT n, WPARAM w, LPARAM l) { return DefWindowProc(f, n, w, l); }
