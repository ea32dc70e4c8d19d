// The configuration layer's interface to the window system (see
// konfhaken.h). Prefix `konf`. Holds the installed members and the stand-ins.
#include "config/konfhaken.h"

#include <cstdio>

#include "platform/ressource.h"

namespace {

KonfEmpfangen konfWerte;

HWND konfStDlgFenster() { return 0; }
const char* konfStDlgName() { return "Main"; }
int konfStTitelHolen(char* puffer, int groesse)
{
    if (puffer && groesse > 0) puffer[0] = '\0';
    return 0;
}
void konfStTitelSetzen(const char*) {}
HMODULE konfStDlgModul(const char*) { return GetModuleHandle(nullptr); }
BOOL konfStPlatzHolen(HWND, WINDOWPLACEMENT*) { return FALSE; }
BOOL konfStPlatzSetzen(HWND, const WINDOWPLACEMENT*) { return FALSE; }
BOOL konfStRechteck(HWND, RECT*) { return FALSE; }
void konfStBewegen(HWND, int, int) {}
void konfStDesktop(RECT* r)
{
    if (r) *r = RECT{0, 0, 1024, 768};
}
void konfStWarnung(const char* text) { std::fprintf(stderr, "%s\n", text ? text : ""); }
HFONT konfStSchrift(int, const char*) { return 0; }
HFONT konfStStandard(int) { return 0; }
void konfStLoeschen(HFONT) {}
void konfStSchriftEmpfangen(int n, HFONT s)
{
    if (n >= 0 && n < 4) konfWerte.schrift[n] = s;
}
void konfStFarben(COLORREF a, COLORREF b, COLORREF c)
{
    konfWerte.farbe[0] = a;
    konfWerte.farbe[1] = b;
    konfWerte.farbe[2] = c;
}
void konfStZebra(int ein) { konfWerte.zebra = ein; }
void konfStPfadModus(int m) { konfWerte.pfadModus = m; }
void konfStFensterIni(const char* pfad) { konfWerte.fensterIni = pfad ? pfad : ""; }
int konfStDateiDialog(int, const char*, const char*, char*, int) { return 0; }
int konfStHulTextSpalten() { return 1; }

const KonfHaken konfStandIns = {
    konfStDlgFenster, konfStDlgName, konfStTitelHolen, konfStTitelSetzen, konfStDlgModul,
    konfStPlatzHolen, konfStPlatzSetzen, konfStRechteck, konfStBewegen, konfStDesktop,
    konfStWarnung, konfStSchrift, konfStStandard, konfStLoeschen, konfStSchriftEmpfangen,
    konfStFarben, konfStZebra, konfStPfadModus, konfStFensterIni, konfStDateiDialog,
    konfStHulTextSpalten,
};

KonfHaken konfAktuell = konfStandIns;

template <typename T>
void konfUebernehmen(T& ziel, T neu, T standIn)
{
    ziel = neu ? neu : standIn;
}

}  // namespace

const KonfHaken& konfHaken()
{
    return konfAktuell;
}

void konfHakenSetzen(const KonfHaken& h)
{
    const KonfHaken& s = konfStandIns;
    KonfHaken& a = konfAktuell;
    konfUebernehmen(a.dlgFenster, h.dlgFenster, s.dlgFenster);
    konfUebernehmen(a.dlgName, h.dlgName, s.dlgName);
    konfUebernehmen(a.dlgTitelHolen, h.dlgTitelHolen, s.dlgTitelHolen);
    konfUebernehmen(a.dlgTitelSetzen, h.dlgTitelSetzen, s.dlgTitelSetzen);
    konfUebernehmen(a.dlgModul, h.dlgModul, s.dlgModul);
    konfUebernehmen(a.platzHolen, h.platzHolen, s.platzHolen);
    konfUebernehmen(a.platzSetzen, h.platzSetzen, s.platzSetzen);
    konfUebernehmen(a.fensterRechteck, h.fensterRechteck, s.fensterRechteck);
    konfUebernehmen(a.fensterBewegen, h.fensterBewegen, s.fensterBewegen);
    konfUebernehmen(a.desktop, h.desktop, s.desktop);
    konfUebernehmen(a.warnung, h.warnung, s.warnung);
    konfUebernehmen(a.schriftErzeugen, h.schriftErzeugen, s.schriftErzeugen);
    konfUebernehmen(a.schriftStandard, h.schriftStandard, s.schriftStandard);
    konfUebernehmen(a.schriftLoeschen, h.schriftLoeschen, s.schriftLoeschen);
    konfUebernehmen(a.schriftEmpfangen, h.schriftEmpfangen, s.schriftEmpfangen);
    konfUebernehmen(a.listenFarben, h.listenFarben, s.listenFarben);
    konfUebernehmen(a.zebra, h.zebra, s.zebra);
    konfUebernehmen(a.pfadModus, h.pfadModus, s.pfadModus);
    konfUebernehmen(a.fensterIni, h.fensterIni, s.fensterIni);
    konfUebernehmen(a.dateiDialog, h.dateiDialog, s.dateiDialog);
    konfUebernehmen(a.hulTextSpalten, h.hulTextSpalten, s.hulTextSpalten);
}

void konfHakenZuruecksetzen()
{
    konfAktuell = konfStandIns;
    konfWerte = KonfEmpfangen{};
}

const KonfEmpfangen& konfEmpfangen()
{
    return konfWerte;
}
