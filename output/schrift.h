// Fonts: the table of ten fonts of "Schrift.txt" (face name and attribute:
// 1 = set character by character in fixed columns, 0 = proportional) and
// each font's metrics measured once at 128 x 85 pixels (cap and ascent
// ratios, 256 character widths), from which text lengths and character
// advances are scaled. Prefix `Schrift`. Calls config/ (directory kinds),
// support/ (buffered files, texts), the GDI of platform/ and the main
// window of winlib/.
//
// The table loads on first use (project folder, application-data folder,
// shipped data) and again after `SchriftNeuLaden`; it is written to the
// project folder when the file was there, else to the application-data
// folder. Metrics are measured at start (`GdiSchriftMetrikStart`) and again
// whenever a font's face name changed; `SchriftEnde` frees the measuring
// context at program end and puts the table back to its start values.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/windef.h"

inline constexpr int SCHRIFTSUP = 10;            // fonts 0..9
inline constexpr int SCHRIFTNAMESUP = 40;        // characters of a face name
inline constexpr int SCHRIFTZEILESUP = 78;       // characters of a line read
inline constexpr int SCHRIFTMESSNAMESUP = 80;    // face name kept with the metrics
inline constexpr int SCHRIFTTEXTSUP = 2000;      // characters measured of a text
inline constexpr int SCHRIFTMESSHOEHE = 128;     // font measured: height
inline constexpr int SCHRIFTMESSBREITE = 85;     // and width

struct SCHRIFTMETRIK {
    int32_t gueltig;
    char name[SCHRIFTMESSNAMESUP + 1];  // face measured
    double kappe;                       // (ascent - internal leading) / height
    double oben;                        // ascent / height
    int32_t kappePixel;                 // cap height in pixels
    int32_t mittel;                     // average character width (at least 1)
    int32_t breite[256];
};

// Face name of font n (clamped to 0..9), at most SCHRIFTNAMESUP characters.
void SchriftName(int n, char* puffer, size_t groesse);
int SchriftArt(int n);
// Sets face name (cut to 40 characters) and attribute of font n (clamped).
void SchriftSetzen(int n, const char* name, int attribut);
// Writes the table; 0, or -1 when the file cannot be written or was read
// short (the table then kept its values; said when read).
int SchriftSchreiben();
// The next use reads the file again.
void SchriftNeuLaden();

// Cap and ascent ratios of font n (measured first when needed).
void SchriftMetrik(int n, double* kappe, double* oben);
// Measures font n into its metrics record.
void SchriftMessen(int n);
// The metrics record of font n (clamped), measured first when needed.
const SCHRIFTMETRIK* SchriftMetrikSatz(int n);
// Width of the text (first SCHRIFTTEXTSUP characters) for a character
// height `ziel`: sum of the table widths x ziel / average width.
double SchriftLaenge(int n, const char* text, double ziel);
// The text-width model every output follows: the width a text of font n,
// height `hoehe` and width factor `faktor` occupies, in the units of the
// height. Fonts set in fixed columns take one column (height x factor) a
// character; proportional fonts the sum of their measured widths scaled to
// an average character of height x factor. A width cache of the platform
// text layer may sit under this one function.
double SchriftTextBreite(int n, const char* text, double hoehe, double faktor);
// Per-character advances of the same scaling (differences of the truncated
// cumulative sums) into vorschub[0..]; the number of characters, at most
// min(max, SCHRIFTTEXTSUP).
int SchriftVorschub(int n, const char* text, double ziel, int* vorschub, int max);
// Takes a measuring context compatible with `dc` and measures all ten fonts.
void GdiSchriftMetrikStart(HDC dc);
// Frees the measuring context; the table returns to its start values and
// loads again on its next use.
void SchriftEnde();
