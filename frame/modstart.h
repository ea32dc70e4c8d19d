// Start-up and shut-down of the modules in one ordered table, the
// registration of every hook and stand-in of the lower layers, the
// forwarding of the application's activation to the watched-file check,
// the folder-dependent reload sequence and three row helpers of the
// defaults-set chooser. Prefix `Mod` for its own helpers; the functions
// other modules call keep their established names. Calls every lower folder.
//
// Rows run in table order; each marks itself started. ModuleBeenden ends the
// started rows in reverse order; a row that never started is not ended.
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"

void ModuleStarten();
void ModuleBeenden();
// WM_ACTIVATEAPP: the activation flag advances the check counter.
void AktivierungMelden(UINT nachricht, WPARAM wp);

// The reload of everything that depends on the project folder, run by
// OrdnerEinstLaden when the folder watch is stale.
void ModOrdnerEinstFolge();
// The shell's refresh of pages, hooks and styles (NachEinstellungen), the
// last step but one of the reload; the shell installs it at start.
void ModNachEinstellungenSetzen(void (*fn)());

// Chooser rows: description cut or padded to 80 characters, then the path.
inline constexpr int VGBBESCHRSUP = 80;
void VgbZeile(const char* pfad, const char* beschreibung);
int VgbZeileWaehlen();
void VgbZeileZeigen();

// An observer told each step's name as it runs (an ending step's with a
// leading '-'); none by default. Returns the previous one.
using ModSchrittBeobachter = void (*)(const char* name);
ModSchrittBeobachter ModSchrittBeobachterSetzen(ModSchrittBeobachter beobachter);
