// Standard texts: the block format (indent rules, block ends), the '|'
// rule, the block index, noticing a changed file only after the check
// counter moved, and a missing file.
#include "model/stndtext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/datwache.h"
#include "support/datum.h"
#include "support/dosdatei.h"
#include "tests/model/modelltest.h"

namespace {

std::vector<std::string> zeilen(const char* text)
{
    std::vector<std::string> v;
    const int n = StndTextZerlegen(text);
    EXPECT_EQ(n, StndTextAnzahl());
    for (int i = 0; i < n; ++i) v.push_back(StndTextZeile(i));
    EXPECT_EQ(StndTextZeile(n), nullptr);
    return v;
}

struct Stnd : ::testing::Test {
    MtOrdner o;
    void SetUp() override { StndTextInit(); }
    void TearDown() override { StndTextEnde(); }
    std::string datei(const std::string& inhalt, const char* name = "STANDARD.TXT")
    {
        std::string p = o / name;
        mtSchreiben(p, inhalt);
        return p;
    }
};

using V = std::vector<std::string>;

TEST_F(Stnd, BlocksByTheirIndent)
{
    StndTextWaehlen(datei("KOPF6A  Text\n"
                          "        zweiter Text\n"
                          "NUR\n"
                          "   eins\n"
                          "   zwei   \n"
                          "TAB\tvorn\n"
                          "\tnach Tab\n"
                          "KURZ   weit\n"
                          "  kaum\n"
                          "          weiter   \n"
                          "LEERZ  a\n"
                          "\n"
                          "   nicht mehr\n"
                          "ENDE z\n"
                          "   letzte")
                        .c_str());
    struct Fall {
        const char* text;
        V erwartet;
    } faelle[] = {
        {"KOPF6A", {"Text", "zweiter Text"}},
        {"NUR", {"", "eins", "zwei"}},
        {"TAB", {"vorn", "h Tab"}},               // indent 4, the tab is one character
        {"KURZ", {"weit", "", "   weiter"}},      // the indent cuts text too
        {"LEERZ", {"a"}},                          // an empty line ends the block
        {"ENDE", {"z", "tzte"}},                   // the end of the file ends it
        {"  KOPF6A  ", {"Text", "zweiter Text"}},  // the key is trimmed
        {"kopf6a", {"kopf6a"}},                    // names count case
        {"FEHLT", {"FEHLT"}},
        {"|x", {" x"}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(zeilen(f.text), f.erwartet);
    }
    zeilen("NUR");
    EXPECT_EQ(StndTextLaenge(), 4);

    // A standard text with an '@' part: the part is appended to line 0 only.
    zeilen("KOPF6A");
    StndTextAnhaengen(0, " und mehr");
    StndTextAnhaengen(2, "nie");
    EXPECT_STREQ(StndTextZeile(0), "Text und mehr");
    EXPECT_STREQ(StndTextZeile(1), "zweiter Text");
    EXPECT_EQ(StndTextLaenge(), 13);
}

TEST_F(Stnd, BarAndFreeTextsWithoutAFile)
{
    EXPECT_EQ(zeilen("|frei"), V{" frei"});
    StndTextSetzen("|gesetzt");
    EXPECT_EQ(StndTextAnzahl(), 1);
    EXPECT_STREQ(StndTextZeile(0), " gesetzt");
    EXPECT_EQ(StndTextLaenge(), 8);
    StndTextSetzen("");
    EXPECT_STREQ(StndTextZeile(0), "");

    // A missing file: every text resolves to itself.
    StndTextDatei((o / "FEHLT.TXT").c_str());
    EXPECT_EQ(zeilen("KOPF"), V{"KOPF"});
    EXPECT_EQ(zeilen("|KOPF"), V{" KOPF"});
}

TEST_F(Stnd, BlockEndsAfterMaxLines)
{
    std::string inhalt = "VIELE erste\n";
    for (int i = 0; i < ANZSUP + 10; ++i) inhalt += "      z\n";
    StndTextWaehlen(datei(inhalt).c_str());
    EXPECT_EQ(StndTextZerlegen("VIELE"), ANZSUP);

    std::string lang = "LANG x\n";
    std::string zeile = "     " + std::string(240, 'a') + "\n";  // indent 5
    for (int i = 0; i < 300; ++i) lang += zeile;
    StndTextWaehlen(datei(lang, "LANG.TXT").c_str());
    const int n = StndTextZerlegen("LANG");
    EXPECT_EQ(n, 1 + STNDINHALTMAX / 240 + 1);  // ends once more than 59500 are held
    EXPECT_EQ(StndTextLaenge(), 240);
}

TEST_F(Stnd, EarlierNamesAreFoundInTheIndex)
{
    // Blocks spread over several buffer blocks of the file (about 115 KB).
    const std::string f(50, 'f');
    std::string inhalt;
    for (int i = 0; i < 1500; ++i)
        inhalt += "B" + std::to_string(10000 + i) + "  text " + std::to_string(i) + "\n        " + f + "\n";
    std::string p = datei(inhalt);
    StndTextWaehlen(p.c_str());
    EXPECT_EQ(zeilen("B11499"), (V{"text 1499", f}));
    // Rewrite the first header in place under another name: a scan from the
    // start would not find B10000 any more, the index still points there.
    std::string neu = inhalt;
    neu.replace(0, 14, "QQQQQQ  neu 00");
    ASSERT_EQ(neu.size(), inhalt.size());
    mtSchreiben(p, neu);
    EXPECT_EQ(zeilen("B10000"), (V{"neu 00", f}));
}

TEST_F(Stnd, ChangedFileNoticedAfterTheCounterMoved)
{
    std::string p = datei("NAME alt\n");
    DATZEIT t = {{100, 1, 2}, 3, 4, 5};
    dateizeitsetzen(p.c_str(), &t);
    StndTextWaehlen(p.c_str());
    EXPECT_EQ(zeilen("NAME"), V{"alt"});
    datei("ANDERS x\nNAME neu\n");
    StndTextWaehlen(p.c_str());
    EXPECT_NE(zeilen("NAME"), V{"neu"});  // not yet checked
    DatNeuPruefen(1);
    StndTextWaehlen(p.c_str());
    EXPECT_EQ(zeilen("NAME"), V{"neu"});

    // Selecting by name: a bare name lies in the current folder.
    std::string alt = std::filesystem::current_path().string();
    std::filesystem::current_path(o.pfad);
    datei("WO hier\n", "BARE.TXT");
    StndTextDatei("BARE.TXT");
    EXPECT_EQ(zeilen("WO"), V{"hier"});
    std::filesystem::current_path(alt);
    StndTextDatei(nullptr);
    EXPECT_EQ(zeilen("WO"), V{"WO"});
}

}  // namespace
