// "Hilfe > Über Velmo…" on the headless backend, driven through the main
// window's menu bar as a user would: the about box shows, OK or Esc end it,
// and the main window takes clicks, keys and its close button again.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "frame/anw.h"
#include "platform/backend.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/accel.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/orte.h"
#include "platform/ressource.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"
#include "tests/frame/rahmen_pruef.h"

namespace fs = std::filesystem;

namespace {

class Ueber : public ::testing::Test {
protected:
    fs::path wurzel, vorher;
    std::vector<const char*> argv{"velmo", "-W=1", "Projekt"};

    void SetUp() override
    {
        wurzel = rahmenWurzel("ueber");
        ASSERT_FALSE(wurzel.empty());
        fs::create_directories(wurzel / "arbeit" / "Projekt");
        rahmenUmgebung(wurzel);
        vorher = fs::current_path();
        fs::current_path(wurzel / "arbeit");
        plOrtArgumenteSetzen(static_cast<int>(argv.size()), argv.data());
        plFensterSystemEnde();
        ASSERT_EQ(plFensterSystemStart(), 0);
        ASSERT_EQ(anwStart(GetModuleHandle(nullptr), wiKommandozeile(), SW_SHOWDEFAULT), 0);
        plHeadlessPumpen();
    }

    void TearDown() override
    {
        if (anwLaufZustand() == 2) {
            PostMessage(anwHauptfenster(), WM_CLOSE, 0, 0);
            anwLauf();
            anwSchluss();
        }
        plFensterSystemEnde();
        fs::current_path(vorher);
        fs::remove_all(wurzel);
    }

    // Opens the last menu of the bar ("Hilfe") with a click and picks its
    // last item ("Über Velmo…") by keyboard, as a user may.
    static void ueberWaehlen()
    {
        HWND haupt = anwHauptfenster();
        HMENU leiste = GetMenu(haupt);
        int letztes = GetMenuItemCount(leiste) - 1;
        ASSERT_GE(letztes, 0);
        char text[80] = "";
        GetMenuString(leiste, static_cast<UINT>(letztes), text, sizeof text, MF_BYPOSITION);
        ASSERT_STREQ(text, "&Hilfe");
        HMENU hilfe = GetSubMenu(leiste, letztes);
        int n = GetMenuItemCount(hilfe);
        ASSERT_EQ(GetMenuItemID(hilfe, n - 1), 1999u);
        RECT r;
        ASSERT_TRUE(plMenueLeistenPunkt(haupt, letztes, &r));
        plHeadlessZeitVor(GetDoubleClickTime() + 1);  // a second choice is no double click
        plHeadlessKlick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        plHeadlessTaste(VK_UP);      // from no selection up to the last item
        plHeadlessTaste(VK_RETURN);
        rahmenPumpen();
    }

    static bool nimmtEingaben(HWND w)
    {
        return IsWindowEnabled(w) && IsWindowVisible(w);
    }
};

}  // namespace

TEST_F(Ueber, MenuShowsTheAboutBoxAndOkOrEscGiveTheMainWindowBack)
{
    HWND haupt = anwHauptfenster();
    for (UINT schluss : {static_cast<UINT>(VK_RETURN), static_cast<UINT>(VK_ESCAPE)}) {
        SCOPED_TRACE(schluss == VK_RETURN ? "OK by Enter" : "Esc");
        ueberWaehlen();
        HWND box = wiDlgSuchen("ANW_ABOUT");
        ASSERT_NE(box, 0u) << "the menu item reached the about box";
        EXPECT_TRUE(IsWindowVisible(box)) << "a box the user cannot see would lock the program";
        EXPECT_EQ(GetActiveWindow(), box);
        EXPECT_FALSE(IsWindowEnabled(haupt)) << "modal while it shows";
        // Centred across, one third of the free height down.
        RECT b, d;
        GetWindowRect(box, &b);
        SystemParametersInfo(SPI_GETWORKAREA, 0, &d, 0);
        EXPECT_EQ(b.left - d.left, (d.right - d.left - (b.right - b.left)) / 2);
        EXPECT_EQ(b.top - d.top, (d.bottom - d.top - (b.bottom - b.top)) / 3);
        if (schluss == VK_RETURN) {
            fs::path bild = fs::read_symlink("/proc/self/exe").parent_path() / "frame_ueber.png";
            EXPECT_EQ(plHeadlessPng(box, bild.c_str()), 0);
        }
        plHeadlessTaste(schluss);
        rahmenPumpen();
        EXPECT_EQ(wiDlgSuchen("ANW_ABOUT"), 0u);
        EXPECT_TRUE(nimmtEingaben(haupt));
    }

    // The main window reacts again: its close button ends the program.
    plBackendSchliessen(haupt);
    rahmenPumpen();
    EXPECT_GE(anwLaufZustand(), 4) << "WM_CLOSE reached the main window";
    EXPECT_EQ(anwLauf(), 0);
    anwSchluss();
    EXPECT_EQ(anwLaufZustand(), 9);
}

TEST_F(Ueber, TheCloseButtonOfTheBoxEndsItToo)
{
    ueberWaehlen();
    HWND box = wiDlgSuchen("ANW_ABOUT");
    ASSERT_NE(box, 0u);
    plBackendSchliessen(box);
    rahmenPumpen();
    EXPECT_EQ(wiDlgSuchen("ANW_ABOUT"), 0u);
    EXPECT_TRUE(nimmtEingaben(anwHauptfenster()));
}
