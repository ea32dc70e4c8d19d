// Stand-ins for the openers of the editor's numbered dialogs whose own
// code is not there yet, under their real names: each records its call and
// opens its template with the conventions only (DbGrundOeffnen). The module
// that builds a dialog deletes its stand-in here. Prefix none (the openers'
// names), `Ph` for the test accessor. Calls editdlg/dbdialog.
#pragma once

#include <string>
#include <vector>

void DB1010Oeffnen();
void DB1011Oeffnen();
void DB1012Oeffnen();
void DB1101Oeffnen();
void DB1102Oeffnen();
void DB1103Oeffnen();
void DB1104Oeffnen();
void DB1111Oeffnen();
void DB1112Oeffnen();
void DB1203Oeffnen();
void DB1206Oeffnen();
void DB1209Oeffnen();
void DB1211Oeffnen();
void DB1300Oeffnen();
void DB1310Oeffnen();

// The article chooser: records its call; nothing is chosen.
void DB1210Oeffnen(void (*rueckruf)(const char* artikel));

std::vector<std::string>& PhDbOeffner();
