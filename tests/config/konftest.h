// Shared fixture of the configuration tests: a temporary folder tree as
// application-data folder, ini file and directory kinds, and a recording
// fake of the window-system interface.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "config/inidatei.h"
#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "platform/profil.h"

namespace konftest {

namespace fs = std::filesystem;

// What the fake window system saw and answers.
struct Fake {
    std::vector<std::string> warnungen;
    HWND fenster = 7;
    std::string name = "TestDlg";
    std::string titel = "Titel";
    bool platzDa = true;
    WINDOWPLACEMENT platz{};
    std::vector<WINDOWPLACEMENT> gesetzt;
    RECT rechteck{100, 100, 400, 300};
    std::vector<POINT> bewegt;
    HMODULE modul = 0;
};

inline Fake& fake()
{
    static Fake f;
    return f;
}

inline void fakeInstallieren()
{
    fake() = Fake{};
    fake().platz.length = sizeof(WINDOWPLACEMENT);
    fake().platz.showCmd = 1;
    fake().platz.rcNormalPosition = RECT{100, 100, 400, 300};
    KonfHaken h{};
    h.dlgFenster = [] { return fake().fenster; };
    h.dlgName = [] { return fake().name.c_str(); };
    h.dlgTitelHolen = [](char* p, int n) {
        std::snprintf(p, static_cast<size_t>(n), "%s", fake().titel.c_str());
        return static_cast<int>(fake().titel.size());
    };
    h.dlgTitelSetzen = [](const char* t) { fake().titel = t; };
    h.dlgModul = [](const char*) { return fake().modul; };
    h.platzHolen = [](HWND, WINDOWPLACEMENT* wp) {
        if (!fake().platzDa) return FALSE;
        *wp = fake().platz;
        return TRUE;
    };
    h.platzSetzen = [](HWND, const WINDOWPLACEMENT* wp) {
        fake().gesetzt.push_back(*wp);
        return TRUE;
    };
    h.fensterRechteck = [](HWND, RECT* r) {
        *r = fake().rechteck;
        return TRUE;
    };
    h.fensterBewegen = [](HWND, int x, int y) { fake().bewegt.push_back(POINT{x, y}); };
    h.desktop = [](RECT* r) { *r = RECT{0, 0, 1000, 900}; };
    h.warnung = [](const char* t) { fake().warnungen.push_back(t); };
    konfHakenZuruecksetzen();
    konfHakenSetzen(h);
}

// A temporary tree; the ini file and the application-data folder inside it.
class KonfTest : public testing::Test {
protected:
    void SetUp() override
    {
        wurzel_ = fs::path(testing::TempDir()) / ("konf_" + std::to_string(::getpid()));
        fs::remove_all(wurzel_);
        fs::create_directories(wurzel_ / "cfg" / "Velmo");
        alt_ = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
        setenv("XDG_CONFIG_HOME", (wurzel_ / "cfg").c_str(), 1);
        altCwd_ = fs::current_path();
        IniPfadSetzen((wurzel_ / "cfg" / "Velmo" / "Velmo-11.ini").c_str());
        plIniCacheLeeren();
        for (int k = 0; k < VERANZAHL; ++k) VerSetzen(k, "");
        fakeInstallieren();
    }
    void TearDown() override
    {
        fs::current_path(altCwd_);
        konfHakenZuruecksetzen();
        for (int k = 0; k < VERANZAHL; ++k) VerSetzen(k, "");
        if (alt_.empty()) unsetenv("XDG_CONFIG_HOME"); else setenv("XDG_CONFIG_HOME", alt_.c_str(), 1);
        fs::remove_all(wurzel_);
    }
    std::string pfad(const std::string& rel) const { return (wurzel_ / rel).string(); }
    void datei(const std::string& rel, const std::string& inhalt)
    {
        fs::create_directories((wurzel_ / rel).parent_path());
        std::ofstream(wurzel_ / rel, std::ios::binary) << inhalt;
    }
    std::string lesen(const std::string& rel) const
    {
        std::ifstream f(wurzel_ / rel, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    void ordner(const std::string& rel) { fs::create_directories(wurzel_ / rel); }
    fs::path wurzel_;
    std::string alt_;
    fs::path altCwd_;
};

}  // namespace konftest
