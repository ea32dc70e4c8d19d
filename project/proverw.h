// The project manager page "PROVERW": a modeless child dialog of the main
// window that shows the drawing list (pvwliste.h) in list display 3000 with
// the sort combo 3100, keeps the list's marking and cursor in the entries,
// and dispatches every drawing command to the module that carries it out
// (drawing operations, import, export, printing, the evaluation dialog, the
// editor and the viewer). Prefix `Pvw`. Calls controls (list display, owner
// drawn combo), winlib (dialog manager, layout, toolbar, page services,
// message boxes, shell), config, model (drawing names), equipment (equipment
// lists) and the project folder's other modules. The frame's services above this
// folder come in through PvwRahmenSetzen.
//
// Page state (one instance):
//  1. `fenster` is the dialog from PvwInit to PvwExit, else 0.
//  2. `bereit` is 1 from the end of PvwInit until PvwExit; only then do
//     messages and commands reach the list display.
//  3. The cursor name (pvwliste.h) is set only by PvwMarkUebernehmen.
#pragma once

#include <cstddef>

#include "platform/windef.h"

inline constexpr int PVWLISTE = 3000;       // list display
inline constexpr int PVWROLLEN = 3001;      // its scroll bar
inline constexpr int PVWSORT = 3100;        // sort combo
inline constexpr int PVWSORTTEXT = 3101;    // its label
inline constexpr int PVWSTAMMSUP = 200;     // characters of a proposed stem
inline constexpr int PVWENDUNGSUP = 40;     // characters of a proposed extension

// The frame's services that the page calls, under the names the page gives
// them; frame/ installs them at start. A null member keeps the stand-in:
// BefehlNachSchliessen 0 (no separate frame), DdeAusfuehren -1 (no viewer
// running), the others do nothing.
struct PvwRahmenDienst {
    int (*BefehlNachSchliessen)(HWND fenster, int id);
    void (*EdtModusOeffnen)(const char* pfad);
    void (*ShowModusOeffnen)(const char* pfad);
    void (*DdeDateiMelden)(const char* datei, int art);
    int (*DdeAusfuehren)(const char* dienst, const char* thema, const char* befehl);  // 0 or -1
    void (*AuswertDlgOeffnen)(int a, int b);
    void (*EdtVorlageEinreihen)(const char* pfad);
};
void PvwRahmenSetzen(const PvwRahmenDienst& dienst);
void PvwRahmenZuruecksetzen();

// Shows and raises an open page (posting 2580), else opens "PROVERW".
void PvwOeffnen();
// The page window or 0.
HWND PvwFenster();
HWND PvwDlgFenster();
// Posts WM_COMMAND id to the page; nothing while it is closed.
void PvwBefehl(int id);
// Posts 2590 (rebuild the list display).
void PvwListeNeu();
// Posts 2591 with the list index of the drawing named by the file-name part
// of the path (-1 when it is not listed).
void PvwZeiWaehlen(const char* pfad);
// Copies the list's marking into the entries and takes the cursor row's
// name; returns its kind (1 drawing, 2 PDF file, 0 heading or none).
int PvwMarkUebernehmen();

// Dialog callbacks (tests drive them through the dialog manager).
int PvwInit(int anzahl, const char* const* texte);
int PvwExit();
int PvwKommando(UINT nachricht, WPARAM wp, LPARAM lp);

// List callbacks.
int PvwZeileHoehe(int zeile);
void PvwZeileMalen(int zeile);
int PvwListenEreignis(int ereignis, int zeile);
void PvwDoppelklick(int zeile);
// Greys the items of the loaded context menu for the row's kind.
void PvwMenueSperren(int zeile, int markiert);
// Column offset: the widest name in units of 4 dialog units, rounded up.
int PvwSpalteBreite();

// Proposes a free drawing name after the first drawing at or after `zeile`
// (see the command 1800): its file name (empty when there is none), the stem
// and the extension, each cut to its capacity.
void PvwNeuerName(int zeile, char* datei, size_t dkap, char* stamm, size_t skap, char* endung, size_t ekap);
// Increments a drawing extension in place (capacity `kap`).
void ZeiNrErhoehen(char* endung, size_t kap);

// Opening, viewing and printing (kind 1 drawing, 2 PDF file).
void PvwZeiBearbeiten(const char* name, int art);
void PvwZeiAnsehen(const char* name, int art);
void PvwZeiAnsehenIntern(const char* name, int art);
void PvwVorlageLaden(const char* pfad);
void PvwDrucken();
