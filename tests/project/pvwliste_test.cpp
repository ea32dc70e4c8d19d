// The project manager's drawing list: the folder scan (drawings, non-drawings,
// PDF files, the capacity), the three sort orders with their subtitle
// headings, translated title lines, marking, the accessors at their edges
// and the current drawing. Each test builds a project folder of its own with
// drawings written by the drawing-file writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "config/vorgaben.h"
#include "model/befehl.h"
#include "project/inhalt.h"
#include "project/pvwliste.h"
#include "project/proverw.h"
#include "project/zeiops.h"
#include "support/dosdatei.h"
#include "tests/equipment/projtest.h"
#include "tests/project/projpruef.h"
#include "winlib/winbib.h"

using namespace projtest;
using namespace projpruef;

namespace {

struct Zeichnung {
    const char* name;
    const char* index;   // short text of the 'w' record
    const char* titel0;
    const char* titel1;
    int tag;             // day of March 2021
    int stunde;
};

class PvwListeTest : public VorgabenTest {
protected:
    void SetUp() override
    {
        VorgabenTest::SetUp();
        PvwListeZuruecksetzen();
        vorgaben("IVpdfTitel PDF-Dateien\n");
    }
    void TearDown() override
    {
        PvwListeZuruecksetzen();
        VorgabenTest::TearDown();
    }

    void zeichnung(const Zeichnung& z, int format = BEF_ZA3)
    {
        zeichnungSchreiben(pfad(z.name), format, z.index, z.titel0, z.titel1, {{10, "Bau"}});
        maerzStempel(pfad(z.name), z.tag, z.stunde);
    }

    void datei(const std::string& name, const std::string& inhalt = "", int tag = 1)
    {
        schreiben(pfad(name), inhalt);
        maerzStempel(pfad(name), tag, 8);
    }

    // Subtitle ranges from the drawings with the keys 005 and 012.
    void untertitel()
    {
        std::vector<std::string> steuerung = {"005", "Steuerung", "Halle 1", "Ort A"};
        for (int i = 1; i <= 20; ++i) steuerung.push_back(i <= 6 ? "Z" + std::to_string(i) : "");
        steuerung.push_back("Bw");
        steuerung.push_back("Ob");
        schreiben(pfad("Projekt.zvk"), "zvkP\n)S Titel\n" + felder({"___", "Projekt"}) + "\n" + felder(steuerung) +
                                           "\n" + felder({"012", "Antriebe", "", "Ort B"}) + "\n)S Kennung\n)E\n");
    }

    // The standard folder: five drawings, two subtitles, two PDF files and
    // files that are not listed.
    void standard()
    {
        zeichnung({"Plan.020", "b", "Motor", "M1", 3, 9});
        zeichnung({"Plan.001", "", "Deckblatt", "", 5, 7});
        zeichnung({"Plan.010", "A", "Einspeisung", "", 3, 18});
        zeichnung({"Plan.005", "c", " Verteilung", "Haupt ", 4, 12});
        zeichnung({"Plan.012", "a", "Antrieb", "", 1, 10});
        datei("b.PDF", "%PDF", 2);
        datei("A.pdf", "%PDF-1.4", 6);
        datei("Notiz.odt", "keine Zeichnung");  // another program's file
        datei("Liste.txt", "text");
        datei("BAUTEILE.L10", "x");
        std::filesystem::create_directory(pfad("Ordner.002"));
        untertitel();
    }

};

// The list as "name" for drawings and PDF files, "#key" for headings.
std::vector<std::string> liste()
{
    std::vector<std::string> l;
    for (int i = 0; i < PvwAnzahl(); ++i) {
        const PvwEintrag* e = PvwEintragAdr(i);
        if (e->art == PVW_UNTERTITEL)
            l.push_back(std::string("#") + (e->pdfTitel ? "PDF" : e->kenn));
        else
            l.push_back(e->art == PVW_PDF ? e->datei : e->name);
    }
    return l;
}

using V = std::vector<std::string>;

TEST_F(PvwListeTest, EmptyOrMissingFolderGivesAnEmptyList)
{
    PvwVerzLesen();
    EXPECT_EQ(PvwAnzahl(), 0);
    EXPECT_EQ(PvwZeiAnzahl(), 0);
    char name[PVWNAMESUP + 1] = "alt";
    EXPECT_EQ(PvwErsteZeichnung(name), 0);
    EXPECT_STREQ(name, "");
    EXPECT_STREQ(PvwAktZeichnung(), "");
    char text[100];
    PvwEintragText(0, text);  // entry 0 of an empty list is a zero drawing entry
    EXPECT_STREQ(text, "");

    // No project folder: the working folder is not listed in its place.
    zeichnung({"Plan.001", "", "T", "", 1, 1});
    VerSetzen(1, "");
    PvwVerzLesen();
    EXPECT_EQ(PvwAnzahl(), 0);
}

TEST_F(PvwListeTest, ScanListsDrawingsThenPdfFilesWithHeadings)
{
    standard();
    PvwVerzLesen();
    EXPECT_EQ(liste(), (V{"Plan.001", "#005", "Plan.005", "Plan.010", "#012", "Plan.012", "Plan.020", "#PDF",
                          "A.pdf", "b.PDF"}));
    EXPECT_EQ(PvwZeiAnzahl(), 5);
    EXPECT_EQ(PvwNameLaengeMax(), 8);
    // The columns' widths are the widest texts as the list's font measures
    // them.
    int name = 0, kurz = 0, zusatz = 0;
    for (int i = 0; i < PvwAnzahl(); ++i) {
        const PvwEintrag* e = PvwEintragAdr(i);
        if (e->art != PVW_ZEICHNUNG) continue;
        name = std::max(name, wiTextBreite(2, e->name));
        kurz = std::max(kurz, wiTextBreite(2, e->kopf.kurz));
        zusatz = std::max(zusatz, wiTextBreite(2, PvwKurztexte(*e).c_str()));
    }
    EXPECT_GT(name, 0);
    EXPECT_EQ(PvwNameBreiteMax(), name);
    EXPECT_EQ(PvwKurzBreiteMax(), kurz);
    EXPECT_EQ(PvwZusatzBreiteMax(), zusatz);

    const PvwEintrag* z = PvwEintragAdr(PvwZeiSuchen("Plan.005"));
    EXPECT_STREQ(z->kopf.kurz, "c");
    EXPECT_STREQ(z->kopf.text10, "Bau");
    EXPECT_STREQ(z->titel0, " Verteilung");
    EXPECT_EQ(z->zeit.datum.tag, 4);
    EXPECT_EQ(z->zeit.stunde, 12);
    EXPECT_GT(z->groesse, 10);

    const PvwEintrag* h = PvwEintragAdr(1);
    EXPECT_STREQ(h->utitel, "Steuerung");
    EXPECT_STREQ(h->anlage, "Halle 1");
    EXPECT_STREQ(h->ort, "Ort A");
    EXPECT_STREQ(h->bauwerk, "Bw");
    EXPECT_STREQ(h->objekt, "Ob");
    EXPECT_STREQ(h->zeilen[0], "Z1");
    EXPECT_STREQ(h->zeilen[4], "Z5");
    EXPECT_EQ(h->pdfTitel, 0);
    EXPECT_STREQ(h->name, "");

    const PvwEintrag* p = PvwEintragAdr(8);
    EXPECT_EQ(p->art, PVW_PDF);
    EXPECT_EQ(std::string(p->name), pfad("A.pdf"));
    EXPECT_EQ(p->groesse, 8);
    EXPECT_EQ(PvwEintragAdr(7)->pdfTitel, 1);
    EXPECT_STREQ(PvwEintragAdr(7)->utitel, "PDF-Dateien");
}

TEST_F(PvwListeTest, SortModesOrderDrawingsAndKeepPdfFilesLast)
{
    standard();
    zeichnung({"Plan.002", "", "Zwei", "", 3, 23});  // same day as 010 and 020, later hour
    PvwVerzLesen();
    struct Fall {
        int modus;
        V erwartet;
    } faelle[] = {
        // By date: later days first; on one day by number, not by hour.
        {PVW_SORT_DATUM, {"Plan.001", "Plan.005", "Plan.002", "Plan.010", "Plan.020", "Plan.012", "A.pdf", "b.PDF"}},
        // By index ignoring case; no index first.
        {PVW_SORT_INDEX, {"Plan.001", "Plan.002", "Plan.010", "Plan.012", "Plan.020", "Plan.005", "A.pdf", "b.PDF"}},
        {PVW_SORT_NUMMER,
         {"Plan.001", "Plan.002", "#005", "Plan.005", "Plan.010", "#012", "Plan.012", "Plan.020", "#PDF", "A.pdf",
          "b.PDF"}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.modus);
        PvwSortSetzen(f.modus);
        EXPECT_EQ(PvwSortModus(), f.modus);
        EXPECT_EQ(liste(), f.erwartet);
    }

    // The mode survives a rebuild; an unknown mode changes nothing.
    PvwSortSetzen(PVW_SORT_DATUM);
    PvwVerzLesen();
    EXPECT_EQ(liste(), faelle[0].erwartet);
    PvwSortSetzen(-1);
    PvwSortSetzen(3);
    EXPECT_EQ(PvwSortModus(), PVW_SORT_DATUM);
    EXPECT_EQ(liste(), faelle[0].erwartet);
}

TEST_F(PvwListeTest, ComparatorsPutKindsFirstAndNumberOrderIgnoresTheMode)
{
    PvwEintrag a{}, b{};
    a.art = PVW_PDF;
    b.art = PVW_ZEICHNUNG;
    EXPECT_GT(PvwVergleich(&a, &b), 0);
    EXPECT_GT(PvwNrVergleich(&a, &b), 0);
    a.art = PVW_ZEICHNUNG;
    std::strcpy(a.name, "Plan.9");
    std::strcpy(b.name, "Plan.10");
    a.zeit.datum = {121, 1, 1};
    b.zeit.datum = {121, 1, 1};
    std::strcpy(a.kopf.kurz, "B");
    std::strcpy(b.kopf.kurz, "a");
    struct Fall {
        int modus;
        int vorzeichen;   // of PvwVergleich(a, b)
    } faelle[] = {{PVW_SORT_NUMMER, -1}, {PVW_SORT_DATUM, -1}, {PVW_SORT_INDEX, 1}};
    for (const Fall& f : faelle) {
        PvwSortSetzen(f.modus);
        const int v = PvwVergleich(&a, &b);
        EXPECT_EQ((v > 0) - (v < 0), f.vorzeichen) << f.modus;
        EXPECT_LT(PvwNrVergleich(&a, &b), 0) << f.modus;
    }
    // Dates 81 or more years apart still order the later one first.
    PvwSortSetzen(PVW_SORT_DATUM);
    a.zeit.datum = {10, 1, 1};
    b.zeit.datum = {150, 1, 1};
    EXPECT_GT(PvwVergleich(&a, &b), 0);
}

TEST_F(PvwListeTest, PdfHeadingFolderAndNoSubtitles)
{
    standard();
    std::filesystem::remove(pfad("Projekt.zvk"));
    std::filesystem::create_directory(pfad("Dokumente"));
    schreiben(pfad("Dokumente/Z.pdf"), "%PDF");
    schreiben(pfad("Dokumente/notiz.txt"), "x");

    vorgaben("IVpdfTitel\nIVpdfVerz  Dokumente/ \n");
    PvwVerzLesen();
    EXPECT_EQ(liste(), (V{"Plan.001", "Plan.005", "Plan.010", "Plan.012", "Plan.020", "Z.pdf"}));
    EXPECT_EQ(std::string(PvwEintragAdr(5)->name), pfad("Dokumente") + "/Z.pdf");

    // With only PDF files the heading still stands in front of them.
    for (const char* n : {"Plan.001", "Plan.005", "Plan.010", "Plan.012", "Plan.020"}) fs::remove(pfad(n));
    vorgaben("IVpdfTitel Anhang\n");
    PvwVerzLesen();
    EXPECT_EQ(liste(), (V{"#PDF", "A.pdf", "b.PDF"}));
    EXPECT_EQ(PvwZeiAnzahl(), 0);
}

TEST_F(PvwListeTest, AccessorsAtTheirEdges)
{
    standard();
    PvwVerzLesen();  // Plan.001 #005 Plan.005 Plan.010 #012 Plan.012 Plan.020 #PDF A.pdf b.PDF
    char n[PVWNAMESUP + 1];
    const std::string a = pfad("A.pdf");
    struct Fall {
        int i;
        int zei, art;
        const char* name;   // after PvwEintragName ("-" untouched)
        const char* text;   // PvwEintragText
    } faelle[] = {
        {0, 1, 1, "Plan.001", "Deckblatt"},
        {1, 0, 0, "005", "Steuerung Halle 1 Ort A"},
        {2, 1, 1, "Plan.005", "Verteilung Haupt"},
        {4, 0, 0, "012", "Antriebe Ort B"},
        {6, 1, 1, "Plan.020", "Motor M1"},
        {7, 0, 0, "", "PDF-Dateien"},
        {8, 0, 2, a.c_str(), "A.pdf"},
        {-1, 0, 0, "-", "Deckblatt"},
        {10, 0, 0, "-", "Deckblatt"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.i);
        std::strcpy(n, "-");
        EXPECT_EQ(PvwEintragName(f.i, n), f.art);
        EXPECT_STREQ(n, f.name);
        std::strcpy(n, "-");
        EXPECT_EQ(PvwEintragArt(f.i, n), f.art);
        EXPECT_STREQ(n, f.name);
        std::strcpy(n, "-");
        EXPECT_EQ(PvwZeiName(f.i, n), f.zei);
        EXPECT_STREQ(n, f.zei ? f.name : "-");
        char t[200];
        PvwEintragText(f.i, t);
        EXPECT_STREQ(t, f.text);
    }
    EXPECT_EQ(PvwEintragAdr(99), PvwEintragAdr(0));
    char kurz[5];
    PvwEintragText(3, kurz, sizeof kurz);
    EXPECT_STREQ(kurz, "Eins");
    EXPECT_EQ(PvwZeiName(0, kurz, sizeof kurz), 1);
    EXPECT_STREQ(kurz, "Plan");

    EXPECT_EQ(PvwZeiSuchen("Plan.010"), 3);
    EXPECT_EQ(PvwZeiSuchen("plan.010"), -1);
    EXPECT_EQ(PvwZeiSuchen("005"), -1);   // a heading's key is no drawing
    EXPECT_EQ(PvwErsteZeichnung(n), 1);
    EXPECT_STREQ(n, "Plan.001");
    PvwSortSetzen(PVW_SORT_INDEX);
    EXPECT_EQ(PvwErsteZeichnung(n), 1);
    EXPECT_STREQ(n, "Plan.001");
}

TEST_F(PvwListeTest, MarkingCountsDrawingsAndPdfFiles)
{
    standard();
    PvwVerzLesen();
    for (int i : {0, 1, 3, 7, 9, 42, -3}) PvwMarkSetzen(i, 1);
    EXPECT_EQ(PvwMarkiert(3), 1);
    EXPECT_EQ(PvwMarkiert(2), 0);
    EXPECT_EQ(PvwMarkiert(42), 0);
    EXPECT_EQ(PvwAnzMarkiert(), 2);
    EXPECT_EQ(PvwAnzMarkiertMitPdf(), 3);
    PvwMarkSetzen(0, 0);
    EXPECT_EQ(PvwAnzMarkiert(), 1);
    // Sorting moves the marks with their entries.
    PvwSortSetzen(PVW_SORT_DATUM);
    EXPECT_EQ(PvwMarkiert(PvwZeiSuchen("Plan.010")), 1);
    EXPECT_EQ(PvwAnzMarkiertMitPdf(), 2);
}

TEST_F(PvwListeTest, TranslatedTitleLinesReplaceOnlyWhatTheyHave)
{
    zeichnung({"Plan.001", "", "Deckblatt", "Projekt", 1, 1});
    zeichnung({"Plan.002", "", "Schaltplan", "Motor", 1, 1});
    SprSetzen(2);
    ASSERT_EQ(FstxTitelSetzenSprache("Plan.001", 1, 2, "Project"), 0);
    PvwVerzLesen();
    const PvwEintrag* a = PvwEintragAdr(PvwZeiSuchen("Plan.001"));
    EXPECT_STREQ(a->titel0, "Deckblatt");
    EXPECT_STREQ(a->titel1, "Project");
    EXPECT_STREQ(a->kopf.titel[1], "Projekt");
    const PvwEintrag* b = PvwEintragAdr(PvwZeiSuchen("Plan.002"));
    EXPECT_STREQ(b->titel0, "Schaltplan");
    EXPECT_STREQ(b->titel1, "Motor");

    SprSetzen(0);
    PvwVerzLesen();
    EXPECT_STREQ(PvwEintragAdr(PvwZeiSuchen("Plan.001"))->titel1, "Projekt");
}

TEST_F(PvwListeTest, FullListStopsTheScanAndTakesNoFurtherHeading)
{
    zeichnung({"Plan.001", "", "T", "", 1, 1});
    zeichnung({"Plan.005", "", "T", "", 1, 1});
    untertitel();
    for (int i = 0; i < PVWSUP + 5; ++i) schreiben(pfad("D" + std::to_string(i) + ".pdf"), "");
    PvwVerzLesen();
    EXPECT_EQ(PvwAnzahl(), PVWSUP);
    EXPECT_EQ(PvwZeiAnzahl(), 2);
    EXPECT_EQ(liste()[0], "Plan.001");
    EXPECT_EQ(liste()[1], "Plan.005");  // no room for its heading
    EXPECT_EQ(PvwEintragAdr(PVWSUP - 1)->art, PVW_PDF);

    // Room for exactly the one heading of the drawings: 2 + 1997 + 1.
    for (int i = 0; i < 8; ++i) fs::remove(pfad("D" + std::to_string(i) + ".pdf"));
    PvwVerzLesen();
    EXPECT_EQ(PvwAnzahl(), PVWSUP);
    EXPECT_EQ(liste()[1], "#005");
    EXPECT_NE(liste()[3], "#PDF");
}

TEST_F(PvwListeTest, OverlongPdfPathIsLeftOut)
{
    const std::string lang = std::string(PVWNAMESUP, 'x') + ".pdf";
    schreiben(pfad(lang), "");
    schreiben(pfad("kurz.pdf"), "");
    vorgaben("");
    PvwVerzLesen();
    EXPECT_EQ(liste(), (V{"kurz.pdf"}));
}

TEST_F(PvwListeTest, ShortTextsShownUnlessTheKeyIsOne)
{
    struct Fall {
        const char* zeile;
        int zeigen;
    } faelle[] = {{"", 1}, {"BMzkNvrw 0\n", 1}, {"BMzkNvrw 1\n", 0}, {"BMzkNvrw 2\n", 1}, {"BMzkNvrw 7\n", 1}};
    for (const Fall& f : faelle) {
        vorgaben(f.zeile);
        EXPECT_EQ(PvwKurztexteZeigen(), f.zeigen) << f.zeile;
    }
}

TEST_F(PvwListeTest, CurrentDrawingIsTheCursorElseTheFirstDrawing)
{
    standard();
    PvwVerzLesen();
    PvwSortSetzen(PVW_SORT_DATUM);  // Plan.001 stays first: latest day
    EXPECT_STREQ(PvwAktZeichnung(), "Plan.001");
    PvwCursorNameSetzen("Plan.012");
    EXPECT_STREQ(PvwAktZeichnung(), "Plan.012");
    PvwCursorNameSetzen("   ");
    EXPECT_STREQ(PvwAktZeichnung(), "Plan.001");
    PvwSortSetzen(PVW_SORT_INDEX);
    EXPECT_STREQ(PvwAktZeichnung(), "Plan.001");
    PvwCursorNameSetzen(nullptr);
    EXPECT_STREQ(PvwCursorName(), "");

    // Only PDF files left: a blank cursor gives an empty name.
    for (const char* n : {"Plan.001", "Plan.005", "Plan.010", "Plan.012", "Plan.020"}) fs::remove(pfad(n));
    PvwVerzLesen();
    PvwCursorNameSetzen(" ");
    EXPECT_STREQ(PvwAktZeichnung(), "");
}

}  // namespace

namespace {

std::vector<std::string>& gesagt()
{
    static std::vector<std::string> m;
    return m;
}
int& antwortJa()
{
    static int a = 0;
    return a;
}

// Every file of the folder with its bytes.
std::map<std::string, std::string> inhalte(const std::string& ordner)
{
    std::map<std::string, std::string> m;
    for (const auto& e : std::filesystem::directory_iterator(ordner)) {
        std::ostringstream o;
        o << std::ifstream(e.path(), std::ios::binary).rdbuf();
        m[e.path().filename().string()] = o.str();
    }
    return m;
}

}  // namespace

TEST_F(PvwListeTest, SheetsOverTheCapacityAndOverlongNamesAreSaidNotDropped)
{
    // Both vanished from the list and from the table of contents without a
    // word: the sheets past the 2,000th by directory order, and a sheet
    // whose name is longer than an entry holds.
    ZoHakenSetzen({[](const char* t) { gesagt().push_back(t); }, [](const char*) { return 0; }, nullptr});
    gesagt().clear();
    zeichnung({"Plan.0001", "", "T", "", 1, 1});
    for (int i = 2; i <= PVWSUP + 3; ++i) {
        char n[32];
        std::snprintf(n, sizeof n, "Plan.%04d", i);
        std::filesystem::copy_file(pfad("Plan.0001"), pfad(n));
    }
    const std::string lang = std::string(PVWNAMESUP - 3, 'L') + ".001";
    std::filesystem::copy_file(pfad("Plan.0001"), pfad(lang));
    PvwVerzLesen();
    EXPECT_EQ(PvwZeiAnzahl(), PVWSUP) << "the capacity stays";
    ASSERT_EQ(gesagt().size(), 2u);
    EXPECT_EQ(gesagt()[0].rfind("Die Zeichnung " + lang + " wird nicht angezeigt", 0), 0u) << gesagt()[0];
    EXPECT_EQ(gesagt()[1], "3 Zeichnungen werden nicht angezeigt und nicht ins Inhaltsverzeichnis aufgenommen: die Liste "
                           "fasst 2000 Eintr\xE4ge. Die Dateien bleiben unver\xE4ndert.");
    ZoHakenSetzen(ZoHaken{});
}

TEST_F(PvwListeTest, DamagedSheetsAreListedAndReportedAndALeftoverIsAskedAbout)
{
    // A sheet cut short, one emptied, one of random bytes, and the temporary
    // file of a save killed before its rename: they vanished from the list
    // (and so from the table of contents and the count), the leftover was
    // listed as a sheet.
    ZoHakenSetzen({[](const char* t) { gesagt().push_back(t); }, [](const char* t) {
                       gesagt().push_back(std::string("?") + t);
                       return antwortJa();
                   },
                   nullptr});
    gesagt().clear();
    antwortJa() = 0;
    zeichnung({"Plan.001", "", "Deckblatt", "", 5, 7});
    zeichnung({"Plan.002", "", "Verteilung", "", 5, 7});
    std::filesystem::resize_file(pfad("Plan.002"), std::filesystem::file_size(pfad("Plan.002")) / 2);
    datei("Plan.003", "");
    std::string zufall(3000, '\0');
    std::mt19937 z(40);
    for (char& c : zufall) c = static_cast<char>(z());
    datei("Plan.004", zufall);
    zeichnung({".velmo-neu-Ab12Cd", "", "Neu", "", 5, 7});          // an older writer's: no name
    zeichnung({".velmo-neu-Plan.001-Xy34Zw", "", "Neu", "", 5, 7});  // the writer's: the sheet's name
    datei("Foto.jpeg", "kein Blatt");
    const auto vorher = inhalte(ordner.string());

    PvwVerzLesen();
    std::vector<std::string> namen;
    for (int i = 0; i < PvwAnzahl(); ++i) namen.push_back(PvwEintragAdr(i)->name);
    EXPECT_EQ(namen, (V{"Plan.001", "Plan.002", "Plan.003", "Plan.004"}));
    EXPECT_EQ(PvwZeiAnzahl(), 4);
    for (int i = 1; i < 4; ++i) {
        EXPECT_TRUE(PvwIstBeschaedigt(*PvwEintragAdr(i))) << i;
        EXPECT_STREQ(PvwEintragAdr(i)->titel0, PVWBESCHAEDIGT);
        // Its empty header gives no format: none is claimed for it.
        EXPECT_STREQ(PvwFormatText(*PvwEintragAdr(i)), "?") << i;
    }
    EXPECT_FALSE(PvwIstBeschaedigt(*PvwEintragAdr(0)));
    EXPECT_STREQ(PvwFormatText(*PvwEintragAdr(0)), "A3");
    V fragen(gesagt().begin() + (gesagt().empty() ? 0 : 1), gesagt().end());
    std::sort(fragen.begin(), fragen.end());
    ASSERT_FALSE(gesagt().empty());
    EXPECT_EQ(gesagt()[0], "Die Zeichnungen Plan.002, Plan.003, Plan.004 sind besch\xE4" "digt und k\xF6nnen nicht gelesen "
                           "werden; die Dateien bleiben unver\xE4ndert.");
    EXPECT_EQ(fragen, (V{"?Eine unterbrochene Speicherung der Zeichnung Plan.001 wurde gefunden: .velmo-neu-Plan.001-Xy34Zw\n"
                         "Soll diese Datei gel\xF6scht werden?",
                         "?Eine unterbrochene Speicherung wurde gefunden: .velmo-neu-Ab12Cd\nSoll diese Datei gel\xF6scht werden?"}));
    EXPECT_EQ(inhalte(ordner.string()), vorher) << "nothing lost or changed";

    // The next number is one no sheet has; the contents keep every sheet.
    char datei[PVWNAMESUP + 1], stamm[PVWNAMESUP + 1], endung[PVWNAMESUP + 1];
    PvwNeuerName(0, datei, sizeof datei, stamm, sizeof stamm, endung, sizeof endung);
    EXPECT_STREQ(endung, "005");
    ASSERT_EQ(PvwInhaltSchreiben(), 0);
    std::ostringstream inhalt;
    inhalt << std::ifstream(pfad("Inhalt.txt"), std::ios::binary).rdbuf();
    const std::string zeilen = inhalt.str();
    EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), '|'), 4) << "a row per sheet:\n" << zeilen;
    std::filesystem::remove(pfad("Inhalt.txt"));

    // A scan again says nothing new and does not ask about a kept leftover.
    gesagt().clear();
    PvwVerzLesen();
    EXPECT_TRUE(gesagt().empty());
    EXPECT_EQ(inhalte(ordner.string()), vorher);

    // Answered yes (in a new session): the leftover goes, nothing else.
    PvwListeZuruecksetzen();
    antwortJa() = 1;
    gesagt().clear();
    ZoHakenSetzen({[](const char* t) { gesagt().push_back(t); }, [](const char* t) {
                       gesagt().push_back(std::string("?") + t);
                       return antwortJa();
                   },
                   nullptr});
    PvwVerzLesen();
    auto ohne = vorher;
    ohne.erase(".velmo-neu-Ab12Cd");
    ohne.erase(".velmo-neu-Plan.001-Xy34Zw");
    EXPECT_EQ(inhalte(ordner.string()), ohne);
    ZoHakenSetzen({});
}
