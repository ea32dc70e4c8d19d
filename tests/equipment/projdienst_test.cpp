// Titles, translations and check lists as the drawing model sees them
// through its service table, and a project folder copied from a disk that
// ignores case.
#include <gtest/gtest.h>

#include <string>

#include "model/zeichnun.h"
#include "projtest.h"

using namespace projtest;

namespace {

class ProjDienstTest : public ProjTest {};

std::string ersetzt(const char* text)
{
    char t[200];
    std::snprintf(t, sizeof t, "%s", text);
    TextVarErsetzen(t, 0.0, 0.0);
    return t;
}

void zeichnung(const std::string& p)
{
    ZeiDatei z;
    ASSERT_EQ(ZeiDateiAnlegen(&z, p.c_str()), 0);
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
    ZeiKopf k{};
    std::snprintf(k.titel[1], sizeof k.titel[1], "Grundtitel");
    ASSERT_EQ(ZeiKopfSchreiben(p.c_str(), &k), 1);
}

TEST_F(ProjDienstTest, VariablesExpandThroughTheServiceTable)
{
    kopieren("titel/Projekt.zvk");
    kopieren("titel/Texte.zvk");
    kopieren("titel/Checkliste1.zvk");
    zeichnung(pfad("Anlage.005"));
    zeichnung(pfad("Anlage.001"));
    ProjDiensteSetzen();
    const struct {
        int sprache;
        const char* zeichnung;
        const char* text;
        const char* wert;
    } faelle[] = {
        {0, "Anlage.005", "@TPT / @TPA", "Schaltanlage Nord / Werk 2"},
        {0, "Anlage.005", "@TUT, @TUO, @TUK1", "Bereich Eins, Ort 1, =B1"},
        {0, "Anlage.005", "@TP21", "Zeile 21"},  // numbered record 1, line 1
        {0, "Anlage.005", "[@C1AB  ]", "[offen]"},
        {2, "Anlage.005", "[@C1CD  ]", "[no]"},
        {0, "Anlage.001", "@T1", "Grundtitel"},
        {2, "Anlage.001", "@T1", "Title line 1"},
    };
    for (const auto& f : faelle) {
        SprSetzen(f.sprache);
        ZeiAktVergessen();
        ZeiAktSetzen(pfad(f.zeichnung).c_str());
        EXPECT_EQ(ersetzt(f.text), f.wert) << f.text;
    }
}

TEST_F(ProjDienstTest, FolderFromACaseBlindDiskOpensAndIsSavedInPlace)
{
    kopieren("titel/Projekt.zvk", "projekt.zvk");
    kopieren("titel/Texte.zvk", "TEXTE.ZVK");
    kopieren("titel/Checkliste1.zvk", "CHECKLISTE1.ZVK");
    projekttext t;
    UtitelProjektText(&t);
    EXPECT_STREQ(t.titel, "Schaltanlage Nord");
    SprSetzen(2);
    char x[FSTXTEXTSUP + 1];
    FstxTitelText("Anlage.001", 0, x);
    EXPECT_STREQ(x, "Title line 0");
    char c[CHKTEXTSUP + 1];
    ChkTextVariable("@C1AB", c);
    EXPECT_STREQ(c, "open (en)");
    SprSetzen(0);
    ChkTextVariable("@C1AB", c);
    EXPECT_STREQ(c, "offen");

    SprSetzen(0);
    std::snprintf(t.titel, sizeof t.titel, "Neu");
    ASSERT_EQ(UtitelProjektSetzen(&t), 0);
    ASSERT_EQ(UtitelBeenden(1), 0);
    ASSERT_EQ(FstxTitelSetzenSprache("Anlage.001", 0, 2, "New line 0"), 0);
    ASSERT_EQ(FstxBeenden(1), 0);
    ChkTextSetzen(0, "AB", "zu");
    ASSERT_EQ(ChkListeSchreiben(0), 0);
    EXPECT_EQ(namen(), (std::set<std::string>{"projekt.zvk", "TEXTE.ZVK", "CHECKLISTE1.ZVK"}));
    EXPECT_NE(lesen(pfad("projekt.zvk")).find("___\x1cNeu\x1c"), std::string::npos);
    EXPECT_NE(lesen(pfad("TEXTE.ZVK")).find("New line 0"), std::string::npos);
    EXPECT_NE(lesen(pfad("CHECKLISTE1.ZVK")).find("0\tAB\tzu"), std::string::npos);
}

}  // namespace
