// The commands the record-list dialogs of the master data share (inside
// lists/ only): record commands 2550..2559, Enter (a new record below, its
// first cell edited), Escape (ends a cell edit, else closes), 2500 save and
// close, 2501 discard and close, 2510 the single record, 2511 a single
// record saved. Prefix `Lsd`.
#pragma once

#include "controls/lisanzeige.h"

struct LsdRuf {
    int liste;                        // the record list's display id
    int (*speichern)();               // 0 saved
    void (*einzeln)(int zeile);       // null: no single-record dialog
    LisZelleTextFn zelleText;
    LisZelleSpeichernFn zelleSpeichern;
};

// 1 when the command was one of these.
int LsdBefehl(const LsdRuf& r, int id);
