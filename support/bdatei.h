// Buffered files `BDAT`: a file read and written through one 2048-byte block
// (a 100-byte buffer inside the record when no block can be allocated), or a
// caller's memory block read and written as a file. Text lines, bytes,
// little-endian words and raw records. Prefix `bd`. Calls the handle layer
// (support/dosdatei.h) and the memory blocks of the support library.
//
// Invariants of an open record:
//  1. position = blocknr x blockgroesse + offset; 0 <= offset <= blockgroesse.
//  2. dvon == dbis means clean; else [dvon, dbis) lies inside [0, laenge)
//     and has not reached the file yet.
//  3. laenge <= blockgroesse (a memory record: laenge = its length, and no
//     byte at or past it is read or written).
//  4. fehler != 0 once a write-back failed; every later write result and
//     bdclose are then -1 (the data did not reach the file).
//  5. lesefehler != 0 once a block could not be read: the buffer then holds
//     nothing, so reading stops there as at the end of the file. Readers of
//     a whole file ask bdlesefehler after their loop to tell the two apart.
// A record made by bdmake writes a temporary file that bdclose renames over
// the target; when anything failed, bdclose drops it and the old file stays.
#pragma once

#include <cstdint>

constexpr int BDBLOCKSUP = 2048;  // block size of a file record
constexpr int BDLESEBLOCK = 32768;  // block of a file opened only for reading
constexpr int BDNOTSUP = 100;     // inline buffer used when no block can be allocated
constexpr char BDCTRLZ = 26;      // ends the readable data of a text

struct BDAT {
    int32_t ram;           // 1: runs over a caller's memory block
    int32_t handle;        // file handle (files only)
    int32_t blocknr;       // block held in the buffer; -1 none yet
    int32_t offset;        // position within the buffer
    int32_t dvon;          // dirty range [dvon, dbis) of the buffer
    int32_t dbis;
    int32_t laenge;        // valid bytes in the buffer
    char* puffer;          // the block buffer
    int32_t blockgroesse;  // BDBLOCKSUP, BDNOTSUP, or memory length + 1
    char notpuffer[BDNOTSUP];
    int32_t fehler;        // a write-back failed (invariant 4)
    int32_t zsuche;        // line reading: the first Ctrl-Z at or after offset
    int32_t zpos;          // zsuche of the buffer is at zpos (laenge: none); see bdatei.cpp
    int32_t lesefehler;    // a block could not be read (invariant 5)
    int32_t ende;          // a file made by bdmake: its bytes as far as written
                           // back; no block at or past it is read (-1: read)
};

// Line-end mode of bdputs and bdgets: 0 LF, 1 CR LF, 2 CR (process-wide, 0).
void bdzeilenmodus(int modus);
int bdzeilenmodusholen();

int bdopen(BDAT* d, const char* pfad);       // read/write, read-only when refused; handle or -1
int bdopenlesen(BDAT* d, const char* pfad);  // read-only; handle or -1
int bdopenram(BDAT* d, void* speicher, int32_t laenge);  // 0
int bdmake(BDAT* d, const char* pfad);       // new empty file; handle or -1
// The same through a block of `groesse` bytes (BDBLOCKSUP or the inline
// buffer when it cannot be allocated): a large file written front to back
// reaches the disk in a few large writes.
int bdmakeblock(BDAT* d, const char* pfad, int32_t groesse);
int bdclose(BDAT* d);                         // 0 or -1
int bdflush(BDAT* d);                         // 0 or -1

int bdgets(BDAT* d, char* puffer, int n);  // n characters + terminator; count, -1 at the end
int bdgets78(BDAT* d, char* puffer);
int bdputs(BDAT* d, const char* text);
int bdputsmodus(BDAT* d, const char* text, int modus);
int bdread(BDAT* d, void* puffer, int32_t n);
int bdwrite(BDAT* d, const void* daten, int32_t n);
int bdgetc(BDAT* d);
int bdputc(BDAT* d, int zeichen);
int bdzurueck(BDAT* d);
int bdgetw(BDAT* d);
int32_t bdgetl(BDAT* d);
int bdputw(BDAT* d, int wert);
int bdputl(BDAT* d, int32_t wert);
int32_t bdtell(const BDAT* d);
int bdseek(BDAT* d, int32_t position);  // 0; -1 when the block failed to load or write back
int bdseekrel(BDAT* d, int32_t distanz);
int bdende(BDAT* d);
int bdappend(BDAT* d);
int bdzeilenzahl(BDAT* d);
int bdlesefehler(const BDAT* d);  // 1 once a block could not be read, else 0
