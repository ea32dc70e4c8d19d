// Binding of the GNU Aspell speller, loaded at run time: loading, the
// configuration, check and suggest, the personal word list, stored
// replacements, saving the speller's word lists. Prefix `Asp`. Owns the
// library handle, the 18 resolved functions, the configuration and speller
// objects, the settings of the next start and the running suggestion
// enumeration. Calls the C library's dynamic loader, the file-system
// boundary of platform/ (library paths) and the trace hook.
//
// States: not started -> started (AspStart 0: library loaded, every entry
// resolved, speller made) -> not started (AspEnde). A failed start leaves
// nothing loaded. While not started the calls do nothing (AspPruefen 0,
// AspVorschlag 0).
//
// Start errors: -1 the library was not loaded, -10..-27 the first missing
// function in the order of the table in aspbind.cpp, -2 the speller could
// not be made (its message goes to the trace).
#pragma once

#include <cstddef>

inline constexpr int ASPPFADSUP = 200;   // personal and replacement list paths
inline constexpr int ASPSPRACHESUP = 15;  // language code ("de_DE", "de_CH")
inline constexpr int ASPWORTSUP = 255;   // remembered word for suggestions

// The built-in library: the speller's shared library by its versioned name,
// found through the dynamic loader's search path. Returns the buffer.
char* AspStandardPfad(char* puffer, size_t groesse);

// Settings used by the next start; an empty text means "not set".
void AspSprache(const char* code);
void AspPersoenlich(const char* pfad);
void AspErsatzDatei(const char* pfad);

// Loads the library (empty path: the built-in one; a name without a
// separator is searched by the loader, a path goes through the file-system
// boundary) and makes the speller; 0 or a negative start error. A started
// speller is ended first.
int AspStart(const char* bibliothek);
void AspEnde();
bool AspGestartet();

// Non-zero when the speller accepts the word. The word is remembered for
// AspVorschlag; a running suggestion enumeration is dropped.
int AspPruefen(const char* wort);
// 1 and the next suggestion for the remembered word (cut to the capacity),
// or 0 and an empty buffer when there is none left.
int AspVorschlag(char* puffer, size_t groesse);
// Adds the word to the personal list; 0 or -1.
int AspLernen(const char* wort);
// Stores the correction of a misspelled word; 0 or -1.
int AspErsatzMerken(const char* falsch, const char* richtig);
// Saves the personal and replacement lists; 0 or -1.
int AspSpeichern();

// For tests: the function that resolves a name in the loaded library (NULL:
// the loader's own). Returns the previous one.
using AspSymbolSuche = void* (*)(void* bibliothek, const char* name);
AspSymbolSuche AspSymbolSucheSetzen(AspSymbolSuche suche);

template <size_t N> char* AspStandardPfad(char (&puffer)[N]) { return AspStandardPfad(puffer, N); }
template <size_t N> int AspVorschlag(char (&puffer)[N]) { return AspVorschlag(puffer, N); }
