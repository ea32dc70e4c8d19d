// The command queue `beffifo` and command processing of the editor: the
// record builders, the drain with its undo-group rules, the executor, the
// end of a run with its repaint, the command generation, the state ring,
// the editor's file commands, command lists, the grid snap and the editor
// view repaint. Prefix `Bef`. Calls the store (tempzeic.h), the journal
// (undo.h), the editor hooks, the numbered texts and test options of
// config/, the record expander and the component library.
//
// Invariants:
//  1. 0 <= count <= BEFSUP; slot 0 is the front.
//  2. The run state is taken when the nesting level becomes 1 and the run
//     ends when it returns to 0; runs nest through BefSofort.
//  3. The generation is 1..10000 and names one undo group.
#pragma once

#include <cstdint>

#include "model/befehl.h"
#include "model/zerleg.h"
#include "model/zustand.h"

constexpr int BEFSUP = 500;        // records of the queue
constexpr int BEFGENSUP = 10000;   // generations
constexpr int ZUSTANDSUP = 30;     // slots of the state ring

// Queue.
void BefQueueInit();
void BefQueueFrei();
void BefEinreihen(const BEF* b);
void BefEinreihenStill(const BEF* b);
void BefVorne(BEF* b);
void BefEntfernen();
void BefLeeren();
int BefAnzahl();

// Builders.
void BefEinreihenCode(int code);
void BefEinreihenText(int code, const char* text);
void BefEinreihenIntText(int code, int i, const char* text);
void BefEinreihenInt(int code, int i);
void BefEinreihenInt2(int code, int i, int j);
void BefEinreihenInt3(int code, int i, int j, int k);
void BefEinreihenReal(int code, double d);
void BefEinreihenXY(int code, double x, double y);
void BefEinreihenXYXY(int code, double x1, double y1, double x2, double y2);
void BefEinreihenIntReal(int code, int i, double d);
void BefEinreihenIntXY(int code, int i, double x, double y);
void BefEinreihenZeile(const char* zeile);

// Processing.
void BefehlAbarbStart();
void BefehlAbarbStop();
void BefAbarbeiten();
void BefSofort(const BEF* b);
int BefGeneration();
void BefGruppeSchliessen();
// The commands run from now until the next _BMG form one undo step (a
// dialog applies an assignment, inserts its texts and queues _BMG).
void BefGruppeHalten();
int ZustandMerken(int erzwingen);
void ZustandHolen(int index);
void LinienVerbindenAus();
void LinienVerbindenEin();  // the editor's switch back on
// Tests: processing state back to the start (generation 1, ring empty).
void BefZuruecksetzen();

// Editor file commands.
void ZeiGezogenOeffnen(const char* name);
void BefDateiOeffnenProjekt(const char* name, int imProjekt);
void BefDateiNeu();
void BefDateiNeuVorlage();
void BefDateiOeffnenDialog();
void BefDateiLetzte(int n, int imProjekt);
void BefDateiEinfuegen();
void BefDateiSpeichernUnter();
void BefDateiSpeichern();
void BefDateiExport();
void BefDateiDrucken();

// Command lists.
void BefListeAnlegen(BEFLST** bl);
void BefListeLeeren(BEFLST* bl);
void BefListeVorneWeg(BEFLST* bl, int n);
void BefListeAnhaengen(BEFLST* bl, const BEF* b, const STT* s);
void BefListeAusBef(BEFLST* bl, const BEF* b, const STT* s, int modus);
void BefListeFrei(BEFLST** bl);
void BefListeDump(const BEFLST* bl);

// Grid snap.
double RasterRunden(double ursprung, double schritt, double wert);

// Editor view. ZeiBereichNeuZeichnen invalidates the area widened by 5
// drawing units and then by 4 pixels on every side.
void ZeiBereichNeuZeichnen(double x1, double y1, double x2, double y2);
void ZeiNeuZeichnen();
void ZeiAnsichtGanz();
void ZeiFensterZeichnen();
