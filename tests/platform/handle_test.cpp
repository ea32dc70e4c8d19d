// Tests of the typed handle tables: live, stale and foreign ids.
#include "platform/handle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(HandleTabelle, LiveStaleAndForeignIds)
{
    plHandleTabelle<std::string> fenster(plHandleArt::Fenster);
    plHandleTabelle<std::string> pinsel(plHandleArt::Pinsel);
    uint32_t a = fenster.neu("a");
    uint32_t b = pinsel.neu("b");
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_EQ(plHandleArtVon(a), plHandleArt::Fenster);
    EXPECT_EQ(*fenster.finden(a), "a");
    // A brush is no window, whatever its slot number.
    EXPECT_EQ(fenster.finden(b), nullptr);
    EXPECT_EQ(pinsel.finden(a), nullptr);
    EXPECT_EQ(fenster.finden(0), nullptr);
    EXPECT_EQ(fenster.finden(a + 1), nullptr);  // slot never used
    EXPECT_TRUE(fenster.freigeben(a));
    EXPECT_EQ(fenster.finden(a), nullptr);
    EXPECT_FALSE(fenster.freigeben(a));
    EXPECT_EQ(fenster.anzahl(), 0u);
}

TEST(HandleTabelle, ReusedSlotDoesNotRevivePreviousHandle)
{
    plHandleTabelle<int> t(plHandleArt::Menue);
    std::vector<uint32_t> alt;
    for (int i = 0; i < 2000; ++i) {
        uint32_t h = t.neu(i);
        alt.push_back(h);
        ASSERT_TRUE(t.freigeben(h));
    }
    // Slots were reused with a new generation: no two ids alike, none live.
    std::sort(alt.begin(), alt.end());
    EXPECT_EQ(std::adjacent_find(alt.begin(), alt.end()), alt.end());
    uint32_t neu = t.neu(7);
    for (uint32_t h : alt) EXPECT_EQ(t.finden(h), nullptr);
    EXPECT_EQ(*t.finden(neu), 7);
    EXPECT_EQ(t.alle(), std::vector<uint32_t>{neu});
}
