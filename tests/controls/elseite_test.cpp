// Sectioned tables on the test dialog: the section file (byte-exact golden,
// read back, the end line), sections derived from names, the record and
// section commands, the clipboard, and the mended limits of cut, paste and
// deleting every section.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "controls/elseite.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "tests/controls/ctlh3_pruef.h"
#include "tests/controls/els_pruef.h"
#include "winlib/dlgitem.h"

namespace {

using h3::LISTE;
using h3::SEITEN;

struct Satz {
    ElsKopf kopf;
    char text[220];
    int wert;
};

int lesen(void* p, const char* zeile)
{
    Satz* s = static_cast<Satz*>(p);
    if (zeile[0] == ')' && zeile[1] == 'S') {
        const char* n = zeile + 2;
        while (*n == ' ') ++n;
        std::memset(s->kopf.name, 0, sizeof s->kopf.name);
        strkopie(s->kopf.name, sizeof s->kopf.name, n, 40);
        return 2;
    }
    const char* strich = std::strchr(zeile, '|');
    if (strich) {
        // "name|text...": a line that names its own section.
        std::memset(s->kopf.name, 0, sizeof s->kopf.name);
        strkopie(s->kopf.name, sizeof s->kopf.name, zeile, static_cast<int>(strich - zeile));
        zeile = strich + 1;
    }
    const char* fs = std::strchr(zeile, 0x1C);
    if (!fs) fs = std::strchr(zeile, ';');
    if (std::strcmp(zeile, "STOP") == 0) return 0;
    int n = fs ? static_cast<int>(fs - zeile) : static_cast<int>(std::strlen(zeile));
    strkopie(s->text, sizeof s->text, zeile, n);
    s->wert = fs ? std::atoi(fs + 1) : 0;
    return 1;
}

void format(const void* p, char* zeile, int groesse)
{
    const Satz* s = static_cast<const Satz*>(p);
    std::snprintf(zeile, static_cast<size_t>(groesse), "%s\x1c%d", s->text, s->wert);
}

void init(void* p)
{
    Satz* s = static_cast<Satz*>(p);
    std::snprintf(s->text, sizeof s->text, "neu");
    s->wert = 1;
}

void leer(void* p)
{
    Satz* s = static_cast<Satz*>(p);
    std::memset(s->text, 0, sizeof s->text);
    s->wert = 0;
}

void malen(int) {}

std::string tmpDatei(const char* name)
{
    return std::string("/tmp/velmo_h3_") + std::to_string(::getpid()) + "_" + name;
}

std::string lies(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

class Tabelle : public els::Fixture<ElsBefehl> {
public:
    bool angelegt = false;

    void SetUp() override
    {
        h3::Fixture::SetUp();
        h3::weiter = [](UINT m, WPARAM wp, LPARAM lp) {
            LisNachricht(SEITEN, m, wp, lp);
            LisNachricht(LISTE, m, wp, lp);
            if (m == WM_COMMAND && wp >= 2550 && wp <= 2564) ElsBefehl(LISTE, static_cast<int>(wp));
        };
        ElsAnlegen(LISTE, sizeof(Satz), lesen, format, init, leer, "");
        angelegt = true;
    }
    void TearDown() override
    {
        h3::weiter = nullptr;
        if (angelegt) ElsFreigeben(LISTE);
        h3::Fixture::TearDown();
    }

    void satz(const char* seite, const char* text, int wert)
    {
        Satz s{};
        strkopie(s.kopf.name, sizeof s.kopf.name, seite, 40);
        strkopie(s.text, sizeof s.text, text, 200);
        s.wert = wert;
        saanhaengen(ElsSatzFeld(LISTE), &s);
    }
    void zeigen()
    {
        ElsAufbauen(LISTE, nullptr, nullptr, malen, h3::ereignisRecorder);
        ElsNeuZeigen(LISTE);
    }
    const Satz* nr(int i) { return static_cast<const Satz*>(ElsSatz(LISTE, i)); }
    std::string texte()
    {
        std::string t;
        for (int i = 0; i < ElsAnzahl(LISTE); ++i) {
            t += std::string(nr(i)->kopf.name) + ":" + nr(i)->text + " ";
        }
        return t;
    }
};

TEST_F(Tabelle, FileOfTwoSectionsMatchesItsGoldenAndReadsBack)
{
    satz("", "ohne Seite", 1);
    satz("Erste", "a", 2);
    satz("erste", "b", 3);  // equal ignoring case: the same section
    satz("Zweite", "c", 4);
    const std::string pfad = tmpDatei("zwei.txt");
    ASSERT_EQ(ElsSchreiben(LISTE, pfad.c_str()), 0);
    EXPECT_EQ(lies(pfad), lies(std::string(VELMO_TEST_DATA) + "/controls/els_zwei_seiten.txt"));

    ElsLesen(LISTE, pfad.c_str());
    zeigen();
    EXPECT_EQ(texte(), ":ohne Seite Erste:a Erste:b Zweite:c ");
    EXPECT_EQ(ElsSeitenAnzahl(LISTE), 3);
    std::remove(pfad.c_str());
}

TEST_F(Tabelle, ReadingStopsAtAnEndLineAndAMissingFileGivesOneFreshRecord)
{
    const std::string pfad = tmpDatei("ende.txt");
    {
        std::ofstream f(pfad, std::ios::binary);
        f << ")S Eins\r\nx;1\r\n)I Info\r\ny;2\r\n)E\r\nz;3\r\n";
    }
    ElsLesen(LISTE, pfad.c_str());
    EXPECT_EQ(ElsAnzahl(LISTE), 3) << "')I' reaches the parse callback and makes a record here";
    EXPECT_STREQ(nr(1)->kopf.name, "Eins") << "the work record carries over between lines";
    std::remove(pfad.c_str());

    ElsLesen(LISTE, "/tmp/velmo_h3_gibt_es_nicht.txt");
    ASSERT_EQ(ElsAnzahl(LISTE), 1);
    EXPECT_STREQ(nr(0)->text, "neu");
}

TEST_F(Tabelle, SectionsAndRecordCommands)
{
    satz("A", "a1", 1);
    satz("A", "a2", 2);
    satz("A", "a3", 3);
    satz("B", "b1", 4);
    zeigen();
    ASSERT_EQ(ElsSeitenAnzahl(LISTE), 2);
    EXPECT_EQ(ElsSeiteAnzahl(LISTE), 3);

    // Two new sections in a row are both named "?": they merge.
    befehl(2560);
    befehl(2560);
    EXPECT_EQ(texte(), "?: ?: A:a1 A:a2 A:a3 B:b1 ");
    EXPECT_EQ(ElsSeitenAnzahl(LISTE), 3);

    // Deleting 3 of 3 rows leaves one blanked record.
    LisNachricht(SEITEN, WM_COMMAND, SEITEN, ('D' << 16) | 1);  // Down: event 1 selects section A
    ASSERT_EQ(ElsSeiteAnzahl(LISTE), 3);
    LisAlleMarkieren(LISTE);
    befehl(2551);
    EXPECT_EQ(ElsSeiteAnzahl(LISTE), 1);
    EXPECT_EQ(texte(), "?: ?: A: B:b1 ");
    EXPECT_EQ(ElsGeaendert(LISTE), 1);

    // New below on the last record of the table appends and moves the cursor.
    LisNachricht(SEITEN, WM_COMMAND, SEITEN, ('E' << 16) | 1);
    befehl(2555);
    EXPECT_EQ(texte(), "?: ?: A: B:b1 B: ");
    EXPECT_EQ(LisAkt(LISTE), 1);
}

TEST_F(Tabelle, CopyWritesTheSectionLineAndPasteKeepsTheOrder)
{
    satz("A", "a1", 1);
    satz("B", "b1", 2);
    satz("B", "b2", 3);
    zeigen();
    LisNachricht(SEITEN, WM_COMMAND, SEITEN, ('D' << 16) | 1);
    ASSERT_EQ(ElsSeiteAnzahl(LISTE), 2);
    LisAlleMarkieren(LISTE);
    befehl(2552);
    EXPECT_EQ(clip(), ")S B\r\nb1\t2\r\nb2\t3\r\n");
    EXPECT_EQ(ElsGeaendert(LISTE), 0) << "copying changes nothing";

    // Paste into section A above its record: ")S B" renames the work copy.
    wiClipText("x1\t7\r\ny1\t8\r\n");
    LisNachricht(SEITEN, WM_COMMAND, SEITEN, ('U' << 16) | 1);
    befehl(2554);
    EXPECT_EQ(texte(), "A:x1 A:y1 A:a1 B:b1 B:b2 ");
    EXPECT_EQ(nr(0)->wert, 7);

    // A pasted line that names another section: until the sections are
    // derived again, the current section holds two names, and a copy
    // writes a section line before each.
    wiClipText("C|c1\t5\r\n");
    LisAktSetzen(LISTE, 0);
    befehl(2554);
    ASSERT_EQ(ElsSeiteAnzahl(LISTE), 4);
    LisAlleMarkieren(LISTE);
    befehl(2552);
    EXPECT_EQ(clip(), ")S C\r\nc1\t5\r\n)S A\r\nx1\t7\r\ny1\t8\r\na1\t1\r\n");
    ElsNeuZeigen(LISTE);
    EXPECT_EQ(ElsSeitenAnzahl(LISTE), 3) << "derived again: C, A, B";
}

TEST_F(Tabelle, CutOfAnIncompleteCopyDeletesNothing)
{
    std::string lang(190, 'x');
    for (int i = 0; i < 600; ++i) satz("A", lang.c_str(), i);
    zeigen();
    LisAlleMarkieren(LISTE);
    befehl(2553);
    EXPECT_EQ(ElsAnzahl(LISTE), 600) << "no deletion after an incomplete copy";
    std::string c = clip();
    EXPECT_GT(c.size(), 100000u);
    EXPECT_LE(c.size(), 101000u);
    EXPECT_EQ(c.substr(c.size() - 2), "\r\n") << "whole records only";

    // A complete cut posts the deletion.
    ElsFreigeben(LISTE);
    ElsAnlegen(LISTE, sizeof(Satz), lesen, format, init, leer, "");
    satz("A", "a", 1);
    satz("A", "b", 2);
    zeigen();
    befehl(2553);
    EXPECT_EQ(texte(), "A:b ");
}

TEST_F(Tabelle, PasteTakesLongTextsAndStopsWithAWarningAtAnOverlongLine)
{
    satz("A", "a", 1);
    zeigen();
    std::string t;
    std::string zeile(190, 'p');
    for (int i = 0; i < 300; ++i) t += zeile + "\t" + std::to_string(i) + "\r\n";
    ASSERT_GT(t.size(), 50000u);
    wiClipText(t.c_str());
    befehl(2554);
    EXPECT_EQ(ElsAnzahl(LISTE), 301) << "text past 50000 characters and lines of 200 are taken";
    EXPECT_EQ(nr(299)->wert, 299);

    std::string kaputt = "k1\t1\r\n" + std::string(250, 'z') + "\r\nk2\t2\r\n";
    wiClipText(kaputt.c_str());
    LisAktSetzen(LISTE, 0);
    befehl(2554);
    EXPECT_EQ(ElsAnzahl(LISTE), 302) << "what came before the long line stays";
    EXPECT_STREQ(nr(0)->text, "k1");
}

TEST_F(Tabelle, DeletingEverySectionLeavesOneFreshRecord)
{
    satz("A", "a", 1);
    satz("B", "b", 2);
    zeigen();
    LisAlleMarkieren(SEITEN);
    befehl(2561);
    EXPECT_EQ(ElsAnzahl(LISTE), 1);
    EXPECT_EQ(ElsSeitenAnzahl(LISTE), 1);
    EXPECT_STREQ(nr(0)->text, "neu");
    befehl(2550);
    EXPECT_EQ(ElsAnzahl(LISTE), 2) << "record commands work again";
}

TEST_F(Tabelle, RenamingRewritesEveryHeaderOfTheSectionOnEachChange)
{
    ElsFreigeben(LISTE);
    ElsAnlegen(LISTE, sizeof(Satz), lesen, format, init, leer, "SeitenMenue");
    satz("A", "a1", 1);
    satz("A", "a2", 2);
    satz("B", "b1", 3);
    zeigen();
    befehl(2564);
    HWND feld = item(SEITEN + 2);
    ASSERT_TRUE(IsWindowVisible(feld));
    EXPECT_EQ(GetFocus(), feld);
    for (const char* name : {"N", "Ne", "Neu"}) {
        SetWindowText(feld, name);
        SetFocus(feld);
        SendMessage(dlg, WM_COMMAND, MAKEWPARAM(SEITEN + 2, 0x300), static_cast<LPARAM>(feld));
        EXPECT_STREQ(nr(0)->kopf.name, name);
        EXPECT_STREQ(nr(1)->kopf.name, name);
    }
    EXPECT_STREQ(nr(2)->kopf.name, "B");
    EXPECT_EQ(ElsGeaendert(LISTE), 1);
}

TEST_F(Tabelle, RecordCommandsOnAnEmptyTableStartFromAFreshRecord)
{
    zeigen();
    ASSERT_EQ(ElsAnzahl(LISTE), 0);
    befehl(2550);
    ASSERT_EQ(ElsAnzahl(LISTE), 1);
    EXPECT_STREQ(nr(0)->text, "neu");
    EXPECT_EQ(ElsSeiteAnzahl(LISTE), 1);
}

}  // namespace
