// The viewer page on the running frame after the user went to another page
// and back: shown again, it takes clicks (hiding the pages for a mode
// disables them).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "frame/funkwahl.h"
#include "frame/modus.h"
#include "controls/lisanzeige.h"
#include "output/ansicht.h"
#include "output/show.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "project/pvwliste.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/tools/demokopie.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;

namespace {

class ShowModus : public DemoRahmen {
protected:
    void SetUp() override
    {
        DemoRahmen::SetUp();
        if (HasFatalFailure()) return;
        rahmenPumpen();
    }

    static void strg(UINT taste)
    {
        plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessTaste(taste);
        plHeadlessTasteHoch(VK_CONTROL);
        rahmenPumpen();
    }
    // The project page's cursor set to a drawing: a click into its list,
    // Home, then Down until the cursor is on it.
    static std::string cursorEintrag()
    {
        HWND seite = rahmenSeite(MODUS_PVW);
        if (wiDlgBetreten(seite) < 0) return "";
        const int zeile = LisAkt(3000);
        wiDlgVerlassen();
        char n[PVWNAMESUP + 1] = "";
        return PvwEintragName(zeile, n) > 0 ? fs::path(n).filename().string() : "";
    }
    static void zeileWaehlen(const char* name)
    {
        HWND liste = GetDlgItem(rahmenSeite(MODUS_PVW), 3000);
        ASSERT_NE(liste, 0u);
        const POINT p = plHeadlessPunkt(liste, 20, 5);
        plHeadlessZeitVor(1000);
        plHeadlessKlick(p.x, p.y);
        rahmenPumpen();
        plHeadlessTaste(VK_HOME);
        rahmenPumpen();
        for (int i = 0; i < 40 && cursorEintrag() != name; ++i) {
            plHeadlessTaste(VK_DOWN);
            rahmenPumpen();
        }
        ASSERT_EQ(cursorEintrag(), name);
    }
    // A click on row `zeile` of the function bar.
    static void leiste(int zeile)
    {
        HWND bar = GetDlgItem(FunkFenster(), 3000);
        ASSERT_NE(bar, 0u);
        const int reihe = 7 * wiDlgEinheit(8) / 2;
        const POINT p = plHeadlessPunkt(bar, 20, 6 + zeile * reihe);
        plHeadlessZeitVor(1000);
        plHeadlessKlick(p.x, p.y);
        rahmenPumpen();
    }
    // A click on the view at a world point moves the view's centre there.
    static void ansichtKlicken(double x, double y)
    {
        HWND v = AnsichtFenster();
        ASSERT_NE(v, 0u);
        const POINT p = plHeadlessPunkt(v, WeltZuPixelX(x), WeltZuPixelY(y));
        plHeadlessZeitVor(1000);
        plHeadlessKlick(p.x, p.y);
        rahmenPumpen();
    }
    static void nimmtKlicks(double x, double y)
    {
        ASSERT_NE(ShowFenster(), 0u);
        EXPECT_TRUE(IsWindowVisible(ShowFenster()));
        EXPECT_TRUE(IsWindowEnabled(ShowFenster()));
        double x0 = 0, y0 = 0;
        AnsichtMitteHolen(&x0, &y0);
        ansichtKlicken(x, y);
        double mx = 0, my = 0;
        AnsichtMitteHolen(&mx, &my);
        EXPECT_NEAR(mx, x, 1.0) << "was " << x0;
        EXPECT_NEAR(my, y, 1.0) << "was " << y0;
    }
};

TEST_F(ShowModus, TheViewerTakesClicksAgainAfterAnotherPage)
{
    // "Ansehen" (Ctrl+O) on a drawing of the project page.
    zeileWaehlen("HV1.03");
    strg('O');
    ASSERT_EQ(ModusSeite(), MODUS_ANZ);
    nimmtKlicks(150, 120);

    // Through the function bar to the editor and the project page, and
    // with Ctrl+O back.
    leiste(1);
    ASSERT_EQ(ModusSeite(), MODUS_EDIT);
    EXPECT_FALSE(IsWindowVisible(ShowFenster()));
    leiste(0);
    ASSERT_EQ(ModusSeite(), MODUS_PVW);
    strg('O');
    ASSERT_EQ(ModusSeite(), MODUS_ANZ);
    nimmtKlicks(200, 100);

    // To the editor, then the frame switches back to the open viewer.
    leiste(1);
    ASSERT_EQ(ModusSeite(), MODUS_EDIT);
    EXPECT_FALSE(IsWindowEnabled(ShowFenster()));
    ModusUmschalten(MODUS_ANZ);
    rahmenPumpen();
    ASSERT_EQ(ModusSeite(), MODUS_ANZ);
    nimmtKlicks(120, 150);
}

}  // namespace
