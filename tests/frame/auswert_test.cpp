// The evaluation page driven through the running frame on the headless
// backend over a working copy of the demo project, as a user meets it:
// mode 1533, an evaluation run from the toolbar, marked lines saved as CSV
// and read back by Python's csv module, the refusal while the drawing is
// changed, the results reloaded when rewritten, a result longer than the
// list display, "Alle Listen aktualisieren", "Kopieroptionen" and the
// definition dialog.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "controls/lisanzeige.h"
#include "frame/anw.h"
#include "frame/modus.h"
#include "lists/auswertseite.h"
#include "lists/auswertung.h"
#include "editor/edtseite.h"
#include "model/tempzeic.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "output/show.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/platform/golden_pruef.h"
#include "tests/tools/demokopie.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/winbib.h"

namespace fs = std::filesystem;

namespace {

std::string lesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

class Auswert : public DemoRahmen {
protected:
    void SetUp() override
    {
        DemoRahmen::SetUp();
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
        ModusUmschalten(MODUS_AUS);
        plHeadlessPumpen();
        plNachrichtBoxFragenLeeren();
    }
    static HWND seite() { return rahmenSeite(MODUS_AUS); }
    static void befehl(HWND f, int id)
    {
        PostMessage(f, WM_COMMAND, static_cast<WPARAM>(id), 0);
        plHeadlessPumpen();
    }
    static int zeilen()
    {
        if (!wiDlgBetreten(seite())) return -1;
        int n = LisAnzahl(AWSLISTE);
        wiDlgVerlassen();
        return n;
    }
    static std::string status(int teil)
    {
        char t[200] = "";
        wiStatusTextHolen(teil, t, sizeof t);
        return t;
    }
    static std::vector<std::string> boxen()
    {
        std::vector<std::string> r;
        for (const auto& f : plNachrichtBoxFragen()) r.push_back(f.text);
        plNachrichtBoxFragenLeeren();
        return r;
    }
    size_t dateiZeilen(const std::string& name)
    {
        std::string s = lesen(demo.datei(name));
        size_t n = 0;
        for (char c : s) n += c == '\n';
        return n;
    }
    // A click on row `zeile` of the result list, with Ctrl held when asked.
    static void klick(int zeile, bool strg)
    {
        POINT p = plHeadlessPunkt(GetDlgItem(seite(), AWSLISTE), 30, zeile * wiDlgEinheit(8) + 3);
        if (strg) plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessKlick(p.x, p.y);
        if (strg) plHeadlessTasteHoch(VK_CONTROL);
        plHeadlessZeitVor(1000);  // no double click
        plHeadlessPumpen();
    }
};

TEST_F(Auswert, AnEquipmentListRunFromTheToolbarAndThreeMarkedLinesSavedAsCsv)
{
    ASSERT_NE(seite(), 0u);
    EXPECT_EQ(status(3), "Betriebsmittelliste");
    EXPECT_EQ(zeilen(), 1) << "no result yet: one row saying so";
    befehl(seite(), 1521);  // the toolbar's "run"
    const size_t n = dateiZeilen("Betriebsmittel.txt");
    ASSERT_GT(n, 50u);
    EXPECT_EQ(zeilen(), static_cast<int>(n));
    plHeadlessPng(seite(), (demo.wurzel() + "/seite.png").c_str());
    if (const char* bild = std::getenv("AW_BILD")) fs::copy_file(demo.wurzel() + "/seite.png", bild, fs::copy_options::overwrite_existing);
    klick(0, false);
    klick(1, true);
    klick(2, true);
    const std::string csv = demo.datei("Markiert.csv");
    plDateiDialogAntwort(csv.c_str());
    befehl(seite(), 2553);
    ASSERT_TRUE(fs::exists(csv));
    // Python's csv module reads the three rows back, cell for cell.
    const std::string py = demo.wurzel() + "/lesen.py";
    std::ofstream(py) << "import csv,sys\n"
                         "rows=list(csv.reader(open(sys.argv[1],encoding='cp1252',newline=''),delimiter=';'))\n"
                         "open(sys.argv[2],'w').write('\\n'.join('|'.join(r) for r in rows))\n";
    const std::string aus = demo.wurzel() + "/zellen.txt";
    ASSERT_EQ(std::system(("python3 " + py + " " + csv + " " + aus).c_str()), 0);
    std::string zellen = lesen(aus);
    EXPECT_EQ(std::count(zellen.begin(), zellen.end(), '\n'), 2) << zellen;
    EXPECT_EQ(zellen.substr(0, zellen.find('\n')).substr(0, 7), "-A1|11-") << zellen;
}

// A run walks other drawings as the current drawing context; afterwards
// the context is the editor's drawing again, so the editor's texts read
// their own drawing.
TEST_F(Auswert, ARunGivesTheDrawingContextBackToTheEditor)
{
    EditorMitDatei((demo.projekt() + "/HV1.08").c_str());
    plHeadlessPumpen();
    ASSERT_NE(EdtFenster(), 0u);
    ModusUmschalten(MODUS_AUS);
    plHeadlessPumpen();
    ZeiAktSetzen((demo.projekt() + "/HV1.01").c_str());
    ASSERT_STREQ(ZeiAktName(), "HV1.01");
    befehl(seite(), 1521);
    ASSERT_GT(dateiZeilen("Betriebsmittel.txt"), 50u) << "the run ran";
    EXPECT_STREQ(ZeiAktName(), "HV1.08");
}

// With paging the result's lines begin with the page column; the page
// shows and copies them without it.
TEST_F(Auswert, APagedResultIsCopiedWithoutItsPageColumn)
{
    std::string vgb = lesen(demo.datei("Standard.vgb"));
    for (const auto& [alt, neu] : {std::pair<std::string, std::string>{"LBtmseiten      0", "LBtmseiten      1"},
                                   {"LBtmzeilen      0", "LBtmzeilen      60"}}) {
        const size_t p = vgb.find(alt);
        ASSERT_NE(p, std::string::npos) << alt;
        vgb.replace(p, alt.size(), neu);
    }
    std::ofstream(demo.datei("Standard.vgb"), std::ios::binary | std::ios::trunc) << vgb;
    befehl(seite(), 1521);
    ASSERT_EQ(lesen(demo.datei("Betriebsmittel.txt")).substr(0, 6), "1  -A1") << "paged";
    klick(0, false);
    ProfilZahlSchreiben("ArbPlatz", "ExpCsvTab", 0);
    ProfilZahlSchreiben("ArbPlatz", "ExpCsvTxt", 0);
    const std::string csv = demo.datei("Markiert.csv");
    plDateiDialogAntwort(csv.c_str());
    befehl(seite(), 2553);
    EXPECT_EQ(lesen(csv).substr(0, 9), "-A1;11-1;");
}

TEST_F(Auswert, NothingRunsWhileTheDrawingIsChangedAndARewriteWithinASecondReloads)
{
    TzGeaendertSetzen();
    befehl(seite(), 2510);
    TzGeaendertReset();
    EXPECT_EQ(boxen(), std::vector<std::string>{"Zeichnung ge\xE4ndert und nicht gespeichert."});
    EXPECT_FALSE(fs::exists(demo.datei("Betriebsmittel.txt")));
    // A result rewritten with other lines in the same second is shown anew.
    std::ofstream(demo.datei("Betriebsmittel.txt"), std::ios::binary) << "a\r\nb\r\n";
    befehl(seite(), 2590);
    EXPECT_EQ(zeilen(), 2);
    struct stat st;
    ASSERT_EQ(stat(demo.datei("Betriebsmittel.txt").c_str(), &st), 0);
    struct timespec t[2] = {st.st_atim, st.st_mtim};
    // Same size and time: the inputs look unchanged and nothing is loaded.
    std::ofstream(demo.datei("Betriebsmittel.txt"), std::ios::binary) << "a\nb\nc\n";
    ASSERT_EQ(utimensat(AT_FDCWD, demo.datei("Betriebsmittel.txt").c_str(), t, 0), 0);
    befehl(seite(), 2590);
    EXPECT_EQ(zeilen(), 2);
    // The same bytes a nanosecond later, within the same second: loaded.
    t[1].tv_nsec = t[1].tv_nsec == 999999999 ? t[1].tv_nsec - 1 : t[1].tv_nsec + 1;
    ASSERT_EQ(utimensat(AT_FDCWD, demo.datei("Betriebsmittel.txt").c_str(), t, 0), 0);
    befehl(seite(), 2590);
    EXPECT_EQ(zeilen(), 3);
    // A result longer than the list display says how much it shows.
    std::string lang;
    for (int i = 0; i <= LISPOSSUP; ++i) lang += "x\r\n";
    std::ofstream(demo.datei("Betriebsmittel.txt"), std::ios::binary) << lang;
    befehl(seite(), 2590);
    EXPECT_EQ(zeilen(), LISPOSSUP);
    ModusAnwenden(1);
    EXPECT_EQ(status(3), "20000 von 20001 Zeilen angezeigt.");
}

TEST_F(Auswert, AllListsRunsThePreselectedEntriesAndTheCopyOptionsGoToTheIni)
{
    befehl(seite(), 2511);
    HWND alle = wiDlgSuchen("AUSWERTALLE");
    ASSERT_NE(alle, 0u);
    plHeadlessPng(alle, (demo.wurzel() + "/alle.png").c_str());
    if (const char* bild = std::getenv("AW_BILD_ALLE")) fs::copy_file(demo.wurzel() + "/alle.png", bild, fs::copy_options::overwrite_existing);
    ASSERT_TRUE(wiDlgBetreten(alle));
    std::vector<int> markiert;
    for (int i = 0; i < wiListeAnzahl(3900); ++i)
        if (wiListeMarkiert(3900, i)) markiert.push_back(i);
    wiDlgVerlassen();
    EXPECT_EQ(markiert, (std::vector<int>{0, 1})) << "the entries whose aktual is 1";
    befehl(alle, 2500);
    plHeadlessPumpen();
    EXPECT_TRUE(fs::exists(demo.datei("Betriebsmittel.txt")));
    EXPECT_TRUE(fs::exists(demo.datei("Artikel.txt")));
    EXPECT_FALSE(fs::exists(demo.datei("Klemmen.txt")));

    befehl(seite(), 2554);
    HWND opt = wiDlgSuchen("AUSWERTOPT");
    ASSERT_NE(opt, 0u);
    ASSERT_TRUE(wiDlgBetreten(opt));
    wiKnopfSetzen(3000, 1);
    wiKnopfSetzen(3011, 1);
    wiDlgVerlassen();
    befehl(opt, 2500);
    EXPECT_EQ(ProfilZahlLesen("ArbPlatz", "ExpClpTxt"), 1);
    EXPECT_EQ(ProfilZahlLesen("ArbPlatz", "ExpClpTab"), 0);
    EXPECT_EQ(ProfilZahlLesen("ArbPlatz", "ExpCsvTab"), 1);
}

TEST_F(Auswert, TheDefinitionDialogStartsWithItsUnsavedValues)
{
    befehl(seite(), 1520);
    HWND dlg = wiDlgSuchen("AUSWERTEN");
    ASSERT_NE(dlg, 0u);
    plHeadlessPng(dlg, (demo.wurzel() + "/auswerten.png").c_str());
    if (const char* bild = std::getenv("AW_BILD_DLG")) fs::copy_file(demo.wurzel() + "/auswerten.png", bild, fs::copy_options::overwrite_existing);
    ASSERT_TRUE(wiDlgBetreten(dlg));
    EXPECT_TRUE(IsWindowVisible(wiItem(3000))) << "identifier patterns for the equipment list";
    EXPECT_FALSE(IsWindowVisible(wiItem(3200))) << "no component but for label sheets";
    wiTextSetzen(3100, "  ");
    wiDlgVerlassen();
    befehl(dlg, 2500);
    EXPECT_EQ(boxen(), std::vector<std::string>{"Sie m\xFCssen einen Namen f\xFCr das Resultat angeben."});
    ASSERT_EQ(wiDlgSuchen("AUSWERTEN"), dlg) << "the dialog stays for the name";
    ASSERT_TRUE(wiDlgBetreten(dlg));
    wiTextSetzen(3100, "Anders.txt");
    wiDlgVerlassen();
    befehl(dlg, 2500);
    EXPECT_TRUE(fs::exists(demo.datei("Anders.txt")));
    EXPECT_FALSE(fs::exists(demo.datei("Betriebsmittel.txt")));
    EXPECT_EQ(wiDlgSuchen("AUSWERTEN"), 0u) << "closed: Schliessen is checked";
}

TEST_F(Auswert, TheWholeResultAsCsvAndTheLabelSheetsListedWithoutTheirBackups)
{
    ProfilZahlSchreiben("ArbPlatz", "ExpCsvTab", 0);
    ProfilZahlSchreiben("ArbPlatz", "ExpCsvTxt", 0);
    const std::string csv = demo.datei("Ganz.csv");
    plDateiDialogAntwort(csv.c_str());
    befehl(seite(), 2557);
    ASSERT_TRUE(fs::exists(csv));
    const size_t n = dateiZeilen("Betriebsmittel.txt");
    ASSERT_GT(n, 50u);
    EXPECT_EQ(dateiZeilen("Ganz.csv"), n) << "one CSV row per record";
    EXPECT_EQ(lesen(csv).substr(0, 9), "-A1;11-1;");

    AuswertTitelZeigen("Schilder");
    plHeadlessPumpen();
    EXPECT_EQ(status(3), "Schilder");
    EXPECT_EQ(zeilen(), 1) << "no sheet: one row saying so";
    fs::copy_file(demo.datei("HV1.01"), demo.datei("Schild.1"));
    fs::copy_file(demo.datei("HV1.01"), demo.datei("Schild.BAK"));
    befehl(seite(), 2590);
    EXPECT_EQ(zeilen(), 1);
    EXPECT_EQ(lesen(demo.datei("Schild.tmp")).substr(0, 20), "Schild.1            ");
}

// Every catalogue entry run through the page on the demo, and the CSV
// export of every text type: results, CSV files, the missing-article file
// and the label sheets (as text) equal the expected files, and Python's csv
// module reads each CSV with its separator.
TEST_F(Auswert, EveryCatalogueEntryRunFromThePageGivesItsExpectedFiles)
{
    ProfilZahlSchreiben("ArbPlatz", "ExpCsvTab", 0);
    ProfilZahlSchreiben("ArbPlatz", "ExpCsvTxt", 1);
    const std::string soll = std::string(VELMO_TEST_DATA) + "/lists/demo/";
    const std::string py = demo.wurzel() + "/zellenzahl.py";
    std::ofstream(py) << "import csv,sys\n"
                         "rows=list(csv.reader(open(sys.argv[1],encoding='cp1252',newline=''),delimiter=';'))\n"
                         "lines=open(sys.argv[1],'rb').read().count(b'\\n')\n"
                         "sys.exit(0 if len(rows)==lines else 1)\n";
    for (int i = 0; i < AwAnzahl(); ++i) {
        const std::string name = AwName(i);
        SCOPED_TRACE(name);
        AuswertTitelZeigen(name.c_str());
        plHeadlessPumpen();
        befehl(seite(), 2510);
        const int typ = AwTyp(i);
        awoptionen o;
        char praefix[21];
        AwEintrag(i, nullptr, nullptr, praefix, nullptr, nullptr);
        AwOptionenLaden(o, praefix, typ);
        if (typ == 2) {
            for (int n = 1; fs::exists(demo.datei("Schild." + std::to_string(n))); ++n) {
                const std::string blatt = "Schild." + std::to_string(n);
                ASSERT_EQ(ZeiAlsText(demo.datei(blatt).c_str(), (demo.wurzel() + "/blatt.txt").c_str()), 0);
                EXPECT_TRUE(golden::text(soll + blatt + ".txt", lesen(demo.wurzel() + "/blatt.txt")));
            }
            continue;
        }
        EXPECT_TRUE(golden::text(soll + o.datei, lesen(demo.datei(o.datei))));
        if (typ == 2 || typ == 7 || typ == 8) continue;
        const std::string csv = demo.datei(o.datei + ".csv");
        plDateiDialogAntwort(csv.c_str());
        befehl(seite(), 2557);
        EXPECT_TRUE(golden::text(soll + o.datei + ".csv", lesen(csv)));
        EXPECT_EQ(std::system(("python3 " + py + " " + csv).c_str()), 0) << csv;
    }
    // The article list's missing articles, and the attribute texts of the
    // attribute list that name no article, in the file its defaults name.
    for (const char* fehlt : {"LagerArtikelFehlt.txt", "AttributeFehlt.txt"}) {
        SCOPED_TRACE(fehlt);
        ASSERT_TRUE(fs::exists(demo.datei(fehlt)));
        EXPECT_TRUE(golden::text(soll + fehlt, lesen(demo.datei(fehlt))));
    }
}

// "Auswertung kopieren" puts the whole result as CSV on the clipboard,
// "Einstellen..." of the definition dialog opens the entry's defaults group,
// and a double click on a listed label sheet shows it in the viewer.
TEST_F(Auswert, CopyToClipboardSettingsAndALabelSheetShownByDoubleClick)
{
    AuswertTitelZeigen("Betriebsmittelliste");
    plHeadlessPumpen();
    ProfilZahlSchreiben("ArbPlatz", "ExpClpTab", 0);
    ProfilZahlSchreiben("ArbPlatz", "ExpClpTxt", 0);
    befehl(seite(), 2556);
    std::vector<char> clip(1 << 20);
    ASSERT_NE(wiClipHolen(clip.data(), static_cast<int>(clip.size())), nullptr);
    const std::string text(clip.data());
    const std::string soll = lesen(std::string(VELMO_TEST_DATA) + "/lists/demo/Betriebsmittel.txt");
    const auto n = std::count(soll.begin(), soll.end(), '\n');
    ASSERT_GT(n, 50);
    EXPECT_EQ(text.substr(0, 31), "-A1;11-1;SPS Hallensteuerung;\r\n") << text.substr(0, 80);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), n) << "one row per record of the result";

    befehl(seite(), 1520);
    HWND dlg = wiDlgSuchen("AUSWERTEN");
    ASSERT_NE(dlg, 0u);
    befehl(dlg, 2501);
    HWND gruppe = wiDlgSuchen("VorEditGB");
    ASSERT_NE(gruppe, 0u) << "the defaults group of the entry";
    plHeadlessPng(gruppe, (demo.wurzel() + "/gruppe.png").c_str());
    if (const char* bild = std::getenv("AW_BILD_GRUPPE")) fs::copy_file(demo.wurzel() + "/gruppe.png", bild, fs::copy_options::overwrite_existing);
    befehl(gruppe, 2);
    befehl(dlg, 2502);
    EXPECT_EQ(wiDlgSuchen("AUSWERTEN"), 0u);

    AuswertTitelZeigen("Schilder");
    plHeadlessPumpen();
    fs::copy_file(demo.datei("HV1.04"), demo.datei("Schild.1"));
    befehl(seite(), 2590);
    ASSERT_EQ(zeilen(), 1);
    POINT p = plHeadlessPunkt(GetDlgItem(seite(), AWSLISTE), 30, 3);
    plHeadlessKlick(p.x, p.y);
    plHeadlessKlick(p.x, p.y);
    plHeadlessPumpen();
    EXPECT_EQ(Modus(), MODUS_ANZ);
    char gezeigt[SHOWPFADSUP + 1] = "";
    ShowPfadHolen(gezeigt, sizeof gezeigt);
    EXPECT_EQ(fs::path(gezeigt).filename().string(), "Schild.1");
    if (const char* bild = std::getenv("AW_BILD_ANSICHT")) plHeadlessPng(ShowFenster(), bild);
}

}  // namespace
