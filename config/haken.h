// The three hook tables of the frame: the status table (run on every timer
// tick of the main window), the clean-up table (run once at the end) and the
// reaction table (run when the working context changes). Prefix none (the
// system's names `...Anmelden`, `...Ausloesen`, `Aufwischen`). Calls
// support (wiAssert, bounded copies) only.
//
// Invariants:
//  1. Entries are only appended; each table holds at most HAKSUP entries, a
//     further registration stops the program ("lisanz < LISSUP").
//  2. A run calls entries 0 .. count - 1 in registration order and reads the
//     count anew each round, so an entry registered during a run is called
//     in the same run.
#pragma once

#include <cstdint>

inline constexpr int HAKSUP = 100;
inline constexpr int HAKENNAMESUP = 80;

typedef void (*HAKENFN)(int32_t argument, const char* name);

struct HAKEN {
    HAKENFN funktion;
    int32_t argument;
    char name[HAKENNAMESUP + 1];  // "" when registered without one
};

void StatusAnmelden(HAKENFN funktion, int32_t argument, const char* name);
void StatusAusloesen();
void AufwischenAnmelden(HAKENFN funktion, int32_t argument, const char* name);
void Aufwischen();
void ReaktionAnmelden(HAKENFN funktion, int32_t argument, const char* name);
void ReaktionAusloesen();

// Number of entries (tests) and all three tables empty again (tests).
int HakenAnzahl(int tabelle);  // 0 status, 1 clean-up, 2 reaction
void HakenZuruecksetzen();
