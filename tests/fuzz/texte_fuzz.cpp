// The project texts "Texte.zvk": read, checked against the list's
// invariants (sorted by kind, key, language; no two alike; every field in
// its width), merged with a second file, written and read back to the
// same list. The input: the project's file, "\n--\n", the merged one.
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "equipment/fstx.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

void einrichten()
{
    if (fz::start()) FstxInit();
}

std::vector<std::tuple<std::string, std::string, int, std::string>> liste()
{
    std::vector<std::tuple<std::string, std::string, int, std::string>> l;
    for (int i = 0; i < FstxAnzahl(); ++i) {
        FSTX s;
        if (FstxEintrag(i, &s) == 0) continue;
        if (strnlen(s.art, sizeof s.art) > FSTXARTSUP || strnlen(s.kenn, sizeof s.kenn) > FSTXKENNSUP ||
            strnlen(s.text, sizeof s.text) > FSTXTEXTSUP)
            __builtin_trap();
        l.emplace_back(s.art, s.kenn, s.sprache, s.text);
    }
    for (size_t i = 1; i < l.size(); ++i) {
        const auto& a = l[i - 1];
        const auto& b = l[i];
        const int k = std::strcmp(std::get<0>(a).c_str(), std::get<0>(b).c_str());
        const int m = std::strcmp(std::get<1>(a).c_str(), std::get<1>(b).c_str());
        if (k > 0 || (k == 0 && m > 0) || (k == 0 && m == 0 && std::get<2>(a) >= std::get<2>(b))) __builtin_trap();
    }
    return l;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    einrichten();
    std::string a, b;
    fz::teilen(d, n, a, b);
    fz::datei("Texte.zvk", reinterpret_cast<const uint8_t*>(a.data()), a.size());
    const std::string zweit = fz::datei("Zweit.zvk", reinterpret_cast<const uint8_t*>(b.data()), b.size());
    FstxNeuLaden();
    if (FstxLesen() == 0) {
        liste();
        FstxMergeDatei(zweit.c_str(), [](uint32_t id, void*) { return id; }, nullptr);
        const auto vorher = liste();
        if (FstxSchreiben() == 0) {
            FstxNeuLaden();
            if (FstxLesen() != 0 || liste() != vorher) __builtin_trap();
        }
    }
    FstxNeuLaden();
    fz::leeren();
    return 0;
}
