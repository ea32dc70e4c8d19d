// Tests of the file-watch core: counters, directory texts and watches.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "config/datwache.h"
#include "config/verzeich.h"
#include "support/dosdatei.h"

namespace {

namespace fs = std::filesystem;

struct Datwache : ::testing::Test {
    fs::path ordner;
    void SetUp() override
    {
        DatWacheZuruecksetzen();
        ordner = fs::temp_directory_path() / ("velmo-datwache-" + std::to_string(getpid()));
        fs::remove_all(ordner);
        fs::create_directories(ordner / "b");
        std::ofstream(ordner / "liste.txt") << "eins\n";
        VerSetzen(1, ordner.string().c_str());
        VerAktuellSetzen(ordner.string().c_str());
    }
    void TearDown() override
    {
        VerSetzen(1, "");
        DatWacheZuruecksetzen();
        fs::remove_all(ordner);
    }
    void zeitSetzen(int sekunde)
    {
        DATZEIT z{{120, 5, 17}, 10, 30, static_cast<uint8_t>(sekunde)};
        ASSERT_EQ(dateizeitsetzen((ordner / "liste.txt").string().c_str(), &z), 0);
    }
};

TEST_F(Datwache, CountersStartAndMove)
{
    EXPECT_EQ(DatPruefZaehler(), 0);
    EXPECT_EQ(DatAktiv(), 1);
    DatNeuPruefen(0);
    EXPECT_EQ(DatPruefZaehler(), 1);
    EXPECT_EQ(DatAktiv(), 0);
    DatAenderungMelden();
    DatAenderungMelden();
    EXPECT_EQ(DatAenderungen(), 2);
    DatAenderungenLoeschen();
    EXPECT_EQ(DatAenderungen(), 0);
    DatWechselZaehlen();
    EXPECT_EQ(DatWechsel(), 1);
}

TEST_F(Datwache, DirectoryTextsAreNormalised)
{
    struct Fall {
        const char* ein;
        const char* aus;
    } faelle[] = {
        {"c:\\projekt\\a", "C:/projekt/a/"},
        {"/prj/", "/prj/"},
        {"", ""},
    };
    for (const Fall& f : faelle) {
        VerProgrammSetzen(f.ein);
        EXPECT_STREQ(VerProgramm(), f.aus) << f.ein;
    }
    // A long text keeps its trailing separator within the capacity.
    std::string lang(300, 'x');
    VerAktuellSetzen(lang.c_str());
    EXPECT_EQ(std::string(VerAktuell()).size(), static_cast<size_t>(DATVERZSUP - 1));
    EXPECT_EQ(std::string(VerAktuell()).back(), '/');
}

TEST_F(Datwache, FileWatchReadsTheTimeOnlyAfterTheCounterMoved)
{
    zeitSetzen(1);
    DATSTEMPEL w;
    ASSERT_EQ(DatStempelAnlegen(&w, 1, "liste", "txt"), 0);
    EXPECT_EQ(DatStempelVeraltet(&w), 1);  // not loaded yet
    ASSERT_EQ(DatStempelSetzen(&w), 0);
    EXPECT_EQ(DatStempelVeraltet(&w), 0);
    zeitSetzen(2);
    EXPECT_EQ(DatStempelVeraltet(&w), 0);  // no re-check requested
    DatNeuPruefen(1);
    EXPECT_EQ(DatStempelVeraltet(&w), 1);
    ASSERT_EQ(DatStempelSetzen(&w), 0);
    DatNeuPruefen(1);
    EXPECT_EQ(DatStempelVeraltet(&w), 0);  // checked, same time
    ASSERT_EQ(DatStempelSetzen(&w), 0);
    fs::remove(ordner / "liste.txt");
    EXPECT_EQ(DatStempelVeraltet(&w), 0);
    DatNeuPruefen(1);
    EXPECT_EQ(DatStempelVeraltet(&w), -1);  // the time cannot be read
    DATSTEMPEL fehlt;
    EXPECT_EQ(DatStempelAnlegen(&fehlt, 1, "liste", "txt"), -1);
}

TEST_F(Datwache, FileWatchNoticesAnotherPath)
{
    zeitSetzen(1);
    std::ofstream(ordner / "b" / "liste.txt") << "zwei\n";
    DATSTEMPEL w;
    ASSERT_EQ(DatStempelAnlegen(&w, 1, "liste", "txt"), 0);
    ASSERT_EQ(DatStempelSetzen(&w), 0);
    VerSetzen(1, (ordner / "b").string().c_str());
    EXPECT_EQ(DatStempelVeraltet(&w), 1);
}

TEST_F(Datwache, FolderWatchFollowsSwitchesAndTheWorkingDirectory)
{
    DATSTEMPEL w;
    ASSERT_EQ(DatStempelAnlegen(&w, -1, "", ""), 0);
    ASSERT_EQ(DatStempelSetzen(&w), 0);
    EXPECT_EQ(DatStempelVeraltet(&w), 0);
    DatNeuPruefen(1);
    EXPECT_EQ(DatStempelVeraltet(&w), 0);  // the check counter does not matter
    DatWechselZaehlen();
    EXPECT_EQ(DatStempelVeraltet(&w), 1);
    ASSERT_EQ(DatStempelSetzen(&w), 0);
    VerAktuellSetzen((ordner / "b").string().c_str());
    EXPECT_EQ(DatStempelVeraltet(&w), 1);
}

}  // namespace
