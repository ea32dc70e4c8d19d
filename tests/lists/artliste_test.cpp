// The article and sub-article lists: the search rules, the paste modes of
// the single-record dialogs, and both lists saving the article file they
// read; the shipped stock file that articles came from is never replaced
// and the failed save says so.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "lists/artliste.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "tests/equipment/bmtest.h"
#include "tests/project/projpruef.h"
#include "winlib/dialog.h"

namespace {

TEST(ArtRegeln, SearchAndPasteModes)
{
    const std::vector<std::vector<std::string>> felder = {{"A1", "Motor"}, {"A2", "Schuetz"}, {"A3", "motorschutz"}};
    EXPECT_EQ(ArtListeSuchen(felder, 0, "MOTOR"), 2);
    EXPECT_EQ(ArtListeSuchen(felder, 2, "motor"), -1) << "no wrap-around";
    EXPECT_EQ(ArtListeSuchen(felder, -1, "A1"), 0);
    const std::vector<std::string> puffer = {"p1", "", "p3"};
    const struct {
        int befehl;
        std::vector<std::string> ergebnis;
    } faelle[] = {
        {2522, {"p1", "alt2", "p3"}},  // only the empty fields
        {2523, {"p1", "alt2", "p3"}},  // only from filled buffer fields
        {2524, {"p1", "", "p3"}},
    };
    for (const auto& f : faelle) {
        std::vector<std::string> feld = {"", "alt2", ""};
        if (f.befehl == 2523) feld = {"x", "alt2", "y"};
        ArtEinfuegen(feld, puffer, f.befehl);
        EXPECT_EQ(feld, f.ergebnis) << f.befehl;
    }
    std::vector<std::string> voll = {"alt1", "alt2", "alt3"};
    ArtEinfuegen(voll, puffer, 2522);
    EXPECT_EQ(voll, (std::vector<std::string>{"alt1", "alt2", "alt3"})) << "filled fields stay";
}

using ArtListeTest = bmtest::BmTest;

TEST_F(ArtListeTest, BothListsSaveTheArticleFile)
{
    projpruef::dialogWirt((wurzel_ / "cfg").string(), 1000, 800);
    const std::string FS = "\x1c";
    std::string art = "A1";
    for (int i = 0; i < 10; ++i) art += FS + (i == 0 ? "Motor" : "");
    std::string stl = "A1";
    for (int i = 0; i < 50; ++i) stl += FS + (i == 0 ? "B1" : "");
    const std::string inhalt = "zvkL\n)S Art\n" + art + "\n)S Stl\n" + stl + "\n)E\n";
    eqtest::schreiben(pfad("Artikel.zvk"), inhalt);
    vorgaben("BMuse 1\nLaDatei Artikel.zvk\n");
    const struct {
        void (*oeffnen)();
        const char* name;
    } faelle[] = {{AppArtListeOeffnen, "AppArtListe"}, {AppStkListeOeffnen, "AppStkListe"}};
    for (const auto& f : faelle) {
        f.oeffnen();
        projpruef::dlgPumpen();
        HWND d = wiDlgSuchen(f.name);
        ASSERT_NE(d, 0u) << f.name;
        if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(d, (std::string(z) + "/" + f.name + ".png").c_str());
        SendMessage(d, WM_COMMAND, 2510, 0);
        projpruef::dlgPumpen();
        const std::string einz = std::string(f.name).replace(std::string(f.name).find("Liste"), 5, "Einz");
        HWND e = wiDlgSuchen(einz.c_str());
        ASSERT_NE(e, 0u) << einz;
        if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(e, (std::string(z) + "/" + einz + ".png").c_str());
        SendMessage(e, WM_COMMAND, 2501, 0);
        SendMessage(d, WM_COMMAND, 2500, 0);
        projpruef::dlgPumpen();
        EXPECT_EQ(wiDlgSuchen(f.name), 0u);
        EXPECT_EQ(eqtest::lesen(pfad("Artikel.zvk")), inhalt) << f.name;
    }
    // Articles read from a stock text file: that file is not replaced.
    eqtest::schreiben(pfad("Lager.txt"), "A1 Motor\n");
    vorgaben("BMuse 1\nLaDatei Lager.txt\n");
    AppArtListeOeffnen();
    projpruef::dlgPumpen();
    HWND d = wiDlgSuchen("AppArtListe");
    ASSERT_NE(d, 0u);
    plNachrichtBoxFragenLeeren();
    SendMessage(d, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    EXPECT_NE(wiDlgSuchen("AppArtListe"), 0u) << "the list keeps its edits";
    ASSERT_FALSE(plNachrichtBoxFragen().empty());
    EXPECT_NE(plNachrichtBoxFragen().back().text.find("nicht schreiben"), std::string::npos);
    EXPECT_EQ(eqtest::lesen(pfad("Lager.txt")), "A1 Motor\n");
    plNachrichtBoxAntwort(IDNO);
    wiDlgSlotSchliessen(wiDlgSlot(d));
    projpruef::dlgPumpen();
    projpruef::dialogWirtEnde();
}

}  // namespace
