// The generated library and demo: the committed files equal a fresh run of
// the generator, runs repeat byte for byte, the text form of every generated
// drawing and component gives back its source, and the library checks clean.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "tests/tools/demokopie.h"
#include "tools/demogen.h"

namespace fs = std::filesystem;

namespace {

const fs::path QUELLE(VELMO_SOURCE_DIR);
const fs::path QUELLEN = QUELLE / "demo" / "quellen";

std::string lesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Every regular file below a folder, by relative path, with its bytes.
std::map<std::string, std::string> inhalt(const fs::path& ordner)
{
    std::map<std::string, std::string> m;
    for (auto& e : fs::recursive_directory_iterator(ordner)) {
        if (e.is_regular_file()) m[fs::relative(e.path(), ordner).string()] = lesen(e.path());
    }
    return m;
}

class DemoTest : public testing::Test {
protected:
    void SetUp() override
    {
        static int lauf = 0;
        tmp_ = fs::temp_directory_path() / ("velmo-demogen-" + std::to_string(::getpid()) + "-" + std::to_string(lauf++));
        fs::remove_all(tmp_);
        fs::create_directories(tmp_);
    }
    void TearDown() override { fs::remove_all(tmp_); }

    // What the generator writes into a fresh folder: demo/ and the library.
    std::map<std::string, std::string> erzeugen(const std::string& name)
    {
        const fs::path ziel = tmp_ / name;
        EXPECT_EQ(DemoAlles(QUELLEN.string(), ziel.string()), 0);
        auto m = inhalt(ziel / "demo");
        m["BAUTEILE.STD"] = lesen(DemoBibPfad(ziel.string()));
        return m;
    }
    fs::path tmp_;
};

TEST_F(DemoTest, CommittedFilesEqualAFreshRunAndRunsRepeat)
{
    auto erster = erzeugen("eins");
    auto zweiter = erzeugen("zwei");
    EXPECT_TRUE(erster == zweiter) << "two runs of the generator differ";

    auto committet = inhalt(QUELLE / "demo");
    for (auto it = committet.begin(); it != committet.end();) {
        // The sources and the folder's own notes are not generated.
        const std::string& n = it->first;
        it = n.rfind("quellen", 0) == 0 || n == ".gitattributes" || n == "README.md" ? committet.erase(it) : std::next(it);
    }
    committet["BAUTEILE.STD"] = lesen(QUELLE / "data" / "BAUTEILE.STD");
    std::set<std::string> namen;
    for (auto& [n, _] : erster) namen.insert(n);
    for (auto& [n, _] : committet) namen.insert(n);
    for (const std::string& n : namen) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(committet.count(n)) << "generated but not committed; run velmo_demo on the checkout";
        ASSERT_TRUE(erster.count(n)) << "committed but no longer generated";
        EXPECT_TRUE(committet[n] == erster[n]) << "differs from its sources; run velmo_demo on the checkout";
    }
}

TEST_F(DemoTest, TextFormOfEveryDrawingAndComponentGivesBackItsSource)
{
    const std::string ziel = (tmp_ / "g").string();
    ASSERT_EQ(DemoAlles(QUELLEN.string(), ziel), 0);
    const std::string text = (tmp_ / "zurueck.txt").string();
    int blaetter = 0;
    for (auto& e : fs::directory_iterator(QUELLEN / "zeichnungen")) {
        SCOPED_TRACE(e.path().filename().string());
        const fs::path z = fs::path(ziel) / "demo" / "Projekt" / e.path().stem();
        ASSERT_EQ(ZeiAlsText(z.c_str(), text.c_str()), 0);
        EXPECT_EQ(lesen(text), lesen(e.path()));
        ++blaetter;
    }
    EXPECT_GE(blaetter, 12);

    const std::string bib = DemoBibPfad(ziel);
    const std::string zeichnung = (tmp_ / "bauteil.zei").string();
    for (auto& e : fs::directory_iterator(QUELLEN / "bauteile")) {
        SCOPED_TRACE(e.path().filename().string());
        BauHandle h;
        ASSERT_EQ(BauOpen(&h, bib.c_str(), e.path().stem().c_str()), 0);
        ASSERT_EQ(BauNachZeichnung(&h, zeichnung.c_str()), 0);
        ASSERT_EQ(ZeiAlsText(zeichnung.c_str(), text.c_str()), 0);
        EXPECT_EQ(lesen(text), lesen(e.path()));
    }
}

// The demo's defaults set replaces the shipped one while the demo is open:
// it must carry every key the shipped set has, or the demo reads 0 where the
// program expects a value.
TEST(DemoVorgabenTest, ProjectDefaultsSetHasEveryKeyOfTheShippedSet)
{
    auto schluessel = [](const std::string& text) {
        std::set<std::string> k;
        std::istringstream s(text);
        std::string zeile;
        while (std::getline(s, zeile)) {
            std::istringstream w(zeile);
            std::string wort;
            if (w >> wort && wort[0] != ';') k.insert(wort);
        }
        return k;
    };
    const auto demo = schluessel(lesen(QUELLE / "demo" / "Projekt" / "Standard.vgb"));
    for (const std::string& k : schluessel(lesen(QUELLE / "data" / "Standard.vgb"))) {
        EXPECT_TRUE(demo.count(k)) << "key missing in demo/quellen/projekt/Standard.vgb: " << k;
    }
}

// A broken source stops the generator with -1 and leaves no library: a
// component without its format record, a name the library refuses, and two
// sources of one name.
TEST_F(DemoTest, BrokenComponentSourceLeavesNoLibrary)
{
    const std::string gut = lesen(QUELLEN / "bauteile" / "M1.txt");
    const std::string ohneFormat = gut.substr(0, gut.rfind("ZA3"));
    struct Fall {
        const char* name;
        std::string inhalt;
    } faelle[] = {{"OHNE", ohneFormat}, {"M 1", gut}, {"m1", gut}};
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const fs::path q = tmp_ / "quellen";
        fs::remove_all(q);
        fs::create_directories(q / "bauteile");
        std::ofstream(q / "bauteile" / "M1.txt", std::ios::binary) << gut;
        std::ofstream(q / "bauteile" / (std::string(fall.name) + ".txt"), std::ios::binary) << fall.inhalt;
        const std::string bib = (tmp_ / "BAUTEILE.STD").string();
        EXPECT_EQ(DemoBibliothek(q.string(), bib), -1);
        EXPECT_FALSE(fs::exists(bib));
    }
}

// The drawing list shows the header's short text, which holds 10
// characters: a longer one in a source is refused, not cut ("Darstellun").
TEST_F(DemoTest, DrawingSourceWithTooLongShortTextIsRefused)
{
    const std::string gut = lesen(QUELLEN / "zeichnungen" / "HV1.15.txt");
    const size_t a = gut.find("ZAT \"");
    ASSERT_NE(a, std::string::npos);
    const size_t e = gut.find('"', a + 5);
    struct Fall {
        const char* kurz;
        int erwartet;
    } faelle[] = {{"Darstellg.", 0}, {"Darstellung", -1}};
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.kurz);
        const fs::path q = tmp_ / "quellen";
        fs::remove_all(q);
        fs::create_directories(q / "zeichnungen");
        fs::create_directories(q / "projekt");
        for (const char* d : {"Demo.mac", "start.txt"}) fs::copy_file(QUELLEN / d, q / d);
        std::ofstream(q / "zeichnungen" / "HV1.15.txt", std::ios::binary) << gut.substr(0, a + 5) << fall.kurz << gut.substr(e);
        EXPECT_EQ(DemoProjekt(q.string(), (tmp_ / "ziel").string()), fall.erwartet);
        if (fall.erwartet == 0) {
            ZeiKopf k{};
            ASSERT_EQ(ZeiKopfLesen((tmp_ / "ziel" / "demo" / "Projekt" / "HV1.15").string().c_str(), &k), 0);
            EXPECT_STREQ(k.kurz, fall.kurz);
        }
    }
}

// Records of one component: the connection points (PKT) and the texts.
struct BauInhalt {
    int punkte = 0;
    int abseits = 0;  // connection points off the 2.5 grid
    std::vector<std::string> texte;
    double x = 0, y = 0;  // where its moves end
};

BauInhalt bauLesen(const std::string& bib, const std::string& name)
{
    BauInhalt i;
    BauHandle h;
    EXPECT_EQ(BauOpen(&h, bib.c_str(), name.c_str()), 0);
    BEF b;
    while (BauRead(&h, &b) == 0) {
        if (b.code == BefCode("PKT")) {
            ++i.punkte;
            for (double v : {i.x, i.y}) {
                if (std::fabs(v / 2.5 - std::round(v / 2.5)) > 1e-9) ++i.abseits;
            }
        }
        if (BefIstText(b.code)) i.texte.push_back(b.text);
        if (b.code == BefCode("BW") || b.code == BefCode("ZL")) {
            i.x += b.darg[0];
            i.y += b.darg[1];
        }
    }
    BauClose(&h);
    return i;
}

TEST(DemoBibliothekTest, LibraryChecksCleanWithUniqueNamedComponentsThatHaveConnectionPoints)
{
    const std::string bib = (QUELLE / "data" / "BAUTEILE.STD").string();
    const std::string bericht = (fs::temp_directory_path() / ("velmo-bauprf-" + std::to_string(::getpid()))).string();
    ASSERT_EQ(BauPruefen(bib.c_str(), bericht.c_str()), 0);
    const std::string b = lesen(bericht);
    fs::remove(bericht);
    EXPECT_EQ(b.find('!'), std::string::npos) << b;
    EXPECT_EQ(b.find("***"), std::string::npos) << b;

    BauBibHandle h;
    ASSERT_EQ(BauBibOeffnen(&h, bib.c_str()), 0);
    EXPECT_GE(h.anzahl, 40);
    EXPECT_EQ(h.version, 10);
    std::set<std::string> namen;
    for (int i = 0; i < h.anzahl; ++i) {
        char n[BAUNAMSUP + 1];
        BauNameHolen(&h, i, n, sizeof n);
        EXPECT_TRUE(namen.insert(n).second) << "twice: " << n;
    }
    BauBibZu(&h);
    EXPECT_TRUE(namen.count("M1")) << "the editor's tests place the motor M1";
    for (const std::string& n : namen) {
        SCOPED_TRACE(n);
        BauInhalt i = bauLesen(bib, n);
        bool geraet = std::find(i.texte.begin(), i.texte.end(), "@BK") != i.texte.end();
        std::printf("%-20s %2d Anschlusspunkte%s\n", n.c_str(), i.punkte, geraet ? ", Kennung" : "");
        // Every symbol of a device connects somewhere; frames and the
        // contact mirror do not.
        if (geraet) {
            EXPECT_GE(i.punkte, 1) << "no connection point";
        }
        EXPECT_EQ(i.abseits, 0) << "connection point off the grid";
        // A component's moves act on the drawing it is placed in: they must
        // come back to the insertion point.
        EXPECT_NEAR(i.x, 0.0, 1e-9);
        EXPECT_NEAR(i.y, 0.0, 1e-9);
    }
}

// The component folder of the demo's defaults set makes the library "STD"
// found from the project folder upwards, so a working copy finds the copy
// beside it; without one the shipped library (directory kind 0) is taken.
TEST(DemoKopieTest, DemoDefaultsSetFindsTheLibraryBesideTheCopyElseTheShippedOne)
{
    std::string wert;
    std::istringstream s(lesen(QUELLE / "demo" / "Projekt" / "Standard.vgb"));
    std::string zeile;
    while (std::getline(s, zeile)) {
        std::istringstream w(zeile);
        std::string k;
        if (w >> k && k == "ZvBPfad") w >> wert;
    }
    ASSERT_FALSE(wert.empty());
    DemoKopie mit, ohne;
    fs::remove(ohne.bibliothek());
    VerSetzen(0, (QUELLE / "data").c_str());
    VerSetzen(2, wert.c_str());
    char pfad[BAUPFADSUP + 1];
    VerSetzen(1, mit.projekt().c_str());
    ASSERT_EQ(BauPfad(DEMOBIBSUFFIX, pfad, sizeof pfad), 0);
    EXPECT_EQ(fs::path(pfad), fs::path(mit.bibliothek()));
    VerSetzen(1, ohne.projekt().c_str());
    ASSERT_EQ(BauPfad(DEMOBIBSUFFIX, pfad, sizeof pfad), 0);
    EXPECT_EQ(fs::path(pfad), QUELLE / "data" / "BAUTEILE.STD");
    VerSetzen(0, "");
    VerSetzen(1, "");
    VerSetzen(2, "");
}

TEST(DemoKopieTest, WorkingCopyHoldsProjectLibraryAndCommandFileAndGoesAway)
{
    std::string wurzel;
    {
        DemoKopie k;
        wurzel = k.wurzel();
        EXPECT_TRUE(fs::exists(k.datei("BMittel.zvk")));
        EXPECT_TRUE(fs::exists(k.bibliothek()));
        EXPECT_TRUE(fs::exists(fs::path(k.wurzel()) / "start.txt"));
        EXPECT_NE(k.projekt().rfind(VELMO_SOURCE_DIR, 0), 0u) << "the copy lies outside the checkout";
    }
    EXPECT_FALSE(fs::exists(wurzel));
}

}  // namespace
