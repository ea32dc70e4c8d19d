// The pen names "Stifte.txt" and layer names "Layer.txt": the first byte
// chooses the file, the rest is the project folder's copy. Every name is
// read, saved to the user's copy and read back from there unchanged.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "model/einstell.h"
#include "platform/orte.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

std::vector<std::string> nmAlle(bool stifte)
{
    std::vector<std::string> v;
    const int sup = stifte ? STIFTSUP : LAYERSUP;
    for (int i = 1; i <= sup; ++i) {
        char name[STIFTNAMESUP + 1];
        std::memset(name, 'x', sizeof name);
        if (stifte) StiftName(i, name);
        else LayerName(i, name);
        if (strnlen(name, sizeof name) > STIFTNAMESUP) __builtin_trap();
        v.emplace_back(name);
    }
    return v;
}

void nmVergessen(bool stifte)
{
    if (stifte) StifteVergessen();
    else LayerZuruecksetzen();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    if (n == 0) return 0;
    fz::start();
    const bool stifte = d[0] % 2 == 0;
    const char* datei = stifte ? "Stifte.txt" : "Layer.txt";
    const std::string eigen = plOrtAnwendung() + "/" + datei;
    std::remove(eigen.c_str());
    fz::datei(datei, d + 1, n - 1);
    nmVergessen(stifte);
    const auto vorher = nmAlle(stifte);
    if ((stifte ? StifteSpeichern() : LayerSpeichern()) == 0) {
        std::remove(fz::pfad(datei).c_str());
        nmVergessen(stifte);
        if (nmAlle(stifte) != vorher) __builtin_trap();
    }
    std::remove(eigen.c_str());
    nmVergessen(stifte);
    fz::leeren();
    return 0;
}
