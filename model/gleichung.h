// Linear equations of the plane geometry: the line through two points and
// one work matrix solved by Gauss-Jordan elimination. Column 0 holds the
// right-hand side, rows and columns 1.. the equations and unknowns; after
// solving, row i holds the value of unknown i. Prefixes `Matrix`, `Gerade`;
// file helpers `gl`. Calls support/ only through the standard library.
//
// Invariants:
//  1. While a matrix exists its side is 1..MATRIXSUP and every entry outside
//     the rows and columns in use is 0.
//  2. The rows in use are one more than the highest row given a value; the
//     columns in use one more than the highest row or column given one.
#pragma once

#include "model/geometri.h"

inline constexpr int MATRIXSUP = 50;  // side of the work matrix

// The line a x + b y + c = 0 through p1 and p2.
void GeradeDurchPunkte(GeoGerade* aus, GeoPunkt p1, GeoPunkt p2);

// A zero-filled matrix of side min(n + 1, MATRIXSUP), MATRIXSUP for n = 0;
// an existing one is freed first. 0, or -1 when n is negative.
int MatrixAnlegen(int n);
// Adds the value to an entry; -1 (nothing changed) outside the side or
// without a matrix.
int MatrixAddieren(int zeile, int spalte, double wert);
// Solves in place; 0, or -1 when a pivot is exactly 0 (the right-hand side
// is then left unsolved) or there is no matrix.
int MatrixLoesen();
// The value of row `zeile` (column 0); 0.0 outside or without a matrix.
double MatrixWert(int zeile);
int MatrixZeilen();
void MatrixFreigeben();
