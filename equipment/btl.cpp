// Component entries, section "Btl" (see btl.h). Prefix `Btl`.
#include "equipment/btl.h"

#include <cmath>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "equipment/bm.h"
#include "equipment/bmhilf.h"
#include "equipment/bmint.h"
#include "equipment/nhuliste.h"
#include "equipment/app.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "equipment/ngestext.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "model/zeichnun.h"
#include "support/bdatei.h"
#include "support/sortier.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

std::vector<appbteil> btlSpeicher;
// The lines of the section last read, parsed on first use (see ges.cpp);
// a sort asked for before that is done once they are parsed.
BmhZeilen btlRoh;
bool btlRohDa = false;
bool btlSortOffen = false;

void BtlRohParsen();
void BtlSortierenJetzt();

std::vector<appbteil>& btlL()
{
    BmNachladen();
    if (btlRohDa) BtlRohParsen();
    return btlSpeicher;
}

void BtlRohVerwerfen()
{
    btlRoh.leeren();
    btlRohDa = false;
    btlSortOffen = false;
}
int btlGeaendert = 0;
int btlZaehler = 0;
int btlInit = 0;

// Invariant 3: positions of each id's entries in list order.
std::unordered_map<uint32_t, std::vector<int32_t>> btlIndex;
bool btlIndexGueltig = false;
const std::vector<int32_t> btlKeine;

void BtlIndexVerwerfen()
{
    btlIndexGueltig = false;
}

const std::vector<int32_t>& BtlIdIndizes(uint32_t id)
{
    BmNachladen();
    if (!btlIndexGueltig) {
        btlIndex.clear();
        for (size_t i = 0; i < btlL().size(); ++i) btlIndex[btlL()[i].id].push_back(static_cast<int32_t>(i));
        btlIndexGueltig = true;
    }
    auto it = btlIndex.find(id);
    return it != btlIndex.end() ? it->second : btlKeine;
}

void BtlGeaendertMerken()
{
    btlGeaendert = 1;
    ++btlZaehler;
}

bool BtlVoll() { return static_cast<int>(btlL().size()) >= BTLSUP - 1; }

void BtlLeer(appbteil* b) { std::memset(b, 0, sizeof *b); }

// Appends a copy; -1 when full.
int BtlAnfuegen(const appbteil& b)
{
    if (BtlVoll()) return -1;
    btlL().push_back(b);
    if (btlIndexGueltig) btlIndex[b.id].push_back(static_cast<int32_t>(btlL().size() - 1));
    BtlGeaendertMerken();
    return static_cast<int>(btlL().size() - 1);
}

void BtlEntfernen(int i)
{
    btlL().erase(btlL().begin() + i);
    BtlIndexVerwerfen();
    BtlGeaendertMerken();
}

void BtlSchluessel(char* ziel, size_t kap, const char* zname)
{
    char ext[64];
    ZeiExtHolen(zname != nullptr ? zname : "", ext, sizeof ext);
    BmhKopie(ziel, kap, ext, BTLTEXTSUP);
}

void BtlUnplatziert(appbteil& b)
{
    b.platziert = 0;
    b.ze[0] = 0;
    b.x = b.y = 0.0;
    b.bs[0] = 0;
}

bool BtlCodeGleich(const appbteil& b, const char* code) { return std::strcmp(b.cd, code != nullptr ? code : "") == 0; }

// Position match: name exact, drawing key ignoring case, |dx|, |dy| < 1.
bool BtlAnPosition(const appbteil& b, const char* bl, const char* schluessel, double x, double y)
{
    return std::strcmp(b.bl, bl) == 0 && strvgl(b.ze, schluessel) == 0 && std::fabs(b.x - x) < 1.0 &&
           std::fabs(b.y - y) < 1.0;
}

// First entry at the position whose placed mark passes; -1 none.
int BtlPositionFinden(const char* bl, const char* zname, double x, double y, bool nurEins)
{
    char schluessel[41];
    BtlSchluessel(schluessel, sizeof schluessel, zname);
    for (size_t i = 0; i < btlL().size(); ++i) {
        const appbteil& b = btlL()[i];
        if (nurEins ? b.platziert != 1 : b.platziert == 0) continue;
        if (BtlAnPosition(b, bl, schluessel, x, y)) return static_cast<int>(i);
    }
    return -1;
}

int BtlRang(const char* cd)
{
    if (std::strcmp(cd, "H") == 0) return 0;
    if (std::strcmp(cd, "U") == 0) return 1;
    if (std::strcmp(cd, "D") == 0) return 2;
    return 3;
}

int BtlSortVergleich(const appbteil* a, const appbteil* b, bool markeAb)
{
    if (a->id != b->id) return a->id < b->id ? -1 : 1;
    int ra = BtlRang(a->cd), rb = BtlRang(b->cd);
    if (ra != rb) return ra < rb ? -1 : 1;
    if (a->platziert != b->platziert) return (a->platziert > b->platziert) == markeAb ? -1 : 1;
    if (a->platziert != 0) {
        int r = BtlPosVergleich(a->ze, a->x, a->y, b->ze, b->x, b->y);
        if (r != 0) return r;
    }
    const int na = a->cd[0] ? BtlBuchstabenNr(a->cd + 1) : 0;
    const int nb = b->cd[0] ? BtlBuchstabenNr(b->cd + 1) : 0;
    if (na != nb) return na < nb ? -1 : 1;
    if (a->nr != b->nr) return a->nr < b->nr ? -1 : 1;
    return 0;
}

int BtlSortFn(const void* a, const void* b)
{
    return BtlSortVergleich(static_cast<const appbteil*>(a), static_cast<const appbteil*>(b), true);
}

// The largest number among the placed entries of (id, code), at least 0.
int BtlGroessteNr(uint32_t id, const char* code)
{
    int groesste = 0;
    for (int32_t i : BtlIdIndizes(id)) {
        const appbteil& b = btlL()[static_cast<size_t>(i)];
        if (b.platziert != 0 && BtlCodeGleich(b, code) && b.nr > groesste) groesste = b.nr;
    }
    return groesste;
}

// The first unplaced entry of (id, code), optionally with a count; -1 none.
int BtlErsteFreie(uint32_t id, const char* code, bool mitZahl)
{
    for (int32_t i : BtlIdIndizes(id)) {
        const appbteil& b = btlL()[static_cast<size_t>(i)];
        if (b.platziert == 0 && BtlCodeGleich(b, code) && (!mitZahl || b.nr != 0)) return i;
    }
    return -1;
}

void BtlDispoPrinzip(uint32_t id, const char* tt, const char* dispo, const char* prinzip)
{
    const char* namen[2] = {dispo, prinzip};
    const char* codes[2] = {"D", "P"};
    for (int k = 0; k < 2; ++k) {
        if (namen[k] == nullptr || strleer(namen[k])) continue;
        appbteil b;
        BtlLeer(&b);
        b.id = id;
        BmhKopie(b.cd, codes[k], BTLCDSUP);
        BmhKopie(b.tt, tt, BTLTEXTSUP);
        BmhKopie(b.bl, namen[k], BTLTEXTSUP);
        if (BtlAnfuegen(b) < 0) return;
    }
}

// One sub-component line of a definition (see BtlHauptAnlegen).
struct BtlAnlegenStand {
    uint32_t id;
    bool voll;
};

void BtlUnterZeile(const char* zeile, void* benutzer)
{
    auto* st = static_cast<BtlAnlegenStand*>(benutzer);
    if (st->voll) return;
    // Up to 50 fields: the first blank-delimited word, then fields separated
    // by the character that follows it.
    std::vector<std::string> f;
    const char* p = zeile;
    while (*p == ' ' || *p == '\t') ++p;
    const char* w = p;
    while (*p && *p != ' ' && *p != '\t') ++p;
    f.emplace_back(w, p);
    while (*p == ' ' || *p == '\t') ++p;
    if (*p) {
        const char trenner = *p++;
        while (f.size() < 50) {
            const char* e = std::strchr(p, trenner);
            f.emplace_back(p, e ? e : p + std::strlen(p));
            if (!e) break;
            p = e + 1;
        }
    }
    f.resize(50);
    const std::string& f1 = f[0];
    if (f1.size() < 2 || f1[0] != 'U') return;
    const auto c2 = static_cast<unsigned char>(f1[1]);
    if (!(c2 == 'U' || (c2 >= 'a' && c2 <= 'z'))) return;
    char code[4];
    strkopie(code, f1.c_str(), 3);
    strtrim(code);
    for (char* c = code + 1; *c; ++c) {
        const auto u = static_cast<unsigned char>(*c);
        if ((u >= 'A' && u <= 'Z') || (u >= 192 && u <= 222)) *c = static_cast<char>(u + 32);
    }
    appbteil b;
    BtlLeer(&b);
    b.id = st->id;
    BmhKopie(b.cd, code, BTLCDSUP);
    BmhKopie(b.bl, f[1].c_str(), BTLTEXTSUP);
    BmhKopie(b.tt, f[2].c_str(), BTLTEXTSUP);
    b.nr = BmhAtoi(f[3].c_str());
    BmhKopie(b.kb, f[4].c_str(), BTLTEXTSUP);
    if (BtlAnfuegen(b) < 0) {
        st->voll = true;
        return;
    }
    for (int zeileNr = 0; zeileNr < 40; ++zeileNr) {
        const int feld = zeileNr < 5 ? 5 + zeileNr : 12 + (zeileNr - 5);  // 0-based
        char text[BMZEILESUP];
        strkopie(text, f[static_cast<size_t>(feld)].c_str(), BMZEILESUP - 1);
        strtrim(text);
        if (text[0]) GtxTextNeu(st->id, b.cd, 0, zeileNr, text);
    }
}

bool BtlBereit(int anlegen)
{
    if (!btlInit) return false;
    BMDateiAktuell(anlegen);
    return btlInit != 0;
}

}  // namespace

void BtlMarkeSetzen(int geaendert, int zaehler)
{
    btlGeaendert = geaendert;
    btlZaehler = zaehler;
}
int BtlInitialisiert() { return btlInit; }

void BtlInit()
{
    // The whole capacity at once, as the fixed array it stands for.
    btlSpeicher.clear();
    btlSpeicher.reserve(BTLSUP - 1);
    BtlRohVerwerfen();
    BtlIndexVerwerfen();
    btlGeaendert = 0;
    btlZaehler = 0;
    btlInit = 1;
}

void BtlFrei()
{
    btlSpeicher.clear();  // the storage stays for the next BtlInit (a reload)
    BtlRohVerwerfen();
    btlIndex.clear();
    BtlIndexVerwerfen();
    btlGeaendert = 0;
    btlZaehler = 0;
    btlInit = 0;
}

int BtlGeaendert() { return btlGeaendert; }
int BtlAenderZaehler() { return btlZaehler; }
int BtlAnzahl() { return static_cast<int>(btlL().size()); }

void BtlZeileParsen(appbteil* b, const char* zeile)
{
    BtlLeer(b);
    if (std::strchr(zeile, BMTRENNER) == nullptr) return;
    const char* p = zeile;
    char zahl[64];
    BmhFeldAb(zahl, 63, &p);
    b->id = hexwert(zahl);
    BmhFeldAb(b->cd, BTLCDSUP, &p);
    BmhFeldAb(zahl, 63, &p);
    b->nr = BmhAtoi(zahl);
    BmhFeldAb(b->tt, BTLTEXTSUP, &p);
    BmhFeldAb(b->bl, BTLTEXTSUP, &p);
    BmhFeldAb(b->kb, BTLTEXTSUP, &p);
    BmhFeldAb(b->bs, BTLBSSUP, &p);
    BmhFeldAb(zahl, 63, &p);
    b->platziert = BmhAtoi(zahl);
    BmhFeldAb(zahl, 63, &p);
    b->x = BmhAtof(zahl);
    BmhFeldAb(zahl, 63, &p);
    b->y = BmhAtof(zahl);
    BmhFeldAb(b->ze, BTLTEXTSUP, &p);
}

int BtlAbschnittLesen(BDAT* d)
{
    btlSpeicher.clear();
    BtlRohVerwerfen();
    BtlIndexVerwerfen();
    static char zeile[BMZEILESUP];
    while (bdgets(d, zeile, BMZEILESUP - 1) >= 0) {
        strtrim(zeile);  // an indented header ends the section too
        if (zeile[0] == ')') break;
        if (zeile[0] == 0 || zeile[0] == ';') continue;
        if (!btlInit) continue;
        btlRoh.anfuegen(zeile);
    }
    btlRohDa = !btlRoh.leer();
    btlGeaendert = 0;
    btlZaehler = 0;
    return 0;
}

namespace {

void BtlRohParsen()
{
    btlRohDa = false;
    bool vorherNull = false;
    btlRoh.durchlaufen([&](const char* zeile) {
        appbteil b;
        BtlZeileParsen(&b, zeile);
        const bool null = b.id == 0;
        if (null && !btlSpeicher.empty() && vorherNull) return;
        vorherNull = null;
        if (static_cast<int>(btlSpeicher.size()) < BTLSUP - 1) btlSpeicher.push_back(b);
    });
    btlRoh.leeren();
    BtlIndexVerwerfen();
    if (btlSortOffen) {
        btlSortOffen = false;
        BtlSortierenJetzt();
    }
}

}  // namespace

void BtlZeileFormat(char* ziel, size_t kap, appbteil* b)
{
    const auto lang = [](const char* t, int w) { return std::strlen(t) > static_cast<size_t>(w); };
    if (lang(b->cd, BTLCDSUP) || lang(b->tt, BTLTEXTSUP) || lang(b->bl, BTLTEXTSUP) || lang(b->kb, BTLTEXTSUP) ||
        lang(b->bs, BTLBSSUP) || lang(b->ze, BTLBSSUP)) {
        std::string log = "B ";
        BmhHex(log, b->id);
        log += ' ';
        BmhInt(log, b->nr);
        log += '\n';
        log += BmhFehlerZeile("cd", b->cd);
        log += BmhFehlerZeile("tt", b->tt);
        log += BmhFehlerZeile("bl", b->bl);
        log += BmhFehlerZeile("kb", b->kb);
        log += BmhFehlerZeile("bs", b->bs);
        log += BmhFehlerZeile("ze", b->ze);
        BmhFehlerLog(log);
        b->cd[BTLCDSUP] = 0;
        b->tt[BTLTEXTSUP] = 0;
        b->bl[BTLTEXTSUP] = 0;
        b->kb[BTLTEXTSUP] = 0;
        b->bs[BTLBSSUP] = 0;
        b->ze[BTLTEXTSUP] = 0;
    }
    std::string z;
    BmhHex(z, b->id);
    z.push_back(BMTRENNER);
    BmhFeld(z, b->cd);
    BmhInt(z, b->nr);
    z.push_back(BMTRENNER);
    for (const char* t : {b->tt, b->bl, b->kb, b->bs}) BmhFeld(z, t);
    BmhInt(z, b->platziert);
    z.push_back(BMTRENNER);
    BmhFix5(z, b->x);
    z.push_back(BMTRENNER);
    BmhFix5(z, b->y);
    z.push_back(BMTRENNER);
    z += b->ze;
    strkopie(ziel, kap, z.c_str(), static_cast<int>(kap));
}

int BtlAbschnittSchreiben(BDAT* d)
{
    int r = bdputs(d, ")S Btl");
    char zeile[BMZEILESUP];
    for (auto& b : btlL()) {
        BtlZeileFormat(zeile, sizeof zeile, &b);
        if (bdputs(d, zeile) < 0) r = -1;
    }
    btlGeaendert = 0;
    btlZaehler = 0;
    return r < 0 ? -1 : 0;
}

long BtlPacken(void* puffer)
{
    const int32_t n = static_cast<int32_t>(btlL().size());
    const long groesse = static_cast<long>(sizeof n + sizeof(appbteil) * btlL().size());
    if (puffer == nullptr) return groesse;
    auto* p = static_cast<char*>(puffer);
    std::memcpy(p, &n, sizeof n);
    if (n > 0) std::memcpy(p + sizeof n, btlL().data(), sizeof(appbteil) * btlL().size());
    return groesse;
}

void BtlEntpacken(const void* puffer)
{
    if (!btlInit) return;
    BmNachladen();  // the other sections keep what the file holds
    const auto* p = static_cast<const char*>(puffer);
    int32_t n = 0;
    std::memcpy(&n, p, sizeof n);
    if (n < 0) n = 0;
    if (n > BTLSUP - 1) n = BTLSUP - 1;
    BtlRohVerwerfen();  // the copy replaces the lines not parsed yet
    btlSpeicher.resize(static_cast<size_t>(n));
    if (n > 0) std::memcpy(btlSpeicher.data(), p + sizeof n, sizeof(appbteil) * static_cast<size_t>(n));
    BtlIndexVerwerfen();
    BtlGeaendertMerken();
}

namespace {

void BtlSortierenJetzt()
{
    if (btlSpeicher.size() < 2) return;
    // A list read from a file this store wrote is already in order; the
    // Shell sort would only compare, so one pass decides.
    bool geordnet = true;
    for (size_t i = 1; i < btlSpeicher.size() && geordnet; ++i)
        geordnet = BtlSortVergleich(&btlSpeicher[i - 1], &btlSpeicher[i], true) <= 0;
    if (geordnet) return;
    shellsort(btlSpeicher.data(), static_cast<int32_t>(btlSpeicher.size()), sizeof(appbteil), BtlSortFn);
    BtlIndexVerwerfen();
}

}  // namespace

void BtlSortieren()
{
    BmNachladen();
    if (btlRohDa) {
        btlSortOffen = true;
        return;
    }
    BtlSortierenJetzt();
}

void BtlVerschieben(double dx, double dy)
{
    for (auto& b : btlL()) {
        if (b.platziert == 0) continue;
        b.x += dx;
        b.y += dy;
    }
}

int BtlHauptAnlegen(uint32_t id, int n, const char* zname, double x, double y, const char* dispo, const char* prinzip)
{
    if (!BtlBereit(1)) return -1;
    appbteil h;
    BtlLeer(&h);
    h.id = id;
    BmhKopie(h.cd, "H", BTLCDSUP);
    char bl[DEFTEXTSUP + 1], tt[DEFTEXTSUP + 1], kb[DEFTEXTSUP + 1];
    DefFelderHolen(n, bl, tt, nullptr, nullptr, kb);
    BmhKopie(h.bl, bl, BTLTEXTSUP);
    BmhKopie(h.tt, tt, BTLTEXTSUP);
    BmhKopie(h.kb, kb, BTLTEXTSUP);
    h.platziert = 1;
    BtlSchluessel(h.ze, sizeof h.ze, zname);
    h.x = x;
    h.y = y;
    if (BtlAnfuegen(h) < 0) return 0;
    BtlDispoPrinzip(id, h.tt, dispo, prinzip);
    BtlAnlegenStand st{id, BtlVoll()};
    DefUnterDurchlaufen(n, BtlUnterZeile, &st);
    return 0;
}

int BtlHauptKopieren(uint32_t neu, uint32_t quelle, const char* zname, double x, double y, const char* dispo,
                     const char* prinzip)
{
    if (!BtlBereit(1)) return -1;
    appbteil h;
    if (!BtlSuchen(quelle, "H", 0, &h)) BtlLeer(&h);
    h.id = neu;
    BmhKopie(h.cd, "H", BTLCDSUP);
    h.platziert = 1;
    BtlSchluessel(h.ze, sizeof h.ze, zname);
    h.x = x;
    h.y = y;
    h.objekt = 0;
    if (BtlAnfuegen(h) < 0) return 0;
    BtlDispoPrinzip(neu, h.tt, dispo, prinzip);
    // Copy the positions first: appends extend the list being walked.
    const std::vector<int32_t> quellen = BtlIdIndizes(quelle);
    for (int32_t i : quellen) {
        appbteil b = btlL()[static_cast<size_t>(i)];
        if (!NhuIstUnter(b.cd)) continue;
        b.id = neu;
        BtlUnplatziert(b);
        b.objekt = 0;
        if (BtlAnfuegen(b) < 0) return 0;
        for (int z = 0; z < 40; ++z) {
            char text[64];
            GtxTextRoh(neu, b.cd, 0, z, text, sizeof text);
            if (text[0]) GtxTextNeu(neu, b.cd, 0, z, text);
        }
    }
    return 0;
}

int BtlHauptEinfuegen(uint32_t id, const appbteil* e, const char* zname, double x, double y, const char* dispo,
                      const char* prinzip)
{
    if (!BtlBereit(1)) return -1;
    appbteil b = *e;
    b.id = id;
    b.platziert = 1;
    if (zname != nullptr && zname[0]) {
        BtlSchluessel(b.ze, sizeof b.ze, zname);
        b.x = x;
        b.y = y;
    }
    if (BtlAnfuegen(b) < 0) return -1;
    BtlDispoPrinzip(id, b.tt, dispo, prinzip);
    return 0;
}

int BtlZusatzAnlegen(uint32_t id, const char* typ, const char* code, const char* name)
{
    if (!BtlBereit(1)) return -1;
    appbteil b;
    BtlLeer(&b);
    b.id = id;
    BmhKopie(b.cd, code, BTLCDSUP);
    BmhKopie(b.tt, typ, BTLTEXTSUP);
    BmhKopie(b.bl, name, BTLTEXTSUP);
    return BtlAnfuegen(b) < 0 ? -1 : 0;
}

int BtlEintragAnhaengen(const appbteil* e)
{
    if (!BtlBereit(1)) return -1;
    return BtlAnfuegen(*e) < 0 ? -1 : 0;
}

int BtlEintragAendern(uint32_t id, const char* code, int nr, const appbteil* e)
{
    if (!BtlBereit(1)) return 0;
    for (int32_t i : BtlIdIndizes(id)) {
        appbteil& b = btlL()[static_cast<size_t>(i)];
        if (!BtlCodeGleich(b, code) || b.nr != nr || !(b.platziert != 0 || b.nr == 0)) continue;
        const bool andereId = e->id != b.id;
        b = *e;
        if (andereId) BtlIndexVerwerfen();
        BtlGeaendertMerken();
        return 1;
    }
    return 0;
}

void BtlEintraegeLoeschen(uint32_t id)
{
    if (!BtlBereit(1)) return;
    if (BtlIdIndizes(id).empty()) return;
    size_t j = 0;
    for (size_t i = 0; i < btlL().size(); ++i)
        if (btlL()[i].id != id) btlL()[j++] = btlL()[i];
    btlL().resize(j);
    BtlIndexVerwerfen();
    BtlGeaendertMerken();
}

int BtlEintragLoeschen(uint32_t id, const char* code, int nr)
{
    if (!BtlBereit(1)) return 0;
    for (int32_t i : BtlIdIndizes(id)) {
        const appbteil& b = btlL()[static_cast<size_t>(i)];
        if (!BtlCodeGleich(b, code) || b.nr != nr) continue;
        if (b.platziert != 0 && b.nr != 0)
            BtlInstanzZurueck(i);
        else
            BtlEntfernen(i);
        return 1;
    }
    return 0;
}

int BtlInstanzNeu(int i)
{
    if (!btlInit || i < 0 || i >= static_cast<int>(btlL().size())) return -1;
    const appbteil alt = btlL()[static_cast<size_t>(i)];
    // Check for room before anything changes: a split that cannot append
    // must not lower the count.
    if (alt.nr != 1 && BtlVoll()) return -1;
    const int k = BtlGroessteNr(alt.id, alt.cd) + 1;
    int ergebnis = i;
    if (alt.nr == 1) {
        appbteil& b = btlL()[static_cast<size_t>(i)];
        b.nr = k;
        b.platziert = 1;
        BtlGeaendertMerken();
    } else {
        btlL()[static_cast<size_t>(i)].nr -= 1;
        appbteil kopie = alt;
        kopie.nr = k;
        kopie.platziert = 1;
        ergebnis = BtlAnfuegen(kopie);
    }
    for (int z = 0; z < 40; ++z) {
        char text[64];
        GtxTextRoh(alt.id, alt.cd, 0, z, text, sizeof text);
        if (text[0]) GtxTextNeu(alt.id, alt.cd, k, z, text);
    }
    return ergebnis;
}

int BtlInstanzZurueck(int i)
{
    if (!btlInit || i < 0 || i >= static_cast<int>(btlL().size())) return -1;
    const appbteil b = btlL()[static_cast<size_t>(i)];
    GtxBauteilLoeschen(b.id, b.cd, b.nr);
    ZtxBauteilLoeschen(b.id, b.cd, b.nr);
    const int frei = BtlErsteFreie(b.id, b.cd, false);
    if (frei >= 0 && frei != i) {
        btlL()[static_cast<size_t>(frei)].nr += 1;
        BtlEntfernen(i);
        return 1;
    }
    appbteil& e = btlL()[static_cast<size_t>(i)];
    BtlUnplatziert(e);
    e.nr = 1;
    BtlGeaendertMerken();
    return 0;
}

int BtlPlatzieren(uint32_t id, const char* code, const char* zname, double x, double y)
{
    if (!BtlBereit(1)) return 0;
    int i = BtlErsteFreie(id, code, false);
    if (i < 0) return 0;
    int ergebnis = 0;
    if (btlL()[static_cast<size_t>(i)].nr != 0) {
        i = BtlInstanzNeu(i);
        if (i < 0) return -1;
        ergebnis = btlL()[static_cast<size_t>(i)].nr;
    }
    appbteil& b = btlL()[static_cast<size_t>(i)];
    b.platziert = 1;
    BtlSchluessel(b.ze, sizeof b.ze, zname);
    b.x = x;
    b.y = y;
    BtlGeaendertMerken();
    return ergebnis;
}

int BtlPlatzierenNr(uint32_t id, const char* code)
{
    if (!BtlBereit(1)) return -1;
    int i = BtlErsteFreie(id, code, true);
    if (i < 0) return -1;
    i = BtlInstanzNeu(i);
    if (i < 0) return -1;
    btlL()[static_cast<size_t>(i)].platziert = 1;
    return btlL()[static_cast<size_t>(i)].nr;
}

int BtlPlatzFreigeben(const char* bl, const char* zname, double x, double y, appbteil* aus)
{
    if (aus != nullptr) BtlLeer(aus);
    if (!BtlBereit(1)) return 0;
    const int i = BtlPositionFinden(bl, zname, x, y, false);
    if (i < 0) return 0;
    const appbteil b = btlL()[static_cast<size_t>(i)];
    if (aus != nullptr) *aus = b;
    if (b.nr == 0) {
        BtlUnplatziert(btlL()[static_cast<size_t>(i)]);
        BtlGeaendertMerken();
    } else {
        BtlInstanzZurueck(i);
    }
    return BtlPlatziertAnzahl(b.id) == 0 ? 2 : 1;
}

long BtlPlatzVerschieben(int objekt, const char* bl, const char* zname, double x, double y, double nx, double ny,
                         appbteil* aus)
{
    if (aus != nullptr) BtlLeer(aus);
    if (!BtlBereit(1)) return -1;
    char schluessel[41];
    BtlSchluessel(schluessel, sizeof schluessel, zname);
    int mitObjekt = -1, andere = -1;
    for (size_t i = 0; i < btlL().size(); ++i) {
        const appbteil& b = btlL()[i];
        if (b.platziert != 1 || !BtlAnPosition(b, bl, schluessel, x, y)) continue;
        if (objekt != 0 && b.objekt == objekt) {
            if (mitObjekt < 0) mitObjekt = static_cast<int>(i);
        } else {
            andere = static_cast<int>(i);
        }
        if (mitObjekt >= 0 && andere >= 0) break;
    }
    const int i = mitObjekt >= 0 ? mitObjekt : andere;
    if (i < 0) return -1;
    appbteil& b = btlL()[static_cast<size_t>(i)];
    b.platziert = 2;
    b.x = nx;
    b.y = ny;
    b.objekt = objekt;
    BtlGeaendertMerken();
    if (aus != nullptr) *aus = b;
    return static_cast<long>(b.id);
}

uint32_t BtlAnPositionId(const char* bl, const char* zname, double x, double y)
{
    if (!BtlBereit(0)) return 0;
    const int i = BtlPositionFinden(bl, zname, x, y, true);
    return i < 0 ? 0 : btlL()[static_cast<size_t>(i)].id;
}

int BtlAnPositionSuchen(const char* bl, const char* zname, double x, double y, appbteil* aus)
{
    if (aus != nullptr) BtlLeer(aus);
    if (!BtlBereit(0)) return 0;
    const int i = BtlPositionFinden(bl, zname, x, y, false);
    if (i < 0) return 0;
    if (aus != nullptr) *aus = btlL()[static_cast<size_t>(i)];
    return 1;
}

int BtlAnPositionUmbenennen(const char* bl, const char* neu, const char* zname, double x, double y, appbteil* aus)
{
    if (aus != nullptr) BtlLeer(aus);
    if (!BtlBereit(1)) return 0;
    const int i = BtlPositionFinden(bl, zname, x, y, true);
    if (i < 0) return 0;
    appbteil& b = btlL()[static_cast<size_t>(i)];
    BmhKopie(b.bl, neu, BTLTEXTSUP);
    BtlGeaendertMerken();
    if (aus != nullptr) *aus = b;
    return 1;
}

void BtlMarkenBestaetigen()
{
    for (auto& b : btlL())
        if (b.platziert == 2) b.platziert = 1;
}

void BtlObjektMarkenLoeschen()
{
    for (auto& b : btlL()) b.objekt = 0;
}

void BtlZeichnungUmbenennen(const char* alt, const char* neu)
{
    if (!BtlBereit(1)) return;
    for (auto& b : btlL()) {
        if (b.platziert == 0 || strvgl(b.ze, alt) != 0) continue;
        BmhKopie(b.ze, neu, BTLTEXTSUP);
        BtlGeaendertMerken();
    }
}

void BtlZeichnungEntfernen(const char* zname)
{
    if (!BtlBereit(1)) return;
    char schluessel[41];
    BtlSchluessel(schluessel, sizeof schluessel, zname);
    for (size_t i = 0; i < btlL().size();) {
        appbteil& b = btlL()[i];
        if (b.platziert == 0 || strvgl(b.ze, schluessel) != 0) {
            ++i;
            continue;
        }
        ZtxBauteilLoeschen(b.id, b.cd, b.nr);
        if (b.nr != 0) {
            if (BtlInstanzZurueck(static_cast<int>(i)) == 1) continue;  // removed: i holds the next
        } else {
            BtlUnplatziert(b);
            BtlGeaendertMerken();
        }
        ++i;
    }
}

int BtlSuchen(uint32_t id, const char* code, int nr, appbteil* aus)
{
    BtlLeer(aus);
    if (!BtlBereit(0)) return 0;
    int gemerkt = -1;
    for (int32_t i : BtlIdIndizes(id)) {
        const appbteil& b = btlL()[static_cast<size_t>(i)];
        if (!BtlCodeGleich(b, code) || b.nr != nr) continue;
        if (nr == 0 || b.platziert != 0) {
            *aus = b;
            return 1;
        }
        gemerkt = i;
    }
    if (gemerkt < 0) return 0;
    *aus = btlL()[static_cast<size_t>(gemerkt)];
    return 1;
}

int BtlFreieSuchen(uint32_t id, const char* code, int nr, const char* bl, appbteil* aus)
{
    BtlLeer(aus);
    if (!BtlBereit(0)) return 0;
    for (int32_t i : BtlIdIndizes(id)) {
        const appbteil& b = btlL()[static_cast<size_t>(i)];
        if (b.platziert != 0) continue;
        if (code != nullptr && code[0] && !BtlCodeGleich(b, code)) continue;
        if (nr != -1 && b.nr != nr) continue;
        if (bl != nullptr && bl[0] && std::strcmp(b.bl, bl) != 0) continue;
        *aus = b;
        return 1;
    }
    return 0;
}

int BtlNrHolen(int i, appbteil* aus)
{
    BtlLeer(aus);
    if (!BtlBereit(0)) return -1;
    if (i < 0 || i >= static_cast<int>(btlL().size())) return -1;
    *aus = btlL()[static_cast<size_t>(i)];
    return 0;
}

void BtlDurchlaufen(uint32_t id, BTLFN fn, void* benutzer)
{
    if (!BtlBereit(0)) return;
    if (id == 0) {
        for (size_t i = 0; i < btlL().size(); ++i) fn(&btlL()[i], benutzer);
        return;
    }
    const std::vector<int32_t> indizes = BtlIdIndizes(id);
    for (int32_t i : indizes)
        if (static_cast<size_t>(i) < btlL().size()) fn(&btlL()[static_cast<size_t>(i)], benutzer);
}

int BtlUnterAnzahl(uint32_t id)
{
    if (!BtlBereit(0)) return 0;
    int n = 0;
    for (int32_t i : BtlIdIndizes(id)) n += NhuIstUnter(btlL()[static_cast<size_t>(i)].cd) ? 1 : 0;
    return n;
}

int BtlPlatziertAnzahl(uint32_t id)
{
    if (!BtlBereit(0)) return 0;
    int n = 0;
    for (int32_t i : BtlIdIndizes(id)) n += btlL()[static_cast<size_t>(i)].platziert != 0 ? 1 : 0;
    return n;
}

int BtlBauteilVerwendet(const char* bl)
{
    if (!BtlBereit(0)) return 0;
    for (const auto& b : btlL())
        if ((NhuIstUnter(b.cd) || BtlIstDispo(b.cd)) && std::strcmp(b.bl, bl) == 0) return 1;
    return 0;
}

int BtlTypVerwendet(const char* tt)
{
    if (!BtlBereit(0)) return 0;
    for (const auto& b : btlL())
        if ((NhuIstUnter(b.cd) || BtlIstDispo(b.cd)) && strvgl(b.tt, tt) == 0) return 1;
    return 0;
}

namespace {

void BtlUnterNach(const char* text, bool nachTyp, int alle, BTLIDFN fn, void* benutzer)
{
    if (!BtlBereit(0)) return;
    bool lauf = false;
    uint32_t letzte = 0;
    for (const auto& b : btlL()) {
        if (!NhuIstUnter(b.cd)) continue;
        if (text != nullptr && text[0] && strvgl(nachTyp ? b.tt : b.bl, text) != 0) continue;
        if (!alle && b.platziert != 0) continue;
        if (lauf && b.id == letzte) continue;
        lauf = true;
        letzte = b.id;
        fn(b.id, benutzer);
    }
}

}  // namespace

void BtlUnterNachName(const char* bl, int alle, BTLIDFN fn, void* benutzer) { BtlUnterNach(bl, false, alle, fn, benutzer); }
void BtlUnterNachTyp(const char* tt, int alle, BTLIDFN fn, void* benutzer) { BtlUnterNach(tt, true, alle, fn, benutzer); }

int BtlNaechsteBs(uint32_t id)
{
    if (!BtlBereit(0)) return 1;
    int groesste = 0;
    bool eine = false;
    for (int32_t i : BtlIdIndizes(id)) {
        const appbteil& b = btlL()[static_cast<size_t>(i)];
        if (b.platziert == 0) continue;
        const int w = BmhAtoi(b.bs);
        if (!eine || w > groesste) groesste = w;
        eine = true;
    }
    return eine ? groesste + 1 : 1;
}

void BtlHauptAufZeichnung(const char* schluessel, BTLFN fn, void* benutzer)
{
    if (!BtlBereit(0)) return;
    for (size_t i = 0; i < btlL().size(); ++i)
        if (BtlIstHaupt(btlL()[i].cd) && strvgl(btlL()[i].ze, schluessel) == 0) fn(&btlL()[i], benutzer);
}

int BtlNamenVergleich(const void* a, const void* b)
{
    const auto* x = static_cast<const char*>(a);
    const auto* y = static_cast<const char*>(b);
    const int r = strvgl(x, y);
    return r != 0 ? r : strvgl(x + 41, y + 41);
}

int BtlArtVergleich(const appbteil* a, const appbteil* b)
{
    const int ra = BtlRang(a->cd), rb = BtlRang(b->cd);
    if (ra != rb) return ra < rb ? -1 : 1;
    const int r = std::strcmp(a->cd, b->cd);
    if (r != 0) return r;
    return a->nr < b->nr ? -1 : a->nr > b->nr ? 1 : 0;
}

int BtlVergleich(const appbteil* a, const appbteil* b) { return BtlSortVergleich(a, b, false); }

int BtlPosVergleich(const char* za, double xa, double ya, const char* zb, double xb, double yb)
{
    const int r = ZeiNameVergleich(za, zb);
    if (r != 0) return r;
    if (xa != xb) return xa < xb ? -1 : 1;
    if (ya != yb) return ya > yb ? -1 : 1;
    return 0;
}
