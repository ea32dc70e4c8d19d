// Memory blocks, byte moves and the growable string.
#include "support/speicher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/fehlersim.h"

TEST(Speicher, BlocksAreZeroedAndCountedAlsoWhenRefused)
{
    PlFehlerScope scope;
    int32_t vorher = fmallanzahl();
    auto* p = static_cast<unsigned char*>(fmalloc(10, 7));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 70; ++i) {
        EXPECT_EQ(p[i], 0) << i;
    }
    EXPECT_EQ(fmallanzahl(), vorher + 1);

    plFehlerSetzen(PlFehlerArt::Speicher, 1);
    EXPECT_EQ(fmalllong(100), nullptr);
    EXPECT_EQ(fmallanzahl(), vorher + 2);  // the refused request counts too

    EXPECT_EQ(fmalloc(1L << 40, 1L << 40), nullptr);  // overflowing size is refused
    EXPECT_EQ(fmallanzahl(), vorher + 3);

    ffree(p);
    ffree(nullptr);
    EXPECT_EQ(fmallanzahl(), vorher + 2);
}

TEST(Speicher, MovmemTakesSourceFirstAndHandlesOverlapBothWays)
{
    char a[] = "abcdefgh";
    EXPECT_EQ(movmem(a, a + 2, 5), a + 7);  // source below target
    EXPECT_STREQ(a, "ababcdeh");
    char b[] = "abcdefgh";
    movmem(b + 2, b, 5);  // source above target
    EXPECT_STREQ(b, "cdefgfgh");

    char c[] = "xxxx";
    EXPECT_EQ(setmem(c, 2, 'y'), c + 2);
    EXPECT_STREQ(c, "yyxx");
    char d[] = "1234";
    char e[] = "abcd";
    tauschmem(d, e, 3);
    EXPECT_STREQ(d, "abc4");
    EXPECT_STREQ(e, "123d");
}

TEST(Speicher, MinMaxReturnTheSecondArgumentOnEquality)
{
    EXPECT_EQ(maxi(-3, 2), 2);
    EXPECT_EQ(mini(-3, 2), -3);
    double n = 0.0;
    double m = -0.0;  // equal, but distinguishable by sign
    EXPECT_TRUE(std::signbit(dmaxi(n, m)));
    EXPECT_TRUE(std::signbit(dmini(n, m)));
    EXPECT_FALSE(std::signbit(dmini(m, n)));
}

TEST(Speicher, StrDynKeepsLengthAndCapacity)
{
    char* s = StrDynNeu("abc", 0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(StrDynLaenge(s), 3u);
    EXPECT_EQ(StrDynGroesse(s), 3u);
    s = StrDynAnhaengen(s, "defg");  // grows to exactly the new length
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s, "abcdefg");
    EXPECT_EQ(StrDynGroesse(s), 7u);
    EXPECT_EQ(StrDynAnhaengen(s, ""), s);
    EXPECT_EQ(StrDynAnhaengen(s, nullptr), s);
    StrDynFrei(s);

    char* t = StrDynNeu(nullptr, 10);
    EXPECT_EQ(StrDynLaenge(t), 0u);
    EXPECT_EQ(StrDynGroesse(t), 10u);
    std::memcpy(t, "hallo", 5);
    EXPECT_EQ(StrDynLaengeNeu(t), t);
    EXPECT_EQ(StrDynLaenge(t), 5u);
    StrDynFrei(t);

    EXPECT_EQ(StrDynLaenge(nullptr), 0u);
    EXPECT_EQ(StrDynGroesse(nullptr), 0u);
    EXPECT_EQ(StrDynFrei(nullptr), 0);
}

TEST(Speicher, StrDynPlatzGivesAtLeastWhatIsNeeded)
{
    // A growth below the shortfall must still leave room for the caller's write.
    struct Fall {
        uint32_t benoetigt, zuwachs, kapazitaet;
    } faelle[] = {
        {0, 100, 5},   // fits: unchanged
        {10, 2, 15},   // growth below the shortfall: length + needed
        {10, 50, 55},  // growth large enough: capacity + growth
    };
    for (const Fall& f : faelle) {
        char* s = StrDynNeu("hallo", 4);
        s = StrDynPlatz(s, f.benoetigt, f.zuwachs);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(StrDynGroesse(s), f.kapazitaet);
        std::memset(s + 5, 'x', f.benoetigt);  // ASan: must stay inside the block
        s[5 + f.benoetigt] = '\0';
        EXPECT_EQ(StrDynLaenge(StrDynLaengeNeu(s)), 5 + f.benoetigt);
        StrDynFrei(s);
    }
}
