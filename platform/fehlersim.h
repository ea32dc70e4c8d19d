// Fault injection for tests: fail the Nth open, read, write, rename, close or
// allocation. Prefix `plFehler`. Owns one counter per kind of call; the
// file-system boundary (dateisys) and the allocator of the support library
// (fmalloc) ask plFehlerJetzt before doing the real call and report the
// failure (-1 / NULL, errno EIO or ENOMEM) when it answers true. Tests and CI
// run as root, where a read-only folder stops nothing, so every "write fails"
// case is tested through this. Calls nothing but the C++ runtime.
//
// Nothing is armed by default: plFehlerJetzt then only returns false. One
// thread, like the rest of the program.
#pragma once

enum class PlFehlerArt {
    Oeffnen,     // open, opendir, mkdir and the other calls that make or find a name
    Lesen,       // read, readdir
    Schreiben,   // write, fsync
    Umbenennen,  // rename (and so every atomic replacement)
    Schliessen,  // close, closedir
    Speicher,    // allocation of the support library's memory blocks
};
constexpr int PL_FEHLERARTEN = 6;

// Arms kind `art`: the n-th call of that kind from now on fails (n >= 1);
// with `dauerhaft` that call and every later one fail. n <= 0 disarms.
void plFehlerSetzen(PlFehlerArt art, int n, bool dauerhaft = false);

// Disarms every kind and clears the counts.
void plFehlerAllesAus();

// Asked by the wrappers once per call of kind `art`: true when this call
// must fail. Counts the call while the kind is armed.
bool plFehlerJetzt(PlFehlerArt art);

// How many calls of kind `art` were made to fail since it was last armed.
int plFehlerAusgeloest(PlFehlerArt art);

// Test helper: disarms everything when it goes out of scope, so a failing
// assertion cannot leave a fault armed for the next test.
struct PlFehlerScope {
    PlFehlerScope() = default;
    PlFehlerScope(const PlFehlerScope&) = delete;
    PlFehlerScope& operator=(const PlFehlerScope&) = delete;
    ~PlFehlerScope() { plFehlerAllesAus(); }
};
