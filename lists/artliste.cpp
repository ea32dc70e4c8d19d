// The article and sub-article lists (see artliste.h).
#include "lists/artliste.h"

#include "lists/einzseite.h"
#include "lists/listdlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "controls/elzeile.h"
#include "controls/lisanzeige.h"
#include "equipment/lagerart.h"
#include "equipment/nartikel.h"
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

constexpr char ARTTRENNER = 0x1C;
constexpr int AL_LISTE = 4700;

// A field of a record: 0 the number, then texts or sub articles.
char* alFeld(void* satz, bool artikelArt, int i)
{
    if (artikelArt) {
        auto* a = static_cast<artikel*>(satz);
        return i == 0 ? a->nr : a->text[i - 1];
    }
    auto* s = static_cast<stueckliste*>(satz);
    return i == 0 ? s->nr : s->art[i - 1];
}

int alLesen(void* satz, const char* zeile, bool artikelArt, size_t groesse)
{
    std::memset(satz, 0, groesse);
    const int anzahl = artikelArt ? ARTTEXTANZ + 1 : STLARTANZ + 1;
    const char* p = zeile;
    for (int i = 0; i < anzahl && p; ++i) {
        const char* e = std::strchr(p, ARTTRENNER);
        const std::string f = e ? std::string(p, e) : std::string(p);
        strkopie(alFeld(satz, artikelArt, i), i == 0 || !artikelArt ? ARTNRSUP + 1 : ARTTEXTSUP + 1, f.c_str(),
                 i == 0 || !artikelArt ? ARTNRSUP : ARTTEXTSUP);
        p = e ? e + 1 : nullptr;
    }
    return 1;
}

void alZeile(const void* satz, char* zeile, int groesse, bool artikelArt)
{
    const int anzahl = artikelArt ? ARTTEXTANZ + 1 : STLARTANZ + 1;
    std::string z = alFeld(const_cast<void*>(satz), artikelArt, 0);
    for (int i = 1; i < anzahl; ++i) z.append(1, ARTTRENNER).append(alFeld(const_cast<void*>(satz), artikelArt, i));
    strkopie(zeile, static_cast<size_t>(groesse), z.c_str(), groesse - 1);
}

// What differs between the two lists.
struct AlArt {
    bool artikelArt;
    const char* liste;
    const char* einz;
    const char* menu;
    const char* kopf[4];
    int felder;        // fields of a record
    int feldLaenge;    // characters of fields 1..
    int suchFelder;    // fields searched
};
const AlArt alArtikel = {true, "AppArtListe", "AppArtEinz", "AppArtListe_RM", {"Nummer", "Text 1", "Text 2", "Text 3"},
                         ARTTEXTANZ + 1, ARTTEXTSUP, 6};
const AlArt alStk = {false, "AppStkListe", "AppStkEinz", "AppStkListe_RM", {"Oberartikel", "Teil 1", "Teil 2", "Teil 3"},
                     STLARTANZ + 1, ARTNRSUP, STLARTANZ + 1};

struct AlZustand {
    const AlArt* art = nullptr;
    HWND liste = 0;
    HWND einz = 0;
    int einzZeile = -1;
    int einzGeaendert = 0;
};
AlZustand alz;
std::vector<std::string> alPuffer[2];   // paste buffers, kept while the program runs

void* alSatz(int z) { return z >= 0 && z < ElzAnzahl(AL_LISTE) ? ElzSatz(AL_LISTE, z) : nullptr; }

int alKopf(int index, char* text)
{
    if (index < 0 || index > 3) return -1;
    std::snprintf(text, 256, "%s", alz.art->kopf[index]);
    return 1 + 21 * index;
}

void alMalen(int zeile)
{
    void* s = alSatz(zeile);
    if (!s) return;
    for (int i = 0; i < 4; ++i) {
        char t[21];
        strbreite(t, alFeld(s, alz.art->artikelArt, i), 20);
        LisText(1 + 21 * i, 0, t);
    }
    bool voll = false;
    const int bis = alz.art->artikelArt ? ARTTEXTANZ : 4;
    for (int i = 4; i <= bis; ++i) voll = voll || alFeld(s, alz.art->artikelArt, i)[0] != '\0';
    if (!voll) LisFarbe(196, 196, 196);
    LisText(85, 0, "...");
}

int alSpalte(int x) { return x <= 21 ? 0 : x <= 42 ? 1 : x <= 63 ? 2 : x <= 84 ? 3 : -1; }

void alZelleText(int zeile, int spalte, int* start, int* breite, char* text, int groesse)
{
    text[0] = '\0';
    void* s = alSatz(zeile);
    const int f = alSpalte(spalte);
    if (!s || f < 0) return;
    *start = 1 + 21 * f;
    *breite = 20;
    if (alz.art->artikelArt && f > 0)
        std::snprintf(text, static_cast<size_t>(groesse), "%cM %d\t%s", 27, ARTTEXTSUP, alFeld(s, true, f));
    else
        std::snprintf(text, static_cast<size_t>(groesse), "%s", alFeld(s, alz.art->artikelArt, f));
}

void alZelleSpeichern(int zeile, int spalte, const char* text)
{
    void* s = alSatz(zeile);
    const int f = alSpalte(spalte);
    if (!s || f < 0) return;
    const int n = f == 0 ? ARTNRSUP : alz.art->feldLaenge;
    strkopie(alFeld(s, alz.art->artikelArt, f), static_cast<size_t>(n) + 1, text, n);
    ElzGeaendertSetzen(AL_LISTE, 1);
}

void alEinzOeffnen(int zeile);

int alEreignis(int ereignis, int zeile)
{
    switch (ereignis) {
    case LISCURSOR: case LISANZAHL: case LISAKTGESETZT:
        if (alz.einz && IsWindow(alz.einz)) PostMessage(alz.einz, WM_COMMAND, 2512, zeile);
        break;
    case LISLEER: case LISAKTIV: {
        int spalte = 0, z = 0;
        LisKlickZelle(AL_LISTE, &spalte, &z);
        if (alSpalte(spalte) < 0) alEinzOeffnen(zeile);
        else LisEditStart(AL_LISTE, zeile, spalte, 1, alZelleText, alZelleSpeichern);
        break;
    }
    case LISKONTEXT: {
        int x = 0, y = 0;
        LisKlickHolen(AL_LISTE, &x, &y);
        wiKontextMenu(alz.art->menu, MAKELPARAM(x, y), wiItem(AL_LISTE));
        break;
    }
    default: break;
    }
    return 0;
}

int alSpeichern()
{
    if (alz.art->artikelArt) {
        std::vector<artikel>& l = ArtListe();
        l.clear();
        for (int i = 0; i < ElzAnzahl(AL_LISTE); ++i) l.push_back(*static_cast<artikel*>(alSatz(i)));
    } else {
        std::vector<stueckliste>& l = StlListe();
        l.clear();
        for (int i = 0; i < ElzAnzahl(AL_LISTE); ++i) l.push_back(*static_cast<stueckliste*>(alSatz(i)));
    }
    ArtSortieren();
    if (ArtDateiSchreiben() != 0) {
        wiMeldung(TextNr(243), ArtDateiName());
        return -1;
    }
    ElzGeaendertSetzen(AL_LISTE, 0);
    return 0;
}

void alSuchen()
{
    char t[81];
    wiTextHolen(3010, t, 80);
    strtrim(t);
    std::vector<std::vector<std::string>> felder;
    for (int i = 0; i < ElzAnzahl(AL_LISTE); ++i) {
        std::vector<std::string> f;
        for (int k = 0; k < alz.art->suchFelder; ++k) f.push_back(alFeld(alSatz(i), alz.art->artikelArt, k));
        felder.push_back(f);
    }
    const int n = ArtListeSuchen(felder, LisAkt(AL_LISTE), t);
    if (n >= 0) LisAktSetzen(AL_LISTE, n);
}

int alInit(int, const char* const*)
{
    alz.liste = wiDlgFenster();
    wiDlgPosLadenAkt();
    LagerLaden();
    wiTextSetzen(3000, pfadkurzn(ArtDateiName(), 80));
    const bool a = alz.art->artikelArt;
    ElzAnlegen(AL_LISTE, a ? sizeof(artikel) : sizeof(stueckliste), a ? ArtSatzLesen : StkSatzLesen,
               a ? ArtSatzZeile : StkSatzZeile, a ? ArtSatzNeu : StkSatzNeu);
    if (a) for (const artikel& x : ArtListe()) ElzAnhaengen(AL_LISTE, &x);
    else for (const stueckliste& x : StlListe()) ElzAnhaengen(AL_LISTE, &x);
    if (ElzAnzahl(AL_LISTE) == 0) {
        std::vector<char> neu(a ? sizeof(artikel) : sizeof(stueckliste));
        (a ? ArtSatzNeu : StkSatzNeu)(neu.data());
        ElzAnhaengen(AL_LISTE, neu.data());
    }
    ElzAufbauen(AL_LISTE, alKopf, nullptr, alMalen, alEreignis);
    ElzGeaendertSetzen(AL_LISTE, 0);
    return 0;
}

int alExit()
{
    if (ElzGeaendert(AL_LISTE) && wiFrage(TextNr(39)) == 1) alSpeichern();
    if (alz.einz && IsWindow(alz.einz)) wiDlgSlotSchliessen(wiDlgSlot(alz.einz));
    ElzFreigeben(AL_LISTE);
    wiDlgPosSichernAkt();
    alz.liste = 0;
    return 0;
}

int alBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    LisNachricht(AL_LISTE, nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id == 2530 || (id == 1 && !LisEditFokus(AL_LISTE) && wiFokusId() == 3010)) {
        alSuchen();
        return 0;
    }
    const LsdRuf ruf{AL_LISTE, alSpeichern, alEinzOeffnen, alZelleText, alZelleSpeichern};
    if (LsdBefehl(ruf, id)) return 0;
    if (id == 2520 && alz.art->artikelArt) wiSeiteGruppeEditieren("Lager");
    return 0;
}

// ---- single record --------------------------------------------------------------------------------

void* aeSatz()
{
    if (!alz.liste || !wiDlgBetreten(alz.liste)) return nullptr;
    void* s = alSatz(alz.einzZeile);
    wiDlgVerlassen();
    return s;
}

int aeLaenge(int i) { return i == 0 ? ARTNRSUP : alz.art->feldLaenge; }
int aeId(int i) { return i == 0 ? 3000 : 3009 + i; }

void aeZeigen()
{
    void* s = aeSatz();
    for (int i = 0; i < alz.art->felder; ++i) wiTextSetzen(aeId(i), s ? alFeld(s, alz.art->artikelArt, i) : "");
    alz.einzGeaendert = 0;
}

std::vector<std::string> aeFelder()
{
    std::vector<std::string> f;
    for (int i = 0; i < alz.art->felder; ++i) {
        char t[ARTTEXTSUP + 1];
        wiTextHolen(aeId(i), t, aeLaenge(i));
        strtrim(t);
        f.push_back(t);
    }
    return f;
}

void aeSpeichern()
{
    void* s = aeSatz();
    if (!s) return;
    const std::vector<std::string> f = aeFelder();
    for (int i = 0; i < alz.art->felder; ++i)
        strkopie(alFeld(s, alz.art->artikelArt, i), static_cast<size_t>(aeLaenge(i)) + 1, f[static_cast<size_t>(i)].c_str(),
                 aeLaenge(i));
    alz.einzGeaendert = 0;
    PostMessage(alz.liste, WM_COMMAND, 2511, alz.einzZeile);
}

int aeInit(int, const char* const*)
{
    alz.einz = wiDlgFenster();
    wiDlgPosLadenAkt();
    wiKnopfSetzen(2502, 1);
    aeZeigen();
    return 0;
}

int aeExit()
{
    if (alz.einzGeaendert && wiFrage(TextNr(39)) == 1) aeSpeichern();
    wiDlgPosSichernAkt();
    alz.einz = 0;
    return 0;
}

int aeBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    std::vector<std::string>& puffer = alPuffer[alz.art->artikelArt ? 0 : 1];
    if (id >= 3000 && id < 3010 + alz.art->felder) {
        if (wiEditGeaendert(id, wp)) alz.einzGeaendert = 1;
        return 0;
    }
    if (EinzSeiteKnopf(id, lp, alz.einzGeaendert, alz.einzZeile, aeSpeichern, aeZeigen)) return 0;
    switch (id) {
    case 2520: {
        const std::vector<std::string> f = aeFelder();
        puffer.assign(f.begin() + 1, f.end());
        break;
    }
    case 2521: {
        POINT p{};
        GetCursorPos(&p);
        wiKontextMenu("TXTINSFUNK", MAKELPARAM(p.x, p.y), wiDlgFenster());
        break;
    }
    case 2522: case 2523: case 2524: {
        std::vector<std::string> f = aeFelder();
        std::vector<std::string> rest(f.begin() + 1, f.end());
        ArtEinfuegen(rest, puffer, id);
        for (size_t i = 0; i < rest.size(); ++i) wiTextSetzen(aeId(static_cast<int>(i) + 1), rest[i].c_str());
        alz.einzGeaendert = 1;
        break;
    }
    default: break;
    }
    return 0;
}

void alEinzOeffnen(int zeile)
{
    alz.einzZeile = zeile;
    if (alz.einz && IsWindow(alz.einz)) {
        PostMessage(alz.einz, WM_COMMAND, 2512, zeile);
        return;
    }
    wiDlgOeffnenUnter(alz.liste, alz.art->einz, aeInit, aeExit, aeBefehl, 0, nullptr);
}

void alOeffnen(const AlArt& art)
{
    if (alz.liste && IsWindow(alz.liste)) {
        if (alz.art == &art) {
            SetActiveWindow(alz.liste);
            return;
        }
        wiDlgSlotSchliessen(wiDlgSlot(alz.liste));  // one record list at a time
    }
    alz.art = &art;
    wiDlgOeffnen(art.liste, alInit, alExit, alBefehl);
}

}  // namespace

int ArtSatzLesen(void* satz, const char* zeile) { return alLesen(satz, zeile, true, sizeof(artikel)); }
void ArtSatzZeile(const void* satz, char* zeile, int groesse) { alZeile(satz, zeile, groesse, true); }
void ArtSatzNeu(void* satz)
{
    auto* a = static_cast<artikel*>(satz);
    std::memset(a, 0, sizeof *a);
    std::strcpy(a->nr, "?");
    std::strcpy(a->text[0], "?");
}
int StkSatzLesen(void* satz, const char* zeile) { return alLesen(satz, zeile, false, sizeof(stueckliste)); }
void StkSatzZeile(const void* satz, char* zeile, int groesse) { alZeile(satz, zeile, groesse, false); }
void StkSatzNeu(void* satz)
{
    auto* s = static_cast<stueckliste*>(satz);
    std::memset(s, 0, sizeof *s);
    std::strcpy(s->nr, "?");
    std::strcpy(s->art[0], "?");
    std::strcpy(s->art[1], "?");
}

int ArtListeSuchen(const std::vector<std::vector<std::string>>& felder, int ab, const char* text)
{
    if (!text || !text[0]) return -1;
    for (size_t i = static_cast<size_t>(std::max(ab + 1, 0)); i < felder.size(); ++i)
        for (const std::string& f : felder[i])
            if (strposi(f.c_str(), text) >= 0) return static_cast<int>(i);
    return -1;
}

void ArtEinfuegen(std::vector<std::string>& felder, const std::vector<std::string>& puffer, int befehl)
{
    for (size_t i = 0; i < felder.size() && i < puffer.size(); ++i) {
        if (befehl == 2522 && !felder[i].empty()) continue;
        if (befehl == 2523 && puffer[i].empty()) continue;
        felder[i] = puffer[i];
    }
}

void AppArtListeOeffnen() { alOeffnen(alArtikel); }
void AppStkListeOeffnen() { alOeffnen(alStk); }
