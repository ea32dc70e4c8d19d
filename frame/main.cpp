// Entry of the `velmo` program. Until the application frame exists, it
// lists the sections of the section text files in the folder given as its
// argument, with the number of content lines of each, through the buffered
// files and the section store of the support library.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "platform/orte.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/seite.h"

namespace {

std::vector<std::string> mainDateien;
std::vector<std::string> mainSeiten;

int mainDatei(int verzeichnis, const char* pfad, void*)
{
    if (!verzeichnis) {
        mainDateien.push_back(pfad);
    }
    return 1;
}

void mainSeite(const char* name)
{
    mainSeiten.push_back(name);
}

// Content lines of the selected section: up to the line that ends it.
int mainZeilen()
{
    BDAT d;
    if (seiteoeffnen(&d) != 0) {
        return 0;
    }
    char zeile[SEITEZEILESUP + 1];
    int n = 0;
    while (bdgets(&d, zeile, SEITEZEILESUP) >= 0 && zeile[0] != ')') {
        ++n;
    }
    return n;
}

// The first line (the file kind's magic), at most 78 characters.
std::string mainKennung(const std::string& pfad)
{
    BDAT d;
    char zeile[80] = "";
    if (bdopenlesen(&d, pfad.c_str()) >= 0) {
        bdgets78(&d, zeile);
        bdclose(&d);
    }
    return zeile;
}

std::string mainAus(const std::string& cp1252)
{
    return plCpNachUtf8(cp1252);
}

}  // namespace

int main(int argc, char** argv)
{
    plOrtArgumenteSetzen(argc, argv);
    const char* ordner = plOrtArgument(1);
    if (ordner == nullptr) {
        std::fprintf(stderr, "Aufruf: velmo <Ordner>\n");
        return 2;
    }
    if (dosattrib(ordner) == DOSATTR_FEHLT || !(dosattrib(ordner) & DOSATTR_VERZEICHNIS)) {
        std::fprintf(stderr, "velmo: Ordner %s nicht gefunden.\n", mainAus(ordner).c_str());
        return 1;
    }
    std::string muster = ordner;
    if (muster.back() != '/' && muster.back() != '\\') {
        muster += '/';
    }
    verzlesennamen((muster + "*").c_str(), mainDatei, nullptr);
    std::sort(mainDateien.begin(), mainDateien.end());
    std::printf("Velmo: Abschnittsdateien in %s\n", mainAus(ordner).c_str());
    int gefunden = 0;
    for (const std::string& pfad : mainDateien) {
        mainSeiten.clear();
        if (seiteladen(pfad.c_str()) != 0 || seitenliste(mainSeite) == 0) {
            continue;
        }
        ++gefunden;
        std::printf("%s (%s): %zu %s\n", mainAus(pfad).c_str(), mainAus(mainKennung(pfad)).c_str(),
                    mainSeiten.size(), mainSeiten.size() == 1 ? "Abschnitt" : "Abschnitte");
        for (const std::string& name : mainSeiten) {
            int zeilen = seitewaehlen(name.c_str()) == 0 ? mainZeilen() : 0;
            std::printf("  %-12s %4d %s\n", mainAus(name).c_str(), zeilen, zeilen == 1 ? "Zeile" : "Zeilen");
        }
    }
    seitefrei();
    if (gefunden == 0) {
        std::printf("Keine Abschnittsdateien gefunden.\n");
    }
    return 0;
}
