// Internals shared by menue.cpp and menue_verfolgung.cpp. Prefix `plMenue`.
// Nothing outside these two files includes it.
//
// Invariants:
//  1. A submenu belongs to at most one item; DestroyMenu of the parent
//     destroys it, RemoveMenu hands it back to the caller.
//  2. Item flags keep only the kind and state bits (MF_POPUP, MF_SEPARATOR,
//     MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_MENUBREAK, MF_MENUBARBREAK,
//     MF_HELP, MF_DEFAULT, MF_OWNERDRAW, MF_BITMAP); the position flags of
//     the calls are never stored.
#pragma once

#include <string>
#include <vector>

#include "platform/menue.h"

struct plMenuePunkt {
    UINT flags = 0;
    UINT id = 0;        // command (0 for separators and submenus)
    HMENU unter = 0;    // submenu with MF_POPUP
    std::string text;   // code page 1252, '&' mnemonic, '\t' shortcut
};

struct plMenueObjekt {
    bool popup = false;
    bool system = false;  // a window's system menu
    std::vector<plMenuePunkt> punkte;
};

plMenueObjekt* plMenueVon(HMENU h);
// Item `item` by position or by command (searching submenus); the menu that
// holds it in *halter. nullptr when missing.
plMenuePunkt* plMenuePunktSuchen(HMENU menu, UINT item, UINT flags, HMENU* halter, int* pos);
// The mnemonic of a text (the character after a single '&', upper case),
// 0 when none.
unsigned char plMenueMnemonic(const std::string& text);
// Installs the bar hooks of the window manager (again after its end).
void plMenueHooksSetzen();
// The window's system menu when GetSystemMenu made one, else 0.
HMENU plMenueSystemVorhanden(HWND hwnd);
