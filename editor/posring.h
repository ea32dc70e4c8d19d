// The ring of the last 20 positions of the editor that the cursor commands
// `CPR` and `CPV` step through. Prefix `PosRing`. Calls the editor's
// current state and record builders (befausf.h).
//
// Invariants:
//  1. The newest entry is the last (index POSRINGSUP - 1); (0, 0) is empty.
//  2. The cursor is 0..POSRINGSUP - 1.
#pragma once

constexpr int POSRINGSUP = 20;

void PosRingLeeren();
// An entry equal to (x, y) swaps with the newest and the cursor stays;
// otherwise (x, y) becomes the newest, the oldest drops, the cursor is 0.
void PosRingMerken(double x, double y);
// Steps back (forward) to the next entry that is not empty and differs
// from the current position, and queues a marked start point there.
void PosRingZurueck();
void PosRingVor();
// Tests: entry i and the cursor.
void PosRingHolen(int i, double* x, double* y);
int PosRingCursor();
