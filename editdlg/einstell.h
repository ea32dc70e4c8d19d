// Settings dialogs of the editor that follow the graphic state: pen and
// text style (DB1100) and scale (DB1105). Every change queues the command
// that carries the new value; the refresh (2999) rewrites only the controls
// whose value moved since the last fill. Prefix none (the openers' names),
// `Est` for helpers. Calls the dialog frame (dbdialog, dbteile), winlib,
// controls (list drawing), output (font table), model (queue, hooks).
#pragma once

#include <string>

void DB1100Oeffnen();
void DB1105Oeffnen();

// The scale table of DB1105: the row whose factor lies within 0.01 of the
// scale, or -1; its text ("2,5:1") when asked for.
int EstMassstabZeile(double mass, const char** text = nullptr);

void DB1110Oeffnen();
// The view command DB1110 queues for its field text "a b c" when the view
// is (zoom, cx, cy) and `erstes` is the first number it showed: the zoom is
// a x 50 only when the first number was edited.
std::string EstFensterText(const char* feld, int zoom, int erstes);
