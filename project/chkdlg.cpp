// Check-list dialogs (see chkdlg.h). The plain functions come first; the
// dialogs below only read fields into them. One "CHKListen" at a time: its
// state lives in `cd` from the opener to the exit.
#include "project/chkdlg.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "controls/lisanzeige.h"
#include "equipment/chk.h"
#include "equipment/fstx.h"
#include "platform/dateisys.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "output/druck.h"
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
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "platform/menue.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int CD_LISTE = 4700;
constexpr int CD_WAHL = 4709;
constexpr int CD_PUFFERSUP = 10000;

// The next field of a TAB (or FS) separated line, trimmed, cut to `n`.
const char* cdFeld(const char* p, char* ziel, size_t groesse, int n)
{
    const char* e = p;
    while (*e && *e != '\t' && *e != 0x1C) ++e;
    std::string f(p, static_cast<size_t>(e - p));
    std::vector<char> t(f.begin(), f.end());
    t.push_back('\0');
    strtrim(t.data());
    strkopie(ziel, groesse, t.data(), n);
    return *e ? e + 1 : e;
}

std::string cdTrim(const char* s)
{
    std::vector<char> t(s, s + std::strlen(s) + 1);
    strtrim(t.data());
    return t.data();
}

}  // namespace

// ---- definition lines -------------------------------------------------------------------------

int ChkZeileLesen(void* p, const char* zeile)
{
    ChkSatz* s = static_cast<ChkSatz*>(p);
    if (zeile[0] == ')' && zeile[1] == 'S') {
        const char* r = zeile;
        while (*r && *r != ' ' && *r != '\t') ++r;  // the first word goes
        std::memset(s->kopf.name, 0, sizeof s->kopf.name);
        strkopie(s->kopf.name, sizeof s->kopf.name, cdTrim(r).c_str(), CHKKOPFSUP);
        return 2;
    }
    if (zeile[0] == ')') return 0;
    if (strleer(zeile)) return 2;
    const char* q = cdFeld(zeile, s->code, sizeof s->code, CHKCODELEN);
    q = cdFeld(q, s->typ, sizeof s->typ, 1);
    q = cdFeld(q, s->text, sizeof s->text, CHKBEZSUP);
    q = cdFeld(q, s->optionen, sizeof s->optionen, CHKOPTSUP);
    cdFeld(q, s->bedingung, sizeof s->bedingung, CHKBEDSUP);
    return 1;
}

void ChkZeileSchreiben(const void* p, char* zeile, int groesse)
{
    const ChkSatz* s = static_cast<const ChkSatz*>(p);
    const std::string code = cdTrim(s->code);
    // A code beginning with ')' goes behind a blank: at the line's start the
    // reader would take it for a section line or the file's end and drop
    // every record after it; reading skips the blank.
    std::snprintf(zeile, static_cast<size_t>(groesse), "%s%s\t%s\t%s\t%s\t%s", code[0] == ')' ? " " : "",
                  code.c_str(), cdTrim(s->typ).c_str(), cdTrim(s->text).c_str(), cdTrim(s->optionen).c_str(),
                  cdTrim(s->bedingung).c_str());
}

void ChkSatzLeer(void* p)
{
    ChkSatz* s = static_cast<ChkSatz*>(p);
    std::memset(s->code, 0, sizeof(ChkSatz) - sizeof(ElsKopf));
    std::strcpy(s->code, "?");
    std::strcpy(s->text, "?");
}

void ChkSatzNeu(void* p)
{
    ChkSatz* s = static_cast<ChkSatz*>(p);
    std::memset(s, 0, sizeof *s);
    ChkSatzLeer(s);
}

// ---- paths ------------------------------------------------------------------------------------

namespace {

std::string cdName(int n) { return "Checkliste" + std::to_string(n + 1) + ".txt"; }

std::string cdImOrdner(std::string ordner, const std::string& name)
{
    if (!ordner.empty() && ordner.back() != '/' && ordner.back() != '\\') ordner += '/';
    return ordner + name;
}

bool cdDa(const std::string& p) { return (dosattrib(p.c_str()) & DOSATTR_VERZEICHNIS) == 0 && dosattrib(p.c_str()) != DOSATTR_FEHLT; }

}  // namespace

void ChkDefPfad(int n, char* puffer, size_t groesse)
{
    const std::string name = cdName(n);
    std::string ordner = VerZeiger(1);
    // The project folder and each parent up to the root.
    while (!ordner.empty()) {
        const std::string p = cdImOrdner(ordner, name);
        if (cdDa(p)) {
            strkopie(puffer, groesse, p.c_str(), static_cast<int>(groesse) - 1);
            return;
        }
        while (!ordner.empty() && (ordner.back() == '/' || ordner.back() == '\\')) ordner.pop_back();
        const size_t t = ordner.find_last_of("/\\");
        if (t == std::string::npos) break;
        ordner.resize(t + 1);
        if (ordner == "/") {
            const std::string w = "/" + name;
            if (cdDa(w)) strkopie(puffer, groesse, w.c_str(), static_cast<int>(groesse) - 1);
            if (cdDa(w)) return;
            break;
        }
    }
    const std::string p = cdImOrdner(VerZeiger(0), name);
    strkopie(puffer, groesse, p.c_str(), static_cast<int>(groesse) - 1);
}

void ChkDefZiel(int n, char* puffer, size_t groesse)
{
    ChkDefPfad(n, puffer, groesse);
    const std::string programm = cdImOrdner(VerZeiger(0), cdName(n));
    if (PfadGleich(puffer, programm.c_str())) {
        const std::string p = cdImOrdner(VerZeiger(1), cdName(n));
        strkopie(puffer, groesse, p.c_str(), static_cast<int>(groesse) - 1);
    }
}

// ---- menu, values, conditions -------------------------------------------------------------------

namespace {

// Where the items go: the popup and position of the first item the menu
// holds (a menu just loaded has its placeholder there); else where they went
// last; else the first column at position 7.
struct CdMenuOrt {
    int spalte = 0, position = 7;
};
CdMenuOrt cdMenuOrt;

void cdMenuOrtSuchen()
{
    HMENU leiste = anwDaten()->menue;
    for (int sp = 0; leiste && sp < GetMenuItemCount(leiste); ++sp) {
        HMENU m = GetSubMenu(leiste, sp);
        for (int i = 0; m && i < GetMenuItemCount(m); ++i) {
            const UINT id = GetMenuItemID(m, i);
            if (id >= 1590 && id < 1590 + CHKLISTEN) {
                cdMenuOrt = {sp, i};
                return;
            }
        }
    }
}

}  // namespace

void ChkMenueAufbauen()
{
    cdMenuOrtSuchen();
    for (int i = 0; i < CHKLISTEN; ++i)
        for (int n = 0; n < 8 && wiMenuLoeschen(1590 + i) == 0; ++n) {
        }
    int eingefuegt = 0;
    for (int i = 0; i < CHKLISTEN; ++i) {
        char schluessel[24];
        std::snprintf(schluessel, sizeof schluessel, "ChkLstBz%d", i);
        char t[CHKBEZSUP + 4] = "";
        VgbText(schluessel, t, CHKBEZSUP);
        if (strleer(t)) continue;
        std::string text = t;
        if (text.find("..") == std::string::npos) text += "...";
        if (wiMenuEinfuegenPos(cdMenuOrt.spalte, cdMenuOrt.position + eingefuegt, 1590 + i, text.c_str()) == 0)
            ++eingefuegt;
    }
}

void ChkWertHolen(int n, const char* code, char* text)
{
    text[0] = '\0';
    if (SprNummer() > 0) {
        FstxCText(n, code, text);
        if (text[0]) return;
    }
    ChkTextHolen(n, code, text);
}

int ChkWertSetzen(int n, const char* code, const char* text)
{
    if (SprNummer() > 0) {
        if (FstxCTextSetzen(n, code, text) != 0) return ERROR;
        return FstxSchreiben() == 0 ? 0 : ERROR;
    }
    return ChkTextSetzen(n, code, text) < 0 ? ERROR : 0;
}

int ChkBedingungErfuellt(int n, const ChkSatz* s)
{
    const std::string b = cdTrim(s->bedingung);
    if (b.empty()) return 1;
    size_t t = b.find('=');
    if (t == std::string::npos) t = b.find(':');
    std::string schluessel = t == std::string::npos ? b : b.substr(0, t);
    const std::string wert = t == std::string::npos ? "" : cdTrim(b.substr(t + 1).c_str());
    if (schluessel.size() > CHKCODELEN) schluessel.resize(CHKCODELEN);
    schluessel = cdTrim(schluessel.c_str());
    char gespeichert[CHKTEXTSUP + 1];
    ChkTextHolen(n, schluessel.c_str(), gespeichert);
    if (wert.empty()) return gespeichert[0] != '\0';
    return strvgl(gespeichert, wert.c_str()) == 0 && std::strlen(gespeichert) == wert.size();
}

void ChkUmschaltWert(const char* optionen, const char* wert, char* neu, size_t groesse)
{
    std::string erste, zweite;
    const std::string o = optionen;
    const size_t k = o.find(',');
    if (cdTrim(optionen).empty()) {
        erste = "0";
        zweite = "1";
    } else if (k == std::string::npos) {
        zweite = cdTrim(optionen);
    } else {
        erste = cdTrim(o.substr(0, k).c_str());
        // Only the second option: a third and more are not part of a toggle.
        const size_t k2 = o.find(',', k + 1);
        zweite = cdTrim(o.substr(k + 1, k2 == std::string::npos ? std::string::npos : k2 - k - 1).c_str());
    }
    const std::string& r = erste != wert ? erste : zweite;
    strkopie(neu, groesse, r.c_str(), CHKTEXTSUP);
}

void ChkCodeVariable(int n, const char* code, char* text, size_t groesse)
{
    std::snprintf(text, groesse, "@C%c%-4.4s", '1' + n, code);
}

int ChkEingabeSpeichern(int n, const ChkSatz* saetze, int anzahl)
{
    std::vector<const ChkSatz*> aus;
    for (int i = 0; i < anzahl; ++i)
        if (!ChkBedingungErfuellt(n, &saetze[i])) aus.push_back(&saetze[i]);
    for (const ChkSatz* s : aus) {
        ChkTextSetzen(n, s->code, "");
        FstxCTextLoeschen(n, s->code);
    }
    int r = 0;
    if (!aus.empty() && FstxSchreiben() != 0) r = ERROR;
    ChkNummernLoeschen(n);
    ChkAnhangUebernehmen(n);
    ChkSortieren(n);
    if (ChkListeDatei(n, 1) != 0) r = ERROR;
    if (r != 0) {
        char pfad[300];
        ChkPfad(n, pfad, sizeof pfad);
        char m[400];
        std::snprintf(m, sizeof m, TextNr(243), pfad);
        wiMeldung("%s", m);
    }
    return r;
}

int ChkDefSpeichern(int id, const char* pfad)
{
    // A free name beside the target; the table and its block go there and
    // the whole file replaces the old one only when both were written.
    std::string tmp;
    for (int i = 0; i < 1000; ++i) {
        tmp = std::string(pfad) + ".~c" + std::to_string(i);
        if (dosattrib(tmp.c_str()) == DOSATTR_FEHLT) break;
    }
    int r = ElsSchreiben(id, tmp.c_str());
    if (r == 0) r = ChkAnhangSchreiben(tmp.c_str());
    if (r == 0) r = plDsUmbenennen(tmp.c_str(), pfad) == 0 ? 0 : ERROR;
    if (r != 0) {
        dateiloeschen(tmp.c_str());
        char m[400];
        std::snprintf(m, sizeof m, TextNr(243), pfad);
        wiMeldung("%s", m);
        return ERROR;
    }
    return 0;
}

// ---- the dialog "CHKListen" -------------------------------------------------------------------

namespace {

struct CdZustand {
    int n = 0;
    int definition = 0;
    int geaendert = 0;
    char pfad[300] = "";
    char wahlCode[CHKCODELEN + 1] = "";
    char typen[3][5] = {};
    std::string puffer;
};
CdZustand cd;

ChkSatz* cdSatz(int zeile) { return static_cast<ChkSatz*>(ElsSeiteSatz(CD_LISTE, zeile)); }

int cdKopf(int index, char* text)
{
    static const struct {
        int spalte;
        const char* text;
    } def[] = {{1, "Code"}, {6, ""}, {11, "Bezeichnung"}, {47, "Werte"}, {82, "Bed."}},
      ein[] = {{1, "Eingabe"}, {42, "Bezeichnung"}, {83, "Code"}};
    if (cd.definition) {
        if (index >= 5) return -1;
        std::snprintf(text, 256, "%s", index == 1 ? "Typ" : def[index].text);
        return def[index].spalte;
    }
    if (index >= 3) return -1;
    std::snprintf(text, 256, "%s", ein[index].text);
    return ein[index].spalte;
}

const char* cdTypName(const char* typ)
{
    const int t = typ[0] >= '0' && typ[0] <= '2' && typ[1] == '\0' ? typ[0] - '0' : -1;
    return t < 0 ? "" : cd.typen[t];
}

void cdMalen(int zeile)
{
    const ChkSatz* s = cdSatz(zeile);
    if (!s) return;
    char t[CHKOPTSUP + 1];
    if (cd.definition) {
        LisSchrift(1);
        std::snprintf(t, sizeof t, "%.4s", s->code);
        LisText(1, 0, t);
        LisText(6, 0, cdTypName(s->typ));
        std::snprintf(t, sizeof t, "%.35s", s->text);
        LisText(11, 0, t);
        std::snprintf(t, sizeof t, "%.35s", s->optionen);
        LisText(47, 0, t);
        std::snprintf(t, sizeof t, "%.6s", s->bedingung);
        LisText(82, 0, t);
        return;
    }
    if (!ChkBedingungErfuellt(cd.n, s)) LisFarbe(127, 127, 127);
    char wert[CHKTEXTSUP + 1];
    ChkWertHolen(cd.n, s->code, wert);
    std::snprintf(t, sizeof t, "%-40.40s", wert);
    LisSchrift(1);
    LisText(1, 0, t);
    LisSchrift(2);
    std::snprintf(t, sizeof t, "%.40s", s->text);
    LisText(42, 0, t);
    LisSchrift(1);
    LisText(83, 0, s->code);
}

// The cell editor's text: position, width and the ESC length command.
void cdZelleText(int zeile, int spalte, int* start, int* breite, char* text, int groesse)
{
    *start = 0;
    *breite = 0;
    text[0] = '\0';
    const ChkSatz* s = cdSatz(zeile);
    if (!s) return;
    const size_t g = static_cast<size_t>(groesse);
    if (!cd.definition) {
        if (std::strcmp(s->typ, "0") != 0) return;
        char wert[CHKTEXTSUP + 1];
        ChkWertHolen(cd.n, s->code, wert);
        *start = 1;
        *breite = 40;
        std::snprintf(text, g, "%cM %d\t%s", 27, CHKTEXTSUP, wert);
        return;
    }
    if (spalte < 6) {
        *start = 1, *breite = 4;
        std::snprintf(text, g, "%s", s->code);
    } else if (spalte < 11) {
        *start = 6, *breite = 4;
        std::snprintf(text, g, "%s", s->typ);
    } else if (spalte < 47) {
        *start = 11, *breite = 35;
        std::snprintf(text, g, "%cM 80\t%s", 27, s->text);
    } else if (spalte < 82) {
        *start = 47, *breite = 35;
        std::snprintf(text, g, "%cM %d\t%s", 27, CHKOPTSUP, s->optionen);
    } else {
        *start = 82, *breite = 6;
        std::snprintf(text, g, "%cM 20\t%s", 27, s->bedingung);
    }
}

void cdZelleSpeichern(int zeile, int spalte, const char* text)
{
    ChkSatz* s = cdSatz(zeile);
    if (!s) return;
    if (!cd.definition) {
        ChkWertSetzen(cd.n, s->code, text);
        cd.geaendert = 1;
        return;
    }
    if (spalte < 6) strkopie(s->code, sizeof s->code, cdTrim(text).c_str(), CHKCODELEN);
    else if (spalte < 11) strkopie(s->typ, sizeof s->typ, cdTrim(text).c_str(), 1);
    else if (spalte < 47) strkopie(s->text, sizeof s->text, text, CHKBEZSUP);
    else if (spalte < 82) strkopie(s->optionen, sizeof s->optionen, text, CHKOPTSUP);
    else strkopie(s->bedingung, sizeof s->bedingung, text, CHKBEDSUP);
    ElsGeaendertSetzen(CD_LISTE, 1);
}

void cdEditieren(int zeile, int spalte)
{
    LisEditStart(CD_LISTE, zeile, spalte, 1, cdZelleText, cdZelleSpeichern);
}

void cdUmschalten(const ChkSatz* s)
{
    char wert[CHKTEXTSUP + 1], neu[CHKTEXTSUP + 1];
    ChkWertHolen(cd.n, s->code, wert);
    ChkUmschaltWert(s->optionen, wert, neu, sizeof neu);
    ChkWertSetzen(cd.n, s->code, neu);
    cd.geaendert = 1;
    wiItemAuffrischen(CD_LISTE);
}

void cdWahlZu()
{
    wiItemZeigen(CD_WAHL, 0);
    wiItemFrei(CD_LISTE, 1);
    wiItemFrei(ELSSEITENLISTE, 1);
    cd.wahlCode[0] = '\0';
    wiItemFokus(CD_LISTE);
    wiItemAuffrischen(CD_LISTE);
}

void cdWahlAuf(const ChkSatz* s, int zeile)
{
    wiListeLeeren(CD_WAHL);
    int anzahl = 0;
    std::string o = s->optionen;
    size_t a = 0;
    while (a <= o.size()) {
        size_t e = o.find(',', a);
        if (e == std::string::npos) e = o.size();
        const std::string w = cdTrim(o.substr(a, e - a).c_str());
        if (!w.empty()) wiListeAnhaengen(CD_WAHL, w.c_str()), ++anzahl;
        a = e + 1;
    }
    wiListeAnhaengen(CD_WAHL, "");
    ++anzahl;
    // Below the row: rows are half-lines of the list from its top.
    int l, o2, r, u;
    wiItemClientRechteck(CD_LISTE, &l, &o2, &r, &u);
    RECT rc{0, 0, 40 * 4, (anzahl * 2 > 20 ? 20 : anzahl * 2) * 8 / 2 * 2};
    MapDialogRect(wiDlgFenster(), &rc);
    HWND liste = wiItem(CD_LISTE);
    POINT p{l + 4, o2 + (zeile - LisOben(CD_LISTE) / 2 + 2) * 14};
    ClientToScreen(liste, &p);
    ScreenToClient(wiDlgFenster(), &p);
    MoveWindow(wiItem(CD_WAHL), p.x, p.y, rc.right, rc.bottom, TRUE);
    wiItemFrei(CD_LISTE, 0);
    wiItemFrei(ELSSEITENLISTE, 0);
    wiItemZeigen(CD_WAHL, 1);
    char wert[CHKTEXTSUP + 1];
    ChkWertHolen(cd.n, s->code, wert);
    wiListeTextWaehlen(CD_WAHL, wert);
    strkopie(cd.wahlCode, s->code, CHKCODELEN);
    wiItemFokus(CD_WAHL);
}

void cdWahlUebernehmen()
{
    if (!cd.wahlCode[0]) return;
    char t[CHKTEXTSUP + 1] = "";
    const int w = wiListeWahl(CD_WAHL);
    if (w >= 0) wiListeText(CD_WAHL, w, t);
    ChkWertSetzen(cd.n, cd.wahlCode, t);
    cd.geaendert = 1;
}

int cdEreignis(int ereignis, int zeile)
{
    ChkSatz* s = cdSatz(zeile);
    if (ereignis == LISKONTEXT && s) {
        const char* menu = !cd.definition ? "CHKListenF_RM" : std::strcmp(s->typ, "0") == 0 ? "CHKListenZ0_RM"
                                                                                            : "CHKListenZ1_RM";
        int x = 0, y = 0;
        LisKlickHolen(CD_LISTE, &x, &y);
        wiKontextMenu(menu, MAKELPARAM(x, y), wiItem(CD_LISTE));
        return 0;
    }
    if (!s) return 0;
    if (ereignis == LISLEER) {
        int spalte = 0, z = 0;
        LisKlickZelle(CD_LISTE, &spalte, &z);
        if (cd.definition) {
            if (spalte > 5 && spalte <= 10) {
                const char c = s->typ[0] == '0' && !s->typ[1] ? '1' : s->typ[0] == '1' && !s->typ[1] ? '2' : '0';
                s->typ[0] = c;
                s->typ[1] = '\0';
                ElsGeaendertSetzen(CD_LISTE, 1);
                wiItemAuffrischen(CD_LISTE);
            } else {
                cdEditieren(zeile, spalte);
            }
            return 0;
        }
        if (!ChkBedingungErfuellt(cd.n, s)) return 0;
        if (std::strcmp(s->typ, "0") == 0) cdEditieren(zeile, 1);
        else if (std::strcmp(s->typ, "1") == 0) cdUmschalten(s);
        else if (std::strcmp(s->typ, "2") == 0) cdWahlAuf(s, zeile);
        return 0;
    }
    if (ereignis == LISAKTIV && !cd.definition && ChkBedingungErfuellt(cd.n, s)) {
        if (std::strcmp(s->typ, "1") == 0) cdUmschalten(s);
        else if (std::strcmp(s->typ, "2") == 0) cdWahlAuf(s, zeile);
        return 0;
    }
    if (ereignis == LISEDITZU && RsPruefenAktiv() && RsUnbekannteDa(0))
        PostMessage(wiDlgFenster(), WM_COMMAND, 2510, 0);
    return 0;
}

void cdRasterText(int zeile, int spalte, char* text, int groesse)
{
    int a, b;
    char t[LISZELLESUP];
    cdZelleText(zeile, spalte, &a, &b, t, sizeof t);
    const char* w = std::strchr(t, '\t');
    std::snprintf(text, static_cast<size_t>(groesse), "%s", w ? w + 1 : t);
}

bool cdSpeichern()
{
    if (cd.definition) {
        char ziel[300];
        ChkDefZiel(cd.n, ziel, sizeof ziel);
        if (ChkDefSpeichern(CD_LISTE, ziel) != 0) return false;
        strkopie(cd.pfad, ziel, sizeof cd.pfad - 1);
        wiTextSetzen(3000, cd.pfad);
        ElsGeaendertSetzen(CD_LISTE, 0);
        return true;
    }
    std::vector<ChkSatz> alle;
    SARR* feld = ElsSatzFeld(CD_LISTE);
    for (int i = 0; i < ElsAnzahl(CD_LISTE); ++i) alle.push_back(*static_cast<const ChkSatz*>(saadr(feld, i)));
    const int r = ChkEingabeSpeichern(cd.n, alle.data(), static_cast<int>(alle.size()));
    wiItemAuffrischen(CD_LISTE);
    if (r != 0) return false;
    cd.geaendert = 0;
    return true;
}

bool cdVeraendert() { return cd.definition ? ElsGeaendert(CD_LISTE) != 0 : cd.geaendert != 0; }

void cdKopieren()
{
    cd.puffer.clear();
    for (int i = 0; i < ElsSeiteAnzahl(CD_LISTE); ++i) {
        if (cd.puffer.size() > 9900) break;
        char w[CHKTEXTSUP + 1];
        ChkWertHolen(cd.n, cdSatz(i)->code, w);
        cd.puffer += w;
        cd.puffer += '\n';
    }
}

void cdEinfuegen()
{
    size_t a = 0;
    for (int i = 0; i < ElsSeiteAnzahl(CD_LISTE) && a < cd.puffer.size(); ++i) {
        size_t e = cd.puffer.find('\n', a);
        if (e == std::string::npos) e = cd.puffer.size();
        ChkWertSetzen(cd.n, cdSatz(i)->code, cd.puffer.substr(a, e - a).c_str());
        a = e + 1;
    }
    cd.geaendert = 1;
    wiItemAuffrischen(CD_LISTE);
}

int cdSprBefehl(UINT nachricht, WPARAM wp, LPARAM lp);
int cdSprInit(int, const char* const*);
ChkSatz* cdSprSatz = nullptr;  // the record of the open "CHKListenSPR"

int cdInit(int, const char* const*)
{
    const char* typen = TextNr(450);
    for (int t = 0; t < 3; ++t) {
        char w[5] = "";
        if (std::strlen(typen) >= static_cast<size_t>(t * 5)) strkopie(w, typen + t * 5, 4);
        strkopie(cd.typen[t], cdTrim(w).c_str(), 4);
    }
    cd.definition = VgbInt("ChkLstEdt") != 0;
    wiDlgPosLaden("CHKListen");
    if (!RsStarten()) wiItemZeigen(2990, 0);
    if (cd.definition) {
        wiItemZeigen(2520, 0);
        wiItemZeigen(2521, 0);
    }
    wiItemZeigen(CD_WAHL, 0);
    char titel[CHKBEZSUP + 1] = "", schluessel[16];
    std::snprintf(schluessel, sizeof schluessel, "ChkLstBz%d", cd.n);
    VgbText(schluessel, titel, CHKBEZSUP);
    if (!strleer(titel)) wiDlgTitelSetzen(titel);
    SprTitel();
    ChkDefPfad(cd.n, cd.pfad, sizeof cd.pfad);
    if (cd.definition) {
        wiTextSetzen(3000, cd.pfad);
    } else {
        ChkListeDatei(cd.n, 0);
        cd.geaendert = 0;
        wiTextSetzen(3000, titel);
    }
    ElsAnlegen(CD_LISTE, sizeof(ChkSatz), ChkZeileLesen, ChkZeileSchreiben, ChkSatzNeu, ChkSatzLeer,
               cd.definition ? "CHKListenS_RM" : "");
    ElsLesen(CD_LISTE, cd.pfad);
    ChkAnhangLesen(cd.pfad);
    ElsAufbauen(CD_LISTE, cdKopf, nullptr, cdMalen, cdEreignis);
    ElsGeaendertSetzen(CD_LISTE, 0);
    RsRasterAnmelden(ElsSeiteAnzahl(CD_LISTE), cd.definition ? 5 : 1, cdRasterText, nullptr, nullptr);
    wiKnopfSetzen(3010, wiIniZahl("ZVKEdit", "ChkLstSavCls") != 0);
    return 0;
}

int cdExit()
{
    if (cdVeraendert() && wiFrage(TextNr(39)) == 1) cdSpeichern();
    wiIniZahlSchreiben("ZVKEdit", "ChkLstSavCls", wiKnopf(3010) ? 1 : 0);
    ElsFreigeben(CD_LISTE);
    wiDlgPosSichern("CHKListen");
    RsFelderAbmelden();
    cd.puffer.clear();
    cd.puffer.shrink_to_fit();
    wiSeiteVerteilen(2998, 3);
    return 0;
}

int cdBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    RsNachricht(nachricht, wp, lp);
    LisNachricht(ELSSEITENLISTE, nachricht, wp, lp);
    LisNachricht(CD_LISTE, nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id == CD_WAHL) {
        const int code = HIWORD(wp);
        if (code == LBN_SELCHANGE || code == LBN_DBLCLK) cdWahlUebernehmen();
        if (code == LBN_DBLCLK || code == LBN_KILLFOCUS) cdWahlZu();
        return 0;
    }
    ChkSatz* s = cdSatz(LisAkt(CD_LISTE));
    switch (id) {
    case 1:
        if (LisEditFokus(CD_LISTE)) break;
        if (wiFokusId() == CD_WAHL) cdWahlZu();
        else if (wiFokusId() == ELSSEITENLISTE) ElsBefehl(CD_LISTE, 2564);
        else if (s) cdEditieren(LisAkt(CD_LISTE), 1);
        break;
    case 2:
        if (LisEditAbbruch(CD_LISTE)) break;
        if (wiFokusId() == CD_WAHL) cdWahlZu();
        else wiDlgSchliessen();
        break;
    case 2500:
        if (RsSofort()) RsPruefen(0, 2509);
        else PostMessage(wiDlgFenster(), WM_COMMAND, 2509, 0);
        break;
    case 2509:
        if (!cdSpeichern()) break;
        if (wiKnopf(3010)) wiDlgSchliessen();
        else wiSeiteVerteilen(2998, 2);
        break;
    case 2501:
        ElsGeaendertSetzen(CD_LISTE, 0);
        cd.geaendert = 0;
        wiDlgSchliessen();
        break;
    case 2510: RsPruefen(1, 0); break;
    case 2515: ElsGeaendertSetzen(CD_LISTE, 1); wiItemAuffrischen(CD_LISTE); break;
    case 2520: if (!cd.definition) cdKopieren(); break;
    case 2521: if (!cd.definition) cdEinfuegen(); break;
    case 2570: case 2571: case 2572:
        if (s) {
            s->typ[0] = static_cast<char>('0' + id - 2570);
            s->typ[1] = '\0';
            ElsGeaendertSetzen(CD_LISTE, 1);
            wiItemAuffrischen(CD_LISTE);
        }
        break;
    case 2575:
        if (s) {
            char t[16];
            ChkCodeVariable(cd.n, s->code, t, sizeof t);
            wiClipText(t);
        }
        break;
    case 2579:
        if (s && (std::strcmp(s->typ, "1") == 0 || std::strcmp(s->typ, "2") == 0)) {
            cdSprSatz = s;
            wiDlgOeffnenUnter(wiDlgFenster(), "CHKListenSPR", cdSprInit, nullptr, cdSprBefehl, 0, nullptr);
        }
        break;
    default:
        if ((id >= 2550 && id <= 2555) || (id >= 2560 && id <= 2564)) ElsBefehl(CD_LISTE, id);
        break;
    }
    return 0;
}

// ---- "CHKListenSPR": option texts of one code per language --------------------------------------

std::string cdSprPuffer;

int cdSprInit(int, const char* const*)
{
    wiDlgModal();
    if (!cdSprSatz) return 0;
    wiTextSetzen(3100, cdSprSatz->code);
    wiTextSetzen(3000, cdSprSatz->optionen);
    for (int s = 1; s <= 9; ++s) {
        char t[CHKTEXTSUP + 1];
        ChkAnhangText(s, cdSprSatz->code, t);
        wiTextSetzen(3000 + 10 * s, t);
    }
    return 0;
}

int cdSprBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND || !cdSprSatz) return 0;
    switch (LOWORD(wp)) {
    case 1: case 2500: {
        for (int s = 1; s <= 9; ++s) {
            char t[CHKBEZSUP + 1];
            wiTextHolen(3000 + 10 * s, t, CHKBEZSUP);
            ChkAnhangSetzen(s, cdSprSatz->code, t);
        }
        char b[CHKOPTSUP + 1];
        wiTextHolen(3000, b, CHKOPTSUP);
        ChkAnhangSetzen(10, cdSprSatz->code, b);
        HWND haupt = wiDlgSuchen("CHKListen");
        if (haupt) PostMessage(haupt, WM_COMMAND, 2515, 0);
        wiDlgSchliessen();
        break;
    }
    case 2: case 2501: wiDlgSchliessen(); break;
    case 2520:
        cdSprPuffer.clear();
        for (int s = 0; s <= 9 && cdSprPuffer.size() <= 9800; ++s) {
            char t[CHKOPTSUP + 1];
            wiTextHolen(3000 + 10 * s, t, CHKOPTSUP);
            cdSprPuffer += t;
            if (s < 9) cdSprPuffer += '\n';
        }
        break;
    case 2521: {
        size_t a = 0;
        for (int s = 0; s <= 9 && a <= cdSprPuffer.size(); ++s) {
            size_t e = cdSprPuffer.find('\n', a);
            if (e == std::string::npos) e = cdSprPuffer.size();
            wiTextSetzen(3000 + 10 * s, cdSprPuffer.substr(a, e - a).c_str());
            a = e + 1;
        }
        char b[CHKOPTSUP + 1];
        wiTextHolen(3000, b, CHKOPTSUP);
        strkopie(cdSprSatz->optionen, b, CHKOPTSUP);
        break;
    }
    default: break;
    }
    return 0;
}

}  // namespace

HWND ChkDlgOeffnen(int n)
{
    if (n < 0 || n >= CHKLISTEN) return 0;
    if (HWND offen = wiDlgSuchen("CHKListen")) {
        SetForegroundWindow(offen);
        return offen;
    }
    cd = CdZustand{};
    cd.n = n;
    return wiDlgOeffnen("CHKListen", cdInit, cdExit, cdBefehl);
}

void PvwCheckliste(int n) { ChkDlgOeffnen(n); }
void PvwChkLstMenu() { ChkMenueAufbauen(); }
