// The component list DB1202: the components of the current library with a
// preview and the status of each in the equipment, placed by queued
// commands (one, a drawn one, rows in x or y, turned). Prefix `Bli`. Calls
// the dialog frame (dbdialog, dbteile), winlib, model (library, queue) and
// equipment (definitions, uses).
#pragma once

#include "platform/windef.h"

void DB1202Oeffnen();

// The status bitmap of a component: "BMH", "BMU", "BMN" while equipment
// linking is on and the name is known that way, else "BM0"; with "_G" or
// "_K" for large or small dialog fonts.
const char* BliStatusBild(const char* name, bool gross);

// Dragging the chosen component of a component dialog onto the drawing,
// where the drop places it. List `liste` of the current dialog becomes a
// drag source reporting by command `befehl`; no drag is under way.
void BliZiehQuelle(int liste, int befehl);
// The drag phase (1 start, 2 move, 3 end) a notification of the preview
// carries; 0 for any other one and while the enlarged preview shows.
int BliVorschauZiehPhase(LPARAM lp);
// One phase of the drag of `name` from control `steuer`, a preview or a
// list registered by BliZiehQuelle: the start needs a name, the moves
// follow the preview's drag stop or the list's drag position, the end gives
// the editor the focus and drops the component. With `befehl` the drawing
// only shows the component while it is dragged, and a drop on the drawing
// posts `befehl` to the dialog instead: the dialog places it the way its
// own OK does, at the cursor the drop left at the drop point.
void BliZiehen(int phase, int steuer, const char* name, int befehl = 0);
