// The article and attribute lists on fixture items and drawings beside the
// demo's: merging, sub-articles, wrapped lists of any length, the
// missing-article file, and attributes taking the nearest text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "controls/ctlkern.h"
#include "editdlg/dbdialog.h"
#include "editdlg/textdat.h"
#include "editor/edtaufrufe.h"
#include "model/edhaken.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "equipment/ges.h"
#include "equipment/nartikel.h"
#include "lists/attauswert.h"
#include "platform/fehlersim.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/ressource.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "tests/editor/edtaufrufprotokoll.h"
#include "tests/lists/awpruef.h"
#include "tests/model/edprotokoll.h"

namespace {

class AttAuswertTest : public AwDemoTest {
protected:
    void SetUp() override
    {
        AwDemoTest::SetUp();
        ArtListe().clear();
        StlListe().clear();
        for (const char* nr : {"ART-A", "ART-B1", "ART-B2", "ART-C", "ART-D", "ART-E"}) {
            artikel a{};
            std::snprintf(a.nr, sizeof a.nr, "%s", nr);
            std::snprintf(a.text[0], sizeof a.text[0], "T%s", nr + 4);
            ArtListe().push_back(a);
        }
        stueckliste s{};
        std::snprintf(s.nr, sizeof s.nr, "ART-B");
        std::snprintf(s.art[0], sizeof s.art[0], "ART-B1");
        std::snprintf(s.art[2], sizeof s.art[2], "ART-B2");
        StlListe().push_back(s);
        ArtSortieren();
        for (const auto& [k, w] : std::vector<std::pair<std::string, std::string>>{
                 {"bmkenn", "=Z"}, {"PosNr", "1 1 3"}, {"Art", "5 1 8"}, {"Menge", "14 1 2"}, {"Adr", "17 1 12"},
                 {"Pfad", ""}, {"Text0", "30 1 4"}})
            vorgabe("LArt" + k, w);
    }
    void TearDown() override
    {
        ArtListe().clear();
        StlListe().clear();
        AwDemoTest::TearDown();
    }
    void artikelGeraet(const char* kennung, const char* artikel, const char* bauwerk = "")
    {
        uint32_t id = geraet(0, kennung, artikel);
        appgeraet g;
        GesHolen(id, &g);
        std::snprintf(g.t6, sizeof g.t6, "%s", bauwerk);
        GesAendern(id, &g);
        bauteil(id, "H", 0, "03", 50.0 + id % 16, 100.0);
    }
};

TEST_F(AttAuswertTest, EqualArticlesMergeSubArticlesResolveAndMissingOnesAreListed)
{
    artikelGeraet("=Z1", "ART-A");
    artikelGeraet("=Z2", "ART-B");
    artikelGeraet("=Z3", "ART-A");
    artikelGeraet("=Z4", "ART-X");
    artikelGeraet("=Z5", "ART-C");  // no parts list: listed itself
    artikelGeraet("=Z6", "art-a");  // the number compares ignoring case
    sichern();
    std::filesystem::remove(demo_.datei("LagerArtikelFehlt.txt"));
    // The dialogs, so the missing-article file can be shown.
    ASSERT_EQ(ctlKlassenAnmelden(), 0);
    anwDaten()->instanz = GetModuleHandle(nullptr);
    const int lauf_ = anwLaufZustand();
    anwLaufZustandSetzen(2);
    ASSERT_EQ(wiDlgInit(), 0);
    EddbAnmelden();
    ASSERT_EQ(lauf("LArt"), 0);
    EXPECT_EQ(zeilen("Artikel.txt"), (std::vector<std::string>{
                                         "1   ART-A    3  =Z1, =Z3,    TA",
                                         "                =Z6",
                                         "2   ART-B1   1  =Z2          TB1",
                                         "3   ART-B2   1  =Z2          TB2",
                                         "4   ART-X    1  =Z4",
                                         "5   ART-C    1  =Z5          TC",
                                     }));
    EXPECT_EQ(lesen(demo_.datei("LagerArtikelFehlt.txt")), "ART-X                   3-1             =Z4\r\n");
    EXPECT_EQ(boxen(), std::vector<std::string>{"1 Lagerartikel nicht gefunden."});
    HWND anzeige = wiDlgSuchen("TEXTANZEIGEN");
    EXPECT_NE(anzeige, 0u) << "the missing articles are shown";
    char text[200] = "";
    GetDlgItemText(anzeige, 3000, text, sizeof text);
    EXPECT_STREQ(text, "ART-X                   3-1             =Z4\r\n");
    wiDlgAlleSchliessen();
    EddbFreigeben();
    EdProtokollStarten();
    EdtAufrufProtokollStarten();
    wiDlgFrei();
    anwLaufZustandSetzen(lauf_);
    ctlKlassenAbmelden();
    plFensterSystemEnde();
}

TEST_F(AttAuswertTest, MergingKeepsBuildingsApartUnderTheBuildingKeyAndLongListsWrapOnAnyNumberOfLines)
{
    artikelGeraet("=Z1", "ART-A", "B1");
    artikelGeraet("=Z2", "ART-A", "B2");
    artikelGeraet("=Z3", "ART-A", "B1");
    sichern();
    vorgabe("LArtsortBPK", "3");  // primary key 4: building
    ASSERT_EQ(lauf("LArt"), 0);
    std::vector<std::string> z = zeilen("Artikel.txt");
    ASSERT_EQ(z.size(), 2u);
    EXPECT_EQ(z[0].substr(0, 24), "1   ART-A    2  =Z1, =Z3");
    EXPECT_EQ(z[1].substr(0, 24), "2   ART-A    1  =Z2     ");
    // 60 merged identifiers on more than 50 lines: none is lost.
    for (int i = 4; i < 64; ++i) artikelGeraet(("=Z" + std::to_string(i)).c_str(), "ART-C");
    sichern();
    vorgabe("LArtAdr", "17 1 10");
    ASSERT_EQ(lauf("LArt"), 0);
    z = zeilen("Artikel.txt");
    // Buildings sort first by their name: the empty one of ART-C first.
    ASSERT_GT(z.size(), 2u + 50u);
    EXPECT_EQ(z[0].substr(0, 17), "1   ART-C    60\t=");  // a TAB marks the abutting column
    std::string alle;
    for (size_t i = 0; i + 2 < z.size(); ++i) alle += z[i].substr(16) + " ";
    for (int i = 4; i < 64; ++i) {
        const std::string k = "=Z" + std::to_string(i);
        EXPECT_TRUE(alle.find(k + ",") != std::string::npos || alle.find(k + " ") != std::string::npos) << k;
    }
    EXPECT_EQ(z[z.size() - 2].substr(0, 4), "2   ");
}

TEST_F(AttAuswertTest, AFailureAtAnyWriteKeepsTheResultAndTheMissingArticlesOldOrNew)
{
    artikelGeraet("=Z1", "ART-X");
    artikelGeraet("=Z2", "ART-A");
    sichern();
    const std::vector<std::string> namen = {"Artikel.txt", "LagerArtikelFehlt.txt"};
    auto dateien = [&] {
        std::vector<std::string> r;
        for (const auto& n : namen) r.push_back(lesen(demo_.datei(n)));
        return r;
    };
    for (const auto& n : namen) std::ofstream(demo_.datei(n), std::ios::binary) << "alt\r\n";
    const std::vector<std::string> alt = dateien();
    ASSERT_EQ(lauf("LArt"), 0);
    const std::vector<std::string> neu = dateien();
    ASSERT_NE(alt[0], neu[0]);
    ASSERT_NE(alt[1], neu[1]);
    const std::vector<std::string> namenVorher = eintraege();
    // Writes and renames fail in turn (the inputs are read before).
    for (PlFehlerArt art : {PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        for (int k = 1;; ++k) {
            SCOPED_TRACE(std::to_string(static_cast<int>(art)) + "/" + std::to_string(k));
            for (size_t i = 0; i < namen.size(); ++i)
                std::ofstream(demo_.datei(namen[i]), std::ios::binary | std::ios::trunc) << alt[i];
            boxen();
            meldungen_.clear();
            plFehlerSetzen(art, k);
            lauf("LArt");
            const bool ausgeloest = plFehlerAusgeloest(art) > 0;
            plFehlerAllesAus();
            const std::vector<std::string> jetzt = dateien();
            for (size_t i = 0; i < namen.size(); ++i) EXPECT_TRUE(jetzt[i] == alt[i] || jetzt[i] == neu[i]) << namen[i];
            EXPECT_EQ(eintraege(), namenVorher);
            if (!ausgeloest) break;
            // A file left as it was is reported.
            if (jetzt != neu) {
                EXPECT_GT(boxen().size() + meldungen_.size(), 0u);
            }
        }
    }
}

TEST_F(AttAuswertTest, WrappingCutsAfterACommaElseAtABlankElseAtTheWidth)
{
    struct Fall {
        const char* text;
        int breite;
        std::vector<std::string> stuecke;
    } faelle[] = {
        {"=A1, =A2, =A3", 10, {"=A1, =A2,", "=A3"}},
        {"eins zwei drei vier", 10, {"eins zwei", "drei vier"}},
        {"abcdefghijklmnop", 10, {"abcdefghij", "klmnop"}},
        {"kurz", 4, {"kurz"}},  // the width is at least 10
        {"", 10, {}},
    };
    for (const Fall& f : faelle) EXPECT_EQ(AwUmbrechen(f.text, f.breite), f.stuecke) << f.text;
}

TEST_F(AttAuswertTest, AttributesTakeTheNearestTextWithinTen)
{
    zeichnung("HV1.90", {
                            {100, 100, "\x01 ART-A"},
                            {110, 100, "\x01 ART-B"},
                            {106, 100, "-T1"},  // 6.0 from A, 4.0 from B
                            {200, 100, "\x01 ART-C"},
                            {205, 100, "-T2"},  // both 5.0 away: the first stays
                            {200, 105, "-T3"},
                            {300, 100, "\x01 ART-D"},
                            {310, 100, "-T4"},  // exactly 10.0: taken
                            {400, 100, "\x01 ART-E"},
                            {410.5, 100, "-T5"},  // 10.5: too far
                            {500, 100, "\x01  "},  // an empty attribute
                        });
    for (const auto& [k, w] : std::vector<std::pair<std::string, std::string>>{
             {"Art", "1 1 8"}, {"Adr", "10 1 8"}, {"PosNr", ""}, {"Menge", ""}, {"Text0", ""}, {"sortBPK", "1"}, {"zusfas", "0"}, {"aufloe", "0"}, {"Pfad", ""}})
        vorgabe("LAtt" + k, w);
    ASSERT_EQ(lauf("LAtt"), 0);
    // The demo's own three attribute texts stand on its sheet 4, before these.
    std::vector<std::string> z = zeilen("Attribute.txt");
    ASSERT_EQ(z.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(z.begin() + 3, z.end()),
              (std::vector<std::string>{"ART-A    -T1", "ART-B    -T1", "ART-C    -T2", "ART-D    -T4", "ART-E"}));
    EXPECT_EQ(meldungen_, std::vector<std::string>{});
}

}  // namespace
