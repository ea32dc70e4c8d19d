// Drawing text form: one record line, then the whole input as a text form
// read into a new drawing, which is read back.
#include <algorithm>
#include <cstring>
#include <string>

#include "model/befehl.h"
#include "model/zeichnun.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    std::string zeile(reinterpret_cast<const char*>(d), std::min<size_t>(n, 8000));
    zeile = zeile.substr(0, zeile.find('\n'));
    BEF b;
    if (TextZuBef(&b, zeile.c_str()) == 0) {
        char text[4096];
        BefZuText(&b, text, sizeof text);
    }
    BefVersionZeile(zeile.c_str());

    std::string t = fz::datei("FUZZ.txt", d, n);
    std::string p = fz::pfad("FUZZ.001");
    if (ZeiAusText(p.c_str(), t.c_str()) == 1) {
        ZeiDatei z;
        if (ZeiDateiLesend(&z, p.c_str()) == 0) {
            while (ZeiBefLesen(&z, &b) >= 0) {
            }
            ZeiDateiVerwerfen(&z);
        }
    }
    fz::leeren();
    return 0;
}
