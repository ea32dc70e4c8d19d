// The file-system boundary: ignore-case lookup, names in and out, refused
// drive and network paths, atomic replacement and fault injection.
#include "platform/dateisys.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ftw.h>
#include <set>
#include <sstream>
#include <unistd.h>

#include "platform/fehlersim.h"

namespace {

int wegEintrag(const char* p, const struct stat*, int, struct FTW*)
{
    remove(p);
    return 0;
}

// A fresh folder per test, written and read with raw POSIX calls so that the
// boundary is checked against the disk itself.
class Dateisys : public testing::Test {
protected:
    void SetUp() override
    {
        char muster[] = "/tmp/velmo-ds-XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner = muster;
    }
    void TearDown() override
    {
        plFehlerAllesAus();
        nftw(ordner.c_str(), wegEintrag, 16, FTW_DEPTH | FTW_PHYS);
    }
    std::string p(const std::string& rel) const { return ordner + "/" + rel; }
    void datei(const std::string& rel, const std::string& inhalt) const
    {
        std::ofstream(p(rel), std::ios::binary) << inhalt;
    }
    void verz(const std::string& rel) const { ASSERT_EQ(mkdir(p(rel).c_str(), 0777), 0) << rel; }
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
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") namen.insert(e->d_name);
        }
        closedir(d);
        return namen;
    }
    std::string ordner;
};

TEST_F(Dateisys, FindsNamesIgnoringCaseComponentByComponent)
{
    verz("Projekt A");
    verz("Projekt A/Sub");
    datei("Projekt A/Sub/TOOLBAR.TXT", "inhalt");
    struct Fall {
        const char* geschrieben;
        const char* echt;
    };
    const Fall faelle[] = {
        {"projekt a\\sub\\Toolbar.txt", "Projekt A/Sub/TOOLBAR.TXT"},
        {"PROJEKT A/SUB/toolbar.TXT", "Projekt A/Sub/TOOLBAR.TXT"},
        {"projekt a/./sub//toolbar.txt", "Projekt A/./Sub/TOOLBAR.TXT"},
        {"projekt a/NeueDatei.txt", "Projekt A/NeueDatei.txt"},    // new name kept as written
        {"projekt a/Fehlt/X.txt", "Projekt A/Fehlt/X.txt"},        // the rest stays as written
    };
    for (const Fall& f : faelle) {
        std::string echt;
        ASSERT_EQ(plDsPfad((ordner + "/" + f.geschrieben).c_str(), &echt), 0) << f.geschrieben;
        EXPECT_EQ(echt, p(f.echt)) << f.geschrieben;
    }
    const int fd = plDsOeffnen(p("projekt a\\sub\\Toolbar.txt").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    char puffer[16] = {};
    EXPECT_EQ(plDsLesen(fd, puffer, sizeof puffer), 6);
    EXPECT_STREQ(puffer, "inhalt");
    EXPECT_EQ(plDsSchliessen(fd), 0);
    EXPECT_EQ(fcntl(plDsOeffnen(p("Projekt A/Sub/TOOLBAR.TXT").c_str(), O_RDONLY), F_GETFD) & FD_CLOEXEC,
              FD_CLOEXEC);
}

TEST_F(Dateisys, ExactEntryWinsElseFirstInSortedOrder)
{
    datei("abc", "klein");
    datei("ABC", "gross");
    datei("Abc", "gemischt");
    datei("caf\xE9", "code page");  // not valid UTF-8: taken byte for byte
    datei("CAF\xC3\x89", "utf8");   // "CAFÉ" in UTF-8
    struct Fall {
        const char* geschrieben;
        const char* gefunden;
    };
    const Fall faelle[] = {
        {"abc", "abc"},
        {"aBC", "ABC"},               // "ABC" < "Abc" < "abc"
        {"caf\xE9", "caf\xE9"},        // the byte-for-byte entry equals exactly
        {"Caf\xC9", "CAF\xC3\x89"},    // sorted first among the ignore-case matches
    };
    for (const Fall& f : faelle) {
        std::string echt;
        ASSERT_EQ(plDsPfad(p(f.geschrieben).c_str(), &echt), 0);
        EXPECT_EQ(echt, p(f.gefunden)) << f.geschrieben;
    }
}

TEST_F(Dateisys, NameThatExistsCostsNoFolderRead)
{
    verz("Sub");
    datei("Sub/Name.txt", "x");
    std::string echt;
    const long vorher = plDsSuchLesungen();
    ASSERT_EQ(plDsPfad(p("Sub/Name.txt").c_str(), &echt), 0);
    ASSERT_EQ(plDsPfad(p("Sub\\Name.txt").c_str(), &echt), 0);
    EXPECT_EQ(plDsSuchLesungen(), vorher);
    ASSERT_EQ(plDsPfad(p("sub/name.txt").c_str(), &echt), 0);
    EXPECT_EQ(plDsSuchLesungen(), vorher + 2);
}

// Opening tries the name as written before it searches; a create always
// searches, so it opens the file under another case instead of making a twin.
TEST_F(Dateisys, OpenSearchesOnlyOnAMissAndACreateFindsTheOtherCase)
{
    verz("Sub");
    datei("Sub/hv1.08", "alt");
    const long vorher = plDsSuchLesungen();
    int fd = plDsOeffnen(p("Sub/hv1.08").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    close(fd);
    EXPECT_EQ(plDsSuchLesungen(), vorher);
    fd = plDsOeffnen(p("SUB\\HV1.08").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    char b[4] = "";
    EXPECT_EQ(read(fd, b, 3), 3);
    EXPECT_STREQ(b, "alt");
    close(fd);
    fd = plDsOeffnen(p("Sub/HV1.08").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "neu", 3), 3);
    close(fd);
    EXPECT_EQ(lesen("Sub/hv1.08"), "neu");
    EXPECT_FALSE(std::filesystem::exists(p("Sub/HV1.08")));
    EXPECT_EQ(plDsOeffnen(p("Sub/fehlt").c_str(), O_RDONLY), -1);
    EXPECT_EQ(errno, ENOENT);
}

TEST_F(Dateisys, DriveAndNetworkPathsAreNotFound)
{
    const char* faelle[] = {"C:\\x", "c:/x", "C:", "\\\\srv\\share\\x", "//srv/share/x", "/\\srv", ""};
    for (const char* f : faelle) {
        std::string echt = "alt";
        errno = 0;
        EXPECT_EQ(plDsPfad(f, &echt), -1) << f;
        EXPECT_EQ(errno, ENOENT) << f;
        EXPECT_EQ(echt, "") << f;
        EXPECT_EQ(plDsOeffnen(f, O_RDONLY), -1) << f;
    }
}

TEST_F(Dateisys, CodePageNamesGoToDiskAsUtf8AndComeBackUnchanged)
{
    const std::string name = "\xDC" "bung \x80.txt";  // "Übung €.txt" in code page 1252
    ASSERT_EQ(plDsDateiErsetzen(p(name).c_str(), "1", 1), 0);
    EXPECT_EQ(eintraege(), std::set<std::string>{"\xC3\x9C" "bung \xE2\x82\xAC.txt"});
    // Found again ignoring case through the upper-case map (0xFC -> 0xDC).
    EXPECT_EQ(lesen("\xC3\x9C" "bung \xE2\x82\xAC.txt"), "1");
    std::string echt;
    ASSERT_EQ(plDsPfad(p("\xFC" "BUNG \x80.TXT").c_str(), &echt), 0);
    EXPECT_EQ(echt, p("\xC3\x9C" "bung \xE2\x82\xAC.txt"));

    datei("a\xCF\x80" "b", "pi");     // a character code page 1252 lacks
    datei("caf\xE9", "raw");          // not valid UTF-8
    testing::internal::CaptureStderr();
    PlDsVerz* v = plDsVerzOeffnen(ordner.c_str());
    ASSERT_NE(v, nullptr);
    std::set<std::string> namen;
    std::string n;
    while (plDsVerzLesen(v, &n) > 0) namen.insert(n);
    EXPECT_EQ(plDsVerzSchliessen(v), 0);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(namen, (std::set<std::string>{".", "..", name, "a?b", "caf\xE9"}));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    // Names as they came back open the same files.
    for (const char* zurueck : {"a?b", "caf\xE9"}) {
        const int fd = plDsOeffnen(p(zurueck).c_str(), O_RDONLY);
        EXPECT_GE(fd, 0) << zurueck;
        if (fd >= 0) plDsSchliessen(fd);
    }
}

TEST_F(Dateisys, CurrentFolderComesBackAsCodePage)
{
    verz("\xC3\x9C" "ber");
    char alt[4096];
    ASSERT_NE(getcwd(alt, sizeof alt), nullptr);
    ASSERT_EQ(plDsWechseln(p("\xFC" "ber").c_str()), 0);
    std::string cwd;
    EXPECT_EQ(plDsAktuell(&cwd), 0);
    ASSERT_EQ(chdir(alt), 0);
    EXPECT_EQ(cwd, p("\xDC" "ber"));
}

TEST_F(Dateisys, ReplacementWritesAllOrKeepsTheOldFile)
{
    struct Fall {
        const char* was;
        PlFehlerArt art;
        int n;
        bool sync;
    };
    const Fall faelle[] = {
        {"write", PlFehlerArt::Schreiben, 1, false},
        {"fsync", PlFehlerArt::Schreiben, 2, true},
        {"close", PlFehlerArt::Schliessen, 1, false},
        {"rename", PlFehlerArt::Umbenennen, 1, false},
        {"open", PlFehlerArt::Oeffnen, 1, false},
    };
    for (const Fall& f : faelle) {
        datei("Ziel.txt", "alt");
        plFehlerSetzen(f.art, f.n);
        errno = 0;
        EXPECT_EQ(plDsDateiErsetzen(p("ziel.TXT").c_str(), "neu", 3, f.sync), -1) << f.was;
        EXPECT_NE(errno, 0) << f.was;
        plFehlerAllesAus();
        EXPECT_EQ(lesen("Ziel.txt"), "alt") << f.was;
        EXPECT_EQ(eintraege(), std::set<std::string>{"Ziel.txt"}) << f.was;
    }
    ASSERT_EQ(chmod(p("Ziel.txt").c_str(), 0640), 0);
    EXPECT_EQ(plDsDateiErsetzen(p("ziel.TXT").c_str(), "neu", 3, true), 0);
    EXPECT_EQ(lesen("Ziel.txt"), "neu");
    EXPECT_EQ(eintraege(), std::set<std::string>{"Ziel.txt"});
    struct stat st;
    ASSERT_EQ(stat(p("Ziel.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(Dateisys, ReplacementAppearsOnlyAtCloseAndCanBeDropped)
{
    datei("Ziel.txt", "alt");
    int fd = plDsErsetzenOeffnen(p("Ziel.txt").c_str());
    ASSERT_GE(fd, 0);
    EXPECT_TRUE(plDsErsetzenOffen(fd));
    EXPECT_EQ(plDsSchreiben(fd, "neu", 3), 3);
    EXPECT_EQ(lesen("Ziel.txt"), "alt");
    EXPECT_EQ(plDsErsetzenVerwerfen(fd), 0);
    EXPECT_EQ(lesen("Ziel.txt"), "alt");
    EXPECT_EQ(eintraege(), std::set<std::string>{"Ziel.txt"});

    // A write that failed once keeps the incomplete file from replacing the
    // old one, whatever the writer does afterwards.
    fd = plDsErsetzenOeffnen(p("Ziel.txt").c_str());
    ASSERT_GE(fd, 0);
    plFehlerSetzen(PlFehlerArt::Schreiben, 1);
    EXPECT_EQ(plDsSchreiben(fd, "neu", 3), -1);
    EXPECT_EQ(plDsSchreiben(fd, "neu", 3), 3);
    EXPECT_EQ(plDsSchliessen(fd), -1);
    EXPECT_EQ(errno, EIO);
    EXPECT_EQ(lesen("Ziel.txt"), "alt");
    EXPECT_EQ(eintraege(), std::set<std::string>{"Ziel.txt"});

    fd = plDsErsetzenOeffnen(p("Neu.txt").c_str());
    ASSERT_GE(fd, 0);
    EXPECT_EQ(plDsSchreiben(fd, "x", 1), 1);
    EXPECT_EQ(plDsSchliessen(fd), 0);
    EXPECT_FALSE(plDsErsetzenOffen(fd));
    EXPECT_EQ(lesen("Neu.txt"), "x");
    // No folder to put the temporary file in.
    EXPECT_EQ(plDsErsetzenOeffnen(p("fehlt/x.txt").c_str()), -1);
}

// A replacement marked "only when different" keeps a target of the same
// bytes (same inode, same time) and replaces one of other bytes, a shorter
// or longer one, or none at all, as an unmarked one does.
TEST_F(Dateisys, ReplacementOfTheSameBytesLeavesTheTargetUntouched)
{
    auto stand = [&](const std::string& rel) {
        struct stat st{};
        EXPECT_EQ(stat(p(rel).c_str(), &st), 0);
        return std::make_pair(st.st_ino, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec);
    };
    auto ersetzen = [&](const std::string& rel, const std::string& inhalt) {
        const int fd = plDsErsetzenOeffnen(p(rel).c_str());
        EXPECT_GE(fd, 0);
        EXPECT_EQ(plDsErsetzenNurWennAnders(fd), 0);
        EXPECT_EQ(plDsSchreiben(fd, inhalt.data(), inhalt.size()), static_cast<ssize_t>(inhalt.size()));
        EXPECT_EQ(plDsSchliessen(fd), 0);
    };
    const std::string gross(200000, 'g');
    datei("Ziel.txt", gross);
    const auto vorher = stand("Ziel.txt");
    ersetzen("Ziel.txt", gross);
    EXPECT_EQ(stand("Ziel.txt"), vorher);
    EXPECT_EQ(eintraege(), std::set<std::string>{"Ziel.txt"});
    for (const std::string& inhalt : {gross.substr(1) + "h", gross.substr(1), gross + "g", std::string()}) {
        const auto alt = stand("Ziel.txt");
        ersetzen("Ziel.txt", inhalt);
        EXPECT_NE(stand("Ziel.txt").first, alt.first) << inhalt.size();
        EXPECT_EQ(lesen("Ziel.txt"), inhalt);
    }
    ersetzen("Neu.txt", "x");
    EXPECT_EQ(lesen("Neu.txt"), "x");
    EXPECT_EQ(eintraege(), (std::set<std::string>{"Neu.txt", "Ziel.txt"}));
    // Only a replacement handle takes the mark.
    EXPECT_EQ(plDsErsetzenNurWennAnders(12345), -1);
    // Bytes built in memory: the same for a call that takes them whole
    // (the name found ignoring case).
    const auto neu = stand("Neu.txt");
    EXPECT_EQ(plDsDateiErsetzenWennAnders(p("NEU.TXT").c_str(), "x", 1), 0);
    EXPECT_EQ(stand("Neu.txt"), neu);
    EXPECT_EQ(plDsDateiErsetzenWennAnders(p("neu.txt").c_str(), "yz", 2), 0);
    EXPECT_NE(stand("Neu.txt").first, neu.first);
    EXPECT_EQ(lesen("Neu.txt"), "yz");
    EXPECT_EQ(plDsDateiErsetzenWennAnders(p("Drei.txt").c_str(), "3", 1), 0);
    EXPECT_EQ(lesen("Drei.txt"), "3");
    EXPECT_EQ(eintraege(), (std::set<std::string>{"Drei.txt", "Neu.txt", "Ziel.txt"}));
}

// A batch of replacements (as the label sheets make) reads the folder once
// for all its new names, finds a name of other case in it, keeps a target
// of the same bytes, keeps the target's permissions, and a failure at any
// step leaves each file old or new and no temporary file; the memory file
// a failed replacement leaves to the next one carries none of its bytes.
TEST_F(Dateisys, ABatchOfReplacementsReadsTheFolderOnceAndStaysAtomic)
{
    auto ersetzen = [&](const std::string& rel, const std::string& inhalt) {
        const int fd = plDsErsetzenOeffnen(p(rel).c_str());
        if (fd < 0) return -1;
        if (plDsSchreiben(fd, inhalt.data(), inhalt.size()) != static_cast<ssize_t>(inhalt.size())) {
            plDsSchliessen(fd);
            return -1;
        }
        return plDsSchliessen(fd);
    };
    datei("BLATT.7", "alt 7");
    ASSERT_EQ(chmod(p("BLATT.7").c_str(), 0640), 0);
    datei("gleich", "gleich");
    struct stat vorher;
    ASSERT_EQ(stat(p("gleich").c_str(), &vorher), 0);
    {
        PlDsNurGeaenderte stapel;
        const long lesungen = plDsSuchLesungen();
        for (int i = 1; i <= 40; ++i)
            EXPECT_EQ(ersetzen("blatt." + std::to_string(i), "neu " + std::to_string(i)), 0) << i;
        EXPECT_EQ(plDsSuchLesungen() - lesungen, 1);
        EXPECT_EQ(ersetzen("gleich", "gleich"), 0);
        // Gone behind the batch's back: the name is made as spelt.
        ASSERT_EQ(unlink(p("blatt.40").c_str()), 0);
        ASSERT_EQ(rename(p("blatt.39").c_str(), p("BLATT.39").c_str()), 0);
        ASSERT_EQ(unlink(p("BLATT.39").c_str()), 0);
        EXPECT_EQ(ersetzen("Blatt.39", "neu 39"), 0);
        const struct {
            const char* was;
            PlFehlerArt art;
        } faelle[] = {{"write", PlFehlerArt::Schreiben}, {"close", PlFehlerArt::Schliessen},
                      {"rename", PlFehlerArt::Umbenennen}, {"open", PlFehlerArt::Oeffnen}};
        for (const auto& f : faelle) {
            for (const char* ziel : {"blatt.5", "neu.txt"}) {
                plFehlerSetzen(f.art, 1);
                EXPECT_EQ(ersetzen(ziel, std::string("kaputt ") + f.was), -1) << f.was << " " << ziel;
                plFehlerAllesAus();
            }
            EXPECT_EQ(lesen("blatt.5"), "neu 5") << f.was;
            EXPECT_FALSE(std::filesystem::exists(p("neu.txt"))) << f.was;
        }
        EXPECT_EQ(ersetzen("neu.txt", "x"), 0);
        // No folder for it: the close fails and makes nothing.
        EXPECT_EQ(ersetzen("fehlt/x.txt", "x"), -1);
        errno = 0;
        EXPECT_EQ(plDsErsetzenOeffnen((ordner + "/").c_str()), -1);
        EXPECT_EQ(errno, EISDIR);
    }
    EXPECT_EQ(lesen("neu.txt"), "x");
    EXPECT_EQ(lesen("BLATT.7"), "neu 7");
    EXPECT_EQ(lesen("Blatt.39"), "neu 39");
    struct stat st;
    ASSERT_EQ(stat(p("BLATT.7").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    ASSERT_EQ(stat(p("gleich").c_str(), &st), 0);
    EXPECT_EQ(st.st_ino, vorher.st_ino);
    EXPECT_EQ(st.st_mtim.tv_nsec, vorher.st_mtim.tv_nsec);
    // A new file gets the permissions any new file of the user gets.
    const mode_t maske = umask(0);
    umask(maske);
    ASSERT_EQ(stat(p("neu.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0666u & ~maske);
    std::set<std::string> soll{"BLATT.7", "gleich", "neu.txt", "Blatt.39"};
    for (int i = 1; i <= 38; ++i)
        if (i != 7) soll.insert("blatt." + std::to_string(i));
    EXPECT_EQ(eintraege(), soll);
}

TEST_F(Dateisys, FaultInjectionFailsTheNthCallOfItsKind)
{
    datei("a", "abc");
    struct Fall {
        int n;
        bool dauerhaft;
        bool erwartet[4];  // call 1..4 fails
    };
    const Fall faelle[] = {
        {1, false, {true, false, false, false}},
        {3, false, {false, false, true, false}},
        {2, true, {false, true, true, true}},
        {0, false, {false, false, false, false}},
    };
    for (const Fall& f : faelle) {
        PlFehlerScope scope;
        const int fd = plDsOeffnen(p("a").c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        plFehlerSetzen(PlFehlerArt::Lesen, f.n, f.dauerhaft);
        int fehler = 0;
        for (int i = 0; i < 4; ++i) {
            char c;
            const ssize_t r = plDsLesen(fd, &c, 1);
            EXPECT_EQ(r < 0, f.erwartet[i]) << "n=" << f.n << " call " << i + 1;
            if (r < 0) {
                EXPECT_EQ(errno, EIO);
                ++fehler;
            }
        }
        EXPECT_EQ(plFehlerAusgeloest(PlFehlerArt::Lesen), fehler);
        // Other kinds are not touched.
        EXPECT_EQ(plDsSchliessen(fd), 0);
    }
}

}  // namespace

TEST_F(Dateisys, RenameOntoANewNameNeverReplacesAFile)
{
    // A check for the target followed by a rename left a gap in which a
    // file that appeared was replaced; here the refusal is one step.
    datei("alt", "A");
    datei("da", "B");
    errno = 0;
    EXPECT_EQ(plDsUmbenennenNeu(p("alt").c_str(), p("da").c_str()), -1);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(lesen("alt"), "A");
    EXPECT_EQ(lesen("da"), "B");
    EXPECT_EQ(plDsUmbenennenNeu(p("alt").c_str(), p("neu").c_str()), 0);
    EXPECT_EQ(eintraege(), (std::set<std::string>{"da", "neu"}));
    EXPECT_EQ(lesen("neu"), "A");
}
