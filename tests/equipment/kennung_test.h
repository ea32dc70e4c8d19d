// Shared fixture of the identifier, redefinition and work-layer tests: the
// store started with a defaults set of the test's own, the identifier
// services installed in model/'s table, and helpers that put items and
// placed entries straight into the lists.
#pragma once

#include <cstring>
#include <string>

#include "bmtest.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "model/dienste.h"

namespace kenntest {

struct KennTest : bmtest::BmTest {
    void starten(const std::string& vgb)
    {
        vorgaben("BMuse 1\n" + vgb);
        BMStart();
        NhuDiensteSetzen();
    }
    // An item with identifier text kg (and id given or next).
    uint32_t geraet(const char* kg, uint32_t id = 0, int defnr = 0)
    {
        appgeraet g{};
        g.id = id != 0 ? id : static_cast<uint32_t>(GesAnzahl() + 1);
        g.n1 = defnr;
        std::strncpy(g.kg, kg, GESKGSUP);
        EXPECT_EQ(GesEinfuegen(&g), 0);
        return g.id;
    }
    // An entry of item id; placed when the drawing key is not empty.
    void eintrag(uint32_t id, const char* cd, const char* bl, const char* ze, double x, double y, int nr = 0)
    {
        appbteil b{};
        b.id = id;
        std::strncpy(b.cd, cd, BTLCDSUP);
        std::strncpy(b.bl, bl, BTLTEXTSUP);
        std::strncpy(b.ze, ze, BTLTEXTSUP);
        b.platziert = ze[0] ? 1 : 0;
        b.x = x;
        b.y = y;
        b.nr = nr;
        EXPECT_EQ(BtlEintragAnhaengen(&b), 0);
    }
    uint32_t hauptGeraet(const char* kg, double x, double y, const char* ze = "001")
    {
        const uint32_t id = geraet(kg);
        eintrag(id, "H", "K", ze, x, y);
        return id;
    }
    std::string kennung(uint32_t id)
    {
        char t[HULKENNSUP + 1];
        NhuKennungHolen(t, sizeof t, id);
        return t;
    }
    std::string gebaut(uint32_t id, int* stufe = nullptr)
    {
        std::string s;
        const int st = BMKennungBilden(s, id);
        if (stufe) *stufe = st;
        return s;
    }
};

}  // namespace kenntest
