// The application's own ini file: its path, its migration from older
// versions at start, and the private-profile access every module uses.
// Prefix `Ini`/`Profil` (the system's names). Calls platform/profil, orte,
// dateisys and the window-system interface (konfhaken) for the window
// library's ini file.
//
// The path is "<application-data folder>/Velmo-11.ini", fixed on first use.
#pragma once

#include <cstddef>

inline constexpr const char* INIDATEINAME = "Velmo-11.ini";

void IniPfadBilden();
void IniPfadSetzen(const char* pfad);
// Fixes the path and hands it to the window library as its ini file.
void IniFuerFenster();
// Copy of the path, cut to the buffer.
void IniPfad(char* puffer, size_t groesse);
const char* IniPfadZeiger();
// Migration at start. `datenOrdner` is the shipped-data folder (directory
// kind 0 is not set yet when this runs). Passes: "Velmo-10.ini", then
// "Zavik10.ini" from the ini folder, stopping when the ini file exists; then
// "Velmo-11.ini" from the shipped-data folder. Returns the pass that made the
// file (0, 1, 2), 3 when it existed before, -1 when none did.
int IniUebernehmen(const char* datenOrdner);

// Write a text or a number ("%d"); 0 when written, -1 when not.
int ProfilSchreiben(const char* section, const char* key, const char* wert);
int ProfilZahlSchreiben(const char* section, const char* key, int zahl);
// At most n characters into the buffer (which holds n + 1); empty when
// absent. Returns the length.
int ProfilLesen(const char* section, const char* key, char* puffer, int n);
// At most 20 characters, decimal; 0 when absent.
int ProfilZahlLesen(const char* section, const char* key);

template <size_t N> void IniPfad(char (&puffer)[N]) { IniPfad(puffer, N); }
