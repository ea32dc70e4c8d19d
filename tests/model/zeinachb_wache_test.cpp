// The neighbour cache notices drawings made or deleted in the folder once
// the check or change counter moved, even for the same drawing path.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "config/datwache.h"
#include "model/textvar.h"
#include "tests/model/modelltest.h"

namespace {

namespace fs = std::filesystem;

TEST(NachbarWache, RescanAfterTheCheckOrChangeCounterMoved)
{
    fs::path ordner = fs::temp_directory_path() / ("velmo-nachbar-" + std::to_string(getpid()));
    fs::remove_all(ordner);
    fs::create_directories(ordner);
    DatWacheZuruecksetzen();
    mtSchreiben(ordner / "Anl.A.01", "zvkZ");
    mtSchreiben(ordner / "Anl.A.03", "zvkZ");
    std::string akt = (ordner / "Anl.A.01").string();
    char n[300];
    EXPECT_EQ(ZeiNachbarAnzahl(akt.c_str()), 2);

    mtSchreiben(ordner / "Anl.A.02", "zvkZ");
    EXPECT_EQ(ZeiNachbarAnzahl(akt.c_str()), 2);  // no re-check requested yet
    DatNeuPruefen(1);
    EXPECT_EQ(ZeiNachbarAnzahl(akt.c_str()), 3);
    ZeiNachbar(akt.c_str(), 2, n, sizeof n);
    EXPECT_EQ(fs::path(n).filename(), "Anl.A.02");

    fs::remove(ordner / "Anl.A.02");
    DatAenderungMelden();
    ZeiNachbar(akt.c_str(), 2, n, sizeof n);
    EXPECT_EQ(fs::path(n).filename(), "Anl.A.03");
    EXPECT_EQ(ZeiNachbarAnzahl(nullptr), 2);

    DatWacheZuruecksetzen();
    fs::remove_all(ordner);
}


// Stepping through the drawings of a folder lists it once; a drawing made
// since is seen from every drawing of the folder after the counter moved.
TEST(NachbarWache, OneListingServesEveryDrawingOfTheFolder)
{
    fs::path ordner = fs::temp_directory_path() / ("velmo-nachbar2-" + std::to_string(getpid()));
    fs::remove_all(ordner);
    fs::create_directories(ordner);
    DatWacheZuruecksetzen();
    for (const char* n : {"Anl.A.01", "Anl.A.03", "Anl.A.05"}) mtSchreiben(ordner / n, "zvkZ");
    auto pfad = [&](const char* n) { return (ordner / n).string(); };
    auto nachbar = [](const std::string& akt, int w) {
        char n[300];
        ZeiNachbar(akt.c_str(), w, n, sizeof n);
        return fs::path(n).filename().string();
    };
    EXPECT_EQ(nachbar(pfad("Anl.A.01"), 2), "Anl.A.03");
    mtSchreiben(ordner / "Anl.A.04", "zvkZ");
    EXPECT_EQ(nachbar(pfad("Anl.A.03"), 2), "Anl.A.05");  // the folder's listing is reused
    EXPECT_EQ(nachbar(pfad("Anl.A.03"), 1), "Anl.A.01");
    EXPECT_EQ(nachbar(pfad("Anl.A.05"), 0), "Anl.A.01");
    DatAenderungMelden();
    EXPECT_EQ(nachbar(pfad("Anl.A.05"), 1), "Anl.A.04");
    EXPECT_EQ(nachbar(pfad("Anl.A.03"), 2), "Anl.A.04");
    EXPECT_EQ(nachbar(pfad("Anl.A.01"), 3), "Anl.A.05");
    EXPECT_EQ(ZeiNachbarAnzahl(nullptr), 4);

    // Another folder is listed on its own.
    fs::create_directories(ordner / "b");
    mtSchreiben(ordner / "b" / "Anl.B.07", "zvkZ");
    std::string b = (ordner / "b" / "Anl.B.07").string();
    EXPECT_EQ(ZeiNachbarAnzahl(b.c_str()), 1);
    EXPECT_EQ(nachbar(b, 0), "Anl.B.07");
    EXPECT_EQ(nachbar(pfad("Anl.A.04"), 0), "Anl.A.01");

    DatWacheZuruecksetzen();
    fs::remove_all(ordner);
}

}  // namespace
