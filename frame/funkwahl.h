// The function bar "FUNKWAHL" at the left edge of the main window: a
// toolbar and list display 3000 with one row per mode; a click switches
// the mode. Prefix `Funk`. May call every lower folder and modus.h.
#pragma once

#include "platform/windef.h"

inline constexpr int FUNKSUP = 50;        // entries
inline constexpr int FUNKBREITE_DE = 84;  // width in dialog units

struct FunkEintrag {
    int id;              // mode; -1 marks the first free entry
    char bild[41];
    char zeile1[41];
    char zeile2[41];
};

void FunkOeffnen();
int FunkBreite();
void FunkPlatzieren(int x, int y, int breite, int hoehe);
void FunkModus(int modus);
void FunkNeuZeichnen();
void FunkErste();
void FunkWiederherstellen();
void FunkEintragNeu(int id, const char* bild, const char* zeile1, const char* zeile2);
void FunkEintragWeg(int id);
// The bar's window (0 while closed), the entry table, the selected row.
HWND FunkFenster();
const FunkEintrag* FunkEintraege();
int FunkGewaehlt();
// Reads the entries ("Toolbar.txt" of the program folder, else texts 500..).
int FunkEintraegeLesen();
