// Path and file-name functions and the code-page conversions.
#include "support/pfade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

TEST(Pfade, DirectoryPartAndSeparators)
{
    struct Fall {
        const char* p;
        int lang;
        const char* schluss;  // after pfadschluss
        const char* weg;      // after pfadweg
    } faelle[] = {
        {"name.txt", 0, "name.txt/", "name.txt"},
        {"/name", 1, "/name/", "name"},
        {"C:name", 2, "C:name/", "name"},
        {"a\\b\\c", 4, "a\\b\\c\\", "c"},
        {"a\\b/c", 4, "a\\b/c/", "c"},
        {"a/b\\", 4, "a/b\\", ""},
        {"", 0, "", ""},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(pfadlang(f.p), f.lang) << f.p;
        char s[32];
        std::strcpy(s, f.p);
        EXPECT_EQ(pfadschluss(s), 0);
        EXPECT_STREQ(s, f.schluss) << f.p;
        std::strcpy(s, f.p);
        pfadweg(s);
        EXPECT_STREQ(s, f.weg) << f.p;
        char d[32];
        EXPECT_EQ(pfadholen(d, f.p), f.lang);
        EXPECT_EQ(std::string(d), std::string(f.p, static_cast<size_t>(f.lang)));
    }

    char t[] = "a\\b/c\\d";
    pfadtrenner(t);
    EXPECT_STREQ(t, "a\\b\\c\\d");
    pfadslash(t);
    EXPECT_STREQ(t, "a/b/c/d");
    pfadbackslash(t);
    EXPECT_STREQ(t, "a\\b\\c\\d");
    char w[] = "a/b/";
    pfadschlussweg(w);
    EXPECT_STREQ(w, "a/b");
    pfadschlussweg(w);
    EXPECT_STREQ(w, "a/b");
}

TEST(Pfade, PfadnormalRefusesWhatItWouldHaveToCut)
{
    char z[PFADSUP + 1];
    EXPECT_EQ(pfadnormal(z, "Projekt A\\Sub\\Toolbar.txt"), 0);
    EXPECT_STREQ(z, "Projekt A/Sub/Toolbar.txt");

    std::string p200(200, 'x');
    EXPECT_EQ(pfadnormal(z, p200.c_str()), 0);
    EXPECT_EQ(std::strlen(z), 200u);
    std::string p201(201, 'x');
    EXPECT_EQ(pfadnormal(z, p201.c_str()), -1);
    EXPECT_STREQ(z, "");

    char klein[8];
    EXPECT_EQ(pfadnormal(klein, "abcdefgh"), -1);  // does not fit the target
    EXPECT_STREQ(klein, "");
}

TEST(Pfade, ShortenedDisplayForms)
{
    // 40 characters: the long case of pfadkurz, the whole text for pfadkurzn(40).
    const char* p40 = "/home/benutzer/projekte/anlage/plan1.txt";
    ASSERT_EQ(std::strlen(p40), 40u);
    // The tail "e/benutzer/..." moves on to its first separator.
    EXPECT_STREQ(pfadkurz(p40), ".../benutzer/projekte/anlage/plan1.txt");
    EXPECT_STREQ(pfadkurzn(p40, 40), p40);

    struct Fall {
        const char* p;
        const char* kurz;
    } faelle[] = {
        {"C:\\kurz\\", "C:\\kurz"},  // one trailing separator removed
        {"a/b\\c", "a/b/c"},         // separators unified by the first
        // 39 characters: shown whole
        {"/abcdefghij/abcdefghij/abcdefghij/abcde", "/abcdefghij/abcdefghij/abcdefghij/abcde"},
        // no separator within the tail: the whole 37-character tail
        {"/x/0123456789012345678901234567890123456789", "...3456789012345678901234567890123456789"},
        // tail beginning with '/' is kept as it is
        {"/012/012345678901234567890123456789012345", ".../012345678901234567890123456789012345"},
    };
    for (const Fall& f : faelle) {
        EXPECT_STREQ(pfadkurz(f.p), f.kurz) << f.p;
    }
    EXPECT_STREQ(pfadkurzn("/abc/defgh/ijk", 10), ".../ijk");
    EXPECT_STREQ(pfadkurzn("abcdefghijklmno", 10), "...ijklmno");

    // n above 92 is clamped to 92.
    std::string lang = "/" + std::string(120, 'a') + "/" + std::string(60, 'b');
    const char* k = pfadkurzn(lang.c_str(), 500);
    EXPECT_LE(std::strlen(k), 92u);
    EXPECT_EQ(std::string(k), ".../" + std::string(60, 'b'));
}

TEST(Pfade, Extensions)
{
    struct Fall {
        const char* name;
        const char* endung;
        const char* gesetzt;  // endungsetzen(name, "neu")
        const char* ohne;     // endungweg
    } faelle[] = {
        {"plan.txt", "txt", "plan.neu", "plan"},
        {"a.b.c", "c", "a.b.neu", "a.b"},
        {".profil", "", ".profil.neu", ".profil"},  // the only '.' at position 0
        {"ord.ner/datei", "", "ord.ner/datei.neu", "ord.ner/datei"},
        {"ord\\da.tei", "tei", "ord\\da.neu", "ord\\da"},
        {"name", "", "name.neu", "name"},
        {"x", "", "x.neu", "x"},
    };
    for (const Fall& f : faelle) {
        char e[16];
        endungholen(e, f.name);
        EXPECT_STREQ(e, f.endung) << f.name;
        char s[32];
        std::strcpy(s, f.name);
        EXPECT_EQ(endungsetzen(s, "neu"), 0);
        EXPECT_STREQ(s, f.gesetzt) << f.name;
        std::strcpy(s, f.name);
        endungweg(s);
        EXPECT_STREQ(s, f.ohne) << f.name;
    }

    char n83[16] = "PLAN    .   ";
    EXPECT_EQ(endungsetzen83(n83, "TXTX", 13), 0);
    EXPECT_STREQ(n83, "PLAN.TXT.   ");
    char leer[16] = "";
    EXPECT_EQ(endungsetzen83(leer, "TXT", 13), -1);
    char punkt[16] = ".X";
    EXPECT_EQ(endungsetzen83(punkt, "TXT", 13), -1);
    char eng[16] = "PLAN";
    EXPECT_EQ(endungsetzen83(eng, "TXT", 11), -1);
}

TEST(Pfade, CodePageTables)
{
    // Spot checks of both tables, row by row.
    struct Paar {
        unsigned char von, nach;
    } oemAnsi[] = {{0x80, 0xC7}, {0x81, 0xFC}, {0x8E, 0xC4}, {0x94, 0xF6}, {0x99, 0xD6},
                   {0x9A, 0xDC}, {0xA5, 0xD1}, {0xB0, 0xA6}, {0xC4, 0x2D}, {0xD5, 0x69},
                   {0xE1, 0xDF}, {0xFF, 0xA0}, {0x41, 0x41}},
      ansiOem[] = {{0x80, 0x5F}, {0x95, 0x07}, {0xA0, 0xFF}, {0xC4, 0x8E}, {0xD6, 0x99},
                   {0xDC, 0x9A}, {0xDF, 0xE1}, {0xE4, 0x84}, {0xFC, 0x81}, {0xFF, 0x98}};
    for (const Paar& p : oemAnsi) {
        EXPECT_EQ(ZeichenOemAnsi(p.von), p.nach) << int(p.von);
    }
    for (const Paar& p : ansiOem) {
        char q[2] = {static_cast<char>(p.von), 0};
        char z[2];
        ansioem(z, q);
        EXPECT_EQ(static_cast<unsigned char>(z[0]), p.nach) << int(p.von);
    }
    EXPECT_EQ(ZeichenAnsiOem(0xA0), 0xA0);  // below 0xC0: unchanged
    EXPECT_EQ(ZeichenAnsiOem(0xE4), 0x84);

    char o[] = "\x84\x94\x81";  // ä ö ü in 850
    char a[8];
    oemansi(a, o);
    EXPECT_STREQ(a, "\xE4\xF6\xFC");

    // StrOemAnsi: only 0x80..0xA5 converted, then 0xFF becomes a blank.
    char s[] = "\x98\xA5\xA6\xE1\xFE\xFF";
    StrOemAnsi(s);
    EXPECT_STREQ(s, " \xD1\xA6\xE1\xFE ");
    char t[] = "\xA0\xC4\xFC";
    StrAnsiOem(t);
    EXPECT_STREQ(t, "\xA0\x8E\x81");

    char h[] = "\x9B\x9D\xBD\xBE\xED";
    sonderzeichenhin(h);
    EXPECT_STREQ(h, "\xED\xED\x9B\x9D\xED");
    char r[] = "\x9B\x9D\xED";
    sonderzeichenher(r);
    EXPECT_STREQ(r, "\xBD\xBE\x9D");
}

TEST(Pfade, EveryBoundedFunctionStaysInsideASmallTarget)
{
    auto knapp = [](size_t n, const char* anfang) {
        std::unique_ptr<char[]> p(new char[n]);
        size_t m = std::min(std::strlen(anfang), n - 1);
        std::memcpy(p.get(), anfang, m);
        p[m] = '\0';
        return p;
    };
    auto z = knapp(4, "");
    EXPECT_EQ(pfadholen(z.get(), 4, "abcdef/x"), 3);
    EXPECT_STREQ(z.get(), "abc");
    EXPECT_EQ(endungholen(z.get(), 4, "a.langes"), 3);
    EXPECT_STREQ(z.get(), "lan");
    oemansi(z.get(), 4, "\x84\x84\x84\x84\x84");
    EXPECT_STREQ(z.get(), "\xE4\xE4\xE4");
    ansioem(z.get(), 4, "abcdef");
    EXPECT_STREQ(z.get(), "abc");
    EXPECT_EQ(pfadnormal(z.get(), 4, "a\\bc"), -1);

    auto p = knapp(4, "abc");
    EXPECT_EQ(pfadschluss(p.get(), 4), -1);
    EXPECT_STREQ(p.get(), "abc");
    auto e = knapp(6, "ab");
    EXPECT_EQ(endungsetzen(e.get(), 6, "txt"), -1);
    EXPECT_STREQ(e.get(), "ab");
    EXPECT_EQ(endungsetzen(e.get(), 6, "tx"), 0);
    EXPECT_STREQ(e.get(), "ab.tx");
}

TEST(Pfade, FileTestsOpenAndClose)
{
    std::string ordner = std::string(VELMO_TEST_DATA) + "/support";
    std::string datei = ordner + "/pfade_vorhanden.txt";
    EXPECT_EQ(dateiexist(datei.c_str()), 1);
    EXPECT_EQ(dateilesbar(datei.c_str()), 1);
    std::string fehlt = ordner + "/pfade_fehlt.txt";
    EXPECT_EQ(dateiexist(fehlt.c_str()), 0);
    EXPECT_EQ(dateilesbar(fehlt.c_str()), 0);
}
