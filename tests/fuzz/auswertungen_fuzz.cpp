// The evaluation catalogue: the input as "auswertungen.txt", read, listed
// and every entry's fields and shown name taken as the page and the
// definition dialog take them.
#include <cstdio>
#include <cstring>
#include <string>

#include "config/vorgaben.h"
#include "lists/auswertung.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start({.vgb = "Name Fuzz\nbmlName Liste\nartName ---weg\n"});
    std::string p = fz::datei("auswertungen.txt", d, n);
    AwKatalogAusDatei(p.c_str());
    for (const std::string& z : AwListe()) {
        int i = AwListenIndex(z.c_str());
        if (i < 0 || i >= AWKATSUP) std::abort();
    }
    char name[AWNAMESUP + 1], typ[11], praefix[21], gruppe[21], programm[101], anz[AWNAMESUP + 1];
    for (int i = 0; i <= AWKATSUP; ++i) {
        AwEintrag(i, name, typ, praefix, gruppe, programm);
        AwAnzeigeName(i, anz);
        AwTyp(i);
        awoptionen o;
        AwOptionenLaden(o, praefix, AwTyp(i));
    }
    return 0;
}
