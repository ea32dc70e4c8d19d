// Command execution of the drawing editor: the editor's graphic state
// (current, previous, start), its flags and grid, the element check, the
// execution root with its eight dispatchers, the application of settings to
// marked objects and the record builders of the mouse and key handlers.
// Prefix `Bef` (the functions' own names otherwise). Calls the queue and run
// loop (model/beffifo.h), the store, the journal, the record expander, the
// component library, the editor hooks of model/ and the view of output/.
//
// Invariants:
//  1. Each code is claimed by at most one dispatcher; BefAusfuehren stops at
//     the one that claims it.
//  2. The previous state is the current state before the last record; it is
//     what EinstellungAufMarkierte and the element insertion see.
//  3. A grid step is > 0 or 0 ("no step on that axis"), never negative.
#pragma once

#include <cstdint>

#include "model/befehl.h"
#include "model/zustand.h"

constexpr int BEFBMKSUP = 6;        // equipment-type flags of `BMK`
constexpr int BEFMAKRONAMESUP = 40; // characters of the macro name
constexpr int BEFBAUNAMESUP = 10;   // characters of the component being defined

// The editor flags the commands toggle (0/1 unless noted), and the names
// its macro and component dialogs show.
struct BEFFLAGS {
    int32_t hza;        // background drawing shown
    int32_t ts, ta, tm; // display levels (ta, tm 0..2)
    int32_t vrz, qva, ata, tda, qba, uba, czl;
    int32_t el1;        // settings act on marked objects only
    int32_t vrb;        // step after text
    int32_t beweg;      // move-elements mode
    int32_t bearb;      // edit after pick
    int32_t sumatx;
    int32_t bmz;        // the assignment asks always (-1 until the defaults are read)
    int32_t bmk[BEFBMKSUP];
    int32_t fka;        // drawing-window cursor mode
    int32_t speicherLayer;
    int32_t papier;     // 116 or 117
    char hintergrund[256];  // background drawing, "" when none
    char makro[BEFMAKRONAMESUP + 1];  // the macro last recorded or saved
    char bauteil[BEFBAUNAMESUP + 1];  // the component being or last defined
};

struct BEFRASTER {
    double swx, swy;    // grid step
    double kax, kay;    // further steps
    double x0, y0;      // grid origin
    double mkx, mky;    // mark point
    int32_t aus;        // the grid switch: 1 while the grid is off
};

// Start of the editor: flags and grid from the editor settings, the current
// and start state from the basic settings.
void BefAusfInit();
// The display flags (texts, background drawing) from the editor settings.
void BefAnzeigeEinstellen();
// Current, previous and start state from the basic settings (new drawing).
void BefZustandInit();
// The start state becomes s (the document's initialisation).
void BefStartZustandSetzen(const STT* s);
STT* BefAktZustand();
const STT* BefVorZustand();
const STT* BefStartZustand();
BEFFLAGS* BefFlags();
// The ask-always switch is taken again from the defaults (another project).
void BefBmzNeuLesen();
BEFRASTER* BefRasterWerte();
// Installs BefPruefen, BefAusfuehren, the state and EinstellungAufMarkierte
// into the editor hooks of model/.
void BefAusfHakenSetzen();

// Record builders (absolute world coordinates).
void BewegenNach(double x, double y);
void LinieNach(double x, double y);
void StartpunktSetzen(double x, double y);
void StartpunktSetzenMarke(double x, double y);
void ZustandSetzen(const STT* s);

// Execution.
int BefPruefen(const BEF* b);  // 1: may run
void BefAusfuehren(const BEF* b);
// The dispatchers: 1 when the code is theirs (acted on or not).
int BefDokument(const BEF* b);
int BefOptionen(const BEF* b);
int BefZustand(const BEF* b);
int BefRaster(const BEF* b);
int BefRahmen(const BEF* b);
int BefBauteil(const BEF* b);
int BefMakro(const BEF* b);
int BefBearbeiten(const BEF* b);
void EinstellungAufMarkierte(const BEF* b, const STT* vor);
// A component placed from `vor` to `nach` cuts its way into the lines it
// sits on, and the line breaks it contains cut the lines they cross.
void BauteilLueckenSchneiden(const BEF* b, const STT* vor, const STT* nach);
// Copies of the marked objects in nx columns dx apart and ny rows dy apart
// from the current position; the marked objects are the first cell.
void MarkierteAnreihen(int nx, double dx, int ny, double dy);
// Rotates one object (record and its state before) by a tenths about (px, py).
void ObjDrehen(BEF* b, STT* s, int a, double px, double py);
