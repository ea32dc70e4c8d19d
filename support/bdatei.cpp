// Buffered files; see bdatei.h. Reading and writing touch the file only when
// a block changes, at bdflush and at bdclose; blocks move by position
// (pread/pwrite of the boundary), so one system call per block.
#include "support/bdatei.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/dateisys.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/speicher.h"

namespace {

int bdZeilenmodus = 0;

// The Ctrl-Z search of line reading is kept per buffer: searched once from
// zsuche, it holds until the buffer changes (a load or a write).
constexpr int32_t BDZUNBEKANNT = INT32_MAX;

void bdZVergessen(BDAT* d)
{
    d->zsuche = BDZUNBEKANNT;
}

// The first Ctrl-Z at or after the offset, or laenge.
int32_t bdZSuchen(BDAT* d)
{
    if (d->zsuche > d->offset || d->zpos < d->offset) {
        const char* p = d->puffer + d->offset;
        const auto* z = static_cast<const char*>(std::memchr(p, BDCTRLZ, static_cast<size_t>(d->laenge - d->offset)));
        d->zsuche = d->offset;
        d->zpos = z ? static_cast<int32_t>(z - d->puffer) : d->laenge;
    }
    return d->zpos;
}

// Writes the dirty range back (a memory record has none); -1 on failure,
// which the record remembers.
int bdZurueckschreiben(BDAT* d)
{
    if (d->ram || d->dvon == d->dbis) return 0;
    const int32_t n = d->dbis - d->dvon;
    const off_t ziel = static_cast<off_t>(d->blocknr) * d->blockgroesse + d->dvon;
    int r = 0;
    int32_t geschrieben = 0;
    while (geschrieben < n) {
        const ssize_t w = plDsSchreibenAb(d->handle, d->puffer + d->dvon + geschrieben,
                                          static_cast<size_t>(n - geschrieben), ziel + geschrieben);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) break;
        geschrieben += static_cast<int32_t>(w);
    }
    if (geschrieben != n) {
        d->fehler = 1;
        r = ERROR;
        d->ende = -1;  // what reached the file is not known: read it
    } else if (d->ende >= 0 && ziel + n > d->ende) {
        d->ende = static_cast<int32_t>(ziel + n);
    }
    d->dvon = d->dbis = 0;
    return r;
}

// Loads block `block` of a file record: writes the dirty range back (its
// failure gives -1, the load goes on), then reads the block; a read error
// leaves the buffer empty, is remembered and gives -1.
int bdLaden(BDAT* d, int32_t block)
{
    int r = bdZurueckschreiben(d);
    d->blocknr = block;
    d->laenge = 0;
    bdZVergessen(d);
    const off_t start = static_cast<off_t>(block) * d->blockgroesse;
    // A block past what a new file holds has nothing to read.
    if (d->ende >= 0 && start >= d->ende) return r;
    int32_t gelesen = 0;
    while (gelesen < d->blockgroesse) {
        const ssize_t n = plDsLesenAb(d->handle, d->puffer + gelesen,
                                      static_cast<size_t>(d->blockgroesse - gelesen), start + gelesen);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            gelesen = 0;  // a read error leaves nothing valid
            d->lesefehler = 1;
            r = ERROR;
            break;
        }
        if (n == 0) break;
        gelesen += static_cast<int32_t>(n);
    }
    d->laenge = gelesen;
    return r;
}

// At the end of the buffer: is there more data? Loads the next block of a
// file when the buffer was full.
bool bdWeiter(BDAT* d)
{
    if (d->laenge < d->blockgroesse) return false;
    bdseek(d, (d->blocknr + 1) * d->blockgroesse);
    return d->laenge > 0;
}

// Marks [von, bis) of the buffer written.
void bdSchmutzig(BDAT* d, int32_t von, int32_t bis)
{
    if (d->dvon == d->dbis) {
        d->dvon = von;
        d->dbis = bis;
    } else {
        if (von < d->dvon) d->dvon = von;
        if (bis > d->dbis) d->dbis = bis;
    }
}

// `nurLesen`: the block is only ever read up to what was read into it, so
// it is not cleared (many small files are opened one after another).
int bdOeffnenMit(BDAT* d, int handle, int32_t groesse = BDBLOCKSUP, bool nurLesen = false)
{
    d->handle = handle;
    d->puffer = groesse <= BDBLOCKSUP ? nullptr
                : nurLesen            ? static_cast<char*>(fmallocRoh(groesse, 1))
                                      : static_cast<char*>(fmalloc(groesse, 1));
    if (d->puffer) {
        d->blockgroesse = groesse;
    } else if ((d->puffer = static_cast<char*>(fmalloc(BDBLOCKSUP, 1))) != nullptr) {
        d->blockgroesse = BDBLOCKSUP;
    } else {
        d->puffer = d->notpuffer;
        d->blockgroesse = BDNOTSUP;
    }
    d->blocknr = -1;
    bdZVergessen(d);
    bdseek(d, 0);
    return handle;
}

int bdOeffnen(BDAT* d, const char* pfad, int modus)
{
    std::memset(d, 0, sizeof *d);
    d->handle = -1;
    d->ende = -1;
    const int h = dosopen(pfad, modus);
    if (h < 0) return ERROR;
    // A file opened only for reading is read front to back by most callers:
    // larger blocks cost far fewer reads and nothing else (no write-back).
    return modus == 0 ? bdOeffnenMit(d, h, BDLESEBLOCK, true) : bdOeffnenMit(d, h);
}

// Mode 0/1 line reading, the system's case: a run without CR, LF or Ctrl-Z
// is copied in one piece.
int bdZeileLf(BDAT* d, char* puffer, int n, bool* gelesen)
{
    int gespeichert = 0;
    for (;;) {
        if (d->offset >= d->laenge && !bdWeiter(d)) break;
        const char* p = d->puffer + d->offset;
        const char* e = d->puffer + d->laenge;
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(e - p)));
        const char* stueckEnde = lf ? lf : e;
        const char* z = d->puffer + bdZSuchen(d);
        if (z < stueckEnde) {
            stueckEnde = z;
        } else {
            z = nullptr;
        }
        // Runs between CRs are copied whole; a CR counts as nothing read.
        for (const char* q = p; q < stueckEnde;) {
            const auto* cr = static_cast<const char*>(std::memchr(q, '\r', static_cast<size_t>(stueckEnde - q)));
            const char* lauf = cr ? cr : stueckEnde;
            const int laenge = static_cast<int>(lauf - q);
            if (laenge > 0) {
                *gelesen = true;
                const int platz = n - gespeichert;
                const int k = laenge < platz ? laenge : platz;
                std::memcpy(puffer + gespeichert, q, static_cast<size_t>(k));
                gespeichert += k;
            }
            q = cr ? cr + 1 : stueckEnde;
        }
        if (z) {  // Ctrl-Z ends the line and stays: it ends all readable data
            d->offset = static_cast<int32_t>(z - d->puffer);
            break;
        }
        if (lf) {
            *gelesen = true;
            d->offset = static_cast<int32_t>(lf - d->puffer) + 1;
            break;
        }
        d->offset = d->laenge;
    }
    return gespeichert;
}

// Mode 2: CR ends the line, LF is an ordinary byte.
int bdZeileCr(BDAT* d, char* puffer, int n, bool* gelesen)
{
    int gespeichert = 0;
    for (;;) {
        if (d->offset >= d->laenge && !bdWeiter(d)) break;
        const char c = d->puffer[d->offset];
        if (c == BDCTRLZ) break;
        ++d->offset;
        *gelesen = true;
        if (c == '\r') break;
        if (gespeichert < n) puffer[gespeichert++] = c;
    }
    return gespeichert;
}

}  // namespace

void bdzeilenmodus(int modus)
{
    bdZeilenmodus = modus;
}

int bdzeilenmodusholen()
{
    return bdZeilenmodus;
}

int bdopen(BDAT* d, const char* pfad)
{
    return bdOeffnen(d, pfad, 2);
}

int bdopenlesen(BDAT* d, const char* pfad)
{
    return bdOeffnen(d, pfad, 0);
}

int bdopenram(BDAT* d, void* speicher, int32_t laenge)
{
    std::memset(d, 0, sizeof *d);
    if (laenge < 0) laenge = 0;
    d->ram = 1;
    d->handle = -1;
    d->ende = -1;
    d->puffer = static_cast<char*>(speicher);
    d->laenge = laenge;
    d->blockgroesse = laenge + 1;
    bdZVergessen(d);
    return 0;
}

// A new file goes to a temporary file that bdclose renames over the target.
int bdmakeblock(BDAT* d, const char* pfad, int32_t groesse)
{
    std::memset(d, 0, sizeof *d);
    d->handle = -1;
    d->ende = -1;
    const int h = doscrt(pfad);
    if (h < 0) return ERROR;
    d->ende = 0;  // the temporary file starts empty
    return bdOeffnenMit(d, h, groesse);
}

int bdmake(BDAT* d, const char* pfad)
{
    return bdmakeblock(d, pfad, BDBLOCKSUP);
}

int bdclose(BDAT* d)
{
    if (d->ram) return 0;
    int r = bdZurueckschreiben(d);
    if (d->fehler) r = ERROR;
    // A failed new file is dropped, so the old one stays as it was.
    if (r < 0) {
        dosverwerfen(d->handle);
    } else if (dosclose(d->handle) < 0) {
        r = ERROR;
    }
    if (d->puffer && d->puffer != d->notpuffer) ffree(d->puffer);
    d->puffer = nullptr;
    d->handle = -1;
    return r;
}

int bdflush(BDAT* d)
{
    const int r = bdZurueckschreiben(d);
    return d->fehler ? ERROR : r;
}

int bdgets(BDAT* d, char* puffer, int n)
{
    if (n < 0) n = 0;
    bool gelesen = false;
    const int gespeichert = bdZeilenmodus == 2 ? bdZeileCr(d, puffer, n, &gelesen) : bdZeileLf(d, puffer, n, &gelesen);
    puffer[gespeichert] = '\0';
    return gelesen ? gespeichert : ERROR;
}

int bdgets78(BDAT* d, char* puffer)
{
    return bdgets(d, puffer, 78);
}

int bdputsmodus(BDAT* d, const char* text, int modus)
{
    int r = bdwrite(d, text, static_cast<int32_t>(std::strlen(text)));
    const char* ende = modus == 0 ? "\n" : modus == 1 ? "\r\n" : modus == 2 ? "\r" : "";
    if (*ende && bdwrite(d, ende, static_cast<int32_t>(std::strlen(ende))) < 0) r = ERROR;
    return r < 0 ? ERROR : 0;
}

int bdputs(BDAT* d, const char* text)
{
    return bdputsmodus(d, text, bdZeilenmodus == 2 ? 2 : bdZeilenmodus == 1 ? 1 : 0);
}

int bdread(BDAT* d, void* puffer, int32_t n)
{
    auto* ziel = static_cast<char*>(puffer);
    while (n > 0) {
        if (d->offset >= d->laenge && !bdWeiter(d)) return ERROR;
        int32_t k = d->laenge - d->offset;
        if (k > n) k = n;
        std::memcpy(ziel, d->puffer + d->offset, static_cast<size_t>(k));
        d->offset += k;
        ziel += k;
        n -= k;
    }
    return 0;
}

int bdwrite(BDAT* d, const void* daten, int32_t n)
{
    if (n < 0) return ERROR;
    const auto* q = static_cast<const char*>(daten);
    bdZVergessen(d);
    if (d->ram) {
        // Only the caller's bytes [0, length) are ever touched.
        int32_t platz = d->laenge - d->offset;
        if (platz < 0) platz = 0;
        const int32_t k = n < platz ? n : platz;
        std::memcpy(d->puffer + d->offset, q, static_cast<size_t>(k));
        d->offset += k;
        return k == n ? 0 : ERROR;
    }
    // Moves between blocks count only by their write-back, which `fehler`
    // holds: a block that cannot be read is still written where written.
    if (d->offset >= d->blockgroesse) bdseek(d, (d->blocknr + 1) * d->blockgroesse);
    while (n > 0) {
        int32_t k = d->blockgroesse - d->offset;
        if (k > n) k = n;
        // A gap behind the valid bytes reads as zeros, as in the file.
        if (d->offset > d->laenge) std::memset(d->puffer + d->laenge, 0, static_cast<size_t>(d->offset - d->laenge));
        std::memcpy(d->puffer + d->offset, q, static_cast<size_t>(k));
        bdSchmutzig(d, d->offset, d->offset + k);
        d->offset += k;
        if (d->offset > d->laenge) d->laenge = d->offset;
        q += k;
        n -= k;
        if (n > 0) bdseek(d, (d->blocknr + 1) * d->blockgroesse);
    }
    return d->fehler ? ERROR : 0;
}

int bdgetc(BDAT* d)
{
    if (d->offset >= d->laenge && !bdWeiter(d)) return ERROR;
    return static_cast<unsigned char>(d->puffer[d->offset++]);
}

int bdputc(BDAT* d, int zeichen)
{
    const char c = static_cast<char>(zeichen);
    return bdwrite(d, &c, 1);
}

int bdzurueck(BDAT* d)
{
    if (d->offset > 0) {
        --d->offset;
    } else if (!d->ram && d->blocknr > 0) {
        bdseek(d, d->blocknr * d->blockgroesse - 1);
    } else {
        return ERROR;
    }
    // Behind the valid bytes there is nothing to give back.
    if (d->offset >= d->laenge) return ERROR;
    return static_cast<unsigned char>(d->puffer[d->offset]);
}

int bdgetw(BDAT* d)
{
    unsigned char b[2];
    if (bdread(d, b, 2) < 0) return 0;
    return b[0] | (b[1] << 8);
}

int32_t bdgetl(BDAT* d)
{
    unsigned char b[4];
    if (bdread(d, b, 4) < 0) return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                                (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
}

int bdputw(BDAT* d, int wert)
{
    const unsigned char b[2] = {static_cast<unsigned char>(wert), static_cast<unsigned char>(wert >> 8)};
    return bdwrite(d, b, 2);
}

int bdputl(BDAT* d, int32_t wert)
{
    const auto u = static_cast<uint32_t>(wert);
    const unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                                static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
    return bdwrite(d, b, 4);
}

int32_t bdtell(const BDAT* d)
{
    if (d->ram) return d->offset;
    return d->blocknr * d->blockgroesse + d->offset;
}

int bdseek(BDAT* d, int32_t position)
{
    if (position < 0) return ERROR;
    if (d->ram) {
        if (position > d->blockgroesse) return ERROR;
        d->offset = position;
        return 0;
    }
    const int32_t block = position / d->blockgroesse;
    int r = 0;
    if (block != d->blocknr) r = bdLaden(d, block);
    d->offset = position % d->blockgroesse;
    return r;
}

int bdseekrel(BDAT* d, int32_t distanz)
{
    const int64_t ziel = static_cast<int64_t>(bdtell(d)) + distanz;
    if (ziel < 0 || ziel > INT32_MAX) return ERROR;
    return bdseek(d, static_cast<int32_t>(ziel));
}

// The end of a file counts the bytes still in the buffer.
static int32_t bdEndposition(BDAT* d)
{
    if (d->ram) return d->laenge;
    long ende = doslseek(d->handle, 0, 2);
    const long gepuffert = static_cast<long>(d->blocknr) * d->blockgroesse + d->laenge;
    if (ende < gepuffert) ende = gepuffert;
    return static_cast<int32_t>(ende);
}

int bdende(BDAT* d)
{
    return bdseek(d, bdEndposition(d));
}

int bdappend(BDAT* d)
{
    bdZurueckschreiben(d);  // a failure stays in the record; the move goes on
    bdseek(d, bdEndposition(d));
    int c;
    do {
        c = bdzurueck(d);
    } while (c == BDCTRLZ);
    if (c < 0) return ERROR;
    bdgetc(d);
    return c;
}

int bdzeilenzahl(BDAT* d)
{
    const int32_t alt = bdtell(d);
    char zeile[161];
    int anzahl = 0;
    bdseek(d, 0);
    while (bdgets(d, zeile, 160) >= 0) ++anzahl;
    bdseek(d, alt);
    return anzahl;
}

int bdlesefehler(const BDAT* d)
{
    return d->lesefehler ? 1 : 0;
}
