// Stand-ins for the editor dialogs' services that lists/ calls, under their
// real names; each only records its call and is deleted when the editor
// dialogs build it. Prefix none (the services' names), `Ph` for the test
// accessor. Calls nothing.
#pragma once

#include <string>
#include <vector>

// --- equipment list and master data ---------------------------------------------

std::vector<std::string>& PhEdDlgAufrufe();
