// List display: one ORVADISP control of the current dialog turned into a
// scrolling list of rows of variable height (in half-lines) with a cursor
// row, marked rows, a scroll bar (display id + 1), an in-place ORVAEDIT
// field (+ 2) and a heading strip (+ 3). The dialog owns the data; the list
// owns positions, cursor, marks and scroll state, asks the dialog through
// callbacks for row heights and row paintings, and reports input as events
// 1..17 (LisNachricht). Painting goes out as display-list command texts.
// Prefix `Lis`. Lists are found by (current dialog, display id).
// May call: platform/, support/, config/, winlib/, controls/ctlkern.h.
#pragma once

#include <cstdint>

#include "platform/windef.h"

inline constexpr int LISSUP = 50;          // live lists
inline constexpr int LISPOSSUP = 20000;    // rows of one list
inline constexpr int LISARTENSUP = 43;     // column-kind letters
inline constexpr int LISZELLESUP = 400;    // cell text of in-place editing (buffer bytes)
inline constexpr int LISEDITTEXTSUP = 200; // characters read back from the edit field

// Events given to the event callback (second argument: a row).
enum {
    LISCURSOR = 1,      // cursor moved by key, click, drag or in-place navigation
    LISAKTIV = 2,       // Enter, double click
    LISKONTEXT = 3,     // Applications key, right click on a row
    LISANZAHL = 4,      // LisAnzahlSetzen left a valid cursor
    LISEINFG = 5,       // Insert
    LISENTF = 6,        // Delete
    LISKOPIE = 7,       // copy key
    LISEINSETZEN = 8,   // paste key, Shift-Insert
    LISAUSSCHN = 9,     // cut key
    LISAKTGESETZT = 10, // LisAktSetzen moved the cursor
    LISLEER = 11,       // Space, plain click on the cursor row
    LISEDITAUF = 12,    // in-place field opened
    LISEDITZU = 13,     // in-place field closed
    LISMARKEN = 14,     // marks or view may have changed
    LISUNTEN = 15,      // right click below the last row
    LISLINKS = 16,      // left arrow
    LISRECHTS = 17,     // right arrow
};

struct pos {
    int32_t nr;        // row number, equal to its index
    int32_t hoehe;     // half-lines
    uint8_t markiert;  // marked flag
};

using LisHoeheFn = int (*)(int zeile);                  // half-lines of a row
using LisMalFn = void (*)(int zeile);                   // paints one row
using LisMal2Fn = void (*)(int id, int zeile);          // the same with the display id
using LisEreignisFn = int (*)(int ereignis, int zeile); // result unused
// Supplies a cell for editing: start column, width in columns (0: no cell)
// and the text (ESC commands each ended by TAB, then the value) into a
// buffer of `groesse` bytes.
using LisZelleTextFn = void (*)(int zeile, int spalte, int* start, int* breite, char* text, int groesse);
using LisZelleSpeichernFn = void (*)(int zeile, int spalte, const char* text);

// ---- Lifecycle and modes --------------------------------------------------------------
void LisAnlegen(int id, LisHoeheFn hoehe, LisMalFn malen, LisEreignisFn ereignis);
void LisFreigeben(int id);
void LisKlickMarkieren(int id);
void LisEinzelwahl(int id);
void LisMalen2(int id, LisMal2Fn malen);
void LisBefehle(int id, int cursorBefehl, int aktivBefehl, int kontextBefehl);
void LisZiehBefehl(int id, int befehl);
void LisOhneCursorFarbe(int id);
void LisOhneFokus(int id);
void LisOhneRollbalken(int id);
void LisZeichenMeldung(int id, int befehl);
void LisSpaltenArten(int id, const char* arten);
// 1 when the current dialog has a list of that display id.
int LisVorhanden(int id);

// ---- Rows, cursor, marks ------------------------------------------------------------------
void LisAnzahlSetzen(int id, int n);
int LisAnzahl(int id);
void LisNeuAufbauen(int id);
void LisGroesseNeu(int id);
void LisAktSetzen(int id, int zeile);
int LisAkt(int id);
int LisErsteSichtbare(int id);
// The paint pass under way (each has its own number), 0 outside one: a
// row painter reads a setting once for the rows of one pass.
int LisMalDurchgang();
int LisAnkerOderAkt(int id);
int LisIstMarkiert(int id, int zeile);
int LisMarkiertAnzahl(int id);
void LisAlleMarkieren(int id);
void LisMarkierungAufheben(int id);
// textFn(row, out text of at least 256 bytes).
int LisBuchstabeSuchen(int id, int buchstabe, void (*textFn)(int zeile, char* text));
int LisSpaltenRest(int id);
int LisOben(int id);     // first visible half-line (tests, dialogs)
int LisSeite(int id);    // visible half-lines
void LisUeberschrift(int id, int spalte, const char* text);
void LisZelleBelegen(int id, int anderesId, int zeile, int spalte, int halbzeilen, int breite);

// ---- Current dialog -------------------------------------------------------------------------
void LisDlgStil(int flag);
// Ids end at the first one outside 1000..5999.
void LisStilIds(int flag, ...);
void LisDlgSchrift(const char* text);

// ---- Drawing operations for paint callbacks (row-relative) ---------------------------------
void LisFarbe(int r, int g, int b);
void LisSchrift(int n);
void LisText(int spalte, int zeile, const char* text);
void LisTextRechts(int spalte, int zeile, const char* text);
void LisBild(int spalte, int zeile, const char* name);
void LisHintergrund(int spalte);
void LisLinie(int spalte1, int spalte2, int zeile, int ort, int dick);
void LisLinieMitte(int spalte1, int spalte2, int zeile, int dick);
void LisZelleFuellen(int spalte1, int spalte2, int zeile1, int zeile2, int r, int g, int b);
void LisViertelBalken(int basis, int von, int bis, int zeile);
void LisViertelStrich(int basis, int bei, int zeile);
void LisViertelSenkrecht(int basis, int bei, int zeile1, int zeile2, int dick);
void LisViertelFuellen(int basis, int von, int bis, int zeile1, int zeile2);

// Colours shared by all lists: cursor, marked, heading.
void LisFarbenSetzen(int cr, int cg, int cb, int mr, int mg, int mb, int kr, int kg, int kb);
// The same from three COLORREFs (the receiver of the workstation style).
void LisFarbenEmpfangen(COLORREF cursor, COLORREF markiert, COLORREF kopf);
COLORREF LisCursorFarbe();
COLORREF LisMarkFarbe();
COLORREF LisKopfFarbe();

// ---- In-place editing ------------------------------------------------------------------------
void LisEditStart(int id, int zeile, int spalte, int spalten, LisZelleTextFn text, LisZelleSpeichernFn speichern);
void LisEditEnde(int id);
int LisEditAbbruch(int id);
int LisEditFokus(int id);
int LisEditSpalte(int id);

// ---- Input --------------------------------------------------------------------------------------
void LisNachricht(int id, UINT nachricht, WPARAM wp, LPARAM lp);
int LisKlickHolen(int id, int* x, int* y);
int LisKlickZelle(int id, int* spalte, int* zeile);
int LisZiehStopp(int id, int* x, int* y);
