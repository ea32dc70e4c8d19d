// PLC information of the project: the file "SPSINFO.ZVK" of address
// records with ten texts each (reader, writer, the store with its cached
// path), the two text files generated from it by the templates
// "SPSTxtFmt0"/"SPSTxtFmt1", the list dialog "SPSInfoListe" and the
// single-record dialog "SPSInfoEinz". Prefix `Sps`. Calls config (defaults,
// paths, texts), support (buffered files, record arrays), controls (the
// record list), winlib (dialogs, boxes) and the external text editor of
// the editor dialogs.
#pragma once

#include <string>
#include <vector>

inline constexpr int SPSFELDSUP = 80;    // characters of the key and of each text
inline constexpr int SPSTEXTANZ = 10;
inline constexpr int SPSZEILESUP = 1000; // characters of a line read
inline constexpr int SPSFMTSUP = 80;     // characters of a template
inline constexpr int SPSTXTZEILEN = 20;  // lines of one record in a text file

// 891 bytes: the record of the list and of the file.
struct spsinfo {
    char schluessel[SPSFELDSUP + 1];
    char text[SPSTEXTANZ][SPSFELDSUP + 1];
};
static_assert(sizeof(spsinfo) == 891);

// Reads the file unless it is the path read last (ignoring case); a new
// path empties the store first. 0, or -1 when the file could not be opened
// (the store is empty then) or was read short (said, the store stays empty
// and SpsInfoSchreiben refuses until a later read is whole).
int SpsInfoLesen(const char* pfad);
// Writes the store to the path read last; 0, or -1 (the old file stays).
int SpsInfoSchreiben();
const char* SpsInfoDatei();
int SpsInfoAnzahl();
// Record i, or an empty record and 0 when out of range; 1 found.
int SpsInfoSatz(int i, spsinfo* s);
std::vector<spsinfo>& SpsInfoSpeicher();
// Forgets the path read last and empties the store.
void SpsInfoVergessen();

// The record callbacks: parse a file line (1), format it, and a new record.
int SpsSatzZerlegen(void* satz, const char* zeile);
// A key may not begin with ')' (the reader skips such lines and ")E" ends
// the section).
bool SpsSchluesselErlaubt(const char* schluessel);
void SpsSatzZeile(const void* satz, char* zeile, int groesse);
void SpsSatzNeu(void* satz);

// Prepares a template: bars become line breaks and the first of each
// capital letter A..T gets a byte 16 in front (within 80 characters).
std::string SpsVorlageVorbereiten(const char* vorlage);
// The lines a record gives by a prepared template (empty, trimmed lines
// dropped; at most 20); format 1 indents the lines after the first.
std::vector<std::string> SpsSatzTexte(const spsinfo& s, const std::string& vorlage, int format, int einzug);
// Writes the text files named by "SPSTxtDat0"/"SPSTxtDat1" from the store;
// 0, or -1 when one could not be written (said so).
int SpsTexteErzeugen();

void SpsInfoOeffnen();
void SpsTextDateiZeigen(int n);
