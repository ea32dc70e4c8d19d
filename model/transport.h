// The batch copier of component libraries: every component of a library
// that a filter keeps goes through a temporary drawing into another
// library, TRASUP components a batch, so at most that many temporary files
// exist at a time. The source is a current library (version 6 on) or an old
// one read by altbau. `struct transport` is one pending row. Prefix `Tra`.
// Calls bauteil, altbau, the drawing files of model/ and the file calls of
// support/, nothing above: it says what failed and the caller words it.
//
// The copy stops at the first failure (the source not read whole, a
// component not read, a temporary drawing not written, the target not
// opened, an append failed); the target then holds the components appended
// before it, so callers copy into a temporary library and replace theirs
// only after a clean return. The source is never written, and every
// temporary drawing is gone on return, whatever happened.
#pragma once

#include <vector>

#include "model/bauteil.h"

inline constexpr int TRASUP = 20;   // rows of one batch

struct transport {
    char name[BAUNAMSUP + 1];
    char datei[BAUPFADSUP + 1];
};

// What stopped a copy.
enum TraFehler {
    TRA_GUT = 0,
    TRA_QUELLE,     // the source not opened or not read whole (also a damaged entry chain)
    TRA_BAUTEIL,    // a component of the source not opened or read
    TRA_ZEICHNUNG,  // its temporary drawing not named or written
    TRA_ZIEL,       // the target not opened
    TRA_AUFNEHMEN,  // a component not appended to the target
};

struct TraBericht {
    int fehler = TRA_GUT;       // TraFehler
    char name[BAUNAMSUP + 1] = {};  // the component at the failure ("" when none)
};

// Keeps a component (1) or passes it over (0); also the place to show
// progress, as it sees every name in order.
using TraFilterFn = int (*)(const char* name, void* benutzer);

// Appends every component of `quelle` that `filter` keeps (all without one)
// to the library `ziel` (which exists), in the source's name order, each
// record through `konv` when given. The number appended, or -1 with
// `bericht` saying what failed and where (see above). `bericht` may be null.
int TraKopieren(const char* quelle, const char* ziel, TraFilterFn filter, void* benutzer, BauKonvertFn konv,
                TraBericht* bericht);
// The size of each batch of the last copy (tests).
const std::vector<int>& TraStapel();
