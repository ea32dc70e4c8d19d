// The start-up screen: picture buttons for the main ways in (new project,
// manual, web pages, project list, component documentation) and the list of
// recent project folders with their titles, from which one is opened.
// Layout "PVWSTARTUP1" with surface style 1, else "PVWSTARTUP". Prefix
// `Start` (the dialog's helpers `sb`). Calls project/dirhist (recent
// folders), equipment/utitel (titles of other projects), config (paths,
// surface style), controls (list and picture displays), winlib (dialogs).
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"

inline constexpr int STARTPFADSUP = 200;
inline constexpr int STARTTITELSUP = 80;

struct StartEintrag {
    std::string pfad;      // without a trailing separator
    std::string titel[3];
    bool vorlage = false;  // the shipped sample: chosen, it makes a new project
};

// The recent folders 1680..1689 that are set, with the titles of their
// "Projekt.zvk" (empty when it cannot be read); after them the program
// folder's "Muster" (always when there is no recent folder, else when it
// exists), which is never opened itself: choosing it makes a new project
// from it.
std::vector<StartEintrag> StartListe();
// Half-lines of a row: 8 with a second or third title, else 6.
int StartZeilenHoehe(const StartEintrag* e);
// "<WWW>" replaced by the web address for the user's country.
std::string StartWww(const char* text);

HWND StartBild();

// The frame's name.
void PvwStartDialog();
