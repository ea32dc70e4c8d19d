// Helpers of the style tests: one application-data folder for the whole
// test program (never the user's), fresh project and program folders per
// test, whole-file reads and writes, and the fixture folder.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "config/verzeich.h"
#include "platform/orte.h"

inline std::string stFixture(const std::string& name)
{
    return std::string(VELMO_TEST_DATA) + "/output/" + name;
}

inline std::string stLesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline void stSchreiben(const std::string& pfad, const std::string& inhalt)
{
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f << inhalt;
}

// The application-data folder of the test program; made once, removed at exit.
inline const std::string& stAnwendung()
{
    static const std::string ordner = [] {
        std::string o = (std::filesystem::temp_directory_path() /
                         ("velmo-output-xdg-" + std::to_string(getpid())))
                            .string();
        std::filesystem::create_directories(o);
        setenv("XDG_CONFIG_HOME", o.c_str(), 1);
        static std::string weg = o;
        std::atexit([] {
            std::error_code fehler;
            std::filesystem::remove_all(weg, fehler);
        });
        return o;
    }();
    return ordner;
}

// Empty project folder (kind 1) and program folder (kind 0), and an
// application-data folder without table files.
struct StOrdner {
    std::filesystem::path basis;
    std::filesystem::path projekt;
    std::filesystem::path programm;
    StOrdner()
    {
        stAnwendung();
        basis = std::filesystem::temp_directory_path() /
                ("velmo-output-" + std::to_string(getpid()) + "-" + std::to_string(zaehler()++));
        projekt = basis / "projekt";
        programm = basis / "programm";
        std::filesystem::create_directories(projekt);
        std::filesystem::create_directories(programm);
        for (const char* n : {"rgb.txt", "Schrift.txt"}) {
            std::filesystem::remove(plOrtAnwendung() + "/" + n);
        }
        VerSetzen(0, programm.c_str());
        VerSetzen(1, projekt.c_str());
    }
    ~StOrdner()
    {
        VerSetzen(1, "");
        std::error_code fehler;
        std::filesystem::remove_all(basis, fehler);
    }
    static std::string anwendung(const char* name) { return plOrtAnwendung() + "/" + name; }
    static int& zaehler()
    {
        static int z = 0;
        return z;
    }
};
