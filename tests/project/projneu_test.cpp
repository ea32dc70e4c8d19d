// New project folders from a template and project backups: the backup name
// series, refused names, the copy of files only, a backup over an existing
// one under injected failures, folder creation from a template with and
// without title fields, the title written after the switch, and both
// dialogs on the headless window system.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "controls/ctlkern.h"
#include "equipment/utitel.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/fehlersim.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/uhr.h"
#include "platform/winconst.h"
#include "model/zeichnun.h"
#include "project/dirhist.h"
#include "project/projneu.h"
#include "project/verzkopie.h"
#include "project/wrz.h"
#include "tests/platform/golden_pruef.h"
#include "tests/project/projpruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"

using namespace projtest;
using V = std::vector<std::string>;

namespace {

std::vector<std::string>& posts()
{
    static std::vector<std::string> v;
    return v;
}

V boxTexte()
{
    V t;
    for (const plNachrichtBoxFrage& f : plNachrichtBoxFragen()) t.push_back(f.text);
    return t;
}

class ProjNeuTest : public projpruef::VorgabenTest {
protected:
    void SetUp() override
    {
        VorgabenTest::SetUp();
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
        posts().clear();
        DirZuruecksetzen();
        WiSeitenDienst d{};
        d.hauptPost = [](int id, LPARAM) { posts().push_back(std::to_string(id)); };
        wiSeitenDienstSetzen(d);
    }
    void TearDown() override
    {
        wiSeitenDienstZuruecksetzen();
        DirZuruecksetzen();
        fs::remove_all(basis());
        VorgabenTest::TearDown();
    }
    // A folder beside the project folder for new projects and templates.
    std::string basis() const { return ordner.string() + "-neu"; }

    void datei(const std::string& p, const std::string& inhalt)
    {
        fs::create_directories(fs::path(p).parent_path());
        schreiben(p, inhalt);
    }
    // Files (not folders) below `o`, relative, with contents.
    std::map<std::string, std::string> inhalt(const std::string& o)
    {
        std::map<std::string, std::string> m;
        for (const auto& e : fs::recursive_directory_iterator(o))
            if (e.is_regular_file()) m[fs::relative(e.path(), o).string()] = lesen(e.path().string());
        return m;
    }
};

// ---- backup names --------------------------------------------------------------------------

TEST_F(ProjNeuTest, BackupNameFollowsTheSeriesAndSkipsFoldersInUse)
{
    const std::string p = ordner.string();
    char n[PNSICHERUNGSUP + 1];
    SicherungVorschlagen(p.c_str(), 0, "2024-04-18", n, sizeof n);
    EXPECT_STREQ(n, "Sicherung");

    for (const char* s : {"Sicherung_A", "Sicherung_B", "Sicherung_C"}) datei(pfad(s) + "/x", "x");
    SicherungVorschlagen(p.c_str(), 1, "", n, sizeof n);
    EXPECT_STREQ(n, "Sicherung_D");
    // An existing but empty folder is free again.
    fs::remove(pfad("Sicherung_A/x"));
    SicherungVorschlagen(p.c_str(), 1, "", n, sizeof n);
    EXPECT_STREQ(n, "Sicherung_A");

    SicherungVorschlagen(p.c_str(), 2, "2024-04-18", n, sizeof n);
    EXPECT_STREQ(n, "Sicherung_2024-04-18");
    datei(pfad("Sicherung_2024-04-18/x"), "x");
    SicherungVorschlagen(p.c_str(), 2, "2024-04-18", n, sizeof n);
    EXPECT_STREQ(n, "Sicherung_2024-04-18_A");

    for (char c = 'A'; c <= 'Z'; ++c) datei(pfad(std::string("Sicherung_") + c) + "/x", "x");
    SicherungVorschlagen(p.c_str(), 1, "", n, sizeof n);
    EXPECT_STREQ(n, "Sicherung");
}

TEST_F(ProjNeuTest, BackupNamesOutsideTheProjectAreRefusedBeforeAnythingIsWritten)
{
    datei(pfad("Plan.001"), "p");
    for (const char* n : {"..", "../Fremd", "a/../../b", "/tmp/x", "\\x", "c:x", "  "}) {
        plNachrichtBoxFragenLeeren();
        EXPECT_EQ(SicherungKopieren(ordner.c_str(), n), -1) << n;
        if (std::string(n) != "  ") {
            EXPECT_EQ(boxTexte(), V{TextNr(156)}) << n;
        }
    }
    EXPECT_FALSE(fs::exists(ordner.parent_path() / "Fremd"));
    EXPECT_EQ(namen(), (std::set<std::string>{"Plan.001"}));
    EXPECT_EQ(SicherungNamePruefen("Sicherung/2024/.."), -1);
    EXPECT_EQ(SicherungNamePruefen("Sicherung/..x"), 0);
}

TEST_F(ProjNeuTest, BackupCopiesFilesOnlyAndOverwritesTheOldOnes)
{
    datei(pfad("Plan.001"), "neu");
    datei(pfad("Projekt.zvk"), "zvkP\n");
    datei(pfad("Unter/tief.txt"), "tief");
    datei(pfad("Sicherung/Plan.001"), "alt");
    datei(pfad("Sicherung/Weg.txt"), "bleibt");
    EXPECT_EQ(SicherungKopieren(ordner.c_str(), "Sicherung"), 0);
    EXPECT_EQ(inhalt(pfad("Sicherung")), (std::map<std::string, std::string>{
                                              {"Plan.001", "neu"}, {"Projekt.zvk", "zvkP\n"}, {"Weg.txt", "bleibt"}}));
    // A second backup does not take the first along.
    EXPECT_EQ(SicherungKopieren(ordner.c_str(), "Sicherung_A/2"), 0);
    EXPECT_EQ(inhalt(pfad("Sicherung_A")),
              (std::map<std::string, std::string>{{"2/Plan.001", "neu"}, {"2/Projekt.zvk", "zvkP\n"}}));
    EXPECT_TRUE(boxTexte().empty());
}

// Nothing lost: a backup over an existing one with each kind of call
// failing at call k = 1, 2, ... until it completes: every backup file holds
// its old or its new bytes, a failure says so, no temporary is left.
TEST_F(ProjNeuTest, BackupOverAnOldOneLosesNothingUnderInjectedFailures)
{
    datei(pfad("A.001"), std::string(40000, 'a'));
    datei(pfad("B.001"), "neu-b");
    datei(pfad("C.txt"), "neu-c");
    const std::map<std::string, std::string> alt{{"A.001", "alt-a"}, {"B.001", "alt-b"}};
    const std::map<std::string, std::string> neu{
        {"A.001", std::string(40000, 'a')}, {"B.001", "neu-b"}, {"C.txt", "neu-c"}};
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Lesen, PlFehlerArt::Schreiben,
                            PlFehlerArt::Umbenennen, PlFehlerArt::Schliessen, PlFehlerArt::Speicher}) {
        for (int k = 1; k < 60; ++k) {
            fs::remove_all(pfad("Sicherung"));
            for (const auto& [n, t] : alt) datei(pfad("Sicherung/" + n), t);
            plNachrichtBoxFragenLeeren();
            int r;
            {
                PlFehlerScope s;
                plFehlerSetzen(art, k);
                r = SicherungKopieren(ordner.c_str(), "Sicherung");
                if (plFehlerAusgeloest(art) == 0) {
                    EXPECT_EQ(r, 0);
                    EXPECT_EQ(inhalt(pfad("Sicherung")), neu);
                    break;
                }
            }
            const auto jetzt = inhalt(pfad("Sicherung"));
            for (const auto& [n, t] : jetzt) {
                const bool gut = t == neu.at(n) || (alt.count(n) && t == alt.at(n));
                EXPECT_TRUE(gut) << static_cast<int>(art) << "/" << k << " " << n;
            }
            for (const auto& [n, t] : alt) EXPECT_TRUE(jetzt.count(n)) << n;
            if (jetzt != neu) {
                EXPECT_NE(r, 0) << static_cast<int>(art) << "/" << k;
                EXPECT_FALSE(boxTexte().empty()) << static_cast<int>(art) << "/" << k;
            }
            EXPECT_EQ(jetzt.size(), static_cast<size_t>(std::distance(fs::directory_iterator(pfad("Sicherung")),
                                                                      fs::directory_iterator())));
        }
    }
}

// ---- new project folder --------------------------------------------------------------------

TEST_F(ProjNeuTest, NewFolderTakesTheTemplateFilesRenamedAndOpens)
{
    const std::string vorlage = basis() + "/Muster";
    datei(vorlage + "/Muster.01", "z1");
    datei(vorlage + "/Muster.pdf", "pdf");
    datei(vorlage + "/Projekt.zvk", "zvkP\n)S Titel\n)S Kennung\n)E\n");
    datei(vorlage + "/Unter/x.txt", "x");
    ProjektNeuEingabe e{};
    std::snprintf(e.basis, sizeof e.basis, "%s", basis().c_str());
    std::snprintf(e.name, sizeof e.name, " Anlage1 ");
    std::snprintf(e.vorlage, sizeof e.vorlage, "%s", vorlage.c_str());
    ASSERT_EQ(ProjektOrdnerAnlegen(&e), 0);
    EXPECT_EQ(inhalt(basis() + "/Anlage1"),
              (std::map<std::string, std::string>{{"Anlage1.01", "z1"}, {"Anlage1.pdf", "pdf"},
                                                  {"Projekt.zvk", "zvkP\n)S Titel\n)S Kennung\n)E\n"}}));
    EXPECT_EQ(ProjektTitelVorgemerkt(), 0);   // no title fields: the template's titles stay
    EXPECT_EQ(posts(), V{std::to_string(DIRIDBASIS)});
    char o[DIRPFADSUP + 1];
    ASSERT_EQ(DirNachId(DIRIDBASIS, o, sizeof o), 1);
    EXPECT_EQ(std::string(o), basis() + "/Anlage1");

    // The same name again: text 151, nothing opened.
    posts().clear();
    EXPECT_EQ(ProjektOrdnerAnlegen(&e), -1);
    EXPECT_EQ(boxTexte(), V{TextNr(151)});
    EXPECT_TRUE(posts().empty());
}

TEST_F(ProjNeuTest, RefusedNamesAndUncreatableFoldersOpenNothing)
{
    ProjektNeuEingabe e{};
    std::snprintf(e.basis, sizeof e.basis, "%s", basis().c_str());
    for (const char* n : {"a/b", "a\\b", "c:d", ".."}) {
        plNachrichtBoxFragenLeeren();
        std::snprintf(e.name, sizeof e.name, "%s", n);
        EXPECT_EQ(ProjektOrdnerAnlegen(&e), -1) << n;
        EXPECT_EQ(boxTexte(), V{TextNr(159)}) << n;
    }
    // A base that cannot be made (a file stands in its way; or mkdir fails).
    datei(basis() + "/Datei", "d");
    std::snprintf(e.basis, sizeof e.basis, "%s/Datei", basis().c_str());
    std::snprintf(e.name, sizeof e.name, "Anlage1");
    plNachrichtBoxFragenLeeren();
    EXPECT_EQ(ProjektOrdnerAnlegen(&e), -1);
    EXPECT_EQ(boxTexte(), V{TextNr(154)});
    std::snprintf(e.basis, sizeof e.basis, "%s/Neu/Tief", basis().c_str());
    for (int k = 1; k <= 3; ++k) {
        fs::remove_all(basis() + "/Neu");
        PlFehlerScope s;
        plFehlerSetzen(PlFehlerArt::Oeffnen, k, true);
        plNachrichtBoxFragenLeeren();
        EXPECT_EQ(ProjektOrdnerAnlegen(&e), -1);
        EXPECT_EQ(boxTexte(), V{TextNr(154)});
    }
    EXPECT_TRUE(posts().empty());
    EXPECT_EQ(ProjektTitelVorgemerkt(), 0);
}

TEST_F(ProjNeuTest, TitleFieldsAreKeptAndWrittenAfterTheSwitch)
{
    // The current project's title: its fourth text goes along, the three
    // fields replace the first three (an empty one stays empty).
    projekttext alt;
    UtitelLeerText(&alt);
    std::snprintf(alt.titel, sizeof alt.titel, "Alt");
    std::snprintf(alt.anlage, sizeof alt.anlage, "Anlage alt");
    std::snprintf(alt.text[0], sizeof alt.text[0], "Bauherr");
    ASSERT_EQ(UtitelProjektSetzen(&alt), 0);
    ASSERT_EQ(UtitelBeenden(1), 0);

    ProjektNeuEingabe e{};
    std::snprintf(e.basis, sizeof e.basis, "%s", basis().c_str());
    std::snprintf(e.name, sizeof e.name, "Anlage1");
    std::snprintf(e.titel, sizeof e.titel, "Halle 3");
    ASSERT_EQ(ProjektOrdnerAnlegen(&e), 0);
    ASSERT_EQ(ProjektTitelVorgemerkt(), 1);

    VerSetzen(1, (basis() + "/Anlage1").c_str());
    zaehlerWeiter();
    ASSERT_EQ(ProjektTitelSchreiben(), 0);
    EXPECT_EQ(ProjektTitelVorgemerkt(), 0);
    projekttext t;
    UtitelProjektText(&t);
    EXPECT_STREQ(t.titel, "Halle 3");
    EXPECT_STREQ(t.anlage, "");
    EXPECT_STREQ(t.text[0], "Bauherr");
    char titel[UTTEXTSUP + 1], anlage[UTTEXTSUP + 1], ort[UTTEXTSUP + 1];
    ASSERT_EQ(UtitelFremdLesen((basis() + "/Anlage1/Projekt.zvk").c_str(), titel, anlage, ort), 1);
    EXPECT_STREQ(titel, "Halle 3");
    // Used once: the next switch writes nothing.
    EXPECT_EQ(ProjektTitelSchreiben(), 0);
}

TEST_F(ProjNeuTest, AFailedTitleWriteIsReported)
{
    ProjektNeuEingabe e{};
    std::snprintf(e.basis, sizeof e.basis, "%s", basis().c_str());
    std::snprintf(e.name, sizeof e.name, "Anlage1");
    std::snprintf(e.ort, sizeof e.ort, "Ort");
    ASSERT_EQ(ProjektOrdnerAnlegen(&e), 0);
    VerSetzen(1, (basis() + "/Anlage1").c_str());
    zaehlerWeiter();
    plNachrichtBoxFragenLeeren();
    {
        PlFehlerScope s;
        plFehlerSetzen(PlFehlerArt::Umbenennen, 1, true);
        EXPECT_EQ(ProjektTitelSchreiben(), -1);
    }
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_NE(plNachrichtBoxFragen()[0].text.find("Projekt.zvk"), std::string::npos);
}

TEST(WrzDienste, FolderTestAndFileKinds)
{
    const fs::path o = fs::temp_directory_path() / ("velmo-wrz-" + std::to_string(getpid()));
    fs::create_directories(o / "Ordner");
    schreiben((o / "Zavik.tmp").string(), "Benutzerdatei");
    schreiben((o / "Datei").string(), "x");
    EXPECT_EQ(OrdnerVorhanden((o / "Ordner").c_str()), 1);
    EXPECT_EQ(OrdnerVorhanden(o.c_str()), 1);
    EXPECT_EQ(OrdnerVorhanden((o / "Datei").c_str()), 0);
    EXPECT_EQ(OrdnerVorhanden((o / "Fehlt").c_str()), 0);
    EXPECT_EQ(lesen((o / "Zavik.tmp").string()), "Benutzerdatei");   // a user's file of the probe's name stays
    schreiben((o / "Plan.001").string(), "zvkZ\x07");
    struct Fall {
        const char* name;
        int art, loeschen;
    };
    for (const Fall& f : {Fall{"Projekt.zvk", 2, 1}, Fall{"PROJEKT3.ZVK", 2, 1}, Fall{"Projekt10.zvk", 0, 0},
                          Fall{"BMittel.zvk", 0, 0}, Fall{"Datei", 2, 1}, Fall{"Plan.001", 1, 0}}) {
        EXPECT_EQ(WrzDateiArt((o / f.name).c_str()), f.art) << f.name;
        EXPECT_EQ(WrzDarfLoeschen((o / f.name).c_str()), f.loeschen) << f.name;
    }
    fs::remove_all(o);
}

// ---- the shipped sample project ----------------------------------------------------------------

// "data/Muster" is what the program's writers make from the sample's text
// form and title: the drawing by ZeiAusText, "Projekt.zvk" by the title
// writer; they are goldens like any other.
TEST_F(ProjNeuTest, ShippedSampleProjectIsWhatTheWritersMake)
{
    const fs::path muster = fs::path(VELMO_SOURCE_DIR) / "data" / "Muster";
    ASSERT_EQ(ZeiAusText(pfad("Muster.01").c_str(),
                         (std::string(VELMO_TEST_DATA) + "/project/muster/Muster.01.txt").c_str()),
              1);
    projekttext t;
    UtitelLeerText(&t);
    std::snprintf(t.titel, sizeof t.titel, "Musterprojekt");
    std::snprintf(t.anlage, sizeof t.anlage, "Anlage");
    std::snprintf(t.ort, sizeof t.ort, "Ort");
    ASSERT_EQ(UtitelProjektSetzen(&t), 0);
    ASSERT_EQ(UtitelBeenden(1), 0);
    const auto neu = inhalt(ordner.string());
    for (const auto& [n, b] : neu) EXPECT_TRUE(golden::text((muster / n).string(), b));
    // Nothing shipped beside what the writers make.
    for (const auto& [n, b] : inhalt(muster.string())) EXPECT_TRUE(neu.count(n)) << n;
}

// ---- the dialogs -----------------------------------------------------------------------------

LRESULT CALLBACK pnHauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

class ProjNeuDlgTest : public ProjNeuTest {
protected:
    void SetUp() override
    {
        ProjNeuTest::SetUp();
        projpruef::dialogWirt(ordner, 800, 600, pnHauptProz);
        if (HasFatalFailure()) return;
    }
    void TearDown() override
    {
        wiDlgAlleSchliessen();
        projpruef::dialogWirtEnde();
        plUhrFreigeben();
        ProjNeuTest::TearDown();
    }
    static void befehl(HWND dlg, int id)
    {
        SendMessage(dlg, WM_COMMAND, static_cast<WPARAM>(id), 0);
        projpruef::dlgPumpen();
    }
    static std::string text(HWND dlg, int id)
    {
        char t[300] = "";
        GetDlgItemText(dlg, id, t, sizeof t);
        return t;
    }
    // The picture of the dialog, for a look at its layout.
    static void bild(HWND dlg, const char* name)
    {
        const char* ziel = std::getenv("VELMO_TEST_BILDER");
        if (ziel != nullptr) {
            EXPECT_EQ(plHeadlessPng(dlg, (std::string(ziel) + "/" + name).c_str()), 0);
        }
    }
};

TEST_F(ProjNeuDlgTest, BackupDialogProposesAsksAndCopies)
{
    vorgaben("ZvBakPfad 2\n");
    plUhrFestsetzen(1713434400000);   // 2024-04-18
    datei(pfad("Plan.001"), "p");
    datei(pfad("Sicherung_2024-04-18/Alt.txt"), "a");
    ProjektSichern();
    HWND dlg = wiDlgSuchen("PVWPROSICHERN");
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    bild(dlg, "PVWPROSICHERN.png");
    EXPECT_EQ(text(dlg, 3010), "Sicherung_2024-04-18_A");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, 3020)));

    // Typing an existing name shows the check box; unchecked, the user is
    // asked, and "no" keeps the dialog and the folder.
    SetDlgItemText(dlg, 3010, "Sicherung_2024-04-18");
    projpruef::dlgPumpen();
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dlg, 3020)));
    plNachrichtBoxAntwort(IDNO);
    befehl(dlg, 2500);
    EXPECT_EQ(boxTexte(), V{TextNr(157)});
    EXPECT_NE(wiDlgSuchen("PVWPROSICHERN"), 0u);
    EXPECT_FALSE(fs::exists(pfad("Sicherung_2024-04-18/Plan.001")));

    // A folder chosen outside the project: text 156, nothing changes.
    plNachrichtBoxFragenLeeren();
    plDateiDialogAntwort(ordner.parent_path().c_str());
    befehl(dlg, 2510);
    EXPECT_EQ(boxTexte(), V{TextNr(156)});
    EXPECT_EQ(text(dlg, 3010), "Sicherung_2024-04-18");

    // Checked: no question, the copy runs and the dialog closes.
    plNachrichtBoxFragenLeeren();
    SendMessage(GetDlgItem(dlg, 3020), BM_SETCHECK, BST_CHECKED, 0);
    befehl(dlg, 2500);
    // No question; one line says where the copy went.
    ASSERT_EQ(boxTexte().size(), 1u);
    EXPECT_NE(boxTexte()[0].find(" nach " + pfad("Sicherung_2024-04-18") + " gesichert."), std::string::npos)
        << boxTexte()[0];
    EXPECT_EQ(wiDlgSuchen("PVWPROSICHERN"), 0u);
    EXPECT_EQ(lesen(pfad("Sicherung_2024-04-18/Plan.001")), "p");
}

TEST_F(ProjNeuDlgTest, NewProjectDialogCreatesUnderTheBaseAndOpens)
{
    const std::string vorlage = basis() + "/Muster";
    datei(vorlage + "/Muster.01", "z1");
    ProfilSchreiben("DirHistory", "SelVorlage", vorlage.c_str());
    ProjektAnlegen();
    HWND dlg = wiDlgSuchen("PVWVERZANLEGEN");
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    EXPECT_EQ(text(dlg, 3100), vorlage);
    // The base chosen in the browser is shown and remembered.
    plDateiDialogAntwort(basis().c_str());
    befehl(dlg, 2510);
    char gemerkt[300] = "";
    ProfilLesen("DirHistory", "SelBasis", gemerkt, sizeof gemerkt - 1);
    EXPECT_EQ(std::string(gemerkt), basis());
    SetDlgItemText(dlg, 3010, "Anlage1");
    SetDlgItemText(dlg, 3020, "Halle 3");
    projpruef::dlgPumpen();
    bild(dlg, "PVWVERZANLEGEN.png");
    befehl(dlg, 1);   // Enter acts like 2500
    EXPECT_EQ(wiDlgSuchen("PVWVERZANLEGEN"), 0u);
    EXPECT_EQ(lesen(basis() + "/Anlage1/Anlage1.01"), "z1");
    EXPECT_EQ(ProjektTitelVorgemerkt(), 1);
    EXPECT_EQ(posts(), V{std::to_string(DIRIDBASIS)});
}

}  // namespace
