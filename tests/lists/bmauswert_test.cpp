// The equipment lists on a working copy of the demo project: one record per
// item in identifier order, the kind and identifier filters, the article
// column of type 3.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "equipment/ges.h"
#include "lists/auswertung.h"
#include "lists/awformat.h"
#include "lists/bmauswert.h"
#include "tests/tools/demokopie.h"

namespace fs = std::filesystem;

namespace {

std::string lesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

class BmAuswertTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KonfHaken h{};
        h.warnung = [](const char*) {};
        konfHakenSetzen(h);
        std::ofstream(fs::path(demo_.projekt()) / "Liste.vgb", std::ios::binary)
            << "Name Liste\nBMuse 1\nbmlkenn 1 1 8\nbmlpfad 10\nbmltexta 20 1 12\nbmlartik 40\n";
        VgbFehlMeldung(0);
        VgbSetSetzen("Liste", (fs::path(demo_.projekt()) / "Liste.vgb").c_str());
        VerSetzen(1, demo_.projekt().c_str());
        BMZuruecksetzen();
        BMStart();
        awoptionen& o = AwOptionen();
        o = awoptionen{};
        o.praefix = "bml";
        o.datei = (fs::path(demo_.wurzel()) / "liste.txt").string();
        AwKennungenSetzen(o, "*");
    }
    void TearDown() override
    {
        BMZuruecksetzen();
        VerSetzen(1, "");
        AwOptionen() = awoptionen{};
        konfHakenZuruecksetzen();
        VgbFehlMeldung(1);
    }
    std::string ergebnis() { return lesen(fs::path(demo_.wurzel()) / "liste.txt"); }
    DemoKopie demo_;
};

size_t zeilenMit(const std::string& s, const std::string& teil)
{
    size_t n = 0;
    for (size_t a = 0; a < s.size();) {
        size_t e = s.find("\r\n", a);
        if (e == std::string::npos) e = s.size();
        if (s.compare(a, teil.size(), teil) == 0) ++n;
        a = e + 2;
    }
    return n;
}

TEST_F(BmAuswertTest, OneRecordPerItemInIdentifierOrderAndTheFilters)
{
    ASSERT_EQ(AwBetriebsmittelListe(0), 0);
    std::string s = ergebnis();
    EXPECT_EQ(s.substr(0, 13), "-A1      11-0") << s.substr(0, 80);
    EXPECT_NE(s.find("\r\n-B1      11-0 "), std::string::npos);
    EXPECT_NE(s.find("\r\n-B2      11-0 "), std::string::npos);
    // Text 1 is the item's first text line (12 characters wide here).
    EXPECT_NE(s.find("\r\n-E1      4-0       Leuchte Feld\r\n"), std::string::npos);
    size_t alle = zeilenMit(s, "-");
    EXPECT_GT(alle, 50u);
    EXPECT_GT(zeilenMit(s, "-W"), 0u);
    AwKennungenSetzen(AwOptionen(), "* --W --X");  // a "-" in front makes a pattern exclude
    ASSERT_EQ(AwBetriebsmittelListe(0), 0);
    std::string t = ergebnis();
    EXPECT_EQ(zeilenMit(t, "-W"), 0u);
    EXPECT_EQ(zeilenMit(t, "-X"), 0u);
    EXPECT_EQ(zeilenMit(t, "-"), alle - zeilenMit(s, "-W") - zeilenMit(s, "-X"));
    AwKennungenSetzen(AwOptionen(), "--W");  // no include pattern: nothing
    ASSERT_EQ(AwBetriebsmittelListe(0), 0);
    EXPECT_EQ(ergebnis(), "");
    AwKennungenSetzen(AwOptionen(), "*");
    AwArtenSetzen(AwOptionen(), "Pot");  // the demo's two potentials only
    ASSERT_EQ(AwBetriebsmittelListe(0), 0);
    EXPECT_EQ(ergebnis(), "L1L2L3   3-0\r\nPE       3-0\r\n");
}

TEST_F(BmAuswertTest, TheArticleListAddsTheArticleColumnAndAFailedResultWarns)
{
    std::ofstream(fs::path(demo_.projekt()) / "Liste.vgb", std::ios::binary | std::ios::app)
        << "bmlzustxt0 @BT2 H 50\nbmlzustxt1 T1 U 60\n";
    BMDateiAktuell(0);
    appgeraet g;
    ASSERT_EQ(GesHolen(1, &g), 0);
    std::snprintf(g.lt, sizeof g.lt, "ART-1");
    ASSERT_EQ(GesAendern(1, &g), 0);
    ASSERT_EQ(AwBetriebsmittelListe(1), 0);
    std::string s = ergebnis();
    size_t a = s.find("\r\n-W1 ") + 2;
    // Column 0 of the additional texts is equipment text 2 (the second
    // line) at column 50; column 1 is for sub components only.
    EXPECT_EQ(s.substr(a, s.find("\r\n", a) - a), "-W1      3-0       Zuleitung Ha        ART-1     5x16 mm\xB2");
    AwOptionen().datei = (fs::path(demo_.wurzel()) / "fehlt" / "x.txt").string();
    EXPECT_EQ(AwBetriebsmittelListe(1), -1);
}

}  // namespace
