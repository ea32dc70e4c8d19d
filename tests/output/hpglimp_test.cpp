// HPGL import: hand-written plot files become drawings whose records match
// golden text forms; the edge cases of moves, scaling, pens, text cells,
// labels, arcs, rectangles and clipping are checked on the drawn objects
// with their absolute positions; the placement keys under "HI" move, turn
// and scale; bad numbers, huge values, long and unterminated labels and cut
// files stay bounded; failures warn and leave no file behind.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "config/vorgaben.h"
#include "model/befehl.h"
#include "model/einstell.h"
#include "model/justage.h"
#include "model/zeichnun.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "output/hpglimp.h"
#include "platform/fehlersim.h"
#include "platform/nachrichtbox.h"
#include "tests/output/zeiobjekte.h"
#include "tests/platform/golden_pruef.h"
#include "winlib/langdlg.h"

namespace {

namespace fs = std::filesystem;

std::string daten(const std::string& name)
{
    return std::string(VELMO_TEST_DATA) + "/output/hpgl/" + name;
}

std::string lesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void schreiben(const std::string& pfad, const std::string& inhalt)
{
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f << inhalt;
}

// Window of the sheet A3 without placement.
const double A3[4] = {0, 0, 420, 297};
const double WEIT[4] = {-1e9, -1e9, 1e9, 1e9};

class HpglImp : public ::testing::Test {
protected:
    fs::path ordner;

    void SetUp() override
    {
        static std::atomic<int> nr{0};
        ordner = fs::temp_directory_path() / ("velmo-hpgl-" + std::to_string(getpid()) + "-" + std::to_string(nr++));
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        VgbFehlMeldung(0);
        VgbSetSetzen("Hpgl", daten("Hpgl.vgb").c_str());
        GrundEinstLesen(nullptr);
        plNachrichtBoxFragenLeeren();
        fenster(A3);
    }
    void TearDown() override
    {
        plFehlerAllesAus();
        VgbPraefix("");
        VgbFehlMeldung(1);
        fs::remove_all(ordner);
    }

    static void fenster(const double f[4], JusTrafo t = {0, 0.0, 0.0, 1.0}) { HpglImpEinstellen(&t, f); }

    std::string pfad(const std::string& name) const { return (ordner / name).string(); }

    // Imports a plot text; the drawing's path.
    std::string importieren(const std::string& plot)
    {
        schreiben(pfad("ein.plt"), plot);
        EXPECT_EQ(HpglImport(pfad("ein.plt").c_str(), pfad("neu.zvk").c_str()), 0);
        return pfad("neu.zvk");
    }

    // The drawing's records in text form, one per line.
    std::string alsText(const std::string& zeichnung)
    {
        EXPECT_EQ(ZeiAlsText(zeichnung.c_str(), pfad("text.txt").c_str()), 0);
        return lesen(pfad("text.txt"));
    }

    // Every drawing object as "<text form> @ x y" with the absolute position
    // of the state in force, walking the stored records from a fresh state.
    std::vector<std::string> objekte(const std::string& zeichnung)
    {
        return zeiObjekte(zeichnung);
    }

    // The state in force at the first object of the given code.
    STT zustandBei(const std::string& zeichnung, int code)
    {
        STT s;
        std::memset(&s, 0, sizeof s);
        SttInit(&s, nullptr);
        ZeiDatei z;
        if (ZeiDateiLesend(&z, zeichnung.c_str()) != 0) {
            ADD_FAILURE() << "cannot read " << zeichnung;
            return s;
        }
        BEF b;
        while (ZeiBefLesen(&z, &b) == 0 && b.code != code) SttAnwenden(&b, &s);
        EXPECT_EQ(b.code, code);
        bdclose(&z.datei);
        return s;
    }

    // Whether every floating-point argument stored in the drawing is finite.
    static bool allesEndlich(const std::string& zeichnung)
    {
        ZeiDatei z;
        if (ZeiDateiLesend(&z, zeichnung.c_str()) != 0) return false;
        BEF b;
        bool endlich = true;
        int n = 0;
        for (; ZeiBefLesen(&z, &b) == 0; ++n)
            for (double d : b.darg) endlich = endlich && std::isfinite(d);
        bdclose(&z.datei);
        return endlich && n > 0;
    }

    std::vector<std::string> warnungen()
    {
        std::vector<std::string> w;
        for (const auto& f : plNachrichtBoxFragen()) w.push_back(f.text);
        return w;
    }

    std::vector<std::string> dateien()
    {
        std::vector<std::string> n;
        for (const auto& e : fs::directory_iterator(ordner)) n.push_back(e.path().filename().string());
        std::sort(n.begin(), n.end());
        return n;
    }
};

std::string befText(int code, std::initializer_list<int> i, std::initializer_list<double> d, const char* t = "")
{
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(code);
    int k = 0;
    for (int v : i) b.iarg[k++] = v;
    k = 0;
    for (double v : d) b.darg[k++] = v;
    BefTextSetzen(&b, t);
    return BefZuText(&b);
}

std::string zl(double dx, double dy) { return befText(40, {}, {dx, dy}); }

TEST_F(HpglImp, FixturesGiveTheGoldenRecords)
{
    for (const char* name : {"linien", "boegen", "texte"}) {
        std::string ist = alsText(importieren(lesen(daten(std::string(name) + ".plt"))));
        EXPECT_TRUE(golden::text(daten(std::string(name) + ".txt"), ist)) << name;
        EXPECT_TRUE(warnungen().empty()) << name;
    }
}

TEST_F(HpglImp, MovesDrawLinesInMillimetresAndLeaveThePen)
{
    // Two lines of 25 mm; the circle shows the pen at (25, 25).
    auto o = objekte(importieren("IN;PA0,0;PD1000,0,1000,1000;CI40;"));
    ASSERT_EQ(o.size(), 3u);
    EXPECT_EQ(o[0], zl(25, 0) + " @ 0.00 0.00");
    EXPECT_EQ(o[1], zl(0, 25) + " @ 25.00 0.00");
    EXPECT_EQ(o[2].substr(o[2].find('@')), "@ 25.00 25.00");

    // No terminator: the command ends at the first letter after its pairs;
    // relative pairs, blanks as separators, lower case and a blank after
    // the mnemonic.
    o = objekte(importieren("pa400,400pd400,0PU;PR 400,0 0,400;PD -400,0PA;PU0,0"));
    ASSERT_EQ(o.size(), 2u);
    EXPECT_EQ(o[0], zl(0, -10) + " @ 10.00 10.00");
    EXPECT_EQ(o[1], zl(-10, 0) + " @ 20.00 10.00");

    // A list of ten pairs is ten moves.
    o = objekte(importieren("PA0,0;PD40,0,80,0,120,0,160,0,200,0,240,0,280,0,320,0,360,0,400,0;"));
    EXPECT_EQ(o.size(), 10u);

    // The last command of a file without its terminator still runs.
    o = objekte(importieren("PA0,0;PD400,0"));
    EXPECT_EQ(o, std::vector<std::string>{zl(10, 0) + " @ 0.00 0.00"});
}

TEST_F(HpglImp, UserScalingMapsOntoP1AndP2)
{
    fenster(WEIT);
    auto o = objekte(importieren("SC0,100,0,100;PU100,100;CI1;PU0,0;CI1;"));
    ASSERT_EQ(o.size(), 2u);
    EXPECT_NE(o[0].find("@ 1043.00 740.00"), std::string::npos) << o[0];
    EXPECT_NE(o[1].find("@ 43.00 20.00"), std::string::npos) << o[1];
    // IP moves P1 and P2 (plotter units), but not while scaling is on.
    o = objekte(importieren("IP0,0,4000,4000;SC0,10,0,10;IP;PU5,5;CI1;SC;IP;SC0,10,0,10;PU5,5;CI1;"));
    ASSERT_EQ(o.size(), 2u);
    EXPECT_NE(o[0].find("@ 50.00 50.00"), std::string::npos) << o[0];
    EXPECT_NE(o[1].find("@ 543.00 380.00"), std::string::npos) << o[1];
    // An empty range leaves scaling off: plotter units again.
    o = objekte(importieren("SC0,0,0,100;PU400,800;CI1;"));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_NE(o[0].find("@ 10.00 20.00"), std::string::npos) << o[0];
}

TEST_F(HpglImp, PensLineTypesAndTextCells)
{
    struct Fall {
        const char* plot;
        int st, sa;
    } faelle[] = {
        {"SP12;LT;PD400,0;", 8, 7},
        {"SP3;SP0;LT-4;PD400,0;", 3, 4},
        {"SP-2;LT9;PD400,0;", 1, 7},
    };
    for (const Fall& f : faelle) {
        STT s = zustandBei(importieren(f.plot), BEF_ZL);
        EXPECT_EQ(s.st, f.st) << f.plot;
        EXPECT_EQ(s.sa, f.sa) << f.plot;
    }
    // Decimal commas; the width factor is 1.5 w / h.
    STT s = zustandBei(importieren("SI0,25,0,35;DI-1,0;LBx\003PU;"), 50);
    EXPECT_DOUBLE_EQ(s.tg, 3.5);
    EXPECT_NEAR(s.tv, 1.5 * 0.25 / 0.35, 1e-9);
    EXPECT_EQ(s.tr, 1800);
    // Relative cell and direction in percent of P2 - P1 (1000 x 720 mm).
    s = zustandBei(importieren("SR1,2;DR1,1;LBx\003PU;"), 50);
    EXPECT_NEAR(s.tg, 0.25 * 14.4, 1e-9);
    EXPECT_NEAR(s.tv, 1.5 * 10 / 14.4, 1e-9);
    EXPECT_EQ(s.tr, 358);
    // A cell without height keeps the width factor: no division by zero.
    s = zustandBei(importieren("SI0.2,0.3;SI1,0;LBx\003PU;"), 50);
    EXPECT_DOUBLE_EQ(s.tg, 1.0);  // the smallest text size
    EXPECT_NEAR(s.tv, 1.0, 1e-9);
}

TEST_F(HpglImp, LabelsCollectAndDrawBeforeTheNextCommand)
{
    // The label is drawn when the next non-label command comes, not before.
    auto o = objekte(importieren("PA400,400;DT#;LBab#CP2;LBc#CS33;SS;LB[\\]@{|}~#PU;"));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_EQ(o[0], befText(50, {}, {}, "ab#  c#\xC4\xD6\xDC\xA7\xE4\xF6\xFC\xDF#") + " @ 10.00 10.00");

    // The alternate set, and set 7 for accented letters.
    o = objekte(importieren("CA7;CS2;LB\\{\003SA;LB!R\003SS;LB\\\003PU;"));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_EQ(o[0], befText(50, {}, {}, "\xE7 \xC0\xD8\xE7") + " @ 0.00 0.00");

    // Sets 34 and 1; an unknown set and codes above 127 stay as they are.
    o = objekte(importieren("CS34;LB#\003CS1;LB\\\003CS99;LB\\\xE4\003PU;"));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_EQ(o[0], befText(50, {}, {}, "\xA3 \\\xE4") + " @ 0.00 0.00");

    // A label still collected at the end of the file is drawn; one whose
    // terminator never came is dropped.
    EXPECT_EQ(objekte(importieren("LBEnde\003")).size(), 1u);
    EXPECT_TRUE(objekte(importieren("LBEnde\003PU;LBohne Ende")).size() == 1u);

    // Outside the window the label is not drawn, and not kept either.
    o = objekte(importieren("PA-400,0;LBweg\003PA400,0;PU;LBda\003SP1;"));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_EQ(o[0], befText(50, {}, {}, "da") + " @ 10.00 0.00");

    // Symbol mode marks the end of every drawn line.
    o = objekte(importieren("SM*;PD400,0;SM;PD800,0;"));
    ASSERT_EQ(o.size(), 3u);
    EXPECT_EQ(o[1], befText(53, {}, {}, "*") + " @ 10.00 0.00");
}

TEST_F(HpglImp, ArcsRectanglesAndTheWindow)
{
    fenster(std::array<double, 4>{0, 0, 100, 100}.data());
    // An arc whose start lies outside is not written and the pen stays.
    auto o = objekte(importieren("PA8000,0;AA4000,0,90;PR-6000,0;CI40;"));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_EQ(o[0], befText(67, {}, {1, 1}) + " @ 50.00 0.00");
    // A rectangle to the pen itself writes nothing; one with any corner in
    // the window is written whole.
    o = objekte(importieren("PA400,400;EA400,400;RA8000,8000;"));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_EQ(o[0], befText(68, {1}, {190, 190}) + " @ 10.00 10.00");
    // Clipping: onto both edges; a line passing the corner outside is dropped.
    o = objekte(importieren("PA-4000,2000;PD8000,2000;PU-2000,3600;PD400,6000;"));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_EQ(o[0], zl(100, 0) + " @ 0.00 50.00");
    // After a tick the next circle is at the pen, not at the tick's end.
    o = objekte(importieren("PA400,400;XT;YT;CI40;"));
    ASSERT_EQ(o.size(), 3u);
    EXPECT_EQ(o[2], befText(67, {}, {1, 1}) + " @ 10.00 10.00");
    // More than a full turn is one full turn.
    o = objekte(importieren("PA800,400;AA400,400,1000000;"));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_EQ(o[0], befText(64, {0, 3600}, {10, 10}) + " @ 10.00 10.00");
}

TEST_F(HpglImp, PlacementKeysMoveTurnAndScale)
{
    VgbPraefix("");
    JusTrafo t;
    double f[4];
    HpglImpEinstLesen(&t, f);
    EXPECT_EQ(t.drehung, 1);
    EXPECT_EQ(t.x, 10.0);
    EXPECT_EQ(t.y, -5.0);
    EXPECT_EQ(t.mass, 2.0);
    EXPECT_EQ(f[0], 0.0);
    EXPECT_EQ(f[2], 200.0);
    EXPECT_EQ(f[3], 150.0);
    VgbOeffnen();
    EXPECT_EQ(VgbInt("JusR"), 3);  // the prefix is off again
    VgbSchliessen();
    HpglImpEinstellen(&t, f);
    // (10, 0) turns to (0, 10), doubles to (0, 20) and moves by (10, -5);
    // radii stay sizes under the quarter turn.
    auto o = objekte(importieren("PA0,0;PD400,0;CI200;AA0,0,90;"));
    ASSERT_EQ(o.size(), 3u);
    EXPECT_EQ(o[0], zl(0, 20) + " @ 10.00 -5.00");
    EXPECT_EQ(o[1], befText(67, {}, {10, 10}) + " @ 10.00 15.00");
    EXPECT_EQ(o[2], befText(64, {900, 1800}, {20, 20}) + " @ 10.00 -5.00");
}

TEST_F(HpglImp, BadNumbersHugeValuesAndLongTextsStayBounded)
{
    fenster(WEIT);
    // A number is read up to its separator: its leading number counts,
    // what is no number and values out of range read 0, a '+' is allowed.
    const std::string riesig(400, '9'), gross(20, '9');
    auto o = objekte(importieren("PA40.0.7,--5;CI40;PA+400," + riesig + ";CI40;"));
    ASSERT_EQ(o.size(), 2u);
    EXPECT_NE(o[0].find("@ 1.00 0.00"), std::string::npos) << o[0];
    EXPECT_NE(o[1].find("@ 10.00 0.00"), std::string::npos) << o[1];
    // Huge values are held at the plotter's range, a scaling range too
    // small to divide by leaves scaling off: every stored value is finite.
    const std::string weit = importieren("PD" + gross + ",-" + gross + ";SC0,0.0000000001,0,1;PR" + gross + "," +
                                         gross + ";SI" + gross + ",0.0000000001;CI" + gross + ";AR" + gross +
                                         ",0,2147483647;EW" + gross + ",-2147483648,2147483647;LBx\003PU;");
    o = objekte(weit);
    EXPECT_EQ(o.size(), 8u);
    EXPECT_TRUE(allesEndlich(weit));
    // A label and a command far longer than their buffers.
    const std::string lang(5000, 'x');
    o = objekte(importieren("LB" + lang + "\003PU;PD" + std::string(3000, '4') + ",0;PD400,0;"));
    ASSERT_EQ(o.size(), 2u);
    EXPECT_EQ(o[0], befText(50, {}, {}, std::string(BEFTEXTSUP, 'x').c_str()) + " @ 0.00 0.00");
    EXPECT_EQ(o[1], zl(10, 0) + " @ 0.00 0.00");
    // Unknown commands, escape sequences and a cut file run without harm.
    o = objekte(importieren("ZZ1,2;\033.@1000:\033.Y\033.J;PA400,400;PD800,8"));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_EQ(o[0], zl(10, -9.8) + " @ 10.00 10.00");
}

TEST_F(HpglImp, FailuresWarnAndLeaveNoDrawing)
{
    EXPECT_EQ(HpglImport(pfad("fehlt.plt").c_str(), pfad("neu.zvk").c_str()), -1);
    EXPECT_EQ(warnungen(), std::vector<std::string>{"Kann " + pfad("fehlt.plt") + " nicht lesen"});
    EXPECT_TRUE(dateien().empty());

    schreiben(pfad("ein.plt"), "IN;PD400,0;PD800,0;");
    struct Fall {
        PlFehlerArt art;
        int n;
    } faelle[] = {
        {PlFehlerArt::Oeffnen, 2},     // the drawing cannot be made
        {PlFehlerArt::Schreiben, 1},   // a record cannot be written
        {PlFehlerArt::Umbenennen, 1},  // the finished file cannot take its name
        {PlFehlerArt::Lesen, 1},       // the plot file cannot be read to its end
    };
    for (const Fall& f : faelle) {
        plNachrichtBoxFragenLeeren();
        plFehlerSetzen(f.art, f.n, true);
        EXPECT_EQ(HpglImport(pfad("ein.plt").c_str(), pfad("neu.zvk").c_str()), -1);
        plFehlerAllesAus();
        const bool lesen = f.art == PlFehlerArt::Lesen;
        EXPECT_EQ(warnungen(), std::vector<std::string>{"Kann " + pfad(lesen ? "ein.plt" : "neu.zvk") +
                                                        (lesen ? " nicht lesen" : " nicht anlegen")});
        EXPECT_EQ(wiLangTiefe(), 0);
        EXPECT_EQ(dateien(), std::vector<std::string>{"ein.plt"}) << static_cast<int>(f.art);
    }
    // Made under a temporary name: afterwards only the drawing is there.
    ASSERT_EQ(HpglImport(pfad("ein.plt").c_str(), pfad("neu.zvk").c_str()), 0);
    EXPECT_EQ(dateien(), (std::vector<std::string>{"ein.plt", "neu.zvk"}));
    ZeiDatei z;
    ASSERT_EQ(ZeiDateiLesend(&z, pfad("neu.zvk").c_str()), 0);
    EXPECT_EQ(ZeiFormat(&z), 116);
    bdclose(&z.datei);
}

TEST_F(HpglImp, SizeCommandsWithoutParametersRestoreTheDefaultCell)
{
    // The cell after IN (from the default P1-P2, held at the largest size),
    // not the smallest size that a cell of 0 x 0 would give.
    const STT vorher = zustandBei(importieren("IN;LBx\003PU;"), 50);
    EXPECT_DOUBLE_EQ(vorher.tg, 100.0);
    for (const char* plot : {"SI0.5,0.7;SI;LBx\003PU;", "SR1,2;SR;LBx\003PU;", "SI0.5,0.7;SR;LBx\003PU;"}) {
        const STT s = zustandBei(importieren(plot), 50);
        EXPECT_DOUBLE_EQ(s.tg, vorher.tg) << plot;
        EXPECT_DOUBLE_EQ(s.tv, vorher.tv) << plot;
    }
}

// Every object of a walk: code, scale, position and its first two doubles.
struct Gesehen {
    int code;
    double mass, x, y, d0, d1;
};
std::vector<Gesehen>* hiGesehen = nullptr;

int hiSehen(const BEF* b, const STT* s)
{
    if (BefIstObjekt(b->code)) hiGesehen->push_back({b->code, s->mass, s->x, s->y, b->darg[0], b->darg[1]});
    return 0;
}

TEST_F(HpglImp, SizesMatchPositionsWhateverTheStartScale)
{
    for (const char* ms : {"25", "0", "10"}) {
        std::string satz = lesen(daten("Hpgl.vgb"));
        satz.replace(satz.find("ZvMS     10"), 11, std::string("ZvMS     ") + ms);
        schreiben(pfad("Hpgl.vgb"), satz);
        VgbSetSetzen("Hpgl", pfad("Hpgl.vgb").c_str());
        GrundEinstLesen(nullptr);
        const std::string z = importieren("IN;PA400,400;PD800,400;PU;PA1200,400;CI200;");
        std::vector<Gesehen> g;
        hiGesehen = &g;
        STT s;
        std::memset(&s, 0, sizeof s);
        SttInit(&s, nullptr);
        EXPECT_EQ(ZeiDurchlaufen(z.c_str(), &s, hiSehen), 0);
        hiGesehen = nullptr;
        ASSERT_EQ(g.size(), 2u) << ms;
        // A line of 10 mm from (10, 10) and a circle of radius 5 at (30, 10).
        EXPECT_EQ(g[0].code, BEF_ZL);
        EXPECT_DOUBLE_EQ(g[0].mass, 1.0) << ms;
        EXPECT_DOUBLE_EQ(g[0].x, 10.0) << ms;
        EXPECT_DOUBLE_EQ(g[0].x + g[0].mass * g[0].d0, 20.0) << ms;
        EXPECT_EQ(g[1].code, BEF_KRE);
        EXPECT_DOUBLE_EQ(g[1].x, 30.0) << ms;
        EXPECT_DOUBLE_EQ(g[1].mass * g[1].d0, 5.0) << ms;
        // The scale is the drawing's first record.
        ZeiDatei d;
        ASSERT_EQ(ZeiDateiLesend(&d, z.c_str()), 0);
        BEF b;
        ASSERT_EQ(ZeiBefLesen(&d, &b), 0);
        while (b.code == BEF_VER) ASSERT_EQ(ZeiBefLesen(&d, &b), 0);
        EXPECT_EQ(BefZuText(&b), "MS 1,0000");
        bdclose(&d.datei);
    }
}

TEST_F(HpglImp, TheShippedSetHoldsEveryKey)
{
    VgbSetSetzen("Standard", (std::string(VELMO_SOURCE_DIR) + "/data/Standard.vgb").c_str());
    VgbFehlMeldung(1);
    plNachrichtBoxFragenLeeren();
    JusTrafo t;
    double f[4];
    HpglImpEinstLesen(&t, f);
    VgbFehlendeMelden();
    EXPECT_TRUE(warnungen().empty()) << warnungen()[0];
    EXPECT_EQ(t.mass, 1.0);
    EXPECT_EQ(f[2], 1189.0);
    EXPECT_EQ(f[3], 841.0);
}

}  // namespace
