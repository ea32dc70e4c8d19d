// The goldens' one rule: only VELMO_GOLDEN_SCHREIBEN=1 rewrites a golden
// file; every other value leaves it alone and compares, so a stray setting
// cannot make a test pass against its own output.
#include "tests/platform/golden_pruef.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

std::string inhalt(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

TEST(Golden, OnlyTheValueOneRewrites)
{
    const char* vorher = std::getenv("VELMO_GOLDEN_SCHREIBEN");
    const std::optional<std::string> alt = vorher ? std::optional<std::string>(vorher) : std::nullopt;
    const std::string pfad = ::testing::TempDir() + "golden_regel.txt";
    struct Fall {
        const char* wert;  // nullptr: not set
        bool schreibt;
    };
    for (const Fall& f : {Fall{nullptr, false}, Fall{"", false}, Fall{"0", false}, Fall{"ja", false},
                          Fall{"10", false}, Fall{"1", true}}) {
        SCOPED_TRACE(f.wert ? f.wert : "(not set)");
        if (f.wert) setenv("VELMO_GOLDEN_SCHREIBEN", f.wert, 1);
        else unsetenv("VELMO_GOLDEN_SCHREIBEN");
        std::ofstream(pfad, std::ios::binary | std::ios::trunc) << "soll\r\n";
        const ::testing::AssertionResult r = golden::text(pfad, "ist\r\n");
        EXPECT_EQ(static_cast<bool>(r), f.schreibt);
        EXPECT_EQ(inhalt(pfad), f.schreibt ? "ist\r\n" : "soll\r\n");
        if (!f.schreibt) {
            EXPECT_TRUE(golden::text(pfad, "soll\r\n"));  // equal bytes pass
        }
    }
    unsetenv("VELMO_GOLDEN_SCHREIBEN");
    EXPECT_FALSE(golden::text(pfad + ".fehlt", "ist")) << "a missing golden fails";
    if (alt) setenv("VELMO_GOLDEN_SCHREIBEN", alt->c_str(), 1);
    std::remove(pfad.c_str());
}

}  // namespace
