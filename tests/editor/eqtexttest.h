// Fixture of the equipment-text tests of the editor: the real store, queue
// and executor (TzTest with the editor's hooks), a component library
// "BAUTEILE.A" in a folder of its own, and record builders.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "editor/befausf.h"
#include "editor/edtaufrufe.h"
#include "model/zerleg.h"
#include "support/texte.h"
#include "tests/editor/edtaufrufprotokoll.h"
#include "tests/editor/edtest.h"
#include "tests/model/tztest.h"

inline constexpr int ET_BW = 20, ET_QVW = 91;

// Appends a component to "BAUTEILE.A" in the folder (made on first use); 0
// or -1. In its own file: the library's and the equipment's headers both
// name a BTLSUP.
int EqBauteilAufnehmen(const std::string& ordner, const char* name, const std::vector<BEF>& saetze);
void EqBauteileNeu();  // the library module's tables afresh

// Takes every record off the queue, front first.
inline std::vector<BEF> etAbholen()
{
    std::vector<BEF> v;
    while (BefAnzahl() > 0) {
        BEF b;
        BefVorne(&b);
        BefEntfernen();
        v.push_back(b);
    }
    return v;
}

struct EqTextTest : TzTest {
    EdOrdner o;
    void SetUp() override
    {
        TzTest::SetUp();
        BefAusfInit();
        BefAusfHakenSetzen();
        EqBauteileNeu();
        VerSetzen(2, o.p.c_str());
        STT s = start();
        EditorZustandSetzen(&s);
        ZustandSetzen(&s);
        BefStartZustandSetzen(&s);
        EdtAufrufProtokollStarten();
    }
    void TearDown() override
    {
        EqBauteileNeu();
        VerSetzen(2, "");
        TzTest::TearDown();
    }
    static STT start()
    {
        STT s = tzStart();
        strkopie(s.bd, sizeof s.bd, "A", 3);
        return s;
    }
    static STT bei(double x, double y)
    {
        STT s = start();
        s.x = x;
        s.y = y;
        return s;
    }
    // Appends a component to the library (made on first use).
    void bauteil(const char* name, const std::vector<BEF>& saetze) { ASSERT_EQ(EqBauteilAufnehmen(o.p.string(), name, saetze), 0); }
    // "name@(x,y)" of every placed component in drawing order.
    std::vector<std::string> bauteile()
    {
        std::vector<std::string> v;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            BEF b;
            STT s;
            TzObjHolen(id, &b, &s);
            char p[64];
            std::snprintf(p, sizeof p, "@(%g,%g)", s.x, s.y);
            if (b.code == TZ_ZB) v.push_back(std::string(b.text) + p);
        }
        return v;
    }
    // "x1,y1..x2,y2" of every line, ends rounded to 0.01, sorted.
    std::vector<std::string> strecken()
    {
        std::vector<std::string> v;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            BEF b;
            STT s;
            TzObjHolen(id, &b, &s);
            if (b.code != TZ_ZL) continue;
            STT n = s;
            BefZerlegen(&b, &n, nullptr);
            char t[96];
            auto r = [](double x) { return std::round(x * 100) / 100 + 0.0; };
            std::snprintf(t, sizeof t, "%g,%g..%g,%g", r(s.x), r(s.y), r(n.x), r(n.y));
            v.push_back(t);
        }
        std::sort(v.begin(), v.end());
        return v;
    }
    // "text@(x,y)" of every text element in drawing order.
    std::vector<std::string> textOrte()
    {
        std::vector<std::string> v;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            BEF b;
            STT s;
            TzObjHolen(id, &b, &s);
            if (!BefIstText(b.code)) continue;
            char p[64];
            std::snprintf(p, sizeof p, "@(%g,%g)", s.x, s.y);
            v.push_back(std::string(b.text) + p);
        }
        return v;
    }
};

// The equipment fixture of tests/equipment run inside another fixture.
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/nzustext.h"
#include "tests/equipment/bmtest.h"

struct EqBmHilfe : bmtest::BmTest {
    void TestBody() override {}
    void an()
    {
        SetUp();
        BMStart();
    }
    void aus() { TearDown(); }
};

// Adds equipment items, their entries and attached texts on a started store.
struct EqDatenTest : EqTextTest {
    EqBmHilfe bm;
    std::string ini, xdg;
    bool hatXdg = false;
    void SetUp() override
    {
        EqTextTest::SetUp();
        ini = IniPfadZeiger();
        if (const char* x = std::getenv("XDG_CONFIG_HOME")) {
            hatXdg = true;
            xdg = x;
        }
        bm.an();
        VerSetzen(2, o.p.c_str());  // the defaults set of bm.an() moved it
    }
    void TearDown() override
    {
        bm.aus();
        // The other editor tests keep the ini file they had.
        if (hatXdg)
            setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        IniPfadSetzen(ini.c_str());
        plIniCacheLeeren();
        EqTextTest::TearDown();
    }
    void geraet(uint32_t id, int art)
    {
        appgeraet g{};
        g.id = id;
        g.n1 = art;
        ASSERT_EQ(GesEinfuegen(&g), 0);
    }
    // An entry; placed (mark 1) on drawing key `ze` at (x, y) when ze is given.
    void eintrag(uint32_t id, const char* cd, int nr, const char* bl, const char* kb, const char* ze = nullptr,
                 double x = 0, double y = 0, const char* bs = "")
    {
        appbteil b{};
        b.id = id;
        strkopie(b.cd, sizeof b.cd, cd, 8);
        strkopie(b.bl, sizeof b.bl, bl, 20);
        strkopie(b.kb, sizeof b.kb, kb, 20);
        b.nr = nr;
        strkopie(b.bs, sizeof b.bs, bs, 10);
        if (ze != nullptr) {
            b.platziert = 1;
            strkopie(b.ze, sizeof b.ze, ze, 20);
            b.x = x;
            b.y = y;
        }
        ASSERT_EQ(BtlEintragAnhaengen(&b), 0);
    }
};
