// Equipment list dialogs without their windows: the row texts they list and
// read back, and the library switch of the dispo and principle lists.
// Prefix: their dialogs' names (`Db1356`, `Db1359`, `Db1362`; `Bmd` for the
// stem rule). Calls equipment, model (queue, text variables), the list
// options of controls and support.
#pragma once

#include <cstddef>
#include <cstdint>

#include "equipment/btl.h"

inline constexpr int DB1359SICHTBAR = 60;  // visible part of a component row

// A component row of DB1359: the visible text cut or padded to 60, then
// "%d %04X %s %d %s" (placed flag, id, code, number, component name).
void Db1359Zeile(char* aus, size_t kap, const char* sichtbar, const appbteil* b);
// Reads such a row back word by word; 0, or -1 when a word is missing.
int Db1359ZeileLesen(const char* zeile, int* platziert, uint32_t* id, char* code, size_t codeKap, int* nr, char* name,
                     size_t nameKap);

// Positions in the equipment windows carry the drawing stem in front unless
// the equipment rows show their positions without it (path mode 1).
bool BmdStammZeigen();
// A not-assigned row of DB1356: the position of (ze, x, y), with the stem
// "%-17.15s%s", without "%-12.10s%s", then the component name.
void Db1356Zeile(char* aus, size_t kap, const char* ze, double x, double y, const char* name);

// The identifier of a DB1355/DB1362 row: cut or padded to 10, 16 or 20
// characters by its length (up to 10, up to 16, longer).
void Db1362Kennung(char* aus, size_t kap, const char* kennung);

// The library switch of DB1355 (dispo) and DB1362 (principle). Opening with
// the list's library `bib` while the editor's current one is `aktuell`:
// when they differ, `aktuell` is remembered and BD with `bib` queued.
// Closing queues BD with the remembered library only when one was
// remembered (else the editor keeps its library).
struct Db1362Bib {
    char gemerkt[21];
    int da;
};
void Db1362BibOeffnen(Db1362Bib* z, const char* bib, const char* aktuell);
void Db1362BibSchliessen(Db1362Bib* z);
