// Stand-ins for the drawing editor's services that the frame calls, under
// their real names; each does the least its callers need and is deleted
// when the editor lands. The editor page is the empty template "EDITMAIN"
// titled with the drawing's path. Prefix none (the services' names), `Ph` for test
// accessors. Calls output (PhSeiteOeffnen), platform, support.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/befehl.h"
#include "platform/windef.h"

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
void EddbAnmelden();
void EddbAbmelden();
// The drawing context back to the editor after an evaluation (arrives with
// the editor's drawing context): the editor's drawing becomes current again.
void EdtZeiKontext();
// The text-file viewer and the external text editor (arrive with the
// master data): recorded with the path.
void TextAnzeigen(const char* pfad);
void TextDateiExtern(const char* pfad);

std::vector<std::string>& PhEditorAufrufe();

// The element under construction lives in editor/baubf.h; its callers
// here still find it through this header.
#include "editor/baubf.h"

// Picking and marking live in editor/objwahl.h.
#include "editor/objwahl.h"

// Component definition (arrives with the macros): recorded.
void BauDefBeenden();

// Generated equipment texts (arrive with the text generator): recorded as
// "TexteEinfuegen(art,id,code,nr)".
struct STT;
void TexteEinfuegen(int art, const BEF* b, const STT* s, uint32_t id, const char* code, int nr);

// Editor screen drawing (arrives with the editor page): the element under
// construction and a point mark of the given size in pixels, recorded.
void BaubfZeichnen(const BEF* b, const STT* s);
void PunktMarkeZeichnen(double x, double y, int groesse);

// Deleted-object phantoms and attached lines (arrive with the edit tools):
// recorded.
void PhantomMerken(const BEF* b, const STT* s);
void AnhangVerschieben(int obj, int phase, double x0, double y0, double x1, double y1, const double box[4]);

// Command strings and the context menu (arrive with the drag buttons and
// command strings): recorded.
void BefehlsTextAusfuehren(const char* text);
void KontextMenueZeigen(int x, int y);
