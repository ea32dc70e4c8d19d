// The component catalogue windows: DB1240, the group tree with a component
// list and preview, and the palette DB1205, the tree with a grid of
// component buttons in the template the workstation chooses. Prefix: the
// dialogs' names.
#pragma once

#include <string>
#include <vector>

#include "editdlg/katalog.h"

void DB1240Oeffnen();
// Tests: the tree the open window shows.
const KatBaum& Db1240Baum();

// The palette; its settings ("AP-EdBkDf" layout, "AP-EdBkDg" size) are read
// at the first opening and again after Db1205EinstNeu.
void DB1205Oeffnen();
void Db1205EinstNeu();
// Tests: the labels of the open palette's buttons.
std::vector<std::string> Db1205Knoepfe();
