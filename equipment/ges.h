// Equipment items, section "Ges" of the equipment file: the list in id
// order, its file records, creation, copying, lookup and the nearest-item
// search. Prefix `Ges`. Calls the store (bm), the components (btl), the
// stand-ins of definitions and texts, support and config.
//
// The list holds at most GESSUP - 1 items and stays in ascending id order
// (lookups are binary searches). Text fields hold more than their file
// widths so that an over-long text given by a caller reaches the writer,
// which logs it to "fehler.txt" and cuts it, as the file format demands.
#pragma once

#include <cstddef>
#include <cstdint>

struct BDAT;

inline constexpr int GESSUP = 10000;      // pointer array; 9999 items
inline constexpr int GESTTSUP = 20;       // widths in the file: tt, lt
inline constexpr int GESKGSUP = 40;       // kg, kz, ft, text 6, text 7
// Bytes in memory: twice the file width and a terminator for the checked
// fields; texts 6 and 7 are not checked when written, so they hold only
// their width.
inline constexpr int GESPLATZ20 = 2 * GESTTSUP + 1;
inline constexpr int GESPLATZ40 = 2 * GESKGSUP + 1;

struct appgeraet {
    uint32_t id;
    int32_t n1;              // first number of the definition
    char tt[GESPLATZ20];
    char kg[GESPLATZ40];
    char kz[GESPLATZ40];
    char ft[GESPLATZ40];
    char lt[GESPLATZ20];
    char t6[GESKGSUP + 1];
    char t7[GESKGSUP + 1];
    int32_t n2;              // second number of the definition
};

void GesInit();
void GesFrei();
int GesGeaendert();
int GesAnzahl();
int GesAbschnittLesen(BDAT* d);
int GesAbschnittSchreiben(BDAT* d);  // 0, or -1 when a write failed
// Formats one line into ziel (over-long fields logged and cut in g).
void GesZeileFormat(char* ziel, size_t kap, appgeraet* g);
void GesZeileParsen(appgeraet* g, const char* zeile);

int GesHolen(uint32_t id, appgeraet* g);  // 0 found, -1 none (zeroed)
typedef void (*GESFN)(const appgeraet* g, void* benutzer);
void GesDurchlaufen(GESFN fn, void* benutzer);
uint32_t GesAnlegen(int n, const char* text);
uint32_t GesKopieren(uint32_t id, const char* text);
uint32_t GesAusSatz(const appgeraet* satz);
int GesEinfuegen(const appgeraet* satz);  // in id order; -1 full, present or off
int GesAendern(uint32_t id, const appgeraet* satz);
void GesLoeschen(uint32_t id);
int GesUnbenutzteEntfernen(int loeschen);
uint32_t GesNaechstesSuchen(uint32_t ohne, const char* schluessel, double x, double y, double toleranz);
int GesVergleich(const appgeraet* a, const appgeraet* b);
// The item's identifier as the drawing's texts show it (BMKennung of the
// model's view of the item), cut to the capacity.
void GesKennung(const appgeraet* g, char* aus, size_t kap);
// Undo snapshot: a 32-bit count, then the records. Packen with a null
// buffer gives the size only.
long GesPacken(void* puffer);
void GesEntpacken(const void* puffer);
