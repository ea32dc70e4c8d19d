// The headless backend and its test interface. Prefix `plHeadless`. A
// virtual 1920 x 1080 screen at 96 dpi, windows as in-memory surfaces,
// input injected by tests or the batch mode, and the program clock as a
// virtual clock: the backend fixes it at start (at the real time, unless a
// test fixed it already) and moves it on only when the program waits for a
// timer, so every run is deterministic. Built into the product; used by all
// tests, by batch runs and when there is no display.
// May call: backend.h, eingabe.h, nachricht.h, fenster.h, uhr.h.
#pragma once

#include "platform/backend.h"
#include "platform/windef.h"

// The backend's function table (registered under "headless").
const plBackend* plHeadlessBackend();

// ---- Injection (screen coordinates; knopf 0 left, 1 right, 2 middle) ------------------------
void plHeadlessMausBewegen(int x, int y);
void plHeadlessMausDruecken(int knopf);
void plHeadlessMausLoslassen(int knopf);
// Move, press and release at (x, y).
void plHeadlessKlick(int x, int y, int knopf = 0);
// Press at (x1, y1), move in `schritte` steps to (x2, y2), release.
void plHeadlessZiehen(int x1, int y1, int x2, int y2, int knopf = 0, int schritte = 4);
// Wheel at (x, y): `rasten` notches (positive: away from the user).
void plHeadlessRad(int x, int y, int rasten);
void plHeadlessTasteRunter(UINT vk);
void plHeadlessTasteHoch(UINT vk);
// Down and up.
void plHeadlessTaste(UINT vk);
// Typed text in code page 1252: letters, digits and blanks as key strokes
// (with Shift for capitals), every other character as a typed character.
void plHeadlessText(const char* text);
// Client coordinates of `hwnd` to screen coordinates (helper for tests).
POINT plHeadlessPunkt(HWND hwnd, int x, int y);

// ---- Running -----------------------------------------------------------------------------------
// Takes and dispatches every message that waits (posted, input, paint,
// timers due now) until nothing is left; the clock does not move. Stops
// early at WM_QUIT, which is left for the caller's loop (PostQuitMessage
// again). Returns the number of messages dispatched.
int plHeadlessPumpen();
// Moves the clock on by `ms`, stopping at every timer that expires on the
// way to pump; then pumps once more. Returns the messages dispatched.
int plHeadlessZeitVor(int64_t ms);
// Saves a window with its children as PNG (see plFensterPng). 0 or -1.
int plHeadlessPng(HWND hwnd, const char* pfad);
