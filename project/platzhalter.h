// Stand-ins for the project manager's services that the frame calls, and
// for the services of not yet built modules that the project manager page
// calls, under their real names; each does the least its callers need and
// is deleted when its module lands. Prefix none (the services' names), `Ph`
// for test accessors. Calls config, winlib (message boxes), platform.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/windef.h"
// The drawing list and the page are real; their callers reach them through
// this header too.
#include "project/proverw.h"
#include "project/pvwliste.h"
// Recent folders, short texts by language (dirhist, zeitxt) and the table of
// contents and subtitle list writers (inhalt) are real; the frame reaches
// their Pvw... names through this header.
#include "project/dirhist.h"
#include "project/inhalt.h"
#include "project/zeitxt.h"
// New projects and backups, the folder tree, the file update, the check
// lists, the title and import dialogs and the start-up screen are real.
#include "project/projneu.h"
#include "project/wrz.h"
#include "project/zv5.h"
#include "project/chkdlg.h"
#include "project/titeldlg.h"
#include "project/impdlg.h"
#include "project/startbild.h"
// The spell check of the dialogs is real.
#include "project/rschreib.h"

// Help paths, program information, web pages and the layer choice are real.
#include "project/hilfe.h"

// The frame's tests read the mode's help key under this name.
const char* PhHilfeSchluessel();
// The manual viewer and context help are real.
#include "project/hbview.h"

// ---- Called by the project manager page (proverw) ------------------------------------------------
// The batch export is real.
#include "project/export.h"
// Printing is real; the page reaches it through this header.
#include "output/druck.h"

// Recorded calls of the stand-ins with an effect (tests).
std::vector<std::string>& PhProjektAufrufe();

