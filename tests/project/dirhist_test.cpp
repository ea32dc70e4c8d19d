// Recent project folders: order of recency, equal paths, the limit of ten,
// the menu items 1680.. with their texts, the report of a folder switch,
// the ini round trip with placeholders, gaps and stale keys, and a failing
// ini write.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "config/inidatei.h"
#include "platform/fehlersim.h"
#include "platform/menue.h"
#include "project/dirhist.h"
#include "output/druck.h"
#include "project/chkdlg.h"
#include "project/export.h"
#include "project/hbview.h"
#include "project/hilfe.h"
#include "project/impdlg.h"
#include "project/inhalt.h"
#include "project/projneu.h"
#include "project/proverw.h"
#include "project/pvwliste.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/titeldlg.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "winlib/anwdaten.h"

namespace {

namespace fs = std::filesystem;

class DirHistTest : public ::testing::Test {
protected:
    fs::path ordner;
    HMENU leiste = 0;
    HMENU projekt = 0;

    void SetUp() override
    {
        ordner = fs::temp_directory_path() / ("velmo-dirhist-" + std::to_string(getpid()));
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        IniPfadSetzen(ini().c_str());
        DirZuruecksetzen();
        leiste = CreateMenu();
        projekt = CreatePopupMenu();
        AppendMenu(projekt, MF_STRING, 1500, "&Projektliste");
        AppendMenu(projekt, MF_SEPARATOR, 0, nullptr);
        AppendMenu(leiste, MF_POPUP, static_cast<UINT_PTR>(projekt), "&Projekt");
        altMenue = anwDaten()->menue;
        anwDaten()->menue = leiste;
    }

    void TearDown() override
    {
        plFehlerAllesAus();
        anwDaten()->menue = altMenue;
        DestroyMenu(leiste);
        DirZuruecksetzen();
        IniPfadSetzen("");
        fs::remove_all(ordner);
    }

    std::string ini() const { return (ordner / "Velmo-11.ini").string(); }

    std::vector<std::string> tabelle() const
    {
        std::vector<std::string> t;
        for (int i = 0; i < DIRSUP; ++i) t.push_back(DirEintragAdr(i)->pfad);
        while (!t.empty() && t.back().empty()) t.pop_back();
        return t;
    }

    // The recent-folder items of the project column: id and text.
    std::vector<std::pair<int, std::string>> menue() const
    {
        std::vector<std::pair<int, std::string>> m;
        for (int i = 0; i < GetMenuItemCount(projekt); ++i) {
            int id = static_cast<int>(GetMenuItemID(projekt, i));
            if (id < DIRIDBASIS || id >= DIRIDBASIS + DIRSUP) continue;
            char text[300];
            GetMenuString(projekt, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            m.emplace_back(id, text);
        }
        return m;
    }

    std::string iniText() const
    {
        std::ifstream f(ini(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }

    void iniSchreiben(const std::string& text) const { std::ofstream(ini(), std::ios::binary) << text; }

private:
    HMENU altMenue = 0;
};

using Tab = std::vector<std::string>;

TEST_F(DirHistTest, ARememberedPathGoesToTheFrontAndAKnownOneMovesUp)
{
    for (const char* p : {"/p/a", "/p/b", "/p/c"}) DirMerken(p);
    EXPECT_EQ(tabelle(), (Tab{"/p/c", "/p/b", "/p/a"}));
    DirMerken("/p/a");
    EXPECT_EQ(tabelle(), (Tab{"/p/a", "/p/c", "/p/b"}));
    DirMerken("/p/a");
    EXPECT_EQ(tabelle(), (Tab{"/p/a", "/p/c", "/p/b"}));
    for (int i = 0; i < DIRSUP; ++i) EXPECT_EQ(DirEintragAdr(i)->id, DIRIDBASIS + i);
    EXPECT_EQ(DirEintragAdr(DIRSUP), nullptr);
}

TEST_F(DirHistTest, EqualPathsIgnoreSeparatorsButNotCase)
{
    struct Fall {
        const char* zweiter;
        Tab erwartet;
    };
    const Fall faelle[] = {
        {"/Proj/A/", {"/Proj/A"}},
        {"\\Proj\\A", {"/Proj/A"}},
        {"/Proj/A//", {"/Proj/A"}},
        {"/proj/a", {"/proj/a", "/Proj/A"}},
        {"/Proj/AB", {"/Proj/AB", "/Proj/A"}},
    };
    for (const Fall& f : faelle) {
        DirZuruecksetzen();
        DirMerken("/Proj/A");
        DirMerken(f.zweiter);
        EXPECT_EQ(tabelle(), f.erwartet) << f.zweiter;
    }
}

TEST_F(DirHistTest, EmptyAndOverLongPathsAreNotRemembered)
{
    DirMerken("/p/a");
    const std::string grenze = "/" + std::string(DIRPFADSUP - 1, 'x');
    for (const std::string& p : {std::string(), std::string("/"), grenze, grenze + "y", grenze + "/"}) DirMerken(p.c_str());
    DirMerken(nullptr);
    // "/" stays a root; 200 characters fit (a trailing separator goes first),
    // 201 would be cut into another folder's name.
    EXPECT_EQ(tabelle(), (Tab{grenze, "/", "/p/a"}));
}

TEST_F(DirHistTest, TheEleventhFolderPushesTheOldestOutOfTableAndMenu)
{
    for (int i = 0; i <= DIRSUP; ++i) DirAktuellMelden(("/p/" + std::to_string(i)).c_str());
    auto m = menue();
    ASSERT_EQ(m.size(), static_cast<size_t>(DIRSUP));
    for (int i = 0; i < DIRSUP; ++i) {
        EXPECT_EQ(m[static_cast<size_t>(i)].first, DIRIDBASIS + i);
        EXPECT_EQ(m[static_cast<size_t>(i)].second, "&" + std::to_string(i) + " /p/" + std::to_string(DIRSUP - i));
    }
    char p[DIRPFADSUP + 1];
    EXPECT_EQ(DirNachId(DIRIDBASIS + 9, p, sizeof p), 1);
    EXPECT_STREQ(p, "/p/1");
    // The project column keeps its own items in front.
    EXPECT_EQ(GetMenuItemID(projekt, 0), 1500u);
}

TEST_F(DirHistTest, ReportingTheSameFolderAgainChangesNothing)
{
    DirAktuellMelden("/p/a/");
    DirAktuellMelden("/p/b");
    DirAktuellMelden("/p/b/");
    EXPECT_EQ(tabelle(), (Tab{"/p/b", "/p/a"}));
    // Moved behind the caller's back: a repeated report does not bring it
    // forward again, and the menu keeps its items.
    DirMerken("/p/a");
    DirAktuellMelden("/p/b");
    EXPECT_EQ(tabelle(), (Tab{"/p/a", "/p/b"}));
    EXPECT_EQ(menue(), (std::vector<std::pair<int, std::string>>{{1680, "&0 /p/b"}, {1681, "&1 /p/a"}}));
    DirAktuellMelden("/p/a");
    EXPECT_EQ(menue(), (std::vector<std::pair<int, std::string>>{{1680, "&0 /p/a"}, {1681, "&1 /p/b"}}));
}

TEST_F(DirHistTest, RebuildingTheMenuNeverDoublesItsItems)
{
    DirMerken("/p/a");
    DirMenueAufbauen();
    // A menu item of the id made elsewhere (a menu loaded with one) goes too.
    AppendMenu(projekt, MF_STRING, 1681, "alt");
    DirMenueAufbauen();
    EXPECT_EQ(menue(), (std::vector<std::pair<int, std::string>>{{1680, "&0 /p/a"}}));
    EXPECT_EQ(DirEintragAdr(0)->menue, 1);
    DirMenueLoeschen();
    EXPECT_TRUE(menue().empty());
    EXPECT_EQ(DirEintragAdr(0)->menue, 0);
}

TEST_F(DirHistTest, IdLookupGivesThePathOrAnEmptyOne)
{
    DirMerken("/p/a");
    DirMerken("/p/b");
    struct Fall {
        int id;
        int ergebnis;
        const char* pfad;
    };
    for (const Fall& f : {Fall{1680, 1, "/p/b"}, Fall{1681, 1, "/p/a"}, Fall{1682, 0, ""}, Fall{1679, 0, ""},
                          Fall{1690, 0, ""}}) {
        char p[DIRPFADSUP + 1] = "alt";
        EXPECT_EQ(DirNachId(f.id, p, sizeof p), f.ergebnis) << f.id;
        EXPECT_STREQ(p, f.pfad) << f.id;
    }
    char kurz[4];
    EXPECT_EQ(DirNachId(1680, kurz, sizeof kurz), 1);
    EXPECT_STREQ(kurz, "/p/");
    // The frame's names.
    char p[DIRPFADSUP + 1];
    EXPECT_EQ(PvwLetzterOrdner(1681, p), 1);
    EXPECT_STREQ(p, "/p/a");
    EXPECT_EQ(PvwLetzterOrdner(1685, p), 0);
    EXPECT_STREQ(p, "");
}

TEST_F(DirHistTest, TheIniFileKeepsTheOrderAcrossARun)
{
    for (const char* p : {"/p/c", "/p/b", "/p/a"}) PvwOrdnerMerken(p);
    EXPECT_EQ(DirHistorySchreiben(), 0);
    const std::string text = iniText();
    EXPECT_NE(text.find("[DirHistory]"), std::string::npos);
    EXPECT_LT(text.find("Dir0=/p/a"), text.find("Dir1=/p/b"));
    EXPECT_NE(text.find("Dir2=/p/c"), std::string::npos);
    EXPECT_EQ(text.find("Dir3"), std::string::npos);
    DirMenueLoeschen();
    DirZuruecksetzen();
    PvwOrdnerLaden();
    EXPECT_EQ(tabelle(), (Tab{"/p/a", "/p/b", "/p/c"}));
    EXPECT_EQ(menue().size(), 3u);
}

TEST_F(DirHistTest, ReadingExpandsPlaceholdersAndSkipsGapsDoublesAndOverLongValues)
{
    setenv("VELMO_DIRHIST_TEST", "/env/ort", 1);
    iniSchreiben("[DirHistory]\r\nDir0=$(VELMO_DIRHIST_TEST)/a\r\nDir2=/p/c\r\nDir3=/p/c/\r\nDir4=/" +
                 std::string(DIRPFADSUP + 5, 'x') + "\r\nDir5=  \r\nDir9=/p/j\r\n[Andere]\r\nDir1=/q\r\n");
    DirHistoryLesen();
    EXPECT_EQ(tabelle(), (Tab{"/env/ort/a", "/p/c", "/p/j"}));
    EXPECT_EQ(menue().size(), 3u);
    unsetenv("VELMO_DIRHIST_TEST");
}

TEST_F(DirHistTest, WritingDropsKeysOfEmptyPlacesAndWritesWithoutAMenu)
{
    iniSchreiben("[DirHistory]\nDir0=/alt/0\nDir1=/alt/1\nDir2=/alt/2\nWrzDir0=/wurzel\n");
    // No main menu (a run without one): the entries are still saved.
    anwDaten()->menue = 0;
    DirAktuellMelden("/neu");
    EXPECT_EQ(DirEintragAdr(0)->menue, 0);
    EXPECT_EQ(DirHistorySchreiben(), 0);
    anwDaten()->menue = leiste;
    DirZuruecksetzen();
    DirHistoryLesen();
    EXPECT_EQ(tabelle(), (Tab{"/neu"}));
    EXPECT_NE(iniText().find("WrzDir0=/wurzel"), std::string::npos);
}

TEST_F(DirHistTest, AFailingIniWriteIsReported)
{
    DirMerken("/p/a");
    PlFehlerScope scope;
    plFehlerSetzen(PlFehlerArt::Umbenennen, 1, true);
    EXPECT_EQ(DirHistorySchreiben(), -1);
    plFehlerAllesAus();
    EXPECT_EQ(DirHistorySchreiben(), 0);
}

}  // namespace
