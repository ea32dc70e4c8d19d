// Attached texts of equipment items, section ")S Ztx" of the equipment
// file: short numbered texts per component entry, translated through the
// texts by language. Prefix `Ztx`. Calls the list core (ntxkern), the store
// (bm), the texts by language (fstx), support.
#pragma once

#include <cstddef>
#include <cstdint>

struct BDAT;

inline constexpr int ZTXSUP = 20000;    // pointer array; 19999 entries
inline constexpr int ZTXTEXTSUP = 20;   // text width

struct appztext {
    uint32_t id;
    char code[4];
    int32_t nr;
    int32_t zeile;
    char text[ZTXTEXTSUP + 1];
};

void ZtxInit();
void ZtxFrei();
int ZtxGeaendert();
int ZtxAbschnittLesen(BDAT* d);
int ZtxAbschnittSchreiben(BDAT* d);   // 0, or -1 when a write failed
// Snapshot: u32 count, then 40-byte records; a null buffer gives the size.
long ZtxSichern(void* puffer);
void ZtxHerstellen(const void* puffer);

typedef void (*ZTXFN)(const appztext* t, void* benutzer);
void ZtxDurchlaufen(uint32_t id, const char* code, int nr, int uebersetzen, ZTXFN fn, void* benutzer);
void ZtxTextHolen(uint32_t id, const char* code, int nr, int zeile, char* aus, size_t kap);
int ZtxNaechsteNummer(uint32_t id);
// The line the text got, 0 when refused.
int ZtxAnfuegen(uint32_t id, const char* code, int nr, const char* text);
int ZtxAnhaengen(const appztext* t);   // 0, or -1 when full or off
void ZtxEintragLoeschen(uint32_t id, const char* code, int nr, int zeile);
void ZtxTextSetzen(uint32_t id, const char* code, int nr, int zeile, const char* text);
void ZtxTextSetzenSpr(uint32_t id, const char* code, int nr, int zeile, const char* text);
void ZtxBauteilLoeschen(uint32_t id, const char* code, int nr);
void ZtxLoeschen(uint32_t id);
void ZtxUmbenennen(uint32_t id, const char* neucode, int neunr, const char* altcode, int altnr);
void ZtxSortieren();

