// Two services of the editor's in-memory drawing (model/tempzeic) that sit
// beside the background renderer: joining the drawing's last straight line
// with the line it continues, and the test for a component placement that
// already stands at its place. Prefix `Linien`/`BtlPos`. Calls the store,
// the record expander, the geometry and support/; the joining-suspended flag
// is model/beffifo's (LinienVerbindenAus / LinienVerbindenEin), so the insert
// path and this module read one switch.
#pragma once

#include "model/befehl.h"
#include "model/zustand.h"

// Switches joining back on, then joins the drawing's last object, when it is
// a line, with the first earlier line (drawing order) that it continues:
// same pen, line type, dash length, scale, direction and layer after that
// line, its start within 0.1 of that line's end and both vectors collinear.
// The partner takes the summed vector; a sum within 0.1 of zero removes both.
void LinienVerbinden();

// 1 when a placement of the same code (80..86) and text (ignoring case)
// stands strictly within 0.5 of the state's position in x and y, for ZBW
// with the same first integer; else 0, and 0 at once for other codes.
int BtlPosVorhanden(const BEF* b, const STT* s);

// Installs BtlPosVorhanden into the drawing store's editor hooks.
void LinienHakenEintragen();
