// The component-library browser: window "BAUTEILE" over one library file
// and its whole-library operations, and the list of components the
// project's drawings use (for the catalogue dialogs). Prefix `Baut`.
// Calls model (libraries, drawings, state), project (the drawing list),
// config, support, platform, winlib, controls and the library copies of
// mischen.
//
// Paths are absolute with '/'. A library in the shipped-data folder (kind 0)
// is listed but never changed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/windef.h"

inline constexpr int BAUTVERWSUP = 2000;     // used names kept
inline constexpr int BAUTVERWROH = 10000;    // used names collected
inline constexpr int BAUTIMPORTSUP = 10000;  // drawings of one import
inline constexpr int BAUTMUSTERSUP = 10;     // characters of a mark pattern

// Opens the browser on a start library (made absolute); the window.
HWND BautOeffnen(const char* start);
// The browser's window, or 0.
HWND BautFenster();

// Used components of library `bib` (its short name as the drawings' state
// names it, compared ignoring case) over every drawing of the project list;
// the number kept. BautVerwendeteHolen: 0 and the name, -1 past the end.
int BautVerwendeteSammeln(const char* bib);
int BautVerwendeteHolen(int i, char* aus, size_t kap);

// 1 when library `bib` (short name or path) holds component `name`.
int BautBauteilDa(const char* bib, const char* name);

// ---- Library operations (0 or -1; messages shown here) -----------------------
// 1 when the file name begins with "BAUTEILE" (ignoring case).
int BautNameGueltig(const char* pfad);
// 0 when the library may be changed; else the message and -1 (shipped data).
int BautSchreibbar(const char* pfad);
// Creates a new library of version 7 or 10.
int BautAnlegen(const char* pfad, int version);
// Indexes of the names matching the pattern (trimmed, upper-cased, cut to
// BAUTMUSTERSUP; each name cut to the pattern's length).
std::vector<int> BautMarkieren(const std::vector<std::string>& namen, const char* muster);
// Component names, one a line; a name holding ".inh" gives the content file.
int BautNamenAusgeben(const char* bib, const char* datei);
// One component as text definition ("VER 10", its records, the format record).
int BautTextExport(const char* bib, const char* name, const char* datei);
// One component as drawing file.
int BautZeichnungExport(const char* bib, const char* name, const char* datei);
// The name proposed for a drawing file: no folder, cut at the first '.'
// and at the library's name length, upper-cased.
void BautImportName(const char* datei, int namlaenge, char* aus, size_t kap);
// Appends a drawing as component `name` (upper-cased); refuses a name in use.
int BautZeichnungImport(const char* bib, const char* datei, const char* name);
// Renames component `index`, expected to be named `alt`.
int BautUmbenennen(const char* bib, int index, const char* alt, const char* neu);
