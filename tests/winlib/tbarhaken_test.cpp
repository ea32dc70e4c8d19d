// Tests of the toolbar hook table: the answers with no image module, and
// registered hooks taking over member by member.
#include "tests/winlib/bibpruef.h"
#include "platform/menue.h"
#include "platform/systemwerte.h"
#include "winlib/tbarhaken.h"

using bibpruef::Fixture;

namespace {

class Haken : public Fixture {};

TEST_F(Haken, WithoutAnImageModuleSizesStayAsBeforeSetUpAndNoFaceArrives)
{
    TbarGroesse().knopfB = 30;  // a build's "X*"
    TbarGroesseSetzen();        // the next build starts again from the sizes before set-up
    const TbarGroessen& g = TbarGroesse();
    EXPECT_EQ(g.leisteX, 12);
    EXPECT_EQ(g.leisteY, 12);
    EXPECT_EQ(g.knopfB, 10);
    EXPECT_EQ(g.knopfH, 10);
    EXPECT_EQ(TbarKnopfHoehe(), 12);
    EXPECT_EQ(TbarBildModul(), 0u);
    EXPECT_EQ(wiTbarMarkAnzahl(), 0);
    HWND dlg = oeffnen("bibprobe");
    ASSERT_NE(dlg, 0u);
    HWND knopf = GetDlgItem(dlg, 1001);
    TbarBildSetzen(knopf, ".gemischt");
    TbarBildSetzen(knopf, "gemischt");
    EXPECT_TRUE(bibpruef::bilder[knopf].empty());
    TbarBildModulSetzen(anwInstanz());
    EXPECT_EQ(TbarBildModul(), anwInstanz());
}

TEST_F(Haken, RegisteredHooksTakeOverAndResetRestoresNoModule)
{
    static int markiert = 0;
    static int gesetzt = 0;
    WiTbarHaken h{};
    h.markAnzahl = [] { return markiert; };
    h.knopfHoehe = [] { return 26; };
    h.groesseSetzen = [] { ++gesetzt; };
    wiTbarHakenSetzen(h);
    markiert = 3;
    EXPECT_EQ(wiTbarMarkAnzahl(), 3);
    EXPECT_EQ(TbarKnopfHoehe(), 26);
    EXPECT_EQ(wiTbarVersatz(), 12);
    TbarGroesseSetzen();
    EXPECT_EQ(gesetzt, 1);
    WiTbarHaken nur{};
    nur.bildModul = [] { return static_cast<HMODULE>(7); };
    wiTbarHakenSetzen(nur);  // members left NULL go back to no module
    EXPECT_EQ(TbarBildModul(), 7u);
    EXPECT_EQ(TbarKnopfHoehe(), 12);
    wiTbarHakenZuruecksetzen();
    EXPECT_EQ(wiTbarMarkAnzahl(), 0);
    EXPECT_EQ(TbarBildModul(), 0u);
}

TEST_F(Haken, DialogMenuBarIsSetChangedAndRemoved)
{
    HWND dlg = oeffnen("bibprobe");
    ASSERT_NE(dlg, 0u);
    bibpruef::Aktuell a(dlg);
    EXPECT_EQ(wiDlgMenuSetzen("gibtesnicht"), 0);
    EXPECT_EQ(GetMenu(dlg), 0u);
    ASSERT_EQ(wiDlgMenuSetzen("bib_menu"), 1);
    HMENU m = GetMenu(dlg);
    ASSERT_NE(m, 0u);
    EXPECT_EQ(wiDlgLeisteEintrag(0, 0, nullptr), 2);  // a separator
    EXPECT_EQ(wiDlgLeisteEintrag(0, 104, "&Drucken"), 3);
    wiDlgLeisteFrei(104, 0);
    EXPECT_TRUE(GetMenuState(m, 104, MF_BYCOMMAND) & MF_GRAYED);
    wiDlgLeisteHaken(101, 1);
    EXPECT_TRUE(GetMenuState(m, 101, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(wiDlgLeisteLoeschen(104), 0);
    wiMenuPunktWeg(1, 101);
    EXPECT_EQ(GetMenuState(m, 101, MF_BYCOMMAND), 0xFFFFFFFFu);
    wiDlgMenuWeg();
    EXPECT_EQ(GetMenu(dlg), 0u);
    EXPECT_FALSE(IsMenu(m));
}

}  // namespace
