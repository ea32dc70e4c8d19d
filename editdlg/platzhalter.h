// Stand-ins for the editor dialogs' services that lists/ calls, under their
// real names; each only records its call and is deleted when the editor
// dialogs build it. Prefix none (the services' names), `Ph` for the test
// accessor. Calls nothing.
#pragma once

#include <string>
#include <vector>

// --- equipment list and master data ---------------------------------------------
// Shows a text file in the external text editor.
void TextDateiExtern(const char* pfad);
// The component-library browser of the library at `pfad`.
void BautOeffnen(const char* pfad);

std::vector<std::string>& PhEdDlgAufrufe();
