// Stand-ins for the drawing editor's services that the frame calls, under
// their real names; each does the least its callers need and is deleted
// when the editor lands. The editor page is the empty template "EDITMAIN"
// titled with the drawing's path. Prefix none (the services' names), `Ph` for test
// accessors. Calls output (PhSeiteOeffnen), platform, support.
#pragma once

#include <string>
#include <vector>

#include "model/befehl.h"
#include "platform/windef.h"
#include "winlib/dialog.h"

void EdtZeiOeffnen(const char* pfad);
HWND EdtFenster();
void EdtAktivieren();
void EdtTitel(char* puffer);
void EdtTitelPruefen(char* puffer);
void EdtBefehlPosten(int id);
int EdtIstExtern();
int EdtRahmenBefehl(int id, LPARAM lp);
// No effect.
LRESULT EdtBefehl(UINT nachricht, WPARAM wp, LPARAM lp);
void EdtDeaktiviert();
void EdtPost(int id, LPARAM lp);
void EdtNachEinstellungen();

std::vector<std::string>& PhEditorAufrufe();

// The element under construction (arrives with element construction): none
// unless a test sets one; committing queues the test's records.
int BaubfAktiv();
void BaubfAbsetzen();
void BaubfAbbrechen();
std::vector<BEF>& PhBaubfSaetze();  // records BaubfAbsetzen queues
void PhBaubfSetzen(int aktiv);

// Picking and marking (arrive with picking): moves the marked objects'
// positions through the store.
void MarkVerschieben(double dx, double dy);
// Component definition (arrives with the macros): recorded.
void BauDefBeenden();

// The editor's dialog opener (arrives with the editor page): a dialog of
// that template already open is brought to the front, else it opens
// modeless; the dialog window, or 0. Recorded.
HWND EdtDialogOeffnen(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl);
// Focus back to the editor page. Recorded.
void EdtFokus();
// Element construction (arrives with element construction): the code of
// the element under construction (0 none); message 51 with its mnemonic.
int BaubfCode();
void BaubfMeldung();
void PhBaubfCodeSetzen(int code);
// Command execution (arrives with the editor): copies of the marked
// elements in a grid. Recorded as "MarkierteAnreihen(nx dx ny dy)".
void MarkierteAnreihen(int nx, double dx, int ny, double dy);
// The element under construction (arrives with element construction): one
// element, its step and its start point (the editor's position when it
// started). BaubfAbsetzen queues `_BA` with the start and the element when
// one was set. ObjBearbeiten finds nothing under the cursor and starts the
// code unless something is under construction.
void BaubfStarten(int code);
void BaubfHolen(BEF* b);
void BaubfSetzen(const BEF* b);
void BaubfSchritt(int n);
int BaubfSchrittHolen();
void BaubfDialogOffen(int an);
int PhBaubfDialogOffen();
void PhBaubfStart(double* x, double* y);
int ObjBearbeiten(int code);
// Starts `code` at (x, y); marks a stored object as being re-edited (recorded).
void BaubfStartenBei(int code, double x, double y);
void BaubfObjektSetzen(int id);
// Parallel lines (arrive with the input line): recorded as "MflBefehl(n)".
void MflBefehl(int n);  // under construction with that code; 0 none
