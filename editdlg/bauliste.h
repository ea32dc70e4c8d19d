// The component list DB1202: the components of the current library with a
// preview and the status of each in the equipment, placed by queued
// commands (one, a drawn one, rows in x or y, turned). Prefix `Bli`. Calls
// the dialog frame (dbdialog, dbteile), winlib, model (library, queue) and
// equipment (definitions, uses).
#pragma once

void DB1202Oeffnen();

// The status bitmap of a component: "BMH", "BMU", "BMN" while equipment
// linking is on and the name is known that way, else "BM0"; with "_G" or
// "_K" for large or small dialog fonts.
const char* BliStatusBild(const char* name, bool gross);
