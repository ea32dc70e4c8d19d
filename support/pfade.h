// Path and file-name functions and the code-page conversions between the DOS
// code page 850 and code page 1252. No prefix. Both separators '\' and '/'
// are accepted; a ':' also ends a directory part. Only `dateiexist` and
// `dateilesbar` touch the file system (through the handle layer of bdatei).
// Targets and growing texts take their capacity in bytes, as in texte.h.
#pragma once

#include <cstddef>

// Longest path the file calls accept (characters, terminator not counted).
inline constexpr int PFADSUP = 200;
// Width of the shortened display form of `pfadkurz`; longest of `pfadkurzn`.
inline constexpr int PFADKURZSUP = 40;
inline constexpr int PFADKURZNSUP = 92;

int pfadlang(const char* p);
int pfadholen(char* ziel, size_t groesse, const char* p);
void pfadweg(char* p);
// Appends a separator; -1 (unchanged) when it does not fit, else 0.
int pfadschluss(char* p, size_t groesse);
void pfadschlussweg(char* p);
void pfadtrenner(char* p);
void pfadslash(char* p);
void pfadbackslash(char* p);
// p with every '\' turned into '/'; -1 (target empty) when p is longer than
// PFADSUP characters or does not fit the target, else 0.
int pfadnormal(char* ziel, size_t groesse, const char* p);
const char* pfadkurz(const char* p);
const char* pfadkurzn(const char* p, int n);

int endungholen(char* ziel, size_t groesse, const char* name);
// -1 (unchanged) when the result does not fit, else 0.
int endungsetzen(char* name, size_t groesse, const char* endung);
void endungweg(char* name);
int endungsetzen83(char* name, const char* endung, int platz);
int dateiexist(const char* pfad);
int dateilesbar(const char* pfad);

// Code page 850 <-> 1252.
void oemansi(char* ziel, size_t groesse, const char* quelle);
void ansioem(char* ziel, size_t groesse, const char* quelle);
void StrOemAnsi(char* s);
void StrAnsiOem(char* s);
unsigned char ZeichenOemAnsi(unsigned char c);
unsigned char ZeichenAnsiOem(unsigned char c);
void sonderzeichenhin(char* s);
void sonderzeichenher(char* s);

template <size_t N> int pfadholen(char (&ziel)[N], const char* p) { return pfadholen(ziel, N, p); }
template <size_t N> int pfadschluss(char (&p)[N]) { return pfadschluss(p, N); }
template <size_t N> int pfadnormal(char (&ziel)[N], const char* p) { return pfadnormal(ziel, N, p); }
template <size_t N> int endungholen(char (&ziel)[N], const char* name) { return endungholen(ziel, N, name); }
template <size_t N> int endungsetzen(char (&name)[N], const char* endung) { return endungsetzen(name, N, endung); }
template <size_t N> void oemansi(char (&ziel)[N], const char* quelle) { oemansi(ziel, N, quelle); }
template <size_t N> void ansioem(char (&ziel)[N], const char* quelle) { ansioem(ziel, N, quelle); }
