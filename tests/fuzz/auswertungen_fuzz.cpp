// The evaluation catalogue: the input's first part as "auswertungen.txt",
// its second (after a line "--") as the defaults set in force; the catalogue
// read, listed, and every entry it fills taken as the page and the definition
// dialog take it: fields, shown name, type and the options under its prefix.
// Only the filled entries load options (one past them is asked for its
// fields), so an input costs what it holds.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/vorgaben.h"
#include "lists/auswertung.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start({.vgb = ""});
    const std::string s(reinterpret_cast<const char*>(d), n);
    const std::string katalog = fz::teil(s, 0), vgb = fz::teil(s, 1);
    const std::string p = fz::datei("auswertungen.txt", reinterpret_cast<const uint8_t*>(katalog.data()),
                                    katalog.size());
    const std::string v = fz::datei("Fuzz.vgb", reinterpret_cast<const uint8_t*>(vgb.data()), vgb.size());
    VgbSetSetzen("Fuzz", v.c_str());
    AwKatalogAusDatei(p.c_str());
    for (const std::string& z : AwListe()) {
        int i = AwListenIndex(z.c_str());
        if (i < 0 || i >= AWKATSUP) std::abort();
    }
    char name[AWNAMESUP + 1], typ[11], praefix[21], gruppe[21], programm[101], anz[AWNAMESUP + 1];
    const int anzahl = AwAnzahl();
    if (anzahl < 0 || anzahl > AWKATSUP) std::abort();
    for (int i = 0; i <= anzahl; ++i) {
        const int da = AwEintrag(i, name, typ, praefix, gruppe, programm);
        AwAnzeigeName(i, anz);
        if (da != (i < anzahl ? 1 : 0)) std::abort();
        if (!da) break;
        awoptionen o;
        AwOptionenLaden(o, praefix, AwTyp(i));
    }
    return 0;
}
