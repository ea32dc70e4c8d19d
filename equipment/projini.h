// Read access to the project's own ini file "ZavikPro.ini" in the project
// folder. Prefix `ProjektIni`. Calls config (the project path) and the
// profile reader of platform/.
#pragma once

#include <cstddef>

inline constexpr int PROJEKTINISUP = 80;  // characters of a value

// The value of key in section (at most PROJEKTINISUP characters, cut to
// the buffer); empty when the file or the key is missing. Its length.
int ProjektIniLesen(const char* sektion, const char* schluessel, char* puffer, size_t groesse);
template <size_t N> int ProjektIniLesen(const char* s, const char* k, char (&p)[N]) { return ProjektIniLesen(s, k, p, N); }
