// Section text files and record lines: the whole file loaded, every section
// listed, selected, read line by line, copied and cut from memory; each line
// unpacked as a record line.
#include <string>
#include <vector>

#include "support/bdatei.h"
#include "support/fileload.h"
#include "support/seite.h"
#include "support/speicher.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

std::vector<std::string> namen;

void merken(const char* name)
{
    if (namen.size() < 64) namen.push_back(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    std::string p = fz::datei("ABSCHNITTE.ZVK", d, n);
    char* block = nullptr;
    long laenge = 0;
    if (dateiladen(p.c_str(), &block, &laenge) == 0) ffree(block);

    namen.clear();
    if (seiteladen(p.c_str()) == 0) {
        seitenliste(merken);
        namen.push_back("");
        for (const auto& name : namen) {
            if (seitewaehlen(name.c_str()) != 0) continue;
            BDAT b;
            if (seiteoeffnen(&b) == 0) {
                char zeile[SEITEZEILESUP + 1];
                while (bdgets(&b, zeile, SEITEZEILESUP) >= 0) {
                    char t1[FELDSUP], t2[3], t3[200];
                    StrFeld ziele[] = {{t1, sizeof t1}, {t2, sizeof t2}, {t3, sizeof t3}};
                    StrFelderEntpackenListe(zeile, ziele, 3);
                }
                bdclose(&b);
            }
            if (char* k = seitekopie()) ffree(k);
            seiteschreiben(fz::pfad("KOPIE.ZVK").c_str());
        }
        seitefrei();
    }
    const char* s = reinterpret_cast<const char*>(d);
    seitenlisteausspeicher(s, static_cast<long>(n), merken);
    for (size_t i = 0; i < namen.size() && i < 8; ++i)
        if (char* k = seiteausspeicher(s, static_cast<long>(n), namen[i].c_str())) ffree(k);
    namen.clear();
    fz::leeren();
    return 0;
}
