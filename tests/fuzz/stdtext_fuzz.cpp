// The standard text viewer: the input as the text file, its lines as the
// viewer shows them, a search through them, and each line split as a stock
// article line (the "Lagerartikel" kind).
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "equipment/lagerart.h"
#include "lists/stammlist.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start();
    const std::string pfad = fz::datei("Standard.txt", d, n);
    std::vector<std::string> zeilen;
    const int r = StdTextLesen(pfad.c_str(), &zeilen);
    if (r < 0 || zeilen.size() > STDZEILENSUP) __builtin_trap();
    for (const std::string& z : zeilen)
        if (z.size() > 8 * STDZEILESUP) __builtin_trap();
    const char* such = zeilen.empty() ? "a" : zeilen.back().c_str();
    for (int ab = -1; ab >= -1 && ab < static_cast<int>(zeilen.size()) && ab < 50;) {
        const int t = StdTextSuchen(zeilen, ab, such);
        if (t != -1 && t <= ab) __builtin_trap();
        ab = t < 0 ? -2 : t;
    }
    for (size_t i = 0; i < zeilen.size() && i < 200; ++i) {
        // Exactly the sizes the splitter promises, so a longer copy is seen.
        auto z = std::make_unique<char[]>(STDZEILESUP + 1);
        std::memset(z.get(), 0, STDZEILESUP + 1);
        std::strncpy(z.get(), zeilen[i].c_str(), STDZEILESUP);
        auto nr = std::make_unique<char[]>(21);
        auto t1 = std::make_unique<char[]>(81), t2 = std::make_unique<char[]>(81);
        auto t3 = std::make_unique<char[]>(81), t4 = std::make_unique<char[]>(81);
        LagerZeileZerlegen(z.get(), nr.get(), t1.get(), t2.get(), t3.get(), t4.get());
    }
    fz::leeren();
    return 0;
}
