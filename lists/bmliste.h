// The equipment master list window "BMittel": the definitions of the
// standard or customer catalogue with filter and search, the definition
// panel and the sub components of the selected definition. The catalogue
// itself is equipment/definier's; the window holds only its rows. Prefix
// `BmDef`, none for the opener. Calls equipment (definitions, letter codes,
// store settings), model (library folder), controls, winlib, config.
#pragma once

#include <string>
#include <vector>

inline constexpr int BMDEFTEXTSUP = 40;   // a definition text, as the catalogue holds it

// The filter and search match of definition n (ignoring case, substring).
bool BmDefPasst(int n, const char* text, int alleTexte);
// The first free sub component code for codes in list order: "a", past
// each code present, stopping at the first code beyond the candidate.
std::string BmDefFreierCode(const std::vector<std::string>& codes);
// A component row of the list and its fields read back (a count of 0 is 1).
std::string BmDefUnterZeile(const char* code, const char* name, const char* typ, int anzahl, const char* kurz);
bool BmDefUnterLesen(const std::string& zeile, std::string& code, std::string& name, std::string& typ, int* anzahl,
                     std::string& kurz);

// Mode 0 the standard catalogue, 1 the customer's.
void BmListeOeffnen(int modus);
