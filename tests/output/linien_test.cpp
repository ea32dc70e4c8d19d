// Line joining and the duplicate placement test on the real drawing store:
// joins and removals by the summed vector, lines that must stay apart, the
// suspended switch of the insert path, a short last line without partner,
// and placements compared ignoring case and by ZBW's first integer.
#include "output/linien.h"

#include "tests/model/tztest.h"

namespace {

constexpr int LN_BA = 21;  // absolute move

struct Linien : TzTest {
    void SetUp() override
    {
        TzTest::SetUp();
        LinienHakenEintragen();
    }
    // The lines of the store in drawing order as "x,y+dx,dy".
    std::vector<std::string> linien()
    {
        std::vector<std::string> v;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            BEF b;
            STT s;
            if (TzObjHolen(id, &b, &s) != 0 || b.code != TZ_ZL) continue;
            char t[80];
            std::snprintf(t, sizeof t, "%g,%g+%g,%g", s.x, s.y, b.darg[0], b.darg[1]);
            v.emplace_back(t);
        }
        return v;
    }
    // A line of vector (dx, dy) from (x, y) under a changed start state.
    int linieMit(double x, double y, double dx, double dy, const std::function<void(STT&)>& aendern)
    {
        BEF b = tzRec(TZ_ZL, {dx, dy});
        STT s = tzStt(x, y);
        aendern(s);
        return TzEinfuegen(&b, &s);
    }
};

TEST_F(Linien, TheLastLineJoinsTheFirstLineItContinues)
{
    using V = std::vector<std::string>;
    struct Fall {
        const char* was;
        std::function<void(Linien&)> aufbauen;
        V soll;
    } faelle[] = {
        {"end to start, same pen: one line of the summed length",
         [](Linien& t) { t.linie(10, 10, 20, 0), t.linie(30, 10, 15, 0); }, V{"10,10+35,0"}},
        {"running back exactly over its predecessor removes both",
         [](Linien& t) { t.linie(10, 10, 20, 0), t.linie(30, 10, -20, 0); }, V{}},
        {"the first partner in drawing order, not the nearest",
         [](Linien& t) { t.linie(10, 10, 20, 0), t.linie(10, 10, 20, 0), t.linie(30, 10, 5, 0); },
         V{"10,10+25,0", "10,10+20,0"}},
        {"start within 0.1 of the end",
         [](Linien& t) { t.linie(10, 10, 20, 0), t.linie(30.05, 10.05, 5, 0); }, V{"10,10+25,0"}},
        {"start 0.2 from the end",
         [](Linien& t) { t.linie(10, 10, 20, 0), t.linie(30.2, 10, 5, 0); }, V{"10,10+20,0", "30.2,10+5,0"}},
        {"not collinear", [](Linien& t) { t.linie(10, 10, 20, 0), t.linie(30, 10, 0, 5); },
         V{"10,10+20,0", "30,10+0,5"}},
        {"another layer",
         [](Linien& t) { t.linie(10, 10, 20, 0), t.linieMit(30, 10, 5, 0, [](STT& s) { s.layer = 2; }); },
         V{"10,10+20,0", "30,10+5,0"}},
        {"another dash length",
         [](Linien& t) { t.linie(10, 10, 20, 0), t.linieMit(30, 10, 5, 0, [](STT& s) { s.sl = 2; }); },
         V{"10,10+20,0", "30,10+5,0"}},
        {"another pen",
         [](Linien& t) { t.linie(10, 10, 20, 0), t.linieMit(30, 10, 5, 0, [](STT& s) { s.st = 3; }); },
         V{"10,10+20,0", "30,10+5,0"}},
        {"the last object is not a line",
         [](Linien& t) { t.linie(10, 10, 20, 0), t.linie(30, 10, 5, 0), t.text(50, 50, "T"); },
         V{"10,10+20,0", "30,10+5,0"}},
        // The last line is never its own partner: too short to count as a
        // vector, it would otherwise be deleted twice.
        {"a 0.05-long last line without partner stays",
         [](Linien& t) { t.linie(10, 10, 0, 20), t.linie(50, 50, 0.05, 0); }, V{"10,10+0,20", "50,50+0.05,0"}},
        {"a lone line", [](Linien& t) { t.linie(10, 10, 0.05, 0); }, V{"10,10+0.05,0"}},
    };
    for (auto& f : faelle) {
        starten(1);
        LinienHakenEintragen();
        f.aufbauen(*this);
        LinienVerbinden();
        EXPECT_EQ(linien(), f.soll) << f.was;
    }
}

TEST_F(Linien, SuspendedLinesStaySeparateAndResumingJoinsOnlyTheLast)
{
    LinienVerbindenAus();
    befehle({tzRec(LN_BA, {10, 10})});
    for (int i = 0; i < 3; ++i) befehle({tzRec(TZ_ZL, {10, 0})});
    EXPECT_EQ(linien(), (std::vector<std::string>{"10,10+10,0", "20,10+10,0", "30,10+10,0"}));
    LinienVerbinden();
    EXPECT_EQ(linien(), (std::vector<std::string>{"10,10+10,0", "20,10+20,0"}));
    befehle({tzRec(TZ_ZL, {5, 0})});  // joining is on again for the insert path
    EXPECT_EQ(linien(), (std::vector<std::string>{"10,10+10,0", "20,10+25,0"}));
}

TEST_F(Linien, APlacementThatStandsThereIsFoundIgnoringCase)
{
    STT hier = tzStt(100, 100);
    BEF k1 = tzRec(TZ_ZB, {}, "K1");
    ASSERT_GE(TzEinfuegen(&k1, &hier), 0);
    BEF zbw = tzRec(81, {}, "S1", {2});
    ASSERT_GE(TzEinfuegen(&zbw, &hier), 0);
    struct Fall {
        int code;
        const char* text;
        int int0;
        double x, y;
        int soll;
    } faelle[] = {
        {TZ_ZB, "k1", 0, 100.4, 99.6, 1},   // case ignored, within 0.5
        {TZ_ZB, "K1", 0, 100.5, 100, 0},    // strictly within 0.5
        {TZ_ZB, "K2", 0, 100, 100, 0},      // another text
        {82, "K1", 0, 100, 100, 0},         // another code
        {81, "S1", 2, 100.4, 100, 1},       // ZBW with the same first integer
        {81, "S1", 3, 100.4, 100, 0},       // ... with another one
        {TZ_TEXT, "K1", 0, 100, 100, 0},    // not a placement
    };
    for (const Fall& f : faelle) {
        BEF b = tzRec(f.code, {}, f.text, {f.int0});
        STT s = tzStt(f.x, f.y);
        EXPECT_EQ(::BtlPosVorhanden(&b, &s), f.soll) << f.code << " " << f.text << " " << f.x;
    }
    // Through the registered hook, the insert path refuses the second one.
    befehle({tzRec(LN_BA, {100.2, 100}), tzRec(TZ_ZB, {}, "k1")});
    EXPECT_EQ(TzAnzahl(), 2);
    befehle({tzRec(LN_BA, {100.2, 100}), tzRec(81, {}, "s1", {5})});
    EXPECT_EQ(TzAnzahl(), 3);
}

}  // namespace
