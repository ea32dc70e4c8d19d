// Helpers of the SVG and HPGL export tests: fresh folders, the test
// defaults set with single keys changed, drawings from their text form,
// golden files (rewritten only with VELMO_GOLDEN_SCHREIBEN=1), the warnings
// shown, and outside programs run on the files written.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "config/vorgaben.h"
#include "model/einstell.h"
#include "model/zeichnun.h"
#include "output/schrift.h"
#include "platform/fehlersim.h"
#include "platform/nachrichtbox.h"
#include "stiltest.h"
#include "tests/platform/golden_pruef.h"

inline std::string agDaten(const std::string& name)
{
    return std::string(VELMO_TEST_DATA) + "/output/svghpgl/" + name;
}

struct AusgabeTest : ::testing::Test {
    StOrdner ordner;

    void SetUp() override
    {
        VgbFehlMeldung(0);
        stSchreiben((ordner.projekt / "Schrift.txt").string(), "0 1 Courier\n1 0 DejaVu Sans\n2 1 Liberation Mono & Co\n");
        SchriftNeuLaden();
        satz({});
        plNachrichtBoxFragenLeeren();
    }
    void TearDown() override
    {
        plFehlerAllesAus();
        SchriftNeuLaden();
        VgbPraefix("");
        VgbFehlMeldung(1);
    }

    std::string pfad(const std::string& name) const { return (ordner.basis / name).string(); }

    // The test set with the given keys replaced (or added); the drawing
    // settings are read again from it.
    void satz(const std::map<std::string, std::string>& werte)
    {
        std::istringstream ein(stLesen(agDaten("Ausgabe.vgb")));
        std::string aus;
        std::map<std::string, std::string> rest = werte;
        for (std::string z; std::getline(ein, z);) {
            std::istringstream w(z);
            std::string k;
            w >> k;
            if (auto it = rest.find(k); it != rest.end()) {
                z = k + " " + it->second;
                rest.erase(it);
            }
            aus += z + "\n";
        }
        for (const auto& [k, v] : rest) aus += k + " " + v + "\n";
        stSchreiben(pfad("Ausgabe.vgb"), aus);
        VgbSetSetzen("Ausgabe", pfad("Ausgabe.vgb").c_str());
        GrundEinstLesen(nullptr);
    }

    // A drawing from its text form (code page 1252); its path.
    std::string zeichnung(const std::string& name, const std::string& text)
    {
        stSchreiben(pfad(name + ".txt"), text);
        const std::string z = pfad(name + ".zvk");
        EXPECT_GE(ZeiAusText(z.c_str(), pfad(name + ".txt").c_str()), 0) << name;
        return z;
    }

    std::vector<std::string> warnungen()
    {
        std::vector<std::string> w;
        for (const auto& f : plNachrichtBoxFragen()) w.push_back(f.text);
        return w;
    }
};

// Compares a file's bytes with a golden file of the fixture folder.
inline void agGolden(const std::string& ist, const std::string& name)
{
    EXPECT_TRUE(golden::text(agDaten(name), ist)) << name;
}

// Runs a shell command; its exit code.
inline int agAufruf(const std::string& befehl)
{
    const int r = std::system((befehl + " >/dev/null 2>&1").c_str());
    return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

inline bool agProgrammDa(const char* name) { return agAufruf(std::string("command -v ") + name) == 0; }
