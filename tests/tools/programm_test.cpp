// The real program, without a window, on a working copy of the demo: it
// opens the project from the demo command file, writes the table of
// contents from its drawing list (every sheet with its number, the
// subtitle heading it stands under and its title) and reports nothing in
// "fehler.txt".
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/zeichnun.h"
#include "tests/tools/demokopie.h"

namespace fs = std::filesystem;

namespace {

std::string lesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Runs the program in the copy's folder with an application-data folder and
// a folder for the single-instance socket of its own (a Velmo started by
// another test would otherwise take the command file over); the exit status.
int velmoStarten(const DemoKopie& k, const std::string& argumente)
{
    const std::string befehl = "cd '" + k.wurzel() + "' && XDG_CONFIG_HOME='" + k.wurzel() +
                               "/cfg' XDG_RUNTIME_DIR='" + k.wurzel() + "' VELMO_BACKEND=headless '" VELMO_PROGRAMM "' " + argumente +
                               " >'" + k.wurzel() + "/ausgabe.txt' 2>&1";
    return std::system(befehl.c_str());
}

TEST(DemoProgrammTest, HeadlessRunOpensTheDemoAndWritesItsTableOfContents)
{
    DemoKopie k;
    ASSERT_EQ(velmoStarten(k, "-W=1 -A=start.txt"), 0) << lesen(fs::path(k.wurzel()) / "ausgabe.txt");

    const std::string log = lesen(fs::path(k.wurzel()) / "log.txt");
    EXPECT_NE(log.find("Projektordner Projekt ge\xf6" "ffnet"), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(k.datei("fehler.txt"))) << lesen(k.datei("fehler.txt"));

    const std::string inhalt = lesen(k.datei("Inhalt.txt"));
    ASSERT_FALSE(inhalt.empty());
    int blaetter = 0;
    for (auto& e : fs::directory_iterator(k.projekt())) {
        const std::string name = e.path().filename().string();
        if (name.rfind("HV1.", 0) != 0) continue;
        SCOPED_TRACE(name);
        ZeiKopf kopf;
        ASSERT_EQ(ZeiKopfLesen(e.path().c_str(), &kopf), 0);
        EXPECT_NE(inhalt.find(name), std::string::npos);
        EXPECT_NE(inhalt.find(kopf.titel[0]), std::string::npos);
        EXPECT_NE(inhalt.find(kopf.titel[1]), std::string::npos);
        ++blaetter;
    }
    EXPECT_GE(blaetter, 12);
    for (const char* heading : {"Allgemeines", "Energieversorgung", "Antriebe", "Steuerung", "SPS", "Dokumentation"}) {
        EXPECT_NE(inhalt.find(heading), std::string::npos) << heading;
    }
}

}  // namespace
