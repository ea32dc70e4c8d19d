// Shared set-up of the fuzz targets: the environment the program runs in
// headless (message boxes answered by the backend's script queue), one
// private folder per process for the files a reader expects, removed at the
// end.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "config/inidatei.h"
#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "platform/profil.h"

namespace fz {

struct Ordner {
    std::string pfad;
    Ordner()
    {
        setenv("VELMO_BACKEND", "headless", 1);
        // In memory where there is such a folder: the writers sync every file.
        // scripts/fuzz names a folder of its own (VELMO_FUZZ_TMP) and removes
        // it after the run: a target that ends on a finding, a timeout or a
        // merge never gets to remove its folder itself.
        const char* oben = std::getenv("VELMO_FUZZ_TMP");
        std::string muster = oben != nullptr && *oben ? std::string(oben) + "/velmo-fuzz-XXXXXX"
                                                      : std::string("/dev/shm/velmo-fuzz-XXXXXX");
        std::string ersatz = "/tmp/velmo-fuzz-XXXXXX";
        char* gemacht = mkdtemp(muster.data());
        if (!gemacht) gemacht = mkdtemp(ersatz.data());
        if (!gemacht) std::abort();
        pfad = gemacht;
        for (const char* u : {"/konfig", "/lauf", "/arbeit"}) mkdir((pfad + u).c_str(), 0700);
        setenv("XDG_CONFIG_HOME", (pfad + "/konfig").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (pfad + "/lauf").c_str(), 1);
    }
    ~Ordner()
    {
        std::error_code f;
        std::filesystem::remove_all(pfad, f);
    }
};

// The private folder; its first use sets the environment up.
inline const std::string& ordner()
{
    static Ordner o;
    return o.pfad;
}

// What a target's reader expects of the program around it. Every folder
// named here is the working subfolder.
struct Start {
    bool stumm = true;               // configuration warnings go nowhere (no message box per input)
    bool programm = false;           // the program folder (directory 0)
    bool projekt = true;             // the project folder (directory 1)
    bool ausstattung = false;        // the equipment folder (directory 2)
    bool hinein = false;             // the current directory
    bool ini = false;                // a private settings file in the private folder
    const char* vgb = nullptr;       // the text of the defaults set in force ("Fuzz")
};

// The set-up of the program's surroundings, once per process. True on the
// first call, so that a target runs its own set-up after it:
//     if (fz::start({...})) ChkInit();
inline bool start(const Start& s = {})
{
    static bool fertig = false;
    if (fertig) return false;
    fertig = true;
    const std::string o = ordner();
    const std::string a = o + "/arbeit/";
    if (s.ini) {
        IniPfadSetzen((o + "/konfig/Velmo-11.ini").c_str());
        plIniCacheLeeren();
    }
    if (s.vgb != nullptr) {
        const std::string p = o + "/Fuzz.vgb";
        FILE* f = std::fopen(p.c_str(), "wb");
        if (!f || std::fputs(s.vgb, f) < 0 || std::fclose(f) != 0) std::abort();
        VgbFehlMeldung(0);
        VgbSetSetzen("Fuzz", p.c_str());
    }
    if (s.stumm) {
        KonfHaken h{};
        h.warnung = [](const char*) {};
        konfHakenSetzen(h);
    }
    if (s.programm) VerSetzen(0, a.c_str());
    if (s.projekt) VerSetzen(1, a.c_str());
    if (s.ausstattung) VerSetzen(2, a.c_str());
    if (s.hinein && chdir(a.c_str()) != 0) std::abort();
    return true;
}

// A path in the working subfolder.
inline std::string pfad(const std::string& name) { return ordner() + "/arbeit/" + name; }

// Writes the input to NAME in the working subfolder and returns its path.
inline std::string datei(const std::string& name, const uint8_t* daten, size_t n)
{
    std::string p = pfad(name);
    FILE* f = std::fopen(p.c_str(), "wb");
    if (!f) std::abort();
    if (n && std::fwrite(daten, 1, n, f) != n) std::abort();
    std::fclose(f);
    return p;
}

// Empties the working subfolder (what one input left must not reach the next).
inline void leeren()
{
    std::error_code f;
    std::filesystem::path a = ordner() + "/arbeit";
    for (auto& e : std::filesystem::directory_iterator(a, f)) std::filesystem::remove_all(e.path(), f);
}

// Splits the input at the first occurrence of a separator line "\n--\n"
// (for targets that need two inputs); the second part is empty without one.
inline void teilen(const uint8_t* d, size_t n, std::string& a, std::string& b)
{
    std::string s(reinterpret_cast<const char*>(d), n);
    size_t p = s.find("\n--\n");
    if (p == std::string::npos) {
        a = s;
        b.clear();
    } else {
        a = s.substr(0, p + 1);
        b = s.substr(p + 4);
    }
}

// Part `i` (from 0) of an input whose parts are split by separator lines
// "\n--\n"; empty past the last.
inline std::string teil(const std::string& s, int i)
{
    size_t a = 0;
    for (int k = 0; k < i; ++k) {
        a = s.find("\n--\n", a);
        if (a == std::string::npos) return "";
        a += 4;
    }
    const size_t e = s.find("\n--\n", a);
    return s.substr(a, e == std::string::npos ? std::string::npos : e - a);
}

}  // namespace fz
