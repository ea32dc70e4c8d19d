// The run of an evaluation without dialog on a working copy of the demo
// project with the shipped catalogue and defaults: every catalogue entry
// runs headless, results go to the working folder, a changed drawing or an
// empty result name runs nothing, the follow-up program gets the result.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "equipment/bm.h"
#include "lists/auswertung.h"
#include "lists/awlauf.h"
#include "model/tempzeic.h"
#include "platform/orte.h"
#include "platform/shell.h"
#include "project/pvwliste.h"
#include "tests/lists/awpruef.h"

namespace fs = std::filesystem;

namespace {

class AwLaufTest : public AwDemoTest {};

int katalogIndex(const char* praefix)
{
    char p[21];
    for (int i = 0; i < AwAnzahl(); ++i) {
        AwEintrag(i, nullptr, nullptr, p, nullptr, nullptr);
        if (std::string(p) == praefix) return i;
    }
    return -1;
}

TEST_F(AwLaufTest, TheShippedCatalogueHasOneEntryPerTypeAndEachRunsHeadless)
{
    ASSERT_EQ(AwAnzahl(), 10);
    for (int typ = 0; typ <= 9; ++typ) {
        SCOPED_TRACE(typ);
        int i = -1;
        for (int k = 0; k < AwAnzahl(); ++k)
            if (AwTyp(k) == typ) i = k;
        ASSERT_GE(i, 0);
        char anz[AWNAMESUP + 1];
        EXPECT_EQ(AwAnzeigeName(i, anz), 1) << "the shown name is shipped";
        EXPECT_EQ(AwLaufen(i, 0), 0);
        EXPECT_EQ(AwOptionen().typ, typ);
        EXPECT_FALSE(AwOptionen().datei.empty());
    }
    EXPECT_EQ(meldungen_, std::vector<std::string>{}) << "every key a run reads is shipped";
    // The equipment list went to the working folder (the project folder).
    std::string s = lesen(demo_.datei("Betriebsmittel.txt"));
    EXPECT_EQ(s.substr(0, 15), "-A1          11");
    EXPECT_NE(lesen(demo_.datei("BmArtikel.txt")), "");
}

TEST_F(AwLaufTest, AChangedDrawingOrAnEmptyResultNameRunsNothing)
{
    int i = katalogIndex("LBtm");
    ASSERT_GE(i, 0);
    TzGeaendertSetzen();
    EXPECT_EQ(AwLaufen(i, 0), 0);
    TzGeaendertReset();
    EXPECT_FALSE(fs::exists(demo_.datei("Betriebsmittel.txt")));
    vorgabe("LBtmdatei", "");
    EXPECT_EQ(AwLaufen(i, 0), 0);
    EXPECT_FALSE(fs::exists(demo_.datei("Betriebsmittel.txt")));
    EXPECT_EQ(AwLaufen(99, 0), 0);
}

// A run reads the equipment as saved: lists that hold just the unchanged
// file are not read again; lists with a change not saved are dropped and
// the file read; what was saved is in the result.
TEST_F(AwLaufTest, ARunReadsTheEquipmentFileOnlyWhenTheListsDifferFromIt)
{
    const int i = katalogIndex("LBtm");
    ASSERT_GE(i, 0);
    ASSERT_EQ(AwLaufen(i, 0), 0);
    const int stand = BMStand();
    const std::string erst = lesen(demo_.datei("Betriebsmittel.txt"));
    ASSERT_NE(erst, "");
    ASSERT_EQ(AwLaufen(i, 0), 0);
    EXPECT_EQ(BMStand(), stand) << "the unchanged file was read again";
    EXPECT_EQ(lesen(demo_.datei("Betriebsmittel.txt")), erst);

    const uint32_t id = geraet(0, "-QX9");
    bauteil(id, "1", 1, "HV1.01", 10, 10);
    ASSERT_EQ(AwLaufen(i, 0), 0);
    EXPECT_GT(BMStand(), stand) << "a change not saved stayed in the lists";
    EXPECT_EQ(lesen(demo_.datei("Betriebsmittel.txt")), erst);

    const uint32_t id2 = geraet(0, "-QX9");
    bauteil(id2, "1", 1, "HV1.01", 10, 10);
    sichern();
    ASSERT_EQ(AwLaufen(i, 0), 0);
    EXPECT_NE(lesen(demo_.datei("Betriebsmittel.txt")).find("-QX9"), std::string::npos);
}

TEST_F(AwLaufTest, TheOnlyMarkedRule)
{
    int i = katalogIndex("LBtm");
    struct Fall {
        int argument, vorgabe, markiert, erwartet;
    } faelle[] = {{0, 1, 3, 0}, {1, 0, 0, 1}, {-1, 0, 3, 0}, {-1, 1, 0, 1}, {-1, 2, 1, 0}, {-1, 2, 2, 1}, {-1, 3, 3, 0}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.argument * 100 + f.vorgabe * 10 + f.markiert);
        vorgabe("AWNurMark", std::to_string(f.vorgabe));
        for (int n = 0; n < PvwZeiAnzahl(); ++n) PvwMarkSetzen(n, n < f.markiert);
        AwLaufen(i, f.argument);
        EXPECT_EQ(AwOptionen().nurMarkiert, f.erwartet);
    }
}

std::vector<std::string> gestartet;
std::string gestartetIn;

TEST_F(AwLaufTest, TheFollowUpProgramGetsTheResultInItsFolder)
{
    // A program of the program folder (the test's own executable folder).
    std::ofstream(fs::path(demo_.wurzel()) / "aw.txt", std::ios::binary)
        << "0 LBtm LBtm Betriebsmittelliste | velmo_demo\r\n"
           "3 LBma LBma Ohne Resultat | velmo_demo\r\n";
    AwKatalogAusDatei((fs::path(demo_.wurzel()) / "aw.txt").c_str());
    ASSERT_TRUE(fs::exists(plOrtProgramm() + "/velmo_demo"));
    plShellStarterSetzen([](const std::vector<std::string>& w, const std::string& ordner) {
        gestartet = w;
        gestartetIn = ordner;
        return 0;
    });
    EXPECT_EQ(AwLaufen(0, 0), 1);
    plShellStarterSetzen(nullptr);
    ASSERT_EQ(gestartet.size(), 2u);
    EXPECT_EQ(gestartet[0], plOrtProgramm() + "/velmo_demo");
    EXPECT_EQ(fs::canonical(gestartet[1]), fs::canonical(demo_.datei("Betriebsmittel.txt")));
    EXPECT_EQ(fs::canonical(gestartetIn), fs::canonical(demo_.projekt()));
    // Without a result file nothing is started.
    gestartet.clear();
    vorgabe("LBmadatei", "nirgends/x.txt");
    EXPECT_EQ(AwLaufen(1, 0), 0);
    EXPECT_TRUE(gestartet.empty());
}

}  // namespace
