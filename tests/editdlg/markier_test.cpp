// Dialogs on the marked elements: the checks of the line-up and its run,
// the rotation that applies each angle once per marking.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <filesystem>
#include <fstream>

#include "config/verzeich.h"
#include "editdlg/markier.h"
#include "support/texte.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "tests/editdlg/dbpruef.h"

namespace fs = std::filesystem;

namespace {

using dbpruef::pumpen;

class MrkTest : public dbpruef::SchlangeTest {
protected:
    int markierteLinie(double x)
    {
        BEF b{};
        b.code = BEF_ZL;
        b.darg[0] = 10;
        STT s{};
        SttInit(&s, nullptr);
        s.x = x;
        int id = TzEinfuegen(&b, &s);
        TzMarkSetzen(id, 1);
        return id;
    }
    // The queue read back and emptied: "code i0" per record.
    static std::vector<std::string> schlange()
    {
        std::vector<std::string> v;
        for (const BEF& b : saetze()) {
            v.push_back(std::string(BefName(b.code)) + " " + std::to_string(b.iarg[0]));
        }
        return v;
    }
};

TEST(Anreihen, TheChecksInTheirOrder)
{
    struct Fall {
        int markiert, nx;
        double dx;
        int ny;
        double dy;
        int meldung;
    } faelle[] = {
        {3, 40, 10, 25, 10, 81},     // 40 x 10 beyond 400
        {3, 2, 0.4, 1, 0, 83},       // distance below 0.5
        {3, 1, 10, 1, 10, 82},       // nothing to copy
        {3, 1001, 0.1, 1, 0, 80},    // too many, before the extent
        {3, 1000, -10, 1, 0, 81},    // a negative distance is just as wide
        {3, 1, 0, -2, 30, 82},       // negative counts copy nothing
        {0, 40, 10, 25, 10, 84},     // nothing marked comes first
        {3, 2, -0.5, 3, 100, 0},     // 2 x -0.5 and 3 x 100 run
        {3, 39, 10, 25, 15.9, 0},    // just below 400 runs
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(MrkAnreihenPruefen(f.markiert, f.nx, f.dx, f.ny, f.dy), f.meldung)
            << f.nx << " " << f.dx << " " << f.ny << " " << f.dy;
}

TEST_F(MrkTest, TheLineUpRunsOrSaysWhyNot)
{
    markierteLinie(10);
    HWND d = oeffnen(1322);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(GetDlgItemInt(d, 3000, nullptr, FALSE), 1u);
    tippen(d, 3000, "40");
    tippen(d, 3001, "10");
    tippen(d, 3010, "1");
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_STREQ(StatusLetzterText(), "Ausdehnung zu gross.");
    EXPECT_NE(wiDlgSuchen("DB1322"), 0u) << "it stays open";
    tippen(d, 3000, "3");
    SetFocus(GetDlgItem(d, 3001));
    SendMessage(d, WM_COMMAND, 1, 0);  // Enter in a field confirms
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1322"), 0u);
    ASSERT_GE(PhEditorAufrufe().size(), 2u);
    EXPECT_NE(std::find(PhEditorAufrufe().begin(), PhEditorAufrufe().end(), "MarkierteAnreihen(3 10 1 0)"),
              PhEditorAufrufe().end());
}

TEST_F(MrkTest, RotationAppliesEachAngleOncePerMarking)
{
    markierteLinie(10);
    HWND d = oeffnen(1321);
    ASSERT_NE(d, 0u);
    char t[32];
    GetDlgItemText(d, 3016, t, sizeof t);
    EXPECT_STREQ(t, "0.0");
    tippen(d, 3016, "90");
    EXPECT_EQ(IsDlgButtonChecked(d, 3011), BST_CHECKED);
    SendMessage(d, WM_COMMAND, 2500, 0);
    SendMessage(d, WM_COMMAND, 2500, 0);
    EXPECT_EQ(schlange(), std::vector<std::string>{"DRH 900"}) << "twice 90 degrees rotates once";
    SendMessage(GetDlgItem(d, 3012), BM_CLICK, 0, 0);
    pumpen();
    GetDlgItemText(d, 3016, t, sizeof t);
    EXPECT_STREQ(t, "180.0");
    tippen(d, 3016, "45");
    EXPECT_EQ(IsDlgButtonChecked(d, 3014), BST_CHECKED);
    tippen(d, 3016, "-90");
    EXPECT_EQ(IsDlgButtonChecked(d, 3013), BST_CHECKED);
    SendMessage(d, WM_COMMAND, 2500, 0);
    EXPECT_EQ(schlange(), std::vector<std::string>{"DRH 1800"});
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(IsDlgButtonChecked(d, 3013), BST_CHECKED) << "the same marking keeps the angle";
    EXPECT_EQ(schlange(), std::vector<std::string>{}) << "a refresh queues nothing";
    markierteLinie(50);
    SendMessage(d, WM_COMMAND, 2999, 0);
    GetDlgItemText(d, 3016, t, sizeof t);
    EXPECT_STREQ(t, "0.0");
    EXPECT_EQ(IsDlgButtonChecked(d, 3010), BST_CHECKED);
    tippen(d, 3016, "90");
    SendMessage(d, WM_COMMAND, 2500, 0);
    EXPECT_EQ(schlange(), std::vector<std::string>{"DRH 900"}) << "a new marking starts at 0";
}

TEST_F(MrkTest, ExchangeQueuesTheTickedRows)
{
    HWND d = oeffnen(1231);
    ASSERT_NE(d, 0u);
    struct Zeile {
        int zeile;
        const char *alt, *neu;
        bool haken;
    } zeilen[] = {
        {0, "Motor", "Pumpe", true}, {2, "2.5", "2.5", false}, {5, "3", "  ", false}, {6, "K1", "K2", true},
    };
    for (const Zeile& z : zeilen) {
        SetDlgItemText(d, 3000 + 10 * z.zeile, z.alt);
        SetDlgItemText(d, 3001 + 10 * z.zeile, z.neu);
        pumpen();
        EXPECT_EQ(IsDlgButtonChecked(d, 3002 + 10 * z.zeile) == BST_CHECKED, z.haken) << z.zeile;
    }
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    std::vector<std::string> texte;
    for (const BEF& b : saetze()) {
        EXPECT_STREQ(BefName(b.code), "TAU");
        texte.push_back(b.text);
    }
    EXPECT_EQ(texte, (std::vector<std::string>{"TFA Motor Pumpe", "ZB K1 K2"}));
    EXPECT_EQ(wiDlgSuchen("DB1231"), 0u);
    // The editor reaches it through its own table.
    EdtAufrufTabelle().DB1231Oeffnen();
    pumpen();
    EXPECT_NE(wiDlgSuchen("DB1231"), 0u);
}

TEST_F(MrkTest, AMacroIsPlayedWithParallelLinesOffUnlessKept)
{
    fs::path ordner = dbpruef::tempName("makros");
    fs::remove_all(ordner);
    fs::create_directories(ordner);
    for (const char* n : {"eins.mac", "Zwei.MAC", "drei.txt"}) std::ofstream(ordner / n) << "Text x\r\n";
    VerSetzen(2, ordner.c_str());
    STT s = *modh::EditorZustand();
    strkopie(s.bd, sizeof s.bd, "ELT", STTBDSUP);
    modh::EditorZustandSetzen(&s);
    HWND d = oeffnen(1311);
    ASSERT_NE(d, 0u);
    std::vector<std::string> namen;
    for (int i = 0; i < SendDlgItemMessage(d, 3020, LB_GETCOUNT, 0, 0); ++i) {
        char t[64];
        SendDlgItemMessage(d, 3020, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
        namen.push_back(t);
    }
    std::sort(namen.begin(), namen.end());
    EXPECT_EQ(namen, (std::vector<std::string>{"Zwei", "eins"}));
    SendMessage(d, WM_COMMAND, 2500, 0);
    EXPECT_EQ(BefAnzahl(), 0) << "nothing chosen, nothing played";
    const int zwei = static_cast<int>(SendDlgItemMessage(d, 3020, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                         reinterpret_cast<LPARAM>("Zwei")));
    SendDlgItemMessage(d, 3020, LB_SETCURSEL, static_cast<WPARAM>(zwei), 0);
    SendMessage(d, WM_COMMAND, 2510, 0);
    pumpen();
    HWND t = wiDlgSuchen("TEXTANZEIGEN");
    ASSERT_NE(t, 0u);
    char titel[300];
    GetWindowText(t, titel, sizeof titel);
    EXPECT_EQ(fs::path(titel).filename(), "Zwei.mac");
    SendMessage(t, WM_COMMAND, 2501, 0);
    pumpen();
    PhEditorAufrufe().clear();
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    ASSERT_EQ(BefAnzahl(), 1);
    BEF b;
    BefVorne(&b);
    EXPECT_STREQ(BefName(b.code), "MAC");
    EXPECT_STREQ(b.text, "Zwei");
    ASSERT_FALSE(PhEditorAufrufe().empty());
    EXPECT_EQ(PhEditorAufrufe()[0], "MflBefehl(0)");
    EXPECT_EQ(wiDlgSuchen("DB1311"), 0u);
    BefLeeren();
    // Kept on: the parallel lines stay.
    d = oeffnen(1311);
    ASSERT_NE(d, 0u);
    CheckDlgButton(d, 3100, BST_CHECKED);
    SendDlgItemMessage(d, 3020, LB_SETCURSEL, 0, 0);
    PhEditorAufrufe().clear();
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(BefAnzahl(), 1);
    EXPECT_EQ(std::count(PhEditorAufrufe().begin(), PhEditorAufrufe().end(), "MflBefehl(0)"), 0);
    VerSetzen(2, "");
    fs::remove_all(ordner);
}

}  // namespace
