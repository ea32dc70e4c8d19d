// The project page scan's per-file work (see pvwlesen.h). Reading a header
// through ZeiKopfLesen after the listing's stat cost a lookup and a stat
// for the listing, then a lookup, an open, a stat for the length and
// three seeks for the header: here one open, one fstat and one read give
// size, time and header, and the records are walked in memory by the same
// record reader. Whatever the read does not settle (a record reaching past
// the bytes read, a damaged record) goes to ZeiKopfLesen, so the result is
// the same.
// The sort keys hold what ZeiDateiVergleich works out from two names on
// every call: sorting 1,000 names made 10,000 comparisons, each upper-
// casing and splitting both names again.
#include "project/pvwlesen.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

#include "model/befehl.h"
#include "platform/dateisys.h"
#include "platform/zeichen.h"
#include "support/bdatei.h"
#include "support/pfade.h"
#include "support/vergleich.h"

namespace {

void pvwKopie(char* ziel, size_t kap, const char* quelle, size_t n)
{
    size_t l = strnlen(quelle, n);
    if (l >= kap) l = kap - 1;
    std::memmove(ziel, quelle, l);
    ziel[l] = '\0';
}

uint32_t pvwLe(const unsigned char* p, int n)
{
    uint32_t w = 0;
    for (int i = n - 1; i >= 0; --i) w = (w << 8) | p[i];
    return w;
}

// The header from the first `n` bytes of a file of `groesse` bytes, as
// ZeiDateiLesend and ZeiKopfLesen would read it: 0 read, -1 no drawing,
// 1 not settled by these bytes.
int pvwKopfAusPuffer(int fd, unsigned char* puffer, size_t n, off_t groesse, ZeiKopf* k)
{
    const bool ganz = static_cast<off_t>(n) == groesse;
    if (n < 10) return ganz ? -1 : 1;
    if (std::memcmp(puffer, "zvkZ", 4) != 0) return -1;
    const int version = static_cast<int>(pvwLe(puffer + 4, 2));
    const uint32_t laenge = pvwLe(puffer + 6, 4);
    if (laenge > 0x7FFFFFF0u || static_cast<off_t>(laenge) + 11 > groesse) return -1;
    int format;
    if (10 + static_cast<size_t>(laenge) < n) {
        format = puffer[10 + laenge];
    } else {
        unsigned char f;
        if (plDsLesenAb(fd, &f, 1, 10 + static_cast<off_t>(laenge)) != 1) return 1;
        format = f;
    }
    if (format != BEF_ZA3 && format != BEF_ZA4) return -1;
    std::memset(k, 0, sizeof *k);
    k->format = format;
    k->version = version;
    BDAT d;
    bdopenram(&d, puffer + 10, static_cast<int32_t>(n - 10));
    int32_t position = 0;
    while (position < static_cast<int32_t>(laenge)) {
        BEF roh, b;
        std::memset(&roh, 0, sizeof roh);
        const int r = BefLesen(&d, &roh);
        // A failure or a record past the bytes read may read otherwise from the file.
        if (r <= 0 || 10 + static_cast<size_t>(position) + static_cast<size_t>(r) > n) return 1;
        position += r;
        BefAusDateiForm(&roh, &b);
        if (b.code != BEF_ZAT && b.code != BEF_ZTX) break;
        ZeiKopfSatzNehmen(b, k);
    }
    return 0;
}

void pvwTeilSetzen(PvwNamensSchluessel::Teil* t, std::string text)
{
    t->text = std::move(text);
    t->ziffer = !t->text.empty() && t->text[0] >= '0' && t->text[0] <= '9';
    t->zahl = t->text.find_first_not_of("0123456789") == std::string::npos;
    t->ziffern.clear();
    if (t->zahl) t->ziffern = t->text.substr(std::min(t->text.find_first_not_of('0'), t->text.size()));
}

// One step of the extension order for two non-empty parts; 0 undecided
// unless `gleichIstEnde`.
int pvwTeilVergleich(const PvwNamensSchluessel::Teil& a, const PvwNamensSchluessel::Teil& b, bool gleichIstEnde,
                     bool* entschieden)
{
    *entschieden = true;
    if (a.ziffer != b.ziffer) return a.ziffer ? 1 : -1;
    if (a.zahl && b.zahl) {
        // By value: the longer digit string without leading zeros is larger.
        const int v = a.ziffern.size() != b.ziffern.size() ? (a.ziffern.size() < b.ziffern.size() ? -1 : 1)
                                                           : a.ziffern.compare(b.ziffern);
        if (v != 0 || gleichIstEnde) return v < 0 ? -1 : v > 0 ? 1 : 0;
    } else {
        const int v = strvglzahl(a.text.c_str(), b.text.c_str());
        if (v != 0 || gleichIstEnde) return v;
    }
    *entschieden = false;
    return 0;
}

}  // namespace

int PvwKopfLesen(const char* pfad, ZeiKopf* kopf, struct stat* st, size_t lesen)
{
    // The path as the buffered files take it.
    char p[PFADSUP + 1];
    if (pfadnormal(p, pfad) < 0) return -1;
    // Not blocking: a pipe in the folder is no drawing.
    const int fd = plDsOeffnen(p, O_RDONLY | O_NONBLOCK);
    if (fd < 0) return -1;
    int ergebnis = -1;
    if (::fstat(fd, st) == 0 && !S_ISDIR(st->st_mode)) {
        unsigned char puffer[PVWKOPFLESEN];
        const size_t soll = std::min<size_t>(std::min(lesen, sizeof puffer),
                                             st->st_size > 0 ? static_cast<size_t>(st->st_size) : 0);
        const ssize_t n = soll > 0 ? plDsLesenAb(fd, puffer, soll, 0) : 0;
        const int r = n < 0 ? 1 : pvwKopfAusPuffer(fd, puffer, static_cast<size_t>(n), st->st_size, kopf);
        ergebnis = r == 0 ? 0 : r < 0 ? -1 : ZeiKopfLesen(pfad, kopf) == 0 ? 0 : -1;
    }
    plDsSchliessen(fd);
    return ergebnis;
}

void PvwSchluesselBilden(const char* name, PvwNamensSchluessel* s)
{
    std::string g(name);
    for (char& c : g) c = static_cast<char>(plZeichenGross(static_cast<unsigned char>(c)));
    char ext[ZEIPFADSUP + 1];
    ZeiExtHolen(g.c_str(), ext);
    char stamm[ZEIPFADSUP + 1];
    pvwKopie(stamm, sizeof stamm, g.c_str(), g.size());
    ZeiExtLoeschen(stamm);
    s->stamm = stamm;
    const char* p = std::strchr(ext, '.');
    pvwTeilSetzen(&s->kopf, p ? std::string(ext, static_cast<size_t>(p - ext)) : std::string());
    pvwTeilSetzen(&s->schwanz, p ? std::string(p + 1) : std::string(ext));
}

int PvwSchluesselVergleich(const PvwNamensSchluessel& a, const PvwNamensSchluessel& b)
{
    const int v = strvglzahl(a.stamm.c_str(), b.stamm.c_str());
    if (v != 0) return v;
    bool entschieden = false;
    if (!a.kopf.text.empty() && !b.kopf.text.empty()) {
        const int k = pvwTeilVergleich(a.kopf, b.kopf, false, &entschieden);
        if (entschieden) return k;
    } else if (!a.kopf.text.empty()) {
        return 1;
    } else if (!b.kopf.text.empty()) {
        return -1;
    }
    if (a.schwanz.text.empty() || b.schwanz.text.empty())
        return a.schwanz.text.empty() ? (b.schwanz.text.empty() ? 0 : -1) : 1;
    return pvwTeilVergleich(a.schwanz, b.schwanz, true, &entschieden);
}

void PvwOrdnerLesen(const char* muster, int (*fn)(const char* pfad, const char* name, void* user), void* user)
{
    const int n = pfadlang(muster);
    // The folder and the prefix of its entries' paths.
    const bool wurzel = n == 1 || (n == 3 && muster[1] == ':');
    const std::string verz = n == 0 ? std::string(".") : std::string(muster, static_cast<size_t>(wurzel ? n : n - 1));
    const std::string vorsatz = n == 0 ? std::string("./") : wurzel ? verz : verz + "/";
    const char* namensmuster = muster[n] ? muster + n : "*";
    char p[PFADSUP + 1];
    if (pfadnormal(p, verz.c_str()) < 0) return;
    PlDsVerz* v = plDsVerzOeffnen(p);
    if (v == nullptr) return;
    std::string name, pfad;
    while (plDsVerzLesen(v, &name) > 0) {
        if (name == "." || name == ".." || mustervgli(namensmuster, name.c_str()) != 1) continue;
        pfad = vorsatz;
        pfad += name;
        if (fn(pfad.c_str(), name.c_str(), user) == 0) break;
    }
    plDsVerzSchliessen(v);
}

int PvwStatus(const char* pfad, struct stat* st)
{
    char p[PFADSUP + 1];
    return pfadnormal(p, pfad) == 0 && plDsStat(p, st) == 0 ? 0 : -1;
}
