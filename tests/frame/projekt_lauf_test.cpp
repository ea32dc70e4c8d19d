// The project page's dialogs tried as a new user would: the real frame
// started on the headless backend over a working copy of the demo project
// (with a two-page data sheet beside the drawings), driven by keys and
// clicks. The batch export: every entry marked (Ctrl+A), the export dialog
// opened (Ctrl+E); the PDF run is read back by qpdf (check, pages, outline),
// the SVG and TXT runs with the index by the folder's files and xmllint.
// The spell check of the properties dialog over two runs, the manual at the
// page's topic (F1) and the program information from the menu.
#define POINTERHOLDER_TRANSITION 4
#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "controls/lisanzeige.h"
#include "frame/anw.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/drucker.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/pdfbib.h"
#include "platform/shell.h"
#include "platform/winconst.h"
#include "model/zeichnun.h"
#include "project/hbview.h"
#include "project/pvwliste.h"
#include "support/datum.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "tests/tools/demokopie.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/langdlg.h"

namespace fs = std::filesystem;

namespace {

using seitepruef::feld;
using seitepruef::klick;
using seitepruef::lesen;
using seitepruef::pumpen;
using seitepruef::tippen;

std::vector<std::string>& gestartet()
{
    static std::vector<std::string> g;
    return g;
}

// A two-page PDF made by the platform's PDF library.
void datenblatt(const fs::path& p)
{
    const int b = DPLCreateLibrary();
    ASSERT_GT(b, 0);
    ASSERT_GT(DPLNewDocument(b), 0);
    ASSERT_GT(DPLNewPage(b), 0);
    ASSERT_EQ(DPLSaveToFile(b, pdfbibBreit(p.string()).c_str()), 1);
    DPLReleaseLibrary(b);
}

std::string prozentDekodiert(const std::string& s)
{
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            r += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            r += s[i];
        }
    }
    return r;
}

std::vector<std::string> hrefs(const std::string& html)
{
    std::vector<std::string> h;
    for (size_t p = html.find("href=\""); p != std::string::npos; p = html.find("href=\"", p + 1)) {
        const size_t a = p + 6;
        h.push_back(html.substr(a, html.find('"', a) - a));
    }
    return h;
}

class ProjektLauf : public ::testing::Test {
protected:
    DemoKopie demo;
    fs::path vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    void SetUp() override
    {
        const fs::path w = demo.wurzel();
        rahmenOrdnerEinrichten(w);
        datenblatt(w / "Projekt" / "Datenblatt.pdf");
        vorher = fs::current_path();
        fs::current_path(w);
        gestartet().clear();
    }

    void starten()
    {
        fs::current_path(demo.wurzel());  // a run leaves the project folder as the working folder
        plShellStarterSetzen([](const std::vector<std::string>& woerter, const std::string&) {
            std::string z;
            for (const std::string& x : woerter) z += (z.empty() ? "" : " ") + x;
            gestartet().push_back(z);
            return 0;
        });
        rahmenStarten(args, argv, {"-W=1", "Projekt"});
        if (HasFatalFailure()) return;
        pumpen();
        plNachrichtBoxFragenLeeren();
    }

    // Closes the program as the user does (its end writes the word lists).
    void beenden()
    {
        if (anwLaufZustand() == 2) {
            PostMessage(anwHauptfenster(), WM_CLOSE, 0, 0);
            EXPECT_EQ(anwLauf(), 0);
            anwSchluss();
        }
    }

    // A key of the project's defaults set, before the start.
    void vorgabe(const std::string& schluessel, const std::string& wert)
    {
        const fs::path p = fs::path(demo.wurzel()) / "Projekt" / "Standard.vgb";
        std::string t = lesen(p);
        const size_t a = t.find("\r\n" + schluessel + " ");
        ASSERT_NE(a, std::string::npos) << schluessel;
        const size_t e = t.find("\r\n", a + 2);
        t.replace(a + 2, e - a - 2, schluessel + std::string(16 - schluessel.size(), ' ') + wert);
        std::ofstream(p, std::ios::binary) << t;
    }

    void TearDown() override
    {
        beenden();
        plShellStarterSetzen(nullptr);
        plDateiDialogSkriptLeeren();
        plFensterSystemEnde();
        fs::current_path(vorher);
    }

    static void strg(UINT taste)
    {
        plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessTaste(taste);
        plHeadlessTasteHoch(VK_CONTROL);
        pumpen();
    }

    // A click into the drawing list, then Ctrl+A marks every row.
    static void allesMarkieren()
    {
        HWND liste = GetDlgItem(rahmenSeite(MODUS_PVW), 3000);
        ASSERT_NE(liste, 0u);
        const POINT p = plHeadlessPunkt(liste, 20, 5);
        plHeadlessKlick(p.x, p.y);
        pumpen();
        strg('A');
    }

    // Ctrl+E on the project page; the dialog is up afterwards.
    static HWND exportDialog()
    {
        strg('E');
        return wiDlgSuchen("Export");
    }

    // The target folder chosen with "Wählen..." next to it (the chooser
    // takes an existing folder).
    static void zielWaehlen(HWND dlg, const fs::path& ziel)
    {
        fs::create_directories(ziel);
        plDateiDialogAntwort(ziel.string().c_str());
        klick(dlg, 2510);
        EXPECT_EQ(feld(dlg, 3010), ziel.string() + "/");
    }

    // The kind picked from the open combo list with the arrow keys.
    // The format of row `schritte` (0 PDF): the list dropped, Home, down.
    static void artWaehlen(HWND dlg, int schritte)
    {
        klick(dlg, 3030);
        plHeadlessTaste(VK_HOME);
        pumpen();
        for (int i = 0; i < schritte; ++i) {
            plHeadlessTaste(VK_DOWN);
            pumpen();
        }
        plHeadlessTaste(VK_RETURN);
        pumpen();
    }

};

TEST_F(ProjektLauf, ExportPdfOfEveryMarkedEntry)
{
    starten();
    allesMarkieren();
    const int zeichnungen = PvwZeiAnzahl();
    ASSERT_EQ(zeichnungen, 16);  // the sheets HV1.01..15 and Plan.001
    HWND dlg = exportDialog();
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(std::atoi(feld(dlg, 3000).c_str()), zeichnungen) << feld(dlg, 3000);
    EXPECT_EQ(feld(dlg, 3020), "Projekt.pdf") << "the default \"@ZO\" filled in with the folder's name";
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, 3050)));
    EXPECT_EQ(SendMessage(GetDlgItem(dlg, 3052), BM_GETCHECK, 0, 0), BST_CHECKED);

    EXPECT_EQ(plHeadlessPng(dlg, (std::string(::testing::TempDir()) + "export.png").c_str()), 0);
    const fs::path ziel = fs::path(demo.wurzel()) / "Ausgabe";
    zielWaehlen(dlg, ziel);
    tippen(dlg, 3020, "Mappe.pdf");
    EXPECT_EQ(feld(dlg, 3020), "Mappe.pdf");
    // A desktop with a PDF viewer.
    plShellZuordnungSetzen([](const std::string&, std::string* programm) {
        *programm = "/usr/bin/pdfansicht";
        return true;
    });
    klick(dlg, 2500);
    plShellZuordnungSetzen(nullptr);
    EXPECT_EQ(wiDlgSuchen("Export"), 0u) << "the dialog closes after the run";
    const fs::path pdf = ziel / "Mappe.pdf";
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(plNachrichtBoxFragen().size(), 0u) << (plNachrichtBoxFragen().empty() ? "" : plNachrichtBoxFragen()[0].text);
    // "Erzeugte Datei öffnen" handed the document to the desktop.
    ASSERT_EQ(gestartet().size(), 1u);
    EXPECT_EQ(gestartet()[0], "xdg-open " + pdf.string());

    // Without a viewer it says so in one line and starts nothing.
    gestartet().clear();
    plShellZuordnungSetzen([](const std::string&, std::string*) { return false; });
    dlg = exportDialog();
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(fs::path(feld(dlg, 3010)), fs::path(ziel.string() + "/")) << "the folder of the last run";
    tippen(dlg, 3020, "Mappe2.pdf");
    klick(dlg, 2500);
    plShellZuordnungSetzen(nullptr);
    EXPECT_TRUE(gestartet().empty());
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text,
              "PDF-Datei " + (ziel / "Mappe2.pdf").string() +
                  " geschrieben; kein Programm zum Anzeigen von PDF-Dateien gefunden.");

    EXPECT_EQ(std::system(("qpdf --check '" + pdf.string() + "' > /dev/null").c_str()), 0);
    QPDF q;
    q.processFile(pdf.string().c_str());
    EXPECT_EQ(QPDFPageDocumentHelper(q).getAllPages().size(), static_cast<size_t>(zeichnungen + 2));
    // The subtitles in list order, each with its drawings; the data sheet
    // below the last one.
    std::vector<std::string> oben, unten;
    QPDFOutlineDocumentHelper o(q);
    for (auto& t : o.getTopLevelOutlines()) {
        oben.push_back(t.getTitle());
        for (auto& k : t.getKids()) unten.push_back(t.getTitle() + " / " + k.getTitle());
    }
    // "Plan.001" comes after the HV1 sheets by name and takes the subtitle
    // of its number again.
    const std::vector<std::string> soll = {"Allgemeines ", "Energieversorgung ", "Antriebe ", "Steuerung ", "SPS ",
                                           "Dokumentation ", "Allgemeines "};
    ASSERT_EQ(oben.size(), soll.size());
    for (size_t i = 0; i < soll.size(); ++i) EXPECT_EQ(oben[i].rfind(soll[i], 0), 0u) << oben[i];
    ASSERT_EQ(unten.size(), static_cast<size_t>(zeichnungen + 1));
    EXPECT_EQ(unten.front().rfind(oben[0] + " / 01  ", 0), 0u) << unten.front();
    EXPECT_EQ(unten[2].rfind(oben[1] + " / 03  ", 0), 0u) << unten[2];
    EXPECT_EQ(unten[zeichnungen - 2].rfind(oben[5] + " / 15  ", 0), 0u) << unten[zeichnungen - 2];
    EXPECT_EQ(unten[zeichnungen - 1].rfind(oben[6] + " / 001  ", 0), 0u) << unten[zeichnungen - 1];
    EXPECT_EQ(unten.back().rfind(oben[6] + " / ", 0), 0u) << unten.back();
    EXPECT_NE(unten.back().find("Datenblatt"), std::string::npos) << unten.back();
}

// After a switch to another folder the shipped default name "@ZO.pdf"
// still names the document after the project folder.
TEST_F(ProjektLauf, ExportDefaultNameFollowsTheFolderAfterASwitch)
{
    const fs::path zweit = fs::path(demo.wurzel()) / "Anlage Nord";
    fs::copy(fs::path(demo.wurzel()) / "Projekt", zweit, fs::copy_options::recursive);
    starten();
    OrdnerOeffnenPost(zweit.string().c_str());
    pumpen();
    allesMarkieren();
    HWND dlg = exportDialog();
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(feld(dlg, 3020), "Anlage Nord.pdf");
    const fs::path ziel = fs::path(demo.wurzel()) / "Ausgabe";
    zielWaehlen(dlg, ziel);
    klick(dlg, 2500);
    EXPECT_TRUE(fs::exists(ziel / "Anlage Nord.pdf"));
    EXPECT_FALSE(fs::exists(ziel / ".pdf"));
}

TEST_F(ProjektLauf, ExportSvgAndTextWithIndex)
{
    starten();
    allesMarkieren();
    const fs::path ziel = fs::path(demo.wurzel()) / "Web";
    std::string ersteSeite;
    std::vector<std::string> ersteDateien;
    for (int lauf = 0; lauf < 2; ++lauf) {
        HWND dlg = exportDialog();
        ASSERT_NE(dlg, 0u);
        if (lauf == 1) {
            EXPECT_EQ(feld(dlg, 3020), "@Z.svg") << "the format of the last run";
        }
        artWaehlen(dlg, 4);
        ASSERT_EQ(feld(dlg, 3020), "@Z.svg") << "SVG chosen";
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dlg, 3050)));
        EXPECT_NE(SendMessage(GetDlgItem(dlg, 3052), BM_GETCHECK, 0, 0), BST_CHECKED);
        klick(dlg, 3050);
        EXPECT_EQ(SendMessage(GetDlgItem(dlg, 3050), BM_GETCHECK, 0, 0), BST_CHECKED);
        zielWaehlen(dlg, ziel);
        EXPECT_EQ(plHeadlessPng(dlg, (std::string(::testing::TempDir()) + "export_svg.png").c_str()), 0);
        klick(dlg, 2500);
        EXPECT_EQ(wiDlgSuchen("Export"), 0u);
        EXPECT_TRUE(gestartet().empty()) << gestartet()[0];

        std::vector<std::string> dateien;
        for (const auto& e : fs::directory_iterator(ziel)) dateien.push_back(e.path().filename().string());
        std::sort(dateien.begin(), dateien.end());
        const std::string html = lesen(ziel / "Inhalt.html");
        if (lauf == 1) {
            // The second run overwrote and ended the same.
            EXPECT_EQ(dateien, ersteDateien);
            EXPECT_EQ(html, ersteSeite);
            break;
        }
        ersteDateien = dateien;
        ersteSeite = html;
        for (int i = 1; i <= 15; ++i) {
            const std::string n = std::string("HV1.") + (i < 10 ? "0" : "") + std::to_string(i) + ".svg";
            EXPECT_TRUE(fs::exists(ziel / n)) << n;
        }
        // An outside reader takes the drawings.
        for (const char* n : {"HV1.01.svg", "HV1.07.svg", "HV1.14.svg"})
            EXPECT_EQ(std::system(("rsvg-convert '" + (ziel / n).string() + "' > /dev/null").c_str()), 0) << n;
        EXPECT_EQ(std::system(("xmllint --html --noout '" + (ziel / "Inhalt.html").string() + "'").c_str()), 0);
        // Every link names a written file, in list order.
        const std::vector<std::string> h = hrefs(html);
        ASSERT_EQ(h.size(), 16u);
        for (size_t i = 0; i < h.size(); ++i) {
            EXPECT_TRUE(fs::exists(ziel / prozentDekodiert(h[i]))) << h[i];
            if (i > 0) {
                EXPECT_LT(h[i - 1], h[i]);
            }
        }
        // Each subtitle heads its first drawing.
        const char* const unter[][2] = {{"Allgemeines", "HV1.01"}, {"Energieversorgung", "HV1.03"},
                                        {"Antriebe", "HV1.07"},    {"Steuerung", "HV1.09"},
                                        {"SPS", "HV1.11"},         {"Dokumentation", "HV1.13"}};
        size_t vorige = 0;
        for (const auto& u : unter) {
            const size_t k = html.find(std::string("<h2>\n") + u[0] + "\n");
            const size_t z = html.find(std::string("href=\"") + u[1] + ".svg\"");
            EXPECT_TRUE(vorige <= k && k < z) << u[0];
            vorige = z;
        }
        char heute[16];
        dattextheute(heute, sizeof heute);
        EXPECT_NE(html.find(std::string(heute) + "<p>"), std::string::npos) << heute;
    }

    // Text form with the index into another folder.
    HWND dlg = exportDialog();
    ASSERT_NE(dlg, 0u);
    artWaehlen(dlg, 3);
    ASSERT_EQ(feld(dlg, 3020), "@Z.txt");
    klick(dlg, 3050);
    const fs::path text = fs::path(demo.wurzel()) / "Text";
    zielWaehlen(dlg, text);
    klick(dlg, 2500);
    int txt = 0;
    for (const auto& e : fs::directory_iterator(text)) txt += e.path().extension() == ".txt" ? 1 : 0;
    EXPECT_EQ(txt, 16);
    EXPECT_EQ(hrefs(lesen(text / "Inhalt.html")).size(), 16u);
}

}  // namespace

namespace {

// The entry name of the page's cursor row ("" when none).
std::string cursorEintrag()
{
    HWND seite = rahmenSeite(MODUS_PVW);
    if (wiDlgBetreten(seite) < 0) return "";
    const int zeile = LisAkt(3000);
    wiDlgVerlassen();
    char n[PVWNAMESUP + 1] = "";
    return PvwEintragName(zeile, n) > 0 ? fs::path(n).filename().string() : "";  // a PDF row names its path
}

// The cursor row set to an entry: a click into the list, then the arrow
// keys until the row is reached.
void laufZeileWaehlen(const char* name)
{
    HWND liste = GetDlgItem(rahmenSeite(MODUS_PVW), 3000);
    ASSERT_NE(liste, 0u);
    const POINT p = plHeadlessPunkt(liste, 20, 5);
    plHeadlessZeitVor(1000);  // not the second click of a double click
    plHeadlessKlick(p.x, p.y);
    pumpen();
    plHeadlessTaste(VK_HOME);
    pumpen();
    for (int i = 0; i < 40 && cursorEintrag() != name; ++i) {
        plHeadlessTaste(VK_DOWN);
        pumpen();
    }
    ASSERT_EQ(cursorEintrag(), name);
}

// "Eigenschaften..." from the row's context menu (Applications key, four
// steps down, Enter).
HWND eigenschaften()
{
    plHeadlessTaste(VK_APPS);
    for (int i = 0; i < 4; ++i) plHeadlessTaste(VK_DOWN);
    plHeadlessTaste(VK_RETURN);
    pumpen();
    return wiDlgSuchen("ZeiEigen");
}

std::vector<std::string> vorschlaege(HWND rs)
{
    std::vector<std::string> v;
    const int n = static_cast<int>(SendDlgItemMessage(rs, 3100, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char t[200] = "";
        SendDlgItemMessage(rs, 3100, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
        v.push_back(t);
    }
    return v;
}

}  // namespace

TEST_F(ProjektLauf, SpellCheckOfThePropertiesOverTwoRuns)
{
    vorgabe("SpllUse", "1");
    vorgabe("SpllSofort", "1");
    starten();
    laufZeileWaehlen("HV1.01");
    HWND dlg = eigenschaften();
    ASSERT_NE(dlg, 0u);
    tippen(dlg, 3010, "Schaltschrnak");
    plHeadlessTaste(VK_RETURN);
    pumpen();
    HWND rs = wiDlgSuchen("RSCHREIB");
    ASSERT_NE(rs, 0u) << "Enter checks the typed text first";
    EXPECT_EQ(feld(rs, 3020), "Schaltschrnak");
    const std::vector<std::string> v = vorschlaege(rs);
    const auto gut = std::find(v.begin(), v.end(), "Schaltschrank");
    ASSERT_NE(gut, v.end());
    EXPECT_EQ(plHeadlessPng(rs, (std::string(::testing::TempDir()) + "rschreib_lauf.png").c_str()), 0);
    // The suggestion clicked, then Enter replaces.
    RECT r{};
    SendDlgItemMessage(rs, 3100, LB_GETITEMRECT, static_cast<WPARAM>(gut - v.begin()), reinterpret_cast<LPARAM>(&r));
    const POINT p = plHeadlessPunkt(GetDlgItem(rs, 3100), r.left + 5, r.top + 2);
    plHeadlessKlick(p.x, p.y);
    pumpen();
    EXPECT_EQ(feld(rs, 3010), "Schaltschrank");
    plHeadlessTaste(VK_RETURN);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("RSCHREIB"), 0u);
    EXPECT_EQ(wiDlgSuchen("ZeiEigen"), 0u) << "the properties were saved after the check";
    ZeiKopf k{};
    ASSERT_EQ(ZeiKopfLesen((fs::path(demo.wurzel()) / "Projekt" / "HV1.01").c_str(), &k), 0);
    EXPECT_STREQ(k.titel[0], "Schaltschrank");
    beenden();
    EXPECT_NE(lesen(fs::path(demo.wurzel()) / "konfig" / "Velmo" / "ersetzen.spell").find("Schaltschrnak\tSchaltschrank"),
              std::string::npos);

    // The next run proposes the replacement at once.
    starten();
    laufZeileWaehlen("HV1.02");
    dlg = eigenschaften();
    ASSERT_NE(dlg, 0u);
    tippen(dlg, 3010, "Schaltschrnak");
    plHeadlessTaste(VK_RETURN);
    pumpen();
    rs = wiDlgSuchen("RSCHREIB");
    ASSERT_NE(rs, 0u);
    EXPECT_EQ(feld(rs, 3010), "Schaltschrank");
}

TEST_F(ProjektLauf, ManualAtThePagesTopicAndProgramInformation)
{
    starten();
    // The page's buttons for new, edit, view, print and delete are there.
    for (int id = 2500; id <= 2504; ++id) {
        HWND k = GetDlgItem(rahmenSeite(MODUS_PVW), id);
        EXPECT_TRUE(k != 0 && IsWindowVisible(k)) << id;
    }
    laufZeileWaehlen("HV1.01");
    plHeadlessTaste(VK_F1);
    pumpen();
    HWND h = wiDlgSuchen("PDFHilfe");
    ASSERT_NE(h, 0u);
    EXPECT_TRUE(plNachrichtBoxFragen().empty()) << plNachrichtBoxFragen()[0].text;
    // The page's topic "PROVERW" names the bookmark of the project page.
    int seite = -1;
    for (const HilfeLesezeichen& l : HilfeGliederung())
        if (l.titel == "Projektverwaltung (Seite Projekt)") seite = l.seite;
    EXPECT_GT(seite, 0);
    EXPECT_EQ(HilfeAktuelleSeite(), seite);
    EXPECT_EQ(feld(h, 5000), "Projektverwaltung (Seite Projekt)");
    EXPECT_EQ(plHeadlessPng(h, (std::string(::testing::TempDir()) + "pdfhilfe_lauf.png").c_str()), 0);
    plHeadlessTaste(VK_ESCAPE);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("PDFHilfe"), 0u);

    // "Information..." of the Help menu: Alt+H, three steps down, Enter; a
    // click on the picture closes it.
    plHeadlessTasteRunter(VK_MENU);
    plHeadlessTaste('H');
    plHeadlessTasteHoch(VK_MENU);
    for (int i = 0; i < 3; ++i) plHeadlessTaste(VK_DOWN);
    plHeadlessTaste(VK_RETURN);
    pumpen();
    HWND info = wiDlgSuchen("ZvCopy");
    ASSERT_NE(info, 0u);
    EXPECT_EQ(plHeadlessPng(info, (std::string(::testing::TempDir()) + "zvcopy_lauf.png").c_str()), 0);
    klick(info, 4000);
    EXPECT_EQ(wiDlgSuchen("ZvCopy"), 0u);
}

// A drawing made with Ctrl+N and Enter after the cursor row and deleted
// again with Del leaves the project's files as they were; the marked data
// sheet goes to the print spooler (Ctrl+P); Ctrl+O without a viewer
// program shows the drawing in the viewer mode.
TEST_F(ProjektLauf, NewDeletePrintAndViewFromThePage)
{
    starten();
    const fs::path projekt = fs::path(demo.wurzel()) / "Projekt";
    // Every file of the project with its bytes.
    auto stand = [&] {
        std::map<std::string, std::string> m;
        for (const auto& d : fs::directory_iterator(projekt)) m[d.path().filename().string()] = lesen(d.path());
        return m;
    };
    const auto vorher = stand();
    ASSERT_TRUE(vorher.count("BMittel.zvk"));

    laufZeileWaehlen("HV1.15");
    strg('N');
    HWND dlg = wiDlgSuchen("ZeiAnlegen");
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(feld(dlg, 3010), "16") << "the next number is proposed";
    plHeadlessTaste(VK_RETURN);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("ZeiAnlegen"), 0u);
    EXPECT_TRUE(fs::exists(projekt / "HV1.16"));
    EXPECT_STREQ(PvwCursorName(), "HV1.16");
    plHeadlessTaste(VK_DELETE);
    pumpen();
    HWND loeschen = wiDlgSuchen("ZeiLoesch");
    ASSERT_NE(loeschen, 0u);
    klick(loeschen, 2500);
    EXPECT_FALSE(fs::exists(projekt / "HV1.16"));
    const auto nachher = stand();
    for (const auto& [n, t] : vorher) {
        ASSERT_TRUE(nachher.count(n)) << n;
        EXPECT_TRUE(nachher.at(n) == t) << n;
    }
    // The refresh writes the table of contents; nothing else is new.
    for (const auto& [n, t] : nachher) EXPECT_TRUE(vorher.count(n) || n == "Inhalt.txt") << "left: " << n;

    // The data sheet's row alone, printed: the print dialog answered with a
    // file printer, the PDF file handed to the spooler (the recording
    // starter stands for starting programs).
    laufZeileWaehlen("Datenblatt.pdf");
    plDruckEinstellung e;
    e.datei = (fs::path(demo.wurzel()) / "druck.pdf").string();
    plDruckDialogAntwort(e);
    strg('P');
    ASSERT_EQ(gestartet().size(), 1u);
    EXPECT_EQ(fs::path(gestartet()[0].substr(0, gestartet()[0].find(' '))).filename(), "lp") << gestartet()[0];
    EXPECT_NE(gestartet()[0].find((projekt / "Datenblatt.pdf").string()), std::string::npos) << gestartet()[0];

    laufZeileWaehlen("HV1.03");
    strg('O');
    EXPECT_EQ(ModusSeite(), MODUS_ANZ) << "no viewer program: the viewer mode";
}
