// Short texts of drawings by language: the export file byte by byte per
// language (translation or header text), the question before replacing a
// file, the four import modes for the base language (drawing headers) and
// another language (translations), malformed lines and over-long texts, and
// failing file calls. Each test builds a project folder of its own.
#include <map>
#include <functional>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "equipment/fstx.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "config/vorgaben.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/fehlersim.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "project/pvwliste.h"
#include "project/zeitxt.h"
#include "support/texte.h"
#include "tests/equipment/projtest.h"
#include "tests/project/projpruef.h"

using namespace projtest;

namespace {

std::string golden(const std::string& name) { return lesen(std::string(VELMO_TEST_DATA) + "/project/letzte/" + name); }

class ZeiTxtTest : public ProjTest {
protected:
    void SetUp() override
    {
        ProjTest::SetUp();
        PvwListeZuruecksetzen();
        plNachrichtBoxFragenLeeren();
        zeichnung("Plan.002", {"Verteilung", "", "Haupt", "", "Z4"});
        zeichnung("Plan.001", {"Deckblatt", "Anlage Nord", "", "Ort 1", ""});
        schreiben(pfad("A.pdf"), "%PDF-1.4");
        schreiben(pfad("Liste.txt"), "kein Plan");
        PvwVerzLesen();
        // The list's settings are not part of this: the report of the keys
        // it missed goes out now, not from the first message loop of a test.
        VgbFehlendeMelden();
        warnungen().clear();
    }
    void TearDown() override
    {
        PvwListeZuruecksetzen();
        ProjTest::TearDown();
    }

    void zeichnung(const std::string& name, const std::vector<std::string>& titel)
    {
        ZeiDatei d;
        ASSERT_EQ(ZeiDateiAnlegen(&d, pfad(name).c_str()), 0);
        ZeiFormatSetzen(&d, BEF_ZA3);
        BEF b{};
        b.code = BEF_ZAT;
        BefTextSetzen(&b, "");
        ASSERT_EQ(ZeiBefSchreiben(&d, &b), 0);
        ASSERT_EQ(ZeiDateiSchliessen(&d), 0);
        ZeiKopf k;
        ASSERT_EQ(ZeiKopfLesen(name.c_str(), &k), 0);
        for (int n = 0; n < 5; ++n) strkopie(k.titel[n], titel[static_cast<size_t>(n)].c_str(), ZEITITELSUP);
        ASSERT_EQ(ZeiKopfSchreiben(name.c_str(), &k), 1);
    }

    std::vector<std::string> kopf(const char* name)
    {
        ZeiKopf k;
        EXPECT_EQ(ZeiKopfLesen(name, &k), 0);
        std::vector<std::string> t;
        for (const auto& z : k.titel) t.emplace_back(z);
        return t;
    }

    std::string uebersetzt(const char* name, int n, int sprache = 1)
    {
        char t[FSTXTEXTSUP + 1];
        FstxTitelTextSprache(name, n, sprache, t);
        return t;
    }

    void uebersetzen(const char* name, int n, const char* text, int sprache = 1)
    {
        ASSERT_EQ(FstxTitelSetzenSprache(name, n, sprache, text), 0);
    }
};

using Texte = std::vector<std::string>;

TEST_F(ZeiTxtTest, ExportWritesFiveLinesPerDrawingByteExactPerLanguage)
{
    // Language 1 has two translations; the other lines fall back to the
    // header's texts.
    uebersetzen("Plan.001", 0, "Cover sheet");
    uebersetzen("Plan.002", 2, "Main board");
    PvwMarkSetzen(0, 1);   // marked or not, every drawing goes out
    struct Fall {
        int sprache;
        const char* datei;
    };
    for (const Fall& f : {Fall{0, "export_0.txt"}, Fall{1, "export_1.txt"}}) {
        fs::remove(pfad("Kurz.txt"));
        EXPECT_EQ(ZeiTxtExportieren(f.sprache, "Kurz.txt"), 1) << f.datei;
        EXPECT_EQ(lesen(pfad("Kurz.txt")), golden(f.datei)) << f.datei;
    }
    EXPECT_TRUE(plNachrichtBoxFragen().empty());
    EXPECT_TRUE(warnungen().empty());
}

TEST_F(ZeiTxtTest, ExportAsksBeforeReplacingAFile)
{
    schreiben(pfad("Kurz.txt"), "alt");
    plNachrichtBoxAntwort(IDNO);
    EXPECT_EQ(ZeiTxtExportieren(0, "Kurz.txt"), 0);
    EXPECT_EQ(lesen(pfad("Kurz.txt")), "alt");
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Bestehende Datei \xfc" "berschreiben?");
    plNachrichtBoxAntwort(IDYES);
    EXPECT_EQ(ZeiTxtExportieren(0, pfad("Kurz.txt").c_str()), 1);
    EXPECT_EQ(lesen(pfad("Kurz.txt")), golden("export_0.txt"));
}

TEST_F(ZeiTxtTest, ExportFailuresAreReportedAndKeepTheOldFile)
{
    const std::string ziel = pfad("Kurz.txt");
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Oeffnen, 1, true);
        EXPECT_EQ(ZeiTxtExportieren(0, "Kurz.txt"), -1);
    }
    EXPECT_FALSE(fs::exists(ziel));
    EXPECT_EQ(warnungen(), (Texte{"Kann " + ziel + " nicht schreiben."}));
    schreiben(ziel, "alt");
    warnungen().clear();
    for (PlFehlerArt art : {PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        PlFehlerScope scope;
        plFehlerSetzen(art, 1, true);
        EXPECT_EQ(ZeiTxtExportieren(0, "Kurz.txt"), -1);
        plFehlerAllesAus();
        EXPECT_EQ(lesen(ziel), "alt");
    }
    EXPECT_EQ(warnungen(), (Texte{"Kann " + ziel + " nicht schreiben.", "Kann " + ziel + " nicht schreiben."}));
}

TEST_F(ZeiTxtTest, ImportModesForATranslatedLanguage)
{
    // Line 0 translated, line 1 not, line 2 translated and blank in the file.
    schreiben(pfad("Ein.txt"), "Plan.001                0   Neu\n"
                               "Plan.001                1   Eins\n"
                               "Plan.001                2   \n");
    struct Fall {
        int modus;
        int genommen;
        Texte danach;
    };
    const Fall faelle[] = {
        {ZEITXT_NIE, 0, {"Alt", "", "X"}},
        {ZEITXT_ERGAENZEN, 1, {"Alt", "Eins", "X"}},
        {ZEITXT_UEBERSCHREIBEN, 2, {"Neu", "Eins", "X"}},
        {ZEITXT_AUCH_LEER, 3, {"Neu", "Eins", ""}},
    };
    for (const Fall& f : faelle) {
        uebersetzen("Plan.001", 0, "Alt");
        uebersetzen("Plan.001", 1, "");
        uebersetzen("Plan.001", 2, "X");
        EXPECT_EQ(ZeiTxtImportieren(1, "Ein.txt", f.modus), f.genommen) << f.modus;
        EXPECT_EQ((Texte{uebersetzt("Plan.001", 0), uebersetzt("Plan.001", 1), uebersetzt("Plan.001", 2)}), f.danach)
            << f.modus;
        // The headers of the base language stay.
        EXPECT_EQ(kopf("Plan.001"), (Texte{"Deckblatt", "Anlage Nord", "", "Ort 1", ""}));
    }
    EXPECT_TRUE(fs::exists(pfad("Texte.zvk")));
}

TEST_F(ZeiTxtTest, ImportOfTheBaseLanguageRewritesHeaders)
{
    schreiben(pfad("Ein.txt"), "Plan.002 0 Unterverteilung\nPlan.002 1 Neu eins\nPlan.002 4\n");
    EXPECT_EQ(ZeiTxtImportieren(0, "Ein.txt", ZEITXT_ERGAENZEN), 1);
    EXPECT_EQ(kopf("Plan.002"), (Texte{"Verteilung", "Neu eins", "Haupt", "", "Z4"}));
    EXPECT_EQ(ZeiTxtImportieren(0, "Ein.txt", ZEITXT_UEBERSCHREIBEN), 1);
    EXPECT_EQ(kopf("Plan.002"), (Texte{"Unterverteilung", "Neu eins", "Haupt", "", "Z4"}));
    EXPECT_EQ(ZeiTxtImportieren(0, "Ein.txt", ZEITXT_AUCH_LEER), 1);
    EXPECT_EQ(kopf("Plan.002"), (Texte{"Unterverteilung", "Neu eins", "Haupt", "", ""}));
    EXPECT_EQ(ZeiTxtImportieren(0, "Ein.txt", ZEITXT_AUCH_LEER), 0);
    EXPECT_EQ(uebersetzt("Plan.002", 0), "");
    EXPECT_TRUE(warnungen().empty());
}

TEST_F(ZeiTxtTest, MalformedLinesAndUnknownDrawingsTouchNothing)
{
    fs::copy_file(std::string(VELMO_TEST_DATA) + "/project/letzte/import_kaputt.txt", pfad("Kaputt.txt"));
    EXPECT_EQ(ZeiTxtImportieren(0, "Kaputt.txt", ZEITXT_AUCH_LEER), 1);
    EXPECT_EQ(kopf("Plan.001"), (Texte{"Deckblatt", "Anlage Nord", "", "G\xfcltig", ""}));
    EXPECT_EQ(kopf("Plan.002"), (Texte{"Verteilung", "", "Haupt", "", "Z4"}));
    EXPECT_FALSE(fs::exists(pfad("Plan.009")));
    EXPECT_FALSE(fs::exists(ordner.parent_path() / "Plan.001"));
    EXPECT_EQ(lesen(pfad("Liste.txt")), "kein Plan");
    EXPECT_TRUE(warnungen().empty());
}

TEST_F(ZeiTxtTest, OverLongTextsAreCutToTheirFieldAndThenCompareEqual)
{
    const std::string lang(150, 'w');
    schreiben(pfad("Ein.txt"), "Plan.001 4 " + lang + "\n");
    EXPECT_EQ(ZeiTxtImportieren(0, "Ein.txt", ZEITXT_UEBERSCHREIBEN), 1);
    EXPECT_EQ(kopf("Plan.001")[4], lang.substr(0, ZEITITELSUP));
    EXPECT_EQ(ZeiTxtImportieren(0, "Ein.txt", ZEITXT_UEBERSCHREIBEN), 0);
    EXPECT_EQ(ZeiTxtImportieren(2, "Ein.txt", ZEITXT_UEBERSCHREIBEN), 1);
    EXPECT_EQ(uebersetzt("Plan.001", 4, 2), lang.substr(0, FSTXTEXTSUP));
    EXPECT_EQ(ZeiTxtImportieren(2, "Ein.txt", ZEITXT_UEBERSCHREIBEN), 0);
}

TEST_F(ZeiTxtTest, ImportFailuresAreReported)
{
    EXPECT_EQ(ZeiTxtImportieren(0, "Fehlt.txt", ZEITXT_AUCH_LEER), -1);
    EXPECT_EQ(warnungen(), (Texte{"Kann Datei nicht \xf6" "ffnen."}));
    warnungen().clear();
    schreiben(pfad("Ein.txt"), "Plan.001 1 Neu\nPlan.002 1 Auch neu\n");
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Umbenennen, 1);
        EXPECT_EQ(ZeiTxtImportieren(0, "Ein.txt", ZEITXT_AUCH_LEER), -1);
    }
    EXPECT_EQ(warnungen(), (Texte{"Kann " + pfad("Plan.001") + " nicht schreiben."}));
    EXPECT_EQ(kopf("Plan.001")[1], "Anlage Nord");
    EXPECT_EQ(kopf("Plan.002")[1], "Auch neu");
}

// ---- The two dialogs ----------------------------------------------------------------------------

LRESULT CALLBACK zeiTxtHauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

// A main window, the program's resources and the dialog manager; languages
// in the program folder (a blank second line) and the dialogs' defaults.
class ZeiTxtDlgTest : public ZeiTxtTest {
protected:
    void SetUp() override
    {
        ZeiTxtTest::SetUp();
        plFensterSystemEnde();
        plNachrichtBoxSkriptLeeren();
        plDateiDialogSkriptLeeren();
        plDateiDialogFragenLeeren();
        anwZuruecksetzen();
        anwTitelSetzen("Velmo Test");
        anwDaten()->instanz = LoadLibrary("velmo");
        ASSERT_NE(anwDaten()->instanz, 0u);
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = zeiTxtHauptProz;
        wc.lpszClassName = "VelmoHauptZeiTxt";
        ASSERT_NE(RegisterClassEx(&wc), 0);
        HWND haupt = CreateWindowEx(0, "VelmoHauptZeiTxt", "Velmo Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                                    600, 0, 0, 0, nullptr);
        ASSERT_NE(haupt, 0u);
        anwDaten()->hauptfenster = haupt;
        anwLaufZustandSetzen(2);
        ASSERT_EQ(wiDlgInit(), 0);
        fs::create_directories(ordner / "prog");
        VerSetzen(0, pfad("prog").c_str());
        schreiben(pfad("prog/Sprache.txt"), "0 Deutsch\n\n2 Italiano\n3 English\n");
        vgbPfad = (ordner / "Test.vgb").string();
        schreiben(vgbPfad, "Name Test\nSprZeiTxExp Kurz.txt\nSprZeiTxImp Ein.txt\nSprZeiTxFun 2\n");
        VgbFehlMeldung(0);
        VgbSetSetzen("Test", vgbPfad.c_str());
        SprSetzen(3);
        uebersetzen("Plan.001", 0, "Frontespizio", 2);
    }
    void TearDown() override
    {
        wiDlgAlleSchliessen();
        wiDlgFrei();
        plFensterSystemEnde();
        FreeLibrary(anwDaten()->instanz);
        anwZuruecksetzen();
        VgbSetSetzen("", "");
        VgbFehlMeldung(1);
        VerSetzen(0, "");
        ZeiTxtTest::TearDown();
    }

    static void pumpe() { projpruef::dlgPumpen(); }

    static std::vector<std::string> sprachen(HWND dlg)
    {
        std::vector<std::string> v;
        HWND c = GetDlgItem(dlg, 3100);
        for (int i = 0; i < static_cast<int>(SendMessage(c, CB_GETCOUNT, 0, 0)); ++i) {
            char t[100] = "";
            SendMessage(c, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
            v.emplace_back(t);
        }
        return v;
    }

    static std::string feld(HWND dlg)
    {
        char t[300] = "";
        GetDlgItemText(dlg, 3110, t, sizeof t);
        return t;
    }

    std::string vgbPfad;
};

TEST_F(ZeiTxtDlgTest, ExportDialogOffersTheLanguagesAndExportsTheChosenOne)
{
    ZeiTxtExpOeffnen();
    pumpe();
    HWND dlg = wiDlgSuchen("ZeiTxtExp");
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(sprachen(dlg), (Texte{"0 Deutsch", "2 Italiano", "3 English"}));
    EXPECT_EQ(SendDlgItemMessage(dlg, 3100, CB_GETCURSEL, 0, 0), 2);   // language 3
    EXPECT_EQ(feld(dlg), "Kurz.txt");
    // The save dialog fills the file field.
    plDateiDialogAntwort(pfad("Italienisch.txt").c_str());
    SendMessage(dlg, WM_COMMAND, 2511, 0);
    ASSERT_EQ(plDateiDialogFragen().size(), 1u);
    EXPECT_EQ(plDateiDialogFragen()[0].titel, "Textdatei speichern unter");
    EXPECT_EQ(feld(dlg), pfad("Italienisch.txt"));
    // The second entry is language 2, not 1: the blank line keeps its number.
    SendDlgItemMessage(dlg, 3100, CB_SETCURSEL, 1, 0);
    plNachrichtBoxAntwort(IDYES);
    SendMessage(dlg, WM_COMMAND, 2500, 0);
    pumpe();
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Zeichnungs-Kurztexte exportieren?");
    EXPECT_EQ(wiDlgSuchen("ZeiTxtExp"), 0u);
    EXPECT_EQ(lesen(pfad("Italienisch.txt")).substr(0, 40), "Plan.001                0   Frontespizio");
}

TEST_F(ZeiTxtDlgTest, ImportDialogStartsAtTheDefaultModeAndRunsOnlyOnYes)
{
    schreiben(pfad("Ein.txt"), "Plan.001 0 Copertina\nPlan.001 1 Nord\n");
    ZeiTxtImpOeffnen();
    pumpe();
    HWND dlg = wiDlgSuchen("ZeiTxtImp");
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(feld(dlg), "Ein.txt");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(SendDlgItemMessage(dlg, 3120 + i, BM_GETCHECK, 0, 0), i == 2 ? BST_CHECKED : BST_UNCHECKED) << i;
    SendDlgItemMessage(dlg, 3100, CB_SETCURSEL, 1, 0);
    plNachrichtBoxAntwort(IDNO);
    SendMessage(dlg, WM_COMMAND, 2500, 0);
    pumpe();
    EXPECT_EQ(wiDlgSuchen("ZeiTxtImp"), dlg);
    EXPECT_EQ(uebersetzt("Plan.001", 0, 2), "Frontespizio");
    plNachrichtBoxAntwort(IDYES);
    SendMessage(dlg, WM_COMMAND, 2500, 0);
    pumpe();
    EXPECT_EQ(plNachrichtBoxFragen().back().text, "Zeichnungs-Kurztexte importieren?");
    EXPECT_EQ(wiDlgSuchen("ZeiTxtImp"), 0u);
    EXPECT_EQ(uebersetzt("Plan.001", 0, 2), "Copertina");
    EXPECT_EQ(uebersetzt("Plan.001", 1, 2), "Nord");
}


TEST_F(ZeiTxtTest, NamesWithBlanksAreQuotedAndReadBackWhole)
{
    zeichnung("Halle 3.001", {"Eingang", "", "", "", ""});
    PvwVerzLesen();
    ASSERT_EQ(ZeiTxtExportieren(0, "Aus.txt"), 1);
    const std::string aus = lesen(pfad("Aus.txt"));
    EXPECT_NE(aus.find("\"Halle 3.001\"           0   Eingang"), std::string::npos) << aus;
    zeichnung("Halle 3.001", {"", "", "", "", ""});
    EXPECT_EQ(ZeiTxtImportieren(0, "Aus.txt", ZEITXT_ERGAENZEN), 1);
    EXPECT_EQ(kopf("Halle 3.001"), (Texte{"Eingang", "", "", "", ""}));
    // An unclosed quote is no line.
    schreiben(pfad("Kaputt2.txt"), "\"Halle 3.001 0 Falsch\n");
    EXPECT_EQ(ZeiTxtImportieren(0, "Kaputt2.txt", ZEITXT_AUCH_LEER), 0);
}
}  // namespace

namespace {

// Every file of the folder with its bytes; the header writer's own backups
// ("<stem>.BAK", one for all drawings of a stem) are not the user's files.
std::map<std::string, std::string> stand(const fs::path& ordner)
{
    std::map<std::string, std::string> m;
    for (const auto& e : fs::directory_iterator(ordner))
        if (e.path().extension() != ".BAK") m[e.path().filename().string()] = lesen(e.path().string());
    return m;
}

}  // namespace

// Nothing lost: export over an earlier file and import into headers and
// into translations, with a failure at call k of each kind until the run
// completes. After each, every file holds its old bytes or those of a clean
// run, a failed run said so, and no temporary file is left. The translations
// are read before the fault is armed: their store reports its own failures.
TEST_F(ZeiTxtTest, ExportAndImportUnderFailuresLoseNothing)
{
    schreiben(pfad("Aus.txt"), "alt");
    schreiben(pfad("Ein.txt"), "Plan.001 1 Neu\nPlan.002 1 Auch neu\n");
    uebersetzen("Plan.001", 0, "Alt");
    ASSERT_EQ(FstxBeenden(1), 0);
    const std::map<std::string, std::string> alt = stand(ordner);
    auto zurueck = [&] {
        for (const auto& e : stand(ordner)) fs::remove(pfad(e.first));
        for (const auto& [n, t] : alt) schreiben(pfad(n), t);
        FstxNeuLaden();
        warnungen().clear();
        plNachrichtBoxFragenLeeren();
    };
    struct Op {
        const char* name;
        std::function<int()> lauf;
    };
    const std::vector<Op> ops = {
        {"export", [] { return ZeiTxtExportieren(1, "Aus.txt") < 0 ? -1 : 0; }},
        {"import headers", [] { return ZeiTxtImportieren(0, "Ein.txt", ZEITXT_AUCH_LEER) < 0 ? -1 : 0; }},
        {"import translations", [] { return ZeiTxtImportieren(1, "Ein.txt", ZEITXT_AUCH_LEER) < 0 ? -1 : 0; }},
    };
    for (const Op& op : ops) {
        zurueck();
        plNachrichtBoxAntwort(IDYES);
        ASSERT_EQ(op.lauf(), 0) << op.name;
        const std::map<std::string, std::string> neu = stand(ordner);
        for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Lesen, PlFehlerArt::Schreiben,
                                PlFehlerArt::Umbenennen, PlFehlerArt::Schliessen}) {
            for (int k = 1;; ++k) {
                ASSERT_LT(k, 80) << op.name << " never completes";
                zurueck();
                char t[FSTXTEXTSUP + 1];
                FstxTitelTextSprache("Plan.001", 0, 1, t);
                plNachrichtBoxAntwort(IDYES);
                plFehlerSetzen(art, k);
                const int r = op.lauf();
                const bool ausgeloest = plFehlerAusgeloest(art) > 0;
                plFehlerAllesAus();
                const std::string wo = std::string(op.name) + " kind " + std::to_string(static_cast<int>(art)) +
                                       " call " + std::to_string(k);
                const std::map<std::string, std::string> jetzt = stand(ordner);
                for (const auto& [n, t] : jetzt) {
                    const bool alter = alt.count(n) && alt.at(n) == t;
                    const bool neuer = neu.count(n) && neu.at(n) == t;
                    EXPECT_TRUE(alter || neuer) << n << " " << wo;
                }
                EXPECT_EQ(jetzt.size(), neu.size()) << "a file was left or lost: " << wo;
                if (r == 0) {
                    EXPECT_EQ(jetzt, neu) << wo;
                    if (!ausgeloest) break;
                    continue;
                }
                EXPECT_FALSE(warnungen().empty() && plNachrichtBoxFragen().empty()) << wo;
            }
        }
    }
}
