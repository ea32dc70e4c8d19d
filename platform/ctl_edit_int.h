// Internals of the EDIT control shared by ctl_edit.cpp and
// ctl_edit_tasten.cpp. Prefix `ed`. Nothing else includes it.
//
// Invariants of EdZustand:
//  1. 0 <= anker, caret <= text.size(); the selection is anker..caret in
//     either order; the caret is at `caret`.
//  2. zeilen holds the start of every shown line, zeilen[0] == 0, ascending;
//     it is rebuilt (edUmbrechen) after every change of text, size or font.
//  3. ersteZeile < zeilen.size(); xVersatz >= 0.
#pragma once

#include <string>
#include <vector>

#include "platform/ctl_edit.h"

struct EdZustand {
    HWND h = 0;
    std::string text;
    int anker = 0;
    int caret = 0;
    int grenze = PL_EDIT_GRENZE_STANDARD;
    bool geaendert = false;
    HFONT font = 0;
    int zeilenHoehe = 16;
    int breiten[256] = {};
    std::vector<int> zeilen{0};
    int ersteZeile = 0;
    int xVersatz = 0;
    int randLinks = 1;
    int randRechts = 1;
    char passwort = '*';
    bool fokus = false;
    bool ziehen = false;
    LONG doppelZeit = 0;       // message time of the last double click
    bool doppelGueltig = false;  // a click soon after it is the third: all
    int wunschX = -1;   // column kept by Up/Down
    bool eigenesFormat = false;  // EM_SETRECT gave the text area
    RECT format{0, 0, 0, 0};

    // One level of undo (rule 4 of ctl_edit.h).
    std::string undoText;
    int undoAnker = 0;
    int undoCaret = 0;
    bool kannUndo = false;
    bool tippen = false;  // the last change was typing at the caret
};

EdZustand* edVon(HWND h);
DWORD edStil(const EdZustand& z);
bool edMehrzeilig(const EdZustand& z);
int edSelAnf(const EdZustand& z);
int edSelEnde(const EdZustand& z);

// Layout.
void edUmbrechen(EdZustand& z);
int edZeileVon(const EdZustand& z, int pos);
int edZeilenEnde(const EdZustand& z, int zeile);  // before its line break
int edSichtbareZeilen(const EdZustand& z);
RECT edFormat(const EdZustand& z);                // text area in client coordinates
int edBreite(const EdZustand& z, int von, int bis);
int edPosBei(const EdZustand& z, int x, int y);   // client point to position
POINT edPunktVon(const EdZustand& z, int pos);    // position to client point

// Changes, caret and painting.
// Replaces the selection by `s` (rule 3 limits apply when `begrenzt`);
// `nutzer`: typed or pasted (read-only refuses). Sends the notifications.
// Returns false when nothing changed.
bool edErsetzen(EdZustand& z, std::string s, bool nutzer, bool begrenzt, bool tippen);
void edSelSetzen(EdZustand& z, int anker, int caret, bool zeigen);
void edCaretZeigen(EdZustand& z);   // scrolls the caret into view
void edCaretSetzen(EdZustand& z);   // moves the system caret
void edNeuMalen(EdZustand& z);
void edScrollLeisten(EdZustand& z);
void edMelden(EdZustand& z, int code);

// ctl_edit_tasten.cpp
void edTaste(EdZustand& z, WPARAM vk);
void edZeichen(EdZustand& z, unsigned char c);
void edMaus(EdZustand& z, UINT msg, WPARAM wp, LPARAM lp);
void edKopieren(EdZustand& z);
void edEinfuegen(EdZustand& z);
void edUndo(EdZustand& z);
