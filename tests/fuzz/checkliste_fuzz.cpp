// Check lists: "Checkliste1.zvk" read into list 0, checked against the
// invariant (sorted by number, then code ignoring case; no pair twice;
// fields in their widths), its text variables, written and read back to
// the same list; and the ")F" block read from the end of a text file,
// taken over into list 1 and appended again. The input: the list file,
// "\n--\n", the text file.
#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "equipment/chk.h"
#include "support/vergleich.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

void einrichten()
{
    if (fz::start()) ChkInit();
}

std::vector<std::tuple<int, std::string, std::string>> liste(int n)
{
    std::vector<std::tuple<int, std::string, std::string>> l;
    for (int i = 0; i < ChkAnzahl(n); ++i) {
        CHKEINTRAG e;
        std::memset(&e, 0, sizeof e);
        if (ChkEintrag(n, i, &e) == 0) continue;
        if (strnlen(e.code, sizeof e.code) > CHKCODESUP || strnlen(e.text, sizeof e.text) > CHKTEXTSUP) __builtin_trap();
        l.emplace_back(e.nummer, e.code, e.text);
    }
    for (size_t i = 1; i < l.size(); ++i) {
        const auto& a = l[i - 1];
        const auto& b = l[i];
        // "Ignoring case" as the program's comparison takes it (umlauts too).
        const int c = strvgl(std::get<1>(a).c_str(), std::get<1>(b).c_str());
        if (std::get<0>(a) > std::get<0>(b) || (std::get<0>(a) == std::get<0>(b) && c >= 0)) __builtin_trap();
    }
    return l;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    einrichten();
    std::string a, b;
    fz::teilen(d, n, a, b);
    char pfad[400];
    ChkDateiName(0, pfad, sizeof pfad);
    fz::datei(pfad, reinterpret_cast<const uint8_t*>(a.data()), a.size());
    const std::string text = fz::datei("Liste.txt", reinterpret_cast<const uint8_t*>(b.data()), b.size());
    if (ChkListeLesen(0) == 0) {
        const auto vorher = liste(0);
        char t[CHKTEXTSUP + 1];
        for (const auto& e : vorher) {
            ChkTextHolen(0, std::get<1>(e).c_str(), t);
            ChkTextVariable(("@C1" + std::get<1>(e)).c_str(), t);
        }
        // A blank code is not written: the round trip keeps the others.
        auto soll = vorher;
        soll.erase(std::remove_if(soll.begin(), soll.end(), [](const auto& e) { return std::get<1>(e).empty(); }), soll.end());
        if (ChkListeSchreiben(0) == 0 && (ChkListeLesen(0) != 0 || liste(0) != soll)) __builtin_trap();
    }
    ChkAnhangInit();
    if (ChkAnhangLesen(text.c_str()) == 0) {
        ChkListeLesen(1);  // no file: list 1 starts empty for each input
        ChkAnhangUebernehmen(1);
        liste(1);
        ChkAnhangSchreiben(text.c_str());
    }
    ChkAnhangFrei();
    fz::leeren();
    return 0;
}
