// The equipment list windows of the editor: main components (DB1351),
// sub components (DB1359), dispo and principle components (DB1355,
// DB1362) and the check lists (DB1356). They change nothing themselves:
// placing goes through the pending insertions of the assignment modules,
// jumping through the editor's start point. Prefix: their dialogs' names.
#pragma once

#include <cstdint>

// Main components; DB1351Zeigen selects definition `def` in the open list,
// or opens it there.
void DB1351Oeffnen();
void DB1351Zeigen(int def);
// Dispo (DB1355) and principle (DB1362) components.
void DB1355Oeffnen();
void DB1362Oeffnen();
// The check lists of not-assigned placements and items lacking a dispo
// component, an article reference or a principle component.
void DB1356Oeffnen();
// Sub components; DB1359Zeigen lists the items with a sub component of
// that component name.
void DB1359Oeffnen();
void DB1359Zeigen(const char* name);
// The page switched the shared sort mode of the item list: an open DB1359
// takes it at a refresh.
void DB1359SortierungFolgen();
// The short texts of component (id, code, nr); an open window takes the
// new component (asking first when its fields were typed into). `flag` is
// the caller's and kept for it.
void DB1357Oeffnen(uint32_t id, const char* code, int nr, int flag);
