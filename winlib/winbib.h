// Window library layer: the library's ini file and window placements, fonts
// from lists of preferred faces, dialog units, the main window's status bar,
// tooltips, timers, the command line and environment, programs and
// documents, main and dialog menu bars, main-window wrappers, the debug
// trace modes, the busy count, locale separators, dropped files, keyboard
// and mouse queries, scroll bars and window sizes. Prefix `wi`. Operations
// on "the current dialog" use wiDlgFenster of the dialog manager.
// May call: platform/, support/, config/, the dialog manager and the frame
// record of winlib/.
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"

// ---- Start and end ---------------------------------------------------------------
// Installs the debug-trace sink (mode 0: debugger output) and the loader of
// the resource bundles' pictures (LoadBitmap from a module). Called by the
// dialog manager's wiDlgInit or the frame at start; may be called again. wiBibEnde destroys the status bar and the tooltip control
// and resets the module's state (end of the program or of a test).
void wiBibInit();
void wiBibEnde();

// ---- Ini file and placement ---------------------------------------------------------
inline constexpr int WIINILESENSUP = 80;     // wiIniLesen: characters read
inline constexpr int WIINIZAHLSUP = 20;      // wiIniZahl: characters read
inline constexpr int WIPLATZTEXTSUP = 80;    // placement line read
const char* wiIniDatei(const char* name);
const char* wiIniDateiName();  // the kept name ("" before wiIniDatei)
int wiIniSchreiben(const char* abschnitt, const char* schluessel, const char* wert);
int wiIniZahlSchreiben(const char* abschnitt, const char* schluessel, int n);
// puffer holds WIINILESENSUP + 1 bytes.
int wiIniLesen(const char* abschnitt, const char* schluessel, char* puffer);
int wiIniLesenN(const char* abschnitt, const char* schluessel, char* puffer, int groesse);
int wiIniZahl(const char* abschnitt, const char* schluessel);
int wiIniKopieren(const char* datei);
int wiIniAnlegen(const char* datei);
int wiPlatzSichern(HWND fenster, const char* schluessel, const char* abschnitt);
// 0 nothing stored (window untouched) or stored normal, 1 minimised, 2 maximised.
int wiPlatzLaden(HWND fenster, const char* schluessel, const char* abschnitt, int groesseBehalten);
void wiZentrieren(HWND fenster);
void wiFensterBei(HWND fenster, HWND bezug, int dx, int dy);
void wiFensterNach(HWND fenster, int x, int y);

// ---- Fonts ----------------------------------------------------------------------------
inline constexpr int WISCHRIFTSUP = 40;  // face names kept and returned
struct WiSchriftFamilie {
    std::string name;  // face name
    std::string voll;  // full name
};
// The installed families (enumerated once per run), or, for tests, the list
// set by wiSchriftFamilienSetzen (nullptr: enumerate again).
const std::vector<WiSchriftFamilie>& wiSchriftFamilien();
void wiSchriftFamilienSetzen(const std::vector<WiSchriftFamilie>* liste);
void wiSchriftSuchen(void (*fn)(const char* name));
// name: WISCHRIFTSUP + 1 bytes. 1 when an entry was found (outputs set), else 0.
int wiFestSchrift(char* name, int* groesse);
void wiMonoSchrift(char* name, const char* bevorzugt);
HFONT wiFont(int hoehe, const char* name, int fett, int stil);
HFONT wiFontEinfach(int hoehe, const char* name);
HFONT wiStandardFont(int art);
int wiTextBreite(int art, const char* text);

// ---- Dialog units -------------------------------------------------------------------------
double wiDlgFaktor();
int wiDlgEinheit(int n);
int wiPixelEinheit(int n);
int wiGrosseSchrift();

// ---- Status bar ------------------------------------------------------------------------------
inline constexpr int WISTATUSID = 3000;
inline constexpr int WISTATUSTEILESUP = 10;  // parts of the bar at most
// `breiten`: the parts' widths in dialog units, decimals separated by blanks
// ("48 72 60"); one more part behind them fills the rest of the bar.
HWND wiStatusLeiste(const char* breiten);
HWND wiStatusFenster();
void wiStatusWeg();
void wiStatusText(int teil, const char* text);
int wiStatusTextHolen(int teil, char* puffer, int groesse);
int wiStatusHoehe();
void wiStatusPlatz(int breite, int hoehe);

// ---- Tooltips ------------------------------------------------------------------------------
inline constexpr int WITOOLSUP = 100;
inline constexpr int WITOOLTEXTSUP = 40;
int wiTooltipsInit();
void wiTooltipsEnde();
HWND wiTooltipFenster();
// One tool per control: a second call for the same control replaces it.
void wiTooltip(HWND fenster, HWND steuer, const char* text);
void wiDlgTooltip(int id, const char* text);
void wiTooltipsWeg(HWND fenster);
void wiDlgTooltipsWeg();
int wiTooltipAnzahl();  // entries in use
// The kept text of a control's tool, nullptr when it has none.
const char* wiTooltipText(HWND steuer);

// ---- Timers ----------------------------------------------------------------------------------
void wiTimer(HWND fenster, int id, int sekunden);
void wiTimerWeg(HWND fenster, int id);

// ---- Command line and environment ------------------------------------------------------------
inline constexpr int WIKOMMANDOSUP = 1000;
int wiArgumentAnzahl();
const char* wiArgument(int n);
// The argument words joined by blanks, a word holding blanks in double
// quotes; at most WIKOMMANDOSUP characters.
const char* wiKommandozeile();
int wiUmgebung(const char* name, char* puffer, int groesse);
int wiUmgebungText(char* puffer, const char* name);  // puffer: 101 bytes

// ---- Programs and documents -------------------------------------------------------------------
int wiProgrammStarten(const char* kommando);
int wiShellOeffnen(const char* dokument);
int wiShellStarten(const char* programm, const char* parameter, const char* ordner);
int wiShellStartenIn(const char* programm, const char* datei);
int wiProgrammFinden(const char* dokument, char* ergebnis);  // ergebnis: MAX_PATH
int wiProgrammFuerEndung(const char* name, char* ergebnis);  // ergebnis: MAX_PATH

// ---- Main menu ------------------------------------------------------------------------------------
int wiMenuSetzen(const char* name);
int wiMenuAnhaengen(int untermenue, int id, int art, const char* text);
int wiMenuEinfuegen(int vorId, int id, const char* text);
int wiMenuEinfuegenPos(int untermenue, int position, int id, const char* text);
int wiMenuEntfernenPos(int untermenue, int position);
int wiMenuLoeschen(int id);
void wiMenuAlleFrei(int frei);
void wiMenuPosFrei(int position, int frei);
void wiMenuFrei(int id, int frei);
void wiMenuHaken(int id, int haken);

// ---- Menu bars of the current dialog ----------------------------------------------------------------
int wiDlgMenuSetzen(const char* name);
void wiDlgMenuWeg();
int wiDlgLeisteAnhaengen(int untermenue, int id, int art, const char* text);
int wiDlgLeisteEinfuegen(int vorId, int id, const char* text);
int wiDlgLeisteEntfernenPos(int untermenue, int position);
int wiDlgLeisteLoeschen(int id);
void wiDlgLeisteFrei(int id, int frei);
void wiDlgLeisteHaken(int id, int haken);
int wiDlgLeisteEintrag(int untermenue, int id, const char* text);

// ---- Main window and windows ------------------------------------------------------------------------
void wiTitelSetzen(const char* text);
void wiMaximieren();
void wiMinimieren();
void wiVerstecken();
void wiMinimierenPost();
void wiFensterZeigen(HWND fenster, int x, int y, int b, int h);
void wiFensterRechteck(HWND fenster, RECT* r);
void wiFensterSchliessen(HWND fenster);
void wiZeigen(HWND fenster, int zeigen);
BOOL wiPostMessage(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp);
LRESULT wiSendMessage(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp);
void wiVordergrund(HWND fenster);
void wiFensterAuffrischen(HWND fenster);
int wiIstFenster(HWND fenster);
int wiIstFrei(HWND fenster);
int wiIstSichtbar(HWND fenster);

// ---- Debug trace ------------------------------------------------------------------------------------------
inline constexpr int WIDEBUGDATEISUP = 80;
// Mode 0: the debugger output (OutputDebugString); 1: appended to the trace
// file; other modes: nothing. wiDebug (support/basis.h) writes through it.
void wiDebugModus(int modus, const char* datei);
int wiDebugModusHolen();
const char* wiDebugDatei();

// ---- Busy state ---------------------------------------------------------------------------------------------
void wiBeschaeftigt(int an);
int wiBeschaeftigtZahl();

// ---- Locale -------------------------------------------------------------------------------------------------
char wiDezimalZeichen();
char wiTausenderZeichen();
const char* wiLandKurz();
// Reads the separators again (tests change the environment).
void wiLokaleNeu();

// ---- Dropped files and file lists on the clipboard --------------------------------------------------------
inline constexpr int WIDROPPFADSUP = 200;
void wiDropAn(HWND fenster, int an);
int wiDropStart(HDROP drop);
int wiDropDatei(int n, char* puffer);  // puffer: WIDROPPFADSUP + 1
void wiDropEnde();
int wiClipDateiErste(char* puffer);
int wiClipDateiAnzahl();
int wiClipDatei(int n, char* puffer);
void wiClipSchliessen();

// ---- Keyboard and mouse ---------------------------------------------------------------------------------------
int wiTaste(int art);  // 0 Shift, 1 Ctrl, 2 Alt
int wiShift();
int wiStrg();
int wiTasteZeichen(int vk);
void wiMausPos(int* x, int* y);
int wiMausItemId();

// ---- System ------------------------------------------------------------------------------------------------------
int wiBenutzer(char* puffer);        // puffer: 81 bytes
void wiSystemVersion(char* puffer);  // puffer: 20 bytes
void wiPiep();
HMODULE wiLoadLibrary(const char* name);
void wiFreeLibrary(HMODULE modul);
HWND wiFokus(HWND fenster);

// ---- Scroll bars and sizes ----------------------------------------------------------------------------------------
void wiScrollSetzen(int id, int position, int min, int max, int seite);
// The position is taken from the control's 32-bit track position for thumb
// position and thumb track, so ranges beyond 65535 work.
int wiScrollNachricht(int id, UINT nachricht, WPARAM wp, LPARAM lp, int* position, int min, int max, int seite);
int wiScrollCode(int id, UINT nachricht, WPARAM wp, LPARAM lp);
int wiBreite(HWND fenster);
int wiHoehe(HWND fenster);
int wiItemBreite(HWND fenster, int id);
int wiItemHoehe(HWND fenster, int id);
void wiKnopfFarbe(int unbenutzt, int rgb[3]);

// ---- Tool bar of the common-controls kind (not the frame's toolbars) -----------------------------------------
inline constexpr int WITBARSUP = 20;        // buttons kept
inline constexpr int WITBARTEXTSUP = 40;    // tooltip characters
inline constexpr int WITBARID = 1;
HWND wiTbarInit();
void wiTbarGroesse(int knopf, int bild, int hoehe);
// 0, or -1 when the table is full (the button is not added).
int wiTbarKnopf(int id, const char* bild, const char* tipp);
int wiTbarKnopfAus(HMODULE modul, int id, const char* bild, const char* tipp);
void wiTbarLuecke();
// The tooltip text of a command (puffer: WITBARTEXTSUP + 1); 1, or 0 and
// an empty text when no button has that command.
int wiTbarText(int id, char* puffer);
void wiTbarAnpassen();
int wiTbarHoehe();
void wiTbarBilderWeg();
HWND wiTbarFenster();
// Destroys the bar and its bitmaps (wiBibEnde).
void wiTbarEnde();
