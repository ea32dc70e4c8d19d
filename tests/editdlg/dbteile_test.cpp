// Shared pieces of the editor dialogs: numbers written with the editor's
// decimals, the square of a component preview, the component libraries.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config/verzeich.h"
#include "editdlg/dbteile.h"
#include "tests/editdlg/dbpruef.h"

namespace fs = std::filesystem;

namespace {

TEST(DbTeile, NumbersCarryTheEditorsDecimals)
{
    struct Fall {
        double wert;
        int dezimalen;
        const char* text;
    } faelle[] = {
        {2.5, 3, "2.500"}, {2.5, 1, "2.5"}, {-0.001, 2, "0.00"}, {-1.25, 4, "-1.2500"}, {1234567.891, 2, "1234567.89"},
        {0.05, 1, "0.1"},
    };
    for (const Fall& f : faelle) EXPECT_EQ(DlgZahlText(f.wert, f.dezimalen), f.text) << f.wert;
}

TEST(DbTeile, APreviewSquareCentresTheShorterSide)
{
    struct Fall {
        double x1, y1, x2, y2;
        BtlQuadrat soll;
    } faelle[] = {
        {10, 20, 11, 23, {8.5, 19.5, 4.0}},                  // 1 x 3: side 4.0 around it
        {0, 0, 100, 50, {-2.08, -27.08, 104.0}},              // 100 x 50: grown by 4 %
        {0, 0, 0, 0, {-2.0, -2.0, 4.0}},                      // a point
        {5, 5, 5, 15, {-0.208, 4.792, 10.4}},                 // 0 x 10
    };
    for (const Fall& f : faelle) {
        BtlQuadrat q = BtlQuadratVon(f.x1, f.y1, f.x2, f.y2);
        EXPECT_NEAR(q.x, f.soll.x, 1e-9) << f.x2;
        EXPECT_NEAR(q.y, f.soll.y, 1e-9) << f.x2;
        EXPECT_NEAR(q.seite, f.soll.seite, 1e-9) << f.x2;
    }
}

class BtlDateien : public ::testing::Test {
protected:
    fs::path wurzel = dbpruef::tempName("btldateien");
    void SetUp() override
    {
        fs::remove_all(wurzel);
        fs::create_directories(wurzel / "oben" / "projekt");
        fs::create_directories(wurzel / "bib");
    }
    void TearDown() override
    {
        VerSetzen(1, "");
        VerSetzen(2, "");
        fs::remove_all(wurzel);
    }
    static void datei(const fs::path& p) { std::ofstream(p) << "x"; }
    static std::vector<std::string> liste()
    {
        std::vector<std::string> v;
        std::string n;
        for (int i = 0; BtlDateiName(i, &n); ++i) v.push_back(n);
        return v;
    }
};

TEST_F(BtlDateien, SortedWithoutDuplicatesAndUpwardWhenMarked)
{
    datei(wurzel / "bib" / "BAUTEILE.ELT");
    datei(wurzel / "bib" / "bauteile.abc");
    datei(wurzel / "bib" / "BAUTEILE");
    datei(wurzel / "bib" / "ANDERE.ELT");
    fs::create_directories(wurzel / "bib" / "BAUTEILE.ORD");
    datei(wurzel / "oben" / "BAUTEILE.abc");
    datei(wurzel / "oben" / "projekt" / "BAUTEILE.PRJ");
    VerSetzen(1, (wurzel / "oben" / "projekt").c_str());
    VerSetzen(2, (wurzel / "bib").c_str());
    EXPECT_EQ(BtlDateienSammeln(), 3);
    EXPECT_EQ(liste(), (std::vector<std::string>{"BAUTEILE.", "bauteile.abc", "BAUTEILE.ELT"}));
    std::string n = "x";
    EXPECT_EQ(BtlDateiName(3, &n), 0);
    EXPECT_EQ(n, "");
    VerSetzen(2, ("@" + (wurzel / "bib").string()).c_str());
    EXPECT_EQ(BtlDateienSammeln(), 4);
    EXPECT_EQ(liste(), (std::vector<std::string>{"BAUTEILE.", "BAUTEILE.abc", "BAUTEILE.ELT", "BAUTEILE.PRJ"}))
        << "the first found of two equal names stays";
}

TEST_F(BtlDateien, AtMostAHundred)
{
    for (int i = 0; i < 120; ++i) datei(wurzel / "bib" / ("BAUTEILE.E" + std::to_string(100 + i)));
    VerSetzen(2, (wurzel / "bib").c_str());
    EXPECT_EQ(BtlDateienSammeln(), 100);
}

}  // namespace
