// Stand-ins of the drawing editor's services (see platzhalter.h).
#include "editor/platzhalter.h"

#include "editor/macro.h"

#include "model/beffifo.h"
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

void EddbAnmelden() {}
void EddbAbmelden() {}

namespace {
int phBaubf = 0;
std::vector<BEF> phBaubfSaetze;
void phMerken(const std::string& s) { phAufrufe.push_back(s); }
}  // namespace

int BaubfAktiv() { return phBaubf; }
void BaubfAbsetzen()
{
    phMerken("BaubfAbsetzen()");
    phBaubf = 0;
    for (const BEF& b : phBaubfSaetze) BefEinreihen(&b);
    phBaubfSaetze.clear();
}
void BaubfAbbrechen()
{
    phMerken("BaubfAbbrechen()");
    phBaubf = 0;
    phBaubfSaetze.clear();
}
std::vector<BEF>& PhBaubfSaetze() { return phBaubfSaetze; }
void PhBaubfSetzen(int aktiv) { phBaubf = aktiv; }


void MarkVerschieben(double dx, double dy)
{
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        if (!TzIstMarkiert(id)) continue;
        BEF b;
        STT s;
        if (TzObjHolen(id, &b, &s) != 0) continue;
        s.x += dx;
        s.y += dy;
        TzErsetzen(id, &b, &s);
    }
}
void MakroEingabeDialog(const char* name)
{
    phMerken(std::string("MakroEingabeDialog(") + name + ")");
    MakroStarten(name, 0);
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
