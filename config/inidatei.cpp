// The application's ini file (see inidatei.h).
#include "config/inidatei.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>

#include "config/konfhaken.h"
#include "platform/dateisys.h"
#include "platform/orte.h"
#include "platform/profil.h"
#include "support/texte.h"

namespace {

std::string iniPfad;

bool iniDa(const std::string& pfad)
{
    struct stat st {};
    return plDsStat(pfad.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Copies a whole file through the atomic replacement; false on any failure.
bool iniKopieren(const std::string& von, const std::string& nach)
{
    int fd = plDsOeffnen(von.c_str(), O_RDONLY);
    if (fd < 0) return false;
    std::string inhalt;
    char b[8192];
    bool ok = true;
    while (true) {
        ssize_t n = plDsLesen(fd, b, sizeof b);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        inhalt.append(b, static_cast<size_t>(n));
    }
    plDsSchliessen(fd);
    return ok && plDsDateiErsetzen(nach.c_str(), inhalt.data(), inhalt.size()) == 0;
}

std::string iniOrdner()
{
    size_t s = iniPfad.rfind('/');
    return s == std::string::npos ? std::string(".") : iniPfad.substr(0, s);
}

// Makes the folder and all missing parents.
void iniOrdnerAnlegen(const std::string& ordner)
{
    for (size_t s = 1; s <= ordner.size(); ++s) {
        if (s == ordner.size() || ordner[s] == '/') plDsVerzAnlegen(ordner.substr(0, s).c_str(), 0700);
    }
}

}  // namespace

void IniPfadBilden()
{
    if (iniPfad.empty()) iniPfad = plOrtAnwendung() + "/" + INIDATEINAME;
}

void IniPfadSetzen(const char* pfad)
{
    iniPfad = pfad ? pfad : "";
    for (char& c : iniPfad) {
        if (c == '\\') c = '/';
    }
}

void IniFuerFenster()
{
    IniPfadBilden();
    konfHaken().fensterIni(iniPfad.c_str());
}

void IniPfad(char* puffer, size_t groesse)
{
    IniPfadBilden();
    strkopie(puffer, groesse, iniPfad.c_str(), static_cast<int>(iniPfad.size()));
}

const char* IniPfadZeiger()
{
    IniPfadBilden();
    return iniPfad.c_str();
}

int IniUebernehmen(const char* datenOrdner)
{
    IniPfadBilden();
    if (iniDa(iniPfad)) return 3;
    const char* alte[2] = {"Velmo-10.ini", "Zavik10.ini"};
    for (int pass = 0; pass < 2; ++pass) {
        std::string ordner = iniOrdner();
        iniOrdnerAnlegen(ordner);
        std::string alt = ordner + "/" + alte[pass];
        if (iniDa(alt) && iniKopieren(alt, iniPfad)) return pass;
        if (iniDa(iniPfad)) return pass;
    }
    if (datenOrdner && *datenOrdner) {
        std::string vorlage = std::string(datenOrdner) + "/" + INIDATEINAME;
        if (iniDa(vorlage) && iniKopieren(vorlage, iniPfad)) return 2;
    }
    return -1;
}

int ProfilSchreiben(const char* section, const char* key, const char* wert)
{
    return WritePrivateProfileString(section, key, wert, IniPfadZeiger()) ? 0 : -1;
}

int ProfilZahlSchreiben(const char* section, const char* key, int zahl)
{
    return ProfilSchreiben(section, key, std::to_string(zahl).c_str());
}

int ProfilLesen(const char* section, const char* key, char* puffer, int n)
{
    if (!puffer || n < 0) return 0;
    return static_cast<int>(GetPrivateProfileString(section, key, "", puffer, static_cast<DWORD>(n) + 1, IniPfadZeiger()));
}

int ProfilZahlLesen(const char* section, const char* key)
{
    char b[21];
    ProfilLesen(section, key, b, 20);
    return std::atoi(b);
}
