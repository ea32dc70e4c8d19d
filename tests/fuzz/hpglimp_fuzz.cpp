// HPGL import: the input as a plot file imported into a new drawing, which
// is read back.
#include <string>

#include "config/vorgaben.h"
#include "model/befehl.h"
#include "model/einstell.h"
#include "model/justage.h"
#include "model/zeichnun.h"
#include "output/hpglimp.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    if (fz::start({.vgb = "Name Fuzz\nZvMS 10\nZvTG 35\nZvTV 10\nZvTH 10\nZvST 1\nZvSL 40\n"})) {
        GrundEinstLesen(nullptr);
        const double fenster[4] = {0, 0, 420, 297};
        const JusTrafo t{0, 0.0, 0.0, 1.0};
        HpglImpEinstellen(&t, fenster);
    }
    std::string plot = fz::datei("ein.plt", d, n);
    std::string z = fz::pfad("neu.001");
    if (HpglImport(plot.c_str(), z.c_str()) == 0) {
        ZeiDatei zd;
        if (ZeiDateiLesend(&zd, z.c_str()) == 0) {
            BEF b;
            while (ZeiBefLesen(&zd, &b) >= 0) {
            }
            ZeiDateiVerwerfen(&zd);
        }
    }
    fz::leeren();
    return 0;
}
