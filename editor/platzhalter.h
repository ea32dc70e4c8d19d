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


// Command strings and the context menus live in editor/kontext.h.
#include "editor/kontext.h"

// The input line lives in editor/eingabe.h; its callers here still find it
// through this header.
#include "editor/eingabe.h"
// The page's bars live in editor/leiste.h.
#include "editor/leiste.h"

// The line-up of marked objects lives in editor/befausf.h.
#include "editor/befausf.h"
