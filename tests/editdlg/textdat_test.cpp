// Text files shown to the user: the external editor's command line, the
// file made when it is missing, and the viewer that never cuts a file and
// keeps it when a save fails.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "editdlg/textdat.h"
#include "platform/fehlersim.h"
#include "platform/shell.h"
#include "support/texte.h"
#include "tests/editdlg/dbpruef.h"

namespace fs = std::filesystem;

namespace {

using dbpruef::pumpen;

std::vector<std::vector<std::string>> gestartet;
int starter(const std::vector<std::string>& w, const std::string&)
{
    gestartet.push_back(w);
    return 0;
}
bool zuordnung(const std::string&, std::string* programm)
{
    *programm = "/usr/bin/cat";
    return true;
}

class TxaTest : public dbpruef::DbTest {
protected:
    fs::path ordner = dbpruef::tempName("txa test");
    void SetUp() override
    {
        DbTest::SetUp();
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        gestartet.clear();
        plShellStarterSetzen(starter);
        plNachrichtBoxFragenLeeren();
    }
    void TearDown() override
    {
        plShellStarterSetzen(nullptr);
        plShellZuordnungSetzen(nullptr);
        EdEinst()->exenote[0] = '\0';
        fs::remove_all(ordner);
        DbTest::TearDown();
    }
    static std::string lesen(const fs::path& p)
    {
        std::ifstream f(p, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    static void schreiben(const fs::path& p, const std::string& t) { std::ofstream(p, std::ios::binary) << t; }
};

TEST(TxaKommando, ThePathTakesTheFirstPlaceholderOnly)
{
    struct Fall {
        const char* muster;
        const char* soll;
    } faelle[] = {
        {"edit %s %d", "edit \"/a b/x.txt\" %d"},
        {"edit", "edit \"/a b/x.txt\""},
        {"  edit -n  ", "edit -n \"/a b/x.txt\""},
        {"e %s %s", "e \"/a b/x.txt\" %s"},
        {"e 100%% %s", "e 100%% \"/a b/x.txt\""},
    };
    for (const Fall& f : faelle) EXPECT_EQ(TxaKommando(f.muster, "/a b/x.txt"), f.soll) << f.muster;
}

TEST_F(TxaTest, TheEditorGetsThePathAsOneWord)
{
    fs::path datei = ordner / "Layer liste.txt";
    schreiben(datei, "x\r\n");
    strkopie(EdEinst()->exenote, sizeof EdEinst()->exenote, "cat %s %d", 100);
    EXPECT_EQ(TextDateiExtern(datei.c_str()), 0);
    ASSERT_EQ(gestartet.size(), 1u);
    ASSERT_EQ(gestartet[0].size(), 3u);
    EXPECT_EQ(fs::path(gestartet[0][0]).filename(), "cat");
    EXPECT_EQ(gestartet[0][1], datei.string());
    EXPECT_EQ(gestartet[0][2], "%d");
    // Without a pattern: the program for text files.
    EdEinst()->exenote[0] = '\0';
    plShellZuordnungSetzen(zuordnung);
    EXPECT_EQ(TextDateiExtern(datei.c_str()), 0);
    ASSERT_EQ(gestartet.size(), 2u);
    EXPECT_EQ(gestartet[1], (std::vector<std::string>{"/usr/bin/cat", datei.string()}));
}

// Without a program for text files, or when it does not start, the user is
// told so instead of seeing nothing ("Resultat im Editor öffnen").
TEST_F(TxaTest, WithoutAProgramTheUserLearnsWhy)
{
    fs::path datei = ordner / "Klemmen.txt";
    schreiben(datei, "x\r\n");
    plShellZuordnungSetzen([](const std::string&, std::string*) { return false; });
    EXPECT_EQ(TextDateiExtern(datei.c_str()), -1);
    EXPECT_TRUE(gestartet.empty());
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_NE(plNachrichtBoxFragen()[0].text.find("Kein Programm f\xFCr Textdateien gefunden"), std::string::npos)
        << plNachrichtBoxFragen()[0].text;
    plNachrichtBoxFragenLeeren();
    plShellStarterSetzen([](const std::vector<std::string>&, const std::string&) { return -1; });
    strkopie(EdEinst()->exenote, sizeof EdEinst()->exenote, "gibtsnicht %s", 100);
    EXPECT_EQ(TextDateiExtern(datei.c_str()), -1);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text.rfind("Kann gibtsnicht ", 0), 0u) << plNachrichtBoxFragen()[0].text;
}

TEST_F(TxaTest, AMissingFileIsMadeOnlyWhenWanted)
{
    strkopie(EdEinst()->exenote, sizeof EdEinst()->exenote, "cat", 100);
    fs::path datei = ordner / "neu.txt";
    plNachrichtBoxAntwort(IDNO);
    EXPECT_EQ(TextDateiExtern(datei.c_str()), -1);
    EXPECT_FALSE(fs::exists(datei));
    EXPECT_TRUE(gestartet.empty());
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Datei anlegen?");
    plNachrichtBoxAntwort(IDYES);
    EXPECT_EQ(TextDateiExtern(datei.c_str()), 0);
    EXPECT_EQ(lesen(datei), "Neu angelegt\r\n");
    EXPECT_EQ(gestartet.size(), 1u);
}

TEST_F(TxaTest, ALongFileIsShownReadOnlyAndNeverCut)
{
    fs::path datei = ordner / "lang.txt";
    std::string inhalt;
    while (inhalt.size() < 150000) inhalt += "Zeile " + std::to_string(inhalt.size()) + "\r\n";
    schreiben(datei, inhalt);
    ASSERT_EQ(TextAnzeigen(datei.c_str()), 0);
    pumpen();
    HWND d = wiDlgSuchen("TEXTANZEIGEN");
    ASSERT_NE(d, 0u);
    EXPECT_EQ(GetWindowTextLength(GetDlgItem(d, 3000)), static_cast<int>(inhalt.size()));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 2500)));
    ASSERT_FALSE(plNachrichtBoxFragen().empty());
    EXPECT_NE(plNachrichtBoxFragen().back().text.find("100000"), std::string::npos);
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(lesen(datei), inhalt);
}

TEST_F(TxaTest, ASaveReplacesTheFileOrKeepsItAndSaysSo)
{
    fs::path datei = ordner / "kurz.txt";
    schreiben(datei, "alt\r\n");
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen,
                            PlFehlerArt::Schliessen}) {
        SCOPED_TRACE(static_cast<int>(art));
        plNachrichtBoxFragenLeeren();
        ASSERT_EQ(TextAnzeigen(datei.c_str()), 0);
        pumpen();
        HWND d = wiDlgSuchen("TEXTANZEIGEN");
        ASSERT_NE(d, 0u);
        SetDlgItemText(d, 3000, "neu\r\n");
        {
            PlFehlerScope fehler;
            plFehlerSetzen(art, 1, true);
            SendMessage(d, WM_COMMAND, 2500, 0);
        }
        pumpen();
        EXPECT_EQ(lesen(datei), "alt\r\n");
        ASSERT_FALSE(plNachrichtBoxFragen().empty());
        EXPECT_NE(plNachrichtBoxFragen().back().text.find("unver"), std::string::npos);
        EXPECT_EQ(wiDlgSuchen("TEXTANZEIGEN"), d) << "the text is still there to try again";
        SendMessage(d, WM_COMMAND, 2501, 0);
        pumpen();
    }
    ASSERT_EQ(TextAnzeigen(datei.c_str()), 0);
    pumpen();
    HWND d = wiDlgSuchen("TEXTANZEIGEN");
    ASSERT_NE(d, 0u);
    SetDlgItemText(d, 3000, "neu\r\nzwei\r\n");
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(lesen(datei), "neu\r\nzwei\r\n");
    EXPECT_EQ(wiDlgSuchen("TEXTANZEIGEN"), 0u);
    std::vector<std::string> reste;
    for (const auto& e : fs::directory_iterator(ordner)) reste.push_back(e.path().filename().string());
    EXPECT_EQ(reste, std::vector<std::string>{"kurz.txt"}) << "no temporary file left behind";
}

}  // namespace
