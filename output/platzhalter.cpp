// Stand-ins of the rendering, output and interchange services (see
// platzhalter.h). The viewer page is the empty template "SHOWZEICH".
#include "output/platzhalter.h"
#include "winlib/toolbar.h"

#include "config/datwache.h"
#include "platform/fenster.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/seitendienst.h"
#include "winlib/tbarhaken.h"

namespace {
std::vector<std::string> phAufrufe;
std::string phShowTitel;
HWND phShowSeite = 0;
int phToolbarBib = 0;

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

void ShowZeiAnzeigen(const char* pfad)
{
    phShowTitel = pfad != nullptr ? pfad : "";
    phAufrufe.push_back("ShowZeiAnzeigen(" + phShowTitel + ")");
    PhSeiteOeffnen(&phShowSeite, "SHOWZEICH", phShowTitel.c_str());
}

HWND ShowOffen()
{
    return PhSeite(&phShowSeite);
}

void ShowTitel(char* puffer)
{
    // Callers pass buffers of at least 100 characters.
    strkopie(puffer, 100, ShowOffen() ? phShowTitel.c_str() : "", 99);
}

void ShowBefehlSenden(int id)
{
    phAufrufe.push_back("ShowBefehlSenden(" + std::to_string(id) + ")");
    PhSeitePost(&phShowSeite, id);
}

void ShowAktivieren()
{
    phAufrufe.push_back("ShowAktivieren()");
    if (ShowOffen()) {
        ShowWindow(phShowSeite, SW_SHOW);
        SetActiveWindow(phShowSeite);
    }
    DatNeuPruefen(1);
}

void ToolbarBibLaden()
{
    if (phToolbarBib) {
        return;
    }
    TbarGroesseSetzen();
    wiTbarTabelleLeeren();
    wiTbarTabelleFrei(1);
    phToolbarBib = 1;
}

void ToolbarBibFrei()
{
    wiTbarTabelleFrei(0);
    phToolbarBib = 0;
}

int PhToolbarBibAn()
{
    return phToolbarBib;
}

void AnsichtKlasseAnmelden() {}
void AnsichtKlasseAbmelden() {}
// The font metrics measure on a screen-compatible context until the devices exist.
void AusgabeInit() { GdiSchriftMetrikStart(0); }
void AusgabeEnde() { SchriftEnde(); }

void DxfExport(const char* dxf, const char* zeichnung)
{
    phAufrufe.push_back(std::string("DxfExport(") + dxf + "," + zeichnung + ")");
}

void DxfPlatzierungSetzen(const JusTrafo*) {}

void DxfImport(const char* dxf, const char* zeichnung)
{
    phAufrufe.push_back(std::string("DxfImport(") + dxf + "," + zeichnung + ")");
}
