// Mouse and keyboard input on the headless backend: double clicks by class
// style, time and distance, MK_ flags, the wheel, key messages with their
// lParam bits, WM_CHAR through TranslateMessage, key state, cursors.
#include "platform/backend.h"
#include "tests/platform/fenster_pruef.h"

using namespace pruef;
using V = std::vector<std::string>;

namespace {

class Eingabe : public Fixture {};

TEST_F(Eingabe, DoubleClicksByClassStyleTimeAndDistance)
{
    struct Fall {
        const char* satz;
        const char* klasse;
        int pauseMs;
        int dx;
        V erwartet;
    };
    const Fall faelle[] = {
        {"quick second click on a CS_DBLCLKS window", "Rec", 200, 0, V{"LBUTTONDOWN", "LBUTTONDBLCLK"}},
        {"at the time limit still a double click", "Rec", 500, 2, V{"LBUTTONDOWN", "LBUTTONDBLCLK"}},
        {"too slow", "Rec", 501, 0, V{"LBUTTONDOWN", "LBUTTONDOWN"}},
        {"too far apart", "Rec", 100, 3, V{"LBUTTONDOWN", "LBUTTONDOWN"}},
        {"class without CS_DBLCLKS", "RecEinfach", 100, 0, V{"LBUTTONDOWN", "LBUTTONDOWN"}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.satz);
        HWND a = fenster("A", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, 0, 0, f.klasse);
        plHeadlessPumpen();
        V ist;
        eingriff = [&ist](HWND, UINT m, WPARAM, LPARAM, LRESULT&) {
            if (m == WM_LBUTTONDOWN || m == WM_LBUTTONDBLCLK) ist.push_back(nachrichtName(m));
            return false;
        };
        plHeadlessKlick(150, 150);
        plHeadlessPumpen();
        plUhrVorruecken(f.pauseMs);
        plHeadlessKlick(150 + f.dx, 150);
        plHeadlessPumpen();
        EXPECT_EQ(ist, f.erwartet);
        eingriff = nullptr;
        DestroyWindow(a);
    }
}

TEST_F(Eingabe, ThirdClickAfterDoubleClickIsAPlainPressAndCaptionDoubleClicksNeedNoStyle)
{
    HWND a = fenster("A", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100, 300, 200, 0, 0, "RecEinfach");
    beachtet = {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK};
    plHeadlessPumpen();
    nimm();
    POINT c = plHeadlessPunkt(a, 0, -8);  // in the caption
    plHeadlessKlick(c.x + 20, c.y);
    plHeadlessKlick(c.x + 20, c.y);
    plHeadlessKlick(c.x + 20, c.y);
    EXPECT_EQ(pumpen(), (V{"A:NCLBUTTONDOWN", "A:NCLBUTTONDBLCLK", "A:NCLBUTTONDOWN"}));
    // With a maximise box, a double click on the caption maximises.
    SetWindowLong(a, GWL_STYLE, GetWindowLong(a, GWL_STYLE) | WS_MAXIMIZEBOX);
    plUhrVorruecken(1000);
    plHeadlessKlick(c.x + 20, c.y);
    plHeadlessKlick(c.x + 20, c.y);
    plHeadlessPumpen();
    EXPECT_TRUE(IsZoomed(a));
    WINDOWPLACEMENT wp{};
    GetWindowPlacement(a, &wp);
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.rcNormalPosition.left, 100);
    EXPECT_EQ(wp.rcNormalPosition.right, 400);
    ShowWindow(a, SW_RESTORE);
    RECT r;
    GetWindowRect(a, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.bottom, 300);
}

TEST_F(Eingabe, MouseMessagesCarryButtonsModifiersAndClientCoordinates)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    plHeadlessPumpen();
    std::vector<MSG> ms;
    eingriff = [&ms](HWND h, UINT m, WPARAM wp, LPARAM lp, LRESULT&) {
        if (m == WM_MOUSEMOVE || m == WM_RBUTTONDOWN || m == WM_MOUSEWHEEL) ms.push_back(MSG{h, m, wp, lp, 0, {0, 0}});
        return false;
    };
    POINT p = plHeadlessPunkt(a, 30, 40);
    plHeadlessTasteRunter(VK_CONTROL);
    plHeadlessZiehen(p.x, p.y, p.x + 10, p.y + 5, 1, 1);
    plHeadlessTasteHoch(VK_CONTROL);
    SetFocus(a);
    plHeadlessRad(p.x, p.y, -2);
    plHeadlessPumpen();
    ASSERT_EQ(ms.size(), 5u);
    EXPECT_EQ(ms[0].message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(ms[0].wParam, static_cast<WPARAM>(MK_CONTROL));
    EXPECT_EQ(GET_X_LPARAM(ms[0].lParam), 30);
    EXPECT_EQ(GET_Y_LPARAM(ms[0].lParam), 40);
    EXPECT_EQ(ms[1].message, static_cast<UINT>(WM_RBUTTONDOWN));
    EXPECT_EQ(ms[1].wParam, static_cast<WPARAM>(MK_RBUTTON | MK_CONTROL));
    EXPECT_EQ(ms[2].wParam, static_cast<WPARAM>(MK_RBUTTON | MK_CONTROL));
    EXPECT_EQ(GET_X_LPARAM(ms[2].lParam), 40);
    EXPECT_EQ(GET_Y_LPARAM(ms[2].lParam), 45);
    EXPECT_EQ(ms[4].message, static_cast<UINT>(WM_MOUSEWHEEL));
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(ms[4].wParam), -240);
    EXPECT_EQ(GET_X_LPARAM(ms[4].lParam), p.x);  // screen coordinates
}

TEST_F(Eingabe, KeyMessagesHaveWindowsLParamBitsAndTranslateToCharacters)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200);
    plHeadlessPumpen();
    std::vector<MSG> ms;
    SHORT shiftWaehrendA = 0;
    eingriff = [&](HWND h, UINT m, WPARAM wp, LPARAM lp, LRESULT&) {
        if (m == WM_KEYDOWN || m == WM_KEYUP || m == WM_CHAR || m == WM_SYSKEYDOWN || m == WM_SYSCHAR)
            ms.push_back(MSG{h, m, wp, lp, 0, {0, 0}});
        if (m == WM_KEYDOWN && wp == 'A') shiftWaehrendA = GetKeyState(VK_SHIFT);
        return false;
    };
    plHeadlessText("Ab");
    plHeadlessTaste(VK_LEFT);
    plHeadlessTasteRunter(VK_MENU);
    plHeadlessTaste('X');
    plHeadlessTasteHoch(VK_MENU);
    plHeadlessText("\xE4\x80");  // typed characters outside the key table: ä and €
    plHeadlessPumpen();
    auto finde = [&](UINT m, WPARAM wp) -> const MSG* {
        for (const MSG& x : ms)
            if (x.message == m && x.wParam == wp) return &x;
        return nullptr;
    };
    const MSG* aRunter = finde(WM_KEYDOWN, 'A');
    ASSERT_TRUE(aRunter);
    DWORD lp = static_cast<DWORD>(aRunter->lParam);
    EXPECT_EQ(lp & 0xFFFF, 1u);                  // repeat count
    EXPECT_EQ((lp >> 16) & 0xFF, 0x1Eu);         // scan code
    EXPECT_EQ(lp & (1u << 24), 0u);              // not extended
    EXPECT_EQ(lp & (3u << 30), 0u);              // was up, going down
    EXPECT_LT(shiftWaehrendA, 0);
    const MSG* aHoch = finde(WM_KEYUP, 'A');
    ASSERT_TRUE(aHoch);
    EXPECT_EQ(static_cast<DWORD>(aHoch->lParam) >> 30, 3u);
    EXPECT_TRUE(finde(WM_CHAR, 'A'));
    EXPECT_TRUE(finde(WM_CHAR, 'b'));
    const MSG* links = finde(WM_KEYDOWN, VK_LEFT);
    ASSERT_TRUE(links);
    EXPECT_NE(static_cast<DWORD>(links->lParam) & (1u << 24), 0u);  // extended key
    EXPECT_FALSE(finde(WM_CHAR, VK_LEFT));
    const MSG* altX = finde(WM_SYSKEYDOWN, 'X');
    ASSERT_TRUE(altX);
    EXPECT_NE(static_cast<DWORD>(altX->lParam) & (1u << 29), 0u);  // context: Alt held
    EXPECT_TRUE(finde(WM_CHAR, 0xE4));
    EXPECT_TRUE(finde(WM_CHAR, 0x80));
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);  // up again (bit 0 toggles per press)
    EXPECT_EQ(GetAsyncKeyState(VK_MENU), 0);
    EXPECT_EQ(ms.front().hwnd, a);
}

TEST_F(Eingabe, CharactersOfKeysInTheKeyboardLayout)
{
    struct Fall {
        UINT vk;
        bool shift, strg;
        int zeichen;  // -1: none
    };
    const Fall faelle[] = {
        {'Q', false, false, 'q'}, {'Q', true, false, 'Q'}, {'C', false, true, 3},   {'7', false, false, '7'},
        {'7', true, false, '/'},  {VK_RETURN, false, false, '\r'},                  {VK_ESCAPE, false, false, 27},
        {VK_F1, false, false, -1}, {0xBC, false, false, ','},                       {VK_DECIMAL, false, false, ','},
        {VK_HOME, false, false, -1},
    };
    for (const Fall& f : faelle) {
        BYTE z[256] = {};
        if (f.shift) z[VK_SHIFT] = 0x80;
        if (f.strg) z[VK_CONTROL] = 0x80;
        WORD c = 0;
        int n = ToAscii(f.vk, 0, z, &c, 0);
        SCOPED_TRACE(f.vk);
        if (f.zeichen < 0) {
            EXPECT_EQ(n, 0);
        } else {
            EXPECT_EQ(n, 1);
            EXPECT_EQ(c, f.zeichen);
        }
    }
    EXPECT_EQ(VkKeyScan('a'), 'A');
    EXPECT_EQ(VkKeyScan('A'), 0x100 | 'A');
    EXPECT_EQ(MapVirtualKey(MapVirtualKey('M', MAPVK_VK_TO_VSC), MAPVK_VSC_TO_VK), static_cast<UINT>('M'));
}

TEST_F(Eingabe, KeysWithoutFocusGoToTheActiveWindowAsSystemKeys)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200);
    plHeadlessPumpen();
    SetFocus(0);
    beachtet = {WM_KEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_CHAR};
    nimm();
    plHeadlessTaste('K');
    EXPECT_EQ(pumpen(), (V{"A:SYSKEYDOWN", "A:SYSCHAR"}));
    EXPECT_EQ(GetActiveWindow(), a);
}

TEST_F(Eingabe, ClassCursorIsSetOverTheClientAreaAndSystemCursorsAreStable)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    plHeadlessPumpen();
    HCURSOR kreuz = plCursorSystem(IDC_CROSS);
    ASSERT_NE(kreuz, 0u);
    EXPECT_EQ(plCursorSystem(IDC_CROSS), kreuz);
    EXPECT_EQ(plCursorSystemId(kreuz), 32515);
    EXPECT_EQ(plCursorSystem(MAKEINTRESOURCE(1234)), 0u);
    SetClassLongPtr(a, GCLP_HCURSOR, static_cast<LONG_PTR>(kreuz));
    POINT p = plHeadlessPunkt(a, 10, 10);
    plHeadlessMausBewegen(p.x, p.y);
    plHeadlessPumpen();
    EXPECT_EQ(GetCursor(), kreuz);
    // Over the sizing border the size cursor.
    RECT r;
    GetWindowRect(a, &r);
    plHeadlessMausBewegen(r.right - 1, (r.top + r.bottom) / 2);
    plHeadlessPumpen();
    EXPECT_EQ(plCursorSystemId(GetCursor()), 32644);
    EXPECT_FALSE(DestroyCursor(kreuz));  // shared system cursor
    uint32_t pixel[4] = {0xFF000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFF000000u};
    HCURSOR eigen = plCursorAnlegen(2, 2, 5, 5, pixel);
    plCursorBild b{};
    ASSERT_TRUE(plCursorBeschreibung(eigen, &b));
    EXPECT_EQ(b.hx, 1);  // hot spot kept inside the image
    EXPECT_EQ(plCursorAnlegen(0, 2, 0, 0, pixel), 0u);
    EXPECT_TRUE(DestroyCursor(eigen));
    EXPECT_FALSE(plCursorBeschreibung(eigen, &b));
}

}  // namespace

namespace {

std::vector<std::pair<WPARAM, LPARAM>> sysBefehle;
BOOL sysBefehlNehmen(HWND, WPARAM wp, LPARAM lp)
{
    sysBefehle.emplace_back(wp & 0xFFF0, lp);
    return (wp & 0xFFF0) == SC_KEYMENU || (wp & 0xFFF0) == SC_MOUSEMENU;
}

HWND fremdFinden(LPCSTR klasse, LPCSTR)
{
    return plTextGleich(klasse, "Velmo") ? 0xFFFF0001u : 0;
}

class EingabeStandard : public Fixture {
protected:
    void TearDown() override
    {
        plFensterSysBefehlHookSetzen(nullptr);
        plFensterFremdHookSetzen(nullptr);
        Fixture::TearDown();
    }
};

TEST_F(EingabeStandard, MenuKeysContextMenusAndParentNotification)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200);
    HWND k = fenster("K", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, a, 9);
    plHeadlessPumpen();
    plFensterSysBefehlHookSetzen(sysBefehlNehmen);
    sysBefehle.clear();
    // Alt alone, F10 alone, Alt+F: the menu module is asked; Alt+X with a
    // key between does not open the menu by Alt alone.
    plHeadlessTaste(VK_MENU);
    plHeadlessTaste(VK_F10);
    plHeadlessTasteRunter(VK_MENU);
    plHeadlessTaste('F');
    plHeadlessTasteHoch(VK_MENU);
    plHeadlessPumpen();
    using P = std::pair<WPARAM, LPARAM>;
    EXPECT_EQ(sysBefehle, (std::vector<P>{P{SC_KEYMENU, 0}, P{SC_KEYMENU, 0}, P{SC_KEYMENU, 'f'}}));
    // A right click in the child: parent told of the press, the context menu
    // asked of the child first, then of its parent.
    beachtet = {WM_PARENTNOTIFY, WM_CONTEXTMENU, WM_RBUTTONDOWN, WM_RBUTTONUP};
    nimm();
    POINT p = plHeadlessPunkt(k, 5, 5);
    plHeadlessKlick(p.x, p.y, 1);
    EXPECT_EQ(pumpen(), (V{"A:PARENTNOTIFY", "K:RBUTTONDOWN", "K:RBUTTONUP", "K:CONTEXTMENU", "A:CONTEXTMENU"}));
    // Closing from the desktop goes through WM_SYSCOMMAND; CS_NOCLOSE refuses it.
    SetClassLongPtr(a, GCL_STYLE, static_cast<LONG_PTR>(GetClassLongPtr(a, GCL_STYLE) | CS_NOCLOSE));
    plBackendSchliessen(a);
    plHeadlessPumpen();
    EXPECT_TRUE(IsWindow(a));
    SetClassLongPtr(a, GCL_STYLE, static_cast<LONG_PTR>(GetClassLongPtr(a, GCL_STYLE) & ~CS_NOCLOSE));
    plBackendSchliessen(a);
    plHeadlessPumpen();
    EXPECT_FALSE(IsWindow(a));
}

TEST_F(EingabeStandard, FindWindowAsksForOtherProcessesAndDesktopActivation)
{
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200);
    plHeadlessPumpen();
    EXPECT_EQ(FindWindow("Velmo", nullptr), 0u);
    plFensterFremdHookSetzen(fremdFinden);
    EXPECT_NE(FindWindow("velmo", nullptr), 0u);
    EXPECT_EQ(FindWindow("Rec", nullptr), a);  // this process first
    beachtet = {WM_ACTIVATE, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_KILLFOCUS, WM_SETFOCUS};
    nimm();
    plBackendAktiviert(0);
    EXPECT_EQ(nimm(), (V{"A:NCACTIVATE", "A:ACTIVATE", "A:ACTIVATEAPP", "A:KILLFOCUS"}));
    plBackendAktiviert(a);
    EXPECT_EQ(nimm(), (V{"A:ACTIVATEAPP", "A:NCACTIVATE", "A:ACTIVATE", "A:SETFOCUS"}));
    RECT r{50, 60, 450, 360};
    plBackendVerschoben(a, &r);
    RECT ist;
    GetWindowRect(a, &ist);
    EXPECT_EQ(ist.left, 50);
    EXPECT_EQ(ist.bottom, 360);
}

}  // namespace
