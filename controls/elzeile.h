// Record lists: an array of fixed-size records bound to a list display of
// the current dialog, with the editing commands 2550-2557, one-line-per-
// record text files, tab-separated clipboard lines and searches; and the
// owner-draw painter for list boxes whose items are equipment-list rows of
// one or more lines (with stripes). Prefix `Elz`. Lists are found by
// (current dialog, control id).
// May call: platform/, support/, config/, equipment/nhuliste.h,
// winlib/, controls/lisanzeige.h, controls/elseite.h (item markup and
// painting, font metrics, headings, clipboard lines).
#pragma once

#include "controls/lisanzeige.h"
#include "platform/windef.h"
#include "support/struarr.h"

inline constexpr int ELZSUP = 40;           // live record lists
inline constexpr int ELZZEILESUP = 2000;    // characters of a line (file, clipboard)
inline constexpr int TXTSUP = 1000000;      // clipboard buffer
inline constexpr int ELZKOPIESUP = 998000;  // a copy adds no line once this much is used
inline constexpr int ELZTIPPSUP = 20;       // characters of the type-ahead text

// Fields of a formatted line are separated by FS (0x1C); GS (0x1D) or RS
// (0x1E) end the part the default painter shows.
using ElzLeseFn = int (*)(void* satz, const char* zeile);  // 1 read, 0 stop (paste), else skip
using ElzFormatFn = void (*)(const void* satz, char* zeile, int groesse);
using ElzNeuFn = void (*)(void* satz);                     // gets a copy of the cursor record
using ElzKopfFn = int (*)(int index, char* text);          // column or -1; text: 256 bytes
using ElzTextFn = const char* (*)(int index);

void ElzAnlegen(int id, int groesse, ElzLeseFn lesen, ElzFormatFn format, ElzNeuFn neu);
void ElzAufbauen(int id, ElzKopfFn kopf, LisHoeheFn hoehe, LisMalFn malen, LisEreignisFn ereignis);
void ElzFreigeben(int id);
int ElzVorhanden(int id);
int ElzGeaendert(int id);
void ElzGeaendertSetzen(int id, int flag);
int ElzAnzahl(int id);
void ElzNeuAnzeigen(int id);
void* ElzSatz(int id, int i);
SARR* ElzSaetze(int id);
void ElzLoeschen(int id);
void ElzAnhaengen(int id, const void* satz);
void ElzLaden(int id, const char* pfad);
int ElzSpeichern(int id, const char* pfad);
int ElzSuchen(int id, const char* text, int weiter, int versatz, int laenge);
int ElzBuchstabe(int id, int zeichen);
int ElzWeiterSuchen(int id, int zeile, const char* text);
void ElzBefehl(int id, int befehl);
// puffer holds at least ELZTIPPSUP + 1 bytes.
int ElzTippSuche(UINT nachricht, WPARAM taste, int befehl, int feld, char* puffer);
int ElzListBoxSuchen(int id, const char* text);
void ElzListenStil(int zebra, int pfad);
int ElzPfadModus();
void ElzAuswahlFarbe(int r, int g, int b);
int ElzZeilenProFenster(int id);
// Receivers for the workstation style of the configuration layer (its
// hooks listenFarben, zebra and pfadModus): the list display colours, the
// marking colour of owner-drawn boxes and the selection colour of record
// rows take the marked colour; stripes and path mode go to ElzListenStil.
void ElzFarbenEmpfangen(COLORREF cursor, COLORREF markiert, COLORREF kopf);
void ElzZebraEmpfangen(int zebra);
void ElzPfadEmpfangen(int pfad);

// WM_MEASUREITEM / WM_DRAWITEM of list or combo box `steuerId`; 0 when the
// message is not for list `id`.
int ElzOwnerDraw(int id, ElzTextFn text, UINT nachricht, int steuerId, LPARAM daten);
