// Replays every file of the corpus and the findings of each fuzz target once
// (CTest label `fuzz`), so that a crash once found does not come back. Built
// with the compiler and sanitizers of the tests; every target is linked in
// under its own name.
//
//   fuzz_replay TARGET DIR...   runs each regular file below each DIR
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_ziele.h"  // generated: the table kFuzzZiele

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TARGET DIR...\n", argv[0]);
        return 2;
    }
    int (*ziel)(const uint8_t*, size_t) = nullptr;
    for (const auto& z : kFuzzZiele)
        if (std::strcmp(z.name, argv[1]) == 0) ziel = z.fn;
    if (!ziel) {
        std::fprintf(stderr, "unknown target %s\n", argv[1]);
        return 2;
    }
    std::vector<std::filesystem::path> dateien;
    for (int i = 2; i < argc; ++i) {
        std::error_code f;
        if (!std::filesystem::is_directory(argv[i], f)) continue;
        for (auto& e : std::filesystem::recursive_directory_iterator(argv[i]))
            if (e.is_regular_file()) dateien.push_back(e.path());
    }
    std::sort(dateien.begin(), dateien.end());
    for (const auto& p : dateien) {
        std::ifstream f(p, std::ios::binary);
        std::vector<uint8_t> d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "%s\n", p.c_str());
        ziel(d.data(), d.size());
    }
    std::printf("%s: %zu inputs replayed\n", argv[1], dateien.size());
    return 0;
}
