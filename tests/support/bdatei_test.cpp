// Buffered files: line reading as a table over files, the 100-byte fallback
// and memory records; moves across block boundaries; Ctrl-Z on append;
// failed write-backs and the atomic new file; memory records never touch a
// byte past their length.
#include "support/bdatei.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <ftw.h>
#include <memory>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/fehlersim.h"
#include "support/speicher.h"

namespace {

int wegEintrag(const char* p, const struct stat*, int, struct FTW*)
{
    remove(p);
    return 0;
}

enum class Art { Datei, Notpuffer, Speicher };
const char* artName(Art a)
{
    return a == Art::Datei ? "file" : a == Art::Notpuffer ? "fallback" : "memory";
}

class Bdatei : public testing::Test {
protected:
    void SetUp() override
    {
        char muster[] = "/tmp/velmo-bd-XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner = muster;
        bdzeilenmodus(0);
    }
    void TearDown() override
    {
        plFehlerAllesAus();
        bdzeilenmodus(0);
        nftw(ordner.c_str(), wegEintrag, 16, FTW_DEPTH | FTW_PHYS);
    }
    std::string p(const std::string& rel) const { return ordner + "/" + rel; }
    void datei(const std::string& rel, const std::string& inhalt) const
    {
        std::ofstream(p(rel), std::ios::binary) << inhalt;
    }
    std::string lesen(const std::string& rel) const
    {
        std::ifstream f(p(rel), std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    std::set<std::string> eintraege() const
    {
        std::set<std::string> namen;
        DIR* d = opendir(ordner.c_str());
        while (dirent* e = readdir(d)) {
            if (e->d_name[0] != '.') namen.insert(e->d_name);
        }
        closedir(d);
        return namen;
    }
    // Opens `inhalt` as the given kind of record (the memory kind over an
    // exact-size heap copy, so that ASan sees any byte past the end).
    void oeffnen(BDAT* d, Art art, const std::string& inhalt)
    {
        if (art == Art::Speicher) {
            speicher.reset(new char[inhalt.size() + 1]);
            std::memcpy(speicher.get(), inhalt.data(), inhalt.size());
            ASSERT_EQ(bdopenram(d, speicher.get(), static_cast<int32_t>(inhalt.size())), 0);
            return;
        }
        datei("f", inhalt);
        if (art == Art::Notpuffer) plFehlerSetzen(PlFehlerArt::Speicher, 1);
        ASSERT_GE(bdopen(d, p("f").c_str()), 0);
        plFehlerAllesAus();
        EXPECT_EQ(d->blockgroesse, art == Art::Notpuffer ? BDNOTSUP : BDBLOCKSUP);
    }
    std::string ordner;
    std::unique_ptr<char[]> speicher;
};

constexpr Art alleArten[] = {Art::Datei, Art::Notpuffer, Art::Speicher};

TEST_F(Bdatei, LinesAsTheAlgorithmReadsThem)
{
    struct Fall {
        std::string inhalt;
        int n;
        std::vector<std::pair<int, std::string>> zeilen;  // results until the first -1
    };
    const std::string lang(3000, 'x');
    const std::string ueberGrenze = std::string(2046, 'a') + "\r\nb";  // CR LF across the block edge
    const std::vector<Fall> faelle = {
        {"a\r\nb\x1a" "c", 80, {{1, "a"}, {1, "b"}}},         // c behind Ctrl-Z is never seen
        {"x\ny", 80, {{1, "x"}, {1, "y"}}},                      // no final line end
        {"\n\r\nz\n", 80, {{0, ""}, {0, ""}, {1, "z"}}},         // empty lines give 0
        {"abcdefghij\nk\n", 4, {{4, "abcd"}, {1, "k"}}},         // long line cut, rest dropped
        {"", 80, {}},
        {"a\r", 80, {{1, "a"}}},
        {"\x1a\n", 80, {}},                                      // Ctrl-Z ends everything
        {lang + "\n" + lang, 5000, {{3000, lang}, {3000, lang}}},
        {lang + "\nq", 10, {{10, lang.substr(0, 10)}, {1, "q"}}},
        {ueberGrenze, 3000, {{2046, ueberGrenze.substr(0, 2046)}, {1, "b"}}},
    };
    for (const Art art : alleArten) {
        for (const Fall& f : faelle) {
            BDAT d;
            oeffnen(&d, art, f.inhalt);
            std::vector<char> puffer(static_cast<size_t>(f.n) + 1, '#');
            for (const auto& [laenge, text] : f.zeilen) {
                EXPECT_EQ(bdgets(&d, puffer.data(), f.n), laenge) << artName(art) << " " << f.inhalt.substr(0, 20);
                EXPECT_EQ(std::string(puffer.data()), text) << artName(art);
            }
            EXPECT_EQ(bdgets(&d, puffer.data(), f.n), -1) << artName(art) << " " << f.inhalt.substr(0, 20);
            EXPECT_EQ(bdgets(&d, puffer.data(), f.n), -1) << artName(art);
            EXPECT_EQ(bdclose(&d), 0);
        }
    }
}

TEST_F(Bdatei, CtrlZIsFoundAgainAfterMovesAndWrites)
{
    for (const Art art : alleArten) {
        SCOPED_TRACE(artName(art));
        BDAT d;
        oeffnen(&d, art, std::string("a\x1a" "b\nc\x1a" "d\ne\nf\n"));
        char zeile[10];
        EXPECT_EQ(bdgets(&d, zeile, 9), 1);
        EXPECT_EQ(bdgets(&d, zeile, 9), -1);
        EXPECT_EQ(bdgetc(&d), 26);  // stepping over it by hand reads on
        EXPECT_EQ(bdgets(&d, zeile, 9), 1);
        EXPECT_STREQ(zeile, "b");
        EXPECT_EQ(bdgets(&d, zeile, 9), 1);
        EXPECT_STREQ(zeile, "c");
        EXPECT_EQ(bdgets(&d, zeile, 9), -1);
        EXPECT_EQ(bdclose(&d), 0);

        // A Ctrl-Z written into lines already scanned ends them there.
        oeffnen(&d, art, "a\nb\nc\nd\n");
        EXPECT_EQ(bdgets(&d, zeile, 9), 1);
        ASSERT_EQ(bdseek(&d, 4), 0);
        ASSERT_EQ(bdputc(&d, 26), 0);
        ASSERT_EQ(bdseek(&d, 2), 0);
        EXPECT_EQ(bdgets(&d, zeile, 9), 1);
        EXPECT_STREQ(zeile, "b");
        EXPECT_EQ(bdgets(&d, zeile, 9), -1);
        EXPECT_EQ(bdclose(&d), 0);
    }
}

TEST_F(Bdatei, CarriageReturnModeEndsLinesAtCr)
{
    BDAT d;
    oeffnen(&d, Art::Datei, "a\rb\nc\r\x1a" "d");
    bdzeilenmodus(2);
    EXPECT_EQ(bdzeilenmodusholen(), 2);
    char puffer[20];
    EXPECT_EQ(bdgets(&d, puffer, 19), 1);
    EXPECT_STREQ(puffer, "a");
    EXPECT_EQ(bdgets(&d, puffer, 19), 3);
    EXPECT_STREQ(puffer, "b\nc");
    EXPECT_EQ(bdgets(&d, puffer, 19), -1);
    EXPECT_EQ(bdclose(&d), 0);
}

TEST_F(Bdatei, BytesAndWordsAcrossBlockEdges)
{
    std::string muster(5000, '\0');
    for (size_t i = 0; i < muster.size(); ++i) muster[i] = static_cast<char>(i * 7 + i / 251);
    for (const Art art : alleArten) {
        SCOPED_TRACE(artName(art));
        BDAT d;
        // Written in odd pieces through a record, read back raw.
        oeffnen(&d, art, art == Art::Speicher ? std::string(5000, ' ') : std::string());
        for (size_t i = 0; i < muster.size(); i += 7) {
            const int32_t n = static_cast<int32_t>(std::min<size_t>(7, muster.size() - i));
            ASSERT_EQ(bdwrite(&d, muster.data() + i, n), 0) << i;
        }
        EXPECT_EQ(bdtell(&d), 5000);
        ASSERT_EQ(bdclose(&d), 0);
        const std::string geschrieben = art == Art::Speicher ? std::string(speicher.get(), 5000) : lesen("f");
        EXPECT_EQ(geschrieben, muster);

        oeffnen(&d, art, muster);
        const int rand = d.blockgroesse == BDNOTSUP ? 100 : 2048;
        const int32_t grenzen[] = {rand, 2 * rand, 2048, 4096};
        for (const int32_t g : grenzen) {
            char vier[4];
            ASSERT_EQ(bdseek(&d, g - 2), 0);
            ASSERT_EQ(bdread(&d, vier, 4), 0);
            EXPECT_EQ(std::string(vier, 4), muster.substr(static_cast<size_t>(g - 2), 4)) << g;
            ASSERT_EQ(bdseek(&d, g), 0);
            EXPECT_EQ(bdzurueck(&d), static_cast<unsigned char>(muster[static_cast<size_t>(g - 1)])) << g;
            EXPECT_EQ(bdtell(&d), g - 1);
            EXPECT_EQ(bdgetc(&d), static_cast<unsigned char>(muster[static_cast<size_t>(g - 1)]));
            EXPECT_EQ(bdgetc(&d), static_cast<unsigned char>(muster[static_cast<size_t>(g)]));
        }
        // The data ends: what was there is copied, the rest is -1.
        char rest[10] = {};
        ASSERT_EQ(bdseek(&d, 4996), 0);
        EXPECT_EQ(bdread(&d, rest, 10), -1);
        EXPECT_EQ(std::string(rest, 4), muster.substr(4996));
        EXPECT_EQ(bdgetc(&d), -1);
        ASSERT_EQ(bdseek(&d, 0), 0);
        EXPECT_EQ(bdzurueck(&d), -1);
        EXPECT_EQ(bdseekrel(&d, -1), -1);
        EXPECT_EQ(bdseekrel(&d, 2047), 0);
        EXPECT_EQ(bdtell(&d), 2047);
        EXPECT_EQ(bdclose(&d), 0);
    }
}

TEST_F(Bdatei, LittleEndianWords)
{
    BDAT d;
    ASSERT_GE(bdmake(&d, p("w").c_str()), 0);
    EXPECT_EQ(bdputw(&d, 0xBEEF), 0);
    EXPECT_EQ(bdputl(&d, -2), 0);
    EXPECT_EQ(bdputl(&d, 0x01020304), 0);
    ASSERT_EQ(bdseek(&d, 0), 0);
    EXPECT_EQ(bdgetw(&d), 0xBEEF);
    EXPECT_EQ(bdgetl(&d), -2);
    EXPECT_EQ(bdgetl(&d), 0x01020304);
    EXPECT_EQ(bdgetw(&d), 0);  // the data ended
    ASSERT_EQ(bdclose(&d), 0);
    EXPECT_EQ(lesen("w"), std::string("\xEF\xBE\xFE\xFF\xFF\xFF\x04\x03\x02\x01", 10));
}

TEST_F(Bdatei, LineEndsOfTheWritingModes)
{
    struct Fall {
        int modus;
        const char* ende;
    };
    const Fall faelle[] = {{0, "\n"}, {1, "\r\n"}, {2, "\r"}, {3, ""}, {-1, ""}};
    for (const Fall& f : faelle) {
        BDAT d;
        ASSERT_GE(bdmake(&d, p("t").c_str()), 0);
        EXPECT_EQ(bdputsmodus(&d, "zeile", f.modus), 0);
        ASSERT_EQ(bdclose(&d), 0);
        EXPECT_EQ(lesen("t"), std::string("zeile") + f.ende) << f.modus;
    }
    for (const int modus : {0, 1, 2}) {
        bdzeilenmodus(modus);
        BDAT d;
        ASSERT_GE(bdmake(&d, p("t").c_str()), 0);
        EXPECT_EQ(bdputs(&d, "a"), 0);
        EXPECT_EQ(bdputs(&d, "b"), 0);
        ASSERT_EQ(bdseek(&d, 0), 0);
        EXPECT_EQ(bdzeilenzahl(&d), 2) << modus;
        EXPECT_EQ(bdtell(&d), 0);
        ASSERT_EQ(bdclose(&d), 0);
        EXPECT_EQ(lesen("t"), modus == 0 ? "a\nb\n" : modus == 1 ? "a\r\nb\r\n" : "a\rb\r");
    }
}

TEST_F(Bdatei, AppendSkipsTrailingCtrlZ)
{
    struct Fall {
        std::string inhalt;
        int ergebnis;
        int32_t position;
        std::string danach;  // after appending "d\n"
    };
    const std::string block(2048, 'y');
    const std::vector<Fall> faelle = {
        {"abc\x1a\x1a", 'c', 3, "abcd\n"},
        {"", -1, 0, "d\n"},
        {"\x1a\x1a", -1, 0, "d\n"},
        {"ab\x1a" "c", 'c', 4, "ab\x1a" "cd\n"},   // only trailing Ctrl-Z counts
        {block + "\x1a", 'y', 2048, block + "d\n"},  // back across the block edge
    };
    for (const Art art : {Art::Datei, Art::Notpuffer}) {
        for (const Fall& f : faelle) {
            BDAT d;
            oeffnen(&d, art, f.inhalt);
            EXPECT_EQ(bdappend(&d), f.ergebnis) << artName(art) << " " << f.inhalt.substr(0, 8);
            EXPECT_EQ(bdtell(&d), f.position);
            EXPECT_EQ(bdputs(&d, "d"), 0);
            ASSERT_EQ(bdclose(&d), 0);
            EXPECT_EQ(lesen("f"), f.danach) << artName(art);
        }
    }
    BDAT d;
    oeffnen(&d, Art::Speicher, "xy\x1a");
    EXPECT_EQ(bdappend(&d), 'y');
    EXPECT_EQ(bdtell(&d), 2);
}

TEST_F(Bdatei, FailedWriteBackIsReportedUpToClose)
{
    const int32_t bloecke = fmallanzahl();
    // The read-only case of the file systems the program came from: a
    // record opened for reading cannot write its block back.
    datei("f", "hallo");
    BDAT d;
    ASSERT_GE(bdopenlesen(&d, p("f").c_str()), 0);
    EXPECT_EQ(bdwrite(&d, "J", 1), 0);
    EXPECT_EQ(bdclose(&d), -1);
    EXPECT_EQ(lesen("f"), "hallo");

    // A write failure while moving to another block: the move happens, the
    // failure stays in the record for every later write and for close.
    datei("f", std::string(5000, 'a'));
    ASSERT_GE(bdopen(&d, p("f").c_str()), 0);
    EXPECT_EQ(bdwrite(&d, "B", 1), 0);
    plFehlerSetzen(PlFehlerArt::Schreiben, 1);
    EXPECT_EQ(bdseek(&d, 4000), -1);
    EXPECT_EQ(bdtell(&d), 4000);
    EXPECT_EQ(bdgetc(&d), 'a');
    EXPECT_EQ(bdputc(&d, 'C'), -1);
    EXPECT_EQ(bdputs(&d, "D"), -1);
    EXPECT_EQ(bdflush(&d), -1);
    EXPECT_EQ(bdclose(&d), -1);
    EXPECT_EQ(lesen("f").substr(0, 1), "a");

    // A failed flush of an otherwise sound record.
    datei("f", "hallo");
    ASSERT_GE(bdopen(&d, p("f").c_str()), 0);
    EXPECT_EQ(bdwrite(&d, "H", 1), 0);
    plFehlerSetzen(PlFehlerArt::Schreiben, 1);
    EXPECT_EQ(bdclose(&d), -1);
    EXPECT_EQ(lesen("f"), "hallo");
    EXPECT_EQ(fmallanzahl(), bloecke);  // every failed close still released its block
}

TEST_F(Bdatei, NewFileReplacesTheOldOneOnlyWhenAllWentWell)
{
    datei("Liste.txt", "alt\n");
    BDAT d;
    ASSERT_GE(bdmake(&d, p("liste.TXT").c_str()), 0);
    EXPECT_EQ(bdputs(&d, "neu"), 0);
    plFehlerSetzen(PlFehlerArt::Schreiben, 1);
    EXPECT_EQ(bdclose(&d), -1);
    EXPECT_EQ(lesen("Liste.txt"), "alt\n");
    EXPECT_EQ(eintraege(), std::set<std::string>{"Liste.txt"});

    ASSERT_GE(bdmake(&d, p("liste.TXT").c_str()), 0);
    EXPECT_EQ(bdputs(&d, "neu"), 0);
    EXPECT_EQ(lesen("Liste.txt"), "alt\n");  // nothing visible before close
    EXPECT_EQ(bdclose(&d), 0);
    EXPECT_EQ(lesen("Liste.txt"), "neu\n");
    EXPECT_EQ(eintraege(), std::set<std::string>{"Liste.txt"});

    EXPECT_EQ(bdmake(&d, p("fehlt/x.txt").c_str()), -1);
    EXPECT_EQ(bdopen(&d, p("fehlt.txt").c_str()), -1);
}

TEST_F(Bdatei, MemoryRecordStaysInsideItsBlock)
{
    // Guard bytes around four bytes of the caller's memory.
    char block[8] = {'G', 'G', 'a', 'b', 'c', 'd', 'G', 'G'};
    BDAT d;
    ASSERT_EQ(bdopenram(&d, block + 2, 4), 0);
    EXPECT_EQ(bdseek(&d, 5), 0);   // length + 1 is allowed, as before
    EXPECT_EQ(bdseek(&d, 6), -1);
    EXPECT_EQ(bdtell(&d), 5);
    EXPECT_EQ(bdgetc(&d), -1);
    EXPECT_EQ(bdzurueck(&d), -1);  // byte 4 is not the caller's
    EXPECT_EQ(bdputc(&d, 'X'), -1);
    ASSERT_EQ(bdseek(&d, 2), 0);
    EXPECT_EQ(bdwrite(&d, "XYZ", 3), -1);  // only two bytes fit
    EXPECT_EQ(bdtell(&d), 4);
    EXPECT_EQ(bdputl(&d, 0), -1);
    EXPECT_EQ(std::string(block, 8), "GGabXYGG");
    ASSERT_EQ(bdseek(&d, 0), 0);
    char text[10];
    EXPECT_EQ(bdgets(&d, text, 9), 4);
    EXPECT_STREQ(text, "abXY");
    EXPECT_EQ(bdende(&d), 0);
    EXPECT_EQ(bdtell(&d), 4);
    EXPECT_EQ(bdclose(&d), 0);
    EXPECT_EQ(std::string(block, 8), "GGabXYGG");
}

TEST_F(Bdatei, EndCountsBytesNotYetWrittenBack)
{
    BDAT d;
    ASSERT_GE(bdmake(&d, p("e").c_str()), 0);
    const std::string text(3000, 'z');
    ASSERT_EQ(bdwrite(&d, text.data(), 3000), 0);
    ASSERT_EQ(bdseek(&d, 10), 0);
    EXPECT_EQ(bdende(&d), 0);
    EXPECT_EQ(bdtell(&d), 3000);
    // A gap behind the end reads as zeros.
    ASSERT_EQ(bdseek(&d, 3010), 0);
    ASSERT_EQ(bdputc(&d, 'E'), 0);
    ASSERT_EQ(bdseek(&d, 2999), 0);
    char rest[12];
    ASSERT_EQ(bdread(&d, rest, 12), 0);
    EXPECT_EQ(std::string(rest, 12), std::string("z") + std::string(10, '\0') + "E");
    ASSERT_EQ(bdclose(&d), 0);
    EXPECT_EQ(lesen("e"), text + std::string(10, '\0') + "E");
}

TEST_F(Bdatei, NewFileIsWrittenWithoutReadingAndWholeInAnyBlockSize)
{
    // Written front to back, a new file has nothing to read: no read is
    // made. Going back to its start and rewriting it keeps every byte.
    std::string erwartet;
    for (int i = 0; erwartet.size() < 150000; ++i) erwartet += "Satz " + std::to_string(i) + ";";
    for (const int32_t groesse : {0, 4096, 65536}) {
        SCOPED_TRACE(groesse);
        BDAT d;
        ASSERT_GE(groesse == 0 ? bdmake(&d, p("n").c_str()) : bdmakeblock(&d, p("n").c_str(), groesse), 0);
        EXPECT_EQ(d.blockgroesse, groesse == 0 ? BDBLOCKSUP : groesse);
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 1, true);
        for (size_t pos = 0; pos < erwartet.size(); pos += 7)
            ASSERT_EQ(bdwrite(&d, erwartet.data() + pos, static_cast<int32_t>(std::min<size_t>(7, erwartet.size() - pos))), 0);
        EXPECT_EQ(plFehlerAusgeloest(PlFehlerArt::Lesen), 0);
        plFehlerAllesAus();
        ASSERT_EQ(bdseek(&d, 0), 0);
        ASSERT_EQ(bdwrite(&d, "KOPF", 4), 0);
        char mitte[6];
        ASSERT_EQ(bdseek(&d, 70000), 0);
        ASSERT_EQ(bdread(&d, mitte, 6), 0);
        EXPECT_EQ(std::string(mitte, 6), erwartet.substr(70000, 6));
        ASSERT_EQ(bdclose(&d), 0);
        EXPECT_EQ(lesen("n"), "KOPF" + erwartet.substr(4));
    }
}

}  // namespace

TEST_F(Bdatei, ReadErrorIsToldApartFromTheEnd)
{
    // Three lines spread over two blocks; the second block cannot be read.
    std::string inhalt = std::string(BDLESEBLOCK - 1, 'x') + "\nzwei\ndrei\n";
    datei("f", inhalt);
    BDAT d;
    ASSERT_GE(bdopenlesen(&d, p("f").c_str()), 0);
    std::vector<char> puffer(BDLESEBLOCK + 1);
    char* zeile = puffer.data();
    EXPECT_EQ(bdgets(&d, zeile, BDLESEBLOCK), BDLESEBLOCK - 1);
    EXPECT_EQ(bdlesefehler(&d), 0);
    plFehlerSetzen(PlFehlerArt::Lesen, 1);
    EXPECT_EQ(bdgets(&d, zeile, BDLESEBLOCK), -1);  // reads as the end ...
    EXPECT_EQ(bdlesefehler(&d), 1);           // ... but is told apart
    plFehlerAllesAus();
    EXPECT_EQ(bdseek(&d, 0), 0);
    EXPECT_EQ(bdlesefehler(&d), 1);  // stays for the whole-file reader's check
    bdclose(&d);

    // A seek onto a block that fails to load says so.
    ASSERT_GE(bdopenlesen(&d, p("f").c_str()), 0);
    plFehlerSetzen(PlFehlerArt::Lesen, 1);
    EXPECT_EQ(bdseek(&d, BDLESEBLOCK + 2), -1);
    EXPECT_EQ(bdgetc(&d), -1);
    plFehlerAllesAus();
    bdclose(&d);

    // The normal end of the file is no error.
    ASSERT_GE(bdopenlesen(&d, p("f").c_str()), 0);
    int zeilen = 0;
    while (bdgets(&d, zeile, BDLESEBLOCK) >= 0) ++zeilen;
    EXPECT_EQ(zeilen, 3);
    EXPECT_EQ(bdlesefehler(&d), 0);
    bdclose(&d);
}

TEST_F(Bdatei, ReadOnlyRecordReadsWhatTheWritableOneReads)
{
    // A record opened only for reading has larger blocks; lines, CR LF pairs,
    // words and a Ctrl-Z across its block edges read as through 2 KB blocks.
    std::string inhalt;
    for (int i = 0; inhalt.size() < 3 * static_cast<size_t>(BDLESEBLOCK); ++i)
        inhalt += "Zeile " + std::to_string(i) + std::string(static_cast<size_t>(i * 37 % 300), 'z') + "\r\n";
    inhalt.replace(BDLESEBLOCK - 1, 2, "\r\n");                   // a line end across the first edge
    inhalt.replace(2 * BDLESEBLOCK - 3, 6, std::string(6, 'q'));   // a line across the second
    inhalt[2 * BDLESEBLOCK + 500] = '\x1a';                       // the data end there
    datei("f", inhalt);

    BDAT nurLesen, beschreibbar;
    ASSERT_GE(bdopenlesen(&nurLesen, p("f").c_str()), 0);
    ASSERT_GE(bdopen(&beschreibbar, p("f").c_str()), 0);
    EXPECT_EQ(nurLesen.blockgroesse, BDLESEBLOCK);
    char a[400], b[400];
    int zeilen = 0;
    for (;;) {
        const int na = bdgets(&nurLesen, a, 300);
        ASSERT_EQ(na, bdgets(&beschreibbar, b, 300)) << zeilen;
        if (na < 0) break;
        ASSERT_STREQ(a, b) << zeilen;
        ++zeilen;
    }
    EXPECT_GT(zeilen, 300);
    for (const int32_t pos : {BDLESEBLOCK - 3, 2 * BDLESEBLOCK - 1, 5, BDLESEBLOCK}) {
        ASSERT_EQ(bdseek(&nurLesen, pos), 0);
        ASSERT_EQ(bdseek(&beschreibbar, pos), 0);
        EXPECT_EQ(bdgetl(&nurLesen), bdgetl(&beschreibbar)) << pos;
        EXPECT_EQ(bdzurueck(&nurLesen), bdzurueck(&beschreibbar)) << pos;
        EXPECT_EQ(bdtell(&nurLesen), pos + 3);
    }
    EXPECT_EQ(bdclose(&nurLesen), 0);
    EXPECT_EQ(bdclose(&beschreibbar), 0);
    EXPECT_EQ(lesen("f"), inhalt);
}
