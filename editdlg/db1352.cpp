// Sub component assignment: placed symbols wait here for an existing item
// and the sub component entry they stand for; main assignments go first.
#include <cstdio>
#include <cstring>

#include "config/haken.h"
#include "config/reaktion.h"
#include "editdlg/bmtexte.h"
#include "editdlg/zuordint.h"
#include "editdlg/zuordnung.h"
#include "editor/texte.h"
#include "editor/edtseite.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "editor/platzhalter.h"
#include "equipment/apphaken.h"
#include "equipment/btl.h"
#include "editdlg/bautwork.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "model/beffifo.h"
#include "support/texte.h"

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

int UbzWartet()
{
    if (ubz.q.anzahl == 0 && !ubz.q.geladen) return 0;
    if (ubz.fenster)
        SetForegroundWindow(ubz.fenster);
    else
        EdtBefehlPosten(1352);
    return 1;
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
    if (UbzSetzen(id, code, &a.bef, &a.stt, true) != 0) return -1;
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
