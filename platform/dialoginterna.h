// Internals of the dialog files (dialog.cpp, dialogitem.cpp,
// dialogtasten.cpp) and of the layer's own controls and message boxes.
// Prefix `plDialog`. Nothing outside these files includes it.
#pragma once

#include <vector>

#include "platform/dialog.h"

// The state of one dialog, from WM_NCCREATE to WM_NCDESTROY.
struct DlgZustand {
    DLGPROC proc = nullptr;      // when the class lacks DLGWINDOWEXTRA bytes
    HFONT schrift = 0;           // WM_SETFONT / the template's font
    bool schriftEigen = false;   // made from the template, deleted with the dialog
    std::vector<HFONT> schriftAlt;
    int standardId = 0;          // DM_SETDEFID; 0: none (Enter gives IDOK)
    HWND fokus = 0;              // focus saved on deactivation
    bool modal = false;
    bool beendet = false;        // EndDialog called
    INT_PTR ergebnis = 0;
};

DlgZustand* plDialogZustand(HWND dlg);
// ASCII case-insensitive comparison.
bool plDialogTextGleich(const char* a, const char* b);
// Focus to a control the dialog way: text of an edit selected, the default
// push button follows the focus.
void plDialogFokus(HWND dlg, HWND ctl);
// Remembers the control that gets the focus once the dialog is activated.
void plDialogFokusMerken(HWND dlg, HWND ctl);
// A push button with the focus looks like the default; else the DM_SETDEFID one.
void plDialogStandardAnpassen(HWND dlg, HWND fokus);
// WM_COMMAND (id, BN_CLICKED) as a button would send it; a disabled control
// beeps instead.
void plDialogKlick(HWND dlg, int id);
// What Enter does: the push button with the focus, else the default id,
// else IDOK.
void plDialogEingabe(HWND dlg);
// The private message sent to a modal dialog whose headless loop is idle;
// a dialog that answers non-zero has acted itself.
UINT plDialogLeerlaufNachricht();
// Registers the layer's own control classes (button, static, status bar,
// tooltips) when missing.
void plDialogEigeneKlassen();
