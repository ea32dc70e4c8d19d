// Macros, the repeat buffer and the component definition: the recorder
// that writes executed commands into a macro file, the one-record buffer of
// `WH`, the macro interpreter (IF/ELSE/WHILE/FOR/CALL, ten numeric
// variables, an expression evaluator; other lines are command records in
// text form run at once), clipboard text run as a macro, and a new library
// component made of the objects drawn between `SB` and `EB`. Prefix
// `Makro`/`Bau`/`Wiederhol` (one for each of the three jobs), file helpers `mak`. Calls
// the queue's immediate execution and the store, the component library and
// drawing files of model/, the editor's current state (befausf.h), its
// messages (edmeld.h) and the clipboard of output/.
//
// Invariants:
//  1. The recorder's file is open exactly while recording is on.
//  2. A pending move is written before the next element or state code that
//     would change how it replays, and at the end of the recording.
//  3. CALL nests at most MAKROTIEFESUP files, and a run keeps at most
//     MAKROBLOCKSUP blocks open (deeper nesting ends it with a message).
//  4. A run ends on Esc or a closing window, on a loop that reads no line,
//     and on a FOR whose step cannot change its counter; a number too large
//     for a command line drops the line with a message.
#pragma once

#include <string>

#include "model/befehl.h"
#include "model/zustand.h"

constexpr int MAKROZEILESUP = 78;     // characters read of a macro line
constexpr int MAKROTIEFESUP = 16;     // nested CALLs
constexpr int MAKROBLOCKSUP = 200;    // IF/WHILE/FOR blocks open at once in a run
constexpr int MAKROVARSUP = 10;       // $0..$9
constexpr int MAKROCLIPSUP = 64000;   // characters of a clipboard macro
constexpr int BAUDEFNAMSUP = 10;      // characters of a defined component's name

// ---- Recorder ------------------------------------------------------------------------------------
void MakroAufnahmeStart(const char* name);
void MakroAufnahmeEnde();
void MakroAufnahmeVerwerfen();
void MakroAufnehmen(const BEF* b);
int MakroNimmtAuf();

// ---- Repeat buffer -------------------------------------------------------------------------------
void WiederholMerken(const BEF* b);
void WiederholLeeren();
void Wiederholen();

// ---- Interpreter ---------------------------------------------------------------------------------
// The macro file of a name: the library's folder, extension "mac".
std::string MakroPfad(const char* name);
int MakroVorhanden(const char* name);
// 0, or -1 when the file is missing or read short (said; no line runs).
int MakroStarten(const char* name, int spur);
// The same with every line read (CALLed files too) passed through `filter`
// first; its result is taken whole, however long.
using MakroFilterFn = std::string (*)(const char* zeile);
int MakroStartenGefiltert(const char* name, int spur, MakroFilterFn filter);
int MakroMitEingabe(const char* name);         // 1 "Input" line, 0 none, -1 unreadable
// Runs a macro file given by its path (tests, the clipboard macro).
int MakroDateiAusfuehren(const char* pfad, int spur);
void ClipboardMakro();
void MakroZeileAusfuehren(const char* zeile);
// The value of an expression (the evaluator of the interpreter).
double MakroAusdruck(const char* text);
double MakroVariable(int n);
void MakroVariableSetzen(int n, double wert);
// The immediate execution of a macro line (tests set a recorder; null: BefSofort).
using MakroSofortFn = void (*)(const BEF* b);
void MakroSofortSetzen(MakroSofortFn fn);
// Where executed lines go when tracing (null: the status line).
using MakroSpurFn = void (*)(const char* zeile);
void MakroSpurSetzen(MakroSpurFn fn);
// At most n lines read per run, then the run stops (fuzzing; 0: no limit).
void MakroZeilenGrenze(long n);

// ---- Component definition ------------------------------------------------------------------------
void BauDefStart(const char* name);
void BauDefEnde();
void BauDefAbbrechen();
void BauDefBeenden();
void BauDefObjMerken(int id);
void BauDefPruefen();
int BauDefLaeuft();
// The name of the running definition as it is kept; empty when none runs.
const char* BauDefName();

// Installs the recorder, the repeat buffer and BauDefObjMerken into the
// editor hooks of model/.
void MakroHakenSetzen();
