// The login name: buffer-size protocol and the test override.
#include <gtest/gtest.h>

#include "platform/benutzer.h"

namespace {

TEST(Benutzer, BufferSizeProtocol)
{
    plBenutzerSetzen("M\xFCller");
    char b[16];
    DWORD n = 3;
    EXPECT_FALSE(GetUserName(b, &n));
    EXPECT_EQ(n, 7u);  // six characters and the terminator
    n = sizeof b;
    EXPECT_TRUE(GetUserName(b, &n));
    EXPECT_EQ(n, 7u);
    EXPECT_STREQ(b, "M\xFCller");
    plBenutzerSetzen(nullptr);
    n = sizeof b;
    char gross[256];
    n = sizeof gross;
    EXPECT_TRUE(GetUserName(gross, &n));
    EXPECT_GT(n, 1u);  // the real user has a name
}

}  // namespace
