// Project texts by language: the translations of drawing title lines,
// generated and attached equipment texts and check-list texts in the
// project's "Texte.zvk", keyed by kind, key and language 1..9 (the base
// language 0 is never stored). Prefix `Fstx`. Calls support (files, texts),
// config (paths, language, warning box, the file-check counter through the
// reload rule of equipment/wache) and model (drawing keys).
//
// Invariants:
//  1. The list holds at most FSTXSUP records sorted by kind (bytes), key
//     (bytes), language, with no two records of equal kind, key and
//     language; every field is within its width.
//  2. Nothing but the list management acts while the list is not set up.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int FSTXSUP = 10000;     // records
inline constexpr int FSTXARTSUP = 3;      // kind
inline constexpr int FSTXKENNSUP = 23;    // key
inline constexpr int FSTXTEXTSUP = 83;    // text

struct FSTX {
    char art[FSTXARTSUP + 1];    // "S", "G", "Z", "C"
    char kenn[FSTXKENNSUP + 1];
    int32_t sprache;             // 1..9
    char text[FSTXTEXTSUP + 1];
};

void FstxInit();
void FstxFrei();
void FstxNeuLaden();
// Reads "Texte.zvk"; 0, or -1 when it cannot be opened or is read short
// (the list stays empty and not loaded, the next access tries again; a
// short read is warned and blocks FstxSchreiben until a good read).
int FstxLesen();
// Creates the empty file when it does not exist: 0, 1 when it exists, -1.
int FstxAnlegen();
void FstxPruefen(int anlegen);
// 0, or -1 when the file could not be written or was read short (the old
// file stays as it was, the list stays changed).
int FstxSchreiben();
int FstxBeenden(int schreiben);
int FstxGeaendert();
int FstxAnzahl();
// The i-th record in list order (tests, listings); 1, or 0 out of range.
int FstxEintrag(int i, FSTX* satz);

// Text outputs take FSTXTEXTSUP + 1 bytes.
void FstxHolen(const char* art, const char* kenn, int sprache, char* text);
// A blank text deletes; 0, or -1 when refused (language 0, full list).
int FstxSetzen(const char* art, const char* kenn, int sprache, const char* text);
void FstxPraefixLoeschen(const char* art, const char* praefix);
void FstxUmschluesseln(const char* art, uint32_t id, const char* altcode, int altnr, const char* neucode, int neunr);
int FstxSchluesselNr(const char* kenn);

// Title lines of drawings (kind "S", key "<drawing key>-<n>").
void FstxTitelText(const char* zeichnung, int n, char* text);
void FstxTitelTextSprache(const char* zeichnung, int n, int sprache, char* text);
int FstxTitelSetzen(const char* zeichnung, int n, const char* text);
int FstxTitelSetzenSprache(const char* zeichnung, int n, int sprache, const char* text);
void FstxZeichnungUmbenennen(const char* altkenn, const char* neukenn);
void FstxZeichnungLoeschen(const char* zeichnung);

// Generated ("G") and attached ("Z") texts, key "%04X-%s-%d-%d" of item
// id, kind code, number and line. Uebersetzen replaces the text (within
// `kap`) by its translation into the current language when there is one.
void FstxGTextUebersetzen(uint32_t id, const char* code, int nr, int zeile, char* text, size_t kap);
void FstxZTextUebersetzen(uint32_t id, const char* code, int nr, int zeile, char* text, size_t kap);
int FstxGTextSetzen(uint32_t id, const char* code, int nr, int zeile, const char* text);
int FstxZTextSetzen(uint32_t id, const char* code, int nr, int zeile, const char* text);
int FstxGTextSetzenSprache(uint32_t id, const char* code, int nr, int zeile, int sprache, const char* text);
int FstxZTextSetzenSprache(uint32_t id, const char* code, int nr, int zeile, int sprache, const char* text);
void FstxGTextLoeschen(uint32_t id, const char* code, int nr, int zeile);
void FstxZTextLoeschen(uint32_t id, const char* code, int nr, int zeile);
void FstxGBauteilLoeschen(uint32_t id, const char* code, int nr);
void FstxZBauteilLoeschen(uint32_t id, const char* code, int nr);
void FstxGItemLoeschen(uint32_t id);
void FstxZItemLoeschen(uint32_t id);
void FstxGUmschluesseln(uint32_t id, const char* altcode, int altnr, const char* neucode, int neunr);
void FstxZUmschluesseln(uint32_t id, const char* altcode, int altnr, const char* neucode, int neunr);
typedef void (*FSTXDURCHLAUFFN)(const char* kenn, int sprache, const char* text, void* benutzer);
void FstxGDurchlaufen(uint32_t id, const char* code, int nr, FSTXDURCHLAUFFN fn, void* benutzer);
void FstxZDurchlaufen(uint32_t id, const char* code, int nr, FSTXDURCHLAUFFN fn, void* benutzer);
// Keeps the translations of a generated text in step with its base text.
void FstxGBasisGeaendert(uint32_t id, const char* code, int nr, int zeile, const char* alt, const char* neu);

// Check-list texts (kind "C", key "<list>-<code>", list 0..4).
void FstxCText(int liste, const char* code, char* text);
int FstxCTextSetzen(int liste, const char* code, const char* text);
void FstxCTextLoeschen(int liste, const char* code);

// Merges another translation file; the item ids of "G" and "Z" keys go
// through the map. 0, or -1 when the merged list could not be written or
// the file was read short (then warned, nothing merged; nothing read: 0).
typedef uint32_t (*FSTXIDFN)(uint32_t id, void* benutzer);
int FstxMergeDatei(const char* pfad, FSTXIDFN abbildung, void* benutzer);
