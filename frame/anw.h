// The program's entry and main window: WinMain with its start-up, the
// settings resource "ANW_CONFIG", the single-instance test, the main window
// procedure with its hand-over to the application hook (AnwNachricht,
// modus.h), the message loop, the about box "ANW_ABOUT", the application
// initialisation AnwInit and exit AnwEnde. Prefix `anw` / `Anw`.
// The frame record and its plain accessors live in winlib/anwdaten.h.
// May call every lower folder and the rest of frame/.
//
// Run states (anwLaufZustand): 0 start, 1 class registered, 2 loop runs (the
// hook sees messages only here), 4/5 WM_CLOSE before/after AnwEnde, 3 loop
// ended, 9 WinMain returns.
#pragma once

#include <cstddef>

#include "platform/windef.h"

inline constexpr int ANWSCHRIFTSUP = 40;   // characters of the font name
inline constexpr int ANWWPSUP = 31;        // characters of WPFile / WPSection
inline constexpr int ANWPFADSUP = 260;     // characters of a start argument

// Settings of the frame, read from "ANW_CONFIG".
struct AnwKonfig {
    char klasse[64];
    char name[96];
    char schrift[ANWSCHRIFTSUP + 1];
    char iconGross[21];
    char iconKlein[22];
    int single;
    int maxi;
    int ddeServer;
    DWORD klassenStil;
    DWORD fensterStil;
    char wpDatei[ANWWPSUP + 1];
    char wpAbschnitt[ANWWPSUP + 1];
    int bgArt;          // 0 none, 1 "System", 2 colour, 3 bitmap
    int bgRot, bgGruen, bgBlau;
    char bgBitmap[41];
};

// Defaults, then the entries of a resource image of `groesse` bytes (never
// read past it). A null image keeps the defaults.
void anwKonfigLesen(AnwKonfig* k, const char* daten, size_t groesse);
// The settings in force (after WinMain step 2).
const AnwKonfig& anwKonfig();

int WinMain(HINSTANCE instanz, HINSTANCE vorher, const char* kommandozeile, int zeigen);
// WinMain in three steps (tests drive the loop themselves): start-up 1-15
// up to run state 2 (0), or -1 when it ended early (no window left); the
// message loop (the quit parameter); the work after the loop (state 9).
int anwStart(HINSTANCE instanz, const char* kommandozeile, int zeigen);
int anwLauf();
void anwSchluss();
LRESULT CALLBACK anwFensterProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp);
// Marks the message the application hook handles as handled, result `wert`.
void anwErgebnis(LRESULT wert);

int AnwInit();
void AnwEnde();
// Dialog-initialisation hook: list style of the workstation for the dialog.
void anwDlgStil(int anzahl, const char* const* texte);

// Start arguments read by AnwInit step 12.
int anwNichtInteraktiv();          // the -W= value (1 with -A=)
const char* anwStartArgument();    // "" when none

// The switches of the argument words (wiArgument), read without effect:
// each word after the program name beginning with '-' is matched by its
// first three characters ignoring case ("-W=" decimal, "-X=" ignored, "-A="
// the command file); any other word is the start folder or file (the last
// one wins).
struct AnwSchalter {
    int wFlag;
    char befehlsdatei[ANWPFADSUP + 1];
    char start[ANWPFADSUP + 1];
};
void anwSchalterLesen(AnwSchalter* s);
// No user waits for this start: a -W= value other than 0 or a command file.
bool anwOhneBenutzer(const AnwSchalter& s);

// The exit code of a start that ended before the loop: 0 (a second
// instance, a failed registration), 1 when the named command file could not
// be opened - a batch run must not look successful.
int anwStartCode();
