// Component library: version, load, index, every entry read and copied into
// a drawing, the check with its report.
#include <string>

#include "model/bauteil.h"
#include "model/befehl.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    std::string bib = fz::datei("BAUTEILE.L10", d, n);
    std::string z = fz::pfad("KOPIE.001");
    BauVersion(bib.c_str());
    BauBibGueltig(bib.c_str());
    if (BauLaden(bib.c_str()) == 0) BauVorhanden("M1");
    BauBibHandle h;
    if (BauBibOeffnen(&h, bib.c_str()) == 0) {
        for (int i = 0; i < h.anzahl && i < 256; ++i) {
            char name[BAUNAMSUP + 1];
            BauNameHolen(&h, i, name, sizeof name);
            BauHandle k;
            if (BauOpen(&k, bib.c_str(), name) != 0) continue;
            BEF b;
            while (BauRead(&k, &b) == 0) {
            }
            BauClose(&k);
            if (i < 4 && BauOpen(&k, bib.c_str(), name) == 0) {
                BauNachZeichnung(&k, z.c_str());
                BauClose(&k);
            }
        }
        BauBibZu(&h);
    }
    BauPruefen(bib.c_str(), fz::pfad("BERICHT.TXT").c_str());
    BauBibSchliessen();
    BauEnde();
    fz::leeren();
    return 0;
}
