// Case maps, collation, comparisons and wildcard patterns.
#include "support/vergleich.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <cstring>
#include <string>
#include <vector>

namespace {

int Vorzeichen(int v)
{
    return (v > 0) - (v < 0);
}

}  // namespace

TEST(Vergleich, CaseMapsAsStated)
{
    for (int c = 0; c < 256; ++c) {
        auto u = static_cast<unsigned char>(c);
        bool klein = (c >= 'a' && c <= 'z') || (c >= 224 && c <= 254);
        bool gross = (c >= 'A' && c <= 'Z') || (c >= 192 && c <= 222);
        EXPECT_EQ(zgross(u), klein ? c - 32 : c) << c;
        EXPECT_EQ(zklein(u), gross ? c + 32 : c) << c;
        EXPECT_EQ(istklein(u), klein ? 1 : 0) << c;
        EXPECT_EQ(istgross(u), gross ? 1 : 0) << c;
    }
    EXPECT_EQ(zgross(247), 215);  // ÷ and × swap, as the maps say
    EXPECT_EQ(zklein(215), 247);
    EXPECT_EQ(zgross(255), 255);
    EXPECT_EQ(zgross(223), 223);
    EXPECT_EQ(istdruckbar(31), 0);
    EXPECT_EQ(istdruckbar(32), 1);
    EXPECT_EQ(istdruckbar(127), 0);
    EXPECT_EQ(istdruckbar(159), 0);
    EXPECT_EQ(istdruckbar(160), 1);
}

TEST(Vergleich, CollationWeightsArePermutationInTheStatedOrder)
{
    std::vector<int> gesehen(256, 0);
    for (int c = 0; c < 256; ++c) {
        ++gesehen[zeichengewicht(static_cast<unsigned char>(c))];
    }
    EXPECT_EQ(std::count(gesehen.begin(), gesehen.end(), 1), 256);

    struct Fall {
        unsigned char c;
        int gewicht;
    } faelle[] = {
        {'@', 64},  {'A', 65},  {0xC6, 72},  {'B', 73},  {'Z', 119}, {'[', 120}, {'`', 125},
        {'a', 126}, {0xDF, 169}, {0xFF, 181}, {'z', 182}, {'{', 183}, {127, 187}, {128, 188},
        {191, 251}, {0xD7, 252}, {0xDE, 253}, {0xF7, 254}, {0xFE, 255},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(zeichengewicht(f.c), f.gewicht) << int(f.c);
    }
    EXPECT_LT(zeichenvgl('a', 0xE4), 0);  // a, ä, b
    EXPECT_LT(zeichengewichtvgl(0xE4, 'b'), 0);
    EXPECT_LT(zeichenvgl('Z', 'a'), 0);   // upper case before lower case
}

TEST(Vergleich, StringComparisons)
{
    struct Fall {
        const char* a;
        const char* b;
        int vgl, vglsort, gewicht;  // signs
    } faelle[] = {
        {"abc", "ABC", 0, 0, 1},
        {"abc", "abd", -1, -1, -1},
        {"ab", "abc", -1, -1, -1},
        {"\xE4", "b", 1, -1, -1},       // ä: bytes after b, weight between a and b
        {"\xC4rger", "\xE4rger", 0, 0, -1},
        {"Zebra", "apfel", 1, 1, -1},
        {"", "", 0, 0, 0},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(Vorzeichen(strvgl(f.a, f.b)), f.vgl) << f.a << "|" << f.b;
        EXPECT_EQ(Vorzeichen(strvglsort(f.a, f.b)), f.vglsort) << f.a << "|" << f.b;
        EXPECT_EQ(Vorzeichen(strgewichtvgl(f.a, f.b)), f.gewicht) << f.a << "|" << f.b;
    }
    EXPECT_EQ(strnvgl("abcX", "ABCy", 3), 0);
    EXPECT_NE(strnvgl("abcX", "ABCy", 4), 0);
    EXPECT_EQ(strnvgl("ab", "AB", 10), 0);

    EXPECT_EQ(strngewichtvgl("abc", "abd", 2), 0);
    EXPECT_LT(strngewichtvgl("abc", "abd", 3), 0);
    EXPECT_EQ(strngewichtvgl2("ab", "abc", 5), 0);
    EXPECT_GT(strngewichtvgl2("abc", "ab", 5), 0);
    EXPECT_EQ(strngewichtvgl2("", "abc", 5), 0);  // ends at the end of a
    EXPECT_EQ(strvglohnerest("abc  ", "abc"), 0);
    EXPECT_EQ(strvglohnerest("abc \t", "abc\n"), 0);
    EXPECT_LT(strvglohnerest("ab ", "abc"), 0);
}

TEST(Vergleich, StrngewichtvglStopsWhereBothTextsEnd)
{
    // Both texts end inside n: nothing behind their terminators is read (ASan).
    std::unique_ptr<char[]> a(new char[3]);
    std::unique_ptr<char[]> b(new char[3]);
    std::memcpy(a.get(), "ab", 3);
    std::memcpy(b.get(), "ab", 3);
    EXPECT_EQ(strngewichtvgl(a.get(), b.get(), 100), 0);
    std::memcpy(b.get(), "a", 2);
    EXPECT_GT(strngewichtvgl(a.get(), b.get(), 100), 0);
}

TEST(Vergleich, NaturalOrder)
{
    struct Fall {
        const char* a;
        const char* b;
        int vz;
    } faelle[] = {
        {"a2", "a10", -1},
        {"a007", "a7", 0},
        {"a10b", "a10c", -1},
        {"a000", "a0", 0},
        {"x9y", "x09z", -1},
        {"B1", "b1", -1},   // no case folding: upper case first
        {"", "a", -1},
        {"a", "", 1},
        {"abc", "ab", 1},
        {"v1.10", "v1.9", 1},
        {"12", "13", -1},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(Vorzeichen(strvglzahl(f.a, f.b)), f.vz) << f.a << "|" << f.b;
        EXPECT_EQ(Vorzeichen(strvglzahl(f.b, f.a)), -f.vz) << f.b << "|" << f.a;
    }
}

TEST(Vergleich, Patterns)
{
    struct Fall {
        const char* muster;
        const char* text;
        int exakt, ohneFall, ohneZiffern;
    } faelle[] = {
        {"####-##-##", "2024-12-30", 1, 1, 0},
        {"####-##-##", "2024-12-3x", 0, 0, 0},
        {"*.txt", "PLAN.TXT", 0, 1, 1},
        {"*.txt", "plan.txt", 1, 1, 1},
        {"*", "", 1, 1, 1},
        {"", "", 1, 1, 1},
        {"", "a", 0, 0, 0},
        {"?", "", 0, 0, 0},
        {"a?c", "abc", 1, 1, 1},
        {"a*b*c", "axxbyyc", 1, 1, 1},
        {"a*b*c", "axxbyy", 0, 0, 0},
        {"*ab", "aab", 1, 1, 1},
        {"#", "#", 0, 0, 1},  // without the class, '#' matches itself
        {"\xE4*", "\xC4RGER", 0, 1, 1},
        {"*a*a*a*a*a*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", 0, 0, 0},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(mustervgl(f.muster, f.text), f.exakt) << f.muster << "|" << f.text;
        EXPECT_EQ(mustervgli(f.muster, f.text), f.ohneFall) << f.muster << "|" << f.text;
        EXPECT_EQ(mustervglohne(f.muster, f.text), f.ohneZiffern) << f.muster << "|" << f.text;
    }
}
