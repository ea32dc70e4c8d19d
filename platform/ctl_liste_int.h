// Internals of the LISTBOX control shared by ctl_liste*.cpp and the combo
// box (ctl_combo*.cpp). Prefix `lb`.
//
// Invariants of LbZustand:
//  1. -1 <= caret < count (caret -1 only when the box is empty); in a
//     single-selection box the selected item is `wahl` (-1 none) and no
//     item's `sel` is used.
//  2. 0 <= oben < max(count, 1).
#pragma once

#include <string>
#include <vector>

#include "platform/ctl_liste.h"

struct LbEintrag {
    std::string text;
    ULONG_PTR daten = 0;
    bool sel = false;
    int hoehe = 0;  // variable owner draw only
};

struct LbZustand {
    HWND h = 0;
    HWND combo = 0;       // the combo box this list belongs to (0: none)
    std::vector<LbEintrag> e;
    int oben = 0;         // first visible item
    int wahl = -1;        // selection of a single-selection box
    int caret = -1;       // item with the focus rectangle
    int anker = -1;       // anchor of extended selection
    int itemHoehe = 16;
    int spaltenBreite = 0;
    int horizontal = 0;   // LB_SETHORIZONTALEXTENT
    HFONT font = 0;
    bool fokus = false;
    bool malen = true;    // WM_SETREDRAW / LBS_NOREDRAW
    bool ziehen = false;
    bool ziehenStrg = false;
    int comboMaus = 0;    // dropped combo list: 1 pressed inside
    // Scroll bars the box was created with; they come and go with the need.
    bool leisteV = false;
    bool leisteH = false;
};

LbZustand* lbVon(HWND h);
DWORD lbStil(const LbZustand& z);
int lbAnzahl(const LbZustand& z);
bool lbMehrfach(const LbZustand& z);   // LBS_MULTIPLESEL or LBS_EXTENDEDSEL
bool lbEigenMalen(const LbZustand& z); // owner draw
bool lbMitText(const LbZustand& z);    // items carry strings
bool lbIstGewaehlt(const LbZustand& z, int i);
// The window owner-draw messages and notifications go to, the CtlType and
// CtlID to give, and the window to name as hwndItem.
HWND lbZiel(const LbZustand& z);
UINT lbArt(const LbZustand& z);
UINT lbId(const LbZustand& z);
HWND lbItemFenster(const LbZustand& z);

// Layout and painting (ctl_liste_malen.cpp).
int lbZeilenProSpalte(const LbZustand& z);
int lbSichtbar(const LbZustand& z);         // items that fit from `oben`
int lbHoeheVon(const LbZustand& z, int i);
bool lbRechteck(const LbZustand& z, int i, RECT* r);  // client coordinates
int lbItemBei(const LbZustand& z, POINT p, bool* ausserhalb);
void lbMessen(LbZustand& z, int i);          // WM_MEASUREITEM of a variable item
void lbSchriftMessen(LbZustand& z);
void lbItemMalen(LbZustand& z, int i, UINT aktion);  // at once, outside WM_PAINT
void lbMalen(LbZustand& z);
void lbNeuMalen(LbZustand& z);
void lbScrollLeisten(LbZustand& z);
void lbZeigen(LbZustand& z, int i);          // scrolls item i into view
void lbObenSetzen(LbZustand& z, int oben);

// Selection changes with immediate redraw of the items concerned
// (ctl_liste.cpp).
void lbWahlSetzen(LbZustand& z, int i);      // single selection
void lbCaretSetzen(LbZustand& z, int i);
void lbMelden(LbZustand& z, int code);

// LB_DIR (ctl_liste_dir.cpp): adds the names of `muster` (folder and
// pattern) through LB_ADDSTRING; the index of the last one added, or
// LB_ERR when the folder cannot be read.
LRESULT lbVerzeichnis(HWND h, UINT arten, const char* muster);
