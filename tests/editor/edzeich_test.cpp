// The editor's element walker on a recording device: layers, markers, the
// text display levels, standard-text blocks, text placement and the
// triangle; the shown text; the wait cursor.
#include "editor/edzeich.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/befausf.h"
#include "model/einstell.h"
#include "model/stndtext.h"
#include "output/element.h"
#include "tests/editor/edtest.h"
#include "winlib/anwdaten.h"

namespace {

std::vector<std::string> spur;
int zuKlein = 0;

std::string zahl(double d)
{
    char t[32];
    std::snprintf(t, sizeof t, "%g", d);
    return t;
}

int rStift(void*, int, const STT*) { return 1; }
void rLinie(void*, double x1, double y1, double x2, double y2)
{
    spur.push_back("linie " + zahl(x1) + " " + zahl(y1) + " " + zahl(x2) + " " + zahl(y2));
}
void rRechteck(void*, double, double, double, double, int f) { spur.push_back(f ? "rechteck voll" : "rechteck"); }
void rPolygon(void*, const double* p, int n, int f)
{
    std::string s = std::string(f ? "polygon voll" : "polygon") + " " + std::to_string(n);
    for (int i = 0; i < 2 * n; ++i) s += " " + zahl(p[i]);
    spur.push_back(s);
}
void rEllipse(void*, double, double, double, double, int) { spur.push_back("ellipse"); }
void rSchrift(void*, int, int, double, double) {}
int rZuKlein(void*) { return zuKlein; }
// Every letter one unit wide and high.
void rGroesse(void*, const char* t, double* w, double* h)
{
    *w = static_cast<double>(std::strlen(t));
    *h = 1;
}
void rZeile(void*, double x, double y, const char* t, int)
{
    spur.push_back("text " + zahl(x) + " " + zahl(y) + " " + t);
}
void rMarke(double x, double y, int pixel)
{
    spur.push_back("marke " + zahl(x) + " " + zahl(y) + " " + std::to_string(pixel));
}

ELEMGERAET geraet = {nullptr, rStift,   rLinie,  rRechteck, rPolygon, rEllipse, nullptr, nullptr, rSchrift,
                     rZuKlein, rGroesse, rZeile, nullptr,   nullptr,  ELEM_PLATZ_KEINE,  nullptr, 0, 0, {}};

BEF rec(int code, std::vector<double> d = {}, const char* text = nullptr, std::vector<int> i = {})
{
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(code);
    for (size_t k = 0; k < d.size(); ++k) b.darg[k] = d[k];
    for (size_t k = 0; k < i.size(); ++k) b.iarg[k] = i[k];
    if (text) BefTextSetzen(&b, text);
    return b;
}

STT start()
{
    STT s;
    SttInit(&s, nullptr);
    s.x = 10;
    s.y = 20;
    s.mass = 1;
    s.richtung = 0;
    s.tr = 0;
    s.layer = 1;
    s.tg = 1;
    s.th = 1;
    s.tv = 1;
    std::snprintf(s.td, sizeof s.td, "EDZ.TXT");
    return s;
}

struct EdzTest : ::testing::Test {
    EdOrdner o;
    std::filesystem::path alt;
    void SetUp() override
    {
        alt = std::filesystem::current_path();
        std::filesystem::current_path(o.p);
        zuruecksetzen();
    }
    // A fresh text file, device and flags for each case.
    void zuruecksetzen()
    {
        StndTextEnde();
        std::ofstream(o.pfad("EDZ.TXT")) << "BLOCK  erste\n       zweite\n";
        StndTextInit();
        EdzGeraetSetzen(&geraet, rMarke);
        BEFFLAGS* f = BefFlags();
        f->vrz = f->qba = f->uba = 0;
        f->ta = 2;
        f->tm = 2;
        f->tda = 1;
        f->ata = f->qva = 1;
        for (int l = 1; l <= LAYERSUP; ++l) LayerSichtSetzen(l, 1);
        zuKlein = 0;
        spur.clear();
    }
    void TearDown() override
    {
        EdzGeraetSetzen(nullptr, nullptr);
        StndTextEnde();
        for (int l = 1; l <= LAYERSUP; ++l) LayerSichtSetzen(l, 1);
        std::filesystem::current_path(alt);
    }
};

using V = std::vector<std::string>;

TEST_F(EdzTest, EdgeCasesOfTheWalker)
{
    struct Fall {
        const char* was;
        std::function<void()> vorher;
        BEF b;
        V soll;
        bool baubf = false;
    } faelle[] = {
        {"a hidden layer draws nothing, markers included", [] { LayerSichtSetzen(1, 0); BefFlags()->vrz = 1; },
         rec(90), {}},
        {"VAR without VRZ", [] {}, rec(90), {}},
        {"VAR with VRZ", [] { BefFlags()->vrz = 1; }, rec(90), {"marke 10 20 3"}},
        {"QVW without VRZ", [] {}, rec(91, {}, nullptr, {7}), {}},
        {"QVW with VRZ: marker and number", [] { BefFlags()->vrz = 1; }, rec(91, {}, nullptr, {7}),
         {"marke 10 20 3", "text 10 20 7"}},
        {"QVB without VRZ, with QBA: only the rectangle", [] { BefFlags()->qba = 1; }, rec(92, {4, 2, 1, 1}),
         {"rechteck"}},
        {"QVB without both", [] {}, rec(92, {4, 2, 1, 1}), {}},
        {"TA 0: neither text nor frame", [] { BefFlags()->ta = 0; }, rec(50, {}, "Hallo"), {}},
        {"TA 1: the frame", [] { BefFlags()->ta = 1; }, rec(50, {}, "Hallo"),
         {"polygon 4 10 21 10 20 15 20 15 21"}},
        {"TA 2: the text", [] {}, rec(50, {}, "Hallo"), {"text 10 20 Hallo"}},
        {"TA 2, too small: the frame", [] { zuKlein = 1; }, rec(50, {}, "Hallo"),
         {"polygon 4 10 21 10 20 15 20 15 21"}},
        {"TM 1 frames the element under construction", [] { BefFlags()->tm = 1; }, rec(50, {}, "Hallo"),
         {"polygon 4 10 21 10 20 15 20 15 21"}, true},
        {"S text block@more with TDA", [] {}, rec(54, {}, "BLOCK@ mehr"),
         {"text 10 20 erste mehr", "text 10 18 zweite"}},
        {"S text without TDA as it stands", [] { BefFlags()->tda = 0; }, rec(54, {}, "BLOCK@ mehr"),
         {"text 10 20 BLOCK@ mehr"}},
        {"F text never expanded", [] {}, rec(50, {}, "BLOCK"), {"text 10 20 BLOCK"}},
        // Three lines, centred vertically: f = -4, h = 1, dy = 1.5; width 6 letters.
        {"three lines centred", [] { std::ofstream("EDZ.TXT") << "DREI  a\n      b\n      c\n"; },
         rec(57, {}, "DREI"), {"text 9.5 21.5 a", "text 9.5 19.5 b", "text 9.5 17.5 c"}},
        {"DRE outline", [] {}, rec(63, {3, 0, 0, 3}, nullptr, {0}), {"polygon 3*"}},
        {"DRE filled", [] {}, rec(63, {3, 0, 0, 3}, nullptr, {1}), {"polygon voll 3*"}},
    };
    for (Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        zuruecksetzen();
        f.vorher();
        STT s = start();
        if (f.baubf) {
            BaubfZeichnen(&f.b, &s);
            // The stored text under the same settings is drawn.
            EXPECT_EQ(BefFlags()->ta, 2);
            EXPECT_EQ(BefFlags()->vrz, 0);
        } else {
            ObjZeichnen(&f.b, &s, 0);
        }
        // "*" ends a wanted line whose rest (the corners) is not compared.
        ASSERT_EQ(spur.size(), f.soll.size());
        for (size_t i = 0; i < spur.size(); ++i) {
            const std::string& w = f.soll[i];
            if (!w.empty() && w.back() == '*') EXPECT_EQ(spur[i].rfind(w.substr(0, w.size() - 1) + " ", 0), 0u) << spur[i];
            else EXPECT_EQ(spur[i], w);
        }
    }
}

TEST_F(EdzTest, MarkedObjectsGetThePointMarkerTextsOnlyWhenPlaceable)
{
    struct Fall {
        BEF b;
        size_t marken;
    } faelle[] = {
        {rec(40, {5, 0}), 1},
        {rec(50, {}, "Text"), 1},
        {rec(50, {}, "   "), 0},
        {rec(50, {}, "@Y12AB"), 0},
    };
    for (const Fall& f : faelle) {
        spur.clear();
        STT s = start();
        ObjZeichnen(&f.b, &s, 1);
        EXPECT_EQ(static_cast<size_t>(std::count(spur.begin(), spur.end(), "marke 10 20 5")), f.marken) << f.b.text;
    }
}

TEST_F(EdzTest, ShownText)
{
    STT s = start();
    struct Fall {
        int ta, ata, qva;
        const char* text;
        const char* soll;
    } faelle[] = {
        {0, 1, 1, "abc", ""},
        {2, 1, 1, "abc", "abc"},
        {2, 1, 1, "\x01xabc", "abc"},
        {2, 0, 1, "\x01xabc", ""},
        {2, 0, 1, "@Y12ABL", ""},
    };
    for (const Fall& f : faelle) {
        BefFlags()->ta = f.ta;
        BefFlags()->ata = f.ata;
        BefFlags()->qva = f.qva;
        char t[EDZTEXTSUP + 1];
        TextAnzeige(t, sizeof t, f.text, &s);
        EXPECT_STREQ(t, f.soll) << f.text;
    }
}

TEST_F(EdzTest, NestedWaitKeepsTheCursorUntilTheLastLevel)
{
    Warten(1);
    Warten(1);
    EXPECT_EQ(WartenStufe(), 2);
    Warten(0);
    EXPECT_EQ(WartenStufe(), 1);
    Warten(0);
    Warten(0);
    EXPECT_EQ(WartenStufe(), 0) << "an extra end keeps the counter at 0";
}

}  // namespace
