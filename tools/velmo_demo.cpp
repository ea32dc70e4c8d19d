// velmo_demo: writes the shipped content from its text sources.
//   velmo_demo [--quellen DIR] DEST                  library and demo below DEST
//   velmo_demo [--quellen DIR] --gross S G DEST       benchmark project of S sheets, G devices
// DIR defaults to demo/quellen of the source tree the program was built from;
// `velmo_demo .` in the checkout regenerates the committed files.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/demogen.h"

int main(int argc, char** argv)
{
    std::string quellen = std::string(VELMO_SOURCE_DIR) + "/demo/quellen";
    int i = 1;
    if (i + 1 < argc && std::strcmp(argv[i], "--quellen") == 0) {
        quellen = argv[i + 1];
        i += 2;
    }
    if (i + 4 == argc && std::strcmp(argv[i], "--gross") == 0) {
        int blaetter = std::atoi(argv[i + 1]);
        int geraete = std::atoi(argv[i + 2]);
        if (blaetter < 1 || geraete < 1) {
            std::fprintf(stderr, "velmo_demo: Blatt- und Gerätezahl müssen größer als 0 sein\n");
            return 2;
        }
        return DemoGross(quellen, blaetter, geraete, argv[i + 3]) == 0 ? 0 : 1;
    }
    if (i + 1 != argc) {
        std::fprintf(stderr, "Aufruf: velmo_demo [--quellen DIR] ZIEL\n"
                             "        velmo_demo [--quellen DIR] --gross BLAETTER GERAETE ORDNER\n");
        return 2;
    }
    return DemoAlles(quellen, argv[i]) == 0 ? 0 : 1;
}
