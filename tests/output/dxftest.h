// Shared fixture of the DXF export and import tests: a private folder that
// is the program folder (holding a "dxfconfig.txt"), drawings made from
// text forms, the warnings shown, goldens and the outside DXF reader.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/platform/golden_pruef.h"
#include <vector>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "model/einstell.h"
#include "model/zeichnun.h"
#include "platform/fehlersim.h"
#include "platform/nachrichtbox.h"

namespace dxftest {

namespace fs = std::filesystem;

inline std::string daten(const std::string& name) { return std::string(VELMO_TEST_DATA) + "/output/dxf/" + name; }

inline std::string lesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline void schreiben(const std::string& pfad, const std::string& inhalt)
{
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f << inhalt;
}

// Compares with a golden file; VELMO_GOLDEN_SCHREIBEN=1 rewrites it.
inline void wieGolden(const std::string& name, const std::string& ist)
{
    EXPECT_TRUE(golden::text(daten(name), ist)) << "golden " << name;
}

// python3-ezdxf reads the file and its audit finds nothing to report and
// nothing to fix.
inline void ezdxfPruefen(const std::string& dxf)
{
    const std::string cmd = "/usr/bin/python3 -c \"import sys, ezdxf; d = ezdxf.readfile(sys.argv[1]); a = d.audit(); "
                            "[print(e.message) for e in a.errors + a.fixes]; "
                            "sys.exit(1 if a.has_errors or a.has_fixes else 0)\" '" +
                            dxf + "' >&2";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << dxf;
}

class DxfOrdner : public ::testing::Test {
protected:
    fs::path ordner;

    void SetUp() override
    {
        static std::atomic<int> nr{0};
        ordner = fs::temp_directory_path() / ("velmo-dxf-" + std::to_string(getpid()) + "-" + std::to_string(nr++));
        fs::remove_all(ordner);
        fs::create_directories(ordner / "prog");
        fs::copy_file(daten("dxfconfig.txt"), ordner / "prog" / "dxfconfig.txt");
        VerSetzen(0, (ordner / "prog").string().c_str());
        VgbFehlMeldung(0);
        GrundEinstLesen(nullptr);
        GrundEinst()->zvms = 10;  // scale 1
        plNachrichtBoxFragenLeeren();
    }
    void TearDown() override
    {
        plFehlerAllesAus();
        VerSetzen(0, "");
        VgbPraefix("");
        VgbFehlMeldung(1);
        fs::remove_all(ordner);
    }

    std::string pfad(const std::string& name) const { return (ordner / name).string(); }

    // A drawing from a text form (lines separated by '\n').
    std::string zeichnung(const std::string& name, const std::string& text)
    {
        schreiben(pfad(name + ".txt"), "VER 10\r\n" + text);
        EXPECT_GE(ZeiAusText(pfad(name).c_str(), pfad(name + ".txt").c_str()), 0);
        fs::remove(pfad(name + ".txt"));
        return pfad(name);
    }

    std::string alsText(const std::string& zei)
    {
        EXPECT_EQ(ZeiAlsText(zei.c_str(), pfad("als.txt").c_str()), 0);
        std::string t = lesen(pfad("als.txt"));
        fs::remove(pfad("als.txt"));
        return t;
    }

    std::vector<std::string> warnungen()
    {
        std::vector<std::string> w;
        for (const auto& f : plNachrichtBoxFragen()) w.push_back(f.text);
        return w;
    }

    std::vector<std::string> dateien()
    {
        std::vector<std::string> n;
        for (const auto& e : fs::directory_iterator(ordner)) {
            if (e.path().filename() != "prog") n.push_back(e.path().filename().string());
        }
        std::sort(n.begin(), n.end());
        return n;
    }
};

}  // namespace dxftest
