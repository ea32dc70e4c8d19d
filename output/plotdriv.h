// HPGL plot output: one drawing file becomes one HP-GL plot file in plotter
// units of 0.025 mm. A device of the element renderer whose pen member may
// skip an element (pen-sorted plotting walks the drawing once per pen used).
// The plotter is described by defaults keys under "PlX" and, for the sheet,
// "PlA4" (drawings of format 117) or "PlA3": curves become polylines unless
// the plotter draws circles and arcs itself, filled shapes are hatched,
// texts become labels with a national-character conversion, pictures are
// not plotted. Prefix `Hpgl`. Calls the element renderer, the model
// (drawing files, walks, states, placement), the defaults set, the buffered
// files and the progress dialog and warning box of winlib/.
#pragma once

#include <cstdint>

#include "model/justage.h"

struct BEF;
struct STT;

inline constexpr int PLOTTEXTSUP = 40;   // characters of a setting text
inline constexpr int PLOTSTIFTSUP = 20;  // pen-select slots 1..20 (0 = copy of 1)
inline constexpr int PLOTPENSUP = 99;    // pens of a drawing

struct PlotterSatz {
    char name[PLOTTEXTSUP + 1];
    uint8_t kvs;       // write the paper-size string at the end
    uint8_t kum;       // label character conversion 0..3
    uint8_t kkr;       // the plotter draws circles and arcs (CI, AR)
    JusTrafo jus;      // placement
    double rlx, rly;   // parking point (mm)
    char va3[PLOTTEXTSUP + 4];  // "PU;" + paper-size string A3
    char va4[PLOTTEXTSUP + 4];  // and A4
    char stift[PLOTSTIFTSUP + 1][PLOTTEXTSUP + 1];
};

// The settings beside the record.
struct PlotterWerte {
    double sa[8];      // hatch spacings of pens 1..8 (mm)
    int sez;           // one pass per pen used
    char aseq[PLOTTEXTSUP + 1];
    char eseq[PLOTTEXTSUP + 1];
    int euas;          // plotter on/off escape sequences
};

// Writes the drawing as a plot file. 0, or -1 after a warning when the
// drawing cannot be opened or the output cannot be written in full (no
// output is left then; an older file of the name stays).
int HpglPlot(const char* zeichnung, const char* ausgabe);

// Reads the plotter record and the values beside it for an A4 or other sheet.
void HpglEinstellungen(int istA4, PlotterSatz* p, PlotterWerte* w);

// The per-element callback of the walk (layer switching, cancel).
int HpglRueckruf(const BEF* b, const STT* s);

// The next pen pass after pen p: 0 starts over (pen 1 marked used, gives
// 1); else the smallest used pen above p, or 0 when none is left.
int HpglNaechsterStift(int p);

// The label bytes of one text under a conversion mode (without "PU;LB"
// and the closing ETX).
void HpglTextUmsetzen(const char* text, int kum, char* aus, int kap);
