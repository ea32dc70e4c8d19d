// The spell checker's own word lists ("ersetzen.spell", "ignorieren.spell"):
// the input read into a list, the packed records walked and looked up,
// written and read back into a fresh list record for record.
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "project/rswliste.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

std::vector<std::pair<std::string, std::string>> rwSaetze(const RswListe& l)
{
    std::vector<std::pair<std::string, std::string>> v;
    if (l.gesamt < 0 || l.gesamt > VARLANG || l.anzahl < 0) __builtin_trap();
    int32_t pos = 0;
    while (pos < l.gesamt) {
        const char* s = l.puffer + pos;
        const int ln = static_cast<unsigned char>(s[0]);
        if (pos + ln + 7 > l.gesamt || s[1 + ln] != '\0') __builtin_trap();
        int32_t lw;
        std::memcpy(&lw, s + 1 + ln + 1, sizeof lw);
        if (lw < 0 || pos + ln + lw + 7 > l.gesamt || s[1 + ln + 1 + 4 + lw] != '\0') __builtin_trap();
        v.emplace_back(std::string(s + 1, static_cast<size_t>(ln)), std::string(s + 1 + ln + 1 + 4, static_cast<size_t>(lw)));
        pos += ln + lw + 7;
    }
    if (static_cast<int32_t>(v.size()) != l.anzahl) __builtin_trap();
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start();
    const std::string ein = fz::datei("ersetzen.spell", d, n);
    RswListe l{};
    RswInit(&l);
    if (RswLesen(ein.c_str(), &l) != 0) __builtin_trap();
    const auto saetze = rwSaetze(l);
    for (const auto& s : saetze) {
        char wert[VARLANG];
        if (RswSuchen(&l, s.first.c_str(), wert) != 1) __builtin_trap();
    }
    const std::string aus = fz::pfad("zurueck.spell");
    if (RswSchreiben(aus.c_str(), &l) == 0) {
        RswListe z{};
        RswInit(&z);
        if (RswLesen(aus.c_str(), &z) != 0 || rwSaetze(z) != saetze) __builtin_trap();
        RswFrei(&z);
    }
    RswFrei(&l);
    fz::leeren();
    return 0;
}
