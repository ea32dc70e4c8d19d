// The user's login name (see benutzer.h). Prefix `plBenutzer`. The password
// database first, then $LOGNAME and $USER; "Benutzer" when none of them
// knows the process's user.
#include "platform/benutzer.h"

#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/cp1252.h"

namespace {

bool plBenutzerFest = false;
std::string plBenutzerName;

std::string plBenutzerEcht()
{
    std::vector<char> b(4096);
    struct passwd pw {};
    struct passwd* p = nullptr;
    if (getpwuid_r(geteuid(), &pw, b.data(), b.size(), &p) == 0 && p && p->pw_name && *p->pw_name) {
        return plCpAusUtf8Melden(p->pw_name, "Benutzername");
    }
    for (const char* v : {"LOGNAME", "USER"}) {
        const char* w = std::getenv(v);
        if (w && *w) return plCpAusUtf8Melden(w, "Benutzername");
    }
    return "Benutzer";
}

}  // namespace

void plBenutzerSetzen(const char* name)
{
    plBenutzerFest = name != nullptr;
    plBenutzerName = name ? name : "";
}

BOOL GetUserName(LPSTR puffer, LPDWORD groesse)
{
    if (!groesse) return FALSE;
    std::string n = plBenutzerFest ? plBenutzerName : plBenutzerEcht();
    DWORD noetig = static_cast<DWORD>(n.size() + 1);
    if (!puffer || *groesse < noetig) {
        *groesse = noetig;
        return FALSE;
    }
    std::memcpy(puffer, n.c_str(), noetig);
    *groesse = noetig;
    return TRUE;
}
