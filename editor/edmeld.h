// The editor's messages: status texts shown in the input line of the page
// (with or without a beep) and message boxes over the page that hold the
// command queue while open and post the drain (2501) when closed. Prefix
// none (the services' names). Calls the page (EdtFenster, EdtBefehlPosten),
// the numbered texts of config/ and the message boxes of platform/.
//
// Invariants:
//  1. The box flag is 1 exactly while one of this module's boxes is open.
#pragma once

void StatusMeldung(const char* text);  // with a beep
void StatusHinweis(const char* text);  // without
void StatusTextf(const char* format, ...) __attribute__((format(printf, 1, 2)));
void StatusMeldungNr(int n);  // user text n + 1000, at most 80 characters
void StatusHinweisNr(int n);
int JaNeinFrage(int n);         // 1 Yes, else 0
int JaNeinAbbruchFrage(int n);  // 1 Yes, 0 No, 2 Cancel or anything else
void MeldungNr(int n, int warnung);
int MeldungOffen();
// A question with the given text and buttons (MB_YESNO or MB_YESNOCANCEL):
// the box's answer (IDYES, ...), under the box flag.
int EdFrage(const char* text, unsigned knoepfe);
// The last text shown in the input line (tests, and while no page is open).
const char* StatusLetzterText();
// Installs the messages into the editor hooks of model/.
void EdMeldHakenSetzen();
