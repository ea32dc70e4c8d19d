// The frame of the editor's numbered dialogs: the template library they are
// loaded from ("eddb%d%d", one per pair of the display settings Ednk and
// Edwnk), the opener by number, and the conventions every "DB" dialog keeps
// (placement under a family key, Enter on a picture button, the fill guard
// of the refresh, the refusal while another element is being drawn, the
// exit steps). Prefix `Db` for the shared helpers; the public calls keep
// the names the editor's other modules use for them. Calls winlib (dialog manager, placement, buttons), config
// (settings, paths, texts), model (editor settings, hooks, queue) and the
// editor's services.
//
// Invariants:
//  1. The template module cache holds the handle loaded for (cacheNk,
//     cacheWnk), or 0; both start at -1, so the first "DB" request loads.
//  2. A failed load leaves 0 cached with the values it was tried for; the
//     next request with those values tries again (no handle, no match).
//  3. While a fill guard is alive (DbFuellen), DbFuellt() is true and the
//     dialogs ignore change notifications: a refresh never queues.
#pragma once

#include "platform/windef.h"
#include "winlib/dialog.h"

// ---- Template library ------------------------------------------------------------------------------
// The module a dialog library resource of that name is taken from; 0 for
// names not beginning with "DB" (exact case): the program's own.
HMODULE DlgModulEddb(const char* name);
// Registers DlgModulEddb with the dialog library and the dispatcher with
// the editor hooks; EddbFreigeben undoes both and frees the module.
void EddbAnmelden();
void EddbFreigeben();
// Loads performed so far (tests: "a second dialog loads nothing").
int DbModulLadungen();
// Tests: the file-name pattern of the libraries (nullptr: "eddb%d%d.dll").
void DbModulMusterSetzen(const char* muster);

// ---- Opening by number -------------------------------------------------------------------------------
// Opens the dialog of that number (1010..1362 with a row below); anything
// else does nothing.
void DBDialogOeffnen(int n);

struct DbDialogZeile {
    int nummer;
    const char* vorlage;   // template name, nullptr for 1353
    const char* familie;   // placement key, nullptr: own name
    void (*oeffnen)();
};
// The table (rows in number order) and its length.
const DbDialogZeile* DbDialogTabelle(int* anzahl);
// Replaces the opener of one row (tests); the previous one, or nullptr when
// there is no such row.
void (*DbOeffnerSetzen(int nummer, void (*f)()))();

// ---- Conventions -----------------------------------------------------------------------------------------
inline constexpr const char* DBEIGENSCHAFT = "Eigenschaft";
inline constexpr const char* DBEINSTELL = "Einstell";
inline constexpr const char* DBGRDELEMENT = "GrdElement";
inline constexpr const char* DBMRKELEMENT = "MrkElement";
inline constexpr const char* DBMAKROREC = "MakroRec";
inline constexpr const char* DBBETRMITTEL = "BetrMittel";

// Start of an initialise: restores the placement under the family (nullptr:
// the dialog's own name; AP-GEBFenPos 1 makes every family the own name).
void DbDlgAnfang(const char* familie);
// The exit steps: placement saved under the same key, tooltips removed,
// focus back to the editor.
void DbDlgEnde(const char* familie);
// Enter (identifier 1): 1 when a focused picture button took it (its id is
// posted), else 0 and the caller confirms.
int DbEnter();

// The fill guard: writes of a fill, or of a handler's dependent fields,
// happen while one is alive, and change notifications are ignored then.
class DbFuellen {
public:
    DbFuellen();
    ~DbFuellen();
    DbFuellen(const DbFuellen&) = delete;
    DbFuellen& operator=(const DbFuellen&) = delete;
};
bool DbFuellt();

// Element dialogs: 1 when an element of another code than `code` (or, with
// `bis` > code, outside code..bis) is under construction; then message 51
// with its mnemonic is in the status line.
int DbAndererBefehl(int code, int bis = 0);

// Generic procedures of a dialog whose own code is not there yet: the
// conventions only (2500, 2501, 2 close; 1 as 2500 unless on a picture
// button; 2999 nothing).
int DbGrundBefehl(UINT nachricht, WPARAM wp, LPARAM lp);
// Opens a template with those procedures under the editor; 0 or -1.
int DbGrundOeffnen(const char* vorlage);
