// ORVAMKAL, the month calendar: the grid rules a caller (and a test) can
// ask for. The window procedure is registered by the class core.
// Prefix `mkal`. May call: support/datum.
#pragma once

#include "platform/windef.h"

// Week row of a day in its month's grid: the day's week within the calendar
// year minus that of the 1st, plus 1 (row 0 holds the weekday names).
int mkalZeileVon(int jahr, int monat, int tag);
// The pixel rectangle of grid cell (spalte: 0 week numbers, 1..7 Monday..
// Sunday; zeile: 0 weekday names, 1.. weeks) of a calendar window, in
// either layout; false for a window that is no calendar.
bool mkalZellenRect(HWND kalender, int spalte, int zeile, RECT* r);
// The header's picture area 0 (previous month) or 1 (next month).
bool mkalBildRect(HWND kalender, int i, RECT* r);
