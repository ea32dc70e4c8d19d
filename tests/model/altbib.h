// Old libraries for the tests of the batch copier and the file update: a
// version-3 one-file library of n components, each the data of the fixture
// "BAUTEILE.AL3"'s MOTOR, laid out as the old reader expects (8-byte
// header, each component's 17-byte entry copy and data, the index last).
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/model/modelltest.h"

inline std::string altBib3(int n)
{
    const std::string quelle = mtLesen(mtFixture("BAUTEILE.AL3"));
    const std::string daten = quelle.substr(25, 12);
    auto w16 = [](int w) { return std::string{static_cast<char>(w & 0xFF), static_cast<char>((w >> 8) & 0xFF)}; };
    auto l32 = [&](long w) { return w16(static_cast<int>(w & 0xFFFF)) + w16(static_cast<int>((w >> 16) & 0xFFFF)); };
    std::string rumpf, index;
    for (int i = 0; i < n; ++i) {
        char name[11] = {};
        std::snprintf(name, sizeof name, "B%03d", i % 1000);
        const long pos = 8 + static_cast<long>(rumpf.size());
        const std::string eintrag = std::string(name, 11) + l32(pos) + w16(static_cast<int>(daten.size()));
        rumpf += eintrag + daten;
        index += eintrag;
    }
    return w16(3) + w16(n) + l32(8 + static_cast<long>(rumpf.size())) + rumpf + index;
}
