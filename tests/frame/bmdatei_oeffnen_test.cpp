// The project's equipment file when the frame opens the project (the start
// folder "Projekt" of a working copy of the demo, headless): a file that
// cannot be read is said at the open, a missing one is not, and whatever
// the open did, the lists then show the file to every reader, also to the
// counts that never ask for the file themselves.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/tools/demokopie.h"

namespace fs = std::filesystem;

namespace {

int boxenMit(const std::string& text)
{
    int n = 0;
    for (const plNachrichtBoxFrage& f : plNachrichtBoxFragen())
        if (f.text.find(text) != std::string::npos) ++n;
    return n;
}

struct Fall {
    const char* name;
    void (*vorbereiten)(const fs::path& datei);
    int warnungen;   // boxes "Kann ...BMittel.zvk nicht lesen." during the open
    bool geraete;    // the lists hold the demo's items afterwards
};

const Fall faelle[] = {
    {"lesbar", [](const fs::path&) {}, 0, true},
    {"fehlt", [](const fs::path& d) { fs::remove(d); }, 0, false},
    // A file that opens and whose first read fails (EIO: nothing is mapped
    // at address 0).
    {"unlesbar",
     [](const fs::path& d) {
         fs::remove(d);
         fs::create_symlink("/proc/self/mem", d);
     },
     1, false},
};

class BmDateiOeffnen : public ::testing::TestWithParam<Fall> {
protected:
    DemoKopie demo;
    fs::path vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    void TearDown() override { rahmenBeenden(vorher); }
};

TEST_P(BmDateiOeffnen, AnUnreadableFileIsSaidAtTheOpenAndTheListsShowTheFile)
{
    const Fall& f = GetParam();
    const fs::path datei = fs::path(demo.projekt()) / "BMittel.zvk";
    f.vorbereiten(datei);
    plNachrichtBoxFragenLeeren();
    rahmenDemoStarten(demo.wurzel(), vorher, args, argv);
    ASSERT_FALSE(HasFatalFailure());
    plHeadlessPumpen();
    EXPECT_EQ(boxenMit("BMittel.zvk nicht lesen."), f.warnungen);

    // Counts that read the lists as they are, before anything else asked
    // for the file.
    EXPECT_EQ(GesAnzahl() > 0, f.geraete);
    EXPECT_EQ(BtlAnzahl() > 0, f.geraete);
    if (f.geraete) {
        EXPECT_TRUE(BMGeladen());
        appgeraet g;
        EXPECT_EQ(GesHolen(1, &g), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Faelle, BmDateiOeffnen, ::testing::ValuesIn(faelle),
                         [](const testing::TestParamInfo<Fall>& i) { return std::string(i.param.name); });

}  // namespace
