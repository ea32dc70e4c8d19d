// Two `velmo` programs on the test's X server: the first copies drawn
// objects of its sheet to the clipboard, the second pastes them into its
// own sheet. Both are driven by keys as a user types them: Ctrl+B opens the
// selected sheet, typed characters on the drawing go to the input line.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "model/zeichnun.h"
#include "tests/desktop/desktop_pruef.h"
#include "platform/lokalbefehl.h"
#include "tests/frame/lokalexit.h"
#include "tests/tools/demokopie.h"

namespace fs = std::filesystem;

namespace {

int befehl(const std::string& text)
{
    const int r = std::system(text.c_str());
    return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

std::string lesen(const fs::path& p)
{
    std::ifstream ein(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
}

// One program on a working copy of the demo, with its own runtime and
// configuration folders (so the two never meet but through the clipboard).
struct Programm {
    DemoKopie demo;
    pid_t pid = 0;
    std::string fenster;  // the X window id of its main window

    void umgebung()
    {
        const fs::path w(demo.wurzel());
        setenv("XDG_RUNTIME_DIR", (w / "laufzeit").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (w / "konfig").c_str(), 1);
    }

    // Starts velmo with the sheet "Plan.001" selected by its command file
    // and waits for its main window.
    void starten()
    {
        const fs::path w(demo.wurzel());
        fs::create_directories(w / "laufzeit");
        fs::permissions(w / "laufzeit", fs::perms::owner_all);
        fs::create_directories(w / "konfig");
        std::ofstream(w / "befehle.txt") << "open " + demo.projekt() + "/Plan.001\n";
        const std::string programm = (fs::read_symlink("/proc/self/exe").parent_path() / "velmo").string();
        ASSERT_TRUE(fs::exists(programm));
        umgebung();
        pid = fork();
        if (pid == 0) {
            if (chdir(w.c_str()) != 0) _exit(120);
            setenv("VELMO_BACKEND", "gtk", 1);
            alarm(90);
            execl(programm.c_str(), programm.c_str(), "-W=1", "-A=befehle.txt", "Projekt", static_cast<char*>(nullptr));
            _exit(121);
        }
        ASSERT_TRUE(desktopWarten(20000, [] { return plLokalServerLebt("Velmo") != 0; }));
        const std::string id = (w / "fenster.txt").string();
        ASSERT_EQ(befehl("timeout 20 xdotool search --all --sync --onlyvisible --pid " + std::to_string(pid) +
                         " --name '^Velmo' > '" + id + "'"),
                  0);
        std::ifstream ein(id);
        std::getline(ein, fenster);
        ASSERT_FALSE(fenster.empty());
    }

    // Keys to the main window (xdotool's key names).
    int taste(const std::string& tasten)
    {
        return befehl("xdotool windowfocus --sync " + fenster + " key --delay 40 " + tasten);
    }
    // A line typed and sent with Enter.
    int tippen(const std::string& zeile)
    {
        const int r = befehl("xdotool windowfocus --sync " + fenster + " type --delay 40 '" + zeile + "'");
        return r != 0 ? r : taste("Return");
    }
    // Ctrl+B: the sheet the command file selected, in the editor. Until the
    // command file has run, Ctrl+B finds nothing to edit: it is given again
    // until the editor shows the sheet.
    void bearbeiten()
    {
        const std::string gezeigt = "timeout 5 xdotool search --all --sync --onlyvisible --pid " +
                                    std::to_string(pid) + " --name 'Plan.001' > /dev/null";
        EXPECT_TRUE(desktopWarten(20000, [&] { return taste("ctrl+b") == 0 && befehl(gezeigt) == 0; }));
    }
    // Started with its sheet open in the editor.
    void oeffnen()
    {
        starten();
        if (!::testing::Test::HasFatalFailure()) bearbeiten();
    }
    // Saves the sheet under a new name of the project folder (so the
    // program ends without a question); the path once the file is there.
    fs::path sichern(const std::string& name)
    {
        const fs::path p = demo.datei(name);
        EXPECT_EQ(tippen("SZ \"" + p.string() + "\""), 0);
        desktopWarten(10000, [&] { return fs::exists(p); });
        return p;
    }
    // Ends the program as a second program's "exit" does: 0.
    void beenden()
    {
        if (pid <= 0) return;
        umgebung();
        EXPECT_EQ(lokalExit(), 0);
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        pid = 0;
    }
    ~Programm()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
};

TEST(ElementClipDesktop, ASecondProgramPastesWhatTheFirstCopied)
{
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under xvfb-run";
    const char* vorher = std::getenv("XDG_RUNTIME_DIR");
    const std::string laufzeit = vorher ? vorher : "";

    Programm erster, zweiter;
    erster.oeffnen();
    if (HasFatalFailure()) return;
    // A line and a text, marked and copied.
    ASSERT_EQ(erster.tippen("BW 60 -100"), 0);
    ASSERT_EQ(erster.tippen("ZL 25 5"), 0);
    ASSERT_EQ(erster.tippen("TFA \"Kopiert\""), 0);
    // The text prompt stays for further texts: Tab to the input line,
    // Escape back to the command prompt.
    ASSERT_EQ(erster.taste("Tab Escape"), 0);
    ASSERT_EQ(erster.tippen("ELM 2"), 0);
    ASSERT_EQ(erster.tippen("ZAK"), 0);
    ASSERT_TRUE(fs::exists(erster.sichern("Quelle.001")));

    zweiter.oeffnen();
    if (HasFatalFailure()) return;
    ASSERT_EQ(zweiter.tippen("BW 0 -150"), 0);
    ASSERT_EQ(zweiter.tippen("ZAE"), 0);
    const fs::path ziel = zweiter.sichern("Ziel.001");
    ASSERT_TRUE(fs::exists(ziel));
    const fs::path bild = fs::path(zweiter.demo.wurzel()) / "zweiter.png";
    EXPECT_EQ(befehl("import -window " + zweiter.fenster + " '" + bild.string() + "'"), 0);

    zweiter.beenden();
    erster.beenden();
    if (!laufzeit.empty()) setenv("XDG_RUNTIME_DIR", laufzeit.c_str(), 1);

    // The pasted objects stand in the second sheet, the line with its vector.
    const fs::path text = fs::path(zweiter.demo.wurzel()) / "ziel.txt";
    ASSERT_EQ(ZeiAlsText(ziel.c_str(), text.c_str()), 0);
    const std::string t = lesen(text);
    EXPECT_NE(t.find("ZL 25,0000 5,0000"), std::string::npos) << t;
    EXPECT_NE(t.find("TFA \"Kopiert\""), std::string::npos) << t;
    if (fs::exists(bild))
        fs::copy_file(bild, fs::read_symlink("/proc/self/exe").parent_path() / "elclip_desktop.png",
                      fs::copy_options::overwrite_existing);
}

}  // namespace
