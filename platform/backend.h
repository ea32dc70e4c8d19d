// The seam between the window manager and the outside world: one table of
// function pointers per backend (`headless` here, `gtk` registered by the
// desktop backend), chosen once at start. Prefix `plBackend` / `plBe`.
// The rest of the layer calls the backend only through the plBe... wrappers
// of backend.cpp. Backend files are the only ones that include toolkit
// headers. May call: nothing of the layer but eingabe.h (to queue input).
//
// Selection (plBackendWaehlen): VELMO_BACKEND names the backend; unset or
// empty means `gtk` when a display is there (DISPLAY or WAYLAND_DISPLAY set
// and openable) and a `gtk` backend is registered, else `headless` - unless
// a user waits for windows (plBackendAnzeigeVerlangen), when no usable
// display is an error: an invisible run would never end. An unknown name is
// an error (message on stderr, -1), never a silent fallback.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/windef.h"

// A file dialog request (filled by the dialog layer, answered by a backend).
struct plDateiDialogAuftrag {
    int art;                 // 0 open, 1 save, 2 choose a folder
    HWND besitzer;
    const char* titel;       // code page 1252, may be nullptr
    const char* filter;      // "description|pattern|..." (may be nullptr)
    int filterIndex;         // 1-based
    const char* ordner;      // initial folder, may be nullptr
    const char* name;        // initial file name, may be nullptr
    const char* endung;      // default extension, may be nullptr
    bool mehrere;            // several files may be chosen
};

// A print dialog request and its answer.
struct plDruckDialogAuftrag {
    HWND besitzer;
    int kopien;
    bool sortiert;
    int ausrichtung;         // 1 portrait, 2 landscape (DMORIENT_ values)
    int papier;              // DMPAPER_ value
    int duplex;              // DMDUP_ value
};

struct plBackend {
    const char* name;
    // Start and end; start returns 0 or -1 (with a message on stderr).
    int (*start)();
    void (*ende)();
    // Screen size in pixels and dots per inch.
    void (*bildschirm)(int* breite, int* hoehe, int* dpi);

    // Top-level windows of the layer. `rc` in screen pixels (whole window).
    int (*fensterAnlegen)(HWND hwnd, const RECT* rc, DWORD stil, DWORD exStil, HWND besitzer);
    void (*fensterZerstoeren)(HWND hwnd);
    void (*fensterZeigen)(HWND hwnd, int zeigen);
    void (*fensterPlatz)(HWND hwnd, const RECT* rc);
    void (*fensterTitel)(HWND hwnd, const char* text1252);
    void (*fensterAktivieren)(HWND hwnd);
    // The layer drew into `flaeche` (the window's backing surface, whole
    // window) inside `bereich` (window coordinates): show it.
    void (*praesentieren)(HWND hwnd, cairo_surface_t* flaeche, const RECT* bereich);

    void (*cursorSetzen)(HCURSOR cursor);
    void (*mausPosSetzen)(int x, int y);

    // Waits for input until the program clock reads `bisMs` (plUhrJetztMs;
    // -1: no limit) and queues what arrives with plEingabeEreignisEinreihen.
    // `nurIntern` 1: the deadline is only the layer's own timer (caret
    // blink), which a backend without a user may ignore. 1 when something
    // arrived or the time came, 0 when nothing ever can.
    int (*warten)(int64_t bisMs, int nurIntern);
    // Wakes a waiting `warten` (another thread queued something).
    void (*wecken)();

    // Clipboard towards other programs. `schreiben` offers the data of one
    // format (name as registered, "CF_TEXT" for text in code page 1252);
    // default: returns 0 (nothing leaves the process, the layer keeps its
    // own clipboard). `lesen` fills `aus` and returns 1 when another program
    // holds data of that format; default 0.
    int (*zwischenablageSchreiben)(const char* format, const void* daten, size_t n);
    int (*zwischenablageLesen)(const char* format, std::vector<uint8_t>* aus);

    // File dialog: 1 and the chosen path(s) in `ergebnis` (several: folder
    // then names, each ended by '\0', then one more '\0'), 0 when cancelled.
    // Default: 0 (cancelled); the headless dialog layer answers from its
    // scripted queue before it asks the backend.
    int (*dateiDialog)(const plDateiDialogAuftrag* auftrag, std::string* ergebnis);
    // Print dialog: 1 and a surface to print into (cairo PDF/PS surface of
    // the chosen printer, owned by the caller), 0 when cancelled. Default: 0.
    int (*druckDialog)(plDruckDialogAuftrag* auftrag, cairo_surface_t** flaeche);

    // A top-level window that the desktop's window manager frames itself
    // (its own caption, borders, buttons): 1 and the frame's widths (left,
    // top, right, bottom) in `ausmass`; 0 when the layer draws the frame.
    // `hwnd` 0 asks for a window of that style not made yet (an estimate).
    // nullptr: never (the headless backend).
    int (*rahmen)(HWND hwnd, DWORD stil, DWORD exStil, RECT* ausmass);

    // How the desktop renders UI text: anti-aliasing, hint style and
    // sub-pixel order into `o`. Default (null): grey-scale anti-aliasing
    // with slight hinting.
    void (*schriftOptionen)(cairo_font_options_t* o);
};

// 1: the program was started for a user (before plBackendWaehlen; default
// 0). Without VELMO_BACKEND the choice then ends with a message on stderr
// and -1 where it would fall back to `headless`.
void plBackendAnzeigeVerlangen(int ja);
// Registers a backend under its name (before plBackendWaehlen). 0 or -1.
int plBackendRegistrieren(const plBackend* be);
// Chooses the backend once (see above) and starts it. 0 or -1; later calls
// return the first result.
int plBackendWaehlen();
// The backend in force (chooses it on first use; the headless backend when
// the choice failed, so that nothing dereferences null).
const plBackend* plBackendAktiv();
// Name of the backend in force.
const char* plBackendName();
// Ends the backend (end of program).
void plBackendEnde();

// ---- Wrappers: the only way the layer calls the backend ------------------------------------
void plBeBildschirm(int* breite, int* hoehe, int* dpi);
int plBeFensterAnlegen(HWND hwnd, const RECT* rc, DWORD stil, DWORD exStil, HWND besitzer);
void plBeFensterZerstoeren(HWND hwnd);
void plBeFensterZeigen(HWND hwnd, int zeigen);
void plBeFensterPlatz(HWND hwnd, const RECT* rc);
void plBeFensterTitel(HWND hwnd, const char* text);
void plBeFensterAktivieren(HWND hwnd);
void plBePraesentieren(HWND hwnd, cairo_surface_t* flaeche, const RECT* bereich);
void plBeCursorSetzen(HCURSOR cursor);
void plBeMausPosSetzen(int x, int y);
int plBeWarten(int64_t bisMs, int nurIntern);
void plBeWecken();
int plBeZwischenablageSchreiben(const char* format, const void* daten, size_t n);
int plBeZwischenablageLesen(const char* format, std::vector<uint8_t>* aus);
int plBeDateiDialog(const plDateiDialogAuftrag* auftrag, std::string* ergebnis);
int plBeDruckDialog(plDruckDialogAuftrag* auftrag, cairo_surface_t** flaeche);
int plBeRahmen(HWND hwnd, DWORD stil, DWORD exStil, RECT* ausmass);
void plBeSchriftOptionen(cairo_font_options_t* o);

// ---- Calls for backends: what the desktop did ------------------------------------------------
// Input goes through plEingabeEreignisEinreihen (eingabe.h). Besides:
// The desktop activated one of the program's top-level windows; 0: another
// program became active (the active window is deactivated, WM_ACTIVATEAPP
// FALSE). A window that cannot be activated (disabled) is left alone.
void plBackendAktiviert(HWND hwnd);
// The user asked the desktop to close a window: WM_SYSCOMMAND SC_CLOSE.
void plBackendSchliessen(HWND hwnd);
// The desktop moved or resized a top-level window to `rc` (screen, whole
// window with the desktop's frame); the layer asks the window for its
// limits (WM_GETMINMAXINFO) and calls fensterPlatz back with the rectangle
// it took.
void plBackendVerschoben(HWND hwnd, const RECT* rc);
// The desktop's frame of a top-level window got other widths (`ausmass`:
// left, top, right, bottom), and the window is at `rc` (whole window) now;
// `rc` nullptr: the window rectangle stays as the layer has it (the
// desktop's state may be ahead of the layer's, a maximise or restore on
// its way as a system command) and only the client part changes.
void plBackendRahmen(HWND hwnd, const RECT* ausmass, const RECT* rc);
