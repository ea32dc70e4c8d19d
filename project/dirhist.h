// Recent project folders: a table of the last ten folders in order of
// recency, their items 1680..1689 in the first column of the main menu and
// their keys "Dir%d" of the ini section "DirHistory". Also the frame's names
// for these services (PvwOrdner..., PvwLetzte...). Prefix `Dir`. Calls
// support (texts), config (ini file, directory placeholders) and winlib
// (main menu).
//
// Invariants:
//  1. Paths are stored with '/' separators and without a trailing one (a
//     root "/" stays); no two non-empty entries hold the same path.
//  2. Entry i carries the command id DIRIDBASIS + i; its menu flag is set
//     only while the menu holds an item of that id made for it.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int DIRSUP = 10;           // entries of the table
inline constexpr int DIRPFADSUP = 200;      // characters of a path
inline constexpr int DIRIDBASIS = 1680;     // command id of entry 0
inline constexpr const char* DIRSEKTION = "DirHistory";

struct DirEintrag {
    char pfad[DIRPFADSUP + 1];
    int32_t menue;   // 1 while the entry has a menu item
    int32_t id;      // DIRIDBASIS + index
};

// Moves the path to the front (an equal entry moves up, else the oldest
// drops out). Empty and over-long paths are ignored.
void DirMerken(const char* pfad);
void DirMenueLoeschen();
void DirMenueAufbauen();
void DirHistoryLesen();
// Writes the non-empty entries as "Dir%d" and removes the keys of empty
// ones; 0, or -1 when a key could not be written.
int DirHistorySchreiben();
// A folder switch: rebuilds table and menu when the folder (without one
// trailing separator) differs from the last one reported.
void DirAktuellMelden(const char* pfad);
// The path of the entry with that command id into `pfad` (cut to `kap`);
// 1 when found, else 0 and an empty path.
int DirNachId(int id, char* pfad, size_t kap);

// Entry i (0..DIRSUP-1), or nullptr; and the empty state (tests).
const DirEintrag* DirEintragAdr(int i);
void DirZuruecksetzen();

// The frame's names.
void PvwOrdnerLaden();
void PvwOrdnerSichern();
void PvwOrdnerMerken(const char* ordner);
void PvwLetzteOrdnerMenu();
// `puffer` holds at least DIRPFADSUP + 1 bytes.
int PvwLetzterOrdner(int id, char* puffer);
