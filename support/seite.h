// Section text files and record lines. Prefixes `seite` and `StrFelder`.
// Calls the buffered files (bdatei), fileload, memory blocks, texts and the
// comparison ignoring case (vergleich).
//
// A section text file: a 4-character magic line, then sections, each a start
// line ")S name" followed by content lines up to the next line that begins
// with ')' (the next start or the end line ")E"). Names are compared trimmed
// and ignoring case. Lines are read with at most SEITEZEILESUP characters;
// the rest of a longer line is dropped.
//
// The section store is process-wide and holds one loaded file at a time:
//  1. empty: no block, no selection (at start and after seitefrei);
//  2. loaded (seiteladen): block and length, no selection;
//  3. selected (seitewaehlen): additionally a range inside the block, from
//     the line after the start line up to and including the line that ends
//     the section (or the end of the data). seiteladen and seitefrei drop it.
#pragma once

#include <cstddef>

struct BDAT;

// Longest line the section readers take (characters).
inline constexpr int SEITEZEILESUP = 1000;
// Record lines: the fixed part, the separator behind it, the texts after it.
inline constexpr int FELDSPALTEN = 80;
inline constexpr char FELDTRENNER = 0x1C;
inline constexpr int FELDSUP = 20;

typedef void (*SEITENAMEFN)(const char* name);

// Loads the file into the store (a previous block is released first); 0 or -1.
int seiteladen(const char* pfad);
// Releases the store's block; store and selection become empty.
void seitefrei();
// Calls fn (trimmed name) for every section start of the stored file; the count.
int seitenliste(SEITENAMEFN fn);
// Selects the first section whose trimmed name equals `name` ignoring case;
// 0, or -1 when nothing is stored, the name is not found or the range is empty.
int seitewaehlen(const char* name);
// A memory-backed record over the selected range; 0 or -1 (no selection).
int seiteoeffnen(BDAT* d);
// Writes the selected range to a file; 0 or -1 (no selection, write failed).
int seiteschreiben(const char* pfad);
// A new block (ffree) holding the selected range and a terminator; NULL
// when nothing is selected.
char* seitekopie();

// The content lines of section `name` of a text in memory, each ended by LF,
// in a new zero-terminated block (ffree); empty when there is no such section.
char* seiteausspeicher(const char* speicher, long laenge, const char* name);
// Calls fn (trimmed name) for every section start of a text in memory; the count.
int seitenlisteausspeicher(const char* speicher, long laenge, SEITENAMEFN fn);

// Record lines: columns 0..79 the fixed part (blank-padded or cut), column 80
// FELDTRENNER, then up to FELDSUP texts, each followed by TAB.
//
// An unpack target with its capacity in bytes (for targets that are not arrays).
struct StrFeld {
    char* text;
    size_t groesse;
};

// Rewrites `zeile` (capacity `groesse`) as a record line with `anzahl` texts
// (at most FELDSUP, a NULL text ends the list early). A line that does not
// fit is cut at the capacity. Returns the length of the line.
int StrFelderPackenListe(char* zeile, size_t groesse, const char* const* texte, int anzahl);
// Copies the texts behind column 80 into the targets (each cut to its
// capacity; targets beyond the last text get empty texts; a NULL target ends
// the list), then cuts the line at column 80 and strips its trailing white
// space. 1 when the fixed part is not empty, else 0.
int StrFelderEntpackenListe(char* zeile, const StrFeld* ziele, int anzahl);

namespace seite_detail {
inline const char* text(const char* t) { return t; }
inline const char* text(std::nullptr_t) { return nullptr; }
template <size_t N> StrFeld ziel(char (&a)[N]) { return StrFeld{a, N}; }
inline StrFeld ziel(StrFeld f) { return f; }
inline StrFeld ziel(std::nullptr_t) { return StrFeld{nullptr, 0}; }
}  // namespace seite_detail

// StrFelderPacken(zeile, "a", "b", nullptr): the texts as arguments; a
// trailing nullptr may end the list as in the classic form.
template <class... T> int StrFelderPacken(char* zeile, size_t groesse, T... texte)
{
    const char* liste[] = {seite_detail::text(texte)..., nullptr};
    return StrFelderPackenListe(zeile, groesse, liste, static_cast<int>(sizeof...(T)));
}
template <size_t N, class... T> int StrFelderPacken(char (&zeile)[N], T... texte)
{
    const char* liste[] = {seite_detail::text(texte)..., nullptr};
    return StrFelderPackenListe(zeile, N, liste, static_cast<int>(sizeof...(T)));
}
// StrFelderEntpacken(zeile, feld1, feld2, StrFeld{p, n}, nullptr): arrays
// carry their capacity; other targets are passed as StrFeld.
template <class... Z> int StrFelderEntpacken(char* zeile, Z&&... ziele)
{
    const StrFeld liste[] = {seite_detail::ziel(static_cast<Z&&>(ziele))..., StrFeld{nullptr, 0}};
    return StrFelderEntpackenListe(zeile, liste, static_cast<int>(sizeof...(Z)));
}
