// The status bitmap of a component in the equipment (see bauliste.h); on
// its own because the equipment's and the library's headers cannot meet in
// one file.
#include <cstdio>

#include "editdlg/bauliste.h"
#include "equipment/app.h"
#include "equipment/btl.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"

const char* BliStatusBild(const char* name, bool gross)
{
    const char* art = "BM0";
    if (AppAktiv()) {
        if (DefBauteilVorhanden(name))
            art = "BMH";
        else if (BtlBauteilVerwendet(name))
            art = "BMU";
        else if (DefInfoVorhanden(name))
            art = "BMN";
    }
    static char bild[8];
    std::snprintf(bild, sizeof bild, "%s%s", art, gross ? "_G" : "_K");
    return bild;
}

