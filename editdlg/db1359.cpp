// The sub-component list DB1359: the items that have a sub component of a
// given component name (all items when none is given), filtered by class
// and a search text; the selected item's components below. OK prepares the
// insertion of an unplaced sub component (UbzPlatzieren), which both lists
// and the preview also drag onto the drawing, the drop placing it as OK
// does; the contact
// mirror buttons generate an item's mirror or open its terminal texts.
// The sort mode of the item list is the editor setting the equipment list
// page sorts by: a switch in either window is written there and the other
// follows at its next refresh.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "equipment/app.h"
#include "editor/befausf.h"
#include "config/apstil.h"
#include "controls/elzeile.h"
#include "editdlg/vorschau.h"
#include "editdlg/bmdlg.h"
#include "editdlg/bmlisdlg.h"
#include "editdlg/bauliste.h"
#include "editdlg/bmlisten.h"
#include "editdlg/bmtexte.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editdlg/zuordnung.h"
#include "editor/edtseite.h"
#include "editor/ziehknopf.h"
#include "editor/kspiegel.h"
#include "equipment/apphaken.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/hauspindex.h"
#include "equipment/nhuliste.h"
#include "model/einstell.h"
#include "model/textvar.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/seitendienst.h"
#include "winlib/wiwerk.h"

namespace {

struct D59Zustand {
    HWND fenster = 0;
    std::string gezeigt;   // component name of DB1359Zeigen
    std::string suche;     // the last search text (3210)
    int zaehler = -1;
    std::string zeichnung;
    uint32_t geraet = 0;   // item of list 3200
    char code[BTLCDSUP + 1] = "_";
};
D59Zustand d59;

uint32_t d59Geraet(int zeile)
{
    const std::string f = BmdListeFeld(3100, zeile, 0);
    return f.empty() ? 0 : static_cast<uint32_t>(std::strtoul(f.c_str(), nullptr, 10));
}

void d59Knoepfe()
{
    const bool frei = std::strcmp(d59.code, "_") != 0 && d59.code[0];
    BmdKnopf(2500, frei, "BUTTOK", "OKGRAU");
    BmdKnopf(2503, wiListeWahl(3200) >= 0, "BUTTJUMP", "JUMPGRAU");
}

// Reads row `n` of 3200 back from its text.
bool d59Zeile(int n, int* platziert, uint32_t* id, char* code, int* nr, char* name)
{
    char z[200] = "";
    if (n < 0 || SendMessage(wiItem(3200), LB_GETTEXTLEN, static_cast<WPARAM>(n), 0) >= static_cast<LRESULT>(sizeof z))
        return false;
    wiListeText(3200, n, z);
    // The painter stops at the 0x03 behind the visible part; the reader
    // takes the row without it.
    if (char* m = std::strchr(z, '\x03')) std::memmove(m, m + 1, std::strlen(m));
    return Db1359ZeileLesen(z, platziert, id, code, BTLCDSUP + 1, nr, name, BTLTEXTSUP + 1) == 0;
}

void d59Nehmen()
{
    int platziert = 0, nr = 0;
    uint32_t id = 0;
    char code[BTLCDSUP + 1] = "", name[BTLTEXTSUP + 1] = "";
    strkopie(d59.code, "_", 2);
    {
        DbFuellen f;
        wiTextSetzen(3000, "");
        wiTextSetzen(3010, "");
        if (d59Zeile(wiListeWahl(3200), &platziert, &id, code, &nr, name)) {
            if (!platziert) strkopie(d59.code, sizeof d59.code, code, BTLCDSUP);
            wiTextSetzen(3000, name);
            appbteil e{};
            if (BtlSuchen(id, code, nr, &e) == 1) wiTextSetzen(3010, e.tt);
        }
    }
    BmdVorschauFeld();
    d59Knoepfe();
}

void d59Teile()
{
    const uint32_t id = d59Geraet(wiListeWahl(3100));
    const int vorher = id == d59.geraet ? wiListeWahl(3200) : -1;
    d59.geraet = id;
    const std::vector<appbteil> apl = id ? BmdTeile(id) : std::vector<appbteil>{};
    const std::string name = BmdFeldText(3130, 20).substr(0, 10);
    {
        DbFuellen f;
        wiListeLeeren(3200);
        int wahl = -1;
        for (size_t i = 0; i < apl.size(); ++i) {
            const appbteil& b = apl[i];
            char s[200];
            const std::string t = BmdTeilText(b);
            Db1359Zeile(s, sizeof s, t.c_str(), &b);
            std::string zeile = s;
            zeile.insert(static_cast<size_t>(DB1359SICHTBAR), 1, '\x03');
            wiListeAnhaengen(3200, zeile.c_str());
            if (wahl < 0 && !b.platziert && strnvgl(b.bl, name.c_str(), static_cast<int>(name.size())) == 0)
                wahl = static_cast<int>(i);
        }
        if (!apl.empty()) wiListeWahlSetzen(3200, vorher >= 0 && vorher < static_cast<int>(apl.size()) ? vorher : std::max(wahl, 0));
    }
    d59Nehmen();
}

void d59Fuellen()
{
    d59.zaehler = AppAenderZaehler();
    d59.zeichnung = AppZeiName();
    const uint32_t vorher = d59Geraet(wiListeWahl(3100));
    struct Lauf {
        int klasse;
        std::string such;
        uint32_t vorher;
        int wahl = -1, n = 0;
    } l{wiRadio(3120, 8), BmdFeldText(3210, 20), vorher};
    d59.suche = l.such;
    {
        DbFuellen f;
        wiListeLeeren(3100);
        HbkIndexAufbauen();
        HbkListeSortieren(wiRadio(3150, 3));
        const std::string name = BmdFeldText(3130, 20);
        if (name.empty()) {
            GesDurchlaufen([](const appgeraet* g, void*) { HbkListeDazu(g); }, nullptr);
        } else {
            BtlUnterNachName(
                name.c_str(), wiKnopf(3140),
                [](uint32_t id, void*) {
                    appgeraet g{};
                    if (GesHolen(id, &g) == 0) HbkListeDazu(&g);
                },
                nullptr);
        }
        HbkListeDurchlaufen(
            [](const hbkzeile* z, void* u) {
                auto* l = static_cast<Lauf*>(u);
                if (!BmdKlasse(z->geraet, l->klasse)) return 1;
                std::string zeile;
                HulZeileFormatierenMit(&z->geraet, z->kenn, &z->haupt, zeile, 1, ElzPfadModus(), nullptr);
                std::string sichtbar = zeile.substr(0, std::min<size_t>(zeile.size(), BMDSICHTBAR));
                if (!l->such.empty()) {
                    HulZeileLaden(zeile.c_str());
                    if (strposi(sichtbar.c_str(), l->such.c_str()) < 0 && !HulZeileSuchen(l->such.c_str(), 1)) return 1;
                }
                wiListeAnhaengen(3100, BmdZeile(sichtbar, {std::to_string(z->geraet.id)}).c_str());
                if (z->geraet.id == l->vorher) l->wahl = l->n;
                ++l->n;
                return 1;  // 0 would end the walk at the first row
            },
            &l);
        HbkIndexFrei();
        if (l.n > 0) wiListeWahlSetzen(3100, std::max(l.wahl, 0));
    }
    d59Teile();
}

int d59Sortierung() { return std::clamp(EdEinst()->bmsort, 0, 2); }

// A switch of radio group 3150: the shared setting takes it, the page
// follows at the refresh asked for here.
void d59SortierungGewechselt()
{
    if (wiRadio(3150, 3) == d59Sortierung()) return;
    EdEinst()->bmsort = wiRadio(3150, 3);
    wiSeiteVerteilen(2999, 0);
    d59Fuellen();
}

void d59Setzen()
{
    if (std::strcmp(d59.code, "_") == 0 || !d59.geraet) return;
    const std::string name = BmdFeldText(3000, 20);
    UbzPlatzieren(d59.geraet, name.c_str(), d59.code, wiWinkelHolen(3060));
    EdtFokus();
}

// What a drag carries: the taken component, none while OK has nothing to
// place.
std::string d59ZiehName()
{
    if (std::strcmp(d59.code, "_") == 0 || !d59.geraet) return {};
    return BmdFeldText(3000, 20);
}

void d59Springen()
{
    int platziert = 0, nr = 0;
    uint32_t id = 0;
    char code[BTLCDSUP + 1] = "", name[BTLTEXTSUP + 1] = "";
    if (!d59Zeile(wiListeWahl(3200), &platziert, &id, code, &nr, name) || !platziert) return;
    appbteil e{};
    if (BtlSuchen(id, code, nr, &e) == 1 && strvgl(e.ze, AppZeiName()) == 0) StartpunktSetzen(e.x, e.y);
}

// Contact mirror (2506 vertical, 2507 horizontal) or the terminal texts.
void d59Spiegel(int befehl)
{
    appgeraet g{};
    if (!d59.geraet || GesHolen(d59.geraet, &g) != 0) return;
    if (g.n1 == 2 || g.n1 == 4)
        DB1358Oeffnen(d59.geraet, befehl == 2506 ? 1 : 0);
    else
        KspiegelErzeugen(d59.geraet, befehl == 2507 ? 1 : 0);
}

int d59Init(int, const char* const*)
{
    DbDlgAnfang(DBBETRMITTEL);
    d59.fenster = wiDlgFenster();
    d59.geraet = 0;
    {
        DbFuellen f;
        wiKnopfSetzen(3002, 1);
        wiKnopfSetzen(3003, 1);
        wiTextSetzen(3060, "0");
        wiRadioSetzen(3120, 0, 8);
        wiRadioSetzen(3150, d59Sortierung(), 3);
        wiTextSetzen(3130, d59.gezeigt.c_str());
        wiTextSetzen(3210, d59.suche.c_str());
    }
    BliZiehQuelle(3100, 3101);
    BliZiehQuelle(3200, 3201);
    d59Fuellen();
    return 0;
}

int d59Exit()
{
    d59.fenster = 0;
    ZiehKnopfAbmelden(3100);
    ZiehKnopfAbmelden(3200);
    BmdVorschauEnde();
    DbDlgEnde(DBBETRMITTEL);
    return 0;
}

int d59Befehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (int r = BmdOwnerDraw(nachricht, wp, lp, {3100, 3200})) return r;
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    switch (id) {
    case 1:
        if (DbEnter()) return 1;
        if (wiFokusId() == 3110 || wiFokusId() == 3210 || wiFokusId() == 3130)
            d59Fuellen();
        else
            d59Setzen();
        return 1;
    case 2: EdtFokus(); return 1;
    case 2500: d59Setzen(); return 1;
    case 2501: wiDlgSchliessen(); return 1;
    case 2503: d59Springen(); return 1;
    case 2505: {
        const std::string such = BmdFeldText(3110, 20);
        if (wiListeSuchen(3100, such.c_str(), 1, 0, BMDSICHTBAR) >= 0) d59Teile();
        return 1;
    }
    case 2506:
    case 2507: d59Spiegel(id); return 1;
    case 2512:
        {
            DbFuellen f;
            wiTextSetzen(3130, d59.gezeigt.c_str());
            wiRadioSetzen(3120, 0, 8);
        }
        d59Fuellen();
        return 1;
    case 2999:
        if (wiRadio(3150, 3) != d59Sortierung()) {
            {
                DbFuellen f;
                wiRadioSetzen(3150, d59Sortierung(), 3);
            }
            d59Fuellen();
        } else if (AppAenderZaehler() != d59.zaehler || d59.zeichnung != AppZeiName()) {
            d59Fuellen();
        }
        return 1;
    case 3100:
        if (!DbFuellt() && (HIWORD(wp) == LBN_SELCHANGE || HIWORD(wp) == LBN_DBLCLK)) d59Teile();
        return 1;
    case 3200:
        if (!DbFuellt() && (HIWORD(wp) == LBN_SELCHANGE || HIWORD(wp) == LBN_DBLCLK)) d59Nehmen();
        if (!DbFuellt() && HIWORD(wp) == LBN_DBLCLK) d59Setzen();
        return 1;
    case 3150:
    case 3151:
    case 3152:
        if (!DbFuellt()) d59SortierungGewechselt();
        return 1;
    case 3140:
    case 3120:
    case 3121:
    case 3122:
    case 3123:
    case 3124:
    case 3125:
    case 3126:
    case 3127:
        if (!DbFuellt()) d59Fuellen();
        return 1;
    case 3101:
    case 3201: BliZiehen(static_cast<int>(lp), id - 1, d59ZiehName().c_str(), 2500); return 1;
    case 3070: return BmdVorschauZiehBefehl(lp, d59ZiehName().c_str());
    case 3002:
    case 3003:
    case 3079: return BmdVorschauBefehl(id, lp);
    default: return 0;
    }
}

}  // namespace

void DB1359Oeffnen()
{
    BmdOeffnen(d59.fenster, "DB1359", d59Init, d59Exit, d59Befehl);
}

void DB1359SortierungFolgen()
{
    if (d59.fenster) PostMessage(d59.fenster, WM_COMMAND, 2999, 0);
}

void DB1359Zeigen(const char* name)
{
    d59.gezeigt = name ? name : "";
    if (d59.fenster)
        PostMessage(d59.fenster, WM_COMMAND, 2512, 0);
    else
        DB1359Oeffnen();
}
