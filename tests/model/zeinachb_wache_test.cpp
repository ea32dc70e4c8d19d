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

}  // namespace
