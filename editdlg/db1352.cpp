// Sub component assignment: placed symbols wait here for an existing item
// and the sub component entry they stand for; main assignments go first.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "config/haken.h"
#include "config/reaktion.h"
#include "editdlg/bmdlg.h"
#include "editdlg/dbdialog.h"
#include "editdlg/bmtexte.h"
#include "editdlg/zuordint.h"
#include "editdlg/zuordnung.h"
#include "editor/texte.h"
#include "editor/edtseite.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "equipment/apphaken.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/hauspindex.h"
#include "equipment/definier.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "editdlg/bautwork.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "model/beffifo.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"
#include "config/apstil.h"

namespace {

struct apparat {
    BEF bef;
    STT stt;
    int32_t id;
    char code[4];
};

struct UbzZustand {
    ZuoSchlange<apparat> q;
    int32_t vorId = -1;               // pending insertion
    char vorName[ZUONAMSUP + 1] = "";
    char vorCode[BTLCDSUP + 1] = "";
    HWND fenster = 0;
};
UbzZustand ubz;

void UbzAufwischen(int32_t, const char*) { ubz.q.frei(); }

void UbzAnlegen()
{
    if (ubz.q.zeilen) return;
    ubz.q.modul = "db1352";
    ubz.q.anlegen("(liste=fmalloc(APPSUP,sizeof(struct apparat))) != NULL");
    AufwischenAnmelden(UbzAufwischen, 0, "Unterbauteil zuweisen");
}

void UbzNaechste()
{
    if (ubz.q.naechste()) {
        ubz.q.aktuell.id = -1;
        strkopie(ubz.q.aktuell.code, "_", 3);
        AppGeaendert(0, 1);
        StartpunktSetzen(ubz.q.aktuell.stt.x, ubz.q.aktuell.stt.y);
    }
}

void UbzZeigen()
{
    if (HbzWartet()) return;  // the main dialog comes first
    if (!ubz.q.geladen) UbzNaechste();
    if (ubz.fenster)
        PostMessage(ubz.fenster, WM_COMMAND, 2510, 0);
    else
        EdtBefehlPosten(1352);
}

// Places entry `code` of item `id` at the row's symbol.
int UbzSetzen(uint32_t id, const char* code, const BEF* b, const STT* s, bool alteTexte)
{
    const int nr = BtlPlatzieren(id, code, AppZeiName(), s->x, s->y);
    if (nr < 0) return -1;
    AppListenSortieren();
    AppGeaendert(id, 1);
    if (alteTexte) TexteLoeschen(b, s, 0);
    TexteEinfuegen(b, s, id, code, nr);
    return 0;
}

}  // namespace

void UbzNeuesSymbol(const BEF* b, const STT* s)
{
    if (!AppAktiv()) return;
    UbzAnlegen();
    if (ubz.vorId >= 0 && std::strcmp(b->text, ubz.vorName) == 0) {
        const uint32_t id = static_cast<uint32_t>(ubz.vorId);
        ubz.vorId = -1;
        UbzSetzen(id, ubz.vorCode, b, s, false);
        return;
    }
    ubz.vorId = -1;
    if (ubz.q.voll()) {
        InfoZuordnen(b, s);
        char t[200];
        std::snprintf(t, sizeof t, TextNr3000(45), b->text);
        StatusMeldung(t);
        return;
    }
    apparat a{};
    a.bef = *b;
    a.stt = *s;
    a.id = -1;
    strkopie(a.code, "_", 3);
    ubz.q.anhaengen(a);
    AppGeaendert(0, 1);
    UbzZeigen();
}

int UbzPlatzieren(uint32_t id, const char* name, const char* code, int winkel)
{
    if (!name[0] || !BautBauteilDa(BefAktZustand()->bd, name)) {
        char t[200];
        std::snprintf(t, sizeof t, TextNr1000(43), name);
        StatusMeldung(t);
        return -1;
    }
    ubz.vorId = static_cast<int32_t>(id);
    strkopie(ubz.vorName, name, ZUONAMSUP);
    strkopie(ubz.vorCode, code, BTLCDSUP);
    if (winkel == 0)
        BefEinreihenText(80, name);
    else
        BefEinreihenIntText(81, winkel, name);
    return 0;
}

int UbzNameVorgemerkt(const char* name) { return ubz.vorId >= 0 && std::strcmp(name, ubz.vorName) == 0 ? 1 : 0; }

void ZuoNachholen()
{
    static bool laeuft = false;  // an assignment made at once may open a dialog again
    if (laeuft) return;
    laeuft = true;
    AppNachholen([](const char* name, double x, double y) -> int {
        return HbzBeiSymbol(name, x, y) || UbzBeiSymbol(name, x, y);
    });
    laeuft = false;
}

int UbzWartet()
{
    if (ubz.q.anzahl == 0 && !ubz.q.geladen) return 0;
    if (ubz.fenster)
        SetForegroundWindow(ubz.fenster);
    else
        EdtBefehlPosten(1352);
    return 1;
}

int UbzBeiSymbol(const char* name, double x, double y)
{
    if (!ubz.q.zeilen) return 0;
    for (int i = 0; i < ubz.q.anzahl; ++i)
        if (ubz.q.bei(ubz.q.zeilen[i], name, x, y)) return 1;
    return ubz.q.geladen && ubz.q.bei(ubz.q.aktuell, name, x, y) ? 1 : 0;
}

void UbzSymbolGeloescht(const char* name, double x, double y)
{
    if (!ubz.q.zeilen) return;
    if (ubz.q.entfernen(name, x, y)) {
        ubz.q.geladen = 0;  // dropped: nothing registered
        UbzNaechste();
        if (ubz.fenster) PostMessage(ubz.fenster, WM_COMMAND, 2506, 0);
    }
    AppGeaendert(0, 1);
}

void UbzSymbolVerschoben(const char* name, double x, double y, double nx, double ny)
{
    if (!ubz.q.zeilen) return;
    ubz.q.verschieben(name, x, y, nx, ny);
    AppGeaendert(0, 1);
}

void UbzSymbolUmbenannt(const char* name, const char* neu, double x, double y)
{
    if (!ubz.q.zeilen) return;
    if (ubz.q.umbenennen(name, neu, x, y) && ubz.fenster) PostMessage(ubz.fenster, WM_COMMAND, 2506, 0);
    AppGeaendert(0, 1);
}

long UbzPacken(void* puffer) { return ubz.q.packen(puffer); }

void UbzEntpacken(const void* puffer)
{
    UbzAnlegen();
    const int vorher = ubz.q.geladen;
    ubz.q.entpacken(puffer);
    if (vorher && !ubz.q.geladen && ubz.fenster) PostMessage(ubz.fenster, WM_COMMAND, 2, 0);
    if (!vorher && ubz.q.geladen) UbzWartet();
    if (ubz.fenster) PostMessage(ubz.fenster, WM_COMMAND, 2506, 0);
}

int UbzAnwenden(uint32_t id, const char* code)
{
    if (!ubz.q.geladen || !code[0] || std::strcmp(code, "_") == 0) return -1;
    // Only an unplaced entry of the symbol's own component takes it.
    appbteil e;
    if (!BtlFreieSuchen(id, code, -1, ubz.q.aktuell.bef.text, &e)) return -1;
    const apparat a = ubz.q.aktuell;
    BefGruppeHalten();  // until the _BMG below: the entry and its texts are one undo step
    if (UbzSetzen(id, code, &a.bef, &a.stt, true) != 0) {
        BefEinreihenCode(1);
        return -1;
    }
    BefEinreihenCode(1);
    UbzNaechste();
    return 0;
}

void UbzUeberspringen()
{
    if (!ubz.q.zeilen) return;
    if (ubz.q.geladen) {
        InfoZuordnen(&ubz.q.aktuell.bef, &ubz.q.aktuell.stt);
        AppGeaendert(0, 1);
    }
    UbzNaechste();
}

void UbzSchliessen()
{
    if (!ubz.q.zeilen) return;
    while (ubz.q.geladen) UbzUeberspringen();
    ubz.fenster = 0;
}

int UbzAnzahl() { return ubz.q.anzahl; }
int UbzGeladen() { return ubz.q.geladen; }

int UbzAktuell(char* name, size_t kap, double* x, double* y)
{
    if (!ubz.q.geladen) return -1;
    strkopie(name, kap, ubz.q.aktuell.bef.text, ZUONAMSUP);
    *x = ubz.q.aktuell.stt.x;
    *y = ubz.q.aktuell.stt.y;
    return 0;
}

void UbzZuruecksetzen()
{
    ubz.q.frei();
    ubz.vorId = -1;
    ubz.fenster = 0;
}

void HbzZuruecksetzen();

void ZuordnungZuruecksetzen()
{
    HbzZuruecksetzen();
    UbzZuruecksetzen();
}

void ZuordnungHakenSetzen()
{
    AppHaken h;
    h.DB1350Wartet = HbzNameVorgemerkt;
    h.DB1350Zuordnen = HbzNeuesSymbol;
    h.DB1350Entfernen = HbzSymbolGeloescht;
    h.DB1350Verschieben = HbzSymbolVerschoben;
    h.DB1350Umbenennen = HbzSymbolUmbenannt;
    h.DB1350Packen = HbzPacken;
    h.DB1350Entpacken = HbzEntpacken;
    h.DB1352Wartet = UbzNameVorgemerkt;
    h.DB1352Zuordnen = UbzNeuesSymbol;
    h.DB1352Entfernen = UbzSymbolGeloescht;
    h.DB1352Verschieben = UbzSymbolVerschoben;
    h.DB1352Umbenennen = UbzSymbolUmbenannt;
    h.DB1352Packen = UbzPacken;
    h.DB1352Entpacken = UbzEntpacken;
    h.DB1354Anlegen = AppTextAnlegen;
    h.DB1354Packen = AppTextPacken;
    h.DB1354Entpacken = AppTextEntpacken;
    h.DB1361Packen = AppKennungPacken;
    h.DB1361Entpacken = AppKennungEntpacken;
    AppHakenSetzen(h);
}

// ---- Dialog DB1352 ------------------------------------------------------------------------------

namespace {

int ubzSchliessen = 1;
int ubzSprung = 0;
int ubzZaehler = -1;  // equipment change counter of the last fill

uint32_t ubzGewaehltesGeraet()
{
    const int n = wiListeWahl(3100);
    if (n < 0) return 0;
    const int l = wiListeAnzahl(3100) > 0 ? static_cast<int>(SendMessage(wiItem(3100), LB_GETTEXTLEN, static_cast<WPARAM>(n), 0)) : 0;
    if (l <= 40) return 0;
    std::vector<char> t(static_cast<size_t>(l) + 1);
    wiListeText(3100, n, t.data());
    return static_cast<uint32_t>(std::strtoul(t.data() + 40, nullptr, 10));
}

void ubzKnoepfe()
{
    const bool an = ubz.q.geladen && std::strcmp(ubz.q.aktuell.code, "_") != 0 && ubz.q.aktuell.code[0];
    BmdKnopf(2500, an, "BUTTOK", "OKGRAU");
    BmdKnopf(2503, an, "BUTTJUMP", "JUMPGRAU");
    BmdKnopf(2501, true, "BUTTESC", "ESCGRAU");
}

// The selected component row of 3200 becomes the row's code when it is
// unplaced and of the symbol's own component.
void ubzKomponenteNehmen()
{
    if (!ubz.q.geladen) return;
    strkopie(ubz.q.aktuell.code, "_", 3);
    const int n = wiListeWahl(3200);
    if (n >= 0 && BmdListeFeld(3200, n, 0) == "0") {
        strkopie(ubz.q.aktuell.code, sizeof ubz.q.aktuell.code, BmdListeFeld(3200, n, 2).c_str(), 3);
        if (BmdListeFeld(3200, n, 3) != ubz.q.aktuell.bef.text) strkopie(ubz.q.aktuell.code, "_", 3);
    }
    ubzKnoepfe();
}

void ubzKennungZeigen()
{
    char t[120] = "";
    if (ubz.q.geladen && ubz.q.aktuell.id >= 0) {
        const uint32_t id = static_cast<uint32_t>(ubz.q.aktuell.id);
        char kenn[HULKENNSUP + 1] = "", text[DEFTEXTSUP + 1] = "";
        modh::BMKennungHolen(kenn, sizeof kenn, id);
        GtxHauptText(id, 0, text, sizeof text);
        LRefAufloesen(id, text, sizeof text);
        if (std::strlen(kenn) < 20 && std::strlen(text) < 20)
            std::snprintf(t, sizeof t, "%s  %s", kenn, text);
        else
            strkopie(t, sizeof t, text, 100);
    }
    DbFuellen f;
    wiTextSetzen(3020, t);
}

void ubzKomponentenFuellen()
{
    const uint32_t id = ubzGewaehltesGeraet();
    if (ubz.q.geladen) ubz.q.aktuell.id = id ? static_cast<int32_t>(id) : -1;
    {
        DbFuellen f;
        wiListeLeeren(3200);
        if (id) {
            const std::vector<appbteil> apl = BmdTeile(id);
            for (const appbteil& b : apl) {
                const std::string s = BmdTeilText(b);
                char hex[12];
                std::snprintf(hex, sizeof hex, "%04X", b.id);
                wiListeAnhaengen(3200, BmdZeile(s, {b.platziert ? "1" : "0", hex, b.cd, b.bl}).c_str());
            }
            if (!apl.empty()) wiListeWahlSetzen(3200, 0);
            for (int i = 0; i < static_cast<int>(apl.size()); ++i)
                if (!apl[static_cast<size_t>(i)].platziert && ubz.q.geladen &&
                    strvgl(apl[static_cast<size_t>(i)].bl, ubz.q.aktuell.bef.text) == 0) {
                    wiListeWahlSetzen(3200, i);
                    break;
                }
        }
    }
    ubzKennungZeigen();
    ubzKomponenteNehmen();
}

void ubzFuellen()
{
    ubzZaehler = AppAenderZaehler();
    {
        DbFuellen f;
        wiTextSetzen(3000, ubz.q.geladen ? ubz.q.aktuell.bef.text : "");
        wiListeLeeren(3100);
        if (ubz.q.geladen && ubz.q.aktuell.bef.text[0]) {
            HbkIndexAufbauen();
            HbkListeSortieren(0);
            // Every item with a sub component of that name (placed ones too when 3120 is set)
            // goes into the identifier index.
            const auto BtlUnterMitBauteil = BtlUnterNachName;
            BtlUnterMitBauteil(
                ubz.q.aktuell.bef.text, wiKnopf(3120),
                [](uint32_t id, void*) {
                    const auto HbkZeileAufnehmen = HbkListeDazu;
                    appgeraet g{};
                    if (GesHolen(id, &g) == 0) HbkZeileAufnehmen(&g);
                },
                nullptr);
            HbkListeDurchlaufen(
                [](const hbkzeile* z, void*) {
                    char text[DEFTEXTSUP + 1] = "", t[120];
                    GtxHauptText(z->geraet.id, 0, text, sizeof text);
                    if (std::strlen(z->kenn) >= 20)
                        std::snprintf(t, sizeof t, "%-40.40s%u", z->kenn, z->geraet.id);
                    else
                        std::snprintf(t, sizeof t, "%-20.20s%-20.20s%u", z->kenn, text, z->geraet.id);
                    wiListeAnhaengen(3100, t);
                    return 1;  // every item that has the component free
                },
                nullptr);
            HbkIndexFrei();
            if (wiListeAnzahl(3100) > 0) wiListeWahlSetzen(3100, 0);
        }
        wiZahlSetzen(3300, ubz.q.anzahl + (ubz.q.geladen ? 1 : 0));
    }
    ubzKomponentenFuellen();
}

void ubzSprungSetzen()
{
    if (!ubz.q.geladen) return;
    if (wiDlgSuchen("DB1354") != 0)
        ubzSprung = 1;
    else
        StartpunktSetzen(ubz.q.aktuell.stt.x, ubz.q.aktuell.stt.y);
}

void ubzWeiter()
{
    ubzFuellen();
    if (!ubz.q.geladen && ubzSchliessen) {
        wiDlgSchliessen();
        return;
    }
    ubzSprungSetzen();
}

int ubzInit(int, const char* const*)
{
    DbDlgAnfang(DBBETRMITTEL);
    ubz.fenster = wiDlgFenster();
    UbzAnlegen();
    ubzSchliessen = BmdSchliessenLesen();
    if (!ubz.q.geladen) UbzNaechste();
    ubzFuellen();
    return 0;
}

int ubzExit()
{
    wiDlgPosSichern(DBBETRMITTEL);
    wiTooltipsLoeschen();
    UbzSchliessen();
    if (wiDlgSuchen("DB1354") == 0) EdtFokus();
    ubz.fenster = 0;
    return 0;
}

int ubzBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (int r = BmdOwnerDraw(nachricht, wp, lp, {3100, 3200})) return r;
    if (nachricht == WM_ACTIVATE) {
        if (LOWORD(wp) != WA_INACTIVE && ubzSprung) {
            if (ubz.q.geladen) StartpunktSetzen(ubz.q.aktuell.stt.x, ubz.q.aktuell.stt.y);
            ubzSprung = 0;
        }
        return 0;
    }
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    const HWND d = wiDlgFenster();
    const bool nutzbar = ubz.q.geladen && std::strcmp(ubz.q.aktuell.code, "_") != 0;
    switch (id) {
    case 1:
        if (DbEnter()) return 1;
        if (wiFokusId() == 3100) {
            ubzKomponentenFuellen();
            wiItemFokus(3200);
        } else if (wiFokusId() == 3200) {
            ubzKomponenteNehmen();
            if (ubz.q.geladen && std::strcmp(ubz.q.aktuell.code, "_") != 0) PostMessage(d, WM_COMMAND, 2500, 0);
        } else if (wiFokusId() == 3110) {
            PostMessage(d, WM_COMMAND, 2505, 0);
        }
        return 1;
    case 2:
        if (!ubz.q.geladen && ubzSchliessen) wiDlgSchliessen();
        else if (wiDlgSuchen("DB1354") == 0) EdtFokus();
        return 1;
    case 3100:
        if (DbFuellt()) return 1;
        if (HIWORD(wp) == LBN_SELCHANGE || HIWORD(wp) == LBN_DBLCLK) ubzKomponentenFuellen();
        if (HIWORD(wp) == LBN_DBLCLK && ubz.q.geladen && std::strcmp(ubz.q.aktuell.code, "_") != 0)
            PostMessage(d, WM_COMMAND, 2500, 0);
        return 1;
    case 3200:
        if (DbFuellt()) return 1;
        if (HIWORD(wp) == LBN_SELCHANGE || HIWORD(wp) == LBN_DBLCLK) ubzKomponenteNehmen();
        if (HIWORD(wp) == LBN_DBLCLK && ubz.q.geladen && std::strcmp(ubz.q.aktuell.code, "_") != 0)
            PostMessage(d, WM_COMMAND, 2500, 0);
        return 1;
    case 2500:
        if (!nutzbar || ubz.q.aktuell.id < 0) return 1;
        if (UbzAnwenden(static_cast<uint32_t>(ubz.q.aktuell.id), ubz.q.aktuell.code) == 0) ubzWeiter();
        return 1;
    case 2501:
        UbzUeberspringen();
        ubzWeiter();
        return 1;
    case 2503:
        if (ubz.q.geladen) StartpunktSetzen(ubz.q.aktuell.stt.x, ubz.q.aktuell.stt.y);
        return 1;
    case 2505: {
        const std::string such = BmdFeldText(3110, 20);
        if (wiListeSuchen(3100, such.c_str(), 0, 0, 0) >= 0) ubzKomponentenFuellen();
        return 1;
    }
    case 2506:
        ubzFuellen();
        if (!ubz.q.geladen && ubzSchliessen) wiDlgSchliessen();
        return 1;
    case 2510:
        if (!ubz.q.geladen) {
            UbzNaechste();
            ubzFuellen();
        } else {
            wiZahlSetzen(3300, ubz.q.anzahl + 1);
        }
        return 1;
    case 2999:
        if (AppAenderZaehler() != ubzZaehler) ubzFuellen();
        return 1;
    case 3120:
        if (!DbFuellt()) ubzFuellen();
        return 1;
    default: return 0;
    }
}

}  // namespace

void DB1352Oeffnen()
{
    if (ubz.fenster) {
        SetForegroundWindow(ubz.fenster);
        return;
    }
    if (HbzWartet()) return;  // main assignments first
    EdtDialogOeffnen("DB1352", ubzInit, ubzExit, ubzBefehl);
}
