// The hint window "Hilfe" on the running frame, headless, over a working
// copy of the demo: the pointer resting on a top-bar button, a left-bar
// button and (with labels) a selection-bar entry shows its label after the
// pause at the bar's side of the button, and the hint goes when the pointer
// leaves; a status field shows none.
#include <gtest/gtest.h>

#include <string>

#include "config/apstil.h"
#include "config/vorgaben.h"
#include "editor/edtseite.h"
#include "editor/hinweis.h"
#include "editor/leiste.h"
#include "editor/statusfeld.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "tests/frame/editor_pruef.h"
#include "winlib/winbib.h"

namespace {

class HinweisLauf : public DemoLauf {
protected:
    // The pointer moved onto the middle of window f in two steps, pumped as
    // the frame does: a hovered button holds the mouse until a move shows it
    // the pointer has left.
    static void zeigen(HWND f)
    {
        RECT r;
        GetWindowRect(f, &r);
        plHeadlessMausBewegen((r.left + r.right) / 2 + 1, (r.top + r.bottom) / 2);
        rahmenPumpen();
        plHeadlessMausBewegen((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        rahmenPumpen();
    }
    static void warten(int ms)
    {
        plHeadlessZeitVor(ms);
        rahmenPumpen();
    }
    static std::string hinweisText()
    {
        char t[100] = "";
        GetWindowText(HinweisFenster(), t, sizeof t);
        return t;
    }
    // Rests on entry e: nothing before 700 ms, then its label; the hint's
    // rectangle.
    static RECT ruhen(const LeisteEintrag& e)
    {
        RECT r{};
        zeigen(e.fenster);
        warten(HINWEISWARTEN - 10);
        EXPECT_EQ(HinweisFenster(), 0u) << e.tipp;
        warten(20);
        EXPECT_NE(HinweisFenster(), 0u) << e.tipp;
        if (HinweisFenster() == 0) return r;
        EXPECT_EQ(hinweisText(), e.tipp);
        EXPECT_TRUE(IsWindowVisible(HinweisFenster()));
        GetWindowRect(HinweisFenster(), &r);
        EXPECT_EQ(r.bottom - r.top, wiDlgEinheit(HINWEISHOEHE));
        return r;
    }
    // The pointer onto the drawing: the hint goes 200 ms later.
    void verlassen()
    {
        zeigen(GetDlgItem(EdtFenster(), 5000));
        warten(HINWEISWEG - 10);
        EXPECT_NE(HinweisFenster(), 0u);
        warten(20);
        EXPECT_EQ(HinweisFenster(), 0u);
    }
    void bildAblegen(const char* name, const char* umgebung)
    {
        const std::string seite = demo.wurzel() + "/" + name + ".png";
        const std::string hilfe = demo.wurzel() + "/" + name + "-hilfe.png";
        plHeadlessPng(anwHauptfenster(), seite.c_str());
        plHeadlessPng(HinweisFenster(), hilfe.c_str());
        DemoLauf::bildAblegen(std::string(name) + ".png", umgebung);
        DemoLauf::bildAblegen(std::string(name) + "-hilfe.png", (std::string(umgebung) + "_HILFE").c_str());
    }
};

TEST_F(HinweisLauf, BarButtonsShowTheirLabelBesideTheBarAndAStatusFieldNone)
{
    const auto& oben = LeisteEintraege(LEISTE_OBEN);
    const auto& links = LeisteEintraege(LEISTE_LINKS);
    ASSERT_GE(oben.size(), 2u);
    ASSERT_GE(links.size(), 1u);
    warten(1000);  // the page's own start settles first

    // A top-bar button left of the centre: the hint below it, from its left,
    // and only the hint: the button carries no tooltip of its own.
    const LeisteEintrag& o = oben[1];
    EXPECT_EQ(wiTooltipText(o.fenster), nullptr) << o.tipp;
    RECT r = ruhen(o), k;
    EXPECT_FALSE(wiTooltipFenster() != 0 && IsWindowVisible(wiTooltipFenster()));
    GetWindowRect(o.fenster, &k);
    EXPECT_EQ(r.top, k.bottom + wiDlgEinheit(HINWEISABSTAND));
    EXPECT_EQ(r.left, k.left);
    bildAblegen("hinweis-oben", "HINWEIS_OBEN");
    verlassen();

    // A left-bar button (no labels): the hint to its right.
    const LeisteEintrag& l = links[0];
    EXPECT_EQ(wiTooltipText(l.fenster), nullptr) << l.tipp;
    r = ruhen(l);
    GetWindowRect(l.fenster, &k);
    EXPECT_EQ(r.left, k.right + wiDlgEinheit(HINWEISABSTAND));
    EXPECT_EQ(r.top, k.top);
    verlassen();

    // A status field: no hint, and a showing one goes at once.
    HWND feld = GetDlgItem(EdtFenster(), STATUSFELDID + 9);
    zeigen(feld);
    EXPECT_EQ(HinweisArt(), 1);
    warten(HINWEISWARTEN + 10);
    EXPECT_EQ(HinweisFenster(), 0u);
    ruhen(o);
    zeigen(feld);
    EXPECT_EQ(HinweisFenster(), 0u);
}

// With labels the top bar and the selection bar put the hint above.
TEST_F(HinweisLauf, WithLabelsASelectionEntryShowsItsHintAbove)
{
    VgbSetzen("AP-ZvTbarStil", "1");
    ApStileLaden();
    EdtTitelMenueAktualisieren(0);
    rahmenPumpen();
    seiteOeffnen();
    ASSERT_NE(EdtFenster(), 0u);
    const auto& wahl = LeisteEintraege(LEISTE_AUSWAHL);
    ASSERT_GE(wahl.size(), 2u);
    warten(1000);
    const RECT r = ruhen(wahl[1]);
    RECT k;
    GetWindowRect(wahl[1].fenster, &k);
    EXPECT_EQ(r.bottom, k.top - wiDlgEinheit(HINWEISABSTAND));
    bildAblegen("hinweis-auswahl", "HINWEIS_AUSWAHL");
    verlassen();
}

}  // namespace
