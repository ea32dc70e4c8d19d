// The project page as a user meets it on a working copy of the demo: the
// project list closes with Esc from wherever its focus stands; a lock file
// is deleted only after a question that says whose it is; the delete
// question names the sheets it takes; a PDF exported into the project
// folder is listed at once; a second start handing over another project
// shows that project's page in the window as it was, and one that arrives
// while a question of the old project is open waits for its answer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "frame/dde.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "platform/dateidialog.h"
#include "platform/shell.h"
#include "project/pvwliste.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;

namespace {

class ProjektTasten : public DemoSeite {};

TEST_F(ProjektTasten, EscClosesTheProjectList)
{
    for (int steuer : {3000, 3110, 3120}) {
        ASSERT_TRUE(menueWaehlen(1500));
        rahmenPumpen();
        HWND d = wiDlgSuchen("PVWVERZEICHNIS");
        ASSERT_NE(d, 0u);
        SetFocus(GetDlgItem(d, steuer));
        plHeadlessTaste(VK_ESCAPE);
        rahmenPumpen();
        EXPECT_EQ(wiDlgSuchen("PVWVERZEICHNIS"), 0u) << "focus on " << steuer;
        if (HWND offen = wiDlgSuchen("PVWVERZEICHNIS")) SendMessage(offen, WM_COMMAND, 2501, 0), rahmenPumpen();
    }
}

TEST_F(ProjektTasten, TheLockFileIsDeletedOnlyAfterAQuestionNamingItsHolder)
{
    const fs::path sperre = fs::path(demo.projekt()) / "Velmo.lock";
    std::ofstream(sperre, std::ios::binary) << "Kollegin\r\n11.12.2026 08:15\r\n";
    plNachrichtBoxFragenLeeren();
    plNachrichtBoxAntwort(IDNO);
    ASSERT_TRUE(menueWaehlen(1507));
    rahmenPumpen();
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_NE(plNachrichtBoxFragen()[0].text.find("Kollegin seit 11.12.2026 08:15"), std::string::npos)
        << plNachrichtBoxFragen()[0].text;
    EXPECT_TRUE(fs::exists(sperre)) << "No keeps it";

    plNachrichtBoxFragenLeeren();
    plNachrichtBoxAntwort(IDYES);
    plNachrichtBoxAntwort(IDOK);
    ASSERT_TRUE(menueWaehlen(1507));
    rahmenPumpen();
    EXPECT_FALSE(fs::exists(sperre));
    ASSERT_EQ(plNachrichtBoxFragen().size(), 2u);
    EXPECT_EQ(plNachrichtBoxFragen()[1].text, "Sperrdatei gel\xF6scht.");
}

TEST_F(ProjektTasten, TheDeleteQuestionNamesTheMarkedSheets)
{
    seitepruef::zeileWaehlen("HV1.03");
    seitepruef::mit(VK_SHIFT, VK_DOWN, 2);
    ASSERT_EQ(PvwAnzMarkiert(), 3);
    seitepruef::taste(VK_DELETE);
    HWND d = wiDlgSuchen("ZeiLoesch");
    ASSERT_NE(d, 0u);
    EXPECT_EQ(seitepruef::feld(d, 3000), "3");
    EXPECT_EQ(seitepruef::feld(d, 3001), "HV1.03, HV1.04, HV1.05");
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(plHeadlessPng(d, (neben / "frame_zeiloesch.png").c_str()), 0);
    seitepruef::taste(VK_ESCAPE);
    EXPECT_EQ(wiDlgSuchen("ZeiLoesch"), 0u);
    EXPECT_TRUE(fs::exists(fs::path(demo.projekt()) / "HV1.03"));
}

TEST_F(ProjektTasten, APdfExportedIntoTheProjectFolderIsListedAtOnce)
{
    auto gelistet = [] {
        int n = 0;
        for (int i = 0; i < PvwAnzahl(); ++i)
            if (PvwEintragAdr(i)->art == PVW_PDF && std::string(PvwEintragAdr(i)->datei) == "Mappe.pdf") ++n;
        return n;
    };
    HWND liste = GetDlgItem(rahmenSeite(MODUS_PVW), 3000);
    const POINT p = plHeadlessPunkt(liste, 20, 5);
    plHeadlessKlick(p.x, p.y);
    rahmenPumpen();
    seitepruef::mit(VK_CONTROL, 'A');
    seitepruef::mit(VK_CONTROL, 'E');
    HWND d = wiDlgSuchen("Export");
    ASSERT_NE(d, 0u);
    plDateiDialogAntwort(demo.projekt().c_str());
    seitepruef::klick(d, 2510);
    seitepruef::tippen(d, 3020, "Mappe.pdf");
    plShellZuordnungSetzen([](const std::string&, std::string*) { return false; });
    plNachrichtBoxAntwort(IDOK);
    seitepruef::klick(d, 2500);
    plShellZuordnungSetzen(nullptr);
    rahmenPumpen();
    ASSERT_TRUE(fs::exists(fs::path(demo.projekt()) / "Mappe.pdf"));
    EXPECT_EQ(gelistet(), 1);
}

TEST_F(ProjektTasten, AProjectHandedOverByASecondStartShowsItsPage)
{
    const fs::path neu = fs::path(demo.wurzel()) / "Neubau Halle 4";
    fs::copy(demo.projekt(), neu, fs::copy_options::recursive);
    ShowWindow(anwHauptfenster(), SW_MAXIMIZE);
    EditorMitDatei((demo.projekt() + "/HV1.08").c_str());
    rahmenPumpen();
    ASSERT_EQ(Modus(), MODUS_EDIT);
    DdeAusfuehren("system", ("open " + neu.string()).c_str());
    rahmenPumpen();
    EXPECT_NE(std::string(VerZeiger(1)).find("Neubau Halle 4"), std::string::npos) << VerZeiger(1);
    EXPECT_EQ(Modus(), MODUS_PVW) << "the handed-over project's page, not an empty editor";
    EXPECT_TRUE(IsZoomed(anwHauptfenster())) << "the window stays maximised";
}

// Each box as it shows: the project folder under it; the first one meets
// a second start's hand-over.
std::string& uebergabeZiel()
{
    static std::string z;
    return z;
}
std::vector<std::string>& ordnerUnterBoxen()
{
    static std::vector<std::string> v;
    return v;
}
void uebergabeInDerBox(HWND)
{
    ordnerUnterBoxen().emplace_back(VerZeiger(1));
    if (ordnerUnterBoxen().size() == 1) DdeAusfuehren("system", ("open " + uebergabeZiel()).c_str());
}

TEST_F(ProjektTasten, AHandOverArrivingWhileAQuestionIsOpenWaitsForItsAnswer)
{
    const fs::path neu = fs::path(demo.wurzel()) / "Neubau Halle 4";
    fs::copy(demo.projekt(), neu, fs::copy_options::recursive);
    // Two leftovers of interrupted saves: one question each, kept by No.
    for (const char* rest : {".velmo-neu-HV1.03-a1b2c3", ".velmo-neu-HV1.04-d4e5f6"})
        std::ofstream(fs::path(demo.projekt()) / rest) << "Rest";
    const std::string alt = VerZeiger(1);
    uebergabeZiel() = neu.string();
    ordnerUnterBoxen().clear();
    plNachrichtBoxAntwort(IDNO);
    plNachrichtBoxAntwort(IDNO);
    plNachrichtBoxBeobachter(uebergabeInDerBox);
    ASSERT_TRUE(menueWaehlen(1505));  // the list read again finds the leftovers
    for (int i = 0; i < 5; ++i) {
        plHeadlessZeitVor(100);
        rahmenPumpen();
    }
    plNachrichtBoxBeobachter(nullptr);
    ASSERT_EQ(ordnerUnterBoxen().size(), 2u);
    for (const std::string& o : ordnerUnterBoxen()) EXPECT_EQ(o, alt) << "a question of the old project over another";
    EXPECT_NE(std::string(VerZeiger(1)).find("Neubau Halle 4"), std::string::npos) << VerZeiger(1);
    EXPECT_EQ(Modus(), MODUS_PVW);
    EXPECT_STREQ(PvwVerzOrdner(), VerZeiger(1)) << "the page lists the project handed over";
}

}  // namespace
