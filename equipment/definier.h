// Equipment definitions: the standard file "BMListe.txt" and the customer
// file "BMKunde.txt" held as raw text with an index of their 'H' lines,
// lookups that parse lines on demand, and edits that rebuild the edit text
// and write the whole file back. Prefix `Def`. Calls the reload rule
// (wache, two-file form), config (paths, file-check counter), support.
//
// Definitions run 0 .. DefAnzahl() - 1; out-of-range numbers give empty
// texts and 0. Text outputs: names, types and short texts take
// DEFNAMESUP + 1 bytes, designations and texts DEFTEXTSUP + 1.
#pragma once

#include <cstddef>

inline constexpr int DEFNAMESUP = 20;   // component name, type, short text
inline constexpr int DEFTEXTSUP = 40;   // designations, texts
inline constexpr int DEFTEXTEANZ = 40;  // texts 1..40 of a header or sub line
inline constexpr int DEFFELDSUP = 50;   // fields of a line

typedef char DEFTEXTE[DEFTEXTEANZ][DEFTEXTSUP + 1];

void DefInit();
void DefFrei();
void DefDateienSetzen();
void DefModusSetzen(int modus);   // 0 both files, 1 standard, 2 customer
int DefModus();
void DefPruefen(int anlegen);
int DefGeneration();
int DefAnzahl();
// The file that edits write (tests, the editor).
const char* DefBearbeitungsPfad();

int DefBauteilVorhanden(const char* bauteil);
int DefTypSuchen(const char* typ);
int DefTypNameSuchen(const char* typ, char* bauteil);
void DefFelderHolen(int n, char* bauteil, char* typ, char* kenn1, char* kenn2, char* kurz, char* t1 = nullptr,
                    char* t2 = nullptr, char* t3 = nullptr, char* t4 = nullptr, char* t5 = nullptr);
int DefZahlHolen(int n);
int DefZahl2Holen(int n);
void DefTexteHolen(int n, DEFTEXTE texte);
void DefZeileSuchen(int n, const char* wort, char* aus, size_t kap);
typedef void (*DEFUNTERFN)(const char* zeile, void* benutzer);
void DefUnterDurchlaufen(int n, DEFUNTERFN fn, void* benutzer);
typedef void (*DEFNRFN)(int n, void* benutzer);
void DefAlleUnterDurchlaufen(const char* bauteil, DEFNRFN fn, void* benutzer, int alle);
// 1 found (count at least 1), 0 none (outputs empty, count 0).
int DefUnterFelder(int n, const char* code, char* bauteil, char* typ, int* anzahl, char* kurz, char* t1 = nullptr,
                   char* t2 = nullptr, char* t3 = nullptr, char* t4 = nullptr, char* t5 = nullptr);
void DefUnterTexteHolen(int n, const char* code, DEFTEXTE texte);

// Header values of DefSchreiben / DefAendern (null texts count as empty).
struct DEFKOPF {
    const char* bauteil;
    const char* typ;
    const char* kenn1;
    const char* kenn2;
    const char* dispo;
    const char* prinzip;
    const char* stueckliste;
    int zahl1;
    int zahl2;
    const char* kurz;
    const char* text[5];
};
// Edits write the edit file at once and reload; -1 when it could not be
// written (the file stays as it was) or n is out of range.
int DefSchreiben(const DEFKOPF* k);   // the new number, or -1
int DefAendern(int n, const DEFKOPF* k);
int DefTexteSetzen(int n, const char* const texte[DEFTEXTEANZ]);
int DefUnterSchreiben(int n, const char* code, const char* bauteil, const char* typ, int anzahl, const char* kurz,
                      const char* const texte[5]);
int DefUnterTexteSetzen(int n, const char* code, const char* const texte[DEFTEXTEANZ]);
int DefUnterLoeschen(int n, const char* code);
int DefLoeschen(int n);
int DefKopieren(int n);   // the new number, or -1
