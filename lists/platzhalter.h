// Stand-ins for the equipment list's and evaluations' services that the
// frame calls, under their real names; each does the least its callers
// need and is deleted when the lists land. Prefix none (the services'
// names), `Ph` for test accessors. Calls output (PhSeiteOeffnen) and winlib
// (message boxes).
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"


std::vector<std::string>& PhListenAufrufe();
