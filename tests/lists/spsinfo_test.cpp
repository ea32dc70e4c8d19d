// The PLC information file and its text files, the language names and the
// master-data dispatcher, on a project folder and application-data folder
// of the test's own.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "editdlg/bautwork.h"
#include "lists/spsinfo.h"
#include "lists/stammdat.h"
#include "platform/fehlersim.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "tests/equipment/bmtest.h"
#include "tests/project/projpruef.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"

namespace fs = std::filesystem;

namespace {

const std::string FS = "\x1c";

std::string satz(const std::string& schluessel, std::initializer_list<std::string> texte)
{
    std::string z = schluessel;
    size_t n = 0;
    for (const std::string& t : texte) z += FS + t, ++n;
    for (; n < SPSTEXTANZ; ++n) z += FS;
    return z;
}

struct Sps : bmtest::BmTest {
    void SetUp() override
    {
        BmTest::SetUp();
        SpsInfoVergessen();
    }
    void TearDown() override
    {
        SpsInfoVergessen();
        BmTest::TearDown();
    }
    std::string datei() { return pfad("SPSINFO.ZVK"); }
    // The list dialog on the project's file and the single record of its
    // first row.
    void einzelOeffnen(HWND* liste, HWND* einz)
    {
        projpruef::dialogWirt((wurzel_ / "cfg").string(), 1000, 800);
        SpsInfoOeffnen();
        projpruef::dlgPumpen();
        *liste = wiDlgSuchen("SPSInfoListe");
        ASSERT_NE(*liste, 0u);
        SendMessage(*liste, WM_COMMAND, 2510, 0);
        projpruef::dlgPumpen();
        *einz = wiDlgSuchen("SPSInfoEinz");
        ASSERT_NE(*einz, 0u);
    }
    std::vector<std::string> boxen()
    {
        std::vector<std::string> t;
        for (const plNachrichtBoxFrage& f : plNachrichtBoxFragen()) t.push_back(f.text);
        return t;
    }
};

TEST_F(Sps, FileRoundTripIsByteExactAndTheReadingRules)
{
    const std::string kopf = "zvkI\n)S SPSInfo\n";
    const std::string a = satz("E1.0", {"Start", "Motor"}), b = satz("A2", {});
    eqtest::schreiben(datei(), "zvkI\ndavor\n" + kopf.substr(5) + a + "\n)S Andere\n)Kommentar\n" + b + "\n)E\nnachher\n");
    ASSERT_EQ(SpsInfoLesen(datei().c_str()), 0);
    ASSERT_EQ(SpsInfoAnzahl(), 2) << "a second \")S\" does not close; ')' lines are skipped";
    spsinfo s;
    ASSERT_EQ(SpsInfoSatz(0, &s), 1);
    EXPECT_STREQ(s.schluessel, "E1.0");
    EXPECT_STREQ(s.text[1], "Motor");
    EXPECT_EQ(SpsInfoSatz(2, &s), 0);
    EXPECT_STREQ(s.schluessel, "");
    ASSERT_EQ(SpsInfoSchreiben(), 0);
    EXPECT_EQ(eqtest::lesen(datei()), kopf + a + "\n" + b + "\n)E\n") << "ten separators also for empty texts";

    // The same path (any case) comes from memory; a new one is read.
    eqtest::schreiben(datei(), kopf + satz("X", {}) + "\n)E\n");
    std::string gross = datei();
    gross.replace(gross.size() - 11, 11, "spsinfo.zvk");
    ASSERT_EQ(SpsInfoLesen(gross.c_str()), 0);
    EXPECT_EQ(SpsInfoAnzahl(), 2);
    SpsInfoVergessen();
    ASSERT_EQ(SpsInfoLesen(datei().c_str()), 0);
    EXPECT_EQ(SpsInfoAnzahl(), 1);
}

TEST_F(Sps, ForeignOrMissingFilesAndOddLinesGiveEmptyRecords)
{
    const struct {
        std::string inhalt;
        int anzahl;
        const char* schluessel;
        const char* text10;
    } faelle[] = {
        {"zvkX\n)S SPSInfo\n" + satz("E1", {}) + "\n)E\n", 0, "", ""},
        {"zvkI\n)S SPSInfo\nohne Trenner\n)E\n", 1, "", ""},
        {"zvkI\n)S SPSInfo\nE1" + FS + "a\n)E\n", 1, "E1", ""},
        {"zvkI\n)S SPSInfo\n" + satz("E1", {"1", "2", "3", "4", "5", "6", "7", "8", "9", std::string(90, 'z')}) +
             "\n)E\n",
         1, "E1", "zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz"},
    };
    for (const auto& f : faelle) {
        SpsInfoVergessen();
        eqtest::schreiben(datei(), f.inhalt);
        ASSERT_EQ(SpsInfoLesen(datei().c_str()), 0);
        ASSERT_EQ(SpsInfoAnzahl(), f.anzahl) << f.inhalt;
        if (!f.anzahl) continue;
        spsinfo s;
        SpsInfoSatz(0, &s);
        EXPECT_STREQ(s.schluessel, f.schluessel);
        EXPECT_STREQ(s.text[9], f.text10);
    }
    SpsInfoVergessen();
    fs::remove(datei());
    EXPECT_EQ(SpsInfoLesen(datei().c_str()), -1);
    EXPECT_EQ(SpsInfoAnzahl(), 0);
    spsinfo neu;
    SpsSatzNeu(&neu);
    EXPECT_STREQ(neu.schluessel, "?");
    EXPECT_STREQ(neu.text[0], "?");
}

TEST_F(Sps, TextFilesByTheTwoTemplates)
{
    const struct {
        const char* fmt0;
        const char* fmt1;
        const char* datei0;
        const char* datei1;
    } faelle[] = {
        {"A: B | C", "8 A B|C", "E1.0: Start\r\nMotor\r\n", "E1.0 Start\r\n        Motor\r\n"},
        {"Motor: A", "A B|C", "Motor: E1.0\r\n", "E1.0 Start\r\n    Motor\r\n"},
        {"A|D|B", "0 A|B", "E1.0\r\nStart\r\n", "E1.0\r\nStart\r\n"},
    };
    for (const auto& f : faelle) {
        vorgaben(std::string("BMuse 1\nSPSTxtFmt0 ") + f.fmt0 + "\nSPSTxtFmt1 " + f.fmt1 +
                 "\nSPSTxtDat0 1 sps0.txt\nSPSTxtDat1 2 sps1.txt\n");
        eqtest::schreiben(datei(), "zvkI\n)S SPSInfo\n" + satz("E1.0", {"Start", "Motor"}) + "\n)E\n");
        SpsInfoVergessen();
        ASSERT_EQ(SpsInfoLesen(datei().c_str()), 0);
        ASSERT_EQ(SpsTexteErzeugen(), 0);
        EXPECT_EQ(eqtest::lesen(pfad("sps0.txt")), f.datei0) << f.fmt0;
        EXPECT_EQ(eqtest::lesen(pfad("sps1.txt")), f.datei1) << f.fmt1;
    }
    // A kind other than 1 or 2 leaves the file empty; kind 0 writes none.
    vorgaben("BMuse 1\nSPSTxtFmt0 A\nSPSTxtDat0 3 leer.txt\nSPSTxtDat1 0 kein.txt\n");
    ASSERT_EQ(SpsTexteErzeugen(), 0);
    EXPECT_TRUE(fs::exists(pfad("leer.txt")));
    EXPECT_EQ(eqtest::lesen(pfad("leer.txt")), "");
    EXPECT_FALSE(fs::exists(pfad("kein.txt")));
    // Replacements that would pass 80 characters are not made.
    const std::string lang(79, 'x');
    EXPECT_EQ(SpsVorlageVorbereiten((lang + "|").c_str()).substr(0, 79), lang);
}

// Nothing lost: each writer with a failure injected at call k = 1, 2, ...
// until it completes keeps the old bytes or writes the complete new ones,
// leaves no temporary file and says so when it failed.
TEST_F(Sps, FailedWritesKeepTheOldBytes)
{
    projpruef::dialogWirt((wurzel_ / "cfg").string(), 800, 600);
    vorgaben("BMuse 1\nSPSTxtFmt0 A B\nSPSTxtDat0 1 sps0.txt\nSPSTxtDat1 0\n");
    const std::string alt = "zvkI\n)S SPSInfo\n" + satz("E1", {"alt"}) + "\n)E\n";
    for (PlFehlerArt art : {PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        for (int k = 1; k < 10; ++k) {
            eqtest::schreiben(datei(), alt);
            eqtest::schreiben(pfad("sps0.txt"), "alt\r\n");
            SpsInfoVergessen();
            ASSERT_EQ(SpsInfoLesen(datei().c_str()), 0);
            SpsInfoSpeicher()[0].text[0][0] = 'N';
            plNachrichtBoxFragenLeeren();
            int r1, r2, ausgeloest;
            {
                PlFehlerScope s;
                plFehlerSetzen(art, k);
                r1 = SpsInfoSchreiben();
                r2 = SpsTexteErzeugen();
                ausgeloest = plFehlerAusgeloest(art);
            }
            const std::string neu = "zvkI\n)S SPSInfo\n" + satz("E1", {"Nlt"}) + "\n)E\n";
            EXPECT_EQ(eqtest::lesen(datei()), r1 == 0 ? neu : alt) << k;
            EXPECT_EQ(eqtest::lesen(pfad("sps0.txt")), r2 == 0 ? "E1 Nlt\r\n" : "alt\r\n") << k;
            EXPECT_EQ(r2 == 0, boxen().empty()) << k;
            EXPECT_EQ(bmtest::dateien(wurzel_ / "projekt"), (std::vector<std::string>{"SPSINFO.ZVK", "sps0.txt"}));
            if (ausgeloest == 0) break;
        }
    }
    projpruef::dialogWirtEnde();
}

TEST_F(Sps, LanguageNamesKeepEveryLineAndAreSavedToTheApplicationData)
{
    projpruef::dialogWirt((wurzel_ / "cfg").string(), 800, 600);
    fs::create_directories(wurzel_ / "cfg" / "Velmo");
    eqtest::schreiben((wurzel_ / "cfg" / "Velmo" / "Sprache.txt").string(), "0 Deutsch\r\n5 English\r\n12Zw\r\n");
    SprachenOeffnen();
    projpruef::dlgPumpen();
    HWND d = wiDlgSuchen("Sprachen");
    ASSERT_NE(d, 0u);
    ASSERT_TRUE(wiDlgBetreten(d));
    EXPECT_STREQ(wiTextRing(3000), "Deutsch");
    EXPECT_STREQ(wiTextRing(3050), "English");
    EXPECT_STREQ(wiTextRing(3090), "Zw") << "numbers beyond 9 count as 9";
    wiTextSetzen(3010, "Fran\xE7" "ais");
    wiDlgVerlassen();
    if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(d, (std::string(z) + "/Sprachen.png").c_str());
    SendMessage(d, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(wiDlgSuchen("Sprachen"), 0u);
    EXPECT_EQ(eqtest::lesen((wurzel_ / "cfg" / "Velmo" / "Sprache.txt").string()),
              "0 Deutsch\r\n1 Fran\xE7" "ais\r\n2 \r\n3 \r\n4 \r\n5 English\r\n6 \r\n7 \r\n8 \r\n9 Zw\r\n");
    std::array<std::string, SPRANZ> n;
    ASSERT_EQ(SprNamenLesen(n), 0);
    EXPECT_EQ(n[5], "English");
    projpruef::dialogWirtEnde();
}

// The dispatcher: each id reaches its window, file or message.
TEST_F(Sps, DispatcherOpensEachTarget)
{
    projpruef::dialogWirt((wurzel_ / "cfg").string(), 1000, 800);
    vorgaben("BMuse 1\nSPSTxtDat0 1 sps0.txt\nSPSTxtDat1 0\n");
    VerSetzen(7, "");
    const struct {
        int id;
        const char* erwartet;  // a dialog name, a box text or a recorded call
    } faelle[] = {
        {1549, ""},
        {1580, "Dialog SPSInfoListe"},
        {1581, nullptr},  // the external editor on the project's file
        {1582, "Meldung Diese Infodatei ist nicht definiert."},
        {1562, "Meldung Kein Ordner f\xFCr zentrale Textdateien angegeben."},
        {1554, "Dialog Sprachen"},
        {1583, ""},
    };
    // The missing PLC text file: the external editor first asks to create it.
    const std::string tde = "Meldung Datei anlegen?";
    for (const auto& f : faelle) {
        plNachrichtBoxFragenLeeren();
        StammDaten(f.id);
        projpruef::dlgPumpen();
        std::string ist;
        for (const char* n : {"SPSInfoListe", "Sprachen"}) {
            HWND d = wiDlgSuchen(n);
            if (!d) continue;
            ist = std::string("Dialog ") + n;
            if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(d, (std::string(z) + "/" + n + ".png").c_str());
            wiDlgSlotSchliessen(wiDlgSlot(d));
        }
        for (const std::string& t : boxen()) ist += "Meldung " + t;
        if (f.erwartet == nullptr) {
            // Where no program for text files is found, the user is told so.
            EXPECT_EQ(ist.substr(0, tde.size()), tde) << f.id;
            const std::string rest = ist.substr(std::min(ist.size(), tde.size()));
            EXPECT_TRUE(rest.empty() || rest.rfind("Meldung Kein Programm f\xFCr Textdateien gefunden.", 0) == 0) << rest;
            continue;
        }
        EXPECT_EQ(ist, std::string(f.erwartet)) << f.id;
    }
    StammDaten(1570);
    projpruef::dlgPumpen();
    HWND browser = wiDlgSuchen("BAUTEILE");
    ASSERT_NE(browser, 0u) << "the component-library browser opens";
    wiDlgSlotSchliessen(wiDlgSlot(browser));
    projpruef::dialogWirtEnde();
}

// The list: one new record when the file is empty; a click right of the
// texts opens the single record, whose save reaches the list and the file.
TEST_F(Sps, ListAndSingleRecordEditTheFile)
{
    HWND liste = 0, einz = 0;
    einzelOeffnen(&liste, &einz);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(wiDlgBetreten(einz));
    EXPECT_STREQ(wiTextRing(3000), "?");
    wiTextSetzen(3000, "  E2.1  ");
    wiTextSetzen(3013, "vier");
    wiDlgVerlassen();
    if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(einz, (std::string(z) + "/SPSInfoEinz.png").c_str());
    SendMessage(einz, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(wiDlgSuchen("SPSInfoEinz"), 0u) << "\"Schliessen\" is checked";
    if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(liste, (std::string(z) + "/SPSInfoListe2.png").c_str());
    SendMessage(liste, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(wiDlgSuchen("SPSInfoListe"), 0u);
    EXPECT_EQ(eqtest::lesen(datei()), "zvkI\n)S SPSInfo\n" + satz("E2.1", {"?", "", "", "vier"}) + "\n)E\n");
    projpruef::dialogWirtEnde();
}

}  // namespace

// Another row asked for while the record was changed: a "Ja" saves the
// record before the row is shown; Esc afterwards drops nothing saved.
TEST_F(Sps, NextRowAsksToSaveTheChangedRecord)
{
    HWND liste = 0, einz = 0;
    einzelOeffnen(&liste, &einz);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(wiDlgBetreten(einz));
    wiTextSetzen(3000, "A1.0");
    wiDlgVerlassen();
    SendMessage(einz, WM_COMMAND, MAKEWPARAM(3000, EN_CHANGE), 0);
    plNachrichtBoxFragenLeeren();
    plNachrichtBoxAntwort(IDYES);
    SendMessage(einz, WM_COMMAND, 2512, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(plNachrichtBoxFragen().size(), 1u) << "the changed record asks";
    SendMessage(einz, WM_COMMAND, 2501, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(wiDlgSuchen("SPSInfoEinz"), 0u);
    EXPECT_EQ(plNachrichtBoxFragen().size(), 1u) << "a saved record closes without asking";
    SendMessage(liste, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(eqtest::lesen(datei()), "zvkI\n)S SPSInfo\n" + satz("A1.0", {"?", "", "", ""}) + "\n)E\n");
    projpruef::dialogWirtEnde();
}

// A key beginning with ')' would end the records when read back: the
// single record refuses it with a message and stays open on the row.
TEST_F(Sps, KeyBeginningWithAParenthesisIsRefused)
{
    HWND liste = 0, einz = 0;
    einzelOeffnen(&liste, &einz);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(wiDlgBetreten(einz));
    wiTextSetzen(3000, ")E");
    wiDlgVerlassen();
    plNachrichtBoxFragenLeeren();
    SendMessage(einz, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_NE(plNachrichtBoxFragen()[0].text.find("')'"), std::string::npos) << plNachrichtBoxFragen()[0].text;
    EXPECT_EQ(wiDlgSuchen("SPSInfoEinz"), einz) << "stays open";
    ASSERT_TRUE(wiDlgBetreten(einz));
    wiTextSetzen(3000, "E1)");
    wiDlgVerlassen();
    SendMessage(einz, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(wiDlgSuchen("SPSInfoEinz"), 0u);
    SendMessage(liste, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(eqtest::lesen(datei()), "zvkI\n)S SPSInfo\n" + satz("E1)", {"?", "", "", ""}) + "\n)E\n");
    projpruef::dialogWirtEnde();
}
