// Component catalogues without their dialogs: the group file of a library
// ("BAUTEILK.<suffix>") read into tree rows, opening and closing groups,
// the visible rows, letter selection, the components of a row, and the
// palette's template, grid and scroll range. Prefix `Kat`. Calls model (the
// library folder), config (directory kinds, texts) and support.
//
// Rows: the fixed rows "Eingetragen" (kind 1) and "Verwendet" (kind 2),
// then one row per section of the group file: a section named "Gruppe:..."
// is a heading (kind 3, level 0; an empty rest ends the group without a
// row), any other a plain section (kind 0), at level 1 inside a group.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

inline constexpr int KATTEXTSUP = 40;      // characters of a row text
inline constexpr int KATEINTRAGSUP = 500;  // components of one row
inline constexpr int KATNAMESUP = 20;      // component and display name

struct KatZeile {
    int ebene;   // 0 or 1
    int art;     // 0 section, 1 "Eingetragen", 2 "Verwendet", 3 heading
    char text[KATTEXTSUP + 1];
    int offen;     // headings
    int sichtbar;
};

struct KatEintrag {
    char name[KATNAMESUP + 1];
    char anzeige[KATNAMESUP + 1];
    std::string text;
};

struct KatBaum {
    std::string datei;                 // the group file, whole
    std::vector<KatZeile> zeilen;
    std::vector<int> sichtbar;         // indices of the visible rows
};

// The group file of library `bib` (path or short name): in kind 5 when set
// and the file is there, else beside the library; "" when there is none.
void KatDateiSuchen(const char* bib, char* aus, size_t kap);
// Builds the rows from the group file (none: only the two fixed rows); all
// groups closed. 0, or -1 when the file could not be read (fixed rows).
int KatLaden(KatBaum* b, const char* pfad);
void KatSichtbarNeu(KatBaum* b);
// Opens or closes heading `zeile` (commands 2520/2521).
void KatOeffnen(KatBaum* b, int zeile, int offen);
// 0 no deeper rows, 1 closed, 2 open; -1 for other rows. And its bitmap.
int KatKopfZustand(const KatBaum* b, int zeile);
const char* KatKopfBild(int zustand);
// Left and Right on a row: the heading to close / open, or -1.
int KatLinks(const KatBaum* b, int zeile);
int KatRechts(const KatBaum* b, int zeile);
// The next visible row after `zeile` whose text begins with the letter
// (ignoring case), wrapping; -1 when none.
int KatBuchstabe(const KatBaum* b, int zeile, int c);
// The components of a plain section row (at most KATEINTRAGSUP).
std::vector<KatEintrag> KatEintraege(const KatBaum* b, int zeile);
// The description of a name from the first line of the file whose first
// word it is (lines beginning with ')' skipped).
std::string KatBeschreibung(const KatBaum* b, const char* name);

// An entry's description as shown (without a leading part ending in " >"),
// and a palette button's hint: the name and that description.
std::string KatBeschreibungText(const KatEintrag& e);
std::string KatHinweis(const KatEintrag& e);

// Row height of the component list from "AP-EdBkDg2" (0 → 20, 1 → 32,
// then 20..80).
int KatZeilenHoehe(int wert);
// Palette: template name by size (0..1) and layout (1..12), the grid of a
// layout, and the last scroll position that still shows the last entry.
void KatPaletteVorlage(int groesse, int layout, char* aus, size_t kap);
void KatPaletteGitter(int layout, int* spalten, int* zeilen);
int KatPaletteBereich(int eintraege, int spalten);
// Width factor of the palette's floating hint from "AP-EdBkTl" (0 → 20).
int KatHinweisBreite(int wert);
