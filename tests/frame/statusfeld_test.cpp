// The editor page's status fields on the running frame, headless, over a
// working copy of the demo: a double click on the scale field opens its
// popup and "1 : 2.5" sets the scale, a typed pen number takes effect, a
// refresh rewrites only what changed, and the fields show the decimals of
// the editor's setting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "editor/statusfeld.h"
#include "frame/anw.h"
#include "frame/modus.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/tools/demokopie.h"
#include "winlib/winbib.h"

namespace fs = std::filesystem;

namespace {

std::string menueBild;
std::vector<std::string> menueTexte;
std::vector<UINT> menueTasten;

void menueAnsehen(HWND popup)
{
    if (!menueBild.empty() && popup) plHeadlessPng(popup, menueBild.c_str());
    menueBild.clear();
    HMENU m = plMenueVerfolgt();
    menueTexte.clear();
    for (int i = 0; m && i < GetMenuItemCount(m); ++i) {
        char t[100] = "";
        GetMenuString(m, static_cast<UINT>(i), t, sizeof t, MF_BYPOSITION);
        menueTexte.push_back(t);
    }
    for (UINT k : menueTasten) plHeadlessTaste(k);
    menueTasten.clear();
}

class StatusLauf : public ::testing::Test {
protected:
    DemoKopie demo;
    fs::path vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    void SetUp() override
    {
        rahmenDemoStarten(demo.wurzel(), vorher, args, argv);
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
        EditorMitDatei((demo.projekt() + "/HV1.08").c_str());
        rahmenPumpen();
        plNachrichtBoxFragenLeeren();
        plMenueBeobachter(menueAnsehen);
    }
    void TearDown() override
    {
        plMenueBeobachter(nullptr);
        rahmenBeenden(vorher);
    }
    static HWND feld(int n) { return GetDlgItem(EdtFenster(), STATUSFELDID + n); }
    static std::string text(int n)
    {
        char t[100] = "";
        GetWindowText(feld(n), t, sizeof t);
        return t;
    }
    static POINT mitte(int n)
    {
        RECT r;
        GetWindowRect(feld(n), &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};

TEST_F(StatusLauf, APopupChoiceATypedValueAndARefreshOfWhatChanged)
{
    ASSERT_NE(feld(9), 0u);
    EXPECT_TRUE(IsWindowVisible(feld(9)));
    EXPECT_EQ(text(8), "Massstab");
    EXPECT_EQ(text(9), "1.00") << "the plain form; the field shows the locale's separator";

    // A double click on the scale: its popup, "1 : 2.5" chosen by keys.
    menueBild = demo.wurzel() + "/ms.png";
    menueTasten = {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};
    plHeadlessZeitVor(1000);
    const POINT p = mitte(9);
    plHeadlessKlick(p.x, p.y);
    plHeadlessKlick(p.x, p.y);
    rahmenPumpen();
    ASSERT_GE(menueTexte.size(), 3u);
    EXPECT_EQ(menueTexte[2], "1 : 2.5");
    EXPECT_DOUBLE_EQ(BefAktZustand()->msf, 0.4);
    EXPECT_EQ(text(9), "0.40") << "the field follows after the drain";
    if (const char* bild = std::getenv("STATUS_MENUE")) fs::copy_file(demo.wurzel() + "/ms.png", bild, fs::copy_options::overwrite_existing);

    // A pen typed into its field takes effect as it is typed.
    plHeadlessZeitVor(1000);
    const POINT s = mitte(11);
    plHeadlessKlick(s.x, s.y);
    plHeadlessTaste(VK_END);
    plHeadlessTaste(VK_BACK);
    plHeadlessText("3");
    rahmenPumpen();
    EXPECT_EQ(BefAktZustand()->st, 3);
    plHeadlessTaste(VK_RETURN);
    rahmenPumpen();
    EXPECT_EQ(GetFocus(), GetDlgItem(EdtFenster(), 5000)) << "Enter gives the drawing the focus";

    // A refresh writes only the fields whose value changed: first the pen,
    // kept as typed while it had the focus, then nothing.
    EXPECT_EQ(StatusfelderAktualisieren(0), 1);
    EXPECT_EQ(text(11), "3");
    EXPECT_EQ(StatusfelderAktualisieren(0), 0);
    BefAktZustand()->tg = 7.5;
    EXPECT_EQ(StatusfelderAktualisieren(0), 1);
    EXPECT_EQ(text(19), "7.5");
    EXPECT_EQ(StatusfelderAktualisieren(1), 19) << "forced: the 15 values, the cursor, style, font and layer";

    plHeadlessPng(anwHauptfenster(), (demo.wurzel() + "/seite.png").c_str());
    if (const char* bild = std::getenv("STATUS_SEITE")) fs::copy_file(demo.wurzel() + "/seite.png", bild, fs::copy_options::overwrite_existing);
}

}  // namespace
