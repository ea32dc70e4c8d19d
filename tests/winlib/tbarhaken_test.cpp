// Tests of the toolbar hook table: the stand-ins' sizes by bitmap style,
// bitmaps by name, the marked count, and registered hooks taking over.
#include "tests/winlib/bibpruef.h"
#include "platform/menue.h"
#include "platform/systemwerte.h"
#include "winlib/tbarhaken.h"

using bibpruef::Fixture;

namespace {

class Haken : public Fixture {};

TEST_F(Haken, StandInSizesFollowTheBitmapStyle)
{
    EXPECT_EQ(TbarKnopfHoehe(), 12);  // before the toolbar is set up
    struct {
        int stil;
        TbarGroessen soll;
    } faelle[] = {{0, {18, 18, 16, 16}}, {2, {16, 16, 14, 14}}, {5, {16, 16, 14, 14}},
                  {3, {14, 14, 12, 12}}, {6, {14, 14, 12, 12}}, {4, {18, 18, 16, 16}}};
    for (const auto& f : faelle) {
        TbarBildStilSetzen(f.stil);
        TbarGroesseSetzen();
        const TbarGroessen& g = TbarGroesse();
        EXPECT_EQ(g.leisteX, f.soll.leisteX) << f.stil;
        EXPECT_EQ(g.leisteY, f.soll.leisteY) << f.stil;
        EXPECT_EQ(g.knopfB, f.soll.knopfB) << f.stil;
        EXPECT_EQ(g.knopfH, f.soll.knopfH) << f.stil;
        EXPECT_EQ(TbarKnopfHoehe(), f.soll.leisteY) << f.stil;
    }
    EXPECT_EQ(TbarBildModul(), 0u);
    EXPECT_EQ(wiTbarMarkAnzahl(), 0);
}

TEST_F(Haken, BitmapsByNameAndRegisteredHooks)
{
    HWND dlg = oeffnen("bibprobe");
    ASSERT_NE(dlg, 0u);
    HWND knopf = GetDlgItem(dlg, 1001);
    TbarBildSetzen(knopf, ".gemischt");  // a program bitmap, button-face copy
    TbarBildSetzen(knopf, "gemischt");   // no image module loaded: nothing
    ASSERT_EQ(bibpruef::bilder[knopf].size(), 1u);
    EXPECT_EQ(bibpruef::bilder[knopf][0].breite, 4);
    EXPECT_EQ(bibpruef::bilder[knopf][0].erstes, GetSysColor(COLOR_BTNFACE));
    TbarBildModulSetzen(anwInstanz());
    TbarBildSetzen(knopf, "gemischt");  // from the image module
    EXPECT_EQ(bibpruef::bilder[knopf].size(), 2u);
    EXPECT_EQ(TbarBildModul(), anwInstanz());

    static int markiert = 0;
    WiTbarHaken h{};
    h.markAnzahl = [] { return markiert; };
    h.knopfHoehe = [] { return 26; };
    wiTbarHakenSetzen(h);
    markiert = 3;
    EXPECT_EQ(wiTbarMarkAnzahl(), 3);
    EXPECT_EQ(TbarKnopfHoehe(), 26);
    EXPECT_EQ(wiTbarVersatz(), 12);
    TbarGroesseSetzen();  // not registered: still the stand-in
    EXPECT_EQ(TbarGroesse().knopfH, 16);
    wiTbarHakenZuruecksetzen();
    EXPECT_EQ(wiTbarMarkAnzahl(), 0);
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
