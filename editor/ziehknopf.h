// Drag buttons and dragging onto the drawing: up to ZIEHKNOPFSUP buttons
// of dialogs subclassed so that a press moved 5 pixels becomes a drag
// reported to their parent, the drag identifiers of the custom controls,
// and the drag of a drawing command or a component onto the drawing, which
// starts the element's construction where it enters, cancels it where it
// leaves and commits it (or runs its command string) where it is dropped.
// Prefixes `ZiehKnopf`, `ZiehId`, `Ziehen`. Calls the construction
// (baubf), the command strings (kontext), the queue, the view's mapping
// and the point snapping (knopf).
//
// Invariants:
//  1. A slot is free exactly when its parent is 0; a used slot's window
//     runs ZiehKnopfProc until it is unregistered.
//  2. The over-drawing flag is set exactly while the dragged element is
//     under construction on the drawing.
#pragma once

#include "platform/windef.h"

constexpr int ZIEHKNOPFSUP = 100;  // drag-button slots
constexpr int ZIEHSCHWELLE = 5;    // pixels a press moves before it drags

// A button whose window is gone leaves its slot free.
void ZiehKnopfAnmelden(HWND eltern, int id, int befehl);
// The slot of that control under the current dialog (any, without one).
void ZiehKnopfAbmelden(int id);
// The last point recorded for the control (client pixels).
POINT ZiehKnopfPos(int id);
int ZiehKnopfAnzahl();

void ZiehIdSetzen(int id, int n);
void ZiehIdSenden(HWND fenster, int n);

// Kinds: 1 drawing command, 2 component to place, 3 component, cancelled
// on drop.
void ZiehenAnfang(int art, const char* name);
void ZiehenUeberFenster(HWND fenster, int x, int y);
void ZiehenUeber(int id, int x, int y);
void ZiehenDispStop(int id);
// 1 when the drop landed on the drawing.
int ZiehenEnde();
int ZiehenAktiv();
