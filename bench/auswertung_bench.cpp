// Benchmark of the evaluations on the generated project of 100 sheets and
// 2,000 devices (velmo_demo --gross). One run measures
//  1. the baseline: one pass over the equipment store (the lists dropped
//     and read again, every item, and the components, generated texts and
//     attached texts of every id);
//  2. the sorted walk of the rows alone, which every equipment-based list makes;
//  3. every entry of the shipped catalogue run without dialog;
// and prints each time with its ratio to the baseline, and the total.
// Goal: each evaluation within 5x the baseline. Built with -DVELMO_BENCH=ON,
// never run by CTest. The project goes to the process's temporary folder
// and is removed. Calls tools/demogen, lists/, project/, config/,
// equipment/.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
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
#include "platform/orte.h"
#include "project/pvwliste.h"
#include "tools/demogen.h"

namespace fs = std::filesystem;

namespace {

using Uhr = std::chrono::steady_clock;

double sekundenSeit(Uhr::time_point t0) { return std::chrono::duration<double>(Uhr::now() - t0).count(); }

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

    // Best of three each: the first run pays for cold caches.
    double basis = 1e9;
    long saetze = 0;
    for (int lauf = 0; lauf < 3; ++lauf) {
        auto t0 = Uhr::now();
        saetze = einDurchgang();
        basis = std::min(basis, sekundenSeit(t0));
    }
    std::printf("Projekt 100 Blätter / %d Geräte, %ld Sätze je Durchgang\n", GesAnzahl(), saetze);
    std::printf("  ein Durchgang über die Betriebsmittel   %8.4f s  1.00x\n", basis);
    // The sorted walk of the equipment rows alone (identifiers, position
    // texts, the external sort), which every equipment-based evaluation makes.
    double walk = 1e9;
    for (int lauf = 0; lauf < 3; ++lauf) {
        auto t0 = Uhr::now();
        BMListenVerwerfen();
        BMSortiertDurchlaufen(nullptr, [](const bmzeile*, void*) {}, 100, nullptr);
        walk = std::min(walk, sekundenSeit(t0));
    }
    std::printf("  sortierter Durchlauf allein             %8.4f s  %5.1fx\n", walk, walk / basis);
    double summe = 0;
    int verfehlt = 0;
    for (int i = 0; i < AwAnzahl(); ++i) {
        double beste = 1e9;
        for (int lauf = 0; lauf < 3; ++lauf) {
            auto t0 = Uhr::now();
            AwLaufen(i, 0);
            beste = std::min(beste, sekundenSeit(t0));
        }
        summe += beste;
        const double faktor = beste / basis;
        if (faktor > 5.0) ++verfehlt;
        std::printf("  %-38s %8.4f s  %5.1fx%s\n", AwName(i), beste, faktor, faktor > 5.0 ? "  (Ziel 5x verfehlt)" : "");
    }
    std::printf("  alle Auswertungen zusammen              %8.4f s  %5.1fx\n", summe, summe / basis);
    std::printf("%d von %d Auswertungen über 5x\n", verfehlt, AwAnzahl());
    BMEnde();
    BMZuruecksetzen();
    fs::current_path(start);
    fs::remove_all(wurzel);
    return 0;
}
