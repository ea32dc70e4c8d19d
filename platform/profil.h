// Ini files (the private-profile functions) with the Windows semantics the
// program relies on. Prefix `plIni` for the project's own calls. Owns the
// cache of parsed ini files; calls the file-system boundary (dateisys), the
// locations (orte) and the case maps (zeichen).
//
//  - Sections and keys compare ignoring case (the system's case map); the
//    first of two equal sections or keys wins. Blanks around keys and values
//    are trimmed; one pair of enclosing quotes ("" or '') is removed on
//    reading. Lines end with LF or CR LF when read; lines written end with
//    CR LF; every line not changed stays byte for byte.
//  - A missing file or key gives the default. Results are cut to size - 1
//    characters; the count copied is returned.
//  - Writing: a NULL value deletes the key, a NULL key the section. A new key
//    goes to the end of its section, a new section to the end of the file.
//    The file is created on the first write (its folder is not); it is
//    replaced atomically: on any failure the result is 0 and the old file
//    stays as it was.
//  - A file name without a folder means the application-data folder (the
//    place of the Windows folder).
//  - Parsed files are cached until their size or time change.
#pragma once

#include <string>

#include "platform/windef.h"

// section NULL: the section names, each ended by '\0', then one more '\0';
// key NULL: the same for the keys of the section. Both cut to fit.
DWORD GetPrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR standard, LPSTR puffer, DWORD groesse,
                              LPCSTR datei);
// The value's leading decimal number (sign allowed; no digits give 0); the
// default when the key is missing.
UINT GetPrivateProfileInt(LPCSTR section, LPCSTR key, INT standard, LPCSTR datei);
BOOL WritePrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR wert, LPCSTR datei);

// The path a profile file name stands for ('/' separated, code page 1252).
std::string plIniPfad(LPCSTR datei);
// Drops the cache (tests that change files behind the functions' back).
void plIniCacheLeeren();
