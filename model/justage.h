// Placement transform `JusTrafo` (shift, scale and quarter turns of imported
// and exported drawings) and small rectangle and line helpers shared by the
// command processing, the store and the exporters. Prefixes `Jus`,
// `Rechteck`. Calls the geometry and, for JusLesen, the defaults store.
#pragma once

#include <cstdint>

struct BEF;
struct GeoPunkt;

struct JusTrafo {
    int32_t drehung;   // quarter turns 0..3
    double x, y;       // offset
    double mass;       // scale
};

void JusLesen(JusTrafo* t);
double JusMass(const JusTrafo* t, double l);
double JusMassZurueck(const JusTrafo* t, double l);
int JusPunkt(const JusTrafo* t, double* x, double* y);
int JusVektor(const JusTrafo* t, double* x, double* y);
int JusWinkel(const JusTrafo* t, int winkel);

// Rectangles are x1, y1, x2, y2 with x1 <= x2 and y1 <= y2.
int RechteckUeberlappt(const double a[4], const double b[4]);
void RechteckVereinigen(double a[4], const double b[4]);
int Kollinear(double x0, double y0, double x1, double y1, double x2, double y2);
double LinienParameter(double x0, double y0, double x1, double y1, double x, double y);
// Corners of a `RTK` record relative to its start; other codes leave p alone.
void RtkEcken(const BEF* b, GeoPunkt p[4]);
