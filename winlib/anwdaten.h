// The frame record: one per process, filled by the frame at start-up and read
// by the window library and every dialog through the small accessors below.
// Prefix `anw`. The record is declared here, below the frame, so the window
// library can read it; the frame (WinMain, the main window procedure,
// anwErgebnis) fills it. May call platform/ and the busy state of the
// window library (wiBeschaeftigt).
//
// Run state: 0 before the main class is registered, 1 after, 2 while the
// message loop runs, 4/5 while the main window closes, 3 after the loop,
// 9 when WinMain returns. Dialogs open only in run state 2.
#pragma once

#include "platform/windef.h"

inline constexpr int ANWTITELSUP = 95;    // characters of the title
inline constexpr int ANWKLASSESUP = 63;   // characters of the class name

struct anwdaten {
    char* titel;             // points at the title buffer
    HINSTANCE instanz;       // the program's module, used for every resource load
    HWND hauptfenster;       // 0 until created
    HMENU menue;             // the menu in force on the main window
    HCURSOR warteCursor;
    HCURSOR pfeilCursor;
    HCURSOR sonderCursor;    // "BRI_CUR"
    HACCEL accel;            // the accelerator table in force
    HFONT dlgSchrift;        // the font given to dialogs
    char* kommandozeile;     // as passed to WinMain
    char* klassenName;       // points at the class-name buffer
    HBRUSH hintergrund;      // background brush of the main window
};

// The record (never null); title and class name point at buffers of
// ANWTITELSUP + 1 and ANWKLASSESUP + 1 characters.
anwdaten* anwDaten();
int anwLaufZustand();
void anwLaufZustandSetzen(int zustand);
HWND anwElternFenster(HWND fenster);
HWND anwDlgItem(HWND dlg, int id);
HWND anwHauptfenster();
HINSTANCE anwInstanz();
// 1 when a window of the configured class already existed at start.
int anwAndereInstanz();
void anwAndereInstanzSetzen(int ja);
const char* anwTitel();
// Sets the mouse cursor: 0 arrow, 1 wait, 2 "BRI_CUR", 3 cross, 4 no-entry
// sign, 5 up-arrow. Returns the kind; a kind outside 0..5 does nothing.
int anwCursor(int art);
// Loads both icons from the program's module and sets them on the main window.
void anwIconsSetzen(const char* gross, const char* klein);
// Copies the text (cut at 95 characters) into the title buffer; returns it.
const char* anwTitelSetzen(const char* text);
void anwHintergrundSetzen(HBRUSH pinsel);
HBRUSH anwHintergrundFarbe(int rot, int gruen, int blau);
// Busy cursor of the window library on / off.
void anwBeschaeftigt();
void anwFertig();
// Clears the record and the run state (tests; the frame at start).
void anwZuruecksetzen();
