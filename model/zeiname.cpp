// Drawing file names: one- and two-part extensions, natural order of page
// names, the non-drawing extensions and the allowed characters; see
// zeichnun.h. Prefix `Zei`. Calls the case map and the number-aware compare
// of the support library.
#include <algorithm>
#include <cstring>
#include <string>

#include "model/modellint.h"
#include "model/zeichnun.h"
#include "platform/zeichen.h"
#include "support/vergleich.h"

namespace {

bool znTrenner(char c) { return c == '\\' || c == '/' || c == ':'; }

// Index of the dot that starts the (one- or two-part) extension, -1 if none.
int znExtPunkt(const char* name)
{
    int n = static_cast<int>(std::strlen(name));
    if (n < 2) {
        return -1;
    }
    int punkte[2] = {-1, -1};
    int anzahl = 0;
    for (int i = n - 1; i >= 1 && anzahl < 2; --i) {
        if (znTrenner(name[i])) {
            break;
        }
        if (name[i] == '.') {
            punkte[anzahl++] = i;
        }
    }
    return anzahl == 0 ? -1 : punkte[anzahl - 1];
}

void znKopie(char* ziel, size_t kap, const char* quelle, size_t n)
{
    if (!ziel || kap == 0) {
        return;
    }
    if (n >= kap) {
        n = kap - 1;
    }
    std::memmove(ziel, quelle, n);
    ziel[n] = '\0';
}

std::string znGross(const char* s)
{
    std::string g(s);
    for (char& c : g) {
        c = static_cast<char>(plZeichenGross(static_cast<unsigned char>(c)));
    }
    return g;
}

bool znZiffer(char c) { return c >= '0' && c <= '9'; }

bool znNurZiffern(const std::string& s)
{
    for (char c : s) {
        if (!znZiffer(c)) {
            return false;
        }
    }
    return true;
}

// One step of the natural order for two non-empty parts; 0 when undecided.
int znTeilVergleich(const std::string& a, const std::string& b, bool gleichIstEnde, bool* entschieden)
{
    *entschieden = true;
    bool za = znZiffer(a[0]), zb = znZiffer(b[0]);
    if (za != zb) {
        return za ? 1 : -1;
    }
    if (znNurZiffern(a) && znNurZiffern(b)) {
        // By value, however many digits: numbers held at a bound compared
        // equal to larger ones, and the order of a list stopped being one.
        const size_t na = std::min(a.find_first_not_of('0'), a.size());
        const size_t nb = std::min(b.find_first_not_of('0'), b.size());
        const size_t la = a.size() - na, lb = b.size() - nb;
        const int d = la != lb ? (la < lb ? -1 : 1) : a.compare(na, la, b, nb, lb);
        if (d != 0 || gleichIstEnde) {
            return d < 0 ? -1 : d > 0 ? 1 : 0;
        }
        *entschieden = false;
        return 0;
    }
    int v = strvglzahl(a.c_str(), b.c_str());
    if (v != 0 || gleichIstEnde) {
        return v;
    }
    *entschieden = false;
    return 0;
}

void znTeilen(const char* name, std::string* kopf, std::string* schwanz)
{
    const char* p = std::strchr(name, '.');
    if (!p) {
        kopf->clear();
        *schwanz = name;
    } else {
        kopf->assign(name, p);
        *schwanz = p + 1;
    }
}

}  // namespace

void ZeiExtHolen(const char* name, char* ext, size_t kap)
{
    int p = znExtPunkt(name);
    if (p < 0) {
        znKopie(ext, kap, "", 0);
    } else {
        znKopie(ext, kap, name + p + 1, std::strlen(name + p + 1));
    }
}

void ZeiExtLoeschen(char* name)
{
    int p = znExtPunkt(name);
    if (p >= 0) {
        name[p] = '\0';
    }
}

void ZeiExtSetzen(char* name, size_t kap, const char* ext)
{
    std::string s(name);
    int p = znExtPunkt(name);
    if (p >= 0) {
        s.resize(p);
    }
    s += '.';
    s += ext;
    znKopie(name, kap, s.data(), s.size());
}

int ZeiNameHatPunkt(const char* name) { return std::strchr(name, '.') != nullptr; }

int ZeiNameTeilen(const char* name, char* stamm, size_t skap, char* rest, size_t rkap)
{
    std::string kopf, schwanz;
    znTeilen(name, &kopf, &schwanz);
    bool punkt = std::strchr(name, '.') != nullptr;
    znKopie(stamm, skap, kopf.data(), kopf.size());
    znKopie(rest, rkap, schwanz.data(), schwanz.size());
    return punkt ? 1 : 0;
}

void ZeiNameOhnePfad(const char* name, char* aus, size_t kap)
{
    const char* p = name;
    for (const char* q = name; *q; ++q) {
        if (znTrenner(*q)) {
            p = q + 1;
        }
    }
    std::string s(p);
    int e = znExtPunkt(s.c_str());
    if (e >= 0) {
        s.resize(e);
    }
    znKopie(aus, kap, s.data(), s.size());
}

void ZeiStamm(char* aus, size_t kap, const char* name)
{
    const char* p = std::strchr(name, '.');
    znKopie(aus, kap, name, p ? static_cast<size_t>(p - name) : 0);
}

int ZeiPfadGleich(const char* a, const char* b)
{
    auto form = [](const char* s) {
        std::string g = znGross(s);
        for (char& c : g) {
            if (c == '\\') c = '/';
        }
        if (!g.empty() && g.back() == '/') {
            g.pop_back();
        }
        return g;
    };
    return form(a) == form(b);
}

int ZeiNameGleich(const char* a, const char* b) { return znGross(a) == znGross(b); }

int ZeiNameVergleich(const char* a, const char* b)
{
    std::string ka, sa, kb, sb;
    znTeilen(a, &ka, &sa);
    znTeilen(b, &kb, &sb);
    bool entschieden = false;
    if (!ka.empty() && !kb.empty()) {
        int v = znTeilVergleich(ka, kb, false, &entschieden);
        if (entschieden) {
            return v;
        }
    } else if (!ka.empty()) {
        return 1;
    } else if (!kb.empty()) {
        return -1;
    }
    if (sa.empty() || sb.empty()) {
        return sa.empty() ? (sb.empty() ? 0 : -1) : 1;
    }
    return znTeilVergleich(sa, sb, true, &entschieden);
}

int ZeiDateiVergleich(const char* a, const char* b)
{
    std::string na = znGross(a), nb = znGross(b);
    char ea[ZEIPFADSUP + 1], eb[ZEIPFADSUP + 1];
    ZeiExtHolen(na.c_str(), ea);
    ZeiExtHolen(nb.c_str(), eb);
    int pa = znExtPunkt(na.c_str()), pb = znExtPunkt(nb.c_str());
    if (pa >= 0) na.resize(pa);
    if (pb >= 0) nb.resize(pb);
    int v = strvglzahl(na.c_str(), nb.c_str());
    if (v != 0) {
        return v;
    }
    return ZeiNameVergleich(ea, eb);
}

int ZeiIstZeichnung(const char* name)
{
    static const char* const fremd[] = {
        ".ZVK", ".JOB", ".DXF", ".LOG", ".TXT", ".WSP", ".KMB", ".ABK", ".MAC", ".LST",
        ".DRK", ".VOR", ".EIN", ".VGB", ".DAT", ".LAG", ".EXE", ".COM", ".DRV", ".DLL",
        ".PIF", ".BAT", ".HLP", ".GID", ".BMP", ".JPG", ".TIF", ".PNG", ".EMF", ".WMF",
        ".SVG", ".TMP", ".BAK", ".INI", ".WRI", ".DOK", ".DOC", ".ERR", ".KEY", ".ZIP",
        ".TAR", ".VFT", ".MB", ".TB", ".$", ".&", ".~"};
    std::string g = znGross(name);
    size_t a = g.find_first_not_of(" \t\r\n");
    size_t e = g.find_last_not_of(" \t\r\n");
    g = a == std::string::npos ? std::string() : g.substr(a, e - a + 1);
    for (const char* bt : {"BAUTEILE", "BAUTEILA", "BAUTEILK"}) {
        if (g.compare(0, 8, bt) == 0) {
            return 0;
        }
    }
    for (const char* x : fremd) {
        size_t p = g.find(x);
        if (p != std::string::npos && p + std::strlen(x) == g.size()) {
            return 0;
        }
    }
    return 1;
}

int ZeiNameGueltig(const char* name)
{
    static const char erlaubt[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.:-_/\\";
    std::string g = znGross(name);
    if (g.empty()) {
        return -1;
    }
    for (char c : g) {
        if (!std::strchr(erlaubt, c) || c == '\0') {
            return -1;
        }
    }
    return 0;
}
