// Main component assignment: placed symbols wait here for an equipment
// definition; a symbol whose component one definition uses is assigned at
// once unless the user asks always; the pending insertion of the
// main-component list is placed without asking.
#include <cstdio>
#include <cstring>

#include "config/haken.h"
#include "config/reaktion.h"
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
    int fragen = -1;                  // ask-always; -1 until read
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
    if (spalte) AppSpalteAktualisieren(id, s->x, s->y);
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

// The next row becomes current; the editor's start point goes to it.
void HbzNaechste()
{
    if (hbz.q.naechste()) {
        hbz.q.aktuell.def = -1;
        AppGeaendert(0, 1);
        if (hbz.q.aktuell.art == 0) StartpunktSetzen(hbz.q.aktuell.stt.x, hbz.q.aktuell.stt.y);
    }
}

}  // namespace

int HbzImmerFragen()
{
    if (hbz.fragen < 0) hbz.fragen = BMVorgaben().bmhbzu ? 1 : 0;
    return hbz.fragen;
}

void HbzImmerFragenSetzen(int an) { hbz.fragen = an ? 1 : 0; }

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
            if (HbzErzeugen(z.def, b, s, HbzDefTexte(z.def), false) == 0) BefEinreihenCode(1);
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
    hbz.fragen = -1;
    hbz.fenster = 0;
}
