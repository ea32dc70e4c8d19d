// The one interface through which the configuration layer reaches the
// current dialog and the window system, which lie above it: the dialog
// manager and the window library fill it at start-up (konfHakenSetzen).
// Prefix `konf`. Until then, and for every member left NULL, a stand-in
// answers:
//   current dialog: none (window 0, name "Main", title empty and not kept);
//   dialog module: the program's module (GetModuleHandle(NULL));
//   placement get/set, window rectangle, move: nothing (get returns FALSE);
//   desktop area: 0, 0, 1024, 768;
//   warning box: the text on stderr;
//   fonts: create and stock give handle 0, delete does nothing;
//   receivers (fonts 0..3, list colours, zebra, path mode): keep the values,
//     readable through konfEmpfangen();
//   window library ini file: kept in konfEmpfangen().fensterIni;
//   file dialog: cancelled (0);
//   extra text columns of the equipment list (HulTextSpalten): 1, no extra.
// Callers never test for NULL: konfHaken() always has every member set.
// Calls platform/ressource only.
#pragma once

#include <string>

#include "platform/windef.h"

struct KonfHaken {
    HWND (*dlgFenster)();                       // current dialog, 0 when none
    const char* (*dlgName)();                   // its name, "Main" when none
    int (*dlgTitelHolen)(char* puffer, int groesse);
    void (*dlgTitelSetzen)(const char* titel);
    HMODULE (*dlgModul)(const char* dialogName);  // wiDlgModul
    BOOL (*platzHolen)(HWND fenster, WINDOWPLACEMENT* platz);
    BOOL (*platzSetzen)(HWND fenster, const WINDOWPLACEMENT* platz);
    BOOL (*fensterRechteck)(HWND fenster, RECT* r);  // screen coordinates
    void (*fensterBewegen)(HWND fenster, int x, int y);  // size kept
    void (*desktop)(RECT* r);                    // work area
    void (*warnung)(const char* text);           // warning box
    HFONT (*schriftErzeugen)(int hoehe, const char* name);
    HFONT (*schriftStandard)(int n);             // 0 system, 1 system fixed, 2 ANSI var, 3 ANSI fixed, 4 dialog
    void (*schriftLoeschen)(HFONT schrift);
    void (*schriftEmpfangen)(int n, HFONT schrift);  // library fonts 0..3
    void (*listenFarben)(COLORREF a, COLORREF b, COLORREF c);
    void (*zebra)(int ein);
    void (*pfadModus)(int modus);
    void (*fensterIni)(const char* pfad);         // ini file of the window library
    // file dialog: 1 chosen (path in the buffer), 0 cancelled
    int (*dateiDialog)(int speichern, const char* titel, const char* filter, char* pfad, int groesse);
    int (*hulTextSpalten)();
};

// Every member set (stand-ins where none was given).
const KonfHaken& konfHaken();
// Installs the members that are not NULL; NULL members get the stand-in back.
void konfHakenSetzen(const KonfHaken& haken);
// All stand-ins again (tests).
void konfHakenZuruecksetzen();

// What the stand-in receivers were handed last.
struct KonfEmpfangen {
    HFONT schrift[4] = {0, 0, 0, 0};
    COLORREF farbe[3] = {0, 0, 0};
    int zebra = 0;
    int pfadModus = 0;
    std::string fensterIni;
};
const KonfEmpfangen& konfEmpfangen();
