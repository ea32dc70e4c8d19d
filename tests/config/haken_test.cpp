// Tests of the three hook tables: order, names, growth during a run, and
// the full table stopping through the assertion handler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/haken.h"
#include "support/basistest.h"

namespace {

std::vector<std::string> hakRuf;

void hakMerken(int32_t arg, const char* name)
{
    hakRuf.push_back(std::to_string(arg) + ":" + name);
}

struct Tabelle {
    const char* name;
    void (*anmelden)(HAKENFN, int32_t, const char*);
    void (*ausloesen)();
    int index;
    int zeile;
};

const Tabelle tabellen[] = {
    {"status", StatusAnmelden, StatusAusloesen, 0, 35},
    {"aufwischen", AufwischenAnmelden, Aufwischen, 1, 36},
    {"reaktion", ReaktionAnmelden, ReaktionAusloesen, 2, 36},
};

struct Haken : ::testing::Test {
    void SetUp() override
    {
        HakenZuruecksetzen();
        hakRuf.clear();
    }
    void TearDown() override { HakenZuruecksetzen(); }
};

TEST_F(Haken, EachTableRunsInOrderWithItsNamesAndOnlyItsOwnEntries)
{
    for (const Tabelle& t : tabellen) {
        SCOPED_TRACE(t.name);
        HakenZuruecksetzen();
        hakRuf.clear();
        t.ausloesen();  // empty: nothing
        EXPECT_TRUE(hakRuf.empty());
        t.anmelden(hakMerken, 0, "Bauteile beschriften");
        t.anmelden(hakMerken, 7, nullptr);
        t.anmelden(hakMerken, 2, std::string(120, 'x').c_str());
        for (const Tabelle& andere : tabellen) {
            if (andere.index != t.index) {
                andere.ausloesen();
            }
        }
        EXPECT_TRUE(hakRuf.empty());
        t.ausloesen();
        EXPECT_EQ(hakRuf, (std::vector<std::string>{"0:Bauteile beschriften", "7:", "2:" + std::string(80, 'x')}));
    }
}

void hakNachmelden(int32_t, const char*)
{
    hakRuf.push_back("erster");
    if (HakenAnzahl(0) == 1) {
        StatusAnmelden(hakMerken, 5, "spaeter");
    }
}

TEST_F(Haken, AnEntryRegisteredDuringARunIsCalledInThatRun)
{
    StatusAnmelden(hakNachmelden, 0, "");
    StatusAusloesen();
    EXPECT_EQ(hakRuf, (std::vector<std::string>{"erster", "5:spaeter"}));
}

TEST_F(Haken, TheHundredthEntryFitsTheNextStopsTheProgram)
{
    AssertWirft wirft;
    for (const Tabelle& t : tabellen) {
        SCOPED_TRACE(t.name);
        for (int i = 0; i < HAKSUP; ++i) {
            t.anmelden(hakMerken, i, nullptr);
        }
        EXPECT_EQ(HakenAnzahl(t.index), HAKSUP);
        try {
            t.anmelden(hakMerken, 100, "zuviel");
            ADD_FAILURE() << "no assertion";
        } catch (const AssertAusnahme& a) {
            EXPECT_EQ(a.ausdruck, "lisanz < LISSUP");
            EXPECT_EQ(a.datei, "statusanzeige");
            EXPECT_EQ(a.zeile, t.zeile);
        }
        EXPECT_EQ(HakenAnzahl(t.index), HAKSUP);
        hakRuf.clear();
        t.ausloesen();
        ASSERT_EQ(hakRuf.size(), static_cast<size_t>(HAKSUP));
        EXPECT_EQ(hakRuf.back(), "99:");
    }
}

}  // namespace
