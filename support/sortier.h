// Sorting and searching of plain record arrays, and the external merge sort
// through run files in the temporary folder. Prefixes `shellsort`,
// `binsuche`, `msort`. Calls memory blocks, the handle layer (dosdatei) and
// fileload (tempverz).
//
// The equal-key orders are part of the contract (lists rely on them):
// shellsort halves its gap from n / 2 and swaps bytes; binsuche probes the
// upper middle first; the external sort writes runs of 200000 bytes sorted
// by qsort, merges them pairwise in run-number order (runs 0 and 1 into run
// r, 2 and 3 into r + 1, ..., on over the merged runs) and on equal keys
// takes the record of the second run first.
//
// External sort, one context per sort: msortinit -> msortput* -> msortende.
// A run file "<temp folder>M<instance %02d>E<run %03d>.TMP" holds a signed
// 32-bit little-endian record count, then the raw records. msortende removes
// every run file of the context on every path, and on a failure calls no
// callback.
#pragma once

#include <cstdint>

#include "support/pfade.h"

typedef int (*SORTVERGLFN)(const void* a, const void* b);
typedef int (*SORTVERGLUFN)(const void* a, const void* b, void* user);

// Sorts n records of `groesse` bytes in place; nothing for n < 2 or size <= 0.
void shellsort(void* basis, int32_t n, int32_t groesse, SORTVERGLFN vergl);
void shellsortu(void* basis, int32_t n, int32_t groesse, SORTVERGLUFN vergl, void* user);
// vergl(record, key); the index of a match or -1.
int32_t binsuche(const void* basis, int32_t n, int32_t groesse, SORTVERGLFN vergl,
                 const void* schluessel);

inline constexpr int32_t MSORTPUFFERSUP = 200000;  // bytes of records held in memory
inline constexpr int32_t MSORTINSTANZSUP = 100;    // instance numbers 0..99, then round again

// Called per record in order until it returns 0.
typedef int (*MSORTFN)(const void* satz, void* user);

struct MSORT {
    SORTVERGLFN vergl;
    char* puffer;          // run buffer of MSORTPUFFERSUP bytes
    char* fuell;           // next free record in it
    char* satza;           // one record of run A while merging
    char* satzb;           // one record of run B
    int32_t proLauf;       // records per run
    int32_t imPuffer;      // records in the buffer
    int32_t anza, anzb;    // records left in runs A and B
    int32_t groesse;       // record size
    int32_t laeufe;        // runs written
    int32_t ergebnis;      // run that holds the result
    int32_t instanz;       // 0..99
    char verz[PFADSUP + 1];  // temporary folder, with its separator
    int32_t dateien;       // run numbers handed out so far (0..dateien-1)
    int32_t fehler;        // a run could not be written
};

// 0, or -1 when a buffer or the temporary folder could not be had (nothing
// is then held) or the record size is not 1..200000.
int msortinit(MSORT* m, int32_t groesse, SORTVERGLFN vergl);
// Adds a copy of the record; a full buffer is written as a run. 0 or -1.
int msortput(MSORT* m, const void* satz);
// Finishes: 0 done (fn called with the records in order until it returned
// 0); 1 the last run could not be written; 2 an earlier run, a merge or the
// result could not be written or read. Run files and buffers are released
// on every path.
int msortende(MSORT* m, MSORTFN fn, void* user);
