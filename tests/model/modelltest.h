// Helpers of the model tests: a fresh folder per test, whole-file reads and
// writes, the fixture folder, the count of open file handles and the names
// of a component library.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/bauteil.h"

inline std::string mtLesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline void mtSchreiben(const std::string& pfad, const std::string& inhalt)
{
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f << inhalt;
}

inline std::string mtFixture(const std::string& name)
{
    return std::string(VELMO_TEST_DATA) + "/model/" + name;
}

inline int mtOffeneDateien()
{
    int n = 0;
    if (DIR* d = opendir("/proc/self/fd")) {
        while (readdir(d)) ++n;
        closedir(d);
    }
    return n;
}

// A folder of its own, removed at the end.
struct MtOrdner {
    std::filesystem::path pfad;
    MtOrdner()
    {
        static std::atomic<int> zaehler{0};
        pfad = std::filesystem::temp_directory_path() /
               ("velmo-model-" + std::to_string(getpid()) + "-" + std::to_string(zaehler++));
        std::filesystem::remove_all(pfad);
        std::filesystem::create_directories(pfad);
    }
    ~MtOrdner() { std::filesystem::remove_all(pfad); }
    std::string operator/(const std::string& name) const { return (pfad / name).string(); }
    int anzahl() const
    {
        int n = 0;
        for (auto& e : std::filesystem::directory_iterator(pfad)) {
            (void)e;
            ++n;
        }
        return n;
    }
};

// The names of a library in index order (empty when it does not open); the
// library is closed again unless `zu` is false (it then stays loaded).
inline std::vector<std::string> mtBibNamen(const std::string& bib, bool zu = true)
{
    BauBibHandle h;
    std::vector<std::string> v;
    if (BauBibOeffnen(&h, bib.c_str()) != 0) return v;
    for (int i = 0; i < h.anzahl; ++i) {
        char n[BAUNAMSUP + 1];
        BauNameHolen(&h, i, n, sizeof n);
        v.push_back(n);
    }
    if (zu) BauBibZu(&h);
    return v;
}
