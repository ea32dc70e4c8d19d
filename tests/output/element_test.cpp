// Tests of the element renderer (output/element): one table of records run
// through a recording device (geometry, order, pens, texts and pictures),
// the layer flags, the background drawing, and the screen copy drawing
// through the GDI layer onto a bitmap target.
#include "output/element.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/befehl.h"
#include "model/einstell.h"
#include "model/stndtext.h"
#include "model/zustand.h"
#include "output/gdi.h"
#include "output/schrift.h"
#include "output/bilder.h"
#include "tests/output/gdigold.h"
#include "tests/platform/bildpruef.h"
#include "tests/output/stiltest.h"

namespace {

// ---- the recording device ----

struct Protokoll {
    std::vector<std::string> aufrufe;
    int stiftAntwort = 1;
    int zuKlein = 0;
};

std::string zahl(double v)
{
    char t[32];
    std::snprintf(t, sizeof t, "%.2f", std::fabs(v) < 0.005 ? 0.0 : v);
    return t;
}

std::string zahlen(std::initializer_list<double> v)
{
    std::string s;
    for (double d : v) s += (s.empty() ? "" : " ") + zahl(d);
    return s;
}

Protokoll& P(void* b) { return *static_cast<Protokoll*>(b); }

ELEMGERAET aufnahme(Protokoll* p)
{
    ELEMGERAET g{};
    g.benutzer = p;
    g.stift = [](void* b, int stil, const STT*) {
        P(b).aufrufe.push_back("stift " + std::to_string(stil));
        return P(b).stiftAntwort;
    };
    g.linie = [](void* b, double x1, double y1, double x2, double y2) {
        P(b).aufrufe.push_back("linie " + zahlen({x1, y1, x2, y2}));
    };
    g.rechteck = [](void* b, double x1, double y1, double x2, double y2, int f) {
        P(b).aufrufe.push_back("rechteck " + zahlen({x1, y1, x2, y2}) + " " + std::to_string(f));
    };
    g.polygon = [](void* b, const double* p, int n, int f) {
        std::string s = "polygon " + std::to_string(n) + " " + std::to_string(f);
        for (int i = 0; i < n; ++i) s += " " + zahl(p[2 * i]) + "," + zahl(p[2 * i + 1]);
        P(b).aufrufe.push_back(s);
    };
    g.ellipse = [](void* b, double x1, double y1, double x2, double y2, int f) {
        P(b).aufrufe.push_back("ellipse " + zahlen({x1, y1, x2, y2}) + " " + std::to_string(f));
    };
    g.ellipseGedreht = [](void* b, double cx, double cy, double rx, double ry, int t, int f) {
        P(b).aufrufe.push_back("gedreht " + zahlen({cx, cy, rx, ry}) + " " + std::to_string(t) + " " +
                               std::to_string(f));
    };
    g.bogen = [](void* b, double cx, double cy, double rx, double ry, int t, int m, int a0, int a1) {
        P(b).aufrufe.push_back("bogen " + zahlen({cx, cy, rx, ry}) + " " + std::to_string(t) + " " +
                               std::to_string(m) + " " + std::to_string(a0) + " " + std::to_string(a1));
    };
    g.schrift = [](void* b, int font, int w, double h, double f) {
        P(b).aufrufe.push_back("schrift " + std::to_string(font) + " " + std::to_string(w) + " " + zahlen({h, f}));
    };
    g.zuKlein = [](void* b) { return P(b).zuKlein; };
    g.textZeile = [](void* b, double x, double y, const char* t, int std) {
        P(b).aufrufe.push_back("zeile " + zahlen({x, y}) + " '" + t + "' " + std::to_string(std));
    };
    g.bild = [](void* b, double x1, double y1, double x2, double y2, int t, const char* datei) {
        P(b).aufrufe.push_back("bild " + zahlen({x1, y1, x2, y2}) + " " + std::to_string(t) + " " + datei);
        return 0;
    };
    return g;
}

BEF bef(int code, std::initializer_list<int> i, std::initializer_list<double> d, const char* text = "", int sub = 0)
{
    BEF b{};
    b.code = static_cast<uint8_t>(code);
    b.sub = static_cast<uint8_t>(sub);
    int k = 0;
    for (int v : i) b.iarg[k++] = v;
    k = 0;
    for (double v : d) b.darg[k++] = v;
    std::snprintf(b.text, sizeof b.text, "%s", text);
    return b;
}

STT zustand()
{
    STT s{};
    s.mass = s.msm = s.msf = 1;
    s.layer = 1;
    s.x = 10;
    s.y = 20;
    s.st = 3;
    s.sa = 7;
    s.sl = 4;
    s.tg = 5;
    s.tv = 1;
    s.th = 1;
    return s;
}

struct Element : ::testing::Test {
    StOrdner ordner;
    std::string texte;
    void SetUp() override
    {
        // A standard-text file with a two-line and a three-line block.
        texte = (ordner.projekt / "STD.TXT").string();
        stSchreiben(texte,
                    "KOPF  Zeile eins\n"
                    "      Zeile zwei\n"
                    "DREI  a\n"
                    "      bb\n"
                    "      ccc\n");
    }
    void TearDown() override { StndTextWaehlen(nullptr); }
};

// ---- the table ---------------------------------------------------------------------------------

TEST_F(Element, RecordsThroughTheMembers)
{
    const std::string projektBild = (ordner.projekt / "bild.png").string();
    struct Fall {
        const char* was;
        BEF b;
        void (*zustand)(STT*);
        int zuKlein;
        int gezeichnet;
        std::vector<std::string> soll;
    };
    const std::vector<Fall> faelle = {
        {"ZL turned by the direction", bef(40, {}, {10, 0}), [](STT* s) { s->richtung = 900; }, 0, 1,
         {"stift 3", "linie 10.00 20.00 10.00 30.00"}},
        {"RTK at 45 degrees: a polygon by its corners", bef(68, {0, 450}, {10, 4}), nullptr, 0, 1,
         {"stift 3", "polygon 4 0 10.00,20.00 17.07,27.07 14.24,29.90 7.17,22.83"}},
        {"RTK at 90 degrees: the turned box", bef(68, {1, 900}, {10, 4}), nullptr, 0, 1,
         {"stift 3", "rechteck 10.00 20.00 6.00 30.00 1"}},
        {"BOG at direction 0 from angle 0: centre rx to the left", bef(65, {0, 900, 1}, {5, 3}, "", 7), nullptr, 0, 1,
         {"stift 7", "bogen 5.00 20.00 5.00 3.00 0 1 0 900"}},
        {"TKR about the position, scaled", bef(64, {100, 200}, {5, 3}), [](STT* s) { s->mass = 2; }, 0, 1,
         {"stift 3", "bogen 10.00 20.00 10.00 6.00 0 0 100 200"}},
        {"KRE at 90 degrees: the turned box", bef(67, {1, 900}, {6, 3}), nullptr, 0, 1,
         {"stift 3", "ellipse 13.00 14.00 7.00 26.00 1"}},
        {"KRE at 30 degrees: a turned ellipse", bef(67, {0, 300}, {6, 3}), nullptr, 0, 1,
         {"stift 3", "gedreht 10.00 20.00 6.00 3.00 300 0"}},
        {"PKT with its point size", bef(62, {}, {}, "", 0), nullptr, 0, 1,
         {"stift 3", "ellipse 9.50 19.50 10.50 20.50 1"}},
        {"DRE filled", bef(63, {1}, {4, 3}), nullptr, 0, 1, {"stift 3", "polygon 3 1 10.00,20.00 7.00,18.00 7.00,22.00"}},
        {"TSM: a block and the words after '@' on its first line", bef(55, {}, {}, "KOPF@ mehr Worte"), nullptr, 0, 1,
         {"stift 3", "schrift 0 0 5.00 1.00", "zeile -42.50 20.00 'Zeile eins mehr Worte' 1",
          "zeile -42.50 10.00 'Zeile zwei' 1"}},
        {"TSZ: three centred lines, the block's centre on the position", bef(57, {}, {}, "DREI"), nullptr, 0, 1,
         {"stift 3", "schrift 0 0 5.00 1.00", "zeile 2.50 27.50 'a' 1", "zeile 2.50 17.50 'bb' 1",
          "zeile 2.50 7.50 'ccc' 1"}},
        {"TFZ: one centred line at scale 2, height centred", bef(53, {}, {}, "Ab"), [](STT* s) { s->mass = 2; }, 0, 1,
         {"stift 3", "schrift 0 0 10.00 1.00", "zeile 0.00 15.00 'Ab' 0"}},
        {"TFE turned with the text angle", bef(52, {}, {}, "Ab\x02\x03|x\x04zz"), [](STT* s) { s->tr = 900; }, 0, 1,
         {"stift 3", "schrift 0 900 5.00 1.00", "zeile 10.00 0.00 'Ab|x' 0"}},
        {"a text too small to read: its outline", bef(50, {}, {}, "Ab"), nullptr, 1, 1,
         {"stift 3", "schrift 0 0 5.00 1.00", "polygon 4 0 10.00,25.00 10.00,20.00 20.00,20.00 20.00,25.00"}},
        {"a placeholder text is not drawn", bef(50, {}, {}, "@Q123"), nullptr, 0, 1, {"stift 3"}},
        {"an attribute text without its marker and kind letter, variables as they stand",
         bef(50, {}, {}, "\x01LIP65 @N"), nullptr, 0, 1,
         {"stift 3", "schrift 0 0 5.00 1.00", "zeile 10.00 20.00 'IP65 @N' 0"}},
        {"an attribute text of the marker alone is not drawn", bef(50, {}, {}, "\x01L"), nullptr, 0, 1, {"stift 3"}},
        {"GRF from the library's folder", bef(69, {1, 900}, {20, 10}, "teil.png"),
         [](STT* s) { std::snprintf(s->bd, sizeof s->bd, "/bib/LIB.bib"); }, 0, 1,
         {"bild 10.00 20.00 0.00 40.00 900 /bib/teil.png"}},
        {"GRF from the project, not turned at 45 degrees", bef(69, {0, 450}, {20, 10}, "bild.png"), nullptr, 0, 1,
         {"bild 10.00 20.00 30.00 30.00 450 " + projektBild}},
        {"code 16 is not an element", bef(16, {0, 1}, {}), nullptr, 0, 0, {}},
        {"code 70 is outside the switch", bef(70, {}, {}), nullptr, 0, 0, {}},
        {"state pen 0 selects entry 0", bef(40, {}, {1, 1}), [](STT* s) { s->st = 0; }, 0, 1,
         {"stift 1", "linie 10.00 20.00 11.00 21.00"}},
        {"state pen 250 selects entry 98", bef(40, {}, {1, 1}), [](STT* s) { s->st = 250; }, 0, 1,
         {"stift 99", "linie 10.00 20.00 11.00 21.00"}},
    };
    for (const Fall& f : faelle) {
        Protokoll p;
        p.zuKlein = f.zuKlein;
        ELEMGERAET g = aufnahme(&p);
        STT s = zustand();
        std::snprintf(s.td, sizeof s.td, "%s", texte.c_str());
        if (f.zustand) f.zustand(&s);
        EXPECT_EQ(ElemZeichnen(&g, &f.b, &s), f.gezeichnet) << f.was;
        EXPECT_EQ(p.aufrufe, f.soll) << f.was;
    }
}

TEST_F(Element, APenAnsweringZeroSkipsTheElement)
{
    for (const BEF& b : {bef(40, {}, {1, 1}), bef(68, {0, 0}, {1, 1}), bef(50, {}, {}, "Text"), bef(62, {}, {})}) {
        Protokoll p;
        p.stiftAntwort = 0;
        ELEMGERAET g = aufnahme(&p);
        STT s = zustand();
        ElemZeichnen(&g, &b, &s);
        ASSERT_EQ(p.aufrufe.size(), 1u) << int(b.code);
        EXPECT_EQ(p.aufrufe[0].rfind("stift", 0), 0u);
    }
    // The text-suppressed flag holds texts back until cleared.
    Protokoll p;
    ELEMGERAET g = aufnahme(&p);
    STT s = zustand();
    ElemTextAus(&g, 1);
    BEF t = bef(50, {}, {}, "Text");
    ElemZeichnen(&g, &t, &s);
    EXPECT_TRUE(p.aufrufe.empty());
    // A device that hides attribute texts draws the others.
    Protokoll q;
    ELEMGERAET h = aufnahme(&q);
    h.attributAus = 1;
    BEF attribut = bef(50, {}, {}, "\x01LNotlicht");
    ElemZeichnen(&h, &attribut, &s);
    EXPECT_EQ(q.aufrufe, std::vector<std::string>{"stift 3"});
    ElemZeichnen(&h, &t, &s);
    ASSERT_EQ(q.aufrufe.size(), 4u);
    EXPECT_NE(q.aufrufe.back().find("'Text'"), std::string::npos) << q.aufrufe.back();
}

TEST_F(Element, PlacementAppliesToEveryCoordinate)
{
    JusTrafo jus{};
    jus.drehung = 1;  // a quarter turn
    jus.x = 100;
    jus.mass = 2;
    Protokoll p;
    ELEMGERAET g = aufnahme(&p);
    g.platzierung = ELEM_PLATZ_JUS;
    g.jus = &jus;
    STT s = zustand();
    BEF b = bef(64, {0, 900}, {5, 3});
    ElemZeichnen(&g, &b, &s);
    double x = 10, y = 20;
    JusPunkt(&jus, &x, &y);
    ASSERT_EQ(p.aufrufe.size(), 2u);
    EXPECT_EQ(p.aufrufe[1], "bogen " + zahlen({x, y, JusMass(&jus, 5), JusMass(&jus, 3)}) + " " +
                                std::to_string(JusWinkel(&jus, 0)) + " 0 0 900");
}

TEST_F(Element, LayerFlagsFollowTheLayerRecords)
{
    Protokoll p;
    ELEMGERAET g = aufnahme(&p);
    g.layerAn = 1;
    for (int n = 1; n <= 20; ++n) LayerSichtSetzen(n, n != 4);
    ElemLayerAnfang(&g);
    EXPECT_EQ(g.layer[0], 1);
    EXPECT_EQ(g.layer[4], 0);
    EXPECT_EQ(g.layer[5], 1);
    struct Fall {
        int int0, int1, layer, wert;
    } const faelle[] = {{0, 0, 1, 0}, {25, 0, 20, 0}, {-3, 1, 1, 1}, {4, 1, 4, 1}, {20, 1, 20, 1}};
    for (const Fall& f : faelle) {
        BEF b = bef(16, {f.int0, f.int1}, {});
        EXPECT_EQ(ElemLayerSchalten(&g, &b), 1);
        EXPECT_EQ(g.layer[f.layer], f.wert) << f.int0;
    }
    STT s = zustand();
    s.layer = 20;
    EXPECT_TRUE(ElemLayerAn(&g, &s));
    BEF aus = bef(16, {25, 0}, {});
    ElemLayerSchalten(&g, &aus);
    EXPECT_FALSE(ElemLayerAn(&g, &s));
    BEF zl = bef(40, {}, {1, 1});
    EXPECT_EQ(ElemLayerSchalten(&g, &zl), 0);
    for (int n = 1; n <= 20; ++n) LayerSichtSetzen(n, 1);
}

// ---- background drawing ----------------------------------------------------------------------

TEST_F(Element, BackgroundNamesAndDrawing)
{
    char pfad[300];
    HgPfad("hg.001", pfad, sizeof pfad);
    EXPECT_EQ(std::string(pfad), (ordner.projekt / "hg.001").string());
    HgPfad("/woanders/hg.001", pfad, sizeof pfad);
    EXPECT_EQ(std::string(pfad), "/woanders/hg.001");

    // Shown: the drawing (one line of 10 units) in the background colour.
    static std::string name;
    name = std::string(VELMO_TEST_DATA) + "/model/ZL.001";
    GRUNDEINST alt = *GrundEinst();
    GrundEinst()->zvms = 10, GrundEinst()->zvst = 1, GrundEinst()->zvsa = 7, GrundEinst()->zvsl = 40;
    GrundEinst()->zvx = 100, GrundEinst()->zvy = 100;
    for (int an = 0; an < 2; ++an) {
        ElemEditorHaken h;
        h.hgAn = an ? +[] { return 1; } : +[] { return 0; };
        h.hgName = [](char* p, size_t n) { std::snprintf(p, n, "%s", name.c_str()); };
        h.hgFarbe = [](int rgb[3]) { rgb[0] = 0, rgb[1] = 160, rgb[2] = 0; };
        ElemEditorHakenSetzen(h);
        ASSERT_EQ(GdiBitmapBeginn(100, 60, nullptr), 0);
        AbbildungSetzenFrei(0, 0, 50, 30, 100, 60, 0, 0, 100, 50, 50);
        HgZeichnen();
        HBITMAP bm = GdiBitmapEnde();
        GdiBildPixel px = gdiBildLesen(bm);
        DeleteObject(bm);
        if (an) {
            EXPECT_EQ(px.anzahl(RGB(0, 160, 0)), 20);
            EXPECT_EQ(px.an(25, WeltZuPixelY(10)), RGB(0, 160, 0));
        } else {
            EXPECT_EQ(px.anzahl(RGB(255, 255, 255)), 6000);
        }
    }
    ElemEditorHaken aus;
    aus.hgAn = [] { return 0; };
    ElemEditorHakenSetzen(aus);
    *GrundEinst() = alt;
}

// ---- the screen copy -------------------------------------------------------------------------

TEST_F(Element, ScreenCopyDrawsTinyTextsAsBoxesAndPicturesInTheirBox)
{
    std::filesystem::copy_file(std::string(VELMO_TEST_DATA) + "/output/bilder/ecke.png", ordner.projekt / "ecke.png");
    BildBibLaden();
    ASSERT_EQ(GdiBitmapBeginn(200, 120, nullptr), 0);
    AbbildungSetzenFrei(0, 0, 100, 60, 200, 120, 0, 0, 100, 50, 50);
    STT s = zustand();
    s.st = 1;
    s.sa = 7;
    s.tg = 2;  // 4 pixels high: too small to read
    BEF t = bef(50, {}, {}, "Klein");
    ElemZeichnen(ElemBildschirm(), &t, &s);
    // A 40 x 20 picture turned a quarter: 20 wide, 40 high, at (60, 10).
    s.x = 80;
    s.y = 10;
    BEF grf = bef(69, {0, 900}, {40, 20}, "ecke.png");
    ElemZeichnen(ElemBildschirm(), &grf, &s);
    HBITMAP bm = GdiBitmapEnde();
    GdiBildPixel px = gdiBildLesen(bm);
    DeleteObject(bm);
    BildBibFreigeben();

    // The box of "Klein": 5 x 2 x 1 units wide, 2 high, from (10, 20).
    const COLORREF schwarz = RGB(0, 0, 0);
    EXPECT_EQ(px.an(WeltZuPixelX(10), WeltZuPixelY(21)), schwarz);
    EXPECT_EQ(px.an(WeltZuPixelX(15), WeltZuPixelY(20)), schwarz);
    EXPECT_EQ(px.an(WeltZuPixelX(15), WeltZuPixelY(21)), RGB(255, 255, 255)) << "an outline, not letters";
    // The picture fills the pixel box (120, 20)-(160, 100) turned: red corner
    // at the bottom left after a counter-clockwise quarter turn.
    RECT r{0, 0, 0, 0};
    GdiBildPixel nurBild = px;
    for (int y = 0; y < px.h; ++y)
        for (int x = 0; x < 100; ++x) nurBild.p[static_cast<size_t>(y) * px.w + x] = 0xFFFFFF;
    r = nurBild.tinte();
    EXPECT_EQ(r.left, WeltZuPixelX(60));
    EXPECT_EQ(r.right, WeltZuPixelX(80));
    EXPECT_EQ(r.top, WeltZuPixelY(50));
    EXPECT_EQ(r.bottom, WeltZuPixelY(10));
    EXPECT_TRUE(bildpruef::nahe(px.an(r.left + 2, r.bottom - 3), RGB(255, 0, 0)));
    EXPECT_TRUE(bildpruef::nahe(px.an(r.right - 3, r.top + 3), RGB(0, 255, 0)));
}

}  // namespace
