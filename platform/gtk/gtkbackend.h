// The desktop backend on GTK 3 (X11 and Wayland through GDK), registered
// under the name "gtk" at start-up of the program; see backend.h for the
// seam it fills. Prefix `plGtk`. Files of platform/gtk/ are the only ones
// that include GTK headers; this header does not, so tests and the program
// can use it. May call: backend.h, eingabe.h, fenster.h, nachricht.h,
// zwischenablage.h, ablegen.h, dateidialog.h, drucker.h, cp1252.h, orte.h,
// globalmem.h, uhr.h.
//
// What it does: one GDK toplevel per top-level window of the layer (popups
// as override-redirect windows), the layer drawing its own frame into the
// window surface; keys with input methods, mouse and wheel as input events;
// presentation through the frame clock; the CLIPBOARD selection; dropped
// files; the native file chooser and the GTK print dialog.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/windef.h"

// The function table (registered under "gtk").
const plBackend* plGtkBackend();

// ---- Translations, pure (tested without a display) ----------------------------------------------
// The virtual key of a GDK key value; vk 0 when the layer has none for it.
struct plGtkTaste {
    UINT vk;
    bool erweitert;  // the extended-key bit of the keyboard message
};
plGtkTaste plGtkTasteVon(unsigned keyval);
// Smooth scrolling summed to whole notches: adds `dy` (GDK's units, one
// notch = 1.0, positive = towards the user) to `rest` and returns the wheel
// delta to send (a multiple of 120, positive = away from the user), keeping
// what is left in `rest`.
int plGtkRadSumme(double* rest, double dy);
// A filter "description|pattern;pattern|..." as pairs of name and patterns.
struct plGtkFilter {
    std::string name;  // UTF-8
    std::vector<std::string> muster;
};
std::vector<plGtkFilter> plGtkFilterZerlegen(const char* filter1252);
// The name the chooser lists: the name, and its patterns in parentheses
// unless the name holds them already ("DXF-Dateien (*.dxf)").
std::string plGtkFilterName(const plGtkFilter& f);
// text/uri-list to paths in code page 1252 (local files only; other URIs
// and comment lines are skipped) and back.
std::vector<std::string> plGtkUriListeLesen(const std::string& text);
std::string plGtkUriListeSchreiben(const std::vector<std::string>& pfade1252);
// The MIME target of a clipboard format name as the layer passes it
// ("CF_TEXT", "CF_HDROP", "CF_BITMAP" or a registered name).
std::string plGtkClipZiel(const char* format);
// The bytes offered outside for a block of the layer's clipboard format
// (CF_TEXT: UTF-8 with "\n" line ends, up to the first NUL; CF_HDROP: the
// DROPFILES block's names as text/uri-list; others as they are).
std::vector<uint8_t> plGtkClipNachAussen(const char* format, const void* daten, size_t n);
// The layer's block of another program's answer for that format (CF_TEXT:
// UTF-8 up to the first NUL to code page 1252 with "\r\n", NUL-ended;
// CF_HDROP: a uri-list to a DROPFILES block of its local files); false
// when the answer gives nothing for it.
bool plGtkClipVonAussen(const char* format, const void* daten, size_t n, std::vector<uint8_t>* aus);

// ---- For the desktop tests -------------------------------------------------------------------------
// The X window id of a top-level window (0 when none or not on X11).
unsigned long plGtkXFenster(HWND hwnd);
// Whether the GDK window of `hwnd` is on screen and has the keyboard.
bool plGtkSichtbar(HWND hwnd);
bool plGtkHatFokus(HWND hwnd);
// The drop handler of the GDK drop path: `uris` dropped at window point
// (x, y) of top-level window `oben`. The window that took the files, or 0.
HWND plGtkAblegen(HWND oben, int x, int y, const std::vector<std::string>& uris);
// A small window at screen (x, y), 40 x 40 pixels, from which the mouse can
// drag `uris` as text/uri-list (a file manager's part in a drop), and its end.
void plGtkZiehQuelle(int x, int y, const std::vector<std::string>& uris);
void plGtkZiehQuelleWeg();
// The next print dialog is answered without asking, as GTK's export action:
// the print-to-file printer writing PDF to `pfad1252`.
void plGtkDruckExport(const char* pfad1252);
