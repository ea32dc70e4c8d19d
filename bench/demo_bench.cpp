// Benchmark of opening the large generated projects (velmo_demo --gross):
// 100 sheets / 2,000 devices and 400 sheets / 8,000 devices. For each, one
// run measures
//  1. the baseline: reading every file of the project once;
//  2. what opening the folder in the project page does, in process: switch
//     the folder, build the drawing list (every drawing's header), write the
//     table of contents and the subtitle list, load the equipment data;
//  3. the real program without a window on a command file that opens the
//     project and ends, against a run that only starts and ends: nine
//     pairs in turn, CPU and wall time of each child, and the ratio in CPU
//     time (goal at 400 sheets: within 1.2x).
// Times and ratios to the baseline are printed. Built with -DVELMO_BENCH=ON
// (scripts/run does), never run by CTest. Projects go to the process's
// temporary folder and are removed. Calls tools/demogen, project/, config/,
// equipment/.
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

#include "config/inidatei.h"
#include "config/verordner.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "equipment/ges.h"
#include "equipment/utitel.h"
#include "platform/orte.h"
#include "project/inhalt.h"
#include "project/pvwliste.h"
#include "tools/demogen.h"
#include "bench/messen.h"

namespace fs = std::filesystem;

namespace {

using Uhr = std::chrono::steady_clock;

double sekundenSeit(Uhr::time_point t0) { return std::chrono::duration<double>(Uhr::now() - t0).count(); }

// Reads every file of the folder once; the bytes read.
long allesLesen(const fs::path& ordner)
{
    long n = 0;
    std::vector<char> puffer(1 << 16);
    for (auto& e : fs::directory_iterator(ordner)) {
        std::ifstream f(e.path(), std::ios::binary);
        while (f.read(puffer.data(), static_cast<std::streamsize>(puffer.size())) || f.gcount() > 0) n += f.gcount();
    }
    return n;
}

// One run of the program without a window on a command file; its CPU and
// wall time from the kernel's accounting of the child.
messung::Lauf programmLauf(const fs::path& wurzel, const std::string& programm, const char* befehle)
{
    std::ofstream(wurzel / "lauf.txt") << befehle;
    std::fflush(stdout);  // the child must not print what is still buffered
    const double w0 = messung::wandJetzt();
    const pid_t pid = ::fork();
    if (pid < 0) return {};
    if (pid == 0) {
        if (::chdir(wurzel.c_str()) != 0) ::_exit(126);
        ::setenv("XDG_CONFIG_HOME", (wurzel / "cfg").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", wurzel.c_str(), 1);
        ::setenv("VELMO_BACKEND", "headless", 1);
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) ::_exit(126);
        ::execl(programm.c_str(), programm.c_str(), "-W=1", "-A=lauf.txt", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    struct rusage ru {};
    if (::wait4(pid, &status, 0, &ru) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    return {messung::cpuAus(ru), messung::wandJetzt() - w0};
}

// false when a step failed (then no ratio is printed for it).
bool messen(const std::string& quellen, const std::string& programm, int blaetter, int geraete, const char* ziel)
{
    const fs::path ordner = fs::current_path();
    const fs::path wurzel = fs::path(plOrtTemp()) / ("velmo-bench-" + std::to_string(::getpid()) + "-" +
                                                     std::to_string(blaetter));
    fs::remove_all(wurzel);
    auto t0 = Uhr::now();
    if (DemoGross(quellen, blaetter, geraete, wurzel.string()) != 0) {
        std::fprintf(stderr, "Projekt %d/%d nicht erzeugt\n", blaetter, geraete);
        return false;
    }
    const double erzeugen = sekundenSeit(t0);
    const fs::path projekt = wurzel / "Projekt";

    double basis0 = 1e9;
    long bytes = 0;
    for (int lauf = 0; lauf < 3; ++lauf) {
        t0 = Uhr::now();
        bytes = allesLesen(projekt);
        basis0 = std::min(basis0, sekundenSeit(t0));
    }

    IniPfadSetzen((wurzel / "bench.ini").string().c_str());
    VgbSetSetzen("Standard", (projekt / "Standard.vgb").string().c_str());
    // Best of three runs each: the first pays for cold caches.
    double oeffnen = 1e9;
    int zeilen = 0, items = 0;
    for (int lauf = 0; lauf < 3; ++lauf) {
        UtitelInit();
        t0 = Uhr::now();
        VerUmschalten(projekt.string().c_str());
        PvwVerzLesen();
        PvwInhaltSchreiben();
        PvwUntertitelSchreiben();
        BMZuruecksetzen();
        BMStart();
        BMDateiLesen();
        oeffnen = std::min(oeffnen, sekundenSeit(t0));
        zeilen = PvwAnzahl();
        items = GesAnzahl();
        BMEnde();
        BMZuruecksetzen();
        UtitelFrei();
        VerUmschalten(wurzel.string().c_str());
    }
    // The whole program: a run that opens the project against one that
    // only starts and ends (the least any run of the program costs), in
    // turn, so both see the same load of the machine.
    const char* basis = "Programm starten und beenden";
    const messung::Paare p = messung::abwechselnd(
        9, [&] { return programmLauf(wurzel, programm, "exit\n"); },
        [&] { return programmLauf(wurzel, programm, "open Projekt\nexit\n"); });

    std::printf("Projekt %d Blätter / %d Geräte (erzeugt in %.3f s, %ld Bytes, %d Listenzeilen, %d Geräte geladen)\n",
                blaetter, geraete, erzeugen, bytes, zeilen, items);
    std::printf("  alle Dateien einmal lesen             %8.4f s  1.00x\n", basis0);
    std::printf("  Projektseite öffnen (im Prozess)      %8.4f s  %5.1fx\n", oeffnen, oeffnen / basis0);
    if (p.gut) {
        messung::bericht(basis, "Programm: Projekt öffnen und beenden", p);
        if (ziel) messung::ziel(ziel, p, 1.2, basis);
    } else {
        std::printf("  Programm ohne Fenster: nicht gelaufen (%s)\n", programm.c_str());
    }
    fs::current_path(ordner);  // switching folders made the project current
    fs::remove_all(wurzel);
    return p.gut;
}

}  // namespace

int main(int argc, char** argv)
{
    // The program sits beside the benchmark in the build folder.
    const std::string programm = (fs::read_symlink("/proc/self/exe").parent_path() / "velmo").string();
    const std::string quellen = argc > 1 ? argv[1] : std::string(VELMO_QUELLEN);
    const bool a = messen(quellen, programm, 100, 2000, nullptr);
    const bool b = messen(quellen, programm, 400, 8000, "8 Programm: 400 Blätter öffnen");
    return a && b ? 0 : 1;
}
