// Names and title of the library chooser.
#include "editdlg/db1232.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <map>

#include "controls/elzeile.h"
#include "editdlg/bmdlg.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editdlg/popup.h"
#include "editdlg/vorschau.h"
#include "editor/edtseite.h"
#include "editor/befausf.h"
#include "model/bauteil.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/winbib.h"

#include "config/reaktion.h"
#include "equipment/bm.h"
#include "model/bauteil.h"
#include "winlib/meldung.h"
#include "platform/eingabe.h"

const char* Db1232Titel(int art)
{
    switch (art) {
    case 0: return "Dispobauteil";
    case 1: return "Prinzipbauteil";
    default: return "Kontaktspiegelbauteil";
    }
}

int Db1232Namen(int art, const char* aktuell, std::vector<std::string>* namen)
{
    namen->clear();
    const bmvorgaben& v = BMVorgaben();
    const char* bib = art == 0 ? v.bmdzus : art == 1 ? v.bmpzus : aktuell;
    BauBibHandle h;
    if (!bib || !bib[0] || BauBibOeffnen(&h, bib) != 0) {
        char t[300];
        std::snprintf(t, sizeof t, TextNr1000(330), bib ? bib : "");
        wiMeldung("%s", t);
        return -1;
    }
    for (int i = 0; i < h.anzahl; ++i) {
        char n[BAUNAMSUP + 1];
        BauNameHolen(&h, i, n, sizeof n);
        namen->emplace_back(n);
    }
    BauBibZu(&h);
    return 0;
}

// ---- The chooser window ------------------------------------------------------------------------

namespace {

constexpr int DBWZEILE = 48;  // list rows in dialog units
void (*dbwRueckruf[3])(const char*) = {nullptr, nullptr, nullptr};
char dbwTipp[3][ELZTIPPSUP + 1];
constexpr const char* dbwVorlage[3] = {"DB1232D", "DB1232P", "DB1232K"};

int dbwArt()
{
    char name[DLGNAMESUP + 1] = "";
    wiDlgName(name);
    for (int i = 0; i < 3; ++i)
        if (std::strcmp(name, dbwVorlage[i]) == 0) return i;
    return 0;
}

// The library of the window's kind: dispo, principle, or the editor's.
const char* dbwBib(int art)
{
    const bmvorgaben& v = BMVorgaben();
    return art == 0 ? v.bmdzus : art == 1 ? v.bmpzus : BefAktZustand()->bd;
}

// The pictures of the list's entries, drawn on demand, per window.
std::map<HWND, std::vector<HBITMAP>> dbwBilder;

HBITMAP dbwBild(int e)
{
    std::vector<HBITMAP>& v = dbwBilder[wiDlgFenster()];
    const int n = wiListeAnzahl(3000);
    if (e < 0 || e >= n) return 0;
    if (static_cast<int>(v.size()) != n) v.resize(static_cast<size_t>(n), 0);
    HBITMAP& b = v[static_cast<size_t>(e)];
    char t[BAUNAMSUP + 1] = "";
    if (b == 0 && SendMessage(wiItem(3000), LB_GETTEXTLEN, static_cast<WPARAM>(e), 0) <= BAUNAMSUP) {
        wiListeText(3000, e, t);
        int l = 0, o = 0, rr = 0, u = 0;
        wiItemClientRechteck(3000, &l, &o, &rr, &u);
        const int seite = std::min(rr - l - wiDlgEinheit(4), wiDlgEinheit(DBWZEILE - 11));
        b = BtlBitmap(t, std::max(seite, 20), nullptr, GetSysColor(COLOR_WINDOW), dbwBib(dbwArt()));
    }
    return b;
}

void dbwVorschau()
{
    const int n = wiListeWahl(3000);
    char t[BAUNAMSUP + 1] = "";
    if (n >= 0 && SendMessage(wiItem(3000), LB_GETTEXTLEN, static_cast<WPARAM>(n), 0) <= BAUNAMSUP) wiListeText(3000, n, t);
    BmdVorschau(t, dbwBib(dbwArt()));
}

int dbwInit(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    const int art = dbwArt();
    dbwTipp[art][0] = '\0';
    wiDlgTitelSetzen(Db1232Titel(art));
    std::vector<std::string> namen;
    {
        DbFuellen f;
        wiKnopfSetzen(2502, 1);
        wiKnopfSetzen(3002, 1);
        wiKnopfSetzen(3003, 1);
        char aktuell[BAUNAMSUP + 1] = "";
        strkopie(aktuell, sizeof aktuell, BefAktZustand()->bd, BAUNAMSUP);
        if (Db1232Namen(art, aktuell, &namen) == 0)
            for (const std::string& n : namen) wiListeAnhaengen(3000, n.c_str());
        if (!namen.empty()) wiListeWahlSetzen(3000, 0);
    }
    dbwVorschau();
    return 0;
}

int dbwExit()
{
    BmdVorschauEnde();
    for (HBITMAP b : dbwBilder[wiDlgFenster()])
        if (b != 0) DeleteObject(b);
    dbwBilder.erase(wiDlgFenster());
    DbDlgEnde(nullptr);
    return 0;
}

void dbwWaehlen()
{
    const int n = wiListeWahl(3000);
    if (n < 0) return;
    char t[BAUNAMSUP + 1] = "";
    HWND l = wiItem(3000);
    if (SendMessage(l, LB_GETTEXTLEN, static_cast<WPARAM>(n), 0) > BAUNAMSUP) return;
    wiListeText(3000, n, t);
    t[10] = '\0';
    const int art = dbwArt();
    const bool zu = wiKnopf(2502) != 0;
    if (dbwRueckruf[art]) dbwRueckruf[art](t);
    if (zu) wiDlgSchliessen();
}

int dbwBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_MEASUREITEM && static_cast<int>(wp) == 3000) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = static_cast<UINT>(wiDlgEinheit(DBWZEILE));
        return 1;
    }
    if (BildListeZeichnen(3000, nullptr, dbwBild, nachricht, static_cast<int>(wp), lp)) return 1;
    if (nachricht == WM_CHARTOITEM) return ElzTippSuche(nachricht, wp, 2510, 3010, dbwTipp[dbwArt()]);
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (!DbEnter()) dbwWaehlen();
        return 1;
    case 2500: dbwWaehlen(); return 1;
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    case 3000:
        if (HIWORD(wp) == LBN_DBLCLK) dbwWaehlen();
        if (HIWORD(wp) == LBN_SELCHANGE || HIWORD(wp) == LBN_DBLCLK) VorschauEntfernen();
        if (HIWORD(wp) == LBN_SELCHANGE) dbwVorschau();
        return 1;
    case 2510: {
        char such[ELZTIPPSUP + 1] = "";
        wiTextHolen(3010, such, ELZTIPPSUP);
        wiListeSuchen(3000, such, 1, 0, 0);
        return 1;
    }
    case 3002:
    case 3003:
    case 3070:
    case 3079: return BmdVorschauBefehl(LOWORD(wp), lp, 3000);
    default: return 0;
    }
}

}  // namespace

void DB1232Oeffnen(int art, void (*rueckruf)(const char* name))
{
    if (art < 0 || art > 2) return;
    dbwRueckruf[art] = rueckruf;
    if (HWND d = wiDlgSuchen(dbwVorlage[art])) {
        SetForegroundWindow(d);
        return;
    }
    EdtDialogOeffnen(dbwVorlage[art], dbwInit, dbwExit, dbwBefehl);
}
