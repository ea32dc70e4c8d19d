// Dialogs on the marked elements and macros: line-up copies (DB1322),
// rotation (DB1321), exchange of values (DB1231), marking near the cursor
// (DB1230), playing, recording and saving a macro (DB1311, DB1310),
// defining a component (DB1300). Prefix none (the openers' names), `Mrk` for helpers. Calls the
// dialog frame (dbdialog), winlib (items), model (queue, store) and the
// editor's services.
#pragma once

#include <string>

#include "model/befehl.h"
#include "model/zustand.h"

void DB1230Oeffnen();
void DB1300Oeffnen();
void DB1310Oeffnen();
void DB1231Oeffnen();
void DB1311Oeffnen();
void DB1321Oeffnen();
void DB1322Oeffnen();

// The check of a line-up before it runs: 0 when it may run, else the
// message number (84 nothing marked, 80 too many, 81 too wide, 82 no
// count, 83 no distance).
int MrkAnreihenPruefen(int markiert, int nx, double dx, int ny, double dy);

// DB1230's short line of an object: a text quoted (25 characters and ".."
// when longer), a component's name, else the mnemonic and the measures;
// padded or cut to 30, then x and y of its position, width 7, 1 decimal.
std::string MrkKurzText(const BEF& b, const STT& s);

// DB1300's component name: upper-cased, trimmed, cut to 10 characters.
std::string MrkBauName(const char* text);
