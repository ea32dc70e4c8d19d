// Stand-ins of the drawing editor's services (see platzhalter.h).
#include "editor/platzhalter.h"

#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "output/platzhalter.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/winconst.h"
#include "support/texte.h"

namespace {
std::vector<std::string> phAufrufe;
std::string phTitel;
HWND phSeite = 0;
}  // namespace

std::vector<std::string>& PhEditorAufrufe() { return phAufrufe; }

void EdtZeiOeffnen(const char* pfad)
{
    phTitel = pfad != nullptr ? pfad : "";
    phAufrufe.push_back("EdtZeiOeffnen(" + phTitel + ")");
    PhSeiteOeffnen(&phSeite, "EDITMAIN", phTitel.c_str());
}
HWND EdtFenster() { return PhSeite(&phSeite); }
void EdtAktivieren()
{
    phAufrufe.push_back("EdtAktivieren()");
    if (EdtFenster()) {
        ShowWindow(phSeite, SW_SHOW);
        SetActiveWindow(phSeite);
    }
}
// Callers pass buffers of at least 100 characters.
void EdtTitel(char* puffer) { strkopie(puffer, 100, phTitel.c_str(), 99); }
void EdtTitelPruefen(char* puffer) { EdtTitel(puffer); }
void EdtBefehlPosten(int id)
{
    phAufrufe.push_back("EdtBefehlPosten(" + std::to_string(id) + ")");
    PhSeitePost(&phSeite, id);
}
int EdtIstExtern() { return 0; }
int EdtRahmenBefehl(int, LPARAM) { return 0; }
LRESULT EdtBefehl(UINT, WPARAM, LPARAM) { return 0; }
void EdtDeaktiviert() {}
void EdtPost(int, LPARAM) {}
void EdtNachEinstellungen() {}
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
void BauDefBeenden() { phMerken("BauDefBeenden()"); }
void EingabeText(const char* text) { phMerken(std::string("EingabeText(") + (text != nullptr ? text : "") + ")"); }
void BaubfStarten(const BEF* b) { phMerken("BaubfStarten(" + BefZuText(b) + ")"); }
