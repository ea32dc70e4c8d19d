// HPGL plot output: byte-exact plots of the fixture drawing under fixed
// plotter settings (pen-sorted and circle commands off and on, the
// plotter escape sequences, a placement) and of a label drawing under the
// four conversion modes, each read by hp2xx; the state cache, pens, line
// types, pen passes, curve steps, hatching and labels as small cases;
// settings, cancel and failures; and a plot imported back to its lines.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "ausgabetest.h"
#include "model/befehl.h"
#include "model/geometri.h"
#include "model/justage.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "output/hpglimp.h"
#include "output/plotdriv.h"
#include "platform/nachricht.h"
#include "platform/windef.h"
#include "platform/ressource.h"
#include "winlib/anwdaten.h"
#include "winlib/langdlg.h"

namespace {

namespace fs = std::filesystem;

struct Plot : AusgabeTest {
    std::string plot(const std::string& zeilen, const std::string& format = "ZA3")
    {
        const std::string z = zeichnung("klein", "VER 10\n" + zeilen + format + "\n");
        EXPECT_EQ(HpglPlot(z.c_str(), pfad("klein.plt").c_str()), 0);
        return stLesen(pfad("klein.plt"));
    }
    // The commands between the start "IN;IP0,0,1,4000;" and the parking move.
    static std::string mitte(const std::string& p)
    {
        const std::string start = "IN;IP0,0,1,4000;\r\n";
        const size_t a = p.find(start);
        const size_t e = p.rfind("PU;PA16000,11200;\r\n");
        if (a == std::string::npos || e == std::string::npos || e < a) return "?" + p;
        return p.substr(a + start.size(), e - a - start.size());
    }
    static int anzahl(const std::string& t, const std::string& teil)
    {
        int n = 0;
        for (size_t i = t.find(teil); i != std::string::npos; i = t.find(teil, i + 1)) ++n;
        return n;
    }
    void hp2xx(const std::string& datei)
    {
        ASSERT_TRUE(agProgrammDa("hp2xx")) << "hp2xx missing (scripts/install-deps)";
        const std::string aus = datei + ".eps";
        EXPECT_EQ(agAufruf("hp2xx -q -m eps -f '" + aus + "' '" + datei + "'"), 0) << datei;
        EXPECT_TRUE(fs::exists(aus) && fs::file_size(aus) > 0) << aus;
    }
};

std::string fixtur() { return stLesen(agDaten("alle.txt")); }

TEST_F(Plot, FixtureDrawingMatchesItsGoldenPlotsAndHp2xxReadsThem)
{
    std::string a4text = fixtur();
    a4text.replace(a4text.rfind("ZA3"), 3, "ZA4");
    struct Fall {
        const char* golden;
        std::map<std::string, std::string> werte;
        bool a4;
    };
    const Fall faelle[] = {
        {"alle.plt", {}, false},
        {"alle-sez-kkr.plt", {{"PlXsez", "1"}, {"PlXkkr", "1"}}, false},
        {"alle-kkr.plt", {{"PlXkkr", "1"}}, false},
        {"alle-sez.plt", {{"PlXsez", "1"}}, false},
        {"alle-euas.plt", {{"PlXeuas", "1"}, {"PlXaseq", "IW;"}, {"PlXeseq", "PG;"}}, false},
        {"alle-a4.plt", {}, true},
    };
    for (const Fall& f : faelle) {
        satz(f.werte);
        const std::string z = f.a4 ? zeichnung("alle4", a4text) : zeichnung("alle", fixtur());
        ASSERT_EQ(HpglPlot(z.c_str(), pfad(f.golden).c_str()), 0) << f.golden;
        agGolden(stLesen(pfad(f.golden)), f.golden);
        if (!f.werte.count("PlXeuas")) hp2xx(pfad(f.golden));
    }
    // Labels under the four conversion modes.
    const std::string texte = "VER 10\nTG 5,0000\nBW 20,0000 20,0000\nTFA \"Gr\xfc\xdf" "e \xc4\xd6\xdc \xe9\"\nTR 90,0\n"
                              "TV 0,5000\nBW 20,0000 0,0000\nTFA \"Stra\xdf" "e\"\nZA3\n";
    for (int kum = 0; kum <= 3; ++kum) {
        satz({{"PlXkum", std::to_string(kum)}});
        const std::string z = zeichnung("texte", texte);
        const std::string name = "texte-kum" + std::to_string(kum) + ".plt";
        ASSERT_EQ(HpglPlot(z.c_str(), pfad(name).c_str()), 0);
        agGolden(stLesen(pfad(name)), name);
        hp2xx(pfad(name));
    }
    EXPECT_TRUE(warnungen().empty());
}

TEST_F(Plot, MovesPensAndLineTypesAreWrittenOnlyWhenTheyChange)
{
    // A move to (10, 20) mm is PU;PA400,800; with CR LF; the second line
    // starts where the first ended, so no move is written for it.
    EXPECT_EQ(mitte(plot("BW 10,0000 20,0000\nZL 5,0000 0,0000\nZL 5,0000 0,0000\nZL 0,0000 5,0000\n")),
              "PU;SP1;\r\nLT;\r\nPU;PA400,800;\r\nPD;PA600,800;\r\nPD;PA800,800;\r\nPD;PA800,1000;\r\n");
    // Pen 12 plots with pen 8's string; line type 2 with its dash length in
    // mm (a percentage of the 100 mm P1-P2 diagonal, as on screen); a
    // length below 0.1 becomes 10.0; solid is "LT;" once.
    EXPECT_EQ(mitte(plot("ST 12\nSA 2\nZL 1,0000 0,0000\nST 2\nZL 1,0000 0,0000\nMS 0,0500\nSL 0,1000\n"
                         "ZL 20,0000 0,0000\nSA 7\nZL 20,0000 0,0000\nZL 20,0000 0,0000\n")),
              "PU;SP8;VS10;\r\nLT2,4.0;\r\nPU;PA0,0;\r\nPD;PA40,0;\r\nPU;SP2;\r\nPD;PA80,0;\r\n"
              "LT2,10.0;\r\nPD;PA120,0;\r\nLT;\r\nPD;PA160,0;\r\nPD;PA200,0;\r\n");
    // Pen 0 in the state selects pen 1.
    EXPECT_EQ(mitte(plot("ST 3\nZL 1,0000 0,0000\nST 0\nZL 1,0000 0,0000\n")),
              "PU;SP3;\r\nLT;\r\nPU;PA0,0;\r\nPD;PA40,0;\r\nPU;SP1;\r\nPD;PA80,0;\r\n");
}

TEST_F(Plot, SettingsAreReadUnderThePlotterAndSheetPrefixes)
{
    satz({{"PlA3St1", "SP5;"}, {"PlA3St2", ""}, {"PlA3St3", "12"}, {"PlXsa1", "0"}});
    PlotterSatz p;
    PlotterWerte w;
    HpglEinstellungen(0, &p, &w);
    EXPECT_STREQ(p.name, "Testplotter");
    EXPECT_EQ(p.kvs, 1);
    EXPECT_STREQ(p.va3, "PU;PS4;");
    EXPECT_STREQ(p.stift[0], "PU;SP1;");
    EXPECT_STREQ(p.stift[1], "PU;SP1;");
    EXPECT_STREQ(p.stift[2], "SP5;");
    EXPECT_STREQ(p.stift[3], "PU;SP1;");    // empty: slot 1
    EXPECT_STREQ(p.stift[4], "PU;SP12;");
    EXPECT_STREQ(p.stift[8], "PU;SP8;VS10;");
    EXPECT_STREQ(p.stift[20], "PU;SP1;");
    EXPECT_DOUBLE_EQ(w.sa[0], 1.0);
    EXPECT_DOUBLE_EQ(w.sa[1], 0.0);
    EXPECT_DOUBLE_EQ(p.rlx, 400.0);
    HpglEinstellungen(1, &p, &w);
    EXPECT_EQ(p.jus.drehung, 1);
    EXPECT_DOUBLE_EQ(p.jus.x, 210.0);
    EXPECT_STREQ(p.va4, "PU;PS3;");
    EXPECT_STREQ(p.stift[2], "PU;SP1;");

    // A set without any pen string still selects pen 1, so a plot draws.
    satz({{"PlA3St0", ""}, {"PlA3St1", ""}, {"PlA3St2", ""}, {"PlA3St7", ""}});
    HpglEinstellungen(0, &p, &w);
    for (int n : {0, 1, 2, 8, 20}) EXPECT_STREQ(p.stift[n], "PU;SP1;") << n;
    EXPECT_NE(plot("ZL 1,0000 0,0000\n").find("IN;IP0,0,1,4000;\r\nPU;SP1;\r\n"), std::string::npos);
    // The shipped sets name a pen for every slot.
    for (const char* satzDatei : {"/data/Standard.vgb", "/demo/Projekt/Standard.vgb"}) {
        const std::string t = stLesen(std::string(VELMO_SOURCE_DIR) + satzDatei);
        for (const char* f : {"PlA3", "PlA4"})
            for (int n = 0; n < 20; ++n) {
                const std::string k = std::string("\n") + f + "St" + std::to_string(n) + " ";
                const size_t at = t.find(k);
                ASSERT_NE(at, std::string::npos) << satzDatei << k;
                EXPECT_NE(t.find_first_not_of(' ', at + k.size()), t.find('\r', at)) << satzDatei << k;
            }
    }
}

TEST_F(Plot, PenSortedPlotsWalkOncePerPenUsed)
{
    satz({{"PlXsez", "1"}});
    // Pens 3, 1, 3: pen 1's line first, then both of pen 3.
    std::string m = mitte(plot("ST 3\nZL 1,0000 0,0000\nST 1\nZL 1,0000 0,0000\nST 3\nZL 1,0000 0,0000\n"));
    EXPECT_EQ(m, "PU;SP1;\r\nLT;\r\nPU;PA40,0;\r\nPD;PA80,0;\r\n"
                 "PU;SP3;\r\nLT;\r\nPU;PA0,0;\r\nPD;PA40,0;\r\nPU;PA80,0;\r\nPD;PA120,0;\r\n");
    // Only pen 3: the pass of pen 1 draws nothing.
    m = mitte(plot("ST 3\nZL 1,0000 0,0000\n"));
    EXPECT_EQ(m, "PU;SP3;\r\nLT;\r\nPU;PA0,0;\r\nPD;PA40,0;\r\n");
    // A new round clears the used pens but pen 1.
    EXPECT_EQ(HpglNaechsterStift(0), 1);
    EXPECT_EQ(HpglNaechsterStift(1), 0);
}

TEST_F(Plot, CurvesStepBySizeAndEndOnTheirEndAngle)
{
    // rx + ry = 60: 5-degree steps, 18 of them, the last exactly at 90.
    std::string m = mitte(plot("BW 100,0000 100,0000\nTKR 0,0 90,0 30,0000 30,0000\n"));
    EXPECT_EQ(anzahl(m, "PD;PA"), 18);
    EXPECT_NE(m.find("PU;PA5200,4000;\r\nPD;PA5195,4104;"), std::string::npos) << m;
    EXPECT_NE(m.find("PD;PA4000,5200;\r\nPU;PA4000,4000;\r\n"), std::string::npos) << m;
    // Larger curves take finer steps.
    struct Fall {
        const char* r;
        int schritte;
    };
    for (const Fall& f : {Fall{"50,5000", 90 / 3}, Fall{"100,5000", 90 / 2}, Fall{"200,5000", 90}}) {
        m = mitte(plot(std::string("BW 100,0000 100,0000\nTKR 0,0 90,0 ") + f.r + " " + f.r + "\n"));
        EXPECT_EQ(anzahl(m, "PD;PA"), f.schritte) << f.r;
    }
    // With circle commands: CI and AR about the centre.
    satz({{"PlXkkr", "1"}});
    m = mitte(plot("BW 100,0000 100,0000\nTKR 0,0 90,0 30,0000 30,0000\nKRE 0 10,0000 10,0000\n"));
    EXPECT_EQ(m, "PU;SP1;\r\nLT;\r\nPU;PA4000,4000;\r\nPU;PA5200,4000;\r\nPD;AR-1200,0,90.0;PU;\r\nPU;PA4000,4000;\r\n"
                 "PU;CI400;\r\n");
}

TEST_F(Plot, FilledShapesAreHatchedWithTheirPensSpacing)
{
    // Height 10, spacing 3: lines 2.5, 5.0 and 7.5 below the top, alternating.
    satz({{"PlXsa0", "30"}});
    EXPECT_EQ(mitte(plot("RTK 1 20,0000 10,0000\n")),
              "PU;SP1;\r\nLT;\r\nPU;PA0,0;\r\nPD;PA800,0;\r\nPD;PA800,400;\r\nPD;PA0,400;\r\nPD;PA0,0;\r\n"
              "PU;PA0,300;\r\nPD;PA800,300;\r\nPD;PA800,200;\r\nPD;PA0,200;\r\nPD;PA0,100;\r\nPD;PA800,100;\r\n"
              "PU;PA0,0;\r\n");
    // A triangle and a turned rectangle hatch across; pen 12 takes pen 8's
    // spacing (2.5 mm).
    std::string m = mitte(plot("ST 12\nDRE 1 0,0 1 10,0000 0,0000\nRTK 1 45,0 10,0000 4,0000\n"));
    EXPECT_GT(anzahl(m, "PD;PA"), 8);
    m = mitte(plot("ST 1\nPKT\n"));
    EXPECT_NE(m.find("PU;PA20,0;"), std::string::npos) << m;   // the point's ring of 0.5 mm
}

TEST_F(Plot, HugeShapesAndAnglesStayBounded)
{
    // Far beyond the sheet: the hatch lines, rings and arc steps are capped,
    // plotter units held at the integer range.
    satz({{"PlXkkr", "1"}});
    const std::string p = plot("RTK 1 10,0000 1000000,0000\nKRE 1 100000,0000 100000,0000\n"
                               "TKR 0,0 200000000,0 1,0000 1,0000\nTKR -5000,0 5000,0 2,0000 3,0000\n"
                               "BW 1000000000,0000 0,0000\nZL 1,0000 0,0000\n");
    EXPECT_LT(p.size(), 1000000u);
    EXPECT_EQ(anzahl(p, "PU;CI"), 6000);
    EXPECT_NE(p.find("PU;PA2147483647,0;"), std::string::npos);
    EXPECT_EQ(anzahl(p, "AR"), 1);
}

TEST_F(Plot, LabelsConvertNationalCharacters)
{
    struct Fall {
        int kum;
        const char* text;
        const char* aus;
    };
    for (const Fall& f : {Fall{0, "\xfc", "\x03" "CS2;LBu}\x03" "CS0;LB"}, Fall{0, "Ab", "Ab"},
                          Fall{1, "\xfc", "\x03" "CS7;LBO\x03" "CS0;LB"}, Fall{1, "\xe9", "\x03" "CS7;LBE\x03" "CS0;LB"},
                          Fall{2, "\xfc", "\x81"}, Fall{3, "\xfc", "\xfc"}, Fall{0, "", ""}}) {
        char t[256];
        HpglTextUmsetzen(f.text, f.kum, t, sizeof t);
        EXPECT_EQ(std::string(t), std::string(f.aus)) << f.kum << " " << f.text;
    }
    // Letters the tables give as blanks, and characters of no OEM code, go
    // out as the nearest the plotter's ASCII set holds, never as raw 8-bit
    // bytes; the OEM and raw modes leave them alone.
    for (int kum : {0, 1}) {
        char t[256];
        HpglTextUmsetzen("\xdf \xd8 \xb5 \xb1 \xb2 \xb0 \xa4", kum, t, sizeof t);
        EXPECT_EQ(std::string(t), "ss O u +- 2 o ?") << kum;
    }
    char t[256];
    HpglTextUmsetzen("\xb5", 3, t, sizeof t);
    EXPECT_EQ(std::string(t), "\xb5");
    // In a plot: pen, solid line (of the label's own length), direction and
    // size, then the label. A letter the table writes as two characters
    // takes two cells, each half as wide, so the label keeps its width.
    const std::string m = mitte(plot("ST 2\nTG 3,0000\nTV 1,0000\nBW 10,0000 10,0000\nTFA \"\xfc\"\n"));
    EXPECT_EQ(m, "PU;SP2;\r\nLT;\r\nPU;PA400,400;\r\nLT;\r\nDI100,0;SI0.200,0.300;\r\nSI0.100,0.300;\r\nPU;LB\x03" "CS2;LBu}\x03" "CS0;LB\x03\r\n");
}

TEST_F(Plot, ACancelStopsEveryLaterPassButTheEndIsWritten)
{
    satz({{"PlXsez", "1"}});
    // The progress box lives in the program's own module.
    const HINSTANCE vorher = anwDaten()->instanz;
    anwDaten()->instanz = GetModuleHandle(nullptr);
    wiLangStart("HPGL");
    HWND h = wiLangFenster();
    anwDaten()->instanz = vorher;
    ASSERT_NE(h, 0u);
    PostMessage(h, WM_COMMAND, IDCANCEL, 0);
    const std::string p = plot("ST 3\nZL 1,0000 0,0000\nST 1\nZL 1,0000 0,0000\n");
    wiLangEnde();
    // The box's cancel outlives it: a new start clears it for later tests.
    anwDaten()->instanz = GetModuleHandle(nullptr);
    wiLangStart("");
    wiLangEnde();
    anwDaten()->instanz = vorher;
    EXPECT_EQ(mitte(p), "");
    EXPECT_NE(p.find("PU;PA16000,11200;\r\nPU;PS4;\r\n"), std::string::npos);
}

TEST_F(Plot, FailuresWarnAndLeaveNoOutput)
{
    EXPECT_EQ(HpglPlot(pfad("fehlt.zvk").c_str(), pfad("fehlt.plt").c_str()), -1);
    EXPECT_EQ(warnungen(), std::vector<std::string>{"Kann Zeichnung " + pfad("fehlt.zvk") + " nicht \xf6" "ffnen."});
    EXPECT_FALSE(fs::exists(pfad("fehlt.plt")));
    // Whichever open, write, close or rename fails: either a whole file is
    // written (a failed read of the settings only changes its pens), or a
    // warning names the file, the result is -1 and the old file stays as
    // it was, with no temporary file left beside it.
    const std::string z = zeichnung("alle", fixtur());
    ASSERT_EQ(HpglPlot(z.c_str(), pfad("ganz.plt").c_str()), 0);
    const std::string ganz = stLesen(pfad("ganz.plt"));
    int fehlschlaege = 0;
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Schliessen, PlFehlerArt::Umbenennen}) {
        for (int n = 1; n <= 6; ++n) {
            stSchreiben(pfad("alt.plt"), "alt");
            plNachrichtBoxFragenLeeren();
            int r;
            {
                PlFehlerScope scope;
                plFehlerSetzen(art, n);
                r = HpglPlot(z.c_str(), pfad("alt.plt").c_str());
            }
            const std::string wo = std::to_string(static_cast<int>(art)) + "/" + std::to_string(n);
            if (r == 0) {
                const std::string ist = stLesen(pfad("alt.plt"));
                // Complete: the last line of the drawing is there, and the end.
                const std::string letzte = ganz.substr(ganz.rfind("PD;PA"), ganz.find("\r\n", ganz.rfind("PD;PA")) - ganz.rfind("PD;PA"));
                EXPECT_NE(ist.find(letzte), std::string::npos) << wo << ist;
                EXPECT_EQ(ist.substr(ist.size() - 3), ";\r\n") << wo;
                EXPECT_TRUE(warnungen().empty()) << wo;
            } else {
                ++fehlschlaege;
                EXPECT_EQ(r, -1) << wo;
                EXPECT_EQ(stLesen(pfad("alt.plt")), "alt") << wo;
                ASSERT_EQ(warnungen().size(), 1u) << wo;
                EXPECT_TRUE(warnungen()[0] == "Kann Ausgabedatei " + pfad("alt.plt") + " nicht anlegen." ||
                            warnungen()[0] == "Kann Zeichnung " + z + " nicht \xf6" "ffnen.")
                    << wo << ": " << warnungen()[0];
            }
            for (const auto& e : fs::directory_iterator(ordner.basis)) {
                const std::string name = e.path().filename().string();
                EXPECT_TRUE(name == "alt.plt" || name == "ganz.plt" || name.find(".plt") == std::string::npos)
                    << wo << ": " << name;
            }
        }
    }
    EXPECT_GE(fehlschlaege, 4);
}

// ---- round trip through the HPGL import ----

struct Strecke {
    double x1, y1, x2, y2;
};
std::vector<Strecke>* rtStrecken = nullptr;

int rtLinien(const BEF* b, const STT* s)
{
    if (b->code != BEF_ZL) return 0;
    double dx = b->darg[0], dy = b->darg[1];
    Drehen(s->richtung, &dx, &dy);
    rtStrecken->push_back({s->x, s->y, s->x + s->mass * dx, s->y + s->mass * dy});
    return 0;
}

std::vector<Strecke> linien(const std::string& zeichnung)
{
    std::vector<Strecke> r;
    rtStrecken = &r;
    STT s;
    std::memset(&s, 0, sizeof s);
    SttInit(&s, nullptr);
    ZeiDurchlaufen(zeichnung.c_str(), &s, rtLinien);
    rtStrecken = nullptr;
    return r;
}

TEST_F(Plot, APlotImportsBackToItsLines)
{
    const std::string z =
        zeichnung("linien", "VER 10\nBW 12,3456 7,8912\nZL 100,0000 0,0000\nZL 0,0000 55,5550\nZL -33,3330 -12,0010\n"
                            "BW 200,0000 20,0000\nDRH 30,0\nZL 40,0000 0,0000\nMS 2,0000\nZL 0,0000 10,0000\n"
                            "ST 2\nRTK 0 15,0000 7,0000\nZA3\n");
    ASSERT_EQ(HpglPlot(z.c_str(), pfad("linien.plt").c_str()), 0);
    const JusTrafo neutral = {0, 0.0, 0.0, 1.0};
    const double weit[4] = {-1e9, -1e9, 1e9, 1e9};
    HpglImpEinstellen(&neutral, weit);
    ASSERT_EQ(HpglImport(pfad("linien.plt").c_str(), pfad("zurueck.zvk").c_str()), 0);
    const auto vorher = linien(z), nachher = linien(pfad("zurueck.zvk"));
    ASSERT_EQ(vorher.size(), 5u);
    // The rectangle's four sides come back as lines too.
    ASSERT_EQ(nachher.size(), vorher.size() + 4);
    for (size_t i = 0; i < vorher.size(); ++i) {
        EXPECT_NEAR(nachher[i].x1, vorher[i].x1, 0.025) << i;
        EXPECT_NEAR(nachher[i].y1, vorher[i].y1, 0.025) << i;
        EXPECT_NEAR(nachher[i].x2, vorher[i].x2, 0.025) << i;
        EXPECT_NEAR(nachher[i].y2, vorher[i].y2, 0.025) << i;
    }
}

}  // namespace
