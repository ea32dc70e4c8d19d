// Benchmark projects: a size gives one project, byte for byte, with the
// sheets, one item per device and a placement for each.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "tools/demogen.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> inhalt(const fs::path& ordner)
{
    std::map<std::string, std::string> m;
    for (auto& e : fs::recursive_directory_iterator(ordner)) {
        if (!e.is_regular_file()) continue;
        std::ifstream f(e.path(), std::ios::binary);
        m[fs::relative(e.path(), ordner).string()] =
            std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }
    return m;
}

// Lines of one section of a section text file.
int abschnittZeilen(const std::string& datei, const std::string& abschnitt)
{
    std::istringstream s(datei);
    std::string z;
    int n = -1;
    while (std::getline(s, z)) {
        if (z[0] == ')') {
            if (n >= 0) return n;
            if (z == ")S " + abschnitt) n = 0;
        } else if (n >= 0) {
            ++n;
        }
    }
    return n;
}

TEST(DemoGrossTest, ASizeGivesOneProjectWithAnItemAndPlacementsForEveryDevice)
{
    const fs::path tmp = fs::temp_directory_path() / ("velmo-gross-" + std::to_string(::getpid()));
    fs::remove_all(tmp);
    const std::string quellen = std::string(VELMO_SOURCE_DIR) + "/demo/quellen";
    ASSERT_EQ(DemoGross(quellen, 6, 50, (tmp / "a").string()), 0);
    ASSERT_EQ(DemoGross(quellen, 6, 50, (tmp / "b").string()), 0);
    auto a = inhalt(tmp / "a");
    EXPECT_TRUE(a == inhalt(tmp / "b")) << "two runs of one size differ";

    int blaetter = 0;
    for (auto& [n, _] : a) blaetter += n.rfind("Projekt/HV1.", 0) == 0;
    EXPECT_EQ(blaetter, 6);
    EXPECT_EQ(abschnittZeilen(a["Projekt/BMittel.zvk"], "Ges"), 50);
    // Main components, plus three subs for every contactor and strip.
    EXPECT_GT(abschnittZeilen(a["Projekt/BMittel.zvk"], "Btl"), 50);
    EXPECT_TRUE(a.count("BAUTEILE.STD"));
    EXPECT_FALSE(a.count("Projekt/BMittel.bak"));
    EXPECT_FALSE(a.count("Projekt/fehler.txt"));
    fs::remove_all(tmp);
}

}  // namespace
