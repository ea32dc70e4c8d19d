// Stand-ins for the services of the rendering, output and interchange
// layer that the frame and the lower layers call, under their real names;
// each does the least its callers need and is deleted when the real module
// lands. Prefix none (the services' own names), `Ph` for test accessors.
// Calls winlib (dialog manager, page services, toolbar hooks), platform.
#pragma once

#include <string>
#include <vector>

#include "output/bilder.h"
#include "platform/windef.h"

// Fonts (schrift): the real SchriftSetzen lives in output/schrift; included
// here so that callers of the former stand-in keep compiling.
#include "output/schrift.h"
// The renderer's flag and the drawing layer's target: the real ones, for
// the callers of the former stand-ins.
#include "output/element.h"
#include "output/gdi.h"
// The view class and the output devices' start and end: the real ones.
#include "output/ansicht.h"
// The DXF export and import: the real ones, for the command-file words.
#include "output/dxfexp.h"
#include "output/dxfimp.h"

// The viewer page: the real one, for the callers of the former stand-ins.
#include "output/show.h"
// The toolbar image module (ToolbarBibLaden / ToolbarBibFrei), included
// here for the callers of the former stand-ins.
#include "output/tbar.h"

// An empty page of a mode until its module lands: the template as a
// modeless child of the main window, registered in the frame's page table
// (shown again when it is still open), titled when a title is given; kept
// in *seite. 0 when it cannot be made. The layers above use it too.
HWND PhSeiteOeffnen(HWND* seite, const char* vorlage, const char* titel);
// The page when it is still a window, else 0.
HWND PhSeite(HWND* seite);
// Posts WM_COMMAND id to the page when it is open.
void PhSeitePost(HWND* seite, int id);

// BildBibLaden / BildBibFrei are in output/bilder.h, included above for the
// callers of the old stand-ins.

// Recorded calls of the stand-ins with an effect or an argument (tests).
std::vector<std::string>& PhAusgabeAufrufe();
