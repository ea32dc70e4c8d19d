// Terminal texts over an equipment fixture and a small symbol library.
#include "editor/klemmen.h"

#include "tests/editor/eqtexttest.h"

namespace {

struct KlemmenTest : EqDatenTest {
    void SetUp() override
    {
        EqDatenTest::SetUp();
        // Terminal symbols: an unknown placeholder becomes the row's
        // reference text; each symbol ends 5 below its start.
        for (const char* n : {"XKL", "XKLF", "KLU"})
            bauteil(n, {tzRec(TZ_ZL, {2, 0}), tzRec(TZ_TEXT, {}, "@X"), tzRec(ET_BW, {-2, -5})});
        geraet(5, 2);
        eintrag(5, "H", 0, "KL", "", "S1", 0, 0);
        eintrag(5, "Ua", 0, "KL", "KLU", "S1", 20, 0, "7");
        for (const char* t : {"2", "10", "3", "13", "12"}) ASSERT_GT(ZtxAnfuegen(5, "H", 0, t), 0);
        ASSERT_GT(ZtxAnfuegen(5, "Ua", 0, "1"), 0);
    }
    std::vector<std::string> zeilen()
    {
        const klowrk* z = nullptr;
        std::vector<std::string> v;
        const int n = KloZeilen(&z);
        for (int i = 0; i < n; ++i) v.push_back(std::string(z[i].marke) + z[i].text);
        return v;
    }
    void lauf2(const std::function<void()>& f)
    {
        StartpunktSetzen(50, 100);
        lauf([&] {
            BefAbarbeiten();
            f();
            BefAbarbeiten();
        });
    }
};

TEST_F(KlemmenTest, RangeInNaturalOrderAndFixedSymbols)
{
    lauf2([] { KlemmenErzeugenMit(5, 2, 3, "3", "12", "", " "); });
    // "2", "13" and the sub component's "1" are out; its terminal "7" is in.
    EXPECT_EQ(zeilen(), (std::vector<std::string>{"Z3", "U7", "Z10", "Z12"}));
    EXPECT_EQ(bauteile(), (std::vector<std::string>{"XKL@(50,100)", "XKLF@(50,95)", "XKLF@(50,90)", "XKLF@(50,85)"}));
    // The unknown placeholder became the reference to each row's text line.
    EXPECT_EQ(textOrte(), (std::vector<std::string>{"@Y0005Z3@(52,100)", "@Y0005U@(52,95)", "@Y0005Z2@(52,90)",
                                                    "@Y0005Z5@(52,85)"}));
    EXPECT_EQ(BefAktZustand()->y, 100);
}

TEST_F(KlemmenTest, FourOrdersAndTheEntriesOwnSymbols)
{
    // A second sub component left of the main one, with terminal "5" and
    // the lowest text: each order puts its rows elsewhere.
    eintrag(5, "Ub", 0, "KL", "KLU", "S1", -10, 0, "5");
    ASSERT_GT(ZtxAnfuegen(5, "Ub", 0, "0"), 0);
    struct Fall {
        int ordnung;
        std::vector<std::string> zeilen;
    } faelle[] = {
        // Kind rank, then number (the terminal's own row has -1), then text.
        {0, {"Z2", "Z10", "Z3", "Z13", "Z12", "U5", "U7", "Z0", "Z1"}},
        // Kind and its code, then number, then text.
        {1, {"Z2", "Z10", "Z3", "Z13", "Z12", "U7", "Z1", "U5", "Z0"}},
        // Placement from left to right, then number, then text.
        {2, {"U5", "Z0", "Z2", "Z10", "Z3", "Z13", "Z12", "U7", "Z1"}},
        // Text in natural order, then number.
        {3, {"Z0", "Z1", "Z2", "Z3", "U5", "U7", "Z10", "Z12", "Z13"}},
    };
    for (const Fall& f : faelle) {
        TzLeeren();
        lauf2([&] { KlemmenErzeugen(5, 0, f.ordnung, "", ""); });
        EXPECT_EQ(zeilen(), f.zeilen) << f.ordnung;
    }
    // Without fixed names the main entry has no terminal symbol ("KLK" is
    // missing: its rows place nothing) and the sub components' rows use
    // their own "KLU", one below the other.
    EXPECT_EQ(bauteile(), (std::vector<std::string>{"KLU@(50,100)", "KLU@(50,95)", "KLU@(50,90)", "KLU@(50,85)"}));
}

TEST_F(KlemmenTest, RowsBeyondTheTableAreLeftOut)
{
    for (int i = 0; i < KLOSUP; ++i) ASSERT_GT(ZtxAnfuegen(5, "H", 0, "x"), 0);
    lauf2([] { KlemmenErzeugenMit(5, 0, 3, "", "", "NIX", "NIX"); });
    EXPECT_EQ(zeilen().size(), static_cast<size_t>(KLOSUP));
    EXPECT_EQ(TzAnzahl(), 0);
}

}  // namespace
