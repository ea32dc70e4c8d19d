// `velmo` as a new user meets it, headless: the program runs as a child
// process with its own runtime, configuration and working folders, works
// through a command file and ends with the quit parameter; "log.txt" in
// the start folder holds the "%05d " lines of what was printed while
// logging was on, one command-file line per timer tick.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "frame/dde.h"
#include "platform/lokalbefehl.h"
#include "platform/winconst.h"
#include "tests/frame/lokalexit.h"
#include "tests/frame/programmlauf.h"
#include "tests/frame/rahmen_pruef.h"

namespace fs = std::filesystem;

namespace {

std::string velmoProgramm()
{
    return (fs::read_symlink("/proc/self/exe").parent_path() / "velmo").string();
}

class Lauf : public ::testing::Test {
protected:
    fs::path wurzel;

    void SetUp() override
    {
        wurzel = rahmenWurzel("lauf");
        ASSERT_FALSE(wurzel.empty());
        fs::create_directories(wurzel / "arbeit" / "Projekt A");
        ASSERT_TRUE(fs::exists(velmoProgramm())) << "build the program first: " << velmoProgramm();
    }
    void TearDown() override { fs::remove_all(wurzel); }

    void schreiben(const fs::path& p, const std::string& text)
    {
        std::ofstream f(p, std::ios::binary);
        f << text;
    }

    // Runs velmo with the arguments in the working folder; the exit code,
    // or -1 when it did not end normally within the time.
    int starten(const std::vector<std::string>& argumente)
    {
        return warten(anstossen(argumente));
    }

    static int warten(pid_t pid)
    {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    pid_t anstossen(const std::vector<std::string>& argumente)
    {
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir((wurzel / "arbeit").c_str()) != 0) _exit(120);
            setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
            setenv("XDG_CONFIG_HOME", (wurzel / "konfig").c_str(), 1);
            setenv("VELMO_BACKEND", "headless", 1);
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            programmWerden(velmoProgramm(), argumente);
        }
        return pid;
    }

    std::vector<std::string> logZeilen()
    {
        std::ifstream f(wurzel / "arbeit" / "log.txt");
        std::vector<std::string> z;
        for (std::string s; std::getline(f, s);) z.push_back(s);
        return z;
    }
};

// "%05d " and the text.
bool stempelForm(const std::string& zeile)
{
    if (zeile.size() < 6 || zeile[5] != ' ') return false;
    for (int i = 0; i < 5; ++i) {
        if (zeile[static_cast<size_t>(i)] < '0' || zeile[static_cast<size_t>(i)] > '9') return false;
    }
    return true;
}

int stempel(const std::string& zeile)
{
    return std::atoi(zeile.substr(0, 5).c_str());
}

}  // namespace

TEST_F(Lauf, CommandFileRunsHeadlessAndLogsWhileLoggingIsOn)
{
    schreiben(wurzel / "arbeit" / "befehle.txt",
              "# Probelauf\n"
              "open \"Projekt A\"\n"
              "option -S=3\n"
              "print eins %s %d\n"
              "\n"
              "print zwei\n"
              "print drei\n"
              "log 0\n"
              "print vier\n"
              "exit\n");
    EXPECT_EQ(starten({"-W=1", "-A=befehle.txt"}), 0);
    std::vector<std::string> z = logZeilen();
    ASSERT_EQ(z.size(), 3u) << "only the prints before \"log 0\"";
    for (const std::string& s : z) EXPECT_TRUE(stempelForm(s)) << s;
    EXPECT_EQ(z[0].substr(6), "eins %s %d") << "print text is data, never a format";
    EXPECT_EQ(z[1].substr(6), "zwei");
    EXPECT_EQ(z[2].substr(6), "drei");
    // One line per tick of the 1 ms timer: the empty line costs one tick.
    int d1 = (stempel(z[1]) - stempel(z[0]) + 60000) % 60000;
    int d2 = (stempel(z[2]) - stempel(z[1]) + 60000) % 60000;
    EXPECT_EQ(d1, d2 + 1) << z[0] << " / " << z[1] << " / " << z[2];
}

TEST_F(Lauf, LowerCaseSwitchesAndAStartFolder)
{
    schreiben(wurzel / "arbeit" / "ende.txt", "print da\nexit\n");
    EXPECT_EQ(starten({"-a=ende.txt", "Projekt A"}), 0) << "-a= makes the start non-interactive";
    ASSERT_EQ(logZeilen().size(), 1u);
}

TEST_F(Lauf, SecondInstanceEndsAtOnceAndALocalExitEndsTheFirst)
{
    // The test talks to the first instance through the same per-user folder.
    setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
    pid_t erste = anstossen({"-W=1"});
    bool lebt = false;
    for (int i = 0; i < 1000 && !(lebt = plLokalServerLebt("Velmo")); ++i) usleep(10000);
    ASSERT_TRUE(lebt) << "the first instance serves its class name";

    schreiben(wurzel / "arbeit" / "zweite.txt", "print zweite\nexit\n");
    // Its command file never runs: the caller learns so from the status.
    EXPECT_EQ(starten({"-W=1", "-A=zweite.txt"}), LAUF_ANDERE) << "Single 1: the second start ends at once";
    EXPECT_TRUE(logZeilen().empty()) << "the second instance never ran its command file";

    ASSERT_EQ(lokalExit(), 0) << "the running instance takes the local \"exit\"";
    EXPECT_EQ(warten(erste), 0) << "a local \"exit\" ends the first instance with 0";
}
