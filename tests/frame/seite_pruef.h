// Keys and clicks on the real frame's project page and its dialogs, as a
// user gives them, for the runs of tests/frame: headless keys and clicks
// through the frame's loop body, fields typed into, rows of the drawing
// list reached with the arrow keys, entries of the row's context menu.
// Header only; needs the frame started by rahmen_pruef.h.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "controls/lisanzeige.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/headless.h"
#include "platform/winconst.h"
#include "project/pvwliste.h"
#include "tests/frame/rahmen_pruef.h"
#include "winlib/dialog.h"

namespace seitepruef {

inline std::string lesen(const std::filesystem::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void pumpen() { rahmenPumpen(); }

inline void taste(UINT t, int mal = 1)
{
    for (int i = 0; i < mal; ++i) plHeadlessTaste(t);
    pumpen();
}

inline void mit(UINT halten, UINT t, int mal = 1)
{
    plHeadlessTasteRunter(halten);
    for (int i = 0; i < mal; ++i) plHeadlessTaste(t);
    plHeadlessTasteHoch(halten);
    pumpen();
}

inline void klick(HWND dlg, int id)
{
    HWND k = GetDlgItem(dlg, id);
    ASSERT_NE(k, 0u) << id;
    const POINT p = plHeadlessPunkt(k, 4, 4);
    plHeadlessKlick(p.x, p.y);
    pumpen();
}

// A click into a field, its text erased and new text typed.
inline void tippen(HWND dlg, int id, const char* text)
{
    klick(dlg, id);
    plHeadlessTaste(VK_END);
    for (int i = 0; i < 30; ++i) plHeadlessTaste(VK_BACK);
    plHeadlessText(text);
    pumpen();
}

inline std::string feld(HWND dlg, int id)
{
    char t[300] = "";
    GetDlgItemText(dlg, id, t, sizeof t);
    return t;
}

inline std::string cursorEintrag()
{
    HWND seite = rahmenSeite(MODUS_PVW);
    if (wiDlgBetreten(seite) < 0) return "";
    const int zeile = LisAkt(3000);
    wiDlgVerlassen();
    char n[PVWNAMESUP + 1] = "";
    return PvwZeiName(zeile, n, sizeof n) > 0 ? n : "";
}

// A click into the list (clearing the marks), then the arrow keys to the row.
inline void zeileWaehlen(const char* name)
{
    HWND liste = GetDlgItem(rahmenSeite(MODUS_PVW), 3000);
    ASSERT_NE(liste, 0u);
    const POINT p = plHeadlessPunkt(liste, 20, 5);
    plHeadlessZeitVor(1000);  // not the second click of a double click
    plHeadlessKlick(p.x, p.y);
    pumpen();
    taste(VK_HOME);
    for (int i = 0; i < 40 && cursorEintrag() != name; ++i) taste(VK_DOWN);
    ASSERT_EQ(cursorEintrag(), name);
}

// An entry of the row's context menu: the Applications key, `schritte`
// steps down, Enter.
inline void kontext(int schritte)
{
    plHeadlessTaste(VK_APPS);
    for (int i = 0; i < schritte; ++i) plHeadlessTaste(VK_DOWN);
    taste(VK_RETURN);
}

}  // namespace seitepruef
