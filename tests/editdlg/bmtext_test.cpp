// The view of equipment texts: the flag, the three ways a set of lines is
// shown, and the cut at byte 4.
#include <gtest/gtest.h>

#include <string>

#include "editdlg/bmtext.h"

namespace {

TEST(BmtAnsicht, FlagDecidesOnlyWhenTextsDiffer)
{
    BmtEditAnsicht(0);
    const struct {
        int flag, unterschied;
        int umschaltbar, roh, nurLesen;
        std::string bild, bildAus;
    } faelle[] = {
        {0, 0, 0, 0, 0, "BMTSHOW", "BMTGRAU"},
        {1, 0, 0, 0, 0, "BMTSHOW", "BMTGRAU"},
        {0, 1, 1, 0, 1, "BMTSHOW", ""},
        {1, 1, 1, 1, 0, "BMTEDIT", ""},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::to_string(f.flag) + "/" + std::to_string(f.unterschied));
        EXPECT_EQ(BmtEditAnsicht(f.flag), f.flag);
        EXPECT_EQ(BmtEditAnsicht(-1), f.flag);  // a negative n only reads
        const BmtAnsicht a = BmtAnsichtWaehlen(f.unterschied);
        EXPECT_EQ(a.umschaltbar, f.umschaltbar);
        EXPECT_EQ(a.roh, f.roh);
        EXPECT_EQ(a.nurLesen, f.nurLesen);
        EXPECT_EQ(a.bild, f.bild);
        EXPECT_EQ(a.bildAus, f.bildAus);
    }
    EXPECT_EQ(BmtEditAnsicht(7), 1);
    BmtEditAnsicht(0);
}

TEST(BmtAnsicht, ShownTextIsCutAtByte4AfterTheFirstCharacter)
{
    const struct {
        std::string text, gezeigt;
        int gelb;
    } faelle[] = {
        {"Motor", "Motor", 0},
        {"Motor\x04@Y0001L", "Motor", 1},
        {"\x04" "ab", "\x04" "ab", 0},  // a byte 4 first is kept
        {"", "", 0},
    };
    for (const auto& f : faelle) {
        char aus[64];
        EXPECT_EQ(BmtAnzeigeText(f.text.c_str(), aus, sizeof aus), f.gelb) << f.text;
        EXPECT_EQ(std::string(aus), f.gezeigt) << f.text;
    }
    char klein[4];
    BmtAnzeigeText("Motor", klein, sizeof klein);
    EXPECT_STREQ(klein, "Mot");
}

}  // namespace
