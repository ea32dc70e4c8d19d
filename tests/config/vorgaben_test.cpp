// Defaults sets: lookup rules of the store, writing, set lookup by name,
// command-line options and the listing of sets.
#include "config/vgbziel.h"
#include "config/vorgaben.h"

#include "konftest.h"
#include "platform/fehlersim.h"
#include "platform/orte.h"

namespace {

using konftest::fake;

struct Gelistet {
    std::vector<std::string> pfade;
    std::vector<std::string> anzeigen;
};

void merken(const char* pfad, const char* anzeige, void* b)
{
    static_cast<Gelistet*>(b)->pfade.push_back(pfad);
    static_cast<Gelistet*>(b)->anzeigen.push_back(anzeige);
}

std::string spalten80(const std::string& s)
{
    std::string r = s.substr(0, 80);
    r.resize(80, ' ');
    return r;
}

class Vorgaben : public konftest::KonfTest {
protected:
    void SetUp() override
    {
        KonfTest::SetUp();
        ordner("prj");
        VerSetzen(1, pfad("prj").c_str());
        VgbPraefix("");
        VgbFehlMeldung(1);
    }
    void TearDown() override
    {
        while (VgbAnzahl() > 0) VgbSchliessen();
        const char* arg[] = {"velmo"};
        plOrtArgumenteSetzen(1, arg);
        KonfTest::TearDown();
    }
    // Makes prj/Standard.vgb with the text current and opens the store.
    void oeffnen(const std::string& inhalt)
    {
        datei("prj/Standard.vgb", inhalt);
        ASSERT_EQ(VgbSetWaehlen("Standard"), 0);
        VgbOeffnen();
    }
};

TEST_F(Vorgaben, LookupRulesOfTheStore)
{
    datei("prj/Ersatz.vgb", "; Ersatz\nNurErsatzX  anders\nNurErsatz   aus  Ersatz \n");
    oeffnen("Name      Testsatz\n; Kommentar\n\nLangerSchluesselXY  wert13\nChkLstBz0   nullwert\r\n"
            "Breite  25\nZehntel 125\nDbl  -1.5e1\n");
    struct Fall {
        const char* schluessel;
        int gefunden;  // 1 found, 0 present but empty, -1 missing
        const char* wert;
        const char* meldung;
    };
    const Fall faelle[] = {
        {"Name", 1, "Testsatz", nullptr},
        {"LangerSchlue", 1, "wert13", nullptr},                  // stored cut to 12
        {"LangerSchluesselXY", -1, "", "Vorgabe LangerSchluesselXY fehlt."},
        {"ChkLstBz3", 1, "nullwert", nullptr},                    // trailing digits -> 0
        {"ChkLstBz12", 1, "nullwert", nullptr},
        {"Fehlt7", 0, "", nullptr},                               // both missing: empty, silent
        {"Fehlt", -1, "", "Vorgabe Fehlt fehlt."},
        {"NurErsatz", 1, "aus  Ersatz", nullptr},                 // from the replacement set
        {"breite", -1, "", "Vorgabe breite fehlt."},              // case counts
    };
    for (const auto& f : faelle) {
        fake().warnungen.clear();
        int i = VgbSuchen(f.schluessel);
        EXPECT_EQ(i >= 0 ? (VgbEintrag(i)->schluessel[0] ? 1 : 0) : -1, f.gefunden) << f.schluessel;
        EXPECT_STREQ(VgbZeiger(f.schluessel), f.wert) << f.schluessel;
        if (f.meldung) {
            ASSERT_EQ(fake().warnungen.size(), 2u) << f.schluessel;  // once per lookup
            EXPECT_EQ(fake().warnungen[0], f.meldung);
        } else {
            EXPECT_TRUE(fake().warnungen.empty()) << f.schluessel;
        }
    }
    EXPECT_EQ(VgbInt("Breite"), 25);
    EXPECT_DOUBLE_EQ(VgbZehntel("Zehntel"), 12.5);
    EXPECT_DOUBLE_EQ(VgbDouble("Dbl"), -15.0);
    char b[41];
    EXPECT_LT(VgbText40("Fehlt", b), 0);
    EXPECT_STREQ(b, "");

    fake().warnungen.clear();
    VgbPraefix("DI");
    EXPECT_EQ(VgbSuchen("X"), -1);
    VgbFehlMeldung(0);
    EXPECT_EQ(VgbSuchen("Y"), -1);
    VgbFehlMeldung(1);
    VgbPraefix("");
    EXPECT_EQ(fake().warnungen, std::vector<std::string>{"Vorgabe DIX fehlt."});
    VgbSchliessen();
}

TEST_F(Vorgaben, ApKeysMoveFromZavikToArbPlatz)
{
    ProfilSchreiben("Zavik", "Farbe", "rot");
    ProfilSchreiben("ArbPlatz", "Stil", "1");
    oeffnen("");
    EXPECT_EQ(VgbSuchen("AP-Farbe"), 0);
    EXPECT_STREQ(VgbZeiger("ap-farbe"), "rot");
    char b[20];
    ProfilLesen("Zavik", "Farbe", b, 19);
    EXPECT_STREQ(b, "");
    ProfilLesen("ArbPlatz", "Farbe", b, 19);
    EXPECT_STREQ(b, "rot");
    EXPECT_EQ(VgbInt("AP-Stil"), 1);
    EXPECT_EQ(VgbSuchen("AP-Nie"), 0);  // never missing
    EXPECT_STREQ(VgbZeiger("AP-Nie"), "");
    EXPECT_STREQ(VgbEintrag(0)->schluessel, "__INI___");

    int z = VgbSchreibZaehler();
    VgbSetzen("AP-Stil", "2");
    EXPECT_EQ(VgbSchreibZaehler(), z + 1);
    EXPECT_EQ(VgbInt("AP-Stil"), 2);
    EXPECT_EQ(VgbSchreiben(), 0);  // nothing of the set changed
    EXPECT_EQ(lesen("prj/Standard.vgb"), "");
    VgbSchliessen();
}

TEST_F(Vorgaben, WrittenSetMatchesTheGoldenFile)
{
    // comment and empty lines stay in place; new keys go to the end
    oeffnen("; Kopf\nName  Testsatz\n; bleibt   \n__Intern  x\n\nBreite 10\nLeer\n; Ende\n");
    VgbSetzen("Breite", "25");
    VgbSetzen("Neu", "mit  innen   ");
    VgbSetzen("__Neu", "nie");
    int z = VgbSchreibZaehler();
    EXPECT_EQ(VgbSchreiben(), 0);
    EXPECT_EQ(VgbSchreibZaehler(), z + 1);
    std::ifstream g(VELMO_TEST_DATA "/config/geschrieben.vgb", std::ios::binary);
    std::stringstream s;
    s << g.rdbuf();
    EXPECT_EQ(lesen("prj/Standard.vgb"), s.str());
    EXPECT_EQ(VgbSchreiben(), 0);  // unchanged now: not written again
    EXPECT_EQ(VgbSchreibZaehler(), z + 1);
    VgbSchliessen();
}

TEST_F(Vorgaben, FailedWriteKeepsTheOldFileAndTheChange)
{
    const std::string alt = "Breite 10\n";
    oeffnen(alt);
    VgbSetzen("Breite", "20");
    int z = VgbSchreibZaehler();
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        PlFehlerScope scope;
        fake().warnungen.clear();
        plFehlerSetzen(art, 1, true);
        EXPECT_EQ(VgbSchreiben(), -1);
        plFehlerAllesAus();
        EXPECT_EQ(lesen("prj/Standard.vgb"), alt);
        EXPECT_EQ(VgbSchreibZaehler(), z);
        EXPECT_EQ(fake().warnungen, std::vector<std::string>{"Der Vorgabensatz " + pfad("prj/Standard.vgb") +
                                                             " konnte nicht geschrieben werden."});
    }
    EXPECT_EQ(VgbSchreiben(), 0);  // still marked changed
    EXPECT_EQ(lesen("prj/Standard.vgb"), "Breite          20\r\n");
    VgbSchliessen();
}

TEST_F(Vorgaben, LongSetKeepsAndWritesItsFirst2998Entries)
{
    std::string inhalt;
    for (int i = 0; i < 3000; ++i) inhalt += "K" + std::to_string(i) + "x " + std::to_string(i) + "\n";
    oeffnen(inhalt);
    EXPECT_EQ(VgbAnzahl(), VORSUP - 1);  // the marker and 2998 entries
    EXPECT_STREQ(VgbZeiger("K2997x"), "2997");
    VgbFehlMeldung(0);
    EXPECT_EQ(VgbSuchen("K2998x"), -1);  // not kept
    VgbSetzen("Mehr", "x");             // the store is full: not stored
    EXPECT_EQ(VgbSuchen("Mehr"), -1);
    VgbFehlMeldung(1);
    VgbSetzen("K1x", "neu");
    EXPECT_EQ(VgbSchreiben(), 0) << "such a set stays editable";
    const std::string neu = lesen("prj/Standard.vgb");
    EXPECT_EQ(std::count(neu.begin(), neu.end(), '\n'), 2998);
    EXPECT_NE(neu.find("\r\nK1x             neu\r\n"), std::string::npos);
    EXPECT_NE(neu.find("\r\nK2997x          2997\r\n"), std::string::npos);
    EXPECT_EQ(neu.find("K2998x"), std::string::npos);
    EXPECT_TRUE(fake().warnungen.empty());
    VgbSchliessen();
}

TEST_F(Vorgaben, SetThatCouldNotBeReadIsNotWrittenAndSaysSo)
{
    datei("prj/Standard.vgb", "Breite 10\nHoehe 5\n");
    ASSERT_EQ(VgbSetWaehlen("Standard"), 0);
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 1, true);
        VgbOeffnen();
    }
    VgbSetzen("Breite", "20");
    EXPECT_EQ(VgbSchreiben(), -1);
    EXPECT_EQ(lesen("prj/Standard.vgb"), "Breite 10\nHoehe 5\n");
    EXPECT_EQ(fake().warnungen,
              std::vector<std::string>{"Der Vorgabensatz " + pfad("prj/Standard.vgb") +
                                       " konnte nicht vollst\xe4ndig gelesen werden und wird nicht \xfc"
                                       "berschrieben."});
    VgbSchliessen();
}

// A shipped set is only read and an application-data set serves every
// project: changed in an open project, either is written into the project
// folder, where the lookup finds it first; without a project folder a
// changed shipped set goes to the application-data folder.
TEST_F(Vorgaben, ChangedSharedSetGoesIntoTheProjectElseTheApplicationDataFolder)
{
    VerSetzen(0, pfad("prog").c_str());
    const std::string geliefert = "; Standardvorgaben\r\nName            Standard\r\nZvX             0\r\n";
    datei("prog/Standard.vgb", geliefert);
    auto aendern = [](const char* wert) {
        VgbOeffnen();
        VgbSetzen("ZvX", wert);
        const int z = VgbSchreibZaehler();
        EXPECT_EQ(VgbSchreiben(), 0);
        EXPECT_EQ(VgbSchreibZaehler(), z + 1);
        VgbSchliessen();
    };

    // no project folder: the application-data folder
    VerSetzen(1, "");
    ASSERT_EQ(VgbSetWaehlen("Standard"), 0);
    ASSERT_EQ(std::string(VgbSetPfadZeiger()), pfad("prog/Standard.vgb"));
    EXPECT_EQ(VgbSchreibPfad(), pfad("cfg/Velmo/Standard.vgb"));
    aendern("4");
    EXPECT_EQ(lesen("prog/Standard.vgb"), geliefert) << "the program folder is only read";
    EXPECT_EQ(lesen("cfg/Velmo/Standard.vgb"), "; Standardvorgaben\r\nName            Standard\r\nZvX             4\r\n");
    EXPECT_EQ(std::string(VgbSetPfadZeiger()), pfad("cfg/Velmo/Standard.vgb"));
    VgbSetNeuSuchen();
    EXPECT_EQ(std::string(VgbSetPfadZeiger()), pfad("cfg/Velmo/Standard.vgb")) << "found before the shipped one";
    EXPECT_EQ(VgbInt("ZvX"), 4);
    Gelistet g;
    VgbSetsAuflisten(merken, &g);
    const std::vector<std::string> pfade = {pfad("prog/Standard.vgb"), pfad("cfg/Velmo/Standard.vgb")};
    EXPECT_EQ(g.pfade, pfade);
    EXPECT_EQ(g.anzeigen.back(), spalten80("Standard (Vorgaben)"));
    std::filesystem::remove(pfad("cfg/Velmo/Standard.vgb"));

    // a project open: its own copy, the shipped set and every other project untouched
    VerSetzen(1, pfad("prj").c_str());
    ASSERT_EQ(VgbSetWaehlen("Standard"), 0);
    ASSERT_EQ(std::string(VgbSetPfadZeiger()), pfad("prog/Standard.vgb"));
    EXPECT_EQ(VgbSchreibPfad(), pfad("prj/Standard.vgb"));
    aendern("5");
    EXPECT_EQ(lesen("prog/Standard.vgb"), geliefert);
    EXPECT_FALSE(std::filesystem::exists(pfad("cfg/Velmo/Standard.vgb")));
    EXPECT_EQ(lesen("prj/Standard.vgb"), "; Standardvorgaben\r\nName            Standard\r\nZvX             5\r\n");
    EXPECT_EQ(std::string(VgbSetPfadZeiger()), pfad("prj/Standard.vgb"));
    VgbSetNeuSuchen();
    EXPECT_EQ(std::string(VgbSetPfadZeiger()), pfad("prj/Standard.vgb"));
    EXPECT_EQ(VgbInt("ZvX"), 5);

    // a set of the application-data folder is copied into the project as well
    std::filesystem::remove(pfad("prj/Standard.vgb"));
    datei("cfg/Velmo/Standard.vgb", "ZvX 7\r\n");
    ASSERT_EQ(VgbSetWaehlen("Standard"), 0);
    ASSERT_EQ(std::string(VgbSetPfadZeiger()), pfad("cfg/Velmo/Standard.vgb"));
    aendern("8");
    EXPECT_EQ(lesen("cfg/Velmo/Standard.vgb"), "ZvX 7\r\n");
    EXPECT_EQ(lesen("prj/Standard.vgb"), "ZvX             8\r\n");

    // a set of another folder is written where it lies
    datei("prj/P.vgb", "ZvX 1\n");
    ASSERT_EQ(VgbSetWaehlen("P"), 0);
    VgbOeffnen();
    VgbSetzen("ZvX", "2");
    EXPECT_EQ(VgbSchreiben(), 0);
    VgbSchliessen();
    EXPECT_EQ(lesen("prj/P.vgb"), "ZvX             2\r\n");
    EXPECT_FALSE(std::filesystem::exists(pfad("cfg/Velmo/P.vgb")));
}

TEST_F(Vorgaben, ReadWithoutAnOpenStoreLoadsTheSet)
{
    datei("prj/Standard.vgb", "Breite 25\nChkLstBz0 null\n");
    ASSERT_EQ(VgbSetWaehlen("Standard"), 0);
    EXPECT_EQ(VgbInt("Breite"), 25);
    EXPECT_STREQ(VgbZeiger("ChkLstBz4"), "null");
    char b[41];
    EXPECT_EQ(VgbText40("Breite", b), 0);
    EXPECT_STREQ(b, "25");
    EXPECT_TRUE(fake().warnungen.empty());
    EXPECT_EQ(VgbSuchen("Fehlt"), -1);
    EXPECT_EQ(fake().warnungen, std::vector<std::string>{"Vorgabe Fehlt fehlt."});
    EXPECT_EQ(VgbAnzahl(), 0) << "closed again";
}

// Lookups after the store changed: a key written twice gives its first
// entry, a key set anew and a key taken from the replacement set are found
// at once, and a set opened anew answers with its own entries.
TEST_F(Vorgaben, LookupsFollowAppendsAndNewOpenings)
{
    oeffnen("Breite 25\nHoehe 3\nBreite 99\n");
    // Past the first few lookups of an opening the store answers through
    // its index; both ways give the same.
    for (int i = 0; i < 40; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(VgbInt("Breite"), 25);
        EXPECT_EQ(VgbInt("Hoehe"), 3);
    }
    EXPECT_EQ(VgbSuchen("Neu"), -1);
    VgbSetzen("Neu", "7");
    EXPECT_EQ(VgbInt("Neu"), 7);
    EXPECT_EQ(VgbInt("Breite"), 25);
    VgbSchliessen();
    datei("prj/Standard.vgb", "Hoehe 4\nNeu 8\n");
    VgbOeffnen();
    for (int i = 0; i < 40; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(VgbInt("Neu"), 8);
        EXPECT_EQ(VgbInt("Hoehe"), 4);
    }
    EXPECT_EQ(VgbSuchen("Breite"), -1);
}

// Every opening starts from an empty store: a smaller set after a larger one
// shows none of the larger one's entries, and a replacement read at an
// earlier opening is not offered once the replacement set is gone.
TEST_F(Vorgaben, SmallerSetAfterALargerOneShowsNoneOfItsEntries)
{
    datei("prj/Ersatz.vgb", "NurErsatz  alt\n");
    std::string gross;
    for (int i = 0; i < 400; ++i) gross += "G" + std::to_string(i) + "x  wert" + std::to_string(i) + "\n";
    oeffnen(gross);
    EXPECT_STREQ(VgbZeiger("NurErsatz"), "alt");
    EXPECT_STREQ(VgbZeiger("G399x"), "wert399");
    VgbSetzen("Zusatz", "z");
    VgbSchliessen();

    std::filesystem::remove(pfad("prj/Ersatz.vgb"));
    oeffnen("Klein  1\n");
    EXPECT_EQ(VgbAnzahl(), 2);
    for (int i = 2; i < 420; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(VgbEintrag(i)->schluessel, "");
        EXPECT_STREQ(VgbEintrag(i)->wert, "");
    }
    VgbFehlMeldung(0);
    for (const char* k : {"G5x", "G399x", "NurErsatz", "Zusatz"}) EXPECT_EQ(VgbSuchen(k), -1) << k;
    VgbFehlMeldung(1);
    EXPECT_EQ(VgbSuchen("Zahl7"), 2) << "the first free entry, empty";
    EXPECT_STREQ(VgbZeiger("Zahl7"), "");
    EXPECT_STREQ(VgbZeiger("Klein"), "1");
}

// Opening the store again reads the file again: unchanged bytes give the
// entries of the last opening (kept, not parsed anew), a file rewritten in
// the same moment with another value of the same length gives the new one,
// and what was changed in the store and not written is gone.
TEST_F(Vorgaben, EveryOpeningSeesTheFileAsItIsNow)
{
    datei("prj/Standard.vgb", "; Kopf\nBreite 25\nChkLstBz0 null\n");
    ASSERT_EQ(VgbSetWaehlen("Standard"), 0);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(VgbInt("Breite"), 25);
        EXPECT_STREQ(VgbZeiger("ChkLstBz4"), "null");
    }
    datei("prj/Standard.vgb", "; Kopf\nBreite 31\nChkLstBz0 eins\n");
    EXPECT_EQ(VgbInt("Breite"), 31);
    EXPECT_STREQ(VgbZeiger("ChkLstBz4"), "eins");

    VgbOeffnen();
    VgbSetzen("Breite", "77");
    EXPECT_EQ(VgbInt("Breite"), 77);
    VgbSchliessen();
    EXPECT_EQ(VgbInt("Breite"), 31) << "not written: the file's value";

    // The comment line stays in place when the set is written.
    VgbOeffnen();
    VgbSetzen("Breite", "40");
    ASSERT_EQ(VgbSchreiben(), 0);
    VgbSchliessen();
    EXPECT_EQ(lesen("prj/Standard.vgb"), "; Kopf\r\nBreite          40\r\nChkLstBz0       eins\r\n");
    EXPECT_EQ(VgbInt("Breite"), 40);
}

TEST_F(Vorgaben, SetThatCannotBeFoundGivesOneMessageWithTheCount)
{
    const std::string weg = pfad("x/Fehlt.vgb");
    VgbGruppenDatei(weg.c_str());
    for (int leser = 0; leser < 3; ++leser) {  // three readers, each opening and closing
        VgbOeffnen();
        EXPECT_EQ(VgbInt("Breite"), 0);
        VgbZeiger("Hoehe");
        VgbPraefix("DI");
        VgbInt("JusX");
        VgbPraefix("");
        VgbFehlMeldung(0);
        VgbInt("Still");  // the switch off: not counted
        VgbFehlMeldung(1);
        VgbSchliessen();
    }
    EXPECT_TRUE(fake().warnungen.empty()) << "nothing one by one";
    VgbFehlendeMelden();
    EXPECT_EQ(fake().warnungen,
              std::vector<std::string>{"Der Vorgabensatz " + weg + " wurde nicht gefunden; 3 Vorgaben fehlen."});
    VgbFehlendeMelden();
    EXPECT_EQ(fake().warnungen.size(), 1u) << "reported once";
    fake().warnungen.clear();
    VgbInt("Breite");  // a later read: a message of its own
    VgbFehlendeMelden();
    EXPECT_EQ(fake().warnungen,
              std::vector<std::string>{"Der Vorgabensatz " + weg + " wurde nicht gefunden; 1 Vorgabe fehlt."});
}

TEST_F(Vorgaben, SetLookupOrderAndFallbackToStandard)
{
    ordner("a/b/prj2");
    VerSetzen(1, pfad("a/b/prj2").c_str());
    VerSetzen(2, ("@" + pfad("bt")).c_str());
    VerSetzen(8, pfad("sets").c_str());
    VerSetzen(0, pfad("prog").c_str());
    datei("a/b/prj2/P.vgb", "");
    datei("a/P.vgb", "");
    datei("a/Oben.vgb", "");
    datei("sets/Oben.vgb", "");
    datei("sets/S.vgb", "");
    datei("cfg/Velmo/S.vgb", "");
    datei("cfg/Velmo/A.vgb", "");
    datei("prog/A.vgb", "");
    datei("prog/S.vgb", "");
    datei("prog/G.vgb", "");
    datei("prog/Standard.vgb", "");
    struct Fall {
        const char* name;
        int ergebnis;
        const char* pfad;
    };
    const Fall faelle[] = {
        {"P", 0, "a/b/prj2/P.vgb"},
        {"Oben", 0, "a/Oben.vgb"},  // upward search before the sets folder
        {"S", 0, "sets/S.vgb"},
        {"A", 0, "cfg/Velmo/A.vgb"},  // the application-data folder before the program folder
        {"G", 0, "prog/G.vgb"},
        {"Unbekannt", -1, "prog/Standard.vgb"},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(VgbSetWaehlen(f.name), f.ergebnis) << f.name;
        EXPECT_EQ(std::string(VgbSetPfadZeiger()), pfad(f.pfad)) << f.name;
        EXPECT_STREQ(VgbSetNameZeiger(), f.name);
    }
    // without the upward flag the component folder takes step 2
    VerSetzen(2, pfad("a").c_str());
    EXPECT_EQ(VgbSetWaehlen("Oben"), 0);
    EXPECT_EQ(std::string(VgbSetPfadZeiger()), pfad("a/Oben.vgb"));
}

TEST_F(Vorgaben, CommandLineAndEncoding)
{
    char t[64] = "Mein Satz~1";
    VgbKodieren(t, sizeof t);
    EXPECT_STREQ(t, "Mein~_Satz~~1");
    VgbDekodieren(t);
    EXPECT_STREQ(t, "Mein Satz~1");

    datei("prj/Standard.vgb", "");
    datei("prj/G2.vgb", "");
    std::string gd = "-GD=" + pfad("x/Mein~_Satz.vgb");
    const char* arg[] = {"velmo", "-g=G2", gd.c_str()};
    plOrtArgumenteSetzen(3, arg);
    VgbKommandozeile();
    EXPECT_STREQ(VgbSetNameZeiger(), "Mein Satz");
    EXPECT_EQ(std::string(VgbSetPfadZeiger()), pfad("x/Mein Satz.vgb"));
    char k[300];
    VgbGruppeKodiert(k, sizeof k);
    EXPECT_EQ(std::string(k), "-gd=" + pfad("x/Mein~_Satz.vgb"));

    const char* arg2[] = {"velmo", "-G=G2"};
    plOrtArgumenteSetzen(2, arg2);
    VgbKommandozeile();
    EXPECT_EQ(std::string(VgbSetPfadZeiger()), pfad("prj/G2.vgb"));
}

TEST_F(Vorgaben, StartReadsTheSetsFolderFromTheIniFile)
{
    VerSetzen(1, "");
    datei("sets/Standard.vgb", "Name S\n");
    ProfilSchreiben("Zavik", "ZvVgbPfad", pfad("sets").c_str());
    VgbSetSetzen("Alt", "/alt.vgb");
    VgbStart();
    EXPECT_EQ(std::string(VerZeiger(8)), pfad("sets") + "/");
    EXPECT_STREQ(VgbSetNameZeiger(), "Standard");
    EXPECT_EQ(std::string(VgbSetPfadZeiger()), pfad("sets/Standard.vgb"));
}

TEST_F(Vorgaben, ListingOrderCaptionsAndSkips)
{
    VerSetzen(2, pfad("bt").c_str());
    VerSetzen(0, pfad("prog").c_str());
    VerSetzen(8, pfad("sets").c_str());
    const std::string lang(100, 'L');
    datei("prj/B.vgb", "Name  " + lang + "\n");
    datei("prj/A.vgb", "; x\nname   Projektsatz\n");
    datei("prj/Ersatz.vgb", "Name E\n");
    datei("prj/checkliste2.vgb", "Name C\n");
    datei("prj/keins.txt", "");
    datei("bt/T.vgb", "Name Teile\n");
    datei("prog/Standard.vgb", "Name Standard\n");
    datei("sets/S.vgb", "");
    Gelistet g;
    VgbSetsAuflisten(merken, &g);
    const std::vector<std::string> pfade = {pfad("prj/A.vgb"), pfad("prj/B.vgb"), pfad("bt/T.vgb"),
                                            pfad("prog/Standard.vgb"), pfad("sets/S.vgb")};
    EXPECT_EQ(g.pfade, pfade);
    const std::vector<std::string> anzeigen = {spalten80("Projektsatz "), spalten80(lang), spalten80("Teile (Bauteile)"),
                                               spalten80("Standard (Programm)"), spalten80(" (Vorgaben)")};
    EXPECT_EQ(g.anzeigen, anzeigen);

    // with the upward flag: the project folder and its parents first
    ordner("bt/prj3");
    datei("bt/prj3/P.vgb", "Name P\n");
    VerSetzen(1, pfad("bt/prj3").c_str());
    VerSetzen(2, ("@" + pfad("bt")).c_str());
    VerSetzen(8, pfad("bt").c_str());  // the same as the component folder: not listed again
    Gelistet h;
    VgbSetsAuflisten(merken, &h);
    ASSERT_GE(h.pfade.size(), 3u);
    EXPECT_EQ(h.pfade[0], pfad("bt/prj3/P.vgb"));
    EXPECT_EQ(h.anzeigen[0], spalten80("P "));
    EXPECT_EQ(h.pfade[1], pfad("bt/T.vgb"));
    EXPECT_EQ(h.anzeigen[1], spalten80("Teile (Bauteile)"));
    EXPECT_EQ(h.pfade.back(), pfad("prog/Standard.vgb"));
    EXPECT_EQ(std::count(h.pfade.begin(), h.pfade.end(), pfad("bt/T.vgb")), 1);
}

}  // namespace
