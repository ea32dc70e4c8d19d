// The key file "EditKey.txt" as a user may leave it: every line parsed into
// the key table, then the key-help lines built from it.
#include "editor/knopf.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    std::string p = fz::datei("EditKey.txt", d, n);
    if (KnopfDateiLesen(p.c_str()) > KNOSUP) __builtin_trap();
    for (const std::string& z : KnopfHilfeZeilen()) {
        if (z.size() > 2 * KNOHILFEFELD + KNOHINWEISSUP) __builtin_trap();
    }
    KnopfFrei();
    fz::leeren();
    return 0;
}
