// Project lock and release files with a fixed user and clock.
#include "config/sperre.h"
#include "konftest.h"
#include "platform/benutzer.h"
#include "platform/uhr.h"

namespace {

namespace fs = std::filesystem;

class Sperre : public konftest::KonfTest {
protected:
    void SetUp() override
    {
        KonfTest::SetUp();
        ordner("prj");
        fs::current_path(wurzel_ / "prj");
        plBenutzerSetzen("M\xFCller");
        // 2026-03-04 05:06 local time
        struct tm t {};
        t.tm_year = 126;
        t.tm_mon = 2;
        t.tm_mday = 4;
        t.tm_hour = 5;
        t.tm_min = 6;
        t.tm_isdst = -1;
        plUhrFestsetzen(static_cast<int64_t>(mktime(&t)) * 1000);
        PrjSperreSchalten(1);
    }
    void TearDown() override
    {
        PrjSperreFrei();
        PrjSperreSchalten(0);
        plUhrFreigeben();
        plBenutzerSetzen(nullptr);
        KonfTest::TearDown();
    }
};

TEST_F(Sperre, LockFileBytes)
{
    EXPECT_EQ(PrjSperren(), 0);
    EXPECT_EQ(PrjSperreGehalten(), 1);
    EXPECT_EQ(lesen("prj/Velmo.lock"), "M\xFCller\r\n04.03.2026 05:06\r\n");
    char a[79], b[79];
    PrjSperreLesen(a, b);
    EXPECT_STREQ(a, "M\xFCller");
    EXPECT_STREQ(b, "04.03.2026 05:06");

    // locking twice replaces the own file with a new time
    plUhrVorruecken(60 * 1000);
    EXPECT_EQ(PrjSperren(), 0);
    EXPECT_EQ(lesen("prj/Velmo.lock"), "M\xFCller\r\n04.03.2026 05:07\r\n");

    PrjSperreFrei();
    EXPECT_FALSE(fs::exists(wurzel_ / "prj" / "Velmo.lock"));
    EXPECT_EQ(PrjSperreGehalten(), 0);
}

TEST_F(Sperre, ForeignAndOldFiles)
{
    datei("prj/Zavik.lock", "alt\r\n");
    EXPECT_EQ(PrjSperren(), 0);  // an old lock alone does not block
    PrjSperreFrei();

    datei("prj/Velmo.lock", "Fremd\r\n01.01.2020 10:00\r\n");
    EXPECT_EQ(PrjSperren(), -1);
    EXPECT_EQ(PrjSperreGehalten(), 0);
    EXPECT_EQ(lesen("prj/Velmo.lock"), "Fremd\r\n01.01.2020 10:00\r\n");

    PrjSperreSchalten(0);
    EXPECT_EQ(PrjSperren(), 0);  // locking off
    PrjSperreSchalten(1);

    std::string lang(100, 'u');
    plBenutzerSetzen(lang.c_str());
    fs::remove(wurzel_ / "prj" / "Velmo.lock");
    EXPECT_EQ(PrjSperren(), 0);
    EXPECT_EQ(lesen("prj/Velmo.lock"), std::string(80, 'u') + "\r\n04.03.2026 05:06\r\n");
}

TEST_F(Sperre, ReleaseFiles)
{
    EXPECT_EQ(PrjFreigabe(2), 0);
    EXPECT_EQ(PrjFreigabe(0), 0);
    EXPECT_EQ(lesen("prj/Velmo.nolock"), "M\xFCller\r\n04.03.2026 05:06\r\n");
    EXPECT_EQ(PrjFreigabe(2), 1);
    EXPECT_EQ(PrjSperren(), 0);
    EXPECT_FALSE(fs::exists(wurzel_ / "prj" / "Velmo.lock"));  // released: no lock written
    EXPECT_EQ(PrjSperreGehalten(), 0);

    datei("prj/Zavik.nolock", "");
    EXPECT_EQ(PrjFreigabe(1), 0);
    EXPECT_FALSE(fs::exists(wurzel_ / "prj" / "Velmo.nolock"));
    EXPECT_FALSE(fs::exists(wurzel_ / "prj" / "Zavik.nolock"));
    EXPECT_EQ(PrjFreigabe(2), 0);
}

TEST_F(Sperre, TestingDoesNotForgetTheOwnLock)
{
    EXPECT_EQ(PrjSperren(), 0);
    EXPECT_EQ(PrjSperreDa(), 1);
    EXPECT_EQ(PrjSperreGehalten(), 1);
    PrjSperreFrei();  // still deletes the own lock
    EXPECT_FALSE(fs::exists(wurzel_ / "prj" / "Velmo.lock"));
    EXPECT_EQ(PrjSperreDa(), 0);

    EXPECT_EQ(PrjSperren(), 0);
    datei("prj/Zavik.lock", "");
    PrjSperreLoeschen();
    EXPECT_EQ(PrjSperreDa(), 0);
    EXPECT_EQ(PrjSperreGehalten(), 0);
}

}  // namespace
