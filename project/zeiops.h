// Drawing operations of the project manager: creating a drawing, saving its
// properties (rename, header), renumbering a range, deleting, setting index
// and date, merging short texts and identifiers, and removing the scale.
// Every rename or deletion keeps the equipment data (placed components,
// unassigned placements) and the translated title lines in step; every run
// that changed files ends with DatAenderungMelden and the broadcast of 2998
// with argument 9. The seven dialogs that run them are in zeiopsdlg.cpp,
// the scale removal in zeimst.cpp. Prefixes `Zei`, `Mst`, `Zo` (hooks),
// `Zd` (dialogs). Calls equipment
// (store, Btl, Wse, Fstx, header cache), model (drawing files, walker,
// state), config (paths, defaults, language, texts), winlib (boxes, page
// services), support and platform (renames).
//
// Failures: validation refusals are information boxes with numbered texts
// and change nothing. A run that renames files undoes its renames and
// discards the in-memory equipment lists when a later step fails, so the
// folder and the equipment file stay as they were.
#pragma once

#include <cstddef>

#include "model/zeichnun.h"
#include "platform/windef.h"
#include "project/pvwliste.h"

inline constexpr int ZOFELDSUP = 40;      // characters of a name, field or page field
inline constexpr int ZOVORLAGESUP = 200;  // characters of a template path
inline constexpr int ZODATUMSUP = 20;     // characters of the date field
inline constexpr int ZOZEITSUP = 10;      // characters of the time field

// The boxes and the sibling notice, replaceable for tests; null members get
// the defaults (wiInfo, wiFrage, no notice: the frame installs DdeDateiMelden).
struct ZoHaken {
    void (*info)(const char* text);
    int (*frage)(const char* text);          // 1 yes, 0 no
    void (*dde)(const char* datei, int art);  // DdeDateiMelden
};
void ZoHakenSetzen(const ZoHaken& haken);

// Renames a drawing file and moves its key in the equipment lists (while the
// database is in use) and in the translated title lines. Only when the old
// file exists and the new one does not. 0 renamed, -1 not.
int ZeiDateiUmbenennen(const char* alt, const char* neu);

// ---- new drawing ----------------------------------------------------------
struct ZeiNeuEingabe {
    char name[ZOFELDSUP + 1];
    char feld[ZOFELDSUP + 1];
    char seite[ZOFELDSUP + 1];
    char index[ZEIKURZSUP + 1];
    char titel[5][ZEITITELSUP + 1];
    char bauwerk[ZEIKOPFTEXTSUP + 1];
    char objekt[ZEIKOPFTEXTSUP + 1];
    int format;                      // 0 first button (116), 1 second (117)
    char vorlage[ZOVORLAGESUP + 1];
};
// The dialog's start values: cursor drawing's header taken over (may be
// ""), proposed stem and extension split into field and page, the format
// button from "Eda3a4".
void ZeiNeuVorbereiten(ZeiNeuEingabe* e, const char* cursorName, const char* stamm, const char* ext);
// Create flag 0: the checks (and the length question); 1: the checks
// without the question, then the file. 0 passed / created, -1 refused.
int ZeiAnlegen(const ZeiNeuEingabe* e, int anlegen);
// File name and template of the last drawing created (outputs of
// PVWNAMESUP + 1 and ZOVORLAGESUP + 1 bytes); 1 when one was created
// since the last call, else 0 and empty outputs.
int ZeiNeuPfade(char* pfad, char* vorlage);

// ---- properties -------------------------------------------------------------
struct ZeiEigenEingabe {
    char name[ZOFELDSUP + 1];
    char feld[ZOFELDSUP + 1];
    char seite[ZOFELDSUP + 1];
    char titel[5][ZEITITELSUP + 1];
    char bauwerk[ZEIKOPFTEXTSUP + 1];
    char objekt[ZEIKOPFTEXTSUP + 1];
    int format;                      // 116 or 117
    char index[ZEIKURZSUP + 1];
    int version;                     // shown only
};
// Fills the fields from the drawing's header (title lines translated in a
// language other than 0). 0, or -1 when the header cannot be read.
int ZeiEigenLesen(const char* datei, ZeiEigenEingabe* e);
// Saves under the name the fields give (renaming the file and the keys when
// it changed). 0 saved, -1 refused or failed (nothing changed).
int ZeiEigenSpeichern(const char* datei, const ZeiEigenEingabe* e);
// The copy buffer of the properties dialog (2520 / 2521).
void ZeiEigenKopieren(const ZeiEigenEingabe* e);
void ZeiEigenEinfuegen(ZeiEigenEingabe* e);

// ---- renumbering --------------------------------------------------------------
// The start checks, each failing one with its box; 0 when all passed.
int ZeiUmnrPruefen(const char* nameNeu, const char* von, const char* bis, const char* seiteNeu, const char* feldNeu);
// Renumbers the drawings of the list between von and bis. 0 done, -1 refused
// (a target exists) or failed (nothing renamed).
int ZeiUmnummerieren(const char* von, const char* bis, const char* nameNeu, const char* seiteNeu, const char* feldNeu);
// The shifted page text: the prefix, then the number of ext shifted, with
// zeros after the prefix up to the minimum length.
void ZeiNrVerschieben(char* aus, size_t kap, const char* ext, const char* praefix, int minLaenge, int verschiebung);

// ---- delete, index and date, texts, scale --------------------------------------
// Each works on the marked drawings of the list; 0, or -1 when a step failed
// (reported; see the file comment). Index and texts pass over a drawing
// whose header cannot be read, say so and end with -1.
int ZeiLoeschen();
int ZeiIdxSetzen(const char* index, const char* datum, const char* zeit);

struct ZeiTextEingabe {
    char titel[5][ZEITITELSUP + 1];
    int titelAn[5];
    char bauwerk[ZEIKOPFTEXTSUP + 1];
    char objekt[ZEIKOPFTEXTSUP + 1];
    int bauwerkAn;
    int objektAn;
};
// Start values from the first marked drawing's header.
void ZeiTexteVorbereiten(ZeiTextEingabe* e);
// Mode 1 fill empty, 2 take non-empty, 3 take all; cut to breite. 1 when the
// target changed.
int ZeiTextUebernehmen(char* ziel, const char* quelle, int breite, int modus);
// 1 when the texts were set, 0 when nothing was to do (mode 0 or no check
// box: the dialog stays open), -1 on a failure.
int ZeiTexteSetzen(int modus, const ZeiTextEingabe* e);

// Writes the drawing without scale (components kept as placements with a
// scale around them, or resolved into their elements). 0, or -1.
int MstEntfernen(const char* zeichnung, int aufloesen);
int ZeiMstEntfernen(int aufloesen);

// ---- the dialogs (zeiopsdlg.cpp) ---------------------------------------------------
// Openers called by the project page; each gives the dialog window, or 0.
// New drawing: on closing after a drawing was made, 1801 goes to the main
// window (the page then asks ZeiNeuPfade).
HWND ZeiAnlegenOeffnen(const char* cursorName, const char* stamm, const char* ext);
HWND ZeiEigenOeffnen(const char* datei);
HWND ZeiUmnrOeffnen(const char* cursorName);
HWND ZeiLoeschenOeffnen(int anzahl);
HWND ZeiIdxOeffnen(int anzahl);
HWND ZeiTxtOeffnen(int anzahl);
HWND ZeiMstOeffnen(int anzahl);
