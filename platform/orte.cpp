// Locations and process words; see orte.h.
#include "platform/orte.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/cp1252.h"

// The build sets this for this file only; a build without it has no
// source-tree fallback.
#ifndef VELMO_QUELL_DATEN
#define VELMO_QUELL_DATEN ""
#endif

namespace {

std::vector<std::string> ortArgumente;
std::string ortTempOrdner;  // real (UTF-8) path; empty until made

bool ortIstOrdner(const std::string& echt)
{
    struct stat st;
    return stat(echt.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ortElternordner(const std::string& p)
{
    const size_t s = p.rfind('/');
    if (s == std::string::npos) return {};
    if (s == 0) return p.size() > 1 ? "/" : std::string();
    return p.substr(0, s);
}

void ortAnlegen(const std::string& echt)
{
    for (size_t i = 1; i <= echt.size(); ++i) {
        if (i == echt.size() || echt[i] == '/') mkdir(echt.substr(0, i).c_str(), 0700);
    }
}

int ortEintragWeg(const char* pfad, const struct stat*, int, struct FTW*)
{
    remove(pfad);
    return 0;
}

void ortTempAufraeumen()
{
    if (!ortTempOrdner.empty()) nftw(ortTempOrdner.c_str(), ortEintragWeg, 16, FTW_DEPTH | FTW_PHYS);
    ortTempOrdner.clear();
}

std::string ortUmgebungEcht(const char* name)
{
    const char* w = std::getenv(name);
    return w ? std::string(w) : std::string();
}

}  // namespace

std::string plOrtProgramm()
{
    std::vector<char> puffer(4096);
    const ssize_t n = readlink("/proc/self/exe", puffer.data(), puffer.size() - 1);
    if (n <= 0) return ".";
    const std::string exe(puffer.data(), static_cast<size_t>(n));
    std::string ordner = ortElternordner(exe);
    if (ordner.empty()) ordner = "/";
    return plCpAusUtf8Melden(ordner, "Programmordner");
}

std::string plOrtDatenVon(const std::string& programmOrdner, const std::string& quellDaten)
{
    const std::string share = programmOrdner + "/../share/velmo";
    if (ortIstOrdner(plCpNachUtf8(share))) return share;
    if (!quellDaten.empty() && ortIstOrdner(plCpNachUtf8(quellDaten))) return quellDaten;
    return share;
}

std::string plOrtDaten()
{
    return plOrtDatenVon(plOrtProgramm(), plCpAusUtf8Melden(VELMO_QUELL_DATEN, "Datenordner"));
}

std::string plOrtAnwendung()
{
    std::string basis = ortUmgebungEcht("XDG_CONFIG_HOME");
    if (basis.empty() || basis[0] != '/') {
        std::string home = ortUmgebungEcht("HOME");
        if (home.empty()) {
            const passwd* pw = getpwuid(getuid());
            if (pw && pw->pw_dir) home = pw->pw_dir;
        }
        basis = home + "/.config";
    }
    while (basis.size() > 1 && basis.back() == '/') basis.pop_back();
    const std::string ordner = basis + "/Velmo";
    if (!ortIstOrdner(ordner)) ortAnlegen(ordner);
    return plCpAusUtf8Melden(ordner, "Anwendungsordner");
}

namespace {

std::string ortHome()
{
    std::string home = ortUmgebungEcht("HOME");
    if (home.empty()) {
        const passwd* pw = getpwuid(getuid());
        if (pw && pw->pw_dir) home = pw->pw_dir;
    }
    while (home.size() > 1 && home.back() == '/') home.pop_back();
    return home;
}

// The value of XDG_DOCUMENTS_DIR in user-dirs.dirs: "$HOME/..." or an
// absolute path in double quotes; empty when the file or the line is
// missing or the value is neither.
std::string ortUserDirsDokumente(const std::string& home)
{
    std::string basis = ortUmgebungEcht("XDG_CONFIG_HOME");
    if (basis.empty() || basis[0] != '/') basis = home + "/.config";
    FILE* f = std::fopen((basis + "/user-dirs.dirs").c_str(), "r");
    if (!f) return std::string();
    std::string wert;
    char zeile[1024];
    while (std::fgets(zeile, sizeof zeile, f)) {
        std::string z = zeile;
        size_t a = z.find_first_not_of(" \t");
        if (a == std::string::npos || z.compare(a, 18, "XDG_DOCUMENTS_DIR=") != 0) continue;
        size_t q1 = z.find('"', a), q2 = q1 == std::string::npos ? q1 : z.find('"', q1 + 1);
        if (q2 == std::string::npos) continue;
        std::string v;
        for (size_t i = q1 + 1; i < q2; ++i) {
            if (z[i] == '\\' && i + 1 < q2) ++i;  // escaped character
            v += z[i];
        }
        if (v.compare(0, 5, "$HOME") == 0 && (v.size() == 5 || v[5] == '/'))
            wert = home + v.substr(5);
        else if (!v.empty() && v[0] == '/')
            wert = v;
    }
    std::fclose(f);
    return wert;
}

}  // namespace

std::string plOrtDokumente()
{
    const std::string home = ortHome();
    std::vector<std::string> kandidaten;
    std::string env = ortUmgebungEcht("XDG_DOCUMENTS_DIR");
    if (!env.empty() && env[0] == '/') kandidaten.push_back(env);
    kandidaten.push_back(ortUserDirsDokumente(home));
    // A documents folder that is the home folder itself means "none" in
    // user-dirs; the usual names are tried before the home folder.
    kandidaten.push_back(home + "/Dokumente");
    kandidaten.push_back(home + "/Documents");
    for (std::string k : kandidaten) {
        while (k.size() > 1 && k.back() == '/') k.pop_back();
        if (k.empty() || k == home || !ortIstOrdner(k)) continue;
        return plCpAusUtf8Melden(k, "Dokumentenordner");
    }
    return plCpAusUtf8Melden(home.empty() ? std::string("/") : home, "Dokumentenordner");
}

std::string plOrtTemp()
{
    if (ortTempOrdner.empty()) {
        std::string basis = ortUmgebungEcht("TMPDIR");
        if (basis.empty() || !ortIstOrdner(basis)) basis = "/tmp";
        while (basis.size() > 1 && basis.back() == '/') basis.pop_back();
        std::string muster = basis + "/velmo-XXXXXX";
        if (!mkdtemp(muster.data())) {
            muster = "/tmp/velmo-XXXXXX";
            if (!mkdtemp(muster.data())) {
                std::fprintf(stderr, "velmo: kein temporaerer Ordner anzulegen\n");
                return "/tmp";
            }
        }
        chmod(muster.c_str(), 0700);
        static bool registriert = false;
        if (!registriert) {
            std::atexit(ortTempAufraeumen);
            registriert = true;
        }
        ortTempOrdner = muster;
    }
    return plCpAusUtf8Melden(ortTempOrdner, "Temp-Ordner");
}

bool plOrtUmgebung(const char* name, std::string* wert)
{
    wert->clear();
    const char* w = std::getenv(plCpNachUtf8(name).c_str());
    if (!w) return false;
    *wert = plCpAusUtf8Melden(w, name);
    return true;
}

void plOrtArgumenteSetzen(int argc, const char* const* argv)
{
    ortArgumente.clear();
    for (int i = 0; i < argc && argv[i]; ++i) ortArgumente.push_back(plCpAusUtf8Melden(argv[i], "Argument"));
}

int plOrtArgumentAnzahl()
{
    return static_cast<int>(ortArgumente.size());
}

const char* plOrtArgument(int i)
{
    if (i < 0 || i >= static_cast<int>(ortArgumente.size())) return nullptr;
    return ortArgumente[static_cast<size_t>(i)].c_str();
}
