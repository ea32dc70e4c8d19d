// Fonts: start values, "Schrift.txt" read from the project folder (first
// line, clamped numbers, cut names), written where it was found, read and
// write failures, a file read short (with the colour names), and the
// metrics measured on the headless backend.
#include "output/schrift.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "output/farbe.h"
#include "platform/fehlersim.h"
#include "platform/gdiimpl.h"
#include "platform/nachrichtbox.h"
#include "platform/textbreite.h"
#include "tests/output/stiltest.h"

namespace {

struct Schriften : ::testing::Test {
    StOrdner ordner;
    // From the module's start state, whatever a test before left in it.
    void SetUp() override { SchriftEnde(); }
    void TearDown() override
    {
        SchriftNeuLaden();
        SchriftEnde();
    }
};

std::string name(int n)
{
    char t[SCHRIFTNAMESUP + 1];
    SchriftName(n, t, sizeof t);
    return t;
}

// The values before any file was read.
TEST_F(Schriften, StartValuesWithoutAFile)
{
    EXPECT_EQ(name(0), "Courier");  // every load sets font 0 first
    EXPECT_EQ(SchriftArt(0), 1);
    for (int n = 1; n < SCHRIFTSUP; ++n) {
        EXPECT_EQ(name(n), "Schriftart " + std::to_string(n));
        EXPECT_EQ(SchriftArt(n), 0);
    }
}

TEST_F(Schriften, TheProjectFileSetsAttributesAndNames)
{
    std::filesystem::copy_file(stFixture("Schrift.txt"), ordner.projekt / "Schrift.txt");
    struct Fall {
        int n;
        const char* name;
        int art;
    } const faelle[] = {
        {3, "Schriftart 3", 1},      // the first line sets only the attribute
        {1, "Liberation Mono", 1},
        {9, "DejaVu Serif", 0},      // number 12 is font 9
        {0, "Null Schrift", 0},      // number -4 is font 0
        {5, "Eine sehr lange Schriftbezeichnung ueber", 0},  // cut to 40
        {2, "Schriftart 2", 0},
        {-1, "Null Schrift", 0},     // numbers asked for are clamped too
        {10, "DejaVu Serif", 0},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(name(f.n), f.name) << f.n;
        EXPECT_EQ(SchriftArt(f.n), f.art) << f.n;
    }
}

// A frame ended and started again in one process (and the project that
// follows without a font file) starts from the start values, not from the
// fonts of the project before.
TEST_F(Schriften, TheEndPutsTheTableBackToItsStartValues)
{
    std::filesystem::copy_file(stFixture("Schrift.txt"), ordner.projekt / "Schrift.txt");
    SchriftSetzen(2, "Arial", 1);
    EXPECT_EQ(name(1), "Liberation Mono");
    std::filesystem::remove(ordner.projekt / "Schrift.txt");
    SchriftEnde();
    EXPECT_EQ(name(0), "Courier");
    EXPECT_EQ(name(1), "Schriftart 1");
    EXPECT_EQ(name(2), "Schriftart 2");
    EXPECT_EQ(SchriftArt(2), 0);
    EXPECT_EQ(SchriftArt(3), 0);
}

TEST_F(Schriften, SettingAFontSurvivesTheLoadThatFollows)
{
    std::filesystem::copy_file(stFixture("Schrift.txt"), ordner.projekt / "Schrift.txt");
    SchriftSetzen(0, "DejaVu Sans Mono", 1);
    EXPECT_EQ(name(0), "DejaVu Sans Mono");
    EXPECT_EQ(SchriftArt(0), 1);
    SchriftSetzen(15, std::string(50, 'x').c_str(), 0);  // font 9, cut to 40
    EXPECT_EQ(name(9), std::string(40, 'x'));
    SchriftSetzen(-3, nullptr, 2);
    EXPECT_EQ(name(0), "");
    EXPECT_EQ(SchriftArt(0), 2);
}

TEST_F(Schriften, TheFileIsWrittenWhereItWasFound)
{
    // No project file: the application-data folder.
    for (int n = 1; n < SCHRIFTSUP; ++n) {
        SchriftSetzen(n, ("Schriftart " + std::to_string(n)).c_str(), 0);
    }
    SchriftSetzen(2, "Arial", 1);
    ASSERT_EQ(SchriftSchreiben(), 0);
    const std::string erwartet =
        "0 1 Courier\r\n1 0 Schriftart 1\r\n2 1 Arial\r\n3 0 Schriftart 3\r\n4 0 Schriftart 4\r\n"
        "5 0 Schriftart 5\r\n6 0 Schriftart 6\r\n7 0 Schriftart 7\r\n8 0 Schriftart 8\r\n9 0 Schriftart 9\r\n";
    EXPECT_EQ(stLesen(StOrdner::anwendung("Schrift.txt")), erwartet);
    EXPECT_FALSE(std::filesystem::exists(ordner.projekt / "Schrift.txt"));

    // A project file: written there, and read back alike (but for the first
    // line's name, which is the program's).
    stSchreiben((ordner.projekt / "Schrift.txt").string(), "0 1 Courier\n");
    ASSERT_EQ(SchriftSchreiben(), 0);
    EXPECT_EQ(stLesen((ordner.projekt / "Schrift.txt").string()), erwartet);
    SchriftNeuLaden();
    EXPECT_EQ(name(2), "Arial");
    EXPECT_EQ(SchriftArt(2), 1);
}

TEST_F(Schriften, FailuresKeepTheTableAndTheOldFile)
{
    std::filesystem::copy_file(stFixture("Schrift.txt"), ordner.projekt / "Schrift.txt");
    const std::string alt = stLesen((ordner.projekt / "Schrift.txt").string());
    EXPECT_EQ(name(1), "Liberation Mono");
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Umbenennen, 1);
        EXPECT_EQ(SchriftSchreiben(), -1);
        plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
        EXPECT_EQ(SchriftSchreiben(), -1);
    }
    EXPECT_EQ(stLesen((ordner.projekt / "Schrift.txt").string()), alt);
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Oeffnen, 1, true);
        SchriftNeuLaden();
        EXPECT_EQ(name(1), "Liberation Mono");  // cannot be read: the values stay
        EXPECT_EQ(name(0), "Courier");
    }
}

// Tables read when their file cannot be read: the font table keeps its
// values, says so and is not written over the file (the old table wrote its
// start values over every font of it); the colour names report a failure
// instead of an empty table. Readable again, both load the file.
TEST_F(Schriften, ATableReadShortIsNotTakenNorWrittenOver)
{
    RgbVergessen();
    struct Fall {
        const char* datei;
        std::string inhalt;
        std::function<int()> lesen;      // < 0: failed
        int gut;                         // its result when read whole
        std::function<int()> schreiben;  // the write that follows, when there is one
        bool gesagt;
    };
    const Fall faelle[] = {
        {"Schrift.txt", "0 1 Courier\r\n1 1 Nur Aus Der Datei\r\n2 0 DejaVu Serif\r\n",
         [] {
             SchriftNeuLaden();
             return name(1) == "Nur Aus Der Datei" ? 0 : -1;
         },
         0,
         [] {
             SchriftSetzen(3, "Arial", 1);
             return SchriftSchreiben();
         },
         true},
        {"rgb.txt", "255 0 0 rot\n0 0 255 blau\n", [] { return RgbLaden(); }, 2, nullptr, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.datei);
        const std::string pfad = (ordner.projekt / f.datei).string();
        // The colour names come from the application data.
        const std::string ort = f.gesagt ? pfad : StOrdner::anwendung(f.datei);
        stSchreiben(ort, f.inhalt);
        plNachrichtBoxFragenLeeren();
        {
            PlFehlerScope scope;
            plFehlerSetzen(PlFehlerArt::Lesen, 1, true);
            EXPECT_LT(f.lesen(), 0);
            if (f.schreiben) {
                EXPECT_EQ(f.schreiben(), -1);
            }
        }
        EXPECT_EQ(stLesen(ort), f.inhalt);
        const auto& boxen = plNachrichtBoxFragen();
        if (f.gesagt) {
            ASSERT_EQ(boxen.size(), 1u);
            EXPECT_EQ(boxen[0].text, "Kann " + ort + " nicht lesen.");
        } else {
            EXPECT_TRUE(boxen.empty());
        }
        EXPECT_EQ(f.lesen(), f.gut);
        if (f.schreiben) {
            EXPECT_EQ(f.schreiben(), 0);
        }
        std::filesystem::remove(ort);
    }
    EXPECT_EQ(name(1), "Nur Aus Der Datei");
    EXPECT_EQ(name(3), "Arial");
    RgbVergessen();
}

TEST_F(Schriften, MetricsAreMeasuredAndScaled)
{
    GdiSchriftMetrikStart(0);
    SchriftSetzen(4, "DejaVu Sans", 0);
    double kappe = 0, oben = 0;
    SchriftMetrik(4, &kappe, &oben);
    EXPECT_GT(kappe, 0.4);
    EXPECT_LT(kappe, oben);
    EXPECT_LT(oben, 1.0);
    const SCHRIFTMETRIK* m = SchriftMetrikSatz(4);
    ASSERT_TRUE(m->gueltig);
    EXPECT_STREQ(m->name, "DejaVu Sans");
    EXPECT_LT(m->breite['i'], m->breite['W']);
    EXPECT_EQ(m->breite[130], m->breite['n']);  // not measured: the width of "n"
    EXPECT_EQ(m->breite[10], m->breite['n']);
    EXPECT_GT(m->mittel, 0);

    const double soll = (m->breite['W'] + m->breite['i']) * 12.0 / m->mittel;
    EXPECT_DOUBLE_EQ(SchriftLaenge(4, "Wi", 12.0), soll);
    int vorschub[8];
    ASSERT_EQ(SchriftVorschub(4, "Wiiii", 12.0, vorschub, 8), 5);
    const int summe = vorschub[0] + vorschub[1] + vorschub[2] + vorschub[3] + vorschub[4];
    EXPECT_EQ(summe, static_cast<int>((m->breite['W'] + 4 * m->breite['i']) * 12.0 / m->mittel));
    EXPECT_EQ(SchriftVorschub(4, "Wiiii", 12.0, vorschub, 2), 2);

    // A new face is measured again on its next use.
    SchriftSetzen(4, "DejaVu Sans Mono", 1);
    m = SchriftMetrikSatz(4);
    EXPECT_STREQ(m->name, "DejaVu Sans Mono");
    EXPECT_EQ(m->breite['i'], m->breite['W']);
}

// The start loads none of the ten faces: a font is measured on its first
// use, to the same record as measured at once.
TEST_F(Schriften, TheStartMeasuresAFontOnItsFirstUse)
{
    SchriftSetzen(2, "Liberation Serif", 0);
    SchriftSetzen(5, "DejaVu Sans Mono", 1);
    gdiTextFreigeben();  // no face loaded before, so any measuring loads one
    const long vorher = plSchriftenGeladen();
    GdiSchriftMetrikStart(0);
    EXPECT_EQ(plSchriftenGeladen(), vorher);

    const SCHRIFTMETRIK spaet = *SchriftMetrikSatz(2);
    EXPECT_GT(plSchriftenGeladen(), vorher);
    ASSERT_TRUE(spaet.gueltig);
    EXPECT_STREQ(spaet.name, "Liberation Serif");
    const long nachErster = plSchriftenGeladen();
    EXPECT_EQ(SchriftMetrikSatz(2)->mittel, spaet.mittel);  // measured once
    EXPECT_EQ(plSchriftenGeladen(), nachErster);

    SchriftMessen(2);  // at once, as the start did before
    const SCHRIFTMETRIK* sofort = SchriftMetrikSatz(2);
    EXPECT_EQ(sofort->kappe, spaet.kappe);
    EXPECT_EQ(sofort->oben, spaet.oben);
    EXPECT_EQ(sofort->kappePixel, spaet.kappePixel);
    EXPECT_EQ(sofort->mittel, spaet.mittel);
    EXPECT_EQ(std::memcmp(sofort->breite, spaet.breite, sizeof spaet.breite), 0);
    EXPECT_EQ(SchriftMetrikSatz(5)->breite['i'], SchriftMetrikSatz(5)->breite['W']);
}

}  // namespace
