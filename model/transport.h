// The batch copier of old component libraries: every component of a
// library read by the old-format reader (altbau) goes through a temporary
// drawing file into a current library, TRASUP components a batch, so at
// most that many temporary files exist at a time. `struct transport` is one
// pending row. Prefix `Tra`. Calls altbau, bauteil, the file calls of
// support/ and nothing above; messages go to the caller's callback.
#pragma once

#include "model/bauteil.h"

inline constexpr int TRASUP = 20;   // rows of one batch

struct transport {
    char name[BAUNAMSUP + 1];
    char datei[BAUPFADSUP + 1];
};

using TraMeldungFn = void (*)(const char* text);

// Copies every component of the old library `alt` into the library `neu`
// (which exists), temporary drawings "zv5konv.%03d" in `tmpOrdner`. Each
// component that cannot be converted or appended is reported and the copy
// goes on. The number of components appended, or -1 when the old library
// cannot be read or the new one not opened (reported). `fehler` (may be
// null) receives the number of components that did not go in; every
// temporary file is gone on return.
int TraBibKopieren(const char* alt, const char* neu, const char* tmpOrdner, TraMeldungFn melde, int* fehler);
// The size of each batch of the last copy (tests).
const std::vector<int>& TraStapel();
