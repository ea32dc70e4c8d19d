// Helpers shared only by the style modules of output/ (farbe, stil, strich,
// schrift): locale-independent number reading and the lookup of the small
// table files. Nothing outside these modules includes it. Prefix `stl`.
#pragma once

#include <charconv>
#include <cstddef>
#include <string>

// The leading integer of a text after blanks and tabs (an optional sign);
// 0 when there is none. Independent of the process locale.
inline int stlZahl(const char* s)
{
    if (!s) return 0;
    while (*s == ' ' || *s == '\t') ++s;
    if (*s == '+') ++s;
    const char* e = s;
    while (*e == '-' || (*e >= '0' && *e <= '9')) ++e;
    int wert = 0;
    std::from_chars(s, e, wert);
    return wert;
}

// The file to read of a table that may be given per project: the project
// folder (when it holds the file and `projekt` is set), the
// application-data folder, else the shipped-data folder.
std::string stlDateiLesen(const char* name, bool projekt);
// Where the table is written: the project folder when the file exists there
// (and `projekt` is set), else the application-data folder.
std::string stlDateiSchreiben(const char* name, bool projekt);
