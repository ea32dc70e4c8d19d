// Command strings and the drawing's context menus: the strings that bar
// buttons, selection entries, keys and drags run ("#", ">", "*", "Menu: ",
// "Ausf: ", "Bear: ", or a line as typed), starting an element at the
// cursor, the three right-click menus "RMMENUKEIN", "RMMENUEINS",
// "RMMENUVIELE", and the cursor-mode button of the status row. Prefixes
// `Befehls`, `Element`, `Kontext`, `Cursor`, `Linie`. Calls the queue and
// text form of model/, the construction (baubf), the input line
// (eingabe), the store's marks, the parallel-line table and the view.
#pragma once

#include <string>
#include <vector>

constexpr int BEFSTRINGSUP = 400;  // characters of a command string kept

// Runs a command string step by step.
void BefehlsTextAusfuehren(const char* text);
// The steps a string falls into (trimmed, empty steps dropped).
std::vector<std::string> BefehlsTextSchritte(const char* text);
// Starts the construction of an element of `code` at the cursor, only
// while none is under construction.
void ElementStarten(int code);
// The right-click menu at client point x, y of the drawing window.
void KontextMenueZeigen(int x, int y);
// The menu KontextMenueZeigen takes now ("RMMENUKEIN", ...).
const char* KontextMenueName();
// 2 while a line is under construction, else the cursor-mode setting.
int CursorModus();
// Command 2401: runs the mode last shown.
void CursorModusKlick();
void CursorModusGezeigt(int modus);
// Queues a line record ZL whose first point is x, y.
void LinieZu(double x, double y);
