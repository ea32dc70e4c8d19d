// Drawing order of the store: a doubly linked list over entries of seven
// 32-bit words with a free list. Entries below RAMSUP lie in one memory
// block; the others in a swap file at (n - RAMSUP) x 28 as little-endian
// words, read and written through one cached block of that file. The swap
// file is a unique file in the process's temporary folder, unlinked right
// after opening, so nothing is left behind even after a crash. Prefix
// `seq`. Calls the memory blocks of support/, the file-system boundary and
// the temporary folder of platform/.
//
// New id: the free-list head, else the live count (ids 0..hoch-1 are then
// all taken). Removing the last live entry resets the whole order, except
// during a replace, which keeps the id of the object it replaces.
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <string>

#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "model/tzint.h"
#include "platform/dateisys.h"
#include "platform/orte.h"
#include "support/basis.h"
#include "support/speicher.h"

namespace {

constexpr int SEQWORTE = 7;
constexpr int SEQBYTES = SEQWORTE * 4;
constexpr int SEQBLOCK = 512;  // entries of the cached file block

sequenz* liste = nullptr;      // RAMSUP entries
int seqHandle = -1;
int32_t seqErst = -1, seqLetzt = -1, seqFrei_ = -1, seqLebend = 0, seqMark = 0, seqHoch_ = 0;

// The cached block of the swap file.
unsigned char seqBlock[SEQBLOCK * SEQBYTES];
int32_t seqBlockNr = -1;
bool seqBlockDreckig = false;
// Blocks of the swap file below this number have been written since it was
// made; the others lie beyond its end and read as zero without a read.
int32_t seqBlockEnde = 0;

void seqWortSetzen(unsigned char* p, int32_t w)
{
    uint32_t u = static_cast<uint32_t>(w);
    p[0] = static_cast<unsigned char>(u);
    p[1] = static_cast<unsigned char>(u >> 8);
    p[2] = static_cast<unsigned char>(u >> 16);
    p[3] = static_cast<unsigned char>(u >> 24);
}

// An entry's words in the file's order and byte order: on a little-endian
// machine the entry as it lies in memory.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
static_assert(sizeof(sequenz) == SEQBYTES, "seven words, no padding");
void seqEintragSchreiben(unsigned char* p, const sequenz& e) { std::memcpy(p, &e, SEQBYTES); }
void seqEintragLesen(const unsigned char* p, sequenz* e) { std::memcpy(e, p, SEQBYTES); }
#else
int32_t seqWort(const unsigned char* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

void seqEintragSchreiben(unsigned char* p, const sequenz& e)
{
    const int32_t w[SEQWORTE] = {e.prev, e.next, e.korb, e.slot, e.mark, e.stempel, e.bearb};
    for (int i = 0; i < SEQWORTE; ++i) seqWortSetzen(p + 4 * i, w[i]);
}

void seqEintragLesen(const unsigned char* p, sequenz* e)
{
    int32_t w[SEQWORTE];
    for (int i = 0; i < SEQWORTE; ++i) w[i] = seqWort(p + 4 * i);
    *e = {w[0], w[1], w[2], w[3], w[4], w[5], w[6]};
}
#endif

int seqBlockSchreiben()
{
    if (!seqBlockDreckig) return 0;
    off_t pos = static_cast<off_t>(seqBlockNr) * SEQBLOCK * SEQBYTES;
    if (plDsSchreibenAb(seqHandle, seqBlock, sizeof seqBlock, pos) != static_cast<ssize_t>(sizeof seqBlock)) {
        tzStatus("Fehler beim Schreiben der Auslagerungsdatei");
        return -1;
    }
    seqBlockDreckig = false;
    if (seqBlockNr >= seqBlockEnde) seqBlockEnde = seqBlockNr + 1;
    return 0;
}

int seqBlockLaden(int32_t nr)
{
    if (nr == seqBlockNr) return 0;
    if (seqHandle < 0) return -1;
    if (seqBlockSchreiben() != 0) return -1;
    off_t pos = static_cast<off_t>(nr) * SEQBLOCK * SEQBYTES;
    ssize_t n = nr < seqBlockEnde ? plDsLesenAb(seqHandle, seqBlock, sizeof seqBlock, pos) : 0;
    if (n < 0) {
        seqBlockNr = -1;
        tzStatus("Fehler beim Lesen der Auslagerungsdatei");
        return -1;
    }
    // Entries never written read as zero; every entry is written in full
    // when it is taken.
    std::memset(seqBlock + n, 0, sizeof seqBlock - static_cast<size_t>(n));
    seqBlockNr = nr;
    return 0;
}

}  // namespace

int tzTempOeffnen(const char* art)
{
    static std::atomic<int> zaehler{0};
    std::string name = plOrtTemp() + "/" + art + std::to_string(getpid()) + "-" + std::to_string(zaehler++);
    int fd = plDsOeffnen(name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    if (fd >= 0) plDsLoeschen(name.c_str());
    return fd;
}

int seqInit()
{
    if (!liste) {
        liste = static_cast<sequenz*>(fmalloc(RAMSUP, sizeof(sequenz)));
        if (!liste) wiAssert("tzsequen", __LINE__, "(liste=fmalloc(RAMSUP,sizeof(struct sequenz))) != NULL");
    }
    if (seqHandle < 0) {
        seqHandle = tzTempOeffnen("tzs");
        if (seqHandle < 0) wiAssert("tzsequen", __LINE__, "bdmake( objdat,tzsname ) != ERROR");
    }
    seqReset();
    return 0;
}

void seqEnde()
{
    if (liste) ffree(liste);
    liste = nullptr;
    if (seqHandle >= 0) plDsSchliessen(seqHandle);
    seqHandle = -1;
    seqBlockNr = -1;
    seqBlockDreckig = false;
    seqBlockEnde = 0;
}

void seqReset()
{
    seqErst = seqLetzt = seqFrei_ = -1;
    seqLebend = seqMark = seqHoch_ = 0;
}

int seqHolen(int id, sequenz* e)
{
    if (id < 0 || id >= seqHoch_ || !liste) {
        std::memset(e, 0, sizeof *e);
        e->korb = e->slot = -1;
        return -1;
    }
    if (id < RAMSUP) {
        *e = liste[id];
        return 0;
    }
    int32_t n = id - RAMSUP;
    if (seqBlockLaden(n / SEQBLOCK) != 0) {
        std::memset(e, 0, sizeof *e);
        e->korb = e->slot = -1;
        return -1;
    }
    seqEintragLesen(seqBlock + (n % SEQBLOCK) * SEQBYTES, e);
    return 0;
}

int seqSetzen(int id, const sequenz* e)
{
    if (id < 0 || !liste) return -1;
    if (id < RAMSUP) {
        liste[id] = *e;
        return 0;
    }
    int32_t n = id - RAMSUP;
    if (seqBlockLaden(n / SEQBLOCK) != 0) return -1;
    seqEintragSchreiben(seqBlock + (n % SEQBLOCK) * SEQBYTES, *e);
    seqBlockDreckig = true;
    return 0;
}

namespace {

// The successor of entry id (in use): one word of it.
void seqNachfolgerSetzen(int id, int32_t next)
{
    if (id < RAMSUP) {
        liste[id].next = next;
        return;
    }
    int32_t n = id - RAMSUP;
    if (seqBlockLaden(n / SEQBLOCK) != 0) return;
    seqWortSetzen(seqBlock + (n % SEQBLOCK) * SEQBYTES + 4, next);  // after prev
    seqBlockDreckig = true;
}

}  // namespace

int seqNeu(int vor, int korb, int slot)
{
    int32_t id;
    sequenz e{};
    if (seqFrei_ >= 0) {
        id = seqFrei_;
        sequenz f;
        if (seqHolen(id, &f) != 0) return -1;
        seqFrei_ = f.next;
    } else {
        id = seqLebend;
        if (id >= TZENDE) return -1;
        if (id >= seqHoch_) seqHoch_ = id + 1;
    }
    e.korb = korb;
    e.slot = slot;
    e.stempel = BefGeneration();
    if (seqLebend == 0) {
        e.prev = -1;
        e.next = TZENDE;
        seqErst = seqLetzt = id;
        seqLebend = 1;
    } else if (vor < 0 || vor >= TZENDE) {
        ++seqLebend;
        seqNachfolgerSetzen(seqLetzt, id);
        e.prev = seqLetzt;
        e.next = TZENDE;
        seqLetzt = id;
    } else {
        ++seqLebend;
        sequenz b;
        seqHolen(vor, &b);
        int32_t altprev = b.prev;
        b.prev = id;
        seqSetzen(vor, &b);
        if (altprev < 0) {
            seqErst = id;
        } else {
            sequenz p;
            seqHolen(altprev, &p);
            p.next = id;
            seqSetzen(altprev, &p);
        }
        e.prev = altprev;
        e.next = vor;
    }
    if (seqSetzen(id, &e) != 0) return -1;
    return id;
}

void seqFrei(int id, int halten)
{
    sequenz e;
    if (seqHolen(id, &e) != 0 || e.korb < 0) return;
    if (seqLebend <= 1 && !halten) {
        seqReset();
        return;
    }
    --seqLebend;
    if (e.mark == 1) --seqMark;
    if (e.prev >= 0) {
        sequenz p;
        seqHolen(e.prev, &p);
        p.next = e.next;
        seqSetzen(e.prev, &p);
    } else {
        seqErst = e.next < TZENDE ? e.next : -1;
    }
    if (e.next < TZENDE) {
        sequenz n;
        seqHolen(e.next, &n);
        n.prev = e.prev;
        seqSetzen(e.next, &n);
    } else {
        seqLetzt = e.prev;
    }
    sequenz f{-1, seqFrei_, -1, -1, 0, 0, 0};
    seqSetzen(id, &f);
    seqFrei_ = id;
}

int seqErster() { return seqErst; }
int seqLetzter() { return seqLetzt; }
int seqFreiKopf() { return seqFrei_; }
int seqAnzahl() { return seqLebend; }
int seqMarkiert() { return seqMark; }
void seqMarkiertAendern(int d) { seqMark += d; }
int seqHoch() { return seqHoch_; }
