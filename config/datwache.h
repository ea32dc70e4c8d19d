// The file-watch core: the check, change and switch counters, the program
// and working directory texts and the watch records through which caches
// learn cheaply whether their file or the project folder changed. Prefixes
// `Dat`, `Ver`. Calls support (texts, dateizeit), config/verzeich
// (PfadBilden, directory kind 1) and nothing above.
//
// Invariants:
//  1. The check counter only moves through DatNeuPruefen; a watch that was
//     marked at the current count is current without reading the file.
//  2. A folder watch (kind -1) is out of date when the switch counter or the
//     working directory moved since it was marked.
//  3. Directory texts hold at most DATVERZSUP - 1 characters and end with
//     '/' when not empty.
#pragma once

#include <cstddef>

#include "support/datum.h"

inline constexpr int DATVERZSUP = 200;   // directory and path texts
inline constexpr int DATNAMESUP = 80;    // file name of a watch
inline constexpr int DATENDUNGSUP = 20;  // extension of a watch

// One watched file (or, with kind -1, the working directory itself).
struct DATSTEMPEL {
    int art;                        // directory kind; -1 = the working directory
    char name[DATNAMESUP];
    char endung[DATENDUNGSUP];
    int geladen;                    // 1 after DatStempelSetzen
    int pruefzaehler;               // check counter when last marked
    int wechselzaehler;             // switch counter when last marked
    char verzeichnis[DATVERZSUP];   // working directory when last marked
    char pfad[DATVERZSUP];          // full path
    DATZEIT zeit;                   // the file's time when last read
};

// Check counter (starts at 0) and activation state (starts at 1).
void DatNeuPruefen(int aktiv);
int DatPruefZaehler();
int DatAktiv();

// Change counter of project-manager operations.
void DatAenderungMelden();
void DatAenderungenLoeschen();
int DatAenderungen();

// Switch counter of the working directory.
void DatWechselZaehlen();
int DatWechsel();

// Program and working directory texts ("" until set).
const char* VerProgramm();
const char* VerAktuell();
// Set by the start-up and the folder switch: the text is normalised ('/'
// separators, trailing '/', an upper-case drive letter) and cut to fit.
// Nothing else is done here (no kind registration, no chdir).
void VerProgrammSetzen(const char* verz);
void VerAktuellSetzen(const char* verz);
// The set-at-start flag: 1 after start-up and after "-V=" until the first
// switch.
int VerAmStart();
void VerAmStartSetzen(int wert);
// Normalises a directory text as above into ziel ("" for an empty text).
void VerNormieren(char* ziel, size_t groesse, const char* verz);

// Watch records. Anlegen: not loaded, the counters and working directory of
// now, the full path and the file's time; 0, or -1 when the time cannot be
// read (kind -1 needs no file). Veraltet: 1 may have changed, 0 current, -1
// the file's time cannot be read. Setzen: marks it loaded now; 0 or -1.
int DatStempelAnlegen(DATSTEMPEL* wache, int art, const char* name, const char* endung);
int DatStempelVeraltet(DATSTEMPEL* wache);
int DatStempelSetzen(DATSTEMPEL* wache);

// Back to the start values (tests, module exit).
void DatWacheZuruecksetzen();
