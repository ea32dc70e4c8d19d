// The project page scan's per-file work, shared only inside project/ (the
// list in pvwliste.cpp and its tests): a drawing's header, size and time
// from one open file, and drawing names as sort keys that compare without
// parsing the names again. Prefix `Pvw`. Calls model (the header records,
// the drawing name order), support (buffered memory reads) and the
// file-system boundary.
#pragma once

#include <cstddef>
#include <string>
#include <sys/stat.h>

#include "model/zeichnun.h"
#include "support/datum.h"

// Bytes read at the start of a file; a header running past them is read by
// ZeiKopfLesen instead.
inline constexpr size_t PVWKOPFLESEN = 4096;

// Header, size and modification time of the file `pfad` with one open, one
// fstat and one read: 0 and all three set, or -1 when the file cannot be
// opened, is a folder or is no drawing (the outputs then undefined). The
// header equals ZeiKopfLesen's. `lesen` (bytes read at once) is for tests.
int PvwKopfLesen(const char* pfad, ZeiKopf* kopf, struct stat* st, size_t lesen = PVWKOPFLESEN);

// A drawing name split once for ZeiDateiVergleich: the upper-case stem and
// the parts of its extension.
struct PvwNamensSchluessel {
    struct Teil {
        std::string text;     // upper case
        bool ziffer = false;  // starts with a digit
        bool zahl = false;    // digits only
        std::string ziffern;  // when `zahl`: its digits without leading zeros (its value, however long)
    };
    std::string stamm;  // upper case, without the extension
    Teil kopf, schwanz; // extension before and after its first '.'; without one `schwanz` is all of it
};
void PvwSchluesselBilden(const char* name, PvwNamensSchluessel* s);
// Equals ZeiDateiVergleich of the two names the keys were made from.
int PvwSchluesselVergleich(const PvwNamensSchluessel& a, const PvwNamensSchluessel& b);

// Calls `fn` with the path and the name of each entry of the pattern's
// folder whose name matches its name pattern (as verzlesendaten forms and
// matches them, but without a status), until `fn` returns 0.
void PvwOrdnerLesen(const char* muster, int (*fn)(const char* pfad, const char* name, void* user), void* user);
// The status of a path as verzlesendaten takes it; 0 or -1.
int PvwStatus(const char* pfad, struct stat* st);
