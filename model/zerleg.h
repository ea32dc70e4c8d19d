// Record expansion: the one way in which consumers see the primitives of a
// record (components, dimension lines, equipment-reference texts). Every
// record and every record it expands into goes to the callback with the
// state in force; the caller's state is kept up to date. Owns the record
// hook, the component hook and the missing-component text. Prefixes `Bef`,
// `Bauteil`, `BmRef`. Calls the component library, the graphic state, the
// dimension lines, the text variables and the service hooks of model/.
//
// Invariants:
//  1. A component's own state changes stay in force after it; only the
//     rotation of a turned reference is undone (by a `_RIC` of minus the
//     angle, which the callback sees like the one before).
//  2. Component expansion stops at depth ZERTIEFESUP; such a component is
//     remembered like a missing one.
//  3. The missing-component text holds the first failure until
//     FehlBauteilHolen takes it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/befehl.h"
#include "model/zustand.h"

constexpr int ZERTIEFESUP = 16;   // nesting of component expansion
constexpr int ZERFEHLSUP = 95;    // characters of the missing-component text
constexpr int BEFLSTSUP = 1000;   // entries of a command list
inline constexpr char ZERMASSGRUPPE[] = "#_ZMK_";  // group name of a dimension

// Called per record; the result matters only to callers that say so.
using BefZerlegenFn = int (*)(const BEF* bef, const STT* stt);
// Record hook: phase 1 before, 0 after each record.
using BefHakenFn = void (*)(int phase, const BEF* bef, const STT* stt);
// Component hook: phase 1 before, 0 after each component or dimension.
using BauteilHakenFn = void (*)(int phase, const char* name);

// Sets the depth to 0 and expands the record (callback may be null).
void BefZerlegen(const BEF* b, STT* s, BefZerlegenFn fn);
// Expands one record at the depth in force.
void BefZerlegenRek(const BEF* b, STT* s, BefZerlegenFn fn);
void BauteilZerlegen(const BEF* b, STT* s, BefZerlegenFn fn, int winkel);
void BauteilRahmenReihe(const BEF* b, STT* s, BefZerlegenFn fn, int inx, int iny);
// Equipment reference text; 1 when it emitted the text itself. `text` (of
// capacity kap) receives the expanded identifier.
int BmRefZerlegen(const BEF* b, STT* s, BefZerlegenFn fn, char* text, size_t kap);

void BefHakenSetzen(BefHakenFn fn);
void BauteilHakenSetzen(BauteilHakenFn fn);
// Copies the missing-component text (cut to the capacity) and empties it.
void FehlBauteilHolen(char* puffer, size_t kap);

// A command list (allocated in one block by its owner): the records and
// the state in force before each.
struct BEFLST {
    int32_t anzahl;
    BEF bef[BEFLSTSUP];
    STT stt[BEFLSTSUP];
};
// The target list and its all-records switch, set by the list builder.
void BefListeZiel(BEFLST* liste, int alle);
// Callback for command lists: appends while the list has room; without the
// all-records switch only component references (80..86).
int BefListeSammeln(const BEF* b, const STT* s);
