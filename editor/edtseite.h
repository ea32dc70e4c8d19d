// The editor page: the page dialog "EDITMAIN" of mode 1531, docked in the
// main window or as a separate window; the start and end of every editor
// module in one ordered table, the page's command procedure, the menu
// handler of "EDT_MENU", the switch between docked and separate, the title
// and menu refresh, and the operations through which the rest of the
// program reaches the editor. Prefix `Edt` (file helpers `eds`). Calls the
// editor's command execution, document and messages, the queue and store of
// model/, the view of output/, the page services, toolbars and dialogs of
// winlib/, the project page of project/ and the page's bars (leiste.h).
//
// Invariants:
//  1. The page window is non-zero exactly while the run state is 1.
//  2. The modules of the table are started in table order by EdtInit and
//     ended in reverse by EdtExit; an exit runs only for a started row.
//  3. A pending drawing name is queued only after every module has started.
//  4. The follow-up command is posted once, after the exit has finished.
#pragma once

#include "model/befehl.h"
#include "platform/windef.h"

constexpr int EDTPFADSUP = 200;   // characters of the pending drawing name
constexpr int EDTTITELSUP = 80;   // characters of the remembered title
constexpr int EDTMODUS = 1531;    // the shell's mode of the editor
constexpr int EDTMODUSPVW = 1530; // the project manager's

// ---- Operations other parts call ---------------------------------------------------------------
void EdtZeiOeffnen(const char* pfad);
void EdtZeiLaden(const char* pfad);  // queues ZZ with the path
HWND EdtFenster();
// Tests of the dialogs: a plain window takes the page's posted commands.
void EdtFensterFuerTests(HWND fenster);
int EdtIstExtern();
int EdtExternOffen();
int EdtLaeuft();
int EdtZeichenfeldId();
void EdtBefehlPosten(int id);
void EdtKommandoPosten(int id, LPARAM lp);
void EdtAbarbeitenPosten();
void EdtAnsichtAktualisieren();
void EdtAktivierungMelden();
void EdtAktivieren();
void EdtFokus();
void EdtZeiKontext();
void EdtOrdnerFolgen();
// 0 when the page is not open; else closes it asking, then posts id to fenster.
int EdtSchliessenDann(HWND fenster, int id);
void EdtHandlerSperren(int flag);
void EdtEinstellungenNeu();
HWND EdtDialogOeffnen(const char* name, int (*init)(int, const char* const*), int (*exit)(),
                      int (*befehl)(UINT, WPARAM, LPARAM));

// ---- Glue of the editor's modules --------------------------------------------------------------
int EdtBeschaeftigt();
void EdtVorschauLoeschen();
void EdtVorschauZeigen();
void EdtBauAbbrechen();
int EdtBauAbsetzen();
// The element under construction takes its shape from the cursor position.
void EdtMausBewegt();
void EdtQueueLeer();
// mode 0 unmark, 1 mark, 2 toggle; ansicht 1/2: the object's state becomes
// the current one (1 keeps the position). The new mark.
int ObjMarkieren(int id, int modus, int ansicht);
void EdtAllesDemarkieren();
int CursorObjMarkiert();
void CursorObjHolen(BEF* b);
int CursorObjekt();

// ---- The page ------------------------------------------------------------------------------------
int EdtInit(int anzahl, const char* const* texte);
int EdtExit();
int EdtKommando(UINT nachricht, WPARAM wp, LPARAM lp);
// Page events: 1 when taken.
int EdtSeitenNachricht(UINT nachricht, WPARAM wp, LPARAM lp);
// The menu handler: 1 when the id is one of its own.
int EdtMenueBefehl(int id);
void EdtTitelMenueAktualisieren(int erzwingen);
// The title text of the drawing (application title, name, paper).
const char* ZeiTitel();

// Installs the page's members into the editor hooks of model/.
void EdtHakenSetzen();

// Tests: names of the module rows started, in order; the pending name.
int EdtModulAnzahl();
const char* EdtModulName(int i);
const char* EdtWartenderName();
