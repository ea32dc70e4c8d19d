// Helpers of runs on the frame: the running frame on a
// working copy of the demo with a sheet open in the editor, and a look at
// a popup menu while it is open (its picture and item texts), after which
// the keys a user would type are given to it.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/edtseite.h"
#include "frame/modus.h"
#include "model/edhaken.h"
#include "platform/eingabe.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/nachrichtbox.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "winlib/anwdaten.h"
#include "tests/tools/demokopie.h"

// What the menu observer saw and will type.
struct MenueBlick {
    std::string bild;               // a PNG of the popup, once, when set
    std::vector<std::string> texte;  // the tracked menu's item texts
    std::vector<UINT> tasten;        // typed once it was looked at
};

inline MenueBlick& menueBlick()
{
    static MenueBlick b;
    return b;
}

inline void menueAnsehen(HWND popup)
{
    MenueBlick& b = menueBlick();
    if (!b.bild.empty() && popup) plHeadlessPng(popup, b.bild.c_str());
    b.bild.clear();
    HMENU m = plMenueVerfolgt();
    b.texte.clear();
    for (int i = 0; m && i < GetMenuItemCount(m); ++i) {
        char t[100] = "";
        GetMenuString(m, static_cast<UINT>(i), t, sizeof t, MF_BYPOSITION);
        b.texte.push_back(t);
    }
    for (UINT k : b.tasten) plHeadlessTaste(k);
    b.tasten.clear();
}

// A line typed into the editor's input line and sent with Enter, pumped as
// the frame does.
inline void eingabeZeile(const char* zeile)
{
    HWND feld = GetDlgItem(EdtFenster(), 5020);
    SetFocus(feld);
    SetWindowText(feld, "");
    plHeadlessText(zeile);
    plHeadlessTaste(VK_RETURN);
    rahmenPumpen();
}

// The steps to item `id` in `menu`: per level the count of items above it
// (separators stepped over, a submenu counts as an item). Empty when absent.
inline std::vector<int> menueWeg(HMENU menu, int id)
{
    int k = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT pid = GetMenuItemID(menu, i);
        if (static_cast<int>(pid) == id) return {k};
        if (HMENU unter = GetSubMenu(menu, i)) {
            std::vector<int> w = menueWeg(unter, id);
            if (!w.empty()) {
                w.insert(w.begin(), k);
                return w;
            }
        }
        if (pid != 0) ++k;
    }
    return {};
}

// Chooses menu item `id` of the main window's menu bar as a user does: Alt
// and the popup's mnemonic, down to the item, Right into a submenu, Enter.
// False when no popup holds the item.
inline bool menueWaehlen(int id)
{
    HMENU leiste = anwDaten()->menue;
    for (int p = 0; p < GetMenuItemCount(leiste); ++p) {
        HMENU popup = GetSubMenu(leiste, p);
        if (popup == 0) continue;
        const std::vector<int> weg = menueWeg(popup, id);
        if (weg.empty()) continue;
        char titel[80] = "";
        GetMenuString(leiste, static_cast<UINT>(p), titel, sizeof titel, MF_BYPOSITION);
        const char* und = std::strchr(titel, '&');
        if (und == nullptr) return false;
        plHeadlessTasteRunter(VK_MENU);
        plHeadlessTaste(static_cast<UINT>(std::toupper(static_cast<unsigned char>(und[1]))));
        plHeadlessTasteHoch(VK_MENU);
        for (size_t e = 0; e < weg.size(); ++e) {
            if (e > 0) plHeadlessTaste(VK_RIGHT);
            for (int s = 0; s < weg[e]; ++s) plHeadlessTaste(VK_DOWN);
        }
        plHeadlessTaste(VK_RETURN);
        plHeadlessPumpen();
        return true;
    }
    return false;
}

// The editor's view, the screen point of a world point in it, and a click of
// the left button there (with Shift when asked); the clock moves on so that
// no two clicks make a double click.
inline HWND editorAnsicht() { return GetDlgItem(EdtFenster(), 5000); }
inline POINT editorPunkt(double x, double y)
{
    return plHeadlessPunkt(editorAnsicht(), WeltZuPixelX(x), WeltZuPixelY(y));
}
inline void editorKlick(double x, double y, bool shift = false)
{
    const POINT p = editorPunkt(x, y);
    if (shift) plHeadlessTasteRunter(VK_SHIFT);
    plHeadlessKlick(p.x, p.y, 0);
    if (shift) plHeadlessTasteHoch(VK_SHIFT);
    rahmenPumpen();
    plHeadlessZeitVor(1000);
    rahmenPumpen();
}

// The frame on a demo copy in mode `modus` (the editor: with sheet HV1.08
// open), the menu observer installed.
class DemoLauf : public DemoRahmen {
protected:
    virtual void seiteOeffnen()
    {
        EditorMitDatei((demo.projekt() + "/HV1.08").c_str());
        rahmenPumpen();
    }
    void SetUp() override
    {
        DemoRahmen::SetUp();
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
        seiteOeffnen();
        plNachrichtBoxFragenLeeren();
        menueBlick() = MenueBlick{};
        plMenueBeobachter(menueAnsehen);
    }
    void TearDown() override
    {
        plMenueBeobachter(nullptr);
        plMenueSkriptLeeren();
        DemoRahmen::TearDown();
    }
    // Copies a picture written into the demo copy to where `umgebung` names.
    void bildAblegen(const std::string& name, const char* umgebung)
    {
        if (const char* ziel = std::getenv(umgebung))
            std::filesystem::copy_file(demo.wurzel() + "/" + name, ziel,
                                       std::filesystem::copy_options::overwrite_existing);
    }
};
