// The header of the editor's drawing: title lines 0..4 (80 characters), the
// index text and the two short texts 10 and 11 (40 characters), the layer
// switch, and the hooks through which the store's loader hands over the
// header records (16 LRA, 17 LRS, 119 ZAT, 122 ZTX) and its writer asks for
// them. Prefix `Zei` (the drawing file's own), file helpers `kopf`. Calls the
// drawing files and the current-drawing texts of model/ and the layer
// visibility of the settings.
//
// Invariants:
//  1. A header record with a line or layer outside its table changes nothing.
//  2. The header cache of the current drawing (model/textvar) shows what the
//     document holds after every load and save.
#pragma once

#include "model/befehl.h"

struct ZeiDatei;

constexpr int ZEIKOPFZEILEN = 5;  // title lines 0..4

void ZeiKopfLeeren();
void ZeiLadenBeginn();
void ZeiKopfBefehl(const BEF* b);
void ZeiLadenEnde();
// Writes the header records; 0, or -1 when a write failed.
int ZeiKopfAusgeben(ZeiDatei* z);

// Title line n (0..4), 10 and 11 the short texts; -1 the index text.
const char* ZeiKopfText(int n);
void ZeiKopfTextSetzen(int n, const char* text);
int ZeiLayerSchalter();
void ZeiLayerSchalterSetzen(int an);

// Installs the load and save hooks into the editor hooks of model/.
void ZeiKopfHakenSetzen();
