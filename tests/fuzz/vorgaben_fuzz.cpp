// Defaults sets and "Vorgaben.txt": the first byte chooses, the rest is the
// file.
//   even: a set file, opened as the set in force, every entry and a few
//         lookups, a change written back, the listing of the sets
//   odd:  the key descriptions, every group with its keys and captions
#include <string>

#include "config/inidatei.h"
#include "config/verzeich.h"
#include "config/vorgabdb.h"
#include "config/vorgaben.h"
#include "platform/profil.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    if (n == 0) return 0;
    static bool fertig = false;
    if (!fertig) {
        fertig = true;
        IniPfadSetzen((fz::ordner() + "/konfig/Velmo-11.ini").c_str());
        plIniCacheLeeren();
        VerSetzen(1, (fz::ordner() + "/arbeit/").c_str());
        VgbPraefix("");
    }
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
