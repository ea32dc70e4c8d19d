// Storage blocks shared by the record arrays (struarr) and record pools
// (strulis); included by those two only. Prefix `sb`.
//
// A header H has the fields groesse, nxtram, fuellung, ram[], folge[] and
// frei. Invariants:
//  1. ram[0..nxtram] are allocated once fuellung > 0; blocks behind nxtram
//     are NULL.
//  2. Slot s lies in block s / sbProBlock at (s % sbProBlock) x sbSchritt.
//  3. frei is 0 (empty) or the number + 1 of a freed slot whose first 4
//     bytes hold the next link in the same form.
//  4. folge[0..] holds the numbers of the allocated blocks in the order of
//     their addresses, so that a record's block is found by a binary search
//     (giving records back is frequent; a walk over 200 blocks is not).
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>

#include "support/basis.h"
#include "support/speicher.h"

inline constexpr int32_t SBBLOCK = 60000;  // the block size of the rule

// Stride: the record size rounded up to 8, so records are aligned structs.
inline int32_t sbSchritt(int32_t groesse) { return (groesse + 7) & ~7; }

// Records per block by the rule for the unrounded size: the first goes in at
// fill 0, each further one while fill + size < 60000.
inline int32_t sbProBlock(int32_t groesse) { return groesse >= SBBLOCK ? 1 : (SBBLOCK - 1) / groesse; }

// Bytes to allocate per block: at least 60000, more when the rounded stride
// needs it.
inline long sbBlockBytes(int32_t groesse)
{
    long n = static_cast<long>(sbProBlock(groesse)) * sbSchritt(groesse);
    return n > SBBLOCK ? n : SBBLOCK;
}

// The texts of the two assertions a module raises when blocks run out.
struct SbTexte {
    const char* modul;
    int zeileSup;
    const char* ausdruckSup;
    int zeileAlloc;
    const char* ausdruckAlloc;
};

// The slot of a record: the free-list head, else block space (allocating a
// block when needed). Checks everything before changing the header, so a
// throwing assertion handler leaves it as it was.
template <class H> char* sbPlatz(H* h, int32_t sup, const SbTexte& t)
{
    if (h->frei != 0) {
        int32_t s = h->frei - 1;
        int32_t pro = sbProBlock(h->groesse);
        char* p = h->ram[s / pro] + static_cast<long>(s % pro) * sbSchritt(h->groesse);
        int32_t naechster;
        std::memcpy(&naechster, p, sizeof naechster);
        h->frei = naechster;
        return p;
    }
    if (h->fuellung != 0 && h->fuellung + h->groesse < SBBLOCK) {
        char* p = h->ram[h->nxtram] + static_cast<long>(h->fuellung / h->groesse) * sbSchritt(h->groesse);
        h->fuellung += h->groesse;
        return p;
    }
    int32_t block = h->fuellung != 0 ? h->nxtram + 1 : h->nxtram;
    if (block > sup - 1) {
        wiAssert(t.modul, t.zeileSup, t.ausdruckSup);
    }
    char* neu = static_cast<char*>(fmalloc(sbBlockBytes(h->groesse), 1));
    if (neu == nullptr) {
        wiAssert(t.modul, t.zeileAlloc, t.ausdruckAlloc);
    }
    h->ram[block] = neu;
    // Blocks are allocated in number order, so `block` blocks lie before.
    int32_t j = block;
    while (j > 0 && std::less<const char*>()(neu, h->ram[h->folge[j - 1]])) {
        h->folge[j] = h->folge[j - 1];
        --j;
    }
    h->folge[j] = static_cast<uint8_t>(block);
    h->nxtram = block;
    h->fuellung = h->groesse;
    return neu;
}

// The slot number of a record of these blocks, or -1 when it is none.
template <class H> int32_t sbNummer(const H* h, const void* satz, int32_t sup)
{
    int32_t bloecke = h->fuellung != 0 ? h->nxtram + 1 : 0;
    if (bloecke > sup) bloecke = sup;
    auto p = reinterpret_cast<uintptr_t>(satz);
    // The last block whose start is at or below p.
    int32_t lo = 0, hi = bloecke;
    while (lo < hi) {
        int32_t mitte = (lo + hi) / 2;
        if (reinterpret_cast<uintptr_t>(h->ram[h->folge[mitte]]) <= p)
            lo = mitte + 1;
        else
            hi = mitte;
    }
    if (lo == 0) return -1;
    const int32_t b = h->folge[lo - 1];
    auto anfang = reinterpret_cast<uintptr_t>(h->ram[b]);
    if (p >= anfang + static_cast<uintptr_t>(sbBlockBytes(h->groesse))) return -1;
    uintptr_t versatz = p - anfang;
    int32_t schritt = sbSchritt(h->groesse);
    if (versatz % schritt != 0 || versatz / schritt >= static_cast<uintptr_t>(sbProBlock(h->groesse))) {
        return -1;
    }
    return b * sbProBlock(h->groesse) + static_cast<int32_t>(versatz / schritt);
}

// Puts slot `nummer` (at `satz`) onto the free list.
template <class H> void sbZurueck(H* h, void* satz, int32_t nummer)
{
    std::memcpy(satz, &h->frei, sizeof h->frei);
    h->frei = nummer + 1;
}

// Releases every block; block state and free list become empty.
template <class H> void sbBloeckeFrei(H* h, int32_t sup)
{
    for (int32_t b = 0; b < sup; ++b) {
        if (h->ram[b] != nullptr) {
            ffree(h->ram[b]);
            h->ram[b] = nullptr;
        }
    }
    h->nxtram = 0;
    h->fuellung = 0;
    h->frei = 0;
}
