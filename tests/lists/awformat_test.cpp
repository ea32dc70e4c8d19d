// The output formatter: paging and page numbers, records with empty lines,
// TAB marks, the fill-up merge, blocks kept together (and blocks longer
// than the old 99-line hold), long paged lines, a grid past 50 lines, the
// CSV number rule and quoting (read back by Python's csv module), and a
// failed write that keeps the previous result.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "config/konfhaken.h"
#include "config/vorgaben.h"
#include "lists/awformat.h"
#include "platform/fehlersim.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string>& warnungen()
{
    static std::vector<std::string> w;
    return w;
}

std::string lesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void schreiben(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary | std::ios::trunc) << s; }

std::string zeilen(const std::vector<std::string>& z)
{
    std::string r;
    for (const auto& l : z) r += l + "\r\n";
    return r;
}

class AwformatTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wurzel_ = fs::temp_directory_path() / ("awf-" + std::to_string(::getpid()));
        fs::remove_all(wurzel_);
        fs::create_directories(wurzel_);
        warnungen().clear();
        KonfHaken h{};
        h.warnung = [](const char* t) { warnungen().push_back(t); };
        konfHakenZuruecksetzen();
        konfHakenSetzen(h);
        vorgaben("");
        AwfCsvModus(0, 0);
    }
    void TearDown() override
    {
        AwfEnde();
        plFehlerAllesAus();
        VgbPraefix("");
        VgbSchliessen();
        konfHakenZuruecksetzen();
        VgbFehlMeldung(1);
        fs::remove_all(wurzel_);
    }
    void vorgaben(const std::string& z)
    {
        if (offen_) VgbSchliessen();
        schreiben(wurzel_ / "Test.vgb", "Name Test\n" + z);
        VgbFehlMeldung(0);
        VgbSetSetzen("Test", (wurzel_ / "Test.vgb").c_str());
        VgbOeffnen();
        offen_ = true;
    }
    std::string ergebnis() const { return (wurzel_ / "erg.txt").string(); }
    std::string start(const std::string& set)
    {
        vorgaben(set);
        EXPECT_EQ(AwfStart("x", ergebnis().c_str()), 0);
        return ergebnis();
    }
    fs::path wurzel_;
    bool offen_ = false;
};

awspalte sp(int spalte, int zeile = 0, int breite = 0) { return awspalte{1, 1, spalte, zeile, breite}; }

TEST_F(AwformatTest, ColumnSpecsFromTheirText)
{
    struct {
        const char* text;
        awspalte soll;
    } faelle[] = {
        {"H 5 2 20", {1, 0, 5, 1, 20}},
        {"U 7 1", {0, 1, 7, 0, 0}},
        {"HU 3 0 4", {1, 1, 3, 0, 4}},
        {"12 3 8", {1, 1, 12, 2, 8}},
        {"", {1, 1, 0, 0, 0}},
        {"x", {0, 0, 0, 0, 0}},
        {"9x 2y z", {1, 1, 9, 1, 0}},
    };
    for (const auto& f : faelle) {
        awspalte s = AwfSpalteAusText(f.text);
        EXPECT_EQ(s.haupt, f.soll.haupt) << f.text;
        EXPECT_EQ(s.unter, f.soll.unter) << f.text;
        EXPECT_EQ(s.spalte, f.soll.spalte) << f.text;
        EXPECT_EQ(s.zeile, f.soll.zeile) << f.text;
        EXPECT_EQ(s.breite, f.soll.breite) << f.text;
    }
}

TEST_F(AwformatTest, TwelveLinesOnTenLinePagesNumberEveryPageAndTheRest)
{
    std::string p = start("xseiten 3\nxzeilen 10\n");
    for (int i = 1; i <= 12; ++i) AwfZeile(("Z" + std::to_string(i)).c_str());
    ASSERT_EQ(AwfEnde(), 0);
    std::vector<std::string> soll = {"1  Z1"};
    for (int i = 2; i <= 10; ++i) soll.push_back("   Z" + std::to_string(i));
    soll.insert(soll.end(), {"2  Z11", "   Z12", "3  "});
    EXPECT_EQ(lesen(p), zeilen(soll));
}

TEST_F(AwformatTest, APagesEmptyOrIndentedFirstLineGetsABar)
{
    std::string p = start("xseiten 1\nxzeilen 2\n");
    AwfZeile("");
    AwfZeile("a");
    AwfZeile(" b");
    ASSERT_EQ(AwfEnde(), 0);
    EXPECT_EQ(lesen(p), zeilen({"1  |", "   a", "2  |b"}));
    EXPECT_TRUE(warnungen().empty());
}

TEST_F(AwformatTest, RecordsSkipInnerEmptyLinesAndMarkFieldsAfterText)
{
    std::string p = start("");
    AwfSatzLeeren();
    awspalte a = sp(1), b = sp(1, 2), c = sp(12), d = sp(1), e = sp(5);
    AwfFeld("erste", &a, 0, 0);
    AwfFeld("dritte", &b, 0, 0);
    AwfSatzAus();
    // Column 1 never gets a TAB; text up to column 10 then a field at 12:
    // TAB at 11. Text up to column 11 and a field at 12: nothing is lost.
    AwfFeld("abcdefghij", &d, 0, 0);
    AwfFeld("X", &c, 0, 0);
    AwfSatzAus();
    AwfFeld("abcdefghijk", &d, 0, 0);
    AwfFeld("Y", &c, 0, 0);
    AwfSatzAus();
    AwfFeld("abc", &d, 0, 0);
    AwfFeld("Z", &e, 0, 0);  // one blank after text: it becomes the TAB
    AwfSatzAus();
    ASSERT_EQ(AwfEnde(), 0);
    EXPECT_EQ(lesen(p), zeilen({"erste", "dritte", "abcdefghij\tX", "abcdefghijkY", "abc\tZ"}));
}

TEST_F(AwformatTest, MainAndSubFlagsWidthsAndNextColumn)
{
    std::string p = start("xkenn H 1 1 4\nxpfad U 10\nxtextc 30\n");
    AwfSlotFeld(AWF_KENN, "Kennung", 0, 0);
    AwfSlotFeld(AWF_PFAD, "Pfad", 0, 0);
    AwfSatzAus();
    AwfSlotFeld(AWF_KENN, "Kennung", 0, 1);
    AwfSlotFeld(AWF_PFAD, "Pfad", 0, 1);
    AwfSatzAus();
    EXPECT_EQ(AwfNaechsteSpalte(0), 1);
    EXPECT_EQ(AwfNaechsteSpalte(1), 10);
    EXPECT_EQ(AwfNaechsteSpalte(10), 30);
    EXPECT_EQ(AwfNaechsteSpalte(30), 0);
    AwfPfadLoeschen();
    EXPECT_EQ(AwfNaechsteSpalte(1), 30);
    ASSERT_EQ(AwfEnde(), 0);
    // The sub record's line is indented nine blanks: it fills up the first.
    EXPECT_EQ(lesen(p), zeilen({"Kenn     Pfad"}));
}

TEST_F(AwformatTest, AnIndentedLineFillsTheEarliestShortLine)
{
    std::string p = start("");
    AwfZeile("kurz");
    AwfZeile("auch");
    AwfZeile("          rechts");
    AwfZeile("ein langer Text hier");
    AwfZeile("          nicht");  // ends after column 10 before it: added
    ASSERT_EQ(AwfEnde(), 0);
    EXPECT_EQ(lesen(p), zeilen({"kurz      rechts", "auch", "ein langer Text hier", "          nicht"}));
}

TEST_F(AwformatTest, BlocksMoveToANewPageOnlyWhenTheyFitOne)
{
    auto lauf = [&](int vorher, int block) {
        std::string p = start("xseiten 9\nxzeilen 10\n");
        for (int i = 0; i < vorher; ++i) AwfZeile("v");
        AwfBlock(1);
        for (int i = 0; i < block; ++i) AwfZeile("b");
        AwfBlock(0);
        EXPECT_EQ(AwfEnde(), 0);
        return lesen(p);
    };
    // 12 lines with 5 left: written where they stand.
    std::string s = lauf(5, 12);
    std::string vorn = "1  v\r\n   v\r\n   v\r\n   v\r\n   v\r\n   b\r\n";
    EXPECT_EQ(s.substr(0, vorn.size()), vorn);
    // 8 lines with 5 left: page 2 opens with the block.
    s = lauf(5, 8);
    EXPECT_NE(s.find("   v\r\n2  b\r\n"), std::string::npos) << s;
    // A block of 120 lines keeps every line.
    s = lauf(0, 120);
    size_t n = 0;
    for (size_t i = s.find('b'); i != std::string::npos; i = s.find('b', i + 1)) ++n;
    EXPECT_EQ(n, 120u);
}

TEST_F(AwformatTest, AFullLengthLineKeepsAllCharactersBehindThePageColumn)
{
    std::string p = start("xseiten 1\nxzeilen 60\nxkenn 1\n");
    std::string lang(ZEILNG, 'q');
    lang.back() = 'E';
    AwfSlotFeld(AWF_KENN, (lang + "zu viel").c_str());
    AwfSatzAus();
    ASSERT_EQ(AwfEnde(), 0);
    EXPECT_EQ(lesen(p), "1  " + lang + "\r\n");
}

TEST_F(AwformatTest, LineOffsetsPastFiftyGrowTheRecord)
{
    std::string p = start("");
    awspalte a = sp(1);
    for (int k = 0; k < 60; ++k) AwfFeld(("S" + std::to_string(k)).c_str(), &a, k, 0);
    AwfSatzAus();
    ASSERT_EQ(AwfEnde(), 0);
    std::vector<std::string> soll;
    for (int k = 0; k < 60; ++k) soll.push_back("S" + std::to_string(k));
    EXPECT_EQ(lesen(p), zeilen(soll));
}

TEST_F(AwformatTest, CsvNumberRule)
{
    for (const char* z : {"0", "0,5", "-12", "1.234,5", "12.03.2024", "07:30", "", "3.5"})
        EXPECT_TRUE(AwfIstZahl(z)) << z;
    for (const char* t : {"0123", "7:30", "+-1", "abc", "12-3", "0,5a"}) EXPECT_FALSE(AwfIstZahl(t)) << t;
    EXPECT_EQ(AwfCsvFeld("0,5", 1, ';'), "0,5");
    EXPECT_EQ(AwfCsvFeld("0123", 1, ';'), "\"0123\"");
    EXPECT_EQ(AwfCsvFeld("a;b", 0, ';'), "\"a;b\"");
    EXPECT_EQ(AwfCsvFeld("a;b", 0, '\t'), "a;b");
    EXPECT_EQ(AwfCsvFeld("a\tb", 0, '\t'), "\"a\tb\"");
    EXPECT_EQ(AwfCsvFeld("sagt \"ja\"", 0, ';'), "\"sagt \"\"ja\"\"\"");
}

TEST_F(AwformatTest, CsvRecordsSortByColumnThenLineAndReadBackInPython)
{
    for (int tab : {0, 1}) {
        AwfCsvModus(1, tab);
        start("");
        awspalte a = sp(20), b = sp(1), c = sp(1, 2), d = sp(40);
        AwfFeld("zwei", &a, 0, 0);
        AwfFeld("eins;x", &b, 0, 0);
        AwfFeld("drei\"\t", &c, 0, 0);
        AwfFeld("0,5", &d, 0, 0);
        AwfSatzAus();
        AwfSatzAus();  // nothing placed: an empty line
        AwfFeld("a\r\nb", &b, 0, 0);
        AwfSatzAus();
        ASSERT_EQ(AwfEnde(), 0);
        fs::path csv = wurzel_ / "erg.csv";
        ASSERT_EQ(AwfCsvSchreiben(csv.c_str()), 0);
        std::string befehl = "python3 -c \"import csv,sys; r=list(csv.reader(open(sys.argv[1],newline='',encoding='latin-1'),"
                             "delimiter=sys.argv[2])); print(repr(r))\" " +
                             csv.string() + (tab ? " '\t'" : " ';'") + " > " + (wurzel_ / "py.txt").string();
        ASSERT_EQ(std::system(befehl.c_str()), 0);
        EXPECT_EQ(lesen(wurzel_ / "py.txt"), "[['eins;x', 'drei\"\\t', 'zwei', '0,5'], [], ['a\\r\\nb']]\n") << tab;
    }
}

TEST_F(AwformatTest, CsvTextIsNotCutAtAHundredThousandCharacters)
{
    start("xkenn 1\n");
    std::string feld(90, 'w');
    for (int i = 0; i < 2000; ++i) {
        AwfSlotFeld(AWF_KENN, feld.c_str());
        AwfSatzAus();
    }
    ASSERT_EQ(AwfEnde(), 0);
    EXPECT_EQ(AwfCsvText().size(), 2000u * 92u);
    EXPECT_EQ(AwfCsvText().substr(AwfCsvText().size() - 92), feld + "\r\n");
}

TEST_F(AwformatTest, ResultNotCreatableWarnsAndEndsTheRun)
{
    vorgaben("seiten 3\nxseiten 7\n");
    EXPECT_EQ(AwfStart("x", ""), -1);
    EXPECT_EQ(AwfStart("x", (wurzel_ / "fehlt" / "erg.txt").c_str()), -1);
    EXPECT_FALSE(AwfLaeuft());
    ASSERT_EQ(warnungen().size(), 2u);
    EXPECT_EQ(warnungen()[1], "Kann Ausgabedatei " + (wurzel_ / "fehlt" / "erg.txt").string() + " nicht anlegen.");
    // The run's key prefix does not stay for the readers that follow.
    EXPECT_EQ(VgbInt("seiten"), 3);
}

TEST_F(AwformatTest, AFailureAtAnyCallKeepsThePreviousResultAndCsv)
{
    const std::string alt = "alter Inhalt\r\n";
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen, PlFehlerArt::Schliessen}) {
        for (int k = 1; k <= 4; ++k) {
            PlFehlerScope scope;
            vorgaben("xkenn 1\n");
            schreiben(ergebnis(), alt);
            schreiben(wurzel_ / "erg.csv", alt);
            warnungen().clear();
            plFehlerSetzen(art, k);
            int r = AwfStart("x", ergebnis().c_str());
            if (r == 0) {
                for (int i = 0; i < 3000; ++i) {
                    AwfSlotFeld(AWF_KENN, "Zeile mit etwas Text");
                    AwfSatzAus();
                }
                r = AwfEnde();
            }
            int c = AwfCsvSchreiben((wurzel_ / "erg.csv").c_str());
            bool ausgeloest = plFehlerAusgeloest(art) > 0;
            plFehlerAllesAus();
            if (!ausgeloest) continue;
            EXPECT_EQ(warnungen().size(), 1u) << static_cast<int>(art) << " " << k;
            if (r != 0) {
                EXPECT_EQ(lesen(ergebnis()), alt);
            } else {
                EXPECT_EQ(c, -1);
                EXPECT_EQ(lesen(wurzel_ / "erg.csv"), alt);
            }
            size_t dateien = 0;
            for (const auto& e : fs::directory_iterator(wurzel_)) (void)e, ++dateien;
            EXPECT_EQ(dateien, 3u) << "a temporary file was left";
        }
    }
}

}  // namespace
