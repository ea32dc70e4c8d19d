// A new user's first project, in this process through the frame's start on
// the headless backend with a fresh configuration and home folder: a new
// project folder from the shipped sample with a title, the page and the
// caption after the switch, a backup of it, and the folder tree on it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "config/verzeich.h"
#include "controls/lisanzeige.h"
#include "equipment/app.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "frame/anw.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/orte.h"
#include "platform/winconst.h"
#include "output/druck.h"
#include "project/chkdlg.h"
#include "project/dirhist.h"
#include "project/export.h"
#include "project/hbview.h"
#include "project/hilfe.h"
#include "project/impdlg.h"
#include "project/inhalt.h"
#include "project/projneu.h"
#include "project/proverw.h"
#include "project/pvwliste.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/titeldlg.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "tests/frame/neunutzer_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

namespace fs = std::filesystem;

namespace {

class NeuerNutzer : public NeuNutzerRahmen {
protected:
    void SetUp() override
    {
        einrichten("neu", {"home", "arbeit/Erstes"});
        if (HasFatalFailure()) return;
        rahmenStarten(args, argv, {"-W=1", "Erstes"});
        if (HasFatalFailure()) return;
        AppAktivSetzen(1);
        plHeadlessPumpen();
    }
    static void befehl(HWND f, int id)
    {
        SendMessage(f, WM_COMMAND, static_cast<WPARAM>(id), 0);
        plHeadlessPumpen();
    }
};

}  // namespace

TEST_F(NeuerNutzer, NewProjectFromTheSampleThenBackupAndTree)
{
    const fs::path zavik = wurzel / "home" / "Zavik";
    fs::create_directories(zavik);
    befehl(anwHauptfenster(), 1503);
    HWND dlg = wiDlgSuchen("PVWVERZANLEGEN");
    ASSERT_NE(dlg, 0u);
    char v[300] = "";
    GetDlgItemText(dlg, 3100, v, sizeof v);
    EXPECT_EQ(fs::path(v).filename(), "Muster") << v;   // the shipped sample is proposed
    plDateiDialogAntwort(zavik.c_str());
    befehl(dlg, 2510);
    SetDlgItemText(dlg, 3010, "Anlage1");
    SetDlgItemText(dlg, 3020, "Halle 3");
    befehl(dlg, 2500);
    EXPECT_EQ(wiDlgSuchen("PVWVERZANLEGEN"), 0u);
    plHeadlessPumpen();

    const fs::path neu = zavik / "Anlage1";
    char akt[VERSUP + 1] = "";
    VerHolen(1, akt, sizeof akt);
    EXPECT_EQ(fs::path(akt), fs::path(neu.string() + "/"));
    EXPECT_EQ(namen(neu), (std::set<std::string>{"Anlage1.01", "Inhalt.txt", "Projekt.zvk"}));
    ASSERT_GE(PvwAnzahl(), 1);
    bool gelistet = false;
    for (int i = 0; i < PvwAnzahl(); ++i) {
        char n[PVWNAMESUP + 1] = "";
        if (PvwZeiName(i, n) && std::string(n) == "Anlage1.01") gelistet = true;
    }
    EXPECT_TRUE(gelistet);
    char titel[UTTEXTSUP + 1], anlage[UTTEXTSUP + 1], ort[UTTEXTSUP + 1];
    ASSERT_EQ(UtitelFremdLesen((neu / "Projekt.zvk").c_str(), titel, anlage, ort), 1);
    EXPECT_STREQ(titel, "Halle 3");
    char caption[300] = "";
    GetWindowText(anwHauptfenster(), caption, sizeof caption);
    EXPECT_NE(std::string(caption).find("Halle 3"), std::string::npos) << caption;

    // 1506: every file into "Sicherung", no subfolder.
    fs::create_directories(neu / "Unter");
    befehl(anwHauptfenster(), 1506);
    HWND sich = wiDlgSuchen("PVWPROSICHERN");
    ASSERT_NE(sich, 0u);
    char s[100] = "";
    GetDlgItemText(sich, 3010, s, sizeof s);
    EXPECT_STREQ(s, "Sicherung");
    befehl(sich, 2500);
    EXPECT_EQ(namen(neu / "Sicherung"), (std::set<std::string>{"Anlage1.01", "Inhalt.txt", "Projekt.zvk"}));

    // 1500: the tree's cursor is on the new folder.
    befehl(anwHauptfenster(), 1500);
    HWND baum = WrzDlgFenster();
    ASSERT_NE(baum, 0u);
    plHeadlessPumpen();
    ASSERT_GE(wiDlgBetreten(baum), 0);
    const WrzEintrag* e = WrzEintragAdr(WrzZeileEintrag(LisAkt(3000)));
    wiDlgVerlassen();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(fs::path(e->pfad), neu);
    fs::path bild = fs::read_symlink("/proc/self/exe").parent_path() / "projordner_baum.png";
    EXPECT_EQ(plHeadlessPng(baum, bild.c_str()), 0);
    befehl(baum, 2501);
}
