// The file lookup of the style tables (see stilint.h). Calls config/
// (directory kinds), support/ (paths) and the locations of platform/.
#include "output/stilint.h"

#include "config/verzeich.h"
#include "platform/orte.h"
#include "support/pfade.h"

std::string stlDateiLesen(const char* name, bool projekt)
{
    char pfad[PFADSUP + 1];
    if (projekt && VerZeiger(1)[0]) {
        PfadBilden(1, name, nullptr, pfad, sizeof pfad);
        if (dateilesbar(pfad)) {
            return pfad;
        }
    }
    std::string anw = plOrtAnwendung() + "/" + name;
    if (dateilesbar(anw.c_str())) {
        return anw;
    }
    PfadBilden(0, name, nullptr, pfad, sizeof pfad);
    return pfad;
}

std::string stlDateiSchreiben(const char* name, bool projekt)
{
    char pfad[PFADSUP + 1];
    if (projekt && VerZeiger(1)[0]) {
        PfadBilden(1, name, nullptr, pfad, sizeof pfad);
        if (dateilesbar(pfad)) {
            return pfad;
        }
    }
    return plOrtAnwendung() + "/" + name;
}
