// Stand-ins for the equipment list's and evaluations' services that the
// frame calls, under their real names; each does the least its callers
// need and is deleted when the lists land. Its page is the empty
// template "BMLBEARB_INT". Prefix none (the services'
// names), `Ph` for test accessors. Calls output (PhSeiteOeffnen) and winlib
// (message boxes).
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"

void BmlBearbOeffnen();
int BmlIstExtern();
int BmlRahmenBefehl(int id, LPARAM lp);
// No effect.
void BmlPost(int id, LPARAM lp);
void BmEinfrieren();
void BmPruefen();
void BmVerschmelzen();
void StammdatenOeffnen(int id);

std::vector<std::string>& PhListenAufrufe();
