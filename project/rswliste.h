// The spell checker's own word lists, kept beside the speller's: the
// replacement list (word and the replacement the user chose) and the ignore
// list (words to pass over, empty value). Prefix `Rsw`. Owns both lists, the
// folder of their files "ersetzen.spell" and "ignorieren.spell", and the
// packed record buffer `RswListe`. Calls the support library (buffered
// files, memory blocks, texts, paths) and the assertion and trace hooks.
//
// A list is one zero-filled block of VARLANG bytes holding records without
// gaps: length byte ln, the word, 0, a 32-bit value length lw in machine
// order (unaligned), the value, 0 -- ln + lw + 7 bytes. Words compare
// exactly (case counts). Setting a pair moves it to the end, so the files
// keep the order of last change; loading appends without searching, so of
// a word read twice the first record is found.
//
// A pair that does not fit the block, a word over 255 characters, or a
// text the line format could not give back (a line end anywhere, a TAB in
// the word) is refused with -1 and a trace line; the list stays as it was.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int VARLANG = 60000;      // bytes of one list
inline constexpr int RSWWORTSUP = 255;     // longest word (the length byte)
inline constexpr int RSWZEILESUP = 200;    // longest line read from a list file

struct RswListe {
    char* puffer;    // VARLANG bytes, NULL while the list is not set up
    int32_t anzahl;  // records
    int32_t gesamt;  // bytes used
};

// List primitives.
int RswInit(RswListe* liste);  // 0; a refused block ends through wiAssert
void RswFrei(RswListe* liste);
// Replaces the word's record (moved to the end); 0 or -1 (list unchanged).
int RswSetzen(RswListe* liste, const char* wort, const char* wert);
// Appends without searching; 0 or -1 (list unchanged).
int RswAnhaengen(RswListe* liste, const char* wort, const char* wert);
// Removes the word's first record; 1 when there was one, else 0.
int RswLoeschen(RswListe* liste, const char* wort);
// 1 and the value (cut to the capacity), or 0 and an empty buffer.
int RswSuchen(const RswListe* liste, const char* wort, char* puffer, size_t groesse);
// Writes "word\tvalue" lines with LF ends through a temporary file renamed
// over the old one; 0, or -1 when the file could not be created or written.
int RswSchreiben(const char* datei, const RswListe* liste);
// Appends the file's lines (at most RSWZEILESUP characters each; the word is
// the text up to the first TAB, the value the rest); 0, -1 when the file
// cannot be opened, -2 when it was read short (the list as it was before).
// Empty lines and lines that do not fit are skipped.
int RswLesen(const char* datei, RswListe* liste);

// The two lists of the program.
void RswPfad(const char* ordner);  // folder of the list files; a separator is appended
void RswOeffnen();                 // creates and reads both lists (nothing while open)
// 2 and the replacement, 1 when ignored, else 0 and an empty buffer.
int RswNachsehen(const char* wort, char* puffer, size_t groesse);
// Sets the pair in the replacement list and drops the word from the ignore
// list; 0, or -1 when refused or the lists are not open (nothing changed).
int RswErsatz(const char* wort, const char* ersatz);
// Sets the word in the ignore list and drops it from the replacement list;
// 0 or -1 as above.
int RswIgnorieren(const char* wort);
// Writes both files and frees the lists (nothing when not open); 0, or -1
// when a file could not be written (a trace line names it) or was read short
// when opened (it is then left as it is).
int RswSchliessen();

template <size_t N> int RswSuchen(const RswListe* liste, const char* wort, char (&puffer)[N])
{
    return RswSuchen(liste, wort, puffer, N);
}
template <size_t N> int RswNachsehen(const char* wort, char (&puffer)[N]) { return RswNachsehen(wort, puffer, N); }
