// Stand-ins of the drawing editor's services (see platzhalter.h).
#include "editor/platzhalter.h"

#include "editor/zeidok.h"
#include "model/beffifo.h"
#include "model/textvar.h"
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
void phMerken(const std::string& s) { phAufrufe.push_back(s); }
}  // namespace

void BauDefBeenden() { phMerken("BauDefBeenden()"); }

void TexteEinfuegen(int art, const BEF*, const STT*, uint32_t id, const char* code, int nr)
{
    phMerken("TexteEinfuegen(" + std::to_string(art) + "," + std::to_string(id) + "," + code + "," + std::to_string(nr) + ")");
}
void BaubfZeichnen(const BEF* b, const STT*) { phMerken("BaubfZeichnen(" + std::to_string(b->code) + ")"); }
void PunktMarkeZeichnen(double, double, int groesse) { phMerken("PunktMarkeZeichnen(" + std::to_string(groesse) + ")"); }
void PhantomMerken(const BEF* b, const STT*) { phMerken("PhantomMerken(" + std::to_string(b->code) + ")"); }
void AnhangVerschieben(int obj, int phase, double, double, double, double, const double*)
{
    phMerken("AnhangVerschieben(" + std::to_string(obj) + "," + std::to_string(phase) + ")");
}
void BefehlsTextAusfuehren(const char* text) { phMerken(std::string("BefehlsTextAusfuehren(") + text + ")"); }
void KontextMenueZeigen(int x, int y)
{
    phMerken("KontextMenueZeigen(" + std::to_string(x) + "," + std::to_string(y) + ")");
}
void EdtZeiKontext()
{
    phAufrufe.push_back("EdtZeiKontext()");
    if (ZeiName()[0] != '\0') ZeiAktSetzen(ZeiName());
}
void TextAnzeigen(const char* pfad) { phAufrufe.push_back(std::string("TextAnzeigen(") + (pfad ? pfad : "") + ")"); }
void TextDateiExtern(const char* pfad) { phAufrufe.push_back(std::string("TextDateiExtern(") + (pfad ? pfad : "") + ")"); }
