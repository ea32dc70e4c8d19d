// Start-up of the editor dialogs: installs their services into the hook
// tables of the layers below (the equipment work layer's AppHaken, the
// editor's EdtAufrufe). Prefix `EdDlg`. Also the file checks of the typed
// command line. Calls equipment, editor, model and config.
#pragma once

// Called once at start-up, after the work layer's own hooks.
void EdDlgHakenSetzen();

// 0 when the component library (a leading '.' names the default library)
// or the text file exists; else editor command 1103 is posted and 1.
int BauDateiPruefen(const char* name);
int TextDateiPruefen(const char* name);
