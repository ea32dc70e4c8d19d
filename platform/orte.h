// Locations of the program and what the process was given: the program
// folder, the shipped-data folder, the application-data folder, the private
// temporary folder, environment variables and the argument words. Prefix
// `plOrt`. All texts are code page 1252 with '/' separators (names the code
// page lacks get '?' and one stderr line). Calls platform/cp1252 and
// dateisys and the C library.
#pragma once

#include <string>

// Folder of the executable, without a trailing '/'.
std::string plOrtProgramm();

// Shipped data: "<program folder>/../share/velmo" when that is a folder (an
// installed program), else the "data" folder of the source tree the program
// was configured from, so a build tree finds it wherever it lies; when
// neither exists, the first form.
std::string plOrtDaten();
// The same rule from a given program folder and source-tree data folder
// (code page 1252).
std::string plOrtDatenVon(const std::string& programmOrdner, const std::string& quellDaten);

// "$XDG_CONFIG_HOME/Velmo", else "~/.config/Velmo"; made (mode 0700) when
// missing. Read again on every call, so tests may move it.
std::string plOrtAnwendung();

// The user's documents folder, where output files go unless the user
// picks another: $XDG_DOCUMENTS_DIR, else XDG_DOCUMENTS_DIR of
// user-dirs.dirs in the configuration folder, else ~/Dokumente or
// ~/Documents, whichever exists, else the home folder. No trailing '/'.
// Read again on every call.
std::string plOrtDokumente();

// The process's own temporary folder: made on first use by mkdtemp in
// $TMPDIR (else /tmp) with mode 0700, removed with its content at normal
// exit. Two processes never share it.
std::string plOrtTemp();

// Environment variable `name` as code page 1252; false when it is not set.
bool plOrtUmgebung(const char* name, std::string* wert);

// The argument words as code page 1252; word 0 is the program. main sets them.
void plOrtArgumenteSetzen(int argc, const char* const* argv);
int plOrtArgumentAnzahl();
// Word i, or nullptr outside 0..count-1.
const char* plOrtArgument(int i);
