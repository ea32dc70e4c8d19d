// Shared fixture of the equipment tests: a project folder of its own as
// directory kind 1, a defaults set with equipment use on, the ini file in a
// temporary application-data folder, a recording warning box, and a
// file-check counter the test moves by hand.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "tests/equipment/deftest.h"
#include "equipment/app.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "equipment/wache.h"
#include "model/dienste.h"
#include "model/tempzeic.h"
#include "platform/fehlersim.h"
#include "platform/profil.h"
#include "support/datum.h"
#include "support/dosdatei.h"
#include "tests/equipment/eqtest.h"

namespace bmtest {

namespace fs = std::filesystem;
using namespace eqtest;

// Sets a file's stamp to a day of 2020 plus n minutes: a "touch" without
// sleeping.
inline void stempeln(const std::string& pfad, int n)
{
    DATZEIT z{};
    z.datum.jahr = 120;
    z.datum.monat = 3;
    z.datum.tag = 1 + n / (24 * 60);
    z.stunde = static_cast<uint8_t>((n / 60) % 24);
    z.minute = static_cast<uint8_t>(n % 60);
    z.sekunde = 0;
    ASSERT_EQ(dateizeitsetzen(pfad.c_str(), &z), 0);
}

inline std::vector<std::string> dateien(const fs::path& ordner)
{
    std::vector<std::string> n;
    for (auto& e : fs::directory_iterator(ordner)) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
}

class BmTest : public testing::Test {
protected:
    void SetUp() override
    {
        static int lauf = 0;
        wurzel_ = fs::temp_directory_path() / ("velmo-bm-" + std::to_string(::getpid()) + "-" + std::to_string(lauf++));
        fs::remove_all(wurzel_);
        fs::create_directories(wurzel_ / "cfg" / "Velmo");
        fs::create_directories(wurzel_ / "projekt");
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        xdgVorher_ = xdg ? std::optional<std::string>(xdg) : std::nullopt;
        iniVorher_ = IniPfadZeiger();
        setenv("XDG_CONFIG_HOME", (wurzel_ / "cfg").c_str(), 1);
        IniPfadSetzen((wurzel_ / "cfg" / "Velmo" / "Velmo-11.ini").c_str());
        plIniCacheLeeren();
        vorgaben("BMuse 1\n");
        projekt("projekt");
        eqtest::warnungenAufzeichnen();
        zaehler() = 0;
        WacheQuellenSetzen([] { return zaehler(); }, nullptr);
        PhDefinitionenSetzen({});
        BMZuruecksetzen();
    }
    void TearDown() override
    {
        plFehlerAllesAus();
        BMZuruecksetzen();
        WacheQuellenSetzen(nullptr, nullptr);
        ModDiensteStandard();
        konfHakenZuruecksetzen();
        VerSetzen(1, "");
        VgbFehlMeldung(1);
        // Texts changed through the store mark the drawing store changed
        // (started or not), and a changed drawing stops the next test's runs.
        TzGeaendertReset();
        // The ini file goes with the folder: the one before is taken again.
        if (xdgVorher_)
            setenv("XDG_CONFIG_HOME", xdgVorher_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        IniPfadSetzen(iniVorher_.c_str());
        plIniCacheLeeren();
        fs::remove_all(wurzel_);
    }
    // The defaults set of the test (one "key value" per line).
    void vorgaben(const std::string& zeilen)
    {
        schreiben((wurzel_ / "Test.vgb").string(), "Name Test\n" + zeilen);
        VgbFehlMeldung(0);
        VgbSetSetzen("Test", (wurzel_ / "Test.vgb").c_str());
    }
    void projekt(const std::string& rel)
    {
        fs::create_directories(wurzel_ / rel);
        VerSetzen(1, (wurzel_ / rel).c_str());
    }
    std::string pfad(const std::string& name) const { return (wurzel_ / "projekt" / name).string(); }
    // Copies a fixture into the project folder under a name.
    void kopieren(const std::string& fix, const std::string& name)
    {
        fs::copy_file(fixture(fix), pfad(name), fs::copy_options::overwrite_existing);
    }
    fs::path wurzel_;
    std::optional<std::string> xdgVorher_;
    std::string iniVorher_;
};

}  // namespace bmtest
