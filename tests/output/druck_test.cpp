// Printing, headless, into the file printer: copies and collation, the
// pen section by format, layers, pictures under lines, the paper corner,
// orientation changes, the document name, Cancel in the abort dialog and
// failures by injection; the files read by outside programs.
#include "output/druck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ausgabetest.h"
#include "tests/output/gdigold.h"
#include "output/pdfbind.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/drucker.h"
#include "platform/gdi.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/pdfbib.h"
#include "platform/ressource.h"
#include "winlib/anwdaten.h"

namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> druckSatz()
{
    std::map<std::string, std::string> s = {
        {"Eda3a4", "0"},         {"DrA4BlOri", "1"}, {"DrA4Font", ""},  {"DrA4JusR", "0"}, {"DrA4JusX", "0"},
        {"DrA4JusY", "0"},       {"DrA4JusS", "100"}, {"DrA4StDef0", "5 0 0 0"},           {"DrA3BlOri", "2"},
        {"DrA3Font", ""},        {"DrA3JusR", "0"},  {"DrA3JusX", "0"}, {"DrA3JusY", "0"}, {"DrA3JusS", "100"},
        {"DrA3StDef0", "5 0 0 0"}};
    for (int n = 0; n < 20; ++n) s["LayAnz" + std::to_string(n)] = "1";
    return s;
}

struct Druck : AusgabeTest {
    HINSTANCE vorher = 0;
    void SetUp() override
    {
        AusgabeTest::SetUp();
        satz(druckSatz());
        plDruckDialogSkriptLeeren();
        // The abort dialog lives in the program's own module.
        vorher = anwDaten()->instanz;
        anwDaten()->instanz = GetModuleHandle(nullptr);
    }
    void TearDown() override
    {
        anwDaten()->instanz = vorher;
        plDruckDialogSkriptLeeren();
        AusgabeTest::TearDown();
    }
    void satzMit(const std::map<std::string, std::string>& w)
    {
        auto s = druckSatz();
        for (const auto& [k, v] : w) s[k] = v;
        satz(s);
    }
    void antwort(int kopien = 1, bool sortiert = true, const std::string& datei = "druck.pdf")
    {
        plDruckEinstellung e;
        e.datei = pfad(datei);
        e.kopien = kopien;
        e.sortiert = sortiert;
        plDruckDialogAntwort(e);
    }
    std::string zeich(const std::string& name, const std::string& zeilen, const std::string& format = "ZA4")
    {
        return zeichnung(name, "VER 10\n" + zeilen + format + "\n");
    }
    std::string text(const std::string& datei = "druck.pdf")
    {
        EXPECT_EQ(agAufruf("pdftotext '" + pfad(datei) + "' '" + pfad("t.txt") + "'"), 0);
        return stLesen(pfad("t.txt"));
    }
    std::string info(const std::string& datei = "druck.pdf")
    {
        EXPECT_EQ(agAufruf("{ pdfinfo -f 1 -l 20 '" + pfad(datei) + "' > '" + pfad("i.txt") + "'; }"), 0);
        return stLesen(pfad("i.txt"));
    }
};

// Positions of each occurrence of the words, in text order.
std::vector<std::string> folge(const std::string& t, const std::vector<std::string>& woerter)
{
    std::vector<std::pair<size_t, std::string>> p;
    for (const std::string& w : woerter)
        for (size_t i = t.find(w); i != std::string::npos; i = t.find(w, i + 1)) p.push_back({i, w});
    std::sort(p.begin(), p.end());
    std::vector<std::string> r;
    for (const auto& [i, w] : p) r.push_back(w);
    return r;
}

// An A3 sheet printed on A4 paper is fitted to the paper, and on A3 paper
// it prints whole, its border inside the printable area (1/6 inch all
// round): the border's four sides are on the page, none cut off.
TEST_F(Druck, ASheetLargerThanThePrintableAreaIsFittedWhole)
{
    ASSERT_TRUE(agProgrammDa("pdftoppm"));
    const std::string a3 = zeich("rahmen", "ST 1\n_BA 0,0000 0,0000\nRTK 0 420,0000 297,0000\n", "ZA3");
    struct Fall {
        int papier, lage;
        double breite, hoehe;  // paper, mm
    };
    for (const Fall& f : {Fall{DMPAPER_A4, DMORIENT_PORTRAIT, 210, 297}, Fall{DMPAPER_A4, DMORIENT_LANDSCAPE, 297, 210},
                          Fall{DMPAPER_A3, DMORIENT_LANDSCAPE, 420, 297}}) {
        SCOPED_TRACE(f.papier * 10 + f.lage);
        plDruckEinstellung e;
        e.datei = pfad("druck.pdf");
        e.papier = f.papier;
        e.ausrichtung = f.lage;
        plDruckDialogAntwort(e);
        satzMit({{"DrA3BlOri", "0"}});
        ASSERT_EQ(DruckStart(), 1);
        EXPECT_EQ(ZeichnungDrucken(a3.c_str()), 0);
        DruckEnde();
        ASSERT_EQ(agAufruf("pdftoppm -r 25.4 -png -singlefile '" + pfad("druck.pdf") + "' '" + pfad("seite") + "'"), 0);
        GdiBildPixel b;
        ASSERT_TRUE(gdiGoldLesen(pfad("seite.png"), &b));  // 1 pixel a millimetre
        EXPECT_NEAR(b.w, f.breite, 1);
        const RECT t = b.tinte();
        const double rand = 25.4 / 6;
        EXPECT_GE(t.left, rand - 1);
        EXPECT_GE(t.top, rand - 1);
        EXPECT_LE(t.right, f.breite - rand + 1.5);
        EXPECT_LE(t.bottom, f.hoehe - rand + 1.5);
        // The whole border: its aspect is the sheet's, all four sides drawn.
        EXPECT_NEAR(static_cast<double>(t.right - t.left) / (t.bottom - t.top), 420.0 / 297, 0.03);
        int seiten = 0;
        for (int x : {static_cast<int>(t.left), static_cast<int>(t.right) - 1}) {
            int n = 0;
            for (int y = t.top; y < t.bottom; ++y) n += b.an(x, y) != RGB(255, 255, 255);
            seiten += n > (t.bottom - t.top) * 9 / 10;
        }
        EXPECT_EQ(seiten, 2);
    }
}

TEST_F(Druck, CopiesRunAsPassesWhenCollatedAndAsPagesWhenNot)
{
    const std::string a = zeich("a", "TG 5,0000\nBW 20,0000 100,0000\nTFA \"Eins\"\n");
    const std::string b = zeich("b", "TG 5,0000\nBW 20,0000 100,0000\nTFA \"Zwei\"\n");
    struct Fall {
        bool sortiert;
        int saetze, kopien;
        std::vector<std::string> folge;
    };
    for (const Fall& f : {Fall{true, 5, 1, {"Eins", "Zwei", "Eins", "Zwei", "Eins", "Zwei", "Eins", "Zwei", "Eins", "Zwei"}},
                          Fall{false, 1, 5, {"Eins", "Eins", "Eins", "Eins", "Eins", "Zwei", "Zwei", "Zwei", "Zwei", "Zwei"}}}) {
        antwort(5, f.sortiert);
        ASSERT_EQ(DruckStart(), 1);
        EXPECT_EQ(DruckSatzAnzahl(), f.saetze);
        EXPECT_EQ(DruckSeitenKopien(), f.kopien);
        EXPECT_EQ(DruckDuplex(), 0);
        for (int s = 0; s < DruckSatzAnzahl(); ++s) {
            EXPECT_EQ(ZeichnungDrucken(a.c_str()), 0);
            EXPECT_EQ(ZeichnungDrucken(b.c_str()), 0);
        }
        DruckEnde();
        EXPECT_EQ(folge(text(), {"Eins", "Zwei"}), f.folge) << f.sortiert;
        EXPECT_EQ(agAufruf("qpdf --check '" + pfad("druck.pdf") + "'"), 0);
        EXPECT_NE(info().find("Pages:           10"), std::string::npos);
    }
    EXPECT_TRUE(warnungen().empty());
}

TEST_F(Druck, SectionByFormatAndResetOnlyWhenTheOrientationChanges)
{
    const std::string a4 = zeich("a4", "ZL 10,0000 0,0000\n");
    const std::string a3 = zeich("a3", "ZL 10,0000 0,0000\n", "ZA3");
    for (const char* eda : {"0", "1"}) {
        satzMit({{"Eda3a4", eda}});
        antwort();
        ASSERT_EQ(DruckStart(), 1);
        // "DrA4" (upright, 1) for the A4 drawing whatever "Eda3a4" says.
        EXPECT_EQ(ZeichnungDrucken(a4.c_str()), 0);
        EXPECT_EQ(ZeichnungDrucken(a4.c_str()), 0);
        EXPECT_EQ(DruckResetAnzahl(), 1) << eda;
        EXPECT_EQ(ZeichnungDrucken(a3.c_str()), 0);   // "DrA3": landscape (2)
        EXPECT_EQ(DruckResetAnzahl(), 2) << eda;
        DruckEnde();
        const std::string i = info();
        EXPECT_NE(i.find("Page    1 size:  595.276 x 841.89"), std::string::npos) << i;
        EXPECT_NE(i.find("Page    2 size:  595.276 x 841.89"), std::string::npos) << i;
        EXPECT_NE(i.find("Page    3 size:  841.89 x 595.276"), std::string::npos) << i;
    }
    // "BlOri" 0 keeps the orientation of the page before.
    satzMit({{"DrA3BlOri", "0"}});
    antwort();
    ASSERT_EQ(DruckStart(), 1);
    EXPECT_EQ(ZeichnungDrucken(a4.c_str()), 0);
    EXPECT_EQ(ZeichnungDrucken(a3.c_str()), 0);
    EXPECT_EQ(DruckResetAnzahl(), 1);
    DruckEnde();
    EXPECT_NE(info().find("Page    2 size:  595.276 x 841.89"), std::string::npos);
}

TEST_F(Druck, LayersPicturesAndThePaperCorner)
{
    fs::copy_file(stFixture("bilder/ecke.png"), ordner.projekt / "ecke.png");
    satzMit({{"DrA4BlOri", "2"}, {"DrA4StDef0", "30 0 0 0"}});
    // A filled square at world (10..20, 10..20); a picture placed after a
    // line over it; layer 3 off and on again by LRA (a line moves the
    // position to its end).
    const std::string z = zeich("z", "BW 10,0000 10,0000\nRTK 1 10,0000 10,0000\n"
                                     "BW 110,0000 90,0000\nZL 40,0000 0,0000\nBW -40,0000 -10,0000\n"
                                     "GRF 0 40,0000 20,0000 \"ecke.png\"\n"
                                     "TG 5,0000\nLAY 3\nBW -100,0000 60,0000\nTFA \"Vorher\"\nLRA 3 0\n"
                                     "BW 0,0000 -10,0000\nTFA \"Versteckt\"\nLRA 3 1\nBW 0,0000 -10,0000\n"
                                     "TFA \"Nachher\"\n");
    antwort();
    ASSERT_EQ(DruckStart(), 1);
    EXPECT_EQ(ZeichnungDrucken(z.c_str()), 0);
    DruckEnde();
    const std::string t = text();
    EXPECT_EQ(folge(t, {"Vorher", "Versteckt", "Nachher"}), (std::vector<std::string>{"Vorher", "Nachher"})) << t;
    // The page as the PDF layer renders it at 72 dpi (landscape A4).
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bm = CreateBitmap(842, 596, 1, 32, nullptr);
    HGDIOBJ alt = SelectObject(dc, bm);
    RECT rc{0, 0, 842, 596};
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int inst = PdfLibHolen();
    ASSERT_GT(DPLLoadFromFile(inst, pdfbibBreit(pfad("druck.pdf")).c_str(), L""), 0);
    ASSERT_EQ(DPLRenderPageToDC(inst, 72, 1, dc), 1);
    PdfLibFreigeben();
    const double mm = 72 / 25.4;
    // The landscape A4 sheet on landscape A4 paper does not fit the
    // printable area (1/6 inch all round) at 1:1: it is fitted into it,
    // centred, so world (0, 0) lies just inside the printable corner.
    const double rand = 25.4 / 6, pb = 297 - 2 * rand, ph = 210 - 2 * rand, sk = std::min(pb / 297, ph / 210);
    const double ox = rand + (pb - 297 * sk) / 2, oy = rand + (ph - 210 * sk) / 2;
    auto px = [&](double x, double y) {
        return GetPixel(dc, static_cast<int>((ox + x * sk) * mm), static_cast<int>(595.3 - (oy + y * sk) * mm));
    };
    // World (15, 15), inside the filled square.
    EXPECT_EQ(px(15, 15), RGB(0, 0, 0));
    EXPECT_EQ(px(25, 15), RGB(255, 255, 255));
    EXPECT_EQ(px(15, 25), RGB(255, 255, 255));
    // The line (120..160, 100) crosses the picture (120..160, 90..110)
    // and stays on top.
    EXPECT_EQ(px(145, 100), RGB(0, 0, 0));
    const COLORREF gruen = px(145, 95);
    EXPECT_TRUE(GetGValue(gruen) > 100 && GetRValue(gruen) < 80) << std::hex << gruen;
    SelectObject(dc, alt);
    DeleteDC(dc);
    DeleteObject(bm);
}

TEST_F(Druck, AnEmptyTitleNamesTheDocumentAfterTheApplication)
{
    antwort();
    ASSERT_EQ(DruckAuftragOeffnen(" ", 0), 1);
    EXPECT_EQ(DruckLeerseite(), 0);
    DruckEnde();
    EXPECT_NE(info().find(std::string("Title:           ") + anwTitel()), std::string::npos) << info();
}

TEST_F(Druck, CancelInTheAbortDialogLeavesNoFile)
{
    const std::string z = zeich("z", "ZL 10,0000 0,0000\n");
    antwort();
    ASSERT_EQ(DruckStart(), 1);
    HWND dlg = DruckAbbruchFenster();
    ASSERT_NE(dlg, 0u);
    DruckStatusText(z.c_str());
    // What the user sees while the job runs.
    const char* bild = std::getenv("VELMO_DRUCK_PNG");
    EXPECT_EQ(plHeadlessPng(dlg, bild ? bild : pfad("abbruch.png").c_str()), 0);
    char t[100];
    GetDlgItemText(dlg, 4000, t, sizeof t);
    EXPECT_STREQ(t, "Ausdruck l\xe4uft...");
    PostMessage(dlg, WM_COMMAND, IDCANCEL, 0);
    ZeichnungDrucken(z.c_str());
    EXPECT_EQ(DruckAbbruchFenster(), 0u);
    DruckEnde();
    EXPECT_FALSE(fs::exists(pfad("druck.pdf")));
    // The dialog cancelled: no job.
    EXPECT_EQ(DruckStart(), 0);
}

TEST_F(Druck, FailuresToStartOrToWriteAreReported)
{
    const std::string z = zeich("z", "ZL 10,0000 0,0000\n");
    // The file cannot be made: StartDoc fails, the user is told, no job.
    antwort();
    plFehlerSetzen(PlFehlerArt::Oeffnen, 1, true);
    EXPECT_EQ(DruckStart(), 0);
    plFehlerAllesAus();
    ASSERT_EQ(warnungen().size(), 1u);
    EXPECT_NE(warnungen()[0].find("Druckauftrag"), std::string::npos);
    EXPECT_EQ(DruckAbbruchFenster(), 0u);
    // A write that fails while the page is spooled fails the drawing.
    antwort();
    ASSERT_EQ(DruckStart(), 1);
    plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
    EXPECT_EQ(ZeichnungDrucken(z.c_str()), -1);
    plFehlerAllesAus();
    DruckEnde();
    EXPECT_FALSE(fs::exists(pfad("druck.pdf")));
    // A drawing that cannot be walked fails alone; the next one prints.
    antwort();
    ASSERT_EQ(DruckStart(), 1);
    EXPECT_EQ(ZeichnungDrucken(pfad("fehlt.zvk").c_str()), -1);
    EXPECT_EQ(ZeichnungDrucken(z.c_str()), 0);
    DruckEnde();
    EXPECT_EQ(agAufruf("qpdf --check '" + pfad("druck.pdf") + "'"), 0);
}

}  // namespace
