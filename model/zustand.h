// Graphic state `STT`: scale, direction, layer, position, pen, line style,
// text settings and the two names that the records of a drawing change, and
// the four operations on it: initialise from the basic settings, apply one
// record, emit the records that turn one state into another, compare.
// Prefix `Stt`. Calls the command table (befehl.h), the geometry
// (geometri.h) and the basic settings (einstell.h).
#pragma once

#include <cstdint>

struct BEF;
struct GRUNDEINST;

constexpr int STTBDSUP = 20;   // room of the library short name (3 used)
constexpr int STTTDSUP = 200;  // room of the standard-text file name (40 used)

struct STT {
    // Numeric block from mass to ts: the drawing store copies it as a unit.
    double mass;       // effective scale = msm x msf
    double msm;        // scale multiplier
    double msf;        // scale factor
    int32_t richtung;  // drawing direction in tenths, 0..3599
    int32_t layer;     // 1..20
    double x, y;       // current position
    int32_t st;        // pen 1..99
    int32_t sa;        // line style 0..7
    double sl;         // pattern length 0.1..1000
    double tg;         // text size 1..100
    int32_t tr;        // text direction in tenths 0..3599
    double tv;         // character width factor 0.1..10
    double th;         // line spacing factor 0.1..10
    int32_t ts;        // text style 0..9
    char bd[STTBDSUP + 1];  // component library short name
    char td[STTTDSUP + 1];  // standard-text file name
    int32_t tiefe;     // nesting depth of component expansion
};

// Emits one record; its result is handed back by SttDifferenz.
using SttAusgabeFn = int (*)(const BEF* bef);

// Fills a state from a basic-settings block (null: the program's own).
void SttInit(STT* s, const GRUNDEINST* g);
// Applies one record; 1 when the code changes the state, else 0.
int SttAnwenden(const BEF* b, STT* s);
// Emits the state-change records that turn alt into neu, in the fixed order;
// the last emit result, 0 when nothing was emitted.
int SttDifferenz(const STT* alt, const STT* neu, SttAusgabeFn ausgabe);
// 1 when equal in every field but the derived scale and the depth.
int SttGleich(const STT* a, const STT* b);
void SttMassstabNormieren(STT* s);
void MassstabRundenSetzen(int an);
