// The drawing objects of a stored drawing as "<text form> @ x y" with the
// absolute position of the state in force, walking the records from a fresh
// state; every double of every record must be finite. `masse` receives the
// scale at each object. For the import tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "model/befehl.h"
#include "model/zeichnun.h"
#include "model/zustand.h"
#include "support/bdatei.h"

inline std::vector<std::string> zeiObjekte(const std::string& zei, std::vector<double>* masse = nullptr)
{
    std::vector<std::string> aus;
    ZeiDatei z;
    if (ZeiDateiLesend(&z, zei.c_str()) != 0) {
        ADD_FAILURE() << "cannot read " << zei;
        return aus;
    }
    STT s;
    std::memset(&s, 0, sizeof s);
    SttInit(&s, nullptr);
    BEF b;
    while (ZeiBefLesen(&z, &b) == 0) {
        for (double d : b.darg) EXPECT_TRUE(std::isfinite(d)) << BefZuText(&b);
        if (BefIstObjekt(b.code)) {
            char p[80];
            std::snprintf(p, sizeof p, " @ %.2f %.2f", s.x, s.y);
            aus.push_back(BefZuText(&b) + p);
            if (masse) masse->push_back(s.mass);
        }
        SttAnwenden(&b, &s);
    }
    bdclose(&z.datei);
    return aus;
}
