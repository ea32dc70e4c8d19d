// A component library for the editor tests: "BAUTEILE.TST" in a test folder
// with one component drawn from its text form, made the library of the
// drawing and component folders.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "config/verzeich.h"
#include "model/bauteil.h"
#include "model/zeichnun.h"
#include "tests/editor/edtest.h"

inline void bauBibMitBauteil(const EdOrdner& o, const char* name, const char* textform)
{
    const std::string bib = o.pfad("BAUTEILE.TST");
    ASSERT_EQ(BauBibAnlegen(bib.c_str(), 10), 0);
    BauBibHandle h;
    ASSERT_EQ(BauBibOeffnen(&h, bib.c_str()), 0);
    const std::string quelle = o.pfad("k.txt"), zeichnung = o.pfad("k.zei");
    std::ofstream(quelle, std::ios::binary) << textform;
    ASSERT_GT(ZeiAusText(zeichnung.c_str(), quelle.c_str()), 0);
    ASSERT_EQ(BauAufnehmen(&h, name, zeichnung.c_str()), 0);
    BauBibZu(&h);
    BauBibSchliessen();
    VerSetzen(1, o.p.c_str());
    VerSetzen(2, o.p.c_str());
    BauInit();
}
