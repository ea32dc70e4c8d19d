// Dialog items: short operations on the controls of the current dialog
// (wiDlgFenster), addressed by control id: texts and numbers, buttons, list
// and combo boxes, edit notifications and the clipboard for text; plus the
// text functions behind them (number texts, list searches). Prefix `wi`.
// Operations marked "with font" first give the control the frame's dialog
// font. May call platform/, support/, the dialog manager and the frame record.
#pragma once

#include "platform/windef.h"
#include "support/datum.h"

inline constexpr int WITEXTRINGSUP = 5;      // buffers of wiTextRing
inline constexpr int WITEXTRINGLAENGE = 80;  // characters each

// ---- Text functions -------------------------------------------------------------------
// Removes a '-' that precedes no digit 1..9 ("-0.0" -> "0.0"); in place.
char* wiMinusNullWeg(char* text);
// "%.<n>f" of the value without a sign before zero, into buf (size bytes).
char* wiDezText(char* puffer, int groesse, int stellen, double wert);
// The list search over texts: entries and the selected index (-1 none).
// Result: the index found, or -1 when entries were examined and none
// matched (*gewaehlt = -1), or the selection again when there was nothing to
// examine. `*untersucht` (may be null) says whether entries were examined.
int wiListeSuchenIn(const char* const* eintraege, int anzahl, int auswahl, const char* text, int abAuswahl,
                    int schnitt, int breite, int* untersucht);

// ---- Texts and numbers -------------------------------------------------------------------
void wiTextSetzenRoh(int id, const char* text);
void wiTextSetzen(int id, const char* text);
void wiTextSetzenIn(HWND fenster, int id, const char* text);
void wiTextDruck(int id, const char* format, ...) __attribute__((format(printf, 2, 3)));
void wiTextDruckRoh(int id, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Reads at most n characters: the buffer holds n + 1 bytes. Length read.
int wiTextHolen(int id, char* puffer, int n);
// The same for a control of the named window, at most min(n, 200).
int wiTextHolenAus(HWND fenster, int id, char* puffer, int n);
int wiTextHolenNeu(int id, char** aus);
const char* wiTextRing(int id);
int wiTextLaenge(int id);
void wiZahlSetzen(int id, int n);
int wiZahlHolen(int id);
void wiLongSetzen(int id, long n);
long wiLongHolen(int id);
void wiHexSetzen(int id, unsigned long n);
unsigned long wiHexHolen(int id);
void wiDezSetzen1(int id, double wert);
void wiDezSetzen2(int id, double wert);
void wiDezSetzen5(int id, double wert);
void wiDezSetzenN(int id, int stellen, double wert);
double wiDezHolen(int id);
// A number in '.' form into a field, shown with the decimal comma.
void wiZahlTextSetzen(int id, const char* zahl);
// Dates read from the first 10 characters (day.month.year), written as
// "%02d.%02d.%04d"; times "%02d:%02d".
void wiDatumHolen(int id, DATUM* datum);
void wiDatumSetzen(int id, const DATUM* datum);
void wiZeitHolen(int id, UHRZEIT* zeit);
void wiZeitSetzen(int id, const UHRZEIT* zeit);

// ---- Controls in general ------------------------------------------------------------------
HWND wiItem(int id);
int wiItemDa(int id);
char* wiItemKlasse(int id, char* puffer);  // 81 characters
void wiItemFokus(int id);
int wiFokusId();
int wiItemId(HWND fenster);
HWND wiAktivesFenster();
void wiItemFont(int id, HFONT schrift);
void wiItemFrei(int id, int flag);
int wiItemIstFrei(int id);
void wiItemZeigen(int id, int flag);
void wiItemAuffrischen(int id);
void wiItemClientRechteck(int id, int* links, int* oben, int* rechts, int* unten);
void wiItemVFarbe(int id, int r, int g, int b);

// ---- Buttons ------------------------------------------------------------------------------------
void wiKnopfSetzen(int id, int zustand);
int wiKnopf(int id);
void wiRadioSetzen(int erster, int index, int n);
void wiRadioSetzenEinzeln(int erster, int index, int n);
int wiRadio(int erster, int n);
void wiDlgStandardKnopf(int alt, int neu);

// ---- List boxes ---------------------------------------------------------------------------------
void wiListeLeeren(int id);
int wiListeAnhaengen(int id, const char* text);
int wiListeEinfuegen(int id, const char* text, int n);
int wiListeLoeschen(int id, int n);
// The buffer must hold the entry (LB_GETTEXTLEN + 1).
int wiListeText(int id, int n, char* puffer);
int wiListeWahl(int id);
int wiListeWahlSetzen(int id, int n);
void wiListeMarkSetzen(int id, int n, int flag);
int wiListeMarkiert(int id, int n);
int wiListeOben(int id);
void wiListeObenSetzen(int id, int n);
int wiListeTextWaehlen(int id, const char* text);
int wiListeAnzahl(int id);
int wiListeZeilen(int id);
int wiListeVerzeichnis(int id, const char* pfad);
int wiListeNachricht(int id, WPARAM wp);
int wiListeFokusWeg(int id, WPARAM wp);
int wiListeSuchen(int id, const char* text, int abAuswahl, int schnitt, int breite);
void wiNeuZeichnen(int id, int flag);

// ---- Combo boxes --------------------------------------------------------------------------------
void wiComboLeeren(int id);
int wiComboAnhaengen(int id, const char* text);
int wiComboEinfuegen(int id, const char* text, int n);
int wiComboLoeschen(int id, int n);
void wiComboFuellen(int id, const char* liste);
void wiComboEinzeln(int id, const char* text);
int wiComboWahl(int id);
int wiComboWahlSetzen(int id, int n);
int wiComboTextWaehlen(int id, const char* text);
// Buffers of the three below hold n (max) + 1 bytes.
char* wiComboWahlText(int id, char* puffer, int n);
char* wiComboText(int id, char* puffer, int n);
char* wiComboEintragText(int id, int n, char* puffer, int max);
void wiComboSetzen(int id, const char* text);
int wiComboSpalteWaehlen(int id, const char* text, int versatz);
int wiComboSchluessel(int id, int versatz, const char* text, char* aus, int groesse);
int wiComboEnthaelt(int id, const char* text, int n);
int wiComboAnzahl(int id);
void wiComboHoehe(int id, int hoehe);
int wiComboGeaendert(int id, WPARAM wp);
int wiComboAufgeklappt(int id, WPARAM wp);
void wiComboAenderungMelden(int id);

// ---- Edit controls -------------------------------------------------------------------------------
int wiEditGeaendert(int id, WPARAM wp);
int wiEditGeaendertBereich(int erster, int letzter, WPARAM wp);
int wiEditGetippt(int id, WPARAM wp);
int wiEditFokus(int id, WPARAM wp);
int wiEditFokusWeg(int id, WPARAM wp);
void wiEditAenderungMelden(int id);
void wiEditAnfang(int id);
void wiEditEnde(int id);
void wiEditZumEnde(int id);

// ---- Clipboard texts ----------------------------------------------------------------------------
void wiClipLeeren();
int wiClipText(const char* text);
// At most n characters: the buffer holds n + 1 bytes.
char* wiClipHolen(char* puffer, int n);
char* wiClipHolenNeu();  // block of fmalloc, or null
