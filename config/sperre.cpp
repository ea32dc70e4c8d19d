// Project lock and release files (see sperre.h).
#include "config/sperre.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/benutzer.h"
#include "platform/dateisys.h"
#include "support/datum.h"
#include "support/texte.h"

namespace {

int prjSchalter = 0;
std::string prjEigene;  // the lock file this process created

bool prjDa(const char* name)
{
    struct stat st {};
    return plDsStat(name, &st) == 0;
}

std::string prjVoll(const char* name)
{
    std::string cwd;
    if (plDsAktuell(&cwd) != 0) return name;
    if (cwd.empty() || cwd.back() != '/') cwd += '/';
    return cwd + name;
}

// The two lines: the user (at most 80) and "dd.mm.yyyy hh:mm", CR LF each.
std::string prjInhalt()
{
    char name[PRJBENUTZERSUP + 200];
    DWORD n = sizeof name;
    if (!GetUserName(name, &n)) name[0] = '\0';
    name[PRJBENUTZERSUP] = '\0';
    DATZEIT z{};
    jetzt(&z);
    char zeit[40];
    std::snprintf(zeit, sizeof zeit, "%02d.%02d.%04d %02d:%02d", z.datum.tag, z.datum.monat, 1900 + z.datum.jahr,
                  z.stunde, z.minute);
    return std::string(name) + "\r\n" + zeit + "\r\n";
}

// Writes the file; with `exklusiv` only when it does not exist yet.
int prjSchreiben(const char* name, bool exklusiv)
{
    std::string inhalt = prjInhalt();
    if (!exklusiv) return plDsDateiErsetzen(name, inhalt.data(), inhalt.size());
    int fd = plDsOeffnen(name, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) return -1;
    size_t geschrieben = 0;
    while (geschrieben < inhalt.size()) {
        ssize_t w = plDsSchreiben(fd, inhalt.data() + geschrieben, inhalt.size() - geschrieben);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) break;
        geschrieben += static_cast<size_t>(w);
    }
    int rc = plDsSchliessen(fd);
    if (geschrieben != inhalt.size() || rc != 0) {
        plDsLoeschen(name);  // a half-written lock would block everyone
        return -1;
    }
    return 0;
}

}  // namespace

void PrjSperreSchalten(int ein)
{
    prjSchalter = ein;
}

int PrjSperren()
{
    if (!prjSchalter) return 0;
    if (!prjEigene.empty()) PrjSperreFrei();
    if (prjDa("Zavik.nolock") || prjDa("Velmo.nolock")) return 0;
    if (prjSchreiben("Velmo.lock", true) != 0) return -1;  // foreign lock, or not created
    prjEigene = prjVoll("Velmo.lock");
    return 0;
}

void PrjSperreLesen(char* zeile1, char* zeile2)
{
    zeile1[0] = '\0';
    zeile2[0] = '\0';
    int fd = plDsOeffnen("Velmo.lock", O_RDONLY);
    if (fd < 0) return;
    std::string inhalt;
    char b[1024];
    ssize_t n;
    while (inhalt.size() < 4096 && (n = plDsLesen(fd, b, sizeof b)) > 0) inhalt.append(b, static_cast<size_t>(n));
    plDsSchliessen(fd);
    char* ziele[2] = {zeile1, zeile2};
    size_t a = 0;
    for (char* z : ziele) {
        if (a >= inhalt.size()) break;
        size_t e = inhalt.find('\n', a);
        if (e == std::string::npos) e = inhalt.size();
        std::string l = inhalt.substr(a, e - a);
        if (!l.empty() && l.back() == '\r') l.pop_back();
        strkopie(z, PRJSPERRZEILESUP + 1, l.c_str(), PRJSPERRZEILESUP);
        a = e + 1;
    }
}

void PrjSperreFrei()
{
    if (!prjEigene.empty()) plDsLoeschen(prjEigene.c_str());
    prjEigene.clear();
}

int PrjSperreGehalten()
{
    return prjEigene.empty() ? 0 : 1;
}

void PrjSperreLoeschen()
{
    plDsLoeschen("Zavik.lock");
    plDsLoeschen("Velmo.lock");
    prjEigene.clear();
}

int PrjSperreDa()
{
    return prjDa("Zavik.lock") || prjDa("Velmo.lock") ? 1 : 0;
}

int PrjFreigabe(int modus)
{
    switch (modus) {
    case 0:
        if (prjSchreiben("Velmo.nolock", false) != 0) return -1;
        return prjDa("Velmo.nolock") ? 0 : -1;
    case 1:
        plDsLoeschen("Zavik.nolock");
        plDsLoeschen("Velmo.nolock");
        return prjDa("Velmo.nolock") ? -1 : 0;
    case 2:
        return prjDa("Zavik.nolock") || prjDa("Velmo.nolock") ? 1 : 0;
    default:
        return -1;
    }
}
