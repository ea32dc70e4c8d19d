// Shared inside editdlg's library browser files only: an information box of a
// browser text (TextNr3000 n, formatted with the arguments).
#pragma once

void BautMeldung(int n, ...);
