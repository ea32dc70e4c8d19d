// Generated texts of equipment items, section ")S Gtx" of the equipment
// file: numbered text lines per component entry, translated through the
// texts by language, and the post-processing of a text for display. Prefix
// `Gtx`. Calls the list core (ntxkern), the store (bm), the texts by
// language (fstx), the header cache (utitel), articles (nartikel), model
// (placeholder expansion), support.
#pragma once

#include <cstddef>
#include <cstdint>

struct BDAT;
struct ModDienste;

inline constexpr int GTXSUP = 20000;     // pointer array; 19999 entries
inline constexpr int GTXTEXTSUP = 40;    // text width
inline constexpr int GTXNACHSUP = 80;    // post-processed text

struct appgtext {
    uint32_t id;
    char code[4];      // kind code, at most 3 characters
    int32_t nr;        // component number
    int32_t zeile;     // line number
    char text[GTXTEXTSUP + 1];
};

void GtxInit();
void GtxFrei();
int GtxGeaendert();
int GtxAbschnittLesen(BDAT* d);
int GtxAbschnittSchreiben(BDAT* d);   // 0, or -1 when a write failed
// Snapshot: u32 count, then 60-byte records; a null buffer gives the size.
long GtxSichern(void* puffer);
void GtxHerstellen(const void* puffer);

// Copies of matching entries (id 0, code null, nr -1 = all); with
// `uebersetzen` the copy's text is the current language's translation.
typedef void (*GTXFN)(const appgtext* t, void* benutzer);
void GtxDurchlaufen(uint32_t id, const char* code, int nr, int uebersetzen, GTXFN fn, void* benutzer);

// Text outputs are cut to kap - 1.
void GtxTextHolen(uint32_t id, const char* code, int nr, int zeile, char* aus, size_t kap);
void GtxTextRoh(uint32_t id, const char* code, int nr, int zeile, char* aus, size_t kap);
void GtxHauptText(uint32_t id, int zeile, char* aus, size_t kap);
void GtxHauptTextRoh(uint32_t id, int zeile, char* aus, size_t kap);
int GtxAnzahl(uint32_t id, const char* code, int nr);

void GtxTextNeu(uint32_t id, const char* code, int nr, int zeile, const char* text);
void GtxHauptTextNeu(uint32_t id, int zeile, const char* text);
void GtxTextSetzenBasis(uint32_t id, const char* code, int nr, int zeile, const char* text);
void GtxTextSetzen(uint32_t id, const char* code, int nr, int zeile, const char* text);
void GtxHauptTextSetzen(uint32_t id, int zeile, const char* text);

void GtxEintragLoeschen(uint32_t id, const char* code, int nr, int zeile);
void GtxHauptZeileLoeschen(uint32_t id, int zeile);
void GtxZeileLoeschen(uint32_t id, const char* code, int nr, int zeile);
void GtxBauteilLoeschen(uint32_t id, const char* code, int nr);
void GtxLoeschen(uint32_t id);
void GtxUmbenennen(uint32_t id, const char* neucode, int neunr, const char* altcode, int altnr);
void GtxSortieren();

// Post-processing for display ("@G", "@B", "@T", article shortcuts); the
// result is cut to 80 characters and to the capacity.
void GtxNachbearbeiten(char* text, size_t kap, uint32_t id, const char* code, int nr);

// Puts the text and article services of the model's service table
// (GtxTextHolen, ZtxTextHolen, GtxHauptText, ArtSuchen); the store's start
// calls it.
void NtxDiensteEintragen(ModDienste* d);
