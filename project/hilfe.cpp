// Help and program information (see hilfe.h).
#include "project/hilfe.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "model/einstell.h"
#include "platform/nachricht.h"
#include "platform/orte.h"
#include "platform/shell.h"
#include "platform/winconst.h"
#include "project/startbild.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/wibild.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

char hilfeSchluessel[HILFESCHLUESSELSUP + 1] = "";

void hOrdnerName(const char* ordner, const char* name, char* puffer, size_t groesse)
{
    std::string o = ordner ? ordner : "";
    while (!o.empty() && (o.back() == '/' || o.back() == '\\')) o.pop_back();
    // Cut to the buffer it would name another file: refused with the limit.
    PfadKopieren(puffer, groesse, (o + "/" + name).c_str());
}

// ---- "ZvCopy" ----

int icInit(int, const char* const*)
{
    wiDlgModal();
    HBITMAP logo = wiBitmapLaden(wiGrosseSchrift() ? "ZVCOPY_G" : "ZVCOPY_K");
    if (logo) SendMessage(wiItem(4000), STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(logo));
    // Version, years and the first name of each block stand out; the
    // places are set smaller.
    for (int id : {3000, 3001, 3010, 3020})
        if (HFONT s = OFSchrift(0)) wiItemFont(id, s);
    for (int id : {3012, 3022})
        if (HFONT s = OFSchrift(2)) wiItemFont(id, s);
    wiDlgZentrieren();
    return 0;
}

int icExit() { return 0; }

int icBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 2500: case 2: case 4000: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// ---- "LayerShow" ----

int lsInit(int, const char* const*)
{
    wiDlgModal();
    for (int n = 1; n <= 20; ++n) {
        char name[STIFTNAMESUP + 1] = "";
        LayerName(n, name);
        char kurz[STIFTNAMESUP + 1];
        strkopie(kurz, name, STIFTNAMESUP);
        strtrim(kurz);
        if (!kurz[0]) continue;
        char eintrag[STIFTNAMESUP + 16];
        std::snprintf(eintrag, sizeof eintrag, "%2d %s", n, name);
        wiListeAnhaengen(3000, eintrag);
    }
    int anzahl = wiListeAnzahl(3000);
    for (int i = 0; i < anzahl; ++i) {
        char t[STIFTNAMESUP + 16] = "";
        wiListeText(3000, i, t);
        wiListeMarkSetzen(3000, i, LayerSichtbar(std::atoi(t)) ? 1 : 0);
    }
    return 0;
}

int lsExit() { return 0; }

int lsBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    if (LOWORD(wp) == 3000 && HIWORD(wp) == LBN_SELCHANGE) {
        int anzahl = wiListeAnzahl(3000);
        for (int i = 0; i < anzahl; ++i) {
            char t[STIFTNAMESUP + 16] = "";
            wiListeText(3000, i, t);
            int n = std::atoi(t);
            if (n >= 1 && n <= 20) LayerSichtSetzen(n, wiListeMarkiert(3000, i));
        }
        PostMessage(anwHauptfenster(), WM_COMMAND, 5002, 0);
    }
    if (LOWORD(wp) == 2) wiDlgSchliessen();
    return 0;
}

}  // namespace

void HilfeDateiPfad(const char* name, char* puffer, size_t groesse)
{
    char ordner[101] = "";
    if (VgbOeffnen() == 0) {
        VgbText("ZvHlpPfad", ordner, 100);
        VgbSchliessen();
    }
    strtrim(ordner);
    if (ordner[0]) {
        PfadPlatzhalter(ordner);
        hOrdnerName(ordner, name, puffer, groesse);
    } else {
        hOrdnerName(VerZeiger(0), name, puffer, groesse);
        // The books are made when the program is built and lie beside it
        // until they are installed with the data.
        char neben[400];
        hOrdnerName(plOrtProgramm().c_str(), name, neben, sizeof neben);
        if (!dateiexist(puffer) && dateiexist(neben)) strkopie(puffer, groesse, neben, static_cast<int>(groesse) - 1);
    }
}

void HandbuchPfad(char* puffer, size_t groesse) { HilfeDateiPfad("Velmo.pdf", puffer, groesse); }

void HilfeSchluesselSetzen(const char* schluessel)
{
    strkopie(hilfeSchluessel, schluessel ? schluessel : "", HILFESCHLUESSELSUP);
}
const char* HilfeSchluessel() { return hilfeSchluessel; }

char* HilfeThema(char* puffer)
{
    HWND aktiv = wiDlgAktiv();
    puffer[0] = '\0';
    if (aktiv) {
        wiDlgHilfe(aktiv, puffer);
        if (!puffer[0]) wiDlgNameVon(aktiv, puffer);
    }
    if (!puffer[0]) strkopie(puffer, HILFESCHLUESSELSUP + 1, hilfeSchluessel, HILFESCHLUESSELSUP);
    return puffer;
}

namespace {

// A book handed to the desktop's PDF viewer; a missing file or viewer is
// said in one line instead of nothing happening.
void hBuchOeffnen(const char* name)
{
    char p[400];
    HilfeDateiPfad(name, p, sizeof p);
    if (!dateiexist(p)) {
        wiMeldung("%s ist nicht vorhanden.", p);
        return;
    }
    char programm[MAX_PATH + 1] = "";
    if (FindExecutable(p, nullptr, programm) <= 32 || wiShellOeffnen(p) <= 32)
        wiMeldung("Kein Programm zum Anzeigen von PDF-Dateien gefunden (%s).", p);
}

}  // namespace

void HilfePdfOeffnen() { hBuchOeffnen("Velmo.pdf"); }
void BauteilDokuOeffnen() { hBuchOeffnen("Velmo-Bauteile.pdf"); }
void HandbuchOeffnen() { hBuchOeffnen("Velmo-Handbuch.pdf"); }

void InfoOeffnen() { wiDlgOeffnen("ZvCopy", icInit, icExit, icBefehl); }

void InternetOeffnen()
{
    std::string adresse = StartWww("<WWW>");
    if (adresse.rfind("http", 0) != 0) adresse = "https://" + adresse;
    if (wiShellOeffnen(adresse.c_str()) <= 32)
        wiMeldung("Kein Browser gefunden: %s kann nicht ge\xF6" "ffnet werden.", adresse.c_str());
}

void LayerAnzeigeDlg() { wiDlgOeffnen("LayerShow", lsInit, lsExit, lsBefehl); }
