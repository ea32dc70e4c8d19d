// The component catalogue windows: DB1240, the group tree with a component
// list and preview. Prefix: the dialogs' names.
#pragma once

#include "editdlg/katalog.h"

void DB1240Oeffnen();
// Tests: the tree the open window shows.
const KatBaum& Db1240Baum();
