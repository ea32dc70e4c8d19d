// A working copy of the demo project set up for evaluation runs: project
// folder as working folder and directory kind 1, its defaults set, the
// equipment store, the project list and the shipped catalogue; warnings
// are recorded instead of shown. Header only.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "lists/auswertung.h"
#include "project/pvwliste.h"
#include "tests/tools/demokopie.h"

inline std::string lesen(const std::filesystem::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline std::vector<std::string>& awMeldungen()
{
    static std::vector<std::string> m;
    return m;
}

class AwDemoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        awMeldungen().clear();
        KonfHaken h{};
        h.warnung = [](const char* t) { awMeldungen().push_back(t); };
        konfHakenSetzen(h);
        alt_ = std::filesystem::current_path();
        std::filesystem::current_path(demo_.projekt());
        VerSetzen(1, demo_.projekt().c_str());
        VgbFehlMeldung(1);
        VgbSetSetzen("Standard", demo_.datei("Standard.vgb").c_str());
        BMZuruecksetzen();
        BMStart();
        PvwVerzLesen();
        AwKatalogAusDatei(VELMO_SOURCE_DIR "/data/auswertungen.txt");
        AwOptionen() = awoptionen{};
    }
    void TearDown() override
    {
        BMZuruecksetzen();
        std::filesystem::current_path(alt_);
        VerSetzen(1, "");
        AwOptionen() = awoptionen{};
        konfHakenZuruecksetzen();
        VgbSetSetzen("", "");
    }
    // Sets one key of the project's defaults set (replaced in place, or
    // appended).
    void vorgabe(const std::string& schluessel, const std::string& wert)
    {
        std::istringstream ein(lesen(demo_.datei("Standard.vgb")));
        std::string aus, z;
        bool da = false;
        while (std::getline(ein, z)) {
            std::istringstream w(z);
            std::string k;
            w >> k;
            if (k == schluessel) {
                z = schluessel + " " + wert + "\r";
                da = true;
            }
            aus += z + "\n";
        }
        if (!da) aus += schluessel + " " + wert + "\r\n";
        std::ofstream(demo_.datei("Standard.vgb"), std::ios::binary | std::ios::trunc) << aus;
    }
    std::vector<std::string>& meldungen_ = awMeldungen();
    DemoKopie demo_;
    std::filesystem::path alt_;
};
