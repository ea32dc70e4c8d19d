#include "platform/uhr.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

TEST(Uhr, FixedClockGivesLocalTimeWithMillisecondsAndMovesOnlyWhenAdvanced)
{
    setenv("TZ", "UTC", 1);
    tzset();
    plUhrFestsetzen(1700000000123LL);  // 2023-11-14 22:13:20.123 UTC, a Tuesday
    DWORD tick0 = GetTickCount();
    SYSTEMTIME st{};
    GetLocalTime(&st);
    EXPECT_EQ(st.wYear, 2023);
    EXPECT_EQ(st.wMonth, 11);
    EXPECT_EQ(st.wDay, 14);
    EXPECT_EQ(st.wHour, 22);
    EXPECT_EQ(st.wMinute, 13);
    EXPECT_EQ(st.wSecond, 20);
    EXPECT_EQ(st.wMilliseconds, 123);
    EXPECT_EQ(st.wDayOfWeek, 2);
    EXPECT_EQ(GetTickCount(), tick0);

    plUhrVorruecken(1900);
    EXPECT_EQ(plUhrJetztMs(), 1700000002023LL);
    EXPECT_EQ(GetTickCount(), tick0 + 1900);

    // Fixing again keeps the tick count continuous.
    plUhrFestsetzen(0);
    EXPECT_EQ(GetTickCount(), tick0 + 1900);
    plUhrFreigeben();
    EXPECT_FALSE(plUhrIstFest());
}
