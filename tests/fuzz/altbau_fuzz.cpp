// Old formats: the input as a version-3 library, as the two files of a
// version-2 library (names part "\n--\n" index part), and as an old drawing.
#include <string>

#include "model/altbau.h"
#include "model/befehl.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

void bibLesen(const std::string& bib)
{
    AltBibHandle info;
    if (AltBibInfo(&info, bib.c_str()) != 0) return;
    for (int i = 0; i < info.anzahl && i < 256; ++i) {
        char name[ALTNAMSUP + 1];
        AltBauName(bib.c_str(), i, name, sizeof name);
        AltBauHandle h;
        if (AltBauOpen(&h, bib.c_str(), name) != 0) continue;
        BEF b;
        while (AltBauRead(&h, &b) == 0) {
        }
        if (i < 3 && AltBauOpen(&h, bib.c_str(), name) == 0) AltBauNachZeichnung(&h, fz::pfad("KOPIE.001").c_str());
    }
    AltBibSchliessen();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    bibLesen(fz::datei("BAUTEILE.AL3", d, n));

    std::string a, b;
    fz::teilen(d, n, a, b);
    fz::datei("BAUTEILN.AL2", reinterpret_cast<const uint8_t*>(b.data()), b.size());
    std::string pb = fz::datei("BAUTEILB.AL2", reinterpret_cast<const uint8_t*>(a.data()), a.size());
    bibLesen(pb);
    AltBibUmsetzen(pb.c_str(), nullptr);
    bibLesen(fz::pfad("BAUTEILE.AL2"));

    std::string z = fz::datei("ALT.ZEI", d, n);
    int version = 0, format = 0;
    if (AltZeiOeffnen(z.c_str(), &version, &format) == 0) {
        BEF r;
        while (AltZeiRead(&r) == 0) {
        }
    }
    AltZeiSchliessen();
    fz::leeren();
    return 0;
}
