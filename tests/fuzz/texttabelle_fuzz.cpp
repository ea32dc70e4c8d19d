// The text table of the project folder (name, number, text per line): read,
// then checked: fields in their widths, entries in the order of the lookup
// (name ignoring case, then number), and each entry found by its key.
#include <cstring>
#include <string>

#include "equipment/definfo.h"
#include "support/vergleich.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start();
    fz::datei("Tabelle.txt", d, n);
    DefTextTabLaden(1, "Tabelle.txt");
    char name[21], vorName[21] = "", text[DEFTABTEXTSUP + 1], gefunden[DEFTABTEXTSUP + 1];
    int nr = 0, vorNr = 0;
    for (int i = 0; DefTextTabEintrag(i, name, &nr, text); ++i) {
        if (std::strlen(name) > 20 || std::strlen(text) > DEFTABTEXTSUP) __builtin_trap();
        if (i > 0) {
            const int c = strvgl(vorName, name);
            if (c > 0 || (c == 0 && vorNr > nr)) __builtin_trap();
        }
        if (DefTextTabHolen(name, nr, gefunden, sizeof gefunden) != 1) __builtin_trap();
        std::memcpy(vorName, name, sizeof name);
        vorNr = nr;
    }
    DefTextTabHolen("", 0, gefunden, sizeof gefunden);
    DefTextTabFrei();
    fz::leeren();
    return 0;
}
