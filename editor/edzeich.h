// The editor's screen drawing: its own element walker over the element
// renderer's device (the screen device of output/, or a device set by
// tests), with the codes only the editor shows (reference markers, hot
// spots, marking rectangles, line-operation previews), the colour overrides
// of marked objects, placed components and the element under
// construction, and the text display levels of the command execution. Also
// the shown text of a text element, the extents the store asks for and the
// wait cursor. Prefix `Edz` for the module's own names, the services keep
// theirs. Calls the command execution's flags (befausf.h), the renderer and
// GDI layer and view of output/, the expander, standard texts and text
// variables of model/, the placeholder test of equipment/.
//
// Invariants:
//  1. A colour override set for one object is reset before the call returns.
//  2. BaubfZeichnen restores VRZ and TA whatever it drew.
#pragma once

#include <cstddef>

#include "model/befehl.h"
#include "model/zustand.h"

struct ELEMGERAET;

constexpr int EDZTEXTSUP = 279;   // characters of a shown text
constexpr int EDZBLOCKSUP = 80;   // characters of a standard-text block name
constexpr int EDZMESSSUP = 250;   // letters of the width estimate of a block
constexpr int EDZMARKE = 3;       // pixels of a marker
constexpr int EDZPUNKTMARKE = 5;  // pixels of the point marker of a marked object

// The device the walker draws with; null: the screen device. The marker
// is drawn by `marke` (null: the GDI layer's filled square).
using EdzMarkeFn = void (*)(double x, double y, int pixel);
void EdzGeraetSetzen(ELEMGERAET* g, EdzMarkeFn marke);

// The text a text element shows ("" when none), cut to kap - 1.
void TextAnzeige(char* aus, size_t kap, const char* text, const STT* s);

// Element walker: draws one primitive record; 1 when the code is drawn.
int ElementZeichnen(const BEF* b, const STT* s);
// The expander's callback: hidden layers and marker bytes first.
int ElementPruefenZeichnen(const BEF* b, const STT* s);
void ObjZeichnen(const BEF* b, const STT* s, int markiert);
void ObjZeichnenEinfach(const BEF* b, const STT* s, int markiert);
void BaubfZeichnen(const BEF* b, const STT* s);
void ObjZerlegenBildschirm(const BEF* b, const STT* s);
void RendererFlagSetzen(int wert);

// Extent of an object with texts measured as shown (the store's hook).
void BefAusdehnung(const BEF* b, const STT* s, double box[4], STT* nachher);

// Wait cursor: 1 adds a level, 0 removes one (not below 0).
void Warten(int an);
int WartenStufe();

// Reads the point size of PKT ("EdPkt", tenths).
void EdzEinstLesen();
// Installs ObjZeichnen and BefAusdehnung into the editor hooks of model/,
// the point size and the background drawing into the renderer's.
void EdzHakenSetzen();
