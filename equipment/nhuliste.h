// Kind codes of component entries: the predicates and the letter-code
// numbering every equipment part uses. Prefix `Btl` (the codec names) and
// `Nhu`. Calls nothing.
//
// BtlIstUnter is reached through the service table of model/dienste.h (its
// call wrapper has that name); NhuIstUnter is the body, registered there at
// start-up and called directly inside this folder.
#pragma once

#include <cstddef>

int BtlIstHaupt(const char* code);   // "H..."
int NhuIstUnter(const char* code);   // 'U' or 'a'..'z' first
int BtlIstU(const char* code);
int BtlIstDispo(const char* code);
int BtlIstPrinzip(const char* code);

// "a".."z" 0..25; two letters c0 c1: (c0 - 96) * 26 + (c1 - 97); "" 0.
int BtlBuchstabenNr(const char* buchstaben);
// The inverse: n < 26 one letter, else the letter 96 + n / 26 and 'a' + n % 26.
void BtlBuchstabenCode(char* ziel, size_t kap, int n);
