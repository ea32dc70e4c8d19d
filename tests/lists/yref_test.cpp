// The reference test of the label sheets and KNX lists: id, sub letters and
// second number against the item and its component, and "@Q" in label mode.
#include <gtest/gtest.h>

#include <string>

#include "equipment/nartikel.h"

namespace {

TEST(YRefPruefenTest, ReferencesApplyToTheirItemAndComponent)
{
    struct {
        const char* text;
        const char* code;
        int nr;
        int etikett;
        int soll;
        const char* danach;
    } faelle[] = {
        {"@Y0012B", "H", 1, 0, 1, "@Y0012B"},
        {"@Y0013B", "H", 1, 0, 0, "@Y0013B"},
        {"@Y0012B2a", "Ua", 1, 0, 1, "@Y0012B2a"},
        {"@Y0012B2a", "Ub", 1, 0, 0, "@Y0012B2a"},
        {"@Y0012B2a3", "Ua", 3, 0, 1, "@Y0012B2a3"},
        {"@Y0012B2a3", "Ua", 2, 0, 0, "@Y0012B2a3"},
        {"@Q", "H", 1, 1, 1, "@Y0012B"},
        {"@Q", "H", 1, 0, 0, "@Q"},
        {"text", "H", 1, 1, 0, "text"},
    };
    for (const auto& f : faelle) {
        char t[40];
        std::snprintf(t, sizeof t, "%s", f.text);
        EXPECT_EQ(YRefPruefen(t, sizeof t, 0x12, f.code, f.nr, f.etikett), f.soll) << f.text << " " << f.code << f.nr;
        EXPECT_STREQ(t, f.danach);
    }
}

}  // namespace
