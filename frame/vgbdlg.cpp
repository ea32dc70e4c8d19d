// The dialogs of the defaults sets: "VorListeGB" chooses the set, the
// language and the identifier norm; "VorEditGB" edits the keys of one key
// group, each change stored at once. Prefix `Vgb` (file-static helpers
// `vgbd`). May call every lower folder and modus.h (NachEinstellungen,
// BefehlVerteilen).
//
// VorEditGB stores every change at once ("AP-" keys straight into the ini
// file); OK writes the set, Cancel only closes, and the changes of the set
// go with the store when the dialog was its last user.
#include "frame/vgbdlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "config/apstil.h"
#include "config/datwache.h"
#include "config/reaktion.h"
#include "config/verordner.h"
#include "config/verzeich.h"
#include "config/vorgabdb.h"
#include "config/vorgaben.h"
#include "config/vgbziel.h"
#include "controls/elseite.h"
#include "frame/modus.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/shell.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/wibild.h"
#include "winlib/winbib.h"

namespace {

std::string vgbdTrim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

// Paths compare with '/' and '\' alike.
bool vgbdPfadGleich(std::string a, std::string b)
{
    for (char& c : a) if (c == '\\') c = '/';
    for (char& c : b) if (c == '\\') c = '/';
    return a == b;
}

// ---- VorListeGB --------------------------------------------------------------------------------
struct VgbdWahl {
    std::vector<std::string> pfade;
    std::vector<int> sprachen;   // language number of each row of 3100
    bool setGeaendert = false;
    bool spracheGeaendert = false;
    bool normGeaendert = false;
};
VgbdWahl vgbdW;

void vgbdSetZeile(const char* pfad, const char* anzeige, void*)
{
    char zeile[VGBANZEIGESUP + MAX_PATH + 2];
    std::snprintf(zeile, sizeof zeile, "%-80s%s", anzeige, pfad);
    wiListeAnhaengen(3000, zeile);
    vgbdW.pfade.emplace_back(pfad);
}

void vgbdPfadZeigen()
{
    int i = wiListeWahl(3000);
    const std::string p = i >= 0 && i < static_cast<int>(vgbdW.pfade.size()) ? vgbdW.pfade[static_cast<size_t>(i)] : "";
    wiTextSetzen(3002, p.c_str());
}

void vgbdSprachen()
{
    wiComboLeeren(3100);
    vgbdW.sprachen.clear();
    std::vector<SprZeile> zeilen;
    std::string pfad;
    // Read short: no languages, so the current one is taken.
    if (SprDateiLesen(&zeilen, &pfad) == -2) wiMeldung("Kann %s nicht lesen.", pfad.c_str());
    for (const SprZeile& z : zeilen) {
        std::string t = vgbdTrim(z.text);
        if (t.empty()) continue;
        wiComboAnhaengen(3100, t.c_str());
        vgbdW.sprachen.push_back(std::atoi(t.c_str()));
    }
    for (size_t i = 0; i < vgbdW.sprachen.size(); ++i) {
        if (vgbdW.sprachen[i] == SprNummer()) wiComboWahlSetzen(3100, static_cast<int>(i));
    }
}

int vgbdWahlInit(int, const char* const*)
{
    vgbdW = VgbdWahl{};
    wiDlgPosLaden("VorListeGB");
    vgbdSprachen();
    wiComboLeeren(3200);
    for (int n = 0; n < 2; ++n) {
        char name[100];
        BMNormName(n, name, sizeof name);
        wiComboAnhaengen(3200, name);
    }
    wiComboWahlSetzen(3200, BMNorm());
    wiListeLeeren(3000);
    VgbSetsAuflisten(vgbdSetZeile, nullptr);
    int wahl = 0;
    for (size_t i = 0; i < vgbdW.pfade.size(); ++i) {
        if (vgbdPfadGleich(vgbdTrim(vgbdW.pfade[i]), VgbSetPfadZeiger())) {
            wahl = static_cast<int>(i);
            break;
        }
    }
    wiListeWahlSetzen(3000, wahl);
    vgbdPfadZeigen();
    vgbdW.setGeaendert = vgbdW.spracheGeaendert = vgbdW.normGeaendert = false;
    return 0;
}

int vgbdWahlExit()
{
    wiDlgPosSichern("VorListeGB");
    return 0;
}

void vgbdWahlOk()
{
    int i = wiListeWahl(3000);
    if (vgbdW.setGeaendert && i >= 0 && i < static_cast<int>(vgbdW.pfade.size())) {
        const std::string& pfad = vgbdW.pfade[static_cast<size_t>(i)];
        size_t s = pfad.find_last_of("/\\");
        std::string name = pfad.substr(s == std::string::npos ? 0 : s + 1);
        size_t p = name.rfind('.');
        if (p != std::string::npos) name.resize(p);
        VgbSetSetzen(name.c_str(), pfad.c_str());
        DatWechselZaehlen();
        OrdnerEinstLaden();
    }
    if (vgbdW.spracheGeaendert) {
        int k = wiComboWahl(3100);
        if (k >= 0 && k < static_cast<int>(vgbdW.sprachen.size())) SprSetzen(vgbdW.sprachen[static_cast<size_t>(k)]);
        NachEinstellungen();
    }
    if (vgbdW.normGeaendert) {
        BMNormSetzen(wiComboWahl(3200));
        NachEinstellungen();
    }
    BefehlVerteilen(2998, 1);
    wiDlgSchliessen();
}

int vgbdWahlBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    // The set list and both combo boxes are drawn in the list look.
    if (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM) {
        return ElsLbZeichnen(3000, nullptr, nachricht, wp, lp) || ElsCbZeichnen(3100, nullptr, nachricht, wp, lp) ||
               ElsCbZeichnen(3200, nullptr, nachricht, wp, lp);
    }
    if (nachricht != WM_COMMAND) return 0;
    int id = LOWORD(wp), code = HIWORD(wp);
    switch (id) {
    case 3000:
        if (code == LBN_SELCHANGE) {
            vgbdPfadZeigen();
            vgbdW.setGeaendert = true;
        } else if (code == LBN_DBLCLK) {
            vgbdWahlOk();
        }
        break;
    case 3100: if (code == CBN_SELCHANGE) vgbdW.spracheGeaendert = true; break;
    case 3200: if (code == CBN_SELCHANGE) vgbdW.normGeaendert = true; break;
    case 1: case 2500: vgbdWahlOk(); break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// ---- VorEditGB ---------------------------------------------------------------------------------
inline constexpr int VGBDINFOSUP = 10;

struct VgbdEdit {
    std::string gruppe;
    VgbDb db;
    std::vector<const VgbDbSchluessel*> zeilen;
    bool fuellen = false;  // the dialog sets edit 3000 itself
};
VgbdEdit vgbdE;

std::string vgbdWert(const std::string& schluessel)
{
    char wert[VGBZEILESUP + 1] = "";
    VgbFehlMeldung(0);
    VgbText(schluessel.c_str(), wert, VGBZEILESUP);
    VgbFehlMeldung(1);
    return wert;
}

// Pixels `text` takes in the font of `feld`.
int vgbdBreite(HWND feld, const std::string& text)
{
    HDC dc = GetDC(feld);
    if (!dc) return 0;
    // A field without a font of its own draws in the dialogs' system font.
    HGDIOBJ schrift = static_cast<HGDIOBJ>(SendMessage(feld, WM_GETFONT, 0, 0));
    HGDIOBJ alt = SelectObject(dc, schrift ? schrift : plDialogSystemSchrift());
    SIZE g{};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &g);
    if (alt) SelectObject(dc, alt);
    ReleaseDC(feld, dc);
    return g.cx;
}

// The info lines as the fields show them: a line wider than its field goes
// on at its blanks in the fields below, so a long description is read
// whole (a single word that does not fit keeps a line of its own).
std::vector<std::string> vgbdInfoZeilen(const VgbDbSchluessel& s)
{
    std::vector<std::string> r;
    HWND feld = GetDlgItem(wiDlgFenster(), 3020);
    RECT k{};
    if (feld) GetClientRect(feld, &k);
    for (const VgbDbInfo& info : s.info) {
        if (!feld || k.right <= 0 || vgbdBreite(feld, info.text) <= k.right) {
            r.push_back(info.text);
            continue;
        }
        std::string z;
        size_t i = 0;
        while (i < info.text.size()) {
            const size_t e = std::min(info.text.find(' ', i), info.text.size());
            const std::string wort = info.text.substr(i, e - i);
            i = e + 1;
            if (wort.empty()) continue;
            const std::string probe = z.empty() ? wort : z + " " + wort;
            if (!z.empty() && vgbdBreite(feld, probe) > k.right) {
                r.push_back(z);
                z = wort;
            } else {
                z = probe;
            }
        }
        r.push_back(z);
    }
    return r;
}

void vgbdZeileZeigen()
{
    int i = wiListeWahl(3010);
    const VgbDbSchluessel* s =
        i >= 0 && i < static_cast<int>(vgbdE.zeilen.size()) ? vgbdE.zeilen[static_cast<size_t>(i)] : nullptr;
    vgbdE.fuellen = true;
    wiTextSetzen(3001, s ? s->titel.c_str() : "");
    wiTextSetzen(3002, s ? s->schluessel.c_str() : "");
    std::string wert;
    if (s) {
        wert = vgbdWert(s->schluessel);
        size_t p = s->schluessel.find("StDef");
        if (p != std::string::npos && vgbdTrim(wert).empty()) {
            std::string pix = s->schluessel, rgb = s->schluessel;
            pix.replace(p, 5, "StPix");
            rgb.replace(p, 5, "StRGB");
            wert = vgbdWert(pix) + " " + vgbdWert(rgb);
        }
    }
    wiTextSetzen(3000, wert.c_str());
    const std::vector<std::string> info = s ? vgbdInfoZeilen(*s) : std::vector<std::string>{};
    for (int k = 0; k < VGBDINFOSUP; ++k) {
        const bool da = k < static_cast<int>(info.size());
        wiTextSetzen(3020 + k, da ? info[static_cast<size_t>(k)].c_str() : "");
    }
    vgbdE.fuellen = false;
}

void vgbdSpeichern()
{
    char schl[21] = "", wert[201] = "";
    wiTextHolen(3002, schl, 20);
    wiTextHolen(3000, wert, 200);
    std::string s = vgbdTrim(schl), w = vgbdTrim(wert);
    if (s.empty()) return;
    VgbSetzen(s.c_str(), w.c_str());
}

int vgbdEditInit(int, const char* const*)
{
    char hilfe[DLGNAMESUP + 1];
    std::snprintf(hilfe, sizeof hilfe, "VorEditGB-%s", vgbdE.gruppe.c_str());
    wiDlgHilfeSetzen(wiDlgFenster(), hilfe);
    wiDlgPosLaden("VorEditGB");
    VgbOeffnen();
    char pfad[MAX_PATH + 1];
    PfadProgramm(pfad, sizeof pfad, "Vorgaben.txt");
    vgbdE.db = VgbDb{};
    vgbdE.zeilen.clear();
    if (VgbDbLaden(pfad, vgbdE.db) < 0) {
        wiMeldung("Datei %s fehlt.", pfad);
        return 0;
    }
    const VgbDbGruppe* g = VgbDbGruppeSuchen(vgbdE.db, vgbdE.gruppe.c_str());
    // The file the page changes: a shipped set is changed in the project.
    std::string setPfad = VgbSchreibPfad();
    if (setPfad.size() > 32) setPfad = "..." + setPfad.substr(setPfad.size() - 29);
    std::string titel = setPfad + " - " + (g ? g->titel : vgbdE.gruppe);
    wiDlgTitelSetzen(titel.c_str());
    wiListeLeeren(3010);
    if (g) vgbdE.zeilen = VgbDbGruppenSchluessel(vgbdE.db, *g);
    for (const VgbDbSchluessel* s : vgbdE.zeilen) {
        char zeile[300];
        std::snprintf(zeile, sizeof zeile, "%-80s%s", s->titel.c_str(), s->schluessel.c_str());
        wiListeAnhaengen(3010, zeile);
    }
    wiListeWahlSetzen(3010, 0);
    vgbdZeileZeigen();
    // Once shown the fields measure in the font they are drawn with: the
    // info lines are broken again then.
    PostMessage(wiDlgFenster(), WM_COMMAND, MAKEWPARAM(3010, LBN_SELCHANGE), 0);
    return 0;
}

int vgbdEditExit()
{
    wiDlgPosSichern("VorEditGB");
    VgbSchliessen();
    return 0;
}

int vgbdEditBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    int id = LOWORD(wp), code = HIWORD(wp);
    switch (id) {
    case 3010: if (code == LBN_SELCHANGE) vgbdZeileZeigen(); break;
    case 3000: if (code == EN_CHANGE && !vgbdE.fuellen) vgbdSpeichern(); break;
    case 1: case 2900:
        // A set that cannot be written (VgbSchreiben said why) stays open
        // with its edits.
        if (VgbSchreiben() < 0) break;
        DatWechselZaehlen();
        OrdnerEinstLaden();
        wiDlgSchliessen();
        break;
    case 2: case 2910: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

void VgbWahlDialog()
{
    wiDlgOeffnen("VorListeGB", vgbdWahlInit, vgbdWahlExit, vgbdWahlBefehl);
}

void VgbGruppeEditieren(const char* gruppe)
{
    vgbdE.gruppe = gruppe != nullptr ? gruppe : "";
    wiDlgOeffnen("VorEditGB", vgbdEditInit, vgbdEditExit, vgbdEditBefehl);
}
