// The viewer page: one drawing file shown read-only in the modeless child
// dialog "SHOWZEICH" with its toolbar (section "Show" of "Toolbar.txt"),
// the drawing view's zoom and scrolling, printing, stepping through the
// drawings of its folder and following cross references: an "@Y" text whose
// component is placed elsewhere gets an orange mark that opens the drawing
// holding it. Prefix `Show`; file-static helpers `shw`. Calls output/ (the
// view, the renderer core, the GDI layer, the cross cursor), equipment/
// (components and items), model/ (drawing walks, current drawing,
// neighbours, settings), config/, winlib/ (dialog manager, toolbar, page
// services, file choice, messages) and, through ShowDienste, the project
// manager, the layer dialog and printing above or beside it.
//
// State (GUI thread, one viewer): the dialog window (0 while closed), the
// remembered path (asked for by the last ShowZeiAnzeigen, absolute, '/'),
// the current path (shown; empty = none), the link list (rebuilt at every
// paint), the kept "@Y" text record, the printing flag, the key option
// "Ed45Taste" and a drag state. Invariants:
//  1. While the printing flag is set, no message reaches the view and the
//     view window does not paint.
//  2. Every link in the list has a placed target; its mark is drawn at
//     (corner 2 x - 1.0, corner 2 y) of its text box.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/windef.h"

inline constexpr int SHOWPFADSUP = 260;      // characters of a path
inline constexpr int SHOWSCHLUESSELSUP = 40; // characters of a drawing key
inline constexpr int SHOWMODUS = 1534;       // the frame's mode while the viewer is active
inline constexpr double SHOWLINKNAH = 2.0;   // a click strictly within this of a mark follows it
inline constexpr int SHOWMARKE = 5;          // side of a link mark, pixels

// One link: the item, the key of the drawing holding its target, and the
// four corners of the text's box (x, y pairs in the renderer's box order).
struct ShowLink {
    uint32_t id;
    char schluessel[SHOWSCHLUESSELSUP + 1];
    double ecken[4][2];
};

// Services above this folder (the project manager, the layer dialog) and
// printing; members left null keep a documented no-op: no selection, no
// dialog, no print job (DruckStart 0).
struct ShowDienste {
    void (*zeiWaehlen)(const char* pfad) = nullptr;          // PvwZeiWaehlen
    void (*layerDialog)() = nullptr;                         // LayerAnzeigeDlg
    int (*druckStart)() = nullptr;                           // DruckStart: 1 job open
    int (*zeichnungDrucken)(const char* pfad) = nullptr;     // ZeichnungDrucken: -1 failed
    void (*druckEnde)() = nullptr;                           // DruckEnde
};
// Installs the members that are set (null members keep what was there).
void ShowDiensteSetzen(const ShowDienste& d);
void ShowDiensteZuruecksetzen();

// ---- Opening and commands ------------------------------------------------------------------
// Remembers the drawing (absolute) and shows it, opening the page when
// needed; then command 2999 goes to every page.
void ShowZeiAnzeigen(const char* pfad);
void ShowAktivieren();
// Posts the command to the open viewer.
void ShowBefehlSenden(int id);
// The viewer's dialog window; 0 while closed.
HWND ShowFenster();
// The drawing shown ("" when none).
void ShowPfadHolen(char* puffer, size_t kap);
// Shows a drawing: folder and current drawing switched to it, sheet from
// its format, selected in the project manager.
void ShowLaden(const char* pfad);

// The dialog's callbacks.
int ShowInit(int anzahl, const char* const* texte);
int ShowEnde();
int ShowNachricht(UINT nachricht, WPARAM wp, LPARAM lp);
void ShowLayout();

// ---- Painting and links ----------------------------------------------------------------------
// The view's paint handler: grid, pictures, the rest, link marks, status.
void ShowMalen();
int ShowLinkAnzahl();
// nullptr outside 0..count-1.
const ShowLink* ShowLinkHolen(int i);
// Opens the target of the first link whose mark lies strictly within
// SHOWLINKNAH of (x, y) in both axes; 1 when one was followed.
int ShowLinkKlick(double x, double y);

// ---- Keys, printing --------------------------------------------------------------------------
void ShowTaste(int vk, int shift, int strg, int alt, int erweitert);
void ShowZeichen(int zeichen);
void ShowRasterFang();
void ShowDrucken();
// 1 while printing.
int ShowDruckt();
