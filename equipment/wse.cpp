// Unassigned placements, section ")S Wse", and the group-text lookup (see
// wse.h). Prefix `Wse`.
#include "equipment/wse.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "equipment/bm.h"
#include "equipment/bmint.h"
#include "equipment/bmhilf.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nzustext.h"
#include "equipment/utitel.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "platform/dateisys.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

std::vector<appwaise> wseListe;
int wseGeaendert = 0;
int wseInit = 0;

bool WseBereit(int anlegen)
{
    BMDateiAktuell(anlegen);
    return wseInit != 0;
}

bool WseVoll() { return static_cast<int>(wseListe.size()) >= WSESUP - 1; }

bool WsePasst(const appwaise& w, const char* name, const char* schluessel, double x, double y)
{
    return std::strcmp(w.name, name) == 0 && strvgl(w.ze, schluessel) == 0 && std::fabs(w.x - x) < 1 &&
           std::fabs(w.y - y) < 1;
}

void WseSchluessel(const char* zname, char* ext, size_t kap) { ZeiExtHolen(zname != nullptr ? zname : "", ext, kap); }

// ---- group-text lookup ----
struct WseGruppe {
    uint32_t id;
    char ta[GESKGSUP + 1];
    char tb[GESKGSUP + 1];
    char kennung[GESPLATZ40];
    char ze[BTLTEXTSUP + 1];
    double x, y;
    int laufnr;
};
std::vector<WseGruppe> wseCache;
int wseCacheDa = 0;
int wseCacheStand = -1;   // the component list's change counter it was built for

// The store file a load read (identity, size, times), so the group texts
// built from it outlive the lists' reload while the file stays the same.
struct WseDatei {
    bool da = false;
    PlDateiStand stand;
};
bool wseDateiGleich(const WseDatei& a, const WseDatei& b) { return a.da && b.da && a.stand == b.stand; }
WseDatei wseGeladen;   // of the lists in memory; not set when nothing was read

// What else the texts came from: the identifier rule and, per drawing key,
// the header and title texts in force. The keys are few; asking them again
// is cheap next to a walk over every item.
struct WseHerkunft {
    WseDatei datei;
    int kennAlt = 0;
    std::string stamm;
    std::map<std::string, std::pair<std::string, std::string>> koepfe;
};
WseHerkunft wseHerkunft;   // datei.da false: nothing kept

bool wseUnveraendert() { return !GesGeaendert() && !BtlGeaendert() && !GtxGeaendert() && !ZtxGeaendert(); }

int wseKennAlt()
{
    ModGeraet m{};
    m.kg[0] = 'X';
    return BMKennAltAktiv(&m);
}

std::string wseStamm()
{
    std::string name = ZeiAktName();
    const size_t punkt = name.find('.');
    if (punkt != std::string::npos) name.resize(punkt);
    if (name.empty()) name = "x";
    return name;
}

// The two group texts a drawing key gives: its header's, else the title in
// force for that drawing (the current drawing's name with this key as its
// extension).
void wseKopfTexte(const char* ze, char (&k10)[ZEIKOPFTEXTSUP + 1], char (&k11)[ZEIKOPFTEXTSUP + 1])
{
    k10[0] = k11[0] = 0;
    if (ze[0] != 0) ZeiKopfGruppenTexte(ze, k10, k11);
    if (k10[0] != 0 && k11[0] != 0) return;
    const std::string name = wseStamm() + '.' + ze;
    projekttext t;
    UtitelPfadText(name.c_str(), &t);
    if (k10[0] == 0) strkopie(k10, sizeof k10, t.gruppe[0], ZEIKOPFTEXTSUP);
    if (k11[0] == 0) strkopie(k11, sizeof k11, t.gruppe[1], ZEIKOPFTEXTSUP);
}

void WseGruppeAus(const appgeraet* g, void* p)
{
    auto* liste = static_cast<std::vector<WseGruppe>*>(p);
    WseGruppe r;
    std::memset(&r, 0, sizeof r);
    r.id = g->id;
    appbteil h;
    BtlSuchen(g->id, "H", 0, &h);
    strkopie(r.ze, sizeof r.ze, h.ze, BTLTEXTSUP);
    r.x = h.x;
    r.y = h.y;
    char k10[ZEIKOPFTEXTSUP + 1] = "", k11[ZEIKOPFTEXTSUP + 1] = "";
    wseKopfTexte(h.ze, k10, k11);
    wseHerkunft.koepfe.emplace(h.ze, std::make_pair(std::string(k10), std::string(k11)));
    strkopie(r.ta, sizeof r.ta, g->t6[0] ? g->t6 : k10, GESKGSUP);
    strkopie(r.tb, sizeof r.tb, g->t7[0] ? g->t7 : k11, GESKGSUP);
    GesKennung(g, r.kennung, sizeof r.kennung);
    liste->push_back(r);
}

// The texts kept from an earlier load still hold: the same unchanged store
// file, the same identifier rule and drawing stem, and every drawing key
// still giving the same header or title texts.
bool wseHerkunftGilt()
{
    const WseHerkunft& h = wseHerkunft;
    if (!wseDateiGleich(h.datei, wseGeladen) || !wseUnveraendert() || h.kennAlt != wseKennAlt() ||
        h.stamm != wseStamm())
        return false;
    char k10[ZEIKOPFTEXTSUP + 1], k11[ZEIKOPFTEXTSUP + 1];
    for (const auto& [ze, texte] : h.koepfe) {
        wseKopfTexte(ze.c_str(), k10, k11);
        if (texte.first != k10 || texte.second != k11) return false;
    }
    return true;
}

void WseCacheAufbauen()
{
    wseCacheStand = BtlAenderZaehler();
    if (wseHerkunftGilt()) return;
    wseHerkunft = WseHerkunft{};
    wseHerkunft.kennAlt = wseKennAlt();
    wseHerkunft.stamm = wseStamm();
    const bool ausDatei = wseGeladen.da && wseUnveraendert();
    wseCache.clear();
    GesDurchlaufen(WseGruppeAus, &wseCache);
    std::stable_sort(wseCache.begin(), wseCache.end(), [](const WseGruppe& a, const WseGruppe& b) {
        if (int c = strvgl(a.ta, b.ta)) return c < 0;
        if (int c = strvgl(a.tb, b.tb)) return c < 0;
        if (int c = strvgl(a.kennung, b.kennung)) return c < 0;
        if (int c = strvglzahl(a.ze, b.ze)) return c < 0;
        if (a.x != b.x) return a.x < b.x;
        if (a.y != b.y) return a.y < b.y;
        return a.id < b.id;
    });
    for (size_t i = 0; i < wseCache.size(); ++i) {
        WseGruppe& r = wseCache[i];
        const WseGruppe* v = i > 0 ? &wseCache[i - 1] : nullptr;
        const bool gleich = v != nullptr && strvgl(r.ta, v->ta) == 0 && strvgl(r.tb, v->tb) == 0 &&
                            strvgl(r.kennung, v->kennung) == 0;
        r.laufnr = gleich ? v->laufnr + 1 : 0;
    }
    std::sort(wseCache.begin(), wseCache.end(), [](const WseGruppe& a, const WseGruppe& b) { return a.id < b.id; });
    // Built from the lists as read: kept for a reload of the same file.
    if (ausDatei) wseHerkunft.datei = wseGeladen;
}

const WseGruppe* WseGruppeHolen(uint32_t id)
{
    if (!wseCacheDa) return nullptr;
    BMDateiAktuell(0);
    if (wseCacheStand != BtlAenderZaehler() || wseCacheStand < 0) WseCacheAufbauen();
    auto it = std::lower_bound(wseCache.begin(), wseCache.end(), id,
                               [](const WseGruppe& r, uint32_t k) { return r.id < k; });
    return it != wseCache.end() && it->id == id ? &*it : nullptr;
}

}  // namespace

void WseMarkeSetzen(int geaendert) { wseGeaendert = geaendert; }

void WseInit()
{
    wseListe.clear();
    wseListe.reserve(WSESUP);
    wseGeaendert = 0;
    wseInit = 1;
    wseGeladen = WseDatei{};
}

void WseFrei()
{
    wseListe.clear();
    wseGeaendert = 0;
    wseInit = 0;
    wseGeladen = WseDatei{};
}

int WseGeaendert() { return wseGeaendert; }

int WseAnzahl()
{
    if (!WseBereit(0)) return 0;
    return static_cast<int>(wseListe.size());
}

void WseZeileFormat(char* ziel, size_t kap, const appwaise* w)
{
    // The whole name: a name cut to 10 would no longer match its symbol
    // after a reload.
    std::string z = w->name;
    z += BMTRENNER;
    BmhFix5(z, w->x);
    z += BMTRENNER;
    BmhFix5(z, w->y);
    z += BMTRENNER;
    z += w->ze;
    strkopie(ziel, kap, z.c_str(), static_cast<int>(kap - 1));
}

void WseZeileParsen(appwaise* w, const char* zeile)
{
    std::memset(w, 0, sizeof *w);
    if (std::strchr(zeile, BMTRENNER) == nullptr) return;
    const char* p = zeile;
    BmhFeldAb(w->name, WSENAMESUP, &p);
    w->x = BmhAtof(BmhFeldText(&p).c_str());
    w->y = BmhAtof(BmhFeldText(&p).c_str());
    BmhFeldAb(w->ze, WSENAMESUP, &p);
    strtrim(w->name);
    strtrim(w->ze);
    w->platziert = 1;
}

int WseAbschnittLesen(BDAT* d)
{
    wseListe.clear();
    char zeile[201];
    while (bdgets(d, zeile, 200) >= 0) {
        strtrim(zeile);
        if (zeile[0] == ')') break;
        if (zeile[0] == 0 || zeile[0] == ';') continue;
        if (!wseInit || WseVoll()) continue;
        appwaise w;
        WseZeileParsen(&w, zeile);
        wseListe.push_back(w);
    }
    wseGeaendert = 0;
    wseCacheStand = -1;   // the component counter restarts at 0 with a load
    // The file as it stands open, read to its last section.
    struct stat st;
    wseGeladen = WseDatei{};
    if (d->ram == 0 && d->handle >= 0 && fstat(d->handle, &st) == 0)
        wseGeladen = WseDatei{true, plDateiStand(st)};
    return 0;
}

int WseAbschnittSchreiben(BDAT* d)
{
    int r = bdputs(d, ")S Wse");
    char zeile[128];
    for (const appwaise& w : wseListe) {
        WseZeileFormat(zeile, sizeof zeile, &w);
        if (bdputs(d, zeile) < 0) r = -1;
    }
    wseGeaendert = 0;
    wseCacheStand = -1;   // the component counter restarts at 0 with a write
    return r < 0 ? -1 : 0;
}

long WsePacken(void* puffer)
{
    BmNachladen();
    const uint32_t n = static_cast<uint32_t>(wseListe.size());
    const long groesse = static_cast<long>(sizeof n + n * sizeof(appwaise));
    if (puffer == nullptr) return groesse;
    auto* p = static_cast<unsigned char*>(puffer);
    std::memcpy(p, &n, sizeof n);
    if (n > 0) std::memcpy(p + sizeof n, wseListe.data(), n * sizeof(appwaise));
    return groesse;
}

void WseEntpacken(const void* puffer)
{
    if (puffer == nullptr) return;
    BmNachladen();  // the other sections keep what the file holds
    const auto* p = static_cast<const unsigned char*>(puffer);
    uint32_t n = 0;
    std::memcpy(&n, p, sizeof n);
    if (n > static_cast<uint32_t>(WSESUP - 1)) n = WSESUP - 1;
    wseListe.resize(n);
    if (n > 0) std::memcpy(wseListe.data(), p + sizeof n, n * sizeof(appwaise));
    wseGeaendert = 1;
}

void WseVerschieben(double dx, double dy)
{
    BmNachladen();
    for (appwaise& w : wseListe) {
        w.x += dx;
        w.y += dy;
    }
    if (!wseListe.empty()) wseGeaendert = 1;
}

void WseDurchlaufen(WSEFN fn, void* benutzer)
{
    if (!WseBereit(0)) return;
    for (size_t i = 0; i < wseListe.size(); ++i) {
        const appwaise w = wseListe[i];
        fn(static_cast<int>(i), &w, benutzer);
    }
}

int WseNrHolen(int i, appwaise* w)
{
    std::memset(w, 0, sizeof *w);
    if (!WseBereit(0) || i < 0 || i >= static_cast<int>(wseListe.size())) return -1;
    *w = wseListe[static_cast<size_t>(i)];
    return 0;
}

void WseAnlegen(const appwaise* w)
{
    if (!WseBereit(1) || w == nullptr || WseVoll()) return;
    appwaise k = *w;
    k.name[WSENAMESUP] = 0;
    k.ze[WSENAMESUP] = 0;
    k.platziert = 1;
    wseListe.push_back(k);
    wseGeaendert = 1;
}

void WseNrLoeschen(int i)
{
    if (!WseBereit(1) || i < 0 || i >= static_cast<int>(wseListe.size())) return;
    wseListe.erase(wseListe.begin() + i);
    wseGeaendert = 1;
}

int WsePlatzFreigeben(const char* name, const char* zname, double x, double y)
{
    if (!WseBereit(1)) return 0;
    char k[64];
    WseSchluessel(zname, k, sizeof k);
    for (size_t i = wseListe.size(); i-- > 0;) {
        if (!WsePasst(wseListe[i], name, k, x, y)) continue;
        wseListe.erase(wseListe.begin() + static_cast<long>(i));
        wseGeaendert = 1;
        return 1;
    }
    return 0;
}

int WsePlatzVerschieben(const char* name, const char* zname, double x, double y, double nx, double ny)
{
    if (!WseBereit(1)) return 0;
    char k[64];
    WseSchluessel(zname, k, sizeof k);
    for (appwaise& w : wseListe) {
        if (w.platziert != 1 || !WsePasst(w, name, k, x, y)) continue;
        w.platziert = 2;
        w.x = nx;
        w.y = ny;
        wseGeaendert = 1;
        return 1;
    }
    return 0;
}

int WseUmbenennen(const char* name, const char* neu, const char* zname, double x, double y)
{
    if (!WseBereit(1)) return 0;
    char k[64];
    WseSchluessel(zname, k, sizeof k);
    for (appwaise& w : wseListe) {
        if (w.platziert != 1 || !WsePasst(w, name, k, x, y)) continue;
        BmhKopie(w.name, neu != nullptr ? neu : "", WSENAMESUP);
        wseGeaendert = 1;
        return 1;
    }
    return 0;
}

void WseMarkenBestaetigen()
{
    if (!WseBereit(0)) return;
    for (appwaise& w : wseListe)
        if (w.platziert == 2) w.platziert = 1;
}

void WseZeichnungEntfernen(const char* zname)
{
    if (!WseBereit(1)) return;
    char k[64];
    WseSchluessel(zname, k, sizeof k);
    const size_t vorher = wseListe.size();
    wseListe.erase(std::remove_if(wseListe.begin(), wseListe.end(),
                                  [&](const appwaise& w) { return strvgl(w.ze, k) == 0; }),
                   wseListe.end());
    if (wseListe.size() != vorher) wseGeaendert = 1;
}

void WseZeichnungUmbenennen(const char* alt, const char* neu)
{
    if (!WseBereit(1) || alt == nullptr) return;
    char n[WSENAMESUP + 1];
    BmhKopie(n, neu != nullptr ? neu : "", WSENAMESUP);   // the field's 20, not 10
    strtrim(n);
    for (appwaise& w : wseListe) {
        if (strvgl(w.ze, alt) != 0) continue;
        std::memcpy(w.ze, n, sizeof n);
        wseGeaendert = 1;
    }
}

void WseCacheInit()
{
    if (!wseHerkunft.datei.da) wseCache.clear();
    wseCacheDa = 1;
    wseCacheStand = -1;
}

// The texts stay for a reload of the same file (see WseHerkunft).
void WseCacheFrei()
{
    if (!wseHerkunft.datei.da) {
        wseCache.clear();
        wseCache.shrink_to_fit();
    }
    wseCacheDa = 0;
    wseCacheStand = -1;
}

void WseCacheLeeren()
{
    wseCache.clear();
    wseCacheStand = -1;
    wseHerkunft = WseHerkunft{};
}

void WseGruppenText1(uint32_t id, char* aus, size_t kap)
{
    if (aus == nullptr || kap == 0) return;
    const WseGruppe* r = WseGruppeHolen(id);
    strkopie(aus, kap, r != nullptr ? r->ta : "", static_cast<int>(kap - 1));
}

void WseGruppenText2(uint32_t id, char* aus, size_t kap)
{
    if (aus == nullptr || kap == 0) return;
    const WseGruppe* r = WseGruppeHolen(id);
    strkopie(aus, kap, r != nullptr ? r->tb : "", static_cast<int>(kap - 1));
}

int WseCacheLaufNr(uint32_t id)
{
    const WseGruppe* r = WseGruppeHolen(id);
    return r != nullptr ? r->laufnr + 1 : 0;
}
