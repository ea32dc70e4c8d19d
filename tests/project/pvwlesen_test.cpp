// The project page scan's per-file reading: the header from one read equals
// ZeiKopfLesen's over sound, damaged and cut files and at read sizes that
// cut records; size and time equal the file's status; the name keys order
// as ZeiDateiVergleich does.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "model/befehl.h"
#include "support/dosdatei.h"
#include "project/pvwlesen.h"
#include "project/pvwliste.h"
#include "tests/equipment/projtest.h"
#include "tests/project/projpruef.h"

using namespace projtest;
using namespace projpruef;

namespace {

class PvwLesenTest : public ProjTest {
protected:
    std::string bytes(const std::string& name)
    {
        std::ifstream f(pfad(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    void schreibenRoh(const std::string& name, const std::string& b)
    {
        std::ofstream(pfad(name), std::ios::binary) << b;
    }
};

int vorzeichen(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

TEST_F(PvwLesenTest, HeaderSizeAndTimeEqualTheSeparateReads)
{
    const std::string lang(200, 'L');
    zeichnungSchreiben(pfad("A.001"), BEF_ZA3, "a", "Titel eins", "Titel zwei", {{10, "Bau"}, {11, "Ort"}});
    zeichnungSchreiben(pfad("A.002"), BEF_ZA4, "b", lang.c_str(), lang.c_str(),
                       {{2, lang.c_str()}, {7, "sieben"}, {10, lang.c_str()}, {11, lang.c_str()}});
    // A drawing record after the header ends it.
    {
        ZeiDatei d;
        ASSERT_EQ(ZeiDateiOeffnen(&d, pfad("A.001").c_str()), 0);
        BEF b{};
        b.code = BEF_ZL;
        ASSERT_EQ(ZeiBefSchreiben(&d, &b), 0);
        ASSERT_EQ(ZeiDateiSchliessen(&d), 0);
    }
    const std::string gut = bytes("A.001");
    auto mit = [](std::string b, size_t at, char c) {
        b[at] = c;
        return b;
    };
    const uint32_t l = static_cast<uint32_t>(gut.size() - 11);
    struct Fall {
        const char* name;
        std::string inhalt;
    } faelle[] = {
        {"leer.001", ""},
        {"text.001", "kein Plan, nur Text\n"},
        {"kurz.001", gut.substr(0, 8)},
        {"format.001", mit(gut, gut.size() - 1, 0)},
        {"laenge.001", mit(gut, 6, static_cast<char>(l + 1))},
        {"mitten.001", mit(gut, 6, 5)},                 // the first record reaches past the data
        {"textlang.001", mit(mit(gut, 12, 0x7F), 13, 0x7F)},  // a text length past the end
        {"magie.001", mit(gut, 0, 'Z')},
        {"abgeschnitten.001", gut.substr(0, gut.size() - 3)},
    };
    std::vector<std::string> namen = {"A.001", "A.002"};
    for (const Fall& f : faelle) {
        schreibenRoh(f.name, f.inhalt);
        namen.push_back(f.name);
    }
    fs::create_directory(pfad("Ordner.001"));
    namen.push_back("Ordner.001");

    for (const std::string& name : namen) {
        ZeiKopf erwartet;
        const int soll = fs::is_directory(pfad(name)) ? -1 : ZeiKopfLesen(pfad(name).c_str(), &erwartet);
        struct stat st0;
        ASSERT_EQ(stat(pfad(name).c_str(), &st0), 0);
        for (size_t lesen : {size_t{12}, size_t{40}, size_t{300}, PVWKOPFLESEN}) {
            SCOPED_TRACE(name + " lesen " + std::to_string(lesen));
            ZeiKopf k;
            struct stat st;
            ASSERT_EQ(PvwKopfLesen(pfad(name).c_str(), &k, &st, lesen), soll);
            if (soll != 0) continue;
            EXPECT_EQ(std::memcmp(&k, &erwartet, sizeof k), 0);
            EXPECT_EQ(st.st_size, st0.st_size);
            EXPECT_EQ(st.st_mtime, st0.st_mtime);
        }
    }
    ZeiKopf k;
    struct stat st;
    ASSERT_EQ(PvwKopfLesen(pfad("A.002").c_str(), &k, &st), 0);
    EXPECT_EQ(k.titel[2], lang.substr(0, ZEITITELSUP));
    EXPECT_STREQ(k.titel[4], "sieben");
}

TEST_F(PvwLesenTest, TimeStampAsTheListingGivesIt)
{
    zeichnungSchreiben(pfad("A.001"), BEF_ZA3, "a", "t0", "t1");
    maerzStempel(pfad("A.001"), 14, 9);
    DATZEIT liste{}, eigen{};
    ASSERT_EQ(dateizeit(pfad("A.001").c_str(), &liste), 0);
    struct stat st;
    ASSERT_EQ(stat(pfad("A.001").c_str(), &st), 0);
    dateizeitaus(st.st_mtime, &eigen);
    EXPECT_EQ(std::memcmp(&liste, &eigen, sizeof liste), 0);
    EXPECT_EQ(eigen.datum.tag, 14);
}

// Entries that are no drawing file are passed over without waiting on
// them: a pipe, a folder named like a drawing or a PDF file.
class PvwScanTest : public VorgabenTest {
protected:
    void SetUp() override
    {
        VorgabenTest::SetUp();
        PvwListeZuruecksetzen();
        vorgaben("");
    }
    void TearDown() override
    {
        PvwListeZuruecksetzen();
        VorgabenTest::TearDown();
    }
};

TEST_F(PvwScanTest, PipesAndFoldersArePassedOverAndPdfFilesKeepTheirStatus)
{
    zeichnungSchreiben(pfad("Plan.001"), BEF_ZA3, "a", "t0", "t1");
    ASSERT_EQ(mkfifo(pfad("Rohr.002").c_str(), 0600), 0);
    fs::create_directory(pfad("Ordner.003"));
    fs::create_directory(pfad("Akten.pdf"));
    schreiben(pfad("Liste.PDF"), "%PDF-1.4\n");
    maerzStempel(pfad("Liste.PDF"), 9, 15);
    PvwVerzLesen();
    ASSERT_EQ(PvwAnzahl(), 2);
    EXPECT_STREQ(PvwEintragAdr(0)->name, "Plan.001");
    const PvwEintrag* p = PvwEintragAdr(1);
    EXPECT_EQ(p->art, PVW_PDF);
    EXPECT_EQ(std::string(p->name), pfad("Liste.PDF"));
    EXPECT_EQ(p->groesse, 9);
    EXPECT_EQ(p->zeit.datum.tag, 9);
    EXPECT_EQ(p->zeit.stunde, 15);
}

TEST(PvwSchluessel, KeysOrderAsTheNameComparison)
{
    const char* namen[] = {"Anlage.001", "anlage.1",    "Anlage.01",  "Anlage.010", "Anlage.2",  "Anlage.A10",
                           "Anlage.a2",  "Anlage.10.1", "Anlage.10.a", "Anlage.a.1", "Anlage.b.1", "Anlage.1.",
                           "Anlage..5",  "Anlage",      "A.001",      "A10.001",    "A9.001",    "Z.99999999999",
                           "Z.2147483647", "Z.2147483648", "Z.001.002", "Z.0.0",    "Z.x1",      "Z.x01",
                           "hv1.08",     "HV1.8",       "Plan 3.001", "Plan3.001",  "a.b.c.d",   ".001",
                           "\xC4.001",   "\xE4.002",       "Anlage.1a",  "Anlage.1b",  "Anlage.-1", "Anlage.+1"};
    std::vector<PvwNamensSchluessel> s(std::size(namen));
    for (size_t i = 0; i < std::size(namen); ++i) PvwSchluesselBilden(namen[i], &s[i]);
    for (size_t i = 0; i < std::size(namen); ++i) {
        for (size_t j = 0; j < std::size(namen); ++j) {
            EXPECT_EQ(vorzeichen(PvwSchluesselVergleich(s[i], s[j])), vorzeichen(ZeiDateiVergleich(namen[i], namen[j])))
                << namen[i] << " / " << namen[j];
        }
    }
}

}  // namespace
