// Placement transform and rectangle helpers; see justage.h. Calls the
// geometry (quarter turns, rotation), the defaults store and test options of
// config/ and the trace hook.
#include "model/justage.h"

#include <cmath>

#include "config/reaktion.h"
#include "config/vorgaben.h"
#include "model/befehl.h"
#include "model/geometri.h"
#include "model/modellint.h"
#include "support/basis.h"

void JusLesen(JusTrafo* t)
{
    VgbOeffnen();
    t->drehung = VgbInt("JusR");
    t->x = VgbZehntel("JusX");
    t->y = VgbZehntel("JusY");
    int s = VgbInt("JusS");
    VgbSchliessen();
    // A missing scale is 1:1; 0 would collapse every point and divide by zero.
    t->mass = (s == 0 ? 100 : s) / 100.0;
    if (TestOption('I')) {
        wiDebug("jus %d %s %s %s\n", t->drehung, modFixed(t->x, 1).c_str(), modFixed(t->y, 1).c_str(),
                modFixed(t->mass, 2).c_str());
    }
}

double JusMass(const JusTrafo* t, double l) { return l * t->mass; }
double JusMassZurueck(const JusTrafo* t, double l) { return l / t->mass; }

int JusVektor(const JusTrafo* t, double* x, double* y)
{
    double u = *x * t->mass, v = *y * t->mass;
    switch (t->drehung) {
    case 1: *x = -v; *y = u; break;
    case 2: *x = -u; *y = -v; break;
    case 3: *x = v; *y = -u; break;
    default: *x = u; *y = v; break;
    }
    return t->drehung;
}

int JusPunkt(const JusTrafo* t, double* x, double* y)
{
    JusVektor(t, x, y);
    *x += t->x;
    *y += t->y;
    return t->drehung;
}

int JusWinkel(const JusTrafo* t, int winkel)
{
    int plus = t->drehung == 1 ? 900 : t->drehung == 2 ? 1800 : t->drehung == 3 ? 2700 : 0;
    return WinkelNormal(winkel + plus);
}

int RechteckUeberlappt(const double a[4], const double b[4])
{
    return a[0] <= b[2] && b[0] <= a[2] && a[1] <= b[3] && b[1] <= a[3];
}

void RechteckVereinigen(double a[4], const double b[4])
{
    a[0] = dmin(a[0], b[0]);
    a[1] = dmin(a[1], b[1]);
    a[2] = dmax(a[2], b[2]);
    a[3] = dmax(a[3], b[3]);
}

int Kollinear(double x0, double y0, double x1, double y1, double x2, double y2)
{
    return std::fabs((x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0)) <= 0.1;
}

double LinienParameter(double x0, double y0, double x1, double y1, double x, double y)
{
    if (std::fabs(x1 - x0) > 0.1) {
        return (x - x0) / (x1 - x0);
    }
    if (std::fabs(y1 - y0) > 0.1) {
        return (y - y0) / (y1 - y0);
    }
    return 0.0;
}

void RtkEcken(const BEF* b, GeoPunkt p[4])
{
    if (b->code != BEF_RTK) {
        return;
    }
    double w = b->darg[0], h = b->darg[1];
    p[0] = {0.0, 0.0};
    p[1] = {w, 0.0};
    p[2] = {w, h};
    p[3] = {0.0, h};
    if (b->iarg[1] != 0) {
        for (int i = 1; i < 4; ++i) {
            Drehen(b->iarg[1], &p[i].x, &p[i].y);
        }
    }
}
