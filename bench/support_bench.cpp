// Benchmark of the support library against the standard library, one run,
// both times and the ratio printed:
//  1. bdgets over a generated 100 MB text file vs std::getline on an
//     std::ifstream (target: within 1.5x);
//  2. the external sort of 1,000,000 records of 40 bytes vs std::sort in
//     memory plus one write and one read of the sorted records through std
//     streams (target: within 10x).
// Built with -DVELMO_BENCH=ON (scripts/test builds, scripts/bench runs). Files
// go to the process's temporary folder. Calls platform/orte and support/.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/orte.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/sortier.h"

namespace {

using Uhr = std::chrono::steady_clock;

double sekundenSeit(Uhr::time_point t0)
{
    return std::chrono::duration<double>(Uhr::now() - t0).count();
}

uint64_t zufall(uint64_t& z)
{
    z ^= z << 13;
    z ^= z >> 7;
    z ^= z << 17;
    return z;
}

// Lines of 0..150 characters of printable code page 1252, LF ended.
void textErzeugen(const std::string& pfad, long groesse)
{
    std::ofstream aus(pfad, std::ios::binary);
    uint64_t z = 88172645463325252ull;
    std::string zeile;
    long geschrieben = 0;
    while (geschrieben < groesse) {
        size_t n = zufall(z) % 151;
        zeile.assign(n, ' ');
        for (size_t i = 0; i < n; ++i) {
            zeile[i] = static_cast<char>(' ' + zufall(z) % 95);
        }
        zeile += '\n';
        aus.write(zeile.data(), static_cast<std::streamsize>(zeile.size()));
        geschrieben += static_cast<long>(zeile.size());
    }
}

void verhaeltnis(const char* was, double a, double b, double ziel)
{
    double r = a / b;
    std::printf("%s: Verhältnis %.2f (Ziel höchstens %.1f) %s\n\n", was, r, ziel, r <= ziel ? "erreicht" : "VERFEHLT");
}

void zeilenMessen(const std::string& ordner)
{
    const std::string pfad = ordner + "/bench_text.txt";
    textErzeugen(pfad, 100L * 1024 * 1024);

    auto t0 = Uhr::now();
    BDAT d;
    if (bdopenlesen(&d, pfad.c_str()) < 0) {
        std::printf("bdgets: %s nicht lesbar\n", pfad.c_str());
        return;
    }
    static char puffer[1001];
    long zeilenBd = 0, zeichenBd = 0;
    int n;
    while ((n = bdgets(&d, puffer, 1000)) >= 0) {
        ++zeilenBd;
        zeichenBd += n;
    }
    bdclose(&d);
    double tBd = sekundenSeit(t0);

    t0 = Uhr::now();
    std::ifstream ein(pfad, std::ios::binary);
    std::string zeile;
    long zeilenStd = 0, zeichenStd = 0;
    while (std::getline(ein, zeile)) {
        ++zeilenStd;
        zeichenStd += static_cast<long>(zeile.size());
    }
    double tStd = sekundenSeit(t0);

    std::printf("Zeilen lesen, 100 MB:\n");
    std::printf("  bdgets        %8.3f s  %ld Zeilen, %ld Zeichen\n", tBd, zeilenBd, zeichenBd);
    std::printf("  std::getline  %8.3f s  %ld Zeilen, %ld Zeichen\n", tStd, zeilenStd, zeichenStd);
    if (zeilenBd != zeilenStd || zeichenBd != zeichenStd) {
        std::printf("  FEHLER: unterschiedliche Ergebnisse\n");
    }
    verhaeltnis("bdgets / std::getline", tBd, tStd, 1.5);
    dateiloeschen(pfad.c_str());
}

struct Satz {
    uint64_t schluessel;
    uint32_t nummer;
    char rest[28];
};
static_assert(sizeof(Satz) == 40);

int satzVergleich(const void* a, const void* b)
{
    uint64_t x = static_cast<const Satz*>(a)->schluessel;
    uint64_t y = static_cast<const Satz*>(b)->schluessel;
    return x < y ? -1 : x > y ? 1 : 0;
}

struct Pruefung {
    uint64_t letzter = 0;
    long anzahl = 0;
    bool geordnet = true;
};

int satzEmpfangen(const void* satz, void* user)
{
    auto* p = static_cast<Pruefung*>(user);
    uint64_t k = static_cast<const Satz*>(satz)->schluessel;
    if (p->anzahl > 0 && k < p->letzter) {
        p->geordnet = false;
    }
    p->letzter = k;
    ++p->anzahl;
    return 1;
}

void sortMessen(const std::string& ordner)
{
    const long anzahl = 1000000;
    std::vector<Satz> saetze(anzahl);
    uint64_t z = 0x9E3779B97F4A7C15ull;
    for (long i = 0; i < anzahl; ++i) {
        saetze[i].schluessel = zufall(z);
        saetze[i].nummer = static_cast<uint32_t>(i);
        std::memset(saetze[i].rest, 'a' + static_cast<int>(i % 26), sizeof saetze[i].rest);
    }

    auto t0 = Uhr::now();
    MSORT m;
    Pruefung p;
    int erg = msortinit(&m, sizeof(Satz), satzVergleich);
    for (long i = 0; erg == 0 && i < anzahl; ++i) {
        erg = msortput(&m, &saetze[i]);
    }
    erg = erg == 0 ? msortende(&m, satzEmpfangen, &p) : -1;
    double tM = sekundenSeit(t0);

    t0 = Uhr::now();
    std::vector<Satz> kopie = saetze;
    std::sort(kopie.begin(), kopie.end(),
              [](const Satz& a, const Satz& b) { return a.schluessel < b.schluessel; });
    const std::string pfad = ordner + "/bench_sort.bin";
    {
        std::ofstream aus(pfad, std::ios::binary);
        aus.write(reinterpret_cast<const char*>(kopie.data()),
                  static_cast<std::streamsize>(kopie.size() * sizeof(Satz)));
    }
    std::vector<Satz> gelesen(anzahl);
    {
        std::ifstream ein(pfad, std::ios::binary);
        ein.read(reinterpret_cast<char*>(gelesen.data()),
                 static_cast<std::streamsize>(gelesen.size() * sizeof(Satz)));
    }
    double tStd = sekundenSeit(t0);
    dateiloeschen(pfad.c_str());

    std::printf("Sortieren, %ld Sätze zu 40 Bytes:\n", anzahl);
    std::printf("  externe Sortierung        %8.3f s  Ergebnis %d, %ld Sätze %s\n", tM, erg, p.anzahl,
                p.geordnet ? "geordnet" : "UNGEORDNET");
    std::printf("  std::sort + Schreiben/Lesen %6.3f s  %s\n", tStd,
                gelesen.back().schluessel == kopie.back().schluessel ? "" : "FEHLER beim Lesen");
    verhaeltnis("externe Sortierung / std::sort", tM, tStd, 10.0);
}

}  // namespace

int main()
{
    std::string ordner = plOrtTemp();
    if (ordner.empty()) {
        std::fprintf(stderr, "support_bench: kein temporärer Ordner\n");
        return 1;
    }
    zeilenMessen(ordner);
    sortMessen(ordner);
    return 0;
}
