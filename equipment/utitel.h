// Project title texts and the drawing-header cache. Owns the list of title
// records of the project file "Projekt.zvk" ("Projekt<n>.zvk" for language
// n), its reading from the older "UTitel.txt" / "ZavikPro.ini", its writing,
// the page-range lookup, the import merge, and the cache of drawing headers
// keyed by drawing key. Prefixes `Utitel`, `ZeiKopf`. Calls support (files,
// texts), config (paths, language, file-check counter through the reload
// rule of equipment/wache), model (drawing names, headers, the current
// drawing) and equipment/projini.
//
// Invariants:
//  1. The list holds at most UTITELSUP records in the order of
//     UtitelSortieren after every change ("___", "__n" by bytes, then page
//     ranges in drawing order).
//  2. The watch holds the path of the file the list was last loaded from or
//     written to: the project file, or an old file while the project is
//     still in the old format (no project file is created beside old files;
//     the first write converts).
//  3. The header cache is sorted by drawing key in natural order, one entry
//     per key.
#pragma once

#include <cstddef>

#include "model/zeichnun.h"

inline constexpr int UTITELSUP = 200;    // records of the list
inline constexpr int UTKENNSUP = 20;     // key
inline constexpr int UTTEXTSUP = 40;     // every text field
inline constexpr int UTTEXTE = 20;       // texts 1..20

// One title record; the file's field order.
struct projekttext {
    char kenn[UTKENNSUP + 1];
    char titel[UTTEXTSUP + 1];
    char anlage[UTTEXTSUP + 1];           // second text
    char ort[UTTEXTSUP + 1];              // third text
    char text[UTTEXTE][UTTEXTSUP + 1];
    char gruppe[2][UTTEXTSUP + 1];        // group texts 1 and 2
};

void UtitelInit();
void UtitelFrei();
// Project change: the list is emptied (not loaded) and the current drawing's
// copy of the title texts refreshed.
void UtitelNeuLaden();
// The project file's path; with `sprache` set and a language chosen, the
// language's own file.
void UtitelDateiName(char* puffer, size_t groesse, int sprache);
// Makes the list current; `anlegen` 1 creates an empty project file first
// when the list must be read and no project file or old file exists.
void UtitelPruefen(int anlegen);
void UtitelLaden();
// 0, or -1 when the file could not be written (nothing on disk changed, the
// list stays as it is and changed).
int UtitelSchreiben();
// Creates an empty project file when neither it nor an old file exists;
// 0, 1 when one exists, -1 when it cannot be created.
int UtitelAnlegen();
// 0 discards, else writes when changed; the write's result.
int UtitelBeenden(int schreiben);
int UtitelStand();
int UtitelGeaendert();

void UtitelProjektText(projekttext* t);
void UtitelLeerText(projekttext* t);
void UtitelNrText(int n, projekttext* t);
void UtitelPfadText(const char* zeichnung, projekttext* t);
void UtitelBereicheDurchlaufen(void (*rueckruf)(const projekttext* t, void* benutzer), void* benutzer);
// 1 when the n-th page range (from 0) exists; else 0 and `t` unchanged.
int UtitelBereichHolen(int n, projekttext* t);
int UtitelBereichNr(const char* kenn);
int UtitelBereichAnzahl();
// Setters: 0, or -1 when the list is full (nothing changed).
int UtitelProjektSetzen(const projekttext* t);
int UtitelNrSetzen(int n, const projekttext* t);
int UtitelBereichSetzen(const projekttext* t);
void UtitelBereichLoeschen(int n);

// Title, second and third text of the record "___" of another project's
// file (each UTTEXTSUP + 1 bytes); 1 when the file could be opened, else 0.
int UtitelFremdLesen(const char* pfad, char* titel, char* anlage, char* ort);
const char* UtitelImportMerken();
int UtitelImportVorhanden();
// Record mode 0: merge matching page ranges; 1: also append the others;
// text mode 1 fill empty texts, 2 take non-empty source texts, 3 take all.
// 0, or -1 when no source is remembered or it cannot be read.
int UtitelImportieren(int satzmodus, int textmodus);

// Reads a project file: records go to the callback (or nothing when null);
// 0, or -1 when it cannot be opened.
int UtitelDateiLesen(const char* pfad, void (*rueckruf)(const projekttext* t, void* benutzer), void* benutzer);

// ---- drawing-header cache --------------------------------------------------
void ZeiKopfInit();
void ZeiKopfFrei();
void ZeiKopfCacheLeeren();
void ZeiKopfEintragen(const char* kenn, const ZeiKopf* kopf);
void ZeiKopfMerken(const char* zeichnung, const ZeiKopf* kopf);
// Texts 10 and 11 (each ZEIKOPFTEXTSUP + 1 bytes) / the whole header of the
// drawing with that key; a miss reads the drawing beside the current one.
void ZeiKopfGruppenTexte(const char* kenn, char* text10, char* text11);
void ZeiKopfHolen(const char* kenn, ZeiKopf* kopf);
void ZeiKopfGruppenTexteDatei(const char* zeichnung, char* text10, char* text11);
int ZeiKopfAnzahl();
