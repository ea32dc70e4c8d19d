// Device style sets: the 99 pen styles of a printer, PDF or SVG device read
// from the defaults set under the key prefix of its paper section ("DrA4",
// "PaA3", "SvgA4", ...), with the section's placement transform, its "BlOri"
// value and its font name; the placement applied to points, vectors,
// lengths and angles. Prefix `Stil`. Calls config/ (defaults, test options),
// model/ (placement transform, pen style record), support/ (texts) and the
// colour names of output/farbe.
//
// One set exists; each `StilLaden` replaces it (each print, PDF or SVG
// output). The pen style record is the one the screen's viewer settings use
// (`VISTIFT`), so that the GDI layer takes either table alike.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/einstell.h"
#include "model/justage.h"

inline constexpr int STILSUP = 99;       // pen styles 1..99 = entries 0..98
inline constexpr int STILFONTSUP = 40;   // characters of the font name

struct STILSATZ {
    VISTIFT stift[STILSUP];
    JusTrafo jus;
    int32_t blori;                      // "BlOri"
    char font[STILFONTSUP + 1];         // "Font"
};

// Reads the set under the key prefix (the prefix is switched off again).
void StilLaden(const char* praefix);
// Copies entry n (clamped to 0..98, so pen style n + 1).
void StilHolen(int n, VISTIFT* s);
// The font name of the set (at most STILFONTSUP characters).
void StilFont(char* puffer, size_t groesse);
// The "BlOri" value of the set.
int StilBlattLage();
// The whole set (tests, devices that walk the table).
const STILSATZ* StilSatz();

// The placement transform of the set: lengths there and back, points
// (scale, quarter turn, offset), vectors (without offset), angles in tenths.
double StilMass(double l);
double StilMassZurueck(double l);
void StilPunkt(double* x, double* y);
void StilVektor(double* x, double* y);
int StilWinkel(int winkel);

// Reads one pen definition "width [r g b | name [second name]]" into a
// record: width at least 1, colours 0 when absent (also used for the
// viewer's and other tables in the same form).
void StilAusText(const char* text, VISTIFT* s);

// Installs the services that the drawing model calls (colour names, the
// dash length limit) into its service table. Called once at start.
void StilDiensteEintragen();
