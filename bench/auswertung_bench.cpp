// Benchmark of the evaluations on the generated project of 100 sheets and
// 2,000 devices (velmo_demo --gross). One run measures
//  1. the baseline: one pass over the equipment store (the lists dropped
//     and read again, every item, and the components, generated texts and
//     attached texts of every id);
//  2. the sorted walk of the rows alone, which every equipment-based list makes;
//  3. every entry of the shipped catalogue run without dialog;
// and prints each time (process CPU time, best of three) with its ratio to
// the baseline, and the total; the wall time stands beside it.
// Goal: each evaluation within 5x the baseline. The label sheets are
// measured on their own, in turn with the baseline (five pairs each): the
// first run with every sheet new (within 10x; scripts/bench puts the
// temporary folder on tmpfs, where the file system's work is least) and
// the unchanged second run (within 5x). Built with -DVELMO_BENCH=ON,
// never run by CTest. The project goes to the process's temporary folder
// and is removed. Calls tools/demogen, lists/, project/, config/, support/,
// platform/, equipment/.
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "config/konfhaken.h"
#include "config/verordner.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/nartikel.h"
#include "equipment/ngestext.h"
#include "equipment/nzustext.h"
#include "lists/auswertung.h"
#include "lists/awlauf.h"
#include "model/einstell.h"
#include "platform/dateisys.h"
#include "platform/orte.h"
#include "winlib/meldung.h"
#include "project/pvwliste.h"
#include "support/fileload.h"
#include "support/pfade.h"
#include "support/speicher.h"
#include "tools/demogen.h"
#include "bench/messen.h"

namespace fs = std::filesystem;

namespace {

using Uhr = std::chrono::steady_clock;

double sekundenSeit(Uhr::time_point t0) { return std::chrono::duration<double>(Uhr::now() - t0).count(); }

double cpuSekunden()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Mass {
    double cpu, wand;
    double ersterCpu = 0;  // the first of the runs
};

template <class F> Mass messen(F f)
{
    Mass m{1e9, 1e9};
    for (int lauf = 0; lauf < 3; ++lauf) {
        const double c0 = cpuSekunden();
        const auto t0 = Uhr::now();
        f();
        m.wand = std::min(m.wand, sekundenSeit(t0));
        const double cpu = cpuSekunden() - c0;
        if (lauf == 0) m.ersterCpu = cpu;
        m.cpu = std::min(m.cpu, cpu);
    }
    return m;
}

// Prints one line; true when the goal of 5x is missed.
bool zeile(const char* name, Mass m, Mass basis, bool ziel = true)
{
    const double faktor = m.cpu / basis.cpu;
    const bool verfehlt = ziel && faktor > 5.0;
    std::printf("  %-38s %8.4f  %5.1fx  %8.4f%s\n", name, m.cpu, faktor, m.wand, verfehlt ? "  (Ziel 5x verfehlt)" : "");
    return verfehlt;
}

// One pass over the store; the number of records seen.
long einDurchgang()
{
    BMListenVerwerfen();
    BMDateiAktuell(0);
    struct Zaehler {
        long n = 0;
        std::vector<uint32_t> ids;
    } z;
    GesDurchlaufen(
        [](const appgeraet* g, void* u) {
            auto* zz = static_cast<Zaehler*>(u);
            zz->ids.push_back(g->id);
            ++zz->n;
        },
        &z);
    for (uint32_t id : z.ids) {
        BtlDurchlaufen(id, [](const appbteil*, void* u) { ++static_cast<Zaehler*>(u)->n; }, &z);
        GtxDurchlaufen(id, nullptr, -1, 1, [](const appgtext*, void* u) { ++static_cast<Zaehler*>(u)->n; }, &z);
        ZtxDurchlaufen(id, nullptr, -1, 1, [](const appztext*, void* u) { ++static_cast<Zaehler*>(u)->n; }, &z);
    }
    return z.n;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string quellen = argc > 1 ? argv[1] : std::string(VELMO_QUELLEN);
    const fs::path start = fs::current_path();
    const fs::path wurzel = fs::path(plOrtTemp()) / ("velmo-awbench-" + std::to_string(::getpid()));
    fs::remove_all(wurzel);
    if (DemoGross(quellen, 100, 2000, wurzel.string()) != 0) {
        std::fprintf(stderr, "Projekt nicht erzeugt\n");
        return 1;
    }
    const fs::path projekt = wurzel / "Projekt";
    KonfHaken h{};
    h.warnung = [](const char*) {};
    konfHakenSetzen(h);
    IniPfadSetzen((wurzel / "bench.ini").string().c_str());
    VgbSetSetzen("Standard", (projekt / "Standard.vgb").string().c_str());
    VerUmschalten((projekt / "x").string().c_str());
    VerSetzen(1, projekt.string().c_str());
    VerSetzen(2, wurzel.string().c_str());
    PvwVerzLesen();
    GrundEinstLesen(GrundEinst());  // the label sheets take their library from it
    BMZuruecksetzen();
    BMStart();
    AwKatalogAusDatei((fs::path(quellen) / ".." / ".." / "data" / "auswertungen.txt").string().c_str());
    // In the program, evaluations run after its window is up, with the user
    // interface's fonts loaded; the label sheets end with a message. One
    // message first, so that the first run pays for its sheets and not for
    // the process's first box.
    wiHinweis("Auswertungen bereit.");

    // Best of three each: the first run pays for cold caches. The process's
    // CPU time (user and system, so the file system's work counts) is the
    // measure: the wall time on a shared machine swings with its load.
    long saetze = 0;
    Mass basis = messen([&] { saetze = einDurchgang(); });
    std::printf("Projekt 100 Blätter / %d Geräte, %ld Sätze je Durchgang\n", GesAnzahl(), saetze);
    std::printf("  %-38s %8s  %6s  %8s\n", "", "CPU s", "Faktor", "Wand s");
    zeile("ein Durchgang über die Betriebsmittel", basis, basis);
    // The sorted walk of the equipment rows alone (identifiers, position
    // texts, the sort), which every equipment-based evaluation makes.
    zeile("sortierter Durchlauf allein", messen([] {
              BMListenVerwerfen();
              BMSortiertDurchlaufen(nullptr, [](const bmzeile*, void*) {}, 100, nullptr);
          }),
          basis);
    Mass summe{0, 0};
    int verfehlt = 0;
    std::string schildStamm;
    double schildErsterLauf = 0;
    // VELMO_AWBENCH_NUR=<name> runs every evaluation once (so the folder holds
    // what the others write, the label sheets too), then only that one, many
    // times, for a profiler.
    const char* nur = std::getenv("VELMO_AWBENCH_NUR");
    if (nur)
        for (int i = 0; i < AwAnzahl(); ++i) AwLaufen(i, 0);
    for (int i = 0; i < AwAnzahl(); ++i) {
        if (nur && std::strcmp(nur, AwName(i)) != 0) continue;
        if (nur)
            for (int k = 0; k < 200; ++k) AwLaufen(i, 0);
        const Mass m = messen([i] { AwLaufen(i, 0); });
        summe.cpu += m.cpu;
        summe.wand += m.wand;
        if (zeile(AwName(i), m, basis)) ++verfehlt;
        if (AwTyp(i) == 2) {
            schildStamm = AwOptionen().datei;
            schildErsterLauf = m.ersterCpu;
            // The sheets' files of this run (stem.1, stem.2, ...).
            const auto blattDateien = [&] {
                char stamm[VERSUP + 1];
                std::snprintf(stamm, sizeof stamm, "%s", schildStamm.c_str());
                endungweg(stamm);
                std::vector<std::string> v;
                for (int k = 1;; ++k) {
                    char pfad[VERSUP + 1];
                    PfadBilden(1, (std::string(stamm) + "." + std::to_string(k)).c_str(), nullptr, pfad, sizeof pfad);
                    if (!fs::exists(pfad)) break;
                    v.push_back(pfad);
                }
                return v;
            };
            const auto durchgang = [] {
                return messung::einmal([] { return einDurchgang() > 0; });
            };
            const auto lauf = [i] {
                return messung::einmal([i] { return AwLaufen(i, 0) >= 0; });
            };
            // The first run makes every sheet anew: its files are removed
            // (outside the timing) before each. The second meets the same
            // sheets again, an unchanged project. Each in turn with a pass.
            const messung::Paare erst = messung::abwechselnd(5, durchgang, [&] {
                for (const std::string& d : blattDateien()) ::unlink(d.c_str());
                return lauf();
            });
            const messung::Paare zweit = messung::abwechselnd(5, durchgang, lauf);
            const char* bn = "ein Durchgang über die Betriebsmittel";
            std::printf("  Schilder, %s:\n", fs::path(plOrtTemp()).c_str());
            messung::bericht(bn, "Schilder, erster Lauf (alle Blätter neu)", erst);
            messung::bericht(bn, "Schilder, zweiter Lauf (unverändert)", zweit);
            messung::ziel("1 Schilder, erster Lauf", erst, 10, bn);
            messung::ziel("1 Schilder, zweiter Lauf (unverändert)", zweit, 5, bn);
        }
    }
    zeile("alle Auswertungen zusammen", summe, basis, false);
    // What the file system alone costs the label sheets: each sheet is its
    // own drawing and replaces its file atomically (a new file, renamed over
    // the old one). The sheets of the last run are written again, byte for
    // byte, through the same calls.
    if (!schildStamm.empty()) {
        char stamm[VERSUP + 1];
        std::snprintf(stamm, sizeof stamm, "%s", schildStamm.c_str());
        endungweg(stamm);
        std::vector<std::pair<std::string, std::string>> blaetter;
        for (int k = 1;; ++k) {
            char pfad[VERSUP + 1];
            PfadBilden(1, (std::string(stamm) + "." + std::to_string(k)).c_str(), nullptr, pfad, sizeof pfad);
            char* block = nullptr;
            long laenge = 0;
            if (dateiladen(pfad, &block, &laenge) != 0) break;
            blaetter.emplace_back(pfad, std::string(block, static_cast<size_t>(laenge)));
            ffree(block);
        }
        char name[80];
        std::snprintf(name, sizeof name, "  davon %zu Blattdateien ersetzen", blaetter.size());
        zeile(name, messen([&] {
                  for (const auto& [pfad, inhalt] : blaetter) plDsDateiErsetzen(pfad.c_str(), inhalt.data(), inhalt.size());
              }),
              basis, false);
        // The least a first run can cost on this file system: as many new,
        // empty files made in a folder of their own, nothing written.
        int ordnerNr = 0;
        std::snprintf(name, sizeof name, "  Untergrenze: %zu leere Dateien anlegen", blaetter.size());
        const Mass leer = messen([&] {
                  const fs::path ordner = wurzel / ("leer" + std::to_string(++ordnerNr));
                  fs::create_directory(ordner);
                  for (size_t k = 1; k <= blaetter.size(); ++k) {
                      const int fd = ::open((ordner / ("S." + std::to_string(k))).c_str(),
                                            O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
                      if (fd >= 0) ::close(fd);
                  }
              });
        zeile(name, leer, basis, false);
        // This file system's work for new files swings with what was deleted
        // lately (it skips inodes freed in the last seconds): the first run
        // against the bare making of its files, measured just after it.
        std::printf("  %-38s %8s  %5.1fx\n", "  erster Lauf gegen die Untergrenze", "", schildErsterLauf / leer.cpu);
    }
    std::printf("%d von %d Auswertungen über 5x\n", verfehlt, AwAnzahl());
    BMEnde();
    BMZuruecksetzen();
    fs::current_path(start);
    // VELMO_AWBENCH_KOPIE=<folder> copies the project with every result
    // there, to compare the outputs of two builds.
    if (const char* kopie = std::getenv("VELMO_AWBENCH_KOPIE"))
        fs::copy(wurzel, kopie, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::remove_all(wurzel);
    return 0;
}
