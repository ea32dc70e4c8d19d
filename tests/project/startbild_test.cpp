// Start-up screen: the recent list from the recent folders with their titles
// (an unreadable project file gives empty titles and the short row), the
// program folder's "Muster" after them, chosen a new project from it, "<WWW>" by country, the
// picture buttons' commands, opening a listed folder, and both layouts on
// the headless window system (pictures of both).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/apstil.h"
#include "config/inidatei.h"
#include "controls/ctlkern.h"
#include "controls/lisanzeige.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "project/dirhist.h"
#include "project/startbild.h"
#include "tests/equipment/projtest.h"
#include "tests/output/gdigold.h"
#include "tests/project/projpruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"

using namespace projtest;

namespace {

using V = std::vector<std::string>;

V& hauptPosts()
{
    static V v;
    return v;
}

class StartTest : public projpruef::VorgabenTest {
protected:
    fs::path programm;
    void SetUp() override
    {
        VorgabenTest::SetUp();
        vorgaben("");
        programm = ordner / "programm";
        fs::create_directories(programm / "Muster");
        VerSetzen(0, programm.string().c_str());
        DirZuruecksetzen();
        projpruef::dialogWirt((ordner / "konf").string(), 900, 700);
        if (HasFatalFailure()) return;
        hauptPosts().clear();
        WiSeitenDienst d{};
        d.hauptPost = [](int id, LPARAM) { hauptPosts().push_back(std::to_string(id)); };
        wiSeitenDienstSetzen(d);
    }
    void TearDown() override
    {
        wiDlgAlleSchliessen();
        projpruef::dialogWirtEnde();
        wiSeitenDienstZuruecksetzen();
        DirZuruecksetzen();
        VerSetzen(0, "");
        VorgabenTest::TearDown();
    }
    // Two recent folders: "Nord" with the titles of the fixture's project
    // file, "Leer" without one.
    void zweiOrdner()
    {
        fs::create_directories(ordner / "Nord");
        fs::create_directories(ordner / "Leer");
        kopieren("titel/Projekt.zvk", "Nord/Projekt.zvk");
        DirMerken((ordner / "Leer").c_str());
        DirMerken((ordner / "Nord").c_str());
    }
    static void befehl(HWND dlg, int id, LPARAM lp = 0)
    {
        SendMessage(dlg, WM_COMMAND, static_cast<WPARAM>(id), lp);
        projpruef::dlgPumpen();
    }
    void bild(HWND dlg, const char* name)
    {
        projpruef::dlgPumpen();
        EXPECT_EQ(plHeadlessPng(dlg, (std::string(::testing::TempDir()) + name).c_str()), 0);
    }
};

TEST_F(StartTest, RecentListWithTitlesOrTheSample)
{
    std::vector<StartEintrag> l = StartListe();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].pfad, (programm / "Muster").string());
    EXPECT_EQ(StartZeilenHoehe(&l[0]), 6);

    EXPECT_TRUE(l[0].vorlage);

    // With projects of the user's own the sample stays offered, last.
    zweiOrdner();
    l = StartListe();
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[2].pfad, (programm / "Muster").string());
    EXPECT_TRUE(l[2].vorlage);
    EXPECT_FALSE(l[0].vorlage);
    EXPECT_EQ(l[0].pfad, (ordner / "Nord").string());
    EXPECT_EQ(l[0].titel[0], "Schaltanlage Nord");
    EXPECT_EQ(l[0].titel[1], "Werk 2");
    EXPECT_EQ(StartZeilenHoehe(&l[0]), 8);
    EXPECT_EQ(l[1].titel[0], "");
    EXPECT_EQ(StartZeilenHoehe(&l[1]), 6);  // no readable project file

    EXPECT_EQ(StartWww("a <WWW> b").find("<WWW>"), std::string::npos);
    EXPECT_EQ(StartWww("ohne"), "ohne");
}

TEST_F(StartTest, ChoosingARecentFolderPostsItsOpening)
{
    zweiOrdner();
    HWND dlg = StartBild();
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dlg, 3240)));
    bild(dlg, "startbild.png");
    wiDlgBetreten(dlg);
    EXPECT_EQ(LisAnzahl(3000), 3);
    LisAktSetzen(3000, 1);
    wiDlgVerlassen();
    befehl(dlg, 2500);
    EXPECT_EQ(wiDlgSuchen("PVWSTARTUP"), 0u);
    EXPECT_EQ(hauptPosts(), V{"1680"});
    char p[DIRPFADSUP + 1];
    ASSERT_EQ(DirNachId(1680, p, sizeof p), 1);
    EXPECT_EQ(std::string(p), (ordner / "Leer").string());
}

TEST_F(StartTest, PictureButtonsPostTheirCommands)
{
    struct {
        int knopf;
        const char* befehl;
        bool offen;
    } faelle[] = {{3200, "1503", false}, {3210, "1994", true}, {3220, "1996", true},
                  {3230, "1500", false}, {3240, "1993", true}};
    for (const auto& f : faelle) {
        hauptPosts().clear();
        HWND dlg = StartBild();
        ASSERT_NE(dlg, 0u);
        projpruef::dlgPumpen();
        befehl(dlg, f.knopf, 0x31000a);  // a click
        EXPECT_EQ(hauptPosts(), V{f.befehl}) << f.knopf;
        EXPECT_EQ(wiDlgSuchen("PVWSTARTUP") != 0, f.offen) << f.knopf;
        if (f.offen) befehl(dlg, 2);
    }
    HWND dlg = StartBild();
    projpruef::dlgPumpen();
    hauptPosts().clear();
    befehl(dlg, 2503);
    EXPECT_EQ(hauptPosts(), V{"1501"});
}

TEST_F(StartTest, SurfaceStyleOneHasThreeButtonsAndTheSample)
{
    ProfilSchreiben("ArbPlatz", "OFStil", "1");
    ApStileLaden();
    ASSERT_EQ(ApOFStil1(), 1);
    HWND dlg = StartBild();
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    EXPECT_NE(wiDlgSuchen("PVWSTARTUP1"), 0u);
    EXPECT_EQ(GetDlgItem(dlg, 3240), 0u);
    bild(dlg, "startbild1.png");
    // The only entry is the sample; Enter on the list makes a new project
    // from it: the shipped folder itself is never opened as a project.
    befehl(dlg, 2500);
    EXPECT_EQ(hauptPosts(), V{"1503"});
    char p[DIRPFADSUP + 1];
    EXPECT_EQ(DirNachId(1680, p, sizeof p), 0) << p;
    ProfilSchreiben("ArbPlatz", "OFStil", "0");
    ApStileLaden();
}

// The two layouts against golden pictures in tests/data/project/startbild
// (VELMO_GOLDEN_SCHREIBEN=1 rewrites them; look before checking in). The
// folders shown get fixed names, so that the pictures do not depend on the
// test's temporary folder.
TEST_F(StartTest, BothLayoutsLookAsTheirGoldenPictures)
{
    const fs::path fest = "/tmp/velmo-startbild-golden";
    fs::remove_all(fest);
    fs::create_directories(fest / "programm" / "Muster");
    fs::create_directories(fest / "Nord");
    fs::create_directories(fest / "Leer");
    fs::copy_file(std::string(VELMO_TEST_DATA) + "/equipment/titel/Projekt.zvk", fest / "Nord" / "Projekt.zvk");
    VerSetzen(0, (fest / "programm").c_str());
    auto vergleichen = [&](HWND dlg, const std::string& name) {
        projpruef::dlgPumpen();
        const std::string ist = (fest / (name + ".png")).string();
        ASSERT_EQ(plHeadlessPng(dlg, ist.c_str()), 0);
        GdiBildPixel a, b;
        ASSERT_TRUE(gdiGoldLesen(ist, &a));
        const std::string soll = std::string(VELMO_TEST_DATA) + "/project/startbild/" + name + ".png";
        if (golden::neuSchreiben()) {
            ASSERT_TRUE(gdiGoldSchreiben(a, soll));
        }
        ASSERT_TRUE(gdiGoldLesen(soll, &b)) << "golden missing: " << soll;
        ASSERT_EQ(a.w, b.w) << name;
        ASSERT_EQ(a.h, b.h) << name;
        int anders = 0;
        for (size_t i = 0; i < a.p.size(); ++i) anders += a.p[i] != b.p[i];
        EXPECT_EQ(anders, 0) << name << " differs from " << soll << "; this run: " << ist;
    };
    // Style 0: five picture buttons, two recent folders.
    DirMerken((fest / "Leer").c_str());
    DirMerken((fest / "Nord").c_str());
    HWND dlg = StartBild();
    ASSERT_NE(dlg, 0u);
    vergleichen(dlg, "stil0");
    befehl(dlg, 2);
    // Style 1: three buttons, the sample alone, the buttons below the list.
    DirZuruecksetzen();
    char ini[300] = "";
    IniPfad(ini, sizeof ini);
    fs::create_directories(fs::path(ini).parent_path());  // an earlier test may have removed it
    ASSERT_NE(ProfilSchreiben("ArbPlatz", "OFStil", "1"), -1);
    ApStileLaden();
    ASSERT_EQ(ApOFStil1(), 1);
    dlg = StartBild();
    ASSERT_NE(dlg, 0u);
    vergleichen(dlg, "stil1");
    befehl(dlg, 2);
    ProfilSchreiben("ArbPlatz", "OFStil", "0");
    ApStileLaden();
    fs::remove_all(fest);
}

}  // namespace
