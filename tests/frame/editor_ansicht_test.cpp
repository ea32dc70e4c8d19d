// The editor's view of a sheet on the running frame, headless, over a
// working copy of the demo: the whole A3 sheet, title block included, lies
// inside the drawing window when the page opens and after "Ganzes Fenster",
// whatever the bars in front of the view took from it.
#include <gtest/gtest.h>

#include <string>

#include "editor/edtseite.h"
#include "output/ansicht.h"
#include "output/gdi.h"
#include "platform/fenster.h"
#include "tests/frame/editor_pruef.h"

namespace {

// The sheet's corners in the view's pixels against the view's client area.
::testing::AssertionResult blattGanzZuSehen()
{
    RECT c{};
    GetClientRect(GetDlgItem(EdtFenster(), ANSICHT_FENSTER), &c);
    double r[4];
    AnsichtRandHolen(r);
    const int x0 = WeltZuPixelX(r[0]), x1 = WeltZuPixelX(r[2]);
    const int yUnten = WeltZuPixelY(r[1]), yOben = WeltZuPixelY(r[3]);
    const std::string wo = "sheet " + std::to_string(x0) + ".." + std::to_string(x1) + " x " + std::to_string(yOben) +
                           ".." + std::to_string(yUnten) + " in a view of " + std::to_string(c.right) + " x " +
                           std::to_string(c.bottom);
    if (x0 < 0 || yOben < 0 || x1 >= c.right || yUnten >= c.bottom) return ::testing::AssertionFailure() << wo;
    // Fitted, not merely small: one side fills most of the view.
    if (x1 - x0 < c.right * 8 / 10 && yUnten - yOben < c.bottom * 8 / 10)
        return ::testing::AssertionFailure() << "not fitted: " << wo;
    return ::testing::AssertionSuccess();
}

class EditorAnsicht : public DemoLauf {};

TEST_F(EditorAnsicht, TheWholeSheetShowsWhenThePageOpensAndOnGanzesFenster)
{
    ASSERT_NE(EdtFenster(), 0);
    EXPECT_TRUE(blattGanzZuSehen()) << "when the page opens";
    AnsichtBefehl("3");  // a ninth of the sheet at 200 %
    SendMessage(EdtFenster(), WM_COMMAND, 1420, 0);  // Ansicht › Ganzes Fenster
    rahmenPumpen();
    EXPECT_TRUE(blattGanzZuSehen()) << "after Ganzes Fenster";
}

}  // namespace
