// A new user's first project driven by the keys and clicks a user gives, in
// this process through the frame's start on the headless backend with a
// fresh configuration and home folder and no project named: the start-up
// screen offers the shipped sample, its picture button makes a project
// folder from it, the page and the caption show it, the project menu backs
// it up and shows the folder tree on it, and after "Einstellen" in the tree
// the next start's start-up screen lists it first.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "controls/lisanzeige.h"
#include "frame/anw.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "project/pvwliste.h"
#include "project/startbild.h"
#include "project/wrz.h"
#include "tests/frame/neunutzer_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;

namespace {

using namespace seitepruef;

// An entry of the "Projekt" menu: Alt+P, `schritte` steps down, Enter.
void projektMenue(int schritte)
{
    plHeadlessTasteRunter(VK_MENU);
    plHeadlessTaste('P');
    plHeadlessTasteHoch(VK_MENU);
    for (int i = 0; i < schritte; ++i) plHeadlessTaste(VK_DOWN);
    plHeadlessTaste(VK_RETURN);
    pumpen();
}

class NeuerNutzerLauf : public NeuNutzerRahmen {
protected:
    void SetUp() override { einrichten("neulauf", {"home/Zavik", "arbeit"}); }
    void starten()
    {
        rahmenStarten(args, argv, {"-W=1"});
        if (HasFatalFailure()) return;
        pumpen();
    }
    // "Letzte Projekte..." opens the start-up screen; its rows.
    static std::vector<StartEintrag> startBild(HWND* dlg)
    {
        projektMenue(2);
        *dlg = wiDlgSuchen("PVWSTARTUP");
        if (*dlg == 0 || wiDlgBetreten(*dlg) < 0) return {};
        const int zeilen = LisAnzahl(3000);
        wiDlgVerlassen();
        std::vector<StartEintrag> l = StartListe();
        EXPECT_EQ(static_cast<size_t>(zeilen), l.size());
        return l;
    }
};

}  // namespace

TEST_F(NeuerNutzerLauf, SampleToNewProjectBackupTreeAndRecentList)
{
    starten();
    ASSERT_FALSE(HasFatalFailure());
    HWND start = 0;
    std::vector<StartEintrag> l = startBild(&start);
    ASSERT_NE(start, 0u);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(fs::path(l[0].pfad).filename(), "Muster");

    // The picture button "new project": the start-up screen goes, the new
    // folder's dialog comes with the sample as template.
    klick(start, 3200);
    EXPECT_EQ(wiDlgSuchen("PVWSTARTUP"), 0u);
    HWND dlg = wiDlgSuchen("PVWVERZANLEGEN");
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(fs::path(feld(dlg, 3100)).filename(), "Muster") << feld(dlg, 3100);
    const fs::path zavik = wurzel / "home" / "Zavik";
    plDateiDialogAntwort(zavik.c_str());
    klick(dlg, 2510);
    EXPECT_NE(feld(dlg, 3000).find("Zavik"), std::string::npos) << feld(dlg, 3000);
    tippen(dlg, 3010, "Anlage1");
    tippen(dlg, 3020, "Halle 3");
    klick(dlg, 2500);
    EXPECT_EQ(wiDlgSuchen("PVWVERZANLEGEN"), 0u) << rahmenLetzteMeldung();

    const fs::path neu = zavik / "Anlage1";
    char akt[VERSUP + 1] = "";
    VerHolen(1, akt, sizeof akt);
    EXPECT_EQ(fs::path(akt), fs::path(neu.string() + "/"));
    std::vector<std::string> gelistet;
    for (int i = 0; i < PvwAnzahl(); ++i) {
        char n[PVWNAMESUP + 1] = "";
        if (PvwZeiName(i, n)) gelistet.push_back(n);
    }
    EXPECT_EQ(gelistet, std::vector<std::string>{"Anlage1.01"});
    char caption[300] = "";
    GetWindowText(anwHauptfenster(), caption, sizeof caption);
    EXPECT_NE(std::string(caption).find("Halle 3"), std::string::npos) << caption;

    // "Projekt sichern...": every file into "Sicherung", no subfolder.
    fs::create_directories(neu / "Unter");
    const std::set<std::string> dateien = {"Anlage1.01", "Inhalt.txt", "Projekt.zvk"};
    projektMenue(5);
    HWND sich = wiDlgSuchen("PVWPROSICHERN");
    ASSERT_NE(sich, 0u);
    EXPECT_EQ(feld(sich, 3010), "Sicherung");
    klick(sich, 2500);
    EXPECT_EQ(wiDlgSuchen("PVWPROSICHERN"), 0u) << rahmenLetzteMeldung();
    EXPECT_EQ(namen(neu / "Sicherung"), dateien);

    // "Projektliste...": the tree's cursor is on the new folder;
    // "Einstellen" opens it from there and the tree closes.
    projektMenue(0);
    HWND baum = WrzDlgFenster();
    ASSERT_NE(baum, 0u);
    pumpen();
    ASSERT_GE(wiDlgBetreten(baum), 0);
    const WrzEintrag* e = WrzEintragAdr(WrzZeileEintrag(LisAkt(3000)));
    wiDlgVerlassen();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(fs::path(e->pfad), neu);
    klick(baum, 2540);
    EXPECT_EQ(WrzDlgFenster(), 0u);

    // The next start lists it first, with its title.
    rahmenBeenden();
    starten();
    ASSERT_FALSE(HasFatalFailure());
    l = startBild(&start);
    ASSERT_NE(start, 0u);
    ASSERT_GE(l.size(), 1u);
    EXPECT_EQ(fs::path(l[0].pfad), neu);
    EXPECT_EQ(l[0].titel[0], "Halle 3");
    // The sample stays offered beside the user's own project.
    EXPECT_EQ(fs::path(l.back().pfad).filename(), "Muster");
    EXPECT_TRUE(l.back().vorlage);
    plHeadlessTaste(VK_ESCAPE);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("PVWSTARTUP"), 0u);
}
