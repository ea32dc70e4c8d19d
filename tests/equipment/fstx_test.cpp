// Project texts by language: storing and deleting, drawing renames, base
// text changes, merging, the file layout and its write failures.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/fehlersim.h"
#include "projtest.h"

using namespace projtest;

namespace {

class FstxTest : public ProjTest {};

std::string holen(const char* art, const char* kenn, int sprache)
{
    char t[FSTXTEXTSUP + 1];
    FstxHolen(art, kenn, sprache, t);
    return t;
}

std::vector<std::string> schluessel()
{
    std::vector<std::string> k;
    FSTX s;
    for (int i = 0; FstxEintrag(i, &s); ++i) k.push_back(std::string(s.art) + ":" + s.kenn + ":" + std::to_string(s.sprache));
    return k;
}

TEST_F(FstxTest, FixtureIsReadAndWrittenBackByteForByte)
{
    kopieren("titel/Texte.zvk");
    SprSetzen(2);
    char t[FSTXTEXTSUP + 1];
    FstxTitelText("Anlage.001", 1, t);
    EXPECT_STREQ(t, "Title line 1");
    FstxCText(0, "AB", t);
    EXPECT_STREQ(t, "open (en)");
    char g[FSTXTEXTSUP + 1] = "Motor";
    FstxGTextUebersetzen(1, "H", 0, 1, g, sizeof g);
    EXPECT_STREQ(g, "Motor (en)");
    ASSERT_EQ(FstxSchreiben(), 0);
    EXPECT_EQ(lesen(pfad("Texte.zvk")), lesen(fixture("titel/Texte.zvk")));
}

TEST_F(FstxTest, ARecordTwiceInAFileIsHeldOnceTheLaterStanding)
{
    schreiben(pfad("Texte.zvk"), "zvkT\n)S FSText\nS\x1c" "001-0\x1c" "2\x1c" "erst\x1c\nS\x1c" "001-0\x1c" "2\x1c" "dann\x1c\n)E\n");
    ASSERT_EQ(FstxLesen(), 0);
    EXPECT_EQ(schluessel(), std::vector<std::string>{"S:001-0:2"});
    EXPECT_EQ(holen("S", "001-0", 2), "dann");
}

TEST_F(FstxTest, LanguageZeroStoresNothingAndBlankDeletes)
{
    EXPECT_EQ(FstxTitelSetzen("Anlage.001", 1, "Titel"), 0);
    EXPECT_EQ(FstxGTextSetzen(1, "H", 0, 1, "Text"), 0);
    EXPECT_EQ(FstxSetzen("S", "001-1", 0, "Text"), -1);
    EXPECT_EQ(FstxAnzahl(), 0);
    EXPECT_EQ(FstxGeaendert(), 0);

    SprSetzen(2);
    ASSERT_EQ(FstxTitelSetzen("Anlage.001", 1, "Title"), 0);
    EXPECT_EQ(holen("S", "001-1", 2), "Title");
    ASSERT_EQ(FstxTitelSetzen("Anlage.001", 1, "   "), 0);
    EXPECT_EQ(FstxAnzahl(), 0);
    SprSetzen(0);
    char t[FSTXTEXTSUP + 1] = "x";
    FstxTitelText("Anlage.001", 1, t);
    EXPECT_STREQ(t, "");
}

TEST_F(FstxTest, OverlongFieldsAreCutOnReadingAndSetting)
{
    schreiben(pfad("Texte.zvk"), "zvkT\n)S FSText\n" + felder({"SSSS", std::string(30, 'k'), "3", std::string(100, 't')}) +
                                     "\n)E\n");
    FSTX s;
    ASSERT_EQ(FstxEintrag(0, &s), 1);
    EXPECT_STREQ(s.art, "SSS");
    EXPECT_EQ(std::string(s.kenn), std::string(FSTXKENNSUP, 'k'));
    EXPECT_EQ(s.sprache, 3);
    EXPECT_EQ(std::string(s.text), std::string(FSTXTEXTSUP, 't'));
    ASSERT_EQ(FstxSetzen("Z", std::string(40, 'z').c_str(), 1, std::string(90, 'u').c_str()), 0);
    EXPECT_EQ(holen("Z", std::string(FSTXKENNSUP, 'z').c_str(), 1), std::string(FSTXTEXTSUP, 'u'));
}

TEST_F(FstxTest, RenamingADrawingLeavesLongerKeysAlone)
{
    for (const char* k : {"001-3", "001-10", "0011-3", "A-001-2", "1-3"}) FstxSetzen("S", k, 2, k);
    FstxSetzen("S", "002-3", 4, "schon da");
    FstxZeichnungUmbenennen("001", "002");
    EXPECT_EQ(holen("S", "002-3", 2), "001-3");
    EXPECT_EQ(holen("S", "002-10", 2), "001-10");
    EXPECT_EQ(holen("S", "0011-3", 2), "0011-3");
    EXPECT_EQ(holen("S", "001-3", 2), "");
    EXPECT_EQ(holen("S", "002-3", 4), "schon da");
    FstxZeichnungUmbenennen("a-001", "B-7");
    EXPECT_EQ(holen("S", "B-7-2", 2), "A-001-2");

    FstxZeichnungLoeschen("Anlage.002");
    EXPECT_EQ((std::vector<std::string>{"S:0011-3:2", "S:1-3:2", "S:B-7-2:2"}), schluessel());
}

TEST_F(FstxTest, BaseTextChangeMovesEqualTranslationsAndMarksOthersOnce)
{
    const std::string lang(FSTXTEXTSUP, 'l');
    FstxGTextSetzenSprache(1, "H", 0, 1, 2, "Motor");
    FstxGTextSetzenSprache(1, "H", 0, 1, 3, "engine");
    FstxGTextSetzenSprache(1, "H", 0, 1, 4, lang.c_str());
    FstxGTextSetzenSprache(1, "H", 0, 10, 2, "Zeile 10");

    FstxGBasisGeaendert(1, "H", 0, 1, "Motor", "Antrieb");
    EXPECT_EQ(holen("G", "0001-H-0-1", 2), "Antrieb");
    EXPECT_EQ(holen("G", "0001-H-0-1", 3), "engine\x04S");
    EXPECT_EQ(holen("G", "0001-H-0-1", 4), lang.substr(0, FSTXTEXTSUP - 2) + "\x04S");
    FstxGBasisGeaendert(1, "H", 0, 1, "Antrieb", "Pumpe");
    EXPECT_EQ(holen("G", "0001-H-0-1", 3), "engine\x04S");
    EXPECT_EQ(holen("G", "0001-H-0-1", 2), "Pumpe");

    // Blanking line 1 deletes line 1 in every language, and only line 1.
    FstxGBasisGeaendert(1, "H", 0, 1, "Pumpe", " ");
    EXPECT_EQ((std::vector<std::string>{"G:0001-H-0-10:2"}), schluessel());
}

TEST_F(FstxTest, ComponentKeysAreRekeyedDeletedAndWalked)
{
    SprSetzen(0);  // translations follow their component whatever is shown
    FstxGTextSetzenSprache(0x12, "U", 1, 0, 2, "a");
    FstxGTextSetzenSprache(0x12, "U", 1, 1, 2, "b");
    FstxGTextSetzenSprache(0x12, "U", 11, 0, 2, "c");
    FstxZTextSetzenSprache(0x12, "U", 1, 0, 2, "z");
    FstxGUmschluesseln(0x12, "U", 1, "U", 2);
    EXPECT_EQ((std::vector<std::string>{"G:0012-U-11-0:2", "G:0012-U-2-0:2", "G:0012-U-2-1:2", "Z:0012-U-1-0:2"}),
              schluessel());
    EXPECT_EQ(FstxSchluesselNr("0012-U-2-1"), 1);
    int n = 0;
    FstxGDurchlaufen(0x12, "U", 2, [](const char*, int, const char*, void* b) { ++*static_cast<int*>(b); }, &n);
    EXPECT_EQ(n, 2);
    FstxGBauteilLoeschen(0x12, "U", 2);
    FstxZItemLoeschen(0x12);
    EXPECT_EQ((std::vector<std::string>{"G:0012-U-11-0:2"}), schluessel());
}

TEST_F(FstxTest, MergingMapsIdsReplacesEqualKeysAndWarnsOfUnknownKinds)
{
    schreiben(pfad("fremd.zvk"), "zvkT\n)S FSText\n" + felder({"G", "0001-H-0-1", "2", "merged"}) + "\n" +
                                     felder({"C", "0-AB", "2", "check"}) + "\n" + felder({"Q", "x", "2", "odd"}) +
                                     "\n" + felder({"S", "001-1", "2", "title"}) + "\n)E\n");
    SprSetzen(2);
    const auto abbildung = [](uint32_t id, void*) -> uint32_t { return id + 0x100; };
    for (int mal = 0; mal < 2; ++mal) {
        ASSERT_EQ(FstxMergeDatei(pfad("fremd.zvk").c_str(), abbildung, nullptr), 0);
        EXPECT_EQ((std::vector<std::string>{"C:0-AB:2", "G:0101-H-0-1:2", "Q:x:2", "S:001-1:2"}), schluessel());
    }
    EXPECT_EQ(warnungen(), (std::vector<std::string>{"FstxMergeDatei() Q", "FstxMergeDatei() Q"}));
    EXPECT_EQ(FstxGeaendert(), 0);  // written
    EXPECT_NE(lesen(pfad("Texte.zvk")).find("G\x1c" "0101-H-0-1\x1c" "2\x1cmerged\x1c\n"), std::string::npos);

    // Both first lines must be exact.
    schreiben(pfad("falsch.zvk"), "zvkT\n)S Texte\n" + felder({"S", "009-1", "2", "nein"}) + "\n)E\n");
    ASSERT_EQ(FstxMergeDatei(pfad("falsch.zvk").c_str(), abbildung, nullptr), 0);
    EXPECT_EQ(holen("S", "009-1", 2), "");
}

TEST_F(FstxTest, WriteFailuresKeepTheFileAndTheChange)
{
    kopieren("titel/Texte.zvk");
    const std::string vorher = lesen(pfad("Texte.zvk"));
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        ASSERT_EQ(FstxSetzen("S", "005-0", 3, "neu"), 0);
        {
            PlFehlerScope scope;
            plFehlerSetzen(art, 1);
            EXPECT_EQ(FstxBeenden(1), -1) << static_cast<int>(art);
        }
        EXPECT_EQ(lesen(pfad("Texte.zvk")), vorher);
        EXPECT_EQ(FstxGeaendert(), 1);
        EXPECT_EQ(holen("S", "005-0", 3), "neu");
        EXPECT_EQ(namen(), (std::set<std::string>{"Texte.zvk"}));
    }
    ASSERT_EQ(FstxBeenden(1), 0);
    EXPECT_NE(lesen(pfad("Texte.zvk")), vorher);
}

TEST_F(FstxTest, AFileReadShortIsWarnedAndNotWrittenOver)
{
    // More than one block, so that the fault can hit the middle of the file.
    std::string inhalt = "zvkT\n)S FSText\n";
    for (int i = 0; i < 300; ++i) inhalt += felder({"S", std::to_string(100 + i) + "-1", "2", "Titel"}) + "\n";
    inhalt += ")E\n";
    ASSERT_GT(inhalt.size(), 2 * 2048u);
    schreiben(pfad("Texte.zvk"), inhalt);
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 2, true);
        EXPECT_EQ(FstxAnzahl(), 0);
        ASSERT_FALSE(warnungen().empty());
        EXPECT_EQ(warnungen().front(), "Kann " + pfad("Texte.zvk") + " nicht lesen.");
        ASSERT_EQ(FstxSetzen("S", "005-0", 3, "neu"), 0);
        EXPECT_EQ(FstxBeenden(1), -1);
        EXPECT_EQ(lesen(pfad("Texte.zvk")), inhalt);

        // A merge whose source is read short merges nothing.
        schreiben(pfad("fremd.zvk"), inhalt);
        warnungen().clear();
        EXPECT_EQ(FstxMergeDatei(pfad("fremd.zvk").c_str(), nullptr, nullptr), -1);
        EXPECT_EQ(warnungen().back(), "Kann " + pfad("fremd.zvk") + " nicht lesen.");
        EXPECT_EQ(lesen(pfad("Texte.zvk")), inhalt);
    }
    // Readable again: the next access reads the whole file.
    EXPECT_EQ(FstxAnzahl(), 300);
}

TEST_F(FstxTest, NothingActsBeforeTheListIsSetUp)
{
    kopieren("titel/Texte.zvk");
    FstxFrei();
    EXPECT_EQ(FstxSetzen("S", "001-1", 2, "x"), -1);
    EXPECT_EQ(holen("S", "001-1", 2), "");
    EXPECT_EQ(FstxSchreiben(), -1);
    EXPECT_EQ(lesen(pfad("Texte.zvk")), lesen(fixture("titel/Texte.zvk")));
    FstxInit();
}

}  // namespace
