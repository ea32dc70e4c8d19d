// Deleted-object phantoms: a ring of the last PHASUP deleted objects with
// the command generation of their deletion; `LER` queues them back, newest
// first, one generation at a time. Prefix `Phantom`. Calls the queue
// (model/beffifo), the graphic state and the record expander.
//
// Invariants:
//  1. The write index names the slot for the next phantom; the slot before
//     it holds the newest (an emptied slot becomes the write index).
//  2. A zeroed slot (code 0) is empty.
#pragma once

#include <cstdint>

#include "model/befehl.h"
#include "model/zustand.h"

constexpr int PHASUP = 200;

struct phantom {
    STT stt;             // the state before the object
    BEF bef;
    int32_t generation;  // of its deletion
};

void PhantomInit();   // the ring empty, write index 0
// Keeps a deleted object (not a "@Y" reference text); the generation.
int PhantomMerken(const BEF* b, const STT* s);
// `LER` g: puts the newest phantom back when g is 0 or its generation; with
// g not 0 the next one of that generation follows through a queued `LER`.
void PhantomWieder(int g);
// Tests: slot i of the ring and the write index.
const phantom* PhantomSlot(int i);
int PhantomIndex();
