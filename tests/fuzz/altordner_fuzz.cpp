// The file update of an old folder: the input's parts ("\n--\n" between)
// become an old drawing "PLAN.001", a version-5 library "BAUTEILE.L05",
// the names and index files of a version-2 pair ("BAUTEILB.L02",
// "BAUTEILN.L02") and the version-7 items "BMHAUPT.ZVK"; the folder is
// updated. Checked: no file of the folder is lost (each one there before
// is there after, but for the version-2 pair and the version-7 items once
// their new forms are there), no ".tmp" is left, the working folder and
// the project folder are what they were.
#include <strings.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "config/verzeich.h"
#include "project/zv5.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

std::set<std::string> altInhalt(const std::string& ordner)
{
    std::set<std::string> n;
    std::error_code f;
    for (auto& e : std::filesystem::directory_iterator(ordner, f)) n.insert(e.path().filename().string());
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start({.ini = true, .vgb = "Name Fuzz\nBMuse 1\n"});
    const std::string s(reinterpret_cast<const char*>(d), n);
    const char* namen[] = {"PLAN.001", "BAUTEILE.L05", "BAUTEILB.L02", "BAUTEILN.L02", "BMHAUPT.ZVK"};
    for (int i = 0; i < 5; ++i) {
        const std::string t = fz::teil(s, i);
        if (i == 0 || !t.empty()) fz::datei(namen[i], reinterpret_cast<const uint8_t*>(t.data()), t.size());
    }
    const std::string ordner = fz::ordner() + "/arbeit";
    const auto vorher = altInhalt(ordner);
    char cwd[4096] = "", projekt[VERSUP + 1] = "";
    if (!getcwd(cwd, sizeof cwd)) std::abort();
    VerHolen(1, projekt, sizeof projekt);

    Zv5Zaehler z;
    if (Zv5Konvertieren(ordner.c_str(), &z) == 0) {
        const auto nachher = altInhalt(ordner);
        // The old forms go only with their new ones in place.
        for (const std::string& v : vorher) {
            if (nachher.count(v)) continue;
            if (v == "BMHAUPT.ZVK" && nachher.count("BMittel.zvk")) continue;
            if ((v == "BAUTEILB.L02" || v == "BAUTEILN.L02") && nachher.count("BAUTEILE.L02")) continue;
            __builtin_trap();
        }
        for (const std::string& v : nachher)
            if (v.size() >= 4 && strcasecmp(v.c_str() + v.size() - 4, ".tmp") == 0) __builtin_trap();
    }
    char cwd2[4096] = "", projekt2[VERSUP + 1] = "";
    if (!getcwd(cwd2, sizeof cwd2)) std::abort();
    VerHolen(1, projekt2, sizeof projekt2);
    if (std::strcmp(cwd, cwd2) != 0 || std::strcmp(projekt, projekt2) != 0) __builtin_trap();
    fz::leeren();
    return 0;
}
