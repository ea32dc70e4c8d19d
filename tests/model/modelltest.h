// Helpers of the model tests: a fresh folder per test, whole-file reads and
// writes, the fixture folder and the count of open file handles.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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
