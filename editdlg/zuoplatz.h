// What the equipment lists ask of the component assignment: insert a main
// component of a definition or a sub component of an item (the user then
// places the symbol), or give an item another definition. The bodies are
// in db1350.cpp and db1352.cpp (see zuordnung.h).
#pragma once

#include <cstdint>

struct AppDefTexte;

// Prepares the insertion of a main component of definition `def` with the
// texts (angle in tenths of a degree); 0, or -1 (status message) when its
// component is not in the current library.
int HbzPlatzieren(int def, int winkel, const AppDefTexte* t);
// Queues item `id` for a new definition in DB1350.
void HbzNeuDefinieren(uint32_t id);
// Prepares the insertion of sub component `code` of item `id` (component
// `name`); 0, or -1 (status message) when the component is missing.
int UbzPlatzieren(uint32_t id, const char* name, const char* code, int winkel);
