// Internals of the GTK backend shared by the files of platform/gtk/ only
// (gtkbackend.cpp, gtkfenster.cpp, gtkeingabe.cpp, gtkablage.cpp,
// gtkdialog.cpp). Prefix `gk`. The only header besides the .cpp files of
// this folder that includes GTK.
//
// Invariants:
//  1. One gkFenster per top-level window of the layer while it lives; its
//     GtkWindow is made in fensterAnlegen and destroyed in fensterZerstoeren.
//  2. Signal handlers never send messages to the layer: input goes to the
//     input queue (plEingabeEreignisEinreihen); everything else that would
//     run window procedures (activation, moves, close, clipboard loss) is
//     queued with gkSpaeter and run by warten after GTK's iteration, so no
//     window procedure runs inside a GTK callback.
//  3. A window the window manager frames has `rc` = its frame's outer
//     rectangle (the layer's window rectangle); the GtkWindow (and the
//     part of the layer's surface shown) is `rc` less `aus`.
//  4. `bild` holds a reference on the last surface the layer presented, so
//     a draw after the layer replaced its surface never reads freed memory.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/windef.h"

struct gkFenster {
    HWND h = 0;
    GtkWidget* fenster = nullptr;  // GtkWindow
    GtkWidget* flaeche = nullptr;  // GtkDrawingArea filling it
    GtkIMContext* im = nullptr;
    cairo_surface_t* bild = nullptr;
    RECT rc{0, 0, 0, 0};           // where the layer has the window (screen)
    RECT angefordert{0, 0, 0, 0};  // what we last asked GDK for
    bool offen = false;            // asked for, not yet seen in a configure event
    RECT ausAngefordert{0, 0, 0, 0};  // the frame widths that request counted
    int64_t anfZeit = 0;           // when (program clock)
    HICON icon = 0;                // the icon the desktop has
    bool popup = false;
    bool gezeigt = false;
    bool abgebildet = false;       // mapped (under a manager: in its frame)
    bool ikonisch = false;         // GDK reports it iconified
    bool maximiert = false;        // GDK reports it maximised (or we asked)
    bool schichtGross = false;     // the layer's maximised state we last saw
    bool schichtIkon = false;      // the layer's minimised state we last saw
    // Framed by the window manager: `aus` are the frame's widths (left,
    // top, right, bottom); `rc` includes them, the GtkWindow is `rc` less
    // `aus`. Without a window manager all 0 and the layer draws the frame.
    bool wmRahmen = false;
    RECT aus{0, 0, 0, 0};
    RECT maxRc{0, 0, 0, 0};        // where the desktop has it while maximised
    bool maxRcDa = false;
    DWORD stil = 0;
    HWND besitzer = 0;
    bool boxArt = false;           // an ownerless modal box: transient for the active window
    uint64_t gezeigtNr = 0;        // order of showing (the latest is the highest)
    // Shown by the layer, not yet mapped: the map waits for the layer's
    // first picture of the window (or the program's next wait), so that the
    // desktop never shows it empty. `aktivOffen`: activation asked meanwhile.
    bool zeigenOffen = false;
    bool aktivOffen = false;
    bool hintergrund = false;      // the first picture is the X window's background until GTK draws
    double radRest = 0;            // smooth scrolling not yet a notch
};

// Window table.
gkFenster* gkFensterVon(HWND h);
gkFenster* gkFensterVonWidget(GtkWidget* w);
std::vector<gkFenster*> gkFensterAlle();
// The GtkWindow of the top-level window of `h` (nullptr when none).
GtkWindow* gkGtkFensterVon(HWND h);

// Counts the waits and iterations: two calls with no wait between see
// the same number.
uint64_t gkIterationen();
// Something arrived for the layer: warten returns.
void gkGeschehen();
// Runs `f` after the current GTK iteration, outside any GTK callback.
void gkSpaeter(std::function<void()> f);
// Maps the windows whose map waits for their first picture (before GTK
// iterates: what is mapped then shows what the layer has).
void gkOffeneZeigen();
// Pumps GTK until `fertig` or `maxMs` passed (nested loop for clipboard
// reads and the like). True when fertig.
bool gkPumpenBis(const std::function<bool()>& fertig, int maxMs);

// Per-file parts of the table.
int gkFensterAnlegen(HWND hwnd, const RECT* rc, DWORD stil, DWORD exStil, HWND besitzer);
void gkFensterZerstoeren(HWND hwnd);
void gkFensterZeigen(HWND hwnd, int zeigen);
void gkFensterPlatz(HWND hwnd, const RECT* rc);
void gkFensterTitel(HWND hwnd, const char* text);
void gkFensterAktivieren(HWND hwnd);
void gkPraesentieren(HWND hwnd, cairo_surface_t* flaeche, const RECT* bereich);
void gkCursorSetzen(HCURSOR cursor);
void gkMausPosSetzen(int x, int y);
void gkFensterEnde();
int gkRahmen(HWND hwnd, DWORD stil, DWORD exStil, RECT* ausmass);

void gkEingabeVerbinden(gkFenster* f);
void gkEingabeFensterWeg(gkFenster* f);

void gkAblageVerbinden(gkFenster* f);
int gkClipSchreiben(const char* format, const void* daten, size_t n);
int gkClipLesen(const char* format, std::vector<uint8_t>* aus);
void gkClipEnde();

int gkDateiDialog(const plDateiDialogAuftrag* auftrag, std::string* ergebnis);
int gkDruckDialog(plDruckDialogAuftrag* auftrag, cairo_surface_t** flaeche);
void gkDruckStart();
void gkDruckEnde();
