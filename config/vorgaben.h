// Defaults sets: the store of one set file (*.vgb) of keys and values, the
// project-first lookup of sets by name, per-workstation "AP-" keys in the
// ini file, the replacement set "Ersatz" and the numbered-key fallback, and
// the listing of all sets. Prefix `Vgb`. Calls config (ini file, directory
// kinds, numbered texts, window-system interface for the warning box),
// support and the file-system boundary.
//
// Store: VORSUP entries, allocated on the first open and kept (cleared on
// the last close) for the program's life; entry 0 is the marker "__INI___"/"__TXT___" and carries the value of
// the last "AP-" key read; at most VORSUP - 1 entries are in use (further
// entry lines of a set file are not kept, and a rewrite leaves them out).
// A set file that could not be read to its end is never rewritten. A
// rewrite keeps the file's comment and empty lines in place.
//
// A lookup while no reader holds the store open loads the current set for
// that one lookup. Keys missed in a set file that cannot be found are not
// reported one by one: they are counted and one message names the set and
// their number when the message loop is idle again (VgbFehlendeMelden).
//
// Sets are looked up in the project folder, upward from it, in the
// workstation sets folder, in the application-data folder and in the
// program folder. The program folder is only read: a changed set found
// there is written to the application-data folder.
#pragma once

#include <cstddef>

inline constexpr int VORSUP = 3000;
inline constexpr int VGBSCHLUESSELSUP = 12;
inline constexpr int VGBWERTSUP = 100;
inline constexpr int VGBZEILESUP = 200;
inline constexpr int VGBERSATZSUP = 32000;
inline constexpr int VGBPRAEFIXSUP = 15;
inline constexpr int VGBANZEIGESUP = 80;

struct vorgabe {
    char schluessel[21];
    char wert[101];
};

int VgbOeffnen();
void VgbSchliessen();
// 0 written or nothing to write; -1 with a message naming the file when
// the set could not be written (the old file, the changed flag and the
// write counter stay) or when it was not read to its end. A set of the
// program folder is written to the application-data folder, which becomes
// the current set's path.
int VgbSchreiben();
int VgbSuchen(const char* schluessel);
// The one message for the keys missed in a set that could not be found,
// when any were missed since the last one (a timer calls it; tests too).
void VgbFehlendeMelden();
int VgbInt(const char* schluessel);
double VgbZehntel(const char* schluessel);
double VgbDouble(const char* schluessel);
// At most 40 characters into a buffer of at least 41; the index, or -1 and
// an empty buffer when missing.
int VgbText40(const char* schluessel, char* puffer);
// At most n characters into a buffer of n + 1; empty when missing.
int VgbText(const char* schluessel, char* puffer, int n);
const char* VgbZeiger(const char* schluessel);
void VgbSetzen(const char* schluessel, const char* wert);
const char* VgbPraefix(const char* praefix);
void VgbFehlMeldung(int ein);
int VgbSchreibZaehler();
// Moves whenever another set is chosen or the set is written: who keeps
// values read from the set compares it with the value seen at the load.
int VgbAenderZaehler();
// The store's entry count and entry i (tests, the settings page).
int VgbAnzahl();
const vorgabe* VgbEintrag(int i);

void VgbSetName(char* puffer, size_t groesse);
void VgbSetPfad(char* puffer, size_t groesse);
const char* VgbSetNameZeiger();
const char* VgbSetPfadZeiger();
// Lookup of N.vgb (project folder, upward search, sets folder,
// application-data folder, program folder); 0 found, -1 not; the path (last
// tried when not found) in puffer.
int VgbSetSuchen(const char* name, char* puffer, size_t groesse);
// Makes the set current; when it is not found, "Standard" is looked up in
// its place (the name stays the requested one) and the result is -1.
int VgbSetWaehlen(const char* name);
void VgbSetNeuSuchen();
void VgbGruppenDatei(const char* pfad);
void VgbSetSetzen(const char* name, const char* pfad);
void VgbStart();
void VgbKommandozeile();
void VgbGruppeKodiert(char* puffer, size_t groesse);
// In place: blank -> "~_", '~' -> "~~" (cut at the capacity); and back.
void VgbKodieren(char* text, size_t groesse);
void VgbDekodieren(char* text);

// One call per set file: its path ('/') and its display text, exactly
// VGBANZEIGESUP columns (the "Name" value, a blank and the folder's caption,
// cut or padded). The chooser's row is the display text followed by the path.
using VgbSetRueckruf = void (*)(const char* pfad, const char* anzeige, void* benutzer);
void VgbSetsAuflisten(VgbSetRueckruf rueckruf, void* benutzer);
