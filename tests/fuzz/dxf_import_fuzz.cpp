// DXF import: the input as a DXF file imported into a new drawing, which is
// then walked as the renderer walks it.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "model/einstell.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "output/dxfimp.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

// A configuration with every section, so that the lookups have rows.
const char kKonfig[] =
    ")S Kopf\r\n  0\r\nSECTION\r\n  2\r\nHEADER\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nTABLES\r\n)\r\n"
    ")S Schrift\r\nSTANDARD 0 txt\r\nROMANS 1 romans.shx\r\n)\r\n"
    ")S FarbeImp\r\n7 1 1\r\n1 2 3\r\n256 4 5\r\n)\r\n"
    ")S FarbeExp\r\n1 7 WEISS\r\n)\r\n"
    ")S Strichart\r\n7 CONTINUOUS 0\r\n1 DASHED 10 6 -4\r\n)\r\n";

int fzElement(const BEF*, const STT*) { return 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    static bool fertig = false;
    if (!fertig) {
        fertig = true;
        const std::string prog = fz::ordner() + "/prog";
        mkdir(prog.c_str(), 0700);
        FILE* f = std::fopen((prog + "/dxfconfig.txt").c_str(), "wb");
        std::fputs(kKonfig, f);
        std::fclose(f);
        VerSetzen(0, prog.c_str());
        std::string vgb = fz::ordner() + "/Dxf.vgb";
        f = std::fopen(vgb.c_str(), "wb");
        std::fputs("Name Fuzz\nZvMS 10\nZvTG 35\nZvTV 10\nZvTH 10\nZvST 1\nZvSL 40\nDIJusS 100\n", f);
        std::fclose(f);
        VgbFehlMeldung(0);
        VgbSetSetzen("Fuzz", vgb.c_str());
        GrundEinstLesen(nullptr);
    }
    std::string dxf = fz::datei("ein.dxf", d, n);
    std::string z = fz::pfad("neu.001");
    if (DxfImport(dxf.c_str(), z.c_str()) == 0) {
        STT s;
        std::memset(&s, 0, sizeof s);
        SttInit(&s, nullptr);
        ZeiDurchlaufen(z.c_str(), &s, fzElement);
    }
    fz::leeren();
    return 0;
}
