// The file-system boundary; see dateisys.h.
#include "platform/dateisys.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <map>
#include <unistd.h>
#include <vector>

#include "platform/cp1252.h"
#include "platform/fehlersim.h"
#include "platform/zeichen.h"

struct PlDsVerz {
    DIR* dir;
};

namespace {

struct DsErsetzen {
    std::string ziel;   // real path of the target
    std::string temp;   // real path of the temporary file
    bool sync;
    mode_t rechte = 0;    // of the new file
    bool fehler = false;  // a write failed: the file is incomplete
    bool nurWennAnders = false;  // keep the target when the bytes are the same
    // Marked "only when different": the new bytes are gathered in memory
    // (`temp` is then empty) and reach a file in the target's folder only
    // when they differ from the target's.
    bool imSpeicher = false;
    // Opened in a batch: `ziel` is the path as written, looked up (ignoring
    // case) only at the close when no file has that name: an existing
    // target costs one open then, and no lookup at all.
    bool spaeterSuchen = false;
    std::string syspfad = {};
};

std::map<int, DsErsetzen> dsErsetzungen;  // open handles of plDsErsetzenOeffnen
int dsNurGeaendert = 0;  // plDsNurGeaenderteErsetzen: depth of the requests
long dsSuchLesungen = 0;

bool dsFehler(PlFehlerArt art)
{
    if (!plFehlerJetzt(art)) return false;
    errno = EIO;
    return true;
}

// Whether the files `a` and `b` hold the same bytes (false when either
// cannot be read: the caller then replaces, which is always safe).
bool dsGleicherInhalt(const std::string& a, const std::string& b)
{
    struct stat sa, sb;
    if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
    if (!S_ISREG(sa.st_mode) || !S_ISREG(sb.st_mode) || sa.st_size != sb.st_size) return false;
    const int fa = open(a.c_str(), O_RDONLY | O_CLOEXEC);
    if (fa < 0) return false;
    const int fb = open(b.c_str(), O_RDONLY | O_CLOEXEC);
    if (fb < 0) {
        close(fa);
        return false;
    }
    std::vector<char> pa(65536), pb(65536);
    bool gleich = true;
    off_t rest = sa.st_size;
    while (gleich && rest > 0) {
        const size_t n = static_cast<size_t>(std::min<off_t>(rest, static_cast<off_t>(pa.size())));
        gleich = read(fa, pa.data(), n) == static_cast<ssize_t>(n) && read(fb, pb.data(), n) == static_cast<ssize_t>(n) &&
                 std::memcmp(pa.data(), pb.data(), n) == 0;
        rest -= static_cast<off_t>(n);
    }
    close(fa);
    close(fb);
    return gleich;
}

std::string dsOrdnerVon(const std::string& echt);

// All of `n` bytes at `pos`; false on an error or an early end.
// The template of the temporary file beside `ziel` that a replacement is
// written into before its rename: it carries the target's name, so that a
// leftover of an interrupted save says which file it was meant for.
std::string dsTempVorlage(const std::string& ziel)
{
    const size_t schnitt = ziel.rfind('/');
    const std::string ordner = schnitt == std::string::npos ? std::string() : ziel.substr(0, schnitt + 1);
    const std::string name = schnitt == std::string::npos ? ziel : ziel.substr(schnitt + 1);
    // ".velmo-neu-" + name + "-XXXXXX" within the 255 bytes of a name.
    if (name.empty() || name.size() > 200) return ordner + ".velmo-neu-XXXXXX";
    return ordner + ".velmo-neu-" + name + "-XXXXXX";
}

bool dsGanzLesen(int fd, char* p, size_t n, off_t pos)
{
    while (n > 0) {
        const ssize_t r = pread(fd, p, n, pos);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        p += r;
        n -= static_cast<size_t>(r);
        pos += r;
    }
    return true;
}

// Whether the file open as `fb` (-1: none; closed here) holds the `n`
// bytes of `daten`. `rechte` gets its permissions when it is a plain file
// (else it stays). One read for a file of the size of a drawing (the
// buffer stays between calls).
bool dsGleichWieBytes(int fb, const char* daten, size_t n, mode_t* rechte)
{
    if (fb < 0) return false;
    struct stat st;
    bool gleich = fstat(fb, &st) == 0 && S_ISREG(st.st_mode);
    if (gleich) *rechte = st.st_mode & 07777;
    gleich = gleich && static_cast<size_t>(st.st_size) == n;
    static std::vector<char> puffer;
    constexpr size_t STUECK = 1 << 20;
    for (size_t pos = 0; gleich && pos < n; pos += STUECK) {
        const size_t k = std::min(n - pos, STUECK);
        if (puffer.size() < k) puffer.resize(k);
        gleich = dsGanzLesen(fb, puffer.data(), k, static_cast<off_t>(pos)) && std::memcmp(puffer.data(), daten + pos, k) == 0;
    }
    close(fb);
    return gleich;
}

void dsListeEintragen(const std::string& echt);

// Writes all of `daten` to `t`; 0 or the error.
int dsAllesSchreiben(int t, const char* daten, size_t n, bool sync)
{
    for (size_t pos = 0; pos < n;) {
        if (dsFehler(PlFehlerArt::Schreiben)) return EIO;
        const ssize_t w = write(t, daten + pos, n - pos);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return w < 0 ? errno : EIO;
        pos += static_cast<size_t>(w);
    }
    if (sync && (dsFehler(PlFehlerArt::Schreiben) || fsync(t) != 0)) return errno ? errno : EIO;
    return 0;
}

void dsOrdnerSyncen(const std::string& ziel);
}  // namespace
int dsPfadAufloesen(const char* syspfad, std::string* echt, bool fehlt);
namespace {

// A file that does not exist yet is written as a file without a name in its
// folder and linked under its name once complete: as atomic as the rename,
// at the file system's cost of one new file (no temporary name to make and
// rename away). 1: not possible here (no such files on this file system, no
// /proc, or the name appeared meanwhile), the caller takes the rename way.
int dsNeuVerknuepfen(const std::string& ziel, const char* daten, size_t n, bool sync, mode_t rechte,
                     bool schliessen)
{
    const size_t schnitt = ziel.rfind('/');
    const std::string ordner =
        schnitt == std::string::npos ? std::string(".") : schnitt == 0 ? std::string("/") : ziel.substr(0, schnitt);
    // The mode is the creation's, so no chmod: `rechte` already lacks the umask.
    const int t = open(ordner.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, rechte);
    if (t < 0) return 1;
    int fehler = dsAllesSchreiben(t, daten, n, sync);
    if (!fehler && schliessen && plFehlerJetzt(PlFehlerArt::Schliessen)) fehler = EIO;
    if (!fehler && dsFehler(PlFehlerArt::Umbenennen)) fehler = errno ? errno : EIO;
    if (fehler) {
        close(t);  // the nameless file goes with its last descriptor
        errno = fehler;
        return -1;
    }
    // The descriptor itself where the kernel takes it (no walk through
    // /proc), else its name under /proc.
    if (linkat(t, "", AT_FDCWD, ziel.c_str(), AT_EMPTY_PATH) != 0) {
        char selbst[40];
        std::snprintf(selbst, sizeof selbst, "/proc/self/fd/%d", t);
        if (linkat(AT_FDCWD, selbst, AT_FDCWD, ziel.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            close(t);
            return 1;
        }
    }
    if (close(t) != 0) {  // whole or absent: a file whose close failed is not kept
        const int e = errno;
        unlink(ziel.c_str());
        errno = e;
        return -1;
    }
    dsListeEintragen(ziel);
    if (sync) dsOrdnerSyncen(ziel);
    return 0;
}

// The bytes of a replacement that was gathered in memory, for the target
// `wie` (the real path as written; `syspfad`, when given, is looked up
// ignoring case when no file has that name): nothing happens on disk when
// the target holds the same bytes; a new target is linked in complete
// (dsNeuVerknuepfen); else they go to a new file in its folder, renamed
// over it. A failure at any step leaves the target as it was and no
// temporary file. `schliessen`: the close of the new file counts as a
// close for the fault injection.
int dsBytesErsetzen(const std::string& wie, const std::string* syspfad, const char* daten, size_t n, bool sync,
                    mode_t rechte, bool schliessen)
{
    std::string ziel = wie;
    int fb = open(ziel.c_str(), O_RDONLY | O_CLOEXEC);
    int warum = fb < 0 ? errno : 0;
    if (fb < 0 && syspfad && (warum == ENOENT || warum == ENOTDIR)) {
        if (dsPfadAufloesen(syspfad->c_str(), &ziel, true) < 0) return -1;
        if (ziel != wie) {
            fb = open(ziel.c_str(), O_RDONLY | O_CLOEXEC);
            warum = fb < 0 ? errno : 0;
        }
    }
    if (fb < 0 && warum == ENOENT) {
        const int r = dsNeuVerknuepfen(ziel, daten, n, sync, rechte, schliessen);
        if (r <= 0) return r;
    }
    if (dsGleichWieBytes(fb, daten, n, &rechte)) return 0;
    std::string temp = dsTempVorlage(ziel);
    const int t = mkostemp(temp.data(), O_CLOEXEC);
    if (t < 0) return -1;
    fchmod(t, rechte);
    int fehler = dsAllesSchreiben(t, daten, n, sync);
    const bool schliessFehler = schliessen && plFehlerJetzt(PlFehlerArt::Schliessen);
    if (close(t) != 0 && !fehler) fehler = errno;
    if (schliessFehler && !fehler) fehler = EIO;
    if (!fehler && (dsFehler(PlFehlerArt::Umbenennen) || rename(temp.c_str(), ziel.c_str()) != 0)) fehler = errno;
    if (fehler) {
        unlink(temp.c_str());
        errno = fehler;
        return -1;
    }
    dsListeEintragen(ziel);
    if (sync) dsOrdnerSyncen(ziel);
    return 0;
}

void dsOrdnerSyncen(const std::string& ziel)
{
    const int dfd = open(dsOrdnerVon(ziel).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
}

// Memory files of replacements gathered in memory, kept for the next one
// while a batch runs (making and closing one costs more than emptying it).
std::vector<int> dsSpeicherVorrat;

int dsSpeicherNehmen()
{
    if (!dsSpeicherVorrat.empty()) {
        const int fd = dsSpeicherVorrat.back();
        dsSpeicherVorrat.pop_back();
        return fd;
    }
    return memfd_create("velmo-neu", MFD_CLOEXEC);
}

// Closes a memory file, or empties it for the next replacement of the batch.
int dsSpeicherAbgeben(int fd)
{
    if (dsNurGeaendert > 0 && dsSpeicherVorrat.size() < 4 && ftruncate(fd, 0) == 0 && lseek(fd, 0, SEEK_SET) == 0) {
        dsSpeicherVorrat.push_back(fd);
        return 0;
    }
    return close(fd);
}

// The close of a replacement gathered in memory: its bytes are taken out
// of the memory file, which is given back, and replace the target only
// when they differ (dsBytesErsetzen).
int dsSpeicherSchliessen(int fd, const DsErsetzen& e)
{
    int fehler = e.fehler ? EIO : 0;
    static std::vector<char> inhalt;
    struct stat st;
    if (!fehler && fstat(fd, &st) != 0) fehler = errno;
    if (!fehler) {
        inhalt.resize(static_cast<size_t>(st.st_size));
        if (!dsGanzLesen(fd, inhalt.data(), inhalt.size(), 0)) fehler = errno ? errno : EIO;
    }
    const bool schliessFehler = plFehlerJetzt(PlFehlerArt::Schliessen);
    if (dsSpeicherAbgeben(fd) != 0 && !fehler) fehler = errno;
    if (schliessFehler && !fehler) fehler = EIO;
    if (fehler) {
        errno = fehler;
        return -1;
    }
    return dsBytesErsetzen(e.ziel, e.spaeterSuchen ? &e.syspfad : nullptr, inhalt.data(), inhalt.size(), e.sync,
                           e.rechte, false);
}

// An incomplete new file must never replace the old one.
void dsSchreibfehler(int fd)
{
    if (errno == EINTR || errno == EAGAIN) return;
    const auto it = dsErsetzungen.find(fd);
    if (it != dsErsetzungen.end()) it->second.fehler = true;
}

bool dsTrenner(char c)
{
    return c == '/' || c == '\\';
}

// Drive letters and network paths do not exist here.
bool dsFremdform(const char* p)
{
    const auto c0 = static_cast<unsigned char>(p[0]);
    if (c0 != 0 && ((c0 >= 'A' && c0 <= 'Z') || (c0 >= 'a' && c0 <= 'z')) && p[1] == ':') return true;
    return dsTrenner(p[0]) && dsTrenner(p[1]);
}

bool dsGleichOhneFall(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (plZeichenGross(static_cast<unsigned char>(a[i])) !=
            plZeichenGross(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string dsGross(const std::string& cp)
{
    std::string g = cp;
    for (char& c : g) c = static_cast<char>(plZeichenGross(static_cast<unsigned char>(c)));
    return g;
}

// While a batch of replacements runs (plDsNurGeaenderteErsetzen), the
// folders the lookup read stay listed here, by the upper-case form of
// each entry: a run that makes hundreds of new files in one folder reads
// it once, not once a file. What this process adds through a replacement
// is entered; any other change it makes drops the lists; a name found here
// is checked to exist before it is used. The lists go with the batch.
struct DsEintrag {
    std::string cp, roh;
};
std::map<std::string, std::multimap<std::string, DsEintrag>> dsListen;

void dsListenVergessen() { dsListen.clear(); }

void dsListeEintragen(const std::string& echt)
{
    const size_t p = echt.rfind('/');
    const std::string verz = p == std::string::npos ? std::string() : echt.substr(0, p);
    const auto it = dsListen.find(verz);
    if (it == dsListen.end()) return;
    const std::string roh = p == std::string::npos ? echt : echt.substr(p + 1);
    const std::string cp = plCpAusUtf8(roh);
    const std::string g = dsGross(cp);
    for (auto [a, b] = it->second.equal_range(g); a != b; ++a)
        if (a->second.roh == roh) return;
    it->second.emplace(g, DsEintrag{cp, roh});
}

bool dsExistiert(const std::string& echt);

std::string dsSuchenGelesen(const std::string& verz, const std::string& komponente);

// Looks `komponente` (code page 1252) up in folder `verz` (real path, "" for
// the current folder) ignoring case; the entry's real name or "".
std::string dsSuchen(const std::string& verz, const std::string& komponente)
{
    if (dsNurGeaendert == 0) return dsSuchenGelesen(verz, komponente);
    auto it = dsListen.find(verz);
    if (it == dsListen.end()) {
        DIR* d = opendir(verz.empty() ? "." : verz.c_str());
        if (!d) return {};
        ++dsSuchLesungen;
        std::multimap<std::string, DsEintrag> liste;
        while (dirent* e = readdir(d)) {
            const std::string roh = e->d_name;
            if (roh == "." || roh == "..") continue;
            std::string cp = plCpAusUtf8(roh);
            std::string g = dsGross(cp);
            liste.emplace(std::move(g), DsEintrag{std::move(cp), roh});
        }
        closedir(d);
        it = dsListen.emplace(verz, std::move(liste)).first;
    }
    // The same choice as a reading of the folder: the entry equal byte for
    // byte, else the first match in sorted order.
    std::string exakt, erstes;
    for (auto [a, b] = it->second.equal_range(dsGross(komponente)); a != b; ++a) {
        const DsEintrag& e = a->second;
        if (e.cp == komponente) {
            if (exakt.empty() || e.roh < exakt) exakt = e.roh;
        } else if (erstes.empty() || e.roh < erstes) {
            erstes = e.roh;
        }
    }
    std::string gefunden = !exakt.empty() ? exakt : erstes;
    if (gefunden.empty() || dsExistiert((verz.empty() ? std::string() : verz + "/") + gefunden)) return gefunden;
    dsListen.erase(verz);  // out of date: read the folder
    return dsSuchenGelesen(verz, komponente);
}

std::string dsSuchenGelesen(const std::string& verz, const std::string& komponente)
{
    DIR* d = opendir(verz.empty() ? "." : verz.c_str());
    if (!d) return {};
    ++dsSuchLesungen;
    std::string exakt;
    std::vector<std::string> treffer;
    while (dirent* e = readdir(d)) {
        const std::string roh = e->d_name;
        if (roh == "." || roh == "..") continue;
        const std::string cp = plCpAusUtf8(roh);
        if (cp == komponente) {
            if (exakt.empty() || roh < exakt) exakt = roh;
        } else if (dsGleichOhneFall(cp, komponente)) {
            treffer.push_back(roh);
        }
    }
    closedir(d);
    if (!exakt.empty()) return exakt;
    if (treffer.empty()) return {};
    return *std::min_element(treffer.begin(), treffer.end());
}

bool dsExistiert(const std::string& echt)
{
    struct stat st;
    return lstat(echt.c_str(), &st) == 0;
}

std::string dsOrdnerVon(const std::string& echt)
{
    const size_t p = echt.rfind('/');
    if (p == std::string::npos) return ".";
    if (p == 0) return "/";
    return echt.substr(0, p);
}

mode_t dsNeueRechte()
{
    static mode_t maske = [] {
        const mode_t m = umask(022);
        umask(m);
        return m;
    }();
    return 0666 & ~maske;
}

// A path the file system can be asked for at all (no drive or share form).
bool dsFragbar(const char* p) { return p && *p && !dsFremdform(p); }

// The code-page path with its separators as the file system has them.
std::string dsSchraegstriche(const char* p)
{
    std::string cp = p;
    std::replace(cp.begin(), cp.end(), '\\', '/');
    return cp;
}

}  // namespace

// plDsPfad; `fehlt`: the caller has just met the path as written missing
// (an open that failed with ENOENT or ENOTDIR), so it is not asked again.
int dsPfadAufloesen(const char* syspfad, std::string* echt, bool fehlt)
{
    echt->clear();
    if (!dsFragbar(syspfad)) {
        errno = ENOENT;
        return -1;
    }
    const std::string cp = dsSchraegstriche(syspfad);
    std::string ganz = plCpNachUtf8(cp);
    if (!fehlt && (dsExistiert(ganz) || (errno != ENOENT && errno != ENOTDIR))) {
        *echt = std::move(ganz);
        return 0;
    }
    // Component by component; only missing components cost a folder read.
    // Mostly only the last one is missing (a new file): when its folder
    // exists as written, each component before it is found as written too,
    // so one look at the folder spares one per component; a folder listed
    // in this batch is known to exist.
    const size_t letzter = cp.rfind('/');
    size_t elternEnde = 0;
    if (letzter != std::string::npos) {
        std::string eltern = cp[0] == '/' ? "/" : "";
        for (size_t a = 0; a < letzter;) {
            size_t e = cp.find('/', a);
            if (e == std::string::npos || e > letzter) e = letzter;
            if (e > a) {
                if (!eltern.empty() && eltern.back() != '/') eltern += '/';
                eltern.append(cp, a, e - a);
            }
            a = e + 1;
        }
        const std::string elternUtf8 = plCpNachUtf8(eltern);
        if ((dsNurGeaendert > 0 && dsListen.count(elternUtf8) != 0) ||
            dsExistiert(elternUtf8.empty() ? std::string(".") : elternUtf8)) {
            elternEnde = letzter;
        }
    }
    std::string ergebnis = cp[0] == '/' ? "/" : "";
    size_t pos = 0;
    bool verloren = false;  // a component was not found: the rest stays as written
    while (pos < cp.size()) {
        size_t ende = cp.find('/', pos);
        if (ende == std::string::npos) ende = cp.size();
        const std::string komp = cp.substr(pos, ende - pos);
        const bool imOrdner = ende <= elternEnde;
        pos = ende + 1;
        if (komp.empty()) continue;
        if (!ergebnis.empty() && ergebnis.back() != '/') ergebnis += '/';
        const std::string kompUtf8 = plCpNachUtf8(komp);
        if (verloren || imOrdner || komp == "." || komp == "..") {
            ergebnis += kompUtf8;
            continue;
        }
        if (dsExistiert(ergebnis + kompUtf8)) {
            ergebnis += kompUtf8;
            continue;
        }
        const std::string verz = ergebnis;
        const std::string gefunden = dsSuchen(verz, komp);
        if (gefunden.empty()) {
            ergebnis += kompUtf8;
            verloren = true;
        } else {
            ergebnis += gefunden;
        }
    }
    if (ergebnis.empty()) ergebnis = ".";
    *echt = std::move(ergebnis);
    return 0;
}

int plDsPfad(const char* syspfad, std::string* echt) { return dsPfadAufloesen(syspfad, echt, false); }

long plDsSuchLesungen()
{
    return dsSuchLesungen;
}

int plDsOeffnen(const char* pfad, int flags, mode_t modus)
{
    // Opening an existing file as written first spares the lookup's stat;
    // only a miss pays for the case-insensitive search. A create goes through
    // the search at once, so it never makes a second file beside "hv1.08".
    if (!(flags & O_CREAT) && dsFragbar(pfad)) {
        if (dsFehler(PlFehlerArt::Oeffnen)) return -1;
        const int fd = open(plCpNachUtf8(dsSchraegstriche(pfad)).c_str(), flags | O_CLOEXEC, modus);
        if (fd >= 0 || (errno != ENOENT && errno != ENOTDIR)) return fd;
        std::string echt;
        if (dsPfadAufloesen(pfad, &echt, true) < 0) return -1;
        return open(echt.c_str(), flags | O_CLOEXEC, modus);
    }
    dsListenVergessen();  // it may make a file
    std::string echt;
    if (plDsPfad(pfad, &echt) < 0) return -1;
    if (dsFehler(PlFehlerArt::Oeffnen)) return -1;
    return open(echt.c_str(), flags | O_CLOEXEC, modus);
}

ssize_t plDsLesen(int fd, void* puffer, size_t n)
{
    if (dsFehler(PlFehlerArt::Lesen)) return -1;
    return read(fd, puffer, n);
}

ssize_t plDsSchreiben(int fd, const void* puffer, size_t n)
{
    ssize_t r = -1;
    if (!dsFehler(PlFehlerArt::Schreiben)) r = write(fd, puffer, n);
    if (r < 0) dsSchreibfehler(fd);
    return r;
}

ssize_t plDsLesenAb(int fd, void* puffer, size_t n, off_t position)
{
    if (dsFehler(PlFehlerArt::Lesen)) return -1;
    return pread(fd, puffer, n, position);
}

ssize_t plDsSchreibenAb(int fd, const void* puffer, size_t n, off_t position)
{
    ssize_t r = -1;
    if (!dsFehler(PlFehlerArt::Schreiben)) r = pwrite(fd, puffer, n, position);
    if (r < 0) dsSchreibfehler(fd);
    return r;
}

off_t plDsSuchen(int fd, off_t offset, int woher)
{
    return lseek(fd, offset, woher);
}

int plDsSchliessen(int fd)
{
    const auto it = dsErsetzungen.find(fd);
    if (it == dsErsetzungen.end()) {
        const bool fehler = plFehlerJetzt(PlFehlerArt::Schliessen);
        const int r = close(fd);
        if (fehler) {
            errno = EIO;
            return -1;
        }
        return r;
    }
    const DsErsetzen e = it->second;
    dsErsetzungen.erase(it);
    if (e.imSpeicher) return dsSpeicherSchliessen(fd, e);
    // The first failure decides errno; the file is closed in any case.
    int fehler = e.fehler ? EIO : 0;
    if (!fehler && e.sync && (dsFehler(PlFehlerArt::Schreiben) || fsync(fd) != 0)) fehler = errno;
    const bool schliessFehler = plFehlerJetzt(PlFehlerArt::Schliessen);
    if (close(fd) != 0 && !fehler) fehler = errno;
    if (schliessFehler && !fehler) fehler = EIO;
    // Same bytes: the old file stays as it is (no rename, which on ext4
    // forces the new data to disk, and its time and identity stay).
    if (!fehler && e.nurWennAnders && dsGleicherInhalt(e.temp, e.ziel)) {
        unlink(e.temp.c_str());
        return 0;
    }
    if (!fehler && (dsFehler(PlFehlerArt::Umbenennen) || rename(e.temp.c_str(), e.ziel.c_str()) != 0)) {
        fehler = errno;
    }
    const bool gut = fehler == 0;
    if (!gut) {
        unlink(e.temp.c_str());
        errno = fehler;
        return -1;
    }
    dsListeEintragen(e.ziel);
    if (e.sync) {
        const int dfd = open(dsOrdnerVon(e.ziel).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            fsync(dfd);
            close(dfd);
        }
    }
    return 0;
}

int plDsStat(const char* pfad, struct stat* st)
{
    std::string echt;
    if (plDsPfad(pfad, &echt) < 0) return -1;
    return stat(echt.c_str(), st);
}

int plDsZeitSetzen(const char* pfad, const struct timespec zeiten[2])
{
    std::string echt;
    if (plDsPfad(pfad, &echt) < 0) return -1;
    return utimensat(AT_FDCWD, echt.c_str(), zeiten, 0);
}

int plDsRechte(const char* pfad, mode_t modus)
{
    std::string echt;
    if (plDsPfad(pfad, &echt) < 0) return -1;
    return chmod(echt.c_str(), modus);
}

int plDsUmbenennen(const char* alt, const char* neu)
{
    dsListenVergessen();
    std::string echtAlt, echtNeu;
    if (plDsPfad(alt, &echtAlt) < 0 || plDsPfad(neu, &echtNeu) < 0) return -1;
    if (dsFehler(PlFehlerArt::Umbenennen)) return -1;
    return rename(echtAlt.c_str(), echtNeu.c_str());
}

int plDsUmbenennenNeu(const char* alt, const char* neu)
{
    dsListenVergessen();
    std::string echtAlt, echtNeu;
    if (plDsPfad(alt, &echtAlt) < 0 || plDsPfad(neu, &echtNeu) < 0) return -1;
    if (dsFehler(PlFehlerArt::Umbenennen)) return -1;
    if (renameat2(AT_FDCWD, echtAlt.c_str(), AT_FDCWD, echtNeu.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    // A file system without the flag: a hard link fails just as well on an
    // existing name.
    if (link(echtAlt.c_str(), echtNeu.c_str()) != 0) return -1;
    return unlink(echtAlt.c_str());
}

int plDsLoeschen(const char* pfad)
{
    dsListenVergessen();
    std::string echt;
    if (plDsPfad(pfad, &echt) < 0) return -1;
    return unlink(echt.c_str());
}

int plDsVerzAnlegen(const char* pfad, mode_t modus)
{
    dsListenVergessen();
    std::string echt;
    if (plDsPfad(pfad, &echt) < 0) return -1;
    if (dsFehler(PlFehlerArt::Oeffnen)) return -1;
    return mkdir(echt.c_str(), modus);
}

int plDsVerzLoeschen(const char* pfad)
{
    dsListenVergessen();
    std::string echt;
    if (plDsPfad(pfad, &echt) < 0) return -1;
    return rmdir(echt.c_str());
}

int plDsWechseln(const char* pfad)
{
    std::string echt;
    if (plDsPfad(pfad, &echt) < 0) return -1;
    return chdir(echt.c_str());
}

int plDsAktuell(std::string* cp)
{
    cp->clear();
    std::vector<char> puffer(4096);
    while (getcwd(puffer.data(), puffer.size()) == nullptr) {
        if (errno != ERANGE || puffer.size() > (1u << 20)) return -1;
        puffer.resize(puffer.size() * 2);
    }
    *cp = plCpAusUtf8Melden(puffer.data(), "Arbeitsordner");
    return 0;
}

PlDsVerz* plDsVerzOeffnen(const char* pfad)
{
    std::string echt;
    if (plDsPfad(pfad, &echt) < 0) return nullptr;
    if (dsFehler(PlFehlerArt::Oeffnen)) return nullptr;
    DIR* d = opendir(echt.c_str());
    if (!d) return nullptr;
    return new PlDsVerz{d};
}

int plDsVerzLesen(PlDsVerz* v, std::string* name)
{
    name->clear();
    if (dsFehler(PlFehlerArt::Lesen)) return -1;
    errno = 0;
    const dirent* e = readdir(v->dir);
    if (!e) return errno == 0 ? 0 : -1;
    *name = plCpAusUtf8Melden(e->d_name, "Dateiname");
    return 1;
}

int plDsVerzSchliessen(PlDsVerz* v)
{
    if (!v) return -1;
    const bool fehler = plFehlerJetzt(PlFehlerArt::Schliessen);
    const int r = closedir(v->dir);
    delete v;
    if (fehler) {
        errno = EIO;
        return -1;
    }
    return r;
}

int plDsErsetzenOeffnen(const char* pfad, bool sync)
{
    if (dsNurGeaendert > 0 && dsFragbar(pfad)) {
        // In memory from the start: an unchanged file costs no file at all.
        // The permissions are taken from the target when it is compared.
        if (dsFehler(PlFehlerArt::Oeffnen)) return -1;
        std::string wie = plCpNachUtf8(dsSchraegstriche(pfad));
        const size_t schnitt = wie.rfind('/');
        const std::string name = schnitt == std::string::npos ? wie : wie.substr(schnitt + 1);
        if (name.empty() || name == "." || name == "..") {  // a folder, not a file
            errno = EISDIR;
            return -1;
        }
        const int fd = dsSpeicherNehmen();
        if (fd >= 0) {
            DsErsetzen e{std::move(wie), std::string(), sync, dsNeueRechte()};
            e.nurWennAnders = e.imSpeicher = e.spaeterSuchen = true;
            e.syspfad = pfad;
            dsErsetzungen[fd] = std::move(e);
            return fd;
        }
    }
    std::string ziel;
    if (plDsPfad(pfad, &ziel) < 0) return -1;
    if (dsFehler(PlFehlerArt::Oeffnen)) return -1;
    const size_t schnitt = ziel.rfind('/');
    const std::string name = schnitt == std::string::npos ? ziel : ziel.substr(schnitt + 1);
    if (name.empty() || name == "." || name == "..") {  // a folder, not a file
        errno = EISDIR;
        return -1;
    }
    struct stat st;
    const mode_t rechte = stat(ziel.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? (st.st_mode & 07777)
                                                                               : dsNeueRechte();
    std::string temp = dsTempVorlage(ziel);
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    fchmod(fd, rechte);
    dsErsetzungen[fd] = DsErsetzen{ziel, temp, sync, rechte};
    return fd;
}

int plDsErsetzenVerwerfen(int fd)
{
    const auto it = dsErsetzungen.find(fd);
    if (it == dsErsetzungen.end()) {
        errno = EBADF;
        return -1;
    }
    const std::string temp = it->second.temp;
    const bool imSpeicher = it->second.imSpeicher;
    dsErsetzungen.erase(it);
    if (imSpeicher) dsSpeicherAbgeben(fd);
    else close(fd);
    if (!temp.empty()) unlink(temp.c_str());
    return 0;
}

int plDsErsetzenNurWennAnders(int fd)
{
    const auto it = dsErsetzungen.find(fd);
    if (it == dsErsetzungen.end()) {
        errno = EBADF;
        return -1;
    }
    DsErsetzen& e = it->second;
    if (e.nurWennAnders) return 0;
    e.nurWennAnders = true;
    // From here on the bytes gather in memory: what was written so far is
    // taken along, and the temporary file goes (an unchanged file then
    // costs no file at all). Without memory the file path below compares.
    const int m = memfd_create("velmo-neu", MFD_CLOEXEC);
    if (m < 0) return 0;
    const off_t stelle = lseek(fd, 0, SEEK_CUR);
    std::vector<char> puffer(65536);
    bool gut = stelle >= 0;
    for (off_t pos = 0; gut;) {
        const ssize_t n = pread(fd, puffer.data(), puffer.size(), pos);
        if (n <= 0) {
            gut = n == 0;
            break;
        }
        gut = pwrite(m, puffer.data(), static_cast<size_t>(n), pos) == n;
        pos += n;
    }
    if (gut && dup3(m, fd, O_CLOEXEC) == fd) {
        unlink(e.temp.c_str());
        e.temp.clear();
        e.imSpeicher = true;
        if (lseek(fd, stelle, SEEK_SET) != stelle) e.fehler = true;  // never replaces then
    }
    close(m);
    return 0;
}

void plDsNurGeaenderteErsetzen(bool an)
{
    dsNurGeaendert += an ? 1 : (dsNurGeaendert > 0 ? -1 : 0);
    if (dsNurGeaendert > 0) return;
    for (int fd : dsSpeicherVorrat) close(fd);
    dsSpeicherVorrat.clear();
    dsListenVergessen();
}

bool plDsErsetzenOffen(int fd)
{
    return dsErsetzungen.count(fd) != 0;
}

int plDsDateiErsetzenWennAnders(const char* pfad, const void* daten, size_t n, bool sync)
{
    if (!dsFragbar(pfad)) {
        errno = ENOENT;
        return -1;
    }
    if (dsFehler(PlFehlerArt::Oeffnen)) return -1;
    const std::string wie = plCpNachUtf8(dsSchraegstriche(pfad));
    const size_t schnitt = wie.rfind('/');
    const std::string name = schnitt == std::string::npos ? wie : wie.substr(schnitt + 1);
    if (name.empty() || name == "." || name == "..") {  // a folder, not a file
        errno = EISDIR;
        return -1;
    }
    const std::string sys = pfad;
    return dsBytesErsetzen(wie, &sys, static_cast<const char*>(daten), n, sync, dsNeueRechte(), true);
}

int plDsDateiErsetzen(const char* pfad, const void* daten, size_t n, bool sync)
{
    const int fd = plDsErsetzenOeffnen(pfad, sync);
    if (fd < 0) return -1;
    const auto* p = static_cast<const char*>(daten);
    while (n > 0) {
        const ssize_t w = plDsSchreiben(fd, p, n);
        if (w <= 0) {
            if (w < 0 && errno == EINTR) continue;
            const int e = w < 0 ? errno : EIO;
            plDsErsetzenVerwerfen(fd);
            errno = e;
            return -1;
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
    return plDsSchliessen(fd);
}
