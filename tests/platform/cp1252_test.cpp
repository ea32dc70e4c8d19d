// Code page 1252 <-> UTF-8: the exact round trip, the special rows of the
// table, replacement of missing characters and text that is not UTF-8.
#include "platform/cp1252.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(Cp1252, EveryByteGoesToUtf8AndBackUnchanged)
{
    std::string alle;
    for (int b = 1; b < 256; ++b) alle += static_cast<char>(b);
    const std::string utf8 = plCpNachUtf8(alle);
    EXPECT_TRUE(plCpUtf8Gueltig(utf8));
    int ersetzt = -1;
    EXPECT_EQ(plCpAusUtf8(utf8, &ersetzt), alle);
    EXPECT_EQ(ersetzt, 0);
}

TEST(Cp1252, TableRows)
{
    struct Fall {
        unsigned char byte;
        const char* utf8;
    };
    const Fall faelle[] = {
        {'A', "A"},
        {0x80, "\xE2\x82\xAC"},  // euro sign
        {0x81, "\xC2\x81"},      // the five undefined bytes stand for C1 controls
        {0x8D, "\xC2\x8D"},
        {0x8F, "\xC2\x8F"},
        {0x90, "\xC2\x90"},
        {0x9D, "\xC2\x9D"},
        {0x96, "\xE2\x80\x93"},  // en dash
        {0x9F, "\xC5\xB8"},      // Y with diaeresis
        {0xA0, "\xC2\xA0"},
        {0xDC, "\xC3\x9C"},      // U with diaeresis
        {0xFF, "\xC3\xBF"},
    };
    for (const Fall& f : faelle) {
        const std::string cp(1, static_cast<char>(f.byte));
        EXPECT_EQ(plCpNachUtf8(cp), f.utf8) << static_cast<int>(f.byte);
        EXPECT_EQ(plCpAusUtf8(f.utf8), cp) << static_cast<int>(f.byte);
    }
}

TEST(Cp1252, MissingCharactersBecomeQuestionMarks)
{
    struct Fall {
        const char* utf8;
        const char* cp;
        int ersetzt;
    };
    const Fall faelle[] = {
        {"a\xCF\x80" "b", "a?b", 1},                // Greek pi
        {"\xF0\x9F\x98\x80 \xC2\x85", "? ?", 2},    // emoji; U+0085 is not one of the five
        {"\xE2\x82\xAC" "5", "\x80" "5", 0},
    };
    for (const Fall& f : faelle) {
        int ersetzt = -1;
        EXPECT_EQ(plCpAusUtf8(f.utf8, &ersetzt), f.cp) << f.cp;
        EXPECT_EQ(ersetzt, f.ersetzt) << f.cp;
    }
}

TEST(Cp1252, TextThatIsNotUtf8IsTakenByteForByte)
{
    const char* faelle[] = {
        "caf\xE9",          // a code-page name on disk
        "\xC0\xAF",         // overlong '/'
        "\xED\xA0\x80",     // surrogate
        "ab\xE2\x82",       // cut sequence
        "\xC3\x9C\xFC",     // valid start, stray byte later
    };
    for (const char* f : faelle) {
        EXPECT_FALSE(plCpUtf8Gueltig(f)) << f;
        EXPECT_EQ(plCpAusUtf8(f), f);
    }
}

TEST(Cp1252, ReplacementIsReportedOnceOnStderr)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(plCpAusUtf8Melden("\xCF\x80\xCF\x80", "Dateiname"), "??");
    EXPECT_EQ(plCpAusUtf8Melden("ohne", "Dateiname"), "ohne");
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_NE(log.find("Dateiname"), std::string::npos);
}
