// Equipment items, section "Ges" (see ges.h). Prefix `Ges`.
#include "equipment/ges.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "equipment/bm.h"
#include "equipment/bmhilf.h"
#include "equipment/bmint.h"
#include "equipment/btl.h"
#include "equipment/app.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

std::vector<appgeraet> gesSpeicher;
// The lines of the section last read, parsed on first use: a project
// opened only to look at it never pays for the records' layout.
BmhZeilen gesRoh;
bool gesRohDa = false;
int gesGeaendert = 0;
int gesInit = 0;

void GesRohParsen();

void GesRohVerwerfen()
{
    gesRoh.leeren();
    gesRohDa = false;
}

std::vector<appgeraet>& gesL()
{
    BmNachladen();
    if (gesRohDa) GesRohParsen();
    return gesSpeicher;
}

auto GesFinden(uint32_t id)
{
    return std::lower_bound(gesL().begin(), gesL().end(), id,
                            [](const appgeraet& g, uint32_t k) { return g.id < k; });
}

appgeraet* GesSuchen(uint32_t id)
{
    auto it = GesFinden(id);
    return it != gesL().end() && it->id == id ? &*it : nullptr;
}

uint32_t GesNeueId() { return gesL().empty() ? 1 : gesL().back().id + 1; }

bool GesVoll() { return static_cast<int>(gesL().size()) >= GESSUP - 1; }

void GesLeer(appgeraet* g) { std::memset(g, 0, sizeof *g); }

// Appends a record (ids only grow, so the order holds); the new id.
uint32_t GesAnhaengen(const appgeraet& g)
{
    gesL().push_back(g);
    gesGeaendert = 1;
    return g.id;
}

// A new record under a fresh id that carries `q`'s number, type, group and
// code: copying a device and taking one from a record share it.
appgeraet GesNeuWie(const appgeraet& q)
{
    appgeraet g;
    GesLeer(&g);
    g.id = GesNeueId();
    g.n1 = q.n1;
    std::memcpy(g.tt, q.tt, sizeof g.tt);
    std::memcpy(g.kg, q.kg, sizeof g.kg);
    std::memcpy(g.kz, q.kz, sizeof g.kz);
    return g;
}

// The letters of a definition's identifier ("-Q") numbered for a new item:
// one more than the largest number any item carries right behind the same
// letters (in its identifier field or its identifier given as text), so
// that the new device reads "-Q3" beside "-Q1" and "-Q2". An identifier
// that ends in a digit, is marked with '!' or holds a placeholder is taken
// as the definition gives it, and so is every one while the identifier
// template numbers by the placement (sheet, path or position).
void GesKennungNummerieren(char* kennung, size_t kap, bool alternativ, int art)
{
    const bmvorgaben& v = BMVorgaben();
    const std::string vorlage = art >= 0 && art <= 5 && v.bmfkuse[art] == 1 ? v.bmfkenn : v.bmkenn;
    for (const char* platz : {"@S", "@P", "@U"})
        if (vorlage.find(platz) != std::string::npos) return;
    const std::string k = kennung;
    if (strleer(kennung) || k[0] == '!' || k.find('@') != std::string::npos || k.find('<') != std::string::npos ||
        k.find('>') != std::string::npos || std::isdigit(static_cast<unsigned char>(k.back())))
        return;
    long hoechste = 0;
    const auto pruefen = [&](const char* t) {
        if (strnlen(t, GESKGSUP) <= k.size() || strnvgl(t, k.c_str(), static_cast<int>(k.size())) != 0) return;
        const char* z = t + k.size();
        if (!std::all_of(z, z + std::strlen(z), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
            return;
        hoechste = std::max(hoechste, std::strtol(z, nullptr, 10));
    };
    for (const appgeraet& g : gesL()) {
        pruefen(alternativ ? g.kz : g.kg);
        pruefen(g.ft);
    }
    const std::string neu = k + std::to_string(hoechste + 1);
    if (neu.size() < kap) BmhKopie(kennung, kap, neu.c_str(), static_cast<int>(kap) - 1);
}

}  // namespace

void GesMarkeSetzen(int geaendert) { gesGeaendert = geaendert; }
int GesInitialisiert() { return gesInit; }

void GesInit()
{
    // The whole capacity at once, as the fixed array it stands for: no
    // growth copies while a file loads.
    gesSpeicher.clear();
    gesSpeicher.reserve(GESSUP - 1);
    GesRohVerwerfen();
    gesGeaendert = 0;
    gesInit = 1;
}

void GesFrei()
{
    gesSpeicher.clear();  // the storage stays for the next GesInit (a reload)
    GesRohVerwerfen();
    gesGeaendert = 0;
    gesInit = 0;
}

int GesGeaendert() { return gesGeaendert; }
int GesAnzahl() { return static_cast<int>(gesL().size()); }

void GesZeileParsen(appgeraet* g, const char* zeile)
{
    GesLeer(g);
    if (std::strchr(zeile, BMTRENNER) == nullptr) return;
    const char* p = zeile;
    char zahl[32];
    BmhFeldAb(zahl, 31, &p);
    g->id = hexwert(zahl);
    BmhFeldAb(zahl, 31, &p);
    g->n1 = BmhAtoi(zahl);
    BmhFeldAb(g->tt, GESTTSUP, &p);
    BmhFeldAb(g->kg, GESKGSUP, &p);
    BmhFeldAb(g->ft, GESKGSUP, &p);
    BmhFeldAb(g->lt, GESTTSUP, &p);
    BmhFeldAb(g->kz, GESKGSUP, &p);
    BmhFeldAb(g->t6, GESKGSUP, &p);
    BmhFeldAb(g->t7, GESKGSUP, &p);
    BmhFeldAb(zahl, 31, &p);
    g->n2 = BmhAtoi(zahl);
}

int GesAbschnittLesen(BDAT* d)
{
    gesSpeicher.clear();
    gesRoh.leeren();
    static char zeile[BMZEILESUP];
    while (bdgets(d, zeile, BMZEILESUP - 1) >= 0) {
        strtrim(zeile);  // an indented header ends the section too
        if (zeile[0] == ')') break;
        if (zeile[0] == 0 || zeile[0] == ';') continue;
        if (!gesInit) continue;
        gesRoh.anfuegen(zeile);
    }
    gesRohDa = !gesRoh.leer();
    gesGeaendert = 0;
    return 0;
}

namespace {

void GesRohParsen()
{
    gesRohDa = false;
    gesRoh.durchlaufen([](const char* zeile) {
        appgeraet g;
        GesZeileParsen(&g, zeile);
        if (static_cast<int>(gesSpeicher.size()) < GESSUP - 1) gesSpeicher.push_back(g);
    });
    gesRoh.leeren();
    // Files of older writers may hold ids out of order (they appended
    // inserted items); lookups are binary searches, so restore the order.
    const auto kleiner = [](const appgeraet& a, const appgeraet& b) { return a.id < b.id; };
    if (!std::is_sorted(gesSpeicher.begin(), gesSpeicher.end(), kleiner))
        std::stable_sort(gesSpeicher.begin(), gesSpeicher.end(), kleiner);
}

}  // namespace

void GesZeileFormat(char* ziel, size_t kap, appgeraet* g)
{
    const auto lang = [](const char* t, int w) { return std::strlen(t) > static_cast<size_t>(w); };
    if (lang(g->tt, GESTTSUP) || lang(g->lt, GESTTSUP) || lang(g->kg, GESKGSUP) || lang(g->ft, GESKGSUP) ||
        lang(g->kz, GESKGSUP)) {
        std::string log = "G ";
        BmhHex(log, g->id);
        log += ' ';
        BmhInt(log, g->n1);
        log += '\n';
        log += BmhFehlerZeile("tt", g->tt);
        log += BmhFehlerZeile("kg", g->kg);
        log += BmhFehlerZeile("ft", g->ft);
        log += BmhFehlerZeile("lt", g->lt);
        log += BmhFehlerZeile("kz", g->kz);
        BmhFehlerLog(log);
        g->tt[GESTTSUP] = 0;
        g->lt[GESTTSUP] = 0;
        g->kg[GESKGSUP] = 0;
        g->ft[GESKGSUP] = 0;
        g->kz[GESKGSUP] = 0;
    }
    std::string z;
    BmhHex(z, g->id);
    z.push_back(BMTRENNER);
    BmhInt(z, g->n1);
    z.push_back(BMTRENNER);
    for (const char* t : {g->tt, g->kg, g->ft, g->lt, g->kz, g->t6, g->t7}) BmhFeld(z, t);
    BmhInt(z, g->n2);
    strkopie(ziel, kap, z.c_str(), static_cast<int>(kap));
}

int GesAbschnittSchreiben(BDAT* d)
{
    int r = bdputs(d, ")S Ges");
    char zeile[BMZEILESUP];
    for (auto& g : gesL()) {
        GesZeileFormat(zeile, sizeof zeile, &g);
        if (bdputs(d, zeile) < 0) r = -1;
    }
    gesGeaendert = 0;
    return r < 0 ? -1 : 0;
}

int GesHolen(uint32_t id, appgeraet* g)
{
    const appgeraet* q = nullptr;
    if (gesInit) {
        BMDateiAktuell(0);
        q = GesSuchen(id);
    }
    if (q == nullptr) {
        GesLeer(g);
        return -1;
    }
    *g = *q;
    return 0;
}

void GesDurchlaufen(GESFN fn, void* benutzer)
{
    if (!gesInit) return;
    BMDateiAktuell(0);
    for (size_t i = 0; i < gesL().size(); ++i) fn(&gesL()[i], benutzer);
}

uint32_t GesAnlegen(int n, const char* text)
{
    if (!gesInit) return 0;
    BMDateiAktuell(1);
    if (GesVoll()) return 0;
    appgeraet g;
    GesLeer(&g);
    g.id = GesNeueId();
    g.n1 = DefZahlHolen(n);
    g.n2 = DefZahl2Holen(n);
    char bauteil[DEFTEXTSUP + 1];
    DefFelderHolen(n, bauteil, g.tt, g.kg, g.kz, nullptr);
    GesKennungNummerieren(g.kg, sizeof g.kg, false, g.n1);
    GesKennungNummerieren(g.kz, sizeof g.kz, true, g.n1);
    BmhKopie(g.lt, text, GESTTSUP);
    return GesAnhaengen(g);
}

uint32_t GesKopieren(uint32_t id, const char* text)
{
    if (!gesInit) return 0;
    BMDateiAktuell(1);
    if (GesVoll() || gesL().empty()) return 0;
    const appgeraet* q = GesSuchen(id);
    if (q == nullptr) return 0;
    appgeraet g = GesNeuWie(*q);
    BmhKopie(g.lt, text, GESTTSUP);
    return GesAnhaengen(g);
}

uint32_t GesAusSatz(const appgeraet* satz)
{
    if (!gesInit) return 0;
    BMDateiAktuell(1);
    if (GesVoll()) return 0;
    appgeraet g = GesNeuWie(*satz);
    std::memcpy(g.lt, satz->lt, sizeof g.lt);
    return GesAnhaengen(g);
}

int GesEinfuegen(const appgeraet* satz)
{
    if (!gesInit) return -1;
    BMDateiAktuell(1);
    if (GesVoll()) return -1;
    auto it = GesFinden(satz->id);
    if (it != gesL().end() && it->id == satz->id) return -1;
    gesL().insert(it, *satz);
    gesGeaendert = 1;
    return 0;
}

int GesAendern(uint32_t id, const appgeraet* satz)
{
    if (!gesInit) return -1;
    BMDateiAktuell(1);
    appgeraet* g = GesSuchen(id);
    if (g == nullptr) return -1;
    *g = *satz;
    g->id = id;  // the id is the list's key; the record cannot move it
    gesGeaendert = 1;
    return 0;
}

void GesLoeschen(uint32_t id)
{
    if (!gesInit) return;
    BMDateiAktuell(1);
    auto it = GesFinden(id);
    if (it == gesL().end() || it->id != id) return;
    gesL().erase(it);
    gesGeaendert = 1;
}

int GesUnbenutzteEntfernen(int loeschen)
{
    if (!gesInit) return 0;
    BMDateiAktuell(loeschen ? 1 : 0);
    int anzahl = 0;
    for (size_t i = gesL().size(); i-- > 0;) {
        const uint32_t id = gesL()[i].id;
        if (BtlPlatziertAnzahl(id) != 0) continue;
        ++anzahl;
        if (!loeschen) continue;
        BtlEintraegeLoeschen(id);
        GtxLoeschen(id);
        ZtxLoeschen(id);
        gesL().erase(gesL().begin() + static_cast<long>(i));
        gesGeaendert = 1;
    }
    return anzahl;
}

uint32_t GesNaechstesSuchen(uint32_t ohne, const char* schluessel, double x, double y, double toleranz)
{
    if (!gesInit) return 0;
    BMDateiAktuell(0);
    double beste = 10000.0;
    uint32_t ergebnis = 0;
    for (const auto& g : gesL()) {
        if (g.id == ohne) continue;
        appbteil b;
        if (!BtlSuchen(g.id, "H", 0, &b)) continue;
        if (std::strcmp(b.ze, schluessel) != 0) continue;
        const double dx = std::fabs(x - b.x), dy = std::fabs(y - b.y);
        if (dx > toleranz || dy > toleranz) continue;
        if (dx + dy < beste) {
            beste = dx + dy;
            ergebnis = g.id;
        }
    }
    return ergebnis;
}

void GesKennung(const appgeraet* g, char* aus, size_t kap)
{
    ModGeraet m;
    std::memset(&m, 0, sizeof m);
    m.id = g->id;
    m.art = g->n1;
    strkopie(m.kg, sizeof m.kg, g->kg, MODTEXTSUP);
    strkopie(m.kz, sizeof m.kz, g->kz, MODTEXTSUP);
    strkopie(aus, kap, BMKennung(&m), static_cast<int>(kap - 1));
}

int GesVergleich(const appgeraet* a, const appgeraet* b)
{
    if (a->id != b->id) return a->id < b->id ? -1 : 1;
    if (a->n1 != b->n1) return a->n1 < b->n1 ? -1 : 1;
    int r = strvgl(a->tt, b->tt);
    if (r == 0) r = strvgl(a->kg, b->kg);
    if (r == 0) r = strvgl(a->kz, b->kz);
    if (r == 0) r = strvgl(a->ft, b->ft);
    if (r == 0) r = strvgl(a->lt, b->lt);
    return r;
}

long GesPacken(void* puffer)
{
    const int32_t n = static_cast<int32_t>(gesL().size());
    const long groesse = static_cast<long>(sizeof n + sizeof(appgeraet) * gesL().size());
    if (puffer == nullptr) return groesse;
    auto* p = static_cast<char*>(puffer);
    std::memcpy(p, &n, sizeof n);
    if (n > 0) std::memcpy(p + sizeof n, gesL().data(), sizeof(appgeraet) * gesL().size());
    return groesse;
}

void GesEntpacken(const void* puffer)
{
    if (!gesInit) return;
    BmNachladen();  // the other sections keep what the file holds
    const auto* p = static_cast<const char*>(puffer);
    int32_t n = 0;
    std::memcpy(&n, p, sizeof n);
    if (n < 0) n = 0;
    if (n > GESSUP - 1) n = GESSUP - 1;
    GesRohVerwerfen();  // the copy replaces the lines not parsed yet
    gesSpeicher.resize(static_cast<size_t>(n));
    if (n > 0) std::memcpy(gesSpeicher.data(), p + sizeof n, sizeof(appgeraet) * static_cast<size_t>(n));
    gesGeaendert = 1;
}
