// The short-text import: a project folder of two drawings, the input's
// first byte chooses the language (0 base: the drawing headers; 1, 2 the
// translations) and the mode, the rest is the file imported. Checked: at
// most one text taken per line, both drawings still read with every title
// in its width.
#include <algorithm>
#include <cstring>
#include <string>

#include "equipment/fstx.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "project/zeitxt.h"
#include "support/texte.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

void ktZeichnung(const char* name, const char* titel)
{
    ZeiDatei d;
    if (ZeiDateiAnlegen(&d, fz::pfad(name).c_str()) != 0) std::abort();
    ZeiFormatSetzen(&d, BEF_ZA3);
    BEF b{};
    b.code = BEF_ZAT;
    BefTextSetzen(&b, "");
    if (ZeiBefSchreiben(&d, &b) != 0 || ZeiDateiSchliessen(&d) != 0) std::abort();
    ZeiKopf k;
    if (ZeiKopfLesen(name, &k) != 0) std::abort();
    strkopie(k.titel[0], titel, ZEITITELSUP);
    if (ZeiKopfSchreiben(name, &k) != 1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    if (n == 0) return 0;
    if (fz::start({.ini = true})) FstxInit();
    FstxNeuLaden();
    ktZeichnung("Plan.001", "Deckblatt");
    ktZeichnung("Plan 2.002", "Verteilung");
    const int sprache = d[0] % 3;
    const int modus = (d[0] / 3) % 4;
    fz::datei("Kurz.txt", d + 1, n - 1);
    const int zeilen = static_cast<int>(std::count(d + 1, d + n, '\n')) + 1;
    const int r = ZeiTxtImportieren(sprache, "Kurz.txt", modus);
    if (r > zeilen) __builtin_trap();
    for (const char* name : {"Plan.001", "Plan 2.002"}) {
        ZeiKopf k;
        if (ZeiKopfLesen(name, &k) != 0) __builtin_trap();
        for (const auto& t : k.titel)
            if (!std::memchr(t, 0, sizeof t)) __builtin_trap();
    }
    FstxNeuLaden();
    fz::leeren();
    return 0;
}
