// Dimension lines (`ZML` records): the dimension settings and the points of
// a dimension in the record's own coordinates. Prefix `Mass`.
//
// Until the full module is built, model/zlersatz.cpp holds stand-ins: the
// settings are the defaults (factor 1:1, 0 decimals, end kind 0, overshoot
// 0) and the points are the start (0), the end (1) and the middle (others).
#pragma once

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

// The program's own dimension settings.
const MASSEINST* MassEinst();

// Point k (0..10) of the dimension; state may be null.
void MassPunkt(const BEF* b, const STT* s, int k, double* x, double* y);
