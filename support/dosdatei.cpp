// Handle layer and file-system calls; see dosdatei.h. Every path passes
// dosPfad (pfadnormal with its 200-character limit) and then the boundary.
#include "support/dosdatei.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/dateisys.h"
#include "support/basis.h"
#include "support/pfade.h"
#include "support/speicher.h"
#include "support/vergleich.h"

namespace {

using DosPfadText = char[PFADSUP + 1];

// The path as the boundary takes it; -1 for a missing or too-long path, so
// that no call ever acts on a cut path.
int dosPfad(const char* pfad, DosPfadText& ziel)
{
    ziel[0] = '\0';
    if (!pfad) {
        errno = ENOENT;
        return ERROR;
    }
    if (pfadnormal(ziel, pfad) < 0) {
        errno = ENAMETOOLONG;
        return ERROR;
    }
    return 0;
}


int dosStatus(const char* pfad, struct stat* st)
{
    DosPfadText p;
    if (dosPfad(pfad, p) < 0) return ERROR;
    return plDsStat(p, st) == 0 ? 0 : ERROR;
}

// Reads until n bytes or the end; the count, or -1 on a read error.
long dosLesenVoll(int handle, char* puffer, long n)
{
    long gelesen = 0;
    while (gelesen < n) {
        const int r = dosread(handle, puffer + gelesen, static_cast<int>(n - gelesen));
        if (r < 0) return ERROR;
        if (r == 0) break;
        gelesen += r;
    }
    return gelesen;
}

}  // namespace

void dateizeitaus(time_t t, DATZEIT* stempel)
{
    std::memset(stempel, 0, sizeof(DATZEIT));
    struct tm tm;
    if (!localtime_r(&t, &tm)) return;
    if (tm.tm_year < 0 || tm.tm_year > 255) return;
    stempel->datum.jahr = static_cast<uint8_t>(tm.tm_year);
    stempel->datum.monat = static_cast<uint8_t>(tm.tm_mon + 1);
    stempel->datum.tag = static_cast<uint8_t>(tm.tm_mday);
    stempel->stunde = static_cast<uint8_t>(tm.tm_hour);
    stempel->minute = static_cast<uint8_t>(tm.tm_min);
    stempel->sekunde = static_cast<uint8_t>(tm.tm_sec);
}

int dosopen(const char* pfad, int modus)
{
    static const int flags[3] = {O_RDONLY, O_WRONLY, O_RDWR};
    DosPfadText p;
    if (modus < 0 || modus > 2) {
        errno = EINVAL;
        return ERROR;
    }
    if (dosPfad(pfad, p) < 0) return ERROR;
    int h = plDsOeffnen(p, flags[modus]);
    if (h < 0 && modus == 2) h = plDsOeffnen(p, O_RDONLY);
    if (h < 0) return ERROR;
    // A folder is no file, as on the file systems the program came from.
    struct stat st;
    if (fstat(h, &st) == 0 && S_ISDIR(st.st_mode)) {
        plDsSchliessen(h);
        errno = EISDIR;
        return ERROR;
    }
    return h;
}

int doscrt(const char* pfad)
{
    DosPfadText p;
    if (dosPfad(pfad, p) < 0) return ERROR;
    const int h = plDsErsetzenOeffnen(p);
    return h < 0 ? ERROR : h;
}

int dosclose(int handle)
{
    return plDsSchliessen(handle) == 0 ? 0 : ERROR;
}

int dosverwerfen(int handle)
{
    if (plDsErsetzenOffen(handle)) return plDsErsetzenVerwerfen(handle) == 0 ? 0 : ERROR;
    return dosclose(handle);
}

int dosread(int handle, void* puffer, int n)
{
    if (n < 0) return ERROR;
    for (;;) {
        const ssize_t r = plDsLesen(handle, puffer, static_cast<size_t>(n));
        if (r >= 0) return static_cast<int>(r);
        if (errno != EINTR) return ERROR;
    }
}

int doswrite(int handle, const void* puffer, int n)
{
    if (n < 0) return ERROR;
    const auto* p = static_cast<const char*>(puffer);
    int geschrieben = 0;
    while (geschrieben < n) {
        const ssize_t w = plDsSchreiben(handle, p + geschrieben, static_cast<size_t>(n - geschrieben));
        if (w < 0 && errno == EINTR) continue;
        if (w < 0) return geschrieben > 0 ? geschrieben : ERROR;
        if (w == 0) break;
        geschrieben += static_cast<int>(w);
    }
    return geschrieben;
}

long doslseek(int handle, long offset, int ursprung)
{
    const int woher = ursprung == 0 ? SEEK_SET : ursprung == 1 ? SEEK_CUR : SEEK_END;
    const off_t r = plDsSuchen(handle, offset, woher);
    return r < 0 ? ERROR : static_cast<long>(r);
}

int dateiloeschen(const char* pfad)
{
    DosPfadText p;
    if (dosPfad(pfad, p) < 0) return ERROR;
    return plDsLoeschen(p) == 0 ? 0 : ERROR;
}

int dosgetcwd(char* ziel, size_t kap)
{
    if (kap > 0) ziel[0] = '\0';
    std::string cwd;
    if (plDsAktuell(&cwd) < 0) return ERROR;
    if (cwd.size() > static_cast<size_t>(PFADSUP) || cwd.size() >= kap) {
        errno = ENAMETOOLONG;
        return ERROR;
    }
    std::memcpy(ziel, cwd.c_str(), cwd.size() + 1);
    return 0;
}

int doschdir(const char* pfad)
{
    DosPfadText p;
    if (dosPfad(pfad, p) < 0) return ERROR;
    return plDsWechseln(p) == 0 ? 0 : ERROR;
}

int dosmkdir(const char* pfad)
{
    DosPfadText p;
    if (dosPfad(pfad, p) < 0) return ERROR;
    return plDsVerzAnlegen(p) == 0 ? 0 : ERROR;
}

int dosrmdir(const char* pfad)
{
    DosPfadText p;
    if (dosPfad(pfad, p) < 0) return ERROR;
    return plDsVerzLoeschen(p) == 0 ? 0 : ERROR;
}

int dosattrib(const char* pfad)
{
    struct stat st;
    if (dosStatus(pfad, &st) < 0) return DOSATTR_FEHLT;
    int a = S_ISDIR(st.st_mode) ? DOSATTR_VERZEICHNIS : DOSATTR_DATEI;
    if (!(st.st_mode & S_IWUSR)) a |= DOSATTR_NURLESEN;
    return a;
}

int dosattribsetzen(const char* pfad, int attribute)
{
    DosPfadText p;
    struct stat st;
    if (dosPfad(pfad, p) < 0 || plDsStat(p, &st) != 0) return ERROR;
    mode_t m = st.st_mode & 07777;
    m = (attribute & DOSATTR_NURLESEN) ? (m & ~static_cast<mode_t>(0222)) : (m | S_IWUSR);
    return plDsRechte(p, m) == 0 ? 0 : ERROR;
}

long dateilaenge(const char* pfad)
{
    const int h = dosopen(pfad, 0);
    if (h < 0) return ERROR;
    const long n = doslseek(h, 0, 2);
    dosclose(h);
    return n;
}

int dateizeit(const char* pfad, DATZEIT* stempel)
{
    std::memset(stempel, 0, sizeof(DATZEIT));
    struct stat st;
    if (dosStatus(pfad, &st) < 0) return ERROR;
    dateizeitaus(st.st_mtime, stempel);
    return 0;
}

int dateizeitsetzen(const char* pfad, const DATZEIT* stempel)
{
    struct tm tm {};
    tm.tm_year = stempel->datum.jahr;
    tm.tm_mon = stempel->datum.monat - 1;
    tm.tm_mday = stempel->datum.tag;
    tm.tm_hour = stempel->stunde;
    tm.tm_min = stempel->minute;
    tm.tm_sec = stempel->sekunde;
    tm.tm_isdst = -1;
    const time_t t = mktime(&tm);
    if (t == static_cast<time_t>(-1)) return ERROR;
    DosPfadText p;
    if (dosPfad(pfad, p) < 0) return ERROR;
    struct timespec zeiten[2];
    zeiten[0].tv_sec = zeiten[1].tv_sec = t;
    zeiten[0].tv_nsec = zeiten[1].tv_nsec = 0;
    return plDsZeitSetzen(p, zeiten) == 0 ? 0 : ERROR;
}

// Copies through a 16384-byte block (8192, else 512 bytes on the stack when
// memory is short). A read error fails the copy like a short write: the
// target, written to a temporary file, is then dropped and never appears.
int dateikopieren(const char* quelle, const char* ziel)
{
    const int q = dosopen(quelle, 0);
    if (q < 0) return ERROR;
    const int z = doscrt(ziel);
    if (z < 0) {
        dosclose(q);
        return ERROR;
    }
    char notpuffer[512];
    long groesse = 16384;
    char* puffer = static_cast<char*>(fmalloc(groesse, 1));
    if (!puffer) {
        groesse = 8192;
        puffer = static_cast<char*>(fmalloc(groesse, 1));
    }
    const bool eigen = puffer != nullptr;
    if (!eigen) {
        puffer = notpuffer;
        groesse = sizeof notpuffer;
    }
    bool gut = true;
    for (;;) {
        const long n = dosLesenVoll(q, puffer, groesse);
        if (n < 0) {
            gut = false;
            break;
        }
        if (n > 0 && doswrite(z, puffer, static_cast<int>(n)) != n) {
            gut = false;
            break;
        }
        if (n < groesse) break;
    }
    dosclose(q);
    if (eigen) ffree(puffer);
    if (!gut) {
        dosverwerfen(z);
        return ERROR;
    }
    if (dosclose(z) < 0) return ERROR;
    DATZEIT zeit;
    if (dateizeit(quelle, &zeit) == 0) dateizeitsetzen(ziel, &zeit);
    const int attribute = dosattrib(quelle);
    if (attribute != DOSATTR_FEHLT) dosattribsetzen(ziel, attribute);
    return 0;
}

// Made without entering folders: the working folder is never touched.
int pfadanlegen(const char* pfad)
{
    if (!pfad) return 2;
    std::string p = pfad;
    const auto leer = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!p.empty() && leer(p.back())) p.pop_back();
    size_t vorn = 0;
    while (vorn < p.size() && leer(p[vorn])) ++vorn;
    p.erase(0, vorn);
    for (char& c : p) {
        if (c == '\\') c = '/';
    }
    // No drives and no network shares here.
    if (p.size() >= 2 && (p[1] == ':' || (p[0] == '/' && p[1] == '/'))) return 1;
    if (p.empty()) return 0;
    if (p[0] != '/') {
        std::string cwd;
        if (plDsAktuell(&cwd) < 0) return 2;
        p = cwd + "/" + p;
    }
    for (size_t i = 1; i <= p.size(); ++i) {
        if (i < p.size() && p[i] != '/') continue;
        if (p[i - 1] == '/') continue;
        const std::string teil = p.substr(0, i);
        struct stat st;
        if (dosStatus(teil.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) continue;
        if (dosmkdir(teil.c_str()) < 0) return 2;
        if (dosStatus(teil.c_str(), &st) < 0 || !S_ISDIR(st.st_mode)) return 3;
    }
    return 0;
}

namespace {

// Calls `fn` for each entry of the pattern's folder that matches its name
// pattern, with the entry's path and status, until `fn` returns 0.
template <typename Fn>
void verzLesen(const char* muster, Fn fn)
{
    if (!muster) return;
    const int n = pfadlang(muster);
    std::string verz, vorsatz = "./";
    if (n == 0) {
        verz = ".";
        vorsatz = "./";
    } else if (n == 1 || (n == 3 && muster[1] == ':')) {
        verz.assign(muster, static_cast<size_t>(n));
        vorsatz = verz;
    } else {
        verz.assign(muster, static_cast<size_t>(n - 1));
        vorsatz = verz + "/";
    }
    const char* namensmuster = muster[n] ? muster + n : "*";
    DosPfadText p;
    if (dosPfad(verz.c_str(), p) < 0) return;
    PlDsVerz* v = plDsVerzOeffnen(p);
    if (!v) return;
    std::string name;
    while (plDsVerzLesen(v, &name) > 0) {
        if (name == "." || name == "..") continue;
        if (mustervgli(namensmuster, name.c_str()) != 1) continue;
        const std::string pfad = vorsatz + name;
        struct stat st;
        if (dosStatus(pfad.c_str(), &st) < 0) continue;
        if (fn(pfad, st) == 0) break;
    }
    plDsVerzSchliessen(v);
}

}  // namespace

void verzlesendaten(const char* muster, VERZDATENFN fn, void* user)
{
    verzLesen(muster, [&](const std::string& pfad, const struct stat& st) {
        DATZEIT zeit;
        dateizeitaus(st.st_mtime, &zeit);
        return fn(S_ISDIR(st.st_mode) ? 1 : 0, pfad.c_str(), static_cast<long>(st.st_size), &zeit, user);
    });
}

void verzlesennamen(const char* muster, VERZNAMENFN fn, void* user)
{
    verzLesen(muster, [&](const std::string& pfad, const struct stat& st) {
        return fn(S_ISDIR(st.st_mode) ? 1 : 0, pfad.c_str(), user);
    });
}

int verzkopieren(const char* quellverz, const char* zielverz)
{
    if (!quellverz || !zielverz) return ERROR;
    std::string q = quellverz;
    while (!q.empty() && (q.back() == '/' || q.back() == '\\')) q.pop_back();
    std::string z = zielverz;
    while (!z.empty() && (z.back() == '/' || z.back() == '\\')) z.pop_back();
    // Names first: copying while reading the folder could list new files.
    std::vector<std::string> namen;
    verzLesen((q + "/*").c_str(), [&](const std::string& pfad, const struct stat& st) {
        if (S_ISREG(st.st_mode)) namen.push_back(pfad.substr(q.size() + 1));
        return 1;
    });
    int ergebnis = 0;
    for (const std::string& name : namen) {
        if (dateikopieren((q + "/" + name).c_str(), (z + "/" + name).c_str()) < 0) ergebnis = ERROR;
    }
    return ergebnis;
}
