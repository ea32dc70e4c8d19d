// The project folder tree's shared services (see wrz.h).
#include "project/wrz.h"

#include <strings.h>

#include <cstring>
#include <string>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "model/zeichnun.h"
#include "project/dirhist.h"
#include "project/projneu.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dateiwahl.h"

namespace {
char wrzLetzte[WIDATEISUP + 1] = "";

const char* wrzName(const char* pfad)
{
    const char* s = std::strrchr(pfad, '/');
    const char* b = std::strrchr(pfad, '\\');
    if (b != nullptr && (s == nullptr || b > s)) s = b;
    return s != nullptr ? s + 1 : pfad;
}

bool wrzProjektDatei(const char* name)
{
    if (strcasecmp(name, "Projekt.zvk") == 0) return true;
    return std::strlen(name) == 12 && strncasecmp(name, "Projekt", 7) == 0 && strcasecmp(name + 8, ".zvk") == 0;
}

bool wrzZvk(const char* name)
{
    const char* p = std::strrchr(name, '.');
    return p != nullptr && strcasecmp(p + 1, "zvk") == 0;
}
}  // namespace

int OrdnerVorhanden(const char* pfad)
{
    const int a = dosattrib(pfad);
    return a != DOSATTR_FEHLT && (a & DOSATTR_VERZEICHNIS) ? 1 : 0;
}

int WrzDateiArt(const char* pfad)
{
    const char* name = wrzName(pfad);
    if (wrzProjektDatei(name)) return 2;
    if (wrzZvk(name)) return 0;
    return ZeiIstDatei(pfad) ? 1 : 2;
}

int WrzDarfLoeschen(const char* pfad)
{
    const char* name = wrzName(pfad);
    if (wrzProjektDatei(name)) return 1;
    return !wrzZvk(name) && !ZeiIstDatei(pfad) ? 1 : 0;
}

void ProjektOrdnerWaehlen()
{
    char pfad[WIDATEISUP + 1] = "";
    VerHolen(1, pfad, sizeof pfad);
    for (char* ende = strende(pfad); ende > pfad + 1 && (ende[-1] == '/' || ende[-1] == '\\'); --ende) ende[-1] = '\0';
    if (!wiOrdnerWahl(pfad, TextNr(146)) || pfad[0] == '\0') return;
    strkopie(wrzLetzte, pfad, WIDATEISUP);
    ProjektOeffnen(pfad);
}

const char* WrzLetzteWahl() { return wrzLetzte; }

void PvwOrdnerWahl() { ProjektOrdnerWaehlen(); }
