// Internals of the project manager page shared by proverw.cpp (page, list)
// and proverwbef.cpp (commands); nothing outside project/proverw*.cpp
// includes this. Prefix `Pvw` / `pvw`.
#pragma once

#include <cstddef>

#include "platform/windef.h"
#include "project/proverw.h"

struct PvwSeite {
    HWND fenster = 0;   // the page dialog, 0 while closed
    int bereit = 0;     // the list display may be used
    int spalte = 0;     // column offset of the rows (PvwSpalteBreite)
};
extern PvwSeite pvwSeite;

// The frame's services with the stand-ins in place of null members.
const PvwRahmenDienst& pvwRahmen();

// The file-name part of a path (after the last '/' or '\\'), cut to `kap`.
void pvwDateiTeil(const char* pfad, char* name, size_t kap);

// One WM_COMMAND of the page: id, notification, lParam.
void PvwBefehlAusfuehren(int id, int meldung, LPARAM lp);
