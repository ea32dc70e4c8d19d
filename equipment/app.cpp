// The equipment work layer of the editor (see app.h). Prefix `App`.
#include "equipment/app.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "config/konfhaken.h"
#include "config/reaktion.h"
#include "equipment/apphaken.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/tempzeic.h"
#include "model/textvar.h"
#include "model/undo.h"
#include "model/zeichnun.h"
#include "model/zerleg.h"
#include "support/basis.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

constexpr const char* APPGESPERRT = "Betriebsmittel kann nicht ge\xE4ndert werden: Die Verwendung ist abgeschaltet.";

bool appAn = false;
bool appVerwendung = false;  // the equipment use the link last followed
bool appGestartet = false;
std::vector<wartet> appWarte;
int appZaehler = 0;
appring appRing[APPRINGSUP];
int appRingIndex = 0;

// Snapshot slots: the packed parts one after another, and where each
// part begins (the unpackers take a pointer to their part).
constexpr int APPTEILE = 9;
struct AppSlot {
    std::vector<char> daten;
    long teil[APPTEILE];
};
AppSlot appSlots[APPSLOTSUP];
int appAktSlot = -1;
int appLetzterZaehler = 0;
int appLetzteGen = 0;

bool appObjMarke = false;
bool appMarkAlt = false;

// ---- snapshot parts ---------------------------------------------------------

using AppPacker = long (*)(void*);
using AppEntpacker = void (*)(const void*);
const AppPacker appPacker[APPTEILE] = {GesPacken,    BtlPacken,    GtxSichern,   ZtxSichern,  WsePacken,
                                       DB1350Packen, DB1352Packen, DB1354Packen, DB1361Packen};
const AppEntpacker appEntpacker[APPTEILE] = {GesEntpacken,    BtlEntpacken,    GtxHerstellen,
                                             ZtxHerstellen,   WseEntpacken,    DB1350Entpacken,
                                             DB1352Entpacken, DB1354Entpacken, DB1361Entpacken};

void AppPacken(AppSlot& slot)
{
    long groesse[APPTEILE];
    long summe = 0;
    for (int i = 0; i < APPTEILE; ++i) {
        groesse[i] = std::max(0L, appPacker[i](nullptr));
        slot.teil[i] = summe;
        summe += groesse[i];
    }
    slot.daten.assign(static_cast<size_t>(summe), 0);
    for (int i = 0; i < APPTEILE; ++i)
        if (groesse[i] > 0) appPacker[i](slot.daten.data() + slot.teil[i]);
}

// ---- expansion -----------------------------------------------------------------

// The primitives of one record, collected by the expander's callback.
struct AppPrimitiv {
    BEF bef;
    STT stt;
};
std::vector<AppPrimitiv>* appSammlung = nullptr;

int AppSammeln(const BEF* b, const STT* s)
{
    if (appSammlung != nullptr && BefIstZB(b->code)) appSammlung->push_back({*b, *s});
    return 0;
}

std::vector<AppPrimitiv> AppZerlegen(const BEF* b, const STT* s)
{
    std::vector<AppPrimitiv> liste;
    STT kopie = *s;
    std::vector<AppPrimitiv>* vorher = appSammlung;
    appSammlung = &liste;
    BefZerlegen(b, &kopie, AppSammeln);
    appSammlung = vorher;
    return liste;
}

void AppObjektPruefen(const BEF* b, const STT* s)
{
    if (!BefIstZB(b->code)) return;
    const char* name = b->text;
    int art = 0;
    if (DB1350Wartet(name))
        art = 1;
    else if (DB1352Wartet(name))
        art = 2;
    else if (DefBauteilVorhanden(name))
        art = 3;
    else if (BtlBauteilVerwendet(name))
        art = 4;
    else if (DefInfoVorhanden(name))
        art = 5;
    if (art == 0) return;
    if (static_cast<int>(appWarte.size()) >= WRTSUP - 1) return;
    appWarte.push_back({art, *b, *s});
}

void AppSchluessel(char (&ze)[21])
{
    ZeiExtHolen(AppZeiName(), ze);
}

void AppEintragSetzen(appbteil& ziel, const appbteil& alt)
{
    ziel.platziert = alt.platziert;
    ziel.x = alt.x;
    ziel.y = alt.y;
    strkopie(ziel.ze, alt.ze, BTLTEXTSUP);
    strkopie(ziel.bs, alt.bs, BTLBSSUP);
}

// The remembered entry `alt` takes over the unplaced entry `neu` of the item.
void AppUnterUebernehmen(uint32_t id, const appbteil& neu, const appbteil& alt)
{
    appbteil ziel = neu;
    if (neu.nr != 0) {
        const int k = BtlPlatzierenNr(id, neu.cd);
        if (k < 0 || !BtlSuchen(id, neu.cd, k, &ziel)) return;
    }
    AppEintragSetzen(ziel, alt);
    BtlEintragAendern(id, ziel.cd, ziel.nr, &ziel);
}

struct AppSuche {
    const char* bl;
    const char* cd;  // null: any sub component
    appbteil treffer;
    bool gefunden;
};

bool AppFreieSuchen(uint32_t id, const char* cd, const char* bl, appbteil* aus)
{
    AppSuche s{bl, cd, {}, false};
    BtlDurchlaufen(
        id,
        [](const appbteil* b, void* u) {
            auto* s = static_cast<AppSuche*>(u);
            if (s->gefunden || b->platziert != 0 || std::strcmp(b->bl, s->bl) != 0) return;
            if (s->cd != nullptr ? std::strcmp(b->cd, s->cd) != 0 : !NhuIstUnter(b->cd)) return;
            s->treffer = *b;
            s->gefunden = true;
        },
        &s);
    if (s.gefunden) *aus = s.treffer;
    return s.gefunden;
}

void AppZusatzSetzen(uint32_t id, const char* name, const char* code)
{
    if (!appAn) return;
    appbteil alt;
    const bool da = BtlSuchen(id, code, 0, &alt) != 0;
    char a[BTLTEXTSUP + 1] = "", n[BTLTEXTSUP + 1] = "";
    if (da) strkopie(a, alt.bl, BTLTEXTSUP);
    strkopie(n, name != nullptr ? name : "", BTLTEXTSUP);
    strtrim(a);
    strtrim(n);
    if (std::strcmp(a, n) == 0) return;
    if (a[0] && n[0]) {
        strkopie(alt.bl, n, BTLTEXTSUP);
        BtlEintragAendern(id, code, 0, &alt);
    } else if (!a[0]) {
        appbteil e{};
        e.id = id;
        strkopie(e.cd, code, 1);
        strkopie(e.bl, n, BTLTEXTSUP);
        appbteil h;
        if (BtlSuchen(id, "H", 0, &h)) strkopie(e.tt, h.tt, BTLTEXTSUP);
        BtlEintragAnhaengen(&e);
    } else {
        BtlEintragLoeschen(id, code, 0);
    }
    AppGeaendert(id, 1);
    BtlSortieren();
}

}  // namespace

// ---- life -------------------------------------------------------------------------

void AppInit()
{
    appWarte.clear();
    appWarte.reserve(WRTSUP);
    BauAequiLeeren();
    appObjMarke = false;
    appMarkAlt = false;
    // No start value is given; the frame refuses the editor's equipment mode
    // while the link is off, so it starts on when equipment use is set.
    appVerwendung = BMVerwendet() != 0;
    appAn = appVerwendung;
    appGestartet = true;
}

void AppFrei()
{
    BauAequiFrei();
    appWarte.clear();
    appWarte.shrink_to_fit();
    AppZuruecksetzen();
    appGestartet = false;
}

void AppZuruecksetzen()
{
    appLetzterZaehler = 0;
    appAktSlot = -1;
    appLetzteGen = 0;
    for (auto& s : appSlots) {
        s.daten.clear();
        s.daten.shrink_to_fit();
    }
}

void AppZaehlerLoeschen()
{
    appZaehler = 0;
    AppZuruecksetzen();
}

int AppUmschalten()
{
    if (!BMVerwendet()) {
        konfHaken().warnung(TextLaden(1304));
        return 0;
    }
    appAn = !appAn;
    return appAn ? 1 : 0;
}

int AppAktiv() { return appAn ? 1 : 0; }

void AppVerwendungFolgen()
{
    const bool v = BMVerwendet() != 0;
    if (v != appVerwendung) appAn = v;
    appVerwendung = v;
}
void AppAktivSetzen(int an) { appAn = an != 0; }
int AppAenderZaehler() { return appZaehler; }

int AppGeaendert(uint32_t id, int art)
{
    TzGeaendertSetzen();
    appZaehler = std::max(appZaehler + 1, 1);
    const int gen = BefGeneration();
    if (id != 0) {
        appRing[appRingIndex] = {id, art, appZaehler, gen};
        appRingIndex = (appRingIndex + 1) % APPRINGSUP;
    }
    return gen;
}

void AppRingDurchlaufen(int zaehler, APPRINGFN fn, void* benutzer)
{
    for (const auto& r : appRing)
        if (r.id != 0 && r.zaehler == zaehler) fn(r.id, r.art, benutzer);
}

void AppListenSortieren()
{
    GtxSortieren();
    BtlSortieren();
    ZtxSortieren();
}

// ---- the store's calls ---------------------------------------------------------------

void AppBmObjektNeu(const BEF* b, const STT* s)
{
    if (!BefIstZB(b->code) || !appAn) return;
    for (const auto& p : AppZerlegen(b, s)) AppObjektPruefen(&p.bef, &p.stt);
}

void AppBmObjektGeloescht(const BEF* b, const STT* s)
{
    if (!BefIstZB(b->code) || !appAn) return;
    const char* zname = AppZeiName();
    for (const auto& p : AppZerlegen(b, s)) {
        const char* name = p.bef.text;
        const double x = p.stt.x, y = p.stt.y;
        appbteil aus{};
        const int r = BtlPlatzFreigeben(name, zname, x, y, &aus);
        if (r != 0) {
            TexteLoeschen(&p.bef, &p.stt, 0);
            if (r == 1) {
                AppGeaendert(aus.id, 1);
                ZtxBauteilLoeschen(aus.id, aus.cd, aus.nr);
            } else {
                AppGeaendert(aus.id, 3);
                GesLoeschen(aus.id);
                BtlEintraegeLoeschen(aus.id);
                GtxLoeschen(aus.id);
                ZtxLoeschen(aus.id);
            }
            if (BtlIstHaupt(aus.cd)) AppSpalteAktualisieren(0, aus.x, aus.y);
        }
        if (WsePlatzFreigeben(name, zname, x, y)) {
            TexteLoeschen(&p.bef, &p.stt, 0);
            AppGeaendert(0, 1);
        }
        DB1350Entfernen(name, x, y);
        DB1352Entfernen(name, x, y);
    }
    AppListenSortieren();
}

void AppObjektVerschoben(int objekt, const char* name, const char* zname, double x, double y, double nx, double ny)
{
    if (!appAn) return;
    appbteil aus{};
    const long id = BtlPlatzVerschieben(objekt, name, zname, x, y, nx, ny, &aus);
    if (id >= 0) {
        if (objekt != 0) appObjMarke = true;
        AppGeaendert(static_cast<uint32_t>(id), 1);
        if (BtlIstHaupt(aus.cd)) AppSpalteAktualisieren(static_cast<uint32_t>(id), x, y);
    }
    if (WsePlatzVerschieben(name, zname, x, y, nx, ny)) AppGeaendert(0, 1);
    DB1350Verschieben(name, x, y, nx, ny);
    DB1352Verschieben(name, x, y, nx, ny);
    AppListenSortieren();
}

void AppBmObjektGeaendert(int objekt, const BEF* ab, const STT* as, const BEF* nb, const STT* ns)
{
    const bool a = BefIstZB(ab->code) != 0, b = BefIstZB(nb->code) != 0;
    if ((!a && !b) || !appAn) return;
    if (a && !b) {
        AppBmObjektGeloescht(ab, as);
        return;
    }
    if (!a) {
        AppBmObjektNeu(nb, ns);
        return;
    }
    const char* zname = AppZeiName();
    const uint32_t id = BtlAnPositionId(ab->text, zname, as->x, as->y);
    if (std::strcmp(ab->text, nb->text) == 0) {
        const auto alt = AppZerlegen(ab, as);
        const auto neu = AppZerlegen(nb, ns);
        if (alt.empty()) {
            AppGeaendert(id, 1);
            return;
        }
        for (size_t i = 0; i < alt.size() && i < neu.size(); ++i) {
            const STT& so = alt[i].stt;
            const STT& sn = neu[i].stt;
            if (so.x != sn.x || so.y != sn.y)
                AppObjektVerschoben(objekt, alt[i].bef.text, zname, so.x, so.y, sn.x, sn.y);
        }
        AppGeaendert(id, 1);
        return;
    }
    if (!BauAequivalent(ab->text, nb->text)) {
        AppBmObjektGeloescht(ab, as);
        AppBmObjektNeu(nb, ns);
        return;
    }
    appbteil aus{};
    BtlAnPositionUmbenennen(ab->text, nb->text, zname, as->x, as->y, &aus);
    WseUmbenennen(ab->text, nb->text, zname, as->x, as->y);
    DB1350Umbenennen(ab->text, nb->text, as->x, as->y);
    DB1352Umbenennen(ab->text, nb->text, as->x, as->y);
    AppGeaendert(id, 1);
}

int AppAenderungErlaubt(const BEF* b, const STT* s)
{
    if (!BefIstZB(b->code) || appAn) return 1;
    const char* zname = AppZeiName();
    for (const auto& p : AppZerlegen(b, s)) {
        appbteil aus;
        if (BtlAnPositionSuchen(p.bef.text, zname, p.stt.x, p.stt.y, &aus)) return 0;
    }
    return 1;
}

void AppGesperrtMeldung() { modh::StatusMeldung(APPGESPERRT); }

void AppBmWarteListeAbarbeiten()
{
    if (appWarte.empty() || !appAn) return;
    // A dialog may draw and so queue again: work on the entries as taken.
    std::vector<wartet> liste;
    liste.swap(appWarte);
    appWarte.reserve(WRTSUP);
    for (const auto& w : liste) {
        if (w.art == 1 || w.art == 3)
            DB1350Zuordnen(&w.bef, &w.stt);
        else if (w.art == 2 || w.art == 4)
            DB1352Zuordnen(&w.bef, &w.stt);
        else if (w.art == 5)
            InfoZuordnen(&w.bef, &w.stt);
    }
}

int AppBmUndoSichern()
{
    if (appZaehler == appLetzterZaehler && appAktSlot >= 0) return 0;
    const int g = BefGeneration();
    if (g != appLetzteGen || appAktSlot < 0) {
        const int neu = (appAktSlot + 1) % APPSLOTSUP;
        AppPacken(appSlots[neu]);
        const auto UndoAppEintrag = UndoAppMerken;  // the journal's record of the equipment kind
        UndoAppEintrag(static_cast<uint32_t>(appLetzteGen), static_cast<uint32_t>(g), std::max(appAktSlot, 0), neu);
        appAktSlot = neu;
        appLetzteGen = g;
    } else {
        AppPacken(appSlots[appAktSlot]);
    }
    appLetzterZaehler = appZaehler;
    return 1;
}

void AppBmZustandHolen(int slot)
{
    if (slot < 0 || slot >= APPSLOTSUP) return;
    AppSlot& s = appSlots[slot];
    if (s.daten.empty()) return;  // freed: the lists stay as they are
    for (int i = 0; i < APPTEILE; ++i) appEntpacker[i](s.daten.data() + s.teil[i]);
    appZaehler = std::max(appZaehler + 1, 1);
    appLetzterZaehler = appZaehler;
    appAktSlot = slot;
}

void AppMarkenPruefen()
{
    const bool m = SeqMarkAnzahl() > 0;
    if (!m && appMarkAlt && appObjMarke) {
        BtlObjektMarkenLoeschen();
        appObjMarke = false;
    }
    appMarkAlt = m;
}

void AppDispoSetzen(uint32_t id, const char* name) { AppZusatzSetzen(id, name, "D"); }
void AppPrinzipSetzen(uint32_t id, const char* name) { AppZusatzSetzen(id, name, "P"); }

void AppSpalteAktualisieren(uint32_t id, double x, double y)
{
    (void)y;
    const double d = BMVorgaben().spabst;
    const char* zname = AppZeiName();
    char ze[21];
    AppSchluessel(ze);
    const int spalte = ZeiSpalteNr(zname, x);
    appgeraet gegeben{};
    const bool mitId = id != 0 && GesHolen(id, &gegeben) == 0;
    struct Lauf {
        uint32_t id;
        bool mitId;
        const char* kg;
        int spalte;
        std::vector<uint32_t> ids;
    } lauf{id, mitId, gegeben.kg, spalte, {}};
    BtlHauptAufZeichnung(
        ze,
        [](const appbteil* b, void* u) {
            auto* l = static_cast<Lauf*>(u);
            if (b->platziert == 0 || b->id == l->id || b->nr != 0) return;
            if (ZeiSpalteNr(b->ze, b->x) != l->spalte) return;
            if (l->mitId) {
                appgeraet g;
                if (GesHolen(b->id, &g) != 0 || std::strcmp(g.kg, l->kg) != 0) return;
            }
            l->ids.push_back(b->id);
        },
        &lauf);
    for (const uint32_t anderer : lauf.ids) {
        AppGeaendert(anderer, 1);
        struct Flaeche {
            const char* ze;
            double d;
        } f{ze, d};
        BtlDurchlaufen(
            anderer,
            [](const appbteil* b, void* u) {
                auto* f = static_cast<Flaeche*>(u);
                if (b->platziert == 0 || !ZeiNameGleich(b->ze, f->ze)) return;
                ZeiBereichNeuZeichnen(b->x - f->d, b->y - f->d, b->x + f->d, b->y + f->d);
            },
            &f);
    }
}

void AppBeschriften(uint32_t id, const char* name, int nr, const BEF* b, const STT* s)
{
    if (appAn) DB1354Anlegen(id, name, nr, b, s);
}

int AppNachholen(int (*wartet)(const char* name, double x, double y))
{
    if (!appAn) return 0;
    const char* zname = AppZeiName();
    char ze[21];
    ZeiExtHolen(zname, ze);
    // Collected first: an assignment made at once inserts texts into the
    // store being walked.
    std::vector<AppPrimitiv> offen;
    for (int o = TzNaechstes(-1); o < TZENDE; o = TzNaechstes(o)) {
        BEF b;
        STT s;
        if (TzObjHolen(o, &b, &s) != 0 || !BefIstZB(b.code)) continue;
        for (const AppPrimitiv& p : AppZerlegen(&b, &s)) {
            appbteil e{};
            if (BtlAnPositionSuchen(p.bef.text, zname, p.stt.x, p.stt.y, &e)) continue;
            if (wartet != nullptr && wartet(p.bef.text, p.stt.x, p.stt.y)) continue;
            offen.push_back(p);
        }
    }
    int n = 0;
    for (const AppPrimitiv& p : offen) {
        bool frei = false;  // kept as not assigned
        for (int i = 0; i < WseAnzahl() && !frei; ++i) {
            appwaise w{};
            frei = WseNrHolen(i, &w) == 0 && w.platziert != 0 && std::strcmp(w.name, p.bef.text) == 0 &&
                   strvgl(w.ze, ze) == 0 && std::fabs(w.x - p.stt.x) < 1.0 && std::fabs(w.y - p.stt.y) < 1.0;
        }
        const size_t vorher = appWarte.size();
        AppObjektPruefen(&p.bef, &p.stt);
        if (appWarte.size() == vorher) continue;
        if (appWarte.back().art == 5) {
            if (frei) appWarte.pop_back();
            else ++n;
            continue;
        }
        if (frei) WsePlatzFreigeben(p.bef.text, zname, p.stt.x, p.stt.y);
        ++n;
    }
    AppBmWarteListeAbarbeiten();
    return n;
}

void AppDefinitionAendern(uint32_t id, int n, const AppDefTexte* t)
{
    if (!appAn) return;
    appgeraet g;
    if (GesHolen(id, &g) != 0) return;
    char bl[DEFTEXTSUP + 1], tt[DEFTEXTSUP + 1], kg[DEFTEXTSUP + 1], kz[DEFTEXTSUP + 1], kurz[DEFTEXTSUP + 1];
    DefFelderHolen(n, bl, tt, kg, kz, kurz);
    if (std::strcmp(g.tt, tt) == 0) return;
    strkopie(g.tt, tt, GESTTSUP);
    strkopie(g.kg, kg, GESKGSUP);
    strkopie(g.kz, kz, GESKGSUP);
    strkopie(g.lt, t->lt, GESTTSUP);
    GesAendern(id, &g);
    for (int i = 0; i < 5; ++i) GtxHauptTextSetzen(id, i, t->haupt[i]);

    appbteil altH{}, altD{}, altP{};
    const bool hDa = BtlSuchen(id, "H", 0, &altH) != 0;
    const bool dDa = BtlSuchen(id, "D", 0, &altD) != 0 && altD.bl[0];
    const bool pDa = BtlSuchen(id, "P", 0, &altP) != 0 && altP.bl[0];
    // Every entry of the item, whatever their number (the list of a fixed
    // 299 would lose the rest).
    std::vector<appbteil> alte;
    BtlDurchlaufen(
        id, [](const appbteil* b, void* u) { static_cast<std::vector<appbteil>*>(u)->push_back(*b); }, &alte);
    BtlEintraegeLoeschen(id);
    BtlHauptAnlegen(id, n, AppZeiName(), altH.x, altH.y, t->dispo, t->prinzip);

    auto ersetzen = [&](const char* code, const appbteil& alt, bool altDa) {
        appbteil neu;
        if (!altDa || !BtlSuchen(id, code, 0, &neu)) return;
        appbteil e = alt;
        strkopie(e.tt, neu.tt, BTLTEXTSUP);
        strkopie(e.kb, neu.kb, BTLTEXTSUP);
        strkopie(e.bs, neu.bs, BTLBSSUP);
        if (alt.platziert == 0) strkopie(e.bl, neu.bl, BTLTEXTSUP);
        BtlEintragAendern(id, code, 0, &e);
    };
    ersetzen("H", altH, hDa);
    ersetzen("D", altD, dDa);
    ersetzen("P", altP, pDa);

    std::vector<const appbteil*> offen;
    for (const auto& e : alte) {
        if (e.platziert == 0) continue;
        if ((BtlIstHaupt(e.cd) || BtlIstDispo(e.cd) || BtlIstPrinzip(e.cd)) && e.nr == 0) continue;
        offen.push_back(&e);
    }
    // Same code and component name first.
    std::vector<const appbteil*> rest;
    for (const appbteil* e : offen) {
        appbteil neu;
        if (AppFreieSuchen(id, e->cd, e->bl, &neu))
            AppUnterUebernehmen(id, neu, *e);
        else
            rest.push_back(e);
    }
    // Then any unplaced sub component of that name; its texts follow.
    for (const appbteil* e : rest) {
        appbteil neu;
        if (AppFreieSuchen(id, nullptr, e->bl, &neu)) {
            const int vorherNr = neu.nr;
            AppUnterUebernehmen(id, neu, *e);
            int nr = 0;
            if (vorherNr != 0) {
                // The instance just placed: the highest placed number of the code.
                struct Max {
                    const char* cd;
                    int nr;
                } m{neu.cd, 0};
                BtlDurchlaufen(
                    id,
                    [](const appbteil* b, void* u) {
                        auto* m = static_cast<Max*>(u);
                        if (b->platziert != 0 && std::strcmp(b->cd, m->cd) == 0) m->nr = std::max(m->nr, b->nr);
                    },
                    &m);
                nr = m.nr;
            }
            GtxUmbenennen(id, neu.cd, nr, e->cd, e->nr);
            ZtxUmbenennen(id, neu.cd, nr, e->cd, e->nr);
            continue;
        }
        appwaise w{};
        strkopie(w.name, e->bl, WSENAMESUP);
        w.platziert = 1;
        w.x = e->x;
        w.y = e->y;
        strkopie(w.ze, e->ze, WSENAMESUP);
        WseAnlegen(&w);
    }
    AppGeaendert(id, 1);
    AppListenSortieren();
}

// ---- registration and tests -----------------------------------------------------------

void AppHakenEintragen()
{
    EdHaken h{};
    h.AppObjektNeu = AppBmObjektNeu;
    h.AppObjektGeloescht = AppBmObjektGeloescht;
    h.AppObjektGeaendert = AppBmObjektGeaendert;
    h.AppAenderungErlaubt = AppAenderungErlaubt;
    h.AppUndoSichern = AppBmUndoSichern;
    h.AppWarteListeAbarbeiten = AppBmWarteListeAbarbeiten;
    h.AppZustandHolen = AppBmZustandHolen;
    // The store's end of a command (placed marks 2 become 1).
    h.BMBefehlEnde = [] {
        if (!BMVerwendet()) return;
        BtlMarkenBestaetigen();
        WseMarkenBestaetigen();
    };
    EdHakenSetzen(h);
}

int AppWarteAnzahl() { return static_cast<int>(appWarte.size()); }
const wartet* AppWarteEintrag(int i)
{
    return i >= 0 && i < AppWarteAnzahl() ? &appWarte[static_cast<size_t>(i)] : nullptr;
}
int AppAktSlot() { return appAktSlot; }
int AppSlotBelegt(int slot) { return slot >= 0 && slot < APPSLOTSUP && !appSlots[slot].daten.empty(); }
