// Check-list dialogs: definition lines both ways, where the definition is
// found and saved, the menu items, conditions, the toggle, the code
// variable, the entry-mode save, and the dialog itself on the headless
// window system in both modes (with a picture of each); saves under
// injected failures keep the old file whole and leave no temporary.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "config/vorgaben.h"
#include "controls/ctlkern.h"
#include "controls/elseite.h"
#include "controls/lisanzeige.h"
#include "equipment/chk.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "project/chkdlg.h"
#include "support/basis.h"
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

ChkSatz satz(const char* code, const char* typ, const char* optionen = "", const char* bedingung = "")
{
    ChkSatz s{};
    std::strcpy(s.code, code);
    std::strcpy(s.typ, typ);
    std::strcpy(s.optionen, optionen);
    std::strcpy(s.bedingung, bedingung);
    return s;
}

class ChkTest : public projpruef::VorgabenTest {
protected:
    void SetUp() override
    {
        VorgabenTest::SetUp();
        vorgaben("ChkLstBz0 Abnahme\nChkLstBz1\nChkLstBz2 Pr\xFC" "fung..\nChkLstBz3\nChkLstBz4\nChkLstEdt 0\n");
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
    }
};

TEST_F(ChkTest, DefinitionLinesReadAndWriteBack)
{
    ChkSatz s{};
    EXPECT_EQ(ChkZeileLesen(&s, ")S   Erste Seite  "), 2);
    EXPECT_STREQ(s.kopf.name, "Erste Seite");
    EXPECT_EQ(ChkZeileLesen(&s, " A1 \t 1\t Geprueft \tja,nein\tB2=x "), 1);
    EXPECT_STREQ(s.kopf.name, "Erste Seite");  // the heading stays with the records
    EXPECT_STREQ(s.code, "A1");
    EXPECT_STREQ(s.typ, "1");
    EXPECT_STREQ(s.text, "Geprueft");
    EXPECT_STREQ(s.optionen, "ja,nein");
    EXPECT_STREQ(s.bedingung, "B2=x");
    char z[400];
    ChkZeileSchreiben(&s, z, sizeof z);
    EXPECT_STREQ(z, "A1\t1\tGeprueft\tja,nein\tB2=x");

    // A code beginning with ')' is written behind a blank and reads back the same.
    ChkSatz k{};
    EXPECT_EQ(ChkZeileLesen(&k, " )F1\t1\tKlammer"), 1);
    EXPECT_STREQ(k.code, ")F1");
    ChkZeileSchreiben(&k, z, sizeof z);
    EXPECT_STREQ(z, " )F1\t1\tKlammer\t\t");
    ChkSatz r{};
    EXPECT_EQ(ChkZeileLesen(&r, z), 1);
    EXPECT_STREQ(r.code, ")F1");

    // Pasted lines carry FS; over-long fields are cut; ')' ends; blank skips.
    ChkSatz p{};
    EXPECT_EQ(ChkZeileLesen(&p, "LANGCODE\x1c" "2\x1c" "T"), 1);
    EXPECT_STREQ(p.code, "LANG");
    EXPECT_STREQ(p.text, "T");
    EXPECT_STREQ(p.optionen, "");
    EXPECT_EQ(ChkZeileLesen(&p, ")F"), 0);
    EXPECT_EQ(ChkZeileLesen(&p, "   "), 2);

    ChkSatz n{};
    std::strcpy(n.kopf.name, "Kopf");
    ChkSatzLeer(&n);
    EXPECT_STREQ(n.kopf.name, "Kopf");
    EXPECT_STREQ(n.code, "?");
    EXPECT_STREQ(n.text, "?");
    EXPECT_STREQ(n.typ, "");
    ChkSatzNeu(&n);
    EXPECT_STREQ(n.kopf.name, "");
}

TEST_F(ChkTest, DefinitionIsFoundUpwardsThenInTheProgramFolderAndSavedIntoTheProject)
{
    const fs::path programm = ordner / "programm";
    const fs::path projekt = ordner / "a" / "b";
    fs::create_directories(programm);
    fs::create_directories(projekt);
    VerSetzen(0, programm.string().c_str());
    VerSetzen(1, projekt.string().c_str());
    char p[400], z[400];

    ChkDefPfad(1, p, sizeof p);
    EXPECT_EQ(std::string(p), (programm / "Checkliste2.txt").string());
    ChkDefZiel(1, z, sizeof z);
    EXPECT_EQ(std::string(z), (projekt / "Checkliste2.txt").string());  // never into the program folder

    schreiben((ordner / "a" / "Checkliste2.txt").string(), ")S X\n");
    ChkDefPfad(1, p, sizeof p);
    EXPECT_EQ(std::string(p), (ordner / "a" / "Checkliste2.txt").string());
    ChkDefZiel(1, z, sizeof z);
    EXPECT_STREQ(z, p);  // a parent's definition is saved where it lies

    schreiben((projekt / "Checkliste2.txt").string(), ")S X\n");
    ChkDefPfad(1, p, sizeof p);
    EXPECT_EQ(std::string(p), (projekt / "Checkliste2.txt").string());
    VerSetzen(0, "");
}

TEST_F(ChkTest, ConditionsToggleAndCodeVariable)
{
    ChkTextSetzen(0, "A1", "Ja");
    struct {
        const char* bedingung;
        int frei;
    } faelle[] = {
        {"", 1}, {"A1=ja", 1}, {"A1=JA", 1}, {"A1=j", 0}, {"A1:ja", 1}, {"A1", 1}, {"B2", 0}, {"B2=", 0},
        {"A1=nein", 0}, {"A1XYZ", 0},  // a bare key is its first four characters: "A1XY"
    };
    for (const auto& f : faelle) {
        ChkSatz s = satz("X", "0", "", f.bedingung);
        EXPECT_EQ(ChkBedingungErfuellt(0, &s), f.frei) << f.bedingung;
    }

    struct {
        const char* optionen;
        const char* wert;
        const char* neu;
    } umschalten[] = {
        {"ein,aus", "", "ein"}, {"ein,aus", "ein", "aus"}, {"ein,aus", "aus", "ein"},
        {"", "", "0"},          {"", "0", "1"},            {"ja", "", "ja"},
        {"ja", "ja", ""},     {"a, b ,c", "a", "b"},     // the second option, not "b,c"
    };
    for (const auto& u : umschalten) {
        char neu[CHKTEXTSUP + 1];
        ChkUmschaltWert(u.optionen, u.wert, neu, sizeof neu);
        EXPECT_STREQ(neu, u.neu) << u.optionen << " / " << u.wert;
    }

    char t[20];
    ChkCodeVariable(0, "X7", t, sizeof t);
    EXPECT_STREQ(t, "@C1X7  ");
    ChkCodeVariable(4, "ABCDE", t, sizeof t);
    EXPECT_STREQ(t, "@C5ABCD");
}

TEST_F(ChkTest, EntrySaveClearsDisabledItemsAndTakesTheAppendedBlock)
{
    ChkTextSetzen(0, "A1", "nein");
    ChkTextSetzen(0, "B2", "wert");
    ChkTextSetzen(0, "C3", "bleibt");
    ChkEintragSetzen(0, 4, "B2", "alt");  // a number-4 record not in the block goes
    ChkAnhangInit();
    ChkAnhangSetzen(10, "A1", "ja,nein");
    const ChkSatz saetze[] = {satz("A1", "1", "ja,nein"), satz("B2", "0", "", "A1=ja"), satz("C3", "0")};
    ASSERT_EQ(ChkEingabeSpeichern(0, saetze, 3), 0);
    ChkListeLesen(0);
    char t[CHKTEXTSUP + 1];
    ChkTextHolen(0, "B2", t);
    EXPECT_STREQ(t, "");
    ChkTextHolen(0, "C3", t);
    EXPECT_STREQ(t, "bleibt");
    V nummern;
    for (int i = 0; i < ChkAnzahl(0); ++i) {
        CHKEINTRAG e{};
        ChkEintrag(0, i, &e);
        if (e.nummer) nummern.push_back(std::to_string(e.nummer) + e.code + "=" + e.text);
    }
    EXPECT_EQ(nummern, V{"10A1=ja,nein"});
}

TEST_F(ChkTest, EntrySaveThatCannotWriteKeepsTheOldFileAndSaysSo)
{
    ChkTextSetzen(0, "A1", "eins");
    const ChkSatz saetze[] = {satz("A1", "0")};
    ASSERT_EQ(ChkEingabeSpeichern(0, saetze, 1), 0);
    char pfad[300];
    ChkPfad(0, pfad, sizeof pfad);
    const std::string vorher = lesen(pfad);
    // A failure at call k of each kind: a message and the old file, until the
    // save runs through and leaves the new one.
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen,
                            PlFehlerArt::Schliessen}) {
        for (int k = 1; k < 20; ++k) {
            ChkTextSetzen(0, "A1", "zwei");
            plNachrichtBoxFragenLeeren();
            plFehlerSetzen(art, k);
            const int r = ChkEingabeSpeichern(0, saetze, 1);
            const bool ausgeloest = plFehlerAusgeloest(art) > 0;
            plFehlerAllesAus();
            EXPECT_EQ(namen(), std::set<std::string>{"Checkliste1.zvk"}) << "no temporary left";
            if (r == 0) {
                EXPECT_NE(lesen(pfad).find("zwei"), std::string::npos);
                schreiben(pfad, vorher);
                ChkListeLesen(0);
                if (!ausgeloest) break;
                continue;
            }
            EXPECT_EQ(lesen(pfad), vorher) << k;
            ASSERT_EQ(plNachrichtBoxFragen().size(), 1u) << k;
            EXPECT_NE(plNachrichtBoxFragen()[0].text.find("Kann "), std::string::npos);
        }
    }
}

// ---- the dialog -------------------------------------------------------------------------------

std::vector<std::string>& verteilt()
{
    static std::vector<std::string> v;
    return v;
}

class ChkDlgTest : public ChkTest {
protected:
    void SetUp() override
    {
        ChkTest::SetUp();
        projpruef::dialogWirt(ordner.string(), 900, 650);
        if (HasFatalFailure()) return;
        verteilt().clear();
        wiIniDatei("velmo.ini");
        WiSeitenDienst d{};
        d.verteilen = [](int id, LPARAM lp) { verteilt().push_back(std::to_string(id) + "/" + std::to_string(lp)); };
        wiSeitenDienstSetzen(d);
        schreiben(pfad("Checkliste1.txt"), ")S Allgemein\nA1\t1\tGepr\xFC" "ft\tja,nein\t\n"
                                           "B2\t0\tBemerkung\t\tA1=ja\nC3\t2\tArt\tNeu,Alt,Umbau\t\n"
                                           ")S Zweite\nD4\t0\tName\t\t\n");
    }
    void TearDown() override
    {
        wiDlgAlleSchliessen();
        projpruef::dialogWirtEnde();
        wiSeitenDienstZuruecksetzen();
        ChkTest::TearDown();
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
    // A click (event 11) on the cell of the cursor row as the list reports it.
    static void klick(HWND dlg, int zeile)
    {
        wiDlgBetreten(dlg);
        LisAktSetzen(4700, zeile);
        wiDlgVerlassen();
        projpruef::dlgPumpen();
    }
    void bild(HWND dlg, const char* name)
    {
        projpruef::dlgPumpen();
        const std::string p = std::string(::testing::TempDir()) + name;
        EXPECT_EQ(plHeadlessPng(dlg, p.c_str()), 0);
    }
};

TEST_F(ChkDlgTest, EntryModeShowsTheListSavesAndClosesWhenAsked)
{
    ChkTextSetzen(0, "A1", "ja");
    ChkTextSetzen(0, "B2", "notiert");
    ChkListeSchreiben(0);
    HWND dlg = ChkDlgOeffnen(0);
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    EXPECT_EQ(ChkDlgOeffnen(0), dlg);  // one at a time
    EXPECT_EQ(text(dlg, 3000), "Abnahme");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, 4709)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dlg, 2520)));
    wiDlgBetreten(dlg);
    EXPECT_EQ(ElsSeitenAnzahl(4700), 2);
    EXPECT_EQ(ElsSeiteAnzahl(4700), 3);
    wiDlgVerlassen();
    bild(dlg, "chkdlg_eingabe.png");

    // A1 back to "nein" disables B2: saving clears its value.
    ChkTextSetzen(0, "A1", "nein");
    CheckDlgButton(dlg, 3010, BST_CHECKED);
    befehl(dlg, 2500);
    EXPECT_EQ(wiDlgSuchen("CHKListen"), 0u);
    ChkListeLesen(0);
    char t[CHKTEXTSUP + 1];
    ChkTextHolen(0, "B2", t);
    EXPECT_STREQ(t, "");
    ChkTextHolen(0, "A1", t);
    EXPECT_STREQ(t, "nein");
    EXPECT_EQ(verteilt().back(), "2998/3");
    EXPECT_EQ(wiIniZahl("ZVKEdit", "ChkLstSavCls"), 1);
}

TEST_F(ChkDlgTest, DefinitionModeEditsTypesAndSavesTheFileWithItsBlock)
{
    vorgaben("ChkLstBz0 Abnahme\nChkLstEdt 1\n");
    schreiben(pfad("Checkliste1.txt"), ")S Allgemein\nA1\t1\tGepr\xFC" "ft\tja,nein\t\n"
                                       ")F\n10\tA1\tja,nein\n)E\n");
    HWND dlg = ChkDlgOeffnen(0);
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    EXPECT_EQ(text(dlg, 3000), pfad("Checkliste1.txt"));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, 2520)));
    bild(dlg, "chkdlg_definition.png");

    klick(dlg, 0);
    befehl(dlg, 2572);
    befehl(dlg, 2509);
    EXPECT_NE(wiDlgSuchen("CHKListen"), 0u);  // "Schliessen" not checked
    const std::string datei = lesen(pfad("Checkliste1.txt"));
    EXPECT_NE(datei.find("A1\t2\tGepr\xFC" "ft\tja,nein\t"), std::string::npos) << datei;
    EXPECT_NE(datei.find(")F\n"), std::string::npos) << datei;

    // A failed write keeps the file whole and the dialog open; no temporary.
    // A failure at call k of each kind keeps the file whole, the dialog open
    // and no temporary, until the save runs through.
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Lesen, PlFehlerArt::Schreiben,
                            PlFehlerArt::Umbenennen, PlFehlerArt::Schliessen}) {
        for (int k = 1; k < 30; ++k) {
            befehl(dlg, 2570);
            plNachrichtBoxFragenLeeren();
            plFehlerSetzen(art, k);
            befehl(dlg, 2509);
            const bool ausgeloest = plFehlerAusgeloest(art) > 0;
            plFehlerAllesAus();
            for (const std::string& n : namen()) EXPECT_EQ(n.find(".~"), std::string::npos) << n;
            EXPECT_NE(wiDlgSuchen("CHKListen"), 0u);
            const std::string jetzt = lesen(pfad("Checkliste1.txt"));
            if (plNachrichtBoxFragen().empty()) {
                EXPECT_NE(jetzt.find("A1\t0\t"), std::string::npos) << k;
                EXPECT_NE(jetzt.find(")F"), std::string::npos) << k;
                schreiben(pfad("Checkliste1.txt"), datei);
                befehl(dlg, 2572);
                if (!ausgeloest) break;
                continue;
            }
            EXPECT_EQ(jetzt, datei) << static_cast<int>(art) << " " << k;
        }
    }
    befehl(dlg, 2570);
    plNachrichtBoxAntwort(IDNO);
    befehl(dlg, 2);  // closing asks text 39; no keeps the file
    EXPECT_EQ(wiDlgSuchen("CHKListen"), 0u);
    EXPECT_EQ(lesen(pfad("Checkliste1.txt")), datei);
}

TEST_F(ChkDlgTest, MenuItemsFollowTheConfiguredNames)
{
    ASSERT_EQ(wiMenuSetzen("ANW_MENU"), 1);
    ChkMenueAufbauen();
    ChkMenueAufbauen();  // rebuilding keeps one item each, in the same place
    // The items take the place of the menu's check-list entry.
    HMENU m = 0;
    int pos = -1;
    for (int sp = 0; sp < GetMenuItemCount(anwDaten()->menue) && pos < 0; ++sp) {
        m = GetSubMenu(anwDaten()->menue, sp);
        for (int i = 0; m && i < GetMenuItemCount(m); ++i)
            if (GetMenuItemID(m, i) == 1590u) pos = i;
    }
    ASSERT_GE(pos, 0);
    char t[100];
    ASSERT_GT(GetMenuString(m, 1590, t, sizeof t, MF_BYCOMMAND), 0);
    EXPECT_STREQ(t, "Abnahme...");
    ASSERT_GT(GetMenuString(m, 1592, t, sizeof t, MF_BYCOMMAND), 0);
    EXPECT_STREQ(t, "Pr\xFC" "fung..");  // ".." in the name: no "..."
    EXPECT_EQ(GetMenuString(m, 1591, t, sizeof t, MF_BYCOMMAND), 0);
    EXPECT_EQ(GetMenuItemID(m, pos + 1), 1592u);
}

}  // namespace
