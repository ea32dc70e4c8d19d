// "ZavikPro.ini" of the project folder (see projini.h).
#include "equipment/projini.h"

#include <cstring>
#include <string>

#include "config/verzeich.h"
#include "platform/profil.h"

int ProjektIniLesen(const char* sektion, const char* schluessel, char* puffer, size_t groesse)
{
    if (puffer == nullptr || groesse == 0) return 0;
    puffer[0] = '\0';
    char pfad[VERSUP + 20];
    PfadProjekt(pfad, sizeof pfad, "ZavikPro.ini");
    // A bare name would mean the application-data folder to the profile
    // reader; without a project folder the project is the current folder.
    std::string datei = pfad;
    if (!PfadHatOrdner(pfad)) datei = "./" + datei;
    char wert[PROJEKTINISUP + 1];
    GetPrivateProfileString(sektion, schluessel, "", wert, sizeof wert, datei.c_str());
    size_t n = std::strlen(wert);
    if (n + 1 > groesse) n = groesse - 1;
    std::memcpy(puffer, wert, n);
    puffer[n] = '\0';
    return static_cast<int>(n);
}
