// The main-component list DB1351: the equipment definitions that use a
// component, filtered by a typed text; OK prepares the insertion of a new
// main component of the selected definition (HbzPlatzieren), which the
// user then places in the drawing. The list and the preview drag the
// definition's component onto the drawing, where the drop places it as OK
// does.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editdlg/wahl.h"
#include "equipment/app.h"
#include "config/apstil.h"
#include "editdlg/vorschau.h"
#include "editdlg/bmdlg.h"
#include "editdlg/bauliste.h"
#include "editdlg/bmlisten.h"
#include "editdlg/db1232.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editdlg/zuordnung.h"
#include "editor/edtseite.h"
#include "editor/ziehknopf.h"
#include "equipment/apphaken.h"
#include "equipment/bm.h"
#include "equipment/definier.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "project/rschreib.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"

namespace {

struct D51Zustand {
    HWND fenster = 0;
    int alleTexte = -1;  // check box 3130, kept until the program ends; -1 until read
    int gemerkt = -1;    // definition of DB1351Zeigen
    int generation = -1;
    int zaehler = -1;
    std::string zeichnung;
};
D51Zustand d51;

std::string d51Gross(std::string s)
{
    for (char& c : s) c = static_cast<char>(zgross(static_cast<unsigned char>(c)));
    return s;
}

// Whether definition `def` holds `text` (upper-cased) in the fields the
// filter and the search look at.
bool d51Passt(int def, const std::string& text, bool alle)
{
    if (text.empty()) return true;
    char bauteil[DEFNAMESUP + 1] = "", typ[DEFNAMESUP + 1] = "", k1[DEFTEXTSUP + 1] = "", k2[DEFTEXTSUP + 1] = "",
         kurz[DEFNAMESUP + 1] = "";
    char t[5][DEFTEXTSUP + 1] = {};
    DefFelderHolen(def, bauteil, typ, k1, k2, kurz, t[0], t[1], t[2], t[3], t[4]);
    const char* felder[] = {bauteil, typ, k1, k2, t[0], t[1], t[2], t[3], t[4]};
    const int n = alle ? 9 : 5;
    for (int i = 0; i < n; ++i)
        if (d51Gross(felder[i]).find(text) != std::string::npos) return true;
    return false;
}

int d51Nummer(int zeile)
{
    const std::string f = BmdListeFeld(3100, zeile, 0);
    return f.empty() ? -1 : std::atoi(f.c_str());
}

void d51Leeren()
{
    DbFuellen f;
    for (int id : {3000, 3010, 3020, 3021, 3022, 3023, 3024, 3030, 3032, 3040}) wiTextSetzen(id, "");
    wiListeLeeren(3200);
    wiZahlSetzen(3090, -1);
    BmdVorschau("");
}

void d51Knoepfe()
{
    BmdKnopf(2500, wiZahlHolen(3090) >= 0, "BUTTOK", "OKGRAU");
}

void d51Zeigen(int zeile)
{
    const int def = d51Nummer(zeile);
    if (def < 0) {
        d51Leeren();
        d51Knoepfe();
        return;
    }
    {
        DbFuellen f;
        wiZahlSetzen(3090, def);
        BmdDefZeigen(def, true);
    }
    d51Knoepfe();
}

// Rebuilds the list under the filter; the selection stays on its
// definition when it is still listed.
void d51Fuellen()
{
    d51.generation = DefGeneration();
    d51.zaehler = AppAenderZaehler();
    d51.zeichnung = AppZeiName();
    const int vorher = d51Nummer(wiListeWahl(3100));
    const std::string filter = d51Gross(BmdFeldText(3120, 20));
    struct Lauf {
        std::string filter;
        bool alle;
        int vorher, wahl = -1, n = 0;
    } l{filter, d51.alleTexte != 0, vorher};
    {
        DbFuellen f;
        wiListeLeeren(3100);
        DefAlleUnterDurchlaufen(
            "",
            [](int n, void* u) {
                auto* l = static_cast<Lauf*>(u);
                if (!d51Passt(n, l->filter, l->alle)) return;
                char bauteil[DEFNAMESUP + 1] = "", typ[DEFNAMESUP + 1] = "", k1[DEFTEXTSUP + 1], k2[DEFTEXTSUP + 1],
                     kurz[DEFNAMESUP + 1], t1[DEFTEXTSUP + 1] = "";
                DefFelderHolen(n, bauteil, typ, k1, k2, kurz, t1);
                if (!bauteil[0]) return;
                char z[64];
                std::snprintf(z, sizeof z, "%-10.10s %-40.40s", typ, t1);
                wiListeAnhaengen(3100, BmdZeile(z, {std::to_string(n), "=" + std::to_string(n) + "="}).c_str());
                if (n == l->vorher) l->wahl = l->n;
                ++l->n;
            },
            &l, 1);
        if (l.n > 0) wiListeWahlSetzen(3100, l.wahl >= 0 ? l.wahl : 0);
    }
    d51Zeigen(l.n > 0 ? wiListeWahl(3100) : -1);
}

void d51Suchen()
{
    const std::string such = d51Gross(BmdFeldText(3110, 20));
    const int n = wiListeAnzahl(3100);
    for (int i = wiListeWahl(3100) + 1; i < n; ++i)
        if (d51Passt(d51Nummer(i), such, true)) {
            wiListeWahlSetzen(3100, i);
            d51Zeigen(i);
            return;
        }
}

void d51Gemerkten()
{
    const std::string soll = "=" + std::to_string(d51.gemerkt) + "=";
    const int n = wiListeAnzahl(3100);
    for (int i = 0; i < n; ++i)
        if (BmdListeFeld(3100, i, 1) == soll) {
            wiListeWahlSetzen(3100, i);
            d51Zeigen(i);
            return;
        }
}

void d51Platzieren()
{
    const int def = wiZahlHolen(3090);
    if (def < 0 || wiListeAnzahl(3100) == 0) return;
    AppDefTexte t{};
    strkopie(t.lt, sizeof t.lt, BmdFeldText(3040, 20).c_str(), 20);
    strkopie(t.dispo, sizeof t.dispo, BmdFeldText(3030, 20).c_str(), 20);
    strkopie(t.prinzip, sizeof t.prinzip, BmdFeldText(3032, 20).c_str(), 20);
    for (int i = 0; i < 5; ++i) strkopie(t.haupt[i], sizeof t.haupt[i], BmdFeldText(3020 + i, 40).c_str(), 40);
    HbzPlatzieren(def, wiWinkelHolen(3060), &t);
    EdtFokus();
}

// What a drag carries: the component of the shown definition, none while
// OK has nothing to place.
std::string d51ZiehName() { return wiZahlHolen(3090) >= 0 ? BmdFeldText(3000, DEFNAMESUP) : std::string(); }

void d51Nachricht(int befehl, const char* text)
{
    static std::string puffer;
    puffer = text ? text : "";
    if (d51.fenster)
        SendMessage(d51.fenster, WM_COMMAND, static_cast<WPARAM>(befehl), reinterpret_cast<LPARAM>(puffer.c_str()));
}

int d51Init(int, const char* const*)
{
    DbDlgAnfang(DBBETRMITTEL);
    d51.fenster = wiDlgFenster();
    if (d51.alleTexte < 0) d51.alleTexte = BMVorgaben().zeiflt ? 1 : 0;
    const bmvorgaben& v = BMVorgaben();
    const struct {
        int an, feld, knopf;
    } aus[] = {{v.bmduse, 3030, 2508}, {v.bmpuse, 3032, 2509}, {v.bmluse, 3040, 2502}};
    for (const auto& a : aus)
        if (!a.an) wiItemFrei(a.feld, 0), wiItemFrei(a.knopf, 0);
    {
        DbFuellen f;
        wiKnopfSetzen(3002, 1);
        wiKnopfSetzen(3003, 1);
        wiKnopfSetzen(3130, d51.alleTexte);
        wiTextSetzen(3060, "0");
    }
    if (RsStarten()) {
        for (int i = 0; i < 5; ++i) {
            char name[24];
            std::snprintf(name, sizeof name, "Text %d", i + 1);
            RsFeldAnmelden(3020 + i, name, 1);
        }
    }
    BliZiehQuelle(3100, 3101);
    d51Fuellen();
    if (d51.gemerkt >= 0) d51Gemerkten();
    return 0;
}

int d51Exit()
{
    d51.fenster = 0;
    ZiehKnopfAbmelden(3100);
    BmdVorschauEnde();
    DbDlgEnde(DBBETRMITTEL);
    return 0;
}

int d51Befehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (int r = BmdOwnerDraw(nachricht, wp, lp, {3100, 3200})) return r;
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    switch (id) {
    case 1:
        if (DbEnter()) return 1;
        if (wiFokusId() == 3110)
            d51Suchen();
        else
            PostMessage(d51.fenster, WM_COMMAND, 2500, 0);
        return 1;
    case 2: EdtFokus(); return 1;
    case 2501: wiDlgSchliessen(); return 1;
    case 2500:
        if (wiZahlHolen(3090) < 0) return 1;
        RsVorAnwenden(2504, d51Platzieren);
        return 1;
    case 2504: d51Platzieren(); return 1;
    case 2502: DB1210Oeffnen([](const char* t) { d51Nachricht(2511, t); }); return 1;
    case 2508: DB1232Oeffnen(0, [](const char* t) { d51Nachricht(2515, t); }); return 1;
    case 2509: DB1232Oeffnen(1, [](const char* t) { d51Nachricht(2516, t); }); return 1;
    case 2511:
    case 2515:
    case 2516: {
        std::string w = lp ? reinterpret_cast<const char*>(lp) : "";
        w.resize(std::min<size_t>(w.size(), id == 2511 ? 20 : 10));
        wiTextSetzen(id == 2511 ? 3040 : id == 2515 ? 3030 : 3032, w.c_str());
        return 1;
    }
    case 2505: d51Suchen(); return 1;
    case 2512: d51Gemerkten(); return 1;
    case 2999:
        if (DefGeneration() != d51.generation || AppAenderZaehler() != d51.zaehler || d51.zeichnung != AppZeiName())
            d51Fuellen();
        return 1;
    case 3100:
        if (!DbFuellt() && (HIWORD(wp) == LBN_SELCHANGE || HIWORD(wp) == LBN_DBLCLK)) d51Zeigen(wiListeWahl(3100));
        if (!DbFuellt() && HIWORD(wp) == LBN_DBLCLK) PostMessage(d51.fenster, WM_COMMAND, 2500, 0);
        return 1;
    case 3120:
        if (!DbFuellt() && HIWORD(wp) == EN_CHANGE) d51Fuellen();
        return 1;
    case 3130:
        if (DbFuellt()) return 1;
        d51.alleTexte = wiKnopf(3130) ? 1 : 0;
        d51Fuellen();
        return 1;
    case 3101: BliZiehen(static_cast<int>(lp), 3100, d51ZiehName().c_str(), 2500); return 1;
    case 3070: return BmdVorschauZiehBefehl(lp, d51ZiehName().c_str());
    case 3002:
    case 3003:
    case 3079: return BmdVorschauBefehl(id, lp);
    default: return 0;
    }
}

}  // namespace

void DB1351Oeffnen()
{
    BmdOeffnen(d51.fenster, "DB1351", d51Init, d51Exit, d51Befehl);
}

void DB1351Zeigen(int def)
{
    d51.gemerkt = def;
    if (d51.fenster)
        PostMessage(d51.fenster, WM_COMMAND, 2512, 0);
    else
        DB1351Oeffnen();
}
