// Parallel lines: up to LINSUP bundles of open line ends that one command
// continues to a new coordinate, each line in its own pen, style and dash
// length; bundles come from marked lines, a rectangle, lines as they are
// drawn or a series, and follow undo and redo through `MFL` journal entries.
// Prefix `Mfl`. Calls the store, the queue and journal of model/, the
// editor's state and start point and the view's repaint.
//
// Invariants:
//  1. A bundle holds 0..MFLENDSUP-1 ends; orientation -1 unknown, 0 vertical
//     lines (their ends share a moving y), 1 horizontal lines.
//  2. A fresh bundle (being recorded, or a new series) is not continued.
//  3. The slot index names the generation slot matching the bundles, -1 none.
#pragma once

#include <cstdint>

#include "model/befehl.h"
#include "model/zustand.h"

constexpr int LINSUP = 10;      // bundles
constexpr int MFLENDSUP = 20;   // end entries of a bundle (one spare)
constexpr int MFLGENSUP = 30;   // generation slots

struct mflende {
    double x, y;
    int32_t st, sa;
    double sl;
};
struct mfl {
    int32_t richtung;  // -1, 0, 1
    int32_t frisch;
    int32_t anzahl;
    mflende ende[MFLENDSUP];
};

void MflInit();   // everything empty, switched off, slot index -1
void MflBefehl(int n);
void MflAusMarkierung();
void MflAusBereich(double x1, double y1, double x2, double y2);
void MflAufnahmeStart();
void MflAufnahmeEnde();
void MflLinieMerken(double x1, double y1, double x2, double y2, const STT* s);
void MflSerie(double x, double y, int n, double dx, double dy, const STT* s);
int MflFortsetzen(double x0, double y0, double x1, double y1);
int MflVersetzen(double x0, double y0, double x1, double y1);
int MflFinden(double x, double y);
void MflWaehlen(int n);
int MflZustand();
int MflAnzahl();
void MflLeeren();
void MflAlleLoeschen();
// After a command run: a snapshot per generation; 1 when an `MFL` journal
// entry was written.
int MflMerken();
void MflGenWieder(int n);
// The end markers: on draws every end (5 pixels the first of a bundle, 3
// the others; the current bundle in the marking colour, the others in
// EdmflRGB) and keeps what it drew; off repaints where the drawn ones were.
void MflZeigen(int an);
// 1 when the bundles or the current one differ from the markers drawn.
int MflGeaendert();
// The lines of an inserted element: every `ZL` with a sub byte.
void MflElementMerken(int id, const BEF* b, const STT* s);
// Installs MflGenWieder, the element hook and the end-of-run snapshot in
// model/'s editor hooks.
void MflHakenSetzen();
// Tests: bundle i.
const mfl* MflBuendel(int i);
int MflAn();
