// The element dialogs: one core that works on the element under
// construction (fill from it, write every field change back into it,
// commit it on apply, discard it on close) and per dialog a table of its
// fields and their handlers: line DB1200, line break DB1207, picture
// DB1208, circle DB1220, rectangle DB1221, triangle DB1222, partial circle
// DB1223, arc DB1224, code-92 element DB1203, measured line DB1206 and
// dimension line DB1209.
// Prefix `El`. Calls the dialog frame (dbdialog, dbteile), winlib, model
// (geometry) and the editor's element construction.
//
// Invariants:
//  1. Each dialog keeps, for the run, the element and the step it showed
//     last; a refresh writes a field only when its value moved (doubles by
//     0.1 or more) and a handler updates that copy with what it wrote.
//  2. Closing always cancels the construction: an element not applied is
//     discarded.
#pragma once

#include <cstddef>
#include <string>

#include "model/befehl.h"

void DB1200Oeffnen();
void DB1207Oeffnen();
void DB1208Oeffnen();
void DB1220Oeffnen();
void DB1221Oeffnen();
void DB1222Oeffnen();
void DB1223Oeffnen();
void DB1224Oeffnen();
void DB1203Oeffnen();
void DB1206Oeffnen();
void DB1209Oeffnen();
void DB1211Oeffnen();

// The geometry of the handlers, on their own for the tests.
// A vector from length and angle in degrees (tenths: x 10 + 0.5 truncated).
void ElVektor(double laenge, double grad, double* x, double* y);
// The arc turned to its other side: start and end in tenths.
void ElBogenSeite(int* anfang, int* ende);
// A new start angle keeps the sweep: the new end.
int ElBogenAnfang(int altAnfang, int neuAnfang, int ende);
// Picture files: the path of a name in the project folder (0) or the
// current library's folder (1); the natural size in drawing units (metafiles
// in millimetres, rasters at 300 dpi; heights negative), 0 or -1 with both
// 0; taking a chosen file into the element (name and folder), -1 when it
// lies in neither folder.
void ElBildOrdner(int bauteile, const char* name, char* pfad, size_t groesse);
int ElBildNatur(const char* pfad, double* breite, double* hoehe);
int ElBildNehmen(const char* pfad, BEF* b);
// Height of a triangle of that width with the free height off.
inline constexpr double ELDREIECK = 0.866;

// The length text of measured and dimension lines: length / divisor (when
// not 0) x factor with that many decimals, at most ELMASSTEXTSUP wide,
// trimmed, with a decimal comma when there are decimals.
inline constexpr int ELMASSTEXTSUP = 20;
std::string ElMassText(double laenge, int teiler, int faktor, int stellen);
// Takes the nearest line or rectangle side within ELSUCHE of the cursor
// (|dx| + |dy| of its nearer end) as the measured vector of b: the start at
// the nearer end, step 2. 0 when there is none (nothing changed).
inline constexpr double ELSUCHE = 20.0;
int ElMassLinieNehmen(BEF* b);
