// Shell and system services; see shell.h. Prefix `shell` for file helpers.
// Calls the locations, the file-system boundary, the code page conversion
// and the C library.
#include "platform/shell.h"

#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/cp1252.h"
#include "platform/dateisys.h"
#include "platform/orte.h"
#include "platform/ressource.h"

namespace {

plShellStarterFn shellStarter = nullptr;
plShellZuordnungFn shellZuordnung = nullptr;
plShellDebugSenkeFn shellSenke = nullptr;

// Copies `s` into a Windows-style buffer: the length without terminator,
// or the size needed when it does not fit (nothing useful written then).
DWORD shellKopieren(const std::string& s, LPSTR buf, DWORD size)
{
    if (!buf || size <= s.size()) {
        if (buf && size) buf[0] = '\0';
        return static_cast<DWORD>(s.size() + 1);
    }
    std::memcpy(buf, s.c_str(), s.size() + 1);
    return static_cast<DWORD>(s.size());
}

int shellStandardStarter(const std::vector<std::string>& woerter, const std::string& ordner)
{
    if (woerter.empty()) return -1;
    std::vector<char*> argv;
    for (const std::string& w : woerter) argv.push_back(const_cast<char*>(w.c_str()));
    argv.push_back(nullptr);
    int rohr[2];
    if (pipe2(rohr, O_CLOEXEC) != 0) return -1;
    pid_t kind = fork();
    if (kind < 0) {
        close(rohr[0]);
        close(rohr[1]);
        return -1;
    }
    if (kind == 0) {
        // Detach twice so the program is nobody's child here; report an
        // exec failure through the pipe.
        close(rohr[0]);
        setsid();
        pid_t enkel = fork();
        if (enkel != 0) _exit(enkel < 0 ? 1 : 0);
        if (!ordner.empty() && chdir(ordner.c_str()) != 0) _exit(127);
        execvp(argv[0], argv.data());
        char f = 1;
        ssize_t unused = write(rohr[1], &f, 1);
        (void)unused;
        _exit(127);
    }
    close(rohr[1]);
    int status = 0;
    waitpid(kind, &status, 0);
    char f = 0;
    // The write end closes on a successful exec (close-on-exec).
    ssize_t n = read(rohr[0], &f, 1);
    close(rohr[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return n > 0 ? -1 : 0;
}

int shellStarten(const std::vector<std::string>& woerter, const std::string& ordner)
{
    return (shellStarter ? shellStarter : shellStandardStarter)(woerter, ordner);
}

std::string shellEcht(const char* sys)
{
    std::string echt;
    if (!sys || plDsPfad(sys, &echt) != 0) return std::string();
    return echt;
}

bool shellIstProgramm(const std::string& echt)
{
    struct stat st;
    return stat(echt.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(echt.c_str(), X_OK) == 0;
}

std::string shellOrdnerVon(const std::string& pfad)
{
    size_t p = pfad.rfind('/');
    if (p == std::string::npos) return std::string();
    return p == 0 ? std::string("/") : pfad.substr(0, p);
}

// A program name without '/' searched in PATH; the real path or empty.
std::string shellImPfad(const std::string& name)
{
    if (name.find('/') != std::string::npos) return shellIstProgramm(name) ? name : std::string();
    const char* pfad = std::getenv("PATH");
    std::stringstream s(pfad ? pfad : "/usr/bin:/bin");
    std::string teil;
    while (std::getline(s, teil, ':')) {
        if (teil.empty()) continue;
        std::string k = teil + "/" + name;
        if (shellIstProgramm(k)) return k;
    }
    return std::string();
}

std::string shellBefehlAusgabe(const std::string& befehl)
{
    std::string aus;
    FILE* f = popen(befehl.c_str(), "r");
    if (!f) return aus;
    char puffer[512];
    size_t n;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0) aus.append(puffer, n);
    pclose(f);
    while (!aus.empty() && (aus.back() == '\n' || aus.back() == '\r' || aus.back() == ' ')) aus.pop_back();
    return aus;
}

std::string shellQuote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

// The Exec line's program of a .desktop file found in the XDG data folders.
std::string shellDesktopProgramm(const std::string& desktop)
{
    std::vector<std::string> ordner;
    const char* home = std::getenv("XDG_DATA_HOME");
    const char* heim = std::getenv("HOME");
    if (home && *home)
        ordner.push_back(home);
    else if (heim)
        ordner.push_back(std::string(heim) + "/.local/share");
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::stringstream s(dirs && *dirs ? dirs : "/usr/local/share:/usr/share");
    std::string teil;
    while (std::getline(s, teil, ':'))
        if (!teil.empty()) ordner.push_back(teil);
    for (const std::string& o : ordner) {
        std::ifstream f(o + "/applications/" + desktop);
        std::string zeile;
        while (f && std::getline(f, zeile)) {
            if (zeile.rfind("Exec=", 0) != 0) continue;
            std::vector<std::string> w = plShellWoerter(zeile.c_str() + 5);
            if (w.empty()) continue;
            std::string p = shellImPfad(w[0]);
            return p.empty() ? w[0] : p;
        }
    }
    return std::string();
}

bool shellStandardZuordnung(const std::string& datei, std::string* programm)
{
    if (shellImPfad("xdg-mime").empty()) return false;
    std::string typ = shellBefehlAusgabe("xdg-mime query filetype " + shellQuote(datei) + " 2>/dev/null");
    if (typ.empty()) return false;
    std::string desktop = shellBefehlAusgabe("xdg-mime query default " + shellQuote(typ) + " 2>/dev/null");
    if (desktop.empty()) return false;
    *programm = shellDesktopProgramm(desktop);
    return !programm->empty();
}

std::string shellLocaleName()
{
    for (const char* v : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* w = std::getenv(v);
        if (w && *w) return w;
    }
    return "C";
}

}  // namespace

std::vector<std::string> plShellWoerter(const char* zeile)
{
    std::vector<std::string> w;
    if (!zeile) return w;
    const char* p = zeile;
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        std::string wort;
        bool zitat = false;
        while (*p && (zitat || (*p != ' ' && *p != '\t'))) {
            if (*p == '"')
                zitat = !zitat;
            else
                wort += *p;
            ++p;
        }
        w.push_back(wort);
    }
    return w;
}

HINSTANCE ShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, int)
{
    if (!file || !*file) return SE_ERR_FNF;
    // A web address names no file: the desktop's opener takes it as it is.
    if (strncasecmp(file, "http://", 7) == 0 || strncasecmp(file, "https://", 8) == 0) {
        std::vector<std::string> woerter = {"xdg-open", plCpNachUtf8(file)};
        return shellStarten(woerter, std::string()) != 0 ? SE_ERR_NOASSOC : 33;
    }
    std::string echt = shellEcht(file);
    struct stat st;
    if (echt.empty() || stat(echt.c_str(), &st) != 0) {
        // A bare program name may still be on PATH.
        std::string p = std::strchr(file, '/') || std::strchr(file, '\\') ? std::string() : shellImPfad(file);
        if (p.empty()) return SE_ERR_FNF;
        echt = p;
    }
    std::string ordner = dir && *dir ? shellEcht(dir) : std::string();
    bool oeffnen = !verb || !*verb || std::strcmp(verb, "open") == 0;
    std::vector<std::string> woerter;
    if (oeffnen && shellIstProgramm(echt)) {
        woerter.push_back(echt);
        for (std::string& w : plShellWoerter(params)) woerter.push_back(plCpNachUtf8(w));
    } else {
        if (ordner.empty()) ordner = shellOrdnerVon(echt);
        woerter = {"xdg-open", echt};
    }
    if (shellStarten(woerter, ordner) != 0) return SE_ERR_NOASSOC;
    return 33;
}

HINSTANCE FindExecutable(LPCSTR file, LPCSTR dir, LPSTR result)
{
    if (result) result[0] = '\0';
    if (!file || !*file) return SE_ERR_FNF;
    std::string name = file;
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name[0] != '/' && dir && *dir) {
        std::string d = dir;
        std::replace(d.begin(), d.end(), '\\', '/');
        name = d + (d.back() == '/' ? "" : "/") + name;
    }
    std::string echt = shellEcht(name.c_str());
    struct stat st;
    if (echt.empty() || stat(echt.c_str(), &st) != 0) return SE_ERR_FNF;
    std::string programm;
    if (shellIstProgramm(echt))
        programm = echt;
    else if (!(shellZuordnung ? shellZuordnung : shellStandardZuordnung)(echt, &programm))
        return SE_ERR_NOASSOC;
    std::string cp = plCpAusUtf8Melden(programm, "FindExecutable");
    if (result) {
        size_t n = std::min(cp.size(), static_cast<size_t>(MAX_PATH - 1));
        std::memcpy(result, cp.data(), n);
        result[n] = '\0';
    }
    return 33;
}

UINT WinExec(LPCSTR cmdLine, UINT)
{
    std::vector<std::string> w = plShellWoerter(cmdLine);
    if (w.empty()) return ERROR_FILE_NOT_FOUND;
    std::string prog;
    if (w[0].find('/') == std::string::npos && w[0].find('\\') == std::string::npos) {
        std::string imOrdner = shellEcht((plOrtProgramm() + "/" + w[0]).c_str());
        if (!imOrdner.empty() && shellIstProgramm(imOrdner)) prog = imOrdner;
        if (prog.empty()) prog = shellImPfad(plCpNachUtf8(w[0]));
    } else {
        std::string e = shellEcht(w[0].c_str());
        if (!e.empty() && shellIstProgramm(e)) prog = e;
    }
    if (prog.empty()) return ERROR_FILE_NOT_FOUND;
    std::vector<std::string> woerter{prog};
    for (size_t i = 1; i < w.size(); ++i) woerter.push_back(plCpNachUtf8(w[i]));
    return shellStarten(woerter, std::string()) == 0 ? 33 : ERROR_FILE_NOT_FOUND;
}

DWORD GetEnvironmentVariable(LPCSTR name, LPSTR buf, DWORD size)
{
    std::string wert;
    if (!name || !plOrtUmgebung(name, &wert)) {
        if (buf && size) buf[0] = '\0';
        return 0;
    }
    return shellKopieren(wert, buf, size);
}

BOOL SetEnvironmentVariable(LPCSTR name, LPCSTR value)
{
    if (!name || !*name || std::strchr(name, '=')) return FALSE;
    std::string n = plCpNachUtf8(name);
    if (!value) return unsetenv(n.c_str()) == 0 ? TRUE : FALSE;
    return setenv(n.c_str(), plCpNachUtf8(value).c_str(), 1) == 0 ? TRUE : FALSE;
}

DWORD GetModuleFileName(HMODULE modul, LPSTR buf, DWORD size)
{
    if (modul && modul != GetModuleHandle(nullptr)) {
        if (buf && size) buf[0] = '\0';
        return 0;
    }
    char echt[4096];
    ssize_t n = readlink("/proc/self/exe", echt, sizeof echt - 1);
    if (n <= 0) {
        if (buf && size) buf[0] = '\0';
        return 0;
    }
    echt[n] = '\0';
    std::string cp = plCpAusUtf8Melden(echt, "GetModuleFileName");
    // As on Windows: a short buffer gets the cut name and the size itself back.
    if (!buf || size == 0) return 0;
    if (cp.size() >= size) {
        std::memcpy(buf, cp.data(), size - 1);
        buf[size - 1] = '\0';
        return size;
    }
    std::memcpy(buf, cp.c_str(), cp.size() + 1);
    return static_cast<DWORD>(cp.size());
}

BOOL GetVersionEx(OSVERSIONINFO* info)
{
    if (!info) return FALSE;
    DWORD groesse = info->dwOSVersionInfoSize;
    *info = OSVERSIONINFO{};
    info->dwOSVersionInfoSize = groesse;
    info->dwMajorVersion = 10;
    info->dwMinorVersion = 0;
    info->dwBuildNumber = 19045;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    return TRUE;
}

DWORD GetVersion()
{
    return 10u | (0u << 8) | (19045u << 16);
}

void OutputDebugString(LPCSTR text)
{
    const char* t = text ? text : "";
    if (shellSenke) {
        shellSenke(t);
        return;
    }
    std::string u = plCpNachUtf8(t);
    std::fputs(u.c_str(), stderr);
    if (u.empty() || u.back() != '\n') std::fputc('\n', stderr);
}

int GetLocaleInfo(LCID, LCTYPE art, LPSTR buf, int size)
{
    std::string wert;
    switch (art & 0xFFFF) {
    case LOCALE_SDECIMAL:
    case LOCALE_STHOUSAND: {
        locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
        if (!loc) loc = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
        if (loc) {
            const char* s = nl_langinfo_l((art & 0xFFFF) == LOCALE_SDECIMAL ? RADIXCHAR : THOUSEP, loc);
            wert = plCpAusUtf8(s ? s : "");
            freelocale(loc);
        }
        break;
    }
    case LOCALE_SABBREVCTRYNAME:
    case LOCALE_SABBREVLANGNAME: {
        static const struct {
            const char* zwei;
            const char* drei;
        } laender[] = {{"DE", "DEU"}, {"AT", "AUT"}, {"CH", "CHE"}, {"US", "USA"}, {"GB", "GBR"},
                       {"FR", "FRA"}, {"IT", "ITA"}, {"NL", "NLD"}, {"BE", "BEL"}, {"LU", "LUX"},
                       {"ES", "ESP"}, {"PL", "POL"}, {"CZ", "CZE"}, {"DK", "DNK"}, {"SE", "SWE"}},
          sprachen[] = {{"de", "DEU"}, {"en", "ENU"}, {"fr", "FRA"}, {"it", "ITA"}, {"nl", "NLD"},
                        {"es", "ESP"}, {"pl", "PLK"}, {"cs", "CSY"}, {"da", "DAN"}, {"sv", "SVE"}};
        std::string name = shellLocaleName();
        std::string sprache = name.substr(0, name.find_first_of("_.@"));
        std::string land;
        size_t u = name.find('_');
        if (u != std::string::npos) land = name.substr(u + 1, name.find_first_of(".@", u) - u - 1);
        if ((art & 0xFFFF) == LOCALE_SABBREVCTRYNAME) {
            wert = land;
            for (auto& l : laender)
                if (land == l.zwei) wert = l.drei;
        } else {
            wert = sprache;
            for (auto& s : sprachen)
                if (sprache == s.zwei) wert = s.drei;
        }
        break;
    }
    default: return 0;
    }
    if (!buf || size <= 0) return static_cast<int>(wert.size() + 1);
    if (static_cast<size_t>(size) <= wert.size()) {
        buf[0] = '\0';
        return 0;
    }
    std::memcpy(buf, wert.c_str(), wert.size() + 1);
    return static_cast<int>(wert.size() + 1);
}

void plShellStarterSetzen(plShellStarterFn fn)
{
    shellStarter = fn;
}

void plShellZuordnungSetzen(plShellZuordnungFn fn)
{
    shellZuordnung = fn;
}

void plShellDebugSenkeSetzen(plShellDebugSenkeFn fn)
{
    shellSenke = fn;
}
