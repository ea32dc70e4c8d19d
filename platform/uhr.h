// The one clock of the program: local time with milliseconds and the tick
// count. Prefix `plUhr`. Tests and the headless backend fix it and move it on
// by hand, so that every time stamp, timer and double-click threshold is
// deterministic; otherwise it follows the system clock.
#pragma once

#include <cstdint>

#include "platform/windef.h"

// Milliseconds since 1970-01-01 00:00 UTC, real or fixed.
int64_t plUhrJetztMs();

// Fixes the clock at `unixMs` (it then only moves through plUhrVorruecken).
void plUhrFestsetzen(int64_t unixMs);
// Moves a fixed clock on by `ms` (>= 0); does nothing on the real clock.
void plUhrVorruecken(int64_t ms);
// Back to the system clock.
void plUhrFreigeben();
bool plUhrIstFest();

// Local time of the clock, as Windows gives it (wDayOfWeek 0 = Sunday).
void GetLocalTime(SYSTEMTIME* st);
// Milliseconds since the process started (fixed clock: since it was fixed,
// continuing from the value it had then), wrapping at 2^32 as on Windows.
DWORD GetTickCount();
