// Table of contents, subtitle list and HTML index page: byte-exact golden
// files over a small project folder, the settings that switch the subtitle
// list on and off, page numbering at its edges, the column layout, sorting
// kept, failed writes keeping the old files, and empty folders. Each test
// builds a project folder of its own with drawings written by the
// drawing-file writer. Set VELMO_GOLDEN_SCHREIBEN=1 to rewrite the golden
// files from the current output (then review the diff).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "config/vorgaben.h"
#include "model/befehl.h"
#include "platform/fehlersim.h"
#include "platform/uhr.h"
#include "project/inhalt.h"
#include "project/pvwliste.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "tests/equipment/projtest.h"
#include "tests/platform/golden_pruef.h"
#include "tests/project/projpruef.h"

using namespace projtest;
using namespace projpruef;

namespace {

struct Zeichnung {
    const char* name;
    const char* index;
    const char* titel0;
    const char* titel1;
    int tag;                       // day of March 2021
    const char* kurz2 = "";        // short text 2 ('z' record 2)
    const char* bauwerk = "";      // 'z' record 10
};

// The layout of the golden files: the chained columns, a second and a
// third line, the separators and padding pages.
const char* const standardVorgaben =
    "IVspablatt 1 1 9\n"
    "IVspatext 14\n"
    "IVspautitel 30\n"
    "IVspatext2 2 10 14\n"
    "IVspaanlage 8\n"
    "IVspaort 6\n"
    "IVspaindex 3\n"
    "IVspadatum 10\n"
    "IVspapdtm 10\n"
    "IVspaPDF 12\n"
    "IV2txt2 3 40 10\n"
    "IVkenn0 52 6\n"
    "IVkenn1\n"
    "IVseiten 5\n"
    "IVzeilen 7\n"
    "IVnurnum 0\n"
    "IVlzvt 1\n"
    "IVlznt 1\n"
    "IVanlnurttl 0\n"
    "IVortnurttl 1\n"
    "IVpdfTitel PDF-Dateien\n"
    "IVUTdatnam Untertitel.txt\n"
    "IVUTseiten 3\n"
    "IVUTzeilen 4\n"
    "IVUTspasei 1 1 4\n"
    "IVUTspattl 1 6 20\n"
    "IVUTspaanl 1 27 8\n"
    "IVUTspaort 3 2 10\n"
    "IVUTkenn0 2 6\n"
    "IVUTkenn1 2 10 4\n"
    "IVUTtext0 1 36 4\n"
    "IVUTtext4 2 20 4\n";

class InhaltTest : public VorgabenTest {
protected:
    void SetUp() override
    {
        VorgabenTest::SetUp();
        PvwListeZuruecksetzen();
        IvEinstellungenVergessen();
        vorgaben(standardVorgaben);
    }
    void TearDown() override
    {
        HtmlIndexBeenden();
        PvwListeZuruecksetzen();
        IvEinstellungenVergessen();
        plUhrFreigeben();
        VorgabenTest::TearDown();
    }

    void vorgaben(const std::string& zeilen)
    {
        VorgabenTest::vorgaben(zeilen);
        IvEinstellungenLesen();
    }

    void zeichnung(const Zeichnung& z, const std::string& ordnerPfad = "")
    {
        const std::string p = ordnerPfad.empty() ? pfad(z.name) : ordnerPfad + "/" + z.name;
        zeichnungSchreiben(p, BEF_ZA3, z.index, z.titel0, z.titel1, {{2, z.kurz2}, {10, z.bauwerk}});
        maerzStempel(p, z.tag);
    }

    void datei(const std::string& name, int tag)
    {
        schreiben(pfad(name), "%PDF");
        maerzStempel(pfad(name), tag);
    }

    // Subtitles from 005 (all texts) and 012 (no plant); the project title
    // holds characters that HTML must escape.
    void untertitel()
    {
        std::vector<std::string> steuerung = {"005", "Steuerung", "Halle 1", "Ort A"};
        for (int i = 1; i <= 20; ++i) steuerung.push_back(i <= 6 ? "Z" + std::to_string(i) : "");
        steuerung.push_back("Bw");
        steuerung.push_back("Ob");
        schreiben(pfad("Projekt.zvk"), "zvkP\n)S Titel\n" + felder({"___", "Pumpen <A> & \"B\"", "", "Werk 2"}) +
                                           "\n" + felder(steuerung) + "\n" + felder({"012", "Antriebe", "", "Ort B"}) +
                                           "\n)S Kennung\n)E\n");
    }

    void standard()
    {
        zeichnung({"Plan.020", "b", "Motor", "M1", 3});
        zeichnung({"Plan.001", "", "Deckblatt", "", 5});
        zeichnung({"Plan.010", "A", "Einspeisung", "", 3, "K2-Text", "Eigen"});
        zeichnung({"Plan.005", "c", "Verteilung", "Haupt", 4});
        zeichnung({"Plan.012", "a", "Antrieb mit einem langen Titel", "", 1});
        datei("b.PDF", 2);
        datei("A.pdf", 6);
        untertitel();
    }

};

std::string goldenPfad(const std::string& name)
{
    return std::string(VELMO_TEST_DATA) + "/project/inhalt/" + name;
}

void golden(const std::string& name, const std::string& ist)
{
    EXPECT_TRUE(golden::text(goldenPfad(name), ist));
}

// The list as names ("#key" for headings, "#PDF" for the PDF heading).
std::vector<std::string> liste()
{
    std::vector<std::string> l;
    for (int i = 0; i < PvwAnzahl(); ++i) {
        const PvwEintrag* e = PvwEintragAdr(i);
        if (e->art == PVW_UNTERTITEL)
            l.push_back(std::string("#") + (e->pdfTitel ? "PDF" : e->kenn));
        else
            l.push_back(e->art == PVW_PDF ? e->datei : e->name);
    }
    return l;
}

// Splits at CR LF; a line end without CR fails the test.
std::vector<std::string> zeilen(const std::string& text)
{
    std::vector<std::string> z;
    size_t a = 0;
    while (a < text.size()) {
        const size_t e = text.find('\n', a);
        if (e == std::string::npos) {
            ADD_FAILURE() << "last line without end";
            break;
        }
        EXPECT_TRUE(e > a && text[e - 1] == '\r') << "line " << z.size() << " without CR";
        z.push_back(text.substr(a, e - a - (e > a && text[e - 1] == '\r' ? 1 : 0)));
        a = e + 1;
    }
    return z;
}

using V = std::vector<std::string>;

TEST_F(InhaltTest, GoldenTableOfContentsAndSubtitleList)
{
    standard();
    PvwVerzLesen();
    EXPECT_EQ(PvwInhaltSchreiben(), 0);
    EXPECT_EQ(PvwUntertitelSchreiben(), 0);
    golden("Inhalt.txt", lesen(pfad("Inhalt.txt")));
    golden("Untertitel.txt", lesen(pfad("Untertitel.txt")));
    zeilen(lesen(pfad("Inhalt.txt")));
    zeilen(lesen(pfad("Untertitel.txt")));

    // Only the drawing's extension with IVnurnum.
    std::string einst = standardVorgaben;
    einst.replace(einst.find("IVnurnum 0"), 10, "IVnurnum 1");
    vorgaben(einst);
    EXPECT_EQ(PvwInhaltSchreiben(), 0);
    const V z = zeilen(lesen(pfad("Inhalt.txt")));
    ASSERT_FALSE(z.empty());
    EXPECT_EQ(z[0].substr(0, 8), "1  |001 ");
}

TEST_F(InhaltTest, SortedByDateTheFilesStayInNumberOrderAndTheListReturns)
{
    standard();
    PvwVerzLesen();
    ASSERT_EQ(PvwInhaltSchreiben(), 0);
    ASSERT_EQ(PvwUntertitelSchreiben(), 0);
    const std::string inhalt = lesen(pfad("Inhalt.txt"));
    const std::string ut = lesen(pfad("Untertitel.txt"));

    PvwSortSetzen(PVW_SORT_DATUM);
    const V datumsfolge = liste();
    ASSERT_EQ(datumsfolge, (V{"Plan.001", "Plan.005", "Plan.010", "Plan.020", "Plan.012", "A.pdf", "b.PDF"}));
    fs::remove(pfad("Inhalt.txt"));
    fs::remove(pfad("Untertitel.txt"));
    EXPECT_EQ(PvwInhaltSchreiben(), 0);
    EXPECT_EQ(liste(), datumsfolge);
    EXPECT_EQ(PvwUntertitelSchreiben(), 0);
    EXPECT_EQ(liste(), datumsfolge);
    EXPECT_EQ(lesen(pfad("Inhalt.txt")), inhalt);
    EXPECT_EQ(lesen(pfad("Untertitel.txt")), ut);
}

TEST_F(InhaltTest, SubtitleListOnlyWithNameAndPages)
{
    standard();
    PvwVerzLesen();
    struct Fall {
        const char* zeilen;
        const char* datei;  // the file expected, or "" for none
    } faelle[] = {
        {"IVUTdatnam Untertitel.txt\nIVUTseiten 0\n", ""},
        {"IVUTdatnam   \nIVUTseiten 3\n", ""},
        {"IVUTseiten 3\n", ""},
        {"IVUTdatnam  UT.txt \nIVUTseiten 2\nIVUTzeilen 4\n", "UT.txt"},
        {"IVUTdatnam UT.txt\nIVUTseiten -1\nIVUTzeilen 0\n", "UT.txt"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.zeilen);
        fs::remove(pfad("UT.txt"));
        fs::remove(pfad("Untertitel.txt"));
        vorgaben(f.zeilen);
        const auto vorher = namen();
        EXPECT_EQ(PvwUntertitelSchreiben(), 0);
        auto nachher = namen();
        if (f.datei[0]) {
            EXPECT_EQ(nachher.erase(f.datei), 1u);
        }
        EXPECT_EQ(nachher, vorher);
    }
    // Key, title and plant on line 1 from their columns; no page padding
    // past the last page with pages -1; one line per page with 0 lines.
    EXPECT_EQ(zeilen(lesen(pfad("UT.txt"))), (V{"1  |", "2  |"}));
}

TEST_F(InhaltTest, PageNumberingAtItsEdges)
{
    // Ten one-line drawings, a subtitle from 006 and from 010.
    for (int i = 1; i <= 10; ++i) {
        char n[24];
        std::snprintf(n, sizeof n, "Plan.%03d", i);
        zeichnung({n, "", "T", "", 1});
    }
    schreiben(pfad("Projekt.zvk"), "zvkP\n)S Titel\n" + felder({"006", "Sechs"}) + "\n" + felder({"010", "Zehn"}) +
                                       "\n)S Kennung\n)E\n");
    PvwVerzLesen();
    const std::string spalten = "IVspablatt 1 1 8\nIVspautitel 1 1 8\nIVUTdatnam UT.txt\nIVUTspattl 1 1 8\n";
    struct Fall {
        const char* einst;
        V erwartet;
    } faelle[] = {
        // 7 lines a page: "Sechs" reached at line 5 has 2 lines left and
        // starts page 2; IVseiten 10 pads pages 4 to 10 after page 3.
        {"IVzeilen 7\nIVseiten 10\n",
         {"1  |Plan.001", "   |Plan.002", "   |Plan.003", "   |Plan.004", "   |Plan.005",
          "2  |Sechs", "   |Plan.006", "   |Plan.007", "   |Plan.008", "   |Plan.009", "3  |Zehn", "   |Plan.010",
          "4  ", "5  ", "6  ", "7  ", "8  ", "9  ", "10 ",
          "PDF1 ", "PDF2 ", "PDF3 ", "PDF4 ", "PDF5 ", "PDF6 ", "PDF7 ", "PDF8 ", "PDF9 ", "PDF10"}},
        // 3 lines a page: a heading at a fresh page stays there (no empty
        // page is skipped), one in the middle of a page moves on.
        {"IVzeilen 3\nIVseiten 0\nIVlzvt 1\nIVlznt 1\n",
         {"1  |Plan.001", "   |Plan.002", "   |Plan.003", "2  |Plan.004", "   |Plan.005", "3  |Sechs", "   |",
          "   |Plan.006", "4  |Plan.007", "   |Plan.008", "   |Plan.009", "5  |Zehn", "   |", "   |Plan.010"}},
        // 0 lines a page counts as 1: every line starts a page.
        {"IVzeilen 0\nIVseiten 3\n",
         {"1  |Plan.001", "2  |Plan.002", "3  |Plan.003", "4  |Plan.004", "5  |Plan.005", "6  |Sechs",
          "7  |Plan.006", "8  |Plan.007", "9  |Plan.008", "10 |Plan.009", "11 |Zehn", "12 |Plan.010", "PDF1 ",
          "PDF2 ", "PDF3 "}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.einst);
        vorgaben(spalten + f.einst);
        ASSERT_EQ(PvwInhaltSchreiben(), 0);
        EXPECT_EQ(zeilen(lesen(pfad("Inhalt.txt"))), f.erwartet);
    }

    // The subtitle list: with 2 lines a page the second subtitle finds 1
    // line left and starts page 2; pages up to IVUTseiten follow.
    vorgaben(spalten + "IVUTseiten 4\nIVUTzeilen 2\n");
    ASSERT_EQ(PvwUntertitelSchreiben(), 0);
    EXPECT_EQ(zeilen(lesen(pfad("UT.txt"))), (V{"1  |Sechs", "2  |Zehn", "3  ", "4  "}));
    vorgaben(spalten + "IVUTseiten 1\nIVUTzeilen 6\nIVUTspasei 1 10 4\n");
    ASSERT_EQ(PvwUntertitelSchreiben(), 0);
    EXPECT_EQ(zeilen(lesen(pfad("UT.txt"))), (V{"1  |Sechs    006", "   |Zehn     010"}));
}

TEST_F(InhaltTest, ColumnsOverlayCutAndStayInsideTheBuffer)
{
    IvPuffer b;
    IvPufferLeeren(b);
    IvSpalteSetzen(b, "ABCDEF", 6, 2, 1);
    IvSpalteSetzen(b, "xyz", 6, 6, 1);  // overlaps: the first text keeps its characters
    IvSpalteSetzen(b, "nie", 0, 0, 1);  // width 0 places nothing
    IvSpalteSetzen(b, "Lang", 2, 20, 1);  // cut to the width
    IvSpalteSetzen(b, "Ende", 10, IVPUFFERSUP - 2, 2);  // nothing past the end
    IvSpalteSetzen(b, "Vorn", 4, -2, 3);  // nothing before the start
    IvSpalteSetzen(b, std::string(150, 'q').c_str(), 150, 100, 7);  // any line but 1 and 2: the third
    IvPufferAbschliessen(b);
    EXPECT_EQ(std::string(b[0]), "| ABCDEFz" + std::string(11, ' ') + "La");
    EXPECT_EQ(std::string(b[1]), "|" + std::string(IVPUFFERSUP - 3, ' ') + "En");
    // Column 0 of the third buffer becomes "|"; at most 100 characters.
    EXPECT_EQ(std::string(b[2]), "|n" + std::string(98, ' ') + std::string(100, 'q'));

    IvPufferLeeren(b);
    IvSpalteSetzen(b, "X", 1, 0, 1);
    IvPufferAbschliessen(b);
    EXPECT_STREQ(b[0], "X");  // not blank at column 0: no "|"
    EXPECT_STREQ(b[1], "");
    EXPECT_STREQ(b[2], "");

    // Column settings: one, two or three words; the second form for short
    // texts and identifiers; words that are no numbers read 0.
    vorgaben("A1 7\nA2 3 9\nA3 2 4 6\nA4 x 5\nA5\nA6  1  2  3  4\n");
    struct Fall {
        const char* schluessel;
        bool zweite;
        int zeile, start, breite;
    } faelle[] = {
        {"A1", false, 0, 0, 7}, {"A2", false, 1, 3, 9}, {"A3", false, 2, 4, 6}, {"A4", false, 1, 0, 5},
        {"A5", false, 0, 0, 0}, {"A6", false, 1, 2, 3}, {"A1", true, 2, 7, 0},  {"A2", true, 2, 3, 9},
        {"A3", true, 2, 4, 6},  {"fehlt", true, 2, 0, 0},
    };
    VgbOeffnen();
    for (const Fall& f : faelle) {
        const IvSpalte s = IvSpalteLesen(f.schluessel, f.zweite);
        EXPECT_EQ(s.zeile, f.zeile) << f.schluessel << f.zweite;
        EXPECT_EQ(s.start, f.start) << f.schluessel << f.zweite;
        EXPECT_EQ(s.breite, f.breite) << f.schluessel << f.zweite;
    }
    VgbSchliessen();
}

TEST_F(InhaltTest, EmptyFolderDeletesBothFiles)
{
    schreiben(pfad("Inhalt.txt"), "alt");
    schreiben(pfad("Untertitel.txt"), "alt");
    PvwVerzLesen();
    ASSERT_EQ(PvwAnzahl(), 0);
    EXPECT_EQ(PvwInhaltSchreiben(), 0);
    EXPECT_EQ(PvwUntertitelSchreiben(), 0);
    EXPECT_FALSE(fs::exists(pfad("Inhalt.txt")));
    EXPECT_FALSE(fs::exists(pfad("Untertitel.txt")));

    // No project folder: nothing is written or deleted anywhere.
    VerSetzen(1, "");
    EXPECT_EQ(PvwInhaltSchreiben(), 0);
}

TEST_F(InhaltTest, FailedWriteKeepsTheOldFilesAndTheOrder)
{
    standard();
    PvwVerzLesen();
    PvwSortSetzen(PVW_SORT_INDEX);
    const V folge = liste();
    schreiben(pfad("Inhalt.txt"), "alt");
    schreiben(pfad("Untertitel.txt"), "alt");
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        SCOPED_TRACE(static_cast<int>(art));
        {
            PlFehlerScope scope;
            plFehlerSetzen(art, 1, true);
            EXPECT_EQ(PvwInhaltSchreiben(), ERROR);
            EXPECT_EQ(PvwUntertitelSchreiben(), ERROR);
        }
        EXPECT_EQ(lesen(pfad("Inhalt.txt")), "alt");
        EXPECT_EQ(lesen(pfad("Untertitel.txt")), "alt");
        EXPECT_EQ(liste(), folge);
    }
    EXPECT_EQ(namen(), (std::set<std::string>{"A.pdf", "Inhalt.txt", "Plan.001", "Plan.005", "Plan.010",
                                               "Plan.012", "Plan.020", "Projekt.zvk", "Untertitel.txt", "b.PDF"}));
    EXPECT_EQ(PvwInhaltSchreiben(), 0);
    EXPECT_NE(lesen(pfad("Inhalt.txt")), "alt");
}

TEST_F(InhaltTest, GoldenHtmlIndex)
{
    standard();
    zeichnung({"Plan.030", "", "A<B", "x&y", 1});
    plUhrFestsetzen(1615766400000);  // 15.03.2021
    const std::string exp = pfad("Export");
    fs::create_directory(exp);
    ASSERT_EQ(HtmlIndexBeginnen(exp.c_str()), 0);
    struct Zeile {
        const char* zeichnung;
        const char* datei;
    } zeilenListe[] = {
        {"Plan.001", "Plan_001.pdf"},  // before the first subtitle: no heading
        {"Plan.005", "Plan_005.pdf"},  // "Steuerung" starts
        {"Plan.010", "Plan_010.pdf"},  // same subtitle: same table
        {"Plan.010", "Plan #2 \xDC?%.svg"},  // the link percent-encoded from UTF-8, the text as it is
        {"Plan.012", "x/Plan \"012\".svg"},  // "Antriebe"; folder dropped, name escaped
        {"Plan.030", "Plan_030.svg"},
        {"Plan.099", "fehlt.svg"},  // header unreadable: empty texts
    };
    for (const Zeile& z : zeilenListe) EXPECT_EQ(HtmlIndexZeile(pfad(z.zeichnung).c_str(), z.datei), 0) << z.datei;
    EXPECT_EQ(HtmlIndexBeenden(), 0);
    golden("Inhalt.html", lesen(exp + "/Inhalt.html"));
    EXPECT_EQ(HtmlIndexBeenden(), ERROR);   // nothing open
    EXPECT_EQ(HtmlIndexZeile("a", "b"), ERROR);

    // A folder with a separator; no subtitle, no table rows.
    fs::remove(pfad("Projekt.zvk"));
    zaehlerWeiter();
    ASSERT_EQ(HtmlIndexBeginnen((exp + "/").c_str()), 0);
    EXPECT_EQ(HtmlIndexBeenden(), 0);
    EXPECT_EQ(lesen(exp + "/Inhalt.html"),
              "<html>\n<head><title>Velmo</title></head>\n<body>\n<h1>\n\n</h1>\n15.03.2021<p>\n</body>\n</html>\n");
}

TEST_F(InhaltTest, FailedHtmlWriteKeepsTheOldPage)
{
    standard();
    schreiben(pfad("Inhalt.html"), "alt");
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
        ASSERT_EQ(HtmlIndexBeginnen(ordner.string().c_str()), 0);  // buffered: the fault shows later
        HtmlIndexZeile(pfad("Plan.001").c_str(), "a.pdf");
        EXPECT_EQ(HtmlIndexBeenden(), ERROR);
    }
    EXPECT_EQ(lesen(pfad("Inhalt.html")), "alt");
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Oeffnen, 1, true);
        EXPECT_EQ(HtmlIndexBeginnen(ordner.string().c_str()), ERROR);
    }
    EXPECT_EQ(HtmlIndexZeile(pfad("Plan.001").c_str(), "a.pdf"), ERROR);
    EXPECT_EQ(HtmlIndexBeenden(), ERROR);
    EXPECT_EQ(lesen(pfad("Inhalt.html")), "alt");

    // Beginning again finishes the open page first.
    const std::string exp = pfad("E");
    fs::create_directory(exp);
    ASSERT_EQ(HtmlIndexBeginnen(ordner.string().c_str()), 0);
    ASSERT_EQ(HtmlIndexBeginnen(exp.c_str()), 0);
    EXPECT_NE(lesen(pfad("Inhalt.html")), "alt");
    EXPECT_EQ(HtmlIndexBeenden(), 0);
    EXPECT_TRUE(fs::exists(exp + "/Inhalt.html"));
}

}  // namespace
