// The spell checker's word lists when a list file cannot be read whole: the
// list starts empty instead of with the first block's words, a trace line
// names the file, and closing leaves that file as it was (the old lists
// wrote the half list back over it); the other list is written as usual.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/fehlersim.h"
#include "project/rswliste.h"
#include "support/basis.h"

namespace {

namespace fs = std::filesystem;

std::string lesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::vector<std::string>& spur()
{
    static std::vector<std::string> s;
    return s;
}

void spurSenke(const char* text) { spur().emplace_back(text); }

TEST(RswLesefehler, AListReadShortStartsEmptyAndItsFileIsNotWrittenOver)
{
    struct Fall {
        const char* kurz;   // the list file whose second block fails
        const char* ganz;   // the other list, missing at first
        int gefunden;       // RswNachsehen of a word of the short file, read whole
    };
    const Fall faelle[] = {
        {"ersetzen.spell", "ignorieren.spell", 2},
        {"ignorieren.spell", "ersetzen.spell", 1},
    };
    std::string inhalt;
    for (int i = 0; i < 300; ++i) inhalt += "Wort" + std::to_string(i) + "\tErsatz\n";
    ASSERT_GT(inhalt.size(), 2u * 2048u);
    const WiDebugSenke alt = wiDebugSenkeSetzen(spurSenke);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.kurz);
        char muster[] = "/tmp/velmo_rswkurz_XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        const std::string ordner = muster;
        const std::string kurz = ordner + "/" + f.kurz, ganz = ordner + "/" + f.ganz;
        {
            std::ofstream(kurz, std::ios::binary) << inhalt;
        }
        spur().clear();
        RswPfad(ordner.c_str());
        char puffer[100];
        {
            PlFehlerScope scope;
            plFehlerSetzen(PlFehlerArt::Lesen, 2, true);
            RswOeffnen();
            EXPECT_GE(plFehlerAusgeloest(PlFehlerArt::Lesen), 1);
        }
        EXPECT_EQ(RswNachsehen("Wort0", puffer), 0) << "no word of the first block is kept";
        EXPECT_EQ(RswErsatz("neu", "Neu"), 0);
        EXPECT_EQ(RswSchliessen(), -1);
        EXPECT_EQ(lesen(kurz), inhalt);
        EXPECT_TRUE(fs::exists(ganz)) << "the other list was written";
        bool genannt = false;
        for (const std::string& z : spur()) genannt = genannt || z.find(f.kurz) != std::string::npos;
        EXPECT_TRUE(genannt);

        // Read whole, the list is the file's and goes back whole.
        RswOeffnen();
        EXPECT_EQ(RswNachsehen("Wort299", puffer), f.gefunden);
        EXPECT_EQ(RswSchliessen(), 0);
        EXPECT_EQ(lesen(kurz), inhalt);
        fs::remove_all(ordner);
    }
    wiDebugSenkeSetzen(alt);
}

}  // namespace
