// Component libraries ("BAUTEILE.<suffix>"): a 12-byte header ("zvkB", u16
// version, u32 entry-area length L, u16 count N) and the entries back to
// back, long (70 bytes, version >= 10) or short (19 bytes, versions 6..9),
// each followed by its records in compact form. Owns the one loaded library
// with its sorted name table and origin table, the 3-slot index cache, the
// path cache, the name order, appending, renaming and checking components,
// and the equivalence file "BAUTEILA.<suffix>". Prefix `Bau`.
// Calls the command records and drawing files of model/, the buffered files,
// sorting, dates and paths of support/, the directory kinds, path search and
// check counter of config/.
//
// A component is read into its handle when it is opened, so components of
// several libraries can be read interleaved (the expander does so). The data
// of components opened once is kept with the loaded index (and its cache
// slot) and dropped with it, so repeated components cost no file access.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct BEF;

constexpr int BAUTABSUP = 30000;     // room of the name and origin tables
constexpr int BAUANZAHLMAX = 29999;  // components a library can hold
constexpr int BAUPFADSUP = 200;   // characters of a library path
constexpr int BAUNAMSUP = 20;     // characters of a component name (long entries)
constexpr int BAUNAMKURZ = 10;    // characters of a component name (short entries)
constexpr int BAUAEQUISUP = 10;   // names returned by BauAequivalente

// An open component (filled by BauOpen, owned by the caller). `daten` holds
// the component's records as read from the library; positions count within
// the library file. A C++ object: declare it, never memset it.
struct BauHandle {
    char bib[BAUPFADSUP + 1] = {};
    char name[BAUNAMSUP + 1] = {};
    int32_t version = -1;     // of the library; -1 when not open
    int32_t start = 0;        // data start position in the library file
    int32_t laenge = 0;       // data length D
    int32_t position = 0;     // current position in the library file
    int32_t rest = 0;         // bytes not yet read
    std::vector<unsigned char> daten;  // the D bytes of records
};

// An open library for listing and changing (filled by BauBibOeffnen).
struct BauBibHandle {
    char bib[BAUPFADSUP + 1] = {};
    int32_t version = -1;
    int32_t anzahl = 0;       // entries the index holds
    int32_t kopfAnzahl = 0;   // N of the header: above `anzahl` when the chain leaves the file
    int32_t kbyte = 0;        // (L + 512) / 1024
};

// Start and end of the module's tables; BauInit asserts on an allocation
// failure. The module calls BauInit by itself on first use.
void BauInit();
void BauEnde();
// Switches the 3-slot cache of library indexes; off empties its slots.
void BauCacheSetzen(int an);

// Library path of a suffix (or of a name with a directory part, used as it
// is). 0, or -1 when no path could be built (aus then empty).
int BauPfad(const char* name, char* aus, size_t kap);
// Directory of the library's path + name [+ '.' + ext].
void BauVerzDatei(const char* bib, const char* name, const char* ext, char* aus, size_t kap);
// Path of the loaded library ("" when none).
const char* BauAktuell();
int BauVersion(const char* pfad);        // version, 4 without magic, -1 unreadable
int BauBibGueltig(const char* pfad);     // 1 when the version is above 5
int BauVersionOder4(const char* pfad);   // the version, or 4
int BauNamLaenge();                      // 20 (version >= 10) or 10

// Loads a library's index (path as given). 0, or -1 when the file cannot
// be opened or read, or is no library of version 6 or above. An entry chain
// that leaves the file ends the index there (0; see BauBibHandle).
int BauLaden(const char* pfad);
void BauBibSchliessen();
int BauVorhanden(const char* name);
// Upper-cases and trims in place; 0 when valid, else -1.
int BauNameGueltig(char* name);

// Name order of component names (byte weights, at most 20 positions):
// < 0, 0 or > 0.
int BauNamVergleich(const char* a, const char* b);

int BauOpen(BauHandle* h, const char* bib, const char* name);
// 1 when BauOpen would open the component (it checks the library as
// BauOpen does), without taking its data; else 0.
int BauVorhanden(const char* bib, const char* name);
int BauRead(BauHandle* h, BEF* b);
void BauClose(BauHandle* h);
// A component's records as BauOpen and BauRead give them, decoded once and
// kept with the component's data, so dropped exactly when that is (the
// library written, changed on disk once the check counter moved, closed).
// Null where BauOpen fails.
using BauBefListe = std::shared_ptr<const std::vector<BEF>>;
BauBefListe BauBefehle(const char* bib, const char* name);

// Called with each record before it is appended (may change it).
using BauKonvertFn = void (*)(BEF* b);
int BauNachZeichnung(BauHandle* h, const char* zeichnung);
int BauNachZeichnungMit(BauHandle* h, const char* zeichnung, BauKonvertFn fn);

int BauBibOeffnen(BauBibHandle* h, const char* bib);
void BauBibZu(BauBibHandle* h);
void BauNameHolen(const BauBibHandle* h, int index, char* aus, size_t kap);
int BauBibAnlegen(const char* bib, int version);
int BauAufnehmen(BauBibHandle* h, const char* name, const char* zeichnung);
int BauUmbenennen(BauBibHandle* h, int index, const char* neu);
int BauPruefen(const char* bib, const char* bericht);

// Equivalence of component names, by the file "BAUTEILA.<suffix>" of the
// loaded library.
int BauAequivalent(const char* a, const char* b);
int BauAequivalente(const char* name, char aus[BAUAEQUISUP][BAUNAMSUP + 1]);
void BauAequiFrei();
void BauAequiLeeren();
