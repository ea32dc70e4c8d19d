// SVG export: byte-exact documents of a fixture drawing with every element
// kind (A3 without, A4 with a placement), read by outside programs
// (xmllint, rsvg-convert); the numbers, escapes, dash values, arc flags,
// text pieces and picture names as tables; layers, cancel and failures.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "output/svg.h"
#include "ausgabetest.h"
#include "tests/output/gdigold.h"
#include "platform/nachricht.h"
#include "platform/windef.h"
#include "platform/ressource.h"
#include "winlib/anwdaten.h"
#include "winlib/langdlg.h"

namespace {

namespace fs = std::filesystem;

struct Svg : AusgabeTest {
    // A small A3 drawing from record lines; its SVG text.
    std::string export_(const std::string& zeilen, const std::string& format = "ZA3")
    {
        const std::string z = zeichnung("klein", "VER 10\n" + zeilen + format + "\n");
        EXPECT_EQ(SvgExport(z.c_str(), pfad("klein.svg").c_str()), 0);
        // Every document the tests write is well-formed and renders.
        draussen(pfad("klein.svg"));
        return stLesen(pfad("klein.svg"));
    }

    // The element lines (after the head, before "</svg>").
    static std::vector<std::string> elemente(const std::string& svg)
    {
        std::vector<std::string> r;
        std::istringstream ein(svg);
        for (std::string z; std::getline(ein, z);) {
            if (z.rfind("  <", 0) == 0 || z.rfind("  xlink", 0) == 0) r.push_back(z);
        }
        return r;
    }

    // Checks a written SVG with the outside readers.
    void draussen(const std::string& datei)
    {
        ASSERT_TRUE(agProgrammDa("xmllint")) << "xmllint missing (scripts/install-deps)";
        ASSERT_TRUE(agProgrammDa("rsvg-convert")) << "rsvg-convert missing (scripts/install-deps)";
        EXPECT_EQ(agAufruf("xmllint --noout '" + datei + "'"), 0) << datei;
        const std::string png = datei + ".png";
        EXPECT_EQ(agAufruf("cd '" + fs::path(datei).parent_path().string() + "' && rsvg-convert -o '" + png + "' '" +
                           datei + "'"),
                  0)
            << datei;
        EXPECT_TRUE(fs::exists(png) && fs::file_size(png) > 0) << png;
    }
};

std::string fixtur() { return stLesen(agDaten("alle.txt")); }

TEST_F(Svg, FixtureDrawingsMatchTheirGoldenFilesAndOutsideReadersTakeThem)
{
    // Pictures beside the document, as the batch export leaves them.
    fs::copy_file(stFixture("bilder/ecke.png"), ordner.basis / "Schema.png");
    fs::copy_file(stFixture("bilder/ecke.jpg"), ordner.basis / "Foto.jpg");
    const std::string a3 = zeichnung("alle3", fixtur());
    std::string text4 = fixtur();
    text4.replace(text4.rfind("ZA3"), 3, "ZA4");
    const std::string a4 = zeichnung("alle4", text4);
    ASSERT_EQ(SvgExport(a3.c_str(), pfad("alle3.svg").c_str()), 0);
    ASSERT_EQ(SvgExport(a4.c_str(), pfad("alle4.svg").c_str()), 0);
    agGolden(stLesen(pfad("alle3.svg")), "alle3.svg");
    agGolden(stLesen(pfad("alle4.svg")), "alle4.svg");
    EXPECT_TRUE(warnungen().empty());
    draussen(pfad("alle3.svg"));
    draussen(pfad("alle4.svg"));
}

TEST_F(Svg, HeadAndSheetFollowTheFormat)
{
    const std::string a3 = export_("BW 10,0000 10,0000\nZL 1,0000 0,0000\n");
    EXPECT_EQ(a3.substr(0, a3.find("  <")),
              "<?xml version=\"1.0\" encoding=\"iso-8859-1\" standalone=\"no\"?>\n"
              "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.0//EN\" "
              "\"http://www.w3.org/TR/2001/REC-SVG-20010904/DTD/svg10.dtd\">\n"
              "<svg width=\"420.0mm\" height=\"297.0mm\"\n"
              "     viewBox=\"0 0 420.0 297.0\"\n"
              "     xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\">\n");
    EXPECT_EQ(a3.substr(a3.size() - 7), "</svg>\n");
    EXPECT_EQ(a3.find('\r'), std::string::npos);
    // A4 upright; a point at y = 10 lies 287 from the top (neutral placement).
    satz({{"SvgA4JusX", "0"}, {"SvgA4JusY", "0"}, {"SvgA4JusS", "100"}});
    const std::string a4 = export_("BW 10,0000 10,0000\nZL 1,0000 0,0000\n", "ZA4");
    EXPECT_NE(a4.find("<svg width=\"210.0mm\" height=\"297.0mm\"\n     viewBox=\"0 0 210.0 297.0\""), std::string::npos);
    // A pen of 0.2 mm is drawn as the thinnest pen on paper, 0.25 mm.
    EXPECT_EQ(elemente(a4)[0], "  <line stroke=\"rgb(0,0,0)\" stroke-width=\"0.25\"  x1=\"10\" y1=\"287\" x2=\"11\" y2=\"287\"/>");
}

TEST_F(Svg, NumbersHaveFourDigitsWhateverTheLocale)
{
    const char* vorher = std::setlocale(LC_NUMERIC, nullptr);
    const std::string alt = vorher ? vorher : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    struct Fall {
        double v;
        const char* text;
    };
    for (const Fall& f : {Fall{123.456, "123.5"}, Fall{1234.56, "1235"}, Fall{287, "287"}, Fall{0.3, "0.3"},
                          Fall{-2.5, "-2.5"}, Fall{0.00012345, "0.0001234"}, Fall{123456, "1.235e+05"},
                          Fall{NAN, "0"}}) {
        char t[32];
        SvgZahl(f.v, t, sizeof t);
        EXPECT_STREQ(t, f.text) << f.v;
    }
    std::setlocale(LC_NUMERIC, alt.c_str());
}

TEST_F(Svg, TextsAreEscapedForXml)
{
    struct Fall {
        const char* ein;
        int attribut;
        const char* aus;
    };
    for (const Fall& f : {Fall{"a & b < c > d \"e\"", 0, "a &amp; b &lt; c &gt; d \"e\""},
                          Fall{"a & b < c > d \"e\"", 1, "a &amp; b &lt; c > d &quot;e&quot;"},
                          Fall{"\x80 \x96 \x9f", 0, "&#8364; &#8211; &#376;"},
                          Fall{"\xe4\xf6\xfc\xdf", 0, "\xe4\xf6\xfc\xdf"},
                          Fall{"x\x01y\x81z\ttab", 0, "x?y?z\ttab"}}) {
        char t[128];
        SvgText(f.ein, f.attribut, t, sizeof t);
        EXPECT_STREQ(t, f.aus) << f.ein;
    }
    char kurz[6];
    SvgText("&&&", 0, kurz, sizeof kurz);
    EXPECT_STREQ(kurz, "&amp;");
}

TEST_F(Svg, LineStylesCarryDashesOnLinesAndOutlinesNotOnFills)
{
    // SL 4 at scale 1: one period spans the dash length, 4 mm, as on
    // screen; a dot is the pen width (0.3). An outline is dashed as the
    // screen draws it; a fill covers its outline and stays solid.
    struct Fall {
        int sa;
        const char* stil;
    };
    for (const Fall& f : {Fall{7, "stroke-width=\"0.3\"  x1"}, Fall{2, "stroke-width=\"0.3\" stroke-dasharray=\"2,2\" x1"},
                          Fall{3, "stroke-dasharray=\"2.8,1.2\" x1"},
                          Fall{4, "stroke-dasharray=\"3.2,0.4,0.3,0.4\" x1"},
                          Fall{1, "stroke-dasharray=\"0.3,1.32,0.3,1.32,0.3,1.36\" x1"},  // three dots a period
                          Fall{6, "stroke-dasharray=\"2,0.4,0.4,0.4,0.4,0.4\" x1"}}) {
        const auto e = elemente(export_("ST 1\nSL 4,0000\nSA " + std::to_string(f.sa) +
                                        "\nZL 10,0000 0,0000\nRTK 1 5,0000 5,0000\nKRE 0 3,0000 2,0000\n"));
        ASSERT_EQ(e.size(), 3u);
        EXPECT_NE(e[0].find(f.stil), std::string::npos) << f.sa << ": " << e[0];
        EXPECT_EQ(e[1].find("dash"), std::string::npos) << e[1];
        auto strich = [](const std::string& z) {
            const size_t a = z.find("stroke-dasharray=\"");
            return a == std::string::npos ? std::string() : z.substr(a, z.find('"', a + 18) + 1 - a);
        };
        EXPECT_EQ(strich(e[2]), strich(e[0])) << e[2];
    }
}

TEST_F(Svg, ShapesHavePositiveSizesAndPointsAreFlipped)
{
    const auto e = elemente(export_("ST 2\nBW 50,0000 50,0000\nRTK 0 -20,0000 -10,0000\nRTK 1 45,0 10,0000 0,0000\n"
                                    "PKT\nKRE 1 30,0 4,0000 2,0000\nDRE 1 0,0 0 8,0000 12,0000\n"));
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0], "  <rect fill=\"none\" stroke=\"rgb(255,0,0)\" stroke-width=\"0.5\" x=\"30\" y=\"247\" width=\"20\" height=\"10\"/>");
    EXPECT_EQ(e[1], "  <polygon fill=\"rgb(255,0,0)\" stroke=\"rgb(255,0,0)\" stroke-width=\"0.5\" points=\" 50,247 57.07,239.9 57.07,239.9 50,247\"/>");
    EXPECT_EQ(e[2], "  <ellipse fill=\"rgb(255,0,0)\" stroke=\"rgb(255,0,0)\" stroke-width=\"0.5\" cx=\"50\" cy=\"247\" rx=\"0.5\" ry=\"0.5\"/>");
    EXPECT_EQ(e[3], "  <ellipse fill=\"rgb(255,0,0)\" stroke=\"rgb(255,0,0)\" stroke-width=\"0.5\" transform=\"rotate(330 50 247)\" cx=\"50\" cy=\"247\" rx=\"4\" ry=\"2\"/>");
    EXPECT_EQ(e[4].rfind("  <polygon fill=\"rgb(255,0,0)\"", 0), 0u) << e[4];
}

TEST_F(Svg, ArcFlagsFollowTheSpanAndWholeTurnsAreTwoHalves)
{
    struct Fall {
        const char* bogen;
        const char* d;
    };
    // Centre (100, 100), radius 10; A3: y' = 297 - y.
    for (const Fall& f : {Fall{"TKR 0,0 179,0", "M110,197 A10,10 360 0 0,90,196.8"},
                          Fall{"TKR 0,0 180,0", "M110,197 A10,10 360 1 0,90,197"},
                          Fall{"TKR 300,0 30,0", "M105,205.7 A10,10 360 0 0,108.7,192"},
                          Fall{"TKR 90,0 90,0", "M100,187 A10,10 360 0 0,100,207 A10,10 360 0 0,100,187"},
                          Fall{"TKR 0,0 360,0", "M110,197 A10,10 360 0 0,90,197 A10,10 360 0 0,110,197"}}) {
        const auto e = elemente(export_(std::string("BW 100,0000 100,0000\n") + f.bogen + " 10,0000 10,0000\n"));
        ASSERT_EQ(e.size(), 1u);
        EXPECT_EQ(e[0], std::string("  <path stroke=\"rgb(0,0,0)\" stroke-width=\"0.3\"  fill=\"none\" d=\"") + f.d + "\"/>")
            << f.bogen;
    }
    // BOG starts at the position; mode 1 exchanges the ends.
    auto e = elemente(export_("BW 100,0000 100,0000\nBOG 0,0 90,0 0 10,0000 10,0000\nBOG 0,0 90,0 1 10,0000 10,0000\n"));
    ASSERT_EQ(e.size(), 2u);
    EXPECT_NE(e[0].find("d=\"M100,197 A10,10 360 0 0,90,187\""), std::string::npos) << e[0];
    EXPECT_NE(e[1].find("d=\"M90,187 A10,10 360 1 0,100,197\""), std::string::npos) << e[1];
}

// An attribute's value in an element line ("" when absent).
std::string svgAttribut(const std::string& e, const std::string& name)
{
    const size_t a = e.find(" " + name + "=\"");
    if (a == std::string::npos) return "";
    const size_t v = a + name.size() + 3;
    return e.substr(v, e.find('"', v) - v);
}

// The horizontal scale of a text's matrix (1 without one) and its shift.
double svgSkala(const std::string& e, double* verschiebung = nullptr)
{
    const std::string t = svgAttribut(e, "transform");
    const size_t m = t.find("matrix(");
    if (verschiebung) *verschiebung = 0;
    if (m == std::string::npos) return 1;
    double sk = 1, b = 0, c = 0, d = 1, f = 0, v = 0;
    std::sscanf(t.c_str() + m, "matrix(%lf %lf %lf %lf %lf %lf)", &sk, &b, &c, &d, &v, &f);
    if (verschiebung) *verschiebung = v;
    return sk;
}

TEST_F(Svg, TextsTurnAboutTheirAnchorAndPiecesFollowTheText)
{
    auto e = elemente(export_("ST 1\nTG 5,0000\nBW 100,0000 100,0000\nTFA \"Hallo\"\nTR 90,0\nTFA \"Hoch\"\n"));
    ASSERT_EQ(e.size(), 2u);
    // The family the width was measured in comes first, the drawing's face
    // after it; the font size is the em whose letters stand as tall as on
    // screen: larger than 5 by the face's measured metrics.
    EXPECT_EQ(svgAttribut(e[0], "font-family"), "Liberation Mono, Courier") << e[0];
    const double groesse = std::stod(svgAttribut(e[0], "font-size"));
    EXPECT_GT(groesse, 5.0);
    EXPECT_LT(groesse, 8.0);
    // The face's own width scaled about the start to the model width
    // (5 letters of 5 mm): textLength names the face's width.
    double v = 0;
    const double sk = svgSkala(e[0], &v);
    EXPECT_NE(sk, 1.0) << e[0];
    EXPECT_NEAR(sk * std::stod(svgAttribut(e[0], "textLength")), 25, 0.05) << e[0];
    EXPECT_NEAR(v, 100 * (1 - sk), 0.05) << e[0];
    EXPECT_EQ(svgAttribut(e[0], "x"), "100");
    EXPECT_EQ(svgAttribut(e[0], "y"), "197");
    EXPECT_EQ(svgAttribut(e[1], "transform").rfind("rotate(270 100 197) matrix(", 0), 0u) << e[1];
    EXPECT_NEAR(svgSkala(e[1]) * std::stod(svgAttribut(e[1], "textLength")), 20, 0.05) << e[1];
    // Standard-text pieces at their columns, moved along a text at 30 degrees.
    e = elemente(export_("ST 1\nTG 2,0000\nTR 30,0\nBW 100,0000 100,0000\nTSA \"A  B\tC\"\n"));
    ASSERT_EQ(e.size(), 3u);
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    const int spalten[3] = {0, 3, 5};
    const char* stuecke[3] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i) {
        char x[32], y[32];
        SvgZahl(100 + spalten[i] * 2 * c, x, sizeof x);
        SvgZahl(197 - spalten[i] * 2 * s, y, sizeof y);
        EXPECT_EQ(svgAttribut(e[i], "transform").rfind(std::string("rotate(330 ") + x + " " + y + ")", 0), 0u) << e[i];
        EXPECT_EQ(svgAttribut(e[i], "x"), x);
        EXPECT_EQ(svgAttribut(e[i], "y"), y);
        EXPECT_NEAR(svgSkala(e[i]) * std::stod(svgAttribut(e[i], "textLength")), 2, 0.01) << e[i];
        EXPECT_NE(e[i].find(std::string(">") + stuecke[i] + "</text>"), std::string::npos) << e[i];
    }
}

// Centred, right-aligned and left-aligned texts keep their anchor (the
// point the drawing gives them, here x = 100 mm): a text scaled to its model
// width is written from its left end and ends, centres or starts there
// (librsvg would shift an anchored text by its unscaled width under a
// scale); one that needs no scale names the anchor itself (`text-anchor`).
// librsvg draws them there.
TEST_F(Svg, AlignedTextsCarryTheirAnchor)
{
    auto e = elemente(export_("ST 1\nTG 5,0000\nBW 100,0000 100,0000\nTFM \"Mitte\"\nTFE \"Rechts\"\nTFA \"Links\"\n"));
    ASSERT_EQ(e.size(), 3u);
    struct Soll {
        const char* text;
        double links;        // share of the model width left of the anchor
        const char* anker;   // its text-anchor when unscaled ("" for the start)
    };
    const Soll soll[] = {{"Mitte", 0.5, "middle"}, {"Rechts", 1.0, "end"}, {"Links", 0.0, ""}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(e[i]);
        const double breite = svgSkala(e[i]) * std::stod(svgAttribut(e[i], "textLength"));
        EXPECT_NEAR(breite, 5.0 * std::strlen(soll[i].text), 0.01) << "the model width";
        EXPECT_EQ(svgAttribut(e[i], "y"), "197");
        const double x = std::stod(svgAttribut(e[i], "x"));
        if (svgSkala(e[i]) != 1.0) {
            EXPECT_EQ(e[i].find("text-anchor"), std::string::npos) << "a scaled text starts at its left end";
            EXPECT_NEAR(x + soll[i].links * breite, 100.0, 0.01);
        } else {
            EXPECT_EQ(svgAttribut(e[i], "text-anchor"), soll[i].anker);
            EXPECT_NEAR(x, 100.0, 0.01);
        }
    }
    // Turned by 90 degrees, the start moves down the text's own direction.
    e = elemente(export_("ST 1\nTG 5,0000\nTR 90,0\nBW 100,0000 100,0000\nTFE \"Hoch\"\n"));
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(svgAttribut(e[0], "transform").rfind("rotate(270 100 217) matrix(", 0), 0u) << e[0];
    EXPECT_EQ(svgAttribut(e[0], "y"), "217") << e[0];

    // Drawn by librsvg, the right-aligned text spans its model width (30 mm)
    // and ends at its anchor (x = 100 mm); the centred one (25 mm) lies
    // about its anchor.
    if (!agProgrammDa("rsvg-convert")) GTEST_SKIP() << "rsvg-convert missing";
    for (const auto& [zeile, links, rechts] : {std::tuple{"TFE \"Rechts\"", 70, 100}, std::tuple{"TFM \"Mitte\"", 87, 112}}) {
        stSchreiben(pfad("r.svg"), export_(std::string("ST 1\nTG 5,0000\nBW 100,0000 100,0000\n") + zeile + "\n"));
        ASSERT_EQ(agAufruf("rsvg-convert -w 420 -h 297 -b white '" + pfad("r.svg") + "' -o '" + pfad("r.png") + "'"), 0);
        GdiBildPixel b;
        ASSERT_TRUE(gdiGoldLesen(pfad("r.png"), &b));
        const RECT t = b.tinte();
        EXPECT_NEAR(t.right, rechts, 2) << zeile << ": " << t.left << ".." << t.right;
        EXPECT_NEAR(t.left, links, 2) << zeile << ": " << t.left << ".." << t.right;
    }
}

TEST_F(Svg, PicturesAreReferredToByBareNames)
{
    const auto e = elemente(export_("BW 10,0000 10,0000\nGRF 0 20,0000 10,0000 \"bilder\\Schema.WMF\"\n"
                                    "GRF 0 45,0 20,0000 10,0000 \"Foto.jpg\"\nGRF 0 5,0000 5,0000 \"a&b.bmp\"\n"));
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[0], "  <image x=\"10\" y=\"277\" width=\"20\" height=\"10\"");
    EXPECT_EQ(e[1], "  xlink:href=\"Schema.png\"/>");
    EXPECT_EQ(e[2], "  <image x=\"10\" y=\"277\" width=\"20\" height=\"10\"");  // never turned
    EXPECT_EQ(e[3], "  xlink:href=\"Foto.jpg\"/>");
    EXPECT_EQ(e[5], "  xlink:href=\"a&amp;b.png\"/>");
}

TEST_F(Svg, HiddenLayersAreLeftOut)
{
    const auto e = elemente(export_("LAY 3\nZL 1,0000 0,0000\nLRA 3 0\nZL 2,0000 0,0000\nLRA 0 0\nLAY 1\n"
                                    "ZL 3,0000 0,0000\nLAY 3\nLRA 3 1\nZL 4,0000 0,0000\n"));
    ASSERT_EQ(e.size(), 2u);
    // LRA 0 switched layer 1 off, so the third line is left out too.
    EXPECT_NE(e[0].find("x1=\"0\" y1=\"297\" x2=\"1\""), std::string::npos) << e[0];
    EXPECT_NE(e[1].find("x1=\"6\" y1=\"297\" x2=\"10\""), std::string::npos) << e[1];
}

TEST_F(Svg, ACancelStillClosesTheDocument)
{
    // The progress box lives in the program's own module.
    const HINSTANCE vorher = anwDaten()->instanz;
    anwDaten()->instanz = GetModuleHandle(nullptr);
    wiLangStart("SVG");
    HWND h = wiLangFenster();
    anwDaten()->instanz = vorher;
    ASSERT_NE(h, 0u);
    PostMessage(h, WM_COMMAND, IDCANCEL, 0);
    const std::string svg = export_("ZL 1,0000 0,0000\nZL 2,0000 0,0000\n");
    wiLangEnde();
    // The box's cancel outlives it: a new start clears it for later tests.
    anwDaten()->instanz = GetModuleHandle(nullptr);
    wiLangStart("");
    wiLangEnde();
    anwDaten()->instanz = vorher;
    EXPECT_TRUE(elemente(svg).empty());
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    EXPECT_EQ(agAufruf("xmllint --noout '" + pfad("klein.svg") + "'"), 0);
}

TEST_F(Svg, FailuresWarnAndLeaveNoOutput)
{
    EXPECT_EQ(SvgExport(pfad("fehlt.zvk").c_str(), pfad("fehlt.svg").c_str()), -1);
    EXPECT_EQ(warnungen(), std::vector<std::string>{"Kann Zeichnung " + pfad("fehlt.zvk") + " nicht \xf6" "ffnen."});
    EXPECT_FALSE(fs::exists(pfad("fehlt.svg")));
    // Whichever open, write, close or rename fails: either a whole file is
    // written (a failed read of the settings only changes its pens), or a
    // warning names the file, the result is -1 and the old file stays as
    // it was, with no temporary file left beside it.
    const std::string z = zeichnung("alle", fixtur());
    ASSERT_EQ(SvgExport(z.c_str(), pfad("ganz.svg").c_str()), 0);
    const std::string ganz = stLesen(pfad("ganz.svg"));
    int fehlschlaege = 0;
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Schliessen, PlFehlerArt::Umbenennen}) {
        for (int n = 1; n <= 6; ++n) {
            stSchreiben(pfad("alt.svg"), "alt");
            plNachrichtBoxFragenLeeren();
            int r;
            {
                PlFehlerScope scope;
                plFehlerSetzen(art, n);
                r = SvgExport(z.c_str(), pfad("alt.svg").c_str());
            }
            const std::string wo = std::to_string(static_cast<int>(art)) + "/" + std::to_string(n);
            if (r == 0) {
                const std::string ist = stLesen(pfad("alt.svg"));
                EXPECT_TRUE(ist.size() > ganz.size() / 2 && ist.substr(ist.size() - std::strlen("</svg>\n")) == "</svg>\n") << wo << ist;
                EXPECT_TRUE(warnungen().empty()) << wo;
            } else {
                ++fehlschlaege;
                EXPECT_EQ(r, -1) << wo;
                EXPECT_EQ(stLesen(pfad("alt.svg")), "alt") << wo;
                ASSERT_EQ(warnungen().size(), 1u) << wo;
                EXPECT_TRUE(warnungen()[0] == "Kann Ausgabedatei " + pfad("alt.svg") + " nicht anlegen." ||
                            warnungen()[0] == "Kann Zeichnung " + z + " nicht \xf6" "ffnen.")
                    << wo << ": " << warnungen()[0];
            }
            for (const auto& e : fs::directory_iterator(ordner.basis)) {
                const std::string name = e.path().filename().string();
                EXPECT_TRUE(name == "alt.svg" || name == "ganz.svg" || name.find(".svg") == std::string::npos)
                    << wo << ": " << name;
            }
        }
    }
    EXPECT_GE(fehlschlaege, 4);
}

}  // namespace
