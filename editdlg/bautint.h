// Shared inside editdlg's library browser files only: a message box of a
// browser text (TextNr3000 n, formatted with the arguments).
#pragma once

void BautMeldung(int n, ...);
