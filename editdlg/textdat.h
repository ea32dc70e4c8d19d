// Text files shown to the user: in the external text editor
// (TextDateiExtern) and in the program's own viewer TEXTANZEIGEN
// (TextAnzeigen). Prefix `Txa` for helpers. Calls winlib (dialogs, boxes,
// program start), config (texts), support (files) and the editor settings.
#pragma once

#include <string>

// Opens the file in the external editor; a missing file is created with
// "Neu angelegt" after asking. The command is AP-ExeNote with the quoted
// path in place of its first "%s" (after a blank when it has none), else
// the program for ".txt" and the path. 0, or -1 (declined, not created,
// no program, not started).
int TextDateiExtern(const char* pfad);
// The command line TextDateiExtern starts; empty when there is none.
std::string TxaKommando(const char* muster, const char* pfad);

// Shows the file in the viewer dialog; saving replaces it as a whole. A
// file longer than TXASUP characters is shown read-only. 0, or -1 when the
// dialog could not be opened.
inline constexpr long TXASUP = 100000;
int TextAnzeigen(const char* pfad);
