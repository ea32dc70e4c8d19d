// Benchmark of the drawing store against a plain read of the drawing file,
// one run, all times and ratios printed: a generated drawing of 100,000
// elements (lines, texts longer than ten characters, circles and references
// to a fixture component, drawn in local runs as an editor would) is
//  0. parsed record by record into one reused BEF (the baseline: the store
//     cannot read its records with less; the same parse into a vector
//     reserved for every record is shown beside it),
//  1. loaded into the store (TzLaden), alternating with 0, five runs each,
//     minimum and median of CPU and wall time,
//  2. walked: a full TzBereichDurchlaufen and a TzNaechstes walk,
//  3. saved (TzSpeichern),
// once with "ZeiRAM" at its default and once with 0 (every basket in the
// swap file). Target: the load within 4 times the baseline in CPU time. For the profile, the
// same runs follow over the drawing with lines in place of the references:
// the difference is the expansion of the component references (extents on
// load, state after each reference on load and save). Built with
// -DVELMO_BENCH=ON, never run by CTest. Files go to the process's
// temporary folder. Calls the store, the drawing file and the component
// library of model/, config/ and platform/.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "model/zeichnun.h"
#include "platform/orte.h"
#include "bench/messen.h"
#include "bench/modellbank.h"

using namespace modh;  // the model's calls through its service tables

namespace {

// Writes the drawing: 100,000 elements in runs of 50 around one point each.
int erzeugen(const std::string& pfad, bool referenzen)
{
    ZeiDatei z;
    if (ZeiDateiAnlegen(&z, pfad.c_str()) != 0) return -1;
    BEF bd = modellSatz(35, 0, 0, "TST", 0);
    ZeiBefSchreiben(&z, &bd);
    unsigned zufall = 12345;
    for (int i = 0; i < 100000; ++i) {
        if (i % 50 == 0) {
            zufall = zufall * 1103515245u + 12345u;
            double x = 10 + (zufall >> 8) % 380, y = 10 + (zufall >> 18) % 380;
            BEF ba = modellSatz(21, x, y, nullptr, 0);
            ZeiBefSchreiben(&z, &ba);
        }
        BEF b;
        switch (i % 4) {
        case 0: b = modellSatz(40, 1.5, 0.5, nullptr, 0); break;
        case 1: {
            char t[40];
            std::snprintf(t, sizeof t, "Beschriftung %06d", i);
            b = modellSatz(50, 0, 0, t, 0);
            break;
        }
        case 2: b = modellSatz(67, 1.25, 1.25, nullptr, 1); break;
        default: b = referenzen ? modellSatz(80, 0, 0, "M1", 0) : modellSatz(40, 0.5, 0.5, nullptr, 0); break;
        }
        if (ZeiBefSchreiben(&z, &b) < 0) return -1;
        if (i % 4 == 3) {
            BEF bw = modellSatz(20, 0.5, -0.25, nullptr, 0);
            ZeiBefSchreiben(&z, &bw);
        }
    }
    return ZeiDateiSchliessen(&z);
}

// The baseline: the bare parse of the drawing file, every record into one
// reused BEF; nothing cheaper reads the same records (the store must see
// each one). The records counted; -1 when the file cannot be opened.
long rohLesen(const std::string& zeichnung)
{
    ZeiDatei z;
    if (ZeiDateiLesend(&z, zeichnung.c_str()) != 0) return -1;
    BEF b;
    long n = 0;
    while (ZeiBefLesen(&z, &b) == 0) ++n;
    ZeiDateiSchliessen(&z);
    return n;
}

// The same parse keeping every record in a vector reserved for them: what
// holding the records in memory adds, beside the goal's baseline.
long inVektorLesen(const std::string& zeichnung, std::vector<BEF>& alle, size_t anzahl)
{
    alle.clear();
    alle.reserve(anzahl);
    ZeiDatei z;
    if (ZeiDateiLesend(&z, zeichnung.c_str()) != 0) return -1;
    BEF b;
    while (ZeiBefLesen(&z, &b) == 0) alle.push_back(b);
    ZeiDateiSchliessen(&z);
    return static_cast<long>(alle.size());
}

constexpr int LAEUFE = 5;
const char* const kBasis = "Zeichnung lesen, ein wiederverwendeter Satz";

bool lauf(const std::string& ordner, const std::string& zeichnung, int zeiRam, const char* art)
{
    TzZeiRamVorgeben(zeiRam);
    TzInit();
    STT start = modellZustand(), aus;
    long saetze = 0;
    int r = 0;
    // Baseline and load in turn; the store is emptied outside the timing.
    const messung::Paare p = messung::abwechselnd(
        LAEUFE, [&] { return messung::einmal([&] { return (saetze = rohLesen(zeichnung)) > 0; }); },
        [&] {
            TzEnde();
            TzInit();
            return messung::einmal([&] { return (r = TzLaden(zeichnung.c_str(), &start, &aus, 0, 0, 0)) == 0; });
        });
    std::vector<BEF> alle;
    const messung::Lauf vektor =
        messung::einmal([&] { return inVektorLesen(zeichnung, alle, static_cast<size_t>(saetze)) == saetze; });

    long n = 0, m = 0;
    const messung::Lauf laufen = messung::einmal([&] {
        double alles[4] = {-1000, -1000, 1400, 1400};
        TzBereichDurchlaufen(alles, [&](int, const STT*, const BEF*) { ++n; });
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) ++m;
        return true;
    });
    std::string ziel = ordner + "/kopie.ZEI";
    int rs = -1;
    const messung::Lauf speichern = messung::einmal([&] { return (rs = TzSpeichern(ziel.c_str(), &start, &aus, 0)) == 0; });

    std::printf("%s, ZeiRAM %s: %ld records, %d objects (load %d, save %d), walked %ld and %ld\n", art,
                zeiRam < 0 ? "default" : "0", saetze, TzAnzahl(), r, rs, n, m);
    TzEnde();
    if (!p.gut || r != 0 || rs != 0) {
        std::fprintf(stderr, "tz_bench: Laden oder Speichern fehlgeschlagen (%d, %d)\n", r, rs);
        return false;
    }
    messung::bericht(kBasis, "TzLaden", p);
    const double b = messung::median(p.basis.cpu);
    std::printf("  %-44s CPU %8.4f s  %6.2fx (einmal)\n", "lesen in einen reservierten std::vector<BEF>", vektor.cpu,
                vektor.cpu / b);
    std::printf("  %-44s CPU %8.4f s  %6.2fx (einmal)\n", "TzBereichDurchlaufen + TzNaechstes", laufen.cpu, laufen.cpu / b);
    std::printf("  %-44s CPU %8.4f s  %6.2fx (einmal)\n", "TzSpeichern", speichern.cpu, speichern.cpu / b);
    // The goal stands for the store as the editor runs it: references, the
    // setting's default.
    if (zeiRam < 0 && std::strcmp(art, "with references") == 0)
        messung::ziel("3 Zeichnungsspeicher laden (100.000 Elemente)", p, 4.0, kBasis);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    // The fixture component "M1" of the model tests as library "TST".
    const std::string ordner = modellBankAnlegen(argc, argv);
    if (ordner.empty()) return 1;
    std::string zeichnung = ordner + "/gross.ZEI";
    std::string ohne = ordner + "/ohne.ZEI";
    if (erzeugen(zeichnung, true) != 0 || erzeugen(ohne, false) != 0) {
        std::fprintf(stderr, "Zeichnung nicht erzeugt\n");
        return 1;
    }
    bool gut = lauf(ordner, zeichnung, -1, "with references");
    gut = lauf(ordner, zeichnung, 0, "with references") && gut;
    gut = lauf(ordner, ohne, -1, "lines in place of references") && gut;
    gut = lauf(ordner, ohne, 0, "lines in place of references") && gut;
    BauEnde();
    return gut ? 0 : 1;
}
