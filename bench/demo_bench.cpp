// Benchmark of opening the large generated projects (velmo_demo --gross):
// 25 sheets / 500 devices and 100 sheets / 2,000 devices. For each, one
// run measures
//  1. the baseline: reading every file of the project once;
//  2. what opening the folder in the project page does, in process: switch
//     the folder, build the drawing list (every drawing's header), write the
//     table of contents and the subtitle list, load the equipment data;
//  3. the real program without a window on a command file that opens the
//     project and ends, less a run that only starts and ends (the median
//     of nine alternating pairs).
// Times and ratios to the baseline are printed. Built with -DVELMO_BENCH=ON
// (scripts/run does), never run by CTest. Projects go to the process's
// temporary folder and are removed. Calls tools/demogen, project/, config/,
// equipment/.
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

double programmLauf(const fs::path& wurzel, const std::string& programm, const char* befehle)
{
    std::ofstream(wurzel / "lauf.txt") << befehle;
    const std::string befehl = "cd '" + wurzel.string() + "' && XDG_CONFIG_HOME='" + wurzel.string() +
                               "/cfg' XDG_RUNTIME_DIR='" + wurzel.string() + "' VELMO_BACKEND=headless '" + programm + "' -W=1 -A=lauf.txt >/dev/null 2>&1";
    auto t0 = Uhr::now();
    if (std::system(befehl.c_str()) != 0) return -1;
    return sekundenSeit(t0);
}

// Median of the values (they are taken by value and sorted).
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// false when a step failed (then no ratio is printed for it).
bool messen(const std::string& quellen, const std::string& programm, int blaetter, int geraete)
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

    double basis = 1e9;
    long bytes = 0;
    for (int lauf = 0; lauf < 3; ++lauf) {
        t0 = Uhr::now();
        bytes = allesLesen(projekt);
        basis = std::min(basis, sekundenSeit(t0));
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
    // The whole program: runs that only start and end alternate with runs
    // that open the project, so both see the same load of the machine; the
    // opening is the median of the pairs' differences (one noisy minimum
    // less another would scatter by more than the opening takes).
    std::vector<double> differenzen, starts;
    bool gelaufen = true;
    for (int lauf = 0; lauf < 9 && gelaufen; ++lauf) {
        const double leer = programmLauf(wurzel, programm, "exit\n");
        const double offen = programmLauf(wurzel, programm, "open Projekt\nexit\n");
        gelaufen = leer >= 0 && offen >= 0;
        differenzen.push_back(offen - leer);
        starts.push_back(leer);
    }

    std::printf("Projekt %d Blätter / %d Geräte (erzeugt in %.3f s, %ld Bytes, %d Listenzeilen, %d Geräte geladen)\n",
                blaetter, geraete, erzeugen, bytes, zeilen, items);
    std::printf("  alle Dateien einmal lesen             %8.4f s  1.00x\n", basis);
    std::printf("  Projektseite öffnen (im Prozess)      %8.4f s  %5.1fx\n", oeffnen, oeffnen / basis);
    if (gelaufen) {
        const double d = median(differenzen);
        std::printf("  Programm ohne Fenster: öffnen         %8.4f s  %5.1fx (Median von 9 Paaren, Start und Ende %.4f s abgezogen)\n",
                    d, d / basis, median(starts));
    } else {
        std::printf("  Programm ohne Fenster: nicht gelaufen (%s)\n", programm.c_str());
    }
    fs::current_path(ordner);  // switching folders made the project current
    fs::remove_all(wurzel);
    return gelaufen;
}

}  // namespace

int main(int argc, char** argv)
{
    // The program sits beside the benchmark in the build folder.
    const std::string programm = (fs::read_symlink("/proc/self/exe").parent_path() / "velmo").string();
    const std::string quellen = argc > 1 ? argv[1] : std::string(VELMO_QUELLEN);
    const bool a = messen(quellen, programm, 25, 500);
    const bool b = messen(quellen, programm, 100, 2000);
    return a && b ? 0 : 1;
}
