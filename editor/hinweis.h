// The hint window "Hilfe" of the editor page: after the pointer rests on an
// entry of the toolbars or the selection bar, a small pop-up explains it;
// timer 1 of the page shows it after 700 ms and hides it 200 ms after the
// pointer left. Prefix `Hinweis`. Calls the window manager and timers of
// platform/, the dialog units of winlib/, the workstation fonts of config/
// and the bars of the page through the sources registered below.
//
// Invariants:
//  1. The kind is -1 (none), 0 (bar entry) or 1 (status field); a showing
//     hint always has a window.
//  2. Timer 1 of the page runs only while a change of the hint is pending.
#pragma once

#include <cstddef>

#include "platform/windef.h"

constexpr int HINWEISBREITE = 60;  // dialog units
constexpr int HINWEISHOEHE = 8;
constexpr int HINWEISABSTAND = 2;
constexpr UINT HINWEISWARTEN = 700;  // ms before a hint shows
constexpr UINT HINWEISWEG = 200;     // ms before it goes
constexpr int HINWEIS_UNTEN = 0, HINWEIS_RECHTS = 1, HINWEIS_OBEN = 2;

// What the page's bars tell (their module registers them; until then no
// window is a bar entry or a status field).
struct HinweisQuelle {
    int (*leisteIndex)(HWND fenster) = nullptr;      // entry of a bar, -1 none
    int (*statusfeldIndex)(HWND fenster) = nullptr;  // status field, -1 none
    // Screen rectangle and label of entry n; its bar (1 the left bar); 0,
    // or -1 when the entry is gone.
    int (*leisteTip)(int n, RECT* r, char* text, size_t kap, int* leiste) = nullptr;
    // 1 when the bar is built with labels (0 top bar, 1 left bar).
    int (*leisteMitText)(int leiste) = nullptr;
};
void HinweisQuelleSetzen(const HinweisQuelle& q);

// The page's messages; returns nothing, never takes a message away.
void HinweisNachricht(HWND seite, UINT nachricht, WPARAM wp, LPARAM lp);
void HinweisAus();
// Shows (zeigen 1) or hides the hint with `text` next to the item whose
// screen edges are x (left), rechts and y (bottom for below, top
// otherwise) in the given placement, relative to the page `seite`.
void HinweisText(HWND seite, int zeigen, const char* text, int x, int rechts, int y, int platz);
HWND HinweisFenster();
int HinweisArt();
