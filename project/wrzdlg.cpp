// The project folder tree's dialogs: "PVWVERZEICHNIS" (the tree in list
// display 3000, its commands and context menus), "PVWVERZNEU",
// "PVWVERZREN", "PVWVERZCOPY" and "PVWVERZMOVE". Prefix `Wd` (internals),
// `ProjektlisteOeffnen`. Calls the tree model and folder operations of
// wrzbaum.cpp, projneu (new folders, opening), verzkopie (merge, single
// copies), controls (list display), winlib (dialogs, boxes, browser,
// page services), equipment (title texts, header cache), config, support.
//
// Every change of the tree after a box or a second dialog goes through a
// posted command (2514, 2515, 2516, 2517), so the box is gone first.
#include <strings.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/haken.h"
#include "config/inidatei.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "controls/lisanzeige.h"
#include "equipment/utitel.h"
#include "model/zeichnun.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "platform/dialog.h"
#include "platform/dateisys.h"
#include "platform/eingabe.h"
#include "project/dirhist.h"
#include "project/proverw.h"
#include "project/proverwint.h"
#include "project/projneu.h"
#include "project/verzkopie.h"
#include "project/wrz.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int WDLISTE = 3000;

struct WdZustand {
    HWND fenster = 0;
    int reaktion = 0;   // the reaction handler is registered
    int eintrag = -1;   // entry of the second dialog
    int neuBasisGewaehlt = 0;
    char neuBasis[WRZPFADSUP + 1] = "";
};
WdZustand wd;

std::string wdOhneTrenner(std::string p)
{
    for (char& c : p)
        if (c == '\\') c = '/';
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
}

std::string wdName(const std::string& p)
{
    const size_t s = p.rfind('/');
    return s == std::string::npos ? p : p.substr(s + 1);
}

std::string wdEltern(const std::string& p)
{
    const size_t s = p.rfind('/');
    if (s == std::string::npos) return "";
    return s == 0 ? "/" : p.substr(0, s);
}

std::string wdAktuell()
{
    char p[VERSUP + 1] = "";
    VerHolen(1, p, sizeof p);
    return wdOhneTrenner(p);
}

void wdPost(int id, LPARAM lp = 0)
{
    if (wd.fenster) PostMessage(wd.fenster, WM_COMMAND, static_cast<WPARAM>(id), lp);
}

int wdCursorEintrag() { return WrzZeileEintrag(LisAkt(WDLISTE)); }

void wdZeilenZeigen()
{
    LisAnzahlSetzen(WDLISTE, WrzZeilen());
    LisNeuAufbauen(WDLISTE);
}

void wdCursor(int zeile)
{
    if (zeile >= 0) LisAktSetzen(WDLISTE, zeile);
}

// ---- list callbacks ------------------------------------------------------------------------

int WrzZeilenHoehe(int) { return 2; }

void WrzZeileMalen(int zeile)
{
    const int i = WrzZeileEintrag(zeile);
    WrzEintrag* e = WrzEintragAdr(i);
    if (e == nullptr) return;
    const int spalte = e->ebene * 2;
    LisFarbe(0, 0, 0);
    LisSchrift(2);
    if (e->art != 0) {
        static const char* const bilder[3] = {".BMPDIREMPTY", ".BMPDIRCLOSED", ".BMPDIROPEN"};
        LisBild(spalte, 0, bilder[WrzZustand(i)]);
    } else {
        LisHintergrund(spalte);
    }
    const std::string name = e->ebene == 0 ? std::string(e->pfad) : wdName(e->pfad);
    // The picture is wider than two columns: the name starts behind it.
    LisText(spalte + 3, 0, name.c_str());
    if (e->art == 0 && e->text[0] == '\0') {
        strkopie(e->text, "~", WRZTEXTSUP);
        if (ZeiIstDatei(e->pfad)) {
            ZeiKopf k{};
            if (ZeiKopfLesen(e->pfad, &k) == 0) {
                char t[2 * ZEITITELSUP + 2];
                std::snprintf(t, sizeof t, "%s %s", k.titel[0], k.titel[1]);
                strtrim(t);
                if (t[0]) strkopie(e->text, t, WRZTEXTSUP);
            }
        }
    }
    if (std::strcmp(e->text, "~") != 0 && e->text[0]) {
        // The description starts behind the name, at column 20 at least.
        const int w = static_cast<int>(name.size()) / 2 + 1;
        const int s = spalte + 5 + w > 20 ? spalte + 5 + w : 20;
        LisText(s, 0, e->text);
    }
}

void wdMenue(int eintrag)
{
    const WrzEintrag* e = WrzEintragAdr(eintrag);
    if (e == nullptr) return;
    const char* name = "PVWVERZDIR_RM";
    if (e->ebene == 0) {
        name = "PVWVERZWRZ_RM";
    } else if (e->art == 0) {
        static const char* const datei[3] = {"PVWVERZNOT_RM", "PVWVERZZEI_RM", "PVWVERZDAT_RM"};
        name = datei[WrzDateiArt(e->pfad)];
    }
    if (wiDlgMenuLaden(name) != 0) return;
    int x = 0, y = 0;
    LisKlickHolen(WDLISTE, &x, &y);
    wiDlgMenuZeigen(MAKELPARAM(x, y), GetDlgItem(wd.fenster, WDLISTE));
}

void wdUmschalten(int eintrag)
{
    const int z = WrzZustand(eintrag);
    const WrzEintrag* e = WrzEintragAdr(eintrag);
    if (e == nullptr || e->art == 0) return;
    wdPost(z == 2 ? 2521 : 2520, eintrag);
}

int WrzEreignis(int ereignis, int zeile)
{
    const int i = WrzZeileEintrag(zeile);
    const WrzEintrag* e = WrzEintragAdr(i);
    switch (ereignis) {
    case LISCURSOR:
        if (e != nullptr && e->art != 0) {
            WrzAuswahlSetzen(e->pfad);
            // A click on the folder's picture opens or closes it.
            int spalte = 0, z = 0;
            if (LisKlickZelle(WDLISTE, &spalte, &z) && spalte < e->ebene * 2 + 2) wdUmschalten(i);
        }
        break;
    case LISLEER:
        if (e != nullptr && e->art != 0) {
            WrzAuswahlSetzen(e->pfad);
            wdUmschalten(i);
        }
        break;
    case LISAKTIV: wdPost(2540); break;
    case LISKONTEXT: wdMenue(i); break;
    default: break;
    }
    return 0;
}

// ---- commands ----------------------------------------------------------------------------

void wdAufbauen(int befehl)
{
    if (befehl != 2500) wdCursor(0);
    if (befehl == 2500) wiBeschaeftigt(1);
    WrzAufbauen();
    if (befehl == 2500) wiBeschaeftigt(0);
    wdZeilenZeigen();
    wdCursor(befehl == 2500 ? WrzAktSetzen() : WrzAuswahlZeile());
}

// The folder or file of the entry is opened; then the tree closes.
void wdEinstellen()
{
    const WrzEintrag* e = WrzEintragAdr(wdCursorEintrag());
    if (e == nullptr) return;
    if (e->art != 0) {
        ProjektOeffnen(e->pfad);
    } else {
        DirAktuellMelden(wdEltern(e->pfad).c_str());
        ProjektOeffnen(wdEltern(e->pfad).c_str());
    }
    wiDlgSchliessen();
}

void wdWurzelDazu()
{
    if (WrzEinzel()) return;
    char pfad[WIDATEISUP + 1] = "";
    strkopie(pfad, WrzLetzteWahl()[0] ? WrzLetzteWahl() : WrzWurzel(0), WIDATEISUP);
    if (!wiOrdnerWahl(pfad, "Weiteres Basisverzeichnis") || pfad[0] == '\0') return;
    if (WrzWurzelDazu(pfad) != 0) return;
    WrzBasisSpeichern();
    wdAufbauen(2512);
}

void wdWurzelWeg()
{
    const WrzEintrag* e = WrzEintragAdr(wdCursorEintrag());
    if (e == nullptr || e->ebene != 0 || WrzEinzel()) return;
    if (WrzWurzelWeg(e->pfad) != 0) return;
    WrzBasisSpeichern();
    wdZeilenZeigen();
}

void wdAndererOrdner()
{
    char pfad[WIDATEISUP + 1];
    strkopie(pfad, WrzAktuell(), WIDATEISUP);
    if (!wiOrdnerWahl(pfad, TextNr(146)) || pfad[0] == '\0') return;
    WrzEinzelOrdner(pfad);
    wiItemZeigen(2510, 0);
    WrzAuswahlSetzen(pfad);
    wdAufbauen(2512);
}

void wdSuchen()
{
    char t[WRZFILTERSUP + 1] = "";
    wiTextHolen(3110, t, WRZFILTERSUP);
    const int z = WrzSuchen(LisAkt(WDLISTE), t);
    if (z >= 0) wdCursor(z);
}

void wdFilter()
{
    char t[WRZFILTERSUP + 1] = "";
    wiTextHolen(3120, t, WRZFILTERSUP);
    WrzFilterSetzen(t);
    WrzFiltern();
    WrzZeilenBilden();
    wdZeilenZeigen();
}

void wdLoeschen()
{
    const int i = wdCursorEintrag();
    const WrzEintrag* e = WrzEintragAdr(i);
    if (e == nullptr || e->art == 0) return;
    const std::string p = e->pfad;
    if (strcasecmp(p.c_str(), wdAktuell().c_str()) == 0) {
        wiInfo(TextNr(361));
        return;
    }
    char frage[WIMELDUNGSUP];
    std::snprintf(frage, sizeof frage, TextNr(362), pfadkurz(p.c_str()));
    if (!wiFrage(frage)) return;
    const int r = WrzLoeschen(i);
    if (r == 1) wiHinweis("Unterordner bleiben erhalten:\n%s", p.c_str());
    if (r < 0) wiHinweis("Nicht alle Dateien in %s konnten gel\xF6scht werden.", p.c_str());
    wdZeilenZeigen();
}

void wdVerschmelzen()
{
    const int i = wdCursorEintrag();
    const WrzEintrag* e = WrzEintragAdr(i);
    if (e == nullptr) return;
    char frage[WIMELDUNGSUP];
    std::snprintf(frage, sizeof frage, TextNr(364), pfadkurz(e->pfad));
    if (!wiFrage(frage)) return;
    if (e->art == 0) {
        wiInfo(TextNr(152));
        return;
    }
    if (strcasecmp(wdOhneTrenner(e->pfad).c_str(), wdAktuell().c_str()) == 0) {
        wiInfo(TextNr(153));
        return;
    }
    WrzAufklappen(i);
    std::vector<std::string> namen;
    for (int n = 0; n < WrzDateienZaehlen(i); ++n) {
        char name[WRZPFADSUP + 1];
        WrzDateiName(i, n, name, sizeof name);
        namen.push_back(name);
    }
    std::vector<const char*> z;
    for (const std::string& n : namen) z.push_back(n.c_str());
    char meldung[VKMELDUNGSUP + 1];
    const std::string quelle = WrzEintragAdr(i)->pfad;
    VerzKopieren(z.data(), static_cast<int>(z.size()), quelle.c_str(), meldung, sizeof meldung);
    if (meldung[0]) wiInfo(meldung);
    wiDlgSchliessen();
    UtitelNeuLaden();
    ZeiKopfCacheLeeren();
    wiSeiteVerteilen(2998, 0);
}

void wdUebernehmen()
{
    bool etwas = false;
    for (int z = 0; z < WrzZeilen(); ++z) {
        if (!LisIstMarkiert(WDLISTE, z) && !(LisMarkiertAnzahl(WDLISTE) == 0 && z == LisAkt(WDLISTE))) continue;
        const WrzEintrag* e = WrzEintragAdr(WrzZeileEintrag(z));
        if (e == nullptr || e->art != 0) continue;
        etwas = true;
        const int r = WrzDateiArt(e->pfad) == 1 ? ZeiKopierenOhneBM(e->pfad) : DateiKopierenVerz(e->pfad);
        if (r != 0) {
            char t[WIMELDUNGSUP];
            std::snprintf(t, sizeof t, TextNr(158), wdName(e->pfad).c_str());
            wiInfo(t);
        }
    }
    if (!etwas) return;
    wiDlgSchliessen();
    UtitelNeuLaden();
    ZeiKopfCacheLeeren();
    wiSeiteVerteilen(2998, 0);
}

void wdDateienLoeschen()
{
    const int n = LisMarkiertAnzahl(WDLISTE) > 0 ? LisMarkiertAnzahl(WDLISTE) : 1;
    char frage[WIMELDUNGSUP];
    std::snprintf(frage, sizeof frage, "Wollen Sie die %d markierten Dateien l\xF6schen?", n);
    if (!wiFrage(frage)) return;
    std::vector<std::string> weg;
    int behalten = 0;
    for (int z = 0; z < WrzZeilen(); ++z) {
        if (!LisIstMarkiert(WDLISTE, z) && !(LisMarkiertAnzahl(WDLISTE) == 0 && z == LisAkt(WDLISTE))) continue;
        const WrzEintrag* e = WrzEintragAdr(WrzZeileEintrag(z));
        if (e == nullptr || e->art != 0) continue;
        if (WrzDarfLoeschen(e->pfad) && dateiloeschen(e->pfad) == 0)
            weg.push_back(e->pfad);
        else
            ++behalten;
    }
    for (const std::string& p : weg)
        for (int i = 0; i < WrzAnzahl(); ++i)
            if (WrzEintragAdr(i)->art == 0 && p == WrzEintragAdr(i)->pfad) {
                WrzEintragAdr(i)->sichtbar = 0;
                WrzEintragAdr(i)->passt = 0;
            }
    WrzZeilenBilden();
    wdZeilenZeigen();
    if (behalten > 0) wiHinweis("%d Dateien nicht gel\xF6scht. (Zeichnungen)", behalten);
}

// ---- second dialogs -------------------------------------------------------------------------

int wdBefehlsId(WPARAM wp, int eigene)
{
    const int id = LOWORD(wp);
    if (id == 1) return wiGrbuAusloesen() ? 0 : eigene;
    return id;
}

int wdNeuInit(int, const char* const*)
{
    wiDlgModal();
    wiDlgZentrieren();
    const WrzEintrag* e = WrzEintragAdr(wd.eintrag);
    strkopie(wd.neuBasis, e != nullptr ? e->pfad : "", WRZPFADSUP);
    wd.neuBasisGewaehlt = 0;
    wiTextSetzen(3000, pfadkurz(wd.neuBasis));
    char v[WRZPFADSUP + 1] = "";
    ProfilLesen(DIRSEKTION, "SelVorlage", v, WRZPFADSUP);
    PfadPlatzhalter(v, sizeof v);
    wiTextSetzen(3100, v);
    wiItemFokus(3010);
    return 0;
}

int wdNeuExit() { return 0; }

void wdNeuWahl(int id)
{
    const bool basis = id == 2510;
    char pfad[WIDATEISUP + 1] = "";
    ProfilLesen(DIRSEKTION, basis ? "SelBasis" : "SelVorlage", pfad, WIDATEISUP);
    PfadPlatzhalter(pfad, sizeof pfad);
    if (pfad[0] == '\0') VerHolen(0, pfad, sizeof pfad);
    if (!wiOrdnerWahl(pfad, TextNr(basis ? 149 : 148)) || pfad[0] == '\0') return;
    const std::string p = wdOhneTrenner(pfad);
    ProfilSchreiben(DIRSEKTION, basis ? "SelBasis" : "SelVorlage", p.c_str());
    if (basis) {
        // The chosen base takes effect for this folder.
        strkopie(wd.neuBasis, p.c_str(), WRZPFADSUP);
        wd.neuBasisGewaehlt = 1;
        wiTextSetzen(3000, pfadkurz(p.c_str()));
    } else {
        wiTextSetzen(3100, p.c_str());
    }
}

void WrzNeuAnlegen()
{
    ProjektNeuEingabe e{};
    strkopie(e.basis, wd.neuBasis, PNBASISSUP);
    wiTextHolen(3010, e.name, PNNAMESUP);
    wiTextHolen(3020, e.titel, UTTEXTSUP);
    wiTextHolen(3021, e.anlage, UTTEXTSUP);
    wiTextHolen(3022, e.ort, UTTEXTSUP);
    wiTextHolen(3100, e.vorlage, PNBASISSUP);
    strtrim(e.name);
    if (e.name[0] == '\0') return;
    if (ProjektOrdnerAnlegen(&e) != 0) return;
    const std::string neu = std::string(wd.neuBasis) + "/" + e.name;
    WrzAuswahlSetzen(neu.c_str());
    wiDlgSchliessen();
    // The tree is read again with the new folder in it.
    wdPost(2514);
}

int wdNeuBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (wdBefehlsId(wp, 2500)) {
    case 2500: WrzNeuAnlegen(); break;
    case 2510: case 2511: wdNeuWahl(LOWORD(wp)); break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

int wdRenInit(int, const char* const*)
{
    wiDlgModal();
    wiDlgZentrieren();
    const WrzEintrag* e = WrzEintragAdr(wd.eintrag);
    const std::string p = e != nullptr ? e->pfad : "";
    wiTextSetzen(3000, pfadkurz(wdEltern(p).c_str()));
    wiTextSetzen(3010, wdName(p).c_str());
    wiTextSetzen(3020, wdName(p).c_str());
    wiItemFokus(3020);
    return 0;
}

int wdRenBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (wdBefehlsId(wp, 2500)) {
    case 2500: {
        char n[WRZNAMESUP + 1] = "";
        wiTextHolen(3020, n, WRZNAMESUP);
        strtrim(n);
        if (n[0] == '\0') break;
        if (WrzUmbenennen(wd.eintrag, n) != 0) break;
        const WrzEintrag* e = WrzEintragAdr(wd.eintrag);
        WrzAuswahlSetzen(wdEltern(e != nullptr ? e->pfad : "").append("/").append(n).c_str());
        wiDlgSchliessen();
        wdPost(2514);
        break;
    }
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

int wdKopieInit(int, const char* const*)
{
    wiDlgModal();
    wiDlgZentrieren();
    const WrzEintrag* e = WrzEintragAdr(wd.eintrag);
    const std::string p = e != nullptr ? e->pfad : "";
    wiTextSetzen(3010, pfadkurzn(p.c_str(), 60));
    wiTextSetzen(3020, p.c_str());
    wiItemFokus(3020);
    SendMessage(GetDlgItem(wiDlgFenster(), 3020), EM_SETSEL, 0x7FFF, 0x7FFF);
    return 0;
}

void wdKopieLauf(int verschieben)
{
    char ziel[WRZPFADSUP + 1] = "";
    wiTextHolen(3020, ziel, WRZPFADSUP);
    strtrim(ziel);
    if (ziel[0] == '\0') return;
    const WrzEintrag* e = WrzEintragAdr(wd.eintrag);
    if (e == nullptr) return;
    char meldung[1000];
    const int r = WrzKopieren(e->pfad, ziel, verschieben, meldung, sizeof meldung);
    if (r != 0 && meldung[0] == '\0') return;   // refused: the dialog stays
    if (meldung[0]) wiInfo(meldung);
    wiDlgSchliessen();
    wdPost(2514);
}

int wdKopieBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    const int eigene = wiDlgSuchen("PVWVERZMOVE") == wiDlgFenster() ? 2511 : 2510;
    switch (wdBefehlsId(wp, eigene)) {
    case 2510: wdKopieLauf(0); break;
    case 2511: wdKopieLauf(1); break;
    case 2520: {
        char pfad[WIDATEISUP + 1] = "";
        wiTextHolen(3020, pfad, WIDATEISUP);
        if (!wiOrdnerWahl(pfad, "Projektordner w\xE4hlen") || pfad[0] == '\0') break;
        wiTextSetzen(3020, (wdOhneTrenner(pfad) + "/").c_str());
        SendMessage(GetDlgItem(wiDlgFenster(), 3020), EM_SETSEL, 0x7FFF, 0x7FFF);
        break;
    }
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// ---- file dialog (2551 take over under a new name, 2552 rename) -------------------------------

constexpr int WDDATEINAMESUP = 60;
int wdDateiModus = 0;

int wdDateiInit(int, const char* const*)
{
    wiDlgModal();
    wiDlgZentrieren();
    const WrzEintrag* e = WrzEintragAdr(wd.eintrag);
    const std::string p = e != nullptr ? e->pfad : "";
    wiTextSetzen(3010, pfadkurz(wdEltern(p).c_str()));
    wiTextSetzen(3011, wdName(p).c_str());
    if (wdDateiModus == 1) wiTextSetzen(3020, pfadkurz(wdAktuell().c_str()));
    wiTextSetzen(3021, wdName(p).c_str());
    wiItemFokus(3021);
    return 0;
}

void wdDateiLauf()
{
    const WrzEintrag* e = WrzEintragAdr(wd.eintrag);
    if (e == nullptr) return;
    char n[WDDATEINAMESUP + 1] = "";
    wiTextHolen(3021, n, WDDATEINAMESUP);
    strtrim(n);
    const std::string alt = e->pfad;
    if (n[0] == '\0' || wdName(alt) == n) return;
    if (std::strpbrk(n, "/\\:") != nullptr || std::strcmp(n, "..") == 0 || std::strcmp(n, ".") == 0) {
        wiInfo("Der Dateiname darf keinen Pfad enthalten.");
        return;
    }
    const std::string ziel = (wdDateiModus == 1 ? wdAktuell() : wdEltern(alt)) + "/" + n;
    if (dosattrib(ziel.c_str()) != DOSATTR_FEHLT) {
        wiHinweis("Es gibt bereits eine Datei mit dem Namen: %s", n);
        return;
    }
    if (wdDateiModus == 1) {
        if (dateikopieren(alt.c_str(), ziel.c_str()) != 0) {
            wiHinweis("Kopierfehler: %s", alt.c_str());
            return;
        }
        const int neu = WrzDateiEinfuegen(ziel.c_str());
        wiDlgSchliessen();
        if (neu >= 0) wdPost(2515, neu);
        return;
    }
    if (plDsUmbenennen(alt.c_str(), ziel.c_str()) != 0) {
        wiHinweis("Die Datei %s kann nicht umbenannt werden.", alt.c_str());
        return;
    }
    strkopie(WrzEintragAdr(wd.eintrag)->pfad, ziel.c_str(), WRZPFADSUP);
    WrzSortieren();
    int neu = 0;
    for (int i = 0; i < WrzAnzahl(); ++i)
        if (ziel == WrzEintragAdr(i)->pfad) neu = i;
    wiDlgSchliessen();
    wdPost(2515, neu);
}

int wdDateiBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (wdBefehlsId(wp, wdDateiModus == 1 ? 2511 : 2512)) {
    case 2511: case 2512: wdDateiLauf(); break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

void WrzDateiDlg(int modus)
{
    const int i = wdCursorEintrag();
    const WrzEintrag* e = WrzEintragAdr(i);
    if (e == nullptr || e->art != 0) return;
    wd.eintrag = i;
    wdDateiModus = modus;
    wiDlgOeffnen(modus == 1 ? "PVWNZDUEBER" : "PVWNZDUBENENN", wdDateiInit, wdNeuExit, wdDateiBefehl);
}

// A folder command is first offered to a frame that must close; it then
// takes the command over.
bool wdGenommen(int id) { return pvwRahmen().BefehlNachSchliessen(wd.fenster, id) != 0; }

// The new folder goes under an entry that is shown open.
void WrzOeffnenUnter(int eintrag)
{
    WrzAufklappen(eintrag);
    wdZeilenZeigen();
}

void wdOrdnerBefehl(int id)
{
    const int i = wdCursorEintrag();
    const WrzEintrag* e = WrzEintragAdr(i);
    if (e == nullptr) return;
    if (id != 2530 && wdGenommen(id)) return;
    wd.eintrag = i;
    switch (id) {
    case 2530:
        if (e->art == 0) return;
        WrzOeffnenUnter(i);
        wiDlgOeffnen("PVWVERZNEU", wdNeuInit, wdNeuExit, wdNeuBefehl);
        break;
    case 2531:
        if (e->art == 0) return;
        if (strcasecmp(e->pfad, wdAktuell().c_str()) == 0) {
            wiInfo(TextNr(360));
            return;
        }
        if (e->art == 2) WrzAufklappen(i);
        wiDlgOeffnen("PVWVERZREN", wdRenInit, wdNeuExit, wdRenBefehl);
        break;
    case 2532: wdLoeschen(); break;
    case 2533:
        if (e->art != 0) wiDlgOeffnen("PVWVERZCOPY", wdKopieInit, wdNeuExit, wdKopieBefehl);
        break;
    case 2534:
        if (e->art == 0) return;
        if (strcasecmp(e->pfad, wdAktuell().c_str()) == 0) {
            wiInfo(TextNr(363));
            return;
        }
        wiDlgOeffnen("PVWVERZMOVE", wdKopieInit, wdNeuExit, wdKopieBefehl);
        break;
    case 2541: wdVerschmelzen(); break;
    default: break;
    }
}

// ---- the tree dialog -------------------------------------------------------------------------

void wdReaktion(int32_t, const char*)
{
    if (wd.fenster && strcasecmp(wdAktuell().c_str(), wdOhneTrenner(WrzAktuell()).c_str()) != 0) wdPost(2516);
}

int WrzInit(int, const char* const*)
{
    wd.fenster = wiDlgFenster();
    wiDlgModal();
    wiDlgZentrieren();
    wiTextSetzen(3110, "");
    wiTextSetzen(3120, "");
    WrzFilterSetzen("");
    const std::string akt = wdAktuell();
    WrzAktuellSetzen(akt.c_str());
    WrzAuswahlSetzen(akt.c_str());
    if (!wd.reaktion) {
        ReaktionAnmelden(wdReaktion, 0, "Projektliste");
        // The tree's entries live until the program ends.
        AufwischenAnmelden([](int32_t, const char*) { WrzLeeren(); }, 0, "Projektliste");
        wd.reaktion = 1;
    }
    WrzWurzelnLesen();
    if (WrzEinzel()) wiItemZeigen(2510, 0);
    LisDlgSchrift("2");
    LisAnlegen(WDLISTE, WrzZeilenHoehe, WrzZeileMalen, WrzEreignis);
    LisKlickMarkieren(WDLISTE);
    wdPost(2500);
    return 0;
}

int wdExit()
{
    if (LisVorhanden(WDLISTE)) LisFreigeben(WDLISTE);
    wd.fenster = 0;
    return 0;
}

int wdBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (LisVorhanden(WDLISTE)) LisNachricht(WDLISTE, nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    int id = LOWORD(wp);
    if (id == 3120 && HIWORD(wp) == EN_CHANGE) {
        wdPost(2517);
        return 0;
    }
    if (id == 1) {
        const int f = wiFokusId();
        id = f == 3110 ? 2505 : f == 3120 ? 2517 : wiGrbuAusloesen() ? 0 : 2540;
    }
    switch (id) {
    case 2500: case 2512: case 2514: wdAufbauen(id); break;
    case 2501: case 2: wiDlgSchliessen(); break;
    case 2505: wdSuchen(); break;
    case 2510: wdWurzelDazu(); break;
    case 2511: wdWurzelWeg(); break;
    case 2513: wdAndererOrdner(); break;
    case 2515:
        WrzFiltern();
        WrzZeilenBilden();
        wdZeilenZeigen();
        if (lp != 0) {
            const int z = WrzEintragZeile(static_cast<int>(lp));
            wdCursor(z >= 0 ? z : WrzZeilen() - 1);
        }
        break;
    case 2516:
        WrzAktuellSetzen(wdAktuell().c_str());
        WrzAuswahlSetzen(wdAktuell().c_str());
        wdAufbauen(2512);
        break;
    case 2517: wdFilter(); break;
    case 2520:
        WrzAufklappen(static_cast<int>(lp) > 0 ? static_cast<int>(lp) : wdCursorEintrag());
        wdZeilenZeigen();
        break;
    case 2521:
        WrzZuklappen(static_cast<int>(lp) > 0 ? static_cast<int>(lp) : wdCursorEintrag());
        wdZeilenZeigen();
        break;
    case 2540:
        if (!wdGenommen(2540)) wdEinstellen();
        break;
    case 2530: case 2531: case 2532: case 2533: case 2534: case 2541: wdOrdnerBefehl(id); break;
    case 2550:
        if (!wdGenommen(2550)) wdUebernehmen();
        break;
    case 2551:
        if (!wdGenommen(2551)) WrzDateiDlg(1);
        break;
    case 2552: WrzDateiDlg(2); break;
    case 2553: wdDateienLoeschen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

void ProjektlisteOeffnen()
{
    if (wd.fenster) {
        SetForegroundWindow(wd.fenster);
        return;
    }
    wiDlgOeffnen("PVWVERZEICHNIS", WrzInit, wdExit, wdBefehl);
}

HWND WrzDlgFenster() { return wd.fenster; }

void PvwProjektliste() { ProjektlisteOeffnen(); }
