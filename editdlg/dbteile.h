// Shared pieces of the editor dialogs: numeric fields written with the
// editor's decimals, the square a component preview is drawn in, and the
// list of component libraries. Prefix none (the system's names), `Btl` for
// the component pieces. Calls winlib (dialog items), config (directory
// kinds), support (folder listings, comparison) and the editor settings.
#pragma once

#include <string>

#include "platform/windef.h"

// Writes the value with the editor's length decimals (Ednk, "%.1f".."%.4f")
// into the control of the current dialog.
void DlgZahlSetzen(int id, double wert);
// The text DlgZahlSetzen writes, independent of the process locale.
std::string DlgZahlText(double wert, int dezimalen);
// The same as shown in a field: with the decimal comma.
std::string DlgZahlFeld(double wert, int dezimalen);

// The square a component of extent (x1, y1)..(x2, y2) is drawn in: the
// larger side, the other centred; above 4.0 grown by 4 % with the origin
// moved back by 2 % of the grown side, else 4.0 centred.
struct BtlQuadrat {
    double x, y, seite;
};
BtlQuadrat BtlQuadratVon(double x1, double y1, double x2, double y2);

// The component libraries ("BAUTEILE.*", at most BTLDATEISUP names of at
// most 39 characters): upward from the project folder when the component
// folder is so marked, then the component folder; sorted and without
// duplicates, ignoring case. The count.
inline constexpr int BTLDATEISUP = 100;
inline constexpr int BTLDATEINAMESUP = 39;
int BtlDateienSammeln();
// Name n (empty and 0 when n is out of range), else 1.
int BtlDateiName(int n, std::string* aus);

// ---- Line-style and pen combo boxes (owner-drawn) ----------------------------------------------------
// Pen numbers 1..99 and line styles 0..7 as the samples take them.
int StiftNummer(int n);
int LinienartNummer(int n);
// Fills a combo box with the line styles "0".."7" (item data = n) and
// item height 8 dialog units.
void LinienartCombo(int id);
// Fills a combo box with "%d %s" of pens 1..99 and their names.
void StiftCombo(int id);
// Fills a combo box with the ten fonts: "%d " and the name padded or cut to
// 26, " F" for a font of the second column.
void SchriftCombo(int id);
// Owner-draw of the pen combo 3100 and the line-style combo 3110: measure
// 24 x 8 dialog units; draw the number and its sample. 1 when taken.
int StilComboZeichnen(UINT nachricht, int id, LPARAM daten);
