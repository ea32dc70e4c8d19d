// Message boxes, the stop box and the assertion handler of the window
// library. Every box is task-modal; all but the stop box disable the main
// window and every dialog while shown (wiDlgSperren 0 / 1) and re-activate
// the window that was active. Prefix `wi`. May call platform/, support/,
// the dialog manager and the frame record.
#pragma once

#include <cstdarg>

#include "platform/windef.h"

inline constexpr int WIMELDUNGSUP = 1000;  // characters of a formatted box text

void wiHinweis(const char* format, ...) __attribute__((format(printf, 1, 2)));
void wiMeldung(const char* format, ...) __attribute__((format(printf, 1, 2)));
[[noreturn]] void wiFehlerEnde(const char* format, ...) __attribute__((format(printf, 1, 2)));
void wiInfo(const char* text);
// The information box under a title of its own (the dialog or run it
// reports on), whatever window is active.
void wiInfoTitel(const char* titel, const char* text);
int wiFrageArt(const char* text, int zweiterStandard);
int wiFrage(const char* text);
// A question whose Yes deletes or overwrites: asked as wiFrage for a user;
// a run without a user answers No (and says so) where nobody could weigh it.
int wiFrageLoeschen(const char* text);
// 1 Yes, 0 No, 2 Cancel (also Escape).
int wiFrageAbbruch(const char* text, int standard);
// The assertion handler: "ASSERT ERROR\n%s.%d\n%s", then the stop box.
[[noreturn]] void wiAssertFenster(const char* datei, int zeile, const char* ausdruck);
