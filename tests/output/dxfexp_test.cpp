// DXF export: a drawing with every element kind against a byte-exact golden
// written with a fixed test configuration; the edge cases of tables, lookups,
// arcs, ellipses and texts; the mended arc mode, turned elliptic arcs and
// identifier marks; every file passes the outside reader's audit; a missing
// configuration and failed writes leave no DXF file.
#include "output/dxfexp.h"

#include "dxftest.h"
#include "model/zeichnun.h"
#include "output/element.h"
#include "winlib/langdlg.h"

namespace {

using namespace dxftest;

class DxfExp : public DxfOrdner {
protected:
    // Exports a drawing made from the text form; the DXF text.
    std::string exportieren(const std::string& text, const std::string& name = "t.dxf")
    {
        const std::string zei = zeichnung("t.zvk", text);
        EXPECT_EQ(DxfExport(pfad(name).c_str(), zei.c_str()), 0);
        EXPECT_EQ(wiLangTiefe(), 0);
        return lesen(pfad(name));
    }

    // The lines of the ENTITIES section.
    static std::vector<std::string> entities(const std::string& dxf)
    {
        std::vector<std::string> z;
        size_t p = dxf.find("ENTITIES\r\n");
        if (p == std::string::npos) return z;
        p += 10;
        for (size_t e; (e = dxf.find("\r\n", p)) != std::string::npos; p = e + 2) z.push_back(dxf.substr(p, e - p));
        return z;
    }

    static int anzahl(const std::string& text, const std::string& teil)
    {
        int n = 0;
        for (size_t p = text.find(teil); p != std::string::npos; p = text.find(teil, p + 1)) ++n;
        return n;
    }

    // Value of the group after the n-th occurrence of code in the entities.
    static std::string wert(const std::vector<std::string>& e, const char* code, int n = 0)
    {
        for (size_t i = 0; i + 1 < e.size(); i += 2) {
            if (e[i] == code && n-- == 0) return e[i + 1];
        }
        return "<none>";
    }

    std::string log() { return lesen(pfad("dxflog.txt")); }
};

TEST_F(DxfExp, EveryElementKindMatchesItsGoldenAndPassesTheAudit)
{
    ASSERT_GE(ZeiAusText(pfad("alle.zvk").c_str(), daten("alle.txt").c_str()), 0);
    ASSERT_EQ(DxfExport(pfad("alle.dxf").c_str(), pfad("alle.zvk").c_str()), 0);
    const std::string dxf = lesen(pfad("alle.dxf"));
    wieGolden("alle.dxf", dxf);
    ezdxfPruefen(pfad("alle.dxf"));
    // The log starts with the DXF path and names what the mapping lacks.
    const std::string l = log();
    EXPECT_EQ(l.substr(0, l.find("\r\n")), pfad("alle.dxf"));
    wieGolden("alle.log", l.substr(l.find("\r\n") + 2));

    // The shipped configuration gives a file the outside reader accepts too.
    fs::copy_file(std::string(VELMO_SOURCE_DIR) + "/data/dxfconfig.txt", ordner / "prog" / "dxfconfig.txt",
                  fs::copy_options::overwrite_existing);
    ASSERT_EQ(DxfExport(pfad("mit-auslieferung.dxf").c_str(), pfad("alle.zvk").c_str()), 0);
    ezdxfPruefen(pfad("mit-auslieferung.dxf"));
    EXPECT_TRUE(warnungen().empty());
}

TEST_F(DxfExp, TablesHoldExactlyTheEntriesUsed)
{
    std::string dxf = exportieren("ST 1\r\nSA 7\r\nZL 10 0\r\nZL 0 10\r\n");
    EXPECT_EQ(anzahl(dxf, "  0\r\nLAYER\r\n"), 1);
    EXPECT_EQ(anzahl(dxf, "  0\r\nLTYPE\r\n"), 1);
    EXPECT_EQ(anzahl(dxf, "STYLE"), 0);  // no text, no STYLE table
    EXPECT_EQ(anzahl(dxf, "ENDTAB"), 2);
    // CONTINUOUS has no numbers: count 0 and no elements.
    EXPECT_NE(dxf.find("  2\r\nCONTINUOUS\r\n 70\r\n    64\r\n  3\r\n \r\n 72\r\n    65\r\n 73\r\n     0\r\n 40\r\n"
                       "0.000000\r\n  0\r\n"),
              std::string::npos);
    ezdxfPruefen(pfad("t.dxf"));

    // A row of 13 numbers keeps the total and nine elements.
    dxf = exportieren("SA 0\r\nZL 10 0\r\n");
    EXPECT_NE(dxf.find("  2\r\nLANG\r\n 70\r\n    64\r\n  3\r\n \r\n 72\r\n    65\r\n 73\r\n     9\r\n 40\r\n20.000000\r\n"),
              std::string::npos);
    EXPECT_EQ(anzahl(dxf, " 49\r\n"), 9);
    ezdxfPruefen(pfad("t.dxf"));
}

TEST_F(DxfExp, MissingPenStylesFallBackToRowZeroOncePerChange)
{
    exportieren("ST 9\r\nZL 1 0\r\nZL 1 0\r\nST 1\r\nZL 1 0\r\nST 9\r\nZL 1 0\r\n");
    EXPECT_EQ(anzahl(log(), "Farbe 9 nicht gefunden (7,WEISS)\r\n"), 2);
}

TEST_F(DxfExp, EdgeCasesOfTheElementSwitch)
{
    struct Fall {
        const char* was;
        const char* zeichnung;
        std::vector<std::pair<const char*, std::string>> gruppen;  // code, value of its first occurrence
        int vertices;
    } faelle[] = {
        {"filled circle: two half circles of width r",
         "BW 50 50\r\nKRE 1 4 4\r\n",
         {{" 40", "4.000000"}, {" 41", "4.000000"}, {" 10", "0.000000"}, {" 42", "1.0"}},
         2},
        {"ellipse 150 x 100 in steps of 2 degrees", "BW 200 200\r\nKRE 0 150 100\r\n", {{" 10", "0.000000"}}, 181},
        {"elliptic arc 350..10 runs through 0", "BW 50 50\r\nTKR 350.0 10.0 20 10\r\n",
         {{" 10", "0.000000"}}, 5},
        {"circular arc 350..10 stays an ARC", "BW 50 50\r\nTKR 350.0 10.0 10 10\r\n",
         {{" 50", "350.000000"}, {" 51", "10.000000"}, {" 40", "10.000000"}}, 0},
        // The arc mode runs the arc the other way: the angles are exchanged.
        {"BOG with mode 1", "BW 50 50\r\nBOG 0.0 90.0 1 10 10\r\n",
         {{" 10", "40.000000"}, {" 20", "50.000000"}, {" 50", "90.000000"}, {" 51", "0.000000"}}, 0},
        {"BOG with mode 0", "BW 50 50\r\nBOG 0.0 90.0 0 10 10\r\n",
         {{" 10", "40.000000"}, {" 50", "0.000000"}, {" 51", "90.000000"}}, 0},
        // Turned by 45 degrees, an elliptic arc keeps its shape: its start
        // lies on the turned long axis.
        {"elliptic arc at 45 degrees", "_RIC 45.0\r\nBW 0 0\r\nTKR 0.0 90.0 20 10\r\n",
         {{" 10", "0.000000"}, {" 20", "0.000000"}}, 19},
        {"'^' becomes a blank", "BW 0 0\r\nTFA \"a^b\"\r\n", {{"  1", "a b"}}, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        const std::vector<std::string> e = entities(exportieren(f.zeichnung));
        for (const auto& [code, v] : f.gruppen) EXPECT_EQ(wert(e, code), v) << code;
        EXPECT_EQ(std::count(e.begin(), e.end(), "VERTEX"), f.vertices);
        ezdxfPruefen(pfad("t.dxf"));
    }
    // The turned elliptic arc: first vertex at 20 x (cos 45, sin 45).
    const std::vector<std::string> e = entities(exportieren("_RIC 45.0\r\nBW 0 0\r\nTKR 0.0 90.0 20 10\r\n"));
    EXPECT_EQ(wert(e, " 10", 1), "14.142136");
    EXPECT_EQ(wert(e, " 20", 1), "14.142136");
}

// A point is a filled circle of the point size the editor's settings give
// (tenths), as on the screen.
TEST_F(DxfExp, PointsTakeThePointSizeSetting)
{
    static int groesse;
    ElemEditorHaken h;
    h.pktGroesse = [] { return groesse; };
    ElemEditorHakenSetzen(h);
    for (int zehntel : {5, 20}) {
        SCOPED_TRACE(zehntel);
        groesse = zehntel;
        const std::vector<std::string> e = entities(exportieren("BW 50 50\r\nPKT\r\n"));
        char r[32];
        std::snprintf(r, sizeof r, "%.6f", zehntel / 10.0);
        EXPECT_EQ(wert(e, " 40"), r);
        ezdxfPruefen(pfad("t.dxf"));
    }
    groesse = 5;
}

TEST_F(DxfExp, TextsSplitAtTabsAndLoseIdentifierMarks)
{
    std::vector<std::string> e = entities(exportieren("TG 2\r\nTV 1\r\nBW 10 20\r\nTFA \"eins\tzwei\"\r\n"));
    EXPECT_EQ(std::count(e.begin(), e.end(), "TEXT"), 2);
    EXPECT_EQ(wert(e, "  1", 0), "eins");
    EXPECT_EQ(wert(e, "  1", 1), "zwei");
    EXPECT_EQ(wert(e, " 20", 0), wert(e, " 20", 1));  // one base line
    EXPECT_EQ(wert(e, " 10", 1), "20.000000");      // column 5 at 2 mm a character
    ezdxfPruefen(pfad("t.dxf"));

    e = entities(exportieren("BW 10 20\r\nTFA \"\x02" "ab\x03" "c\x04xyz\"\r\n"));
    EXPECT_EQ(wert(e, "  1"), "abc");
    // A centred text (c = 1) of one line moves down by half its height.
    e = entities(exportieren("TG 4\r\nTV 1\r\nBW 10 20\r\nTFZ \"ab\"\r\n"));
    EXPECT_EQ(wert(e, " 10"), "6.000000");
    EXPECT_EQ(wert(e, " 20"), "18.000000");
}

// Readers draw a dashed line with the line type's one period stretched by
// the entity's scale to the element's dash length, as the screen repeats
// it; a text is fitted between its start and the end its width gives it,
// whatever font the reader sets it in.
TEST_F(DxfExp, DashesRepeatAtTheDashLengthAndTextsFitTheirWidth)
{
    std::vector<std::string> e = entities(exportieren("SA 1\r\nSL 4\r\nBW 10 20\r\nZL 20 0\r\n"));
    EXPECT_EQ(wert(e, "  6"), "DASHED");
    EXPECT_EQ(wert(e, " 48"), "0.400000");  // 4 mm over the table's period of 10
    e = entities(exportieren("SA 7\r\nBW 10 20\r\nZL 20 0\r\n"));
    EXPECT_EQ(wert(e, " 48"), "<none>");  // solid: nothing to scale
    e = entities(exportieren("TG 2\r\nTV 1\r\nBW 10 20\r\nTFA \"eins\"\r\n"));
    EXPECT_EQ(wert(e, " 72"), "     5");
    EXPECT_EQ(wert(e, " 11"), "18.000000");  // 4 letters of 2 mm
    EXPECT_EQ(wert(e, " 21"), "20.000000");
    ezdxfPruefen(pfad("t.dxf"));
}

// What outside readers need: only the texts the sheet shows (no placeholder
// codes, no attribute marker bytes), closed outlines without a repeated
// vertex, widths on the vertices of wide polylines, every line type a layer
// names in the LTYPE table, and the code page of the texts in the header.
TEST_F(DxfExp, OutsideReadersGetTheSheetsTextsOutlinesWidthsAndTables)
{
    const std::vector<std::string> e =
        entities(exportieren("ST 1\r\nBW 10 10\r\nTFA \"@BK 1\"\r\nTFA \"@U\"\r\nTFA \"\x01Lxyz\"\r\n"
                             "RTK 0 10 5\r\nDRE 0 5 0 0 5\r\nRTK 1 10 4\r\nKRE 1 4 4\r\n"));
    std::vector<std::string> texte;
    for (size_t i = 0; i + 1 < e.size(); i += 2)
        if (e[i] == "  1") texte.push_back(e[i + 1]);
    EXPECT_EQ(texte, std::vector<std::string>{"xyz"});
    // Outline rectangle 4 vertices, triangle 3, filled rectangle and disc 2 each.
    EXPECT_EQ(std::count(e.begin(), e.end(), "VERTEX"), 4 + 3 + 2 + 2);
    // The wide ones carry their width on every vertex.
    int breiten = 0;
    for (size_t i = 0; i + 1 < e.size(); i += 2)
        if (e[i] == " 40" && (e[i + 1] == "4.000000")) ++breiten;
    EXPECT_EQ(breiten, 2 * 3);  // head and two vertices of the filled rectangle and of the disc
    ezdxfPruefen(pfad("t.dxf"));

    // A drawing of filled shapes only still gets the line type its layer names.
    std::string dxf = exportieren("ST 1\r\nBW 10 10\r\nKRE 1 4 4\r\n");
    EXPECT_NE(dxf.find("  0\r\nLTYPE\r\n  2\r\nCONTINUOUS\r\n"), std::string::npos);
    ezdxfPruefen(pfad("t.dxf"));

    fs::copy_file(std::string(VELMO_SOURCE_DIR) + "/data/dxfconfig.txt", ordner / "prog" / "dxfconfig.txt",
                  fs::copy_options::overwrite_existing);
    dxf = exportieren("ST 1\r\nBW 10 10\r\nTFA \"Gr\xfc\xdf\xe9\"\r\n");
    EXPECT_NE(dxf.find("  9\r\n$DWGCODEPAGE\r\n  3\r\nANSI_1252\r\n"), std::string::npos);
    ezdxfPruefen(pfad("t.dxf"));
    const std::string lesen = "/usr/bin/python3 -c \"import sys, ezdxf; d = ezdxf.readfile(sys.argv[1]); "
                              "t = [e.dxf.text for e in d.modelspace().query('TEXT')]; "
                              "sys.exit(0 if t == ['Gr\\u00fc\\u00df\\u00e9'] else 1)\" '" + pfad("t.dxf") + "'";
    EXPECT_EQ(std::system(lesen.c_str()), 0) << "the reader decodes the text with the header's code page";
}

// The shipped configuration puts each pen style on a layer of its own, in
// the colour a viewer shows black on white and white on black (7): the
// sheet is not shown red, yellow, green ...
TEST_F(DxfExp, TheShippedConfigurationGivesEachPenALayerOfItsOwnInColourSeven)
{
    fs::copy_file(std::string(VELMO_SOURCE_DIR) + "/data/dxfconfig.txt", ordner / "prog" / "dxfconfig.txt",
                  fs::copy_options::overwrite_existing);
    std::string text;
    for (int st = 1; st <= 20; ++st) text += "ST " + std::to_string(st) + "\r\nZL 10 0\r\n";
    const std::string dxf = exportieren(text);
    EXPECT_TRUE(log().find("nicht gefunden") == std::string::npos) << log();
    // Layer name -> colour, from the LAYER table.
    std::map<std::string, std::string> layer;
    for (size_t p = dxf.find("  0\r\nLAYER\r\n  2\r\n"); p != std::string::npos;
         p = dxf.find("  0\r\nLAYER\r\n  2\r\n", p + 1)) {
        const size_t n = p + 17;
        const std::string name = dxf.substr(n, dxf.find("\r\n", n) - n);
        const size_t f = dxf.find(" 62\r\n", n) + 5;
        layer[name] = dxf.substr(f, dxf.find("\r\n", f) - f);
    }
    ASSERT_EQ(layer.size(), 20u) << "a layer of its own for each pen style";
    for (const auto& [name, farbe] : layer) EXPECT_EQ(farbe, "     7") << name;
    // Each line lies on its pen's layer.
    const std::vector<std::string> e = entities(dxf);
    for (int st = 1; st <= 20; ++st) EXPECT_NE(layer.count(wert(e, "  8", st - 1)), 0u) << st;
    EXPECT_NE(wert(e, "  8", 0), wert(e, "  8", 1));
    ezdxfPruefen(pfad("t.dxf"));
}

TEST_F(DxfExp, FailuresWarnAndLeaveNoDxfFile)
{
    const std::string zei = zeichnung("t.zvk", "ZL 10 0\r\nBW 0 0\r\nTFA \"x\"\r\n");
    EXPECT_EQ(DxfExport(pfad("t.dxf").c_str(), pfad("fehlt.zvk").c_str()), -1);
    EXPECT_EQ(warnungen(), std::vector<std::string>{"Kann Zeichnung " + pfad("fehlt.zvk") + " nicht \xf6" "ffnen."});

    fs::remove(ordner / "prog" / "dxfconfig.txt");
    plNachrichtBoxFragenLeeren();
    EXPECT_EQ(DxfExport(pfad("t.dxf").c_str(), zei.c_str()), -1);
    ASSERT_EQ(warnungen().size(), 1u);
    EXPECT_NE(warnungen()[0].find("dxfconfig.txt"), std::string::npos);
    EXPECT_EQ(dateien(), std::vector<std::string>{"t.zvk"});
    fs::copy_file(daten("dxfconfig.txt"), ordner / "prog" / "dxfconfig.txt");

    struct Fall {
        PlFehlerArt art;
        int n;
    } faelle[] = {
        {PlFehlerArt::Schreiben, 1}, {PlFehlerArt::Schreiben, 3}, {PlFehlerArt::Umbenennen, 1},
        {PlFehlerArt::Umbenennen, 5}, {PlFehlerArt::Schliessen, 2}, {PlFehlerArt::Oeffnen, 2},
        {PlFehlerArt::Lesen, 2},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(static_cast<int>(f.art) * 100 + f.n);
        plNachrichtBoxFragenLeeren();
        plFehlerSetzen(f.art, f.n, true);
        EXPECT_EQ(DxfExport(pfad("t.dxf").c_str(), zei.c_str()), -1);
        plFehlerAllesAus();
        // The output fails, or already the configuration or the drawing
        // cannot be read: one warning either way.
        EXPECT_EQ(warnungen().size(), 1u);
        if (f.art == PlFehlerArt::Schreiben) {
            EXPECT_EQ(warnungen(), std::vector<std::string>{"Kann Ausgabedatei " + pfad("t.dxf") + " nicht anlegen."});
        }
        EXPECT_FALSE(fs::exists(pfad("t.dxf")));
        EXPECT_EQ(wiLangTiefe(), 0);
    }
}

}  // namespace
