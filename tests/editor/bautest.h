// Helpers of the construction, picking, key and clipboard tests: the store
// fixture with the editor's command execution and an idle construction, and
// the queued records taken out in their text form.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "editor/baubf.h"
#include "editor/befausf.h"
#include "tests/model/tztest.h"

struct BauTest : TzTest {
    void SetUp() override
    {
        TzTest::SetUp();
        BefAusfInit();
        BefAusfHakenSetzen();
        STT s = tzStart();
        ZustandSetzen(&s);
        BefStartZustandSetzen(&s);
        BaubfZuruecksetzen();
    }
    void TearDown() override
    {
        BaubfZuruecksetzen();
        TzTest::TearDown();
    }
    // The queued records in text form, taken out of the queue.
    std::vector<std::string> schlange()
    {
        std::vector<std::string> v;
        while (BefAnzahl() > 0) {
            BEF b;
            BefVorne(&b);
            BefEntfernen();
            v.push_back(kurz(b));
        }
        return v;
    }
    // "MNEMONIC i.. d.." with the integers and reals the code uses ("%g").
    static std::string kurz(const BEF& b)
    {
        std::string t = b.code == 0 ? "0" : BefName(b.code);
        char z[40];
        // `BW` and `_BA` carry their mark flag outside the table's columns.
        const int ni = (b.code == 20 || b.code == 21) ? 1 : BefAnzInt(b.code);
        for (int i = 0; i < ni; ++i) t += " " + std::to_string(b.iarg[i]);
        // The pick commands carry their point outside the table's columns.
        const int nr = (b.code == 185 || b.code == 186) ? 2 : BefAnzReal(b.code);
        for (int i = 0; i < nr; ++i) {
            std::snprintf(z, sizeof z, " %g", b.darg[i]);
            t += z;
        }
        if (BefHatText(b.code)) t += std::string(" '") + b.text + "'";
        return t;
    }
    // The editor's current position.
    void position(double x, double y)
    {
        BefAktZustand()->x = x;
        BefAktZustand()->y = y;
    }
};
