// Handle layer and file-system calls: a project folder from a case-blind
// disk, code-page names, refused drive and network paths, the 200-character
// limit, attributes, time stamps, copying, folder creation and listings.
#include "support/dosdatei.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <ftw.h>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/fehlersim.h"
#include "support/bdatei.h"

namespace {

int wegEintrag(const char* p, const struct stat*, int, struct FTW*)
{
    remove(p);
    return 0;
}

class Dosdatei : public testing::Test {
protected:
    void SetUp() override
    {
        char muster[] = "/tmp/velmo-dd-XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner = muster;
        ASSERT_NE(getcwd(altCwd, sizeof altCwd), nullptr);
    }
    void TearDown() override
    {
        plFehlerAllesAus();
        EXPECT_EQ(chdir(altCwd), 0);
        nftw(ordner.c_str(), wegEintrag, 16, FTW_DEPTH | FTW_PHYS);
    }
    std::string p(const std::string& rel) const { return ordner + "/" + rel; }
    void datei(const std::string& rel, const std::string& inhalt) const
    {
        std::ofstream(p(rel), std::ios::binary) << inhalt;
    }
    void verz(const std::string& rel) const { ASSERT_EQ(mkdir(p(rel).c_str(), 0777), 0) << rel; }
    bool gibt(const std::string& rel) const
    {
        struct stat st;
        return lstat(p(rel).c_str(), &st) == 0;
    }
    std::string lesen(const std::string& rel) const
    {
        std::ifstream f(p(rel), std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    std::string ordner;
    char altCwd[4096];
};

struct Eintrag {
    int verzeichnis;
    std::string pfad;
    bool operator<(const Eintrag& o) const { return pfad < o.pfad; }
    bool operator==(const Eintrag& o) const { return pfad == o.pfad && verzeichnis == o.verzeichnis; }
};

int sammeln(int verzeichnis, const char* pfad, void* user)
{
    static_cast<std::vector<Eintrag>*>(user)->push_back({verzeichnis, pfad});
    return 1;
}

std::vector<Eintrag> liste(const std::string& muster)
{
    std::vector<Eintrag> e;
    verzlesennamen(muster.c_str(), sammeln, &e);
    std::sort(e.begin(), e.end());
    return e;
}

TEST_F(Dosdatei, ProjectFolderFromACaseBlindDisk)
{
    verz("Projekt A");
    verz("Projekt A/Sub");
    datei("Projekt A/Sub/TOOLBAR.TXT", "[Leiste]\r\nzwei\r\n");
    BDAT d;
    ASSERT_GE(bdopenlesen(&d, p("projekt a\\sub\\Toolbar.txt").c_str()), 0);
    char zeile[80];
    EXPECT_EQ(bdgets(&d, zeile, 79), 8);
    EXPECT_STREQ(zeile, "[Leiste]");
    EXPECT_EQ(bdclose(&d), 0);
    EXPECT_EQ(dateilaenge(p("PROJEKT A/SUB/toolbar.txt").c_str()), 16);
    EXPECT_EQ(dosattrib(p("projekt a\\SUB").c_str()), DOSATTR_VERZEICHNIS);
}

TEST_F(Dosdatei, CodePageNameIsUtf8OnDiskAndListedBackAsTheSameBytes)
{
    const std::string name = "\xDC" "bersicht \xE4\xF6\xFC\xDF.txt";  // Übersicht äöüß.txt
    BDAT d;
    ASSERT_GE(bdmake(&d, p(name).c_str()), 0);
    EXPECT_EQ(bdputsmodus(&d, "x", 1), 0);
    ASSERT_EQ(bdclose(&d), 0);
    EXPECT_TRUE(gibt("\xC3\x9C" "bersicht \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F.txt"));
    EXPECT_EQ(liste(ordner + "/*.TXT"), (std::vector<Eintrag>{{0, p(name)}}));
}

TEST_F(Dosdatei, DriveAndNetworkPathsAreNotFound)
{
    for (const char* f : {"C:\\x", "\\\\srv\\share\\x"}) {
        SCOPED_TRACE(f);
        EXPECT_EQ(dosopen(f, 0), -1);
        EXPECT_EQ(doscrt(f), -1);
        EXPECT_EQ(dosattrib(f), DOSATTR_FEHLT);
        EXPECT_EQ(dateilaenge(f), -1);
        EXPECT_EQ(dosmkdir(f), -1);
        EXPECT_EQ(pfadanlegen(f), 1);
        BDAT d;
        EXPECT_EQ(bdopen(&d, f), -1);
    }
}

TEST_F(Dosdatei, PathOver200CharactersFailsInsteadOfActingOnACutPath)
{
    const std::string p200 = p(std::string(200 - ordner.size() - 1, 'n'));
    ASSERT_EQ(p200.size(), 200u);
    std::ofstream(p200) << "kurz";
    const std::string p201 = p200 + "x";
    const int h = dosopen(p200.c_str(), 0);
    EXPECT_GE(h, 0);
    dosclose(h);
    EXPECT_EQ(dosopen(p201.c_str(), 0), -1);
    EXPECT_EQ(doscrt(p201.c_str()), -1);
    EXPECT_EQ(dateilaenge(p201.c_str()), -1);
    EXPECT_EQ(dosattrib(p201.c_str()), DOSATTR_FEHLT);
    EXPECT_EQ(dateiloeschen(p201.c_str()), -1);
    BDAT d;
    EXPECT_EQ(bdmake(&d, p201.c_str()), -1);
    EXPECT_EQ(dateilaenge(p200.c_str()), 4);  // untouched

    // The current folder likewise.
    const std::string tief = p(std::string(100, 't')) + "/" + std::string(100, 'u');
    ASSERT_EQ(mkdir(p(std::string(100, 't')).c_str(), 0777), 0);
    ASSERT_EQ(mkdir(tief.c_str(), 0777), 0);
    char cwd[300] = "alt";
    ASSERT_EQ(chdir(ordner.c_str()), 0);
    EXPECT_EQ(dosgetcwd(cwd), 0);
    EXPECT_EQ(std::string(cwd), ordner);
    char klein[8] = "alt";
    EXPECT_EQ(dosgetcwd(klein), -1);
    EXPECT_STREQ(klein, "");
    ASSERT_EQ(chdir(tief.c_str()), 0);
    EXPECT_EQ(dosgetcwd(cwd), -1);
    EXPECT_STREQ(cwd, "");
}

TEST_F(Dosdatei, OpenModesAndFolders)
{
    datei("f", "abc");
    verz("v");
    int h = dosopen(p("F").c_str(), 2);
    ASSERT_GE(h, 0);
    EXPECT_EQ(doslseek(h, -1, 2), 2);
    EXPECT_EQ(doswrite(h, "Z", 1), 1);
    EXPECT_EQ(doslseek(h, 0, 0), 0);
    char b[4] = {};
    EXPECT_EQ(dosread(h, b, 4), 3);
    EXPECT_STREQ(b, "abZ");
    EXPECT_EQ(doslseek(h, -2, 1), 1);
    EXPECT_EQ(dosclose(h), 0);
    h = dosopen(p("f").c_str(), 1);
    ASSERT_GE(h, 0);
    EXPECT_EQ(dosread(h, b, 1), -1);  // opened for writing only
    EXPECT_EQ(dosclose(h), 0);
    // A folder is no file: not opened, so it never counts as one.
    EXPECT_EQ(dosopen(p("v").c_str(), 0), -1);
    EXPECT_EQ(dosopen(p("v").c_str(), 2), -1);
    EXPECT_EQ(dosopen(p("f").c_str(), 3), -1);
    EXPECT_EQ(dosopen(p("fehlt").c_str(), 0), -1);
    EXPECT_EQ(dosopen(p("fehlt").c_str(), 1), -1);  // writing does not create
    EXPECT_FALSE(gibt("fehlt"));
    EXPECT_EQ(doschdir(p("V").c_str()), 0);
    EXPECT_EQ(dosmkdir("Neu"), 0);
    EXPECT_TRUE(gibt("v/Neu"));
    EXPECT_EQ(dosrmdir(p("v/neu").c_str()), 0);
    EXPECT_EQ(dosrmdir(p("v/neu").c_str()), -1);
    EXPECT_EQ(dateiloeschen(p("F").c_str()), 0);
    EXPECT_EQ(dateiloeschen(p("F").c_str()), -1);
}

TEST_F(Dosdatei, AttributesOfTheFoldersAndFiles)
{
    datei("f", "x");
    verz("v");
    EXPECT_EQ(dosattrib(p("f").c_str()), DOSATTR_DATEI);
    EXPECT_EQ(dosattrib(p("v").c_str()), DOSATTR_VERZEICHNIS);
    EXPECT_EQ(dosattrib(p("fehlt").c_str()), -1);
    struct Fall {
        int setzen;
        int danach;
    };
    const Fall faelle[] = {
        {DOSATTR_NURLESEN, DOSATTR_DATEI | DOSATTR_NURLESEN},
        {DOSATTR_NURLESEN | DOSATTR_VERZEICHNIS, DOSATTR_DATEI | DOSATTR_NURLESEN},
        {0, DOSATTR_DATEI},
        {DOSATTR_VERZEICHNIS, DOSATTR_DATEI},  // only the read-only bit is honoured
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(dosattribsetzen(p("f").c_str(), f.setzen), 0);
        EXPECT_EQ(dosattrib(p("f").c_str()), f.danach) << f.setzen;
    }
    EXPECT_EQ(dosattribsetzen(p("fehlt").c_str(), 0), -1);
}

TEST_F(Dosdatei, TimeStampsInLocalTime)
{
    datei("f", "x");
    const DATZEIT stempel[] = {
        {{124, 2, 29}, 13, 45, 10},
        {{80, 1, 1}, 0, 0, 0},
        {{125, 7, 31}, 23, 59, 59},
    };
    for (const DATZEIT& s : stempel) {
        EXPECT_EQ(dateizeitsetzen(p("F").c_str(), &s), 0);
        DATZEIT z;
        EXPECT_EQ(dateizeit(p("F").c_str(), &z), 0);
        EXPECT_EQ(std::memcmp(&z, &s, sizeof z), 0) << int(z.datum.jahr) << "-" << int(z.datum.monat);
    }
    DATZEIT z;
    std::memset(&z, 0x55, sizeof z);
    EXPECT_EQ(dateizeit(p("fehlt").c_str(), &z), -1);
    EXPECT_EQ(std::memcmp(&z, "\0\0\0\0\0\0", 6), 0);
    EXPECT_EQ(dateizeitsetzen(p("fehlt").c_str(), &stempel[0]), -1);
}

TEST_F(Dosdatei, CopyCarriesContentTimeAndAttributes)
{
    std::string inhalt(40000, '\0');
    for (size_t i = 0; i < inhalt.size(); ++i) inhalt[i] = static_cast<char>(i % 253);
    datei("q", inhalt);
    const DATZEIT s = {{120, 5, 4}, 3, 2, 1};
    ASSERT_EQ(dateizeitsetzen(p("q").c_str(), &s), 0);
    ASSERT_EQ(dosattribsetzen(p("q").c_str(), DOSATTR_NURLESEN), 0);
    EXPECT_EQ(dateikopieren(p("Q").c_str(), p("z").c_str()), 0);
    EXPECT_EQ(lesen("z"), inhalt);
    DATZEIT z;
    ASSERT_EQ(dateizeit(p("z").c_str(), &z), 0);
    EXPECT_EQ(std::memcmp(&z, &s, sizeof z), 0);
    EXPECT_EQ(dosattrib(p("z").c_str()), DOSATTR_DATEI | DOSATTR_NURLESEN);
    // Small and empty files, and the 512-byte buffer when memory is short.
    for (const size_t n : {size_t(0), size_t(1), size_t(16384), size_t(16385)}) {
        datei("k", inhalt.substr(0, n));
        plFehlerSetzen(PlFehlerArt::Speicher, 1, true);
        EXPECT_EQ(dateikopieren(p("k").c_str(), p("kz").c_str()), 0);
        plFehlerAllesAus();
        EXPECT_EQ(lesen("kz"), inhalt.substr(0, n)) << n;
    }
}

TEST_F(Dosdatei, FailedCopyLeavesNoTarget)
{
    verz("ordner");
    datei("q", std::string(50000, 'q'));
    datei("alt", "bleibt");
    struct Fall {
        const char* was;
        const char* quelle;
        const char* ziel;
        PlFehlerArt art;
        int n;
    };
    const Fall faelle[] = {
        {"source is a folder", "ordner", "z1", PlFehlerArt::Speicher, 0},
        {"missing source", "fehlt", "z2", PlFehlerArt::Speicher, 0},
        {"read error after the first block", "q", "z3", PlFehlerArt::Lesen, 2},
        {"read error at once", "q", "z4", PlFehlerArt::Lesen, 1},
        {"write error", "q", "z5", PlFehlerArt::Schreiben, 2},
        {"close of the target", "q", "z6", PlFehlerArt::Schliessen, 2},
        {"existing target kept", "q", "alt", PlFehlerArt::Lesen, 2},
    };
    for (const Fall& f : faelle) {
        plFehlerSetzen(f.art, f.n);
        EXPECT_EQ(dateikopieren(p(f.quelle).c_str(), p(f.ziel).c_str()), -1) << f.was;
        plFehlerAllesAus();
        if (std::string(f.ziel) == "alt") {
            EXPECT_EQ(lesen("alt"), "bleibt");
        } else {
            EXPECT_FALSE(gibt(f.ziel)) << f.was;
        }
    }
    std::set<std::string> namen;
    DIR* d = opendir(ordner.c_str());
    while (dirent* e = readdir(d)) namen.insert(e->d_name);
    closedir(d);
    EXPECT_EQ(namen, (std::set<std::string>{".", "..", "alt", "ordner", "q"}));  // no temporary files
}

TEST_F(Dosdatei, CreatesWholeFolderPaths)
{
    verz("Da");
    datei("Datei", "x");
    ASSERT_EQ(chdir(ordner.c_str()), 0);
    struct Fall {
        std::string pfad;
        int ergebnis;
        const char* pruefen;
    };
    const std::vector<Fall> faelle = {
        {p("da/eins/zwei"), 0, "Da/eins/zwei"},
        {"  relativ\\a\\b\\  ", 0, "relativ/a/b"},
        {p("DA"), 0, "Da"},
        {p("Datei/unter"), 2, nullptr},
        {"C:\\x", 1, nullptr},
        {"\\\\srv\\share\\x", 1, nullptr},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(pfadanlegen(f.pfad.c_str()), f.ergebnis) << f.pfad;
        if (f.pruefen) {
            EXPECT_EQ(dosattrib(p(f.pruefen).c_str()), DOSATTR_VERZEICHNIS) << f.pfad;
        }
    }
    plFehlerSetzen(PlFehlerArt::Oeffnen, 1);
    EXPECT_EQ(pfadanlegen(p("neu/x").c_str()), 2);
    plFehlerAllesAus();
    EXPECT_FALSE(gibt("neu"));
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(std::string(cwd), ordner);
}

TEST_F(Dosdatei, ListingsFollowTheRootAndCurrentFolderRules)
{
    verz("Sub");
    datei("a.txt", "12345");
    datei("B.TXT", "");
    datei("c.doc", "");
    datei("Sub/x.txt", "");
    ASSERT_EQ(chdir(ordner.c_str()), 0);
    struct Fall {
        std::string muster;
        std::vector<Eintrag> erwartet;
    };
    const std::vector<Fall> faelle = {
        {"*.txt", {{0, "./B.TXT"}, {0, "./a.txt"}}},
        {"", {{0, "./B.TXT"}, {1, "./Sub"}, {0, "./a.txt"}, {0, "./c.doc"}}},
        {"?.DOC", {{0, "./c.doc"}}},
        {ordner + "/sub/", {{0, ordner + "/sub/x.txt"}}},
        {ordner + "\\SUB\\X*", {{0, ordner + "\\SUB/x.txt"}}},
        {"fehlt/*", {}},
    };
    for (const Fall& f : faelle) EXPECT_EQ(liste(f.muster), f.erwartet) << f.muster;

    // The root: its separator is used as it is, never doubled.
    std::vector<Eintrag> wurzel = liste("/*");
    ASSERT_FALSE(wurzel.empty());
    for (const Eintrag& e : wurzel) EXPECT_TRUE(e.pfad.size() > 1 && e.pfad[0] == '/' && e.pfad[1] != '/') << e.pfad;

    // Data listing with size and time; the callback stops the walk with 0.
    struct Daten {
        int anzahl = 0;
        long groesse = -1;
        DATZEIT zeit{};
    } daten;
    const DATZEIT s = {{123, 12, 24}, 18, 30, 0};
    ASSERT_EQ(dateizeitsetzen("a.txt", &s), 0);
    verzlesendaten(
        "A.*",
        [](int, const char*, long groesse, const DATZEIT* zeit, void* user) {
            auto* d = static_cast<Daten*>(user);
            ++d->anzahl;
            d->groesse = groesse;
            d->zeit = *zeit;
            return 0;
        },
        &daten);
    EXPECT_EQ(daten.anzahl, 1);
    EXPECT_EQ(daten.groesse, 5);
    EXPECT_EQ(std::memcmp(&daten.zeit, &s, sizeof s), 0);
    int gezaehlt = 0;
    verzlesennamen("*", [](int, const char*, void* user) { return ++*static_cast<int*>(user) < 2 ? 1 : 0; },
                   &gezaehlt);
    EXPECT_EQ(gezaehlt, 2);
}

TEST_F(Dosdatei, FolderCopySkipsSubfolders)
{
    verz("q");
    verz("q/unter");
    verz("z");
    datei("q/eins", "1");
    datei("q/Zwei", "2");
    EXPECT_EQ(verzkopieren(p("Q").c_str(), p("z/").c_str()), 0);
    EXPECT_EQ(lesen("z/eins"), "1");
    EXPECT_EQ(lesen("z/Zwei"), "2");
    EXPECT_FALSE(gibt("z/unter"));
    EXPECT_EQ(verzkopieren(p("q").c_str(), p("fehlt").c_str()), -1);
}

}  // namespace
