// The definition dialog "AUSWERTEN" of one evaluation: the catalogue's
// entries, the options of the selected one shown by type, started with the
// dialog's values (without saving them), the defaults group edited by
// "Einstellen...". Prefix `AwDef`. Calls the catalogue, options and run
// (lists), the page (lists), the dialog manager, file dialogs and messages
// (winlib), the project list, the editor's changed test and config.
#pragma once

// Opens the dialog on catalogue entry `index` (or shows it there when it is
// open); `sofort` 1 starts the entry at once.
void AwDefOeffnen(int index, int sofort);
// The editor of a defaults group behind "Einstellen..." (frame/); null
// restores the stand-in, which does nothing.
void AwDefGruppeHakenSetzen(void (*fn)(const char* gruppe));
