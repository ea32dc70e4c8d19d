// The line chooser of a text file: the lines as read, the choice handed
// back, the search, and the reload after editing the file outside.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editdlg/wahl.h"
#include "platform/shell.h"
#include "support/texte.h"
#include "tests/editdlg/dbpruef.h"

namespace fs = std::filesystem;

namespace {

using dbpruef::pumpen;

std::vector<std::string> gewaehlt;
void merken(const char* z) { gewaehlt.push_back(z); }
int starter(const std::vector<std::string>&, const std::string&) { return 0; }

class WahlTest : public dbpruef::DbTest {
protected:
    fs::path datei = dbpruef::tempName("wahl") + ".txt";
    void SetUp() override
    {
        DbTest::SetUp();
        gewaehlt.clear();
        std::ofstream(datei, std::ios::binary) << "M1\tMotor\r\nK1 Sch\x81tz\r\nLAMPE Leuchte\r\n";
    }
    void TearDown() override
    {
        plShellStarterSetzen(nullptr);
        EdEinst()->exenote[0] = '\0';
        fs::remove(datei);
        DbTest::TearDown();
    }
    HWND oeffnen(const char* vorlage)
    {
        DB1204Oeffnen(vorlage, datei.c_str(), merken);
        pumpen();
        return wiDlgSuchen(vorlage);
    }
};

TEST(WahlZeilen, TabsCodePageAndLength)
{
    fs::path p = dbpruef::tempName("wahlzeilen");
    std::ofstream(p, std::ios::binary) << "a\tb\r\nabcdefgh\tx\n\x84\x94\x81\r\n" << std::string(250, 'z') << "\nletzte";
    std::vector<std::string> z = WahlZeilenLesen(p.c_str());
    ASSERT_EQ(z.size(), 5u);
    EXPECT_EQ(z[0], "a       b");
    EXPECT_EQ(z[1], "abcdefgh        x");
    EXPECT_EQ(z[2], "\xe4\xf6\xfc");
    EXPECT_EQ(z[3], std::string(200, 'z'));
    EXPECT_EQ(z[4], "letzte");
    EXPECT_TRUE(WahlZeilenLesen("/gibt/es/nicht").empty());
    fs::remove(p);
}

TEST_F(WahlTest, AChosenLineGoesBackAndTheChooserCloses)
{
    HWND d = oeffnen("DB1204T");
    ASSERT_NE(d, 0u);
    char titel[300];
    GetWindowText(d, titel, sizeof titel);
    EXPECT_EQ(std::string(titel), datei.string());
    EXPECT_EQ(SendDlgItemMessage(d, 3000, LB_GETCOUNT, 0, 0), 3);
    SetDlgItemText(d, 3010, "leuchte");
    SendMessage(d, WM_COMMAND, 2510, 0);
    EXPECT_EQ(SendDlgItemMessage(d, 3000, LB_GETCURSEL, 0, 0), 2);
    CheckDlgButton(d, 2502, BST_UNCHECKED);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3000, LBN_DBLCLK), 0);
    pumpen();
    EXPECT_EQ(gewaehlt, std::vector<std::string>{"LAMPE Leuchte"});
    EXPECT_NE(wiDlgSuchen("DB1204T"), 0u) << "kept open";
    HWND v = oeffnen("DB1204V");
    ASSERT_NE(v, 0u) << "the other template is a window of its own";
    EXPECT_NE(v, d);
    SendDlgItemMessage(v, 3000, LB_SETCURSEL, 1, 0);
    SendMessage(v, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(gewaehlt.back(), "K1 Sch\xfctz");
    EXPECT_EQ(wiDlgSuchen("DB1204V"), 0u) << "closed after the choice";
}

TEST_F(WahlTest, EditedOutsideTheListIsReadAgainOnReturn)
{
    plShellStarterSetzen(starter);
    strkopie(EdEinst()->exenote, sizeof EdEinst()->exenote, "cat", 100);
    HWND d = oeffnen("DB1204T");
    ASSERT_NE(d, 0u);
    SendMessage(d, WM_COMMAND, 2520, 0);
    std::ofstream(datei, std::ios::app | std::ios::binary) << "NEU Zeile\r\n";
    SendMessage(d, WM_ACTIVATE, WA_INACTIVE, 0);
    pumpen();
    EXPECT_EQ(SendDlgItemMessage(d, 3000, LB_GETCOUNT, 0, 0), 3);
    SendMessage(d, WM_ACTIVATE, WA_ACTIVE, 0);
    pumpen();
    EXPECT_EQ(SendDlgItemMessage(d, 3000, LB_GETCOUNT, 0, 0), 4);
}

}  // namespace
