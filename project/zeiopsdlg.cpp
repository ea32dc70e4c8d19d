// The seven modeless dialogs of the drawing operations ("ZeiAnlegen",
// "ZeiEigen", "ZeiUmnr", "ZeiLoesch", "ZeiIdxset", "ZeiTxtset",
// "ZeiMstEntf"): their openers, the fields read into the operations of
// zeiops.cpp and the shared conventions (graphic buttons, position, Enter
// and Escape, the optional spell check before the run on 2509). Each
// dialog's record lives from its opener to its exit. Prefix `Zd` (the
// openers `Zei...Oeffnen`). Calls winlib (dialogs, items, file dialog,
// page services), config (defaults, paths, language), the spell-check
// registry (rschreib.h) and zeiops.
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
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
#include "project/pvwliste.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/titeldlg.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "project/zeiops.h"
#include "project/zeiopsint.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/wiwerk.h"

namespace {

// ---- shared conventions ------------------------------------------------------------------

void zdText(int id, char* puffer, int n) { wiTextHolen(id, puffer, n); }

// Names, page and field of a drawing hold ZOFELDSUP characters: a longer
// entry is refused in the dialog, its field focused and selected, before
// anything is read or written (cutting it would name another drawing).
bool zdLaengenOk(std::initializer_list<int> ids)
{
    for (int id : ids) {
        const int n = wiTextLaenge(id);
        if (n <= ZOFELDSUP) continue;
        wiMeldung("Der Eintrag ist %d Zeichen lang; erlaubt sind h\xF6" "chstens %d Zeichen.", n, ZOFELDSUP);
        wiItemFokus(id);
        SendMessage(wiItem(id), EM_SETSEL, 0, -1);
        return false;
    }
    return true;
}

// The graphic buttons were set up from their texts by the dialog manager.
void zdOeffnen(const char* name)
{
    wiDlgPosLaden(name);
}

void zdSchliessenGemeinsam(const char* name)
{
    wiDlgPosSichern(name);
}

// The short-text fields join the spell check when it starts; else 2990 goes.
void zdRechtschreibung(const int* felder, int anzahl)
{
    if (RsStarten()) {
        for (int i = 0; i < anzahl; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "Kurztext %d", i + 1);
            RsFeldAnmelden(felder[i], name, 1);
        }
    } else {
        wiItemZeigen(2990, 0);
    }
}

// 2500 after its checks: with spell checking on confirmation, the check
// first and the run on 2509; else the run at once.
void zdBestaetigen(void (*lauf)())
{
    if (RsSofort()) {
        RsPruefen(0, 2509);
    } else {
        lauf();
    }
}

void zdPost(int id) { PostMessage(wiDlgFenster(), WM_COMMAND, static_cast<WPARAM>(id), 0); }

// Enter acts like 2500 unless a focused graphic button takes it.
int zdBefehlsId(WPARAM wp)
{
    int id = LOWORD(wp);
    if (id == 1) return wiGrbuAusloesen() ? 0 : 2500;
    return id;
}

void zdAnzahlZeigen(int anzahl) { wiZahlSetzen(3000, anzahl); }

void zdFelderLesen(const int* ids, char (*texte)[ZEITITELSUP + 1], int anzahl)
{
    for (int i = 0; i < anzahl; ++i) zdText(ids[i], texte[i], ZEITITELSUP);
}

void zdFelderSetzen(const int* ids, const char (*texte)[ZEITITELSUP + 1], int anzahl)
{
    for (int i = 0; i < anzahl; ++i) wiTextSetzen(ids[i], texte[i]);
}

// ---- new drawing ------------------------------------------------------------------------------

constexpr int ZD_NEU_KURZ[5] = {3020, 3021, 3022, 3023, 3024};

struct ZdNeu {
    ZeiNeuEingabe e{};
    int angelegt = 0;
};
ZdNeu zdNeu;

void zdNeuLesen()
{
    ZeiNeuEingabe& e = zdNeu.e;
    zdText(3000, e.name, ZOFELDSUP);
    zdText(3010, e.seite, ZOFELDSUP);
    zdText(3011, e.feld, ZOFELDSUP);
    zdText(3050, e.index, ZEIKURZSUP);
    zdFelderLesen(ZD_NEU_KURZ, e.titel, 5);
    zdText(3090, e.bauwerk, ZEIKOPFTEXTSUP);
    zdText(3091, e.objekt, ZEIKOPFTEXTSUP);
    zdText(3030, e.vorlage, ZOVORLAGESUP);
    e.format = wiRadio(3040, 2) == 1 ? 1 : 0;
}

void zdNeuLauf()
{
    if (ZeiAnlegen(&zdNeu.e, 1) != 0) return;
    zdNeu.angelegt = 1;
    wiDlgSchliessen();
}

void zdNeuVorlage()
{
    char pfad[WIDATEISUP + 1] = "";
    VgbText("ZvVPfad", pfad, WIDATEISUP);
    PfadPlatzhalter(pfad);
    strtrim(pfad);
    if (pfad[0] == '\0') dosgetcwd(pfad);
    size_t l = std::strlen(pfad);
    if (l > 0 && pfad[l - 1] != '/' && pfad[l - 1] != '\\') std::snprintf(pfad + l, sizeof pfad - l, "/");
    l = std::strlen(pfad);
    std::snprintf(pfad + l, sizeof pfad - l, "*.*");
    // Number 31 of the string table is another dialog's title; this one is fixed.
    if (wiDateiWahl(pfad, "Vorlage ausw\xE4hlen", TextNr(30))) wiTextSetzen(3030, pfad);
}

int zdNeuInit(int, const char* const*)
{
    zdOeffnen("ZeiAnlegen");
    const ZeiNeuEingabe& e = zdNeu.e;
    wiTextSetzen(3000, e.name);
    wiTextSetzen(3010, e.seite);
    wiTextSetzen(3011, e.feld);
    wiTextSetzen(3050, "");
    zdFelderSetzen(ZD_NEU_KURZ, e.titel, 5);
    wiTextSetzen(3090, e.bauwerk);
    wiTextSetzen(3091, e.objekt);
    wiTextSetzen(3030, "");
    wiRadioSetzen(3040, e.format, 2);
    SprTitel();
    zdRechtschreibung(ZD_NEU_KURZ, 5);
    zdPost(2600);
    return 0;
}

int zdNeuExit()
{
    zdSchliessenGemeinsam("ZeiAnlegen");
    RsFelderAbmelden();
    if (zdNeu.angelegt) wiSeiteHauptPost(1801, 0);
    zdNeu = ZdNeu{};
    return 0;
}

int zdNeuBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    RsNachricht(nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    switch (zdBefehlsId(wp)) {
    case 2600:
        if (wiTextLaenge(3000) == 0)
            wiItemFokus(3000);
        else if (wiTextLaenge(3010) == 0)
            wiItemFokus(3010);
        else
            wiItemFokus(3020);
        break;
    case 2502: zdNeuVorlage(); break;
    case 2500:
        if (!zdLaengenOk({3000, 3010, 3011})) break;
        zdNeuLesen();
        if (ZeiAnlegen(&zdNeu.e, 0) == 0) zdBestaetigen(zdNeuLauf);
        break;
    case 2509:
        if (!zdLaengenOk({3000, 3010, 3011})) break;
        zdNeuLesen();
        zdNeuLauf();
        break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// ---- properties -----------------------------------------------------------------------------------

constexpr int ZD_EIGEN_KURZ[5] = {3010, 3011, 3012, 3013, 3014};

struct ZdEigen {
    char datei[PVWNAMESUP + 1] = "";
    ZeiEigenEingabe e{};
};
ZdEigen zdEigen;

void zdEigenLesen()
{
    ZeiEigenEingabe& e = zdEigen.e;
    zdText(3000, e.name, ZOFELDSUP);
    zdText(3001, e.seite, ZOFELDSUP);
    zdText(3002, e.feld, ZOFELDSUP);
    zdFelderLesen(ZD_EIGEN_KURZ, e.titel, 5);
    zdText(3090, e.bauwerk, ZEIKOPFTEXTSUP);
    zdText(3091, e.objekt, ZEIKOPFTEXTSUP);
    e.format = wiRadio(3020, 2) == 1 ? 117 : 116;
    zdText(3030, e.index, ZEIKURZSUP);
}

void zdEigenLauf()
{
    if (!zdLaengenOk({3000, 3001, 3002})) return;
    zdEigenLesen();
    if (ZeiEigenSpeichern(zdEigen.datei, &zdEigen.e) == 0) wiDlgSchliessen();
}

int zdEigenInit(int, const char* const*)
{
    zdOeffnen("ZeiEigen");
    const ZeiEigenEingabe& e = zdEigen.e;
    wiTextSetzen(3000, e.name);
    wiTextSetzen(3001, e.seite);
    wiTextSetzen(3002, e.feld);
    zdFelderSetzen(ZD_EIGEN_KURZ, e.titel, 5);
    wiTextSetzen(3090, e.bauwerk);
    wiTextSetzen(3091, e.objekt);
    wiRadioSetzen(3020, e.format == 117 ? 1 : 0, 2);
    wiTextSetzen(3030, e.index);
    wiZahlSetzen(3040, e.version);
    SprTitel();
    zdRechtschreibung(ZD_EIGEN_KURZ, 5);
    zdPost(2502);
    return 0;
}

int zdEigenExit()
{
    zdSchliessenGemeinsam("ZeiEigen");
    RsFelderAbmelden();
    zdEigen = ZdEigen{};
    return 0;
}

int zdEigenBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    RsNachricht(nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    switch (zdBefehlsId(wp)) {
    case 2502: wiItemFokus(3030); break;
    case 2520:
        zdEigenLesen();
        ZeiEigenKopieren(&zdEigen.e);
        break;
    case 2521:
        ZeiEigenEinfuegen(&zdEigen.e);
        zdFelderSetzen(ZD_EIGEN_KURZ, zdEigen.e.titel, 5);
        break;
    case 2500: zdBestaetigen(zdEigenLauf); break;
    case 2509: zdEigenLauf(); break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// ---- renumbering --------------------------------------------------------------------------------------

struct ZdUmnr {
    char name[ZOFELDSUP + 1] = "";
    char von[PVWNAMESUP + 1] = "";
    char bis[PVWNAMESUP + 1] = "";
};
ZdUmnr zdUmnr;

int zdUmnrInit(int, const char* const*)
{
    zdOeffnen("ZeiUmnr");
    wiTextSetzen(3000, zdUmnr.name);
    wiTextSetzen(3010, zdUmnr.von);
    wiTextSetzen(3020, zdUmnr.bis);
    wiTextSetzen(3030, "");
    wiTextSetzen(3031, "");
    zdPost(2510);
    return 0;
}

int zdUmnrExit()
{
    zdSchliessenGemeinsam("ZeiUmnr");
    zdUmnr = ZdUmnr{};
    return 0;
}

void zdUmnrStart()
{
    if (!zdLaengenOk({3000, 3030, 3031})) return;
    char name[ZOFELDSUP + 1], von[PVWNAMESUP + 1], bis[PVWNAMESUP + 1], seite[ZOFELDSUP + 1], feld[ZOFELDSUP + 1];
    zdText(3000, name, ZOFELDSUP);
    zdText(3010, von, PVWNAMESUP);
    zdText(3020, bis, PVWNAMESUP);
    zdText(3030, seite, ZOFELDSUP);
    zdText(3031, feld, ZOFELDSUP);
    if (ZeiUmnrPruefen(name, von, bis, seite, feld) != 0) return;
    ZeiUmnummerieren(von, bis, name, seite, feld);
    wiDlgSchliessen();
}

int zdUmnrBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (zdBefehlsId(wp)) {
    case 2510: wiItemFokus(3030); break;
    case 2500: zdUmnrStart(); break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// ---- delete, index and date, delete scale ----------------------------------------------------------------

int zdAnzahl = 0;

// The sheets a deletion takes, named: the first eight, then how many more.
std::string zdLoeschNamen()
{
    const std::vector<std::string> namen = ZoMarkierte();
    std::string t;
    for (size_t i = 0; i < namen.size() && i < 8; ++i) t += (i ? ", " : "") + namen[i];
    if (namen.size() > 8) t += " und " + std::to_string(namen.size() - 8) + " weitere";
    return t;
}

int zdLoeschInit(int, const char* const*)
{
    zdOeffnen("ZeiLoesch");
    zdAnzahlZeigen(zdAnzahl);
    wiTextSetzen(3001, zdLoeschNamen().c_str());
    return 0;
}
int zdLoeschExit() { zdSchliessenGemeinsam("ZeiLoesch"); return 0; }
int zdLoeschBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (zdBefehlsId(wp)) {
    case 2500:
        ZeiLoeschen();
        wiDlgSchliessen();
        break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

int zdIdxInit(int, const char* const*)
{
    zdOeffnen("ZeiIdxset");
    zdAnzahlZeigen(zdAnzahl);
    wiTextSetzen(3010, "");
    wiTextSetzen(3020, "00.00.0000");
    wiTextSetzen(3030, "00:00");
    return 0;
}
int zdIdxExit() { zdSchliessenGemeinsam("ZeiIdxset"); return 0; }
int zdIdxBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (zdBefehlsId(wp)) {
    case 2500: {
        char index[ZEIKURZSUP + 1], datum[ZODATUMSUP + 1], zeit[ZOZEITSUP + 1];
        zdText(3010, index, ZEIKURZSUP);
        zdText(3020, datum, ZODATUMSUP);
        zdText(3030, zeit, ZOZEITSUP);
        // A refused date or time keeps the dialog open for correcting it.
        if (ZeiIdxSetzen(index, datum, zeit) == 0) wiDlgSchliessen();
        break;
    }
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

int zdMstInit(int, const char* const*)
{
    zdOeffnen("ZeiMstEntf");
    zdAnzahlZeigen(zdAnzahl);
    wiKnopfSetzen(3010, 0);
    return 0;
}
int zdMstExit() { zdSchliessenGemeinsam("ZeiMstEntf"); return 0; }
int zdMstBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (zdBefehlsId(wp)) {
    case 2500:
        ZeiMstEntfernen(wiKnopf(3010));
        wiDlgSchliessen();
        break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// ---- texts -------------------------------------------------------------------------------------------------

constexpr int ZD_TXT_KURZ[5] = {3010, 3011, 3012, 3013, 3014};
constexpr int ZD_TXT_HAKEN[5] = {3020, 3021, 3022, 3023, 3024};

void zdTxtLauf()
{
    ZeiTextEingabe e{};
    zdFelderLesen(ZD_TXT_KURZ, e.titel, 5);
    for (int i = 0; i < 5; ++i) e.titelAn[i] = wiKnopf(ZD_TXT_HAKEN[i]);
    zdText(3090, e.bauwerk, ZEIKOPFTEXTSUP);
    zdText(3091, e.objekt, ZEIKOPFTEXTSUP);
    e.bauwerkAn = wiKnopf(3030);
    e.objektAn = wiKnopf(3031);
    if (ZeiTexteSetzen(wiRadio(3120, 4), &e) == 1) wiDlgSchliessen();
}

int zdTxtInit(int, const char* const*)
{
    zdOeffnen("ZeiTxtset");
    zdAnzahlZeigen(zdAnzahl);
    wiRadioSetzen(3120, 0, 4);
    ZeiTextEingabe e;
    ZeiTexteVorbereiten(&e);
    zdFelderSetzen(ZD_TXT_KURZ, e.titel, 5);
    wiTextSetzen(3090, e.bauwerk);
    wiTextSetzen(3091, e.objekt);
    if (SprNummer() > 0) {
        for (int id : {3090, 3091, 3030, 3031}) wiItemFrei(id, 0);
    }
    zdRechtschreibung(ZD_TXT_KURZ, 5);
    return 0;
}
int zdTxtExit()
{
    zdSchliessenGemeinsam("ZeiTxtset");
    RsFelderAbmelden();
    return 0;
}
int zdTxtBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    RsNachricht(nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    switch (zdBefehlsId(wp)) {
    case 2500: zdBestaetigen(zdTxtLauf); break;
    case 2509: zdTxtLauf(); break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

HWND ZeiAnlegenOeffnen(const char* cursorName, const char* stamm, const char* ext)
{
    zdNeu = ZdNeu{};
    ZeiNeuVorbereiten(&zdNeu.e, cursorName, stamm, ext);
    return wiDlgOeffnen("ZeiAnlegen", zdNeuInit, zdNeuExit, zdNeuBefehl);
}

HWND ZeiEigenOeffnen(const char* datei)
{
    zdEigen = ZdEigen{};
    strkopie(zdEigen.datei, datei, PVWNAMESUP);
    if (ZeiEigenLesen(datei, &zdEigen.e) != 0) {
        ZoFehler("Die Zeichnung %s kann nicht gelesen werden.", datei);
        return 0;
    }
    return wiDlgOeffnen("ZeiEigen", zdEigenInit, zdEigenExit, zdEigenBefehl);
}

HWND ZeiUmnrOeffnen(const char* cursorName)
{
    zdUmnr = ZdUmnr{};
    std::string stamm = cursorName;
    {
        char s[PVWNAMESUP + 1];
        strkopie(s, cursorName, PVWNAMESUP);
        ZeiExtLoeschen(s);
        stamm = s;
    }
    strkopie(zdUmnr.name, stamm.c_str(), ZOFELDSUP);
    std::vector<std::string> markiert = ZoMarkierte();
    const std::string von = markiert.empty() ? cursorName : markiert.front();
    const std::string bis = markiert.empty() ? cursorName : markiert.back();
    strkopie(zdUmnr.von, von.c_str(), PVWNAMESUP);
    strkopie(zdUmnr.bis, bis.c_str(), PVWNAMESUP);
    return wiDlgOeffnen("ZeiUmnr", zdUmnrInit, zdUmnrExit, zdUmnrBefehl);
}

HWND ZeiLoeschenOeffnen(int anzahl)
{
    zdAnzahl = anzahl;
    return wiDlgOeffnen("ZeiLoesch", zdLoeschInit, zdLoeschExit, zdLoeschBefehl);
}

HWND ZeiIdxOeffnen(int anzahl)
{
    zdAnzahl = anzahl;
    return wiDlgOeffnen("ZeiIdxset", zdIdxInit, zdIdxExit, zdIdxBefehl);
}

HWND ZeiTxtOeffnen(int anzahl)
{
    zdAnzahl = anzahl;
    return wiDlgOeffnen("ZeiTxtset", zdTxtInit, zdTxtExit, zdTxtBefehl);
}

HWND ZeiMstOeffnen(int anzahl)
{
    zdAnzahl = anzahl;
    return wiDlgOeffnen("ZeiMstEntf", zdMstInit, zdMstExit, zdMstBefehl);
}
