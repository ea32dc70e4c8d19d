// Dialogs on the marked elements: the checks of the line-up and its run,
// the rotation that applies each angle once per marking.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <filesystem>
#include <fstream>

#include "config/inidatei.h"
#include "config/verzeich.h"
#include "editdlg/markier.h"

#include "editor/befausf.h"
#include "editor/mehrfach.h"
#include "support/texte.h"
#include "model/beffifo.h"
#include "platform/nachrichtbox.h"
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
    dbpruef::seiteGehoben() = 0;
    SendMessage(d, WM_COMMAND, 1, 0);  // Enter in a field confirms
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1322"), 0u);
    EXPECT_GE(dbpruef::seiteGehoben(), 1) << "the editor gets the focus back";
    EXPECT_EQ(TzAnzahl(), 3) << "the marked line and two copies 10 apart";
    EXPECT_EQ(TzMarkAnzahl(), 0);
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
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    ASSERT_EQ(BefAnzahl(), 1);
    BEF b;
    BefVorne(&b);
    EXPECT_STREQ(BefName(b.code), "MAC");
    EXPECT_STREQ(b.text, "Zwei");
    EXPECT_EQ(MflAn(), 0) << "parallel lines are switched off first";
    EXPECT_EQ(wiDlgSuchen("DB1311"), 0u);
    BefLeeren();
    // Kept on: the parallel lines stay.
    d = oeffnen(1311);
    ASSERT_NE(d, 0u);
    CheckDlgButton(d, 3100, BST_CHECKED);
    SendDlgItemMessage(d, 3020, LB_SETCURSEL, 0, 0);
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(BefAnzahl(), 1);
    VerSetzen(2, "");
    fs::remove_all(ordner);
}


TEST(MrkBau, TheComponentNameIsUpperCaseAndTen)
{
    EXPECT_EQ(MrkBauName("  schaltgeraet  "), "SCHALTGERA");
    EXPECT_EQ(MrkBauName("motor"), "MOTOR");
    EXPECT_EQ(MrkBauName(""), "");
}

TEST_F(MrkTest, AComponentDefinitionStartsEndsAndIsAbandoned)
{
    HWND d = oeffnen(1300);
    ASSERT_NE(d, 0u);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 2500)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 2501))) << "nothing to end yet";
    SetDlgItemText(d, 3000, "schaltgeraet");
    SendMessage(d, WM_COMMAND, 1, 0);
    pumpen();
    std::vector<BEF> s = saetze();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_STREQ(BefName(s[0].code), "SB");
    EXPECT_STREQ(s[0].text, "SCHALTGERA");
    SendMessage(d, WM_COMMAND, 2502, 0);
    pumpen();
    EXPECT_EQ(schlange(), std::vector<std::string>{"LB 0"});
    EXPECT_EQ(wiDlgSuchen("DB1300"), 0u);
}

TEST_F(MrkTest, AMacroIsRecordedOrSavedWithANameOnly)
{
    fs::path ordner = dbpruef::tempName("recmak");
    fs::remove_all(ordner);
    fs::create_directories(ordner);
    std::ofstream(ordner / "alt.mac") << "Text x\r\n";
    VerSetzen(2, ordner.c_str());
    STT st = *modh::EditorZustand();
    strkopie(st.bd, sizeof st.bd, "ELT", STTBDSUP);
    modh::EditorZustandSetzen(&st);
    HWND d = oeffnen(1310);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(IsDlgButtonChecked(d, 3020), BST_CHECKED) << "no recording: save directly";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 2500)));
    klick(d, 3021);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 2500)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 2501)));
    // No name: message 96 in a box, nothing queued.
    plNachrichtBoxFragenLeeren();
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_NE(plNachrichtBoxFragen()[0].text.find("Namen"), std::string::npos);
    EXPECT_EQ(BefAnzahl(), 0);
    SetDlgItemText(d, 3000, "neu");
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(text(d, 3000), "neu") << "a refresh leaves the name being typed";
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    std::vector<BEF> s = saetze();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_STREQ(BefName(s[0].code), "REC");
    EXPECT_EQ(s[0].iarg[0], 0);
    EXPECT_STREQ(s[0].text, "neu");
    // Saving over an existing file asks; "no" queues nothing.
    klick(d, 3020);
    SetDlgItemText(d, 3000, "alt");
    plNachrichtBoxFragenLeeren();
    plNachrichtBoxAntwort(IDNO);
    SendMessage(d, WM_COMMAND, 2501, 0);
    pumpen();
    EXPECT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(BefAnzahl(), 0);
    EXPECT_NE(wiDlgSuchen("DB1310"), 0u);
    plNachrichtBoxAntwort(IDYES);
    SendMessage(d, WM_COMMAND, 2501, 0);
    pumpen();
    s = saetze();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].iarg[0], 2);
    EXPECT_EQ(fs::path(s[0].text).filename(), "alt.mac");
    EXPECT_EQ(wiDlgSuchen("DB1310"), 0u);
    plNachrichtBoxSkriptLeeren();
    VerSetzen(2, "");
    fs::remove_all(ordner);
}

// The macro and component names live in the editor: what the editor runs
// reaches the dialogs through the refresh, what the dialogs confirm is kept
// by the editor for the next opening.
TEST_F(MrkTest, MacroAndComponentNamesAreTheEditors)
{
    fs::path bib = dbpruef::tempName("mrk-namen");
    dbpruef::kleineBibliothek(bib, {"MOTOR"});
    BefFlags()->makro[0] = BefFlags()->bauteil[0] = '\0';
    auto ausfuehren = [](int code, int i0, const char* text) {
        BEF b{};
        b.code = static_cast<uint8_t>(code);
        b.iarg[0] = i0;
        BefTextSetzen(&b, text);
        BefAusfuehren(&b);
        wiDlgAllenSenden(2999, 0);
        pumpen();
    };
    HWND rec = oeffnen(1310);
    HWND bau = oeffnen(1300);
    ASSERT_NE(rec, 0u);
    ASSERT_NE(bau, 0u);
    EXPECT_EQ(text(rec, 3000), "");
    ausfuehren(160, 0, "ablauf");  // REC 0: a recording starts
    EXPECT_STREQ(BefFlags()->makro, "ablauf");
    EXPECT_EQ(text(rec, 3000), "ablauf");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(rec, 3010))) << "the recording shows";
    ausfuehren(160, -1, "");  // discarded
    ausfuehren(135, 0, "  relais");  // SB: a definition starts
    EXPECT_STREQ(BefFlags()->bauteil, "RELAIS");
    EXPECT_EQ(text(bau, 3000), "RELAIS");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(bau, 2501)));
    ausfuehren(137, 0, "");  // LB
    saetze();
    // Confirmed in the dialogs, kept by the editor.
    klick(rec, 3020);
    SetDlgItemText(rec, 3000, " neu ");
    SendMessage(rec, WM_COMMAND, 2501, 0);
    pumpen();
    EXPECT_STREQ(BefFlags()->makro, "neu");
    SetDlgItemText(bau, 3000, "schalter");
    SendMessage(bau, WM_COMMAND, 2501, 0);
    pumpen();
    EXPECT_STREQ(BefFlags()->bauteil, "SCHALTER");
    saetze();
    rec = oeffnen(1310);
    bau = oeffnen(1300);
    EXPECT_EQ(text(rec, 3000), "neu");
    EXPECT_EQ(text(bau, 3000), "SCHALTER");
    wiDlgAlleSchliessen();
    pumpen();
    VerSetzen(2, "");
    fs::remove_all(bib);
}

}  // namespace

namespace {

class MrkNahTest : public dbpruef::SchlangeTest {
protected:
    void SetUp() override
    {
        SchlangeTest::SetUp();
        for (int l = 1; l <= LAYERSUP; ++l) LayerSichtSetzen(l, 1);
        ProfilZahlSchreiben("ArbPlatz", "MarkBefTxt", 0);
    }
    static int einfuegen(int code, double x, double y, const char* text, int layer = 1)
    {
        BEF b{};
        b.code = static_cast<uint8_t>(code);
        b.darg[0] = 2;
        b.darg[1] = 1;
        if (text != nullptr) BefTextSetzen(&b, text);
        STT s{};
        SttInit(&s, nullptr);
        s.x = x;
        s.y = y;
        s.layer = layer;
        return TzEinfuegen(&b, &s);
    }
    static std::vector<std::string> zeilen(HWND d)
    {
        std::vector<std::string> v;
        for (int i = 0; i < SendDlgItemMessage(d, 3100, LB_GETCOUNT, 0, 0); ++i) {
            char t[256] = "";
            SendDlgItemMessage(d, 3100, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
            v.push_back(t);
        }
        return v;
    }
};

TEST(MrkKurz, ShortLinesOfTheKinds)
{
    STT s{};
    s.x = 12.26;
    s.y = -3;
    BEF b{};
    b.code = 50;
    BefTextSetzen(&b, "Eine Beschriftung mit 37 Zeichen Text");
    const std::string pos = "   12,3   -3,0";
    EXPECT_EQ(MrkKurzText(b, s), "\"Eine Beschriftung mit 37 ..\" " + pos);
    b = BEF{};
    b.code = 40;
    b.darg[0] = 10;
    b.darg[1] = -2.5;
    EXPECT_EQ(MrkKurzText(b, s), "ZL     10,0   -2,5            " + pos);
    b.code = 65;
    b.iarg[0] = 0;
    b.iarg[1] = 900;
    EXPECT_EQ(MrkKurzText(b, s), "BOG    0  900                 " + pos);
    b = BEF{};
    b.code = 81;
    BefTextSetzen(&b, "MOTOR");
    EXPECT_EQ(MrkKurzText(b, s), "MOTOR                         " + pos);
}

TEST_F(MrkNahTest, TheObjectsNearTheCursorAndTheirMarks)
{
    const int text = einfuegen(50, 1, 1, "Eine Beschriftung mit 37 Zeichen Text");
    const int linie = einfuegen(40, 5, 5, nullptr);
    einfuegen(40, 100, 100, nullptr);     // too far
    einfuegen(40, 2, 2, nullptr, 7);      // hidden layer
    LayerSichtSetzen(7, 0);
    TzMarkSetzen(linie, 1);
    HWND d = oeffnen(1230);
    ASSERT_NE(d, 0u);
    std::vector<std::string> z = zeilen(d);
    ASSERT_EQ(z.size(), 2u);
    EXPECT_EQ(z[0].substr(0, 29), "\"Eine Beschriftung mit 37 ..\"");
    EXPECT_EQ(z[0].substr(80), std::to_string(text));
    EXPECT_EQ(SendDlgItemMessage(d, 3100, LB_GETSEL, 0, 0), 0);
    EXPECT_GT(SendDlgItemMessage(d, 3100, LB_GETSEL, 1, 0), 0) << "the marked line is selected";
    SendDlgItemMessage(d, 3100, LB_SETSEL, TRUE, 0);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3100, LBN_SELCHANGE), 0);
    std::vector<BEF> s = saetze();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_STREQ(BefName(s[0].code), "_ELA");
    EXPECT_EQ(s[0].iarg[0], text);
    EXPECT_EQ(s[0].iarg[1], 1);
    klick(d, 3000);
    EXPECT_EQ(zeilen(d)[0].substr(0, 3), "TFA") << "the records' text form";
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(ProfilZahlLesen("ArbPlatz", "MarkBefTxt"), 1);
}

}  // namespace
