// The editor's dialogs in the real frame on a copy of the demo project,
// driven by the clicks and keys of a user: pen, scale and a line typed by
// length and angle reach the editor: its graphic state and the drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "editdlg/dbdialog.h"
#include "editor/befausf.h"
#include "editor/edkopf.h"
#include "editor/zeidok.h"
#include "frame/funkwahl.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/tempzeic.h"
#include "model/zustand.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/platform/golden_pruef.h"
#include "winlib/anwdaten.h"
#include "tests/tools/demokopie.h"

namespace fs = std::filesystem;

namespace {

class EditorDialoge : public ::testing::Test {
protected:
    fs::path wurzel, vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;
    DemoKopie demo;

    void SetUp() override
    {
        wurzel = rahmenWurzel("editordialoge");
        ASSERT_FALSE(wurzel.empty());
        rahmenUmgebung(wurzel);
        vorher = fs::current_path();
        fs::current_path(demo.wurzel());
        rahmenStarten(args, argv, {"-W=1", "Projekt"});
        plHeadlessPumpen();
    }
    void TearDown() override
    {
        rahmenBeenden(vorher);
        fs::remove_all(wurzel);
    }
    // The objects of the drawing not in `vorher`: "code d0 d1 Stift pen".
    static std::vector<std::string> neueObjekte(const std::vector<int>& vorher)
    {
        std::vector<std::string> neu;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            if (std::find(vorher.begin(), vorher.end(), id) != vorher.end()) continue;
            BEF b;
            STT st;
            if (TzObjHolen(id, &b, &st) != 0) continue;
            char t[120];
            std::snprintf(t, sizeof t, "%s %.2f %.2f Stift %d", BefName(b.code), b.darg[0], b.darg[1], st.st);
            neu.push_back(t);
        }
        return neu;
    }
    // The editor by the function bar's second row.
    static void editorOeffnen()
    {
        ASSERT_NE(FunkFenster(), 0u);
        RECT r;
        GetWindowRect(GetDlgItem(FunkFenster(), 3000), &r);
        const int zeile = wiDlgEinheit(8) * 7 / 2;
        plHeadlessKlick(r.left + 10, r.top + zeile + zeile / 2);
        plHeadlessPumpen();
    }
    static HWND dialog(int n, const char* name)
    {
        modh::DBDialogOeffnen(n);  // as the editor's menu item n
        plHeadlessPumpen();
        return wiDlgSuchen(name);
    }
};

TEST_F(EditorDialoge, PenScaleAndALineReachTheDrawing)
{
    editorOeffnen();
    ASSERT_EQ(Modus(), MODUS_EDIT);
    std::vector<int> vorher;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) vorher.push_back(id);

    HWND d = dialog(1100, "DB1100");
    ASSERT_NE(d, 0u) << rahmenLetzteMeldung();
    rahmenKlicken(d, 3100);
    plHeadlessText("3");
    plHeadlessTaste(VK_RETURN);
    plHeadlessPumpen();

    rahmenKlicken(d, 2500);
    EXPECT_EQ(wiDlgSuchen("DB1100"), 0u);

    d = dialog(1105, "DB1105");
    ASSERT_NE(d, 0u);
    rahmenEintippen(d, 3000, "2");
    rahmenKlicken(d, 2500);

    d = dialog(1200, "DB1200");
    ASSERT_NE(d, 0u);
    rahmenEintippen(d, 3010, "50");
    rahmenEintippen(d, 3011, "30");
    rahmenKlicken(d, 2500);
    EXPECT_EQ(wiDlgSuchen("DB1200"), 0u) << "applied and closed";

    plHeadlessPumpen();  // the editor works off its queue
    EXPECT_EQ(BefAnzahl(), 0);
    const STT* akt = modh::EditorZustand();
    EXPECT_EQ(akt->st, 3) << "the pen";
    EXPECT_DOUBLE_EQ(akt->mass, 2.0) << "the scale";
    EXPECT_EQ(neueObjekte(vorher), std::vector<std::string>{"ZL 43.30 25.00 Stift 3"}) << "the line, drawn with the pen";
}


// The settings dialogs and the dimension line on the running editor: a
// display switch, the grid, a title line and a dimension typed by its
// length reach the editor after it worked off its queue.
TEST_F(EditorDialoge, SettingsAndADimensionReachTheEditor)
{
    editorOeffnen();
    ASSERT_EQ(Modus(), MODUS_EDIT);
    const int vrz = BefFlags()->vrz;

    HWND d = dialog(1111, "DB1111");
    ASSERT_NE(d, 0u) << rahmenLetzteMeldung();
    rahmenKlicken(d, 3000);
    plHeadlessPumpen();
    EXPECT_EQ(BefFlags()->vrz, vrz ? 0 : 1) << "the frame switch toggled";
    EXPECT_EQ(IsDlgButtonChecked(d, 3000), vrz ? BST_UNCHECKED : BST_CHECKED) << "and shown";
    rahmenKlicken(d, 2500);
    EXPECT_EQ(wiDlgSuchen("DB1111"), 0u);

    d = dialog(1102, "DB1102");
    ASSERT_NE(d, 0u);
    rahmenEintippen(d, 3100, "5");
    rahmenEintippen(d, 3110, "2,5");
    plHeadlessPumpen();
    EXPECT_DOUBLE_EQ(BefRasterWerte()->swx, 5);
    EXPECT_DOUBLE_EQ(BefRasterWerte()->swy, 2.5);
    rahmenKlicken(d, 2610);
    EXPECT_DOUBLE_EQ(BefRasterWerte()->swx, 0.1) << "grid off";
    rahmenKlicken(d, 2610);
    EXPECT_DOUBLE_EQ(BefRasterWerte()->swy, 2.5) << "grid on: the steps again";
    rahmenKlicken(d, 2500);
    EXPECT_EQ(wiDlgSuchen("DB1102"), 0u);

    d = dialog(1010, "DB1010");
    ASSERT_NE(d, 0u);
    rahmenEintippen(d, 3054, "Probe");
    EXPECT_STREQ(ZeiKopfText(4), "Probe");
    EXPECT_NE(ZeiIstGeaendert(), 0);
    rahmenKlicken(d, 2500);
    EXPECT_EQ(wiDlgSuchen("DB1010"), 0u);

    std::vector<int> vorher;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) vorher.push_back(id);
    d = dialog(1209, "DB1209");
    ASSERT_NE(d, 0u);
    rahmenEintippen(d, 3010, "40");
    rahmenKlicken(d, 2500);
    plHeadlessPumpen();
    EXPECT_EQ(wiDlgSuchen("DB1209"), 0u) << "applied and closed";
    EXPECT_EQ(neueObjekte(vorher), std::vector<std::string>{"ZML 40.00 0.00 Stift 1"});
}


// The same through the editor's menu by its keys, the queue drained, the
// drawing saved by the file menu: the file equals its golden copy.
TEST_F(EditorDialoge, ThroughTheMenuAndSaved)
{
    editorOeffnen();
    ASSERT_EQ(Modus(), MODUS_EDIT);
    const std::string name = ZeiName();
    ASSERT_FALSE(name.empty());
    ASSERT_TRUE(menueWaehlen(1100));
    HWND d = wiDlgSuchen("DB1100");
    ASSERT_NE(d, 0u) << "the pen dialog by the menu";
    rahmenKlicken(d, 3100);
    plHeadlessText("3");
    plHeadlessTaste(VK_RETURN);
    plHeadlessPumpen();
    rahmenKlicken(d, 2500);
    ASSERT_TRUE(menueWaehlen(1105));
    d = wiDlgSuchen("DB1105");
    ASSERT_NE(d, 0u);
    rahmenEintippen(d, 3000, "2");
    rahmenKlicken(d, 2500);
    ASSERT_TRUE(menueWaehlen(1200));
    d = wiDlgSuchen("DB1200");
    ASSERT_NE(d, 0u);
    rahmenEintippen(d, 3010, "50");
    rahmenEintippen(d, 3011, "30");
    rahmenKlicken(d, 2500);
    plHeadlessPumpen();
    EXPECT_EQ(BefAnzahl(), 0) << "drained";
    ASSERT_TRUE(menueWaehlen(1004));  // Datei, Speichern
    EXPECT_EQ(ZeiIstGeaendert(), 0) << "saved";
    const std::string soll = std::string(VELMO_TEST_DATA) + "/frame/editordialoge.zei";
    auto lesen = [](const std::string& p) {
        std::ifstream f(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    };
    EXPECT_TRUE(golden::text(soll, lesen(name))) << name;
}

}  // namespace
