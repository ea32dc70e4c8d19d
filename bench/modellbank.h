// Shared start of the model benchmarks: a temporary folder as working and
// project folder, the fixture library of the model tests (or the one named
// by the first argument's folder) as library "TST" there, the component
// cache on, a 400 x 400 window of the view settings and an empty command
// queue. Header-only; each benchmark is its own program.
#pragma once

#include <cstdio>
#include <fstream>
#include <string>

#include "config/verzeich.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/einstell.h"
#include "platform/orte.h"

// The temporary folder; empty when the library file is missing.
inline std::string modellBankAnlegen(int argc, char** argv)
{
    std::string ordner = plOrtTemp();
    std::string daten = std::string(__FILE__);
    daten = daten.substr(0, daten.find_last_of('/') + 1) + "../tests/data/model";
    std::string quelle = std::string(argc > 1 ? argv[1] : daten.c_str()) + "/BAUTEILE.L6";
    {
        std::ifstream ein(quelle, std::ios::binary);
        std::ofstream aus(ordner + "/BAUTEILE.TST", std::ios::binary);
        aus << ein.rdbuf();
        if (!ein) {
            std::fprintf(stderr, "Bauteildatei %s fehlt\n", quelle.c_str());
            return "";
        }
    }
    VerSetzen(1, ordner.c_str());
    VerSetzen(2, ordner.c_str());
    BauInit();
    BauCacheSetzen(1);
    VIEINST* v = ViEinst();
    v->flux = 0;
    v->fluy = 0;
    v->frox = 400;
    v->froy = 400;
    BefQueueInit();
    return ordner;
}
