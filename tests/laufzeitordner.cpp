// Linked into every test program: points XDG_RUNTIME_DIR at a fresh folder of
// this process before any test runs, and removes it at exit. The local
// command sockets live there, so test processes that run side by side
// (ctest -j) never see each other's programs; children started by a test
// inherit the folder (or the one the test chose) and so still meet their
// parent.
#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace {

int laufWeg(const char* pfad, const struct stat*, int, struct FTW*)
{
    remove(pfad);
    return 0;
}

struct Laufzeitordner {
    std::string pfad;
    pid_t besitzer = 0;

    Laufzeitordner()
    {
        // A test program started by a test (the tests start themselves as
        // second processes) keeps the runtime folder it was given.
        if (getenv("VELMO_TEST_LAUFZEIT")) return;
        const char* tmp = getenv("TMPDIR");
        std::string muster = std::string(tmp && *tmp ? tmp : "/tmp") + "/velmo-test-XXXXXX";
        if (!mkdtemp(muster.data())) {
            perror("velmo tests: runtime folder");
            return;
        }
        pfad = muster;
        besitzer = getpid();
        setenv("XDG_RUNTIME_DIR", pfad.c_str(), 1);
        setenv("VELMO_TEST_LAUFZEIT", pfad.c_str(), 1);
    }
    ~Laufzeitordner()
    {
        // A forked child that exits must not take its parent's folder along.
        if (!pfad.empty() && getpid() == besitzer) nftw(pfad.c_str(), laufWeg, 16, FTW_DEPTH | FTW_PHYS);
    }
};

const Laufzeitordner laufzeitordner;

}  // namespace
