// Stand-ins for the equipment-list row services that the owner-drawn record
// list rows call, until the equipment database provides them: one text line
// per row, nothing loaded, empty further lines. Prefix `Hul` (the system's
// names). May call nothing.
#pragma once

// Text lines of an equipment-list row (configured extra columns + 1).
int HulTextSpalten();
// Loads the data of an equipment-list row from its row text.
void HulZeileLaden(const char* zeile);
// Text of line n (1.. HulTextSpalten() - 1) of the row loaded last.
const char* HulZeileText(int n);
