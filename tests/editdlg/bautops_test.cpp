// Whole-library operations of the browser on the model's fixture libraries:
// create, insert with clashing names, batches of the copy, delete, rename,
// marking, name list and content file, text definition, drawing export and
// import, old-library conversion, language rename, the shipped-data guard,
// and nothing lost when any file call fails.
#include <algorithm>
#include <cstring>
#include <functional>

#include "config/reaktion.h"
#include "editdlg/bautwork.h"
#include "editdlg/mischen.h"
#include "project/pvwliste.h"
#include "support/fileload.h"
#include "tests/editdlg/bautpruef.h"
#include "tests/platform/golden_pruef.h"

using namespace bautpruef;

namespace {

std::string golden(const char* name) { return std::string(VELMO_TEST_DATA) + "/editdlg/" + name; }

using Baut = BautTest;

TEST_F(Baut, CreateVersion7And10AndRefusals)
{
    const std::string v7 = o / "bauteile.neu", v10 = o / "BAUTEILE.LNG";
    ASSERT_EQ(BautAnlegen(v7.c_str(), 7), 0);
    ASSERT_EQ(BautAnlegen(v10.c_str(), 10), 0);
    EXPECT_EQ(BauVersion(v7.c_str()), 7);
    EXPECT_EQ(BauVersion(v10.c_str()), 10);
    EXPECT_TRUE(meldungen().empty());

    const std::string programm = o / "programm/BAUTEILE.STD";
    struct {
        std::string pfad;
        const char* meldung;
    } faelle[] = {
        {v7, "Diese Bauteildatei existiert bereits."},
        {o / "TEILE.NEU", "Der Dateiname muss von der Form BAUTEILE.??? sein."},
        {programm, "Bauteildatei ist schreibgesch\xFCtzt."},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(BautAnlegen(f.pfad.c_str(), 7), -1) << f.pfad;
        EXPECT_EQ(meldungen(), std::vector<std::string>{f.meldung}) << f.pfad;
    }
    EXPECT_FALSE(std::filesystem::exists(programm));
}

TEST_F(Baut, InsertMarksClashesAndFlushesTwentyAtATime)
{
    const std::string l10 = kopie("BAUTEILE.L10", "BAUTEILE.L10");
    const std::string l6 = kopie("BAUTEILE.L6", "BAUTEILE.L6");
    std::vector<std::string> viele;
    for (int i = 1; i <= 20; ++i) viele.push_back("K" + std::to_string(i));
    dazu(l6, viele);  // 21 components with M1

    int gleich = -1;
    ASSERT_EQ(MischEinfuegen(l10.c_str(), l6.c_str(), &gleich), 0);
    EXPECT_EQ(MischStapel(), (std::vector<int>{20, 1}));
    EXPECT_EQ(gleich, 1);
    EXPECT_EQ(meldungen(), std::vector<std::string>{"Gleichnamige Bauteile gefunden."});
    EXPECT_TRUE(golden::text(golden("einfuegen.txt"), bericht(l10)));
    EXPECT_EQ(dateien(), (std::vector<std::string>{"BAUTEILE.L10", "BAUTEILE.L6", "TEIL.001", "programm"}));
}

// A library whose entries leave the file (two in the header, one in the
// file) would copy short: inserting it is refused and changes nothing.
TEST_F(Baut, InsertOfADamagedLibraryChangesNothing)
{
    const std::string l10 = kopie("BAUTEILE.L10", "BAUTEILE.L10");
    std::string kurz = mtLesen(mtFixture("BAUTEILE.L6"));
    kurz[10] = 2;
    mtSchreiben(o / "BAUTEILE.KRZ", kurz);
    const std::string vorher = mtLesen(l10);
    int gleich = -1;
    EXPECT_EQ(MischEinfuegen(l10.c_str(), (o / "BAUTEILE.KRZ").c_str(), &gleich), -1);
    EXPECT_EQ(meldungen(), std::vector<std::string>{"Kann Bauteildatei nicht \xF6""ffnen."});
    EXPECT_EQ(mtLesen(l10), vorher);
    EXPECT_EQ(dateien(), (std::vector<std::string>{"BAUTEILE.KRZ", "BAUTEILE.L10", "programm"}));
}

TEST_F(Baut, DeleteNothingRewritesUnchangedDeleteSomeDropsThem)
{
    const std::string bib = kopie("BAUTEILE.L10", "BAUTEILE.L10");
    dazu(bib, {"K1", "K2", "M2"});
    const std::string vorher = mtLesen(bib);
    ASSERT_EQ(MischLoeschen(bib.c_str(), {}), 0);
    // Every component again, in name order.
    EXPECT_EQ(namen(bib), (std::vector<std::string>{"K1", "K2", "M1", "M2"}));
    EXPECT_EQ(mtLesen(bib).size(), vorher.size());
    EXPECT_TRUE(golden::text(golden("loeschen_keins.txt"), bericht(bib)));
    ASSERT_EQ(MischLoeschen(bib.c_str(), {"M1", "K2"}), 0);
    EXPECT_EQ(namen(bib), (std::vector<std::string>{"K1", "M2"}));
    EXPECT_EQ(dateien(), (std::vector<std::string>{"BAUTEILE.L10", "TEIL.001", "programm"}));
    EXPECT_TRUE(golden::text(golden("loeschen.txt"), bericht(bib)));
    EXPECT_TRUE(meldungen().empty());
}

TEST_F(Baut, RenameChecksTheShownNameAndClashes)
{
    const std::string bib = kopie("BAUTEILE.L10", "BAUTEILE.L10");
    dazu(bib, {"K1", "K2"});  // K1 K2 M1
    ASSERT_EQ(BautUmbenennen(bib.c_str(), 2, "m1", "m9"), 0);
    EXPECT_EQ(namen(bib), (std::vector<std::string>{"K1", "K2", "M9"}));
    const std::string vorher = mtLesen(bib);
    struct {
        int index;
        const char* alt;
        const char* neu;
        const char* meldung;
    } faelle[] = {
        {0, "K1", "K2", "Bauteilname bereits verwendet."},
        {0, "K2", "K7", "Unerwarteter Name: -K1- statt -K2-"},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(BautUmbenennen(bib.c_str(), f.index, f.alt, f.neu), -1);
        EXPECT_EQ(meldungen(), std::vector<std::string>{f.meldung});
    }
    EXPECT_EQ(BautUmbenennen(bib.c_str(), 0, "K1", "  "), 0);  // empty: nothing renamed
    EXPECT_EQ(mtLesen(bib), vorher);
}

TEST_F(Baut, MarkByPattern)
{
    const std::vector<std::string> namen = {"K1", "K12", "KA", "M1", "MOTOR", "K"};
    struct {
        const char* muster;
        std::vector<int> treffer;
    } faelle[] = {
        {"K#*", {0, 1}}, {"k*", {0, 1, 2, 5}}, {" m? ", {3, 4}}, {"", {}},
        {"MOTOR*", {4}}, {"?", {0, 1, 2, 3, 4, 5}}, {"MOTORMOTORX", {}},
    };
    for (const auto& f : faelle) EXPECT_EQ(BautMarkieren(namen, f.muster), f.treffer) << f.muster;
}

TEST_F(Baut, NameListContentFileAndTextDefinition)
{
    const std::string bib = kopie("BAUTEILE.L10", "BAUTEILE.L10");
    dazu(bib, {"K1"});
    ASSERT_EQ(BautNamenAusgeben(bib.c_str(), (o / "namen.txt").c_str()), 0);
    EXPECT_EQ(mtLesen(o / "namen.txt"), "K1\r\nM1\r\n");
    ASSERT_EQ(BautNamenAusgeben(bib.c_str(), (o / "inhalt.inh").c_str()), 0);
    EXPECT_EQ(ohneOrdner(mtLesen(o / "inhalt.inh")), bericht(bib));
    ASSERT_EQ(BautTextExport(bib.c_str(), "K1", (o / "K1.txt").c_str()), 0);
    EXPECT_TRUE(golden::text(golden("textdef.txt"), mtLesen(o / "K1.txt")));
    EXPECT_EQ(BautTextExport(bib.c_str(), "FEHLT", (o / "F.txt").c_str()), -1);
    EXPECT_EQ(meldungen(), (std::vector<std::string>{"Die Namensliste ist ausgegeben.", "Die Namensliste ist ausgegeben.",
                                                      "Die Bauteildefinition ist ausgegeben.", "Bauteil nicht gefunden."}));
}

TEST_F(Baut, DrawingExportAndImportRoundTrip)
{
    const std::string bib = kopie("BAUTEILE.L10", "BAUTEILE.L10");
    dazu(bib, {"K1"});
    const std::string z = o / "k1.z";
    ASSERT_EQ(BautZeichnungExport(bib.c_str(), "K1", z.c_str()), 0);
    char name[BAUNAMSUP + 1];
    BautImportName(z.c_str(), 20, name, sizeof name);
    EXPECT_STREQ(name, "K1");
    BautImportName("/a/b.c/lang_name_der_zeichnung.001", 10, name, sizeof name);
    EXPECT_STREQ(name, "LANG_NAME_");
    EXPECT_EQ(BautZeichnungImport(bib.c_str(), z.c_str(), name), 0);
    EXPECT_EQ(BautZeichnungImport(bib.c_str(), z.c_str(), "k1"), -1);
    EXPECT_EQ(meldungen(), std::vector<std::string>{"Bauteilname bereits verwendet."});
    EXPECT_EQ(namen(bib), (std::vector<std::string>{"K1", "LANG_NAME_", "M1"}));
    // The imported component holds the same records as the exported one.
    const std::string z2 = o / "zwei.z";
    ASSERT_EQ(BautZeichnungExport(bib.c_str(), "LANG_NAME_", z2.c_str()), 0);
    EXPECT_EQ(mtLesen(z2), mtLesen(z));
}

TEST_F(Baut, OldLibraryIsConvertedInPlace)
{
    const std::string alt = kopie("BAUTEILE.AL3", "BAUTEILE.AL3");
    ASSERT_EQ(MischUmwandeln(alt.c_str()), 0);
    EXPECT_EQ(BauVersion(alt.c_str()), 6);
    EXPECT_EQ(meldungen(), std::vector<std::string>{"Die Bauteildatei ist umgewandelt."});
    EXPECT_TRUE(golden::text(golden("umgewandelt.txt"), bericht(alt)));
    EXPECT_EQ(dateien(), (std::vector<std::string>{"BAUTEILE.AL3", "programm"}));
}

TEST_F(Baut, LanguageRenameCountsAndReplacesOnlyWhenChanged)
{
    SprLaden();
    const std::string bib = kopie("BAUTEILE.L10", "BAUTEILE.L10");
    dazu(bib, {"K1", "K2"}, "SPRACHE3.TXT");
    dazu(bib, {"K3"}, "SPRACHE0.TXT");
    int n = -1;
    ASSERT_EQ(MischSprache(bib.c_str(), &n), 0);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(meldungen(), std::vector<std::string>{"2 Textdateibefehle ge\xE4ndert."});
    const std::string nachher = mtLesen(bib);
    EXPECT_NE(nachher.find("SPRACHE0.TXT"), std::string::npos);
    EXPECT_EQ(nachher.find("SPRACHE3.TXT"), std::string::npos);
    ASSERT_EQ(MischSprache(bib.c_str(), &n), 0);  // nothing left to change: the file stays
    EXPECT_EQ(n, 0);
    EXPECT_EQ(mtLesen(bib), nachher);
    EXPECT_EQ(dateien(), (std::vector<std::string>{"BAUTEILE.L10", "TEIL.001", "programm"}));
}

// Three drawings, each switching libraries: only calls made while the
// given library is in force count, sorted, once each.
TEST_F(Baut, UsedComponentsOfTheProjectDrawings)
{
    std::filesystem::create_directories(o.pfad / "projekt");
    const auto zeichnen = [&](const char* name, const std::vector<std::pair<int, const char*>>& saetze) {
        ZeiDatei z;
        ASSERT_EQ(ZeiDateiAnlegen(&z, (o / "projekt/" + name).c_str()), 0);
        for (const auto& [code, text] : saetze) {
            BEF b{};
            b.code = static_cast<uint8_t>(code);
            BefTextSetzen(&b, text);
            ZeiBefSchreiben(&z, &b);
        }
        ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
    };
    constexpr int BD = 35, ZB = 80, ZBW = 81;
    zeichnen("A.001", {{BD, "L10"}, {ZB, "K2"}, {ZB, "M1"}, {BD, "XYZ"}, {ZB, "FREMD"}});
    zeichnen("B.001", {{BD, "l10"}, {ZBW, "K1"}, {ZB, "M1"}});
    zeichnen("C.001", {{ZB, "OHNE"}});
    VerSetzen(1, (o / "projekt/").c_str());
    PvwVerzLesen();
    ASSERT_EQ(PvwAnzahl(), 3);
    EXPECT_EQ(BautVerwendeteSammeln("L10"), 3);
    std::vector<std::string> namen;
    char n[BAUNAMSUP + 1];
    for (int i = 0; BautVerwendeteHolen(i, n, sizeof n) == 0; ++i) namen.emplace_back(n);
    EXPECT_EQ(namen, (std::vector<std::string>{"K1", "K2", "M1"}));
    EXPECT_EQ(BautVerwendeteHolen(3, n, sizeof n), -1);
    EXPECT_STREQ(n, "");
    VerSetzen(1, "");
    PvwVerzLesen();
}

// Every rewrite, with the k-th call of each kind failing until it completes:
// a message, the library byte for byte as before or complete, no temporary
// file left in its folder or the temporary folder.
TEST_F(Baut, NothingLostWhenAFileCallFails)
{
    char tmpverz[300];
    ASSERT_EQ(tempverz(tmpverz), 0);
    const auto tmpDateien = [&] {
        std::vector<std::string> n;
        for (auto& e : std::filesystem::directory_iterator(tmpverz)) n.push_back(e.path().filename().string());
        return n;
    };
    const std::vector<std::string> tmpVorher = tmpDateien();
    SprLaden();
    struct Fall {
        const char* name;
        std::function<std::string()> vorbereiten;
        std::function<int(const std::string&)> tun;
    } faelle[] = {
        {"delete",
         [&] {
             const std::string b = kopie("BAUTEILE.L10", "BAUTEILE.L10");
             dazu(b, {"K1", "K2"});
             return b;
         },
         [](const std::string& b) { return MischLoeschen(b.c_str(), {"K2"}); }},
        {"insert",
         [&] {
             kopie("BAUTEILE.L6", "BAUTEILE.L6");
             dazu(o / "BAUTEILE.L6", {"K1", "K2"});
             return kopie("BAUTEILE.L10", "BAUTEILE.L10");
         },
         [&](const std::string& b) {
             int g;
             return MischEinfuegen(b.c_str(), (o / "BAUTEILE.L6").c_str(), &g);
         }},
        {"language",
         [&] {
             const std::string b = kopie("BAUTEILE.L10", "BAUTEILE.L10");
             dazu(b, {"K1"}, "SPRACHE3.TXT");
             return b;
         },
         [](const std::string& b) {
             int n;
             return MischSprache(b.c_str(), &n);
         }},
        {"convert", [&] { return kopie("BAUTEILE.AL3", "BAUTEILE.AL3"); },
         [](const std::string& b) { return MischUmwandeln(b.c_str()); }},
    };
    const PlFehlerArt arten[] = {PlFehlerArt::Oeffnen, PlFehlerArt::Lesen, PlFehlerArt::Schreiben,
                                 PlFehlerArt::Umbenennen, PlFehlerArt::Schliessen};
    for (const Fall& f : faelle) {
        for (PlFehlerArt art : arten) {
            for (int k = 1;; ++k) {
                SCOPED_TRACE(std::string(f.name) + " kind " + std::to_string(static_cast<int>(art)) + " call " + std::to_string(k));
                std::filesystem::remove_all(o.pfad);
                std::filesystem::create_directories(o.pfad / "programm");
                BauEnde();
                const std::string bib = f.vorbereiten();
                const std::vector<std::string> vorDateien = dateien();
                const std::string vorher = mtLesen(bib);
                BauEnde();
                meldungen();
                plFehlerSetzen(art, k);
                const int r = f.tun(bib);
                const bool ausgeloest = plFehlerAusgeloest(art) > 0;
                plFehlerAllesAus();
                EXPECT_EQ(dateien(), vorDateien);
                EXPECT_EQ(tmpDateien(), tmpVorher);
                if (r == 0) {
                    EXPECT_NE(mtLesen(bib), vorher) << ::testing::PrintToString(meldungen());
                    if (!ausgeloest) break;
                    continue;  // a failure the operation could bear (e.g. a retried read)
                }
                EXPECT_EQ(mtLesen(bib), vorher);
                EXPECT_FALSE(meldungen().empty());
                ASSERT_TRUE(ausgeloest);
                ASSERT_LT(k, 400);
            }
        }
    }
}

}  // namespace
