// Whole files and temporary names: a file into one zero-terminated block, a
// block back into a file, and names of temporary files. No prefix (the
// system's own names). Calls the buffered files (bdatei), the handle layer
// (dosdatei), memory blocks, path functions and the process's private
// temporary folder of platform/orte.
//
// Temporary names lie in the one private folder of this process, so two
// processes never meet on a name; a name is handed out only while no file of
// that name exists.
#pragma once

#include <cstddef>

// Prefix of the temporary names.
inline constexpr char TEMPPRAEFIX[] = "ORV";

// The whole file into one new block of length + 1 bytes, terminated by 0
// (release it with ffree). 0, or -1 when the file cannot be measured, opened
// or read; *block is then NULL and *laenge 0.
int dateiladen(const char* pfad, char** block, long* laenge);

// Replaces the file by n bytes of data (written to a temporary name and
// renamed over the old file); 0, or -1 when creating, writing or closing
// failed (the old file then stays).
int dateischreiben(const char* pfad, const void* daten, long n);

// A new temporary file name (a file of that name does not exist): the
// temporary folder joined with "ORV", a number and ".TMP". 0, or -1 (target
// empty) when there is no temporary folder or the name does not fit.
int tempname(char* ziel, size_t groesse);
// The temporary folder with its trailing separator; 0 or -1 as tempname.
int tempverz(char* ziel, size_t groesse);

template <size_t N> int tempname(char (&ziel)[N]) { return tempname(ziel, N); }
template <size_t N> int tempverz(char (&ziel)[N]) { return tempverz(ziel, N); }
