// The settings dialogs of switches, position and grid, layers, libraries
// and keys: what each control queues, read back from the real queue, and
// the refresh after the editor ran it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "controls/elseite.h"
#include "editdlg/einstell.h"
#include "editor/befausf.h"
#include "editor/knopf.h"
#include "model/beffifo.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "platform/fenster.h"
#include "tests/editdlg/dbpruef.h"

namespace fs = std::filesystem;

namespace {

using dbpruef::pumpen;

class OptTest : public dbpruef::SchlangeTest {
protected:
    // The queue read back and emptied as "name i0" or "name x y"; with
    // `ausfuehren` the editor runs each record and the dialogs refresh.
    std::vector<std::string> schlange(bool ausfuehren = true)
    {
        std::vector<std::string> v;
        for (const BEF& b : saetze()) {
            char t[320];
            const std::string n = BefName(b.code);
            if (n == "_BA" || n == "MKT" || n == "SW")
                std::snprintf(t, sizeof t, "%s %g %g", n.c_str(), b.darg[0], b.darg[1]);
            else if (n == "LRA")
                std::snprintf(t, sizeof t, "%s %d %d", n.c_str(), b.iarg[0], b.iarg[1]);
            else if (b.text[0] != '\0')
                std::snprintf(t, sizeof t, "%s %s", n.c_str(), b.text);
            else
                std::snprintf(t, sizeof t, "%s %d", n.c_str(), b.iarg[0]);
            v.push_back(t);
            if (ausfuehren) BefAusfuehren(&b);
        }
        if (ausfuehren) {
            wiDlgAllenSenden(2999, 0);
            pumpen();
        }
        return v;
    }
    static bool an(HWND d, int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }
    // The key table of `zeilen` (written to `p`, `anzahl` entries), listed
    // in the key dialog; 0 when that failed.
    static HWND tasten(const std::string& p, const char* zeilen, int anzahl)
    {
        std::ofstream(p) << zeilen;
        EXPECT_EQ(KnopfDateiLesen(p.c_str()), anzahl);
        return oeffnen(1112);
    }
};

TEST_F(OptTest, OptionAndDisplaySwitchesQueueTheirCodesAndShowTheFlags)
{
    struct Fall {
        int dialog, id;
        const char* soll;
    } faelle[] = {
        {1101, 3000, "VRA 0"}, {1101, 3001, "EL1 0"}, {1101, 3003, "BWE 0"}, {1101, 3006, "SMT 0"},
        {1101, 3012, "BMK 2"}, {1111, 3000, "VRZ 0"}, {1111, 3006, "HZA 0"}, {1111, 3110, "TDA 0"},
    };
    for (const Fall& f : faelle) {
        HWND d = oeffnen(f.dialog);
        ASSERT_NE(d, 0u) << f.dialog;
        const bool vorher = an(d, f.id);
        klick(d, f.id);
        EXPECT_EQ(schlange(), std::vector<std::string>{f.soll}) << f.dialog << " " << f.id;
        EXPECT_EQ(an(d, f.id), !vorher) << f.dialog << " " << f.id << ": shows the flag the editor toggled";
        // A flag toggled elsewhere is shown by the refresh.
        const std::string soll = f.soll;
        BefEinreihenInt(BefCode(soll.substr(0, soll.find(' ')).c_str()), std::stoi(soll.substr(soll.find(' '))));
        schlange();
        EXPECT_EQ(an(d, f.id), vorher) << f.dialog << " " << f.id;
        SendMessage(d, WM_COMMAND, 2, 0);
        pumpen();
    }
}

TEST_F(OptTest, ThreeLevelSwitchesQueueTheirIndex)
{
    HWND d = oeffnen(1111);
    ASSERT_NE(d, 0u);
    klick(d, 3102);
    klick(d, 3121);
    EXPECT_EQ(schlange(), (std::vector<std::string>{"TA 2", "TM 1"}));
    EXPECT_TRUE(an(d, 3102));
    EXPECT_FALSE(an(d, 3100));
    EXPECT_TRUE(an(d, 3121));
}

TEST_F(OptTest, PositionOriginAndGrid)
{
    BefRasterWerte()->aus = 0;
    BefRasterWerte()->swx = BefRasterWerte()->swy = 2.5;
    STT s = *modh::EditorZustand();
    s.x = 40;
    s.y = 30;
    modh::EditorZustandSetzen(&s);
    HWND d = oeffnen(1102);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3020), "40.00");
    EXPECT_EQ(text(d, 3100), "2.50");
    EXPECT_FALSE(an(d, 2600)) << "no origin set";
    klick(d, 2600);
    EXPECT_EQ(schlange(false), std::vector<std::string>{"MKT 40 30"}) << "the origin at the position";
    BefRasterWerte()->mkx = 10;
    BefRasterWerte()->mky = 5;
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(text(d, 3000), "30.00") << "relative to the origin";
    tippen(d, 3000, "1");
    EXPECT_EQ(schlange(false), std::vector<std::string>{"_BA 11 30"});
    tippen(d, 3030, "7");
    EXPECT_EQ(schlange(false), std::vector<std::string>{"_BA 40 7"});
    tippen(d, 3110, "5");
    EXPECT_EQ(schlange(false), std::vector<std::string>{"SW 2.5 5"});
    // Grid off keeps the steps shown, on again restores them.
    BefRasterWerte()->swy = 5;
    klick(d, 2610);
    EXPECT_EQ(schlange(), std::vector<std::string>{"SW 0.1 0.1"});
    EXPECT_EQ(text(d, 3100), "0.10");
    EXPECT_EQ(BefRasterWerte()->aus, 1) << "the switch is the editor's";
    // The switch lives in the editor: a dialog opened later shows it, and
    // one switched there is followed by the refresh.
    wiDlgAlleSchliessen();
    pumpen();
    d = oeffnen(1102);
    ASSERT_NE(d, 0u);
    EXPECT_FALSE(an(d, 2610));
    BefRasterWerte()->aus = 0;
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_TRUE(an(d, 2610));
    BefRasterWerte()->aus = 1;
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_FALSE(an(d, 2610));
    klick(d, 2610);
    EXPECT_EQ(BefRasterWerte()->aus, 0);
    EXPECT_EQ(schlange(), std::vector<std::string>{"SW 2.5 5"});
    SendMessage(d, WM_COMMAND, 2501, 0);
    SendMessage(d, WM_COMMAND, 2502, 0);
    EXPECT_EQ(schlange(false), (std::vector<std::string>{"CL 0", "CS 0"}));
    klick(d, 2600);
    EXPECT_EQ(schlange(false), std::vector<std::string>{"MKT 0 0"});
}

TEST_F(OptTest, LayersVisibleSelectedAndInverted)
{
    LayerZuruecksetzen();
    LayerNameSetzen(1, "Grund");
    LayerNameSetzen(3, "Texte");
    LayerNameSetzen(7, "Hilfe");
    for (int n = 1; n <= 20; ++n) LayerSichtSetzen(n, 1);
    LayerSichtSetzen(3, 0);
    HWND d = oeffnen(1104);
    ASSERT_NE(d, 0u);
    ASSERT_EQ(SendDlgItemMessage(d, 3100, LB_GETCOUNT, 0, 0), 3) << "only layers with a name";
    EXPECT_EQ(text(d, 3000).substr(0, 2), " 1");
    EXPECT_EQ(SendDlgItemMessage(d, 3100, LB_GETSEL, 1, 0), 0) << "layer 3 hidden";
    // Inverting with layer 1 visible hides every listed layer: one LRA each
    // whose state changes.
    SendMessage(d, WM_COMMAND, 2510, 0);
    EXPECT_EQ(schlange(), (std::vector<std::string>{"LRA 1 0", "LRA 7 0"}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SendDlgItemMessage(d, 3100, LB_GETSEL, i, 0), 0) << i;
    SendDlgItemMessage(d, 3100, LB_SETSEL, TRUE, 1);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3100, LBN_SELCHANGE), 0);
    pumpen();
    EXPECT_EQ(schlange(), std::vector<std::string>{"LRA 3 1"});
    SendDlgItemMessage(d, 3000, CB_SETCURSEL, 2, 0);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3000, CBN_SELCHANGE), 0);
    pumpen();
    EXPECT_EQ(schlange(false), std::vector<std::string>{"LAY 7"});
    klick(d, 3010);
    EXPECT_EQ(schlange(false), std::vector<std::string>{"LRS 1"});
    LayerZuruecksetzen();
}

TEST(BibText, TheTextListLosesDuplicatesAndLanguageVariants)
{
    std::vector<std::string> v = {"A.txt", "A.txt", "B.txt", "C.txt (zentral)", "C.txt (zentral)"};
    BtxTextListeBereinigen(&v);
    EXPECT_EQ(v, (std::vector<std::string>{"A.txt", "B.txt", "C.txt (zentral)"}));
}

class BibTextTest : public OptTest {
protected:
    fs::path o = dbpruef::tempName("btx");
    void SetUp() override
    {
        OptTest::SetUp();
        fs::remove_all(o);
        for (const char* v : {"bib", "texte", "zentral"}) fs::create_directories(o / v);
        for (const char* n : {"bib/BAUTEILE.L10", "bib/BAUTEILE.STD", "texte/Eigen.txt", "zentral/Norm.txt"})
            std::ofstream(o / n) << "x";
        VerSetzen(2, (o / "bib").c_str());
        VerSetzen(3, (o / "texte").c_str());
        VerSetzen(7, (o / "zentral").c_str());
    }
    void TearDown() override
    {
        for (int k : {2, 3, 7}) VerSetzen(k, "");
        fs::remove_all(o);
        OptTest::TearDown();
    }
};

TEST_F(BibTextTest, ListsChooseAndConfirmQueuesBoth)
{
    HWND d = oeffnen(1103);
    ASSERT_NE(d, 0u);
    ASSERT_EQ(SendDlgItemMessage(d, 3020, LB_GETCOUNT, 0, 0), 2);
    ASSERT_EQ(SendDlgItemMessage(d, 3120, LB_GETCOUNT, 0, 0), 2);
    // A central entry is taken without its mark and the blank before it.
    SendDlgItemMessage(d, 3120, LB_SETCURSEL, 1, 0);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3120, LBN_SELCHANGE), 0);
    EXPECT_EQ(text(d, 3110), "Norm.txt");
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3120, LBN_DBLCLK), 0);
    EXPECT_EQ(schlange(false), std::vector<std::string>{"TD Norm.txt"});
    SendDlgItemMessage(d, 3020, LB_SETCURSEL, 0, 0);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3020, LBN_DBLCLK), 0);
    EXPECT_EQ(schlange(false), std::vector<std::string>{"BD L10"});
    tippen(d, 3110, "ei");
    EXPECT_EQ(SendDlgItemMessage(d, 3120, LB_GETCURSEL, 0, 0), 0) << "typing selects the entry it begins";
    SetDlgItemText(d, 3010, "bauteile.std");
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(schlange(false), (std::vector<std::string>{"BD STD", "TD EI"}));
    EXPECT_EQ(wiDlgSuchen("DB1103"), 0u);
}

TEST_F(OptTest, TheKeyTableRunsTheChosenEntry)
{
    const std::string p = dbpruef::tempName("keys.txt");
    HWND d = tasten(p, "SCF5 ZL 10 0 > Linie rechts\r\n", 1);
    ASSERT_NE(d, 0u);
    const int n = static_cast<int>(SendDlgItemMessage(d, 3000, LB_GETCOUNT, 0, 0));
    ASSERT_GE(n, 5);
    SendDlgItemMessage(d, 3000, LB_SETCURSEL, static_cast<WPARAM>(n - 1), 0);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3000, LBN_DBLCLK), 0);
    pumpen();
    const std::vector<BEF> s = saetze();
    ASSERT_EQ(s.size(), 1u) << "the entry's command runs as typed";
    EXPECT_STREQ(BefName(s[0].code), "ZL");
    EXPECT_EQ(s[0].darg[0], 10);
    EXPECT_EQ(s[0].darg[1], 0);
    EXPECT_EQ(wiDlgSuchen("DB1112"), 0u);
    KnopfFrei();
    fs::remove(p);
}

// The key, command and hint fields of the key list start at one x in every
// row, however wide the key names are in the proportional list font: each
// row is cut into its inked runs (separated by at least a character width of
// background) and the runs' left edges compared.
TEST_F(OptTest, TheKeyListColumnsLineUp)
{
    const std::string p = dbpruef::tempName("spalten.txt");
    HWND d = tasten(p, "F2 WH > Wiederholen\r\nSCF12 LUP > Lupe\r\nX CLMMMM > Kleiner\r\n", 3);
    ASSERT_NE(d, 0u);
    HWND l = GetDlgItem(d, 3000);
    SendMessage(l, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    InvalidateRect(l, nullptr, TRUE);
    pumpen();
    if (const char* ordner = std::getenv("VELMO_DLG_PNG")) {
        EXPECT_EQ(plHeadlessPng(d, (std::string(ordner) + "/DB1112-spalten.png").c_str()), 0);
    }
    const int cw = ElsMessen().cw;
    auto anfaenge = [&](int zeile) {
        RECT r{};
        SendMessage(l, LB_GETITEMRECT, static_cast<WPARAM>(zeile), reinterpret_cast<LPARAM>(&r));
        std::vector<int> v;
        int leer = cw;
        for (int x = r.left; x < r.right; ++x) {
            bool tinte = false;
            for (int y = r.top; y < r.bottom && !tinte; ++y) {
                const COLORREF c = plFensterPixel(l, x, y);
                tinte = GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128;
            }
            if (tinte && leer >= cw) v.push_back(x);
            leer = tinte ? 0 : leer + 1;
        }
        return v;
    };
    const int n = static_cast<int>(SendMessage(l, LB_GETCOUNT, 0, 0));
    ASSERT_EQ(n, 7);
    const std::vector<int> erste = anfaenge(n - 3);
    ASSERT_EQ(erste.size(), 3u) << "key, command and hint";
    for (int z = n - 2; z < n; ++z) {
        const std::vector<int> a = anfaenge(z);
        ASSERT_EQ(a.size(), 3u) << z;
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(a[k], erste[k], 2) << "row " << z << ", field " << k;
    }
    KnopfFrei();
    fs::remove(p);
}

}  // namespace

namespace {

// Every dialog of this set opens on the editor with its controls drawn (not
// a blank face) and closes by its cancel; with VELMO_DLG_PNG set to a
// folder, each is written there as a picture to look at.
TEST_F(OptTest, TheDialogsShowTheirControlsAndCloseOnCancel)
{
    const char* ordner = std::getenv("VELMO_DLG_PNG");
    for (int n : {1010, 1011, 1012, 1101, 1102, 1103, 1104, 1111, 1112, 1203, 1206, 1209, 1300, 1310}) {
        const std::string name = "DB" + std::to_string(n);
        HWND d = oeffnen(n);
        ASSERT_NE(d, 0u) << n;
        UpdateWindow(d);
        RECT r;
        GetClientRect(d, &r);
        const COLORREF grund = plFensterPixel(d, 1, 1);
        int anders = 0;
        for (int y = 0; y < r.bottom; y += 2)
            for (int x = 0; x < r.right; x += 2) anders += plFensterPixel(d, x, y) != grund;
        EXPECT_GT(anders, 200) << name << ": its controls are drawn";
        if (ordner != nullptr) {
            EXPECT_EQ(plHeadlessPng(d, (std::string(ordner) + "/" + name + ".png").c_str()), 0);
        }
        SendMessage(d, WM_COMMAND, 2501, 0);
        pumpen();
        if (wiDlgSuchen(name.c_str()) != 0) {
            SendMessage(d, WM_COMMAND, IDCANCEL, 0);
            pumpen();
        }
        EXPECT_EQ(wiDlgSuchen(name.c_str()), 0u) << name << " closes on cancel";
        if (wiDlgSuchen(name.c_str()) != 0) wiDlgAlleSchliessen();
        BaubfAbbrechen();
    }
}

}  // namespace
