// Adds a drawing as a component to a library; a unit of its own because
// model/bauteil.h and the equipment headers both name a `BTLSUP`.
#pragma once

// 0, or -1 when the library cannot be opened or the component not added.
int schildBauteilAufnehmen(const char* bib, const char* name, const char* zeichnung);
