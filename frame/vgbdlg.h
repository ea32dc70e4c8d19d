// The two dialogs of the defaults sets: the choice of the set with language
// and norm ("VorListeGB") and the settings page of a key group
// ("VorEditGB"). Prefix `Vgb`. May call every lower folder and modus.h.
#pragma once

void VgbWahlDialog();
// Group name ("Zavik", "Editor", ... "APlatz").
void VgbGruppeEditieren(const char* gruppe);
