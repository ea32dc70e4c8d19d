// Main component assignment: placed symbols wait here for an equipment
// definition; a symbol whose component one definition uses is assigned at
// once unless the user asks always; the pending insertion of the
// main-component list is placed without asking.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/haken.h"
#include "config/reaktion.h"
#include "editdlg/vorschau.h"
#include "editdlg/bmdlg.h"
#include "editdlg/db1232.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editdlg/wahl.h"
#include "editdlg/zuordint.h"
#include "editdlg/zuordnung.h"
#include "editor/texte.h"
#include "editor/edtseite.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "equipment/apphaken.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/definier.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "editdlg/bautwork.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "model/beffifo.h"
#include "model/textvar.h"
#include "support/texte.h"
#include "model/bauteil.h"
#include "project/rschreib.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"
#include "config/apstil.h"

namespace {

struct apparat {
    int32_t art;   // 0 placed symbol, 1 item to redefine
    BEF bef;
    STT stt;
    int32_t id;
    int32_t def;
};

struct HbzZustand {
    ZuoSchlange<apparat> q;
    int vorDef = -1;                  // pending insertion
    char vorName[ZUONAMSUP + 1] = "";
    AppDefTexte vorTexte{};
    HWND fenster = 0;
};
HbzZustand hbz;

void HbzAufwischen(int32_t, const char*) { hbz.q.frei(); }

void HbzAnlegen()
{
    if (hbz.q.zeilen) return;
    hbz.q.modul = "db1350";
    hbz.q.anlegen("(liste=fmalloc(APPSUP,sizeof(struct apparat))) != NULL");
    AufwischenAnmelden(HbzAufwischen, 0, "Hauptbauteil zuweisen");
}

void HbzMeldung(int n, const char* a = "")
{
    char t[200];
    std::snprintf(t, sizeof t, TextNr3000(n), a);
    StatusMeldung(t);
}

// Creates item of definition `def` at the symbol with the texts; 0, or -1
// when the item list is full (nothing is attached then).
int HbzErzeugen(int def, const BEF* b, const STT* s, const AppDefTexte& t, bool spalte)
{
    const uint32_t id = GesAnlegen(def, t.lt);
    if (id == 0) {
        HbzMeldung(44);
        return -1;
    }
    for (int i = 0; i < 5; ++i) GtxHauptTextNeu(id, i, t.haupt[i]);
    DEFTEXTE texte;
    DefTexteHolen(def, texte);
    for (int i = 5; i < DEFTEXTEANZ; ++i)
        if (!strleer(texte[i])) GtxHauptTextNeu(id, i, texte[i]);
    BtlHauptAnlegen(id, def, AppZeiName(), s->x, s->y, t.dispo, t.prinzip);
    AppListenSortieren();
    AppGeaendert(id, 2);
    // The other main components of this column redraw their reference texts.
    const auto AppQuerverweiseAktualisieren = AppSpalteAktualisieren;
    if (spalte) AppQuerverweiseAktualisieren(id, s->x, s->y);
    TexteEinfuegen(b, s, id, "H", 0);
    return 0;
}

// The definition's own texts for an assignment without the dialog.
AppDefTexte HbzDefTexte(int def)
{
    AppDefTexte t{};
    char bauteil[DEFNAMESUP + 1], typ[DEFNAMESUP + 1], k1[DEFTEXTSUP + 1], k2[DEFTEXTSUP + 1], kurz[DEFNAMESUP + 1];
    DefFelderHolen(def, bauteil, typ, k1, k2, kurz, t.haupt[0], t.haupt[1], t.haupt[2], t.haupt[3], t.haupt[4]);
    const bmvorgaben& v = BMVorgaben();
    if (v.bmduse) DefZeileSuchen(def, "D", t.dispo, sizeof t.dispo);
    if (v.bmpuse) DefZeileSuchen(def, "P", t.prinzip, sizeof t.prinzip);
    if (v.bmluse) DefZeileSuchen(def, "L", t.lt, sizeof t.lt);
    return t;
}

// Asks for the dialog: new rows for an open one, else the editor opens it.
void HbzZeigen()
{
    if (hbz.fenster)
        PostMessage(hbz.fenster, WM_COMMAND, 2510, 0);
    else
        EdtBefehlPosten(1350);
}

int hbzSprung = 0;  // jump to the symbol when the dialog is activated

// The next row becomes current; the editor's start point goes to it, or,
// while the labelling dialog is open, when this dialog is activated.
void HbzNaechste()
{
    // Clearing the loaded row is a change too: the undo snapshot after an
    // applied row must not hold it.
    AppGeaendert(0, 1);
    if (hbz.q.naechste()) {
        hbz.q.aktuell.def = -1;
        if (wiDlgSuchen("DB1354") != 0)
            hbzSprung = 1;
        else if (hbz.q.aktuell.art == 0)
            StartpunktSetzen(hbz.q.aktuell.stt.x, hbz.q.aktuell.stt.y);
    }
}

}  // namespace

// The switch is the editor's (command BMZ toggles it from this dialog and
// from the options).
int HbzImmerFragen() { return BefFlags()->bmz; }

void HbzImmerFragenSetzen(int an) { BefFlags()->bmz = an ? 1 : 0; }

void HbzNeuesSymbol(const BEF* b, const STT* s)
{
    if (!AppAktiv()) return;
    HbzAnlegen();
    if (hbz.vorDef >= 0 && std::strcmp(b->text, hbz.vorName) == 0) {
        const int def = hbz.vorDef;
        hbz.vorDef = -1;
        HbzErzeugen(def, b, s, hbz.vorTexte, false);
        return;
    }
    hbz.vorDef = -1;
    if (!HbzImmerFragen()) {
        struct Zaehler {
            int n = 0, def = -1;
        } z;
        DefAlleUnterDurchlaufen(
            b->text,
            [](int n, void* u) {
                auto* zz = static_cast<Zaehler*>(u);
                ++zz->n;
                zz->def = n;
            },
            &z, 1);
        if (z.n == 1) {
            // The item, its texts and the placement are one undo step.
            BefGruppeHalten();
            HbzErzeugen(z.def, b, s, HbzDefTexte(z.def), false);
            BefEinreihenCode(1);
            return;
        }
    }
    if (hbz.q.voll()) {
        // No silent loss: the symbol is kept as not assigned.
        InfoZuordnen(b, s);
        HbzMeldung(45, b->text);
        return;
    }
    apparat a{};
    a.art = 0;
    a.bef = *b;
    a.stt = *s;
    a.def = -1;
    hbz.q.anhaengen(a);
    AppGeaendert(0, 1);
    if (!hbz.q.geladen) HbzNaechste();
    HbzZeigen();
}

void HbzNeuDefinieren(uint32_t id)
{
    if (!AppAktiv()) return;
    HbzAnlegen();
    if (hbz.q.voll()) return;
    apparat a{};
    a.art = 1;
    a.id = static_cast<int32_t>(id);
    a.def = -1;
    hbz.q.anhaengen(a);
    if (!hbz.q.geladen) HbzNaechste();
    HbzZeigen();
}

int HbzPlatzieren(int def, int winkel, const AppDefTexte* t)
{
    char bauteil[DEFNAMESUP + 1] = "", typ[DEFNAMESUP + 1], k1[DEFTEXTSUP + 1], k2[DEFTEXTSUP + 1], kurz[DEFNAMESUP + 1];
    DefFelderHolen(def, bauteil, typ, k1, k2, kurz);
    if (!bauteil[0] || !BautBauteilDa(BefAktZustand()->bd, bauteil)) {
        char t2[200];
        std::snprintf(t2, sizeof t2, TextNr1000(43), bauteil);
        StatusMeldung(t2);
        return -1;
    }
    hbz.vorDef = def;
    strkopie(hbz.vorName, bauteil, ZUONAMSUP);
    hbz.vorTexte = t ? *t : AppDefTexte{};
    if (winkel == 0)
        BefEinreihenText(80, bauteil);
    else
        BefEinreihenIntText(81, winkel, bauteil);
    return 0;
}

int HbzNameVorgemerkt(const char* name) { return hbz.vorDef >= 0 && std::strcmp(name, hbz.vorName) == 0 ? 1 : 0; }

int HbzWartet()
{
    if (hbz.q.anzahl == 0 && !hbz.q.geladen) return 0;
    if (hbz.fenster)
        SetForegroundWindow(hbz.fenster);
    else
        EdtBefehlPosten(1350);
    return 1;
}

int HbzBeiSymbol(const char* name, double x, double y)
{
    if (!hbz.q.zeilen) return 0;
    for (int i = 0; i < hbz.q.anzahl; ++i)
        if (hbz.q.bei(hbz.q.zeilen[i], name, x, y)) return 1;
    return hbz.q.geladen && hbz.q.aktuell.art == 0 && hbz.q.bei(hbz.q.aktuell, name, x, y) ? 1 : 0;
}

void HbzSymbolGeloescht(const char* name, double x, double y)
{
    if (!hbz.q.zeilen) return;
    if (hbz.q.entfernen(name, x, y)) {
        hbz.q.geladen = 0;
        HbzNaechste();
        if (hbz.fenster) PostMessage(hbz.fenster, WM_COMMAND, 2506, 0);
    }
    AppGeaendert(0, 1);
}

void HbzSymbolVerschoben(const char* name, double x, double y, double nx, double ny)
{
    if (!hbz.q.zeilen) return;
    hbz.q.verschieben(name, x, y, nx, ny);
    AppGeaendert(0, 1);
}

void HbzSymbolUmbenannt(const char* name, const char* neu, double x, double y)
{
    if (!hbz.q.zeilen) return;
    if (hbz.q.umbenennen(name, neu, x, y) && hbz.fenster) PostMessage(hbz.fenster, WM_COMMAND, 2506, 0);
    AppGeaendert(0, 1);
}

long HbzPacken(void* puffer) { return hbz.q.packen(puffer); }

void HbzEntpacken(const void* puffer)
{
    HbzAnlegen();
    const int vorher = hbz.q.geladen;
    hbz.q.entpacken(puffer);
    if (vorher && !hbz.q.geladen && hbz.fenster) PostMessage(hbz.fenster, WM_COMMAND, 2, 0);
    if (!vorher && hbz.q.geladen) HbzWartet();
    if (hbz.fenster) PostMessage(hbz.fenster, WM_COMMAND, 2506, 0);
}

int HbzAnwenden(int def, const AppDefTexte* t)
{
    if (!hbz.q.geladen || def < 0 || def >= DefAnzahl()) return -1;
    const apparat a = hbz.q.aktuell;
    int r = 0;
    BefGruppeHalten();  // until the _BMG below: one undo step
    if (a.art == 1) {
        AppDefinitionAendern(static_cast<uint32_t>(a.id), def, t);
        AppListenSortieren();
        AppGeaendert(static_cast<uint32_t>(a.id), 1);
    } else {
        r = HbzErzeugen(def, &a.bef, &a.stt, *t, true);
    }
    BefEinreihenCode(1);
    HbzNaechste();
    return r;
}

void HbzUeberspringen()
{
    if (!hbz.q.zeilen) return;
    HbzNaechste();
}

int HbzAnzahl() { return hbz.q.anzahl; }
int HbzGeladen() { return hbz.q.geladen; }

int HbzAktuell(char* name, size_t kap, double* x, double* y, int* art, uint32_t* id)
{
    if (!hbz.q.geladen) return -1;
    strkopie(name, kap, hbz.q.aktuell.bef.text, ZUONAMSUP);
    *x = hbz.q.aktuell.stt.x;
    *y = hbz.q.aktuell.stt.y;
    *art = hbz.q.aktuell.art;
    *id = static_cast<uint32_t>(hbz.q.aktuell.id);
    return 0;
}

void HbzZuruecksetzen()
{
    hbz.q.frei();
    hbz.vorDef = -1;
    BefBmzNeuLesen();
    hbz.fenster = 0;
}

// ---- Dialog DB1350 ------------------------------------------------------------------------------

namespace {

int hbzSchliessen = 1;
int hbzKnopfStand = -1;  // -1 forces the next update
int hbzFragenGezeigt = -1;
bool hbzDispoAus = false, hbzPrinzipAus = false, hbzArtikelAus = false;

void hbzKnoepfe()
{
    const int an = hbz.q.geladen ? 1 : 0;
    const int ok = an && wiListeAnzahl(3100) > 0 ? 1 : 0;
    const int stand = an * 2 + ok;
    if (stand == hbzKnopfStand) return;
    hbzKnopfStand = stand;
    // OK without a definition to apply stays disabled.
    BmdKnopf(2500, ok, "BUTTOK", "OKGRAU");
    BmdKnopf(2501, an, "BUTTESC", "ESCGRAU");
    BmdKnopf(2503, an, "BUTTJUMP", "JUMPGRAU");
    wiItemFrei(2502, an && !hbzArtikelAus);
    wiItemFrei(2505, an);
    wiItemFrei(2508, an && !hbzDispoAus);
    wiItemFrei(2509, an && !hbzPrinzipAus);
    wiItemFrei(2990, an);
}

// Shows the definition of row `zeile` of 3100.
void hbzDefinitionZeigen(int zeile)
{
    const std::string nr = BmdListeFeld(3100, zeile, 0);
    if (nr.empty() || !hbz.q.geladen) return;
    const int def = std::atoi(nr.c_str());
    hbz.q.aktuell.def = def;
    DbFuellen f;
    BmdDefZeigen(def, hbz.q.aktuell.art == 0);
}

// Fills the dialog for the current row.
void hbzFuellen()
{
    {
        DbFuellen f;
        for (int id : {3000, 3010, 3020, 3021, 3022, 3023, 3024, 3030, 3032, 3040}) wiTextSetzen(id, "");
        wiListeLeeren(3100);
        wiListeLeeren(3200);
        if (hbz.q.geladen) {
            char name[BAUNAMSUP + 1] = "";
            if (hbz.q.aktuell.art == 1) {
                appbteil e{};
                const uint32_t id = static_cast<uint32_t>(hbz.q.aktuell.id);
                if (BtlSuchen(id, "H", 0, &e) == 1) strkopie(name, sizeof name, e.bl, BAUNAMSUP);
                for (int i = 0; i < 5; ++i) {
                    char t[DEFTEXTSUP + 1] = "";
                    GtxHauptText(id, i, t, sizeof t);
                    wiTextSetzen(3020 + i, t);
                }
            } else {
                strkopie(name, sizeof name, hbz.q.aktuell.bef.text, BAUNAMSUP);
            }
            wiTextSetzen(3000, name);
            BmdVorschau(name);
            DefAlleUnterDurchlaufen(
                name,
                [](int n, void*) {
                    char bauteil[DEFNAMESUP + 1], typ[DEFNAMESUP + 1], k1[DEFTEXTSUP + 1], k2[DEFTEXTSUP + 1],
                        kurz[DEFNAMESUP + 1], t1[DEFTEXTSUP + 1] = "";
                    DefFelderHolen(n, bauteil, typ, k1, k2, kurz, t1);
                    char z[64];
                    std::snprintf(z, sizeof z, "%-10.10s %-40.40s", typ, t1);
                    wiListeAnhaengen(3100, BmdZeile(z, {std::to_string(n)}).c_str());
                },
                nullptr, 1);
            if (wiListeAnzahl(3100) > 0) wiListeWahlSetzen(3100, 0);
        }
    }
    if (hbz.q.geladen && wiListeAnzahl(3100) > 0) hbzDefinitionZeigen(0);
    wiZahlSetzen(3300, hbz.q.anzahl + (hbz.q.geladen ? 1 : 0));
    hbzKnopfStand = -1;
    hbzKnoepfe();
}

// After a row was done or skipped: the next one, or closing when none.
void hbzWeiter()
{
    HbzNaechste();
    hbzFuellen();
    if (!hbz.q.geladen && hbzSchliessen) wiDlgSchliessen();
}

void hbzAnwendenDialog()
{
    if (!hbz.q.geladen || hbz.q.aktuell.def < 0 || wiListeAnzahl(3100) == 0) return;
    AppDefTexte t{};
    strkopie(t.lt, sizeof t.lt, BmdFeldText(3040, 20).c_str(), 20);
    strkopie(t.dispo, sizeof t.dispo, BmdFeldText(3030, 10).c_str(), 10);
    strkopie(t.prinzip, sizeof t.prinzip, BmdFeldText(3032, 10).c_str(), 10);
    for (int i = 0; i < 5; ++i) strkopie(t.haupt[i], sizeof t.haupt[i], BmdFeldText(3020 + i, 40).c_str(), 40);
    HbzAnwenden(hbz.q.aktuell.def, &t);
    hbzFuellen();
    if (!hbz.q.geladen && hbzSchliessen) wiDlgSchliessen();
}

void hbzNachricht(int befehl, const char* text)
{
    static std::string puffer;
    puffer = text ? text : "";
    if (hbz.fenster) SendMessage(hbz.fenster, WM_COMMAND, static_cast<WPARAM>(befehl), reinterpret_cast<LPARAM>(puffer.c_str()));
}
void hbzArtikelGewaehlt(const char* t) { hbzNachricht(2511, t); }
void hbzDispoGewaehlt(const char* t) { hbzNachricht(2515, t); }
void hbzPrinzipGewaehlt(const char* t) { hbzNachricht(2516, t); }

int hbzInit(int, const char* const*)
{
    DbDlgAnfang(DBBETRMITTEL);
    hbz.fenster = wiDlgFenster();
    HbzAnlegen();
    hbzSchliessen = BmdSchliessenLesen();
    const bmvorgaben& v = BMVorgaben();
    hbzDispoAus = !v.bmduse;
    hbzPrinzipAus = !v.bmpuse;
    hbzArtikelAus = !v.bmluse;
    if (hbzDispoAus) wiItemFrei(3030, 0);
    if (hbzPrinzipAus) wiItemFrei(3032, 0);
    if (hbzArtikelAus) wiItemFrei(3040, 0);
    {
        DbFuellen f;
        wiKnopfSetzen(3002, 1);
        wiKnopfSetzen(3003, 1);
        hbzFragenGezeigt = HbzImmerFragen();
        wiKnopfSetzen(3130, hbzFragenGezeigt);
    }
    if (RsStarten()) {
        for (int i = 0; i < 5; ++i) {
            char name[24];
            std::snprintf(name, sizeof name, "Text %d", i + 1);
            RsFeldAnmelden(3020 + i, name, 1);
        }
    } else {
        wiItemZeigen(2990, 0);
    }
    if (!hbz.q.geladen) HbzNaechste();
    hbzFuellen();
    return 0;
}

int hbzExit()
{
    wiDlgPosSichern(DBBETRMITTEL);
    wiTooltipsLoeschen();
    BmdVorschauEnde();
    if (wiDlgSuchen("DB1354") == 0) EdtFokus();
    hbz.fenster = 0;
    return 0;
}

int hbzBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (int r = BmdOwnerDraw(nachricht, wp, lp, {3100, 3200})) return r;
    if (nachricht == WM_ACTIVATE) {
        if (LOWORD(wp) != WA_INACTIVE && hbzSprung) {
            if (hbz.q.geladen && hbz.q.aktuell.art == 0) StartpunktSetzen(hbz.q.aktuell.stt.x, hbz.q.aktuell.stt.y);
            hbzSprung = 0;
        }
        return 0;
    }
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    const HWND d = wiDlgFenster();
    switch (id) {
    case 1:
        if (DbEnter()) return 1;
        if (wiFokusId() == 3100) {
            hbzDefinitionZeigen(wiListeWahl(3100));
            PostMessage(d, WM_COMMAND, 2500, 0);
        } else if (wiFokusId() == 3110) {
            PostMessage(d, WM_COMMAND, 2505, 0);
        }
        return 1;
    case 2:
        if (!hbz.q.geladen && hbzSchliessen) wiDlgSchliessen();
        else if (wiDlgSuchen("DB1354") == 0) EdtFokus();
        return 1;
    case 3100:
        if (DbFuellt()) return 1;
        if (HIWORD(wp) == LBN_SELCHANGE || HIWORD(wp) == LBN_DBLCLK) hbzDefinitionZeigen(wiListeWahl(3100));
        if (HIWORD(wp) == LBN_DBLCLK) hbzAnwendenDialog();
        return 1;
    case 2500:
        if (!hbz.q.geladen) return 1;
        if ((RsBeimVerlassen() && RsUnbekannteDa(0)) || RsSofort())
            RsPruefen(0, 2504);
        else
            hbzAnwendenDialog();
        return 1;
    case 2504: hbzAnwendenDialog(); return 1;
    case 2501:
        if (hbz.q.geladen) hbzWeiter();
        return 1;
    case 2502: DB1210Oeffnen(hbzArtikelGewaehlt); return 1;
    case 2503:
        if (hbz.q.geladen && hbz.q.aktuell.art == 0) StartpunktSetzen(hbz.q.aktuell.stt.x, hbz.q.aktuell.stt.y);
        return 1;
    case 2505: {
        const std::string such = BmdFeldText(3110, 20);
        const int n = wiListeSuchen(3100, such.c_str(), 0, 0, 0);
        if (n >= 0) hbzDefinitionZeigen(n);
        return 1;
    }
    case 2506:
        hbzFuellen();
        if (!hbz.q.geladen && hbzSchliessen) wiDlgSchliessen();
        return 1;
    case 2508: DB1232Oeffnen(0, hbzDispoGewaehlt); return 1;
    case 2509: DB1232Oeffnen(1, hbzPrinzipGewaehlt); return 1;
    case 2510:
        if (!hbz.q.geladen) {
            HbzNaechste();
            hbzFuellen();
        } else {
            wiZahlSetzen(3300, hbz.q.anzahl + 1);
        }
        return 1;
    case 2511:
    case 2515:
    case 2516: {
        const char* t = reinterpret_cast<const char*>(lp);
        const int feld = id == 2511 ? 3040 : id == 2515 ? 3030 : 3032;
        std::string w = t ? t : "";
        w.resize(std::min<size_t>(w.size(), id == 2511 ? 20 : 10));
        wiTextSetzen(feld, w.c_str());
        return 1;
    }
    case 2999:
        if (HbzImmerFragen() != hbzFragenGezeigt) {
            DbFuellen f;
            hbzFragenGezeigt = HbzImmerFragen();
            wiKnopfSetzen(3130, hbzFragenGezeigt);
        }
        return 1;
    case 3002:
    case 3003:
    case 3070:
    case 3079: return BmdVorschauBefehl(id, lp);
    case 3130:
        if (!DbFuellt()) BefEinreihenCode(134);
        return 1;
    default: return 0;
    }
}

}  // namespace

void DB1350Oeffnen()
{
    if (hbz.fenster) {
        SetForegroundWindow(hbz.fenster);
        return;
    }
    EdtDialogOeffnen("DB1350", hbzInit, hbzExit, hbzBefehl);
}
