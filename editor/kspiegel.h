// Contact mirrors: below the current position a column of reference texts
// to an item's text lines, then each sub component's contact symbol with its
// placeholder texts filled for the item. Everything is queued or executed as
// command records, so it lands in the drawing and its undo like typed input.
// Prefix `Ksp` (`KspiegelErzeugen` as named). Calls the queue and executor,
// the record expander, the component library, the items and component walk
// and reference texts of equipment/.
#pragma once

#include <cstdint>

constexpr int KSPARTSUP = 6;   // equipment kinds 0..5

// The editor's settings of the mirror (filled by the editor's settings
// reader; the values below until then).
struct KSPEINST {
    int32_t zeilen[KSPARTSUP] = {4, 4, 4, 4, 4, 4};  // header lines per kind
    double zeilenAbstand = 5.0;   // between header lines
    double symbolAbstand = 5.0;   // between the column and the first symbol
};
KSPEINST* KspEinst();

// Mode 0: header column and symbols one below the other; any other mode only
// the symbols, each where the previous one ended.
void KspiegelErzeugen(uint32_t id, int modus);
