// The PLC information dialogs (see spsinfo.h): the record list
// "SPSInfoListe" over the store and the single-record dialog
// "SPSInfoEinz", which edits the list's record in place.
#include <cstdio>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "controls/elzeile.h"
#include "controls/lisanzeige.h"
#include "editdlg/textdat.h"
#include "editdlg/bautwork.h"
#include "lists/einzseite.h"
#include "lists/listdlg.h"
#include "lists/spsinfo.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int SPS_LISTE = 4700;

HWND spsListe = 0;
HWND spsEinz = 0;
int spsEinzZeile = -1;
int spsEinzGeaendert = 0;

spsinfo* spsSatz(int zeile)
{
    return zeile >= 0 && zeile < ElzAnzahl(SPS_LISTE) ? static_cast<spsinfo*>(ElzSatz(SPS_LISTE, zeile)) : nullptr;
}

int slKopf(int index, char* text)
{
    static const struct {
        int spalte;
        const char* text;
    } kopf[] = {{1, "Adresse"}, {22, "Text 1"}, {43, "Text 2"}, {64, "Text 3"}};
    if (index < 0 || index >= 4) return -1;
    std::snprintf(text, 256, "%s", kopf[index].text);
    return kopf[index].spalte;
}

void slMalen(int zeile)
{
    const spsinfo* s = spsSatz(zeile);
    if (!s) return;
    const char* felder[4] = {s->schluessel, s->text[0], s->text[1], s->text[2]};
    const int spalten[4] = {1, 22, 43, 64};
    for (int i = 0; i < 4; ++i) {
        char t[21];
        strbreite(t, felder[i], 20);
        LisText(spalten[i], 0, t);
    }
    if (s->text[3][0] == '\0') LisFarbe(196, 196, 196);
    LisText(85, 0, "...");
}

// The cell under a column: key, text 1, 2, 3; none from 85 on.
int slFeld(int spalte) { return spalte <= 21 ? 0 : spalte <= 42 ? 1 : spalte <= 63 ? 2 : spalte <= 84 ? 3 : -1; }

char* slFeldText(spsinfo* s, int feld) { return feld == 0 ? s->schluessel : s->text[feld - 1]; }

void slZelleText(int zeile, int spalte, int* start, int* breite, char* text, int groesse)
{
    text[0] = '\0';
    spsinfo* s = spsSatz(zeile);
    const int feld = slFeld(spalte);
    if (!s || feld < 0) return;
    *start = 1 + 21 * feld;
    *breite = 20;
    std::snprintf(text, static_cast<size_t>(groesse), "%cM %d\t%s", 27, SPSFELDSUP, slFeldText(s, feld));
}

// A key beginning with ')' would read back as a section line and end the
// records there: refused with a message.
bool slSchluesselPasst(const char* t)
{
    if (SpsSchluesselErlaubt(t)) return true;
    wiMeldung("Eine Adresse darf nicht mit ')' beginnen.");
    return false;
}

void slZelleSpeichern(int zeile, int spalte, const char* text)
{
    spsinfo* s = spsSatz(zeile);
    const int feld = slFeld(spalte);
    if (!s || feld < 0) return;
    if (feld == 0 && !slSchluesselPasst(text)) return;
    strkopie(slFeldText(s, feld), SPSFELDSUP + 1, text, SPSFELDSUP);
    ElzGeaendertSetzen(SPS_LISTE, 1);
}

void slEinzOeffnen(int zeile);

void slEinzNeuZeigen(int zeile)
{
    if (spsEinz && IsWindow(spsEinz)) PostMessage(spsEinz, WM_COMMAND, 2512, zeile);
}

int slEreignis(int ereignis, int zeile)
{
    switch (ereignis) {
    case LISCURSOR:
    case LISANZAHL: slEinzNeuZeigen(zeile); break;
    case LISLEER:
    case LISAKTIV: {
        int spalte = 0, z = 0;
        LisKlickZelle(SPS_LISTE, &spalte, &z);
        if (slFeld(spalte) < 0) slEinzOeffnen(zeile);
        else LisEditStart(SPS_LISTE, zeile, spalte, 1, slZelleText, slZelleSpeichern);
        break;
    }
    case LISKONTEXT: {
        int x = 0, y = 0;
        LisKlickHolen(SPS_LISTE, &x, &y);
        wiKontextMenu("SPSInfoListe_RM", MAKELPARAM(x, y), wiItem(SPS_LISTE));
        break;
    }
    default: break;
    }
    return 0;
}

int slSpeichern()
{
    std::vector<spsinfo>& st = SpsInfoSpeicher();
    st.clear();
    for (int i = 0; i < ElzAnzahl(SPS_LISTE); ++i) st.push_back(*spsSatz(i));
    if (SpsInfoSchreiben() != 0) {
        wiMeldung(TextNr(243), SpsInfoDatei());
        return -1;
    }
    ElzGeaendertSetzen(SPS_LISTE, 0);
    SpsTexteErzeugen();
    return 0;
}

int slInit(int, const char* const*)
{
    spsListe = wiDlgFenster();
    wiDlgPosLadenAkt();
    char pfad[300];
    PfadProjekt(pfad, sizeof pfad, "SPSINFO.ZVK");
    SpsInfoVergessen();
    SpsInfoLesen(pfad);
    wiTextSetzen(3000, pfadkurzn(pfad, 80));
    ElzAnlegen(SPS_LISTE, sizeof(spsinfo), SpsSatzZerlegen, SpsSatzZeile, SpsSatzNeu);
    for (const spsinfo& s : SpsInfoSpeicher()) ElzAnhaengen(SPS_LISTE, &s);
    if (ElzAnzahl(SPS_LISTE) == 0) {
        spsinfo s;
        SpsSatzNeu(&s);
        ElzAnhaengen(SPS_LISTE, &s);
    }
    ElzAufbauen(SPS_LISTE, slKopf, nullptr, slMalen, slEreignis);
    ElzGeaendertSetzen(SPS_LISTE, 0);
    return 0;
}

int slExit()
{
    if (ElzGeaendert(SPS_LISTE) && wiFrage(TextNr(39)) == 1) slSpeichern();
    if (spsEinz && IsWindow(spsEinz)) wiDlgSlotSchliessen(wiDlgSlot(spsEinz));
    ElzFreigeben(SPS_LISTE);
    SpsInfoVergessen();
    wiDlgPosSichernAkt();
    spsListe = 0;
    return 0;
}

int slBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    LisNachricht(SPS_LISTE, nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    const LsdRuf ruf{SPS_LISTE, slSpeichern, slEinzOeffnen, slZelleText, slZelleSpeichern};
    if (LsdBefehl(ruf, id)) return 0;
    if (id == 2520) wiSeiteGruppeEditieren("SPSInfo");
    return 0;
}

// ---- single record -----------------------------------------------------------------------------

spsinfo* seSatz()
{
    if (!spsListe || !wiDlgBetreten(spsListe)) return nullptr;
    spsinfo* s = spsSatz(spsEinzZeile);
    wiDlgVerlassen();
    return s;
}

void seZeigen()
{
    spsinfo* s = seSatz();
    spsinfo leer{};
    if (!s) s = &leer;
    wiTextSetzen(3000, s->schluessel);
    for (int i = 0; i < SPSTEXTANZ; ++i) wiTextSetzen(3010 + i, s->text[i]);
    spsEinzGeaendert = 0;
}

bool seSpeichern()
{
    spsinfo* s = seSatz();
    if (!s) return true;
    char t[SPSFELDSUP + 1];
    wiTextHolen(3000, t, SPSFELDSUP);
    strtrim(t);
    if (!slSchluesselPasst(t)) return false;
    std::strcpy(s->schluessel, t);
    for (int i = 0; i < SPSTEXTANZ; ++i) {
        wiTextHolen(3010 + i, t, SPSFELDSUP);
        strtrim(t);
        std::strcpy(s->text[i], t);
    }
    spsEinzGeaendert = 0;
    PostMessage(spsListe, WM_COMMAND, 2511, spsEinzZeile);
    return true;
}

int seInit(int, const char* const*)
{
    spsEinz = wiDlgFenster();
    wiDlgPosLadenAkt();
    wiKnopfSetzen(2502, 1);
    seZeigen();
    return 0;
}

int seExit()
{
    if (spsEinzGeaendert && wiFrage(TextNr(39)) == 1) seSpeichern();
    wiDlgPosSichernAkt();
    spsEinz = 0;
    return 0;
}

int seBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id >= 3000 && id <= 3019) {
        if (wiEditGeaendert(id, wp)) spsEinzGeaendert = 1;
        return 0;
    }
    EinzSeiteKnopf(id, lp, spsEinzGeaendert, spsEinzZeile, seSpeichern, seZeigen);
    return 0;
}

void slEinzOeffnen(int zeile)
{
    spsEinzZeile = zeile;
    if (spsEinz && IsWindow(spsEinz)) {
        PostMessage(spsEinz, WM_COMMAND, 2512, zeile);
        return;
    }
    wiDlgOeffnenUnter(spsListe, "SPSInfoEinz", seInit, seExit, seBefehl, 0, nullptr);
}

}  // namespace

void SpsInfoOeffnen()
{
    if (spsListe && IsWindow(spsListe)) {
        SetActiveWindow(spsListe);
        return;
    }
    wiDlgOeffnen("SPSInfoListe", slInit, slExit, slBefehl);
}

void SpsTextDateiZeigen(int n)
{
    char schluessel[24], wert[SPSFMTSUP + 1] = "";
    std::snprintf(schluessel, sizeof schluessel, "SPSTxtDat%d", n);
    VgbText(schluessel, wert, SPSFMTSUP);
    char* rest = wert;
    const long art = zahlab(rest);
    strtrim(rest);
    if (art == 0 || strleer(rest)) {
        wiHinweis("%s", TextNr(4085));
        return;
    }
    char pfad[300];
    PfadProjekt(pfad, sizeof pfad, rest);
    TextDateiExtern(pfad);
}
