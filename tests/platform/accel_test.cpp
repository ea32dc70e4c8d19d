// Accelerator tables: building and copying them, TranslateAccelerator with
// virtual keys and characters and exact modifiers, greyed menu commands, and
// the frame's loop offering keys to the accelerators before the dialog.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/accel.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/fensterint.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/uhr.h"

namespace {

std::vector<std::string> befehle;

LRESULT rahmenProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COMMAND)
        befehle.push_back(std::to_string(LOWORD(wp)) + (HIWORD(wp) == 1 ? " Taste" : ""));
    return DefWindowProc(h, m, wp, lp);
}

INT_PTR seiteProc(HWND, UINT m, WPARAM wp, LPARAM)
{
    if (m == WM_COMMAND) befehle.push_back("Seite " + std::to_string(LOWORD(wp)));
    return m == WM_INITDIALOG ? TRUE : FALSE;
}

class AccelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plFensterSystemEnde();
        plMenueEnde();
        plUhrFestsetzen(1767254400000);
        befehle.clear();
        WNDCLASS wc{};
        wc.lpfnWndProc = rahmenProc;
        wc.lpszClassName = "AccelRahmen";
        ASSERT_NE(RegisterClass(&wc), 0);
        modul = LoadLibrary("menueprobe");
        haupt = CreateWindow("AccelRahmen", "Rahmen", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 600, 400, 0,
                             LoadMenu(modul, "probe_menu"), 0, nullptr);
        SetFocus(haupt);
        tabelle = LoadAccelerators(modul, "probe_accel");
        ASSERT_NE(tabelle, 0u);
    }
    void TearDown() override
    {
        DestroyAcceleratorTable(tabelle);
        plFensterSystemEnde();
        plMenueEnde();
        FreeLibrary(modul);
        plUhrFreigeben();
    }
    // The frame's loop: accelerators first, then (when given) the dialog.
    void rahmenSchleife(HWND seite, bool seiteZuerst = false)
    {
        MSG m;
        while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
            if (seiteZuerst && seite && IsDialogMessage(seite, &m)) continue;
            if (TranslateAccelerator(haupt, tabelle, &m)) continue;
            if (!seiteZuerst && seite && IsDialogMessage(seite, &m)) continue;
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
    }
    static void tippen(std::vector<UINT> halten, UINT taste)
    {
        for (UINT h : halten) plHeadlessTasteRunter(h);
        plHeadlessTaste(taste);
        for (auto it = halten.rbegin(); it != halten.rend(); ++it) plHeadlessTasteHoch(*it);
    }
    HMODULE modul = 0;
    HWND haupt = 0;
    HACCEL tabelle = 0;
};

TEST_F(AccelTest, TablesAreBuiltCopiedAndDestroyed)
{
    ACCEL a[2] = {{FVIRTKEY | FCONTROL, 'S', 7}, {0, 'q', 8}};
    EXPECT_EQ(CreateAcceleratorTable(nullptr, 2), 0u);
    EXPECT_EQ(CreateAcceleratorTable(a, 0), 0u);
    HACCEL h = CreateAcceleratorTable(a, 2);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(CopyAcceleratorTable(h, nullptr, 0), 2);
    ACCEL b[3] = {};
    EXPECT_EQ(CopyAcceleratorTable(h, b, 1), 1);
    EXPECT_EQ(b[0].cmd, 7);
    EXPECT_EQ(b[1].cmd, 0);  // not written past the count asked for
    EXPECT_EQ(CopyAcceleratorTable(tabelle, nullptr, 0), 7);
    EXPECT_EQ(LoadAccelerators(modul, "fehlt"), 0u);
    EXPECT_TRUE(DestroyAcceleratorTable(h));
    EXPECT_FALSE(DestroyAcceleratorTable(h));
    EXPECT_EQ(CopyAcceleratorTable(h, nullptr, 0), 0);
    EXPECT_EQ(plAccelAnzahl(), 1u);  // only the fixture's table
}

struct AccelFall {
    const char* name;
    std::vector<UINT> halten;
    UINT taste;
    const char* befehl;  // nullptr: none
};

void PrintTo(const AccelFall& f, std::ostream* os)
{
    *os << f.name;
}

class AccelTasten : public AccelTest, public ::testing::WithParamInterface<AccelFall> {};

TEST_P(AccelTasten, KeysAndCharactersWithExactModifiers)
{
    const AccelFall& f = GetParam();
    tippen(f.halten, f.taste);
    rahmenSchleife(0);
    std::vector<std::string> erwartet;
    if (f.befehl) erwartet.push_back(f.befehl);
    EXPECT_EQ(befehle, erwartet) << f.name;
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, AccelTasten,
    ::testing::Values(AccelFall{"Ctrl+N", {VK_CONTROL}, 'N', "1835 Taste"},
                      AccelFall{"Ctrl+Shift+N", {VK_CONTROL, VK_SHIFT}, 'N', "1836 Taste"},
                      AccelFall{"N alone", {}, 'N', nullptr},
                      AccelFall{"Ctrl+Alt+N is no entry", {VK_CONTROL, VK_MENU}, 'N', nullptr},
                      AccelFall{"Ctrl+O as the character ^O", {VK_CONTROL}, 'O', "1837 Taste"},
                      AccelFall{"F1", {}, VK_F1, "1992 Taste"},
                      AccelFall{"Shift+F1 is no entry", {VK_SHIFT}, VK_F1, nullptr},
                      AccelFall{"Delete", {}, VK_DELETE, "1840 Taste"},
                      AccelFall{"Alt+x as a character with Alt", {VK_MENU}, 'X', "1850 Taste"},
                      AccelFall{"x without Alt", {}, 'X', nullptr},
                      AccelFall{"+ from the number pad", {}, VK_ADD, "1860 Taste"}),
    [](const ::testing::TestParamInfo<AccelFall>& i) { return "Fall" + std::to_string(i.index); });

TEST_F(AccelTest, GreyedMenuCommandIsSwallowed)
{
    HMENU m = GetMenu(haupt);
    AppendMenu(GetSubMenu(m, 0), MF_STRING | MF_GRAYED, 1835, "Neues &Projekt\t^N");
    tippen({VK_CONTROL}, 'N');
    rahmenSchleife(0);
    EXPECT_TRUE(befehle.empty());
    EnableMenuItem(m, 1835, MF_BYCOMMAND | MF_ENABLED);
    tippen({VK_CONTROL}, 'N');
    rahmenSchleife(0);
    EXPECT_EQ(befehle, std::vector<std::string>{"1835 Taste"});
}

TEST_F(AccelTest, AcceleratorsBeatDialogNavigationOnlyWhereTheFrameOffersThemFirst)
{
    HWND seite = CreateDialog(modul, "probe_dlg", haupt, seiteProc);
    ASSERT_NE(seite, 0u);
    HWND eins = GetDlgItem(seite, 11), zwei = GetDlgItem(seite, 12);
    SetFocus(eins);

    // Accelerators first: Ctrl+N and Delete reach the frame although the
    // focus is in the dialog; Tab, no accelerator, still moves the focus.
    tippen({VK_CONTROL}, 'N');
    plHeadlessTaste(VK_DELETE);
    plHeadlessTaste(VK_TAB);
    rahmenSchleife(seite);
    EXPECT_EQ(befehle, (std::vector<std::string>{"1835 Taste", "1840 Taste"}));
    EXPECT_EQ(GetFocus(), zwei);

    // The dialog first: it takes every key of its own, the frame gets none.
    befehle.clear();
    tippen({VK_CONTROL}, 'N');
    plHeadlessTaste(VK_TAB);
    rahmenSchleife(seite, true);
    EXPECT_TRUE(befehle.empty());
    EXPECT_EQ(GetFocus(), eins);
}

}  // namespace
