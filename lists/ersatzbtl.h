// The two sectioned master-data files of the component library: the
// replacement components "BAUTEILA" (per group, a component and up to five
// replacements) and the component windows "BAUTEILK" (per page, the
// components offered with a display name and an explanation), each edited
// in a dialog of a section list and a record list. Prefix none (the
// system's names), `Ebt`/`Bfe` for the record callbacks. Calls controls
// (sectioned tables), winlib (dialogs, boxes, file chooser), config, support.
#pragma once

#include "controls/elseite.h"

inline constexpr int EBTNAMESUP = 20;   // a component name
inline constexpr int BFETEXTSUP = 200;  // an explanation: the whole line's room

struct ersatzsatz {
    ElsKopf kopf;                          // the group's name
    char namen[6][EBTNAMESUP + 1];         // the component, then replacements 1..5
};

struct fenstersatz {
    ElsKopf kopf;                          // the page's name
    char bauteil[EBTNAMESUP + 1];
    char anzeige[EBTNAMESUP + 1];
    char text[BFETEXTSUP + 1];
};

// Parse: 2 a section line (the name goes to the working record), 1 a
// record, 0 ignored.
int EbtZeileLesen(void* satz, const char* zeile);
void EbtZeileSchreiben(const void* satz, char* zeile, int groesse);
void EbtSatzNeu(void* satz);
void EbtSeiteNeu(void* satz);
int BfeZeileLesen(void* satz, const char* zeile);
void BfeZeileSchreiben(const void* satz, char* zeile, int groesse);
void BfeSatzNeu(void* satz);
void BfeSeiteNeu(void* satz);

void ErsatzBtlOeffnen(const char* datei);
void BtlFensterOeffnen(const char* datei);
