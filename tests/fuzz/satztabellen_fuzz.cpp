// The record and section tables loaded from files: the first byte chooses
// the file kind, the rest is the file, read as the table reads it. Every
// record is written as its line, read back from that line and written
// again: what is saved reads back the same.
//   0 check-list definition (sections)     1 replacement components (sections)
//   2 component windows (sections)         3 colour list (records)
#include <cstring>
#include <string>
#include <vector>

#include "controls/elseite.h"
#include "controls/elzeile.h"
#include "lists/ersatzbtl.h"
#include "lists/stammlist.h"
#include "project/chkdlg.h"
#include "support/struarr.h"
#include "support/texte.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

struct StArt {
    int groesse;
    bool abschnitte;
    int zeileSup;
    ElsLeseFn lesen;
    ElsFormatFn format;
};

const StArt kStArten[] = {
    {sizeof(ChkSatz), true, ELSZEILESUP, ChkZeileLesen, ChkZeileSchreiben},
    {sizeof(ersatzsatz), true, ELSZEILESUP, EbtZeileLesen, EbtZeileSchreiben},
    {sizeof(fenstersatz), true, ELSZEILESUP, BfeZeileLesen, BfeZeileSchreiben},
    {sizeof(farbsatz), false, ELZZEILESUP, FarbSatzLesen, FarbSatzZeile},
};

// A record's line, as the table writes it.
std::string stZeile(const StArt& a, const void* satz)
{
    std::vector<char> z(2 * ELZZEILESUP + 2, '\x7f');
    const int groesse = static_cast<int>(z.size()) - 1;
    z[0] = '\0';
    a.format(satz, z.data(), groesse);
    if (std::memchr(z.data(), '\0', static_cast<size_t>(groesse)) == nullptr) __builtin_trap();
    return z.data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    if (n == 0) return 0;
    fz::start();
    const StArt& a = kStArten[d[0] % (sizeof kStArten / sizeof kStArten[0])];
    const std::string pfad = fz::datei("Tabelle.txt", d + 1, n - 1);
    std::vector<char> arbeit(static_cast<size_t>(a.groesse));
    SARR saetze;
    sainit(&saetze, a.groesse);
    std::string kurz;
    if (!ElsDateiLesen(pfad.c_str(), a.zeileSup, a.abschnitte, a.lesen, arbeit.data(), a.groesse, &saetze, kurz))
        __builtin_trap();
    for (int32_t i = 0; i < saanzahl(&saetze); ++i) {
        const std::string eins = stZeile(a, saadr(&saetze, i));
        if (static_cast<int>(eins.size()) > a.zeileSup) continue;  // longer than a line the reader takes
        if (strleer(eins.c_str())) continue;  // every field empty: a blank line, which the files skip
        std::vector<char> zurueck(static_cast<size_t>(a.groesse), 0);
        std::memcpy(zurueck.data(), saadr(&saetze, i), sizeof(ElsKopf) < static_cast<size_t>(a.groesse) && a.abschnitte ? sizeof(ElsKopf) : 0);
        if (a.lesen(zurueck.data(), eins.c_str()) != 1) __builtin_trap();
        if (stZeile(a, zurueck.data()) != eins) __builtin_trap();
    }
    safrei(&saetze);
    fz::leeren();
    return 0;
}
