// Component redefinition: placed components of one item find their
// counterparts among a target item's entries, move onto them, and every
// (old item, code, number) to (new item, code, number) change is kept for
// rewriting texts and "@Y" references. Prefix `Redef`. Calls the components
// (btl), attached texts (nzustext), articles (reference texts), model
// (component equivalence, "@Y" parsing) and support.
//
// A redefinition runs RedefStart .. RedefEnde; RedefVorratReset between a
// trial run (apply flag 0) and the real one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "equipment/btl.h"

struct appztext;

inline constexpr int OBLSUP = 1000;   // stock entries
inline constexpr int CHGSUP = 1000;   // changes

struct vorrat {
    appbteil b;        // number: count still available (0 single entry)
    int32_t benutzt;
};

struct aenderung {
    uint32_t altid;
    char altcd[4];
    int32_t altnr;
    uint32_t neuid;
    char neucd[4];
    int32_t neunr;
};

void RedefStart(uint32_t ziel, int modus);
void RedefVorratReset();
// 0, or -1 when the change list is full (nothing recorded).
int RedefAenderungMerken(const appbteil* neu, const appbteil* alt);
// 0 matched (and, with `anwenden`, moved and recorded), -1 no match or the
// change list is full.
int RedefZuordnen(const appbteil* r, int anwenden);
// Replaces id, code and number by those of the first change that names
// them; 1 replaced, 0 unchanged.
int RedefAenderungAnwenden(uint32_t* id, char* code, size_t kap, int32_t* nr);
void RedefZtxUebernehmen(const appztext* t);
// Rewrites an "@Y" reference into `aus`; 1 when written.
int RedefVerweiseAnpassen(const char* text, std::string& aus, int ausweichen);
void RedefEnde();

// Tests and callers that report: the lists as they stand.
int RedefVorratAnzahl();
const vorrat* RedefVorrat(int i);
int RedefAenderungAnzahl();
const aenderung* RedefAenderung(int i);
