// The manual's topic index "PDFIndex.txt": the input as the index, looked
// up for the topics it names (a few) and a few fixed ones.
#include <string>
#include <vector>

#include "project/hbview.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start();
    const std::string pfad = fz::datei("PDFIndex.txt", d, n);
    std::vector<std::string> themen = {"", "HAUPT", "zeichnung"};
    const std::string s(reinterpret_cast<const char*>(d), n);
    for (size_t a = 0; a < s.size() && themen.size() < 8;) {
        const size_t b = s.find_first_of(" \t\r\n", a);
        themen.push_back(s.substr(a, b == std::string::npos ? std::string::npos : b - a));
        const size_t z = s.find('\n', a);
        if (z == std::string::npos) break;
        a = z + 1;
    }
    for (const std::string& t : themen) {
        int seiten = 0;
        std::string titel;
        const int r = HilfeIndexSuchen(pfad.c_str(), t.c_str(), &seiten, &titel);
        if (r < 0 || seiten < 1 || seiten > HILFESEITENSUP || titel.size() > HILFETITELSUP) __builtin_trap();
        if (r == 0 && !titel.empty()) __builtin_trap();
    }
    fz::leeren();
    return 0;
}
