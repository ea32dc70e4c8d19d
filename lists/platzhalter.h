// Stand-ins for the equipment list's and evaluations' services that the
// frame calls, under their real names; each does the least its callers
// need and is deleted when the lists land. Their pages are the empty
// templates "BMLBEARB_INT" and "AUSWERTNEU". Prefix none (the services'
// names), `Ph` for test accessors. Calls output (PhSeiteOeffnen) and winlib
// (message boxes).
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"

void BmlBearbOeffnen();
void AuswertOeffnen();
void AuswertNeu();
void AuswertNamenNeu();
void AuswertStatus(char* puffer);
int BmlIstExtern();
int BmlRahmenBefehl(int id, LPARAM lp);
// No effect.
void BmlPost(int id, LPARAM lp);

std::vector<std::string>& PhListenAufrufe();
