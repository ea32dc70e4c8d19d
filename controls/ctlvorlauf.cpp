// Temporary window procedures until the classes land.
#include "controls/ctlklassen.h"
#include "platform/fenster.h"
LRESULT CALLBACK ctlShowProc(HWND f, UINT n, WPARAM w, LPARAM l) { return DefWindowProc(f, n, w, l); }
LRESULT CALLBACK ctlMkalProc(HWND f, UINT n, WPARAM w, LPARAM l) { return DefWindowProc(f, n, w, l); }
LRESULT CALLBACK ctlSldrProc(HWND f, UINT n, WPARAM w, LPARAM l) { return DefWindowProc(f, n, w, l); }
