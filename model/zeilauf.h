// Walks of a whole drawing file through the record expander: every record
// with the caller's state and callback, and the walk that skips the
// primitives of one claimed group (a component or a dimension). Prefix
// `ZeiDurchlaufen`. Calls the drawing files and the record expander.
#pragma once

#include "model/zerleg.h"

// 0, or -1 when the file cannot be opened.
int ZeiDurchlaufen(const char* name, STT* s, BefZerlegenFn fn);
// Callback result 1 claims the group of the current record (its text), 2
// the dimension group; primitives of a claimed group are not passed on
// until it is left.
int ZeiDurchlaufenGruppen(const char* name, STT* s, BefZerlegenFn fn);
