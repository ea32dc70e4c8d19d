// Ini files (see profil.h). Prefix `plIni`. A file is held as its lines, each
// with its own bytes and line end, so that a write changes only the lines it
// means to; the cache keeps them per path with the size and time they had.
#include "platform/profil.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <unistd.h>
#include <vector>

#include "platform/dateisys.h"
#include "platform/orte.h"
#include "platform/zeichen.h"

namespace {

enum class PlIniArt { Sonst, Abschnitt, Schluessel };

struct PlIniZeile {
    std::string roh;  // the line as read, with its line end
    PlIniArt art = PlIniArt::Sonst;
    std::string name;  // section or key, trimmed
    std::string wert;  // value, trimmed (quotes still on)
};

struct PlIniDatei {
    bool da = false;
    bool lesefehler = false;  // there but not readable: never written over
    off_t groesse = 0;
    struct timespec zeit {};
    std::vector<PlIniZeile> zeilen;
};

std::map<std::string, PlIniDatei>& plIniCache()
{
    static std::map<std::string, PlIniDatei> cache;
    return cache;
}

bool plIniLeer(char c)
{
    return c == ' ' || c == '\t';
}

std::string plIniTrimmen(const std::string& s)
{
    size_t a = 0;
    size_t e = s.size();
    while (a < e && plIniLeer(s[a])) ++a;
    while (e > a && (plIniLeer(s[e - 1]) || s[e - 1] == '\r' || s[e - 1] == '\n')) --e;
    return s.substr(a, e - a);
}

bool plIniGleich(const std::string& a, const char* b)
{
    size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        if (plZeichenGross(static_cast<unsigned char>(a[i])) != plZeichenGross(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

PlIniZeile plIniZeileAus(const std::string& roh)
{
    PlIniZeile z;
    z.roh = roh;
    std::string t = plIniTrimmen(roh);
    if (!t.empty() && t[0] == '[') {
        size_t zu = t.find(']');
        if (zu != std::string::npos) {
            z.art = PlIniArt::Abschnitt;
            z.name = plIniTrimmen(t.substr(1, zu - 1));
        }
        return z;
    }
    size_t gl = t.find('=');
    if (gl != std::string::npos) {
        z.art = PlIniArt::Schluessel;
        z.name = plIniTrimmen(t.substr(0, gl));
        z.wert = plIniTrimmen(t.substr(gl + 1));
    }
    return z;
}

std::vector<PlIniZeile> plIniZerlegen(const std::string& inhalt)
{
    std::vector<PlIniZeile> r;
    size_t a = 0;
    while (a < inhalt.size()) {
        size_t e = inhalt.find('\n', a);
        e = e == std::string::npos ? inhalt.size() : e + 1;
        r.push_back(plIniZeileAus(inhalt.substr(a, e - a)));
        a = e;
    }
    return r;
}

bool plIniDateiLesen(const std::string& pfad, std::string& inhalt)
{
    int fd = plDsOeffnen(pfad.c_str(), O_RDONLY);
    if (fd < 0) return false;
    inhalt.clear();
    char b[8192];
    bool ok = true;
    while (true) {
        ssize_t n = plDsLesen(fd, b, sizeof b);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (n == 0) break;
        inhalt.append(b, static_cast<size_t>(n));
    }
    plDsSchliessen(fd);
    return ok;
}

// The parsed file, read again when its size or time changed. A file that
// cannot be read counts as missing.
PlIniDatei& plIniLaden(const std::string& pfad)
{
    PlIniDatei& d = plIniCache()[pfad];
    struct stat st {};
    if (plDsStat(pfad.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        d = PlIniDatei{};
        return d;
    }
    if (d.da && d.groesse == st.st_size && d.zeit.tv_sec == st.st_mtim.tv_sec && d.zeit.tv_nsec == st.st_mtim.tv_nsec) {
        return d;
    }
    std::string inhalt;
    if (!plIniDateiLesen(pfad, inhalt)) {
        d = PlIniDatei{};
        d.lesefehler = true;
        return d;
    }
    d.da = true;
    d.lesefehler = false;
    d.groesse = st.st_size;
    d.zeit = st.st_mtim;
    d.zeilen = plIniZerlegen(inhalt);
    return d;
}

// Index of the first section header of that name, or -1.
long plIniAbschnitt(const PlIniDatei& d, const char* section)
{
    for (size_t i = 0; i < d.zeilen.size(); ++i) {
        if (d.zeilen[i].art == PlIniArt::Abschnitt && plIniGleich(d.zeilen[i].name, section)) return static_cast<long>(i);
    }
    return -1;
}

// End (exclusive) of the section that starts at header `kopf`.
size_t plIniAbschnittEnde(const PlIniDatei& d, size_t kopf)
{
    size_t i = kopf + 1;
    while (i < d.zeilen.size() && d.zeilen[i].art != PlIniArt::Abschnitt) ++i;
    return i;
}

long plIniSchluessel(const PlIniDatei& d, long kopf, const char* key)
{
    if (kopf < 0) return -1;
    size_t ende = plIniAbschnittEnde(d, static_cast<size_t>(kopf));
    for (size_t i = static_cast<size_t>(kopf) + 1; i < ende; ++i) {
        if (d.zeilen[i].art == PlIniArt::Schluessel && plIniGleich(d.zeilen[i].name, key)) return static_cast<long>(i);
    }
    return -1;
}

std::string plIniOhneAnfuehrung(const std::string& w)
{
    if (w.size() >= 2 && (w[0] == '"' || w[0] == '\'') && w.back() == w[0]) return w.substr(1, w.size() - 2);
    return w;
}

DWORD plIniKopieren(const std::string& text, LPSTR puffer, DWORD groesse)
{
    if (!puffer || groesse == 0) return 0;
    size_t n = std::min(text.size(), static_cast<size_t>(groesse - 1));
    std::memcpy(puffer, text.data(), n);
    puffer[n] = '\0';
    return static_cast<DWORD>(n);
}

// A list of names, each ended by '\0', and a final '\0'; cut to fit.
DWORD plIniListe(const std::vector<std::string>& namen, LPSTR puffer, DWORD groesse)
{
    if (!puffer || groesse == 0) return 0;
    if (groesse == 1) {
        puffer[0] = '\0';
        return 0;
    }
    DWORD p = 0;
    for (const auto& n : namen) {
        if (p + n.size() + 2 > groesse) {
            // cut like Windows: as much as fits, then the two terminators
            size_t rest = groesse - p - 2;
            std::memcpy(puffer + p, n.data(), rest);
            p += static_cast<DWORD>(rest);
            puffer[p] = '\0';
            puffer[p + 1] = '\0';
            return groesse - 2;
        }
        std::memcpy(puffer + p, n.data(), n.size());
        p += static_cast<DWORD>(n.size());
        puffer[p++] = '\0';
    }
    puffer[p] = '\0';
    return p;
}

std::string plIniInhalt(const PlIniDatei& d)
{
    std::string s;
    for (const auto& z : d.zeilen) s += z.roh;
    return s;
}

// Makes sure line i ends with a line end before something is put after it.
void plIniZeileAbschliessen(PlIniDatei& d, size_t i)
{
    std::string& r = d.zeilen[i].roh;
    if (r.empty() || r.back() != '\n') r += "\r\n";
}

}  // namespace

std::string plIniPfad(LPCSTR datei)
{
    std::string n = datei ? datei : "";
    for (char& c : n) {
        if (c == '\\') c = '/';
    }
    if (n.find('/') == std::string::npos) return plOrtAnwendung() + "/" + n;
    return n;
}

void plIniCacheLeeren()
{
    plIniCache().clear();
}

DWORD GetPrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR standard, LPSTR puffer, DWORD groesse,
                              LPCSTR datei)
{
    if (!puffer || groesse == 0) return 0;
    const PlIniDatei& d = plIniLaden(plIniPfad(datei));
    if (!section) {
        std::vector<std::string> namen;
        for (const auto& z : d.zeilen) {
            if (z.art == PlIniArt::Abschnitt) namen.push_back(z.name);
        }
        return plIniListe(namen, puffer, groesse);
    }
    long kopf = plIniAbschnitt(d, section);
    if (!key) {
        std::vector<std::string> namen;
        if (kopf >= 0) {
            size_t ende = plIniAbschnittEnde(d, static_cast<size_t>(kopf));
            for (size_t i = static_cast<size_t>(kopf) + 1; i < ende; ++i) {
                if (d.zeilen[i].art == PlIniArt::Schluessel) namen.push_back(d.zeilen[i].name);
            }
        }
        return plIniListe(namen, puffer, groesse);
    }
    long z = plIniSchluessel(d, kopf, key);
    if (z < 0) return plIniKopieren(plIniTrimmen(standard ? standard : ""), puffer, groesse);
    return plIniKopieren(plIniOhneAnfuehrung(d.zeilen[static_cast<size_t>(z)].wert), puffer, groesse);
}

UINT GetPrivateProfileInt(LPCSTR section, LPCSTR key, INT standard, LPCSTR datei)
{
    if (!section || !key) return static_cast<UINT>(standard);
    const PlIniDatei& d = plIniLaden(plIniPfad(datei));
    long z = plIniSchluessel(d, plIniAbschnitt(d, section), key);
    if (z < 0) return static_cast<UINT>(standard);
    std::string w = plIniOhneAnfuehrung(d.zeilen[static_cast<size_t>(z)].wert);
    size_t i = 0;
    bool minus = false;
    if (i < w.size() && (w[i] == '-' || w[i] == '+')) minus = w[i++] == '-';
    long long v = 0;
    while (i < w.size() && w[i] >= '0' && w[i] <= '9' && v < 0x100000000ll) v = v * 10 + (w[i++] - '0');
    return static_cast<UINT>(minus ? -v : v);
}

BOOL WritePrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR wert, LPCSTR datei)
{
    if (!section) return FALSE;
    std::string pfad = plIniPfad(datei);
    PlIniDatei d = plIniLaden(pfad);  // a copy: the cache changes only on success
    if (d.lesefehler) return FALSE;   // rewriting would lose what could not be read
    long kopf = plIniAbschnitt(d, section);
    if (!key) {
        if (kopf < 0) return TRUE;
        size_t ende = plIniAbschnittEnde(d, static_cast<size_t>(kopf));
        d.zeilen.erase(d.zeilen.begin() + kopf, d.zeilen.begin() + static_cast<long>(ende));
    } else {
        long z = plIniSchluessel(d, kopf, key);
        if (!wert) {
            if (z < 0) return TRUE;
            d.zeilen.erase(d.zeilen.begin() + z);
        } else if (z >= 0) {
            PlIniZeile& alt = d.zeilen[static_cast<size_t>(z)];
            if (alt.wert == wert) return TRUE;  // nothing changes
            alt = plIniZeileAus(alt.name + "=" + wert + "\r\n");
        } else {
            PlIniZeile neu = plIniZeileAus(std::string(key) + "=" + wert + "\r\n");
            if (kopf < 0) {
                if (!d.zeilen.empty()) {
                    plIniZeileAbschliessen(d, d.zeilen.size() - 1);
                    if (plIniTrimmen(d.zeilen.back().roh) != "") d.zeilen.push_back(plIniZeileAus("\r\n"));
                }
                d.zeilen.push_back(plIniZeileAus("[" + std::string(section) + "]\r\n"));
                d.zeilen.push_back(neu);
            } else {
                // after the section's last non-blank line
                size_t ende = plIniAbschnittEnde(d, static_cast<size_t>(kopf));
                size_t nach = static_cast<size_t>(kopf);
                for (size_t i = static_cast<size_t>(kopf) + 1; i < ende; ++i) {
                    if (!plIniTrimmen(d.zeilen[i].roh).empty()) nach = i;
                }
                plIniZeileAbschliessen(d, nach);
                d.zeilen.insert(d.zeilen.begin() + static_cast<long>(nach) + 1, neu);
            }
        }
    }
    std::string inhalt = plIniInhalt(d);
    if (plDsDateiErsetzen(pfad.c_str(), inhalt.data(), inhalt.size()) != 0) return FALSE;
    // the cache takes the new lines with the file's new size and time
    struct stat st {};
    PlIniDatei& c = plIniCache()[pfad];
    if (plDsStat(pfad.c_str(), &st) == 0) {
        d.da = true;
        d.groesse = st.st_size;
        d.zeit = st.st_mtim;
        c = d;
    } else {
        c = PlIniDatei{};
    }
    return TRUE;
}
