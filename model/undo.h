// Undo journal of the drawing store: one change record per object (or
// per state kind) and command generation in `ChgListe`, the last 20
// generations in `GenListe`, undo and redo by generation. Prefix `Undo`.
// Calls the record arrays of support/, the store's journal-free operations
// (tempzeic.h), the state ring (beffifo.h) and the editor hooks.
//
// Invariants:
//  1. GenListe[0] is the newest generation; entries past the first 0 are 0.
//  2. 0 <= undo position <= 18; the generations before it are undone.
//  3. An object record names its object by id, or by proxy (id 0) while the
//     object does not exist.
#pragma once

#include <cstdint>

#include "model/befehl.h"
#include "model/zustand.h"

constexpr int GENLISTESUP = 20;

enum : uint32_t { UNDO_CHG = 0, UNDO_INS = 1, UNDO_DEL = 2, UNDO_STT = 3, UNDO_MFL = 4, UNDO_APP = 5 };

struct CHGSATZ {
    uint32_t art;
    uint32_t stempel;
    uint32_t generation;
    int32_t id;
    uint32_t stellvertreter;
    BEF altbef;
    STT altstt;
    BEF neubef;
    STT neustt;
    int32_t altwert;
    int32_t neuwert;
};

void UndoInit();
void UndoFrei();
void UndoLeeren();
void UndoUeberlaufPruefen();
int UndoGeaendert(int loeschen);
int UndoVerfuegbar(int redo);
// Object entries from the store (null records for "none").
void UndoObjekt(uint32_t art, uint32_t stempel, uint32_t generation, int id, const BEF* ab, const STT* as,
                const BEF* nb, const STT* ns);
void UndoFortsetzen(uint32_t altstempel, uint32_t generation, int id, const BEF* nb, const STT* ns);
int UndoSttMerken(uint32_t vorher, uint32_t generation, int alt, int neu);
int UndoMflMerken(uint32_t vorher, uint32_t generation, int alt, int neu);
int UndoAppMerken(uint32_t vorher, uint32_t generation, int alt, int neu);
void UndoSchritt();
void RedoSchritt();
void UndoDump();

// Tests: records, the generation list and the position.
int UndoAnzahl();
const CHGSATZ* UndoSatz(int i);
uint32_t UndoGen(int i);
int UndoPosition();
int UndoUeberlauf();
// 1 when the name map holds each object record once, under its name.
int UndoNamenStimmen();
