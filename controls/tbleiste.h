// The button bar: a row of ORVAGRBU buttons read from a section of a toolbar
// file, working like a set of tabs (one entry selected). One bar per
// program, made in the current dialog. Prefix `tbLeiste`.
// May call: the class core, support/ (buffered files, texts), config/
// (directory kinds), winlib/ (current dialog, dialog units, the reader of
// toolbar files).
#pragma once

inline constexpr int TBLEISTESUP = 19;      // buttons of a bar
inline constexpr int TBLEISTEZEILESUP = 200;  // characters of a line

// Builds the bar at (x, y) dialog units in the current dialog with ids
// ersteId + 1.. from section `abschnitt` of `datei` (in the program folder
// unless it has a folder part). Returns the number of buttons, or -1 when
// the file or the section cannot be found or the file was read short (said;
// no button then).
int tbLeisteAnlegen(int x, int y, int ersteId, const char* datei, const char* abschnitt);
// Selects the entry of control id `id` and returns its text without its
// first word, or the whole text when it begins with "TBD"; "" for an
// unknown id.
const char* tbLeisteWahl(int id);
// The same for entry 1.
const char* tbLeisteText();
// The bar's height in pixels (10 dialog units).
int tbLeisteHoehe();
// The number of entries and the selected id (0 when none).
int tbLeisteAnzahl();
int tbLeisteGewaehlt();
