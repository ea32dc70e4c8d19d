// The browser window "BAUTEILE" and its small dialogs. One browser at a
// time; its state lives here for the run.
//
// Invariants:
//  1. bt.offen is 1 exactly while bt.bib names a library of version 6 or
//     above whose header filled version, count and size; the list then holds
//     its names in index order (" " + name each).
//  2. Every change operation runs its guards first (a library, not old,
//     writable, a mark where one is needed) and refills the list after it,
//     whether it succeeded or not, so the list never shows a stale library.
#include "editdlg/bautwork.h"

#include <cstdio>
#include <cstring>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "editdlg/bautint.h"
#include "editdlg/mischen.h"
#include "model/altbau.h"
#include "model/bauteil.h"
#include "platform/ablegen.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"
#include "winlib/toolbar.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int BT_LISTE = 3100;
constexpr int BT_SUCHE = 3010;
constexpr int BT_OEFFNEN = 5000;

struct BautZustand {
    HWND fenster = 0;
    char bib[BAUPFADSUP + 1] = "";
    char start[BAUPFADSUP + 1] = "";
    int offen = 0;
    int version = 0;
    int anzahl = 0;
    int kbyte = 0;
    std::vector<std::string> namen;
    std::vector<std::string> umbenennen;  // marked names still to rename
    std::string tippen;                   // type-ahead text of the list
    TbarDlgTabelle tbar{};
    TbarDlgTabelle auswahl{};
};
BautZustand bt;

void BautPfadAbsolut(const char* ein, char* aus, size_t kap)
{
    strkopie(aus, kap, ein, BAUPFADSUP);
    if (aus[0]) PfadAbsolut(aus, kap);
}

void BautListeFuellen()
{
    bt.namen.clear();
    wiNeuZeichnen(BT_LISTE, 0);
    wiListeLeeren(BT_LISTE);
    BauBibHandle h;
    if (bt.offen && BauBibOeffnen(&h, bt.bib) == 0) {
        bt.version = h.version;
        bt.anzahl = h.anzahl;
        bt.kbyte = h.kbyte;
        for (int i = 0; i < h.anzahl; ++i) {
            char n[BAUNAMSUP + 1];
            BauNameHolen(&h, i, n, sizeof n);
            bt.namen.emplace_back(n);
            wiListeAnhaengen(BT_LISTE, (" " + std::string(n)).c_str());
        }
        BauBibZu(&h);
    } else {
        bt.offen = 0;
    }
    wiNeuZeichnen(BT_LISTE, 1);
    if (!bt.namen.empty()) wiListeWahlSetzen(BT_LISTE, 0);
}

void BautTitel()
{
    if (!bt.offen) {
        SetWindowText(bt.fenster, TextNr3000(0));
        for (int id = 3200; id <= 3203; ++id) wiTextSetzen(id, "");
        return;
    }
    char kurz[48], t[120];
    const size_t l = std::strlen(bt.bib);
    if (l > 40)
        std::snprintf(kurz, sizeof kurz, "...%s", bt.bib + l - 37);
    else
        strkopie(kurz, bt.bib, 40);
    std::snprintf(t, sizeof t, TextNr3000(1), kurz);
    SetWindowText(bt.fenster, t);
    std::snprintf(t, sizeof t, TextNr3000(2), static_cast<unsigned>(bt.anzahl));
    wiTextSetzen(3200, t);
    std::snprintf(t, sizeof t, TextNr3000(3), static_cast<unsigned>(bt.kbyte));
    wiTextSetzen(3201, t);
    std::snprintf(t, sizeof t, TextNr3000(4), static_cast<unsigned>(bt.version));
    wiTextSetzen(3202, t);
    wiTextSetzen(3203, bt.bib);
}

void BautAuffrischen()
{
    BautListeFuellen();
    BautTitel();
}

// Opens a library into the window: refused names, missing files and the
// conversion of old libraries as the user answers.
void BautLaden(const char* pfad)
{
    BauBibSchliessen();
    bt.offen = 0;
    bt.bib[0] = 0;
    char p[BAUPFADSUP + 1];
    BautPfadAbsolut(pfad, p, sizeof p);
    if (p[0] && !BautNameGueltig(p)) {
        BautMeldung(7);
    } else if (!p[0] || dateilaenge(p) < 0) {
        if (p[0]) BautMeldung(5);
    } else {
        int version = BauVersion(p);
        if (version >= 0 && version < 6 && wiFrage(TextNr3000(79)) == 1 && BautSchreibbar(p) == 0) {
            if (MischUmwandeln(p) == 0) version = BauVersion(p);
        }
        strkopie(bt.bib, p, BAUPFADSUP);
        bt.version = version;
        bt.offen = version >= 6;
        char ordner[BAUPFADSUP + 1];
        strkopie(ordner, p, BAUPFADSUP);
        if (char* s = std::strrchr(ordner, '/')) {
            *s = 0;
            if (ordner[0]) doschdir(ordner);
        }
    }
    bt.tippen.clear();
    BautAuffrischen();
    wiItemFokus(BT_LISTE);
}

std::vector<int> BautMarkierte()
{
    std::vector<int> m;
    for (int i = 0; i < static_cast<int>(bt.namen.size()); ++i)
        if (wiListeMarkiert(BT_LISTE, i)) m.push_back(i);
    return m;
}

// The guards of every change; `markiert` asks for a mark.
bool BautDarf(bool markiert)
{
    bool ok = true;
    if (!bt.bib[0] || (!bt.offen && bt.version >= 6)) {
        BautMeldung(9);
        ok = false;
    } else if (bt.version < 6) {
        BautMeldung(10);
        ok = false;
    } else if (BautSchreibbar(bt.bib) != 0) {
        ok = false;
    } else if (markiert && BautMarkierte().empty()) {
        BautMeldung(11);
        ok = false;
    }
    if (!ok) wiItemFokus(BT_LISTE);
    return ok;
}

void BautSuchen(const char* text)
{
    char s[BAUNAMSUP + 1];
    strkopie(s, text, BAUNAMSUP);
    strtrim(s);
    strgross(s);
    if (!s[0]) return;
    for (size_t i = 0; i < bt.namen.size(); ++i) {
        if (strnvgl(bt.namen[i].c_str(), s, static_cast<int>(std::strlen(s))) == 0) {
            for (int k = 0; k < static_cast<int>(bt.namen.size()); ++k) wiListeMarkSetzen(BT_LISTE, k, 0);
            wiListeMarkSetzen(BT_LISTE, static_cast<int>(i), 1);
            SendMessage(wiItem(BT_LISTE), LB_SETCARETINDEX, i, 0);
            return;
        }
    }
}

// ---- Small dialogs -------------------------------------------------------------------------

int anlInit(int, const char* const*)
{
    wiTextSetzen(3000, "bauteile.neu");
    wiRadioSetzen(3010, 0, 2);
    return 0;
}

int anlBefehl(UINT n, WPARAM wp, LPARAM)
{
    if (n != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id == 1) {
        char name[BAUPFADSUP + 1];
        wiTextHolen(3000, name, BAUPFADSUP);
        strtrim(name);
        char p[BAUPFADSUP + 1];
        BautPfadAbsolut(name, p, sizeof p);
        if (BautAnlegen(p, wiRadio(3010, 2) == 1 ? 10 : 7) != 0) return 0;
        wiDlgSchliessen();
        BautLaden(p);
    } else if (id == 2) {
        wiDlgSchliessen();
    }
    return 0;
}

int eigInit(int, const char* const*)
{
    char t[40];
    wiTextSetzen(3000, bt.bib);
    std::snprintf(t, sizeof t, "%d", bt.version);
    wiTextSetzen(3001, t);
    std::snprintf(t, sizeof t, "%d kB", bt.kbyte);
    wiTextSetzen(3002, t);
    std::snprintf(t, sizeof t, "%d", bt.anzahl);
    wiTextSetzen(3003, t);
    return 0;
}

int eigBefehl(UINT n, WPARAM wp, LPARAM)
{
    if (n == WM_COMMAND && (LOWORD(wp) == 1 || LOWORD(wp) == 2)) wiDlgSchliessen();
    return 0;
}

void umbZeigen()
{
    wiTextSetzen(3000, bt.umbenennen.front().c_str());
    wiTextSetzen(3001, bt.umbenennen.front().c_str());
    wiItemFokus(3001);
}

int umbInit(int, const char* const*)
{
    umbZeigen();
    return 0;
}

// Closing the rename or delete dialog refreshes the browser.
int umbExit()
{
    bt.umbenennen.clear();
    if (bt.fenster && wiDlgBetreten(bt.fenster) >= 0) {
        BautAuffrischen();
        wiDlgVerlassen();
    }
    return 0;
}

int umbBefehl(UINT n, WPARAM wp, LPARAM)
{
    if (n != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id == 2) {
        wiDlgSchliessen();
        return 0;
    }
    if (id != 1 || bt.umbenennen.empty()) return 0;
    const std::string alt = bt.umbenennen.front();
    char neu[BAUNAMSUP + 1];
    wiTextHolen(3001, neu, BAUNAMSUP);
    int index = -1;
    for (size_t i = 0; i < bt.namen.size(); ++i)
        if (bt.namen[i] == alt) index = static_cast<int>(i);
    if (BautUmbenennen(bt.bib, index, alt.c_str(), neu) != 0) return 0;
    bt.umbenennen.erase(bt.umbenennen.begin());
    if (bt.umbenennen.empty())
        wiDlgSchliessen();
    else
        umbZeigen();
    return 0;
}

int loeInit(int, const char* const*)
{
    for (const std::string& n : bt.umbenennen) wiListeAnhaengen(3000, n.c_str());
    for (int i = 0; i < static_cast<int>(bt.umbenennen.size()); ++i) wiListeMarkSetzen(3000, i, 1);
    return 0;
}

int loeBefehl(UINT n, WPARAM wp, LPARAM)
{
    if (n != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id == 1) {
        std::vector<std::string> weg;
        for (int i = 0; i < static_cast<int>(bt.umbenennen.size()); ++i)
            if (wiListeMarkiert(3000, i)) weg.push_back(bt.umbenennen[static_cast<size_t>(i)]);
        const std::string bib = bt.bib;
        wiDlgSchliessen();
        MischLoeschen(bib.c_str(), weg);
    } else if (id == 2) {
        wiDlgSchliessen();
    }
    return 0;
}

int marBefehl(UINT n, WPARAM wp, LPARAM)
{
    if (n != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id == 3000 && HIWORD(wp) == EN_CHANGE) {
        char m[80];
        wiTextHolen(3000, m, 79);
        const std::vector<int> t = BautMarkieren(bt.namen, m);
        if (wiDlgBetreten(bt.fenster) >= 0) {
            for (int k = 0; k < static_cast<int>(bt.namen.size()); ++k) wiListeMarkSetzen(BT_LISTE, k, 0);
            for (int k : t) wiListeMarkSetzen(BT_LISTE, k, 1);
            if (!t.empty()) SendMessage(wiItem(BT_LISTE), LB_SETCARETINDEX, t.front(), 0);
            wiDlgVerlassen();
        }
    } else if (id == 1 || id == 2) {
        wiDlgSchliessen();
    }
    return 0;
}

std::string zimDatei;

int zimInit(int, const char* const*)
{
    char n[BAUNAMSUP + 1];
    BautImportName(zimDatei.c_str(), BauVersion(bt.bib) >= 10 ? BAUNAMSUP : BAUNAMKURZ, n, sizeof n);
    wiTextSetzen(3000, zimDatei.c_str());
    wiTextSetzen(3010, n);
    return 0;
}

int zimBefehl(UINT n, WPARAM wp, LPARAM)
{
    if (n != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id == 1) {
        char name[BAUNAMSUP + 1];
        wiTextHolen(3010, name, BAUNAMSUP);
        if (BautZeichnungImport(bt.bib, zimDatei.c_str(), name) != 0) return 0;  // the dialog stays
        wiDlgSchliessen();
        if (wiDlgBetreten(bt.fenster) >= 0) {
            BautAuffrischen();
            wiDlgVerlassen();
        }
    } else if (id == 2) {
        wiDlgSchliessen();
    }
    return 0;
}

HWND BautUnter(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl)
{
    HWND d = wiDlgOeffnenUnter(bt.fenster, name, init, exit, befehl, 0, nullptr);
    return d;
}

// ---- Commands -----------------------------------------------------------------------------

void BautOeffnenWahl()
{
    char p[WIDATEISUP + 1];
    strkopie(p, TextNr3000(41), WIDATEISUP);
    if (!wiDateiWahl(p, TextNr3000(34), TextNr3000(40))) return;
    BautLaden(p);
}

void BautEinfuegenWahl()
{
    if (!BautDarf(false)) return;
    char p[WIDATEISUP + 1];
    strkopie(p, TextNr3000(41), WIDATEISUP);
    if (!wiDateiWahl(p, TextNr3000(35), TextNr3000(40))) return;
    if (!BautNameGueltig(p)) {
        BautMeldung(7);
        return;
    }
    int gleich = 0;
    MischEinfuegen(bt.bib, p, &gleich);
    BautAuffrischen();
}

void BautNamenWahl()
{
    if (!BautDarf(false)) return;
    char p[WIDATEISUP + 1] = "*.txt";
    if (!wiDateiSpeichern(p, TextNr3000(36), "Textdateien (*.txt)|*.txt|Inhalt (*.inh)|*.inh||")) return;
    BautNamenAusgeben(bt.bib, p);
}

void BautTextWahl()
{
    if (!BautDarf(true)) return;
    const std::vector<int> m = BautMarkierte();
    if (m.size() != 1) {
        BautMeldung(23);
        return;
    }
    const std::string& n = bt.namen[static_cast<size_t>(m[0])];
    char p[WIDATEISUP + 1];
    std::snprintf(p, sizeof p, "%s.txt", n.c_str());
    if (!wiDateiSpeichern(p, TextNr3000(36), "Textdateien (*.txt)|*.txt||")) return;
    BautTextExport(bt.bib, n.c_str(), p);
}

void BautExportWahl()
{
    if (!BautDarf(true)) return;
    const std::vector<int> m = BautMarkierte();
    if (m.size() == 1) {
        const std::string& n = bt.namen[static_cast<size_t>(m[0])];
        char p[WIDATEISUP + 1];
        std::snprintf(p, sizeof p, "%s.z", n.c_str());
        if (wiDateiSpeichern(p, TextNr3000(37), "Zeichnungen (*.z)|*.z||")) BautZeichnungExport(bt.bib, n.c_str(), p);
        return;
    }
    char ordner[WIDATEISUP + 1] = "";
    if (!wiOrdnerWahl(ordner, TextNr3000(38))) return;
    std::string o = ordner;
    if (!o.empty() && o.back() != '/') o += '/';
    bool da = false;
    for (int i : m) da = da || dateilaenge((o + bt.namen[static_cast<size_t>(i)] + ".z").c_str()) >= 0;
    if (da && wiFrage(TextNr3000(29)) != 1) return;
    wiLangStart(TextNr3000(38));
    for (int i : m) {
        const std::string& n = bt.namen[static_cast<size_t>(i)];
        wiLangText(n.c_str());
        if (!wiLangPumpe() || BautZeichnungExport(bt.bib, n.c_str(), (o + n + ".z").c_str()) != 0) break;
    }
    wiLangEnde();
}

void BautImportWahl()
{
    if (!BautDarf(false)) return;
    char p[WIDATEISUP + 1] = "*.*";
    const int r = wiDateiMehrfach(p, TextNr3000(39), "Zeichnungen (*.*)|*.*||");
    if (r == 1) {
        zimDatei = p;
        BautUnter("ZEICHIMPORT", zimInit, nullptr, zimBefehl);
        return;
    }
    if (r != 2) return;
    std::vector<std::string> dateien;
    char d[WIDATEISUP + 1];
    for (int i = 0; static_cast<int>(dateien.size()) < BAUTIMPORTSUP && wiDateiMehrfachName(i, d); ++i) dateien.emplace_back(d);
    bool da = false;
    for (const std::string& f : dateien) {
        char n[BAUNAMSUP + 1];
        BautImportName(f.c_str(), BAUNAMSUP, n, sizeof n);
        da = da || BauVorhanden(n);
    }
    if (da && wiFrage(TextNr3000(31)) != 1) return;
    wiLangStart(TextNr3000(32));
    const int laenge = BauVersion(bt.bib) >= 10 ? BAUNAMSUP : BAUNAMKURZ;
    for (const std::string& f : dateien) {
        char n[BAUNAMSUP + 1];
        BautImportName(f.c_str(), laenge, n, sizeof n);
        wiLangText(n);
        if (!wiLangPumpe()) break;
        BauBibHandle h;
        if (BauBibOeffnen(&h, bt.bib) != 0 || BauAufnehmen(&h, n, f.c_str()) != 0) {
            BautMeldung(14, n, bt.bib);
            break;
        }
        BauBibZu(&h);
    }
    wiLangEnde();
    BautAuffrischen();
}

void BautSpracheWahl()
{
    if (!BautDarf(false)) return;
    if (wiFrage(TextNr3000(33)) != 1) return;
    int n = 0;
    MischSprache(bt.bib, &n);
    BautAuffrischen();
}

void BautBefehl(int id)
{
    switch (id) {
    case BT_OEFFNEN: BautLaden(bt.start); break;
    case 1000: BautOeffnenWahl(); break;
    case 1001:
        BautUnter("BAUDATANLEGEN", anlInit, nullptr, anlBefehl);
        break;
    case 1002: BautEinfuegenWahl(); break;
    case 1020: BautNamenWahl(); break;
    case 1021:
        if (BautDarf(false) || bt.offen) BautUnter("EIGENSCHAFT", eigInit, nullptr, eigBefehl);
        break;
    case 1022: BautSpracheWahl(); break;
    case 1100:
    case 1101:
        if (!BautDarf(true)) break;
        bt.umbenennen.clear();
        for (int i : BautMarkierte()) bt.umbenennen.push_back(bt.namen[static_cast<size_t>(i)]);
        if (id == 1100)
            BautUnter("UMBENENNEN", umbInit, umbExit, umbBefehl);
        else
            BautUnter("LOESCHEN", loeInit, umbExit, loeBefehl);
        break;
    case 1110: BautTextWahl(); break;
    case 1120: BautImportWahl(); break;
    case 1121: BautExportWahl(); break;
    case 1130:
        if (bt.offen) BautUnter("MARKIEREN", nullptr, nullptr, marBefehl);
        break;
    case 2510: {
        char s[BAUNAMSUP + 1];
        wiTextHolen(BT_SUCHE, s, BAUNAMSUP);
        BautSuchen(s);
        break;
    }
    case 2: wiDlgSchliessen(); break;
    default:
        if (id >= 2520 && id < 2520 + TBARKNOEPFESUP && id - 2520 < bt.auswahl.anzahl) {
            // A selection-bar button loads the section it names below the bar.
            const TbarKnopf& k = bt.auswahl.knoepfe[id - 2520];
            wiTbarDlgLaden(&bt.tbar, 2, 16, "Toolbar.txt", k.tipp);
        }
        break;
    }
}

int BautInit(int, const char* const*)
{
    bt.fenster = wiDlgFenster();
    if (!ApMenuStilNicht1()) SetMenu(bt.fenster, 0);
    if (ApTbarStil1())
        wiTbarDlgLaden(&bt.auswahl, 2, 2, "Toolbar.txt", "BautAuswahl");
    else
        wiTbarDlgLaden(&bt.tbar, 2, 2, "Toolbar.txt", "Bauteil");
    SendMessage(wiItem(BT_LISTE), LB_SETCOLUMNWIDTH, static_cast<WPARAM>(wiDlgEinheit(50)), 0);
    DragAcceptFiles(bt.fenster, TRUE);
    BautTitel();
    PostMessage(bt.fenster, WM_COMMAND, BT_OEFFNEN, 0);
    return 0;
}

int BautExit()
{
    BauBibSchliessen();
    bt.fenster = 0;
    bt.offen = 0;
    bt.namen.clear();
    return 0;
}

// Letters and digits typed in the list build the search text (also shown
// in the search field); Backspace takes one back; other keys end it.
int BautTippen(WPARAM wp)
{
    const int vk = LOWORD(wp);
    const bool zeichen = (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z');
    if (vk == VK_BACK && !bt.tippen.empty()) {
        bt.tippen.pop_back();
    } else if (zeichen && bt.tippen.size() < BAUNAMSUP) {
        bt.tippen += static_cast<char>(vk);
    } else {
        bt.tippen.clear();
        return -1;
    }
    wiTextSetzen(BT_SUCHE, bt.tippen.c_str());
    BautSuchen(bt.tippen.c_str());
    return -2;
}

int BautNachricht(UINT n, WPARAM wp, LPARAM lp)
{
    if (n == WM_VKEYTOITEM) return BautTippen(wp);
    if (n == WM_DROPFILES) {
        HDROP drop = static_cast<HDROP>(wp);
        char p[BAUPFADSUP + 1] = "";
        if (DragQueryFile(drop, 0, p, sizeof p) > 0) BautLaden(p);
        DragFinish(drop);
        return 0;
    }
    if (n != WM_COMMAND) return 0;
    int id = LOWORD(wp);
    if (id == 1) id = wiGrbuAusloesen() ? 0 : 2510;
    if (id == BT_LISTE) return 0;
    (void)lp;
    BautBefehl(id);
    return 0;
}

}  // namespace

HWND BautOeffnen(const char* start)
{
    BautPfadAbsolut(start ? start : "", bt.start, sizeof bt.start);
    if (bt.fenster) {
        SetForegroundWindow(bt.fenster);
        PostMessage(bt.fenster, WM_COMMAND, BT_OEFFNEN, 0);
        return bt.fenster;
    }
    return wiDlgOeffnen("BAUTEILE", BautInit, BautExit, BautNachricht);
}

HWND BautFenster() { return bt.fenster; }
