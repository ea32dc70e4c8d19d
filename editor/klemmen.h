// Terminal texts: the terminal symbols of an equipment item, one row per sub
// component terminal and per attached text, filtered, sorted in one of four
// orders and placed one below the other with their placeholder texts filled.
// Produces command records only. Prefix `Klo` (`KlemmenErzeugen...` as
// named). Calls the queue and executor, the record expander, the component
// library, model's position texts and the items, components, attached texts
// and reference texts of equipment/.
#pragma once

#include <cstdint>

#include "equipment/btl.h"

constexpr int KLOSUP = 1000;    // rows of the work table
constexpr int KLOTEXTSUP = 40;

struct klowrk {
    int32_t index;
    char text[KLOTEXTSUP + 1];   // the terminal text
    char marke[KLOTEXTSUP + 1];  // "Z" attached text, "U" a sub component's own terminal
    int32_t nr;
    int32_t sortnr;
    appbteil b;                  // the component entry of the row
};

// Filter 0 all, 1 only entries placed on the current drawing, 2 the texts
// from `von` to `bis` in natural order; order 0..3.
void KlemmenErzeugen(uint32_t id, int filter, int ordnung, const char* von, const char* bis);
// The same with fixed symbols: `name` for the first row, `name2` for the
// others (blank: "XKL" and "XKLF"; both null: the entries' own symbols).
void KlemmenErzeugenMit(uint32_t id, int filter, int ordnung, const char* von, const char* bis, const char* name,
                        const char* name2);
// The rows of the last run in placing order (tests and diagnostics).
int KloZeilen(const klowrk** zeilen);
