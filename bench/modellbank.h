// Shared start of the model benchmarks: a temporary folder as working and
// project folder, the fixture library of the model tests (or the one named
// by the first argument's folder) as library "TST" there, the component
// cache on, a 400 x 400 window of the view settings and an empty command
// queue. Header-only; each benchmark is its own program.
#pragma once

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "config/verzeich.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/einstell.h"
#include "model/zustand.h"
#include "platform/orte.h"

// The temporary folder; empty when the library file is missing.
inline std::string modellBankAnlegen(int argc, char** argv)
{
    std::string ordner = plOrtTemp();
    const std::string daten = std::string(VELMO_TEST_DATA) + "/model";
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

// A record of the benchmarks: code, two coordinates, an optional text and
// the first integer argument.
inline BEF modellSatz(int code, double a, double b, const char* text, int i = 0)
{
    BEF x;
    std::memset(&x, 0, sizeof x);
    x.code = static_cast<uint8_t>(code);
    x.darg[0] = a;
    x.darg[1] = b;
    x.iarg[0] = i;
    if (text) BefTextSetzen(&x, text);
    return x;
}

// The state the benchmarks draw with: scale 1, layer 1, pen 1, library "TST".
inline STT modellZustand()
{
    STT s;
    SttInit(&s, nullptr);
    s.mass = s.msm = s.msf = 1.0;
    s.layer = 1;
    s.st = 1;
    s.sl = 1.0;
    s.tg = 2.5;
    s.tv = s.th = 1.0;
    std::snprintf(s.bd, sizeof s.bd, "TST");
    return s;
}
