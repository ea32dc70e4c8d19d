// The small master-data windows (see stammlist.h).
#include "lists/stammlist.h"

#include "lists/listdlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "controls/elzeile.h"
#include "controls/lisanzeige.h"
#include "editdlg/textdat.h"
#include "editdlg/bautwork.h"
#include "editdlg/bmtcopy.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "model/einstell.h"
#include "output/farbe.h"
#include "output/schrift.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/orte.h"
#include "platform/winconst.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

// An open window is raised instead of opening a second one.
bool slOffen(HWND f)
{
    if (!f || !IsWindow(f)) return false;
    SetActiveWindow(f);
    return true;
}

void slWarnung(const char* pfad) { wiMeldung(TextNr(243), pfad); }

// ---- standard text viewer ---------------------------------------------------------------------

struct StdZustand {
    HWND fenster = 0;
    std::string datei;
    int art = 0;
    std::vector<std::string> zeilen;
    int neuLaden = 0;
};
StdZustand stz;

void stLaden()
{
    const int r = StdTextLesen(stz.datei.c_str(), &stz.zeilen);
    if (r == -2) wiMeldung(TextNr(250), stz.datei.c_str());
    if (r == 1)
        wiMeldung("%s hat mehr als %d Zeilen; gezeigt werden die ersten %d.", stz.datei.c_str(), STDZEILENSUP,
                  STDZEILENSUP);
    SendMessage(wiItem(3000), WM_SETREDRAW, FALSE, 0);
    wiListeLeeren(3000);
    for (const std::string& z : stz.zeilen) wiListeAnhaengen(3000, z.c_str());
    SendMessage(wiItem(3000), WM_SETREDRAW, TRUE, 0);
    wiItemAuffrischen(3000);
    wiListeWahlSetzen(3000, stz.zeilen.empty() ? -1 : 0);
}

void stLagerFelder()
{
    if (stz.art != 2) return;
    const int n = wiListeWahl(3000);
    char z[STDZEILESUP + 1] = "", nr[STDZEILESUP + 1], t[4][STDZEILESUP + 1];
    if (n >= 0 && n < static_cast<int>(stz.zeilen.size())) strkopie(z, stz.zeilen[static_cast<size_t>(n)].c_str(), STDZEILESUP);
    LagerZeileZerlegen(z, nr, t[0], t[1], t[2], t[3]);
    wiTextSetzen(3100, nr);
    for (int i = 0; i < 4; ++i) wiTextSetzen(3110 + i, t[i]);
}

void stSuchen()
{
    char t[STDSUCHSUP + 1];
    wiTextHolen(3010, t, STDSUCHSUP);
    strtrim(t);
    const int n = StdTextSuchen(stz.zeilen, wiListeWahl(3000), t);
    if (n >= 0) wiListeWahlSetzen(3000, n);
    stLagerFelder();
}

int stInit(int, const char* const*)
{
    stz.fenster = wiDlgFenster();
    wiDlgPosLadenAkt();
    char titel[300];
    strkopie(titel, stz.datei.c_str(), sizeof titel - 1);
    const char* s = std::max(std::strrchr(titel, '/'), std::strrchr(titel, '\\'));
    const char* name = s ? s + 1 : titel;
    if (name[0]) wiDlgTitelSetzen(name);  // without a file name the template's caption stays
    SprTitel();
    stLaden();
    wiTextSetzen(3010, "");
    stLagerFelder();
    return 0;
}

int stExit()
{
    wiDlgPosSichernAkt();
    wiTooltipsLoeschen();
    stz = StdZustand{};
    return 0;
}

int stBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht == WM_ACTIVATE && LOWORD(wp) != WA_INACTIVE && stz.neuLaden) {
        stz.neuLaden = 0;
        PostMessage(stz.fenster, WM_COMMAND, 2521, 0);
        return 0;
    }
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 3000:
        if (HIWORD(wp) == LBN_SELCHANGE) stLagerFelder();
        break;
    case 1:
        if (wiGrbuAusloesen()) break;
        [[fallthrough]];
    case 2510: stSuchen(); break;
    case 2520: {
        std::string d = stz.datei;
        const size_t s = d.find_last_of("/\\");
        if (d.find('.', s == std::string::npos ? 0 : s) == std::string::npos) d += '.';
        TextDateiExtern(d.c_str());
        stz.neuLaden = 1;
        break;
    }
    case 2521: stLaden(); stLagerFelder(); break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// ---- colour list ---------------------------------------------------------------------------------

constexpr int FL_LISTE = 4700;

struct FarbZustand {
    HWND fenster = 0;
    std::string datei;
};
FarbZustand flz;

farbsatz* flSatz(int z) { return z >= 0 && z < ElzAnzahl(FL_LISTE) ? static_cast<farbsatz*>(ElzSatz(FL_LISTE, z)) : nullptr; }

int flKopf(int index, char* text)
{
    static const struct {
        int spalte;
        const char* text;
    } k[] = {{1, "Rot"}, {10, "Gr\xFCn"}, {19, "Blau"}, {28, "Bezeichnung"}};
    if (index < 0 || index >= 4) return -1;
    std::snprintf(text, 256, "%s", k[index].text);
    return k[index].spalte;
}

void flMalen(int zeile)
{
    const farbsatz* s = flSatz(zeile);
    if (!s) return;
    char t[24];
    const int werte[3] = {s->r, s->g, s->b};
    for (int i = 0; i < 3; ++i) {
        std::snprintf(t, sizeof t, "%-8d", werte[i]);
        LisText(1 + 9 * i, 0, t);
    }
    strbreite(t, s->name, FARBNAMESUP);
    LisText(28, 0, t);
}

int flFeld(int spalte) { return spalte <= 8 ? 0 : spalte <= 17 ? 1 : spalte < 27 ? 2 : 3; }

void flZelleText(int zeile, int spalte, int* start, int* breite, char* text, int groesse)
{
    text[0] = '\0';
    const farbsatz* s = flSatz(zeile);
    if (!s) return;
    const int f = flFeld(spalte);
    *start = 1 + 9 * f;
    *breite = f == 3 ? FARBNAMESUP : 3;
    const int werte[3] = {s->r, s->g, s->b};
    if (f == 3) std::snprintf(text, static_cast<size_t>(groesse), "%cM %d\t%s", 27, FARBNAMESUP, s->name);
    else std::snprintf(text, static_cast<size_t>(groesse), "%cM 3\t%d", 27, werte[f]);
}

void flZelleSpeichern(int zeile, int spalte, const char* text)
{
    farbsatz* s = flSatz(zeile);
    if (!s) return;
    const int f = flFeld(spalte);
    if (f == 3) strkopie(s->name, text, FARBNAMESUP);
    else (f == 0 ? s->r : f == 1 ? s->g : s->b) = std::atoi(text);
    ElzGeaendertSetzen(FL_LISTE, 1);
}

void flEditieren(int zeile, int spalte) { LisEditStart(FL_LISTE, zeile, spalte, 1, flZelleText, flZelleSpeichern); }

int flEreignis(int ereignis, int zeile)
{
    if (ereignis == LISAKTIV || ereignis == LISLEER) {
        int spalte = 0, z = 0;
        LisKlickZelle(FL_LISTE, &spalte, &z);
        flEditieren(zeile, spalte);
    } else if (ereignis == LISKONTEXT) {
        int x = 0, y = 0;
        LisKlickHolen(FL_LISTE, &x, &y);
        wiKontextMenu("FarbListe_RM", MAKELPARAM(x, y), wiItem(FL_LISTE));
    }
    return 0;
}

// The shipped list is never written: the edited one goes to the
// application-data folder under its name.
int flSpeichern()
{
    const size_t s = flz.datei.find_last_of("/\\");
    const std::string ziel = plOrtAnwendung() + "/" + (s == std::string::npos ? flz.datei : flz.datei.substr(s + 1));
    if (pfadanlegen(plOrtAnwendung().c_str()) != 0 || ElzSpeichern(FL_LISTE, ziel.c_str()) != 0) {
        slWarnung(ziel.c_str());
        return -1;
    }
    ElzGeaendertSetzen(FL_LISTE, 0);
    RgbVergessen();
    return 0;
}

int flInit(int, const char* const*)
{
    flz.fenster = wiDlgFenster();
    wiDlgPosLadenAkt();
    ElzAnlegen(FL_LISTE, sizeof(farbsatz), FarbSatzLesen, FarbSatzZeile, FarbSatzNeu);
    ElzLaden(FL_LISTE, flz.datei.c_str());
    ElzAufbauen(FL_LISTE, flKopf, nullptr, flMalen, flEreignis);
    ElzGeaendertSetzen(FL_LISTE, 0);
    return 0;
}

int flExit()
{
    if (ElzGeaendert(FL_LISTE) && wiFrage(TextNr(39)) == 1) flSpeichern();
    ElzFreigeben(FL_LISTE);
    wiDlgPosSichernAkt();
    wiTooltipsLoeschen();
    flz = FarbZustand{};
    return 0;
}

int flBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    LisNachricht(FL_LISTE, nachricht, wp, lp);
    if (nachricht == WM_COMMAND) LsdBefehl({FL_LISTE, flSpeichern, nullptr, flZelleText, flZelleSpeichern}, LOWORD(wp));
    return 0;
}

// ---- fonts -------------------------------------------------------------------------------------------

HWND schFenster = 0;

void scZeigen()
{
    char name[WISCHRIFTSUP + 1];
    SchriftName(0, name, sizeof name);
    wiTextSetzen(3000, name);
    for (int n = 1; n <= 9; ++n) {
        SchriftName(n, name, sizeof name);
        if (wiComboTextWaehlen(3000 + 10 * n, name) < 0) SetDlgItemText(wiDlgFenster(), 3000 + 10 * n, name);
        wiKnopfSetzen(3100 + 10 * n, SchriftArt(n) != 0);
    }
}

int scInit(int, const char* const*)
{
    schFenster = wiDlgFenster();
    wiDlgPosLadenAkt();
    const std::vector<std::string> flaechen = SchriftFlaechen();
    for (int n = 1; n <= 9; ++n) {
        wiComboLeeren(3000 + 10 * n);
        for (const std::string& f : flaechen) wiComboAnhaengen(3000 + 10 * n, f.c_str());
    }
    scZeigen();
    return 0;
}

int scExit()
{
    wiDlgPosSichernAkt();
    wiTooltipsLoeschen();
    schFenster = 0;
    return 0;
}

int scBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (wiGrbuAusloesen()) break;
        [[fallthrough]];
    case 2500: {
        for (int n = 1; n <= 9; ++n) {
            char t[WISCHRIFTSUP + 1] = "";
            wiComboText(3000 + 10 * n, t, WISCHRIFTSUP);
            strtrim(t);
            if (!t[0]) wiComboWahlText(3000 + 10 * n, t, WISCHRIFTSUP);
            SchriftSetzen(n, t, wiKnopf(3100 + 10 * n));
        }
        if (SchriftSchreiben() != 0) {
            slWarnung("Schrift.txt");
            break;
        }
        wiDlgSchliessen();
        break;
    }
    case 2: case 2501:
        scZeigen();
        wiDlgSchliessen();
        break;
    default: break;
    }
    return 0;
}

// ---- pens and layers --------------------------------------------------------------------------

HWND stiFenster = 0;
int stiErster = 1;

void stiZeigen()
{
    for (int i = 0; i < STIFTSEITE; ++i) {
        const int n = stiErster + i;
        char name[STIFTNAMESUP + 1] = "";
        if (n <= STIFTSUP) StiftName(n, name);
        wiTextSetzen(3000 + 10 * i, name);
        if (n <= STIFTSUP) wiZahlSetzen(3001 + 10 * i, n);
        else wiTextSetzen(3001 + 10 * i, "");
    }
}

void stiMerken()
{
    for (int i = 0; i < STIFTSEITE && stiErster + i <= STIFTSUP; ++i) {
        char name[STIFTNAMESUP + 1];
        wiTextHolen(3000 + 10 * i, name, STIFTNAMESUP);
        StiftNameSetzen(stiErster + i, name);
    }
}

int stiInit(int, const char* const*)
{
    stiFenster = wiDlgFenster();
    wiDlgPosLadenAkt();
    stiErster = 1;
    stiZeigen();
    return 0;
}

int stiExit()
{
    wiDlgPosSichernAkt();
    wiTooltipsLoeschen();
    stiFenster = 0;
    return 0;
}

int stiBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 2510:
        stiMerken();
        if (stiErster + STIFTSEITE <= 98) stiErster += STIFTSEITE;
        stiZeigen();
        break;
    case 2511:
        stiMerken();
        if (stiErster - STIFTSEITE >= 1) stiErster -= STIFTSEITE;
        stiZeigen();
        break;
    case 1:
        if (wiGrbuAusloesen()) break;
        [[fallthrough]];
    case 2500:
        stiMerken();
        if (StifteSpeichern() != 0) {
            slWarnung("Stifte.txt");
            break;
        }
        wiDlgSchliessen();
        break;
    case 2: case 2501:
        StifteVergessen();
        stiZeigen();
        wiDlgSchliessen();
        break;
    default: break;
    }
    return 0;
}

HWND layFenster = 0;

int layInit(int, const char* const*)
{
    layFenster = wiDlgFenster();
    wiDlgPosLadenAkt();
    for (int n = 1; n <= LAYERSUP; ++n) {
        char name[STIFTNAMESUP + 1];
        LayerName(n, name);
        wiTextSetzen(3000 + 10 * n, name);
    }
    return 0;
}

int layExit()
{
    wiDlgPosSichernAkt();
    wiTooltipsLoeschen();
    layFenster = 0;
    return 0;
}

int layBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (wiGrbuAusloesen()) break;
        [[fallthrough]];
    case 2500:
        for (int n = 1; n <= LAYERSUP; ++n) {
            char name[STIFTNAMESUP + 1];
            wiTextHolen(3000 + 10 * n, name, STIFTNAMESUP);
            LayerNameSetzen(n, name);
        }
        if (LayerSpeichern() != 0) {
            slWarnung("Layer.txt");
            break;
        }
        wiDlgSchliessen();
        break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// ---- equipment short texts ----------------------------------------------------------------

struct BtZustand {
    HWND fenster = 0;
    HWND besitzer = 0;
    int def = -1;
    std::string code;
    int geaendert = 0;
};
BtZustand btz;

void btLaden()
{
    DEFTEXTE t;
    if (btz.code.empty()) DefTexteHolen(btz.def, t);
    else DefUnterTexteHolen(btz.def, btz.code.c_str(), t);
    char name[DEFNAMESUP + 1] = "";
    if (btz.code.empty()) {
        char typ[DEFNAMESUP + 1], k1[DEFTEXTSUP + 1], k2[DEFTEXTSUP + 1], kurz[DEFNAMESUP + 1];
        DefFelderHolen(btz.def, name, typ, k1, k2, kurz);
    } else {
        char typ[DEFNAMESUP + 1], kurz[DEFNAMESUP + 1];
        int anzahl = 0;
        DefUnterFelder(btz.def, btz.code.c_str(), name, typ, &anzahl, kurz);
    }
    wiTextSetzen(3900, name);
    wiTextSetzen(3910, btz.code.c_str());
    for (int i = 0; i < DEFTEXTEANZ; ++i) wiTextSetzen(3000 + 10 * i, t[i]);
    btz.geaendert = 0;
}

int btSpeichern()
{
    std::vector<std::string> texte(DEFTEXTEANZ);
    const char* zeiger[DEFTEXTEANZ];
    for (int i = 0; i < DEFTEXTEANZ; ++i) {
        char t[DEFTEXTSUP + 1];
        wiTextHolen(3000 + 10 * i, t, DEFTEXTSUP);
        strtrim(t);
        texte[static_cast<size_t>(i)] = t;
        zeiger[i] = texte[static_cast<size_t>(i)].c_str();
    }
    const int r = btz.code.empty() ? DefTexteSetzen(btz.def, zeiger) : DefUnterTexteSetzen(btz.def, btz.code.c_str(), zeiger);
    if (r != 0) {
        slWarnung(DefBearbeitungsPfad());
        return -1;
    }
    btz.geaendert = 0;
    if (btz.besitzer) PostMessage(btz.besitzer, WM_COMMAND, 2516, 0);
    return 0;
}

// 2510: the forty texts as an equipment-text block named by 3900 and 3910.
void btKopieren()
{
    char tab[DEFTEXTEANZ][41];
    for (int i = 0; i < DEFTEXTEANZ; ++i) {
        wiTextHolen(3000 + 10 * i, tab[i], 40);
        strtrim(tab[i]);
    }
    char a[DEFNAMESUP + 1], b[DEFNAMESUP + 1];
    wiTextHolen(3900, a, DEFNAMESUP);
    wiTextHolen(3910, b, DEFNAMESUP);
    BmTextTabInClip(a, b, tab);
}

// 2511: a line key that is a whole number n (0..39) fills edit n*10+3000.
void btEinfuegenZeile(const char* schluessel, const char* wert, void*)
{
    const int n = BmTextZeile(schluessel);
    if (n < 0 || n >= DEFTEXTEANZ) return;
    wiTextSetzen(3000 + 10 * n, wert);
    btz.geaendert = 1;
}

int btInit(int, const char* const*)
{
    btz.fenster = wiDlgFenster();
    wiDlgPosLadenAkt();
    wiKnopfSetzen(2504, 1);
    wiItemZeigen(2990, 0);
    btLaden();
    return 0;
}

int btExit()
{
    if (btz.geaendert && wiFrage(TextNr(39)) == 1) btSpeichern();
    wiDlgPosSichernAkt();
    wiTooltipsLoeschen();
    btz.fenster = 0;
    return 0;
}

int btBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id >= 3000 && id < 3000 + 10 * DEFTEXTEANZ && id % 10 == 0) {
        if (wiEditGeaendert(id, wp)) btz.geaendert = 1;
        return 0;
    }
    switch (id) {
    case 1:
        if (wiGrbuAusloesen()) break;
        [[fallthrough]];
    case 2500: case 2509:
        if (btSpeichern() == 0 && wiKnopf(2504)) wiDlgSchliessen();
        break;
    case 2512:
        for (int i = 0; i < DEFTEXTEANZ; ++i) wiTextSetzen(3000 + 10 * i, "");
        btz.geaendert = 1;
        break;
    case 2510: btKopieren(); break;
    case 2511: BmTextAusClip(btEinfuegenZeile, nullptr); break;
    case 2531:
        if (btz.geaendert && wiFrage(TextNr(39)) == 1) btSpeichern();
        [[fallthrough]];
    case 2530: btLaden(); break;
    case 2: case 2501: btz.geaendert = 0; wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

void BmTexteOeffnen(int n, const char* code)
{
    btz.def = n;
    btz.code = code ? code : "";
    if (btz.fenster && IsWindow(btz.fenster)) {
        PostMessage(btz.fenster, WM_COMMAND, 2530, 0);
        SetActiveWindow(btz.fenster);
        return;
    }
    btz.besitzer = wiDlgFenster();
    wiDlgOeffnen("BMTexte", btInit, btExit, btBefehl);
}

void BmTexteWechseln(int n, const char* code)
{
    if (!btz.fenster || !IsWindow(btz.fenster)) return;
    btz.def = n;
    btz.code = code ? code : "";
    PostMessage(btz.fenster, WM_COMMAND, btz.geaendert ? 2531 : 2530, 0);
}

int StdTextLesen(const char* pfad, std::vector<std::string>* zeilen)
{
    zeilen->clear();
    BDAT d{};
    if (pfad == nullptr || bdopenlesen(&d, pfad) < 0) return -1;
    char z[STDZEILESUP + 1], t[8 * STDZEILESUP + 1];
    bool mehr = false;
    while (bdgets(&d, z, STDZEILESUP) >= 0) {
        if (static_cast<int>(zeilen->size()) >= STDZEILENSUP) {
            mehr = true;
            break;
        }
        tabaufloesen(t, sizeof t, z, 8);
        zeilen->push_back(t);
    }
    const bool kurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (kurz) {
        zeilen->clear();
        return -2;
    }
    return mehr ? 1 : 0;
}

int StdTextSuchen(const std::vector<std::string>& zeilen, int ab, const char* text)
{
    if (!text || !text[0]) return -1;
    for (size_t i = static_cast<size_t>(std::max(ab + 1, 0)); i < zeilen.size(); ++i)
        if (strposi(zeilen[i].c_str(), text) >= 0) return static_cast<int>(i);
    return -1;
}

int FarbSatzLesen(void* satz, const char* zeile)
{
    auto* s = static_cast<farbsatz*>(satz);
    std::memset(s, 0, sizeof *s);
    char t[ELZZEILESUP + 1];
    strkopie(t, zeile, ELZZEILESUP);
    char* p = t;
    int32_t* werte[3] = {&s->r, &s->g, &s->b};
    for (int32_t* w : werte) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!(*p == '-' || (*p >= '0' && *p <= '9'))) break;
        *w = static_cast<int32_t>(zahlab(p));
    }
    // Cut, then trimmed: what is saved reads back the same.
    strkopie(s->name, p, FARBNAMESUP);
    strtrim(s->name);
    return 1;
}

void FarbSatzZeile(const void* satz, char* zeile, int groesse)
{
    const auto* s = static_cast<const farbsatz*>(satz);
    std::snprintf(zeile, static_cast<size_t>(groesse), "%3d %3d %3d     %s", s->r, s->g, s->b, s->name);
}

void FarbSatzNeu(void* satz)
{
    auto* s = static_cast<farbsatz*>(satz);
    std::memset(s, 0, sizeof *s);
    std::strcpy(s->name, "?");
}

std::vector<std::string> SchriftFlaechen()
{
    std::vector<std::string> f;
    for (const WiSchriftFamilie& s : wiSchriftFamilien()) {
        if (s.name.empty() || s.name[0] == '@') continue;
        std::string n = s.name.substr(0, WISCHRIFTSUP);
        if (std::find(f.begin(), f.end(), n) == f.end()) f.push_back(n);
        if (static_cast<int>(f.size()) >= SCHRIFTFLISTESUP) break;
    }
    std::sort(f.begin(), f.end());
    return f;
}

void StdTextOeffnen(const char* datei, int art)
{
    if (slOffen(stz.fenster)) return;
    stz.datei = datei ? datei : "";
    stz.art = art < 0 || art > 2 ? 0 : art;
    static const char* const namen[3] = {"STDTEXTT", "STDTEXTS", "STDTEXTL"};
    wiDlgOeffnen(namen[stz.art], stInit, stExit, stBefehl);
}

void FarbListeOeffnen(const char* datei)
{
    if (slOffen(flz.fenster)) return;
    flz.datei = datei ? datei : "";
    wiDlgOeffnen("FarbListe", flInit, flExit, flBefehl);
}

void SchriftenOeffnen()
{
    if (!slOffen(schFenster)) wiDlgOeffnen("Schriften", scInit, scExit, scBefehl);
}

void StifteOeffnen()
{
    if (!slOffen(stiFenster)) wiDlgOeffnen("Stifte", stiInit, stiExit, stiBefehl);
}

void LayerOeffnen()
{
    if (!slOffen(layFenster)) wiDlgOeffnen("Layer", layInit, layExit, layBefehl);
}
