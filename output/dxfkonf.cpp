// DXF configuration and log; see dxfkonf.h. The import's tables live here
// for the run of one import; the export reads its own copy. The log is
// gathered in memory and appended to "dxflog.txt" when it is closed.
#include "output/dxfkonf.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/fileload.h"
#include "support/pfade.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/meldung.h"

namespace {

DxfKonfig dxfImpTab;
std::set<std::string> dxfImpGemeldet;  // keys missing from the import tables, logged once per run

// A missing key's log line, once per import run.
void dxfImpFehlt(const char* format, ...) __attribute__((format(printf, 1, 2)));
void dxfImpFehlt(const char* format, ...)
{
    char zeile[512];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(zeile, sizeof zeile, format, ap);
    va_end(ap);
    // Names are compared ignoring case, so is their line.
    std::string schluessel = zeile;
    for (char& c : schluessel) c = static_cast<char>(zgross(static_cast<unsigned char>(c)));
    if (dxfImpGemeldet.insert(schluessel).second) DxfLog("%s", zeile);
}

std::string dxfLogDatei;  // path of the open log ("" when closed)
std::string dxfLogText;   // entries not yet appended

// The configuration file's lines (CR removed, each cut to the line length).
int dxfKonfigZeilen(std::vector<std::string>* zeilen)
{
    char pfad[1024];
    PfadProgramm(pfad, sizeof pfad, DXFKONFIGNAME);
    char* block = nullptr;
    long laenge = 0;
    if (dateiladen(pfad, &block, &laenge) != 0) {
        wiMeldung("DXF-Konfiguration %s nicht gefunden.", pfad);
        return ERROR;
    }
    const char* p = block;
    const char* ende = block + laenge;
    while (p < ende) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(ende - p)));
        const char* zende = lf ? lf : ende;
        const char* z = zende;
        if (z > p && z[-1] == '\r') --z;
        std::string zeile(p, static_cast<size_t>(z - p));
        if (zeile.size() > static_cast<size_t>(DXFKZEILESUP)) zeile.resize(DXFKZEILESUP);
        zeilen->push_back(zeile);
        p = lf ? lf + 1 : ende;
    }
    ffree(block);
    return 0;
}

// The lines of one section without comments; empty when it is missing.
std::vector<std::string> dxfAbschnitt(const std::vector<std::string>& zeilen, const char* name)
{
    std::vector<std::string> aus;
    const int n = static_cast<int>(std::strlen(name));
    size_t i = 0;
    for (; i < zeilen.size(); ++i) {
        const std::string& z = zeilen[i];
        if (z.compare(0, 3, ")S ") == 0 && strnvgl(z.c_str() + 3, name, n) == 0) break;
    }
    for (++i; i < zeilen.size(); ++i) {
        const std::string& z = zeilen[i];
        if (!z.empty() && z[0] == ')') break;
        if (!z.empty() && z[0] == ';') continue;
        aus.push_back(z);
    }
    return aus;
}

// The blank-separated words of a mapping line.
std::vector<std::string> dxfWorte(const std::string& zeile)
{
    std::vector<std::string> w;
    size_t i = 0;
    while (i < zeile.size()) {
        while (i < zeile.size() && (zeile[i] == ' ' || zeile[i] == '\t')) ++i;
        size_t a = i;
        while (i < zeile.size() && zeile[i] != ' ' && zeile[i] != '\t') ++i;
        if (i > a) w.push_back(zeile.substr(a, i - a));
    }
    return w;
}

double dxfZahl(const std::string& w)
{
    const char* a = w.c_str();
    if (*a == '+') ++a;
    double v = 0;
    auto r = std::from_chars(a, w.c_str() + w.size(), v);
    return r.ec == std::errc() && std::isfinite(v) ? v : 0;
}

int dxfGanz(const std::string& w)
{
    double v = std::trunc(dxfZahl(w));
    return v > 1e9 ? 1000000000 : v < -1e9 ? -1000000000 : static_cast<int>(v);
}

void dxfName(char* ziel, const std::string& w)
{
    strkopie(ziel, DXFKNAMESUP + 1, w.c_str(), DXFKNAMESUP);
}

// Rows of a mapping section: its non-empty lines split into words.
template <class Fn> void dxfZeilenLesen(const std::vector<std::string>& zeilen, const char* name, int sup, Fn fn)
{
    int n = 0;
    for (const std::string& z : dxfAbschnitt(zeilen, name)) {
        std::vector<std::string> w = dxfWorte(z);
        if (w.empty()) continue;
        if (n >= sup) break;
        fn(n++, w);
    }
}

}  // namespace

int DxfKonfigLesen(DxfKonfig* k, int fuerImport)
{
    std::memset(k, 0, sizeof *k);
    if (fuerImport) {
        strkopie(k->schrift[0].name, sizeof k->schrift[0].name, "STANDARD", 1 << 30);
    }
    k->farbeImp[0] = {7, 1, 1};
    k->strich[0].nr = 7;
    strkopie(k->strich[0].name, sizeof k->strich[0].name, "CONTINUOUS", 1 << 30);
    std::vector<std::string> zeilen;
    if (dxfKonfigZeilen(&zeilen) != 0) return ERROR;
    dxfZeilenLesen(zeilen, "Schrift", DXFSCHRIFTSUP, [&](int i, const std::vector<std::string>& w) {
        DxfSchriftZeile& z = k->schrift[i];
        dxfName(z.name, w[0]);
        z.nr = w.size() > 1 ? dxfGanz(w[1]) : 0;
        dxfName(z.datei, w.size() > 2 ? w[2] : "");
    });
    dxfZeilenLesen(zeilen, "FarbeImp", DXFFARBEIMPSUP, [&](int i, const std::vector<std::string>& w) {
        k->farbeImp[i] = {dxfGanz(w[0]), w.size() > 1 ? dxfGanz(w[1]) : 0, w.size() > 2 ? dxfGanz(w[2]) : 0};
    });
    dxfZeilenLesen(zeilen, "FarbeExp", DXFFARBEEXPSUP, [&](int i, const std::vector<std::string>& w) {
        DxfFarbeExpZeile& z = k->farbeExp[i];
        z.stil = dxfGanz(w[0]);
        z.farbe = w.size() > 1 ? dxfGanz(w[1]) : 0;
        dxfName(z.layer, w.size() > 2 ? w[2] : "");
    });
    // A row of more numbers than it holds keeps the total and the first
    // elements, and counts only the elements kept.
    dxfZeilenLesen(zeilen, "Strichart", DXFSTRICHSUP, [&](int i, const std::vector<std::string>& w) {
        DxfStrichZeile& z = k->strich[i];
        std::memset(&z, 0, sizeof z);
        z.nr = dxfGanz(w[0]);
        dxfName(z.name, w.size() > 1 ? w[1] : "");
        const int zahlen = static_cast<int>(w.size()) - 2;
        if (zahlen > 0) z.laenge = dxfZahl(w[2]);
        for (int e = 0; e + 1 < zahlen && e < DXFMUSTERSUP; ++e) {
            z.element[e] = dxfZahl(w[3 + e]);
            z.anzahl = e + 1;
        }
    });
    return 0;
}

int DxfImpKonfig()
{
    dxfImpGemeldet.clear();
    return DxfKonfigLesen(&dxfImpTab, 1);
}

const DxfKonfig* DxfImpTabellen() { return &dxfImpTab; }

int DxfKopf(BDAT* aus)
{
    std::vector<std::string> zeilen;
    if (dxfKonfigZeilen(&zeilen) != 0) return ERROR;
    int r = 0;
    for (const std::string& z : dxfAbschnitt(zeilen, "Kopf")) {
        if (bdputsmodus(aus, z.c_str(), 1) < 0) r = ERROR;
    }
    return r;
}

int DxfSchriftImp(const char* name)
{
    for (const DxfSchriftZeile& z : dxfImpTab.schrift) {
        if (strvgl(z.name, name) == 0) return z.nr;
    }
    dxfImpFehlt("Schrift %s nicht gefunden (%d)", name, 0);
    return 0;
}

void DxfFarbeImp(int farbe, int* stil, int* layer)
{
    for (const DxfFarbeImpZeile& z : dxfImpTab.farbeImp) {
        if (z.farbe == farbe) {
            *stil = z.stil;
            *layer = z.layer;
            return;
        }
    }
    *stil = 0;
    *layer = 0;
    dxfImpFehlt("Farbe %d nicht gefunden (%d,%d)", farbe, 0, 0);
}

int DxfStrichartImp(const char* name)
{
    for (const DxfStrichZeile& z : dxfImpTab.strich) {
        if (strvgl(z.name, name) == 0) return z.nr;
    }
    dxfImpFehlt("Linientyp %s nicht gefunden (%d)", name, 7);
    return 7;
}

// ---- log ----------------------------------------------------------------------------

void DxfLogPfad(const char* dxf, char* aus, int kap)
{
    const int l = pfadlang(dxf);
    std::string p = std::string(dxf, static_cast<size_t>(l)) + DXFLOGNAME;
    strkopie(aus, static_cast<size_t>(kap), p.c_str(), 1 << 30);
}

void DxfLogOeffnen(const char* dxf)
{
    char pfad[1024];
    DxfLogPfad(dxf, pfad, sizeof pfad);
    dxfLogDatei = pfad;
    dxfLogText.clear();
}

void DxfLog(const char* format, ...)
{
    if (dxfLogDatei.empty()) return;
    char zeile[1024];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(zeile, sizeof zeile, format, ap);
    va_end(ap);
    size_t n = std::strlen(zeile);
    while (n > 0 && (zeile[n - 1] == '\n' || zeile[n - 1] == '\r')) zeile[--n] = '\0';
    dxfLogText += zeile;
    dxfLogText += "\r\n";
}

void DxfLogSchliessen()
{
    if (dxfLogDatei.empty()) return;
    std::string alt;
    char* block = nullptr;
    long laenge = 0;
    if (dateiexist(dxfLogDatei.c_str()) && dateiladen(dxfLogDatei.c_str(), &block, &laenge) == 0) {
        alt.assign(block, static_cast<size_t>(laenge));
        ffree(block);
    }
    alt += dxfLogText;
    dateischreiben(dxfLogDatei.c_str(), alt.data(), static_cast<long>(alt.size()));
    dxfLogDatei.clear();
    dxfLogText.clear();
}

void DxfLogLoeschen(const char* dxf)
{
    char pfad[1024];
    DxfLogPfad(dxf, pfad, sizeof pfad);
    if (dateiexist(pfad)) dateiloeschen(pfad);
}
