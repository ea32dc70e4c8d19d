// The evaluation page (mode 1533): the result of one catalogue entry in a
// list display with its header strip, the choice of the entry, runs of one
// or several entries, the definition dialog, the result in the text
// editor, and the result or its marked lines copied to the clipboard or a
// CSV file; the dialogs "Alle Listen aktualisieren" and "Kopieroptionen".
// Prefix `Auswert` (the frame's names), `Aws` inside. Calls the catalogue,
// the run and the formatter (lists), the list display (controls), the
// dialog manager, toolbars, messages and file dialogs (winlib), the project
// list and viewer (project), the editor's changed test and text editor
// (editor), config (ini, defaults, change counter).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/windef.h"

inline constexpr int AWSLISTE = 3000;
inline constexpr int AWSKOPF = 3003;
inline constexpr int AWSKOMBO = 3100;
inline constexpr int AWSZEILESUP = 500;    // characters of an indexed line
inline constexpr int AWSKOPIESPALTEN = 100;  // cells of a copied line

// Opens the page, or shows it and posts 2580 and 2590 when it is open.
void AuswertOeffnen();
// The definition dialog's notices: refresh, and show the entry of a title.
void AuswertNeu();
void AuswertNamenNeu();
void AuswertTitelZeigen(const char* titel);
void AuswertPost(int id);
// The page's status text: the shown title, or how many lines are shown
// when the result is longer than the list display holds (>= 200 bytes).
void AuswertStatus(char* puffer);
// The page window (0 when closed).
HWND AuswertFenster();

// The marked lines of a result as CSV text: cells cut at the formatter's
// column starts, a column with one text cell quoted in every row when
// `anfuehren` is set, cells joined by TAB or ';', rows ended by CR LF.
std::string AwsZeilenCsv(const std::vector<std::string>& zeilen, int anfuehren, int tab);
