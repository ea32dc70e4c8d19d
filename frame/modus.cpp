// The application shell: modes, the page table, applying a mode to the
// frame, the application hook AnwNachricht and the command table of
// AnwBefehl. Prefix `Modus` / `Seite` / `Anw`. May call every lower folder,
// the stand-ins of the pages' modules, and frame/ (anw.h, funkwahl.h, the
// command files and local commands, the defaults dialogs).
//
// Invariants:
//  1. The page kind follows the shown page (1530 -> 0, 1531 -> 1, 1532 and
//     1533 -> 2, 1534 -> 3); it is re-derived only by ModusAnwenden.
//  2. A normal apply touches only what differs from the remembered values;
//     a forced one sets everything.
//  3. Pages sit right of the function bar and end at the client's right
//     edge (x = bar width, width = client width - bar width).
#include "frame/modus.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "config/apstil.h"
#include "config/datwache.h"
#include "config/haken.h"
#include "config/reaktion.h"
#include "config/verordner.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "frame/anw.h"
#include "equipment/bm.h"
#include "equipment/app.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "equipment/utitel.h"
#include "frame/dde.h"
#include "frame/modstart.h"
#include "output/ansicht.h"
#include "output/bilder.h"
#include "output/dxfexp.h"
#include "output/dxfimp.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/schrift.h"
#include "output/show.h"
#include "output/tbar.h"
#include "output/druck.h"
#include "project/chkdlg.h"
#include "project/dirhist.h"
#include "project/export.h"
#include "project/hbview.h"
#include "project/hilfe.h"
#include "project/impdlg.h"
#include "project/inhalt.h"
#include "project/projneu.h"
#include "project/proverw.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/titeldlg.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "project/pvwliste.h"
#include "editor/edtseite.h"
#include "editor/zeidok.h"
#include "platform/menue.h"
#include "lists/auswertseite.h"
#include "lists/bmlbearb.h"
#include "lists/bmmerge.h"
#include "lists/stammdat.h"
#include "config/sperre.h"
#include "frame/funkwahl.h"
#include "frame/vgbdlg.h"
#include "platform/cp1252.h"
#include "platform/ctl_status.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/shell.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/meldung.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

struct ModusZustand {
    int modus = MODUS_PVW;
    int seite = 0;
    int art = 0;
    HWND seiten[SEITESUP] = {};
    int letzteSeite = -1;
    int letzterModus = -1;
    std::string titel;
    int letzteArt = -1;
    std::string ordner;
    bool ordnerBekannt = false;
    std::string status[4];
    bool statusBekannt[4] = {false, false, false, false};
    char oeffnenPfad[MAX_PATH + 1] = "";
    int vorgemerkt = 0;
    std::string verzeichnis;  // NachEinstellungen: the directory remembered
    // Modeless dialogs hidden with their page: (dialog, page).
    std::vector<std::pair<HWND, HWND>> seitenDialoge;
};

ModusZustand mz;

// A modeless dialog opened under `seite` (directly or under one of its
// dialogs) is a window of its own over the main window, not a child of the
// page: it must leave and come back with its page.
bool modusDialogUnter(const dlgbox* b, HWND seite)
{
    for (int tiefe = 0; b != nullptr && tiefe < 8; ++tiefe) {
        if (b->besitzerDlg == seite) return true;
        const int o = b->besitzerDlg ? wiDlgSlot(b->besitzerDlg) : -1;
        b = o >= 0 ? wiDlgBox(o) : nullptr;
    }
    return false;
}

void modusDialogeVerbergen(HWND seite)
{
    for (int slot = 0; slot < DLGSUP; ++slot) {
        const dlgbox* b = wiDlgBox(slot);
        if (b == nullptr || b->fenster == 0 || b->fenster == seite || b->eltern || b->modal != 0) continue;
        if (!IsWindowVisible(b->fenster) || !modusDialogUnter(b, seite)) continue;
        ShowWindow(b->fenster, SW_HIDE);
        mz.seitenDialoge.emplace_back(b->fenster, seite);
    }
}

// Shows again the dialogs of every page that is visible again; forgets those
// closed meanwhile.
void modusDialogeZeigen()
{
    std::vector<std::pair<HWND, HWND>> rest;
    for (const auto& [dlg, seite] : mz.seitenDialoge) {
        if (!IsWindow(dlg) || wiDlgSlot(dlg) < 0) continue;
        if (IsWindow(seite) && IsWindowVisible(seite)) ShowWindow(dlg, SW_SHOWNA);
        else rest.emplace_back(dlg, seite);
    }
    mz.seitenDialoge = std::move(rest);
}

int modusArt(int seite)
{
    switch (seite) {
    case MODUS_EDIT: return 1;
    case MODUS_BML: case MODUS_AUS: return 2;
    case MODUS_ANZ: return 3;
    default: return 0;
    }
}

void modusPlatz(HWND seite)
{
    HWND hw = anwHauptfenster();
    RECT k;
    GetClientRect(hw, &k);
    int bar = FunkBreite();
    int hoehe = k.bottom - wiStatusHoehe();
    int breite = k.right - bar;
    MoveWindow(seite, bar, 0, breite > 0 ? breite : 0, hoehe > 0 ? hoehe : 0, TRUE);
}

void modusStatus(int teil, const std::string& text, int erzwingen)
{
    if (erzwingen || !mz.statusBekannt[teil] || mz.status[teil] != text) {
        wiStatusText(teil, text.c_str());
        mz.status[teil] = text;
        mz.statusBekannt[teil] = true;
    }
}

// Project folder shortened to 80 characters, without trailing separator.
std::string modusOrdnerText()
{
    char verz[MAX_PATH + 1] = "";
    VerHolen(1, verz, sizeof verz);
    std::string o = verz;
    while (!o.empty() && (o.back() == '/' || o.back() == '\\')) o.pop_back();
    if (o.size() > 80) o.resize(80);
    return o;
}

bool modusLeer(const char* t)
{
    for (; t != nullptr && *t; ++t) if (*t != ' ' && *t != '\t') return false;
    return true;
}

// The project page's title: the folder, the project's title and its plant.
std::string modusProjektTitel()
{
    char puffer[300] = "";
    std::snprintf(puffer, sizeof puffer, TextNr(1), modusOrdnerText().c_str());
    std::string t = puffer;
    projekttext pt{};
    UtitelProjektText(&pt);
    if (!modusLeer(pt.titel)) t += std::string(" - ") + pt.titel;
    if (!modusLeer(pt.anlage)) t += std::string(" - ") + pt.anlage;
    return t;
}

std::string modusTitel()
{
    char puffer[300] = "";
    if (!EdtIstExtern() && mz.seite == MODUS_EDIT) {
        EdtTitelMenueAktualisieren(0);
        return ZeiTitel();
    }
    if (mz.seite == MODUS_ANZ) {
        // The viewer's own title (its drawing) after the program's name.
        char anzeige[260] = "";
        if (ShowFenster()) GetWindowText(ShowFenster(), anzeige, sizeof anzeige);
        std::snprintf(puffer, sizeof puffer, TextNr(1), anzeige);
        return puffer;
    }
    return modusProjektTitel();
}

const char* modusAccel(int modus)
{
    switch (modus) {
    case MODUS_PVW: return "ANW_ACCEL";
    case MODUS_EDIT: return "EDT_ACCEL";
    case MODUS_ANZ: return "ANZ_ACCEL";
    default: return "SON_ACCEL";
    }
}

const char* modusHilfe(int modus)
{
    switch (modus) {
    case MODUS_PVW: return "Zavik-PVW";
    case MODUS_EDIT: return "Zavik-EDIT";
    case MODUS_BML: return "Zavik-BML";
    case MODUS_AUS: return "Zavik-AUS";
    case MODUS_ANZ: return "Zavik-ANZ";
    default: return TextNr(9);
    }
}

const char* const modusMenues[4] = {"ANW_MENU", "EDT_MENU", "SON_MENU", "SHOW_MENU"};

}  // namespace

bool ModusStartTitel()
{
    // A start folder is entered by the start command; its title comes then.
    if (anwStartArgument()[0] != '\0') return false;
    const std::string t = modusProjektTitel();
    wiTitelSetzen(t.c_str());
    return true;
}

void ModusZuruecksetzen()
{
    mz = ModusZustand{};
}

int Modus() { return mz.modus; }
int ModusSeite() { return mz.seite; }
int ModusSeitenArt() { return mz.art; }

const char* ModusName(int modus)
{
    switch (modus) {
    case MODUS_PVW: return "ProVerw";
    case MODUS_EDIT: return "Editor";
    case MODUS_BML: return "BMittel";
    case MODUS_AUS: return "Auswertung";
    case MODUS_ANZ: return "Anzeige";
    default: return "";
    }
}

void ModusAnwenden(int erzwingen)
{
    modusDialogeZeigen();
    // 1
    if (erzwingen || mz.seite != mz.letzteSeite) {
        mz.letzteSeite = mz.seite;
        mz.art = modusArt(mz.seite);
    }
    // 2
    if (erzwingen || mz.modus != mz.letzterModus) {
        mz.letzterModus = mz.modus;
        HilfeSchluesselSetzen(modusHilfe(mz.modus));
        wiAccelSetzen(modusAccel(mz.modus));
        FunkModus(mz.modus);
    }
    // 3
    std::string titel = modusTitel();
    if (erzwingen || titel != mz.titel) {
        wiTitelSetzen(titel.c_str());
        mz.titel = titel;
    }
    // 4
    bool geladen = false;
    if (erzwingen || mz.art != mz.letzteArt) {
        mz.letzteArt = mz.art;
        wiMenuSetzen(modusMenues[mz.art]);
        wiMenuTexteUmschreiben(anwDaten()->menue);
        geladen = true;
    }
    // 5
    std::string ordner = modusOrdnerText();
    if (geladen || !mz.ordnerBekannt || ordner != mz.ordner) {
        if (mz.art == 0 || mz.art == 2) {
            PvwLetzteOrdnerMenu();
            PvwChkLstMenu();
        } else if (mz.art == 1) {
            DateiHistorieMenue(GetSubMenu(GetMenu(anwHauptfenster()), 0));
        } else {
            PvwLetzteOrdnerMenu();
        }
        mz.ordner = ordner;
        mz.ordnerBekannt = true;
    }
    // 6
    char puffer[200];
    modusStatus(0, std::string(" ") + VgbSetNameZeiger(), erzwingen);
    SprName(puffer, sizeof puffer);
    modusStatus(1, std::string(" ") + puffer, erzwingen);
    BMNormName(BMNorm(), puffer, sizeof puffer);
    modusStatus(2, std::string(" ") + puffer, erzwingen);
    if (mz.seite == MODUS_AUS) {
        AuswertStatus(puffer);
    } else {
        // Drawings only: subtitle headings and PDF files are rows, not pages.
        // One drawing reads in the singular (text 431).
        const int n = PvwZeiAnzahl();
        std::snprintf(puffer, sizeof puffer, TextNr(n == 1 ? 431 : 430), n);
    }
    modusStatus(3, puffer, erzwingen);
}

void ModusUmschalten(int modus)
{
    switch (modus) {
    case MODUS_PVW:
        SeitenVerbergen();
        mz.seite = MODUS_PVW;
        PvwOeffnen();
        break;
    case MODUS_EDIT:
        if (!EdtIstExtern()) {
            SeitenVerbergen();
            mz.seite = MODUS_EDIT;
        }
        if (EdtFenster()) EdtAktivieren();
        else EdtZeiOeffnen(PvwAktZeichnung());
        break;
    case MODUS_BML:
        if (!AppAktiv()) {
            wiInfo(TextNr(49));
            return;
        }
        if (!EdtFenster()) {
            ModusUmschalten(MODUS_EDIT);
            return;
        }
        if (!BmlIstExtern()) {
            SeitenVerbergen();
            mz.seite = MODUS_BML;
        }
        BmlBearbOeffnen();
        break;
    case MODUS_AUS:
        SeitenVerbergen();
        mz.seite = MODUS_AUS;
        AuswertOeffnen();
        break;
    case MODUS_ANZ:
        SeitenVerbergen();
        mz.seite = MODUS_ANZ;
        if (ShowFenster()) ShowAktivieren();
        else ShowZeiAnzeigen(PvwAktZeichnung());
        break;
    default: break;
    }
    mz.modus = modus;
    ModusAnwenden(0);
    BefehlVerteilen(2999, 0);
}

void ModusSetzen(int modus)
{
    mz.modus = modus;
    ModusAnwenden(0);
}

void ModusAktiviert(int modus)
{
    for (HWND s : mz.seiten) {
        if (s && IsWindowVisible(s)) SetActiveWindow(s);
    }
    ModusSetzen(modus);
}

void ModusDeaktiviert(int modus)
{
    if (modus == MODUS_EDIT) EdtAktivierungMelden();
    ModusSetzen(modus);
}

void EditorMitDatei(const char* pfad)
{
    if (!EdtIstExtern()) {
        SeitenVerbergen();
        mz.seite = MODUS_EDIT;
    }
    EdtZeiOeffnen(pfad);
    ModusSetzen(MODUS_EDIT);
}

void AnzeigeMitDatei(const char* pfad)
{
    SeitenVerbergen();
    mz.seite = MODUS_ANZ;
    ShowZeiAnzeigen(pfad);
    ModusSetzen(MODUS_ANZ);
}

int BefehlNachSchliessen(HWND, int id)
{
    if (EdtSchliessenDann(anwHauptfenster(), id)) return 1;
    if (BmlSchliessenDann(anwHauptfenster(), id)) return 1;
    return 0;
}

namespace {

// The path names a file in the folder already open.
bool modusImAktuellenOrdner(const char* pfad)
{
    if (pfad == nullptr || pfad[0] == '\0' || VerAktuell()[0] == '\0') return false;
    std::error_code f;
    const std::filesystem::path voll = std::filesystem::absolute(pfad, f);
    if (f || std::filesystem::is_directory(voll, f)) return false;
    char ordner[DATVERZSUP];
    VerNormieren(ordner, sizeof ordner, voll.parent_path().string().c_str());
    return std::strcmp(ordner, VerAktuell()) == 0;
}

}  // namespace

void UmschaltenAuf(const char* pfad)
{
    // The editor follows its drawing's folder on its own; the page then
    // still shows the folder before and reads the new one here.
    const bool seiteAlt = PvwVerzOrdner()[0] != '\0' && std::strcmp(PvwVerzOrdner(), VerZeiger(1)) != 0;
    if (!VerUmschalten(pfad) && !seiteAlt) {
        // Opening a drawing of the open folder selects it all the same.
        if (modusImAktuellenOrdner(pfad)) PvwZeiWaehlen(pfad);
        return;
    }
    PvwTitelCacheSchliessen();
    ProjektTitelSchreiben();
    anwBeschaeftigt();
    PvwVerzLesen();
    PvwInhaltSchreiben();
    PvwUntertitelSchreiben();
    anwFertig();
    PvwZeiWaehlen(pfad != nullptr ? pfad : "");
    ReaktionAusloesen();
    BefehlVerteilen(2999, 0);
}

void Aktualisieren()
{
    // A set the project holds now (written into it, or put there by hand)
    // takes the place of the shipped one.
    const std::string satz = std::string(VerZeiger(1)) + VgbSetNameZeiger() + ".vgb";
    if (!strleer(VerZeiger(1)) && !strleer(VgbSetNameZeiger()) && dateilaenge(satz.c_str()) >= 0 &&
        !PfadGleich(satz.c_str(), VgbSetPfadZeiger())) {
        VgbSetNeuSuchen();
        DatWechselZaehlen();
        OrdnerEinstLaden();
    }
    anwBeschaeftigt();
    PvwVerzLesen();
    PvwInhaltSchreiben();
    PvwUntertitelSchreiben();
    anwFertig();
    PvwListeNeu();
    ReaktionAusloesen();
}

void OrdnerOeffnenPost(const char* pfad)
{
    std::snprintf(mz.oeffnenPfad, sizeof mz.oeffnenPfad, "%s", pfad != nullptr ? pfad : "");
    HauptPost(1630, 0);
}

char* anwFensterTitel(char* puffer, size_t groesse)
{
    std::snprintf(puffer, groesse, "%s", mz.titel.c_str());
    return puffer;
}

void HauptPost(int id, LPARAM lp)
{
    PostMessage(anwHauptfenster(), WM_COMMAND, static_cast<WPARAM>(id), lp);
}

void BefehlVerteilen(int id, LPARAM lp)
{
    if (id == 2998) DatNeuPruefen(1);
    HauptPost(id, lp);
    SeitenPost(id, lp);
    if (EdtIstExtern()) EdtKommandoPosten(id, lp);
    if (BmlIstExtern()) BmlNachricht(id, lp);
}

int BefehlVorgemerkt() { return mz.vorgemerkt; }
void BefehlVormerken(int id) { mz.vorgemerkt = id; }

void SeiteAnmelden(HWND seite)
{
    for (HWND& s : mz.seiten) {
        if (s == 0) {
            s = seite;
            modusPlatz(seite);
            return;
        }
    }
}

void SeiteAbmelden(HWND seite)
{
    for (HWND& s : mz.seiten) if (s == seite) s = 0;
}

void SeitenPlatzieren()
{
    RECT k;
    GetClientRect(anwHauptfenster(), &k);
    FunkPlatzieren(0, 0, FunkBreite(), k.bottom - wiStatusHoehe());
    for (HWND s : mz.seiten) if (s) modusPlatz(s);
}

void SeitenVerbergen()
{
    for (HWND s : mz.seiten) {
        if (s) {
            if (IsWindowVisible(s)) modusDialogeVerbergen(s);
            ShowWindow(s, SW_HIDE);
            EnableWindow(s, FALSE);
        }
    }
    mz.seite = 0;
}

void SeitenPost(int id, LPARAM lp)
{
    for (HWND s : mz.seiten) if (s) PostMessage(s, WM_COMMAND, static_cast<WPARAM>(id), lp);
}

// Closes the editor's numbered dialogs when the editor window closes; all
// 200 slots, so dialogs in the upper half do not outlive the editor.
void DlgSchliessHaken(int, HWND fenster, int flag)
{
    if (flag != 0 || fenster == 0 || fenster != EdtFenster()) return;
    for (int slot = 0; slot < DLGSUP; ++slot) {
        const dlgbox* b = wiDlgBox(slot);
        if (b == nullptr || b->fenster == 0 || b->fenster == fenster) continue;
        if (std::strncmp(b->name, "DB1", 3) == 0) wiDlgSlotSchliessen(slot);
    }
}

void NachEinstellungen()
{
    char verz[MAX_PATH + 1] = "";
    VerHolen(1, verz, sizeof verz);
    if (mz.verzeichnis != verz) {
        // The switch itself counted the change for every watch; resetting
        // the watches here would forget the current folder.
        BmDatenNeuLaden();
        mz.verzeichnis = verz;
    }
    AuswertNeu();
    wiMenuTexteAuffrischen();
    SpellEinstLesen();
    PvwInhaltEinstLesen();
    PvwListeNeu();
    AuswertNamenNeu();
    ReaktionAusloesen();
    ToolbarBibFrei();
    ToolbarBibLaden();
    ApStileLaden();
    EdtEinstellungenNeu();
}

// ---- The start command and the command table --------------------------------------------------------------
namespace {

// A start folder that does not exist is said so and the current folder
// stays: the switch would take its directory part and quietly open the
// parent. A box for a user, a line on stderr for a run without one.
bool modusStartOrdnerDa(const char* pfad)
{
    if (dosattrib(pfad) != DOSATTR_FEHLT) return true;
    char text[WIMELDUNGSUP + 1];
    std::snprintf(text, sizeof text, TextNr(147), pfad);
    if (anwNichtInteraktiv() == 0) {
        wiMeldung("%s", text);
    } else {
        LaufMelden("Fehler", text);
    }
    return false;
}

// A damaged sheet named at the start is said to be one: the page cannot
// open it and would otherwise stand on another sheet without a word.
void modusStartBlattPruefen(const char* pfad)
{
    const char* name = pfad;
    for (const char* q = pfad; *q; ++q)
        if (*q == '/' || *q == '\\') name = q + 1;
    const int i = name[0] != '\0' ? PvwZeiSuchen(name) : -1;
    if (i < 0 || !PvwIstBeschaedigt(*PvwEintragAdr(i))) return;
    char text[WIMELDUNGSUP + 1];
    std::snprintf(text, sizeof text, "Die Zeichnung %s ist besch\xE4" "digt und kann nicht ge\xF6" "ffnet werden.", name);
    if (anwNichtInteraktiv() == 0) {
        wiMeldung("%s", text);
    } else {
        LaufMelden("Fehler", text);
    }
}

void modusStart()
{
    FunkOeffnen();
    mz.seite = MODUS_PVW;
    PvwOeffnen();
    SeitenPlatzieren();
    if (anwStartArgument()[0] == '\0') {
        if (anwNichtInteraktiv() == 0) HauptPost(1502, 0);
    } else if (modusStartOrdnerDa(anwStartArgument())) {
        VerUmschalten(anwStartArgument());
    }
    anwBeschaeftigt();
    PvwVerzLesen();
    anwFertig();
    modusStartBlattPruefen(anwStartArgument());
    PvwListeNeu();
    ReaktionAusloesen();
    ModusAnwenden(1);
    BefehlVerteilen(2999, 0);
}

void modusTitelKopie()
{
    PvwTitelVorbereiten();
}

void modusOrdnerWahl(int id, int quelle)
{
    char ordner[MAX_PATH + 1] = "";
    if (!PvwLetzterOrdner(quelle, ordner)) return;
    PvwOrdnerMerken(ordner);
    std::string p = ordner;
    while (!p.empty() && (p.back() == '/' || p.back() == '\\')) p.pop_back();
    p += "/Projekt.zvk";
    UmschaltenAuf(p.c_str());
    DdeDateiMelden("", 3);
    (void)id;
}

void modusInfo(int fehler, int textFehler, int textGut)
{
    wiInfo(TextNr(fehler ? textFehler : textGut));
}

// A lock file is deleted only when the user says so, told whose it is: the
// own one lets another workstation open the project while it is worked on
// here.
bool modusSperreLoeschenFragen()
{
    if (dosattrib("Velmo.lock") == DOSATTR_FEHLT && dosattrib("Zavik.lock") == DOSATTR_FEHLT) return true;
    char wer[PRJSPERRZEILESUP + 1], seit[PRJSPERRZEILESUP + 1];
    PrjSperreLesen(wer, seit);
    std::string text = "Die Sperrdatei l\xF6schen?";
    if (wer[0]) text += std::string("\nGesperrt von ") + wer + (seit[0] ? std::string(" seit ") + seit : "") + ".";
    if (PrjSperreGehalten())
        text += "\nDas Projekt ist in diesem Programm ge\xF6" "ffnet: ohne die Sperre kann ein anderer Arbeitsplatz es "
                "gleichzeitig bearbeiten.";
    return wiFrageArt(text.c_str(), 1) == 1;
}

// A page is the active dialog when it is the active window or holds the
// focus (pages are child windows of the main window).
bool modusSeiteAktiv(HWND seite)
{
    HWND f = GetFocus();
    return wiDlgAktiv() == seite || f == seite || (f != 0 && IsChild(seite, f));
}

const char* const modusGruppen[10] = {"Zavik", "Editor", "Video", "DrA3", "DrA4",
                                      "BMittel", "Inhalt", "ChkLst", "AWNamen", "APlatz"};

}  // namespace

namespace {
void (*anwBefehlBeobachter)(int befehl) = nullptr;
}  // namespace

void AnwBefehlBeobachter(void (*fn)(int befehl)) { anwBefehlBeobachter = fn; }

void AnwBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht != WM_COMMAND) return;
    int n = LOWORD(wp);
    if (anwBefehlBeobachter) anwBefehlBeobachter(n);
    HWND hw = anwHauptfenster();
    HWND pvw = PvwDlgFenster();
    switch (n) {
    case 1500:
        // The project list belongs to the project page: from the viewer the
        // page comes first.
        if (mz.seite == MODUS_ANZ) ModusUmschalten(MODUS_PVW);
        PvwProjektliste();
        return;
    case 1501: ProjektOrdnerWaehlen(); return;
    case 1502: PvwStartDialog(); return;
    case 1503: PvwNeuesProjekt(); return;
    case 1505:
        // The status bar's count follows the list read again.
        Aktualisieren();
        ModusAnwenden(0);
        return;
    case 1506: if (!BefehlNachSchliessen(hw, n)) PvwSichern(); return;
    case 1507:
        if (!modusSperreLoeschenFragen()) return;
        PrjSperreLoeschen();
        modusInfo(PrjSperreDa(), 140, 141);
        return;
    case 1508: modusInfo(PrjFreigabe(0) < 0, 142, 143); return;
    case 1509: modusInfo(PrjFreigabe(1) < 0, 144, 145); return;
    case 1510: modusTitelKopie(); PvwTitelDialog(); return;
    case 1511: modusTitelKopie(); PvwUntertitelDialog(""); return;
    case 1512: {
        modusTitelKopie();
        char name[MAX_PATH + 1] = "";
        int art = PvwEintragArt(static_cast<int>(lp), name);
        PvwUntertitelDialog(art == 0 && name[0] ? name : "");
        return;
    }
    case 1513: PvwUntertitelImport(); return;
    case 1520: PvwDateiUpdate(); return;
    case 1530: PvwKurztexteImport(); return;
    case 1531: PvwKurztexteExport(); return;
    case 1210: BmEinfrierenOeffnen(); return;
    case 1250: BmPruefenOeffnen(); return;
    case 1260: BmMergeOeffnen(); return;
    case 1630: if (!BefehlNachSchliessen(hw, n)) UmschaltenAuf(mz.oeffnenPfad); return;
    case 1700: VgbWahlDialog(); return;
    case 1825: EdtBefehlPosten(1000); return;
    case 1827: EdtBefehlPosten(1002); return;
    case 1832: EdtBefehlPosten(1020); return;
    case 1834: EdtBefehlPosten(1006); return;
    case 1829: ShowBefehlSenden(1001); return;
    case 1831: PvwBefehl(1830); return;
    case 1833: PvwBefehl(1611); return;
    case 1835: PvwBefehl(1800); return;
    case 1836: PvwBefehl(1810); return;
    case 1837: PvwBefehl(1820); return;
    case 1838: HauptPost(1510, 0); return;
    case 1839:
        if (pvw && modusSeiteAktiv(pvw)) PvwBefehl(1852);
        else HauptPost(1511, 0);
        return;
    case 1991: HilfePdfOeffnen(); return;
    case 1992: HilfeKontext(); return;
    case 1993: BauteilDokuOeffnen(); return;
    case 1994: HandbuchOeffnen(); return;
    case 1995: InfoOeffnen(); return;
    case 1996: InternetOeffnen(); return;
    case 5000: modusStart(); return;
    case 5002: ShowBefehlSenden(5002); return;  // the viewer again after a layer change
    default: break;
    }
    if ((n >= 1550 && n <= 1554) || (n >= 1560 && n <= 1562) || (n >= 1565 && n <= 1572) || n == 1575 ||
        n == 1576 || (n >= 1580 && n <= 1582)) {
        StammDaten(n);
    } else if (n >= 1590 && n <= 1594) {
        PvwCheckliste(n - 1590);
    } else if (n == 1600 || n == 1610 || n == 1611 || n == 1800 || n == 1801 || n == 1810 || n == 1820 ||
               n == 1821 || n == 1830 || n == 1840 || n == 1850 || (n >= 1860 && n <= 1863) || n == 1870 ||
               n == 1880) {
        PvwBefehl(n);
    } else if (n >= 1620 && n <= 1624) {
        DdeDateiMelden("", 4);
        ProgrammStarten(TextNr(300 + n - 1620));
    } else if (n >= 1670 && n <= 1679) {
        if (!BefehlNachSchliessen(hw, n)) modusOrdnerWahl(n, n + 10);
    } else if (n >= 1680 && n <= 1689) {
        if (!BefehlNachSchliessen(hw, n)) {
            DdeAlleBeenden();
            modusOrdnerWahl(n, n);
        }
    } else if (n >= 1710 && n <= 1719) {
        VgbGruppeEditieren(modusGruppen[n - 1710]);
    }
}

void AnwNachricht(UINT nachricht, WPARAM wp, LPARAM lp)
{
    // 1
    AktivierungMelden(nachricht, wp);
    switch (nachricht) {
    case WM_ACTIVATE:
        if (LOWORD(wp)) ModusAktiviert(mz.seite);
        else ModusDeaktiviert(mz.modus);
        break;
    case WM_MOVE:
    case WM_SIZE:
        SeitenPlatzieren();
        break;
    case WM_NOTIFY: {
        auto* kopf = reinterpret_cast<const NMHDR*>(lp);
        if (kopf != nullptr && kopf->idFrom == 3000 && kopf->code == static_cast<UINT>(NM_DBLCLK)) VgbWahlDialog();
        break;
    }
    case WM_TIMER:
        DdeUebergabeNachholen();
        BefehlsdateiSchritt();
        StatusAusloesen();
        break;
    case WM_COMMAND: {
        int n = LOWORD(wp);
        if (mz.art == 1 && n < 1500) (void)EdtMenueBefehl(n);
        else if (mz.art == 3 && n < 1500) ShowBefehlSenden(n);
        else AnwBefehl(nachricht, wp, lp);
        if (n == 2998) {
            Aktualisieren();
            ModusAnwenden(0);
        } else if (n == 2999) {
            ModusAnwenden(0);
        }
        break;
    }
    default: break;
    }
}
