// File dialogs: the filter's last character is its separator, the initial
// folder and name come from the given path, the working folder is the same
// afterwards, and a cancel empties the path.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "dlgpruef.h"
#include "winlib/dateiwahl.h"

using namespace dlgpruef;

namespace {

TEST(FilterUebersetzen, TheLastCharacterSeparates)
{
    struct Fall { const char* ein; std::string aus; };
    for (Fall f : {Fall{"Zeichnungen (*.zei)|*.zei|", std::string("Zeichnungen (*.zei)\0*.zei\0\0", 28)},
                   Fall{"Alle;*.*;Text;*.txt;", std::string("Alle\0*.*\0Text\0*.txt\0\0", 22)},
                   Fall{"", std::string("\0\0", 2)}}) {
        char z[WIDATEISUP + 3];
        int n = wiFilterUebersetzen(f.ein, z, sizeof z);
        EXPECT_EQ(std::string(z, static_cast<size_t>(n)), f.aus) << f.ein;
    }
    std::string lang(300, 'a');
    char z[WIDATEISUP + 3];
    EXPECT_EQ(wiFilterUebersetzen(lang.c_str(), z, sizeof z), 202);  // 200 characters at most
}

using DateiTest = Fixture;

TEST_F(DateiTest, InitialFolderAndNameComeFromThePathAndTheWorkingFolderStays)
{
    char vorher[1024];
    ASSERT_NE(getcwd(vorher, sizeof vorher), nullptr);
    plDateiDialogAntwort("/tmp/velmo-probe/neu.zei");
    char pfad[WIDATEISUP + 1] = "/projekte/haus/plan.zei";
    EXPECT_EQ(wiDateiDialog(pfad, "Zeichnung speichern", "Zeichnungen|*.zei|", 1), 1);
    EXPECT_STREQ(pfad, "/tmp/velmo-probe/neu.zei");
    ASSERT_EQ(plDateiDialogFragen().size(), 1u);
    const auto& f = plDateiDialogFragen()[0];
    EXPECT_EQ(f.ordner, "/projekte/haus");
    EXPECT_EQ(f.name, "plan.zei");
    EXPECT_EQ(f.titel, "Zeichnung speichern");
    EXPECT_EQ(f.filter, "Zeichnungen|*.zei|");
    EXPECT_NE(f.flags & OFN_HIDEREADONLY, 0u);
    EXPECT_EQ(f.flags & OFN_FILEMUSTEXIST, 0u);
    char nachher[1024];
    ASSERT_NE(getcwd(nachher, sizeof nachher), nullptr);
    EXPECT_STREQ(nachher, vorher);
    // Nothing queued: cancelled, the path emptied; a bare name starts in the working folder.
    char nur[WIDATEISUP + 1] = "plan.zei";
    EXPECT_EQ(wiDateiWahl(nur, "\xd6" "ffnen", "Alle|*.*|"), 0);
    EXPECT_STREQ(nur, "");
    EXPECT_EQ(plDateiDialogFragen().back().ordner, vorher);
    EXPECT_NE(plDateiDialogFragen().back().flags & OFN_FILEMUSTEXIST, 0u);
}

TEST_F(DateiTest, MultipleChoiceGivesTheNamesOneByOne)
{
    // The files must exist: the dialog checks them.
    std::string ordner = ::testing::TempDir() + "velmo-mehrfach";
    std::filesystem::create_directories(ordner);
    for (const char* n : {"a.zei", "b.zei"}) std::ofstream(ordner + "/" + n) << "x";
    plDateiDialogAntwortMehrere(ordner.c_str(), {"a.zei", "b.zei"});
    char pfad[WIDATEISUP + 1] = "";
    EXPECT_EQ(wiDateiMehrfach(pfad, "Zeichnungen", "Zeichnungen|*.zei|"), 2);
    char n[WIDATEISUP + 1];
    EXPECT_EQ(wiDateiMehrfachName(1, n), 1);
    EXPECT_EQ(std::string(n), ordner + "/b.zei");
    EXPECT_EQ(wiDateiMehrfachName(2, n), 0);
    EXPECT_STREQ(n, "");
}

}  // namespace

namespace {

TEST_F(DateiTest, FolderChooserStartsAtThePathAndEmptiesItWhenCancelled)
{
    std::string ordner = ::testing::TempDir() + "velmo-ordner";
    std::filesystem::create_directories(ordner);
    plDateiDialogAntwort(ordner.c_str());
    char pfad[WIDATEISUP + 1] = "/projekte";
    EXPECT_EQ(wiOrdnerWahl(pfad, "Ordner"), 1);
    EXPECT_EQ(std::string(pfad), ordner);
    ASSERT_FALSE(plDateiDialogFragen().empty());
    EXPECT_EQ(plDateiDialogFragen().back().ordner, "/projekte");
    EXPECT_EQ(wiOrdnerWahl(pfad, "Ordner"), 0);
    EXPECT_STREQ(pfad, "");
}

}  // namespace
