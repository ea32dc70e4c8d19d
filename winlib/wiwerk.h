// Window utilities and dialog layout: moving and pinning the controls of the
// current dialog in dialog units, scrolled views with their bars,
// rectangles in the right coordinate space, the accelerator table switch,
// `ORVAGRBU` buttons set up from their texts, placement texts, angle
// fields, a few text functions of the list pages, and the menu-text layer
// (which passes menus and dialog texts through unchanged). Prefix `wi`,
// `Str`. Id lists hold ids 2000..8999 and end at the first other value;
// where stated a first id 0 means every child of the dialog.
// May call: platform/, support/, config/, the dialog manager, the dialog
// items, the frame record, winbib.h, wibild.h and tbarhaken.h of winlib/.
#pragma once

#include "platform/windef.h"

inline constexpr int WIIDERSTES = 2000;
inline constexpr int WIIDLETZTES = 8999;
inline constexpr int WIHOCHSUP = 36;      // taller controls keep their bottom edge
inline constexpr int WIBALKENDICKE = 8;   // scroll bars, dialog units
inline constexpr int WIGRBUERSTES = 1000;
inline constexpr int WIGRBULETZTES = 2999;

// ---- Layout (current dialog; n in dialog units; lists end at an id outside 2000..8999) ----
int wiTbarVersatz();  // TbarKnopfHoehe() - 14
void wiItemsUnterTbar(int id, ...);
void wiItemsRunter(int n, ...);
void wiAllesUnterTbar();
void wiAllesUeberTbar();
void wiItemsLinksBis(int n, ...);
void wiItemsObenBis(int n, ...);
void wiItemsRechtsBis(int n, ...);
void wiItemsUntenBis(int n, ...);
void wiItemsLinksAn(int n, ...);
int wiItemsRechtsAn(int n, ...);
void wiItemsUntenAn(int n, ...);
void wiRollbalkenLayout(int rechts, int unten, int haupt, int senkrecht, int waagrecht, int ecke);
void wiItemUeber(int idA, int idB, int links, int rechts, int oben, int unten);

// ---- Rectangles and windows -------------------------------------------------------------
void wiItemRechteck(int id, int* l, int* o, int* r, int* u);
void wiFensterDlgRechteck(HWND fenster, int* l, int* o, int* r, int* u);
void wiHauptRechteck(HWND fenster, int* l, int* o, int* r, int* u);
void wiFensterKoord(HWND fenster, int* l, int* o, int* r, int* u);
void wiKlientKoord(HWND fenster, int* l, int* o, int* r, int* u);
void wiItemSetzen(int id, int l, int o, int r, int u);
void wiFensterSetzen(HWND fenster, int l, int o, int r, int u);
void wiFensterGroesse(HWND fenster, int breite, int hoehe);
void wiFensterBewegen(HWND fenster, int x, int y, int breite, int hoehe);
void wiPunktUmrechnen(HWND von, int x, int y, HWND nach, int* xAus, int* yAus);
void wiDlgZentrieren();
void wiDlgIcon(const char* name);
void wiDlgHauptmenu(const char* name);
void wiMenuPunktWeg(int art, int id);
// Initially "ANW_ACCEL"; a table that cannot be loaded leaves the old one.
void wiAccelSetzen(const char* name);
const char* wiAccelName();
void wiAccelZuruecksetzen();  // back to "ANW_ACCEL" (tests, start)
int wiNotifyKlick(int notification);
int wiComboEreignis(int id, WPARAM befehl);
void wiComboAufklappen(int id, int zeigen);
int wiNaechstesItem(int id);
void wiText(HWND fenster, const char* text);
void wiItemText(HWND dialog, int id, const char* text);
void wiStilAusgabe(HWND fenster);
void wiDebugZeile(const char* format, ...) __attribute__((format(printf, 1, 2)));

// ---- Buttons and tooltips ---------------------------------------------------------------------
inline constexpr int WIGRBUTEXTSUP = 200;
// Reads each button's creation text from its line in the current dialog's
// template (a graphic button answers its label instead), else from the
// control itself.
void wiGrbuEinrichten(int id, ...);
// The same for every `ORVAGRBU` child of the current dialog, whatever its
// id; the dialog manager runs it for each dialog before its init callback,
// so no dialog has to list its buttons. The number of buttons set up.
int wiGrbuAlleEinrichten();
void wiTooltipsLoeschen();
void wiKnopfFreiBild(int id, int frei, const char* bildAus, const char* bildAn);
int wiGrbuAusloesen();
void wiKontextMenu(const char* name, LPARAM punkt, HWND fenster);
// "%d %d %ld %ld %ld %ld %ld %ld %ld %ld"; groesse bytes of text.
void wiDlgPlatzText(char* text, int groesse, const WINDOWPLACEMENT* platz);
// 0, or -1 when the text does not hold ten numbers (placement untouched).
int wiDlgPlatzLesen(WINDOWPLACEMENT* platz, const char* text);
void wiDlgPlatzLadenAkt();
void wiDlgPosMerken(int an);
int GeschwisterLaeuft(int art);

// ---- Texts ----------------------------------------------------------------------------------
int StrIstText(const char* text);
int StrAbschnitt(const char* text, char* ziel, int groesse, int* anfang, int* ende);
int StrAbschnittN(const char* text, char* ziel, int groesse, int* anfang, int* ende, int n);
// Tenths of a degree in 0..3599.
int StrWinkel(const char* text);
int wiWinkelHolen(int id);
void wiZehntelSetzen(int id, int zehntel);

// ---- Menu-text layer: menus and dialog texts pass unchanged ------------------------------------
void wiMenuTexteInit();
void wiMenuTexteEnde();
void wiMenuTexteAuffrischen();
void wiMenuTexteUmschreiben(HMENU menu);
void wiDlgTexteAuffrischen(HWND dialog);
