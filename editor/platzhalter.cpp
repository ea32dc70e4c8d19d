// Stand-ins of the drawing editor's services (see platzhalter.h).
#include "editor/platzhalter.h"

#include <cstdio>

#include "config/reaktion.h"
#include "editor/edmeld.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
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

namespace {
int phBaubf = 0;
std::vector<BEF> phBaubfSaetze;
void phMerken(const std::string& s) { phAufrufe.push_back(s); }
}  // namespace

int BaubfAktiv() { return phBaubf; }
namespace {
int phBaubfCode = 0;
BEF phElement{};
bool phElementGesetzt = false;
int phSchritt = 0;
double phStartX = 0, phStartY = 0;
int phDialogOffen = 0;

}  // namespace
int BaubfCode() { return phBaubf ? phBaubfCode : 0; }
void BaubfMeldung() { StatusTextf(TextNr1000(51), BefName(BaubfCode())); }
void PhBaubfCodeSetzen(int code)
{
    phBaubfCode = code;
    phBaubf = code != 0;
}

void BaubfStarten(int code)
{
    phMerken("BaubfStarten(" + std::to_string(code) + ")");
    PhBaubfCodeSetzen(code);
    phElement = BEF{};
    phElement.code = static_cast<uint8_t>(code);
    phElementGesetzt = true;
    phSchritt = 0;
    const STT* s = modh::EditorZustand();
    phStartX = s != nullptr ? s->x : 0;
    phStartY = s != nullptr ? s->y : 0;
}
void BaubfHolen(BEF* b) { *b = phElement; }
void BaubfSetzen(const BEF* b)
{
    phElement = *b;
    phElementGesetzt = true;
}
void BaubfSchritt(int n) { phSchritt = n; }
int BaubfSchrittHolen() { return phSchritt; }
void BaubfDialogOffen(int an) { phDialogOffen = an; }
int PhBaubfDialogOffen() { return phDialogOffen; }
void PhBaubfStart(double* x, double* y)
{
    *x = phStartX;
    *y = phStartY;
}
void BaubfStartenBei(int code, double x, double y)
{
    BaubfStarten(code);
    phStartX = x;
    phStartY = y;
}
void BaubfObjektSetzen(int id) { phMerken("BaubfObjektSetzen(" + std::to_string(id) + ")"); }
int ObjBearbeiten(int code)
{
    if (!phBaubf) BaubfStarten(code);
    return 0;
}

HWND EdtDialogOeffnen(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl)
{
    phMerken(std::string("EdtDialogOeffnen(") + name + ")");
    return wiDlgOeffnen(name, init, exit, befehl);  // raises an open one
}

void MarkierteAnreihen(int nx, double dx, int ny, double dy)
{
    char t[120];
    std::snprintf(t, sizeof t, "MarkierteAnreihen(%d %g %d %g)", nx, dx, ny, dy);
    phMerken(t);
}

void MflBefehl(int n) { phMerken("MflBefehl(" + std::to_string(n) + ")"); }

void EdtFokus()
{
    phMerken("EdtFokus()");
    if (EdtFenster()) SetFocus(phSeite);
}
void BaubfAbsetzen()
{
    phMerken("BaubfAbsetzen()");
    phBaubf = 0;
    for (const BEF& b : phBaubfSaetze) BefEinreihen(&b);
    phBaubfSaetze.clear();
    if (phElementGesetzt) {
        BefEinreihenXY(21, phStartX, phStartY);  // _BA
        BefEinreihen(&phElement);
    }
    phElementGesetzt = false;
}
void BaubfAbbrechen()
{
    phMerken("BaubfAbbrechen()");
    phBaubf = 0;
    phBaubfSaetze.clear();
    phElementGesetzt = false;
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
