// The terminal and cable lists on fixture strips and cables beside the
// demo's items, and the potential list: line collection and sorting,
// following-line columns, page groups, strips without placements, and
// groups and lines of any length.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "equipment/nzustext.h"
#include "lists/klemmkabel.h"
#include "tests/lists/awpruef.h"

namespace {

class KlemmKabelTest : public AwDemoTest {
protected:
    // The fixture's items stand in a building of their own, so the lists
    // hold them and none of the demo's strips and cables.
    void SetUp() override
    {
        AwDemoTest::SetUp();
        bauwerk_ = "Test";
        for (const char* p : {"LKlm", "LKab"}) vorgabe(std::string(p) + "bauwerk", "Test");
    }
    // A strip with its main component and terminals "1".."n" attached to it.
    uint32_t leiste(const char* kennung, int n, double x = 50.0)
    {
        uint32_t id = geraet(2, kennung);
        bauteil(id, "H", 0, "03", x, 100.0);
        for (int i = 1; i <= n; ++i) ZtxAnfuegen(id, "H", 0, std::to_string(i).c_str());
        return id;
    }
    void klemmen(const std::string& kenn, const std::string& beschr)
    {
        vorgabe("LKlmkenn", kenn);
        vorgabe("LKlmbeschr", beschr);
        vorgabe("LKlmpfad", "");
        vorgabe("LKlmtexta", "");
    }
};

TEST_F(KlemmKabelTest, OneLinePerTerminalSortedAsNumbersAndTheCableListTakesCables)
{
    uint32_t x = geraet(2, "-X9");
    bauteil(x, "H", 0, "03", 50.0, 100.0);
    for (const char* t : {"10", "2", "1"}) ZtxAnfuegen(x, "H", 0, t);
    bauteil(x, "U", 1, "03", 60.0, 100.0, "PE");  // a sub component with a short text
    uint32_t w = geraet(4, "-W9");
    bauteil(w, "H", 0, "03", 70.0, 100.0);
    ZtxAnfuegen(w, "H", 0, "bn");
    sichern();
    klemmen("H 1 1 6", "8 1 6");
    vorgabe("LKlmsortKLM", "--3");  // order 3: by text, digit runs as numbers
    ASSERT_EQ(lauf("LKlm"), 0);
    EXPECT_EQ(zeilen("Klemmen.txt"), (std::vector<std::string>{"-X9    1", "       2", "       10", "       PE", ""}));
    vorgabe("LKlmsortKLM", "--0");  // order 0: main before sub, then the entry's number
    ASSERT_EQ(lauf("LKlm"), 0);
    EXPECT_EQ(zeilen("Klemmen.txt"), (std::vector<std::string>{"-X9    10", "       2", "       1", "       PE", ""}));
    vorgabe("LKabkenn", "1 1 6");
    vorgabe("LKabbeschr", "8 1 6");
    vorgabe("LKabpfad", "");
    vorgabe("LKabtexta", "");
    ASSERT_EQ(lauf("LKab"), 0);
    EXPECT_EQ(zeilen("Kabel.txt"), (std::vector<std::string>{"-W9    bn", ""}));
    EXPECT_EQ(meldungen_, std::vector<std::string>{});
}

TEST_F(KlemmKabelTest, FollowingLinesTakeTheirOwnColumnsAndAStripWithoutPlacementsOnlyItsBlankLines)
{
    leiste("-X1", 2);
    uint32_t leer = geraet(2, "-X2");
    bauteil(leer, "H", 0, "", 0.0, 0.0);
    ZtxAnfuegen(leer, "H", 0, "1");
    leiste("-X3", 1);
    sichern();
    klemmen("1 1 6", "8 1 6");
    vorgabe("LKlmfchg", "1");
    vorgabe("LKlmfkenn", "");
    vorgabe("LKlmfbeschr", "3 1 6");
    vorgabe("LKlmabstand", "2");
    ASSERT_EQ(lauf("LKlm"), 0);
    EXPECT_EQ(zeilen("Klemmen.txt"), (std::vector<std::string>{"-X1    1", "  2", "", "", "", "", "-X3    1", "", ""}));
}

TEST_F(KlemmKabelTest, PageGroupsByTheIdentifiersLeadingCharacters)
{
    leiste("-X1.1", 1);
    leiste("-X1.2", 1);
    leiste("-X2.1", 1);
    sichern();
    klemmen("1 1 6", "8 1 6");
    vorgabe("LKlmseiten", "3");
    vorgabe("LKlmzeilen", "5");
    vorgabe("LKlmabstand", "0");
    vorgabe("LKlmgrupp", "3");
    ASSERT_EQ(lauf("LKlm"), 0);
    EXPECT_EQ(zeilen("Klemmen.txt"),
              (std::vector<std::string>{"1  -X1.1  1", "   -X1.2  1", "2  -X2.1  1", "3  "}));
}

TEST_F(KlemmKabelTest, AStripOfTwelveHundredTerminalsKeepsEveryLine)
{
    leiste("-X1", 1200);
    sichern();
    klemmen("H 1 1 6", "8 1 6");
    vorgabe("LKlmabstand", "0");
    ASSERT_EQ(lauf("LKlm"), 0);
    std::vector<std::string> z = zeilen("Klemmen.txt");
    ASSERT_EQ(z.size(), 1200u);
    EXPECT_EQ(z[1199], "       1200");
}

// The record line of one potential and the cell lines below it (the demo
// has potentials of its own).
std::vector<std::string> potential(const std::vector<std::string>& z, const std::string& name)
{
    auto i = std::find(z.begin(), z.end(), name);
    if (i == z.end()) return {};
    auto e = i + 1;
    while (e != z.end() && !e->empty() && e->front() == ' ') ++e;
    return {i, e};
}

TEST_F(KlemmKabelTest, PotentialPlacementsFillLinesOfCellsAndALongLineBreaksBeforeItsEnd)
{
    uint32_t p = geraet(1, "L1");
    bauteil(p, "H", 0, "03", 10.0, 100.0);
    for (int i = 1; i < 7; ++i) bauteil(p, "U", i, "03", 10.0 + 10 * i, 100.0);
    sichern();
    vorgabe("LPotkenn", "1 1 6");
    vorgabe("LPottexta", "");
    vorgabe("LPotpfad", "2");
    vorgabe("LPotbreit", "6");
    vorgabe("LPotanzahl", "3");
    ASSERT_EQ(lauf("LPot"), 0);
    std::vector<std::string> z = potential(zeilen("Potentiale.txt"), "L1");
    ASSERT_EQ(z.size(), 4u);
    for (int i = 1; i <= 2; ++i) EXPECT_EQ(z[static_cast<size_t>(i)].size(), 2u + 3 * 6) << z[static_cast<size_t>(i)];
    EXPECT_EQ(z[3].size(), 2u + 6) << z[3];
    EXPECT_EQ(z[1].substr(0, 8), "  3-0   ");
    // Cells of 100: two fit into a line of 250, the third starts the next.
    vorgabe("LPotbreit", "100");
    vorgabe("LPotanzahl", "5");
    ASSERT_EQ(lauf("LPot"), 0);
    z = potential(zeilen("Potentiale.txt"), "L1");
    ASSERT_EQ(z.size(), 5u);
    EXPECT_EQ(z[1].size(), 202u);
    EXPECT_EQ(z[4].size(), 102u);
}

}  // namespace
