// Colour names of "rgb.txt": lookup ignoring case, unknown names, cut
// fields, the table limit, a missing file, and the model's service hook.
#include "output/farbe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/dienste.h"
#include "output/stil.h"
#include "output/strich.h"
#include "platform/fehlersim.h"
#include "tests/output/stiltest.h"

namespace {

struct Farben : ::testing::Test {
    StOrdner ordner;
    void SetUp() override
    {
        std::filesystem::copy_file(stFixture("rgb.txt"), StOrdner::anwendung("rgb.txt"));
        RgbVergessen();
    }
    void TearDown() override { RgbVergessen(); }
};

std::string farbe(const char* name, size_t kap = 32)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s", name);
    RgbAusFarbname(text, kap);
    return text;
}

TEST_F(Farben, NamesAreLookedUpIgnoringCase)
{
    struct Fall {
        const char* name;
        const char* rgb;
    } const faelle[] = {
        {"rot", "255 0 0"},          // the first of two entries named alike
        {"ROT", "255 0 0"},
        {" Rot ", "255 0 0"},        // blanks around the name do not count
        {"blau", "0 0 255"},
        {"HellBlau", "128 192 255"},
        {"zuhell", "255 20 12"},     // values beyond 255 are cut
        {"dunkles grau", "10 20 30"},
        {"einsehrlangerfarbnam", "40 50 60"},  // names are cut to 20
        {"einsehrlangerfarbname_ueber_zwanzig", "0 0 0"},
        {"nachdemlangen", "21 22 23"},  // the line after an over-long one
        {"unbekannt", "0 0 0"},
        {"", "0 0 0"},
        {"blau rot", "0 0 0"},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(farbe(f.name), f.rgb) << f.name;
    }
    EXPECT_EQ(RgbAnzahl(), 9);  // comment and the short line are no entries
    EXPECT_EQ(farbe("blau", 4), "0 0");  // the result is cut to the buffer
}

TEST_F(Farben, TheTableHoldsAtMostOneHundredEntries)
{
    std::string text;
    for (int i = 0; i < 120; ++i) {
        text += std::to_string(i) + " 0 0 farbe" + std::to_string(i) + "\n";
    }
    stSchreiben(StOrdner::anwendung("rgb.txt"), text);
    EXPECT_EQ(RgbLaden(), RGBSUP);
    EXPECT_EQ(farbe("farbe99"), "99 0 0");
    EXPECT_EQ(farbe("farbe100"), "0 0 0");
    ASSERT_NE(RgbEintrag(RGBSUP - 1), nullptr);
    EXPECT_EQ(RgbEintrag(RGBSUP), nullptr);
}

TEST_F(Farben, AMissingFileGivesBlackAndIsTriedAgainOnTheNextUse)
{
    std::filesystem::remove(StOrdner::anwendung("rgb.txt"));
    EXPECT_EQ(RgbLaden(), -1);
    EXPECT_EQ(farbe("rot"), "0 0 0");
    {
        PlFehlerScope scope;
        std::filesystem::copy_file(stFixture("rgb.txt"), StOrdner::anwendung("rgb.txt"));
        plFehlerSetzen(PlFehlerArt::Oeffnen, 1, true);
        EXPECT_EQ(farbe("rot"), "0 0 0");  // cannot be opened: still empty
    }
    EXPECT_EQ(farbe("rot"), "255 0 0");  // loaded again while empty
    char pfad[256];
    RgbPfad(pfad, sizeof pfad);
    EXPECT_EQ(std::string(pfad), StOrdner::anwendung("rgb.txt"));
}

TEST_F(Farben, TheShippedDataIsReadWhenTheUserHasNoFile)
{
    std::filesystem::remove(StOrdner::anwendung("rgb.txt"));
    std::filesystem::copy_file(stFixture("rgb.txt"), ordner.programm / "rgb.txt");
    EXPECT_EQ(farbe("Blau"), "0 0 255");
}

TEST_F(Farben, TheModelCallsTheRealServicesOnceRegistered)
{
    StilDiensteEintragen();
    char text[32] = "Rot";
    modh::RgbAusFarbname(text, sizeof text);
    EXPECT_STREQ(text, "255 0 0");
    modh::StrichMaxSetzen(7);
    EXPECT_EQ(StrichMax(), 7);
    modh::StrichMaxSetzen(0);
    EXPECT_EQ(StrichMax(), 0);
    ModDiensteStandard();
}

}  // namespace
