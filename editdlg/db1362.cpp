// The dispo and principle lists DB1355 and DB1362: the items that have a
// dispo ("D") or principle ("P") component; OK places an unplaced one,
// jump goes to a placed one (asking before another sheet is opened); the
// list and the preview drag an unplaced one onto the drawing, the drop
// placing it as OK does. While open, the editor works in the kind's own
// library.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/vergleich.h"
#include "equipment/definier.h"
#include "equipment/app.h"
#include "config/apstil.h"
#include "controls/elzeile.h"
#include "editdlg/vorschau.h"
#include "editdlg/bmdlg.h"
#include "editdlg/bmlisdlg.h"
#include "editdlg/bauliste.h"
#include "editdlg/bmlisten.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editdlg/zuordnung.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "editor/ziehknopf.h"
#include "equipment/apphaken.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "model/beffifo.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"

namespace {

struct D62Art {
    const char* vorlage;
    const char* code;
    HWND fenster = 0;
    Db1362Bib bib{};
    int zaehler = -1;
    std::string zeichnung;
};
D62Art d62[2] = {{"DB1355", "D", 0, {}, -1, {}}, {"DB1362", "P", 0, {}, -1, {}}};

D62Art& d62Akt()
{
    char name[DLGNAMESUP + 1] = "";
    wiDlgName(name);
    return std::strcmp(name, "DB1355") == 0 ? d62[0] : d62[1];
}

struct D62Lauf {
    const char* code;
    int gesetzte;
};

void d62Zeile(const appgeraet* g, void* u)
{
    const auto* l = static_cast<const D62Lauf*>(u);
    appbteil e{};
    if (BtlSuchen(g->id, l->code, 0, &e) != 1) return;
    if (e.platziert && !l->gesetzte) return;
    char kenn[HULKENNSUP + 1] = "", k[24] = "", text[DEFTEXTSUP + 1] = "", name[16];
    modh::BMKennungHolen(kenn, sizeof kenn, g->id);
    Db1362Kennung(k, sizeof k, kenn);
    GtxHauptText(g->id, 0, text, sizeof text);
    LRefAufloesen(g->id, text, sizeof text);
    std::snprintf(name, sizeof name, "%-12.10s", e.bl);
    std::string z = std::string(k) + name + text;
    z.resize(BMDSICHTBAR, ' ');
    HulZeilePosition(g->id, z, ElzPfadModus());
    char x[32], y[32];
    std::snprintf(x, sizeof x, "%.3f", e.x);
    std::snprintf(y, sizeof y, "%.3f", e.y);
    wiListeAnhaengen(3100, BmdZeile(z, {e.bl, std::to_string(g->id), e.platziert ? "1" : "0", e.ze, x, y}).c_str());
}

void d62Zeigen()
{
    const int n = wiListeWahl(3100);
    DbFuellen f;
    for (int id : {3040, 3000, 3010, 3020, 3030, 3090, 3091}) wiTextSetzen(id, "");
    bool setzen = false, springen = false;
    if (n >= 0) {
        char z[300] = "";
        if (SendMessage(wiItem(3100), LB_GETTEXTLEN, static_cast<WPARAM>(n), 0) < static_cast<LRESULT>(sizeof z))
            wiListeText(3100, n, z);
        char wort[64] = "";
        std::sscanf(z, "%63s", wort);
        wiTextSetzen(3040, wort);
        wiTextSetzen(3000, BmdListeFeld(3100, n, 0).c_str());
        wiTextSetzen(3090, BmdListeFeld(3100, n, 1).c_str());
        const bool platziert = BmdListeFeld(3100, n, 2) == "1";
        wiTextSetzen(3091, platziert ? "1" : "0");
        if (platziert) {
            wiTextSetzen(3010, BmdListeFeld(3100, n, 3).c_str());
            wiTextSetzen(3020, BmdListeFeld(3100, n, 4).c_str());
            wiTextSetzen(3030, BmdListeFeld(3100, n, 5).c_str());
            springen = true;
        } else {
            setzen = true;
        }
    }
    const bmvorgaben& v = BMVorgaben();
    BmdVorschau(BmdFeldText(3000, ZUONAMSUP).c_str(), d62Akt().code[0] == 'D' ? v.bmdzus : v.bmpzus);
    BmdKnopf(2500, setzen, "BUTTOK", "OKGRAU");
    BmdKnopf(2502, springen, "BUTTJUMP", "JUMPGRAU");
}

// Rebuilds the list; the top row and the selection stay.
void d62Fuellen()
{
    D62Art& a = d62Akt();
    a.zaehler = AppAenderZaehler();
    a.zeichnung = AppZeiName();
    const int oben = wiListeOben(3100), wahl = wiListeWahl(3100);
    {
        DbFuellen f;
        wiListeLeeren(3100);
        D62Lauf l{a.code, wiKnopf(3120)};
        GesDurchlaufen(d62Zeile, &l);
        const int n = wiListeAnzahl(3100);
        if (n > 0) {
            wiListeWahlSetzen(3100, wahl >= 0 && wahl < n ? wahl : 0);
            if (oben > 0 && oben < n) wiListeObenSetzen(3100, oben);
        }
    }
    d62Zeigen();
}

// The selected row's item while its entry is unplaced (else 0), with the
// entry's component: what OK places and a drag carries.
long d62Frei(std::string* name)
{
    const int n = wiListeWahl(3100);
    if (n < 0 || BmdListeFeld(3100, n, 2) != "0") return 0;
    const long id = std::atol(BmdListeFeld(3100, n, 1).c_str());
    if (id < 1) return 0;
    *name = BmdListeFeld(3100, n, 0).substr(0, 10);
    return id;
}

void d62Setzen()
{
    std::string name;
    const long id = d62Frei(&name);
    if (id < 1) return;
    UbzPlatzieren(static_cast<uint32_t>(id), name.c_str(), d62Akt().code, 0);
    EdtFokus();
}

std::string d62ZiehName()
{
    std::string name;
    return d62Frei(&name) > 0 ? name : std::string();
}

// The drawing key of another sheet is opened only when the user agrees;
// "no" leaves drawing and start point as they are.
void d62Springen()
{
    const std::string ze = BmdFeldText(3010, 40);
    if (ze.empty()) return;
    BmdSpringen(ze.c_str(), std::atof(BmdFeldText(3020, 20).c_str()), std::atof(BmdFeldText(3030, 20).c_str()));
}

int d62Init(int, const char* const*)
{
    DbDlgAnfang(DBBETRMITTEL);
    D62Art& a = d62Akt();
    a.fenster = wiDlgFenster();
    const bmvorgaben& v = BMVorgaben();
    Db1362BibOeffnen(&a.bib, a.code[0] == 'D' ? v.bmdzus : v.bmpzus, BefAktZustand()->bd);
    {
        DbFuellen f;
        wiKnopfSetzen(3002, 1);
        wiKnopfSetzen(3003, 1);
    }
    BliZiehQuelle(3100, 3101);
    d62Fuellen();
    return 0;
}

int d62Exit()
{
    D62Art& a = d62Akt();
    Db1362BibSchliessen(&a.bib);
    a.fenster = 0;
    ZiehKnopfAbmelden(3100);
    BmdVorschauEnde();
    DbDlgEnde(DBBETRMITTEL);
    return 0;
}

int d62Befehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (int r = BmdOwnerDraw(nachricht, wp, lp, {3100})) return r;
    if (nachricht != WM_COMMAND) return 0;
    D62Art& a = d62Akt();
    switch (LOWORD(wp)) {
    case 1:
        if (DbEnter()) return 1;
        if (wiFokusId() == 3110)
            PostMessage(a.fenster, WM_COMMAND, 2505, 0);
        else
            d62Setzen();
        return 1;
    case 2: EdtFokus(); return 1;
    case 2500: d62Setzen(); return 1;
    case 2501: wiDlgSchliessen(); return 1;
    case 2502: d62Springen(); return 1;
    case 2505: {
        const std::string such = BmdFeldText(3110, 20);
        if (wiListeSuchen(3100, such.c_str(), 1, 0, BMDSICHTBAR) >= 0) d62Zeigen();
        return 1;
    }
    case 2999:
        if (AppAenderZaehler() != a.zaehler || a.zeichnung != AppZeiName()) d62Fuellen();
        return 1;
    case 3100:
        if (!DbFuellt() && (HIWORD(wp) == LBN_SELCHANGE || HIWORD(wp) == LBN_DBLCLK)) d62Zeigen();
        return 1;
    case 3120:
        if (!DbFuellt()) d62Fuellen();
        return 1;
    case 3101: BliZiehen(static_cast<int>(lp), 3100, d62ZiehName().c_str(), 2500); return 1;
    case 3070: return BmdVorschauZiehBefehl(lp, d62ZiehName().c_str());
    case 3002:
    case 3003:
    case 3079: return BmdVorschauBefehl(LOWORD(wp), lp);
    default: return 0;
    }
}

void d62Oeffnen(int art)
{
    BmdOeffnen(d62[art].fenster, d62[art].vorlage, d62Init, d62Exit, d62Befehl);
}

}  // namespace

void DB1355Oeffnen() { d62Oeffnen(0); }
void DB1362Oeffnen() { d62Oeffnen(1); }
