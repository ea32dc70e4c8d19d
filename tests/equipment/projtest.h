// Shared fixture of the title, translation and check-list tests: a project
// folder of its own as directory kind 1, an injected file-check counter,
// a recording warning box, the three modules started, and whole-file helpers.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "config/datwache.h"
#include "config/konfhaken.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "equipment/chk.h"
#include "equipment/fstx.h"
#include "equipment/projdienst.h"
#include "equipment/utitel.h"
#include "equipment/wache.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "platform/fehlersim.h"
#include "tests/equipment/eqtest.h"

namespace projtest {

namespace fs = std::filesystem;
using namespace eqtest;

// Moves the file's time by `sekunden` (another program wrote it).
inline void beruehren(const std::string& pfad, int sekunden = 10)
{
    fs::last_write_time(pfad, fs::last_write_time(pfad) + std::chrono::seconds(sekunden));
}

inline std::string felder(const std::vector<std::string>& f)
{
    std::string z;
    for (const std::string& s : f) z += s + '\x1c';
    return z;
}

class ProjTest : public ::testing::Test {
protected:
    fs::path ordner;

    void SetUp() override
    {
        static std::atomic<int> nr{0};
        ordner = fs::temp_directory_path() / ("velmo-proj-" + std::to_string(getpid()) + "-" + std::to_string(nr++));
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        VerSetzen(1, ordner.string().c_str());
        SprZuruecksetzen();
        zaehler() = 1;
        WacheQuellenSetzen([] { return zaehler(); }, nullptr);
        DatWacheZuruecksetzen();
        eqtest::warnungenAufzeichnen();
        ProjModuleStarten();
    }

    void TearDown() override
    {
        plFehlerAllesAus();
        ProjModuleBeenden();
        WacheQuellenSetzen(nullptr, nullptr);
        ModDiensteStandard();
        ZeiAktVergessen();
        konfHakenZuruecksetzen();
        SprZuruecksetzen();
        DatWacheZuruecksetzen();
        VerSetzen(1, "");
        fs::remove_all(ordner);
    }

    std::string pfad(const std::string& name) const { return (ordner / name).string(); }

    void kopieren(const std::string& quelle, const std::string& ziel = "")
    {
        fs::copy_file(fixture(quelle), pfad(ziel.empty() ? fs::path(quelle).filename().string() : ziel),
                      fs::copy_options::overwrite_existing);
    }

    std::set<std::string> namen() const
    {
        std::set<std::string> n;
        for (const auto& e : fs::directory_iterator(ordner)) n.insert(e.path().filename().string());
        return n;
    }

    // Activation of the program: the caches compare path and stamp again.
    void zaehlerWeiter()
    {
        ++zaehler();
        DatNeuPruefen(1);
    }
};

}  // namespace projtest
