// Stand-ins for the openers of the editor's numbered dialogs whose own
// code is not there yet, under their real names: each records its call and
// opens its template with the conventions only (DbGrundOeffnen). The module
// that builds a dialog deletes its stand-in here. Prefix none (the openers'
// names), `Ph` for the test accessor. Calls editdlg/dbdialog.
#pragma once

#include <string>
#include <vector>

void DB1205Oeffnen();
void DB1240Oeffnen();
void DB1350Oeffnen();
void DB1351Oeffnen();
void DB1352Oeffnen();
void DB1354Oeffnen();
void DB1355Oeffnen();
void DB1356Oeffnen();
void DB1359Oeffnen();
void DB1361Oeffnen();
void DB1362Oeffnen();

std::vector<std::string>& PhDbOeffner();
