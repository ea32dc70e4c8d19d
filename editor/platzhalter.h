// Stand-ins of the editor's later modules under their real names; each
// does the least its callers need and is deleted when its module lands.
// Prefix none (the services' names), `Ph` for test accessors. Calls the
// queue and store of model/, platform, support.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/befehl.h"
#include "platform/windef.h"
#include "winlib/dialog.h"


std::vector<std::string>& PhEditorAufrufe();

// The element under construction lives in editor/baubf.h; its callers
// here still find it through this header.
#include "editor/baubf.h"

// Picking and marking live in editor/objwahl.h.
#include "editor/objwahl.h"

struct STT;

// The point marks of the element under construction live in
// editor/edmarke.h.
#include "editor/edmarke.h"


// Command strings and the context menu (arrive with the drag buttons and
// command strings): recorded.
void BefehlsTextAusfuehren(const char* text);
void KontextMenueZeigen(int x, int y);

// The input line (arrives with the input line and histories): Enter in the
// input field queues its line (TextZuBef); a line that is no command beeps
// and stays in the field.
void EingabeStarten(int prompt, int eingabe);
// 1 when the message was the input line's.
int EingabeKommando(UINT nachricht, WPARAM wp, LPARAM lp);
// Toolbars of the page (arrive with the status fields and bars): recorded.
void LeisteLaden(const char* datei, const char* abschnitt, int art);

// The input line (arrives with the editor page): the text is recorded as
// "EingabeText(<text>)".
void EingabeText(const char* text);
// The line-up of marked objects lives in editor/befausf.h.
#include "editor/befausf.h"
