// Shell sort, binary search and the external merge sort. The loops follow
// the fixed algorithms step by step, because callers rely on the order they
// give to records with equal keys and on the record binsuche probes first.
// Run files go through the handle layer in large pieces (see msLesen).
#include "support/sortier.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/dosdatei.h"
#include "support/fileload.h"
#include "support/speicher.h"

namespace {

// Gap n / 2, halving; each record steps back by the gap while the one
// before it is greater.
template <class Vergl> void shellsortMit(void* basis, int32_t n, int32_t groesse, Vergl vergl)
{
    if (n < 2 || groesse <= 0) {
        return;
    }
    char* b = static_cast<char*>(basis);
    for (int32_t abstand = n / 2; abstand > 0; abstand /= 2) {
        for (int32_t p = abstand; p < n; ++p) {
            for (int32_t j = p - abstand; j >= 0; j -= abstand) {
                char* x = b + static_cast<long>(j) * groesse;
                char* y = x + static_cast<long>(abstand) * groesse;
                if (vergl(x, y) <= 0) {
                    break;
                }
                tauschmem(x, y, groesse);
            }
        }
    }
}

// Instance numbers of the external sorts, 0..99 and round again.
int32_t msNaechsteInstanz = 0;

int msName(const MSORT* m, int32_t lauf, char* ziel, size_t groesse)
{
    int n = std::snprintf(ziel, groesse, "%sM%02dE%03d.TMP", m->verz, static_cast<int>(m->instanz),
                          static_cast<int>(lauf));
    return n < 0 || static_cast<size_t>(n) >= groesse ? -1 : 0;
}

// Run files are read and written through the handle layer in large pieces:
// while runs are merged, the run buffer lies idle and serves as the windows
// of the two sources and the target, so memory stays at the run buffer.
struct MsLeser {
    int handle = -1;
    char* fenster = nullptr;
    int32_t groesse = 0;  // window size
    int32_t pos = 0;      // next byte in the window
    int32_t fuell = 0;    // bytes in the window
};

struct MsSchreiber {
    int handle = -1;
    char* fenster = nullptr;
    int32_t groesse = 0;
    int32_t fuell = 0;
    bool fehler = false;
};

// n bytes from the run; -1 when it ended first or a read failed.
int msLesen(MsLeser* l, void* ziel, int32_t n)
{
    char* z = static_cast<char*>(ziel);
    while (n > 0) {
        if (l->pos == l->fuell) {
            int r = dosread(l->handle, l->fenster, l->groesse);
            if (r <= 0) {
                return -1;
            }
            l->pos = 0;
            l->fuell = r;
        }
        int32_t k = l->fuell - l->pos < n ? l->fuell - l->pos : n;
        std::memcpy(z, l->fenster + l->pos, static_cast<size_t>(k));
        l->pos += k;
        z += k;
        n -= k;
    }
    return 0;
}

int msZahlLesen(MsLeser* l, int32_t* zahl)
{
    unsigned char b[4];
    if (msLesen(l, b, 4) != 0) {
        return -1;
    }
    *zahl = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                 static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
    return *zahl < 0 ? -1 : 0;
}

bool msAlles(int handle, const char* daten, long n)
{
    while (n > 0) {
        int stueck = n > (1L << 30) ? (1 << 30) : static_cast<int>(n);
        int r = doswrite(handle, daten, stueck);
        if (r <= 0) {
            return false;
        }
        daten += r;
        n -= r;
    }
    return true;
}

void msSchreiben(MsSchreiber* s, const void* daten, int32_t n)
{
    const char* d = static_cast<const char*>(daten);
    while (n > 0 && !s->fehler) {
        if (s->fuell == s->groesse) {
            s->fehler = !msAlles(s->handle, s->fenster, s->fuell);
            s->fuell = 0;
        }
        int32_t k = s->groesse - s->fuell < n ? s->groesse - s->fuell : n;
        std::memcpy(s->fenster + s->fuell, d, static_cast<size_t>(k));
        s->fuell += k;
        d += k;
        n -= k;
    }
}

void msZahlSchreiben(MsSchreiber* s, int32_t zahl)
{
    auto u = static_cast<uint32_t>(zahl);
    unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                          static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
    msSchreiben(s, b, 4);
}

// Writes what is left and closes: the new run appears under its name only
// when everything reached the file; else it is dropped. 0 or -1.
int msSchreiberEnde(MsSchreiber* s)
{
    if (!s->fehler && s->fuell > 0) {
        s->fehler = !msAlles(s->handle, s->fenster, s->fuell);
    }
    if (s->fehler) {
        dosverwerfen(s->handle);
        return -1;
    }
    return dosclose(s->handle) == 0 ? 0 : -1;
}

// Sorts the buffer and writes it as run `laeufe`; the buffer is then empty.
int msLaufSchreiben(MSORT* m)
{
    char name[PFADSUP + 16];
    int32_t lauf = m->laeufe;
    if (m->dateien < lauf + 1) {
        m->dateien = lauf + 1;
    }
    if (msName(m, lauf, name, sizeof name) != 0) {
        return -1;
    }
    std::qsort(m->puffer, static_cast<size_t>(m->imPuffer), static_cast<size_t>(m->groesse), m->vergl);
    auto u = static_cast<uint32_t>(m->imPuffer);
    const char kopf[4] = {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16),
                          static_cast<char>(u >> 24)};
    MsSchreiber s;
    s.handle = doscrt(name);
    if (s.handle < 0) {
        return -1;
    }
    // The records go straight from the run buffer.
    s.fehler = !msAlles(s.handle, kopf, 4) ||
               !msAlles(s.handle, m->puffer, static_cast<long>(m->imPuffer) * m->groesse);
    if (msSchreiberEnde(&s) != 0) {
        return -1;
    }
    setmem(m->puffer, static_cast<long>(m->imPuffer) * m->groesse, 0);
    m->imPuffer = 0;
    m->fuell = m->puffer;
    m->laeufe++;
    return 0;
}

// Merges runs a and b into run c; on equal keys b's record comes first.
// The two source runs are deleted once c is complete.
int msMischen(MSORT* m, int32_t a, int32_t b, int32_t c)
{
    char na[PFADSUP + 16], nb[PFADSUP + 16], nc[PFADSUP + 16];
    if (msName(m, a, na, sizeof na) != 0 || msName(m, b, nb, sizeof nb) != 0 ||
        msName(m, c, nc, sizeof nc) != 0) {
        return -1;
    }
    const int32_t drittel = MSORTPUFFERSUP / 3;
    MsLeser la, lb;
    MsSchreiber sc;
    la.fenster = m->puffer;
    lb.fenster = m->puffer + drittel;
    sc.fenster = m->puffer + 2 * drittel;
    la.groesse = lb.groesse = sc.groesse = drittel;
    la.handle = dosopen(na, 0);
    lb.handle = la.handle < 0 ? -1 : dosopen(nb, 0);
    sc.handle = lb.handle < 0 ? -1 : doscrt(nc);
    if (sc.handle < 0) {
        if (la.handle >= 0) {
            dosclose(la.handle);
        }
        if (lb.handle >= 0) {
            dosclose(lb.handle);
        }
        return -1;
    }
    int32_t g = m->groesse;
    bool fehler = msZahlLesen(&la, &m->anza) != 0 || msZahlLesen(&lb, &m->anzb) != 0;
    if (!fehler) {
        msZahlSchreiben(&sc, m->anza + m->anzb);
        fehler = (m->anza > 0 && msLesen(&la, m->satza, g) != 0) || (m->anzb > 0 && msLesen(&lb, m->satzb, g) != 0);
    }
    while (!fehler && !sc.fehler && (m->anza > 0 || m->anzb > 0)) {
        bool nimmA = m->anzb == 0 || (m->anza > 0 && m->vergl(m->satza, m->satzb) < 0);
        MsLeser* quelle = nimmA ? &la : &lb;
        char* satz = nimmA ? m->satza : m->satzb;
        int32_t* rest = nimmA ? &m->anza : &m->anzb;
        msSchreiben(&sc, satz, g);
        if (--*rest > 0 && msLesen(quelle, satz, g) != 0) {
            fehler = true;
        }
    }
    dosclose(la.handle);
    dosclose(lb.handle);
    if (fehler) {
        sc.fehler = true;
    }
    if (msSchreiberEnde(&sc) != 0) {
        return -1;
    }
    dateiloeschen(na);
    dateiloeschen(nb);
    return 0;
}

// Hands the records of the result run to fn. The file's length is checked
// against its count first, so a damaged run calls no callback.
int msErgebnisLesen(MSORT* m, MSORTFN fn, void* user)
{
    char name[PFADSUP + 16];
    if (msName(m, m->ergebnis, name, sizeof name) != 0) {
        return -1;
    }
    long laenge = dateilaenge(name);
    MsLeser l;
    l.fenster = m->puffer;
    l.groesse = MSORTPUFFERSUP;
    if (laenge < 4 || (l.handle = dosopen(name, 0)) < 0) {
        return -1;
    }
    int32_t anzahl = 0;
    int erg = msZahlLesen(&l, &anzahl);
    if (erg == 0 && laenge != 4 + static_cast<long>(anzahl) * m->groesse) {
        erg = -1;
    }
    for (int32_t i = 0; erg == 0 && i < anzahl; ++i) {
        if (msLesen(&l, m->satza, m->groesse) != 0) {
            erg = -1;
        } else if (fn != nullptr && fn(m->satza, user) == 0) {
            break;
        }
    }
    dosclose(l.handle);
    return erg;
}

// Deletes every run file of the context that is still there and releases
// the buffers.
void msAufraeumen(MSORT* m)
{
    char name[PFADSUP + 16];
    for (int32_t lauf = 0; lauf < m->dateien; ++lauf) {
        if (msName(m, lauf, name, sizeof name) == 0 && dosattrib(name) != DOSATTR_FEHLT) {
            dateiloeschen(name);
        }
    }
    ffree(m->puffer);
    ffree(m->satza);
    ffree(m->satzb);
    m->puffer = m->fuell = m->satza = m->satzb = nullptr;
    m->dateien = 0;
}

}  // namespace

void shellsort(void* basis, int32_t n, int32_t groesse, SORTVERGLFN vergl)
{
    shellsortMit(basis, n, groesse, vergl);
}

void shellsortu(void* basis, int32_t n, int32_t groesse, SORTVERGLUFN vergl, void* user)
{
    shellsortMit(basis, n, groesse, [vergl, user](const void* a, const void* b) { return vergl(a, b, user); });
}

int32_t binsuche(const void* basis, int32_t n, int32_t groesse, SORTVERGLFN vergl, const void* schluessel)
{
    const char* b = static_cast<const char*>(basis);
    int32_t unten = 0;
    int32_t oben = n - 1;
    while (unten <= oben) {
        int32_t mitte = (unten + oben + 1) / 2;
        int r = vergl(b + static_cast<long>(mitte) * groesse, schluessel);
        if (r == 0) {
            return mitte;
        }
        if (r > 0) {
            oben = mitte - 1;
        } else {
            unten = mitte + 1;
        }
    }
    return -1;
}

int msortinit(MSORT* m, int32_t groesse, SORTVERGLFN vergl)
{
    std::memset(m, 0, sizeof *m);
    if (groesse < 1 || groesse > MSORTPUFFERSUP || tempverz(m->verz) != 0) {
        return -1;
    }
    m->puffer = static_cast<char*>(fmalloc(MSORTPUFFERSUP, 1));
    m->satza = static_cast<char*>(fmalloc(groesse, 1));
    m->satzb = static_cast<char*>(fmalloc(groesse, 1));
    if (m->puffer == nullptr || m->satza == nullptr || m->satzb == nullptr) {
        msAufraeumen(m);
        return -1;
    }
    m->vergl = vergl;
    m->fuell = m->puffer;
    m->groesse = groesse;
    m->proLauf = MSORTPUFFERSUP / groesse;
    m->instanz = msNaechsteInstanz;
    msNaechsteInstanz = (msNaechsteInstanz + 1) % MSORTINSTANZSUP;
    return 0;
}

int msortput(MSORT* m, const void* satz)
{
    if (m->puffer == nullptr || m->fehler != 0) {
        return -1;
    }
    // A full buffer is written when the next record comes, so that exactly
    // one buffer's worth stays one run for msortende.
    if (m->imPuffer >= m->proLauf && msLaufSchreiben(m) != 0) {
        m->fehler = 1;
        return -1;
    }
    std::memcpy(m->fuell, satz, static_cast<size_t>(m->groesse));
    m->fuell += m->groesse;
    m->imPuffer++;
    return 0;
}

int msortende(MSORT* m, MSORTFN fn, void* user)
{
    if (m->puffer == nullptr) {
        return 2;
    }
    int erg = 0;
    if (m->fehler != 0) {
        erg = 2;
    } else if (msLaufSchreiben(m) != 0) {
        erg = 1;
    }
    // The runs still to merge are always the numbers kopf..naechster-1.
    int32_t kopf = 0;
    int32_t naechster = m->laeufe;
    while (erg == 0 && naechster - kopf > 1) {
        if (m->dateien < naechster + 1) {
            m->dateien = naechster + 1;
        }
        if (msMischen(m, kopf, kopf + 1, naechster) != 0) {
            erg = 2;
        }
        kopf += 2;
        naechster++;
    }
    if (erg == 0) {
        m->ergebnis = kopf;
        if (msErgebnisLesen(m, fn, user) != 0) {
            erg = 2;
        }
    }
    msAufraeumen(m);
    return erg;
}
