// The project scan's header reader: a drawing's header from the bytes read
// at once (with a small read too, so that records run past them), which
// must always equal the drawing layer's own reading of the header.
#include <sys/stat.h>

#include <cstring>

#include "model/zeichnun.h"
#include "project/pvwlesen.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

bool gleich(const ZeiKopf& a, const ZeiKopf& b)
{
    if (a.format != b.format || a.version != b.version) return false;
    for (int i = 0; i < 5; ++i) {
        if (std::strcmp(a.titel[i], b.titel[i]) != 0) return false;
    }
    return std::strcmp(a.kurz, b.kurz) == 0 && std::strcmp(a.text10, b.text10) == 0 && std::strcmp(a.text11, b.text11) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    const std::string p = fz::datei("Plan.001", d, n);
    ZeiKopf soll;
    std::memset(&soll, 0, sizeof soll);
    const int r = ZeiKopfLesen(p.c_str(), &soll);
    for (size_t lesen : {PVWKOPFLESEN, size_t{64}, size_t{11}}) {
        ZeiKopf k;
        std::memset(&k, 0, sizeof k);
        struct stat st;
        const int q = PvwKopfLesen(p.c_str(), &k, &st, lesen);
        if ((q == 0) != (r == 0)) __builtin_trap();
        if (q == 0 && (!gleich(k, soll) || st.st_size != static_cast<off_t>(n))) __builtin_trap();
    }
    fz::leeren();
    return 0;
}
