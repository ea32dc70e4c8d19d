// Stand-ins of the rendering, output and interchange services (see
// platzhalter.h).
#include "output/platzhalter.h"
#include "winlib/toolbar.h"

#include "platform/fenster.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/seitendienst.h"
#include "winlib/tbarhaken.h"

namespace {
std::vector<std::string> phAufrufe;

int phInit(int, const char* const*) { return 0; }
int phExit() { return 0; }
int phBefehl(UINT, WPARAM, LPARAM) { return 0; }
}  // namespace

HWND PhSeite(HWND* seite)
{
    if (*seite != 0 && !IsWindow(*seite)) {
        *seite = 0;
    }
    return *seite;
}

HWND PhSeiteOeffnen(HWND* seite, const char* vorlage, const char* titel)
{
    if (PhSeite(seite) == 0) {
        *seite = wiDlgEinbetten(anwHauptfenster(), vorlage, phInit, phExit, phBefehl, nullptr, 0);
        if (*seite == 0) {
            return 0;
        }
        wiSeiteAnmelden(*seite);
    }
    if (titel != nullptr) {
        SetWindowText(*seite, titel);
    }
    ShowWindow(*seite, SW_SHOW);
    return *seite;
}

void PhSeitePost(HWND* seite, int id)
{
    if (PhSeite(seite) != 0) {
        PostMessage(*seite, WM_COMMAND, static_cast<WPARAM>(id), 0);
    }
}

std::vector<std::string>& PhAusgabeAufrufe()
{
    return phAufrufe;
}

