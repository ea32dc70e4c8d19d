// Benchmark of the program's start. Without a window: `velmo -W=1
// -A=start.txt` on a working copy of the demo project (open the project,
// write the log, end), as a user's script would start it, against a
// program that only calls gtk_init. With a window: the time and CPU until
// the program's first window is mapped, against a trivial GTK program's
// single window; both under a window manager (openbox, started here when
// none runs) with the environment the program gives itself. Runs alternate
// with their baseline, one warm-up pair, then RUNS pairs (first argument,
// default 11); minimum and median of CPU and wall time and the ratio in
// CPU time are printed. One further run counts the shared libraries the
// dynamic loader brought in and says whether GTK was among them (a headless
// start must not load it). Built with -DVELMO_BENCH=ON, never run by CTest.
// Needs VELMO_SOURCE_DIR and, for the baselines, a display.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/messen.h"

namespace fs = std::filesystem;

namespace {

// The environment the program gives itself before GTK starts (no
// accessibility bus, settings in memory, no portal); the trivial GTK
// programs get the same, so the comparison holds the work, not the setup.
const char* const kGtkUmgebung = "NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory GTK_USE_PORTAL=0";

// One run of the program in `ordner`; extra environment words (NAME=VALUE).
messung::Lauf starten(const std::string& programm, const fs::path& ordner, const std::vector<std::string>& umgebung)
{
    std::fflush(stdout);  // the child must not print what is still buffered
    const double w0 = messung::wandJetzt();
    pid_t pid = ::fork();
    if (pid < 0) return {};
    if (pid == 0) {
        if (::chdir(ordner.c_str()) != 0) ::_exit(126);
        ::setenv("VELMO_BACKEND", "headless", 1);
        ::setenv("XDG_CONFIG_HOME", (ordner / "cfg").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", ordner.c_str(), 1);
        for (const std::string& u : umgebung) ::putenv(const_cast<char*>(u.c_str()));
        std::FILE* nichts = std::freopen("/dev/null", "w", stdout);
        (void)nichts;
        ::execl(programm.c_str(), programm.c_str(), "-W=1", "-A=start.txt", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    struct rusage ru {};
    if (::wait4(pid, &status, 0, &ru) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    return {messung::cpuAus(ru), messung::wandJetzt() - w0};
}

// A shell command as a child; its own CPU and wall time (0 exit only).
messung::Lauf befehl(const std::string& b)
{
    const double w0 = messung::wandJetzt();
    pid_t pid = ::fork();
    if (pid < 0) return {};
    if (pid == 0) {
        ::execl("/bin/sh", "sh", "-c", b.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    struct rusage ru {};
    if (::wait4(pid, &status, 0, &ru) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    return {messung::cpuAus(ru), messung::wandJetzt() - w0};
}

// The first window of the command through fenster_probe (beside this
// program): the seconds until it appeared and the CPU seconds the program
// used until then; failed when none did.
messung::Lauf fenster(const std::string& b)
{
    std::FILE* p = ::popen(b.c_str(), "r");
    if (!p) return {};
    messung::Lauf l;
    if (std::fscanf(p, "%lf %lf", &l.wand, &l.cpu) != 2) l = {};
    return ::pclose(p) == 0 ? l : messung::Lauf{};
}

// A window manager on the display, as on a desktop: the one running, or
// openbox started here (its pid, or 0 when one ran already; -1 when none
// could be had).
pid_t fensterverwalter(const std::string& probe)
{
    if (befehl("'" + probe + "' --wm").gut()) return 0;
    pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        std::FILE* nichts = std::freopen("/dev/null", "w", stderr);
        (void)nichts;
        ::execlp("openbox", "openbox", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    for (int i = 0; i < 100; ++i) {
        if (befehl("'" + probe + "' --wm").gut()) return pid;
        ::usleep(50000);
    }
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    return -1;
}

// The desktop window against a trivial GTK program's first window, both
// under the window manager with the same environment, runs alternating;
// skipped without a display. 0, or 1 when a run failed.
int desktop(const std::string& programm, const fs::path& wurzel, int laeufe)
{
    if (!std::getenv("DISPLAY")) {
        std::printf("Desktop start: no display (scripts/bench runs this bench under xvfb-run)\n");
        return 0;
    }
    const std::string probe = (fs::path(programm).parent_path() / "fenster_probe").string();
    const std::string vorn = "cd '" + wurzel.string() + "' && " + kGtkUmgebung + " XDG_CONFIG_HOME='" +
                             (wurzel / "cfg").string() + "' XDG_RUNTIME_DIR='" + wurzel.string() + "' '" + probe + "' ";
    const std::string gtk = vorn + "'" + probe + "' --gtk";
    const std::string velmo = vorn + "env VELMO_BACKEND=gtk '" + programm + "' 2>/dev/null";
    const messung::Paare p = messung::abwechselnd(laeufe, [&] { return fenster(gtk); }, [&] { return fenster(velmo); });
    if (!p.gut) {
        std::fprintf(stderr, "start_bench: no window appeared\n");
        return 1;
    }
    const char* basis = "leeres GTK-Fenster unter openbox";
    std::printf("Desktop start under openbox: first window mapped\n");
    messung::bericht(basis, "velmo, erstes Fenster", p);
    messung::ziel("2 Start mit Fenster", p, 1.3, basis);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int laeufe = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const std::string programm = (fs::read_symlink("/proc/self/exe").parent_path() / "velmo").string();
    const fs::path quelle(VELMO_SOURCE_DIR);
    const fs::path wurzel = fs::temp_directory_path() / ("velmo-startbench-" + std::to_string(::getpid()));
    fs::remove_all(wurzel);
    fs::create_directories(wurzel / "cfg");
    fs::copy(quelle / "demo" / "Projekt", wurzel / "Projekt", fs::copy_options::recursive);
    fs::copy_file(quelle / "demo" / "start.txt", wurzel / "start.txt");
    fs::copy_file(quelle / "data" / "BAUTEILE.STD", wurzel / "BAUTEILE.STD");

    int fehler = 0;
    // Both baselines run under a window manager, as on a desktop: GDK
    // without one does work of its own (GL probing) that no desktop pays.
    const std::string probe = (fs::path(programm).parent_path() / "fenster_probe").string();
    const pid_t wm = std::getenv("DISPLAY") ? fensterverwalter(probe) : 0;
    if (wm < 0) {
        std::fprintf(stderr, "start_bench: no window manager (openbox) on the display\n");
        return 1;
    }
    // The headless start against a program that only calls gtk_init (on
    // the display, with the environment the program gives itself): a start
    // of the program with a window cannot cost less than that.
    if (std::getenv("DISPLAY")) {
        const char* basis = "Programm, das nur gtk_init ruft";
        const std::string init = "cd '" + wurzel.string() + "' && " + kGtkUmgebung + " XDG_CONFIG_HOME='" +
                                 (wurzel / "cfg").string() + "' XDG_RUNTIME_DIR='" + wurzel.string() + "' '" + probe +
                                 "' --init";
        const messung::Paare p = messung::abwechselnd(laeufe, [&] { return befehl(init); },
                                                    [&] { return starten(programm, wurzel, {}); });
        if (!p.gut) {
            std::fprintf(stderr, "start_bench: velmo or gtk_init ended with an error\n");
            fehler = 1;
        } else {
            std::printf("Headless start on the demo (velmo -W=1 -A=start.txt)\n");
            messung::bericht(basis, "velmo -W=1 -A=start.txt (headless)", p);
            messung::ziel("2 Start ohne Fenster", p, 1.0, basis);
        }
    } else {
        std::printf("Headless start: no display for the gtk_init baseline (scripts/bench runs this bench under xvfb-run)\n");
    }
    fehler |= desktop(programm, wurzel, laeufe);
    if (wm > 0) {
        ::kill(wm, SIGTERM);
        ::waitpid(wm, nullptr, 0);
    }

    // The libraries the loader brought in, from its own log; written beside
    // the working copy, since the program reads every file in its folder.
    const fs::path ldOrdner = wurzel.string() + "-ld";
    fs::remove_all(ldOrdner);
    fs::create_directories(ldOrdner);
    const fs::path protokoll = ldOrdner / "ld";
    std::string ld1 = "LD_DEBUG=files", ld2 = "LD_DEBUG_OUTPUT=" + protokoll.string();
    if (starten(programm, wurzel, {ld1, ld2}).wand >= 0) {
        int bibliotheken = 0;
        bool gtk = false;
        for (const auto& e : fs::directory_iterator(ldOrdner)) {
            if (e.path().filename().string().rfind("ld.", 0) != 0) continue;
            std::ifstream f(e.path());
            for (std::string z; std::getline(f, z);) {
                if (z.find("calling init:") == std::string::npos) continue;
                ++bibliotheken;
                if (z.find("libgtk") != std::string::npos) gtk = true;
            }
        }
        std::printf("  shared libraries initialised: %d, GTK loaded: %s\n", bibliotheken, gtk ? "yes" : "no");
    }
    std::error_code f;
    fs::remove_all(wurzel, f);
    fs::remove_all(ldOrdner, f);
    return fehler;
}
