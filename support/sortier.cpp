// Shell sort, binary search and the external merge sort. The loops follow
// the fixed algorithms step by step, because callers rely on the order they
// give to records with equal keys and on the record binsuche probes first.
#include "support/sortier.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/bdatei.h"
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

// Reads a signed 32-bit little-endian count; -1 when the data ended.
int msZahlLesen(BDAT* d, int32_t* zahl)
{
    unsigned char b[4];
    if (bdread(d, b, 4) != 0) {
        return -1;
    }
    *zahl = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                 static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
    return *zahl < 0 ? -1 : 0;
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
    BDAT d;
    if (bdmake(&d, name) < 0) {
        return -1;
    }
    int erg = bdputl(&d, m->imPuffer);
    if (bdwrite(&d, m->puffer, m->imPuffer * m->groesse) != 0) {
        erg = -1;
    }
    if (bdclose(&d) != 0) {
        erg = -1;
    }
    if (erg != 0) {
        dateiloeschen(name);
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
    BDAT da, db, dc;
    if (bdopenlesen(&da, na) < 0) {
        return -1;
    }
    if (bdopenlesen(&db, nb) < 0) {
        bdclose(&da);
        return -1;
    }
    if (bdmake(&dc, nc) < 0) {
        bdclose(&da);
        bdclose(&db);
        return -1;
    }
    int erg = 0;
    if (msZahlLesen(&da, &m->anza) != 0 || msZahlLesen(&db, &m->anzb) != 0 ||
        bdputl(&dc, m->anza + m->anzb) != 0) {
        erg = -1;
    }
    int32_t g = m->groesse;
    if (erg == 0 && m->anza > 0 && bdread(&da, m->satza, g) != 0) {
        erg = -1;
    }
    if (erg == 0 && m->anzb > 0 && bdread(&db, m->satzb, g) != 0) {
        erg = -1;
    }
    while (erg == 0 && (m->anza > 0 || m->anzb > 0)) {
        bool nimmA = m->anzb == 0 || (m->anza > 0 && m->vergl(m->satza, m->satzb) < 0);
        BDAT* quelle = nimmA ? &da : &db;
        char* satz = nimmA ? m->satza : m->satzb;
        int32_t* rest = nimmA ? &m->anza : &m->anzb;
        if (bdwrite(&dc, satz, g) != 0) {
            erg = -1;
        } else if (--*rest > 0 && bdread(quelle, satz, g) != 0) {
            erg = -1;
        }
    }
    bdclose(&da);
    bdclose(&db);
    if (bdclose(&dc) != 0) {
        erg = -1;
    }
    if (erg != 0) {
        dateiloeschen(nc);
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
    BDAT d;
    if (laenge < 4 || bdopenlesen(&d, name) < 0) {
        return -1;
    }
    int32_t anzahl = 0;
    int erg = msZahlLesen(&d, &anzahl);
    if (erg == 0 && laenge != 4 + static_cast<long>(anzahl) * m->groesse) {
        erg = -1;
    }
    for (int32_t i = 0; erg == 0 && i < anzahl; ++i) {
        if (bdread(&d, m->satza, m->groesse) != 0) {
            erg = -1;
        } else if (fn != nullptr && fn(m->satza, user) == 0) {
            break;
        }
    }
    bdclose(&d);
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
