// The definition dialog of one evaluation (see auswertdlg.h).
#include "lists/auswertdlg.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "controls/elseite.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "editor/zeidok.h"
#include "equipment/bm.h"
#include "lists/auswertseite.h"
#include "lists/auswertung.h"
#include "lists/awlauf.h"
#include "model/textvar.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "project/pvwliste.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"

namespace {

constexpr int AWDEFLISTE = 3900;
constexpr int AWDEFZEILEN = 100;  // catalogue lines listed

struct AwDef {
    HWND fenster = 0;
    int index = -1;
    int typ = 0;
    std::string praefix, gruppe, programm, titel;
    awoptionen o;
};

AwDef def;
void (*awDefGruppe)(const char*) = nullptr;

const char* const awDefSchluesselNamen[8] = {"Betriebsmittel", "Seite/Pfad", "Kennung", "Bauwerk",
                                             "Bauwerk / Objekt", "Objekt", "Objekt / Bauwerk", "Feld"};
const char* const awDefOrdnungen[4] = {"Haupt/Unter, Text", "Komponente", "Seite/Pfad", "Text"};
const int awDefEin[AWEINSUP] = {3000, 3010, 3020, 3030, 3040};
const int awDefAus[AWAUSSUP] = {3050, 3060, 3070};

bool awDefTyp(std::initializer_list<int> typen)
{
    for (int t : typen)
        if (t == def.typ) return true;
    return false;
}

void awDefZeigen(int id, bool an)
{
    wiItemZeigen(id, an ? 1 : 0);
    wiItemFrei(id, an ? 1 : 0);
}

// Shows the controls of the selected entry's type and labels the option box.
void awDefSteuerelemente()
{
    const bool filter = awDefTyp({0, 1, 2, 3, 8});
    for (int id : {3000, 3010, 3020, 3030, 3040, 3050, 3060, 3070, 3051, 3009, 3310, 3311, 3312, 3313, 3314, 3315})
        awDefZeigen(id, filter);
    awDefZeigen(3300, def.typ != 4);
    awDefZeigen(3301, def.typ != 4);
    awDefZeigen(3309, def.typ != 4);
    awDefZeigen(3302, awDefTyp({5, 6}));
    awDefZeigen(3320, awDefTyp({1, 5, 6, 7, 8, 9}));
    awDefZeigen(3340, awDefTyp({1, 9}));
    awDefZeigen(3350, awDefTyp({1, 9}));
    for (int id : {3200, 3209, 3220, 3221, 3229}) awDefZeigen(id, def.typ == 2);
    const char* option = "";
    switch (def.typ) {
    case 1:
    case 9: option = "Lagerartikel auf einer Seite"; break;
    case 5: option = "Klemmensteg auf einer Seite"; break;
    case 6: option = "Kabel auf einer Seite"; break;
    case 7:
    case 8: option = "Nur mit gesetzten Unterbauteilen"; break;
    default: break;
    }
    wiTextSetzen(3320, option);
    wiTextSetzen(3340, "Artikel in Unterartikel aufl\xF6sen");
    wiTextSetzen(3350, "Gleiche Artikel zusammenfassen");
}

void awDefWerteZeigen()
{
    const awoptionen& o = def.o;
    wiTextSetzen(3100, o.datei.c_str());
    wiTextSetzen(3110, o.extxdat.c_str());
    wiRadioSetzen(3120, o.extxwie, 3);
    for (int i = 0; i < AWEINSUP; ++i) wiTextSetzen(awDefEin[i], o.ein[i].c_str());
    for (int i = 0; i < AWAUSSUP; ++i) wiTextSetzen(awDefAus[i], o.aus[i].c_str());
    for (int i = 0; i < AWARTEN; ++i) wiKnopfSetzen(3310 + i, o.arten[i]);
    const int primaer = o.sortiert / 100, sekundaer = (o.sortiert / 10) % 10, ordnung = o.sortiert % 10;
    wiComboWahlSetzen(3300, primaer > 0 ? primaer - 1 : 0);
    wiComboWahlSetzen(3301, sekundaer);
    wiComboWahlSetzen(3302, ordnung);
    wiTextSetzen(3400, o.bauwerk.c_str());
    wiTextSetzen(3410, o.objekt.c_str());
    wiRadioSetzen(3420, o.extatt, 3);
    wiKnopfSetzen(3330, AwNurMarkVorgabe());
    wiKnopfSetzen(3360, o.feld);
    wiKnopfSetzen(3320, awDefTyp({7, 8}) ? o.nurUnter : o.auf1sei);
    wiKnopfSetzen(3340, o.aufloe);
    wiKnopfSetzen(3350, o.zusfas);
    wiComboSetzen(3200, o.bauteil.c_str());
    wiRadioSetzen(3220, o.a3a4, 2);
}

// The run-options record from the dialog's controls.
void awDefWerteLesen(awoptionen& o)
{
    char t[AWNAMESUP + 200];
    auto text = [&](int id, int n) {
        wiTextHolen(id, t, n);
        strtrim(t);
        return std::string(t);
    };
    o.datei = text(3100, WIDATEISUP);
    o.extxdat = text(3110, 40);
    o.extxwie = wiRadio(3120, 3);
    if (awDefTyp({0, 1, 2, 3, 8})) {
        std::string muster;
        for (int id : awDefEin) muster += " " + text(id, AWMUSTERSUP);
        for (int id : awDefAus) {
            std::string w = text(id, AWMUSTERSUP);
            if (!w.empty()) muster += " -" + w;
        }
        AwKennungenSetzen(o, muster.c_str());
        for (int i = 0; i < AWARTEN; ++i) o.arten[i] = wiKnopf(3310 + i);
    }
    if (def.typ != 4) {
        int primaer = wiComboWahl(3300), sekundaer = wiComboWahl(3301), ordnung = wiComboWahl(3302);
        o.sortiert = (primaer < 0 ? 0 : primaer + 1) * 100 + (sekundaer < 0 ? 0 : sekundaer) * 10 + (awDefTyp({5, 6}) && ordnung > 0 ? ordnung : 0);
        if (o.sortiert < 100) o.sortiert += 100;
    }
    o.bauwerk = text(3400, 40);
    o.objekt = text(3410, 40);
    o.extatt = wiRadio(3420, 3);
    o.nurMarkiert = wiKnopf(3330);
    o.feld = def.typ == 9 ? 0 : wiKnopf(3360);
    if (awDefTyp({1, 5, 6, 9})) o.auf1sei = wiKnopf(3320);
    if (awDefTyp({7, 8})) o.nurUnter = wiKnopf(3320);
    if (awDefTyp({1, 9})) {
        o.aufloe = wiKnopf(3340);
        o.zusfas = wiKnopf(3350);
    }
    if (def.typ == 2) {
        std::string b = text(3200, 20);
        size_t e = b.find(' ');
        o.bauteil = b.substr(0, e);
        o.a3a4 = wiRadio(3220, 2);
    }
}

void awDefEintrag()
{
    char zeile[AWNAMESUP + 40] = "";
    int n = wiListeWahl(AWDEFLISTE);
    if (n < 0 || wiListeText(AWDEFLISTE, n, zeile) < 0) return;
    def.index = AwListenIndex(zeile);
    std::string t(zeile, std::min<size_t>(std::strlen(zeile), AWNAMESUP));
    while (!t.empty() && t.back() == ' ') t.pop_back();
    def.titel = t;
    char praefix[21], gruppe[21], programm[101];
    AwEintrag(def.index, nullptr, nullptr, praefix, gruppe, programm);
    def.praefix = praefix;
    def.gruppe = gruppe;
    def.programm = programm;
    def.typ = AwTyp(def.index);
    AwOptionenLaden(def.o, praefix, def.typ);
    awDefSteuerelemente();
    awDefWerteZeigen();
    char hilfe[40];
    std::snprintf(hilfe, sizeof hilfe, "Auswerten-%s", praefix);
    wiDlgHilfeSetzen(def.fenster, hilfe);
    AuswertTitelZeigen(def.titel.c_str());
}

void awDefStarten()
{
    if (ZeiIstGeaendert()) {
        wiHinweis("Zeichnung ge\xE4ndert und nicht gespeichert.");
        return;
    }
    awoptionen& o = AwOptionen();
    o = def.o;
    awDefWerteLesen(o);
    if (o.datei.empty()) {
        wiHinweis("Sie m\xFCssen einen Namen f\xFCr das Resultat angeben.");
        return;
    }
    const bool zu = wiKnopf(2509) != 0;
    AwBericht bericht;
    const std::string pfad = bericht.vorher(o.datei);
    int gestartet = AwAusfuehren(def.programm.c_str());
    if (!gestartet) AuswertNeu();
    if (zu) wiDlgSchliessen();
    bericht.ergebnis(pfad);
    bericht.zeigen("Auswerten", "Auswertung \"" + def.titel + "\" fertig");
}

void awDefDatei(int feld, const char* titel, int ohneOrdner)
{
    char pfad[WIDATEISUP + 1];
    wiTextHolen(feld, pfad, WIDATEISUP);
    const char* filter = "Textdateien|*.TXT|Alle Dateien|*.*|";
    int ok = ohneOrdner ? wiDateiWahl(pfad, titel, filter) : wiDateiSpeichern(pfad, titel, filter);
    if (!ok) return;
    if (ohneOrdner) {
        char name[WIDATEISUP + 1];
        const char* p = pfad;
        for (const char* q = pfad; *q; ++q)
            if (*q == '/' || *q == '\\') p = q + 1;
        strkopie(name, sizeof name, p, WIDATEISUP);
        wiTextSetzen(feld, name);
    } else {
        wiTextSetzen(feld, pfad);
    }
}

int awDefInit(int, const char* const*)
{
    def.fenster = wiDlgFenster();
    wiDlgPosLaden("AUSWERTEN");
    wiKnopfSetzen(2509, 1);
    for (int id : {3300, 3301}) {
        wiComboLeeren(id);
        if (id == 3301) wiComboAnhaengen(id, "");
        for (const char* n : awDefSchluesselNamen) wiComboAnhaengen(id, n);
    }
    wiComboLeeren(3302);
    for (const char* n : awDefOrdnungen) wiComboAnhaengen(3302, n);
    int wahl = 0, n = 0;
    for (const std::string& z : AwListe()) {
        if (n >= AWDEFZEILEN) break;
        wiListeAnhaengen(AWDEFLISTE, z.c_str());
        if (AwListenIndex(z.c_str()) == def.index) wahl = n;
        ++n;
    }
    wiListeWahlSetzen(AWDEFLISTE, wahl);
    awDefEintrag();
    char name[PVWNAMESUP + 1];
    if (PvwErsteZeichnung(name)) {
        char pfad[VERSUP + PVWNAMESUP + 2];
        PfadProjekt(pfad, sizeof pfad, name);
        ZeiAktSetzen(pfad);
    }
    return 0;
}

int awDefExit()
{
    wiDlgPosSichern("AUSWERTEN");
    def.fenster = 0;
    AuswertPost(2590);
    return 0;
}

int awDefBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (wp == AWDEFLISTE && (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM))
        return ElsLbZeichnen(AWDEFLISTE, AwListenText, nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case AWDEFLISTE:
        if (HIWORD(wp) == LBN_SELCHANGE) awDefEintrag();
        break;
    case 2590: awDefEintrag(); break;
    case 1:
    case 2500: awDefStarten(); break;
    case 2501:
        if (awDefGruppe) awDefGruppe(def.gruppe.c_str());
        break;
    case 2510: awDefDatei(3100, "Resultat speichern unter", 0); break;
    case 2511: awDefDatei(3110, "Betriebsmittel-Textdatei", 1); break;
    case 2:
    case 2502: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

void AwDefGruppeHakenSetzen(void (*fn)(const char* gruppe)) { awDefGruppe = fn; }

void AwDefOeffnen(int index, int sofort)
{
    if (!BMVorgaben().bmuse) {
        wiHinweis("Betriebsmittel in den Vorgaben abgeschaltet.");
        return;
    }
    def.index = index;
    if (def.fenster != 0 && IsWindow(def.fenster)) {
        ShowWindow(def.fenster, SW_SHOW);
        SetActiveWindow(def.fenster);
        if (wiDlgBetreten(def.fenster)) {
            int n = wiListeAnzahl(AWDEFLISTE);
            for (int i = 0; i < n; ++i) {
                char z[AWNAMESUP + 40];
                if (wiListeText(AWDEFLISTE, i, z) >= 0 && AwListenIndex(z) == index) wiListeWahlSetzen(AWDEFLISTE, i);
            }
            awDefEintrag();
            wiDlgVerlassen();
        }
    } else if (wiDlgOeffnen("AUSWERTEN", awDefInit, awDefExit, awDefBefehl) == 0) {
        return;
    }
    if (sofort) PostMessage(def.fenster, WM_COMMAND, 2500, 0);
}
