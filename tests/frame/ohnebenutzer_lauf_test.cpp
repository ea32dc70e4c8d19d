// `velmo` run without a user, as a caller's script runs it: the real
// program as a child process, headless, on a working copy of the demo, with
// a command file. Every refusal reaches stderr (and the log) with its kind
// and ends the run with a status that is not 0; a clean run says nothing and
// ends with 0; no file of the project is deleted by such a run.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "frame/dde.h"
#include "platform/lokalbefehl.h"
#include "tests/frame/lokalexit.h"
#include "tests/frame/programmlauf.h"
#include "tests/tools/demokopie.h"

namespace fs = std::filesystem;

namespace {

std::string obProgramm()
{
    return (fs::read_symlink("/proc/self/exe").parent_path() / "velmo").string();
}

std::string obLesen(const fs::path& p)
{
    std::ostringstream o;
    o << std::ifstream(p, std::ios::binary).rdbuf();
    return o.str();
}

void obSchreiben(const fs::path& p, const std::string& text)
{
    std::ofstream(p, std::ios::binary) << text;
}

// The files of a folder tree, by path.
std::set<std::string> obDateien(const fs::path& ordner)
{
    std::set<std::string> s;
    for (const auto& e : fs::recursive_directory_iterator(ordner))
        if (e.is_regular_file()) s.insert(e.path().string());
    return s;
}

class OhneBenutzer : public ::testing::Test {
protected:
    DemoKopie demo;
    fs::path wurzel{demo.wurzel()};
    fs::path projekt{demo.projekt()};

    void SetUp() override
    {
        ASSERT_TRUE(fs::exists(obProgramm())) << "build the program first: " << obProgramm();
        fs::create_directories(wurzel / "laufzeit");
    }

    // Starts velmo in the copy's folder; stdout and stderr go to files.
    pid_t anstossen(const std::vector<std::string>& argumente, long dateiGrenze = 0)
    {
        const fs::path aus = wurzel / "stdout.txt", fehler = wurzel / "stderr.txt";
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir(wurzel.c_str()) != 0) _exit(120);
            setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
            setenv("XDG_CONFIG_HOME", (wurzel / "konfig").c_str(), 1);
            setenv("VELMO_BACKEND", "headless", 1);
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            if (!freopen(aus.c_str(), "w", stdout) || !freopen(fehler.c_str(), "w", stderr)) _exit(122);
            if (dateiGrenze > 0) {
                rlimit r{static_cast<rlim_t>(dateiGrenze), static_cast<rlim_t>(dateiGrenze)};
                setrlimit(RLIMIT_FSIZE, &r);
            }
            programmWerden(obProgramm(), argumente);
        }
        return pid;
    }

    // The exit code, or 128 + the signal that ended it.
    static int warten(pid_t pid)
    {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    int lauf(const std::string& befehle, std::vector<std::string> weitere = {}, long dateiGrenze = 0)
    {
        obSchreiben(wurzel / "befehle.txt", befehle);
        weitere.insert(weitere.begin(), "-A=befehle.txt");
        return warten(anstossen(weitere, dateiGrenze));
    }

    std::string fehler() { return obLesen(wurzel / "stderr.txt"); }
    std::string ausgabe() { return obLesen(wurzel / "stdout.txt"); }
    std::string log() { return obLesen(wurzel / "log.txt"); }

    // A stderr text appears within the time (a run that keeps running).
    bool erscheint(const std::string& text, int sekunden)
    {
        const auto bis = std::chrono::steady_clock::now() + std::chrono::seconds(sekunden);
        while (std::chrono::steady_clock::now() < bis) {
            if (fehler().find(text) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
};

// A DXF file of one zero-length line: nothing of it can arrive.
const char OB_LEER_DXF[] =
    "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n5.0\n20\n5.0\n11\n5.0\n21\n5.0\n0\nENDSEC\n0\nEOF\n";

// A DXF file of many lines: a drawing of some size.
std::string obGrossDxf()
{
    std::string s = "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < 20000; ++i)
        s += "0\nLINE\n8\n0\n10\n" + std::to_string(i % 200) + ".0\n20\n0.0\n11\n" + std::to_string(i % 200) +
             ".0\n21\n" + std::to_string(10 + i % 50) + ".0\n";
    return s + "0\nENDSEC\n0\nEOF\n";
}

}  // namespace

TEST_F(OhneBenutzer, EachRefusalIsSaidOnStderrAndEndsWithAFailureStatus)
{
    obSchreiben(wurzel / "binaer.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + std::string(64, '\0'));
    obSchreiben(wurzel / "leer.dxf", OB_LEER_DXF);
    obSchreiben(wurzel / "relativ.dxf", OB_LEER_DXF);
    // A folder path over any limit of a path.
    fs::path lang = wurzel;
    for (int i = 0; i < 6; ++i) lang /= std::string(50, static_cast<char>('a' + i));
    fs::create_directories(lang);

    struct Fall {
        const char* was;
        std::string befehle;
        const char* art;   // the box's kind, on stderr and in the log
        std::string text;  // on stderr
        int code;          // -1: the run keeps running
        bool rest = false; // with the leftover of an interrupted save
    };
    const std::vector<Fall> faelle = {
        {"binary DXF", "open Projekt\nDXFImp " + (wurzel / "binaer.dxf").string() + " Neu.001\nexit\n", "Warnung",
         "binaer.dxf ist bin\xC3\xA4r gespeichert", LAUF_FEHLER},
        {"DXFExp before open", "DXFExp aus.dxf Projekt/HV1.04\nexit\n", "Warnung",
         "DXFExp: Die Zeichnung Projekt/HV1.04 liegt nicht", LAUF_FEHLER},
        {"DXFExp of a missing sheet", "open Projekt\nDXFExp aus.dxf Projekt/HV9.99\nexit\n", "Warnung", "HV9.99",
         LAUF_FEHLER},
        {"relative DXFImp name after open", "open Projekt\nDXFImp relativ.dxf Neu.001\nexit\n", "Warnung",
         "DXF-Datei relativ.dxf nicht gefunden.", LAUF_FEHLER},
        {"empty drawing", "open Projekt\nDXFImp " + (wurzel / "leer.dxf").string() + " Neu.002\nexit\n", "Warnung",
         "Die Zeichnung ist leer", LAUF_FEHLER},
        {"open of a folder too long", "open " + lang.string() + "\nexit\n", "Warnung",
         "Der Pfad ist l\xC3\xA4nger als 199 Zeichen; der Ordner wird nicht ge\xC3\xB6" "ffnet", LAUF_FEHLER},
        {"no exit", "print eins\n", "Warnung", "endet nach Zeile 1 ohne \"exit\"", -1},
        {"Ctrl-Z before exit", "print eins\n\x1a\nexit\n", "Warnung", "ein Strg-Z-Zeichen beendet dort ihren Text", -1},
        {"leftover of an interrupted save", "open Projekt\nexit\n", "Frage",
         "Eine unterbrochene Speicherung wurde gefunden: .velmo-neu-q7Rt2k Soll diese Datei gel\xC3\xB6scht werden? "
         "-> Nein (ohne Benutzer wird nichts gel\xC3\xB6scht",
         LAUF_FEHLER, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        fs::remove(wurzel / "log.txt");
        if (f.rest) fs::copy_file(projekt / "HV1.03", projekt / ".velmo-neu-q7Rt2k");  // a save killed before its rename
        const std::set<std::string> vorher = obDateien(projekt);
        obSchreiben(wurzel / "befehle.txt", f.befehle);
        const pid_t pid = anstossen({"-A=befehle.txt"});
        if (f.code < 0) {
            // Such a run keeps running, as the command file's rule says,
            // and says how to end it; a local "exit" ends it, as a failure.
            setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
            EXPECT_TRUE(erscheint(f.text, 30)) << fehler();
            EXPECT_NE(fehler().find("beenden mit Strg+C"), std::string::npos) << fehler();
            for (int i = 0; i < 500 && !plLokalServerLebt("Velmo"); ++i) usleep(10000);
            EXPECT_EQ(lokalExit(), 0);
            EXPECT_EQ(warten(pid), LAUF_FEHLER);
        } else {
            EXPECT_EQ(warten(pid), f.code) << fehler();
        }
        const std::string e = fehler();
        EXPECT_NE(e.find(std::string("velmo: ") + f.art + ": "), std::string::npos) << e;
        EXPECT_NE(e.find(f.text), std::string::npos) << e;
        EXPECT_EQ(ausgabe(), "");
        EXPECT_NE(log().find(std::string(f.art) + ": "), std::string::npos) << log();
        for (const std::string& d : vorher) EXPECT_TRUE(fs::exists(d)) << d << " deleted by a run without a user";
    }
    EXPECT_FALSE(fs::exists(projekt / "Neu.001"));
}

TEST_F(OhneBenutzer, TheStartsRefusalsEndWithTheirOwnStatus)
{
    // A damaged sheet named at the start.
    std::ofstream(projekt / "HV1.17", std::ios::binary);
    EXPECT_EQ(lauf("exit\n", {"Projekt/HV1.17"}), LAUF_FEHLER);
    EXPECT_NE(fehler().find("Die Zeichnung HV1.17 ist besch\xC3\xA4" "digt und kann nicht ge\xC3\xB6" "ffnet werden."),
              std::string::npos)
        << fehler();
    EXPECT_TRUE(fs::exists(projekt / "HV1.17"));

    // A command file that is not there.
    EXPECT_EQ(warten(anstossen({"-A=fehlt.txt"})), LAUF_NICHT_GESTARTET);
    EXPECT_NE(fehler().find("fehlt.txt ist nicht vorhanden"), std::string::npos) << fehler();
}

TEST_F(OhneBenutzer, ACleanRunSaysNothingAndEndsWithZero)
{
    const std::set<std::string> vorher = obDateien(projekt);
    EXPECT_EQ(lauf("open Projekt\nprint da\nDXFExp " + (wurzel / "aus.dxf").string() + " " + (projekt / "HV1.04").string() + "\n"
                   "DXFImp " + (wurzel / "aus.dxf").string() + " Neu.001\nexit\n"),
              LAUF_OK)
        << fehler();
    EXPECT_EQ(fehler(), "");
    EXPECT_EQ(ausgabe(), "");
    EXPECT_TRUE(fs::exists(wurzel / "aus.dxf"));
    EXPECT_TRUE(fs::exists(projekt / "Neu.001"));
    for (const std::string& d : vorher) EXPECT_TRUE(fs::exists(d)) << d;
}

TEST_F(OhneBenutzer, TheHelpNamesTheExitCodes)
{
    const pid_t pid = anstossen({"--help"});
    EXPECT_EQ(warten(pid), 0);
    const std::string a = ausgabe();
    for (const char* z : {"Endestatus", "  0  ", "  1  ", "  2  ", "  3  ", "  4  "})
        EXPECT_NE(a.find(z), std::string::npos) << z << "\n" << a;
}

TEST_F(OhneBenutzer, ASaveThatReachesTheFileSizeLimitIsRefusedLikeAFullDisk)
{
    // Killed by SIGXFSZ, the program left its temporary file behind.
    obSchreiben(wurzel / "gross.dxf", obGrossDxf());
    const std::set<std::string> vorher = obDateien(projekt);
    const int code = lauf("open Projekt\nDXFImp " + (wurzel / "gross.dxf").string() + " Gross.001\nexit\n", {}, 64 * 1024);
    EXPECT_EQ(code, LAUF_FEHLER) << fehler();
    EXPECT_NE(fehler().find("Kann"), std::string::npos) << fehler();
    for (const auto& e : fs::directory_iterator(projekt)) {
        const std::string n = e.path().filename().string();
        EXPECT_NE(n.rfind(".velmo-neu", 0), 0u) << n << " left behind";
    }
    EXPECT_FALSE(fs::exists(projekt / "Gross.001"));
    for (const std::string& d : vorher) EXPECT_TRUE(fs::exists(d)) << d;
}
