// Memory blocks, byte moves and the growable string. Prefixes: `f...` for
// blocks, `StrDyn` for the growable string. May call the runtime and the
// allocation counter of the fault injection in platform/.
//
// Blocks are zero-filled. The live-block count rises with every request (also
// one that is refused) and falls with every release; nothing in the system
// reads it but the tests and shut-down checks.
#pragma once

#include <cstddef>
#include <cstdint>

// count x size zero bytes; NULL when refused (or when count x size overflows).
void* fmalloc(long anzahl, long groesse);
// The same without clearing, for blocks whose every byte is written before
// it is read.
void* fmallocRoh(long anzahl, long groesse);
// The same with one byte count; for blocks of file size.
void* fmalllong(long groesse);
// Releases a block of fmalloc/fmalllong; NULL is left alone.
void ffree(void* block);
// The live-block count.
int32_t fmallanzahl();

// Moves n bytes, correct for overlapping ranges; source first. Returns target + n.
void* movmem(const void* quelle, void* ziel, long n);
// Sets n bytes to the value; returns address + n.
void* setmem(void* adresse, long n, int wert);
// Swaps n bytes between a and b (ranges must not overlap).
void tauschmem(void* a, void* b, long n);

int maxi(int a, int b);
int mini(int a, int b);
// On equality both return their second argument.
double dmaxi(double a, double b);
double dmini(double a, double b);

// Growable string: two uint32 counts (length, capacity; terminator not
// counted) lie in front of the text; the caller holds the text pointer.
// Storage comes from the C runtime heap (not counted as blocks).

// New string: capacity = max(wanted, length of text); text may be NULL.
char* StrDynNeu(const char* text, uint32_t kapazitaet);
int StrDynFrei(char* text);
uint32_t StrDynLaenge(const char* text);
uint32_t StrDynGroesse(const char* text);
// Takes the text's real length as the stored length (after the caller wrote
// into it within its capacity); returns the text.
char* StrDynLaengeNeu(char* text);
// Makes room for `benoetigt` more characters: the text unchanged when they
// fit; else the capacity grows by `zuwachs`, and at least to length + needed.
// NULL when refused (the old text stays valid).
char* StrDynPlatz(char* text, uint32_t benoetigt, uint32_t zuwachs);
// Appends; grows to exactly the new length when needed. NULL when refused
// (the old text stays valid). A NULL or empty addition returns the text.
char* StrDynAnhaengen(char* text, const char* zusatz);
