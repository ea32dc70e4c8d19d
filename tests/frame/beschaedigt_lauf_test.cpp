// A new user's project folder with damaged sheets, started as `velmo
// Projekt` on the real frame (headless): a sheet cut short, an emptied one,
// one of random bytes and the temporary file of a save killed before its
// rename. The page lists the three sheets marked as damaged, says so once,
// asks about the leftover; every file keeps its bytes. Opening a damaged
// sheet by name says it is damaged.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "project/pvwliste.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/tools/demokopie.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> inhalte(const fs::path& ordner)
{
    std::map<std::string, std::string> m;
    for (const auto& e : fs::directory_iterator(ordner)) {
        if (!e.is_regular_file()) continue;
        std::ostringstream o;
        o << std::ifstream(e.path(), std::ios::binary).rdbuf();
        m[e.path().filename().string()] = o.str();
    }
    return m;
}

class BeschaedigtLauf : public ::testing::Test {
protected:
    DemoKopie demo;
    fs::path vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    fs::path projekt() const { return fs::path(demo.wurzel()) / "Projekt"; }

    void SetUp() override
    {
        const fs::path p = projekt();
        fs::copy_file(p / "HV1.02", p / "HV1.16");
        fs::resize_file(p / "HV1.16", fs::file_size(p / "HV1.16") / 3);  // cut short
        std::ofstream(p / "HV1.17", std::ios::binary);                   // emptied
        std::string zufall(4096, '\0');
        std::mt19937 z(40);
        for (char& c : zufall) c = static_cast<char>(z());
        std::ofstream(p / "HV1.18", std::ios::binary) << zufall;  // overwritten
        fs::copy_file(p / "HV1.03", p / ".velmo-neu-q7Rt2k");    // a save killed before its rename
        rahmenOrdnerEinrichten(demo.wurzel());
        vorher = fs::current_path();
        fs::current_path(demo.wurzel());
        plNachrichtBoxFragenLeeren();
    }
    void TearDown() override
    {
        rahmenBeenden(vorher);
        plNachrichtBoxSkriptLeeren();
    }
    std::vector<std::string> meldungen()
    {
        std::vector<std::string> m;
        for (const auto& f : plNachrichtBoxFragen()) m.push_back(f.text);
        return m;
    }
};

}  // namespace

TEST_F(BeschaedigtLauf, TheProjectPageListsAndReportsDamagedSheetsAndLosesNothing)
{
    const auto vorher = inhalte(projekt());
    plNachrichtBoxAntwort(IDOK);
    plNachrichtBoxAntwort(IDNO);  // keep the leftover
    rahmenStarten(args, argv, {"-W=1", "Projekt"});
    ASSERT_FALSE(HasFatalFailure());
    rahmenPumpen();
    const std::vector<std::string> m = meldungen();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0], "Die Zeichnungen HV1.16, HV1.17, HV1.18 sind besch\xE4" "digt und k\xF6nnen nicht gelesen werden; die Dateien "
                    "bleiben unver\xE4ndert.");
    EXPECT_EQ(m[1], "Eine unterbrochene Speicherung wurde gefunden: .velmo-neu-q7Rt2k\nSoll diese Datei gel\xF6scht werden?");
    int beschaedigt = 0;
    for (int i = 0; i < PvwAnzahl(); ++i) {
        const PvwEintrag* e = PvwEintragAdr(i);
        EXPECT_NE(std::string(e->name).find("velmo-neu"), 0u);
        if (PvwIstBeschaedigt(*e)) ++beschaedigt;
    }
    EXPECT_EQ(beschaedigt, 3);
    EXPECT_EQ(PvwZeiAnzahl(), 19);  // Plan.001, HV1.01..HV1.18

    const fs::path bild = fs::read_symlink("/proc/self/exe").parent_path() / "frame_beschaedigt.png";
    ASSERT_EQ(plHeadlessPng(anwHauptfenster(), bild.c_str()), 0);
    rahmenBeenden();

    // Started again in this process: said once is enough, the kept
    // leftover is not asked about again; nothing lost or changed.
    plNachrichtBoxFragenLeeren();
    fs::current_path(demo.wurzel());
    rahmenStarten(args, argv, {"-W=1", "Projekt"});
    ASSERT_FALSE(HasFatalFailure());
    rahmenPumpen();
    EXPECT_TRUE(meldungen().empty()) << meldungen()[0];
    rahmenBeenden();
    auto nachher = inhalte(projekt());
    for (const auto& [name, bytes] : vorher) {
        ASSERT_EQ(nachher.count(name), 1u) << name << " lost";
        EXPECT_EQ(nachher[name] == bytes, true) << name << " changed";
    }
}

TEST_F(BeschaedigtLauf, ADamagedSheetNamedAtTheStartIsSaidToBeDamaged)
{
    // A run without a user (-W=1) says it on stderr, as for a missing folder.
    plNachrichtBoxAntwort(IDOK);
    plNachrichtBoxAntwort(IDNO);
    testing::internal::CaptureStderr();
    rahmenStarten(args, argv, {"-W=1", "Projekt/HV1.17"});
    rahmenPumpen();
    const std::string fehler = testing::internal::GetCapturedStderr();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_NE(fehler.find("Die Zeichnung HV1.17 ist besch\xC3\xA4" "digt und kann nicht ge\xC3\xB6" "ffnet werden."), std::string::npos)
        << fehler;
    EXPECT_EQ(meldungen().size(), 2u);
}
