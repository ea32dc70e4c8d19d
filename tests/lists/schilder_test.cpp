// Label sheets on a three-slot component added to the demo's library and
// fixture items: sheets filled slot by slot, titles, the count shown, the
// '&' rule, references that do not apply, the A4 format, no item, a
// missing component.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "model/bauteil.h"
#include "model/einstell.h"
#include "lists/schilder.h"
#include "tests/lists/awpruef.h"
#include "platform/dateisys.h"
#include "platform/fehlersim.h"
#include "model/zeichnun.h"

namespace {

// Adds a drawing as a component to a library; 0, or -1 when the library
// cannot be opened or the component not added.
int schildBauteilAufnehmen(const char* bib, const char* name, const char* zeichnung)
{
    BauBibHandle h;
    if (BauBibOeffnen(&h, bib) != 0) return -1;
    const int r = BauAufnehmen(&h, name, zeichnung);
    BauBibZu(&h);
    BauBibSchliessen();
    return r == 0 ? 0 : -1;
}

class SchilderTest : public AwDemoTest {
protected:
    void SetUp() override
    {
        AwDemoTest::SetUp();
        std::snprintf(GrundEinst()->zvbd, sizeof GrundEinst()->zvbd, "STD");
        // The frame, then three slots: each begins with its "@Q" text.
        std::vector<Text> t = {{0, 0, "Rahmen"}};
        for (int s = 0; s < 3; ++s) {
            t.push_back({10.0 + 30 * s, 10, "K=@Q&"});
            t.push_back({10.0 + 30 * s, 2, "@ bleibt&"});
        }
        zeichnung("schild.zei", t);
        ASSERT_EQ(schildBauteilAufnehmen(demo_.bibliothek().c_str(), "SCHILDT", demo_.datei("schild.zei").c_str()), 0);
        vorgabe("LSldbmkenn", "=S");
        vorgabe("LSldbauteil", "SCHILDT");
    }
    void etiketten(int n)
    {
        for (int i = 1; i <= n; ++i) {
            uint32_t id = geraet(0, ("=S" + std::to_string(i)).c_str());
            bauteil(id, "H", 0, "03", 10.0 * i, 10.0);
        }
        sichern();
    }
    // The texts of a sheet as the text form writes them, and its title line.
    std::vector<std::string> texte(const std::string& blatt)
    {
        std::string txt = demo_.datei("blatt.txt");
        EXPECT_EQ(ZeiAlsText(demo_.datei(blatt).c_str(), txt.c_str()), 0);
        std::vector<std::string> r;
        std::istringstream ein(lesen(txt));
        for (std::string z; std::getline(ein, z);) {
            if (!z.empty() && z.back() == '\r') z.pop_back();
            if (z.rfind("TFA ", 0) == 0 || z.rfind("ZAT ", 0) == 0 || z.rfind("ZTX ", 0) == 0 || z.rfind("VER", 0) == 0 ||
                z.rfind("FOR", 0) == 0)
                r.push_back(z);
        }
        return r;
    }
};

TEST_F(SchilderTest, SevenItemsOnThreeSlotsGiveThreeSheetsFilledSlotBySlot)
{
    etiketten(7);
    ASSERT_EQ(lauf("LSld"), 0);
    EXPECT_EQ(boxen(), std::vector<std::string>{"3 Zeichnungen gespeichert."});
    // A resolved text loses its '&'; a lone '@' and a text without
    // references stay as written.
    std::vector<std::string> slot;
    std::vector<std::string> s1 = {"VER 10", "ZAT \"\" \"=S1 - =S3\" \"\"", "TFA \"Rahmen\""};
    for (int i = 1; i <= 3; ++i) {
        s1.push_back("TFA \"K==S" + std::to_string(i) + "\"");
        s1.push_back("TFA \"@ bleibt&\"");
    }
    EXPECT_EQ(texte("Schild.1"), s1);
    EXPECT_EQ(texte("Schild.2")[1], "ZAT \"\" \"=S4 - =S6\" \"\"");
    // The last sheet holds the seventh item in its first slot only.
    EXPECT_EQ(texte("Schild.3"), (std::vector<std::string>{"VER 10", "ZAT \"\" \"=S7 - =S7\" \"\"", "TFA \"Rahmen\"",
                                                          "TFA \"K==S7\"", "TFA \"@ bleibt&\""}));
    EXPECT_FALSE(std::filesystem::exists(demo_.datei("Schild.4")));
    ZeiKopf k;
    ASSERT_EQ(ZeiKopfLesen(demo_.datei("Schild.1").c_str(), &k), 0);
    EXPECT_EQ(k.format, 116);
    vorgabe("LSlda3a4", "1");
    ASSERT_EQ(lauf("LSld"), 0);
    ASSERT_EQ(ZeiKopfLesen(demo_.datei("Schild.1").c_str(), &k), 0);
    EXPECT_EQ(k.format, 117);
}

TEST_F(SchilderTest, ASecondRunRewritesOnlyTheSheetsThatChanged)
{
    etiketten(7);
    ASSERT_EQ(lauf("LSld"), 0);
    auto stand = [&](int i) {
        struct stat st{};
        EXPECT_EQ(stat(demo_.datei("Schild." + std::to_string(i)).c_str(), &st), 0);
        return std::make_pair(st.st_ino, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec);
    };
    const auto s1 = stand(1), s2 = stand(2), s3 = stand(3);
    const std::string inhalt3 = lesen(demo_.datei("Schild.3"));
    const std::vector<std::string> namenVorher = eintraege();
    ASSERT_EQ(lauf("LSld"), 0);
    EXPECT_EQ(boxen(), (std::vector<std::string>{"3 Zeichnungen gespeichert.", "3 Zeichnungen gespeichert."}));
    EXPECT_EQ(stand(1), s1);
    EXPECT_EQ(stand(2), s2);
    EXPECT_EQ(stand(3), s3);
    EXPECT_EQ(eintraege(), namenVorher);
    // An eighth item changes the last sheet only: it alone is replaced.
    uint32_t id = geraet(0, "=S8");
    bauteil(id, "H", 0, "03", 80.0, 10.0);
    sichern();
    ASSERT_EQ(lauf("LSld"), 0);
    EXPECT_EQ(stand(1), s1);
    EXPECT_EQ(stand(2), s2);
    EXPECT_NE(stand(3).first, s3.first);
    EXPECT_NE(lesen(demo_.datei("Schild.3")), inhalt3);
    EXPECT_EQ(texte("Schild.3")[1], "ZAT \"\" \"=S7 - =S8\" \"\"");
}

TEST_F(SchilderTest, SixItemsGiveTwoSheetsAndNoItemNone)
{
    // The sixth item's wrap reaches a third sheet on which no label begins:
    // it is dropped, not counted.
    etiketten(6);
    ASSERT_EQ(lauf("LSld"), 0);
    EXPECT_EQ(boxen(), std::vector<std::string>{"2 Zeichnungen gespeichert."});
    EXPECT_TRUE(std::filesystem::exists(demo_.datei("Schild.2")));
    EXPECT_FALSE(std::filesystem::exists(demo_.datei("Schild.3")));
    vorgabe("LSldbmkenn", "=X");
    ASSERT_EQ(lauf("LSld"), 0);
    EXPECT_EQ(boxen(), std::vector<std::string>{"0 Zeichnungen gespeichert."});
}

TEST_F(SchilderTest, AMissingComponentOrASheetThatCannotBeMadeEndsTheRun)
{
    etiketten(7);
    vorgabe("LSldbauteil", "FEHLT");
    ASSERT_EQ(lauf("LSld"), 0);
    EXPECT_EQ(boxen(), (std::vector<std::string>{"Kann Bauteil FEHLT\nin Bauteildatei Bauteile.STD nicht finden.",
                                                 "0 Zeichnungen gespeichert."}));
    vorgabe("LSldbauteil", "");
    ASSERT_EQ(lauf("LSld"), 0);
    EXPECT_EQ(boxen(), std::vector<std::string>{"Sie m\xFCssen ein Bauteil angeben."});
    // The first sheet's folder does not exist: the run ends there.
    vorgabe("LSldbauteil", "SCHILDT");
    vorgabe("LSlddatei", "fehlt/Schild.txt");
    ASSERT_EQ(lauf("LSld"), 0);
    EXPECT_EQ(boxen(), (std::vector<std::string>{"Kann Zeichnung fehlt/Schild.1 nicht anlegen.", "0 Zeichnungen gespeichert."}));
}

TEST_F(SchilderTest, AFailureAtAnyWriteOrRenameLeavesEachSheetOldOrNewAndNoTemporaryFile)
{
    etiketten(7);
    auto blaetter = [&] {
        std::vector<std::string> r;
        for (int i = 1; i <= 3; ++i) r.push_back(lesen(demo_.datei("Schild." + std::to_string(i))));
        return r;
    };
    auto zurueck = [&](const std::vector<std::string>& b) {
        for (int i = 1; i <= 3; ++i)
            std::ofstream(demo_.datei("Schild." + std::to_string(i)), std::ios::binary | std::ios::trunc) << b[i - 1];
    };
    ASSERT_EQ(lauf("LSld"), 0);
    const std::vector<std::string> alt = blaetter();
    vorgabe("LSlda3a4", "1");
    ASSERT_EQ(lauf("LSld"), 0);
    const std::vector<std::string> neu = blaetter();
    ASSERT_NE(alt, neu);
    const std::vector<std::string> namenVorher = eintraege();
    for (PlFehlerArt art : {PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        for (int k = 1;; ++k) {
            SCOPED_TRACE(k);
            zurueck(alt);
            boxen();
            plFehlerSetzen(art, k);
            lauf("LSld");
            const bool ausgeloest = plFehlerAusgeloest(art) > 0;
            plFehlerAllesAus();
            std::vector<std::string> jetzt = blaetter();
            for (int i = 0; i < 3; ++i) EXPECT_TRUE(jetzt[i] == alt[i] || jetzt[i] == neu[i]) << "Schild." << i + 1;
            EXPECT_EQ(eintraege(), namenVorher);
            if (!ausgeloest) break;
            std::vector<std::string> b = boxen();
            // A run that did not write every sheet anew said why before the count.
            if (jetzt != neu) {
                EXPECT_GE(b.size(), 2u);
            }
        }
    }
}

// A first run, where no sheet exists yet: each sheet appears whole or not
// at all whichever step fails (the run then says why), no temporary file
// stays, and the project folder is read once for all the new names.
TEST_F(SchilderTest, AFirstRunMakesEachSheetWholeOrNotAtAllAndReadsTheFolderOnce)
{
    etiketten(7);
    auto weg = [&] {
        for (int i = 1; i <= 3; ++i) std::remove(demo_.datei("Schild." + std::to_string(i)).c_str());
    };
    auto blatt = [&](int i) {
        std::ifstream ein(demo_.datei("Schild." + std::to_string(i)), std::ios::binary);
        return ein ? std::optional<std::string>(std::string(std::istreambuf_iterator<char>(ein), {})) : std::nullopt;
    };
    const long lesungen = plDsSuchLesungen();
    ASSERT_EQ(lauf("LSld"), 0);
    EXPECT_LE(plDsSuchLesungen() - lesungen, 1);
    std::vector<std::string> ganz;
    for (int i = 1; i <= 3; ++i) {
        ASSERT_TRUE(blatt(i)) << i;
        ganz.push_back(*blatt(i));
    }
    EXPECT_EQ(texte("Schild.3")[1], "ZAT \"\" \"=S7 - =S7\" \"\"");
    const std::vector<std::string> mit = eintraege();
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Schliessen, PlFehlerArt::Umbenennen}) {
        for (int k = 1;; ++k) {
            SCOPED_TRACE(k);
            weg();
            boxen();
            plFehlerSetzen(art, k);
            lauf("LSld");
            const bool ausgeloest = plFehlerAusgeloest(art) > 0;
            plFehlerAllesAus();
            std::vector<std::string> soll = mit;
            for (int i = 1; i <= 3; ++i) {
                const auto b = blatt(i);
                if (b) EXPECT_EQ(*b, ganz[static_cast<size_t>(i - 1)]) << "Schild." << i;
                else soll.erase(std::find(soll.begin(), soll.end(), "Schild." + std::to_string(i)));
            }
            EXPECT_EQ(eintraege(), soll);
            if (!ausgeloest) {
                EXPECT_EQ(soll, mit);
                break;
            }
            // A run that made fewer sheets said why before its count (or
            // ended before the sheets, when its settings could not be read).
            const std::vector<std::string> b = boxen();
            if (soll != mit && !b.empty()) {
                EXPECT_GE(b.size(), 2u);
            }
        }
    }
}

}  // namespace
