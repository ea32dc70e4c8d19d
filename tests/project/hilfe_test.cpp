// Help paths and topics, the program information, the web pages and the
// layer choice.
#include "project/hilfe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "controls/ctlkern.h"
#include "model/einstell.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/shell.h"
#include "platform/winconst.h"
#include "tests/project/projpruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

using namespace projtest;

namespace {

using V = std::vector<std::string>;

V& hauptBefehle()
{
    static V v;
    return v;
}
V& gestartet()
{
    static V v;
    return v;
}

LRESULT CALLBACK hHauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COMMAND) hauptBefehle().push_back(std::to_string(LOWORD(wp)));
    return DefWindowProc(h, m, wp, lp);
}

int leer(int, const char* const*) { return 0; }
int leerExit() { return 0; }
int leerBefehl(UINT, WPARAM, LPARAM) { return 0; }

class HilfeTest : public projpruef::VorgabenTest {
protected:
    void SetUp() override
    {
        VorgabenTest::SetUp();
        projpruef::dialogWirt(ordner, 1100, 700, hHauptProz);
        if (HasFatalFailure()) return;
        hauptBefehle().clear();
        gestartet().clear();
        plShellStarterSetzen([](const std::vector<std::string>& w, const std::string&) {
            std::string s;
            for (const auto& x : w) s += x + " ";
            gestartet().push_back(s);
            return 0;
        });
    }
    void TearDown() override
    {
        plShellStarterSetzen(nullptr);
        wiDlgAlleSchliessen();
        projpruef::dialogWirtEnde();
        LayerZuruecksetzen();
        HilfeSchluesselSetzen("");
        VorgabenTest::TearDown();
    }
    void bild(HWND dlg, const char* name)
    {
        projpruef::dlgPumpen();
        EXPECT_EQ(plHeadlessPng(dlg, (std::string(::testing::TempDir()) + name).c_str()), 0);
    }
};

TEST_F(HilfeTest, TheManualPathHasOneSeparatorBeforeItsName)
{
    std::string hilfe = (ordner / "hilfe").string();
    for (const std::string& wert : {hilfe, hilfe + "/", hilfe + "//"}) {
        vorgaben("ZvHlpPfad " + wert + "\n");
        char p[400];
        HandbuchPfad(p);
        EXPECT_EQ(std::string(p), hilfe + "/Velmo.pdf") << wert;
    }
    vorgaben("ZvHlpPfad\n");
    VerSetzen(0, (ordner / "programm").string().c_str());
    // The shipped-data folder holds the books (a build tree has them beside
    // the program instead).
    std::filesystem::create_directories(ordner / "programm");
    for (const char* n : {"Velmo.pdf", "Velmo-Bauteile.pdf"}) std::ofstream(ordner / "programm" / n) << "%PDF";
    char p[400];
    HandbuchPfad(p);
    EXPECT_EQ(std::string(p), (ordner / "programm" / "Velmo.pdf").string());
    HilfeDateiPfad("Velmo-Bauteile.pdf", p, sizeof p);
    EXPECT_EQ(std::string(p), (ordner / "programm" / "Velmo-Bauteile.pdf").string());
    VerSetzen(0, "");
}

TEST_F(HilfeTest, TheTopicIsTheDialogsOwnElseItsNameElseTheModesKey)
{
    HilfeSchluesselSetzen("Zavik-PVW-und-noch-viel-mehr");
    EXPECT_STREQ(HilfeSchluessel(), "Zavik-PVW-und-noch-v");
    HilfeSchluesselSetzen("Zavik-PVW");
    char t[HILFESCHLUESSELSUP + 1];
    EXPECT_STREQ(HilfeThema(t), "Zavik-PVW");
    HWND d = wiDlgOeffnen("LayerShow", leer, leerExit, leerBefehl);
    ASSERT_NE(d, 0u);
    SetActiveWindow(d);
    projpruef::dlgPumpen();
    EXPECT_STREQ(HilfeThema(t), "LayerShow");
    wiDlgHilfeSetzen(d, "PROVERW");
    EXPECT_STREQ(HilfeThema(t), "PROVERW");
}

TEST_F(HilfeTest, LayerChoiceListsNamedLayersAndRedrawsTheViewer)
{
    LayerNameSetzen(1, "Grundriss");
    LayerNameSetzen(2, "   ");
    LayerNameSetzen(3, "Texte");
    LayerNameSetzen(12, "Kabel");
    for (int n = 1; n <= 20; ++n) LayerSichtSetzen(n, n == 1 || n == 2 ? 1 : 0);
    LayerAnzeigeDlg();
    HWND d = wiDlgSuchen("LayerShow");
    ASSERT_NE(d, 0u);
    V eintraege;
    std::vector<int> gewaehlt;
    int n = static_cast<int>(SendDlgItemMessage(d, 3000, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char t[60] = "";
        SendDlgItemMessage(d, 3000, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
        eintraege.push_back(t);
        gewaehlt.push_back(SendDlgItemMessage(d, 3000, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0 ? 1 : 0);
    }
    EXPECT_EQ(eintraege, (V{" 1 Grundriss", " 3 Texte", "12 Kabel"}));
    EXPECT_EQ(gewaehlt, (std::vector<int>{1, 0, 0}));
    bild(d, "layershow.png");

    SendDlgItemMessage(d, 3000, LB_SETSEL, 1, 1);
    SendDlgItemMessage(d, 3000, LB_SETSEL, 1, 2);
    SendDlgItemMessage(d, 3000, LB_SETSEL, 0, 0);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3000, LBN_SELCHANGE), 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(LayerSichtbar(1), 0);
    EXPECT_EQ(LayerSichtbar(2), 1) << "a layer without a name keeps its visibility";
    EXPECT_EQ(LayerSichtbar(3), 1);
    EXPECT_EQ(LayerSichtbar(12), 1);
    EXPECT_EQ(hauptBefehle(), (V{"5002"}));
    SendMessage(d, WM_COMMAND, 2, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(wiDlgSuchen("LayerShow"), 0u);
}

TEST_F(HilfeTest, ProgramInformationShowsItsPictureAndClosesOnAClick)
{
    InfoOeffnen();
    HWND d = wiDlgSuchen("ZvCopy");
    ASSERT_NE(d, 0u);
    EXPECT_NE(SendDlgItemMessage(d, 4000, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    bild(d, "zvcopy.png");
    SendMessage(d, WM_COMMAND, MAKEWPARAM(4000, STN_CLICKED), 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(wiDlgSuchen("ZvCopy"), 0u);
}

TEST_F(HilfeTest, TheWebPagesAndManualsGoToTheShell)
{
    // The desktop's opener, found on the search path.
    fs::path bin = ordner / "bin";
    fs::create_directories(bin);
    schreiben((bin / "xdg-open").string(), "#!/bin/sh\n");
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    std::string alt = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", (bin.string() + ":" + alt).c_str(), 1);
    InternetOeffnen();
    setenv("PATH", alt.c_str(), 1);
    ASSERT_EQ(gestartet().size(), 1u);
    EXPECT_NE(gestartet()[0].find("https://www.velmo."), std::string::npos) << gestartet()[0];
}

}  // namespace
