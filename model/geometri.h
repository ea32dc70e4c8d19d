// Geometry of the drawing model: angles in tenths of a degree turned through
// a table of whole degrees (quarter turns, 30 and 60 degrees exact), vector
// rotation, the state transform, the fixed and the adjustable tolerance,
// corner, outline and snap points of the primitives, text boxes and record
// extents. Prefixes as the names go (`Sin...`, `Bef...`, `Genauigkeit...`).
// Calls the command table, the graphic state, the record expander and the
// dimension points.
#pragma once

#include <vector>

struct BEF;
struct STT;

struct GeoPunkt {
    double x, y;
};

// Angles and vectors.
int WinkelNormal(int a);  // into 0..3599
double SinZehntel(int a);
double CosZehntel(int a);
int ISin(int n, int a);  // truncated toward zero
int ICos(int n, int a);
void Drehen(int a, double* x, double* y);
int WinkelSumme(int a, int b);
int IstRechtwinklig(int a);
double VektorLaenge(double x, double y);
int VektorWinkel(double x, double y);
int Quadrant(double x, double y);

// Plane lines a x + b y + c = 0, and the circle through three points as the
// meeting point of two perpendicular bisectors.
struct GeoGerade {
    double a, b, c;
};
// The perpendicular bisector of p1 p2: the line through their middle m and
// m + (y1 - y2, x2 - x1).
void Mittelsenkrechte(GeoGerade* aus, GeoPunkt p1, GeoPunkt p2);
// The meeting point of two lines; 0, or -1 (aus untouched) when they are
// parallel or the point is not finite.
int GeradenSchnitt(GeoPunkt* aus, const GeoGerade* l1, const GeoGerade* l2);

// State transform.
void SttPunkt(const STT* s, double x, double y, double* X, double* Y);
void SttPunktZurueck(const STT* s, double X, double Y, double* x, double* y);

// Numeric helpers and tolerances.
double dabs(double x);
double dmax(double x, double y);
double dmin(double x, double y);
double Vorzeichen(double x);
int IstNullGenau(double x);
int KleinerTol(double x, double y);
int GroesserTol(double x, double y);
int InnerhalbEins(double x);
double Zehntel(int n);
double RundenAuf(double x, double f);
int IstNull(double x);
int ImBereich(double x, double y);
int VergleichTol(double x, double y);
void GenauigkeitSetzen(int n);
int Genauigkeit();  // the decimals in force
double Runden(double x);

// Element geometry (element coordinates).
void DreEcken(const BEF* b, GeoPunkt p[3]);
void KreEcken(const BEF* b, GeoPunkt p[8]);
// Text box of `zeichen` characters in `zeilen` lines: x1, y1, x2, y2.
void TextRahmen(int code, int zeichen, int zeilen, const STT* s, double box[4]);
std::vector<GeoPunkt> EllipsePunkte(double cx, double cy, double rx, double ry, int drehung,
                                    int schritt);
std::vector<GeoPunkt> BogenPunkte(double cx, double cy, double rx, double ry, int drehung,
                                  int umgekehrt, int a0, int a1, int schritt);
void BefVorbelegen(BEF* b);

// Snap points: art 0 for the origin (first), 2 for every further point.
using FangpunktFn = void (*)(int art, double x, double y);
void BefFangpunkte(const BEF* b, FangpunktFn fn);

// Extents (x1, y1, x2, y2 in drawing coordinates); `nachher` may be null.
void BefAusdehnungRoh(const BEF* b, const STT* s, double box[4], STT* nachher);
void BefAusdehnungEng(const BEF* b, const STT* s, double box[4], STT* nachher);
void BefAusdehnungGeo(const BEF* b, const STT* s, double box[4], STT* nachher);
int BefUntAusdehnung(const BEF* b, const STT* s, double box[4], STT* nachher);
