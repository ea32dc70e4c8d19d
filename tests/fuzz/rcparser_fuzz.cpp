// Resource scripts: the input is the module's script (up to "\n--\n"); any
// other file the script names (headers, includes, images) reads as the part
// after it. The parsed module's images are then decoded.
#include <string>
#include <vector>

#include "platform/bild.h"
#include "platform/rcparser.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    std::string skript, rest;
    fz::teilen(d, n, skript, rest);
    int gelesen = 0;
    RcLeser leser = [&](const std::string& pfad, std::string& inhalt) {
        if (++gelesen > 64) return false;
        inhalt = pfad == "fuzz.rc" ? skript : rest;
        return true;
    };
    RcModul modul;
    std::string fehler;
    std::vector<std::string> pfade;
    if (rcModulParsen("fuzz", {"fuzz.rc"}, leser, modul, fehler, &pfade)) {
        for (const RcEintrag& e : modul.eintraege) {
            if (e.bytes.empty() || e.typ == 10) continue;  // RCDATA stays bytes
            plBild bild;
            plBildLesen(reinterpret_cast<const uint8_t*>(e.bytes.data()), e.bytes.size(), bild);
        }
    }
    return 0;
}
