// Whole-database tools of the equipment list: merging two items into one
// (the "@Y" references of every drawing of the project follow), the check
// for double, missing and unplaced items with its report and deletion, and
// freezing, releasing and refreshing the identifiers. Each tool commits the
// store itself; a failed commit shows no success, discards the lists and
// rewrites no drawing. Prefix `Bm`. Calls equipment (store, items,
// components, texts, redefinition, identifiers, definitions), model
// (drawing files, "@Y"), project (drawing list), winlib (dialogs, boxes,
// progress), config and support.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct appgeraet;

inline constexpr int UNLSUP = 1000;      // placed sub components moved by one merge
inline constexpr int BMDOPPSUP = 2000;   // doubles recorded for deletion
inline constexpr int BMFEHLSUP = 1000;   // missing ids recorded for deletion
inline constexpr int BMNPLSUP = 1000;    // unplaced items recorded for deletion
inline constexpr int BMFILTERSUP = 20;   // filter text

// The eight type filters of the item lists: 0 all, 1 standard (type 0 with
// sub components), 2 main component only, 3 potential, 4 terminal, 5 PLC,
// 6 cable, 7 KNX.
int BmTypPasst(int filter, const appgeraet* g);

// ---- Merge ---------------------------------------------------------------------
// Merges item `unten` into `oben` after the checks and questions; commits
// and rewrites the drawings. 0 merged, -1 stopped or failed (said so).
int BmVerschmelzen(uint32_t oben, uint32_t unten);
// Rewrites the "@Y" references of one drawing by the running
// redefinition; an unchanged drawing keeps its bytes. 0, or -1 when it
// could not be read or replaced (the old file stays).
int BmMergeZeichnung(const char* datei);

// ---- Check ----------------------------------------------------------------------
struct bmpruefung {
    int geraete = 0;
    int eintraege = 0;
    int doppelt = 0;
    int fehlend = 0;
    int nichtPlatziert = 0;
    std::vector<uint32_t> doppeltIds;   // at most BMDOPPSUP
    std::vector<uint32_t> fehlendIds;   // at most BMFEHLSUP
    std::vector<uint32_t> nplIds;       // at most BMNPLSUP
};
// Runs the check over the freshly read store and writes the report; 0, or
// -1 when the report could not be written (the counts stand).
int BmPruefungLaufen(bmpruefung& p, const char* bericht);
// Deletes every recorded item whole and commits; 0, or -1 when the commit
// failed (the lists are discarded).
int BmPruefungLoeschen(const bmpruefung& p);
// The report's full path (project folder).
std::string BmPruefBericht();

// ---- Freeze ---------------------------------------------------------------------
// Each commits; the count of items changed, or -1 when the commit failed.
int BmKennungenEinfrieren();
int BmKennungenFreigeben();
int BmKennungenAuffrischen();

// ---- Dialogs (menu ids 1260, 1250, 1210) -------------------------------------------
void BmMergeOeffnen();
void BmPruefenOeffnen();
void BmEinfrierenOeffnen();
