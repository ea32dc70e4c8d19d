// Reader of the old word-oriented formats: component libraries of version 3
// (one file "BAUTEILE.<suffix>") and version 2 (the pair "BAUTEILB" and
// "BAUTEILN"), old drawings with and without their 8-byte header, the old
// record stream and its conversion into current records. Prefix `Alt`.
// Calls the command records and drawing files of model/, the buffered files,
// file calls, sorting, paths and code pages of support/ and the directory
// kinds of config/.
//
// A second reader instance, with its own state and files, converts a
// version-2 pair into a version-3 library (AltBibUmsetzen).
#pragma once

#include <cstddef>
#include <cstdint>

struct BEF;

constexpr int ALTPFADSUP = 200;    // characters of a library path in the handles (not stored in files)
constexpr int ALTNAMSUP = 10;      // characters of an old component name
constexpr int ALTANZAHL3 = 5000;   // components of a version-3 library
constexpr int ALTANZAHL2 = 1000;   // components of a version-2 library
constexpr int ALTTEXTWORTE = 35;   // words of text kept of an old text record

// An open old component (filled by AltBauOpen).
struct AltBauHandle {
    char bib[ALTPFADSUP + 1];
    char name[ALTNAMSUP + 1];
    int32_t start;     // file position of the data
    int32_t laenge;    // data length in bytes
    int32_t position;  // current file position
    int32_t rest;      // bytes not yet read
};

// An old library for listing (filled by AltBibInfo).
struct AltBibHandle {
    int32_t version;  // always 4: an old library
    char bib[ALTPFADSUP + 1];
    int32_t anzahl;
    int32_t kbyte;
};

// One old record as read: code, sub-code, argument words and text.
struct AltSatz {
    uint8_t code;
    uint8_t sub;
    int16_t w[6];    // w[1]..w[5] are the argument words w1..w5
    char text[2 * ALTTEXTWORTE + 1];
};

int AltBibWaehlen(const char* bib);
int AltBibLaden(const char* bib);
int AltBibInfo(AltBibHandle* h, const char* bib);
void AltBauName(const char* bib, int i, char* aus, size_t kap);
int AltBauOpen(AltBauHandle* h, const char* bib, const char* name);
int AltBauRead(AltBauHandle* h, BEF* b);
int AltBauNachZeichnung(AltBauHandle* h, const char* zeichnung);
// The same, each converted record through `fn` before it is written.
int AltBauNachZeichnungMit(AltBauHandle* h, const char* zeichnung, void (*fn)(BEF* b));
void AltBibSchliessen();

int AltZeiOeffnen(const char* pfad, int* version, int* format);
int AltZeiRead(BEF* b);
void AltZeiSchliessen();

// Called with each converted component's name.
using AltUmsetzFn = void (*)(const char* name);
int AltBibUmsetzen(const char* bib, AltUmsetzFn fn);

// The conversion of one old record; b->code 0 when it gives no record.
void AltBefUmsetzen(const AltSatz* alt, BEF* b);
// Keypad direction of a digit in degrees (6 = 0, 9 = 45, 8 = 90, ...).
int AltRichtung(int ziffer);
