// The library chooser: the dispo library's names, and the warning when the
// configured library cannot be opened.
#include <gtest/gtest.h>

#include "editdlg/db1232.h"
#include "tests/editdlg/bautpruef.h"
#include "tests/equipment/bmtest.h"

namespace {

struct Db1232 : bmtest::BmTest {
    bautpruef::BautHilfe b;
    void SetUp() override
    {
        BmTest::SetUp();
        b.start();
        plNachrichtBoxFragenLeeren();
    }
    void TearDown() override
    {
        b.ende();
        BmTest::TearDown();
    }
};

TEST_F(Db1232, NamesOfTheDispoLibraryOrTheWarning)
{
    const std::string bib = b.kopie("BAUTEILE.L10", "BAUTEILE.DIS");
    b.dazu(bib, {"D1"});
    VerSetzen(2, (b.o.pfad.string() + "/").c_str());
    vorgaben("BMuse 1\nBMdzus DIS\nBMpzus XYZ\n");
    BMStart();
    std::vector<std::string> n;
    ASSERT_EQ(Db1232Namen(0, "", &n), 0);
    EXPECT_EQ(n, (std::vector<std::string>{"D1", "M1"}));
    EXPECT_STREQ(Db1232Titel(0), "Dispobauteil");
    EXPECT_EQ(Db1232Namen(1, "", &n), -1);
    EXPECT_TRUE(n.empty());
    EXPECT_EQ(b.meldungen(), std::vector<std::string>{"Kann Bauteildatei XYZ nicht \xF6" "ffnen."});
    ASSERT_EQ(Db1232Namen(2, bib.c_str(), &n), 0);  // contact mirror: the editor's library
    EXPECT_EQ(n.size(), 2u);
    VerSetzen(2, "");
}

}  // namespace
