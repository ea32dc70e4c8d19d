// Project titles: the project file and its old forms, page ranges, limits,
// import, writing and its failures, and the drawing-header cache.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/zeichnun.h"
#include "platform/fehlersim.h"
#include "projtest.h"
#include "support/dosdatei.h"

using namespace projtest;

namespace {

class UtitelTest : public ProjTest {};

projekttext bereich(const char* kenn, const char* titel)
{
    projekttext t{};
    std::snprintf(t.kenn, sizeof t.kenn, "%s", kenn);
    std::snprintf(t.titel, sizeof t.titel, "%s", titel);
    return t;
}

std::string titel()
{
    projekttext t;
    UtitelProjektText(&t);
    return t.titel;
}

TEST_F(UtitelTest, ProjectFileGivesTitlesNumberedRecordsAndRanges)
{
    kopieren("titel/Projekt.zvk");
    projekttext t;
    UtitelProjektText(&t);
    EXPECT_STREQ(t.kenn, "___");
    EXPECT_STREQ(t.titel, "Schaltanlage Nord");
    EXPECT_STREQ(t.ort, "K\xf6ln");
    EXPECT_STREQ(t.text[1], "Text 2");
    EXPECT_STREQ(t.gruppe[1], "+S1");
    UtitelNrText(2, &t);
    EXPECT_STREQ(t.titel, "Weiter 2");
    UtitelNrText(3, &t);
    EXPECT_STREQ(t.kenn, "");
    EXPECT_EQ(UtitelBereichAnzahl(), 2);
    EXPECT_EQ(UtitelBereichNr("010"), 1);
    EXPECT_EQ(UtitelBereichNr("999"), 0);

    // The last range whose start is not after the drawing.
    const struct {
        const char* zeichnung;
        const char* titel;
    } faelle[] = {
        {"Anlage.000", ""},           {"Anlage.001", "Bereich Eins"}, {"Anlage.005", "Bereich Eins"},
        {"Anlage.010", "Bereich Zehn"}, {"Anlage.020", "Bereich Zehn"},
    };
    for (const auto& f : faelle) {
        UtitelPfadText(f.zeichnung, &t);
        EXPECT_STREQ(t.titel, f.titel) << f.zeichnung;
    }
}

// The range lookup keeps the plain walk's answers: every range from the
// first, stopping at the first start after the drawing. Range lists with
// gaps, duplicate and differently cased keys, two-part keys and none;
// drawings in order, backwards and mixed, of several stems, and again after
// the list changed.
std::string bereichDurchlauf(const std::string& zeichnung)
{
    std::string gefunden;
    projekttext r;
    for (int n = 0; UtitelBereichHolen(n, &r); ++n) {
        char name[ZEIPFADSUP + 1];
        std::snprintf(name, sizeof name, "%.*s", ZEIPFADSUP, zeichnung.c_str());
        ZeiExtSetzen(name, r.kenn);
        if (ZeiDateiVergleich(zeichnung.c_str(), name) < 0) break;
        gefunden = std::string(r.kenn) + "|" + r.titel;
    }
    return gefunden;
}

TEST_F(UtitelTest, RangeLookupGivesThePlainWalksAnswersInAnyOrder)
{
    const std::vector<std::vector<std::string>> listen = {
        {"001", "010", "050"},
        {"050", "010", "001", "010"},
        {"a01", "A01", "1", "001", "B", "b"},
        {"1.5", "001", "2", "A.B", "Z9"},
        {"9", "10", "100"},  // cut to one character beside a long stem: out of order
        {},
    };
    std::vector<std::string> zeichnungen = {
        "Anlage",     "Anlage.000", "Anlage.001", "Anlage.01", "Anlage.005", "Anlage.010", "anlage.010",
        "Anlage.020", "Anlage.050", "Anlage.999", "Anlage.1.5", "Anlage.1.9", "Anlage.a01", "Anlage.B",
        "Anlage.C",   "Zweite.003", "Zweite.060", "X.Y.Z.002", "X.Y.000", "X.Y.1.7", "X.Y.3",
        "X.Y.A.C",    "X.Y.Z9",     std::string(250, 'L') + ".005",
        std::string(198, 'L') + ".95", std::string(198, 'L') + ".15", std::string(198, 'L') + ".5",
    };
    std::vector<std::string> gemischt;
    for (size_t i = 0; i < zeichnungen.size(); ++i) gemischt.push_back(zeichnungen[(i * 7) % zeichnungen.size()]);
    std::vector<std::string> rueckwaerts(zeichnungen.rbegin(), zeichnungen.rend());

    for (size_t l = 0; l < listen.size(); ++l) {
        std::string datei = "zvkP\n)S Titel\n" + felder({"___", "Projekt"}) + "\n";
        for (size_t i = 0; i < listen[l].size(); ++i)
            datei += felder({listen[l][i], "T" + std::to_string(i)}) + "\n";
        schreiben(pfad("Projekt.zvk"), datei + ")S Kennung\n)E\n");
        UtitelLaden();
        ASSERT_EQ(UtitelBereichAnzahl(), static_cast<int>(listen[l].size()));
        for (int lauf = 0; lauf < 2; ++lauf) {
            std::vector<std::string> davor = {"Anlage.008"};
            for (const auto* folge : {&zeichnungen, &rueckwaerts, &gemischt, &zeichnungen, &davor}) {
                for (const std::string& z : *folge) {
                    projekttext t;
                    UtitelPfadText(z.c_str(), &t);
                    const std::string neu = t.kenn[0] ? std::string(t.kenn) + "|" + t.titel : "";
                    EXPECT_EQ(neu, bereichDurchlauf(z)) << "list " << l << " run " << lauf << ": " << z;
                }
            }
            // A new range between the others: the next lookup of the same
            // stem sees it.
            projekttext neu = bereich("007", "neu");
            ASSERT_EQ(UtitelBereichSetzen(&neu), 0);
            projekttext t;
            UtitelPfadText("Anlage.008", &t);
            EXPECT_STREQ(t.titel, "neu") << "list " << l;
        }
    }
}

TEST_F(UtitelTest, FileNameFollowsTheLanguage)
{
    const struct {
        int sprache;
        int mitSprache;
        const char* name;
    } faelle[] = {{0, 1, "Projekt.zvk"}, {2, 1, "Projekt2.zvk"}, {2, 0, "Projekt.zvk"}, {9, 1, "Projekt9.zvk"}};
    for (const auto& f : faelle) {
        SprSetzen(f.sprache);
        char p[300];
        UtitelDateiName(p, sizeof p, f.mitSprache);
        EXPECT_EQ(p, pfad(f.name)) << f.sprache;
    }
}

TEST_F(UtitelTest, LanguageTwoReadsItsOwnFile)
{
    kopieren("titel/Projekt.zvk");
    std::string zwei = lesen(fixture("titel/Projekt.zvk"));
    zwei.replace(zwei.find("Schaltanlage Nord"), 17, "Switchgear North");
    schreiben(pfad("Projekt2.zvk"), zwei);
    SprSetzen(2);
    EXPECT_EQ(titel(), "Switchgear North");
}

TEST_F(UtitelTest, WritingGivesTheLayoutByteForByte)
{
    kopieren("titel/Projekt.zvk");
    const std::string vorher = lesen(pfad("Projekt.zvk"));
    projekttext t;
    UtitelProjektText(&t);
    ASSERT_EQ(UtitelSchreiben(), 0);
    EXPECT_EQ(lesen(pfad("Projekt.zvk")), vorher);

    // Setters sort: a new numbered record and a new range take their places.
    projekttext n = bereich("", "Weiter 0");
    ASSERT_EQ(UtitelNrSetzen(0, &n), 0);
    projekttext b = bereich("005", "Bereich F\xfcnf");
    ASSERT_EQ(UtitelBereichSetzen(&b), 0);
    ASSERT_EQ(UtitelBeenden(1), 0);
    const std::string neu = lesen(pfad("Projekt.zvk"));
    const size_t a = neu.find("\n__0\x1c"), c = neu.find("\n__1\x1c"), d = neu.find("\n001\x1c"),
                 e = neu.find("\n005\x1c"), f = neu.find("\n010\x1c");
    EXPECT_TRUE(a < c && c < d && d < e && e < f) << neu;
}

TEST_F(UtitelTest, OverlongFieldsAreCutWhenReadAndSet)
{
    schreiben(pfad("Projekt.zvk"), "zvkP\n)S Titel\n" + felder({"___", std::string(60, 'T'), "A"}) + "\n" +
                                        felder({std::string(30, '7'), "Lang"}) + "\n)E\n");
    EXPECT_EQ(titel(), std::string(40, 'T'));
    projekttext t;
    ASSERT_EQ(UtitelBereichHolen(0, &t), 1);
    EXPECT_EQ(std::string(t.kenn), std::string(20, '7'));
}

TEST_F(UtitelTest, NoFileGivesOneEmptyProjectRecordAndCreateMakesTheFile)
{
    EXPECT_EQ(titel(), "");
    EXPECT_FALSE(fs::exists(pfad("Projekt.zvk")));
    UtitelBeenden(0);
    projekttext t = bereich("", "Neu");
    ASSERT_EQ(UtitelProjektSetzen(&t), 0);
    EXPECT_EQ(lesen(pfad("Projekt.zvk")), "zvkP\n)S Titel\n)S Kennung\n)E\n");
    EXPECT_EQ(titel(), "Neu");
}

TEST_F(UtitelTest, FullListRefusesANewKeyButReplacesAKnownOne)
{
    for (int i = 1; i < UTITELSUP; ++i) {
        char k[8];
        std::snprintf(k, sizeof k, "%03d", i);
        projekttext b = bereich(k, "x");
        ASSERT_EQ(UtitelBereichSetzen(&b), 0) << i;
    }
    EXPECT_EQ(UtitelBereichAnzahl(), UTITELSUP - 1);  // and "___"
    projekttext neu = bereich("500", "zu viel");
    EXPECT_EQ(UtitelBereichSetzen(&neu), -1);
    projekttext nr = bereich("", "zu viel");
    EXPECT_EQ(UtitelNrSetzen(1, &nr), -1);
    projekttext alt = bereich("007", "ersetzt");
    EXPECT_EQ(UtitelBereichSetzen(&alt), 0);
    EXPECT_EQ(UtitelBereichAnzahl(), UTITELSUP - 1);
    projekttext t;
    UtitelPfadText("Anlage.007", &t);
    EXPECT_STREQ(t.titel, "ersetzt");
}

// An old project: "___" from the ini file, both line forms of "UTitel.txt".
TEST_F(UtitelTest, OldProjectSurvivesCounterMovesAndConvertsOnWriting)
{
    kopieren("alt/UTitel.txt");
    kopieren("alt/ZavikPro.ini");
    projekttext t;
    UtitelProjektText(&t);
    EXPECT_STREQ(t.titel, "Altprojekt");
    EXPECT_STREQ(t.anlage, "Alte Anlage");
    EXPECT_STREQ(t.text[1], "Zeile 1");
    UtitelPfadText("Anlage.003", &t);
    EXPECT_STREQ(t.kenn, "001");
    EXPECT_STREQ(t.titel, "Alter Bereich");
    EXPECT_STREQ(t.anlage, "Halle");
    UtitelPfadText("Anlage.007", &t);
    EXPECT_STREQ(t.titel, "Bereich F\xfcnf");
    EXPECT_STREQ(t.text[4], "t5");
    const int stand = UtitelStand();

    // A change waits in memory; the counter moves; nothing is reread and no
    // project file hides the old titles.
    t = bereich("", "Ge\xe4ndert");
    ASSERT_EQ(UtitelProjektSetzen(&t), 0);
    zaehlerWeiter();
    UtitelPruefen(1);
    EXPECT_EQ(titel(), "Ge\xe4ndert");
    EXPECT_EQ(UtitelStand(), stand);
    EXPECT_FALSE(fs::exists(pfad("Projekt.zvk")));

    // A failed write keeps the old files and the change.
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Schreiben, 1);
        EXPECT_EQ(UtitelBeenden(1), -1);
    }
    EXPECT_TRUE(fs::exists(pfad("UTitel.txt")));
    EXPECT_TRUE(fs::exists(pfad("ZavikPro.ini")));
    EXPECT_FALSE(fs::exists(pfad("Projekt.zvk")));
    EXPECT_EQ(UtitelGeaendert(), 1);

    ASSERT_EQ(UtitelBeenden(1), 0);
    EXPECT_EQ(namen(), (std::set<std::string>{"Projekt.zvk"}));
    UtitelBeenden(0);
    EXPECT_EQ(titel(), "Ge\xe4ndert");
    EXPECT_EQ(UtitelBereichAnzahl(), 2);
}

// A language's file written first leaves the base titles in the old files.
TEST_F(UtitelTest, OldProjectKeepsItsFilesWhenALanguageFileIsWritten)
{
    kopieren("alt/UTitel.txt");
    kopieren("alt/ZavikPro.ini");
    SprSetzen(2);
    projekttext t{};
    std::snprintf(t.titel, sizeof t.titel, "Old project");
    ASSERT_EQ(UtitelProjektSetzen(&t), 0);
    ASSERT_EQ(UtitelBeenden(1), 0);
    EXPECT_EQ(namen(), (std::set<std::string>{"Projekt2.zvk", "UTitel.txt", "ZavikPro.ini"}));
    SprSetzen(0);
    zaehlerWeiter();
    EXPECT_EQ(titel(), "Altprojekt");
}

TEST_F(UtitelTest, WriteFailuresKeepTheFileAndTheChange)
{
    kopieren("titel/Projekt.zvk");
    const std::string vorher = lesen(pfad("Projekt.zvk"));
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        projekttext t = bereich("", "Neu");
        ASSERT_EQ(UtitelProjektSetzen(&t), 0);
        {
            PlFehlerScope scope;
            plFehlerSetzen(art, 1);
            EXPECT_EQ(UtitelSchreiben(), -1) << static_cast<int>(art);
        }
        EXPECT_EQ(lesen(pfad("Projekt.zvk")), vorher);
        EXPECT_EQ(UtitelGeaendert(), 1);
        EXPECT_EQ(titel(), "Neu");
        EXPECT_EQ(namen(), (std::set<std::string>{"Projekt.zvk"}));
    }
}

TEST_F(UtitelTest, ImportAppendsUnknownRangesAndFillsOnlyEmptyTexts)
{
    fs::create_directories(ordner / "quelle");
    schreiben(pfad("quelle/Projekt.zvk"),
              "zvkP\n)S Titel\n" + felder({"___", "Fremd"}) + "\n" + felder({"001", "Quelle", "QHalle", "QOrt"}) +
                  "\n" + felder({"050", "Neu 50"}) + "\n)S Kennung\n)E\n");
    kopieren("titel/Projekt.zvk");
    EXPECT_EQ(UtitelImportVorhanden(), 0);
    EXPECT_EQ(UtitelImportieren(1, 1), -1);
    projekttext leer = bereich("001", "Bereich Eins");  // second text now empty
    ASSERT_EQ(UtitelBereichSetzen(&leer), 0);

    VerSetzen(1, (ordner / "quelle").string().c_str());
    EXPECT_EQ(UtitelImportMerken(), pfad("quelle/Projekt.zvk"));
    VerSetzen(1, ordner.string().c_str());
    ASSERT_EQ(UtitelImportieren(1, 1), 0);

    projekttext t;
    UtitelPfadText("Anlage.001", &t);
    EXPECT_STREQ(t.titel, "Bereich Eins");
    EXPECT_STREQ(t.anlage, "QHalle");
    EXPECT_STREQ(t.ort, "QOrt");
    UtitelPfadText("Anlage.050", &t);
    EXPECT_STREQ(t.titel, "Neu 50");
    EXPECT_EQ(titel(), "Schaltanlage Nord");
    EXPECT_EQ(UtitelBereichAnzahl(), 3);
}

TEST_F(UtitelTest, OtherProjectsTitlesAreReadWithoutTouchingTheList)
{
    kopieren("titel/Projekt.zvk", "Fremd.zvk");
    char a[UTTEXTSUP + 1], b[UTTEXTSUP + 1], c[UTTEXTSUP + 1];
    EXPECT_EQ(UtitelFremdLesen(pfad("Fremd.zvk").c_str(), a, b, c), 1);
    EXPECT_STREQ(a, "Schaltanlage Nord");
    EXPECT_STREQ(b, "Werk 2");
    EXPECT_EQ(UtitelFremdLesen(pfad("fehlt.zvk").c_str(), a, b, c), 0);
    EXPECT_STREQ(a, "");
}

// ---- drawing-header cache ---------------------------------------------------

void zeichnungAnlegen(const std::string& p, const char* text10)
{
    ZeiDatei z;
    ASSERT_EQ(ZeiDateiAnlegen(&z, p.c_str()), 0);
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
    ZeiKopf k{};
    std::snprintf(k.titel[0], sizeof k.titel[0], "Titel %s", text10);
    std::snprintf(k.text10, sizeof k.text10, "%s", text10);
    std::snprintf(k.text11, sizeof k.text11, "+%s", text10);
    ASSERT_EQ(ZeiKopfSchreiben(p.c_str(), &k), 1);
}

TEST_F(UtitelTest, HeaderCacheReadsAMissOnceBesideTheCurrentDrawing)
{
    zeichnungAnlegen(pfad("Anlage.001"), "=A1");
    zeichnungAnlegen(pfad("Anlage.002"), "=A2");
    ZeiAktSetzen(pfad("Anlage.001").c_str());
    char t10[ZEIKOPFTEXTSUP + 1], t11[ZEIKOPFTEXTSUP + 1];
    ZeiKopfGruppenTexte("002", t10, t11);
    EXPECT_STREQ(t10, "=A2");
    EXPECT_STREQ(t11, "+=A2");
    EXPECT_EQ(ZeiKopfAnzahl(), 1);

    zeichnungAnlegen(pfad("Anlage.002"), "=B2");  // the cache keeps what it read
    ZeiKopfGruppenTexte("002", t10, t11);
    EXPECT_STREQ(t10, "=A2");
    ZeiKopfGruppenTexte("777", t10, t11);          // no such drawing: nothing cached
    EXPECT_STREQ(t10, "");
    EXPECT_EQ(ZeiKopfAnzahl(), 1);

    ZeiKopf k{};
    std::snprintf(k.text10, sizeof k.text10, "gemerkt");
    ZeiKopfMerken("Anlage.010", &k);
    ZeiKopfMerken("Anlage.9", &k);
    ZeiKopfMerken("Anlage.", &k);                   // blank key: nothing
    EXPECT_EQ(ZeiKopfAnzahl(), 3);
    ZeiKopfHolen("010", &k);
    EXPECT_STREQ(k.text10, "gemerkt");

    ZeiKopfCacheLeeren();
    ZeiKopfGruppenTexteDatei(pfad("Anlage.002").c_str(), t10, t11);
    EXPECT_STREQ(t10, "=B2");
    EXPECT_EQ(ZeiKopfAnzahl(), 1);
}

}  // namespace
