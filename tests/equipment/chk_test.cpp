// Check lists: the list files and their watch, entries in order, text
// variables with languages and choices, the appended block.
#include <gtest/gtest.h>

#include <string>

#include "platform/fehlersim.h"
#include "projtest.h"

using namespace projtest;

namespace {

class ChkTest : public ProjTest {};

std::string variable(const char* v)
{
    char t[CHKTEXTSUP + 1];
    ChkTextVariable(v, t);
    return t;
}

std::string text(int n, const char* code)
{
    char t[CHKTEXTSUP + 1];
    ChkTextHolen(n, code, t);
    return t;
}

std::vector<std::string> eintraege(int n)
{
    std::vector<std::string> e;
    CHKEINTRAG s;
    for (int i = 0; ChkEintrag(n, i, &s); ++i) e.push_back(std::to_string(s.nummer) + ":" + s.code + ":" + s.text);
    return e;
}

TEST_F(ChkTest, ListFileIsReadAndWrittenBackByteForByte)
{
    kopieren("titel/Checkliste1.zvk");
    ASSERT_EQ(ChkListeLesen(0), 0);
    EXPECT_EQ(text(0, "AB"), "offen");
    EXPECT_EQ(text(0, "cd"), "nein");  // codes compare ignoring case
    ASSERT_EQ(ChkListeSchreiben(0), 0);
    EXPECT_EQ(lesen(pfad("Checkliste1.zvk")), lesen(fixture("titel/Checkliste1.zvk")));
    EXPECT_EQ(ChkListeLesen(3), -1);
    EXPECT_EQ(ChkAnzahl(3), 0);
}

TEST_F(ChkTest, ARecordTwiceInAFileIsHeldOnceTheLaterStanding)
{
    // Both were kept: a search found either, a change reached only one.
    schreiben(pfad("Checkliste1.zvk"), "zvkC\n)S ChkListe\n0\tAB\terst\n0\tCD\tx\n0\tab\tdann\n)E\n");
    ASSERT_EQ(ChkListeLesen(0), 0);
    EXPECT_EQ(eintraege(0), (std::vector<std::string>{"0:ab:dann", "0:CD:x"}));
    EXPECT_EQ(text(0, "AB"), "dann");
}

TEST_F(ChkTest, EntriesGoInOrderAndBlankCodesAreNotWritten)
{
    ChkEintragSetzen(1, 5, "B", "fuenf");
    ChkEintragSetzen(1, 0, "Z", "zett");
    ChkEintragSetzen(1, 0, "A", "a");
    ChkEintragSetzen(1, 0, "a", "klein");           // same code ignoring case: replaced
    ChkTextSetzen(1, "   ", "ohne Code");
    ChkTextSetzen(1, "LANGCODE", std::string(120, 't').c_str());
    EXPECT_EQ(text(1, "Z"), "zett");
    EXPECT_EQ(text(1, "LANG"), std::string(CHKTEXTSUP, 't'));
    EXPECT_EQ((std::vector<std::string>{"0:   :ohne Code", "0:a:klein", "0:LANG:" + std::string(CHKTEXTSUP, 't'),
                                        "0:Z:zett", "5:B:fuenf"}),
              eintraege(1));
    ASSERT_EQ(ChkListeSchreiben(1), 0);
    EXPECT_EQ(lesen(pfad("Checkliste2.zvk")), "zvkC\n)S ChkListe\n0\ta\tklein\n0\tLANG\t" + std::string(CHKTEXTSUP, 't') +
                                                  "\n0\tZ\tzett\n5\tB\tfuenf\n)E\n");
    ChkNummernLoeschen(1);
    EXPECT_EQ(ChkAnzahl(1), 4);
}

TEST_F(ChkTest, VariablesTakeTranslationsAndMapChoices)
{
    kopieren("titel/Checkliste1.zvk");
    kopieren("titel/Texte.zvk");
    schreiben(pfad("Checkliste5.zvk"), "zvkC\n)S ChkListe\n0\tX\tf\xfcnf\n)E\n");
    const struct {
        int sprache;
        const char* variable;
        const char* wert;
    } faelle[] = {
        {0, "@C1AB", "offen"},      {0, "@C1CD", "nein"},      {2, "@C1CD", "no"},   // second choice to second choice
        {2, "@C1AB", "open (en)"},  // the "C" translation comes first
        {3, "@C1CD", "nein"},       // no number-3 record
        {0, "@C7X", "f\xfcnf"},     {0, "@C0X", ""},           {0, "@C1QQ", ""},
    };
    for (const auto& f : faelle) {
        SprSetzen(f.sprache);
        EXPECT_EQ(variable(f.variable), f.wert) << f.sprache << " " << f.variable;
    }
}

TEST_F(ChkTest, ListRewrittenByAnotherProgramIsReadAfterTheCounterMoved)
{
    kopieren("titel/Checkliste1.zvk");
    EXPECT_EQ(variable("@C1AB"), "offen");
    schreiben(pfad("Checkliste1.zvk"), "zvkC\n)S ChkListe\n0\tAB\tzu\n)E\n");
    beruehren(pfad("Checkliste1.zvk"));
    EXPECT_EQ(variable("@C1AB"), "offen");
    DatNeuPruefen(1);
    EXPECT_EQ(variable("@C1AB"), "zu");

    // Our own write is not read back as a change.
    ChkTextSetzen(0, "AB", "eigen");
    ASSERT_EQ(ChkListeSchreiben(0), 0);
    ChkTextSetzen(0, "NEU", "nur im Speicher");
    DatNeuPruefen(1);
    EXPECT_EQ(variable("@C1NEU"), "nur im Speicher");
}

TEST_F(ChkTest, WriteFailuresKeepTheFileAndTheList)
{
    kopieren("titel/Checkliste1.zvk");
    ASSERT_EQ(ChkListeLesen(0), 0);
    const std::string vorher = lesen(pfad("Checkliste1.zvk"));
    ChkTextSetzen(0, "EF", "neu");
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        {
            PlFehlerScope scope;
            plFehlerSetzen(art, 1);
            EXPECT_EQ(ChkListeSchreiben(0), -1) << static_cast<int>(art);
            plFehlerAllesAus();
        }
        EXPECT_EQ(lesen(pfad("Checkliste1.zvk")), vorher);
        EXPECT_EQ(text(0, "EF"), "neu");
        EXPECT_EQ(namen(), (std::set<std::string>{"Checkliste1.zvk"}));
    }
}

TEST_F(ChkTest, AppendedBlockRoundTripsAndIsTakenOverWithoutDuplicates)
{
    schreiben(pfad("Export.txt"), "Kopf\nohne Zeilenende");
    ChkAnhangSetzen(0, "AB", "a");
    ChkAnhangSetzen(10, "AB", "x, y");
    ChkAnhangSetzen(0, "CD", "  ");
    ASSERT_EQ(ChkAnhangSchreiben(pfad("Export.txt").c_str()), 0);
    EXPECT_EQ(lesen(pfad("Export.txt")), "Kopf\nohne Zeilenende\n)F\n0\tAB\ta\n10\tAB\tx, y\n)E\n");
    EXPECT_EQ(ChkAnhangSchreiben(pfad("fehlt.txt").c_str()), -1);
    EXPECT_FALSE(fs::exists(pfad("fehlt.txt")));

    ChkAnhangFrei();
    ChkAnhangInit();
    ASSERT_EQ(ChkAnhangLesen(pfad("Export.txt").c_str()), 0);
    EXPECT_EQ(ChkAnhangAnzahl(), 2);
    char t[CHKTEXTSUP + 1];
    ChkAnhangText(10, "ab", t);
    EXPECT_STREQ(t, "x, y");

    ChkTextSetzen(2, "AB", "alt");
    ChkAnhangUebernehmen(2);
    ChkAnhangUebernehmen(2);
    EXPECT_EQ((std::vector<std::string>{"0:AB:a", "10:AB:x, y"}), eintraege(2));

    schreiben(pfad("ohne.txt"), "nur Text\n0\tAB\tb\n");
    ASSERT_EQ(ChkAnhangLesen(pfad("ohne.txt").c_str()), 0);
    EXPECT_EQ(ChkAnhangAnzahl(), 0);
}

}  // namespace
