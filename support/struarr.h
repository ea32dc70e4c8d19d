// Record arrays `SARR`: ordered, indexed tables of fixed-size records that
// are copied in and never move while they exist (only the index of pointers
// moves). Prefix `sa`. Calls memory blocks, the sorts of sortier and
// wiAssert.
//
// Records lie in zero-filled storage blocks of 60000 bytes allocated on
// demand, at a stride of the record size rounded up to 8, so that a caller's
// struct read in place is aligned; a block holds as many records as fit the
// unrounded size (a record goes in while fill + size < 60000), so capacities
// are those of the record size. Freed slots form a free list; its link, in
// the first 4 bytes of a freed slot, is a 32-bit slot number.
//
// A full array or a failed allocation stops the program through wiAssert
// ("struarr", 32/71/99/103/117/118); callers use the returned index
// unchecked and keep their arrays below the limits (saplatz tells).
#pragma once

#include <cstdint>

inline constexpr int32_t SAISUP = 100000;   // records
inline constexpr int32_t SARSUP = 200;      // storage blocks
inline constexpr int32_t SABLOCK = 60000;   // bytes per storage block
inline constexpr int32_t SAINDEXSCHRITT = 10000;  // index start and growth

static_assert(SARSUP <= 256, "block numbers are kept in bytes");

struct SARR {
    int32_t groesse;    // bytes per record
    int32_t anzahl;     // records
    char** inhalt;      // index, in the array's order
    int32_t inhanz;     // capacity of the index
    int32_t nxtram;     // storage block now being filled
    int32_t fuellung;   // bytes of the record size used in that block
    char* ram[SARSUP];  // storage blocks
    uint8_t folge[SARSUP];  // block numbers by address (strublockint.h)
    int32_t frei;       // free-list head: slot number + 1, 0 when empty
};

typedef int (*SAVERGLFN)(const void* a, const void* b);

void sainit(SARR* sa, int32_t groesse);
int sagueltig(const SARR* sa);
void safrei(SARR* sa);
void saleeren(SARR* sa);
// Appends a copy; its index.
int32_t saanhaengen(SARR* sa, const void* satz);
// Inserts a copy at i (0 <= i <= anzahl; else an assertion); returns i.
int32_t saeinfuegen(SARR* sa, const void* satz, int32_t i);
// Deletes record i (0 <= i < anzahl; else an assertion).
void saloeschen(SARR* sa, int32_t i);
// Record i; NULL when sa is NULL or i is out of range.
void* saadr(const SARR* sa, int32_t i);
int saholen(const SARR* sa, int32_t i, void* puffer);       // 1, or 0 out of range
int sasetzen(SARR* sa, const void* puffer, int32_t i);      // 1, or 0 out of range
int32_t saanzahl(const SARR* sa);
int32_t sagroesse(const SARR* sa);
// 1 when one more record can be added without reaching a limit.
int saplatz(const SARR* sa);
// Shell sort of the index by vergl(record a, record b); not stable.
void sasortieren(SARR* sa, SAVERGLFN vergl);
// Binary search in an index sorted by the same order; vergl(record, key).
// The index of a match or -1.
int32_t sasuchen(const SARR* sa, SAVERGLFN vergl, const void* schluessel);
