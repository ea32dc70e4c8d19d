// Internals of the drawing store shared by its modules (tempzeic, textheap,
// tzsequen, tzsuche, tzdatei); nothing outside the store includes this.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/befehl.h"
#include "model/tempzeic.h"
#include "model/zustand.h"

constexpr size_t TZSTTNUM = offsetof(STT, bd);     // numeric block of a state
constexpr size_t TZBEFKOPF = offsetof(BEF, text);  // record without its text

// The packed object: one fixed size, cleared before packing.
struct objekt {
    unsigned char vor[TZSTTNUM];
    uint8_t name1vor, name2vor;
    unsigned char nach[TZSTTNUM];
    uint8_t name1nach, name2nach;
    unsigned char kopf[TZBEFKOPF];
    char kurz[11];
    int32_t heap;
    double ext[4];
    uint32_t id;
};

// Text heap (textheap.cpp): compact, growing.
void thInit();
void thLeeren();
void thFrei();
int thNeu(const char* text);  // index, or -1 for an empty text
void thWeg(int i);
int thErsetzen(int i, const char* text);
const char* thText(int i);    // "" for -1 or a free slot
int thAnzahl();

// Drawing order (tzsequen.cpp): entries of seven words.
struct sequenz {
    int32_t prev, next, korb, slot, mark, stempel, bearb;
};
int seqInit();   // 0, or -1 when the swap file cannot be made
void seqEnde();
void seqReset();
// Entry of id; 0, or -1 (entry zeroed with basket -1) when out of range or
// unreadable.
int seqHolen(int id, sequenz* e);
int seqSetzen(int id, const sequenz* e);  // 0 or -1
// Takes an entry before id vor (-1 at the end); the new id or -1.
int seqNeu(int vor, int korb, int slot);
// Releases an entry; the whole order is reset when it was the last live one,
// unless `halten` (a replace under way).
void seqFrei(int id, int halten);
int seqErster();
int seqLetzter();
int seqFreiKopf();
int seqAnzahl();
int seqMarkiert();
void seqMarkiertAendern(int d);
int seqHoch();  // entries ever taken since the last reset

// Store internals used by the walks and files (tempzeic.cpp).
int tzKorbWechseln(int n);      // 0 or -1
objekt* tzKorbInhalt();         // the working basket's slots
int tzKorbListeAnzahl(int n);
int tzKorbListeSchluessel(int n);
// false when nothing put into basket n since it was last empty meets the
// rectangle {x1, y1, x2, y2} (x1 <= x2, y1 <= y2).
bool tzKorbTrifft(int n, const double r[4]);
// Baskets from this number on are empty (none used since the store was cleared).
int tzKorbGrenze();
// The baskets an area walk must look into: those that share the area's key
// and put something into the grid cells the area meets.
struct TzZellSatz;
struct TzKorbSuche {
    // {x1, y1, x2, y2}, x1 <= x2, y1 <= y2; `art` the kind of a walk for one
    // kind (-1 any): a walk for lines looks at the cells of lines only.
    TzKorbSuche(const double r[4], int art);
    const TzZellSatz* satz;
    double rechteck[4];
    int schluessel;
    int anzahl = 0;  // words of the grid mask that are not 0
    static constexpr int TZMASKENWORTE = 64;  // the finest grid's words
    int worte[TZMASKENWORTE];
    uint64_t masken[TZMASKENWORTE];
    // The grid cells of the area when the walk goes by the cells' basket
    // lists; zellAnzahl 0: by every basket in use.
    static constexpr int TZSUCHZELLEN = 64;
    int zellAnzahl = 0;
    int zellen[TZSUCHZELLEN];
    // The baskets of those cells' lists, one bit each, gathered at the
    // first step of the walk and again after any change of the store
    // (valid while tzKorbStand() is `stand`).
    mutable bool begonnen = false;
    mutable unsigned stand = 0;
    mutable int bitWorte = 0;
    mutable uint64_t bits[(KOKOSUP + 63) / 64];
};
// The first such basket from `ab` on, or -1.
int tzKorbNaechster(const TzKorbSuche& s, int ab);
// The record codes of basket n's slots (0..count-1 in use).
const uint8_t* tzKorbArt(int n);
// Changes whenever an object goes into or out of any basket (or the
// store is cleared): what a walk took from the baskets before still holds
// while it is the same.
unsigned tzKorbStand();
// The slots an area walk looks at: kind `art` (-1: any) and the area
// {x1, y1, x2, y2} (ordered), rounded outward to the precision kept beside
// the slots.
struct TzSlotSuche {
    TzSlotSuche(const double r[4], int art);
    float rechteck[4];
    float innen[4];  // the area rounded inward
    int art;
};
// One bit for each slot in use of basket n whose kind matches and whose
// extent may meet the area; no slot that meets it is missed. Reads what
// stays in memory only: the basket need not be loaded.
uint32_t tzKorbSlots(int n, const TzSlotSuche& s);
// Among those, the slots whose extent surely meets the area (in use or
// not, of any kind): no exact test of the packed extent is needed.
uint32_t tzKorbSlotsSicher(int n, const TzSlotSuche& s);
// A slot's object id and its position before and after it {x0, y0, x1,
// y1}, kept in memory beside the extents (slot in use).
int tzSlotId(int n, int slot);
const double* tzSlotLage(int n, int slot);
// From tzZellenAufschieben on, inserts keep only the baskets' cells; the
// cells' basket lists are made from them at tzZellenNachholen (a load's
// end), or at the next walk if that comes first.
void tzZellenAufschieben();
void tzZellenNachholen();
// Whether every grid cell's basket list holds exactly the non-empty
// baskets that put something into that cell (a check for tests).
bool tzZellenStimmen();
void tzEntpacken(const objekt* o, BEF* b, STT* vor, STT* nach, double box[4]);
// Insert without journal and hooks; the id or -1.
int tzEinfuegenKern(int vor, const BEF* b, const STT* s, const double box[4], const STT* nach);
void tzStatus(const char* text);
// A unique read/write file in the temporary folder, already unlinked; fd or -1.
int tzTempOeffnen(const char* art);
