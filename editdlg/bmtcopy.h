// The equipment-text block of the clipboard: the 40 text lines of one
// component of an equipment item (for a main component also its article
// reference, building, object, dispo and principle components) as CF_TEXT,
// and the reader that hands such a block back line by line. Prefix `BmText`.
// Calls equipment (items, components, raw texts), model's services (the
// identifier), output (clipboard texts) and support.
//
// Block: "<zavik><bmtext><ident>ID</ident>", "<text>", for "H..." the lines
// "L", "B", "O" and, when present, "D", "P"; then "n\t<line n>" for n = 0..39,
// "</text>", "</bmtext></zavik>"; every line ended by CR LF, at most
// BMTCLIPSUP - 1 characters.
#pragma once

#include <cstdint>

inline constexpr int BMTCLIPSUP = 4000;       // the block's buffer
inline constexpr int BMTCLIPZEILEN = 40;   // numbered text lines
inline constexpr int BMTCLIPLANG = 80;   // longest line the reader takes

// Builds the block of (item, kind code, number) into `puffer` (BMTCLIPSUP
// bytes, zero-filled first). Exposed for the writer's golden tests.
void BmTextBauen(char* puffer, uint32_t id, const char* code, int nr);
// Block of a free text set: identification "a b" (trimmed) and the 40 lines
// of the table (41 bytes each).
void BmTextTabBauen(char* puffer, const char* a, const char* b, const char (*tab)[41]);

// Builds the block and replaces the clipboard's content with it; 0, or -1
// when the clipboard refused it.
int BmTextInClip(uint32_t id, const char* code, int nr);
int BmTextTabInClip(const char* a, const char* b, const char (*tab)[41]);

// Reads the clipboard's text and calls fn(key, value, benutzer) for each
// keyed line (key and value trimmed); see BmTextLesen.
typedef void (*BMTEXTFN)(const char* schluessel, const char* wert, void* benutzer);
void BmTextAusClip(BMTEXTFN fn, void* benutzer);
// The reader over a text: nothing unless the first line (up to the first CR,
// 1..80 characters) holds "zavik" and "bmtext" ignoring case; then line by
// line until an empty line, one over 80 characters or a missing CR. A line
// whose TAB stands after its first character gives (key before, value after).
void BmTextLesen(const char* text, BMTEXTFN fn, void* benutzer);

// The line number of a paste key: the whole key a number 0..39, else -1
// ("12" is line 12; "1a", "40" and "" are no line).
int BmTextZeile(const char* schluessel);
