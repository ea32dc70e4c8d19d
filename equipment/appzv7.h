// Version-7 equipment import: the three text files of older projects
// ("BMHAUPT.ZVK" items, "BMUNTER.ZVK" components and attached texts,
// "BMOHNEH.ZVK" unassigned placements), each a list loaded lazily from its
// path, and their conversion into the equipment store. Prefix `Zv7`.
// Modules appzv7haupt (items, the import, the upgrade's deletion),
// appzv7unter (components), appzv7waisen (unassigned placements). Call the
// store (bm), items, components, texts, unassigned placements, config
// (paths), support (files, texts) and the file-system boundary (rename).
//
// Lines are skipped up to the one whose first word is the file's magic;
// then empty and ';' lines are skipped and ")E" ends the file. Fields are
// blank-separated words, then '~'-delimited fields, each trimmed.
#pragma once

#include <cstdint>

inline constexpr int ZV7HAUPTSUP = 10000;   // room; 9999 items kept
inline constexpr int ZV7UNTERSUP = 16000;   // room; 15999 records kept
inline constexpr int ZV7WAISENSUP = 1000;   // room; 999 kept
inline constexpr int ZV7ZEILESUP = 200;     // characters of a line

struct zv7haupt {
    uint32_t id;
    char typ[21];
    char text0[41];
    char text1[41];
    char ort[21];
    char kenn[21];
    int32_t defnr;
};

struct zv7unter {
    uint32_t id;
    int32_t platziert;
    char code[3];
    double x, y;
    char ze[4];
    char bl[11];
    char tt[21];
    char text[21];
    int32_t nr;
    char kb[11];
};

struct zv7waise {
    double x, y;
    char zname[11];
    char bl[13];
};

// ---- items (appzv7haupt) ---------------------------------------------------
void Zv7HauptInit(const char* pfad);
void Zv7HauptFrei();
int Zv7HauptAnzahl();
// Filter 0 all; 1 definition 0 with sub components; 2 without sub
// components; 3..6 definition 1..4. In file order.
typedef void (*ZV7HAUPTFN)(const zv7haupt* h, void* benutzer);
void Zv7HauptDurchlaufen(int filter, ZV7HAUPTFN fn, void* benutzer);
// 1 found, 0 none (zeroed); whatever the file's order.
int Zv7HauptSuchen(uint32_t id, zv7haupt* aus);

// ---- components (appzv7unter) ------------------------------------------------
void Zv7UnterInit(const char* pfad);
void Zv7UnterFrei();
int Zv7UnterAnzahl();
typedef void (*ZV7UNTERFN)(const zv7unter* u, void* benutzer);
// The records of one item in file order.
void Zv7UnterDurchlaufen(uint32_t id, ZV7UNTERFN fn, void* benutzer);
int Zv7UnterZahl(uint32_t id);  // sub components of the item

// ---- unassigned placements (appzv7waisen) -------------------------------------
void Zv7WaisenInit(const char* pfad);
void Zv7WaisenFrei();
int Zv7WaisenAnzahl();
typedef void (*ZV7WAISEFN)(const zv7waise* w, void* benutzer);
void Zv7WaisenDurchlaufen(ZV7WAISEFN fn, void* benutzer);

// ---- import ---------------------------------------------------------------------
// Converts the three files of the project folder into the current store.
void Zv7BmImport();
// Writes the store (the version-7 guard lifted for this write) and deletes
// the three files only when that succeeded; 0, or -1 with the files kept.
int Zv7DateienLoeschen();

// Shared by the three readers: the line reader of the common frame.
typedef void (*ZV7ZEILEFN)(char* zeile, void* benutzer);
int Zv7DateiLesen(const char* pfad, const char* magie, ZV7ZEILEFN fn, void* benutzer);
