// Tests of the working directory: start-up, the "-V=" option, the folder
// switch and the folder watch with its reload sequence.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "config/datwache.h"
#include "config/konfhaken.h"
#include "config/verordner.h"
#include "config/verzeich.h"
#include "platform/orte.h"
#include "support/dosdatei.h"

namespace {

namespace fs = std::filesystem;

int verFolgeZahl = 0;

struct Verordner : ::testing::Test {
    fs::path ordner;
    fs::path alt;
    void SetUp() override
    {
        alt = fs::current_path();
        DatWacheZuruecksetzen();
        ordner = fs::temp_directory_path() / ("velmo-verordner-" + std::to_string(getpid()));
        fs::remove_all(ordner);
        fs::create_directories(ordner / "Projekt A");
        fs::create_directories(ordner / "Projekt B");
        fs::current_path(ordner);
        const char* argv[] = {"velmo", nullptr};
        plOrtArgumenteSetzen(1, argv);
        verFolgeZahl = 0;
        OrdnerEinstFolgeSetzen([] { ++verFolgeZahl; });
        VerStart();
        OrdnerWacheAnlegen();
    }
    void TearDown() override
    {
        OrdnerEinstFolgeSetzen(nullptr);
        fs::current_path(alt);
        VerSetzen(0, "");
        VerSetzen(1, "");
        DatWacheZuruecksetzen();
        fs::remove_all(ordner);
    }
    std::string verz(const char* name) { return (ordner / name).string() + "/"; }
    std::string cwd() { return fs::current_path().string() + "/"; }
};

TEST_F(Verordner, StartSetsProgramAndWorkingFolder)
{
    EXPECT_EQ(std::string(VerAktuell()), ordner.string() + "/");
    EXPECT_EQ(std::string(VerZeiger(1)), VerAktuell());
    std::string daten = plOrtDaten() + "/";
    EXPECT_EQ(std::string(VerProgramm()), daten);
    EXPECT_EQ(std::string(VerZeiger(0)), daten);
    EXPECT_EQ(VerAmStart(), 1);
}

TEST_F(Verordner, SwitchBackToTheProgramFolderOnlyOnce)
{
    EXPECT_EQ(VerUmschalten(nullptr), 1);
    EXPECT_EQ(std::string(VerAktuell()), VerProgramm());
    EXPECT_EQ(VerAmStart(), 0);
    EXPECT_EQ(DatWechsel(), 1);
    EXPECT_EQ(VerUmschalten(nullptr), 0);
    EXPECT_EQ(DatWechsel(), 1);
}

TEST_F(Verordner, SwitchTakesTheFolderOfAFileOrAFolderWhole)
{
    struct Fall {
        std::string pfad;
        int ergebnis;
        std::string danach;
    };
    const Fall faelle[] = {
        {(ordner / "Projekt A" / "Seite1.zei").string(), 1, verz("Projekt A")},
        {(ordner / "Projekt A" / "Seite2.zei").string(), 0, verz("Projekt A")},  // same folder
        {"../Projekt B/x.txt", 1, verz("Projekt B")},                            // relative to the current one
        {(ordner / "Projekt A").string(), 1, verz("Projekt A")},                  // folder without '/'
        {"", 0, verz("Projekt A")},
        {"./../Projekt A/./z", 0, verz("Projekt A")},  // dots resolved before comparing
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.pfad);
        EXPECT_EQ(VerUmschalten(f.pfad.c_str()), f.ergebnis);
        EXPECT_EQ(std::string(VerAktuell()), f.danach);
        EXPECT_EQ(std::string(VerZeiger(1)), f.danach);
        EXPECT_EQ(cwd(), f.danach);
    }
}

TEST_F(Verordner, AMissingFolderChangesNothing)
{
    ASSERT_EQ(VerUmschalten((ordner / "Projekt A" / "x").string().c_str()), 1);
    int wechsel = DatWechsel();
    int pruef = DatPruefZaehler();
    int laeufe = verFolgeZahl;
    EXPECT_EQ(VerUmschalten((ordner / "fehlt" / "x.zei").string().c_str()), 0);
    EXPECT_EQ(std::string(VerAktuell()), verz("Projekt A"));
    EXPECT_EQ(std::string(VerZeiger(1)), verz("Projekt A"));
    EXPECT_EQ(cwd(), verz("Projekt A"));
    EXPECT_EQ(DatWechsel(), wechsel);
    EXPECT_EQ(DatPruefZaehler(), pruef);
    EXPECT_EQ(verFolgeZahl, laeufe);
}

TEST_F(Verordner, AFolderTooLongIsRefusedWithAWordNotCutToItsParent)
{
    // Cut to 200 characters, the path named a parent folder, which was
    // opened without a word.
    static std::vector<std::string> warnungen;
    warnungen.clear();
    KonfHaken h{};
    h.warnung = [](const char* t) { warnungen.emplace_back(t); };
    konfHakenSetzen(h);
    ASSERT_EQ(VerUmschalten((ordner / "Projekt A" / "x").string().c_str()), 1);
    fs::path lang = ordner;
    for (int i = 0; i < 6; ++i) lang /= std::string(40, static_cast<char>('a' + i));
    fs::create_directories(lang);
    EXPECT_EQ(VerUmschalten(lang.string().c_str()), 0);
    EXPECT_EQ(std::string(VerAktuell()), verz("Projekt A"));
    EXPECT_EQ(cwd(), verz("Projekt A"));
    ASSERT_EQ(warnungen.size(), 1u);
    EXPECT_EQ(warnungen[0].rfind("Der Pfad ist l\xE4nger als 199 Zeichen; der Ordner wird nicht ge\xF6" "ffnet: ", 0), 0u)
        << warnungen[0];
    // A long name of a drawing in a short folder opens its folder.
    EXPECT_EQ(VerUmschalten((ordner / "Projekt B" / std::string(250, 'z')).string().c_str()), 1);
    EXPECT_EQ(std::string(VerAktuell()), verz("Projekt B"));
    EXPECT_EQ(warnungen.size(), 1u);
    konfHakenSetzen(KonfHaken{});
}

TEST_F(Verordner, ReloadRunsOnlyWhileTheFolderWatchIsStale)
{
    EXPECT_EQ(OrdnerEinstLaden(), 0);  // never loaded: runs
    EXPECT_EQ(verFolgeZahl, 1);
    EXPECT_EQ(OrdnerEinstLaden(), 0);  // current: nothing
    DatNeuPruefen(1);                  // activation does not touch the folder
    EXPECT_EQ(OrdnerEinstLaden(), 0);
    EXPECT_EQ(verFolgeZahl, 1);
    EXPECT_EQ(VerUmschalten((ordner / "Projekt B" / "x").string().c_str()), 1);
    EXPECT_EQ(verFolgeZahl, 2);  // the switch reloaded once
    EXPECT_EQ(OrdnerEinstLaden(), 0);
    EXPECT_EQ(verFolgeZahl, 2);
    DatWechselZaehlen();  // a settings change makes it stale
    OrdnerEinstLaden();
    EXPECT_EQ(verFolgeZahl, 3);
}

TEST_F(Verordner, OptionEntersTheFolderRelativeToTheCurrentOne)
{
    const char* argv[] = {"velmo", "-x=1", "-v=Projekt A", "-V=fehlt"};
    plOrtArgumenteSetzen(4, argv);
    VerAmStartSetzen(0);
    VerOption();
    EXPECT_EQ(std::string(VerAktuell()), verz("Projekt A"));
    EXPECT_EQ(cwd(), verz("Projekt A"));
    EXPECT_EQ(VerAmStart(), 1);
    EXPECT_EQ(VerUmschalten((ordner / "Projekt A" / "y").string().c_str()), 1);  // set at start
}

TEST_F(Verordner, AFileWatchReadsNoTimeBeforeTheCheckCounterMoves)
{
    std::string datei = (ordner / "Liste.txt").string();
    FILE* f = std::fopen(datei.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    DATSTEMPEL w{};
    ASSERT_EQ(DatStempelAnlegen(&w, 1, "Liste", "txt"), 0);
    ASSERT_EQ(DatStempelSetzen(&w), 0);
    fs::remove(datei);  // a read of its time would fail now
    EXPECT_EQ(DatStempelVeraltet(&w), 0);
    DatNeuPruefen(1);
    EXPECT_EQ(DatStempelVeraltet(&w), -1);
}

}  // namespace
