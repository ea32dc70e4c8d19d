// Identifier counting of main components: a sorted index of every item's
// main-component placement for bulk runs, the walk over one drawing without
// it, and the sorted identifier rows of the overview. Prefix `Hbk`. Calls
// the items (ges), the components (btl), the identifier builder (nhuliste),
// model (columns, positions, BMKennung) and the articles' in-memory copy of
// the external sort's order.
//
// The index is sized to the items (no fixed cap) and sorted by column,
// identifier (bytes), y, x: the entries of one (column, identifier) group
// stand together, so a count is two binary searches.
#pragma once

#include <cstdint>

#include "equipment/btl.h"
#include "equipment/ges.h"

inline constexpr int HBKKENNSUP = 40;

struct hbkenn {
    uint32_t id;
    char kenn[HBKKENNSUP + 1];   // BMKennung of the item
    int32_t spalte;              // ZeiSpalteFortl of the main placement
    double x, y;
};

// Builds the index over all items (a previous one is replaced).
void HbkIndexAufbauen();
void HbkIndexFrei();
int HbkIndexAnzahl();  // 0: no index
// 0 when equipment use is off, the main component is unplaced or its
// identifier is unique in its column; else its rank among the equal ones
// from 1 (greater y first, then smaller x).
int HbkZaehlen(const appgeraet* g, const appbteil* haupt);
// The same with the item's BMKennung (cut to HBKKENNSUP) at hand.
int HbkZaehlen(const appgeraet* g, const appbteil* haupt, const char* kenn);

// Identifier rows of the overview.
struct hbkzeile {
    appgeraet geraet;
    appbteil haupt;
    char kenn[HBKKENNSUP + 1];   // BMKennungHolen
    char pos[HBKKENNSUP + 1];    // QvwPosText of the main placement
};
// Mode clamped to 0..2; 0. The rows come in the order the external sort
// (support/sortier) gives them, equal keys included.
int HbkListeSortieren(int modus);
int HbkListeDazu(const appgeraet* g);
typedef int (*HBKZEILEFN)(const hbkzeile* z, void* benutzer);
// Finishes the sort and calls fn per row in order until it returns 0; 0, or
// -1 without a sort begun.
int HbkListeDurchlaufen(HBKZEILEFN fn, void* benutzer);
