// Replacement components and component windows (see ersatzbtl.h).
#include "lists/ersatzbtl.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "controls/lisanzeige.h"
#include "platform/fenster.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int EB_LISTE = 4700;

void ebName(char* ziel, size_t kap, const std::string& quelle, int n)
{
    char t[BFETEXTSUP + 1];
    strkopie(t, quelle.c_str(), BFETEXTSUP);
    strtrim(t);
    strkopie(ziel, kap, t, n);
    strrtrim(ziel);  // cut inside the text, a blank may end it: saved, it would not read back
}

// A ")S" line names the section of the records after it.
bool ebSeite(void* satz, const char* zeile)
{
    if (zeile[0] != ')' || zeile[1] != 'S') return false;
    auto* k = static_cast<ElsKopf*>(satz);
    const char* rest = zeile + 2;
    while (*rest && *rest != ' ') ++rest;
    ebName(k->name, sizeof k->name, rest, ELSNAMESUP);
    return true;
}

// A record line that would begin with ')' gets a leading blank: the file's
// reader would take it for a section line or the file's end and drop every
// record after it; the record readers skip the blank.
void ebKlammerSchutz(char* zeile, int groesse)
{
    const size_t n = std::strlen(zeile);
    if (zeile[0] != ')' || groesse < 2) return;
    const size_t platz = static_cast<size_t>(groesse) - 1;
    const size_t bleibt = n + 1 > platz ? platz - 1 : n;
    std::memmove(zeile + 1, zeile, bleibt);
    zeile[0] = ' ';
    zeile[bleibt + 1] = '\0';
}

}  // namespace

// ---- record callbacks ----------------------------------------------------------------------------

int EbtZeileLesen(void* satz, const char* zeile)
{
    if (ebSeite(satz, zeile)) return 2;
    if (zeile[0] == ')') return 0;
    auto* s = static_cast<ersatzsatz*>(satz);
    std::memset(s->namen, 0, sizeof s->namen);
    char t[ELSZEILESUP + 1];
    strkopie(t, zeile, ELSZEILESUP);
    char* p = t;
    for (auto& n : s->namen) wortab(n, sizeof n, p);
    return 1;
}

void EbtZeileSchreiben(const void* satz, char* zeile, int groesse)
{
    const auto* s = static_cast<const ersatzsatz*>(satz);
    std::string z;
    for (const auto& n : s->namen) {
        if (!n[0]) continue;
        if (!z.empty()) z += ' ';
        z += n;
    }
    strkopie(zeile, static_cast<size_t>(groesse), z.c_str(), groesse - 1);
    ebKlammerSchutz(zeile, groesse);
}

void EbtSatzNeu(void* satz)
{
    auto* s = static_cast<ersatzsatz*>(satz);
    std::memset(s, 0, sizeof *s);
    std::strcpy(s->kopf.name, "?");
    std::strcpy(s->namen[0], "?");
}

void EbtSeiteNeu(void* satz)
{
    auto* s = static_cast<ersatzsatz*>(satz);
    std::memset(s->namen, 0, sizeof s->namen);
    std::strcpy(s->namen[0], "?");
}

int BfeZeileLesen(void* satz, const char* zeile)
{
    if (ebSeite(satz, zeile)) return 2;
    if (zeile[0] == ')') return 0;
    auto* s = static_cast<fenstersatz*>(satz);
    s->bauteil[0] = s->anzeige[0] = s->text[0] = '\0';
    std::string z = zeile;
    size_t a = z.find_first_not_of(' ');
    if (a == std::string::npos) a = z.size();
    size_t e = z.find_first_of(" (", a);
    if (e == std::string::npos) e = z.size();
    ebName(s->bauteil, sizeof s->bauteil, z.substr(a, e - a), EBTNAMESUP);
    const size_t klammer = z.find_first_not_of(' ', e);
    if (klammer != std::string::npos && z[klammer] == '(') {
        e = klammer;
        const size_t zu = z.find(')', e);
        const size_t ende = zu == std::string::npos ? z.size() : zu;
        ebName(s->anzeige, sizeof s->anzeige, z.substr(e + 1, ende - e - 1), EBTNAMESUP);
        e = zu == std::string::npos ? z.size() : zu + 1;
    }
    ebName(s->text, sizeof s->text, e < z.size() ? z.substr(e) : std::string(), BFETEXTSUP);
    return 1;
}

void BfeZeileSchreiben(const void* satz, char* zeile, int groesse)
{
    const auto* s = static_cast<const fenstersatz*>(satz);
    // Without a component name, or with a text beginning with '(', the empty
    // brackets stay: else the line, trimmed, would read back with its text
    // as the name or the display name.
    if (s->anzeige[0] || s->bauteil[0] == '\0' || s->text[0] == '(')
        std::snprintf(zeile, static_cast<size_t>(groesse), "%-10s (%s) %s", s->bauteil, s->anzeige, s->text);
    else
        std::snprintf(zeile, static_cast<size_t>(groesse), "%-10s %s", s->bauteil, s->text);
    strtrim(zeile);
    ebKlammerSchutz(zeile, groesse);
}

void BfeSatzNeu(void* satz)
{
    auto* s = static_cast<fenstersatz*>(satz);
    std::memset(s, 0, sizeof *s);
    std::strcpy(s->kopf.name, "?");
    std::strcpy(s->bauteil, "?");
    std::strcpy(s->text, "?");
}

void BfeSeiteNeu(void* satz)
{
    auto* s = static_cast<fenstersatz*>(satz);
    std::strcpy(s->bauteil, "?");
    s->anzeige[0] = '\0';
    std::strcpy(s->text, "?");
}

// ---- the two dialogs ---------------------------------------------------------------------------------

namespace {

// What differs between the two editors.
struct EbArt {
    const char* dialog;
    const char* seitenMenu;
    const char* satzMenu;
    const char* seitenKopf;
    int groesse;
    ElsLeseFn lesen;
    ElsFormatFn format;
    ElsSatzFn neu, seiteNeu;
    ElsKopfFn kopf;
    LisMalFn malen;
    LisZelleTextFn zelle;
    LisZelleSpeichernFn speichern;
    const char* wahlTitel;
    const char* wahlFilter;
};

struct EbZustand {
    const EbArt* art = nullptr;
    std::string datei;
    HWND fenster = 0;
};
EbZustand ebz;
HWND ebFenster[2] = {0, 0};

ersatzsatz* ebtSatz(int z) { return z >= 0 && z < ElsSeiteAnzahl(EB_LISTE) ? static_cast<ersatzsatz*>(ElsSeiteSatz(EB_LISTE, z)) : nullptr; }
fenstersatz* bfeSatz(int z) { return z >= 0 && z < ElsSeiteAnzahl(EB_LISTE) ? static_cast<fenstersatz*>(ElsSeiteSatz(EB_LISTE, z)) : nullptr; }

int ebtKopf(int index, char* text)
{
    if (index < 0 || index > 5) return -1;
    if (index == 0) std::snprintf(text, 256, "Bauteil");
    else std::snprintf(text, 256, "Ersatz %d", index);
    return 1 + 11 * index;
}

void ebtMalen(int zeile)
{
    const ersatzsatz* s = ebtSatz(zeile);
    if (!s) return;
    for (int i = 0; i < 6; ++i) {
        char t[11];
        strbreite(t, s->namen[i], 10);
        LisText(1 + 11 * i, 0, t);
    }
}

int ebtSpalte(int x) { return x < 1 ? 0 : (x - 1) / 11 > 5 ? 5 : (x - 1) / 11; }

void ebtZelle(int zeile, int spalte, int* start, int* breite, char* text, int groesse)
{
    text[0] = '\0';
    const ersatzsatz* s = ebtSatz(zeile);
    if (!s) return;
    const int i = ebtSpalte(spalte);
    *start = 11 * i + 1;
    *breite = 10;
    std::snprintf(text, static_cast<size_t>(groesse), "%cM %d\t%s", 27, EBTNAMESUP, s->namen[i]);
}

void ebtSpeichern(int zeile, int spalte, const char* text)
{
    ersatzsatz* s = ebtSatz(zeile);
    if (!s) return;
    ebName(s->namen[ebtSpalte(spalte)], EBTNAMESUP + 1, text, EBTNAMESUP);
    ElsGeaendertSetzen(EB_LISTE, 1);
}

int bfeKopf(int index, char* text)
{
    static const struct {
        int spalte;
        const char* text;
    } k[] = {{1, "Bauteil"}, {12, "Anzeige"}, {23, "Erl\xE4uterungstext"}};
    if (index < 0 || index > 2) return -1;
    std::snprintf(text, 256, "%s", k[index].text);
    return k[index].spalte;
}

void bfeMalen(int zeile)
{
    const fenstersatz* s = bfeSatz(zeile);
    if (!s) return;
    char t[41];
    strbreite(t, s->bauteil, 10);
    LisText(1, 0, t);
    strbreite(t, s->anzeige, 10);
    LisText(12, 0, t);
    strbreite(t, s->text, 40);
    LisText(23, 0, t);
}

int bfeFeld(int x) { return x <= 11 ? 0 : x <= 22 ? 1 : 2; }

void bfeZelle(int zeile, int spalte, int* start, int* breite, char* text, int groesse)
{
    text[0] = '\0';
    const fenstersatz* s = bfeSatz(zeile);
    if (!s) return;
    const int f = bfeFeld(spalte);
    const char* werte[3] = {s->bauteil, s->anzeige, s->text};
    const int starts[3] = {1, 12, 23}, breiten[3] = {10, 10, 40}, laengen[3] = {EBTNAMESUP, EBTNAMESUP, BFETEXTSUP};
    *start = starts[f];
    *breite = breiten[f];
    std::snprintf(text, static_cast<size_t>(groesse), "%cM %d\t%s", 27, laengen[f], werte[f]);
}

void bfeSpeichern(int zeile, int spalte, const char* text)
{
    fenstersatz* s = bfeSatz(zeile);
    if (!s) return;
    const int f = bfeFeld(spalte);
    if (f == 0) ebName(s->bauteil, sizeof s->bauteil, text, EBTNAMESUP);
    else if (f == 1) ebName(s->anzeige, sizeof s->anzeige, text, EBTNAMESUP);
    else ebName(s->text, sizeof s->text, text, BFETEXTSUP);
    ElsGeaendertSetzen(EB_LISTE, 1);
}

const EbArt ebErsatz = {"ErsatzBTL", "ErsatzBTLS_RM", "ErsatzBTLZ_RM", "Gruppe", sizeof(ersatzsatz), EbtZeileLesen,
                        EbtZeileSchreiben, EbtSatzNeu, EbtSeiteNeu, ebtKopf, ebtMalen, ebtZelle, ebtSpeichern,
                        "Ersatzbauteilliste w\xE4hlen", "Ersatzbauteile|bauteila;bauteila.*|Alle Dateien|*.*|"};
const EbArt ebFenster_ = {"BTLFenster", "BTLFensterS_RM", "BTLFensterZ_RM", "Seite", sizeof(fenstersatz),
                          BfeZeileLesen, BfeZeileSchreiben, BfeSatzNeu, BfeSeiteNeu, bfeKopf, bfeMalen, bfeZelle,
                          bfeSpeichern, "Bauteilfenster w\xE4hlen",
                          "Bauteilfenster|bauteilk;bauteilk.*|Alle Dateien|*.*|"};

int ebEreignis(int ereignis, int zeile)
{
    if (ereignis == LISAKTIV || ereignis == LISLEER) {
        int spalte = 0, z = 0;
        LisKlickZelle(EB_LISTE, &spalte, &z);
        LisEditStart(EB_LISTE, zeile, spalte, 1, ebz.art->zelle, ebz.art->speichern);
    } else if (ereignis == LISKONTEXT) {
        int x = 0, y = 0;
        LisKlickHolen(EB_LISTE, &x, &y);
        wiKontextMenu(ebz.art->satzMenu, MAKELPARAM(x, y), wiItem(EB_LISTE));
    }
    return 0;
}

int ebSpeichern()
{
    if (ElsSchreiben(EB_LISTE, ebz.datei.c_str()) != 0) {
        wiMeldung(TextNr(243), ebz.datei.c_str());
        return -1;
    }
    ElsGeaendertSetzen(EB_LISTE, 0);
    return 0;
}

void ebLaden()
{
    ElsLesen(EB_LISTE, ebz.datei.c_str());
    wiTextSetzen(3000, ebz.datei.c_str());
    ElsNeuZeigen(EB_LISTE);
    ElsGeaendertSetzen(EB_LISTE, 0);
}

void ebDateiWaehlen()
{
    if (ElsGeaendert(EB_LISTE) && wiFrage(TextNr(39)) == 1) ebSpeichern();
    ElsGeaendertSetzen(EB_LISTE, 0);
    std::string ordner = ebz.datei;
    const size_t s = ordner.find_last_of("/\\");
    if (s == std::string::npos) {
        char cwd[300] = "";
        dosgetcwd(cwd);
        ordner = cwd;
    } else {
        ordner.resize(s);
    }
    char wahl[WIDATEISUP + 1];
    strkopie(wahl, (ordner + "/").c_str(), WIDATEISUP);
    if (wiDateiWahl(wahl, ebz.art->wahlTitel, ebz.art->wahlFilter) != 1) return;
    ebz.datei = wahl;
    ebLaden();
}

int ebInit(int, const char* const*)
{
    ebz.fenster = wiDlgFenster();
    ElsSchriftIds(2, 3000, 0);
    wiDlgPosLadenAkt();
    const EbArt& a = *ebz.art;
    ElsAnlegen(EB_LISTE, a.groesse, a.lesen, a.format, a.neu, a.seiteNeu, a.seitenMenu);
    ElsLesen(EB_LISTE, ebz.datei.c_str());
    wiTextSetzen(3000, ebz.datei.c_str());
    ElsAufbauen(EB_LISTE, a.kopf, nullptr, a.malen, ebEreignis);
    LisUeberschrift(ELSSEITENLISTE, 1, a.seitenKopf);
    ElsGeaendertSetzen(EB_LISTE, 0);
    return 0;
}

int ebExit()
{
    if (ElsGeaendert(EB_LISTE) && wiFrage(TextNr(39)) == 1) ebSpeichern();
    ElsFreigeben(EB_LISTE);
    wiDlgPosSichernAkt();
    wiTooltipsLoeschen();
    ebFenster[ebz.art == &ebErsatz ? 0 : 1] = 0;
    ebz = EbZustand{};
    return 0;
}

int ebBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    LisNachricht(ELSSEITENLISTE, nachricht, wp, lp);
    LisNachricht(EB_LISTE, nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id >= 2550 && id <= 2564) {
        ElsBefehl(EB_LISTE, id);
        return 0;
    }
    switch (id) {
    case 1:
        if (LisEditFokus(EB_LISTE) || LisEditFokus(ELSSEITENLISTE) || wiGrbuAusloesen()) break;
        if (wiFokusId() == ELSSEITENLISTE) ElsBefehl(EB_LISTE, 2563);
        else ElsBefehl(EB_LISTE, 2555);
        break;
    case 2:
        if (LisEditAbbruch(EB_LISTE) || LisEditAbbruch(ELSSEITENLISTE)) break;
        wiDlgSchliessen();
        break;
    case 2500:
        if (ebSpeichern() == 0) wiDlgSchliessen();
        break;
    case 2501:
        ElsGeaendertSetzen(EB_LISTE, 0);
        wiDlgSchliessen();
        break;
    case 2502: ebDateiWaehlen(); break;
    default: break;
    }
    return 0;
}

void ebOeffnen(const EbArt& art, int nr, const char* datei)
{
    if (ebFenster[nr] && IsWindow(ebFenster[nr])) {
        SetActiveWindow(ebFenster[nr]);
        return;
    }
    // One table at a time: the other editor closes first.
    if (ebFenster[1 - nr] && IsWindow(ebFenster[1 - nr])) wiDlgSlotSchliessen(wiDlgSlot(ebFenster[1 - nr]));
    ebz.art = &art;
    ebz.datei = datei ? datei : "";
    ebFenster[nr] = wiDlgOeffnen(art.dialog, ebInit, ebExit, ebBefehl);
}

}  // namespace

void ErsatzBtlOeffnen(const char* datei) { ebOeffnen(ebErsatz, 0, datei); }
void BtlFensterOeffnen(const char* datei) { ebOeffnen(ebFenster_, 1, datei); }
