// Whole files into blocks and back, and temporary names. The assertion line
// of the one allocation that stops the program is the module's fixed one.
#include "support/fileload.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/orte.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/speicher.h"

namespace {

// Numbers of the temporary names handed out by this process.
unsigned flTempZaehler = 0;

// The temporary folder with a trailing '/', or "" when there is none or it
// leaves no room for a name within the path limit.
std::string flTempVerz()
{
    std::string verz = plOrtTemp();
    if (verz.empty()) {
        return verz;
    }
    if (verz.back() != '/') {
        verz += '/';
    }
    return verz.size() + 12 > static_cast<size_t>(PFADSUP) ? std::string() : verz;
}

int flKopieren(char* ziel, size_t groesse, const std::string& text)
{
    if (text.empty() || text.size() + 1 > groesse) {
        return -1;
    }
    std::memcpy(ziel, text.c_str(), text.size() + 1);
    return 0;
}

}  // namespace

int dateiladen(const char* pfad, char** block, long* laenge)
{
    *block = nullptr;
    *laenge = 0;
    long n = dateilaenge(pfad);
    if (n < 0 || n >= INT32_MAX) {
        return -1;
    }
    // Not cleared: every byte is read over or the block is dropped, and
    // clearing tens of megabytes (a large DXF file) cost more than a
    // hundredth of reading them.
    char* platz = static_cast<char*>(fmallocRoh(1, n + 1L));
    if (platz == nullptr) {
        wiAssert("fileload", 31, "(*platz = fmalllong(*lang + 1L)) != NULL");
    }
    const int h = dosopen(pfad, 0);
    if (h < 0) {
        ffree(platz);
        return -1;
    }
    // Straight into the block, as much as one read gives, until the end is
    // seen (not through a buffered record's small blocks: large files were
    // read in thousands of calls). A file that shrank or could not be read
    // is a failure, not a short text; bytes that came after the length was
    // taken are not read.
    long gelesen = 0;
    int erg = 0;
    for (;;) {
        const long rest = n + 1 - gelesen;
        const int k = dosread(h, platz + gelesen, static_cast<int>(rest));
        if (k < 0) {
            erg = -1;
            break;
        }
        gelesen += k;
        if (k == 0 || gelesen > n) break;
    }
    dosclose(h);
    if (erg != 0 || gelesen < n) {
        ffree(platz);
        return -1;
    }
    platz[n] = 0;
    *block = platz;
    *laenge = n;
    return 0;
}

int dateischreiben(const char* pfad, const void* daten, long n)
{
    if (n < 0) {
        return -1;
    }
    BDAT d;
    if (bdmake(&d, pfad) < 0) {
        return -1;
    }
    int erg = 0;
    const char* p = static_cast<const char*>(daten);
    while (erg == 0 && n > 0) {
        int32_t stueck = n > (1L << 30) ? (1 << 30) : static_cast<int32_t>(n);
        erg = bdwrite(&d, p, stueck);
        p += stueck;
        n -= stueck;
    }
    if (bdclose(&d) != 0) {
        erg = -1;
    }
    return erg == 0 ? 0 : -1;
}

int tempname(char* ziel, size_t groesse)
{
    if (groesse > 0) {
        ziel[0] = 0;
    }
    std::string verz = flTempVerz();
    if (verz.empty()) {
        return -1;
    }
    char name[PFADSUP + 1];
    // The folder is this process's own, so a name found free stays free
    // until the caller makes the file.
    for (int versuch = 0; versuch < 0x10000; ++versuch) {
        flTempZaehler = (flTempZaehler + 1) & 0xFFFF;
        // A cut name would be another file than the one made.
        const int n = std::snprintf(name, sizeof name, "%s%s%04X.TMP", verz.c_str(), TEMPPRAEFIX, flTempZaehler);
        if (n < 0 || static_cast<size_t>(n) >= sizeof name) return -1;
        if (dosattrib(name) == DOSATTR_FEHLT) {
            return flKopieren(ziel, groesse, name);
        }
    }
    return -1;
}

int tempverz(char* ziel, size_t groesse)
{
    if (groesse > 0) {
        ziel[0] = 0;
    }
    return flKopieren(ziel, groesse, flTempVerz());
}
