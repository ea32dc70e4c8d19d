// Files users bring into the equipment master data: the first byte chooses
// the reader, the rest is the file.
//   0 "SPSINFO.ZVK": read, written and read again; from the second
//     generation on writing what was read gives the same bytes.
//   1 an equipment text file: its format detected, then imported in each
//     mode over a small store (the import is discarded after each run).
#include <cstring>
#include <string>

#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "lists/bmtexttausch.h"
#include "lists/spsinfo.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

std::string lesen(const std::string& pfad)
{
    std::string s;
    if (FILE* f = std::fopen(pfad.c_str(), "rb")) {
        char b[4096];
        size_t n;
        while ((n = std::fread(b, 1, sizeof b, f)) > 0) s.append(b, n);
        std::fclose(f);
    }
    return s;
}

// Reads the file anew and writes it back; its bytes afterwards.
std::string generation(const std::string& pfad)
{
    SpsInfoVergessen();
    if (SpsInfoLesen(pfad.c_str()) != 0) return "";
    if (SpsInfoSchreiben() != 0) __builtin_trap();
    return lesen(pfad);
}

void store()
{
    if (!fz::start({.stumm = false, .vgb = "Name Fuzz\nBMuse 1\nBMkenn @K\n"})) return;
    BMStart();
    NhuDiensteSetzen();
    for (uint32_t id = 1; id <= 2; ++id) {
        appgeraet g{};
        g.id = id;
        std::snprintf(g.kg, sizeof g.kg, "-K%u", id);
        GesEinfuegen(&g);
        appbteil b{};
        b.id = id;
        std::strcpy(b.cd, "H");
        std::strcpy(b.bl, "K");
        BtlEintragAnhaengen(&b);
        GtxHauptTextSetzen(id, 0, "Motor");
    }
    BMListenSpeichern(1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    if (n == 0) return 0;
    fz::ordner();
    if (d[0] % 2 == 0) {
        fz::leeren();
        const std::string p = fz::datei("SPSINFO.ZVK", d + 1, n - 1);
        generation(p);
        const std::string zweite = generation(p);
        if (generation(p) != zweite) __builtin_trap();
        SpsInfoVergessen();
        return 0;
    }
    store();
    const std::string p = fz::datei("import.txt", d + 1, n - 1);
    const int format = BmTexteFormat(p.c_str());
    if (format < -1 || format > 1) __builtin_trap();
    for (int modus = 1; modus <= 3; ++modus) {
        BmTexteImportieren(p.c_str(), format < 0 ? 0 : format, modus, modus == 3 ? 3 : 0);
        BMListenVerwerfen();
        BMDateiAktuell(0);
    }
    return 0;
}
