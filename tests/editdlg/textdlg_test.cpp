// The text dialog: the code from kind and alignment, the linked-text mark,
// which record it starts with, and texts extended by a chosen variable
// without being cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editdlg/textdlg.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "model/zustand.h"
#include "platform/orte.h"
#include "editdlg/wahl.h"
#include "editor/history.h"
#include "equipment/nartikel.h"
#include "support/texte.h"
#include "tests/editdlg/dbpruef.h"

namespace fs = std::filesystem;

namespace {

using dbpruef::pumpen;

TEST(Txd, CodesMarksAndTheExchangeBuffer)
{
    EXPECT_EQ(TxdCode(0, 0), 50);
    EXPECT_EQ(TxdCode(1, 2), 56);
    EXPECT_EQ(TxdCode(1, 3), 57);
    EXPECT_EQ(TxdMitMarke("Motor", true), "\x01LMotor");
    EXPECT_EQ(TxdMitMarke("Motor", false), "Motor");
    std::string t;
    EXPECT_TRUE(TxdOhneMarke("\x01LMotor", &t));
    EXPECT_EQ(t, "Motor");
    EXPECT_FALSE(TxdOhneMarke("\x01Motor", &t));
    EXPECT_EQ(t, "\x01Motor");
    const std::string sechzig(60, 'x');
    std::string puffer = "alt";
    EXPECT_TRUE(TxdAnhaengen(sechzig, "$DATUM", &puffer));
    EXPECT_EQ(puffer, sechzig + "$DATUM") << "60 characters and a variable stay whole";
    EXPECT_TRUE(TxdAnhaengen(std::string(174, 'y'), "$DATUM", &puffer));
    puffer = "alt";
    EXPECT_FALSE(TxdAnhaengen(std::string(175, 'y'), "$DATUM", &puffer));
    EXPECT_EQ(puffer, "alt");
}

class TxdTest : public dbpruef::SchlangeTest {
protected:
    fs::path variablen = fs::path(plOrtProgramm()) / "Variablen.txt";
    void SetUp() override
    {
        SchlangeTest::SetUp();
        STT s = *modh::EditorZustand();
        s.x = 10;
        s.y = 20;
        modh::EditorZustandSetzen(&s);
    }
    static BEF element()
    {
        BEF b;
        b = BaubfHolen();
        return b;
    }
    static void textTippen(HWND d, const char* text)
    {
        SetDlgItemText(d, 3000, text);
        SendMessage(d, WM_COMMAND, MAKEWPARAM(3000, CBN_EDITCHANGE), 0);
        pumpen();
    }
};

TEST_F(TxdTest, KindAlignmentAndTheLinkedMarkShapeTheElement)
{
    HWND d = oeffnen(1201);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(BaubfCode(), 50);
    klick(d, 3011);
    klick(d, 3022);
    textTippen(d, "Motor M1");
    EXPECT_EQ(element().code, 56);
    EXPECT_STREQ(element().text, "Motor M1");
    klick(d, 3030);
    EXPECT_STREQ(element().text, "\x01LMotor M1");
    klick(d, 3030);
    EXPECT_STREQ(element().text, "Motor M1");
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1201"), 0u);
    const std::vector<BEF> v = gezeichnet();
    ASSERT_EQ(v.size(), 2u);
    EXPECT_STREQ(BefName(v[0].code), "_BA");
    EXPECT_EQ(v[1].code, 56);
    // The next text starts with the last code.
    d = oeffnen(1201);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(BaubfCode(), 56);
    EXPECT_EQ(IsDlgButtonChecked(d, 3011), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(d, 3022), BST_CHECKED);
}

TEST_F(TxdTest, TheRecordComesFromConstructionThenTheMarkedTextThenNothing)
{
    STT s{};
    SttInit(&s, nullptr);
    s.x = 40;
    BEF t{};
    t.code = 53;
    BefTextSetzen(&t, "\x01Lmarkiert");
    const int id = TzEinfuegen(&t, &s);
    TzMarkSetzen(id, 1);
    // 1: the text under construction wins.
    BaubfStarten(51);
    BEF b = element();
    BefTextSetzen(&b, "im Bau");
    BaubfSetzen(&b);
    HWND d = oeffnen(1201);
    ASSERT_NE(d, 0u);
    char text[200];
    GetDlgItemText(d, 3000, text, sizeof text);
    EXPECT_STREQ(text, "im Bau");
    SendMessage(d, WM_COMMAND, 2501, 0);
    pumpen();
    // 2: the only marked text, re-edited with its own state.
    d = oeffnen(1201);
    ASSERT_NE(d, 0u);
    GetDlgItemText(d, 3000, text, sizeof text);
    EXPECT_STREQ(text, "markiert");
    EXPECT_EQ(IsDlgButtonChecked(d, 3030), BST_CHECKED);
    EXPECT_EQ(element().code, 53);
    EXPECT_EQ(modh::EditorZustand()->x, 40);
    EXPECT_EQ(BaubfObjekt(), id) << "the stored text is the one re-edited";
    SendMessage(d, WM_COMMAND, 2501, 0);
    pumpen();
    // 3: nothing marked, nothing built: an empty text.
    TzMarkSetzen(id, 0);
    d = oeffnen(1201);
    ASSERT_NE(d, 0u);
    GetDlgItemText(d, 3000, text, sizeof text);
    EXPECT_STREQ(text, "");
}

TEST_F(TxdTest, AVariableIsAppendedWholeOrRefused)
{
    std::ofstream(variablen, std::ios::binary) << "$DATUM Tagesdatum\r\n$BLATT Blattnummer\r\n";
    HWND d = oeffnen(1201);
    ASSERT_NE(d, 0u);
    const std::string sechzig(60, 'T');
    textTippen(d, sechzig.c_str());
    SendMessage(d, WM_COMMAND, 2513, 0);
    pumpen();
    HWND v = wiDlgSuchen("DB1204V");
    ASSERT_NE(v, 0u);
    SendMessage(v, WM_COMMAND, 2500, 0);
    pumpen();
    char text[200];
    GetDlgItemText(d, 3000, text, sizeof text);
    EXPECT_EQ(std::string(text), sechzig + "$DATUM");
    EXPECT_EQ(std::string(element().text), sechzig + "$DATUM");
    const std::string lang(178, 'L');
    textTippen(d, lang.c_str());
    SendMessage(d, WM_COMMAND, 2513, 0);
    pumpen();
    v = wiDlgSuchen("DB1204V");
    ASSERT_NE(v, 0u);
    SendMessage(v, WM_COMMAND, 2500, 0);
    pumpen();
    GetDlgItemText(d, 3000, text, sizeof text);
    EXPECT_EQ(std::string(text), lang) << "too long: nothing appended, nothing cut";
    EXPECT_STREQ(StatusLetzterText(), "Der Text w\xfcrde l\xe4nger als 180 Zeichen.");
    fs::remove(variablen);  // only this test writes it
}

TEST_F(TxdTest, AnotherElementKeepsTheDialogClosed)
{
    BaubfStarten(40);
    saetze();  // construction's own start
    EXPECT_EQ(oeffnen(1201), 0u);
    TextDialogMitText(52, 1, "neu", 5, 6);
    EXPECT_EQ(BefAnzahl(), 0);
    BaubfAbbrechen();
    saetze();
    TextDialogMitText(52, 1, "neu", 5, 6);
    EXPECT_EQ(BaubfCode(), 52);
    EXPECT_STREQ(element().text, "\x01Lneu");
    const std::vector<BEF> v = gezeichnet();
    ASSERT_EQ(v.size(), 1u);
    EXPECT_STREQ(BefName(v[0].code), "_MEN");
    EXPECT_EQ(v[0].iarg[0], 1201);
}


TEST_F(TxdTest, AppliedTextsGoIntoTheHistoryTheDropDownOffers)
{
    HistoryLaden();
    HistoryLeeren();
    HWND d = oeffnen(1201);
    ASSERT_NE(d, 0u);
    CheckDlgButton(d, 2504, BST_UNCHECKED);
    for (const char* t : {"Erster", "Zweiter"}) {
        textTippen(d, t);
        SendMessage(d, WM_COMMAND, 2500, 0);
        pumpen();
    }
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3000, CBN_DROPDOWN), 0);
    ASSERT_EQ(SendDlgItemMessage(d, 3000, CB_GETCOUNT, 0, 0), 2);
    char t[200] = "";
    SendDlgItemMessage(d, 3000, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(t));
    EXPECT_EQ(std::string(t).substr(0, 7), "Zweiter") << "newest first";
    HistoryLeeren();
}

TEST_F(TxdTest, AnArticleLineIsTakenFromTheChooser)
{
    ArtListe().clear();
    artikel a{}, b{};
    strkopie(a.nr, sizeof a.nr, "A1", ARTNRSUP);
    strkopie(a.text[0], sizeof a.text[0], "Motor", ARTTEXTSUP);
    strkopie(b.nr, sizeof b.nr, "B-200", ARTNRSUP);
    strkopie(b.text[0], sizeof b.text[0], "Schalter", ARTTEXTSUP);
    strkopie(b.text[9], sizeof b.text[9], "Zehnte", ARTTEXTSUP);
    ArtListe() = {a, b};
    EXPECT_EQ(WahlArtikelZeilen(), (std::vector<std::string>{"A1     Motor", "B-200  Schalter"}))
        << "numbers padded to the longest + 2";
    HWND d = oeffnen(1201);
    ASSERT_NE(d, 0u);
    SendMessage(d, WM_COMMAND, 2511, 0);
    pumpen();
    HWND w = wiDlgSuchen("DB1210");
    ASSERT_NE(w, 0u);
    EXPECT_EQ(SendDlgItemMessage(w, 3000, LB_GETCURSEL, 0, 0), 0) << "the first article at opening";
    EXPECT_EQ(text(w, 3110), "Motor");
    SetDlgItemText(w, 3010, "schal");
    SendMessage(w, WM_COMMAND, 2510, 0);
    pumpen();
    EXPECT_EQ(SendDlgItemMessage(w, 3000, LB_GETCURSEL, 0, 0), 1) << "the search";
    EXPECT_EQ(text(w, 3100), "B-200");
    EXPECT_EQ(text(w, 3119), "Zehnte");
    SendMessage(w, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1210"), 0u) << "closes after choosing";
    EXPECT_STREQ(element().text, "B-200  Schalter");
    ArtListe().clear();
}

}  // namespace
