// The reload rule shared by the equipment file, the project file and the
// texts by language (and, in its two-file form, the definition files): a
// cache is current while it is loaded and the file-check counter has not
// moved; after a move, the path and the file's 6-byte stamp are compared
// with those taken at the last load or write. Prefix `Wache`. Calls
// config/datwache (DatPruefZaehler) and support/dosdatei (dateizeit) through
// two replaceable sources, so tests can move the counter and the stamps
// without sleeping.
//
// Use:  if (WacheVeraltet(&w, pfad)) { ...read...; WacheGeladen(&w, pfad); }
//       a failed read calls WacheZaehlerMerken(&w) only (stays not loaded).
#pragma once

#include <cstddef>

#include "support/datum.h"

inline constexpr int WACHEPFADSUP = 260;  // path texts of a watch

struct WACHE {
    int geladen;                  // the cache holds the file's contents
    int zaehler;                  // file-check counter at the last check
    char pfad[WACHEPFADSUP];      // path as built at the last load or write
    DATZEIT zeit;                 // its stamp then
    char pfad2[WACHEPFADSUP];     // two-file form: the second file ("" = none)
    DATZEIT zeit2;
    int zeit2da;                  // the second file's stamp could be read
};

// The sources: counter and stamp reader (0 on success, -1 when unreadable).
// nullptr restores the defaults DatPruefZaehler and dateizeit.
typedef int (*WACHEZAEHLERFN)();
typedef int (*WACHESTEMPELFN)(const char* pfad, DATZEIT* stempel);
void WacheQuellenSetzen(WACHEZAEHLERFN zaehler, WACHESTEMPELFN stempel);
int WacheZaehler();
int WacheStempel(const char* pfad, DATZEIT* stempel);

// Not loaded, nothing stored.
void WacheLeeren(WACHE* w);

// 1 when the cache must be (re)read, 0 when it is current:
//  1. loaded and the counter equals the stored one: 0, nothing compared;
//  2. loaded and the counter moved: the new counter is stored; the same path
//     and a readable stamp equal in all 6 bytes: 0;
//  3. otherwise (not loaded, other path, other or unreadable stamp): 1.
int WacheVeraltet(WACHE* w, const char* pfad);
// Two-file form: also stale when the second file's stamp differs, or it
// appeared or vanished since the last load (pfad2 "" or nullptr = none).
int WacheVeraltet2(WACHE* w, const char* pfad, const char* pfad2);

// After a load or write: loaded, path, stamp (zeroed when unreadable) and
// the counter of now. The two-file form also keeps the second stamp.
void WacheGeladen(WACHE* w, const char* pfad);
void WacheGeladen2(WACHE* w, const char* pfad, const char* pfad2);
// Only the counter of now (a failed read: the flag stays as it is).
void WacheZaehlerMerken(WACHE* w);
