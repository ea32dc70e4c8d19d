// The equipment-text clipboard block: the writers' bytes against goldens
// (main component with dispo and principle, sub component U2, free text
// set), the reader over hand-made blocks, and a round trip through the
// headless clipboard.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "editdlg/bmtcopy.h"
#include "output/clip.h"
#include "platform/fehlersim.h"
#include "platform/zwischenablage.h"
#include "support/speicher.h"
#include "tests/equipment/kennung_test.h"
#include "tests/platform/golden_pruef.h"

namespace {

using Paare = std::vector<std::pair<std::string, std::string>>;

void sammeln(const char* k, const char* w, void* u) { static_cast<Paare*>(u)->emplace_back(k, w); }

Paare lesen(const std::string& text)
{
    Paare p;
    BmTextLesen(text.c_str(), sammeln, &p);
    return p;
}

std::string golden(const char* name) { return std::string(VELMO_TEST_DATA) + "/editdlg/" + name; }

struct BmText : kenntest::KennTest {
    void SetUp() override
    {
        KennTest::SetUp();
        starten("");
        plClipEnde();
        bloecke = fmallanzahl();
    }
    void TearDown() override
    {
        plClipEnde();
        EXPECT_EQ(fmallanzahl(), bloecke);
        KennTest::TearDown();
    }
    // Item "K1" with article, building, object, dispo and principle
    // components, main texts 0 and 39, and texts of its sub component U2.
    uint32_t geraetK1()
    {
        appgeraet g{};
        g.id = 7;
        std::strcpy(g.kg, "!K1");
        std::strcpy(g.lt, "ART-4711");
        std::strcpy(g.t6, "Halle 2");
        std::strcpy(g.t7, "Presse");
        EXPECT_EQ(GesEinfuegen(&g), 0);
        eintrag(7, "H", "SCHUETZ", "001", 10, 20);
        eintrag(7, "D", "DISPO1", "", 0, 0);
        eintrag(7, "P", "PRINZ", "", 0, 0);
        eintrag(7, "U", "KONTAKT", "002", 30, 40, 2);
        GtxTextNeu(7, "H", 0, 0, "Hauptsch\xFCtz");
        GtxTextNeu(7, "H", 0, 39, "letzte Zeile");
        GtxTextNeu(7, "U", 2, 3, "\xD6" "ffner");
        return 7;
    }
    long bloecke = 0;
};

TEST_F(BmText, WritersGiveTheGoldenBlocks)
{
    const uint32_t id = geraetK1();
    char puffer[BMTCLIPSUP];
    BmTextBauen(puffer, id, "H", 0);
    EXPECT_TRUE(golden::text(golden("bmtext_haupt.txt"), puffer));
    BmTextBauen(puffer, id, "U", 2);
    EXPECT_TRUE(golden::text(golden("bmtext_u2.txt"), puffer));

    char tab[40][41] = {};
    std::strcpy(tab[0], "erste");
    std::strcpy(tab[12], std::string(40, 'x').c_str());
    BmTextTabBauen(puffer, "  Liste ", " Motor  ", tab);
    EXPECT_TRUE(golden::text(golden("bmtext_tabelle.txt"), puffer));
}

TEST_F(BmText, MainComponentWithoutDispoOrPrincipleHasNoSuchLines)
{
    geraet("!M1", 3);
    eintrag(3, "H", "MOTOR", "001", 1, 1);
    char puffer[BMTCLIPSUP];
    BmTextBauen(puffer, 3, "H", 0);
    const std::string b = puffer;
    EXPECT_NE(b.find("<ident>M1 H</ident>\r\n"), std::string::npos);
    EXPECT_NE(b.find("\r\nL\t\r\nB\t\r\nO\t\r\n0\t\r\n"), std::string::npos) << b;
}

TEST_F(BmText, LargestBlockStaysInsideItsBuffer)
{
    appgeraet g{};
    g.id = 9;
    std::strcpy(g.kg, ("!" + std::string(40, 'K')).c_str());
    std::memset(g.lt, 'L', GESTTSUP);
    std::memset(g.t6, 'B', GESKGSUP);
    std::memset(g.t7, 'O', GESKGSUP);
    ASSERT_EQ(GesEinfuegen(&g), 0);
    eintrag(9, "D", std::string(20, 'D').c_str(), "", 0, 0);
    eintrag(9, "P", std::string(20, 'P').c_str(), "", 0, 0);
    for (int n = 0; n < 40; ++n) GtxTextNeu(9, "H", 0, n, std::string(40, 'a' + n % 26).c_str());
    char puffer[BMTCLIPSUP];
    BmTextBauen(puffer, 9, "H", 0);
    const std::string b = puffer;
    EXPECT_LT(b.size(), size_t(BMTCLIPSUP - 1));
    EXPECT_EQ(b.substr(b.size() - 28), "</text>\r\n</bmtext></zavik>\r\n");
    const Paare p = lesen(b);
    ASSERT_EQ(p.size(), 45u);
    EXPECT_EQ(p[44], (std::pair<std::string, std::string>{"39", std::string(40, 'a' + 39 % 26)}));
}

TEST_F(BmText, RoundTripThroughTheClipboard)
{
    const uint32_t id = geraetK1();
    ASSERT_EQ(BmTextInClip(id, "H", 0), 0);
    Paare p;
    BmTextAusClip(sammeln, &p);
    ASSERT_EQ(p.size(), 45u);
    EXPECT_EQ(p[0], (std::pair<std::string, std::string>{"L", "ART-4711"}));
    EXPECT_EQ(p[3], (std::pair<std::string, std::string>{"D", "DISPO1"}));
    EXPECT_EQ(p[4], (std::pair<std::string, std::string>{"P", "PRINZ"}));
    EXPECT_EQ(p[5], (std::pair<std::string, std::string>{"0", "Hauptsch\xFCtz"}));
    EXPECT_EQ(p[44], (std::pair<std::string, std::string>{"39", "letzte Zeile"}));

    char tab[40][41] = {};
    std::strcpy(tab[7], "sieben");
    ASSERT_EQ(BmTextTabInClip("a", "b", tab), 0);
    p.clear();
    BmTextAusClip(sammeln, &p);
    ASSERT_EQ(p.size(), 40u);  // text lines only
    EXPECT_EQ(p[7], (std::pair<std::string, std::string>{"7", "sieben"}));
}

TEST_F(BmText, OutOfMemoryRefusesTheCopyAndLeavesTheClipboard)
{
    // The allocation's failure ended the program (and a null block was
    // written to had the assertion come back).
    ASSERT_TRUE(ClipTextSetzen("vorher"));
    const uint32_t id = geraetK1();
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Speicher, 1);
        EXPECT_EQ(BmTextInClip(id, "H", 0), -1);
        plFehlerSetzen(PlFehlerArt::Speicher, 1);
        char tab[40][41] = {};
        EXPECT_EQ(BmTextTabInClip("a", "b", tab), -1);
        bloecke += 2;  // the block counter counts refused requests too
    }
    char t[32] = "";
    ClipTextHolen(t, sizeof t);
    EXPECT_STREQ(t, "vorher");
}

TEST(BmTextLesen, ReaderCases)
{
    const std::string kopf = "<zavik><bmtext><ident>K1 H</ident>\r\n<text>\r\n";
    const std::string lang81 = "1\t" + std::string(79, 'y');
    const struct {
        const char* fall;
        std::string text;
        Paare soll;
    } faelle[] = {
        {"LF line ends only: no CR, nothing", "<zavik><bmtext>\n0\ta\n1\tb\n", {}},
        {"empty line", "7\t\r\n", {}},
        {"\"7<TAB>\" gives key 7 and an empty value", kopf + "7\t\r\n8\t x \r\n", {{"7", ""}, {"8", "x"}}},
        {"tags ignore case and order", "BMTEXT ZaViK\r\nL\tA1\r\n", {{"L", "A1"}}},
        {"first line without both tags", "<zavik><text>\r\n0\ta\r\n", {}},
        {"first line empty", "\r\n0\ta\r\n", {}},
        {"first line of 81 characters", "<zavik><bmtext>" + std::string(66, ' ') + "\r\n0\ta\r\n", {}},
        {"first line of 80 characters", "<zavik><bmtext>" + std::string(65, ' ') + "\r\n0\ta\r\n", {{"0", "a"}}},
        {"an 81-character line stops, lines before delivered", kopf + "0\ta\r\n" + lang81 + "\r\n2\tc\r\n", {{"0", "a"}}},
        {"an 80-character line is read", kopf + lang81.substr(0, 80) + "\r\n", {{"1", std::string(78, 'y')}}},
        {"an empty line stops", kopf + "0\ta\r\n\r\n2\tc\r\n", {{"0", "a"}}},
        {"last line without CR is not read", kopf + "0\ta\r\n1\tb", {{"0", "a"}}},
        {"TAB first and lines without TAB are skipped", kopf + "\tx\r\nohne\r\n</text>\r\n 12 \t zw\xF6lf \r\n", {{"12", "zw\xF6lf"}}},
        {"value keeps later TABs", kopf + "3\ta\tb\r\n", {{"3", "a\tb"}}},
        {"block cut after its first CR", "<zavik><bmtext>\r", {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        EXPECT_EQ(lesen(f.text), f.soll);
    }
}

TEST(BmTextLesen, PasteKeysAreWholeLineNumbers)
{
    const struct {
        const char* schluessel;
        int zeile;
    } faelle[] = {{"0", 0}, {"12", 12}, {"39", 39}, {"07", 7}, {"40", -1}, {"1a", -1}, {"", -1}, {"D", -1}, {"-1", -1}, {"123", -1}};
    for (const auto& f : faelle) EXPECT_EQ(BmTextZeile(f.schluessel), f.zeile) << f.schluessel;
}

TEST(BmTextLesen, ClipboardWithoutTextDeliversNothing)
{
    plClipEnde();
    ASSERT_TRUE(OpenClipboard(0));
    EmptyClipboard();
    CloseClipboard();
    Paare p;
    BmTextAusClip(sammeln, &p);
    EXPECT_TRUE(p.empty());
}

}  // namespace
