// Macro files: the interpreter over any bytes, its command lines parsed
// into records and handed to a sink (nothing is drawn), a bounded number
// of lines per input so that an endless loop of the input ends.
#include <unistd.h>

#include <string>

#include "editor/befausf.h"
#include "editor/macro.h"
#include "model/befehl.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

void senke(const BEF* b) { (void)BefZuText(b); }

void einrichten()
{
    if (!fz::start({.hinein = true})) return;
    BefAusfInit();
    MakroSofortSetzen(senke);
    MakroSpurSetzen([](const char*) {});
    MakroZeilenGrenze(20000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    einrichten();
    const std::string p = fz::datei("probe.mac", d, n);
    MakroDateiAusfuehren(p.c_str(), 1);
    for (int i = 0; i < MAKROVARSUP; ++i) MakroVariableSetzen(i, 0);
    fz::leeren();
    return 0;
}
