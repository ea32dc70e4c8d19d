// Merge, check and freeze of the equipment items (see bmmerge.h).
#include "lists/bmmerge.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <set>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "controls/elzeile.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/btlredef.h"
#include "equipment/definier.h"
#include "equipment/ges.h"
#include "equipment/hauspindex.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "model/befehl.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "platform/nachricht.h"
#include "project/pvwliste.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

// The numbered texts of these tools stand at 4000 + n in the string table.
const char* bmTxt(int n) { return TextNr(4000 + n); }

std::string bmKennung(uint32_t id)
{
    char t[HULKENNSUP + 1];
    NhuKennungHolen(t, sizeof t, id);
    return t;
}

std::string bmPosText(uint32_t id, const char* code, int nr)
{
    char t[200];
    HulVerweisText(t, sizeof t, id, code, nr);
    return t;
}

int bmHauptPlatziert(uint32_t id, appbteil* h)
{
    appbteil b;
    if (!BtlSuchen(id, "H", 0, &b)) return 0;
    if (h) *h = b;
    return b.platziert != 0;
}

// The whole item: record, component entries, texts and text entries.
void bmGanzLoeschen(uint32_t id)
{
    GesLoeschen(id);
    BtlEintraegeLoeschen(id);
    GtxLoeschen(id);
    ZtxLoeschen(id);
}

// After a failed commit nothing of the edit may look done: the lists are
// read afresh from the file that stayed.
int bmSpeichern()
{
    if (BMListenSpeichern(1) == 0) return 0;
    BMListenVerwerfen();
    return -1;
}

// ---- merge ---------------------------------------------------------------------------------------

std::vector<appbteil> bmPlatzierteUnter(uint32_t id)
{
    std::vector<appbteil> v;
    BtlDurchlaufen(
        id,
        [](const appbteil* b, void* p) {
            auto* liste = static_cast<std::vector<appbteil>*>(p);
            if (b->platziert != 0 && NhuIstUnter(b->cd) && static_cast<int>(liste->size()) < UNLSUP)
                liste->push_back(*b);
        },
        &v);
    return v;
}

// Drawings left with their old references, named in one warning.
void bmZeichnungenUmschreiben()
{
    if (PvwAnzahl() == 0) PvwVerzLesen();
    std::string fehler;
    const int n = PvwAnzahl();
    for (int i = 0; i < n; ++i) {
        char name[PVWNAMESUP + 1];
        if (!PvwZeiName(i, name)) continue;
        char pfad[ZEIPFADSUP + 1];
        PfadProjekt(pfad, sizeof pfad, name);
        if (BmMergeZeichnung(pfad) != 0) fehler += std::string("\n") + name;
    }
    if (!fehler.empty()) wiHinweis(TextNr(4951), fehler.c_str());
}

}  // namespace

int BmTypPasst(int filter, const appgeraet* g)
{
    switch (filter) {
    case 0: return 1;
    case 1: return g->n1 == 0 && BtlUnterAnzahl(g->id) > 0;
    case 2: return g->n1 == 0 && BtlUnterAnzahl(g->id) == 0;
    default: return filter >= 3 && filter <= 7 && g->n1 == filter - 2;
    }
}

int BmMergeZeichnung(const char* datei)
{
    char kurz[ZEIPFADSUP + 1];
    ZeiNameOhnePfad(datei, kurz);
    if (wiLangTiefe() > 0) wiLangText(kurz);
    ZeiDatei alt{};
    if (ZeiDateiLesend(&alt, datei) != 0) return -1;
    ZeiDatei neu{};
    if (ZeiDateiAnlegen(&neu, datei) != 0) {
        ZeiDateiVerwerfen(&alt);
        return -1;
    }
    ZeiFormatSetzen(&neu, ZeiFormat(&alt));
    int geaendert = 0, fehler = 0;
    BEF b;
    while (!fehler && ZeiBefLesen(&alt, &b) == 0) {
        if (BefIstText(b.code)) {
            std::string t = b.text;
            for (size_t p = 0; p < t.size();) {
                if (!IstYRef(t.c_str() + p)) {
                    ++p;
                    continue;
                }
                const size_t laenge = static_cast<size_t>(YRefLaenge(t.c_str() + p));
                std::string ref = t.substr(p, laenge), aus;
                if (laenge > 0 && RedefVerweiseAnpassen(ref.c_str(), aus, 1)) {
                    t.replace(p, laenge, aus);
                    geaendert = 1;
                    p += aus.size();
                } else {
                    p += std::max<size_t>(laenge, 1);
                }
            }
            if (geaendert) BefTextSetzen(&b, t.c_str());
        }
        if (ZeiBefSchreiben(&neu, &b) != 0) fehler = 1;
    }
    ZeiDateiVerwerfen(&alt);
    if (fehler || !geaendert) {
        ZeiDateiVerwerfen(&neu);
        return fehler ? -1 : 0;
    }
    return ZeiDateiSchliessen(&neu) == 0 ? 0 : -1;
}

int BmVerschmelzen(uint32_t oben, uint32_t unten)
{
    if (oben == unten) {
        wiHinweis("%s", bmTxt(336));
        return -1;
    }
    BMDateiAktuell(0);
    appgeraet a, b;
    if (GesHolen(oben, &a) != 0 || GesHolen(unten, &b) != 0) return -1;
    if (a.n1 != b.n1) {
        wiHinweis("%s", bmTxt(331));
        return -1;
    }
    if (std::strcmp(a.tt, b.tt) != 0 && !wiFrage(bmTxt(332))) return -1;
    if (!bmHauptPlatziert(oben, nullptr) && !wiFrage(bmTxt(333))) return -1;
    const int untenPlatziert = bmHauptPlatziert(unten, nullptr);
    if (untenPlatziert && !wiFrage(bmTxt(334))) return -1;

    RedefStart(oben, 0);
    const std::vector<appbteil> liste = bmPlatzierteUnter(unten);
    for (const appbteil& e : liste) {
        if (RedefZuordnen(&e, 0) != 0) {
            RedefEnde();
            wiHinweis("%s", bmTxt(335));
            return -1;
        }
    }
    wiLangStart(bmTxt(340));
    wiLangText(bmTxt(341));
    const auto RedefMarkenLoeschen = RedefVorratReset;  // the trial run's marks and changes go
    RedefMarkenLoeschen();
    for (const appbteil& e : liste) RedefZuordnen(&e, 1);
    for (const appbteil& e : liste) {
        std::vector<appztext> texte;
        ZtxDurchlaufen(
            unten, e.cd, e.nr, 0,
            [](const appztext* t, void* p) { static_cast<std::vector<appztext>*>(p)->push_back(*t); }, &texte);
        const auto RedefTextUmhaengen = RedefZtxUebernehmen;  // the text follows its component
        for (const appztext& t : texte) RedefTextUmhaengen(&t);
    }
    if (!untenPlatziert) {
        bmGanzLoeschen(unten);
    } else {
        for (const appbteil& e : liste) {
            BtlEintragLoeschen(unten, e.cd, e.nr);
            ZtxBauteilLoeschen(unten, e.cd, e.nr);
        }
    }
    BtlSortieren();
    const int ergebnis = bmSpeichern();
    if (ergebnis == 0) bmZeichnungenUmschreiben();
    RedefEnde();
    wiLangEnde();
    return ergebnis;
}

// ---- check ----------------------------------------------------------------------------------------

namespace {

struct BmHaupt {
    uint32_t id;
    char ze[41];
    char bl[41];
    double x, y;
};

struct BmBericht {
    BDAT d{};
    int offen = 0;
    int fehler = 0;
    void zeile(const std::string& z)
    {
        if (offen && bdputsmodus(&d, z.c_str(), 1) < 0) fehler = 1;
    }
};

std::string bmFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string bmFormat(const char* format, ...)
{
    char t[600];
    va_list a;
    va_start(a, format);
    std::vsnprintf(t, sizeof t, format, a);
    va_end(a);
    return t;
}

bool bmOrtKleiner(const BmHaupt& a, const BmHaupt& b)
{
    const int c = std::strcmp(a.ze, b.ze);
    return c != 0 ? c < 0 : a.x < b.x;
}

// The other item whose main component lies on drawing `ze` within `toleranz`
// of (x, y) in x and in y, the nearest by |dx| + |dy| (the lowest id on a tie);
// 0 when none. `orte` holds every item's main placement sorted by drawing key
// and x, so that only those within the tolerance in x are looked at.
uint32_t GesAmOrt(const std::vector<BmHaupt>& orte, uint32_t id, const char* ze, double x, double y,
                  double toleranz)
{
    BmHaupt unten{};
    strkopie(unten.ze, ze, 40);
    unten.x = x - toleranz;
    double beste = 10000.0;
    const BmHaupt* treffer = nullptr;
    for (auto it = std::lower_bound(orte.begin(), orte.end(), unten, bmOrtKleiner);
         it != orte.end() && std::strcmp(it->ze, unten.ze) == 0 && it->x <= x + toleranz; ++it) {
        if (it->id == id) continue;
        const double dx = std::fabs(x - it->x), dy = std::fabs(y - it->y);
        if (dx > toleranz || dy > toleranz) continue;
        if (dx + dy < beste || (dx + dy == beste && treffer && it->id < treffer->id)) {
            beste = dx + dy;
            treffer = &*it;
        }
    }
    return treffer ? treffer->id : 0;
}

// Doubles: each placed item with the nearest other at its place (within 1.0),
// counted once for the pair, when both main components have the same name.
void bmDoppelte(bmpruefung& p, BmBericht& r)
{
    std::vector<BmHaupt> h;
    GesDurchlaufen(
        [](const appgeraet* g, void* v) {
            appbteil b;
            if (!BtlSuchen(g->id, "H", 0, &b)) return;
            BmHaupt e{};
            e.id = g->id;
            strkopie(e.ze, b.ze, 40);
            strkopie(e.bl, b.bl, 40);
            e.x = b.x;
            e.y = b.y;
            static_cast<std::vector<BmHaupt>*>(v)->push_back(e);
        },
        &h);
    std::vector<BmHaupt> orte = h;
    std::sort(orte.begin(), orte.end(), bmOrtKleiner);
    for (const BmHaupt& e : h) {
        if (!wiLangPumpe()) break;
        appbteil haupt;
        if (!bmHauptPlatziert(e.id, &haupt)) continue;
        const std::string pos = bmPosText(e.id, "H", 0);
        if (wiLangTiefe() > 0) wiLangText(bmFormat("%04X  %s", e.id, pos.c_str()).c_str());
        const uint32_t andere = GesAmOrt(orte, e.id, e.ze, e.x, e.y, 1.0);
        if (andere == 0 || andere >= e.id) continue;
        appbteil ah;
        char bl[41];
        if (!BtlSuchen(andere, "H", 0, &ah)) continue;
        strkopie(bl, ah.bl, 40);
        if (std::strcmp(bl, e.bl) != 0) continue;
        ++p.doppelt;
        r.zeile(bmFormat("%s %s %s - %s %s", bmTxt(98), bmKennung(e.id).c_str(), pos.c_str(),
                         bmKennung(andere).c_str(), bmPosText(andere, "H", 0).c_str()));
        if (static_cast<int>(p.doppeltIds.size()) < BMDOPPSUP) p.doppeltIds.push_back(e.id);
    }
}

void bmFehlende(bmpruefung& p, BmBericht& r)
{
    std::set<uint32_t> gesehen;
    auto neu = [&](uint32_t id) {
        if (gesehen.count(id)) return false;
        appgeraet g;
        if (id != 0 && GesHolen(id, &g) == 0) return false;
        gesehen.insert(id);
        ++p.fehlend;
        if (static_cast<int>(p.fehlendIds.size()) < BMFEHLSUP) p.fehlendIds.push_back(id);
        return true;
    };
    const int n = BtlAnzahl();
    uint32_t letzte = 0xFFFFFFFFu;
    for (int i = 0; i < n && wiLangPumpe(); ++i) {
        appbteil b;
        if (BtlNrHolen(i, &b) != 0 || b.id == letzte) continue;
        letzte = b.id;
        if (!neu(b.id)) continue;
        r.zeile(bmFormat("%s %04X %s %s %s %s", bmTxt(99), b.id, b.tt, b.bl, b.bs,
                         bmPosText(b.id, b.cd, b.nr).c_str()));
    }
    std::vector<appgtext> texte;
    GtxDurchlaufen(
        0, nullptr, -1, 0,
        [](const appgtext* t, void* v) { static_cast<std::vector<appgtext>*>(v)->push_back(*t); }, &texte);
    letzte = 0xFFFFFFFFu;
    for (const appgtext& t : texte) {
        if (t.id == letzte) continue;
        letzte = t.id;
        if (neu(t.id)) r.zeile(bmFormat("%s %04X %s", bmTxt(99), t.id, t.text));
    }
}

// Placed means the placed flag, a drawing and a position other than (0, 0).
void bmNichtPlatziert(bmpruefung& p, BmBericht& r)
{
    std::vector<appgeraet> alle;
    GesDurchlaufen([](const appgeraet* g, void* v) { static_cast<std::vector<appgeraet>*>(v)->push_back(*g); },
                   &alle);
    for (const appgeraet& g : alle) {
        int platziert = 0;
        BtlDurchlaufen(
            g.id,
            [](const appbteil* b, void* v) {
                if (b->platziert != 0 && b->ze[0] && !(b->x == 0 && b->y == 0)) ++*static_cast<int*>(v);
            },
            &platziert);
        if (platziert) continue;
        ++p.nichtPlatziert;
        if (static_cast<int>(p.nplIds.size()) < BMNPLSUP) p.nplIds.push_back(g.id);
        r.zeile(bmFormat("%s %s", bmTxt(100), g.tt));
    }
}

}  // namespace

std::string BmPruefBericht()
{
    char pfad[ZEIPFADSUP + 1];
    PfadProjekt(pfad, sizeof pfad, "DoppelteHauptbauteile.txt");
    return pfad;
}

int BmPruefungLaufen(bmpruefung& p, const char* bericht)
{
    p = bmpruefung{};
    BmBericht r;
    r.offen = bdmake(&r.d, bericht) >= 0;
    wiLangText(bmTxt(94));
    BMListenVerwerfen();
    BMDateiAktuell(0);
    wiLangText(bmTxt(95));
    p.geraete = GesAnzahl();
    p.eintraege = BtlAnzahl();
    wiLangText(bmTxt(96));
    bmDoppelte(p, r);
    wiLangText(bmTxt(97));
    bmFehlende(p, r);
    bmNichtPlatziert(p, r);
    const int nichtErfasst = (p.doppelt - static_cast<int>(p.doppeltIds.size())) +
                             (p.fehlend - static_cast<int>(p.fehlendIds.size())) +
                             (p.nichtPlatziert - static_cast<int>(p.nplIds.size()));
    if (nichtErfasst > 0) r.zeile(bmFormat(TextNr(4950), nichtErfasst));
    if (!r.offen) return -1;
    if (bdclose(&r.d) != 0 || r.fehler) return -1;
    return 0;
}

int BmPruefungLoeschen(const bmpruefung& p)
{
    BMDateiAktuell(0);
    for (const auto* ids : {&p.doppeltIds, &p.fehlendIds, &p.nplIds}) {
        for (uint32_t id : *ids) {
            if (!wiLangPumpe()) break;
            bmGanzLoeschen(id);
        }
    }
    BtlSortieren();
    return bmSpeichern();
}

// ---- freeze -----------------------------------------------------------------------------------------

namespace {

template <typename F> int bmAlleAendern(F f)
{
    BMDateiAktuell(0);
    std::vector<appgeraet> alle;
    GesDurchlaufen([](const appgeraet* g, void* v) { static_cast<std::vector<appgeraet>*>(v)->push_back(*g); },
                   &alle);
    int n = 0;
    for (appgeraet& g : alle)
        if (f(g) && GesAendern(g.id, &g) == 0) ++n;
    return bmSpeichern() == 0 ? n : -1;
}

}  // namespace

int BmKennungenEinfrieren()
{
    return bmAlleAendern([](appgeraet& g) {
        char t[200];
        NhuKennungPosition(t, sizeof t, g.id);
        strtrim(t);
        strkopie(g.ft, t, GESKGSUP);
        return true;
    });
}

int BmKennungenFreigeben()
{
    return bmAlleAendern([](appgeraet& g) {
        g.ft[0] = '\0';
        return true;
    });
}

int BmKennungenAuffrischen()
{
    return bmAlleAendern([](appgeraet& g) {
        const int d = DefTypSuchen(g.tt);
        if (d < 0) return false;
        char bauteil[DEFNAMESUP + 1], typ[DEFNAMESUP + 1], kurz[DEFNAMESUP + 1];
        char kenn[DEFTEXTSUP + 1], alt[DEFTEXTSUP + 1];
        DefFelderHolen(d, bauteil, typ, kenn, alt, kurz);
        const bool markiert = g.kg[0] == '!';
        const bool kennAnders = !markiert && std::strcmp(g.kg, kenn) != 0;
        if (!kennAnders && std::strcmp(g.kz, alt) == 0) return false;
        if (!markiert) strkopie(g.kg, kenn, GESKGSUP);
        strkopie(g.kz, alt, GESKGSUP);
        return true;
    });
}
