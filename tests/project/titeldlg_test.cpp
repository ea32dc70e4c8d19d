// Project title and subtitle dialogs on the headless window system: the 60
// lines of "PTITEL" to the three records, the fill modes of pasting, a
// subtitle saved under a changed or another entry's key, the action menu
// without a copied list, the import, and failed writes of the project file
// (message, dialog open, old file whole); pictures of both dialogs.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/sperre.h"
#include "controls/ctlkern.h"
#include "equipment/utitel.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "project/titeldlg.h"
#include "tests/equipment/projtest.h"
#include "tests/project/projpruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
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

class TitelDlgTest : public projpruef::VorgabenTest {
protected:
    void SetUp() override
    {
        VorgabenTest::SetUp();
        vorgaben("PTText0 Bauherr\nPTText59 Letzte\nPTUnter0 Zeile eins\n");
        projpruef::dialogWirt(ordner.string(), 1100, 700);
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
        VorgabenTest::TearDown();
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
    static void setzen(HWND dlg, int id, const char* t) { SetDlgItemText(dlg, id, t); }
    static V boxen()
    {
        V v;
        for (const auto& f : plNachrichtBoxFragen()) v.push_back(f.text);
        return v;
    }
    void bild(HWND dlg, const char* name)
    {
        projpruef::dlgPumpen();
        EXPECT_EQ(plHeadlessPng(dlg, (std::string(::testing::TempDir()) + name).c_str()), 0);
    }
    void bereich(const char* kenn, const char* titel)
    {
        projekttext t{};
        std::strcpy(t.kenn, kenn);
        std::strcpy(t.titel, titel);
        ASSERT_EQ(UtitelBereichSetzen(&t), 0);
    }
    static V kennungen()
    {
        V v;
        UtitelBereicheDurchlaufen([](const projekttext* t, void* b) { static_cast<V*>(b)->push_back(t->kenn); }, &v);
        return v;
    }
    std::string projektDatei()
    {
        char p[300];
        UtitelDateiName(p, sizeof p, 1);
        return p;
    }
};

TEST_F(TitelDlgTest, ProjectTitleMapsSixtyLinesToThreeRecords)
{
    projekttext p{};
    std::strcpy(p.titel, "Halle 3");
    std::strcpy(p.gruppe[0], "Werk");  // not a field of the dialog: kept
    ASSERT_EQ(UtitelProjektSetzen(&p), 0);
    ASSERT_EQ(UtitelBeenden(1), 0);

    HWND dlg = PtDlgOeffnen();
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    EXPECT_EQ(text(dlg, 3000), "Halle 3");
    EXPECT_EQ(text(dlg, 3101), "01 Bauherr");
    EXPECT_EQ(text(dlg, 3691), "60 Letzte");
    EXPECT_EQ(text(dlg, 3111), "02 Bauherr");  // numbered keys fall back to number 0
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, 3030)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, 3031)));
    setzen(dlg, 3010, "  Anlage A  ");
    setzen(dlg, 3100, "Zeile 1");
    setzen(dlg, 3290, "Zeile 20");
    setzen(dlg, 3300, "Zeile 21");
    setzen(dlg, 3690, "Zeile 60");
    bild(dlg, "titeldlg_ptitel.png");
    befehl(dlg, 2500);
    EXPECT_EQ(wiDlgSuchen("PTITEL"), 0u);

    UtitelNeuLaden();
    projekttext t{}, n1{}, n2{};
    UtitelProjektText(&t);
    UtitelNrText(1, &n1);
    UtitelNrText(2, &n2);
    EXPECT_STREQ(t.anlage, "Anlage A");
    EXPECT_STREQ(t.text[0], "Zeile 1");
    EXPECT_STREQ(t.text[19], "Zeile 20");
    EXPECT_STREQ(t.gruppe[0], "Werk");
    EXPECT_STREQ(n1.text[0], "Zeile 21");
    EXPECT_STREQ(n2.text[19], "Zeile 60");
}

TEST_F(TitelDlgTest, ProjectTitleThatCannotBeWrittenSaysSoAndStaysOpen)
{
    HWND dlg = PtDlgOeffnen();
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    setzen(dlg, 3000, "Erst");
    befehl(dlg, 2500);
    const std::string vorher = lesen(projektDatei());
    dlg = PtDlgOeffnen();
    projpruef::dlgPumpen();
    setzen(dlg, 3000, "Neu");
    // A failure at call k of each kind: message, dialog open, old file and no
    // temporary, until the save runs through and closes the dialog.
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen,
                            PlFehlerArt::Schliessen}) {
        for (int k = 1; k < 20; ++k) {
            if (!wiDlgSuchen("PTITEL")) {
                dlg = PtDlgOeffnen();
                projpruef::dlgPumpen();
                setzen(dlg, 3000, "Neu");
            }
            plNachrichtBoxFragenLeeren();
            plFehlerSetzen(art, k);
            befehl(dlg, 2500);
            const bool ausgeloest = plFehlerAusgeloest(art) > 0;
            plFehlerAllesAus();
            for (const std::string& n : namen()) EXPECT_EQ(n.find(".tmp"), std::string::npos) << n;
            if (!wiDlgSuchen("PTITEL")) {
                EXPECT_TRUE(boxen().empty()) << k;
                EXPECT_NE(lesen(projektDatei()).find("Neu"), std::string::npos) << k;
                schreiben(projektDatei(), vorher);
                UtitelNeuLaden();
                if (!ausgeloest) break;
                continue;
            }
            ASSERT_EQ(boxen().size(), 1u) << k;
            EXPECT_EQ(boxen()[0].rfind("Kann ", 0), 0u) << boxen()[0];
            EXPECT_EQ(lesen(projektDatei()), vorher) << static_cast<int>(art) << " " << k;
        }
    }
    dlg = PtDlgOeffnen();
    projpruef::dlgPumpen();
    setzen(dlg, 3000, "Neu");
    befehl(dlg, 2500);
    EXPECT_EQ(wiDlgSuchen("PTITEL"), 0u);
    UtitelNeuLaden();
    projekttext t{};
    UtitelProjektText(&t);
    EXPECT_STREQ(t.titel, "Neu");
}

TEST_F(TitelDlgTest, PastingFollowsTheFillMode)
{
    HWND dlg = PtDlgOeffnen();
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    setzen(dlg, 3000, "A");
    setzen(dlg, 3010, "");
    befehl(dlg, 2520);  // buffer: title "A", plant empty
    struct {
        int befehl;
        const char* titel;
        const char* anlage;
    } faelle[] = {
        {2522, "alt", "x"},  // only into empty fields
        {2523, "A", "x"},    // non-empty buffer texts overwrite
        {2524, "A", ""},     // everything, empties too
    };
    for (const auto& f : faelle) {
        setzen(dlg, 3000, "alt");
        setzen(dlg, 3010, "x");
        befehl(dlg, f.befehl);
        EXPECT_EQ(text(dlg, 3000), f.titel) << f.befehl;
        EXPECT_EQ(text(dlg, 3010), f.anlage) << f.befehl;
    }
    setzen(dlg, 3000, "");
    befehl(dlg, 2522);
    EXPECT_EQ(text(dlg, 3000), "A");
}

TEST_F(TitelDlgTest, SubtitleKeysChangedTakenAndSelected)
{
    bereich("001", "Eins");
    bereich("100", "Hundert");
    bereich("E.200", "Feld");
    ASSERT_EQ(UtitelBeenden(1), 0);

    HWND dlg = UtDlgOeffnen("e.200");  // the heading's key, cased otherwise
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    EXPECT_EQ(text(dlg, 3000), "E.200");
    EXPECT_EQ(SendDlgItemMessage(dlg, 3900, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(text(dlg, 3201), "01 Zeile eins");
    bild(dlg, "titeldlg_utitel.png");

    // Another entry's key is refused; the dialog stays and nothing changes.
    setzen(dlg, 3000, "100");
    befehl(dlg, 2500);
    EXPECT_EQ(boxen(), V{"Es gibt bereits einen Untertitel ab Seite 100."});
    EXPECT_NE(wiDlgSuchen("UTITEL"), 0u);
    EXPECT_EQ(UtitelBereichAnzahl(), 3);
    projekttext t{};
    ASSERT_EQ(UtitelBereichHolen(UtitelBereichNr("100"), &t), 1);
    EXPECT_STREQ(t.titel, "Hundert");

    // A changed key moves the entry.
    setzen(dlg, 3000, "E.300");
    befehl(dlg, 2500);
    EXPECT_NE(wiDlgSuchen("UTITEL"), 0u);  // saving keeps it open
    EXPECT_EQ(kennungen(), (V{"001", "100", "E.300"}));
    UtitelBereichHolen(2, &t);
    EXPECT_STREQ(t.titel, "Feld");
    EXPECT_NE(lesen(projektDatei()).find("E.300"), std::string::npos);

    // New entry, then delete it; an empty key is refused.
    befehl(dlg, 2510);
    EXPECT_EQ(text(dlg, 3000), "");
    plNachrichtBoxFragenLeeren();
    befehl(dlg, 2500);
    EXPECT_EQ(boxen().size(), 1u);
    setzen(dlg, 3000, "050");
    setzen(dlg, 3100, "Neu");
    befehl(dlg, 2500);
    EXPECT_EQ(UtitelBereichAnzahl(), 4);
    befehl(dlg, 2511);
    EXPECT_EQ(UtitelBereichAnzahl(), 3);
    EXPECT_EQ(kennungen(), (V{"001", "100", "E.300"}));

    // "Alle einfügen" without a copied list: text 411, open.
    plNachrichtBoxFragenLeeren();
    befehl(dlg, 2526);
    EXPECT_EQ(boxen(), V{"Keine Liste kopiert."});
    EXPECT_NE(wiDlgSuchen("UTITEL"), 0u);
    befehl(dlg, 2525);
    befehl(dlg, 2526);
    EXPECT_EQ(wiDlgSuchen("UTITEL"), 0u);
    EXPECT_EQ(hauptPosts(), V{"1513"});
}

// A subtitle save with a failure at call k of each kind: a message, the
// dialog open, the old file and no temporary, until the save runs through
// (the dialog stays open after saving).
TEST_F(TitelDlgTest, SubtitleSaveThatCannotBeWrittenSaysSoAndKeepsTheFile)
{
    bereich("001", "Eins");
    ASSERT_EQ(UtitelBeenden(1), 0);
    const std::string vorher = lesen(projektDatei());
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen,
                            PlFehlerArt::Schliessen}) {
        for (int k = 1; k < 20; ++k) {
            schreiben(projektDatei(), vorher);
            UtitelNeuLaden();
            HWND dlg = UtDlgOeffnen("001");
            ASSERT_NE(dlg, 0u);
            projpruef::dlgPumpen();
            setzen(dlg, 3100, "Neu");
            plNachrichtBoxFragenLeeren();
            plFehlerSetzen(art, k);
            befehl(dlg, 2500);
            const bool ausgeloest = plFehlerAusgeloest(art) > 0;
            plFehlerAllesAus();
            const std::string wo = std::to_string(static_cast<int>(art)) + "/" + std::to_string(k);
            for (const std::string& n : namen()) EXPECT_EQ(n.find("velmo-neu"), std::string::npos) << n << " " << wo;
            EXPECT_NE(wiDlgSuchen("UTITEL"), 0u) << wo;
            wiDlgAlleSchliessen();
            if (!ausgeloest) {
                EXPECT_TRUE(boxen().empty()) << wo;
                EXPECT_NE(lesen(projektDatei()).find("Neu"), std::string::npos) << wo;
                break;
            }
            ASSERT_EQ(boxen().size(), 1u) << wo;
            EXPECT_EQ(boxen()[0].rfind("Kann ", 0), 0u) << boxen()[0];
            EXPECT_EQ(lesen(projektDatei()), vorher) << wo;
        }
    }
}

TEST_F(TitelDlgTest, SubtitleImportMergesAndReopensTheList)
{
    bereich("001", "");
    ASSERT_EQ(UtitelBeenden(1), 0);
    UtitelImportMerken();
    bereich("001", "");  // unchanged here; the source has an empty title too
    HWND dlg = UtImpDlgOeffnen();
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    bild(dlg, "titeldlg_import.png");
    EXPECT_EQ(IsDlgButtonChecked(dlg, 3000), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 3010), BST_CHECKED);
    befehl(dlg, 2500);
    EXPECT_EQ(wiDlgSuchen("UTitelImp"), 0u);
    EXPECT_EQ(hauptPosts(), V{"1511"});
}

}  // namespace
