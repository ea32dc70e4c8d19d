// The evaluation catalogue ("auswertungen.txt" of the program folder), its
// listing rule, the sort code of the option keys and the item filters the
// generators apply. Prefix `Aw`. Calls config (defaults keys, folders),
// support (texts) and equipment (the sort decoding it registers).
//
// The catalogue is read once and kept; the shown names (key "%sName" under
// each entry's prefix) are read again whenever VgbAenderZaehler moved.
// The options of a run live in one record (awoptionen) that the dialog or a
// run without dialog fills before the generator starts; generators read
// only the record.
#pragma once

#include <string>
#include <vector>

inline constexpr int AWKATSUP = 50;
inline constexpr int AWKATZEILE = 250;
inline constexpr int AWNAMESUP = 80;
inline constexpr int AWEINSUP = 5;   // include patterns
inline constexpr int AWAUSSUP = 3;   // exclude patterns
inline constexpr int AWMUSTERSUP = 10;
inline constexpr int AWARTEN = 6;    // standard, potential, terminal, PLC, cable, KNX

struct awkat {
    char name[AWNAMESUP + 1];
    char typ[11];
    char praefix[21];
    char gruppe[21];
    char programm[101];
    char anzeige[AWNAMESUP + 1];
};

// The options of one run; loaded from the defaults by AwOptionenLaden or
// written by the definition dialog before it starts.
struct awoptionen {
    int typ = 0;
    std::string praefix;
    std::string datei;
    std::string extxdat;
    int extxwie = 0;
    int arten[AWARTEN] = {1, 1, 1, 1, 1, 1};
    std::string ein[AWEINSUP];
    std::string aus[AWAUSSUP];
    int alle = 0;   // an include pattern "*"
    int mark = 0;   // 1: "!" included, 2: "!" excluded
    int sortiert = 100;
    int feld = 0;
    std::string bauwerk, objekt;
    int extatt = 0;
    int auf1sei = 0;
    std::string fehler;
    int abstand = 0, knnzei = 0, zusfas = 0, aufloe = 0;
    int a3a4 = 0;
    std::string bauteil;
    int nurMarkiert = 0;
    int nurUnter = 0;  // KNX: only placed sub components (the dialog's choice)
};

// Reads the catalogue of the program folder once; AwKatalogAusDatei reads a
// given file anew (tests, and a program folder that changed).
void AwKatalogLesen();
void AwKatalogAusDatei(const char* pfad);
// 1 and the entry's fields (any buffer may be null; sizes as in awkat), or
// 0 with emptied buffers when the index is above 49 or the entry is empty.
int AwEintrag(int index, char* name, char* typ, char* praefix, char* gruppe, char* programm);
int AwAnzahl();
// The leading decimal number of the entry's type text (0 when none).
int AwTyp(int index);
const char* AwName(int index);
// The shown name into a buffer of AWNAMESUP + 1; 0 none, 1 set, 2 "---".
int AwAnzeigeName(int index, char* puffer);
// The listed lines (shown name or name padded to 80, then the index).
std::vector<std::string> AwListe();
// The text of listed line n as lists show it: its first 80 characters,
// trailing blanks removed ("" past the end).
const char* AwListenText(int n);
// The entry index a listed line stands for (from character 81); -1 none.
int AwListenIndex(const char* zeile);

// The integer of a sort text (primary x 100 + secondary x 10 + order).
int AwSortCode(const char* text);
// The primary (1..8) and secondary (0..8, 0 none) key of a sort code; the
// equipment store's sorted walk asks them (registered at start).
int AwSortModus1(int code);
int AwSortModus2(int code);
// Registers the two with the equipment store (BmlSortHakenSetzen).
void AwSortHakenEintragen();
// The kind flags of a `Typen` text, the patterns and flags of a `bmkenn` text.
void AwArtenSetzen(awoptionen& o, const char* typen);
void AwKennungenSetzen(awoptionen& o, const char* bmkenn);
// The only-marked default of `AWNurMark` for a number of marked drawings.
int AwNurMarkRegel(int wert, int markierte);

// Loads a run's options for an entry's prefix and type from the defaults.
void AwOptionenLaden(awoptionen& o, const char* praefix, int typ);
awoptionen& AwOptionen();

// Item filters on the current options: kind index and shown identifier;
// building, object and external flag.
bool AwFilter(int art, const char* kennung);
bool AwOrtFilter(const char* bauwerk, const char* objekt, int extern_);
