// Stand-ins of the drawing editor's services (see platzhalter.h).
#include "editor/platzhalter.h"

#include <cstdio>
#include <cstdlib>

#include "config/reaktion.h"
#include "editor/edmeld.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/textvar.h"
#include "model/tempzeic.h"
#include "model/befehl.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/winconst.h"
#include "platform/nachrichtbox.h"
#include "support/texte.h"
#include "winlib/dialog.h"

namespace {
std::vector<std::string> phAufrufe;
HWND phEingabe = 0;
}  // namespace

std::vector<std::string>& PhEditorAufrufe() { return phAufrufe; }


namespace {
void phMerken(const std::string& s) { phAufrufe.push_back(s); }
}  // namespace

// Recorded, and run: steps at "|", "#n" posts n to the page, every other
// step goes the way of a typed line.
void BefehlsTextAusfuehren(const char* text)
{
    phMerken(std::string("BefehlsTextAusfuehren(") + text + ")");
    std::string rest = text != nullptr ? text : "";
    while (!rest.empty()) {
        const size_t strich = rest.find('|');
        char schritt[180];
        strkopie(schritt, sizeof schritt, rest.substr(0, strich).c_str(), sizeof schritt - 1);
        rest = strich == std::string::npos ? "" : rest.substr(strich + 1);
        strtrim(schritt);
        if (schritt[0] == '#') {
            HWND seite = phEingabe != 0 && IsWindow(phEingabe) ? GetParent(phEingabe) : 0;
            if (seite) PostMessage(seite, WM_COMMAND, static_cast<WPARAM>(std::atoi(schritt + 1)), 0);
            continue;
        }
        BEF b;
        if (schritt[0] != '\0' && TextZuBef(&b, schritt) == 0) BefEinreihen(&b);
    }
}
void KontextMenueZeigen(int x, int y)
{
    phMerken("KontextMenueZeigen(" + std::to_string(x) + "," + std::to_string(y) + ")");
}

void EingabeStarten(int, int eingabe)
{
    phEingabe = GetDlgItem(wiDlgFenster(), eingabe);
    if (phEingabe) SetWindowText(phEingabe, "");
}

int EingabeKommando(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND || LOWORD(wp) != 1 || !phEingabe || !IsWindow(phEingabe)) return 0;
    if (GetFocus() != phEingabe && !IsChild(phEingabe, GetFocus())) return 0;
    char zeile[180] = "";
    GetWindowText(phEingabe, zeile, sizeof zeile);
    strtrim(zeile);
    if (zeile[0] == '\0') return 1;
    BEF b;
    if (TextZuBef(&b, zeile) != 0) {
        MessageBeep(0);
        return 1;
    }
    SetWindowText(phEingabe, "");
    BefEinreihen(&b);
    return 1;
}

void LeisteLaden(const char* datei, const char* abschnitt, int art)
{
    phMerken(std::string("LeisteLaden(") + datei + "," + abschnitt + "," + std::to_string(art) + ")");
}
void EingabeText(const char* text) { phMerken(std::string("EingabeText(") + (text != nullptr ? text : "") + ")"); }
