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

// A point mark of the given size in pixels (arrives with the edit tools):
// recorded.
void PunktMarkeZeichnen(double x, double y, int groesse);


// Command strings and the context menus live in editor/kontext.h.
#include "editor/kontext.h"

// The input line lives in editor/eingabe.h; its callers here still find it
// through this header.
#include "editor/eingabe.h"
// The page's bars live in editor/leiste.h.
#include "editor/leiste.h"

// The start-point dialog of parallel lines (arrives with the editor's small
// dialogs): recorded.
void DB1345Oeffnen();

// The value dialog of macros with "Input" lines (arrives with the editor's
// small dialogs): recorded, the macro runs without values.
void MakroEingabeDialog(const char* name);

// The equipment list page's placing of a component (arrives with the
// component assignment): recorded.
struct appbteil;
void UbzPlatzieren(const appbteil* b);
// Command execution (arrives with the editor): copies of the marked
// elements in a grid. Recorded as "MarkierteAnreihen(nx dx ny dy)".
void MarkierteAnreihen(int nx, double dx, int ny, double dy);
