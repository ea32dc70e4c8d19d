// A folder's listing for the operations that copy, move or delete whole
// folders: unlike the support library's listing, which passes over what it
// cannot read, a failed open, read or status of an entry is reported, so a
// copy never counts a folder it could not list as complete. Prefix `Ord`.
// Calls platform/ (folder reading, status) and support.
#pragma once

#include <string>
#include <vector>

// Names (no folder part) of the plain files and of the subfolders of
// `ordner`, "." and ".." left out, names starting with "." kept. 0, or -1
// when the folder could not be read completely (the lists then hold what
// was read).
int OrdListe(const char* ordner, std::vector<std::string>* dateien, std::vector<std::string>* unterordner);
