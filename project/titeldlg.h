// Project title and subtitle dialogs: "PTITEL" (the project-wide entry and
// the numbered entries 1 and 2 as 60 text lines), "UTITEL" (the subtitles,
// one entry per starting page, with a list of all) and "UTitelImp" (merging
// the subtitles of another project), plus the language copy of the project
// file. Prefixes `Pt`, `Ut` (the dialogs' helpers `td`). Calls
// equipment/utitel (the records and the project file), config (defaults,
// locks, language), winlib (dialogs, menus) and the spell-check registry
// (rschreib.h).
#pragma once

#include "equipment/utitel.h"
#include "platform/windef.h"

// Fill modes of pasted and shown fields: 0 set, 1 only a non-empty text,
// 2 only into an empty field.
void UtFeldSetzen(int id, const char* text, int modus);

// The key check of a subtitle save: 0 when `kenn` may be stored with the
// entry of index `gezeigt` (-1: a new one) replaced; -1 when the key is
// empty or belongs to another entry (the message given).
int UtKennPruefen(const char* kenn, int gezeigt);

HWND PtDlgOeffnen();
HWND UtDlgOeffnen(const char* kenn);
HWND UtImpDlgOeffnen();
// The current language's project file from the base one when it is missing.
// 0, or -1 when the copy failed.
int UtitelSprachDatei();

// The frame's names.
void PvwTitelDialog();
void PvwUntertitelDialog(const char* zeichnung);
void PvwUntertitelImport();
void PvwTitelVorbereiten();
void PvwTitelCacheSchliessen();
