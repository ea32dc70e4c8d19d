// Numbered texts of the string table, language and norm selection, the
// test options of the command line, imin/imax. Prefix none (the system's
// names). Calls config (text ring, defaults store, directory kinds,
// window-system interface), support and platform (resources, argument words).
//
// Texts come from the program's module ("velmo"); TextNr n + 1000 and
// n + 3000 are the two further ranges.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

inline constexpr int TEXTLAENGE = 500;

const char* TextLaden(int n);
void TextLadenIn(int n, char* puffer, size_t groesse);
const char* TextNr(int n);
void TextNrKopie(int n, char* puffer, size_t groesse);
const char* TextNr1000(int n);
void TextNr1000Kopie(int n, char* puffer, size_t groesse);
const char* TextNr3000(int n);
void TextNr3000Kopie(int n, char* puffer, size_t groesse);
void TextRingFrei();

// Language: explicit number (-1 until set), defaults language "SprPrj".
int SprNummer();
void SprSetzen(int n);
void SprOption();
void SprLaden();
void SprNameLaden();

// "Sprache.txt", the language names: a line "n name" each. The user's copy
// in the application-data folder (the "Sprachen" dialog writes it) stands
// before the program folder's. Every reader of the file goes through here.
inline constexpr int SPRZEILENSUP = 10;  // lines read
inline constexpr int SPRZEILESUP = 78;   // characters of a line (the rest is dropped)
struct SprZeile {
    std::string text;  // the line, cut to SPRZEILESUP, line end removed
    int nummer = 0;    // its leading number (atoi)
    std::string name;  // the line from its third character
};
// The first SPRZEILENSUP lines, line i of the file at index i. 0 read; -1
// no file; -2 read short (no lines given: half a list is not taken).
// `pfad` (may be null) gets the file read or tried.
int SprDateiLesen(std::vector<SprZeile>* zeilen, std::string* pfad);
// The user's copy, where the names are saved.
std::string SprDateiEigen();
void SprName(char* puffer, size_t groesse);
void SprTitel();
void SprTextDatei(char* puffer, size_t groesse, int art);
void SprTextDateiNr(char* puffer, size_t groesse, int sprache, int art);
int SprTextDateiArt(const char* pfad);
void SprMuster(char* puffer, size_t groesse);
// For a command of code '$' whose text names a language text file: the
// text becomes the language-0 name (the character at the '?' position of
// "SprTD", counted in the file-name part, becomes '0'; a '.' there gets a
// "0" before it); 1. Else 0, nothing changed.
int SprTextNeutral(int code, char* text, size_t groesse);
// The same for the language rename of a component library: 1 only when the
// text changed (a name that already is the language-0 name counts 0), so
// the caller can count the commands it rewrote.
int SprDateiUmbenennen(int code, char* text, size_t groesse);

inline constexpr int BMNORMNAMESUP = 20;
int BMNorm();
void BMNormSetzen(int n);
void BMNormName(int n, char* puffer, size_t groesse);
void BMNormOption();
void BMNormLaden();

inline constexpr int TESTOPTIONSUP = 10;
void TestOptionLesen();
int TestOption(int buchstabe);

int imin(int a, int b);
int imax(int a, int b);

// Tests: the language and norm state back to its start.
void SprZuruecksetzen();
