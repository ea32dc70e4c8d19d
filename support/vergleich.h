// Text comparison of the system: case maps, collation weights, ordering,
// natural order of embedded numbers and wildcard patterns ('*', '?', '#').
// No prefix. Never uses the process locale. May call platform/zeichen.h.
#pragma once

#include "platform/zeichen.h"

inline unsigned char zgross(unsigned char c) { return plZeichenGross(c); }
inline unsigned char zklein(unsigned char c) { return plZeichenKlein(c); }
int istgross(unsigned char c);
int istklein(unsigned char c);
int istdruckbar(unsigned char c);

int zeichengewicht(unsigned char c);
int zeichengewichtvgl(unsigned char a, unsigned char b);
int zeichenvgl(unsigned char a, unsigned char b);

int strvgl(const char* a, const char* b);
int strnvgl(const char* a, const char* b, int n);
int strvglsort(const char* a, const char* b);
int strgewichtvgl(const char* a, const char* b);
int strngewichtvgl(const char* a, const char* b, int n);
int strngewichtvgl2(const char* a, const char* b, int n);
int strvglohnerest(const char* a, const char* b);
int strvglzahl(const char* a, const char* b);

int mustervgl(const char* muster, const char* text);
int mustervgli(const char* muster, const char* text);
int mustervglohne(const char* muster, const char* text);
