// Benchmark of the program's start without a window: `velmo -W=1
// -A=start.txt` on a working copy of the demo project (open the project,
// write the log, end), as a user's script would start it. One warm-up run,
// then RUNS runs (first argument, default 11); the median and the spread of
// the wall time and of the process's CPU time (user + system, children
// included) are printed, and the goal of 0.1 s. One further run counts the
// shared libraries the dynamic loader brought in and says whether GTK was
// among them (a headless start must not load it). Built with
// -DVELMO_BENCH=ON, never run by CTest. Needs VELMO_SOURCE_DIR.
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

namespace fs = std::filesystem;

namespace {

struct Lauf {
    double wand = -1, cpu = -1;
};

// One run of the program in `ordner`; extra environment words (NAME=VALUE).
Lauf starten(const std::string& programm, const fs::path& ordner, const std::vector<std::string>& umgebung)
{
    std::fflush(stdout);  // the child must not print what is still buffered
    auto t0 = std::chrono::steady_clock::now();
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
    Lauf l;
    l.wand = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    l.cpu = static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
            static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
    return l;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
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
    std::vector<double> wand, cpu;
    for (int i = 0; i <= laeufe; ++i) {
        Lauf l = starten(programm, wurzel, {});
        if (l.wand < 0) {
            std::fprintf(stderr, "start_bench: velmo ended with an error\n");
            fehler = 1;
            break;
        }
        if (i == 0) continue;  // warm-up
        wand.push_back(l.wand);
        cpu.push_back(l.cpu);
    }
    if (!wand.empty()) {
        std::printf("Headless start on the demo (velmo -W=1 -A=start.txt), %d runs\n", laeufe);
        std::printf("  wall  median %.3f s (min %.3f, max %.3f)  goal < 0.100 s\n", median(wand),
                    *std::min_element(wand.begin(), wand.end()), *std::max_element(wand.begin(), wand.end()));
        std::printf("  cpu   median %.3f s (min %.3f, max %.3f)\n", median(cpu),
                    *std::min_element(cpu.begin(), cpu.end()), *std::max_element(cpu.begin(), cpu.end()));
    }

    // The libraries the loader brought in, from its own log.
    const fs::path protokoll = wurzel / "ld";
    std::string ld1 = "LD_DEBUG=files", ld2 = "LD_DEBUG_OUTPUT=" + protokoll.string();
    if (starten(programm, wurzel, {ld1, ld2}).wand >= 0) {
        int bibliotheken = 0;
        bool gtk = false;
        for (const auto& e : fs::directory_iterator(wurzel)) {
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
    return fehler;
}
