// Tests of the spell checker's own replacement and ignore lists: the packed
// records, capacity, the list files (reading bounded lines, writing through
// a temporary file) and the two lists of the program.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/fehlersim.h"
#include "project/rswliste.h"
#include "support/basis.h"
#include "support/basistest.h"
#include "support/pfade.h"

namespace {

namespace fs = std::filesystem;

std::string lesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void schreiben(const std::string& pfad, const std::string& inhalt)
{
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f << inhalt;
}

std::string fixtur(const char* name)
{
    return std::string(VELMO_TEST_DATA) + "/project/spell/" + name;
}

std::vector<std::string>& spur()
{
    static std::vector<std::string> s;
    return s;
}

void spurSenke(const char* text)
{
    spur().emplace_back(text);
}

class RswTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char muster[] = "/tmp/velmo_rsw_XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner_ = muster;
        spur().clear();
        altSenke_ = wiDebugSenkeSetzen(spurSenke);
        RswInit(&liste_);
    }
    void TearDown() override
    {
        RswSchliessen();
        RswFrei(&liste_);
        wiDebugSenkeSetzen(altSenke_);
        plFehlerAllesAus();
        fs::remove_all(ordner_);
    }
    std::string datei(const char* name) const { return ordner_ + "/" + name; }
    std::string wert(const char* wort) const
    {
        char puffer[300];
        return RswSuchen(&liste_, wort, puffer) ? std::string(puffer) : std::string("<fehlt>");
    }

    std::string ordner_;
    RswListe liste_{};
    WiDebugSenke altSenke_ = nullptr;
};

TEST_F(RswTest, RecordLayoutIsLengthWordZeroValueLengthValueZero)
{
    ASSERT_EQ(RswSetzen(&liste_, "Kabl", "Kabel"), 0);
    EXPECT_EQ(liste_.anzahl, 1);
    EXPECT_EQ(liste_.gesamt, 4 + 5 + 7);
    const char* p = liste_.puffer;
    EXPECT_EQ(p[0], 4);
    EXPECT_EQ(std::memcmp(p + 1, "Kabl\0", 5), 0);
    int32_t lw = 0;
    std::memcpy(&lw, p + 6, 4);
    EXPECT_EQ(lw, 5);
    EXPECT_EQ(std::memcmp(p + 10, "Kabel\0", 6), 0);
    EXPECT_EQ(p[16], 0);  // zero past the records
}

TEST_F(RswTest, SetMovesToEndAppendKeepsDuplicatesAndCaseCounts)
{
    RswSetzen(&liste_, "Hauss", "Haus");
    RswSetzen(&liste_, "hauss", "haus");
    RswSetzen(&liste_, "Kabl", "Kabel");
    RswSetzen(&liste_, "Hauss", "H\xe4user");  // replaced, moved to the end
    EXPECT_EQ(liste_.anzahl, 3);
    EXPECT_EQ(wert("Hauss"), "H\xe4user");
    EXPECT_EQ(wert("hauss"), "haus");
    EXPECT_EQ(wert("HAUSS"), "<fehlt>");
    EXPECT_EQ(wert("Haus"), "<fehlt>");  // a prefix of a word is no match

    ASSERT_EQ(RswSchreiben(datei("a.spell").c_str(), &liste_), 0);
    EXPECT_EQ(lesen(datei("a.spell")), "hauss\thaus\nKabl\tKabel\nHauss\tH\xe4user\n");

    RswAnhaengen(&liste_, "Kabl", "zweites");
    EXPECT_EQ(liste_.anzahl, 4);
    EXPECT_EQ(wert("Kabl"), "Kabel");  // the first record is found
    EXPECT_EQ(RswLoeschen(&liste_, "Kabl"), 1);
    EXPECT_EQ(wert("Kabl"), "zweites");
    EXPECT_EQ(RswLoeschen(&liste_, "Kabl"), 1);
    EXPECT_EQ(RswLoeschen(&liste_, "Kabl"), 0);
    EXPECT_EQ(liste_.anzahl, 2);
    // Removing moved the rest down and left zeros behind.
    EXPECT_EQ(liste_.gesamt, (5 + 4 + 7) + (5 + 6 + 7));
    for (int i = liste_.gesamt; i < VARLANG; ++i) ASSERT_EQ(liste_.puffer[i], 0) << i;
}

TEST_F(RswTest, SearchResultIsCutToTheCallersBuffer)
{
    RswSetzen(&liste_, "w", "Schaltschrankverdrahtung");
    char klein[8];
    EXPECT_EQ(RswSuchen(&liste_, "w", klein), 1);
    EXPECT_STREQ(klein, "Schalts");
    EXPECT_EQ(RswSuchen(&liste_, "x", klein), 0);
    EXPECT_STREQ(klein, "");
}

TEST_F(RswTest, PairsTheFilesCouldNotGiveBackAreRefused)
{
    const std::string lang256(256, 'a');
    const std::string lang255(255, 'a');
    struct Fall {
        std::string wort, wert;
        int erwartet;
    };
    const Fall faelle[] = {
        {lang255, "v", 0},
        {lang256, "v", -1},
        {"mit\tTab", "v", -1},
        {"Zeile\n", "v", -1},
        {"w", "zwei\nZeilen", -1},
        {"w", "Wagen\r", -1},
        {"w", "Tab\tim Wert", 0},
    };
    for (const Fall& f : faelle) {
        RswListe l{};
        RswInit(&l);
        EXPECT_EQ(RswSetzen(&l, f.wort.c_str(), f.wert.c_str()), f.erwartet) << f.wort << "|" << f.wert;
        EXPECT_EQ(RswAnhaengen(&l, f.wort.c_str(), f.wert.c_str()), f.erwartet) << f.wort << "|" << f.wert;
        EXPECT_EQ(l.anzahl, f.erwartet == 0 ? 2 : 0);
        RswFrei(&l);
    }
}

TEST_F(RswTest, ARecordFitsOnlyWhileTheTotalStaysBelowTheCapacity)
{
    // One record of VARLANG - 1 bytes fits, one of VARLANG bytes does not.
    const std::string passt(VARLANG - 1 - 7 - 1, 'x');
    const std::string zuviel(VARLANG - 7 - 1, 'x');
    EXPECT_EQ(RswAnhaengen(&liste_, "a", zuviel.c_str()), -1);
    EXPECT_EQ(liste_.anzahl, 0);
    ASSERT_EQ(RswAnhaengen(&liste_, "a", passt.c_str()), 0);
    EXPECT_EQ(liste_.gesamt, VARLANG - 1);
    EXPECT_EQ(RswAnhaengen(&liste_, "", ""), -1);
    // Replacing a record may use the room the old one leaves.
    EXPECT_EQ(RswSetzen(&liste_, "a", "kurz"), 0);
    EXPECT_EQ(wert("a"), "kurz");
    EXPECT_FALSE(spur().empty());  // the refusals were reported
}

TEST_F(RswTest, ARefusedReplacementKeepsTheOldRecord)
{
    const std::string gross(VARLANG / 2, 'x');
    ASSERT_EQ(RswSetzen(&liste_, "a", gross.c_str()), 0);
    ASSERT_EQ(RswSetzen(&liste_, "b", "alt"), 0);
    const std::vector<char> vorher(liste_.puffer, liste_.puffer + VARLANG);
    EXPECT_EQ(RswSetzen(&liste_, "b", gross.c_str()), -1);
    EXPECT_EQ(wert("b"), "alt");
    EXPECT_EQ(std::memcmp(vorher.data(), liste_.puffer, VARLANG), 0);
}

TEST_F(RswTest, ReadingSplitsAtTheFirstTabAndBoundsLines)
{
    ASSERT_EQ(RswLesen(fixtur("ersetzen.spell").c_str(), &liste_), 0);
    EXPECT_EQ(liste_.anzahl, 8);  // the empty line is skipped
    EXPECT_EQ(wert("Hauss"), "Haus");  // of two records the first is found
    EXPECT_EQ(wert("ohneTab"), "");    // a line without TAB: the whole line is the word
    EXPECT_EQ(wert("Kabl"), "Kabel");  // CR dropped
    EXPECT_EQ(wert("Leer"), "");
    EXPECT_EQ(wert("Zwei"), "Tabs\tim Wert");
    EXPECT_EQ(wert("Lang"), std::string(195, 'x'));  // the line was cut at 200 characters
    EXPECT_EQ(wert("Ende"), "Ende");   // last line without line end
    EXPECT_EQ(RswLesen(datei("fehlt.spell").c_str(), &liste_), -1);
    EXPECT_EQ(liste_.anzahl, 8);
}

TEST_F(RswTest, WritingFailuresKeepTheOldFile)
{
    RswSetzen(&liste_, "Hauss", "Haus");
    const std::string ziel = datei("ersetzen.spell");
    schreiben(ziel, "alt\tInhalt\n");
    const PlFehlerArt arten[] = {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen};
    for (PlFehlerArt art : arten) {
        plFehlerSetzen(art, 1);
        EXPECT_EQ(RswSchreiben(ziel.c_str(), &liste_), -1) << static_cast<int>(art);
        plFehlerAllesAus();
        EXPECT_EQ(lesen(ziel), "alt\tInhalt\n");
    }
    EXPECT_EQ(RswSchreiben(ziel.c_str(), &liste_), 0);
    EXPECT_EQ(lesen(ziel), "Hauss\tHaus\n");
    for (const auto& e : fs::directory_iterator(ordner_))
        EXPECT_EQ(e.path().filename(), "ersetzen.spell");  // no temporary file left behind
}

TEST_F(RswTest, ARefusedBlockEndsThroughTheAssertion)
{
    AssertWirft wirft;
    RswListe l{};
    plFehlerSetzen(PlFehlerArt::Speicher, 1);
    try {
        RswInit(&l);
        ADD_FAILURE() << "no assertion";
    } catch (const AssertAusnahme& a) {
        EXPECT_EQ(a.datei, "rswliste");
    }
    plFehlerAllesAus();
    RswFrei(&l);
}

// The two lists of the program over the files of one folder.
TEST_F(RswTest, ProgramListsReadLookUpAndWriteBack)
{
    fs::copy_file(fixtur("ersetzen.spell"), datei("ersetzen.spell"));
    fs::copy_file(fixtur("ignorieren.spell"), datei("ignorieren.spell"));
    char puffer[100];
    EXPECT_EQ(RswNachsehen("Hauss", puffer), 0);  // not open yet
    RswPfad(ordner_.c_str());                       // a separator is appended
    RswOeffnen();
    RswOeffnen();  // once: the second call reads nothing twice

    EXPECT_EQ(RswNachsehen("Hauss", puffer), 2);
    EXPECT_STREQ(puffer, "Haus");
    EXPECT_EQ(RswNachsehen("Zavik", puffer), 1);
    EXPECT_STREQ(puffer, "");
    EXPECT_EQ(RswNachsehen("zavik", puffer), 1);
    EXPECT_EQ(RswNachsehen("ZAVIK", puffer), 0);
    EXPECT_EQ(RswNachsehen("Haus", puffer), 0);

    // Ignoring a replaced word drops its replacement, and the other way.
    EXPECT_EQ(RswIgnorieren("Kabl"), 0);
    EXPECT_EQ(RswNachsehen("Kabl", puffer), 1);
    EXPECT_EQ(RswErsatz("ORVA", "Orva"), 0);
    EXPECT_EQ(RswNachsehen("ORVA", puffer), 2);
    EXPECT_STREQ(puffer, "Orva");
    EXPECT_EQ(RswErsatz("mit\tTab", "x"), -1);

    EXPECT_EQ(RswSchliessen(), 0);
    EXPECT_EQ(RswNachsehen("Hauss", puffer), 0);  // closed
    const std::string ersetzen = lesen(datei("ersetzen.spell"));
    EXPECT_EQ(ersetzen, "Hauss\tHaus\nohneTab\t\nHauss\tH\xe4user\nLeer\t\nZwei\tTabs\tim Wert\nLang\t" +
                            std::string(195, 'x') + "\nEnde\tEnde\nORVA\tOrva\n");
    EXPECT_EQ(lesen(datei("ignorieren.spell")), "Zavik\t\nzavik\t\nKabl\t\n");
}

TEST_F(RswTest, MissingFilesGiveEmptyListsAndCloseCreatesThem)
{
    RswPfad((ordner_ + "/").c_str());
    RswOeffnen();
    char puffer[100];
    EXPECT_EQ(RswNachsehen("Hauss", puffer), 0);
    EXPECT_EQ(RswErsatz("Hauss", "Haus"), 0);
    EXPECT_EQ(RswSchliessen(), 0);
    EXPECT_EQ(lesen(datei("ersetzen.spell")), "Hauss\tHaus\n");
    EXPECT_TRUE(fs::exists(datei("ignorieren.spell")));
    EXPECT_EQ(fs::file_size(datei("ignorieren.spell")), 0u);
    EXPECT_EQ(RswSchliessen(), 0);  // nothing open: nothing written
    EXPECT_EQ(RswErsatz("a", "b"), -1);
}

TEST_F(RswTest, AFailedWriteAtCloseIsReportedAndTheOldFileStays)
{
    schreiben(datei("ersetzen.spell"), "alt\tInhalt\n");
    RswPfad(ordner_.c_str());
    RswOeffnen();
    RswErsatz("Hauss", "Haus");
    spur().clear();
    plFehlerSetzen(PlFehlerArt::Umbenennen, 1);
    EXPECT_EQ(RswSchliessen(), -1);
    plFehlerAllesAus();
    EXPECT_EQ(lesen(datei("ersetzen.spell")), "alt\tInhalt\n");
    bool genannt = false;
    for (const std::string& z : spur()) genannt = genannt || z.find("ersetzen.spell") != std::string::npos;
    EXPECT_TRUE(genannt);
    EXPECT_TRUE(fs::exists(datei("ignorieren.spell")));  // the other list was still written
}

TEST_F(RswTest, AFolderTooLongTouchesNoFile)
{
    const std::string lang = ordner_ + "/" + std::string(PFADSUP, 'o');
    RswPfad(lang.c_str());
    RswOeffnen();
    EXPECT_EQ(RswIgnorieren("Zavik"), 0);
    EXPECT_EQ(RswSchliessen(), -1);
    EXPECT_TRUE(fs::is_empty(ordner_));
}

}  // namespace
