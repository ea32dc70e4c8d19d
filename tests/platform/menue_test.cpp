// Menus: objects and resources, the menu bar driven by keyboard and mouse,
// TrackPopupMenu in its nested loop, the system menu's close item.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/fenster.h"
#include "platform/fensterint.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/systemwerte.h"
#include "platform/uhr.h"

namespace {

std::vector<std::string> protokoll;
std::function<void(HWND, UINT, WPARAM, LPARAM)> beiNachricht;

LRESULT menueProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    switch (m) {
    case WM_COMMAND: protokoll.push_back("COMMAND " + std::to_string(LOWORD(wp))); break;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) != SC_KEYMENU && (wp & 0xFFF0) != SC_MOUSEMENU)
            protokoll.push_back("SYSCOMMAND " + std::to_string(wp & 0xFFF0));
        break;
    case WM_INITMENU: protokoll.push_back(wp ? "INITMENU" : "INITMENU ohne Menue"); break;
    case WM_INITMENUPOPUP: protokoll.push_back("INITMENUPOPUP " + std::to_string(LOWORD(lp))); break;
    case WM_MENUSELECT:
        protokoll.push_back(HIWORD(wp) == 0xFFFF && lp == 0 ? std::string("MENUSELECT ende")
                                                            : "MENUSELECT " + std::to_string(LOWORD(wp)));
        break;
    case WM_ENTERMENULOOP: protokoll.push_back("ENTERMENULOOP"); break;
    case WM_EXITMENULOOP: protokoll.push_back("EXITMENULOOP"); break;
    case WM_USER: protokoll.push_back(plMenueVerfolgt() ? "USER im Menue" : "USER"); break;
    default: break;
    }
    if (beiNachricht) beiNachricht(h, m, wp, lp);
    return DefWindowProc(h, m, wp, lp);
}

bool enthaelt(const std::vector<std::string>& v, const std::string& s)
{
    for (const std::string& x : v)
        if (x == s) return true;
    return false;
}

std::vector<std::string> befehle()
{
    std::vector<std::string> v;
    for (const std::string& x : protokoll)
        if (x.rfind("COMMAND", 0) == 0 || x.rfind("SYSCOMMAND", 0) == 0) v.push_back(x);
    return v;
}

POINT mitte(const RECT& r)
{
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class MenueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plFensterSystemEnde();
        plMenueEnde();
        plUhrFestsetzen(1767254400000);
        protokoll.clear();
        beiNachricht = nullptr;
        WNDCLASS wc{};
        wc.lpfnWndProc = menueProc;
        wc.hCursor = plCursorSystem(IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "MenueTest";
        ASSERT_NE(RegisterClass(&wc), 0);
        modul = LoadLibrary("menueprobe");
        ASSERT_NE(modul, 0u);
    }
    void TearDown() override
    {
        beiNachricht = nullptr;
        plFensterSystemEnde();
        plMenueEnde();
        FreeLibrary(modul);
        plUhrFreigeben();
    }
    HWND hauptfenster(bool mitMenue = true, int breite = 500)
    {
        HMENU m = mitMenue ? LoadMenu(modul, "probe_menu") : 0;
        HWND h = CreateWindow("MenueTest", "Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, breite, 300, 0, m,
                              0, nullptr);
        EXPECT_NE(h, 0u);
        SetFocus(h);
        plHeadlessPumpen();
        protokoll.clear();
        return h;
    }
    HMODULE modul = 0;
};

// ---- Objects --------------------------------------------------------------------------------

TEST_F(MenueTest, ResourceMenuHasTheScriptsItemsAndCommandSearchReachesSubmenus)
{
    HMENU m = LoadMenu(modul, "probe_menu");
    ASSERT_NE(m, 0u);
    EXPECT_EQ(GetMenuItemCount(m), 3);
    HMENU datei = GetSubMenu(m, 0);
    EXPECT_EQ(GetMenuItemCount(datei), 4);
    EXPECT_EQ(GetMenuItemID(m, 0), static_cast<UINT>(-1));  // a submenu
    EXPECT_EQ(GetMenuItemID(m, 2), 301u);
    EXPECT_EQ(GetMenuItemID(datei, 2), 0u);  // separator
    char buf[64];
    EXPECT_EQ(GetMenuString(m, 102, buf, sizeof buf, MF_BYCOMMAND), 13);
    EXPECT_STREQ(buf, "\xD6&ffnen...\t^O");
    EXPECT_EQ(GetMenuString(m, 102, buf, 4, MF_BYCOMMAND), 3);  // cut, with its NUL
    EXPECT_STREQ(buf, "\xD6&f");
    EXPECT_EQ(GetMenuString(m, 102, nullptr, 0, MF_BYCOMMAND), 13);
    EXPECT_EQ(GetMenuString(m, 999, buf, sizeof buf, MF_BYCOMMAND), 0);
    EXPECT_EQ(GetMenuState(m, 201, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(m, 999, MF_BYCOMMAND), 0xFFFFFFFFu);
    EXPECT_EQ(LoadMenu(modul, "fehlt"), 0u);
    EXPECT_TRUE(DestroyMenu(m));
    EXPECT_EQ(plMenueAnzahl(), 0u);  // the submenus went with it
    EXPECT_FALSE(IsMenu(datei));
}

TEST_F(MenueTest, ItemStatesReturnThePreviousStateOrMinusOne)
{
    HMENU m = LoadMenu(modul, "probe_menu");
    EXPECT_EQ(EnableMenuItem(m, 201, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(m, 201, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(m, 1, MF_BYPOSITION | MF_GRAYED), MF_ENABLED);  // the bar item "Bearbeiten"
    EXPECT_EQ(EnableMenuItem(m, 999, MF_BYCOMMAND), -1);
    EXPECT_EQ(CheckMenuItem(m, 202, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(m, 202, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(m, 999, MF_BYCOMMAND), static_cast<DWORD>(-1));
    DestroyMenu(m);
}

TEST_F(MenueTest, InsertDeleteAndRemoveKeepSubmenusRight)
{
    HMENU m = LoadMenu(modul, "probe_menu");
    HMENU datei = GetSubMenu(m, 0);
    // By command: before the item, in the submenu that holds it.
    ASSERT_TRUE(InsertMenu(m, 103, MF_BYCOMMAND | MF_STRING, 104, "&Drucken"));
    EXPECT_EQ(GetMenuItemID(datei, 3), 104u);
    EXPECT_TRUE(InsertMenu(datei, 99, MF_BYPOSITION | MF_STRING, 105, "Ende"));  // past the end: appended
    EXPECT_EQ(GetMenuItemID(datei, GetMenuItemCount(datei) - 1), 105u);
    EXPECT_FALSE(InsertMenu(m, 999, MF_BYCOMMAND | MF_STRING, 106, "x"));
    EXPECT_TRUE(ModifyMenu(m, 104, MF_BYCOMMAND | MF_STRING, 107, "D&rucken..."));
    EXPECT_EQ(GetMenuItemID(datei, 3), 107u);

    size_t vorher = plMenueAnzahl();
    HMENU bearbeiten = GetSubMenu(m, 1);
    EXPECT_TRUE(RemoveMenu(m, 1, MF_BYPOSITION));  // the submenu lives on
    EXPECT_TRUE(IsMenu(bearbeiten));
    EXPECT_EQ(plMenueAnzahl(), vorher);
    EXPECT_TRUE(AppendMenu(m, MF_POPUP, bearbeiten, "&Bearbeiten"));
    EXPECT_TRUE(DeleteMenu(m, 1, MF_BYPOSITION));  // "Hilfe"
    EXPECT_TRUE(DeleteMenu(m, 1, MF_BYPOSITION));  // the re-appended submenu: destroyed
    EXPECT_FALSE(IsMenu(bearbeiten));
    EXPECT_FALSE(DeleteMenu(m, 7, MF_BYPOSITION));
    EXPECT_FALSE(AppendMenu(m, MF_POPUP, m, "selbst"));  // a menu cannot hold itself
    DestroyMenu(m);
    EXPECT_EQ(plMenueAnzahl(), 0u);
}

// ---- The bar ------------------------------------------------------------------------------------

TEST_F(MenueTest, BarTakesItsStripAndWrapsInANarrowWindow)
{
    HWND breit = hauptfenster(false);
    RECT ohne;
    GetClientRect(breit, &ohne);
    HWND mit = hauptfenster(true);
    RECT r;
    GetClientRect(mit, &r);
    EXPECT_EQ(ohne.bottom - r.bottom, GetSystemMetrics(SM_CYMENU));
    HWND schmal = hauptfenster(true, 90);
    RECT s;
    GetClientRect(schmal, &s);
    EXPECT_GE(ohne.bottom - s.bottom, 2 * GetSystemMetrics(SM_CYMENU));
    RECT p0, p1;
    ASSERT_TRUE(plMenueLeistenPunkt(mit, 0, &p0));
    ASSERT_TRUE(plMenueLeistenPunkt(mit, 1, &p1));
    EXPECT_EQ(p0.right, p1.left);
    EXPECT_EQ(p0.top, p1.top);
}

TEST_F(MenueTest, DestroyingAWindowDestroysItsMenuBar)
{
    HWND mit = hauptfenster(true);
    HMENU leiste = GetMenu(mit);
    ASSERT_TRUE(IsMenu(leiste));
    HMENU unter = GetSubMenu(leiste, 0);
    ASSERT_TRUE(IsMenu(unter));
    DestroyWindow(mit);
    EXPECT_FALSE(IsMenu(leiste));
    EXPECT_FALSE(IsMenu(unter));
}

struct TastenFall {
    const char* name;
    std::vector<int> tasten;  // > 0 tap a key; -VK_MENU holds Alt, -1 releases it
    int befehl;               // 0: none
};

void PrintTo(const TastenFall& f, std::ostream* os)
{
    *os << f.name;
}

class LeisteTasten : public MenueTest, public ::testing::WithParamInterface<TastenFall> {};

TEST_P(LeisteTasten, BarDrivenByAltArrowsAndMnemonics)
{
    const TastenFall& f = GetParam();
    HWND h = hauptfenster();
    for (int t : f.tasten) {
        if (t == -VK_MENU)
            plHeadlessTasteRunter(VK_MENU);
        else if (t == -1)
            plHeadlessTasteHoch(VK_MENU);
        else
            plHeadlessTaste(static_cast<UINT>(t));
    }
    plHeadlessPumpen();
    EXPECT_EQ(plMenueVerfolgt(), 0u) << f.name;
    std::vector<std::string> erwartet;
    if (f.befehl) erwartet.push_back("COMMAND " + std::to_string(f.befehl));
    EXPECT_EQ(befehle(), erwartet) << f.name;
    EXPECT_TRUE(IsWindow(h));
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, LeisteTasten,
    ::testing::Values(
        TastenFall{"Alt, right, down opens with the first item, down, enter", {VK_MENU, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}, 202},
        TastenFall{"Alt+D mnemonic opens the popup, N chooses", {-VK_MENU, 'D', -1, 'N'}, 101},
        TastenFall{"F10 selects the bar, down, down skips nothing, enter", {VK_F10, VK_DOWN, VK_DOWN, VK_RETURN}, 102},
        TastenFall{"separator skipped on the way up", {VK_F10, VK_RETURN, VK_UP, VK_RETURN}, 103},
        TastenFall{"submenu by mnemonic and right arrow", {VK_MENU, 'B', 'E', VK_DOWN, VK_RETURN}, 212},
        TastenFall{"right arrow opens a submenu", {VK_MENU, 'B', VK_UP, VK_RIGHT, VK_RETURN}, 211},
        TastenFall{"left wraps to the plain bar item", {VK_MENU, VK_LEFT, VK_RETURN}, 301},
        TastenFall{"greyed item does nothing; Esc twice leaves", {VK_MENU, 'B', VK_RETURN, VK_ESCAPE, VK_ESCAPE}, 0},
        TastenFall{"greyed mnemonic does nothing", {VK_MENU, 'B', 'A', VK_ESCAPE, VK_ESCAPE}, 0},
        TastenFall{"Alt again leaves the menu", {VK_MENU, VK_DOWN, VK_MENU}, 0}),
    [](const ::testing::TestParamInfo<TastenFall>& i) { return "Fall" + std::to_string(i.index); });

TEST_F(MenueTest, BarNotificationsComeInWindowsOrder)
{
    hauptfenster();
    plHeadlessTaste(VK_MENU);
    plHeadlessTaste(VK_DOWN);
    plHeadlessTaste(VK_RETURN);
    plHeadlessPumpen();
    std::vector<std::string> erwartet = {"ENTERMENULOOP", "INITMENU",      "MENUSELECT 0",      "INITMENUPOPUP 0",
                                         "MENUSELECT 101", "MENUSELECT ende", "EXITMENULOOP", "COMMAND 101"};
    EXPECT_EQ(protokoll, erwartet);
}

TEST_F(MenueTest, AltWithAnotherKeyDoesNotOpenTheBar)
{
    hauptfenster();
    plHeadlessTasteRunter(VK_MENU);
    plHeadlessTaste(VK_F4 + 1);  // a key without a meaning here
    plHeadlessTasteHoch(VK_MENU);
    plHeadlessPumpen();
    EXPECT_FALSE(enthaelt(protokoll, "INITMENU"));
}

TEST_F(MenueTest, BarDrivenByTheMouse)
{
    HWND h = hauptfenster();
    RECT bar;
    ASSERT_TRUE(plMenueLeistenPunkt(h, 1, &bar));
    // Once the popup is open, click its second item.
    beiNachricht = [](HWND w, UINT m, WPARAM, LPARAM) {
        if (m == WM_INITMENUPOPUP) PostMessage(w, WM_USER + 1, 0, 0);
        if (m == WM_USER + 1) {
            RECT p;
            ASSERT_TRUE(plMenuePopupPunkt(0, 1, &p));
            POINT c = mitte(p);
            plHeadlessKlick(c.x, c.y);
        }
    };
    POINT c = mitte(bar);
    plHeadlessKlick(c.x, c.y);
    plHeadlessPumpen();
    EXPECT_EQ(befehle(), std::vector<std::string>{"COMMAND 202"});
    EXPECT_EQ(plMenuePopupFenster(0), 0u);

    // A click outside dismisses without a command.
    protokoll.clear();
    beiNachricht = [](HWND w, UINT m, WPARAM, LPARAM) {
        if (m == WM_INITMENUPOPUP) PostMessage(w, WM_USER + 1, 0, 0);
        if (m == WM_USER + 1) plHeadlessKlick(5, 1000);
    };
    plHeadlessKlick(c.x, c.y);
    plHeadlessPumpen();
    EXPECT_TRUE(befehle().empty());
    EXPECT_EQ(plMenueVerfolgt(), 0u);

    // A second click on the open item closes the menu.
    protokoll.clear();
    beiNachricht = [c](HWND w, UINT m, WPARAM, LPARAM) {
        if (m == WM_INITMENUPOPUP) PostMessage(w, WM_USER + 1, 0, 0);
        if (m == WM_USER + 1) plHeadlessKlick(c.x, c.y);
    };
    plHeadlessKlick(c.x, c.y);
    plHeadlessPumpen();
    EXPECT_TRUE(enthaelt(protokoll, "EXITMENULOOP"));
    EXPECT_TRUE(befehle().empty());
    EXPECT_EQ(plMenueVerfolgt(), 0u);
}

// ---- Popup menus ---------------------------------------------------------------------------------

struct PopupFall {
    const char* name;
    UINT flags;
    std::vector<UINT> tasten;
    BOOL ergebnis;
    std::vector<std::string> befehle;
};

void PrintTo(const PopupFall& f, std::ostream* os)
{
    *os << f.name;
}

class Popup : public MenueTest, public ::testing::WithParamInterface<PopupFall> {};

TEST_P(Popup, TrackPopupMenuRunsANestedLoop)
{
    const PopupFall& f = GetParam();
    HWND h = hauptfenster(false);
    HMENU rm = LoadMenu(modul, "probe_rm");
    HMENU kontext = GetSubMenu(rm, 0);
    for (UINT t : f.tasten) plHeadlessTaste(t);
    // Posted before the loop starts: dispatched by the menu's own loop.
    PostMessage(h, WM_USER, 0, 0);
    BOOL r = TrackPopupMenu(kontext, f.flags, 300, 200, 0, h, nullptr);
    EXPECT_EQ(r, f.ergebnis) << f.name;
    EXPECT_TRUE(enthaelt(protokoll, "USER im Menue")) << f.name;
    EXPECT_TRUE(enthaelt(protokoll, "INITMENU")) << f.name;
    EXPECT_TRUE(befehle().empty()) << f.name;  // nothing is sent during the loop
    plHeadlessPumpen();
    EXPECT_EQ(befehle(), f.befehle) << f.name;
    EXPECT_EQ(plMenuePopupFenster(0), 0u);
    DestroyMenu(rm);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Popup,
    ::testing::Values(
        PopupFall{"RETURNCMD: up from nothing reaches the last item", TPM_RETURNCMD, {VK_UP, VK_RETURN}, 1840, {}},
        PopupFall{"RETURNCMD: Esc gives 0", TPM_RETURNCMD, {VK_DOWN, VK_ESCAPE}, 0, {}},
        PopupFall{"RETURNCMD: greyed item gives nothing", TPM_RETURNCMD, {'B', VK_RETURN, VK_ESCAPE}, 0, {}},
        PopupFall{"posted: mnemonic", TPM_LEFTALIGN, {'N'}, TRUE, {"COMMAND 1800"}},
        PopupFall{"posted: Esc posts nothing", 0, {VK_ESCAPE}, TRUE, {}}),
    [](const ::testing::TestParamInfo<PopupFall>& i) { return "Fall" + std::to_string(i.index); });

TEST_F(MenueTest, PopupChosenWithTheRightButtonOnlyWhenAsked)
{
    HWND h = hauptfenster(false);
    HMENU rm = LoadMenu(modul, "probe_rm");
    HMENU kontext = GetSubMenu(rm, 0);
    for (UINT flags : {static_cast<UINT>(TPM_RETURNCMD | TPM_RIGHTBUTTON), static_cast<UINT>(TPM_RETURNCMD)}) {
        beiNachricht = [](HWND w, UINT m, WPARAM, LPARAM) {
            if (m == WM_INITMENUPOPUP) PostMessage(w, WM_USER + 1, 0, 0);
            if (m == WM_USER + 1) {
                RECT p;
                ASSERT_TRUE(plMenuePopupPunkt(0, 0, &p));
                POINT c = mitte(p);
                plHeadlessKlick(c.x, c.y, 1);
                plHeadlessTaste(VK_ESCAPE);
            }
        };
        BOOL r = TrackPopupMenu(kontext, flags, 300, 200, 0, h, nullptr);
        EXPECT_EQ(r, (flags & TPM_RIGHTBUTTON) ? 1800 : 0);
    }
    EXPECT_FALSE(TrackPopupMenu(kontext, TPM_RETURNCMD, 0, 0, 0, 0, nullptr));  // no owner
    DestroyMenu(rm);
}

TEST_F(MenueTest, PopupStaysOnTheScreen)
{
    HWND h = hauptfenster(false);
    HMENU rm = LoadMenu(modul, "probe_rm");
    RECT fenster{0, 0, 0, 0};
    beiNachricht = [&](HWND, UINT m, WPARAM, LPARAM) {
        if (m == WM_MENUSELECT && plMenuePopupFenster(0)) GetWindowRect(plMenuePopupFenster(0), &fenster);
    };
    plHeadlessTaste(VK_DOWN);
    plHeadlessTaste(VK_ESCAPE);
    TrackPopupMenu(GetSubMenu(rm, 0), TPM_RETURNCMD | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 5, 5, 0, h, nullptr);
    EXPECT_EQ(fenster.left, 0);
    EXPECT_EQ(fenster.top, 0);
    EXPECT_GT(fenster.right, 0);
    DestroyMenu(rm);
}

// An idle headless loop takes the scripted answer, else closes as by Esc;
// keys that wait are the menu's first, and the observer sees it open.
TEST_F(MenueTest, AnIdleMenuTakesTheScriptedAnswerElseCloses)
{
    struct Fall {
        std::vector<UINT> antworten;
        std::vector<UINT> tasten;
        BOOL ergebnis;
    };
    const Fall faelle[] = {
        {{}, {}, 0},                       // nothing to come: closed, never waits
        {{1840}, {}, 1840},                // chosen by command
        {{1810}, {}, 0},                   // greyed: closed
        {{4711}, {}, 0},                   // no such item
        {{0, 1800}, {}, 0},                // 0 closes (not skipped)
        {{1840}, {VK_DOWN, VK_RETURN}, 1800},  // the user's keys come first
    };
    HWND h = hauptfenster(false);
    HMENU rm = LoadMenu(modul, "probe_rm");
    static int gesehen;
    plMenueBeobachter([](HWND popup) { gesehen += popup != 0 && IsWindowVisible(popup); });
    for (const Fall& f : faelle) {
        plMenueSkriptLeeren();
        gesehen = 0;
        for (UINT a : f.antworten) plMenueAntwort(a);
        for (UINT t : f.tasten) plHeadlessTaste(t);
        EXPECT_EQ(TrackPopupMenu(GetSubMenu(rm, 0), TPM_RETURNCMD, 300, 200, 0, h, nullptr), f.ergebnis);
        EXPECT_EQ(gesehen, f.tasten.empty() ? 1 : 0);
        EXPECT_EQ(plMenueVerfolgt(), 0u);
    }
    plMenueBeobachter(nullptr);
    plMenueSkriptLeeren();
    // A timer soon due is waited for and may drive the menu; one that keeps
    // coming holds it no longer than the idle limit.
    static int laeufe;
    laeufe = 0;
    SetTimer(h, 7, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        if (++laeufe == 1) plHeadlessTaste(VK_DOWN), plHeadlessTaste(VK_RETURN);
    });
    EXPECT_EQ(TrackPopupMenu(GetSubMenu(rm, 0), TPM_RETURNCMD, 300, 200, 0, h, nullptr), 1800);
    EXPECT_EQ(TrackPopupMenu(GetSubMenu(rm, 0), TPM_RETURNCMD, 300, 200, 0, h, nullptr), 0);
    EXPECT_GT(laeufe, 100);
    KillTimer(h, 7);
    DestroyMenu(rm);
}

// ---- System menu -------------------------------------------------------------------------------------

TEST_F(MenueTest, GreyedCloseItemStopsTheCloseCommand)
{
    HWND h = hauptfenster(false);
    HMENU sys = GetSystemMenu(h, FALSE);
    ASSERT_NE(sys, 0u);
    EXPECT_EQ(GetSystemMenu(h, FALSE), sys);
    EXPECT_EQ(EnableMenuItem(sys, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    plHeadlessTasteRunter(VK_MENU);
    plHeadlessTaste(VK_F4);
    plHeadlessTasteHoch(VK_MENU);
    plHeadlessPumpen();
    EXPECT_TRUE(IsWindow(h));
    EnableMenuItem(sys, SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(MenueTest, KeyMenuWithABlankOpensTheSystemMenuWhoseCloseSendsTheSystemCommand)
{
    HWND h = hauptfenster(false);
    plHeadlessTaste('S');
    SendMessage(h, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    plHeadlessPumpen();
    EXPECT_EQ(befehle(), std::vector<std::string>{"SYSCOMMAND " + std::to_string(SC_CLOSE)});
    EXPECT_FALSE(IsWindow(h));
}

}  // namespace
