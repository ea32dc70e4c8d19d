// Locations: shipped data from an installed or a source tree, the
// application-data folder from the environment, the private temporary
// folder and its removal at exit, environment and argument words as code page.
#include "platform/orte.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <ftw.h>
#include <optional>
#include <vector>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int wegEintrag(const char* p, const struct stat*, int, struct FTW*)
{
    remove(p);
    return 0;
}

bool istOrdner(const std::string& p)
{
    struct stat st;
    return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

class Orte : public testing::Test {
protected:
    void SetUp() override
    {
        char muster[] = "/tmp/velmo-orte-XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner = muster;
        for (const char* n : {"XDG_CONFIG_HOME", "HOME", "TMPDIR", "XDG_DOCUMENTS_DIR"}) {
            const char* w = getenv(n);
            alt.emplace_back(n, w ? std::optional<std::string>(w) : std::nullopt);
        }
    }
    void TearDown() override
    {
        for (const auto& [n, w] : alt) {
            if (w) setenv(n.c_str(), w->c_str(), 1);
            else unsetenv(n.c_str());
        }
        nftw(ordner.c_str(), wegEintrag, 16, FTW_DEPTH | FTW_PHYS);
    }
    void mk(const std::string& rel) const { ASSERT_EQ(mkdir((ordner + "/" + rel).c_str(), 0777), 0) << rel; }
    std::string ordner;
    std::vector<std::pair<std::string, std::optional<std::string>>> alt;
};

TEST_F(Orte, ShippedDataFromInstallationElseSourceTree)
{
    for (const char* v : {"inst", "inst/bin", "inst/share", "inst/share/velmo", "src", "src/data", "irgendwo",
                          "irgendwo/bau"})
        mk(v);
    const std::string quelle = ordner + "/src/data";
    // Installed: the share folder wins over the source tree.
    EXPECT_EQ(plOrtDatenVon(ordner + "/inst/bin", quelle), ordner + "/inst/bin/../share/velmo");
    // A build tree anywhere, not below the source tree, still finds its data.
    EXPECT_EQ(plOrtDatenVon(ordner + "/irgendwo/bau", quelle), quelle);
    // Neither: the installed form, so the messages name where data belongs.
    EXPECT_EQ(plOrtDatenVon(ordner + "/irgendwo/bau", ordner + "/weg/data"), ordner + "/irgendwo/bau/../share/velmo");
    EXPECT_EQ(plOrtDatenVon(ordner + "/irgendwo/bau", ""), ordner + "/irgendwo/bau/../share/velmo");
    // This build's own data is the checkout's, wherever the build folder lies.
    EXPECT_EQ(plOrtDaten(), std::string(VELMO_SOURCE_DIR) + "/data");
}

TEST_F(Orte, ApplicationDataFollowsXdgElseHome)
{
    setenv("XDG_CONFIG_HOME", (ordner + "/xdg/").c_str(), 1);
    EXPECT_EQ(plOrtAnwendung(), ordner + "/xdg/Velmo");
    EXPECT_TRUE(istOrdner(ordner + "/xdg/Velmo"));
    setenv("XDG_CONFIG_HOME", "relativ", 1);  // not absolute: ignored
    setenv("HOME", ordner.c_str(), 1);
    EXPECT_EQ(plOrtAnwendung(), ordner + "/.config/Velmo");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(plOrtAnwendung(), ordner + "/.config/Velmo");
    EXPECT_TRUE(istOrdner(ordner + "/.config/Velmo"));
}

TEST_F(Orte, TemporaryFolderIsPrivateAndGoneAfterNormalExit)
{
    int rohr[2];
    ASSERT_EQ(pipe(rohr), 0);
    setenv("TMPDIR", ordner.c_str(), 1);
    const pid_t kind = fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        const std::string t = plOrtTemp();
        std::ofstream(t + "/datei") << "x";
        struct stat st;
        const bool gut = t == plOrtTemp() && t.rfind(ordner + "/velmo-", 0) == 0 && stat(t.c_str(), &st) == 0 &&
                         (st.st_mode & 0777) == 0700;
        const std::string meldung = (gut ? "1" : "0") + t;
        if (write(rohr[1], meldung.data(), meldung.size()) < 0) _exit(2);
        std::exit(0);  // normal exit runs the clean-up
    }
    close(rohr[1]);
    char puffer[512] = {};
    const ssize_t n = read(rohr[0], puffer, sizeof puffer - 1);
    close(rohr[0]);
    int status = 0;
    waitpid(kind, &status, 0);
    ASSERT_GT(n, 1);
    EXPECT_EQ(puffer[0], '1') << puffer;
    const std::string t = puffer + 1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(istOrdner(t)) << t;
}

TEST_F(Orte, EnvironmentAndArgumentsAsCodePage)
{
    setenv("VELMO_ORTE_TEST", "\xC3\x9C" "ber \xCF\x80", 1);
    std::string wert;
    EXPECT_TRUE(plOrtUmgebung("VELMO_ORTE_TEST", &wert));
    EXPECT_EQ(wert, "\xDC" "ber ?");
    unsetenv("VELMO_ORTE_TEST");
    EXPECT_FALSE(plOrtUmgebung("VELMO_ORTE_TEST", &wert));
    EXPECT_EQ(wert, "");

    const char* argv[] = {"/usr/bin/velmo", "-G=M\xC3\xBC" "ller", "a b"};
    plOrtArgumenteSetzen(3, argv);
    ASSERT_EQ(plOrtArgumentAnzahl(), 3);
    EXPECT_STREQ(plOrtArgument(0), "/usr/bin/velmo");
    EXPECT_STREQ(plOrtArgument(1), "-G=M\xFCller");
    EXPECT_STREQ(plOrtArgument(2), "a b");
    EXPECT_EQ(plOrtArgument(3), nullptr);
    EXPECT_EQ(plOrtArgument(-1), nullptr);
}

}  // namespace

// Output files go to the documents folder: the environment, then
// user-dirs.dirs ("$HOME/..." or absolute, a missing folder skipped), then
// ~/Dokumente or ~/Documents, then the home folder itself.
TEST_F(Orte, TheDocumentsFolderFollowsTheDesktopsRulesAndFallsBackToHome)
{
    const std::string home = ordner + "/heim";
    mk("heim");
    mk("heim/.config");
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(plOrtDokumente(), home) << "nothing there: the home folder";
    mk("heim/Documents");
    EXPECT_EQ(plOrtDokumente(), home + "/Documents");
    mk("heim/Dokumente");
    EXPECT_EQ(plOrtDokumente(), home + "/Dokumente");
    mk("heim/Papiere");
    std::ofstream(home + "/.config/user-dirs.dirs")
        << "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n  XDG_DOCUMENTS_DIR=\"$HOME/Papiere/\"\n";
    EXPECT_EQ(plOrtDokumente(), home + "/Papiere");
    std::ofstream(home + "/.config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Fehlt\"\n";
    EXPECT_EQ(plOrtDokumente(), home + "/Dokumente") << "a folder that is not there is skipped";
    std::ofstream(home + "/.config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/\"\n";
    EXPECT_EQ(plOrtDokumente(), home + "/Dokumente") << "the home folder means none";
    mk("anders");
    std::ofstream(home + "/.config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"" << ordner << "/anders\"\n";
    EXPECT_EQ(plOrtDokumente(), ordner + "/anders");
    setenv("XDG_DOCUMENTS_DIR", (home + "/Papiere").c_str(), 1);
    EXPECT_EQ(plOrtDokumente(), home + "/Papiere") << "the environment first";
}
