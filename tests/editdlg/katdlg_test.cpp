// The catalogue window DB1240 on a library with a group file: the closed
// heading, Right opening it, the components of the first section with their
// display names and descriptions, placing by double click and without a
// selection, another library queued as BD.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "config/verzeich.h"
#include "platform/profil.h"
#include "editdlg/db1232.h"
#include "editdlg/katdlg.h"
#include "editdlg/popup.h"
#include "platform/headless.h"
#include "winlib/winbib.h"
#include "tests/editdlg/dbpruef.h"
#include "tests/model/modelltest.h"

namespace fs = std::filesystem;

int gruenePunkte(HWND w);  // the component's insertion point drawn in w

namespace {

using dbpruef::pumpen;

class KatDlg : public dbpruef::SchlangeTest {
protected:
    MtOrdner o;
    void SetUp() override
    {
        SchlangeTest::SetUp();
        fs::copy_file(mtFixture("BAUTEILE.L10"), o.pfad / "BAUTEILE.L10");
        fs::copy_file(mtFixture("BAUTEILE.L10"), o.pfad / "BAUTEILE.L6");
        fs::copy_file(std::string(VELMO_TEST_DATA) + "/editdlg/BAUTEILK.L10", o.pfad / "BAUTEILK.L10");
        VerSetzen(2, (o.pfad.string() + "/").c_str());
        std::strcpy(BefAktZustand()->bd, "L10");
    }
    void TearDown() override
    {
        SchlangeTest::TearDown();
        VerSetzen(2, "");
    }
    static std::vector<std::string> sichtbar()
    {
        const KatBaum& b = Db1240Baum();
        std::vector<std::string> v;
        for (int i : b.sichtbar) v.push_back(std::string(b.zeilen[static_cast<size_t>(i)].ebene ? "  " : "") + b.zeilen[static_cast<size_t>(i)].text);
        return v;
    }
    static std::vector<std::string> eintraege(HWND d)
    {
        std::vector<std::string> v;
        HWND l = GetDlgItem(d, 3100);
        for (int i = 0; i < SendMessage(l, LB_GETCOUNT, 0, 0); ++i) {
            char t[100] = "";
            SendMessage(l, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
            v.emplace_back(t);
        }
        return v;
    }
};

TEST_F(KatDlg, TreeComponentsAndPlacing)
{
    HWND d = oeffnen(1240);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(sichtbar(), (std::vector<std::string>{"Eingetragen", "Verwendet", "Schuetze", "Motoren", "Sonstiges"}));
    EXPECT_EQ(eintraege(d), (std::vector<std::string>{"Sch\xFCtz", "K2"}));
    EXPECT_EQ(text(d, 3010), "K1");
    EXPECT_EQ(text(d, 3011), "Hauptsch\xFCtz");
    EXPECT_GT(gruenePunkte(GetDlgItem(d, 3000)), 0) << "the preview of K1";
    EXPECT_GT(gruenePunkte(GetDlgItem(d, 3100)), 0) << "the list's pictures";
    SendMessage(d, WM_COMMAND, 3000, VORSCHAUDOPPEL);
    ASSERT_NE(VorschauFenster(), 0u);
    EXPECT_EQ(GetDlgItem(d, 3009), VorschauFenster());
    EXPECT_GT(gruenePunkte(VorschauFenster()), 0) << "the enlarged preview";
    EXPECT_EQ(plHeadlessPng(d, (dbpruef::tempName("db1240gross") + ".png").c_str()), 0);
    SendMessage(d, WM_COMMAND, 3009, 0);
    EXPECT_EQ(VorschauFenster(), 0u);
    EXPECT_EQ(plHeadlessPng(d, (dbpruef::tempName("db1240") + ".png").c_str()), 0);
    // Right on the heading opens it: two indented rows.
    SendMessage(d, WM_COMMAND, 2520, 3);
    pumpen();
    EXPECT_EQ(sichtbar(), (std::vector<std::string>{"Eingetragen", "Verwendet", "Schuetze", "Motoren", "  Drehstrom",
                                                     "  Gleichstrom", "Sonstiges"}));
    // A double click places the selected component.
    saetze();
    HWND l = GetDlgItem(d, 3100);
    SendMessage(l, LB_SETCURSEL, 1, 0);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3100, LBN_DBLCLK), static_cast<LPARAM>(l));
    pumpen();
    std::vector<BEF> q = saetze();
    ASSERT_EQ(q.size(), 1u);
    EXPECT_STREQ(BefName(q[0].code), "ZB");
    EXPECT_STREQ(q[0].text, "K2");
    // Without a selection nothing is placed.
    SendMessage(l, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_TRUE(saetze().empty());
    EXPECT_STREQ(StatusLetzterText(), "Kein Bauteil ausgew\xE4hlt.");
    // Another library in the chooser: BD with its suffix.
    HWND c = GetDlgItem(d, 3090);
    const int n = static_cast<int>(SendMessage(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("BAUTEILE.L6")));
    ASSERT_GE(n, 0);
    SendMessage(c, CB_SETCURSEL, static_cast<WPARAM>(n), 0);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3090, CBN_SELCHANGE), static_cast<LPARAM>(c));
    pumpen();
    q = saetze();
    ASSERT_EQ(q.size(), 1u);
    EXPECT_STREQ(BefName(q[0].code), "BD");
    EXPECT_STREQ(q[0].text, "L6");
    // After the editor switched, the refresh rebuilds the tree: L6 has no
    // group file, so only the two fixed rows stay.
    std::strcpy(BefAktZustand()->bd, "L6");
    SendMessage(d, WM_COMMAND, 2999, 0);
    pumpen();
    EXPECT_EQ(sichtbar(), (std::vector<std::string>{"Eingetragen", "Verwendet"}));
}

// A click on a heading's folder picture opens it and a second closes it;
// a click on its text only selects it.
TEST_F(KatDlg, AClickOnTheFolderPictureTogglesTheHeading)
{
    HWND d = oeffnen(1240);
    ASSERT_NE(d, 0u);
    HWND baum = GetDlgItem(d, 3080);
    const int cw = wiDlgEinheit(4), lh = wiDlgEinheit(8);
    const auto klick = [&](int spalte, int zeile) {
        const POINT p = plHeadlessPunkt(baum, 2 + spalte * cw + cw / 2, zeile * lh + 4);
        plHeadlessKlick(p.x, p.y);
        pumpen();
    };
    const std::vector<std::string> zu{"Eingetragen", "Verwendet", "Schuetze", "Motoren", "Sonstiges"};
    const std::vector<std::string> auf{"Eingetragen", "Verwendet", "Schuetze", "Motoren", "  Drehstrom", "  Gleichstrom", "Sonstiges"};
    klick(4, 3);
    EXPECT_EQ(sichtbar(), zu) << "the text only selects";
    klick(0, 3);
    EXPECT_EQ(sichtbar(), auf);
    klick(1, 3);
    EXPECT_EQ(sichtbar(), zu);
}

// The contact-mirror chooser over the editor's library: each row with its
// picture, the selection in the preview, enlarged on a double click.
TEST_F(KatDlg, TheLibraryChooserShowsItsComponents)
{
    static std::string gewaehlt;
    DB1232Oeffnen(2, [](const char* name) { gewaehlt = name; });
    pumpen();
    HWND d = wiDlgSuchen("DB1232K");
    ASSERT_NE(d, 0u);
    EXPECT_GE(SendDlgItemMessage(d, 3000, LB_GETCOUNT, 0, 0), 1);
    EXPECT_GT(gruenePunkte(GetDlgItem(d, 3000)), 0) << "the rows' pictures";
    EXPECT_GT(gruenePunkte(GetDlgItem(d, 3070)), 0) << "the first entry's preview";
    SendMessage(d, WM_COMMAND, 3070, VORSCHAURECHTS);
    ASSERT_NE(VorschauFenster(), 0u);
    EXPECT_EQ(GetDlgItem(d, 3079), VorschauFenster());
    EXPECT_EQ(plHeadlessPng(d, (dbpruef::tempName("db1232") + ".png").c_str()), 0);
    SendMessage(d, WM_COMMAND, 3079, 0);
    EXPECT_EQ(VorschauFenster(), 0u);
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_FALSE(gewaehlt.empty());
    EXPECT_EQ(wiDlgSuchen("DB1232K"), 0u) << "closes after the choice";
}

TEST_F(KatDlg, PaletteTemplateButtonsAndTheLastRow)
{
    // 29 components in the first section: 8 columns reach the last ones.
    {
        std::ofstream g(o.pfad / "BAUTEILK.L10", std::ios::binary | std::ios::trunc);
        g << ")S Viele\r\n";
        for (int i = 0; i < 29; ++i) g << "C" << i << " Teil " << i << "\r\n";
    }
    const std::string ini = dbpruef::tempName("katdlg.ini");
    IniPfadSetzen(ini.c_str());
    plIniCacheLeeren();
    Db1205EinstNeu();
    HWND d = oeffnen(1205);
    ASSERT_NE(d, 0u) << "the template of layout 1, size 0";
    std::vector<std::string> k = Db1205Knoepfe();
    ASSERT_EQ(k.size(), 24u);
    EXPECT_EQ(k[0], "C0");
    EXPECT_EQ(k[23], "C23");
    EXPECT_GT(gruenePunkte(GetDlgItem(d, 2600)), 0) << "the button shows its component";
    EXPECT_EQ(plHeadlessPng(d, (dbpruef::tempName("db1205") + ".png").c_str()), 0);
    // The cursor over a button: its name and description as the hint, 3 x 20
    // dialog units wide while "AP-EdBkTl" is missing.
    const auto hinweis = [d](int knopf) {
        SendMessage(d, WM_SETCURSOR, static_cast<WPARAM>(GetDlgItem(d, knopf)), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        char t[100] = "";
        if (PopupHinweisGezeigt()) GetWindowText(PopupHinweisFenster(), t, sizeof t);
        return std::string(t);
    };
    EXPECT_EQ(hinweis(2601), "C1 Teil 1");
    RECT h;
    GetWindowRect(PopupHinweisFenster(), &h);
    EXPECT_EQ(h.right - h.left, wiDlgEinheit(60));
    SendMessage(d, WM_VSCROLL, SB_BOTTOM, static_cast<LPARAM>(GetDlgItem(d, 2750)));
    pumpen();
    k = Db1205Knoepfe();
    EXPECT_EQ(k[0], "C24") << "the last row is reached";
    EXPECT_EQ(k[4], "C28");
    EXPECT_EQ(k[5], "");
    EXPECT_EQ(hinweis(2601), "C25 Teil 25") << "the hints follow the scrolling";
    EXPECT_EQ(hinweis(2605), "") << "an empty button has none";
    saetze();
    SendMessage(d, WM_COMMAND, 2604, 0);
    pumpen();
    std::vector<BEF> q = saetze();
    ASSERT_EQ(q.size(), 1u);
    EXPECT_STREQ(q[0].text, "C28");
    SendMessage(d, WM_CLOSE, 0, 0);
    pumpen();
    // Size 1 with layout 12: "DB1205F112", 20 columns of 6 rows.
    WritePrivateProfileString("ArbPlatz", "EdBkDf", "12", ini.c_str());
    WritePrivateProfileString("ArbPlatz", "EdBkDg", "1", ini.c_str());
    WritePrivateProfileString("ArbPlatz", "EdBkTl", "30", ini.c_str());
    plIniCacheLeeren();
    Db1205EinstNeu();
    DB1205Oeffnen();
    pumpen();
    d = wiDlgSuchen("DB1205F112");
    ASSERT_NE(d, 0u);
    EXPECT_EQ(Db1205Knoepfe().size(), 120u);
    GetWindowRect(PopupHinweisFenster(), &h);
    EXPECT_EQ(h.right - h.left, wiDlgEinheit(90)) << "AP-EdBkTl 30";
    SendMessage(d, WM_CLOSE, 0, 0);
    pumpen();
    Db1205EinstNeu();
    IniPfadSetzen(nullptr);
    fs::remove(ini);
}

}  // namespace
