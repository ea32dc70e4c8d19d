// Section text files, whole-file loading, temporary names and record lines:
// the section cases, the store's life cycle, allocation failures with their
// fixed assertion lines, and the bounds of texts in memory and of record
// lines.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fehlersim.h"
#include "platform/orte.h"
#include "support/basistest.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/fileload.h"
#include "support/pfade.h"
#include "support/seite.h"
#include "support/speicher.h"

namespace {

const std::string abschnitte = std::string(VELMO_TEST_DATA) + "/support/abschnitte.zvk";

// The text in a heap block of exactly its length (no terminator), so that
// AddressSanitizer sees every byte read or written past it.
std::string ausspeicher(const std::string& text, const char* name)
{
    std::unique_ptr<char[]> genau(new char[text.size() > 0 ? text.size() : 1]);
    std::memcpy(genau.get(), text.data(), text.size());
    char* block = seiteausspeicher(genau.get(), static_cast<long>(text.size()), name);
    std::string ergebnis = block;
    ffree(block);
    return ergebnis;
}

std::vector<std::string> gesammelt;
void sammeln(const char* name)
{
    gesammelt.push_back(name);
}

std::string zeilenBisKlammer(BDAT* d)
{
    std::string s;
    char zeile[SEITEZEILESUP + 1];
    while (bdgets(d, zeile, SEITEZEILESUP) >= 0 && zeile[0] != ')') {
        s += zeile;
        s += '|';
    }
    return s;
}

}  // namespace

TEST(Seite, SectionsOfATextInMemory)
{
    const std::string datei = "zvkA\n)S  btl   \nzeile 1\r\nzeile 2\n)S Leer\n)S Titel\nt1\n)E\n";
    const std::string lang(1500, 'x');
    struct {
        const char* fall;
        std::string text;
        const char* name;
        std::string erwartet;
    } faelle[] = {
        {"lower-case name with blanks", datei, "BTL", "zeile 1\nzeile 2\n"},
        {"empty section", datei, "Leer", ""},
        {"last section before )E", datei, "titel", "t1\n"},
        {"missing section", datei, "Btl2", ""},
        {"no )E, no final line end", "zvkA\n)S A\nx\ny", "A", "x\ny\n"},
        {"first of two equal names", "zvkA\n)S A\n1\n)S a\n2\n)E\n", "A", "1\n"},
        {"line cut at 1000", "zvkA\n)S A\n" + lang + "\nz\n)E\n", "A", lang.substr(0, 1000) + "\nz\n"},
        {"start needs the blank", "zvkA\n)SA\nq\n)S A\nr\n", "A", "r\n"},
        {"Ctrl-Z ends the data", "zvkA\n)S A\nr\n\x1a)S B\ns\n", "B", ""},
    };
    for (auto& f : faelle) {
        EXPECT_EQ(ausspeicher(f.text, f.name), f.erwartet) << f.fall;
    }
}

TEST(Seite, TextsWithoutRoomForATerminatorStayInsideTheirBlock)
{
    // One unterminated line, a start line alone, nothing at all.
    for (const char* text : {"abc", ")S A", ")S A\n", ""}) {
        EXPECT_EQ(ausspeicher(text, "A"), "") << text;
    }
    EXPECT_EQ(ausspeicher(")S A\nb", "A"), "b\n");
    char* leer = seiteausspeicher(nullptr, 0, "A");
    EXPECT_STREQ(leer, "");
    ffree(leer);
}

TEST(Seite, SectionNamesOfATextInMemory)
{
    const char text[] = "zvkP\n)S Titel  \nx\n)S   Kennung\n)SX\n)E\n";
    gesammelt.clear();
    EXPECT_EQ(seitenlisteausspeicher(text, sizeof text - 1, sammeln), 2);
    EXPECT_EQ(gesammelt, (std::vector<std::string>{"Titel", "Kennung"}));
    EXPECT_EQ(seitenlisteausspeicher(text, sizeof text - 1, nullptr), 2);
}

TEST(Seite, StoreSelectsRangesUpToTheirClosingLine)
{
    ASSERT_EQ(seiteladen(abschnitte.c_str()), 0);
    gesammelt.clear();
    EXPECT_EQ(seitenliste(sammeln), 3);
    EXPECT_EQ(gesammelt, (std::vector<std::string>{"btl", "Leer", "Titel"}));

    struct {
        const char* name;
        std::string bereich, inhalt;
    } faelle[] = {
        {"BTL", "zeile 1\r\nzeile 2\n)S Leer\n", "zeile 1|zeile 2|"},
        {"leer", ")S Titel\n", ""},
        {"Titel", "t1\n)E\n", "t1|"},
    };
    for (auto& f : faelle) {
        SCOPED_TRACE(f.name);
        ASSERT_EQ(seitewaehlen(f.name), 0);
        char* kopie = seitekopie();
        EXPECT_EQ(kopie, f.bereich);
        ffree(kopie);
        BDAT d;
        ASSERT_EQ(seiteoeffnen(&d), 0);
        EXPECT_EQ(zeilenBisKlammer(&d), f.inhalt);
    }
    EXPECT_EQ(seitewaehlen("Fehlt"), -1);
    BDAT d;
    EXPECT_EQ(seiteoeffnen(&d), -1);
    EXPECT_EQ(seitekopie(), nullptr);
    seitefrei();
    EXPECT_EQ(seitewaehlen("Titel"), -1);
    EXPECT_EQ(seitenliste(sammeln), 0);
}

TEST(Seite, LastSectionWithoutContentOrEndLineSelectsNothing)
{
    char name[PFADSUP + 1];
    ASSERT_EQ(tempname(name), 0);
    const char text[] = "zvkA\n)S A\nx\n)S B";
    ASSERT_EQ(dateischreiben(name, text, sizeof text - 1), 0);
    ASSERT_EQ(seiteladen(name), 0);
    EXPECT_EQ(seitewaehlen("B"), -1);
    EXPECT_EQ(seitewaehlen("A"), 0);
    char* kopie = seitekopie();
    EXPECT_STREQ(kopie, "x\n)S B");
    ffree(kopie);
    seitefrei();
    dateiloeschen(name);
}

TEST(Seite, LoadingAgainReleasesThePreviousBlock)
{
    int32_t vorher = fmallanzahl();
    ASSERT_EQ(seiteladen(abschnitte.c_str()), 0);
    ASSERT_EQ(seitewaehlen("Titel"), 0);
    ASSERT_EQ(seiteladen(abschnitte.c_str()), 0);
    EXPECT_EQ(seiteoeffnen(nullptr), -1);  // the selection went with the old block
    EXPECT_EQ(seiteladen("/gibt/es/nicht.zvk"), -1);
    EXPECT_EQ(seitenliste(nullptr), 0);
    EXPECT_EQ(fmallanzahl(), vorher);
}

TEST(Seite, WritesTheSelectedRange)
{
    char name[PFADSUP + 1];
    ASSERT_EQ(tempname(name), 0);
    EXPECT_EQ(seiteschreiben(name), -1);
    ASSERT_EQ(seiteladen(abschnitte.c_str()), 0);
    ASSERT_EQ(seitewaehlen("btl"), 0);
    ASSERT_EQ(seiteschreiben(name), 0);
    char* block = nullptr;
    long laenge = 0;
    ASSERT_EQ(dateiladen(name, &block, &laenge), 0);
    EXPECT_EQ(std::string(block, laenge), "zeile 1\r\nzeile 2\n)S Leer\n");
    ffree(block);
    seitefrei();
    dateiloeschen(name);
}

TEST(Seite, AllocationFailuresStopWithTheirFixedLines)
{
    AssertWirft wirft;
    PlFehlerScope fehler;
    ASSERT_EQ(seiteladen(abschnitte.c_str()), 0);
    ASSERT_EQ(seitewaehlen("btl"), 0);
    char* block = nullptr;
    long laenge = 0;
    struct {
        const char* datei;
        int zeile;
        std::function<void()> tat;
    } faelle[] = {
        {"seite", 38, [] { seiteausspeicher("x", 1, "A"); }},
        {"seite", 211, [] { seitekopie(); }},
        {"fileload", 31, [&] { dateiladen(abschnitte.c_str(), &block, &laenge); }},
    };
    for (auto& f : faelle) {
        plFehlerSetzen(PlFehlerArt::Speicher, 1);
        try {
            f.tat();
            ADD_FAILURE() << "no assertion for " << f.datei << "." << f.zeile;
        } catch (const AssertAusnahme& a) {
            EXPECT_EQ(a.datei, f.datei);
            EXPECT_EQ(a.zeile, f.zeile);
        }
        plFehlerAllesAus();
    }
    seitefrei();
}

TEST(Fileload, WholeFilesRoundTripAndFailuresAreReported)
{
    PlFehlerScope fehler;
    char name[PFADSUP + 1];
    ASSERT_EQ(tempname(name), 0);
    const std::string inhalt = std::string("a\0b", 3) + std::string(5000, 'z');
    ASSERT_EQ(dateischreiben(name, inhalt.data(), static_cast<long>(inhalt.size())), 0);
    char* block = nullptr;
    long laenge = -5;
    ASSERT_EQ(dateiladen(name, &block, &laenge), 0);
    EXPECT_EQ(laenge, static_cast<long>(inhalt.size()));
    EXPECT_EQ(std::string(block, laenge), inhalt);
    EXPECT_EQ(block[laenge], 0);
    ffree(block);

    // A failing write leaves the old content.
    plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
    EXPECT_EQ(dateischreiben(name, "neu", 3), -1);
    plFehlerAllesAus();
    EXPECT_EQ(dateilaenge(name), static_cast<long>(inhalt.size()));

    // A read error is no short success.
    plFehlerSetzen(PlFehlerArt::Lesen, 2);
    EXPECT_EQ(dateiladen(name, &block, &laenge), -1);
    EXPECT_EQ(block, nullptr);
    plFehlerAllesAus();

    ASSERT_EQ(dateischreiben(name, "", 0), 0);
    ASSERT_EQ(dateiladen(name, &block, &laenge), 0);
    EXPECT_EQ(laenge, 0);
    EXPECT_STREQ(block, "");
    ffree(block);
    dateiloeschen(name);
    EXPECT_EQ(dateiladen(name, &block, &laenge), -1);
}

TEST(Fileload, TemporaryNamesAreFreshNamesInTheProcessFolder)
{
    char verz[PFADSUP + 1];
    ASSERT_EQ(tempverz(verz), 0);
    std::string ordner = plOrtTemp();
    EXPECT_EQ(std::string(verz), ordner + "/");
    char a[PFADSUP + 1], b[PFADSUP + 1];
    ASSERT_EQ(tempname(a), 0);
    ASSERT_EQ(dateischreiben(a, "x", 1), 0);
    ASSERT_EQ(tempname(b), 0);
    EXPECT_NE(std::string(a), std::string(b));
    EXPECT_EQ(std::string(b).rfind(std::string(verz) + "ORV", 0), 0u) << b;
    EXPECT_EQ(std::string(b).substr(std::strlen(b) - 4), ".TMP");
    EXPECT_EQ(dosattrib(b), DOSATTR_FEHLT);
    char klein[8];
    EXPECT_EQ(tempname(klein), -1);
    EXPECT_STREQ(klein, "");
    dateiloeschen(a);
}

TEST(StrFelder, PackAndUnpackWithNoneOneAndTwentyTexts)
{
    const char* zwanzig[FELDSUP + 1];
    std::string texte[FELDSUP + 1];
    for (int i = 0; i <= FELDSUP; ++i) {
        texte[i] = "t" + std::to_string(i);
        zwanzig[i] = texte[i].c_str();
    }
    std::string fest = std::string("Kopf") + std::string(76, ' ');
    struct {
        int anzahl;
        std::string hinten;
    } faelle[] = {
        {0, ""},
        {1, "t0\t"},
        {FELDSUP, [&] {
             std::string s;
             for (int i = 0; i < FELDSUP; ++i) s += texte[i] + "\t";
             return s;
         }()},
        {FELDSUP + 1, ""},  // the 21st text is dropped: same line as 20
    };
    faelle[3].hinten = faelle[2].hinten;
    for (auto& f : faelle) {
        SCOPED_TRACE(f.anzahl);
        char zeile[400] = "Kopf";
        int n = StrFelderPackenListe(zeile, sizeof zeile, zwanzig, f.anzahl);
        std::string erwartet = fest + "\x1c" + f.hinten;
        EXPECT_EQ(std::string(zeile), erwartet);
        EXPECT_EQ(n, static_cast<int>(erwartet.size()));

        char ziele[FELDSUP + 1][8];
        StrFeld liste[FELDSUP + 1];
        for (int i = 0; i <= FELDSUP; ++i) {
            std::strcpy(ziele[i], "alt");
            liste[i] = StrFeld{ziele[i], sizeof ziele[i]};
        }
        EXPECT_EQ(StrFelderEntpackenListe(zeile, liste, FELDSUP + 1), 1);
        EXPECT_STREQ(zeile, "Kopf");
        for (int i = 0; i < FELDSUP; ++i) {
            EXPECT_EQ(std::string(ziele[i]), i < f.anzahl ? texte[i] : "") << i;
        }
        EXPECT_STREQ(ziele[FELDSUP], "alt");
    }
}

TEST(StrFelder, VariadicFormsCutAtTheirCapacities)
{
    char zeile[120] = "  lang genug, um abgeschnitten zu werden: 0123456789012345678901234567890123456789ENDE";
    StrFelderPacken(zeile, "eins", "", "zweiundzwanzig", nullptr);
    EXPECT_EQ(std::string(zeile).substr(80), "\x1c" "eins\t\tzweiundzwanzig\t");
    EXPECT_EQ(std::string(zeile, 4), "  la");

    char a[3], b[5], c[20];
    char d[20] = "alt";
    char offen[6];
    EXPECT_EQ(StrFelderEntpacken(zeile, a, b, StrFeld{offen, sizeof offen}, d, nullptr), 1);
    EXPECT_STREQ(a, "ei");
    EXPECT_STREQ(b, "");
    EXPECT_STREQ(offen, "zweiu");
    EXPECT_STREQ(d, "");
    (void)c;
    EXPECT_EQ(std::strlen(zeile), 80u);

    // A line buffer smaller than the record line is cut, never overrun.
    char kurz[84] = "abc";
    EXPECT_EQ(StrFelderPacken(kurz, "texte"), 83);
    EXPECT_EQ(std::string(kurz).substr(80), "\x1c" "te");

    // An empty fixed part and a short line give empty results.
    char leer[100] = "   ";
    EXPECT_EQ(StrFelderEntpacken(leer, a, nullptr), 0);
    EXPECT_STREQ(a, "");
}
