// Dash patterns: the seven line types, their set-up for a dash term, the
// stepping from segment to segment, the end-stroke lengths, and the walking
// of lines and paths with a pattern on pixels (screen and printer) and in
// world units (PDF). Prefixes `Strich`, `PixStrich`, `WeltStrich`. Calls
// nothing but the C++ library: the drawing itself goes to a target of
// function pointers that the device installs.
//
// One dash state exists (all on the GUI thread): the scaled segments of the
// current line type, the next index, the carried tenths, the has-stroke and
// has-gap flags, the term, the unit, the window flag, the largest gap, and
// the colour alternation mode. Lengths are in tenths of the target's unit
// (pixels) until `StrichNaechstes` hands them out in whole units.
#pragma once

#include <cstdint>

inline constexpr int STRICHTYPSUP = 7;   // line types 1..7
inline constexpr int STRICHSEGSUP = 7;   // segments of a pattern

// One segment: 'S' stroke, 'A' gap, 'P' point, 0 ends the pattern.
struct STRICHSEG {
    char art;
    int32_t laenge;
};

// Sets up line type `typ` (clamped to 1..7) for the term (tenths of a unit
// per period): segment lengths in tenths, strokes and gaps at least 3.
void StrichMuster(int typ, int term);
// The dash unit (end-stroke length) and whether the target is a window.
void StrichUmgebung(int einheit, int fenster);
// Restarts the pattern at its first segment.
void StrichAnfang();
// The next segment in whole units (tenths carried on); true when it begins
// a period.
bool StrichNaechstes(STRICHSEG* seg);
// The type letter of the segment at the index (0 at the pattern's end).
int StrichArt();
int StrichTerm();
bool StrichHatStrich();
bool StrichHatLuecke();
// End-stroke length: pixels (at least 2) and world units.
int StrichKappe();
double StrichKappeWelt();
// Largest gap of patterns without strokes on a window (0 or less: none).
void StrichMaxSetzen(int n);
int StrichMax();
// Saves the whole dash state (pattern, position in it, both walkers) and
// puts it back, one level: a paint that runs inside a dashed walk (message
// pumping) leaves the rest of that walk as it would have been. `Wieder`
// without a saved state does nothing.
void StrichZustandSichern();
void StrichZustandWieder();
// Colour alternation mode before a primitive: 2 two-colour pen, else 1.
void StrichFarbModus(int modus);

// ---- walking on pixels ---------------------------------------------------------

struct STRICHZIEL {
    void (*bewegen)(void* benutzer, int x, int y);   // move without drawing
    void (*ziehen)(void* benutzer, int x, int y);    // draw from the pen position
    void (*punkt)(void* benutzer, int x, int y);     // filled square of the pen width
    void (*farbe)(void* benutzer, int n);            // 1 first, 2 second colour
    void* benutzer;
};

void PixStrichZielSetzen(const STRICHZIEL* ziel);
// Starts a path at a pixel: restarts the pattern and fetches its first
// segment.
void PixStrichStart(int x, int y);
// The dashed line from the current pixel to (x, y).
void PixStrichLinie(int x, int y);
// Lead-in before a side towards (x, y).
void PixStrichAnfang(int x, int y);
// End of a path.
void PixStrichEnde();
// A line: start, lead-in, dashed line, end.
void PixStrichStrecke(int x1, int y1, int x2, int y2);
// The sides of a polygon (each with lead-in and end), back to the first
// point. `x` and `y` hold n points.
void PixStrichPolygon(const int* x, const int* y, int n);
// A path through n points (ellipses: no end; arcs: with end).
void PixStrichPfad(const int* x, const int* y, int n, bool mitEnde);

// ---- walking in world units --------------------------------------------------

struct WELTSTRICHZIEL {
    void (*linie)(void* benutzer, double x1, double y1, double x2, double y2);
    void (*punkt)(void* benutzer, double x, double y);
    void (*farbe)(void* benutzer, int n);            // 1 first, 2 second colour
    void (*schalten)(void* benutzer, int an);        // the device's own dashing
    // Pattern units to the device's units (null: the same).
    double (*umrechnen)(void* benutzer, double laenge);
    void* benutzer;
};

void WeltStrichZielSetzen(const WELTSTRICHZIEL* ziel);
void WeltStrichStart(double x, double y);
void WeltStrichLinie(double x, double y);
void WeltStrichAnfang(double x, double y);
void WeltStrichEnde();
// Solid end pieces of a line drawn with the device's own dashing; only for
// patterns with gaps.
void WeltStrichKurz(double x1, double y1, double x2, double y2);
