// The terminal and cable lists: one group of lines per terminal strip or
// cable, one line per terminal or wire taken from the texts attached to the
// item's placed components, sorted inside the group, first and following
// lines with their own columns, groups kept on a page and a page break when
// the identifier's leading characters change. Prefix `Klk`. Calls the
// formatter and options (lists), equipment (rows, component walk, texts)
// and model (positions, drawing stems).
#pragma once

inline constexpr int KLKTEXTSUP = 27;  // characters of a terminal or wire text

// Runs the list on the current options: art 0 terminals (kind 2), 1 cables
// (kind 4). 0, or -1 when the result could not be written (with a warning).
int KlkListe(int art);
// Reads `beschr` and the additional text columns under the prefix into the
// formatter's slots (the column layout the page copies by).
void KlkSpalten(const char* praefix);
