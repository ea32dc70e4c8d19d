// Properties of the open drawing: the header fields written into the
// document at once (with the title buffer and the translations of another
// language), the background drawing undone by Escape, opening by a page
// reference.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/reaktion.h"
#include "editdlg/einstell.h"
#include "editor/befausf.h"
#include "editor/edkopf.h"
#include "equipment/fstx.h"
#include "model/beffifo.h"
#include "support/texte.h"
#include "tests/editdlg/dbpruef.h"

namespace fs = std::filesystem;

namespace {

using dbpruef::pumpen;

TEST(EigVerzeichnis, ALongDirectoryShowsItsEnd)
{
    const std::string kurz(50, 'a');
    EXPECT_EQ(EigVerzeichnisText(kurz.c_str()), kurz);
    const std::string lang = std::string(13, 'x') + std::string(47, 'b');
    EXPECT_EQ(EigVerzeichnisText(lang.c_str()), "..." + std::string(47, 'b'));
}

class EigTest : public dbpruef::SchlangeTest {
protected:
    void SetUp() override
    {
        SchlangeTest::SetUp();
        ZeiKopfLeeren();
    }
    void TearDown() override
    {
        SchlangeTest::TearDown();
        ZeiKopfLeeren();
        SprSetzen(0);
    }
    static std::vector<std::string> namen()
    {
        std::vector<std::string> v;
        for (const BEF& b : saetze()) v.push_back(std::string(BefName(b.code)) + (b.text[0] ? " " : "") + b.text);
        return v;
    }
};

TEST_F(EigTest, HeaderFieldsGoIntoTheDrawingAtOnce)
{
    ZeiKopfTextSetzen(0, "Alt");
    HWND d = oeffnen(1010);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3050), "Alt");
    tippen(d, 3051, "  Verteilung  ");
    EXPECT_STREQ(ZeiKopfText(1), "Verteilung") << "trimmed";
    EXPECT_EQ(namen(), std::vector<std::string>{"_BMG"});
    tippen(d, 3080, "B-12345678901");
    EXPECT_STREQ(ZeiKopfText(-1), "B-12345678") << "10 characters";
    tippen(d, 3090, "Kurz");
    EXPECT_STREQ(ZeiKopfText(10), "Kurz");
    namen();
    // The buffer outlives the dialog; writing it back acts as an edit.
    SendMessage(d, WM_COMMAND, 2520, 0);
    SendMessage(d, WM_COMMAND, 2, 0);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1010"), 0u);
    ZeiKopfLeeren();
    d = oeffnen(1010);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3051), "");
    SendMessage(d, WM_COMMAND, 2521, 0);
    EXPECT_EQ(text(d, 3051), "Verteilung");
    EXPECT_STREQ(ZeiKopfText(0), "Alt");
    EXPECT_EQ(namen(), std::vector<std::string>{"_BMG"}) << "taken once";
    klick(d, 3031);
    EXPECT_EQ(namen(), std::vector<std::string>{"ZA4"});
}

TEST_F(EigTest, AnotherLanguageShowsAndStoresTranslations)
{
    ZeiKopfTextSetzen(0, "Verteilung");
    ZeiKopfTextSetzen(1, "Keller");
    FstxInit();
    SprSetzen(2);
    ASSERT_EQ(FstxTitelSetzen("", 0, "Distribution"), 0);
    HWND d = oeffnen(1010);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3050), "Distribution");
    EXPECT_EQ(text(d, 3051), "Keller") << "no translation: the drawing's line";
    tippen(d, 3051, "Basement");
    char t[256] = "";
    FstxTitelText("", 1, t);
    EXPECT_STREQ(t, "Basement");
    EXPECT_STREQ(ZeiKopfText(1), "Keller") << "the drawing's own line stays";
    FstxFrei();
}

class HgTest : public EigTest {
protected:
    fs::path o = dbpruef::tempName("hg");
    void SetUp() override
    {
        EigTest::SetUp();
        fs::create_directories(o);
        std::ofstream(o / "A.zei") << "x";
        std::ofstream(o / "B.zei") << "x";
        strkopie(BefFlags()->hintergrund, sizeof BefFlags()->hintergrund, (o / "A.zei").c_str(), 255);
    }
    void TearDown() override
    {
        BefFlags()->hintergrund[0] = '\0';
        fs::remove_all(o);
        EigTest::TearDown();
    }
};

TEST_F(HgTest, EscapeRestoresTheFirstBackground)
{
    HWND d = oeffnen(1011);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3000), "A.zei");
    EXPECT_EQ(text(d, 3001), (o / "").string());
    tippen(d, 3000, "fehlt.zei");
    EXPECT_EQ(namen(), std::vector<std::string>{}) << "a missing file changes nothing";
    tippen(d, 3000, "B.zei");
    EXPECT_EQ(namen(), std::vector<std::string>{"HZ " + (o / "B.zei").string()});
    strkopie(BefFlags()->hintergrund, sizeof BefFlags()->hintergrund, (o / "B.zei").c_str(), 255);
    SendMessage(d, WM_COMMAND, 2, 0);
    pumpen();
    EXPECT_EQ(namen(), std::vector<std::string>{"HZ " + (o / "A.zei").string()});
    EXPECT_EQ(wiDlgSuchen("DB1011"), 0u);
}

TEST_F(EigTest, APageReferenceThatNamesNoDrawingKeepsTheDialogOpen)
{
    HWND d = oeffnen(1012);
    ASSERT_NE(d, 0u);
    SendMessage(d, WM_COMMAND, 2500, 0);
    SetDlgItemText(d, 3002, "HV1");
    SetDlgItemText(d, 3001, "99");
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(namen(), std::vector<std::string>{});
    EXPECT_NE(wiDlgSuchen("DB1012"), 0u);
    SendMessage(d, WM_COMMAND, 2, 0);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1012"), 0u);
}

}  // namespace
