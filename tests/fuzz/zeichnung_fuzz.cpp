// Drawing file: check, header, every record, dump and text form, then an
// append to the damaged file.
#include <cstring>

#include "model/befehl.h"
#include "model/zeichnun.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    std::string p = fz::datei("FUZZ.001", d, n);
    std::string t = fz::pfad("FUZZ.txt");
    ZeiIstDatei(p.c_str());
    ZeiDateiPruefen(p.c_str());
    ZeiKopf k;
    ZeiKopfLesen(p.c_str(), &k);
    ZeiDatei z;
    if (ZeiDateiLesend(&z, p.c_str()) == 0) {
        BEF b;
        char text[4096];
        while (ZeiBefLesen(&z, &b) >= 0) BefZuText(&b, text, sizeof text);
        ZeiDateiVerwerfen(&z);
    }
    ZeiDump(p.c_str(), t.c_str());
    ZeiAlsText(p.c_str(), t.c_str());
    if (ZeiDateiOeffnen(&z, p.c_str()) == 0) {
        BEF b;
        std::memset(&b, 0, sizeof b);
        b.code = 40;
        b.darg[0] = 10;
        ZeiBefSchreiben(&z, &b);
        ZeiDateiSchliessen(&z);
    }
    fz::leeren();
    return 0;
}
