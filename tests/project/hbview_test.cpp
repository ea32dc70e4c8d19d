// The manual viewer over a manual made here by the PDF library: bookmarks,
// the topic index, page stepping, the visible share and rendering.
#include "project/hbview.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "controls/ctlkern.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/fehlersim.h"
#include "platform/nachrichtbox.h"
#include "platform/pdfbib.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "project/hilfe.h"
#include "tests/project/projpruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

using namespace projtest;

namespace {

using V = std::vector<std::string>;

std::string lesen(const std::string& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class HbViewTest : public projpruef::VorgabenTest {
protected:
    void SetUp() override
    {
        VorgabenTest::SetUp();
        projpruef::dialogWirt(ordner.string(), 1100, 700);
        if (HasFatalFailure()) return;
        HilfeStart();
        vorgaben("ZvHlpPfad " + ordner.string() + "\n");
    }
    void TearDown() override
    {
        wiDlgAlleSchliessen();
        HilfeEnde();
        projpruef::dialogWirtEnde();
        VorgabenTest::TearDown();
    }
    // 45 pages, each with its number drawn; a nested outline whose last
    // entry is "Anhang" on page 45.
    void handbuch()
    {
        int b = DPLCreateLibrary();
        ASSERT_GT(b, 0);
        ASSERT_GT(DPLNewDocument(b), 0);
        for (int i = 2; i <= 45; ++i) ASSERT_GT(DPLNewPage(b), 0);
        int schrift = DPLAddStandardFont(b, 1);
        for (int i = 1; i <= 45; ++i) {
            DPLSelectPage(b, i);
            DPLSelectFont(b, schrift);
            DPLSetTextSize(b, 40);
            DPLDrawText(b, 60, 700, (L"Seite " + std::to_wstring(i)).c_str());
            DPLDrawBox(b, 50, 780, 400, 200, 0);
        }
        double h = DPLPageHeight(b);
        int pv = DPLNewOutline(b, 0, L"Projektverwaltung", 2, h);
        ASSERT_GT(DPLNewOutline(b, pv, L"Zeichnungen anlegen", 41, h), 0);
        ASSERT_GT(DPLNewOutline(b, 0, L"Anhang", 45, h), 0);
        ASSERT_EQ(DPLSaveToFile(b, pdfbibBreit((ordner / "Velmo.pdf").string()).c_str()), 1);
        DPLReleaseLibrary(b);
        schreiben((ordner / "PDFIndex.txt").string(),
                  "PROVERW 3 Zeichnungen anlegen\nANHANG 1   anhang  \nOHNETITEL 2\nFALSCH 2 Gibt es nicht\n");
    }
    static HWND dlg() { return wiDlgSuchen("PDFHilfe"); }
    static std::string text(int id)
    {
        char t[100] = "";
        GetDlgItemText(dlg(), id, t, sizeof t);
        return t;
    }
    static void befehl(int id)
    {
        SendMessage(dlg(), WM_COMMAND, static_cast<WPARAM>(id), 0);
        projpruef::dlgPumpen();
    }
    static V boxen()
    {
        V v;
        for (const auto& f : plNachrichtBoxFragen()) v.push_back(f.text);
        plNachrichtBoxFragenLeeren();
        return v;
    }
};

TEST(HbViewRechnung, VisibleShareAndResolution)
{
    EXPECT_EQ(HilfeSichtAnteil(340, 550), 100);
    EXPECT_EQ(HilfeSichtAnteil(680, 340), 31);
    EXPECT_EQ(HilfeSichtAnteil(0, 300), 50);
    EXPECT_EQ(HilfeSichtAnteil(2000, 10), 10);
    EXPECT_EQ(HilfeAufloesung(340), 508);
}

// A page count from the index never takes the last page past int range.
TEST(HbViewIndex, PageCountsAreBounded)
{
    const std::string pfad = "/tmp/velmo_pdfindex_" + std::to_string(::getpid()) + ".txt";
    { std::ofstream(pfad, std::ios::binary) << "RIESIG 99999999999999 Gross\nNULL -3 Klein\nGUT 4 Vier Seiten\n"; }
    const struct {
        const char* thema;
        int r, seiten;
        const char* titel;
    } faelle[] = {{"riesig", 1, HILFESEITENSUP, "Gross"}, {"NULL", 1, 1, "Klein"}, {"GUT", 1, 4, "Vier Seiten"},
                  {"FEHLT", 0, 1, ""}};
    for (const auto& f : faelle) {
        int seiten = 0;
        std::string titel;
        EXPECT_EQ(HilfeIndexSuchen(pfad.c_str(), f.thema, &seiten, &titel), f.r) << f.thema;
        EXPECT_EQ(seiten, f.seiten) << f.thema;
        EXPECT_EQ(titel, f.titel) << f.thema;
    }
    std::remove(pfad.c_str());
    int seiten = 0;
    std::string titel;
    EXPECT_EQ(HilfeIndexSuchen(pfad.c_str(), "GUT", &seiten, &titel), -1);
}

TEST_F(HbViewTest, EveryBookmarkIsReadOncePerRun)
{
    handbuch();
    char pfad[400];
    HandbuchPfad(pfad);
    HandbuchGliederungLaden(pfad);
    ASSERT_EQ(HilfeGliederung().size(), 3u);
    EXPECT_EQ(HilfeGliederung()[1].titel, "Zeichnungen anlegen");
    EXPECT_EQ(HilfeGliederung()[1].seite, 41);
    EXPECT_EQ(HilfeGliederung()[2].titel, "Anhang");
    EXPECT_EQ(HilfeGliederung()[2].seite, 45);
    std::filesystem::remove(ordner / "Velmo.pdf");
    HandbuchGliederungLaden(pfad);
    EXPECT_EQ(HilfeGliederung().size(), 3u);
}

TEST_F(HbViewTest, ATopicShowsItsPagesAndSteppingStaysWithinThem)
{
    handbuch();
    char pfad[400];
    HandbuchPfad(pfad);
    HandbuchGliederungLaden(pfad);
    HilfeThemaZeigen("proverw");
    EXPECT_TRUE(boxen().empty());
    ASSERT_NE(dlg(), 0u);
    projpruef::dlgPumpen();
    EXPECT_EQ(HilfeAktuelleSeite(), 41);
    EXPECT_EQ(text(3010), "(Handbuch S. 41)");
    EXPECT_EQ(text(3011), "Seite 1 von 3");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg(), 2520)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg(), 2521)));
    EXPECT_EQ(plHeadlessPng(dlg(), (std::string(::testing::TempDir()) + "pdfhilfe.png").c_str()), 0);
    // The four buttons are pictures with their tooltips.
    const char* const tipps[][2] = {{"2520", "Vorherige Seite anzeigen"}, {"2521", "N\xE4" "chste Seite anzeigen"},
                                    {"2510", "Handbuch"}, {"2511", "Bauteil-Dokumentation"}};
    for (const auto& t : tipps) {
        const char* tipp = wiTooltipText(GetDlgItem(dlg(), std::atoi(t[0])));
        EXPECT_STREQ(tipp ? tipp : "", t[1]) << t[0];
    }

    // A larger window gives a wider page area, so less of the page fits.
    RECT vor{}, nach{};
    GetClientRect(GetDlgItem(dlg(), 3910), &vor);
    SetWindowPos(dlg(), 0, 0, 0, 900, 500, SWP_NOMOVE | SWP_NOZORDER);
    projpruef::dlgPumpen();
    GetClientRect(GetDlgItem(dlg(), 3910), &nach);
    EXPECT_GT(nach.right, vor.right);
    RECT s{}, d{};
    GetWindowRect(GetDlgItem(dlg(), 3920), &s);
    GetWindowRect(dlg(), &d);
    EXPECT_GT(s.left, d.left + 800) << "the scroll bar keeps to the right edge";
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dlg(), 3920)));
    EXPECT_EQ(plHeadlessPng(dlg(), (std::string(::testing::TempDir()) + "pdfhilfe_breit.png").c_str()), 0);
    // The moved bar is painted, not covered by the dialog's background:
    // its arrows and hatched track differ from the button face.
    {
        HWND sb = GetDlgItem(dlg(), 3920);
        RECT c{};
        GetClientRect(sb, &c);
        int anders = 0;
        for (int y = 0; y < c.bottom; ++y)
            for (int x = 0; x < c.right; ++x) anders += plFensterPixel(sb, x, y) != GetSysColor(COLOR_BTNFACE);
        EXPECT_GT(anders, c.bottom * c.right / 4);
    }

    SendMessage(dlg(), WM_VSCROLL, SB_PAGEDOWN, static_cast<LPARAM>(GetDlgItem(dlg(), 3920)));
    projpruef::dlgPumpen();
    EXPECT_GT(HilfeScrollPosition(), 0);
    befehl(2521);
    EXPECT_EQ(HilfeScrollPosition(), 0) << "a new page starts at its top";
    befehl(2521);
    EXPECT_EQ(text(3011), "Seite 3 von 3");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg(), 2521)));
    befehl(2521);
    EXPECT_EQ(HilfeAktuelleSeite(), 43);
    befehl(2520);
    EXPECT_EQ(HilfeAktuelleSeite(), 42);
}

TEST_F(HbViewTest, UnknownTopicsAndTitlesWarnAndTheLastBookmarkIsFound)
{
    handbuch();
    char pfad[400];
    HandbuchPfad(pfad);
    HandbuchGliederungLaden(pfad);
    HilfeThemaZeigen("Anhang");
    EXPECT_TRUE(boxen().empty());
    EXPECT_EQ(HilfeErsteSeite(), 45);
    HilfeThemaZeigen("NIRGENDS");
    EXPECT_EQ(boxen(), (V{"Hilfethema NIRGENDS nicht gefunden"}));
    EXPECT_EQ(HilfeErsteSeite(), 1);
    EXPECT_EQ(HilfeSeitenAnzahl(), 1);
    HilfeThemaZeigen("OHNETITEL");
    EXPECT_EQ(boxen(), (V{"Hilfethema OHNETITEL nicht gefunden"}));
    HilfeThemaZeigen("FALSCH");
    EXPECT_EQ(boxen(), (V{"Hilfeseite Gibt es nicht zum Thema FALSCH nicht gefunden"}));
    EXPECT_EQ(HilfeErsteSeite(), 1);
    EXPECT_EQ(HilfeSeitenAnzahl(), 2);
    EXPECT_NE(dlg(), 0u);

    std::filesystem::remove(ordner / "PDFIndex.txt");
    wiDlgAlleSchliessen();
    HilfeThemaZeigen("PROVERW");
    EXPECT_EQ(boxen(), (V{(ordner / "PDFIndex.txt").string() + " nicht vorhanden."}));
    EXPECT_EQ(dlg(), 0u);
}

// An index that cannot be read is said as such, not as a topic not found,
// and no page opens. The defaults are read first, in reads not counted
// here: the fault starts one read later each time until it hits the index.
TEST_F(HbViewTest, AnIndexReadShortOpensNothing)
{
    handbuch();
    const V soll{"Kann " + (ordner / "PDFIndex.txt").string() + " nicht lesen."};
    bool gesagt = false;
    for (int k = 1; k < 40 && !gesagt; ++k) {
        wiDlgAlleSchliessen();
        plNachrichtBoxFragenLeeren();
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, k, true);
        HilfeThemaZeigen("PROVERW");
        if (plFehlerAusgeloest(PlFehlerArt::Lesen) == 0) break;
        gesagt = boxen() == soll;
        if (gesagt) {
            EXPECT_EQ(dlg(), 0u);
        }
    }
    EXPECT_TRUE(gesagt);
}

TEST_F(HbViewTest, APageRendersTheSameAfterAnotherDocumentWasSelected)
{
    handbuch();
    char pfad[400];
    HandbuchPfad(pfad);
    HandbuchGliederungLaden(pfad);
    HilfeThemaZeigen("PROVERW");
    projpruef::dlgPumpen();
    std::string vor = std::string(::testing::TempDir()) + "pdfhilfe_vor.png";
    std::string nach = std::string(::testing::TempDir()) + "pdfhilfe_nach.png";
    ASSERT_EQ(plHeadlessPng(dlg(), vor.c_str()), 0);
    // An export on the same library makes and selects a document of its own.
    ASSERT_GT(DPLNewDocument(HilfeBibliothek()), 0);
    InvalidateRect(GetDlgItem(dlg(), 3910), nullptr, FALSE);
    projpruef::dlgPumpen();
    ASSERT_EQ(plHeadlessPng(dlg(), nach.c_str()), 0);
    EXPECT_EQ(lesen(vor), lesen(nach));
}

}  // namespace

namespace {

TEST_F(HbViewTest, F1OpensTheShippedManualAtTheTopicsPage)
{
    // The manual is made with the program and lies beside it in a build tree.
    vorgaben("ZvHlpPfad\n");
    VerSetzen(0, (std::string(VELMO_SOURCE_DIR) + "/data").c_str());
    HilfeSchluesselSetzen("Zavik-ANZ");
    HilfeKontext();
    EXPECT_TRUE(boxen().empty());
    ASSERT_NE(dlg(), 0u);
    projpruef::dlgPumpen();
    EXPECT_EQ(text(5000), "Zeichnungsanzeige");
    EXPECT_EQ(text(3011), "Seite 1 von 1");
    EXPECT_EQ(plHeadlessPng(dlg(), (std::string(::testing::TempDir()) + "pdfhilfe_handbuch.png").c_str()), 0);
    wiDlgAlleSchliessen();
    HilfeThemaZeigen("proverw");
    EXPECT_TRUE(boxen().empty());
    int seite = -1;
    for (const HilfeLesezeichen& l : HilfeGliederung())
        if (l.titel == "Projektverwaltung (Seite Projekt)") seite = l.seite;
    EXPECT_EQ(HilfeAktuelleSeite(), seite);
    HilfeSchluesselSetzen("");
    VerSetzen(0, "");
}

}  // namespace
