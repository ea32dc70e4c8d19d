// Stock articles of a stock system (a fixed-width stock article file and an
// upper-level file of group articles) and section ")S Vgb" of the equipment
// file: the drawing start point in force when the file was written. Prefix
// `Lager`, `Vgb` (the section; config's defaults-set functions share the
// prefix with other names). Calls articles (nartikel), components (btl),
// unassigned placements (wse), model (graphic state), config, support.
#pragma once

#include <cstddef>

struct BDAT;

inline constexpr int LAGERSATZSUP = 200;   // record of the sorted copy
inline constexpr int LAGERNRSUP = 20;      // article number
inline constexpr int LAGERTEXTSUP = 80;    // each text of a stock line
inline constexpr int OBRSUP = 2000;        // group lines indexed

void LagerInit();
void LagerFrei();
void LagerLaden();
// After a folder change: the stock articles of the new folder's settings.
void LagerNeuOeffnen();
// 0 open, -1 the stock file could not be read (the stock stays closed).
int LagerOeffnen(const char* datei, const char* oberdatei, int laenge);
void LagerSchluesselLaenge(int n);
int LagerSchluessel();   // the key length in force
// Line n of a group, or (n = 0) the stock line of the text's key. The key
// (key length + 1 bytes at least) and the line (LAGERSATZSUP + 1) are cut
// to their capacities. 1 found, 0 not.
int LagerSuchen(int n, const char* text, char* schluessel, size_t kschl, char* zeile, size_t kzeile);
// Splits a stock line (changed): number (21 bytes), texts 1..4 (81 bytes);
// null outputs are skipped.
void LagerZeileZerlegen(char* zeile, char* nr, char* t1, char* t2, char* t3, char* t4);

void VgbInit();
int VgbAbschnittLesen(BDAT* d);
int VgbAbschnittSchreiben(BDAT* d);   // 0, or -1 when a write failed
void VgbNachLesen();
void VgbProjektWechsel();
