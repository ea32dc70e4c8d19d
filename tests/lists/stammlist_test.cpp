// The small master-data windows: the viewer's search, colour lines, the
// font faces offered, pen pages and the files they save, each window
// opened headless and drawn.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editdlg/bautwork.h"
#include "lists/stammlist.h"
#include "model/einstell.h"
#include "platform/fehlersim.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "tests/equipment/bmtest.h"
#include "tests/project/projpruef.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/winbib.h"

namespace fs = std::filesystem;

namespace {

struct StammListe : bmtest::BmTest {
    void SetUp() override
    {
        BmTest::SetUp();
        projpruef::dialogWirt((wurzel_ / "cfg").string(), 1000, 800);
        StifteVergessen();
    }
    void TearDown() override
    {
        wiSchriftFamilienSetzen(nullptr);
        StifteVergessen();
        projpruef::dialogWirtEnde();
        BmTest::TearDown();
    }
    HWND offen(const char* name)
    {
        projpruef::dlgPumpen();
        HWND d = wiDlgSuchen(name);
        if (d) {
            if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(d, (std::string(z) + "/" + name + ".png").c_str());
        }
        return d;
    }
    std::string anw(const std::string& name) { return (wurzel_ / "cfg" / "Velmo" / name).string(); }
};

TEST_F(StammListe, SearchGoesDownFromTheSelectionWithoutWrapping)
{
    const std::vector<std::string> z = {"Motor", "Schuetz", "motorschutz", "Lampe"};
    const struct {
        int ab;
        const char* text;
        int erwartet;
    } faelle[] = {{-1, "MOTOR", 0}, {0, "motor", 2}, {2, "motor", -1}, {3, "Lampe", -1}, {0, "", -1}};
    for (const auto& f : faelle) EXPECT_EQ(StdTextSuchen(z, f.ab, f.text), f.erwartet) << f.ab << " " << f.text;
}

// The viewer reads at most STDZEILENSUP lines and says when it cut.
TEST_F(StammListe, TheViewerReadsABoundedNumberOfLines)
{
    const std::string pfad = (std::filesystem::temp_directory_path() / ("velmo_std_" + std::to_string(::getpid()))).string();
    { std::ofstream(pfad, std::ios::binary) << std::string(STDZEILENSUP + 5, '\n'); }
    std::vector<std::string> z;
    EXPECT_EQ(StdTextLesen(pfad.c_str(), &z), 1);
    EXPECT_EQ(z.size(), static_cast<size_t>(STDZEILENSUP));
    { std::ofstream(pfad, std::ios::binary) << "a\tb\n" << std::string(300, 'x') << "\n"; }
    EXPECT_EQ(StdTextLesen(pfad.c_str(), &z), 0);
    ASSERT_EQ(z.size(), 2u);
    EXPECT_EQ(z[0], "a       b");
    EXPECT_EQ(z[1].size(), static_cast<size_t>(STDZEILESUP));
    std::filesystem::remove(pfad);
    EXPECT_EQ(StdTextLesen(pfad.c_str(), &z), -1);
}

TEST_F(StammListe, ColourLinesReadMissingNumbersAsZero)
{
    const struct {
        const char* zeile;
        int r, g, b;
        const char* name;
    } faelle[] = {{"255 128 0 Orange", 255, 128, 0, "Orange"}, {"12 34", 12, 34, 0, ""}, {"7 Rot", 7, 0, 0, "Rot"},
                  {"1 2 3 abcdefghij klmnopqr zz", 1, 2, 3, "abcdefghij klmnopqr"}};
    for (const auto& f : faelle) {
        farbsatz s;
        ASSERT_EQ(FarbSatzLesen(&s, f.zeile), 1);
        EXPECT_EQ(s.r, f.r) << f.zeile;
        EXPECT_EQ(s.g, f.g) << f.zeile;
        EXPECT_EQ(s.b, f.b) << f.zeile;
        EXPECT_STREQ(s.name, f.name) << f.zeile;
    }
    farbsatz s{255, 0, 7, "Rot"};
    char z[80];
    FarbSatzZeile(&s, z, sizeof z);
    EXPECT_STREQ(z, "255   0   7     Rot");
}

TEST_F(StammListe, FontFacesFromTheInstalledFamilies)
{
    const std::vector<WiSchriftFamilie> familien = {
        {"Zeta", ""}, {"@Vertikal", ""}, {"Arial", ""}, {std::string(50, 'L'), ""}, {"Arial", ""}};
    wiSchriftFamilienSetzen(&familien);
    EXPECT_EQ(SchriftFlaechen(), (std::vector<std::string>{"Arial", std::string(40, 'L'), "Zeta"}));
    SchriftenOeffnen();
    HWND d = offen("Schriften");
    ASSERT_NE(d, 0u);
    ASSERT_TRUE(wiDlgBetreten(d));
    EXPECT_EQ(wiComboAnzahl(3010), 3);
    wiDlgVerlassen();
    wiDlgSlotSchliessen(wiDlgSlot(d));
}

// Pages of 20 pens stop at 81..99; saving writes the application-data
// folder, read back by the next load; a failed write says so and keeps the
// window with its edits.
TEST_F(StammListe, PenPagesAndTheirFile)
{
    StifteOeffnen();
    HWND d = offen("Stifte");
    ASSERT_NE(d, 0u);
    for (int i = 0; i < 6; ++i) SendMessage(d, WM_COMMAND, 2510, 0);
    ASSERT_TRUE(wiDlgBetreten(d));
    EXPECT_STREQ(wiTextRing(3001), "81");
    EXPECT_STREQ(wiTextRing(3001 + 10 * 18), "99");
    EXPECT_STREQ(wiTextRing(3001 + 10 * 19), "");
    wiTextSetzen(3000 + 10 * 18, "Rahmen");
    wiDlgVerlassen();
    {
        PlFehlerScope s;
        plFehlerSetzen(PlFehlerArt::Umbenennen, 1);
        SendMessage(d, WM_COMMAND, 2500, 0);
    }
    projpruef::dlgPumpen();
    ASSERT_NE(wiDlgSuchen("Stifte"), 0u) << "the window keeps its edits";
    ASSERT_FALSE(plNachrichtBoxFragen().empty());
    EXPECT_EQ(plNachrichtBoxFragen().back().text, "Kann Stifte.txt nicht schreiben.");
    SendMessage(d, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(wiDlgSuchen("Stifte"), 0u);
    EXPECT_NE(eqtest::lesen(anw("Stifte.txt")).find("99 Rahmen\r\n"), std::string::npos);
    StifteVergessen();
    char n[STIFTNAMESUP + 1];
    StiftName(99, n);
    strtrim(n);
    EXPECT_STREQ(n, "Rahmen");
}

// The colour list edits a copy in the application-data folder; the viewer
// shows a file and hands it to the external editor.
TEST_F(StammListe, ColourListAndViewerOpen)
{
    const std::string rgb = pfad("rgb.txt");
    eqtest::schreiben(rgb, "255 0 0 Rot\r\n0 255\r\n");
    FarbListeOeffnen(rgb.c_str());
    HWND d = offen("FarbListe");
    ASSERT_NE(d, 0u);
    SendMessage(d, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(eqtest::lesen(anw("rgb.txt")), "255   0   0     Rot\r\n  0 255   0     \r\n");
    EXPECT_EQ(eqtest::lesen(rgb), "255 0 0 Rot\r\n0 255\r\n") << "the read file stays";

    eqtest::schreiben(pfad("Texte"), "eins\r\nzwei\tTab\r\n");
    for (int art = 0; art < 3; ++art) {
        StdTextOeffnen(pfad("Texte").c_str(), art);
        const char* namen[3] = {"STDTEXTT", "STDTEXTS", "STDTEXTL"};
        HWND v = offen(namen[art]);
        ASSERT_NE(v, 0u) << art;
        ASSERT_TRUE(wiDlgBetreten(v));
        EXPECT_EQ(wiListeAnzahl(3000), 2);
        char t[100];
        wiListeText(3000, 1, t);
        EXPECT_STREQ(t, "zwei    Tab");
        wiDlgVerlassen();
        SendMessage(v, WM_COMMAND, 2520, 0);
        wiDlgSlotSchliessen(wiDlgSlot(v));
    }
    LayerOeffnen();
    EXPECT_NE(offen("Layer"), 0u);
}

}  // namespace
