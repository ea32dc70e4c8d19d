// The editor's bars read from "Toolbar.txt" fixtures: layout keys, gaps and
// separators, two rows against labels, state bitmaps, drag identifiers,
// the 100-entry table of each bar and the selection bar's lines.
#include "editor/leiste.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class LeisteTest : public ::testing::Test {
protected:
    std::string pfad;
    LeisteMasse m;
    void SetUp() override
    {
        pfad = (fs::temp_directory_path() / ("leiste-" + std::to_string(::getpid()) + ".txt")).string();
        m.knopfB = 16;
        m.knopfH = 14;
        m.obenX = 30;
        m.obenY = 20;
        m.linksX = 2;
        m.linksY = 50;
        m.linksB = 24;
    }
    void TearDown() override { fs::remove(pfad); }
    void datei(const std::string& inhalt) { std::ofstream(pfad, std::ios::binary) << inhalt; }
    std::vector<LeisteEintrag> lesen(const char* abschnitt, int art)
    {
        std::vector<LeisteEintrag> v;
        LeisteLesen(pfad.c_str(), abschnitt, art, m, &v);
        return v;
    }
    static std::string lage(const std::vector<LeisteEintrag>& v)
    {
        std::string s;
        for (const LeisteEintrag& e : v)
            s += (s.empty() ? "" : " ") + std::to_string(e.x) + "," + std::to_string(e.y) + "/" + std::to_string(e.b) + "x" +
                 std::to_string(e.h);
        return s;
    }
};

TEST_F(LeisteTest, AButtonLineGivesBitmapLabelStateBitmapsAndCommandString)
{
    datei(")S Andere\nX \"x\" 1\n)\n)S editoben\n"
          "  EDLINIE \"Linie ziehen\" (9,EDAN,EDALT) ZL  \n"
          "EDSP (1 EDSPAN) Menu: 1004\n"
          "EDTXT TXT\n"
          "EDBT \"M1\" ZB M1\n"
          "EDNIX #1200\n"
          ")\nEDNACH 1\n");
    const auto v = lesen("EditOben", LEISTE_OBEN);
    ASSERT_EQ(v.size(), 5u) << "the section is found ignoring case and ends at ')'";
    EXPECT_STREQ(v[0].bild, "EDLINIE");
    EXPECT_STREQ(v[0].tipp, "Linie ziehen");
    EXPECT_EQ(v[0].zustandArt, 9);
    EXPECT_STREQ(v[0].bildAn, "EDAN");
    EXPECT_STREQ(v[0].bildAlt, "EDALT");
    EXPECT_EQ(v[0].befehl, "ZL");
    EXPECT_EQ(v[1].zustandArt, 1);
    EXPECT_STREQ(v[1].bildAn, "EDSPAN");
    EXPECT_EQ(v[1].befehl, "Menu: 1004");
    // Element commands and TXT are dragged; ZB is an element too.
    std::vector<int> zieh;
    for (const auto& e : v) zieh.push_back(e.ziehId);
    EXPECT_EQ(zieh, (std::vector<int>{LEISTEZIEHID, 0, LEISTEZIEHID + 2, LEISTEZIEHID + 3, 0}));
    EXPECT_EQ(v[4].id, LEISTEID + 4);
}

TEST_F(LeisteTest, KeysGapsAndSeparatorsPlaceTheButtons)
{
    struct Fall {
        const char* name;
        int art;
        int beschriftet;
        const char* zeilen;
        const char* lage;
    } faelle[] = {
        {"two rows: stacked in columns", LEISTE_OBEN, 0, "A\nB\nC\n", "30,20/16x14 30,34/16x14 46,20/16x14"},
        {"an empty line closes the half column and adds 3", LEISTE_OBEN, 0, "A\n\nB\n", "30,20/16x14 49,20/16x14"},
        {"'-' is a separator of n tenths", LEISTE_OBEN, 0, "A\nB\n- 5\nC\n", "30,20/16x14 30,34/16x14 54,20/16x14"},
        {"'-' alone is one button wide", LEISTE_OBEN, 0, "A\nB\n-\nC\n", "30,20/16x14 30,34/16x14 62,20/16x14"},
        {"'--' is no separator but a button", LEISTE_OBEN, 0, "A\n--\nC\n", "30,20/16x14 30,34/16x14 46,20/16x14"},
        {"X* and Y* scale, X+ and Y+ move", LEISTE_OBEN, 0, "= X* 1.5\n= Y* 2\n= X+ 10\n= Y+ 1\nA\n",
         "40,21/24x28"},
        {"B+ and B- widen the following buttons", LEISTE_OBEN, 0, "A\nB\n= B+ 6\nC\n= B- 2\nD\n",
         "30,20/16x14 30,34/16x14 46,20/22x14 46,34/20x14"},
        {"labels: one row of 36 x 22", LEISTE_OBEN, 1, "A \"a\"\nB \"b\"\n", "30,20/36x22 66,20/36x22"},
        {"left bar: one column, width + 2", LEISTE_LINKS, 0, "A\n\nB\n- 5\nC\n", "2,50/18x14 2,67/18x14 2,88/18x14"},
        {"left bar with labels: its width x 22", LEISTE_LINKS, 1, "A \"a\"\nB\n", "2,50/24x22 2,72/24x22"},
    };
    for (const Fall& f : faelle) {
        datei(std::string(")S T\n") + f.zeilen + ")\n");
        m.beschriftet = f.beschriftet;
        EXPECT_EQ(lage(lesen("T", f.art)), f.lage) << f.name;
    }
}

TEST_F(LeisteTest, EachBarHoldsAHundredEntriesOfItsOwn)
{
    std::string s = ")S EditOben\n";
    for (int i = 0; i < 101; ++i) s += "B" + std::to_string(i) + " ZL\n";
    s += ")\n)S EditLinks\nL1 TXT\nL2 #1\n)\n)S EditAuswahl\n= Y* 3\n= X+ 4\n";
    for (int i = 0; i < 11; ++i) s += "Wahl" + std::to_string(i) + " *ZL\n";
    s += ")\n";
    datei(s);
    const auto oben = lesen("EditOben", LEISTE_OBEN);
    const auto links = lesen("EditLinks", LEISTE_LINKS);
    const auto wahl = lesen("EditAuswahl", LEISTE_AUSWAHL);
    ASSERT_EQ(oben.size(), 100u) << "the 101st line is not read";
    EXPECT_STREQ(oben.back().bild, "B99");
    EXPECT_EQ(oben.back().ziehId, LEISTEZIEHID + 99);
    ASSERT_EQ(links.size(), 2u) << "a full top bar leaves the left bar its own entries";
    EXPECT_EQ(links[0].id, LEISTEID + LEISTESUP);
    EXPECT_EQ(links[0].ziehId, LEISTEZIEHID + LEISTESUP) << "drag ids of the bars never meet";
    // The selection bar: ten label lines, ids 5030.., Y* not understood.
    ASSERT_EQ(wahl.size(), 10u);
    EXPECT_STREQ(wahl[0].tipp, "Wahl0");
    EXPECT_EQ(wahl[0].befehl, "*ZL");
    EXPECT_EQ(wahl[9].id, AUSWAHLID + 9);
    EXPECT_EQ(lage({wahl[0], wahl[1]}), "34,20/36x10 70,20/36x10");
}

TEST_F(LeisteTest, AMissingFileOrSectionLeavesTheBarEmpty)
{
    datei(")S Da\nA ZL\n)\n");
    EXPECT_TRUE(lesen("Fehlt", LEISTE_OBEN).empty());
    fs::remove(pfad);
    EXPECT_TRUE(lesen("Da", LEISTE_OBEN).empty());
}

}  // namespace
