// Handle layer and file-system calls of the support library: open, create,
// read, write, seek and close by handle; delete, current folder, folders,
// attributes, length, time stamps, copying, creating whole folder paths and
// folder listings. Prefixes `dos`, `datei`, `verz`, `pfadanlegen`.
//
// Every path is a system path (code page 1252, '/' or '\'); it passes
// pfadnormal and then the file-system boundary (platform/dateisys), which
// finds names ignoring case and refuses drive-letter and network paths. A
// path longer than the 200 characters pfadnormal keeps fails with -1 instead
// of acting on a cut path. Calls only platform/ and the support library.
//
// doscrt never truncates a file in place: it writes a temporary file in the
// same folder that dosclose renames over the target (dosverwerfen drops it),
// so a failed writer leaves the old file as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

#include "support/datum.h"

// Attribute bits of dosattrib (the rest of the word is never set, except
// that a missing file gives all bits).
constexpr int DOSATTR_NURLESEN = 0x01;
constexpr int DOSATTR_VERZEICHNIS = 0x10;
constexpr int DOSATTR_DATEI = 0x20;
constexpr int DOSATTR_FEHLT = -1;

// Handle layer: results as the runtime gives them, -1 on failure.
int dosopen(const char* pfad, int modus);  // 0 read, 1 write, 2 read/write (retried read-only)
int doscrt(const char* pfad);              // new empty file, open read/write
int dosclose(int handle);                  // for a doscrt handle: rename over the target
int dosverwerfen(int handle);              // close a doscrt handle and drop its file
int dosread(int handle, void* puffer, int n);
int doswrite(int handle, const void* puffer, int n);
long doslseek(int handle, long offset, int ursprung);  // 0 start, 1 current, else end

int dateiloeschen(const char* pfad);
// Current folder as a system path ('/'); -1 when it is longer than 200
// characters or does not fit the target (the target is then empty).
int dosgetcwd(char* ziel, size_t kap);
template <size_t N>
int dosgetcwd(char (&ziel)[N]) { return dosgetcwd(ziel, N); }
int doschdir(const char* pfad);
int dosmkdir(const char* pfad);
int dosrmdir(const char* pfad);
int dosattrib(const char* pfad);
int dosattribsetzen(const char* pfad, int attribute);  // honours only DOSATTR_NURLESEN
long dateilaenge(const char* pfad);
int dateizeit(const char* pfad, DATZEIT* stempel);
// A file time as the local-time stamp the drawings and lists keep (zero
// outside the years 1900..2155).
void dateizeitaus(time_t t, DATZEIT* stempel);
int dateizeitsetzen(const char* pfad, const DATZEIT* stempel);
int dateikopieren(const char* quelle, const char* ziel);
int pfadanlegen(const char* pfad);  // 0 done, 1 no such drive, 2 not made, 3 not entered

// Folder listings: the callback is called per entry until it returns 0.
typedef int (*VERZDATENFN)(int verzeichnis, const char* pfad, long groesse, const DATZEIT* zeit,
                           void* user);
typedef int (*VERZNAMENFN)(int verzeichnis, const char* pfad, void* user);
void verzlesendaten(const char* muster, VERZDATENFN fn, void* user);
void verzlesennamen(const char* muster, VERZNAMENFN fn, void* user);
// Copies every plain file of one folder into another; 0, or -1 when a copy failed.
int verzkopieren(const char* quellverz, const char* zielverz);
