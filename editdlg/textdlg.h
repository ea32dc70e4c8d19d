// The text dialog DB1201: shapes the text element under construction
// (text, kind and alignment as its code, the linked-text mark) and sets the
// text style of the graphic state; standard texts and variables come from
// the line chooser. Prefix `Txd`. Calls the dialog frame, dbteile, wahl,
// textdat, winlib, model (queue, store, hooks), output (fonts, view) and
// the editor's element construction.
#pragma once

#include <string>

void DB1201Oeffnen();
// Starts a text element of `code` at (x, y) holding the text (marked as
// linked when `verknuepft`) and queues the opening of DB1201; refused with
// message 51 while another element is under construction.
void TextDialogMitText(int code, int verknuepft, const char* text, double x, double y);

// Code of a text: 50 + 4 x kind (0, 1) + alignment (0..3).
int TxdCode(int art, int ausrichtung);
// The linked-text mark: 0x01 'L' in front of the text.
std::string TxdMitMarke(const char* text, bool verknuepft);
// The text without its mark; whether it had one.
bool TxdOhneMarke(const char* text, std::string* aus);
// 2520: the field's text followed by the chosen word. False (nothing
// changed) when the result would exceed TXDPUFFERSUP characters.
inline constexpr int TXDPUFFERSUP = 180;
bool TxdAnhaengen(const std::string& feld, const std::string& wort, std::string* puffer);
