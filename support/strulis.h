// Record pools `SLIS`: fixed-size records handed out zero-filled and given
// back, in no order; records never move. Prefix `sl`. Calls memory blocks
// and wiAssert.
//
// Storage as in struarr: zero-filled 60000-byte blocks on demand, a stride of
// the record size rounded up to 8, a free list of given-back records linked
// by 32-bit slot numbers. A full pool or a failed allocation stops the
// program through wiAssert ("strulis", 80/81).
#pragma once

#include <cstdint>

inline constexpr int32_t SLRSUP = 200;  // storage blocks

static_assert(SLRSUP <= 256, "block numbers are kept in bytes");

struct SLIS {
    int32_t groesse;    // bytes per record
    int32_t nxtram;     // storage block now being filled
    int32_t fuellung;   // bytes of the record size used in that block
    char* ram[SLRSUP];  // storage blocks
    uint8_t folge[SLRSUP];  // block numbers by address (strublockint.h)
    int32_t frei;       // free-list head: slot number + 1, 0 when empty
};

void slinit(SLIS* sl, int32_t groesse);
// Releases every block; records handed out become invalid.
void slfrei(SLIS* sl);
// A zero-filled record.
void* slneu(SLIS* sl);
// slneu and a copy of `satz` in it.
void* slneukopie(SLIS* sl, const void* satz);
// Gives a record of this pool back.
void slzurueck(SLIS* sl, void* satz);
