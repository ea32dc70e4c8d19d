// The master-data menu: the dispatcher of the ids 1550..1582 to the lists
// and windows of the master data, and the language names dialog
// "Sprachen" over "Sprache.txt" (read from the application-data folder,
// else the shipped data; saved to the application-data folder). Prefix none
// (the system's names), `Spr` for the language file. Calls config
// (folders, texts, defaults), model (graphic state, libraries), the PLC
// information (spsinfo), winlib and the editor dialogs' services.
#pragma once

#include <array>
#include <string>

inline constexpr int SPRANZ = 10;
inline constexpr int SPRNAMESUP = 40;

void StammDaten(int id);
void SprachenOeffnen();

// The ten language names of "Sprache.txt" (empty when missing); 0 read, -1
// no file, -2 read short (said; all empty).
int SprNamenLesen(std::array<std::string, SPRANZ>& namen);
// Writes all ten lines to the application-data folder; 0 or -1.
int SprNamenSchreiben(const std::array<std::string, SPRANZ>& namen);
