// The frame's command file: run line by line to its end, as timer 1 does;
// the execute strings of the local commands through the same words.
#include <unistd.h>

#include <string>

#include "frame/dde.h"
#include "output/ansicht.h"
#include "output/bilder.h"
#include "output/dxfexp.h"
#include "output/dxfimp.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/schrift.h"
#include "output/show.h"
#include "output/tbar.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

void einrichten()
{
    if (!fz::start({.hinein = true})) return;
    DdeUmschaltenSetzen([](const char*) {});  // the input must not move the program elsewhere
    LogZuruecksetzen();
    LogPfad();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    einrichten();
    std::string p = fz::datei("start.txt", d, n);
    if (BefehlsdateiOeffnen(p.c_str()) >= 0) {
        for (int i = 0; i < 100000 && BefehlsdateiLaeuft(); ++i) BefehlsdateiSchritt();
        BefehlsdateiSchliessen();
    }
    std::string s(reinterpret_cast<const char*>(d), n);
    std::string zeile = s.substr(0, s.find('\n'));
    DdeAusfuehren("system", zeile.c_str());
    fz::leeren();
    return 0;
}
