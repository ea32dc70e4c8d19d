// The equipment files through the store's load: the first byte chooses the
// file, the rest is its content.
//   0 "BMittel.zvk" (items, components, texts, placements, start point),
//     loaded, walked and written back
//   1 "BMListe.txt" definitions
//   2 an article file
//   3 the version-7 files (items "\n--\n" components "\n--\n" placements),
//     imported into the store
//   4 a stock article file and its group file (parts as in 3)
//   5 the project texts file
#include <string>

#include "config/vorgaben.h"
#include "equipment/appzv7.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/definier.h"
#include "equipment/ges.h"
#include "equipment/lagerart.h"
#include "equipment/nartikel.h"
#include "equipment/utitel.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

void einrichten()
{
    fz::start({.ausstattung = true, .ini = true, .vgb = "Name Fuzz\nBMuse 1\n"});
}

std::string schreiben(const char* name, const std::string& s)
{
    return fz::datei(name, reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    if (n == 0) return 0;
    einrichten();
    const std::string s(reinterpret_cast<const char*>(d) + 1, n - 1);
    switch (d[0] % 6) {
    case 0:
        schreiben("BMittel.zvk", s);
        BMZuruecksetzen();
        BMStart();
        GesDurchlaufen([](const appgeraet*, void*) {}, nullptr);
        for (int i = 0; i < BtlAnzahl(); ++i) {
            appbteil b;
            BtlNrHolen(i, &b);
        }
        BMDateiSchreiben();
        BMEndeErzwungen();
        BMZuruecksetzen();
        break;
    case 1: {
        schreiben("BMListe.txt", s);
        DefInit();
        DefDateienSetzen();
        DefPruefen(0);
        for (int i = 0; i < DefAnzahl(); ++i) {
            char bl[256], tt[256], k1[256], k2[256], kurz[256];
            DefFelderHolen(i, bl, tt, k1, k2, kurz);
            DefZahlHolen(i);
        }
        DefTypSuchen("dil");
        DefFrei();
        break;
    }
    case 2: {
        std::string p = schreiben("Artikel.zvk", s);
        ArtInit();
        ArtDateiPruefen(p.c_str());
        if (ArtDateiLesen(p.c_str()) == 0) {
            for (int i = 0; i < ArtAnzahl(); ++i) {
                artikel a;
                ArtHolen(i, &a);
            }
            for (int i = 0; i < StlAnzahl(); ++i) {
                stueckliste l;
                StlHolen(i, &l);
            }
            artikel a;
            ArtSuchen("1", &a);
        }
        ArtFrei();
        break;
    }
    case 3:
        schreiben("BMHAUPT.ZVK", fz::teil(s, 0));
        schreiben("BMUNTER.ZVK", fz::teil(s, 1));
        schreiben("BMOHNEH.ZVK", fz::teil(s, 2));
        BMZuruecksetzen();
        BMStart();
        Zv7BmImport();
        BMEndeErzwungen();
        BMZuruecksetzen();
        break;
    case 4: {
        std::string a = schreiben("LAGER.DAT", fz::teil(s, 0));
        std::string o = schreiben("OBER.DAT", fz::teil(s, 1));
        LagerInit();
        if (LagerOeffnen(a.c_str(), o.c_str(), 10) == 0) {
            char schl[64], zeile[LAGERSATZSUP + 1];
            for (int i = 0; i < 4; ++i) LagerSuchen(i, "1", schl, sizeof schl, zeile, sizeof zeile);
            LagerZeileZerlegen(zeile, nullptr, nullptr, nullptr, nullptr, nullptr);
        }
        LagerFrei();
        break;
    }
    case 5: {
        char pfad[512];
        UtitelInit();
        UtitelDateiName(pfad, sizeof pfad, 0);
        FILE* f = std::fopen(pfad, "wb");
        if (f) {
            std::fwrite(s.data(), 1, s.size(), f);
            std::fclose(f);
        }
        UtitelLaden();
        UtitelBereicheDurchlaufen([](const projekttext*, void*) {}, nullptr);
        UtitelFrei();
        break;
    }
    }
    fz::leeren();
    return 0;
}
