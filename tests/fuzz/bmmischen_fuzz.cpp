// The folder copy's merge of two equipment files and the renumbering of
// the "@Y" references in a copied drawing. The input: the source
// "BMittel.zvk", "\n--\n", the target's, "\n--\n", a drawing.
#include <cstring>
#include <string>

#include "project/verzkopie.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

std::string schreiben(const char* name, const std::string& inhalt)
{
    return fz::datei(name, reinterpret_cast<const uint8_t*>(inhalt.data()), inhalt.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    const std::string s(reinterpret_cast<const char*>(d), n);
    const std::string q = schreiben("Quelle.zvk", fz::teil(s, 0));
    const std::string z = schreiben("BMittel.zvk", fz::teil(s, 1));
    const std::string zei = schreiben("Plan.001", fz::teil(s, 2));
    const int m = BMDateiMischen(q.c_str(), z.c_str());
    if (m < -1) __builtin_trap();
    // Every mapped number lies above the target's highest.
    if (m >= 0) {
        for (uint32_t alt = 0; alt < 64; ++alt) {
            const uint32_t neu = BmtNeu(alt);
            if (neu != 0 && neu <= static_cast<uint32_t>(m)) __builtin_trap();
        }
    }
    ZeiKopierenMitBM(zei.c_str(), fz::pfad("Neu.001").c_str(), 1);
    ZeiKopierenMitBM(zei.c_str(), fz::pfad("Neu.002").c_str(), 0);
    fz::leeren();
    return 0;
}
