// The equipment list page (see bmlbearb.h): item list, item panel,
// component list and detail. The frame is in bmlrahmen.cpp.
#include "lists/bmlbearb.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "config/apstil.h"
#include "config/datwache.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "controls/elzeile.h"
#include "editdlg/zuoplatz.h"
#include "editor/befausf.h"
#include "editdlg/bmtcopy.h"
#include "editdlg/bmtext.h"
#include "editdlg/bmlisdlg.h"
#include "editdlg/bmtexte.h"
#include "editdlg/db1232.h"
#include "editdlg/popup.h"
#include "editdlg/vorschau.h"
#include "editdlg/wahl.h"
#include "editdlg/zuordnung.h"
#include "editor/edtaufrufe.h"
#include "editor/edtseite.h"
#include "editor/kspiegel.h"
#include "editor/texte.h"
#include "editor/ziehknopf.h"
#include "equipment/app.h"
#include "equipment/apphaken.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/hauspindex.h"
#include "equipment/lagerart.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "lists/bmlaufruf.h"
#include "lists/bmlint.h"
#include "lists/bmmerge.h"
#include "model/beffifo.h"
#include "model/befehl.h"
#include "model/einstell.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/gdi.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/wiwerk.h"

namespace {

// One row of the component list (module-local).
struct apparat {
    uint32_t id;
    char cd[4];
    int32_t nr;
    int32_t zeile;
    int32_t platziert;
    int32_t art;   // 0 main, 1 other component, 2 text line of the component above
};

struct BmlZustand {
    uint32_t id = 0;
    int typ = 0;
    uint32_t gehezu = 0;
    uint32_t gefolgt = 0;
    char filter[BMLFILTERSUP + 1] = "";
    int typFilter = 1;
    int letzterTypFilter = -1;
    int alleTexte = 1;
    int zaehler = -1;
    int sprache = -1;
    std::string projekt;
    int modus = -1;
    int texteGesperrt = 0;     // the five main texts are shown resolved, read-only
    int untSort[8] = {};
    int ziehen = 0;            // a drag may start from the selected row
    HWND grossVorschau = 0;    // the big preview 3409, 0 when none
    bool gelb[5] = {};         // main text lines whose stored text holds a 0x04
    bool spracheGelb = false;  // the language label while a language is chosen
    HBRUSH gelbPinsel = 0;
    std::vector<uint32_t> ids;
    std::vector<std::string> zeilen;   // whole rows, id at column 80
    std::vector<apparat> bauteile;
};
BmlZustand bz;

constexpr int BML_LISTE = 3100;
constexpr int BML_BAUTEILE = 3200;

// ---- item list ---------------------------------------------------------------------------

int bmlTypFilterLesen()
{
    for (int i = 0; i < 8; ++i)
        if (wiKnopf(3120 + i)) return i;
    return 1;
}

// 0 both, 1 internal only ("Extern" cleared), 2 external only.
int bmlIntExt()
{
    const int in = wiKnopf(3140), ex = wiKnopf(3141);
    return in && ex ? 0 : in ? 1 : 2;
}

struct BmlLauf {
    int typFilter;
    int intext;
    const char* filter;
    int alleTexte;
    std::vector<std::string>* zeilen;
    std::vector<uint32_t>* ids;
};
BmlLauf* bmlLauf = nullptr;

int bmlZeileDazu(const hbkzeile* z, void*)
{
    std::string s;
    HulZeileFormatierenMit(&z->geraet, z->kenn, &z->haupt, s, 0, ElzPfadModus(), nullptr);
    if (bmlLauf->filter && bmlLauf->filter[0] && !BmlZeilePasst(s, bmlLauf->filter, bmlLauf->alleTexte)) return 1;
    if (static_cast<int>(bmlLauf->ids->size()) >= BMLIDSUP) return 1;
    bmlLauf->zeilen->push_back(std::move(s));
    bmlLauf->ids->push_back(z->geraet.id);
    return 1;
}

void bmlListeFuellen()
{
    SendMessage(wiItem(BML_LISTE), WM_SETREDRAW, FALSE, 0);
    wiListeLeeren(BML_LISTE);
    for (const std::string& z : bz.zeilen) wiListeAnhaengen(BML_LISTE, z.substr(0, HULZEILESUP).c_str());
    SendMessage(wiItem(BML_LISTE), WM_SETREDRAW, TRUE, 0);
    // Switching redrawing on repaints nothing by itself: rows of the last
    // filling would stay on screen until each is drawn again.
    InvalidateRect(wiItem(BML_LISTE), nullptr, TRUE);
    wiItemAuffrischen(BML_LISTE);
}

int bmlZeileVonId(uint32_t id)
{
    for (size_t i = 0; i < bz.ids.size(); ++i)
        if (bz.ids[i] == id) return static_cast<int>(i);
    return -1;
}

void bmlLaden();

void bmlAufbauen()
{
    const int oben = wiListeOben(BML_LISTE);
    const int wahl = wiListeWahl(BML_LISTE);
    const uint32_t wahlId = wahl >= 0 && wahl < static_cast<int>(bz.ids.size()) ? bz.ids[static_cast<size_t>(wahl)] : 0;
    bz.typFilter = bmlTypFilterLesen();
    const bool filterNeu = bz.typFilter != bz.letzterTypFilter;
    bz.letzterTypFilter = bz.typFilter;
    std::vector<std::string> zeilen;
    std::vector<uint32_t> ids;
    BmlZeilenBauen(bz.typFilter, bmlIntExt(), bz.filter, bz.alleTexte, wiRadio(3130, 3), zeilen, ids);
    bz.zeilen = std::move(zeilen);
    bz.ids = std::move(ids);
    bmlListeFuellen();
    int neu = 0;
    if (wahl >= 0 && !filterNeu) {
        wiListeObenSetzen(BML_LISTE, oben);
        const int z = bmlZeileVonId(wahlId);
        neu = z >= 0 ? z : std::min(wahl, static_cast<int>(bz.ids.size()) - 1);
    }
    if (bz.gehezu) {
        const int z = bmlZeileVonId(bz.gehezu);
        if (z >= 0) neu = z;
        bz.gehezu = 0;
    }
    wiListeWahlSetzen(BML_LISTE, bz.ids.empty() ? -1 : neu);
    bmlLaden();
}

// ---- item panel --------------------------------------------------------------------------

void bmlBildKnopf(int id, int frei, const char* an, const char* aus)
{
    wiItemFrei(id, frei);
    wiKnopfFreiBild(id, frei, aus, an);
}

// The yellow lines and the language label are plain controls, which would
// take a colour command as their text: their colour comes with WM_CTLCOLOR*.
void bmlGelbSetzen(int id, bool gelb)
{
    if (id == 3129) bz.spracheGelb = gelb;
    else bz.gelb[id - 3020] = gelb;
    InvalidateRect(wiItem(id), nullptr, TRUE);
}

int bmlFarbe(WPARAM wp, LPARAM lp)
{
    const HWND c = static_cast<HWND>(lp);
    bool gelb = bz.spracheGelb && c == wiItem(3129);
    for (int i = 0; i < 5 && !gelb; ++i) gelb = bz.gelb[i] && c == wiItem(3020 + i);
    if (!gelb || !bz.gelbPinsel) return 0;
    HDC dc = static_cast<HDC>(wp);
    SetBkColor(dc, RGB(255, 255, 0));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return static_cast<int>(bz.gelbPinsel);
}

void bmlTexteZeigen()
{
    int unterschied = 0;
    char roh[5][GTXNACHSUP + 1], aufg[5][GTXNACHSUP + 1];
    for (int i = 0; i < 5; ++i) {
        GtxHauptTextRoh(bz.id, i, roh[i], sizeof roh[i]);
        GtxHauptText(bz.id, i, aufg[i], sizeof aufg[i]);
        if (std::strcmp(roh[i], aufg[i]) != 0) unterschied = 1;
    }
    const BmtAnsicht a = BmtAnsichtWaehlen(unterschied);
    bmlBildKnopf(2522, a.umschaltbar, a.bild, a.umschaltbar ? a.bild : a.bildAus);
    bz.texteGesperrt = a.nurLesen;
    for (int i = 0; i < 5; ++i) {
        char t[GTXNACHSUP + 1], egal[GTXNACHSUP + 1];
        BmtAnzeigeText(a.roh ? roh[i] : aufg[i], t, sizeof t);
        wiTextSetzen(3020 + i, t);
        bmlGelbSetzen(3020 + i, BmtAnzeigeText(roh[i], egal, sizeof egal) != 0);
        SendMessage(wiItem(3020 + i), EM_SETREADONLY, a.nurLesen ? TRUE : FALSE, 0);
    }
}

void bmlBauteileAufbauen();

void bmlLeeren()
{
    bz.id = 0;
    bz.typ = 0;
    for (int id : {3000, 3010, 3030, 3060, 3061, 3070, 3080, 3020, 3021, 3022, 3023, 3024, 3075, 3076, 3077, 3078})
        wiTextSetzen(id, "");
    for (int i = 0; i < 5; ++i) bmlGelbSetzen(3020 + i, false);
    wiKnopfSetzen(3065, 0);
    bmlBildKnopf(2502, 0, "BUTTOK", "OKGRAU");
    bmlBildKnopf(2520, 0, "BUTTCOPY", "COPYGRAU");
    bmlBildKnopf(2521, 0, "BUTTPASTE", "PASTEGRAU");
    bmlBildKnopf(2522, 0, "BMTSHOW", "BMTGRAU");
    bmlBildKnopf(2528, 0, "BUTTESC", "ESCGRAU");
    bmlBildKnopf(2503, 0, "KSVER", "KSVER");
    bmlBildKnopf(2507, 0, "KSHOR", "KSHOR");
}

void bmlNebenbauteil(const char* code, int idName, int idPos)
{
    appbteil b;
    char name[BTLTEXTSUP + 1] = "", pos[200] = "";
    if (BtlSuchen(bz.id, code, 0, &b)) {
        strkopie(name, b.bl, BTLTEXTSUP);
        if (b.platziert && b.ze[0]) {
            QvwPosText(pos, sizeof pos, b.ze, b.x, b.y);
            ZeiStammVorsetzen(pos, sizeof pos, b.ze);
        }
    }
    wiTextSetzen(idName, name);
    wiTextSetzen(idPos, pos);
}

void bmlLaden()
{
    const int wahl = wiListeWahl(BML_LISTE);
    appgeraet g;
    if (wahl < 0 || wahl >= static_cast<int>(bz.ids.size()) || GesHolen(bz.ids[static_cast<size_t>(wahl)], &g) != 0) {
        bmlLeeren();
        bz.bauteile.clear();
        bmlBauteileAufbauen();
        return;
    }
    bz.id = g.id;
    bz.typ = g.n1;
    char kenn[HULKENNSUP + 1];
    NhuKennungHolen(kenn, sizeof kenn, g.id);
    wiTextSetzen(3000, kenn);
    wiTextSetzen(3010, g.tt);
    ModGeraet m{};
    m.id = g.id;
    m.art = g.n1;
    strkopie(m.kg, g.kg, GESKGSUP);
    strkopie(m.kz, g.kz, GESKGSUP);
    wiTextSetzen(3070, BMKennAltAktiv(&m) ? g.kz : g.kg);
    wiTextSetzen(3080, g.lt);
    wiTextSetzen(3060, g.t6);
    wiTextSetzen(3061, g.t7);
    const int nvrw = VgbInt("BMzkNvrw") == 1;
    wiItemFrei(3060, !nvrw);
    wiItemFrei(3061, !nvrw);
    wiKnopfSetzen(3065, g.n2 != 0);
    bmlNebenbauteil("D", 3075, 3076);
    bmlNebenbauteil("P", 3077, 3078);
    bmlBildKnopf(2502, 1, "BUTTOK", "OKGRAU");
    bmlBildKnopf(2520, 1, "BUTTCOPY", "COPYGRAU");
    bmlBildKnopf(2521, 1, "BUTTPASTE", "PASTEGRAU");
    bmlBildKnopf(2528, 1, "BUTTESC", "ESCGRAU");
    bmlBildKnopf(2503, 1, "KSVER", "KSVER");
    bmlBildKnopf(2507, 1, "KSHOR", "KSHOR");
    bmlTexteZeigen();
    bmlBauteileAufbauen();
}

void bmlFeld(int id, char* ziel, size_t kap, int n)
{
    char t[200];
    wiTextHolen(id, t, n);
    strtrim(t);
    strkopie(ziel, kap, t, n);
}

// Saves the item's record, its dispo and principle names and the five
// main texts; the change goes through the work layer and the queue.
void bmlSpeichern(bool nurTexte)
{
    appgeraet g;
    if (!bz.id || GesHolen(bz.id, &g) != 0) return;
    if (!nurTexte) {
        ModGeraet m{};
        m.id = g.id;
        m.art = g.n1;
        strkopie(m.kg, g.kg, GESKGSUP);
        strkopie(m.kz, g.kz, GESKGSUP);
        char kenn[GESKGSUP + 1];
        bmlFeld(3070, kenn, sizeof kenn, GESKGSUP);
        const appgeraet alt = g;
        if (!BMKennAltAktiv(&m) || BMKennMarkiert(kenn)) strkopie(g.kg, kenn, GESKGSUP);
        else strkopie(g.kz, kenn, GESKGSUP);
        bmlFeld(3080, g.lt, sizeof g.lt, GESTTSUP);
        bmlFeld(3060, g.t6, sizeof g.t6, GESTTSUP);
        bmlFeld(3061, g.t7, sizeof g.t7, GESTTSUP);
        g.n2 = wiKnopf(3065) ? 1 : 0;
        if (std::strcmp(alt.kg, g.kg) || std::strcmp(alt.kz, g.kz) || std::strcmp(alt.t6, g.t6) ||
            std::strcmp(alt.t7, g.t7))
            WseCacheLeeren();
        GesAendern(g.id, &g);
        char name[BTLTEXTSUP + 1];
        bmlFeld(3075, name, sizeof name, 20);
        AppDispoSetzen(g.id, name);
        bmlFeld(3077, name, sizeof name, 20);
        AppPrinzipSetzen(g.id, name);
    }
    // Resolved texts are shown read-only: writing them back would replace
    // the placeholders the user typed.
    for (int i = 0; i < 5 && !bz.texteGesperrt; ++i) {
        char t[GTXTEXTSUP + 1];
        bmlFeld(3020 + i, t, sizeof t, GTXTEXTSUP);
        GtxHauptTextSetzen(g.id, i, t);
        if (std::strchr(t, '@')) BmtEditAnsicht(1);
    }
    GtxSortieren();
    AppGeaendert(g.id, 1);
    ZeiNeuZeichnen();
    BefEinreihenCode(1);
}

// ---- component list and detail -----------------------------------------------------------

void bmlBauteilZeile(const appbteil* b, void* v)
{
    auto* liste = static_cast<std::vector<appbteil>*>(v);
    if (static_cast<int>(liste->size()) < APLSUP) liste->push_back(*b);
}

std::string bmlPos(const appbteil& b)
{
    if (!b.platziert || !b.ze[0]) return "";
    char pos[200];
    QvwPosText(pos, sizeof pos, b.ze, b.x, b.y);
    ZeiStammVorsetzen(pos, sizeof pos, b.ze);
    return pos;
}

// Rows beyond BMLAPPSUP are shown without a row record.
void bmlZeileMerken(uint32_t id, const char* cd, int nr, int zeile, int platziert, int art)
{
    if (static_cast<int>(bz.bauteile.size()) >= BMLAPPSUP) return;
    apparat a{};
    a.id = id;
    strkopie(a.cd, cd, 3);
    a.nr = nr;
    a.zeile = zeile;
    a.platziert = platziert;
    a.art = art;
    bz.bauteile.push_back(a);
}

void bmlBauteileAufbauen()
{
    const int alt = wiListeWahl(BML_BAUTEILE);
    const uint32_t altId = bz.bauteile.empty() ? 0 : bz.bauteile.front().id;
    wiListeLeeren(BML_BAUTEILE);
    bz.bauteile.clear();
    wiTextSetzen(3030, "");
    if (bz.id) {
        std::vector<appbteil> eintraege;
        HulBauteileDurchlaufen(bz.id, wiRadio(3230, 3), bmlBauteilZeile, &eintraege);
        bool ersterNachHaupt = false, warUnplatziert = false;
        for (const appbteil& b : eintraege) {
            const bool haupt = BtlIstHaupt(b.cd) != 0;
            char typ[200];
            strkopie(typ, b.tt, BTLTEXTSUP);
            if (!haupt) {
                char t99[200];
                BtlText99(&b, 0, t99, sizeof t99);
                if (t99[0]) strkopie(typ, t99, 199);
            }
            char z[300];
            std::snprintf(z, sizeof z, "%-4.2s%-12.10s%-12.10s", haupt ? "" : b.cd + 1, b.bl, typ);
            std::string s = z;
            s.resize(32, ' ');
            const std::string pos = bmlPos(b);
            if (!pos.empty()) s += pos;
            else if (b.nr) s += "(" + std::to_string(b.nr) + ")";
            if ((ersterNachHaupt && !haupt) || (b.platziert && warUnplatziert)) {
                s.resize(60, ' ');
                s += "\x03 LY=15";
            }
            ersterNachHaupt = haupt;
            warUnplatziert = !b.platziert && !haupt;
            if (haupt) wiTextSetzen(3030, pos.c_str());
            // The plain list box shows the row up to the owner-drawn list's instruction.
            wiListeAnhaengen(BML_BAUTEILE, s.substr(0, s.find('\x03')).c_str());
            bmlZeileMerken(b.id, b.cd, b.nr, 0, b.platziert, haupt ? 0 : 1);
            std::vector<appztext> texte;
            ZtxDurchlaufen(
                b.id, b.cd, b.nr, 1,
                [](const appztext* t, void* v) { static_cast<std::vector<appztext>*>(v)->push_back(*t); }, &texte);
            for (const appztext& t : texte) {
                std::snprintf(z, sizeof z, "%-4.2s%-12.10s%-12.10s", "\xB7", "", t.text);
                wiListeAnhaengen(BML_BAUTEILE, z);
                bmlZeileMerken(t.id, t.code, t.nr, t.zeile, 0, 2);
            }
        }
    }
    const bool gleich = !bz.bauteile.empty() && bz.bauteile.front().id == altId;
    wiListeWahlSetzen(BML_BAUTEILE, bz.bauteile.empty() ? -1 : gleich && alt >= 0 ? alt : 0);
    PostMessage(wiDlgFenster(), WM_COMMAND, MAKEWPARAM(BML_BAUTEILE, LBN_SELCHANGE), 0);
}

const apparat* bmlBauteil()
{
    const int n = wiListeWahl(BML_BAUTEILE);
    return n >= 0 && n < static_cast<int>(bz.bauteile.size()) ? &bz.bauteile[static_cast<size_t>(n)] : nullptr;
}

void bmlModusSetzen(int modus)
{
    bz.modus = modus;
    const bool text = modus == 1 || modus == 2;
    wiItemZeigen(3090, text);
    wiItemZeigen(3091, text);
    for (int id : {3040, 3050, 3041, 3051, 3405, 3400}) wiItemZeigen(id, !text);
}

void bmlDetailKnoepfe(int einsetzen, int beschriften, int texte, int position)
{
    bmlBildKnopf(2500, einsetzen, "PLUS", "PLUSGRAU");
    bmlBildKnopf(2509, beschriften, "PLAYGRUEN", "PLAYGRAU");
    bmlBildKnopf(2510, texte, "TPKT", "TPKTGRAU");
    bmlBildKnopf(2513, position, "JUMP", "JUMPGRAU");
}

// The selected component row's preview (rows of kind 0 and 1).
void bmlVorschau()
{
    const apparat* a = bmlBauteil();
    appbteil b;
    if (!a || a->art == 2 || !BtlSuchen(a->id, a->cd, a->nr, &b)) return;
    const BmlAufrufe& t = BmlAufrufTabelle();
    if (bz.grossVorschau) t.BtlVorschauFenster(b.bl, nullptr, bz.grossVorschau, wiKnopf(3401), wiKnopf(3402));
    else t.BtlVorschauZeichnen(b.bl, nullptr, 3400, wiKnopf(3401), wiKnopf(3402));
}

void bmlGrossVorschau(bool an);

void bmlDetail()
{
    bmlGrossVorschau(false);  // it showed the row before
    const apparat* a = bmlBauteil();
    wiItemZeigen(2514, 0);
    bz.ziehen = 0;
    if (!a) {
        bmlModusSetzen(0);
        wiTextSetzen(3040, "");
        wiTextSetzen(3050, "");
        BmlAufrufTabelle().VorschauLeeren(3400);  // else the row shown before stays
        bmlDetailKnoepfe(0, 0, 0, 0);
        return;
    }
    appbteil b;
    const bool gefunden = BtlSuchen(a->id, a->cd, a->nr, &b) != 0;
    if (a->art == 2) {
        char t[ZTXTEXTSUP + 1];
        ZtxTextHolen(a->id, a->cd, a->nr, a->zeile, t, sizeof t);
        wiTextSetzen(3090, t);
        wiTextSetzen(3040, "");
        wiTextSetzen(3050, "");
        bmlModusSetzen(2);
    } else {
        char t[GTXNACHSUP + 1] = "";
        if (a->art == 1 && gefunden && b.platziert) {
            GtxTextRoh(a->id, a->cd, a->nr, 99, t, sizeof t);
            if (!t[0]) strkopie(t, b.bs, BTLBSSUP);
        }
        wiTextSetzen(3090, t);
        wiTextSetzen(3040, gefunden ? b.bl : "");
        wiTextSetzen(3050, gefunden ? b.tt : "");
        bmlModusSetzen(a->art == 1 && t[0] ? 1 : 0);
    }
    const bool platziert = gefunden && b.platziert;
    const bool text = bz.modus == 1 || bz.modus == 2;
    bmlDetailKnoepfe(text || !platziert, !text && platziert, 1, text || platziert);
    wiItemZeigen(2514, a->art == 0 && (bz.typ == 2 || bz.typ == 4));
    bz.ziehen = a->art == 1 && gefunden && !b.platziert;
    bmlVorschau();
    PostMessage(wiDlgFenster(), WM_COMMAND, 2518, 0);
}

void bmlEinsetzen()
{
    const apparat* a = bmlBauteil();
    if (!a) return;
    EdtFokus();
    appbteil b;
    if (!BtlSuchen(a->id, a->cd, a->nr, &b)) return;
    char t[ZTXTEXTSUP + 1];
    wiTextHolen(3090, t, 20);
    strtrim(t);
    if (bz.modus == 0) {
        if (!b.platziert) UbzPlatzieren(b.id, b.bl, b.cd, 0);
        return;
    }
    if (bz.modus == 1) {
        if (SprNummer() <= 0) {
            strkopie(b.bs, t, BTLBSSUP);
            BtlEintragAendern(b.id, b.cd, b.nr, &b);
        }
        if (t[0] && !BmlNurZiffern(t)) GtxTextSetzen(b.id, b.cd, b.nr, 99, t);
        else if (SprNummer() <= 0) GtxZeileLoeschen(b.id, b.cd, b.nr, 99);
    } else {
        ZtxTextSetzen(a->id, a->cd, a->nr, a->zeile, t);
    }
    AppGeaendert(a->id, 1);
    ZeiNeuZeichnen();
    BefEinreihenCode(1);
}

// 1 when the component lies on the drawing open in the editor.
bool bmlAufDieserSeite(const appbteil& b)
{
    char ext[41] = "";
    ZeiExtHolen(AppZeiName(), ext);
    return b.ze[0] && strvgl(ext, b.ze) == 0;
}

void bmlPosition()
{
    const apparat* a = bmlBauteil();
    appbteil b;
    if (!a || !BtlSuchen(a->id, a->cd, a->nr, &b) || !b.platziert) return;
    if (!bmlAufDieserSeite(b)) {
        if (!wiFrage("Das Bauteil liegt auf einem anderen Blatt. Wollen Sie zu diesem Blatt wechseln?")) return;
        char name[VERSUP + 1];
        strkopie(name, AppZeiName(), VERSUP);
        pfadweg(name);
        ZeiExtSetzen(name, b.ze);
        BefEinreihenText(104, name);
    }
    StartpunktSetzen(b.x, b.y);
}

// 2509: the placed component's generated texts anew.
void bmlBeschriften()
{
    const apparat* a = bmlBauteil();
    appbteil b;
    if (!a || !BtlSuchen(a->id, a->cd, a->nr, &b) || !b.platziert) return;
    if (!bmlAufDieserSeite(b)) {
        wiMeldung("Das Bauteil ist nicht auf dieser Seite.");
        return;
    }
    STT s = *BefAktZustand();
    s.x = b.x;
    s.y = b.y;
    BEF z{};
    z.code = static_cast<uint8_t>(BefCode("ZB"));
    strkopie(z.text, b.bl, BTLTEXTSUP);
    TexteLoeschen(&z, &s, 1);
    ZtxBauteilLoeschen(b.id, b.cd, b.nr);
    TexteEinfuegen(&z, &s, b.id, b.cd, b.nr);
}

// ---- the editor's dialogs, choosers, clipboard, drag and big preview -------------------------

void bmlKontaktspiegel(int befehl)
{
    if (!bz.id) return;
    EdtFokus();
    if (bz.typ == 2 || bz.typ == 4) BmlAufrufTabelle().DB1358Oeffnen(bz.id, befehl == 2503 ? 1 : 0);
    else KspiegelErzeugen(bz.id, befehl == 2507 ? 1 : 0);
}

// A chooser's answer goes into a field of the page (the chooser may answer
// after the page's command has returned).
void bmlFeldSetzen(int id, const char* text, int n)
{
    HWND f = BmlFenster();
    if (!f || !text) return;
    char t[LAGERNRSUP + 1];
    strkopie(t, text, std::min(n, LAGERNRSUP));
    strtrim(t);
    wiDlgBetreten(f);
    wiTextSetzen(id, t);
    wiDlgVerlassen();
}
void bmlArtikelGewaehlt(const char* t) { bmlFeldSetzen(3080, t, LAGERNRSUP); }
void bmlDispoGewaehlt(const char* t) { bmlFeldSetzen(3075, t, 10); }
void bmlPrinzipGewaehlt(const char* t) { bmlFeldSetzen(3077, t, 10); }

// 2521: line keys 0..4 and the keyed fields; Save stores them.
void bmlEinfuegenZeile(const char* schluessel, const char* wert, void*)
{
    const int n = BmTextZeile(schluessel);
    int id = 0;
    if (n >= 0 && n < 5) id = 3020 + n;
    else if (!std::strcmp(schluessel, "D")) id = 3075;
    else if (!std::strcmp(schluessel, "P")) id = 3077;
    else if (!std::strcmp(schluessel, "L")) id = 3080;
    else if (!std::strcmp(schluessel, "B")) id = 3060;
    else if (!std::strcmp(schluessel, "O")) id = 3061;
    if (id) wiTextSetzen(id, wert);
}

void bmlTexte()
{
    const apparat* a = bmlBauteil();
    if (!a) return;
    // A text row's short texts are those under its line's number: where the
    // terminal list reads a strip's first terminal (its targets).
    BmlAufrufTabelle().DB1357Oeffnen(a->id, a->cd, a->art == 2 ? a->zeile : a->nr,
                                     a->art == 2 ? a->zeile : a->platziert ? a->nr : 0);
}

// The short-text window follows the row only while it is open; the
// focus stays on the page.
void bmlDB1357Zeigen(uint32_t id, const char* code, int nr, int zeile)
{
    if (!wiDlgSuchen("DB1357")) return;
    HWND vorn = GetForegroundWindow();
    HWND fokus = GetFocus();
    DB1357Oeffnen(id, code, nr, zeile);
    if (vorn) SetForegroundWindow(vorn);
    if (fokus) SetFocus(fokus);
}

void bmlDialogeFolgen()
{
    const apparat* a = bmlBauteil();
    if (!a) return;
    BmlAufrufTabelle().DB1357Zeigen(a->id, a->cd, a->art == 2 ? a->zeile : a->nr,
                                    a->art == 2 ? a->zeile : a->platziert ? a->nr : 0);
    BmlAufrufTabelle().DB1358Zeigen(a->id);
}

// The point of the mouse in a control's client pixels.
POINT bmlMausIn(int control)
{
    POINT p{};
    GetCursorPos(&p);
    if (HWND h = wiItem(control)) ScreenToClient(h, &p);
    return p;
}

// Drag notifications of the component list (3201: 1 start, 2 move, 3 stop)
// and of the preview (2062, 2063, 2064).
void bmlZiehen(int phase, int control)
{
    const BmlAufrufe& t = BmlAufrufTabelle();
    if (phase == 1) {
        const apparat* a = bmlBauteil();
        appbteil b;
        if (bz.ziehen && a && BtlSuchen(a->id, a->cd, a->nr, &b)) t.ZiehenAnfang(3, b.bl);
    } else if (phase == 2) {
        if (control == 3400) t.ZiehenDispStop(control);
        else {
            const POINT p = bmlMausIn(control);
            t.ZiehenUeber(control, p.x, p.y);
        }
    } else if (phase == 3) {
        if (t.ZiehenEnde() == 1) PostMessage(wiDlgFenster(), WM_COMMAND, 2500, 0);
    }
}

// A control's rectangle in the page's client pixels.
RECT bmlRechteck(int control)
{
    RECT r{};
    HWND h = wiItem(control);
    if (!h) return r;
    GetWindowRect(h, &r);
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    ScreenToClient(wiDlgFenster(), &a);
    ScreenToClient(wiDlgFenster(), &b);
    return RECT{a.x, a.y, b.x, b.y};
}

void bmlGrossVorschau(bool an)
{
    if (an == (bz.grossVorschau != 0)) return;
    if (an) {
        bz.grossVorschau = BmlAufrufTabelle().VorschauAnlegen(wiDlgFenster(), 3400, 0, 150, 3409);
        if (!bz.grossVorschau) return;
        // It is made over the small one; grown to a square from the copy
        // buttons' top down to the small one's bottom, over what it hides.
        RECT oben = bmlRechteck(2520), unten = bmlRechteck(3400);
        const int seite = unten.bottom - oben.top;
        if (seite > unten.bottom - unten.top)
            SetWindowPos(bz.grossVorschau, HWND_TOP, unten.left, oben.top, seite, seite, 0);
    } else {
        BmlAufrufTabelle().VorschauEntfernen();
        bz.grossVorschau = 0;
    }
    for (int id : {2520, 2521, 2503, 2507}) wiItemZeigen(id, !an);
    // The small preview and the name it covers come back as the mode has them.
    if (an)
        for (int id : {3400, 3040, 3041}) wiItemZeigen(id, 0);
    else bmlModusSetzen(bz.modus);
    bmlVorschau();
}

// ---- search and refresh --------------------------------------------------------------------

void bmlSuchen()
{
    char t[BMLFILTERSUP + 1];
    wiTextHolen(3110, t, BMLFILTERSUP);
    strtrim(t);
    const int wahl = wiListeWahl(BML_LISTE);
    const int n = BmlSuchen(bz.zeilen, wahl, t, bz.alleTexte);
    if (n >= 0) wiListeWahlSetzen(BML_LISTE, n);
    else if (wahl != static_cast<int>(bz.zeilen.size()) - 1) wiListeWahlSetzen(BML_LISTE, -1);
    bmlLaden();
}

std::string bmlProjekt() { return std::string(VerAktuell() ? VerAktuell() : "") + "|" + std::to_string(BMStand()); }

void bmlAuffrischen(bool erzwungen)
{
    const int sprache = SprNummer();
    if (erzwungen || sprache != bz.sprache) {
        char name[80] = "";
        if (sprache > 0) SprName(name, sizeof name);
        wiTextSetzen(3129, name);
        bmlGelbSetzen(3129, sprache > 0);
        bz.sprache = sprache;
    }
    const std::string projekt = bmlProjekt();
    const int zaehler = AppAenderZaehler();
    std::vector<uint32_t> ids;
    int was = erzwungen || projekt != bz.projekt ? 2 : BmlAenderungPruefen(bz.zaehler, zaehler, ids);
    bz.projekt = projekt;
    bz.zaehler = zaehler;
    if (was == 0) return;
    if (was == 2) {
        bmlAufbauen();
        if (bz.gefolgt) {
            const int z = bmlZeileVonId(bz.gefolgt);
            if (z >= 0) {
                wiListeWahlSetzen(BML_LISTE, z);
                bmlLaden();
            }
        }
        return;
    }
    bool aktuell = false;
    for (uint32_t id : ids) {
        const int z = bmlZeileVonId(id);
        appgeraet g;
        if (z < 0 || GesHolen(id, &g) != 0) continue;
        std::string s;
        HulZeileFormatieren(&g, s, 0, ElzPfadModus(), nullptr);
        if (id == bz.id) aktuell = true;
        if (s == bz.zeilen[static_cast<size_t>(z)]) continue;
        bz.zeilen[static_cast<size_t>(z)] = s;
        const int wahl = wiListeWahl(BML_LISTE);
        wiListeLoeschen(BML_LISTE, z);
        wiListeEinfuegen(BML_LISTE, s.substr(0, HULZEILESUP).c_str(), z);
        wiListeWahlSetzen(BML_LISTE, wahl);
    }
    if (aktuell) bmlLaden();
}

// ---- init, exit, commands ------------------------------------------------------------------

int bmlInit(int, const char* const*)
{
    // The fields cleared below rebuild the list at once, which would use
    // up the device to open on.
    const uint32_t gehezu = bz.gehezu;
    BmlRahmenInit(wiDlgFenster());
    bz.gelbPinsel = CreateSolidBrush(RGB(255, 255, 0));
    for (int i = 0; i < 8; ++i) {
        char k[24];
        std::snprintf(k, sizeof k, "BMUntSort%d", i);
        bz.untSort[i] = std::clamp(VgbInt(k), 0, 2);
    }
    bz.filter[0] = '\0';
    wiTextSetzen(3150, "");
    wiTextSetzen(3110, "");
    bz.alleTexte = BMVorgaben().zeiflt;
    wiKnopfSetzen(3160, bz.alleTexte);
    EDEINST e{};
    EdEinstLesen(&e);
    int typ = BmlTypAusEinstellung(e.bmlist);
    bz.gehezu = gehezu;
    if (bz.gehezu) typ = 0;
    wiRadioSetzen(3120, typ, 8);
    bz.letzterTypFilter = -1;
    wiKnopfSetzen(3140, 1);
    wiKnopfSetzen(3141, 1);
    wiRadioSetzen(3130, std::clamp(EdEinst()->bmsort, 0, 2), 3);
    wiRadioSetzen(3230, bz.untSort[typ], 3);
    wiKnopfSetzen(3401, 1);
    wiKnopfSetzen(3402, 1);
    wiItemFont(BML_LISTE, static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT)));
    wiItemFont(BML_BAUTEILE, static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT)));
    bz.modus = -1;
    wiItemZeigen(2990, 0);
    bz.zaehler = -1;
    bz.projekt.clear();
    bz.grossVorschau = 0;
    bmlAuffrischen(true);
    BmlAufrufTabelle().ZiehKnopfAnmelden(wiDlgFenster(), BML_BAUTEILE, 3201);
    return 0;
}

int bmlExit()
{
    BmlAufrufTabelle().ZiehKnopfAbmelden(BML_BAUTEILE);
    if (bz.grossVorschau) BmlAufrufTabelle().VorschauEntfernen();
    bz.grossVorschau = 0;
    wiTooltipsLoeschen();
    BmlRahmenExit();
    bz.ids.clear();
    bz.zeilen.clear();
    bz.bauteile.clear();
    bz.id = 0;
    if (bz.gelbPinsel) DeleteObject(bz.gelbPinsel);
    bz.gelbPinsel = 0;
    bz.spracheGelb = false;
    for (bool& g : bz.gelb) g = false;
    EdtFokus();
    return 0;
}

void bmlEnter()
{
    if (wiGrbuAusloesen()) return;
    const int f = wiFokusId();
    HWND d = wiDlgFenster();
    if (f == 3110) PostMessage(d, WM_COMMAND, 2501, 0);
    else if ((f >= 3020 && f <= 3024) || f == 3060 || f == 3061 || f == 3065 || f == 3070 || f == 3075 || f == 3077 ||
             f == 3080)
        PostMessage(d, WM_COMMAND, 2502, 0);
    else if (f == 3090) PostMessage(d, WM_COMMAND, 2500, 0);
    else if (f == BML_BAUTEILE) {
        const apparat* a = bmlBauteil();
        PostMessage(d, WM_COMMAND, a && a->platziert ? 2513 : 2500, 0);
    }
}

int bmlBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (BmlRahmenNachricht(nachricht, wp, lp)) return 1;
    if (nachricht == WM_CTLCOLOREDIT || nachricht == WM_CTLCOLORSTATIC) return bmlFarbe(wp, lp);
    if (nachricht == WM_CONTEXTMENU) {
        // Over the small preview the big one; elsewhere the page's menu.
        if (static_cast<HWND>(wp) == wiItem(3400)) bmlGrossVorschau(true);
        else PostMessage(wiDlgFenster(), WM_COMMAND, 2529, 0);
        return 1;
    }
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    const int code = HIWORD(wp);
    if (id >= 3120 && id <= 3127) {
        if (code == BN_CLICKED) {
            wiRadioSetzen(3230, bz.untSort[id - 3120], 3);
            bmlAufbauen();
        }
        return 0;
    }
    switch (id) {
    case BML_LISTE:
        if (code == LBN_SELCHANGE) bmlLaden();
        break;
    case BML_BAUTEILE:
        if (code == LBN_SELCHANGE) bmlDetail();
        else if (code == LBN_DBLCLK) PostMessage(wiDlgFenster(), WM_COMMAND, bmlBauteil() && bmlBauteil()->platziert ? 2513 : 2500, 0);
        break;
    case 3150:
        if (wiEditGeaendert(3150, wp)) {
            bmlFeld(3150, bz.filter, sizeof bz.filter, BMLFILTERSUP);
            bmlAufbauen();
        }
        break;
    case 3130: case 3131: case 3132:
        // The sort mode is shared with the editor's sub-component list.
        if (code == BN_CLICKED) {
            EdEinst()->bmsort = wiRadio(3130, 3);
            DB1359SortierungFolgen();
            bmlAufbauen();
        }
        break;
    case 3140: case 3141:
        if (code == BN_CLICKED) {
            if (!wiKnopf(3140) && !wiKnopf(3141)) wiKnopfSetzen(id == 3140 ? 3141 : 3140, 1);
            PostMessage(wiDlgFenster(), WM_COMMAND, 3149, 0);
        }
        break;
    case 3149: bmlAufbauen(); break;
    case 3160:
        if (code == BN_CLICKED) {
            bz.alleTexte = wiKnopf(3160);
            bmlAufbauen();
        }
        break;
    case 3230: case 3231: case 3232:
        if (code == BN_CLICKED) bmlBauteileAufbauen();
        break;
    case 1: bmlEnter(); break;
    case 2: EdtFokus(); break;
    case 2501: bmlSuchen(); break;
    case 2502: bmlSpeichern(false); bmlLaden(); break;
    case 2519: bmlSpeichern(true); break;
    case 2512: case 2528: bmlLaden(); break;
    case 2522:
        BmtEditAnsicht(BmtEditAnsicht(-1) ? 0 : 1);
        bmlTexteZeigen();
        break;
    case 2500: bmlEinsetzen(); break;
    case 2513: bmlPosition(); break;
    case 2509: bmlBeschriften(); break;
    case 2510: bmlTexte(); break;
    case 2518: bmlDialogeFolgen(); break;
    case 2503: case 2507: bmlKontaktspiegel(id); break;
    case 2504:
        if (bz.id) BmlAufrufTabelle().DB1210Oeffnen(bmlArtikelGewaehlt);
        break;
    case 2508: case 2511:
        if (bz.id) BmlAufrufTabelle().DB1232Oeffnen(id == 2508 ? 0 : 1, id == 2508 ? bmlDispoGewaehlt : bmlPrinzipGewaehlt);
        break;
    case 2505:
        if (bz.id) HbzNeuDefinieren(bz.id);
        break;
    case 2514:
        if (bz.id) BmlAufrufTabelle().DB1360Oeffnen(bz.id, BmlFenster());
        break;
    case 2520:
        if (bz.id) BmTextInClip(bz.id, "H", 0);
        break;
    case 2521:
        if (bz.id) BmTextAusClip(bmlEinfuegenZeile, nullptr);
        break;
    case 2529:
        if (bz.id) wiDlgPopupMenu("BMLBEARB_RM", static_cast<LPARAM>(GetMessagePos()), wiDlgFenster());
        break;
    case 3201: bmlZiehen(static_cast<int>(lp), BML_BAUTEILE); break;
    case 2062: case 2063: case 2064: bmlZiehen(id - 2061, 3400); break;
    case 3400:
        // A static reports the double click, a display surface both clicks.
        if (code == STN_DBLCLK || lp == VORSCHAUDOPPEL || lp == VORSCHAURECHTS) bmlGrossVorschau(true);
        break;
    case 3409: bmlGrossVorschau(false); break;
    case 3401: case 3402:
        if (code == BN_CLICKED) bmlVorschau();
        break;
    case 2530:
        wiRadioSetzen(3120, static_cast<int>(lp), 8);
        bmlAufbauen();
        break;
    case 2531: {
        const int z = bmlZeileVonId(bz.gehezu);
        bz.gehezu = 0;
        if (z >= 0) wiListeWahlSetzen(BML_LISTE, z);
        bmlLaden();
        break;
    }
    case 2998: bmlAuffrischen(true); break;
    case 2999:
        if (wiRadio(3130, 3) != std::clamp(EdEinst()->bmsort, 0, 2)) {
            wiRadioSetzen(3130, std::clamp(EdEinst()->bmsort, 0, 2), 3);
            bmlAufbauen();
        }
        bmlAuffrischen(false);
        break;
    default: break;
    }
    return 0;
}

}  // namespace

// ---- rules --------------------------------------------------------------------------------------

void BmlZeilenBauen(int typFilter, int intext, const char* filter, int alleTexte, int sortierung,
                    std::vector<std::string>& zeilen, std::vector<uint32_t>& ids)
{
    zeilen.clear();
    ids.clear();
    BMDateiAktuell(0);
    BmlLauf lauf{typFilter, intext, filter, alleTexte, &zeilen, &ids};
    bmlLauf = &lauf;
    HbkIndexAufbauen();
    if (HbkListeSortieren(sortierung) == 0) {
        GesDurchlaufen(
            [](const appgeraet* g, void*) {
                if (!BmTypPasst(bmlLauf->typFilter, g)) return;
                const int in = bmlLauf->intext;
                if ((in == 1 && g->n2 != 0) || (in == 2 && g->n2 == 0)) return;
                HbkListeDazu(g);
            },
            nullptr);
        HbkListeDurchlaufen(bmlZeileDazu, nullptr);
    }
    HbkIndexFrei();
    bmlLauf = nullptr;
}

int BmlTypAusEinstellung(int wert) { return wert == 0 ? 1 : wert == 1 ? 0 : std::clamp(wert, 0, 7); }

bool BmlZeilePasst(const std::string& zeile, const char* filter, int alleTexte)
{
    if (!filter || !filter[0]) return true;
    char sichtbar[HULZEILESUP + 1];
    const size_t n = std::min(zeile.size(), static_cast<size_t>(HULZEILESUP));
    std::memcpy(sichtbar, zeile.data(), n);
    sichtbar[n] = 0;
    if (strposi(sichtbar, filter) >= 0) return true;
    HulZeileLaden(zeile.c_str());
    return HulZeileSuchen(filter, alleTexte ? 1 : 0) != 0;
}

int BmlSuchen(const std::vector<std::string>& zeilen, int ab, const char* text, int alleTexte)
{
    if (!text || !text[0]) return -1;
    for (size_t i = static_cast<size_t>(std::max(ab + 1, 0)); i < zeilen.size(); ++i)
        if (BmlZeilePasst(zeilen[i], text, alleTexte)) return static_cast<int>(i);
    return -1;
}

int BmlAenderungPruefen(int alt, int neu, std::vector<uint32_t>& ids)
{
    ids.clear();
    if (neu == alt) return 0;
    if (alt < 0 || neu < alt || neu - alt > APPRINGSUP) return 2;
    struct Sammler {
        std::vector<uint32_t>* ids;
        bool umbau;
        int anzahl;
    } s{&ids, false, 0};
    for (int z = alt + 1; z <= neu && !s.umbau; ++z) {
        const int vorher = s.anzahl;
        AppRingDurchlaufen(
            z,
            [](uint32_t id, int art, void* v) {
                auto* w = static_cast<Sammler*>(v);
                ++w->anzahl;
                if (art != 1) w->umbau = true;
                else if (std::find(w->ids->begin(), w->ids->end(), id) == w->ids->end()) w->ids->push_back(id);
            },
            &s);
        if (s.anzahl == vorher) s.umbau = true;  // an unspecified change
    }
    return s.umbau ? 2 : 1;
}

bool BmlNurZiffern(const char* text) { return text && text[0] && nurzeichen(text, "0123456789"); }

// ---- the page's services ----------------------------------------------------------------------------

int BmlBearbOeffnen()
{
    if (!AppAktiv()) return 0;
    if (BmlFensterHeben()) return 1;
    const char* name = BmlIstExtern() ? "BMLBEARB_EXT" : "BMLBEARB_INT";
    HWND f = BmlIstExtern() ? wiDlgOeffnen(name, bmlInit, bmlExit, bmlBefehl)
                            : wiDlgEinbetten(anwHauptfenster(), name, bmlInit, bmlExit, bmlBefehl, nullptr, 0);
    if (f) ShowWindow(f, SW_SHOW);
    return f != 0;
}

void BmlUmschalten() { wiSeiteUmschalten(1532); }

void BmlAnmelden()
{
    EdtAufrufe e;
    e.BmlUmschalten = BmlUmschalten;
    e.BmlGeheZu = BmlGeheZu;
    e.BmlEditorAuswahl = BmlEditorAuswahl;
    EdtAufrufeSetzen(e);
    BmlAufrufe a;
    a.DB1210Oeffnen = DB1210Oeffnen;
    a.DB1232Oeffnen = DB1232Oeffnen;
    a.DB1357Oeffnen = DB1357Oeffnen;
    a.DB1357Zeigen = bmlDB1357Zeigen;
    a.DB1358Oeffnen = DB1358Oeffnen;
    a.DB1358Zeigen = DB1358Zeigen;
    a.DB1360Oeffnen = DB1360Oeffnen;
    a.BtlVorschauZeichnen = BtlVorschauZeichnen;
    a.BtlVorschauFenster = BtlVorschauFenster;
    a.VorschauLeeren = VorschauLeeren;
    a.VorschauAnlegen = VorschauAnlegen;
    a.VorschauEntfernen = VorschauEntfernen;
    a.ZiehKnopfAnmelden = ZiehKnopfAnmelden;
    a.ZiehKnopfAbmelden = ZiehKnopfAbmelden;
    a.ZiehenAnfang = ZiehenAnfang;
    a.ZiehenUeber = ZiehenUeber;
    a.ZiehenDispStop = ZiehenDispStop;
    a.ZiehenEnde = ZiehenEnde;
    BmlAufrufeSetzen(a);
}

void BmlGeheZu(uint32_t id)
{
    bz.gehezu = id;
    if (HWND f = BmlFenster()) PostMessage(f, WM_COMMAND, 2531, 0);
    BmlUmschalten();
}

void BmlEditorAuswahl(uint32_t id)
{
    HWND f = BmlFenster();
    if (!f) {
        // The closed page opens on the device picked last, not on the
        // one its last filter showed.
        bz.gehezu = id;
        bz.gefolgt = 0;
        return;
    }
    if (id == bz.gefolgt) return;
    bz.gefolgt = id;
    bz.gehezu = id;
    appgeraet g;
    int index = 0;
    if (GesHolen(id, &g) == 0) {
        for (int i = 1; i < 8; ++i)
            if (BmTypPasst(i, &g)) index = i;
    }
    if (bz.typFilter != 0 && index != bz.typFilter) PostMessage(f, WM_COMMAND, 2530, index);
    else PostMessage(f, WM_COMMAND, 2531, 0);
}

void BmlNachricht(int id, LPARAM lp)
{
    if (HWND f = BmlFenster()) PostMessage(f, WM_COMMAND, static_cast<WPARAM>(id), lp);
}

HWND BmlDialogOeffnen(const char* name, int (*init)(int, const char* const*), int (*exit)(),
                      int (*befehl)(UINT, WPARAM, LPARAM), LPARAM param)
{
    return wiDlgOeffnenBei(BmlFenster(), name, init, exit, befehl, nullptr, param);
}
