// Copying components between libraries and the library rewrites built on
// it: insert another library, delete components, rename language text
// files, convert an old library. Prefix `Misch`. Calls model (libraries,
// the batch copier, records), config (language names, texts 3000 on),
// support, platform (rename) and winlib (messages, progress).
//
// Nothing is lost: every rewrite builds the new library under a temporary
// name in the library's folder (beginning "BAUTEILE", so the library rules
// hold for it), stops at the first failed read, write or append with its
// message, and renames it over the library only after a clean close. On any
// failure the library stays byte for byte as it was and the temporary file
// is gone.
#pragma once

#include <string>
#include <vector>

#include "model/bauteil.h"
#include "model/transport.h"

// Keeps a component (1) or skips it (0).
using MISCHFILTER = TraFilterFn;

// Appends every component of `quelle` (a current or an old library) that
// the filter keeps (all without one) to `ziel` by the model's batch copier,
// each record through `konv` when given, the names shown as progress. The
// number appended, or -1 after a message (source not opened or not read
// whole, a component not read or written, an append failed; the target may
// then hold part of the copy). Both names must begin with "BAUTEILE".
int MischKopieren(const char* quelle, const char* ziel, MISCHFILTER filter, void* benutzer, BauKonvertFn konv);
// The size of each batch of the last copy (tests).
const std::vector<int>& MischStapel();

// A free temporary library name in the folder of `bib` ("BAUTEILE.tmp",
// else "BAUTEILE.t01".."t99"); 0, or -1 when none is free.
int MischTmpName(const char* bib, char* aus, size_t kap);

// The rewrites of library `bib` (version 6 or above unless said). Each
// returns 0 or -1; the messages are shown here.
// Inserts all components of `quelle`; refuses more than BAUANZAHLMAX in all.
// *gleichnamig = 1 when the result's first name begins with '*'.
int MischEinfuegen(const char* bib, const char* quelle, int* gleichnamig);
// Deletes the named components (upper-case names, any order).
int MischLoeschen(const char* bib, const std::vector<std::string>& namen);
// Renames language text files in every component; *anzahl the commands
// changed (the library is replaced only when any changed).
int MischSprache(const char* bib, int* anzahl);
// Converts a library below version 6 into version 6 in place.
int MischUmwandeln(const char* bib);
