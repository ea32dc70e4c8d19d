// `velmo` on the desktop backend under the test's X server: the main window
// comes up with menu bar, function bar and status bar (a screenshot of the
// window is kept), the accelerator table answers Ctrl+O without disturbing
// the program, and a local "exit" from another process ends it with 0.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/desktop/desktop_pruef.h"
#include "platform/lokalbefehl.h"
#include "platform/winconst.h"
#include "tests/frame/lokalexit.h"

namespace fs = std::filesystem;

namespace {

int befehl(const std::string& text)
{
    int r = std::system(text.c_str());
    return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}


}  // namespace

TEST(VelmoFenster, MainWindowOnTheDesktopAndLocalExit)
{
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under xvfb-run";
    char muster[] = "/tmp/velmo-fenster-XXXXXX";
    ASSERT_NE(mkdtemp(muster), nullptr);
    fs::path wurzel = muster;
    fs::create_directories(wurzel / "laufzeit");
    fs::permissions(wurzel / "laufzeit", fs::perms::owner_all);
    fs::create_directories(wurzel / "konfig");
    fs::create_directories(wurzel / "arbeit" / "Projekt");
    setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (wurzel / "konfig").c_str(), 1);
    std::string programm = (fs::read_symlink("/proc/self/exe").parent_path() / "velmo").string();
    ASSERT_TRUE(fs::exists(programm));

    pid_t pid = fork();
    if (pid == 0) {
        if (chdir((wurzel / "arbeit").c_str()) != 0) _exit(120);
        setenv("VELMO_BACKEND", "gtk", 1);
        alarm(60);
        execl(programm.c_str(), programm.c_str(), "-W=1", "Projekt", static_cast<char*>(nullptr));
        _exit(121);
    }
    ASSERT_TRUE(desktopWarten(20000, [] { return plLokalServerLebt("Velmo") != 0; }));
    ASSERT_EQ(befehl("timeout 20 xdotool search --sync --onlyvisible --name '^Velmo - ' >/dev/null"), 0)
        << "the main window with the caption of the project folder";
    // The first start sizes the window from the real screen (1280 x 1024
    // here), not from a nominal one: the whole window is on the screen.
    std::string mass = (wurzel / "mass.txt").string();
    ASSERT_TRUE(desktopWarten(10000, [&] {
        return befehl("xdotool search --onlyvisible --name '^Velmo - ' getwindowgeometry --shell > '" + mass +
                      "'") == 0 &&
               fs::file_size(mass) > 0;
    }));
    {
        std::ifstream ein(mass);
        std::string zeile;
        int x = -1, breite = -1;
        while (std::getline(ein, zeile)) {
            if (zeile.rfind("X=", 0) == 0) x = std::stoi(zeile.substr(2));
            if (zeile.rfind("WIDTH=", 0) == 0) breite = std::stoi(zeile.substr(6));
        }
        EXPECT_GT(breite, 0);
        EXPECT_LE(x + breite, 1280) << "x " << x << " width " << breite;
    }
    std::string bild = (wurzel / "haupt.png").string();
    ASSERT_EQ(befehl("import -window root '" + bild + "'"), 0);
    EXPECT_GT(fs::file_size(bild), 1000u);
    // Ctrl+O goes to the accelerator table of the project mode (1837); the
    // program stays alive and answers.
    ASSERT_EQ(befehl("xdotool search --onlyvisible --name '^Velmo - ' windowfocus --sync key ctrl+o"), 0);
    EXPECT_TRUE(plLokalServerLebt("Velmo"));
    ASSERT_EQ(lokalExit(), 0);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    fs::copy_file(bild, fs::read_symlink("/proc/self/exe").parent_path() / "velmo_fenster.png",
                  fs::copy_options::overwrite_existing);
    fs::remove_all(wurzel);
}
