// Tests of the toolbars against the fixture tests/data/winlib/Toolbar.txt:
// button rectangles for gaps, empty lines and size keys, large mode, missing
// files and sections, hiding by width, group bitmaps, the marked-count check
// per table, and docking. The buttons are the recording stand-in "ORVAGRBU"
// of the fixture; bitmaps are recorded by name through the toolbar hook.
#include "winlib/toolbar.h"

#include <fstream>
#include <string>

#include "config/apstil.h"
#include "config/inidatei.h"
#include "config/verzeich.h"
#include "platform/fehlersim.h"
#include "platform/nachrichtbox.h"
#include "tests/winlib/bibpruef.h"

namespace {

std::map<HWND, std::vector<std::string>> tbBilder;
int tbMarkiert = 0;

class Toolbar : public bibpruef::Fixture {
protected:
    HWND dlg = 0;
    void SetUp() override
    {
        Fixture::SetUp();
        VerSetzen(0, VELMO_TEST_DATA "/winlib");
        tbBilder.clear();
        tbMarkiert = 0;
        WiTbarHaken h{};
        h.bildSetzen = [](HWND k, const char* name) { tbBilder[k].push_back(name); };
        h.markAnzahl = [] { return tbMarkiert; };
        h.groesseSetzen = [] { TbarGroesse() = {18, 18, 16, 16}; };  // buttons 16 x 16 dialog units
        wiTbarHakenSetzen(h);
        wiTbarTabelleFrei(1);
        wiTbarTabelleLeeren();
        dlg = oeffnen("bibprobe");
        ASSERT_NE(dlg, 0u);
        ASSERT_EQ(wiDlgBetreten(dlg), 1);
    }
    void TearDown() override
    {
        if (dlg) wiDlgVerlassen();
        wiTbarTabelleLeeren();
        wiTbarTabelleFrei(0);
        VerSetzen(0, "");
        Fixture::TearDown();
    }
    HWND knopf(int id) { return GetDlgItem(dlg, id); }
    std::string letztesBild(int id)
    {
        const auto& v = tbBilder[knopf(id)];
        return v.empty() ? "" : v.back();
    }
};

int px(int du) { return wiDlgEinheit(du); }

TEST_F(Toolbar, GapsEmptyLinesAndSizeKeysPlaceTheButtons)
{
    wiTbarLaden("Toolbar.txt", "Leiste");
    ASSERT_EQ(wiTbarAnzahl(), 5);
    const int b = px(16), y = px(2);
    struct {
        int id;
        int links, breite;
    } faelle[] = {
        {101, px(2), b},
        {102, px(2) + b + b * 5 / 10, b},                   // "- 5": half a width
        {103, px(2) + 2 * b + b * 5 / 10 + b, b},           // "-": a whole one
        {104, px(2) + 3 * b + b * 5 / 10 + b + px(3), b},   // empty line: 3 units
        {105, px(2) + 4 * b + b * 5 / 10 + b + px(3), px(24 + 4)},  // X* 1.5, B+ 4
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.id);
        RECT r = rechteck(dlg, f.id);
        EXPECT_EQ(r.left, f.links);
        EXPECT_EQ(r.top, y);
        EXPECT_EQ(r.right - r.left, f.breite);
        EXPECT_EQ(r.bottom - r.top, px(16));
        EXPECT_TRUE(IsWindowVisible(knopf(f.id)));
        EXPECT_EQ(GetWindowLong(knopf(f.id), GWL_STYLE) & 0x40, 0);
    }
    const TbarKnopf* k = wiTbarEintrag(3);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->besitzer, dlg);
    EXPECT_STREQ(k->bild, "drucken");
    EXPECT_EQ(k->gruppe, 2);
    EXPECT_STREQ(k->altBild, "druckenm");
    EXPECT_EQ(k->rechts, faelle[3].links + b);
    EXPECT_EQ(letztesBild(101), "neu");

    // Tooltips: first '&' gone, cut at ';'; a line without one gets none.
    EXPECT_STREQ(wiTooltipText(knopf(101)), "Neu");
    EXPECT_STREQ(wiTooltipText(knopf(102)), "\xD6" "ffnen");
    EXPECT_EQ(wiTooltipText(knopf(103)), nullptr);
    EXPECT_STREQ(wiTbarTippText(105), "Gro\xDF");

    // The next build starts again from the module's sizes.
    TbarDlgTabelle t{};
    wiTbarDlgLaden(&t, 10, 40, "Toolbar.txt", "Leiste");
    ASSERT_EQ(t.anzahl, 5);
    EXPECT_EQ(t.knoepfe[0].links, px(10));
    EXPECT_EQ(t.knoepfe[0].oben, px(40));
    EXPECT_EQ(t.knoepfe[0].rechts - t.knoepfe[0].links, b);
    EXPECT_EQ(t.yUnten, 50);
}

TEST_F(Toolbar, HostileLinesAreCutAndBounded)
{
    wiTbarLaden("Toolbar.txt", "Wild");
    ASSERT_EQ(wiTbarAnzahl(), 1);
    const TbarKnopf* k = wiTbarEintrag(0);
    EXPECT_STREQ(k->bild, "sehrlanger");
    EXPECT_EQ(std::string(k->tipp), std::string(80, 'x'));
    EXPECT_EQ(k->gruppe, 2);
    EXPECT_STREQ(k->altBild, "abcdefghijkl");  // an unclosed group part
    EXPECT_EQ(k->id, 0);                      // its id went with it
    EXPECT_GE(k->rechts, k->links);
}

TEST_F(Toolbar, LargeModeGivesLabelledButtons)
{
    IniPfadSetzen((ordner + "/Velmo-11.ini").c_str());
    ProfilSchreiben("ArbPlatz", "ZvTbarStil", "1");
    ApStileLaden();
    ASSERT_EQ(ApTbarStil1(), 1);
    TbarDlgTabelle t{};
    wiTbarDlgLaden(&t, 2, 2, "Toolbar.txt", "Gross");
    ProfilSchreiben("ArbPlatz", "ZvTbarStil", "0");
    ApStileLaden();
    IniPfadSetzen("");  // built again on next use
    ASSERT_EQ(t.anzahl, 2);
    struct {
        int id;
        const char* label;
    } faelle[] = {{201, "Neues Projekt"}, {202, ""}};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(faelle[i].id);
        RECT r = rechteck(dlg, faelle[i].id);
        EXPECT_EQ(r.left, px(2) + i * px(36));
        EXPECT_EQ(r.right - r.left, px(36));
        EXPECT_EQ(r.bottom - r.top, px(16 + 8));
        EXPECT_NE(GetWindowLong(knopf(faelle[i].id), GWL_STYLE) & 0x40, 0);
        EXPECT_EQ(bibpruef::texte[knopf(faelle[i].id)], faelle[i].label) << "the whole text is the label";
        EXPECT_EQ(wiTooltipText(knopf(faelle[i].id)), nullptr);
    }
}

// A bar whose file cannot be read whole builds no button and says so (the
// old builder showed the buttons of the first block as the whole bar).
TEST_F(Toolbar, ABarReadShortBuildsNothing)
{
    std::string inhalt = ")S Lang\n";
    for (int i = 0; i < 90; ++i) {
        const std::string n = std::to_string(i);
        inhalt += "bild" + n + " \"Knopf Nummer " + n + "\" " + std::to_string(300 + i) + "\n";
    }
    ASSERT_GT(inhalt.size(), 2048u);
    const std::string pfad = "/tmp/velmo_tbar_kurz_" + std::to_string(::getpid()) + ".txt";
    std::ofstream(pfad, std::ios::binary) << inhalt;
    plNachrichtBoxFragenLeeren();
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 2, true);
        wiTbarLaden(pfad.c_str(), "Lang");
    }
    EXPECT_EQ(wiTbarAnzahl(), 0);
    EXPECT_EQ(knopf(300), 0u);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Kann " + pfad + " nicht lesen.");
    wiTbarLaden(pfad.c_str(), "Lang");
    EXPECT_EQ(wiTbarAnzahl(), 90);
    std::remove(pfad.c_str());
}

// The one reader every bar reads its section through: the name ignoring
// case, the kinds of lines, values and line counts bounded.
TEST_F(Toolbar, TheSectionReaderSortsAndBoundsTheLines)
{
    std::string inhalt = ")S Andere\nx 1\n)S edItOBen weiter\n=X* 1e300\n=B+ 1,5\n- 5\n-\n- 99999\n--x 3\n\n"
                         "bild \"Tipp\" (2 alt) 7\n" + std::string(300, 'w') + "\n)\nnach 1\n)S Lang\n";
    for (int i = 0; i < 1500; ++i) inhalt += "k" + std::to_string(i) + "\n";
    const std::string pfad = "/tmp/velmo_tbar_leser_" + std::to_string(::getpid()) + ".txt";
    std::ofstream(pfad, std::ios::binary) << inhalt;
    std::vector<TbarZeile> z;
    ASSERT_EQ(wiTbarAbschnittLesen(pfad.c_str(), "EditOben", &z), 1);
    ASSERT_EQ(z.size(), 9u);
    EXPECT_EQ(z[0].art, TBARMASS);
    EXPECT_EQ(z[0].schluessel, "X*");
    EXPECT_EQ(z[0].wert, TBARWERTSUP);
    EXPECT_EQ(z[1].wert, 1.5);
    EXPECT_EQ(z[2].art, TBARLUECKE);
    EXPECT_EQ(z[2].zehntel, 5);
    EXPECT_EQ(z[3].zehntel, 10);
    EXPECT_EQ(z[4].zehntel, 1000);
    EXPECT_EQ(z[5].art, TBARKNOPF);  // "--" is no gap
    EXPECT_EQ(z[6].art, TBARLEER);
    const TbarFelder f = wiTbarFelder(z[7].text);
    EXPECT_EQ(f.bild, "bild");
    EXPECT_TRUE(f.mitZitat && f.mitKlammer);
    EXPECT_EQ(f.zitat, "Tipp");
    EXPECT_EQ(f.klammer, "2 alt");
    EXPECT_EQ(f.rest, "7");
    EXPECT_EQ(z[8].text.size(), static_cast<size_t>(TBARZEILESUP));
    ASSERT_EQ(wiTbarAbschnittLesen(pfad.c_str(), "Lang", &z), 1);
    EXPECT_EQ(z.size(), static_cast<size_t>(TBARZEILENSUP));
    EXPECT_EQ(wiTbarAbschnittLesen(pfad.c_str(), "Fehlt", &z), 0);
    EXPECT_TRUE(z.empty());
    std::remove(pfad.c_str());
    EXPECT_EQ(wiTbarAbschnittLesen(pfad.c_str(), "Lang", &z), -1);
}

TEST_F(Toolbar, MissingFileOrSectionLeavesTheCounts)
{
    wiTbarLaden("Toolbar.txt", "Leiste");
    ASSERT_EQ(wiTbarAnzahl(), 5);
    wiTbarLaden("Fehlt.txt", "Leiste");
    EXPECT_EQ(wiTbarAnzahl(), 5);
    wiTbarLaden("Toolbar.txt", "Fehlt");
    EXPECT_EQ(wiTbarAnzahl(), 5);
    wiTbarLaden("Toolbar.txt", "Leer");
    EXPECT_EQ(wiTbarAnzahl(), 5);
    wiTbarTabelleFrei(0);  // disabled: the builder does nothing
    wiTbarLaden("Toolbar.txt", "Gross");
    EXPECT_EQ(wiTbarAnzahl(), 5);
    wiTbarTabelleFrei(1);
    wiTbarLaden("Toolbar.txt", "Gross");  // appended
    EXPECT_EQ(wiTbarAnzahl(), 7);
    EXPECT_EQ(wiTbarEintrag(5)->id, 201);

    // A dialog table: missing file keeps the count, a missing section gives
    // 0; the old buttons go either way.
    TbarDlgTabelle t{};
    struct {
        const char* datei;
        const char* abschnitt;
        int anzahl;
    } faelle[] = {{"Fehlt.txt", "Gross", 2}, {"Toolbar.txt", "Fehlt", 0}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.datei);
        wiTbarDlgLaden(&t, 2, 60, "Toolbar.txt", "Gross");
        ASSERT_EQ(t.anzahl, 2);
        HWND alt = t.knoepfe[0].knopf;
        ASSERT_TRUE(IsWindow(alt));
        wiTbarDlgLaden(&t, 2, 60, f.datei, f.abschnitt);
        EXPECT_EQ(t.anzahl, f.anzahl);
        EXPECT_FALSE(IsWindow(alt));
    }
}

TEST_F(Toolbar, WidthHidesAndShowsButtons)
{
    wiTbarLaden("Toolbar.txt", "Leiste");
    const int grenze = wiTbarEintrag(1)->rechts;  // not left of it: hidden
    wiTbarBreite(dlg, grenze);
    for (int id : {101}) EXPECT_TRUE(IsWindowVisible(knopf(id))) << id;
    for (int id : {102, 103, 104, 105}) EXPECT_FALSE(IsWindowVisible(knopf(id))) << id;
    EXPECT_EQ(wiTbarEintrag(1)->gezeigt, 0);
    wiTbarBreite(haupt, 10000);  // another owner: nothing
    EXPECT_FALSE(IsWindowVisible(knopf(102)));

    wiTbarGruppe(2, 1);  // while hidden
    EXPECT_EQ(letztesBild(104), "drucken");
    wiTbarBreite(dlg, grenze + 1);
    EXPECT_TRUE(IsWindowVisible(knopf(102)));
    EXPECT_FALSE(IsWindowVisible(knopf(103)));
    wiTbarBreite(dlg, 10000);
    for (int id : {101, 102, 103, 104, 105}) EXPECT_TRUE(IsWindowVisible(knopf(id))) << id;
    EXPECT_EQ(letztesBild(104), "druckenm") << "shown again with its group's bitmap";

    TbarDlgTabelle t{};
    wiTbarDlgLaden(&t, 2, 60, "Toolbar.txt", "Gross");
    wiTbarDlgBreite(&t, t.knoepfe[1].rechts - 1);
    EXPECT_FALSE(IsWindowVisible(t.knoepfe[1].knopf));
    wiTbarDlgBreite(&t, t.knoepfe[1].rechts + 1);
    EXPECT_TRUE(IsWindowVisible(t.knoepfe[1].knopf));
}

TEST_F(Toolbar, GroupSwitchChangesTheBitmap)
{
    wiTbarLaden("Toolbar.txt", "Leiste");
    const size_t vorher = tbBilder[knopf(101)].size();
    wiTbarGruppe(2, 1);
    EXPECT_EQ(letztesBild(104), "druckenm");
    EXPECT_EQ(letztesBild(105), "grossm");
    EXPECT_EQ(tbBilder[knopf(101)].size(), vorher) << "other groups untouched";
    wiTbarGruppe(2, 0);
    EXPECT_EQ(letztesBild(104), "drucken");
    EXPECT_EQ(wiTbarEintrag(3)->zustand, 0);

    TbarDlgTabelle t{};
    wiTbarDlgLaden(&t, 2, 60, "Toolbar.txt", "Leiste");
    HWND k = t.knoepfe[4].knopf;
    wiTbarDlgGruppe(&t, 2, 1);
    EXPECT_EQ(tbBilder[k].back(), "grossm");
    wiTbarTabelleFrei(0);  // only while the shared table is enabled
    wiTbarDlgGruppe(&t, 2, 0);
    EXPECT_EQ(tbBilder[k].back(), "grossm");
    EXPECT_EQ(t.knoepfe[4].zustand, 1);
}

TEST_F(Toolbar, EveryTableSeesTheMarkedCountChange)
{
    wiTbarLaden("Toolbar.txt", "Leiste");
    TbarDlgTabelle a{}, b{};
    wiTbarDlgLaden(&a, 2, 40, "Toolbar.txt", "Leiste");
    wiTbarDlgLaden(&b, 2, 80, "Toolbar.txt", "Leiste");
    HWND kn[3] = {knopf(104), a.knoepfe[3].knopf, b.knoepfe[3].knopf};
    auto pruefen = [&] {
        wiTbarMarkPruefen();
        wiTbarDlgMarkPruefen(&a);
        wiTbarDlgMarkPruefen(&b);
    };
    struct {
        int markiert;
        const char* bild;
    } schritte[] = {{3, "druckenm"}, {5, "druckenm"}, {0, "drucken"}, {1, "druckenm"}};
    for (const auto& s : schritte) {
        SCOPED_TRACE(s.markiert);
        tbMarkiert = s.markiert;
        pruefen();
        for (HWND k : kn) EXPECT_EQ(tbBilder[k].back(), s.bild);
    }
    // No change: no bitmap is sent again.
    const size_t n = tbBilder[kn[2]].size();
    pruefen();
    EXPECT_EQ(tbBilder[kn[2]].size(), n);
}

TEST_F(Toolbar, DockingSwitchesStyleAndParent)
{
    HWND seite = oeffnen("rollprobe");
    ASSERT_NE(seite, 0u);
    wiDlgAndocken(seite);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(seite, GWL_STYLE)), 0x50000000u);
    EXPECT_EQ(GetAncestor(seite, GA_PARENT), haupt);
    EXPECT_TRUE(IsChild(haupt, seite));
    wiDlgAbdocken(seite);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(seite, GWL_STYLE)), 0x90CF0080u);
    EXPECT_FALSE(IsChild(haupt, seite));
    EXPECT_EQ(GetAncestor(seite, GA_PARENT), GetDesktopWindow());
    EXPECT_TRUE(IsWindowVisible(seite));
    wiDlgAndocken(seite);
    EXPECT_TRUE(IsChild(haupt, seite));
}

}  // namespace
