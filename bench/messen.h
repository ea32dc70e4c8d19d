// Shared measuring of the benchmarks: the baseline and the program run in
// turn (baseline, program, baseline, program, ...), so both meet the same
// load of a shared machine; each run's process CPU time (user and system,
// every thread; for a child process its own accounting) stands beside its
// wall time. Printed are the minimum and the median of each, and the goal's
// ratio in CPU time: the median of the pairs' ratios, with its baseline
// named. Header-only; each benchmark is its own program.
#pragma once

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace messung {

// The process's CPU time so far, in seconds.
inline double cpuJetzt()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

inline double wandJetzt()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// CPU seconds of a finished child (user + system).
inline double cpuAus(const struct rusage& ru)
{
    return static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) * 1e-6;
}

struct Lauf {
    double cpu = -1, wand = -1;
    bool gut() const { return cpu >= 0; }
};

// One run of f() in this process; f returns false when it failed.
template <class F> Lauf einmal(F&& f)
{
    const double c0 = cpuJetzt(), w0 = wandJetzt();
    if (!f()) return {};
    return {cpuJetzt() - c0, wandJetzt() - w0};
}

inline double median(std::vector<double> v)
{
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline double minimum(const std::vector<double>& v) { return v.empty() ? -1 : *std::min_element(v.begin(), v.end()); }
inline double maximum(const std::vector<double>& v) { return v.empty() ? -1 : *std::max_element(v.begin(), v.end()); }

struct Reihe {
    std::vector<double> cpu, wand;
    void dazu(const Lauf& l)
    {
        cpu.push_back(l.cpu);
        wand.push_back(l.wand);
    }
};

struct Paare {
    Reihe basis, programm;
    bool gut = true;
    // The pairs' CPU ratios (program / baseline).
    std::vector<double> faktoren() const
    {
        std::vector<double> q;
        for (size_t i = 0; i < basis.cpu.size() && i < programm.cpu.size(); ++i)
            if (basis.cpu[i] > 0) q.push_back(programm.cpu[i] / basis.cpu[i]);
        return q;
    }
    double faktor() const { return median(faktoren()); }
};

// Runs baseline and program in turn: one warm-up pair, then `laeufe` pairs.
// Each callable returns a Lauf (einmal(...) or a child's figures); a failed
// run ends the series with gut = false.
template <class B, class P> Paare abwechselnd(int laeufe, B&& basis, P&& programm)
{
    Paare p;
    for (int i = 0; i <= laeufe; ++i) {
        const Lauf b = basis();
        const Lauf g = programm();
        if (!b.gut() || !g.gut()) {
            p.gut = false;
            return p;
        }
        if (i == 0) continue;  // warm-up: caches, fonts, the first page faults
        p.basis.dazu(b);
        p.programm.dazu(g);
    }
    return p;
}

// One line: "<name>  CPU min/median  wall min/median".
inline void zeile(const char* name, const Reihe& r)
{
    std::printf("  %-44s CPU %8.4f / %8.4f s   Wand %8.4f / %8.4f s\n", name, minimum(r.cpu), median(r.cpu),
                minimum(r.wand), median(r.wand));
}

// Both rows of a series and their ratio in CPU time.
inline void bericht(const char* basisName, const char* programmName, const Paare& p)
{
    std::printf("  %-44s (Minimum / Median, %zu Läufe abwechselnd)\n", "", p.basis.cpu.size());
    zeile(basisName, p.basis);
    zeile(programmName, p.programm);
    const std::vector<double> q = p.faktoren();
    std::printf("  %-44s %.2fx in CPU-Zeit (Median der Paare, Minimum %.2fx, Maximum %.2fx; Wand %.2fx)\n",
                "Verhältnis", median(q), minimum(q), maximum(q), median(p.programm.wand) / median(p.basis.wand));
}

// The line scripts/bench gathers: the goal, the ratio in CPU time (the
// median of the pairs, their minimum and maximum beside it) and the
// baseline it is measured against.
inline bool ziel(const char* was, const Paare& p, double grenze, const char* basisName)
{
    const std::vector<double> q = p.faktoren();
    const double faktor = median(q);
    const bool erreicht = faktor >= 0 && faktor <= grenze;
    std::printf("ZIEL %s: %.2fx CPU (%zu Paare: Minimum %.2fx, Maximum %.2fx; Ziel %.1fx) gegen \"%s\" %s\n", was,
                faktor, q.size(), minimum(q), maximum(q), grenze, basisName, erreicht ? "erreicht" : "VERFEHLT");
    return erreicht;
}

}  // namespace messung
