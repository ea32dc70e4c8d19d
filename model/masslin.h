// Dimension lines (`ZML` records): the dimension settings, the points of a
// dimension in the record's own coordinates, its text direction and anchor,
// the handles the editor drags and the expansion into lines, arrow heads,
// dots and the text. Owns the program's dimension settings block. Prefix
// `Mass`. Calls the defaults store and test options of config/, the
// geometry, the graphic state, the record expander and the editor service.
#pragma once

#include "model/zerleg.h"

struct BEF;
struct STT;

struct MASSEINST {
    double pfeil;        // Edmpl: arrow length
    double ueberstand;   // Edmsl: extension line beyond the dimension line
    double punktradius;  // Edmpr
    int fakp, fakq;      // EdmlFAK p:q
    int nk;              // EdmlNK: decimals of the value
    int pfl;             // EdmlPFL: default end kind
    double flab;         // EdmlFlAb: gap
    double txab;         // EdmlTxAb: text distance
    int tg;              // EdmlTG: text size in tenths (0 keeps the state's)
    int st;              // EdmlST: pen of the extension lines (0 keeps)
};

// The program's own dimension settings (factor 1:1 until read).
const MASSEINST* MassEinst();
// Reads the settings into the block (null: the program's own).
void MassEinstLesen(MASSEINST* m);
// The program's own block back to its start values (tests, module exit).
void MassEinstStandard();

// Point k (0..10) of the dimension; state may be null.
void MassPunkt(const BEF* b, const STT* s, int k, double* x, double* y);
int MassTextRichtung(const BEF* b, const STT* s);
int MassTextArt(const BEF* b, const STT* s);
void MassAbstandSetzen(BEF* b, double d);
// Moves handle k to (px, py), given relative to the start point in drawing
// units.
void MassGriffZiehen(BEF* b, const STT* s, int k, double px, double py);
void MassZerlegen(const BEF* b, STT* s, BefZerlegenFn fn);
