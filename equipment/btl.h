// Component entries of the equipment items, section "Btl" of the equipment
// file: placing, counting, moving and freeing placements, the sort order,
// file records and lookups. Prefix `Btl`. Calls the store (bm), the
// kind-code codec (nhuliste), the text stand-ins, model (drawing keys and
// their order), support and config.
//
// Invariants:
//  1. At most BTLSUP - 1 entries; a full list refuses appends.
//  2. Every change sets the changed mark and raises the change counter;
//     reading and writing the section reset both.
//  3. The id index lists, per item id, the positions of its entries in list
//     order; it is kept in step by appends and rebuilt after deletes, sorts
//     and restores, so answers stay "first in list order".
#pragma once

#include <cstddef>
#include <cstdint>

struct BDAT;

inline constexpr int BTLSUP = 20000;    // pointer array; 19999 entries
inline constexpr int BTLCDSUP = 4;      // widths in the file
inline constexpr int BTLTEXTSUP = 20;   // tt, bl, kb, drawing key
inline constexpr int BTLBSSUP = 10;     // bs; also the drawing key written unlogged

struct appbteil {
    uint32_t id;
    char cd[9];        // kind code
    int32_t nr;        // instance number, or count still to place
    char tt[41];
    char bl[41];
    char kb[41];
    char bs[21];
    int32_t platziert; // 0, 1, 2
    double x, y;
    char ze[41];       // drawing key
    int32_t objekt;    // run time only
};

void BtlInit();
void BtlFrei();
int BtlGeaendert();
int BtlAenderZaehler();
int BtlAnzahl();
int BtlAbschnittLesen(BDAT* d);
int BtlAbschnittSchreiben(BDAT* d);
void BtlZeileFormat(char* ziel, size_t kap, appbteil* b);
void BtlZeileParsen(appbteil* b, const char* zeile);
long BtlPacken(void* puffer);
void BtlEntpacken(const void* puffer);
void BtlSortieren();
void BtlVerschieben(double dx, double dy);

int BtlHauptAnlegen(uint32_t id, int n, const char* zname, double x, double y, const char* dispo, const char* prinzip);
int BtlHauptKopieren(uint32_t neu, uint32_t quelle, const char* zname, double x, double y, const char* dispo, const char* prinzip);
int BtlHauptEinfuegen(uint32_t id, const appbteil* b, const char* zname, double x, double y, const char* dispo, const char* prinzip);
int BtlZusatzAnlegen(uint32_t id, const char* typ, const char* code, const char* name);
int BtlEintragAnhaengen(const appbteil* b);
int BtlEintragAendern(uint32_t id, const char* code, int nr, const appbteil* b);
void BtlEintraegeLoeschen(uint32_t id);
int BtlEintragLoeschen(uint32_t id, const char* code, int nr);
int BtlPlatzieren(uint32_t id, const char* code, const char* zname, double x, double y);
int BtlPlatzierenNr(uint32_t id, const char* code);
int BtlInstanzNeu(int i);
int BtlInstanzZurueck(int i);
int BtlPlatzFreigeben(const char* bl, const char* zname, double x, double y, appbteil* aus);
long BtlPlatzVerschieben(int objekt, const char* bl, const char* zname, double x, double y, double nx, double ny, appbteil* aus);
uint32_t BtlAnPositionId(const char* bl, const char* zname, double x, double y);
int BtlAnPositionSuchen(const char* bl, const char* zname, double x, double y, appbteil* aus);
int BtlAnPositionUmbenennen(const char* bl, const char* neu, const char* zname, double x, double y, appbteil* aus);
void BtlMarkenBestaetigen();
void BtlObjektMarkenLoeschen();
void BtlZeichnungUmbenennen(const char* alt, const char* neu);
void BtlZeichnungEntfernen(const char* zname);
int BtlSuchen(uint32_t id, const char* code, int nr, appbteil* aus);
int BtlFreieSuchen(uint32_t id, const char* code, int nr, const char* bl, appbteil* aus);
int BtlNrHolen(int i, appbteil* aus);
typedef void (*BTLFN)(const appbteil* b, void* benutzer);
void BtlDurchlaufen(uint32_t id, BTLFN fn, void* benutzer);
int BtlUnterAnzahl(uint32_t id);
int BtlPlatziertAnzahl(uint32_t id);
int BtlBauteilVerwendet(const char* bl);
int BtlTypVerwendet(const char* tt);
typedef void (*BTLIDFN)(uint32_t id, void* benutzer);
void BtlUnterNachName(const char* bl, int alle, BTLIDFN fn, void* benutzer);
void BtlUnterNachTyp(const char* tt, int alle, BTLIDFN fn, void* benutzer);
int BtlNaechsteBs(uint32_t id);
void BtlHauptAufZeichnung(const char* schluessel, BTLFN fn, void* benutzer);
int BtlNamenVergleich(const void* a, const void* b);
int BtlArtVergleich(const appbteil* a, const appbteil* b);
int BtlVergleich(const appbteil* a, const appbteil* b);
int BtlPosVergleich(const char* za, double xa, double ya, const char* zb, double xb, double yb);
