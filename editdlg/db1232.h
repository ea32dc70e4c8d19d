// The library chooser of dispo, principle and contact-mirror components
// without its window: the chooser's title and the names of its library.
// Prefix `Db1232`. Calls equipment (settings), model (libraries), config
// (texts) and winlib (the warning).
#pragma once

#include <string>
#include <vector>

// Kind 0 dispo ("BMdzus"), 1 principle ("BMpzus"), 2 contact mirror (no
// library of its own: the editor's current one, `aktuell`).
const char* Db1232Titel(int art);
// The component names of the kind's library in index order; a library that
// cannot be opened gives the warning "Kann Bauteildatei %s nicht öffnen."
// and -1 (no names).
int Db1232Namen(int art, const char* aktuell, std::vector<std::string>* namen);

// Opens the chooser of the kind (DB1232D, DB1232P, DB1232K); the chosen
// component name (10 characters) is handed to `rueckruf`. An open chooser
// of that kind is raised and answers the new callback.
void DB1232Oeffnen(int art, void (*rueckruf)(const char* name));
