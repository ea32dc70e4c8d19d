// Numbered texts, dialog texts, language and norm selection, test options.
#include "config/reaktion.h"

#include <filesystem>
#include <fstream>

#include "config/skript.h"
#include "config/textring.h"
#include "config/vorgaben.h"
#include "konftest.h"
#include "platform/fehlersim.h"
#include "platform/orte.h"
#include "platform/ressource.h"
#include "support/basistest.h"
#include "support/speicher.h"

namespace {

using konftest::fake;

class Reaktion : public konftest::KonfTest {
protected:
    void SetUp() override
    {
        KonfTest::SetUp();
        SprZuruecksetzen();
        ordner("prj");
        ordner("prog");
        VerSetzen(1, pfad("prj").c_str());
        VerSetzen(0, pfad("prog").c_str());
    }
    void TearDown() override
    {
        const char* arg[] = {"velmo"};
        plOrtArgumenteSetzen(1, arg);
        SprZuruecksetzen();
        KonfTest::TearDown();
    }
    void argumente(std::vector<const char*> w)
    {
        w.insert(w.begin(), "velmo");
        plOrtArgumenteSetzen(static_cast<int>(w.size()), w.data());
    }
};

TEST_F(Reaktion, NumberedTexts)
{
    EXPECT_STREQ(TextNr(4711), "Text 4711 fehlt.");
    EXPECT_STREQ(TextNr(161), "(Bauteile)");
    EXPECT_STREQ(TextNr1000(-839), "(Bauteile)");  // 161 = -839 + 1000
    char b[8];
    TextNrKopie(160, b, sizeof b);
    EXPECT_STREQ(b, "(Progra");  // cut to the caller's buffer

    const char* erster = TextNr(1);
    std::string inhalt = erster;
    const char* p[10];
    for (int i = 0; i < 9; ++i) p[i] = TextNr(160);
    EXPECT_NE(p[8], erster);
    EXPECT_STREQ(erster, inhalt.c_str());   // ten texts in use, the first untouched
    EXPECT_EQ(TextNr(162), erster);         // the eleventh reuses the first buffer
    EXPECT_STREQ(erster, "(Vorgaben)");

    std::string lang(600, 'x');
    const char* r = TextRing("Text", 0, lang.c_str());
    EXPECT_EQ(std::strlen(r), 500u);
}

TEST_F(Reaktion, DialogTextLines)
{
    struct Fall {
        const char* wie;
        const char* text;
        const char* schluessel;
        int treffer;
        const char* aus;
    };
    const Fall faelle[] = {
        {"first of two equal keys", "A eins\nB  zwei \nb drei\n", "B", 1, "zwei"},
        {"key ignores case", "KeineASW Diese Auswertung ist nicht definiert.\n", "keineasw", 1,
         "Diese Auswertung ist nicht definiert."},
        {"unterminated last line", "A eins\nLetzt  am Ende ", "Letzt", 1, "am Ende"},
        {"leading blanks", "   X   y\n", "X", 1, "y"},
        {"missing", "A eins\n", "Z", 0, ""},
        {"part of a word", "AB eins\n", "A", 0, ""},
    };
    for (const auto& f : faelle) {
        char aus[DLGTEXTSUP + 1] = "alt";
        EXPECT_EQ(SkriptZeile(f.text, f.schluessel, aus, sizeof aus), f.treffer) << f.wie;
        EXPECT_STREQ(aus, f.aus) << f.wie;
    }
}

TEST_F(Reaktion, DialogTextResourceOfTheDialogsModule)
{
    HMODULE m = LoadLibrary("eddb00.dll");
    ASSERT_NE(m, 0u);
    fake().modul = m;
    fake().name = "EdTest";
    EXPECT_STREQ(DlgText("Leer"), "Keine Eintr\xE4ge vorhanden.");
    EXPECT_STREQ(DlgText("zwei"), "Zeile eins\r\nZeile zwei");
    EXPECT_STREQ(DlgText("Fehlt"), "");
    EXPECT_STREQ(SkriptText("Nix_TEXT", "Leer"), "");
    char* block = SkriptLaden("EdTest_TEXT");
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[SKRIPTSUP - 1], '\0');
    ffree(block);
    EXPECT_EQ(SkriptLaden("Nix_TEXT"), nullptr);
    block = SkriptLaden("Gross_TEXT");  // 13500 bytes: 9999 kept, the terminator stays
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::strlen(block), static_cast<size_t>(SKRIPTSUP - 1));
    ffree(block);

    fake().modul = 0;  // no module for the dialog: the assertion of "skript"
    AssertWirft wirft;
    try {
        SkriptLaden("EdTest_TEXT");
        ADD_FAILURE() << "no assertion";
    } catch (const AssertAusnahme& a) {
        EXPECT_EQ(a.datei, "skript");
        EXPECT_EQ(a.zeile, 30);
    }
    FreeLibrary(m);
}

// Every reader of "Sprache.txt" takes it from here: the user's copy before
// the program folder's, ten lines of at most 78 characters, nothing of a
// file read short.
TEST_F(Reaktion, LanguageFileOneReader)
{
    std::string lang = "7 " + std::string(100, 'L');
    std::string datei11;
    for (int i = 0; i < 11; ++i) datei11 += std::to_string(i % 10) + " N" + std::to_string(i) + "\r\n";
    datei("prog/Sprache.txt", "0 Deutsch\n3 English\n" + lang + "\n");
    std::vector<SprZeile> z;
    std::string p;
    ASSERT_EQ(SprDateiLesen(&z, &p), 0);
    EXPECT_EQ(p, pfad("prog") + "/Sprache.txt");
    ASSERT_EQ(z.size(), 3u);
    EXPECT_EQ(z[1].nummer, 3);
    EXPECT_EQ(z[1].name, "English");
    EXPECT_EQ(z[2].text.size(), 78u);
    EXPECT_EQ(z[2].name, std::string(76, 'L'));

    // The names saved in the dialog are the ones the title shows.
    const std::string eigen = SprDateiEigen();
    std::filesystem::create_directories(std::filesystem::path(eigen).parent_path());
    { std::ofstream(eigen, std::ios::binary) << datei11; }
    ASSERT_EQ(SprDateiLesen(&z, &p), 0);
    EXPECT_EQ(p, eigen);
    ASSERT_EQ(z.size(), 10u);
    EXPECT_EQ(z[3].text, "3 N3");
    SprSetzen(3);
    char n[80];
    SprName(n, sizeof n);
    EXPECT_STREQ(n, "N3");

    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 1, true);
        EXPECT_EQ(SprDateiLesen(&z, &p), -2);
        EXPECT_TRUE(z.empty());
    }
    std::filesystem::remove(eigen);
    std::filesystem::remove(pfad("prog") + "/Sprache.txt");
    EXPECT_EQ(SprDateiLesen(&z, &p), -1);
    EXPECT_TRUE(z.empty());
}

TEST_F(Reaktion, LanguageAndNormSelection)
{
    datei("prog/Sprache.txt", "0 Deutsch\n3 English\n12Zw\n");
    SprSetzen(12);
    EXPECT_EQ(SprNummer(), 9);
    char n[80];
    SprName(n, sizeof n);
    EXPECT_STREQ(n, "Sprache 9");
    SprSetzen(3);
    SprName(n, sizeof n);
    EXPECT_STREQ(n, "English");
    SprTitel();
    EXPECT_EQ(fake().titel, "Titel - English");

    argumente({"-S=3", "-x", "-s=5"});
    SprOption();
    EXPECT_EQ(SprNummer(), 5);
    SprZuruecksetzen();
    argumente({});
    SprOption();  // no "-S=": the explicit language becomes 0
    EXPECT_EQ(SprNummer(), 0);

    BMNormSetzen(-3);
    EXPECT_EQ(BMNorm(), 0);
    BMNormSetzen(7);
    EXPECT_EQ(BMNorm(), 1);
    char nn[40];
    BMNormName(5, nn, sizeof nn);
    EXPECT_STREQ(nn, "DIN/ISO EN/IEC 81346");
    BMNormName(0, nn, sizeof nn);
    EXPECT_STREQ(nn, "DIN 40719");
    argumente({"-N=0", "-n=1", "-N=0"});
    BMNormOption();
    EXPECT_EQ(BMNorm(), 0);

    argumente({"-T=IAB", "-t=xyz"});
    TestOptionLesen();
    EXPECT_EQ(TestOption('y'), 1);
    EXPECT_EQ(TestOption('I'), 0);
    EXPECT_EQ(imin(3, -2), -2);
    EXPECT_EQ(imax(3, -2), 3);
}

TEST_F(Reaktion, DefaultsLanguageCountsOnlyBeforeStartUp)
{
    datei("prj/Standard.vgb", "SprPrj 4\nBMnorm 1\n");
    VgbSetWaehlen("Standard");
    SprLaden();
    EXPECT_EQ(SprNummer(), 4);
    BMNormLaden();
    EXPECT_EQ(BMNorm(), 1);
    argumente({});
    SprOption();
    EXPECT_EQ(SprNummer(), 0);
}

TEST_F(Reaktion, FileNamesByKind)
{
    datei("prj/Standard.vgb", "SprTD TEXTE_?.TXT\nSPSTxtDat0 SPS0.TXT weiter\nSPSTxtDat1 SPS1.TXT\n"
                              "SPSTxtSpr0 SPSA?.TXT\nSPSTxtSpr1 SPSB?.TXT\n");
    VgbSetWaehlen("Standard");
    SprLaden();
    struct Fall {
        int art;
        const char* sprache0;
        const char* sprache3;
    };
    const Fall faelle[] = {
        {0, "TEXTE.TXT", "TEXTE_3.TXT"}, {1, "TEXTE.TXT", "TEXTE_3.TXT"}, {2, "TEXTE.TXT", "TEXTE_3.TXT"},
        {3, "SPS0.TXT", "SPSA3.TXT"},    {4, "SPS0.TXT", "SPSA3.TXT"},    {5, "SPS1.TXT", "SPSB3.TXT"},
        {6, "SPS1.TXT", "SPSB3.TXT"},    {7, "TEXTE.TXT", "TEXTE_3.TXT"},
    };
    for (const auto& f : faelle) {
        char b[120];
        SprTextDateiNr(b, sizeof b, 0, f.art);
        EXPECT_STREQ(b, f.sprache0) << f.art;
        SprTextDateiNr(b, sizeof b, 3, f.art);
        EXPECT_STREQ(b, f.sprache3) << f.art;
    }
    struct Art {
        const char* name;
        int art;
    };
    const Art arten[] = {
        {"texte.txt", 1}, {"/x/TEXTE_7.TXT", 2}, {"sps0.txt", 3}, {"C:\\d\\SPSA2.TXT zusatz", 4},
        {"SPS1.TXT", 5},  {"spsb9.txt", 6},      {"andere.txt", 0}, {"TEXTE_77.TXT", 0},
    };
    for (const auto& a : arten) EXPECT_EQ(SprTextDateiArt(a.name), a.art) << a.name;
}

TEST_F(Reaktion, TextNeutral)
{
    datei("prj/Standard.vgb", "SprTD SPRACHE?.TXT\n");
    VgbSetWaehlen("Standard");
    SprLaden();
    struct Fall {
        int code;
        const char* text;
        int ergebnis;
        const char* danach;
    };
    const Fall faelle[] = {
        {'$', "SPRACHE3.TXT", 1, "SPRACHE0.TXT"},
        {'$', "sprache.txt", 1, "sprache0.txt"},          // '.' at the position: "0" inserted
        {'$', "texte/SPRACHE5.TXT", 1, "texte/SPRACHE0.TXT"},  // counted in the file-name part
        {'$', "ANDERS.TXT", 0, "ANDERS.TXT"},
        {'T', "SPRACHE3.TXT", 0, "SPRACHE3.TXT"},
    };
    for (const auto& f : faelle) {
        char t[80];
        std::snprintf(t, sizeof t, "%s", f.text);
        EXPECT_EQ(SprTextNeutral(f.code, t, sizeof t), f.ergebnis) << f.text;
        EXPECT_STREQ(t, f.danach) << f.text;
    }
}

TEST_F(Reaktion, LanguageRenameCountsOnlyChangedTexts)
{
    datei("prj/Standard.vgb", "SprTD SPRACHE?.TXT\n");
    VgbSetWaehlen("Standard");
    SprLaden();
    struct Fall {
        int code;
        const char* text;
        size_t groesse;
        int geaendert;
        const char* danach;
    };
    const Fall faelle[] = {
        {'$', "SPRACHE3.TXT", 80, 1, "SPRACHE0.TXT"},
        {'$', "SPRACHE0.TXT", 80, 0, "SPRACHE0.TXT"},      // already the language-0 name
        {'$', "sprache.txt", 80, 1, "sprache0.txt"},
        {'$', "sprache.txt", 12, 0, "sprache.txt"},        // no room for the "0": unchanged
        {'$', "ANDERS.TXT", 80, 0, "ANDERS.TXT"},
        {'T', "SPRACHE3.TXT", 80, 0, "SPRACHE3.TXT"},
    };
    for (const auto& f : faelle) {
        char t[80];
        std::snprintf(t, sizeof t, "%s", f.text);
        EXPECT_EQ(SprDateiUmbenennen(f.code, t, f.groesse), f.geaendert) << f.text;
        EXPECT_STREQ(t, f.danach) << f.text;
    }
}

}  // namespace
