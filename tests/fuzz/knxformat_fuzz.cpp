// The format file of the KNX evaluation: the input as the format file of a
// run over a project with one KNX item of two placed sub components, so
// every section is written and every line resolved.
#include <cstdio>
#include <cstring>
#include <string>

#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "lists/auswertung.h"
#include "lists/eibauswert.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

void knxProjekt()
{
    std::string vgb = fz::pfad("Standard.vgb");
    FILE* f = std::fopen(vgb.c_str(), "wb");
    std::fputs("Name Standard\nBMuse 1\nkfmformat format.txt\n", f);
    std::fclose(f);
    KonfHaken h{};
    h.warnung = [](const char*) {};
    konfHakenSetzen(h);
    VgbFehlMeldung(0);
    VgbSetSetzen("Standard", vgb.c_str());
    // The format file is found in the working folder.
    if (chdir(fz::pfad("").c_str()) != 0) std::abort();
    VerSetzen(1, fz::pfad("").c_str());
    BMStart();
    appgeraet g{};
    g.id = 1;
    g.n1 = 5;
    std::snprintf(g.ft, sizeof g.ft, "=E1");
    GesEinfuegen(&g);
    for (int nr = 0; nr <= 2; ++nr) {
        appbteil b{};
        b.id = 1;
        std::snprintf(b.cd, sizeof b.cd, "%s", nr ? "U" : "H");
        b.nr = nr;
        b.platziert = 1;
        b.x = 10.0 * nr;
        std::snprintf(b.ze, sizeof b.ze, "%02d", nr);
        BtlEintragAnhaengen(&b);
        if (nr) GtxTextSetzen(1, "U", nr, 1, "Aktor");
    }
    BMDateiSchreiben();
    awoptionen& o = AwOptionen();
    o.typ = 7;
    o.praefix = "kfm";
    o.datei = fz::pfad("ergebnis.txt");
    o.sortiert = 100;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    static bool fertig = false;
    if (!fertig) {
        fertig = true;
        knxProjekt();
    }
    fz::datei("format.txt", d, n);
    if (EibAuswertung(0) != 0) std::abort();
    return 0;
}
