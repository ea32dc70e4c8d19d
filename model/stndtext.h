// Standard texts: a text record names a block of a standard-text file, and
// this module resolves the name into the block's lines; free texts pass
// through the same line list. Owns the line list, the selected file (kept
// open), the lazy index of block headers and the change check by the file's
// time after the check counter moved. Prefix `StndText`. Calls the buffered
// files, file calls and texts of support/, the text-file paths, language
// files and check counter of config/.
//
// File format: a line that begins with a non-blank character is a block
// header (its first word the block name, the rest after the following blanks
// its first line, whose column is the block's indent); following lines that
// begin with white space are further lines with trailing white space and
// their first indent characters removed. A block ends at a line that does
// not begin with white space, at the end of the file, after ANZSUP lines or
// when its lines hold more than STNDINHALTMAX characters.
#pragma once

constexpr int INHSUP = 60000;         // characters of all lines together
constexpr int ANZSUP = 500;           // lines
constexpr int TBSUP = 2000;           // entries of the block index
constexpr int STNDINHALTMAX = 59500;  // a block ends once its lines hold more
constexpr int STNDZEILESUP = 250;     // characters read of a file line
constexpr int STNDNAMSUP = 23;        // characters of a name in the index
constexpr int STNDSCHLUESSEL = 20;    // characters of a looked-up name

void StndTextInit();
void StndTextEnde();
// Selects the standard-text file by name (language file names, text
// folders, the current folder); null closes it.
void StndTextDatei(const char* name);
// Selects by full path; null or "" forgets the name and closes the file.
void StndTextWaehlen(const char* pfad);
void StndTextSchliessen();

// Resolves a text into lines ('|' at a line start becomes a blank); the
// line count.
int StndTextZerlegen(const char* text);
// The same without the '|' rule.
int StndTextSuchen(const char* text);
// The text as the only line (a leading '|' becomes a blank).
void StndTextSetzen(const char* text);
// Appends to line n when n is below the count (cut at INHSUP in all).
void StndTextAnhaengen(int n, const char* text);
// Line n, or null when n is not below the count.
const char* StndTextZeile(int n);
int StndTextAnzahl();
int StndTextLaenge();  // of the longest line
