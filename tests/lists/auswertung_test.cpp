// The evaluation catalogue and its listing, the sort code, the kind,
// identifier and place filters, the only-marked rule, and shown names that
// follow a switch of the defaults set.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "config/konfhaken.h"
#include "config/vorgaben.h"
#include "lists/auswertung.h"

namespace fs = std::filesystem;

namespace {

void schreiben(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary | std::ios::trunc) << s; }

class AuswertungTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wurzel_ = fs::temp_directory_path() / ("aw-" + std::to_string(::getpid()));
        fs::remove_all(wurzel_);
        fs::create_directories(wurzel_);
        KonfHaken h{};
        h.warnung = [](const char*) {};
        konfHakenSetzen(h);
        set("A", "");
    }
    void TearDown() override
    {
        AwOptionen() = awoptionen{};
        konfHakenZuruecksetzen();
        VgbFehlMeldung(1);
        fs::remove_all(wurzel_);
    }
    void set(const std::string& name, const std::string& zeilen)
    {
        schreiben(wurzel_ / (name + ".vgb"), "Name " + name + "\n" + zeilen);
        VgbFehlMeldung(0);
        VgbSetSetzen(name.c_str(), (wurzel_ / (name + ".vgb")).c_str());
    }
    void katalog(const std::string& text)
    {
        schreiben(wurzel_ / "auswertungen.txt", text);
        AwKatalogAusDatei((wurzel_ / "auswertungen.txt").c_str());
    }
    fs::path wurzel_;
};

TEST_F(AuswertungTest, CatalogueLinesAndTheirFollowUpPrograms)
{
    katalog("# Kommentar\n; auch\n\n"
            "0 bml BML Betriebsmittelliste | nachher.exe \n"
            "1 art ART Artikelliste |\n"
            "  3 bma BMA   |Mit Strich\n"
            "x y z\n"
            "4 pot POT Potentiale\n");
    ASSERT_EQ(AwAnzahl(), 3);
    char name[81], typ[11], praefix[21], gruppe[21], programm[101];
    ASSERT_EQ(AwEintrag(0, name, typ, praefix, gruppe, programm), 1);
    EXPECT_STREQ(name, "Betriebsmittelliste");
    EXPECT_STREQ(typ, "0");
    EXPECT_STREQ(praefix, "bml");
    EXPECT_STREQ(gruppe, "BML");
    EXPECT_STREQ(programm, "nachher.exe");
    ASSERT_EQ(AwEintrag(1, name, nullptr, nullptr, nullptr, programm), 1);
    EXPECT_STREQ(name, "Artikelliste");
    EXPECT_STREQ(programm, "");
    ASSERT_EQ(AwEintrag(2, name, nullptr, nullptr, nullptr, programm), 1);
    EXPECT_STREQ(name, "|Mit Strich");
    EXPECT_STREQ(programm, "");
    EXPECT_EQ(AwTyp(2), 3);
    // The line without a name ends the table: "4 pot" is not read.
    EXPECT_EQ(AwEintrag(3, name, typ, nullptr, nullptr, nullptr), 0);
    EXPECT_STREQ(name, "");
    EXPECT_STREQ(typ, "");
    EXPECT_EQ(AwEintrag(50, name, nullptr, nullptr, nullptr, nullptr), 0);
}

TEST_F(AuswertungTest, FiftyOneUsableLinesListTheFirstFiftyAndHiddenOnesStayRunnable)
{
    std::string t;
    for (int i = 0; i < 51; ++i) t += std::to_string(i % 10) + " p" + std::to_string(i) + " G Liste " + std::to_string(i) + "\n";
    katalog(t);
    EXPECT_EQ(AwAnzahl(), 50);
    set("A", "p1Name ---versteckt\np2Name Gezeigt\n");
    auto liste = AwListe();
    ASSERT_EQ(liste.size(), 49u);
    EXPECT_EQ(liste[0], std::string("Liste 0") + std::string(73, ' ') + "0");
    EXPECT_EQ(liste[1].substr(0, 7), "Gezeigt");
    EXPECT_EQ(AwListenIndex(liste[1].c_str()), 2);
    EXPECT_EQ(AwListenIndex(liste[48].c_str()), 49);
    EXPECT_EQ(AwListenIndex("kurz"), -1);
    char anz[81];
    EXPECT_EQ(AwAnzeigeName(1, anz), 2);
    EXPECT_EQ(AwTyp(1), 1);  // hidden, yet its entry is there to run
    EXPECT_STREQ(AwName(1), "Liste 1");
}

TEST_F(AuswertungTest, ShownNamesFollowASwitchOfTheSet)
{
    katalog("0 bml BML Betriebsmittelliste\n");
    set("A", "bmlName Liste A\n");
    char anz[81];
    EXPECT_EQ(AwAnzeigeName(0, anz), 1);
    EXPECT_STREQ(anz, "Liste A");
    set("B", "bmlName Liste B\n");
    AwAnzeigeName(0, anz);
    EXPECT_STREQ(anz, "Liste B");
    set("C", "");
    EXPECT_EQ(AwAnzeigeName(0, anz), 0);
    EXPECT_EQ(AwListe()[0].substr(0, 19), "Betriebsmittelliste");
}

TEST_F(AuswertungTest, SortCodes)
{
    struct {
        const char* text;
        int code;
    } faelle[] = {{"2-1", 301}, {"", 100}, {"9", 800}, {"000", 110}, {"77 3", 880}, {"05", 160},
                  {"3-9", 403}, {"--", 100}, {"x", 100}};
    for (const auto& f : faelle) EXPECT_EQ(AwSortCode(f.text), f.code) << '"' << f.text << '"';
}

TEST_F(AuswertungTest, KindAndIdentifierFilters)
{
    awoptionen& o = AwOptionen();
    AwArtenSetzen(o, "kab klm");
    EXPECT_EQ(std::vector<int>(o.arten, o.arten + 6), (std::vector<int>{0, 0, 1, 0, 1, 0}));
    AwArtenSetzen(o, "*");
    EXPECT_EQ(std::vector<int>(o.arten, o.arten + 6), (std::vector<int>{1, 1, 1, 1, 1, 1}));
    struct {
        const char* bmkenn;
        const char* kennung;
        bool rein;
    } faelle[] = {
        {"* -X", "K1", true},    {"* -X", "X1", false},  {"* -X", "!K1", true},  {"!", "!K1", true},
        {"!", "K1", false},      {"-!", "!K1", false},   {"", "K1", false},      {"", "!K1", false},
        {"K -K9", "K12", true},  {"K -K9", "K91", false}, {"k", "K1", false},    {"a b c d e F", "F1", false},
        {"a b c d F", "F1", true}, {"* -a -b -c -D", "D1", true},
    };
    for (const auto& f : faelle) {
        AwKennungenSetzen(o, f.bmkenn);
        EXPECT_EQ(AwFilter(0, f.kennung), f.rein) << f.bmkenn << " / " << f.kennung;
    }
    AwKennungenSetzen(o, "*");
    AwArtenSetzen(o, "Pot");
    EXPECT_TRUE(AwFilter(1, "P1"));
    EXPECT_FALSE(AwFilter(0, "P1"));
    EXPECT_FALSE(AwFilter(7, "P1"));
}

TEST_F(AuswertungTest, PlaceFilterAndOnlyMarkedRule)
{
    awoptionen& o = AwOptionen();
    o.bauwerk = "Halle";
    EXPECT_TRUE(AwOrtFilter("HALLE", "", 0));
    EXPECT_FALSE(AwOrtFilter("Hallen", "", 0));
    o.bauwerk.clear();
    o.objekt = "o1";
    EXPECT_FALSE(AwOrtFilter("", "o2", 0));
    o.objekt.clear();
    o.extatt = 1;
    EXPECT_FALSE(AwOrtFilter("", "", 1));
    EXPECT_TRUE(AwOrtFilter("", "", 0));
    o.extatt = 2;
    EXPECT_TRUE(AwOrtFilter("", "", 1));
    EXPECT_FALSE(AwOrtFilter("", "", 0));
    struct {
        int wert, markiert, soll;
    } regel[] = {{0, 5, 0}, {1, 0, 1}, {2, 1, 0}, {2, 2, 1}, {3, 5, 0}, {-1, 5, 0}};
    for (const auto& r : regel) EXPECT_EQ(AwNurMarkRegel(r.wert, r.markiert), r.soll) << r.wert << " " << r.markiert;
}

TEST_F(AuswertungTest, OptionsLoadFromTheEntrysPrefixPerType)
{
    set("A", "bmldatei  liste.txt\nbmlTypen kab\nbmlbmkenn * -X\nbmlsortBPK 2-1\nbmlauf1sei 1\n"
             "knxauf1sei 0\nklmsortKLM 12\nbtlbauteil  Schild1 Schild2\nbtla3a4 1\n");
    awoptionen o;
    AwOptionenLaden(o, "bml", 0);
    EXPECT_EQ(o.datei, "liste.txt");
    EXPECT_EQ(o.sortiert, 301);
    EXPECT_EQ(o.alle, 1);
    EXPECT_EQ(o.aus[0], "X");
    EXPECT_EQ(o.arten[4], 1);
    EXPECT_EQ(o.arten[0], 0);
    EXPECT_EQ(o.auf1sei, 0);  // the equipment list keeps no blocks
    AwOptionenLaden(o, "bml", 1);
    EXPECT_EQ(o.auf1sei, 1);
    AwOptionenLaden(o, "knx", 7);
    EXPECT_EQ(o.auf1sei, 1);  // always on for the KNX lists
    AwOptionenLaden(o, "klm", 5);
    EXPECT_EQ(o.sortiert, 230);
    AwOptionenLaden(o, "btl", 2);
    EXPECT_EQ(o.bauteil, "Schild1");
    EXPECT_EQ(o.a3a4, 1);
    EXPECT_EQ(std::string(VgbPraefix("")), "");
}

}  // namespace
