// The small master-data windows: the viewer with search of standard text
// files and of the stock article list, the colour list editor, and the
// editors of the font table, the pen names and the layer names. Each keeps
// its window from opening to closing; opening an open one raises it.
// Prefix none (the system's names). Calls config (texts, folders), model
// (pen and layer names), output (fonts, colours), equipment (stock lines),
// controls (record list), winlib and the external text editor.
#pragma once

#include <string>
#include <vector>

inline constexpr int STDZEILESUP = 200;   // characters of a viewer line read
inline constexpr int STDZEILENSUP = 100000;  // lines the viewer shows
inline constexpr int STDSUCHSUP = 80;     // characters of the search text
inline constexpr int FARBNAMESUP = 20;
inline constexpr int SCHRIFTFLISTESUP = 200;  // font faces offered
inline constexpr int STIFTSEITE = 20;     // pens per page

// Kind 0 "STDTEXTT", 1 "STDTEXTS", 2 "STDTEXTL" (stock articles).
void StdTextOeffnen(const char* datei, int art);
void FarbListeOeffnen(const char* datei);
void SchriftenOeffnen();
void StifteOeffnen();
void LayerOeffnen();
// The forty short texts of definition n, or of its sub component `code`
// (empty: the definition's own); an open window switches to them.
void BmTexteOeffnen(int n, const char* code);
// Switches an open window (asking to save changed texts first).
void BmTexteWechseln(int n, const char* code);

// The viewer's lines of a standard text file: each cut to STDZEILESUP
// characters, tabs expanded to multiples of 8, at most STDZEILENSUP. 0
// read; 1 read and cut after STDZEILENSUP lines; -1 no file; -2 read short
// (no lines: half a file is not shown as if it were the whole).
int StdTextLesen(const char* pfad, std::vector<std::string>* zeilen);

// The viewer's search: from the line after `ab`, the first line containing
// the text (ignoring case), no wrap-around; -1 none.
int StdTextSuchen(const std::vector<std::string>& zeilen, int ab, const char* text);

// A colour record of the list and its text line.
struct farbsatz {
    int32_t r, g, b;
    char name[FARBNAMESUP + 1];
};
int FarbSatzLesen(void* satz, const char* zeile);
void FarbSatzZeile(const void* satz, char* zeile, int groesse);
void FarbSatzNeu(void* satz);

// The sorted font faces offered: "@" faces skipped, at most 200, cut to 40.
std::vector<std::string> SchriftFlaechen();
