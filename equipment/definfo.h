// Derived lookups of the definitions: the component information (which
// component names occur as sub components of some definition) and the
// optional (name, number) to text table of the project folder. Prefix
// `DefInfo`, `DefTextTab`. Calls the definitions (definier), config,
// support (external sort, files).
#pragma once

#include <cstddef>

inline constexpr int DEFINFOSUP = 30000;
inline constexpr int DEFTABTEXTSUP = 80;

struct definfo {
    char name[21];
    unsigned char flag1;
    unsigned char flag2;   // occurs as a sub component
};

int DefInfoVorhanden(const char* bauteil);
// Frees the list; registered as the program-end clean-up "Bauteilinformation"
// when the list is first built.
void DefInfoFrei();

void DefTextTabLaden(int an, const char* datei);
int DefTextTabAktiv();
// 1 and the text, or 0 and empty.
int DefTextTabHolen(const char* name, int nr, char* aus, size_t kap);
// Entry i in table order: 1, or 0 out of range. Outputs 21 / 81 bytes.
int DefTextTabEintrag(int i, char* name, int* nr, char* text);
void DefTextTabFrei();
