// The settings dialogs that follow the graphic state: what each control
// queues, and the refresh that rewrites only what moved and never the
// field the user typed in.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "editdlg/einstell.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "model/zustand.h"
#include "output/ansicht.h"
#include "tests/editdlg/dbpruef.h"

namespace {

using dbpruef::pumpen;
using dbpruef::seiteGehoben;

class EstTest : public dbpruef::SchlangeTest {
protected:
    void SetUp() override
    {
        SchlangeTest::SetUp();
        STT s = *modh::EditorZustand();
        s.st = 1;
        s.sl = 1.0;
        s.tg = 2.5;
        s.tv = 1.0;
        modh::EditorZustandSetzen(&s);
    }
    // The queue read back and emptied, "name value" per record; with
    // `ausfuehren` each record is applied to the graphic state as the
    // editor would, and the dialogs get their refresh.
    std::vector<std::string> schlange(bool ausfuehren = true)
    {
        std::vector<std::string> v;
        STT s = *modh::EditorZustand();
        for (const BEF& b : saetze()) {
            char t[64];
            const int c = b.code;
            if (c == 13 || c == 27 || c == 30 || c == 32)
                std::snprintf(t, sizeof t, "%s %g", BefName(c), b.darg[0]);
            else
                std::snprintf(t, sizeof t, "%s %d", BefName(c), b.iarg[0]);
            v.push_back(t);
            if (ausfuehren) SttAnwenden(&b, &s);
        }
        if (ausfuehren) {
            modh::EditorZustandSetzen(&s);
            wiDlgAllenSenden(2999, 0);
            pumpen();
        }
        return v;
    }
    static void waehlen(HWND d, int id, int n)
    {
        SendDlgItemMessage(d, id, CB_SETCURSEL, static_cast<WPARAM>(n), 0);
        SendMessage(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), static_cast<LPARAM>(GetDlgItem(d, id)));
        pumpen();
    }
};

TEST_F(EstTest, PenAndTextStyleQueueEachChange)
{
    HWND d = oeffnen(1100);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3200), "2.50");
    EXPECT_EQ(text(d, 3210), "0.0");
    EXPECT_EQ(SendDlgItemMessage(d, 3100, CB_GETCOUNT, 0, 0), 99);
    EXPECT_EQ(SendDlgItemMessage(d, 3230, CB_GETCOUNT, 0, 0), 10);
    struct Fall {
        void (*tun)(HWND);
        const char* soll;
    } faelle[] = {
        {[](HWND h) { tippen(h, 3200, "3.5"); }, "TG 3.5"},
        {[](HWND h) { tippen(h, 3210, "45.06"); }, "TR 451"},
        {[](HWND h) { tippen(h, 3220, "0.8"); }, "TV 0.8"},
        {[](HWND h) { tippen(h, 3120, "2"); }, "SL 2"},
        {[](HWND h) { waehlen(h, 3100, 2); }, "ST 3"},
        {[](HWND h) { waehlen(h, 3110, 4); }, "SA 4"},
        {[](HWND h) { waehlen(h, 3230, 1); }, "TS 1"},
        {[](HWND h) { SendMessage(h, WM_COMMAND, 2503, 0); }, "TR 1800"},
        {[](HWND h) { SendMessage(h, WM_COMMAND, 2513, 0); }, "TAR 3"},
    };
    for (const Fall& f : faelle) {
        f.tun(d);
        EXPECT_EQ(schlange(), std::vector<std::string>{f.soll});
    }
    EXPECT_EQ(text(d, 3200), "3.50") << "the typed value stays";
    EXPECT_EQ(schlange(), std::vector<std::string>{}) << "the refreshes queued nothing";
}

// A turn of a placement and the text width keep their one decimal in the
// libraries of whole angles too; a text width of 0.8 must not read "1".
TEST_F(EstTest, OneDecimalFieldsKeepItInTheLibrariesOfWholeAngles)
{
    STT s = *modh::EditorZustand();
    s.tv = 0.8;
    modh::EditorZustandSetzen(&s);
    EdEinst()->wnk = 0;
    struct Fall {
        int dialog, feld;
        const char* soll;
    } faelle[] = {{1100, 3220, "0.8"}, {1201, 3220, "0.8"}, {1202, 3016, "0.0"}, {1321, 3016, "0.0"}};
    for (const Fall& f : faelle) {
        HWND d = oeffnen(f.dialog);
        ASSERT_NE(d, 0u) << f.dialog;
        EXPECT_EQ(text(d, f.feld), f.soll) << f.dialog;
        if (const char* ordner = std::getenv("VELMO_DLG_PNG")) {
            const std::string p = std::string(ordner) + "/DB" + std::to_string(f.dialog) + "-ganz.png";
            EXPECT_EQ(plHeadlessPng(d, p.c_str()), 0);
        }
        if (f.feld == 3016) {
            klick(d, 3011);
            EXPECT_EQ(text(d, 3016), "90.0") << f.dialog;
        }
        if (f.dialog == 1202) {
            klick(d, 3030);
            EXPECT_EQ(text(d, 3016), "0.0") << "a row resets the direction";
        }
        wiDlgAlleSchliessen();
        pumpen();
    }
}

TEST_F(EstTest, ARefreshRewritesOnlyWhatMoved)
{
    HWND d = oeffnen(1100);
    ASSERT_NE(d, 0u);
    SetFocus(GetDlgItem(d, 3200));
    SetDlgItemText(d, 3200, "4.");  // typing, not yet handled
    STT s = *modh::EditorZustand();
    s.st = 7;
    s.ts = 2;
    modh::EditorZustandSetzen(&s);
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(SendDlgItemMessage(d, 3100, CB_GETCURSEL, 0, 0), 6);
    EXPECT_EQ(SendDlgItemMessage(d, 3230, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(text(d, 3200), "4.00") << "an unchanged height leaves the field alone";
    s.tg = 5;
    modh::EditorZustandSetzen(&s);
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(text(d, 3200), "5.00") << "a height changed elsewhere is shown";
    EXPECT_EQ(schlange(false), std::vector<std::string>{});
}

TEST_F(EstTest, ScaleFieldRadiosAndText)
{
    HWND d = oeffnen(1105);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(IsDlgButtonChecked(d, 3108), BST_CHECKED);
    EXPECT_EQ(text(d, 3001), "1:1");
    tippen(d, 3000, "2");
    EXPECT_EQ(schlange(), std::vector<std::string>{"MS 2"});
    EXPECT_EQ(text(d, 3000), "2") << "the refresh leaves the typed value";
    EXPECT_EQ(IsDlgButtonChecked(d, 3107), BST_CHECKED);
    EXPECT_EQ(text(d, 3001), "2:1");
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(schlange(), std::vector<std::string>{}) << "\"2\" is queued once";
    // Back to 1:1 by a radio; typing 2 again counts.
    SendMessage(GetDlgItem(d, 3108), BM_CLICK, 0, 0);
    pumpen();
    EXPECT_EQ(schlange(), std::vector<std::string>{"MS 1"});
    EXPECT_EQ(text(d, 3000), "1,00");
    tippen(d, 3000, "2");
    EXPECT_EQ(schlange(), std::vector<std::string>{"MS 2"});
    tippen(d, 3000, "3");
    EXPECT_EQ(schlange(), std::vector<std::string>{"MS 3"});
    for (int i = 0; i < 17; ++i) EXPECT_EQ(IsDlgButtonChecked(d, 3100 + i), BST_UNCHECKED) << i;
    EXPECT_EQ(text(d, 3001), "");
    tippen(d, 3000, "0");
    tippen(d, 3000, "abc");
    EXPECT_EQ(schlange(), std::vector<std::string>{}) << "0 and unreadable values are ignored";
    SendMessage(d, WM_COMMAND, 2, 0);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1105"), 0u);
}

TEST(Fenster, TheZoomIsTakenFromTheFieldOnlyWhenItsNumberWasEdited)
{
    struct Fall {
        const char* feld;
        int zoom, erstes;
        const char* soll;
    } faelle[] = {
        {"1 30 50", 75, 1, ". 75 30 50"},     // only the centre edited at 75
        {"0 50 40", 25, 0, ". 25 50 60"},     // 25 shows 0
        {"3 50 50", 75, 1, ". 150 50 50"},    // the first number edited
        {"  2   40 30", 100, 2, ". 100 40 70"},
        {"", 100, 2, ". 0 0 100"},
    };
    for (const Fall& f : faelle) EXPECT_EQ(EstFensterText(f.feld, f.zoom, f.erstes), f.soll) << f.feld;
}

TEST_F(EstTest, ViewFieldAndButtons)
{
    AnsichtZoomSetzen3(75, 50, 50);
    HWND d = oeffnen(1110);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3000), "1 50 50");
    tippen(d, 3000, "1 30 50");
    BEF b;
    ASSERT_EQ(BefAnzahl(), 1);
    BefVorne(&b);
    EXPECT_STREQ(b.text, ". 75 30 50");
    BefLeeren();
    seiteGehoben() = 0;
    SendMessage(d, WM_COMMAND, 2513, 0);
    SendMessage(d, WM_COMMAND, 2522, 0);
    SendMessage(d, WM_COMMAND, 2531, 0);
    EXPECT_EQ(schlange(false), (std::vector<std::string>{"FEN 0", "LUP 2", "CFM 0"}));
    EXPECT_EQ(seiteGehoben(), 3) << "each button gives the editor the focus";
    SetDlgItemText(d, 3000, "4 4");
    schlange(false);  // what that typing queued
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(text(d, 3000), "4 4") << "an unchanged view leaves the field";
    AnsichtZoomSetzen3(200, 10, 20);
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(text(d, 3000), "4 10 80");
    EXPECT_EQ(schlange(false), std::vector<std::string>{});
}

TEST(Massstab, RowsWithinAHundredth)
{
    const char* t = nullptr;
    EXPECT_EQ(EstMassstabZeile(2.5, &t), 6);
    EXPECT_STREQ(t, "2,5:1");
    EXPECT_EQ(EstMassstabZeile(0.259, &t), 11);
    EXPECT_EQ(EstMassstabZeile(0.005, &t), 16);
    EXPECT_EQ(EstMassstabZeile(0.011, &t), 15) << "the first row within 0.01";
    EXPECT_EQ(EstMassstabZeile(3, &t), -1);
    EXPECT_STREQ(t, "");
}

}  // namespace
