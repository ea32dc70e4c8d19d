// Defaults sets and "Vorgaben.txt": the first byte chooses, the rest is the
// file.
//   even: a set file, opened as the set in force, every entry and a few
//         lookups, a change written back, the listing of the sets
//   odd:  the key descriptions, every group with its keys and captions
#include <string>

#include "config/vorgabdb.h"
#include "config/vorgaben.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    if (n == 0) return 0;
    if (fz::start({.ini = true})) VgbPraefix("");
    const auto* b = d + 1;
    if (d[0] % 2 == 0) {
        std::string p = fz::datei("Fuzz.vgb", b, n - 1);
        VgbSetSetzen("Fuzz", p.c_str());
        VgbOeffnen();
        for (int i = 0; i < VgbAnzahl(); ++i) VgbEintrag(i);
        VgbInt("ZvMS");
        VgbZehntel("ZvTG");
        VgbDouble("Name");
        char t[VGBWERTSUP + 1];
        VgbText("Name", t, sizeof t);
        char t40[41];
        VgbText40("BMuse", t40);
        VgbSetzen("FzNeu", "1");
        VgbSchreiben();
        VgbSchliessen();
        VgbSetsAuflisten([](const char*, const char*, void*) {}, nullptr);
    } else {
        std::string p = fz::datei("Vorgaben.txt", b, n - 1);
        VgbDb db;
        if (VgbDbLaden(p.c_str(), db) == 0) {
            for (const VgbDbGruppe& g : db.gruppen) {
                VgbDbGruppeSuchen(db, g.name.c_str());
                for (const VgbDbSchluessel* k : VgbDbGruppenSchluessel(db, g)) VgbDbTitel(k->titel, "1");
            }
        }
    }
    fz::leeren();
    return 0;
}
