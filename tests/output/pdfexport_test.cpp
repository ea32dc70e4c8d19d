// PDF export: the library calls of small drawings as recorded at the
// export's seam (page size, widths, dashes, arcs, fonts, pictures), the
// written file read back by the layer and by outside readers, the turned
// pictures rendered where the screen puts them, and failures by injection.
#include "output/pdfexport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "ausgabetest.h"
#include "tests/output/gdigold.h"
#include "output/farbe.h"
#include "output/pdfbind.h"
#include "platform/gdi.h"
#include "platform/pdfbib.h"
#include "support/fileload.h"
#include "support/pfade.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> protokoll;
std::string alle(const std::vector<std::string>& p)
{
    std::string r;
    for (const std::string& z : p) r += z + "\n";
    return r;
}
void mitschreiben(const std::string& z) { protokoll.push_back(z); }

// The pen and placement keys of both paper sections and the export's own.
std::map<std::string, std::string> pdfSatz()
{
    std::map<std::string, std::string> s = {{"PaA4BlOri", "0"},    {"PaA4Font", ""},       {"PaA4JusR", "0"},    {"PaA4JusX", "0"},
            {"PaA4JusY", "0"},     {"PaA4JusS", "100"},    {"PaA4StDef0", "35 0 0 0"},
            {"PaA4StDef1", "50 255 0 0"},                  {"PaA3BlOri", "1"},   {"PaA3Font", ""},
            {"PaA3JusR", "0"},     {"PaA3JusX", "0"},      {"PaA3JusY", "0"},    {"PaA3JusS", "100"},
            {"PaA3StDef0", "25 0 0 255"},                  {"Pa34DPI", "0"},     {"Pa34VrwMrk", "1"},
            {"Pa34VrwUnt", "1"},   {"Pa34VrwFrb", "1"}};
    for (int n = 0; n < 20; ++n) s["LayAnz" + std::to_string(n)] = "1";
    return s;
}

struct PdfExportTest : AusgabeTest {
    void SetUp() override
    {
        AusgabeTest::SetUp();
        satz(pdfSatz());
        protokoll.clear();
        PdfProtokollSetzen(mitschreiben);
    }
    void TearDown() override
    {
        PdfProtokollSetzen(nullptr);
        AusgabeTest::TearDown();
    }

    void satzMit(std::map<std::string, std::string> w)
    {
        auto s = pdfSatz();
        for (auto& [k, v] : w) s[k] = v;
        satz(s);
    }

    // Exports drawings given as record lines (format line included); the
    // calls recorded.
    std::vector<std::string> export_(const std::vector<std::string>& zeichnungen, const std::string& ziel = "aus.pdf")
    {
        EXPECT_EQ(PdfExportStart(pfad(ziel).c_str()), 1);
        int n = 0;
        for (const std::string& z : zeichnungen) {
            const std::string d = zeichnung("z" + std::to_string(++n), "VER 10\n" + z);
            EXPECT_EQ(PdfSeite(d.c_str()), 0);
        }
        EXPECT_EQ(PdfExportEnde(), 0);
        EXPECT_EQ(PdfLibNutzer(), 0);
        return protokoll;
    }

    static std::vector<std::string> mit(const std::vector<std::string>& p, const std::string& anfang)
    {
        std::vector<std::string> r;
        for (const std::string& z : p)
            if (z.rfind(anfang, 0) == 0) r.push_back(z);
        return r;
    }
    static bool hat(const std::vector<std::string>& p, const std::string& zeile)
    {
        return std::find(p.begin(), p.end(), zeile) != p.end();
    }
};

// Sum of the numbers of a dash string line.
double periode(const std::string& zeile)
{
    const size_t a = zeile.find('"'), b = zeile.rfind('"');
    std::istringstream ein(zeile.substr(a + 1, b - a - 1));
    double s = 0;
    for (double v; ein >> v;) s += v;
    return s;
}

TEST(PdfLib, OneInstanceIsSharedAndReleasedAtTheLastUse)
{
    const int a = PdfLibHolen();
    ASSERT_GT(a, 0);
    EXPECT_EQ(PdfLibHolen(), a);
    EXPECT_EQ(PdfLibNutzer(), 2);
    PdfLibFreigeben();
    EXPECT_EQ(DPLNewDocument(a) > 0, true);  // still alive with one use
    PdfLibFreigeben();
    EXPECT_EQ(PdfLibNutzer(), 0);
    EXPECT_EQ(DPLNewDocument(a), 0);  // released
    PdfLibFreigeben();                // without a use: nothing
    EXPECT_EQ(PdfLibNutzer(), 0);
    const int b = PdfLibHolen();
    EXPECT_GT(b, 0);
    PdfLibFreigeben();
}

TEST_F(PdfExportTest, PageSizeWidthsAndDashesFollowTheSectionAndState)
{
    satzMit({{"PaA4BlOri", "1"}});
    auto p = export_({"SA 7\nSL 5,0000\nZL 297,0000 210,0000\nZA4\n"});
    // Landscape A4: the line runs corner to corner.
    EXPECT_TRUE(hat(p, "DPLSetPageSize \"A4 Landscape\"")) << alle(p);
    EXPECT_TRUE(hat(p, "DPLDrawLine 0.00 0.00 841.90 595.28")) << alle(p);
    // Width value 35 is 0.35 mm whatever the state's dash length; type 7 solid.
    EXPECT_EQ(mit(p, "DPLSetLineWidth"), std::vector<std::string>{"DPLSetLineWidth 0.99"});
    EXPECT_EQ(mit(p, "DPLSetLineDashEx"), std::vector<std::string>{"DPLSetLineDashEx \"\""});

    struct Fall {
        const char* sa;
        const char* sl;
        double periode;   // points
    };
    // One period spans the dash length, as on screen: SL 10 at scale 1 is
    // 10 mm = 28.35 pt per period, SL 4 (the usual) 4 mm; the three dots of
    // the dotted line add their length, the line's width, to it.
    for (const Fall& f : {Fall{"2", "10,0000", 28.35}, Fall{"2", "20,0000", 56.69}, Fall{"3", "10,0000", 28.35},
                          Fall{"6", "10,0000", 28.35}, Fall{"1", "4,0000", 11.34 + 3 * 0.99}}) {
        protokoll.clear();
        p = export_({std::string("SA ") + f.sa + "\nSL " + f.sl + "\nZL 100,0000 0,0000\nZA4\n"});
        const auto d = mit(p, "DPLSetLineDashEx");
        ASSERT_FALSE(d.empty());
        EXPECT_NEAR(periode(d[0]), f.periode, 1.0) << f.sa << " " << f.sl << ": " << d[0];
        EXPECT_EQ(mit(p, "DPLSetLineWidth"), std::vector<std::string>{"DPLSetLineWidth 0.99"}) << f.sl;
        // The gapped pattern gets solid end strokes after the line.
        EXPECT_GE(mit(p, "DPLDrawLine").size(), 3u) << f.sa;
    }
    // Type 0 is drawn as type 1.
    protokoll.clear();
    const auto null = mit(export_({"SA 0\nSL 1,0000\nZL 100,0000 0,0000\nZA4\n"}), "DPLSetLineDashEx");
    protokoll.clear();
    const auto eins = mit(export_({"SA 1\nSL 1,0000\nZL 100,0000 0,0000\nZA4\n"}), "DPLSetLineDashEx");
    EXPECT_EQ(null, eins);
    ASSERT_FALSE(eins.empty());
    EXPECT_NE(eins[0], "DPLSetLineDashEx \"\"");
}

TEST_F(PdfExportTest, DashedArcsEndInASolidPiece)
{
    const auto p = export_({"SA 2\nSL 1,0000\nBW 100,0000 100,0000\nTKR 0,0 3,0 10,0000 10,0000\n"
                            "TKR 0,0 90,0 10,0000 10,0000\nZA4\n"});
    const auto bogen = mit(p, "DPLDrawEllipticArc");
    ASSERT_EQ(bogen.size(), 4u) << alle(p);
    // 30 tenths: the last third (10 tenths) again, solid; 900 tenths: the last 40.
    EXPECT_NE(bogen[0].find(" 270.00 273.00"), std::string::npos) << bogen[0];
    EXPECT_NE(bogen[1].find(" 272.00 273.00"), std::string::npos) << bogen[1];
    EXPECT_NE(bogen[2].find(" 270.00 360.00"), std::string::npos) << bogen[2];
    EXPECT_NE(bogen[3].find(" 356.00 360.00"), std::string::npos) << bogen[3];
    // The solid piece sits between an empty dash and the pattern again.
    size_t i = 0;
    while (p[i] != bogen[0]) ++i;
    EXPECT_EQ(p[i + 1], "DPLSetLineDashEx \"\"");
    EXPECT_EQ(p[i + 2], bogen[1]);
    EXPECT_NE(p[i + 3], "DPLSetLineDashEx \"\"");
}

TEST_F(PdfExportTest, FacesBeyondTheTableFallBackToTheFirstStandardFont)
{
    // Nine new faces per page (font 0 is the Courier slot), three pages:
    // the 21st face finds the table full.
    std::vector<std::string> seiten;
    EXPECT_EQ(PdfExportStart(pfad("f.pdf").c_str()), 1);
    for (int s = 0; s < 3; ++s) {
        std::string tab;
        for (int n = 0; n < 10; ++n) tab += std::to_string(n) + " 1 Fremd" + std::to_string(s * 10 + n) + "\n";
        stSchreiben((ordner.projekt / "Schrift.txt").string(), tab);
        SchriftNeuLaden();
        std::string z = "VER 10\n";
        for (int n = s == 2 ? 1 : 0; n < (s == 2 ? 4 : 10); ++n) z += "TS " + std::to_string(n) + "\nTFA \"x\"\n";
        const std::string d = zeichnung("f" + std::to_string(s), z + "ZA4\n");
        EXPECT_EQ(PdfSeite(d.c_str()), 0);
    }
    EXPECT_EQ(PdfExportEnde(), 0);
    const auto neu = mit(protokoll, "DPLAddTrueTypeFont");
    EXPECT_EQ(neu.size(), 20u) << alle(protokoll);
    // The last selection (face 21) is the Courier slot, the first standard font.
    const auto wahl = mit(protokoll, "DPLSelectFont");
    ASSERT_FALSE(wahl.empty());
    const auto standard = mit(protokoll, "DPLAddStandardFont 0 -> ");
    ASSERT_EQ(standard.size(), 1u);
    EXPECT_EQ(wahl.back(), "DPLSelectFont " + standard[0].substr(standard[0].rfind(' ') + 1));
    EXPECT_NE(neu.back().find("Fremd22"), std::string::npos);
    for (const std::string& z : neu) EXPECT_EQ(z.find("Fremd23"), std::string::npos);
}

TEST_F(PdfExportTest, PicturesAreAddedOnceAndBitmapsConvertedAtTheResolution)
{
    fs::copy_file(stFixture("bilder/ecke.png"), ordner.projekt / "ecke.png");
    fs::copy_file(stFixture("bilder/ecke.bmp"), ordner.projekt / "ecke.bmp");
    struct Fall {
        const char* dpi;
        int seite;
    };
    // A 50.8 x 25.4 mm box fits the 2:1 picture: its long side is 2 inches.
    for (const Fall& f : {Fall{"0", 200}, Fall{"300", 600}}) {
        satzMit({{"Pa34DPI", f.dpi}});
        protokoll.clear();
        const auto p = export_({"BW 10,0000 10,0000\nGRF 0 50,8000 25,4000 \"ecke.png\"\nBW 60,0000 0,0000\n"
                                "GRF 0 50,8000 25,4000 \"ECKE.PNG\"\nGRF 0 50,8000 25,4000 \"ecke.bmp\"\nZA4\n"});
        const auto neu = mit(p, "DPLAddImageFromFile");
        ASSERT_EQ(neu.size(), 2u) << alle(p);
        EXPECT_NE(neu[0].find("ecke.png"), std::string::npos);
        EXPECT_EQ(mit(p, "BildBmpNachPng"), std::vector<std::string>{"BildBmpNachPng " + std::to_string(f.seite)});
        EXPECT_EQ(mit(p, "DPLDrawImage").size(), 3u);
    }
    // The temporary PNG is gone.
    char temp[PFADSUP + 1];
    ASSERT_EQ(tempverz(temp, sizeof temp), 0);
    for (const auto& e : fs::directory_iterator(temp)) EXPECT_NE(e.path().extension(), ".png") << e.path();
}

// A Windows metafile goes into the page as vectors, fitted into its box as
// on screen: poppler draws its green ellipse and blue cross there, and the
// page holds no image.
TEST_F(PdfExportTest, MetafilesArePlayedIntoThePageAsVectors)
{
    ASSERT_TRUE(agProgrammDa("pdftoppm") && agProgrammDa("pdfimages"));
    fs::copy_file(std::string(VELMO_SOURCE_DIR) + "/demo/Projekt/bild.wmf", ordner.projekt / "bild.wmf");
    const auto p = export_({"_BA 20,0000 100,0000\nGRF 0 80,0000 40,0000 \"bild.wmf\"\nZA4\n"});
    ASSERT_EQ(mit(p, "pdfbibVektorZeichnen").size(), 1u) << alle(p);
    EXPECT_TRUE(mit(p, "DPLAddImageFromFile").empty());
    ASSERT_EQ(agAufruf("pdftoppm -r 25.4 -png -singlefile '" + pfad("aus.pdf") + "' '" + pfad("seite") + "'"), 0);
    GdiBildPixel b;
    ASSERT_TRUE(gdiGoldLesen(pfad("seite.png"), &b));  // 1 pixel a millimetre, y down from the top
    int gruen = 0, blau = 0, aussen = 0;
    for (int y = 0; y < b.h; ++y)
        for (int x = 0; x < b.w; ++x) {
            const COLORREF c = b.an(x, y);
            if (c == RGB(255, 255, 255)) continue;
            const bool drin = x >= 19 && x <= 101 && y >= 297 - 141 && y <= 297 - 99;
            if (!drin) ++aussen;
            if (GetGValue(c) > 100 && GetRValue(c) < 100 && GetBValue(c) < 100) ++gruen;
            if (GetBValue(c) > 100 && GetRValue(c) < 100 && GetGValue(c) < 100) ++blau;
        }
    EXPECT_GT(gruen, 40);
    EXPECT_GT(blau, 40);
    EXPECT_EQ(aussen, 0);
    ASSERT_EQ(agAufruf("{ pdfimages -list '" + pfad("aus.pdf") + "' > '" + pfad("bilder.txt") + "'; }"), 0);
    const std::string liste = stLesen(pfad("bilder.txt"));
    EXPECT_EQ(std::count(liste.begin(), liste.end(), '\n'), 2) << liste;  // the list's head only
}

// The page as the layer renders it, 72 dpi.
struct Seitenbild {
    HDC dc;
    HBITMAP bm;
    HGDIOBJ alt;
    Seitenbild(const std::string& datei, int seite, int w, int h)
    {
        dc = CreateCompatibleDC(0);
        bm = CreateBitmap(w, h, 1, 32, nullptr);
        alt = SelectObject(dc, bm);
        RECT rc{0, 0, w, h};
        FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const int inst = PdfLibHolen();
        EXPECT_GT(DPLLoadFromFile(inst, pdfbibBreit(datei).c_str(), L""), 0);
        EXPECT_EQ(DPLRenderPageToDC(inst, 72, seite, dc), 1);
        PdfLibFreigeben();
    }
    ~Seitenbild()
    {
        SelectObject(dc, alt);
        DeleteDC(dc);
        DeleteObject(bm);
    }
};

TEST_F(PdfExportTest, TurnedPicturesLandWhereTheScreenPutsThem)
{
    fs::copy_file(stFixture("bilder/ecke.png"), ordner.projekt / "ecke.png");
    // A 100 x 100 mm box at (50, 50); the fractions of the box where the
    // screen shows the red corner, a green point and white, as in the
    // picture module's table (y down).
    struct Fall {
        int drehung;
        double rot[2], gruen[2], weiss[2];
    };
    for (const Fall& f : {Fall{0, {.10, .35}, {.80, .65}, {.50, .10}}, Fall{1800, {.90, .65}, {.20, .35}, {.50, .90}},
                          Fall{900, {.35, .90}, {.65, .10}, {.10, .50}}, Fall{2700, {.65, .10}, {.35, .90}, {.90, .50}}}) {
        // The record's vector turns with the picture: start at the corner
        // that keeps the box at (50..150, 50..150).
        const double x = f.drehung == 900 || f.drehung == 1800 ? 150 : 50;
        const double y = f.drehung == 1800 || f.drehung == 2700 ? 150 : 50;
        char z[200];
        std::snprintf(z, sizeof z, "BW %d,0000 %d,0000\nGRF 0 %d,0 100,0000 100,0000 \"ecke.png\"\nZA4\n",
                      static_cast<int>(x), static_cast<int>(y), f.drehung / 10);
        protokoll.clear();
        export_({z}, "b.pdf");
        Seitenbild s(pfad("b.pdf"), 1, 596, 842);
        const double mm = 595.3 / 210;
        auto px = [&](const double q[2]) {
            return GetPixel(s.dc, static_cast<int>((50 + 100 * q[0]) * mm), static_cast<int>(841.9 - (150 - 100 * q[1]) * mm));
        };
        const COLORREF r = px(f.rot), g = px(f.gruen), w = px(f.weiss);
        EXPECT_TRUE(GetRValue(r) > 200 && GetGValue(r) < 80) << f.drehung << " " << std::hex << r;
        EXPECT_TRUE(GetGValue(g) > 100 && GetRValue(g) < 80) << f.drehung << " " << std::hex << g;
        EXPECT_EQ(w, RGB(255, 255, 255)) << f.drehung;
    }
}

TEST_F(PdfExportTest, OutsideReadersTakeTheFileAndTextsKeepTheirLetters)
{
    satzMit({{"PaA4BlOri", "0"}, {"PaA3BlOri", "2"}});
    ASSERT_TRUE(agProgrammDa("qpdf") && agProgrammDa("pdfinfo") && agProgrammDa("pdftotext"));
    stSchreiben((ordner.projekt / "Schrift.txt").string(), "0 0 Arial\n1 1 Courier New\n");
    SchriftNeuLaden();
    export_({"TG 5,0000\nBW 20,0000 250,0000\nTFA \"Gr\xfc\xdf" "e \x80 100\"\nZA4\n",
             "TG 5,0000\nBW 20,0000 150,0000\nTFA \"Quer\"\nZA3\n",
             "TG 5,0000\nTS 1\nBW 20,0000 100,0000\nTSA \"Eins  Zwei\tDrei\"\nZA3\n"});
    EXPECT_EQ(agAufruf("qpdf --check '" + pfad("aus.pdf") + "'"), 0);
    ASSERT_EQ(agAufruf("{ pdfinfo -f 1 -l 3 '" + pfad("aus.pdf") + "' > '" + pfad("info.txt") + "'; }"), 0);
    const std::string info = stLesen(pfad("info.txt"));
    EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
    EXPECT_NE(info.find("Page    1 size:  595.3 x 841.9"), std::string::npos) << info;
    EXPECT_NE(info.find("Page    2 size:  841.9 x 1190.6"), std::string::npos) << info;
    ASSERT_EQ(agAufruf("pdftotext '" + pfad("aus.pdf") + "' '" + pfad("aus.txt") + "'"), 0);
    const std::string text = stLesen(pfad("aus.txt"));
    EXPECT_NE(text.find("Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac 100"), std::string::npos) << text;
    EXPECT_LT(text.find("Eins"), text.find("Zwei"));
    EXPECT_LT(text.find("Zwei"), text.find("Drei"));
    EXPECT_NE(text.find("Drei"), std::string::npos) << text;
}

// Every text occupies the width of the text-width model on the page, in
// column and proportional fonts alike, and centred or right-aligned texts
// sit where the sheet puts them: pdftotext finds each as one word whose box
// lies within 1 mm of the model's.
TEST_F(PdfExportTest, TextsSpanTheModelsWidthAndStayWholeWords)
{
    ASSERT_TRUE(agProgrammDa("pdftotext"));
    const auto prot = export_({"TG 4,0000\nTV 1,0000\nTS 0\n_BA 20,0000 250,0000\nTFA \"Steuerspannung\"\n"
             "TS 1\n_BA 20,0000 200,0000\nTFA \"Hauptverteilung\"\n"
             "TS 0\n_BA 150,0000 150,0000\nTFM \"GmbH\"\n_BA 150,0000 100,0000\nTFE \"HV1.15\"\n"
             "TS 1\nTV 0,7000\n_BA 150,0000 50,0000\nTFE \"Netzteil\"\nZA4\n"});
    ASSERT_EQ(agAufruf("pdftotext -bbox '" + pfad("aus.pdf") + "' '" + pfad("aus.html") + "'"), 0);
    const std::string html = stLesen(pfad("aus.html"));
    struct Wort {
        const char* text;
        int font;
        double faktor, links, basis;  // mm; links: left end the sheet gives
        int ausrichtung;
    };
    const double mmPt = 72 / 25.4;
    for (const Wort& w : {Wort{"Steuerspannung", 0, 1, 20, 250, 0}, Wort{"Hauptverteilung", 1, 1, 20, 200, 0},
                          Wort{"GmbH", 0, 1, 150, 150, 1}, Wort{"HV1.15", 0, 1, 150, 100, 2},
                          Wort{"Netzteil", 1, 0.7, 150, 50, 2}}) {
        SCOPED_TRACE(w.text);
        const double breite = SchriftTextBreite(w.font, w.text, 4, w.faktor);
        const double links = w.links - (w.ausrichtung == 1 ? breite / 2 : w.ausrichtung == 2 ? breite : 0);
        const size_t e = html.find(std::string("\">") + w.text + "</word>");
        ASSERT_NE(e, std::string::npos) << html << alle(prot);
        const size_t a = html.rfind("<word xMin=\"", e);
        const double xMin = std::stod(html.substr(a + 12)), xMax = std::stod(html.substr(html.find("xMax=\"", a) + 6));
        EXPECT_NEAR(xMin / mmPt, links, 1.0);
        EXPECT_NEAR(xMax / mmPt, links + breite, 1.0);
    }
}

// A real export of an A4 and an A3 drawing with two appended files, each
// the export of one drawing of its own (an A4 drawing on landscape paper,
// an A3 one on landscape A3), read by outside readers and loaded back.
TEST_F(PdfExportTest, OutsideReadersTakeEveryPaperAndTheAppendedFiles)
{
    ASSERT_TRUE(agProgrammDa("qpdf") && agProgrammDa("pdfinfo") && agProgrammDa("pdftotext"));
    satzMit({{"PaA4BlOri", "1"}});
    export_({"TG 5,0000\nBW 20,0000 150,0000\nTFA \"Quer \xe4\"\nZA4\n"}, "quer.pdf");
    satzMit({{"PaA3BlOri", "3"}});
    export_({"TG 5,0000\nBW 20,0000 150,0000\nTFA \"Anhang A3\"\nZA3\n"}, "anhang.pdf");
    satzMit({{"PaA4BlOri", "0"}, {"PaA3BlOri", "2"}});
    ASSERT_EQ(PdfExportStart(pfad("aus.pdf").c_str()), 1);
    const char* blaetter[2] = {"TG 5,0000\nBW 20,0000 250,0000\nTFA \"Hoch \xdf \x80\"\nZA4\n",
                               "TG 5,0000\nBW 20,0000 350,0000\nTFA \"Gro\xdf A3\"\nZA3\n"};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(PdfSeite(zeichnung("s" + std::to_string(i), std::string("VER 10\n") + blaetter[i]).c_str()), 0);
        PdfGliederung(0, i + 1, i == 0 ? "Hoch" : "Gross");
    }
    PdfAnhaengen(pfad("quer.pdf").c_str(), "Quer");
    PdfAnhaengen(pfad("anhang.pdf").c_str(), "Anhang");
    ASSERT_EQ(PdfExportEnde(), 0);
    EXPECT_TRUE(warnungen().empty());

    EXPECT_EQ(agAufruf("qpdf --check '" + pfad("aus.pdf") + "'"), 0);
    ASSERT_EQ(agAufruf("{ pdfinfo -f 1 -l 4 '" + pfad("aus.pdf") + "' > '" + pfad("info.txt") + "'; }"), 0);
    const std::string info = stLesen(pfad("info.txt"));
    EXPECT_NE(info.find("Pages:           4"), std::string::npos) << info;
    for (const char* groesse : {"Page    1 size:  595.3 x 841.9", "Page    2 size:  841.9 x 1190.6",
                                "Page    3 size:  841.9 x 595.3", "Page    4 size:  1190.6 x 841.9"})
        EXPECT_NE(info.find(groesse), std::string::npos) << groesse << "\n" << info;
    ASSERT_EQ(agAufruf("pdftotext '" + pfad("aus.pdf") + "' '" + pfad("aus.txt") + "'"), 0);
    const std::string text = stLesen(pfad("aus.txt"));
    size_t vorher = 0;
    for (const char* t : {"Hoch \xc3\x9f \xe2\x82\xac", "Gro\xc3\x9f A3", "Quer \xc3\xa4", "Anhang A3"}) {
        const size_t da = text.find(t);
        ASSERT_NE(da, std::string::npos) << t << "\n" << text;
        EXPECT_GE(da, vorher) << t;  // page order
        vorher = da;
    }
    // The layer reads it back: four pages, a bookmark for each sheet and
    // each appended file.
    const int inst = PdfLibHolen();
    ASSERT_GT(DPLLoadFromFile(inst, pdfbibBreit(pfad("aus.pdf")).c_str(), L""), 0);
    EXPECT_EQ(DPLPageCount(inst), 4);
    std::vector<std::string> titel;
    for (int i = 1; i <= DPLOutlineCount(inst); ++i) {
        const int id = DPLGetOutlineID(inst, i);
        titel.push_back(pdfbibSchmal(DPLOutlineTitle(inst, id), 100) + "@" + std::to_string(DPLGetOutlinePage(inst, id)));
    }
    EXPECT_EQ(titel, (std::vector<std::string>{"Hoch@1", "Gross@2", "Quer@3", "Anhang@4"}));
    PdfLibFreigeben();
}

TEST_F(PdfExportTest, FailuresWarnReturnMinusOneAndKeepTheOldFile)
{
    stSchreiben(pfad("alt.pdf"), "alt");
    // A drawing that cannot be walked keeps its page.
    ASSERT_EQ(PdfExportStart(pfad("alt.pdf").c_str()), 1);
    const std::string gut = zeichnung("gut", "VER 10\nZL 10,0000 0,0000\nZA4\n");
    EXPECT_EQ(PdfSeite(pfad("fehlt.zvk").c_str()), -1);
    EXPECT_EQ(PdfSeite(gut.c_str()), 0);
    ASSERT_EQ(warnungen().size(), 1u);
    EXPECT_NE(warnungen()[0].find("fehlt.zvk nicht \xf6" "ffnen"), std::string::npos) << warnungen()[0];
    // The save fails at its write and at its rename.
    for (PlFehlerArt art : {PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        if (art == PlFehlerArt::Umbenennen) {
            ASSERT_EQ(PdfExportStart(pfad("alt.pdf").c_str()), 1);
            EXPECT_EQ(PdfSeite(gut.c_str()), 0);
        }
        plNachrichtBoxFragenLeeren();
        plFehlerSetzen(art, 1);
        EXPECT_EQ(PdfExportEnde(), -1);
        plFehlerAllesAus();
        ASSERT_EQ(warnungen().size(), 1u);
        EXPECT_NE(warnungen()[0].find("Kann Ausgabedatei"), std::string::npos);
        EXPECT_EQ(stLesen(pfad("alt.pdf")), "alt");
        int dateien = 0;
        for (const auto& e : fs::directory_iterator(ordner.basis)) dateien += e.path().extension() == ".pdf" ? 1 : 0;
        EXPECT_EQ(dateien, 1);
        EXPECT_EQ(PdfLibNutzer(), 0);
    }
    // Without a document nothing runs.
    EXPECT_EQ(PdfSeite(gut.c_str()), -1);
    EXPECT_EQ(PdfExportEnde(), 0);
}

}  // namespace

// The two-colour pen ("50 rot hellblau"): the line is drawn solid, in pieces
// of the dash period that alternate between the two colours (the second
// first, as on the screen) and join end to end; the next pen has its own.
TEST_F(PdfExportTest, TwoColourPenAlternatesItsColoursAlongASolidLine)
{
    std::filesystem::copy_file(stFixture("rgb.txt"), StOrdner::anwendung("rgb.txt"));
    RgbVergessen();
    satzMit({{"PaA4StDef1", "50 rot hellblau"}, {"PaA4StDef2", "35 blau"}});
    const auto p = export_({"ST 2\nSA 7\nSL 1,0000\nZL 100,0000 0,0000\nST 3\nZL 0,0000 10,0000\nZA4\n"});
    RgbVergessen();
    std::vector<std::string> farben;
    double bis = 0;
    size_t stueck = 0;
    std::string farbe;
    for (const std::string& z : p) {
        if (z.rfind("DPLSetLineColor", 0) == 0) farbe = z.substr(16);
        if (z.rfind("DPLSetLineDashEx", 0) == 0) {
            EXPECT_EQ(z, "DPLSetLineDashEx \"\"") << alle(p);
        }
        double x0, y0, x1, y1;
        if (z.rfind("DPLDrawLine", 0) != 0 || std::sscanf(z.c_str(), "DPLDrawLine %lf %lf %lf %lf", &x0, &y0, &x1, &y1) != 4)
            continue;
        if (y0 != 0 || y1 != 0) {  // the next pen's line
            EXPECT_EQ(farbe, "0 0 255") << alle(p);
            break;
        }
        EXPECT_NEAR(x0, bis, 1.0) << z;  // no gap
        EXPECT_GT(x1, x0);
        bis = x1;
        farben.push_back(farbe);
        ++stueck;
    }
    EXPECT_NEAR(bis, 283.46, 0.1);  // 100 mm in points, to the end
    ASSERT_GE(stueck, 4u) << alle(p);
    for (size_t i = 0; i < farben.size(); ++i)
        EXPECT_EQ(farben[i], i % 2 == 0 ? "128 192 255" : "255 0 0") << i << "\n" << alle(p);
    EXPECT_EQ(mit(p, "DPLSetLineWidth")[0], "DPLSetLineWidth 1.42");
}

// The layers' display switches are read at the start of each export (not
// for every page): a switch changed between two exports reaches the second.
TEST_F(PdfExportTest, LayerSwitchesChangedBetweenExportsReachTheNextExport)
{
    const std::string blatt = "LAY 3\nSA 7\nZL 100,0000 0,0000\nZA4\n";
    const auto linien = [&](const std::string& ziel) {
        protokoll.clear();
        return mit(export_({blatt, blatt}, ziel), "DPLDrawLine").size();
    };
    EXPECT_EQ(linien("an.pdf"), 2u);
    satzMit({{"LayAnz2", "0"}});
    EXPECT_EQ(linien("aus.pdf"), 0u);
    satzMit({{"LayAnz2", "1"}});
    EXPECT_EQ(linien("wieder.pdf"), 2u);
}
