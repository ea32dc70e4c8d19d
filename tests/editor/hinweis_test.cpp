// The hint window "Hilfe" on the headless backend: timer, placement and
// what it shows.
#include "editor/hinweis.h"

#include <gtest/gtest.h>

#include <cstring>

#include "controls/ctlkern.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/uhr.h"
#include "platform/winconst.h"
#include "winlib/winbib.h"

namespace {

HWND hwSeite = 0, hwKnopf = 0, hwLinks = 0, hwFeld = 0;

LRESULT CALLBACK seiteProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_SETCURSOR || m == WM_TIMER || m == WM_COMMAND || m == WM_ACTIVATE) HinweisNachricht(h, m, w, l);
    return DefWindowProc(h, m, w, l);
}

struct HinweisTest : ::testing::Test {
    void SetUp() override
    {
        ctlKlassenAbmelden();
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000);
        ASSERT_EQ(ctlKlassenAnmelden(), 0);
        WNDCLASS wc{};
        wc.lpfnWndProc = seiteProc;
        wc.lpszClassName = "HwSeite";
        ASSERT_NE(RegisterClass(&wc), 0);
        WNDCLASS kw{};
        kw.lpfnWndProc = DefWindowProc;
        kw.lpszClassName = "HwKind";
        ASSERT_NE(RegisterClass(&kw), 0);
        hwSeite = CreateWindow("HwSeite", "Seite", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400, 0, 0, 0, nullptr);
        hwKnopf = CreateWindow("HwKind", "A", WS_CHILD | WS_VISIBLE, 500, 0, 30, 30, hwSeite, 0, 0, nullptr);
        hwLinks = CreateWindow("HwKind", "B", WS_CHILD | WS_VISIBLE, 0, 100, 30, 30, hwSeite, 0, 0, nullptr);
        hwFeld = CreateWindow("HwKind", "1.00", WS_CHILD | WS_VISIBLE, 200, 370, 40, 20, hwSeite, 0, 0, nullptr);
        ASSERT_NE(hwKnopf, 0u);
        ASSERT_NE(hwLinks, 0u);
        HinweisQuelle q;
        q.leisteIndex = [](HWND f) { return f == hwKnopf ? 3 : f == hwLinks ? 7 : -1; };
        q.statusfeldIndex = [](HWND f) { return f == hwFeld ? 9 : -1; };
        q.leisteTip = [](int n, RECT* r, char* text, size_t kap, int* leiste) {
            HWND f = n == 3 ? hwKnopf : hwLinks;
            GetWindowRect(f, r);
            std::snprintf(text, kap, "%s", n == 3 ? "Linie" : "Kreis");
            *leiste = n == 3 ? 0 : 1;
            return 0;
        };
        HinweisQuelleSetzen(q);
        plHeadlessPumpen();
    }
    void TearDown() override
    {
        HinweisAus();
        HinweisQuelleSetzen(HinweisQuelle{});
        DestroyWindow(hwSeite);
        ctlKlassenAbmelden();
        plFensterSystemEnde();
        plUhrFreigeben();
    }
    void ueber(HWND f) { SendMessage(hwSeite, WM_SETCURSOR, static_cast<WPARAM>(f), 0); }
    void warten(int ms)
    {
        plHeadlessZeitVor(ms);
        plHeadlessPumpen();
    }
};

TEST_F(HinweisTest, ShowsAfterThePauseAtItsPlaceAndGoesAfterThePointerLeft)
{
    ueber(hwKnopf);
    warten(699);
    EXPECT_EQ(HinweisFenster(), 0u);
    warten(2);
    HWND h = HinweisFenster();
    ASSERT_NE(h, 0u);
    char t[40];
    GetWindowText(h, t, sizeof t);
    EXPECT_STREQ(t, "Linie");
    RECT r, k;
    GetWindowRect(h, &r);
    GetWindowRect(hwKnopf, &k);
    EXPECT_EQ(r.right - r.left, wiDlgEinheit(HINWEISBREITE));
    EXPECT_EQ(r.bottom - r.top, wiDlgEinheit(HINWEISHOEHE));
    EXPECT_EQ(r.top, k.bottom + wiDlgEinheit(HINWEISABSTAND));
    EXPECT_EQ(r.left, k.right - wiDlgEinheit(HINWEISBREITE)) << "right of the centre: ends at the item's right";

    // Another entry switches at once; the left bar puts it to the right.
    ueber(hwLinks);
    GetWindowText(HinweisFenster(), t, sizeof t);
    EXPECT_STREQ(t, "Kreis");
    GetWindowRect(HinweisFenster(), &r);
    GetWindowRect(hwLinks, &k);
    EXPECT_EQ(r.left, k.right + wiDlgEinheit(HINWEISABSTAND));
    EXPECT_EQ(r.top, k.top);

    // Elsewhere: gone 200 ms later.
    ueber(hwSeite);
    warten(199);
    EXPECT_NE(HinweisFenster(), 0u);
    warten(2);
    EXPECT_EQ(HinweisFenster(), 0u);
}

TEST_F(HinweisTest, DeactivationAndCommandsStopAPendingHint)
{
    ueber(hwLinks);
    SendMessage(hwSeite, WM_ACTIVATE, 0, 0);  // kind 0 stays: a bar entry
    warten(701);
    ASSERT_NE(HinweisFenster(), 0u);
    SendMessage(hwSeite, WM_COMMAND, 1, 0);
    warten(201);
    EXPECT_EQ(HinweisFenster(), 0u);
    EXPECT_EQ(HinweisArt(), -1);
}

// A status field has no hint: resting on it shows none, and moving onto
// it takes a showing one away at once.
TEST_F(HinweisTest, AStatusFieldShowsNoHint)
{
    ueber(hwFeld);
    EXPECT_EQ(HinweisArt(), 1);
    warten(701);
    EXPECT_EQ(HinweisFenster(), 0u);
    ueber(hwKnopf);
    warten(701);
    ASSERT_NE(HinweisFenster(), 0u);
    ueber(hwFeld);
    EXPECT_EQ(HinweisFenster(), 0u);
}

}  // namespace
