// How `velmo` starts without a display, run as a child process the way a
// user or a batch script starts it: a start for a user ends with a message
// on stderr and exit code 1 instead of running invisibly for ever; a
// command file makes the start headless; a command file that is not there
// ends with a message and 1; VELMO_BACKEND=headless chosen on purpose still
// runs for a user (ended here by a local "exit").
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "frame/anw.h"
#include "platform/lokalbefehl.h"
#include "platform/orte.h"
#include "platform/winconst.h"
#include "tests/frame/lokalexit.h"
#include "tests/frame/rahmen_pruef.h"

namespace fs = std::filesystem;

namespace {

class AnwStart : public ::testing::Test {
protected:
    fs::path wurzel;

    void SetUp() override
    {
        wurzel = rahmenWurzel("anwstart");
        ASSERT_FALSE(wurzel.empty());
        fs::create_directories(wurzel / "arbeit" / "Projekt");
        ASSERT_TRUE(fs::exists(programm())) << "build the program first: " << programm();
    }
    void TearDown() override { fs::remove_all(wurzel); }

    static std::string programm()
    {
        return (fs::read_symlink("/proc/self/exe").parent_path() / "velmo").string();
    }

    void schreiben(const std::string& name, const std::string& text)
    {
        std::ofstream(wurzel / "arbeit" / name, std::ios::binary) << text;
    }

    // Starts velmo in the working folder with these environment values
    // (nullptr: unset); stderr goes to a file.
    pid_t anstossen(const std::vector<std::string>& woerter, const char* backend, const char* anzeige)
    {
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir((wurzel / "arbeit").c_str()) != 0) _exit(120);
            if (!std::freopen((wurzel / "stderr.txt").c_str(), "w", stderr)) _exit(122);
            setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
            setenv("XDG_CONFIG_HOME", (wurzel / "konfig").c_str(), 1);
            if (backend) setenv("VELMO_BACKEND", backend, 1);
            else unsetenv("VELMO_BACKEND");
            if (anzeige) setenv("DISPLAY", anzeige, 1);
            else unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            std::vector<std::string> a = woerter;
            a.insert(a.begin(), programm());
            std::vector<char*> argv;
            for (std::string& s : a) argv.push_back(s.data());
            argv.push_back(nullptr);
            alarm(60);  // a run that never ends fails the case instead of hanging
            execv(argv[0], argv.data());
            _exit(121);
        }
        return pid;
    }

    static int warten(pid_t pid)
    {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string fehlerText()
    {
        std::ifstream f(wurzel / "stderr.txt");
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
};

}  // namespace

TEST_F(AnwStart, WithoutADisplayAUserStartEndsWithAMessage)
{
    schreiben("ende.txt", "exit\n");
    struct Fall {
        const char* satz;
        std::vector<std::string> woerter;
        const char* anzeige;
        int code;
        const char* meldung;   // a part of stderr ("" when nothing is asked)
    } faelle[] = {
        {"a project for a user", {"Projekt"}, nullptr, 1, "keine Anzeige"},
        {"-W=0 is a start for a user", {"-W=0", "Projekt"}, nullptr, 1, "-A=<Datei>"},
        {"a display that cannot be opened", {"Projekt"}, ":4711", 1, "VELMO_BACKEND=headless"},
        {"a command file makes the start headless", {"-A=ende.txt", "Projekt"}, nullptr, 0, ""},
        {"a command file that is not there", {"-A=fehlt.txt", "Projekt"}, nullptr, 1, "Befehlsdatei fehlt.txt"},
        {"the same with -W=1", {"-W=1", "-a=fehlt.txt"}, nullptr, 1, "nicht vorhanden"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.satz);
        EXPECT_EQ(warten(anstossen(f.woerter, nullptr, f.anzeige)), f.code);
        EXPECT_NE(fehlerText().find(f.meldung), std::string::npos) << fehlerText();
    }
}

TEST_F(AnwStart, HeadlessChosenOnPurposeRunsForAUser)
{
    setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
    pid_t pid = anstossen({"Projekt"}, "headless", nullptr);
    bool lebt = false;
    for (int i = 0; i < 1000 && !(lebt = plLokalServerLebt("Velmo")); ++i) usleep(10000);
    ASSERT_TRUE(lebt) << fehlerText();
    ASSERT_EQ(lokalExit(), 0) << "the running instance takes the local \"exit\"";
    EXPECT_EQ(warten(pid), 0);
    EXPECT_EQ(fehlerText(), "");
}

TEST(AnwSchalter, WordsAreReadWithoutEffect)
{
    struct Fall {
        std::vector<const char*> argv;
        int wFlag;
        const char* datei;
        const char* start;
        bool ohneBenutzer;
    } faelle[] = {
        {{"velmo"}, 0, "", "", false},
        {{"velmo", "Projekt"}, 0, "", "Projekt", false},
        {{"velmo", "-w=2", "-X=9", "a", "b"}, 2, "", "b", true},
        {{"velmo", "-W=0", "-a=liste.txt"}, 0, "liste.txt", "", true},
        {{"velmo", "-Wx1", "-"}, 0, "", "", false},
    };
    for (const Fall& f : faelle) {
        plOrtArgumenteSetzen(static_cast<int>(f.argv.size()), f.argv.data());
        AnwSchalter s;
        anwSchalterLesen(&s);
        SCOPED_TRACE(f.argv.size() > 1 ? f.argv[1] : "none");
        EXPECT_EQ(s.wFlag, f.wFlag);
        EXPECT_STREQ(s.befehlsdatei, f.datei);
        EXPECT_STREQ(s.start, f.start);
        EXPECT_EQ(anwOhneBenutzer(s), f.ohneBenutzer);
    }
}
