// "dxfconfig.txt" of the program folder: the input's first part is the
// configuration, read for import and export, its head copied out and its
// lookups asked; the second part is a DXF file imported under it into a
// new drawing (a small fixed one when there is none), which is exported
// again under the same configuration.
#include <cstring>
#include <string>

#include "model/einstell.h"
#include "output/dxfexp.h"
#include "output/dxfimp.h"
#include "output/dxfkonf.h"
#include "support/bdatei.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

const char kDxf[] =
    "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
    "  0\r\nLINE\r\n  8\r\n0\r\n  6\r\nDASHED\r\n 62\r\n1\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n50\r\n 21\r\n20\r\n"
    "  0\r\nTEXT\r\n  8\r\nA\r\n  7\r\nROMANS\r\n 62\r\n256\r\n 10\r\n5\r\n 20\r\n5\r\n 40\r\n2.5\r\n  1\r\nText\r\n"
    "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    if (fz::start({.programm = true,
                   .vgb = "Name Fuzz\nZvMS 10\nZvTG 35\nZvTV 10\nZvTH 10\nZvST 1\nZvSL 40\nDIJusS 100\n"}))
        GrundEinstLesen(nullptr);
    std::string konfig, dxf;
    fz::teilen(d, n, konfig, dxf);
    fz::datei(DXFKONFIGNAME, reinterpret_cast<const uint8_t*>(konfig.data()), konfig.size());
    if (dxf.empty()) dxf = kDxf;

    DxfKonfig k;
    for (int imp : {0, 1}) {
        if (DxfKonfigLesen(&k, imp) != 0) continue;
        for (const auto& z : k.schrift)
            if (!std::memchr(z.name, 0, sizeof z.name) || !std::memchr(z.datei, 0, sizeof z.datei)) __builtin_trap();
        for (const auto& z : k.farbeExp)
            if (!std::memchr(z.layer, 0, sizeof z.layer)) __builtin_trap();
        for (const auto& z : k.strich)
            if (!std::memchr(z.name, 0, sizeof z.name) || z.anzahl < 0 || z.anzahl > DXFMUSTERSUP) __builtin_trap();
    }
    BDAT kopf;
    if (bdmake(&kopf, fz::pfad("kopf.dxf").c_str()) >= 0) {
        DxfKopf(&kopf);
        bdclose(&kopf);
    }
    if (DxfImpKonfig() == 0) {
        DxfSchriftImp("ROMANS");
        DxfSchriftImp("");
        DxfStrichartImp("dashed");
        int stil = 0, layer = 0;
        for (int f : {-1, 0, 7, 256, 257}) DxfFarbeImp(f, &stil, &layer);
    }

    const std::string ein = fz::datei("ein.dxf", reinterpret_cast<const uint8_t*>(dxf.data()), dxf.size());
    const std::string z = fz::pfad("neu.001");
    if (DxfImport(ein.c_str(), z.c_str()) == 0) DxfExport(fz::pfad("aus.dxf").c_str(), z.c_str());
    fz::leeren();
    return 0;
}
