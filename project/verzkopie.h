// Copying drawings and files between project folders: a whole source
// folder into the current project folder with its equipment file merged
// (the source's items renumbered above the target's and the "@Y"
// references of the copied drawings rewritten), its project texts and text
// files; single drawings and other files; and the copy of a drawing file
// renamed after its new folder. Prefixes `Verz`, `Zei...Kopieren`, `Bmt`,
// `Vk` (internals). Calls equipment (project texts), model (drawing files,
// references), config (paths, texts) and support (files, texts).
//
// Nothing half made: every check (duplicate and colliding target names, the
// number range and the item limit of the merged equipment file) runs before
// the first file is written; the merged equipment file is written under a
// temporary name and renamed over the target, whose old form stays as
// "BMittel.BAK"; a failed merge keeps the target and copies no drawing.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int VERZPFADSUP = 200;    // characters of a path
inline constexpr int BMTSUP = 50000;       // pairs of the number map
inline constexpr int VKPOSTENSUP = 9999;   // items of one equipment file
inline constexpr int VKMELDUNGSUP = 1000;  // characters of a report

// One pair of the number map of a folder copy.
struct bmtaufe {
    uint32_t alt;
    uint32_t neu;
};

// The name a file of the source folder takes in the target folder: when the
// part before the first '.' equals the same number of leading characters of
// the source folder's name (case counts), the target folder's name replaces
// it; else the name stays. `ziel` holds at least `kap` bytes.
void VerzZielName(const char* datei, const char* quellName, const char* zielName, char* ziel, size_t kap);

// Copies `alt` to `neu`; when the old file's name without extension equals
// (ignoring case) the name of its folder, the copy is named after the new
// path's folder, with the old extension. 0, or -1 when the copy failed (the
// target is then untouched) or the path is too long.
int ZeiKopierenUmbenannt(const char* alt, const char* neu);

// Copies the named files (names in the source folder, as the folder tree
// lists them) into the current project folder: drawings (by name and
// content) renamed by VerzZielName with references renumbered, "BMittel.zvk"
// copied or merged, "Texte.zvk" copied or merged, and every "*.txt" of the
// source whose target is missing. 0 with an empty report; -1 with the report
// (text 34 and the limits: nothing written; a failed merge: no drawing
// copied; single failed copies are listed, the rest copied).
int VerzKopieren(const char* const* dateien, int anzahl, const char* quelle, char* meldung, size_t kap);

// The merge of two equipment files (target rewritten, its old form kept as
// "<name>.BAK"); fills the number map. The highest target number, or -1
// when a file could not be read or written (the target stays as it was).
int BMDateiMischen(const char* quelle, const char* ziel);

// Copies one drawing; with `umnummern` the "@Y" references found in the map
// are rewritten, without it every reference is removed; a text left empty is
// dropped. 0, or -1 (source unreadable, target not written).
int ZeiKopierenMitBM(const char* quelle, const char* ziel, int umnummern);
// One drawing / one other file into the current folder, named by
// VerzZielName; -1 when the kind is wrong, the target exists or the copy
// failed.
int ZeiKopierenOhneBM(const char* pfad);
int DateiKopierenVerz(const char* pfad);

// The new number of an item during a folder copy; 0 when not mapped.
uint32_t BmtNeu(uint32_t alt);
int BmtAnzahl();
