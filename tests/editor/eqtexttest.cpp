// The component-library helper of eqtexttest.h.
#include <filesystem>
#include <string>
#include <vector>

#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/zeichnun.h"

int EqBauteilAufnehmen(const std::string& ordner, const char* name, const std::vector<BEF>& saetze)
{
    const std::string bib = ordner + "/BAUTEILE.A";
    if (!std::filesystem::exists(bib) && BauBibAnlegen(bib.c_str(), 10) != 0) return -1;
    const std::string zei = ordner + "/teil." + name;
    ZeiDatei z;
    if (ZeiDateiAnlegen(&z, zei.c_str()) != 0) return -1;
    for (const BEF& b : saetze) ZeiBefSchreiben(&z, &b);
    if (ZeiDateiSchliessen(&z) != 0) return -1;
    BauBibHandle h;
    if (BauBibOeffnen(&h, bib.c_str()) != 0) return -1;
    const int r = BauAufnehmen(&h, name, zei.c_str());
    BauBibZu(&h);
    return r;
}

void EqBauteileNeu()
{
    BauEnde();
    BauInit();
}
