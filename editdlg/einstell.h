// Settings and property dialogs of the editor: pen and text style (DB1100),
// scale (DB1105), view (DB1110) here; options, display and keys
// (optionen.cpp), position and grid (raster.cpp), libraries (bibtext.cpp),
// layers (layerdlg.cpp), the drawing's properties, background and page
// reference (eigensch.cpp). Every change queues the command that carries
// the new value; the refresh (2999) rewrites only the controls whose value
// moved since the last fill. Prefix none (the openers' names),
// `Est` for helpers. Calls the dialog frame (dbdialog, dbteile), winlib,
// controls (list drawing), output (font table), model (queue, hooks).
#pragma once

#include <string>
#include <vector>

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

// Options, display switches and the key table (optionen.cpp).
void DB1101Oeffnen();
void DB1111Oeffnen();
void DB1112Oeffnen();
// Position, origin and grid (raster.cpp).
void DB1102Oeffnen();
// Layers (layerdlg.cpp).
void DB1104Oeffnen();
// Component library and standard-text file (bibtext.cpp); the text-file
// list without duplicates and language variants of the file before them.
void DB1103Oeffnen();
void BtxTextListeBereinigen(std::vector<std::string>* liste);
// Drawing properties, background drawing, opening by page reference
// (eigensch.cpp); the directory as DB1010 shows it ("..." and the last 47
// characters when longer than 50).
void DB1010Oeffnen();
void DB1011Oeffnen();
void DB1012Oeffnen();
std::string EigVerzeichnisText(const char* verz);
