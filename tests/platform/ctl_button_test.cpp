// Tests of the button and static controls under the mouse: clicks, a press
// dragged off, double clicks, owner drawing with its states, SS_NOTIFY and
// the colours a parent gives through WM_CTLCOLOR...; the font and text they
// keep. Headless backend.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ctl_button.h"
#include "platform/ctl_static.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/fensterint.h"
#include "platform/gdi.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/uhr.h"
#include "platform/systemwerte.h"

namespace {

std::vector<std::pair<int, int>> befehle;  // (id, notification)
std::vector<UINT> zeichenZustaende;        // itemState of WM_DRAWITEM
HBRUSH rot = 0;

LRESULT CALLBACK elternProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COMMAND: befehle.emplace_back(LOWORD(wp), HIWORD(wp)); return 0;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        zeichenZustaende.push_back(di->itemState);
        FillRect(di->hDC, &di->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(static_cast<HWND>(lp)) == 30) {
            SetBkColor(static_cast<HDC>(wp), RGB(255, 0, 0));
            return static_cast<LRESULT>(rot);
        }
        return DefWindowProc(h, msg, wp, lp);
    default: return DefWindowProc(h, msg, wp, lp);
    }
}

class KnopfTest : public ::testing::Test {
protected:
    HWND eltern = 0;
    void SetUp() override
    {
        befehle.clear();
        // A fixed clock: timers, double clicks and delays are exact.
        plUhrFestsetzen(1767254400000);
        zeichenZustaende.clear();
        InitCommonControls();
        rot = CreateSolidBrush(RGB(255, 0, 0));
        WNDCLASS wc{};
        wc.lpfnWndProc = elternProc;
        wc.lpszClassName = "KnopfEltern";
        RegisterClass(&wc);
        eltern = CreateWindow("KnopfEltern", "Knoepfe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 300, 0, 0, 0, 0);
    }
    void TearDown() override
    {
        plFensterSystemEnde();
        plUhrFreigeben();
        DeleteObject(rot);
    }
    HWND kind(const char* klasse, const char* text, DWORD stil, int id, int x, int y, int b = 100, int h = 24)
    {
        HWND k = CreateWindow(klasse, text, WS_CHILD | WS_VISIBLE | stil, x, y, b, h, eltern,
                              static_cast<HMENU>(static_cast<UINT>(id)), 0, 0);
        plHeadlessPumpen();
        return k;
    }
};

TEST_F(KnopfTest, MouseOnButtons)
{
    HWND push = kind(WC_BUTTON, "OK", BS_PUSHBUTTON, 10, 10, 10);
    HWND radio = kind(WC_BUTTON, "Eins", BS_AUTORADIOBUTTON, 11, 10, 50);
    HWND check = kind(WC_BUTTON, "Pruefen", BS_AUTOCHECKBOX, 12, 10, 90);
    struct Fall {
        const char* was;
        HWND k;
        int aktion;  // 0 click, 1 press inside and release outside, 2 double click
        std::vector<std::pair<int, int>> erwartet;
    };
    const std::vector<Fall> faelle = {
        {"a click", push, 0, {{10, BN_CLICKED}}},
        {"released outside: nothing", push, 1, {}},
        {"double click on a push button: two clicks", push, 2, {{10, BN_CLICKED}, {10, BN_CLICKED}}},
        {"double click on a radio button", radio, 2, {{11, BN_CLICKED}, {11, BN_DOUBLECLICKED}}},
        {"a click on a check box", check, 0, {{12, BN_CLICKED}}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        befehle.clear();
        POINT p = plHeadlessPunkt(f.k, 20, 10);
        switch (f.aktion) {
        case 0: plHeadlessKlick(p.x, p.y); break;
        case 1: plHeadlessZiehen(p.x, p.y, p.x + 300, p.y + 100); break;
        default:
            plHeadlessKlick(p.x, p.y);
            plHeadlessKlick(p.x, p.y);
            break;
        }
        plHeadlessPumpen();
        EXPECT_EQ(befehle, f.erwartet);
        // The press shows no longer once the button is up.
        EXPECT_FALSE(SendMessage(f.k, BM_GETSTATE, 0, 0) & BST_PUSHED);
    }
    EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessage(radio, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(KnopfTest, OwnerDrawnButtonGetsItsStates)
{
    HWND k = kind(WC_BUTTON, "", BS_OWNERDRAW, 20, 10, 10);
    ASSERT_FALSE(zeichenZustaende.empty());
    EXPECT_EQ(zeichenZustaende.back() & ODS_SELECTED, 0u);
    POINT p = plHeadlessPunkt(k, 5, 5);
    plHeadlessMausBewegen(p.x, p.y);
    plHeadlessMausDruecken(0);
    plHeadlessPumpen();
    EXPECT_TRUE(zeichenZustaende.back() & ODS_SELECTED);
    EXPECT_TRUE(zeichenZustaende.back() & ODS_FOCUS);
    plHeadlessMausLoslassen(0);
    plHeadlessPumpen();
    EXPECT_EQ(zeichenZustaende.back() & ODS_SELECTED, 0u);
    EnableWindow(k, FALSE);
    plHeadlessPumpen();
    EXPECT_TRUE(zeichenZustaende.back() & ODS_DISABLED);
    EXPECT_EQ(befehle, (std::vector<std::pair<int, int>>{{20, BN_CLICKED}}));
    // The owner's drawing is what shows.
    EXPECT_EQ(plFensterPixel(k, 50, 12), RGB(0, 0, 0));
}

TEST_F(KnopfTest, StaticNotifiesOnlyWithSsNotifyAndTakesTheParentsColour)
{
    HWND still = kind(WC_STATIC, "Stumm", SS_LEFT, 31, 10, 10);
    HWND melder = kind(WC_STATIC, "Melder", SS_LEFT | SS_NOTIFY, 32, 10, 50);
    HWND farbig = kind(WC_STATIC, "", SS_LEFT, 30, 10, 90);
    POINT p = plHeadlessPunkt(still, 5, 5);
    plHeadlessKlick(p.x, p.y);
    p = plHeadlessPunkt(melder, 5, 5);
    plHeadlessKlick(p.x, p.y);
    plHeadlessKlick(p.x, p.y);
    plHeadlessPumpen();
    EXPECT_EQ(befehle, (std::vector<std::pair<int, int>>{{32, STN_CLICKED}, {32, STN_DBLCLK}}));
    EXPECT_EQ(SendMessage(still, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    // Background from WM_CTLCOLORSTATIC of the parent.
    EXPECT_EQ(plFensterPixel(farbig, 50, 12), RGB(255, 0, 0));
    EXPECT_EQ(plFensterPixel(still, 95, 12), GetSysColor(COLOR_BTNFACE));
}

// Dialogs hand their font to every control and read it back to measure
// texts; an icon static keeps the resource name its text gave.
TEST_F(KnopfTest, ButtonsAndStaticsKeepTheFontAndTextTheyAreGiven)
{
    HFONT f = CreateFont(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Sans");
    struct Fall {
        const char* klasse;
        DWORD stil;
        const char* textDanach;
    };
    const Fall faelle[] = {
        {WC_BUTTON, BS_PUSHBUTTON, "Neu"},
        {WC_BUTTON, BS_GROUPBOX, "Neu"},
        {WC_STATIC, SS_LEFT, "Neu"},
        {WC_STATIC, SS_ICON, "Alt"},
    };
    int id = 40;
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(std::string(fall.klasse) + " " + std::to_string(fall.stil));
        HWND k = kind(fall.klasse, "Alt", fall.stil, id++, 10, 10);
        EXPECT_EQ(SendMessage(k, WM_GETFONT, 0, 0), 0);
        SendMessage(k, WM_SETFONT, static_cast<WPARAM>(f), TRUE);
        EXPECT_EQ(static_cast<HFONT>(SendMessage(k, WM_GETFONT, 0, 0)), f);
        SetWindowText(k, "Neu");
        char t[16] = "";
        GetWindowText(k, t, sizeof t);
        EXPECT_STREQ(t, fall.textDanach);
        DestroyWindow(k);
    }
    DeleteObject(f);
}

}  // namespace
