// The editor's dialogs in the real frame on a copy of the demo project,
// driven by the clicks and keys of a user: pen, scale and a line typed by
// length and angle reach the editor: its graphic state and the drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "editdlg/dbdialog.h"
#include "frame/funkwahl.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/tempzeic.h"
#include "model/zustand.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/headless.h"
#include "tests/frame/rahmen_pruef.h"
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
    static HWND dialog(int n, const char* name)
    {
        modh::DBDialogOeffnen(n);  // as the editor's menu item n
        plHeadlessPumpen();
        return wiDlgSuchen(name);
    }
};

TEST_F(EditorDialoge, PenScaleAndALineReachTheDrawing)
{
    // The editor by the function bar's second row.
    ASSERT_NE(FunkFenster(), 0u);
    RECT r;
    GetWindowRect(GetDlgItem(FunkFenster(), 3000), &r);
    const int zeile = wiDlgEinheit(8) * 7 / 2;
    plHeadlessKlick(r.left + 10, r.top + zeile + zeile / 2);
    plHeadlessPumpen();
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
    std::vector<std::string> neu;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        if (std::find(vorher.begin(), vorher.end(), id) != vorher.end()) continue;
        BEF b;
        STT st;
        ASSERT_EQ(TzObjHolen(id, &b, &st), 0);
        char t[120];
        std::snprintf(t, sizeof t, "%s %.2f %.2f Stift %d", BefName(b.code), b.darg[0], b.darg[1], st.st);
        neu.push_back(t);
    }
    EXPECT_EQ(neu, std::vector<std::string>{"ZL 43.30 25.00 Stift 3"}) << "the line, drawn with the pen";
}

}  // namespace
